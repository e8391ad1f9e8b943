// The translucency rules: the target opacity and the fade-in values.
#include "skin/form/AlphaFade.h"

#include <gtest/gtest.h>

namespace {

TEST(AlphaFade, TargetIsOpaqueForAFadeAloneElseTheValue) {
  struct TCase {
    bool Blend, Animation;
    int Value, Target;
  } cases[] = {
      {false, true, 200, 255}, {true, true, 200, 200}, {true, false, 120, 120},
      {false, false, 90, 90},  {true, false, 300, 255}, {true, false, -4, 0},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(FadeTarget(c.Blend, c.Animation, c.Value), c.Target) << c.Blend << c.Animation << c.Value;
}

TEST(AlphaFade, StepsOfFiveEndingExactlyAtTheTarget) {
  const std::vector<int> opaque = FadeSteps(255);
  ASSERT_EQ(opaque.size(), 51u);
  EXPECT_EQ(opaque.front(), 5);
  EXPECT_EQ(opaque[49], 250);
  EXPECT_EQ(opaque.back(), 255);
  const std::vector<int> odd = FadeSteps(203);
  ASSERT_EQ(odd.size(), 41u);
  EXPECT_EQ(odd[39], 200);
  EXPECT_EQ(odd.back(), 203);
  for (std::size_t i = 1; i < odd.size(); ++i) EXPECT_LE(odd[i] - odd[i - 1], 5);
  EXPECT_EQ(FadeSteps(200).back(), 200);
  EXPECT_EQ(FadeSteps(200).size(), 40u);  // 200 itself once, not twice
  EXPECT_EQ(FadeSteps(3), std::vector<int>{3});
  EXPECT_EQ(FadeSteps(5), std::vector<int>{5});
  EXPECT_EQ(FadeSteps(0), std::vector<int>{0});
  EXPECT_EQ(FadeSteps(999).back(), 255);
}

TEST(AlphaFade, WithoutLayeredWindowsNothingFades) {
  // Worked out by hand from the show rule: a window fades in only where the platform has
  // layered windows, and there when translucency, the fade-in or both are asked for; a window
  // that asks for neither is shown as it is.
  struct TCase {
    bool Blend, Animation, Layered, Fades;
  } cases[] = {
      {false, false, false, false}, {true, false, false, false}, {false, true, false, false},
      {true, true, false, false},   {false, false, true, false}, {true, false, true, true},
      {false, true, true, true},    {true, true, true, true},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(FadesInOnShow(c.Blend, c.Animation, c.Layered), c.Fades) << c.Blend << c.Animation << c.Layered;
}

}  // namespace
