#pragma once
// The pixel loops behind TvnEffectBmp's effects and morphs, on plain byte rows. Each operation
// has two forms that give the same bytes: a plain one, one channel at a time, which is the
// reference and what builds without SSE2 use (the i686 build), and a fast one that works on 16
// bytes at a time where SSE2 is there (grey also needs the byte shuffles of SSSE3, and the
// centre wipe's fixed-point mix takes 32 bytes at a time with AVX2 and 64 with AVX-512, all
// checked once at run time).
// Fixed-point forms are only used after they have been checked against the plain formula for
// every input they can meet, or where a bound on their error shows the result cannot differ
// (the rest is recomputed in doubles); otherwise the fast form falls back to the plain one. The
// tests compare both forms on random rows.
#include <array>
#include <cstddef>
#include <cstdint>

namespace vnEffectRows {

// Rounds to the nearest integer, ties to even, without a function call: adding and removing
// 1.5 x 2^52 leaves the nearest integer under the default rounding mode (|v| < 2^51). Both
// steps are separate assignments so that excess precision (x87) is rounded away.
inline double RoundEven(double v) {
  const double magic = 6755399441055744.0;
  const double t = v + magic;
  return t - magic;
}
inline std::uint8_t Clamp255(double rounded) {
  return rounded <= 0 ? 0 : rounded >= 255 ? 255 : static_cast<std::uint8_t>(rounded);
}
// R(v), clamped.
inline std::uint8_t RoundClamp(double v) { return Clamp255(RoundEven(v)); }

// A channel map: every channel value S becomes Table[S]. Fixed is the 8.8 fixed-point form of
// the same map (F = S x Mul / 256 + Add, which holds the half for rounding, then F div 256, or
// one less on an exact tie with an even integer part when Even is set), set only when it gives
// Table[S] for all 256 values once the few values listed in Except are moved by one (ties
// that the double-precision sums round the other way).
struct TByteMap {
  std::array<std::uint8_t, 256> Table{};
  bool Fixed = false;
  std::uint16_t Mul = 0, Add = 0;
  bool Even = false;
  int ExceptCount = 0;
  std::array<std::uint8_t, 4> ExceptValue{};
  std::array<bool, 4> ExceptUp{};  // one more than the fixed form, else one less
  bool Invert = false;  // the map 255 - S: every bit flipped
};
// The map S -> R(c x S + d), clamped to 0..255, computed in double precision as c * S + d.
TByteMap MakeByteMap(double c, double d);
// The map S -> 255 - S.
TByteMap InvertMap();
void MapBytesPlain(std::uint8_t* p, std::size_t count, const TByteMap& map);
void MapBytes(std::uint8_t* p, std::size_t count, const TByteMap& map);

// Blending two channels: S becomes R((1 - kf) x S + kf x O), clamped. Fixed is an 8.8 form
// (S x MulS / 256 + O x MulO / 256 + Add, rounded as for maps) checked against every pair.
struct TBlend {
  double Kf = 0;
  bool Fixed = false;
  std::uint16_t MulS = 0, MulO = 0, Add = 0;
  bool Even = false;
};
// checkPairs: whether to spend the check over all 65,536 pairs when the blend for kf has not
// been checked before (results are remembered per thread for the last few kf values).
TBlend MakeBlend(double kf, bool checkPairs);
void BlendBytesPlain(std::uint8_t* s, const std::uint8_t* o, std::size_t count, const TBlend& blend);
void BlendBytes(std::uint8_t* s, const std::uint8_t* o, std::size_t count, const TBlend& blend);

// Mixing with a weight per channel: s[i] becomes R(m[i] x s[i] + n[i] x o[i]), clamped, in
// double precision (the wipes, whose weight changes from column to column).
void MixBytesPlain(std::uint8_t* s, const std::uint8_t* o, const double* m, const double* n, std::size_t count);
void MixBytes(std::uint8_t* s, const std::uint8_t* o, const double* m, const double* n, std::size_t count);
// A mix weight m in 0..1 in 0.16 fixed point: round(m x 65536), at most 65535.
inline std::uint16_t FixedMixWeight(double m) {
  const double scaled = RoundEven(m * 65536);
  return static_cast<std::uint16_t>(scaled < 65535 ? scaled : 65535);
}
// Whether MixBytesFixed has its fast form here: AVX2 (and AVX-512 where the processor has it),
// found at run time (elsewhere it is the plain loop, and the wipes keep to MixBytes).
bool HaveFixedMix();
// MixBytesPlain's bytes with n[i] = 1 - m[i], for weights m[i] in 0..1 that many rows share
// (the wipes over columns), with fixed[i] = FixedMixWeight(m[i]): 32 or 64 channels at a time
// in 16-bit integers; a block with a channel whose fixed-point value lies too near a rounding
// boundary to be sure of is done again in doubles.
void MixBytesFixed(std::uint8_t* s, const std::uint8_t* o, const double* m, const std::uint16_t* fixed,
                   std::size_t count);
// The same with one weight for all channels (the wipe over rows).
void MixBytesPlain(std::uint8_t* s, const std::uint8_t* o, double m, double n, std::size_t count);
void MixBytes(std::uint8_t* s, const std::uint8_t* o, double m, double n, std::size_t count);

// Noise: each pixel's three channels move by the pixel's offset r[x], clamped to 0..255.
void AddOffsetsPlain(std::uint8_t* p, int width, const int* r);
void AddOffsets(std::uint8_t* p, int width, const int* r);

// One row of the diagonal blur at distance a: each channel of pixel x becomes the quarter
// (rounded down) of the sum of that channel in pixels x - a and x + a (x itself past either
// end) of the rows up and down. Row may be up or down itself (the top and bottom rows); then
// the pixels to the left are read after they have changed, as the blur works in place.
void BlurRowPlain(std::uint8_t* row, const std::uint8_t* up, const std::uint8_t* down, int width, std::int64_t a);
void BlurRow(std::uint8_t* row, const std::uint8_t* up, const std::uint8_t* down, int width, std::int64_t a);

// One row of `width` blue-green-red pixels to grey: g = R(0.3 red + 0.59 green + 0.11 blue)
// in all three channels.
void GrayPixelsPlain(std::uint8_t* p, int width);
void GrayPixels(std::uint8_t* p, int width);

}  // namespace vnEffectRows
