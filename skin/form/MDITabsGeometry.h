#pragma once
// The MDI tab bar's geometry, apart from windows: where each tab lies, where a dragged tab
// would drop, and where the drop marker goes.
#include "framework/Geometry.h"

#include <vector>

// The tabs of count children on a bar of barWidth x barHeight: each as wide as the bar shared
// out (never wider than defaultTabWidth), side by side from the left; when they are narrower
// than defaultTabWidth the last one reaches the bar's right edge. A tab being dragged
// (dragIndex, -1 for none) is shifted by dragOffset and kept inside the bar.
std::vector<TRect> LayoutMdiTabs(int count, int barWidth, int barHeight, int defaultTabWidth,
                                 int dragIndex = -1, int dragOffset = 0);

// Where the dragged tab drops: dragged right, the last of the tabs after it whose centre lies
// left of its right edge; dragged left, the lowest of the tabs before it whose centre lies
// right of its left edge; -1 for none (no tabs, no move, nothing passed).
int MdiTabDropTarget(const std::vector<TRect>& tabs, int dragIndex, int dragOffset);

// The x of the drop marker at target: its left edge when dragging left, else its right edge.
int MdiTabDropMarkerX(const TRect& target, int dragOffset);
