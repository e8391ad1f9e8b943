#pragma once
// Conversions between the 8-bit code page of skin descriptions and window texts (GB2312,
// code page 936, whatever the system's own code page is), UTF-16 (the platform's text) and
// UTF-8 (our source files, JSON and the window description).
#include <string>
#include <string_view>

constexpr unsigned CP_GB2312 = 936;

// Each function converts what it can; a byte sequence that is not valid in the source
// encoding becomes U+FFFD (or '?' in an 8-bit target), never an exception.
std::u16string CodePageToUtf16(std::string_view text, unsigned codePage = CP_GB2312);
std::string Utf16ToCodePage(std::u16string_view text, unsigned codePage = CP_GB2312);

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

inline std::string CodePageToUtf8(std::string_view text, unsigned codePage = CP_GB2312) {
  return Utf16ToUtf8(CodePageToUtf16(text, codePage));
}
inline std::string Utf8ToCodePage(std::string_view text, unsigned codePage = CP_GB2312) {
  return Utf16ToCodePage(Utf8ToUtf16(text), codePage);
}

// The number of bytes the text takes in the code page (what a conversion would produce).
std::size_t CodePageByteLength(std::u16string_view text, unsigned codePage = CP_GB2312);
