#pragma once
// The clock and the summary the Windows benchmarks share: the performance counter read in
// milliseconds, the median of a run's samples, and the two sides of a paint benchmark (a
// window painted again and again, and the floor: a memcpy of its pixels).
#include <windows.h>

#include <algorithm>
#include <cstring>
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

constexpr int kPaintRounds = 31;
constexpr int kPaintsPerRound = 200;

// Median nanoseconds of one paint of the control's window.
inline double PaintNs(HWND window) {
  std::vector<double> rounds;
  for (int r = 0; r < kPaintRounds; ++r) {
    const double start = NowMs();
    for (int i = 0; i < kPaintsPerRound; ++i)
      ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    rounds.push_back((NowMs() - start) * 1e6 / kPaintsPerRound);
  }
  return Median(rounds);
}

// Median nanoseconds of a memcpy of the control's 24-bit pixels (rows padded to 4 bytes).
inline double MemcpyNs(int width, int height) {
  const std::size_t bytes = static_cast<std::size_t>(((width * 3 + 3) & ~3) * height);
  std::vector<unsigned char> from(bytes, 1), to(bytes);
  constexpr int kCopies = 100000;
  std::vector<double> rounds;
  for (int r = 0; r < kPaintRounds; ++r) {
    const double start = NowMs();
    for (int i = 0; i < kCopies; ++i) {
      std::memcpy(to.data(), from.data(), bytes);
      from[static_cast<std::size_t>(i) % bytes] = to[bytes - 1];  // keeps the copies from being dropped
    }
    rounds.push_back((NowMs() - start) * 1e6 / kCopies);
  }
  return Median(rounds);
}

