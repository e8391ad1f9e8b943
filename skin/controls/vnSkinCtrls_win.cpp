#include "skin/controls/vnSkinCtrls_win.h"

#include "framework/Dpi_win.h"
#include "framework/Forms_win.h"

#include "framework/GdiCache_win.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataControls.h"
#include "skin/imaging/vnDibSurface_win.h"
#include "skin/imaging/vnHighContrast_win.h"
#include "skin/imaging/vnUtilsCompose.h"
#include "skin/imaging/vnUtilsRegion_win.h"

#include <cstring>
#include <utility>

// ---- TvnSkinControl ------------------------------------------------------------------------

TvnSkinControl::TvnSkinControl(TComponent* owner) : TCustomControl(owner) {
  SetSwallowEraseBackground(true);  // every pixel is painted from the off-screen bitmap
}

TvnSkinControl::~TvnSkinControl() {
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
}

void TvnSkinControl::SetSkinData(TvnSkinData* value) {
  if (FSkinData == value) return;
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
  FSkinData = value;
  if (FSkinData) FSkinData->FreeNotification(this);
  if (FSkinData && !FSkinData->SkinEmpty && !ComponentState().Designing) ApplySkinChange();
}

void TvnSkinControl::SetSkinDataName(std::string value) { FSkinDataName = std::move(value); }

void TvnSkinControl::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FSkinData) {
    FSkinData = nullptr;
    FDescriptionIndex = -1;
  }
}

void TvnSkinControl::BindSkinDescription() {
  FDescriptionIndex = (!FSkinData || FSkinData->SkinEmpty) ? -1 : FSkinData->IndexOfControl(FSkinDataName);
}

TvnSkinData* TvnSkinControl::DrawnSkin() const {
  // A user who asked for high contrast gets the plain look in the system colours.
  if (!FSkinData || HighContrastOn()) return nullptr;
  const TForm* form = const_cast<TvnSkinControl*>(this)->ParentForm();
  return &FSkinData->AtDpi(form ? form->PixelsPerInch() : kDesignDpi);
}

TvnDataSkinControl* TvnSkinControl::Description() const {
  TvnSkinData* skin = DrawnSkin();
  if (FDescriptionIndex < 0 || !skin) return nullptr;
  if (FDescriptionIndex >= static_cast<int>(skin->ControlDescriptions.size())) return nullptr;
  return skin->ControlDescriptions[static_cast<std::size_t>(FDescriptionIndex)].get();
}

void TvnSkinControl::ApplySkinChange() {
  BindSkinDescription();
  Repaint();
}

void TvnSkinControl::ReleaseSkin() { FDescriptionIndex = -1; }

void TvnSkinControl::PaintDefaultLook(TvnDibSurface&) {}
void TvnSkinControl::PaintSkinnedLook(TvnDibSurface&) {}

void TvnSkinControl::Paint(TCanvas& canvas) {
  if (Width() <= 0 || Height() <= 0) return;
  BindSkinDescription();
  if (!FSurface || FSurface->Width() != Width() || FSurface->Height() != Height()) {
    FSurface.reset();
    FSurface = std::make_unique<TvnDibSurface>(Width(), Height());
  } else {
    // A kept picture starts each paint black, as a new one does.
    const TPixelView v = FSurface->View();
    for (int y = 0; y < v.Height; ++y) std::memset(v.ScanLine(y), 0, static_cast<std::size_t>(v.Width) * 3);
  }
  TvnDibSurface& bitmap = *FSurface;
  if (bitmap.IsEmpty()) return;
  if (FDescriptionIndex == -1) PaintDefaultLook(bitmap);
  else PaintSkinnedLook(bitmap);
  ::GdiFlush();
  bitmap.BlitTo(canvas.Handle(), 0, 0);
}

void TvnSkinControl::MouseEnter() {
  TCustomControl::MouseEnter();
  if (OnMouseEnter && !ComponentState().Designing) OnMouseEnter(this);
}

void TvnSkinControl::MouseLeave() {
  TCustomControl::MouseLeave();
  if (OnMouseLeave && !ComponentState().Designing) OnMouseLeave(this);
}

void TvnSkinControl::SetSkinRegion(HRGN region) {
  HWND window = HandleIfAllocated();
  if (!window) {
    if (region) ::DeleteObject(region);
    return;
  }
  ::SetWindowRgn(window, region, TRUE);  // the window owns the region from here on
  FRegion = region;
}

// ---- TvnSkinCustomControl ------------------------------------------------------------------

TvnSkinCustomControl::TvnSkinCustomControl(TComponent* owner) : TvnSkinControl(owner) {}

void TvnSkinCustomControl::SetDefaultWidth(int value) {
  FDefaultWidth = value;
  if (FDescriptionIndex == -1 && value > 0) SetWidth(value);
}

void TvnSkinCustomControl::SetDefaultHeight(int value) {
  FDefaultHeight = value;
  if (FDescriptionIndex == -1 && value > 0) SetHeight(value);
}

void TvnSkinCustomControl::SetDefaultFont(const TFontDesc& value) {
  FDefaultFont = value;
  DefaultFontChanged();
  if (FDescriptionIndex == -1) Repaint();
}

void TvnSkinCustomControl::BindSkinDescription() {
  TvnSkinControl::BindSkinDescription();
  FCustom = false;
  FPicture = nullptr;
  FMask = nullptr;
  if (FDescriptionIndex == -1) return;
  auto* custom = dynamic_cast<TvnDataSkinCustomControl*>(Description());
  if (!custom) {
    // Another kind of description: nothing to draw or size from.
    FSizingMode = TvnSizingMode::Fixed;
    return;
  }
  FCustom = true;
  FSkinRect = custom->SkinRect;
  FSource = {custom->LeftTopPoint, custom->RightTopPoint, custom->LeftBottomPoint,
             custom->RightBottomPoint, custom->ClientRect};
  FPicture = ActivePicture(DrawnSkin(), custom->PictureIndex);
  FMask = ActivePicture(DrawnSkin(), custom->MaskPictureIndex);
  FSizingMode = vnSizingModeOf(FSkinRect, FSource);
}

void TvnSkinCustomControl::CalcSkinSize(int& width, int& height) {
  // A description of another kind has no skin rectangle to size by: the size stays.
  vnCalcSkinSize(HasCustomDescription(), FSizingMode, FSkinRect, FSource, width, height, FTarget);
}

void TvnSkinCustomControl::ApplySkinChange() {
  BindSkinDescription();
  const int width = Width(), height = Height();
  bool resized = false;
  if (FDescriptionIndex == -1) {
    if (FDefaultWidth > 0) SetWidth(FDefaultWidth);
    if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
  } else {
    int w = width, h = height;
    CalcSkinSize(w, h);
    resized = w != width || h != height;
    if (resized) SetBounds(Left(), Top(), w, h);  // updates the region and repaints
  }
  if (!resized) {
    UpdateSkinRegion();
    Repaint();
  }
}

void TvnSkinCustomControl::SetBounds(int left, int top, int width, int height) {
  BindSkinDescription();
  const bool resizing = FDescriptionIndex != -1 && (width != Width() || height != Height());
  if (resizing) CalcSkinSize(width, height);
  TvnSkinControl::SetBounds(left, top, width, height);
  if (resizing) {
    UpdateSkinRegion();
    Repaint();
  }
}

void TvnSkinCustomControl::CreateWindowHandleDone() {
  TvnSkinControl::CreateWindowHandleDone();
  // The window is new: it takes its region now, from the skin as it is now.
  BindSkinDescription();
  UpdateSkinRegion();
}

void TvnSkinCustomControl::UpdateSkinRegion() {
  if (!HandleIfAllocated()) return;
  // An empty skin rectangle gives nothing to cut a region from: the control goes rectangular.
  if (!FMask || !HasCustomDescription() || FSizingMode == TvnSizingMode::Empty) {
    if (HasSkinRegion()) SetSkinRegion(nullptr);
    return;
  }
  const TPixelView mask = ViewOf(*FMask);
  TvnOwnedRegion region;
  if (FSizingMode == TvnSizingMode::Fixed) {
    region = RegionFromMask(mask);
  } else {
    const TvnRegionGeometry g = vnRegionGeometry(FSizingMode, FSkinRect, FSource, FTarget, Width(), Height());
    region = FrameRegionFromMask(g.Source, g.Target, mask, Width(), Height());
  }
  HRGN handle = region.Release();
  if (handle) TvnGdiCount::Released();  // the window owns it from the next line on
  SetSkinRegion(handle);
}

void TvnSkinCustomControl::PaintDefaultLook(TvnDibSurface& bitmap) {
  TCanvas canvas(bitmap.DC());
  canvas.FillRect(Rect(0, 0, bitmap.Width(), bitmap.Height()), clBtnFace);
}

void TvnSkinCustomControl::PaintSkinnedLook(TvnDibSurface& bitmap) {
  if (!FPicture || !HasCustomDescription()) return;
  const int SW = FSkinRect.Width(), SH = FSkinRect.Height();
  const TPixelView source = ViewOf(*FPicture);
  TPixelBitmap image;
  switch (FSizingMode) {
    case TvnSizingMode::Fixed:
      CopyPixels(source, FSkinRect.Left, FSkinRect.Top, SW, SH, bitmap.View(), 0, 0);
      return;
    case TvnSizingMode::Both:
      ComposeTiledSkinImage(FSource, FTarget, image, *FPicture, FSkinRect, Width(), Height(), TvnClientFill::Tile);
      break;
    case TvnSizingMode::Horizontal:
      ComposeHorzSkinImage(FSource.LT.X, SW - FSource.RT.X, image, *FPicture, FSkinRect, Width());
      break;
    case TvnSizingMode::Vertical:
      ComposeVertSkinImage(FSource.LT.Y, SH - FSource.LB.Y, image, *FPicture, FSkinRect, Height());
      break;
    case TvnSizingMode::Empty:
      return;
  }
  CopyPixels(image.View(), 0, 0, image.Width(), image.Height(), bitmap.View(), 0, 0);
}

// ---- the frame's walk ----------------------------------------------------------------------

void vnWalkSkinControls(TWinControl& root, const TvnSkinData* skinData,
                        const std::function<void(TvnSkinControl&)>& fn) {
  for (int i = 0; i < root.ControlCount(); ++i) {
    TWinControl* child = root.Controls(i);
    if (auto* skinned = dynamic_cast<TvnSkinControl*>(child))
      if (!skinData || skinned->SkinData() == skinData) fn(*skinned);
    vnWalkSkinControls(*child, skinData, fn);
  }
}
