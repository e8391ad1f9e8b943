#include "skin/imaging/vnDibSurface_win.h"

#include <algorithm>
#include <cstring>

// ---- TvnDibSurface --------------------------------------------------------------------------

TvnDibSurface::TvnDibSurface(int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (width == 0 || height == 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, as the project's pixels
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  FDC = TvnCounted<TvnOwnedMemoryDC>(::CreateCompatibleDC(nullptr));
  FBitmap = TvnCounted<TvnOwnedBitmap>(
      ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!FDC || !FBitmap || bits == nullptr) return;
  FSelected.Select(FDC.Get(), FBitmap.Get());
  ::SetBkMode(FDC.Get(), TRANSPARENT);  // text over the composed pixels
  FView = {static_cast<std::uint8_t*>(bits), width, height, RowStride24(width)};
}

void TvnDibSurface::Assign(const TPixelBitmap& bitmap) {
  if (IsEmpty()) return;
  ::GdiFlush();
  const int rows = std::min(Height(), bitmap.Height());
  const int bytes = std::min(Width(), bitmap.Width()) * 3;
  for (int y = 0; y < rows; ++y) std::memcpy(FView.ScanLine(y), bitmap.ScanLine(y), bytes);
}

void TvnDibSurface::CopyTo(TPixelBitmap& bitmap) const {
  if (IsEmpty()) return;
  ::GdiFlush();
  const int rows = std::min(Height(), bitmap.Height());
  const int bytes = std::min(Width(), bitmap.Width()) * 3;
  for (int y = 0; y < rows; ++y) std::memcpy(bitmap.ScanLine(y), FView.ScanLine(y), bytes);
}

void TvnDibSurface::BlitTo(HDC dc, int x, int y) const {
  if (IsEmpty()) return;
  ::BitBlt(dc, x, y, Width(), Height(), FDC.Get(), 0, 0, SRCCOPY);
}
