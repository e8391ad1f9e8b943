#include "skin/form/MDITabsGeometry.h"

#include <algorithm>

std::vector<TRect> LayoutMdiTabs(int count, int barWidth, int barHeight, int defaultTabWidth,
                                 int dragIndex, int dragOffset) {
  std::vector<TRect> tabs;
  if (count <= 0) return tabs;
  tabs.reserve(static_cast<std::size_t>(count));
  const int w = std::min(barWidth / count, defaultTabWidth);
  for (int i = 0; i < count; ++i) tabs.push_back({i * w, 0, (i + 1) * w, barHeight});
  if (w < defaultTabWidth) tabs.back().Right = barWidth;
  if (dragIndex >= 0 && dragIndex < count) {
    TRect& t = tabs[static_cast<std::size_t>(dragIndex)];
    const int width = t.Width();
    t.Left += dragOffset;
    t.Left = std::max(0, std::min(t.Left, barWidth - width));
    t.Right = t.Left + width;
  }
  return tabs;
}

int MdiTabDropTarget(const std::vector<TRect>& tabs, int dragIndex, int dragOffset) {
  const int n = static_cast<int>(tabs.size());
  if (n == 0 || dragIndex < 0 || dragIndex >= n) return -1;
  const TRect& dragged = tabs[static_cast<std::size_t>(dragIndex)];
  auto centre = [&](int i) { return tabs[static_cast<std::size_t>(i)].Left + tabs[static_cast<std::size_t>(i)].Width() / 2; };
  int target = -1;
  if (dragOffset > 0) {
    for (int i = dragIndex + 1; i < n; ++i)
      if (centre(i) < dragged.Right) target = i;
  } else if (dragOffset < 0) {
    for (int i = dragIndex - 1; i >= 0; --i)
      if (centre(i) > dragged.Left) target = i;
  }
  return target;
}

int MdiTabDropMarkerX(const TRect& target, int dragOffset) { return dragOffset < 1 ? target.Left : target.Right; }
