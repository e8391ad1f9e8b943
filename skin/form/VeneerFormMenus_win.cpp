// TvnVeneerForm, Win32 side: the menus a frame opens and the menu mode around them. Index:
//   system menu .................................. MenuSetup, GetSystemMenuItems, ShowSystemMenu
//   menus of frame objects ....................... PopupObjectMenu, ReleaseMenuButton
//   menu mode .................................... EnterMenuMode, LeaveMenuMode, LeaveMainMenuMode
//   the application-wide filter and the keyboard . InstallMenuFilter, MenuKeyDown
//   messages that close menus .................... MenuClosingCheck, KeyMenuCommand
//   the menu bar's steps (none yet) .............. MenuBarTakesAccelerator, ...
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
//   6. Enter, when the bar opens its selected item;
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
  if (key == VK_RETURN && MenuBarOpensSelectedItem()) return;
  if (PopupVisible()) FMenuEngine->KeyDown(key);
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
// platform's menu loop. Alt and F10 close a skinned popup (and would hand the keyboard to a menu
// bar); Alt+Space opens the system menu under the caption's left end, as the platform's own
// windows do.
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
  }
  // With a menu bar, Alt and F10 would give it the keyboard here.
}

// ---- the menu bar's steps ---------------------------------------------------------------------
// The frame has no menu bar yet (it never enters menu-bar mode): these are the places a menu bar
// takes part in the keyboard routing and in closing.

bool TvnVeneerForm::MenuBarTakesAccelerator(unsigned) { return false; }
void TvnVeneerForm::MenuBarPreviousItem() {}
void TvnVeneerForm::MenuBarNextItem() {}
bool TvnVeneerForm::MenuBarOpensSelectedItem() { return false; }
void TvnVeneerForm::MenuBarPopupClosed() {}
