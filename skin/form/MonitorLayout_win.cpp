#include "skin/form/MonitorLayout_win.h"

#include "skin/imaging/vnUtilsSystem_win.h"

#include <vector>

namespace {

TRect FromRECT(const RECT& r) { return Rect(r.left, r.top, r.right, r.bottom); }

struct TDisplayLayout {
  std::vector<TvnMonitorAreas> Areas;
  std::vector<HMONITOR> Handles;  // the platform's handle of each monitor, in the same order
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (::GetMonitorInfoW(monitor, &info)) {
    auto& layout = *reinterpret_cast<TDisplayLayout*>(data);
    layout.Areas.push_back({FromRECT(info.rcWork), FromRECT(info.rcMonitor), (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    layout.Handles.push_back(monitor);
  }
  return TRUE;
}

TDisplayLayout DisplayLayout() {
  TDisplayLayout layout;
  ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&layout));
  if (layout.Areas.empty()) {
    // A system that cannot list its monitors has one: the screen, less the desktop's bars.
    TvnMonitorAreas one;
    one.Primary = true;
    GetWindowMonitorArea(nullptr, TvnMonitorArea::Whole, one.Monitor);
    one.WorkArea = one.Monitor;
    GetWindowMonitorArea(nullptr, TvnMonitorArea::Work, one.WorkArea);
    layout.Areas.push_back(one);
    layout.Handles.push_back(nullptr);
  }
  return layout;
}

}  // namespace

TvnMonitorAreas MonitorAreasAt(const TRect& rect) {
  const TDisplayLayout layout = DisplayLayout();
  return layout.Areas[MonitorOfWindow(layout.Areas, rect)];
}

TvnMonitorAreas WindowMonitorAreas(HWND window) {
  if (window && ::IsIconic(window)) {
    const TDisplayLayout layout = DisplayLayout();
    HMONITOR monitor = ::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    for (size_t i = 0; i < layout.Handles.size(); ++i)
      if (layout.Handles[i] == monitor) return layout.Areas[i];
  }
  RECT r{};
  // Without a window (or its rectangle) the point (0, 0): the primary monitor.
  if (window) ::GetWindowRect(window, &r);
  return MonitorAreasAt(FromRECT(r));
}
