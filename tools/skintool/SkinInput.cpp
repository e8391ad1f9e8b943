// Reading a SKIN argument of any kind, option parsing and safe output for skintool's verbs.
#include "framework/Stream.h"
#include "skin/data/vnSkinDataStoredSkin.h"
#include "tools/skintool/Skintool.h"

#include <cstdio>
#include <string>
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

}  // namespace

TLoadedSkin LoadSkin(const std::string& arg, bool raw) {
  const std::filesystem::path path = ArgPath(arg);
  TLoadedSkin skin;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) UsageError(arg + ": no such file");
  try {
    const std::vector<std::uint8_t> file = ReadFileBytes(path);
    if (raw) {
      skin.Kind = TSkinKind::RawBlock;
      skin.Container = UnpackSkinBlock(file);
    } else if (LooksLikeCompressedFile(file)) {
      skin.Kind = TSkinKind::CompressedFile;
      skin.Container = UnpackSkinBlock(BlockOfCompressedSkinFile(file));
    } else if (LooksLikeDescription(file)) {
      skin.Kind = TSkinKind::Description;
      skin.Container = WriteSkinContainer(*ReadSkinSource(path, nullptr, false));
    } else if (file.size() >= 8 && Int32At(file, 0) > 3 && static_cast<std::int64_t>(Int32At(file, 4)) ==
                                                              static_cast<std::int64_t>(file.size()) - 8) {
      SkinError(arg + ": compressed skin file of version " + std::to_string(Int32At(file, 0)) +
                " (byte offset 0); versions above 3 are not supported");
    } else {
      SkinError(arg + ": neither a skin description nor a compressed skin file (give --raw for a bare zlib block)");
    }
    if (skin.Container.size() >= 4 && Int32At(skin.Container, 0) > 3)
      SkinError(arg + ": container version " + std::to_string(Int32At(skin.Container, 0)) +
                " at byte offset 0 of the unpacked skin; versions above 3 are not supported");
    skin.Data = std::make_unique<TvnSkinData>();
    skin.Data->SetNoticeSender(nullptr);
    skin.Data->LoadFromContainer(skin.Container);
  } catch (const ESkintoolError&) {
    throw;
  } catch (const std::exception& e) {
    const std::string what = e.what();
    SkinError(arg + ": " + (what == "compression error" ? "damaged zlib stream (compression error)" : what));
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
