// The tray icon on real windows under Wine: its hidden window gets the icon's mouse messages as
// the shell would post them, its timers run, and the main form it hooks is a real window. Only
// the call to the shell is replaced (the test display may have no notification area).
#include "skin/controls/vnTrayIcon_win.h"

#include "framework/Application_win.h"
#include "framework/ClassRegistry.h"
#include "framework/DescriptionReader.h"
#include "framework/FrameworkClasses_win.h"
#include "framework/ImageList.h"
#include "skin/menus/vnSkinPopupMenu_win.h"
#include "tests/support/WindowTesting_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct TShellCall {
  DWORD Message;
  NOTIFYICONDATAW Data;
};
std::vector<TShellCall> ShellCalls;
// Set by a test: the colour of the icon of the next call is kept in Shown.
bool ColourOfNextCall = false;
std::vector<COLORREF> Shown;

COLORREF IconColour(HICON icon);

BOOL WINAPI RecordShellCall(DWORD message, PNOTIFYICONDATAW data) {
  ShellCalls.push_back({message, *data});
  if (ColourOfNextCall) Shown.push_back(IconColour(data->hIcon));
  ColourOfNextCall = false;
  return TRUE;
}

int CountOf(DWORD message) {
  int n = 0;
  for (const TShellCall& c : ShellCalls) n += c.Message == message;
  return n;
}

// One colour a picture, so an icon tells which picture it was made from.
COLORREF PictureColour(int index) { return RGB(40 * (index + 1), 0, 0); }

COLORREF IconColour(HICON icon) {
  ICONINFO info{};
  if (!::GetIconInfo(icon, &info)) return CLR_INVALID;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HGDIOBJ old = ::SelectObject(memory, info.hbmColor);
  const COLORREF c = ::GetPixel(memory, 0, 0);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  return c;
}

class TTrayFixture : public ::testing::Test {
protected:
  void SetUp() override {
    ShellCalls.clear();
    Shown.clear();
    vnShellNotifyIcon = &RecordShellCall;
    App = std::make_unique<TApplication>();
    Form = App->CreateForm<TForm>();
    Form->SetBounds(100, 100, 200, 150);
    Tray = TComponent::Create<TvnTrayIcon>(Form);
    Tray->OnClick = [this](TComponent*) { Events += "click "; };
    Tray->OnDblClick = [this](TComponent*) { Events += "dbl "; };
    Tray->OnMouseDown = [this](TComponent*, TvnTrayMouseButton b, TvnTrayShiftState, int, int) {
      Events += b == TvnTrayMouseButton::mbLeft ? "down(L) " : "down(R) "; };
    Tray->OnMouseUp = [this](TComponent*, TvnTrayMouseButton b, TvnTrayShiftState, int, int) {
      Events += b == TvnTrayMouseButton::mbLeft ? "up(L) " : "up(R) "; };
  }
  void TearDown() override {
    App.reset();
    vnShellNotifyIcon = ::Shell_NotifyIconW;
  }
  // What the shell posts to the icon's window for a mouse message over the icon.
  void Post(UINT mouseMessage) {
    ::PostMessageW(Tray->MessageWindow(), TvnTrayIcon::WM_TRAYNOTIFY, TvnTrayIcon::TrayIconID, mouseMessage);
  }
  TImageList* MakeList(int count) {
    auto* list = TComponent::Create<TImageList>(Form);
    list->SetSize(16, 16);
    for (int i = 0; i < count; ++i) {
      TPixelBitmap p(16, 16);
      p.Fill(PictureColour(i));
      list->Add(p);
    }
    return list;
  }
  TvnSkinPopupMenu* MakeMenu() {
    auto* menu = TComponent::Create<TvnSkinPopupMenu>(Form);
    menu->OnPopup = [this](TComponent*) { Events += "menu "; };
    Tray->SetPopupMenu(menu);
    return menu;
  }
  int DoubleClickTime() const { return static_cast<int>(::GetDoubleClickTime()); }

  std::unique_ptr<TApplication> App;
  TForm* Form = nullptr;     // owned by App
  TvnTrayIcon* Tray = nullptr;  // owned by Form
  std::string Events;
};

TEST_F(TTrayFixture, LoadedAddsTheIconWithItsRecordAndTheTipCutTo127) {
  Tray->Loaded();
  ASSERT_EQ(CountOf(NIM_ADD), 1);
  const NOTIFYICONDATAW& added = ShellCalls.back().Data;
  EXPECT_EQ(added.hWnd, Tray->MessageWindow());
  EXPECT_EQ(added.uID, 1u);
  EXPECT_EQ(added.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(added.uCallbackMessage, 2048u);
  EXPECT_EQ(added.hIcon, Tray->Icon());

  struct Case { int Length; bool ShowHint; size_t Tip; };
  const Case cases[] = {{0, true, 0}, {126, true, 126}, {127, true, 127}, {128, true, 127},
                        {200, true, 127}, {200, false, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Length);
    Tray->SetShowHint(c.ShowHint);
    Tray->SetHint(std::u16string(static_cast<size_t>(c.Length), u'x'));
    ASSERT_EQ(ShellCalls.back().Message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(std::wstring(ShellCalls.back().Data.szTip).size(), c.Tip);
  }
}

TEST_F(TTrayFixture, ClicksAreToldFromDoubleClicks) {
  constexpr UINT kWait = 0;  // the double-click time passes
  struct Case { const char* Name; std::vector<UINT> Messages; const char* Early; const char* Late; };
  const Case cases[] = {
      {"double click", {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP},
       "down(L) up(L) dbl up(L) ", "down(L) up(L) dbl up(L) "},
      {"single click waits for the double-click time", {WM_LBUTTONDOWN, WM_LBUTTONUP},
       "down(L) up(L) ", "down(L) up(L) click "},
      {"press without release", {WM_LBUTTONDOWN}, "down(L) ", "down(L) "},
      {"release after the double-click time clicks at once", {WM_LBUTTONDOWN, kWait, WM_LBUTTONUP},
       "down(L) click up(L) ", "down(L) click up(L) "},
      {"right button", {WM_RBUTTONDOWN, WM_RBUTTONUP}, "down(R) up(R) ", "down(R) up(R) "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Events.clear();
    for (UINT m : c.Messages) {
      if (m == kWait) Pump(DoubleClickTime() + 200);
      else Post(m);
    }
    Pump(DoubleClickTime() / 4);
    EXPECT_EQ(Events, c.Early);
    Pump(DoubleClickTime() + 200);
    EXPECT_EQ(Events, c.Late);
  }
}

TEST_F(TTrayFixture, DisabledIconRaisesNothingAndOpensNoMenu) {
  MakeMenu();
  Tray->PopupByLeftButton = true;
  Tray->Enabled = false;
  for (UINT m : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP,
                 WM_MBUTTONDOWN, WM_MBUTTONUP})
    Post(m);
  Pump(DoubleClickTime() + 200);
  EXPECT_EQ(Events, "");
}

TEST_F(TTrayFixture, MenuOpensOnRightButtonAndTheDefaultItemRunsOnDoubleClick) {
  TvnSkinPopupMenu* menu = MakeMenu();
  menu->Items().AddItem("first", u"First", [this](TComponent*) { Events += "first "; });
  TMenuItem* chosen = menu->Items().AddItem("second", u"Second", [this](TComponent*) { Events += "second "; });
  chosen->Default = true;

  struct Case { const char* Name; bool AutoPopup; bool ByLeft; UINT Message; const char* Events; };
  const Case cases[] = {
      {"right button", true, false, WM_RBUTTONDOWN, "down(R) menu "},
      {"right button, no automatic popup", false, false, WM_RBUTTONDOWN, "down(R) "},
      {"left button opens with PopupByLeftButton", true, true, WM_LBUTTONDOWN, "down(L) menu "},
      {"double click runs the default item", true, false, WM_LBUTTONDBLCLK, "dbl second "},
      {"no default item with PopupByLeftButton", true, true, WM_LBUTTONDBLCLK, "dbl "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Events.clear();
    menu->AutoPopup = c.AutoPopup;
    Tray->PopupByLeftButton = c.ByLeft;
    menu->PopupComponent = nullptr;
    Post(c.Message);
    Pump(50);
    EXPECT_EQ(Events, c.Events);
    if (std::string(c.Events).find("menu") != std::string::npos) {
      EXPECT_EQ(menu->PopupComponent, Tray);
    }
    Pump(DoubleClickTime() + 100);  // lets the click timer of a left press run out
  }
}

TEST_F(TTrayFixture, IconIndexStaysInsideTheList) {
  struct Case { int Count; int Set; int Index; };
  const Case cases[] = {{4, 10, 3}, {4, 4, 3}, {4, 3, 3}, {4, 0, 0}, {4, -2, 0}, {0, 2, 0}};
  Tray->Loaded();
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.Count << " icons, set " << c.Set);
    Tray->SetIconList(c.Count ? MakeList(c.Count) : nullptr);
    Tray->SetIconIndex(c.Set);
    EXPECT_EQ(Tray->IconIndex(), c.Index);
    if (c.Count) {
      EXPECT_EQ(IconColour(Tray->Icon()), PictureColour(c.Index));
      EXPECT_EQ(ShellCalls.back().Data.hIcon, Tray->Icon());
    }
  }
}

TEST_F(TTrayFixture, CyclingThreeIconsReportsTheNextAndShowsTheCurrent) {
  Tray->Loaded();
  Tray->SetIconList(MakeList(3));
  std::vector<int> next;
  Tray->OnCycle = [&](TComponent*, int n) {
    next.push_back(n);
    ColourOfNextCall = true;  // the refresh that follows shows this step's icon
  };
  Tray->SetAnimateTimerInterval(40);
  Tray->SetCycleIcons(true);
  EXPECT_EQ(IconColour(Tray->Icon()), PictureColour(0));
  while (next.size() < 4) Pump(10);
  Tray->SetCycleIcons(false);
  EXPECT_EQ(next, (std::vector<int>{1, 2, 0, 1}));
  EXPECT_EQ(Shown, (std::vector<COLORREF>{PictureColour(0), PictureColour(1), PictureColour(2), PictureColour(0)}));
  const size_t stopped = ShellCalls.size();
  Pump(150);
  EXPECT_EQ(ShellCalls.size(), stopped);  // the cycle timer is off
}

TEST_F(TTrayFixture, TaskbarCreatedAddsTheVisibleIconAgain) {
  Tray->Loaded();
  struct Case { bool Visible; int Adds; };
  for (const Case& c : {Case{true, 1}, Case{false, 0}}) {
    SCOPED_TRACE(c.Visible);
    Tray->SetIconVisible(c.Visible);
    const int before = CountOf(NIM_ADD);
    ::PostMessageW(HWND_BROADCAST, Tray->TaskbarCreatedMessage(), 0, 0);
    Pump(100);
    EXPECT_EQ(CountOf(NIM_ADD) - before, c.Adds);
  }
}

TEST_F(TTrayFixture, MinimizingTheMainFormSendsItToTheTrayAndShowMainWindowBringsItBack) {
  Tray->SetIconVisible(false);
  Form->Show();
  Pump(50);
  HWND window = Form->Handle();
  ::ShowWindow(window, SW_MINIMIZE);
  Pump(50);
  EXPECT_FALSE(::IsWindowVisible(window));
  EXPECT_TRUE(Tray->IconVisible());
  EXPECT_EQ(ShellCalls.back().Message, static_cast<DWORD>(NIM_ADD));

  Tray->ShowMainWindow();
  Pump(50);
  EXPECT_TRUE(::IsWindowVisible(window));
  EXPECT_FALSE(::IsIconic(window));

  // Without MinimizeToTray a minimized main form stays a minimized window.
  Tray->MinimizeToTray = false;
  ::ShowWindow(window, SW_MINIMIZE);
  Pump(50);
  EXPECT_TRUE(::IsWindowVisible(window));
}

TEST_F(TTrayFixture, MinimizedOnStartKeepsTheMainFormHiddenUntilShown) {
  Tray->MinimizedOnStart = true;
  Tray->SetIconVisible(false);
  Tray->Loaded();
  EXPECT_TRUE(Tray->IconVisible());
  Form->Show();  // what the application's start-up does
  Pump(50);
  EXPECT_FALSE(::IsWindowVisible(Form->Handle()));
  Tray->ShowMainWindow();
  Pump(50);
  EXPECT_TRUE(::IsWindowVisible(Form->Handle()));
}

TEST_F(TTrayFixture, FreeingTheTrayRemovesTheIconAndGivesTheFormItsProcedureBack) {
  Tray->Loaded();
  HWND window = Form->Handle();
  Form->Show();
  Form->RemoveAndFree(Tray);
  EXPECT_EQ(CountOf(NIM_DELETE), 1);
  ::ShowWindow(window, SW_MINIMIZE);
  Pump(50);
  EXPECT_TRUE(::IsWindowVisible(window));  // no longer sent to a tray
}

TEST_F(TTrayFixture, ReadFromAWindowDescription) {
  TClassRegistry registry;
  RegisterFrameworkClasses(registry);
  RegisterSkinMenuClasses(registry);
  RegisterTrayIconClasses(registry);
  TForm* form = App->CreateForm<TForm>();
  ReadDescription(
      "object Form2: TForm\n"
      "  object ImageList1: TImageList\n"
      "  end\n"
      "  object PopupMenu1: TvnSkinPopupMenu\n"
      "  end\n"
      "  object vnTrayIcon1: TvnTrayIcon\n"
      "    Hint = \"提示\"\n"
      "    IconVisible = False\n"
      "    MinimizeToTray = False\n"
      "    IconList = ImageList1\n"
      "    PopupMenu = PopupMenu1\n"
      "  end\n"
      "end\n",
      *form, registry);
  auto* tray = dynamic_cast<TvnTrayIcon*>(form->FindComponent("vnTrayIcon1"));
  ASSERT_NE(tray, nullptr);
  EXPECT_EQ(tray->Hint(), u"提示");
  EXPECT_FALSE(tray->IconVisible());
  EXPECT_FALSE(tray->MinimizeToTray);
  EXPECT_EQ(tray->IconList(), form->FindComponent("ImageList1"));
  EXPECT_EQ(tray->PopupMenu(), form->FindComponent("PopupMenu1"));
  EXPECT_EQ(CountOf(NIM_ADD), 0);  // described as not visible: never shown
}

}  // namespace
