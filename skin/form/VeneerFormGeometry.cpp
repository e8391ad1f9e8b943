#include "skin/form/VeneerFormGeometry.h"

#include <algorithm>

namespace {

TPoint Shift(TPoint p, int dx, int dy) { return {p.X + dx, p.Y + dy}; }

}  // namespace

TvnFrameGeometry CalcFrameGeometry(const TvnFrameSkin& skin, int width, int height) {
  const int dw = width - skin.PictureWidth;
  const int dh = height - skin.PictureHeight;
  TvnFrameGeometry g;
  g.Width = width;
  g.Height = height;
  // Only the right and bottom parts move; the left-top corner stays where the skin has it.
  g.LeftTop = skin.LeftTopPoint;
  g.RightTop = Shift(skin.RightTopPoint, dw, 0);
  g.LeftBottom = Shift(skin.LeftBottomPoint, 0, dh);
  g.RightBottom = Shift(skin.RightBottomPoint, dw, dh);

  g.Client = skin.ClientRect;
  g.Client.Right += dw;
  g.Client.Bottom += dh;

  g.Caption = skin.CaptionRect;
  if (!skin.CaptionRect.IsEmpty()) g.Caption.Right += dw;

  // Buttons drawn in the right half of the picture follow the right edge; buttons in the left
  // half stay where they are.
  g.Buttons = skin.ButtonsRect;
  if (!skin.ButtonsRect.IsEmpty() && skin.ButtonsRect.Left > skin.PictureWidth / 2)
    g.Buttons = g.Buttons.Offset(dw, 0);
  g.ButtonsInLeft = skin.ButtonsInLeft;
  g.ButtonsOffset = skin.ButtonsOffset;

  g.HitLeftTop = skin.HitTestLeftTopPoint;
  g.HitRightTop = Shift(skin.HitTestRightTopPoint, dw, 0);
  g.HitLeftBottom = Shift(skin.HitTestLeftBottomPoint, 0, dh);
  g.HitRightBottom = Shift(skin.HitTestRightBottomPoint, dw, dh);

  g.MaskArea = skin.MaskRectArea;
  g.MaskArea.Right += dw;
  g.MaskArea.Bottom += dh;
  return g;
}

TRect MapSkinRect(const TvnFrameSkin& skin, const TvnFrameGeometry& geometry, const TRect& rect) {
  const TRect lt = Rect(0, 0, skin.LeftTopPoint.X, skin.LeftTopPoint.Y);
  const TRect rt = Rect(skin.RightTopPoint.X, 0, skin.PictureWidth, skin.RightTopPoint.Y);
  const TRect lb = Rect(0, skin.LeftBottomPoint.Y, skin.LeftBottomPoint.X, skin.PictureHeight);
  const TRect rb = Rect(skin.RightBottomPoint.X, skin.RightBottomPoint.Y, skin.PictureWidth,
                        skin.PictureHeight);
  const int dx = geometry.RightBottom.X - skin.RightBottomPoint.X;
  const int dy = geometry.RightBottom.Y - skin.RightBottomPoint.Y;

  // The bottom-right point is tested as it stands (exclusive edge and all), so a piece that
  // ends exactly on a corner line counts as spanning into the next area.
  const TPoint tl{rect.Left, rect.Top};
  const TPoint br{rect.Right, rect.Bottom};
  auto liesIn = [&](const TRect& area) { return area.Contains(tl) && area.Contains(br); };

  if (liesIn(lt)) return rect;
  if (liesIn(rt)) return rect.Offset(dx, 0);
  if (liesIn(lb)) return rect.Offset(0, dy);
  if (liesIn(rb)) return rect.Offset(dx, dy);

  TRect r = rect;
  if (lt.Contains(tl) && rb.Contains(br)) {
    r.Right += dx;
    r.Bottom += dy;
  } else if (lt.Contains(tl) && rt.Contains(br)) {
    r.Right += dx;
  } else if (lb.Contains(tl) && rb.Contains(br)) {
    r.Right += dx;
    r = r.Offset(0, dy);
  } else if (lt.Contains(tl) && lb.Contains(br)) {
    r.Bottom += dy;
  } else if (rt.Contains(tl) && rb.Contains(br)) {
    r = r.Offset(dx, 0);
    r.Bottom += dy;
  }
  return r;
}

namespace {

TRect Uncrossed(TRect r) {
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  return r;
}

}  // namespace

TRect SkinClientRect(const TvnFrameSkin& skin, const TRect& proposed) {
  TRect r = proposed;
  r.Left += skin.ClientRect.Left;
  r.Top += skin.ClientRect.Top;
  r.Right -= skin.PictureWidth - skin.ClientRect.Right;
  r.Bottom -= skin.PictureHeight - skin.ClientRect.Bottom;
  return Uncrossed(r);
}

TRect DefaultClientRect(int defaultCaptionHeight, const TRect& proposed) {
  TRect r = proposed;
  r.Left += 3;
  r.Top += defaultCaptionHeight + 3;
  r.Right -= 3;
  r.Bottom -= 3;
  return Uncrossed(r);
}

namespace {

bool BlackAt(const TPixelBitmap& strip, int x, int y) {
  if (x < 0 || y < 0 || x >= strip.Width() || y >= strip.Height()) return false;
  return strip.GetPixel(x, y) == 0;
}

}  // namespace

bool IsMaskOpaque(const TvnMaskStrips& strips, const TRect& maskArea, TPoint q) {
  if (maskArea.Contains(q)) return true;
  if (q.Y <= maskArea.Top) return BlackAt(strips.Top, q.X, q.Y);
  if (q.Y < maskArea.Bottom) {
    if (q.X > maskArea.Left) return BlackAt(strips.Right, q.X - maskArea.Right, q.Y - maskArea.Top);
    return BlackAt(strips.Left, q.X, q.Y - maskArea.Top);
  }
  return BlackAt(strips.Bottom, q.X, q.Y - maskArea.Bottom);
}

namespace {

bool OverCaption(const TvnHitTestState& state, TPoint p) {
  return std::any_of(state.CaptionRects.begin(), state.CaptionRects.end(),
                     [&](const TRect& r) { return r.Contains(p); });
}

}  // namespace

TvnHitCode SkinHitTest(const TvnFrameSkin& skin, const TvnFrameGeometry& g,
                       const TvnHitTestState& state, TPoint p) {
  if (!state.RolledUp && !state.Minimized) {
    if (state.HasActiveObject && !OverCaption(state, p) && !g.Client.Contains(p) &&
        !state.SizeMoveLoop)
      return hcObject;

    if (!state.Maximized && state.Sizeable) {
      const int b = skin.BorderWidth;
      const TPoint probes[4] = {{p.X - b, p.Y}, {p.X, p.Y - b}, {p.X + b, p.Y}, {p.X, p.Y + b}};
      const TRect window = Rect(0, 0, g.Width, g.Height);
      bool nearEdge = false;
      if (state.Mask == nullptr) {
        nearEdge = std::any_of(std::begin(probes), std::end(probes),
                               [&](TPoint q) { return !window.Contains(q); });
      } else if (!g.MaskArea.Contains(p)) {
        nearEdge = std::any_of(std::begin(probes), std::end(probes), [&](TPoint q) {
          return !IsMaskOpaque(*state.Mask, g.MaskArea, q);
        });
      }

      if (!nearEdge) {
        if (g.Client.Contains(p)) return hcClient;
        return OverCaption(state, p) ? hcCaption : hcObject;
      }
      if (p.X <= g.HitLeftTop.X && p.Y <= g.HitLeftTop.Y) return hcTopLeft;
      if (p.X >= g.HitRightTop.X && p.Y <= g.HitRightTop.Y) return hcTopRight;
      if (p.X <= g.HitLeftBottom.X && p.Y >= g.HitLeftBottom.Y) return hcBottomLeft;
      if (p.X >= g.HitRightBottom.X && p.Y >= g.HitRightBottom.Y) return hcBottomRight;
      if (Rect(g.HitLeftTop.X, 0, g.HitRightTop.X, g.Client.Top).Contains(p)) return hcTop;
      if (Rect(g.HitLeftBottom.X, g.Client.Bottom, g.HitRightBottom.X, g.Height).Contains(p))
        return hcBottom;
      if (Rect(0, g.HitLeftTop.Y, g.Client.Left, g.HitLeftBottom.Y).Contains(p)) return hcLeft;
      if (Rect(g.Client.Right, g.HitRightTop.Y, g.Width, g.HitRightBottom.Y).Contains(p))
        return hcRight;
      // Near the edge but in none of the sizing zones (a gap the hit-test points leave):
      // the ordinary answer below.
    }
    if (g.Client.Contains(p)) return hcClient;
  }
  return OverCaption(state, p) ? hcCaption : hcObject;
}

TvnHitCode DefaultHitTest(int width, int height, int captionHeight, const TRect& defaultCaption,
                          const TvnHitTestState& state, TPoint p) {
  const bool normal = !state.Minimized && !state.Maximized;
  if (normal && !state.RolledUp && state.Sizeable) {
    if (state.HasActiveObject) return hcObject;
    const bool left = p.X <= 2, top = p.Y <= 2;
    const bool right = p.X >= width - 2, bottom = p.Y >= height - 2;
    if (left && top) return hcTopLeft;
    if (right && top) return hcTopRight;
    if (left && bottom) return hcBottomLeft;
    if (right && bottom) return hcBottomRight;
    if (left) return hcLeft;
    if (top) return hcTop;
    if (right) return hcRight;
    if (bottom) return hcBottom;
  }
  if (defaultCaption.Contains(p)) return hcCaption;
  if (Rect(3, captionHeight + 3, width - 3, height - 3).Contains(p)) return hcClient;
  return hcObject;
}
