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

// Expected bytes are what the Windows conversion for code page 936 produces.
TEST(CodePage, CodePage936IsTheFullChineseCodePageWithQuestionMarksForTheRest) {
  struct Case {
    const char* name;
    std::u16string text;
    std::string bytes;
  };
  const Case cases[] = {
      {"unmappable then more text", u"a\u0E01b", "a?b"},
      {"outside the basic plane: one mark per UTF-16 unit", u"a\U0001F600b", "a??b"},
      {"not in GB2312: ling, small roman one, traditional men", u"\u3007\u2170\u5011",
       "\xA9\x96\xA2\xA1\x82\x83"},
      {"euro sign, a single byte", u"x\u20ACy", "x\x80y"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Utf16ToCodePage(c.text), c.bytes);
    EXPECT_EQ(CodePageByteLength(c.text), c.bytes.size());
    if (c.bytes.find('?') == std::string::npos) {
      EXPECT_EQ(CodePageToUtf16(c.bytes), c.text);
    }
  }
}
