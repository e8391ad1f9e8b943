#include "framework/Menus.h"

#include "framework/ClassRegistry.h"
#include "framework/CodePage.h"
#include "framework/ImageList.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace {

struct TKeyName {
  std::uint8_t Key;
  const char* Name;
};

constexpr TKeyName kKeyNames[] = {
    {vkBack, "BkSp"},   {vkTab, "Tab"},     {vkReturn, "Enter"}, {vkEscape, "Esc"},
    {vkSpace, "Space"}, {vkPrior, "PgUp"},  {vkNext, "PgDn"},    {vkEnd, "End"},
    {vkHome, "Home"},   {vkLeft, "Left"},   {vkUp, "Up"},        {vkRight, "Right"},
    {vkDown, "Down"},   {vkInsert, "Ins"},  {vkDelete, "Del"},
};

constexpr struct {
  TShortCut Bit;
  const char* Prefix;
} kModifiers[] = {{scShift, "Shift+"}, {scCtrl, "Ctrl+"}, {scAlt, "Alt+"}};

std::string KeyName(std::uint8_t key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
  if (key >= vkF1 && key <= vkF24) return "F" + std::to_string(key - vkF1 + 1);
  for (const TKeyName& k : kKeyNames)
    if (k.Key == key) return k.Name;
  return {};
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::string ShortCutToText(TShortCut shortCut) {
  const std::string key = KeyName(static_cast<std::uint8_t>(shortCut & 0xFF));
  if (key.empty()) return {};
  std::string text;
  for (const auto& m : kModifiers)
    if (shortCut & m.Bit) text += m.Prefix;
  return text + key;
}

TShortCut TextToShortCut(std::string_view text) {
  TShortCut modifiers = scNone;
  for (bool found = true; found;) {
    found = false;
    for (const auto& m : kModifiers) {
      const std::string_view prefix(m.Prefix);
      if (text.size() > prefix.size() && SameText(text.substr(0, prefix.size()), prefix)) {
        modifiers |= m.Bit;
        text.remove_prefix(prefix.size());
        found = true;
      }
    }
  }
  for (int key = 1; key <= 0xFF; ++key) {
    const std::string name = KeyName(static_cast<std::uint8_t>(key));
    if (!name.empty() && SameText(name, text)) return ShortCut(static_cast<std::uint8_t>(key), modifiers);
  }
  return scNone;
}

// ---- TMenuItem --------------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  if (FParent) std::erase(FParent->FItems, this);
  Clear();
}

void TMenuItem::Click() {
  if (!Enabled || !OnClick) return;
  // A handler may free the item (and the menu it sits in): it runs from a copy, so nothing of
  // the item is needed once it has started.
  const TNotifyEvent handler = OnClick;
  handler(this);
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("menu item index out of range");
  return FItems[static_cast<std::size_t>(index)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  const auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TMenuItem* item : FItems)
    if (item->Name() == name) return item;
  return nullptr;
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (item == nullptr) throw std::invalid_argument("no menu item to insert");
  for (const TMenuItem* p = this; p; p = p->FParent)
    if (p == item) throw std::invalid_argument("a menu item cannot contain itself");
  const int count = Count() - (item->FParent == this ? 1 : 0);
  if (index < 0 || index > count) throw std::out_of_range("menu item index out of range");
  if (item->FParent) item->FParent->Remove(item);
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
}

TMenuItem* TMenuItem::AddItem(std::string name, std::u16string caption, TNotifyEvent onClick,
                              TShortCut shortCut, int index) {
  auto item = std::make_unique<TMenuItem>(nullptr);
  item->SetName(std::move(name));
  item->Caption = std::move(caption);
  item->OnClick = std::move(onClick);
  item->ShortCut = shortCut;
  Insert(index < 0 ? Count() : index, item.get());
  return item.release();  // owned by this item from now on
}

TMenuItem* TMenuItem::AddSeparator(int index) { return AddItem({}, u"-", {}, scNone, index); }

void TMenuItem::Remove(TMenuItem* item) {
  const auto it = std::find(FItems.begin(), FItems.end(), item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  item->FParent = nullptr;
}

void TMenuItem::Delete(int index) {
  TMenuItem* item = Items(index);
  Remove(item);
  FreeItem(item);
}

void TMenuItem::Clear() {
  while (!FItems.empty()) {
    TMenuItem* item = FItems.back();
    FItems.pop_back();
    item->FParent = nullptr;
    FreeItem(item);
  }
}

void TMenuItem::FreeItem(TMenuItem* item) {
  if (TComponent* owner = item->Owner()) owner->RemoveAndFree(item);
  else delete item;
}

// ---- access keys ------------------------------------------------------------------------------

char16_t AccelChar(std::u16string_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != u'&') continue;
    if (caption[i + 1] == u'&') {
      ++i;  // "&&" stands for a plain "&"
      continue;
    }
    const char16_t c = caption[i + 1];
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
  }
  return 0;
}

bool IsAccel(unsigned key, std::u16string_view caption) {
  const char16_t c = AccelChar(caption);
  return c != 0 && key != 0 && static_cast<unsigned>(c) == key;
}

// ---- menus ------------------------------------------------------------------------------------

TMenuItem* FindShortCutItem(const TMenuItem& root, TShortCut shortCut) {
  if (shortCut == scNone) return nullptr;
  for (int i = 0; i < root.Count(); ++i) {
    TMenuItem* item = root.Items(i);
    if (!item->Enabled) continue;
    if (item->ShortCut == shortCut) return item;
    if (TMenuItem* found = FindShortCutItem(*item, shortCut)) return found;
  }
  return nullptr;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(std::make_unique<TMenuItem>(nullptr)) {
  FItems->FMenu = this;
}

TMenu::~TMenu() = default;

void TMenu::SetImages(TImageList* images) {
  if (FImages == images) return;
  if (FImages) RemoveFreeNotification(FImages);
  FImages = images;
  if (FImages) FreeNotification(FImages);
}

bool TMenu::IsShortCut(TShortCut shortCut) {
  TMenuItem* item = FindShortCutItem(*FItems, shortCut);
  if (item == nullptr) return false;
  item->Click();
  return true;
}

void TMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FImages) FImages = nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->FParent) item = item->FParent;
  return item->FMenu;
}

// ---- window descriptions ----------------------------------------------------------------------

void RegisterMenuClasses(TClassRegistry& registry) {
  using I = TMenuItem;
  TClassInfo menu;
  menu.Name = "TMenu";
  menu.IsInstance = InstanceOf<TMenu>();
  menu.Properties = {
      LinkProperty<TMenu, TImageList>("Images", [](TMenu& c, TImageList* l) { c.SetImages(l); }),
  };
  registry.Register(std::move(menu));
  registry.Register(ComponentClass<TPopupMenu>("TPopupMenu", {
      EventProperty<TPopupMenu>("OnPopup", [](TPopupMenu& c, TNotifyEvent e) { c.OnPopup = std::move(e); }),
      ValueProperty<TPopupMenu>("AutoPopup", [](TPopupMenu& c, const TDescValue& v) { c.AutoPopup = v.AsBoolean(); }),
  }, "TMenu"));
  registry.Register(ComponentClass<TMainMenu>("TMainMenu", {}, "TMenu"));
  TClassInfo item = ComponentClass<I>("TMenuItem", {
      ValueProperty<I>("Caption", [](I& c, const TDescValue& v) { c.Caption = Utf8ToUtf16(v.AsString()); }),
      ValueProperty<I>("ShortCut", [](I& c, const TDescValue& v) {
        if (v.Kind == TDescValueKind::String) {
          c.ShortCut = TextToShortCut(v.AsString());
          if (c.ShortCut == scNone && !v.AsString().empty())
            throw std::invalid_argument("\"" + v.AsString() + "\" is not a shortcut");
          return;
        }
        const int value = v.AsInteger();
        if (value < 0 || value > 0xFFFF) throw std::out_of_range("a shortcut is a 16-bit value");
        c.ShortCut = static_cast<TShortCut>(value);
      }),
      ValueProperty<I>("Enabled", [](I& c, const TDescValue& v) { c.Enabled = v.AsBoolean(); }),
      ValueProperty<I>("Visible", [](I& c, const TDescValue& v) { c.Visible = v.AsBoolean(); }),
      ValueProperty<I>("Checked", [](I& c, const TDescValue& v) { c.Checked = v.AsBoolean(); }),
      ValueProperty<I>("RadioItem", [](I& c, const TDescValue& v) { c.RadioItem = v.AsBoolean(); }),
      ValueProperty<I>("ImageIndex", [](I& c, const TDescValue& v) { c.ImageIndex = v.AsInteger(); }),
      ValueProperty<I>("Default", [](I& c, const TDescValue& v) { c.Default = v.AsBoolean(); }),
      ValueProperty<I>("GroupIndex", [](I& c, const TDescValue& v) { c.GroupIndex = v.AsInteger(); }),
      EventProperty<I>("OnClick", [](I& c, TNotifyEvent e) { c.OnClick = std::move(e); }),
  });
  item.Create = [](TComponent* owner, TComponent* parent) -> TComponent* {
    TMenuItem* into = dynamic_cast<TMenuItem*>(parent);
    if (auto* menu = dynamic_cast<TMenu*>(parent)) into = &menu->Items();
    if (!into) throw std::invalid_argument("a menu item must be placed in a menu or a menu item");
    TMenuItem* created = TComponent::Create<TMenuItem>(owner);
    into->Add(created);
    return created;
  };
  registry.Register(std::move(item));
}
