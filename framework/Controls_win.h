#pragma once
// TWinControl: a component with a window. The base of forms and standard controls.
//
// Windows are made when needed (Handle()), from the properties held by the object, so a
// window description can set every property before the window exists; setters also apply
// to a window that exists. A child read from a description gets its window in Loaded, when
// all its properties are known.
//
// Every framework class registers one window class whose procedure (StaticWndProc) binds
// the object at WM_NCCREATE (GWLP_USERDATA) and catches every exception at that boundary.
// Standard controls are superclassed: the system class's own procedure is the default.
//
// Messages go through WindowProc(), which is WndProc() unless replaced (see SetWindowProc).
// Notifications the platform sends to the parent (WM_COMMAND, WM_CTLCOLOR...) are handed
// back to the control that sent them (CommandNotify, CtlColor).
#include "framework/Align.h"
#include "framework/Component.h"
#include "framework/Geometry.h"
#include "framework/Graphics.h"

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// One window message, decoded nowhere yet; Result is what the window procedure returns.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};
using TWndMethod = std::function<void(TMessage&)>;

class TForm;

class TWinControl : public TComponent {
public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // The control's window, made now if it does not exist yet (with its parent's first).
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  HWND HandleIfAllocated() const { return FHandle; }  // borrowed; null before creation
  // Destroys and remakes the window (for style changes the platform takes only at creation),
  // keeping its text.
  void RecreateWnd();

  TWinControl* Parent() const { return FParent; }  // not owned
  void SetParent(TWinControl* parent);
  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TWinControl* Controls(int index) const { return FControls[index]; }
  // The form this control is on (itself for a form), or null.
  TForm* ParentForm();

  // Position and size in the parent's client coordinates (the screen for a top-level window).
  int Left() const { return FBounds.Left; }
  int Top() const { return FBounds.Top; }
  int Width() const { return FBounds.Width(); }
  int Height() const { return FBounds.Height(); }
  TRect BoundsRect() const { return FBounds; }
  virtual void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }

  // The window text (caption of a form, label, button; content of an edit).
  std::wstring Text() const;
  virtual void SetText(std::wstring_view text);

  TColor Color() const { return FColor; }
  void SetColor(TColor color);

  // The font: the parent's while ParentFont is true (the default), its own once set.
  const TFontDesc& Font() const;
  TFontDesc& FontForChange();  // the control's own font; takes it apart from the parent's
  void FontChanged();          // after changing FontForChange(): applies it here and below
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool value);

  int TabOrder() const { return FTabOrder; }
  void SetTabOrder(int value) { FTabOrder = value; }
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  // Aligned to an edge (or the whole free area) of the parent's client area: the parent lays
  // its aligned controls out again whenever its size or one of theirs changes.
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign value);
  // Lays out the aligned children for the current client size.
  void AlignControls();
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);

  // The hint the application shows while the mouse rests on the control (with ShowHint on).
  const std::wstring& Hint() const { return FHint; }
  void SetHint(std::wstring_view value) { FHint.assign(value); }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value) { FShowHint = value; }

  bool Focused() const;
  void SetFocus();
  bool CanFocus() const;

  // The DPI the control's bounds and font are laid out for: 96 for a new control and as read
  // from a description; its form's DPI once it is on a form. A control put on a parent at
  // another DPI scales to the parent's, so bounds given before it is placed are 96-DPI ones;
  // bounds given after are taken as they are.
  int PixelsPerInch() const { return FPixelsPerInch; }
  // Scales the bounds and own font of this control and of every control on it from their DPI
  // to dpi; windows that exist follow. A top-level window keeps its position.
  virtual void ScaleForDpi(int dpi);

  // Calls the control's WindowProc directly (no window needed) and returns the result.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

  // The procedure every message of this control passes through first: WndProc unless
  // replaced. A component that takes over a window (the skin engine over its form) keeps
  // the procedure it found, installs its own, passes on what it does not handle, and puts
  // the kept one back when it lets go:
  //
  //   FOldWindowProc = form->WindowProc();
  //   form->SetWindowProc([this](TMessage& m) { FormWndProc(m); });  // calls FOldWindowProc(m)
  //   ...
  //   form->SetWindowProc(std::move(FOldWindowProc));
  //
  // Hooks nest: whoever installed last must be the first to put back.
  const TWndMethod& WindowProc() const { return FWindowProc; }
  void SetWindowProc(TWndMethod proc);
  // The control's own handling; ends in DefaultHandler for what it does not handle.
  virtual void WndProc(TMessage& message);
  // The platform's handling (the superclassed control's procedure or DefWindowProc).
  virtual void DefaultHandler(TMessage& message);

  // The framework control that owns a window, or null for any other window.
  static TWinControl* FindControl(HWND window);

  void Loaded() override;

protected:
  struct TCreateParams {
    const wchar_t* ClassName = L"";      // the framework class's window class
    const wchar_t* BaseClassName = nullptr;  // system class superclassed, or null
    DWORD Style = 0;
    DWORD ExStyle = 0;
    UINT ClassStyle = CS_DBLCLKS;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND ParentWindow = nullptr;
  };
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  // After the window exists: applies what the platform keeps outside its creation styles.
  virtual void CreateWindowHandleDone();
  // After the aligned children were laid out (a form places what they leave free).
  virtual void AlignDone() {}
  void DestroyHandle();

  // A notification the parent received from this control (WM_COMMAND's code).
  virtual void CommandNotify(WORD /*code*/) {}
  // The brush (and text colours set on dc) for painting this control's background.
  virtual HBRUSH CtlColor(HDC dc);
  // Reads the text of the window (or the kept one before it exists).
  std::wstring FText;

private:
  friend class TForm;
  static LRESULT CALLBACK StaticWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  void ApplyFont();
  void UpdateChildFonts();
  void ChildBoundsChanged(TWinControl* child);

  HWND FHandle = nullptr;     // owned: destroyed with this object
  WNDPROC FDefWndProc = nullptr;
  TWinControl* FParent = nullptr;          // not owned
  std::vector<TWinControl*> FControls;     // not owned: children, in the order added
  TRect FBounds{0, 0, 0, 0};
  TColor FColor = clBtnFace;
  TFontDesc FFont;
  bool FParentFont = true;
  int FPixelsPerInch = 96;
  int FTabOrder = -1;
  bool FTabStop = false;
  bool FVisible = true;
  bool FEnabled = true;
  TAlign FAlign = TAlign::alNone;
  bool FAligning = false;  // laying out the children: their size changes do not start it again
  std::wstring FHint;
  bool FShowHint = false;
  TWndMethod FWindowProc;
};
