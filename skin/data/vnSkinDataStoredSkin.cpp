#include "skin/data/vnSkinDataStoredSkin.h"

#include "framework/Description.h"

#include "framework/CodePage.h"
#include "skin/data/vnIniFile.h"
#include "skin/data/vnSkinIni.h"
#include "skin/data/vnzlibcompress.h"

#include <string>

namespace {

// A path from a UTF-8 name (window descriptions and command lines are UTF-8).
std::filesystem::path PathOfUtf8(const std::string& name) {
  return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

// A path from a picture name in the description, which is 8-bit text in code page 936.
std::filesystem::path PathOfSkinName(const std::string& name) { return PathOfUtf8(CodePageToUtf8(name)); }

std::string FileNamePart(const std::string& utf8) {
  const std::u8string part = PathOfUtf8(utf8).filename().u8string();
  return std::string(part.begin(), part.end());
}

// Loads the pictures a description names, within a container's pixel budget: a description
// may name one large picture many times, and each is checked by its headers before it is
// decoded, so the budget is never passed even for a moment.
class TPictureLoader {
public:
  TPictureLoader(std::filesystem::path folder, std::int64_t maxPixels)
      : FFolder(std::move(folder)), FPixelsLeft(maxPixels), FMaxPixels(maxPixels) {}

  void Load(TBmpPicture& picture, const std::string& name) {
    picture.Clear();
    if (name.empty()) return;
    const std::filesystem::path path = FFolder / PathOfSkinName(name);
    std::vector<std::uint8_t> bytes;
    try {
      bytes = ReadFileBytes(path);
    } catch (const EStreamError&) {
      // A picture that cannot be read is the picture loader's error, like a damaged one.
      throw EBmpError("cannot open picture file \"" + path.generic_string() + "\"");
    }
    try {
      const TBmpInfo info = ReadBmpInfo(bytes);
      const std::int64_t pixels = static_cast<std::int64_t>(info.Width) * info.Height;
      if (pixels > FPixelsLeft)
        throw EvnSkinError("\"" + path.generic_string() + "\": its " + std::to_string(info.Width) + " x " +
                           std::to_string(info.Height) + " pixels pass the limit of " +
                           std::to_string(FMaxPixels) + " pixels for all pictures of a skin");
      picture.LoadFromBytes(bytes);
      FPixelsLeft -= pixels;
    } catch (const EBmpError& e) {
      throw EBmpError("\"" + path.generic_string() + "\": " + e.what());
    }
  }

private:
  std::filesystem::path FFolder;
  std::int64_t FPixelsLeft;
  std::int64_t FMaxPixels;
};

}  // namespace

TvnCompressedStoredSkin::TvnCompressedStoredSkin(TComponent* owner) : TComponent(owner) {}

namespace {

// Runs unpack, giving the size limit's error the words of a stored skin; the plain
// "compression error" is the text callers know.
template <class Unpack>
auto WithStoredSkinErrors(Unpack unpack) {
  try {
    return unpack();
  } catch (const EDecompressionError& e) {
    if (std::string(e.what()) == "compression error") throw;
    throw EvnSkinError(std::string("stored skin: ") + e.what());
  }
}

}  // namespace

void TvnCompressedStoredSkin::DecompressToStream(TStream& target) const {
  TMemoryStream source(FCompressedData);
  WithStoredSkinErrors([&] { DecompressStream(target, source, vnMaxUnpackedSkinSize); });
}

TByteBuffer TvnCompressedStoredSkin::Unpack() const {
  return WithStoredSkinErrors([&] { return InflateBytes(FCompressedData, vnMaxUnpackedSkinSize); });
}

bool TvnCompressedStoredSkin::LoadFromSkinFile(const std::filesystem::path& path) {
  std::optional<TvnSkinContainer> container = ReadSkinSource(path);
  if (!container) return false;
  FCompressedData = PackSkinContainer(WriteSkinContainer(*container));
  return true;
}

void TvnCompressedStoredSkin::LoadFromCompressedFile(const std::filesystem::path& path) {
  const std::vector<std::uint8_t> file = ReadFileBytes(path);
  try {
    FCompressedData = BlockOfCompressedSkinFile(file);
  } catch (const EvnSkinError& e) {
    throw EvnSkinError("\"" + path.generic_string() + "\": " + e.what());
  }
}

bool TvnCompressedStoredSkin::SettingFromDesigner() const {
  return ComponentState().Designing && !ComponentState().Loading;
}

void TvnCompressedStoredSkin::SetFileName(const std::string& value) {
  if (!SettingFromDesigner()) {
    FFileName = value;
    return;
  }
  FFileName = FileNamePart(value);
  LoadFromSkinFile(PathOfUtf8(value));
}

void TvnCompressedStoredSkin::SetCompressedFileName(const std::string& value) {
  if (!SettingFromDesigner()) {
    FCompressedFileName = value;
    return;
  }
  FCompressedFileName = FileNamePart(value);
  LoadFromCompressedFile(PathOfUtf8(value));
}

std::optional<TvnSkinContainer> ReadSkinSource(const std::filesystem::path& path, std::string* missingSection,
                                               bool requireSections, const TvnSkinContainerLimits& limits) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
  // Refused before it is parsed: the parsed description costs many times its text.
  if (bytes.size() > limits.MaxDescriptionSize)
    throw EvnSkinError("\"" + path.generic_string() + "\" has " + std::to_string(bytes.size()) +
                       " bytes, more than the " + std::to_string(limits.MaxDescriptionSize) +
                       " a skin description may have");
  const std::string text(bytes.begin(), bytes.end());
  const TvnIniFile ini(text);
  for (const char* section : vnRequiredSkinSections) {
    if (requireSections && !ini.SectionExists(section)) {
      if (missingSection) *missingSection = section;
      return std::nullopt;
    }
  }
  TPictureLoader pictures(path.parent_path(), limits.MaxPixels);
  TvnSkinContainer c;
  pictures.Load(c.Picture, ReadTextValue(ini, "PICTURES", "picture"));
  pictures.Load(c.InActivePicture, ReadTextValue(ini, "PICTURES", "inactivepicture"));
  pictures.Load(c.Mask, ReadTextValue(ini, "PICTURES", "mask"));
  for (const std::string& name : ReadNameList(ini, "PICTURES", "activepictures")) {
    c.ActivePictures.emplace_back();
    // An active picture without a name has no file; the container cannot hold an empty one.
    if (name.empty())
      throw EvnSkinError("\"" + path.generic_string() + "\": active picture " +
                         std::to_string(c.ActivePictures.size() - 1) + " of section [PICTURES] has no name");
    pictures.Load(c.ActivePictures.back(), name);
  }
  c.Text = JoinTextLines(SplitTextLines(text));
  return c;
}

std::vector<std::uint8_t> PackSkinContainer(const std::vector<std::uint8_t>& container) {
  TMemoryStream source(container), target;
  CompressStream(source, target);
  return target.TakeBytes();
}

std::vector<std::uint8_t> UnpackSkinBlock(const std::vector<std::uint8_t>& block) {
  TvnCompressedStoredSkin skin;
  skin.SetCompressedData(block);
  TMemoryStream target;
  skin.DecompressToStream(target);
  return target.TakeBytes();
}

std::vector<std::uint8_t> MakeCompressedSkinFile(const std::vector<std::uint8_t>& block) {
  std::vector<std::uint8_t> file;
  const auto put = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) file.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  put(static_cast<std::uint32_t>(vnSkinContainerVersion));
  put(static_cast<std::uint32_t>(block.size()));
  file.insert(file.end(), block.begin(), block.end());
  return file;
}

std::vector<std::uint8_t> BlockOfCompressedSkinFile(std::span<const std::uint8_t> file) {
  const auto get = [&](std::size_t at) {
    return static_cast<std::int32_t>(file[at] | (file[at + 1] << 8) | (file[at + 2] << 16) |
                                     (static_cast<std::uint32_t>(file[at + 3]) << 24));
  };
  if (file.size() < 4) throw EvnSkinError("truncated compressed skin file: no version at byte offset 0");
  if (get(0) > vnSkinContainerVersion) return {};
  if (file.size() < 8) throw EvnSkinError("truncated compressed skin file: no length at byte offset 4");
  const std::int32_t length = get(4);
  if (length < 0 || static_cast<std::size_t>(length) > file.size() - 8)
    throw EvnSkinError("compressed skin file: the length " + std::to_string(length) +
                       " at byte offset 4 does not fit the " + std::to_string(file.size() - 8) +
                       " bytes that follow it");
  return {file.begin() + 8, file.begin() + 8 + length};
}

namespace {

void CollectStoredSkinObjects(const TDescObject& object, std::vector<const TDescObject*>& found) {
  if (object.ClassName == "TvnCompressedStoredSkin") found.push_back(&object);
  for (const TDescObject& child : object.Children) CollectStoredSkinObjects(child, found);
}

}  // namespace

std::vector<const TDescObject*> StoredSkinObjects(const TDescObject& root) {
  std::vector<const TDescObject*> found;
  CollectStoredSkinObjects(root, found);
  return found;
}

const TDescObject* FindStoredSkinObject(const TDescObject& root) {
  const std::vector<const TDescObject*> found = StoredSkinObjects(root);
  return found.empty() ? nullptr : found.front();
}

const TDescProperty* StoredSkinDataProperty(const TDescObject& stored) {
  const TDescProperty* data = nullptr;
  for (const TDescProperty& p : stored.Properties)
    if (p.Name == "CompressedData") data = &p;
  return data;
}

std::vector<std::uint8_t> StoredSkinBlockOf(const TDescObject& root) {
  const TDescObject* stored = FindStoredSkinObject(root);
  const TDescProperty* data = stored ? StoredSkinDataProperty(*stored) : nullptr;
  if (!data || data->Value.Kind != TDescValueKind::Binary) return {};
  return data->Value.Bytes;
}
