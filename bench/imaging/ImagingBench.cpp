// Skin imaging beside memcpy of the same bytes: the frame strips of the embedded skin at two
// window sizes, the frame region (mask strips, runs, union) at the same sizes, and every
// effect and morph on a 1920 x 40 strip. Each benchmark measures its floor in the same run and
// reports both and their ratio as counters (x_memcpy: how many times the floor's time it takes).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataStoredSkin.h"
#include "skin/imaging/vnEffects.h"
#include "skin/imaging/vnUtils.h"

namespace {

// The skin the benchmarks draw: the embedded one from its source folder when it is there,
// else a synthetic skin of the same geometry (191 x 135, corner points 46,32 / 110,30 /
// 54,115 / 138,115, client 8,28,184,118, mask area 4,5,188,131, sides stretched, top and
// bottom tiled) with a patterned picture and a mask with rounded corners.
struct TBenchSkin {
  TPixelBitmap Picture;
  TPixelBitmap Mask;
  TPoint LT, RT, LB, RB;
  TRect ClientRect, MaskRectArea;
  TvnStretchFlags Stretch;
  const char* Name;
};

TBenchSkin LoadSkin() {
  const auto ini = std::filesystem::path(QUILLON_SOURCE_DIR) / "skins" / "quillon" / "skin.ini";
  if (std::filesystem::exists(ini)) {
    TvnCompressedStoredSkin stored;
    if (!stored.LoadFromSkinFile(ini)) throw std::runtime_error("skins/quillon/skin.ini could not be packed");
    TvnSkinData data;
    data.SetNoticeSender(nullptr);
    data.LoadCompressedSkin(stored);
    return {data.Picture, data.Mask, data.LeftTopPoint, data.RightTopPoint, data.LeftBottomPoint,
            data.RightBottomPoint, data.ClientRect, data.MaskRectArea,
            {data.LeftStretch, data.TopStretch, data.RightStretch, data.BottomStretch}, "embedded skin"};
  }
  TBenchSkin skin{TPixelBitmap(191, 135), TPixelBitmap(191, 135), {46, 32}, {110, 30}, {54, 115},
                  {138, 115}, {8, 28, 184, 118}, {4, 5, 188, 131}, {true, false, true, false},
                  "synthetic skin"};
  for (int y = 0; y < 135; ++y)
    for (int x = 0; x < 191; ++x) {
      skin.Picture.SetPixel(x, y, static_cast<std::uint32_t>((x * 7) ^ (y * 13)) * 0x010305u & 0xFFFFFF);
      // Rounded corners of radius 8: outside them the mask is white.
      const int cx = x < 8 ? 8 - x : x > 182 ? x - 182 : 0, cy = y < 8 ? 8 - y : y > 126 ? y - 126 : 0;
      if (cx * cx + cy * cy > 64) skin.Mask.SetPixel(x, y, 0xFFFFFF);
    }
  return skin;
}

const TBenchSkin& Skin() {
  static const TBenchSkin skin = LoadSkin();
  return skin;
}

TvnSkinPoints FramePoints(const TRect& inner) {
  const TBenchSkin& s = Skin();
  return {s.LT, s.RT, s.LB, s.RB, inner};
}

// Average seconds per call of f, over at least 50 ms.
template <class F>
double SecondsPer(F&& f) {
  using Clock = std::chrono::steady_clock;
  long runs = 0;
  const auto start = Clock::now();
  double elapsed = 0;
  do {
    f();
    ++runs;
    elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  } while (elapsed < 0.05);
  return elapsed / static_cast<double>(runs);
}

// memcpy of n bytes between two buffers: the floor.
double MemcpySeconds(std::size_t n) {
  std::vector<std::uint8_t> from(n, 1), to(n);
  return SecondsPer([&] {
    std::memcpy(to.data(), from.data(), n);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  });
}

void Report(benchmark::State& state, double seconds, double floorSeconds, const char* floorName) {
  state.counters["us"] = seconds * 1e6;
  state.counters[floorName] = floorSeconds * 1e6;
  state.counters["x_memcpy"] = seconds / floorSeconds;
  state.SetLabel(Skin().Name);
}

void BM_ComposeFrameStrips(benchmark::State& state) {
  const int W = static_cast<int>(state.range(0)), H = static_cast<int>(state.range(1));
  const TBenchSkin& s = Skin();
  const TvnSkinPoints source = FramePoints(s.ClientRect);
  const TvnSkinPoints target = ShiftSkinPoints(source, s.Picture.Width(), s.Picture.Height(), W, H);
  const TvnStretchFlags stretch = s.Stretch;
  const TRect whole{0, 0, s.Picture.Width(), s.Picture.Height()};
  TPixelBitmap left, top, right, bottom;
  auto compose = [&] {
    ComposeFrameStrips(source, target, left, top, right, bottom, s.Picture, whole, W, H, stretch);
    benchmark::DoNotOptimize(left.Bytes().data());
  };
  compose();
  const std::size_t bytes = left.Bytes().size() + top.Bytes().size() + right.Bytes().size() + bottom.Bytes().size();
  const double floor = MemcpySeconds(bytes);
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) compose();
  const double each = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                      static_cast<double>(state.iterations());
  Report(state, each, floor, "memcpy_us");
  state.counters["strip_bytes"] = static_cast<double>(bytes);
}

void BM_FrameRegion(benchmark::State& state) {
  const int W = static_cast<int>(state.range(0)), H = static_cast<int>(state.range(1));
  const TBenchSkin& s = Skin();
  const TvnSkinPoints source = FramePoints(s.MaskRectArea);
  const TvnSkinPoints target = ShiftSkinPoints(source, s.Mask.Width(), s.Mask.Height(), W, H);
  const TPixelView mask = ViewOf(s.Mask);
  std::size_t rects = 0;
  auto region = [&] {
    const auto r = FrameRegionRects(source, target, mask, W, H);
    rects = r ? r->size() : 0;
    benchmark::DoNotOptimize(rects);
  };
  TPixelBitmap a, b, c, d;
  ComposeMaskStrips(source, target, mask, a, b, c, d, W, H);
  const std::size_t bytes = a.Bytes().size() + b.Bytes().size() + c.Bytes().size() + d.Bytes().size();
  const double floor = MemcpySeconds(bytes);
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) region();
  const double each = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                      static_cast<double>(state.iterations());
  Report(state, each, floor, "memcpy_strips_us");
  state.counters["rects"] = static_cast<double>(rects);
  state.counters["perimeter"] = 2.0 * (W + H);
}

// An effect on a 1920 x 40 strip of the embedded skin's picture, in pixels per second. Each
// run starts from the strip as it was, as the frame's every step starts from freshly composed
// pictures: effects repeated in place would drift to pictures of their own (a wipe repeated
// toward the same picture settles its channels on exact rounding ties). Putting the strip back
// is not timed (the effects' benchmarks keep their own time).
template <class Effect>
void EffectBenchmark(benchmark::State& state, Effect effect) {
  const int W = 1920, H = 40;
  TPixelBitmap strip;
  ComposeHorzSkinImage(40, 40, strip, Skin().Picture, {0, 0, Skin().Picture.Width(), H}, W);
  TvnEffectBmp picture(strip.View());
  TvnEffectBmp other(strip.View());
  other.InvertColors();
  const std::size_t rowBytes = static_cast<std::size_t>(W) * 3;
  const double floor = MemcpySeconds(rowBytes * H);
  std::chrono::steady_clock::duration spent{};
  for (auto _ : state) {
    for (int y = 0; y < H; ++y) std::memcpy(picture.RowAddress(y), strip.ScanLine(y), rowBytes);
    const auto start = std::chrono::steady_clock::now();
    effect(picture, other);
    benchmark::DoNotOptimize(picture.RowAddress(0));
    const auto took = std::chrono::steady_clock::now() - start;
    spent += took;
    state.SetIterationTime(std::chrono::duration<double>(took).count());
  }
  const double each = std::chrono::duration<double>(spent).count() / static_cast<double>(state.iterations());
  state.counters["Mpix_per_s"] = W * H / each / 1e6;
  state.counters["memcpy_Mpix_per_s"] = W * H / floor / 1e6;
  state.counters["x_memcpy"] = each / floor;
  state.SetLabel(Skin().Name);
}

void BM_Lighten(benchmark::State& state) {
  EffectBenchmark(state, [](TvnEffectBmp& p, const TvnEffectBmp&) { p.Lighten(0.5); });
}
void BM_ToGray(benchmark::State& state) {
  EffectBenchmark(state, [](TvnEffectBmp& p, const TvnEffectBmp&) { p.ToGray(); });
}
void BM_BlendTo(benchmark::State& state) {
  EffectBenchmark(state, [](TvnEffectBmp& p, const TvnEffectBmp& o) { p.BlendTo(o, 0.4); });
}
void BM_CenterWipeTo(benchmark::State& state) {
  EffectBenchmark(state, [](TvnEffectBmp& p, const TvnEffectBmp& o) { p.CenterWipeTo(o, 0.4); });
}

// The other inactive effects and morphs, with the amounts and a coefficient the frame uses.
void BM_Darken(benchmark::State& state) {
  EffectBenchmark(state, [](TvnEffectBmp& p, const TvnEffectBmp&) { p.Darken(0.3); });
}
void BM_InvertColors(benchmark::State& state) {
  EffectBenchmark(state, [](TvnEffectBmp& p, const TvnEffectBmp&) { p.InvertColors(); });
}
void BM_AddRandomNoise(benchmark::State& state) {
  EffectBenchmark(state, [](TvnEffectBmp& p, const TvnEffectBmp&) { p.AddRandomNoise(50); });
}
void BM_DiagonalBlur(benchmark::State& state) {
  EffectBenchmark(state, [](TvnEffectBmp& p, const TvnEffectBmp&) { p.DiagonalBlur(1); });
}
void BM_LeftWipeTo(benchmark::State& state) {
  EffectBenchmark(state, [](TvnEffectBmp& p, const TvnEffectBmp& o) { p.LeftWipeTo(o, 0.4); });
}
void BM_RightWipeTo(benchmark::State& state) {
  EffectBenchmark(state, [](TvnEffectBmp& p, const TvnEffectBmp& o) { p.RightWipeTo(o, 0.4); });
}
void BM_SlideInFromLeft(benchmark::State& state) {
  EffectBenchmark(state, [](TvnEffectBmp& p, const TvnEffectBmp& o) { p.SlideInFromLeft(o, 0.4); });
}
void BM_PushInFromLeft(benchmark::State& state) {
  EffectBenchmark(state, [](TvnEffectBmp& p, const TvnEffectBmp& o) { p.PushInFromLeft(o, 0.4); });
}

}  // namespace

BENCHMARK(BM_ComposeFrameStrips)->Args({385, 392})->Args({3840, 2160});
BENCHMARK(BM_FrameRegion)->Args({385, 392})->Args({3840, 2160});
BENCHMARK(BM_Lighten)->UseManualTime();
BENCHMARK(BM_ToGray)->UseManualTime();
BENCHMARK(BM_BlendTo)->UseManualTime();
BENCHMARK(BM_CenterWipeTo)->UseManualTime();
BENCHMARK(BM_Darken)->UseManualTime();
BENCHMARK(BM_InvertColors)->UseManualTime();
BENCHMARK(BM_AddRandomNoise)->UseManualTime();
BENCHMARK(BM_DiagonalBlur)->UseManualTime();
BENCHMARK(BM_LeftWipeTo)->UseManualTime();
BENCHMARK(BM_RightWipeTo)->UseManualTime();
BENCHMARK(BM_SlideInFromLeft)->UseManualTime();
BENCHMARK(BM_PushInFromLeft)->UseManualTime();
BENCHMARK_MAIN();
