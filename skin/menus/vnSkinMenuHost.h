#pragma once
// What a popup menu component needs of the form component that owns the menu engine: the engine
// itself, the skin to draw menus with, and the form's menu mode around each popup. The form
// skinning component implements it; a TvnSkinPopupMenu finds it among its form's components.
class TvnSkinMenu;
class TvnSkinData;

class TvnSkinMenuHost {
 public:
  virtual ~TvnSkinMenuHost() = default;
  virtual TvnSkinMenu* SkinMenuEngine() = 0;          // the engine of this form
  virtual TvnSkinData* HostMenusSkinData() const = 0;  // MenusSkinData, else SkinData, else none
  virtual void EnterMenuMode() = 0;
  virtual void LeaveMenuMode() = 0;
};
