#pragma once
// TCustomControl: a windowed control that paints itself. Its window class has no background
// brush; WM_PAINT hands a canvas over the paint DC to the virtual Paint, background erasing is
// swallowed when asked (a control that paints every pixel itself, as the skinned ones do), and
// the mouse entering and leaving the window is reported through MouseEnter / MouseLeave (the
// leave is asked of the platform with TrackMouseEvent at the first move inside).
#include "framework/Canvas_win.h"
#include "framework/Controls_win.h"

class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* owner);

  // True: WM_ERASEBKGND is answered "erased" without drawing.
  bool SwallowEraseBackground() const { return FSwallowErase; }
  void SetSwallowEraseBackground(bool value) { FSwallowErase = value; }

  // Marks the whole window for painting (no erase); Repaint also paints it now.
  void Invalidate();
  void Repaint();

  // True between MouseEnter and MouseLeave.
  bool MouseInControl() const { return FMouseInControl; }

protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;

  // Draws the whole client area on the canvas (a paint DC, clipped to what needs painting).
  virtual void Paint(TCanvas& canvas);
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}

private:
  bool FSwallowErase = false;
  bool FMouseInControl = false;
};
