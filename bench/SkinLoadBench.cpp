// Loading the embedded skin (inflate, pictures, description, every object and control
// description) beside zlib inflate of the same block alone. The ratio says what the engine adds
// to the one step it cannot avoid.
//
// The block is the one in Quillon's window description (app/Unit1.desc); a tree without it
// packs skins/quillon/skin.ini instead.
#include "bench/EmbeddedSkin.h"
#include "framework/Description.h"
#include "framework/Stream.h"
#include "skin/data/vnIniFile.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataContainer.h"
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

// The first step of a load alone: the block inflated through the stored skin's streams.
void BM_UnpackStoredBlock(benchmark::State& state) {
  const double floor = SecondsPerInflate();
  const double start = CpuSeconds();
  for (auto _ : state) benchmark::DoNotOptimize(UnpackSkinBlock(Block()).size());
  const double perUnpack = (CpuSeconds() - start) / static_cast<double>(state.iterations());
  state.counters["inflate_us"] = floor * 1e6;
  state.counters["unpack_us"] = perUnpack * 1e6;
  state.counters["x_inflate"] = perUnpack / floor;
}

// The steps of a load after the inflate, each beside the same floor, so a profile's
// percentages can be checked against what each step costs on its own.
namespace {

const std::vector<std::uint8_t>& Unpacked() {
  static const std::vector<std::uint8_t> unpacked = UnpackSkinBlock(Block());
  return unpacked;
}

const std::string& DescriptionText() {
  static const std::string text = ReadSkinContainer(Unpacked()).Text;
  return text;
}

template <typename Step>
void RunBesideFloor(benchmark::State& state, const char* name, Step step) {
  const double floor = SecondsPerInflate();
  const double start = CpuSeconds();
  for (auto _ : state) step();
  const double perRun = (CpuSeconds() - start) / static_cast<double>(state.iterations());
  state.counters["inflate_us"] = floor * 1e6;
  state.counters[name] = perRun * 1e6;
  state.counters["x_inflate"] = perRun / floor;
}

// Everything but the inflate: pictures, description text and every description.
void BM_LoadUnpackedContainer(benchmark::State& state) {
  TvnSkinData data;
  data.SetNoticeSender(nullptr);
  RunBesideFloor(state, "load_us", [&] {
    data.LoadFromContainer(Unpacked());
    benchmark::DoNotOptimize(data.ControlDescriptions.size());
  });
}

// The pictures alone: every BMP of the container decoded, and its bytes kept.
void BM_ReadContainerPictures(benchmark::State& state) {
  // The previous pictures are freed only once the next are read, as in a load, so that the
  // allocator does not hand the memory back to the system and take it again every time.
  TvnSkinContainer container;
  RunBesideFloor(state, "pictures_us", [&] {
    container = ReadSkinContainer(Unpacked());
    benchmark::DoNotOptimize(container.ActivePictures.size());
  });
}

// The description text cut into sections and keys.
void BM_ParseDescriptionText(benchmark::State& state) {
  RunBesideFloor(state, "parse_us", [&] {
    TvnIniFile ini(DescriptionText());
    benchmark::DoNotOptimize(ini.Sections().size());
  });
}

// Every section read into the skin data's fields and descriptions (text parsed once, outside).
void BM_ReadDescriptions(benchmark::State& state) {
  const TvnIniFile ini(DescriptionText());
  TvnSkinData data;
  data.SetNoticeSender(nullptr);
  RunBesideFloor(state, "read_us", [&] {
    data.ClearAll();
    data.ReadSkinDescription(ini);
    benchmark::DoNotOptimize(data.ControlDescriptions.size());
  });
}

}  // namespace

BENCHMARK(BM_InflateAlone);
BENCHMARK(BM_UnpackStoredBlock);
BENCHMARK(BM_LoadEmbeddedSkin);
BENCHMARK(BM_LoadUnpackedContainer);
BENCHMARK(BM_ReadContainerPictures);
BENCHMARK(BM_ParseDescriptionText);
BENCHMARK(BM_ReadDescriptions);
BENCHMARK_MAIN();
