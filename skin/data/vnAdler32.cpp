#include "skin/data/vnAdler32.h"

#include <zlib.h>

#include <algorithm>

#if defined(__x86_64__) && defined(__GNUC__)
#define VN_ADLER_AVX2 1
#include <immintrin.h>
#endif

namespace {

constexpr std::uint32_t kModulus = 65521;

// zlib's adler32 counts in 32 bits: very large runs go in pieces.
std::uint32_t ZlibAdler32(std::uint32_t adler, const std::uint8_t* bytes, std::size_t count) {
  while (count > 0) {
    const std::size_t piece = std::min<std::size_t>(count, 1u << 30);
    adler = static_cast<std::uint32_t>(adler32(adler, bytes, static_cast<uInt>(piece)));
    bytes += piece;
    count -= piece;
  }
  return adler;
}

#if VN_ADLER_AVX2
// Both sums are taken modulo 65521 after at most this many bytes, as zlib does after 5,552,
// the most for which the second sum cannot pass 32 bits; here a whole number of 32-byte blocks.
constexpr std::size_t kRun = 5536;

// Over a block of 32 bytes x0 .. x31 taken from sums (a, b), a grows by the bytes and b by
// 32 a + 32 x0 + 31 x1 + ... + 1 x31. Over a run of blocks, a before block k is a plus the
// bytes of the blocks before it, so b grows by 32 a (blocks) + 32 (sum over k of the bytes
// before block k) + the weighted sums of the blocks; the vector lanes hold those three sums
// in pieces, added up at the end of the run.
__attribute__((target("avx2"))) std::uint32_t Adler32Avx2(std::uint32_t adler, const std::uint8_t* bytes,
                                                          std::size_t count) {
  std::uint64_t a = adler & 0xFFFF, b = adler >> 16;
  const __m256i weights = _mm256_setr_epi8(32, 31, 30, 29, 28, 27, 26, 25, 24, 23, 22, 21, 20, 19, 18, 17, 16, 15,
                                           14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1);
  const __m256i ones = _mm256_set1_epi16(1);
  const __m256i zero = _mm256_setzero_si256();
  while (count >= 32) {
    const std::size_t blocks = std::min(count, kRun) / 32;
    __m256i sum = zero, before = zero, weighted = zero;
    for (std::size_t k = 0; k < blocks; ++k, bytes += 32) {
      const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes));
      before = _mm256_add_epi32(before, sum);
      // Eight bytes to a 64-bit lane: at most 2,040, so the lanes add up as 32-bit ones.
      sum = _mm256_add_epi32(sum, _mm256_sad_epu8(v, zero));
      // Byte pairs times their weights (at most 16,065) and then the pairs of those.
      weighted = _mm256_add_epi32(weighted, _mm256_madd_epi16(_mm256_maddubs_epi16(v, weights), ones));
    }
    alignas(32) std::uint32_t lanes[3][8];
    _mm256_store_si256(reinterpret_cast<__m256i*>(lanes[0]), sum);
    _mm256_store_si256(reinterpret_cast<__m256i*>(lanes[1]), before);
    _mm256_store_si256(reinterpret_cast<__m256i*>(lanes[2]), weighted);
    std::uint64_t total[3] = {0, 0, 0};
    for (int s = 0; s < 3; ++s)
      for (std::uint32_t lane : lanes[s]) total[s] += lane;
    b = (b + 32 * a * blocks + 32 * total[1] + total[2]) % kModulus;
    a = (a + total[0]) % kModulus;
    count -= blocks * 32;
  }
  for (; count > 0; --count, ++bytes) {  // fewer than 32: neither sum can pass 32 bits
    a += *bytes;
    b += a;
  }
  return static_cast<std::uint32_t>((b % kModulus) << 16 | (a % kModulus));
}

bool HaveAvx2() {
  static const bool have = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return have;
}
#endif

}  // namespace

std::uint32_t Adler32(std::uint32_t adler, const std::uint8_t* bytes, std::size_t count) {
#if VN_ADLER_AVX2
  if (HaveAvx2()) return Adler32Avx2(adler, bytes, count);
#endif
  return ZlibAdler32(adler, bytes, count);
}
