// The skinned maximize button standing in for the platform's own (SnapLayouts), on real
// windows: its hit code on its edges, its looks driven by the non-client messages the platform
// sends for that button, and its click.
#include "tests/skin/form/FrameWinFixture.h"

#include "skin/data/vnIniFile.h"
#include "skin/data/vnSkinDataObjects.h"
#include "tests/support/WindowTesting_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// The looks of the maximize button, 10 x 10 each, side by side in one picture.
enum TLook { lkNormal, lkHot, lkPressed, lkRestore, lkRestoreHot, lkRestorePressed };
constexpr std::uint32_t kLookColours[] = {0x0000C0, 0x00C000, 0xC00000, 0x00C0C0, 0xC0C000, 0xC000C0};

struct TSnapFixture : TFrameFixture {
  TvnActiveSkinObject* Max = nullptr;  // owned by the frame

  // A sizeable skinned window with all caption buttons, the maximize one a button whose looks
  // are plain colours (the fixture's animations show one colour in every frame).
  void MakeSnap(bool snap) {
    Make(TFormBorderStyle::bsSizeable, true);
    TPixelBitmap& looks = Skin->ActivePictures.emplace_back();
    looks.SetSize(60, 10);
    for (int look = 0; look < 6; ++look)
      for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) looks.SetPixel(look * 10 + x, y, kLookColours[look]);
    auto& list = Skin->ObjectDescriptions;
    list.erase(std::remove_if(list.begin(), list.end(), [](const auto& d) { return d->SectionName == "MaxAnimate"; }),
               list.end());
    LoadObjectDescriptions(TvnIniFile("[SKINOBJECTS]\ncount=1\n0=MaxButton:stdbutton\n"
                                      "[MaxButton]\nactivepictureindex=1\nskinrectinapicture=1\n"
                                      "skinrect=0,0,10,10\nactiveskinrect=10,0,20,10\ndownrect=20,0,30,10\n"
                                      "restorerect=30,0,40,10\nrestoreactiverect=40,0,50,10\n"
                                      "restoredownrect=50,0,60,10\ncommand=cmmaximize\n"),
                           list);
    Frame->SetBorderIcons(kDefaultBorderIcons);
    Frame->SnapLayouts = snap;
    Frame->ApplySkin();
    for (auto& o : Frame->Objects().Objects())
      if (o->IDName == "MaxButton") Max = o.get();
    ASSERT_NE(Max, nullptr);
    ParkCursor();
    Pump(100);
  }
  // The mouse away from the window: the frame's own hover polling sees nothing on it, so what
  // the button shows comes from the messages alone.
  void ParkCursor() { ::SetCursorPos(1270, 1010); }
  TPoint Centre() const { return {(Max->ObjectRect.Left + Max->ObjectRect.Right) / 2, (Max->ObjectRect.Top + Max->ObjectRect.Bottom) / 2}; }
  LPARAM OnScreen(TPoint p) {
    const TRect w = WindowRect();
    return MAKELPARAM(w.Left + p.X, w.Top + p.Y);
  }
  LPARAM InClient(TPoint p) {
    POINT q{WindowRect().Left + p.X, WindowRect().Top + p.Y};
    ::ScreenToClient(Window(), &q);
    return MAKELPARAM(q.x, q.y);
  }
  // The message as the platform posts it, and nothing else dispatched (no hover tick between).
  void Post(UINT msg, WPARAM wParam, LPARAM lParam) {
    ::PostMessageW(Window(), msg, wParam, lParam);
    MSG m;
    while (::PeekMessageW(&m, Window(), msg, msg, PM_REMOVE)) ::DispatchMessageW(&m);
  }
  // What the button shows on the screen.
  TPixelBitmap Shown() {
    const TPixelBitmap shot = Capture(Window());
    const TRect r = Max->ObjectRect;
    TPixelBitmap button(r.Width(), r.Height());
    for (int y = 0; y < r.Height(); ++y)
      for (int x = 0; x < r.Width(); ++x) button.SetPixel(x, y, shot.GetPixel(r.Left + x, r.Top + y));
    return button;
  }
};

TEST_F(TSnapFixture, HitTestAnswersTheMaximizeButtonOnItsPixelsOnly) {
  MakeSnap(false);
  const TRect r = Max->ObjectRect;
  ASSERT_EQ(r, Rect(357, 9, 367, 19));  // between the close (367) and minimize (349..357) buttons
  struct Case {
    const char* where;
    TPoint at;
    int withSnap;
  } cases[] = {
      {"first pixel", {r.Left, r.Top}, HTMAXBUTTON},
      {"last pixel", {r.Right - 1, r.Bottom - 1}, HTMAXBUTTON},
      {"left of it (minimize)", {r.Left - 1, r.Top}, HTOBJECT_CODE},
      {"right of it (close)", {r.Right, r.Top}, HTOBJECT_CODE},
      {"above it", {r.Left, r.Top - 1}, HTOBJECT_CODE},
      {"below it", {r.Right - 1, r.Bottom}, HTOBJECT_CODE},
  };
  for (const bool snap : {false, true}) {
    Frame->SnapLayouts = snap;
    for (const Case& c : cases)
      EXPECT_EQ(Hit(c.at.X, c.at.Y), snap ? c.withSnap : HTOBJECT_CODE) << c.where << ", snap " << snap;
  }
  // Without the maximize icon the button is gone and the minimize button takes its place.
  Frame->SetBorderIcons(TvnBorderIcons{TvnBorderIcon::biSystemMenu, TvnBorderIcon::biMinimize});
  Frame->ApplySkin();
  EXPECT_EQ(Hit(r.Left, r.Top), HTOBJECT_CODE);
}

TEST_F(TSnapFixture, NonClientMessagesShowTheLooksOfTheMouseAndClickOnlyOnTheButton) {
  MakeSnap(false);
  // What the button shows with the mouse, through the frame's own hover and press.
  const TPixelBitmap normal = Shown();
  ::SetCursorPos(WindowRect().Left + Centre().X, WindowRect().Top + Centre().Y);
  Pump(150);
  const TPixelBitmap hot = Shown();
  ::SendMessageW(Window(), WM_NCLBUTTONDOWN, HTOBJECT_CODE, OnScreen(Centre()));
  const TPixelBitmap pressed = Shown();
  ParkCursor();
  ::SendMessageW(Window(), WM_MOUSEMOVE, 0, InClient({200, 200}));
  ::SendMessageW(Window(), WM_LBUTTONUP, 0, InClient({200, 200}));
  Pump(150);
  ASSERT_EQ(normal.GetPixel(0, 0), kLookColours[lkNormal]);
  ASSERT_EQ(hot.GetPixel(0, 0), kLookColours[lkHot]);
  ASSERT_EQ(pressed.GetPixel(0, 0), kLookColours[lkPressed]);
  ASSERT_EQ(Frame->FrameState().WindowState, wsNormal);

  // The same looks from the platform's messages for its maximize button; a press dragged off
  // and released elsewhere does nothing.
  Frame->SnapLayouts = true;
  const TPoint off{200, 200};  // in the client area
  struct Step {
    const char* what;
    UINT msg;
    bool onButton;
    const TPixelBitmap* look;
  } steps[] = {
      {"mouse onto it", WM_NCMOUSEMOVE, true, &hot},
      {"mouse leaves", WM_NCMOUSELEAVE, false, &normal},
      {"mouse back", WM_NCMOUSEMOVE, true, &hot},
      {"press", WM_NCLBUTTONDOWN, true, &pressed},
      {"dragged off", WM_MOUSEMOVE, false, &normal},
      {"dragged back", WM_MOUSEMOVE, true, &pressed},
      {"dragged off again", WM_MOUSEMOVE, false, &normal},
      {"released off it", WM_LBUTTONUP, false, &normal},
  };
  for (const Step& s : steps) {
    const TPoint at = s.onButton ? Centre() : off;
    const bool client = s.msg == WM_MOUSEMOVE || s.msg == WM_LBUTTONUP;
    Post(s.msg, client || s.msg == WM_NCMOUSELEAVE ? 0 : HTMAXBUTTON, client ? InClient(at) : OnScreen(at));
    EXPECT_TRUE(Shown() == *s.look) << s.what;
    if (&s == &steps[0]) SaveShot(Capture(Window()), "snap-hot-maximize.bmp");
  }
  EXPECT_EQ(Frame->FrameState().WindowState, wsNormal);
  EXPECT_EQ(::GetCapture(), nullptr);

  // A click maximizes (released as the platform reports it without the capture), a second one
  // restores (released while the button holds the mouse); the button keeps answering as the
  // platform's maximize button while the window is maximized.
  const TRect before = WindowRect();
  Post(WM_NCMOUSEMOVE, HTMAXBUTTON, OnScreen(Centre()));
  Post(WM_NCLBUTTONDOWN, HTMAXBUTTON, OnScreen(Centre()));
  EXPECT_EQ(::GetCapture(), Window());
  Post(WM_NCLBUTTONUP, HTMAXBUTTON, OnScreen(Centre()));
  EXPECT_EQ(Frame->FrameState().WindowState, wsMaximized);
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(Shown().GetPixel(0, 0), kLookColours[lkRestoreHot]);
  EXPECT_EQ(Hit(Centre().X, Centre().Y), HTMAXBUTTON);
  Post(WM_NCLBUTTONDOWN, HTMAXBUTTON, OnScreen(Centre()));
  EXPECT_EQ(Shown().GetPixel(0, 0), kLookColours[lkRestorePressed]);
  Post(WM_LBUTTONUP, 0, InClient(Centre()));
  EXPECT_EQ(Frame->FrameState().WindowState, wsNormal);
  EXPECT_EQ(WindowRect(), before);
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_TRUE(ReachedPlatform.empty()) << ReachedPlatform.front();
}

}  // namespace
