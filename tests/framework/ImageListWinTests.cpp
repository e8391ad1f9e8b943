// Image list pictures drawn on a device context and made into icons, under Wine.
#include "framework/ImageList_win.h"

#include <gtest/gtest.h>

#include "tests/skin/imaging/WinTestSupport.h"  // the 24-bit test DIB

#include <memory>
#include <vector>

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);  // the transparent colour of the test pictures
constexpr COLORREF kBackground = RGB(10, 20, 30);

// A 4 x 3 picture: a magenta ring around two opaque pixels at (1,1) red and (2,1) black.
TPixelBitmap RingPicture() {
  TPixelBitmap p(4, 3);
  p.Fill(kMagenta);
  p.SetPixel(1, 1, RGB(255, 0, 0));
  p.SetPixel(2, 1, RGB(0, 0, 0));
  return p;
}

std::unique_ptr<TImageList> RingList(TColor transparent) {
  auto list = std::make_unique<TImageList>();
  list->SetSize(4, 3);
  list->Add(RingPicture(), transparent);
  return list;
}

TEST(ImageListWin, DrawLeavesTransparentPixelsAndDrawsTheOthersExactly) {
  // Disabled: black becomes mid grey, pure red its grey (30 % of 255 = 77) half way to white.
  struct Case { const char* Name; TColor Transparent; bool Enabled; int X, Y; COLORREF Red, Black, Ring; };
  const Case cases[] = {
      {"inside", kMagenta, true, 2, 1, RGB(255, 0, 0), RGB(0, 0, 0), kBackground},
      {"ending exactly on the right and bottom edge", kMagenta, true, 6, 5, RGB(255, 0, 0), RGB(0, 0, 0), kBackground},
      {"cut by the left and top edge", kMagenta, true, -1, -1, RGB(255, 0, 0), RGB(0, 0, 0), kBackground},
      {"no transparent colour", clNone, true, 2, 1, RGB(255, 0, 0), RGB(0, 0, 0), kMagenta},
      {"disabled", kMagenta, false, 2, 1, RGB(166, 166, 166), RGB(128, 128, 128), kBackground},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const auto list = RingList(c.Transparent);
    TTestDib dib(10, 8);
    dib.Fill(kBackground);
    DrawImageListImage(dib.DC(), *list, 0, c.X, c.Y, c.Enabled);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 10; ++x) {
        const bool inside = x >= c.X && x < c.X + 4 && y >= c.Y && y < c.Y + 3;
        COLORREF expected = inside ? c.Ring : kBackground;
        if (x == c.X + 1 && y == c.Y + 1) expected = c.Red;
        if (x == c.X + 2 && y == c.Y + 1) expected = c.Black;
        ASSERT_EQ(dib.Get(x, y), expected) << "pixel " << x << "," << y;
      }
  }
}

TEST(ImageListWin, BadIndexDrawsNothingAndMakesNoIcon) {
  const auto owned = RingList(kMagenta);
  const TImageList& list = *owned;
  for (int index : {-1, 1}) {
    SCOPED_TRACE(index);
    TTestDib dib(4, 3);
    dib.Fill(kBackground);
    DrawImageListImage(dib.DC(), list, index, 0, 0, true);
    EXPECT_TRUE(dib.PixelsOf(kBackground).size() == 12u);
    EXPECT_EQ(MakeImageListIcon(list, index), nullptr);
  }
}

// Reads a bitmap's pixels as 24-bit top-down rows (colour) or its bits as 1-bit rows (mask).
std::vector<std::uint8_t> ReadBits(HBITMAP bitmap, int width, int height, int bitCount) {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
  } info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = -height;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bitCount);
  info.header.biCompression = BI_RGB;
  const int stride = ((width * bitCount + 31) / 32) * 4;
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(stride) * height);
  HDC screen = ::GetDC(nullptr);
  const int rows = ::GetDIBits(screen, bitmap, 0, height, bits.data(),
                               reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  EXPECT_EQ(rows, height);
  return bits;
}

TEST(ImageListWin, IconHasTheListSizeThePicturePixelsAndAMaskFromTheTransparentColour) {
  // 20 pixels wide: the mask's rows need padding past one 16-bit word.
  TImageList list;
  list.SetSize(20, 3);
  TPixelBitmap picture(20, 3);
  picture.Fill(kMagenta);
  const std::vector<std::pair<int, int>> opaque = {{0, 0}, {19, 2}, {16, 1}, {7, 1}};
  for (auto [x, y] : opaque) picture.SetPixel(x, y, RGB(x * 10, y * 50, 200));
  list.Add(picture, kMagenta);

  HICON icon = MakeImageListIcon(list, 0);
  ASSERT_NE(icon, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(::GetIconInfo(icon, &info));
  BITMAP colourInfo{};
  ::GetObjectW(info.hbmColor, sizeof colourInfo, &colourInfo);
  EXPECT_EQ(colourInfo.bmWidth, 20);
  EXPECT_EQ(colourInfo.bmHeight, 3);

  const auto colour = ReadBits(info.hbmColor, 20, 3, 24);
  const auto mask = ReadBits(info.hbmMask, 20, 3, 1);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool isOpaque = picture.GetPixel(x, y) != kMagenta;
      const std::uint8_t* p = colour.data() + y * ((20 * 3 + 3) & ~3) + x * 3;
      const bool maskBit = (mask[static_cast<std::size_t>(y) * 4 + x / 8] >> (7 - x % 8)) & 1;
      EXPECT_EQ(maskBit, !isOpaque) << "mask at " << x << "," << y;
      const COLORREF expected = isOpaque ? picture.GetPixel(x, y) : RGB(0, 0, 0);
      EXPECT_EQ(RGB(p[2], p[1], p[0]), expected) << "colour at " << x << "," << y;
    }
  ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);

  // Drawn as the shell draws it: the background shows through the transparent pixels only.
  TTestDib dib(20, 3);
  dib.Fill(kBackground);
  ::DrawIconEx(dib.DC(), 0, 0, icon, 20, 3, 0, nullptr, DI_NORMAL);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool isOpaque = picture.GetPixel(x, y) != kMagenta;
      EXPECT_EQ(dib.Get(x, y), isOpaque ? picture.GetPixel(x, y) : kBackground) << "drawn at " << x << "," << y;
    }
  EXPECT_TRUE(::DestroyIcon(icon));
}

}  // namespace
