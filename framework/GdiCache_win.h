#pragma once
// Fonts and brushes shared by every control: one handle per distinct font description or
// colour, kept until the program ends, so controls never create, leak or double-free them.
#include "framework/Graphics.h"

#include <windows.h>

#include <string_view>

// The RGB value of a colour (a system colour is looked up now).
COLORREF ColorToRGB(TColor color);

// Borrowed handles, owned by the cache.
HFONT CachedFont(const TFontDesc& font);
HBRUSH CachedBrush(TColor color);

// A LOGFONT for a face, height, style (TFontStyles bits) and character set.
LOGFONTW MakeLogFont(std::u16string_view face, int height, unsigned style, int charset);
// A LOGFONT for a font description (face converted from UTF-8).
LOGFONTW FontDescToLogFont(const TFontDesc& font);
