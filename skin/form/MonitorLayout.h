#pragma once
// Which monitor a window is on, and where it goes when maximized there, worked out from a
// description of the monitors alone (each one's whole area and work area), so the rules hold on
// any layout: a taskbar on any edge, monitors left of or above the primary (negative
// coordinates), an auto-hidden taskbar on any monitor. The Win32 side describes the monitors.
#include "framework/Geometry.h"

#include <cstddef>
#include <span>

// One monitor in screen coordinates, where the primary monitor starts at (0, 0).
struct TvnMonitorAreas {
  TRect WorkArea;  // the whole area less the taskbar and other docked bars
  TRect Monitor;   // the whole area
  bool Primary = false;
};

// The monitor a window is on: the one its rectangle overlaps most, else (overlapping none) the
// nearest one. An even split goes to the primary monitor when it is one of the best, else to the
// first of them in the list. An empty rectangle counts as its top-left pixel. The layout holds at
// least one monitor.
std::size_t MonitorOfWindow(std::span<const TvnMonitorAreas> layout, const TRect& window);

// Where a maximized window goes on its monitor: the work area, or the whole monitor with
// fullScreen. When the work area is the whole monitor (the taskbar hides itself, or is
// elsewhere) the window stays one pixel inside every edge, so that a hidden taskbar on any edge
// can still be called up by the mouse.
TRect MaximizedBounds(const TvnMonitorAreas& monitor, bool fullScreen);

// The maximized bounds as the platform's size query takes them: the position relative to the
// top-left corner of the window's monitor (the platform adds that corner itself), and the size.
struct TvnMaximizedPlacement {
  TPoint Position;
  TPoint Size;
};
TvnMaximizedPlacement MaximizedPlacement(const TvnMonitorAreas& monitor, bool fullScreen);
