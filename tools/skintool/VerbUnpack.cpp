// skintool unpack SKIN -o DIR: writes the description text as DIR/skin.ini and every picture
// as the BMP file the description's "PICTURES" section names, so that packing DIR/skin.ini
// gives the same pictures byte for byte and the same text lines.
#include "framework/CodePage.h"
#include "skin/data/vnSkinDataContainer.h"
#include "tools/skintool/Skintool.h"

#include <map>
#include <system_error>

namespace {

// The file a picture goes to: its name in the description when it is a plain file name, else
// the fallback. A name with a folder part ("../x.bmp", "a/b.bmp") could write outside DIR and
// is refused.
std::string PictureFile(const std::string& nameInSkin, const std::string& fallback, const std::string& what) {
  if (nameInSkin.empty()) return fallback;
  const std::string name = CodePageToUtf8(nameInSkin);
  const std::filesystem::path p = ArgPath(name);
  if (name.find_first_of("/\\:") != std::string::npos || name == "." || name == ".." || p.has_root_path())
    SkinError("the " + what + " is named \"" + name + "\", which is not a plain file name");
  return name;
}

}  // namespace

int RunUnpack(const std::vector<std::string>& args, std::ostream& /*out*/) {
  const TArgs a = ParseArgs(args, {"--component", "-o"}, {"--raw"});
  if (a.Positional.size() != 1) UsageError("expected one SKIN");
  if (!a.Value("-o")) UsageError("missing -o DIR");
  const TLoadedSkin skin = LoadSkin(a);
  const TvnSkinContainer container = ReadSkinContainer(skin.Container);
  const TvnSkinData& data = *skin.Data;

  // Everything is gathered first, so nothing is written when any of it is refused.
  std::map<std::string, std::vector<std::uint8_t>> files;
  const auto add = [&](const TBmpPicture& picture, const std::string& nameInSkin, const std::string& fallback,
                       const std::string& what) {
    if (picture.IsEmpty()) return;
    const std::string file = PictureFile(nameInSkin, fallback, what);
    std::vector<std::uint8_t> bytes = picture.SaveToBytes();
    const auto [it, added] = files.emplace(file, bytes);
    if (!added && it->second != bytes)
      SkinError("two different pictures are both named \"" + file + "\"");
  };
  files["skin.ini"] = std::vector<std::uint8_t>(container.Text.begin(), container.Text.end());
  add(container.Picture, data.PictureName, "picture.bmp", "main picture");
  add(container.InActivePicture, data.InActivePictureName, "inactive.bmp", "inactive picture");
  add(container.Mask, data.MaskName, "mask.bmp", "mask");
  for (std::size_t i = 0; i < container.ActivePictures.size(); ++i) {
    const std::string name = i < data.ActivePictureNames.size() ? data.ActivePictureNames[i] : "";
    add(container.ActivePictures[i], name, "active" + std::to_string(i) + ".bmp",
        "active picture " + std::to_string(i));
  }

  const std::filesystem::path dir = ArgPath(*a.Value("-o"));
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (!std::filesystem::is_directory(dir, error)) SkinError(*a.Value("-o") + ": cannot create the folder");
  for (const auto& [name, bytes] : files) WriteOutputFile(dir / ArgPath(name), bytes);
  return ExitOk;
}
