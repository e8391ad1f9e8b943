// Index: rounding and clamping; construction and rows; effects (Lighten, Darken, ToGray,
// AddRandomNoise, DiagonalBlur, InvertColors); morphs (BlendTo, CenterWipeTo, LeftWipeTo,
// RightWipeTo, SlideInFromLeft, SlideInFromRight, PushInFromLeft); dispatch by skin value.
#include "skin/imaging/vnEffects.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <random>
#include <vector>

namespace {

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

// kf and amounts outside 0..1 count as the nearer end (NaN as 0).
inline double Unit(double v) { return v > 0 ? (v < 1 ? v : 1) : 0; }

// R(W * kf) for kf in 0..1.
inline int RoundedPart(int whole, double kf) { return static_cast<int>(RoundEven(whole * kf)); }

using TTable = std::array<std::uint8_t, 256>;

// Applies a per-channel table to every channel of every pixel.
void ApplyTable(TPixelBitmap& bitmap, const TTable& table) {
  const int bytes = bitmap.Width() * 3;
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint8_t* p = bitmap.ScanLine(y);
    for (int i = 0; i < bytes; ++i) p[i] = table[p[i]];
  }
}

// The weights m, growing by step after each of count columns (or rows) and capped at 1, as a
// running sum exactly as the walk adds them up.
std::vector<double> Weights(int count, double step) {
  std::vector<double> w(static_cast<std::size_t>(std::max(count, 0)));
  double m = 0;
  for (double& v : w) {
    v = m;
    m += step;
    if (m > 1) m = 1;
  }
  return w;
}

// One pixel: each channel becomes R(m * S + (1 - m) * O), clamped.
inline void Mix(std::uint8_t* s, const std::uint8_t* o, double m, double n) {
  s[0] = RoundClamp(m * s[0] + n * o[0]);
  s[1] = RoundClamp(m * s[1] + n * o[1]);
  s[2] = RoundClamp(m * s[2] + n * o[2]);
}

}  // namespace

TvnEffectBmp::TvnEffectBmp(int width, int height) : FBitmap(width, height) {}

TvnEffectBmp::TvnEffectBmp(const TPixelView& picture) : FBitmap(picture.Width, picture.Height) {
  if (picture.IsEmpty()) return;
  for (int y = 0; y < picture.Height; ++y)
    std::memcpy(FBitmap.ScanLine(y), picture.ScanLine(y), static_cast<std::size_t>(picture.Width) * 3);
}

void TvnEffectBmp::ReadRow(int y, std::uint8_t* buffer) const {
  std::memcpy(buffer, FBitmap.ScanLine(y), static_cast<std::size_t>(Width()) * 3);
}

void TvnEffectBmp::WriteRow(int y, const std::uint8_t* buffer) {
  std::memcpy(FBitmap.ScanLine(y), buffer, static_cast<std::size_t>(Width()) * 3);
}

void TvnEffectBmp::FlipRowsInto(TvnEffectBmp& other) const {
  if (!SameSize(other) || &other == this) {
    if (&other == this && Height() > 1) {
      std::vector<std::uint8_t> row(static_cast<std::size_t>(Width()) * 3);
      for (int y = 0, z = Height() - 1; y < z; ++y, --z) {
        std::memcpy(row.data(), other.FBitmap.ScanLine(y), row.size());
        std::memcpy(other.FBitmap.ScanLine(y), other.FBitmap.ScanLine(z), row.size());
        std::memcpy(other.FBitmap.ScanLine(z), row.data(), row.size());
      }
    }
    return;
  }
  for (int y = 0; y < Height(); ++y)
    std::memcpy(other.FBitmap.ScanLine(Height() - 1 - y), FBitmap.ScanLine(y),
                static_cast<std::size_t>(Width()) * 3);
}

// ---- Effects ------------------------------------------------------------------------------

void TvnEffectBmp::Lighten(double amount) {
  const double x = Unit(amount);
  TTable table;
  for (int s = 0; s < 256; ++s) table[s] = RoundClamp((1 - x) * s + 255 * x);
  ApplyTable(FBitmap, table);
}

void TvnEffectBmp::Darken(double amount) {
  const double x = Unit(amount);
  TTable table;
  for (int s = 0; s < 256; ++s) table[s] = RoundClamp((1 - x) * s);
  ApplyTable(FBitmap, table);
}

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

void TvnEffectBmp::ToGray() {
  // g = R(0.3 red + 0.59 green + 0.11 blue), from the exact weighted sum in hundredths.
  const std::array<std::uint8_t, 25501>& grey = GreyOfHundredths();
  for (int y = 0; y < Height(); ++y) {
    std::uint8_t* p = FBitmap.ScanLine(y);
    for (int x = 0; x < Width(); ++x, p += 3)
      p[0] = p[1] = p[2] = grey[static_cast<std::size_t>(11 * p[0] + 59 * p[1] + 30 * p[2])];
  }
}

void TvnEffectBmp::InvertColors() {
  TTable table;
  for (int s = 0; s < 256; ++s) table[s] = static_cast<std::uint8_t>(255 - s);
  ApplyTable(FBitmap, table);
}

void TvnEffectBmp::AddRandomNoise(int amount) {
  if (amount <= 0) return;
  // A small xorshift generator per thread, seeded once; the picture need not be reproducible.
  thread_local std::uint64_t state = std::random_device{}() | (std::uint64_t{std::random_device{}()} << 32) | 1;
  const int half = amount / 2;
  for (int y = 0; y < Height(); ++y) {
    std::uint8_t* p = FBitmap.ScanLine(y);
    for (int x = 0; x < Width(); ++x, p += 3) {
      state ^= state >> 12;
      state ^= state << 25;
      state ^= state >> 27;
      const std::uint64_t draw = (state * 0x2545F4914F6CDD1DULL) >> 32;  // uniform 32 bits
      const int r = static_cast<int>((draw * static_cast<std::uint64_t>(amount)) >> 32) - half;
      for (int c = 0; c < 3; ++c) {
        const int v = p[c] + r;
        p[c] = static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
      }
    }
  }
}

void TvnEffectBmp::DiagonalBlur(int distance) {
  if (distance <= 0) return;
  const std::int64_t a = distance;
  const int w = Width(), h = Height();
  // In place: rows above (and pixels to the left) are already blurred when they are read.
  for (int y = 0; y < h; ++y) {
    const int upper = y - a < 0 ? y : static_cast<int>(y - a);
    const int lower = y + a >= h ? y : static_cast<int>(y + a);
    const std::uint8_t* up = FBitmap.ScanLine(upper);
    const std::uint8_t* down = FBitmap.ScanLine(lower);
    std::uint8_t* row = FBitmap.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      const int left = (x - a < 0 ? x : static_cast<int>(x - a)) * 3;
      const int right = (x + a >= w ? x : static_cast<int>(x + a)) * 3;
      for (int c = 0; c < 3; ++c)
        row[x * 3 + c] = static_cast<std::uint8_t>(
            (up[left + c] + down[left + c] + up[right + c] + down[right + c]) / 4);
    }
  }
}

void TvnEffectBmp::ApplyInactiveEffect(int effect) {
  switch (effect) {
    case 0: Lighten(0.5); break;
    case 1: Darken(0.3); break;
    case 2: ToGray(); break;
    case 3: AddRandomNoise(50); break;
    case 4: DiagonalBlur(1); break;
    case 5: InvertColors(); break;
    default: break;
  }
}

// ---- Morphs -------------------------------------------------------------------------------

void TvnEffectBmp::BlendTo(const TvnEffectBmp& other, double kf) {
  if (!SameSize(other)) return;
  kf = Unit(kf);
  // (1 - kf) * S and kf * O for every channel value; each channel is then one addition.
  std::array<double, 256> self{}, theirs{};
  for (int v = 0; v < 256; ++v) {
    self[v] = (1 - kf) * v;
    theirs[v] = kf * v;
  }
  const int bytes = Width() * 3;
  const long long channels = static_cast<long long>(bytes) * Height();
  if (channels <= 65536) {
    for (int y = 0; y < Height(); ++y) {
      std::uint8_t* s = FBitmap.ScanLine(y);
      const std::uint8_t* o = other.FBitmap.ScanLine(y);
      for (int i = 0; i < bytes; ++i) s[i] = RoundClamp(self[s[i]] + theirs[o[i]]);
    }
    return;
  }
  // A large picture: every result for every pair of channel values once, then one look-up
  // per channel (the same sums, so the same results).
  std::vector<std::uint8_t> table(65536);
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b) table[static_cast<std::size_t>(a << 8 | b)] = RoundClamp(self[a] + theirs[b]);
  for (int y = 0; y < Height(); ++y) {
    std::uint8_t* s = FBitmap.ScanLine(y);
    const std::uint8_t* o = other.FBitmap.ScanLine(y);
    for (int i = 0; i < bytes; ++i) s[i] = table[static_cast<std::size_t>(s[i] << 8 | o[i])];
  }
}

void TvnEffectBmp::CenterWipeTo(const TvnEffectBmp& other, double kf) {
  if (!SameSize(other) || FBitmap.IsEmpty()) return;
  if (&other == this) return;  // every pixel would become itself
  if (Width() >= Height()) CenterWipeColumns(other, Unit(kf));
  else CenterWipeRows(other, Unit(kf));
}

void TvnEffectBmp::CenterWipeColumns(const TvnEffectBmp& other, double kf) {
  const int W = Width();
  const int b = RoundedPart(W, kf);
  const int k = (W - b) / 2;
  const double f = k == 0 ? 1.0 : 1.0 / k;
  const int lo = std::max(W / 2 - b / 2, 0);
  const int hi = std::min(W / 2 + b / 2, W - 1);
  const std::vector<double> down = Weights(lo + 1, f);   // columns lo, lo - 1, ..., 0
  const std::vector<double> up = Weights(W - hi, f);     // columns hi, hi + 1, ..., W - 1
  for (int y = 0; y < Height(); ++y) {
    std::uint8_t* s = FBitmap.ScanLine(y);
    const std::uint8_t* o = other.FBitmap.ScanLine(y);
    std::memcpy(s + lo * 3, o + lo * 3, static_cast<std::size_t>(hi - lo + 1) * 3);
    for (int i = 0; i <= lo; ++i) Mix(s + (lo - i) * 3, o + (lo - i) * 3, down[i], 1 - down[i]);
    for (int i = 0; hi + i < W; ++i) Mix(s + (hi + i) * 3, o + (hi + i) * 3, up[i], 1 - up[i]);
  }
}

void TvnEffectBmp::CenterWipeRows(const TvnEffectBmp& other, double kf) {
  const int H = Height();
  const std::size_t bytes = static_cast<std::size_t>(Width()) * 3;
  const int b = RoundedPart(H, kf);
  const int k = (H - 1 - b) / 2;
  const double f = k == 0 ? 0.0 : 1.0 / k;
  const int lo = std::max(H / 2 - b / 2, 0);
  const int hi = std::min(H / 2 + b / 2, H - 1);
  for (int y = lo; y <= hi; ++y) std::memcpy(FBitmap.ScanLine(y), other.FBitmap.ScanLine(y), bytes);
  auto mixRow = [&](int y, double m) {
    std::uint8_t* s = FBitmap.ScanLine(y);
    const std::uint8_t* o = other.FBitmap.ScanLine(y);
    const double n = 1 - m;
    for (std::size_t i = 0; i < bytes; ++i) s[i] = RoundClamp(m * s[i] + n * o[i]);
  };
  const std::vector<double> down = Weights(lo + 1, f), up = Weights(H - hi, f);
  for (int i = 0; i <= lo; ++i) mixRow(lo - i, down[i]);
  for (int i = 0; hi + i < H; ++i) mixRow(hi + i, up[i]);
}

void TvnEffectBmp::LeftWipeTo(const TvnEffectBmp& other, double kf) {
  if (!SameSize(other) || FBitmap.IsEmpty()) return;
  const int W = Width();
  const int a = std::min(std::max(RoundedPart(W, Unit(kf)), 1), W - 1);
  const std::vector<double> d = Weights(a + 1, a > 0 ? 1.0 / a : 1.0);  // columns 0 .. a
  for (int y = 0; y < Height(); ++y) {
    std::uint8_t* s = FBitmap.ScanLine(y);
    const std::uint8_t* o = other.FBitmap.ScanLine(y);
    for (int x = 0; x <= a; ++x) Mix(s + x * 3, o + x * 3, d[x], 1 - d[x]);
  }
}

void TvnEffectBmp::RightWipeTo(const TvnEffectBmp& other, double kf) {
  if (!SameSize(other) || FBitmap.IsEmpty()) return;
  const int W = Width();
  const int a = std::min(std::max(W - RoundedPart(W, Unit(kf)), 0), W - 1);
  const std::vector<double> d = Weights(W - a, W - a <= 0 ? 1.0 : 1.0 / (W - a));  // W-1 .. a
  for (int y = 0; y < Height(); ++y) {
    std::uint8_t* s = FBitmap.ScanLine(y);
    const std::uint8_t* o = other.FBitmap.ScanLine(y);
    for (int i = 0; W - 1 - i >= a; ++i) Mix(s + (W - 1 - i) * 3, o + (W - 1 - i) * 3, d[i], 1 - d[i]);
  }
}

void TvnEffectBmp::SlideInFromLeft(const TvnEffectBmp& other, double kf) {
  if (!SameSize(other) || FBitmap.IsEmpty()) return;
  const int W = Width();
  const int b = std::min(std::max(RoundedPart(W, Unit(kf)), 1), W - 1);
  if (b <= 0) return;
  for (int y = 0; y < Height(); ++y)
    std::memmove(FBitmap.ScanLine(y), other.FBitmap.ScanLine(y) + (W - b) * 3, static_cast<std::size_t>(b) * 3);
}

void TvnEffectBmp::SlideInFromRight(const TvnEffectBmp& other, double kf) {
  if (!SameSize(other) || FBitmap.IsEmpty()) return;
  const int W = Width();
  const int b = std::min(std::max(RoundedPart(W, Unit(kf)), 1), W - 1);
  if (b <= 0) return;
  for (int y = 0; y < Height(); ++y)
    std::memmove(FBitmap.ScanLine(y) + (W - b) * 3, other.FBitmap.ScanLine(y), static_cast<std::size_t>(b) * 3);
}

void TvnEffectBmp::PushInFromLeft(const TvnEffectBmp& other, double kf) {
  if (!SameSize(other) || FBitmap.IsEmpty()) return;
  const int W = Width();
  const int a = std::min(std::max(RoundedPart(W, Unit(kf)), 0), W - 1);
  // A morph toward itself reads the other picture after this one has moved: keep a copy.
  const TPixelBitmap* from = &other.FBitmap;
  TPixelBitmap copy;
  if (&other == this) {
    copy = FBitmap;
    from = &copy;
  }
  for (int y = 0; y < Height(); ++y) {
    std::uint8_t* s = FBitmap.ScanLine(y);
    // Pass 1: the picture moves a + 1 columns to the right (column a takes column 0).
    if (W - a - 1 > 0) std::memmove(s + (a + 1) * 3, s, static_cast<std::size_t>(W - a - 1) * 3);
    // Pass 2: columns 0 .. a take the other picture's last a + 1 columns.
    std::memcpy(s, from->ScanLine(y) + (W - a - 1) * 3, static_cast<std::size_t>(a + 1) * 3);
  }
}

void TvnEffectBmp::Morph(int kind, const TvnEffectBmp& other, double kf) {
  switch (kind) {
    case 0: BlendTo(other, kf); break;
    case 1: CenterWipeTo(other, kf); break;
    case 2: LeftWipeTo(other, kf); break;
    case 3: RightWipeTo(other, kf); break;
    case 4: SlideInFromLeft(other, kf); break;
    case 5: SlideInFromRight(other, kf); break;
    case 6: PushInFromLeft(other, kf); break;
    default: break;
  }
}
