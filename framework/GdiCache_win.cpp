#include "framework/GdiCache_win.h"

#include "framework/CodePage.h"
#include "framework/Handle_win.h"

#include <map>
#include <tuple>

COLORREF ColorToRGB(TColor color) {
  if (IsSystemColor(color)) return ::GetSysColor(SystemColorIndex(color));
  return static_cast<COLORREF>(color) & 0xFFFFFF;
}

LOGFONTW MakeLogFont(std::u16string_view face, int height, unsigned style, int charset) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = (style & fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (style & fsItalic) ? TRUE : FALSE;
  lf.lfUnderline = (style & fsUnderline) ? TRUE : FALSE;
  lf.lfStrikeOut = (style & fsStrikeOut) ? TRUE : FALSE;
  lf.lfCharSet = static_cast<BYTE>(charset);
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  face = face.substr(0, LF_FACESIZE - 1);
  for (std::size_t i = 0; i < face.size(); ++i) lf.lfFaceName[i] = static_cast<wchar_t>(face[i]);
  return lf;
}

LOGFONTW FontDescToLogFont(const TFontDesc& font) {
  return MakeLogFont(Utf8ToUtf16(font.Name), font.Height, font.Style, font.Charset);
}

HFONT CachedFont(const TFontDesc& font) {
  // Colour is not part of a font handle: it is applied when text is drawn.
  using TKey = std::tuple<std::string, int, int, unsigned>;
  static std::map<TKey, TOwnedFont> cache;
  TKey key{font.Name, font.Charset, font.Height, font.Style};
  auto it = cache.find(key);
  if (it == cache.end()) {
    LOGFONTW lf = FontDescToLogFont(font);
    it = cache.emplace(key, TOwnedFont(::CreateFontIndirectW(&lf))).first;
  }
  return it->second.Get();
}

HBRUSH CachedBrush(TColor color) {
  // System colours have brushes of their own that must never be deleted.
  if (IsSystemColor(color)) return ::GetSysColorBrush(SystemColorIndex(color));
  static std::map<TColor, TOwnedBrush> cache;
  auto it = cache.find(color);
  if (it == cache.end()) it = cache.emplace(color, TOwnedBrush(::CreateSolidBrush(ColorToRGB(color)))).first;
  return it->second.Get();
}
