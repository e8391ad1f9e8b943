#include "skin/form/ActiveSkinObjects.h"
#include "skin/form/SkinCaptionObject.h"

#include "FormTestDoubles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

int Count(const std::vector<std::string>& log, const std::string& entry) {
  return static_cast<int>(std::count(log.begin(), log.end(), entry));
}

// "CloseAnimate" of the embedded skin: five 8-pixel frames at 50 ms, a caption button.
std::unique_ptr<TvnSkinAnimateObject> CloseAnimate(TRecordingHost& host, const TPixelBitmap& strip) {
  auto a = std::make_unique<TvnSkinAnimateObject>(host);
  a->IDName = "CloseAnimate";
  a->StatePicture = &strip;
  a->NormalInStatePicture = true;
  a->NormalRect = Rect(1, 12, 9, 20);
  a->HotRect = Rect(1, 12, 41, 20);
  a->FrameCount = 5;
  a->FrameInterval = 50;
  a->ActsAsButton = true;
  a->Command = cmClose;
  a->ObjectRect = Rect(370, 9, 378, 17);
  return a;
}

// Ticks the animation as the form's timer does (only while ActiveLook) and records the frame
// after each tick.
std::vector<int> Ticks(TvnSkinAnimateObject& a, int ticks) {
  std::vector<int> frames;
  for (int i = 0; i < ticks && a.ActiveLook; ++i) {
    a.StepAnimation();
    frames.push_back(a.CurrentFrame);
  }
  return frames;
}

TEST(AnimateObject, HoverPlaysFramesOneToFiveEverySecondTickAndStops) {
  TRecordingHost host;
  TPixelBitmap strip(41, 20);
  auto a = CloseAnimate(host, strip);
  a->MouseEnter();
  EXPECT_EQ(Count(host.Log, "animation timer"), 1);
  // ElapsedMs starts at 25: the first tick waits, then a frame every second 25 ms tick.
  EXPECT_EQ(Ticks(*a, 20), (std::vector<int>{1, 2, 2, 3, 3, 4, 4, 5}));
  EXPECT_FALSE(a->ActiveLook);  // holding frame 5: the timer has nothing left to step
  EXPECT_EQ(a->CurrentFrame, 5);
  a->MouseLeave();
  EXPECT_EQ(Ticks(*a, 20), (std::vector<int>{5, 4, 4, 3, 3, 2, 2, 1}));
  EXPECT_EQ(a->CurrentFrame, 1);
  EXPECT_FALSE(a->ActiveLook);
}

TEST(AnimateObject, LeavingMidwayRunsBackFromTheCurrentFrame) {
  TRecordingHost host;
  TPixelBitmap strip(41, 20);
  auto a = CloseAnimate(host, strip);
  a->MouseEnter();
  Ticks(*a, 4);  // frames 1, 2, 2, 3
  ASSERT_EQ(a->CurrentFrame, 3);
  a->MouseLeave();
  EXPECT_EQ(Ticks(*a, 20), (std::vector<int>{3, 2, 2, 1}));
}

TEST(AnimateObject, IntervalDecidesTheTicksPerFrame) {
  struct Case {
    int interval;
    std::vector<int> frames;
  } cases[] = {
      {25, {2, 3, 4, 5}},                          // the shortest interval: every tick
      {60, {1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5}},  // every third tick (75 ms)
  };
  for (const Case& c : cases) {
    TRecordingHost host;
    TPixelBitmap strip(41, 20);
    auto a = CloseAnimate(host, strip);
    a->FrameInterval = c.interval;
    a->MouseEnter();
    EXPECT_EQ(Ticks(*a, 30), c.frames) << c.interval;
  }
}

TEST(AnimateObject, CyclicLoopsWhileHoveredAndRunsDownOnLeave) {
  TRecordingHost host;
  TPixelBitmap strip(41, 20);
  auto a = CloseAnimate(host, strip);
  a->FrameInterval = 25;
  a->Cyclic = true;
  a->MouseEnter();
  EXPECT_EQ(Ticks(*a, 7), (std::vector<int>{2, 3, 4, 5, 1, 2, 3}));
  EXPECT_TRUE(a->ActiveLook);
  a->MouseLeave();
  EXPECT_EQ(Ticks(*a, 10), (std::vector<int>{2, 1}));
}

TEST(AnimateObject, DrawsTheCurrentFrameOfTheStripAlways) {
  TRecordingHost host;
  host.Active = false;
  TPixelBitmap strip(41, 20);
  auto a = CloseAnimate(host, strip);
  a->ObjectEnabled = false;
  TRecordingPainter p;
  a->CurrentFrame = 3;
  a->Draw(p, false);
  EXPECT_EQ(p.Log, (std::vector<std::string>{"picture 17,12,25,20 -> 370,9,378,17"}));
}

TEST(AnimateObject, ReleaseRunsTheCommandOnlyOverTheObjectWithTheLeftButton) {
  TRecordingHost host;
  TPixelBitmap strip(41, 20);
  auto a = CloseAnimate(host, strip);
  a->MouseEnter();
  a->MouseUp(0, 0, TvnMouseButton::Right);
  EXPECT_EQ(Count(host.Log, "close"), 0);
  a->MouseUp(0, 0, TvnMouseButton::Left);
  EXPECT_EQ(Count(host.Log, "close"), 1);
  a->MouseLeave();
  a->MouseUp(-1, -1, TvnMouseButton::Left);
  EXPECT_EQ(Count(host.Log, "close"), 1);
  // An animation that is no button only reports the release.
  a->ActsAsButton = false;
  a->MouseEnter();
  a->MouseUp(0, 0, TvnMouseButton::Left);
  EXPECT_EQ(Count(host.Log, "close"), 1);
}

TEST(AnimateObject, CommandsAndDoubleClick) {
  TRecordingHost host;
  TPixelBitmap strip(41, 20);
  auto a = CloseAnimate(host, strip);
  a->Command = cmMinimize;
  a->DoCommand();
  EXPECT_EQ(host.State, wsMinimized);
  a->DoCommand();
  EXPECT_EQ(host.State, wsNormal);
  host.ToTray = true;
  a->DoCommand();
  EXPECT_EQ(host.Log.back(), "tray");
  a->Command = cmRollUp;
  a->DoCommand();
  EXPECT_TRUE(host.Rolled);
  a->DoCommand();
  EXPECT_FALSE(host.Rolled);
  a->Command = cmSysMenu;
  a->DoCommand();
  EXPECT_EQ(host.Log.back(), "popup");
  EXPECT_NE(a->PopupItem, nullptr);
  a->DblClick();
  EXPECT_EQ(host.Log.back(), "close");
  a->Command = cmMaximize;
  host.Log.clear();
  a->DblClick();
  EXPECT_TRUE(host.Log.empty());
}

TEST(ActiveSkinObject, MorphTakesFiveTicksEachWayAndReversesMidway) {
  TRecordingHost host;
  TvnActiveSkinObject o(host, TvnObjectKind::User);
  o.MorphEnabled = true;
  o.HotRect = Rect(0, 0, 10, 10);
  o.MouseEnter();
  EXPECT_EQ(host.Log.front(), "morph timer");
  int ticks = 0;
  while (o.NeedsMorphStep() && ticks < 50) o.MorphStep(), ++ticks;
  EXPECT_EQ(ticks, 5);
  EXPECT_EQ(o.MorphFactor, 1.0);
  o.MouseLeave();
  ticks = 0;
  while (o.NeedsMorphStep() && ticks < 50) o.MorphStep(), ++ticks;
  EXPECT_EQ(ticks, 5);
  EXPECT_EQ(o.MorphFactor, 0.0);
  // Halfway up, then back: it runs back from where it is.
  o.MouseEnter();
  o.MorphStep();
  o.MorphStep();
  o.MouseLeave();
  ticks = 0;
  while (o.NeedsMorphStep() && ticks < 50) o.MorphStep(), ++ticks;
  EXPECT_EQ(ticks, 2);
}

TEST(ActiveSkinObject, SetMorphFactorClamps) {
  TRecordingHost host;
  TvnActiveSkinObject o(host, TvnObjectKind::User);
  o.SetMorphFactor(1.7);
  EXPECT_EQ(o.MorphFactor, 1.0);
  o.SetMorphFactor(-0.1);
  EXPECT_EQ(o.MorphFactor, 0.0);
  o.SetMorphFactor(std::nan(""));
  EXPECT_EQ(o.MorphFactor, 0.0);
}

TEST(ActiveSkinObject, LookChoiceTable) {
  TRecordingHost host;
  TPixelBitmap frame(10, 10), state(10, 10);
  const TRect normal = Rect(1, 1, 5, 5), hot = Rect(5, 1, 9, 5), inactive = Rect(1, 5, 5, 9);
  struct Case {
    const char* what;
    bool formActive, enabled, activeLook, morph, inState, alone;
    double factor;
    TRect inactiveRect;
    TvnLook::TKind kind;
    const TPixelBitmap* picture;
    TRect source;
  } cases[] = {
      {"inactive window", false, true, true, false, false, false, 0, inactive, TvnLook::Copy, &state, inactive},
      {"inactive, no inactive look", false, true, false, false, false, true, 0, {}, TvnLook::Copy, &frame, normal},
      {"disabled ignores inactive look", false, false, false, false, false, false, 0, inactive, TvnLook::None, nullptr, {}},
      {"morph in progress", true, true, true, true, false, false, 0.4, {}, TvnLook::Morph, &frame, normal},
      {"hot", true, true, true, false, false, false, 0, {}, TvnLook::Copy, &state, hot},
      {"hot, morph finished", true, true, true, true, false, false, 1, {}, TvnLook::Copy, &state, hot},
      {"normal in frame, full paint", true, true, false, false, false, false, 0, {}, TvnLook::None, nullptr, {}},
      {"normal in frame, alone", true, true, false, false, false, true, 0, {}, TvnLook::Copy, &frame, normal},
      {"normal in own picture", true, true, false, false, true, false, 0, {}, TvnLook::Copy, &state, normal},
  };
  for (const Case& c : cases) {
    host.Active = c.formActive;
    TvnActiveSkinObject o(host, TvnObjectKind::User);
    o.FramePicture = &frame;
    o.StatePicture = &state;
    o.NormalRect = normal;
    o.HotRect = hot;
    o.InactiveRect = c.inactiveRect;
    o.ObjectEnabled = c.enabled;
    o.ActiveLook = c.activeLook;
    o.MorphEnabled = c.morph;
    o.MorphFactor = c.factor;
    o.NormalInStatePicture = c.inState;
    const TvnLook look = o.ChooseLook(c.alone);
    EXPECT_EQ(look.Kind, c.kind) << c.what;
    EXPECT_EQ(look.Picture, c.picture) << c.what;
    EXPECT_EQ(look.Source, c.source) << c.what;
  }
}

TEST(ActiveSkinObject, MorphPaintComposesBothLooksAtTheObjectSize) {
  TRecordingHost host;
  TPixelBitmap frame(10, 10), state(10, 10);
  TvnActiveSkinObject o(host, TvnObjectKind::User);
  o.FramePicture = &frame;
  o.StatePicture = &state;
  o.NormalRect = Rect(0, 0, 4, 4);
  o.HotRect = Rect(4, 0, 8, 4);
  o.ObjectRect = Rect(100, 5, 108, 13);  // stretched to 8 x 8
  o.MorphEnabled = true;
  o.ActiveLook = true;
  o.MorphFactor = 0.6;
  TRecordingPainter p;
  o.Draw(p, false);
  EXPECT_EQ(host.Log, (std::vector<std::string>{"morph 0.600000"}));
  EXPECT_EQ(p.Log, (std::vector<std::string>{"bitmap 8x8 at 100,5"}));
}

// A std button made as the default look makes it: no description, normal look "in its own
// picture" (so the layout places it).
std::unique_ptr<TvnSkinStdButtonObject> StdButton(TRecordingHost& host, TvnSkinCommand command,
                                                  const TPixelBitmap* picture = nullptr) {
  auto b = std::make_unique<TvnSkinStdButtonObject>(host);
  b->Command = command;
  b->IDName = "button";
  b->NormalInStatePicture = true;
  b->StatePicture = picture;
  b->FromSkin = picture != nullptr;
  b->NormalRect = Rect(0, 0, 10, 10);
  b->HotRect = Rect(10, 0, 20, 10);
  b->PressedRect = Rect(20, 0, 30, 10);
  b->ObjectRect = Rect(50, 4, 60, 14);
  return b;
}

TEST(StdButtonObject, CloseReleasesBeforeClosingMaximizeCommandsBeforeReleasing) {
  TRecordingHost host;
  TPixelBitmap pic(40, 20);
  auto close = StdButton(host, cmClose, &pic);
  close->MouseEnter();
  close->MouseDown(55, 8, TvnMouseButton::Left);
  EXPECT_TRUE(close->IsDown);
  host.Log.clear();
  close->MouseUp(55, 8, TvnMouseButton::Left);
  EXPECT_EQ(host.Log, (std::vector<std::string>{"redraw", "up event button", "close"}));

  auto max = StdButton(host, cmMaximize, &pic);
  max->MouseEnter();
  max->MouseDown(55, 8, TvnMouseButton::Left);
  host.Log.clear();
  max->MouseUp(55, 8, TvnMouseButton::Left);
  ASSERT_GE(host.Log.size(), 2u);
  EXPECT_EQ(host.Log.front(), "state 2");  // the command first
  EXPECT_FALSE(max->IsDown);
}

TEST(StdButtonObject, ReleaseAfterLeavingRunsNothingAndComesUp) {
  TRecordingHost host;
  TPixelBitmap pic(40, 20);
  auto b = StdButton(host, cmClose, &pic);
  b->MouseEnter();
  b->MouseDown(55, 8, TvnMouseButton::Left);
  b->MouseLeave();
  b->MouseUp(-1, -1, TvnMouseButton::Left);
  EXPECT_EQ(Count(host.Log, "close"), 0);
  EXPECT_FALSE(b->IsDown);
  EXPECT_EQ(Count(host.Log, "down event button"), 0);  // a std button fires no press event
}

TEST(StdButtonObject, DisabledButtonRunsNoCommand) {
  TRecordingHost host;
  TPixelBitmap pic(40, 20);
  for (TvnSkinCommand command : {cmMinimize, cmClose}) {
    auto b = StdButton(host, command, &pic);
    b->MouseEnter();  // hot, then disabled (its icon was taken away meanwhile)
    b->ObjectEnabled = false;
    b->MouseDown(55, 8, TvnMouseButton::Left);
    EXPECT_FALSE(b->IsDown);
    b->MouseUp(55, 8, TvnMouseButton::Left);
  }
  EXPECT_EQ(host.State, wsNormal);
  EXPECT_EQ(Count(host.Log, "close"), 0);
}

TEST(StdButtonObject, SystemMenuOpensOnPressAndDoubleClickCloses) {
  TRecordingHost host;
  TPixelBitmap pic(40, 20);
  auto b = StdButton(host, cmSysMenu, &pic);
  b->MouseDown(5, 5, TvnMouseButton::Left);
  EXPECT_EQ(host.Log.back(), "popup");
  EXPECT_TRUE(b->MenuOpen());
  EXPECT_FALSE(b->NeedsMorphStep());
  b->DblClick();
  EXPECT_EQ(host.Log.back(), "close");
}

TEST(StdButtonObject, RestoreLookWhileMaximized) {
  TRecordingHost host;
  TPixelBitmap pic(80, 20);
  auto b = StdButton(host, cmMaximize, &pic);
  b->RestoreNormalRect = Rect(40, 0, 50, 10);
  b->RestoreHotRect = Rect(50, 0, 60, 10);
  TRecordingPainter p;
  b->Draw(p, true);
  host.State = wsMaximized;
  b->Draw(p, true);
  b->ActiveLook = true;
  b->Draw(p, true);
  b->RestoreNormalRect = TRect{};  // an empty restore look keeps the normal looks
  b->Draw(p, true);
  EXPECT_EQ(p.Log, (std::vector<std::string>{"picture 0,0,10,10 -> 50,4,60,14",
                                             "picture 40,0,50,10 -> 50,4,60,14",
                                             "picture 50,0,60,10 -> 50,4,60,14",
                                             "picture 10,0,20,10 -> 50,4,60,14"}));
}

TEST(StdButtonObject, PressedAndDisabledLooks) {
  TRecordingHost host;
  TPixelBitmap pic(80, 20);
  auto b = StdButton(host, cmMinimize, &pic);
  b->DisabledRect = Rect(30, 0, 40, 10);
  TRecordingPainter p;
  b->MouseEnter();
  b->MouseDown(55, 8, TvnMouseButton::Left);
  b->Draw(p, false);
  b->MouseLeave();  // pressed but outside: the hot look is gone, normal again
  b->Draw(p, false);
  b->ObjectEnabled = false;
  b->Draw(p, false);
  EXPECT_EQ(p.Log, (std::vector<std::string>{"picture 20,0,30,10 -> 50,4,60,14",
                                             "picture 0,0,10,10 -> 50,4,60,14",
                                             "picture 30,0,40,10 -> 50,4,60,14"}));
}

TEST(StdButtonObject, DefaultLookStatesAndGlyphs) {
  TRecordingHost host;
  auto b = StdButton(host, cmClose);
  b->ObjectRect = Rect(100, 4, 117, 21);  // 17 x 17
  TRecordingPainter p;
  b->Draw(p, false);
  EXPECT_EQ(p.Log, (std::vector<std::string>{"bitmap 17x17 at 100,4"}));
  // What goes on the bitmap: plain face, hover, pressed with the glyph moved by one.
  struct TCapture : TRecordingPainter {
    std::vector<std::string>* Shared;
    std::unique_ptr<TvnFramePainter> PainterOn(TPixelBitmap&) override {
      auto inner = std::make_unique<TCapture>();
      inner->Shared = Shared;
      return inner;
    }
    void FillRect(const TRect& r, TColor c) override { Shared->push_back("fill " + R(r) + " " + std::to_string(c)); }
    void FrameRect(const TRect& r, TColor c) override { Shared->push_back("frame " + R(r) + " " + std::to_string(c)); }
    void DrawGlyph(TvnGlyph g, int x, int y, TColor c) override {
      Shared->push_back("glyph " + std::to_string(static_cast<int>(g)) + " " + std::to_string(x) + "," +
                        std::to_string(y) + " " + std::to_string(c));
    }
  };
  std::vector<std::string> inner;
  TCapture c;
  c.Shared = &inner;
  b->Draw(c, false);
  b->MouseInside = true;
  b->Draw(c, false);
  b->IsDown = true;
  b->Draw(c, false);
  b->ObjectEnabled = false;
  b->IsDown = b->MouseInside = false;
  b->Draw(c, false);
  const std::string face = std::to_string(clBtnFace);
  const std::string text = std::to_string(clBtnText);
  const std::string shadow = std::to_string(clBtnShadow);
  EXPECT_EQ(inner, (std::vector<std::string>{
                       "fill 0,0,17,17 " + face, "glyph 0 3,4 " + text,
                       "fill 0,0,17,17 " + std::to_string(0xD2BDB6), "frame 0,0,17,17 " + std::to_string(0x800000),
                       "glyph 0 3,4 " + text,
                       "fill 0,0,17,17 " + std::to_string(0xB59385), "frame 0,0,17,17 " + std::to_string(0x800000),
                       "glyph 0 4,5 " + text,
                       "fill 0,0,17,17 " + face, "glyph 0 3,4 " + shadow}));
}

TEST(CaptionObject, TextRectGrowsWithTheCaptionAndPlacesByAlignment) {
  TRecordingHost host;
  TvnSkinCaptionObject c(host);
  c.NormalRect = Rect(34, 3, 120, 20);
  c.ObjectRect = Rect(34, 3, 314, 20);  // 194 wider
  c.TextRect = Rect(2, 2, 84, 17);
  EXPECT_EQ(c.CaptionTextRect(), Rect(2, 2, 278, 17));
  const TRect tr = Rect(0, 0, 11, 15);
  struct Case {
    TvnAlignment a;
    TPoint at;
  } cases[] = {{taLeftJustify, {100, 52}}, {taRightJustify, {107, 52}}, {taCenter, {103, 52}}};
  for (const Case& k : cases) {
    c.Alignment = k.a;
    EXPECT_EQ(c.PlaceCaptionText(tr, {4, 12}, 100, 51), k.at) << int(k.a);
  }
  // A text frame narrows the text area by its insets.
  c.FrameRect = Rect(0, 30, 40, 48);
  c.FrameTextRect = Rect(5, 3, 33, 15);
  EXPECT_EQ(c.CaptionTextRect(), Rect(7, 5, 271, 17));
}

TEST(CaptionObject, LongTextEndsInEllipsisAndEmptyTextDrawsNothing) {
  TRecordingHost host;
  TvnSkinCaptionObject c(host);
  c.NormalRect = Rect(34, 3, 120, 20);
  c.ObjectRect = c.NormalRect;
  c.TextRect = Rect(2, 2, 62, 17);  // 60 pixels: ten units of 6
  c.Alignment = taLeftJustify;
  host.Caption = u"Quillon length tool";
  TRecordingPainter p;
  c.DrawCaptionText(p, c.ObjectRect.Left, c.ObjectRect.Top, true);
  EXPECT_EQ(p.LastText, u"Quillon...");
  host.Caption = u"Quillon";
  c.DrawCaptionText(p, 0, 0, true);
  EXPECT_EQ(p.LastText, u"Quillon");
  p.Log.clear();
  host.Caption.clear();
  c.FrameRect = Rect(0, 30, 40, 48);  // not even the text frame
  c.DrawCaptionText(p, 0, 0, true);
  EXPECT_TRUE(p.Log.empty());
}

TEST(CaptionObject, EllipsisNeverSplitsASurrogatePair) {
  TRecordingPainter p;
  const std::u16string text = u"ab\U0001F600cdef";  // 8 units, 48 pixels
  EXPECT_EQ(EllipsisText(p, text, 48), text);
  EXPECT_EQ(EllipsisText(p, text, 42), u"ab\U0001F600...");
  EXPECT_EQ(EllipsisText(p, text, 41), u"ab...");  // the pair goes as a whole
  EXPECT_EQ(EllipsisText(p, text, 0), u"...");
}

TEST(CaptionObject, PlainCaptionWritesGreyOrBlackTextOverTheFrame) {
  TRecordingHost host;
  TvnSkinCaptionObject c(host);
  c.NormalRect = Rect(34, 3, 120, 20);
  c.ObjectRect = Rect(34, 3, 314, 20);
  c.TextRect = Rect(2, 2, 84, 17);
  c.FontColor = 8421504;
  c.ActiveFontColor = 0;
  c.Alignment = taLeftJustify;
  TRecordingPainter p;
  c.Draw(p, false);
  c.ActiveLook = true;
  c.Draw(p, false);
  EXPECT_EQ(p.Log, (std::vector<std::string>{"font colour 8421504", "text 36,6 7 units",
                                             "font colour 0", "text 36,6 7 units"}));
}

TEST(CaptionObject, ShadowIsWrittenFirstOneDownRight) {
  TRecordingHost host;
  TvnSkinCaptionObject c(host);
  c.NormalRect = c.ObjectRect = Rect(0, 0, 100, 20);
  c.TextRect = Rect(0, 0, 100, 20);
  c.Alignment = taLeftJustify;
  c.Shadow = true;
  c.ShadowColor = 7;
  c.ActiveShadowColor = 9;
  c.ActiveFontColor = 3;
  c.ActiveLook = true;
  TRecordingPainter p;
  c.Draw(p, false);
  EXPECT_EQ(p.Log, (std::vector<std::string>{"font colour 3", "font colour 9", "text 1,5 7 units",
                                             "text colour 3", "text 0,4 7 units"}));
}

TEST(CaptionObject, MouseOnlyFiresEventsAndNeverChangesTheLook) {
  TRecordingHost host;
  TvnSkinCaptionObject c(host);
  c.IDName = "caption";
  c.MouseEnter();
  EXPECT_TRUE(c.MouseInside);
  EXPECT_FALSE(c.ActiveLook);
  c.MouseLeave();
  c.MouseDown(1, 1, TvnMouseButton::Left);
  c.MouseUp(1, 1, TvnMouseButton::Left);  // fired although the mouse has left
  EXPECT_EQ(host.Log, (std::vector<std::string>{"enter event caption", "leave event caption",
                                                "down event caption", "up event caption"}));
}

TEST(CaptionObject, BackgroundWithFixedEndsTilesTheMiddle) {
  TRecordingHost host;  // lefttoppoint x 46, righttoppoint x 110
  TvnSkinCaptionObject c(host);
  c.NormalRect = Rect(34, 3, 120, 20);  // ends 12 and 10, middle 64
  c.ObjectRect = Rect(34, 3, 314, 20);
  TPixelBitmap picture(191, 40);
  for (int x = 0; x < 191; ++x)
    for (int y = 0; y < 40; ++y) picture.SetPixel(x, y, static_cast<std::uint32_t>(x));
  TPixelBitmap target;
  c.ComposeCaptionBackground(target, c.NormalRect, &picture);
  ASSERT_EQ(target.Width(), 280);
  ASSERT_EQ(target.Height(), 17);
  EXPECT_EQ(target.GetPixel(0, 0), 34u);     // left end
  EXPECT_EQ(target.GetPixel(11, 5), 45u);
  EXPECT_EQ(target.GetPixel(12, 5), 58u);    // tiled middle: phase from x = 0 (46 + 12)
  EXPECT_EQ(target.GetPixel(64, 5), 46u);    // second copy starts at 64
  EXPECT_EQ(target.GetPixel(269, 16), 59u);  // under the right end? 269 < 270: middle
  EXPECT_EQ(target.GetPixel(270, 16), 110u); // right end
  EXPECT_EQ(target.GetPixel(279, 0), 119u);
  // Corner points outside the caption leave no middle: the whole source is stretched, and
  // nothing fails.
  host.LeftTopX = 0;
  host.RightTopX = 500;
  c.ComposeCaptionBackground(target, c.NormalRect, &picture);
  EXPECT_EQ(target.GetPixel(0, 0), 34u);
  EXPECT_EQ(target.GetPixel(279, 0), 119u);
}

TEST(CopyPictureRect, StaysInsideBothBitmaps) {
  TPixelBitmap picture(4, 4);
  picture.Fill(0x123456);
  TPixelBitmap target(6, 6);
  auto coloured = [&] {
    int n = 0;
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 6; ++x) n += target.GetPixel(x, y) == 0x123456;
    return n;
  };
  // 8 x 8 source of which only the middle 4 x 4 lies in the picture, stretched to 6 x 6:
  // the rows and columns that sample outside the picture are left alone.
  CopyPictureRect(picture, Rect(-2, -2, 6, 6), target, Rect(0, 0, 6, 6));
  EXPECT_EQ(coloured(), 9);
  // A target rectangle running off the bitmap: only its part inside is written.
  CopyPictureRect(picture, Rect(0, 0, 4, 4), target, Rect(4, 4, 10, 10));
  EXPECT_EQ(coloured(), 13);
  CopyPictureRect(picture, Rect(2, 2, 2, 9), target, Rect(0, 0, 6, 6));  // empty source
  EXPECT_EQ(coloured(), 13);
}

// Pixel by pixel: every target pixel inside the target whose centre sample lies in the
// picture takes that sample; every other one is left alone.
void ReferenceCopy(const TPixelBitmap& picture, const TRect& s, TPixelBitmap& target, const TRect& d) {
  if (s.Width() <= 0 || s.Height() <= 0 || d.Width() <= 0 || d.Height() <= 0) return;
  for (int j = 0; j < d.Height(); ++j)
    for (int i = 0; i < d.Width(); ++i) {
      const int sx = s.Left + static_cast<int>((2LL * i + 1) * s.Width() / (2LL * d.Width()));
      const int sy = s.Top + static_cast<int>((2LL * j + 1) * s.Height() / (2LL * d.Height()));
      const int tx = d.Left + i, ty = d.Top + j;
      if (sx < 0 || sy < 0 || sx >= picture.Width() || sy >= picture.Height()) continue;
      if (tx < 0 || ty < 0 || tx >= target.Width() || ty >= target.Height()) continue;
      target.SetPixel(tx, ty, picture.GetPixel(sx, sy));
    }
}

TEST(CopyPictureRect, MatchesThePixelRuleForCopiesAndStretchesAnywhere) {
  TPixelBitmap picture(13, 9);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 13; ++x) picture.SetPixel(x, y, static_cast<std::uint32_t>(0x010203 * (x + 16 * y + 1)));
  std::uint32_t seed = 7;
  auto next = [&](int lo, int hi) {
    seed = seed * 1103515245u + 12345u;
    return lo + static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(hi - lo + 1));
  };
  for (int n = 0; n < 400; ++n) {
    const TRect s = Bounds(next(-6, 14), next(-6, 10), next(0, 20), next(0, 14));
    // Half the cases copy at the same size, the others stretch or shrink.
    const TRect d = n % 2 ? Bounds(next(-8, 16), next(-8, 12), s.Width(), s.Height())
                          : Bounds(next(-8, 16), next(-8, 12), next(0, 30), next(0, 20));
    TPixelBitmap got(17, 11), want(17, 11);
    got.Fill(0x5A5A5A);
    want.Fill(0x5A5A5A);
    CopyPictureRect(picture, s, got, d);
    ReferenceCopy(picture, s, want, d);
    ASSERT_EQ(got, want) << "source " << s.Left << "," << s.Top << "," << s.Right << "," << s.Bottom
                         << " target " << d.Left << "," << d.Top << "," << d.Right << "," << d.Bottom;
  }
}

}  // namespace
