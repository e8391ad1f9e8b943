#include "skin/data/vnJsonWriter.h"

namespace {

// Length of the valid UTF-8 sequence at s[i], or 0 when it is not one.
std::size_t Utf8SequenceLength(std::string_view s, std::size_t i) {
  auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  unsigned char b = byte(i);
  std::size_t n = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
  }
  if (n == 2 && b < 0xC2) return 0;                          // overlong
  if (n == 3 && b == 0xE0 && byte(i + 1) < 0xA0) return 0;   // overlong
  if (n == 3 && b == 0xED && byte(i + 1) >= 0xA0) return 0;  // surrogate
  if (n == 4 && b == 0xF0 && byte(i + 1) < 0x90) return 0;   // overlong
  if (n == 4 && (b > 0xF4 || (b == 0xF4 && byte(i + 1) >= 0x90))) return 0;  // past U+10FFFF
  return n;
}

}  // namespace

void TvnJsonWriter::BeforeValue() {
  if (FAfterKey) {
    FAfterKey = false;
    return;
  }
  if (!FHasValue.empty()) {
    if (FHasValue.back()) FOut += ',';
    FHasValue.back() = true;
  }
}

void TvnJsonWriter::BeginObject() {
  BeforeValue();
  FOut += '{';
  FHasValue.push_back(false);
}

void TvnJsonWriter::EndObject() {
  FOut += '}';
  FHasValue.pop_back();
}

void TvnJsonWriter::BeginArray() {
  BeforeValue();
  FOut += '[';
  FHasValue.push_back(false);
}

void TvnJsonWriter::EndArray() {
  FOut += ']';
  FHasValue.pop_back();
}

void TvnJsonWriter::Key(std::string_view utf8) {
  String(utf8);
  FOut += ':';
  FAfterKey = true;
}

void TvnJsonWriter::Int(std::int64_t value) {
  BeforeValue();
  FOut += std::to_string(value);
}

void TvnJsonWriter::Bool(bool value) {
  BeforeValue();
  FOut += value ? "true" : "false";
}

void TvnJsonWriter::Null() {
  BeforeValue();
  FOut += "null";
}

void TvnJsonWriter::String(std::string_view utf8) {
  BeforeValue();
  static const char kHex[] = "0123456789abcdef";
  FOut += '"';
  for (std::size_t i = 0; i < utf8.size();) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    std::size_t n = Utf8SequenceLength(utf8, i);
    if (n == 0) {
      FOut += "\xEF\xBF\xBD";
      ++i;
      continue;
    }
    if (n > 1) {
      FOut.append(utf8.substr(i, n));
      i += n;
      continue;
    }
    switch (c) {
      case '"': FOut += "\\\""; break;
      case '\\': FOut += "\\\\"; break;
      case '\n': FOut += "\\n"; break;
      case '\r': FOut += "\\r"; break;
      case '\t': FOut += "\\t"; break;
      default:
        if (c < 0x20) {
          FOut += "\\u00";
          FOut += kHex[c >> 4];
          FOut += kHex[c & 15];
        } else {
          FOut += static_cast<char>(c);
        }
    }
    ++i;
  }
  FOut += '"';
}
