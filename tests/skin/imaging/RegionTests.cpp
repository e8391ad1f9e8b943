#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <utility>

#include "ImagingTestPictures.h"
#include "skin/imaging/vnUtilsRegion.h"

namespace {

using TPixelSet = std::set<std::pair<int, int>>;

TPixelSet PixelsOf(const std::vector<TRect>& rects) {
  TPixelSet pixels;
  for (const TRect& r : rects)
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) pixels.insert({x, y});
  return pixels;
}

std::uint32_t U32At(const TvnRegionData& d, std::size_t offset) {
  std::uint32_t v;
  std::memcpy(&v, d.Bytes.data() + offset, 4);
  return v;
}

}  // namespace

TEST(BuildRegionData, LaysOutTheBlockAsThePlatformReadsIt) {
  TPixelBitmap mask(5, 2);
  mask.Fill(0x00FFFFFF);
  mask.SetPixel(1, 0, 0);
  mask.SetPixel(2, 0, 0);
  mask.SetPixel(4, 0, 0);
  mask.SetPixel(0, 1, 0);
  const TvnRegionData d = BuildRegionData(ViewOf(mask), 10, 20);
  ASSERT_EQ(d.Size(), 32u + 3 * 16);
  const std::uint32_t expected[] = {32, 1, 3, 0, 10, 20, 15, 22,  // header with rcBound
                                    11, 20, 13, 21,               // scan order: row 0 first
                                    14, 20, 15, 21,               //   left to right
                                    10, 21, 11, 22};
  for (std::size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(U32At(d, i * 4), expected[i]) << "dword " << i;
}

TEST(BuildRegionData, OnlyPureBlackCounts) {
  TPixelBitmap mask(4, 1);
  mask.SetPixel(1, 0, 0x00010000);  // blue 1
  mask.SetPixel(2, 0, 0x00000100);  // green 1
  mask.SetPixel(3, 0, 0x00000001);  // red 1
  EXPECT_EQ(BuildRegionData(ViewOf(mask), 0, 0).Rects(), (std::vector<TRect>{{0, 0, 1, 1}}));
}

TEST(BuildRegionData, AllBlackRowsGiveOneRectanglePerRow) {
  const TPixelBitmap mask(7, 4);
  const std::vector<TRect> rects = BuildRegionData(ViewOf(mask), 0, 0).Rects();
  ASSERT_EQ(rects.size(), 4u);
  for (int y = 0; y < 4; ++y) EXPECT_EQ(rects[static_cast<std::size_t>(y)], (TRect{0, y, 7, y + 1}));
}

TEST(BuildRegionData, EmptyAndWhiteMasks) {
  EXPECT_EQ(BuildRegionData(TPixelBitmap().View(), 0, 0).Size(), 0u);
  TPixelBitmap white(6, 3);
  white.Fill(0x00FFFFFF);
  const TvnRegionData d = BuildRegionData(white.View(), -2, 5);
  EXPECT_EQ(d.Size(), 32u);
  EXPECT_EQ(d.Count(), 0u);
  const TvnRgnDataHeader h = d.Header();
  EXPECT_EQ((TRect{h.BoundLeft, h.BoundTop, h.BoundRight, h.BoundBottom}), (TRect{-2, 5, 4, 8}));
}

TEST(BuildRegionData, TheRunListHasNoFixedLimit) {
  // A checkerboard of 400 x 60 has 12,000 runs, more than a list of 10,001 could hold.
  TPixelBitmap mask(400, 60);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 400; ++x)
      if ((x + y) % 2) mask.SetPixel(x, y, 0x00FFFFFF);
  const TvnRegionData d = BuildRegionData(ViewOf(mask), 0, 0);
  EXPECT_EQ(d.Count(), 12000u);
  EXPECT_EQ(d.Size(), 32u + 12000u * 16);
  EXPECT_EQ(d.Rects().back(), (TRect{399, 59, 400, 60}));
}

TEST(UnionOfRects, GivesDisjointBandsOverTheSamePixels) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int> coord(-5, 30);
  for (int round = 0; round < 40; ++round) {
    std::vector<TRect> rects;
    for (int i = 0; i < 12; ++i) rects.push_back({coord(random), coord(random), coord(random), coord(random)});
    const std::vector<TRect> joined = UnionOfRects(rects);
    std::size_t area = 0;
    for (const TRect& r : joined) {
      ASSERT_FALSE(r.IsEmpty());
      area += static_cast<std::size_t>(r.Width()) * r.Height();
    }
    const TPixelSet pixels = PixelsOf(rects);
    EXPECT_EQ(PixelsOf(joined), pixels);
    EXPECT_EQ(area, pixels.size()) << "rectangles overlap";
  }
}

TEST(UnionOfRects, JoinsOnlyTouchingBandsWithTheSameRuns) {
  struct Case {
    const char* what;
    std::vector<TRect> in, out;
  } cases[] = {
      {"rows with the same runs", {{0, 0, 4, 1}, {0, 1, 4, 2}, {2, 2, 6, 3}},
       {{0, 0, 4, 2}, {2, 2, 6, 3}}},
      // A transparent row between two equal bars stays out of the region.
      {"equal bars one row apart", {{0, 0, 4, 1}, {0, 2, 4, 3}}, {{0, 0, 4, 1}, {0, 2, 4, 3}}},
  };
  for (const Case& c : cases) EXPECT_EQ(UnionOfRects(c.in), c.out) << c.what;
}

TEST(ComposeMaskStrips, StripSizesAndEmptyGuards) {
  const TPixelBitmap mask = PatternMask();
  const TvnSkinPoints s = PatternMaskPoints();
  TPixelBitmap top(9, 9), left(9, 9), right(9, 9), bottom(9, 9);
  ComposeMaskStrips(s, ShiftSkinPoints(s, 24, 20, 50, 40), ViewOf(mask), top, left, right, bottom, 50, 40);
  EXPECT_EQ((std::pair{top.Width(), top.Height()}), (std::pair{50, 4}));
  EXPECT_EQ((std::pair{bottom.Width(), bottom.Height()}), (std::pair{50, 4}));
  EXPECT_EQ((std::pair{left.Width(), left.Height()}), (std::pair{4, 32}));
  EXPECT_EQ((std::pair{right.Width(), right.Height()}), (std::pair{4, 32}));
  // An inner rectangle without height: no side strips (and nothing left from before).
  TvnSkinPoints flat = s;
  flat.Cl.Bottom = flat.Cl.Top;
  ComposeMaskStrips(flat, ShiftSkinPoints(flat, 24, 20, 50, 20), ViewOf(mask), top, left, right, bottom, 50, 20);
  EXPECT_TRUE(left.IsEmpty());
  EXPECT_TRUE(right.IsEmpty());
}

TEST(FrameRegionRects, FollowsTheMaskPixelByPixelAtManySizes) {
  const TvnSkinPoints s = PatternMaskPoints();
  for (unsigned seed : {1u, 2u, 3u}) {
    const TPixelBitmap mask = PatternMask(seed);
    for (auto [W, H] : {std::pair{24, 20}, {25, 21}, {37, 20}, {24, 45}, {100, 63}, {31, 101}}) {
      const auto rects = FrameRegionRects(s, ShiftSkinPoints(s, 24, 20, W, H), ViewOf(mask), W, H);
      ASSERT_TRUE(rects.has_value());
      const TPixelSet got = PixelsOf(*rects);
      for (int y = -1; y <= H; ++y)
        for (int x = -1; x <= W; ++x)
          ASSERT_EQ(got.count({x, y}) == 1, InFrameRegion(mask, s, W, H, x, y))
              << "seed " << seed << " size " << W << "x" << H << " pixel " << x << "," << y;
    }
  }
}

TEST(FrameRegionRects, AtTheMaskSizeBandsAndEndsAreTheMask) {
  // At the mask's own size the top and bottom bands, the side ends and the inner rectangle are
  // the mask itself; the side middles are tiled from the strip top, so their phase may differ.
  const TPixelBitmap mask = PatternMask(5);
  const TvnSkinPoints s = PatternMaskPoints();
  const TPixelSet got = PixelsOf(*FrameRegionRects(s, s, ViewOf(mask), 24, 20));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 24; ++x) {
      const bool sideMiddle = y >= s.LT.Y && y < s.LB.Y && !s.Cl.Contains({x, y});
      if (sideMiddle) continue;
      EXPECT_EQ(got.count({x, y}) == 1, s.Cl.Contains({x, y}) || IsBlack(mask, x, y)) << x << "," << y;
    }
}

TEST(FrameRegionRects, BottomStripStartsAtTheTargetInnerBottom) {
  TPixelBitmap mask(24, 20);
  mask.Fill(0x00FFFFFF);
  mask.SetPixel(0, 19, 0);  // one black pixel in the bottom-left corner
  const TvnSkinPoints s = PatternMaskPoints();
  const auto rects = FrameRegionRects(s, ShiftSkinPoints(s, 24, 20, 24, 50), ViewOf(mask), 24, 50);
  ASSERT_TRUE(rects.has_value());
  EXPECT_EQ(PixelsOf(*rects).count({0, 49}), 1u);
  EXPECT_EQ(PixelsOf(*rects).count({0, 19}), 0u);
}

TEST(FrameRegionRects, NoRegionBelowTheFixedCorners) {
  const TPixelBitmap mask = PatternMask();
  const TvnSkinPoints s = PatternMaskPoints();
  EXPECT_FALSE(FrameRegionRects(s, ShiftSkinPoints(s, 24, 20, 11, 40), ViewOf(mask), 11, 40).has_value());
  EXPECT_FALSE(FrameRegionRects(s, ShiftSkinPoints(s, 24, 20, 40, 9), ViewOf(mask), 40, 9).has_value());
  // Exactly the size of the corners still has a region.
  EXPECT_TRUE(FrameRegionRects(s, ShiftSkinPoints(s, 24, 20, 12, 10), ViewOf(mask), 12, 10).has_value());
}

TEST(FrameRegionRects, ATransparentRowStaysOpen) {
  // An all-black mask with a white slit across row 1 of the top band: the window region keeps
  // the slit open however wide the window is, while the rows on both sides are whole.
  TPixelBitmap mask(24, 20);
  for (int x = 0; x < 24; ++x) mask.SetPixel(x, 1, 0x00FFFFFF);
  const TvnSkinPoints s = PatternMaskPoints();
  for (int W : {24, 60}) {
    const auto rects = FrameRegionRects(s, ShiftSkinPoints(s, 24, 20, W, 30), ViewOf(mask), W, 30);
    ASSERT_TRUE(rects.has_value());
    EXPECT_EQ(*rects, (std::vector<TRect>{{0, 0, W, 1}, {0, 2, W, 30}})) << "width " << W;
  }
}

TEST(FrameRegionRects, TheScannedAreaIsTheFrameNotTheWindow) {
  // An all-black mask: however large the window, the region is a handful of bands.
  const TPixelBitmap mask(24, 20);
  const TvnSkinPoints s = PatternMaskPoints();
  const auto rects = FrameRegionRects(s, ShiftSkinPoints(s, 24, 20, 3000, 2000), ViewOf(mask), 3000, 2000);
  ASSERT_TRUE(rects.has_value());
  EXPECT_EQ(*rects, (std::vector<TRect>{{0, 0, 3000, 2000}}));
}
