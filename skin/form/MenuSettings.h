#pragma once
// The settings a skinned frame hands on to the engine that shows its popup menus: how many items
// a menu window shows before it scrolls, the plain look's item height and font, whether the skin's
// item font is used, and the menus' translucency. The frame only keeps them; the engine reads them
// when it is attached.
#include "framework/Graphics.h"

#include <algorithm>

struct TvnMenuSettings {
  // Values that make no sense are ignored, so a description with a stray number keeps the last
  // good one instead of a menu with no rows or rows of no height.
  void SetMaxMenuItemsInWindow(int value) {
    if (value >= 0) MaxMenuItemsInWindow = value;
  }
  void SetDefMenuItemHeight(int value) {
    if (value > 0) DefMenuItemHeight = value;
  }
  // An opacity is a byte: values beyond it are held at its ends.
  void SetMenusAlphaBlendValue(int value) { MenusAlphaBlendValue = std::clamp(value, 0, 255); }

  int MaxMenuItemsInWindow = 0;  // 0: no limit
  int DefMenuItemHeight = 20;
  TFontDesc DefMenuItemFont = DefaultMenuItemFont();
  bool UseSkinFontInMenu = true;
  bool MenusAlphaBlend = false;
  bool MenusAlphaBlendAnimation = false;
  int MenusAlphaBlendValue = 200;

  friend bool operator==(const TvnMenuSettings&, const TvnMenuSettings&) = default;

  // The plain look's item font until the application gives its own.
  static TFontDesc DefaultMenuItemFont() {
    TFontDesc f;
    f.Name = "Arial";
    f.Height = 14;
    f.Color = clWindowText;
    return f;
  }
};
