// One full paint of the skinned frame with the program's embedded skin, as WM_NCPAINT does it
// up to the final copy onto the screen: frame geometry for the window size, object layout,
// the four frame strips and every visible object drawn onto them. The code measured is the
// product's own (ComposeSkinFrame with the frame objects built from the skin). The floor is a
// memcpy of the frame area's bytes, the four strips at 4 bytes per pixel, measured in the same
// run; each figure is printed beside it as a ratio.
//
// Sizes: 385 x 392 (the program's window) and 1920 x 1080 (a window the size of a screen),
// each active and inactive (the embedded skin renders an inactive frame with its brightness
// effect, so an inactive paint also runs the effect over the four strips).
// Text is rasterized by the platform and is not part of this figure: the painter here measures
// text at a fixed advance and leaves its pixels out; everything else is drawn for real.
#include "bench/BenchRatio.h"
#include "bench/EmbeddedSkin.h"
#include "framework/Description.h"
#include "framework/Stream.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataStoredSkin.h"
#include "skin/form/FramePaint.h"
#include "skin/form/OffscreenFrameHost.h"
#include "skin/form/PixelPainter.h"
#include "skin/form/VeneerFormSkin.h"
#include "skin/imaging/vnEffects.h"
#include "skin/imaging/vnUtilsCompose.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace {


// The form as the frame objects see it: normal, caption "Quillon", active or not, with the
// skin's morph and inactive effect run for real.
class TBenchHost : public TvnOffscreenFrameHost {
public:
  void Morph(TPixelBitmap& normal, const TPixelBitmap& active, TvnMorphKind kind, double factor) override {
    TvnEffectBmp a(ViewOf(active)), n(normal.View());
    n.Morph(kind, a, factor);
    normal = n.Bitmap();
  }
  void ApplyInactiveEffect(TPixelBitmap& bitmap) override {
    TvnEffectBmp e(std::move(bitmap));
    e.ApplyInactiveEffect(Skin->InActiveEffect);
    bitmap = std::move(e).Release();
  }

  const TvnSkinData* Skin = nullptr;
};

// The portable painter with the platform's part reduced to what a figure can do without it:
// system colours as their usual values, text measured at 7 pixels a character.
class TBenchPainter : public TvnPixelPainter {
public:
  using TvnPixelPainter::TvnPixelPainter;
  void DrawGlyph(TvnGlyph, int, int, TColor) override {}
  void SetFont(const TvnTextFont&) override {}
  void SetTextColor(TColor) override {}
  TPoint TextExtent(std::u16string_view text) override { return {7 * static_cast<int>(text.size()), 14}; }
  void TextOut(int, int, std::u16string_view) override {}
  std::unique_ptr<TvnFramePainter> PainterOn(TPixelBitmap& bitmap) override {
    return std::make_unique<TBenchPainter>(bitmap.View(), TPoint{0, 0});
  }

protected:
  std::uint32_t ColourValue(TColor colour) const override {
    return IsSystemColor(colour) ? 0xC0C0C0u : static_cast<std::uint32_t>(colour) & 0xFFFFFF;
  }
};

struct TBenchFrame {
  TvnSkinData Data;
  TvnFrameSkin FrameSkin;
  TBenchHost Host;
  TvnFrameObjectList Objects;

  TBenchFrame() {
    TvnCompressedStoredSkin stored;
    stored.SetCompressedData(EmbeddedBlock());
    Data.SetNoticeSender(nullptr);
    Data.LoadCompressedSkin(stored);
    if (Data.SkinEmpty) throw std::runtime_error("the embedded skin did not load");
    FrameSkin = FrameSkinOf(Data);
    Host.Skin = &Data;
    Host.AutoInactive = Data.AutoRenderingInActiveImage;
    Host.LeftTopX = Data.LeftTopPoint.X;
    Host.RightTopX = Data.RightTopPoint.X;
    BuildSkinObjects(Objects, Host, Data.ObjectDescriptions, ObjectPicturesOf(Data));
  }

  // One paint; returns the bytes of the four strips at 4 bytes per pixel.
  std::size_t Paint(int w, int h, bool active, TvnFrameStrips& strips) {
    Host.Active = active;
    TvnFrameLook look;
    look.Width = w;
    look.Height = h;
    look.Active = active;
    look.RenderInactive = Data.AutoRenderingInActiveImage;
    look.SmallIconSize = {16, 16};
    ComposeSkinFrame(Data, FrameSkin, Objects, look,
                     [](TPixelBitmap& strip, TPoint origin) {
                       return std::make_unique<TBenchPainter>(strip.View(), origin);
                     },
                     strips);
    std::size_t pixels = 0;
    for (const TPixelBitmap* s : {&strips.Top, &strips.Bottom, &strips.Left, &strips.Right})
      pixels += static_cast<std::size_t>(s->Width()) * static_cast<std::size_t>(s->Height());
    return pixels * 4;
  }
};

TBenchFrame& Frame() {
  static TBenchFrame frame;
  return frame;
}

void FramePaint(benchmark::State& state, int w, int h, bool active) {
  TvnFrameStrips strips;
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = Frame().Paint(w, h, active, strips);
    benchmark::DoNotOptimize(strips.Top.Bytes().data());
    benchmark::ClobberMemory();
  }
  state.counters["objects"] = static_cast<double>(Frame().Objects.Count());
  state.counters["frame_bytes"] = static_cast<double>(bytes);
}

void FrameBytesMemcpy(benchmark::State& state, int w, int h) {
  TvnFrameStrips strips;
  const std::size_t bytes = Frame().Paint(w, h, true, strips);
  std::vector<std::uint8_t> from(bytes, 1), to(bytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.counters["frame_bytes"] = static_cast<double>(bytes);
}

void BM_FramePaint_385x392(benchmark::State& s) { FramePaint(s, 385, 392, true); }
void BM_FramePaintInactive_385x392(benchmark::State& s) { FramePaint(s, 385, 392, false); }
void BM_FrameBytesMemcpy_385x392(benchmark::State& s) { FrameBytesMemcpy(s, 385, 392); }
void BM_FramePaint_1920x1080(benchmark::State& s) { FramePaint(s, 1920, 1080, true); }
void BM_FramePaintInactive_1920x1080(benchmark::State& s) { FramePaint(s, 1920, 1080, false); }
void BM_FrameBytesMemcpy_1920x1080(benchmark::State& s) { FrameBytesMemcpy(s, 1920, 1080); }

}  // namespace

BENCHMARK(BM_FramePaint_385x392);
BENCHMARK(BM_FramePaintInactive_385x392);
BENCHMARK(BM_FrameBytesMemcpy_385x392);
BENCHMARK(BM_FramePaint_1920x1080);
BENCHMARK(BM_FramePaintInactive_1920x1080);
BENCHMARK(BM_FrameBytesMemcpy_1920x1080);
QUILLON_BENCHMARK_RATIOS({{"BM_FramePaint_385x392", "BM_FrameBytesMemcpy_385x392"},
                          {"BM_FramePaintInactive_385x392", "BM_FrameBytesMemcpy_385x392"},
                          {"BM_FramePaint_1920x1080", "BM_FrameBytesMemcpy_1920x1080"},
                          {"BM_FramePaintInactive_1920x1080", "BM_FrameBytesMemcpy_1920x1080"}})
