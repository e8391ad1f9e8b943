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

// The error of reading b, the same whether the pictures copy their bytes or share the
// container's (else both messages).
std::string ErrorOf(const Bytes& b) {
  auto message = [](auto&& read) -> std::string {
    try {
      read();
    } catch (const EvnSkinError& e) {
      return e.what();
    }
    return "(no error)";
  };
  const std::string copied = message([&] { ReadSkinContainer(b); });
  const std::string shared = message([&] { ReadSkinContainer(std::make_shared<const TByteBuffer>(b.begin(), b.end())); });
  return copied == shared ? copied : copied + " | shared: " + shared;
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
  // Read from bytes that stay, its pictures share them: the same container.
  const TvnSkinContainer shared = ReadSkinContainer(std::make_shared<const TByteBuffer>(out.begin(), out.end()));
  EXPECT_EQ(shared.Picture, back.Picture);
  EXPECT_EQ(shared.ActivePictures[1].FileBytes(), c.ActivePictures[1].FileBytes());
  EXPECT_EQ(WriteSkinContainer(shared), out) << "shared, written back byte for byte";
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
      {"count without pictures", countTooLarge, "the active picture count 2147483647 at byte offset 7 is more than the " +
                                                    std::to_string(p.FileBytes().size()) + " bytes after it can hold"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string message = ErrorOf(c.bytes);
    EXPECT_NE(message.find(c.expected), std::string::npos) << message;
  }
}

// The smallest BMP there is: core header, 1 x 1 at 24 bits per pixel, 30 bytes.
Bytes SmallestBmp() {
  Bytes b = {'B', 'M', 30, 0, 0, 0, 0, 0, 0, 0, 26, 0, 0, 0, 12, 0, 0, 0, 1, 0, 1, 0, 1, 0, 24, 0, 9, 9, 9, 0};
  return b;
}

// Three empty flags, the count, count_pictures copies of the smallest BMP, then the text.
Bytes WithActivePictures(std::int32_t count, int pictures, const std::string& text = {}) {
  Bytes b;
  Put32(b, 3);
  b.insert(b.end(), {1, 1, 1});
  Put32(b, count);
  for (int i = 0; i < pictures; ++i) Append(b, SmallestBmp());
  Append(b, Bytes(text.begin(), text.end()));
  return b;
}

std::string ErrorWithin(const Bytes& b, const TvnSkinContainerLimits& limits) {
  try {
    ReadSkinContainer(b, limits);
  } catch (const EvnSkinError& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(SkinContainer, LimitsHoldExactlyAtTheirSize) {
  const TvnSkinContainerLimits defaults;
  TvnSkinContainer c;
  c.Picture = PictureOf(7, 5, 24, 0x336699);              // 35 pixels
  c.ActivePictures = {PictureOf(3, 3, 8, 0x123456)};      // 9 more
  c.Text = "[VERSION]\r\n";
  const Bytes two = WriteSkinContainer(c);
  const std::string activeAt = std::to_string(two.size() - c.Text.size() - c.ActivePictures[0].FileBytes().size());
  struct Case {
    const char* name;
    Bytes bytes;
    TvnSkinContainerLimits limits;
    std::string expected;  // a piece of the message, or "(no error)"
  };
  const Case cases[] = {
      {"three pictures in 90 bytes", WithActivePictures(3, 3), defaults, "(no error)"},
      {"a fourth would need 30 more", WithActivePictures(4, 3), defaults,
       "the active picture count 4 at byte offset 7 is more than the 90 bytes after it can hold"},
      {"pixels exactly at the limit", two, {44, defaults.MaxDescriptionSize}, "(no error)"},
      {"one pixel past the limit", two, {43, defaults.MaxDescriptionSize},
       "active picture 0 of 1: the 3 x 3 BMP at byte offset " + activeAt +
           " passes the limit of 43 pixels for all pictures of a skin (35 before it)"},
      {"description exactly at the limit", WithActivePictures(0, 0, std::string(defaults.MaxDescriptionSize, ';')),
       defaults, "(no error)"},
      {"description one byte longer", WithActivePictures(0, 0, std::string(defaults.MaxDescriptionSize + 1, ';')),
       defaults, "the description text at byte offset 11 has 2097153 bytes, more than the 2097152"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    const std::string message = ErrorWithin(k.bytes, k.limits);
    EXPECT_NE(message.find(k.expected), std::string::npos) << message;
  }
  // What the reader would refuse is not written either.
  EXPECT_THROW(WriteSkinContainer(c, {43, defaults.MaxDescriptionSize}), EvnSkinError);
  EXPECT_THROW(WriteSkinContainer(c, {44, c.Text.size() - 1}), EvnSkinError);
  EXPECT_NO_THROW(WriteSkinContainer(c, {44, c.Text.size()}));
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
