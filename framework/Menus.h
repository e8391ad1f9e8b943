#pragma once
// Menus: the content of a menu (its items with names, captions, shortcuts, states, sub-items
// and click actions), apart from whatever shows it on the screen. A separator is an item whose
// caption is "-".
//
// Ownership: a sub-item without a component owner belongs to the item it was added to, which
// frees it on Delete, Clear or its own destruction. A sub-item that has a component owner (an
// item read from a window description, owned by its form) is freed by that owner and leaves
// its parent item by itself when it goes.
#include "framework/Component.h"
#include "framework/Geometry.h"

class TClassRegistry;
class TCanvas;
class TImageList;
class TMenu;

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A key with its modifiers: the platform's virtual key code in the low byte, the modifiers in
// the high bits. 0 is no shortcut.
using TShortCut = std::uint16_t;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

// The platform's virtual key codes of the keys shortcut texts name (letters and digits are
// their upper-case characters).
enum TVirtualKey : std::uint8_t {
  vkBack = 0x08, vkTab = 0x09, vkReturn = 0x0D, vkEscape = 0x1B, vkSpace = 0x20,
  vkPrior = 0x21, vkNext = 0x22, vkEnd = 0x23, vkHome = 0x24,
  vkLeft = 0x25, vkUp = 0x26, vkRight = 0x27, vkDown = 0x28,
  vkInsert = 0x2D, vkDelete = 0x2E, vkF1 = 0x70, vkF4 = 0x73, vkF10 = 0x79, vkF24 = 0x87,
};

constexpr TShortCut ShortCut(std::uint8_t key, TShortCut modifiers) {
  return static_cast<TShortCut>(key | modifiers);
}
// "Ctrl+F4", "Shift+Ctrl+Del", "Alt+A"; the empty text for none or a key without a name.
std::string ShortCutToText(TShortCut shortCut);
// The reverse, without regard to case; scNone for a text that names no shortcut.
TShortCut TextToShortCut(std::string_view text);

// The access key of a caption: the character after a single "&" ("&&" is a plain "&"), in upper
// case for letters; 0 when the caption has none.
char16_t AccelChar(std::u16string_view caption);
// The framework's accelerator test: the key (a virtual key code: letters and digits are their
// upper-case characters) is the caption's access key.
bool IsAccel(unsigned key, std::u16string_view caption);

class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent* owner = nullptr);
  ~TMenuItem() override;

  std::u16string Caption;  // "&" marks the access key; "-" makes a separator
  TShortCut ShortCut = scNone;
  bool Enabled = true;
  bool Visible = true;
  bool Checked = false;
  bool RadioItem = false;  // a checked mark is drawn as a dot instead of a tick
  int ImageIndex = -1;     // picture in the menu's image list; -1 for none
  bool Default = false;    // the item a double click on a tray icon runs
  // Where a top-level item goes when a second main menu is merged into the one shown: an item
  // of the merged menu replaces the items of equal group index, and the items are ordered by it.
  int GroupIndex = 0;
  TNotifyEvent OnClick;    // the sender is the item
  // Draws the item instead of the menu's own drawing: on canvas, in rect, lit or not. The
  // canvas is the Win32 half's drawing surface.
  std::function<void(TMenuItem* sender, TCanvas& canvas, const TRect& rect, bool selected)> OnDrawItem;

  bool IsLine() const { return Caption == u"-"; }
  // Runs OnClick when the item is enabled.
  void Click();

  // ---- sub-items ----
  TMenuItem* Parent() const { return FParent; }
  // The menu whose root this item is, or below whose root it sits; none for an item in no
  // menu.
  TMenu* GetParentMenu() const;
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int index) const;  // std::out_of_range outside 0..Count-1
  int IndexOf(const TMenuItem* item) const;  // -1 when not a sub-item
  // The first sub-item with this component name (not searched deeper), or none.
  TMenuItem* Find(std::string_view name) const;

  // Adds item at the end or at index (0..Count). An item that sits in another menu leaves it
  // first. std::invalid_argument for no item, the item itself or one of its parents (a menu
  // cannot contain itself); std::out_of_range for a bad index.
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  // Makes a new sub-item owned by this one and appends it (or inserts it at index).
  TMenuItem* AddItem(std::string name, std::u16string caption, TNotifyEvent onClick = {},
                     TShortCut shortCut = scNone, int index = -1);
  TMenuItem* AddSeparator(int index = -1);
  // Takes item out of the sub-items without freeing it; the caller then frees an item
  // without an owner. Nothing happens when it is not a sub-item.
  void Remove(TMenuItem* item);
  // Frees the sub-item at index, or every sub-item.
  void Delete(int index);
  void Clear();

private:
  static void FreeItem(TMenuItem* item);

  friend class TMenu;
  TMenuItem* FParent = nullptr;       // not owned
  TMenu* FMenu = nullptr;             // not owned: set on a menu's root item only
  std::vector<TMenuItem*> FItems;     // see the ownership note at the top
};

// The item under root (sub-items searched depth first, in menu order) that a key press with
// these modifiers runs: the first enabled one whose ShortCut it is. Items under a disabled item
// are left out, as its menu cannot open. None for scNone or when no item has it.
TMenuItem* FindShortCutItem(const TMenuItem& root, TShortCut shortCut);

// A menu component: a root item whose sub-items are the menu, and the pictures of its items.
// Something that shows menus reads it; this class only holds the content.
class TMenu : public TComponent {
public:
  ~TMenu() override;

  TMenuItem& Items() { return *FItems; }
  const TMenuItem& Items() const { return *FItems; }

  // The pictures of the items' ImageIndex (not owned; cleared when the list is freed).
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* images);

  // The shortcut test: clicks the item FindShortCutItem finds; true when there was one.
  bool IsShortCut(TShortCut shortCut);

protected:
  explicit TMenu(TComponent* owner);
  void Notification(TComponent* component, TOperation operation) override;

private:
  std::unique_ptr<TMenuItem> FItems;
  TImageList* FImages = nullptr;  // not owned
};

// A popup menu component.
class TPopupMenu : public TMenu {
public:
  explicit TPopupMenu(TComponent* owner = nullptr) : TMenu(owner) {}

  // Fired just before the menu shows (whatever shows it), so its items can be brought up to date.
  TNotifyEvent OnPopup;
  // The menu opens by itself where its owner asks for it (a right click on a tray icon).
  bool AutoPopup = true;
};

// A form's main menu: its top-level items are the entries of a menu bar, each opening the menu
// of its sub-items.
class TMainMenu : public TMenu {
public:
  explicit TMainMenu(TComponent* owner = nullptr) : TMenu(owner) {}
};

// Makes TPopupMenu, TMainMenu and TMenuItem known to window descriptions. A TMenuItem object is
// placed in the menu or item whose object block encloses it; its ShortCut is written as a number
// or as its text ("Alt+F4").
void RegisterMenuClasses(TClassRegistry& registry);
