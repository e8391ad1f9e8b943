// skintool inspect SKIN --json [--raw | --component NAME]: prints the loaded skin as one JSON
// object. Every description section is printed through its key table, so the JSON holds
// exactly the keys the engine reads, with the values it ended up with.
#include "skin/data/vnJsonWriter.h"
#include "skin/data/vnSkinDataControls.h"
#include "skin/data/vnSkinDataObjects.h"
#include "tools/skintool/Skintool.h"

#include <ostream>

namespace {

void WriteImage(TvnJsonWriter& json, const TBmpPicture& picture) {
  if (picture.IsEmpty()) {
    json.Null();
    return;
  }
  json.BeginObject();
  json.Key("width");
  json.Int(picture.Width());
  json.Key("height");
  json.Int(picture.Height());
  json.Key("bpp");
  json.Int(picture.BitCount());
  json.EndObject();
}

}  // namespace

int RunInspect(const std::vector<std::string>& args, std::ostream& out) {
  const TArgs a = ParseArgs(args, {"--component"}, {"--json", "--raw"});
  if (a.Positional.size() != 1) UsageError("expected one SKIN");
  if (!a.Has("--json")) UsageError("the only output form is --json");
  const TLoadedSkin skin = LoadSkin(a);
  TvnSkinData& data = *skin.Data;

  TvnJsonWriter json;
  json.BeginObject();
  if (skin.Kind != TSkinKind::Description) {
    json.Key("container");
    json.BeginObject();
    json.Key("version");
    json.Int(data.ContainerVersion);
    json.Key("unpacked_bytes");
    json.Int(static_cast<std::int64_t>(data.UnpackedSize));
    json.Key("description_offset");
    json.Int(static_cast<std::int64_t>(data.DescriptionOffset));
    json.EndObject();
  }

  TvnSkinVersionInfo version;
  version.SkinName = data.SkinName;
  version.SkinAuthor = data.SkinAuthor;
  version.AuthorEmail = data.AuthorEmail;
  version.AuthorURL = data.AuthorURL;
  version.SkinComments = data.SkinComments;
  json.Key("version");
  version.WriteJson(json);

  TvnSkinPicturesInfo pictures;
  pictures.PictureName = data.PictureName;
  pictures.InActivePictureName = data.InActivePictureName;
  pictures.MaskName = data.MaskName;
  pictures.ActivePictureNames = data.ActivePictureNames;
  json.Key("pictures");
  pictures.WriteJson(json);

  json.Key("images");
  json.BeginObject();
  json.Key("picture");
  WriteImage(json, data.Picture);
  json.Key("inactivepicture");
  WriteImage(json, data.InActivePicture);
  json.Key("mask");
  WriteImage(json, data.Mask);
  json.Key("activepictures");
  json.BeginArray();
  for (const TBmpPicture& picture : data.ActivePictures) WriteImage(json, picture);
  json.EndArray();
  json.EndObject();

  json.Key("forminfo");
  static_cast<const TvnSkinFormInfo&>(data).WriteJson(json);
  json.Key("popupwindow");
  data.PopupWindowInfo->WriteJson(json);
  json.Key("hintwindow");
  data.HintWindowInfo->WriteJson(json);
  json.Key("objects");
  json.BeginArray();
  for (const auto& object : data.ObjectDescriptions) object->WriteEntryJson(json);
  json.EndArray();
  json.Key("controls");
  json.BeginArray();
  for (const auto& control : data.ControlDescriptions) control->WriteEntryJson(json);
  json.EndArray();
  json.EndObject();

  out << json.Text() << "\n";
  return ExitOk;
}
