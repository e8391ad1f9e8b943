// A skinned window while the system's high contrast is on (real windows): the plain look in the
// system colours, and the skin back, region and pixels as before, once it is off.
//
// Wine 8 can neither switch high contrast on nor report it, so these tests answer the frame's
// question themselves and announce the switch the way the system does: new system colours
// (WM_SYSCOLORCHANGE) and WM_SETTINGCHANGE for SPI_SETHIGHCONTRAST.
#include "tests/skin/form/FrameWinFixture.h"

#include "skin/imaging/vnHighContrast_win.h"
#include "tests/support/WindowTesting_win.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool g_contrast = false;
bool TestContrast() { return g_contrast; }

// The colours a high-contrast scheme gives the frame's elements, far from the usual ones.
constexpr int kElements[] = {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_3DLIGHT,
                             COLOR_3DDKSHADOW};
constexpr COLORREF kContrastColours[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 0), RGB(0, 255, 0),
                                         RGB(0, 255, 255), RGB(255, 0, 255)};

// Stands in for the system's switch; the answer and the colours go back whatever the test does.
struct TContrastSwitch {
  THighContrastQuery SavedQuery = nullptr;
  COLORREF Saved[std::size(kElements)];
  TContrastSwitch() {
    for (std::size_t i = 0; i < std::size(kElements); ++i) Saved[i] = ::GetSysColor(kElements[i]);
    SavedQuery = ReplaceHighContrastQuery(TestContrast);
  }
  // The system's colours change; a window hears WM_SYSCOLORCHANGE.
  void Colours(bool contrast) {
    ::SetSysColors(static_cast<int>(std::size(kElements)), kElements, contrast ? kContrastColours : Saved);
    Pump(50);
  }
  ~TContrastSwitch() {
    g_contrast = false;
    Colours(false);
    ReplaceHighContrastQuery(SavedQuery);
  }
};

bool HasRegion(HWND window) {
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  const bool has = ::GetWindowRgn(window, region) != ERROR;
  ::DeleteObject(region);
  return has;
}

// The frame fixture under a name of this file's own (its class is another in every file).
struct TContrastFixture : TFrameFixture {};

TEST_F(TContrastFixture, HighContrastGivesThePlainLookInSystemColoursAndTheSkinBack) {
  TContrastSwitch contrast;
  Make(TFormBorderStyle::bsSingle, true);
  ::SetCursorPos(1270, 1010);  // nothing on the frame is hot
  Pump(100);
  const TRect w = WindowRect();
  const TPixelBitmap skinned = Capture(Window());
  const TPixelBitmap skinnedRegion = RegionPixels(Window(), w.Width(), w.Height());
  ASSERT_TRUE(HasRegion(Window()));
  auto sys = [](int index) { return static_cast<std::uint32_t>(::GetSysColor(index)); };

  // The system announces the switch by its setting, or only by its new colours.
  for (const bool bySetting : {true, false}) {
    SCOPED_TRACE(bySetting ? "setting change" : "colour change");
    // New colours alone, without contrast, keep the skin.
    if (bySetting) contrast.Colours(true);
    EXPECT_TRUE(Frame->SkinSupport());
    g_contrast = true;
    if (bySetting) ::SendMessageW(Window(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    else contrast.Colours(true);
    Pump(50);
    EXPECT_FALSE(Frame->SkinSupport());
    EXPECT_FALSE(HasRegion(Window()));
    EXPECT_EQ(Frame->HostMenusSkinData(), nullptr) << "the frame's menus keep the skin";
    POINT origin{0, 0};
    ::ClientToScreen(Window(), &origin);
    EXPECT_EQ(origin.x - w.Left, 3);
    EXPECT_EQ(origin.y - w.Top, 22);
    const TPixelBitmap plain = Capture(Window());
    if (bySetting) SaveShot(plain, "high-contrast.bmp");
    EXPECT_EQ(plain.GetPixel(100, 0), sys(COLOR_3DLIGHT));
    EXPECT_EQ(plain.GetPixel(w.Width() - 1, 100), sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(plain.GetPixel(100, 1), sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(plain.GetPixel(w.Width() - 2, 100), sys(COLOR_BTNSHADOW));
    EXPECT_EQ(plain.GetPixel(100, 3), sys(COLOR_BTNFACE));
    EXPECT_EQ(plain.GetPixel(40, 3 + 3), sys(COLOR_BTNSHADOW));  // a grip line of the caption
    EXPECT_EQ(sys(COLOR_BTNFACE), kContrastColours[0]);
    EXPECT_EQ(Hit(w.Width() - 10, 10), HTOBJECT_CODE);  // the plain close button

    if (bySetting) {
      contrast.Colours(false);
      EXPECT_FALSE(Frame->SkinSupport()) << "the skin came back on a colour change while contrast was on";
      g_contrast = false;
      ::SendMessageW(Window(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    } else {
      g_contrast = false;
      contrast.Colours(false);
    }
    Pump(100);
    EXPECT_TRUE(Frame->SkinSupport());
    EXPECT_EQ(Frame->HostMenusSkinData(), Skin.get());
    EXPECT_TRUE(RegionPixels(Window(), w.Width(), w.Height()) == skinnedRegion) << "the region differs";
    EXPECT_TRUE(Capture(Window()) == skinned) << "the skinned pixels differ";
  }
}

TEST_F(TContrastFixture, AWindowMadeWhileHighContrastIsOnStartsPlain) {
  TContrastSwitch contrast;
  g_contrast = true;
  RefreshHighContrast();  // switched before the window came, and heard by the program's windows
  Make(TFormBorderStyle::bsSingle, true);
  EXPECT_FALSE(Frame->SkinSupport());
  EXPECT_FALSE(HasRegion(Window()));
  g_contrast = false;
  ::SendMessageW(Window(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  EXPECT_TRUE(Frame->SkinSupport());
  EXPECT_TRUE(HasRegion(Window()));
}

}  // namespace
