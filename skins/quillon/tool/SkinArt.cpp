#include "skins/quillon/tool/SkinArt.h"

#include <algorithm>
#include <cmath>

namespace {

int RoundToInt(double v) { return static_cast<int>(std::floor(v + 0.5)); }

double Clamp01(double t) { return t < 0 ? 0 : (t > 1 ? 1 : t); }

std::uint8_t MixChannel(int a, int b, double t) {
  return static_cast<std::uint8_t>(std::clamp(RoundToInt(a + (b - a) * t), 0, 255));
}

TRect Intersect(TRect a, int width, int height) {
  return {std::max(a.Left, 0), std::max(a.Top, 0), std::min(a.Right, width), std::min(a.Bottom, height)};
}

}  // namespace

TRgb Mix(TRgb a, TRgb b, double t) {
  t = Clamp01(t);
  return {MixChannel(a.R, b.R, t), MixChannel(a.G, b.G, t), MixChannel(a.B, b.B, t)};
}

TRgb GetRgb(const TPixelBitmap& bmp, int x, int y) {
  const std::uint8_t* p = bmp.ScanLine(y) + x * 3;
  return {p[2], p[1], p[0]};
}

void PutRgb(TPixelBitmap& bmp, int x, int y, TRgb c) {
  if (x < 0 || y < 0 || x >= bmp.Width() || y >= bmp.Height()) return;
  std::uint8_t* p = bmp.ScanLine(y) + x * 3;
  p[0] = c.B;
  p[1] = c.G;
  p[2] = c.R;
}

void BlendRgb(TPixelBitmap& bmp, int x, int y, TRgb c, double alpha) {
  if (x < 0 || y < 0 || x >= bmp.Width() || y >= bmp.Height() || alpha <= 0) return;
  PutRgb(bmp, x, y, Mix(GetRgb(bmp, x, y), c, alpha));
}

void FillRect(TPixelBitmap& bmp, TRect r, TRgb c) {
  r = Intersect(r, bmp.Width(), bmp.Height());
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) PutRgb(bmp, x, y, c);
}

void FillVGradient(TPixelBitmap& bmp, TRect r, TRgb top, TRgb bottom) {
  const int h = r.Height();
  for (int y = r.Top; y < r.Bottom; ++y) {
    const TRgb c = h <= 1 ? top : Mix(top, bottom, double(y - r.Top) / (h - 1));
    FillRect(bmp, {r.Left, y, r.Right, y + 1}, c);
  }
}

void FillHGradient(TPixelBitmap& bmp, TRect r, TRgb left, TRgb right) {
  const int w = r.Width();
  for (int x = r.Left; x < r.Right; ++x) {
    const TRgb c = w <= 1 ? left : Mix(left, right, double(x - r.Left) / (w - 1));
    FillRect(bmp, {x, r.Top, x + 1, r.Bottom}, c);
  }
}

void CopyRect(TPixelBitmap& dst, int x, int y, const TPixelBitmap& src, TRect r) {
  for (int j = r.Top; j < r.Bottom; ++j)
    for (int i = r.Left; i < r.Right; ++i) PutRgb(dst, x + i - r.Left, y + j - r.Top, GetRgb(src, i, j));
}

double Coverage(const TShape& shape, int x, int y) {
  int inside = 0;
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i)
      if (shape(x + (i + 0.5) / 4.0, y + (j + 0.5) / 4.0) < 0) ++inside;
  return inside / 16.0;
}

void PaintShape(TPixelBitmap& bmp, TRect clip, const TShape& shape, const TPaint& paint, double alpha) {
  clip = Intersect(clip, bmp.Width(), bmp.Height());
  for (int y = clip.Top; y < clip.Bottom; ++y)
    for (int x = clip.Left; x < clip.Right; ++x) {
      const double cover = Coverage(shape, x, y);
      if (cover > 0) BlendRgb(bmp, x, y, paint(x, y), cover * alpha);
    }
}

void FillShape(TPixelBitmap& bmp, TRect clip, const TShape& shape, TRgb c, double alpha) {
  PaintShape(bmp, clip, shape, [c](int, int) { return c; }, alpha);
}

TShape RoundRectShape(double left, double top, double right, double bottom, double radius) {
  const double cx = (left + right) / 2, cy = (top + bottom) / 2;
  const double hw = (right - left) / 2, hh = (bottom - top) / 2;
  return [=](double x, double y) {
    const double qx = std::abs(x - cx) - (hw - radius);
    const double qy = std::abs(y - cy) - (hh - radius);
    const double ox = std::max(qx, 0.0), oy = std::max(qy, 0.0);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0) - radius;
  };
}

TShape TopRoundRectShape(double left, double top, double right, double bottom, double radius) {
  return [=](double x, double y) {
    if (y < top + radius && (x < left + radius || x > right - radius)) {
      const double cx = x < left + radius ? left + radius : right - radius;
      const double dx = x - cx, dy = y - (top + radius);
      return std::sqrt(dx * dx + dy * dy) - radius;
    }
    return std::max(std::max(left - x, x - right), std::max(top - y, y - bottom));
  };
}

TShape CircleShape(double cx, double cy, double radius) {
  return [=](double x, double y) {
    const double dx = x - cx, dy = y - cy;
    return std::sqrt(dx * dx + dy * dy) - radius;
  };
}

TShape CapsuleShape(double x0, double y0, double x1, double y1, double halfWidth) {
  return [=](double x, double y) {
    const double vx = x1 - x0, vy = y1 - y0;
    const double len2 = vx * vx + vy * vy;
    double t = len2 > 0 ? ((x - x0) * vx + (y - y0) * vy) / len2 : 0;
    t = Clamp01(t);
    const double dx = x - (x0 + t * vx), dy = y - (y0 + t * vy);
    return std::sqrt(dx * dx + dy * dy) - halfWidth;
  };
}

TShape UnionShape(TShape a, TShape b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return std::min(a(x, y), b(x, y)); };
}

TShape SubtractShape(TShape a, TShape b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return std::max(a(x, y), -b(x, y)); };
}

TShape TriangleShape(double x0, double y0, double x1, double y1, double x2, double y2) {
  // Signed distance to each edge line, normals pointing outward; the largest is the distance
  // of a convex shape (exact inside, a close bound outside, which is all sampling needs).
  const double area = (x1 - x0) * (y2 - y0) - (x2 - x0) * (y1 - y0);
  const double sign = area > 0 ? 1.0 : -1.0;
  const double xs[3] = {x0, x1, x2}, ys[3] = {y0, y1, y2};
  return [=](double x, double y) {
    double d = -1e9;
    for (int i = 0; i < 3; ++i) {
      const double ax = xs[i], ay = ys[i], bx = xs[(i + 1) % 3], by = ys[(i + 1) % 3];
      const double ex = bx - ax, ey = by - ay;
      const double len = std::sqrt(ex * ex + ey * ey);
      // Outward normal of a counter-clockwise edge in y-down coordinates.
      const double nx = sign * ey / len, ny = -sign * ex / len;
      d = std::max(d, (x - ax) * nx + (y - ay) * ny);
    }
    return d;
  };
}

void DrawBox(TPixelBitmap& bmp, TRect r, const TBoxStyle& style) {
  const TShape outer = RoundRectShape(r.Left, r.Top, r.Right, r.Bottom, style.Radius);
  const TShape inner = RoundRectShape(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1, std::max(style.Radius - 1, 0.0));
  FillShape(bmp, r, outer, style.Border);
  const int h = r.Height() - 2;
  PaintShape(bmp, r, inner, [&](int, int y) {
    return h <= 1 ? style.FillTop : Mix(style.FillTop, style.FillBottom, double(y - r.Top - 1) / (h - 1));
  });
  if (style.HighlightAlpha > 0) {
    const TShape ring = SubtractShape(inner, RoundRectShape(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2,
                                                            std::max(style.Radius - 2, 0.0)));
    FillShape(bmp, r, ring, style.Highlight, style.HighlightAlpha);
  }
}

void DrawArrowGlyph(TPixelBitmap& bmp, TRect r, int kind, TRgb c, double size) {
  const double cx = (r.Left + r.Right) / 2.0, cy = (r.Top + r.Bottom) / 2.0;
  const double a = size, b = size / 2;
  TShape tri;
  switch (kind) {
    case 1: tri = TriangleShape(cx - b, cy, cx + b, cy - a, cx + b, cy + a); break;
    case 2: tri = TriangleShape(cx + b, cy, cx - b, cy - a, cx - b, cy + a); break;
    case 3: tri = TriangleShape(cx, cy - b, cx - a, cy + b, cx + a, cy + b); break;
    default: tri = TriangleShape(cx, cy + b, cx - a, cy - b, cx + a, cy - b); break;
  }
  FillShape(bmp, r, tri, c);
}
