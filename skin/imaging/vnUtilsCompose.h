#pragma once
// Skin image composition: turns one framed rectangle of a skin picture (corner points, client
// rectangle, stretch flags) into a picture of any size. Everything works on the project's
// 24-bit pixel memory with two primitives: a same-size block copy and a nearest-pixel stretch
// with centre sampling. Sources are only read; targets are resized and drawn on.
#include "framework/Geometry.h"
#include "framework/PixelBitmap.h"

// The geometry of a framed piece: the four corner points and the client rectangle, relative to
// the skin rectangle (or, for a target, in target coordinates).
struct TvnSkinPoints {
  TPoint LT;  // left-top: X ends the corner along the top band, Y along the left band
  TPoint RT;  // right-top: X starts the corner along the top band, Y ends it along the right band
  TPoint LB;  // left-bottom: X ends the corner along the bottom band, Y starts it along the left
  TPoint RB;  // right-bottom: X starts the corner along the bottom band, Y along the right band
  TRect Cl;   // client rectangle; its sides give the four border thicknesses
  friend bool operator==(const TvnSkinPoints&, const TvnSkinPoints&) = default;
};

// Which variable middles are stretched; the others are tiled.
struct TvnStretchFlags {
  bool Left = false;
  bool Top = false;
  bool Right = false;
  bool Bottom = false;
};

enum class TvnClientFill { Skip, Tile };

// A read-only picture handed to the composition routines as a view (they never write to it).
inline TPixelView ViewOf(const TPixelBitmap& picture) {
  return {const_cast<std::uint8_t*>(picture.Bytes().data()), picture.Width(), picture.Height(),
          picture.Stride()};
}

// ---- Primitives ---------------------------------------------------------------------------

// Copies the w x h block at (sx, sy) of src to (dx, dy) of dst, one memcpy per row. The copy is
// clipped to both pictures: what falls outside either is left out.
void CopyPixels(const TPixelView& src, int sx, int sy, int w, int h, const TPixelView& dst,
                int dx, int dy);

// Stretches the source rectangle s onto the target rectangle d with nearest-pixel sampling and
// centre alignment: target offset i of a side of D pixels takes source offset
// floor((2i + 1) * S / (2D)). Target pixels outside dst are left out; target pixels whose sample
// lies outside the source picture become black, as from a fresh temporary bitmap.
void StretchPixels(const TPixelView& src, TRect s, const TPixelView& dst, TRect d);

// Span tiling along x: the piece (source rectangle) is repeated over the target span
// [start, start + length) in target rows top .. top + piece height, the first copy at start and
// the last one cut at the span's end. A piece of length zero or less draws nothing.
void TilePixelsX(const TPixelView& src, TRect piece, const TPixelView& dst, int start, int length,
                 int top);
// The same along y, in target columns left .. left + piece width.
void TilePixelsY(const TPixelView& src, TRect piece, const TPixelView& dst, int start, int length,
                 int left);
// Tiles the piece in both directions over the target area, anchored at the area's top-left
// corner and cut at its right and bottom sides.
void TilePixels2D(const TPixelView& src, TRect piece, const TPixelView& dst, TRect area);

// ---- Composition --------------------------------------------------------------------------

// The target geometry for a W x H target: corners and border thicknesses keep their size; the
// right and bottom parts move with the growth (dx = W - SW, dy = H - SH).
TvnSkinPoints ShiftSkinPoints(const TvnSkinPoints& source, int SW, int SH, int W, int H);

// Resizes the target to W x H and draws all thirteen pieces of the skin rectangle (the client
// only with TvnClientFill::Tile). Tiled edges start at the target corner points.
void ComposeSkinImage(const TvnSkinPoints& source, const TvnSkinPoints& target,
                      TPixelBitmap& image, const TPixelBitmap& picture, TRect skinRect, int W,
                      int H, TvnClientFill fill, TvnStretchFlags stretch);

// ComposeSkinImage with every edge tiled.
void ComposeTiledSkinImage(const TvnSkinPoints& source, const TvnSkinPoints& target,
                           TPixelBitmap& image, const TPixelBitmap& picture, TRect skinRect,
                           int W, int H, TvnClientFill fill);

// The four border strips of a W x H window frame, each in its own bitmap. Tiles start at the
// strip's own origin and run under the end pieces. A strip whose guard fails is left as it is.
// Produced in the order top, bottom, left, right: the side strips take their height
// from the other two.
// Returns which strips were made.
struct TvnFrameStripsMade {
  bool Top = false, Bottom = false, Left = false, Right = false;
};
TvnFrameStripsMade ComposeFrameStrips(const TvnSkinPoints& source, const TvnSkinPoints& target,
                                      TPixelBitmap& leftStrip, TPixelBitmap& topStrip,
                                      TPixelBitmap& rightStrip, TPixelBitmap& bottomStrip,
                                      const TPixelBitmap& picture, TRect skinRect, int W, int H,
                                      TvnStretchFlags stretch);

// W x SH: the left end (p columns) and the right end (q columns) fixed, the middle tiled.
void ComposeHorzSkinImage(int p, int q, TPixelBitmap& image, const TPixelBitmap& picture,
                          TRect skinRect, int W);
// SW x H: the top end (p rows) and the bottom end (q rows) fixed, the middle tiled.
void ComposeVertSkinImage(int p, int q, TPixelBitmap& image, const TPixelBitmap& picture,
                          TRect skinRect, int H);
