#include "skin/form/FrameObjectList.h"

#include <algorithm>

using enum TvnBorderIcon;  // portable files see no other border icons

std::optional<TvnSkinCommand> ObjectCommand(const TvnActiveSkinObject& object) {
  switch (object.Kind()) {
    case TvnObjectKind::StdButton:
      return static_cast<const TvnSkinStdButtonObject&>(object).Command;
    case TvnObjectKind::Animate:
      return static_cast<const TvnSkinAnimateObject&>(object).Command;
    default: return std::nullopt;
  }
}

TvnActiveSkinObject* TvnFrameObjectList::At(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return FObjects[static_cast<std::size_t>(index)].get();
}

void TvnFrameObjectList::Clear() {
  ResetIndices();
  FObjects.clear();
}

int TvnFrameObjectList::ObjectAt(TPoint p) const {
  for (int i = 0; i < Count(); ++i) {
    const TvnActiveSkinObject& o = *FObjects[static_cast<std::size_t>(i)];
    if (o.ObjectEnabled && o.ObjectVisible && o.ObjectRect.Contains(p)) return i;
  }
  return -1;
}

void TvnFrameObjectList::TrackActiveObject(TPoint p, bool hover, bool formActive) {
  if (FObjects.empty() || !formActive) return;
  const int previous = FActive;
  int active = hover ? ObjectAt(p) : -1;
  // While a button holds the mouse, no other object becomes the hot one.
  if (FCaptured >= 0 && active != FCaptured) active = -1;
  if (active >= Count()) active = -1;
  FPreviousActive = previous;
  FActive = active;
  if (previous == active) return;
  if (TvnActiveSkinObject* old = At(previous); old != nullptr && old->ObjectEnabled && old->ObjectVisible)
    old->MouseLeave();
  if (TvnActiveSkinObject* now = At(active); now != nullptr && now->ObjectEnabled && now->ObjectVisible)
    now->MouseEnter();
}

void TvnFrameObjectList::MouseDown(TPoint p, TvnMouseButton button, const TvnMouseCapture& capture) {
  TvnActiveSkinObject* object = At(FActive);
  if (object == nullptr) return;
  // A caption never takes the capture, so that a press on it can start the system's move loop.
  if (object->Kind() != TvnObjectKind::Caption && capture.SetCapture) capture.SetCapture();
  FCaptured = FActive;
  object->MouseDown(p.X, p.Y, button);
}

void TvnFrameObjectList::MouseUp(TPoint p, TvnMouseButton button, const TvnMouseCapture& capture) {
  TvnActiveSkinObject* object = At(FCaptured);
  if (object == nullptr) return;
  if (object->Kind() != TvnObjectKind::Caption && capture.ReleaseCapture) capture.ReleaseCapture();
  // Forget the capture before the object runs its command, which may re-enter the form.
  FCaptured = -1;
  object->MouseUp(p.X, p.Y, button);
}

void TvnFrameObjectList::Release(TPoint where, TPoint p, TvnMouseButton button,
                                 const TvnMouseCapture& capture) {
  if (At(FCaptured) == nullptr) return;
  TrackActiveObject(where, true, true);
  MouseUp(p, button, capture);
}

TvnSkinButtonObject* TvnFrameObjectList::ReleaseMenuButton() {
  for (auto& o : FObjects) {
    if (o->Kind() != TvnObjectKind::Button && o->Kind() != TvnObjectKind::StdButton) continue;
    auto& button = static_cast<TvnSkinButtonObject&>(*o);
    if (!button.MenuOpen()) continue;
    button.SetDown(false);
    return &button;
  }
  return nullptr;
}

void TvnFrameObjectList::MouseMove(TPoint p) {
  TvnActiveSkinObject* object = At(FCaptured);
  if (object == nullptr) object = At(FActive);
  if (object != nullptr) object->MouseMove(p.X, p.Y);
}

void TvnFrameObjectList::DblClick() {
  if (TvnActiveSkinObject* object = At(FActive)) object->DblClick();
}

bool TvnFrameObjectList::MorphTick() {
  bool stepped = false;
  for (auto& o : FObjects) {
    if (o->MorphEnabled && o->NeedsMorphStep()) {
      o->MorphStep();
      stepped = true;
    }
  }
  return stepped;
}

bool TvnFrameObjectList::AnimationTick() {
  bool stepped = false;
  for (auto& o : FObjects) {
    if (o->Kind() == TvnObjectKind::Animate && o->ActiveLook) {
      static_cast<TvnSkinAnimateObject&>(*o).StepAnimation();
      stepped = true;
    }
  }
  return stepped;
}

void TvnFrameObjectList::ResetObjectStates() {
  for (auto& o : FObjects) {
    if (o->Kind() == TvnObjectKind::Animate) {
      o->MouseInside = false;
      o->ActiveLook = false;
      static_cast<TvnSkinAnimateObject&>(*o).CurrentFrame = 1;
    } else if (o->Kind() != TvnObjectKind::Caption) {
      o->ActiveLook = false;
      o->MouseInside = false;
      o->MorphFactor = 0;
    }
  }
}

TvnSkinCaptionObject* TvnFrameObjectList::UpdateCaptionActivity(bool active, bool repaint) {
  for (auto& o : FObjects) {
    if (o->Kind() != TvnObjectKind::Caption || o->ActiveLook == active) continue;
    o->ActiveLook = active;
    if (!repaint && o->MorphEnabled) o->MorphFactor = active ? 1.0 : 0.0;
    return static_cast<TvnSkinCaptionObject*>(o.get());
  }
  return nullptr;
}

std::vector<TRect> TvnFrameObjectList::CaptionRects() const {
  std::vector<TRect> rects;
  for (const auto& o : FObjects)
    if (o->Kind() == TvnObjectKind::Caption) rects.push_back(o->ObjectRect);
  return rects;
}

TvnSkinCaptionObject* TvnFrameObjectList::FirstCaption() const {
  for (const auto& o : FObjects)
    if (o->Kind() == TvnObjectKind::Caption) return static_cast<TvnSkinCaptionObject*>(o.get());
  return nullptr;
}

namespace {

constexpr TvnSkinCommand kRowOrder[] = {cmClose, cmMaximize, cmMinimize, cmRollUp,
                                        cmMinimizeToTray};

}  // namespace

void TvnFrameObjectList::LayoutObjects(const TvnFrameSkin& skin, const TvnFrameGeometry& g,
                                       bool showIcon, TPoint smallIconSize) {
  for (auto& o : FObjects)
    if (!o->NormalInStatePicture) o->ObjectRect = MapSkinRect(skin, g, o->NormalRect);

  const TRect area = !g.Buttons.IsEmpty() ? g.Buttons : g.Caption;
  if (area.IsEmpty()) return;
  const bool shareCaption = g.Buttons.IsEmpty();
  const int top = area.Top;
  const int offset = g.ButtonsOffset;
  int x = g.ButtonsInLeft ? area.Left : area.Right;

  // Buttons drawn from their own picture, laid out in a row; those drawn from the frame
  // picture stay where MapSkinRect put them.
  auto isCandidate = [](const TvnActiveSkinObject& o) {
    return (o.Kind() == TvnObjectKind::StdButton || o.Kind() == TvnObjectKind::Animate) &&
           o.ObjectVisible && o.NormalInStatePicture;
  };
  auto buttonFor = [&](TvnSkinCommand command) -> TvnActiveSkinObject* {
    for (auto& o : FObjects)
      if (isCandidate(*o) && ObjectCommand(*o) == command) return o.get();
    return nullptr;
  };
  auto sizeOf = [&](const TvnActiveSkinObject& o) -> TPoint {
    if (o.Kind() == TvnObjectKind::StdButton && ObjectCommand(o) == cmSysMenu && showIcon)
      return smallIconSize;
    return {o.NormalRect.Width(), o.NormalRect.Height()};
  };

  std::vector<TvnActiveSkinObject*> row;
  for (TvnSkinCommand command : kRowOrder)
    if (TvnActiveSkinObject* o = buttonFor(command)) row.push_back(o);
  for (auto& o : FObjects)
    if (isCandidate(*o) && ObjectCommand(*o) == cmDefault) row.push_back(o.get());

  TvnSkinCaptionObject* caption = FirstCaption();
  TvnActiveSkinObject* sysMenu = buttonFor(cmSysMenu);
  if (!g.ButtonsInLeft) {
    for (TvnActiveSkinObject* o : row) {
      const TPoint s = sizeOf(*o);
      o->ObjectRect = Rect(x - s.X, top, x, top + s.Y);
      x -= s.X + offset;
    }
    if (shareCaption) {
      if (caption != nullptr) caption->ObjectRect.Right = x + offset;
      if (sysMenu != nullptr) {
        const TPoint s = sizeOf(*sysMenu);
        x = g.Caption.Left;
        const int t = g.Caption.Top + g.Caption.Height() / 2 - s.Y / 2;
        sysMenu->ObjectRect = Rect(x, t, x + s.X, t + s.Y);
        x += s.X + offset;
        if (caption != nullptr) caption->ObjectRect.Left = x - offset;
      }
    }
  } else {
    if (shareCaption && sysMenu != nullptr) row.push_back(sysMenu);
    for (TvnActiveSkinObject* o : row) {
      const TPoint s = sizeOf(*o);
      o->ObjectRect = Rect(x, top, x + s.X, top + s.Y);
      x += s.X + offset;
    }
    if (shareCaption && caption != nullptr) caption->ObjectRect.Left = x + offset;
  }
}

TRect TvnFrameObjectList::LayoutDefaultButtons(int width, int captionHeight, int buttonSize,
                                               bool showIcon, TPoint smallIconSize) {
  int x = width - 3;
  TRect caption = Rect(3, 3, x, captionHeight);
  if (FObjects.empty()) return caption;
  auto buttonFor = [&](TvnSkinCommand command) -> TvnActiveSkinObject* {
    for (auto& o : FObjects)
      if (o->Kind() == TvnObjectKind::StdButton && o->ObjectVisible && o->NormalInStatePicture &&
          ObjectCommand(*o) == command)
        return o.get();
    return nullptr;
  };
  for (TvnSkinCommand command : kRowOrder) {
    if (TvnActiveSkinObject* o = buttonFor(command)) {
      o->ObjectRect = Rect(x - buttonSize, 4, x, 4 + buttonSize);
      x -= buttonSize;
    }
  }
  caption.Right = x;
  if (TvnActiveSkinObject* o = buttonFor(cmSysMenu)) {
    const TPoint s = showIcon ? smallIconSize : TPoint{buttonSize, buttonSize};
    o->ObjectRect = Rect(3, 4, 3 + s.X, 4 + s.Y);
    caption.Left = 3 + s.X;
  }
  return caption;
}

void TvnFrameObjectList::UpdateButtonsVisibility(
    TvnBorderIcons icons, bool hideCaptionButtons,
    const std::function<void(const std::string&, bool&)>& activateCustom) {
  for (auto& o : FObjects) {
    const bool isStd = o->Kind() == TvnObjectKind::StdButton;
    const bool isAnimate = o->Kind() == TvnObjectKind::Animate;
    if (hideCaptionButtons) {
      if (!isStd && !isAnimate) continue;
      // A button whose normal look is part of the frame picture stays visible but inert.
      o->ObjectEnabled = false;
      o->ObjectVisible = !o->NormalInStatePicture;
      continue;
    }
    if (!isStd && !(isAnimate && static_cast<TvnSkinAnimateObject&>(*o).ActsAsButton)) continue;
    const TvnSkinCommand command = *ObjectCommand(*o);
    if (command == cmDefault) {
      bool visible = false;
      if (activateCustom) activateCustom(o->IDName, visible);
      o->ObjectVisible = visible;
    } else if (std::optional<TvnBorderIcon> icon = GoverningIcon(command);
               icon && !icons.Contains(*icon)) {
      o->ObjectEnabled = false;
      o->ObjectVisible = !o->NormalInStatePicture;
    }
  }
}
