#include "framework/Dpi_win.h"

namespace {

using TGetDpiForWindow = UINT(WINAPI*)(HWND);

// Looked up once: systems before per-monitor DPI have no such function.
TGetDpiForWindow DpiForWindowFunction() {
  static const TGetDpiForWindow function = [] {
    HMODULE user = ::GetModuleHandleW(L"user32.dll");
    return user ? reinterpret_cast<TGetDpiForWindow>(reinterpret_cast<void*>(::GetProcAddress(user, "GetDpiForWindow")))
                : nullptr;
  }();
  return function;
}

}  // namespace

int SystemDpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
  if (screen) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

int WindowDpi(HWND window) {
  if (window != nullptr) {
    if (TGetDpiForWindow f = DpiForWindowFunction()) {
      const UINT dpi = f(window);
      if (dpi > 0) return static_cast<int>(dpi);
    }
  }
  return SystemDpi();
}
