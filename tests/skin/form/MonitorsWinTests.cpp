// The frame on a display of two monitors, as scripts/two-monitors sets it up: the primary,
// 1280 x 1024 with a 40-pixel bar at its bottom, and a second monitor of 1024 x 768 left of it
// and 100 pixels lower (negative coordinates) with nothing docked. On a display of one monitor
// the test is skipped.
#include "tests/skin/form/FrameWinFixture.h"

#include "skin/form/MonitorLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TRect FromRECT(const RECT& r) { return Rect(r.left, r.top, r.right, r.bottom); }

// The platform's callback convention (stdcall on 32-bit Windows), which a lambda cannot have.
BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  ::GetMonitorInfoW(monitor, &info);
  reinterpret_cast<std::vector<TvnMonitorAreas>*>(data)->push_back(
      {FromRECT(info.rcWork), FromRECT(info.rcMonitor), (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  return TRUE;
}

std::vector<TvnMonitorAreas> PlatformMonitors() {
  std::vector<TvnMonitorAreas> list;
  ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
  return list;
}

// The whole monitor the platform itself picks for a rectangle.
TRect PlatformMonitorOf(const TRect& r) {
  const RECT rect{r.Left, r.Top, r.Right, r.Bottom};
  MONITORINFO info{};
  info.cbSize = sizeof info;
  ::GetMonitorInfoW(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info);
  return FromRECT(info.rcMonitor);
}

const TRect PrimaryWork = Rect(0, 0, 1280, 984);
const TRect Second = Rect(-1024, 100, 0, 868);

}  // namespace

// The frame fixture under a name of its own: each file of this program has its own fixture class.
struct TMonitorsFixture : TFrameFixture {};

TEST_F(TMonitorsFixture, OnTwoMonitorsAWindowMaximizesOnItsOwnAndComesBack) {
  const std::vector<TvnMonitorAreas> monitors = PlatformMonitors();
  if (monitors.size() < 2) GTEST_SKIP() << "one monitor here; scripts/two-monitors gives two";
  ASSERT_EQ(monitors.size(), 2u);
  ASSERT_EQ(monitors[0].Monitor, Rect(0, 0, 1280, 1024));
  ASSERT_EQ(monitors[0].WorkArea, PrimaryWork);
  ASSERT_EQ(monitors[1].Monitor, Second);
  ASSERT_EQ(monitors[1].WorkArea, Second);

  Make(TFormBorderStyle::bsSizeable, true);
  Frame->SetBorderIcons(kDefaultBorderIcons);
  struct Case {
    const char* name;
    TRect normal;
    TRect maximized;
    TRect monitor;
  } cases[] = {
      {"on the second monitor: one pixel inside it", Bounds(-900, 300, 385, 392), Rect(-1023, 101, -1, 867), Second},
      {"half on each: the primary", Bounds(-200, 300, 400, 392), PrimaryWork, Rect(0, 0, 1280, 1024)},
      {"one column more on the second", Bounds(-201, 300, 400, 392), Rect(-1023, 101, -1, 867), Second},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ::SetWindowPos(Window(), nullptr, c.normal.Left, c.normal.Top, c.normal.Width(), c.normal.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(WindowRect(), c.normal);
    // The platform picks the same monitor for the rectangle.
    EXPECT_EQ(PlatformMonitorOf(c.normal), c.monitor);
    // The size query is answered for that monitor: the maximized bounds from its corner.
    MINMAXINFO info{};
    ::SendMessageW(Window(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMaxPosition.x, c.maximized.Left - c.monitor.Left);
    EXPECT_EQ(info.ptMaxPosition.y, c.maximized.Top - c.monitor.Top);
    EXPECT_EQ(info.ptMaxSize.x, c.maximized.Width());
    EXPECT_EQ(info.ptMaxSize.y, c.maximized.Height());
    EXPECT_EQ(info.ptMaxTrackSize.x, c.monitor == Second ? Second.Width() : PrimaryWork.Width());
    EXPECT_EQ(info.ptMaxTrackSize.y, c.monitor == Second ? Second.Height() : PrimaryWork.Height());

    Frame->ChangeWindowState(wsMaximized);
    Pump(50);
    EXPECT_EQ(WindowRect(), c.maximized);
    // All of it is painted: a full repaint changes nothing on the screen.
    const TPixelBitmap shown = Capture(Window());
    ::RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(50);
    EXPECT_TRUE(Capture(Window()) == shown) << "parts of the maximized window were left unpainted";
    if (c.monitor == Second) SaveShot(ScreenShot({-1024, 0, 1280, 1024}), "two-monitors-maximized.bmp");
    Frame->ChangeWindowState(wsNormal);
    EXPECT_EQ(WindowRect(), c.normal);
  }

  // On the second monitor, minimized: parked at the bottom left of that monitor; dragged: its
  // edges pull.
  const TRect normal = Bounds(-900, 300, 385, 392);
  ::SetWindowPos(Window(), nullptr, normal.Left, normal.Top, normal.Width(), normal.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  Frame->ChangeWindowState(wsMinimized);
  EXPECT_EQ(WindowRect(), Rect(-1024, 868 - 45, -1024 + 191, 868));
  Frame->ChangeWindowState(wsNormal);
  EXPECT_EQ(WindowRect(), normal);
  Frame->Magnetic = true;
  const TRect dropped = Bounds(Second.Left + 4, Second.Bottom - normal.Height() + 4, normal.Width(), normal.Height());
  RECT moving{dropped.Left, dropped.Top, dropped.Right, dropped.Bottom};
  ::SendMessageW(Window(), WM_MOVING, WMSZ_TOP, reinterpret_cast<LPARAM>(&moving));
  EXPECT_EQ(FromRECT(moving), Bounds(Second.Left, Second.Bottom - normal.Height(), normal.Width(), normal.Height()));
}
