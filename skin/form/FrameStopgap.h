#pragma once
// TEMPORARY: the description value types until skin/data/vnSkinTypes.h lands on main.
// Same names and values as there; this file goes away when it does.
#include <cstdint>

using TvnFontStyles = std::uint8_t;
enum TvnAlignment : std::uint8_t { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };
enum TvnInActiveEffect : std::uint8_t {
  ieBrightness = 0, ieDarkness = 1, ieGrayscale = 2, ieNoise = 3, ieSplitBlur = 4, ieInvert = 5,
};
enum TvnMorphKind : std::uint8_t {
  mkDefault = 0, mkGradient = 1, mkLeftGradient = 2, mkRightGradient = 3, mkLeftSlide = 4,
  mkRightSlide = 5, mkPush = 6,
};
enum TvnSkinCommand : std::uint8_t {
  cmClose = 0, cmMaximize = 1, cmMinimize = 2, cmSysMenu = 3, cmDefault = 4, cmRollUp = 5,
  cmMinimizeToTray = 6,
};
