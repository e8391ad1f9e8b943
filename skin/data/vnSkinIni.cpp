#include "skin/data/vnSkinIni.h"

#include <cstdint>
#include <limits>
#include <algorithm>
#include <utility>
#include <vector>

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The values of the keys "0", "1", ... below count in a section, by index, in index order; a
// later key of the same index wins. Only the plain spelling of a number is that key ("00" is
// another key). At most one entry per line of the section, whatever count says.
std::vector<std::pair<int, const std::string*>> IndexedValues(const TvnIniSection& section, int count) {
  std::vector<std::pair<int, const std::string*>> found;
  for (const TvnIniLine& line : section.Lines) {
    const std::string_view key = line.Key;
    if (!line.HasKey || key.empty() || key.size() > 10) continue;
    if (key.size() > 1 && key[0] == '0') continue;
    long long index = 0;
    bool digits = true;
    for (char c : key) {
      if (c < '0' || c > '9') {
        digits = false;
        break;
      }
      index = index * 10 + (c - '0');
    }
    if (digits && index < count) found.emplace_back(static_cast<int>(index), &line.Value);
  }
  // In index order, lines of one index in line order; then the last of each index stays.
  std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::size_t kept = 0;
  for (std::size_t i = 0; i < found.size(); ++i) {
    if (i + 1 < found.size() && found[i + 1].first == found[i].first) continue;
    found[kept++] = found[i];
  }
  found.resize(kept);
  return found;
}

// Reads the pieces of a rectangle (4) or point (2) value into out.
void ParsePieces(std::string_view value, int* out, int count, std::string_view section,
                 std::string_view key) {
  std::string_view rest = value;
  bool exhausted = false;
  for (int i = 0; i < count; ++i) {
    // A missing piece (fewer commas than pieces) reads like an empty one.
    // The piece runs to the next comma; only its digits count, and the number is built as
    // they come in the same pass (the error spells the digits out).
    std::string_view piece;
    long long number = 0;
    bool anyDigit = false;
    bool tooLarge = false;
    if (!exhausted) {
      std::size_t at = 0;
      for (; at < rest.size() && rest[at] != ','; ++at) {
        const char c = rest[at];
        if (c < '0' || c > '9') continue;
        anyDigit = true;
        if (!tooLarge) {
          number = number * 10 + (c - '0');
          tooLarge = number > std::numeric_limits<int>::max();
        }
      }
      piece = rest.substr(0, at);
      if (at == rest.size()) {
        exhausted = true;
      } else {
        rest.remove_prefix(at + 1);
      }
    }
    if (!anyDigit || tooLarge) {
      std::string digits;
      for (char c : piece) {
        if (c >= '0' && c <= '9') digits += c;
      }
      std::string where;
      if (!section.empty() || !key.empty()) {
        where = " in section [" + std::string(section) + "], key \"" + std::string(key) + "\"";
      }
      throw EConvertError("'" + digits + "' is not a valid integer value (piece " +
                          std::to_string(i + 1) + " of \"" + std::string(value) + "\"" + where +
                          ")");
    }
    out[i] = static_cast<int>(number);
  }
}

}  // namespace

std::optional<int> ParseIntValue(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  bool hex = false;
  if (!text.empty() && text[0] == '$') {
    hex = true;
    text.remove_prefix(1);
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    hex = true;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;

  std::uint64_t magnitude = 0;
  if (hex) {
    // Up to 32 bits; the value is taken as a 32-bit pattern, so $FFFFFFFF is -1.
    for (char c : text) {
      int d = HexDigit(c);
      if (d < 0) return std::nullopt;
      magnitude = magnitude * 16 + static_cast<unsigned>(d);
      if (magnitude > 0xFFFFFFFFull) return std::nullopt;
    }
    auto bits = static_cast<std::uint32_t>(magnitude);
    if (negative) bits = 0u - bits;
    return static_cast<int>(bits);
  }
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    magnitude = magnitude * 10 + static_cast<unsigned>(c - '0');
    if (magnitude > 2147483648ull) return std::nullopt;
  }
  if (negative) return static_cast<int>(-static_cast<long long>(magnitude));
  if (magnitude > 2147483647ull) return std::nullopt;
  return static_cast<int>(magnitude);
}

int ReadIntValue(const TvnIniFile& ini, std::string_view section, std::string_view key,
                 int defaultValue) {
  const std::string* value = ini.FindValue(section, key);
  if (value == nullptr) return defaultValue;
  return ParseIntValue(*value).value_or(defaultValue);
}

std::string ReadTextValue(const TvnIniFile& ini, std::string_view section, std::string_view key,
                          std::string_view defaultValue) {
  return ini.ReadString(section, key, defaultValue);
}

bool ReadBoolean(const TvnIniFile& ini, std::string_view section, std::string_view key) {
  const std::string* value = ini.FindValue(section, key);
  return value != nullptr && ParseBoolean(*value);
}

bool ParseBoolean(std::string_view value) { return ParseIntValue(value) == 1; }

TvnAlignment ParseAlignment(std::string_view value) {
  return AlignmentFromWord(value).value_or(taRightJustify);
}

TvnInActiveEffect ParseInActiveEffect(std::string_view value) {
  return InActiveEffectFromWord(value).value_or(ieGrayscale);
}

TvnMorphKind ParseMorphKind(std::string_view value) {
  return MorphKindFromWord(value).value_or(mkDefault);
}

TvnSkinCommand ParseCommand(std::string_view value) {
  return CommandFromWord(value).value_or(cmMinimizeToTray);
}

TRect ParseRect(std::string_view value, std::string_view section, std::string_view key) {
  int n[4];
  ParsePieces(value, n, 4, section, key);
  return {n[0], n[1], n[2], n[3]};
}

TPoint ParsePoint(std::string_view value, std::string_view section, std::string_view key) {
  int n[2];
  ParsePieces(value, n, 2, section, key);
  return {n[0], n[1]};
}

TRect ReadRect(const TvnIniFile& ini, std::string_view section, std::string_view key) {
  const std::string* value = ini.FindValue(section, key);
  return value == nullptr ? TRect{} : ParseRect(*value, section, key);
}

TPoint ReadPoint(const TvnIniFile& ini, std::string_view section, std::string_view key) {
  const std::string* value = ini.FindValue(section, key);
  return value == nullptr ? TPoint{} : ParsePoint(*value, section, key);
}

TFontStyles ParseFontStyle(std::string_view value) {
  TFontStyles styles = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    if (value.find(kFontStyleWords[i]) != std::string_view::npos) styles |= 1u << i;
  }
  return styles;
}

TFontStyles ReadFontStyle(const TvnIniFile& ini, std::string_view section,
                            std::string_view key) {
  const std::string* value = ini.FindValue(section, key);
  return value == nullptr ? 0 : ParseFontStyle(*value);
}

TvnAlignment ReadAlignment(const TvnIniFile& ini, std::string_view section, std::string_view key,
                           TvnAlignment defaultValue) {
  const std::string* value = ini.FindValue(section, key);
  return value == nullptr ? defaultValue : ParseAlignment(*value);
}

TvnInActiveEffect ReadInActiveEffect(const TvnIniFile& ini, std::string_view section,
                                     std::string_view key, TvnInActiveEffect defaultValue) {
  const std::string* value = ini.FindValue(section, key);
  return value == nullptr ? defaultValue : ParseInActiveEffect(*value);
}

TvnMorphKind ReadMorphKind(const TvnIniFile& ini, std::string_view section, std::string_view key,
                           TvnMorphKind defaultValue) {
  const std::string* value = ini.FindValue(section, key);
  return value == nullptr ? defaultValue : ParseMorphKind(*value);
}

TvnSkinCommand ReadCommand(const TvnIniFile& ini, std::string_view section, std::string_view key,
                           TvnSkinCommand defaultValue) {
  const std::string* value = ini.FindValue(section, key);
  return value == nullptr ? defaultValue : ParseCommand(*value);
}

std::vector<std::string> ReadNameList(const TvnIniFile& ini, std::string_view section,
                                      std::string_view key) {
  return ReadNameList(ini.FindSection(section), key);
}

// A name list has exactly "count" entries, a missing key reading as the empty text, as the
// format says. What keeps a damaged count from costing memory is where the list is written: a
// writer puts the count and every entry on a line of its own in the section, so the count of a
// list that was written never reaches the number of lines of its section. A count up to that
// number of lines is read (a hand-edited list may have lost a key or two, and the section's
// other keys leave room for that); a larger one cannot have come from a writer and raises
// EConvertError naming the section and the key. The list thus costs at most one entry per line
// of the description, and a key beyond the count is never read at all.
std::vector<std::string> ReadNameList(const TvnIniSection* section, std::string_view key) {
  std::vector<std::string> names;
  if (section == nullptr) return names;
  const std::string countKey = std::string(key) + "count";
  const std::string* countText = section->Find(countKey);
  const int count = countText != nullptr ? ParseIntValue(*countText).value_or(0) : 0;
  if (count <= 0) return names;
  const std::size_t lines = section->Lines.size();
  if (static_cast<std::size_t>(count) > lines) {
    throw EConvertError("the list count " + std::to_string(count) + " in section [" +
                        section->Name + "], key \"" + countKey + "\" is more than the " +
                        std::to_string(lines) + " line" + (lines == 1 ? "" : "s") +
                        " of the section can hold");
  }
  names.resize(static_cast<std::size_t>(count));
  for (const auto& [index, value] : IndexedValues(*section, count)) {
    names[static_cast<std::size_t>(index)] = *value;
  }
  return names;
}

std::string FormatRect(const TRect& rect) {
  return std::to_string(rect.Left) + "," + std::to_string(rect.Top) + "," +
         std::to_string(rect.Right) + "," + std::to_string(rect.Bottom);
}

std::string FormatPoint(const TPoint& point) {
  return std::to_string(point.X) + "," + std::to_string(point.Y);
}

std::string FormatFontStyle(TFontStyles styles) {
  std::string out;
  for (std::size_t i = 0; i < 4; ++i) {
    if ((styles & (1u << i)) == 0) continue;
    if (!out.empty()) out += ',';
    out += kFontStyleWords[i];
  }
  return out;
}

void WriteIntValue(TvnIniFile& ini, std::string_view section, std::string_view key, int value) {
  ini.WriteString(section, key, std::to_string(value));
}

void WriteTextValue(TvnIniFile& ini, std::string_view section, std::string_view key,
                    std::string_view value) {
  ini.WriteString(section, key, value);
}

void WriteBoolean(TvnIniFile& ini, std::string_view section, std::string_view key, bool value) {
  ini.WriteString(section, key, value ? "1" : "0");
}

void WriteRect(TvnIniFile& ini, std::string_view section, std::string_view key,
               const TRect& value) {
  ini.WriteString(section, key, FormatRect(value));
}

void WritePoint(TvnIniFile& ini, std::string_view section, std::string_view key,
                const TPoint& value) {
  ini.WriteString(section, key, FormatPoint(value));
}

void WriteFontStyle(TvnIniFile& ini, std::string_view section, std::string_view key,
                    TFontStyles value) {
  ini.WriteString(section, key, FormatFontStyle(value));
}

void WriteAlignment(TvnIniFile& ini, std::string_view section, std::string_view key,
                    TvnAlignment value) {
  ini.WriteString(section, key, AlignmentWord(value));
}

void WriteInActiveEffect(TvnIniFile& ini, std::string_view section, std::string_view key,
                         TvnInActiveEffect value) {
  ini.WriteString(section, key, InActiveEffectWord(value));
}

void WriteMorphKind(TvnIniFile& ini, std::string_view section, std::string_view key,
                    TvnMorphKind value) {
  ini.WriteString(section, key, MorphKindWord(value));
}

void WriteCommand(TvnIniFile& ini, std::string_view section, std::string_view key,
                  TvnSkinCommand value) {
  ini.WriteString(section, key, CommandWord(value));
}

void WriteNameList(TvnIniFile& ini, std::string_view section, std::string_view key,
                   const std::vector<std::string>& names) {
  WriteIntValue(ini, section, std::string(key) + "count", static_cast<int>(names.size()));
  for (std::size_t i = 0; i < names.size(); ++i) {
    ini.WriteString(section, std::to_string(i), names[i]);
  }
}

TvnSkinListEntry ParseSkinListEntry(std::string_view entry) {
  std::size_t colon = entry.find(':');
  if (colon == std::string_view::npos) return {};
  return {std::string(entry.substr(0, colon)), std::string(entry.substr(colon + 1))};
}

std::vector<TvnSkinListEntry> ReadSkinList(const TvnIniFile& ini, std::string_view section) {
  std::vector<TvnSkinListEntry> entries;
  const TvnIniSection* found = ini.FindSection(section);
  if (found == nullptr) return entries;
  int count = ReadIntValue(ini, section, "count", 0);
  if (count <= 0) return entries;
  for (const auto& [index, value] : IndexedValues(*found, count)) {
    entries.push_back(ParseSkinListEntry(*value));
  }
  return entries;
}
