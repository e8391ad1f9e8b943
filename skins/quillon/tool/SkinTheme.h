#pragma once
// The two looks the skin-drawing program makes from one set of drawings: Quillon's own light
// skin and a dark one. The dark skin is not a second set of drawings: every colour of every
// picture and every colour key of the description goes through one mapping that turns light
// into dark and keeps each colour's hue, and the window's top corners are rounder, so its shape
// (and so its window region) differs too.
#include "skins/quillon/tool/SkinArt.h"

#include <string>

struct TSkinTheme {
  std::string SkinName;     // "skinname" of the description
  std::string Comments;     // "skincomments" (Chinese, must fit GB2312)
  int WindowCornerRadius;   // rounding of the window's top corners, in pixels
  bool Dark;                // colours go through DarkColour
};

const TSkinTheme& LightTheme();
const TSkinTheme& DarkTheme();

// The dark counterpart of a colour: its brightness (0.299 R + 0.587 G + 0.114 B) mirrored into
// 24..230, its distance from grey kept, so white becomes a near-black, black a light grey and a
// blue stays blue. Integer arithmetic only, so drawing again gives the same bytes.
TRgb DarkColour(TRgb c);

// The colour as the theme draws it.
inline TRgb ThemeColour(const TSkinTheme& theme, TRgb c) { return theme.Dark ? DarkColour(c) : c; }
