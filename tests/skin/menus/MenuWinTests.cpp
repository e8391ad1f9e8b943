// The popup-menu engine on real windows under Wine: what opens, what lights, what keys and the
// mouse do, the order of closing and commands, scrolling, the skinned look read back from the
// screen, accessibility events, GDI objects, and a long random run.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "MenuSkinLoad.h"
#include "tests/support/AccessibleReading_win.h"
#include "tests/support/WindowTesting_win.h"
#include "framework/Application_win.h"
#include "framework/Bmp.h"
#include "framework/Forms_win.h"
#include "framework/GdiCache_win.h"
#include "skin/data/vnSkinDataObjects.h"
#include "skin/data/vnSkinDataResStr.h"
#include "skin/imaging/vnGdi_win.h"
#include "skin/menus/vnSkinMenuHost.h"
#include "skin/menus/vnSkinMenus_win.h"
#include "skin/menus/vnSkinPopupMenu_win.h"
#include "framework/Stream.h"
#include "tools/skintool/Skintool.h"

#include <sstream>

namespace {

// A form that records the engine's messages in order, with a shared log.
struct Recorder {
  std::vector<std::string> Log;
};

void Hook(TWinControl& control, Recorder& rec, const std::string& who) {
  TWndMethod old = control.WindowProc();
  control.SetWindowProc([old, &rec, who](TMessage& m) {
    if (m.Msg == WM_SKINMENUCLOSED) rec.Log.push_back(who + " closed");
    if (m.Msg == WM_SKINMENUCOMMAND) rec.Log.push_back(who + " command");
    old(m);
  });
}

struct MenuFixture : ::testing::Test {
  TForm Host{nullptr};
  Recorder Rec;
  std::unique_ptr<TvnSkinMenu> Engine;
  TPopupMenu Menu;
  long GdiBefore = 0;

  void SetUp() override {
    ::SetCursorPos(1270, 1010);  // away from every menu
    GdiBefore = TvnGdiCount::Live();
    Host.SetBounds(100, 100, 300, 200);
    Host.Show();
    Hook(Host, Rec, "host");
    Engine = std::make_unique<TvnSkinMenu>(nullptr, &Host);
  }
  void TearDown() override {
    if (Engine) Engine->CloseAll();
    Engine.reset();
    EXPECT_EQ(TvnGdiCount::Live(), GdiBefore) << "GDI objects of the menus left behind";
  }
  TMenuItem* Add(TMenuItem& parent, const char* name, const char16_t* caption) {
    return parent.AddItem(name, caption, [this, n = std::string(name)](TComponent*) { Rec.Log.push_back("click " + n); });
  }
  void Open(TvnSkinData* skin = nullptr, TRect at = {300, 300, 300, 300}, TWinControl* control = nullptr) {
    Engine->PopupItems(control, skin, false, &Menu.Items(), at, 0);
    Pump(60);
  }
  TvnSkinPopupWindow& Window(int i) { return Engine->PopupWindows(i); }
};

TEST_F(MenuFixture, WindowNeverActivatesAndFirstItemIsLit) {
  Add(Menu.Items(), "sep", u"-");
  Add(Menu.Items(), "off", u"Off")->Enabled = false;
  Add(Menu.Items(), "open", u"&Open");
  Open();
  ASSERT_EQ(Engine->PopupWindowCount(), 1);
  HWND w = Window(0).HandleIfAllocated();
  ASSERT_TRUE(::IsWindowVisible(w));
  EXPECT_TRUE(::GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(::GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(::GetClassLongW(w, GCL_STYLE) & CS_SAVEBITS);
  EXPECT_EQ(::SendMessageW(w, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(Host.Handle()), 0), MA_NOACTIVATE);
  EXPECT_EQ(Window(0).HotItem, 2) << "separators and disabled items are passed over";
  EXPECT_TRUE(Window(0).Item(2).Hot);
  EXPECT_TRUE(Window(0).Item(2).WaitingForMouse);
  RECT r;
  ::GetWindowRect(w, &r);
  EXPECT_EQ(r.left, 300);
  EXPECT_EQ(r.top, 300);
}

TEST_F(MenuFixture, CommandRunsAfterTheWholeMenuClosedThenTheControlHears) {
  TMenuItem* sub = Add(Menu.Items(), "sub", u"&Sub");
  TMenuItem* go = Add(*sub, "go", u"&Go");
  go->OnClick = [this](TComponent*) {
    Rec.Log.push_back(std::string("click, visible ") + (Engine->MenuVisible() ? "yes" : "no") + ", windows " +
                      std::to_string(Engine->PopupWindowCount()));
  };
  TForm control(nullptr);
  control.SetBounds(500, 100, 100, 100);
  Hook(control, Rec, "control");
  Open(nullptr, {300, 300, 300, 300}, &control);
  Engine->KeyDown(vkRight);
  ASSERT_EQ(Engine->PopupWindowCount(), 2);
  Engine->KeyDown(vkReturn);
  // Opening the submenu ran its item's command first (the application may fill it then).
  const std::vector<std::string> expected{"click sub", "control closed", "host closed", "click, visible no, windows 0",
                                          "control command"};
  EXPECT_EQ(Rec.Log, expected);
}

TEST_F(MenuFixture, EscapeClosesOneLevelAtATime) {
  TMenuItem* a = Add(Menu.Items(), "a", u"&A");
  TMenuItem* b = Add(*a, "b", u"&B");
  Add(*b, "c", u"&C");
  Open();
  // What a menu bar asks before it takes Left or Right: levels open, and whether the lit item
  // of the innermost one opens another.
  EXPECT_EQ(Engine->OpenLevels(), 1);
  EXPECT_TRUE(Engine->SelectedItemHasSubItems());
  Engine->KeyDown(vkRight);
  Engine->KeyDown(vkRight);
  ASSERT_EQ(Engine->PopupWindowCount(), 3);
  EXPECT_EQ(Engine->OpenLevels(), 3);
  EXPECT_FALSE(Engine->SelectedItemHasSubItems()) << "C has no sub-items";
  EXPECT_TRUE(Window(1).Item(0).SubmenuOpen);
  Engine->KeyDown(vkEscape);
  EXPECT_EQ(Engine->PopupWindowCount(), 2);
  EXPECT_FALSE(Window(1).Item(0).SubmenuOpen);
  Engine->KeyDown(vkLeft);
  EXPECT_EQ(Engine->PopupWindowCount(), 1);
  Engine->KeyDown(vkLeft);
  EXPECT_EQ(Engine->PopupWindowCount(), 1) << "Left never closes the outermost level";
  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"click a", "click b"})) << "opening submenus ran their items";
  Engine->KeyDown(vkEscape);
  EXPECT_EQ(Engine->PopupWindowCount(), 0);
  EXPECT_FALSE(Engine->MenuVisible());
  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"click a", "click b", "host closed"})) << "the form leaves menu mode";
}

TEST_F(MenuFixture, AcceleratorsRunAnItemOrOpenItsSubmenuAtOnce) {
  Add(Menu.Items(), "open", u"&Open");
  TMenuItem* more = Add(Menu.Items(), "more", u"&More");
  Add(*more, "x", u"E&xit");
  Open();
  Engine->KeyDown('M');
  ASSERT_EQ(Engine->PopupWindowCount(), 2) << "no 500 ms wait for a key";
  EXPECT_EQ(Rec.Log, std::vector<std::string>{"click more"});
  Engine->KeyDown('Q');
  EXPECT_EQ(Engine->PopupWindowCount(), 2) << "a key no caption has does nothing";
  Engine->KeyDown('X');
  EXPECT_EQ(Engine->PopupWindowCount(), 0);
  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"click more", "host closed", "click x"}));
}

TEST_F(MenuFixture, SubmenuOpensAfterTheDelayWhenTheMouseConfirmsTheItem) {
  TMenuItem* sub = Add(Menu.Items(), "sub", u"Sub");
  Add(*sub, "in", u"In");
  Add(Menu.Items(), "other", u"Other");
  Open();
  TvnSkinPopupWindow& w = Window(0);
  const TRect r = w.Item(0).ItemRect();
  w.TrackItems(r.Left + 5, r.Top + 5);  // the mouse arrives on the lit item
  EXPECT_FALSE(w.Item(0).WaitingForMouse);
  Pump(350);
  EXPECT_EQ(Engine->PopupWindowCount(), 1) << "not before 500 ms";
  Pump(400);
  ASSERT_EQ(Engine->PopupWindowCount(), 2);
  EXPECT_TRUE(w.Item(0).SubmenuOpen);
  RECT sr;
  ::GetWindowRect(Window(1).HandleIfAllocated(), &sr);
  EXPECT_EQ(sr.left, w.ShownAtX + r.Right + 1) << "to the right of the parent item";
  EXPECT_EQ(sr.top, w.ShownAtY + r.Top - Window(1).WinItemsRect().Top) << "first item level with the parent";
  // Moving to a sibling before the delay runs out keeps the submenu shut.
  const TRect o = w.Item(1).ItemRect();
  w.TrackItems(o.Left + 5, o.Top + 5);
  EXPECT_EQ(Engine->PopupWindowCount(), 1);
  w.TrackItems(r.Left + 5, r.Top + 5);
  w.TrackItems(o.Left + 5, o.Top + 5);
  Pump(700);
  EXPECT_EQ(Engine->PopupWindowCount(), 1) << "the wait stopped when the item lost the mouse";
}

TEST_F(MenuFixture, HoveringADisabledItemUnlightsThePreviousOne) {
  Add(Menu.Items(), "a", u"A");
  Add(Menu.Items(), "off", u"Off")->Enabled = false;
  Open();
  TvnSkinPopupWindow& w = Window(0);
  const TRect r = w.Item(1).ItemRect();
  w.TrackItems(r.Left + 3, r.Top + 3);
  EXPECT_EQ(w.HotItem, 1);
  EXPECT_FALSE(w.Item(1).Hot);
  EXPECT_FALSE(w.Item(0).Hot);
  ::SendMessageW(w.HandleIfAllocated(), WM_LBUTTONUP, 0, MAKELPARAM(r.Left + 3, r.Top + 3));
  EXPECT_EQ(Engine->PopupWindowCount(), 1) << "a disabled item is not chosen";
  const TRect a = w.Item(0).ItemRect();
  ::SendMessageW(w.HandleIfAllocated(), WM_LBUTTONUP, 0, MAKELPARAM(a.Left + 3, a.Top + 3));
  EXPECT_EQ(Engine->PopupWindowCount(), 0);
  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"host closed", "click a"}));
}

TEST_F(MenuFixture, ScrollLimitsOfFiveAndEightWithKeysAndBands) {
  for (int i = 0; i < 8; ++i) Add(Menu.Items(), ("i" + std::to_string(i)).c_str(), u"Item");
  for (int limit : {5, 8}) {
    Engine->MaxMenuItemsInWindow = limit;
    Open();
    TvnSkinPopupWindow& w = Window(0);
    const bool scrolls = limit < 8;
    EXPECT_EQ(w.Scrolling(), scrolls) << limit;
    EXPECT_EQ(w.WindowHeight, limit * 20 + 4 + (scrolls ? 20 : 0)) << limit;
    EXPECT_EQ(w.VisibleItemCount(), limit);
    for (int k = 0; k < 4; ++k) Engine->KeyDown(vkDown);
    EXPECT_EQ(w.HotItem, 4);
    EXPECT_EQ(w.FirstVisible(), 0);
    Engine->KeyDown(vkDown);
    EXPECT_EQ(w.HotItem, 5);
    EXPECT_EQ(w.FirstVisible(), scrolls ? 1 : 0) << "down on the fifth scrolls by one";
    Engine->KeyDown(vkDown);
    Engine->KeyDown(vkDown);
    Engine->KeyDown(vkDown);
    EXPECT_EQ(w.HotItem, 0) << "down on the last wraps";
    EXPECT_EQ(w.FirstVisible(), 0);
    Engine->KeyDown(vkUp);
    EXPECT_EQ(w.HotItem, 7);
    EXPECT_EQ(w.FirstVisible(), scrolls ? 3 : 0);
    if (scrolls) {
      // The mouse resting on the top band scrolls one item per 100 ms.
      const TRect band{w.WinItemsRect().Left, w.WinItemsRect().Top, w.WinItemsRect().Right, w.WinItemsRect().Top + 10};
      ::SetCursorPos(w.ShownAtX + band.Left + 20, w.ShownAtY + band.Top + 5);
      Pump(180);
      EXPECT_EQ(w.ScrollState(), 1);
      Pump(400);
      EXPECT_EQ(w.FirstVisible(), 0) << "scrolled up to the top";
      ::SetCursorPos(1270, 1010);
      Pump(120);
      EXPECT_EQ(w.ScrollState(), 0) << "the mouse left the band";
    }
    Engine->CloseAll();
  }
}

TEST_F(MenuFixture, FiveThousandItemsOpenFullHeightAndScroll) {
  for (int i = 0; i < 5000; ++i) Menu.Items().AddItem("", u"Item " + std::u16string(1, u'a' + i % 26));
  const auto start = std::chrono::steady_clock::now();
  Open();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  ASSERT_EQ(Engine->PopupWindowCount(), 1);
  TvnSkinPopupWindow& w = Window(0);
  RECT work;
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_TRUE(w.Scrolling());
  EXPECT_EQ(w.WindowHeight, work.bottom - work.top);
  EXPECT_EQ(w.ShownAtY, work.top) << "a menu taller than the work area starts at its top";
  Engine->KeyDown(vkUp);
  EXPECT_EQ(w.HotItem, 4999);
  EXPECT_EQ(w.FirstVisible() + w.VisibleItemCount(), 5000);
  Engine->KeyDown(vkDown);
  EXPECT_EQ(w.FirstVisible(), 0);
  std::printf("5000 items opened in %lld ms\n", static_cast<long long>(ms));
}

// Colour distance small enough for the same pixel after the screen's round trip.
bool Near(std::uint32_t a, std::uint32_t b) {
  for (int s = 0; s < 24; s += 8)
    if (std::abs(static_cast<int>((a >> s) & 0xFF) - static_cast<int>((b >> s) & 0xFF)) > 2) return false;
  return true;
}

TEST_F(MenuFixture, SkinnedWindowOnScreenMatchesThePortableComposition) {
  auto skin = LoadQuillonSkin();
  ASSERT_TRUE(skin);
  Add(Menu.Items(), "a", u"Alpha");
  Add(Menu.Items(), "sep", u"-");
  Add(Menu.Items(), "b", u"Beta");
  Open(skin.get());
  Pump(300);  // the opening highlight has morphed to its end
  TvnSkinPopupWindow& w = Window(0);
  ASSERT_TRUE(w.Skinned());
  const TPixelBitmap screen = Capture(w.HandleIfAllocated());
  ASSERT_EQ(screen.Width(), w.WindowWidth);
  const TPixelBitmap background = ComposePopupBackground(w.Look, w.WindowWidth, w.WindowHeight, false);
  const TRect items = w.WinItemsRect();
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(::GetWindowRgn(w.HandleIfAllocated(), region), ERROR) << "the mask's region is on the window";
  int compared = 0, wrong = 0;
  for (int y = 0; y < w.WindowHeight; ++y)
    for (int x = 0; x < w.WindowWidth; ++x) {
      if (items.Contains({x, y}) || !::PtInRegion(region, x, y)) continue;
      ++compared;
      if (!Near(screen.GetPixel(x, y), background.GetPixel(x, y))) ++wrong;
    }
  ::DeleteObject(region);
  EXPECT_GT(compared, 100);
  EXPECT_EQ(wrong, 0) << "frame pixels differ from the composition";
  // The separator row and the left end of the lit first item (no text there).
  const TPixelBitmap divider = ComposeDividerPicture(w.Look, items.Width());
  const TRect sep = w.Item(1).ItemRect();
  for (int x = 0; x < items.Width(); ++x)
    EXPECT_TRUE(Near(screen.GetPixel(sep.Left + x, sep.Top + 1), divider.GetPixel(x, 1))) << "separator x " << x;
  const TPixelBitmap lit = ComposeItemPicture(w.Look, items.Width(), true);
  const TRect first = w.Item(0).ItemRect();
  for (int y = 0; y < first.Height(); ++y)
    EXPECT_TRUE(Near(screen.GetPixel(first.Left + 1, first.Top + y), lit.GetPixel(1, y))) << "lit item row " << y;
  // Kept for a look: build/<folder>/menus-skinned.bmp.
  const std::vector<std::uint8_t> bmp = EncodeBmp(screen);
  if (FILE* f = std::fopen(QUILLON_BINARY_DIR "/menus-skinned.bmp", "wb")) {
    std::fwrite(bmp.data(), 1, bmp.size(), f);
    std::fclose(f);
  }
}

// The skin author's tool draws a popup with items as the engine shows it: the same menu of blank
// items (no text, image or glyph), its first item lit, pixel for pixel inside the window region.
// (No separator: the engine measures its "-" as text, which the tool cannot.)
// At 144 and 192 DPI (its form scaled to them) the menu is drawn from the skin scaled as the
// tool scales it.
TEST_F(MenuFixture, SkinnedWindowOnScreenEqualsTheToolsRender) {
  auto skin = LoadQuillonSkin();
  ASSERT_TRUE(skin);
  for (int i = 0; i < 4; ++i) Menu.Items().AddItem("", u"");
  for (const auto& [dpi, scale] : {std::pair{96, "1"}, {144, "1.5"}, {192, "2"}}) {
    SCOPED_TRACE(dpi);
    Host.ScaleForDpi(dpi);
    Open(skin.get());
    Pump(300);  // the opening highlight has morphed to its end
    TvnSkinPopupWindow& w = Window(0);
    const TPixelBitmap screen = Capture(w.HandleIfAllocated());

    const std::string out = QUILLON_BINARY_DIR "/skintool-popup-items.bmp";
    std::ostringstream said, err;
    ASSERT_EQ(RunSkintool({"render", QUILLON_SOURCE_DIR "/skins/quillon/skin.ini", "--part", "popup", "--items",
                           "item,item,item,item", "--hot", "0", "--scale", scale, "-o", out},
                          said, err),
              0)
        << err.str();
    const TPixelBitmap rendered = DecodeBmp(ReadFileBytes(out));
    ASSERT_EQ(rendered.Width(), w.WindowWidth);
    ASSERT_EQ(rendered.Height(), w.WindowHeight);
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(w.HandleIfAllocated(), region), ERROR);
    int compared = 0, wrong = 0;
    for (int y = 0; y < w.WindowHeight; ++y)
      for (int x = 0; x < w.WindowWidth; ++x) {
        if (!::PtInRegion(region, x, y)) continue;
        ++compared;
        if (screen.GetPixel(x, y) != rendered.GetPixel(x, y)) ++wrong;
      }
    ::DeleteObject(region);
    EXPECT_GT(compared, w.WindowWidth * w.WindowHeight / 2);
    EXPECT_EQ(wrong, 0) << "pixels of the window differ from skintool's render";
    Engine->CloseMenu();
    Pump(50);
  }
  Host.ScaleForDpi(96);
}

TEST_F(MenuFixture, SkinsWithoutMenuPiecesDrawPlainParts) {
  struct Case {
    const char* what;
    void (*damage)(TvnSkinData&);
    bool skinned, itemSkin;
  };
  const Case cases[] = {
      {"window picture -1", [](TvnSkinData& d) { d.PopupWindowInfo->WindowPictureIndex = -1; }, false, false},
      {"no menu item description", [](TvnSkinData& d) {
         std::erase_if(d.ObjectDescriptions, [](const auto& o) { return dynamic_cast<TvnDataSkinMenuItem*>(o.get()); });
       }, true, false},
      {"item picture naming none", [](TvnSkinData& d) {
         for (auto& o : d.ObjectDescriptions) o->ActivePictureIndex = 77;
       }, true, false},
  };
  Add(Menu.Items(), "a", u"Alpha");
  Add(Menu.Items(), "sep", u"-");
  for (const Case& c : cases) {
    auto skin = LoadQuillonSkin();
    ASSERT_TRUE(skin);
    c.damage(*skin);
    Open(skin.get());
    Pump(100);
    TvnSkinPopupWindow& w = Window(0);
    EXPECT_EQ(w.Skinned(), c.skinned) << c.what;
    EXPECT_EQ(w.ItemSkin != nullptr, c.itemSkin) << c.what;
    const TPixelBitmap screen = Capture(w.HandleIfAllocated());
    const TRect sep = w.Item(1).ItemRect();
    EXPECT_EQ(sep.Height(), 4) << c.what;
    // The plain separator: a line in the button-shadow colour at half its height.
    EXPECT_TRUE(Near(screen.GetPixel(sep.Right - 5, sep.Top + 2), ColorToRGB(clBtnShadow))) << c.what;
    if (!c.skinned) {
      EXPECT_TRUE(Near(screen.GetPixel(0, 0), ColorToRGB(clBtnShadow))) << c.what;
    }
    Engine->CloseAll();
  }
}

TEST_F(MenuFixture, ResourceStringCharacterSetAppliesToTheMenuFont) {
  auto skin = LoadQuillonSkin();
  ASSERT_TRUE(skin);
  TvnResourceStrData strings;
  strings.SetCharSet(GB2312_CHARSET_VALUE);
  skin->SetResourceStrData(&strings);
  Add(Menu.Items(), "a", u"Alpha");
  Open(skin.get());
  EXPECT_EQ(Window(0).ItemFont.Charset, GB2312_CHARSET_VALUE);
  EXPECT_EQ(Window(0).ItemFont.Name, "宋体") << "the skin's item font, read from its GB2312 bytes";
  Engine->CloseAll();
  skin->SetResourceStrData(nullptr);
  Open(skin.get());
  EXPECT_EQ(Window(0).ItemFont.Charset, Engine->DefaultItemFont.Charset);
  Engine->CloseAll();
}

std::vector<std::pair<DWORD, LONG>>* gEvents = nullptr;
void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND, LONG, LONG child, DWORD, DWORD) {
  if (gEvents != nullptr) gEvents->push_back({event, child});
}

TEST_F(MenuFixture, AccessibilityEventsForPopupsAndHotItems) {
  std::vector<std::pair<DWORD, LONG>> events;
  gEvents = &events;
  HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_SYSTEM_MENUPOPUPSTART, EVENT_OBJECT_FOCUS, nullptr, OnWinEvent,
                                         ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  TMenuItem* sub = Add(Menu.Items(), "sub", u"&Sub");
  Add(*sub, "x", u"&X");
  Add(Menu.Items(), "b", u"&B");
  Open();
  for (unsigned key : {vkDown, vkUp, vkRight}) {
    Engine->KeyDown(key);
    Pump(30);
  }
  Engine->CloseAll();
  Pump(100);
  ::UnhookWinEvent(hook);
  gEvents = nullptr;
  std::vector<std::pair<DWORD, LONG>> interesting;
  for (auto e : events)
    if (e.first == EVENT_SYSTEM_MENUPOPUPSTART || e.first == EVENT_SYSTEM_MENUPOPUPEND || e.first == EVENT_OBJECT_FOCUS)
      interesting.push_back(e);
  const std::vector<std::pair<DWORD, LONG>> expected{
      {EVENT_SYSTEM_MENUPOPUPSTART, CHILDID_SELF}, {EVENT_OBJECT_FOCUS, 1}, {EVENT_OBJECT_FOCUS, 2},
      {EVENT_OBJECT_FOCUS, 1}, {EVENT_SYSTEM_MENUPOPUPSTART, CHILDID_SELF}, {EVENT_OBJECT_FOCUS, 1},
      {EVENT_SYSTEM_MENUPOPUPEND, CHILDID_SELF}, {EVENT_SYSTEM_MENUPOPUPEND, CHILDID_SELF}};
  EXPECT_EQ(interesting, expected);
}

// A reader in another process, the way a screen reader does it, reads the open menu and
// chooses an item.
TEST_F(MenuFixture, AReaderInAnotherProcessReadsTheItemsAndChoosesOne) {
  Add(Menu.Items(), "new", u"&New")->ShortCut = ShortCut('N', scCtrl);
  Add(Menu.Items(), "wrap", u"&Wrap")->Checked = true;
  Add(Menu.Items(), "print", u"&Print")->Enabled = false;
  Add(Menu.Items(), "sep", u"-");
  Add(*Add(Menu.Items(), "recent", u"&Recent && old"), "one", u"&One");
  Open();
  ASSERT_EQ(Engine->PopupWindowCount(), 1);
  HWND w = Window(0).HandleIfAllocated();
  RECT at;
  ::GetWindowRect(w, &at);
  std::vector<std::string> locations;
  for (int i = 0; i < Window(0).ItemCount(); ++i) {
    const TRect r = Window(0).Item(i).ItemRect();
    locations.push_back(Location({at.left + r.Left, at.top + r.Top, at.left + r.Right, at.top + r.Bottom}));
  }
  SaveShot(ScreenShot(at), "access-menu.bmp");  // for a look at the state the reader sees
  const TAccessibleReading r = ReadFromOutside(w, "client", L"Wrap");
  ASSERT_TRUE(r.Finished);
  ASSERT_EQ(r.Get, "00000000");
  ASSERT_FALSE(r.Rows.empty());
  EXPECT_EQ(r.Rows[0].Role, std::to_string(ROLE_SYSTEM_MENUPOPUP));
  EXPECT_EQ(r.Rows[0].Location, Location(at));
  struct Case {
    std::string Name;
    long Role, State;
    std::string Shortcut, Action;
  } cases[] = {
      {"New", ROLE_SYSTEM_MENUITEM, STATE_SYSTEM_FOCUSED, "Ctrl+N", "执行"},  // the first item is lit
      {"Wrap", ROLE_SYSTEM_MENUITEM, STATE_SYSTEM_CHECKED, "W", "执行"},
      {"Print", ROLE_SYSTEM_MENUITEM, STATE_SYSTEM_UNAVAILABLE, "P", ""},
      {"", ROLE_SYSTEM_SEPARATOR, 0, "", ""},
      {"Recent & old", ROLE_SYSTEM_MENUITEM, STATE_SYSTEM_HASPOPUP, "R", "打开"},
  };
  ASSERT_EQ(r.Rows.size(), std::size(cases) + 1);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const TAccessibleRow& row = r.Rows[i + 1];
    SCOPED_TRACE(cases[i].Name);
    EXPECT_EQ(row.Depth, 1);
    EXPECT_EQ(row.Name, cases[i].Name);
    EXPECT_EQ(row.Role, std::to_string(cases[i].Role));
    EXPECT_EQ(row.State, Hex(cases[i].State));
    EXPECT_EQ(row.Shortcut, cases[i].Shortcut);
    EXPECT_EQ(row.Action, cases[i].Action);
    EXPECT_EQ(row.Location, locations[i]);
  }
  // Choosing "Wrap" from the reader runs it as a click does: the menu closes, then the command.
  EXPECT_EQ(r.Do, "00000000");
  Pump(100);
  EXPECT_FALSE(Engine->MenuVisible());
  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"host closed", "click wrap"}));
}

TEST_F(MenuFixture, ACommandThatFreesItsMenuOrTheEngineDoesNotCrash) {
  auto* menu = new TPopupMenu(nullptr);
  menu->Items().AddItem("kill", u"&Kill", [&menu](TComponent*) {
    delete menu;
    menu = nullptr;
  });
  Engine->PopupItems(nullptr, nullptr, false, &menu->Items(), {300, 300, 300, 300}, 0);
  Engine->KeyDown(vkReturn);
  EXPECT_EQ(menu, nullptr);
  EXPECT_FALSE(Engine->MenuVisible());
  Add(Menu.Items(), "a", u"A")->OnClick = [this](TComponent*) { Engine.reset(); };
  TForm control(nullptr);
  Engine->PopupItems(&control, nullptr, false, &Menu.Items(), {300, 300, 300, 300}, 0);
  Engine->KeyDown(vkReturn);
  EXPECT_EQ(Engine, nullptr);
  // A menu freed while it shows closes its window.
  Engine = std::make_unique<TvnSkinMenu>(nullptr, &Host);
  auto* other = new TPopupMenu(nullptr);
  other->Items().AddItem("x", u"X");
  Engine->PopupItems(nullptr, nullptr, false, &other->Items(), {300, 300, 300, 300}, 0);
  delete other;
  EXPECT_EQ(Engine->PopupWindowCount(), 0);
}

TEST_F(MenuFixture, FadeInEndsAtTheBlendValue) {
  TApplication app;
  Engine->AlphaBlend = true;
  Engine->AlphaBlendAnimation = true;
  Engine->AlphaBlendValue = 200;
  Add(Menu.Items(), "a", u"A");
  Open();
  HWND w = Window(0).HandleIfAllocated();
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(::GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_LAYERED);
  ASSERT_TRUE(::GetLayeredWindowAttributes(w, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 200);
}

struct HostForm : TForm, TvnSkinMenuHost {
  explicit HostForm() : TForm(nullptr) {}
  TvnSkinMenu* Engine = nullptr;
  TvnSkinData* Skin = nullptr;
  int Enter = 0, Leave = 0;
  TvnSkinMenu* SkinMenuEngine() override { return Engine; }
  TvnSkinData* HostMenusSkinData() const override { return Skin; }
  void EnterMenuMode() override { ++Enter; }
  void LeaveMenuMode() override { ++Leave; }
};

struct HostComponent : TComponent, TvnSkinMenuHost {
  using TComponent::TComponent;
  TvnSkinMenu* EngineOf = nullptr;
  TvnSkinData* Skin = nullptr;
  int Enter = 0, Leave = 0;
  TvnSkinMenu* SkinMenuEngine() override { return EngineOf; }
  TvnSkinData* HostMenusSkinData() const override { return Skin; }
  void EnterMenuMode() override { ++Enter; }
  void LeaveMenuMode() override { ++Leave; }
};

TEST_F(MenuFixture, SkinPopupMenuShowsThroughItsFormsHost) {
  TForm form(nullptr);
  auto* host = TComponent::Create<HostComponent>(&form);
  host->EngineOf = Engine.get();
  auto skin = LoadQuillonSkin();
  host->Skin = skin.get();
  auto* popup = TComponent::Create<TvnSkinPopupMenu>(&form);
  int popups = 0;
  popup->OnPopup = [&](TComponent*) { ++popups; };
  popup->Items().AddItem("a", u"A");
  popup->Popup(200, 220);
  EXPECT_EQ(popups, 1);
  ASSERT_EQ(Engine->PopupWindowCount(), 1);
  EXPECT_EQ(popup->SkinData(), skin.get()) << "taken from the form component and kept";
  EXPECT_TRUE(Window(0).Skinned());
  EXPECT_EQ(host->Enter, 1);
  popup->Popup(200, 220);
  EXPECT_EQ(host->Leave, 1) << "the showing menu's mode ends first";
  skin.reset();
  EXPECT_EQ(popup->SkinData(), nullptr) << "free-notified";
  Engine->CloseAll();
  TvnSkinPopupMenu orphan;
  orphan.Items().AddItem("a", u"A");
  orphan.Popup(10, 10);
  EXPECT_EQ(Engine->PopupWindowCount(), 0) << "no form component, nothing shown";
}

TEST_F(MenuFixture, SeededRandomMouseAndKeysOverOpenMenus) {
  auto skin = LoadQuillonSkin();
  std::mt19937 random(20261208);
  int clicks = 0;
  auto fill = [&](TMenuItem& parent, int depth, auto& self) -> void {
    for (int i = 0; i < 7; ++i) {
      TMenuItem* item = parent.AddItem("", i == 3 ? u"-" : std::u16string(u"&") + char16_t(u'A' + i),
                                       [&clicks](TComponent*) { ++clicks; });
      item->Enabled = i != 5;
      if (depth < 2 && i % 2 == 0) self(*item, depth + 1, self);
    }
  };
  fill(Menu.Items(), 0, fill);
  Engine->MaxMenuItemsInWindow = 5;
  const unsigned keys[] = {vkUp, vkDown, vkLeft, vkRight, vkReturn, vkEscape, 'A', 'B', 'C', 'G'};
  for (int n = 0; n < 10000; ++n) {
    if (!Engine->MenuVisible())
      Engine->PopupItems(nullptr, (n / 100) % 2 ? skin.get() : nullptr, random() % 2, &Menu.Items(),
                         {int(random() % 1200), int(random() % 1000), 0, 0}, 0);
    if (Engine->PopupWindowCount() == 0) continue;
    TvnSkinPopupWindow& w = Window(static_cast<int>(random() % Engine->PopupWindowCount()));
    const int x = static_cast<int>(random() % (w.WindowWidth + 20)) - 10;
    const int y = static_cast<int>(random() % (w.WindowHeight + 20)) - 10;
    switch (random() % 4) {
      case 0: Engine->KeyDown(keys[random() % std::size(keys)]); break;
      case 1: w.TrackItems(x, y); break;
      case 2: ::PostMessageW(w.HandleIfAllocated(), WM_LBUTTONUP, 0, MAKELPARAM(x, y)); break;
      default: ::SetCursorPos(w.ShownAtX + x, w.ShownAtY + y); break;
    }
    if (n % 200 == 0) Pump(20);
    else {
      MSG msg;
      while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    }
  }
  ::SetCursorPos(1270, 1010);
  EXPECT_GT(clicks, 0);
  Engine->CloseAll();
  Pump(50);
}

}  // namespace
