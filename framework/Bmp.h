#pragma once
// BMP files: decoding any common BMP into the project's 24-bit pixel bitmap, encoding a pixel
// bitmap as a BMP (24 bpp, or 1/4/8 bpp with a palette), and TBmpPicture, a decoded picture
// that keeps the bytes it came from so a skin can be written back byte for byte.
//
// The decoder never trusts a header: every size, offset and dimension is checked against the
// bytes at hand and against fixed limits before anything is allocated, and a failure is an
// EBmpError whose message says what is wrong and at which byte offset.
#include "framework/PixelBitmap.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

class EBmpError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Limits on what a BMP may claim. A skin picture is a few hundred pixels wide; these bounds
// only keep a damaged or hostile file from asking for gigabytes.
constexpr int BmpMaxDimension = 16384;
constexpr std::int64_t BmpMaxPixels = 16 * 1024 * 1024;
// The shortest BMP the decoder accepts: the 14-byte file header, the 12-byte core header and
// one row of one 24-bit pixel padded to 4 bytes. A reader of several pictures in a row knows
// from it how many the bytes at hand can hold at most.
constexpr std::size_t BmpMinFileLength = 30;

// What the headers of a BMP say about it.
struct TBmpInfo {
  std::size_t FileLength = 0;  // the total length from the file header
  std::size_t PixelOffset = 0; // where the pixel rows start, from the start of the file
  int HeaderSize = 0;          // size of the information header (12, 40, 52, 56, 108 or 124)
  int Width = 0;
  int Height = 0;              // always positive; TopDown tells the row order
  int BitCount = 0;
  std::uint32_t Compression = 0;
  bool TopDown = false;
  int PaletteSize = 0;         // colours in the colour table
};

// Reads and checks the headers of the BMP at the start of data (data may continue past the
// image). baseOffset is added to every offset in error messages, so a BMP inside a larger
// stream is reported where it really is.
TBmpInfo ReadBmpInfo(std::span<const std::uint8_t> data, std::size_t baseOffset = 0);

// Decodes the BMP at the start of data. Supported: 1, 4, 8, 16, 24 and 32 bits per pixel,
// uncompressed or with bit-field masks, bottom-up or top-down. Run-length compressed images
// are refused with an EBmpError.
TPixelBitmap DecodeBmp(std::span<const std::uint8_t> data, std::size_t baseOffset = 0,
                       TBmpInfo* info = nullptr);

// Encodes as a bottom-up, uncompressed BMP with a 40-byte information header. At 24 bits
// the palette is ignored; at 1, 4 or 8 bits the palette (colours 0x00BBGGRR, 1 to 2^bits
// entries) becomes the colour table, and each pixel takes the exact palette colour, or the
// nearest one when its colour is not in the palette.
std::vector<std::uint8_t> EncodeBmp(const TPixelBitmap& bitmap, int bitsPerPixel = 24,
                                    std::span<const std::uint32_t> palette = {});

// A picture as a skin keeps it: the decoded pixels (it is a TPixelBitmap) plus the BMP bytes
// it was read from. SaveToBytes gives back exactly those bytes while the pixels are unchanged;
// a picture made or changed in memory is written as a 24-bit BMP.
class TBmpPicture : public TPixelBitmap {
public:
  using TSharedBytes = std::shared_ptr<const TByteBuffer>;

  TBmpPicture() = default;

  // Reads the BMP at the start of data; the image is as long as its file header says. Returns
  // that length, so a caller reading a stream of pictures knows where the next field starts.
  std::size_t LoadFromBytes(std::span<const std::uint8_t> data, std::size_t baseOffset = 0);
  // The same for the BMP at byte at of a buffer that stays as it is (a stored skin's unpacked
  // container): the picture keeps a share of the buffer instead of a copy of its bytes, so the
  // pictures of a skin cost no second copy of what they were read from. at is also the offset
  // errors name.
  std::size_t LoadFromShared(TSharedBytes buffer, std::size_t at);
  // Reads a BMP file; the message of an error names the file.
  void LoadFromFile(const std::filesystem::path& path);

  std::vector<std::uint8_t> SaveToBytes() const;
  void SaveToFile(const std::filesystem::path& path) const;

  // Makes the picture empty (0 x 0, no bytes).
  void Clear();
  int BitCount() const { return FBitCount; }
  // The BMP as it was read; empty when made in memory.
  std::span<const std::uint8_t> FileSpan() const;
  std::vector<std::uint8_t> FileBytes() const { return {FileSpan().begin(), FileSpan().end()}; }

private:
  std::size_t Decode(std::span<const std::uint8_t> data, std::size_t baseOffset);

  TSharedBytes FSource;  // holds the BMP at FFileAt, FFileLength bytes; null when made in memory
  std::size_t FFileAt = 0;
  std::size_t FFileLength = 0;
  int FBitCount = 0;
};
