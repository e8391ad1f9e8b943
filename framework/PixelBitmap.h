#pragma once
// The one pixel format of the project: 24-bit blue-green-red, top-down rows, each row padded
// to a multiple of 4 bytes. TPixelView is a borrowed window onto such memory (a bitmap of ours
// or a DIB section on Windows); TPixelBitmap owns its memory.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

// An allocator that leaves new bytes as they are instead of zeroing them: a picture that is
// about to be overwritten in full (a decoded BMP) should not be written twice.
template <typename T>
struct TDefaultInitAllocator : std::allocator<T> {
  template <typename U>
  struct rebind {
    using other = TDefaultInitAllocator<U>;
  };
  using std::allocator<T>::allocator;
  template <typename U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

using TPixelBytes = std::vector<std::uint8_t, TDefaultInitAllocator<std::uint8_t>>;
// Any bytes that are written in full right after the buffer is sized (an inflated block).
using TByteBuffer = TPixelBytes;

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
  // The same size rules, but the content is left undefined, padding included: for a writer
  // that fills every byte of every row itself right after (the BMP decoder).
  void SetSizeForOverwrite(int width, int height);
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

  const TPixelBytes& Bytes() const { return FBits; }
  friend bool operator==(const TPixelBitmap&, const TPixelBitmap&) = default;

private:
  int FWidth = 0;
  int FHeight = 0;
  TPixelBytes FBits;
};

