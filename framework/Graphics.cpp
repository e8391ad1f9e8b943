#include "framework/Graphics.h"

#include <array>
#include <utility>

std::optional<TColor> ColorFromIdentifier(std::string_view name) {
  static constexpr std::array<std::pair<std::string_view, TColor>, 20> kColors{{
      {"clScrollBar", clScrollBar},         {"clBackground", clBackground},
      {"clActiveCaption", clActiveCaption}, {"clInactiveCaption", clInactiveCaption},
      {"clMenu", clMenu},                   {"clWindow", clWindow},
      {"clWindowFrame", clWindowFrame},     {"clMenuText", clMenuText},
      {"clWindowText", clWindowText},       {"clCaptionText", clCaptionText},
      {"clAppWorkSpace", clAppWorkSpace},
      {"clHighlight", clHighlight},         {"clHighlightText", clHighlightText},
      {"clBtnFace", clBtnFace},             {"clBtnShadow", clBtnShadow},
      {"clGrayText", clGrayText},           {"clBtnText", clBtnText},
      {"clBtnHighlight", clBtnHighlight},   {"clBlack", clBlack},
      {"clWhite", clWhite},
  }};
  for (const auto& [n, c] : kColors)
    if (n == name) return c;
  return std::nullopt;
}

std::optional<int> CharsetFromIdentifier(std::string_view name) {
  if (name == "ANSI_CHARSET") return ANSI_CHARSET_VALUE;
  if (name == "DEFAULT_CHARSET") return DEFAULT_CHARSET_VALUE;
  if (name == "GB2312_CHARSET") return GB2312_CHARSET_VALUE;
  return std::nullopt;
}

std::optional<TFontStyles> FontStyleFromIdentifier(std::string_view name) {
  if (name == "fsBold") return fsBold;
  if (name == "fsItalic") return fsItalic;
  if (name == "fsUnderline") return fsUnderline;
  if (name == "fsStrikeOut") return fsStrikeOut;
  return std::nullopt;
}
