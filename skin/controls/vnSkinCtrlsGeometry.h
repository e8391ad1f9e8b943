#pragma once
// The portable rules of the skinned controls, apart from any window: how a control description
// lets a control grow (its sizing mode), the size and target geometry a control takes for a
// requested size, the geometry its mask region is cut with, and the up-down control's buttons
// (layout, hit test, which look each state shows, the position rules and the press / release /
// repeat state machine). The Win32 classes (vnSkinCtrls_win.h, vnSkinBoxCtrls_win.h) decode
// messages and call these, so painting, hit testing and the tests cannot disagree.
//
// Index: TvnSizingMode, vnSizingModeOf, vnCalcSkinSize, vnRegionGeometry; the up-down's
// vnLayoutUpDownButtons, vnPointInButton, vnButtonAt, vnUpDownSkinLookRect,
// TvnButtonLookChoice / vnResizeButtonLook, vnUpDownArrowKind, TvnUpDownRange,
// TvnUpDownButtons (state machine with its table below).
#include <array>

#include "framework/Geometry.h"
#include "framework/Graphics.h"
#include "skin/imaging/vnUtilsCompose.h"

// How a control description lets the control grow.
enum class TvnSizingMode : int {
  Empty = -1,       // the skin rectangle has no area: nothing is drawn from it
  Fixed = 0,        // the skin rectangle's size, always
  Both = 1,         // grows in both directions (four corner points)
  Horizontal = 2,   // three pieces along x (right-top point set, bottom points 0,0)
  Vertical = 3,     // three pieces along y (left-bottom point set)
};

// The growth class of a description's skin rectangle and corner points, in this order: no area,
// right-bottom point set on both axes, right-top point set, left-bottom point set, else fixed.
TvnSizingMode vnSizingModeOf(const TRect& skinRect, const TvnSkinPoints& points);

// The size a bound control takes for the requested width and height, and its target geometry.
// Fixed: the skin rectangle's size, target client = client. Horizontal: height held, the
// right-top point and the client's right move with the width. Vertical: width held, the
// left-bottom point and the client's bottom move with the height. Both: any size, the points
// shifted. Without a description, or with an empty skin rectangle, nothing changes (target
// included).
void vnCalcSkinSize(bool hasDescription, TvnSizingMode mode, const TRect& skinRect,
                    const TvnSkinPoints& source, int& width, int& height, TvnSkinPoints& target);

// The source and target geometry a mask region is built with for a W x H control. A control
// that grows in one direction only folds the other direction's points onto the first ones.
struct TvnRegionGeometry {
  TvnSkinPoints Source;
  TvnSkinPoints Target;
};
TvnRegionGeometry vnRegionGeometry(TvnSizingMode mode, const TRect& skinRect,
                                   const TvnSkinPoints& source, const TvnSkinPoints& target,
                                   int width, int height);

// ---- The up-down control ------------------------------------------------------------------

enum class TvnUDOrientation { udHorizontal, udVertical };

// Button 0 increases, button 1 decreases.
constexpr int vnUpButton = 0;
constexpr int vnDownButton = 1;

// The two button rectangles in control coordinates: the description's when the control is
// bound and uses the skin's size; otherwise halves of the control (vertical: increase on top;
// horizontal: decrease on the left).
std::array<TRect, 2> vnLayoutUpDownButtons(bool fromSkin, const TRect& upRect,
                                           const TRect& downRect, TvnUDOrientation orientation,
                                           int width, int height);

// A point on any side of the rectangle (right and bottom included) is inside.
constexpr bool vnPointInButton(const TRect& r, TPoint p) {
  return p.X >= r.Left && p.Y >= r.Top && p.X <= r.Right && p.Y <= r.Bottom;
}

// The first button whose rectangle holds the point, or -1.
int vnButtonAt(const std::array<TRect, 2>& buttons, TPoint p);

// The skin picture's rectangle a button shows over the control's own look: the pressed look
// when pressed and hot, the hot look when hot only, none (empty) otherwise. An empty pressed
// rectangle falls back to the hot one.
TRect vnUpDownSkinLookRect(bool hot, bool pressed, const TRect& hotRect, const TRect& pressedRect);

// Which look of the resizable button a state draws and in which arrow colour.
struct TvnButtonLookChoice {
  TRect Source;
  TColor ArrowColor = 0;
  bool Shifted = false;  // pressed and hot: the arrow moves 2 pixels right and down
};
struct TvnButtonLooks {
  TRect SkinRect, ActiveSkinRect, DownSkinRect;
  TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0;
};
TvnButtonLookChoice vnResizeButtonLook(bool hot, bool pressed, const TvnButtonLooks& looks);

// DrawArrow's kind for a button: increase points up (vertical) or right (horizontal),
// decrease down or left.
int vnUpDownArrowKind(int button, TvnUDOrientation orientation);

// Position, bounds and step. A position outside Min..Max is refused (not clamped); moving a
// bound past the position drags the position with it, without a change notice.
class TvnUpDownRange {
public:
  int Position() const { return FPosition; }
  int Min() const { return FMin; }
  int Max() const { return FMax; }
  // True when the value was taken (the caller then fires its change event).
  bool SetPosition(int value);
  void SetMin(int value);
  void SetMax(int value);

  int Increment = 1;

private:
  int FPosition = 0;
  int FMin = 0;
  int FMax = 100;
};

// What a mouse or timer event asks the window to do.
struct TvnUpDownEffects {
  bool Repaint = false;
  int StartTimer = 0;     // restart the repeat timer with this interval (ms); 0: leave it
  bool StopTimer = false;
  int Click = -1;         // the button whose click counts, or -1
  int Step = 0;           // +1 / -1: move the position one increment up / down
};

// The buttons' hover, press, release and repeat.
//
//   event                  | condition                               | effect
//   -----------------------+-----------------------------------------+-----------------------------
//   move to (x, y)         | hot button changes                      | old left, new entered
//   enter button b         | -                                       | b hot, other not; repaint
//                          | b pressed, stepping on                  | timer 50 ms
//   leave button b         | -                                       | b not hot; repaint
//                          | b pressed, stepping on                  | timer stops
//   press                  | a button hot                            | captured, pressed; repaint
//                          | stepping on                             | direction set, first tick, timer 500 ms
//   release                | a button captured                       | not pressed; repaint
//                          | it is still the hot button              | click (and a step when on)
//                          | stepping on                             | timer stops, no direction
//   timer                  | first tick                              | timer 100 ms
//                          | later ticks                             | one step in the direction
//   mouse enters control   | -                                       | no hot, no previous hot
//   mouse leaves control   | -                                       | same, every hot flag cleared
//
// While a button is captured the other one cannot become hot. "Stepping on" is Increment != 0.
class TvnUpDownButtons {
public:
  std::array<TRect, 2> Rects{};
  std::array<bool, 2> Hot{};
  std::array<bool, 2> Pressed{};
  int HotButton = -1;
  int PreviousHot = -1;
  int Captured = -1;
  int RepeatDirection = 0;  // 0 none, 1 decrease, 2 increase
  bool FirstTick = false;

  void HoverUpdate(TPoint p, bool stepping, TvnUpDownEffects& fx);
  void ButtonDown(TPoint p, bool stepping, TvnUpDownEffects& fx);
  void ButtonUp(bool stepping, TvnUpDownEffects& fx);
  void Tick(TvnUpDownEffects& fx);
  void MouseEnterControl();
  void MouseLeaveControl(TvnUpDownEffects& fx);

  static constexpr int FirstDelay = 500;
  static constexpr int RepeatDelay = 100;
  static constexpr int ReenterDelay = 50;

private:
  void Enter(int button, bool stepping, TvnUpDownEffects& fx);
  void Leave(int button, bool stepping, TvnUpDownEffects& fx);
};
