#pragma once
// The small value types a skin description holds besides numbers, rectangles and points:
// text alignment, inactive effect, morph kind and frame command, with the words
// that stand for them in a description.
#include <cstdint>
#include <optional>
#include <string_view>

#include "framework/Graphics.h"  // TFontStyles (fsBold, ...) and TColor

enum TvnAlignment : std::uint8_t {
  taLeftJustify = 0,
  taRightJustify = 1,
  taCenter = 2,
};

// How a frame picture is turned into its inactive look.
enum TvnInActiveEffect : std::uint8_t {
  ieBrightness = 0,
  ieDarkness = 1,
  ieGrayscale = 2,
  ieNoise = 3,
  ieSplitBlur = 4,
  ieInvert = 5,
};

// How an object changes between its normal and its active look.
enum TvnMorphKind : std::uint8_t {
  mkDefault = 0,
  mkGradient = 1,
  mkLeftGradient = 2,
  mkRightGradient = 3,
  mkLeftSlide = 4,
  mkRightSlide = 5,
  mkPush = 6,
};

// The window command a frame button issues.
enum TvnSkinCommand : std::uint8_t {
  cmClose = 0,
  cmMaximize = 1,
  cmMinimize = 2,
  cmSysMenu = 3,
  cmDefault = 4,
  cmRollUp = 5,
  cmMinimizeToTray = 6,
};

// Words as a description writes them. Parsing compares exactly (case-sensitive) and returns
// nothing for a word that is not in the list; the readers then apply their fallbacks.
std::string_view AlignmentWord(TvnAlignment value);
std::string_view InActiveEffectWord(TvnInActiveEffect value);
std::string_view MorphKindWord(TvnMorphKind value);
std::string_view CommandWord(TvnSkinCommand value);
std::optional<TvnAlignment> AlignmentFromWord(std::string_view word);
std::optional<TvnInActiveEffect> InActiveEffectFromWord(std::string_view word);
std::optional<TvnMorphKind> MorphKindFromWord(std::string_view word);
std::optional<TvnSkinCommand> CommandFromWord(std::string_view word);

// The words of the styles in the set, in the order fsbold, fsitalic, fsunderline, fsstrikeout.
inline constexpr std::string_view kFontStyleWords[4] = {"fsbold", "fsitalic", "fsunderline",
                                                        "fsstrikeout"};
