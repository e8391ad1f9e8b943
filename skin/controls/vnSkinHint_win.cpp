#include "skin/controls/vnSkinHint_win.h"

#include "framework/Application_win.h"
#include "framework/ClassRegistry.h"
#include "framework/CodePage.h"
#include "framework/FrameworkClasses_win.h"
#include "framework/GdiCache_win.h"
#include "skin/controls/vnSkinHintGeometry.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataObjects.h"
#include "skin/data/vnSkinDataResStr.h"
#include "skin/imaging/vnHighContrast_win.h"
#include "skin/imaging/vnDibSurface_win.h"
#include "skin/imaging/vnGdi_win.h"
#include "skin/imaging/vnUtilsRegion_win.h"
#include "skin/imaging/vnUtilsSystem_win.h"

#include <algorithm>
#include <vector>

namespace {

constexpr UINT_PTR vnHintTimer = 1;

// The pause settings of the application, or their usual values without one.
int HintPause() { return Application ? Application->HintPause : 500; }
int HintHidePause() { return Application ? Application->HintHidePause : 2500; }

// The text's extent with DrawText measuring from an empty rectangle.
TvnHintSize TextExtent(HDC dc, std::wstring_view text) {
  RECT r{0, 0, 0, 0};
  const std::wstring copy(text);
  ::DrawTextW(dc, copy.c_str(), static_cast<int>(copy.size()), &r, DT_CALCRECT);
  return {r.right - r.left, r.bottom - r.top};
}

}  // namespace

// ---- TvnSkinHintWindow ----------------------------------------------------------------------

TvnSkinHintWindow::TvnSkinHintWindow(TComponent* owner) : THintWindow(owner) {}

TvnSkinHintWindow::TLook TvnSkinHintWindow::Resolve() {
  TLook look;
  TForm* form = Application ? Application->MainForm() : nullptr;
  if (form) {
    for (int i = 0; i < form->ComponentCount() && !look.Hint; ++i)
      if (auto* hint = dynamic_cast<TvnSkinHint*>(form->Components(i)); hint && hint->Active()) look.Hint = hint;
  }
  if (!look.Hint) return look;
  const TvnSkinHint& hint = *look.Hint;
  // Drawn at the DPI of the form the hints belong to; plain while high contrast is on.
  const TvnSkinData* skin =
      hint.SkinData() && !HighContrastOn() ? &hint.SkinData()->AtDpi(form->PixelsPerInch()) : nullptr;
  if (skin && !skin->SkinEmpty && skin->HintWindowInfo && skin->HintWindowInfo->WindowPictureIndex != -1) {
    // An index that names no picture counts as no skin (nothing to draw the frame from).
    if (const TPixelBitmap* picture = ActivePicture(skin, skin->HintWindowInfo->WindowPictureIndex)) {
      look.Info = skin->HintWindowInfo.get();
      look.Picture = picture;
      if (look.Info->MaskPictureIndex != -1) look.Mask = ActivePicture(skin, look.Info->MaskPictureIndex);
    }
  }
  look.Font = hint.DefaultFont;
  if (look.Info && hint.UseSkinFont) {
    look.Font.Name = CodePageToUtf8(look.Info->FontName);  // skin texts are code page 936
    look.Font.Height = look.Info->FontHeight;
    look.Font.Style = look.Info->FontStyle;
  }
  look.Font.Charset = skin && skin->ResourceStrData() ? skin->ResourceStrData()->CharSet() : hint.DefaultFont.Charset;
  return look;
}

TvnSkinPoints TvnSkinHintWindow::SourcePoints(const TvnDataSkinHintWindow& info) {
  return {info.LeftTopPoint, info.RightTopPoint, info.LeftBottomPoint, info.RightBottomPoint, info.ClientRect};
}

void TvnSkinHintWindow::CreateParams(TCreateParams& params) {
  THintWindow::CreateParams(params);
  params.ClassName = L"TvnSkinHintWindow";
  params.Style &= ~static_cast<DWORD>(WS_BORDER);
  if (IsDropShadowSystem()) params.ClassStyle |= CS_DROPSHADOW;
}

TPoint TvnSkinHintWindow::CalcHintSize(std::wstring_view text) {
  const TLook look = Resolve();
  TvnOwnedMemoryDC dc = TvnCounted<TvnOwnedMemoryDC>(::CreateCompatibleDC(nullptr));
  TvnSelection font(dc.Get(), CachedFont(look.Font));
  const TvnHintSize extent = TextExtent(dc.Get(), text);
  if (!look.Info) {
    const TvnHintSize s = PlainHintSize(extent);
    return {s.W, s.H};
  }
  const int PW = look.Picture->Width(), PH = look.Picture->Height();
  const TvnHintSize s = SkinHintSize(extent, PW, PH, look.Info->ClientRect);
  FTarget = ShiftSkinPoints(SourcePoints(*look.Info), PW, PH, s.W, s.H);
  return {s.W, s.H};
}

void TvnSkinHintWindow::ActivateHint(TRect rect, std::wstring_view text) {
  const TLook look = Resolve();
  FHint = look.Hint;
  FSkinned = look.Info != nullptr;
  if (!look.Hint) return;  // no active hint component on the main form: nothing shows
  SetText(text);
  const TPoint size = CalcHintSize(text);
  const TRect r = PlaceHintRect({rect.Left, rect.Top}, {size.X, size.Y}, ::GetSystemMetrics(SM_CXSCREEN),
                                ::GetSystemMetrics(SM_CYSCREEN));
  SetBounds(r.Left, r.Top, r.Width(), r.Height());
  HWND window = Handle();
  ApplyTranslucency(*look.Hint);
  UpdateHintRegion(look);
  ::SetWindowPos(window, HWND_TOPMOST, r.Left, r.Top, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
  ::InvalidateRect(window, nullptr, FALSE);  // a new text at the same size paints too
}

void TvnSkinHintWindow::ApplyTranslucency(const TvnSkinHint& hint) {
  if (!IsLayeredWindowSystem()) return;
  HWND window = Handle();
  const bool on = hint.AlphaBlend;
  const int value = std::clamp(hint.AlphaBlendValue, 0, 255);
  const LONG exStyle = ::GetWindowLongW(window, GWL_EXSTYLE);
  bool justLayered = false;
  if (on && !FAlphaBlend) {
    ::SetWindowLongW(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    justLayered = true;
  } else if (!on && FAlphaBlend) {
    ::SetWindowLongW(window, GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
  }
  // A window made layered again has lost its opacity and would stay invisible until it gets
  // one: the value is set whenever the style was just added, not only when it changed.
  if (on && (value != FAlphaBlendValue || justLayered)) SetLayeredAlpha(window, static_cast<BYTE>(value));
  FAlphaBlend = on;
  FAlphaBlendValue = value;
}

void TvnSkinHintWindow::UpdateHintRegion(const TLook& look) {
  HWND window = Handle();
  if (look.Info && look.Mask) {
    TvnOwnedRegion region =
        FrameRegionFromMask(SourcePoints(*look.Info), FTarget, ViewOf(*look.Mask), Width(), Height());
    if (region) {
      // From here on the window owns the region (and frees the one it replaces).
      GiveRegionToWindow(window, std::move(region), false);
      FRegionSet = true;
      return;
    }
  }
  if (FRegionSet) ::SetWindowRgn(window, nullptr, FALSE);  // the window frees the region it had
  FRegionSet = false;
}

void TvnSkinHintWindow::Paint(HDC dc) {
  const int W = Width(), H = Height();
  if (W <= 0 || H <= 0) return;
  const TLook look = Resolve();
  TvnDibSurface surface(W, H);
  HDC sdc = surface.DC();
  if (!sdc) return;
  const std::wstring text = Text();
  TvnSelection font(sdc, CachedFont(look.Font));
  ::SetBkMode(sdc, TRANSPARENT);
  if (look.Info && look.Picture->Width() <= W && look.Picture->Height() <= H) {
    const int PW = look.Picture->Width(), PH = look.Picture->Height();
    const TvnSkinPoints source = SourcePoints(*look.Info);
    const TvnSkinPoints target = ShiftSkinPoints(source, PW, PH, W, H);
    TPixelBitmap image;
    ComposeSkinImage(source, target, image, *look.Picture, Rect(0, 0, PW, PH), W, H, TvnClientFill::Tile,
                     {look.Info->LeftStretch, look.Info->TopStretch, look.Info->RightStretch, look.Info->BottomStretch});
    surface.Assign(image);
    ::SetTextColor(sdc, ColorToRGB(look.Info->FontColor));
    const TvnHintSize extent = TextExtent(sdc, text);
    const int x = target.Cl.Left + target.Cl.Width() / 2 - extent.W / 2;
    const int y = target.Cl.Top + target.Cl.Height() / 2 - extent.H / 2;
    RECT r{x, y, x + extent.W, y + extent.H};
    ::DrawTextW(sdc, text.c_str(), static_cast<int>(text.size()), &r, 0);
  } else {
    RECT all{0, 0, W, H};
    ::FillRect(sdc, &all, ::GetSysColorBrush(COLOR_INFOBK));
    ::FrameRect(sdc, &all, ::GetSysColorBrush(COLOR_BTNSHADOW));
    ::SetTextColor(sdc, ::GetSysColor(COLOR_INFOTEXT));
    RECT r{2, 2, W - 2, H - 2};
    ::DrawTextW(sdc, text.c_str(), static_cast<int>(text.size()), &r, 0);
  }
  ::GdiFlush();
  surface.BlitTo(dc, 0, 0);
}

void TvnSkinHintWindow::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_NCPAINT:
      m.Result = 0;  // no frame to draw: the whole window is painted in WM_PAINT
      return;
    case WM_TIMER:
      if (m.WParam == vnHintTimer && FOnTimer) {
        const auto handler = FOnTimer;  // may free the timer and set a new one
        handler();
        m.Result = 0;
        return;
      }
      break;
    default:
      break;
  }
  THintWindow::WndProc(m);
}

// ---- TvnSkinHint ----------------------------------------------------------------------------

TvnSkinHint::TvnSkinHint(TComponent* owner)
    : TComponent(owner), FHintWindow(std::make_unique<TvnSkinHintWindow>()), FSelf(std::make_shared<TvnSkinHint*>(this)) {
  FHintWindow->FOnTimer = [this] { HintTimer(); };
  if (!ComponentState().Designing && Application) {
    Application->SetHintWindowClass([] { return std::make_unique<TvnSkinHintWindow>(); });
    // Switching hints off and on makes the application's hint window anew, of the new class.
    Application->SetShowHint(!Application->ShowHint());
    Application->SetShowHint(!Application->ShowHint());
    PointApplicationHere();
    Application->HintShortPause = 100;
  }
}

TvnSkinHint::~TvnSkinHint() {
  *FSelf = nullptr;  // the application's event, if it still comes here, now does nothing
  if (FTimerRunning && FHintWindow->HandleAllocated()) ::KillTimer(FHintWindow->HandleIfAllocated(), vnHintTimer);
}

void TvnSkinHint::PointApplicationHere() {
  if (!Application) return;
  Application->OnShowHint = [self = FSelf](std::wstring& text, bool& canShow, THintInfo& info) {
    if (TvnSkinHint* hint = *self; hint && hint->OnShowHint) hint->OnShowHint(text, canShow, info);
  };
}

void TvnSkinHint::SetSkinData(TvnSkinData* value) {
  if (value == FSkinData) return;
  if (FSkinData) RemoveFreeNotification(FSkinData);
  FSkinData = value;
  if (FSkinData) FreeNotification(FSkinData);
}

void TvnSkinHint::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FSkinData) FSkinData = nullptr;
}

void TvnSkinHint::SetActive(bool value) {
  FActive = value;
  if (!value) return;
  if (Application && Application->MainForm()) {
    TForm* form = Application->MainForm();
    for (int i = 0; i < form->ComponentCount(); ++i)
      if (auto* other = dynamic_cast<TvnSkinHint*>(form->Components(i)); other && other != this) other->FActive = false;
  }
  if (!ComponentState().Designing) PointApplicationHere();
}

void TvnSkinHint::ShowHintText(std::wstring_view text) {
  HWND window = FHintWindow->Handle();
  if (FTimerRunning) ::KillTimer(window, vnHintTimer);
  FHintText.assign(text);
  FShowing = false;
  FTimerRunning = ::SetTimer(window, vnHintTimer, static_cast<UINT>(std::max(HintPause(), 1)), nullptr) != 0;
}

void TvnSkinHint::HintTimer() {
  HWND window = FHintWindow->Handle();
  if (FShowing) {
    HideHintText();
    return;
  }
  POINT p;
  ::GetCursorPos(&p);
  const int y = p.y + CursorHeightBelowCursor();
  FHintWindow->ActivateHint(Rect(p.x, y, p.x, y), FHintText);
  FShowing = true;
  FTimerRunning = ::SetTimer(window, vnHintTimer, static_cast<UINT>(std::max(HintHidePause(), 1)), nullptr) != 0;
}

void TvnSkinHint::HideHintText() {
  if (FTimerRunning && FHintWindow->HandleAllocated()) ::KillTimer(FHintWindow->HandleIfAllocated(), vnHintTimer);
  FTimerRunning = false;
  FShowing = false;
  FHintWindow->HideHint();
}

// ---- the cursor's height ----------------------------------------------------------------------

int CursorHeightBelowCursor() {
  const int fallback = ::GetSystemMetrics(SM_CYCURSOR);
  HCURSOR cursor = ::GetCursor();
  ICONINFO info{};
  if (!cursor || !::GetIconInfo(cursor, &info)) return fallback;
  // GetIconInfo hands over copies of both bitmaps: they are ours to delete.
  TvnOwnedBitmap maskBitmap = TvnCounted<TvnOwnedBitmap>(info.hbmMask);
  TvnOwnedBitmap colourBitmap = TvnCounted<TvnOwnedBitmap>(info.hbmColor);
  BITMAP bm{};
  if (!maskBitmap || !::GetObjectW(maskBitmap.Get(), sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
    return fallback;
  struct {
    BITMAPINFOHEADER Header;
    RGBQUAD Colours[2];
  } dib{};
  dib.Header = {sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 1, BI_RGB, 0, 0, 0, 0, 0};
  const int stride = ((bm.bmWidth + 31) / 32) * 4;
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(stride) * static_cast<std::size_t>(bm.bmHeight));
  TvnScreenDC screen;
  if (::GetDIBits(screen.Get(), maskBitmap.Get(), 0, static_cast<UINT>(bm.bmHeight), bits.data(),
                  reinterpret_cast<BITMAPINFO*>(&dib), DIB_RGB_COLORS) != bm.bmHeight)
    return fallback;
  return CursorHeightBelowHotSpot({bits, stride, bm.bmWidth, bm.bmHeight}, static_cast<int>(info.yHotspot));
}

// ---- registration -------------------------------------------------------------------------------

void RegisterSkinHintClasses(TClassRegistry& registry) {
  using T = TvnSkinHint;
  auto flag = [](std::string name, bool T::*field) {
    return ValueProperty<T>(std::move(name), [field](T& c, const TDescValue& v) { c.*field = v.AsBoolean(); });
  };
  registry.Register(ComponentClass<T>("TvnSkinHint", {
      LinkProperty<T, TvnSkinData>("SkinData", [](T& c, TvnSkinData* d) { c.SetSkinData(d); }),
      ValueProperty<T>("Active", [](T& c, const TDescValue& v) { c.SetActive(v.AsBoolean()); }),
      flag("AlphaBlend", &T::AlphaBlend),
      ValueProperty<T>("AlphaBlendValue", [](T& c, const TDescValue& v) {
        const int value = v.AsInteger();
        if (value < 0 || value > 255) v.Fail("AlphaBlendValue must be 0..255");
        c.AlphaBlendValue = value;
      }),
      flag("UseSkinFont", &T::UseSkinFont),
      ValueProperty<T>("DefaultFont.Name", [](T& c, const TDescValue& v) { c.DefaultFont.Name = v.AsString(); }),
      ValueProperty<T>("DefaultFont.Height", [](T& c, const TDescValue& v) { c.DefaultFont.Height = v.AsInteger(); }),
      ValueProperty<T>("DefaultFont.Color", [](T& c, const TDescValue& v) { c.DefaultFont.Color = DescColor(v); }),
      ValueProperty<T>("DefaultFont.Charset", [](T& c, const TDescValue& v) {
        if (v.Kind == TDescValueKind::Integer) {
          c.DefaultFont.Charset = v.AsInteger();
          return;
        }
        auto known = CharsetFromIdentifier(v.AsIdentifier());
        if (!known) v.Fail("unknown character set \"" + v.Text + "\"");
        c.DefaultFont.Charset = *known;
      }),
      EventProperty<T>("OnShowHint", [](T& c, TNotifyEvent e) {
        c.OnShowHint = [e, &c](std::wstring&, bool&, THintInfo&) { e(&c); };
      }),
  }));
}
