#pragma once
// The accessibility tests' side of the reader program (AccessReader_win.cpp): it runs the
// reader against a window of the test's own process, pumping this process's messages meanwhile
// (the reader's questions arrive as messages), and gives back what the reader wrote.
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

struct TAccessibleRow {
  int Depth = 0;
  std::string Role, Name, State, Location, Action, Shortcut;  // as written, "!<HRESULT>" for a failure
};

struct TAccessibleReading {
  bool Finished = false;  // the reader ran and ended within the time
  std::string Get;        // the HRESULT of asking the window, in hexadecimal
  std::string Do;         // the HRESULT of the default action asked for, if any
  std::vector<TAccessibleRow> Rows;
  // The first element with this name at this depth, or none.
  const TAccessibleRow* Find(const std::string& name, int depth) const {
    for (const TAccessibleRow& r : Rows)
      if (r.Name == name && r.Depth == depth) return &r;
    return nullptr;
  }
};

// A path of this machine as the Windows programs under Wine see it.
inline std::wstring WindowsPath(const std::string& path) {
  std::wstring w = path.starts_with("/") ? L"Z:" : L"";
  for (char c : path) w.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
  return w;
}

inline std::string Hex(long value) {
  char text[16];
  std::snprintf(text, sizeof text, "%lx", value);
  return text;
}

inline std::string Location(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right - r.left) + "," +
         std::to_string(r.bottom - r.top);
}

// object: "window", "titlebar" or "client"; doName: the element whose default action to run.
inline TAccessibleReading ReadFromOutside(HWND window, const char* object, const std::wstring& doName = L"") {
  TAccessibleReading reading;
  const std::string out = std::string(QUILLON_BINARY_DIR) + "/access-reading.txt";
  ::DeleteFileW(WindowsPath(out).c_str());
  wchar_t handle[32];
  std::swprintf(handle, 32, L"%llx", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)));
  std::wstring command = L"\"" + WindowsPath(QUILLON_ACCESS_READER) + L"\" \"" + WindowsPath(out) + L"\" " + handle +
                         L" " + std::wstring(object, object + std::char_traits<char>::length(object));
  if (!doName.empty()) command += L" --do \"" + doName + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return reading;
  const DWORD end = ::GetTickCount() + 60000;
  while (static_cast<int>(end - ::GetTickCount()) > 0) {
    if (::MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 50, QS_ALLINPUT) == WAIT_OBJECT_0) {
      reading.Finished = true;
      break;
    }
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  if (!reading.Finished) ::TerminateProcess(pi.hProcess, 1);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  std::ifstream in(WindowsPath(out).c_str());
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> f;
    std::stringstream fields(line);
    for (std::string s; std::getline(fields, s, '\t');) f.push_back(s);
    if (f.size() == 2 && f[0] == "get") reading.Get = f[1];
    else if (f.size() == 2 && f[0] == "do") reading.Do = f[1];
    else if (f.size() >= 5) {
      f.resize(7);
      reading.Rows.push_back({std::stoi(f[0]), f[1], f[2], f[3], f[4], f[5], f[6]});
    }
  }
  return reading;
}
