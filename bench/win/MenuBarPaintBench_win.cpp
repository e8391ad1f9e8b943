// Painting the main menu bar with four items (File, Edit, Window, Help; Quillon's skin, and
// without a skin) beside the floor of the same work: a memcpy of the bar's pixels. One paint is a
// whole WM_PAINT of the bar's window (the background composed, every caption measured and every
// item composed off screen, the marker when items do not fit, copied to the window). Prints the
// median of each, the memcpy and the ratio; a last row paints a plain self-filling window of the
// same size, the platform's own share of any paint (under Wine most of it).
#include <windows.h>

#include "bench/win/PaintBench_win.h"

#include <cstdio>
#include <filesystem>

#include "framework/Application_win.h"
#include "framework/CustomControl_win.h"
#include "framework/Forms_win.h"
#include "framework/Menus.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataStoredSkin.h"
#include "skin/form/vnSkinMainMenuBar_win.h"

int main() {
  TApplication application;
  application.Initialize();
  TForm host(nullptr);
  host.SetBounds(100, 100, 500, 200);
  host.Show();

  TvnCompressedStoredSkin stored;
  TvnSkinData skin;
  if (!LoadBenchSkin(stored, skin)) return 1;

  TMainMenu menu(nullptr);
  for (const char16_t* caption : {u"&File", u"&Edit", u"&Window", u"&Help"})
    menu.Items().AddItem({}, caption)->AddItem({}, u"&Item");
  for (bool skinned : {true, false}) {
    TvnSkinMainMenuBar bar(nullptr);
    bar.SetParent(&host);
    bar.SetAlign(TAlign::alNone);
    bar.SetBounds(0, 0, 400, 22);
    bar.SetMainMenu(&menu);
    if (skinned) bar.SetSkinData(&skin);
    ReportPaint(skinned ? "skin" : "default", bar);
  }
  TCustomControl fill(nullptr);
  fill.SetParent(&host);
  fill.SetBounds(0, 40, 400, 22);
  ReportPaint("fill only", fill);
  return 0;
}
