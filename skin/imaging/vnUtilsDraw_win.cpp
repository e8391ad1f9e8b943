#include "skin/imaging/vnUtilsDraw_win.h"

#include <initializer_list>

#include "skin/imaging/vnGdi_win.h"
#include "skin/imaging/vnUtilsHelpers.h"

namespace {

// Selects a solid one-pixel pen of the colour (and, when asked, a solid brush of it, else the
// clear brush) for the lifetime of the object; the previous objects go back before deletion.
class TGlyphPen {
public:
  enum class TFill { Clear, Solid };
  TGlyphPen(HDC dc, COLORREF colour, TFill fill)
      : FPen(TvnCounted<TvnOwnedPen>(::CreatePen(PS_SOLID, 1, colour))),
        FBrush(fill == TFill::Solid ? TvnCounted<TvnOwnedBrush>(::CreateSolidBrush(colour)) : TvnOwnedBrush()),
        FPenSelection(dc, FPen.Get()),
        FBrushSelection(dc, FBrush ? static_cast<HGDIOBJ>(FBrush.Get()) : ::GetStockObject(NULL_BRUSH)) {}

private:
  // Declared in this order so the selections end (the DC's own objects go back) before the
  // pen and brush are deleted.
  TvnOwnedPen FPen;
  TvnOwnedBrush FBrush;
  TvnSelection FPenSelection;
  TvnSelection FBrushSelection;
};

struct TSegment {
  int X0, Y0, X1, Y1;
};

void Lines(HDC dc, int x, int y, COLORREF colour, std::initializer_list<TSegment> segments) {
  TGlyphPen pen(dc, colour, TGlyphPen::TFill::Clear);
  for (const TSegment& s : segments) {
    ::MoveToEx(dc, x + s.X0, y + s.Y0, nullptr);
    ::LineTo(dc, x + s.X1, y + s.Y1);
  }
}

void Outlines(HDC dc, int x, int y, COLORREF colour, std::initializer_list<TSegment> rects) {
  TGlyphPen pen(dc, colour, TGlyphPen::TFill::Clear);
  for (const TSegment& r : rects) ::Rectangle(dc, x + r.X0, y + r.Y0, x + r.X1, y + r.Y1);
}

}  // namespace

void DrawCloseGlyph(HDC dc, int x, int y, COLORREF colour) {
  Lines(dc, x, y, colour, {{1, 1, 9, 9}, {9, 1, 1, 9}, {2, 1, 10, 9}, {8, 1, 0, 9}});
}

void DrawMaximizeGlyph(HDC dc, int x, int y, COLORREF colour) {
  Outlines(dc, x, y, colour, {{0, 0, 11, 10}, {0, 0, 11, 2}});
}

void DrawRestoreGlyph(HDC dc, int x, int y, COLORREF colour) {
  Outlines(dc, x, y, colour, {{2, 0, 10, 6}, {2, 0, 10, 2}, {0, 4, 7, 10}, {0, 4, 7, 6}});
}

void DrawMinimizeGlyph(HDC dc, int x, int y, COLORREF colour) {
  Lines(dc, x, y, colour, {{1, 8, 9, 8}, {1, 9, 9, 9}});
}

void DrawSysMenuGlyph(HDC dc, int x, int y, COLORREF colour) {
  Outlines(dc, x, y, colour, {{1, 3, 9, 6}});
}

void DrawRollUpGlyph(HDC dc, int x, int y, COLORREF colour) {
  TGlyphPen pen(dc, colour, TGlyphPen::TFill::Clear);
  for (int i = 0; i <= 4; ++i) {
    ::MoveToEx(dc, x + 1 + i, y + 6 - i, nullptr);
    ::LineTo(dc, x + 9 - i, y + 6 - i);
  }
}

void DrawRollDownGlyph(HDC dc, int x, int y, COLORREF colour) {
  TGlyphPen pen(dc, colour, TGlyphPen::TFill::Clear);
  for (int i = 0; i <= 4; ++i) {
    ::MoveToEx(dc, x + 5 - i, y + 6 - i, nullptr);
    ::LineTo(dc, x + 5 + i, y + 6 - i);
  }
}

void DrawTrayGlyph(HDC dc, int x, int y, COLORREF colour) {
  TGlyphPen pen(dc, colour, TGlyphPen::TFill::Solid);
  ::Rectangle(dc, x + 2, y + 2, x + 7, y + 7);
}

void DrawCheckGlyph(HDC dc, int x, int y, COLORREF colour) {
  TGlyphPen pen(dc, colour, TGlyphPen::TFill::Clear);
  for (int i = 0; i <= 2; ++i) {
    const POINT points[] = {{x, y + 5 - i}, {x + 2, y + 7 - i}, {x + 7, y + 2 - i}};
    ::Polyline(dc, points, 3);
  }
}

void DrawSubmenuGlyph(HDC dc, int x, int y, COLORREF colour) {
  TGlyphPen pen(dc, colour, TGlyphPen::TFill::Clear);
  for (int i = 0; i <= 3; ++i) {
    ::MoveToEx(dc, x + i, y + i, nullptr);
    ::LineTo(dc, x + i, y + 7 - i);
  }
}

void DrawRadioGlyph(HDC dc, int x, int y, COLORREF colour) {
  TGlyphPen pen(dc, colour, TGlyphPen::TFill::Solid);
  ::Ellipse(dc, x, y, x + 6, y + 6);
}

void DrawArrow(HDC dc, const TRect& rect, COLORREF colour, int kind) {
  if (kind < 1 || kind > 4) return;
  const int cx = rect.Left + rect.Width() / 2;
  const int cy = rect.Top + rect.Height() / 2;
  TGlyphPen pen(dc, colour, TGlyphPen::TFill::Clear);
  for (int i = 0; i <= 3; ++i) {
    switch (kind) {
      case 1:  // left: the tip at cx - 2
        ::MoveToEx(dc, cx - 2 + i, cy - i, nullptr);
        ::LineTo(dc, cx - 2 + i, cy + i + 1);
        break;
      case 2:  // right: the tip at cx + 2
        ::MoveToEx(dc, cx + 2 - i, cy - i, nullptr);
        ::LineTo(dc, cx + 2 - i, cy + i + 1);
        break;
      case 3:  // up: the tip at cy - 2
        ::MoveToEx(dc, cx - i, cy - 2 + i, nullptr);
        ::LineTo(dc, cx + i + 1, cy - 2 + i);
        break;
      default:  // down: the tip at cy + 2
        ::MoveToEx(dc, cx - i, cy + 2 - i, nullptr);
        ::LineTo(dc, cx + i + 1, cy + 2 - i);
        break;
    }
  }
}

void ShortenTextToWidth(HDC dc, std::wstring& text, int width) {
  ShortenTextToWidth(
      [dc](std::wstring_view s) {
        SIZE size{};
        ::GetTextExtentPoint32W(dc, s.data(), static_cast<int>(s.size()), &size);
        return static_cast<int>(size.cx);
      },
      text, width);
}

void PaintPixels(HDC dc, int x, int y, const TPixelView& picture) {
  if (picture.IsEmpty()) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.Width;
  info.bmiHeader.biHeight = -picture.Height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  ::SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(picture.Width), static_cast<DWORD>(picture.Height),
                      0, 0, 0, static_cast<UINT>(picture.Height), picture.Bits, &info, DIB_RGB_COLORS);
}
