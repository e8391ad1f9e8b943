// The floor of the start-up benchmark: a plain Win32 window with the same controls as Quillon's
// main window (two labels, a multi-line edit, a read-only edit, a check box, four buttons) at
// the same places, with the same font, the same common-controls manifest and the common
// controls library loaded as Quillon loads it, and nothing else.
// Closing it (WM_CLOSE) ends the program.
#include <windows.h>

#include <commctrl.h>

namespace {

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  // With the manifest, the common controls library then supplies the edits and buttons, as it
  // does for Quillon.
  INITCOMMONCONTROLSEX common{sizeof common, ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&common);
  WNDCLASSEXW c{};
  c.cbSize = sizeof c;
  c.lpfnWndProc = PlainProc;
  c.hInstance = instance;
  c.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  c.lpszClassName = L"QuillonPlainWindow";
  if (!::RegisterClassExW(&c)) return 1;
  RECT frame{0, 0, 370, 347};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  ::AdjustWindowRectEx(&frame, style, FALSE, 0);
  HWND window = ::CreateWindowExW(0, c.lpszClassName, L"Quillon", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                  instance, nullptr);
  if (!window) return 1;
  HFONT font = ::CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"\u5B8B\u4F53");
  const struct {
    const wchar_t* Class;
    const wchar_t* Text;
    DWORD Style;
    int X, Y, W, H;
  } controls[] = {
      {L"STATIC", L"\u6587\u672C\uFF1A", 0, 11, 15, 36, 12},
      {L"STATIC", L"Hex \u957F\u5EA6\u503C\uFF1A", 0, 11, 259, 72, 12},
      {L"EDIT", L"", WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_TABSTOP, 11, 38, 347, 207},
      {L"EDIT", L"", WS_BORDER | ES_READONLY | ES_AUTOHSCROLL | ES_NOHIDESEL | WS_TABSTOP, 11, 284, 347, 20},
      {L"BUTTON", L"Hex \u503C\u53CD\u5E8F", BS_AUTOCHECKBOX | WS_TABSTOP, 11, 319, 83, 17},
      {L"BUTTON", L"\u6E05\u7A7A", BS_PUSHBUTTON | WS_TABSTOP, 104, 316, 75, 25},
      {L"BUTTON", L"\u9000\u51FA", BS_PUSHBUTTON | WS_TABSTOP, 191, 316, 75, 25},
      {L"BUTTON", L"\u4ECE\u526A\u8D34\u677F\u7C98\u8D34", BS_PUSHBUTTON | WS_TABSTOP, 278, 7, 80, 25},
      {L"BUTTON", L"\u590D\u5236\u5230\u526A\u8D34\u677F", BS_PUSHBUTTON | WS_TABSTOP, 278, 253, 80, 25},
  };
  for (const auto& k : controls) {
    HWND control = ::CreateWindowExW(0, k.Class, k.Text, WS_CHILD | WS_VISIBLE | k.Style, k.X, k.Y, k.W, k.H,
                                     window, nullptr, instance, nullptr);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  ::ShowWindow(window, show);
  ::UpdateWindow(window);
  MSG m;
  while (::GetMessageW(&m, nullptr, 0, 0) > 0) {
    if (::IsDialogMessageW(window, &m)) continue;
    ::TranslateMessage(&m);
    ::DispatchMessageW(&m);
  }
  ::DeleteObject(font);
  return 0;
}
