#include "examples/gallery/GalleryForm_win.h"

#include "examples/gallery/GalleryControls_win.h"
#include "examples/gallery/GalleryImages.h"
#include "examples/gallery/GalleryMenu_win.h"
#include "framework/ClassRegistry.h"
#include "framework/Resources_win.h"
#include "framework/Description.h"
#include "skin/controls/vnSkinBoxCtrls_win.h"
#include "skin/controls/vnSkinCtrls_win.h"
#include "skin/controls/vnSkinHint_win.h"
#include "skin/controls/vnTrayIcon_win.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinData_win.h"
#include "skin/data/vnSkinDataStoredSkin.h"
#include "skin/form/VeneerForm_win.h"
#include "skin/menus/vnSkinPopupMenu_win.h"

#include <string>

void RegisterGalleryClasses() {
  RegisterSkinDataComponents(ClassRegistry());
  RegisterVeneerFormClasses(ClassRegistry());
  RegisterSkinMenuClasses(ClassRegistry());
  RegisterTrayIconClasses(ClassRegistry());
  RegisterSkinControlClasses(ClassRegistry());
  RegisterSkinHintClasses(ClassRegistry());
}

TGalleryForm::TGalleryForm(TComponent* owner, const std::filesystem::path& skinFile) : TForm(owner) {
  SetText(L"Gallery");
  SetBorderStyle(TFormBorderStyle::bsSizeable);
  SetPosition(TPosition::poScreenCenter);
  SetColor(clBtnFace);
  SetClientWidth(470);
  SetClientHeight(270);

  // The frame takes over the window from here on. Until the skin is loaded it draws its own
  // plain look.
  Frame = TComponent::Create<TvnVeneerForm>(this);
  Frame->SetBorderIcons({TvnBorderIcon::biSystemMenu, TvnBorderIcon::biMinimize, TvnBorderIcon::biMaximize,
                         TvnBorderIcon::biRollUp, TvnBorderIcon::biMinimizeToTray});
  Frame->MinWidth = 320;
  Frame->MinHeight = 200;
  // Where the platform offers snap layouts, they open over the maximize button.
  Frame->SnapLayouts = true;
  // Menus longer than this scroll inside their window (the long list does).
  Frame->SetMaxMenuItemsInWindow(16);

  // The tray icon: always in the notification area; a double click brings the window back and
  // a right click opens the frame's tray menu (restore, close).
  Tray = TComponent::Create<TvnTrayIcon>(this);
  Tray->SetHint(u"Skin engine gallery");
  Frame->AlwaysShowInTray = true;
  Frame->SetTrayIcon(Tray);
  Tray->Loaded();  // made in code: it shows once complete, as one read from a description

  // The popup menu's pictures and the menu itself.
  Images = TComponent::Create<TImageList>(this);
  AddGalleryImages(*Images);
  DemoMenu = BuildDemoMenu(*this);
  FreeNotification(DemoMenu);

  MenuButton = AddButton(L"Open the demo menu", 16, 16, 180);
  MenuButton->OnClick = [this](TComponent* sender) { MenuButtonClick(sender); };
  SkinMenu = BuildSkinMenu(*this);
  SkinButton = AddButton(L"Skin", 204, 16, 100);
  SkinButton->OnClick = [this](TComponent*) { PopupUnderButton(*SkinMenu, *SkinButton); };
  LastCommand = TComponent::Create<TLabel>(this);
  LastCommand->SetBounds(16, 60, 380, 20);
  LastCommand->SetParent(this);
  LastCommand->SetText(L"Right-click the caption, or open the menu above.");

  // Hints: the skinned hint component takes over the application's hints (those of the
  // controls below) and shows the caption buttons' hints for the frame.
  Hint = TComponent::Create<TvnSkinHint>(this);
  Frame->SetSkinHint(Hint);
  Frame->ShowObjectHint = true;
  MenuButton->SetHint(L"Every kind of item the skinned menus draw");
  SkinButton->SetHint(L"Switch the skin while the window is open");
  for (TButton* button : {MenuButton, SkinButton}) button->SetShowHint(true);

  LoadSkin(skinFile);
  Controls = BuildGalleryControls(*this, 100);
}

TButton* TGalleryForm::AddButton(const wchar_t* caption, int left, int top, int width) {
  TButton* button = TComponent::Create<TButton>(this);
  button->SetBounds(left, top, width, 28);
  button->SetText(caption);
  button->SetTabStop(true);
  button->SetParent(this);
  return button;
}

void TGalleryForm::LoadSkin(const std::filesystem::path& skinFile) {
  SkinData = TComponent::Create<TvnSkinData>(this);
  auto* stored = OpeningSkin = TComponent::Create<TvnCompressedStoredSkin>(this);
  if (skinFile.empty()) {
    // Quillon's window description carries its skin as one compressed block.
    const std::string description = LoadDataResource(L"EMBEDDEDSKIN");
    stored->SetCompressedData(StoredSkinBlockOf(ParseDescription(description)));
  } else if (skinFile.extension() == ".ini") {
    if (!stored->LoadFromSkinFile(skinFile))
      throw std::runtime_error(skinFile.string() + ": not a complete skin description");
  } else {
    stored->LoadFromCompressedFile(skinFile);
  }
  // The dark skin travels in the program as a compressed skin file made by skintool.
  DarkSkin = TComponent::Create<TvnCompressedStoredSkin>(this);
  const std::string darkFile = LoadDataResource(L"DARKSKIN");
  DarkSkin->SetCompressedData(BlockOfCompressedSkinFile(
      {reinterpret_cast<const std::uint8_t*>(darkFile.data()), darkFile.size()}));
  // The frame hears when the skin data has loaded and applies it; menus opened from the frame
  // and the demo menu draw with the same skin.
  LinkSkinData(SkinData);
  SkinData->SetCompressedStoredSkin(stored);
}

// Every skinned piece of the window takes the skin data (or none): the frame applies it at
// once; a popup menu without skin data takes the frame's when it next opens.
void TGalleryForm::LinkSkinData(TvnSkinData* skinData) {
  Frame->SetSkinData(skinData);
  for (TvnSkinPopupMenu* menu : {DemoMenu, SkinMenu})
    if (menu) menu->SetSkinData(nullptr);
  Hint->SetSkinData(skinData);
  // A control given a loaded skin applies it at once; one left without a skin is told to
  // take its default look and size and to drop its region.
  for (TvnSkinControl* control : Controls) {
    control->SetSkinData(skinData);
    if (!skinData) control->ApplySkinChange();
  }
}

void TGalleryForm::UseSkin(TGallerySkin skin) {
  if (skin == TGallerySkin::None) {
    LinkSkinData(nullptr);
  } else {
    // A new stored skin loads at once and tells every window linked to the skin data; when the
    // window showed no skin, the skin is loaded first and linked afterwards, so that each piece
    // applies it once.
    TvnCompressedStoredSkin* stored = skin == TGallerySkin::Dark ? DarkSkin : OpeningSkin;
    if (FCurrentSkin == TGallerySkin::None) {
      if (SkinData->CompressedStoredSkin() != stored) SkinData->SetCompressedStoredSkin(stored);
      LinkSkinData(SkinData);
    } else if (SkinData->CompressedStoredSkin() != stored) {
      SkinData->SetCompressedStoredSkin(stored);
    }
  }
  FCurrentSkin = skin;
}

void TGalleryForm::MenuButtonClick(TComponent*) {
  // The "Remove this menu" item frees the menu it belongs to; the next click makes a new one.
  if (!DemoMenu) {
    DemoMenu = BuildDemoMenu(*this);
    FreeNotification(DemoMenu);
    Report(u"The demo menu was made again.");
  }
  PopupUnderButton(*DemoMenu, *MenuButton);
}

void TGalleryForm::PopupUnderButton(TvnSkinPopupMenu& menu, TButton& button) {
  RECT r{};
  ::GetWindowRect(button.Handle(), &r);
  menu.PopupFromRect({r.left, r.top, r.right, r.bottom}, false);
}

void TGalleryForm::Report(const std::u16string& text) {
  LastCommand->SetText(std::wstring(text.begin(), text.end()));
}

void TGalleryForm::Notification(TComponent* component, TOperation operation) {
  TForm::Notification(component, operation);
  if (operation == TOperation::opRemove && component == DemoMenu) DemoMenu = nullptr;
}
