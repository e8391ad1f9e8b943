#pragma once
// The two base classes of every skinned control.
//
// TvnSkinControl binds a self-painting windowed control to a skin data and to one control
// description in it, found by its section name (SkinDataName, exact match). Each paint looks
// the description up again, builds the whole control image in an off-screen bitmap, either
// from the skin (PaintSkinnedLook) or, without a description, in a default look in system
// colours (PaintDefaultLook), and copies it to the window in one go.
//
// TvnSkinCustomControl draws a control from a custom-control description: a picture, an
// optional mask, a skin rectangle, four corner points and a client rectangle. It holds the
// control's size to what the description allows (fixed, one direction or both) and cuts the
// window's region from the mask. Concrete controls name their section and override the
// painting and sizing operations.
//
// The form's skinned frame tells every nested skin control of its form before a skin changes
// (ReleaseSkin) and after (ApplySkinChange): see vnWalkSkinControls.
#include "framework/CustomControl_win.h"
#include "framework/Graphics.h"
#include "skin/controls/vnSkinCtrlsGeometry.h"

#include <functional>
#include <memory>
#include <string>

class TBmpPicture;
class TvnDataSkinControl;
class TvnDibSurface;
class TvnSkinData;

class TvnSkinControl : public TCustomControl {
public:
  explicit TvnSkinControl(TComponent* owner);
  ~TvnSkinControl() override;

  // ---- published ----
  // The skin (not owned); dropped when that component is freed. Setting a loaded skin applies
  // it at once.
  TvnSkinData* SkinData() const { return FSkinData; }
  virtual void SetSkinData(TvnSkinData* value);
  // The skin as the control draws it: the skin data at its form's DPI (null without one, and
  // while high contrast is on).
  TvnSkinData* DrawnSkin() const;
  // The section name of the control's description. Setting it takes effect at the next paint
  // or skin change; it does not repaint.
  const std::string& SkinDataName() const { return FSkinDataName; }
  virtual void SetSkinDataName(std::string value);
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  // ---- skin binding ----
  // Looks the description up: -1 without a loaded skin or a matching section.
  virtual void BindSkinDescription();
  // Binds and repaints.
  virtual void ApplySkinChange();
  // Forgets the description (the skin is about to change).
  virtual void ReleaseSkin();
  int DescriptionIndex() const { return FDescriptionIndex; }
  // The bound description, or null.
  TvnDataSkinControl* Description() const;
  // True while the window has a region this control gave it.
  bool HasSkinRegion() const { return FRegion != nullptr; }

protected:
  // Draw the whole control into the bitmap (of the control's size).
  virtual void PaintDefaultLook(TvnDibSurface& bitmap);
  virtual void PaintSkinnedLook(TvnDibSurface& bitmap);

  void Paint(TCanvas& canvas) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void Notification(TComponent* component, TOperation operation) override;
  // Gives the window a region (none makes it rectangular); the window owns it from then on.
  void SetSkinRegion(HRGN region);

  int FDescriptionIndex = -1;

private:
  TvnSkinData* FSkinData = nullptr;  // not owned
  std::string FSkinDataName;
  HRGN FRegion = nullptr;  // not owned: belongs to the window once given
  // The off-screen picture each paint draws into, kept while the size stays: making one costs
  // far more than drawing a small control.
  std::unique_ptr<TvnDibSurface> FSurface;
};

class TvnSkinCustomControl : public TvnSkinControl {
public:
  explicit TvnSkinCustomControl(TComponent* owner);

  // ---- published ----
  // Size taken while there is no description (0: leave that side alone).
  int DefaultWidth() const { return FDefaultWidth; }
  void SetDefaultWidth(int value);
  int DefaultHeight() const { return FDefaultHeight; }
  void SetDefaultHeight(int value);
  // Font used without a skin, or when UseSkinFont is false.
  const TFontDesc& DefaultFont() const { return FDefaultFont; }
  void SetDefaultFont(const TFontDesc& value);
  bool UseSkinFont = true;

  void BindSkinDescription() override;
  void ApplySkinChange() override;
  void SetBounds(int left, int top, int width, int height) override;

  // What the bound description gives (for descendants and tests).
  TvnSizingMode SizingMode() const { return FSizingMode; }
  const TRect& SkinRect() const { return FSkinRect; }
  const TvnSkinPoints& SourcePoints() const { return FSource; }
  const TvnSkinPoints& TargetPoints() const { return FTarget; }
  const TBmpPicture* Picture() const { return FPicture; }      // not owned
  const TBmpPicture* MaskPicture() const { return FMask; }      // not owned

protected:
  // Hook for descendants that draw text.
  virtual void DefaultFontChanged() {}
  // Corrects a requested size to what the description allows and computes the target geometry.
  virtual void CalcSkinSize(int& width, int& height);
  // Cuts the window's region from the mask, or removes the region when there is no mask.
  virtual void UpdateSkinRegion();

  void PaintDefaultLook(TvnDibSurface& bitmap) override;
  void PaintSkinnedLook(TvnDibSurface& bitmap) override;
  void CreateWindowHandleDone() override;

  // True while the bound description is a custom-control one (the geometry above is valid).
  bool HasCustomDescription() const { return FDescriptionIndex != -1 && FCustom; }

  TvnSkinPoints FSource;  // copied from the description
  TvnSkinPoints FTarget;  // for the current size

private:
  int FDefaultWidth = 0;
  int FDefaultHeight = 0;
  TFontDesc FDefaultFont{"Arial", DEFAULT_CHARSET_VALUE, 14, clWindowText, 0};
  const TBmpPicture* FPicture = nullptr;  // not owned: in the skin data's active pictures
  const TBmpPicture* FMask = nullptr;     // not owned
  TRect FSkinRect;
  TvnSizingMode FSizingMode = TvnSizingMode::Fixed;
  bool FCustom = false;
};

// Calls fn on every skin control nested under root (children of children included) whose skin
// data is skinData, or on all of them when skinData is null.
void vnWalkSkinControls(TWinControl& root, const TvnSkinData* skinData,
                        const std::function<void(TvnSkinControl&)>& fn);
