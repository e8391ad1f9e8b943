// The skinned frame on real windows (run under Wine on a private display): styles, the
// non-client insets, the region, hit codes, hover animation, press and release, roll-up and the
// default look.
#include "skin/form/VeneerForm_win.h"

#include "framework/Application_win.h"
#include "framework/CodePage.h"
#include "skin/data/vnIniFile.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataObjects.h"
#include "skin/data/vnSkinDataResStr.h"
#include "skin/data/vnSkinDataScale.h"
#include "skin/data/vnSkinDataStoredSkin.h"
#include "skin/data/vnSkinData_win.h"
#include "framework/ClassRegistry.h"
#include "framework/Description.h"
#include "framework/DescriptionReader.h"
#include "skin/form/VeneerFormSkin.h"
#include "skin/imaging/vnUtilsCompose.h"
#include "skin/imaging/vnUtilsRegion.h"
#include "framework/Bmp.h"
#include "framework/Stream.h"
#include "framework/StdCtrls_win.h"
#include "tests/support/WindowTesting_win.h"
#include "tests/skin/form/FrameWinFixture.h"
#include "skin/imaging/vnUtilsSystem_win.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

TEST_F(TFrameFixture, DefaultLookInsetsHitCodesAndButtons) {
  Make(TFormBorderStyle::bsSizeable, false);
  const LONG_PTR style = ::GetWindowLongPtrW(Window(), GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, 0);
  const TRect w = WindowRect();
  RECT client;
  ::GetClientRect(Window(), &client);
  POINT origin{0, 0};
  ::ClientToScreen(Window(), &origin);
  EXPECT_EQ(origin.x - w.Left, 3);
  EXPECT_EQ(origin.y - w.Top, 22);  // 19-pixel caption + 3
  EXPECT_EQ(client.right, w.Width() - 6);
  EXPECT_EQ(client.bottom, w.Height() - 25);

  ::SendMessageW(Window(), WM_NCPAINT, 0, 0);
  ASSERT_EQ(Frame->Objects().Count(), 6);  // made on the first default paint
  EXPECT_EQ(Hit(2, 200), HTLEFT);
  EXPECT_EQ(Hit(3, 200), HTCLIENT);
  EXPECT_EQ(Hit(0, 0), HTTOPLEFT);
  EXPECT_EQ(Hit(w.Width() - 1, w.Height() - 1), HTBOTTOMRIGHT);
  EXPECT_EQ(Hit(100, 10), HTCAPTION);
  // The close button sits at the right end of the caption (17 pixels, top 4).
  EXPECT_EQ(Frame->Objects().At(0)->ObjectRect, Rect(w.Width() - 20, 4, w.Width() - 3, 21));
  EXPECT_EQ(Hit(w.Width() - 10, 10), HTOBJECT_CODE);

}

// A fixed-size window: under Wine (x11drv) a sizeable window without a region leaves its
// sizing border to the X window manager, so those pixels are not the window's to read back.
TEST_F(TFrameFixture, DefaultLookPaintsThreeRingsAndAFlatCaption) {
  Make(TFormBorderStyle::bsSingle, false);
  const TRect w = WindowRect();
  // Three rings inward from the window's edge, the caption bar in the face colour with its
  // grip lines and the caption text in the middle.
  ::SendMessageW(Window(), WM_NCPAINT, 0, 0);
  Pump(50);
  const TPixelBitmap shot = Capture(Window());
  WriteFileBytes(std::filesystem::path(QUILLON_BINARY_DIR) / "default-look.bmp", EncodeBmp(shot));
  auto sys = [](int index) { return static_cast<std::uint32_t>(::GetSysColor(index)); };
  EXPECT_EQ(shot.GetPixel(100, 0), sys(COLOR_3DLIGHT));
  EXPECT_EQ(shot.GetPixel(0, 100), sys(COLOR_3DLIGHT));
  EXPECT_EQ(shot.GetPixel(w.Width() - 1, 100), sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(shot.GetPixel(100, w.Height() - 1), sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(shot.GetPixel(100, 1), sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(shot.GetPixel(w.Width() - 2, 100), sys(COLOR_BTNSHADOW));
  EXPECT_EQ(shot.GetPixel(2, 100), sys(COLOR_BTNFACE));
  EXPECT_EQ(shot.GetPixel(w.Width() - 3, 100), sys(COLOR_BTNFACE));
  EXPECT_EQ(shot.GetPixel(100, 3), sys(COLOR_BTNFACE));  // the caption bar's first row
  EXPECT_EQ(shot.GetPixel(40, 3 + 2), sys(COLOR_BTNHIGHLIGHT));  // first grip line
  EXPECT_EQ(shot.GetPixel(40, 3 + 3), sys(COLOR_BTNSHADOW));
}

TEST_F(TFrameFixture, SkinnedFrameSizesRegionAndHitCodes) {
  Make(TFormBorderStyle::bsSingle, true);
  ASSERT_TRUE(Frame->SkinSupport());
  const TRect w = WindowRect();
  ASSERT_EQ(w.Width(), 385);
  ASSERT_EQ(w.Height(), 392);
  RECT client;
  ::GetClientRect(Window(), &client);
  POINT origin{0, 0};
  ::ClientToScreen(Window(), &origin);
  EXPECT_EQ(origin.x - w.Left, 8);
  EXPECT_EQ(origin.y - w.Top, 28);
  EXPECT_EQ(client.right, 370);
  EXPECT_EQ(client.bottom, 347);

  // The region covers the same pixels as the frame region of the mask for this size.
  const TPixelBitmap covered = RegionPixels(Window(), 385, 392);
  EXPECT_EQ(FrameRegionMismatches(*Skin, covered), 0);
  EXPECT_EQ(covered.GetPixel(0, 0), kOutOfRegion);

  EXPECT_EQ(Hit(200, 200), HTCLIENT);
  EXPECT_EQ(Hit(100, 10), HTCAPTION);   // over the caption object (34..314)
  EXPECT_EQ(Hit(3, 200), HTOBJECT_CODE);  // frame, not sizeable
  EXPECT_EQ(Hit(371, 12), HTOBJECT_CODE); // the close animation at 367..375
}

TEST_F(TFrameFixture, ButtonsFollowTheBorderIcons) {
  Make(TFormBorderStyle::bsSingle, true);
  auto& list = Frame->Objects();
  ASSERT_EQ(list.Count(), 5);
  EXPECT_TRUE(list.At(1)->ObjectVisible);   // close
  EXPECT_FALSE(list.At(2)->ObjectVisible);  // maximize: no icon, drawn from its own picture
  EXPECT_TRUE(list.At(3)->ObjectVisible);   // minimize
  EXPECT_EQ(list.At(1)->ObjectRect, Rect(367, 9, 375, 17));
  EXPECT_EQ(list.At(3)->ObjectRect, Rect(359, 9, 367, 17));
  EXPECT_EQ(list.At(4)->ObjectRect, Rect(351, 9, 359, 17));
}

TEST_F(TFrameFixture, HoverPlaysTheCloseAnimationAndLeavingRunsItBack) {
  Make(TFormBorderStyle::bsSingle, true);
  ASSERT_EQ(::GetActiveWindow(), Window());
  auto* close = static_cast<TvnSkinAnimateObject*>(Frame->Objects().At(1));
  const TRect w = WindowRect();
  ::SetCursorPos(w.Left + 371, w.Top + 12);
  EXPECT_EQ(Hit(371, 12), HTOBJECT_CODE);
  std::vector<int> frames;
  std::vector<DWORD> reached;
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < 600) {
    Pump(10);
    if (frames.empty() || frames.back() != close->CurrentFrame) {
      frames.push_back(close->CurrentFrame);
      reached.push_back(::GetTickCount());
    }
  }
  EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 5}));
  // The skin's interval is 50 ms: frames 2 to 5 lie at least three intervals apart (a lower
  // bound only; a busy machine may be later, never earlier).
  if (reached.size() == 5) {
    EXPECT_GE(reached[4] - reached[1], 3u * 50u - 20u);
  }
  ::SetCursorPos(w.Left + 200, w.Top + 200);
  Pump(600);
  EXPECT_EQ(close->CurrentFrame, 1);
  EXPECT_FALSE(close->ActiveLook);
}

TEST_F(TFrameFixture, PressOnCloseAndReleaseOutsideKeepsTheWindow) {
  Make(TFormBorderStyle::bsSingle, true);
  const TRect w = WindowRect();
  const LPARAM onClose = MAKELPARAM(w.Left + 371, w.Top + 12);
  ::SetCursorPos(w.Left + 371, w.Top + 12);
  Hit(371, 12);
  ::SendMessageW(Window(), WM_NCLBUTTONDOWN, HTOBJECT_CODE, onClose);
  EXPECT_EQ(::GetCapture(), Window());
  ::SetCursorPos(w.Left + 200, w.Top + 200);
  Pump(150);  // the hover timer sees the mouse leave
  ::SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(192, 172));
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_TRUE(::IsWindowVisible(Window()));

  // Pressed and released on it: the window closes.
  ::SetCursorPos(w.Left + 371, w.Top + 12);
  Hit(371, 12);
  Pump(60);
  ::SendMessageW(Window(), WM_NCLBUTTONDOWN, HTOBJECT_CODE, onClose);
  ::SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(363, -16));
  EXPECT_FALSE(::IsWindowVisible(Window()));
}

TEST_F(TFrameFixture, RollUpToTheFrameHeightAndBackByCaptionDoubleClick) {
  Make(TFormBorderStyle::bsSingle, true);
  const TRect w = WindowRect();
  const LPARAM onCaption = MAKELPARAM(w.Left + 100, w.Top + 10);
  ::SendMessageW(Window(), WM_NCLBUTTONDBLCLK, HTCAPTION, onCaption);
  EXPECT_TRUE(Frame->FrameState().RolledUp);
  EXPECT_EQ(WindowRect().Height(), 45);  // 135 - 90: the frame alone
  ::SendMessageW(Window(), WM_NCLBUTTONDBLCLK, HTCAPTION, onCaption);
  EXPECT_FALSE(Frame->FrameState().RolledUp);
  EXPECT_EQ(WindowRect().Height(), 392);
}

TEST_F(TFrameFixture, DoubleClickOnAButtonIsASecondClickAndGivesTheMouseBack) {
  Make(TFormBorderStyle::bsSingle, true);
  const TRect rollUp = Frame->Objects().At(4)->ObjectRect;
  const int x = rollUp.Left + 4, y = rollUp.Top + 4;
  const TRect w = WindowRect();
  ::SetCursorPos(w.Left + x, w.Top + y);
  Hit(x, y);
  Pump(60);
  const LPARAM at = MAKELPARAM(w.Left + x, w.Top + y);
  // Released where it was pressed: in client coordinates, above the client area.
  const LPARAM release = MAKELPARAM(x - 8, y - 28);
  ::SendMessageW(Window(), WM_NCLBUTTONDOWN, HTOBJECT_CODE, at);
  ::SendMessageW(Window(), WM_LBUTTONUP, 0, release);
  EXPECT_TRUE(Frame->FrameState().RolledUp);
  // The second press of a double-click arrives as a double-click message.
  ::SendMessageW(Window(), WM_NCLBUTTONDBLCLK, HTOBJECT_CODE, at);
  EXPECT_EQ(::GetCapture(), Window());
  ::SendMessageW(Window(), WM_LBUTTONUP, 0, release);
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_FALSE(Frame->FrameState().RolledUp);
  EXPECT_EQ(WindowRect().Height(), 392);
}

// Counts the frame paints a window receives, ahead of every procedure the form has.
struct TFramePaintCounter {
  static inline int Count = 0;
  static inline WNDPROC Previous = nullptr;
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCPAINT) ++Count;
    return ::CallWindowProcW(Previous, w, msg, wp, lp);
  }
  explicit TFramePaintCounter(HWND w) : Window(w) {
    Previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TFramePaintCounter::Proc)));
  }
  ~TFramePaintCounter() { ::SetWindowLongPtrW(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Previous)); }
  HWND Window;
};

TEST_F(TFrameFixture, ResizingPaintsTheFrameOncePerSize) {
  Make(TFormBorderStyle::bsSizeable, true);
  TFramePaintCounter counter(Window());
  for (const auto& [w, h] : {std::pair{400, 300}, std::pair{640, 480}, std::pair{250, 200}, std::pair{800, 600}}) {
    TFramePaintCounter::Count = 0;
    ::SetWindowPos(Window(), nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump(50);
    EXPECT_EQ(TFramePaintCounter::Count, 1) << "frame paints at " << w << " x " << h;
    EXPECT_EQ(WindowRect().Width(), w);
  }
}

TEST_F(TFrameFixture, MaximizeFillsTheWorkAreaStaysPutAndRestores) {
  Make(TFormBorderStyle::bsSizeable, true);
  Frame->SetBorderIcons(kDefaultBorderIcons);
  const TRect before = WindowRect();
  RECT work;
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int sw = ::GetSystemMetrics(SM_CXSCREEN), sh = ::GetSystemMetrics(SM_CYSCREEN);
  // A work area that covers the whole screen leaves one pixel free on every side, so that a
  // hidden taskbar can still be reached.
  const TRect expected = work.left == 0 && work.top == 0 && work.right == sw && work.bottom == sh
                             ? Rect(1, 1, sw - 1, sh - 1)
                             : Rect(work.left, work.top, work.right, work.bottom);
  // A caption double-click on a sizeable window with the maximize icon maximizes it.
  ::SendMessageW(Window(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(before.Left + 100, before.Top + 10));
  EXPECT_EQ(Frame->FrameState().WindowState, wsMaximized);
  EXPECT_EQ(WindowRect(), expected);

  // Dragging it: the proposed rectangle is replaced by where it is.
  RECT proposed{10, 20, 10 + expected.Width(), 20 + expected.Height()};
  ::SendMessageW(Window(), WM_MOVING, WMSZ_TOP, reinterpret_cast<LPARAM>(&proposed));
  EXPECT_EQ(Rect(proposed.left, proposed.top, proposed.right, proposed.bottom), expected);

  ::SendMessageW(Window(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(expected.Left + 100, expected.Top + 10));
  EXPECT_EQ(Frame->FrameState().WindowState, wsNormal);
  EXPECT_EQ(WindowRect(), before);
}

TEST_F(TFrameFixture, MagneticEdgesAndSizeLimits) {
  Make(TFormBorderStyle::bsSizeable, true);
  Frame->Magnetic = true;
  RECT work;
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const TRect w = WindowRect();
  RECT near4{work.left + 4, 200, work.left + 4 + w.Width(), 200 + w.Height()};
  ::SendMessageW(Window(), WM_MOVING, WMSZ_TOP, reinterpret_cast<LPARAM>(&near4));
  EXPECT_EQ(near4.left, work.left);
  EXPECT_EQ(near4.right, work.left + w.Width());
  RECT away5{work.left + 5, 200, work.left + 5 + w.Width(), 200 + w.Height()};
  ::SendMessageW(Window(), WM_MOVING, WMSZ_TOP, reinterpret_cast<LPARAM>(&away5));
  EXPECT_EQ(away5.left, work.left + 5);

  // The skin's picture is the smallest frame; the work area the largest.
  MINMAXINFO info{};
  ::SendMessageW(Window(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 191);
  EXPECT_EQ(info.ptMinTrackSize.y, 45);
  EXPECT_EQ(info.ptMaxTrackSize.x, work.right - work.left);
  EXPECT_EQ(info.ptMaxTrackSize.y, work.bottom - work.top);
  Frame->MinWidth = 300;
  Frame->MaxHeight = 500;
  ::SendMessageW(Window(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 300);
  EXPECT_EQ(info.ptMaxTrackSize.y, 500);
}

TEST_F(TFrameFixture, PointsLeftOfAndAboveThePrimaryScreenAreReadSigned) {
  Make(TFormBorderStyle::bsSingle, true);
  ::SetWindowPos(Window(), nullptr, -300, -200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_EQ(WindowRect().Left, -300);
  EXPECT_EQ(Hit(200, 200), HTCLIENT);
  EXPECT_EQ(Hit(200, 12), HTCAPTION);
  EXPECT_EQ(Hit(371, 12), HTOBJECT_CODE);
  // A press on the close button there reaches the button.
  const LPARAM onClose = MAKELPARAM(static_cast<WORD>(-300 + 371), static_cast<WORD>(-200 + 12));
  ::SendMessageW(Window(), WM_NCLBUTTONDOWN, HTOBJECT_CODE, onClose);
  EXPECT_EQ(::GetCapture(), Window());
  ::ReleaseCapture();
}

TEST_F(TFrameFixture, RepaintsAndActivationsLeaveNoGdiObjects) {
  Make(TFormBorderStyle::bsSizeable, true);
  const long live = TvnGdiCount::Live();
  for (int i = 0; i < 200; ++i) {
    ::SendMessageW(Window(), WM_NCACTIVATE, i % 2, 0);
    ::SendMessageW(Window(), WM_NCPAINT, 0, 0);
    ::RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
  for (int i = 0; i < 20; ++i) Frame->ApplySkin();
  EXPECT_EQ(TvnGdiCount::Live(), live);
}

// A minimized secondary window is a caption bar as wide as the frame the current skin draws:
// a skin applied while it is minimized narrows or widens it to that width (MinWidth counts
// only without a skin).
TEST_F(TFrameFixture, ApplyingASkinToAMinimizedWindowSizesItToTheFrame) {
  struct Case {
    bool SkinnedBefore, SkinnedAfter;
    int MinWidth;
    int Width, Height;
  };
  for (const Case c : {Case{true, false, 0, 120, 25}, Case{false, true, 300, 191, 45},
                       Case{true, false, 300, 300, 25}}) {
    Make(TFormBorderStyle::bsSingle, c.SkinnedBefore);
    if (!Skin) Skin = MakeSkin();
    Frame->MinWidth = c.MinWidth;
    Frame->ChangeWindowState(wsMinimized);
    ASSERT_EQ(Frame->FrameState().WindowState, wsMinimized);
    Frame->SetSkinData(c.SkinnedAfter ? Skin.get() : nullptr);
    EXPECT_EQ(WindowRect().Width(), c.Width) << "skinned after: " << c.SkinnedAfter << ", MinWidth " << c.MinWidth;
    EXPECT_EQ(WindowRect().Height(), c.Height) << "skinned after: " << c.SkinnedAfter << ", MinWidth " << c.MinWidth;
    Form.reset();
    Skin.reset();
  }
}

// A borderless window has no frame to paint, but its caption object and OnActivate /
// OnDeActivate still follow the activation the platform announces.
TEST_F(TFrameFixture, BorderlessWindowFollowsNonClientActivation) {
  Make(TFormBorderStyle::bsNone, true);
  std::vector<std::string> events;
  Frame->OnActivate = [&](TvnVeneerForm&) { events.push_back("activate"); };
  Frame->OnDeActivate = [&](TvnVeneerForm&) { events.push_back("deactivate"); };
  TvnActiveSkinObject* caption = Frame->Objects().At(0);
  ASSERT_NE(caption, nullptr);
  for (const bool active : {false, true}) {
    events.clear();
    ::SendMessageW(Window(), WM_NCACTIVATE, active, 0);
    EXPECT_EQ(caption->ActiveLook, active);
    EXPECT_EQ(events, std::vector<std::string>{active ? "activate" : "deactivate"});
  }
}

// Freeing the skin data under a skinned window: the default look at once, without the skin's
// region, with the default insets and the default hit codes.
TEST_F(TFrameFixture, FreeingTheSkinDataGivesTheDefaultLookAtOnce) {
  Make(TFormBorderStyle::bsSingle, true);
  ASSERT_EQ(Hit(3, 200), HTOBJECT_CODE);  // skinned: the client starts 8 pixels in
  Skin.reset();
  EXPECT_EQ(Frame->SkinData(), nullptr);
  EXPECT_FALSE(Frame->SkinSupport());
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(::GetWindowRgn(Window(), region), ERROR) << "the skin's region is still on the window";
  ::DeleteObject(region);
  const TRect w = WindowRect();
  POINT origin{0, 0};
  ::ClientToScreen(Window(), &origin);
  EXPECT_EQ(origin.x - w.Left, 3);
  EXPECT_EQ(origin.y - w.Top, 22);
  struct Case { int X, Y, Code; };
  for (const Case c : {Case{2, 200, HTOBJECT_CODE}, Case{3, 200, HTCLIENT}, Case{100, 10, HTCAPTION},
                       Case{w.Width() - 4, w.Height() - 4, HTCLIENT}, Case{w.Width() - 3, 200, HTOBJECT_CODE}})
    EXPECT_EQ(Hit(c.X, c.Y), c.Code) << "at " << c.X << ", " << c.Y;
}

// ---- pixels, translucency and GDI objects ------------------------------------------------

// What the client area shows, read back from its DC.
TPixelBitmap CaptureClient(HWND window) {
  RECT r{};
  ::GetClientRect(window, &r);
  TPixelBitmap result(r.right, r.bottom);
  TvnDibSurface surface(r.right, r.bottom);
  HDC dc = ::GetDC(window);
  ::BitBlt(surface.DC(), 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
  ::ReleaseDC(window, dc);
  surface.CopyTo(result);
  return result;
}

TEST_F(TFrameFixture, ShowIconPutsTheWindowIconOnTheSystemMenuButton) {
  Make(TFormBorderStyle::bsSingle, false);
  Frame->SetBorderIcons(TvnBorderIcons{TvnBorderIcon::biSystemMenu, TvnBorderIcon::biMinimize});
  ::SendMessageW(Window(), WM_NCPAINT, 0, 0);
  const TPoint icon = Frame->SmallIconSize();
  ASSERT_GT(icon.X, 0);
  const TPixelBitmap glyph = Capture(Window());
  const long withoutIcon = TvnGdiCount::Live();
  Frame->SetShowIcon(true);  // repaints
  const TPixelBitmap shown = Capture(Window());
  EXPECT_EQ(TvnGdiCount::Live(), withoutIcon + 1);  // the cached icon, and nothing else

  // What the button area must show: the application icon (this program has no icon of its
  // own) at small-icon size, drawn over the caption's face colour.
  HICON system = static_cast<HICON>(::LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  ASSERT_NE(system, nullptr);
  HICON small = static_cast<HICON>(::CopyImage(system, IMAGE_ICON, icon.X, icon.Y, LR_COPYFROMRESOURCE));
  ::DestroyIcon(system);
  TPixelBitmap face(icon.X, icon.Y);
  face.Fill(::GetSysColor(COLOR_BTNFACE));
  TPixelBitmap want(icon.X, icon.Y);
  {
    TvnDibSurface expected(icon.X, icon.Y);
    expected.Assign(face);
    ::DrawIconEx(expected.DC(), 0, 0, small, 0, 0, 0, nullptr, DI_NORMAL);
    expected.CopyTo(want);
  }
  ::DestroyIcon(small);
  int mismatches = 0, notFace = 0, changed = 0;
  for (int y = 0; y < icon.Y; ++y)
    for (int x = 0; x < icon.X; ++x) {
      const std::uint32_t got = shown.GetPixel(3 + x, 4 + y);
      mismatches += got != want.GetPixel(x, y);
      notFace += got != face.GetPixel(x, y);
      changed += got != glyph.GetPixel(3 + x, 4 + y);
    }
  EXPECT_EQ(mismatches, 0);
  EXPECT_GT(notFace, icon.X * icon.Y / 4);  // icon pixels, not an empty button
  EXPECT_GT(changed, 0);
  // Repaints draw the cached icon again; no new one is made.
  for (int i = 0; i < 5; ++i) ::SendMessageW(Window(), WM_NCPAINT, 0, 0);
  EXPECT_EQ(TvnGdiCount::Live(), withoutIcon + 1);
}

// A 20 x 10 logo: blue with a red dot, its bottom-left pixel (and one more) green.
TPixelBitmap MakeLogo() {
  TPixelBitmap logo(20, 10);
  logo.Fill(0xFF0000);
  logo.SetPixel(0, 9, 0x00FF00);
  logo.SetPixel(19, 0, 0x00FF00);
  logo.SetPixel(10, 5, 0x0000FF);
  return logo;
}

TEST_F(TFrameFixture, LogoCentredOverTheClientBackgroundAndFollowingTheSize) {
  Make(TFormBorderStyle::bsSizeable, true);
  Frame->SetLogoBitMap(MakeLogo());
  ::UpdateWindow(Window());
  RECT client{};
  ::GetClientRect(Window(), &client);
  const TPoint at{client.right / 2 - 10, client.bottom / 2 - 5};
  TPixelBitmap shown = CaptureClient(Window());
  // The background is the skin's client piece tiled from the client's top-left.
  const TvnSkinData& s = *Skin;
  EXPECT_EQ(shown.GetPixel(0, 0), s.Picture.GetPixel(8, 28));
  EXPECT_EQ(shown.GetPixel(177, 91), s.Picture.GetPixel(8 + 1, 28 + 1));
  EXPECT_EQ(shown.GetPixel(at.X, at.Y), 0xFF0000u);
  EXPECT_EQ(shown.GetPixel(at.X + 10, at.Y + 5), 0x0000FFu);
  EXPECT_EQ(shown.GetPixel(at.X, at.Y + 9), 0x00FF00u);  // opaque: the key colour shows too
  EXPECT_NE(shown.GetPixel(at.X - 1, at.Y), 0xFF0000u);
  EXPECT_NE(shown.GetPixel(at.X + 20, at.Y), 0xFF0000u);

  // Transparent: pixels of the bottom-left colour show the background.
  Frame->LogoBitMapTransparent = true;
  ::RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  shown = CaptureClient(Window());
  const int tx = (at.X + 0) % 176, ty = (at.Y + 9) % 90;
  EXPECT_EQ(shown.GetPixel(at.X, at.Y + 9), s.Picture.GetPixel(8 + tx, 28 + ty));
  EXPECT_EQ(shown.GetPixel(at.X + 19, at.Y), s.Picture.GetPixel(8 + (at.X + 19) % 176, 28 + at.Y % 90));
  EXPECT_EQ(shown.GetPixel(at.X + 1, at.Y), 0xFF0000u);

  // A larger window: the logo is at the new centre at once.
  Form->SetBounds(100, 100, 501, 433);
  ::UpdateWindow(Window());
  ::GetClientRect(Window(), &client);
  const TPoint moved{client.right / 2 - 10, client.bottom / 2 - 5};
  ASSERT_NE(moved.X, at.X);
  shown = CaptureClient(Window());
  EXPECT_EQ(shown.GetPixel(moved.X + 1, moved.Y), 0xFF0000u);
  EXPECT_EQ(shown.GetPixel(moved.X + 10, moved.Y + 5), 0x0000FFu);
}

// ---- the component read from a window description ------------------------------------------

// A form whose handlers the description wires to the component's events; each call is logged.
struct TDescribedForm : TForm {
  using TForm::TForm;
  std::vector<std::string> Calls;
  void Notified(TComponent* sender) { Calls.push_back("notified by " + sender->Name()); }
  void ObjectShown(const std::string& id, bool& visible) {
    visible = true;
    Calls.push_back("shown " + id);
  }
  void ObjectPainted(const std::string& id, TvnFramePainter&, const TRect& r) {
    Calls.push_back("painted " + id + " " + std::to_string(r.Right));
  }
  void ObjectEntered(const std::string& id) { Calls.push_back("entered " + id); }
  void ObjectLeft(const std::string& id) { Calls.push_back("left " + id); }
  void ObjectPressed(const std::string& id, int x, int y, const TRect&, TvnMouseButton b) {
    Calls.push_back("pressed " + id + " " + std::to_string(x) + "," + std::to_string(y) +
                    (b == TvnMouseButton::Right ? " right" : ""));
  }
  void ObjectReleased(const std::string& id, int x, int y, const TRect&, TvnMouseButton) {
    Calls.push_back("released " + id + " " + std::to_string(x) + "," + std::to_string(y));
  }
  void ObjectMoved(const std::string& id, int x, int y, const TRect&) {
    Calls.push_back("moved " + id + " " + std::to_string(x) + "," + std::to_string(y));
  }
};

TClassRegistry DescribedFormRegistry() {
  TClassRegistry r;
  RegisterVeneerFormClasses(r);
  using D = TDescribedForm;
  r.Register(RootClass<D>("TDescribedForm", "",
                          {Handler<D>("Notified", &D::Notified), Handler<D>("ObjectShown", &D::ObjectShown),
                           Handler<D>("ObjectPainted", &D::ObjectPainted),
                           Handler<D>("ObjectEntered", &D::ObjectEntered), Handler<D>("ObjectLeft", &D::ObjectLeft),
                           Handler<D>("ObjectPressed", &D::ObjectPressed),
                           Handler<D>("ObjectReleased", &D::ObjectReleased), Handler<D>("ObjectMoved", &D::ObjectMoved)},
                          {}));
  return r;
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  static const char* d = "0123456789ABCDEF";
  std::string out;
  for (std::uint8_t b : bytes) out += {d[b >> 4], d[b & 15]};
  return out;
}

// The frame of a described form, read from the component's lines.
TvnVeneerForm& ReadFrame(TDescribedForm& form, const std::string& lines, const TClassRegistry& registry) {
  ReadDescription("object Form1: TDescribedForm\n  object vnVeneerForm1: TvnVeneerForm\n" + lines + "  end\nend\n", form,
                  registry);
  auto* frame = dynamic_cast<TvnVeneerForm*>(form.FindComponent("vnVeneerForm1"));
  if (!frame) throw std::runtime_error("no frame read");
  return *frame;
}

TEST(FrameDescription, EveryEventAndTheLogoAreSetFromADescription) {
  const TClassRegistry registry = DescribedFormRegistry();
  using Plain = std::function<void(TvnVeneerForm&)> TvnVeneerForm::*;
  const std::pair<const char*, Plain> plain[] = {
      {"OnChangeSkinData", &TvnVeneerForm::OnChangeSkinData}, {"OnActivate", &TvnVeneerForm::OnActivate},
      {"OnDeActivate", &TvnVeneerForm::OnDeActivate}, {"OnChangeRollUpState", &TvnVeneerForm::OnChangeRollUpState},
      {"OnMinimizeToTray", &TvnVeneerForm::OnMinimizeToTray}, {"OnRestoreFromTray", &TvnVeneerForm::OnRestoreFromTray},
      {"OnSkinMenuOpen", &TvnVeneerForm::OnSkinMenuOpen}, {"OnSkinMenuClose", &TvnVeneerForm::OnSkinMenuClose},
      {"OnMainMenuEnter", &TvnVeneerForm::OnMainMenuEnter}, {"OnMainMenuExit", &TvnVeneerForm::OnMainMenuExit}};
  std::string lines = "    LogoBitMap = {\n      " + Hex(EncodeBmp(MakeLogo())) + "\n    }\n";
  for (const auto& [name, event] : plain) lines += std::string("    ") + name + " = Notified\n";
  lines +=
      "    OnActivateCustomObject = ObjectShown\n    OnPaintEvent = ObjectPainted\n"
      "    OnMouseEnterEvent = ObjectEntered\n    OnMouseLeaveEvent = ObjectLeft\n"
      "    OnMouseDownEvent = ObjectPressed\n    OnMouseUpEvent = ObjectReleased\n    OnMouseMoveEvent = ObjectMoved\n";
  TDescribedForm form(nullptr);
  TvnVeneerForm& frame = ReadFrame(form, lines, registry);
  EXPECT_EQ(frame.LogoBitMap(), MakeLogo());
  for (const auto& [name, event] : plain) {
    form.Calls.clear();
    ASSERT_TRUE(frame.*event) << name;
    (frame.*event)(frame);
    EXPECT_EQ(form.Calls, std::vector<std::string>{"notified by vnVeneerForm1"}) << name;
  }
  form.Calls.clear();
  bool visible = false;
  TvnDibSurface surface(1, 1);
  TvnDibPainter painter(surface, {0, 0});
  frame.OnActivateCustomObject("helpbutton", visible);
  frame.OnPaintEvent("clock", painter, Rect(1, 2, 30, 40));
  frame.OnMouseEnterEvent("clock");
  frame.OnMouseLeaveEvent("clock");
  frame.OnMouseDownEvent("clock", 5, 6, Rect(0, 0, 1, 1), TvnMouseButton::Right);
  frame.OnMouseUpEvent("clock", 7, 8, Rect(0, 0, 1, 1), TvnMouseButton::Left);
  frame.OnMouseMoveEvent("clock", -1, -1, Rect(0, 0, 1, 1));
  EXPECT_TRUE(visible);
  EXPECT_EQ(form.Calls, (std::vector<std::string>{"shown helpbutton", "painted clock 30", "entered clock", "left clock",
                                                  "pressed clock 5,6 right", "released clock 7,8", "moved clock -1,-1"}));
}

TEST(FrameDescription, PlainHandlersFitObjectEventsAndFaultsNameTheLine) {
  const TClassRegistry registry = DescribedFormRegistry();
  {
    TDescribedForm form(nullptr);
    TvnVeneerForm& frame = ReadFrame(form, "    OnMouseEnterEvent = Notified\n    LogoBitMap = {}\n", registry);
    frame.OnMouseEnterEvent("clock");
    EXPECT_EQ(form.Calls, std::vector<std::string>{"notified by vnVeneerForm1"});
    EXPECT_TRUE(frame.LogoBitMap().IsEmpty());
  }
  struct Case { const char* lines; const char* says; } cases[] = {
      {"    OnActivate = ObjectEntered\n", "does not take the parameters of OnActivate"},
      {"    OnPaintEvent = ObjectEntered\n", "does not take the parameters of OnPaintEvent"},
      {"    LogoBitMap = {424D00}\n", "LogoBitMap"},
  };
  for (const auto& c : cases) {
    TDescribedForm form(nullptr);
    try {
      ReadFrame(form, c.lines, registry);
      ADD_FAILURE() << "no error for: " << c.lines;
    } catch (const TDescriptionError& e) {
      EXPECT_EQ(e.Line(), 3) << c.lines << " -> " << e.what();
      EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << c.lines << " -> " << e.what();
    }
  }
}

TEST(FrameAlphaBlend, FadeInEndsAtTheValueAndSettersApplyAtRunTime) {
  const DWORD version = ::GetVersion();
  std::printf("GetVersion: %lu.%lu; layered windows %s\n", static_cast<unsigned long>(version & 0xFF),
              static_cast<unsigned long>((version >> 8) & 0xFF), IsLayeredWindowSystem() ? "available" : "absent");
  if (!IsLayeredWindowSystem()) GTEST_SKIP() << "no layered windows on this system";
  const long before = TvnGdiCount::Live();
  {
    TForm form(nullptr);
    form.SetBounds(100, 100, 300, 200);
    auto* frame = TComponent::Create<TvnVeneerForm>(&form);
    frame->SetAlphaBlendValue(150);
    frame->SetAlphaBlend(true);
    HWND window = form.Handle();
    form.Show();
    // Shown layered and invisible, the timer then brings it to the value.
    EXPECT_NE(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    Pump(100);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(window, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 150);
    EXPECT_NE(flags & LWA_ALPHA, 0u);
    frame->SetAlphaBlendValue(90);
    ASSERT_TRUE(::GetLayeredWindowAttributes(window, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 90);
    frame->SetAlphaBlendValue(400);  // a byte: kept within 0..255
    EXPECT_EQ(frame->GetAlphaBlendValue(), 255);
    frame->SetAlphaBlend(false);
    EXPECT_EQ(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    // Hiding a translucent window drops the layered style.
    frame->SetAlphaBlendValue(120);
    frame->SetAlphaBlend(true);
    EXPECT_NE(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    ::ShowWindow(window, SW_HIDE);
    EXPECT_EQ(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED, 0);

    // The fade alone ends opaque and unlayered.
    frame->SetAlphaBlend(false);
    frame->AlphaBlendAnimation = true;
    ::ShowWindow(window, SW_SHOW);
    EXPECT_NE(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    Pump(100);
    EXPECT_EQ(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_TRUE(::IsWindowVisible(window));
  }
  EXPECT_EQ(TvnGdiCount::Live(), before);
}

// The stored skin block of the program's window description.
std::vector<std::uint8_t> EmbeddedSkinBlock() {
  const std::vector<std::uint8_t> text = ReadFileBytes(std::filesystem::path(QUILLON_SOURCE_DIR) / "app" / "Unit1.desc");
  return StoredSkinBlockOf(ParseDescription(std::string(text.begin(), text.end())));
}

// The program's embedded skin on a window, loaded and reloaded through a skin data owned by the
// form whose notices reach the form as window messages; activations through a second window;
// repaints of frame and client. Every GDI object, DC and region the frame makes must be gone
// again afterwards.
TEST(FrameGdiObjects, EmbeddedSkinSurvivesActivationsRepaintsAndReloadsWithoutLeaks) {
  const std::vector<std::uint8_t> block = EmbeddedSkinBlock();
  ASSERT_FALSE(block.empty());
  const long before = TvnGdiCount::Live();
  {
    TForm other(nullptr);
    other.SetBounds(600, 100, 200, 150);
    other.Show();
    auto form = std::make_unique<TForm>(nullptr);
    form->SetText(L"Quillon");
    form->SetBounds(100, 100, 385, 392);
    auto* frame = TComponent::Create<TvnVeneerForm>(form.get());
    auto* data = TComponent::Create<TvnSkinData>(form.get());
    data->SetNoticeSender(&FormsSkinNoticeSender());
    frame->SetSkinData(data);
    TvnCompressedStoredSkin stored;
    stored.SetCompressedData(block);
    data->LoadCompressedSkin(stored);
    ASSERT_TRUE(frame->SkinSupport());
    const int objects = frame->Objects().Count();
    EXPECT_EQ(objects, 7);
    form->Show();
    HWND window = form->Handle();
    Pump(50);
    const long settled = TvnGdiCount::Live();
    EXPECT_GE(settled, before);

    const auto start = std::chrono::steady_clock::now();
    int activeSeen = 0, inactiveSeen = 0;
    for (int i = 0; i < 1000; ++i) {
      ::SetActiveWindow(window);
      activeSeen += frame->IsFormActive();
      ::SetActiveWindow(other.Handle());
      inactiveSeen += !frame->IsFormActive();
    }
    EXPECT_EQ(activeSeen, 1000);
    EXPECT_EQ(inactiveSeen, 1000);
    ::SetActiveWindow(window);
    for (int i = 0; i < 1000; ++i)
      ::RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(TvnGdiCount::Live(), settled);
    for (int i = 0; i < 100; ++i) {
      data->LoadCompressedSkin(stored);
      ASSERT_TRUE(frame->SkinSupport()) << i;
      ASSERT_EQ(frame->Objects().Count(), objects) << i;
    }
    Pump(50);
    EXPECT_EQ(TvnGdiCount::Live(), settled);
    // The region follows the skin after the reloads: the corner pixel is outside the window.
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(::GetWindowRgn(window, region), ERROR);
    EXPECT_FALSE(::PtInRegion(region, 0, 0));
    ::DeleteObject(region);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("2000 activations, 1000 repaints, 100 reloads: %.1f s\n", seconds);
  }
  EXPECT_EQ(TvnGdiCount::Live(), before) << "GDI objects of the frame left behind";
}

}  // namespace

namespace {

TEST(FrameShowing, ThePlatformMenuBarComesOffAndTheFrameIsLaidOutForTheShownSize) {
  TForm form(nullptr);
  form.SetBounds(50, 50, 300, 200);
  auto* frame = TComponent::Create<TvnVeneerForm>(&form);
  HMENU menu = ::CreateMenu();
  ::AppendMenuW(menu, MF_STRING, 1, L"File");
  ::SetMenu(form.Handle(), menu);
  form.Show();
  EXPECT_EQ(::GetMenu(form.Handle()), nullptr);
  EXPECT_TRUE(::IsMenu(menu)) << "the menu belongs to whoever set it";
  ::DestroyMenu(menu);
  RECT r;
  ::GetWindowRect(form.Handle(), &r);
  EXPECT_EQ(r.right - r.left, 300);
  EXPECT_EQ(frame->Objects().Count(), 6);  // the default buttons, made by the first frame paint
}

}  // namespace

// A window moved to a monitor at 144 DPI: the form takes the suggested rectangle, the frame is
// the skin scaled by 1.5 (insets, region, hit areas, pixels), and back at 96 DPI every pixel is
// what it was.
TEST_F(TFrameFixture, ADpiChangeScalesTheFrameAndComingBackIsPixelIdentical) {
  Make(TFormBorderStyle::bsSingle, true);
  const TPixelBitmap before = Capture(Window());
  const auto changeDpi = [&](int dpi, int width, int height) {
    const TRect w = WindowRect();
    RECT suggested{w.Left, w.Top, w.Left + width, w.Top + height};
    ::SendMessageW(Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    ::RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump(150);
  };
  changeDpi(144, 578, 588);
  ASSERT_EQ(Form->PixelsPerInch(), 144);
  const TRect w = WindowRect();
  ASSERT_EQ(w.Width(), 578);
  ASSERT_EQ(w.Height(), 588);
  POINT origin{0, 0};
  ::ClientToScreen(Window(), &origin);
  EXPECT_EQ(origin.x - w.Left, 12);  // the client rectangle's 8, 28 at 1.5
  EXPECT_EQ(origin.y - w.Top, 42);

  // The region is the scaled mask's, and the corner left out of the mask stays out.
  const TvnSkinData& s = Skin->AtDpi(144);
  ASSERT_EQ(s.Mask.Width(), 287);  // 191 at 1.5, rounded up from 286.5
  const TPixelBitmap covered = RegionPixels(Window(), 578, 588);
  EXPECT_EQ(FrameRegionMismatches(s, covered), 0);
  EXPECT_EQ(covered.GetPixel(2, 2), kOutOfRegion);  // the two corner pixels became three
  EXPECT_EQ(covered.GetPixel(3, 3), kInRegion);

  // The caption object starts at 34 at 96 DPI, so at 51 here, not one pixel before.
  EXPECT_EQ(Hit(51, 15), HTCAPTION);
  EXPECT_NE(Hit(50, 15), HTCAPTION);
  EXPECT_EQ(Hit(300, 300), HTCLIENT);

  // The top-left corner left of the caption is the scaled picture's, pixel for pixel.
  const TPixelBitmap shot = Capture(Window());
  const TPixelBitmap picture = ScaleSkinPicture(Skin->Picture, 144);
  int differing = 0;
  for (int y = 3; y < 42; ++y)
    for (int x = 3; x < 51; ++x) differing += shot.GetPixel(x, y) != picture.GetPixel(x, y);
  EXPECT_EQ(differing, 0);
  SaveShot(shot, "frame-144dpi.bmp");

  // A control placed now with bounds and a font for 96 DPI takes the form's 144; bounds given
  // once it is placed are taken as they are.
  auto* button = TComponent::Create<TButton>(Form.get());
  button->SetBounds(10, 21, 30, 40);
  button->FontForChange().Height = -11;
  button->SetParent(Form.get());
  EXPECT_EQ(button->BoundsRect(), Rect(15, 32, 60, 92));  // 31.5 and 1.5 * 40 = 60 rounded away
  EXPECT_EQ(button->Font().Height, -17);
  button->SetBounds(10, 21, 30, 40);
  EXPECT_EQ(button->BoundsRect(), Rect(10, 21, 40, 61));
  button->SetVisible(false);  // the window must look as it did before it came

  changeDpi(96, 385, 392);
  EXPECT_EQ(Form->PixelsPerInch(), 96);
  EXPECT_TRUE(Capture(Window()) == before);
}
