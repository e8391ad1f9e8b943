// One resize step of a sizeable skinned window at 1920 x 1080 with the program's embedded skin:
// SetWindowPos a few pixels larger or smaller, then every message it leaves behind handled
// (the new region is set and the frame repainted through WM_NCPAINT) before the clock is read.
// Prints the median step and, beside it, the same steps of the same window without a skin
// (the platform's own frame), measured in the same run.
//
//   bench_frame_resize [steps]
#include <windows.h>

#include "bench/win/WinBenchClock.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "framework/Application_win.h"
#include "framework/Description.h"
#include "framework/Forms_win.h"
#include "framework/Stream.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataStoredSkin.h"
#include "skin/form/VeneerForm_win.h"

namespace {



void Pump() {
  MSG m;
  while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&m);
    ::DispatchMessageW(&m);
  }
}

// Median milliseconds of one step; the window's size after the last step in size.
double ResizeSteps(HWND window, int steps, SIZE& size) {
  std::vector<double> times;
  for (int i = 0; i < steps; ++i) {
    const int grow = 3 * (i % 4);
    const double t0 = NowMs();
    ::SetWindowPos(window, nullptr, 0, 0, 1920 + grow, 1080 + grow, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::UpdateWindow(window);
    Pump();
    times.push_back(NowMs() - t0);
  }
  RECT r;
  ::GetWindowRect(window, &r);
  size = {r.right - r.left, r.bottom - r.top};
  return Median(times);
}

}  // namespace

int main(int argc, char** argv) {
  const int steps = argc > 1 ? std::max(4, std::atoi(argv[1])) : 200;
  TApplication application;
  application.Initialize();

  TForm skinned(nullptr), plain(nullptr);
  for (TForm* form : {&skinned, &plain}) {
    form->SetBorderStyle(TFormBorderStyle::bsSizeable);
    form->SetBounds(0, 0, 1920, 1080);
  }
  auto* frame = TComponent::Create<TvnVeneerForm>(&skinned);
  auto* skin = TComponent::Create<TvnSkinData>(&skinned);
  auto* stored = TComponent::Create<TvnCompressedStoredSkin>(&skinned);
  const std::vector<std::uint8_t> text = ReadFileBytes(std::string(QUILLON_SOURCE_DIR) + "/app/Unit1.desc");
  stored->SetCompressedData(StoredSkinBlockOf(ParseDescription(std::string(text.begin(), text.end()))));
  frame->SetSkinData(skin);
  skin->SetCompressedStoredSkin(stored);
  if (skin->SkinEmpty) {
    std::fprintf(stderr, "the embedded skin did not load\n");
    return 1;
  }
  for (TForm* form : {&skinned, &plain}) {
    form->Show();
    Pump();
  }
  // A few steps first, not counted, then both windows alternately in rounds.
  SIZE skinnedSize{}, plainSize{};
  ResizeSteps(skinned.Handle(), 8, skinnedSize);
  ResizeSteps(plain.Handle(), 8, plainSize);
  std::vector<double> skinnedMedians, plainMedians;
  for (int round = 0; round < 5; ++round) {
    skinnedMedians.push_back(ResizeSteps(skinned.Handle(), steps / 5, skinnedSize));
    plainMedians.push_back(ResizeSteps(plain.Handle(), steps / 5, plainSize));
  }
  std::printf("skinned resize step %.3f ms (window %ldx%ld)\n", Median(skinnedMedians), skinnedSize.cx, skinnedSize.cy);
  std::printf("plain   resize step %.3f ms (window %ldx%ld)\n", Median(plainMedians), plainSize.cx, plainSize.cy);
  std::printf("skinned / plain = %.2fx\n", Median(skinnedMedians) / Median(plainMedians));
  return 0;
}
