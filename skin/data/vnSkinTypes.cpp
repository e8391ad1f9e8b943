#include "skin/data/vnSkinTypes.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 3> kAlignmentWords = {"taleftjustify", "tarightjustify",
                                                             "tacenter"};
constexpr std::array<std::string_view, 6> kEffectWords = {
    "iebrightness", "iedarkness", "iegrayscale", "ienoise", "iesplitblur", "ieinvert"};
constexpr std::array<std::string_view, 7> kMorphWords = {
    "mkdefault", "mkgradient", "mkleftgradient", "mkrightgradient",
    "mkleftslide", "mkrightslide", "mkpush"};
constexpr std::array<std::string_view, 7> kCommandWords = {
    "cmclose", "cmmaximize", "cmminimize", "cmsysmenu", "cmdefault", "cmrollup",
    "cmminimizetotray"};

template <typename T, std::size_t N>
std::string_view WordOf(const std::array<std::string_view, N>& words, T value) {
  std::size_t i = static_cast<std::size_t>(value);
  return i < N ? words[i] : std::string_view();
}

template <typename T, std::size_t N>
std::optional<T> FromWord(const std::array<std::string_view, N>& words, std::string_view word) {
  for (std::size_t i = 0; i < N; ++i) {
    if (words[i] == word) return static_cast<T>(i);
  }
  return std::nullopt;
}

}  // namespace

std::string_view AlignmentWord(TvnAlignment value) { return WordOf(kAlignmentWords, value); }
std::string_view InActiveEffectWord(TvnInActiveEffect value) { return WordOf(kEffectWords, value); }
std::string_view MorphKindWord(TvnMorphKind value) { return WordOf(kMorphWords, value); }
std::string_view CommandWord(TvnSkinCommand value) { return WordOf(kCommandWords, value); }

std::optional<TvnAlignment> AlignmentFromWord(std::string_view word) {
  return FromWord<TvnAlignment>(kAlignmentWords, word);
}
std::optional<TvnInActiveEffect> InActiveEffectFromWord(std::string_view word) {
  return FromWord<TvnInActiveEffect>(kEffectWords, word);
}
std::optional<TvnMorphKind> MorphKindFromWord(std::string_view word) {
  return FromWord<TvnMorphKind>(kMorphWords, word);
}
std::optional<TvnSkinCommand> CommandFromWord(std::string_view word) {
  return FromWord<TvnSkinCommand>(kCommandWords, word);
}
