#pragma once
// Window descriptions, the text a window is built from at run time:
//
//   object Form1: TForm1            // a component: name and registered class
//     Caption = "Quillon"           // "strings" in UTF-8, with \" \\ \n \r \t escapes
//     ClientWidth = 370             // integers: decimal, -12, $FF or 0xFF
//     BorderIcons = []              // [sets] of identifiers
//     Font.Height = -12             // dotted sub-properties
//     Color = clBtnFace             // identifiers (enumerations, True/False, handler and
//     OnChange = Memo1Change        //   component names)
//     CompressedData = {78DA 01FF}  // binary data in hex, spread over any number of lines
//     object Memo1: TMemo ... end   // owned components, nested
//   end
//
// `//` starts a comment that runs to the end of the line. Names and keywords are
// case-sensitive. This file holds the lexer and parser; DescriptionReader builds components
// from the parsed tree through the class registry (ClassRegistry.h).
#include <cstdint>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A malformed or unusable description. what() reads "line L, column C: message".
class TDescriptionError : public std::runtime_error {
public:
  TDescriptionError(int line, int column, const std::string& message);
  int Line() const { return FLine; }
  int Column() const { return FColumn; }
  const std::string& Message() const { return FMessage; }

private:
  int FLine;
  int FColumn;
  std::string FMessage;
};

enum class TDescValueKind { Integer, String, Identifier, Set, Binary };

// One property value as written, with where it stands. The As... accessors check the kind
// and throw a TDescriptionError naming this value's position when it does not fit.
struct TDescValue {
  TDescValueKind Kind = TDescValueKind::Integer;
  std::int64_t Integer = 0;
  std::string Text;                // String (UTF-8) or Identifier
  std::vector<std::string> Items;  // Set
  std::vector<std::uint8_t> Bytes; // Binary
  int Line = 0;
  int Column = 0;

  int AsInteger() const;                      // an Integer within the 32-bit range
  const std::string& AsString() const;        // a String
  const std::string& AsIdentifier() const;    // an Identifier
  bool AsBoolean() const;                     // True or False
  const std::vector<std::string>& AsSet() const;
  const std::vector<std::uint8_t>& AsBytes() const;

  // An identifier looked up in a table of (word, value) pairs, e.g. an enumeration.
  template <class Table>
  auto AsEnum(const Table& table) const -> decltype(std::begin(table)->second) {
    const std::string& word = AsIdentifier();
    for (const auto& [name, value] : table)
      if (name == word) return value;
    Fail("unknown value \"" + word + "\"");
  }
  [[noreturn]] void Fail(const std::string& message) const;
};

struct TDescProperty {
  std::string Name;  // "Font.Height" for a sub-property
  TDescValue Value;
  int Line = 0;
  int Column = 0;
};

struct TDescObject {
  std::string Name;
  std::string ClassName;
  int Line = 0;
  int Column = 0;
  std::vector<TDescProperty> Properties;  // in the order written
  std::vector<TDescObject> Children;      // in the order written
};

// How deeply objects may nest, the root counting as the first level. A window is a handful of
// levels deep; the bound keeps a damaged or hostile description from exhausting the stack of
// the reader, which descends once per level.
constexpr int DescriptionMaxDepth = 64;

// Parses a whole description: exactly one object, nothing after it but blanks and comments.
// Throws TDescriptionError on the first fault, also for an object nested deeper than
// DescriptionMaxDepth (at that object's "object").
TDescObject ParseDescription(std::string_view text);
