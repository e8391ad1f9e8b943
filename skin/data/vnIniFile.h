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
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

// A value that should be an integer is not one. Raised by the rectangle and point readers for a
// piece without digits; the message names the value, the section and the key.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TvnIniLine {
  TvnIniLine(std::string_view key, std::string_view value, bool hasKey) : Key(key), Value(value), HasKey(hasKey) {}
  // Empty for a line without "=". It points into the text the file was read from or into a
  // key the file wrote, both of which the file keeps for as long as it has the line.
  std::string_view Key;
  std::string Value;  // the value, or the whole line when it has no "="
  bool HasKey = false;
};

struct TvnIniSection {
  std::string Name;
  std::vector<TvnIniLine> Lines;

  // The value of the last line whose key equals key without regard to case, or null. Every
  // description reads some sixty keys of its section, and a skin may list thousands of
  // descriptions that all read one long section: a lookup goes through a small hash table of
  // the section's keys instead of line by line, so reading stays in proportion to the
  // description's size instead of its square.
  const std::string* Find(std::string_view key) const;
  // The same with the key's FoldedKeyHash already at hand.
  const std::string* Find(std::string_view key, std::uint32_t keyHash) const;

  // The hash of each line's folded key, by line; the reader fills it as it cuts the lines, so
  // a lookup compares one number per line it meets and spells out only the line that matches.
  // Lines added later (by a writer) get theirs at the next lookup.
  mutable std::vector<std::uint32_t> KeyHashes;
  // The hash table: a power of two of slots, at least twice as many as lines, each empty (0)
  // or a keyed line's index + 1, placed from its hash on (the next slot when taken). A later
  // line of the same key takes the earlier one's slot. It stands for the first KeySlotLines
  // lines and is rebuilt when lines were added since.
  mutable std::vector<std::uint32_t> KeySlots;
  mutable std::size_t KeySlotLines = 0;
};

class TvnIniFile {
 public:
  TvnIniFile() = default;
  explicit TvnIniFile(std::string_view text) { SetText(text); }
  // A copy keeps keys of its own; a move hands the kept text over as it is.
  TvnIniFile(const TvnIniFile& other) { *this = other; }
  TvnIniFile& operator=(const TvnIniFile& other);
  TvnIniFile(TvnIniFile&&) noexcept = default;
  TvnIniFile& operator=(TvnIniFile&&) noexcept = default;

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

  // Keeps a key written to the file and gives a view of it that stays valid.
  std::string_view KeepKey(std::string_view key);

  std::vector<TvnIniSection> FSections;
  // What the keys of the lines point into: the text last set (one copy, not one string per
  // key) and the keys written since (a deque keeps its elements in place).
  std::unique_ptr<char[]> FText;
  std::deque<std::string> FKeptKeys;
  // (FoldedKeyHash of a section name, section index), sorted: a name is found by its hash
  // without folding a copy of it, and of equal names the last section wins.
  std::vector<std::pair<std::uint32_t, std::uint32_t>> FIndex;
  std::size_t IndexOf(std::string_view name) const;  // npos when missing
};

// Case folding and comparison of names: ASCII letters only; the two bytes of a double-byte
// character of code page 936 are kept as they are.
std::string LowerAscii(std::string_view text);
bool SameTextAscii(std::string_view a, std::string_view b);
// Drops leading and trailing bytes up to the blank (control characters and blanks).
std::string_view TrimBlanks(std::string_view text);
// A hash of the name as SameTextAscii compares it: names that compare equal hash equal.
//
// It sets bit 0x20 of every byte: an ASCII capital and its small letter differ only in that
// bit, and the bytes of a double-byte character compare exactly, so two names that
// SameTextAscii finds equal always hash equal (a few other pairs do too, which the comparison
// after the hash sorts out). Eight bytes are mixed at a time. It is constexpr so that the key
// names of the description tables are hashed when the program is compiled.
constexpr std::uint32_t FoldedKeyHash(std::string_view key) {
  constexpr std::uint64_t kFold = 0x2020202020202020ull;
  constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
  std::uint64_t hash = (key.size() + 1) * kMul;
  for (std::size_t i = 0; i < key.size(); i += 8) {
    // Up to eight bytes, the first in the lowest bits; missing bytes are 0. At run time on a
    // little-endian machine eight whole bytes are one load.
    std::uint64_t word = 0;
    if (!std::is_constant_evaluated() && std::endian::native == std::endian::little &&
        key.size() - i >= 8) {
      std::memcpy(&word, key.data() + i, 8);
    } else {
      for (std::size_t k = 0; k < 8 && i + k < key.size(); ++k)
        word |= std::uint64_t{static_cast<unsigned char>(key[i + k])} << (8 * k);
    }
    hash = (hash ^ (word | kFold)) * kMul;
    hash ^= hash >> 29;
  }
  return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}
