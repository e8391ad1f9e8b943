#include "framework/CustomControl_win.h"

#include "framework/GdiCache_win.h"

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ClassName = L"QuillonCustomControl";
  params.ClassStyle = CS_DBLCLKS;
  params.Style |= WS_CLIPCHILDREN;
}

void TCustomControl::Invalidate() {
  if (HWND window = HandleIfAllocated()) ::InvalidateRect(window, nullptr, FALSE);
}

void TCustomControl::Repaint() {
  if (HWND window = HandleIfAllocated()) {
    ::InvalidateRect(window, nullptr, FALSE);
    ::UpdateWindow(window);
  }
}

void TCustomControl::Paint(TCanvas& canvas) {
  canvas.FillRect(Rect(0, 0, Width(), Height()), Color());
}

void TCustomControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(HandleIfAllocated(), &ps);
      if (dc) {
        TCanvas canvas(dc);
        Paint(canvas);
      }
      ::EndPaint(HandleIfAllocated(), &ps);
      m.Result = 0;
      return;
    }
    case WM_ERASEBKGND:
      if (FSwallowErase) {
        m.Result = 1;
        return;
      }
      break;
    case WM_MOUSEMOVE:
      if (!FMouseInControl) {
        // The platform sends WM_MOUSELEAVE only once asked, and forgets the request after
        // sending it: ask again at every entry.
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, HandleIfAllocated(), 0};
        ::TrackMouseEvent(&track);
        FMouseInControl = true;
        MouseEnter();
      }
      break;
    case WM_MOUSELEAVE:
      if (FMouseInControl) {
        FMouseInControl = false;
        MouseLeave();
      }
      m.Result = 0;
      return;
    default:
      break;
  }
  TWinControl::WndProc(m);
}
