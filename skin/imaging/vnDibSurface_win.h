#pragma once
// The Win32 drawing surface the engine composes on: pixels the portable code writes directly and
// a device context that GDI draws text and glyphs on. Every GDI object here is counted
// (vnGdi_win.h).
#include <windows.h>

#include "framework/PixelBitmap.h"
#include "skin/imaging/vnGdi_win.h"

// A top-down 24-bit DIB section selected into its own memory DC. The pixels are the project's
// pixel format, so the portable code writes them directly; GDI draws text and glyphs on the DC.
class TvnDibSurface {
public:
  TvnDibSurface(int width, int height);
  TvnDibSurface(const TvnDibSurface&) = delete;
  TvnDibSurface& operator=(const TvnDibSurface&) = delete;

  HDC DC() const { return FView.IsEmpty() ? nullptr : FDC.Get(); }  // none when it could not be made
  // The pixels; call GdiFlush (done by the painter) before reading what GDI drew.
  TPixelView View() const { return FView; }
  int Width() const { return FView.Width; }
  int Height() const { return FView.Height; }
  bool IsEmpty() const { return FView.IsEmpty(); }
  // Copies a bitmap of ours in (same size, or the overlapping part).
  void Assign(const TPixelBitmap& bitmap);
  void CopyTo(TPixelBitmap& bitmap) const;
  // Paints the whole surface at (x, y) of dc.
  void BlitTo(HDC dc, int x, int y) const;

private:
  TvnOwnedMemoryDC FDC;
  TvnOwnedBitmap FBitmap;
  TvnSelection FSelected;  // the bitmap in the DC; goes out before either is deleted
  TPixelView FView;
};
