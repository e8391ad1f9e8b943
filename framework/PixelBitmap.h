#pragma once
// The one pixel format of the project: 24-bit blue-green-red, top-down rows, each row padded
// to a multiple of 4 bytes. TPixelView is a borrowed window onto such memory (a bitmap of ours
// or a DIB section on Windows); TPixelBitmap owns its memory.
#include <cstddef>
#include <cstdint>
#include <vector>

// Bytes in one row of a 24-bit picture of the given width: 3 x width rounded up to 4.
constexpr int RowStride24(int width) { return (width * 3 + 3) & ~3; }

struct TPixelView {
  std::uint8_t* Bits = nullptr;  // not owned
  int Width = 0;
  int Height = 0;
  int Stride = 0;  // bytes from one row to the next

  std::uint8_t* ScanLine(int y) const { return Bits + static_cast<std::ptrdiff_t>(y) * Stride; }
  std::uint8_t* Pixel(int x, int y) const { return ScanLine(y) + x * 3; }
  bool IsEmpty() const { return Width <= 0 || Height <= 0 || Bits == nullptr; }
};

class TPixelBitmap {
public:
  TPixelBitmap() = default;
  TPixelBitmap(int width, int height) { SetSize(width, height); }

  // Resizes to width x height; the content becomes black. Negative sizes count as 0.
  void SetSize(int width, int height);
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int Stride() const { return RowStride24(FWidth); }
  bool IsEmpty() const { return FWidth <= 0 || FHeight <= 0; }

  std::uint8_t* ScanLine(int y) { return FBits.data() + static_cast<std::size_t>(y) * Stride(); }
  const std::uint8_t* ScanLine(int y) const { return FBits.data() + static_cast<std::size_t>(y) * Stride(); }
  TPixelView View() { return {FBits.data(), FWidth, FHeight, Stride()}; }

  // The colour at (x, y) as a platform colour value 0x00BBGGRR.
  std::uint32_t GetPixel(int x, int y) const;
  void SetPixel(int x, int y, std::uint32_t colour);
  void Fill(std::uint32_t colour);

  const std::vector<std::uint8_t>& Bytes() const { return FBits; }
  friend bool operator==(const TPixelBitmap&, const TPixelBitmap&) = default;

private:
  int FWidth = 0;
  int FHeight = 0;
  std::vector<std::uint8_t> FBits;
};

