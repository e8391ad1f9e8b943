#include "skin/form/MDITabsGeometry.h"

#include <gtest/gtest.h>

namespace {

TEST(MdiTabs, TabsShareTheBarUpToTheirWidestAndTheLastFillsTheRest) {
  struct Case {
    int Count, BarWidth, TabWidth, LastRight;
  } cases[] = {
      {10, 500, 50, 500},   // shared out: the last one ends at the bar's edge
      {3, 500, 100, 300},   // the widest tab: the bar's end stays free
      {5, 500, 100, 500},   // exactly the widest tab each
      {3, 301, 100, 300},   // one pixel more than three widest tabs: still the widest
      {3, 299, 99, 299},    // one pixel less: narrower, the last takes the remainder (99 + 2)
      {1, 40, 40, 40},
  };
  for (const Case& c : cases) {
    const std::vector<TRect> tabs = LayoutMdiTabs(c.Count, c.BarWidth, 21, 100);
    ASSERT_EQ(static_cast<int>(tabs.size()), c.Count);
    EXPECT_EQ(tabs[0], (TRect{0, 0, c.TabWidth, 21})) << c.Count << " on " << c.BarWidth;
    EXPECT_EQ(tabs.back().Right, c.LastRight) << c.Count << " on " << c.BarWidth;
  }
  EXPECT_TRUE(LayoutMdiTabs(0, 500, 21, 100).empty());
}

TEST(MdiTabs, ADraggedTabStaysInsideTheBarAndDropsPastItsNeighboursMiddle) {
  // Three tabs of 100 on a 500-pixel bar: centres at 50, 150, 250.
  struct Case {
    int Drag, Offset, Left, Target;
  } cases[] = {
      {0, 49, 49, -1},    // right edge 149 is left of the next centre 150: no move
      {0, 51, 51, 1},     // right edge 151 passes it
      {0, 151, 151, 2},   // past both: the last passed
      {0, 400, 400, 2},   // pushed back inside the bar at 500 - 100
      {2, -49, 151, -1},  // left edge 151 is right of the centre 150: no move
      {2, -51, 149, 1},
      {2, -151, 49, 0},   // past both: the lowest passed
      {2, -400, 0, 0},    // kept at the bar's left edge
      {1, 0, 100, -1},    // a press without movement never drops
  };
  for (const Case& c : cases) {
    const std::vector<TRect> tabs = LayoutMdiTabs(3, 500, 21, 100, c.Drag, c.Offset);
    EXPECT_EQ(tabs[static_cast<std::size_t>(c.Drag)].Left, c.Left) << c.Drag << " by " << c.Offset;
    EXPECT_EQ(tabs[static_cast<std::size_t>(c.Drag)].Width(), 100);
    EXPECT_EQ(MdiTabDropTarget(tabs, c.Drag, c.Offset), c.Target) << c.Drag << " by " << c.Offset;
  }
  EXPECT_EQ(MdiTabDropTarget({}, 0, 10), -1);
  EXPECT_EQ(MdiTabDropMarkerX({100, 0, 200, 21}, 5), 200);  // dragged right: after the target
  EXPECT_EQ(MdiTabDropMarkerX({100, 0, 200, 21}, -5), 100);
}

}  // namespace
