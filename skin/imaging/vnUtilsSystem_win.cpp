#include "skin/imaging/vnUtilsSystem_win.h"

#include "skin/imaging/vnUtilsHelpers.h"

namespace {

using TSetLayeredWindowAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
using TMonitorFromWindow = HMONITOR(WINAPI*)(HWND, DWORD);
using TGetMonitorInfoA = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);

// The optional entry points of the already loaded user32, looked up on first use; user32 stays
// loaded for the life of a GUI process, so the addresses stay valid.
struct TUser32Entries {
  TSetLayeredWindowAttributes SetLayeredWindowAttributes = nullptr;
  TMonitorFromWindow MonitorFromWindow = nullptr;
  TGetMonitorInfoA GetMonitorInfoA = nullptr;
};

template <class T>
T Entry(HMODULE module, const char* name) {
  // Through void(*)(): the one function pointer type that any other may be cast from quietly.
  return module ? reinterpret_cast<T>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)))
                : nullptr;
}

const TUser32Entries& User32() {
  static const TUser32Entries entries = [] {
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    TUser32Entries e;
    e.SetLayeredWindowAttributes = Entry<TSetLayeredWindowAttributes>(user32, "SetLayeredWindowAttributes");
    e.MonitorFromWindow = Entry<TMonitorFromWindow>(user32, "MonitorFromWindow");
    e.GetMonitorInfoA = Entry<TGetMonitorInfoA>(user32, "GetMonitorInfoA");
    return e;
  }();
  return entries;
}

}  // namespace

bool IsLayeredWindowSystem() { return User32().SetLayeredWindowAttributes != nullptr; }

bool IsDropShadowSystem() {
  static const bool available = [] {
    const TvnSystemVersion version = DecodeSystemVersion(static_cast<std::uint32_t>(::GetVersion()));
    BOOL shadow = FALSE;
    const bool knowsSetting = ::SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &shadow, 0) != FALSE;
    return DropShadowsAvailable(version, knowsSetting);
  }();
  return available;
}

void SetLayeredAlpha(HWND window, BYTE alpha) {
  if (auto set = User32().SetLayeredWindowAttributes) set(window, 0, alpha, LWA_ALPHA);
}

bool HasSeveralMonitors() {
  return ::GetSystemMetrics(SM_CMONITORS) > 1 && User32().GetMonitorInfoA != nullptr;
}

void GetWindowMonitorArea(HWND window, TvnMonitorArea area, TRect& rect) {
  if (HasSeveralMonitors() && User32().MonitorFromWindow) {
    HMONITOR monitor = User32().MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = 40;
    static_assert(sizeof(MONITORINFO) == 40);
    if (!monitor || !User32().GetMonitorInfoA(monitor, &info)) return;
    const RECT& r = area == TvnMonitorArea::Work ? info.rcWork : info.rcMonitor;
    rect = {r.left, r.top, r.right, r.bottom};
    return;
  }
  if (area == TvnMonitorArea::Work) {
    RECT work{};
    if (::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
      rect = {work.left, work.top, work.right, work.bottom};
    return;
  }
  rect = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}
