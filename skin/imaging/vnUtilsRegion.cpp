#include "skin/imaging/vnUtilsRegion.h"

#include <algorithm>
#include <cstring>

TvnRgnDataHeader TvnRegionData::Header() const {
  TvnRgnDataHeader header{};
  header.dwSize = header.iType = 0;
  if (Bytes.size() >= sizeof header) std::memcpy(&header, Bytes.data(), sizeof header);
  return header;
}

std::vector<TRect> TvnRegionData::Rects() const {
  std::vector<TRect> rects;
  const std::size_t count = Count();
  if (Bytes.size() < sizeof(TvnRgnDataHeader) + count * sizeof(TvnRgnRect)) return rects;
  rects.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    TvnRgnRect r;
    std::memcpy(&r, Bytes.data() + sizeof(TvnRgnDataHeader) + i * sizeof r, sizeof r);
    rects.push_back({r.Left, r.Top, r.Right, r.Bottom});
  }
  return rects;
}

TvnRegionData BuildRegionData(const TPixelView& mask, int ox, int oy) {
  TvnRegionData data;
  if (mask.IsEmpty()) return data;
  // The block is built in place: room for the header first, then one rectangle per run,
  // appended as the scan finds them (the block grows as far as the mask needs).
  data.Bytes.resize(sizeof(TvnRgnDataHeader));
  std::uint32_t count = 0;
  auto append = [&](int x, int y, int end) {
    const TvnRgnRect r{ox + x, oy + y, ox + end, oy + y + 1};
    const std::size_t at = data.Bytes.size();
    data.Bytes.resize(at + sizeof r);
    std::memcpy(data.Bytes.data() + at, &r, sizeof r);
    ++count;
  };
  for (int y = 0; y < mask.Height; ++y) {
    const std::uint8_t* row = mask.ScanLine(y);
    int x = 0;
    while (x < mask.Width) {
      const std::uint8_t* p = row + x * 3;
      if ((p[0] | p[1] | p[2]) != 0) {
        ++x;
        continue;
      }
      int end = x + 1;
      for (p += 3; end < mask.Width && (p[0] | p[1] | p[2]) == 0; p += 3) ++end;
      append(x, y, end);
      x = end;
    }
  }
  TvnRgnDataHeader header;
  header.nCount = count;
  header.BoundLeft = ox;
  header.BoundTop = oy;
  header.BoundRight = ox + mask.Width;
  header.BoundBottom = oy + mask.Height;
  std::memcpy(data.Bytes.data(), &header, sizeof header);
  return data;
}

void ComposeMaskStrips(const TvnSkinPoints& s, const TvnSkinPoints& n, const TPixelView& mask,
                       TPixelBitmap& topStrip, TPixelBitmap& leftStrip, TPixelBitmap& rightStrip,
                       TPixelBitmap& bottomStrip, int W, int H) {
  (void)H;  // the strips take their sizes from the inner rectangle and the mask
  const int MW = mask.Width, MH = mask.Height;
  const int innerHeight = n.Cl.Height();

  // A side strip: the piece between the two corner rows tiled from the strip's top, then the
  // upper and lower ends over it.
  auto side = [&](TPixelBitmap& strip, int left, int width, int upperY, int lowerY) {
    strip.SetSize(width, innerHeight);
    const TPixelView dst = strip.View();
    if (lowerY != upperY)
      TilePixelsY(mask, {left, upperY, left + width, lowerY}, dst, 0, innerHeight, 0);
    if (upperY - s.Cl.Top > 0) CopyPixels(mask, left, s.Cl.Top, width, upperY - s.Cl.Top, dst, 0, 0);
    if (s.Cl.Bottom - lowerY > 0)
      CopyPixels(mask, left, lowerY, width, s.Cl.Bottom - lowerY, dst, 0,
                 innerHeight - (s.Cl.Bottom - lowerY));
  };
  // A band: the middle piece tiled from the target's left corner point up to its right one,
  // then the left end at 0 and the right end from the right corner point to W.
  auto band = [&](TPixelBitmap& strip, int top, int height, int leftX, int rightX, int newLeftX,
                  int newRightX) {
    strip.SetSize(W, height);
    const TPixelView dst = strip.View();
    if (rightX != leftX)
      TilePixelsX(mask, {leftX, top, rightX, top + height}, dst, newLeftX, newRightX - newLeftX, 0);
    CopyPixels(mask, 0, top, leftX, height, dst, 0, 0);
    CopyPixels(mask, rightX, top, W - newRightX, height, dst, newRightX, 0);
  };

  if (s.Cl.Left > 0 && innerHeight > 0) side(leftStrip, 0, s.Cl.Left, s.LT.Y, s.LB.Y);
  else leftStrip.SetSize(0, 0);
  const int rw = MW - s.Cl.Right;
  if (rw > 0 && innerHeight > 0) side(rightStrip, s.Cl.Right, rw, s.RT.Y, s.RB.Y);
  else rightStrip.SetSize(0, 0);
  if (W > 0 && s.Cl.Top > 0) band(topStrip, 0, s.Cl.Top, s.LT.X, s.RT.X, n.LT.X, n.RT.X);
  else topStrip.SetSize(0, 0);
  const int bh = MH - s.Cl.Bottom;
  if (W > 0 && bh > 0) band(bottomStrip, s.Cl.Bottom, bh, s.LB.X, s.RB.X, n.LB.X, n.RB.X);
  else bottomStrip.SetSize(0, 0);
}

TvnMaskStripOrigins MaskStripOrigins(const TRect& inner) {
  return {{0, 0}, {0, inner.Bottom}, {0, inner.Top}, {inner.Right, inner.Top}};
}

std::optional<std::vector<TRect>> FrameRegionRects(const TvnSkinPoints& s, const TvnSkinPoints& n,
                                                   const TPixelView& mask, int W, int H) {
  if (n.LT.X > n.RT.X || n.LT.Y > n.LB.Y) return std::nullopt;
  TPixelBitmap top, left, right, bottom;
  ComposeMaskStrips(s, n, mask, top, left, right, bottom, W, H);
  const TvnMaskStripOrigins at = MaskStripOrigins(n.Cl);
  std::vector<TRect> rects;
  bool anyPiece = false;
  auto add = [&](TPixelBitmap& strip, TPoint origin) {
    if (strip.IsEmpty()) return;
    const TvnRegionData data = BuildRegionData(strip.View(), origin.X, origin.Y);
    anyPiece = true;
    for (const TRect& r : data.Rects()) rects.push_back(r);
  };
  add(top, at.Top);
  add(bottom, at.Bottom);
  add(left, at.Left);
  add(right, at.Right);
  if (!n.Cl.IsEmpty()) {
    rects.push_back(n.Cl);
    anyPiece = true;
  }
  if (!anyPiece) return std::nullopt;
  return UnionOfRects(std::move(rects));
}

std::vector<TRect> UnionOfRects(std::vector<TRect> rects) {
  std::erase_if(rects, [](const TRect& r) { return r.IsEmpty(); });
  std::vector<int> edges;
  edges.reserve(rects.size() * 2);
  for (const TRect& r : rects) {
    edges.push_back(r.Top);
    edges.push_back(r.Bottom);
  }
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
  std::sort(rects.begin(), rects.end(), [](const TRect& a, const TRect& b) { return a.Top < b.Top; });

  std::vector<TRect> result;
  std::vector<const TRect*> active;
  std::vector<std::pair<int, int>> intervals, previous;
  std::size_t previousFirst = 0;  // where the previous band's rectangles start in result
  int previousBottom = 0;
  std::size_t next = 0;
  for (std::size_t e = 0; e + 1 < edges.size(); ++e) {
    const int y0 = edges[e], y1 = edges[e + 1];
    while (next < rects.size() && rects[next].Top <= y0) active.push_back(&rects[next++]);
    std::erase_if(active, [y0](const TRect* r) { return r->Bottom <= y0; });
    intervals.clear();
    for (const TRect* r : active) intervals.emplace_back(r->Left, r->Right);
    std::sort(intervals.begin(), intervals.end());
    std::size_t merged = 0;
    for (std::size_t i = 0; i < intervals.size(); ++i) {
      if (merged > 0 && intervals[i].first <= intervals[merged - 1].second)
        intervals[merged - 1].second = std::max(intervals[merged - 1].second, intervals[i].second);
      else
        intervals[merged++] = intervals[i];
    }
    intervals.resize(merged);
    if (intervals.empty()) continue;
    if (!result.empty() && previousBottom == y0 && intervals == previous) {
      for (std::size_t i = previousFirst; i < result.size(); ++i) result[i].Bottom = y1;
    } else {
      previousFirst = result.size();
      for (const auto& [l, r] : intervals) result.push_back({l, y0, r, y1});
      previous = intervals;
    }
    previousBottom = y1;
  }
  return result;
}
