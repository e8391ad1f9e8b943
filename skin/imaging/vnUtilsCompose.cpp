// Index: clipping helpers; CopyPixels; StretchPixels; TilePixelsX/Y/2D; ShiftSkinPoints;
// ComposeSkinImage; ComposeFrameStrips; ComposeHorzSkinImage; ComposeVertSkinImage.
#include "skin/imaging/vnUtilsCompose.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using i64 = std::int64_t;

// Pixel offsets and sizes from a skin file may be anything; all clipping is done in 64 bits so
// that no sum overflows.
struct TSpan {
  i64 Start;
  i64 End;
  bool Empty() const { return End <= Start; }
};

TSpan Intersect(TSpan a, TSpan b) { return {std::max(a.Start, b.Start), std::min(a.End, b.End)}; }

bool Inside(TRect r, const TPixelView& v) {
  return r.Left >= 0 && r.Top >= 0 && r.Right <= v.Width && r.Bottom <= v.Height &&
         r.Left <= r.Right && r.Top <= r.Bottom;
}

// Frame strips are narrow: a side strip's row is 20-odd bytes, and a library call per row costs
// more than the copy. Rows of up to 32 bytes are moved with two overlapping fixed-size loads and
// stores, read before written, so a row may still be moved onto itself.
template <std::size_t N>
inline void MoveTwoChunks(std::uint8_t* to, const std::uint8_t* from, std::size_t n) {
  struct TChunk {
    unsigned char Bytes[N];
  } head, tail;
  std::memcpy(&head, from, N);
  std::memcpy(&tail, from + n - N, N);
  std::memcpy(to, &head, N);
  std::memcpy(to + n - N, &tail, N);
}

inline void MoveRow(std::uint8_t* to, const std::uint8_t* from, std::size_t n) {
  if (n > 32) {
    std::memmove(to, from, n);
  } else if (n >= 16) {
    MoveTwoChunks<16>(to, from, n);
  } else if (n >= 8) {
    MoveTwoChunks<8>(to, from, n);
  } else if (n >= 4) {
    MoveTwoChunks<4>(to, from, n);
  } else if (n > 0) {
    const std::uint8_t a = from[0], b = from[n / 2], c = from[n - 1];
    to[0] = a;
    to[n / 2] = b;
    to[n - 1] = c;
  }
}

// floor((2i + 1) * S / (2D)) for i = first, first + 1, ... without a division per step: the
// quotient and remainder are carried from one offset to the next.
class TCentreSampler {
public:
  TCentreSampler(i64 first, i64 S, i64 D)
      : FDivisor(2 * D), FStepQuotient(2 * S / (2 * D)), FStepRemainder(2 * S % (2 * D)) {
    const i64 numerator = (2 * first + 1) * S;
    FQuotient = numerator / FDivisor;
    FRemainder = numerator % FDivisor;
  }
  i64 Value() const { return FQuotient; }
  void Next() {
    FQuotient += FStepQuotient;
    FRemainder += FStepRemainder;
    if (FRemainder >= FDivisor) {
      FRemainder -= FDivisor;
      ++FQuotient;
    }
  }

private:
  i64 FDivisor, FStepQuotient, FStepRemainder;
  i64 FQuotient = 0, FRemainder = 0;
};

}  // namespace

void CopyPixels(const TPixelView& src, int sx, int sy, int w, int h, const TPixelView& dst,
                int dx, int dy) {
  if (w <= 0 || h <= 0 || src.IsEmpty() || dst.IsEmpty()) return;
  // The part of the block that lies in both pictures, in block offsets.
  TSpan cols{0, w}, rows{0, h};
  cols = Intersect(cols, {-i64{sx}, i64{src.Width} - sx});
  cols = Intersect(cols, {-i64{dx}, i64{dst.Width} - dx});
  rows = Intersect(rows, {-i64{sy}, i64{src.Height} - sy});
  rows = Intersect(rows, {-i64{dy}, i64{dst.Height} - dy});
  if (cols.Empty() || rows.Empty()) return;
  const std::size_t bytes = static_cast<std::size_t>(cols.End - cols.Start) * 3;
  for (i64 r = rows.Start; r < rows.End; ++r) {
    const std::uint8_t* from = src.Pixel(static_cast<int>(sx + cols.Start), static_cast<int>(sy + r));
    std::uint8_t* to = dst.Pixel(static_cast<int>(dx + cols.Start), static_cast<int>(dy + r));
    MoveRow(to, from, bytes);  // a move: a picture may be copied onto itself
  }
}

void StretchPixels(const TPixelView& src, TRect s, const TPixelView& dst, TRect d) {
  const i64 sw = i64{s.Right} - s.Left, sh = i64{s.Bottom} - s.Top;
  const i64 dw = i64{d.Right} - d.Left, dh = i64{d.Bottom} - d.Top;
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0 || dst.IsEmpty()) return;
  const TSpan cols = Intersect({d.Left, d.Right}, {0, dst.Width});
  const TSpan rows = Intersect({d.Top, d.Bottom}, {0, dst.Height});
  if (cols.Empty() || rows.Empty()) return;

  // Source column of every target column (-1 where the sample lies outside the picture).
  std::vector<int> column(static_cast<std::size_t>(cols.End - cols.Start));
  bool allColumnsInside = true;
  TCentreSampler columns(cols.Start - d.Left, sw, dw);
  for (i64 x = cols.Start; x < cols.End; ++x, columns.Next()) {
    const i64 sx = s.Left + columns.Value();
    const bool inside = sx >= 0 && sx < src.Width;
    column[static_cast<std::size_t>(x - cols.Start)] = inside ? static_cast<int>(sx) : -1;
    allColumnsInside = allColumnsInside && inside;
  }
  const bool plainRows = allColumnsInside && sw == dw;  // columns map one to one
  const std::size_t rowBytes = static_cast<std::size_t>(cols.End - cols.Start) * 3;

  // Columns one to one and every source row inside the picture (a frame's side strip): a
  // straight walk down both pictures, each target row copied from its source row.
  if (plainRows && !src.IsEmpty() && s.Top >= 0 && s.Bottom <= src.Height) {
    TCentreSampler sourceRows(rows.Start - d.Top, sh, dh);
    const std::uint8_t* from = src.Pixel(column[0], 0);
    std::uint8_t* to = dst.Pixel(static_cast<int>(cols.Start), static_cast<int>(rows.Start));
    for (i64 y = rows.Start; y < rows.End; ++y, sourceRows.Next(), to += dst.Stride)
      MoveRow(to, from + (s.Top + sourceRows.Value()) * src.Stride, rowBytes);
    return;
  }
  // Rows sampling the same source row are copied from the first of them, not from the one just
  // written: copying each row from its neighbour chains every copy to the stores before it.
  i64 previousSource = -1;
  const std::uint8_t* previousRow = nullptr;
  TCentreSampler sourceRows(rows.Start - d.Top, sh, dh);
  for (i64 y = rows.Start; y < rows.End; ++y, sourceRows.Next()) {
    const i64 sy = s.Top + sourceRows.Value();
    std::uint8_t* to = dst.Pixel(static_cast<int>(cols.Start), static_cast<int>(y));
    if (sy < 0 || sy >= src.Height || src.IsEmpty()) {
      std::memset(to, 0, rowBytes);
      previousRow = nullptr;
      continue;
    }
    if (plainRows) {
      MoveRow(to, src.Pixel(column[0], static_cast<int>(sy)), rowBytes);
    } else if (sy == previousSource && previousRow) {
      MoveRow(to, previousRow, rowBytes);  // a repeated source row: copy the finished row
    } else if (plainRows) {
      MoveRow(to, src.Pixel(column[0], static_cast<int>(sy)), rowBytes);
    } else {
      const std::uint8_t* from = src.ScanLine(static_cast<int>(sy));
      std::uint8_t* p = to;
      for (int sx : column) {
        if (sx >= 0) {
          const std::uint8_t* q = from + sx * 3;
          p[0] = q[0];
          p[1] = q[1];
          p[2] = q[2];
        } else {
          p[0] = p[1] = p[2] = 0;
        }
        p += 3;
      }
    }
    if (sy != previousSource || previousRow == nullptr) previousRow = to;
    previousSource = sy;
  }
}

void TilePixelsX(const TPixelView& src, TRect piece, const TPixelView& dst, int start, int length,
                 int top) {
  const i64 d = i64{piece.Right} - piece.Left;
  const i64 h = i64{piece.Bottom} - piece.Top;
  if (d <= 0 || h <= 0 || length <= 0 || dst.IsEmpty() || src.IsEmpty()) return;
  if (!Inside(piece, src)) {
    // A piece that reaches outside its picture (a malformed description): copy tile by tile and
    // let each copy clip itself.
    const i64 n = length / d;
    for (i64 k = 0; k <= n; ++k) {
      const i64 at = start + k * d;
      const i64 cut = std::max<i64>(0, (k + 1) * d - length);
      if (d - cut > 0)
        CopyPixels(src, piece.Left, piece.Top, static_cast<int>(d - cut), static_cast<int>(h), dst,
                   static_cast<int>(at), top);
    }
    return;
  }
  // The tiled span is periodic: after the first period, every pixel repeats the one d pixels
  // before it. Each row gets its first period from the piece; a piece of 16 pixels or more is
  // then repeated from that first period, a narrower one doubles what the row has (doubling
  // reads what was just written, which costs more than it saves when the copies are few).
  const TSpan span = Intersect({start, i64{start} + length}, {0, dst.Width});
  const TSpan rows = Intersect({top, i64{top} + h}, {0, dst.Height});
  if (span.Empty() || rows.Empty()) return;
  const i64 total = span.End - span.Start;
  const i64 phase = (span.Start - start) % d;
  const i64 first = std::min(d - phase, total);
  const i64 second = std::min(phase, total - first);
  const i64 period = std::min(d, total);
  for (i64 y = rows.Start; y < rows.End; ++y) {
    const std::uint8_t* from = src.Pixel(piece.Left, static_cast<int>(piece.Top + (y - top)));
    std::uint8_t* to = dst.Pixel(static_cast<int>(span.Start), static_cast<int>(y));
    MoveRow(to, from + phase * 3, static_cast<std::size_t>(first) * 3);
    if (second > 0) MoveRow(to + first * 3, from, static_cast<std::size_t>(second) * 3);
    if (d >= 16) {
      for (i64 filled = period; filled < total; filled += d)
        MoveRow(to + filled * 3, to, static_cast<std::size_t>(std::min(d, total - filled)) * 3);
      continue;
    }
    for (i64 filled = period; filled < total;) {
      const i64 n = std::min(filled, total - filled);
      MoveRow(to + filled * 3, to, static_cast<std::size_t>(n) * 3);
      filled += n;
    }
  }
}

void TilePixelsY(const TPixelView& src, TRect piece, const TPixelView& dst, int start, int length,
                 int left) {
  const i64 d = i64{piece.Bottom} - piece.Top;
  const i64 w = i64{piece.Right} - piece.Left;
  if (d <= 0 || w <= 0 || length <= 0) return;
  const i64 n = length / d;
  for (i64 k = 0; k <= n; ++k) {
    const i64 at = start + k * d;
    const i64 cut = std::max<i64>(0, (k + 1) * d - length);
    if (d - cut > 0)
      CopyPixels(src, piece.Left, piece.Top, static_cast<int>(w), static_cast<int>(d - cut), dst,
                 left, static_cast<int>(at));
  }
}

void TilePixels2D(const TPixelView& src, TRect piece, const TPixelView& dst, TRect area) {
  const i64 r = i64{piece.Right} - piece.Left, t = i64{piece.Bottom} - piece.Top;
  const i64 aw = i64{area.Right} - area.Left, ah = i64{area.Bottom} - area.Top;
  if (r <= 0 || t <= 0 || aw <= 0 || ah <= 0) return;
  if (!Inside(piece, src) || area.Top < 0) {
    for (i64 j = 0; j <= ah / t; ++j) {
      const i64 cut = std::max<i64>(0, (j + 1) * t - ah);
      if (t - cut <= 0) continue;
      TRect band = piece;
      band.Bottom = static_cast<int>(piece.Top + (t - cut));
      TilePixelsX(src, band, dst, area.Left, static_cast<int>(aw), static_cast<int>(area.Top + j * t));
    }
    return;
  }
  // One band of tiles, then every further row repeats the row t rows above it.
  TRect band = piece;
  band.Bottom = static_cast<int>(piece.Top + std::min(t, ah));
  TilePixelsX(src, band, dst, area.Left, static_cast<int>(aw), area.Top);
  const TSpan cols = Intersect({area.Left, area.Right}, {0, dst.Width});
  const TSpan rows = Intersect({i64{area.Top} + t, area.Bottom}, {0, dst.Height});
  if (cols.Empty()) return;
  for (i64 y = rows.Start; y < rows.End; ++y) {
    std::memcpy(dst.Pixel(static_cast<int>(cols.Start), static_cast<int>(y)),
                dst.Pixel(static_cast<int>(cols.Start), static_cast<int>(y - t)),
                static_cast<std::size_t>(cols.End - cols.Start) * 3);
  }
}

TvnSkinPoints ShiftSkinPoints(const TvnSkinPoints& s, int SW, int SH, int W, int H) {
  const int dx = W - SW, dy = H - SH;
  TvnSkinPoints n;
  n.LT = s.LT;
  n.RT = {s.RT.X + dx, s.RT.Y};
  n.LB = {s.LB.X, s.LB.Y + dy};
  n.RB = {s.RB.X + dx, s.RB.Y + dy};
  n.Cl = {s.Cl.Left, s.Cl.Top, s.Cl.Right + dx, s.Cl.Bottom + dy};
  return n;
}

namespace {

// One edge of ComposeSkinImage: the source piece either stretched onto the target rectangle
// or tiled along the edge's direction from the target rectangle's start.
enum class TEdgeDirection { Horizontal, Vertical };

void DrawEdge(const TPixelView& src, TRect piece, const TPixelView& dst, TRect target,
              bool stretch, TEdgeDirection direction) {
  if (stretch) {
    StretchPixels(src, piece, dst, target);
  } else if (direction == TEdgeDirection::Horizontal) {
    piece.Bottom = piece.Top + target.Height();  // the band's thickness is the target's
    TilePixelsX(src, piece, dst, target.Left, target.Width(), target.Top);
  } else {
    piece.Right = piece.Left + target.Width();
    TilePixelsY(src, piece, dst, target.Top, target.Height(), target.Left);
  }
}

// A fixed piece: copied 1:1 with the target's size from the source piece's top-left corner.
void DrawFixed(const TPixelView& src, TPoint from, const TPixelView& dst, TRect target) {
  CopyPixels(src, from.X, from.Y, target.Width(), target.Height(), dst, target.Left, target.Top);
}

}  // namespace

void ComposeSkinImage(const TvnSkinPoints& s, const TvnSkinPoints& n, TPixelBitmap& image,
                      const TPixelBitmap& picture, TRect skinRect, int W, int H,
                      TvnClientFill fill, TvnStretchFlags stretch) {
  image.SetSize(W, H);
  if (s.RB.X == s.LT.X || s.RB.Y == s.LT.Y || picture.IsEmpty()) return;
  const TPixelView src = ViewOf(picture);
  const TPixelView dst = image.View();
  const int SX = skinRect.Left, SY = skinRect.Top;
  const int SW = skinRect.Width(), SH = skinRect.Height();
  auto piece = [&](int l, int t, int r, int b) { return TRect{SX + l, SY + t, SX + r, SY + b}; };
  auto at = [&](int x, int y) { return TPoint{SX + x, SY + y}; };

  DrawEdge(src, piece(s.LT.X, 0, s.RT.X, s.Cl.Top), dst, {n.LT.X, 0, n.RT.X, n.Cl.Top},
           stretch.Top, TEdgeDirection::Horizontal);
  DrawEdge(src, piece(s.LB.X, s.Cl.Bottom, s.RB.X, SH), dst, {n.LB.X, n.Cl.Bottom, n.RB.X, H},
           stretch.Bottom, TEdgeDirection::Horizontal);
  DrawEdge(src, piece(0, s.LT.Y, s.Cl.Left, s.LB.Y), dst, {0, n.LT.Y, n.Cl.Left, n.LB.Y},
           stretch.Left, TEdgeDirection::Vertical);
  DrawEdge(src, piece(s.Cl.Right, s.RT.Y, SW, s.RB.Y), dst, {n.Cl.Right, n.RT.Y, W, n.RB.Y},
           stretch.Right, TEdgeDirection::Vertical);

  DrawFixed(src, at(0, 0), dst, {0, 0, n.LT.X, n.Cl.Top});
  DrawFixed(src, at(0, s.Cl.Top), dst, {0, n.Cl.Top, n.Cl.Left, n.LT.Y});
  DrawFixed(src, at(s.RT.X, 0), dst, {n.RT.X, 0, W, n.Cl.Top});
  DrawFixed(src, at(s.Cl.Right, s.Cl.Top), dst, {n.Cl.Right, n.Cl.Top, W, n.RT.Y});
  DrawFixed(src, at(0, s.LB.Y), dst, {0, n.LB.Y, n.Cl.Left, H});
  DrawFixed(src, at(s.Cl.Left, s.Cl.Bottom), dst, {n.Cl.Left, n.Cl.Bottom, n.LB.X, H});
  DrawFixed(src, at(s.RB.X, s.Cl.Bottom), dst, {n.RB.X, n.Cl.Bottom, W, H});
  DrawFixed(src, at(s.Cl.Right, s.RB.Y), dst, {n.Cl.Right, n.RB.Y, W, n.Cl.Bottom});

  if (fill == TvnClientFill::Tile)
    TilePixels2D(src, piece(s.Cl.Left, s.Cl.Top, s.Cl.Right, s.Cl.Bottom), dst, n.Cl);
}

void ComposeTiledSkinImage(const TvnSkinPoints& source, const TvnSkinPoints& target,
                           TPixelBitmap& image, const TPixelBitmap& picture, TRect skinRect,
                           int W, int H, TvnClientFill fill) {
  ComposeSkinImage(source, target, image, picture, skinRect, W, H, fill, TvnStretchFlags{});
}

TvnFrameStripsMade ComposeFrameStrips(const TvnSkinPoints& s, const TvnSkinPoints& n,
                                      TPixelBitmap& leftStrip, TPixelBitmap& topStrip,
                                      TPixelBitmap& rightStrip, TPixelBitmap& bottomStrip,
                                      const TPixelBitmap& picture, TRect skinRect, int W, int H,
                                      TvnStretchFlags stretch) {
  const TPixelView src = ViewOf(picture);
  const int SX = skinRect.Left, SY = skinRect.Top;
  const int SW = skinRect.Width(), SH = skinRect.Height();
  auto piece = [&](int l, int t, int r, int b) { return TRect{SX + l, SY + t, SX + r, SY + b}; };
  TvnFrameStripsMade made;

  // Top strip: W x client top.
  const int h = n.Cl.Top;
  if (W > 0 && h > 0 && s.RT.X - s.LT.X > 0) {
    topStrip.SetSize(W, h);
    made.Top = true;
    const TPixelView dst = topStrip.View();
    if (stretch.Top)
      StretchPixels(src, piece(s.LT.X, 0, s.RT.X, h), dst, {n.LT.X, 0, n.RT.X, h});
    else
      TilePixelsX(src, piece(s.LT.X, 0, s.RT.X, h), dst, 0, W, 0);
    CopyPixels(src, SX, SY, n.LT.X, h, dst, 0, 0);
    CopyPixels(src, SX + s.RT.X, SY, W - n.RT.X, h, dst, n.RT.X, 0);
  }

  // Bottom strip: W x (H - client bottom), from the last rows of the skin rectangle.
  const int b = H - n.Cl.Bottom;
  if (W > 0 && b > 0 && s.RB.X - s.LB.X > 0) {
    bottomStrip.SetSize(W, b);
    made.Bottom = true;
    const TPixelView dst = bottomStrip.View();
    if (stretch.Bottom)
      StretchPixels(src, piece(s.LB.X, SH - b, s.RB.X, SH), dst, {n.LB.X, 0, n.RB.X, b});
    else
      TilePixelsX(src, piece(s.LB.X, SH - b, s.RB.X, SH), dst, 0, W, 0);
    CopyPixels(src, SX, SY + SH - b, n.LB.X, b, dst, 0, 0);
    CopyPixels(src, SX + s.RB.X, SY + SH - b, W - n.RB.X, b, dst, n.RB.X, 0);
  }

  // The side strips stand for the rows between the top and the bottom strip.
  const int m = H - bottomStrip.Height() - topStrip.Height();

  if (n.Cl.Left > 0 && m > 0 && s.LB.Y - s.LT.Y > 0) {
    const int w = n.Cl.Left;
    leftStrip.SetSize(w, m);
    made.Left = true;
    const TPixelView dst = leftStrip.View();
    if (stretch.Left)
      StretchPixels(src, piece(0, s.LT.Y, w, s.LB.Y), dst,
                    {0, s.LT.Y - s.Cl.Top, w, m + s.LB.Y - s.Cl.Bottom});
    else
      TilePixelsY(src, piece(0, s.LT.Y, w, s.LB.Y), dst, 0, m, 0);
    if (s.LT.Y - s.Cl.Top > 0) CopyPixels(src, SX, SY + s.Cl.Top, w, s.LT.Y - s.Cl.Top, dst, 0, 0);
    if (s.Cl.Bottom - s.LB.Y > 0)
      CopyPixels(src, SX, SY + s.LB.Y, w, s.Cl.Bottom - s.LB.Y, dst, 0, m - (s.Cl.Bottom - s.LB.Y));
  }

  const int rw = W - n.Cl.Right;
  if (rw >= 1 && m >= 1 && s.RB.Y - s.RT.Y >= 1) {
    rightStrip.SetSize(rw, m);
    made.Right = true;
    const TPixelView dst = rightStrip.View();
    if (stretch.Right)
      StretchPixels(src, piece(s.Cl.Right, s.RT.Y, SW, s.RB.Y), dst,
                    {0, s.RT.Y - s.Cl.Top, rw, m + s.RB.Y - s.Cl.Bottom});
    else
      TilePixelsY(src, piece(s.Cl.Right, s.RT.Y, s.Cl.Right + rw, s.RB.Y), dst, 0, m, 0);
    if (s.RT.Y - s.Cl.Top > 0)
      CopyPixels(src, SX + s.Cl.Right, SY + s.Cl.Top, rw, s.RT.Y - s.Cl.Top, dst, 0, 0);
    if (s.Cl.Bottom - s.RB.Y > 0)
      CopyPixels(src, SX + s.Cl.Right, SY + s.RB.Y, rw, s.Cl.Bottom - s.RB.Y, dst, 0,
                 m - (s.Cl.Bottom - s.RB.Y));
  }
  return made;
}

void ComposeHorzSkinImage(int p, int q, TPixelBitmap& image, const TPixelBitmap& picture,
                          TRect skinRect, int W) {
  const int SW = skinRect.Width(), SH = skinRect.Height();
  image.SetSize(W, SH);
  const TPixelView src = ViewOf(picture);
  const TPixelView dst = image.View();
  const int SX = skinRect.Left, SY = skinRect.Top;
  if (p != 0) CopyPixels(src, SX, SY, p, SH, dst, 0, 0);
  if (q != 0) CopyPixels(src, SX + SW - q, SY, q, SH, dst, W - q, 0);
  // A middle of width 0 is taken as one column wide, the first column after the left end.
  const int d = (SW - q - p == 0) ? 1 : SW - q - p;
  TilePixelsX(src, {SX + p, SY, SX + p + d, SY + SH}, dst, p, W - p - q, 0);
}

void ComposeVertSkinImage(int p, int q, TPixelBitmap& image, const TPixelBitmap& picture,
                          TRect skinRect, int H) {
  const int SW = skinRect.Width(), SH = skinRect.Height();
  image.SetSize(SW, H);
  const TPixelView src = ViewOf(picture);
  const TPixelView dst = image.View();
  const int SX = skinRect.Left, SY = skinRect.Top;
  if (p != 0) CopyPixels(src, SX, SY, SW, p, dst, 0, 0);
  if (q != 0) CopyPixels(src, SX, SY + SH - q, SW, q, dst, 0, H - q);
  // A middle of height 0 draws nothing.
  TilePixelsY(src, {SX, SY + p, SX + SW, SY + SH - q}, dst, p, H - p - q, 0);
}
