#include "skin/form/MonitorLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TvnMonitorAreas Primary(TRect work) { return {work, Rect(0, 0, 1280, 1024), true}; }
TvnMonitorAreas Secondary(TRect monitor, TRect work) { return {work, monitor, false}; }

// The primary monitor with a 40-pixel taskbar at the bottom, and monitors beside it: one to the
// right with nothing docked (its work area is the whole monitor), one to the left (negative x,
// lower and shorter than the primary) with a taskbar on its left edge, one above (negative y)
// with nothing docked.
const TvnMonitorAreas P = Primary(Rect(0, 0, 1280, 984));
const TvnMonitorAreas R = Secondary(Rect(1280, 0, 2560, 1024), Rect(1280, 0, 2560, 1024));
const TvnMonitorAreas L = Secondary(Rect(-1024, 100, 0, 868), Rect(-984, 100, 0, 868));
const TvnMonitorAreas A = Secondary(Rect(0, -768, 1024, 0), Rect(0, -768, 1024, 0));
const TvnMonitorAreas R2 = Secondary(Rect(2560, 0, 3840, 1024), Rect(2560, 0, 3840, 1024));

}  // namespace

TEST(MonitorLayout, AWindowMaximizesOnTheMonitorItIsOn) {
  const TRect window = Bounds(100, 100, 400, 300);  // well inside the primary
  struct Case {
    std::string name;
    std::vector<TvnMonitorAreas> layout;
    TRect window;
    bool fullScreen;
    size_t monitor;  // index in layout
    TRect bounds;
  } cases[] = {
      {"taskbar at the bottom", {P}, window, false, 0, Rect(0, 0, 1280, 984)},
      {"taskbar at the top", {Primary(Rect(0, 40, 1280, 1024))}, window, false, 0, Rect(0, 40, 1280, 1024)},
      {"taskbar on the left", {Primary(Rect(60, 0, 1280, 1024))}, window, false, 0, Rect(60, 0, 1280, 1024)},
      {"taskbar on the right", {Primary(Rect(0, 0, 1220, 1024))}, window, false, 0, Rect(0, 0, 1220, 1024)},
      {"a bar one pixel high is kept clear, no inset", {Primary(Rect(0, 0, 1280, 1023))}, window, false, 0,
       Rect(0, 0, 1280, 1023)},
      {"auto-hidden taskbar on the primary: one pixel inside", {Primary(Rect(0, 0, 1280, 1024))}, window, false,
       0, Rect(1, 1, 1279, 1023)},
      {"full screen on the primary covers the taskbar", {P}, window, true, 0, Rect(0, 0, 1280, 1024)},
      {"auto-hidden taskbar on a secondary: one pixel inside", {P, R}, Bounds(1500, 100, 400, 300), false, 1,
       Rect(1281, 1, 2559, 1023)},
      {"full screen on a secondary covers it all", {P, R}, Bounds(1500, 100, 400, 300), true, 1,
       Rect(1280, 0, 2560, 1024)},
      {"secondary to the left, taskbar on its left", {P, L}, Bounds(-900, 200, 400, 300), false, 1,
       Rect(-984, 100, 0, 868)},
      {"full screen on the left secondary", {P, L}, Bounds(-900, 200, 400, 300), true, 1, Rect(-1024, 100, 0, 868)},
      {"secondary above, auto-hidden taskbar", {A, P}, Bounds(10, -700, 300, 300), false, 0, Rect(1, -767, 1023, -1)},
      {"straddling: more on the primary", {P, R}, Bounds(1000, 100, 400, 300), false, 0, Rect(0, 0, 1280, 984)},
      {"straddling: more on the secondary", {P, R}, Bounds(1180, 100, 400, 300), false, 1, Rect(1281, 1, 2559, 1023)},
      {"straddling: exactly half each, the primary wins", {R, P}, Bounds(1080, 100, 400, 300), false, 1,
       Rect(0, 0, 1280, 984)},
      {"straddling: one pixel more on the secondary", {P, R}, Bounds(1081, 100, 400, 300), false, 1,
       Rect(1281, 1, 2559, 1023)},
      {"straddling two secondaries half each: the first listed", {P, R2, R}, Bounds(2360, 100, 400, 300), false, 1,
       Rect(2561, 1, 3839, 1023)},
      {"straddling the left secondary and the primary", {P, L}, Bounds(-300, 300, 400, 300), false, 1,
       Rect(-984, 100, 0, 868)},
      {"one row on the left secondary, the rest below it", {P, L}, Bounds(-600, 867, 300, 200), false, 1,
       Rect(-984, 100, 0, 868)},
      {"off every monitor: the nearest", {P, R}, Bounds(1500, 1100, 200, 100), false, 1, Rect(1281, 1, 2559, 1023)},
      {"off every monitor, equally near two: the primary", {R, P}, Bounds(1180, 1100, 200, 100), false, 1,
       Rect(0, 0, 1280, 984)},
      {"no size, on the primary's right edge: the monitor right of it", {P, R}, Bounds(1280, 500, 0, 0), false, 1,
       Rect(1281, 1, 2559, 1023)},
      {"no size, on the primary's last column", {P, R}, Bounds(1279, 500, 0, 0), false, 0, Rect(0, 0, 1280, 984)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const size_t at = MonitorOfWindow(c.layout, c.window);
    ASSERT_EQ(at, c.monitor);
    const TvnMonitorAreas& monitor = c.layout[at];
    EXPECT_EQ(MaximizedBounds(monitor, c.fullScreen), c.bounds);
    // The platform's size query gets the same bounds, placed from the monitor's corner.
    const TvnMaximizedPlacement placed = MaximizedPlacement(monitor, c.fullScreen);
    EXPECT_EQ(placed.Position, (TPoint{c.bounds.Left - monitor.Monitor.Left, c.bounds.Top - monitor.Monitor.Top}));
    EXPECT_EQ(placed.Size, (TPoint{c.bounds.Width(), c.bounds.Height()}));
  }
}
