#pragma once
// Drawing surfaces of the skinned frame on Win32: a DIB section with a memory DC whose pixels
// the portable code writes directly and GDI draws text on, and the frame painter over it. Every
// GDI object here is counted (skin/imaging/vnGdi_win.h).
#include "skin/imaging/vnDibSurface_win.h"
#include "skin/imaging/vnGdi_win.h"

#include <windows.h>

#include "skin/form/PixelPainter.h"

// The painter's TextOut, not the platform's macro (the Win32 code calls TextOutW by name).
#ifdef TextOut
#undef TextOut
#endif

// What the Win32 painters add for the form: drawing an icon on their surface.
class TvnWinPainter {
public:
  virtual ~TvnWinPainter() = default;
  // Draws the icon at its natural size with its top-left at (x, y) in window coordinates.
  virtual void DrawIcon(HICON icon, int x, int y) = 0;
};

// The frame painter over a surface: pixels through the portable painter, text, glyphs and icons
// through GDI on the surface's DC.
class TvnDibPainter : public TvnPixelPainter, public TvnWinPainter {
public:
  TvnDibPainter(TvnDibSurface& surface, TPoint origin);
  ~TvnDibPainter() override;

  void DrawGlyph(TvnGlyph glyph, int x, int y, TColor colour) override;
  void SetFont(const TvnTextFont& font) override;
  void SetTextColor(TColor colour) override;
  TPoint TextExtent(std::u16string_view text) override;
  void TextOut(int x, int y, std::u16string_view text) override;
  std::unique_ptr<TvnFramePainter> PainterOn(TPixelBitmap& bitmap) override;
  void DrawIcon(HICON icon, int x, int y) override;

  static COLORREF Resolve(TColor colour);

protected:
  std::uint32_t ColourValue(TColor colour) const override { return Resolve(colour); }
  void BeforePixelWrite() override { ::GdiFlush(); }

private:
  TvnDibSurface& FSurface;  // not owned
  TvnOwnedFont FFont;
  TvnSelection FFontSelection;  // declared after the font: out of the DC before it is deleted
};

// A painter over a bitmap of ours: a temporary surface whose pixels go back to the bitmap when
// the painter is done. origin is where the bitmap's top-left lies in the caller's coordinates.
class TvnBitmapPainter : public TvnFramePainter, public TvnWinPainter {
public:
  explicit TvnBitmapPainter(TPixelBitmap& bitmap, TPoint origin = {0, 0});
  ~TvnBitmapPainter() override;

  void DrawPicture(const TPixelBitmap& p, const TRect& s, const TRect& t) override { FInner.DrawPicture(p, s, t); }
  void DrawBitmap(const TPixelBitmap& b, int x, int y) override { FInner.DrawBitmap(b, x, y); }
  void FillRect(const TRect& r, TColor c) override { FInner.FillRect(r, c); }
  void FrameRect(const TRect& r, TColor c) override { FInner.FrameRect(r, c); }
  void DrawGlyph(TvnGlyph g, int x, int y, TColor c) override { FInner.DrawGlyph(g, x, y, c); }
  void SetFont(const TvnTextFont& f) override { FInner.SetFont(f); }
  void SetTextColor(TColor c) override { FInner.SetTextColor(c); }
  TPoint TextExtent(std::u16string_view t) override { return FInner.TextExtent(t); }
  void TextOut(int x, int y, std::u16string_view t) override { FInner.TextOut(x, y, t); }
  std::unique_ptr<TvnFramePainter> PainterOn(TPixelBitmap& b) override { return FInner.PainterOn(b); }
  void DrawIcon(HICON icon, int x, int y) override { FInner.DrawIcon(icon, x, y); }

private:
  TPixelBitmap& FBitmap;  // not owned
  TvnDibSurface FSurface;
  TvnDibPainter FInner;
};
