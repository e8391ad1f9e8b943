#include "skin/data/vnSkinDataContainer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Bytes = std::vector<std::uint8_t>;

TBmpPicture PictureOf(int w, int h, int bpp, std::uint32_t colour) {
  TPixelBitmap b(w, h);
  b.Fill(colour);
  b.SetPixel(0, 0, 0xFFFFFF);
  const std::uint32_t palette[] = {0x000000, 0xFFFFFF, colour};
  const Bytes file = EncodeBmp(b, bpp, bpp == 24 ? std::span<const std::uint32_t>() : std::span(palette).first(bpp == 1 ? 2 : 3));
  TBmpPicture p;
  p.LoadFromBytes(file);
  return p;
}

void Put32(Bytes& b, std::int32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
}
void Append(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }

std::string ErrorOf(const Bytes& b) {
  try {
    ReadSkinContainer(b);
  } catch (const EvnSkinError& e) {
    return e.what();
  }
  return "(no error)";
}

}  // namespace

TEST(SkinContainer, LayoutIsVersionFlagsPicturesCountPicturesText) {
  TvnSkinContainer c;
  c.Picture = PictureOf(7, 5, 24, 0x336699);
  c.Mask = PictureOf(7, 5, 1, 0);
  c.ActivePictures = {PictureOf(3, 3, 8, 0x123456), PictureOf(2, 9, 4, 0x00FF00)};
  c.Text = "[VERSION]\r\n";
  const Bytes out = WriteSkinContainer(c);

  Bytes expected;
  Put32(expected, 3);
  expected.push_back(0);
  Append(expected, c.Picture.FileBytes());
  expected.push_back(1);  // no inactive picture
  expected.push_back(0);
  Append(expected, c.Mask.FileBytes());
  Put32(expected, 2);
  Append(expected, c.ActivePictures[0].FileBytes());
  Append(expected, c.ActivePictures[1].FileBytes());
  const std::size_t textAt = expected.size();
  Append(expected, Bytes(c.Text.begin(), c.Text.end()));
  EXPECT_EQ(out, expected);

  const TvnSkinContainer back = ReadSkinContainer(out);
  EXPECT_EQ(back.Version, 3);
  EXPECT_EQ(back.Picture.FileBytes(), c.Picture.FileBytes());
  EXPECT_TRUE(back.InActivePicture.IsEmpty());
  EXPECT_EQ(back.Mask.BitCount(), 1);
  ASSERT_EQ(back.ActivePictures.size(), 2u);
  EXPECT_EQ(back.ActivePictures[1].FileBytes(), c.ActivePictures[1].FileBytes());
  EXPECT_EQ(back.DescriptionOffset, textAt);
  EXPECT_EQ(back.Text, c.Text);
  EXPECT_EQ(WriteSkinContainer(back), out) << "written back byte for byte";
}

TEST(SkinContainer, AllFlagsSetAndNoActivePicturesLeaveOnlyTheText) {
  Bytes b;
  Put32(b, 3);
  b.insert(b.end(), {1, 7, 255});  // any non-zero flag means empty
  Put32(b, 0);
  Append(b, Bytes{'[', 'A', ']'});
  const TvnSkinContainer c = ReadSkinContainer(b);
  EXPECT_TRUE(c.Picture.IsEmpty() && c.InActivePicture.IsEmpty() && c.Mask.IsEmpty());
  EXPECT_TRUE(c.ActivePictures.empty());
  EXPECT_EQ(c.Text, "[A]");
  EXPECT_EQ(c.DescriptionOffset, 11u);
}

TEST(SkinContainer, NegativeCountMeansNoActivePictures) {
  Bytes b;
  Put32(b, 3);
  b.insert(b.end(), {1, 1, 1});
  Put32(b, -5);
  const TvnSkinContainer c = ReadSkinContainer(b);
  EXPECT_TRUE(c.ActivePictures.empty());
  EXPECT_TRUE(c.Text.empty());
}

TEST(SkinContainer, VersionTwoCarriesTwoExtraPicturesThatAreDropped) {
  const TBmpPicture extra = PictureOf(4, 4, 24, 0xABCDEF);
  const TBmpPicture active = PictureOf(2, 2, 24, 0x010203);
  Bytes b;
  Put32(b, 2);
  b.insert(b.end(), {1, 1, 1});
  b.push_back(0);
  Append(b, extra.FileBytes());
  b.push_back(1);
  Put32(b, 1);
  Append(b, active.FileBytes());
  const TvnSkinContainer c = ReadSkinContainer(b);
  EXPECT_EQ(c.Version, 2);
  ASSERT_EQ(c.ActivePictures.size(), 1u);
  EXPECT_EQ(c.ActivePictures[0].FileBytes(), active.FileBytes());
  // Older versions below 2 have no extra pictures.
  b[0] = 1;
  EXPECT_NE(ErrorOf(b), "(no error)");
}

TEST(SkinContainer, NewerVersionIsReportedNotRead) {
  Bytes b;
  Put32(b, 4);
  b.push_back(0);  // whatever follows is not looked at
  const TvnSkinContainer c = ReadSkinContainer(b);
  EXPECT_EQ(c.Version, 4);
  EXPECT_TRUE(c.Picture.IsEmpty());
  EXPECT_TRUE(c.Text.empty());
}

TEST(SkinContainer, DamagedContainersNameTheFieldAndOffset) {
  const TBmpPicture p = PictureOf(4, 4, 24, 0x445566);
  Bytes onePicture;
  Put32(onePicture, 3);
  onePicture.push_back(0);
  Append(onePicture, p.FileBytes());

  Bytes truncatedPicture = onePicture;
  truncatedPicture.resize(30);
  Bytes countTooLarge;
  Put32(countTooLarge, 3);
  countTooLarge.insert(countTooLarge.end(), {1, 1, 1});
  Put32(countTooLarge, 0x7FFFFFFF);
  Append(countTooLarge, p.FileBytes());
  Bytes absurd = onePicture;
  absurd[5 + 18] = 0xFF, absurd[5 + 19] = 0xFF, absurd[5 + 20] = 0xFF, absurd[5 + 21] = 0x7F;

  struct Case {
    const char* name;
    Bytes bytes;
    std::string expected;
  };
  const Case cases[] = {
      {"empty", {}, "truncated skin container: the version needs 4 bytes at byte offset 0"},
      {"no flag", Bytes{3, 0, 0, 0}, "main picture flag needs 1 bytes at byte offset 4"},
      {"picture cut", truncatedPicture, "main picture: BMP at byte offset 7: truncated: the image claims 102 bytes but only 25 remain"},
      {"no inactive flag", onePicture, "inactive picture flag needs 1 bytes at byte offset " + std::to_string(onePicture.size())},
      {"absurd width", absurd, "main picture: BMP at byte offset 23: unacceptable dimensions 2147483647 x 4"},
      {"count without pictures", countTooLarge, "active picture 1 of 2147483647: BMP at byte offset " +
                                                    std::to_string(11 + p.FileBytes().size())},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string message = ErrorOf(c.bytes);
    EXPECT_NE(message.find(c.expected), std::string::npos) << message;
  }
}

TEST(SkinContainer, TextLinesSplitLikeALineList) {
  using L = std::vector<std::string>;
  EXPECT_EQ(SplitTextLines(""), L{});
  EXPECT_EQ(SplitTextLines("a"), L{"a"});
  EXPECT_EQ(SplitTextLines("a\r\n"), L{"a"});
  EXPECT_EQ(SplitTextLines("a\n\nb"), (L{"a", "", "b"}));
  EXPECT_EQ(SplitTextLines("a\rb\r\nc\n"), (L{"a", "b", "c"}));
  EXPECT_EQ(SplitTextLines("\r\n"), L{""});
  EXPECT_EQ(JoinTextLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
}
