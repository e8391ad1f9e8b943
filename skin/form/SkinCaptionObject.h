#pragma once
// The caption object: writes the window's caption into its rectangle of the frame with the
// skin's font, alignment, optional shadow and optional text frame, over the frame picture or
// over a caption background of its own, and switches (or morphs) between its inactive and
// active look as the window's activation changes.
//
//   state     | event                              | next
//   ----------+------------------------------------+-----------------------------------------
//   inactive  | window activated (the form's       | active; the frame repaints; a morphing
//             | UpdateCaptionActivity)             | caption rises over five 20 ms ticks
//   active    | window deactivated                 | inactive; likewise, falling
//   any       | mouse enters / leaves / presses    | only MouseInside and the form's events;
//             |                                    | the look never follows the mouse
#include "skin/form/ActiveSkinObjects.h"

#include <string_view>

class TvnSkinCaptionObject : public TvnActiveSkinObject {
public:
  explicit TvnSkinCaptionObject(TvnFrameObjectHost& owner)
      : TvnActiveSkinObject(owner, TvnObjectKind::Caption) {}

  void Draw(TvnFramePainter& canvas, bool repaintAlone) override;
  void MouseDown(int x, int y, TvnMouseButton button) override;
  void MouseUp(int x, int y, TvnMouseButton button) override;
  void MouseEnter() override;
  void MouseLeave() override;

  void SetCaptionFont(TvnFramePainter& canvas, TColor colour) const;
  // The text area in object coordinates; it grows with the caption's width.
  TRect CaptionTextRect() const;
  // Top-left corner of a text of the given extent inside textRect, plus (x, y).
  TPoint PlaceCaptionText(const TRect& textRect, TPoint extent, int x, int y) const;
  // The caption background for the current object size from source rectangle s of picture:
  // fixed ends as wide as the skin's top corners, middle tiled (or stretched when the caption
  // has no fixed ends).
  void ComposeCaptionBackground(TPixelBitmap& target, const TRect& s,
                                const TPixelBitmap* picture) const;
  void DrawCaptionText(TvnFramePainter& canvas, int x, int y, bool active) const;

  std::u16string FontName = u"Arial";
  TFontStyles FontStyle = 0;
  int FontHeight = 14;
  TColor FontColor = 0;
  TColor ActiveFontColor = 0;
  TColor ShadowColor = 0;
  TColor ActiveShadowColor = 0;
  bool Shadow = false;
  TvnAlignment Alignment = taCenter;
  TRect TextRect;
  TRect FrameRect;
  TRect ActiveFrameRect;
  int FrameLeftOffset = 0;
  int FrameRightOffset = 0;
  TRect FrameTextRect;

private:
  // A look composed on its own bitmap: background from source of picture, text on top.
  TPixelBitmap ComposeLook(TvnFramePainter& canvas, const TRect& source,
                           const TPixelBitmap* picture, bool active) const;
};
