#include "framework/Clipboard_win.h"

#include "framework/Handle_win.h"

#include <cstring>

bool TClipboard::Open(HWND owner) {
  // Another program may hold the clipboard open for a moment (a clipboard manager reading
  // it): try for about a quarter of a second before giving up.
  for (int attempt = 0; attempt < 25; ++attempt) {
    if (::OpenClipboard(owner)) return true;
    ::Sleep(10);
  }
  return false;
}

TClipboardRead TClipboard::GetText(HWND owner, std::wstring& text) {
  if (!::IsClipboardFormatAvailable(CF_UNICODETEXT)) return TClipboardRead::NoText;
  if (!Open(owner)) return TClipboardRead::Busy;
  TClipboardRead result = TClipboardRead::NoText;
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (auto* p = static_cast<const wchar_t*>(::GlobalLock(data))) {
      // The text ends at its terminator or at the end of the memory block, whichever is first.
      std::size_t limit = ::GlobalSize(data) / sizeof(wchar_t);
      std::size_t n = 0;
      while (n < limit && p[n] != L'\0') ++n;
      text.assign(p, n);
      ::GlobalUnlock(data);
      result = TClipboardRead::Text;
    }
  }
  ::CloseClipboard();
  return result;
}

bool TClipboard::SetText(HWND owner, std::wstring_view text) {
  TOwnedGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
  if (!memory) return false;
  auto* p = static_cast<wchar_t*>(::GlobalLock(memory.Get()));
  if (!p) return false;
  std::memcpy(p, text.data(), text.size() * sizeof(wchar_t));
  p[text.size()] = L'\0';
  ::GlobalUnlock(memory.Get());
  if (!Open(owner)) return false;
  bool ok = ::EmptyClipboard() && ::SetClipboardData(CF_UNICODETEXT, memory.Get());
  if (ok) (void)memory.Release();  // the clipboard owns the memory now
  ::CloseClipboard();
  return ok;
}
