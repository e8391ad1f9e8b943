#pragma once
// Small portable helpers of the skinned windows: the messages that close popups, shortening a
// text to a width, rectangle helpers and the decisions behind the window capability tests.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "framework/Geometry.h"

// True for the window messages on which open popups and hints close: WM_MOVE, WM_SIZE,
// WM_ACTIVATE, WM_KILLFOCUS, WM_CANCELMODE, WM_MOUSEACTIVATE, the non-client and client
// button-down messages of the three buttons, and WM_PARENTNOTIFY.
bool ClosesPopups(std::uint32_t message);

// When the text is wider than width, characters are removed from its end one at a time until
// what remains followed by "..." fits; the text becomes that remainder plus "..." (just "..."
// when nothing fits). A text that fits is left as it is. A surrogate pair goes as one character.
using TvnTextMeasure = std::function<int(std::wstring_view)>;
void ShortenTextToWidth(const TvnTextMeasure& measure, std::wstring& text, int width);

// Rectangle helpers.
constexpr int RectWidth(const TRect& r) { return r.Right - r.Left; }
constexpr int RectHeight(const TRect& r) { return r.Bottom - r.Top; }
// A rectangle whose width or height is below 1.
constexpr bool IsNullRect(const TRect& r) { return RectWidth(r) < 1 || RectHeight(r) < 1; }
constexpr bool EqualRects(const TRect& a, const TRect& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}
constexpr TRect NullRect() { return {0, 0, 0, 0}; }
// Point in rectangle with all four sides inside (unlike the platform's own test, which leaves
// the right and bottom sides out).
constexpr bool PointInRect(TPoint p, const TRect& r) {
  return p.X >= r.Left && p.Y >= r.Top && p.X <= r.Right && p.Y <= r.Bottom;
}

// The platform version as the version call reports it: major in the low byte, minor in the next.
struct TvnSystemVersion {
  int Major = 0;
  int Minor = 0;
};
constexpr TvnSystemVersion DecodeSystemVersion(std::uint32_t value) {
  return {static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF)};
}
// Drop shadows under popup windows came with version 5.1; a system counts as offering them when
// it is at least that version and it knows the drop-shadow setting.
constexpr bool DropShadowsAvailable(TvnSystemVersion v, bool knowsDropShadowSetting) {
  return (v.Major > 5 || (v.Major == 5 && v.Minor >= 1)) && knowsDropShadowSetting;
}
