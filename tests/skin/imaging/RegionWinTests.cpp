#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ImagingTestPictures.h"
#include "WinTestSupport.h"
#include "skin/imaging/vnUtilsRegion_win.h"

namespace {

using TPixels = std::set<std::pair<int, int>>;

// The pixels of a region, read back through GetRegionData.
TPixels RegionPixels(HRGN region) {
  TPixels pixels;
  const DWORD size = ::GetRegionData(region, 0, nullptr);
  std::vector<std::uint8_t> block(size);
  auto* data = reinterpret_cast<RGNDATA*>(block.data());
  if (size == 0 || ::GetRegionData(region, size, data) != size) return pixels;
  const RECT* r = reinterpret_cast<const RECT*>(data->Buffer);
  for (DWORD i = 0; i < data->rdh.nCount; ++i)
    for (LONG y = r[i].top; y < r[i].bottom; ++y)
      for (LONG x = r[i].left; x < r[i].right; ++x) pixels.insert({x, y});
  return pixels;
}

TPixels RectPixels(const std::vector<TRect>& rects) {
  TPixels pixels;
  for (const TRect& r : rects)
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) pixels.insert({x, y});
  return pixels;
}

// A 1-bit device-dependent bitmap of the mask: set bits are white, clear bits black.
HBITMAP MonochromeMask(const TPixelBitmap& mask) {
  const int rowBytes = ((mask.Width() + 15) / 16) * 2;  // rows are word aligned
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(rowBytes) * mask.Height(), 0);
  for (int y = 0; y < mask.Height(); ++y)
    for (int x = 0; x < mask.Width(); ++x)
      if (!IsBlack(mask, x, y)) bits[static_cast<std::size_t>(y * rowBytes + x / 8)] |= 0x80 >> (x % 8);
  return ::CreateBitmap(mask.Width(), mask.Height(), 1, 1, bits.data());
}

// A 24-bit DIB section holding the mask.
HBITMAP TrueColourMask(const TPixelBitmap& mask) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), mask.Width(), -mask.Height(), 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP section = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  for (int y = 0; y < mask.Height(); ++y)
    std::memcpy(static_cast<std::uint8_t*>(bits) + y * mask.Stride(), mask.ScanLine(y), mask.Stride());
  return section;
}

}  // namespace

TEST(TvnFBitmap, RowsOfAnyBitmapAs24Bits) {
  const TPixelBitmap mask = PatternMask(3);
  HBITMAP mono = MonochromeMask(mask);
  {
    const TvnFBitmap f(mono);
    EXPECT_EQ(f.Width(), 24);
    EXPECT_EQ(f.Height(), 20);
    EXPECT_EQ(f.PadBytes(), 0);
    EXPECT_EQ(f.RowStride(), 72);
    EXPECT_EQ(f.ImageSize(), 72 * 20);
    EXPECT_EQ(f.Row(5), f.Bits() + 5 * 72);
    EXPECT_NE(f.DC(), nullptr);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 24; ++x) {
        const std::uint8_t* p = f.Row(y) + x * 3;
        ASSERT_EQ(p[0] | p[1] | p[2], IsBlack(mask, x, y) ? 0 : 255) << x << "," << y;
      }
  }
  ::DeleteObject(mono);
  const TvnFBitmap odd(::CreateBitmap(5, 2, 1, 1, nullptr));
  EXPECT_EQ(odd.PadBytes(), 1);
  EXPECT_EQ(odd.RowStride(), 16);
  const TvnFBitmap none(nullptr);
  EXPECT_EQ(none.Width(), 0);
  EXPECT_EQ(BuildRegionData(static_cast<HBITMAP>(nullptr), 0, 0).Size(), 0u);
}

TEST(RegionFromMask, OneBitAndTrueColourMasksGiveTheSameRegion) {
  for (unsigned seed : {1u, 4u, 9u}) {
    const TPixelBitmap mask = PatternMask(seed);
    HBITMAP mono = MonochromeMask(mask), colour = TrueColourMask(mask);
    const TvnRegionData a = BuildRegionData(mono, 3, 4), b = BuildRegionData(colour, 3, 4);
    EXPECT_EQ(a.Bytes, b.Bytes);
    EXPECT_EQ(a.Bytes, BuildRegionData(ViewOf(mask), 3, 4).Bytes);
    const TvnOwnedRegion region = RegionFromMask(mono);
    ASSERT_TRUE(region);
    for (int y = -1; y <= 20; ++y)
      for (int x = -1; x <= 24; ++x) {
        const bool inside = x >= 0 && y >= 0 && x < 24 && y < 20 && IsBlack(mask, x, y);
        ASSERT_EQ(::PtInRegion(region.Get(), x, y) != FALSE, inside) << x << "," << y;
      }
    ::DeleteObject(mono);
    ::DeleteObject(colour);
  }
  TPixelBitmap white(8, 8);
  white.Fill(0x00FFFFFF);
  const TvnOwnedRegion empty = RegionFromMask(ViewOf(white));
  RECT box{};
  EXPECT_EQ(::GetRgnBox(empty.Get(), &box), NULLREGION);
  EXPECT_FALSE(RegionFromMask(TPixelView{}));
}

TEST(FrameRegionFromMask, MatchesThePortableRegionAndTheMaskRules) {
  const TvnSkinPoints s = PatternMaskPoints();
  for (unsigned seed : {2u, 7u}) {
    const TPixelBitmap mask = PatternMask(seed);
    HBITMAP mono = MonochromeMask(mask);
    for (auto [W, H] : {std::pair{24, 20}, {41, 20}, {24, 33}, {90, 70}}) {
      const TvnSkinPoints n = ShiftSkinPoints(s, 24, 20, W, H);
      const TvnOwnedRegion region = FrameRegionFromMask(s, n, mono, W, H);
      ASSERT_TRUE(region);
      const TPixels pixels = RegionPixels(region.Get());
      EXPECT_EQ(pixels, RectPixels(*FrameRegionRects(s, n, ViewOf(mask), W, H)));
      for (int y = -1; y <= H; ++y)
        for (int x = -1; x <= W; ++x)
          ASSERT_EQ(::PtInRegion(region.Get(), x, y) != FALSE, InFrameRegion(mask, s, W, H, x, y))
              << W << "x" << H << " at " << x << "," << y;
    }
    EXPECT_FALSE(FrameRegionFromMask(s, ShiftSkinPoints(s, 24, 20, 10, 30), mono, 10, 30));
    ::DeleteObject(mono);
  }
}

TEST(FrameRegionFromMask, AWindowTakesTheRegion) {
  const TvnSkinPoints s = PatternMaskPoints();
  const TPixelBitmap mask = PatternMask(6);
  HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 60, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  TvnOwnedRegion region = FrameRegionFromMask(s, ShiftSkinPoints(s, 24, 20, 60, 50), ViewOf(mask), 60, 50);
  const TPixels expected = RegionPixels(region.Get());
  const long live = TvnGdiCount::Live();
  GiveRegionToWindow(window, std::move(region), false);  // the window owns it now
  EXPECT_EQ(TvnGdiCount::Live(), live - 1);
  HRGN copy = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(::GetWindowRgn(window, copy), ERROR);
  EXPECT_EQ(RegionPixels(copy), expected);
  ::DeleteObject(copy);
  ::DestroyWindow(window);
}
