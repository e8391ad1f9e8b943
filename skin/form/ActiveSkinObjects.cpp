#include "skin/form/ActiveSkinObjects.h"

#include "skin/imaging/vnUtilsCompose.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The offsets in [from, to) of a side of D target pixels whose nearest sample of a source side
// of S pixels starting at s0 lies inside [0, limit): one run, as the samples only grow.
std::pair<int, int> SampledInside(int s0, int S, int D, int limit, int from, int to) {
  auto sample = [&](int i) { return s0 + (2LL * i + 1) * S / (2LL * D); };
  while (from < to && sample(from) < 0) ++from;
  int last = from;
  while (last < to && sample(last) < limit) ++last;
  return {from, last};
}

}  // namespace

void CopyPictureRect(const TPixelBitmap& picture, const TRect& source, const TPixelView& target,
                     const TRect& dest) {
  const int sw = source.Width(), sh = source.Height();
  const int dw = dest.Width(), dh = dest.Height();
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0 || target.IsEmpty() || picture.IsEmpty()) return;
  const TPixelView from = ViewOf(picture);
  if (sw == dw && sh == dh) {
    CopyPixels(from, source.Left, source.Top, sw, sh, target, dest.Left, dest.Top);
    return;
  }
  // Only the target pixels inside the target whose sample lies in the picture are written: the
  // stretch goes through a view of the target cut to them, so its sampling stays that of the
  // whole rectangle.
  const auto [x0, x1] = SampledInside(source.Left, sw, dw, picture.Width(), std::max(0, -dest.Left),
                                      std::min(dw, target.Width - dest.Left));
  const auto [y0, y1] = SampledInside(source.Top, sh, dh, picture.Height(), std::max(0, -dest.Top),
                                      std::min(dh, target.Height - dest.Top));
  if (x0 >= x1 || y0 >= y1) return;
  const TPixelView cut{target.Pixel(dest.Left + x0, dest.Top + y0), x1 - x0, y1 - y0, target.Stride};
  StretchPixels(from, source, cut, dest.Offset(-(dest.Left + x0), -(dest.Top + y0)));
}

// ---- TvnActiveSkinObject --------------------------------------------------------------------

TvnActiveSkinObject::TvnActiveSkinObject(TvnFrameObjectHost& owner, TvnObjectKind kind)
    : FOwner(owner), FKind(kind) {}

bool TvnActiveSkinObject::NeedsMorphStep() const {
  return (ActiveLook && MorphFactor < 1) || (!ActiveLook && MorphFactor > 0);
}

bool TvnActiveSkinObject::MorphInProgress() const {
  return (ActiveLook && MorphFactor != 1) || (!ActiveLook && MorphFactor != 0);
}

void TvnActiveSkinObject::SetMorphFactor(double value) {
  if (!(value >= 0)) value = 0;
  if (value > 1) value = 1;
  MorphFactor = value;
}

void TvnActiveSkinObject::MorphStep() {
  double f = MorphFactor + (ActiveLook ? 0.2 : -0.2);
  // Keep the factor on its 0.2 grid: without this, five steps down from 1 stop a rounding
  // error above 0 and a sixth tick is needed.
  const double grid = std::round(f * 5) / 5;
  if (std::fabs(f - grid) < 1e-9) f = grid;
  SetMorphFactor(f);
  FOwner.RedrawObject(*this);
}

void TvnActiveSkinObject::ReDraw() {
  if (MorphEnabled) FOwner.StartMorphTimer();
  else FOwner.RedrawObject(*this);
}

TvnLook TvnActiveSkinObject::ChooseLook(bool repaintAlone) const {
  TvnLook look;
  if (ObjectEnabled && !FOwner.IsFormActive() && !IsZeroRect(InactiveRect)) {
    look.Kind = TvnLook::Copy;
    look.Picture = StatePicture;
    look.Source = InactiveRect;
  } else if (MorphEnabled && MorphInProgress()) {
    look.Kind = TvnLook::Morph;
    look.Picture = NormalPicture();
    look.Source = NormalRect;
    look.ActivePicture = StatePicture;
    look.ActiveSource = HotRect;
  } else if (ActiveLook && !IsZeroRect(HotRect)) {
    look.Kind = TvnLook::Copy;
    look.Picture = StatePicture;
    look.Source = HotRect;
  } else if (repaintAlone || NormalInStatePicture) {
    look.Kind = TvnLook::Copy;
    look.Picture = NormalPicture();
    look.Source = NormalRect;
  }
  // Otherwise the frame picture under the object already shows its normal look.
  return look;
}

void TvnActiveSkinObject::PaintLook(TvnFramePainter& canvas, const TvnLook& look) const {
  switch (look.Kind) {
    case TvnLook::None: break;
    case TvnLook::Copy:
      if (look.Picture != nullptr) canvas.DrawPicture(*look.Picture, look.Source, ObjectRect);
      break;
    case TvnLook::Morph:
      PaintMorph(canvas, look.Picture, look.Source, look.ActivePicture, look.ActiveSource);
      break;
  }
}

void TvnActiveSkinObject::PaintMorph(TvnFramePainter& canvas, const TPixelBitmap* normalPicture,
                                     const TRect& normalRect, const TPixelBitmap* activePicture,
                                     const TRect& activeRect) const {
  const int w = ObjectRect.Width(), h = ObjectRect.Height();
  if (w <= 0 || h <= 0) return;
  TPixelBitmap normal(w, h), active(w, h);
  if (normalPicture != nullptr) CopyPictureRect(*normalPicture, normalRect, normal, Rect(0, 0, w, h));
  if (activePicture != nullptr) CopyPictureRect(*activePicture, activeRect, active, Rect(0, 0, w, h));
  FOwner.Morph(normal, active, MorphMode, MorphFactor);
  canvas.DrawBitmap(normal, ObjectRect.Left, ObjectRect.Top);
}

void TvnActiveSkinObject::Draw(TvnFramePainter& canvas, bool repaintAlone) {
  PaintLook(canvas, ChooseLook(repaintAlone));
}

void TvnActiveSkinObject::MouseDown(int x, int y, TvnMouseButton button) {
  FOwner.FireMouseDown(IDName, x, y, ObjectRect, button);
}

void TvnActiveSkinObject::MouseUp(int x, int y, TvnMouseButton button) {
  if (MouseInside) FOwner.FireMouseUp(IDName, x, y, ObjectRect, button);
}

void TvnActiveSkinObject::MouseMove(int x, int y) {
  FOwner.FireMouseMove(IDName, x, y, ObjectRect);
}

void TvnActiveSkinObject::MouseEnter() {
  MouseInside = true;
  ActiveLook = true;
  if (!IsZeroRect(HotRect)) ReDraw();
  FOwner.FireMouseEnter(IDName);
}

void TvnActiveSkinObject::MouseLeave() {
  MouseInside = false;
  ActiveLook = false;
  if (!IsZeroRect(HotRect)) ReDraw();
  FOwner.FireMouseLeave(IDName);
}

// ---- TvnUserObject --------------------------------------------------------------------------

void TvnUserObject::Draw(TvnFramePainter& canvas, bool) {
  OwnerForm().FirePaintEvent(IDName, canvas, ObjectRect);
}

// ---- commands -------------------------------------------------------------------------------

void RunFrameCommand(TvnFrameObjectHost& host, TvnSkinCommand command) {
  switch (command) {
    case cmClose: host.CloseWindow(); break;
    case cmMaximize:
      host.ChangeWindowState(host.WindowState() == wsMaximized ? wsNormal : wsMaximized);
      break;
    case cmMinimize:
      if (host.AlwaysMinimizeToTray()) host.HideToTray();
      else host.ChangeWindowState(host.WindowState() == wsMinimized ? wsNormal : wsMinimized);
      break;
    case cmRollUp: host.SetRollUp(!host.RolledUp()); break;
    case cmMinimizeToTray: host.HideToTray(); break;
    case cmSysMenu:
    case cmDefault: break;  // menus: the object opens them itself
  }
}

// ---- TvnSkinAnimateObject -------------------------------------------------------------------

TRect TvnSkinAnimateObject::FrameRect(int n) const {
  // In 64 bits: a wide frame times a long strip must not overflow; a frame beyond any picture
  // simply draws nothing.
  const long long w = NormalRect.Width(), h = NormalRect.Height();
  auto clamp = [](long long v) { return static_cast<int>(std::clamp<long long>(v, -(1LL << 30), 1LL << 30)); };
  return Rect(clamp(HotRect.Left + w * (n - 1)), HotRect.Top, clamp(HotRect.Left + w * n),
              clamp(HotRect.Top + h));
}

void TvnSkinAnimateObject::Draw(TvnFramePainter& canvas, bool) {
  // Always painted: frame 1 is the normal look, and it lies in the strip, not in the frame.
  if (StatePicture != nullptr) canvas.DrawPicture(*StatePicture, FrameRect(CurrentFrame), ObjectRect);
}

void TvnSkinAnimateObject::DblClick() {
  if (Command == cmSysMenu) OwnerForm().CloseWindow();
}

void TvnSkinAnimateObject::MouseEnter() {
  MouseInside = true;
  if (ActsAsButton) {
    ActiveLook = true;
    Forward = true;
    OwnerForm().StartAnimationTimer();
  }
  OwnerForm().FireMouseEnter(IDName);
}

void TvnSkinAnimateObject::MouseLeave() {
  if (!MouseInside) return;
  MouseInside = false;
  if (ActsAsButton) {
    // Still "active": the animation keeps running, now backward to frame 1.
    ActiveLook = true;
    Forward = false;
    OwnerForm().StartAnimationTimer();
  }
  OwnerForm().FireMouseLeave(IDName);
}

void TvnSkinAnimateObject::SetFrame(int value) {
  if (Forward) CurrentFrame = value > FrameCount ? 1 : value;
  else CurrentFrame = value <= 0 ? FrameCount : value;
  OwnerForm().RedrawObject(*this);
}

void TvnSkinAnimateObject::StepAnimation() {
  if (ElapsedMs < FrameInterval) {
    ElapsedMs += 25;
    return;
  }
  if (Forward) {
    SetFrame(CurrentFrame + 1);
    if (!Cyclic && CurrentFrame == FrameCount) ActiveLook = false;
  } else {
    SetFrame(CurrentFrame - 1);
    if (CurrentFrame == 1) ActiveLook = false;
  }
  ElapsedMs = 25;
}

void TvnSkinAnimateObject::MouseUp(int x, int y, TvnMouseButton button) {
  TvnActiveSkinObject::MouseUp(x, y, button);
  if (MouseInside && ActsAsButton && ObjectEnabled && button == TvnMouseButton::Left) DoCommand();
}

void TvnSkinAnimateObject::DoCommand() {
  TvnFrameObjectHost& host = OwnerForm();
  switch (Command) {
    case cmSysMenu:
      PopupItem = host.GetSystemMenuItems();
      host.PopupObjectMenu(*this, PopupItem, PopupUpward);
      break;
    case cmDefault:
      if (PopupItem != nullptr) host.PopupObjectMenu(*this, PopupItem, PopupUpward);
      break;
    default: RunFrameCommand(host, Command); break;
  }
}

// ---- TvnSkinButtonObject --------------------------------------------------------------------

bool TvnSkinButtonObject::NeedsMorphStep() const {
  if (MenuOpen()) return false;
  return TvnActiveSkinObject::NeedsMorphStep();
}

TvnLook TvnSkinButtonObject::ChooseButtonLook(bool repaintAlone) const {
  if (!ObjectEnabled && !IsZeroRect(DisabledRect))
    return {TvnLook::Copy, StatePicture, DisabledRect, nullptr, {}};
  if (IsDown && !IsZeroRect(PressedRect) && MouseInside)
    return {TvnLook::Copy, StatePicture, PressedRect, nullptr, {}};
  return ChooseLook(repaintAlone);
}

void TvnSkinButtonObject::Draw(TvnFramePainter& canvas, bool repaintAlone) {
  PaintLook(canvas, ChooseButtonLook(repaintAlone));
}

void TvnSkinButtonObject::SetDown(bool value) {
  IsDown = value;
  if (MorphEnabled && ActiveLook) SetMorphFactor(1);
  OwnerForm().RedrawObject(*this);
  if (MorphEnabled && !IsDown) ReDraw();
}

void TvnSkinButtonObject::MouseDown(int x, int y, TvnMouseButton button) {
  if (!ObjectEnabled) return;
  if (button == TvnMouseButton::Left && !IsDown) {
    SetDown(true);
    if (PopupItem != nullptr) OwnerForm().PopupObjectMenu(*this, PopupItem, PopupUpward);
  }
  TvnActiveSkinObject::MouseDown(x, y, button);
}

void TvnSkinButtonObject::MouseUp(int x, int y, TvnMouseButton button) {
  if (!ObjectEnabled) return;
  if (button == TvnMouseButton::Left && PopupItem == nullptr && IsDown) SetDown(false);
  TvnActiveSkinObject::MouseUp(x, y, button);
}

void TvnSkinButtonObject::MouseEnter() {
  MouseInside = true;
  ActiveLook = true;
  if (!IsZeroRect(PressedRect) && IsDown) {
    if (MorphEnabled) MorphFactor = 1;
    OwnerForm().RedrawObject(*this);
  } else if (!IsZeroRect(HotRect)) {
    ReDraw();
  }
  OwnerForm().FireMouseEnter(IDName);
}

void TvnSkinButtonObject::MouseLeave() {
  MouseInside = false;
  ActiveLook = false;
  if (!MenuOpen()) {
    OwnerForm().RedrawObject(*this);
    ReDraw();
  }
  OwnerForm().FireMouseLeave(IDName);
}

// ---- TvnSkinStdButtonObject -----------------------------------------------------------------

bool TvnSkinStdButtonObject::ShowsFormIcon() const {
  return Command == cmSysMenu && OwnerForm().ShowIcon() && NormalInStatePicture;
}

bool TvnSkinStdButtonObject::NeedsMorphStep() const {
  if (ShowsFormIcon()) return false;
  return TvnSkinButtonObject::NeedsMorphStep();
}

bool TvnSkinStdButtonObject::InRestoreState() const {
  const TvnFrameObjectHost& host = OwnerForm();
  return (Command == cmMaximize && host.WindowState() == wsMaximized) ||
         (Command == cmMinimize && host.WindowState() == wsMinimized) ||
         (Command == cmRollUp && host.RolledUp());
}

void TvnSkinStdButtonObject::Draw(TvnFramePainter& canvas, bool repaintAlone) {
  TvnFrameObjectHost& host = OwnerForm();
  if (!FromSkin) {
    DrawDefaultLook(canvas);
    return;
  }
  if (!ObjectEnabled || (!host.IsFormActive() && !IsZeroRect(InactiveRect))) {
    TvnSkinButtonObject::Draw(canvas, repaintAlone);
    return;
  }
  if (ShowsFormIcon()) {
    host.DrawFormIcon(canvas, ObjectRect.Left, ObjectRect.Top);
    MorphFactor = 0;
    return;
  }
  if (InRestoreState() && !IsZeroRect(RestoreNormalRect)) {
    TRect source = RestoreNormalRect;
    if (!host.IsFormActive() && !IsZeroRect(RestoreInactiveRect)) {
      source = RestoreInactiveRect;
    } else if (IsDown && !IsZeroRect(RestorePressedRect) && MouseInside) {
      source = RestorePressedRect;
    } else if (MorphEnabled && MorphInProgress()) {
      PaintMorph(canvas, StatePicture, RestoreNormalRect, StatePicture, RestoreHotRect);
      return;
    } else if (ActiveLook && !IsZeroRect(RestoreHotRect)) {
      source = RestoreHotRect;
    }
    if (StatePicture != nullptr) canvas.DrawPicture(*StatePicture, source, ObjectRect);
    return;
  }
  TvnSkinButtonObject::Draw(canvas, repaintAlone);
}

void TvnSkinStdButtonObject::DrawDefaultLook(TvnFramePainter& canvas) const {
  TvnFrameObjectHost& host = OwnerForm();
  if (Command == cmSysMenu && host.ShowIcon()) {
    host.DrawFormIcon(canvas, ObjectRect.Left, ObjectRect.Top);
    return;
  }
  const int w = ObjectRect.Width(), h = ObjectRect.Height();
  if (w <= 0 || h <= 0) return;
  TPixelBitmap bitmap(w, h);
  {
    std::unique_ptr<TvnFramePainter> p = canvas.PainterOn(bitmap);
    const TRect all = Rect(0, 0, w, h);
    const bool pressed = IsDown && MouseInside;
    if (pressed || MouseInside) {
      p->FillRect(all, pressed ? TColor{0xB59385} : TColor{0xD2BDB6});
      p->FrameRect(all, TColor{0x800000});
    } else {
      p->FillRect(all, clBtnFace);
    }
    int gx = w / 2 - 5, gy = h / 2 - 4;
    if (pressed) ++gx, ++gy;
    const TColor colour = ObjectEnabled ? clBtnText : clBtnShadow;
    const TvnWindowState state = host.WindowState();
    switch (Command) {
      case cmClose: p->DrawGlyph(TvnGlyph::Close, gx, gy, colour); break;
      case cmMaximize:
        p->DrawGlyph(state == wsMaximized ? TvnGlyph::Restore : TvnGlyph::Maximize, gx, gy, colour);
        break;
      case cmMinimize:
        p->DrawGlyph(state == wsMinimized ? TvnGlyph::Restore : TvnGlyph::Minimize, gx, gy, colour);
        break;
      case cmSysMenu: p->DrawGlyph(TvnGlyph::SysMenu, gx, gy, colour); break;
      case cmRollUp:
        p->DrawGlyph(host.RolledUp() ? TvnGlyph::RollDown : TvnGlyph::RollUp, gx, gy, colour);
        break;
      case cmMinimizeToTray: p->DrawGlyph(TvnGlyph::Tray, gx, gy, colour); break;
      case cmDefault: break;
    }
  }
  canvas.DrawBitmap(bitmap, ObjectRect.Left, ObjectRect.Top);
}

void TvnSkinStdButtonObject::MouseDown(int, int, TvnMouseButton button) {
  if (!ObjectEnabled || button != TvnMouseButton::Left || IsDown) return;
  SetDown(true);
  if (Command == cmSysMenu) {
    PopupItem = OwnerForm().GetSystemMenuItems();
    OwnerForm().PopupObjectMenu(*this, PopupItem, PopupUpward);
  }
}

void TvnSkinStdButtonObject::MouseUp(int x, int y, TvnMouseButton button) {
  const bool click = button == TvnMouseButton::Left;
  if (Command == cmClose) {
    // Release first, then close: nothing of this object is touched after the close.
    TvnSkinButtonObject::MouseUp(x, y, button);
    if (click && ActiveLook && ObjectEnabled) OwnerForm().CloseWindow();
    return;
  }
  // A disabled button's command is one the border icons do not allow: it never runs.
  if (click && ActiveLook && ObjectEnabled) DoCommand();
  TvnSkinButtonObject::MouseUp(x, y, button);
}

void TvnSkinStdButtonObject::DblClick() {
  if (Command == cmSysMenu) OwnerForm().CloseWindow();
}

void TvnSkinStdButtonObject::DoCommand() { RunFrameCommand(OwnerForm(), Command); }
