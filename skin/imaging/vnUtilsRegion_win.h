#pragma once
// Window regions from masks, Win32 part: TvnFBitmap (a 24-bit copy of any bitmap with direct
// row access) and the regions made from region data blocks. Every region returned here is
// counted and owned by the caller until it is handed to a window (GiveRegionToWindow).
#include <windows.h>

#include "skin/imaging/vnGdi_win.h"

#include <cstdint>
#include <vector>

#include "skin/imaging/vnUtilsRegion.h"

// A top-down 24-bit DIB section made from an existing bitmap of any depth (1-bit masks
// included), selected into a memory DC compatible with the screen.
class TvnFBitmap {
public:
  explicit TvnFBitmap(HBITMAP source);
  TvnFBitmap(const TvnFBitmap&) = delete;
  TvnFBitmap& operator=(const TvnFBitmap&) = delete;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int RowStride() const { return FRowStride; }  // 3 x width + width mod 4
  int PadBytes() const { return FPadBytes; }    // width mod 4
  int ImageSize() const { return FRowStride * FHeight; }
  std::uint8_t* Bits() const { return FBits; }
  std::uint8_t* Row(int y) const { return FRows[static_cast<std::size_t>(y)]; }
  HBITMAP Handle() const { return FSection.Get(); }
  HDC DC() const { return FDC.Get(); }
  TPixelView View() const { return {FBits, FWidth, FHeight, FRowStride}; }

private:
  int FWidth = 0;
  int FHeight = 0;
  int FRowStride = 0;
  int FPadBytes = 0;
  std::uint8_t* FBits = nullptr;  // owned by the section
  std::vector<std::uint8_t*> FRows;
  BITMAPINFOHEADER FHeader{};
  TvnOwnedBitmap FSection;
  TvnOwnedMemoryDC FDC;
  TvnSelection FSelected;  // the section in the DC; goes out before either is deleted
};

// Region data of a mask given as a bitmap handle (scanned through a TvnFBitmap).
TvnRegionData BuildRegionData(HBITMAP mask, int ox, int oy);

// A region from a region data block; none (nullptr) for a block of size 0.
TvnOwnedRegion RegionFromData(const TvnRegionData& data);

// The region of the whole mask at (0, 0); none for an empty mask.
TvnOwnedRegion RegionFromMask(const TPixelView& mask);
TvnOwnedRegion RegionFromMask(HBITMAP mask);

// The region of a W x H window from the mask strips and the inner rectangle: the union of the
// pieces that exist. None when the window is smaller than the fixed corners or no piece exists.
TvnOwnedRegion FrameRegionFromMask(const TvnSkinPoints& source, const TvnSkinPoints& target,
                         const TPixelView& mask, int W, int H);
TvnOwnedRegion FrameRegionFromMask(const TvnSkinPoints& source, const TvnSkinPoints& target, HBITMAP mask,
                         int W, int H);
