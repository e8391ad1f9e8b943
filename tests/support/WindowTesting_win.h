#pragma once
// Test support for real windows: running the message loop for a while, and what a window shows
// on the screen read back as a pixel bitmap.
#include "framework/Bmp.h"
#include "framework/PixelBitmap.h"

#include <fstream>
#include <string>
#include <vector>

#include <windows.h>

// Dispatches every message that arrives during ms milliseconds.
inline void Pump(int ms) {
  const DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
  while (static_cast<int>(end - ::GetTickCount()) > 0) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::Sleep(5);
  }
}

// The window's pixels as they are on the screen (non-client area included).
inline TPixelBitmap Capture(HWND window) {
  RECT r;
  ::GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = ::GetWindowDC(window);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP dib = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, dib);
  ::BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
  ::GdiFlush();
  TPixelBitmap image(w, h);
  const auto* px = static_cast<const std::uint32_t*>(bits);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint32_t rgb = px[y * w + x];  // 0x00RRGGBB in a 32-bit DIB
      image.SetPixel(x, y, ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
    }
  ::SelectObject(memory, old);
  ::DeleteObject(dib);
  ::DeleteDC(memory);
  ::ReleaseDC(window, screen);
  return image;
}

// A rectangle of the screen, as a picture.
inline TPixelBitmap ScreenShot(RECT r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  TPixelBitmap picture(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const COLORREF c = ::GetPixel(memory, x, y);  // 0x00BBGGRR
      picture.SetPixel(x, y, (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
    }
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return picture;
}

// A picture saved as a BMP file beside the tests, for a look.
inline void SaveShot(const TPixelBitmap& shot, const std::string& name) {
  const std::vector<std::uint8_t> bytes = EncodeBmp(shot);
  std::ofstream(std::string(QUILLON_BINARY_DIR) + "/" + name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
