#include "skin/form/FramePainter_win.h"

#include "framework/GdiCache_win.h"

#include "skin/form/ActiveSkinObjects.h"
#include "skin/imaging/vnUtilsDraw_win.h"

#include <algorithm>
#include <cstring>
#include <string>

// ---- TvnDibPainter --------------------------------------------------------------------------

TvnDibPainter::TvnDibPainter(TvnDibSurface& surface, TPoint origin)
    : TvnPixelPainter(surface.View(), origin), FSurface(surface) {
  if (HDC dc = FSurface.DC()) ::SetBkMode(dc, TRANSPARENT);
}

TvnDibPainter::~TvnDibPainter() = default;

COLORREF TvnDibPainter::Resolve(TColor colour) {
  if (IsSystemColor(colour)) return ::GetSysColor(SystemColorIndex(colour));
  return static_cast<COLORREF>(colour) & 0xFFFFFF;
}

void TvnDibPainter::DrawGlyph(TvnGlyph glyph, int x, int y, TColor colour) {
  HDC dc = FSurface.DC();
  if (!dc) return;
  x -= Origin().X;
  y -= Origin().Y;
  const COLORREF c = Resolve(colour);
  switch (glyph) {
    case TvnGlyph::Close: DrawCloseGlyph(dc, x, y, c); break;
    case TvnGlyph::Maximize: DrawMaximizeGlyph(dc, x, y, c); break;
    case TvnGlyph::Restore: DrawRestoreGlyph(dc, x, y, c); break;
    case TvnGlyph::Minimize: DrawMinimizeGlyph(dc, x, y, c); break;
    case TvnGlyph::SysMenu: DrawSysMenuGlyph(dc, x, y, c); break;
    case TvnGlyph::RollUp: DrawRollUpGlyph(dc, x, y, c); break;
    case TvnGlyph::RollDown: DrawRollDownGlyph(dc, x, y, c); break;
    case TvnGlyph::Tray: DrawTrayGlyph(dc, x, y, c); break;
  }
}

void TvnDibPainter::SetFont(const TvnTextFont& font) {
  HDC dc = FSurface.DC();
  if (!dc) return;
  const LOGFONTW lf = MakeLogFont(font.Name, font.Height, font.Style, font.Charset);
  TvnOwnedFont made = TvnCounted<TvnOwnedFont>(::CreateFontIndirectW(&lf));
  if (!made) return;
  FFontSelection.Select(dc, made.Get());
  FFont = std::move(made);  // the previous font of ours is out of the DC now: deleted here
  ::SetTextColor(dc, Resolve(font.Color));
}

void TvnDibPainter::SetTextColor(TColor colour) {
  if (HDC dc = FSurface.DC()) ::SetTextColor(dc, Resolve(colour));
}

TPoint TvnDibPainter::TextExtent(std::u16string_view text) {
  HDC dc = FSurface.DC();
  SIZE size{};
  if (dc) {
    ::GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()),
                            static_cast<int>(text.size()), &size);
  }
  return {size.cx, size.cy};
}

void TvnDibPainter::TextOut(int x, int y, std::u16string_view text) {
  HDC dc = FSurface.DC();
  if (!dc) return;
  ::SetBkMode(dc, TRANSPARENT);
  ::TextOutW(dc, x - Origin().X, y - Origin().Y, reinterpret_cast<const wchar_t*>(text.data()),
             static_cast<int>(text.size()));
}

std::unique_ptr<TvnFramePainter> TvnDibPainter::PainterOn(TPixelBitmap& bitmap) {
  return std::make_unique<TvnBitmapPainter>(bitmap);
}

void TvnDibPainter::DrawIcon(HICON icon, int x, int y) {
  HDC dc = FSurface.DC();
  if (!dc || !icon) return;
  ::DrawIconEx(dc, x - Origin().X, y - Origin().Y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

// ---- TvnBitmapPainter -----------------------------------------------------------------------

TvnBitmapPainter::TvnBitmapPainter(TPixelBitmap& bitmap, TPoint origin)
    : FBitmap(bitmap), FSurface(bitmap.Width(), bitmap.Height()), FInner(FSurface, origin) {
  FSurface.Assign(bitmap);
}

TvnBitmapPainter::~TvnBitmapPainter() { FSurface.CopyTo(FBitmap); }
