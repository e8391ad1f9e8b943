#include <gtest/gtest.h>

#include "skin/imaging/vnUtilsHelpers.h"

TEST(ClosesPopups, TheThirteenMessagesAndNoOthers) {
  const std::uint32_t closing[] = {3, 5, 6, 8, 31, 33, 161, 164, 167, 513, 516, 519, 528};
  for (std::uint32_t m : closing) EXPECT_TRUE(ClosesPopups(m)) << m;
  int count = 0;
  for (std::uint32_t m = 0; m < 0x10000; ++m) count += ClosesPopups(m) ? 1 : 0;
  EXPECT_EQ(count, 13);
}

TEST(ShortenTextToWidth, CutsFromTheEndUntilTheEllipsisFits) {
  // Every character 10 pixels wide, so "..." is 30.
  const TvnTextMeasure measure = [](std::wstring_view s) { return static_cast<int>(s.size()) * 10; };
  struct Case {
    std::wstring Text;
    int Width;
    std::wstring Expected;
  } cases[] = {
      {L"abcdef", 60, L"abcdef"},  // fits exactly: unchanged
      {L"abcdef", 59, L"ab..."},
      {L"abcdef", 50, L"ab..."},
      {L"abcdef", 49, L"a..."},
      {L"abcdef", 31, L"..."},
      {L"abcdef", 5, L"..."},  // nothing fits: just the ellipsis
      {L"", 0, L""},
  };
  for (const Case& c : cases) {
    std::wstring text = c.Text;
    ShortenTextToWidth(measure, text, c.Width);
    EXPECT_EQ(text, c.Expected) << c.Width;
  }
  // A surrogate pair (one character outside the basic plane) is removed whole, never leaving
  // half of it behind. Here a dot is 2 pixels, a high surrogate 0 and every other unit 10.
  const TvnTextMeasure units = [](std::wstring_view s) {
    int n = 0;
    for (wchar_t c : s) n += c == L'.' ? 2 : (c >= 0xD800 && c <= 0xDBFF) ? 0 : 10;
    return n;
  };
  std::wstring text = L"ab\xD83D\xDE00";
  ShortenTextToWidth(units, text, 29);
  EXPECT_EQ(text, L"ab...");
  text = L"ab\xD83D\xDE00";
  ShortenTextToWidth(units, text, 30);
  EXPECT_EQ(text, L"ab\xD83D\xDE00");
}

TEST(RectHelpers, SidesIncludedAndEmptiness) {
  const TRect r{2, 3, 7, 9};
  EXPECT_EQ(RectWidth(r), 5);
  EXPECT_EQ(RectHeight(r), 6);
  EXPECT_TRUE(PointInRect({7, 9}, r));  // right and bottom sides are inside here
  EXPECT_TRUE(PointInRect({2, 3}, r));
  EXPECT_FALSE(PointInRect({8, 5}, r));
  EXPECT_FALSE(PointInRect({5, 2}, r));
  EXPECT_FALSE(r.Contains({7, 9}));  // unlike the platform's own test
  EXPECT_FALSE(IsNullRect(r));
  EXPECT_TRUE(IsNullRect({2, 3, 2, 9}));
  EXPECT_TRUE(IsNullRect({2, 3, 7, 2}));
  EXPECT_TRUE(IsNullRect(NullRect()));
  EXPECT_TRUE(EqualRects(r, TRect{2, 3, 7, 9}));
  EXPECT_FALSE(EqualRects(r, TRect{2, 3, 7, 8}));
}

TEST(WindowCapabilities, VersionDecodingAndDropShadows) {
  EXPECT_EQ(DecodeSystemVersion(0x0A280105).Major, 5);
  EXPECT_EQ(DecodeSystemVersion(0x0A280105).Minor, 1);
  EXPECT_EQ(DecodeSystemVersion(0x23F00206).Minor, 2);
  EXPECT_FALSE(DropShadowsAvailable({5, 0}, true));
  EXPECT_TRUE(DropShadowsAvailable({5, 1}, true));
  EXPECT_TRUE(DropShadowsAvailable({5, 2}, true));
  EXPECT_TRUE(DropShadowsAvailable({6, 0}, true));  // later systems keep drop shadows
  EXPECT_TRUE(DropShadowsAvailable({10, 0}, true));
  EXPECT_FALSE(DropShadowsAvailable({6, 2}, false));
  EXPECT_FALSE(DropShadowsAvailable({4, 90}, true));
}
