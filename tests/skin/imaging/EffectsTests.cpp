#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <vector>

#include "skin/imaging/vnEffects.h"

namespace {

// A picture of one colour (0x00BBGGRR).
TvnEffectBmp Plain(int w, int h, std::uint32_t colour) {
  TvnEffectBmp b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.WritePixel(x, y, colour);
  return b;
}

std::uint32_t Grey(int v) { return static_cast<std::uint32_t>(v * 0x010101); }

// A picture whose every channel in column x is the value of column(x).
TvnEffectBmp Columns(int w, int h, const std::function<int(int)>& column) {
  TvnEffectBmp b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.WritePixel(x, y, Grey(column(x)));
  return b;
}

// The blue channel of each column of row y (all channels are equal in these tests).
std::vector<int> Row(const TvnEffectBmp& b, int y) {
  std::vector<int> v;
  for (int x = 0; x < b.Width(); ++x) v.push_back(static_cast<int>(b.ReadPixel(x, y) >> 16));
  return v;
}

std::vector<int> Column(const TvnEffectBmp& b, int x) {
  std::vector<int> v;
  for (int y = 0; y < b.Height(); ++y) v.push_back(static_cast<int>(b.ReadPixel(x, y) & 0xFF));
  return v;
}

}  // namespace

TEST(Effects, LightenAndDarkenRoundHalfToEven) {
  TvnEffectBmp b = Plain(3, 2, 0);
  b.WritePixel(1, 0, 0x00FFFFFF);
  b.WritePixel(2, 0, Grey(1));
  b.Lighten(0.5);
  EXPECT_EQ(b.ReadPixel(0, 0), Grey(128));  // 127.5 goes to the even 128
  EXPECT_EQ(b.ReadPixel(1, 0), Grey(255));
  EXPECT_EQ(b.ReadPixel(2, 0), Grey(128));  // 128.0

  TvnEffectBmp d = Plain(3, 1, Grey(100));
  d.WritePixel(1, 0, Grey(10));
  d.WritePixel(2, 0, Grey(5));
  d.Darken(0.3);
  EXPECT_EQ(d.ReadPixel(0, 0), Grey(70));
  EXPECT_EQ(d.ReadPixel(1, 0), Grey(7));
  EXPECT_EQ(d.ReadPixel(2, 0), Grey(4));  // 3.5 goes to the even 4

  // Amounts outside 0..1 count as the nearer end.
  TvnEffectBmp e = Plain(1, 1, Grey(40));
  e.Lighten(7);
  EXPECT_EQ(e.ReadPixel(0, 0), Grey(255));
  e.Darken(-3);
  EXPECT_EQ(e.ReadPixel(0, 0), Grey(255));
  e.Darken(2);
  EXPECT_EQ(e.ReadPixel(0, 0), 0u);
}

TEST(Effects, ToGrayWeighsTheChannels) {
  struct Case {
    std::uint32_t Colour;  // 0x00BBGGRR
    int Grey;
  } cases[] = {
      {0x0000FF00, 150},  // green: 150.45
      {0x000000FF, 76},   // red: 76.5, a tie, goes to the even 76
      {0x00FF0000, 28},   // blue: 28.05
      {0x000E2C00, 28},   // 0.59 * 44 + 0.11 * 14 = 27.5, a tie, goes to 28
      {0x0000000F, 4},    // 0.3 * 15 = 4.5 goes to 4
      {0x00FFFFFF, 255},
      {0x00000000, 0},
  };
  for (const Case& c : cases) {
    TvnEffectBmp b = Plain(2, 1, c.Colour);
    b.ToGray();
    EXPECT_EQ(b.ReadPixel(1, 0), Grey(c.Grey)) << std::hex << c.Colour;
  }
}

TEST(Effects, InvertTwiceRestores) {
  TvnEffectBmp b(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) b.WritePixel(x, y, static_cast<std::uint32_t>(x * 0x102030 + y * 0x0F0E0D));
  const TPixelBitmap before = b.Bitmap();
  b.InvertColors();
  EXPECT_EQ(b.ReadPixel(1, 0), 0x00FFFFFFu - 0x102030u);
  b.InvertColors();
  EXPECT_EQ(b.Bitmap(), before);
}

TEST(Effects, NoiseMovesAllThreeChannelsOfAPixelAlikeWithinItsRange) {
  TvnEffectBmp b = Plain(200, 50, 0x00808080);
  b.AddRandomNoise(50);
  int lowest = 255, highest = 0;
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 200; ++x) {
      const std::uint32_t p = b.ReadPixel(x, y);
      const int v = static_cast<int>(p & 0xFF);
      ASSERT_EQ(p, Grey(v));
      lowest = std::min(lowest, v);
      highest = std::max(highest, v);
    }
  EXPECT_EQ(lowest, 128 - 25);   // offsets run from -25 ...
  EXPECT_EQ(highest, 128 + 24);  // ... to 24, and 10,000 draws reach both ends
  // Near the ends of the scale the channels are clamped, never wrapped.
  TvnEffectBmp edge = Plain(100, 20, Grey(250));
  edge.AddRandomNoise(50);
  for (int x = 0; x < 100; ++x) EXPECT_GE(edge.ReadPixel(x, 7) & 0xFF, 225u);
}

TEST(Effects, DiagonalBlurWorksInPlace) {
  // One row: the upper and lower rows are the row itself. Pixel 1 reads pixel 0 after it has
  // been blurred: (15 + 15 + 30 + 30) div 4 = 22.
  TvnEffectBmp b = Columns(3, 1, [](int x) { return 10 * (x + 1); });
  b.DiagonalBlur(1);
  EXPECT_EQ(Row(b, 0), (std::vector<int>{15, 22, 26}));

  TvnEffectBmp one = Plain(1, 1, 0x00123456);
  one.DiagonalBlur(1);
  EXPECT_EQ(one.ReadPixel(0, 0), 0x00123456u);

  // Two rows: row 1 reads the blurred row 0 above it.
  TvnEffectBmp two(2, 2);
  two.WritePixel(0, 0, Grey(0));
  two.WritePixel(1, 0, Grey(100));
  two.WritePixel(0, 1, Grey(40));
  two.WritePixel(1, 1, Grey(200));
  two.DiagonalBlur(1);
  // (0,0): up = row 0, down = row 1, left = 0, right = 1: (0 + 40 + 100 + 200) / 4 = 85.
  // (1,0): left = 0 (now 85), right = 1: (85 + 40 + 100 + 200) / 4 = 106.
  // (0,1): up = row 0 (85, 106), down = row 1 (40, 200): (85 + 40 + 106 + 200) / 4 = 107.
  // (1,1): left = 0 (now 107): (85 + 107 + 106 + 200) / 4 = 124.
  EXPECT_EQ(Row(two, 0), (std::vector<int>{85, 106}));
  EXPECT_EQ(Row(two, 1), (std::vector<int>{107, 124}));

  TvnEffectBmp same = Columns(4, 4, [](int x) { return x * 50; });
  const TPixelBitmap before = same.Bitmap();
  same.DiagonalBlur(0);
  EXPECT_EQ(same.Bitmap(), before);
}

TEST(Effects, InactiveEffectsByIndex) {
  struct Case {
    int Index;
    int Result;  // from a grey of 100
  } cases[] = {{0, 178}, {1, 70}, {2, 100}, {4, 100}, {5, 155}, {6, 100}, {-1, 100}};
  for (const Case& c : cases) {
    TvnEffectBmp b = Plain(3, 3, Grey(100));
    b.ApplyInactiveEffect(c.Index);
    EXPECT_EQ(b.ReadPixel(1, 1), Grey(c.Result)) << c.Index;
  }
}

TEST(Morphs, PicturesOfDifferentSizesAreLeftAlone) {
  const TvnEffectBmp other = Plain(4, 3, Grey(200));
  for (int kind = 0; kind < 7; ++kind) {
    TvnEffectBmp b = Plain(5, 3, Grey(10));
    const TPixelBitmap before = b.Bitmap();
    b.Morph(kind, other, 0.5);
    EXPECT_EQ(b.Bitmap(), before) << "morph " << kind;
  }
}

TEST(Morphs, BlendRoundsHalfToEven) {
  TvnEffectBmp b = Columns(3, 1, [](int x) { return x; });       // 0, 1, 2
  const TvnEffectBmp o = Columns(3, 1, [](int x) { return x + 1; });  // 1, 2, 3
  b.BlendTo(o, 0.5);
  EXPECT_EQ(Row(b, 0), (std::vector<int>{0, 2, 2}));  // 0.5 -> 0, 1.5 -> 2, 2.5 -> 2
}

// Every morph from a black picture toward one of grey 200 at kf = 0, 0.5 and 1 on a 10 x 2 strip.
struct MorphCase {
  int Kind;
  double Kf;
  std::vector<int> Row;
};

class MorphsOnAStrip : public testing::TestWithParam<MorphCase> {};

TEST_P(MorphsOnAStrip, GiveTheExpectedRow) {
  const MorphCase& c = GetParam();
  TvnEffectBmp b = Plain(10, 2, 0);
  b.Morph(c.Kind, Plain(10, 2, Grey(200)), c.Kf);
  EXPECT_EQ(Row(b, 0), c.Row);
  EXPECT_EQ(Row(b, 1), c.Row);
}

INSTANTIATE_TEST_SUITE_P(
    Weights, MorphsOnAStrip,
    testing::Values(
        MorphCase{0, 0.0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        MorphCase{0, 0.5, {100, 100, 100, 100, 100, 100, 100, 100, 100, 100}},
        MorphCase{0, 1.0, {200, 200, 200, 200, 200, 200, 200, 200, 200, 200}},
        MorphCase{1, 0.0, {0, 40, 80, 120, 160, 200, 160, 120, 80, 40}},
        MorphCase{1, 0.5, {0, 0, 100, 200, 200, 200, 200, 200, 100, 0}},
        MorphCase{1, 1.0, {200, 200, 200, 200, 200, 200, 200, 200, 200, 200}},
        MorphCase{2, 0.0, {200, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        MorphCase{2, 0.5, {200, 160, 120, 80, 40, 0, 0, 0, 0, 0}},
        MorphCase{2, 1.0, {200, 178, 156, 133, 111, 89, 67, 44, 22, 0}},
        MorphCase{3, 0.0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 200}},
        MorphCase{3, 0.5, {0, 0, 0, 0, 0, 40, 80, 120, 160, 200}},
        MorphCase{3, 1.0, {20, 40, 60, 80, 100, 120, 140, 160, 180, 200}}));

TEST(Morphs, CenterWipeRunsOverRowsOnTallPictures) {
  for (auto [kf, expected] : {std::pair{0.0, std::vector<int>{0, 0, 50, 100, 150, 200, 150, 100, 50, 0}},
                              std::pair{0.5, std::vector<int>{0, 0, 100, 200, 200, 200, 200, 200, 100, 0}},
                              std::pair{1.0, std::vector<int>(10, 200)}}) {
    TvnEffectBmp b = Plain(2, 10, 0);
    b.CenterWipeTo(Plain(2, 10, Grey(200)), kf);
    EXPECT_EQ(Column(b, 0), expected) << kf;
    EXPECT_EQ(Column(b, 1), expected) << kf;
  }
}

TEST(Morphs, CenterWipeOfManyRowsIsEachRowWipedAlone) {
  // From four rows on the wipe over columns may take fixed-point weights; a picture of one row
  // never does. Widths whose rows end in padding (odd strides), around 16 pixels and wide.
  std::mt19937 rng(4);
  auto random = [&](int w, int h) {
    TvnEffectBmp b(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) b.WritePixel(x, y, rng() & 0xFFFFFF);
    return b;
  };
  for (int w : {5, 15, 16, 17, 33, 1921})
    for (double kf : {0.0, 0.4, 0.5, 1.0}) {
      const int h = 5;
      TvnEffectBmp picture = random(w, h), other = random(w, h);
      std::vector<TvnEffectBmp> rows;
      for (int y = 0; y < h; ++y) {
        rows.emplace_back(w, 1);
        TvnEffectBmp otherRow(w, 1);
        for (int x = 0; x < w; ++x) {
          rows.back().WritePixel(x, 0, picture.ReadPixel(x, y));
          otherRow.WritePixel(x, 0, other.ReadPixel(x, y));
        }
        rows.back().CenterWipeTo(otherRow, kf);
      }
      picture.CenterWipeTo(other, kf);
      for (int y = 0; y < h; ++y) {
        const std::size_t stride = static_cast<std::size_t>(picture.Bitmap().Stride());
        const std::vector<std::uint8_t> got(picture.Bitmap().ScanLine(y), picture.Bitmap().ScanLine(y) + stride);
        const std::vector<std::uint8_t> want(rows[y].Bitmap().ScanLine(0), rows[y].Bitmap().ScanLine(0) + stride);
        ASSERT_EQ(got, want) << "width " << w << " kf " << kf << " row " << y;
      }
    }
}

TEST(Morphs, SlidesAndPushMoveWholeColumns) {
  auto other = [] { return Columns(10, 2, [](int x) { return x * 10; }); };
  auto self = [] { return Columns(10, 2, [](int x) { return 100 + x; }); };
  struct Case {
    int Kind;
    double Kf;
    std::vector<int> Row;
  } cases[] = {
      {4, 0.0, {90, 101, 102, 103, 104, 105, 106, 107, 108, 109}},
      {4, 0.5, {50, 60, 70, 80, 90, 105, 106, 107, 108, 109}},
      {4, 1.0, {10, 20, 30, 40, 50, 60, 70, 80, 90, 109}},
      {5, 0.0, {100, 101, 102, 103, 104, 105, 106, 107, 108, 0}},
      {5, 0.5, {100, 101, 102, 103, 104, 0, 10, 20, 30, 40}},
      {5, 1.0, {100, 0, 10, 20, 30, 40, 50, 60, 70, 80}},
      // Push at kf = 0 still moves one column: column 0 takes the other's last column.
      {6, 0.0, {90, 100, 101, 102, 103, 104, 105, 106, 107, 108}},
      {6, 0.5, {40, 50, 60, 70, 80, 90, 100, 101, 102, 103}},
      {6, 1.0, {0, 10, 20, 30, 40, 50, 60, 70, 80, 90}},
  };
  for (const Case& c : cases) {
    TvnEffectBmp b = self();
    b.Morph(c.Kind, other(), c.Kf);
    EXPECT_EQ(Row(b, 1), c.Row) << "morph " << c.Kind << " kf " << c.Kf;
  }
}

TEST(EffectBmp, RowsPixelsAndFlipping) {
  TvnEffectBmp b(5, 3);
  EXPECT_EQ(b.ImageSize(), 3 * (15 + 1));
  const std::uint8_t row[15] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
  b.WriteRow(2, row);
  EXPECT_EQ(b.ReadPixel(1, 2), 0x00040506u);  // blue 4, green 5, red 6
  std::uint8_t back[15] = {};
  b.ReadRow(2, back);
  EXPECT_EQ(std::vector<std::uint8_t>(back, back + 15), std::vector<std::uint8_t>(row, row + 15));
  EXPECT_EQ(b.RowAddress(2)[14], 15);
  TvnEffectBmp flipped(5, 3);
  b.FlipRowsInto(flipped);
  EXPECT_EQ(flipped.ReadPixel(1, 0), 0x00040506u);
  EXPECT_EQ(flipped.ReadPixel(1, 2), 0u);
  TvnEffectBmp small(4, 3);
  b.FlipRowsInto(small);  // another size: untouched
  EXPECT_EQ(small.Bitmap(), TvnEffectBmp(4, 3).Bitmap());
  // A copy of a picture view.
  TvnEffectBmp copy(b.View());
  EXPECT_EQ(copy.Bitmap(), b.Bitmap());
}

TEST(Morphs, BlendOfALargePictureMatchesTheFormula) {
  // Large pictures take a table of every pair of channel values: each result must still be
  // R((1 - kf) S + kf O) with ties to even.
  TvnEffectBmp b(200, 120), o(200, 120);
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 200; ++x) {
      // Unsigned products: the same colours, without overflowing an int.
      b.WritePixel(x, y, static_cast<std::uint32_t>(x * 37 + y * 11) * 0x010203u & 0xFFFFFF);
      o.WritePixel(x, y, static_cast<std::uint32_t>(x * 13 + y * 71) * 0x030102u & 0xFFFFFF);
    }
  for (double kf : {0.5, 0.3, 0.8}) {
    TvnEffectBmp blended = b;
    blended.BlendTo(o, kf);
    for (int y = 0; y < 120; y += 7)
      for (int x = 0; x < 200; ++x)
        for (int c = 0; c < 24; c += 8) {
          const double v = (1 - kf) * ((b.ReadPixel(x, y) >> c) & 0xFF) + kf * ((o.ReadPixel(x, y) >> c) & 0xFF);
          ASSERT_EQ((blended.ReadPixel(x, y) >> c) & 0xFF, static_cast<std::uint32_t>(std::nearbyint(v)))
              << x << "," << y << " kf " << kf;
        }
  }
}
