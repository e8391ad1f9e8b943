#pragma once
// The DPI windows are drawn at. The programs declare themselves aware of each monitor's DPI:
// a window starts at its monitor's DPI and hears WM_DPICHANGED when it moves to a monitor with
// another one. Descriptions are written for 96 DPI; forms scale what they read to their DPI.
#include <windows.h>

#include "framework/DpiScale.h"

// The DPI of the window's monitor as the platform gives it, or the system's DPI where the
// platform cannot tell a window's own (older systems; a null window).
int WindowDpi(HWND window);
// The system's DPI: what a new top-level window starts at.
int SystemDpi();
