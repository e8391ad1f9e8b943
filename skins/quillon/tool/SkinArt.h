#pragma once
// Small anti-aliased drawing kit for the skin pictures: colours, blending, vertical gradients
// and shapes given as signed distance functions, sampled 4 x 4 times per pixel. Only +, -, *, /
// and sqrt are used, so a picture comes out byte for byte the same on every run.
#include "framework/Geometry.h"
#include "framework/PixelBitmap.h"

#include <cstdint>
#include <functional>

struct TRgb {
  std::uint8_t R = 0;
  std::uint8_t G = 0;
  std::uint8_t B = 0;
  friend bool operator==(const TRgb&, const TRgb&) = default;
};

constexpr TRgb Rgb(int r, int g, int b) {
  return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
}
// The platform colour value 0x00BBGGRR, as a description writes colours.
constexpr std::uint32_t ColorValue(TRgb c) { return c.R | (c.G << 8) | (static_cast<std::uint32_t>(c.B) << 16); }

// a + (b - a) * t, rounded to the nearest integer; t is clamped to 0..1.
TRgb Mix(TRgb a, TRgb b, double t);

TRgb GetRgb(const TPixelBitmap& bmp, int x, int y);
void PutRgb(TPixelBitmap& bmp, int x, int y, TRgb c);
void BlendRgb(TPixelBitmap& bmp, int x, int y, TRgb c, double alpha);

void FillRect(TPixelBitmap& bmp, TRect r, TRgb c);
// Rows of r go from top to bottom (inclusive of both ends) as the row index runs 0..height-1.
void FillVGradient(TPixelBitmap& bmp, TRect r, TRgb top, TRgb bottom);
void FillHGradient(TPixelBitmap& bmp, TRect r, TRgb left, TRgb right);
// Copies a rectangle of one picture into another at (x, y).
void CopyRect(TPixelBitmap& dst, int x, int y, const TPixelBitmap& src, TRect r);

// A shape: signed distance from (x, y) to its outline, negative inside, in pixels.
using TShape = std::function<double(double x, double y)>;

// Blends colour over every pixel of the clip rectangle by the share of its 16 samples that lie
// inside the shape (times alpha).
void FillShape(TPixelBitmap& bmp, TRect clip, const TShape& shape, TRgb c, double alpha = 1.0);
// The same with a colour that depends on the pixel (gradients inside a shape).
using TPaint = std::function<TRgb(int x, int y)>;
void PaintShape(TPixelBitmap& bmp, TRect clip, const TShape& shape, const TPaint& paint, double alpha = 1.0);
// The share (0..1) of pixel (x, y) covered by the shape.
double Coverage(const TShape& shape, int x, int y);

// Shape builders. Coordinates are in pixel units: pixel (x, y) spans x..x+1, y..y+1.
TShape RoundRectShape(double left, double top, double right, double bottom, double radius);
// A rectangle whose top corners are rounded by radius and whose bottom corners are square.
TShape TopRoundRectShape(double left, double top, double right, double bottom, double radius);
TShape CircleShape(double cx, double cy, double radius);
// A line from (x0, y0) to (x1, y1) with round ends, half as thick as given by halfWidth.
TShape CapsuleShape(double x0, double y0, double x1, double y1, double halfWidth);
TShape UnionShape(TShape a, TShape b);
TShape SubtractShape(TShape a, TShape b);
TShape TriangleShape(double x0, double y0, double x1, double y1, double x2, double y2);

// A framed box: a rounded rectangle filled with a vertical gradient and outlined by a
// one-pixel border (anti-aliased at the corners).
struct TBoxStyle {
  TRgb Border;
  TRgb FillTop;
  TRgb FillBottom;
  double Radius = 3;
  // An optional one-pixel inner highlight just inside the border (alpha 0 for none).
  TRgb Highlight = Rgb(255, 255, 255);
  double HighlightAlpha = 0;
};
void DrawBox(TPixelBitmap& bmp, TRect r, const TBoxStyle& style);

// Arrow glyphs (a filled triangle) centred in r. Kinds: 1 left, 2 right, 3 up, 4 down.
void DrawArrowGlyph(TPixelBitmap& bmp, TRect r, int kind, TRgb c, double size = 3.5);
