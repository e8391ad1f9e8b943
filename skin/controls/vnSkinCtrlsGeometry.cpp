#include "skin/controls/vnSkinCtrlsGeometry.h"

TvnSizingMode vnSizingModeOf(const TRect& skinRect, const TvnSkinPoints& p) {
  if (skinRect.Width() < 1 || skinRect.Height() < 1) return TvnSizingMode::Empty;
  if (p.RB.X != 0 && p.RB.Y != 0) return TvnSizingMode::Both;
  if (p.RT.X != 0 || p.RT.Y != 0) return TvnSizingMode::Horizontal;
  if (p.LB.X != 0 || p.LB.Y != 0) return TvnSizingMode::Vertical;
  return TvnSizingMode::Fixed;
}

void vnCalcSkinSize(bool hasDescription, TvnSizingMode mode, const TRect& skinRect,
                    const TvnSkinPoints& source, int& width, int& height, TvnSkinPoints& target) {
  if (!hasDescription) return;
  const int SW = skinRect.Width(), SH = skinRect.Height();
  switch (mode) {
    case TvnSizingMode::Both:
      target = ShiftSkinPoints(source, SW, SH, width, height);
      break;
    case TvnSizingMode::Horizontal: {
      height = SH;
      const int dx = width - SW;
      target.LT = source.LT;
      target.RT = {source.RT.X + dx, source.RT.Y};
      target.Cl = source.Cl;
      target.Cl.Right += dx;
      break;
    }
    case TvnSizingMode::Vertical: {
      width = SW;
      const int dy = height - SH;
      target.LT = source.LT;
      target.LB = {source.LB.X, source.LB.Y + dy};
      target.Cl = source.Cl;
      target.Cl.Bottom += dy;
      break;
    }
    case TvnSizingMode::Fixed:
      width = SW;
      height = SH;
      target.Cl = source.Cl;
      break;
    case TvnSizingMode::Empty:
      break;
  }
}

TvnRegionGeometry vnRegionGeometry(TvnSizingMode mode, const TRect& skinRect,
                                   const TvnSkinPoints& source, const TvnSkinPoints& target,
                                   int width, int height) {
  TvnRegionGeometry g{source, target};
  const int SW = skinRect.Width(), SH = skinRect.Height();
  if (mode == TvnSizingMode::Horizontal) {
    g.Source.LB = source.LT;
    g.Source.RB = source.RT;
    g.Target.LT = g.Target.LB = source.LT;
    g.Target.RT = g.Target.RB = {width - (SW - source.RT.X), source.RT.Y};
  } else if (mode == TvnSizingMode::Vertical) {
    g.Source.RT = source.LT;
    g.Source.RB = source.LB;
    g.Target.LT = g.Target.RT = source.LT;
    g.Target.LB = g.Target.RB = {source.LB.X, height - (SH - source.LB.Y)};
  }
  return g;
}

std::array<TRect, 2> vnLayoutUpDownButtons(bool fromSkin, const TRect& upRect,
                                           const TRect& downRect, TvnUDOrientation orientation,
                                           int width, int height) {
  if (fromSkin) return {upRect, downRect};
  if (orientation == TvnUDOrientation::udVertical)
    return {Rect(0, 0, width, height / 2), Rect(0, height / 2, width, height)};
  return {Rect(width / 2, 0, width, height), Rect(0, 0, width / 2, height)};
}

int vnButtonAt(const std::array<TRect, 2>& buttons, TPoint p) {
  for (int i = 0; i < 2; ++i)
    if (vnPointInButton(buttons[static_cast<std::size_t>(i)], p)) return i;
  return -1;
}

TRect vnUpDownSkinLookRect(bool hot, bool pressed, const TRect& hotRect, const TRect& pressedRect) {
  if (pressed && hot) return pressedRect.IsEmpty() ? hotRect : pressedRect;
  if (hot) return hotRect;
  return {};
}

TvnButtonLookChoice vnResizeButtonLook(bool hot, bool pressed, const TvnButtonLooks& looks) {
  if (pressed && hot) {
    const TRect& r = !looks.DownSkinRect.IsEmpty()     ? looks.DownSkinRect
                     : !looks.ActiveSkinRect.IsEmpty() ? looks.ActiveSkinRect
                                                       : looks.SkinRect;
    return {r, looks.DownFontColor, true};
  }
  if (hot) return {looks.ActiveSkinRect.IsEmpty() ? looks.SkinRect : looks.ActiveSkinRect, looks.ActiveFontColor, false};
  return {looks.SkinRect, looks.FontColor, false};
}

int vnUpDownArrowKind(int button, TvnUDOrientation orientation) {
  const bool vertical = orientation == TvnUDOrientation::udVertical;
  if (button == vnUpButton) return vertical ? 3 : 2;
  return vertical ? 4 : 1;
}

bool TvnUpDownRange::SetPosition(int value) {
  if (value < FMin || value > FMax) return false;
  FPosition = value;
  return true;
}

void TvnUpDownRange::SetMin(int value) {
  FMin = value;
  if (FPosition < FMin) FPosition = FMin;
}

void TvnUpDownRange::SetMax(int value) {
  FMax = value;
  if (FPosition > FMax) FPosition = FMax;
}

void TvnUpDownButtons::Enter(int button, bool stepping, TvnUpDownEffects& fx) {
  const auto b = static_cast<std::size_t>(button);
  Hot[1 - b] = false;
  Hot[b] = true;
  fx.Repaint = true;
  if (stepping && Pressed[b]) fx.StartTimer = ReenterDelay;
}

void TvnUpDownButtons::Leave(int button, bool stepping, TvnUpDownEffects& fx) {
  const auto b = static_cast<std::size_t>(button);
  Hot[b] = false;
  fx.Repaint = true;
  if (stepping && Pressed[b]) {
    fx.StopTimer = true;
    fx.StartTimer = 0;
  }
}

void TvnUpDownButtons::HoverUpdate(TPoint p, bool stepping, TvnUpDownEffects& fx) {
  int hot = vnButtonAt(Rects, p);
  if (Captured != -1 && hot != Captured) hot = -1;
  if (hot == HotButton) return;
  PreviousHot = HotButton;
  HotButton = hot;
  if (PreviousHot != -1) Leave(PreviousHot, stepping, fx);
  if (HotButton != -1) Enter(HotButton, stepping, fx);
}

void TvnUpDownButtons::ButtonDown(TPoint p, bool stepping, TvnUpDownEffects& fx) {
  HoverUpdate(p, stepping, fx);
  if (HotButton == -1) return;
  const auto b = static_cast<std::size_t>(HotButton);
  Hot[1 - b] = false;
  Captured = HotButton;
  Hot[b] = true;
  Pressed[b] = true;
  fx.Repaint = true;
  if (stepping) {
    RepeatDirection = HotButton == vnUpButton ? 2 : 1;
    FirstTick = true;
    fx.StopTimer = false;
    fx.StartTimer = FirstDelay;
  }
}

void TvnUpDownButtons::ButtonUp(bool stepping, TvnUpDownEffects& fx) {
  if (Captured == -1) return;
  const int button = Captured;
  const auto b = static_cast<std::size_t>(button);
  Captured = -1;
  Pressed[b] = false;
  if (HotButton != button) Hot[b] = false;
  fx.Repaint = true;
  if (HotButton == button) {
    fx.Click = button;
    if (stepping) fx.Step = button == vnUpButton ? 1 : -1;
  }
  if (stepping) {
    fx.StopTimer = true;
    fx.StartTimer = 0;
    RepeatDirection = 0;
  }
}

void TvnUpDownButtons::Tick(TvnUpDownEffects& fx) {
  if (FirstTick) {
    FirstTick = false;
    fx.StartTimer = RepeatDelay;
    return;
  }
  if (RepeatDirection == 2) fx.Step = 1;
  else if (RepeatDirection == 1) fx.Step = -1;
}

void TvnUpDownButtons::MouseEnterControl() {
  HotButton = -1;
  PreviousHot = -1;
}

void TvnUpDownButtons::MouseLeaveControl(TvnUpDownEffects& fx) {
  HotButton = -1;
  PreviousHot = -1;
  for (bool& hot : Hot)
    if (hot) {
      hot = false;
      fx.Repaint = true;
    }
}
