// The fast pixel loops give the same bytes as the plain ones, on random rows whose lengths end
// exactly on a 16-, 32- or 64-byte block (as many pixels for grey), one short of it and one past it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "skin/imaging/vnEffects.h"
#include "skin/imaging/vnEffectsRows.h"

using namespace vnEffectRows;

namespace {

std::vector<std::uint8_t> RandomBytes(std::mt19937& rng, std::size_t n) {
  std::vector<std::uint8_t> v(n);
  for (auto& b : v) b = static_cast<std::uint8_t>(rng());
  return v;
}

const std::size_t kLengths[] = {0, 1, 15, 16, 17, 31, 32, 33, 47, 48, 49, 63, 64, 65, 95, 96, 99, 191, 192, 195, 300};

}  // namespace

TEST(EffectRows, ChannelMapsMatchThePlainLoop) {
  std::mt19937 rng(7);
  std::vector<double> amounts = {0.0, 0.3, 0.5, 1.0, 1e-9, 1 - 1e-9, 0.25, 0.7};
  for (int i = 0; i < 40; ++i) amounts.push_back(std::uniform_real_distribution<double>(0, 1)(rng));
  std::vector<std::uint8_t> every(256);
  for (int s = 0; s < 256; ++s) every[static_cast<std::size_t>(s)] = static_cast<std::uint8_t>(s);
  for (double x : amounts)
    for (const TByteMap& map : {MakeByteMap(1 - x, 255 * x), MakeByteMap(1 - x, 0), InvertMap()}) {
      std::vector<std::uint8_t> fast = every, plain = every;
      MapBytes(fast.data(), fast.size(), map);
      MapBytesPlain(plain.data(), plain.size(), map);
      ASSERT_EQ(fast, plain) << "amount " << x << " fixed " << map.Fixed;
      for (std::size_t n : kLengths) {
        std::vector<std::uint8_t> a = RandomBytes(rng, n), b = a;
        MapBytes(a.data(), n, map);
        MapBytesPlain(b.data(), n, map);
        ASSERT_EQ(a, b) << "amount " << x << " length " << n;
      }
    }
#if defined(__SSE2__)
  // The amounts the frame uses take the fixed-point form (else they are plain speed).
  EXPECT_TRUE(MakeByteMap(1 - 0.5, 255 * 0.5).Fixed);
  EXPECT_TRUE(MakeByteMap(1 - 0.3, 0).Fixed);
#endif
}

TEST(EffectRows, BlendMatchesThePlainLoopForEveryPair) {
  std::mt19937 rng(11);
  std::vector<double> kfs = {0.0, 0.2, 0.4, 0.5, 0.2 + 0.2 + 0.2, 0.8, 1.0, 1e-12};
  for (int i = 0; i < 3; ++i) kfs.push_back(std::uniform_real_distribution<double>(0, 1)(rng));
  std::vector<std::uint8_t> s(65536 + 9), o(65536 + 9);
  for (double kf : kfs) {
    for (std::size_t i = 0; i < s.size(); ++i) {
      s[i] = static_cast<std::uint8_t>(i >> 8);
      o[i] = static_cast<std::uint8_t>(i);
    }
    const TBlend blend = MakeBlend(kf, true);
    std::vector<std::uint8_t> fast = s, plain = s;
    BlendBytes(fast.data(), o.data(), s.size(), blend);
    BlendBytesPlain(plain.data(), o.data(), s.size(), blend);
    ASSERT_EQ(fast, plain) << "kf " << kf << " fixed " << blend.Fixed;
  }
#if defined(__SSE2__)
  EXPECT_TRUE(MakeBlend(0.4, true).Fixed);
  EXPECT_TRUE(MakeBlend(0.5, true).Fixed);
#endif
}

TEST(EffectRows, MixAndGreyMatchThePlainLoop) {
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> unit(0, 1);
  for (std::size_t n : kLengths) {
    const std::vector<std::uint8_t> s = RandomBytes(rng, n), o = RandomBytes(rng, n);
    std::vector<double> m(n), rest(n);
    for (std::size_t i = 0; i < n; ++i) {
      // Weights on the ends and on a running sum of steps, as the wipes make them.
      m[i] = i % 5 == 0 ? 0.0 : i % 5 == 1 ? 1.0 : i % 5 == 2 ? (i / 5) * (1.0 / 7) : unit(rng);
      rest[i] = 1 - m[i];
    }
    std::vector<std::uint8_t> a = s, b = s;
    MixBytes(a.data(), o.data(), m.data(), rest.data(), n);
    MixBytesPlain(b.data(), o.data(), m.data(), rest.data(), n);
    ASSERT_EQ(a, b) << "length " << n;
    for (double w : {0.0, 0.5, 1.0 / 3, 1.0}) {
      a = s;
      b = s;
      MixBytes(a.data(), o.data(), w, 1 - w, n);
      MixBytesPlain(b.data(), o.data(), w, 1 - w, n);
      ASSERT_EQ(a, b) << "length " << n << " weight " << w;
    }
    const int width = static_cast<int>(n / 3);
    a = s;
    b = s;
    GrayPixels(a.data(), width);
    GrayPixelsPlain(b.data(), width);
    ASSERT_EQ(a, b) << "width " << width;
  }
}

TEST(EffectRows, FixedPointMixMatchesThePlainLoop) {
  // Weights as the wipes add them up (steps of 1/k capped at 1, so 0 and 1 come exactly; steps
  // of 1/8 make true ties at 1/2), over a picture against its inverse, against one chosen to
  // put m (s - o) next to a .5 at every channel, and with weights chosen to put m (s - o)
  // within 2^-20 or 2^-26 of a .5 or on it, where the fixed-point form must hand over to
  // doubles. Lengths end on a 32- and a 64-channel block, one short of them and one past, and
  // in the middle of a pixel.
  std::mt19937 rng(9);
  const std::size_t lengths[] = {0, 1, 31, 32, 33, 45, 48, 51, 63, 64, 65, 127, 128, 129, 3000};
  for (int k : {7, 8, 576, 1000})
    for (std::size_t n : lengths)
      for (int kind = 0; kind < 4; ++kind) {
        std::vector<double> m(n), rest(n);
        double w = 0;
        for (std::size_t i = 0; i < n; ++i) {
          m[i] = w;
          if (i % 3 == 2) w = std::min(w + 1.0 / k * (n < 100 ? 40 : 1), 1.0);
        }
        std::vector<std::uint8_t> s = RandomBytes(rng, n), o = RandomBytes(rng, n);
        for (std::size_t i = 0; i < n; ++i) {
          if (kind == 1) o[i] = static_cast<std::uint8_t>(255 - s[i]);
          if (kind == 2) {
            // The difference whose product with m lies nearest a .5.
            int best = 0;
            double nearest = 1;
            for (int d = 1; d <= 255 - o[i]; ++d) {
              const double x = m[i] * d;
              const double off = std::abs(x - std::floor(x) - 0.5);
              if (off < nearest) nearest = off, best = d;
            }
            s[i] = static_cast<std::uint8_t>(o[i] + best);
          }
          if (kind == 3 && s[i] != o[i]) {
            const int d = std::abs(s[i] - o[i]);
            const double offsets[] = {0, std::ldexp(1, -20), -std::ldexp(1, -20), std::ldexp(1, -26), -std::ldexp(1, -26)};
            const double half = std::floor(d * 0.5) + 0.5;
            m[i] = std::clamp((std::min(half, d - 0.5) + offsets[i % 5]) / d, 0.0, 1.0);
          }
        }
        std::vector<std::uint16_t> fixed(n);
        for (std::size_t i = 0; i < n; ++i) {
          rest[i] = 1 - m[i];
          fixed[i] = FixedMixWeight(m[i]);
        }
        std::vector<std::uint8_t> fast = s, plain = s;
        MixBytesFixed(fast.data(), o.data(), m.data(), fixed.data(), n);
        MixBytesPlain(plain.data(), o.data(), m.data(), rest.data(), n);
        ASSERT_EQ(fast, plain) << "step 1/" << k << " length " << n << " kind " << kind;
      }
}

TEST(EffectRows, PaddingAtTheEndOfRowsIsLeftAsItWas) {
  // Rows of 5 pixels end in one padding byte; the whole-block runs must not change it.
  for (int effect = 0; effect < 5; ++effect) {
    TvnEffectBmp b(5, 3), o(5, 3);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) {
        b.WritePixel(x, y, static_cast<std::uint32_t>(0x203040 * (x + 1) + y));
        o.WritePixel(x, y, 0x00FFFFFF);
      }
    if (effect < 3) b.ApplyInactiveEffect(effect == 2 ? 5 : effect);
    else b.BlendTo(o, effect == 3 ? 0.4 : 0.5);
    for (int y = 0; y < 3; ++y) EXPECT_EQ(b.Bitmap().ScanLine(y)[15], 0) << "effect " << effect << " row " << y;
  }
}

TEST(EffectRows, GreyOfEveryColourMatchesThePlainLoop) {
  // All 2^24 colours, one blue value per row of 65,536 pixels (a width that fills whole blocks).
  std::vector<std::uint8_t> fast(65536 * 3), plain(fast.size());
  for (int blue = 0; blue < 256; ++blue) {
    for (std::size_t i = 0; i < 65536; ++i) {
      fast[i * 3] = static_cast<std::uint8_t>(blue);
      fast[i * 3 + 1] = static_cast<std::uint8_t>(i >> 8);
      fast[i * 3 + 2] = static_cast<std::uint8_t>(i);
    }
    plain = fast;
    GrayPixels(fast.data(), 65536);
    GrayPixelsPlain(plain.data(), 65536);
    ASSERT_EQ(fast, plain) << "blue " << blue;
  }
}

TEST(EffectRows, NoiseOffsetsAndBlurRowsMatchThePlainLoop) {
  std::mt19937 rng(3);
  for (int width : {1, 2, 5, 6, 11, 40}) {
    const std::size_t bytes = static_cast<std::size_t>(width) * 3;
    // Offsets past either end of the scale, on it, and inside.
    std::vector<int> r(static_cast<std::size_t>(width));
    const int ends[] = {-300, -256, -255, -1, 0, 1, 255, 256, 300};
    for (std::size_t x = 0; x < r.size(); ++x)
      r[x] = x < 9 ? ends[x] : std::uniform_int_distribution<int>(-30, 30)(rng);
    std::vector<std::uint8_t> a = RandomBytes(rng, bytes), b = a;
    AddOffsets(a.data(), width, r.data());
    AddOffsetsPlain(b.data(), width, r.data());
    ASSERT_EQ(a, b) << "width " << width;
    // Distances from 1 to just under and at half the width, where no column has both
    // neighbours inside.
    const std::vector<std::uint8_t> up = RandomBytes(rng, bytes), down = RandomBytes(rng, bytes);
    for (std::int64_t d : {std::int64_t{1}, std::int64_t{2}, std::int64_t{(width - 1) / 2}, std::int64_t{width / 2}}) {
      if (d <= 0) continue;
      a = RandomBytes(rng, bytes);
      b = a;
      BlurRow(a.data(), up.data(), down.data(), width, d);
      BlurRowPlain(b.data(), up.data(), down.data(), width, d);
      ASSERT_EQ(a, b) << "width " << width << " distance " << d;
    }
  }
}
