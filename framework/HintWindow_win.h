#pragma once
// THintWindow: the small popup the application shows a control's hint in. It is made hidden,
// never takes the activation, and is placed and shown by ActivateHint; derived classes (a
// skinned hint) replace how it is sized, painted and shaped.
#include "framework/Controls_win.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class THintWindow : public TWinControl {
public:
  explicit THintWindow(TComponent* owner);

  // Places the window at rect (screen coordinates), shows text in it and shows it on top
  // without activating it. A hint that would leave the screen is moved back onto it.
  virtual void ActivateHint(TRect rect, std::wstring_view text);
  // The size the text needs, as a rectangle at (0, 0); lines longer than maxWidth wrap.
  virtual TRect CalcHintRect(int maxWidth, std::wstring_view text);
  // Hides the window (it stays made, for the next hint).
  void HideHint();
  bool Showing() const;

protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  // Paints the whole window on dc (an off-screen bitmap of the window's size).
  virtual void Paint(HDC dc);
};

// Makes the hint window the application uses; the application owns what it returns.
using THintWindowClass = std::function<std::unique_ptr<THintWindow>()>;

// What the application is about to show, handed to its show-hint event to change.
struct THintInfo {
  TWinControl* HintControl = nullptr;  // not owned: the control under the mouse
  TPoint HintPos;                      // screen point of the hint's top-left corner
  int HintMaxWidth = 0;                // lines wrap past this width
  int HideTimeout = 0;                 // milliseconds until the shown hint hides
};
