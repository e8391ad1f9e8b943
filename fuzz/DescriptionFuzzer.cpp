// Arbitrary bytes as a skin description: the INI parser, every section reader, both lists and
// every description kind reading the first section of the text. A malformed rectangle or point,
// or a name list counting more entries than its section has lines, may raise EConvertError;
// anything else (a crash, a sanitizer report, another exception) is a
// finding. A description that was read must also save and read back to the same values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "skin/data/vnSkinDataControls.h"
#include "skin/data/vnSkinDataObjects.h"
#include "skin/data/vnSkinFormInfo.h"
#include "skin/data/vnSkinIni.h"

namespace {

// Saves the description under a fixed section name and checks that it reads back to the
// same values (the saved text of the copy equals the saved text of the original).
void CheckRoundTrip(TvnDataSkinDescription& description,
                    const std::function<std::unique_ptr<TvnDataSkinDescription>()>& create) {
  description.SectionName = "fuzz";
  TvnIniFile saved;
  description.SaveToIni(saved);
  std::unique_ptr<TvnDataSkinDescription> back = create();
  back->LoadFromIni(TvnIniFile(saved.Text()));
  TvnIniFile savedAgain;
  back->SaveToIni(savedAgain);
  if (savedAgain.Text() != saved.Text()) std::abort();
}

// Every kind reads the first section of the text (whatever its name), so each class meets
// every input, not only the kinds the lists name.
template <typename Create>
void LoadFirstSection(const TvnIniFile& ini, Create create) {
  if (ini.Sections().empty()) return;
  std::unique_ptr<TvnDataSkinDescription> description = create(ini.Sections().front().Name);
  try {
    description->LoadFromIni(ini);
  } catch (const EConvertError&) {
    return;
  }
  CheckRoundTrip(*description, [&] { return create("fuzz"); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TvnIniFile ini(std::string_view(reinterpret_cast<const char*>(data), size));
  TvnIniFile again(ini.Text());
  if (again.Text() != ini.Text()) std::abort();

  try {
    TvnSkinVersionInfo version;
    version.LoadFromIni(ini);
    TvnSkinPicturesInfo pictures;
    pictures.LoadFromIni(ini);
    TvnSkinFormInfo form;
    form.LoadFromIni(ini, pictures.MaskName);
    form.Correct(true);
    TvnJsonWriter json;
    form.WriteJson(json);
    pictures.WriteJson(json);
    TvnDataSkinPopupWindow popup;
    popup.LoadFromIni(ini);
    TvnDataSkinHintWindow hint;
    hint.LoadFromIni(ini);
  } catch (const EConvertError&) {
  }

  std::vector<std::unique_ptr<TvnDataSkinObject>> objects;
  std::vector<std::unique_ptr<TvnDataSkinControl>> controls;
  // A list whose loading raised is thrown away whole, as the skin data does: its last entry
  // stopped half-read (before any adjustment after reading), so it has no values to round-trip.
  try {
    LoadObjectDescriptions(ini, objects);
  } catch (const EConvertError&) {
    objects.clear();
  }
  try {
    LoadControlDescriptions(ini, controls);
  } catch (const EConvertError&) {
    controls.clear();
  }
  TvnJsonWriter json;
  for (const auto& object : objects) object->WriteEntryJson(json);
  for (const auto& control : controls) control->WriteEntryJson(json);
  for (auto& object : objects) {
    CheckRoundTrip(*object, [&] { return CreateObjectDescription(object->Kind(), "fuzz"); });
  }
  for (auto& control : controls) {
    CheckRoundTrip(*control, [&] { return CreateControlDescription(control->Kind(), "fuzz"); });
  }

  for (std::string_view kind : kObjectKinds) {
    LoadFirstSection(ini, [&](const std::string& name) -> std::unique_ptr<TvnDataSkinDescription> {
      return CreateObjectDescription(kind, name);
    });
  }
  for (std::string_view kind : kControlKinds) {
    LoadFirstSection(ini, [&](const std::string& name) -> std::unique_ptr<TvnDataSkinDescription> {
      return CreateControlDescription(kind, name);
    });
  }
  return 0;
}
