#pragma once
// The length rule: the byte length of a text, in GB2312 (code page 936) whatever the system's
// own code page is, shown as two or four hex digits, optionally byte-swapped, or as an
// overflow message past 65,535 bytes.
#include <cstddef>
#include <string>
#include <string_view>

// Shown instead of a value when the text is longer than 65,535 bytes.
inline constexpr std::u16string_view kOverflowMessage = u"字符长度已超出最大值 FFFF";
inline constexpr std::size_t kMaxLength = 0xFFFF;

// The text's length in bytes of code page 936: 1 per ASCII character, 2 per Chinese
// character, 2 per line break (CR LF).
std::size_t TextByteLength(std::u16string_view text);

// The result text for a byte length: empty for 0; 2 upper-case hex digits up to 255 (never
// swapped); 4 digits up to 65,535, swapped by SwapHexPairs when reversed; past that the
// overflow message.
std::u16string HexLengthText(std::size_t length, bool reversed);

// Characters 3-4 followed by 1-2 ("012C" -> "2C01"): the high and low byte of a four-digit
// value exchanged. Anything that is not four characters long comes back unchanged.
std::u16string SwapHexPairs(std::u16string_view hex);
