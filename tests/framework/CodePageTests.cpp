#include "framework/CodePage.h"

#include <gtest/gtest.h>

TEST(CodePage, Gb2312CountsTwoBytesPerChineseCharacter) {
  EXPECT_EQ(CodePageByteLength(u"A"), 1u);
  EXPECT_EQ(CodePageByteLength(u"文本"), 4u);
  EXPECT_EQ(CodePageByteLength(u"a\r\nb"), 4u);
  EXPECT_EQ(CodePageByteLength(u""), 0u);
}

TEST(CodePage, RoundTripsThroughGb2312AndUtf8) {
  const std::string utf8 = "Hex 长度值：";
  std::string gb = Utf8ToCodePage(utf8);
  EXPECT_EQ(gb.size(), 12u);
  EXPECT_EQ(static_cast<unsigned char>(gb[4]), 0xB3);  // 长 is B3 A4 in GB2312
  EXPECT_EQ(static_cast<unsigned char>(gb[5]), 0xA4);
  EXPECT_EQ(CodePageToUtf8(gb), utf8);
}

TEST(CodePage, Utf8AndUtf16AgreeOutsideTheBasicPlane) {
  const std::string utf8 = "a\xF0\x9F\x98\x80z";  // U+1F600 needs a surrogate pair
  std::u16string w = Utf8ToUtf16(utf8);
  ASSERT_EQ(w.size(), 4u);
  EXPECT_EQ(w[1], 0xD83D);
  EXPECT_EQ(Utf16ToUtf8(w), utf8);
  EXPECT_EQ(Utf8ToUtf16("\xFF" "a"), u"\uFFFD" u"a");
}
