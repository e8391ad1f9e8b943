#pragma once
// A form with no window behind it, for frames composed off screen (measuring the paint,
// feeding it arbitrary skins): it answers with the fields below, keeps no timers, runs no
// window command and fires no event. Morphing and the inactive effect do nothing here; a user
// that wants them for real overrides those two.
#include "skin/form/FrameObjectHost.h"

class TvnOffscreenFrameHost : public TvnFrameObjectHost {
public:
  bool Active = true;
  bool AutoInactive = false;
  bool Icon = false;
  std::u16string Caption = u"Quillon";
  int Charset = 134;  // GB2312
  int LeftTopX = 0, RightTopX = 0;  // the skin's top corner points

  bool IsFormActive() const override { return Active; }
  bool AutoRenderInactive() const override { return AutoInactive; }
  TvnWindowState WindowState() const override { return wsNormal; }
  bool RolledUp() const override { return false; }
  bool ShowIcon() const override { return Icon; }
  bool AlwaysMinimizeToTray() const override { return false; }
  TPoint SmallIconSize() const override { return {16, 16}; }
  void RedrawObject(TvnActiveSkinObject&) override {}
  void StartMorphTimer() override {}
  void StartAnimationTimer() override {}
  void CloseWindow() override {}
  void ChangeWindowState(TvnWindowState) override {}
  void SetRollUp(bool) override {}
  void HideToTray() override {}
  TMenuItem* GetSystemMenuItems() override { return nullptr; }
  void PopupObjectMenu(TvnActiveSkinObject&, TMenuItem*, bool) override {}
  void DrawFormIcon(TvnFramePainter&, int, int) override {}
  std::u16string CaptionText() const override { return Caption; }
  int CaptionCharset() const override { return Charset; }
  void Morph(TPixelBitmap&, const TPixelBitmap&, TvnMorphKind, double) override {}
  void ApplyInactiveEffect(TPixelBitmap&) override {}
  int SkinLeftTopX() const override { return LeftTopX; }
  int SkinRightTopX() const override { return RightTopX; }
  void FirePaintEvent(const std::string&, TvnFramePainter&, const TRect&) override {}
  void FireMouseEnter(const std::string&) override {}
  void FireMouseLeave(const std::string&) override {}
  void FireMouseDown(const std::string&, int, int, const TRect&, TvnMouseButton) override {}
  void FireMouseUp(const std::string&, int, int, const TRect&, TvnMouseButton) override {}
  void FireMouseMove(const std::string&, int, int, const TRect&) override {}
};
