#pragma once
// What the paint benchmarks share: the skin they paint with (Quillon's, read from its folder),
// a control's window painted again and again, the floor of the same work (a memcpy of the
// control's pixels), and the line that reports both.
#include <windows.h>

#include "bench/win/WinBenchClock.h"
#include "framework/Controls_win.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataStoredSkin.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

// Loads Quillon's skin into skin (through stored) without telling any window; false when the
// skin's folder cannot be read.
inline bool LoadBenchSkin(TvnCompressedStoredSkin& stored, TvnSkinData& skin) {
  if (!stored.LoadFromSkinFile(std::filesystem::path(QUILLON_SOURCE_DIR) / "skins" / "quillon" / "skin.ini"))
    return false;
  skin.SetNoticeSender(nullptr);
  skin.LoadCompressedSkin(stored);
  return true;
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


// Paints the control's window and copies its pixels, and prints both with their ratio.
inline void ReportPaint(const char* look, TWinControl& control) {
  const double paint = PaintNs(control.Handle());
  const double floor = MemcpyNs(control.Width(), control.Height());
  std::printf("%-10s %3d x %-3d paint %9.0f ns   memcpy %6.1f ns   ratio %8.1fx\n", look, control.Width(),
              control.Height(), paint, floor, paint / floor);
}
