#include "framework/Bmp.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& b, std::size_t at, std::uint32_t v, int size) {
  for (int i = 0; i < size; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A hand-made BMP with a 40-byte header (or a 12-byte one), so formats our encoder does not
// write can be tested: rows are given top-down, already packed, without padding.
Bytes MakeBmp(int width, int height, int bpp, const std::vector<Bytes>& rows, bool topDown = false,
              std::uint32_t compression = 0, const Bytes& table = {}, int headerSize = 40) {
  const std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
  const std::size_t offset = 14 + headerSize + table.size();
  Bytes b(offset + stride * height, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put(b, 2, static_cast<std::uint32_t>(b.size()), 4);
  Put(b, 10, static_cast<std::uint32_t>(offset), 4);
  Put(b, 14, headerSize, 4);
  if (headerSize == 12) {
    Put(b, 18, width, 2);
    Put(b, 20, height, 2);
    Put(b, 22, 1, 2);
    Put(b, 24, bpp, 2);
  } else {
    Put(b, 18, width, 4);
    Put(b, 22, static_cast<std::uint32_t>(topDown ? -height : height), 4);
    Put(b, 26, 1, 2);
    Put(b, 28, bpp, 2);
    Put(b, 30, compression, 4);
  }
  std::copy(table.begin(), table.end(), b.begin() + 14 + headerSize);
  for (int r = 0; r < height; ++r) {
    const int fileRow = topDown ? r : height - 1 - r;
    std::copy(rows[r].begin(), rows[r].end(), b.begin() + offset + stride * fileRow);
  }
  return b;
}

TPixelBitmap Sample(int w, int h) {
  TPixelBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, static_cast<std::uint32_t>((x * 37) | (y * 91) << 8 | ((x ^ y) * 13) << 16) & 0xFFFFFF);
  return b;
}

// 16 blue-green-red triples: 0 green, 1 red, 2 white, 3 blue, the rest black.
Bytes FourBitTable() {
  Bytes t(48, 0);
  const Bytes first = {0, 0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0};
  std::copy(first.begin(), first.end(), t.begin());
  return t;
}

std::string ErrorOf(const Bytes& b, std::size_t base = 0) {
  try {
    DecodeBmp(b, base);
  } catch (const EBmpError& e) {
    return e.what();
  }
  return "(no error)";
}

}  // namespace

TEST(Bmp, TwentyFourBitRoundTripsAtOddWidths) {
  for (int w : {1, 2, 3, 4, 5, 191}) {
    const TPixelBitmap original = Sample(w, 3);
    const Bytes file = EncodeBmp(original);
    EXPECT_EQ(file.size(), 54u + RowStride24(w) * 3u);
    TBmpInfo info;
    EXPECT_EQ(DecodeBmp(file, 0, &info), original) << "width " << w;
    EXPECT_EQ(info.BitCount, 24);
    EXPECT_FALSE(info.TopDown);
    EXPECT_EQ(info.FileLength, file.size());
  }
}

TEST(Bmp, IndexedEncodingsRoundTripThroughTheirPalette) {
  const std::vector<std::uint32_t> palette{0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000,
                                           0x808080, 0xC8D0D4, 0x123456};
  for (int bpp : {1, 4, 8}) {
    const int colours = bpp == 1 ? 2 : 8;
    TPixelBitmap b(13, 5);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 13; ++x) b.SetPixel(x, y, palette[(x + 3 * y) % colours]);
    const Bytes file = EncodeBmp(b, bpp, std::span(palette).first(colours));
    TBmpInfo info;
    EXPECT_EQ(DecodeBmp(file, 0, &info), b) << bpp << " bpp";
    EXPECT_EQ(info.BitCount, bpp);
    EXPECT_EQ(info.PaletteSize, colours);
  }
}

// Indexed rows are painted 64 pixels at a time where the processor allows, the rest one at a
// time: rows one short of, on and one past a multiple of 64, with every entry of a full colour
// table (the upper half of 256 comes from other tables than the lower).
TEST(Bmp, IndexedRowsDecodeAroundGroupsOfSixtyFourPixels) {
  std::vector<std::uint32_t> palette(256);
  for (std::size_t i = 0; i < palette.size(); ++i)
    palette[i] = static_cast<std::uint32_t>((i * 0x9E3779u) & 0xFFFF00u) | static_cast<std::uint32_t>(i);
  for (int bpp : {1, 4, 8}) {
    const int colours = 1 << bpp;
    for (int w : {63, 64, 65, 127, 128, 129, 200}) {
      TPixelBitmap expected(w, 3);
      for (int y = 0; y < 3; ++y)
        for (int x = 0; x < w; ++x) expected.SetPixel(x, y, palette[static_cast<std::size_t>((x * 7 + y * 13) % colours)]);
      const Bytes file = EncodeBmp(expected, bpp, std::span(palette).first(static_cast<std::size_t>(colours)));
      EXPECT_EQ(DecodeBmp(file), expected) << bpp << " bpp, width " << w;
    }
  }
}

// 1- and 4-bit rows are unpacked a whole source byte at a time: rows ending just before, on
// and after a byte boundary (and every row padding) decode to their pixels and nothing more,
// also into memory that held something else just before.
TEST(Bmp, PackedRowsDecodeAtEveryByteBoundary) {
  const std::vector<std::uint32_t> palette{0x000000, 0xFFFFFF, 0x0000FF, 0x123456};
  for (int bpp : {1, 4}) {
    for (int w : {1, 2, 3, 4, 7, 8, 9}) {
      const int colours = bpp == 1 ? 2 : 4;
      TPixelBitmap expected(w, 3);
      for (int y = 0; y < 3; ++y)
        for (int x = 0; x < w; ++x) expected.SetPixel(x, y, palette[(x + 3 * y) % colours]);
      const Bytes file = EncodeBmp(expected, bpp, std::span(palette).first(colours));
      { TPixelBitmap dirty(w, 3); dirty.Fill(0xFFFFFF); }
      EXPECT_EQ(DecodeBmp(file), expected) << bpp << " bpp, width " << w;
    }
  }
}

TEST(Bmp, IndexedEncodingTakesTheNearestPaletteColour) {
  TPixelBitmap b(2, 1);
  b.SetPixel(0, 0, 0x101010);  // near black
  b.SetPixel(1, 0, 0xF0E0F0);  // near white
  const std::uint32_t palette[] = {0x000000, 0xFFFFFF};
  const TPixelBitmap back = DecodeBmp(EncodeBmp(b, 1, palette));
  EXPECT_EQ(back.GetPixel(0, 0), 0x000000u);
  EXPECT_EQ(back.GetPixel(1, 0), 0xFFFFFFu);
}

TEST(Bmp, EncoderRefusesWhatItCannotWrite) {
  const TPixelBitmap b(2, 2);
  const std::uint32_t three[] = {1, 2, 3};
  EXPECT_THROW(EncodeBmp(b, 16), EBmpError);
  EXPECT_THROW(EncodeBmp(b, 1, three), EBmpError);
  EXPECT_THROW(EncodeBmp(b, 8), EBmpError);
  EXPECT_THROW(EncodeBmp(TPixelBitmap()), EBmpError);
}

TEST(Bmp, DecodesTheOtherCommonFormats) {
  // Expected picture: 2 x 2, top row red, blue; bottom row green, white.
  TPixelBitmap expected(2, 2);
  expected.SetPixel(0, 0, 0x0000FF);
  expected.SetPixel(1, 0, 0xFF0000);
  expected.SetPixel(0, 1, 0x00FF00);
  expected.SetPixel(1, 1, 0xFFFFFF);

  struct Case {
    const char* name;
    Bytes file;
  };
  const Bytes bgrx = {0, 0, 0xFF, 0, 0xFF, 0, 0, 0};
  const Case cases[] = {
      {"24 bpp top-down",
       MakeBmp(2, 2, 24, {{0, 0, 0xFF, 0xFF, 0, 0}, {0, 0xFF, 0, 0xFF, 0xFF, 0xFF}}, true)},
      {"32 bpp", MakeBmp(2, 2, 32, {bgrx, {0, 0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0}})},
      {"16 bpp 5-5-5", MakeBmp(2, 2, 16, {{0x00, 0x7C, 0x1F, 0x00}, {0xE0, 0x03, 0xFF, 0x7F}})},
      {"16 bpp 5-6-5 bit fields",
       MakeBmp(2, 2, 16, {{0x00, 0xF8, 0x1F, 0x00}, {0xE0, 0x07, 0xFF, 0xFF}}, false, 3,
               {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0})},
      {"4 bpp, 12-byte header with three-byte colours",
       MakeBmp(2, 2, 4, {{0x13}, {0x02}}, false, 0, FourBitTable(), 12)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecodeBmp(c.file), expected);
  }
}

TEST(Bmp, SixteenBitChannelsScaleToTheNearestEightBitValue) {
  // 3 of 31 is 24.7, 16 of 31 is 131.6 and 32 of 63 is 129.5: rounded, not cut off.
  struct Case {
    const char* name;
    Bytes file;
    std::uint32_t first, second;  // as 0x00BBGGRR
  };
  const Case cases[] = {
      {"5-5-5, red 16 green 3 blue 16, then red 3 green 16 blue 3",
       MakeBmp(2, 1, 16, {{0x70, 0x40, 0x03, 0x0E}}), 0x841984, 0x198419},
      {"5-6-5, red 3 green 32 blue 16, then red 16 green 32 blue 3",
       MakeBmp(2, 1, 16, {{0x10, 0x1C, 0x03, 0x84}}, false, 3,
               {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0}),
       0x848219, 0x198284},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TPixelBitmap b = DecodeBmp(c.file);
    EXPECT_EQ(b.GetPixel(0, 0), c.first);
    EXPECT_EQ(b.GetPixel(1, 0), c.second);
  }
}

TEST(Bmp, IndexPastTheColourTableReadsAsBlack) {
  Bytes table = {0xFF, 0xFF, 0xFF, 0};
  Bytes file = MakeBmp(2, 1, 8, {{0, 7}}, false, 0, table);
  Put(file, 46, 1, 4);  // one colour used
  const TPixelBitmap b = DecodeBmp(file);
  EXPECT_EQ(b.GetPixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(b.GetPixel(1, 0), 0u);
}

TEST(Bmp, DamagedFilesGiveErrorsThatSayWhatAndWhere) {
  const Bytes good = EncodeBmp(Sample(4, 4));
  struct Case {
    const char* name;
    Bytes file;
    const char* expected;  // a piece of the message
  };
  auto with = [&](std::size_t at, std::uint32_t v, int size = 4, Bytes base = {}) {
    Bytes b = base.empty() ? good : base;
    Put(b, at, v, size);
    return b;
  };
  const Case cases[] = {
      {"empty", {}, "offset 100: truncated header"},
      {"no signature", with(0, 'X', 1), "offset 100: no \"BM\""},
      {"length past the data", with(2, 5000), "offset 102: truncated: the image claims 5000 bytes but only 102 remain"},
      {"length shorter than the headers", with(2, 20), "offset 102: file length 20"},
      {"cut short", Bytes(good.begin(), good.end() - 1), "truncated: the image claims 102"},
      {"pixel offset outside", with(10, 4000), "offset 110: pixel offset 4000"},
      {"pixel offset inside the header", with(10, 20), "offset 110: pixel offset 20"},
      {"rows past the end", with(10, 60), "truncated pixel rows: 48 bytes needed, 42 present"},
      {"header size", with(14, 41), "offset 114: unsupported information header size 41"},
      {"zero width", with(18, 0), "offset 118: unacceptable dimensions 0 x 4"},
      {"negative width", with(18, 0xFFFFFFFF), "unacceptable dimensions -1 x 4"},
      {"absurd height", with(22, 0x7FFFFFFF), "unacceptable dimensions 4 x 2147483647"},
      {"absurd top-down height", with(22, 0x80000000), "unacceptable dimensions 4 x 2147483648"},
      {"too many pixels", with(22, 16384, 4, with(18, 16384)), "unacceptable dimensions 16384 x 16384"},
      {"planes", with(26, 2, 2), "offset 126: plane count 2"},
      {"bit depth", with(28, 7, 2), "offset 128: unsupported bit depth 7"},
      {"run-length", with(28, 8, 2, with(30, 1)), "offset 130: run-length compressed"},
      {"unknown compression", with(30, 9), "offset 130: unsupported compression 9"},
      {"bit fields at 24 bpp", with(30, 3), "bit-field masks with 24 bits"},
      {"colour count", with(46, 300, 4, with(28, 8, 2)), "offset 146: colour count 300 exceeds 256"},
      {"colour table past the end", with(28, 8, 2), "offset 154: truncated colour table (256 colours)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NE(ErrorOf(c.file, 100).find(c.expected), std::string::npos) << ErrorOf(c.file, 100);
  }
}

TEST(Bmp, SizesAreAcceptedExactlyUpToTheirLimits) {
  // 1 bit per pixel keeps the files small: 16384 x 1024 is 2 MiB.
  const Bytes table = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0};
  auto oneBit = [&](int w, int h) { return MakeBmp(w, h, 1, std::vector<Bytes>(h), false, 0, table); };
  Bytes smallest = MakeBmp(1, 1, 24, {{1, 2, 3}}, false, 0, {}, 12);
  struct Case {
    const char* name;
    Bytes file;
    const char* expected;  // a piece of the message, or "" when the headers are accepted
  };
  const Case cases[] = {
      {"widest", oneBit(BmpMaxDimension, 1), ""},
      {"one column wider", oneBit(BmpMaxDimension + 1, 1), "unacceptable dimensions 16385 x 1"},
      {"tallest", oneBit(1, BmpMaxDimension), ""},
      {"one row taller", oneBit(1, BmpMaxDimension + 1), "unacceptable dimensions 1 x 16385"},
      {"most pixels", oneBit(BmpMaxDimension, BmpMaxPixels / BmpMaxDimension), ""},
      {"one row more", oneBit(BmpMaxDimension, BmpMaxPixels / BmpMaxDimension + 1), "unacceptable dimensions 16384 x 1025"},
      {"shortest file", smallest, ""},
      {"one byte short", Bytes(smallest.begin(), smallest.end() - 1), "truncated: the image claims 30 bytes but only 29 remain"},
  };
  EXPECT_EQ(smallest.size(), BmpMinFileLength);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string message;
    try {
      ReadBmpInfo(c.file);
    } catch (const EBmpError& e) {
      message = e.what();
    }
    if (*c.expected == '\0') EXPECT_EQ(message, "");
    else EXPECT_NE(message.find(c.expected), std::string::npos) << message;
  }
  EXPECT_EQ(DecodeBmp(smallest).GetPixel(0, 0), 0x010203u);
}

TEST(Bmp, PictureKeepsItsBytesAndTellsItsLength) {
  // A BMP as some other program writes it: 8 bits, a colour table of 3, data after the image.
  Bytes table = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0x40, 0x80, 0xC0, 0x00};
  Bytes file = MakeBmp(3, 2, 8, {{0, 1, 2}, {2, 1, 0}}, false, 0, table);
  Put(file, 46, 3, 4);
  Put(file, 38, 2835, 4);  // a resolution our encoder would not write
  const std::size_t length = file.size();
  file.insert(file.end(), {'n', 'e', 'x', 't'});

  TBmpPicture picture;
  EXPECT_EQ(picture.LoadFromBytes(file), length);
  EXPECT_EQ(picture.BitCount(), 8);
  EXPECT_EQ(picture.GetPixel(2, 0), 0x4080C0u);
  EXPECT_EQ(picture.SaveToBytes(), Bytes(file.begin(), file.begin() + length));

  // Once changed, the kept bytes no longer stand for the picture: it is written at 24 bits.
  picture.SetPixel(0, 0, 0x123456);
  const Bytes changed = picture.SaveToBytes();
  EXPECT_EQ(changed[28], 24);
  EXPECT_EQ(DecodeBmp(changed), static_cast<const TPixelBitmap&>(picture));

  picture.Clear();
  EXPECT_TRUE(picture.IsEmpty());
  EXPECT_TRUE(picture.SaveToBytes().empty());
}

TEST(Bmp, LoadFromFileNamesTheFile) {
  TBmpPicture picture;
  try {
    picture.LoadFromFile("/nonexistent/dir/nothing.bmp");
    FAIL() << "no error";
  } catch (const EBmpError& e) {
    EXPECT_NE(std::string(e.what()).find("nothing.bmp"), std::string::npos);
  }
}
