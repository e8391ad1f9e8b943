#include "skin/imaging/vnUtilsRegion_win.h"

#include <cstddef>

static_assert(sizeof(RGNDATAHEADER) == sizeof(TvnRgnDataHeader));
static_assert(offsetof(RGNDATAHEADER, nCount) == offsetof(TvnRgnDataHeader, nCount));
static_assert(offsetof(RGNDATAHEADER, rcBound) == offsetof(TvnRgnDataHeader, BoundLeft));
static_assert(sizeof(RECT) == sizeof(TvnRgnRect));

TvnFBitmap::TvnFBitmap(HBITMAP source) {
  BITMAP info{};
  if (!source || ::GetObjectW(source, sizeof info, &info) == 0 || info.bmWidth <= 0 ||
      info.bmHeight == 0)
    return;
  const int width = info.bmWidth;
  const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  FHeader.biSize = sizeof FHeader;
  FHeader.biWidth = width;
  FHeader.biHeight = -height;  // top-down
  FHeader.biPlanes = 1;
  FHeader.biBitCount = 24;
  FHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = ::GetDC(nullptr);
  FSection = ::CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&FHeader), DIB_RGB_COLORS,
                                &bits, nullptr, 0);
  if (FSection) {
    BITMAPINFO request{};
    request.bmiHeader = FHeader;
    ::GetDIBits(screen, source, 0, static_cast<UINT>(height), bits, &request, DIB_RGB_COLORS);
  }
  ::ReleaseDC(nullptr, screen);
  if (!FSection) return;
  FWidth = width;
  FHeight = height;
  FPadBytes = width % 4;
  FRowStride = 3 * width + FPadBytes;
  FBits = static_cast<std::uint8_t*>(bits);
  FRows.resize(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) FRows[static_cast<std::size_t>(y)] = FBits + static_cast<std::size_t>(y) * FRowStride;
  FDC = ::CreateCompatibleDC(nullptr);
  if (FDC) FOldBitmap = ::SelectObject(FDC, FSection);
}

TvnFBitmap::~TvnFBitmap() {
  if (FDC) {
    ::SelectObject(FDC, FOldBitmap);  // the section goes back out before either is deleted
    ::DeleteDC(FDC);
  }
  if (FSection) ::DeleteObject(FSection);
}

TvnRegionData BuildRegionData(HBITMAP mask, int ox, int oy) {
  const TvnFBitmap bitmap(mask);
  return BuildRegionData(bitmap.View(), ox, oy);
}

HRGN RegionFromData(const TvnRegionData& data) {
  if (data.Size() == 0) return nullptr;
  return ::ExtCreateRegion(nullptr, static_cast<DWORD>(data.Size()),
                           reinterpret_cast<const RGNDATA*>(data.Bytes.data()));
}

HRGN RegionFromMask(const TPixelView& mask) { return RegionFromData(BuildRegionData(mask, 0, 0)); }

HRGN RegionFromMask(HBITMAP mask) { return RegionFromData(BuildRegionData(mask, 0, 0)); }

HRGN FrameRegionFromMask(const TvnSkinPoints& s, const TvnSkinPoints& n, const TPixelView& mask,
                         int W, int H) {
  if (n.LT.X > n.RT.X || n.LT.Y > n.LB.Y) return nullptr;
  TPixelBitmap top, left, right, bottom;
  ComposeMaskStrips(s, n, mask, top, left, right, bottom, W, H);
  const TvnMaskStripOrigins at = MaskStripOrigins(n.Cl);
  auto stripRegion = [](TPixelBitmap& strip, TPoint origin) -> HRGN {
    if (strip.IsEmpty()) return nullptr;
    return RegionFromData(BuildRegionData(strip.View(), origin.X, origin.Y));
  };
  // The pieces in the order they are united: top with bottom, left with right, then the two
  // together, then the inner rectangle. A piece that does not exist is left out of the union.
  HRGN pieces[] = {
      stripRegion(top, at.Top), stripRegion(bottom, at.Bottom), stripRegion(left, at.Left),
      stripRegion(right, at.Right),
      n.Cl.IsEmpty() ? nullptr : ::CreateRectRgn(n.Cl.Left, n.Cl.Top, n.Cl.Right, n.Cl.Bottom)};
  HRGN result = nullptr;
  for (HRGN piece : pieces) {
    if (!piece) continue;
    if (!result) {
      result = piece;
      continue;
    }
    ::CombineRgn(result, result, piece, RGN_OR);
    ::DeleteObject(piece);
  }
  return result;
}

HRGN FrameRegionFromMask(const TvnSkinPoints& s, const TvnSkinPoints& n, HBITMAP mask, int W,
                         int H) {
  const TvnFBitmap bitmap(mask);
  return FrameRegionFromMask(s, n, bitmap.View(), W, H);
}
