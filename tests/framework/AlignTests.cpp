#include "framework/Align.h"

#include <gtest/gtest.h>

namespace {

TEST(Align, EdgesTakeTheirThicknessInOrderAndTheClientTakesWhatIsLeft) {
  const std::vector<TAlignedControl> controls = {
      {TAlign::alTop, true, {5, 5, 50, 22}},        // a bar 17 high
      {TAlign::alTop, true, {0, 0, 10, 21}},        // a second one under it
      {TAlign::alBottom, true, {0, 0, 10, 20}},
      {TAlign::alLeft, true, {0, 0, 30, 5}},
      {TAlign::alRight, false, {0, 0, 40, 5}},      // hidden: left alone, takes no room
      {TAlign::alClient, true, {0, 0, 1, 1}},
      {TAlign::alNone, true, {7, 8, 9, 10}},
  };
  const std::vector<TRect> b = AlignControlBounds(300, 200, controls);
  EXPECT_EQ(b[0], (TRect{0, 0, 300, 17}));
  EXPECT_EQ(b[1], (TRect{0, 17, 300, 38}));
  EXPECT_EQ(b[2], (TRect{0, 180, 300, 200}));
  EXPECT_EQ(b[3], (TRect{0, 38, 30, 180}));
  EXPECT_EQ(b[4], (TRect{0, 0, 40, 5}));
  EXPECT_EQ(b[5], (TRect{30, 38, 300, 180}));
  EXPECT_EQ(b[6], (TRect{7, 8, 9, 10}));
  // The free area is the client-aligned control's.
  std::vector<TAlignedControl> placed = controls;
  for (std::size_t i = 0; i < placed.size(); ++i) placed[i].Bounds = b[i];
  EXPECT_EQ(FreeClientArea(300, 200, placed), b[5]);
}

TEST(Align, BarsTallerThanTheWindowNeverCrossOrGoNegative) {
  const std::vector<TRect> b = AlignControlBounds(100, 30, {{TAlign::alTop, true, {0, 0, 1, 25}},
                                                            {TAlign::alBottom, true, {0, 0, 1, 25}},
                                                            {TAlign::alClient, true, {}}});
  EXPECT_EQ(b[0], (TRect{0, 0, 100, 25}));
  EXPECT_EQ(b[1], (TRect{0, 25, 100, 30}));  // only what is left
  EXPECT_EQ(b[2], (TRect{0, 25, 100, 25}));  // nothing left: empty, not inverted
  EXPECT_EQ(FreeClientArea(100, 30, {}), (TRect{0, 0, 100, 30}));
}

}  // namespace
