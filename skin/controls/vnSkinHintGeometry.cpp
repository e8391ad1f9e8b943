#include "skin/controls/vnSkinHintGeometry.h"

#include <algorithm>

TvnHintSize PlainHintSize(TvnHintSize text) { return {text.W + 4, text.H + 4}; }

TvnHintSize SkinHintSize(TvnHintSize text, int PW, int PH, TRect client) {
  const int w = text.W + client.Left + (PW - client.Right);
  const int h = text.H + client.Top + (PH - client.Bottom);
  return {std::max(w, PW), std::max(h, PH)};
}

TRect PlaceHintRect(TPoint at, TvnHintSize size, int screenW, int screenH) {
  TRect r = Bounds(at.X, at.Y, size.W, size.H);
  if (r.Right > screenW) r = r.Offset(-(size.W + 2), 0);
  if (r.Bottom > screenH) r = r.Offset(0, -(size.H + 2));
  return r;
}

namespace {

bool RowIs(const TvnCursorMask& mask, int y, std::uint8_t value) {
  const int rowBytes = (mask.Width + 7) / 8;
  const std::size_t start = static_cast<std::size_t>(y) * static_cast<std::size_t>(mask.Stride);
  if (start + static_cast<std::size_t>(rowBytes) > mask.Bits.size()) return true;  // no such row: nothing in it
  const auto row = mask.Bits.subspan(start, static_cast<std::size_t>(rowBytes));
  return std::all_of(row.begin(), row.end(), [value](std::uint8_t b) { return b == value; });
}

}  // namespace

int CursorPixelRows(const TvnCursorMask& mask) {
  if (mask.Width <= 0 || mask.Height <= 0 || mask.Stride <= 0) return 0;
  const bool twoHalves = mask.Height >= 2 * mask.Width;
  const int andRows = twoHalves ? mask.Height / 2 : mask.Height;
  for (int y = andRows - 1; y >= 0; --y)
    if (!RowIs(mask, y, 0xFF)) return y + 1;
  if (twoHalves)
    for (int y = mask.Height - 1; y >= andRows; --y)
      if (!RowIs(mask, y, 0x00)) return y - andRows + 1;
  return 0;
}

int CursorHeightBelowHotSpot(const TvnCursorMask& mask, int hotSpotY) {
  return std::max(0, CursorPixelRows(mask) - hotSpotY);
}
