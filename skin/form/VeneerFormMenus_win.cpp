// TvnVeneerForm, Win32 side: the menus a frame opens and the menu mode around them. Index:
//   system menu .................................. MenuSetup, GetSystemMenuItems, ShowSystemMenu
//   menus of frame objects ....................... PopupObjectMenu, ReleaseMenuButton
//   menu mode .................................... EnterMenuMode, LeaveMenuMode, LeaveMainMenuMode
//   the application-wide filter and the keyboard . InstallMenuFilter, MenuKeyDown
//   messages that close menus .................... MenuClosingCheck, KeyMenuCommand
//   the main menu bar ............................ SetMainMenuBar, the bar's steps, shortcuts
//
// While a skinned popup opened from the frame shows, the frame is in popup mode: an
// application-wide message filter hands every key press to the menu and swallows the mouse
// wheel, and the messages that end a menu anywhere else (a press, activation, a move) close it.
// However the menu closes, the frame hears it (WM_SKINMENUCLOSED from the engine, or its own
// closing check) and leaves the mode: the filter goes, and the button that opened the menu
// comes up again.
#include "skin/form/VeneerForm_win.h"

#include "skin/menus/vnSkinMenus_win.h"

#include "framework/Application_win.h"
#include "skin/form/VeneerFormGeometry.h"
#include "skin/form/vnSkinMainMenuBar_win.h"

#include <cwctype>

// ---- system menu ------------------------------------------------------------------------------

TvnSystemMenuSetup TvnVeneerForm::MenuSetup() const {
  return {SystemMenuConditions(FState, FBorderIcons, MdiChild()), MdiChild(), FSkinData};
}

TMenuItem* TvnVeneerForm::GetSystemMenuItems() {
  TMenuItem* user = FSystemMenu ? &FSystemMenu->Items() : nullptr;
  return &SystemMenuItems(FOwnSystemMenu->Items(), user, UseDefaultSysMenu, MenuSetup(), *this);
}

void TvnVeneerForm::ShowSystemMenu(int x, int y) {
  TMenuItem* items = GetSystemMenuItems();
  // Without an engine nothing can show a skinned popup: no menu mode, no captured keys.
  if (!FMenuEngine) return;
  EnterMenuMode();
  if (!FMenuEngine->Popup(*items, Rect(x, y, x, y), false, MenusSkin())) LeaveMenuMode();
}

TPoint TvnVeneerForm::KeyboardSystemMenuPoint() const {
  RECT r{};
  ::GetWindowRect(Window(), &r);
  // The caption is the frame's top strip: the client area starts right under it.
  int under = 3 + DefaultCaptionHeight();
  if (FSkinSupport) under = CalcFrameGeometry(FFrameSkin, r.right - r.left, r.bottom - r.top).Client.Top;
  return {r.left, r.top + under};
}

// ---- menus of frame objects -------------------------------------------------------------------

void TvnVeneerForm::PopupObjectMenu(TvnActiveSkinObject& object, TMenuItem* item, bool upward) {
  bool shown = false;
  if (item != nullptr && item->Count() > 0 && FMenuEngine && Window()) {
    RECT window{};
    ::GetWindowRect(Window(), &window);
    const TRect r = object.ObjectRect;
    EnterMenuMode();
    shown = FMenuEngine->Popup(*item, Rect(r.Left + window.left, r.Top + window.top, r.Right + window.left,
                                           r.Bottom + window.top),
                               upward, MenusSkin());
    if (!shown) LeaveMenuMode();
  }
  // A button pressed for a menu stays down until its menu closes; a menu that never opened
  // (no engine, no items) would leave it down for good, deaf to every later press.
  if (!shown && (object.Kind() == TvnObjectKind::Button || object.Kind() == TvnObjectKind::StdButton)) {
    auto& button = static_cast<TvnSkinButtonObject&>(object);
    if (button.IsDown) button.SetDown(false);
  }
}

void TvnVeneerForm::ReleaseMenuButton() { FObjects.ReleaseMenuButton(); }

// ---- menu mode --------------------------------------------------------------------------------

bool TvnVeneerForm::AnyMenuMode() const { return FInPopupMode || FInMainMenuMode || PopupVisible(); }

TvnSkinMenu* TvnVeneerForm::SkinMenuEngine() {
  // The settings are the frame's; the engine reads them at each popup.
  TvnSkinMenu& engine = *FSkinMenu;
  engine.UseSkinFont = FMenuSettings.UseSkinFontInMenu;
  engine.DefaultItemHeight = FMenuSettings.DefMenuItemHeight;
  engine.DefaultItemFont = FMenuSettings.DefMenuItemFont;
  engine.MaxMenuItemsInWindow = FMenuSettings.MaxMenuItemsInWindow;
  engine.AlphaBlend = FMenuSettings.MenusAlphaBlend;
  engine.AlphaBlendAnimation = FMenuSettings.MenusAlphaBlendAnimation;
  engine.AlphaBlendValue = FMenuSettings.MenusAlphaBlendValue;
  return &engine;
}

void TvnVeneerForm::EnterMenuMode() {
  // Every popup of this frame starts here: hand the engine the current menu settings.
  if (FSkinMenu) SkinMenuEngine();
  if (!FInMainMenuMode && !FInPopupMode) InstallMenuFilter();
  if (!FInPopupMode) {
    FInPopupMode = true;
    if (OnSkinMenuOpen) OnSkinMenuOpen(*this);
  }
}

void TvnVeneerForm::LeaveMenuMode() {
  // An Esc that closes the menu-bar's last open menu steps back to the bar only (MenuKeyDown),
  // however the engine reports the close.
  if (FEscapeToMenuBar && FInMainMenuMode) {
    PopupClosedInMainMenuMode();
    return;
  }
  // First, and whatever the mode: the menu of the pressed button is gone.
  ReleaseMenuButton();
  if (!FInPopupMode && !FMenuFilterInstalled) return;  // nothing was open
  FInPopupMode = false;
  RemoveMenuFilter();
  if (OnSkinMenuClose) OnSkinMenuClose(*this);
  if (FInMainMenuMode) {
    FInMainMenuMode = false;
    MenuBarPopupClosed();
    if (OnMainMenuExit) OnMainMenuExit(*this);
  }
}

void TvnVeneerForm::LeaveMainMenuMode() {
  if (!FInMainMenuMode) return;
  FInMainMenuMode = false;
  if (PopupVisible()) FMenuEngine->CloseMenu();
  MenuBarPopupClosed();
  RemoveMenuFilter();
  if (OnMainMenuExit) OnMainMenuExit(*this);
}

void TvnVeneerForm::PopupClosedInMainMenuMode() {
  if (!FInPopupMode) return;  // told already
  FInPopupMode = false;
  ReleaseMenuButton();
  MenuBarPopupClosed();
  if (OnSkinMenuClose) OnSkinMenuClose(*this);
}

// ---- the application-wide filter and the keyboard ---------------------------------------------

void TvnVeneerForm::InstallMenuFilter() {
  if (FMenuFilterInstalled || !Application) return;
  FSavedMessageHandler = Application->OnMessage;
  Application->OnMessage = [this](MSG& msg) {
    switch (msg.message) {
      case WM_KEYDOWN:
        MenuKeyDown(static_cast<unsigned>(msg.wParam));
        return true;
      case WM_MOUSEWHEEL:
        return true;  // a wheel turn must not scroll what lies under the open menu
      default: {
        // A copy: the handler may end the menu mode, which puts the saved one back.
        const std::function<bool(MSG&)> saved = FSavedMessageHandler;
        return saved ? saved(msg) : false;
      }
    }
  };
  FMenuFilterInstalled = true;
}

void TvnVeneerForm::RemoveMenuFilter() {
  if (!FMenuFilterInstalled) return;
  FMenuFilterInstalled = false;
  if (Application) Application->OnMessage = std::move(FSavedMessageHandler);
  FSavedMessageHandler = nullptr;
}

// A key pressed while a menu is open, in this order; the first step that takes it ends the
// routing.
//   1. a multi-document child hands it to its main form's frame when that one is in a menu;
//   2. in menu-bar mode, a key the bar takes as an accelerator;
//   3. Esc in menu-bar mode without an open popup leaves the bar;
//   4. Left in menu-bar mode with at most one menu level open: the bar's previous item;
//   5. Right in menu-bar mode when no menu is open or its selected item has no sub-items: the
//      bar's next item;
//   6. Enter, or Down while no menu is open, when the bar opens its lit item;
//   7. every other key goes to the innermost open menu; an Esc that closed the last one ends
//      the popup (and, outside menu-bar mode, the menu mode).
void TvnVeneerForm::MenuKeyDown(unsigned key) {
  if (MdiChild() && Application && Application->MainForm() && Application->MainForm() != FForm) {
    TvnVeneerForm* main = FrameOf(Application->MainForm());
    if (main != nullptr && main->AnyMenuMode()) {
      main->MenuKeyDown(key);
      return;
    }
  }
  if (FInMainMenuMode && MenuBarTakesAccelerator(key)) return;
  if (key == VK_ESCAPE && FInMainMenuMode && !FInPopupMode) {
    LeaveMainMenuMode();
    return;
  }
  if (key == VK_LEFT && FInMainMenuMode && (!FMenuEngine || FMenuEngine->OpenLevels() <= 1)) {
    MenuBarPreviousItem();
    return;
  }
  if (key == VK_RIGHT && FInMainMenuMode && (!PopupVisible() || !FMenuEngine->SelectedItemHasSubItems())) {
    MenuBarNextItem();
    return;
  }
  // Enter, and Down with no menu open, open the lit item of the bar.
  if ((key == VK_RETURN || (key == VK_DOWN && !PopupVisible())) && MenuBarOpensSelectedItem()) return;
  if (PopupVisible()) {
    FEscapeToMenuBar = key == VK_ESCAPE && FInMainMenuMode;
    FMenuEngine->KeyDown(key);
    FEscapeToMenuBar = false;
  }
  if (key == VK_ESCAPE && !PopupVisible()) {
    if (FInMainMenuMode) PopupClosedInMainMenuMode();
    else LeaveMenuMode();
  }
}

// ---- messages that close menus ----------------------------------------------------------------

void TvnVeneerForm::MenuClosingCheck(UINT msg) {
  switch (msg) {
    case WM_MOVE: case WM_SIZE: case WM_ACTIVATE: case WM_KILLFOCUS: case WM_CANCELMODE:
    case WM_MOUSEACTIVATE: case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN:
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_PARENTNOTIFY:
      break;
    default:
      return;
  }
  HideObjectHint();
  if (FInMainMenuMode && !FInPopupMode) {
    LeaveMainMenuMode();
  } else if (PopupVisible()) {
    FMenuEngine->CloseMenu();
    // The engine reports the close with WM_SKINMENUCLOSED; should that not have come by now,
    // the mode ends here all the same (leaving twice does nothing).
    if (FInPopupMode && !PopupVisible()) LeaveMenuMode();
  } else if (FInPopupMode) {
    LeaveMenuMode();
  }
}

// WM_SYSCOMMAND SC_KEYMENU: Alt, F10 or Alt+<key>, with the key's character in lParam. Never the
// platform's menu loop. Alt and F10 close a skinned popup and hand the keyboard to the menu bar;
// Alt+Space opens the system menu under the caption's left end, as the platform's own windows
// do; Alt+<letter> opens or runs the bar's item with that access key.
void TvnVeneerForm::KeyMenuCommand(LPARAM lParam) {
  if (FInMainMenuMode) {
    LeaveMainMenuMode();
    return;
  }
  if (PopupVisible()) FMenuEngine->CloseMenu();
  if (FInPopupMode) LeaveMenuMode();
  if (lParam == ' ') {
    const TPoint at = KeyboardSystemMenuPoint();
    ShowSystemMenu(at.X, at.Y);
  } else if (FMainMenuBar != nullptr) {
    if (lParam == 0) FMainMenuBar->EnterKeyboardMode();
    else FMainMenuBar->AcceleratorKey(static_cast<unsigned>(std::towupper(static_cast<wint_t>(lParam))));
  }
}

// ---- the main menu bar --------------------------------------------------------------------------

// The application-wide filter a frame with a menu bar puts in the message loop's way: key presses
// in the frame's window (or any window inside it) are offered to RouteShortCut first. It keeps
// the handler it found and calls it for everything else. When the frame goes while another filter
// sits above this one, this one stays in the chain and only passes messages on.
struct TvnShortCutFilterState {
  TvnVeneerForm* Frame;  // not owned: the state lives exactly as long as the frame's link to it
  ~TvnShortCutFilterState();
};

namespace {

struct TvnShortCutFilter {
  std::weak_ptr<TvnShortCutFilterState> State;
  const TvnShortCutFilterState* Id;  // which state this filter serves, even once it is gone
  std::function<bool(MSG&)> Next;

  bool operator()(MSG& msg) const {
    if (const auto state = State.lock(); state && Taken(*state->Frame, msg)) return true;
    return Next ? Next(msg) : false;
  }

  static bool Taken(TvnVeneerForm& frame, MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    HWND window = frame.OwnerForm().HandleIfAllocated();
    if (window == nullptr || ::GetAncestor(msg.hwnd, GA_ROOT) != window) return false;
    const auto key = static_cast<std::uint8_t>(msg.wParam & 0xFF);
    switch (key) {
      case VK_SHIFT: case VK_CONTROL: case VK_MENU: case VK_LWIN: case VK_RWIN:
        return false;  // a modifier alone is no shortcut
      default:
        break;
    }
    TShortCut modifiers = scNone;
    if (::GetKeyState(VK_SHIFT) < 0) modifiers |= scShift;
    if (::GetKeyState(VK_CONTROL) < 0) modifiers |= scCtrl;
    const bool alt = msg.message == WM_SYSKEYDOWN ? (msg.lParam & (1 << 29)) != 0 : ::GetKeyState(VK_MENU) < 0;
    if (alt) modifiers |= scAlt;
    const auto taken = frame.RouteShortCut(ShortCut(key, modifiers));
    if (taken == TvnVeneerForm::TShortCutTaken::None) return false;
    // The window's default handling must still see a letter pressed with Alt: it would otherwise
    // take the Alt's release for Alt pressed alone and end the menu the letter just opened. The
    // letter is not translated, so no character (and no second menu command) comes of it.
    if (taken == TvnVeneerForm::TShortCutTaken::BarAccelerator && msg.message == WM_SYSKEYDOWN) ::DispatchMessageW(&msg);
    return true;
  }
};

}  // namespace

TvnShortCutFilterState::~TvnShortCutFilterState() {
  if (!Application) return;
  auto* top = Application->OnMessage.target<TvnShortCutFilter>();
  if (top == nullptr || top->Id != this) return;
  std::function<bool(MSG&)> next = std::move(top->Next);
  Application->OnMessage = std::move(next);
}

void TvnVeneerForm::SetMainMenuBar(TvnSkinMainMenuBar* value) {
  if (FMainMenuBar == value) return;
  // A bar serves one frame: the frame it served before lets go of it.
  if (value != nullptr && value->FormComponent() != nullptr && value->FormComponent() != this)
    value->FormComponent()->SetMainMenuBar(nullptr);
  if (FInMainMenuMode) LeaveMainMenuMode();
  if (TvnSkinMainMenuBar* old = std::exchange(FMainMenuBar, nullptr)) {
    RemoveFreeNotification(old);
    old->SetFormComponent(nullptr);
  }
  FShortCutFilter.reset();
  FMainMenuBar = value;
  if (value == nullptr) return;
  FreeNotification(value);
  value->SetFormComponent(this);
  if (Application) {
    auto state = std::make_shared<TvnShortCutFilterState>(TvnShortCutFilterState{this});
    Application->OnMessage = TvnShortCutFilter{state, state.get(), std::move(Application->OnMessage)};
    FShortCutFilter = std::move(state);
  }
}

void TvnVeneerForm::MenuBarFreed(TComponent* component) {
  if (component == nullptr || component != FMainMenuBar) return;
  FMainMenuBar = nullptr;
  FShortCutFilter.reset();
  if (FInMainMenuMode) LeaveMainMenuMode();
}

void TvnVeneerForm::EnterMainMenuMode() {
  if (FInMainMenuMode) return;
  if (!FInPopupMode) InstallMenuFilter();
  FInMainMenuMode = true;
  if (OnMainMenuEnter) OnMainMenuEnter(*this);
}

// A key pressed in the window, with its modifiers. With Alt alone held, the bar's item whose
// access key it is opens (or runs); otherwise the first enabled item of the bar's menu with that
// shortcut runs, then one of a child's menu merged into the bar.
TvnVeneerForm::TShortCutTaken TvnVeneerForm::RouteShortCut(TShortCut shortCut) {
  if (FMainMenuBar == nullptr) return TShortCutTaken::None;
  TMainMenu* menu = FMainMenuBar->MainMenu();
  if (menu == nullptr) return TShortCutTaken::None;
  const auto key = static_cast<unsigned>(shortCut & 0xFF);
  if ((shortCut & (scAlt | scCtrl | scShift)) == scAlt && FMainMenuBar->AcceleratorKey(key))
    return TShortCutTaken::BarAccelerator;
  // The bar may be freed by the command: the merged menu is asked only while it still exists.
  TMainMenu* merged = FMainMenuBar->MergedMenu();
  if (menu->IsShortCut(shortCut)) return TShortCutTaken::MenuItem;
  if (merged != nullptr && FMainMenuBar != nullptr && FMainMenuBar->MergedMenu() == merged && merged->IsShortCut(shortCut))
    return TShortCutTaken::MenuItem;
  return TShortCutTaken::None;
}

// The bar's steps in the keyboard routing and in closing menus. The bar takes a letter only while
// no menu is open: in an open menu the letters choose among its own items.
bool TvnVeneerForm::MenuBarTakesAccelerator(unsigned key) {
  return FMainMenuBar != nullptr && !PopupVisible() && FMainMenuBar->AcceleratorKey(key);
}

void TvnVeneerForm::MenuBarPreviousItem() {
  if (FMainMenuBar != nullptr) FMainMenuBar->PreviousItem();
}

void TvnVeneerForm::MenuBarNextItem() {
  if (FMainMenuBar != nullptr) FMainMenuBar->NextItem();
}

bool TvnVeneerForm::MenuBarOpensSelectedItem() {
  return FInMainMenuMode && FMainMenuBar != nullptr && FMainMenuBar->OpenSelected();
}

// A menu of the bar closed: its item comes up, lit while the menu-bar mode lasts, unlit once it
// has ended.
void TvnVeneerForm::MenuBarPopupClosed() {
  if (FMainMenuBar == nullptr) return;
  FMainMenuBar->MenuClosed();
  if (!FInMainMenuMode) FMainMenuBar->LeaveKeyboardMode();
}
