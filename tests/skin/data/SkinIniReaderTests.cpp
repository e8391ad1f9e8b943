// The typed readers and writers of description values, the two lists and the form section.
#include <gtest/gtest.h>

#include <string>

#include "GeometryPrinters.h"
#include "skin/data/vnSkinFormInfo.h"
#include "skin/data/vnSkinIni.h"

namespace {

// A description with one section "s" holding "k=<value>".
TvnIniFile OneKey(const std::string& value) { return TvnIniFile("[s]\nk=" + value + "\n"); }

struct IntCase {
  const char* Value;  // null: the key is missing
  int Expected;
};

class IntReader : public ::testing::TestWithParam<IntCase> {};

TEST_P(IntReader, ReadsWithDefault77) {
  const IntCase& c = GetParam();
  TvnIniFile ini = c.Value ? OneKey(c.Value) : TvnIniFile("[s]\n");
  EXPECT_EQ(ReadIntValue(ini, "s", "k", 77), c.Expected) << "value \"" << (c.Value ? c.Value : "<missing>") << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, IntReader,
    ::testing::Values(IntCase{nullptr, 77}, IntCase{"", 77}, IntCase{"0", 0}, IntCase{"12", 12},
                      IntCase{"-12", -12}, IntCase{"+12", 12}, IntCase{"007", 7},
                      IntCase{"0x10", 16}, IntCase{"0X10", 16}, IntCase{"$10", 16},
                      IntCase{"$ff", 255}, IntCase{"-$10", -16}, IntCase{"0xFFFFFFFF", -1},
                      IntCase{"$7FFFFFFF", 2147483647}, IntCase{"$100000000", 77},
                      IntCase{"2147483647", 2147483647}, IntCase{"-2147483648", -2147483647 - 1},
                      IntCase{"2147483648", 77}, IntCase{"99999999999999999999", 77},
                      IntCase{"abc", 77}, IntCase{"12abc", 77}, IntCase{"1 2", 77},
                      IntCase{"1.5", 77}, IntCase{"$", 77}, IntCase{"0x", 77}, IntCase{"-", 77},
                      IntCase{"0xg", 77}, IntCase{"8421504", 8421504}));

struct BoolCase {
  const char* Value;
  bool Expected;
};

class BoolReader : public ::testing::TestWithParam<BoolCase> {};

TEST_P(BoolReader, TrueOnlyForTheIntegerOne) {
  const BoolCase& c = GetParam();
  TvnIniFile ini = c.Value ? OneKey(c.Value) : TvnIniFile("[s]\n");
  EXPECT_EQ(ReadBoolean(ini, "s", "k"), c.Expected) << "value \"" << (c.Value ? c.Value : "<missing>") << "\"";
}

INSTANTIATE_TEST_SUITE_P(Spellings, BoolReader,
                         ::testing::Values(BoolCase{nullptr, false}, BoolCase{"", false},
                                           BoolCase{"1", true}, BoolCase{"0", false},
                                           BoolCase{"true", false}, BoolCase{"TRUE", false},
                                           BoolCase{"2", false}, BoolCase{"-1", false},
                                           BoolCase{"$1", true}, BoolCase{"0x01", true},
                                           BoolCase{"01", true}, BoolCase{"yes", false}));

struct RectCase {
  const char* Value;
  TRect Expected;
};

class RectReader : public ::testing::TestWithParam<RectCase> {};

TEST_P(RectReader, KeepsOnlyTheDigitsOfEachPiece) {
  const RectCase& c = GetParam();
  EXPECT_EQ(ReadRect(OneKey(c.Value), "s", "k"), c.Expected) << "value \"" << c.Value << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, RectReader,
    ::testing::Values(RectCase{"1,2,3,4", {1, 2, 3, 4}}, RectCase{" 1 , 2 ,3 , 4", {1, 2, 3, 4}},
                      RectCase{"-1,-2,3,4", {1, 2, 3, 4}}, RectCase{"1a,b2,3c3,x4y", {1, 2, 33, 4}},
                      RectCase{"0,0,0,0", {}}, RectCase{"007,0,10,2147483647", {7, 0, 10, 2147483647}},
                      // More than four pieces: the extra pieces are ignored, even empty ones.
                      RectCase{"1,2,3,4,5", {1, 2, 3, 4}}, RectCase{"1,2,3,4,", {1, 2, 3, 4}},
                      RectCase{"1,2,3,4,x,,", {1, 2, 3, 4}}));

class RectReaderError : public ::testing::TestWithParam<const char*> {};

TEST_P(RectReaderError, RaisesTheInvalidIntegerErrorNamingSectionAndKey) {
  TvnIniFile ini(std::string("[FORMINFO]\nclientrect=") + GetParam() + "\n");
  try {
    ReadRect(ini, "FORMINFO", "ClientRect");
    FAIL() << "no error for \"" << GetParam() << "\"";
  } catch (const EConvertError& e) {
    std::string message = e.what();
    EXPECT_NE(message.find("is not a valid integer value"), std::string::npos) << message;
    EXPECT_NE(message.find("FORMINFO"), std::string::npos) << message;
    EXPECT_NE(message.find("ClientRect"), std::string::npos) << message;
  }
}

INSTANTIATE_TEST_SUITE_P(Spellings, RectReaderError,
                         ::testing::Values("", "1,2,3", "1,2,,4", ",2,3,4", "a,b,c,d", "1,2,3,-",
                                           "1;2;3;4", "1,2,3,2147483648",
                                           "1,2,3,99999999999999999999999"));

struct PointCase {
  const char* Value;
  TPoint Expected;
};

class PointReader : public ::testing::TestWithParam<PointCase> {};

TEST_P(PointReader, KeepsOnlyTheDigitsOfEachPiece) {
  const PointCase& c = GetParam();
  EXPECT_EQ(ReadPoint(OneKey(c.Value), "s", "k"), c.Expected) << "value \"" << c.Value << "\"";
}

INSTANTIATE_TEST_SUITE_P(Spellings, PointReader,
                         ::testing::Values(PointCase{"10 , 20", {10, 20}}, PointCase{"-5,7", {5, 7}},
                                           PointCase{"46,32", {46, 32}}, PointCase{"1,2,3", {1, 2}},
                                           PointCase{"0x10,$5", {10, 5}}));

TEST(PointReader, MissingPieceOrEmptyValueRaises) {
  for (const char* value : {"", "5", "5,", ",5", "x,y"}) {
    EXPECT_THROW(ReadPoint(OneKey(value), "s", "k"), EConvertError) << "value \"" << value << "\"";
  }
}

TEST(RectAndPointReaders, MissingKeyGivesZero) {
  TvnIniFile ini("[s]\n");
  EXPECT_EQ(ReadRect(ini, "s", "k"), TRect{});
  EXPECT_EQ(ReadPoint(ini, "nosection", "k"), TPoint{});
}

struct FontStyleCase {
  const char* Value;
  TFontStyles Expected;
};

class FontStyleReader : public ::testing::TestWithParam<FontStyleCase> {};

TEST_P(FontStyleReader, FindsEachWordCaseSensitively) {
  const FontStyleCase& c = GetParam();
  EXPECT_EQ(ReadFontStyle(OneKey(c.Value), "s", "k"), c.Expected) << "value \"" << c.Value << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, FontStyleReader,
    ::testing::Values(FontStyleCase{"", 0}, FontStyleCase{"fsbold,fsunderline", fsBold | fsUnderline},
                      FontStyleCase{"FSBOLD,FSUNDERLINE", 0}, FontStyleCase{"fsBold", 0},
                      FontStyleCase{"[fsitalic]", fsItalic},
                      FontStyleCase{"fsstrikeoutfsbold", fsBold | fsStrikeOut},
                      FontStyleCase{"fsbold,fsitalic,fsunderline,fsstrikeout", 15},
                      FontStyleCase{"fsunderline fsunderline", fsUnderline}));

TEST(WordReaders, CompareExactlyAndFallBack) {
  struct Case {
    const char* Value;  // null: missing
    TvnAlignment Alignment;
    TvnInActiveEffect Effect;
    TvnMorphKind Morph;
    TvnSkinCommand Command;
  };
  const Case cases[] = {
      {nullptr, taCenter, ieBrightness, mkDefault, cmDefault},
      {"", taRightJustify, ieGrayscale, mkDefault, cmMinimizeToTray},
      {"unknown", taRightJustify, ieGrayscale, mkDefault, cmMinimizeToTray},
      {"taleftjustify", taLeftJustify, ieGrayscale, mkDefault, cmMinimizeToTray},
      {"tacenter", taCenter, ieGrayscale, mkDefault, cmMinimizeToTray},
      {"taCenter", taRightJustify, ieGrayscale, mkDefault, cmMinimizeToTray},
      {"ieinvert", taRightJustify, ieInvert, mkDefault, cmMinimizeToTray},
      {"iedarkness", taRightJustify, ieDarkness, mkDefault, cmMinimizeToTray},
      {"mkpush", taRightJustify, ieGrayscale, mkPush, cmMinimizeToTray},
      {"mkPush", taRightJustify, ieGrayscale, mkDefault, cmMinimizeToTray},
      {"mkrightslide", taRightJustify, ieGrayscale, mkRightSlide, cmMinimizeToTray},
      {"cmclose", taRightJustify, ieGrayscale, mkDefault, cmClose},
      {"cmMinimize", taRightJustify, ieGrayscale, mkDefault, cmMinimizeToTray},
      {"cmsysmenu", taRightJustify, ieGrayscale, mkDefault, cmSysMenu},
      {" cmclose", taRightJustify, ieGrayscale, mkDefault, cmClose},  // the line is trimmed
  };
  for (const Case& c : cases) {
    TvnIniFile ini = c.Value ? OneKey(c.Value) : TvnIniFile("[s]\n");
    SCOPED_TRACE(c.Value ? c.Value : "<missing>");
    EXPECT_EQ(ReadAlignment(ini, "s", "k"), c.Alignment);
    EXPECT_EQ(ReadInActiveEffect(ini, "s", "k"), c.Effect);
    EXPECT_EQ(ReadMorphKind(ini, "s", "k"), c.Morph);
    EXPECT_EQ(ReadCommand(ini, "s", "k"), c.Command);
  }
}

TEST(WordReaders, EveryWordReadsBackToItsValue) {
  for (int v = 0; v < 3; ++v) EXPECT_EQ(AlignmentFromWord(AlignmentWord(TvnAlignment(v))), v);
  for (int v = 0; v < 6; ++v) EXPECT_EQ(InActiveEffectFromWord(InActiveEffectWord(TvnInActiveEffect(v))), v);
  for (int v = 0; v < 7; ++v) EXPECT_EQ(MorphKindFromWord(MorphKindWord(TvnMorphKind(v))), v);
  for (int v = 0; v < 7; ++v) EXPECT_EQ(CommandFromWord(CommandWord(TvnSkinCommand(v))), v);
  EXPECT_EQ(CommandWord(cmMinimizeToTray), "cmminimizetotray");
}

TEST(KeyNames, AreFoundInAnyCaseWhileWordsAreNot) {
  TvnIniFile ini("[obj]\nMorphKind=mkPush\nMORPHING=1\n");
  EXPECT_EQ(ReadMorphKind(ini, "OBJ", "morphkind"), mkDefault);
  EXPECT_TRUE(ini.ValueExists("obj", "morphkind"));
  EXPECT_TRUE(ReadBoolean(ini, "obj", "morphing"));
}

TEST(TextReader, KeepsTheValueAndItsDefault) {
  TvnIniFile ini("[s]\nempty=\nname=Arial Black\n");
  EXPECT_EQ(ReadTextValue(ini, "s", "empty", "Arial"), "");
  EXPECT_EQ(ReadTextValue(ini, "s", "name", "Arial"), "Arial Black");
  EXPECT_EQ(ReadTextValue(ini, "s", "missing", "Arial"), "Arial");
}

struct NameListCase {
  const char* Text;
  std::vector<std::string> Expected;
};

TEST(NameListReader, ReadsCountThenNumberedKeys) {
  const NameListCase cases[] = {
      {"[p]\n", {}},
      {"[p]\nactivepicturescount=0\n0=a\n", {}},
      {"[p]\nactivepicturescount=-3\n0=a\n", {}},
      {"[p]\nactivepicturescount=2\n1=b.bmp\n0=a.bmp\n2=c.bmp\n", {"a.bmp", "b.bmp"}},
      {"[p]\nACTIVEPICTURESCOUNT=$2\n0=a\n1=\n", {"a", ""}},
      {"[p]\nactivepicturescount=3\n0=a\n2=c\n", {"a", "", "c"}},
      {"[p]\nactivepicturescount=3\n0=a\n00=x\n+1=y\n", {"a", "", ""}},
      {"[p]\nactivepicturescount=1\n0=a\n0=b\n", {"b"}},
      // The count is exactly the section's number of lines: the largest count accepted.
      {"[p]\nactivepicturescount=2\n1=b\n", {"", "b"}},
      {"[p]\nmask=m.bmp\nactivepicturescount=3\n200000000=x\n", {"", "", ""}},
  };
  for (const NameListCase& c : cases) {
    EXPECT_EQ(ReadNameList(TvnIniFile(c.Text), "p", "activepictures"), c.Expected) << c.Text;
  }
}

TEST(NameListReader, CountPastTheLinesOfItsSectionIsAnError) {
  const std::pair<const char*, const char*> cases[] = {
      // One more than the section's lines: the first count refused.
      {"[PICTURES]\nactivepicturescount=3\n1=b\n",
       "the list count 3 in section [PICTURES], key \"activepicturescount\" is more than the 2 "
       "lines of the section can hold"},
      {"[PICTURES]\nactivepicturescount=2147483647\n200000000=a.bmp\n",
       "the list count 2147483647 in section [PICTURES]"},
  };
  for (const auto& [text, expected] : cases) {
    std::string message = "(no error)";
    try {
      ReadNameList(TvnIniFile(text), "pictures", "activepictures");
    } catch (const EConvertError& e) {
      message = e.what();
    }
    EXPECT_NE(message.find(expected), std::string::npos) << message;
  }
}

TEST(SkinList, EntriesAreCutAtTheFirstColon) {
  const std::pair<const char*, TvnSkinListEntry> cases[] = {
      {"caption:caption", {"caption", "caption"}},
      {"hscrollbar:scrollbar", {"hscrollbar", "scrollbar"}},
      {"a:b:c", {"a", "b:c"}},
      {"panel", {"", ""}},
      {":panel", {"", "panel"}},
      {"name:", {"name", ""}},
      {"", {"", ""}},
  };
  for (const auto& [entry, expected] : cases) EXPECT_EQ(ParseSkinListEntry(entry), expected) << entry;
}

TEST(SkinList, ReadsEntriesInKeyOrder) {
  TvnIniFile ini(
      "[SKINCONTROLS]\ncount=4\n1=vscrollbar:scrollbar\n0=hscrollbar:scrollbar\n3=panel\n"
      "4=beyond:panel\n");
  std::vector<TvnSkinListEntry> expected = {
      {"hscrollbar", "scrollbar"}, {"vscrollbar", "scrollbar"}, {"", ""}};
  EXPECT_EQ(ReadSkinList(ini, "skincontrols"), expected);
  EXPECT_TRUE(ReadSkinList(TvnIniFile("[SKINCONTROLS]\n0=a:panel\n"), "SKINCONTROLS").empty());
  EXPECT_TRUE(ReadSkinList(TvnIniFile(""), "SKINCONTROLS").empty());
  EXPECT_TRUE(ReadSkinList(TvnIniFile("[L]\ncount=-1\n0=a:panel\n"), "L").empty());
  EXPECT_EQ(ReadSkinList(TvnIniFile("[L]\ncount=2147483647\n7=a:panel\n"), "L").size(), 1u);
}

TEST(Writers, WriteWhatTheReadersReadBack) {
  TvnIniFile ini;
  WriteIntValue(ini, "s", "int", -42);
  WriteColor(ini, "s", "color", 16711680);
  WriteBoolean(ini, "s", "yes", true);
  WriteBoolean(ini, "s", "no", false);
  WriteRect(ini, "s", "rect", {1, 2, 3, 4});
  WriteRect(ini, "s", "negative", {-1, 2, -3, 4});
  WritePoint(ini, "s", "point", {46, 32});
  WriteFontStyle(ini, "s", "style", fsStrikeOut | fsBold | fsUnderline);
  WriteFontStyle(ini, "s", "nostyle", 0);
  WriteAlignment(ini, "s", "align", taLeftJustify);
  WriteInActiveEffect(ini, "s", "effect", ieSplitBlur);
  WriteMorphKind(ini, "s", "morph", mkLeftSlide);
  WriteCommand(ini, "s", "command", cmMinimizeToTray);
  WriteTextValue(ini, "s", "text", "\xb9\xd8\xb1\xd5");
  WriteNameList(ini, "s", "names", {"a.bmp", "b.bmp"});
  EXPECT_EQ(ini.Text(),
            "[s]\r\nint=-42\r\ncolor=16711680\r\nyes=1\r\nno=0\r\nrect=1,2,3,4\r\n"
            "negative=-1,2,-3,4\r\npoint=46,32\r\nstyle=fsbold,fsunderline,fsstrikeout\r\n"
            "nostyle=\r\nalign=taleftjustify\r\neffect=iesplitblur\r\nmorph=mkleftslide\r\n"
            "command=cmminimizetotray\r\ntext=\xb9\xd8\xb1\xd5\r\nnamescount=2\r\n0=a.bmp\r\n"
            "1=b.bmp\r\n");
  TvnIniFile back(ini.Text());
  EXPECT_EQ(ReadIntValue(back, "s", "int", 0), -42);
  EXPECT_EQ(ReadRect(back, "s", "negative"), (TRect{1, 2, 3, 4}));  // the reader drops the sign
  EXPECT_EQ(ReadFontStyle(back, "s", "style"), fsStrikeOut | fsBold | fsUnderline);
  EXPECT_EQ(ReadNameList(back, "s", "names"), (std::vector<std::string>{"a.bmp", "b.bmp"}));
}

TEST(FormInfo, ReadsEveryKeyAndCorrectsWithAMask) {
  TvnIniFile ini(
      "[FORMINFO]\nlefttoppoint=46,32\nrighttoppoint=110,30\nleftbottompoint=54,115\n"
      "rightbottompoint=138,115\nclientrect=8,28,184,118\nleftstretch=1\nrightstretch=1\n"
      "maskrectarea=4,5,188,131\nbuttonsrect=132,9,181,20\ncaptionrect=\n"
      "hittestlefttoppoint=0,9\nhittestrighttoppoint=3,4\nborderwidth=3\n"
      "inactiveeffect=ienoise\n");
  // An empty "captionrect" is a malformed rectangle: the load stops there.
  EXPECT_THROW(TvnSkinFormInfo().LoadFromIni(ini, "mask.bmp"), EConvertError);
  ini.WriteString("FORMINFO", "captionrect", "0,0,0,0");
  TvnSkinFormInfo info;
  info.LoadFromIni(ini, "mask.bmp");
  EXPECT_EQ(info.ClientRect, (TRect{8, 28, 184, 118}));
  EXPECT_EQ(info.MaskRectArea, (TRect{4, 5, 188, 131}));
  EXPECT_EQ(info.HitTestLeftTopPoint, (TPoint{46, 32}));  // x 0: unset, takes the corner
  EXPECT_EQ(info.HitTestRightTopPoint, (TPoint{3, 4}));
  EXPECT_EQ(info.HitTestRightBottomPoint, (TPoint{138, 115}));
  EXPECT_EQ(info.LeftTopPoint, (TPoint{46, 32}));
  EXPECT_EQ(info.RightTopPoint, (TPoint{110, 30}));
  EXPECT_EQ(info.RightBottomPoint, (TPoint{138, 115}));
  EXPECT_EQ(info.BGPictureIndex, -1);
  EXPECT_EQ(info.MDIBGPictureIndex, -1);
  EXPECT_TRUE(info.LeftStretch && info.RightStretch);
  EXPECT_FALSE(info.TopStretch || info.BottomStretch);
  EXPECT_EQ(info.ButtonsRect, (TRect{132, 9, 181, 20}));
  EXPECT_EQ(info.BorderWidth, 3);
  EXPECT_EQ(info.InActiveEffect, ieNoise);
}

TEST(FormInfo, Corrections) {
  struct Case {
    const char* Name;
    bool HasMask;
    TRect Client, Mask;
    TPoint LeftTop, RightBottom, HitLeftTop;
    TRect ExpectedMask;
    TPoint ExpectedLeftTop, ExpectedRightBottom, ExpectedHitLeftTop;
  };
  const Case cases[] = {
      {"no mask: empty area and unset points stay", false, {8, 28, 184, 118}, {}, {}, {}, {},
       {}, {}, {}, {}},
      {"mask: empty area becomes the client", true, {8, 28, 184, 118}, {0, 0, 0, 0}, {}, {}, {},
       {8, 28, 184, 118}, {}, {}, {}},
      {"mask: area widened to hold the client", true, {8, 28, 184, 118}, {10, 5, 100, 131},
       {}, {}, {}, {8, 5, 184, 131}, {}, {}, {}},
      {"mask: hit-test point with y 0 is unset", true, {}, {}, {3, 4}, {}, {7, 0}, {}, {3, 4},
       {}, {3, 4}},
      {"corners moved into the client", false, {10, 10, 50, 50}, {}, {2, 60}, {70, 5}, {},
       {}, {10, 60}, {50, 5}, {}},
      {"same y: corners stay", false, {10, 10, 50, 50}, {}, {2, 5}, {70, 5}, {}, {}, {2, 5},
       {70, 5}, {}},
      {"same x: corners stay", false, {10, 10, 50, 50}, {}, {2, 5}, {2, 70}, {}, {}, {2, 5},
       {2, 70}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TvnSkinFormInfo info;
    info.ClientRect = c.Client;
    info.MaskRectArea = c.Mask;
    info.LeftTopPoint = c.LeftTop;
    info.RightBottomPoint = c.RightBottom;
    info.HitTestLeftTopPoint = c.HitLeftTop;
    info.Correct(c.HasMask);
    EXPECT_EQ(info.MaskRectArea, c.ExpectedMask);
    EXPECT_EQ(info.LeftTopPoint, c.ExpectedLeftTop);
    EXPECT_EQ(info.RightBottomPoint, c.ExpectedRightBottom);
    EXPECT_EQ(info.HitTestLeftTopPoint, c.ExpectedHitLeftTop);
  }
}

TEST(FormInfo, JsonHoldsEveryKeyInLowerCase) {
  TvnSkinFormInfo info;
  info.LeftTopPoint = {46, 32};
  info.InActiveEffect = ieInvert;
  std::string json = info.ToJson();
  EXPECT_EQ(json.rfind("{\"lefttoppoint\":[46,32],\"righttoppoint\":[0,0],", 0), 0u) << json;
  EXPECT_NE(json.find("\"bgpictureindex\":-1"), std::string::npos) << json;
  EXPECT_NE(json.find("\"clientrect\":[0,0,0,0]"), std::string::npos) << json;
  EXPECT_NE(json.find("\"inactiveeffect\":\"ieinvert\"}"), std::string::npos) << json;
  EXPECT_EQ(info.KeyNames().size(), 24u);
}

TEST(VersionAndPictures, ReadTheirSections) {
  TvnIniFile ini(
      "[VERSION]\nver=3\nskinname=\xc7\xe5\nskinauthor=me\n[PICTURES]\npicture=main.bmp\n"
      "mask=mask.bmp\nactivepicturescount=1\n0=a.bmp\n");
  TvnSkinVersionInfo version;
  version.LoadFromIni(ini);
  TvnSkinPicturesInfo pictures;
  pictures.LoadFromIni(ini);
  EXPECT_EQ(version.SkinName, "\xc7\xe5");
  EXPECT_EQ(version.SkinAuthor, "me");
  EXPECT_EQ(pictures.MaskName, "mask.bmp");
  EXPECT_EQ(pictures.InActivePictureName, "");
  EXPECT_EQ(pictures.ActivePictureNames, std::vector<std::string>{"a.bmp"});
  EXPECT_EQ(pictures.ToJson(),
            "{\"picture\":\"main.bmp\",\"inactivepicture\":\"\",\"mask\":\"mask.bmp\","
            "\"activepictures\":[\"a.bmp\"]}");
  // Texts come out as UTF-8 (GB2312 C7 E5 is U+6E05).
  EXPECT_NE(version.ToJson().find("\"skinname\":\"\xe6\xb8\x85\""), std::string::npos)
      << version.ToJson();
}

}  // namespace
