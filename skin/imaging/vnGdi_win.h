#pragma once
// GDI objects, device contexts, regions and icons of the skin engine, each counted while it
// lives. The platform under Wine reports no GDI counts, so the engine keeps its own: every
// handle it makes is wrapped right where it is made (TvnCounted, TvnWindowDC, TvnScreenDC),
// and a test can check that TvnGdiCount::Live() comes back to where it was.
#include "framework/Handle_win.h"

#include <windows.h>

#include <atomic>

// Live GDI objects, device contexts, regions and icons the engine has made and not released.
class TvnGdiCount {
public:
  static long Live() { return FLive.load(); }
  static void Made() { ++FLive; }
  static void Released() { --FLive; }

private:
  static inline std::atomic<long> FLive{0};
};

// Owning traits that keep the count. Wrap a handle right where it is made: TvnCounted(...).
template <class H>
struct TvnCountedGdiTraits {
  using THandle = H;
  static void Close(H h) {
    ::DeleteObject(h);
    TvnGdiCount::Released();
  }
};
// Memory DCs (CreateCompatibleDC) and display DCs (CreateDC) both end with DeleteDC.
struct TvnCountedMemoryDCTraits {
  using THandle = HDC;
  static void Close(HDC h) {
    ::DeleteDC(h);
    TvnGdiCount::Released();
  }
};
struct TvnCountedIconTraits {
  using THandle = HICON;
  static void Close(HICON h) {
    ::DestroyIcon(h);
    TvnGdiCount::Released();
  }
};
using TvnOwnedBitmap = TOwnedHandle<TvnCountedGdiTraits<HBITMAP>>;
using TvnOwnedFont = TOwnedHandle<TvnCountedGdiTraits<HFONT>>;
using TvnOwnedBrush = TOwnedHandle<TvnCountedGdiTraits<HBRUSH>>;
using TvnOwnedPen = TOwnedHandle<TvnCountedGdiTraits<HPEN>>;
using TvnOwnedRegion = TOwnedHandle<TvnCountedGdiTraits<HRGN>>;
using TvnOwnedMemoryDC = TOwnedHandle<TvnCountedMemoryDCTraits>;
using TvnOwnedIcon = TOwnedHandle<TvnCountedIconTraits>;

// Takes ownership of a freshly made handle and counts it (a null handle is not counted).
template <class TOwned>
TOwned TvnCounted(typename TOwned::THandle handle) {
  if (handle) TvnGdiCount::Made();
  return TOwned(handle);
}

// Hands a region to a window: from this line on the window owns it and the count drops.
inline void GiveRegionToWindow(HWND window, TvnOwnedRegion region, bool redraw) {
  HRGN handle = region.Release();
  if (handle) TvnGdiCount::Released();
  ::SetWindowRgn(window, handle, redraw ? TRUE : FALSE);
}

// Whether the window's region is exactly this one.
inline bool WindowRegionEquals(HWND window, HRGN region) {
  TvnOwnedRegion current = TvnCounted<TvnOwnedRegion>(::CreateRectRgn(0, 0, 0, 0));
  return current && ::GetWindowRgn(window, current.Get()) != ERROR && ::EqualRgn(current.Get(), region) != FALSE;
}

// A window's DC for the scope, counted: the whole window (GetWindowDC) or, with window null,
// the screen (GetDC(nullptr)).
class TvnWindowDC {
public:
  explicit TvnWindowDC(HWND window)
      : FWindow(window), FDC(window ? ::GetWindowDC(window) : ::GetDC(nullptr)) {
    if (FDC) TvnGdiCount::Made();
  }
  ~TvnWindowDC() {
    if (FDC) {
      ::ReleaseDC(FWindow, FDC);
      TvnGdiCount::Released();
    }
  }
  TvnWindowDC(const TvnWindowDC&) = delete;
  TvnWindowDC& operator=(const TvnWindowDC&) = delete;
  HDC Get() const { return FDC; }

private:
  HWND FWindow;  // borrowed
  HDC FDC;
};

// The screen's DC for the scope, counted.
class TvnScreenDC : public TvnWindowDC {
public:
  TvnScreenDC() : TvnWindowDC(nullptr) {}
};

// Selects an object into a DC and selects the DC's previous one back when it ends, before the
// object can be deleted: declare it after the object it selects. Empty (does nothing) until
// Select is called, so it can be a member.
class TvnSelection {
public:
  TvnSelection() = default;
  TvnSelection(HDC dc, HGDIOBJ object) { Select(dc, object); }
  ~TvnSelection() { Restore(); }
  TvnSelection(const TvnSelection&) = delete;
  TvnSelection& operator=(const TvnSelection&) = delete;

  // Selects object; the DC's object from before the first selection is what goes back.
  void Select(HDC dc, HGDIOBJ object) {
    if (!dc || !object) return;
    HGDIOBJ old = ::SelectObject(dc, object);
    if (old == nullptr || old == HGDI_ERROR) return;
    if (!FOld) {
      FDC = dc;
      FOld = old;
    }
  }
  void Restore() {
    if (FOld) ::SelectObject(FDC, FOld);
    FOld = nullptr;
  }

private:
  HDC FDC = nullptr;      // borrowed
  HGDIOBJ FOld = nullptr;  // borrowed: the DC's own object
};
