#pragma once
// TCanvas: a drawing surface over a borrowed device context, for code outside the engine that
// draws into the engine's pictures (a menu item's OnDrawItem). It selects what it is asked to
// and puts the device context's previous font back when it goes.
#include <windows.h>

#include <string_view>

#include "framework/Geometry.h"
#include "framework/Graphics.h"

class TCanvas {
public:
  explicit TCanvas(HDC dc);  // dc is borrowed
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle() const { return FDC; }
  // Selects the font (kept in the framework's font cache) and its colour for the text calls.
  void SetFont(const TFontDesc& font);
  void SetTextColor(TColor colour);
  void FillRect(const TRect& rect, TColor colour);
  void FrameRect(const TRect& rect, TColor colour);
  // Text with a transparent background at (x, y).
  void TextOut(int x, int y, std::u16string_view text);
  TPoint TextExtent(std::u16string_view text) const;  // width, height

private:
  HDC FDC;                 // borrowed
  HGDIOBJ FOldFont = nullptr;  // borrowed: the device context's own, selected back at the end
};
