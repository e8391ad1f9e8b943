// The skinned controls' portable rules: sizing modes, sizes for a request, region geometry and
// the up-down's buttons, looks, range and press / release / repeat state machine.
#include "skin/controls/vnSkinCtrlsGeometry.h"

#include <gtest/gtest.h>

namespace {

const TRect kVUpDown = Rect(367, 88, 384, 118);  // the embedded skin's "vupdown", 17 x 30
const TRect kButton = Rect(0, 0, 47, 26);        // its "button": left end 18, right end 19
const TvnSkinPoints kButtonPoints{{18, 12}, {28, 12}, {0, 0}, {0, 0}, {4, 4, 43, 22}};

TEST(SkinControlSizing, ModeAndSizeForARequest) {
  const struct {
    TRect SkinRect;
    TvnSkinPoints Points;
    TvnSizingMode Mode;
    int W, H, WantW, WantH;
  } cases[] = {
      {Rect(0, 0, 0, 30), {}, TvnSizingMode::Empty, 50, 25, 50, 25},      // no width: size stays
      {Rect(5, 5, 6, 6), {}, TvnSizingMode::Fixed, 50, 25, 1, 1},         // 1 x 1 is a rectangle
      {kVUpDown, {}, TvnSizingMode::Fixed, 50, 25, 17, 30},
      {kVUpDown, {}, TvnSizingMode::Fixed, 17, 30, 17, 30},
      {kButton, kButtonPoints, TvnSizingMode::Horizontal, 120, 40, 120, 26},
      {kButton, kButtonPoints, TvnSizingMode::Horizontal, 37, 26, 37, 26},  // just the two ends
      {Rect(0, 0, 20, 40), {{5, 5}, {0, 0}, {0, 30}, {0, 0}, {}}, TvnSizingMode::Vertical, 60, 90, 20, 90},
      {Rect(0, 0, 20, 40), {{5, 5}, {0, 0}, {5, 35}, {15, 0}, {}}, TvnSizingMode::Vertical, 60, 90, 20, 90},  // RB.Y 0: not both
      {Rect(0, 0, 20, 20), {{5, 5}, {15, 5}, {5, 15}, {15, 15}, {5, 5, 15, 15}}, TvnSizingMode::Both, 61, 9, 61, 9},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(vnSizingModeOf(c.SkinRect, c.Points), c.Mode) << c.SkinRect.Right;
    int w = c.W, h = c.H;
    TvnSkinPoints target;
    vnCalcSkinSize(true, c.Mode, c.SkinRect, c.Points, w, h, target);
    EXPECT_EQ(w, c.WantW) << static_cast<int>(c.Mode);
    EXPECT_EQ(h, c.WantH) << static_cast<int>(c.Mode);
  }
  int w = 50, h = 25;  // no description: nothing changes
  TvnSkinPoints target;
  vnCalcSkinSize(false, TvnSizingMode::Fixed, kVUpDown, {}, w, h, target);
  EXPECT_EQ(Rect(0, 0, w, h), Rect(0, 0, 50, 25));
}

TEST(SkinControlSizing, OneDirectionControlsFoldTheirRegionGeometry) {
  int w = 120, h = 26;
  TvnSkinPoints target;
  vnCalcSkinSize(true, TvnSizingMode::Horizontal, kButton, kButtonPoints, w, h, target);
  EXPECT_EQ(target.RT, (TPoint{101, 12}));
  EXPECT_EQ(target.Cl, Rect(4, 4, 116, 22));
  TvnRegionGeometry g = vnRegionGeometry(TvnSizingMode::Horizontal, kButton, kButtonPoints, target, w, h);
  EXPECT_EQ(g.Source.LB, kButtonPoints.LT);
  EXPECT_EQ(g.Source.RB, kButtonPoints.RT);
  EXPECT_EQ(g.Target.RB, (TPoint{101, 12}));
  EXPECT_EQ(g.Target.LB, kButtonPoints.LT);

  const TvnSkinPoints vertical{{5, 6}, {0, 0}, {3, 30}, {0, 0}, {2, 2, 18, 38}};
  g = vnRegionGeometry(TvnSizingMode::Vertical, Rect(0, 0, 20, 40), vertical, vertical, 20, 100);
  EXPECT_EQ(g.Source.RT, vertical.LT);
  EXPECT_EQ(g.Target.LB, (TPoint{3, 90}));  // 100 - (40 - 30)
  EXPECT_EQ(g.Target.RB, (TPoint{3, 90}));
}

TEST(UpDownButtons, LayoutAndHitOnEveryEdge) {
  using O = TvnUDOrientation;
  const auto skin = vnLayoutUpDownButtons(true, Rect(19, 3, 30, 14), Rect(0, 3, 11, 14), O::udHorizontal, 30, 17);
  EXPECT_EQ(skin[0], Rect(19, 3, 30, 14));
  EXPECT_EQ(vnLayoutUpDownButtons(false, {}, {}, O::udVertical, 17, 31)[1], Rect(0, 15, 17, 31));
  const auto halves = vnLayoutUpDownButtons(false, {}, {}, O::udHorizontal, 31, 17);
  EXPECT_EQ(halves[0], Rect(15, 0, 31, 17));  // increase on the right
  EXPECT_EQ(halves[1], Rect(0, 0, 15, 17));
  const struct { TPoint P; int Button; } hits[] = {
      {{30, 8}, 0}, {{31, 8}, -1}, {{19, 3}, 0}, {{25, 14}, 0}, {{25, 15}, -1},
      {{11, 8}, 1}, {{12, 8}, -1}, {{0, 3}, 1}, {{5, 2}, -1}};
  for (const auto& c : hits) EXPECT_EQ(vnButtonAt(skin, c.P), c.Button) << c.P.X << "," << c.P.Y;
  EXPECT_EQ(vnUpDownArrowKind(0, O::udVertical), 3);
  EXPECT_EQ(vnUpDownArrowKind(1, O::udHorizontal), 1);
}

TEST(UpDownButtons, LookOfEachState) {
  const TRect hot = Rect(254, 88, 265, 99), down = Rect(265, 88, 276, 99);
  EXPECT_EQ(vnUpDownSkinLookRect(true, true, hot, down), down);
  EXPECT_EQ(vnUpDownSkinLookRect(true, true, hot, {}), hot);
  EXPECT_EQ(vnUpDownSkinLookRect(true, false, hot, down), hot);
  EXPECT_TRUE(vnUpDownSkinLookRect(false, true, hot, down).IsEmpty());  // pressed, mouse away

  const TvnButtonLooks full{Rect(1, 1, 9, 9), Rect(2, 2, 9, 9), Rect(3, 3, 9, 9), 10, 20, 30};
  TvnButtonLooks bare = full;
  bare.ActiveSkinRect = bare.DownSkinRect = {};
  const struct { TvnButtonLooks L; bool Hot, Pressed; TRect Source; TColor Color; bool Shift; } cases[] = {
      {full, true, true, full.DownSkinRect, 30, true},   {bare, true, true, bare.SkinRect, 30, true},
      {full, true, false, full.ActiveSkinRect, 20, false}, {bare, true, false, bare.SkinRect, 20, false},
      {full, false, true, full.SkinRect, 10, false}};
  for (const auto& c : cases) {
    const TvnButtonLookChoice got = vnResizeButtonLook(c.Hot, c.Pressed, c.L);
    EXPECT_EQ(got.Source, c.Source);
    EXPECT_EQ(got.ArrowColor, c.Color);
    EXPECT_EQ(got.Shifted, c.Shift);
  }
}

TEST(UpDownRange, RefusesOutsideAndBoundsDragThePosition) {
  TvnUpDownRange r;
  EXPECT_TRUE(r.SetPosition(100));   // exactly Max
  EXPECT_FALSE(r.SetPosition(101));
  EXPECT_FALSE(r.SetPosition(-1));
  EXPECT_EQ(r.Position(), 100);
  r.SetMax(60);
  EXPECT_EQ(r.Position(), 60);
  r.SetMin(60);                      // on the position: stays
  EXPECT_EQ(r.Position(), 60);
  r.SetMax(80);
  r.SetMin(70);
  EXPECT_EQ(r.Position(), 70);
}

TEST(UpDownButtons, PressMoveReleaseAndRepeat) {
  TvnUpDownButtons b;
  b.Rects = {Rect(19, 3, 30, 14), Rect(0, 3, 11, 14)};
  TvnUpDownEffects fx;
  b.ButtonDown({25, 8}, true, fx);
  EXPECT_EQ(fx.StartTimer, 500);
  EXPECT_EQ(b.Captured, 0);
  fx = {};
  b.HoverUpdate({5, 8}, true, fx);  // over decrease while increase is held: nothing hot
  EXPECT_TRUE(fx.StopTimer);
  EXPECT_EQ(b.HotButton, -1);
  fx = {};
  b.ButtonUp(true, fx);
  EXPECT_EQ(fx.Click, -1);
  EXPECT_EQ(fx.Step, 0);

  // Held: the first tick only sets the pace, each later one steps; the release steps once more.
  fx = {};
  b.ButtonDown({5, 8}, true, fx);
  int steps = 0;
  for (int tick = 0; tick < 6; ++tick) {
    fx = {};
    b.Tick(fx);
    steps += fx.Step;
    if (tick == 0) {
      EXPECT_EQ(fx.StartTimer, 100);
    }
  }
  EXPECT_EQ(steps, -5);
  fx = {};
  b.ButtonUp(true, fx);
  EXPECT_EQ(fx.Click, 1);
  EXPECT_EQ(fx.Step, -1);
  EXPECT_TRUE(fx.StopTimer);

  fx = {};  // Increment 0: the click still counts, no timer, no step
  b.ButtonDown({25, 8}, false, fx);
  EXPECT_EQ(fx.StartTimer, 0);
  b.ButtonUp(false, fx);
  EXPECT_EQ(fx.Click, 0);
  EXPECT_EQ(fx.Step, 0);
}

}  // namespace
