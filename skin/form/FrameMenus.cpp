#include "skin/form/FrameMenus.h"

#include "framework/CodePage.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataResStr.h"
#include "skin/form/FrameObjectList.h"

#include <optional>

namespace {

constexpr TvnSystemMenuItem kStandardItems[] = {smMinimize, smMaximize,    smRestore,
                                                smRollUp,   smMinimizeToTray, smClose,
                                                smTrayRestore, smTrayClose};

// The standard item a menu item is, by its component name.
std::optional<TvnSystemMenuItem> StandardItemOf(const TMenuItem& item) {
  if (item.Name().empty()) return std::nullopt;
  for (TvnSystemMenuItem s : kStandardItems)
    if (SystemMenuText(s).Name == item.Name()) return s;
  return std::nullopt;
}

std::u16string CaptionOf(TvnSystemMenuItem item, const TvnSkinData* skinData) {
  const TvnSystemMenuText& t = SystemMenuText(item);
  if (t.CaptionKey.empty()) return Utf8ToUtf16(t.Caption);
  return FrameText(skinData, t.CaptionKey, t.Caption);
}

}  // namespace

void RunSystemMenuCommand(TvnSystemMenuItem item, TvnWindowCommands& c) {
  switch (item) {
    case smMinimize:
      if (c.AlwaysMinimizeToTray()) c.HideToTray();
      else c.ChangeWindowState(wsMinimized);
      return;
    case smMaximize: c.ChangeWindowState(wsMaximized); return;
    case smRestore: {
      const TvnFrameState& s = c.FrameState();
      // A rolled-up window unrolls first; only then does it leave its window state.
      if (s.MaximizedRolledUp || (s.RolledUp && s.WindowState == wsNormal)) c.SetRollUp(false);
      else c.ChangeWindowState(wsNormal);
      return;
    }
    case smRollUp: c.SetRollUp(true); return;
    case smMinimizeToTray: c.HideToTray(); return;
    case smClose:
    case smTrayClose: c.CloseWindow(); return;
    case smTrayRestore: c.ShowFromTray(); return;
    case smSeparator: return;
  }
}

std::u16string FrameText(const TvnSkinData* skinData, std::string_view key, std::string_view builtIn) {
  if (skinData != nullptr && skinData->ResourceStrData() != nullptr) {
    const std::string text = skinData->ResourceStrData()->GetResStr(key);
    // A resource list without the key would leave an item or a button without any text.
    if (!text.empty()) return CodePageToUtf16(text);
  }
  return Utf8ToUtf16(builtIn);
}

TMenuItem* AddSystemMenuItem(TMenuItem& parent, TvnSystemMenuItem item, const TvnSystemMenuSetup& setup,
                             TvnWindowCommands& commands, int index) {
  if (item == smSeparator) return parent.AddSeparator(index);
  const bool close = item == smClose || item == smTrayClose;
  const TShortCut shortCut = !close ? scNone : setup.MdiChild ? ShortCut(vkF4, scCtrl) : ShortCut(vkF4, scAlt);
  TvnWindowCommands* target = &commands;
  return parent.AddItem(std::string(SystemMenuText(item).Name), CaptionOf(item, setup.SkinData),
                        [target, item](TComponent*) { RunSystemMenuCommand(item, *target); }, shortCut, index);
}

void BuildDefaultSystemMenu(TMenuItem& root, const TvnSystemMenuSetup& setup, TvnWindowCommands& commands) {
  root.Clear();
  for (TvnSystemMenuItem item : DefaultSystemMenuItems(setup.Conditions))
    AddSystemMenuItem(root, item, setup, commands);
}

void RemoveStandardItems(TMenuItem& root) {
  for (int i = root.Count() - 1; i >= 0; --i) {
    const std::optional<TvnSystemMenuItem> s = StandardItemOf(*root.Items(i));
    // The tray items are not the system menu's: an application may well keep its own.
    if (s && *s != smTrayRestore && *s != smTrayClose) root.Delete(i);
  }
}

void MergeSystemMenu(TMenuItem& root, const TvnSystemMenuSetup& setup, TvnWindowCommands& commands) {
  RemoveStandardItems(root);
  const TvnSystemMenuConditions& c = setup.Conditions;
  // Each goes to the top in turn, so the last one inserted ends up first.
  const struct {
    bool Present;
    TvnSystemMenuItem Item;
  } top[] = {{c.ToTray, smMinimizeToTray}, {c.RollUp, smRollUp}, {c.Maximize, smMaximize},
             {c.Restore, smRestore},       {c.Minimize, smMinimize}};
  for (const auto& t : top)
    if (t.Present) AddSystemMenuItem(root, t.Item, setup, commands, 0);
  AddSystemMenuItem(root, smClose, setup, commands);
}

TMenuItem& SystemMenuItems(TMenuItem& own, TMenuItem* user, bool useDefault,
                           const TvnSystemMenuSetup& setup, TvnWindowCommands& commands) {
  if (user == nullptr) {
    BuildDefaultSystemMenu(own, setup, commands);
    return own;
  }
  if (useDefault) MergeSystemMenu(*user, setup, commands);
  return *user;
}

void BuildTrayMenu(TMenuItem& root, const TvnSystemMenuSetup& setup, TvnWindowCommands& commands) {
  root.Clear();
  AddSystemMenuItem(root, smTrayRestore, setup, commands);
  AddSystemMenuItem(root, smSeparator, setup, commands);
  AddSystemMenuItem(root, smTrayClose, setup, commands);
}

void UpdateStandardCaptions(TMenuItem& root, const TvnSkinData* skinData) {
  for (int i = 0; i < root.Count(); ++i) {
    TMenuItem& item = *root.Items(i);
    if (const std::optional<TvnSystemMenuItem> s = StandardItemOf(item)) item.Caption = CaptionOf(*s, skinData);
  }
}

void ApplyDefaultHints(TvnFrameObjectList& objects, const TvnSkinData* skinData) {
  for (auto& o : objects.Objects()) {
    const std::optional<TvnSkinCommand> command = ObjectCommand(*o);
    if (!command) continue;
    if (const std::optional<TvnButtonHint> hint = DefaultButtonHint(*command))
      o->ObjectHintText = FrameText(skinData, hint->Key, hint->Text);
  }
}
