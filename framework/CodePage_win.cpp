// Code-page conversions on Windows, through the platform's own tables, so a text converts the
// same whatever the system's code page is.
#include "framework/CodePage.h"

#include <windows.h>

std::u16string CodePageToUtf16(std::string_view text, unsigned codePage) {
  if (text.empty()) return {};
  int n = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::u16string out(static_cast<std::size_t>(n), u'\0');
  ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                        reinterpret_cast<wchar_t*>(out.data()), n);
  return out;
}

std::string Utf16ToCodePage(std::u16string_view text, unsigned codePage) {
  if (text.empty()) return {};
  auto w = reinterpret_cast<const wchar_t*>(text.data());
  int n = ::WideCharToMultiByte(codePage, 0, w, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(codePage, 0, w, static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::size_t CodePageByteLength(std::u16string_view text, unsigned codePage) {
  if (text.empty()) return 0;
  return static_cast<std::size_t>(::WideCharToMultiByte(codePage, 0, reinterpret_cast<const wchar_t*>(text.data()),
                                                        static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr));
}
