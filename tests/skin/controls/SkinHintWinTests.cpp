// Skinned hints on real windows under Wine: size for a text with and without the program's skin,
// place at the screen's edges, region and pixels against the skin author's tool, the component
// in charge, translucency, the hint timers, and the application's hints over a control.
#include "skin/controls/vnSkinHint_win.h"

#include "framework/Application_win.h"
#include "framework/Bmp.h"
#include "framework/ClassRegistry.h"
#include "framework/CodePage.h"
#include "framework/DescriptionReader.h"
#include "framework/FrameworkClasses_win.h"
#include "framework/GdiCache_win.h"
#include "framework/StdCtrls_win.h"
#include "framework/Stream.h"
#include "skin/data/vnSkinDataObjects.h"
#include "skin/data/vnSkinDataRegister.h"
#include "skin/imaging/vnGdi_win.h"
#include "tests/skin/menus/MenuSkinLoad.h"
#include "tests/support/WindowTesting_win.h"
#include "tools/skintool/Skintool.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <functional>
#include <regex>
#include <sstream>
#include <string>

namespace {

using TBox = std::array<LONG, 4>;  // left, top, right, bottom

class THintFixture : public ::testing::Test {
protected:
  void SetUp() override {
    ::SetCursorPos(5, 5);
    GdiBefore = TvnGdiCount::Live();
    App = std::make_unique<TApplication>();
    Form = App->CreateForm<TForm>();
    Form->SetBounds(100, 100, 300, 200);
    Form->Show();
    Skin = LoadQuillonSkin();
    ASSERT_TRUE(Skin);
  }
  void TearDown() override {
    App.reset();
    EXPECT_EQ(TvnGdiCount::Live(), GdiBefore) << "GDI objects of the hints left behind";
  }
  // Runs the application's own message loop (hints are driven from it) for ms milliseconds.
  void PumpApp(int ms) {
    PumpAppUntil([] { return false; }, ms);
  }
  // Pumps until done() holds or ms have passed; whether it held.
  bool PumpAppUntil(const std::function<bool()>& done, int ms) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
    while (static_cast<int>(end - ::GetTickCount()) > 0) {
      while (App->ProcessMessage()) {}
      if (done()) return true;
      ::Sleep(5);
    }
    return done();
  }
  TvnSkinHint* MakeHint(TComponent* owner, bool skinned) {
    auto* hint = TComponent::Create<TvnSkinHint>(owner);
    if (skinned) hint->SetSkinData(Skin.get());
    return hint;
  }
  static TBox Box(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return {r.left, r.top, r.right, r.bottom};
  }
  // The text's extent in a font, measured as any user of the platform would.
  static SIZE Extent(const TFontDesc& font, const std::wstring& text) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, CachedFont(font));
    RECT r{0, 0, 0, 0};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return {r.right, r.bottom};
  }
  TFontDesc SkinFont() const {
    const TvnDataSkinHintWindow& info = *Skin->HintWindowInfo;
    return {CodePageToUtf8(info.FontName), DEFAULT_CHARSET_VALUE, info.FontHeight, 0, info.FontStyle};
  }

  std::unique_ptr<TApplication> App;
  TForm* Form = nullptr;
  std::unique_ptr<TvnSkinData> Skin;
  long GdiBefore = 0;
};

TEST_F(THintFixture, SizeIsTheTextsExtentAroundTheSkinOrPlain) {
  TvnSkinHint* hint = MakeHint(Form, true);
  TvnSkinHintWindow& w = hint->HintWindow();
  std::wstring atLimit;  // spaces and i's exactly as wide as the hint's text area (30)
  for (int n = 0; n < 60 && Extent(SkinFont(), atLimit).cx != 30; ++n)
    atLimit = Extent(SkinFont(), atLimit + L" ").cx <= 30 ? atLimit + L" " : atLimit + L"i";
  ASSERT_EQ(Extent(SkinFont(), atLimit).cx, 30);
  const struct {
    bool Skinned;
    std::wstring Text;
  } cases[] = {
      {true, L""},                       // the picture's own size, 48 x 26
      {true, atLimit},                   // exactly the text area: exactly 48 x 26
      {true, atLimit + L"i"},            // a little wider
      {true, L"two\nlines"},             // taller
      {true, L"Minimize to the tray"},   // extent + 18, + 12
      {false, L"Minimize to the tray"},  // plain: extent + 4
      {false, L""},
  };
  for (const auto& c : cases) {
    hint->SetSkinData(c.Skinned ? Skin.get() : nullptr);
    w.ActivateHint(Rect(200, 200, 200, 200), c.Text);
    ASSERT_TRUE(::IsWindowVisible(w.HandleIfAllocated()));
    EXPECT_EQ(w.Skinned(), c.Skinned);
    const SIZE e = Extent(c.Skinned ? SkinFont() : hint->DefaultFont, c.Text);
    const LONG W = c.Skinned ? std::max(e.cx + 18, 48L) : e.cx + 4;
    const LONG H = c.Skinned ? std::max(e.cy + 12, 26L) : e.cy + 4;
    EXPECT_EQ(Box(w.HandleIfAllocated()), (TBox{200, 200, 200 + W, 200 + H})) << Utf16ToUtf8(
        std::u16string(c.Text.begin(), c.Text.end()));
  }
}

TEST_F(THintFixture, OpensLeftAndAboveOnlyPastTheScreenEdge) {
  TvnSkinHintWindow& w = MakeHint(Form, true)->HintWindow();
  w.ActivateHint(Rect(100, 100, 100, 100), L"Close");
  const TBox first = Box(w.HandleIfAllocated());
  const LONG W = first[2] - first[0], H = first[3] - first[1];
  const LONG SW = ::GetSystemMetrics(SM_CXSCREEN), SH = ::GetSystemMetrics(SM_CYSCREEN);
  const struct {
    LONG X, Y, Left, Top;
  } cases[] = {
      {SW - W, 100, SW - W, 100},                    // right side exactly on the edge
      {SW - W + 1, 100, SW - W + 1 - (W + 2), 100},  // one past
      {100, SH - H, 100, SH - H},                    // bottom exactly on the edge
      {100, SH - H + 1, 100, SH - H + 1 - (H + 2)},  // one past
  };
  for (const auto& c : cases) {
    w.ActivateHint(Rect(c.X, c.Y, c.X, c.Y), L"Close");
    EXPECT_EQ(Box(w.HandleIfAllocated()), (TBox{c.Left, c.Top, c.Left + W, c.Top + H})) << c.X << "," << c.Y;
  }
}

// Texts of spaces draw no pixels: the window shows the frame picture alone.
TEST_F(THintFixture, RegionAndPixelsEqualTheToolsAtTheSameSize) {
  TvnSkinHint* hint = MakeHint(Form, true);
  TvnSkinHintWindow& w = hint->HintWindow();
  const std::string skin = QUILLON_SOURCE_DIR "/skins/quillon/skin.ini", bmp = QUILLON_BINARY_DIR "/skintool-hint.bmp";
  for (const std::wstring text : {L"", L"                         ", L"      \n      \n      "}) {
    w.ActivateHint(Rect(300, 300, 300, 300), text);
    PumpApp(100);
    const int W = w.Width(), H = w.Height();
    const std::string size = std::to_string(W) + "x" + std::to_string(H);
    SCOPED_TRACE(size);
    std::ostringstream json, rendered, err;
    ASSERT_EQ(RunSkintool({"region", skin, "--size", size, "--part", "hint"}, json, err), 0) << err.str();
    ASSERT_EQ(RunSkintool({"render", skin, "--size", size, "--part", "hint", "-o", bmp}, rendered, err), 0);
    // The tool's rectangles as one region, against the window's.
    HRGN tool = ::CreateRectRgn(0, 0, 0, 0), window = ::CreateRectRgn(0, 0, 0, 0);
    const std::string rects = json.str().substr(json.str().find("\"rects\""));
    const std::regex rect(R"(\[(-?\d+), *(-?\d+), *(-?\d+), *(-?\d+)\])");
    for (std::sregex_iterator it(rects.begin(), rects.end(), rect), end; it != end; ++it) {
      HRGN r = ::CreateRectRgn(std::stoi((*it)[1]), std::stoi((*it)[2]), std::stoi((*it)[3]), std::stoi((*it)[4]));
      ::CombineRgn(tool, tool, r, RGN_OR);
      ::DeleteObject(r);
    }
    ASSERT_TRUE(w.HasRegion());
    ASSERT_NE(::GetWindowRgn(w.HandleIfAllocated(), window), ERROR);
    EXPECT_TRUE(::EqualRgn(tool, window)) << "the window's region differs from the tool's";
    const TPixelBitmap picture = DecodeBmp(ReadFileBytes(bmp)), screen = Capture(w.HandleIfAllocated());
    int compared = 0, wrong = 0;
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x)
        if (::PtInRegion(window, x, y)) ++compared, wrong += screen.GetPixel(x, y) != picture.GetPixel(x, y);
    ::DeleteObject(tool);
    ::DeleteObject(window);
    EXPECT_GT(compared, W * H / 2);
    EXPECT_EQ(wrong, 0) << "pixels of the hint differ from the tool's render";
  }
  // Kept for a look: a skinned and a plain hint with their text.
  for (const char* file : {"/hint-skinned.bmp", "/hint-plain.bmp"}) {
    w.ActivateHint(Rect(300, 300, 300, 300), L"最小化到图标 Minimize to tray");
    PumpApp(100);
    const std::vector<std::uint8_t> shot = EncodeBmp(Capture(w.HandleIfAllocated()));
    if (FILE* f = std::fopen((QUILLON_BINARY_DIR + std::string(file)).c_str(), "wb"))
      std::fwrite(shot.data(), 1, shot.size(), f), std::fclose(f);
    hint->SetSkinData(nullptr);
    hint->DefaultFont = TFontDesc{"宋体", GB2312_CHARSET_VALUE, -12, clWindowText, 0};
  }
}

TEST_F(THintFixture, NothingShowsWithoutAnActiveHintOnTheMainForm) {
  EXPECT_EQ(dynamic_cast<TvnSkinHintWindow*>(App->HintWindow()), nullptr);
  TForm* other = App->CreateForm<TForm>();
  MakeHint(other, true);  // on any form, it makes the application's hint window skinned
  ASSERT_NE(dynamic_cast<TvnSkinHintWindow*>(App->HintWindow()), nullptr);
  EXPECT_EQ(App->HintShortPause, 100);
  const struct {
    TComponent* Owner;
    bool Active, Shows;
  } cases[] = {{Form, true, true}, {Form, false, false}, {other, true, false}};
  for (const auto& c : cases) {
    TvnSkinHint* hint = MakeHint(c.Owner, true);
    hint->SetActive(c.Active);
    App->HintWindow()->ActivateHint(Rect(200, 200, 200, 200), L"Close");
    EXPECT_EQ(App->HintWindow()->Showing(), c.Shows) << (c.Owner == Form ? "main form, " : "other form, ") << c.Active;
    App->HintWindow()->HideHint();
    c.Owner->RemoveAndFree(hint);
  }
}

TEST_F(THintFixture, OneActiveHintAtATimeAndItsEventsAndLookAreUsed) {
  TvnSkinHint* a = MakeHint(Form, true);
  TvnSkinHint* b = MakeHint(Form, false);
  TvnSkinHint* c = MakeHint(Form, true);
  std::string fired;
  a->OnShowHint = [&fired](std::wstring&, bool&, THintInfo&) { fired += "a"; };
  b->OnShowHint = [&fired](std::wstring&, bool&, THintInfo&) { fired += "b"; };
  b->SetActive(true);
  EXPECT_EQ((std::array{a->Active(), b->Active(), c->Active()}), (std::array{false, true, false}));
  std::wstring text = L"x";
  bool canShow = true;
  THintInfo info;
  App->OnShowHint(text, canShow, info);
  auto& window = dynamic_cast<TvnSkinHintWindow&>(*App->HintWindow());
  window.ActivateHint(Rect(200, 200, 200, 200), L"Close");
  EXPECT_EQ(window.HintComponent(), b);
  EXPECT_FALSE(window.Skinned()) << "b has no skin";
  Form->RemoveAndFree(b);
  App->OnShowHint(text, canShow, info);  // does nothing once its component is gone
  EXPECT_EQ(fired, "b");
}

// A window made layered again must get its opacity again, or it stays invisible.
TEST_F(THintFixture, TranslucencyFollowsTheComponent) {
  TvnSkinHint* hint = MakeHint(Form, true);
  HWND w = hint->HintWindow().Handle();
  const std::pair<bool, int> steps[] = {{true, 255}, {true, 0}, {false, 0}, {true, 0}, {true, 128}};
  for (const auto& [on, value] : steps) {
    hint->AlphaBlend = on;
    hint->AlphaBlendValue = value;
    hint->HintWindow().ActivateHint(Rect(200, 200, 200, 200), L"Close");
    ASSERT_EQ((::GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_LAYERED) != 0, on) << value;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!on) continue;
    ASSERT_TRUE(::GetLayeredWindowAttributes(w, nullptr, &alpha, &flags)) << value;
    EXPECT_EQ(alpha, value);
    EXPECT_TRUE(flags & LWA_ALPHA);
  }
}

TEST_F(THintFixture, ShowHintTextShowsAfterThePauseAndHidesAfterTheHidePause) {
  TvnSkinHint* hint = MakeHint(Form, true);
  App->HintPause = 300;
  App->HintHidePause = 600;
  ::SetCursorPos(400, 300);
  HWND window = hint->HintWindow().Handle();
  hint->ShowHintText(L"Close");
  PumpApp(150);
  EXPECT_FALSE(::IsWindowVisible(window)) << "before the pause";
  PumpApp(300);
  ASSERT_TRUE(::IsWindowVisible(window)) << "after the pause";
  EXPECT_GT(CursorHeightBelowCursor(), 0);
  EXPECT_EQ(Box(window)[0], 400);
  EXPECT_EQ(Box(window)[1], 300 + CursorHeightBelowCursor());
  PumpApp(400);
  EXPECT_TRUE(::IsWindowVisible(window)) << "before the hide pause";
  PumpApp(400);
  EXPECT_FALSE(::IsWindowVisible(window)) << "after the hide pause";
  hint->ShowHintText(L"Close");  // hidden before the pause ends: it never shows
  PumpApp(100);
  hint->HideHintText();
  PumpApp(400);
  EXPECT_FALSE(::IsWindowVisible(window));
}

TEST_F(THintFixture, ApplicationHintOverAControl) {
  TvnSkinHint* skinHint = MakeHint(Form, true);
  TButton* buttons[2];
  for (int i = 0; i < 2; ++i) {
    buttons[i] = TComponent::Create<TButton>(Form);
    buttons[i]->SetParent(Form);
    buttons[i]->SetBounds(10, 10 + 50 * i, 100, 30);
    buttons[i]->SetHint(L"Press me");
  }
  TButton* withHint = buttons[0];
  TButton* without = buttons[1];  // ShowHint off
  withHint->SetShowHint(true);
  App->HintPause = 200;
  App->HintHidePause = 500;
  PumpApp(100);
  THintWindow& w = *App->HintWindow();
  auto moveOver = [&](TWinControl* control, int waitMs) {
    const TBox r = Box(control->Handle());
    ::SetCursorPos(r[0] + 20, r[1] + 10);
    ::PostMessageW(control->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
    PumpApp(waitMs);
  };
  moveOver(without, 400);
  EXPECT_FALSE(w.Showing()) << "ShowHint off";
  moveOver(withHint, 100);
  EXPECT_FALSE(w.Showing()) << "before the pause";
  PumpApp(200);
  ASSERT_TRUE(w.Showing()) << "after the pause";
  EXPECT_EQ(w.Text(), L"Press me");
  EXPECT_EQ(App->HintControl(), withHint);
  PumpApp(500);
  EXPECT_FALSE(w.Showing()) << "after the hide pause";
  PumpApp(400);
  EXPECT_FALSE(w.Showing()) << "shown once while the mouse stays";

  // Leaving and coming back shows it again, through the event; a click hides it.
  skinHint->OnShowHint = [](std::wstring& text, bool&, THintInfo&) { text += L"!"; };
  moveOver(without, 50);
  moveOver(withHint, 300);
  ASSERT_TRUE(w.Showing());
  EXPECT_EQ(w.Text(), L"Press me!");
  ::PostMessageW(withHint->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  ::PostMessageW(withHint->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
  PumpApp(50);
  EXPECT_FALSE(w.Showing()) << "a click hides it";

  // The mouse leaving for the desktop, where no window of ours hears it move, hides it too.
  moveOver(without, 50);
  moveOver(withHint, 300);
  ASSERT_TRUE(w.Showing());
  // The platform tells of the leave from its own polling, which a busy machine can delay; the
  // hide pause (which would hide it too) leaves the hint's control in place, the leave does not.
  ::SetCursorPos(1270, 1010);
  EXPECT_TRUE(PumpAppUntil([&] { return App->HintControl() == nullptr; }, 2000)) << "the mouse left";
  EXPECT_FALSE(w.Showing());
}

TEST_F(THintFixture, ReadFromAWindowDescription) {
  TClassRegistry registry;
  RegisterFrameworkClasses(registry);
  RegisterSkinDataClasses(registry);
  RegisterSkinHintClasses(registry);
  TForm* form = App->CreateForm<TForm>();
  ReadDescription("object Form2: TForm\n"
                  "  object Button1: TButton\n    Hint = \"提示\"\n    ShowHint = True\n  end\n"
                  "  object vnSkinData1: TvnSkinData\n  end\n"
                  "  object vnSkinHint1: TvnSkinHint\n    SkinData = vnSkinData1\n    AlphaBlend = True\n"
                  "    AlphaBlendValue = 255\n    UseSkinFont = False\n    DefaultFont.Height = -20\n  end\n"
                  "end\n",
                  *form, registry);
  auto* button = dynamic_cast<TButton*>(form->FindComponent("Button1"));
  auto* hint = dynamic_cast<TvnSkinHint*>(form->FindComponent("vnSkinHint1"));
  ASSERT_TRUE(button && hint);
  EXPECT_EQ(button->Hint(), L"提示");
  EXPECT_EQ(hint->SkinData(), form->FindComponent("vnSkinData1"));
  EXPECT_EQ((std::array{button->ShowHint(), hint->AlphaBlend, hint->UseSkinFont}), (std::array{true, true, false}));
  EXPECT_EQ(hint->AlphaBlendValue, 255);  // the largest opacity
  EXPECT_EQ(hint->DefaultFont.Height, -20);
}

}  // namespace
