#pragma once
// The clock and the summary the Windows benchmarks share: the performance counter read in
// milliseconds, and the median of a run's samples.
#include <windows.h>

#include <algorithm>
#include <vector>

inline double NowMs() {
  LARGE_INTEGER frequency, t;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The middle sample (the upper one of an even count); 0 for none.
inline double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}
