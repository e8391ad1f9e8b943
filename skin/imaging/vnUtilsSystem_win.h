#pragma once
// Window capabilities and monitors. Availability is established from what the running system
// offers, not from a list of versions: layered windows when user32 exports
// SetLayeredWindowAttributes; drop shadows from version 5.1 on, when the system knows the
// drop-shadow setting. The optional user32 entry points are looked up once per process.
#include <windows.h>

#include "framework/Geometry.h"

// Callers add or remove WS_EX_LAYERED and set opacity only when this is true.
bool IsLayeredWindowSystem();
// Callers add CS_DROPSHADOW only when this is true.
bool IsDropShadowSystem();
// Sets the opacity (0..255) of a layered window; does nothing where layered windows are absent.
void SetLayeredAlpha(HWND window, BYTE alpha);

// More than one monitor, and the system can describe them.
bool HasSeveralMonitors();

enum class TvnMonitorArea { Whole, Work };
// The area of the monitor that holds the window (the nearest one): its work area or its whole
// area. With one monitor: the desktop work area, or (0, 0, screen width, screen height). When a
// monitor's information cannot be read, rect stays as it was.
void GetWindowMonitorArea(HWND window, TvnMonitorArea area, TRect& rect);
