#pragma once
// A main for benchmark programs that report each figure beside its floor as a ratio:
//
//   BENCHMARK(BM_Thing);        // the figure
//   BENCHMARK(BM_ThingFloor);   // the floor: the least the same work can cost
//   QUILLON_BENCHMARK_RATIOS({{"BM_Thing", "BM_ThingFloor"}})
//
// After Google Benchmark's table it prints "BM_Thing / BM_ThingFloor = 1.23x" for each pair
// (median CPU time per iteration over the repetitions, nine by default, interleaved), both measured in
// the same run.
#include <string>
#include <utility>
#include <vector>

using TBenchRatios = std::vector<std::pair<std::string, std::string>>;

int RunBenchmarksWithRatios(int argc, char** argv, const TBenchRatios& ratios);

#define QUILLON_BENCHMARK_RATIOS(...) \
  int main(int argc, char** argv) { return RunBenchmarksWithRatios(argc, argv, TBenchRatios __VA_ARGS__); }
