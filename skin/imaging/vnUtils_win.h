#pragma once
// vnUtils, Win32 part: regions, glyphs and painting, window capabilities and monitors.
#include "skin/imaging/vnUtils.h"
#include "skin/imaging/vnUtilsDraw_win.h"
#include "skin/imaging/vnUtilsRegion_win.h"
#include "skin/imaging/vnUtilsSystem_win.h"
