#pragma once
// Colours and font descriptions as the window description and the components hold them,
// without the platform: the Win32 half turns them into brushes and fonts.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A colour: a plain 0x00BBGGRR value, or a system colour (clSystemColor | index, the index
// being the platform's COLOR_* number), resolved when something is painted.
using TColor = std::int32_t;

constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000);
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clBtnHighlight = clSystemColor | 20;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;

constexpr bool IsSystemColor(TColor c) { return (c & clSystemColor) == clSystemColor; }
constexpr int SystemColorIndex(TColor c) { return c & 0xFF; }

// The colour named by an identifier of a window description ("clBtnFace", "clWhite", ...).
std::optional<TColor> ColorFromIdentifier(std::string_view name);

// Character sets by their platform numbers.
constexpr int DEFAULT_CHARSET_VALUE = 1;
constexpr int ANSI_CHARSET_VALUE = 0;
constexpr int GB2312_CHARSET_VALUE = 134;
std::optional<int> CharsetFromIdentifier(std::string_view name);

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;
std::optional<TFontStyles> FontStyleFromIdentifier(std::string_view name);

// A font by face, character set and height. A negative height is the character height in
// pixels; a positive one is the cell height (as the platform reads it).
struct TFontDesc {
  std::string Name = "MS Sans Serif";  // UTF-8
  int Charset = DEFAULT_CHARSET_VALUE;
  int Height = -11;
  TColor Color = clWindowText;
  TFontStyles Style = 0;
  friend bool operator==(const TFontDesc&, const TFontDesc&) = default;
};
