#include "examples/notebook/NotebookForm_win.h"

#include "framework/Application_win.h"
#include "framework/ClassRegistry.h"
#include "framework/Description.h"
#include "framework/Menus.h"
#include "framework/Resources_win.h"
#include "skin/controls/vnSkinBoxCtrls_win.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinData_win.h"
#include "skin/data/vnSkinDataStoredSkin.h"
#include "skin/form/VeneerForm_win.h"
#include "skin/form/vnSkinMDITabsBar_win.h"
#include "skin/form/vnSkinMainMenuBar_win.h"
#include "skin/menus/vnSkinPopupMenu_win.h"

#include <string>

void RegisterNotebookClasses() {
  RegisterSkinDataComponents(ClassRegistry());
  RegisterVeneerFormClasses(ClassRegistry());
  RegisterSkinMenuClasses(ClassRegistry());
  RegisterSkinControlClasses(ClassRegistry());
  RegisterMDITabsBarClasses(ClassRegistry());
  RegisterMainMenuBarClasses(ClassRegistry());
}

TNoteForm::TNoteForm(TComponent* owner, int number, TvnSkinData* skinData) : TForm(owner) {
  SetName("Note" + std::to_string(number));
  SetFormStyle(TFormStyle::fsMDIChild);
  SetText(L"Note " + std::to_wstring(number));
  SetBorderStyle(TFormBorderStyle::bsSizeable);
  // Each note opens a little lower and to the right of the one before.
  const int step = (number - 1) % 8 * 24;
  SetBounds(step, step, 300, 220);
  Frame = TComponent::Create<TvnVeneerForm>(this);
  Frame->SetBorderIcons({TvnBorderIcon::biSystemMenu, TvnBorderIcon::biMinimize, TvnBorderIcon::biMaximize,
                         TvnBorderIcon::biRollUp});
  Frame->SetSkinData(skinData);

  Heading = TComponent::Create<TLabel>(this);
  Heading->SetBounds(8, 8, 56, 18);
  Heading->SetText(L"Copies:");
  Heading->SetParent(this);
  Stepper = TComponent::Create<TvnSkinUpDown>(this);
  Stepper->SetLeft(70);
  Stepper->SetTop(6);
  Stepper->SetSkinData(skinData);
  Stepper->SetParent(this);
  Text = TComponent::Create<TMemo>(this);
  Text->SetBounds(8, 36, 260, 100);
  Text->SetText(L"A note of the notebook.");
  Text->SetTabStop(true);
  Text->SetParent(this);
}

TNotebookForm::TNotebookForm(TComponent* owner) : TForm(owner) {
  SetName("Notebook");
  SetText(L"Notebook");
  SetFormStyle(TFormStyle::fsMDIForm);
  SetBorderStyle(TFormBorderStyle::bsSizeable);
  SetPosition(TPosition::poScreenCenter);
  SetClientWidth(640);
  SetClientHeight(420);

  Frame = TComponent::Create<TvnVeneerForm>(this);
  Frame->SetBorderIcons({TvnBorderIcon::biSystemMenu, TvnBorderIcon::biMinimize, TvnBorderIcon::biMaximize});
  // Narrow enough for the menu bar to run out of room (its marker then lists the hidden menus).
  Frame->MinWidth = 200;
  Frame->MinHeight = 240;

  // The menu bar across the top, the tab bar under it.
  BuildMainMenu();
  MenuBar = TComponent::Create<TvnSkinMainMenuBar>(this);
  MenuBar->SetAlign(TAlign::alTop);
  MenuBar->SetParent(this);
  MenuBar->SetMainMenu(MainMenu);
  Frame->SetMainMenuBar(MenuBar);

  Tabs = TComponent::Create<TvnSkinMDITabsBar>(this);
  Tabs->SetAlign(TAlign::alTop);
  Tabs->SetParent(this);
  Tabs->SetVeneerForm(Frame);
  Frame->SetMDITabsBar(Tabs);

  SkinData = TComponent::Create<TvnSkinData>(this);
  Stored = TComponent::Create<TvnCompressedStoredSkin>(this);
  // Quillon's window description carries its skin as one compressed block.
  Stored->SetCompressedData(StoredSkinBlockOf(ParseDescription(LoadDataResource(L"EMBEDDEDSKIN"))));
  Frame->SetSkinData(SkinData);
  MenuBar->SetSkinData(SkinData);
  Tabs->SetSkinData(SkinData);
  SkinData->SetCompressedStoredSkin(Stored);
}

void TNotebookForm::BuildMainMenu() {
  MainMenu = TComponent::Create<TMainMenu>(this);
  SetMenu(MainMenu);
  TMenuItem& bar = MainMenu->Items();
  auto say = [this](std::u16string text) { LastCommand = std::move(text); };
  TMenuItem* file = bar.AddItem("FileMenu", u"&File");
  file->AddItem("NewItem", u"&New", [this, say](TComponent*) { NewNote(); say(u"New"); }, ShortCut('N', scCtrl));
  file->AddItem("CloseItem", u"&Close", [this, say](TComponent*) {
    if (TForm* note = ActiveMDIChild()) note->Close();
    say(u"Close");
  }, ShortCut(vkF4, scCtrl));
  file->AddSeparator();
  file->AddItem("ExitItem", u"E&xit", [this](TComponent*) { Close(); });
  TMenuItem* edit = bar.AddItem("EditMenu", u"&Edit");
  edit->AddItem("CutItem", u"Cu&t", [this](TComponent*) { EditCommand(WM_CUT, u"Cut"); }, ShortCut('X', scCtrl));
  edit->AddItem("CopyItem", u"&Copy", [this](TComponent*) { EditCommand(WM_COPY, u"Copy"); }, ShortCut('C', scCtrl));
  edit->AddItem("PasteItem", u"&Paste", [this](TComponent*) { EditCommand(WM_PASTE, u"Paste"); }, ShortCut('V', scCtrl));
  // The window menu lists the notes: the frame adds and removes an entry per note.
  Window = bar.AddItem("WindowMenu", u"&Window");
  Window->AddItem("CascadeItem", u"&Cascade", [this, say](TComponent*) { Cascade(); say(u"Cascade"); });
  Window->AddItem("TileItem", u"&Tile", [this, say](TComponent*) { Tile(); say(u"Tile"); });
  Window->AddItem("NextItem", u"&Next", [this, say](TComponent*) { Next(); say(u"Next"); });
  Window->AddSeparator();
  SetWindowMenu(Window);
  TMenuItem* help = bar.AddItem("HelpMenu", u"&Help");
  help->AddItem("AboutItem", u"&About", [this, say](TComponent*) {
    NewNote()->Text->SetText(L"A multi-document window drawn by the skin engine.");
    say(u"About");
  });
}

void TNotebookForm::EditCommand(UINT message, const char16_t* name) {
  if (auto* note = dynamic_cast<TNoteForm*>(ActiveMDIChild())) ::SendMessageW(note->Text->Handle(), message, 0, 0);
  LastCommand = name;
}

TNoteForm* TNotebookForm::NewNote() {
  auto* note = TComponent::Create<TNoteForm>(Application, ++FNotesOpened, SkinData);
  note->Show();
  return note;
}
