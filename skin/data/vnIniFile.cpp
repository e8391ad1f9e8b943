#include "skin/data/vnIniFile.h"

#include <algorithm>

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

bool SameTextAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  // Names are mostly written as the tables spell them: equal bytes need no folding.
  if (a == b) return true;
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

// Below this many lines a plain scan of the key hashes is as quick as the table and needs no
// memory of its own.
constexpr std::size_t kKeyTableFrom = 32;

// Makes KeyHashes stand for every line, hashing only lines added since it was last filled.
void HashNewLines(const TvnIniSection& section) {
  std::vector<std::uint32_t>& hashes = section.KeyHashes;
  if (hashes.size() > section.Lines.size()) hashes.clear();
  hashes.reserve(section.Lines.size());
  for (std::size_t i = hashes.size(); i < section.Lines.size(); ++i)
    hashes.push_back(FoldedKeyHash(section.Lines[i].Key));
}

}  // namespace

const std::string* TvnIniSection::Find(std::string_view key) const {
  return Find(key, FoldedKeyHash(key));
}

const std::string* TvnIniSection::Find(std::string_view key, std::uint32_t hash) const {
  if (KeyHashes.size() != Lines.size()) HashNewLines(*this);
  if (Lines.size() < kKeyTableFrom) {
    for (std::size_t i = Lines.size(); i-- > 0;) {
      if (KeyHashes[i] == hash && Lines[i].HasKey && SameTextAscii(Lines[i].Key, key)) return &Lines[i].Value;
    }
    return nullptr;
  }
  if (KeyTableLines != Lines.size()) {
    KeyTable.clear();
    for (std::size_t i = 0; i < Lines.size(); ++i)
      if (Lines[i].HasKey) KeyTable.emplace_back(KeyHashes[i], static_cast<std::uint32_t>(i));
    std::sort(KeyTable.begin(), KeyTable.end());
    KeyTableLines = Lines.size();
  }
  // Lines of one hash sit together in line order: the last one with the same key wins.
  auto first = std::lower_bound(KeyTable.begin(), KeyTable.end(), std::make_pair(hash, std::uint32_t{0}));
  auto last = std::upper_bound(first, KeyTable.end(), std::make_pair(hash, UINT32_MAX));
  while (last != first) {
    --last;
    const TvnIniLine& line = Lines[last->second];
    if (SameTextAscii(line.Key, key)) return &line.Value;
  }
  return nullptr;
}

void TvnIniFile::Clear() {
  FSections.clear();
  FIndex.clear();
}

namespace {

// One line of the text as the reader cut it, before anything is copied out of the text.
struct TCutLine {
  // Built in place: a copy through a temporary would be a byte store read back as a word.
  TCutLine(std::string_view key, std::string_view value, bool hasKey) : Key(key), Value(value), HasKey(hasKey) {}
  std::string_view Key;    // empty for a line without "="
  std::string_view Value;  // the value, or the whole line
  bool HasKey;
};

}  // namespace

void TvnIniFile::SetText(std::string_view text) {
  Clear();
  // The lines are cut first and copied after, so each section's lines are sized once instead
  // of growing line by line.
  std::vector<TCutLine> cut;
  std::vector<std::size_t> sectionEnds;  // index into cut past each section's last line
  std::vector<std::string_view> names;
  // The next CR and LF at or after pos, each searched for again only once passed, so every
  // byte is looked at once by each search whatever the line ends are.
  std::size_t nextCR = std::min(text.find('\r'), text.size());
  std::size_t nextLF = std::min(text.find('\n'), text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (nextCR < pos) nextCR = std::min(text.find('\r', pos), text.size());
    if (nextLF < pos) nextLF = std::min(text.find('\n', pos), text.size());
    const std::size_t end = std::min(nextCR, nextLF);
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
    section.Lines.resize(to - from);
    section.KeyHashes.resize(to - from);
    for (std::size_t i = from; i < to; ++i) {
      TvnIniLine& line = section.Lines[i - from];
      line.Key = cut[i].Key;
      line.Value = cut[i].Value;
      line.HasKey = cut[i].HasKey;
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
  target.Lines.push_back({std::string(key), std::string(value), true});
}

void TvnIniFile::EraseSection(std::string_view name) {
  std::erase_if(FSections, [&](const TvnIniSection& s) { return SameTextAscii(s.Name, name); });
  Reindex();
}
