#include "examples/gallery/GalleryForm_win.h"

#include "examples/gallery/GalleryImages.h"
#include "examples/gallery/GalleryMenu_win.h"
#include "framework/Resources_win.h"
#include "framework/Description.h"
#include "skin/controls/vnTrayIcon_win.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataStoredSkin.h"
#include "skin/form/VeneerForm_win.h"
#include "skin/menus/vnSkinPopupMenu_win.h"

#include <string>

TGalleryForm::TGalleryForm(TComponent* owner, const std::filesystem::path& skinFile) : TForm(owner) {
  SetText(L"Gallery");
  SetBorderStyle(TFormBorderStyle::bsSizeable);
  SetPosition(TPosition::poScreenCenter);
  SetColor(clBtnFace);
  SetClientWidth(420);
  SetClientHeight(260);

  // The frame takes over the window from here on. Until the skin is loaded it draws its own
  // plain look.
  Frame = TComponent::Create<TvnVeneerForm>(this);
  Frame->SetBorderIcons({TvnBorderIcon::biSystemMenu, TvnBorderIcon::biMinimize, TvnBorderIcon::biMaximize,
                         TvnBorderIcon::biRollUp, TvnBorderIcon::biMinimizeToTray});
  Frame->MinWidth = 320;
  Frame->MinHeight = 200;
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
  LastCommand = TComponent::Create<TLabel>(this);
  LastCommand->SetBounds(16, 60, 380, 20);
  LastCommand->SetParent(this);
  LastCommand->SetText(L"Right-click the caption, or open the menu above.");

  LoadSkin(skinFile);
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
  auto* stored = TComponent::Create<TvnCompressedStoredSkin>(this);
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
  // The frame hears when the skin data has loaded and applies it; menus opened from the frame
  // and the demo menu draw with the same skin.
  Frame->SetSkinData(SkinData);
  SkinData->SetCompressedStoredSkin(stored);
}

void TGalleryForm::MenuButtonClick(TComponent*) {
  // The "Remove this menu" item frees the menu it belongs to; the next click makes a new one.
  if (!DemoMenu) {
    DemoMenu = BuildDemoMenu(*this);
    FreeNotification(DemoMenu);
    Report(u"The demo menu was made again.");
  }
  RECT r{};
  ::GetWindowRect(MenuButton->Handle(), &r);
  DemoMenu->PopupFromRect({r.left, r.top, r.right, r.bottom}, false);
}

void TGalleryForm::Report(const std::u16string& text) {
  LastCommand->SetText(std::wstring(text.begin(), text.end()));
}

void TGalleryForm::Notification(TComponent* component, TOperation operation) {
  TForm::Notification(component, operation);
  if (operation == TOperation::opRemove && component == DemoMenu) DemoMenu = nullptr;
}
