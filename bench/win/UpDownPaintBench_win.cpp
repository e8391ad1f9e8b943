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

#include "bench/win/PaintBench_win.h"

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

int main() {
  TApplication application;
  application.Initialize();
  TForm host(nullptr);
  host.SetBounds(100, 100, 300, 200);
  host.Show();

  TvnCompressedStoredSkin stored;
  TvnSkinData skin;
  if (!LoadBenchSkin(stored, skin)) return 1;

  TvnSkinUpDown skinned(nullptr);
  skinned.SetParent(&host);
  skinned.SetSkinDataName("vupdown");
  skinned.SetOrientation(TvnUDOrientation::udVertical);
  skinned.SetSkinData(&skin);
  // The increase button hot and pressed: the pressed picture is copied over the look.
  ::SendMessageW(skinned.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(8, 5));
  ::SendMessageW(skinned.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 5));
  ReportPaint("skin", skinned);
  ::SendMessageW(skinned.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(8, 5));

  TvnSkinUpDown resizable(nullptr);
  resizable.SetParent(&host);
  resizable.SetOrientation(TvnUDOrientation::udVertical);
  resizable.SetUseSkinSize(false);
  resizable.SetSkinData(&skin);
  resizable.SetBounds(60, 0, 40, 60);
  ReportPaint("resizable", resizable);

  TvnSkinUpDown plain(nullptr);
  plain.SetParent(&host);
  plain.SetOrientation(TvnUDOrientation::udVertical);
  plain.SetBounds(120, 0, 40, 60);
  ReportPaint("default", plain);

  // The platform's part of any paint: a window of the same size that only fills itself.
  TCustomControl fill(nullptr);
  fill.SetParent(&host);
  fill.SetBounds(180, 0, 40, 60);
  ReportPaint("fill only", fill);
  return 0;
}
