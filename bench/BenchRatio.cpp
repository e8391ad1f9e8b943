#include "bench/BenchRatio.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string_view>

namespace {

// The console table as usual, remembering each repetition's CPU time per iteration (CPU
// time: the machine may be shared, and waiting for a core is not the code's cost).
class TRatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && run.iterations > 0)
        FTimes[run.run_name.function_name].push_back(run.GetAdjustedCPUTime());
    ConsoleReporter::ReportRuns(runs);
  }
  // The median over the repetitions.
  double Time(const std::string& name) {
    auto it = FTimes.find(name);
    if (it == FTimes.end() || it->second.empty()) return 0;
    std::vector<double> times = it->second;
    std::nth_element(times.begin(), times.begin() + static_cast<long>(times.size() / 2), times.end());
    return times[times.size() / 2];
  }
  std::map<std::string, std::vector<double>> FTimes;
};

}  // namespace

int RunBenchmarksWithRatios(int argc, char** argv, const TBenchRatios& ratios) {
  // Nine repetitions, interleaved, unless asked otherwise: on a shared machine a figure and
  // its floor then see the same load, and the ratio takes the median of each side.
  std::vector<char*> args(argv, argv + argc);
  std::string repetitions = "--benchmark_repetitions=9", interleave = "--benchmark_enable_random_interleaving=true";
  auto given = [&](std::string_view flag) {
    return std::any_of(args.begin(), args.end(), [&](char* a) { return std::string_view(a).starts_with(flag); });
  };
  if (!given("--benchmark_repetitions")) args.push_back(repetitions.data());
  if (!given("--benchmark_enable_random_interleaving")) args.push_back(interleave.data());
  argc = static_cast<int>(args.size());
  args.push_back(nullptr);
  argv = args.data();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const auto& [figure, floor] : ratios) {
    double f = reporter.Time(figure), b = reporter.Time(floor);
    if (f <= 0 || b <= 0) {
      std::printf("%s / %s: not measured\n", figure.c_str(), floor.c_str());
      continue;
    }
    std::printf("%s / %s = %.2fx (median CPU time %.0f ns / %.0f ns)\n", figure.c_str(), floor.c_str(), f / b, f, b);
  }
  benchmark::Shutdown();
  return 0;
}
