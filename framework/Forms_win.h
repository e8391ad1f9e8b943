#pragma once
// TForm: a top-level window that holds controls, keeps the focused one, moves the focus in
// tab order, and is listed by the application. Its WindowProc can be replaced (see
// TWinControl::SetWindowProc): the skin engine takes over the frame that way.
#include "framework/Controls_win.h"

#include <vector>

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum class TPosition { poDesigned, poDefault, poScreenCenter, poDesktopCenter, poMainFormCenter };

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

  // The client area's size; setting it sizes the window around it for its current frame.
  int ClientWidth();
  int ClientHeight();
  void SetClientWidth(int value);
  void SetClientHeight(int value);

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

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandleDone() override;

private:
  friend class TWinControl;
  void ControlFocused(TWinControl* control);
  void ControlDestroying(TWinControl* control);
  DWORD FrameStyle() const;
  DWORD FrameExStyle() const;
  void UpdateFrameStyle();
  void PlaceOnScreen();
  void CollectTabList(TWinControl* parent, std::vector<TWinControl*>& list);

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
};
