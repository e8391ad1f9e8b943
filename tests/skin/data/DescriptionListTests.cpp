// The two description lists and the behaviour of particular description classes.
#include <gtest/gtest.h>

#include <algorithm>

#include "GeometryPrinters.h"
#include "skin/data/vnSkinDataControls.h"
#include "skin/data/vnSkinDataObjects.h"

namespace {

const char* const kObjectsText =
    "[SKINOBJECTS]\n"
    "count=7\n"
    "0=MENUITEM:menuitem\n"
    "1=caption:caption\n"
    "2=CloseAnimate:animate\n"
    "3=nothing:Caption\n"
    "4=mainmenubaritem:mainmenubaritem\n"
    "5=menubarclosebutton:mainmenubarbutton\n"
    "6=trayanimate:animate\n"
    "7=beyond:caption\n"
    "[CloseAnimate]\n"
    "hint=Close\nactivepictureindex=2\nskinrectinapicture=1\nskinrect=0,0,14,14\n"
    "countframes=5\ncycle=0\nbuttonstyle=1\ntimerinterval=50\ncommand=cmclose\nmorphing=1\n"
    "[caption]\n"
    "textrect=24,6,120,22\nalignment=taleftjustify\nfontstyle=fsbold\nfontcolor=8421504\n"
    "[trayanimate]\ncommand=cmminimizetotray\n"
    "[mainmenubaritem]\nUnEnabledFontColor=255\n";

TEST(ObjectList, CreatesListedKindsInEntryOrder) {
  TvnIniFile ini(kObjectsText);
  std::vector<std::unique_ptr<TvnDataSkinObject>> list;
  LoadObjectDescriptions(ini, list);
  ASSERT_EQ(list.size(), 6u);
  const char* names[] = {"MENUITEM", "caption", "CloseAnimate", "mainmenubaritem",
                         "menubarclosebutton", "trayanimate"};
  const char* kinds[] = {"menuitem", "caption", "animate", "mainmenubaritem",
                         "mainmenubarbutton", "animate"};
  for (std::size_t i = 0; i < list.size(); ++i) {
    EXPECT_EQ(list[i]->SectionName, names[i]);
    EXPECT_EQ(list[i]->Kind(), kinds[i]);
  }
  EXPECT_NE(dynamic_cast<TvnDataSkinMainMenuItem*>(list[3].get()), nullptr);
  EXPECT_NE(dynamic_cast<TvnDataSkinStdButton*>(list[4].get()), nullptr);

  auto& close = dynamic_cast<TvnDataSkinAnimate&>(*list[2]);
  EXPECT_EQ(close.Command, cmClose);
  EXPECT_EQ(close.CountFrames, 5);
  EXPECT_FALSE(close.Cycle);
  EXPECT_TRUE(close.ButtonStyle);
  EXPECT_EQ(close.TimerInterval, 50);
  EXPECT_EQ(close.Hint, "Close");
  EXPECT_EQ(close.ActivePictureIndex, 2);
  EXPECT_TRUE(close.SkinRectInAPicture);
  EXPECT_FALSE(close.Morphing);  // animations never morph

  auto& caption = dynamic_cast<TvnDataSkinCaption&>(*list[1]);
  EXPECT_EQ(caption.Alignment, taLeftJustify);
  EXPECT_EQ(caption.TextRect, (TRect{24, 6, 120, 22}));
  EXPECT_EQ(caption.FontStyle, TFontStyles(fsBold));
  EXPECT_EQ(caption.FontColor, 8421504);
  EXPECT_EQ(caption.FontName, "Arial");

  EXPECT_EQ(dynamic_cast<TvnDataSkinAnimate&>(*list[5]).Command, cmMinimizeToTray);
  EXPECT_EQ(dynamic_cast<TvnDataSkinMainMenuItem&>(*list[3]).UnEnabledFontColor, 255);
  EXPECT_EQ(dynamic_cast<TvnDataSkinMenuItem&>(*list[0]).FontHeight, 14);

  // A caption without "alignment" is centred.
  TvnDataSkinCaption plain("caption");
  plain.Alignment = taLeftJustify;
  plain.LoadFromIni(TvnIniFile("[caption]\nshadow=1\n"));
  EXPECT_EQ(plain.Alignment, taCenter);
  EXPECT_TRUE(plain.Shadow);
}

TEST(ObjectList, AppendsToWhatTheListHoldsAndStopsAtAMalformedRectangle) {
  TvnIniFile ini(
      "[SKINOBJECTS]\ncount=3\n0=a:button\n1=b:button\n2=c:button\n"
      "[b]\ndownrect=1,2,3\n");
  std::vector<std::unique_ptr<TvnDataSkinObject>> list;
  list.push_back(std::make_unique<TvnDataSkinObject>("kept"));
  try {
    LoadObjectDescriptions(ini, list);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_NE(std::string(e.what()).find("downrect"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("[b]"), std::string::npos) << e.what();
  }
  // The lists own what they hold; the caller decides what a failed load leaves.
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[2]->SectionName, "b");
}

TEST(ObjectClasses, CommandWordsAreCaseSensitive) {
  const std::pair<const char*, TvnSkinCommand> cases[] = {
      {"command=cmminimizetotray", cmMinimizeToTray}, {"command=cmMinimize", cmMinimizeToTray},
      {"command=cmminimize", cmMinimize},              {"", cmDefault},
      {"command=cmrollup", cmRollUp},                   {"command=", cmMinimizeToTray}};
  for (const auto& [line, expected] : cases) {
    TvnDataSkinStdButton button("b");
    button.LoadFromIni(TvnIniFile(std::string("[b]\n") + line + "\n"));
    EXPECT_EQ(button.Command, expected) << line;
  }
}

TEST(ObjectClasses, UserObjectReadsOnlyItsSkinRect) {
  TvnDataUserObject user("u");
  user.LoadFromIni(TvnIniFile(
      "[u]\nhint=Hello\nactivepictureindex=3\nmorphing=1\nskinrect=1,2,3,4\n"));
  EXPECT_EQ(user.Hint, "");
  EXPECT_EQ(user.ActivePictureIndex, -1);
  EXPECT_FALSE(user.Morphing);
  EXPECT_EQ(user.SkinRect, (TRect{1, 2, 3, 4}));
  TvnJsonWriter json;
  user.WriteEntryJson(json);
  EXPECT_EQ(json.Text(), "{\"name\":\"u\",\"kind\":\"userobject\",\"fields\":{\"skinrect\":[1,2,3,4]}}");

  TvnIniFile saved("[u]\nhint=Hello\n");
  user.SaveToIni(saved);
  EXPECT_EQ(saved.Text(), "[u]\r\nskinrect=1,2,3,4\r\n");
}

TEST(ObjectClasses, CommandWordIsWrittenForEveryValue) {
  for (int value = 0; value <= cmMinimizeToTray; ++value) {
    TvnDataSkinAnimate animate("a");
    animate.Command = TvnSkinCommand(value);
    TvnIniFile ini;
    animate.SaveToIni(ini);
    TvnDataSkinAnimate back("a");
    back.LoadFromIni(ini);
    EXPECT_EQ(back.Command, value);
  }
}

TEST(WindowDescriptions, ReadTheirFixedSections) {
  TvnDataSkinHintWindow hint;
  EXPECT_EQ(hint.FontHeight, 12);  // until the first load
  EXPECT_EQ(hint.FontName, "Arial");
  EXPECT_EQ(hint.WindowPictureIndex, -1);
  hint.LoadFromIni(TvnIniFile("[HintWindow]\nwindowpictureindex=4\nclientrect=9,6,39,20\n"));
  EXPECT_EQ(hint.FontHeight, 14);
  EXPECT_EQ(hint.WindowPictureIndex, 4);
  EXPECT_EQ(hint.MaskPictureIndex, -1);
  EXPECT_EQ(hint.ClientRect, (TRect{9, 6, 39, 20}));

  TvnDataSkinPopupWindow popup;
  popup.LoadFromIni(TvnIniFile(
      "[POPUPWINDOW]\nwindowpictureindex=1\nmaskpictureindex=2\nlefttoppoint=3,4\n"
      "itemsrect=5,6,7,8\nscrollmarkercolor=255\ntopstretch=1\n"));
  EXPECT_EQ(popup.WindowPictureIndex, 1);
  EXPECT_EQ(popup.MaskPictureIndex, 2);
  EXPECT_EQ(popup.LeftTopPoint, (TPoint{3, 4}));
  EXPECT_EQ(popup.ItemsRect, (TRect{5, 6, 7, 8}));
  EXPECT_EQ(popup.ScrollMarkerColor, 255);
  EXPECT_TRUE(popup.TopStretch);
  EXPECT_FALSE(popup.LeftStretch);

  TvnIniFile saved;
  popup.SaveToIni(saved);
  TvnDataSkinPopupWindow back;
  back.LoadFromIni(saved);
  EXPECT_EQ(back.ToJson(), popup.ToJson());
}

TEST(ControlList, CreatesListedKindsAndSkipsTheRest) {
  TvnIniFile ini(
      "[SKINCONTROLS]\ncount=9\n"
      "0=hscrollbar:scrollbar\n1=vscrollbar:scrollbar\n2=panel\n3=Panel:panel\n"
      "4=x:Panel\n5=hupdown:updown\n6=listbox:listbox\n7=splitter:splitter\n8=label:label\n"
      "[hupdown]\nskinrect=386,88,416,105\nlefttoppoint=1,1\nrightbottompoint=5,5\n"
      "clientrect=1,1,5,5\nupbuttonrect=0,0,15,17\n"
      "[splitter]\nlefttoppoint=2,3\nclientrect=2,3,4,5\nfontname=X\n"
      "[label]\nactivefontcolor=1\n");
  std::vector<std::unique_ptr<TvnDataSkinControl>> list;
  LoadControlDescriptions(ini, list);
  std::vector<std::string> names;
  for (const auto& d : list) names.push_back(d->SectionName + ":" + std::string(d->Kind()));
  EXPECT_EQ(names, (std::vector<std::string>{"hscrollbar:scrollbar", "vscrollbar:scrollbar",
                                              "Panel:panel", "hupdown:updown",
                                              "listbox:listbox", "splitter:splitter",
                                              "label:label"}));

  auto& updown = dynamic_cast<TvnDataSkinUpDownControl&>(*list[3]);
  EXPECT_EQ(updown.SkinRect, (TRect{386, 88, 416, 105}));
  EXPECT_EQ(updown.UpButtonRect, (TRect{0, 0, 15, 17}));
  EXPECT_EQ(updown.LeftTopPoint, TPoint{});
  EXPECT_EQ(updown.RightBottomPoint, TPoint{});
  EXPECT_EQ(updown.ClientRect, TRect{});

  auto& listbox = dynamic_cast<TvnDataSkinListBox&>(*list[4]);
  EXPECT_EQ(listbox.VScrollBarName, "vscrollbar");
  EXPECT_EQ(listbox.HScrollBarName, "hscrollbar");
  EXPECT_EQ(listbox.BothHScrollBarName, "bothhscrollbar");

  auto& splitter = dynamic_cast<TvnDataSkinSplitterControl&>(*list[5]);
  EXPECT_EQ(splitter.LeftTopPoint, (TPoint{2, 3}));
  EXPECT_EQ(splitter.ClientRect, (TRect{2, 3, 4, 5}));
  EXPECT_EQ(splitter.KeyNames().size(), 8u);  // base and frame keys only

  auto& label = dynamic_cast<TvnDataSkinLabelControl&>(*list[6]);
  auto labelKeys = label.KeyNames();
  EXPECT_EQ(std::find(labelKeys.begin(), labelKeys.end(), "activefontcolor"), labelKeys.end());
  TvnDataSkinStdLabelControl stdlabel("stdlabel");
  stdlabel.LoadFromIni(TvnIniFile("[stdlabel]\nfontcolor=5\n"));
  EXPECT_EQ(stdlabel.ActiveFontColor, 16711680);
}

}  // namespace
