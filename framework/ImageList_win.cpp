#include "framework/ImageList_win.h"

#include "framework/Handle_win.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// A 24-bit top-down DIB section whose pixel memory is in the project's format.
struct TDibSection {
  TOwnedBitmap Bitmap;
  TPixelView View;
};

TDibSection MakeDibSection(HDC reference, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows, as TPixelBitmap keeps them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  TDibSection dib;
  dib.Bitmap.Reset(::CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (dib.Bitmap) dib.View = {static_cast<std::uint8_t*>(bits), width, height, RowStride24(width)};
  return dib;
}

// The look of a disabled picture: the grey of each pixel (30 % red, 59 % green, 11 % blue, as
// the engine's grey effect weighs them) taken half way to white. The framework sits below the
// engine's imaging library, so it cannot call that effect and does the two steps here.
std::uint8_t DisabledGrey(const std::uint8_t* bgr) {
  const int grey = (11 * bgr[0] + 59 * bgr[1] + 30 * bgr[2] + 50) / 100;
  return static_cast<std::uint8_t>((grey + 255 + 1) / 2);
}

bool IsTransparent(const std::uint8_t* bgr, TColor transparent) {
  if (transparent == clNone) return false;
  const auto t = static_cast<std::uint32_t>(transparent);
  return bgr[2] == (t & 0xFF) && bgr[1] == ((t >> 8) & 0xFF) && bgr[0] == ((t >> 16) & 0xFF);
}

}  // namespace

void DrawImageListImage(HDC dc, const TImageList& list, int index, int x, int y, bool enabled) {
  if (!dc || !list.ValidIndex(index)) return;
  const TPixelBitmap& picture = list.Image(index);
  const TColor transparent = list.Transparent(index);
  const int w = picture.Width(), h = picture.Height();

  // The picture is laid over a copy of what the destination shows under it and the result is
  // copied back in one blit: transparent pixels keep the destination's own colour exactly, and
  // every other pixel lands exactly as it is in the list (no mask raster operations whose
  // result depends on the device's colour depth).
  TDibSection dib = MakeDibSection(dc, w, h);
  if (!dib.Bitmap) return;
  TOwnedMemoryDC memory(::CreateCompatibleDC(dc));
  if (!memory) return;
  TSelectObject select(memory.Get(), dib.Bitmap.Get());
  if (transparent != clNone) ::BitBlt(memory.Get(), 0, 0, w, h, dc, x, y, SRCCOPY);
  ::GdiFlush();  // the blit must have reached the DIB's memory before it is read
  for (int row = 0; row < h; ++row) {
    const std::uint8_t* src = picture.ScanLine(row);
    std::uint8_t* dst = dib.View.ScanLine(row);
    for (int col = 0; col < w; ++col, src += 3, dst += 3) {
      if (IsTransparent(src, transparent)) continue;
      if (enabled) {
        std::memcpy(dst, src, 3);
      } else {
        dst[0] = dst[1] = dst[2] = DisabledGrey(src);
      }
    }
  }
  ::BitBlt(dc, x, y, w, h, memory.Get(), 0, 0, SRCCOPY);
}

HICON MakeImageListIcon(const TImageList& list, int index) {
  if (!list.ValidIndex(index)) return nullptr;
  const TPixelBitmap& picture = list.Image(index);
  const TColor transparent = list.Transparent(index);
  const int w = picture.Width(), h = picture.Height();

  // The colour part: the picture with its transparent pixels black, so that the icon's XOR
  // step leaves the background under them as the AND mask left it.
  TWindowDC screen(nullptr);
  TDibSection colour = MakeDibSection(screen.Get(), w, h);
  if (!colour.Bitmap) return nullptr;
  // The AND mask: one bit a pixel, rows padded to 16 bits; a set bit keeps the background.
  const int maskStride = ((w + 15) / 16) * 2;
  std::vector<std::uint8_t> maskBits(static_cast<std::size_t>(maskStride) * h, 0);
  for (int row = 0; row < h; ++row) {
    const std::uint8_t* src = picture.ScanLine(row);
    std::uint8_t* dst = colour.View.ScanLine(row);
    for (int col = 0; col < w; ++col, src += 3, dst += 3) {
      if (IsTransparent(src, transparent)) {
        dst[0] = dst[1] = dst[2] = 0;
        maskBits[static_cast<std::size_t>(row) * maskStride + col / 8] |=
            static_cast<std::uint8_t>(0x80 >> (col % 8));
      } else {
        std::memcpy(dst, src, 3);
      }
    }
  }
  TOwnedBitmap mask(::CreateBitmap(w, h, 1, 1, maskBits.data()));
  if (!mask) return nullptr;

  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmMask = mask.Get();
  info.hbmColor = colour.Bitmap.Get();
  // The system copies both bitmaps into the icon; ours are deleted when this returns.
  return ::CreateIconIndirect(&info);
}
