// Arbitrary bytes as a stored-skin block, loaded by a skin data as on the main window: the
// zlib stream (with its size limit), then everything the container fuzzer covers. A damaged
// block raises "compression error" (EDecompressionError); a block that unpacks too far or a
// damaged container raises EvnSkinError; a malformed value EConvertError. After any of them
// the skin data is empty. A compressed skin file around the bytes is read as well.
#include "skin/data/vnIniFile.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataStoredSkin.h"
#include "skin/data/vnzlibcompress.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TvnCompressedStoredSkin stored;
  stored.SetCompressedData(std::vector<std::uint8_t>(data, data + size));
  TvnSkinData skin;
  skin.SetNoticeSender(nullptr);
  bool failed = false;
  try {
    skin.SetCompressedStoredSkin(&stored);
  } catch (const EDecompressionError&) {
    failed = true;
  } catch (const EvnSkinError&) {
    failed = true;
  } catch (const EConvertError&) {
    failed = true;
  }
  if (failed && (!skin.SkinEmpty || !skin.ObjectDescriptions.empty() || !skin.Picture.IsEmpty())) std::abort();
  if (stored.CompressedData() != std::vector<std::uint8_t>(data, data + size)) std::abort();

  try {
    const std::vector<std::uint8_t> block = BlockOfCompressedSkinFile({data, size});
    if (block.size() + 8 > size && !block.empty()) std::abort();
  } catch (const EvnSkinError&) {
  }
  return 0;
}
