#pragma once
// Drawing helpers, Win32 part: the glyphs of caption buttons and menu items that a skin draws
// when it has no picture for them, a centred arrow, text shortening on a device context and
// painting a 24-bit picture onto one. Each glyph sits in a box of about 11 x 10 pixels from its
// origin and is drawn with a one-pixel pen of the colour (lines leave out their end point).
#include <windows.h>

#include <string>

#include "framework/Geometry.h"
#include "framework/PixelBitmap.h"

void DrawCloseGlyph(HDC dc, int x, int y, COLORREF colour);
void DrawMaximizeGlyph(HDC dc, int x, int y, COLORREF colour);
void DrawRestoreGlyph(HDC dc, int x, int y, COLORREF colour);
void DrawMinimizeGlyph(HDC dc, int x, int y, COLORREF colour);
void DrawSysMenuGlyph(HDC dc, int x, int y, COLORREF colour);
void DrawRollUpGlyph(HDC dc, int x, int y, COLORREF colour);
void DrawRollDownGlyph(HDC dc, int x, int y, COLORREF colour);
void DrawTrayGlyph(HDC dc, int x, int y, COLORREF colour);
void DrawCheckGlyph(HDC dc, int x, int y, COLORREF colour);
void DrawSubmenuGlyph(HDC dc, int x, int y, COLORREF colour);
void DrawRadioGlyph(HDC dc, int x, int y, COLORREF colour);

// A solid triangle of four lines (1, 3, 5 and 7 pixels) around the rectangle's centre:
// kind 1 points left, 2 right, 3 up, 4 down; other kinds draw nothing.
void DrawArrow(HDC dc, const TRect& rect, COLORREF colour, int kind);

// ShortenTextToWidth with the text measured in the device context's current font.
void ShortenTextToWidth(HDC dc, std::wstring& text, int width);

// Paints a 24-bit picture at (x, y) with one SetDIBitsToDevice.
void PaintPixels(HDC dc, int x, int y, const TPixelView& picture);
