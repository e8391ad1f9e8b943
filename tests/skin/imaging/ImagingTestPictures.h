#pragma once
// Pictures for the imaging tests. A "coded" picture stores in every pixel where it came from:
// blue = x, green = y (both modulo 256), red = a tag. Reading a composed target then tells which
// source pixel landed where, so tiling phase and stretch sampling are visible pixel by pixel.
#include <cstdint>

#include "framework/Geometry.h"
#include "framework/PixelBitmap.h"
#include "skin/imaging/vnUtilsCompose.h"

inline TPixelBitmap CodedPicture(int width, int height, std::uint8_t tag = 7) {
  TPixelBitmap b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = b.ScanLine(y) + x * 3;
      p[0] = static_cast<std::uint8_t>(x);
      p[1] = static_cast<std::uint8_t>(y);
      p[2] = tag;
    }
  return b;
}

// The source pixel a coded pixel came from.
inline TPoint SourceOf(const TPixelBitmap& b, int x, int y) {
  const std::uint8_t* p = b.ScanLine(y) + x * 3;
  return {p[0], p[1]};
}

// The geometry of the skin the program carries: a 191 x 135 picture, left and right sides
// stretched, top and bottom tiled.
inline TvnSkinPoints QuillonSkinPoints() {
  return {{46, 32}, {110, 30}, {54, 115}, {138, 115}, {8, 28, 184, 118}};
}
inline TvnStretchFlags QuillonStretch() { return {true, false, true, false}; }

// A 24 x 20 mask with a random pattern of black (inside) and white pixels, and its geometry:
// inner rectangle (4, 4, 20, 16), corners at 6,5 / 18,5 / 6,15 / 18,15.
inline TPixelBitmap PatternMask(unsigned seed = 1) {
  TPixelBitmap mask(24, 20);
  unsigned state = seed * 2654435761u + 1;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 24; ++x) {
      state = state * 1103515245u + 12345u;
      if ((state >> 16) & 1) mask.SetPixel(x, y, 0x00FFFFFF);
    }
  return mask;
}
inline TvnSkinPoints PatternMaskPoints() { return {{6, 5}, {18, 5}, {6, 15}, {18, 15}, {4, 4, 20, 16}}; }

inline bool IsBlack(const TPixelBitmap& mask, int x, int y) { return mask.GetPixel(x, y) == 0; }

// Whether window pixel (x, y) of a W x H window belongs to the frame region, worked out pixel by
// pixel from the mask geometry: the inner rectangle always; the top and bottom bands from their
// ends, and their middles tiled from the left corner point; the side bands tiled from the strip
// top, under their upper and lower ends.
inline bool InFrameRegion(const TPixelBitmap& mask, const TvnSkinPoints& s, int W, int H, int x, int y) {
  const TvnSkinPoints n = ShiftSkinPoints(s, mask.Width(), mask.Height(), W, H);
  if (x < 0 || y < 0 || x >= W || y >= H) return false;
  if (n.Cl.Contains({x, y})) return true;
  auto band = [&](int row, int leftX, int rightX, int newLeftX, int newRightX) {
    if (x < leftX) return IsBlack(mask, x, row);
    if (x >= newRightX) return IsBlack(mask, rightX + x - newRightX, row);
    return IsBlack(mask, leftX + (x - newLeftX) % (rightX - leftX), row);
  };
  if (y < s.Cl.Top) return band(y, s.LT.X, s.RT.X, n.LT.X, n.RT.X);
  if (y >= n.Cl.Bottom) return band(s.Cl.Bottom + y - n.Cl.Bottom, s.LB.X, s.RB.X, n.LB.X, n.RB.X);
  const int r = y - n.Cl.Top, h = n.Cl.Height();
  auto side = [&](int column, int upperY, int lowerY) {
    // The lower end is drawn last, so it wins where the two ends meet.
    if (r >= h - (s.Cl.Bottom - lowerY)) return IsBlack(mask, column, lowerY + r - (h - (s.Cl.Bottom - lowerY)));
    if (r < upperY - s.Cl.Top) return IsBlack(mask, column, s.Cl.Top + r);
    return IsBlack(mask, column, upperY + r % (lowerY - upperY));
  };
  if (x < s.Cl.Left) return side(x, s.LT.Y, s.LB.Y);
  return side(s.Cl.Right + x - n.Cl.Right, s.RT.Y, s.RB.Y);
}
