// Painting the main menu bar with four items (File, Edit, Window, Help; Quillon's skin, and
// without a skin) beside the floor of the same work: a memcpy of the bar's pixels. One paint is a
// whole WM_PAINT of the bar's window (the background composed, every caption measured and every
// item composed off screen, the marker when items do not fit, copied to the window). Prints the
// median of each, the memcpy and the ratio; a last row paints a plain self-filling window of the
// same size, the platform's own share of any paint (under Wine most of it).
#include <windows.h>

#include "bench/win/WinBenchClock.h"

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
  if (!stored.LoadFromSkinFile(std::filesystem::path(QUILLON_SOURCE_DIR) / "skins" / "quillon" / "skin.ini")) return 1;
  TvnSkinData skin;
  skin.SetNoticeSender(nullptr);
  skin.LoadCompressedSkin(stored);

  TMainMenu menu(nullptr);
  for (const char16_t* caption : {u"&File", u"&Edit", u"&Window", u"&Help"})
    menu.Items().AddItem({}, caption)->AddItem({}, u"&Item");
  auto report = [](const char* look, TWinControl& control) {
    const double paint = PaintNs(control.Handle());
    const double floor = MemcpyNs(control.Width(), control.Height());
    std::printf("%-9s %3d x %-3d paint %9.0f ns   memcpy %6.1f ns   ratio %8.1fx\n", look, control.Width(),
                control.Height(), paint, floor, paint / floor);
  };
  for (bool skinned : {true, false}) {
    TvnSkinMainMenuBar bar(nullptr);
    bar.SetParent(&host);
    bar.SetAlign(TAlign::alNone);
    bar.SetBounds(0, 0, 400, 22);
    bar.SetMainMenu(&menu);
    if (skinned) bar.SetSkinData(&skin);
    report(skinned ? "skin" : "default", bar);
  }
  TCustomControl fill(nullptr);
  fill.SetParent(&host);
  fill.SetBounds(0, 40, 400, 22);
  report("fill only", fill);
  return 0;
}
