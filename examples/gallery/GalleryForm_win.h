#pragma once
// TGalleryForm: the gallery's window, built in code so that each piece of the engine reads as
// the few calls that set it up:
//   - the skin: a skin data component loaded from a stored skin (Quillon's, or a file);
//   - the frame: a sizeable skinned window with maximize and minimize-to-tray buttons;
//   - the tray icon, always shown, with the frame's tray menu;
//   - a button that opens a skinned popup menu with every kind of item the engine draws;
//   - a button whose menu switches, while the program runs, between the skin it opened with,
//     the dark skin it carries and no skin at all;
//   - skinned controls (two up-downs, one stepping a number field, and a custom control in
//     each way a skin lets a control grow), with skinned hints on them and on the caption
//     buttons.
// The label under the buttons tells the last command a menu ran.
#include "framework/Forms_win.h"
#include "framework/ImageList.h"
#include "framework/StdCtrls_win.h"

#include <filesystem>
#include <string>
#include <vector>

class TvnSkinData;
class TvnCompressedStoredSkin;
class TvnVeneerForm;
class TvnTrayIcon;
class TvnSkinPopupMenu;
class TvnSkinControl;
class TvnSkinHint;

// Registers the engine's classes the gallery's window uses (skin data first, so that every
// skin data made afterwards tells the forms when its skin changes).
void RegisterGalleryClasses();

// The looks the skin menu switches between.
enum class TGallerySkin { Opening, Dark, None };

class TGalleryForm : public TForm {
public:
  // skinFile: a skin description or a compressed skin file; empty for Quillon's skin.
  TGalleryForm(TComponent* owner, const std::filesystem::path& skinFile);

  TvnSkinData* SkinData = nullptr;          // owned as components of the form
  TvnVeneerForm* Frame = nullptr;
  TvnTrayIcon* Tray = nullptr;
  TImageList* Images = nullptr;
  TvnSkinPopupMenu* DemoMenu = nullptr;      // none after its "Remove this menu" item ran
  TvnSkinPopupMenu* SkinMenu = nullptr;
  TButton* MenuButton = nullptr;
  TButton* SkinButton = nullptr;
  TLabel* LastCommand = nullptr;
  TvnSkinHint* Hint = nullptr;
  std::vector<TvnSkinControl*> Controls;     // owned as components of the form
  // The two skins the program carries, as stored skins: the one it opened with (Quillon's, or
  // the file given) and the dark one.
  TvnCompressedStoredSkin* OpeningSkin = nullptr;
  TvnCompressedStoredSkin* DarkSkin = nullptr;

  // Shows text in the label: what the menu just did.
  void Report(const std::u16string& text);
  // Switches every skinned piece of the window to another look at once.
  void UseSkin(TGallerySkin skin);
  TGallerySkin CurrentSkin() const { return FCurrentSkin; }

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  void LoadSkin(const std::filesystem::path& skinFile);
  void LinkSkinData(TvnSkinData* skinData);
  void MenuButtonClick(TComponent* sender);
  void PopupUnderButton(TvnSkinPopupMenu& menu, TButton& button);
  TButton* AddButton(const wchar_t* caption, int left, int top, int width);

  TGallerySkin FCurrentSkin = TGallerySkin::Opening;
};
