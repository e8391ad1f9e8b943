#pragma once
// The pixel half of a frame painter: pictures, bitmaps and fills written straight into 24-bit
// pixel memory (a bitmap of ours or a DIB section's bits). Text, glyphs and system colours are
// the platform's: a subclass supplies them (the Win32 painter draws them with GDI on the same
// memory).
#include "skin/form/FrameObjectHost.h"

#include <cstdint>

class TvnPixelPainter : public TvnFramePainter {
public:
  // Objects give window coordinates; origin is where the view's top-left lies in them (a bottom
  // strip starts at the client's bottom).
  TvnPixelPainter(const TPixelView& view, TPoint origin) : FView(view), FOrigin(origin) {}

  void DrawPicture(const TPixelBitmap& picture, const TRect& source, const TRect& target) override;
  void DrawBitmap(const TPixelBitmap& bitmap, int x, int y) override;
  void FillRect(const TRect& rect, TColor colour) override;
  void FrameRect(const TRect& rect, TColor colour) override;

  const TPixelView& View() const { return FView; }
  TPoint Origin() const { return FOrigin; }

protected:
  // The platform colour value (0x00BBGGRR) of a colour, system colours included.
  virtual std::uint32_t ColourValue(TColor colour) const = 0;
  // Called before pixels are written, so drawing the platform still has queued lands first.
  virtual void BeforePixelWrite() {}
  TRect Local(const TRect& r) const { return r.Offset(-FOrigin.X, -FOrigin.Y); }

private:
  TPixelView FView;
  TPoint FOrigin;
};

// Fills rect of the view with a platform colour value; what lies outside the view is left out.
void FillPixels(const TPixelView& view, const TRect& rect, std::uint32_t colour);
