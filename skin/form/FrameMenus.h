#pragma once
// The menus of a skinned frame, as content: the system menu (built from the frame's state, or
// merged into the application's own system menu), the tray menu, their captions (the skin's
// resource strings, else the built-in texts), the close item's shortcut and what each item
// does when clicked; and the default hints of the caption buttons, which come from the same
// texts. Showing a menu is the popup engine's; the frame reaches it through TvnPopupMenuEngine.
#include "framework/Geometry.h"
#include "framework/Menus.h"
#include "skin/form/VeneerFormCommands.h"

#include <string>
#include <string_view>

class TvnSkinData;
class TvnFrameObjectList;

// Sent by the popup engine (both parameters 0): to the form whose frame opened a menu when the
// menu has closed, and to the control that opened it when the chosen command has run.
constexpr unsigned WM_SKINMENUCLOSED = 1024 + 204;
constexpr unsigned WM_SKINMENUCOMMAND = 1024 + 205;

// What the menu items do, through the frame that owns them. Item clicks read the state when
// they run, not when the menu was built.
class TvnWindowCommands {
public:
  virtual ~TvnWindowCommands() = default;
  virtual const TvnFrameState& FrameState() const = 0;
  virtual bool AlwaysMinimizeToTray() const = 0;
  virtual void CloseWindow() = 0;
  virtual void ChangeWindowState(TvnWindowState state) = 0;
  virtual void SetRollUp(bool on) = 0;
  virtual void HideToTray() = 0;
  virtual void ShowFromTray() = 0;
};

// Carries out the click of a standard item (a separator does nothing).
void RunSystemMenuCommand(TvnSystemMenuItem item, TvnWindowCommands& commands);

// A text of the frame: the skin data's resource string under key when the skin data has
// resource strings and a non-empty text for the key, else the built-in text (UTF-8).
std::u16string FrameText(const TvnSkinData* skinData, std::string_view key, std::string_view builtIn);

// Everything a system or tray menu is built from besides the commands.
struct TvnSystemMenuSetup {
  TvnSystemMenuConditions Conditions;  // which standard items exist now
  bool MdiChild = false;               // the close shortcut is Ctrl+F4 instead of Alt+F4
  const TvnSkinData* SkinData = nullptr;  // captions; none for the built-in texts
};

// Makes a standard item (named, captioned, with its shortcut and click) under parent, at index
// or appended when index is -1.
TMenuItem* AddSystemMenuItem(TMenuItem& parent, TvnSystemMenuItem item, const TvnSystemMenuSetup& setup,
                             TvnWindowCommands& commands, int index = -1);

// Empties root and fills it with the standard items the conditions allow: minimize, maximize,
// restore, roll-up, minimize to tray, a separator when any of them is there, close.
void BuildDefaultSystemMenu(TMenuItem& root, const TvnSystemMenuSetup& setup, TvnWindowCommands& commands);
// Replaces the standard items in an application's system menu: the old ones (found by name)
// are freed, then from the top minimize, restore, maximize, roll-up, minimize to tray, the
// application's items, and close at the end. No separator is added.
void MergeSystemMenu(TMenuItem& root, const TvnSystemMenuSetup& setup, TvnWindowCommands& commands);
// Frees the standard items of an application's system menu (when the frame that merged them,
// and that their clicks call, goes away).
void RemoveStandardItems(TMenuItem& root);

// The items the frame's system menu shows, rebuilt now from the current state: with an
// application's menu (user, may be none) that menu, with the standard items merged in when
// useDefault is on and untouched when it is off; without one the frame's own menu (own),
// filled with the default items.
TMenuItem& SystemMenuItems(TMenuItem& own, TMenuItem* user, bool useDefault,
                           const TvnSystemMenuSetup& setup, TvnWindowCommands& commands);

// The tray menu: restore, a separator, close.
void BuildTrayMenu(TMenuItem& root, const TvnSystemMenuSetup& setup, TvnWindowCommands& commands);
// Re-reads the captions of the standard items in root (the resource strings changed).
void UpdateStandardCaptions(TMenuItem& root, const TvnSkinData* skinData);

// Gives every caption button whose command has a default hint that hint, from the skin's
// resource strings or built in. Custom buttons keep their own.
void ApplyDefaultHints(TvnFrameObjectList& objects, const TvnSkinData* skinData);

// What the frame asks of the engine that shows skinned popup menus. The frame builds its menus
// without one; it only shows them when an engine is attached.
class TvnPopupMenuEngine {
public:
  virtual ~TvnPopupMenuEngine() = default;
  // Shows the sub-items of items next to anchor (screen coordinates), downward or upward,
  // drawn with skinData (none for the plain look). False when nothing was shown.
  virtual bool Popup(TMenuItem& items, const TRect& anchor, bool upward, const TvnSkinData* skinData) = 0;
  virtual bool MenuVisible() const = 0;
  virtual void CloseMenu() = 0;
  // A key pressed while a menu shows, for its innermost window.
  virtual void KeyDown(unsigned key) = 0;
  // What the keyboard routing of a menu bar asks (Left and Right move along the bar only when
  // the open menu would not take them): the number of open menu levels, and whether the
  // selected item of the innermost one has sub-items.
  virtual int OpenLevels() const = 0;
  virtual bool SelectedItemHasSubItems() const = 0;
};
