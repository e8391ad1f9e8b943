// The embedded skin's source files (skins/quillon) against what the rest of the engine is tested
// with: the container layout they pack into, the sections and values of skin.ini read through
// the engine's own reader, and the pictures the description points into.
#include "framework/Bmp.h"
#include "framework/CodePage.h"
#include "skin/data/vnIniFile.h"
#include "skin/data/vnSkinFormInfo.h"
#include "skin/data/vnSkinIni.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const std::filesystem::path SkinFolder = std::filesystem::path(QUILLON_SOURCE_DIR) / "skins" / "quillon";

std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct TPictureFile {
  std::string Name;
  std::string Bytes;
  TBmpInfo Info;
  TPixelBitmap Pixels;
};

TPictureFile LoadPicture(const std::string& name) {
  TPictureFile p;
  p.Name = name;
  p.Bytes = ReadFileBytes(SkinFolder / name);
  const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(p.Bytes.data()), p.Bytes.size());
  p.Pixels = DecodeBmp(data, 0, &p.Info);
  return p;
}

class QuillonSkin : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Text = new std::string(ReadFileBytes(SkinFolder / "skin.ini"));
    Ini = new TvnIniFile(*Text);
    TvnSkinPicturesInfo names;
    names.LoadFromIni(*Ini);
    Main = new TPictureFile(LoadPicture(names.PictureName));
    Mask = new TPictureFile(LoadPicture(names.MaskName));
    Active = new std::vector<TPictureFile>;
    for (const std::string& name : names.ActivePictureNames) Active->push_back(LoadPicture(name));
  }
  static void TearDownTestSuite() {
    delete Text;
    delete Ini;
    delete Main;
    delete Mask;
    delete Active;
  }

  static TRect Rect(const std::string& section, const std::string& key) { return ReadRect(*Ini, section, key); }
  static TPoint Point(const std::string& section, const std::string& key) { return ReadPoint(*Ini, section, key); }
  static int Int(const std::string& section, const std::string& key, int def = 0) {
    return ReadIntValue(*Ini, section, key, def);
  }
  static std::string Text_(const std::string& section, const std::string& key) {
    return ReadTextValue(*Ini, section, key);
  }
  static bool Inside(TRect r, const TPixelBitmap& picture) {
    return !r.IsEmpty() && r.Left >= 0 && r.Top >= 0 && r.Right <= picture.Width() && r.Bottom <= picture.Height();
  }

  static std::string* Text;
  static TvnIniFile* Ini;
  static TPictureFile* Main;
  static TPictureFile* Mask;
  static std::vector<TPictureFile>* Active;
};

std::string* QuillonSkin::Text = nullptr;
TvnIniFile* QuillonSkin::Ini = nullptr;
TPictureFile* QuillonSkin::Main = nullptr;
TPictureFile* QuillonSkin::Mask = nullptr;
std::vector<TPictureFile>* QuillonSkin::Active = nullptr;

TEST_F(QuillonSkin, PacksIntoTheContainerLayoutOfTheMainWindow) {
  // Version 4 + flag 1 + main + flag 1 (no inactive picture) + flag 1 + mask + count 4 +
  // active pictures + text: the offsets the window's stored skin is tested against.
  ASSERT_EQ(Main->Bytes.size(), 77814u);
  ASSERT_EQ(Mask->Bytes.size(), 3302u);
  ASSERT_EQ(Active->size(), 12u);
  std::size_t activeBytes = 0;
  for (const TPictureFile& p : *Active) activeBytes += p.Bytes.size();
  EXPECT_EQ(activeBytes, 189196u);
  EXPECT_EQ(4 + 1 + Main->Bytes.size() + 1 + 1 + Mask->Bytes.size() + 4 + activeBytes, 270323u);
  EXPECT_EQ(Text->size(), 32276u);
  // Each picture's file header states its own length, which is how the container is cut.
  for (const TPictureFile& p : *Active) EXPECT_EQ(p.Info.FileLength, p.Bytes.size()) << p.Name;
}

TEST_F(QuillonSkin, PicturesHaveTheirSizesAndDepths) {
  EXPECT_EQ(Main->Info.Width, 191);
  EXPECT_EQ(Main->Info.Height, 135);
  EXPECT_EQ(Main->Info.BitCount, 24);
  EXPECT_EQ(Mask->Info.Width, 191);
  EXPECT_EQ(Mask->Info.Height, 135);
  EXPECT_EQ(Mask->Info.BitCount, 1);
  EXPECT_EQ(Text_("PICTURES", "inactivepicture"), "");
  std::set<int> depths{Main->Info.BitCount, Mask->Info.BitCount};
  for (const TPictureFile& p : *Active) depths.insert(p.Info.BitCount);
  EXPECT_EQ(depths, (std::set<int>{1, 4, 8, 24}));
}

TEST_F(QuillonSkin, DescriptionIsGb2312TextWithCrLfLines) {
  ASSERT_EQ(Text->rfind("[VERSION]", 0), 0u);
  ASSERT_GE(Text->size(), 2u);
  EXPECT_EQ(Text->substr(Text->size() - 2), "\r\n");
  for (std::size_t i = 0; i < Text->size(); ++i) {
    if ((*Text)[i] == '\n') {
      ASSERT_TRUE(i > 0 && (*Text)[i - 1] == '\r') << "bare LF at byte " << i;
    }
    if ((*Text)[i] == '\r') {
      ASSERT_TRUE(i + 1 < Text->size() && (*Text)[i + 1] == '\n') << "bare CR at byte " << i;
    }
  }
  // The caption's font name is the two GB2312 characters of the Song typeface.
  EXPECT_EQ(Text_("caption", "fontname"), "\xCB\xCE\xCC\xE5");
  EXPECT_EQ(Utf8ToCodePage(CodePageToUtf8(*Text)), *Text);
}

TEST_F(QuillonSkin, HasTheSeventyNineSections) {
  std::vector<std::string> names;
  for (const TvnIniSection& s : Ini->Sections()) names.push_back(s.Name);
  ASSERT_EQ(names.size(), 79u);
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), 79u) << "a section occurs twice";
  const std::vector<std::string> first = {"VERSION", "PICTURES", "FORMINFO", "POPUPWINDOW", "HINTWINDOW", "SKINOBJECTS"};
  EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 6), first);
  EXPECT_TRUE(Ini->SectionExists("SKINCONTROLS"));
  // Every listed object and control has its section, and nothing else is in the file.
  std::set<std::string> expected{"VERSION", "PICTURES", "FORMINFO", "POPUPWINDOW", "HINTWINDOW", "SKINOBJECTS",
                                 "SKINCONTROLS"};
  for (const char* list : {"SKINOBJECTS", "SKINCONTROLS"})
    for (const TvnSkinListEntry& e : ReadSkinList(*Ini, list)) {
      EXPECT_TRUE(Ini->SectionExists(e.Name)) << e.Name;
      expected.insert(e.Name);
    }
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), expected);
}

TEST_F(QuillonSkin, FormInfoAfterTheCorrections) {
  TvnSkinFormInfo form;
  form.LoadFromIni(*Ini, Text_("PICTURES", "mask"));
  EXPECT_EQ(form.LeftTopPoint, (TPoint{46, 32}));
  EXPECT_EQ(form.RightTopPoint, (TPoint{110, 30}));
  EXPECT_EQ(form.LeftBottomPoint, (TPoint{54, 115}));
  EXPECT_EQ(form.RightBottomPoint, (TPoint{138, 115}));
  EXPECT_EQ(form.ClientRect, (TRect{8, 28, 184, 118}));
  EXPECT_TRUE(form.LeftStretch);
  EXPECT_TRUE(form.RightStretch);
  EXPECT_FALSE(form.TopStretch);
  EXPECT_FALSE(form.BottomStretch);
  EXPECT_EQ(form.ButtonsRect, (TRect{132, 9, 181, 20}));
  EXPECT_TRUE(form.CaptionRect.IsEmpty());
  EXPECT_EQ(form.MaskRectArea, (TRect{4, 5, 188, 131}));
  EXPECT_EQ(form.BorderWidth, 3);
  EXPECT_FALSE(form.ButtonsInLeft);
  // The strips the frame is cut into: 28 at the top, 17 at the bottom, 8 left, 7 right.
  EXPECT_EQ(form.ClientRect.Top, 28);
  EXPECT_EQ(Main->Info.Height - form.ClientRect.Bottom, 17);
  EXPECT_EQ(Main->Info.Width - form.ClientRect.Right, 7);
  EXPECT_TRUE(form.MDIBGPictureIndex == -1 || form.MDIBGPictureIndex < static_cast<int>(Active->size()));
}

TEST_F(QuillonSkin, ListsTheThirteenObjectsInOrder) {
  const std::vector<TvnSkinListEntry> expected = {
      {"MENUITEM", "menuitem"},
      {"caption", "caption"},
      {"CloseAnimate", "animate"},
      {"MaxAnimate", "animate"},
      {"MinAnimate", "animate"},
      {"RollUpAnimate", "animate"},
      {"mainmenubaritem", "mainmenubaritem"},
      {"sysmenuanimate", "animate"},
      {"menubarsysmenubutton", "mainmenubarbutton"},
      {"menubarclosebutton", "mainmenubarbutton"},
      {"menubarmaxbutton", "mainmenubarbutton"},
      {"menubarminbutton", "mainmenubarbutton"},
      {"trayanimate", "animate"},
  };
  EXPECT_EQ(ReadSkinList(*Ini, "SKINOBJECTS"), expected);
}

TEST_F(QuillonSkin, ListsFiftyNineControlsOfAllTwentyEightKinds) {
  const std::vector<TvnSkinListEntry> controls = ReadSkinList(*Ini, "SKINCONTROLS");
  EXPECT_EQ(controls.size(), 59u);
  std::set<std::string> kinds;
  for (const TvnSkinListEntry& e : controls) kinds.insert(e.Kind);
  const std::set<std::string> all = {"panel", "expanel", "menubutton", "button", "checkradio", "gauge", "splitter",
                                     "trackbar", "label", "stdlabel", "updown", "grid", "tab", "mainmenubar",
                                     "controlbar", "memo", "edit", "checklistbox", "listbox", "combobox",
                                     "scrollbar", "spinedit", "scrollbox", "treeview", "bevel", "slider",
                                     "listview", "richedit"};
  EXPECT_EQ(kinds, all);
  std::map<std::string, std::string> kindOf;
  for (const TvnSkinListEntry& e : controls) kindOf[e.Name] = e.Kind;
  for (const auto& [name, kind] : std::map<std::string, std::string>{{"button", "button"},
                                                                      {"resizebutton", "button"},
                                                                      {"toolbutton", "button"},
                                                                      {"bigtoolbutton", "button"},
                                                                      {"hupdown", "updown"},
                                                                      {"vupdown", "updown"},
                                                                      {"listbox", "listbox"},
                                                                      {"combobox", "combobox"},
                                                                      {"tab", "tab"},
                                                                      {"mainmenubar", "mainmenubar"},
                                                                      {"hscrollbar", "scrollbar"},
                                                                      {"vscrollbar", "scrollbar"},
                                                                      {"bothhscrollbar", "scrollbar"}})
    EXPECT_EQ(kindOf[name], kind) << name;
}

TEST_F(QuillonSkin, CaptionAndCaptionButtonValues) {
  EXPECT_EQ(Rect("caption", "skinrect"), (TRect{34, 3, 120, 20}));
  EXPECT_EQ(Rect("caption", "textrect"), (TRect{2, 2, 84, 17}));
  EXPECT_EQ(Int("caption", "activepictureindex", -1), -1);
  EXPECT_TRUE(Rect("caption", "activeskinrect").IsEmpty());
  EXPECT_EQ(Int("caption", "fontheight"), 14);
  EXPECT_EQ(ReadColor(*Ini, "caption", "fontcolor"), 8421504);
  EXPECT_EQ(ReadColor(*Ini, "caption", "activefontcolor", 1), 0);
  EXPECT_EQ(ReadAlignment(*Ini, "caption", "alignment"), taLeftJustify);
  EXPECT_FALSE(ReadBoolean(*Ini, "caption", "shadow"));
  EXPECT_TRUE(Rect("caption", "framerect").IsEmpty());

  EXPECT_EQ(ReadCommand(*Ini, "CloseAnimate", "command"), cmClose);
  EXPECT_EQ(Text_("CloseAnimate", "hint"), "Close");
  EXPECT_EQ(Int("CloseAnimate", "activepictureindex", -1), 2);
  EXPECT_TRUE(ReadBoolean(*Ini, "CloseAnimate", "skinrectinapicture"));
  EXPECT_EQ(Rect("CloseAnimate", "skinrect"), (TRect{1, 12, 9, 20}));
  EXPECT_EQ(Rect("CloseAnimate", "activeskinrect"), (TRect{1, 12, 41, 20}));
  EXPECT_EQ(ReadCommand(*Ini, "trayanimate", "command"), cmMinimizeToTray);
  const std::map<std::string, TvnSkinCommand> commands = {{"CloseAnimate", cmClose},   {"MaxAnimate", cmMaximize},
                                                          {"MinAnimate", cmMinimize},  {"RollUpAnimate", cmRollUp},
                                                          {"sysmenuanimate", cmSysMenu}, {"trayanimate", cmMinimizeToTray}};
  for (const auto& [name, command] : commands) {
    SCOPED_TRACE(name);
    EXPECT_EQ(ReadCommand(*Ini, name, "command"), command);
    EXPECT_EQ(Int(name, "countframes", 1), 5);
    EXPECT_FALSE(ReadBoolean(*Ini, name, "cycle"));
    EXPECT_TRUE(ReadBoolean(*Ini, name, "buttonstyle"));
    EXPECT_EQ(Int(name, "timerinterval", 50), 50);
    // The strip holds exactly the five frames, each the size of the normal look.
    const TRect normal = Rect(name, "skinrect"), strip = Rect(name, "activeskinrect");
    EXPECT_EQ(strip.Width(), 5 * normal.Width());
    EXPECT_EQ(strip.Height(), normal.Height());
    if (ReadBoolean(*Ini, name, "skinrectinapicture")) {
      EXPECT_EQ((TPoint{strip.Left, strip.Top}), (TPoint{normal.Left, normal.Top}));
    }
    const int index = Int(name, "activepictureindex", -1);
    ASSERT_TRUE(index >= 0 && index < static_cast<int>(Active->size()));
    EXPECT_TRUE(Inside(strip, (*Active)[index].Pixels));
  }
}

TEST_F(QuillonSkin, CaptionButtonFramesBlendWithTheCaption) {
  // The buttons are painted over the caption at the top of the buttons rectangle, so the
  // corner pixel of each first frame is the caption's colour on that row; and the system-menu
  // icon, whose normal look is part of the frame picture, starts from the same pixels.
  const TRect buttons = Rect("FORMINFO", "buttonsrect");
  for (const char* name : {"CloseAnimate", "MaxAnimate", "MinAnimate", "RollUpAnimate", "trayanimate"}) {
    const TRect frame = Rect(name, "skinrect");
    const TPixelBitmap& strip = (*Active)[Int(name, "activepictureindex")].Pixels;
    EXPECT_EQ(strip.GetPixel(frame.Left, frame.Top), Main->Pixels.GetPixel(buttons.Left, buttons.Top)) << name;
  }
  const TRect icon = Rect("sysmenuanimate", "skinrect");
  const TRect strip = Rect("sysmenuanimate", "activeskinrect");
  EXPECT_FALSE(ReadBoolean(*Ini, "sysmenuanimate", "skinrectinapicture"));
  ASSERT_TRUE(Inside(icon, Main->Pixels));
  const TPixelBitmap& frames = (*Active)[Int("sysmenuanimate", "activepictureindex")].Pixels;
  for (int y = 0; y < icon.Height(); ++y)
    for (int x = 0; x < icon.Width(); ++x)
      ASSERT_EQ(frames.GetPixel(strip.Left + x, strip.Top + y), Main->Pixels.GetPixel(icon.Left + x, icon.Top + y))
          << "pixel " << x << "," << y << " of the first system-menu frame";
}

TEST_F(QuillonSkin, MaskRoundsTheTopCornersOnly) {
  const TPixelBitmap& m = Mask->Pixels;
  auto inside = [&](int x, int y) { return m.GetPixel(x, y) == 0; };
  for (int y = 0; y < m.Height(); ++y)
    for (int x = 0; x < m.Width(); ++x) {
      const std::uint32_t c = m.GetPixel(x, y);
      ASSERT_TRUE(c == 0 || c == 0xFFFFFF) << x << "," << y;
    }
  EXPECT_FALSE(inside(0, 0));
  EXPECT_FALSE(inside(190, 0));
  EXPECT_TRUE(inside(95, 0));
  EXPECT_TRUE(inside(0, 20));
  EXPECT_TRUE(inside(0, 134));
  EXPECT_TRUE(inside(190, 134));
  // Everything inside the mask rectangle area belongs to the window.
  const TRect area = Rect("FORMINFO", "maskrectarea");
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) ASSERT_TRUE(inside(x, y)) << x << "," << y;
  // The shape is symmetric, so both rounded corners are cut alike.
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) EXPECT_EQ(inside(x, y), inside(m.Width() - 1 - x, y)) << x << "," << y;
}

TEST_F(QuillonSkin, PopupAndHintWindowPictures) {
  const int popup = Int("POPUPWINDOW", "windowpictureindex", -1);
  const int popupMask = Int("POPUPWINDOW", "maskpictureindex", -1);
  ASSERT_TRUE(popup >= 0 && popup < 12);
  ASSERT_TRUE(popupMask >= 0 && popupMask < 12);
  EXPECT_EQ((*Active)[popupMask].Info.BitCount, 1);
  EXPECT_EQ((*Active)[popup].Info.Width, (*Active)[popupMask].Info.Width);
  EXPECT_EQ((*Active)[popup].Info.Height, (*Active)[popupMask].Info.Height);
  EXPECT_TRUE(Inside(Rect("POPUPWINDOW", "itemsrect"), (*Active)[popup].Pixels));

  const int hint = Int("HINTWINDOW", "windowpictureindex", -1);
  ASSERT_TRUE(hint >= 0 && hint < 12);
  EXPECT_EQ((*Active)[hint].Info.Width, 48);
  EXPECT_EQ((*Active)[hint].Info.Height, 26);
  EXPECT_EQ(Rect("HINTWINDOW", "clientrect"), (TRect{9, 6, 39, 20}));
  const int hintMask = Int("HINTWINDOW", "maskpictureindex", -1);
  ASSERT_TRUE(hintMask >= 0 && hintMask < 12);
  EXPECT_EQ((*Active)[hintMask].Info.BitCount, 1);

  // The menu item description that skins the menus, and its looks in its picture.
  const int item = Int("MENUITEM", "activepictureindex", -1);
  ASSERT_TRUE(item >= 0 && item < 12);
  for (const char* key : {"skinrect", "activeskinrect", "dividerrect"})
    EXPECT_TRUE(Inside(Rect("MENUITEM", key), (*Active)[item].Pixels)) << key;
}

TEST_F(QuillonSkin, ControlValuesOtherPartsRelyOn) {
  EXPECT_EQ(Rect("hupdown", "skinrect"), (TRect{386, 88, 416, 105}));
  EXPECT_EQ(Rect("hupdown", "downbuttonrect"), (TRect{0, 3, 11, 14}));
  EXPECT_EQ(Rect("hupdown", "upbuttonrect"), (TRect{19, 3, 30, 14}));
  EXPECT_EQ(Rect("vupdown", "skinrect"), (TRect{367, 88, 384, 118}));
  for (const char* key : {"lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint"}) {
    EXPECT_EQ(Point("vupdown", key), (TPoint{0, 0})) << key;
    EXPECT_EQ(Point("hupdown", key), (TPoint{0, 0})) << key;
  }
  EXPECT_EQ(Rect("button", "skinrect").Height(), 26);
  EXPECT_EQ(Point("button", "righttoppoint"), (TPoint{28, 12}));
  EXPECT_EQ(Point("button", "lefttoppoint").X, 18);
  EXPECT_EQ(Rect("button", "skinrect").Width() - Point("button", "righttoppoint").X, 19);
  EXPECT_EQ(Point("button", "leftbottompoint"), (TPoint{0, 0}));
  EXPECT_EQ(Point("button", "rightbottompoint"), (TPoint{0, 0}));
  EXPECT_EQ(Text_("combobox", "listboxname"), "listbox");
  EXPECT_EQ(Text_("tab", "updown"), "hupdown");
  EXPECT_EQ(Text_("mainmenubar", "menubaritem"), "mainmenubaritem");
  EXPECT_EQ(Text_("mainmenubar", "closebutton"), "menubarclosebutton");
  EXPECT_EQ(Text_("mainmenubar", "minbutton"), "menubarminbutton");
  EXPECT_EQ(Text_("mainmenubar", "maxbutton"), "menubarmaxbutton");
  EXPECT_EQ(Text_("mainmenubar", "sysmenubutton"), "menubarsysmenubutton");
  EXPECT_TRUE(Ini->SectionExists("resizebutton"));
  // Every name a control refers to is listed in the same skin.
  std::set<std::string> objects, controls;
  for (const TvnSkinListEntry& e : ReadSkinList(*Ini, "SKINOBJECTS")) objects.insert(e.Name);
  for (const TvnSkinListEntry& e : ReadSkinList(*Ini, "SKINCONTROLS")) controls.insert(e.Name);
  for (const TvnSkinListEntry& e : ReadSkinList(*Ini, "SKINCONTROLS")) {
    for (const char* key : {"vscrollbarname", "hscrollbarname", "bothhscrollbarname", "listboxname", "updown"})
      if (const std::string* v = Ini->FindValue(e.Name, key); v && !v->empty()) {
        EXPECT_TRUE(controls.count(*v)) << e.Name << "." << key << " = " << *v;
      }
    for (const char* key : {"menubaritem", "closebutton", "minbutton", "maxbutton", "sysmenubutton"})
      if (const std::string* v = Ini->FindValue(e.Name, key); v && !v->empty()) {
        EXPECT_TRUE(objects.count(*v)) << e.Name << "." << key << " = " << *v;
      }
  }
}

TEST_F(QuillonSkin, EveryLookLiesInsideItsPicture) {
  // Looks named by an absolute rectangle: a control's skin rectangle in its picture, an
  // object's looks in its active picture (or the frame picture for its normal look).
  for (const TvnSkinListEntry& e : ReadSkinList(*Ini, "SKINCONTROLS")) {
    const int index = Int(e.Name, "pictureindex", -1);
    const TRect skin = Rect(e.Name, "skinrect");
    if (index < 0) continue;
    ASSERT_LT(index, 12) << e.Name;
    EXPECT_TRUE(Inside(skin, (*Active)[index].Pixels)) << e.Name;
    for (const char* key : {"activeskinrect", "downskinrect", "disabledskinrect", "thumbrect", "activethumbrect",
                            "downthumbrect", "checkimagerect", "uncheckimagerect", "tabrect", "activetabrect",
                            "itemrect", "activeitemrect", "progressrect", "buttonrect"}) {
      if (std::string(key) == "buttonrect" && e.Kind != "trackbar") continue;
      if (const std::string* v = Ini->FindValue(e.Name, key)) {
        EXPECT_TRUE(Inside(ParseRect(*v), (*Active)[index].Pixels)) << e.Name << "." << key;
      }
    }
  }
  for (const TvnSkinListEntry& e : ReadSkinList(*Ini, "SKINOBJECTS")) {
    const int index = Int(e.Name, "activepictureindex", -1);
    if (index < 0) {
      EXPECT_TRUE(Inside(Rect(e.Name, "skinrect"), Main->Pixels)) << e.Name;
      continue;
    }
    ASSERT_LT(index, 12) << e.Name;
    const TPixelBitmap& own = (*Active)[index].Pixels;
    const bool inOwn = ReadBoolean(*Ini, e.Name, "skinrectinapicture");
    EXPECT_TRUE(Inside(Rect(e.Name, "skinrect"), inOwn ? own : Main->Pixels)) << e.Name;
    for (const char* key : {"activeskinrect", "downrect"})
      if (const std::string* v = Ini->FindValue(e.Name, key)) {
        EXPECT_TRUE(Inside(ParseRect(*v), own)) << e.Name << "." << key;
      }
  }
}

}  // namespace
