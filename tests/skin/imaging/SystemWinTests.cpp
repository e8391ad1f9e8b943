#include <gtest/gtest.h>

#include "skin/imaging/vnHighContrast_win.h"
#include "skin/imaging/vnUtilsSystem_win.h"

namespace {

HWND TestWindow(DWORD exStyle) {
  return ::CreateWindowExW(exStyle, L"STATIC", L"", WS_POPUP, 30, 40, 200, 100, nullptr, nullptr,
                           nullptr, nullptr);
}

TRect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

TEST(Monitors, WindowMonitorAreaWithTheMonitorsThereAre) {
  HWND window = TestWindow(0);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(HasSeveralMonitors(), ::GetSystemMetrics(SM_CMONITORS) > 1);
  RECT work{};
  ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  for (HWND w : {window, static_cast<HWND>(nullptr)}) {
    TRect whole{1, 2, 3, 4}, area{1, 2, 3, 4};
    GetWindowMonitorArea(w, TvnMonitorArea::Whole, whole);
    GetWindowMonitorArea(w, TvnMonitorArea::Work, area);
    if (!HasSeveralMonitors()) {
      // One monitor: the screen rectangle whatever window is passed, and the desktop work area.
      EXPECT_EQ(whole, (TRect{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}));
      EXPECT_EQ(area, FromRECT(work));
    } else {
      MONITORINFO info{};
      info.cbSize = sizeof info;
      ::GetMonitorInfoW(::MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &info);
      EXPECT_EQ(whole, FromRECT(info.rcMonitor));
      EXPECT_EQ(area, FromRECT(info.rcWork));
    }
    EXPECT_FALSE(IsRectEmpty(reinterpret_cast<const RECT*>(&whole)));
  }
  ::DestroyWindow(window);
}

TEST(WindowCapabilities, LayeredWindowsTakeTheirOpacity) {
  // The system offers layered windows (user32 has the entry point), so the test holds.
  ASSERT_TRUE(IsLayeredWindowSystem());
  HWND window = TestWindow(WS_EX_LAYERED);
  ASSERT_NE(window, nullptr);
  SetLayeredAlpha(window, 128);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(::GetLayeredWindowAttributes(window, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 128);
  EXPECT_EQ(flags & LWA_ALPHA, static_cast<DWORD>(LWA_ALPHA));
  SetLayeredAlpha(window, 255);
  ASSERT_TRUE(::GetLayeredWindowAttributes(window, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 255);
  ::DestroyWindow(window);
}

TEST(WindowCapabilities, DropShadowsOnALaterSystem) {
  // The system under test reports a version after 5.1 and knows the drop-shadow setting, so
  // drop shadows count as available (the old fixed version list said no for anything past 5.2).
  const DWORD version = ::GetVersion();
  BOOL shadow = FALSE;
  const bool knows = ::SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &shadow, 0) != FALSE;
  ASSERT_GE(LOBYTE(LOWORD(version)), 6) << "expected a later system under test";
  EXPECT_EQ(IsDropShadowSystem(), knows);
  // A class with the style can be registered and used there.
  WNDCLASSW wc{};
  wc.style = CS_DROPSHADOW;
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"QuillonShadowTest";
  ASSERT_NE(::RegisterClassW(&wc), 0);
  HWND window = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  wc.hInstance, nullptr);
  EXPECT_NE(window, nullptr);
  ::DestroyWindow(window);
  ::UnregisterClassW(wc.lpszClassName, wc.hInstance);
}

TEST(HighContrast, AKeptAnswerFollowsASwitchWithinASecondOrAtOnceWhenRefreshed) {
  // Controls on a form with no skinned frame hear no switch: they read the kept answer, which
  // is asked again once it is a second old.
  static bool on = false;
  const THighContrastQuery previous = ReplaceHighContrastQuery([] { return on; });
  EXPECT_FALSE(HighContrastOn());
  on = true;
  EXPECT_FALSE(HighContrastOn()) << "asked again before a second";
  ::Sleep(1050);
  EXPECT_TRUE(HighContrastOn());
  on = false;
  EXPECT_FALSE(RefreshHighContrast());
  EXPECT_FALSE(HighContrastOn());
  ReplaceHighContrastQuery(previous);
}
