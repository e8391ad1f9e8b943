// Arbitrary bytes as an unpacked stored skin: the container reader, every picture decoder and
// the whole skin data load after it. A damaged container or value may raise EvnSkinError or
// EConvertError, after which the skin data must be empty; anything else (a crash, a sanitizer
// report, another exception) is a finding. A container that reads must write back to a
// container that reads to the same pictures and text.
#include "skin/data/vnIniFile.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataContainer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  TvnSkinData skin;
  skin.SetNoticeSender(nullptr);
  bool failed = false;
  try {
    skin.LoadFromContainer(bytes);
  } catch (const EvnSkinError&) {
    failed = true;
  } catch (const EConvertError&) {
    failed = true;
  }
  if (failed && (!skin.SkinEmpty || !skin.ObjectDescriptions.empty() || !skin.ControlDescriptions.empty() ||
                 !skin.ActivePictures.empty() || !skin.Picture.IsEmpty()))
    std::abort();

  try {
    const TvnSkinContainer c = ReadSkinContainer(bytes);
    if (c.Version > vnSkinContainerVersion) return 0;
    const TvnSkinContainer back = ReadSkinContainer(WriteSkinContainer(c));
    if (back.Text != c.Text || back.ActivePictures.size() != c.ActivePictures.size()) std::abort();
    if (back.Picture.FileBytes() != c.Picture.FileBytes() || back.Mask.FileBytes() != c.Mask.FileBytes())
      std::abort();
    for (std::size_t i = 0; i < c.ActivePictures.size(); ++i)
      if (back.ActivePictures[i].FileBytes() != c.ActivePictures[i].FileBytes()) std::abort();
  } catch (const EvnSkinError&) {
  }
  return 0;
}
