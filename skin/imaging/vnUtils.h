#pragma once
// vnUtils: skin image composition, window regions from masks and the small helpers of the
// skinned windows (portable part). The Win32 part is in vnUtils_win.h.
#include "skin/imaging/vnUtilsCompose.h"
#include "skin/imaging/vnUtilsHelpers.h"
#include "skin/imaging/vnUtilsRegion.h"
