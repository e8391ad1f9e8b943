// Loading the embedded skin (inflate, pictures, description, every object and control
// description) beside zlib inflate of the same block alone. The ratio says what the engine adds
// to the one step it cannot avoid.
//
// The block is the one in Quillon's window description (app/Unit1.desc); a tree without it
// packs skins/quillon/skin.ini instead.
#include "bench/EmbeddedSkin.h"
#include "framework/Description.h"
#include "framework/Stream.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataStoredSkin.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <ctime>
#include <filesystem>
#include <stdexcept>

namespace {


const std::vector<std::uint8_t>& Block() {
  static const std::vector<std::uint8_t> block = EmbeddedBlock();
  return block;
}

// zlib's one-shot inflate of the block into a buffer of the right size: the floor.
std::size_t InflateOnce(std::vector<std::uint8_t>& out) {
  uLongf length = static_cast<uLongf>(out.size());
  if (uncompress(out.data(), &length, Block().data(), static_cast<uLong>(Block().size())) != Z_OK)
    throw std::runtime_error("inflate failed");
  return length;
}

std::size_t UnpackedSize() {
  static const std::size_t size = UnpackSkinBlock(Block()).size();
  return size;
}

// Processor time, not wall time: on a shared machine the ratio should not depend on what
// else runs.
double CpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

double SecondsPerInflate() {
  std::vector<std::uint8_t> out(UnpackedSize());
  const int runs = 300;
  const double start = CpuSeconds();
  for (int i = 0; i < runs; ++i) benchmark::DoNotOptimize(InflateOnce(out));
  return (CpuSeconds() - start) / runs;
}

void BM_InflateAlone(benchmark::State& state) {
  std::vector<std::uint8_t> out(UnpackedSize());
  for (auto _ : state) benchmark::DoNotOptimize(InflateOnce(out));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * UnpackedSize()));
}

void BM_LoadEmbeddedSkin(benchmark::State& state) {
  TvnCompressedStoredSkin stored;
  stored.SetCompressedData(Block());
  TvnSkinData data;
  data.SetNoticeSender(nullptr);
  const double floor = SecondsPerInflate();
  const double start = CpuSeconds();
  for (auto _ : state) {
    data.LoadCompressedSkin(stored);
    benchmark::DoNotOptimize(data.ControlDescriptions.size());
  }
  const double perLoad = (CpuSeconds() - start) / static_cast<double>(state.iterations());
  state.counters["inflate_us"] = floor * 1e6;
  state.counters["load_us"] = perLoad * 1e6;
  state.counters["x_inflate"] = perLoad / floor;
  state.counters["objects"] = static_cast<double>(data.ObjectDescriptions.size());
  state.counters["controls"] = static_cast<double>(data.ControlDescriptions.size());
}

}  // namespace

BENCHMARK(BM_InflateAlone);
BENCHMARK(BM_LoadEmbeddedSkin);
BENCHMARK_MAIN();
