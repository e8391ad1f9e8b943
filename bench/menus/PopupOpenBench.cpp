// Opening a 20-item skinned popup menu with the program's embedded skin, as the menu engine does
// before the window reaches the screen: the item sizes measured, the window's size, geometry and
// item layout, the background composed from the popup picture and every item's picture (the
// first one lit) drawn onto it. The code measured is the product's own (the menu engine's
// portable core). The floor is a memcpy of the window's pixels (24-bit), measured in the same
// run; the figure is printed beside it as a ratio.
// Text is rasterized by the platform and is not part of this figure: captions are measured at
// 7 pixels a character and their pixels left out; everything else is composed for real.
#include "bench/BenchRatio.h"
#include "bench/EmbeddedSkin.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataStoredSkin.h"
#include "skin/menus/vnSkinMenusGeometry.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kItems = 20;

struct TBenchMenu {
  TvnSkinData Data;
  TvnPopupSkin Look;
  std::vector<std::string> Captions;

  TBenchMenu() {
    TvnCompressedStoredSkin stored;
    stored.SetCompressedData(EmbeddedBlock());
    Data.SetNoticeSender(nullptr);
    Data.LoadCompressedSkin(stored);
    Look = ResolvePopupSkin(&Data);
    if (!Look.Skinned() || !Look.Item) throw std::runtime_error("the embedded skin has no skinned popup menu");
    // Items of an everyday menu: captions with shortcuts, and a separator every seventh item.
    for (int i = 0; i < kItems; ++i)
      Captions.push_back(i % 7 == 6 ? "-" : "Menu item " + std::to_string(i + 1) + "  Ctrl+" + std::to_string(i % 10));
  }

  // Builds and paints the window; returns its picture.
  TPixelBitmap Open() const {
    std::vector<TvnMenuMeasureItem> measured;
    measured.reserve(Captions.size());
    for (const std::string& c : Captions) measured.push_back({c == "-", 7 * static_cast<int>(c.size())});
    TvnMenuMetrics metrics;
    metrics.WorkAreaHeight = 1000;
    const TvnPopupSize size = MeasureWindow(Look, measured, metrics);
    TPixelBitmap window = ComposePopupBackground(Look, size.Width, size.Height, size.Scrolling);
    DrawItemPictures(Look, LayoutPopupItems(Look, size, measured), 0, window);
    return window;
  }
};

const TBenchMenu& Menu() {
  static const TBenchMenu menu;
  return menu;
}

void BM_PopupOpen20Items(benchmark::State& state) {
  TPixelBitmap window;
  for (auto _ : state) {
    window = Menu().Open();
    benchmark::DoNotOptimize(window.Bytes().data());
    benchmark::ClobberMemory();
  }
  state.counters["width"] = window.Width();
  state.counters["height"] = window.Height();
}

void BM_PopupPixelsMemcpy(benchmark::State& state) {
  const TPixelBitmap window = Menu().Open();
  const std::size_t bytes = window.Bytes().size();
  std::vector<std::uint8_t> from(bytes, 1), to(bytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}

}  // namespace

BENCHMARK(BM_PopupOpen20Items);
BENCHMARK(BM_PopupPixelsMemcpy);
QUILLON_BENCHMARK_RATIOS({{"BM_PopupOpen20Items", "BM_PopupPixelsMemcpy"}})
