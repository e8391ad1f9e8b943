#pragma once
// TvnSkinPopupMenu: a popup menu component that shows itself through the skinned menu engine of
// its form instead of the platform's menu, drawn with its own skin data or the form's.
#include "framework/Forms_win.h"
#include "framework/Menus.h"

class TClassRegistry;
class TvnSkinData;
class TvnSkinMenuHost;

class TvnSkinPopupMenu : public TPopupMenu {
 public:
  explicit TvnSkinPopupMenu(TComponent* owner = nullptr);
  ~TvnSkinPopupMenu() override;

  // Published: the skin to draw with. When unset at a popup it is taken from the form
  // component (its menus skin, else its skin) and kept. Cleared when that skin data goes.
  TvnSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TvnSkinData* value);

  TForm* TargetForm = nullptr;           // not owned; the form whose component shows it (tray menu)
  TComponent* PopupComponent = nullptr;  // not owned; who opened it last (a tray icon)

  // Fires OnPopup, then shows the menu with its top-left corner at the screen point (x, y)
  // through the engine of the form component. Nothing shows without such a component.
  void Popup(int x, int y);
  // The same beside a screen rectangle, downward or upward.
  void PopupFromRect(const TRect& r, bool upward);

  // The form component this menu shows through: on TargetForm, else on the owner when it is a
  // form, else on the owner's owner; the first component of that form that is a host. None
  // when there is no such form or component.
  TvnSkinMenuHost* FindHost() const;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TvnSkinData* FSkinData = nullptr;  // not owned
};

// Makes TvnSkinPopupMenu known to window descriptions (its items as those of TPopupMenu, and
// its SkinData link).
void RegisterSkinMenuClasses(TClassRegistry& registry);
