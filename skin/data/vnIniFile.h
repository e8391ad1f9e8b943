#pragma once
// The in-memory INI file a skin description is read from and saved to.
//
// The text is cut into lines at CR, LF or CR LF, and each line is trimmed of blanks and
// control characters. Empty lines and lines that begin with ";" are skipped. "[name]" opens a
// section; lines before the first section are ignored. In a section, "key=value" is a key (both
// sides trimmed, cut at the first "="); a line without "=" is kept but matches no key.
// Section and key names are found without regard to ASCII letter case (bytes of the 8-bit code
// page, both bytes of a double-byte character, compare exactly); where a name occurs twice,
// the later one is found.
// Values are 8-bit strings in the description's code page; nothing here converts them.
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A value that should be an integer is not one. Raised by the rectangle and point readers for a
// piece without digits; the message names the value, the section and the key.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TvnIniLine {
  std::string Key;    // empty for a line without "="
  std::string Value;  // the value, or the whole line when it has no "="
  bool HasKey = false;
};

struct TvnIniSection {
  std::string Name;
  std::vector<TvnIniLine> Lines;

  // The value of the last line whose key equals key without regard to case, or null.
  const std::string* Find(std::string_view key) const;
};

class TvnIniFile {
 public:
  TvnIniFile() = default;
  explicit TvnIniFile(std::string_view text) { SetText(text); }

  // Replaces the whole content with the sections and keys of text.
  void SetText(std::string_view text);
  // The content as text: "[section]" and "key=value" lines, each ended by CR LF.
  std::string Text() const;
  void Clear();

  // The section that is found for name (the last one of that name), or null.
  const TvnIniSection* FindSection(std::string_view name) const;
  bool SectionExists(std::string_view name) const { return FindSection(name) != nullptr; }
  // The value under key, or null when the section or the key is missing. A key written with
  // nothing after "=" gives an empty string, not null.
  const std::string* FindValue(std::string_view section, std::string_view key) const;
  bool ValueExists(std::string_view section, std::string_view key) const {
    return FindValue(section, key) != nullptr;
  }
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;

  // Sets the value of the key that is found (or appends the key, and the section when missing).
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  // Removes every section of that name.
  void EraseSection(std::string_view name);

  // All sections in text order, duplicates included.
  const std::vector<TvnIniSection>& Sections() const { return FSections; }

 private:
  void Reindex();
  TvnIniSection& SectionForWriting(std::string_view name);

  std::vector<TvnIniSection> FSections;
  // Lower-case section name -> index of the last section of that name.
  std::unordered_map<std::string, std::size_t> FIndex;
};

// Case folding and comparison of names: ASCII letters only; the two bytes of a double-byte
// character of code page 936 are kept as they are.
std::string LowerAscii(std::string_view text);
bool SameTextAscii(std::string_view a, std::string_view b);
// Drops leading and trailing bytes up to the blank (control characters and blanks).
std::string_view TrimBlanks(std::string_view text);
