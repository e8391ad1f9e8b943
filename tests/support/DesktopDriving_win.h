#pragma once
// What the end-to-end tests share to drive a program of ours from outside, as a user does on a
// Wine desktop: waiting for a condition, reading window texts, real input through SendInput
// (keys, clicks with the real pointer), the program's skinned popup menus, and pictures of the
// screen saved to be looked at.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

inline bool WaitFor(const std::function<bool()>& condition, int milliseconds = 15000) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < end) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return condition();
}

inline std::wstring WindowText(HWND window) {
  DWORD_PTR length = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_BLOCK, 20000, &length);
  std::wstring text(length + 1, L'\0');
  DWORD_PTR got = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_BLOCK, 20000, &got);
  text.resize(got);
  return text;
}

inline std::wstring ClassOf(HWND window) {
  wchar_t name[64]{};
  ::GetClassNameW(window, name, 64);
  return name;
}

// Waits until the window's thread has handled everything sent to it so far.
inline void Settle(HWND window) {
  for (int i = 0; i < 3; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    DWORD_PTR ignored;
    ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 20000, &ignored);
  }
}

// ---- Input ----

inline void SendInputs(std::vector<INPUT> inputs) {
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

inline INPUT Key(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return in;
}

inline INPUT UnicodeKey(wchar_t c, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wScan = c;
  in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
  return in;
}

inline void Press(WORD vk) { SendInputs({Key(vk, false), Key(vk, true)}); }

inline void AltSpace() {
  SendInputs({Key(VK_MENU, false), Key(VK_SPACE, false), Key(VK_SPACE, true), Key(VK_MENU, true)});
}

// Moves the real pointer to a screen point and waits until it is there: under Wine the pointer
// reaches its new place a moment after the move is sent, and a press sent sooner lands where
// the pointer was.
inline INPUT MoveTo(int x, int y) {
  const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dx = static_cast<LONG>((x * 65535LL + w / 2) / (w - 1));
  move.mi.dy = static_cast<LONG>((y * 65535LL + h / 2) / (h - 1));
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInputs({move});
  WaitFor([&] {
    POINT p;
    return ::GetCursorPos(&p) && p.x == x && p.y == y;
  }, 2000);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  SendInputs({move});
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  return move;
}

// A click (or double click) of a button with the real pointer at a screen point.
inline void ClickAt(int x, int y, DWORD downFlag = MOUSEEVENTF_LEFTDOWN, DWORD upFlag = MOUSEEVENTF_LEFTUP,
                    int clicks = 1) {
  const INPUT move = MoveTo(x, y);
  INPUT down = move, up = move;
  down.mi.dwFlags = downFlag;
  up.mi.dwFlags = upFlag;
  for (int i = 0; i < clicks; ++i) {
    SendInputs({down});
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    SendInputs({up});
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  }
}

inline void RightClickAt(int x, int y) { ClickAt(x, y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); }

// ---- Skinned popup menus ----

// The skinned popup windows a program shows: visible tool windows of its process other than
// form, outermost first (the order they opened in).
struct TPopupSearch {
  DWORD Pid;
  HWND Form;
  std::vector<HWND> Found;
};

inline BOOL CALLBACK MatchPopup(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<TPopupSearch*>(p);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(w, &pid);
  if (pid == s->Pid && w != s->Form && ::IsWindowVisible(w) && ClassOf(w) == L"TvnSkinPopupWindow")
    s->Found.push_back(w);
  return TRUE;
}

inline std::vector<HWND> PopupsOf(HWND form) {
  TPopupSearch search{0, form, {}};
  ::GetWindowThreadProcessId(form, &search.Pid);
  ::EnumWindows(&MatchPopup, reinterpret_cast<LPARAM>(&search));
  // Windows are listed topmost first; the innermost level opened last.
  std::reverse(search.Found.begin(), search.Found.end());
  return search.Found;
}

inline bool WaitForPopups(HWND form, std::size_t count) {
  return WaitFor([&] { return PopupsOf(form).size() == count; }, 5000);
}

inline HWND WaitForOnePopup(HWND form) {
  return WaitForPopups(form, 1) ? PopupsOf(form).front() : nullptr;
}

inline RECT WindowRectOf(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return r;
}

// ---- Pictures of the screen ----

// Saves a screen rectangle as a 24-bit BMP under folder + name, to be looked at.
inline void SaveScreen(const std::wstring& folder, RECT r, const wchar_t* name) {
  if (folder.empty()) return;
  r.left = std::max(r.left, 0L);
  r.top = std::max(r.top, 0L);
  r.right = std::min(r.right, static_cast<LONG>(::GetSystemMetrics(SM_CXSCREEN)));
  r.bottom = std::min(r.bottom, static_cast<LONG>(::GetSystemMetrics(SM_CYSCREEN)));
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP dib = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, dib);
  ::BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  ::GdiFlush();
  const DWORD stride = static_cast<DWORD>((w * 3 + 3) & ~3), size = stride * static_cast<DWORD>(h);
  const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  const BITMAPFILEHEADER file{0x4D42, offset + size, 0, 0, offset};
  if (FILE* f = _wfopen((folder + name).c_str(), L"wb")) {
    std::fwrite(&file, sizeof file, 1, f);
    std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, f);
    std::fwrite(bits, 1, size, f);
    std::fclose(f);
  }
  ::SelectObject(memory, old);
  ::DeleteObject(dib);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
}

// ---- The command line of a test program run by tests/app/run-e2e ----

struct TE2EArgs {
  std::wstring Program;  // --program=PATH: the program under test
  std::wstring Result;   // --result=PATH: written at the end with the exit code
  std::wstring Folder;   // the result file's folder, where pictures go
};

inline TE2EArgs ParseE2EArgs(int argc, char** argv) {
  auto wide = [](const std::string& s) {
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, w.data(), n);
    w.resize(static_cast<std::size_t>(n > 0 ? n - 1 : 0));
    return w;
  };
  TE2EArgs args;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a.rfind("--program=", 0) == 0) args.Program = wide(a.substr(10));
    if (a.rfind("--result=", 0) == 0) args.Result = wide(a.substr(9));
  }
  if (const std::size_t slash = args.Result.find_last_of(L"\\/"); slash != std::wstring::npos)
    args.Folder = args.Result.substr(0, slash + 1);
  return args;
}

// The rest of an end-to-end test program's main, after the test framework has taken its own
// arguments: reads the command line into args, runs the tests (runAll) when a program was
// named, and writes the result file with their exit code.
inline int RunE2E(int argc, char** argv, TE2EArgs& args, const std::function<int()>& runAll) {
  args = ParseE2EArgs(argc, argv);
  const int rc = args.Program.empty() ? 2 : runAll();
  if (!args.Result.empty())
    if (FILE* f = _wfopen(args.Result.c_str(), L"w")) {
      std::fprintf(f, "%d\n", rc);
      std::fclose(f);
    }
  return rc;
}
