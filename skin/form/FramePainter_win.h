#pragma once
// Drawing surfaces of the skinned frame on Win32: GDI objects that count themselves (the
// platform under Wine reports no GDI counts, so leaks are found by our own count), a DIB
// section with a memory DC whose pixels the portable code writes directly and GDI draws text
// on, and the frame painter over it.
#include "framework/Handle_win.h"
#include "skin/form/FrameObjectHost.h"

#include <windows.h>

#include <atomic>

// Live GDI objects, device contexts and regions the frame has made and not yet released.
class TvnGdiCount {
public:
  static long Live() { return FLive.load(); }
  static void Made() { ++FLive; }
  static void Released() { --FLive; }

private:
  static inline std::atomic<long> FLive{0};
};

// Owning traits that keep the count. Wrap a handle right where it is made: TvnCounted(...).
template <class H>
struct TvnCountedGdiTraits {
  using THandle = H;
  static void Close(H h) {
    ::DeleteObject(h);
    TvnGdiCount::Released();
  }
};
struct TvnCountedMemoryDCTraits {
  using THandle = HDC;
  static void Close(HDC h) {
    ::DeleteDC(h);
    TvnGdiCount::Released();
  }
};
using TvnOwnedBitmap = TOwnedHandle<TvnCountedGdiTraits<HBITMAP>>;
using TvnOwnedFont = TOwnedHandle<TvnCountedGdiTraits<HFONT>>;
using TvnOwnedBrush = TOwnedHandle<TvnCountedGdiTraits<HBRUSH>>;
using TvnOwnedPen = TOwnedHandle<TvnCountedGdiTraits<HPEN>>;
using TvnOwnedRegion = TOwnedHandle<TvnCountedGdiTraits<HRGN>>;
using TvnOwnedMemoryDC = TOwnedHandle<TvnCountedMemoryDCTraits>;

// Takes ownership of a freshly made handle and counts it (a null handle is not counted).
template <class TOwned>
TOwned TvnCounted(typename TOwned::THandle handle) {
  if (handle) TvnGdiCount::Made();
  return TOwned(handle);
}

// Hands a region to a window: from this line on the window owns it and the count drops.
inline void GiveRegionToWindow(HWND window, TvnOwnedRegion region, bool redraw) {
  HRGN handle = region.Release();
  if (handle) TvnGdiCount::Released();
  ::SetWindowRgn(window, handle, redraw ? TRUE : FALSE);
}

// A window's DC for the scope (GetWindowDC / ReleaseDC), counted.
class TvnWindowDC {
public:
  explicit TvnWindowDC(HWND window) : FWindow(window), FDC(::GetWindowDC(window)) {
    if (FDC) TvnGdiCount::Made();
  }
  ~TvnWindowDC() {
    if (FDC) {
      ::ReleaseDC(FWindow, FDC);
      TvnGdiCount::Released();
    }
  }
  TvnWindowDC(const TvnWindowDC&) = delete;
  TvnWindowDC& operator=(const TvnWindowDC&) = delete;
  HDC Get() const { return FDC; }

private:
  HWND FWindow;  // borrowed
  HDC FDC;
};

// A top-down 24-bit DIB section selected into its own memory DC. The pixels are the project's
// pixel format, so the portable code writes them directly; GDI draws text and glyphs on the DC.
class TvnDibSurface {
public:
  TvnDibSurface(int width, int height);
  ~TvnDibSurface();
  TvnDibSurface(const TvnDibSurface&) = delete;
  TvnDibSurface& operator=(const TvnDibSurface&) = delete;

  HDC DC() const { return FDC.Get(); }
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
  HGDIOBJ FOldBitmap = nullptr;  // the DC's own bitmap, selected back before deletion
  TPixelView FView;
};

// The frame painter over a surface. Objects give window coordinates; origin is where the
// surface's top-left lies in them (a bottom strip starts at the client's bottom).
class TvnDibPainter : public TvnFramePainter {
public:
  TvnDibPainter(TvnDibSurface& surface, TPoint origin);
  ~TvnDibPainter() override;

  void DrawPicture(const TPixelBitmap& picture, const TRect& source, const TRect& target) override;
  void DrawBitmap(const TPixelBitmap& bitmap, int x, int y) override;
  void FillRect(const TRect& rect, TColor colour) override;
  void FrameRect(const TRect& rect, TColor colour) override;
  void DrawGlyph(TvnGlyph glyph, int x, int y, TColor colour) override;
  void SetFont(const TvnTextFont& font) override;
  void SetTextColor(TColor colour) override;
  TPoint TextExtent(std::u16string_view text) override;
  void TextOut(int x, int y, std::u16string_view text) override;
  std::unique_ptr<TvnFramePainter> PainterOn(TPixelBitmap& bitmap) override;

  static COLORREF Resolve(TColor colour);

private:
  TRect Local(const TRect& r) const { return r.Offset(-FOrigin.X, -FOrigin.Y); }

  TvnDibSurface& FSurface;  // not owned
  TPoint FOrigin;
  TvnOwnedFont FFont;
  HGDIOBJ FOldFont = nullptr;
};

// A painter over a bitmap of ours: a temporary surface whose pixels go back to the bitmap when
// the painter is done.
class TvnBitmapPainter : public TvnFramePainter {
public:
  explicit TvnBitmapPainter(TPixelBitmap& bitmap);
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

private:
  TPixelBitmap& FBitmap;  // not owned
  TvnDibSurface FSurface;
  TvnDibPainter FInner;
};
