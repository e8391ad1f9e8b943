#include "framework/PixelBitmap.h"

#include <algorithm>

void TPixelBitmap::SetSize(int width, int height) {
  FWidth = std::max(width, 0);
  FHeight = std::max(height, 0);
  FBits.assign(static_cast<std::size_t>(Stride()) * FHeight, 0);
}

void TPixelBitmap::SetSizeForOverwrite(int width, int height) {
  FWidth = std::max(width, 0);
  FHeight = std::max(height, 0);
  // A bitmap that is replaced gives its memory back first, so two never live at once.
  TPixelBytes().swap(FBits);
  FBits.resize(static_cast<std::size_t>(Stride()) * FHeight);
}

std::uint32_t TPixelBitmap::GetPixel(int x, int y) const {
  const std::uint8_t* p = ScanLine(y) + x * 3;
  return p[2] | (p[1] << 8) | (static_cast<std::uint32_t>(p[0]) << 16);
}

void TPixelBitmap::SetPixel(int x, int y, std::uint32_t colour) {
  std::uint8_t* p = ScanLine(y) + x * 3;
  p[0] = static_cast<std::uint8_t>(colour >> 16);
  p[1] = static_cast<std::uint8_t>(colour >> 8);
  p[2] = static_cast<std::uint8_t>(colour);
}

void TPixelBitmap::Fill(std::uint32_t colour) {
  for (int x = 0; x < FWidth; ++x) SetPixel(x, 0, colour);
  for (int y = 1; y < FHeight; ++y) std::copy_n(ScanLine(0), FWidth * 3, ScanLine(y));
}

