#pragma once
// TForm: a top-level window that holds controls, keeps the focused one, moves the focus in
// tab order, and is listed by the application. Its WindowProc can be replaced (see
// TWinControl::SetWindowProc): the skin engine takes over the frame that way.
#include "framework/Controls_win.h"

#include <functional>
#include <vector>

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum class TPosition { poDesigned, poDefault, poScreenCenter, poDesktopCenter, poMainFormCenter };
// A multi-document parent holds its children in a client window of its own (the MDI client);
// a child lives inside the main form's client window.
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm };
// What closing a form does: nothing, hide it, free it (at the next turn of the message loop),
// or minimize it.
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

class TMainMenu;
class TMenuItem;

class TForm : public TWinControl {
public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition value) { FPosition = value; }

  // ---- multiple documents ----
  // Takes effect when the window is made (set it before, as a description does). A child
  // needs the application's main form to be a multi-document parent.
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle value);
  // The parent's client window, which holds the children (null for other forms or before the
  // window exists).
  HWND ClientHandle() const { return FClientHandle; }
  // The active child of a parent (or null); the children in the client window's order, the
  // top one first.
  TForm* ActiveMDIChild() const;
  int MDIChildCount() const;
  TForm* MDIChildren(int index) const;  // null outside 0..MDIChildCount-1
  // The part of the client area the children live in: what aligned controls leave free.
  TRect MDIClientArea();
  // Arranges the children as the platform does.
  void Cascade();
  void Tile();
  void Next();
  // The form's main menu (not owned; content only: a skinned menu bar shows it) and the item
  // under which a parent lists its children (not owned).
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* value);
  TMenuItem* WindowMenu() const { return FWindowMenu; }
  void SetWindowMenu(TMenuItem* value);
  // Asked when the form is closed; may change the action (caHide by default, caFree for a
  // child).
  std::function<void(TForm& sender, TCloseAction& action)> OnClose;
  // Frees the form at the next turn of the message loop (safe from its own event handlers).
  void Release();

  // The client area's size; setting it sizes the window around it for its current frame.
  int ClientWidth();
  int ClientHeight();
  void SetClientWidth(int value);
  void SetClientHeight(int value);

  // The form comes up at the system's DPI when its window is made and follows WM_DPICHANGED;
  // its client size scales with its bounds.
  void ScaleForDpi(int dpi) override;

  // Shows the window (placed as Position says the first time) and focuses ActiveControl,
  // or the first control in tab order.
  void Show();
  // Asks the window to close, as the platform's close command does. Closing the main form
  // ends the application's message loop.
  void Close();

  TWinControl* ActiveControl() const { return FActiveControl; }  // not owned
  void SetActiveControl(TWinControl* control);
  // Moves the focus to the next (or previous) control in tab order from current, wrapping.
  void SelectNext(TWinControl* current, bool forward);
  // The focusable controls on this form in tab order.
  std::vector<TWinControl*> TabList();

  void WndProc(TMessage& message) override;
  void Loaded() override;
  void DefaultHandler(TMessage& message) override;

protected:
  void Notification(TComponent* component, TOperation operation) override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void CreateWindowHandleDone() override;
  void AlignDone() override;

private:
  friend class TWinControl;
  void ControlFocused(TWinControl* control);
  void ControlDestroying(TWinControl* control);
  DWORD FrameStyle() const;
  DWORD FrameExStyle() const;
  void UpdateFrameStyle();
  void PlaceOnScreen();
  void CollectTabList(TWinControl* parent, std::vector<TWinControl*>& list);
  void CreateClientWindow();
  void PlaceClientWindow();
  void DoClose();

  TFormBorderStyle FBorderStyle = TFormBorderStyle::bsSizeable;
  TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
  TPosition FPosition = TPosition::poDesigned;
  int FClientWidth = -1;   // asked for before the window existed; -1 when not asked
  int FClientHeight = -1;
  // The client size the form's description asked for; -1 when it asked none. A component read
  // with the form may change the frame (its non-client size) while the form loads, so the form
  // sets this size again once everything is loaded.
  int FDescribedClientWidth = -1;
  int FDescribedClientHeight = -1;
  bool FPlaced = false;
  TWinControl* FActiveControl = nullptr;  // not owned
  TFormStyle FFormStyle = TFormStyle::fsNormal;
  HWND FClientHandle = nullptr;  // a child window of ours: goes with it
  TMainMenu* FMenu = nullptr;       // not owned
  TMenuItem* FWindowMenu = nullptr;  // not owned
};
