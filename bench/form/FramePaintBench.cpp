// One full paint of the skinned frame with the program's embedded skin, as WM_NCPAINT does it
// up to the final copy onto the screen: frame geometry for the window size, object layout,
// the four frame strips and every visible object drawn onto them. The code measured is the
// product's own (ComposeSkinFrame with the frame objects built from the skin). The floor is a
// memcpy of the frame area's bytes, the four strips at 4 bytes per pixel, measured in the same
// run; each figure is printed beside it as a ratio.
//
// Sizes: 385 x 392 (the program's window) and 1920 x 1080 (a window the size of a screen),
// each active and inactive (the embedded skin renders an inactive frame with its brightness
// effect, so an inactive paint also runs the effect over the four strips). Paints go through the
// frame's paint cache as the form's do: an inactive frame that has not changed is handed back
// (Inactive), and the cost of composing it after a change is shown with the cache cleared before
// every paint (InactiveFresh).
// Also one step of a resize at 1920 x 1080: the new window region's rectangles and the frame.
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
#include "skin/imaging/vnUtilsRegion.h"

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

  // One paint as the form does it, through the frame's paint cache (an inactive frame is
  // composed once and handed back after that; fresh: composed every time); returns the bytes of
  // the four strips at 4 bytes per pixel.
  std::size_t CachedPaint(int w, int h, bool active, bool fresh, TvnFramePaintCache& cache) {
    Host.Active = active;
    if (fresh) cache.Clear();
    TvnFrameLook look;
    look.Width = w;
    look.Height = h;
    look.Active = active;
    look.RenderInactive = Data.AutoRenderingInActiveImage;
    look.SmallIconSize = {16, 16};
    TvnFrameGeometry geometry;
    const TvnFrameStrips& strips = cache.Compose(
        Data, FrameSkin, Objects, look,
        [](TPixelBitmap& strip, TPoint origin) { return std::make_unique<TBenchPainter>(strip.View(), origin); },
        geometry);
    benchmark::DoNotOptimize(strips.Top.Bytes().data());
    std::size_t pixels = 0;
    for (const TPixelBitmap* s : {&strips.Top, &strips.Bottom, &strips.Left, &strips.Right})
      pixels += static_cast<std::size_t>(s->Width()) * static_cast<std::size_t>(s->Height());
    return pixels * 4;
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

enum class TCache { Kept, Cleared };

void FramePaint(benchmark::State& state, int w, int h, bool active, TCache kept = TCache::Kept) {
  TvnFramePaintCache cache;
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = Frame().CachedPaint(w, h, active, kept == TCache::Cleared, cache);
    benchmark::ClobberMemory();
  }
  state.counters["composed"] = static_cast<double>(cache.ComposeCount());
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

// One step of a resize of a sizeable window: the window region of the new size (mask strips
// scanned into region rectangles, as the form hands them to the platform) and the frame painted
// at that size. The steps walk a few pixels at a time around 1920 x 1080.
void FrameResizeStep(benchmark::State& state) {
  TBenchFrame& f = Frame();
  TvnFramePaintCache cache;
  TvnFrameStrips mask;
  std::size_t rects = 0;
  int step = 0;
  for (auto _ : state) {
    const int w = 1920 + 3 * (step % 4), h = 1080 + 3 * (step % 4);
    ++step;
    const TvnFrameGeometry g = CalcFrameGeometry(f.FrameSkin, w, h);
    const TvnFrameSkin& k = f.FrameSkin;
    ComposeMaskStrips({k.LeftTopPoint, k.RightTopPoint, k.LeftBottomPoint, k.RightBottomPoint, k.MaskRectArea},
                      {g.LeftTop, g.RightTop, g.LeftBottom, g.RightBottom, g.MaskArea}, ViewOf(f.Data.Mask),
                      mask.Top, mask.Left, mask.Right, mask.Bottom, w, h);
    const TvnMaskStripOrigins at = MaskStripOrigins(g.MaskArea);
    rects = 0;
    for (const auto& [strip, origin] : {std::pair{&mask.Top, at.Top}, {&mask.Bottom, at.Bottom},
                                        {&mask.Left, at.Left}, {&mask.Right, at.Right}}) {
      const TvnRegionData data = BuildRegionData(ViewOf(*strip), origin.X, origin.Y);
      rects += data.Count();
      benchmark::DoNotOptimize(data.Bytes.data());
    }
    f.CachedPaint(w, h, true, false, cache);
    benchmark::ClobberMemory();
  }
  state.counters["region_rects"] = static_cast<double>(rects);
}

void BM_FrameResizeStep_1920x1080(benchmark::State& s) { FrameResizeStep(s); }

void BM_FramePaint_385x392(benchmark::State& s) { FramePaint(s, 385, 392, true); }
void BM_FramePaintInactive_385x392(benchmark::State& s) { FramePaint(s, 385, 392, false); }
void BM_FramePaintInactiveFresh_385x392(benchmark::State& s) { FramePaint(s, 385, 392, false, TCache::Cleared); }
void BM_FrameBytesMemcpy_385x392(benchmark::State& s) { FrameBytesMemcpy(s, 385, 392); }
void BM_FramePaint_1920x1080(benchmark::State& s) { FramePaint(s, 1920, 1080, true); }
void BM_FramePaintInactive_1920x1080(benchmark::State& s) { FramePaint(s, 1920, 1080, false); }
void BM_FramePaintInactiveFresh_1920x1080(benchmark::State& s) { FramePaint(s, 1920, 1080, false, TCache::Cleared); }
void BM_FrameBytesMemcpy_1920x1080(benchmark::State& s) { FrameBytesMemcpy(s, 1920, 1080); }

}  // namespace

BENCHMARK(BM_FramePaint_385x392);
BENCHMARK(BM_FramePaintInactive_385x392);
BENCHMARK(BM_FramePaintInactiveFresh_385x392);
BENCHMARK(BM_FrameBytesMemcpy_385x392);
BENCHMARK(BM_FramePaint_1920x1080);
BENCHMARK(BM_FramePaintInactive_1920x1080);
BENCHMARK(BM_FramePaintInactiveFresh_1920x1080);
BENCHMARK(BM_FrameBytesMemcpy_1920x1080);
BENCHMARK(BM_FrameResizeStep_1920x1080);
QUILLON_BENCHMARK_RATIOS({{"BM_FramePaint_385x392", "BM_FrameBytesMemcpy_385x392"},
                          {"BM_FramePaintInactive_385x392", "BM_FrameBytesMemcpy_385x392"},
                          {"BM_FramePaintInactiveFresh_385x392", "BM_FrameBytesMemcpy_385x392"},
                          {"BM_FramePaint_1920x1080", "BM_FrameBytesMemcpy_1920x1080"},
                          {"BM_FramePaintInactive_1920x1080", "BM_FrameBytesMemcpy_1920x1080"},
                          {"BM_FramePaintInactiveFresh_1920x1080", "BM_FrameBytesMemcpy_1920x1080"},
                          {"BM_FrameResizeStep_1920x1080", "BM_FrameBytesMemcpy_1920x1080"}})
