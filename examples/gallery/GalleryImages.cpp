#include "examples/gallery/GalleryImages.h"

#include <cstdint>

namespace {

constexpr std::uint32_t kTransparent = 0xFF00FF;  // magenta, as 0x00BBGGRR

void FillBox(TPixelBitmap& p, int l, int t, int r, int b, std::uint32_t colour) {
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x) p.SetPixel(x, y, colour);
}

void Outline(TPixelBitmap& p, int l, int t, int r, int b, std::uint32_t colour) {
  for (int x = l; x < r; ++x) p.SetPixel(x, t, colour), p.SetPixel(x, b - 1, colour);
  for (int y = t; y < b; ++y) p.SetPixel(l, y, colour), p.SetPixel(r - 1, y, colour);
}

TPixelBitmap Blank() {
  TPixelBitmap p(16, 16);
  p.Fill(kTransparent);
  return p;
}

TPixelBitmap Page() {
  TPixelBitmap p = Blank();
  FillBox(p, 3, 1, 13, 15, 0xFFFFFF);
  Outline(p, 3, 1, 13, 15, 0x404040);
  for (int y = 4; y < 13; y += 2) FillBox(p, 5, y, 11, y + 1, 0xA06020);
  return p;
}

TPixelBitmap Disk() {
  TPixelBitmap p = Blank();
  FillBox(p, 1, 1, 15, 15, 0x8C4A1E);
  FillBox(p, 4, 1, 12, 6, 0xE0E0E0);
  FillBox(p, 3, 9, 13, 15, 0xFFFFFF);
  Outline(p, 1, 1, 15, 15, 0x402010);
  return p;
}

TPixelBitmap Folder() {
  TPixelBitmap p = Blank();
  FillBox(p, 1, 3, 7, 5, 0x30B0E8);
  FillBox(p, 1, 5, 15, 14, 0x50C8F0);
  Outline(p, 1, 5, 15, 14, 0x206890);
  return p;
}

TPixelBitmap Star() {
  TPixelBitmap p = Blank();
  // A diamond with a cross through it: reads as a star at this size.
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const int dx = x < 8 ? 7 - x : x - 8, dy = y < 8 ? 7 - y : y - 8;
      if (dx + dy <= 5 || (dx <= 1 && dy <= 7) || (dy <= 1 && dx <= 7)) p.SetPixel(x, y, 0x10C0F8);
    }
  return p;
}

}  // namespace

void AddGalleryImages(TImageList& images) {
  images.SetSize(16, 16);
  for (const TPixelBitmap& picture : {Page(), Disk(), Folder(), Star()}) images.Add(picture, kTransparent);
}
