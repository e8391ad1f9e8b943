#include "framework/Bmp.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#if defined(__x86_64__) && defined(__GNUC__) && !defined(_WIN32)
// Indexed rows 64 pixels at a time where the processor has AVX-512 with its byte permutes
// (found at run time; the Windows build, whose compilers do not keep the stack aligned for
// 64-byte values, and other processors take the plain loop).
#define BMP_PAINT_VBMI 1
#include <immintrin.h>
#endif

namespace {

constexpr std::uint32_t BiRgb = 0;
constexpr std::uint32_t BiRle8 = 1;
constexpr std::uint32_t BiRle4 = 2;
constexpr std::uint32_t BiBitFields = 3;
constexpr std::uint32_t BiAlphaBitFields = 6;
constexpr std::size_t FileHeaderSize = 14;

std::uint16_t U16(std::span<const std::uint8_t> d, std::size_t at) {
  return static_cast<std::uint16_t>(d[at] | (d[at + 1] << 8));
}
std::uint32_t U32(std::span<const std::uint8_t> d, std::size_t at) {
  return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (static_cast<std::uint32_t>(d[at + 3]) << 24);
}
std::int32_t I32(std::span<const std::uint8_t> d, std::size_t at) {
  return static_cast<std::int32_t>(U32(d, at));
}

[[noreturn]] void Fail(std::size_t offset, const std::string& what) {
  throw EBmpError("BMP at byte offset " + std::to_string(offset) + ": " + what);
}

// One channel of a bit-field pixel: where it sits and how wide it is, scaled to 0..255.
struct TChannel {
  std::uint32_t Mask = 0;
  int Shift = 0;
  int Bits = 0;

  explicit TChannel(std::uint32_t mask = 0) : Mask(mask) {
    if (mask == 0) return;
    Shift = std::countr_zero(mask);
    Bits = std::popcount(mask >> Shift);
  }
  std::uint8_t Extract(std::uint32_t pixel) const {
    if (Bits == 0) return 0;
    const std::uint32_t v = (pixel & Mask) >> Shift;
    if (Bits >= 8) return static_cast<std::uint8_t>(v >> (Bits - 8));
    const std::uint32_t max = (1u << Bits) - 1;
    return static_cast<std::uint8_t>((v * 255 + max / 2) / max);
  }
};

// The indexes of one source byte as they lie in memory, high bits first: eight 1-bit indexes,
// or two 4-bit ones.
constexpr std::array<std::uint64_t, 256> MakeBitIndexes() {
  std::array<std::uint64_t, 256> table{};
  for (unsigned b = 0; b < 256; ++b) {
    std::uint8_t bytes[8] = {};
    for (int k = 0; k < 8; ++k) bytes[k] = static_cast<std::uint8_t>((b >> (7 - k)) & 1);
    table[b] = std::bit_cast<std::uint64_t>(bytes);
  }
  return table;
}
constexpr std::array<std::uint16_t, 256> MakeNibbleIndexes() {
  std::array<std::uint16_t, 256> table{};
  for (unsigned b = 0; b < 256; ++b) {
    const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(b >> 4), static_cast<std::uint8_t>(b & 15)};
    table[b] = std::bit_cast<std::uint16_t>(bytes);
  }
  return table;
}
constexpr std::array<std::uint64_t, 256> kBitIndexes = MakeBitIndexes();
constexpr std::array<std::uint16_t, 256> kNibbleIndexes = MakeNibbleIndexes();

#if BMP_PAINT_VBMI
bool HaveBytePermutes() {
  static const bool have = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512bw") != 0 && __builtin_cpu_supports("avx512vbmi") != 0;
  }();
  return have;
}

// Where each of the 192 bytes of 64 blue-green-red pixels comes from, 64 output bytes at a time:
// byte k is channel k mod 3 of pixel k / 3. Blue and green come from one two-table permute
// (pixel, plus 64 for green); red is laid over them where Red is set.
struct TInterleave {
  std::array<std::array<std::uint8_t, 64>, 3> BlueGreen{}, Red{};
  std::array<std::uint64_t, 3> RedMask{};
};
constexpr TInterleave MakeInterleave() {
  TInterleave t;
  for (int j = 0; j < 3; ++j)
    for (int k = 0; k < 64; ++k) {
      const int g = 64 * j + k, pixel = g / 3, channel = g % 3;
      t.BlueGreen[j][k] = static_cast<std::uint8_t>(channel == 1 ? pixel + 64 : pixel);
      t.Red[j][k] = static_cast<std::uint8_t>(pixel);
      if (channel == 2) t.RedMask[j] |= std::uint64_t{1} << k;
    }
  return t;
}
constexpr TInterleave kInterleave = MakeInterleave();

// One channel of 64 pixels from its 256-entry table (four registers): indexes below 128 from
// the first two, the others from the last two.
__attribute__((target("avx512bw,avx512vbmi"))) inline __m512i LookUp(__m512i index, __mmask64 high, const __m512i* table) {
  return _mm512_mask_blend_epi8(high, _mm512_permutex2var_epi8(table[0], index, table[1]),
                                _mm512_permutex2var_epi8(table[2], index, table[3]));
}

// The colour table as three tables of one channel each, for LookUp.
using TChannelTables = std::array<std::array<std::uint8_t, 256>, 3>;

// Paints whole groups of 64 pixels of a row; returns how many pixels it painted.
__attribute__((target("avx512bw,avx512vbmi"))) int PaintIndexes64(const std::uint8_t* index, int count, std::uint8_t* dst,
                                                                 const TChannelTables& channels) {
  if (count < 64) return 0;
  __m512i table[3][4];
  for (std::size_t c = 0; c < 3; ++c)
    for (std::size_t q = 0; q < 4; ++q) table[c][q] = _mm512_loadu_si512(channels[c].data() + 64 * q);
  __m512i blueGreen[3], red[3];
  for (int j = 0; j < 3; ++j) {
    blueGreen[j] = _mm512_loadu_si512(kInterleave.BlueGreen[static_cast<std::size_t>(j)].data());
    red[j] = _mm512_loadu_si512(kInterleave.Red[static_cast<std::size_t>(j)].data());
  }
  int x = 0;
  for (; x + 64 <= count; x += 64, dst += 192) {
    const __m512i i = _mm512_loadu_si512(index + x);
    const __mmask64 high = _mm512_movepi8_mask(i);
    const __m512i b = LookUp(i, high, table[0]), g = LookUp(i, high, table[1]), r = LookUp(i, high, table[2]);
    for (int j = 0; j < 3; ++j)
      _mm512_storeu_si512(dst + 64 * j, _mm512_mask_permutexvar_epi8(_mm512_permutex2var_epi8(b, blueGreen[j], g),
                                                                     kInterleave.RedMask[static_cast<std::size_t>(j)],
                                                                     red[j], r));
  }
  return x;
}
#endif

void PutU16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  out[at] = static_cast<std::uint8_t>(v);
  out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void PutU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

TBmpInfo ReadBmpInfo(std::span<const std::uint8_t> data, std::size_t baseOffset) {
  TBmpInfo info;
  if (data.size() < FileHeaderSize + 4)
    Fail(baseOffset, "truncated header (" + std::to_string(data.size()) + " bytes remain)");
  if (data[0] != 'B' || data[1] != 'M') Fail(baseOffset, "no \"BM\" signature");
  const std::uint32_t fileLength = U32(data, 2);
  const std::uint32_t pixelOffset = U32(data, 10);
  const std::uint32_t headerSize = U32(data, 14);
  if (headerSize != 12 && headerSize != 40 && headerSize != 52 && headerSize != 56 &&
      headerSize != 108 && headerSize != 124)
    Fail(baseOffset + 14, "unsupported information header size " + std::to_string(headerSize));
  if (fileLength < FileHeaderSize + headerSize)
    Fail(baseOffset + 2, "file length " + std::to_string(fileLength) + " is shorter than its headers");
  if (fileLength > data.size())
    Fail(baseOffset + 2, "truncated: the image claims " + std::to_string(fileLength) +
                             " bytes but only " + std::to_string(data.size()) + " remain");
  info.FileLength = fileLength;
  info.HeaderSize = static_cast<int>(headerSize);

  std::int64_t width = 0, height = 0;
  std::uint32_t planes = 0, clrUsed = 0;
  if (headerSize == 12) {
    width = U16(data, 18);
    height = static_cast<std::int16_t>(U16(data, 20));
    planes = U16(data, 22);
    info.BitCount = U16(data, 24);
  } else {
    width = I32(data, 18);
    height = I32(data, 22);
    planes = U16(data, 26);
    info.BitCount = U16(data, 28);
    info.Compression = U32(data, 30);
    clrUsed = U32(data, 46);
  }
  if (planes != 1) Fail(baseOffset + (headerSize == 12 ? 22 : 26), "plane count " + std::to_string(planes) + " is not 1");
  info.TopDown = height < 0;
  if (height < 0) height = -height;
  if (width <= 0 || height <= 0 || width > BmpMaxDimension || height > BmpMaxDimension ||
      width * height > BmpMaxPixels)
    Fail(baseOffset + 18, "unacceptable dimensions " + std::to_string(width) + " x " +
                              std::to_string(height) + " (at most " +
                              std::to_string(BmpMaxDimension) + " per side and " +
                              std::to_string(BmpMaxPixels) + " pixels)");
  info.Width = static_cast<int>(width);
  info.Height = static_cast<int>(height);

  const int bpp = info.BitCount;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
    Fail(baseOffset + 28, "unsupported bit depth " + std::to_string(bpp));
  switch (info.Compression) {
    case BiRgb: break;
    case BiRle8:
    case BiRle4:
      Fail(baseOffset + 30, "run-length compressed images are not supported");
    case BiBitFields:
    case BiAlphaBitFields:
      if (bpp != 16 && bpp != 32)
        Fail(baseOffset + 30, "bit-field masks with " + std::to_string(bpp) + " bits per pixel");
      break;
    default:
      Fail(baseOffset + 30, "unsupported compression " + std::to_string(info.Compression));
  }
  if (info.Compression != BiRgb && headerSize == 40 && FileHeaderSize + 40 + 12 > pixelOffset)
    Fail(baseOffset + FileHeaderSize + 40, "truncated bit-field masks");

  if (bpp <= 8) {
    const std::uint32_t maxColours = 1u << bpp;
    if (clrUsed > maxColours)
      Fail(baseOffset + 46, "colour count " + std::to_string(clrUsed) + " exceeds " +
                                std::to_string(maxColours));
    info.PaletteSize = static_cast<int>(clrUsed ? clrUsed : maxColours);
    const std::size_t entry = headerSize == 12 ? 3 : 4;
    const std::size_t paletteEnd = FileHeaderSize + headerSize + entry * info.PaletteSize;
    if (paletteEnd > fileLength)
      Fail(baseOffset + FileHeaderSize + headerSize,
           "truncated colour table (" + std::to_string(info.PaletteSize) + " colours)");
  }

  const std::uint64_t stride = ((static_cast<std::uint64_t>(info.Width) * bpp + 31) / 32) * 4;
  const std::uint64_t pixelBytes = stride * info.Height;
  if (pixelOffset < FileHeaderSize + headerSize || pixelOffset > fileLength)
    Fail(baseOffset + 10, "pixel offset " + std::to_string(pixelOffset) +
                              " lies outside the image (" + std::to_string(fileLength) + " bytes)");
  if (pixelOffset + pixelBytes > fileLength)
    Fail(baseOffset + pixelOffset,
         "truncated pixel rows: " + std::to_string(pixelBytes) + " bytes needed, " +
             std::to_string(fileLength - pixelOffset) + " present");
  info.PixelOffset = pixelOffset;
  return info;
}

TPixelBitmap DecodeBmp(std::span<const std::uint8_t> data, std::size_t baseOffset, TBmpInfo* infoOut) {
  const TBmpInfo info = ReadBmpInfo(data, baseOffset);
  if (infoOut) *infoOut = info;
  const int bpp = info.BitCount;

  // Colour table as blue-green-red triples. An index past the table has no colour of its
  // own: its entry stays black.
  std::array<std::array<std::uint8_t, 3>, 256> palette{};
  // The same as little-endian words (blue, green, red, 0), so a pixel is one 4-byte store.
  std::array<std::uint32_t, 256> words{};
  if (bpp <= 8) {
    const std::size_t entry = info.HeaderSize == 12 ? 3 : 4;
    const std::size_t at = FileHeaderSize + info.HeaderSize;
    for (int i = 0; i < info.PaletteSize; ++i)
      for (int c = 0; c < 3; ++c) palette[i][c] = data[at + i * entry + c];
    for (std::size_t i = 0; i < words.size(); ++i)
      words[i] = palette[i][0] | (palette[i][1] << 8) | (static_cast<std::uint32_t>(palette[i][2]) << 16);
  }
  // Indexed rows: every index of a row first (1 and 4 bits unpacked), then the colours.
  std::vector<std::uint8_t> indexes(bpp < 8 ? static_cast<std::size_t>(info.Width) + 8 : 0);
#if BMP_PAINT_VBMI
  const bool wide = bpp <= 8 && info.Width >= 64 && HaveBytePermutes();
  TChannelTables channels{};
  if (wide)
    for (std::size_t i = 0; i < 256; ++i)
      for (std::size_t c = 0; c < 3; ++c) channels[c][i] = palette[i][c];
#endif
  auto paintIndexes = [&](const std::uint8_t* index, int count, std::uint8_t* dst) {
    const std::uint32_t* w = words.data();
    int x = 0;
#if BMP_PAINT_VBMI
    if (wide) {
      x = PaintIndexes64(index, count, dst, channels);
      dst += 3 * static_cast<std::ptrdiff_t>(x);
    }
#endif
    // Four pixels are twelve bytes: one 8-byte and one 4-byte store.
    for (; x + 4 <= count; x += 4, dst += 12) {
      const std::uint32_t c2 = w[index[x + 2]];
      const std::uint64_t first = w[index[x]] | (std::uint64_t{w[index[x + 1]]} << 24) | (std::uint64_t{c2} << 48);
      const std::uint32_t second = (c2 >> 16) | (w[index[x + 3]] << 8);
      std::memcpy(dst, &first, 8);
      std::memcpy(dst + 8, &second, 4);
    }
    // The rest: 4-byte stores overlap the next pixel, which is written right after; the last
    // pixel of the row takes 3 bytes so that nothing past the row is touched.
    for (; x + 1 < count; ++x, dst += 3) std::memcpy(dst, &w[index[x]], 4);
    if (x < count) std::memcpy(dst, &w[index[x]], 3);
  };

  // Channel masks: from the header (52 bytes and up), after a 40-byte header, or the defaults.
  TChannel red, green, blue;
  if (bpp == 16 || bpp == 32) {
    std::uint32_t r = bpp == 16 ? 0x7C00 : 0xFF0000, g = bpp == 16 ? 0x03E0 : 0x00FF00,
                  b = bpp == 16 ? 0x001F : 0x0000FF;
    if (info.Compression == BiBitFields || info.Compression == BiAlphaBitFields) {
      const std::size_t at = FileHeaderSize + 40;  // inside a larger header, or right after a 40-byte one
      r = U32(data, at);
      g = U32(data, at + 4);
      b = U32(data, at + 8);
    }
    red = TChannel(r);
    green = TChannel(g);
    blue = TChannel(b);
  }

  // Every byte of every row is written below, so the memory is not zeroed first.
  TPixelBitmap bitmap;
  bitmap.SetSizeForOverwrite(info.Width, info.Height);
  const std::size_t stride = ((static_cast<std::size_t>(info.Width) * bpp + 31) / 32) * 4;
  const int w = info.Width;
  const std::size_t padding = static_cast<std::size_t>(bitmap.Stride()) - 3 * static_cast<std::size_t>(w);
  // Each depth has its own row loop: a skin's pictures are decoded on every load.
  for (int row = 0; row < info.Height; ++row) {
    const std::uint8_t* src = data.data() + info.PixelOffset + stride * row;
    std::uint8_t* dst = bitmap.ScanLine(info.TopDown ? row : info.Height - 1 - row);
    // The row's padding is black, as in a bitmap made with SetSize, so equal pictures compare equal.
    std::fill_n(dst + 3 * static_cast<std::size_t>(w), padding, std::uint8_t{0});
    switch (bpp) {
      case 24:
        std::copy_n(src, 3 * static_cast<std::size_t>(w), dst);
        break;
      case 8:
        paintIndexes(src, w, dst);
        break;
      case 1:
      case 4: {
        // Whole source bytes, high bits first, each unpacked with one store from a table; the
        // last byte may hold indexes past the row (the buffer has room for them).
        std::uint8_t* index = indexes.data();
        const std::size_t bytes = (static_cast<std::size_t>(w) * bpp + 7) / 8;
        if (bpp == 1) {
          for (std::size_t b = 0; b < bytes; ++b) std::memcpy(index + 8 * b, &kBitIndexes[src[b]], 8);
        } else {
          for (std::size_t b = 0; b < bytes; ++b) std::memcpy(index + 2 * b, &kNibbleIndexes[src[b]], 2);
        }
        paintIndexes(index, w, dst);
        break;
      }
      default:  // 16 and 32 bits, through the channel masks
        for (int x = 0; x < w; ++x, dst += 3) {
          const std::uint8_t* p = src + static_cast<std::size_t>(x) * (bpp / 8);
          const std::uint32_t v = bpp == 16 ? (p[0] | (p[1] << 8))
                                            : (p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
          dst[0] = blue.Extract(v);
          dst[1] = green.Extract(v);
          dst[2] = red.Extract(v);
        }
        break;
    }
  }
  return bitmap;
}

std::vector<std::uint8_t> EncodeBmp(const TPixelBitmap& bitmap, int bitsPerPixel,
                                    std::span<const std::uint32_t> palette) {
  if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24)
    throw EBmpError("cannot write a BMP with " + std::to_string(bitsPerPixel) + " bits per pixel");
  if (bitmap.IsEmpty()) throw EBmpError("cannot write an empty picture as a BMP");
  const bool indexed = bitsPerPixel <= 8;
  if (indexed && (palette.empty() || palette.size() > (1u << bitsPerPixel)))
    throw EBmpError("a " + std::to_string(bitsPerPixel) + "-bit BMP needs 1 to " +
                    std::to_string(1u << bitsPerPixel) + " palette colours, not " +
                    std::to_string(palette.size()));

  const int w = bitmap.Width(), h = bitmap.Height();
  const std::size_t stride = ((static_cast<std::size_t>(w) * bitsPerPixel + 31) / 32) * 4;
  const std::size_t tableSize = indexed ? palette.size() * 4 : 0;
  const std::size_t offset = FileHeaderSize + 40 + tableSize;
  std::vector<std::uint8_t> out(offset + stride * h, 0);
  out[0] = 'B';
  out[1] = 'M';
  PutU32(out, 2, static_cast<std::uint32_t>(out.size()));
  PutU32(out, 10, static_cast<std::uint32_t>(offset));
  PutU32(out, 14, 40);
  PutU32(out, 18, static_cast<std::uint32_t>(w));
  PutU32(out, 22, static_cast<std::uint32_t>(h));
  PutU16(out, 26, 1);
  PutU16(out, 28, static_cast<std::uint32_t>(bitsPerPixel));
  PutU32(out, 34, static_cast<std::uint32_t>(stride * h));
  PutU32(out, 38, 3780);  // 96 dots per inch
  PutU32(out, 42, 3780);
  PutU32(out, 46, static_cast<std::uint32_t>(indexed ? palette.size() : 0));
  for (std::size_t i = 0; i < (indexed ? palette.size() : 0); ++i) {
    const std::uint32_t c = palette[i];
    out[54 + 4 * i] = static_cast<std::uint8_t>(c >> 16);
    out[54 + 4 * i + 1] = static_cast<std::uint8_t>(c >> 8);
    out[54 + 4 * i + 2] = static_cast<std::uint8_t>(c);
  }

  // The palette index for a colour: the exact entry, else the nearest by squared distance.
  auto indexOf = [&](std::uint32_t colour) {
    int best = 0;
    std::int64_t bestDistance = INT64_MAX;
    for (std::size_t i = 0; i < palette.size(); ++i) {
      const std::uint32_t p = palette[i];
      std::int64_t d = 0;
      for (int shift = 0; shift < 24; shift += 8) {
        const int delta = static_cast<int>((colour >> shift) & 0xFF) - static_cast<int>((p >> shift) & 0xFF);
        d += delta * delta;
      }
      if (d < bestDistance) {
        bestDistance = d;
        best = static_cast<int>(i);
        if (d == 0) break;
      }
    }
    return best;
  };

  for (int row = 0; row < h; ++row) {
    std::uint8_t* dst = out.data() + offset + stride * (h - 1 - row);
    const std::uint8_t* src = bitmap.ScanLine(row);
    if (!indexed) {
      std::copy_n(src, 3 * static_cast<std::size_t>(w), dst);
      continue;
    }
    const int perByte = 8 / bitsPerPixel;
    std::uint32_t lastColour = 0xFFFFFFFF;
    int lastIndex = 0;
    for (int x = 0; x < w; ++x) {
      const std::uint32_t colour = bitmap.GetPixel(x, row);
      if (colour != lastColour) {
        lastColour = colour;
        lastIndex = indexOf(colour);
      }
      const int shift = 8 - bitsPerPixel * (1 + x % perByte);
      dst[x / perByte] |= static_cast<std::uint8_t>(lastIndex << shift);
    }
  }
  return out;
}

std::size_t TBmpPicture::Decode(std::span<const std::uint8_t> data, std::size_t baseOffset) {
  TBmpInfo info;
  TPixelBitmap decoded = DecodeBmp(data, baseOffset, &info);
  static_cast<TPixelBitmap&>(*this) = std::move(decoded);
  FBitCount = info.BitCount;
  return info.FileLength;
}

std::size_t TBmpPicture::LoadFromBytes(std::span<const std::uint8_t> data, std::size_t baseOffset) {
  const std::size_t length = Decode(data, baseOffset);
  FSource = std::make_shared<const TByteBuffer>(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(length));
  FFileAt = 0;
  FFileLength = length;
  return length;
}

std::size_t TBmpPicture::LoadFromShared(TSharedBytes buffer, std::size_t at) {
  const std::span<const std::uint8_t> all(*buffer);
  const std::size_t length = Decode(all.subspan(std::min(at, all.size())), at);
  FSource = std::move(buffer);
  FFileAt = at;
  FFileLength = length;
  return length;
}

std::span<const std::uint8_t> TBmpPicture::FileSpan() const {
  if (!FSource) return {};
  return std::span<const std::uint8_t>(*FSource).subspan(FFileAt, FFileLength);
}

void TBmpPicture::LoadFromFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EBmpError("cannot open picture file \"" + path.generic_string() + "\"");
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw EBmpError("cannot read picture file \"" + path.generic_string() + "\"");
  try {
    LoadFromBytes(bytes);
  } catch (const EBmpError& e) {
    throw EBmpError("\"" + path.generic_string() + "\": " + e.what());
  }
}

std::vector<std::uint8_t> TBmpPicture::SaveToBytes() const {
  if (IsEmpty()) return {};
  // The kept bytes stand for the picture only while they still decode to its pixels.
  if (FSource && DecodeBmp(FileSpan()) == static_cast<const TPixelBitmap&>(*this)) return FileBytes();
  return EncodeBmp(*this);
}

void TBmpPicture::SaveToFile(const std::filesystem::path& path) const {
  const std::vector<std::uint8_t> bytes = SaveToBytes();
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw EBmpError("cannot create picture file \"" + path.generic_string() + "\"");
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw EBmpError("cannot write picture file \"" + path.generic_string() + "\"");
}

void TBmpPicture::Clear() {
  static_cast<TPixelBitmap&>(*this) = TPixelBitmap();
  FSource.reset();
  FFileAt = FFileLength = 0;
  FBitCount = 0;
}
