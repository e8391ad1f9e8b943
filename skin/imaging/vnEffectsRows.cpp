// Index: which processor features are there; channel maps (Lighten, Darken, InvertColors);
// blending (BlendTo); mixing with weights (the wipes); mixing with fixed-point weights (the
// centre wipe, AVX2); noise and blur; grey. Each with its plain form first, then the fast form.
#include "skin/imaging/vnEffectsRows.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#if defined(__SSE2__) || defined(__x86_64__) || defined(_M_X64)
#define VN_EFFECTS_SSE2 1
#include <emmintrin.h>
#if defined(__GNUC__)
#include <immintrin.h>
#include <tmmintrin.h>
#endif
#endif

namespace vnEffectRows {

#if VN_EFFECTS_SSE2 && defined(__GNUC__)
namespace {
// What the processor offers beyond SSE2, found once at run time.
struct TCpuFeatures {
  bool Ssse3 = false;
  bool Avx2 = false;
  bool Avx512 = false;  // AVX-512 with its byte and word instructions
  bool Avx512Vbmi = false;  // and with its byte permutes
};
const TCpuFeatures& CpuFeatures() {
  static const TCpuFeatures features = [] {
    __builtin_cpu_init();
    return TCpuFeatures{__builtin_cpu_supports("ssse3") != 0, __builtin_cpu_supports("avx2") != 0,
                        __builtin_cpu_supports("avx512bw") != 0,
                        __builtin_cpu_supports("avx512bw") != 0 && __builtin_cpu_supports("avx512vbmi") != 0};
  }();
  return features;
}
}  // namespace
#endif

#if VN_EFFECTS_SSE2
namespace {

// An 8.8 fixed-point value F that already holds the half for rounding (16 bits, wrapping as
// the vector registers do) made an integer: F div 256, rounding half up; with even, a tie
// that went up to an odd integer (F = odd x 256 exactly: the fraction was 128 over an even
// integer part) goes back down by one, which rounds half to even.
inline std::uint8_t RoundFixed(std::uint16_t f, bool even) {
  const bool tie = even && (f & 0x1FF) == 0x100;
  return static_cast<std::uint8_t>(static_cast<std::uint16_t>(f - (tie ? 1 : 0)) >> 8);
}

// What the vector unit computes for S x mul / 65536 in 8.8: the high half of (S << 8) x mul.
inline std::uint16_t MulHigh(int s, std::uint16_t mul) {
  return static_cast<std::uint16_t>((static_cast<std::uint32_t>(s << 8) * mul) >> 16);
}

// The few fixed-point coefficients near c (c x 65536 rounded down and up, within 16 bits).
int Candidates(double c, std::uint16_t out[2]) {
  const double scaled = c * 65536.0;
  if (!(scaled >= 0) || scaled > 65535.0 + 1) return 0;
  const double lo = std::floor(scaled);
  int n = 0;
  if (lo <= 65535) out[n++] = static_cast<std::uint16_t>(lo);
  if (lo + 1 <= 65535 && lo != scaled) out[n++] = static_cast<std::uint16_t>(lo + 1);
  return n;
}

// Half up first: it takes fewer steps per vector.
constexpr bool kRoundings[2] = {false, true};

}  // namespace
#endif

// ---- Channel maps ---------------------------------------------------------------------------

TByteMap MakeByteMap(double c, double d) {
  TByteMap map;
  for (int s = 0; s < 256; ++s) map.Table[static_cast<std::size_t>(s)] = RoundClamp(c * s + d);
#if VN_EFFECTS_SSE2
  std::uint16_t muls[2];
  const int mulCount = Candidates(c, muls);
  const double addScaled = d * 256.0 + 128;
  if (!(addScaled >= 0) || addScaled > 65535) return map;
  const std::uint16_t adds[2] = {static_cast<std::uint16_t>(std::floor(addScaled)),
                                 static_cast<std::uint16_t>(std::min(std::ceil(addScaled), 65535.0))};
  for (int mi = 0; mi < mulCount; ++mi)
    for (std::uint16_t add : adds)
      for (bool even : kRoundings) {
        TByteMap fixed = map;
        int s = 0;
        for (; s < 256; ++s) {
          const int want = map.Table[static_cast<std::size_t>(s)];
          const int got = RoundFixed(static_cast<std::uint16_t>(MulHigh(s, muls[mi]) + add), even);
          if (got == want) continue;
          if (fixed.ExceptCount == 4 || (want != got + 1 && want != got - 1)) break;
          fixed.ExceptValue[static_cast<std::size_t>(fixed.ExceptCount)] = static_cast<std::uint8_t>(s);
          fixed.ExceptUp[static_cast<std::size_t>(fixed.ExceptCount++)] = want > got;
        }
        if (s == 256) {
          fixed.Fixed = true;
          fixed.Mul = muls[mi];
          fixed.Add = add;
          fixed.Even = even;
          return fixed;
        }
      }
#endif
  return map;
}

TByteMap InvertMap() {
  TByteMap map;
  for (int s = 0; s < 256; ++s) map.Table[static_cast<std::size_t>(s)] = static_cast<std::uint8_t>(255 - s);
  map.Invert = true;
  return map;
}

void MapBytesPlain(std::uint8_t* p, std::size_t count, const TByteMap& map) {
  const std::uint8_t* table = map.Table.data();
  for (std::size_t i = 0; i < count; ++i) p[i] = table[p[i]];
}

#if VN_EFFECTS_SSE2
namespace {
// RoundFixed on eight words.
template <bool Even>
inline __m128i RoundWords(__m128i f) {
  if constexpr (Even) {
    const __m128i tie = _mm_cmpeq_epi16(_mm_and_si128(f, _mm_set1_epi16(0x1FF)), _mm_set1_epi16(0x100));
    f = _mm_add_epi16(f, tie);  // a tie's mask is all ones: minus one
  }
  return _mm_srli_epi16(f, 8);
}

template <bool Even, int Exceptions>
std::size_t MapFixed(std::uint8_t* p, std::size_t count, const TByteMap& map) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i mul = _mm_set1_epi16(static_cast<short>(map.Mul));
  const __m128i add = _mm_set1_epi16(static_cast<short>(map.Add));
  __m128i except[4], delta[4];
  for (std::size_t e = 0; e < 4; ++e) {
    except[e] = _mm_set1_epi8(static_cast<char>(map.ExceptValue[e]));
    delta[e] = _mm_set1_epi8(static_cast<char>(map.ExceptUp[e] ? 1 : -1));
  }
  std::size_t i = 0;
  for (; i + 16 <= count; i += 16) {
    __m128i* at = reinterpret_cast<__m128i*>(p + i);
    const __m128i v = _mm_loadu_si128(at);
    // Unpacking with zero below puts S in the high byte of each word: S x 256.
    const __m128i lo = _mm_add_epi16(_mm_mulhi_epu16(_mm_unpacklo_epi8(zero, v), mul), add);
    const __m128i hi = _mm_add_epi16(_mm_mulhi_epu16(_mm_unpackhi_epi8(zero, v), mul), add);
    __m128i r = _mm_packus_epi16(RoundWords<Even>(lo), RoundWords<Even>(hi));
    for (int e = 0; e < Exceptions; ++e)  // where S is an exception, its one up or down
      r = _mm_add_epi8(r, _mm_and_si128(_mm_cmpeq_epi8(v, except[e]), delta[e]));
    _mm_storeu_si128(at, r);
  }
  return i;
}

template <bool Even>
std::size_t MapFixed(std::uint8_t* p, std::size_t count, const TByteMap& map) {
  switch (map.ExceptCount) {
    case 0: return MapFixed<Even, 0>(p, count, map);
    case 1: return MapFixed<Even, 1>(p, count, map);
    case 2: return MapFixed<Even, 2>(p, count, map);
    case 3: return MapFixed<Even, 3>(p, count, map);
    default: return MapFixed<Even, 4>(p, count, map);
  }
}
}  // namespace
#endif

#if VN_EFFECTS_SSE2 && defined(__GNUC__)
// The same maps, the blend and the grey 32 bytes (or pixels) at a time with AVX2, decided once
// at run time. The 256-bit unpacks and packs work within 128-bit halves, so each half does
// what the 16-byte form does and the bytes stay in order.
#define VN_EFFECTS_WIDE 1
namespace {

template <bool Even>
__attribute__((target("avx2"))) inline __m256i RoundWordsWide(__m256i f) {
  if constexpr (Even) {
    const __m256i tie = _mm256_cmpeq_epi16(_mm256_and_si256(f, _mm256_set1_epi16(0x1FF)), _mm256_set1_epi16(0x100));
    f = _mm256_add_epi16(f, tie);
  }
  return _mm256_srli_epi16(f, 8);
}

template <bool Even, int Exceptions>
__attribute__((target("avx2"))) std::size_t MapFixedWide(std::uint8_t* p, std::size_t count, const TByteMap& map) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i mul = _mm256_set1_epi16(static_cast<short>(map.Mul));
  const __m256i add = _mm256_set1_epi16(static_cast<short>(map.Add));
  __m256i except[4], delta[4];
  for (std::size_t e = 0; e < 4; ++e) {
    except[e] = _mm256_set1_epi8(static_cast<char>(map.ExceptValue[e]));
    delta[e] = _mm256_set1_epi8(static_cast<char>(map.ExceptUp[e] ? 1 : -1));
  }
  std::size_t i = 0;
  for (; i + 32 <= count; i += 32) {
    __m256i* at = reinterpret_cast<__m256i*>(p + i);
    const __m256i v = _mm256_loadu_si256(at);
    const __m256i lo = _mm256_add_epi16(_mm256_mulhi_epu16(_mm256_unpacklo_epi8(zero, v), mul), add);
    const __m256i hi = _mm256_add_epi16(_mm256_mulhi_epu16(_mm256_unpackhi_epi8(zero, v), mul), add);
    __m256i r = _mm256_packus_epi16(RoundWordsWide<Even>(lo), RoundWordsWide<Even>(hi));
    for (int e = 0; e < Exceptions; ++e)
      r = _mm256_add_epi8(r, _mm256_and_si256(_mm256_cmpeq_epi8(v, except[e]), delta[e]));
    _mm256_storeu_si256(at, r);
  }
  return i;
}

// And 64 bytes at a time with AVX-512 (byte and word instructions), whose unpacks and packs
// work within 128-bit quarters the same way.
template <bool Even>
__attribute__((target("avx512bw"))) inline __m512i RoundWords512(__m512i f) {
  if constexpr (Even) {
    const __mmask32 tie = _mm512_cmpeq_epi16_mask(_mm512_and_si512(f, _mm512_set1_epi16(0x1FF)), _mm512_set1_epi16(0x100));
    f = _mm512_mask_sub_epi16(f, tie, f, _mm512_set1_epi16(1));
  }
  return _mm512_srli_epi16(f, 8);
}

template <bool Even, int Exceptions>
__attribute__((target("avx512bw"))) std::size_t MapFixed512(std::uint8_t* p, std::size_t count, const TByteMap& map) {
  const __m512i zero = _mm512_setzero_si512();
  const __m512i mul = _mm512_set1_epi16(static_cast<short>(map.Mul));
  const __m512i add = _mm512_set1_epi16(static_cast<short>(map.Add));
  std::size_t i = 0;
  for (; i + 64 <= count; i += 64) {
    const __m512i v = _mm512_loadu_si512(p + i);
    const __m512i lo = _mm512_add_epi16(_mm512_mulhi_epu16(_mm512_unpacklo_epi8(zero, v), mul), add);
    const __m512i hi = _mm512_add_epi16(_mm512_mulhi_epu16(_mm512_unpackhi_epi8(zero, v), mul), add);
    __m512i r = _mm512_packus_epi16(RoundWords512<Even>(lo), RoundWords512<Even>(hi));
    for (int e = 0; e < Exceptions; ++e) {
      const __mmask64 at = _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8(static_cast<char>(map.ExceptValue[static_cast<std::size_t>(e)])));
      r = map.ExceptUp[static_cast<std::size_t>(e)] ? _mm512_mask_add_epi8(r, at, r, _mm512_set1_epi8(1))
                                                    : _mm512_mask_sub_epi8(r, at, r, _mm512_set1_epi8(1));
    }
    _mm512_storeu_si512(p + i, r);
  }
  return i;
}

// The widest form the processor has, made for the map's number of exceptions.
template <bool Even>
std::size_t MapFixedWidest(std::uint8_t* p, std::size_t count, const TByteMap& map) {
  if (CpuFeatures().Avx512) {
    switch (map.ExceptCount) {
      case 0: return MapFixed512<Even, 0>(p, count, map);
      case 1: return MapFixed512<Even, 1>(p, count, map);
      case 2: return MapFixed512<Even, 2>(p, count, map);
      case 3: return MapFixed512<Even, 3>(p, count, map);
      default: return MapFixed512<Even, 4>(p, count, map);
    }
  }
  switch (map.ExceptCount) {
    case 0: return MapFixedWide<Even, 0>(p, count, map);
    case 1: return MapFixedWide<Even, 1>(p, count, map);
    case 2: return MapFixedWide<Even, 2>(p, count, map);
    case 3: return MapFixedWide<Even, 3>(p, count, map);
    default: return MapFixedWide<Even, 4>(p, count, map);
  }
}

}  // namespace
#endif

void MapBytes(std::uint8_t* p, std::size_t count, const TByteMap& map) {
#if VN_EFFECTS_SSE2
  std::size_t i = 0;
  if (map.Invert) {
    const __m128i ones = _mm_set1_epi8(-1);
    for (; i + 16 <= count; i += 16) {
      __m128i* at = reinterpret_cast<__m128i*>(p + i);
      _mm_storeu_si128(at, _mm_xor_si128(_mm_loadu_si128(at), ones));
    }
  } else if (map.Fixed) {
#if VN_EFFECTS_WIDE
    if (CpuFeatures().Avx2) i = map.Even ? MapFixedWidest<true>(p, count, map) : MapFixedWidest<false>(p, count, map);
#endif
    i += map.Even ? MapFixed<true>(p + i, count - i, map) : MapFixed<false>(p + i, count - i, map);
  }
  MapBytesPlain(p + i, count - i, map);
#else
  MapBytesPlain(p, count, map);
#endif
}

// ---- Blending -------------------------------------------------------------------------------

namespace {

// The blend as the plain form computes it: (1 - kf) x S and kf x O, added, rounded, clamped.
struct TBlendSums {
  explicit TBlendSums(double kf) {
    for (int v = 0; v < 256; ++v) {
      Self[static_cast<std::size_t>(v)] = (1 - kf) * v;
      Theirs[static_cast<std::size_t>(v)] = kf * v;
    }
  }
  std::uint8_t operator()(int s, int o) const {
    return RoundClamp(Self[static_cast<std::size_t>(s)] + Theirs[static_cast<std::size_t>(o)]);
  }
  std::array<double, 256> Self, Theirs;
};

#if VN_EFFECTS_SSE2
// Looks for an 8.8 form that gives the plain result for all 65,536 pairs.
TBlend CheckedBlend(double kf) {
  TBlend blend;
  blend.Kf = kf;
  const TBlendSums sums(kf);
  std::uint16_t mulS[2], mulO[2];
  const int nS = Candidates(1 - kf, mulS), nO = Candidates(kf, mulO);
  for (int a = 0; a < nS; ++a)
    for (int b = 0; b < nO; ++b)
      for (std::uint16_t add : {std::uint16_t{129}, std::uint16_t{128}})
        for (bool even : kRoundings) {
          bool same = true;
          for (int s = 0; s < 256 && same; ++s) {
            const std::uint16_t fs = static_cast<std::uint16_t>(MulHigh(s, mulS[a]) + add);
            for (int o = 0; o < 256; ++o)
              if (RoundFixed(static_cast<std::uint16_t>(fs + MulHigh(o, mulO[b])), even) != sums(s, o)) {
                same = false;
                break;
              }
          }
          if (same) {
            blend.Fixed = true;
            blend.MulS = mulS[a];
            blend.MulO = mulO[b];
            blend.Add = add;
            blend.Even = even;
            return blend;
          }
        }
  return blend;
}
#endif

}  // namespace

TBlend MakeBlend(double kf, bool checkPairs) {
  TBlend blend;
  blend.Kf = kf;
#if VN_EFFECTS_SSE2
  // The morph timers step kf through a handful of values: remember the last few checks.
  struct TEntry {
    std::uint64_t Bits;
    TBlend Blend;
  };
  thread_local std::array<TEntry, 8> known{};
  thread_local std::size_t used = 0, next = 0;
  std::uint64_t bits;
  std::memcpy(&bits, &kf, sizeof bits);
  for (std::size_t i = 0; i < used; ++i)
    if (known[i].Bits == bits) return known[i].Blend;
  if (!checkPairs) return blend;
  blend = CheckedBlend(kf);
  known[next] = {bits, blend};
  next = (next + 1) % known.size();
  if (used < known.size()) ++used;
#else
  (void)checkPairs;
#endif
  return blend;
}

void BlendBytesPlain(std::uint8_t* s, const std::uint8_t* o, std::size_t count, const TBlend& blend) {
  const TBlendSums sums(blend.Kf);
  for (std::size_t i = 0; i < count; ++i) s[i] = sums(s[i], o[i]);
}

#if VN_EFFECTS_SSE2
namespace {
template <bool Even>
std::size_t BlendFixed(std::uint8_t* s, const std::uint8_t* o, std::size_t count, const TBlend& blend) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i mulS = _mm_set1_epi16(static_cast<short>(blend.MulS));
  const __m128i mulO = _mm_set1_epi16(static_cast<short>(blend.MulO));
  const __m128i add = _mm_set1_epi16(static_cast<short>(blend.Add));
  std::size_t i = 0;
  for (; i + 16 <= count; i += 16) {
    __m128i* at = reinterpret_cast<__m128i*>(s + i);
    const __m128i vs = _mm_loadu_si128(at);
    const __m128i vo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(o + i));
    __m128i lo = _mm_add_epi16(_mm_mulhi_epu16(_mm_unpacklo_epi8(zero, vs), mulS), add);
    __m128i hi = _mm_add_epi16(_mm_mulhi_epu16(_mm_unpackhi_epi8(zero, vs), mulS), add);
    lo = _mm_add_epi16(lo, _mm_mulhi_epu16(_mm_unpacklo_epi8(zero, vo), mulO));
    hi = _mm_add_epi16(hi, _mm_mulhi_epu16(_mm_unpackhi_epi8(zero, vo), mulO));
    _mm_storeu_si128(at, _mm_packus_epi16(RoundWords<Even>(lo), RoundWords<Even>(hi)));
  }
  return i;
}
}  // namespace
#endif

#if VN_EFFECTS_WIDE
namespace {
template <bool Even>
__attribute__((target("avx2"))) std::size_t BlendFixedWide(std::uint8_t* s, const std::uint8_t* o, std::size_t count,
                                                           const TBlend& blend) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i mulS = _mm256_set1_epi16(static_cast<short>(blend.MulS));
  const __m256i mulO = _mm256_set1_epi16(static_cast<short>(blend.MulO));
  const __m256i add = _mm256_set1_epi16(static_cast<short>(blend.Add));
  std::size_t i = 0;
  for (; i + 32 <= count; i += 32) {
    __m256i* at = reinterpret_cast<__m256i*>(s + i);
    const __m256i vs = _mm256_loadu_si256(at);
    const __m256i vo = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(o + i));
    __m256i lo = _mm256_add_epi16(_mm256_mulhi_epu16(_mm256_unpacklo_epi8(zero, vs), mulS), add);
    __m256i hi = _mm256_add_epi16(_mm256_mulhi_epu16(_mm256_unpackhi_epi8(zero, vs), mulS), add);
    lo = _mm256_add_epi16(lo, _mm256_mulhi_epu16(_mm256_unpacklo_epi8(zero, vo), mulO));
    hi = _mm256_add_epi16(hi, _mm256_mulhi_epu16(_mm256_unpackhi_epi8(zero, vo), mulO));
    _mm256_storeu_si256(at, _mm256_packus_epi16(RoundWordsWide<Even>(lo), RoundWordsWide<Even>(hi)));
  }
  return i;
}

template <bool Even>
__attribute__((target("avx512bw"))) std::size_t BlendFixed512(std::uint8_t* s, const std::uint8_t* o, std::size_t count,
                                                              const TBlend& blend) {
  const __m512i zero = _mm512_setzero_si512();
  const __m512i mulS = _mm512_set1_epi16(static_cast<short>(blend.MulS));
  const __m512i mulO = _mm512_set1_epi16(static_cast<short>(blend.MulO));
  const __m512i add = _mm512_set1_epi16(static_cast<short>(blend.Add));
  std::size_t i = 0;
  for (; i + 64 <= count; i += 64) {
    const __m512i vs = _mm512_loadu_si512(s + i);
    const __m512i vo = _mm512_loadu_si512(o + i);
    __m512i lo = _mm512_add_epi16(_mm512_mulhi_epu16(_mm512_unpacklo_epi8(zero, vs), mulS), add);
    __m512i hi = _mm512_add_epi16(_mm512_mulhi_epu16(_mm512_unpackhi_epi8(zero, vs), mulS), add);
    lo = _mm512_add_epi16(lo, _mm512_mulhi_epu16(_mm512_unpacklo_epi8(zero, vo), mulO));
    hi = _mm512_add_epi16(hi, _mm512_mulhi_epu16(_mm512_unpackhi_epi8(zero, vo), mulO));
    _mm512_storeu_si512(s + i, _mm512_packus_epi16(RoundWords512<Even>(lo), RoundWords512<Even>(hi)));
  }
  return i;
}

// The widest form the processor has.
template <bool Even>
std::size_t BlendFixedWidest(std::uint8_t* s, const std::uint8_t* o, std::size_t count, const TBlend& blend) {
  return CpuFeatures().Avx512 ? BlendFixed512<Even>(s, o, count, blend) : BlendFixedWide<Even>(s, o, count, blend);
}
}  // namespace
#endif

void BlendBytes(std::uint8_t* s, const std::uint8_t* o, std::size_t count, const TBlend& blend) {
#if VN_EFFECTS_SSE2
  std::size_t i = 0;
  if (blend.Fixed) {
#if VN_EFFECTS_WIDE
    if (CpuFeatures().Avx2)
      i = blend.Even ? BlendFixedWidest<true>(s, o, count, blend) : BlendFixedWidest<false>(s, o, count, blend);
#endif
    i += blend.Even ? BlendFixed<true>(s + i, o + i, count - i, blend) : BlendFixed<false>(s + i, o + i, count - i, blend);
  }
  if (i < count) BlendBytesPlain(s + i, o + i, count - i, blend);
#else
  BlendBytesPlain(s, o, count, blend);
#endif
}

// ---- Mixing with weights --------------------------------------------------------------------

void MixBytesPlain(std::uint8_t* s, const std::uint8_t* o, const double* m, const double* n, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) s[i] = RoundClamp(m[i] * s[i] + n[i] * o[i]);
}

void MixBytesPlain(std::uint8_t* s, const std::uint8_t* o, double m, double n, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) s[i] = RoundClamp(m * s[i] + n * o[i]);
}

#if VN_EFFECTS_SSE2
namespace {

// Four channels (dwords) mixed: m x S + n x O in doubles, two channels at a time, each product
// and the sum rounded as the plain form does (two multiplications and one addition, no fused
// step), then rounded to integers by the unit's rounding (nearest, ties to even).
inline __m128i MixFour(__m128i s4, __m128i o4, __m128d m01, __m128d m23, __m128d n01, __m128d n23) {
  const __m128d s01 = _mm_cvtepi32_pd(s4), s23 = _mm_cvtepi32_pd(_mm_srli_si128(s4, 8));
  const __m128d o01 = _mm_cvtepi32_pd(o4), o23 = _mm_cvtepi32_pd(_mm_srli_si128(o4, 8));
  const __m128d v01 = _mm_add_pd(_mm_mul_pd(m01, s01), _mm_mul_pd(n01, o01));
  const __m128d v23 = _mm_add_pd(_mm_mul_pd(m23, s23), _mm_mul_pd(n23, o23));
  return _mm_unpacklo_epi64(_mm_cvtpd_epi32(v01), _mm_cvtpd_epi32(v23));
}

// Sixteen channels; weights(k, m01, m23, n01, n23) gives the weights of channels 4k .. 4k + 3.
// The packs saturate exactly as the plain clamp does.
template <class Weights>
inline void MixSixteen(std::uint8_t* s, const std::uint8_t* o, Weights weights) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i vs = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
  const __m128i vo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(o));
  const __m128i sLo = _mm_unpacklo_epi8(vs, zero), sHi = _mm_unpackhi_epi8(vs, zero);
  const __m128i oLo = _mm_unpacklo_epi8(vo, zero), oHi = _mm_unpackhi_epi8(vo, zero);
  __m128d m01, m23, n01, n23;
  weights(0, m01, m23, n01, n23);
  const __m128i r0 = MixFour(_mm_unpacklo_epi16(sLo, zero), _mm_unpacklo_epi16(oLo, zero), m01, m23, n01, n23);
  weights(1, m01, m23, n01, n23);
  const __m128i r1 = MixFour(_mm_unpackhi_epi16(sLo, zero), _mm_unpackhi_epi16(oLo, zero), m01, m23, n01, n23);
  weights(2, m01, m23, n01, n23);
  const __m128i r2 = MixFour(_mm_unpacklo_epi16(sHi, zero), _mm_unpacklo_epi16(oHi, zero), m01, m23, n01, n23);
  weights(3, m01, m23, n01, n23);
  const __m128i r3 = MixFour(_mm_unpackhi_epi16(sHi, zero), _mm_unpackhi_epi16(oHi, zero), m01, m23, n01, n23);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(s), _mm_packus_epi16(_mm_packs_epi32(r0, r1), _mm_packs_epi32(r2, r3)));
}

}  // namespace
#endif

void MixBytes(std::uint8_t* s, const std::uint8_t* o, const double* m, const double* n, std::size_t count) {
#if VN_EFFECTS_SSE2
  std::size_t i = 0;
  for (; i + 16 <= count; i += 16)
    MixSixteen(s + i, o + i, [&](int k, __m128d& m01, __m128d& m23, __m128d& n01, __m128d& n23) {
      m01 = _mm_loadu_pd(m + i + 4 * k);
      m23 = _mm_loadu_pd(m + i + 4 * k + 2);
      n01 = _mm_loadu_pd(n + i + 4 * k);
      n23 = _mm_loadu_pd(n + i + 4 * k + 2);
    });
  MixBytesPlain(s + i, o + i, m + i, n + i, count - i);
#else
  MixBytesPlain(s, o, m, n, count);
#endif
}

// ---- Mixing with fixed-point weights --------------------------------------------------------

#if VN_EFFECTS_SSE2 && defined(__GNUC__)
// 32 channels at a time with AVX2, decided once at run time.
#define VN_EFFECTS_MIX_AVX2 1
namespace {

// The mix is o + m d with d = s - o, and the fixed-point form rounds m |d| as
// (|d| x M + 2^15) div 2^16, M = round(m x 65536). That is R(m |d|) unless m |d| lies within
// |d| x |M - 65536 m| / 65536 <= 127.5 / 65536 of a value ending in .5 (the plain sum in
// doubles is within far less than that of o + m d). So where |d| x M mod 2^16 is at least
// this margin away from 2^15, the result is the plain one; a block with a channel elsewhere
// is recomputed in doubles. (M = 65535 stands for m above 65535.5 / 65536 with a larger
// error, but there m |d| lies within 0.002 of the integer |d|, far from any .5.)
constexpr int kMixMargin = 128;

// Where x <= band (unsigned): all ones.
__attribute__((target("avx2"))) inline __m256i NotAbove(__m256i x, __m256i band) {
  return _mm256_cmpeq_epi16(_mm256_min_epu16(x, band), x);
}

// Four bytes as doubles.
__attribute__((target("avx2"))) inline __m256d WidenFour(const std::uint8_t* p) {
  std::int32_t four;
  std::memcpy(&four, p, 4);
  return _mm256_cvtepi32_pd(_mm_cvtepu8_epi32(_mm_cvtsi32_si128(four)));
}

// Four channels as the plain form mixes them: m x s + (1 - m) x o in doubles (two products and
// a sum, no fused step: the target has no FMA), rounded by the unit (nearest, ties to even).
__attribute__((target("avx2"))) inline __m128i MixFourExact(const std::uint8_t* s, const std::uint8_t* o,
                                                            const double* m) {
  const __m256d w = _mm256_loadu_pd(m);
  const __m256d v = _mm256_add_pd(_mm256_mul_pd(w, WidenFour(s)), _mm256_mul_pd(_mm256_sub_pd(_mm256_set1_pd(1.0), w), WidenFour(o)));
  return _mm256_cvtpd_epi32(v);
}

// Blocks of 32 channels in fixed point; a block with a channel too near a boundary to be sure
// of is done again in doubles from the bytes as they were. Returns the channels done (a
// multiple of 32).
__attribute__((target("avx2"))) std::size_t MixFixedAvx2(std::uint8_t* s, const std::uint8_t* o, const double* m,
                                                         const std::uint16_t* fixed, std::size_t count) {
  // x = |d| x M mod 2^16 + 2^15 + (margin - 1), wrapping, is at most 2 (margin - 1) exactly
  // where |d| x M mod 2^16 lies less than the margin from 2^15.
  const __m256i place = _mm256_set1_epi16(static_cast<short>(0x8000 + kMixMargin - 1));
  const __m256i band = _mm256_set1_epi16(2 * (kMixMargin - 1));
  std::size_t i = 0;
  for (; i + 32 <= count; i += 32) {
    const __m128i rawS0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    const __m128i rawS1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + 16));
    const __m256i o0 = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(o + i)));
    const __m256i o1 = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(o + i + 16)));
    const __m256i d0 = _mm256_sub_epi16(_mm256_cvtepu8_epi16(rawS0), o0);
    const __m256i d1 = _mm256_sub_epi16(_mm256_cvtepu8_epi16(rawS1), o1);
    const __m256i w0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(fixed + i));
    const __m256i w1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(fixed + i + 16));
    const __m256i a0 = _mm256_abs_epi16(d0), a1 = _mm256_abs_epi16(d1);
    const __m256i low0 = _mm256_mullo_epi16(a0, w0), low1 = _mm256_mullo_epi16(a1, w1);
    const __m256i x = _mm256_min_epu16(_mm256_add_epi16(low0, place), _mm256_add_epi16(low1, place));
    if (_mm256_movemask_epi8(NotAbove(x, band)) != 0) {
      // s is still as it was: the block in doubles, eight times four channels.
      for (std::size_t h = i; h < i + 32; h += 16) {
        const __m128i r01 = _mm_packs_epi32(MixFourExact(s + h, o + h, m + h), MixFourExact(s + h + 4, o + h + 4, m + h + 4));
        const __m128i r23 = _mm_packs_epi32(MixFourExact(s + h + 8, o + h + 8, m + h + 8),
                                            MixFourExact(s + h + 12, o + h + 12, m + h + 12));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(s + h), _mm_packus_epi16(r01, r23));
      }
      continue;
    }
    // The rounded magnitude: the high half, plus one where the low half is at least 2^15; it
    // takes the sign of d back (sign gives 0 where d is 0, which the magnitude is then too).
    const __m256i mag0 = _mm256_add_epi16(_mm256_mulhi_epu16(a0, w0), _mm256_srli_epi16(low0, 15));
    const __m256i mag1 = _mm256_add_epi16(_mm256_mulhi_epu16(a1, w1), _mm256_srli_epi16(low1, 15));
    const __m256i r0 = _mm256_add_epi16(o0, _mm256_sign_epi16(mag0, d0));
    const __m256i r1 = _mm256_add_epi16(o1, _mm256_sign_epi16(mag1, d1));
    // The packs work within 128-bit halves, which the permute puts back in order.
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(s + i),
                        _mm256_permute4x64_epi64(_mm256_packus_epi16(r0, r1), 0xD8));
  }
  return i;
}

// The same 64 channels at a time with AVX-512.
#define VN_EFFECTS_MIX_AVX512 1
// Eight channels as the plain form mixes them: m x s + (1 - m) x o in doubles, each product
// rounded on its own. AVX-512 brings fused multiply-adds, which the compiler would otherwise
// make of the two products and the sum: the empty asm statements keep the products apart.
// (The zero-masked forms of the conversions stand for the plain ones, whose undefined upper
// parts this compiler warns of.)
__attribute__((target("avx512bw"))) inline __m256i MixEightExact(__m256i s32, __m256i o32, const double* m) {
  const __m512d w = _mm512_loadu_pd(m);
  __m512d own = _mm512_mul_pd(w, _mm512_maskz_cvtepi32_pd(0xFF, s32));
  __m512d theirs = _mm512_mul_pd(_mm512_sub_pd(_mm512_set1_pd(1.0), w), _mm512_maskz_cvtepi32_pd(0xFF, o32));
  asm("" : "+v"(own), "+v"(theirs));
  return _mm512_maskz_cvtpd_epi32(0xFF, _mm512_add_pd(own, theirs));
}

// Sixteen channels so, from their bytes as they were (was), the results (all in 0..255) written
// to s as bytes.
__attribute__((target("avx512bw"))) inline void MixSixteenExact(std::uint8_t* s, const std::uint8_t* was, const std::uint8_t* o,
                                                               const double* m) {
  const __m512i s32 = _mm512_maskz_cvtepu8_epi32(0xFFFF, _mm_loadu_si128(reinterpret_cast<const __m128i*>(was)));
  const __m512i o32 = _mm512_maskz_cvtepu8_epi32(0xFFFF, _mm_loadu_si128(reinterpret_cast<const __m128i*>(o)));
  const __m256i r0 = MixEightExact(_mm512_maskz_extracti64x4_epi64(0xF, s32, 0), _mm512_maskz_extracti64x4_epi64(0xF, o32, 0), m);
  const __m256i r1 = MixEightExact(_mm512_maskz_extracti64x4_epi64(0xF, s32, 1), _mm512_maskz_extracti64x4_epi64(0xF, o32, 1), m + 8);
  // The packs work within 128-bit halves, which the permute puts back in order.
  const __m256i words = _mm256_permute4x64_epi64(_mm256_packs_epi32(r0, r1), 0xD8);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(s),
                   _mm_packus_epi16(_mm256_castsi256_si128(words), _mm256_extracti128_si256(words, 1)));
}

__attribute__((target("avx512bw"))) std::size_t MixFixedAvx512(std::uint8_t* s, const std::uint8_t* o,
                                                               const double* m, const std::uint16_t* fixed,
                                                               std::size_t count) {
  const __m512i place = _mm512_set1_epi16(static_cast<short>(0x8000 + kMixMargin - 1));
  const __m512i band = _mm512_set1_epi16(2 * (kMixMargin - 1));
  const __m512i zero = _mm512_setzero_si512();
  // The packs work within 128-bit lanes: quadwords 0, 2, 4, 6 hold the first half's bytes.
  const __m512i order = _mm512_setr_epi64(0, 2, 4, 6, 1, 3, 5, 7);
  std::size_t i = 0;
  for (; i + 64 <= count; i += 64) {
    const __m512i o0 = _mm512_cvtepu8_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(o + i)));
    const __m512i o1 = _mm512_cvtepu8_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(o + i + 32)));
    const __m512i d0 = _mm512_sub_epi16(_mm512_cvtepu8_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i))), o0);
    const __m512i d1 = _mm512_sub_epi16(_mm512_cvtepu8_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i + 32))), o1);
    const __m512i w0 = _mm512_loadu_si512(fixed + i), w1 = _mm512_loadu_si512(fixed + i + 32);
    const __m512i a0 = _mm512_abs_epi16(d0), a1 = _mm512_abs_epi16(d1);
    const __m512i low0 = _mm512_mullo_epi16(a0, w0), low1 = _mm512_mullo_epi16(a1, w1);
    const std::uint64_t near = static_cast<std::uint64_t>(_mm512_cmple_epu16_mask(_mm512_add_epi16(low0, place), band)) |
                               static_cast<std::uint64_t>(_mm512_cmple_epu16_mask(_mm512_add_epi16(low1, place), band)) << 32;
    alignas(64) std::uint8_t was[64];
    if (near != 0) _mm512_store_si512(was, _mm512_loadu_si512(s + i));
    const __m512i mag0 = _mm512_add_epi16(_mm512_mulhi_epu16(a0, w0), _mm512_srli_epi16(low0, 15));
    const __m512i mag1 = _mm512_add_epi16(_mm512_mulhi_epu16(a1, w1), _mm512_srli_epi16(low1, 15));
    const __m512i r0 = _mm512_add_epi16(o0, _mm512_mask_sub_epi16(mag0, _mm512_movepi16_mask(d0), zero, mag0));
    const __m512i r1 = _mm512_add_epi16(o1, _mm512_mask_sub_epi16(mag1, _mm512_movepi16_mask(d1), zero, mag1));
    _mm512_storeu_si512(s + i, _mm512_maskz_permutexvar_epi64(0xFF, order, _mm512_packus_epi16(r0, r1)));
    // Only the sixteen-channel groups holding such a channel are done again in doubles.
    if (near != 0)
      for (std::size_t g = 0; g < 4; ++g)
        if ((near >> (16 * g)) & 0xFFFF) MixSixteenExact(s + i + 16 * g, was + 16 * g, o + i + 16 * g, m + i + 16 * g);
  }
  return i;
}

}  // namespace
#endif

bool HaveFixedMix() {
#if VN_EFFECTS_MIX_AVX2
  return CpuFeatures().Avx2;
#else
  return false;
#endif
}

void MixBytesFixed(std::uint8_t* s, const std::uint8_t* o, const double* m, const std::uint16_t* fixed,
                   std::size_t count) {
  std::size_t done = 0;
#if VN_EFFECTS_MIX_AVX2
#if VN_EFFECTS_MIX_AVX512
  if (CpuFeatures().Avx512) done = MixFixedAvx512(s, o, m, fixed, count);
#endif
  if (CpuFeatures().Avx2) done += MixFixedAvx2(s + done, o + done, m + done, fixed + done, count - done);
#else
  (void)fixed;
#endif
  for (std::size_t i = done; i < count; ++i) s[i] = RoundClamp(m[i] * s[i] + (1 - m[i]) * o[i]);
}

void MixBytes(std::uint8_t* s, const std::uint8_t* o, double m, double n, std::size_t count) {
#if VN_EFFECTS_SSE2
  std::size_t i = 0;
  const __m128d cm = _mm_set1_pd(m), cn = _mm_set1_pd(n);
  for (; i + 16 <= count; i += 16)
    MixSixteen(s + i, o + i, [&](int, __m128d& m01, __m128d& m23, __m128d& n01, __m128d& n23) {
      m01 = m23 = cm;
      n01 = n23 = cn;
    });
  MixBytesPlain(s + i, o + i, m, n, count - i);
#else
  MixBytesPlain(s, o, m, n, count);
#endif
}

// ---- Noise and blur -------------------------------------------------------------------------

void AddOffsetsPlain(std::uint8_t* p, int width, const int* r) {
  for (int x = 0; x < width; ++x, p += 3)
    for (int c = 0; c < 3; ++c) {
      const int v = p[c] + r[x];
      p[c] = static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
    }
}

void AddOffsets(std::uint8_t* p, int width, const int* r) {
#if VN_EFFECTS_SSE2
  // The offsets as bytes to add and to take away, three per pixel, then 16 channels at a time
  // with saturation, which clamps exactly as the plain loop (an offset beyond 255 either way
  // ends at the same end of the scale as 255 does).
  thread_local std::vector<std::uint8_t> up, down;
  const std::size_t bytes = static_cast<std::size_t>(width) * 3;
  if (up.size() < bytes + 1) {
    up.resize(bytes + 1);
    down.resize(bytes + 1);
  }
  std::uint8_t* const plusBytes = up.data();
  std::uint8_t* const minusBytes = down.data();
  for (int x = 0; x < width; ++x) {
    // Without branches: the signs of random offsets cannot be predicted.
    const int v = std::min(std::max(r[x], -255), 255);
    const int sign = v >> 31;  // all ones when v is negative
    const std::uint32_t plus = static_cast<std::uint32_t>(v & ~sign) * 0x010101u;
    const std::uint32_t minus = static_cast<std::uint32_t>(-v & sign) * 0x010101u;
    std::memcpy(plusBytes + static_cast<std::size_t>(x) * 3, &plus, 4);  // the fourth byte is the next pixel's
    std::memcpy(minusBytes + static_cast<std::size_t>(x) * 3, &minus, 4);
  }
  std::size_t i = 0;
  for (; i + 16 <= bytes; i += 16) {
    __m128i* at = reinterpret_cast<__m128i*>(p + i);
    const __m128i plus = _mm_loadu_si128(reinterpret_cast<const __m128i*>(plusBytes + i));
    const __m128i minus = _mm_loadu_si128(reinterpret_cast<const __m128i*>(minusBytes + i));
    _mm_storeu_si128(at, _mm_subs_epu8(_mm_adds_epu8(_mm_loadu_si128(at), plus), minus));
  }
  for (; i < bytes; ++i)
    p[i] = static_cast<std::uint8_t>(std::max(0, std::min(255, p[i] + plusBytes[i] - minusBytes[i])));
#else
  AddOffsetsPlain(p, width, r);
#endif
}

void BlurRowPlain(std::uint8_t* row, const std::uint8_t* up, const std::uint8_t* down, int width, std::int64_t a) {
  for (int x = 0; x < width; ++x) {
    const int left = (x - a < 0 ? x : static_cast<int>(x - a)) * 3;
    const int right = (x + a >= width ? x : static_cast<int>(x + a)) * 3;
    for (int c = 0; c < 3; ++c)
      row[x * 3 + c] = static_cast<std::uint8_t>((up[left + c] + down[left + c] + up[right + c] + down[right + c]) / 4);
  }
}

void BlurRow(std::uint8_t* row, const std::uint8_t* up, const std::uint8_t* down, int width, std::int64_t a) {
#if VN_EFFECTS_SSE2
  // A row between two others reads only them, so its pixels do not depend on one another:
  // the columns with both neighbours inside go 16 channels at a time.
  if (row == up || row == down || a <= 0 || 2 * a >= width) {
    BlurRowPlain(row, up, down, width, a);
    return;
  }
  const int d = static_cast<int>(a) * 3;  // channels between a pixel and its neighbours
  const std::size_t first = static_cast<std::size_t>(d), end = static_cast<std::size_t>(width) * 3 - first;
  const __m128i zero = _mm_setzero_si128();
  auto quarter = [&](__m128i u0, __m128i d0, __m128i u1, __m128i d1, bool high) {
    auto w = [&](__m128i v) { return high ? _mm_unpackhi_epi8(v, zero) : _mm_unpacklo_epi8(v, zero); };
    const __m128i sum = _mm_add_epi16(_mm_add_epi16(w(u0), w(d0)), _mm_add_epi16(w(u1), w(d1)));
    return _mm_srli_epi16(sum, 2);
  };
  std::size_t i = first;
  for (; i + 16 <= end; i += 16) {
    auto at = [](const std::uint8_t* q) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(q)); };
    const __m128i u0 = at(up + i - d), d0 = at(down + i - d), u1 = at(up + i + d), d1 = at(down + i + d);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i),
                     _mm_packus_epi16(quarter(u0, d0, u1, d1, false), quarter(u0, d0, u1, d1, true)));
  }
  for (; i < end; ++i) row[i] = static_cast<std::uint8_t>((up[i - d] + down[i - d] + up[i + d] + down[i + d]) / 4);
  // The columns near either end, where a neighbour is the pixel itself.
  for (int x = 0; x < width; x = (x + 1 == a ? width - static_cast<int>(a) : x + 1)) {
    const int left = (x - a < 0 ? x : static_cast<int>(x - a)) * 3;
    const int right = (x + a >= width ? x : static_cast<int>(x + a)) * 3;
    for (int c = 0; c < 3; ++c)
      row[x * 3 + c] = static_cast<std::uint8_t>((up[left + c] + down[left + c] + up[right + c] + down[right + c]) / 4);
  }
#else
  BlurRowPlain(row, up, down, width, a);
#endif
}

// ---- Grey -----------------------------------------------------------------------------------

namespace {

// The grey of n hundredths (n = 30 red + 59 green + 11 blue, 0 .. 25500), rounded exactly with
// ties to even, so that a true tie (a value ending in .5) goes to the even neighbour on every
// platform.
const std::array<std::uint8_t, 25501>& GreyOfHundredths() {
  static const std::array<std::uint8_t, 25501> table = [] {
    std::array<std::uint8_t, 25501> t{};
    for (int n = 0; n <= 25500; ++n) {
      const int q = n / 100, rest = n % 100;
      t[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(q + ((rest > 50 || (rest == 50 && (q & 1))) ? 1 : 0));
    }
    return t;
  }();
  return table;
}

}  // namespace

void GrayPixelsPlain(std::uint8_t* p, int width) {
  const std::array<std::uint8_t, 25501>& grey = GreyOfHundredths();
  for (int x = 0; x < width; ++x, p += 3)
    p[0] = p[1] = p[2] = grey[static_cast<std::size_t>(11 * p[0] + 59 * p[1] + 30 * p[2])];
}

#if VN_EFFECTS_SSE2 && defined(__GNUC__)
// Sixteen pixels at a time. Taking the channels of 16 pixels apart and putting one grey back
// three times over needs byte shuffles, which SSE2 lacks; processors with SSSE3 have them (all
// but the oldest x86_64 ones), and the others take the plain loop, decided once at run time.
#define VN_EFFECTS_GREY_SHUFFLE 1
namespace {

// Byte positions within the 48 bytes of 16 pixels (A: bytes 0-15, B: 16-31, C: 32-47); -1
// (0x80) gives a zero byte. Pixels 0-7: blue-green pairs and red-zero pairs from A and B;
// pixels 8-15 from B and C. Then where each of the 16 greys goes in A, B and C.
enum { kBgA0, kBgB0, kRA0, kRB0, kBgB1, kBgC1, kRB1, kRC1, kOut0, kOut1, kOut2, kGreyShuffles };
alignas(16) constexpr std::int8_t kGreyShuffle[kGreyShuffles][16] = {
    {0, 1, 3, 4, 6, 7, 9, 10, 12, 13, 15, -1, -1, -1, -1, -1},
    {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, 2, 3, 5, 6},
    {2, -1, 5, -1, 8, -1, 11, -1, 14, -1, -1, -1, -1, -1, -1, -1},
    {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 1, -1, 4, -1, 7, -1},
    {8, 9, 11, 12, 14, 15, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {-1, -1, -1, -1, -1, -1, 1, 2, 4, 5, 7, 8, 10, 11, 13, 14},
    {10, -1, 13, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {-1, -1, -1, -1, 0, -1, 3, -1, 6, -1, 9, -1, 12, -1, 15, -1},
    {0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5},
    {5, 5, 6, 6, 6, 7, 7, 7, 8, 8, 8, 9, 9, 9, 10, 10},
    {10, 11, 11, 11, 12, 12, 12, 13, 13, 13, 14, 14, 14, 15, 15, 15},
};
// n = 11 blue + 59 green + 30 red hundredths (at most 25,500) rounded half to even:
// g = (n + 50) div 100, less one where n + 50 is an exact odd multiple of 100 (a tie that
// went up from an even grey). (n + 50) x 41,944 / 2^22 is the division, exact for n here.
constexpr short kGreyReciprocal = static_cast<short>(41944);

__attribute__((target("ssse3"))) inline __m128i GreyShuffle(int which) {
  return _mm_load_si128(reinterpret_cast<const __m128i*>(kGreyShuffle[which]));
}

// The bytes of x picked by one shuffle, with those of y picked by another.
__attribute__((target("ssse3"))) inline __m128i Take(__m128i x, int fromX, __m128i y, int fromY) {
  return _mm_or_si128(_mm_shuffle_epi8(x, GreyShuffle(fromX)), _mm_shuffle_epi8(y, GreyShuffle(fromY)));
}

__attribute__((target("ssse3"))) int GrayPixelsShuffled(std::uint8_t* p, int width) {
  const __m128i weightsBG = _mm_setr_epi8(11, 59, 11, 59, 11, 59, 11, 59, 11, 59, 11, 59, 11, 59, 11, 59);
  const __m128i weightR = _mm_setr_epi8(30, 0, 30, 0, 30, 0, 30, 0, 30, 0, 30, 0, 30, 0, 30, 0);
  const __m128i fifty = _mm_set1_epi16(50), hundred = _mm_set1_epi16(100), one = _mm_set1_epi16(1);
  const __m128i reciprocal = _mm_set1_epi16(kGreyReciprocal);
  auto grey = [&](__m128i n) {
    const __m128i m = _mm_add_epi16(n, fifty);
    const __m128i g = _mm_srli_epi16(_mm_mulhi_epu16(m, reciprocal), 6);
    const __m128i tie = _mm_and_si128(_mm_cmpeq_epi16(_mm_mullo_epi16(g, hundred), m), _mm_and_si128(g, one));
    return _mm_sub_epi16(g, tie);
  };
  int x = 0;
  for (; x + 16 <= width; x += 16, p += 48) {
    __m128i* at = reinterpret_cast<__m128i*>(p);
    const __m128i a = _mm_loadu_si128(at), b = _mm_loadu_si128(at + 1), c = _mm_loadu_si128(at + 2);
    const __m128i n0 = _mm_add_epi16(_mm_maddubs_epi16(Take(a, kBgA0, b, kBgB0), weightsBG),
                                     _mm_maddubs_epi16(Take(a, kRA0, b, kRB0), weightR));
    const __m128i n1 = _mm_add_epi16(_mm_maddubs_epi16(Take(b, kBgB1, c, kBgC1), weightsBG),
                                     _mm_maddubs_epi16(Take(b, kRB1, c, kRC1), weightR));
    const __m128i g = _mm_packus_epi16(grey(n0), grey(n1));
    _mm_storeu_si128(at, _mm_shuffle_epi8(g, GreyShuffle(kOut0)));
    _mm_storeu_si128(at + 1, _mm_shuffle_epi8(g, GreyShuffle(kOut1)));
    _mm_storeu_si128(at + 2, _mm_shuffle_epi8(g, GreyShuffle(kOut2)));
  }
  return x;
}

// Two groups of 16 pixels at a time with AVX2: the first group in the low halves of the
// registers, the next in the high halves, each shuffled as above (the 256-bit shuffles work
// within halves).
__attribute__((target("avx2"))) inline __m256i GreyShuffleWide(int which) {
  return _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(kGreyShuffle[which])));
}

__attribute__((target("avx2"))) inline __m256i TwoHalves(const std::uint8_t* low, const std::uint8_t* high) {
  return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(low))),
                                 _mm_loadu_si128(reinterpret_cast<const __m128i*>(high)), 1);
}

__attribute__((target("avx2"))) inline void StoreHalves(std::uint8_t* low, std::uint8_t* high, __m256i v) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(low), _mm256_castsi256_si128(v));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(high), _mm256_extracti128_si256(v, 1));
}

__attribute__((target("avx2"))) inline __m256i TakeWide(__m256i x, int fromX, __m256i y, int fromY) {
  return _mm256_or_si256(_mm256_shuffle_epi8(x, GreyShuffleWide(fromX)), _mm256_shuffle_epi8(y, GreyShuffleWide(fromY)));
}

// The greys of sixteen sums n, as the 16-byte form works them out.
__attribute__((target("avx2"))) inline __m256i GreyWide(__m256i n) {
  const __m256i m = _mm256_add_epi16(n, _mm256_set1_epi16(50));
  const __m256i g = _mm256_srli_epi16(_mm256_mulhi_epu16(m, _mm256_set1_epi16(kGreyReciprocal)), 6);
  const __m256i tie = _mm256_and_si256(_mm256_cmpeq_epi16(_mm256_mullo_epi16(g, _mm256_set1_epi16(100)), m),
                                       _mm256_and_si256(g, _mm256_set1_epi16(1)));
  return _mm256_sub_epi16(g, tie);
}

__attribute__((target("avx2"))) int GrayPixelsShuffledWide(std::uint8_t* p, int width) {
  const __m256i weightsBG = _mm256_broadcastsi128_si256(_mm_setr_epi8(11, 59, 11, 59, 11, 59, 11, 59, 11, 59, 11, 59, 11, 59, 11, 59));
  const __m256i weightR = _mm256_broadcastsi128_si256(_mm_setr_epi8(30, 0, 30, 0, 30, 0, 30, 0, 30, 0, 30, 0, 30, 0, 30, 0));
  int x = 0;
  for (; x + 32 <= width; x += 32, p += 96) {
    const __m256i a = TwoHalves(p, p + 48), b = TwoHalves(p + 16, p + 64), c = TwoHalves(p + 32, p + 80);
    const __m256i n0 = _mm256_add_epi16(_mm256_maddubs_epi16(TakeWide(a, kBgA0, b, kBgB0), weightsBG),
                                        _mm256_maddubs_epi16(TakeWide(a, kRA0, b, kRB0), weightR));
    const __m256i n1 = _mm256_add_epi16(_mm256_maddubs_epi16(TakeWide(b, kBgB1, c, kBgC1), weightsBG),
                                        _mm256_maddubs_epi16(TakeWide(b, kRB1, c, kRC1), weightR));
    const __m256i g = _mm256_packus_epi16(GreyWide(n0), GreyWide(n1));
    StoreHalves(p, p + 48, _mm256_shuffle_epi8(g, GreyShuffleWide(kOut0)));
    StoreHalves(p + 16, p + 64, _mm256_shuffle_epi8(g, GreyShuffleWide(kOut1)));
    StoreHalves(p + 32, p + 80, _mm256_shuffle_epi8(g, GreyShuffleWide(kOut2)));
  }
  return x;
}

// Sixty-four pixels at a time with AVX-512 and its byte permutes (VBMI), which gather any bytes
// of two registers: the blue-green pairs and the red bytes of 32 pixels come straight out of
// the 128 bytes that hold them, and each 64 bytes of greys, three times over, out of one
// register of greys. Processors with AVX-512 but without byte permutes take the 32-pixel form.
struct TGreyPermutes {
  // Pixels 0-31 lie in bytes 0-95 of the first two registers loaded; pixels 32-63 in bytes
  // 96-191, which are bytes 32-127 of the second and third: the same indices plus 32.
  alignas(64) std::uint8_t BlueGreen[64];
  alignas(64) std::uint8_t Red[64];  // red in the even bytes; the odd ones are masked to zero
  // Where each output byte takes its grey from the packed greys: packing words to bytes goes
  // by 16-byte lanes, so lane k holds pixels 8k to 8k + 7, then 32 + 8k to 32 + 8k + 7.
  alignas(64) std::uint8_t Out[3][64];
};

constexpr TGreyPermutes MakeGreyPermutes() {
  TGreyPermutes t{};
  for (int j = 0; j < 64; ++j) {
    t.BlueGreen[j] = static_cast<std::uint8_t>(3 * (j / 2) + j % 2);
    t.Red[j] = static_cast<std::uint8_t>(j % 2 ? 0 : 3 * (j / 2) + 2);
  }
  for (int o = 0; o < 192; ++o) {
    const int pixel = o / 3, half = pixel / 32, q = pixel % 32;
    t.Out[o / 64][o % 64] = static_cast<std::uint8_t>(16 * (q / 8) + 8 * half + q % 8);
  }
  return t;
}
constexpr TGreyPermutes kGreyPermutes = MakeGreyPermutes();

__attribute__((target("avx512bw"))) inline __m512i Grey512(__m512i n) {
  const __m512i m = _mm512_add_epi16(n, _mm512_set1_epi16(50));
  const __m512i g = _mm512_srli_epi16(_mm512_mulhi_epu16(m, _mm512_set1_epi16(kGreyReciprocal)), 6);
  const __mmask32 tie = _mm512_cmpeq_epi16_mask(_mm512_mullo_epi16(g, _mm512_set1_epi16(100)), m);
  return _mm512_mask_sub_epi16(g, tie, g, _mm512_and_si512(g, _mm512_set1_epi16(1)));
}

__attribute__((target("avx512bw,avx512vbmi"))) int GrayPixelsPermuted(std::uint8_t* p, int width) {
  const __m512i blueGreen0 = _mm512_load_si512(kGreyPermutes.BlueGreen), red0 = _mm512_load_si512(kGreyPermutes.Red);
  const __m512i blueGreen1 = _mm512_add_epi8(blueGreen0, _mm512_set1_epi8(32)), red1 = _mm512_add_epi8(red0, _mm512_set1_epi8(32));
  const __mmask64 evenBytes = 0x5555555555555555ULL;
  const __m512i weightsBG = _mm512_set1_epi16(59 << 8 | 11), weightR = _mm512_set1_epi16(30);
  int x = 0;
  for (; x + 64 <= width; x += 64, p += 192) {
    const __m512i l0 = _mm512_loadu_si512(p), l1 = _mm512_loadu_si512(p + 64), l2 = _mm512_loadu_si512(p + 128);
    const __m512i n0 = _mm512_add_epi16(_mm512_maddubs_epi16(_mm512_permutex2var_epi8(l0, blueGreen0, l1), weightsBG),
                                        _mm512_maddubs_epi16(_mm512_maskz_permutex2var_epi8(evenBytes, l0, red0, l1), weightR));
    const __m512i n1 = _mm512_add_epi16(_mm512_maddubs_epi16(_mm512_permutex2var_epi8(l1, blueGreen1, l2), weightsBG),
                                        _mm512_maddubs_epi16(_mm512_maskz_permutex2var_epi8(evenBytes, l1, red1, l2), weightR));
    const __m512i g = _mm512_packus_epi16(Grey512(n0), Grey512(n1));
    // (The masked form with every byte chosen is the plain permute; the plain intrinsic trips
    // this compiler's uninitialised-value warning.)
    for (int k = 0; k < 3; ++k)
      _mm512_storeu_si512(p + 64 * k, _mm512_maskz_permutexvar_epi8(~__mmask64{0}, _mm512_load_si512(kGreyPermutes.Out[k]), g));
  }
  return x;
}

}  // namespace
#endif

void GrayPixels(std::uint8_t* p, int width) {
#if VN_EFFECTS_GREY_SHUFFLE
  if (CpuFeatures().Avx512Vbmi) {
    const int done = GrayPixelsPermuted(p, width);
    p += static_cast<std::ptrdiff_t>(done) * 3;
    width -= done;
  }
  if (CpuFeatures().Avx2) {
    const int done = GrayPixelsShuffledWide(p, width);
    p += static_cast<std::ptrdiff_t>(done) * 3;
    width -= done;
  }
  if (CpuFeatures().Ssse3) {
    const int done = GrayPixelsShuffled(p, width);
    p += static_cast<std::ptrdiff_t>(done) * 3;
    width -= done;
  }
#endif
  GrayPixelsPlain(p, width);
}

}  // namespace vnEffectRows
