#include "skins/quillon/tool/SkinTheme.h"

#include <algorithm>

const TSkinTheme& LightTheme() {
  static const TSkinTheme theme{"Quillon", "清爽的浅色边框，圆角标题栏，按钮带五帧动画。", 7, false};
  return theme;
}

const TSkinTheme& DarkTheme() {
  static const TSkinTheme theme{"Quillon Night", "深色边框，更圆的标题栏角，按钮带五帧动画。", 11, true};
  return theme;
}

TRgb DarkColour(TRgb c) {
  const int luma = (299 * c.R + 587 * c.G + 114 * c.B + 500) / 1000;
  const int mirrored = 24 + (255 - luma) * 206 / 255;
  auto channel = [&](int value) { return std::clamp(value - luma + mirrored, 0, 255); };
  return Rgb(channel(c.R), channel(c.G), channel(c.B));
}
