#pragma once
// The monitors as the platform describes them at this moment, handed to the portable rules of
// MonitorLayout.h, so a window's monitor is chosen the same way everywhere.
#include <windows.h>

#include "skin/form/MonitorLayout.h"

// The monitor a window is on, by its rectangle. A window the platform has minimized is placed
// far off every monitor, so for it the platform is asked which monitor it will come back to.
TvnMonitorAreas WindowMonitorAreas(HWND window);
// The monitor a rectangle in screen coordinates is on.
TvnMonitorAreas MonitorAreasAt(const TRect& rect);
