#pragma once
// The notebook: a multi-document window drawn by the skin engine, built in code.
//   - TNotebookForm, the parent: a skinned frame, a skinned menu bar (File, Edit, Window, Help,
//     with access keys and shortcuts), a tab bar with one tab per open note, and the client
//     window where the notes live (its background from the skin);
//   - TNoteForm, a child: a skinned frame of its own with a few controls. Maximized, it gives
//     up its frame and fills the parent's client window; minimized, it is parked as a caption
//     bar along the bottom.
// Ctrl+F4 closes the active note and Ctrl+Tab moves to the next one.
#include "framework/Forms_win.h"
#include "framework/StdCtrls_win.h"

#include <string>

class TvnSkinData;
class TvnCompressedStoredSkin;
class TvnVeneerForm;
class TvnSkinMDITabsBar;
class TvnSkinMainMenuBar;
class TMainMenu;
class TvnSkinUpDown;
class TMenuItem;

// Registers the engine's classes the notebook uses.
void RegisterNotebookClasses();

class TNoteForm : public TForm {
public:
  TNoteForm(TComponent* owner, int number, TvnSkinData* skinData);

  TvnVeneerForm* Frame = nullptr;  // owned as components of the form
  TLabel* Heading = nullptr;
  TMemo* Text = nullptr;
  TvnSkinUpDown* Stepper = nullptr;
};

class TNotebookForm : public TForm {
public:
  explicit TNotebookForm(TComponent* owner);

  TvnSkinData* SkinData = nullptr;  // owned as components of the form
  TvnCompressedStoredSkin* Stored = nullptr;
  TvnVeneerForm* Frame = nullptr;
  TvnSkinMDITabsBar* Tabs = nullptr;
  TvnSkinMainMenuBar* MenuBar = nullptr;
  TMainMenu* MainMenu = nullptr;
  TMenuItem* Window = nullptr;  // the menu that lists the notes (owned by the form)
  // What the last menu command did, in words (for the tests and the caption of nothing else).
  std::u16string LastCommand;

  // Opens a new note, shown and active; its caption is "Note N".
  TNoteForm* NewNote();
  int NotesOpened() const { return FNotesOpened; }

private:
  void BuildMainMenu();
  // Runs a clipboard command (WM_CUT, WM_COPY, WM_PASTE) on the active note's text.
  void EditCommand(UINT message, const char16_t* name);
  int FNotesOpened = 0;
};
