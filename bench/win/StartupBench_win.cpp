// Start-up of Quillon beside a plain Win32 window with the same controls and manifest
// (bench_plain_window, built next to it), started alternately from this launcher so both run
// under the same, already started wineserver. By default both are the copies in shipped/ beside
// this program: stripped, as the installed programs are (see CMakeLists.txt). For each start
// the clock runs from CreateProcess until the program is idle (WaitForInputIdle) and its
// top-level window is visible; the window is then closed with WM_CLOSE and the launcher waits
// for the process to end.
//
//   bench_startup [rounds] [quillon.exe] [plain.exe]
//
// Prints, for each program, the medians of "idle" (WaitForInputIdle returned), "shown" (the
// window became visible) and "ready" (both), and the ratio of the ready medians.
#include <windows.h>

#include "bench/win/WinBenchClock.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct TFind {
  DWORD Process;
  HWND Window;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM data) {
  auto* find = reinterpret_cast<TFind*>(data);
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  if (process == find->Process && ::IsWindowVisible(window) && ::GetWindow(window, GW_OWNER) == nullptr) {
    find->Window = window;
    return FALSE;
  }
  return TRUE;
}

struct TStart {
  double Idle = 0, Shown = 0;
  bool Ok = false;
};

TStart StartOnce(const std::wstring& program) {
  TStart result;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring command = L"\"" + program + L"\"";
  const double t0 = NowMs();
  if (!::CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", program.c_str(), ::GetLastError());
    return result;
  }
  TFind find{pi.dwProcessId, nullptr};
  bool idle = false;
  while (NowMs() - t0 < 20000) {
    if (!idle && ::WaitForInputIdle(pi.hProcess, 0) == 0) {
      idle = true;
      result.Idle = NowMs() - t0;
    }
    if (!find.Window) {
      ::EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&find));
      if (find.Window) result.Shown = NowMs() - t0;
    }
    if (idle && find.Window) break;
    ::Sleep(1);
  }
  result.Ok = idle && find.Window;
  if (find.Window) ::PostMessageW(find.Window, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) {
    ::TerminateProcess(pi.hProcess, 1);
    result.Ok = false;
  }
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return result;
}

std::wstring Beside(const wchar_t* relative) {
  wchar_t self[MAX_PATH];
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self);
  path.resize(path.find_last_of(L"\\/") + 1);
  return path + relative;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 15;
  const std::wstring quillon = argc > 2 ? argv[2] : Beside(L"shipped\\Quillon.exe");
  const std::wstring plain = argc > 3 ? argv[3] : Beside(L"shipped\\bench_plain_window.exe");
  struct TSeries {
    const wchar_t* Name;
    std::wstring Program;
    std::vector<double> Idle, Shown, Ready;
  } series[] = {{L"Quillon", quillon, {}, {}, {}}, {L"plain", plain, {}, {}, {}}};
  // One start of each first, not counted: the files are then in the cache for both.
  for (TSeries& s : series) StartOnce(s.Program);
  for (int r = 0; r < rounds; ++r)
    for (TSeries& s : series) {
      const TStart t = StartOnce(s.Program);
      if (!t.Ok) {
        std::fwprintf(stderr, L"%ls: round %d did not show an idle window\n", s.Name, r);
        return 1;
      }
      s.Idle.push_back(t.Idle);
      s.Shown.push_back(t.Shown);
      s.Ready.push_back(std::max(t.Idle, t.Shown));
    }
  for (const TSeries& s : series)
    std::wprintf(L"%-8ls idle %7.1f ms  shown %7.1f ms  ready %7.1f ms  (medians of %d)\n", s.Name,
                 Median(s.Idle), Median(s.Shown), Median(s.Ready), rounds);
  std::wprintf(L"Quillon ready / plain ready = %.2fx\n", Median(series[0].Ready) / Median(series[1].Ready));
  return 0;
}
