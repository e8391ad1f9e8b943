// skintool embed SKIN_INI --form FILE: packs the skin as a bare zlib block and puts it into the
// window description FILE as the "CompressedData" of its stored-skin object, keeping every
// other byte of FILE as it was.
#include "framework/Description.h"
#include "framework/Stream.h"
#include "skin/data/vnSkinDataStoredSkin.h"
#include "tools/skintool/Skintool.h"

#include <system_error>

namespace {

// Byte offset of a 1-based line and column.
std::size_t OffsetOf(const std::string& text, int line, int column) {
  std::size_t at = 0;
  for (int l = 1; l < line; ++l) at = text.find('\n', at) + 1;
  return at + static_cast<std::size_t>(column - 1);
}

std::string IndentOfLine(const std::string& text, std::size_t at) {
  const std::size_t start = text.rfind('\n', at) == std::string::npos ? 0 : text.rfind('\n', at) + 1;
  std::size_t end = start;
  while (end < text.size() && (text[end] == ' ' || text[end] == '\t')) ++end;
  return text.substr(start, end - start);
}

// "{", then the bytes as hex, 32 to a line, indented one step more than the property, then "}"
// on a line of its own at the property's indent.
std::string HexBlock(const std::vector<std::uint8_t>& bytes, const std::string& indent, const std::string& eol) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out = "{";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i % 32 == 0) out += eol + indent + "  ";
    out += digits[bytes[i] >> 4];
    out += digits[bytes[i] & 15];
  }
  out += eol + indent + "}";
  return out;
}

}  // namespace

int RunEmbed(const std::vector<std::string>& args, std::ostream& /*out*/) {
  const TArgs a = ParseArgs(args, {"--form"}, {});
  if (a.Positional.size() != 1) UsageError("expected one SKIN_INI");
  if (!a.Value("--form")) UsageError("missing --form FILE");
  const std::string& formArg = *a.Value("--form");
  const std::filesystem::path source = ArgPath(a.Positional[0]), form = ArgPath(formArg);
  std::error_code error;
  if (!std::filesystem::is_regular_file(source, error)) UsageError(a.Positional[0] + ": no such file");
  if (!std::filesystem::is_regular_file(form, error)) UsageError(formArg + ": no such file");

  const std::vector<std::uint8_t> block = PackSkinDescription(a.Positional[0], source);

  const std::vector<std::uint8_t> formBytes = ReadFileBytes(form);
  std::string text(formBytes.begin(), formBytes.end());
  TDescObject root;
  try {
    root = ParseDescription(text);
  } catch (const TDescriptionError& e) {
    UsageError(formArg + ": not a window description: " + e.what());
  }
  const TDescObject* stored = FindStoredSkinObject(root);
  if (!stored) UsageError(formArg + ": holds no TvnCompressedStoredSkin object");
  const std::string eol = text.find("\r\n") != std::string::npos ? "\r\n" : "\n";

  if (const TDescProperty* data = StoredSkinDataProperty(*stored)) {
    if (data->Value.Kind != TDescValueKind::Binary)
      UsageError(formArg + ": line " + std::to_string(data->Value.Line) + ": CompressedData is not binary data");
    const std::size_t open = OffsetOf(text, data->Value.Line, data->Value.Column);
    const std::size_t close = text.find('}', open);
    text.replace(open, close + 1 - open, HexBlock(block, IndentOfLine(text, open), eol));
  } else {
    // No block yet: a new property line right after the object's first line.
    const std::size_t objectAt = OffsetOf(text, stored->Line, stored->Column);
    const std::size_t lineEnd = text.find('\n', objectAt);
    const std::string indent = IndentOfLine(text, objectAt) + "  ";
    const std::string line = indent + "CompressedData = " + HexBlock(block, indent, eol) + eol;
    if (lineEnd == std::string::npos) text += eol + line;
    else text.insert(lineEnd + 1, line);
  }
  WriteOutputFile(form, std::vector<std::uint8_t>(text.begin(), text.end()));
  return ExitOk;
}
