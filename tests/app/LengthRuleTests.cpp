#include "app/LengthRule.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }

// Every row of the rule's table at and around its bounds, in both states of the box.
TEST(HexLengthText, EveryRowAndItsBounds) {
  const std::u16string overflow(kOverflowMessage);
  struct Case { std::size_t n; const char16_t* plain; const char16_t* reversed; } cases[] = {
      {0, u"", u""},
      {1, u"01", u"01"},
      {15, u"0F", u"0F"},
      {16, u"10", u"10"},
      {171, u"AB", u"AB"},
      {255, u"FF", u"FF"},
      {256, u"0100", u"0001"},
      {300, u"012C", u"2C01"},
      {301, u"012D", u"2D01"},
      {4095, u"0FFF", u"FF0F"},
      {4096, u"1000", u"0010"},
      {0xABCD, u"ABCD", u"CDAB"},
      {65534, u"FFFE", u"FEFF"},
      {65535, u"FFFF", u"FFFF"},
      {65536, overflow.c_str(), overflow.c_str()},
      {65537, overflow.c_str(), overflow.c_str()},
      {std::size_t{1} << 31, overflow.c_str(), overflow.c_str()},
      {~std::size_t{0}, overflow.c_str(), overflow.c_str()},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HexLengthText(c.n, false), c.plain) << "n = " << c.n;
    EXPECT_EQ(HexLengthText(c.n, true), c.reversed) << "n = " << c.n << ", reversed";
  }
}

TEST(HexLengthText, DigitsAreUpperCaseAndPadded) {
  for (std::size_t n = 1; n <= 0xFFFF; ++n) {
    std::u16string s = HexLengthText(n, false);
    ASSERT_EQ(s.size(), n <= 255 ? 2u : 4u) << n;
    for (char16_t c : s) ASSERT_TRUE((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F')) << n;
    ASSERT_EQ(std::stoul(Narrow(s), nullptr, 16), n);
  }
}

TEST(SwapHexPairs, ExchangesTheBytesAndIsItsOwnInverse) {
  EXPECT_EQ(SwapHexPairs(u"012C"), u"2C01");
  EXPECT_EQ(SwapHexPairs(u"FFFF"), u"FFFF");
  EXPECT_EQ(SwapHexPairs(u"0100"), u"0001");
  for (const char16_t* s : {u"012C", u"ABCD", u"0001", u"F00F"}) EXPECT_EQ(SwapHexPairs(SwapHexPairs(s)), s);
  // Not a four-digit value: returned as given rather than cut or read past its end.
  EXPECT_EQ(SwapHexPairs(u""), u"");
  EXPECT_EQ(SwapHexPairs(u"FF"), u"FF");
  EXPECT_EQ(SwapHexPairs(u"12345"), u"12345");
}

TEST(TextByteLength, CountsGb2312Bytes) {
  struct Case { const char16_t* text; std::size_t bytes; } cases[] = {
      {u"", 0},
      {u"A", 1},
      {u"中", 2},
      {u"a\r\nb", 4},
      {u"Hex 值反序", 10},
      {u"文本：", 6},
      {u"字符长度已超出最大值 FFFF", 25},
  };
  for (const auto& c : cases) EXPECT_EQ(TextByteLength(c.text), c.bytes) << Narrow(c.text);
  EXPECT_EQ(TextByteLength(std::u16string(255, u'x')), 255u);
  EXPECT_EQ(TextByteLength(std::u16string(32768, u'中')), 65536u);
  EXPECT_EQ(HexLengthText(TextByteLength(std::u16string(32767, u'中') + u"a"), false), u"FFFF");
}

}  // namespace
