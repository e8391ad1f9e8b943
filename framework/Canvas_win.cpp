#include "framework/Canvas_win.h"

#include "framework/GdiCache_win.h"
#include "framework/Handle_win.h"

TCanvas::TCanvas(HDC dc) : FDC(dc) {}

TCanvas::~TCanvas() {
  if (FOldFont) ::SelectObject(FDC, FOldFont);
}

void TCanvas::SetFont(const TFontDesc& font) {
  HGDIOBJ old = ::SelectObject(FDC, CachedFont(font));
  if (!FOldFont) FOldFont = old;
  SetTextColor(font.Color);
}

void TCanvas::SetTextColor(TColor colour) { ::SetTextColor(FDC, ColorToRGB(colour)); }

void TCanvas::FillRect(const TRect& rect, TColor colour) {
  const RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  ::FillRect(FDC, &r, CachedBrush(colour));
}

void TCanvas::FrameRect(const TRect& rect, TColor colour) {
  const RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  ::FrameRect(FDC, &r, CachedBrush(colour));
}

void TCanvas::TextOut(int x, int y, std::u16string_view text) {
  const int mode = ::SetBkMode(FDC, TRANSPARENT);
  ::TextOutW(FDC, x, y, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()));
  ::SetBkMode(FDC, mode);
}

TPoint TCanvas::TextExtent(std::u16string_view text) const {
  SIZE size{};
  ::GetTextExtentPoint32W(FDC, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), &size);
  return {size.cx, size.cy};
}
