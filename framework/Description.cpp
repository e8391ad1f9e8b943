// Lexer and parser of window descriptions (the format is described in Description.h).
#include "framework/Description.h"

#include <array>
#include <limits>

TDescriptionError::TDescriptionError(int line, int column, const std::string& message)
    : std::runtime_error("line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + message),
      FLine(line), FColumn(column), FMessage(message) {}

void TDescValue::Fail(const std::string& message) const { throw TDescriptionError(Line, Column, message); }

namespace {

const char* KindName(TDescValueKind kind) {
  switch (kind) {
    case TDescValueKind::Integer: return "a number";
    case TDescValueKind::String: return "a string";
    case TDescValueKind::Identifier: return "an identifier";
    case TDescValueKind::Set: return "a set";
    case TDescValueKind::Binary: return "binary data";
  }
  return "a value";
}

void Expect(const TDescValue& v, TDescValueKind kind) {
  if (v.Kind != kind) v.Fail(std::string("expected ") + KindName(kind) + ", found " + KindName(v.Kind));
}

}  // namespace

int TDescValue::AsInteger() const {
  Expect(*this, TDescValueKind::Integer);
  if (Integer < std::numeric_limits<int>::min() || Integer > std::numeric_limits<int>::max())
    Fail("number out of range");
  return static_cast<int>(Integer);
}
const std::string& TDescValue::AsString() const { Expect(*this, TDescValueKind::String); return Text; }
const std::string& TDescValue::AsIdentifier() const { Expect(*this, TDescValueKind::Identifier); return Text; }
bool TDescValue::AsBoolean() const {
  Expect(*this, TDescValueKind::Identifier);
  if (Text == "True") return true;
  if (Text == "False") return false;
  Fail("expected True or False, found \"" + Text + "\"");
}
const std::vector<std::string>& TDescValue::AsSet() const { Expect(*this, TDescValueKind::Set); return Items; }
const std::vector<std::uint8_t>& TDescValue::AsBytes() const { Expect(*this, TDescValueKind::Binary); return Bytes; }

namespace {

enum class TTokenKind { End, Identifier, Integer, String, Binary, Colon, Equals, LBracket, RBracket, Comma };

struct TToken {
  TTokenKind Kind = TTokenKind::End;
  std::string Text;
  std::int64_t Integer = 0;
  std::vector<std::uint8_t> Bytes;
  int Line = 1;
  int Column = 1;
};

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }

// Hex digit values, -1 for anything else: one table lookup per character keeps a large
// binary block (tens of kilobytes) cheap to read.
constexpr std::array<signed char, 256> MakeHexTable() {
  std::array<signed char, 256> t{};
  for (auto& v : t) v = -1;
  for (int i = 0; i < 10; ++i) t['0' + i] = static_cast<signed char>(i);
  for (int i = 0; i < 6; ++i) {
    t['A' + i] = static_cast<signed char>(10 + i);
    t['a' + i] = static_cast<signed char>(10 + i);
  }
  return t;
}
constexpr std::array<signed char, 256> kHex = MakeHexTable();

// Checks that a string is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view s, std::size_t& badAt) {
  std::size_t i = 0;
  while (i < s.size()) {
    auto c = static_cast<unsigned char>(s[i]);
    int extra;
    char32_t cp;
    if (c < 0x80) { ++i; continue; }
    if (c >= 0xC2 && c <= 0xDF) { extra = 1; cp = c & 0x1F; }
    else if (c >= 0xE0 && c <= 0xEF) { extra = 2; cp = c & 0x0F; }
    else if (c >= 0xF0 && c <= 0xF4) { extra = 3; cp = c & 0x07; }
    else { badAt = i; return false; }
    if (i + extra >= s.size()) { badAt = i; return false; }
    for (int k = 1; k <= extra; ++k) {
      auto d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) { badAt = i; return false; }
      cp = (cp << 6) | (d & 0x3F);
    }
    if ((extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp < 0xE000))) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF))) {
      badAt = i;
      return false;
    }
    i += extra + 1;
  }
  return true;
}

class TLexer {
public:
  explicit TLexer(std::string_view text) : FText(text) {}

  TToken Next() {
    SkipBlanks();
    TToken t;
    t.Line = FLine;
    t.Column = Column();
    if (FPos >= FText.size()) return t;
    char c = FText[FPos];
    if (IsIdentStart(c)) return Identifier(t);
    if ((c >= '0' && c <= '9') || c == '-' || c == '+' || c == '$') return Number(t);
    if (c == '"') return String(t);
    if (c == '{') return Binary(t);
    ++FPos;
    switch (c) {
      case ':': t.Kind = TTokenKind::Colon; return t;
      case '=': t.Kind = TTokenKind::Equals; return t;
      case '[': t.Kind = TTokenKind::LBracket; return t;
      case ']': t.Kind = TTokenKind::RBracket; return t;
      case ',': t.Kind = TTokenKind::Comma; return t;
      default: break;
    }
    throw TDescriptionError(t.Line, t.Column, "unexpected character " + Quote(c));
  }

private:
  static std::string Quote(char c) {
    auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7F) return std::string("'") + c + "'";
    const char* hex = "0123456789ABCDEF";
    return std::string("0x") + hex[u >> 4] + hex[u & 15];
  }

  int Column() const { return static_cast<int>(FPos - FLineStart) + 1; }

  void NewLineAt(std::size_t pos) {
    ++FLine;
    FLineStart = pos + 1;
  }

  void SkipBlanks() {
    while (FPos < FText.size()) {
      char c = FText[FPos];
      if (c == '\n') { NewLineAt(FPos); ++FPos; }
      else if (c == ' ' || c == '\t' || c == '\r') ++FPos;
      else if (c == '/' && FPos + 1 < FText.size() && FText[FPos + 1] == '/') {
        while (FPos < FText.size() && FText[FPos] != '\n') ++FPos;
      } else break;
    }
  }

  TToken Identifier(TToken& t) {
    std::size_t start = FPos;
    for (;;) {
      while (FPos < FText.size() && IsIdentChar(FText[FPos])) ++FPos;
      // A dot joins the parts of a sub-property name (Font.Height).
      if (FPos + 1 < FText.size() && FText[FPos] == '.' && IsIdentStart(FText[FPos + 1])) { ++FPos; continue; }
      break;
    }
    if (FPos < FText.size() && FText[FPos] == '.')
      throw TDescriptionError(FLine, Column(), "a name may not end with '.'");
    t.Kind = TTokenKind::Identifier;
    t.Text.assign(FText.substr(start, FPos - start));
    return t;
  }

  TToken Number(TToken& t) {
    bool negative = false;
    if (FText[FPos] == '-' || FText[FPos] == '+') { negative = FText[FPos] == '-'; ++FPos; }
    int base = 10;
    if (FPos < FText.size() && FText[FPos] == '$') { base = 16; ++FPos; }
    else if (FPos + 1 < FText.size() && FText[FPos] == '0' && (FText[FPos + 1] == 'x' || FText[FPos + 1] == 'X')) { base = 16; FPos += 2; }
    std::uint64_t value = 0;
    std::size_t digits = 0;
    const std::uint64_t limit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + (negative ? 1 : 0);
    while (FPos < FText.size()) {
      int d = kHex[static_cast<unsigned char>(FText[FPos])];
      if (d < 0 || d >= base) break;
      if (value > (limit - static_cast<std::uint64_t>(d)) / static_cast<std::uint64_t>(base))
        throw TDescriptionError(t.Line, t.Column, "number out of range");
      value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
      ++digits;
      ++FPos;
    }
    if (digits == 0) throw TDescriptionError(t.Line, t.Column, "a number needs digits");
    if (FPos < FText.size() && (IsIdentChar(FText[FPos]) || FText[FPos] == '.'))
      throw TDescriptionError(FLine, Column(), "unexpected " + Quote(FText[FPos]) + " in a number");
    t.Kind = TTokenKind::Integer;
    t.Integer = negative ? static_cast<std::int64_t>(0 - value) : static_cast<std::int64_t>(value);
    return t;
  }

  TToken String(TToken& t) {
    ++FPos;  // opening quote
    std::string out;
    for (;;) {
      if (FPos >= FText.size() || FText[FPos] == '\n')
        throw TDescriptionError(t.Line, t.Column, "string not closed on its line");
      char c = FText[FPos];
      if (c == '"') { ++FPos; break; }
      if (c == '\\') {
        if (FPos + 1 >= FText.size()) throw TDescriptionError(t.Line, t.Column, "string not closed on its line");
        char e = FText[FPos + 1];
        switch (e) {
          case '"': out.push_back('"'); break;
          case '\\': out.push_back('\\'); break;
          case 'n': out.push_back('\n'); break;
          case 'r': out.push_back('\r'); break;
          case 't': out.push_back('\t'); break;
          default: throw TDescriptionError(FLine, Column(), "unknown escape \\" + std::string(1, e));
        }
        FPos += 2;
        continue;
      }
      out.push_back(c);
      ++FPos;
    }
    std::size_t badAt = 0;
    if (!IsValidUtf8(out, badAt)) throw TDescriptionError(t.Line, t.Column, "string is not valid UTF-8");
    t.Kind = TTokenKind::String;
    t.Text = std::move(out);
    return t;
  }

  TToken Binary(TToken& t) {
    ++FPos;  // opening brace
    // Two hex digits per byte, blanks and line breaks anywhere between bytes.
    t.Bytes.reserve((FText.size() - FPos) / 2);
    int high = -1;
    for (;;) {
      if (FPos >= FText.size()) throw TDescriptionError(t.Line, t.Column, "binary data not closed with '}'");
      auto c = static_cast<unsigned char>(FText[FPos]);
      int d = kHex[c];
      if (d >= 0) {
        if (high < 0) high = d;
        else { t.Bytes.push_back(static_cast<std::uint8_t>(high << 4 | d)); high = -1; }
        ++FPos;
        continue;
      }
      if (c == '}') {
        if (high >= 0) throw TDescriptionError(FLine, Column(), "odd number of hex digits in binary data");
        ++FPos;
        break;
      }
      if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
        throw TDescriptionError(FLine, Column(), "unexpected " + Quote(static_cast<char>(c)) + " in binary data");
      if (high >= 0) throw TDescriptionError(FLine, Column(), "a byte's two hex digits may not be split");
      if (c == '\n') NewLineAt(FPos);
      ++FPos;
    }
    t.Kind = TTokenKind::Binary;
    return t;
  }

  std::string_view FText;
  std::size_t FPos = 0;
  std::size_t FLineStart = 0;
  int FLine = 1;
};

class TParser {
public:
  explicit TParser(std::string_view text) : FLexer(text) { Advance(); }

  TDescObject Parse() {
    if (!IsKeyword("object")) Fail("expected \"object\"");
    TDescObject root = Object(1);
    if (FToken.Kind != TTokenKind::End) Fail("unexpected text after the last \"end\"");
    return root;
  }

private:
  void Advance() { FToken = FLexer.Next(); }
  bool IsKeyword(const char* word) const { return FToken.Kind == TTokenKind::Identifier && FToken.Text == word; }
  [[noreturn]] void Fail(const std::string& message) const { throw TDescriptionError(FToken.Line, FToken.Column, message); }

  std::string TakeName(const char* what) {
    if (FToken.Kind != TTokenKind::Identifier || FToken.Text.find('.') != std::string::npos) Fail(std::string("expected ") + what);
    std::string name = std::move(FToken.Text);
    Advance();
    return name;
  }

  TDescObject Object(int depth) {
    if (depth > DescriptionMaxDepth)
      Fail("objects nested more than " + std::to_string(DescriptionMaxDepth) + " levels deep");
    TDescObject object;
    object.Line = FToken.Line;
    object.Column = FToken.Column;
    Advance();  // "object"
    object.Name = TakeName("a component name");
    if (FToken.Kind != TTokenKind::Colon) Fail("expected ':' after the component name");
    Advance();
    object.ClassName = TakeName("a class name");
    for (;;) {
      if (FToken.Kind == TTokenKind::End) Fail("\"end\" missing for object \"" + object.Name + "\"");
      if (IsKeyword("end")) { Advance(); break; }
      if (IsKeyword("object")) { object.Children.push_back(Object(depth + 1)); continue; }
      if (FToken.Kind != TTokenKind::Identifier) Fail("expected a property name, \"object\" or \"end\"");
      TDescProperty prop;
      prop.Line = FToken.Line;
      prop.Column = FToken.Column;
      prop.Name = std::move(FToken.Text);
      Advance();
      if (FToken.Kind != TTokenKind::Equals) Fail("expected '=' after \"" + prop.Name + "\"");
      Advance();
      prop.Value = Value();
      object.Properties.push_back(std::move(prop));
    }
    return object;
  }

  TDescValue Value() {
    TDescValue v;
    v.Line = FToken.Line;
    v.Column = FToken.Column;
    switch (FToken.Kind) {
      case TTokenKind::Integer: v.Kind = TDescValueKind::Integer; v.Integer = FToken.Integer; break;
      case TTokenKind::String: v.Kind = TDescValueKind::String; v.Text = std::move(FToken.Text); break;
      case TTokenKind::Binary: v.Kind = TDescValueKind::Binary; v.Bytes = std::move(FToken.Bytes); break;
      case TTokenKind::Identifier:
        if (FToken.Text == "object" || FToken.Text == "end") Fail("expected a value");
        v.Kind = TDescValueKind::Identifier;
        v.Text = std::move(FToken.Text);
        break;
      case TTokenKind::LBracket:
        v.Kind = TDescValueKind::Set;
        Advance();
        if (FToken.Kind == TTokenKind::RBracket) break;
        for (;;) {
          if (FToken.Kind != TTokenKind::Identifier) Fail("expected an identifier in the set");
          v.Items.push_back(std::move(FToken.Text));
          Advance();
          if (FToken.Kind == TTokenKind::RBracket) break;
          if (FToken.Kind != TTokenKind::Comma) Fail("expected ',' or ']' in the set");
          Advance();
        }
        break;
      default: Fail("expected a value");
    }
    Advance();
    return v;
  }

  TLexer FLexer;
  TToken FToken;
};

}  // namespace

TDescObject ParseDescription(std::string_view text) {
  // A UTF-8 byte-order mark at the start is allowed and skipped.
  if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  return TParser(text).Parse();
}
