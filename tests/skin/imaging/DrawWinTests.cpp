#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "WinTestSupport.h"
#include "skin/imaging/vnEffects_win.h"
#include "skin/imaging/vnUtilsDraw_win.h"

namespace {

using TPixels = std::set<std::pair<int, int>>;
const COLORREF Ink = RGB(200, 10, 30);

// The pixels of a GDI line of one pixel that is horizontal, vertical or diagonal: from the start
// point up to, not including, the end point.
void Line(TPixels& p, int x0, int y0, int x1, int y1) {
  const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
  const int sx = (x1 > x0) - (x1 < x0), sy = (y1 > y0) - (y1 < y0);
  for (int i = 0; i < steps; ++i) p.insert({x0 + i * sx, y0 + i * sy});
}

// The outline of a rectangle drawn with a one-pixel pen: its outermost pixels.
void Outline(TPixels& p, int l, int t, int r, int b) {
  for (int x = l; x < r; ++x) p.insert({x, t}), p.insert({x, b - 1});
  for (int y = t; y < b; ++y) p.insert({l, y}), p.insert({r - 1, y});
}

TPixels Shifted(const TPixels& p, int dx, int dy) {
  TPixels q;
  for (auto [x, y] : p) q.insert({x + dx, y + dy});
  return q;
}

TPixels Drawn(const std::function<void(HDC, int, int, COLORREF)>& glyph, int x, int y) {
  TTestDib dib(40, 40);
  dib.Fill(RGB(255, 255, 255));
  glyph(dib.DC(), x, y, Ink);
  return dib.PixelsOf(Ink);
}

}  // namespace

TEST(Glyphs, LinesAndOutlinesPixelByPixel) {
  struct Case {
    const char* Name;
    std::function<void(HDC, int, int, COLORREF)> Draw;
    std::function<void(TPixels&)> Expected;
  } cases[] = {
      {"close", DrawCloseGlyph, [](TPixels& p) {
         Line(p, 1, 1, 9, 9), Line(p, 9, 1, 1, 9), Line(p, 2, 1, 10, 9), Line(p, 8, 1, 0, 9);
       }},
      {"maximize", DrawMaximizeGlyph, [](TPixels& p) { Outline(p, 0, 0, 11, 10), Outline(p, 0, 0, 11, 2); }},
      {"restore", DrawRestoreGlyph, [](TPixels& p) {
         Outline(p, 2, 0, 10, 6), Outline(p, 2, 0, 10, 2), Outline(p, 0, 4, 7, 10), Outline(p, 0, 4, 7, 6);
       }},
      {"minimize", DrawMinimizeGlyph, [](TPixels& p) { Line(p, 1, 8, 9, 8), Line(p, 1, 9, 9, 9); }},
      {"system menu", DrawSysMenuGlyph, [](TPixels& p) { Outline(p, 1, 3, 9, 6); }},
      {"roll up", DrawRollUpGlyph, [](TPixels& p) {
         for (int i = 0; i <= 4; ++i) Line(p, 1 + i, 6 - i, 9 - i, 6 - i);
       }},
      {"roll down", DrawRollDownGlyph, [](TPixels& p) {
         for (int i = 0; i <= 4; ++i) Line(p, 5 - i, 6 - i, 5 + i, 6 - i);
       }},
      {"tray", DrawTrayGlyph, [](TPixels& p) {
         for (int y = 2; y < 7; ++y)
           for (int x = 2; x < 7; ++x) p.insert({x, y});
       }},
      {"check", DrawCheckGlyph, [](TPixels& p) {
         for (int i = 0; i <= 2; ++i) Line(p, 0, 5 - i, 2, 7 - i), Line(p, 2, 7 - i, 7, 2 - i);
       }},
      {"submenu", DrawSubmenuGlyph, [](TPixels& p) {
         for (int i = 0; i <= 3; ++i) Line(p, i, i, i, 7 - i);
       }},
  };
  for (const Case& c : cases) {
    TPixels expected;
    c.Expected(expected);
    EXPECT_EQ(Drawn(c.Draw, 13, 17), Shifted(expected, 13, 17)) << c.Name;
  }
}

TEST(Glyphs, RadioIsAFilledDiscInItsBox) {
  const TPixels disc = Drawn(DrawRadioGlyph, 10, 10);
  for (auto [x, y] : disc) {
    EXPECT_GE(x, 10);
    EXPECT_LT(x, 16);
    EXPECT_GE(y, 10);
    EXPECT_LT(y, 16);
    EXPECT_EQ(disc.count({25 - x, y}), 1u) << "not symmetric at " << x << "," << y;
  }
  for (int y = 11; y <= 14; ++y)
    for (int x = 12; x <= 13; ++x) EXPECT_EQ(disc.count({x, y}), 1u) << x << "," << y;
  EXPECT_EQ(disc.count({10, 10}), 0u);
  EXPECT_EQ(disc.count({15, 15}), 0u);
}

TEST(DrawArrow, FourKindsAroundTheCentre) {
  const TRect box{3, 4, 13, 14};  // centre (8, 9)
  for (int kind = 0; kind <= 5; ++kind) {
    TPixels expected;
    const int cx = 8, cy = 9;
    for (int i = 0; i <= 3; ++i) {
      if (kind == 1) Line(expected, cx - 2 + i, cy - i, cx - 2 + i, cy + i + 1);
      if (kind == 2) Line(expected, cx + 2 - i, cy - i, cx + 2 - i, cy + i + 1);
      if (kind == 3) Line(expected, cx - i, cy - 2 + i, cx + i + 1, cy - 2 + i);
      if (kind == 4) Line(expected, cx - i, cy + 2 - i, cx + i + 1, cy + 2 - i);
    }
    EXPECT_EQ(Drawn([&](HDC dc, int, int, COLORREF c) { DrawArrow(dc, box, c, kind); }, 0, 0), expected)
        << "kind " << kind;
  }
  // Kind 3 in a 10 x 10 box at the origin: (5, 3) alone on row 3, 2..8 on row 6.
  const TPixels up = Drawn([](HDC dc, int, int, COLORREF c) { DrawArrow(dc, {0, 0, 10, 10}, c, 3); }, 0, 0);
  TPixels row3, row6;
  for (auto [x, y] : up) {
    if (y == 3) row3.insert({x, y});
    if (y == 6) row6.insert({x, y});
  }
  EXPECT_EQ(row3, (TPixels{{5, 3}}));
  EXPECT_EQ(row6, (TPixels{{2, 6}, {3, 6}, {4, 6}, {5, 6}, {6, 6}, {7, 6}, {8, 6}}));
}

TEST(Painting, PicturesReachTheDeviceContextAndComeBack) {
  TvnEffectBmp picture(7, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) picture.WritePixel(x, y, RGB(x * 30, y * 40, 77));
  TTestDib dib(20, 20);
  dib.Fill(RGB(1, 2, 3));
  PaintToDC(picture, dib.DC(), 4, 6);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) ASSERT_EQ(dib.Get(4 + x, 6 + y), RGB(x * 30, y * 40, 77)) << x << "," << y;
  EXPECT_EQ(dib.Get(3, 6), RGB(1, 2, 3));
  EXPECT_EQ(dib.Get(11, 6), RGB(1, 2, 3));

  // Back from a bitmap handle (the section has to leave its DC first).
  TTestDib source(7, 5);
  PaintToDC(picture, source.DC(), 0, 0);
  ::GdiFlush();
  HBITMAP copy = static_cast<HBITMAP>(::CopyImage(source.Handle(), IMAGE_BITMAP, 0, 0, 0));
  ASSERT_NE(copy, nullptr);
  const TvnEffectBmp back = EffectBmpFromBitmap(copy);
  ::DeleteObject(copy);
  EXPECT_EQ(back.Bitmap(), picture.Bitmap());
  EXPECT_EQ(EffectBmpFromBitmap(nullptr).Width(), 0);
}

TEST(ShortenTextToWidth, MeasuresInTheDeviceContextFont) {
  TTestDib dib(10, 10);
  HGDIOBJ old = ::SelectObject(dib.DC(), ::GetStockObject(DEFAULT_GUI_FONT));
  auto width = [&](const std::wstring& s) {
    SIZE size{};
    ::GetTextExtentPoint32W(dib.DC(), s.c_str(), static_cast<int>(s.size()), &size);
    return static_cast<int>(size.cx);
  };
  const std::wstring caption = L"Quillon skinned window caption";
  std::wstring text = caption;
  ShortenTextToWidth(dib.DC(), text, width(caption));
  EXPECT_EQ(text, caption);
  const int limit = width(L"Quillon ski...");
  ShortenTextToWidth(dib.DC(), text, limit);
  EXPECT_LE(width(text), limit);
  EXPECT_EQ(text.substr(text.size() - 3), L"...");
  EXPECT_EQ(caption.rfind(text.substr(0, text.size() - 3), 0), 0u);
  EXPECT_GE(text.size(), std::wstring(L"Quillon ski...").size());
  ::SelectObject(dib.DC(), old);
}
