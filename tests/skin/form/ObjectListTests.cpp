#include "skin/form/FrameObjectList.h"

#include "FormTestDoubles.h"
#include "framework/Menus.h"
#include "skin/data/vnIniFile.h"
#include "skin/data/vnSkinData.h"
#include "skin/form/VeneerFormSkin.h"

#include <gtest/gtest.h>

#include <algorithm>

using enum TvnBorderIcon;  // portable files see no other border icons

namespace {

struct TListFixture : ::testing::Test {
  TRecordingHost Host;
  TPixelBitmap Strip{64, 32};
  TvnFrameObjectList List;
  std::vector<std::string> CaptureLog;
  TvnMouseCapture Capture{[this] { CaptureLog.push_back("capture"); },
                          [this] { CaptureLog.push_back("release"); }};

  TvnSkinCaptionObject* AddCaption(TRect rect) {
    auto c = std::make_unique<TvnSkinCaptionObject>(Host);
    c->IDName = "caption";
    c->NormalRect = c->ObjectRect = rect;
    auto* raw = c.get();
    List.Add(std::move(c));
    return raw;
  }
  TvnSkinAnimateObject* AddAnimate(const char* id, TvnSkinCommand command, int w = 8, int h = 8) {
    auto a = std::make_unique<TvnSkinAnimateObject>(Host);
    a->IDName = id;
    a->Command = command;
    a->ActsAsButton = true;
    a->NormalInStatePicture = true;
    a->StatePicture = &Strip;
    a->NormalRect = Rect(0, 0, w, h);
    a->HotRect = Rect(0, 0, w * 5, h);
    a->FrameCount = 5;
    auto* raw = a.get();
    List.Add(std::move(a));
    return raw;
  }
  TvnSkinStdButtonObject* AddStd(TvnSkinCommand command) {
    auto b = std::make_unique<TvnSkinStdButtonObject>(Host);
    b->Command = command;
    b->IDName = "std" + std::to_string(command);
    b->NormalInStatePicture = true;
    b->NormalRect = b->HotRect = b->PressedRect = Rect(0, 0, 1, 1);
    auto* raw = b.get();
    List.Add(std::move(b));
    return raw;
  }
  int Count(const std::string& entry) const {
    return static_cast<int>(std::count(Host.Log.begin(), Host.Log.end(), entry));
  }
};

TEST_F(TListFixture, HoverEntersAndLeavesTheFirstObjectUnderTheMouse) {
  AddCaption(Rect(0, 0, 100, 20));
  auto* close = AddAnimate("close", cmClose);
  close->ObjectRect = Rect(80, 5, 88, 13);
  List.TrackActiveObject({84, 8}, true, true);
  // The caption comes first in the list and also contains the point: it wins.
  EXPECT_EQ(List.ActiveIndex(), 0);
  close->ObjectRect = Rect(100, 5, 108, 13);
  List.TrackActiveObject({104, 8}, true, true);
  EXPECT_EQ(List.ActiveIndex(), 1);
  EXPECT_EQ(List.PreviousActiveIndex(), 0);
  EXPECT_EQ(Count("leave event caption"), 1);
  EXPECT_EQ(Count("enter event close"), 1);
  // Hover off, or an inactive form: no tracking changes for the inactive form.
  List.TrackActiveObject({104, 8}, true, false);
  EXPECT_EQ(List.ActiveIndex(), 1);
  List.TrackActiveObject({104, 8}, false, true);
  EXPECT_EQ(List.ActiveIndex(), -1);
  EXPECT_EQ(Count("leave event close"), 1);
}

TEST_F(TListFixture, DisabledAndHiddenObjectsAreNotHit) {
  auto* a = AddAnimate("a", cmMinimize);
  a->ObjectRect = Rect(0, 0, 10, 10);
  a->ObjectEnabled = false;
  auto* b = AddAnimate("b", cmRollUp);
  b->ObjectRect = Rect(0, 0, 10, 10);
  b->ObjectVisible = false;
  List.TrackActiveObject({5, 5}, true, true);
  EXPECT_EQ(List.ActiveIndex(), -1);
  EXPECT_TRUE(Host.Log.empty());
}

TEST_F(TListFixture, PressReleaseOnTheButtonRunsItsCommandOnce) {
  auto* close = AddAnimate("close", cmClose);
  close->ObjectRect = Rect(100, 5, 108, 13);
  List.TrackActiveObject({104, 8}, true, true);
  List.MouseDown({104, 8}, TvnMouseButton::Left, Capture);
  EXPECT_EQ(List.CapturedIndex(), 0);
  List.MouseUp({104, 8}, TvnMouseButton::Left, Capture);
  EXPECT_EQ(List.CapturedIndex(), -1);
  EXPECT_EQ(CaptureLog, (std::vector<std::string>{"capture", "release"}));
  EXPECT_EQ(Count("close"), 1);
  // A second release with nothing captured goes nowhere.
  List.MouseUp({104, 8}, TvnMouseButton::Left, Capture);
  EXPECT_EQ(Count("close"), 1);
}

TEST_F(TListFixture, PressOnTheButtonReleaseOutsideRunsNothing) {
  auto* close = AddAnimate("close", cmClose);
  close->ObjectRect = Rect(100, 5, 108, 13);
  auto* min = AddAnimate("min", cmMinimize);
  min->ObjectRect = Rect(90, 5, 98, 13);
  List.TrackActiveObject({104, 8}, true, true);
  List.MouseDown({104, 8}, TvnMouseButton::Left, Capture);
  // Dragging over another button while holding: that one never becomes hot.
  List.TrackActiveObject({94, 8}, true, true);
  EXPECT_EQ(List.ActiveIndex(), -1);
  EXPECT_EQ(Count("enter event min"), 0);
  EXPECT_EQ(Count("leave event close"), 1);
  // The release arrives as a client button-up while the window holds the capture.
  List.MouseUp({-1, -1}, TvnMouseButton::Left, Capture);
  EXPECT_EQ(Count("close"), 0);
  EXPECT_EQ(List.CapturedIndex(), -1);
  // A press where no object is hot goes nowhere.
  List.MouseDown({94, 8}, TvnMouseButton::Left, Capture);
  EXPECT_EQ(List.CapturedIndex(), -1);
}

// The hover still says "on the button" (its timer has not ticked since the mouse left): the
// release point alone decides. Points on the right and bottom edges lie outside.
TEST_F(TListFixture, OnlyAReleaseOverTheButtonRunsItsCommand) {
  struct Case { TPoint at; int closes; } cases[] = {
      {{104, 8}, 1}, {{100, 5}, 1}, {{107, 12}, 1},  // inside, first and last pixels
      {{108, 8}, 0}, {{104, 13}, 0}, {{99, 8}, 0},   // just outside each way
      {{94, 8}, 0},                                  // on another button
      {{-1, -1}, 0},
  };
  for (const Case& c : cases) {
    for (bool animate : {true, false}) {
      SCOPED_TRACE(std::to_string(c.at.X) + "," + std::to_string(c.at.Y) + (animate ? " animation" : " std button"));
      List.Clear();
      Host.Log.clear();
      TvnActiveSkinObject* close = animate ? static_cast<TvnActiveSkinObject*>(AddAnimate("close", cmClose))
                                           : AddStd(cmClose);
      close->ObjectRect = Rect(100, 5, 108, 13);
      AddAnimate("min", cmMinimize)->ObjectRect = Rect(90, 5, 98, 13);
      List.TrackActiveObject({104, 8}, true, true);
      List.MouseDown({104, 8}, TvnMouseButton::Left, Capture);
      List.Release(c.at, {-1, -1}, TvnMouseButton::Left, Capture);
      EXPECT_EQ(Count("close"), c.closes);
      EXPECT_EQ(List.CapturedIndex(), -1);
      EXPECT_EQ(Count("enter event min"), 0);
    }
  }
}

// A button down because its menu is open comes up when the menu closes; one pressed without a
// menu, or already up, is left alone.
TEST_F(TListFixture, TheButtonWhoseMenuWasOpenComesUp) {
  TMenuItem menu;
  auto* plain = AddStd(cmClose);
  plain->IsDown = true;
  auto* up = AddStd(cmDefault);
  up->PopupItem = &menu;
  auto* sys = AddStd(cmSysMenu);
  sys->PopupItem = &menu;
  sys->IsDown = true;
  EXPECT_EQ(List.ReleaseMenuButton(), sys);
  EXPECT_FALSE(sys->IsDown);
  EXPECT_TRUE(plain->IsDown);
  EXPECT_EQ(List.ReleaseMenuButton(), nullptr);
}

TEST_F(TListFixture, CaptionNeverTakesTheCapture) {
  AddCaption(Rect(0, 0, 100, 20));
  List.TrackActiveObject({50, 10}, true, true);
  List.MouseDown({50, 10}, TvnMouseButton::Left, Capture);
  List.MouseUp({50, 10}, TvnMouseButton::Left, Capture);
  EXPECT_TRUE(CaptureLog.empty());
  EXPECT_EQ(Count("down event caption"), 1);
  EXPECT_EQ(Count("up event caption"), 1);
}

TEST_F(TListFixture, MovesGoToTheCapturedObjectFirst) {
  auto* a = AddAnimate("a", cmClose);
  a->ObjectRect = Rect(0, 0, 10, 10);
  auto* b = AddAnimate("b", cmMinimize);
  b->ObjectRect = Rect(20, 0, 30, 10);
  List.TrackActiveObject({5, 5}, true, true);
  List.MouseMove({5, 5});
  List.MouseDown({5, 5}, TvnMouseButton::Left, Capture);
  List.TrackActiveObject({25, 5}, true, true);
  List.MouseMove({25, 5});
  EXPECT_EQ(Count("move event a"), 2);
  EXPECT_EQ(Count("move event b"), 0);
}

TEST_F(TListFixture, TimersStopWhenNothingIsLeftToStep) {
  auto* a = AddAnimate("a", cmClose);
  a->ObjectRect = Rect(0, 0, 8, 8);
  a->FrameInterval = 25;
  EXPECT_FALSE(List.AnimationTick());
  EXPECT_FALSE(List.MorphTick());
  List.TrackActiveObject({1, 1}, true, true);
  int ticks = 0;
  while (List.AnimationTick()) ++ticks;
  EXPECT_EQ(ticks, 4);  // frames 2..5, then the timer stops
  EXPECT_EQ(a->CurrentFrame, 5);
}

TEST_F(TListFixture, ResetPutsEverythingButCaptionsBack) {
  auto* c = AddCaption(Rect(0, 0, 10, 10));
  c->ActiveLook = true;
  c->MorphFactor = 1;
  auto* a = AddAnimate("a", cmClose);
  a->ActiveLook = a->MouseInside = true;
  a->CurrentFrame = 4;
  auto* b = AddStd(cmMinimize);
  b->ActiveLook = b->MouseInside = true;
  b->MorphFactor = 0.6;
  List.ResetObjectStates();
  EXPECT_TRUE(c->ActiveLook);
  EXPECT_EQ(c->MorphFactor, 1.0);
  EXPECT_FALSE(a->ActiveLook || a->MouseInside);
  EXPECT_EQ(a->CurrentFrame, 1);
  EXPECT_FALSE(b->ActiveLook || b->MouseInside);
  EXPECT_EQ(b->MorphFactor, 0.0);
}

TEST_F(TListFixture, OnlyTheFirstDifferingCaptionFollowsActivation) {
  auto* first = AddCaption(Rect(0, 0, 10, 10));
  auto* second = AddCaption(Rect(0, 10, 10, 20));
  second->MorphEnabled = true;
  EXPECT_EQ(List.UpdateCaptionActivity(true, true), first);
  EXPECT_TRUE(first->ActiveLook);
  EXPECT_FALSE(second->ActiveLook);
  EXPECT_EQ(List.UpdateCaptionActivity(true, false), second);
  EXPECT_EQ(second->MorphFactor, 1.0);  // without repaint a morphing caption jumps
  EXPECT_EQ(List.UpdateCaptionActivity(true, true), nullptr);
}

TEST_F(TListFixture, ButtonsVisibilityFollowsTheBorderIcons) {
  auto* close = AddAnimate("close", cmClose);
  auto* max = AddAnimate("max", cmMaximize);
  auto* maxInFrame = AddStd(cmMaximize);
  maxInFrame->NormalInStatePicture = false;
  auto* roll = AddAnimate("roll", cmRollUp);
  auto* custom = AddAnimate("custom", cmDefault);
  auto* plain = AddAnimate("plain", cmMaximize);
  plain->ActsAsButton = false;
  List.UpdateButtonsVisibility(TvnBorderIcons{biSystemMenu, biMinimize, biRollUp}, false, nullptr);
  EXPECT_TRUE(close->ObjectEnabled && close->ObjectVisible);
  EXPECT_FALSE(max->ObjectEnabled || max->ObjectVisible);  // own picture: disappears
  EXPECT_FALSE(maxInFrame->ObjectEnabled);                  // part of the frame: stays, inert
  EXPECT_TRUE(maxInFrame->ObjectVisible);
  EXPECT_TRUE(roll->ObjectEnabled && roll->ObjectVisible);
  EXPECT_FALSE(custom->ObjectVisible);                      // custom buttons hidden unless asked
  EXPECT_TRUE(plain->ObjectEnabled && plain->ObjectVisible);  // not a button: untouched

  List.UpdateButtonsVisibility(kDefaultBorderIcons, false,
                               [](const std::string& id, bool& visible) { visible = id == "custom"; });
  EXPECT_TRUE(custom->ObjectVisible);
  List.UpdateButtonsVisibility(kDefaultBorderIcons, true, nullptr);
  EXPECT_FALSE(close->ObjectEnabled || close->ObjectVisible);
  EXPECT_FALSE(plain->ObjectEnabled || plain->ObjectVisible);
  EXPECT_TRUE(maxInFrame->ObjectVisible);
}

TEST_F(TListFixture, SkinLayoutRowFromTheRightOfTheButtonsRect) {
  const TvnFrameSkin skin = EmbeddedFrameSkin();
  const TvnFrameGeometry g = CalcFrameGeometry(skin, 385, 392);  // buttons' 326,9,375,20
  auto* caption = AddCaption(Rect(34, 3, 120, 20));
  auto* roll = AddAnimate("roll", cmRollUp);
  auto* min = AddAnimate("min", cmMinimize);
  auto* close = AddAnimate("close", cmClose);
  auto* max = AddAnimate("max", cmMaximize);
  max->ObjectVisible = false;  // no maximize icon: hidden, leaves no gap
  auto* sys = AddAnimate("sys", cmSysMenu);
  sys->NormalInStatePicture = false;  // drawn in the frame picture at the top left
  sys->NormalRect = Rect(8, 8, 20, 20);
  List.LayoutObjects(skin, g, false, {16, 16});
  EXPECT_EQ(caption->ObjectRect, Rect(34, 3, 314, 20));
  EXPECT_EQ(close->ObjectRect, Rect(367, 9, 375, 17));
  EXPECT_EQ(min->ObjectRect, Rect(359, 9, 367, 17));
  EXPECT_EQ(roll->ObjectRect, Rect(351, 9, 359, 17));
  EXPECT_EQ(sys->ObjectRect, Rect(8, 8, 20, 20));
}

TEST_F(TListFixture, SkinLayoutSharingTheCaptionWithOffsets) {
  TvnFrameSkin skin = EmbeddedFrameSkin();
  skin.ButtonsRect = TRect{};
  skin.CaptionRect = Rect(10, 4, 181, 24);
  skin.ButtonsOffset = 2;
  const TvnFrameGeometry g = CalcFrameGeometry(skin, 291, 200);  // caption' 10,4,281,24
  auto* caption = AddCaption(Rect(10, 4, 181, 24));
  auto* close = AddAnimate("close", cmClose, 10, 10);
  auto* custom = AddAnimate("custom", cmDefault, 12, 10);
  auto* min = AddAnimate("min", cmMinimize, 10, 10);
  auto* sys = AddStd(cmSysMenu);
  sys->NormalRect = Rect(0, 0, 14, 14);
  List.LayoutObjects(skin, g, true, {16, 16});  // ShowIcon: the system button takes the icon size
  EXPECT_EQ(close->ObjectRect, Rect(271, 4, 281, 14));
  EXPECT_EQ(min->ObjectRect, Rect(259, 4, 269, 14));
  EXPECT_EQ(custom->ObjectRect, Rect(245, 4, 257, 14));
  EXPECT_EQ(sys->ObjectRect, Rect(10, 6, 26, 22));  // centred on the caption's height
  EXPECT_EQ(caption->ObjectRect, Rect(26, 4, 245, 24));

  // Buttons in the left: the same row left to right, the system button after it.
  skin.ButtonsInLeft = true;
  const TvnFrameGeometry left = CalcFrameGeometry(skin, 291, 200);
  List.LayoutObjects(skin, left, true, {16, 16});
  EXPECT_EQ(close->ObjectRect, Rect(10, 4, 20, 14));
  EXPECT_EQ(min->ObjectRect, Rect(22, 4, 32, 14));
  EXPECT_EQ(custom->ObjectRect, Rect(34, 4, 46, 14));
  EXPECT_EQ(sys->ObjectRect, Rect(48, 4, 64, 20));
  EXPECT_EQ(caption->ObjectRect.Left, 68);
}

TEST_F(TListFixture, DefaultButtonsLayout) {
  // The six default buttons, in the order the form makes them.
  for (TvnSkinCommand c : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmSysMenu, cmMinimizeToTray})
    AddStd(c);
  List.UpdateButtonsVisibility(kDefaultBorderIcons, false, nullptr);
  const TRect caption = List.LayoutDefaultButtons(300, 19, 17, false, {16, 16});
  auto rect = [&](int i) { return List.At(i)->ObjectRect; };
  EXPECT_EQ(rect(0), Rect(280, 4, 297, 21));  // close
  EXPECT_EQ(rect(1), Rect(263, 4, 280, 21));  // maximize
  EXPECT_EQ(rect(2), Rect(246, 4, 263, 21));  // minimize
  EXPECT_EQ(rect(3), Rect(229, 4, 246, 21));  // roll-up
  EXPECT_FALSE(List.At(5)->ObjectVisible);    // no tray icon: hidden, not placed
  EXPECT_EQ(rect(4), Rect(3, 4, 20, 21));     // system menu at the left
  EXPECT_EQ(caption, Rect(20, 3, 229, 19));
  // Tool window: 13-pixel buttons, 15-pixel caption; the icon when ShowIcon is on.
  const TRect tool = List.LayoutDefaultButtons(300, 15, 13, true, {16, 16});
  EXPECT_EQ(rect(0), Rect(284, 4, 297, 17));
  EXPECT_EQ(rect(4), Rect(3, 4, 19, 20));
  EXPECT_EQ(tool, Rect(19, 3, 245, 15));
}

}  // namespace

namespace {

// Objects made from descriptions as the skin lists them: menu pieces make none, the rest keep
// their order; a picture index that names no picture leaves no active look.
TEST(FrameObjectFactory, BuildsFrameObjectsFromTheSkinsDescriptions) {
  const TvnIniFile ini(
      "[SKINOBJECTS]\ncount=6\n0=MENUITEM:menuitem\n1=caption:caption\n2=CloseAnimate:animate\n"
      "3=menubarclosebutton:mainmenubarbutton\n4=max:stdbutton\n5=user:userobject\n"
      "[caption]\nskinrect=34,3,120,20\ntextrect=2,2,84,17\nfontcolor=8421504\nalignment=taleftjustify\n"
      "[CloseAnimate]\nskinrect=1,12,9,20\nactiveskinrect=1,12,41,20\nactivepictureindex=1\n"
      "skinrectinapicture=1\ncountframes=0\ntimerinterval=10\nbuttonstyle=1\ncommand=cmclose\nhint=Close\n"
      "[max]\nskinrect=0,0,10,10\nactiveskinrect=10,0,20,10\nactivepictureindex=7\nmorphing=1\n"
      "command=cmmaximize\nrestorerect=20,0,30,10\n"
      "[user]\nskinrect=5,5,9,9\nhint=ignored\n");
  std::vector<std::unique_ptr<TvnDataSkinObject>> descriptions;
  LoadObjectDescriptions(ini, descriptions);
  ASSERT_EQ(descriptions.size(), 6u);
  TPixelBitmap frame(191, 135), a0(4, 4), a1(41, 20);
  TvnObjectPictures pictures{&frame, {&a0, &a1}};
  TRecordingHost host;
  TvnFrameObjectList list;
  BuildSkinObjects(list, host, descriptions, pictures);
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.At(0)->Kind(), TvnObjectKind::Caption);
  EXPECT_EQ(list.At(1)->Kind(), TvnObjectKind::Animate);
  EXPECT_EQ(list.At(2)->Kind(), TvnObjectKind::StdButton);
  EXPECT_EQ(list.At(3)->Kind(), TvnObjectKind::User);

  auto& caption = static_cast<TvnSkinCaptionObject&>(*list.At(0));
  EXPECT_EQ(caption.ObjectRect, Rect(34, 3, 120, 20));
  EXPECT_EQ(caption.FontColor, 8421504);
  EXPECT_EQ(caption.Alignment, taLeftJustify);
  EXPECT_EQ(caption.FramePicture, &frame);
  EXPECT_EQ(caption.StatePicture, nullptr);

  auto& close = static_cast<TvnSkinAnimateObject&>(*list.At(1));
  EXPECT_EQ(close.StatePicture, &a1);
  EXPECT_EQ(close.FrameCount, 1);       // no frames counts as one
  EXPECT_EQ(close.FrameInterval, 25);   // shorter than a tick counts as a tick
  EXPECT_TRUE(close.ActsAsButton);
  EXPECT_EQ(close.Command, cmClose);
  EXPECT_EQ(close.ObjectHintText, u"Close");

  auto& max = static_cast<TvnSkinStdButtonObject&>(*list.At(2));
  EXPECT_EQ(max.StatePicture, nullptr);  // index 7 names no picture
  EXPECT_TRUE(IsZeroRect(max.HotRect));
  EXPECT_TRUE(IsZeroRect(descriptions[4]->ActiveSkinRect));
  EXPECT_FALSE(max.MorphEnabled);        // nothing to morph toward
  EXPECT_TRUE(max.FromSkin);
  EXPECT_EQ(max.RestoreNormalRect, Rect(20, 0, 30, 10));

  EXPECT_TRUE(list.At(3)->ObjectHintText.empty());
}

TEST(FrameObjectFactory, DefaultButtonsAreSixStdButtonsWithoutSkin) {
  TRecordingHost host;
  TvnFrameObjectList list;
  BuildDefaultButtons(list, host);
  ASSERT_EQ(list.Count(), 6);
  const char* ids[] = {"closebutton", "maxbutton", "minbutton", "rollupbutton", "sysmenubutton", "traybutton"};
  const TvnSkinCommand commands[] = {cmClose, cmMaximize, cmMinimize, cmRollUp, cmSysMenu, cmMinimizeToTray};
  for (int i = 0; i < 6; ++i) {
    auto& b = static_cast<TvnSkinStdButtonObject&>(*list.At(i));
    EXPECT_EQ(b.IDName, ids[i]);
    EXPECT_EQ(b.Command, commands[i]);
    EXPECT_FALSE(b.FromSkin);
    EXPECT_TRUE(b.NormalInStatePicture);
  }
}

}  // namespace

namespace {

// A hostile skin's numbers stay within a range where no sum with a window size can overflow.
TEST(FrameSkin, ExtremeSkinNumbersAreKeptInRange) {
  TvnSkinData skin;
  skin.Picture.SetSize(191, 135);
  skin.LeftTopPoint = {2147483647, -2147483647 - 1};
  skin.ClientRect = Rect(-2147483647 - 1, 0, 2147483647, 2147483647);
  skin.BorderWidth = 2147483647;
  const TvnFrameSkin f = FrameSkinOf(skin);
  EXPECT_EQ(f.LeftTopPoint, (TPoint{kSkinCoordinateLimit, -kSkinCoordinateLimit}));
  EXPECT_EQ(f.ClientRect, Rect(-kSkinCoordinateLimit, 0, kSkinCoordinateLimit, kSkinCoordinateLimit));
  EXPECT_EQ(f.BorderWidth, kSkinCoordinateLimit);
  const TvnFrameGeometry g = CalcFrameGeometry(f, 32767, 32767);
  EXPECT_EQ(g.Client.Right, kSkinCoordinateLimit + 32767 - 191);

  TRecordingHost host;
  TvnSkinAnimateObject a(host);
  a.NormalRect = Rect(0, 0, kSkinCoordinateLimit, 8);
  a.HotRect = Rect(kSkinCoordinateLimit, 0, kSkinCoordinateLimit, 8);
  const TRect last = a.FrameRect(10'000);  // far beyond any picture, but no overflow
  EXPECT_GE(last.Right, last.Left);
  EXPECT_LE(last.Right, 1 << 30);
}

}  // namespace
