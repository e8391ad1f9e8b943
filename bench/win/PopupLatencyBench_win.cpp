// Time from the request to open a 20-item popup menu until the menu is on the screen and
// painted: the skinned menu engine (with the program's skin) beside the platform's own
// TrackPopupMenu with the same items, alternating, in the same run and process.
// - Skinned: PopupItems returns with the window shown; any paint still pending is then
//   finished (UpdateWindow) before the clock is read.
// - Platform: its menu loop tells the owner window it is idle (WM_ENTERIDLE) once the menu is
//   shown; the menu window's pending paint is finished the same way, the clock read, the menu
//   closed.
// Prints the median of each over the rounds and their ratio.
#include <windows.h>

#include "bench/win/PaintBench_win.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/Application_win.h"
#include "framework/Forms_win.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataStoredSkin.h"
#include "skin/menus/vnSkinMenus_win.h"

namespace {

constexpr int kItems = 20;
constexpr int kRounds = 40;



}  // namespace

int main() {
  TApplication application;
  application.Initialize();
  TForm host(nullptr);
  host.SetBounds(100, 100, 400, 300);
  host.Show();

  TvnCompressedStoredSkin stored;
  TvnSkinData skin;
  if (!LoadBenchSkin(stored, skin)) return 1;

  // The same items for both: captions with shortcuts, a separator every seventh item.
  TPopupMenu skinned;
  HMENU platform = ::CreatePopupMenu();
  for (int i = 0; i < kItems; ++i) {
    if (i % 7 == 6) {
      skinned.Items().AddSeparator();
      ::AppendMenuW(platform, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const std::wstring caption = L"Menu item " + std::to_wstring(i + 1);
    skinned.Items().AddItem("", std::u16string(caption.begin(), caption.end()), {},
                            ShortCut(static_cast<std::uint8_t>('0' + i % 10), scCtrl));
    ::AppendMenuW(platform, MF_STRING, static_cast<UINT_PTR>(i + 1), (caption + L"\tCtrl+" + std::to_wstring(i % 10)).c_str());
  }
  TvnSkinMenu engine(nullptr, &host);

  // The platform's menu loop says when it is idle, with the menu shown.
  double shown = 0;
  bool idle = false;
  const TWndMethod previous = host.WindowProc();
  host.SetWindowProc([&](TMessage& m) {
    if (m.Msg == WM_ENTERIDLE && m.WParam == MSGF_MENU && !idle) {
      ::UpdateWindow(reinterpret_cast<HWND>(m.LParam));
      shown = NowMs();
      idle = true;
      ::EndMenu();
    }
    previous(m);
  });

  std::vector<double> ours, theirs;
  for (int round = 0; round < kRounds; ++round) {
    double start = NowMs();
    engine.PopupItems(nullptr, &skin, false, &skinned.Items(), {300, 200, 300, 200}, 0);
    if (engine.PopupWindowCount() == 1) ::UpdateWindow(engine.PopupWindows(0).HandleIfAllocated());
    ours.push_back(NowMs() - start);
    engine.CloseAll();

    idle = false;
    ::SetForegroundWindow(host.Handle());
    start = NowMs();
    ::TrackPopupMenu(platform, TPM_RETURNCMD | TPM_NONOTIFY, 300, 200, 0, host.Handle(), nullptr);
    if (idle) theirs.push_back(shown - start);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
  }
  host.SetWindowProc(previous);
  ::DestroyMenu(platform);
  if (theirs.empty()) {
    std::printf("the platform's menu never went idle\n");
    return 1;
  }
  const double a = Median(ours), b = Median(theirs);
  std::printf("skinned popup, request to painted: median %.3f ms over %zu rounds\n", a, ours.size());
  std::printf("platform TrackPopupMenu, same items: median %.3f ms over %zu rounds\n", b, theirs.size());
  std::printf("skinned / platform = %.2fx\n", a / b);
  return 0;
}
