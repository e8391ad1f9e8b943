#pragma once
// TvnSkinUpDown: a pair of spin buttons (increase and decrease) keeping an integer position
// between a minimum and a maximum. It steps on each click and repeats while a button is held
// (first after 500 ms, then every 100 ms). Its looks: the skin's up-down section ("hupdown" or
// "vupdown") with the buttons' hot and pressed pictures; the skin's resizable button
// ("resizebutton") drawn at any size when UseSkinSize is false; or a default look without a
// skin. The hover, press, release and repeat rules are TvnUpDownButtons (vnSkinCtrlsGeometry.h).
#include "skin/controls/vnSkinCtrls_win.h"

class TClassRegistry;

class TvnSkinUpDown : public TvnSkinCustomControl {
public:
  explicit TvnSkinUpDown(TComponent* owner);
  ~TvnSkinUpDown() override;

  // The repeat timer's identifier on the control's window.
  static constexpr UINT_PTR RepeatTimerID = 1;

  // ---- published ----
  // True: the skin section's size, buttons and region; false: any size, buttons drawn from
  // the skin's resizable button.
  bool UseSkinSize() const { return FUseSkinSize; }
  void SetUseSkinSize(bool value);
  TvnUDOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TvnUDOrientation value);
  int Increment() const { return FRange.Increment; }
  void SetIncrement(int value) { FRange.Increment = value; }
  int Position() const { return FRange.Position(); }
  // A value outside Min..Max is ignored; an accepted one fires OnChange.
  void SetPosition(int value);
  int Min() const { return FRange.Min(); }
  void SetMin(int value) { FRange.SetMin(value); }
  int Max() const { return FRange.Max(); }
  void SetMax(int value) { FRange.SetMax(value); }
  TNotifyEvent OnChange;
  TNotifyEvent OnUpButtonClick;
  TNotifyEvent OnDownButtonClick;

  void BindSkinDescription() override;
  // The button rectangles for the current binding and size.
  void LayoutButtons();
  const TvnUpDownButtons& Buttons() const { return FButtons; }
  // The section's looks of the buttons (picture coordinates), after binding.
  const TRect& ActiveUpButtonRect() const { return FActiveUpRect; }
  const TRect& DownUpButtonRect() const { return FDownUpRect; }
  const TRect& ActiveDownButtonRect() const { return FActiveDownRect; }
  const TRect& DownDownButtonRect() const { return FDownDownRect; }

protected:
  void CalcSkinSize(int& width, int& height) override;
  void UpdateSkinRegion() override;
  void PaintDefaultLook(TvnDibSurface& bitmap) override;
  void PaintSkinnedLook(TvnDibSurface& bitmap) override;
  void WndProc(TMessage& message) override;
  void MouseEnter() override;
  void MouseLeave() override;

private:
  void Apply(const TvnUpDownEffects& fx);
  void PaintResizeButtons(TvnDibSurface& bitmap);
  void PaintDefaultButtons(TvnDibSurface& bitmap);
  bool Stepping() const { return FRange.Increment != 0; }
  bool FromSkin() const;

  bool FUseSkinSize = true;
  TvnUDOrientation FOrientation = TvnUDOrientation::udHorizontal;
  TvnUpDownRange FRange;
  TvnUpDownButtons FButtons;
  bool FUpDownDescription = false;
  TRect FUpRect, FActiveUpRect, FDownUpRect;
  TRect FDownRect, FActiveDownRect, FDownDownRect;
};

// Registers TvnSkinCustomControl and TvnSkinUpDown for window descriptions, after the
// framework's own classes (they build on TWinControl's properties).
void RegisterSkinControlClasses(TClassRegistry& registry);
