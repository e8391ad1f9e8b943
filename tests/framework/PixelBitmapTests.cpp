#include "framework/PixelBitmap.h"

#include <gtest/gtest.h>

TEST(PixelBitmap, RowsArePaddedToFourBytes) {
  EXPECT_EQ(RowStride24(1), 4);
  EXPECT_EQ(RowStride24(4), 12);
  EXPECT_EQ(RowStride24(5), 16);
  TPixelBitmap b(5, 3);
  EXPECT_EQ(b.Bytes().size(), 48u);
}

TEST(PixelBitmap, PixelsAreBlueGreenRedInMemory) {
  TPixelBitmap b(2, 2);
  b.SetPixel(1, 1, 0x00C8D0D4);  // red 212, green 208, blue 200
  const std::uint8_t* p = b.ScanLine(1) + 3;
  EXPECT_EQ(p[0], 200);
  EXPECT_EQ(p[1], 208);
  EXPECT_EQ(p[2], 212);
  EXPECT_EQ(b.GetPixel(1, 1), 0x00C8D0D4u);
  b.Fill(0x0000FF);
  EXPECT_EQ(b.GetPixel(0, 1), 0x0000FFu);
  EXPECT_EQ(b.GetPixel(1, 0), 0x0000FFu);
}
