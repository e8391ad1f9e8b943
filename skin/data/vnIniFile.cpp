#include "skin/data/vnIniFile.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

char LowerChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

// Code page 936 is a double-byte code page: a byte from 0x81 up leads a character whose second
// byte may fall in the ASCII letter range, and that byte must not be folded.
bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x81; }

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (IsLeadByte(out[i])) {
      ++i;
    } else {
      out[i] = LowerChar(out[i]);
    }
  }
  return out;
}

namespace {

// Whether two texts of one length hold the same bytes, eight at a time: names are short, and a
// library call for each cost more than the comparison.
bool SameBytes(const char* a, const char* b, std::size_t n) {
  for (; n >= 8; n -= 8, a += 8, b += 8) {
    std::uint64_t x, y;
    std::memcpy(&x, a, 8);
    std::memcpy(&y, b, 8);
    if (x != y) return false;
  }
  for (; n > 0; --n)
    if (*a++ != *b++) return false;
  return true;
}

}  // namespace

bool SameTextAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  // Names are mostly written as the tables spell them: equal bytes need no folding.
  if (SameBytes(a.data(), b.data(), a.size())) return true;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (IsLeadByte(a[i])) {
      if (a[i] != b[i] || (i + 1 < a.size() && a[i + 1] != b[i + 1])) return false;
      ++i;
    } else if (LowerChar(a[i]) != LowerChar(b[i])) {
      return false;
    }
  }
  return true;
}

namespace {

// TrimBlanks, inlined where the reader calls it three times a line.
inline std::string_view Trim(std::string_view text) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && blank(text[begin])) ++begin;
  while (end > begin && blank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) { return Trim(text); }

namespace {

// Makes KeyHashes stand for every line, hashing only lines added since it was last filled.
void HashNewLines(const TvnIniSection& section) {
  std::vector<std::uint32_t>& hashes = section.KeyHashes;
  if (hashes.size() > section.Lines.size()) hashes.clear();
  hashes.reserve(section.Lines.size());
  for (std::size_t i = hashes.size(); i < section.Lines.size(); ++i)
    hashes.push_back(FoldedKeyHash(section.Lines[i].Key));
}

// The slot of the line whose key is key (hash at hand), or the empty slot where it would go.
std::size_t SlotOf(const TvnIniSection& section, std::string_view key, std::uint32_t hash) {
  const std::size_t mask = section.KeySlots.size() - 1;
  std::size_t at = hash & mask;
  for (; section.KeySlots[at] != 0; at = (at + 1) & mask) {
    const std::size_t line = section.KeySlots[at] - 1;
    if (section.KeyHashes[line] == hash && SameTextAscii(section.Lines[line].Key, key)) break;
  }
  return at;
}

void BuildKeySlots(const TvnIniSection& section) {
  HashNewLines(section);
  std::size_t size = 8;
  while (size < section.Lines.size() * 2) size *= 2;
  section.KeySlots.assign(size, 0);
  for (std::size_t i = 0; i < section.Lines.size(); ++i)
    if (section.Lines[i].HasKey)
      section.KeySlots[SlotOf(section, section.Lines[i].Key, section.KeyHashes[i])] = static_cast<std::uint32_t>(i + 1);
  section.KeySlotLines = section.Lines.size();
}

}  // namespace

const std::string* TvnIniSection::Find(std::string_view key) const {
  return Find(key, FoldedKeyHash(key));
}

const std::string* TvnIniSection::Find(std::string_view key, std::uint32_t hash) const {
  if (KeySlotLines != Lines.size() || KeyHashes.size() != Lines.size() || KeySlots.empty()) BuildKeySlots(*this);
  const std::uint32_t slot = KeySlots[SlotOf(*this, key, hash)];
  return slot == 0 ? nullptr : &Lines[slot - 1].Value;
}

void TvnIniFile::Clear() {
  FSections.clear();
  FIndex.clear();
  FText.reset();
  FKeptKeys.clear();
}

TvnIniFile& TvnIniFile::operator=(const TvnIniFile& other) {
  if (this == &other) return *this;
  Clear();
  FSections = other.FSections;
  FIndex = other.FIndex;
  for (TvnIniSection& section : FSections)
    for (TvnIniLine& line : section.Lines) line.Key = KeepKey(line.Key);
  return *this;
}

std::string_view TvnIniFile::KeepKey(std::string_view key) { return FKeptKeys.emplace_back(key); }

namespace {

// Where the line from pos ends: the first CR or LF at or after pos, or the end of the text.
// Sixteen bytes at a time where SSE2 is there: the description is read on every skin load,
// and a search for each of the two bytes per line cost more than the rest of the reading.
std::size_t LineEnd(std::string_view text, std::size_t pos) {
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  for (; pos + 16 <= text.size(); pos += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + pos));
    const int ends = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
    if (ends != 0) return pos + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(ends)));
  }
#endif
  while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n') ++pos;
  return pos;
}

// One line of the text as the reader cut it, before anything is copied out of the text.
struct TCutLine {
  // Built in place: a copy through a temporary would be a byte store read back as a word.
  TCutLine(std::string_view key, std::string_view value, bool hasKey) : Key(key), Value(value), HasKey(hasKey) {}
  std::string_view Key;    // empty for a line without "="
  std::string_view Value;  // the value, or the whole line
  bool HasKey;
};

}  // namespace

void TvnIniFile::SetText(std::string_view source) {
  // One copy of the text, which the keys of the lines point into (made before anything is
  // cleared: the source may be a part of the old one).
  auto copy = std::make_unique_for_overwrite<char[]>(source.size());
  if (!source.empty()) std::memcpy(copy.get(), source.data(), source.size());
  Clear();
  FText = std::move(copy);
  const std::string_view text(FText.get(), source.size());
  // The lines are cut first and copied after, so each section's lines are sized once instead
  // of growing line by line. Room for a line per 16 bytes is made at once (a description's
  // lines are some twenty bytes long), more as it is needed.
  std::vector<TCutLine> cut;
  cut.reserve(text.size() / 16);
  std::vector<std::size_t> sectionEnds;  // index into cut past each section's last line
  std::vector<std::string_view> names;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = LineEnd(text, pos);
    std::string_view raw = text.substr(pos, end - pos);
    // A line ends at CR, at LF or at the pair CR LF.
    pos = end;
    if (pos < text.size()) pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;

    std::string_view line = Trim(raw);
    if (line.empty() || line.front() == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      if (!names.empty()) sectionEnds.push_back(cut.size());
      names.push_back(Trim(line.substr(1, line.size() - 2)));
      continue;
    }
    if (names.empty()) continue;  // before the first section
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      cut.emplace_back(std::string_view(), line, false);
    } else {
      cut.emplace_back(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)), true);
    }
  }
  if (!names.empty()) sectionEnds.push_back(cut.size());

  FSections.resize(names.size());
  std::size_t from = 0;
  for (std::size_t s = 0; s < names.size(); ++s) {
    TvnIniSection& section = FSections[s];
    section.Name = names[s];
    const std::size_t to = sectionEnds[s];
    section.Lines.reserve(to - from);
    section.KeyHashes.resize(to - from);
    for (std::size_t i = from; i < to; ++i) {
      section.Lines.emplace_back(cut[i].Key, cut[i].Value, cut[i].HasKey);
      section.KeyHashes[i - from] = FoldedKeyHash(cut[i].Key);
    }
    from = to;
  }
  Reindex();
}

std::string TvnIniFile::Text() const {
  std::string out;
  for (const TvnIniSection& section : FSections) {
    out += '[';
    out += section.Name;
    out += "]\r\n";
    for (const TvnIniLine& line : section.Lines) {
      if (line.HasKey) {
        out += line.Key;
        out += '=';
      }
      out += line.Value;
      out += "\r\n";
    }
  }
  return out;
}

void TvnIniFile::Reindex() {
  FIndex.clear();
  FIndex.reserve(FSections.size());
  for (std::size_t i = 0; i < FSections.size(); ++i)
    FIndex.emplace_back(FoldedKeyHash(FSections[i].Name), static_cast<std::uint32_t>(i));
  std::sort(FIndex.begin(), FIndex.end());
}

std::size_t TvnIniFile::IndexOf(std::string_view name) const {
  const std::uint32_t hash = FoldedKeyHash(name);
  auto first = std::lower_bound(FIndex.begin(), FIndex.end(), std::make_pair(hash, std::uint32_t{0}));
  auto last = std::upper_bound(first, FIndex.end(), std::make_pair(hash, UINT32_MAX));
  // Sections of one hash sit together in text order: the last one of the name wins.
  while (last != first) {
    --last;
    if (SameTextAscii(FSections[last->second].Name, name)) return last->second;
  }
  return std::string_view::npos;
}

const TvnIniSection* TvnIniFile::FindSection(std::string_view name) const {
  const std::size_t at = IndexOf(name);
  return at == std::string_view::npos ? nullptr : &FSections[at];
}

const std::string* TvnIniFile::FindValue(std::string_view section, std::string_view key) const {
  const TvnIniSection* found = FindSection(section);
  return found == nullptr ? nullptr : found->Find(key);
}

std::string TvnIniFile::ReadString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) const {
  const std::string* value = FindValue(section, key);
  return value != nullptr ? *value : std::string(defaultValue);
}

TvnIniSection& TvnIniFile::SectionForWriting(std::string_view name) {
  const std::size_t at = IndexOf(name);
  if (at != std::string_view::npos) return FSections[at];
  FSections.emplace_back().Name = name;
  const std::pair<std::uint32_t, std::uint32_t> entry(FoldedKeyHash(name), static_cast<std::uint32_t>(FSections.size() - 1));
  FIndex.insert(std::upper_bound(FIndex.begin(), FIndex.end(), entry), entry);
  return FSections.back();
}

void TvnIniFile::WriteString(std::string_view section, std::string_view key,
                             std::string_view value) {
  TvnIniSection& target = SectionForWriting(section);
  for (auto it = target.Lines.rbegin(); it != target.Lines.rend(); ++it) {
    if (it->HasKey && SameTextAscii(it->Key, key)) {
      it->Value = value;
      return;
    }
  }
  target.Lines.emplace_back(KeepKey(key), value, true);
}

void TvnIniFile::EraseSection(std::string_view name) {
  std::erase_if(FSections, [&](const TvnIniSection& s) { return SameTextAscii(s.Name, name); });
  Reindex();
}
