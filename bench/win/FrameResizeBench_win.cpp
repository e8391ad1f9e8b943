// One resize step of a sizeable skinned window at 1920 x 1080 with the program's embedded skin:
// SetWindowPos a few pixels larger or smaller, then every message it leaves behind handled
// (the new region is set and the frame repainted through WM_NCPAINT) before the clock is read.
// Prints the median step and, beside it, the same steps of the same window without a skin
// (the platform's own frame), measured in the same run; then the part of a skinned step spent
// in the frame's own work: WM_SIZE, where the new region is made and handed to the window, and
// WM_NCPAINT, where the frame is painted. Under Wine most of a step is the X server's: the
// window's surface is made again at the new size and the driver waits for the server. Run it
// on a screen larger than the window (QUILLON_XVFB_SCREEN=1920x1200x24 before xvfb_start):
// on a smaller one the window is held at the screen's size and no step resizes anything.
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

// Milliseconds the skinned window spent in its frame's own work since the last reset.
double gFrameWork = 0;

// Median milliseconds of one step; the window's size after the last step in size. frameWork,
// when given, gets the median of the frame's own work per step.
double ResizeSteps(HWND window, int steps, SIZE& size, std::vector<double>* frameWork = nullptr) {
  std::vector<double> times;
  for (int i = 0; i < steps; ++i) {
    const int grow = 3 * (i % 4);
    gFrameWork = 0;
    const double t0 = NowMs();
    ::SetWindowPos(window, nullptr, 0, 0, 1920 + grow, 1080 + grow, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::UpdateWindow(window);
    Pump();
    times.push_back(NowMs() - t0);
    if (frameWork) frameWork->push_back(gFrameWork);
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
  // Outside the frame's own handler: the time of each WM_SIZE and WM_NCPAINT it handles.
  TWndMethod framed = skinned.WindowProc();
  skinned.SetWindowProc([&framed](TMessage& m) {
    if (m.Msg != WM_SIZE && m.Msg != WM_NCPAINT) return framed(m);
    const double t0 = NowMs();
    framed(m);
    gFrameWork += NowMs() - t0;
  });
  // A few steps first, not counted, then both windows alternately in rounds.
  SIZE skinnedSize{}, plainSize{};
  ResizeSteps(skinned.Handle(), 8, skinnedSize);
  ResizeSteps(plain.Handle(), 8, plainSize);
  std::vector<double> skinnedMedians, plainMedians, frameWork;
  for (int round = 0; round < 5; ++round) {
    skinnedMedians.push_back(ResizeSteps(skinned.Handle(), steps / 5, skinnedSize, &frameWork));
    plainMedians.push_back(ResizeSteps(plain.Handle(), steps / 5, plainSize));
  }
  std::printf("skinned resize step %.3f ms (window %ldx%ld)\n", Median(skinnedMedians), skinnedSize.cx, skinnedSize.cy);
  std::printf("plain   resize step %.3f ms (window %ldx%ld)\n", Median(plainMedians), plainSize.cx, plainSize.cy);
  std::printf("skinned / plain = %.2fx\n", Median(skinnedMedians) / Median(plainMedians));
  std::printf("frame's own work in a skinned step %.3f ms (new region on WM_SIZE, frame paint on WM_NCPAINT)\n",
              Median(frameWork));
  return 0;
}
