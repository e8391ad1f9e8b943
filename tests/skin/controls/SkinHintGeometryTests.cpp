// The skinned hint's portable rules: its size for a text around the skin's picture, and the
// cursor's rows below its hot spot read from a mask. (Plain sizes and the placement at the
// screen's edges are tested on real windows.)
#include "skin/controls/vnSkinHintGeometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The embedded skin's hint picture: 48 x 26, text area 9,6,39,20.
const TRect kClient = Rect(9, 6, 39, 20);

TEST(SkinHintSize, ExtentPlusBordersNeverBelowThePicture) {
  const struct {
    TvnHintSize Text, Want;
  } cases[] = {
      {{0, 0}, {48, 26}},        // empty text: the picture's size
      {{30, 14}, {48, 26}},      // exactly the text area: exactly the picture
      {{31, 14}, {49, 26}},      // one wider
      {{30, 15}, {48, 27}},      // one taller
      {{100, 32}, {118, 44}},    // extent + 18, + 12
  };
  for (const auto& c : cases)
    EXPECT_EQ(SkinHintSize(c.Text, 48, 26, kClient), c.Want) << c.Text.W << " x " << c.Text.H;
}

// A mask of width x height with every row set to fill, then the given rows set to a value.
std::vector<std::uint8_t> Mask(int stride, int height, std::uint8_t fill) {
  return std::vector<std::uint8_t>(static_cast<std::size_t>(stride * height), fill);
}

TEST(SkinHintCursor, RowsBelowTheHotSpotFromTheMask) {
  struct Case {
    const char* What;
    int Width, Height, Stride;
    std::vector<std::pair<int, std::uint8_t>> Rows;  // rows that differ from the fill
    std::uint8_t Fill;
    int HotY, Want;
  };
  const Case cases[] = {
      {"colour cursor, last pixel row 18", 32, 32, 4, {{0, 0x00}, {18, 0x7F}}, 0xFF, 0, 19},
      {"hot spot subtracted", 32, 32, 4, {{0, 0x00}, {18, 0x7F}}, 0xFF, 5, 14},
      {"pixels on the very last row", 32, 32, 4, {{31, 0xFE}}, 0xFF, 0, 32},
      {"monochrome: the AND half only", 32, 64, 4, {{20, 0x00}, {40, 0x00}}, 0xFF, 0, 21},
      {"transparent AND half: the XOR half's rows", 32, 64, 4, {{32, 0x00}, {55, 0x10}}, 0xFF, 2, 22},
      {"no pixels in either half", 32, 64, 4, {{50, 0x00}}, 0xFF, 0, 0},
      {"a square mask has no XOR half", 32, 32, 4, {}, 0xFF, 0, 0},
      {"hot spot below the pixels: none", 32, 32, 4, {{3, 0x00}}, 0xFF, 10, 0},
      {"padding bytes are not looked at", 20, 20, 4, {}, 0xFF, 0, 0},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> bits = Mask(c.Stride, c.Height, c.Fill);
    // In a square mask the XOR half is not there; in a tall one it starts black.
    if (c.Height >= 2 * c.Width)
      for (int y = c.Height / 2; y < c.Height; ++y)
        for (int x = 0; x < c.Stride; ++x) bits[static_cast<std::size_t>(y * c.Stride + x)] = 0;
    if (c.Width % 32 != 0)  // a row of 20 pixels uses 3 of its 4 bytes: the 4th is padding
      for (int y = 0; y < c.Height; ++y) bits[static_cast<std::size_t>(y * c.Stride + 3)] = 0x00;
    for (const auto& [row, value] : c.Rows) bits[static_cast<std::size_t>(row * c.Stride)] = value;
    EXPECT_EQ(CursorHeightBelowHotSpot({bits, c.Stride, c.Width, c.Height}, c.HotY), c.Want) << c.What;
  }
}

}  // namespace
