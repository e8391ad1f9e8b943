// Painting the MDI tab bar with 30 tabs (Quillon's skin, and without a skin) beside the floor of
// the same work: a memcpy of the bar's pixels. One paint is a whole WM_PAINT of the bar's window
// (description looked up, the background and every tab composed off screen, the captions
// written, copied to the window). Prints the median of each, the memcpy and the ratio.
#include <windows.h>

#include "bench/win/PaintBench_win.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "framework/Application_win.h"
#include "framework/Forms_win.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataStoredSkin.h"
#include "skin/form/vnSkinMDITabsBar_win.h"

int main() {
  TApplication application;
  application.Initialize();
  TForm host(nullptr);
  host.SetBounds(100, 100, 1000, 200);
  host.Show();

  TvnCompressedStoredSkin stored;
  TvnSkinData skin;
  if (!LoadBenchSkin(stored, skin)) return 1;

  // The tabs only need their children's captions: forms without windows stand in for them.
  std::vector<std::unique_ptr<TForm>> children;
  for (int i = 1; i <= 30; ++i) {
    children.push_back(std::make_unique<TForm>(nullptr));
    children.back()->SetText(L"Note " + std::to_wstring(i));
  }
  for (bool skinned : {true, false}) {
    TvnSkinMDITabsBar bar(nullptr);
    bar.SetParent(&host);
    bar.SetBounds(0, 0, 900, 21);
    if (skinned) bar.SetSkinData(&skin);
    for (auto& child : children) bar.AddTab(child.get());
    ReportPaint(skinned ? "skin" : "default", bar);
  }
  return 0;
}
