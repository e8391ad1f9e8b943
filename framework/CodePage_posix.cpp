// Code-page conversions on systems without the Win32 API, through the C library's iconv.
#include "framework/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <string>

namespace {

std::string IconvName(unsigned codePage) {
  if (codePage == 65001) return "UTF-8";
  if (codePage == 1252) return "CP1252";
  return "CP" + std::to_string(codePage);
}

// Converts in one pass; an invalid input unit is replaced and skipped.
std::string Convert(const char* from, const char* to, const char* data, std::size_t size,
                    std::size_t unit, const std::string& replacement) {
  std::string out;
  iconv_t cd = ::iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return out;
  out.resize(size * 2 + 16);
  char* in = const_cast<char*>(data);
  std::size_t inLeft = size;
  std::size_t used = 0;
  while (inLeft > 0) {
    char* dst = out.data() + used;
    std::size_t outLeft = out.size() - used;
    std::size_t r = ::iconv(cd, &in, &inLeft, &dst, &outLeft);
    used = out.size() - outLeft;
    if (r != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
    } else {  // EILSEQ or EINVAL: replace one input unit and go on
      std::size_t skip = inLeft < unit ? inLeft : unit;
      in += skip;
      inLeft -= skip;
      if (out.size() - used < replacement.size()) out.resize(out.size() * 2 + replacement.size());
      out.replace(used, replacement.size(), replacement);
      used += replacement.size();
    }
  }
  out.resize(used);
  ::iconv_close(cd);
  return out;
}

}  // namespace

std::u16string CodePageToUtf16(std::string_view text, unsigned codePage) {
  const std::string fffd("\xFD\xFF", 2);
  std::string bytes = Convert(IconvName(codePage).c_str(), "UTF-16LE", text.data(), text.size(), 1, fffd);
  std::u16string out(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  return out;
}

std::string Utf16ToCodePage(std::u16string_view text, unsigned codePage) {
  std::string le(text.size() * 2, '\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    le[2 * i] = static_cast<char>(text[i] & 0xFF);
    le[2 * i + 1] = static_cast<char>(text[i] >> 8);
  }
  return Convert("UTF-16LE", IconvName(codePage).c_str(), le.data(), le.size(), 2, "?");
}

std::size_t CodePageByteLength(std::u16string_view text, unsigned codePage) {
  return Utf16ToCodePage(text, codePage).size();
}
