#pragma once
// TvnEffectBmp, Win32 part: made from a bitmap handle, painted onto a device context.
#include <windows.h>

#include "skin/imaging/vnEffects.h"

// A copy of the bitmap (any depth arrives as 24-bit), read with GetDIBits through a display
// device context. An invalid handle gives an empty picture.
TvnEffectBmp EffectBmpFromBitmap(HBITMAP bitmap);

// Paints the whole picture at (x, y) with one SetDIBitsToDevice.
void PaintToDC(const TvnEffectBmp& picture, HDC dc, int x, int y);
