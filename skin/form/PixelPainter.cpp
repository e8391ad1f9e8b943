#include "skin/form/PixelPainter.h"

#include "skin/form/ActiveSkinObjects.h"

#include <algorithm>

void FillPixels(const TPixelView& view, const TRect& rect, std::uint32_t colour) {
  if (view.IsEmpty()) return;
  const int left = std::max(0, rect.Left), right = std::min(view.Width, rect.Right);
  const int top = std::max(0, rect.Top), bottom = std::min(view.Height, rect.Bottom);
  if (left >= right || top >= bottom) return;
  const std::uint8_t b = static_cast<std::uint8_t>(colour >> 16);
  const std::uint8_t g = static_cast<std::uint8_t>(colour >> 8);
  const std::uint8_t r = static_cast<std::uint8_t>(colour);
  for (int y = top; y < bottom; ++y) {
    std::uint8_t* p = view.Pixel(left, y);
    for (int x = left; x < right; ++x, p += 3) {
      p[0] = b;
      p[1] = g;
      p[2] = r;
    }
  }
}

void TvnPixelPainter::DrawPicture(const TPixelBitmap& picture, const TRect& source,
                                  const TRect& target) {
  BeforePixelWrite();
  CopyPictureRect(picture, source, FView, Local(target));
}

void TvnPixelPainter::DrawBitmap(const TPixelBitmap& bitmap, int x, int y) {
  BeforePixelWrite();
  CopyPictureRect(bitmap, Rect(0, 0, bitmap.Width(), bitmap.Height()), FView,
                  Local(Bounds(x, y, bitmap.Width(), bitmap.Height())));
}

void TvnPixelPainter::FillRect(const TRect& rect, TColor colour) {
  BeforePixelWrite();
  FillPixels(FView, Local(rect), ColourValue(colour));
}

void TvnPixelPainter::FrameRect(const TRect& r, TColor colour) {
  if (r.IsEmpty()) return;
  FillRect(Rect(r.Left, r.Top, r.Right, r.Top + 1), colour);
  FillRect(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), colour);
  FillRect(Rect(r.Left, r.Top, r.Left + 1, r.Bottom), colour);
  FillRect(Rect(r.Right - 1, r.Top, r.Right, r.Bottom), colour);
}
