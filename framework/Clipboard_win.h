#pragma once
// The clipboard's text, used as a user expects: a clipboard without text is no error, and
// one held open by another program is tried again for a moment, then left as it is.
#include <windows.h>

#include <string>
#include <string_view>

enum class TClipboardRead { Text, NoText, Busy };

class TClipboard {
public:
  // Reads the clipboard's Unicode text into text (unchanged unless Text is returned).
  static TClipboardRead GetText(HWND owner, std::wstring& text);
  // Replaces the clipboard's content with the text; false when it stayed busy or the system
  // refused (the clipboard then keeps what it had).
  static bool SetText(HWND owner, std::wstring_view text);

private:
  static bool Open(HWND owner);
};
