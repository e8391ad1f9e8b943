#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "ImagingTestPictures.h"
#include "skin/imaging/vnUtilsCompose.h"

namespace {

// Source columns that a target row took, for rows of a coded picture.
std::vector<int> SourceColumns(const TPixelBitmap& b, int y, int from, int to) {
  std::vector<int> columns;
  for (int x = from; x < to; ++x) columns.push_back(SourceOf(b, x, y).X);
  return columns;
}

std::vector<int> SourceRows(const TPixelBitmap& b, int x, int from, int to) {
  std::vector<int> rows;
  for (int y = from; y < to; ++y) rows.push_back(SourceOf(b, x, y).Y);
  return rows;
}

}  // namespace

TEST(Stretch, SamplesPixelCentres) {
  const TPixelBitmap source = CodedPicture(7, 1);
  struct Case {
    int S, D;
    std::vector<int> Expected;
  } cases[] = {
      {3, 7, {0, 0, 1, 1, 1, 2, 2}},  // floor((2i + 1) * 3 / 14)
      {7, 3, {1, 3, 5}},              // floor((2i + 1) * 7 / 6)
      {5, 5, {0, 1, 2, 3, 4}},
      {1, 4, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    TPixelBitmap target(c.D, 1);
    StretchPixels(ViewOf(source), {0, 0, c.S, 1}, target.View(), {0, 0, c.D, 1});
    EXPECT_EQ(SourceColumns(target, 0, 0, c.D), c.Expected) << c.S << " -> " << c.D;
  }
}

TEST(Stretch, RowsAreSampledLikeColumnsAndClippedToTheTarget) {
  const TPixelBitmap source = CodedPicture(2, 3);
  TPixelBitmap target(2, 5);
  target.Fill(0x00FFFFFF);
  // Target rows -2 .. 5 (7 rows, two of them above the picture) from 3 source rows.
  StretchPixels(ViewOf(source), {0, 0, 2, 3}, target.View(), {0, -2, 2, 5});
  // Rows j = 2 .. 6 of the stretch: floor((2j + 1) * 3 / 14) = 1, 1, 1, 2, 2.
  EXPECT_EQ(SourceRows(target, 1, 0, 5), (std::vector<int>{1, 1, 1, 2, 2}));
}

TEST(Stretch, SamplesOutsideThePictureBecomeBlack) {
  const TPixelBitmap source = CodedPicture(4, 1, 9);
  TPixelBitmap target(4, 1);
  target.Fill(0x00FFFFFF);
  StretchPixels(ViewOf(source), {2, 0, 6, 1}, target.View(), {0, 0, 4, 1});
  EXPECT_EQ(SourceOf(target, 0, 0).X, 2);
  EXPECT_EQ(SourceOf(target, 1, 0).X, 3);
  EXPECT_EQ(target.GetPixel(2, 0), 0u);
  EXPECT_EQ(target.GetPixel(3, 0), 0u);
}

TEST(Tiling, SpanOf25WithPieceOf10GivesCopiesOf10And10And5) {
  // Left end 2, middle 10, right end 3: a 15-pixel-wide source; a 30-pixel target leaves the
  // middle a span of 25.
  const TPixelBitmap source = CodedPicture(15, 4);
  TPixelBitmap image;
  ComposeHorzSkinImage(2, 3, image, source, {0, 0, 15, 4}, 30);
  ASSERT_EQ(image.Width(), 30);
  ASSERT_EQ(image.Height(), 4);
  const std::vector<int> expected = {0, 1,                             // left end
                                     2, 3, 4, 5, 6, 7, 8, 9, 10, 11,   // first copy
                                     2, 3, 4, 5, 6, 7, 8, 9, 10, 11,   // second copy
                                     2, 3, 4, 5, 6,                    // third, cut to 5
                                     12, 13, 14};                      // right end
  for (int y = 0; y < 4; ++y) EXPECT_EQ(SourceColumns(image, y, 0, 30), expected) << "row " << y;
}

TEST(Tiling, ShortSpansAndEmptyMiddles) {
  const TPixelBitmap source = CodedPicture(15, 2);
  TPixelBitmap image;
  // A span shorter than the piece: one copy cut to the span.
  ComposeHorzSkinImage(2, 3, image, source, {0, 0, 15, 2}, 9);
  EXPECT_EQ(SourceColumns(image, 0, 0, 9), (std::vector<int>{0, 1, 2, 3, 4, 5, 12, 13, 14}));
  // A target exactly p + q wide: the two ends only.
  image.Fill(0x00FFFFFF);
  ComposeHorzSkinImage(2, 3, image, source, {0, 0, 15, 2}, 5);
  EXPECT_EQ(SourceColumns(image, 1, 0, 5), (std::vector<int>{0, 1, 12, 13, 14}));
  // A middle of width 0 is one column wide: the column after the left end.
  ComposeHorzSkinImage(7, 8, image, source, {0, 0, 15, 2}, 19);
  EXPECT_EQ(SourceColumns(image, 0, 0, 19),
            (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 7, 7, 7, 7, 8, 9, 10, 11, 12, 13, 14}));
}

TEST(Tiling, VerticalImageTilesTheMiddleAndSkipsAnEmptyOne) {
  const TPixelBitmap source = CodedPicture(3, 12, 5);
  TPixelBitmap image;
  ComposeVertSkinImage(2, 4, image, source, {0, 0, 3, 12}, 20);  // middle rows 2..8, span 14
  ASSERT_EQ(image.Width(), 3);
  EXPECT_EQ(SourceRows(image, 2, 0, 20), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 2, 3, 4, 5, 6,
                                                           7, 2, 3, 8, 9, 10, 11}));
  // p + q = SH: no middle; nothing is drawn between the ends (and nothing divides by zero).
  ComposeVertSkinImage(6, 6, image, source, {0, 0, 3, 12}, 16);
  EXPECT_EQ(SourceRows(image, 0, 0, 6), (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(image.GetPixel(0, 7), 0u);
  EXPECT_EQ(SourceRows(image, 0, 10, 16), (std::vector<int>{6, 7, 8, 9, 10, 11}));
}

TEST(ShiftSkinPoints, MovesOnlyTheRightAndBottomParts) {
  const TvnSkinPoints s = QuillonSkinPoints();
  const TvnSkinPoints n = ShiftSkinPoints(s, 191, 135, 385, 392);
  EXPECT_EQ(n.LT, (TPoint{46, 32}));
  EXPECT_EQ(n.RT, (TPoint{304, 30}));
  EXPECT_EQ(n.LB, (TPoint{54, 372}));
  EXPECT_EQ(n.RB, (TPoint{332, 372}));
  EXPECT_EQ(n.Cl, (TRect{8, 28, 378, 375}));
  EXPECT_EQ(ShiftSkinPoints(s, 191, 135, 191, 135), s);
}

class SkinImageAtOwnSize : public testing::TestWithParam<bool> {};

TEST_P(SkinImageAtOwnSize, ReproducesTheSkinRectangle) {
  // A picture with the skin rectangle at (5, 3) inside it, composed at the rectangle's size.
  const TPixelBitmap picture = CodedPicture(200, 140);
  const TRect skinRect{5, 3, 196, 138};
  const TvnSkinPoints s = QuillonSkinPoints();
  const bool stretch = GetParam();
  TPixelBitmap image;
  ComposeSkinImage(s, ShiftSkinPoints(s, 191, 135, 191, 135), image, picture, skinRect, 191, 135,
                   TvnClientFill::Tile, {stretch, stretch, stretch, stretch});
  ASSERT_EQ(image.Width(), 191);
  ASSERT_EQ(image.Height(), 135);
  for (int y = 0; y < 135; ++y)
    for (int x = 0; x < 191; ++x)
      ASSERT_EQ(SourceOf(image, x, y), (TPoint{x + 5, y + 3})) << x << "," << y;

  // With stretched sides the frame strips at the picture's own size are its four borders (tiled
  // ones start their tiles at the strip origin, which shifts the pattern: tested below).
  if (!stretch) return;
  TPixelBitmap left, top, right, bottom;
  ComposeFrameStrips(s, ShiftSkinPoints(s, 191, 135, 191, 135), left, top, right, bottom, picture,
                     skinRect, 191, 135, {stretch, stretch, stretch, stretch});
  auto same = [](const TPixelBitmap& strip, int ox, int oy) {
    for (int y = 0; y < strip.Height(); ++y)
      for (int x = 0; x < strip.Width(); ++x)
        if (SourceOf(strip, x, y) != TPoint{x + ox + 5, y + oy + 3}) return false;
    return true;
  };
  EXPECT_TRUE(same(top, 0, 0));
  EXPECT_TRUE(same(bottom, 0, 118));
  EXPECT_TRUE(same(left, 0, 28));
  EXPECT_TRUE(same(right, 184, 28));
}

INSTANTIATE_TEST_SUITE_P(TiledAndStretched, SkinImageAtOwnSize, testing::Bool());

TEST(ComposeSkinImage, WithoutCornerPointsOnlyResizes) {
  const TPixelBitmap picture = CodedPicture(20, 20);
  TPixelBitmap image(3, 3);
  image.Fill(0x00FFFFFF);
  const TvnSkinPoints none{};
  ComposeSkinImage(none, none, image, picture, {0, 0, 20, 20}, 40, 30, TvnClientFill::Tile, {});
  EXPECT_EQ(image.Width(), 40);
  EXPECT_EQ(image.Height(), 30);
  EXPECT_EQ(image, TPixelBitmap(40, 30));
}

TEST(ComposeSkinImage, TilesStartAtTheTargetCornerPoint) {
  const TPixelBitmap picture = CodedPicture(191, 135);
  const TvnSkinPoints s = QuillonSkinPoints();
  const TvnSkinPoints n = ShiftSkinPoints(s, 191, 135, 385, 392);
  TPixelBitmap image;
  ComposeTiledSkinImage(s, n, image, picture, {0, 0, 191, 135}, 385, 392, TvnClientFill::Skip);
  // Top edge: from NLT.X = 46 the piece 46..110 (64 wide) repeats; the right corner from 304.
  for (int x = 46; x < 304; ++x) ASSERT_EQ(SourceOf(image, x, 5).X, 46 + (x - 46) % 64) << x;
  EXPECT_EQ(SourceOf(image, 304, 5).X, 110);
  // Bottom edge: from NLB.X = 54 the piece 54..138 (84 wide), rows from the source's bottom.
  for (int x = 54; x < 332; ++x) ASSERT_EQ(SourceOf(image, x, 380), (TPoint{54 + (x - 54) % 84, 123})) << x;
  // Left edge tiled along y from NLT.Y = 32 with the piece 32..115 (83 rows).
  for (int y = 32; y < 372; ++y) ASSERT_EQ(SourceOf(image, 3, y).Y, 32 + (y - 32) % 83) << y;
  // The client is not filled.
  EXPECT_EQ(image.GetPixel(200, 200), 0u);
}

TEST(ComposeSkinImage, ClientIsTiledFromItsTopLeftCorner) {
  const TPixelBitmap picture = CodedPicture(30, 20);
  const TvnSkinPoints s{{10, 8}, {20, 8}, {10, 12}, {20, 12}, {10, 8, 20, 12}};
  const TvnSkinPoints n = ShiftSkinPoints(s, 30, 20, 55, 27);
  TPixelBitmap image;
  ComposeSkinImage(s, n, image, picture, {0, 0, 30, 20}, 55, 27, TvnClientFill::Tile, {});
  for (int y = n.Cl.Top; y < n.Cl.Bottom; ++y)
    for (int x = n.Cl.Left; x < n.Cl.Right; ++x)
      ASSERT_EQ(SourceOf(image, x, y), (TPoint{10 + (x - 10) % 10, 8 + (y - 8) % 4})) << x << "," << y;
}

TEST(ComposeSkinImage, StretchedEdgesSampleCentres) {
  const TPixelBitmap picture = CodedPicture(191, 135);
  const TvnSkinPoints s = QuillonSkinPoints();
  const TvnSkinPoints n = ShiftSkinPoints(s, 191, 135, 191, 200);  // 65 rows taller
  TPixelBitmap image;
  ComposeSkinImage(s, n, image, picture, {0, 0, 191, 135}, 191, 200, TvnClientFill::Skip,
                   QuillonStretch());
  // Left edge: source rows 32..115 (83) stretched to 32..180 (148).
  for (int j = 0; j < 148; ++j) ASSERT_EQ(SourceOf(image, 2, 32 + j).Y, 32 + (2 * j + 1) * 83 / 296) << j;
  // Right edge: source rows 30..115 (85) stretched to 30..180 (150), in columns 184..191.
  for (int j = 0; j < 150; ++j) ASSERT_EQ(SourceOf(image, 188, 30 + j), (TPoint{188, 30 + (2 * j + 1) * 85 / 300})) << j;
}

TEST(ComposeSkinImage, ZeroLengthPiecesAreSkipped) {
  const TPixelBitmap picture = CodedPicture(40, 40);
  // Top corner points at the same x, a zero-height left middle, and an empty client.
  const TvnSkinPoints s{{10, 10}, {10, 10}, {10, 10}, {30, 30}, {5, 5, 5, 35}};
  for (TvnStretchFlags flags : {TvnStretchFlags{}, TvnStretchFlags{true, true, true, true}}) {
    TPixelBitmap image;
    ComposeSkinImage(s, ShiftSkinPoints(s, 40, 40, 90, 70), image, picture, {0, 0, 40, 40}, 90,
                     70, TvnClientFill::Tile, flags);
    EXPECT_EQ(image.Width(), 90);
  }
}

TEST(ComposeFrameStrips, QuillonSkinStripSizesAtEverySize) {
  const TPixelBitmap picture = CodedPicture(191, 135);
  const TvnSkinPoints s = QuillonSkinPoints();
  const int sizes[][2] = {{191, 135}, {192, 136}, {385, 392}, {640, 480}, {1920, 1080}, {3840, 2160}};
  for (const auto& size : sizes) {
    const int W = size[0], H = size[1];
    TPixelBitmap left, top, right, bottom;
    ComposeFrameStrips(s, ShiftSkinPoints(s, 191, 135, W, H), left, top, right, bottom, picture,
                       {0, 0, 191, 135}, W, H, QuillonStretch());
    EXPECT_EQ(top.Width(), W);
    EXPECT_EQ(top.Height(), 28);
    EXPECT_EQ(bottom.Width(), W);
    EXPECT_EQ(bottom.Height(), 17);
    EXPECT_EQ(left.Width(), 8);
    EXPECT_EQ(left.Height(), H - 45);
    EXPECT_EQ(right.Width(), 7);
    EXPECT_EQ(right.Height(), H - 45);
  }
}

TEST(ComposeFrameStrips, TilesStartAtTheStripOrigin) {
  const TPixelBitmap picture = CodedPicture(191, 135);
  const TvnSkinPoints s = QuillonSkinPoints();
  const TvnSkinPoints n = ShiftSkinPoints(s, 191, 135, 385, 392);
  TPixelBitmap left, top, right, bottom;
  ComposeFrameStrips(s, n, left, top, right, bottom, picture, {0, 0, 191, 135}, 385, 392,
                     QuillonStretch());
  // Top: ends at 0..46 and 304..385; between them the 64-wide piece in phase with x = 0,
  // unlike the whole image, whose tiles start at 46.
  for (int x = 0; x < 46; ++x) ASSERT_EQ(SourceOf(top, x, 7), (TPoint{x, 7}));
  for (int x = 46; x < 304; ++x) ASSERT_EQ(SourceOf(top, x, 7), (TPoint{46 + x % 64, 7})) << x;
  for (int x = 304; x < 385; ++x) ASSERT_EQ(SourceOf(top, x, 7), (TPoint{x - 194, 7}));
  // Bottom: rows 118..135 of the source; 84-wide piece from x = 0.
  for (int x = 54; x < 332; ++x) ASSERT_EQ(SourceOf(bottom, x, 16), (TPoint{54 + x % 84, 134})) << x;
  for (int x = 332; x < 385; ++x) ASSERT_EQ(SourceOf(bottom, x, 0), (TPoint{x - 194, 118}));
  // Left (stretched): m = 392 - 45 = 347. Upper end rows 0..4 from 28..32; middle rows
  // 4..344 from 32..115; lower end rows 344..347 from 115..118.
  ASSERT_EQ(left.Height(), 347);
  EXPECT_EQ(SourceRows(left, 0, 0, 4), (std::vector<int>{28, 29, 30, 31}));
  for (int j = 0; j < 340; ++j) ASSERT_EQ(SourceOf(left, 5, 4 + j).Y, 32 + (2 * j + 1) * 83 / 680) << j;
  EXPECT_EQ(SourceRows(left, 7, 344, 347), (std::vector<int>{115, 116, 117}));
  // Right (stretched): upper end rows 0..2 from 28..30; middle 2..344 from 30..115.
  EXPECT_EQ(SourceRows(right, 0, 0, 2), (std::vector<int>{28, 29}));
  for (int j = 0; j < 342; ++j) ASSERT_EQ(SourceOf(right, 6, 2 + j), (TPoint{190, 30 + (2 * j + 1) * 85 / 684})) << j;
  EXPECT_EQ(SourceRows(right, 0, 344, 347), (std::vector<int>{115, 116, 117}));
}

TEST(ComposeFrameStrips, TiledSidesStartAtTheStripTop) {
  const TPixelBitmap picture = CodedPicture(191, 135);
  const TvnSkinPoints s = QuillonSkinPoints();
  TPixelBitmap left, top, right, bottom;
  ComposeFrameStrips(s, ShiftSkinPoints(s, 191, 135, 300, 300), left, top, right, bottom, picture,
                     {0, 0, 191, 135}, 300, 300, {});
  // m = 255; left middle piece rows 32..115 (83) tiled from strip row 0, under the ends.
  for (int y = 4; y < 252; ++y) ASSERT_EQ(SourceOf(left, 1, y).Y, 32 + y % 83) << y;
  for (int y = 2; y < 252; ++y) ASSERT_EQ(SourceOf(right, 1, y).Y, 30 + y % 85) << y;
}

TEST(ComposeFrameStrips, GuardsLeaveStripsAsTheyWere) {
  const TPixelBitmap picture = CodedPicture(191, 135);
  TvnSkinPoints s = QuillonSkinPoints();
  s.Cl.Top = 0;  // no top border
  TPixelBitmap left, top, right, bottom;
  ComposeFrameStrips(s, ShiftSkinPoints(s, 191, 135, 250, 200), left, top, right, bottom, picture,
                     {0, 0, 191, 135}, 250, 200, QuillonStretch());
  EXPECT_TRUE(top.IsEmpty());
  EXPECT_EQ(left.Height(), 200 - 17);  // the window minus the bottom strip
  EXPECT_EQ(right.Height(), 200 - 17);

  // Zero-length tiled pieces: no strip, no division by zero; the old strip stays.
  TvnSkinPoints flat = QuillonSkinPoints();
  flat.RT.X = flat.LT.X;
  flat.LB.Y = flat.LT.Y;
  TPixelBitmap oldTop(3, 3), oldLeft(4, 4);
  oldTop.Fill(0x123456);
  const TPixelBitmap keptTop = oldTop, keptLeft = oldLeft;
  ComposeFrameStrips(flat, ShiftSkinPoints(flat, 191, 135, 250, 200), oldLeft, oldTop, right,
                     bottom, picture, {0, 0, 191, 135}, 250, 200, {});
  EXPECT_EQ(oldTop, keptTop);
  EXPECT_EQ(oldLeft, keptLeft);
}

TEST(ComposeFrameStrips, AnyGeometryStaysInsideItsPictures) {
  // Descriptions from files may hold anything: random geometry must never write or read out
  // of bounds (the sanitizer builds check this) nor hang.
  const TPixelBitmap picture = CodedPicture(60, 50);
  std::mt19937 random(4);
  std::uniform_int_distribution<int> coord(-70, 130);
  for (int i = 0; i < 300; ++i) {
    TvnSkinPoints s{{coord(random), coord(random)}, {coord(random), coord(random)},
                    {coord(random), coord(random)}, {coord(random), coord(random)},
                    {coord(random), coord(random), coord(random), coord(random)}};
    const int W = coord(random), H = coord(random);
    const TvnSkinPoints n = ShiftSkinPoints(s, 60, 50, W, H);
    const TvnStretchFlags flags{i % 2 == 0, i % 3 == 0, i % 5 == 0, i % 7 == 0};
    TPixelBitmap a, b, c, d, image;
    ComposeFrameStrips(s, n, a, b, c, d, picture, {coord(random), coord(random), 60, 50}, W, H, flags);
    ComposeSkinImage(s, n, image, picture, {0, 0, 60, 50}, W, H, TvnClientFill::Tile, flags);
    ComposeHorzSkinImage(coord(random), coord(random), image, picture, {0, 0, 60, 50}, W);
    ComposeVertSkinImage(coord(random), coord(random), image, picture, {0, 0, 60, 50}, H);
  }
  SUCCEED();
}

// Stretching and tiling checked pixel by pixel against their definitions over row widths on
// both sides of the short-row copies (up to 32 bytes), repeated source rows, targets clipped on
// the left and top, and tiles whose first copy is cut (a phase).
TEST(Compose, StretchAndTileMatchTheirDefinitions) {
  const TPixelBitmap source = CodedPicture(200, 90);
  struct Case {
    TRect S, D;  // stretch source and target; the tile uses S as its piece and D's left and width
  } cases[] = {
      {{0, 0, 1, 1}, {0, 0, 1, 5}},        // one byte short of four: a 3-byte row
      {{0, 0, 5, 3}, {0, 0, 5, 40}},       // 15-byte rows, each source row repeated
      {{0, 5, 8, 88}, {0, 0, 8, 347}},     // the program's left side: 24-byte rows
      {{2, 3, 9, 20}, {0, -4, 7, 30}},     // columns one to one, clipped at the top
      {{3, 0, 14, 7}, {0, 0, 11, 7}},      // 33 bytes: one past the short copies
      {{0, 0, 10, 4}, {-3, -2, 17, 9}},    // stretched wider, clipped on the left and the top
      {{5, 0, 69, 28}, {-40, 0, 385, 28}}, // a top strip's middle: a 64-pixel piece, cut first
      {{0, 0, 16, 2}, {-5, 0, 50, 2}},     // exactly 16 pixels: repeated from the first period
      {{0, 0, 15, 2}, {-5, 0, 50, 2}},     // one narrower: doubled
  };
  for (const Case& c : cases) {
    const int sw = c.S.Width(), sh = c.S.Height(), dw = c.D.Width(), dh = c.D.Height();
    TPixelBitmap stretched(std::max(1, c.D.Right), std::max(1, c.D.Bottom));
    StretchPixels(ViewOf(source), c.S, stretched.View(), c.D);
    TPixelBitmap tiled(std::max(1, c.D.Right), sh);
    TilePixelsX(ViewOf(source), c.S, tiled.View(), c.D.Left, dw, 0);
    for (int y = 0; y < stretched.Height(); ++y)
      for (int x = 0; x < stretched.Width(); ++x) {
        const int i = x - c.D.Left, j = y - c.D.Top;
        const TPoint want{c.S.Left + (2 * i + 1) * sw / (2 * dw), c.S.Top + (2 * j + 1) * sh / (2 * dh)};
        ASSERT_EQ(SourceOf(stretched, x, y), want) << "stretch " << sw << "x" << sh << " at " << x << "," << y;
      }
    for (int y = 0; y < sh; ++y)
      for (int x = 0; x < tiled.Width(); ++x)
        ASSERT_EQ(SourceOf(tiled, x, y), (TPoint{c.S.Left + (x - c.D.Left) % sw, c.S.Top + y}))
            << "tile " << sw << " at " << x << "," << y;
  }
}
