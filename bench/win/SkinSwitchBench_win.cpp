// Switching the skin of a window that carries 50 skinned controls, beside loading the same skin
// alone, in the same run and process.
// - Switch: the window's skin data takes the other stored skin (the light and the dark skin in
//   turn). It loads it and tells the window, whose frame applies it and walks its 50 controls
//   (each binds its description, takes its size and region and repaints); every paint still
//   pending is then finished (UpdateWindow on the window and its children) before the clock is
//   read.
// - Load alone: a skin data that tells no window loads the same stored skin.
// Prints the median of each over the rounds and their ratio.
#include <windows.h>

#include "bench/win/WinBenchClock.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "framework/Application_win.h"
#include "framework/Forms_win.h"
#include "skin/controls/vnSkinBoxCtrls_win.h"
#include "skin/controls/vnSkinCtrls_win.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataStoredSkin.h"
#include "skin/form/VeneerForm_win.h"

namespace {

constexpr int kControls = 50;
constexpr int kRounds = 30;




BOOL CALLBACK UpdateChild(HWND child, LPARAM) { return ::UpdateWindow(child); }

void FinishPaints(HWND window) {
  ::UpdateWindow(window);
  ::EnumChildWindows(window, &UpdateChild, 0);
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

}  // namespace

int main() {
  TApplication application;
  application.Initialize();
  const std::filesystem::path skins = std::filesystem::path(QUILLON_SOURCE_DIR) / "skins";
  TvnCompressedStoredSkin light, dark;
  if (!light.LoadFromSkinFile(skins / "quillon" / "skin.ini")) return 1;
  dark.LoadFromCompressedFile(skins / "dark" / "dark.vsk");

  // The window: a skinned frame and 50 controls, up-downs and custom controls of every way of
  // growing, in rows.
  TForm* form = application.CreateForm<TForm>();
  form->SetBorderStyle(TFormBorderStyle::bsSizeable);
  form->SetBounds(50, 50, 760, 560);
  auto* frame = TComponent::Create<TvnVeneerForm>(form);
  auto* skin = TComponent::Create<TvnSkinData>(form);
  frame->SetSkinData(skin);
  const char* sections[] = {"hupdown", "vupdown", "button", "vscrollbar", "panel"};
  for (int i = 0; i < kControls; ++i) {
    TvnSkinControl* control = nullptr;
    if (i % 5 < 2) {
      auto* upDown = TComponent::Create<TvnSkinUpDown>(form);
      if (i % 5 == 1) upDown->SetOrientation(TvnUDOrientation::udVertical);
      control = upDown;
    } else {
      control = TComponent::Create<TvnSkinCustomControl>(form);
    }
    control->SetSkinDataName(sections[i % 5]);
    control->SetBounds(10 + (i % 10) * 72, 10 + (i / 10) * 90, 64, 80);
    control->SetParent(form);
    control->SetSkinData(skin);
  }
  form->Show();
  skin->SetCompressedStoredSkin(&light);
  FinishPaints(form->Handle());

  TvnSkinData alone;
  alone.SetNoticeSender(nullptr);
  std::vector<double> switching, loading;
  for (int round = 0; round < kRounds; ++round) {
    TvnCompressedStoredSkin& next = round % 2 == 0 ? dark : light;
    double start = NowMs();
    skin->SetCompressedStoredSkin(&next);
    FinishPaints(form->Handle());
    switching.push_back(NowMs() - start);

    start = NowMs();
    alone.LoadCompressedSkin(next);
    loading.push_back(NowMs() - start);
  }
  const double s = Median(switching), l = Median(loading);
  std::printf("skin switch of a window with %d skinned controls: %.2f ms (median of %d)\n", kControls, s, kRounds);
  std::printf("loading the same skin alone:                     %.2f ms\n", l);
  std::printf("switch / load = %.2fx\n", s / l);
  return 0;
}
