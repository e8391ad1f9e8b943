#pragma once
// Window regions from mask pictures: black pixels belong to the window, every other colour lies
// outside. The portable half scans masks into runs and lays them out as the platform's region
// data block; the Win32 half (vnUtilsRegion_win.h) turns such blocks into regions.
#include <bit>
#include <cstdint>
#include <optional>
#include <vector>

#include "framework/Geometry.h"
#include "framework/PixelBitmap.h"
#include "skin/imaging/vnUtilsCompose.h"

static_assert(std::endian::native == std::endian::little,
              "region data blocks are written in the platform's little-endian layout");

// The header of a region data block, byte for byte the platform's RGNDATAHEADER.
struct TvnRgnDataHeader {
  std::uint32_t dwSize = 32;   // size of this header
  std::uint32_t iType = 1;     // RDH_RECTANGLES
  std::uint32_t nCount = 0;    // rectangles that follow
  std::uint32_t nRgnSize = 0;  // unused (0)
  std::int32_t BoundLeft = 0, BoundTop = 0, BoundRight = 0, BoundBottom = 0;  // rcBound
};
static_assert(sizeof(TvnRgnDataHeader) == 32);

// One rectangle of the block, byte for byte the platform's RECT.
struct TvnRgnRect {
  std::int32_t Left, Top, Right, Bottom;
};
static_assert(sizeof(TvnRgnRect) == 16);

// A region data block: the 32-byte header followed by nCount rectangles of 16 bytes. Empty
// (Size() == 0) for an empty mask.
struct TvnRegionData {
  std::vector<std::uint8_t> Bytes;

  std::size_t Size() const { return Bytes.size(); }
  // The header (a zero header for an empty block).
  TvnRgnDataHeader Header() const;
  std::uint32_t Count() const { return Header().nCount; }
  // The rectangles in block order.
  std::vector<TRect> Rects() const;
};

// Scans the mask row by row, top row first, left to right; every run of exactly black pixels
// becomes the rectangle (ox + x, oy + y, ox + end, oy + y + 1). Runs are never merged across
// rows, and the run list grows as far as the mask needs. rcBound is the offset mask rectangle.
TvnRegionData BuildRegionData(const TPixelView& mask, int ox, int oy);

// The four mask strips of a W x H window around the target inner rectangle NCl (the mask is
// always tiled, whatever the stretch flags say). A strip whose guard fails is made empty, so no
// stale picture from an earlier size can enter a region.
void ComposeMaskStrips(const TvnSkinPoints& source, const TvnSkinPoints& target,
                       const TPixelView& mask, TPixelBitmap& topStrip, TPixelBitmap& leftStrip,
                       TPixelBitmap& rightStrip, TPixelBitmap& bottomStrip, int W, int H);

// Where each mask strip goes in the window: top (0, 0), bottom (0, NCl.Bottom),
// left (0, NCl.Top), right (NCl.Right, NCl.Top).
struct TvnMaskStripOrigins {
  TPoint Top, Bottom, Left, Right;
};
TvnMaskStripOrigins MaskStripOrigins(const TRect& targetInner);

// The window region of a W x H window as rectangles: the union of the mask strips' runs and the
// inner rectangle, as disjoint rectangles in bands (top to bottom, left to right). No value
// when the window is smaller than the fixed corners or no piece exists.
std::optional<std::vector<TRect>> FrameRegionRects(const TvnSkinPoints& source,
                                                   const TvnSkinPoints& target,
                                                   const TPixelView& mask, int W, int H);

// Turns any rectangles into the disjoint banded rectangles that cover the same pixels: rows with
// the same intervals are joined into one band, touching intervals are merged.
std::vector<TRect> UnionOfRects(std::vector<TRect> rects);
