#pragma once
// A 24-bit top-down DIB section selected into a memory DC, for drawing tests under Wine.
#include <windows.h>

#include <cstdint>
#include <set>
#include <utility>

class TTestDib {
public:
  TTestDib(int width, int height) : FWidth(width), FHeight(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    FSection = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    FBits = static_cast<std::uint8_t*>(bits);
    FDC = ::CreateCompatibleDC(nullptr);
    FOld = ::SelectObject(FDC, FSection);
  }
  ~TTestDib() {
    ::SelectObject(FDC, FOld);
    ::DeleteDC(FDC);
    ::DeleteObject(FSection);
  }
  TTestDib(const TTestDib&) = delete;
  TTestDib& operator=(const TTestDib&) = delete;

  HDC DC() const { return FDC; }
  HBITMAP Handle() const { return FSection; }
  int Stride() const { return (FWidth * 3 + 3) & ~3; }
  void Fill(COLORREF colour) {
    ::GdiFlush();
    for (int y = 0; y < FHeight; ++y)
      for (int x = 0; x < FWidth; ++x) Set(x, y, colour);
  }
  void Set(int x, int y, COLORREF colour) {
    std::uint8_t* p = FBits + y * Stride() + x * 3;
    p[0] = GetBValue(colour);
    p[1] = GetGValue(colour);
    p[2] = GetRValue(colour);
  }
  COLORREF Get(int x, int y) const {
    ::GdiFlush();
    const std::uint8_t* p = FBits + y * Stride() + x * 3;
    return RGB(p[2], p[1], p[0]);
  }
  // Every pixel of the colour.
  std::set<std::pair<int, int>> PixelsOf(COLORREF colour) const {
    std::set<std::pair<int, int>> pixels;
    for (int y = 0; y < FHeight; ++y)
      for (int x = 0; x < FWidth; ++x)
        if (Get(x, y) == colour) pixels.insert({x, y});
    return pixels;
  }

private:
  int FWidth, FHeight;
  std::uint8_t* FBits = nullptr;
  HBITMAP FSection = nullptr;
  HDC FDC = nullptr;
  HGDIOBJ FOld = nullptr;
};
