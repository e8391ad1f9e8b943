// What an open popup window does with the mouse (polled every 50 ms, never captured), the keys
// the form hands it, its scroll bands and its timers.
#include <windows.h>
#include <windowsx.h>

#include "framework/Menus.h"
#include "skin/menus/vnSkinMenus_win.h"

// Popup window messages being handled now (on this thread): closed windows are only freed when
// none is, so no window is freed under its own message.
thread_local int gPopupMessageDepth = 0;

void TvnSkinPopupWindow::WndProc(TMessage& m) {
  struct TDepth {
    TDepth() { ++gPopupMessageDepth; }
    ~TDepth() { --gPopupMessageDepth; }
  } depth;
  if (FAccessibility.Message(m)) return;  // assistive tools asking about the menu
  switch (m.Msg) {
    case WM_MOUSEACTIVATE:
      m.Result = MA_NOACTIVATE;  // the form keeps the focus and hands over the keys
      return;
    case WM_ERASEBKGND:
      PaintWindow(reinterpret_cast<HDC>(m.WParam));
      FPaintedOnErase = true;
      m.Result = 1;
      return;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(HandleIfAllocated(), &ps);
      if (!FPaintedOnErase) PaintWindow(dc);
      FPaintedOnErase = false;
      ::EndPaint(HandleIfAllocated(), &ps);
      m.Result = 0;
      return;
    }
    case WM_TIMER:
      if (Closed()) return;
      switch (m.WParam) {
        case vnScrollTimer: ScrollTick(); break;
        case vnMouseTimer: PollMouse(); break;
        case vnMorphTimer: MorphTick(); break;
        case vnSubmenuTimer: ParentPopup.WaitTimerTick(); break;
        default: break;
      }
      m.Result = 0;
      return;
    case WM_LBUTTONUP:
      if (Closed()) return;
      MouseUp(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      m.Result = 0;
      return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK:
      m.Result = 0;  // presses do nothing in the menu
      return;
    default:
      TWinControl::WndProc(m);
  }
}

void TvnSkinPopupWindow::PollMouse() {
  POINT p;
  if (!::GetCursorPos(&p)) return;
  if (p.x == LastMouse.X && p.y == LastMouse.Y) return;
  LastMouse = {p.x, p.y};
  HWND window = HandleIfAllocated();
  if (window != nullptr && ::WindowFromPoint(p) == window) {
    ::ScreenToClient(window, &p);
    TrackItems(p.x, p.y);
  } else if (Layout.Scrolling) {
    Layout.ScrollState = 0;
    if (window != nullptr) {
      HDC dc = ::GetDC(window);
      DrawScrollMarkers(dc);
      ::ReleaseDC(window, dc);
    }
  }
}

void TvnSkinPopupWindow::TrackItems(int x, int y) {
  const TPoint p{x, y};
  if (Layout.Scrolling) {
    const bool onTop = Layout.TopBand().Contains(p), onBottom = Layout.BottomBand().Contains(p);
    auto markers = [this] {
      if (HWND window = HandleIfAllocated()) {
        HDC dc = ::GetDC(window);
        DrawScrollMarkers(dc);
        ::ReleaseDC(window, dc);
      }
    };
    if (onTop && Layout.ScrollState == 0 && Layout.CanScrollUp()) {
      Layout.ScrollState = 1;
      markers();
      StartScroll();
    } else if (onBottom && Layout.ScrollState == 0 && Layout.CanScrollDown()) {
      Layout.ScrollState = 2;
      markers();
      StartScroll();
    } else if (Layout.ScrollState != 0 && !onTop && !onBottom) {
      StopScroll();
    }
  }
  if (Items.empty()) return;
  PreviousHotItem = HotItem;
  if (const int at = Layout.ItemAt(p); at >= 0) HotItem = at;
  if (HotItem == PreviousHotItem && HotItem != -1) {
    TvnSkinMenuItem& item = Item(HotItem);
    if (item.WaitingForMouse) {
      item.WaitingForMouse = false;
      // The opening highlight is confirmed by the mouse: a submenu opens after the delay.
      if (item.HasChildren()) item.SelectItem(false);
    }
    return;
  }
  if (Layout.Selectable(PreviousHotItem)) Item(PreviousHotItem).DeselectItem();
  if (Layout.Selectable(HotItem)) Item(HotItem).SelectItem(false);
}

void TvnSkinPopupWindow::MouseUp(int x, int y) {
  TrackItems(x, y);
  if (HotItem < 0) return;
  const int at = Layout.ItemAt({x, y});
  if (at >= 0 && !Item(at).IsSeparator()) Item(at).RunItem();  // may close this window
}

// ---- Scrolling --------------------------------------------------------------------------------

void TvnSkinPopupWindow::StartScroll() {
  const int at = ParentPopup.IndexOfWindow(this);
  if (at >= 0) ParentPopup.CloseFrom(at + 1);
  if (HWND window = HandleIfAllocated()) ::SetTimer(window, vnScrollTimer, 100, nullptr);
}

void TvnSkinPopupWindow::StopScroll() {
  Layout.ScrollState = 0;
  if (HWND window = HandleIfAllocated()) {
    HDC dc = ::GetDC(window);
    DrawScrollMarkers(dc);
    ::ReleaseDC(window, dc);
    ::KillTimer(window, vnScrollTimer);
  }
}

void TvnSkinPopupWindow::ScrollTick() {
  if (Layout.ScrollState == 1 && Layout.CanScrollUp()) ScrollUp(false);
  else if (Layout.ScrollState == 2 && Layout.CanScrollDown()) ScrollDown(false);
  else StopScroll();
}

void TvnSkinPopupWindow::ScrollUp(bool cycle) {
  Layout.ScrollUp(cycle);
  Repaint();
}

void TvnSkinPopupWindow::ScrollDown(bool cycle) {
  Layout.ScrollDown(cycle);
  Repaint();
}

// ---- Keys -------------------------------------------------------------------------------------

void TvnSkinPopupWindow::SetHotItem(int index, bool keyboard) {
  const int old = HotItem;
  if (index == old || index < 0) return;
  HotItem = index;
  TvnSkinMenuItem& item = Item(index);
  if (keyboard) item.WaitingForMouse = true;  // lit by a key until the mouse confirms it
  item.SelectItem(keyboard);
  if (old >= 0 && old < ItemCount()) Item(old).DeselectItem();
}

void TvnSkinPopupWindow::ProcessKey(unsigned key) {
  HWND window = HandleIfAllocated();
  if (window != nullptr && ::IsWindowEnabled(window)) {
    for (int i = 0; i < ItemCount(); ++i)
      if (IsAccel(key, Item(i).SourceItem->Caption)) {
        if (Layout.Scrolling && Layout.EnsureVisible(i)) Repaint();
        const int old = HotItem;
        HotItem = i;
        if (old != i && Layout.Selectable(old)) Item(old).DeselectItem();
        TvnSkinMenuItem& item = Item(i);
        item.SelectItem(false);
        if (ParentPopup.IndexOfWindow(this) < 0) return;
        item.RunItem();  // may close this window and run a command: nothing of it is touched after
        return;
      }
  }
  TvnSkinMenu& engine = ParentPopup;
  switch (key) {
    case vkReturn:
      if (HotItem >= 0) Item(HotItem).RunItem();
      return;
    case vkEscape: {
      const int count = engine.PopupWindowCount();
      if (count <= 1) {
        // The outermost level: the whole menu ends and the form hears of it.
        engine.CloseAll();
        return;
      }
      engine.CloseFrom(count - 1);
      TvnSkinPopupWindow& inner = engine.PopupWindows(count - 2);
      if (inner.HotItem >= 0) inner.Item(inner.HotItem).SubmenuOpen = false;
      return;
    }
    case vkLeft: {
      const int count = engine.PopupWindowCount();
      if (count < 2) return;
      engine.CloseFrom(count - 1);
      TvnSkinPopupWindow& inner = engine.PopupWindows(count - 2);
      if (inner.HotItem >= 0) inner.Item(inner.HotItem).SubmenuOpen = false;
      return;
    }
    case vkUp:
    case vkDown: {
      const int first = Layout.FirstVisible;
      const int next = key == vkDown ? Layout.SelectNext(HotItem) : Layout.SelectPrevious(HotItem);
      if (Layout.FirstVisible != first) Repaint();
      SetHotItem(next, true);
      return;
    }
    case vkRight:
      if (HotItem >= 0 && Item(HotItem).HasChildren()) Item(HotItem).RunItem();
      return;
    default:
      return;
  }
}
