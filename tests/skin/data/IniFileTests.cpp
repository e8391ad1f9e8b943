// The in-memory INI file: how text becomes sections and keys, and how it is written back.
#include <gtest/gtest.h>

#include <cctype>

#include "skin/data/vnIniFile.h"
#include "skin/data/vnSkinKeys.h"

namespace {

struct LookupCase {
  const char* Text;
  const char* Section;
  const char* Key;
  const char* Expected;  // null: the key is missing
};

class IniLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(IniLookup, FindsTheValue) {
  const LookupCase& c = GetParam();
  TvnIniFile ini(c.Text);
  const std::string* value = ini.FindValue(c.Section, c.Key);
  if (c.Expected == nullptr) {
    EXPECT_EQ(value, nullptr) << "found \"" << *value << "\"";
  } else {
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(*value, c.Expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, IniLookup,
    ::testing::Values(
        // Line ends: LF, CR LF, CR alone, and a last line without an end.
        LookupCase{"[s]\na=1\nb=2", "s", "b", "2"},
        LookupCase{"[s]\r\na=1\r\nb=2\r\n", "s", "a", "1"},
        LookupCase{"[s]\ra=1\rb=2\r", "s", "b", "2"},
        LookupCase{"[s]\r\n\r\nb=2", "s", "b", "2"},
        LookupCase{"[s]\n\r\rb=2\n\n", "s", "b", "2"},
        LookupCase{"[s]\ra=1\nb=2\r\nc=3\rd=4", "s", "c", "3"},
        // Trimming of blanks and control characters around lines, names and values.
        LookupCase{"  [ s ]  \n\t a = 1 \t\n", "s", "a", "1"},
        LookupCase{"[s]\n\x01\x02key\x1f=\x07value\x7f\n", "s", "key", "value\x7f"},
        // Case of section and key names does not matter; case of values is kept.
        LookupCase{"[FormInfo]\nClientRect=A,b\n", "FORMINFO", "clientrect", "A,b"},
        LookupCase{"[s]\nMorphKind=mkPush\n", "s", "morphkind", "mkPush"},
        // Comments and text before the first section.
        LookupCase{"a=0\n[s]\n;a=1\n", "s", "a", nullptr},
        LookupCase{"a=0\n[s]\n", "", "a", nullptr},
        LookupCase{"[s]\n ;a=1\na=2\n", "s", "a", "2"},
        // Cut at the first "=".
        LookupCase{"[s]\na==b=c\n", "s", "a", "=b=c"},
        LookupCase{"[s]\n=x\n", "s", "", "x"},
        // A present key with nothing after "=" is the empty text, not a missing key.
        LookupCase{"[s]\na=\n", "s", "a", ""},
        LookupCase{"[s]\na   \n", "s", "a", nullptr},
        // Later duplicates win, for keys and for sections.
        LookupCase{"[s]\na=1\nA=2\n", "s", "a", "2"},
        LookupCase{"[s]\na=1\n[S]\nb=2\n", "s", "a", nullptr},
        LookupCase{"[s]\na=1\n[S]\nb=2\n", "s", "b", "2"},
        // A bracket line that is not closed is no section: its lines belong to the last one.
        LookupCase{"[s]\n[t\na=1\n", "s", "a", "1"},
        LookupCase{"[]\na=1\n", "", "a", "1"},
        // 8-bit bytes of the code page are kept and compared exactly (no case folding).
        LookupCase{"[\xc6\xa4\xb7\xf4]\n\xc3\xfb=\xd6\xb5\n", "\xc6\xa4\xb7\xf4", "\xc3\xfb",
                   "\xd6\xb5"},
        LookupCase{"[s]\n\xc1\x41=1\n", "s", "\xc1\x61", nullptr},
        LookupCase{"[\xc1\x41]\nk=1\n", "\xc1\x61", "k", nullptr},
        // A bracketed line is a section even with "=" inside.
        LookupCase{"[a=b]\nk=1\n", "A=B", "k", "1"}));

// The key tables' names are hashed when compiled, the description's keys when read: both must
// agree at every length around the eight bytes hashed at a time, in short sections and long
// ones, whatever the case the description writes.
TEST(IniFile, TableKeysAreFoundAtEveryLength) {
  const TvnKeyName names[] = {"a", "abcdefg", "abcdefgh", "abcdefghi", "leftbottompoint",
                              "rightbottompoint", "hittestlefttoppoint"};
  for (int lines : {2, 40}) {
    for (const TvnKeyName& name : names) {
      std::string upper(name.Text);
      for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      std::string text = "[s]\n" + upper + "=v\n" + std::string(name.Text) + "x=w\n";
      for (int i = 2; i < lines; ++i) text += "k" + std::to_string(i) + "=0\n";
      const TvnIniFile ini(text);
      std::string field = "default";
      ReadKey(ini, "s", TextKey(name, field));
      EXPECT_EQ(field, "v") << name.Text << " in " << lines << " lines";
    }
  }
}

// Long sections are looked up through a table, short ones line by line; both must find the
// same: the last of equal keys in any case, nothing for a key that is not there, a key
// written after the first lookup, and the second byte of a double-byte character unfolded.
TEST(IniFile, LongSectionsFindWhatShortOnesFind) {
  for (int lines : {31, 32, 2000}) {
    SCOPED_TRACE(lines);
    std::string text = "[s]\nDup=first\n\x81" "A=upper\nfree text\n";
    for (int i = 4; i < lines; ++i) text += "k" + std::to_string(i) + "=v" + std::to_string(i) + "\n";
    text += "dUP=last\n";
    TvnIniFile ini(text);
    ASSERT_EQ(ini.FindSection("s")->Lines.size(), static_cast<std::size_t>(lines));
    const std::pair<const char*, const char*> cases[] = {
        {"DUP", "last"},         {"\x81" "A", "upper"}, {"\x81" "a", nullptr},
        {"K4", "v4"},            {"free text", nullptr},     {"missing", nullptr},
    };
    for (const auto& [key, expected] : cases) {
      const std::string* value = ini.FindValue("s", key);
      if (expected == nullptr) EXPECT_EQ(value, nullptr) << key;
      else EXPECT_EQ(value ? *value : "(missing)", expected) << key;
    }
    ini.WriteString("s", "added", "new");
    ini.WriteString("s", "dup", "changed");
    EXPECT_EQ(ini.ReadString("s", "ADDED", ""), "new");
    EXPECT_EQ(ini.ReadString("s", "Dup", ""), "changed");
  }
}

TEST(IniFile, SectionsKeepTheirOrderAndLinesWithoutEquals) {
  TvnIniFile ini("x=1\n[A]\nfree text\nk=v\n[B]\n[A]\nk=w\n");
  ASSERT_EQ(ini.Sections().size(), 3u);
  EXPECT_EQ(ini.Sections()[0].Name, "A");
  EXPECT_EQ(ini.Sections()[1].Name, "B");
  ASSERT_EQ(ini.Sections()[0].Lines.size(), 2u);
  EXPECT_FALSE(ini.Sections()[0].Lines[0].HasKey);
  EXPECT_EQ(ini.Sections()[0].Lines[0].Value, "free text");
  EXPECT_EQ(ini.ReadString("a", "k", "d"), "w");
  EXPECT_EQ(ini.ReadString("a", "missing", "d"), "d");
  EXPECT_EQ(ini.ReadString("missing", "k", "d"), "d");
}

TEST(IniFile, WritingReplacesTheFoundKeyOrAppends) {
  TvnIniFile ini("[s]\nK=1\nk=2\n");
  ini.WriteString("S", "k", "3");
  ini.WriteString("s", "new", "4");
  ini.WriteString("t", "a", "5");
  ini.WriteString("T", "b", "6");  // the section written just before is found
  EXPECT_EQ(ini.Text(), "[s]\r\nK=1\r\nk=3\r\nnew=4\r\n[t]\r\na=5\r\nb=6\r\n");
}

TEST(IniFile, ErasingRemovesEverySectionOfThatName) {
  TvnIniFile ini("[s]\na=1\n[t]\nb=2\n[S]\nc=3\n");
  ini.EraseSection("s");
  EXPECT_FALSE(ini.SectionExists("s"));
  EXPECT_EQ(ini.ReadString("t", "b", ""), "2");
  ini.WriteString("s", "a", "9");
  EXPECT_EQ(ini.Text(), "[t]\r\nb=2\r\n[s]\r\na=9\r\n");
}

TEST(IniFile, TextReadsBackToTheSameContent) {
  const char* text = "[VERSION]\r\nskinname=\xc6\xa4\r\n[s]\r\nfree\r\na=\r\nb=1,2\r\n";
  TvnIniFile ini(text);
  EXPECT_EQ(ini.Text(), text);
  TvnIniFile again(ini.Text());
  EXPECT_EQ(again.Text(), text);
}

}  // namespace
