#include "app/LengthRule.h"

#include "framework/CodePage.h"

std::size_t TextByteLength(std::u16string_view text) { return CodePageByteLength(text, CP_GB2312); }

std::u16string SwapHexPairs(std::u16string_view hex) {
  if (hex.size() != 4) return std::u16string(hex);
  return std::u16string{hex[2], hex[3], hex[0], hex[1]};
}

std::u16string HexLengthText(std::size_t length, bool reversed) {
  if (length == 0) return {};
  if (length > kMaxLength) return std::u16string(kOverflowMessage);
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  int width = length <= 0xFF ? 2 : 4;
  std::u16string hex(static_cast<std::size_t>(width), u'0');
  for (int i = width - 1; i >= 0; --i, length >>= 4) hex[static_cast<std::size_t>(i)] = kDigits[length & 0xF];
  if (reversed && width == 4) return SwapHexPairs(hex);
  return hex;
}
