#include "skin/imaging/vnUtilsRegion_win.h"

#include <cstddef>
#include <utility>

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
  {
    const TvnScreenDC screen;
    FSection = TvnCounted<TvnOwnedBitmap>(::CreateDIBSection(
        screen.Get(), reinterpret_cast<BITMAPINFO*>(&FHeader), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!FSection) return;
    BITMAPINFO request{};
    request.bmiHeader = FHeader;
    ::GetDIBits(screen.Get(), source, 0, static_cast<UINT>(height), bits, &request, DIB_RGB_COLORS);
  }
  FWidth = width;
  FHeight = height;
  FPadBytes = width % 4;
  FRowStride = 3 * width + FPadBytes;
  FBits = static_cast<std::uint8_t*>(bits);
  FRows.resize(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) FRows[static_cast<std::size_t>(y)] = FBits + static_cast<std::size_t>(y) * FRowStride;
  FDC = TvnCounted<TvnOwnedMemoryDC>(::CreateCompatibleDC(nullptr));
  FSelected.Select(FDC.Get(), FSection.Get());
}

TvnRegionData BuildRegionData(HBITMAP mask, int ox, int oy) {
  const TvnFBitmap bitmap(mask);
  return BuildRegionData(bitmap.View(), ox, oy);
}

TvnOwnedRegion RegionFromData(const TvnRegionData& data) {
  if (data.Size() == 0) return {};
  return TvnCounted<TvnOwnedRegion>(::ExtCreateRegion(
      nullptr, static_cast<DWORD>(data.Size()), reinterpret_cast<const RGNDATA*>(data.Bytes.data())));
}

TvnOwnedRegion RegionFromMask(const TPixelView& mask) { return RegionFromData(BuildRegionData(mask, 0, 0)); }

TvnOwnedRegion RegionFromMask(HBITMAP mask) { return RegionFromData(BuildRegionData(mask, 0, 0)); }

TvnOwnedRegion FrameRegionFromMask(const TvnSkinPoints& s, const TvnSkinPoints& n,
                                   const TPixelView& mask, int W, int H) {
  if (n.LT.X > n.RT.X || n.LT.Y > n.LB.Y) return {};
  TPixelBitmap top, left, right, bottom;
  ComposeMaskStrips(s, n, mask, top, left, right, bottom, W, H);
  const TvnMaskStripOrigins at = MaskStripOrigins(n.Cl);
  auto stripRegion = [](TPixelBitmap& strip, TPoint origin) -> TvnOwnedRegion {
    if (strip.IsEmpty()) return {};
    return RegionFromData(BuildRegionData(strip.View(), origin.X, origin.Y));
  };
  // The pieces in the order they are united: top with bottom, left with right, then the two
  // together, then the inner rectangle. A piece that does not exist is left out of the union.
  TvnOwnedRegion pieces[] = {
      stripRegion(top, at.Top), stripRegion(bottom, at.Bottom), stripRegion(left, at.Left),
      stripRegion(right, at.Right),
      n.Cl.IsEmpty() ? TvnOwnedRegion()
                     : TvnCounted<TvnOwnedRegion>(::CreateRectRgn(n.Cl.Left, n.Cl.Top, n.Cl.Right, n.Cl.Bottom))};
  TvnOwnedRegion result;
  for (TvnOwnedRegion& piece : pieces) {
    if (!piece) continue;
    if (!result) {
      result = std::move(piece);
      continue;
    }
    ::CombineRgn(result.Get(), result.Get(), piece.Get(), RGN_OR);
  }  // the united pieces are deleted with the array
  return result;
}

TvnOwnedRegion FrameRegionFromMask(const TvnSkinPoints& s, const TvnSkinPoints& n, HBITMAP mask,
                                   int W, int H) {
  const TvnFBitmap bitmap(mask);
  return FrameRegionFromMask(s, n, bitmap.View(), W, H);
}
