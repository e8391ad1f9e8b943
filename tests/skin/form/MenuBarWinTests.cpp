// The skinned main menu bar on a real window under Wine, driven with the real pointer and keys
// (SendInput) through the application's message loop, with the real popup engine: its items with
// Quillon's skin and without a skin (their pictures read back from the screen), items hidden at a
// narrow width and listed by the marker's menu, the keyboard's menu-bar mode, the open menu
// following the mouse along the bar, and a click on an item without sub-items.
// With QUILLON_SHOTS set to a folder (ending in a separator), the window with an open menu is
// saved there as menubar.bmp.
#include "skin/form/vnSkinMainMenuBar_win.h"

#include "framework/Application_win.h"
#include "framework/GdiCache_win.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataStoredSkin.h"
#include "skin/data/vnSkinData_win.h"
#include "skin/form/VeneerForm_win.h"
#include "skin/imaging/vnGdi_win.h"
#include "skin/menus/vnSkinMenus_win.h"
#include "tests/support/DesktopDriving_win.h"
#include "tests/support/WindowTesting_win.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

class TMenuBarFixture : public ::testing::Test {
protected:
  void Make(bool skinned) {
    PointerAway();
    GdiBefore = TvnGdiCount::Live();
    App = std::make_unique<TApplication>();
    Form = App->CreateForm<TForm>();
    Form->SetBounds(100, 100, 420, 240);
    Frame = TComponent::Create<TvnVeneerForm>(Form);
    Menu = TComponent::Create<TMainMenu>(Form);
    auto click = [this](TComponent* s) { Clicks.push_back(s->Name()); };
    TMenuItem* file = Menu->Items().AddItem("File", u"&File");
    file->AddItem("New", u"&New", click, ShortCut('N', scCtrl));
    file->AddItem("Open", u"&Open", click);
    file->AddItem("Exit", u"E&xit", click);
    TMenuItem* edit = Menu->Items().AddItem("Edit", u"&Edit");
    edit->AddItem("Undo", u"&Undo", click);
    edit->AddItem("Copy", u"&Copy", click);
    // An invisible item: neither the bar nor its menus show it.
    Menu->Items().AddItem("Secret", u"&Secret", click)->Visible = false;
    Menu->Items().AddItem("View", u"&View")->AddItem("Zoom", u"&Zoom", click);
    Menu->Items().AddItem("Help", u"&Help")->AddItem("About", u"&About", click);
    Menu->Items().AddItem("Go", u"&Go", click);
    Bar = TComponent::Create<TvnSkinMainMenuBar>(Form);
    Bar->SetParent(Form);
    Bar->SetAlign(TAlign::alNone);
    Bar->SetBounds(0, 0, 400, 22);
    Bar->SetMainMenu(Menu);
    Frame->SetMainMenuBar(Bar);
    if (skinned) {
      Skin = TComponent::Create<TvnSkinData>(Form);
      Skin->SetNoticeSender(&FormsSkinNoticeSender());
      static const std::vector<std::uint8_t> block = [] {
        TvnCompressedStoredSkin packed;
        packed.LoadFromSkinFile(std::filesystem::path(QUILLON_SOURCE_DIR) / "skins/quillon/skin.ini");
        return packed.CompressedData();
      }();
      Frame->SetSkinData(Skin);
      Bar->SetSkinData(Skin);
      Stored.SetCompressedData(block);
      Skin->LoadCompressedSkin(Stored);  // the frame and the bar follow its notices
    }
    Form->Show();
    ::SetForegroundWindow(Form->Handle());
    ::SetFocus(Form->Handle());
    Loop(100);
  }
  void TearDown() override {
    if (Frame != nullptr) Engine().CloseAll();
    App.reset();
    EXPECT_EQ(TvnGdiCount::Live(), GdiBefore) << "GDI objects of the bar left behind";
  }

  // Runs the application's message loop (its filters included) for ms milliseconds.
  void Loop(int ms) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
    while (static_cast<int>(end - ::GetTickCount()) > 0) {
      while (App->ProcessMessage()) {
      }
      ::Sleep(5);
    }
  }
  void Keys(std::vector<INPUT> keys) {
    SendInputs(std::move(keys));
    Loop(150);
  }
  void Tap(WORD key) { Keys({Key(key, false), Key(key, true)}); }

  TvnSkinMenu& Engine() { return *Frame->SkinMenuEngine(); }
  // The names of the items of the open menu's outermost window; empty when none is open.
  std::vector<std::string> OpenMenu() {
    std::vector<std::string> names;
    if (!Engine().MenuVisible() || Engine().PopupWindowCount() == 0) return names;
    TvnSkinPopupWindow& w = Engine().PopupWindows(0);
    for (int i = 0; i < w.ItemCount(); ++i) names.push_back(w.Item(i).SourceItem->Name());
    return names;
  }
  TvnSkinMainMenuBarItem& Item(const char* name) { return *Bar->ItemOf(Menu->Items().Find(name)); }
  // The lit (or pressed) item's name, "" for none.
  std::string Lit() {
    for (int i = 0; i < Bar->ObjectCount(); ++i)
      if (TvnSkinMainMenuBarItem* item = Bar->ItemAt(i); item && (item->ActiveLook || item->IsDown)) return item->IDName;
    return "";
  }
  TPoint ScreenCentre(const TRect& r) {
    const TRect s = Bar->ScreenRect(r);
    return {s.Left + s.Width() / 2, s.Top + s.Height() / 2};
  }
  void ClickOn(const TRect& r) {
    const TPoint p = ScreenCentre(r);
    ClickAt(p.X, p.Y);
    Loop(200);
  }
  void PointTo(const TRect& r) {
    const TPoint p = ScreenCentre(r);
    MoveTo(p.X, p.Y);
    Loop(250);  // a morph takes five 20 ms steps
  }
  // The real pointer off the window, so no item is under it (it stays where a test left it).
  static void PointerAway() { MoveTo(20, 20); }
  std::uint32_t Shown(int x, int y) { return Capture(Bar->Handle()).GetPixel(x, y); }

  long GdiBefore = 0;
  std::unique_ptr<TApplication> App;
  TForm* Form = nullptr;               // owned by App
  TvnVeneerForm* Frame = nullptr;      // owned by Form
  TMainMenu* Menu = nullptr;           // owned by Form
  TvnSkinMainMenuBar* Bar = nullptr;   // owned by Form
  TvnSkinData* Skin = nullptr;         // owned by Form
  TvnCompressedStoredSkin Stored;
  std::vector<std::string> Clicks;
};

TEST_F(TMenuBarFixture, ItemsOfAMainMenuShowTheirLooksWithAndWithoutASkin) {
  for (bool skinned : {true, false}) {
    SCOPED_TRACE(skinned ? "skinned" : "plain");
    Make(skinned);
    ASSERT_EQ(Bar->FromSkin(), skinned);
    EXPECT_EQ(Bar->Height(), 22);
    ASSERT_EQ(Bar->ObjectCount(), 5);
    EXPECT_EQ(Item("File").ObjectRect.Left, skinned ? 4 : 2);  // the items area's left edge
    // The picture at a corner of an item, away from its caption: normal, hot, pressed.
    auto corner = [&](const char* name) { return Shown(Item(name).ObjectRect.Left + 1, Item(name).ObjectRect.Top + 1); };
    auto skinPixel = [&](int x, int y) { return Skin->ActivePictures[7].GetPixel(x, y); };  // menubar.bmp
    const std::uint32_t normal = skinned ? skinPixel(41, 3) : ColorToRGB(clBtnFace);
    const std::uint32_t hot = skinned ? skinPixel(65, 3) : 0xD2BDB6;
    const std::uint32_t pressed = skinned ? skinPixel(89, 3) : 0xB59385;
    EXPECT_EQ(corner("File"), normal);
    PointTo(Item("Edit").ObjectRect);
    EXPECT_EQ(corner("Edit"), hot);
    if (!skinned) {
      EXPECT_EQ(Shown(Item("Edit").ObjectRect.Left, Item("Edit").ObjectRect.Top), 0x800000u);
    }
    ClickOn(Item("File").ObjectRect);
    EXPECT_EQ(OpenMenu(), (std::vector<std::string>{"New", "Open", "Exit"}));
    EXPECT_EQ(corner("File"), pressed);
    EXPECT_EQ(corner("Edit"), normal);
    EXPECT_TRUE(Frame->InMainMenuMode());
    TearDown();
    Frame = nullptr;
  }
}

TEST_F(TMenuBarFixture, ItemsThatDoNotFitHideAndTheMarkerListsExactlyThem) {
  Make(true);
  // The third item's right edge is where the marker's band must start for it to fit exactly: the
  // band is the last 5 pixels of the items area, which ends 4 pixels before the bar's end.
  const int third = Item("View").ObjectRect.Right;
  const struct {
    int Width;
    std::vector<std::string> Hidden;
  } cases[] = {
      {third + 9, {"Help", "Go"}},
      {third + 8, {"View", "Help", "Go"}},
      {400, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Width);
    Bar->SetBounds(0, 0, c.Width, 22);
    Loop(100);
    std::vector<std::string> hidden;
    for (const char* name : {"File", "Edit", "View", "Help", "Go"})
      if (!Item(name).Shown) hidden.push_back(name);
    EXPECT_EQ(hidden, c.Hidden);
    EXPECT_EQ(Bar->Overflow(), !c.Hidden.empty());
    if (c.Hidden.empty()) continue;
    const TRect band = Bar->MarkerBand();
    EXPECT_EQ(band.Right, c.Width - 4);
    PointerAway();
    Loop(100);
    EXPECT_EQ(Shown(band.Left + 2, band.Top + band.Height() / 2), 11181718u);  // "trackmarkcolor"
    ClickOn(band);
    EXPECT_EQ(OpenMenu(), c.Hidden);
    Engine().CloseAll();
    Loop(50);
  }
}

TEST_F(TMenuBarFixture, KeyboardWalksTheItemsOpensMenusAndStepsOutLevelByLevel) {
  Make(true);
  // Alt alone: the first item lights and the bar has the keyboard.
  Tap(VK_MENU);
  EXPECT_TRUE(Frame->InMainMenuMode());
  EXPECT_EQ(Lit(), "File");
  for (const char* next : {"Edit", "View", "Help", "Go", "File"}) {
    Tap(VK_RIGHT);
    EXPECT_EQ(Lit(), next);
  }
  Tap(VK_LEFT);
  EXPECT_EQ(Lit(), "Go");
  Tap(VK_RIGHT);
  // Down opens the lit item's menu (its first item lit); Down again, Return runs the second.
  Tap(VK_DOWN);
  EXPECT_EQ(OpenMenu(), (std::vector<std::string>{"New", "Open", "Exit"}));
  Tap(VK_DOWN);
  Tap(VK_RETURN);
  EXPECT_EQ(Clicks, (std::vector<std::string>{"Open"}));
  EXPECT_TRUE(OpenMenu().empty());
  EXPECT_FALSE(Frame->InMainMenuMode());
  EXPECT_EQ(Lit(), "");

  // F10, Return opens; Esc closes the menu and keeps the item lit; Esc again leaves the bar.
  Tap(VK_F10);
  EXPECT_EQ(Lit(), "File");
  Tap(VK_RETURN);
  EXPECT_EQ(OpenMenu(), (std::vector<std::string>{"New", "Open", "Exit"}));
  Tap(VK_ESCAPE);
  EXPECT_TRUE(OpenMenu().empty());
  EXPECT_TRUE(Frame->InMainMenuMode());
  EXPECT_EQ(Lit(), "File");
  EXPECT_FALSE(Item("File").IsDown);
  Tap(VK_ESCAPE);
  EXPECT_FALSE(Frame->InMainMenuMode());
  EXPECT_EQ(Lit(), "");

  // Alt+E opens Edit at once; Right with its menu open moves the menu to the next item.
  Keys({Key(VK_MENU, false), Key('E', false), Key('E', true), Key(VK_MENU, true)});
  EXPECT_EQ(OpenMenu(), (std::vector<std::string>{"Undo", "Copy"}));
  EXPECT_TRUE(Item("Edit").IsDown);
  EXPECT_TRUE(Frame->InMainMenuMode());
  Tap(VK_RIGHT);
  EXPECT_EQ(OpenMenu(), (std::vector<std::string>{"Zoom"}));
  Tap(VK_ESCAPE);
  Tap(VK_ESCAPE);
  EXPECT_FALSE(Frame->InMainMenuMode());

  // Alt+G runs the item without sub-items; Ctrl+N runs the File menu's shortcut, no menu shown.
  Keys({Key(VK_MENU, false), Key('G', false), Key('G', true), Key(VK_MENU, true)});
  Keys({Key(VK_CONTROL, false), Key('N', false), Key('N', true), Key(VK_CONTROL, true)});
  EXPECT_EQ(Clicks, (std::vector<std::string>{"Open", "Go", "New"}));
  EXPECT_TRUE(OpenMenu().empty());
  EXPECT_FALSE(Frame->InMainMenuMode());
}

TEST_F(TMenuBarFixture, TheOpenMenuFollowsTheMouseAlongTheBar) {
  Make(true);
  ClickOn(Item("File").ObjectRect);
  ASSERT_EQ(OpenMenu(), (std::vector<std::string>{"New", "Open", "Exit"}));
  const struct {
    const char* To;
    std::vector<std::string> Menu;
  } moves[] = {{"Edit", {"Undo", "Copy"}}, {"View", {"Zoom"}}, {"File", {"New", "Open", "Exit"}}};
  for (const auto& m : moves) {
    PointTo(Item(m.To).ObjectRect);
    EXPECT_EQ(OpenMenu(), m.Menu) << m.To;
    EXPECT_EQ(Engine().PopupWindowCount(), 1) << m.To;
    EXPECT_EQ(Lit(), m.To);
  }
  const std::vector<HWND> popups = PopupsOf(Form->Handle());
  ASSERT_EQ(popups.size(), 1u);
  const RECT popup = WindowRectOf(popups.front());
  if (const char* folder = std::getenv("QUILLON_SHOTS")) {
    RECT r = WindowRectOf(Form->Handle());
    r.bottom = std::max(r.bottom, popup.bottom + 4);
    const std::string f(folder);
    SaveScreen(std::wstring(f.begin(), f.end()), r, L"menubar.bmp");
  }
  // Off the bar into its menu, the item stays lit and its menu open.
  MoveTo(popup.left + 20, popup.top + 10);
  Loop(200);
  EXPECT_EQ(Lit(), "File");
  EXPECT_EQ(OpenMenu(), (std::vector<std::string>{"New", "Open", "Exit"}));
}

TEST_F(TMenuBarFixture, AClickOnAnItemWithoutSubItemsRunsItsCommand) {
  Make(false);
  ClickOn(Item("Go").ObjectRect);
  EXPECT_EQ(Clicks, (std::vector<std::string>{"Go"}));
  EXPECT_TRUE(OpenMenu().empty());
  EXPECT_FALSE(Frame->InMainMenuMode());
  EXPECT_FALSE(Frame->InPopupMenuMode());
}

}  // namespace
