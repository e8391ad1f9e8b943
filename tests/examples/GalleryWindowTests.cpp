// The gallery's window in this process. Switched between its three looks while it runs (the
// skin it opened with, the dark skin and no skin), every piece must show the new look at once
// (frame pixels, window region, the popup menus, an up-down), and a hundred switches must leave
// no GDI object behind. Resting the mouse on a caption button shows that button's hint.
#include "examples/gallery/GalleryForm_win.h"

#include "framework/Application_win.h"
#include "framework/Bmp.h"
#include "framework/ClassRegistry.h"
#include "skin/controls/vnSkinBoxCtrls_win.h"
#include "skin/controls/vnSkinCtrls_win.h"
#include "skin/controls/vnSkinHint_win.h"
#include "skin/controls/vnTrayIcon_win.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinData_win.h"
#include "skin/form/VeneerForm_win.h"
#include "skin/imaging/vnGdi_win.h"
#include "skin/menus/vnSkinPopupMenu_win.h"
#include "tests/support/WindowTesting_win.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace {

// Brightness of a 0x00RRGGBB pixel, 0..255.
int Luma(std::uint32_t rgb) {
  return (299 * ((rgb >> 16) & 0xFF) + 587 * ((rgb >> 8) & 0xFF) + 114 * (rgb & 0xFF)) / 1000;
}

// What a window shows, read back from the screen, as a picture of its own.
TPixelBitmap Shot(HWND window) { return Capture(window); }

// What one look shows: the frame's pixels outside the client area, the region's answer at the
// window's top-left corner, and the popup menu's background.
struct TLook {
  TPixelBitmap Frame;
  RECT Client{};
  bool RegionHolds22 = true;   // pixel (2, 2): inside the 7-pixel corner, outside the 11-pixel one
  bool HasRegion = false;
  std::vector<bool> Shown;  // per pixel of Frame: inside the window region (all without one)
  std::uint32_t MenuBackground = 0;
  TPixelBitmap UpDown;  // the horizontal up-down
};

class GallerySkinSwitch : public ::testing::Test {
protected:
  void SetUp() override {
    FApplication.Initialize();
    RegisterGalleryClasses();
    Form = FApplication.CreateForm<TGalleryForm>(std::filesystem::path{});
    Form->Show();
    ::SetForegroundWindow(Form->Handle());
    Pump(200);
  }

  HWND Window() const { return Form->Handle(); }

  // Runs the application's own message loop, which also drives the application's hints.
  void Pump(int ms) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
    while (static_cast<int>(end - ::GetTickCount()) > 0) {
      while (FApplication.ProcessMessage()) {}
      ::Sleep(5);
    }
  }
  bool PumpUntil(const std::function<bool()>& condition, int ms = 3000) {
    for (int waited = 0; waited < ms; waited += 10) {
      if (condition()) return true;
      Pump(10);
    }
    return condition();
  }

  TLook Look() {
    Pump(30);
    TLook look;
    look.Frame = Capture(Window());
    ::GetClientRect(Window(), &look.Client);
    POINT origin{0, 0};
    ::ClientToScreen(Window(), &origin);
    RECT window{};
    ::GetWindowRect(Window(), &window);
    ::OffsetRect(&look.Client, origin.x - window.left, origin.y - window.top);
    HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
    look.HasRegion = ::GetWindowRgn(Window(), rgn) != ERROR;
    look.RegionHolds22 = !look.HasRegion || ::PtInRegion(rgn, 2, 2);
    // Outside the region the screen shows what lay behind the window, which is not its look.
    // Without a region, Wine keeps the outer 3-pixel ring of a sizeable window that once had
    // one out of reach of every window DC (its clip box is the window less that ring), so
    // the ring shows whatever was last drawn there: it is left out.
    const int w = look.Frame.Width(), h = look.Frame.Height();
    look.Shown.assign(static_cast<std::size_t>(w) * h, false);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        look.Shown[static_cast<std::size_t>(y) * w + x] =
            look.HasRegion ? ::PtInRegion(rgn, x, y) != FALSE : x >= 3 && y >= 3 && x < w - 3 && y < h - 3;
    ::DeleteObject(rgn);
    look.UpDown = Shot(Form->Controls.front()->Handle());
    // The skin menu opened under its button: the colour at the middle of its left edge area.
    Form->SkinMenu->PopupFromRect({0, 0, 10, 10}, false);
    HWND popup = nullptr;
    PumpUntil([&] { return (popup = ::FindWindowW(L"TvnSkinPopupWindow", nullptr)) && ::IsWindowVisible(popup); });
    if (popup) {
      Pump(150);  // the fade-in, where the platform has one
      const TPixelBitmap menu = Capture(popup);
      look.MenuBackground = menu.GetPixel(menu.Width() / 2, menu.Height() - 6);
    }
    ::SendMessageW(Window(), WM_CANCELMODE, 0, 0);
    PumpUntil([&] { return !popup || !::IsWindowVisible(popup); });
    return look;
  }

  // Pixels of the frame (outside the client area) that differ between two looks of one size.
  static int FrameDifferences(const TLook& a, const TLook& b) {
    if (a.Frame.Width() != b.Frame.Width() || a.Frame.Height() != b.Frame.Height()) return -1;
    int differing = 0;
    for (int y = 0; y < a.Frame.Height(); ++y)
      for (int x = 0; x < a.Frame.Width(); ++x) {
        const bool client = x >= a.Client.left && x < a.Client.right && y >= a.Client.top && y < a.Client.bottom;
        const bool shown = a.Shown[static_cast<std::size_t>(y) * a.Frame.Width() + x];
        if (!client && shown && a.Frame.GetPixel(x, y) != b.Frame.GetPixel(x, y)) ++differing;
      }
    return differing;
  }

  TApplication FApplication;
  TGalleryForm* Form = nullptr;  // owned by the application
};

TEST_F(GallerySkinSwitch, EveryPieceFollowsEachSwitchAndAHundredSwitchesLeaveNoGdiObject) {
  constexpr std::array kCycle = {TGallerySkin::Dark, TGallerySkin::None, TGallerySkin::Opening,
                                 TGallerySkin::None, TGallerySkin::Dark, TGallerySkin::Opening};
  std::map<TGallerySkin, TLook> first;
  first[TGallerySkin::Opening] = Look();
  std::optional<long> gdiAfterFirstRound;
  for (int i = 0; i < 100; ++i) {
    const TGallerySkin skin = kCycle[i % kCycle.size()];
    Form->UseSkin(skin);
    ASSERT_EQ(Form->CurrentSkin(), skin);
    if (i == static_cast<int>(kCycle.size()) - 1) gdiAfterFirstRound = TvnGdiCount::Live();
    // Every switch is checked against the first time that look was seen; the pixels are read
    // back only on the first round and every tenth switch, to keep the test short.
    if (first.contains(skin) && i >= static_cast<int>(kCycle.size()) && i % 10 != 0) continue;
    const TLook look = Look();
    if (!first.contains(skin)) {
      first[skin] = look;
      continue;
    }
    EXPECT_EQ(FrameDifferences(look, first[skin]), 0) << "switch " << i << " to look " << static_cast<int>(skin);
    EXPECT_EQ(look.RegionHolds22, first[skin].RegionHolds22) << "switch " << i;
    EXPECT_EQ(look.MenuBackground, first[skin].MenuBackground) << "switch " << i;
    EXPECT_TRUE(look.UpDown == first[skin].UpDown) << "switch " << i;
  }
  EXPECT_EQ(TvnGdiCount::Live(), *gdiAfterFirstRound) << "GDI objects left behind by 94 switches";

  // What each look is, independently of the others: the light skin's rounded corner holds (2, 2)
  // and its caption is light; the dark skin's rounder corner cuts (2, 2) off and its caption and
  // menus are dark; without a skin there is no window region at all.
  const TLook& light = first[TGallerySkin::Opening];
  const TLook& dark = first[TGallerySkin::Dark];
  const TLook& none = first[TGallerySkin::None];
  EXPECT_TRUE(light.HasRegion && light.RegionHolds22);
  EXPECT_TRUE(dark.HasRegion && !dark.RegionHolds22);
  EXPECT_FALSE(none.HasRegion);
  const int captionY = 12, captionX = light.Frame.Width() / 2;
  EXPECT_GT(Luma(light.Frame.GetPixel(captionX, captionY)), 200);
  EXPECT_LT(Luma(dark.Frame.GetPixel(captionX, captionY)), 60);
  EXPECT_GT(Luma(light.MenuBackground), 200);
  EXPECT_LT(Luma(dark.MenuBackground), 60);
  EXPECT_NE(FrameDifferences(none, light), 0);
  // The up-down in a skin is its skin rectangle of that skin's picture, pixel for pixel (no
  // button is hot or pressed); without a skin it keeps its size and draws the default look.
  Form->UseSkin(TGallerySkin::Dark);
  const TPixelBitmap darkPicture = Form->SkinData->ActivePictures[0];
  Form->UseSkin(TGallerySkin::Opening);
  const TPixelBitmap lightPicture = Form->SkinData->ActivePictures[0];
  const TRect hupdown{386, 88, 416, 105};  // the embedded and the dark skin's "hupdown"
  auto isSkinRect = [&](const TPixelBitmap& shot, const TPixelBitmap& picture) {
    if (shot.Width() != hupdown.Width() || shot.Height() != hupdown.Height()) return false;
    for (int y = 0; y < shot.Height(); ++y)
      for (int x = 0; x < shot.Width(); ++x)
        if (shot.GetPixel(x, y) != picture.GetPixel(hupdown.Left + x, hupdown.Top + y)) return false;
    return true;
  };
  EXPECT_TRUE(isSkinRect(light.UpDown, lightPicture));
  EXPECT_TRUE(isSkinRect(dark.UpDown, darkPicture));
  EXPECT_FALSE(isSkinRect(dark.UpDown, lightPicture));
  EXPECT_EQ(none.UpDown.Width(), 30);
  EXPECT_EQ(none.UpDown.Height(), 17);
  EXPECT_FALSE(none.UpDown == light.UpDown);
  SaveShot(light.Frame, "gallery-light.bmp");
  SaveShot(dark.Frame, "gallery-dark.bmp");
  SaveShot(none.Frame, "gallery-no-skin.bmp");
}

TEST_F(GallerySkinSwitch, EachCaptionButtonShowsItsHintAndTheHintGoesWhenTheMouseLeaves) {
  FApplication.HintPause = 100;
  FApplication.HintHidePause = 10000;
  const std::map<std::string, std::wstring> expected = {
      {"CloseAnimate", L"关闭"},      {"MaxAnimate", L"最大化"},       {"MinAnimate", L"最小化"},
      {"RollUpAnimate", L"向上卷拢"}, {"sysmenuanimate", L"系统菜单"}, {"trayanimate", L"最小化到图标"}};
  HWND hintWindow = Form->Hint->HintWindow().Handle();
  RECT window{};
  ::GetWindowRect(Window(), &window);
  int checked = 0;
  for (const auto& object : Form->Frame->Objects().Objects()) {
    const auto text = expected.find(object->IDName);
    if (text == expected.end() || !object->ObjectVisible) continue;
    ++checked;
    const TRect r = object->ObjectRect;
    ::SetCursorPos(window.left + (r.Left + r.Right) / 2, window.top + (r.Top + r.Bottom) / 2);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(hintWindow) != FALSE; })) << object->IDName;
    wchar_t shown[64]{};
    ::GetWindowTextW(hintWindow, shown, 64);
    EXPECT_EQ(std::wstring(shown), text->second) << object->IDName;
    ::SetCursorPos(window.right + 40, window.bottom + 40);  // off the window: no object is hot
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(hintWindow); })) << object->IDName;
  }
  EXPECT_EQ(checked, 6);

  // The hints follow the skin. Over the close button the frame's hint is light in the light
  // skin and dark in the dark one; without a skin the frame's buttons have no hints (their
  // default texts come with a skin), and a control's hint shows in the plain look. A picture
  // of the window with its hint is kept for each.
  struct TCase {
    TGallerySkin Skin;
    const char* File;
    int MinLuma, MaxLuma;  // of the hint's pixel in the middle of its second row
  };
  for (const TCase& c : {TCase{TGallerySkin::Opening, "gallery-light-hint.bmp", 181, 255},
                         TCase{TGallerySkin::Dark, "gallery-dark-hint.bmp", 0, 79},
                         TCase{TGallerySkin::None, "gallery-no-skin-hint.bmp", 181, 255}}) {
    Form->UseSkin(c.Skin);
    Pump(100);
    ::GetWindowRect(Window(), &window);
    POINT at{};
    HWND shown = hintWindow;
    if (c.Skin == TGallerySkin::None) {
      RECT button{};
      ::GetWindowRect(Form->MenuButton->Handle(), &button);
      at = {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
      shown = FApplication.HintWindow()->Handle();
    } else {
      for (const auto& object : Form->Frame->Objects().Objects())
        if (object->IDName == "CloseAnimate") {
          const TRect r = object->ObjectRect;
          at = {window.left + (r.Left + r.Right) / 2, window.top + (r.Top + r.Bottom) / 2};
        }
    }
    ::SetCursorPos(at.x, at.y);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(shown) != FALSE; })) << c.File;
    Pump(100);
    const TPixelBitmap hint = Shot(shown);
    const int middle = Luma(hint.GetPixel(hint.Width() / 2, 1));
    EXPECT_GE(middle, c.MinLuma) << c.File;
    EXPECT_LE(middle, c.MaxLuma) << c.File;
    RECT h{}, both{};
    ::GetWindowRect(shown, &h);
    ::UnionRect(&both, &window, &h);
    SaveShot(ScreenShot(both), c.File);
    ::SetCursorPos(window.right + 40, window.bottom + 40);
    PumpUntil([&] { return !::IsWindowVisible(shown); });
  }
}

// The gallery offers the platform's snap layouts over its maximize button: the button answers
// the hit test as the platform's maximize button, and the messages the platform then sends for
// it run the button's animation, maximize the window and restore it.
TEST_F(GallerySkinSwitch, TheMaximizeButtonStandsInForThePlatformsOwn) {
  const TvnSkinAnimateObject* max = nullptr;
  for (const auto& object : Form->Frame->Objects().Objects())
    if (object->IDName == "MaxAnimate") max = static_cast<const TvnSkinAnimateObject*>(object.get());
  ASSERT_NE(max, nullptr);
  RECT before{};
  ::GetWindowRect(Window(), &before);
  auto centre = [&] {
    RECT w{};
    ::GetWindowRect(Window(), &w);
    const TRect r = max->ObjectRect;
    return POINT{w.left + (r.Left + r.Right) / 2, w.top + (r.Top + r.Bottom) / 2};
  };
  auto send = [&](UINT msg) {
    const POINT p = centre();
    return ::SendMessageW(Window(), msg, msg == WM_NCHITTEST ? 0 : HTMAXBUTTON, MAKELPARAM(p.x, p.y));
  };
  EXPECT_EQ(send(WM_NCHITTEST), HTMAXBUTTON);
  ::SetCursorPos(centre().x, centre().y);
  send(WM_NCMOUSEMOVE);
  EXPECT_TRUE(PumpUntil([&] { return max->CurrentFrame == max->FrameCount; }));
  SaveShot(Shot(Window()), "gallery-snap-hot-maximize.bmp");
  for (const TvnWindowState state : {wsMaximized, wsNormal}) {
    send(WM_NCLBUTTONDOWN);
    send(WM_NCLBUTTONUP);
    EXPECT_EQ(Form->Frame->FrameState().WindowState, state);
    ::SetCursorPos(centre().x, centre().y);
    EXPECT_EQ(send(WM_NCHITTEST), HTMAXBUTTON);
  }
  RECT after{};
  ::GetWindowRect(Window(), &after);
  EXPECT_TRUE(::EqualRect(&before, &after));
  ::SetCursorPos(after.right + 40, after.bottom + 40);
}

}  // namespace
