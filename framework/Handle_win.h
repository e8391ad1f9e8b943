#pragma once
// Owning wrappers of Win32 handles and scoped helpers.
//
// TOwnedHandle<Traits> owns one handle and closes it once: move-only, copy deleted, so a
// handle can never be closed twice or leaked by a copy. The owning types are named
// TOwned...; a plain HWND/HFONT/... held anywhere else is borrowed (not closed by whoever
// holds it) and commented as such. Release() hands a handle over visibly, e.g. a region
// given to SetWindowRgn, which the system then owns:
//
//   TOwnedRegion region(::CreateRectRgn(0, 0, w, h));
//   ::SetWindowRgn(hwnd, region.Release(), TRUE);  // the window owns the region now
#include <windows.h>

#include <utility>

template <class Traits>
class TOwnedHandle {
public:
  using THandle = typename Traits::THandle;

  TOwnedHandle() = default;
  explicit TOwnedHandle(THandle handle) : FHandle(handle) {}
  ~TOwnedHandle() { Reset(); }
  TOwnedHandle(const TOwnedHandle&) = delete;
  TOwnedHandle& operator=(const TOwnedHandle&) = delete;
  TOwnedHandle(TOwnedHandle&& other) noexcept : FHandle(other.Release()) {}
  TOwnedHandle& operator=(TOwnedHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  THandle Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != THandle{}; }
  // Gives up ownership without closing.
  [[nodiscard]] THandle Release() { return std::exchange(FHandle, THandle{}); }
  // Closes the current handle (if any) and takes the new one.
  void Reset(THandle handle = THandle{}) {
    THandle old = std::exchange(FHandle, handle);
    if (old != THandle{}) Traits::Close(old);
  }

private:
  THandle FHandle{};
};

template <class H>
struct TGdiObjectTraits {
  using THandle = H;
  static void Close(H h) { ::DeleteObject(h); }
};
struct TWindowTraits {
  using THandle = HWND;
  static void Close(HWND h) { ::DestroyWindow(h); }
};
struct TIconTraits {
  using THandle = HICON;
  static void Close(HICON h) { ::DestroyIcon(h); }
};
struct TMemoryDCTraits {
  using THandle = HDC;
  static void Close(HDC h) { ::DeleteDC(h); }
};
struct TGlobalTraits {
  using THandle = HGLOBAL;
  static void Close(HGLOBAL h) { ::GlobalFree(h); }
};

using TOwnedFont = TOwnedHandle<TGdiObjectTraits<HFONT>>;
using TOwnedBrush = TOwnedHandle<TGdiObjectTraits<HBRUSH>>;
using TOwnedPen = TOwnedHandle<TGdiObjectTraits<HPEN>>;
using TOwnedBitmap = TOwnedHandle<TGdiObjectTraits<HBITMAP>>;
using TOwnedRegion = TOwnedHandle<TGdiObjectTraits<HRGN>>;
using TOwnedWindow = TOwnedHandle<TWindowTraits>;
using TOwnedIcon = TOwnedHandle<TIconTraits>;
using TOwnedMemoryDC = TOwnedHandle<TMemoryDCTraits>;
using TOwnedGlobal = TOwnedHandle<TGlobalTraits>;

// A window's device context for the scope (GetDC / ReleaseDC).
class TWindowDC {
public:
  explicit TWindowDC(HWND window) : FWindow(window), FDC(::GetDC(window)) {}
  ~TWindowDC() { if (FDC) ::ReleaseDC(FWindow, FDC); }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return FDC; }

private:
  HWND FWindow;  // borrowed
  HDC FDC;
};

// Selects an object into a DC for the scope and selects the previous one back at its end,
// before the object itself can be deleted (declare it after the object it selects).
class TSelectObject {
public:
  TSelectObject(HDC dc, HGDIOBJ object) : FDC(dc), FOld(::SelectObject(dc, object)) {}
  ~TSelectObject() { if (FOld && FOld != HGDI_ERROR) ::SelectObject(FDC, FOld); }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

private:
  HDC FDC;        // borrowed
  HGDIOBJ FOld;   // borrowed: belongs to the DC's previous owner
};
