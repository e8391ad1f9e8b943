// The skinned frame's menus on real windows (under Wine on a private display): the system menu
// from the mouse and the keyboard, the menu mode's key filter, the button that opened a menu
// coming up again however the menu closes, and the caption buttons' press-slide-release.
// The popup engine is the recording fake of FrameWinFixture.h, the only stand-in here.
#include "tests/skin/form/FrameWinFixture.h"

#include "framework/CodePage.h"
#include "skin/data/vnSkinDataResStr.h"
#include "skin/menus/vnSkinPopupMenu_win.h"
#include "skin/controls/vnTrayIcon_win.h"
#include "skin/menus/vnSkinMenus_win.h"
#include "framework/ClassRegistry.h"
#include "framework/DescriptionReader.h"
#include "framework/FrameworkClasses_win.h"

#include <functional>
#include <initializer_list>
#include <iterator>

namespace {

TEST_F(TMenuFixture, RightClickOnTheCaptionOpensTheSkinnedSystemMenuNeverThePlatformOne) {
  MakeWithMenus(true);
  EXPECT_TRUE(RightClickOnCaption()) << "the platform held the mouse for its own system menu";
  EXPECT_TRUE(ReachedPlatform.empty()) << ReachedPlatform.front();
  EXPECT_FALSE(g_platformMenuSeen);
  EXPECT_FALSE(PlatformMenuOpen());
  EXPECT_EQ(::GetCapture(), nullptr);
  // The program's border icons: minimize, roll-up, separator, close; at the cursor.
  EXPECT_EQ(Engine.Shown, (std::vector<std::string>{"VNR_MINITEM", "VNR_ROLLUP", "", "VNR_CLOSE"}));
  const TRect w = WindowRect();
  EXPECT_EQ(Engine.Anchor, Rect(w.Left + 100, w.Top + 10, w.Left + 100, w.Top + 10));
  EXPECT_TRUE(Frame->InPopupMenuMode());
  EXPECT_EQ(Events, (std::vector<std::string>{"open"}));

  // A press elsewhere closes it and leaves menu mode.
  ::SendMessageW(Window(), WM_LBUTTONDOWN, 0, MAKELPARAM(50, 50));
  ::SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
  EXPECT_FALSE(Engine.Visible);
  EXPECT_FALSE(Frame->InPopupMenuMode());
  EXPECT_EQ(Events, (std::vector<std::string>{"open", "closed"}));
}

TEST_F(TMenuFixture, WithoutAnEngineNothingShowsAndNoMenuModeStarts) {
  MakeWithMenus(false);
  EXPECT_TRUE(RightClickOnCaption());
  EXPECT_TRUE(ReachedPlatform.empty()) << ReachedPlatform.front();
  EXPECT_FALSE(g_platformMenuSeen);
  EXPECT_FALSE(Frame->InPopupMenuMode());
  EXPECT_TRUE(Events.empty());
  EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(TMenuFixture, AltF10AndAltSpaceOpenNoPlatformMenuButCloseASkinnedOne) {
  MakeWithMenus(true);
  ::SetForegroundWindow(Window());
  ::SetFocus(Window());
  // As the keyboard makes them: the platform's default handling turns these into SC_KEYMENU.
  ::PostMessageW(Window(), WM_SYSKEYDOWN, VK_MENU, 1 | (1 << 29));
  ::PostMessageW(Window(), WM_SYSKEYUP, VK_MENU, 1 | (3u << 30));
  Pump(150);
  ::PostMessageW(Window(), WM_SYSKEYDOWN, VK_F10, 1);
  ::PostMessageW(Window(), WM_SYSKEYUP, VK_F10, 1 | (3u << 30));
  Pump(150);
  ::PostMessageW(Window(), WM_SYSCHAR, ' ', 1 | (1 << 29));
  Pump(150);
  for (LPARAM key : {LPARAM(0), LPARAM(' ')}) ::SendMessageW(Window(), WM_SYSCOMMAND, SC_KEYMENU, key);
  ::SendMessageW(Window(), WM_SYSCOMMAND, SC_MOUSEMENU + HTCAPTION, OnCaption());
  Pump(150);
  // The taskbar's request for the window's menu gets the skinned one at its point.
  ::SendMessageW(Window(), 0x0313, 0, MAKELPARAM(300, 500));
  EXPECT_EQ(Engine.Anchor, Rect(300, 500, 300, 500));
  ::SendMessageW(Window(), WM_SYSCOMMAND, SC_KEYMENU, 0);  // closes it again
  Events.clear();
  // (Wine opens no menu for a window without a caption even when asked; the platform of the
  // program may, so the keys must not reach it at all.)
  EXPECT_TRUE(ReachedPlatform.empty()) << ReachedPlatform.front();
  EXPECT_FALSE(g_platformMenuSeen);
  EXPECT_FALSE(PlatformMenuOpen());
  EXPECT_TRUE(::IsWindowVisible(Window()));

  // Alt with a skinned popup open closes it.
  Frame->ShowSystemMenu(10, 10);
  ASSERT_TRUE(Engine.Visible);
  ::SendMessageW(Window(), WM_SYSCOMMAND, SC_KEYMENU, 0);
  EXPECT_FALSE(Engine.Visible);
  EXPECT_FALSE(Frame->InPopupMenuMode());
  EXPECT_EQ(Events, (std::vector<std::string>{"open", "closed"}));
}

TEST_F(TMenuFixture, AltF4StillClosesTheWindow) {
  MakeWithMenus(true);
  ::PostMessageW(Window(), WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29));
  Pump(150);
  EXPECT_EQ(ReachedPlatform, (std::vector<std::string>{"syscommand " + std::to_string(SC_CLOSE)}));
  EXPECT_FALSE(g_platformMenuSeen);
  EXPECT_FALSE(::IsWindowVisible(Window()));
}

TEST_F(TMenuFixture, KeysGoToTheOpenMenuAndEscLeavesMenuMode) {
  MakeWithMenus(true);
  TApplication app;  // its message loop carries the menu's key filter
  int seenByOthers = 0;
  app.OnMessage = [&](MSG& msg) {
    if (msg.message == WM_KEYDOWN || msg.message == WM_MOUSEWHEEL) ++seenByOthers;
    return false;
  };
  auto drain = [&] {
    while (app.ProcessMessage()) {
    }
  };
  Frame->ShowSystemMenu(10, 10);
  ::PostMessageW(Window(), WM_KEYDOWN, VK_DOWN, 1);
  ::PostMessageW(Window(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  drain();
  EXPECT_EQ(seenByOthers, 0);
  EXPECT_TRUE(Engine.Visible);
  // A submenu is open: the first Esc closes it alone and the menu mode stays.
  Engine.Levels = 2;
  ::PostMessageW(Window(), WM_KEYDOWN, VK_ESCAPE, 1);
  drain();
  EXPECT_TRUE(Engine.Visible);
  EXPECT_TRUE(Frame->InPopupMenuMode());
  ::PostMessageW(Window(), WM_KEYDOWN, VK_ESCAPE, 1);
  drain();
  EXPECT_FALSE(Engine.Visible);
  EXPECT_FALSE(Frame->InPopupMenuMode());
  EXPECT_EQ(Engine.Log, (std::vector<std::string>{"popup", "key 40", "key 27", "key 27", "close"}));
  EXPECT_EQ(Events, (std::vector<std::string>{"open", "closed"}));
  // The application's own handler is back.
  ::PostMessageW(Window(), WM_KEYDOWN, VK_DOWN, 1);
  drain();
  EXPECT_EQ(seenByOthers, 1);
}

TEST_F(TMenuFixture, SystemMenuItemsRunTheirCommandsOnTheWindow) {
  MakeWithMenus(true);
  auto names = [](TMenuItem* menu) {
    std::vector<std::string> n;
    for (int i = 0; i < menu->Count(); ++i) n.push_back(menu->Items(i)->Name());
    return n;
  };
  TMenuItem* menu = Frame->GetSystemMenuItems();
  ASSERT_EQ(names(menu), (std::vector<std::string>{"VNR_MINITEM", "VNR_ROLLUP", "", "VNR_CLOSE"}));
  EXPECT_EQ(Utf16ToUtf8(menu->Find("VNR_CLOSE")->Caption), "关闭(&C)");
  EXPECT_EQ(ShortCutToText(menu->Find("VNR_CLOSE")->ShortCut), "Alt+F4");
  menu->Find("VNR_ROLLUP")->Click();
  EXPECT_EQ(WindowRect().Height(), 45);
  menu = Frame->GetSystemMenuItems();  // rebuilt: restore instead of roll-up
  ASSERT_EQ(names(menu), (std::vector<std::string>{"VNR_MINITEM", "VNR_RESTORE", "", "VNR_CLOSE"}));
  menu->Find("VNR_RESTORE")->Click();
  EXPECT_EQ(WindowRect().Height(), 392);

  // An application's menu gets the standard items merged in, and loses them with the frame.
  TPopupMenu* own = TComponent::Create<TPopupMenu>(Form.get());
  own->Items().AddItem("MyItem", u"Mine");
  Frame->SetSystemMenu(own);
  EXPECT_EQ(names(Frame->GetSystemMenuItems()),
            (std::vector<std::string>{"VNR_MINITEM", "VNR_ROLLUP", "MyItem", "VNR_CLOSE"}));
  Frame->UseDefaultSysMenu = false;
  Frame->SetSystemMenu(nullptr);
  Frame->SetSystemMenu(own);
  EXPECT_EQ(names(Frame->GetSystemMenuItems()), (std::vector<std::string>{"MyItem"}));
  Form->RemoveAndFree(own);
  EXPECT_EQ(Frame->SystemMenu(), nullptr);
  EXPECT_EQ(names(Frame->GetSystemMenuItems()), (std::vector<std::string>{"VNR_MINITEM", "VNR_ROLLUP", "", "VNR_CLOSE"}));

  menu->Find("VNR_CLOSE")->Click();
  EXPECT_FALSE(::IsWindowVisible(Window()));
}

TEST_F(TMenuFixture, TrayMenuAndHintsFollowTheResourceStrings) {
  MakeWithMenus(true);
  auto describe = [](TMenuItem& menu) {
    std::vector<std::string> lines;
    for (int i = 0; i < menu.Count(); ++i) {
      const TMenuItem& item = *menu.Items(i);
      lines.push_back(item.Name() + " " + Utf16ToUtf8(item.Caption) +
                      (item.ShortCut ? " " + ShortCutToText(item.ShortCut) : std::string()));
    }
    return lines;
  };
  EXPECT_EQ(describe(Frame->TrayMenu().Items()),
            (std::vector<std::string>{"TRAY_VNR_RESTORE 还原(&R)", " -", "TRAY_VNR_CLOSE 关闭(&C) Alt+F4"}));
  EXPECT_EQ(Utf16ToUtf8(Frame->Objects().At(1)->ObjectHintText), "关闭");  // the close animation

  TvnResourceStrData strings;
  strings.SetResStrings({"MI_CLOSECAPTION=&Quit", "CLOSEBUTTON_HINT=Quit"});
  Skin->SetResourceStrData(&strings);
  // The skin data here sends no notices of its own; the form hears what a linked one would send.
  ::SendMessageW(Window(), WM_SKINSTRINGSCHANGED, reinterpret_cast<WPARAM>(Skin.get()), vnSkinNoticeParam);
  EXPECT_EQ(describe(Frame->TrayMenu().Items()),
            (std::vector<std::string>{"TRAY_VNR_RESTORE 还原(&R)", " -", "TRAY_VNR_CLOSE &Quit Alt+F4"}));
  EXPECT_EQ(Utf16ToUtf8(Frame->Objects().At(1)->ObjectHintText), "Quit");
  EXPECT_EQ(Utf16ToUtf8(Frame->GetSystemMenuItems()->Find("VNR_CLOSE")->Caption), "&Quit");
  Skin->SetResourceStrData(nullptr);
}


// ---- real input -------------------------------------------------------------------------------

// The mouse and keyboard as a user drives them, through the system's input queue.
void SendMouse(DWORD flags, int x, int y) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  in.mi.dx = (x * 65536 + cx - 1) / cx;
  in.mi.dy = (y * 65536 + cy - 1) / cy;
  in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &in, sizeof(in));
}
void SendKey(WORD key, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = key;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  ::SendInput(1, &in, sizeof(in));
}

struct TInputFixture : TMenuFixture {
  TApplication App;  // its message loop carries the menu's key filter
  void TearDown() override {
    // The next window must not open under a mouse left on one of its buttons.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    TMenuFixture::TearDown();
  }
  void Run(int ms) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
    do {
      while (App.ProcessMessage()) {
      }
      ::Sleep(2);
    } while (static_cast<int>(end - ::GetTickCount()) > 0);
  }
  // x, y in window coordinates.
  TPoint OnScreen(int x, int y) {
    const TRect w = WindowRect();
    return {w.Left + x, w.Top + y};
  }
  void MoveTo(TPoint p) { SendMouse(0, p.X, p.Y); }
  void Click(TPoint p) {
    MoveTo(p);
    Run(120);  // the hover settles on what lies under the mouse
    SendMouse(MOUSEEVENTF_LEFTDOWN, p.X, p.Y);
    Run(20);
    SendMouse(MOUSEEVENTF_LEFTUP, p.X, p.Y);
    Run(60);
  }
  void Keys(std::initializer_list<WORD> down) {
    for (WORD k : down) SendKey(k, false);
    for (auto k = std::rbegin(down); k != std::rend(down); ++k) SendKey(*k, true);
    Run(150);
  }
  TvnSkinButtonObject* SysMenuButton() {
    for (auto& o : Frame->Objects().Objects())
      if (ObjectCommand(*o) == cmSysMenu) return dynamic_cast<TvnSkinButtonObject*>(o.get());
    return nullptr;
  }
};

// Alt+Space opens the system menu at the window's left edge just under the caption; Alt and
// F10 alone open nothing.
TEST_F(TInputFixture, AltSpaceOpensTheSystemMenuUnderTheCaption) {
  struct Case { bool skinned; int under; } cases[] = {{true, 28}, {false, 22}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.skinned ? "skinned" : "default look");
    Make(TFormBorderStyle::bsSingle, c.skinned);
    Engine = TFakeMenuEngine{};
    Engine.Form = Window();
    Frame->SetMenuEngine(&Engine);
    Keys({VK_MENU});
    Keys({VK_F10});
    EXPECT_EQ(Engine.Popups, 0);
    Keys({VK_MENU, VK_SPACE});
    const TRect w = WindowRect();
    EXPECT_EQ(Engine.Anchor, Rect(w.Left, w.Top + c.under, w.Left, w.Top + c.under));
    EXPECT_EQ(Engine.Shown, (std::vector<std::string>{"VNR_MINITEM", "VNR_ROLLUP", "", "VNR_CLOSE"}));
    EXPECT_TRUE(Frame->InPopupMenuMode());
    Keys({VK_ESCAPE});
    EXPECT_FALSE(Frame->InPopupMenuMode());
    EXPECT_TRUE(ReachedPlatform.empty()) << ReachedPlatform.front();
    TearDown();
    ReachedPlatform.clear();
  }
}

// The default look's system-menu button stays down while its menu is open and comes up when
// the menu closes, whichever way; then the next press opens the menu again.
TEST_F(TInputFixture, TheSystemMenuButtonComesUpHoweverItsMenuCloses) {
  struct Case { const char* how; std::function<void(TInputFixture&)> close; } cases[] = {
      {"Esc", [](TInputFixture& f) { f.Keys({VK_ESCAPE}); }},
      {"Alt", [](TInputFixture& f) { f.Keys({VK_MENU}); }},
      {"click outside", [](TInputFixture& f) { f.Click(f.OnScreen(150, 150)); }},
      {"engine reports the close after a command",
       [](TInputFixture& f) {
         f.Engine.Visible = false;
         ::PostMessageW(f.Window(), WM_SKINMENUCLOSED, 0, 0);
         f.Run(50);
       }},
      {"focus lost",
       [](TInputFixture& f) {
         HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 600, 600, 50, 50,
                                        nullptr, nullptr, nullptr, nullptr);
         ::SetForegroundWindow(other);
         f.Run(100);
         ::DestroyWindow(other);
         ::SetForegroundWindow(f.Window());
         f.Run(100);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    Make(TFormBorderStyle::bsSingle, false);
    Engine = TFakeMenuEngine{};
    Engine.Form = Window();
    Frame->SetMenuEngine(&Engine);
    TvnSkinButtonObject* button = SysMenuButton();
    ASSERT_NE(button, nullptr);
    const TPoint on = OnScreen(button->ObjectRect.Left + 8, button->ObjectRect.Top + 8);
    Click(on);
    ASSERT_EQ(Engine.Popups, 1);
    EXPECT_TRUE(button->IsDown) << "down while its menu is open";
    c.close(*this);
    EXPECT_FALSE(Frame->InPopupMenuMode());
    EXPECT_FALSE(button->IsDown);
    EXPECT_EQ(::GetCapture(), nullptr);
    Click(on);
    EXPECT_EQ(Engine.Popups, 2) << "the next press opens the menu again";
    Keys({VK_ESCAPE});
    TearDown();
  }
}

// Without an engine no menu shows: the button comes straight up and every press still reaches it.
TEST_F(TInputFixture, WithoutAnEngineTheSystemMenuButtonNeverStaysDown) {
  Make(TFormBorderStyle::bsSingle, false);
  Frame->SetMenuEngine(nullptr);
  TvnSkinButtonObject* button = SysMenuButton();
  ASSERT_NE(button, nullptr);
  const TPoint on = OnScreen(button->ObjectRect.Left + 8, button->ObjectRect.Top + 8);
  for (int press = 0; press < 2; ++press) {
    MoveTo(on);
    Run(120);
    SendMouse(MOUSEEVENTF_LEFTDOWN, on.X, on.Y);
    Run(20);
    EXPECT_FALSE(button->IsDown) << "press " << press;
    SendMouse(MOUSEEVENTF_LEFTUP, on.X, on.Y);
    Run(40);
  }
}

// Press on the close button, slide off and release 0 to 90 ms later: the window never closes.
// A plain click closes it.
TEST_F(TInputFixture, PressSlideOffAndReleaseNeverClosesButAClickDoes) {
  for (bool skinned : {true, false}) {
    SCOPED_TRACE(skinned ? "skinned" : "default look");
    Make(TFormBorderStyle::bsSingle, skinned);
    const TRect w = WindowRect();
    const TPoint close = skinned ? OnScreen(371, 12) : OnScreen(w.Width() - 12, 12);
    const TPoint offs[] = {{close.X - 60, close.Y}, {close.X, w.Bottom + 20}};
    int gestures = 0;
    for (const TPoint off : offs)
      for (int after = 0; after <= 90; after += 10) {
        MoveTo(close);
        Run(120);
        SendMouse(MOUSEEVENTF_LEFTDOWN, close.X, close.Y);
        Run(10);
        MoveTo(off);
        if (after > 0) Run(after);
        SendMouse(MOUSEEVENTF_LEFTUP, off.X, off.Y);
        Run(30);
        ASSERT_TRUE(::IsWindowVisible(Window())) << "closed by a release " << after << " ms after leaving";
        ASSERT_EQ(::GetCapture(), nullptr);
        ++gestures;
      }
    EXPECT_EQ(gestures, 20);
    Click(close);
    EXPECT_FALSE(::IsWindowVisible(Window())) << "a plain click on the close button";
    TearDown();
  }
}

}  // namespace

// ---- the tray icon ------------------------------------------------------------------------------

namespace {

int gShellAdds = 0, gShellDeletes = 0;
BOOL WINAPI CountShellCalls(DWORD message, PNOTIFYICONDATAW) {
  if (message == NIM_ADD) ++gShellAdds;
  if (message == NIM_DELETE) ++gShellDeletes;
  return TRUE;
}

// The frame with a tray icon. The shell is counted, not called: the test display may have no
// notification area (the one fake here besides the menu engine).
struct TTrayFixture : TFrameFixture {
  TvnTrayIcon* Tray = nullptr;  // owned by the form
  std::vector<std::string> TrayEvents;
  // The window goes to the tray as the application's first form does.
  std::unique_ptr<TApplication> App = std::make_unique<TApplication>();
  void SetUp() override {
    vnShellNotifyIcon = &CountShellCalls;
    gShellAdds = gShellDeletes = 0;
    Make(TFormBorderStyle::bsSizeable, true);
    Frame->OnMinimizeToTray = [this](TvnVeneerForm&) { TrayEvents.push_back("to tray"); };
    Frame->OnRestoreFromTray = [this](TvnVeneerForm&) { TrayEvents.push_back("from tray"); };
    Tray = TComponent::Create<TvnTrayIcon>(Form.get());
    Tray->Loaded();
  }
  void TearDown() override {
    TFrameFixture::TearDown();
    vnShellNotifyIcon = ::Shell_NotifyIconW;
  }
};

TEST_F(TTrayFixture, TheTrayIconTakesTheFramesMenuAndDoubleClickUnlessItHasItsOwn) {
  struct Case {
    const char* what;
    bool alwaysShow, ownMenu, ownDblClick;
  };
  const Case cases[] = {
      {"plain: hidden until the window goes to the tray", false, false, false},
      {"always shown", true, false, false},
      {"its own menu and double click are kept", false, true, true},
  };
  TvnSkinPopupMenu own;
  for (const Case& c : cases) {
    Frame->SetTrayIcon(nullptr);
    Tray->SetPopupMenu(c.ownMenu ? &own : nullptr);
    bool ownClicked = false;
    Tray->OnDblClick = c.ownDblClick ? TNotifyEvent([&](TComponent*) { ownClicked = true; }) : TNotifyEvent();
    Tray->SetIconVisible(true);
    Tray->MinimizeToTray = true;
    Frame->AlwaysShowInTray = c.alwaysShow;
    Frame->SetTrayIcon(Tray);
    EXPECT_EQ(Tray->IconVisible(), c.alwaysShow) << c.what;
    EXPECT_FALSE(Tray->MinimizeToTray) << c.what;
    EXPECT_EQ(Tray->PopupMenu(), c.ownMenu ? &own : &Frame->TrayMenu()) << c.what;
    ASSERT_TRUE(Tray->OnDblClick) << c.what;
    Tray->OnDblClick(Tray);
    Pump(50);
    EXPECT_EQ(ownClicked, c.ownDblClick) << c.what;
  }
  Frame->SetTrayIcon(nullptr);
  Tray->SetPopupMenu(nullptr);
}

TEST_F(TTrayFixture, ToTheTrayAndBackByTheIconsDoubleClick) {
  for (bool alwaysShow : {false, true}) {
    TrayEvents.clear();
    Frame->SetTrayIcon(nullptr);
    Frame->AlwaysShowInTray = alwaysShow;
    Frame->SetTrayIcon(Tray);
    Frame->HideToTray();
    Pump(100);
    EXPECT_FALSE(::IsWindowVisible(Window())) << "the window is still on the screen";
    EXPECT_TRUE(Tray->IconVisible());
    Tray->OnDblClick(Tray);  // what a double click on the icon runs
    Pump(100);
    EXPECT_TRUE(::IsWindowVisible(Window()) && !::IsIconic(Window())) << "the window did not come back";
    EXPECT_EQ(Tray->IconVisible(), alwaysShow);
    EXPECT_EQ(TrayEvents, (std::vector<std::string>{"to tray", "from tray"}));
  }
}

TEST_F(TTrayFixture, AFreedTrayIconIsForgottenAndAFreedFrameLetsGoOfTheIcon) {
  Frame->SetTrayIcon(Tray);
  Form->RemoveAndFree(Tray);
  Tray = nullptr;
  EXPECT_EQ(Frame->TrayIcon(), nullptr);
  Frame->HideToTray();  // nothing to go to: nothing happens
  Pump(50);
  EXPECT_TRUE(::IsWindowVisible(Window()));
  EXPECT_TRUE(TrayEvents.empty());

  Tray = TComponent::Create<TvnTrayIcon>(Form.get());
  Frame->SetTrayIcon(Tray);
  Form->RemoveAndFree(Frame);
  Frame = nullptr;
  EXPECT_FALSE(Tray->OnDblClick) << "the icon would call a frame that is gone";
  EXPECT_EQ(Tray->PopupMenu(), nullptr) << "the icon kept the frame's freed menu";
}

}  // namespace

// ---- a skinned popup menu from a window description -----------------------------------------

namespace {

// Read with its items from a description like any component, it shows through the frame's own
// engine, with the frame in menu mode until it closes.
TEST(SkinPopupMenuOnAFrame, ReadFromADescriptionAndShownThroughTheFramesEngine) {
  TApplication app;
  TClassRegistry registry;
  RegisterFrameworkClasses(registry);
  RegisterVeneerFormClasses(registry);
  RegisterSkinMenuClasses(registry);
  TForm* form = app.CreateForm<TForm>();
  ReadDescription(
      "object Form2: TForm\n"
      "  object vnVeneerForm1: TvnVeneerForm\n"
      "    MaxMenuItemsInWindow = 2\n"
      "  end\n"
      "  object PopupMenu1: TvnSkinPopupMenu\n"
      "    AutoPopup = False\n"
      "    object OpenItem: TMenuItem\n"
      "      Caption = \"&Open\"\n"
      "      ShortCut = \"Ctrl+O\"\n"
      "    end\n"
      "    object LineItem: TMenuItem\n"
      "      Caption = \"-\"\n"
      "    end\n"
      "    object MoreItem: TMenuItem\n"
      "      Caption = \"&More\"\n"
      "      object DeeperItem: TMenuItem\n"
      "        Caption = \"&Deeper\"\n"
      "        Checked = True\n"
      "      end\n"
      "    end\n"
      "  end\n"
      "end\n",
      *form, registry);
  form->SetBounds(100, 100, 300, 200);
  form->Show();
  Pump(50);
  auto* menu = dynamic_cast<TvnSkinPopupMenu*>(form->FindComponent("PopupMenu1"));
  auto* frame = dynamic_cast<TvnVeneerForm*>(form->FindComponent("vnVeneerForm1"));
  ASSERT_TRUE(menu && frame);
  EXPECT_FALSE(menu->AutoPopup);
  ASSERT_EQ(menu->Items().Count(), 3);
  EXPECT_EQ(menu->Items().Items(0)->ShortCut, ShortCut('O', scCtrl));
  ASSERT_EQ(menu->Items().Items(2)->Count(), 1);
  EXPECT_TRUE(menu->Items().Items(2)->Items(0)->Checked);

  menu->Popup(200, 200);
  Pump(50);
  TvnSkinMenu* engine = frame->SkinMenuEngine();
  EXPECT_TRUE(frame->InPopupMenuMode());
  ASSERT_EQ(engine->PopupWindowCount(), 1);
  EXPECT_EQ(engine->PopupWindows(0).ItemCount(), 3);
  EXPECT_TRUE(engine->PopupWindows(0).Scrolling()) << "the frame's limit of two items reached the engine";
  engine->KeyDown('M');  // opens More at once
  Pump(50);
  EXPECT_EQ(engine->PopupWindowCount(), 2);
  engine->KeyDown(VK_ESCAPE);
  engine->KeyDown(VK_ESCAPE);
  Pump(50);
  EXPECT_FALSE(engine->MenuVisible());
  EXPECT_FALSE(frame->InPopupMenuMode()) << "the frame stayed in menu mode after the menu closed";
}

}  // namespace
