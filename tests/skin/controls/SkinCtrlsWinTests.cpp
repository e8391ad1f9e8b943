// Skinned controls on real windows under Wine, with Quillon's own skin: sizes held to the
// looks, the pictures shown in each state read back from the screen, the mouse driven with
// SendInput (press, move, hold, release), the position rules, regions from masks and the
// frame's walk over its nested controls when the skin changes.
#include "skin/controls/vnSkinBoxCtrls_win.h"

#include "framework/Application_win.h"
#include "framework/ClassRegistry.h"
#include "framework/DescriptionReader.h"
#include "framework/FrameworkClasses_win.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataControls.h"
#include "skin/data/vnSkinDataStoredSkin.h"
#include "skin/data/vnSkinData_win.h"
#include "skin/form/VeneerForm_win.h"
#include "tests/support/DesktopDriving_win.h"
#include "tests/support/WindowTesting_win.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

class TControlsFixture : public ::testing::Test {
protected:
  void SetUp() override {
    App = std::make_unique<TApplication>();
    Form = App->CreateForm<TForm>();
    Form->SetBounds(100, 100, 320, 220);
    Skin = TComponent::Create<TvnSkinData>(Form);
    Skin->SetNoticeSender(&FormsSkinNoticeSender());
    static const std::vector<std::uint8_t> block = [] {
      TvnCompressedStoredSkin packed;
      packed.LoadFromSkinFile(std::filesystem::path(QUILLON_SOURCE_DIR) / "skins/quillon/skin.ini");
      return packed.CompressedData();
    }();
    ASSERT_FALSE(block.empty());
    Stored.SetCompressedData(block);
    Skin->LoadCompressedSkin(Stored);
    Form->Show();
    ::SetForegroundWindow(Form->Handle());
    Pump(50);
  }
  void TearDown() override { App.reset(); }

  template <class T = TvnSkinUpDown>
  T* Make(const char* section, int w, int h, TWinControl* parent = nullptr) {
    auto* c = TComponent::Create<T>(Form);
    c->SetParent(parent ? parent : Form);
    c->SetSkinDataName(section);
    c->SetBounds(20, 20, w, h);
    c->SetSkinData(Skin);
    Pump(30);
    return c;
  }
  // The control's pixel at (x, y) as the screen shows it.
  static std::uint32_t Shown(TWinControl* c, int x, int y) { return Capture(c->Handle()).GetPixel(x, y); }
  // True when the w x h block at (x, y) of the control equals the block at (sx, sy) of the picture.
  static bool ShowsBlock(TWinControl* c, int x, int y, const TPixelBitmap& picture, int sx, int sy, int w, int h) {
    const TPixelBitmap shot = Capture(c->Handle());
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i)
        if (shot.GetPixel(x + i, y + j) != picture.GetPixel(sx + i, sy + j)) return false;
    return true;
  }
  // Real input: the pointer to a point of the control, a left press or release there.
  static void PointerTo(TWinControl* c, int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(c->Handle(), &p);
    MoveTo(p.x, p.y);
    Pump(60);
  }
  static void Button(bool down) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInputs({in});
    Pump(60);
  }
  const TBmpPicture& Controls() const { return Skin->ActivePictures[0]; }  // controls.bmp

  std::unique_ptr<TApplication> App;
  TForm* Form = nullptr;         // owned by App
  TvnSkinData* Skin = nullptr;   // owned by Form
  TvnCompressedStoredSkin Stored;
};

TEST_F(TControlsFixture, UpDownTakesItsSectionsSizeButtonsAndLook) {
  const struct { const char* Section; TvnUDOrientation O; TRect Bounds, Up, Down, Skin; } cases[] = {
      {"hupdown", TvnUDOrientation::udHorizontal, Rect(0, 0, 30, 17), Rect(19, 3, 30, 14), Rect(0, 3, 11, 14), Rect(386, 88, 416, 105)},
      {"vupdown", TvnUDOrientation::udVertical, Rect(0, 0, 17, 30), Rect(0, 0, 17, 15), Rect(0, 15, 17, 30), Rect(367, 88, 384, 118)},
  };
  for (const auto& c : cases) {
    auto* u = Make(c.Section, 50, 25);
    u->SetOrientation(c.O);
    EXPECT_EQ(Rect(0, 0, u->Width(), u->Height()), c.Bounds) << c.Section;
    EXPECT_EQ(u->Buttons().Rects[0], c.Up) << c.Section;
    EXPECT_EQ(u->Buttons().Rects[1], c.Down) << c.Section;
    EXPECT_TRUE(ShowsBlock(u, 0, 0, Controls(), c.Skin.Left, c.Skin.Top, c.Skin.Width(), c.Skin.Height())) << c.Section;
    Form->RemoveAndFree(u);
  }
}

TEST_F(TControlsFixture, CustomControlHeldToWhatItsLookAllows) {
  const struct { const char* Section; int W, H, WantW, WantH; } cases[] = {
      {"vupdown", 50, 25, 17, 30}, {"vupdown", 17, 30, 17, 30}, {"vupdown", 1, 1, 17, 30},
      {"button", 100, 40, 100, 26}, {"button", 37, 5, 37, 26},  // 37: the two ends exactly
  };
  for (const auto& c : cases) {
    auto* ctl = Make<TvnSkinCustomControl>(c.Section, c.W, c.H);
    EXPECT_EQ(ctl->Width(), c.WantW) << c.Section << " " << c.W;
    EXPECT_EQ(ctl->Height(), c.WantH) << c.Section << " " << c.W;
    ctl->SetBounds(20, 20, c.W + 3, c.H + 3);  // any later request is held the same way
    EXPECT_EQ(ctl->Height(), c.WantH);
    Form->RemoveAndFree(ctl);
  }
  // [button] at 100 wide: the 18-pixel left end, the middle (columns 18..27) tiled, the
  // 19-pixel right end, each column read back from the screen.
  auto* b = Make<TvnSkinCustomControl>("button", 100, 26);
  EXPECT_TRUE(ShowsBlock(b, 0, 0, Controls(), 0, 0, 18, 26));
  EXPECT_TRUE(ShowsBlock(b, 81, 0, Controls(), 28, 0, 19, 26));
  for (int x = 18; x < 81; ++x)
    EXPECT_TRUE(ShowsBlock(b, x, 0, Controls(), 18 + (x - 18) % 10, 0, 1, 26)) << x;
}

TEST_F(TControlsFixture, HotAndPressedLooksComeFromTheSkinPicture) {
  auto* u = Make("hupdown", 30, 17);
  PointerTo(u, 25, 8);  // over increase: its hot look
  EXPECT_TRUE(ShowsBlock(u, 19, 3, Controls(), 254, 88, 11, 11));
  Button(true);         // pressed and hot
  EXPECT_TRUE(ShowsBlock(u, 19, 3, Controls(), 265, 88, 11, 11));
  EXPECT_TRUE(ShowsBlock(u, 0, 3, Controls(), 386, 91, 11, 11));  // decrease stays normal
  Button(false);
  PointerTo(u, 11, 8);  // the right edge of decrease is inside it
  EXPECT_EQ(u->Buttons().HotButton, 1);
  EXPECT_TRUE(ShowsBlock(u, 0, 3, Controls(), 276, 88, 11, 11));
}

TEST_F(TControlsFixture, ResizableButtonLookAtAnySize) {
  auto* u = Make("vupdown", 40, 60);
  u->SetOrientation(TvnUDOrientation::udVertical);
  u->SetUseSkinSize(false);
  u->SetBounds(20, 20, 40, 60);
  Pump(30);
  ASSERT_EQ(Rect(0, 0, u->Width(), u->Height()), Rect(0, 0, 40, 60));
  EXPECT_EQ(u->Buttons().Rects[1], Rect(0, 30, 40, 60));
  // Each 40 x 30 button: the resizable button's 5-pixel corners kept, its arrow in the font colour.
  EXPECT_TRUE(ShowsBlock(u, 0, 0, Controls(), 88, 26, 5, 5));
  EXPECT_TRUE(ShowsBlock(u, 35, 55, Controls(), 103, 41, 5, 5));
  EXPECT_EQ(Shown(u, 20, 15 - 2), 1973790u);  // tip of the up arrow at the centre (kind 3)
  PointerTo(u, 20, 45);
  EXPECT_TRUE(ShowsBlock(u, 0, 30, Controls(), 108, 26, 5, 5));  // hot: activeskinrect
  Button(true);
  EXPECT_TRUE(ShowsBlock(u, 0, 30, Controls(), 128, 26, 5, 5));  // pressed: downskinrect
  Button(false);
}

TEST_F(TControlsFixture, DefaultLookWithoutASkin) {
  auto* u = Make("no such section", 40, 20);  // halves: decrease left, increase right
  PointerTo(u, 30, 10);
  EXPECT_EQ(Shown(u, 25, 3), static_cast<std::uint32_t>(RGB(182, 189, 210)));  // hot
  EXPECT_EQ(Shown(u, 20, 0), static_cast<std::uint32_t>(RGB(0, 0, 128)));      // its navy frame
  Button(true);
  EXPECT_EQ(Shown(u, 25, 3), static_cast<std::uint32_t>(RGB(133, 147, 181)));  // pressed
  EXPECT_EQ(Shown(u, 5, 3), static_cast<std::uint32_t>(::GetSysColor(COLOR_BTNFACE)));
  Button(false);
}

TEST_F(TControlsFixture, PressMovedOffBeforeReleaseIsNoClick) {
  auto* u = Make("hupdown", 30, 17);
  std::string events;
  u->OnChange = [&](TComponent*) { events += "change "; };
  u->OnUpButtonClick = [&](TComponent*) { events += "up "; };
  u->OnDownButtonClick = [&](TComponent*) { events += "down "; };
  PointerTo(u, 25, 8);
  Button(true);
  PointerTo(u, 5, 8);   // over decrease, increase still held
  EXPECT_EQ(u->Buttons().HotButton, -1);
  Pump(700);            // held away from its button past the first repeat: no step
  Button(false);
  EXPECT_EQ(events, "");
  EXPECT_EQ(u->Position(), 0);
  PointerTo(u, 25, 8);  // a plain click steps once
  Button(true);
  Button(false);
  EXPECT_EQ(events, "change up ");
  EXPECT_EQ(u->Position(), 1);
}

// Held one second: the first tick comes at 500 ms and only sets the pace, then one step every
// 100 ms, the fifth due exactly at the one-second mark; the release over the button steps once
// more. Wine's timers fire a few milliseconds late and the release is sent after the pump, so
// the fifth step may fall on either side of the mark: 5 +- 1 are accepted before the release,
// and the release must add exactly one.
TEST_F(TControlsFixture, HeldButtonRepeatsAndStepsOnceMoreAtRelease) {
  auto* u = Make("vupdown", 17, 30);
  u->SetMin(-50);
  int changes = 0;
  u->OnChange = [&](TComponent*) { ++changes; };
  PointerTo(u, 8, 20);  // decrease
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  SendInputs({in});
  Pump(1000);
  const int held = changes;
  EXPECT_GE(held, 4);
  EXPECT_LE(held, 6);
  Button(false);
  EXPECT_EQ(changes, held + 1);
  EXPECT_EQ(u->Position(), -changes);
  Pump(300);
  EXPECT_EQ(changes, held + 1);  // the timer stopped
}

TEST_F(TControlsFixture, PositionRulesOnTheControl) {
  auto* u = Make("hupdown", 30, 17);
  std::string events;
  u->OnChange = [&](TComponent*) { events += "change "; };
  u->OnUpButtonClick = [&](TComponent*) { events += "up "; };
  u->SetPosition(100);  // exactly Max
  EXPECT_EQ(events, "change ");
  events.clear();
  PointerTo(u, 25, 8);
  Button(true);
  Button(false);
  EXPECT_EQ(events, "up ");  // at Max: the click, no change
  EXPECT_EQ(u->Position(), 100);
  u->SetMax(40);
  EXPECT_EQ(u->Position(), 40);
  u->SetMin(45);
  EXPECT_EQ(u->Position(), 45);
  EXPECT_EQ(events, "up ");  // bounds move the position silently
}

// A skin control nested in another records the frame's walk around a skin load.
class TRecordingUpDown : public TvnSkinUpDown {
public:
  using TvnSkinUpDown::TvnSkinUpDown;
  void ReleaseSkin() override { Calls += "release "; TvnSkinUpDown::ReleaseSkin(); }
  void ApplySkinChange() override { Calls += "apply "; TvnSkinUpDown::ApplySkinChange(); }
  std::string Calls;
};

TEST_F(TControlsFixture, FrameReleasesThenAppliesNestedControlsOnASkinLoad) {
  auto* frame = TComponent::Create<TvnVeneerForm>(Form);
  frame->SetSkinData(Skin);
  auto* outer = Make<TvnSkinCustomControl>("panel", 120, 100);
  auto* inner = Make<TRecordingUpDown>("vupdown", 17, 30, outer);
  TvnSkinData other(nullptr);
  inner->SetSkinData(&other);  // another skin's load leaves it alone
  inner->Calls.clear();
  Skin->LoadCompressedSkin(Stored);
  EXPECT_EQ(inner->Calls, "");
  inner->SetSkinData(Skin);
  inner->Calls.clear();
  Skin->LoadCompressedSkin(Stored);
  EXPECT_EQ(inner->Calls, "release apply ");
  EXPECT_EQ(inner->DescriptionIndex(), Skin->IndexOfControl("vupdown"));
  EXPECT_EQ(inner->Width(), 17);
  inner->SetSkinData(nullptr);
}

TEST_F(TControlsFixture, DefaultSizeOnlyWithoutADescription) {
  auto* c = Make<TvnSkinCustomControl>("no such section", 50, 25);
  c->SetDefaultWidth(0);
  EXPECT_EQ(c->Width(), 50);
  c->SetDefaultWidth(1);
  EXPECT_EQ(c->Width(), 1);
  c->SetSkinDataName("vupdown");
  c->ApplySkinChange();
  c->SetDefaultHeight(90);  // bound: the look decides
  EXPECT_EQ(c->Height(), 30);
}

TEST_F(TControlsFixture, MaskGivesARegionAndAMasklessLookRemovesIt) {
  auto* u = Make("vupdown", 17, 30);
  TBmpPicture mask;  // 17 x 30, black (inside) but for the top-left pixel
  mask.SetSize(17, 30);
  mask.SetPixel(0, 0, 0xFFFFFF);
  Skin->ActivePictures.push_back(mask);
  auto* look = dynamic_cast<TvnDataSkinCustomControl*>(Skin->ControlDescriptions[static_cast<std::size_t>(Skin->IndexOfControl("vupdown"))].get());
  look->MaskPictureIndex = static_cast<int>(Skin->ActivePictures.size()) - 1;
  u->ApplySkinChange();
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(::GetWindowRgn(u->Handle(), region), ERROR);
  EXPECT_FALSE(::PtInRegion(region, 0, 0));
  EXPECT_TRUE(::PtInRegion(region, 16, 29));
  look->MaskPictureIndex = -1;
  u->ApplySkinChange();
  EXPECT_EQ(::GetWindowRgn(u->Handle(), region), ERROR);
  EXPECT_FALSE(u->HasSkinRegion());
  ::DeleteObject(region);
}

TEST_F(TControlsFixture, ReadFromAWindowDescription) {
  TClassRegistry registry;
  RegisterFrameworkClasses(registry);
  RegisterSkinControlClasses(registry);
  Skin->SetName("vnSkinData1");
  ReadDescription(
      "object Form1: TForm\n"
      "  object Panel1: TvnSkinCustomControl\n"
      "    SkinDataName = \"button\"\n"
      "    Width = 90\n"
      "    SkinData = vnSkinData1\n"
      "    object vnSkinUpDown1: TvnSkinUpDown\n"
      "      Orientation = udVertical\n"
      "      SkinDataName = \"vupdown\"\n"
      "      Max = 10\n"
      "      Position = 7\n"
      "      Increment = 3\n"
      "      SkinData = vnSkinData1\n"
      "    end\n"
      "  end\n"
      "end\n",
      *Form, registry);
  auto* panel = dynamic_cast<TvnSkinCustomControl*>(Form->FindComponent("Panel1"));
  auto* u = dynamic_cast<TvnSkinUpDown*>(Form->FindComponent("vnSkinUpDown1"));
  ASSERT_TRUE(panel && u);
  EXPECT_EQ(u->Parent(), panel);
  EXPECT_EQ(Rect(0, 0, panel->Width(), panel->Height()), Rect(0, 0, 90, 26));
  EXPECT_EQ(Rect(0, 0, u->Width(), u->Height()), Rect(0, 0, 17, 30));
  EXPECT_EQ(u->Orientation(), TvnUDOrientation::udVertical);
  EXPECT_EQ(u->Position(), 7);
  EXPECT_EQ(u->Increment(), 3);
  EXPECT_EQ(u->Max(), 10);
}

}  // namespace
