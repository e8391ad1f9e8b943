#include "skin/data/vnIniFile.h"

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

std::string_view TrimBlanks(std::string_view text) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && blank(text[begin])) ++begin;
  while (end > begin && blank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

const std::string* TvnIniSection::Find(std::string_view key) const {
  for (auto it = Lines.rbegin(); it != Lines.rend(); ++it) {
    if (it->HasKey && SameTextAscii(it->Key, key)) return &it->Value;
  }
  return nullptr;
}

void TvnIniFile::Clear() {
  FSections.clear();
  FIndex.clear();
}

void TvnIniFile::SetText(std::string_view text) {
  Clear();
  TvnIniSection* current = nullptr;
  std::size_t pos = 0;
  while (pos < text.size()) {
    // A plain scan: find_first_of calls memchr on the two-byte set once per byte.
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    std::string_view line = TrimBlanks(text.substr(pos, end - pos));
    // A line ends at CR, at LF or at the pair CR LF.
    pos = end;
    if (pos < text.size()) pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;

    if (line.empty() || line.front() == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      FSections.push_back({std::string(TrimBlanks(line.substr(1, line.size() - 2))), {}});
      current = &FSections.back();
      continue;
    }
    if (current == nullptr) continue;  // before the first section
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      current->Lines.push_back({std::string(), std::string(line), false});
    } else {
      current->Lines.push_back({std::string(TrimBlanks(line.substr(0, eq))),
                                std::string(TrimBlanks(line.substr(eq + 1))), true});
    }
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
  for (std::size_t i = 0; i < FSections.size(); ++i) FIndex[LowerAscii(FSections[i].Name)] = i;
}

const TvnIniSection* TvnIniFile::FindSection(std::string_view name) const {
  auto it = FIndex.find(LowerAscii(name));
  return it == FIndex.end() ? nullptr : &FSections[it->second];
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
  auto it = FIndex.find(LowerAscii(name));
  if (it != FIndex.end()) return FSections[it->second];
  FSections.push_back({std::string(name), {}});
  FIndex[LowerAscii(name)] = FSections.size() - 1;
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
