#include "skin/controls/vnSkinBoxCtrls_win.h"

#include "framework/ClassRegistry.h"
#include "framework/CodePage.h"
#include "framework/FrameworkClasses_win.h"
#include "framework/GdiCache_win.h"
#include "skin/controls/vnResizeButtonSkin.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataControls.h"
#include "skin/imaging/vnDibSurface_win.h"
#include "skin/imaging/vnUtilsCompose.h"
#include "skin/imaging/vnUtilsDraw_win.h"

#include <windowsx.h>

#include <stdexcept>
#include <utility>

namespace {

constexpr TColor kNavy = 0x800000;          // red 0, green 0, blue 128
constexpr TColor kPressedFill = 0xB59385;   // (133, 147, 181)
constexpr TColor kHotFill = 0xD2BDB6;       // (182, 189, 210)

void FillAndFrame(HDC dc, const TRect& r, TColor fill, TColor frame) {
  TCanvas canvas(dc);
  canvas.FillRect(r, fill);
  canvas.FrameRect(r, frame);
}

}  // namespace

TvnSkinUpDown::TvnSkinUpDown(TComponent* owner) : TvnSkinCustomControl(owner) {
  SetSkinDataName("hupdown");
  SetBounds(Left(), Top(), 50, 25);
}

TvnSkinUpDown::~TvnSkinUpDown() {
  if (HWND window = HandleIfAllocated()) ::KillTimer(window, RepeatTimerID);
}

void TvnSkinUpDown::SetUseSkinSize(bool value) {
  if (FUseSkinSize == value) return;
  FUseSkinSize = value;
  ApplySkinChange();
}

void TvnSkinUpDown::SetOrientation(TvnUDOrientation value) {
  FOrientation = value;
  if (ComponentState().Designing && !ComponentState().Loading)
    SetSkinDataName(value == TvnUDOrientation::udVertical ? "vupdown" : "hupdown");
  LayoutButtons();
  Repaint();
}

void TvnSkinUpDown::SetPosition(int value) {
  if (FRange.SetPosition(value) && OnChange && !ComponentState().Designing) OnChange(this);
}

bool TvnSkinUpDown::FromSkin() const { return FDescriptionIndex != -1 && FUpDownDescription && FUseSkinSize; }

void TvnSkinUpDown::BindSkinDescription() {
  TvnSkinCustomControl::BindSkinDescription();
  FUpDownDescription = false;
  if (auto* d = dynamic_cast<TvnDataSkinUpDownControl*>(Description())) {
    FUpDownDescription = true;
    FUpRect = d->UpButtonRect;
    FActiveUpRect = d->ActiveUpButtonRect;
    FDownUpRect = d->DownUpButtonRect.IsEmpty() ? d->ActiveUpButtonRect : d->DownUpButtonRect;
    FDownRect = d->DownButtonRect;
    FActiveDownRect = d->ActiveDownButtonRect;
    FDownDownRect = d->DownDownButtonRect.IsEmpty() ? d->ActiveDownButtonRect : d->DownDownButtonRect;
    // The control's copy only: an up-down is drawn from its button looks, never framed.
    FSource = {};
  }
  LayoutButtons();
}

void TvnSkinUpDown::LayoutButtons() {
  FButtons.Rects = vnLayoutUpDownButtons(FromSkin(), FUpRect, FDownRect, FOrientation, Width(), Height());
}

void TvnSkinUpDown::CalcSkinSize(int& width, int& height) {
  if (FUseSkinSize) TvnSkinCustomControl::CalcSkinSize(width, height);
}

void TvnSkinUpDown::UpdateSkinRegion() {
  if (FUseSkinSize) TvnSkinCustomControl::UpdateSkinRegion();
  else if (HasSkinRegion()) SetSkinRegion(nullptr);  // any size, no region
}

void TvnSkinUpDown::PaintDefaultButtons(TvnDibSurface& bitmap) {
  HDC dc = bitmap.DC();
  for (int i = 0; i < 2; ++i) {
    const auto b = static_cast<std::size_t>(i);
    const TRect& r = FButtons.Rects[b];
    if (FButtons.Pressed[b] && FButtons.Hot[b]) FillAndFrame(dc, r, kPressedFill, kNavy);
    else if (FButtons.Hot[b]) FillAndFrame(dc, r, kHotFill, kNavy);
    else FillAndFrame(dc, r, clBtnFace, clBtnShadow);
    DrawArrow(dc, r, RGB(0, 0, 0), vnUpDownArrowKind(i, FOrientation));
  }
}

void TvnSkinUpDown::PaintDefaultLook(TvnDibSurface& bitmap) {
  LayoutButtons();
  PaintDefaultButtons(bitmap);
}

void TvnSkinUpDown::PaintSkinnedLook(TvnDibSurface& bitmap) {
  if (!FUseSkinSize) {
    PaintResizeButtons(bitmap);
    return;
  }
  TvnSkinCustomControl::PaintSkinnedLook(bitmap);
  if (!Picture() || !FUpDownDescription) return;
  const TPixelView picture = ViewOf(*Picture());
  const TRect hot[2] = {FActiveUpRect, FActiveDownRect};
  const TRect pressed[2] = {FDownUpRect, FDownDownRect};
  for (std::size_t b = 0; b < 2; ++b) {
    const TRect look = vnUpDownSkinLookRect(FButtons.Hot[b], FButtons.Pressed[b], hot[b], pressed[b]);
    if (look.IsEmpty()) continue;
    CopyPixels(picture, look.Left, look.Top, look.Width(), look.Height(), bitmap.View(),
               FButtons.Rects[b].Left, FButtons.Rects[b].Top);
  }
}

void TvnSkinUpDown::PaintResizeButtons(TvnDibSurface& bitmap) {
  LayoutButtons();
  const TvnResizeButtonSkin button = vnResizeButtonSkin(DrawnSkin());
  if (!button.Picture) {
    // A skin without a resizable button: the buttons keep their default look.
    PaintDefaultButtons(bitmap);
    return;
  }
  const TvnDataSkinButtonControl* looks = button.Looks;
  const TBmpPicture& picture = *button.Picture;
  const TvnSkinPoints source{looks->LeftTopPoint, looks->RightTopPoint, looks->LeftBottomPoint,
                             looks->RightBottomPoint, looks->ClientRect};
  const TvnButtonLooks choices{looks->SkinRect, looks->ActiveSkinRect, looks->DownSkinRect,
                               looks->FontColor, looks->ActiveFontColor, looks->DownFontColor};
  const int SW = looks->SkinRect.Width(), SH = looks->SkinRect.Height();
  TPixelBitmap image;
  for (int i = 0; i < 2; ++i) {
    const auto b = static_cast<std::size_t>(i);
    TRect r = FButtons.Rects[b];
    if (r.IsEmpty()) continue;
    const TvnButtonLookChoice look = vnResizeButtonLook(FButtons.Hot[b], FButtons.Pressed[b], choices);
    const TvnSkinPoints target = ShiftSkinPoints(source, SW, SH, r.Width(), r.Height());
    ComposeTiledSkinImage(source, target, image, picture, look.Source, r.Width(), r.Height(), TvnClientFill::Tile);
    CopyPixels(image.View(), 0, 0, image.Width(), image.Height(), bitmap.View(), r.Left, r.Top);
    if (look.Shifted) r = r.Offset(2, 2), r.Right -= 2, r.Bottom -= 2;
    DrawArrow(bitmap.DC(), r, ColorToRGB(look.ArrowColor), vnUpDownArrowKind(i, FOrientation));
  }
}

void TvnSkinUpDown::Apply(const TvnUpDownEffects& fx) {
  HWND window = HandleIfAllocated();
  if (window && fx.StopTimer) ::KillTimer(window, RepeatTimerID);
  if (window && fx.StartTimer > 0) ::SetTimer(window, RepeatTimerID, static_cast<UINT>(fx.StartTimer), nullptr);
  if (fx.Repaint) Repaint();
  if (fx.Step != 0) SetPosition(Position() + fx.Step * FRange.Increment);
  if (fx.Click == vnUpButton && OnUpButtonClick) OnUpButtonClick(this);
  if (fx.Click == vnDownButton && OnDownButtonClick) OnDownButtonClick(this);
}

void TvnSkinUpDown::MouseEnter() {
  TvnSkinCustomControl::MouseEnter();
  FButtons.MouseEnterControl();
}

void TvnSkinUpDown::MouseLeave() {
  TvnSkinCustomControl::MouseLeave();
  TvnUpDownEffects fx;
  // A held button that the mouse leaves with the control stops repeating (the leave comes
  // instead of the move that would have left the button).
  if (FButtons.Captured != -1 && FButtons.HotButton == FButtons.Captured && Stepping()) fx.StopTimer = true;
  FButtons.MouseLeaveControl(fx);
  Apply(fx);
}

void TvnSkinUpDown::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_MOUSEMOVE: {
      TvnSkinCustomControl::WndProc(m);  // mouse enter first
      TvnUpDownEffects fx;
      FButtons.HoverUpdate({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)}, Stepping(), fx);
      Apply(fx);
      return;
    }
    // A quick second press arrives as a double click: it is one more press of the button.
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK: {
      TvnUpDownEffects fx;
      FButtons.ButtonDown({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)}, Stepping(), fx);
      if (FButtons.Captured != -1) ::SetCapture(HandleIfAllocated());
      Apply(fx);
      m.Result = 0;
      return;
    }
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: {
      TvnUpDownEffects fx;
      const bool captured = FButtons.Captured != -1;
      FButtons.ButtonUp(Stepping(), fx);
      if (captured && ::GetCapture() == HandleIfAllocated()) ::ReleaseCapture();
      Apply(fx);
      m.Result = 0;
      return;
    }
    case WM_TIMER:
      if (m.WParam == RepeatTimerID) {
        TvnUpDownEffects fx;
        FButtons.Tick(fx);
        Apply(fx);
        m.Result = 0;
        return;
      }
      break;
    case WM_SIZE:
      TvnSkinCustomControl::WndProc(m);
      LayoutButtons();
      return;
    default:
      break;
  }
  TvnSkinCustomControl::WndProc(m);
}

// ---- registration --------------------------------------------------------------------------

namespace {

template <class T>
TPropertyInfo Value(const char* name, std::function<void(T&, const TDescValue&)> set) {
  return ValueProperty<T>(name, std::move(set));
}

}  // namespace

void RegisterSkinControlClasses(TClassRegistry& registry) {
  using C = TvnSkinCustomControl;
  auto font = [](C& c, auto change) {
    TFontDesc f = c.DefaultFont();
    change(f);
    c.SetDefaultFont(f);
  };
  TClassInfo custom = ComponentClass<C>("TvnSkinCustomControl", {
      LinkProperty<C, TvnSkinData>("SkinData", [](C& c, TvnSkinData* s) { c.SetSkinData(s); }),
      Value<C>("SkinDataName", [](C& c, const TDescValue& v) { c.SetSkinDataName(v.AsString()); }),
      Value<C>("DefaultWidth", [](C& c, const TDescValue& v) { c.SetDefaultWidth(v.AsInteger()); }),
      Value<C>("DefaultHeight", [](C& c, const TDescValue& v) { c.SetDefaultHeight(v.AsInteger()); }),
      Value<C>("UseSkinFont", [](C& c, const TDescValue& v) { c.UseSkinFont = v.AsBoolean(); }),
      Value<C>("DefaultFont.Name", [font](C& c, const TDescValue& v) { font(c, [&](TFontDesc& f) { f.Name = v.AsString(); }); }),
      Value<C>("DefaultFont.Height", [font](C& c, const TDescValue& v) { font(c, [&](TFontDesc& f) { f.Height = v.AsInteger(); }); }),
      Value<C>("DefaultFont.Color", [font](C& c, const TDescValue& v) { font(c, [&](TFontDesc& f) { f.Color = DescColor(v); }); }),
      EventProperty<C>("OnMouseEnter", [](C& c, TNotifyEvent e) { c.OnMouseEnter = std::move(e); }),
      EventProperty<C>("OnMouseLeave", [](C& c, TNotifyEvent e) { c.OnMouseLeave = std::move(e); }),
  }, "TWinControl");
  custom.Create = CreateControl<C>();
  registry.Register(std::move(custom));

  using U = TvnSkinUpDown;
  static const std::pair<const char*, TvnUDOrientation> kOrientations[] = {
      {"udHorizontal", TvnUDOrientation::udHorizontal}, {"udVertical", TvnUDOrientation::udVertical}};
  TClassInfo upDown = ComponentClass<U>("TvnSkinUpDown", {
      Value<U>("UseSkinSize", [](U& c, const TDescValue& v) { c.SetUseSkinSize(v.AsBoolean()); }),
      Value<U>("Orientation", [](U& c, const TDescValue& v) { c.SetOrientation(v.AsEnum(kOrientations)); }),
      Value<U>("Increment", [](U& c, const TDescValue& v) { c.SetIncrement(v.AsInteger()); }),
      Value<U>("Min", [](U& c, const TDescValue& v) { c.SetMin(v.AsInteger()); }),
      Value<U>("Max", [](U& c, const TDescValue& v) { c.SetMax(v.AsInteger()); }),
      Value<U>("Position", [](U& c, const TDescValue& v) { c.SetPosition(v.AsInteger()); }),
      EventProperty<U>("OnChange", [](U& c, TNotifyEvent e) { c.OnChange = std::move(e); }),
      EventProperty<U>("OnUpButtonClick", [](U& c, TNotifyEvent e) { c.OnUpButtonClick = std::move(e); }),
      EventProperty<U>("OnDownButtonClick", [](U& c, TNotifyEvent e) { c.OnDownButtonClick = std::move(e); }),
  }, "TvnSkinCustomControl");
  upDown.Create = CreateControl<U>();
  registry.Register(std::move(upDown));
}
