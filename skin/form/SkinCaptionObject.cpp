#include "skin/form/SkinCaptionObject.h"

#include "skin/imaging/vnUtilsCompose.h"

#include <algorithm>

namespace {

// The text frame behind a caption: a strip of width w with the fixed left end p and right end q
// of source and the middle tiled between them. The skin's offsets are kept within the source,
// so the ends never reach outside it.
void ComposeTextFrame(TPixelBitmap& target, const TPixelBitmap& picture, const TRect& source,
                      int p, int q, int w) {
  const int sw = std::max(0, source.Width());
  p = std::clamp(p, 0, sw);
  q = std::clamp(q, 0, sw - p);
  ComposeHorzSkinImage(p, q, target, picture, source, std::max(0, w));
}

}  // namespace

void TvnSkinCaptionObject::MouseDown(int x, int y, TvnMouseButton button) {
  OwnerForm().FireMouseDown(IDName, x, y, ObjectRect, button);
}

void TvnSkinCaptionObject::MouseUp(int x, int y, TvnMouseButton button) {
  // Also when the mouse has left: the caption never holds the capture.
  OwnerForm().FireMouseUp(IDName, x, y, ObjectRect, button);
}

void TvnSkinCaptionObject::MouseEnter() {
  MouseInside = true;
  OwnerForm().FireMouseEnter(IDName);
}

void TvnSkinCaptionObject::MouseLeave() {
  MouseInside = false;
  OwnerForm().FireMouseLeave(IDName);
}

void TvnSkinCaptionObject::SetCaptionFont(TvnFramePainter& canvas, TColor colour) const {
  TvnTextFont font;
  font.Name = FontName;
  font.Height = FontHeight;
  font.Style = FontStyle;
  font.Color = colour;
  font.Charset = OwnerForm().CaptionCharset();
  canvas.SetFont(font);
}

TRect TvnSkinCaptionObject::CaptionTextRect() const {
  TRect tr = TextRect;
  if (!IsZeroRect(TextRect)) tr.Right = TextRect.Right + ObjectRect.Width() - NormalRect.Width();
  if (!IsZeroRect(FrameRect)) {
    tr.Left += FrameTextRect.Left;
    tr.Top += FrameTextRect.Top;
    tr.Right -= FrameRect.Width() - FrameTextRect.Right;
  }
  return tr;
}

TPoint TvnSkinCaptionObject::PlaceCaptionText(const TRect& tr, TPoint extent, int x, int y) const {
  const int tw = extent.X, th = extent.Y;
  const int top = tr.Top + tr.Height() / 2 - th / 2;
  int left = tr.Left;
  switch (Alignment) {
    case taLeftJustify: left = tr.Left; break;
    case taRightJustify: left = tr.Right - tw; break;
    case taCenter: left = tr.Left + tr.Width() / 2 - tw / 2; break;
  }
  return {left + x, top + y};
}

void TvnSkinCaptionObject::ComposeCaptionBackground(TPixelBitmap& target, const TRect& s,
                                                    const TPixelBitmap* picture) const {
  const int tw = ObjectRect.Width(), th = ObjectRect.Height();
  target.SetSize(std::max(0, tw), std::max(0, th));
  if (picture == nullptr || tw <= 0 || th <= 0 || s.Width() <= 0 || s.Height() <= 0) return;
  // The fixed ends are measured on the normal rectangle, whatever s is. A skin whose corner
  // points lie outside the caption gives no fixed end on that side.
  const int l = std::clamp(OwnerForm().SkinLeftTopX() - NormalRect.Left, 0, s.Width());
  const int rt = std::clamp(NormalRect.Right - OwnerForm().SkinRightTopX(), 0, s.Width() - l);
  const TRect m = Rect(s.Left + l, s.Top, s.Right - rt, s.Bottom);
  if ((l != 0 || rt != 0) && m.Width() > 0) {
    for (int k = 0; k <= tw / m.Width(); ++k) {
      const int x = k * m.Width();
      const int len = std::min(m.Width(), tw - x);
      if (len <= 0) break;
      CopyPictureRect(*picture, Rect(m.Left, m.Top, m.Left + len, m.Bottom), target,
                      Rect(x, 0, x + len, th));
    }
  } else {
    // No fixed ends, or ends that leave no middle: the whole source stretched.
    CopyPictureRect(*picture, s, target, Rect(0, 0, tw, th));
  }
  if (l != 0) CopyPictureRect(*picture, Rect(s.Left, s.Top, s.Left + l, s.Bottom), target, Rect(0, 0, l, th));
  if (rt != 0)
    CopyPictureRect(*picture, Rect(s.Right - rt, s.Top, s.Right, s.Bottom), target,
                    Rect(tw - rt, 0, tw, th));
}

void TvnSkinCaptionObject::DrawCaptionText(TvnFramePainter& canvas, int x, int y,
                                           bool active) const {
  std::u16string text = OwnerForm().CaptionText();
  if (text.empty() || IsZeroRect(TextRect)) return;
  const TRect tr = CaptionTextRect();
  text = EllipsisText(canvas, text, tr.Width());
  const TPoint extent = canvas.TextExtent(text);
  const TPoint at = PlaceCaptionText(tr, extent, x, y);

  if (!IsZeroRect(FrameRect) && StatePicture != nullptr) {
    const TRect source = active && !IsZeroRect(ActiveFrameRect) ? ActiveFrameRect : FrameRect;
    TPixelBitmap frame;
    ComposeTextFrame(frame, *StatePicture, source, FrameLeftOffset, FrameRightOffset,
                     FrameRect.Width() + extent.X - FrameTextRect.Width());
    canvas.DrawBitmap(frame, at.X - FrameTextRect.Left, at.Y - FrameTextRect.Top);
  }
  if (Shadow) {
    const TColor textColour = active ? ActiveFontColor : FontColor;
    SetCaptionFont(canvas, active ? ActiveShadowColor : ShadowColor);
    canvas.TextOut(at.X + 1, at.Y + 1, text);
    canvas.SetTextColor(textColour);
  }
  canvas.TextOut(at.X, at.Y, text);
}

TPixelBitmap TvnSkinCaptionObject::ComposeLook(TvnFramePainter& canvas, const TRect& source,
                                               const TPixelBitmap* picture, bool active) const {
  TPixelBitmap look;
  ComposeCaptionBackground(look, source, picture);
  if (!look.IsEmpty()) {
    std::unique_ptr<TvnFramePainter> p = canvas.PainterOn(look);
    SetCaptionFont(*p, active ? ActiveFontColor : FontColor);
    DrawCaptionText(*p, 0, 0, active);
  }
  return look;
}

void TvnSkinCaptionObject::Draw(TvnFramePainter& canvas, bool) {
  TvnFrameObjectHost& host = OwnerForm();
  SetCaptionFont(canvas, ActiveLook ? ActiveFontColor : FontColor);
  const bool morphing =
      MorphEnabled && ((MorphFactor > 0 && !ActiveLook) || (MorphFactor < 1 && ActiveLook));
  if (morphing) {
    TPixelBitmap normal = ComposeLook(canvas, NormalRect, FramePicture, false);
    const TPixelBitmap active = ComposeLook(canvas, HotRect, StatePicture, true);
    if (normal.IsEmpty()) return;
    host.Morph(normal, active, MorphMode, MorphFactor);
    if (host.AutoRenderInactive() && !ActiveLook) host.ApplyInactiveEffect(normal);
    canvas.DrawBitmap(normal, ObjectRect.Left, ObjectRect.Top);
  } else if (IsZeroRect(HotRect) || (!ActiveLook && !MorphEnabled)) {
    // The plain case: text straight over the frame that was just painted.
    DrawCaptionText(canvas, ObjectRect.Left, ObjectRect.Top, ActiveLook);
  } else if (ActiveLook) {
    const TPixelBitmap active = ComposeLook(canvas, HotRect, StatePicture, true);
    if (!active.IsEmpty()) canvas.DrawBitmap(active, ObjectRect.Left, ObjectRect.Top);
  } else {
    TPixelBitmap normal = ComposeLook(canvas, NormalRect, FramePicture, false);
    if (normal.IsEmpty()) return;
    if (host.AutoRenderInactive()) host.ApplyInactiveEffect(normal);
    canvas.DrawBitmap(normal, ObjectRect.Left, ObjectRect.Top);
  }
}
