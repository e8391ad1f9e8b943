// Index: helpers (kf clamping, runs over all channels, wipe weights); construction and rows;
// effects (Lighten, Darken, ToGray, AddRandomNoise, DiagonalBlur, InvertColors); morphs (BlendTo,
// CenterWipeTo, LeftWipeTo, RightWipeTo, SlideInFromLeft, SlideInFromRight, PushInFromLeft);
// dispatch by skin value. The pixel loops themselves are in vnEffectsRows.
#include "skin/imaging/vnEffects.h"

#include "skin/imaging/vnEffectsRows.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <random>
#include <vector>

namespace {

using namespace vnEffectRows;

// kf and amounts outside 0..1 count as the nearer end (NaN as 0).
inline double Unit(double v) { return v > 0 ? (v < 1 ? v : 1) : 0; }

// R(W * kf) for kf in 0..1.
inline int RoundedPart(int whole, double kf) { return static_cast<int>(RoundEven(whole * kf)); }

// Runs work(offset, count) over the channels of every row. When rows are padded, the whole
// block is done in one run (narrow strips would otherwise go a few bytes at a time) and the
// padding bytes are put back afterwards, so that only pixels change.
template <class Work>
void OverAllChannels(TPixelBitmap& bitmap, Work work) {
  const std::size_t stride = static_cast<std::size_t>(bitmap.Stride());
  const std::size_t bytes = static_cast<std::size_t>(bitmap.Width()) * 3;
  const int h = bitmap.Height();
  if (h <= 0 || bytes == 0) return;
  const std::size_t pad = stride - bytes;
  std::uint8_t* base = bitmap.ScanLine(0);
  if (pad == 0) {
    work(std::size_t{0}, stride * static_cast<std::size_t>(h));
    return;
  }
  std::vector<std::uint8_t> padding(pad * static_cast<std::size_t>(h));
  auto padOf = [&](int y) { return base + stride * static_cast<std::size_t>(y) + bytes; };
  auto keptOf = [&](int y) { return padding.data() + pad * static_cast<std::size_t>(y); };
  for (int y = 0; y < h; ++y) std::memcpy(keptOf(y), padOf(y), pad);
  work(std::size_t{0}, stride * static_cast<std::size_t>(h - 1) + bytes);
  for (int y = 0; y < h; ++y) std::memcpy(padOf(y), keptOf(y), pad);
}

void ApplyMap(TPixelBitmap& bitmap, const TByteMap& map) {
  std::uint8_t* base = bitmap.IsEmpty() ? nullptr : bitmap.ScanLine(0);
  OverAllChannels(bitmap, [&](std::size_t at, std::size_t count) { MapBytes(base + at, count, map); });
}

// The weights m, growing by step after each of count columns (or rows) and capped at 1, as a
// running sum exactly as the walk adds them up: put(j, m) for j = 0 .. count - 1.
template <class Put>
void RunningWeights(int count, double step, Put put) {
  double m = 0;
  for (int j = 0; j < count; ++j) {
    put(static_cast<std::size_t>(j), m);
    m += step;
    if (m > 1) m = 1;
  }
}

std::vector<double> Weights(int count, double step) {
  std::vector<double> w(static_cast<std::size_t>(std::max(count, 0)));
  RunningWeights(count, step, [&](std::size_t j, double m) { w[j] = m; });
  return w;
}

// Where a run of count columns puts weight j: from its first column on, or from its last one
// back (reversed).
inline std::size_t ColumnOf(std::size_t j, std::size_t count, bool reversed) { return reversed ? count - 1 - j : j; }

// Per-channel weights for a run of columns: weight j (m) and 1 - m (n) on the three channels
// of its column.
struct TChannelWeights {
  std::vector<double> M, N;
  void Columns(int columns, double step, bool reversed) {
    const std::size_t count = static_cast<std::size_t>(std::max(columns, 0));
    M.resize(count * 3);
    N.resize(count * 3);
    RunningWeights(columns, step, [&](std::size_t j, double m) {
      const std::size_t at = ColumnOf(j, count, reversed) * 3;
      M[at] = M[at + 1] = M[at + 2] = m;
      N[at] = N[at + 1] = N[at + 2] = 1 - m;
    });
  }
};

// Per-channel weights for MixBytesFixed: weight j on the three channels of its column, in
// doubles and in fixed point.
struct TFixedWeights {
  // Every element is written right after sizing: the memory is not zeroed first.
  std::vector<double, TDefaultInitAllocator<double>> M;
  std::vector<std::uint16_t, TDefaultInitAllocator<std::uint16_t>> Fixed;
  void Resize(int columns) {
    M.resize(static_cast<std::size_t>(std::max(columns, 0)) * 3);
    Fixed.resize(M.size());
  }
  void Put(std::size_t column, double m, std::uint16_t fixed) {
    const std::size_t c = column * 3;
    M[c] = M[c + 1] = M[c + 2] = m;
    Fixed[c] = Fixed[c + 1] = Fixed[c + 2] = fixed;
  }
};

// The two runs of a centre wipe share one running sum: weight j goes to column count - 1 - j
// of the run on the left and to column j of the run on the right. The sum is added up first on
// its own (each step waits for the one before), then spread over the channels.
void CentreRuns(int leftCount, int rightCount, double step, TFixedWeights& left, TFixedWeights& right) {
  const std::vector<double> w = Weights(std::max(leftCount, rightCount), step);
  left.Resize(leftCount);
  right.Resize(rightCount);
  for (std::size_t j = 0; j < w.size(); ++j) {
    const std::uint16_t fixed = FixedMixWeight(w[j]);
    if (j < static_cast<std::size_t>(leftCount)) left.Put(static_cast<std::size_t>(leftCount) - 1 - j, w[j], fixed);
    if (j < static_cast<std::size_t>(rightCount)) right.Put(j, w[j], fixed);
  }
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
  ApplyMap(FBitmap, MakeByteMap(1 - x, 255 * x));
}

void TvnEffectBmp::Darken(double amount) {
  const double x = Unit(amount);
  ApplyMap(FBitmap, MakeByteMap(1 - x, 0));
}

void TvnEffectBmp::ToGray() {
  for (int y = 0; y < Height(); ++y) GrayPixels(FBitmap.ScanLine(y), Width());
}

void TvnEffectBmp::InvertColors() {
  static const TByteMap invert = InvertMap();
  ApplyMap(FBitmap, invert);
}

void TvnEffectBmp::AddRandomNoise(int amount) {
  if (amount <= 0) return;
  // A small xorshift generator per thread, seeded once; the picture need not be reproducible.
  // Each 64-bit draw gives two pixels their offsets, 32 bits each.
  thread_local std::uint64_t state = std::random_device{}() | (std::uint64_t{std::random_device{}()} << 32) | 1;
  const int half = amount / 2;
  std::vector<int> offsets(static_cast<std::size_t>(Width()) + 1);
  for (int y = 0; y < Height(); ++y) {
    for (int x = 0; x < Width(); x += 2) {
      state ^= state >> 12;
      state ^= state << 25;
      state ^= state >> 27;
      const std::uint64_t draw = state * 0x2545F4914F6CDD1DULL;
      const std::uint64_t a = static_cast<std::uint64_t>(amount);
      offsets[static_cast<std::size_t>(x)] = static_cast<int>(((draw >> 32) * a) >> 32) - half;
      offsets[static_cast<std::size_t>(x) + 1] = static_cast<int>(((draw & 0xFFFFFFFFu) * a) >> 32) - half;
    }
    AddOffsets(FBitmap.ScanLine(y), Width(), offsets.data());
  }
}

void TvnEffectBmp::DiagonalBlur(int distance) {
  if (distance <= 0) return;
  const std::int64_t a = distance;
  const int h = Height();
  // In place: rows above are already blurred when they are read (and in the top and bottom
  // rows, which read themselves, the pixels to the left too).
  for (int y = 0; y < h; ++y) {
    const int upper = y - a < 0 ? y : static_cast<int>(y - a);
    const int lower = y + a >= h ? y : static_cast<int>(y + a);
    BlurRow(FBitmap.ScanLine(y), FBitmap.ScanLine(upper), FBitmap.ScanLine(lower), Width(), a);
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
  if (!SameSize(other) || FBitmap.IsEmpty()) return;
  // The fixed-point form is checked once per kf over every pair of channel values; a small
  // picture only uses it when that check has already been made.
  const std::size_t channels = static_cast<std::size_t>(Width()) * 3 * static_cast<std::size_t>(Height());
  const TBlend blend = MakeBlend(Unit(kf), channels >= 16384);
  std::uint8_t* s = FBitmap.ScanLine(0);
  const std::uint8_t* o = other.FBitmap.ScanLine(0);
  OverAllChannels(FBitmap, [&](std::size_t at, std::size_t count) { BlendBytes(s + at, o + at, count, blend); });
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
  auto middle = [&](int y) {
    std::memcpy(FBitmap.ScanLine(y) + lo * 3, other.FBitmap.ScanLine(y) + lo * 3, static_cast<std::size_t>(hi - lo + 1) * 3);
  };
  // Columns 0 .. lo take the weights from column lo down, columns hi .. W - 1 from column hi up.
  // The fixed-point weights repay working them out from a few rows on.
  if (Height() >= 4 && HaveFixedMix()) {
    TFixedWeights down, up;
    CentreRuns(lo + 1, W - hi, f, down, up);
    for (int y = 0; y < Height(); ++y) {
      std::uint8_t* s = FBitmap.ScanLine(y);
      const std::uint8_t* o = other.FBitmap.ScanLine(y);
      middle(y);
      MixBytesFixed(s, o, down.M.data(), down.Fixed.data(), down.M.size());
      MixBytesFixed(s + hi * 3, o + hi * 3, up.M.data(), up.Fixed.data(), up.M.size());
    }
    return;
  }
  TChannelWeights down, up;
  down.Columns(lo + 1, f, true);
  up.Columns(W - hi, f, false);
  const std::size_t downBytes = down.M.size(), upBytes = up.M.size();
  for (int y = 0; y < Height(); ++y) {
    std::uint8_t* s = FBitmap.ScanLine(y);
    const std::uint8_t* o = other.FBitmap.ScanLine(y);
    middle(y);
    MixBytes(s, o, down.M.data(), down.N.data(), downBytes);
    MixBytes(s + hi * 3, o + hi * 3, up.M.data(), up.N.data(), upBytes);
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
  auto mixRow = [&](int y, double m) { MixBytes(FBitmap.ScanLine(y), other.FBitmap.ScanLine(y), m, 1 - m, bytes); };
  const std::vector<double> down = Weights(lo + 1, f), up = Weights(H - hi, f);
  for (int i = 0; i <= lo; ++i) mixRow(lo - i, down[i]);
  for (int i = 0; hi + i < H; ++i) mixRow(hi + i, up[i]);
}

void TvnEffectBmp::LeftWipeTo(const TvnEffectBmp& other, double kf) {
  if (!SameSize(other) || FBitmap.IsEmpty()) return;
  const int W = Width();
  const int a = std::min(std::max(RoundedPart(W, Unit(kf)), 1), W - 1);
  TChannelWeights d;
  d.Columns(a + 1, a > 0 ? 1.0 / a : 1.0, false);  // columns 0 .. a
  for (int y = 0; y < Height(); ++y)
    MixBytes(FBitmap.ScanLine(y), other.FBitmap.ScanLine(y), d.M.data(), d.N.data(), d.M.size());
}

void TvnEffectBmp::RightWipeTo(const TvnEffectBmp& other, double kf) {
  if (!SameSize(other) || FBitmap.IsEmpty()) return;
  const int W = Width();
  const int a = std::min(std::max(W - RoundedPart(W, Unit(kf)), 0), W - 1);
  TChannelWeights d;
  d.Columns(W - a, W - a <= 0 ? 1.0 : 1.0 / (W - a), true);  // columns a .. W - 1, from W - 1 down
  for (int y = 0; y < Height(); ++y)
    MixBytes(FBitmap.ScanLine(y) + a * 3, other.FBitmap.ScanLine(y) + a * 3, d.M.data(), d.N.data(), d.M.size());
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
