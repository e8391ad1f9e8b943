#pragma once
// Stand-ins for the form and the drawing surface: they record what the frame objects ask of
// them, so the tests can check order and content without a window.
#include "skin/form/FrameObjectHost.h"
#include "skin/form/VeneerFormGeometry.h"

#include <string>
#include <vector>

// The [FORMINFO] geometry of the program's embedded skin on its 191 x 135 picture (the
// hit-test points are made up for the tests).
inline TvnFrameSkin EmbeddedFrameSkin() {
  TvnFrameSkin s;
  s.PictureWidth = 191;
  s.PictureHeight = 135;
  s.LeftTopPoint = {46, 32};
  s.RightTopPoint = {110, 30};
  s.LeftBottomPoint = {54, 115};
  s.RightBottomPoint = {138, 115};
  s.ClientRect = Rect(8, 28, 184, 118);
  s.ButtonsRect = Rect(132, 9, 181, 20);
  s.CaptionRect = Rect(0, 0, 0, 0);
  s.MaskRectArea = Rect(4, 5, 188, 131);
  s.HitTestLeftTopPoint = {10, 10};
  s.HitTestRightTopPoint = {181, 10};
  s.HitTestLeftBottomPoint = {10, 125};
  s.HitTestRightBottomPoint = {181, 125};
  s.BorderWidth = 3;
  return s;
}

class TRecordingHost : public TvnFrameObjectHost {
public:
  std::vector<std::string> Log;
  bool Active = true;
  bool AutoInactive = false;
  TvnWindowState State = wsNormal;
  bool Rolled = false;
  bool Icon = false;
  bool ToTray = false;
  std::u16string Caption = u"Quillon";
  int LeftTopX = 46, RightTopX = 110;

  bool IsFormActive() const override { return Active; }
  bool AutoRenderInactive() const override { return AutoInactive; }
  TvnWindowState WindowState() const override { return State; }
  bool RolledUp() const override { return Rolled; }
  bool ShowIcon() const override { return Icon; }
  bool AlwaysMinimizeToTray() const override { return ToTray; }
  TPoint SmallIconSize() const override { return {16, 16}; }
  void RedrawObject(TvnActiveSkinObject&) override { Log.push_back("redraw"); }
  void StartMorphTimer() override { Log.push_back("morph timer"); }
  void StartAnimationTimer() override { Log.push_back("animation timer"); }
  void CloseWindow() override { Log.push_back("close"); }
  void ChangeWindowState(TvnWindowState s) override {
    Log.push_back("state " + std::to_string(s));
    State = s;
  }
  void SetRollUp(bool on) override {
    Log.push_back(on ? "roll up" : "roll down");
    Rolled = on;
  }
  void HideToTray() override { Log.push_back("tray"); }
  TMenuItem* GetSystemMenuItems() override {
    Log.push_back("system menu items");
    return reinterpret_cast<TMenuItem*>(&SystemMenuToken);
  }
  void PopupObjectMenu(TvnActiveSkinObject&, TMenuItem*, bool) override { Log.push_back("popup"); }
  void DrawFormIcon(TvnFramePainter&, int x, int y) override {
    Log.push_back("icon " + std::to_string(x) + "," + std::to_string(y));
  }
  std::u16string CaptionText() const override { return Caption; }
  int CaptionCharset() const override { return 134; }
  void Morph(TPixelBitmap&, const TPixelBitmap&, TvnMorphKind, double f) override {
    Log.push_back("morph " + std::to_string(f));
  }
  void ApplyInactiveEffect(TPixelBitmap&) override { Log.push_back("inactive effect"); }
  int SkinLeftTopX() const override { return LeftTopX; }
  int SkinRightTopX() const override { return RightTopX; }
  void FirePaintEvent(const std::string& id, TvnFramePainter&, const TRect&) override {
    Log.push_back("paint event " + id);
  }
  void FireMouseEnter(const std::string& id) override { Log.push_back("enter event " + id); }
  void FireMouseLeave(const std::string& id) override { Log.push_back("leave event " + id); }
  void FireMouseDown(const std::string& id, int, int, const TRect&, TvnMouseButton) override {
    Log.push_back("down event " + id);
  }
  void FireMouseUp(const std::string& id, int, int, const TRect&, TvnMouseButton) override {
    Log.push_back("up event " + id);
  }
  void FireMouseMove(const std::string& id, int, int, const TRect&) override {
    Log.push_back("move event " + id);
  }

  int SystemMenuToken = 0;
};

// Text is 6 pixels per UTF-16 unit and 12 pixels high; every call is logged.
class TRecordingPainter : public TvnFramePainter {
public:
  std::vector<std::string> Log;

  static std::string R(const TRect& r) {
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) +
           "," + std::to_string(r.Bottom);
  }
  void DrawPicture(const TPixelBitmap&, const TRect& s, const TRect& t) override {
    Log.push_back("picture " + R(s) + " -> " + R(t));
  }
  void DrawBitmap(const TPixelBitmap& b, int x, int y) override {
    Log.push_back("bitmap " + std::to_string(b.Width()) + "x" + std::to_string(b.Height()) +
                  " at " + std::to_string(x) + "," + std::to_string(y));
  }
  void FillRect(const TRect& r, TColor c) override { Log.push_back("fill " + R(r) + " " + std::to_string(c)); }
  void FrameRect(const TRect& r, TColor c) override { Log.push_back("frame " + R(r) + " " + std::to_string(c)); }
  void DrawGlyph(TvnGlyph g, int x, int y, TColor c) override {
    Log.push_back("glyph " + std::to_string(static_cast<int>(g)) + " at " + std::to_string(x) +
                  "," + std::to_string(y) + " " + std::to_string(c));
  }
  void SetFont(const TvnTextFont& f) override { Log.push_back("font colour " + std::to_string(f.Color)); }
  void SetTextColor(TColor c) override { Log.push_back("text colour " + std::to_string(c)); }
  TPoint TextExtent(std::u16string_view text) override {
    return {6 * static_cast<int>(text.size()), 12};
  }
  void TextOut(int x, int y, std::u16string_view text) override {
    Log.push_back("text " + std::to_string(x) + "," + std::to_string(y) + " " +
                  std::to_string(text.size()) + " units");
    LastText = std::u16string(text);
  }
  std::unique_ptr<TvnFramePainter> PainterOn(TPixelBitmap&) override {
    return std::make_unique<TRecordingPainter>();
  }
  std::u16string LastText;
};
