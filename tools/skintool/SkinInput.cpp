// Reading a SKIN argument of any kind (a skin description, a compressed skin file, a window
// description's stored skin or a bare block), option parsing and safe output for skintool's verbs.
#include "framework/Description.h"
#include "framework/Stream.h"
#include "skin/data/vnSkinDataStoredSkin.h"
#include "tools/skintool/Skintool.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <system_error>

void UsageError(const std::string& message) { throw ESkintoolError(ExitUsage, message); }
void SkinError(const std::string& message) { throw ESkintoolError(ExitBadSkin, message); }

const std::string* TArgs::Value(const std::string& option) const {
  const auto it = Values.find(option);
  return it == Values.end() ? nullptr : &it->second;
}

TArgs ParseArgs(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
                const std::set<std::string>& flagOptions) {
  TArgs parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (valueOptions.count(a)) {
      if (i + 1 >= args.size()) UsageError("option " + a + " needs a value");
      if (!parsed.Values.emplace(a, args[++i]).second) UsageError("option " + a + " given twice");
    } else if (flagOptions.count(a)) {
      if (!parsed.Flags.insert(a).second) UsageError("option " + a + " given twice");
    } else if (a.size() > 1 && a[0] == '-') {
      UsageError("unknown option " + a);
    } else {
      parsed.Positional.push_back(a);
    }
  }
  return parsed;
}

std::filesystem::path ArgPath(const std::string& arg) {
  return std::filesystem::path(std::u8string(arg.begin(), arg.end()));
}

std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.generic_u8string();
  return std::string(text.begin(), text.end());
}

namespace {

std::int32_t Int32At(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::int32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
                                   (static_cast<std::uint32_t>(b[at + 3]) << 24));
}

// A description starts with "[" or with a blank or comment line.
bool LooksLikeDescription(std::span<const std::uint8_t> b) {
  std::size_t i = 0;
  if (b.size() >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) i = 3;  // a UTF-8 mark
  if (i >= b.size()) return false;
  const std::uint8_t c = b[i];
  return c == '[' || c == ';' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool LooksLikeCompressedFile(std::span<const std::uint8_t> b) {
  return b.size() >= 8 && Int32At(b, 0) <= 3 && static_cast<std::int64_t>(Int32At(b, 4)) ==
                                                    static_cast<std::int64_t>(b.size()) - 8;
}

bool IsBlank(std::uint8_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A window description starts, after blanks and "//" comment lines, with the word "object".
bool LooksLikeWindowDescription(std::span<const std::uint8_t> b) {
  std::size_t i = 0;
  if (b.size() >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) i = 3;  // a UTF-8 mark
  for (;;) {
    while (i < b.size() && IsBlank(b[i])) ++i;
    if (i + 1 >= b.size() || b[i] != '/' || b[i + 1] != '/') break;
    while (i < b.size() && b[i] != '\n') ++i;
  }
  static constexpr std::string_view word = "object";
  return b.size() - i > word.size() && std::equal(word.begin(), word.end(), b.begin() + static_cast<std::ptrdiff_t>(i)) &&
         IsBlank(b[i + word.size()]);
}

// The stored block of a window description: that of the stored-skin object named component,
// or of the only one the description holds. Anything else is a skin error naming the file.
// Sets name to the object's name.
std::vector<std::uint8_t> WindowDescriptionBlock(const std::string& arg, std::span<const std::uint8_t> file,
                                                 const std::string* component, std::string& name) {
  TDescObject root;
  try {
    root = ParseDescription(std::string_view(reinterpret_cast<const char*>(file.data()), file.size()));
  } catch (const TDescriptionError& e) {
    SkinError(arg + ": not a valid window description: " + e.what());
  }
  const std::vector<const TDescObject*> all = StoredSkinObjects(root);
  std::string names;
  for (const TDescObject* o : all) names += (names.empty() ? "" : ", ") + o->Name;
  const TDescObject* stored = nullptr;
  if (component) {
    const auto named = std::find_if(all.begin(), all.end(), [&](const TDescObject* o) { return o->Name == *component; });
    if (named == all.end())
      SkinError(arg + ": no stored skin named \"" + *component + "\" (" +
                (all.empty() ? std::string("the window description holds none") : "its stored skins: " + names) + ")");
    stored = *named;
  } else if (all.empty()) {
    SkinError(arg + ": the window description holds no stored skin (no TvnCompressedStoredSkin object)");
  } else if (all.size() > 1) {
    SkinError(arg + ": the window description holds " + std::to_string(all.size()) + " stored skins (" + names +
              "); choose one with --component NAME");
  } else {
    stored = all.front();
  }
  name = stored->Name;
  const std::string at = "stored skin " + name + " (line " + std::to_string(stored->Line) + ")";
  const TDescProperty* data = StoredSkinDataProperty(*stored);
  if (!data) SkinError(arg + ": " + at + " has no CompressedData");
  if (data->Value.Kind != TDescValueKind::Binary)
    SkinError(arg + ": line " + std::to_string(data->Value.Line) + ", column " + std::to_string(data->Value.Column) +
              ": the CompressedData of " + at + " is not binary data");
  if (data->Value.Bytes.empty()) SkinError(arg + ": " + at + " holds an empty block");
  return data->Value.Bytes;
}

}  // namespace

TLoadedSkin LoadSkin(const TArgs& args) {
  const std::string& arg = args.Positional.at(0);
  const bool raw = args.Has("--raw");
  const std::string* component = args.Value("--component");
  if (raw && component) UsageError("--component picks from a window description; it does not go with --raw");
  const std::filesystem::path path = ArgPath(arg);
  TLoadedSkin skin;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) UsageError(arg + ": no such file");
  // What errors name as the source: the file, and the stored skin read from it.
  std::string source = arg;
  try {
    const std::vector<std::uint8_t> file = ReadFileBytes(path);
    const bool windowDescription = !raw && !LooksLikeCompressedFile(file) && LooksLikeWindowDescription(file);
    if (component && !windowDescription)
      UsageError("--component picks from a window description, and " + arg + " is not one");
    if (raw) {
      skin.Kind = TSkinKind::RawBlock;
      skin.Container = UnpackSkinBlock(file);
    } else if (LooksLikeCompressedFile(file)) {
      skin.Kind = TSkinKind::CompressedFile;
      skin.Container = UnpackSkinBlock(BlockOfCompressedSkinFile(file));
    } else if (windowDescription) {
      skin.Kind = TSkinKind::WindowDescription;
      const std::vector<std::uint8_t> block = WindowDescriptionBlock(arg, file, component, skin.StoredSkinName);
      source = arg + ", stored skin " + skin.StoredSkinName;
      skin.Container = UnpackSkinBlock(block);
    } else if (LooksLikeDescription(file)) {
      skin.Kind = TSkinKind::Description;
      skin.Container = WriteSkinContainer(*ReadSkinSource(path, nullptr, false));
    } else if (file.size() >= 8 && Int32At(file, 0) > 3 && static_cast<std::int64_t>(Int32At(file, 4)) ==
                                                              static_cast<std::int64_t>(file.size()) - 8) {
      SkinError(arg + ": compressed skin file of version " + std::to_string(Int32At(file, 0)) +
                " (byte offset 0); versions above 3 are not supported");
    } else {
      SkinError(arg + ": neither a skin description, a compressed skin file nor a window description "
                      "(give --raw for a bare zlib block)");
    }
    if (skin.Container.size() >= 4 && Int32At(skin.Container, 0) > 3)
      SkinError(source + ": container version " + std::to_string(Int32At(skin.Container, 0)) +
                " at byte offset 0 of the unpacked skin; versions above 3 are not supported");
    skin.Data = std::make_unique<TvnSkinData>();
    skin.Data->SetNoticeSender(nullptr);
    skin.Data->LoadFromContainer(skin.Container);
  } catch (const ESkintoolError&) {
    throw;
  } catch (const std::exception& e) {
    const std::string what = e.what();
    SkinError(source + ": " + (what == "compression error" ? "damaged zlib stream (compression error)" : what));
  }
  return skin;
}

void WriteOutputFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  std::filesystem::path temporary = path;
  temporary += ".skintool-partial";
  try {
    WriteFileBytes(temporary, bytes);
    std::filesystem::rename(temporary, path);
  } catch (const std::exception& e) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    SkinError(PathText(path) + ": cannot write: " + e.what());
  }
}

std::vector<std::uint8_t> PackSkinDescription(const std::string& arg, const std::filesystem::path& source) {
  try {
    std::string missing;
    const std::optional<TvnSkinContainer> container = ReadSkinSource(source, &missing);
    if (!container) SkinError(arg + ": missing required section [" + missing + "]");
    return PackSkinContainer(WriteSkinContainer(*container));
  } catch (const ESkintoolError&) {
    throw;
  } catch (const std::exception& e) {
    SkinError(arg + ": " + e.what());
  }
}
