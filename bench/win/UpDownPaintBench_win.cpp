// Painting a skinned up-down control, in each of its looks, beside the floor of the same work:
// a memcpy of the pixels the paint produces. One paint is a whole WM_PAINT of the control's
// window (description looked up, off-screen bitmap made and drawn, copied to the window), run
// with RedrawWindow(RDW_INVALIDATE | RDW_UPDATENOW). Looks:
// - skin: Quillon's "vupdown" section, 17 x 30, its increase button hot and pressed;
// - resizable: the skin's resizable button drawn for each button of a 40 x 60 control;
// - default: no skin, system colours, 40 x 60.
// Prints the median time of each over the rounds, the memcpy of the same bytes, and the ratio;
// a last row paints a plain self-filling window of the same size, the platform's own share of
// any paint (under Wine most of a paint is the window system's, not the drawing).
#include <windows.h>

#include "bench/win/WinBenchClock.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "framework/Application_win.h"
#include "framework/Forms_win.h"
#include "skin/controls/vnSkinBoxCtrls_win.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataStoredSkin.h"

namespace {

void Report(const char* look, TWinControl& control) {
  const double paint = PaintNs(control.Handle());
  const double floor = MemcpyNs(control.Width(), control.Height());
  std::printf("%-10s %3d x %-3d paint %9.0f ns   memcpy %6.1f ns   ratio %8.1fx\n", look, control.Width(),
              control.Height(), paint, floor, paint / floor);
}

}  // namespace

int main() {
  TApplication application;
  application.Initialize();
  TForm host(nullptr);
  host.SetBounds(100, 100, 300, 200);
  host.Show();

  TvnCompressedStoredSkin stored;
  if (!stored.LoadFromSkinFile(std::filesystem::path(QUILLON_SOURCE_DIR) / "skins" / "quillon" / "skin.ini")) return 1;
  TvnSkinData skin;
  skin.SetNoticeSender(nullptr);
  skin.LoadCompressedSkin(stored);

  TvnSkinUpDown skinned(nullptr);
  skinned.SetParent(&host);
  skinned.SetSkinDataName("vupdown");
  skinned.SetOrientation(TvnUDOrientation::udVertical);
  skinned.SetSkinData(&skin);
  // The increase button hot and pressed: the pressed picture is copied over the look.
  ::SendMessageW(skinned.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(8, 5));
  ::SendMessageW(skinned.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 5));
  Report("skin", skinned);
  ::SendMessageW(skinned.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(8, 5));

  TvnSkinUpDown resizable(nullptr);
  resizable.SetParent(&host);
  resizable.SetOrientation(TvnUDOrientation::udVertical);
  resizable.SetUseSkinSize(false);
  resizable.SetSkinData(&skin);
  resizable.SetBounds(60, 0, 40, 60);
  Report("resizable", resizable);

  TvnSkinUpDown plain(nullptr);
  plain.SetParent(&host);
  plain.SetOrientation(TvnUDOrientation::udVertical);
  plain.SetBounds(120, 0, 40, 60);
  Report("default", plain);

  // The platform's part of any paint: a window of the same size that only fills itself.
  TCustomControl fill(nullptr);
  fill.SetParent(&host);
  fill.SetBounds(180, 0, 40, 60);
  Report("fill only", fill);
  return 0;
}
