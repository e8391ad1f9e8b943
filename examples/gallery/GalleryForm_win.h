#pragma once
// TGalleryForm: the gallery's window, built in code so that each piece of the engine reads as
// the few calls that set it up:
//   - the skin: a skin data component loaded from a stored skin (Quillon's, or a file);
//   - the frame: a sizeable skinned window with maximize and minimize-to-tray buttons;
//   - the tray icon, always shown, with the frame's tray menu;
//   - a button that opens a skinned popup menu with every kind of item the engine draws.
// The label under the button tells the last command a menu ran.
#include "framework/Forms_win.h"
#include "framework/ImageList.h"
#include "framework/StdCtrls_win.h"

#include <filesystem>
#include <string>

class TvnSkinData;
class TvnVeneerForm;
class TvnTrayIcon;
class TvnSkinPopupMenu;

class TGalleryForm : public TForm {
public:
  // skinFile: a skin description or a compressed skin file; empty for Quillon's skin.
  TGalleryForm(TComponent* owner, const std::filesystem::path& skinFile);

  TvnSkinData* SkinData = nullptr;          // owned as components of the form
  TvnVeneerForm* Frame = nullptr;
  TvnTrayIcon* Tray = nullptr;
  TImageList* Images = nullptr;
  TvnSkinPopupMenu* DemoMenu = nullptr;      // none after its "Remove this menu" item ran
  TButton* MenuButton = nullptr;
  TLabel* LastCommand = nullptr;

  // Shows text in the label: what the menu just did.
  void Report(const std::u16string& text);

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  void LoadSkin(const std::filesystem::path& skinFile);
  void MenuButtonClick(TComponent* sender);
  TButton* AddButton(const wchar_t* caption, int left, int top, int width);
};
