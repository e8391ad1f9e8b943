#include "skin/imaging/vnEffects_win.h"

#include "skin/imaging/vnGdi_win.h"
#include "skin/imaging/vnUtilsCompose.h"
#include "skin/imaging/vnUtilsDraw_win.h"

TvnEffectBmp EffectBmpFromBitmap(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || ::GetObjectW(bitmap, sizeof info, &info) == 0 || info.bmWidth <= 0)
    return TvnEffectBmp(0, 0);
  const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  TvnEffectBmp picture(info.bmWidth, height);
  if (height == 0) return picture;
  BITMAPINFO request{};
  request.bmiHeader.biSize = sizeof request.bmiHeader;
  request.bmiHeader.biWidth = info.bmWidth;
  request.bmiHeader.biHeight = -height;  // top-down rows, as the picture keeps them
  request.bmiHeader.biPlanes = 1;
  request.bmiHeader.biBitCount = 24;
  request.bmiHeader.biCompression = BI_RGB;
  const TvnOwnedMemoryDC display =
      TvnCounted<TvnOwnedMemoryDC>(::CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
  ::GetDIBits(display.Get(), bitmap, 0, static_cast<UINT>(height), picture.View().Bits, &request,
              DIB_RGB_COLORS);
  return picture;
}

void PaintToDC(const TvnEffectBmp& picture, HDC dc, int x, int y) {
  PaintPixels(dc, x, y, ViewOf(picture.Bitmap()));
}
