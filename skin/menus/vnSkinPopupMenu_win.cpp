#include "skin/menus/vnSkinPopupMenu_win.h"

#include "framework/ClassRegistry.h"
#include "skin/data/vnSkinData.h"
#include "skin/menus/vnSkinMenuHost.h"
#include "skin/menus/vnSkinMenus_win.h"

TvnSkinPopupMenu::TvnSkinPopupMenu(TComponent* owner) : TPopupMenu(owner) {}

TvnSkinPopupMenu::~TvnSkinPopupMenu() = default;

void TvnSkinPopupMenu::SetSkinData(TvnSkinData* value) {
  if (value == FSkinData) return;
  if (FSkinData != nullptr) RemoveFreeNotification(FSkinData);
  FSkinData = value;
  if (value != nullptr) FreeNotification(value);
}

void TvnSkinPopupMenu::Notification(TComponent* component, TOperation operation) {
  TPopupMenu::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FSkinData) FSkinData = nullptr;
}

TvnSkinMenuHost* TvnSkinPopupMenu::FindHost() const {
  TForm* form = TargetForm;
  if (form == nullptr) form = dynamic_cast<TForm*>(Owner());
  if (form == nullptr && Owner() != nullptr) form = dynamic_cast<TForm*>(Owner()->Owner());
  if (form == nullptr) return nullptr;
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* host = dynamic_cast<TvnSkinMenuHost*>(form->Components(i))) return host;
  return nullptr;
}

void TvnSkinPopupMenu::Popup(int x, int y) { PopupFromRect({x, y, x, y}, false); }

void TvnSkinPopupMenu::PopupFromRect(const TRect& r, bool upward) {
  if (OnPopup) OnPopup(this);
  TvnSkinMenuHost* host = FindHost();
  if (host == nullptr) return;  // the platform's own popup is never used
  TvnSkinMenu* engine = host->SkinMenuEngine();
  if (engine == nullptr) return;
  if (FSkinData == nullptr) SetSkinData(host->HostMenusSkinData());
  if (engine->MenuVisible()) host->LeaveMenuMode();
  host->EnterMenuMode();
  engine->PopupItems(nullptr, FSkinData, upward, &Items(), r, 0);
}

void RegisterSkinMenuClasses(TClassRegistry& registry) {
  registry.Register(ComponentClass<TvnSkinPopupMenu>(
      "TvnSkinPopupMenu",
      {LinkProperty<TvnSkinPopupMenu, TvnSkinData>("SkinData",
                                                   [](TvnSkinPopupMenu& c, TvnSkinData* s) { c.SetSkinData(s); })},
      "TPopupMenu"));
}
