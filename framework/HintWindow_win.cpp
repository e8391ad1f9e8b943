#include "framework/HintWindow_win.h"

#include "framework/GdiCache_win.h"
#include "framework/Handle_win.h"

#include <algorithm>
#include <string>

THintWindow::THintWindow(TComponent* owner) : TWinControl(owner) {
  SetVisible(false);  // made hidden; ActivateHint shows it
}

void THintWindow::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ClassName = L"THintWindow";
  params.Style = WS_POPUP | WS_BORDER;
  params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  params.ClassStyle = CS_SAVEBITS;
  params.ParentWindow = nullptr;
}

TRect THintWindow::CalcHintRect(int maxWidth, std::wstring_view text) {
  RECT r{0, 0, maxWidth, 0};
  TOwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
  TSelectObject font(dc.Get(), CachedFont(Font()));
  const std::wstring copy(text);
  ::DrawTextW(dc.Get(), copy.c_str(), static_cast<int>(copy.size()), &r,
              DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  // Two pixels of space inside the border on each side.
  return Rect(0, 0, r.right + 6, r.bottom + 6);
}

void THintWindow::ActivateHint(TRect rect, std::wstring_view text) {
  SetText(text);
  const int screenW = ::GetSystemMetrics(SM_CXSCREEN), screenH = ::GetSystemMetrics(SM_CYSCREEN);
  const int w = rect.Width(), h = rect.Height();
  rect.Left = std::max(0, std::min(rect.Left, screenW - w));
  rect.Top = std::max(0, std::min(rect.Top, screenH - h));
  SetBounds(rect.Left, rect.Top, w, h);
  HWND window = Handle();
  ::SetWindowPos(window, HWND_TOPMOST, rect.Left, rect.Top, w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  ::InvalidateRect(window, nullptr, FALSE);
}

void THintWindow::HideHint() {
  if (HWND window = HandleIfAllocated(); window && ::IsWindowVisible(window))
    ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE);
}

bool THintWindow::Showing() const {
  HWND window = HandleIfAllocated();
  return window && ::IsWindowVisible(window);
}

void THintWindow::Paint(HDC dc) {
  RECT r;
  ::GetClientRect(HandleIfAllocated(), &r);
  ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_INFOBK));
  TSelectObject font(dc, CachedFont(Font()));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_INFOTEXT));
  const std::wstring text = Text();
  RECT t{2, 2, r.right - 2, r.bottom - 2};
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &t, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

void THintWindow::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_MOUSEACTIVATE:
      m.Result = MA_NOACTIVATE;  // a hint never takes the activation from the window below
      return;
    case WM_NCHITTEST:
      m.Result = HTTRANSPARENT;  // the mouse goes through to the control the hint is for
      return;
    case WM_ERASEBKGND:
      m.Result = 1;  // everything is painted at once in WM_PAINT
      return;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(HandleIfAllocated(), &ps);
      RECT client;
      ::GetClientRect(HandleIfAllocated(), &client);
      if (client.right > 0 && client.bottom > 0) {
        // Drawn off screen first, then copied in one blit: no flicker.
        TOwnedMemoryDC memory(::CreateCompatibleDC(dc));
        TOwnedBitmap bitmap(::CreateCompatibleBitmap(dc, client.right, client.bottom));
        {
          TSelectObject selected(memory.Get(), bitmap.Get());
          Paint(memory.Get());
          ::BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
        }
      }
      ::EndPaint(HandleIfAllocated(), &ps);
      m.Result = 0;
      return;
    }
    default:
      break;
  }
  TWinControl::WndProc(m);
}
