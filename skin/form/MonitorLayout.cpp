#include "skin/form/MonitorLayout.h"

#include <algorithm>
#include <cstdint>

namespace {

// Area shared by two rectangles, in pixels (0 when they do not overlap).
std::int64_t OverlapArea(const TRect& a, const TRect& b) {
  const std::int64_t w = std::min(a.Right, b.Right) - std::max(a.Left, b.Left);
  const std::int64_t h = std::min(a.Bottom, b.Bottom) - std::max(a.Top, b.Top);
  return w > 0 && h > 0 ? w * h : 0;
}

// Square of the gap between two rectangles that do not overlap (right and bottom exclusive:
// rectangles that touch are 0 apart).
std::int64_t GapSquared(const TRect& a, const TRect& b) {
  const std::int64_t dx = std::max({0, b.Left - a.Right, a.Left - b.Right});
  const std::int64_t dy = std::max({0, b.Top - a.Bottom, a.Top - b.Bottom});
  return dx * dx + dy * dy;
}

}  // namespace

std::size_t MonitorOfWindow(std::span<const TvnMonitorAreas> layout, const TRect& window) {
  const TRect r{window.Left, window.Top, std::max(window.Right, window.Left + 1),
                std::max(window.Bottom, window.Top + 1)};
  // Most overlap first; with none, least gap; then the primary; then the order of the list.
  auto better = [&](const TvnMonitorAreas& a, const TvnMonitorAreas& b) {
    const std::int64_t overlapA = OverlapArea(r, a.Monitor), overlapB = OverlapArea(r, b.Monitor);
    if (overlapA != overlapB) return overlapA > overlapB;
    if (overlapA == 0) {
      const std::int64_t gapA = GapSquared(r, a.Monitor), gapB = GapSquared(r, b.Monitor);
      if (gapA != gapB) return gapA < gapB;
    }
    return a.Primary && !b.Primary;
  };
  std::size_t best = 0;
  for (std::size_t i = 1; i < layout.size(); ++i)
    if (better(layout[i], layout[best])) best = i;
  return best;
}

TRect MaximizedBounds(const TvnMonitorAreas& monitor, bool fullScreen) {
  if (fullScreen) return monitor.Monitor;
  const TRect& work = monitor.WorkArea;
  if (work == monitor.Monitor) return Rect(work.Left + 1, work.Top + 1, work.Right - 1, work.Bottom - 1);
  return work;
}

TvnMaximizedPlacement MaximizedPlacement(const TvnMonitorAreas& monitor, bool fullScreen) {
  const TRect bounds = MaximizedBounds(monitor, fullScreen);
  return {{bounds.Left - monitor.Monitor.Left, bounds.Top - monitor.Monitor.Top},
          {bounds.Width(), bounds.Height()}};
}
