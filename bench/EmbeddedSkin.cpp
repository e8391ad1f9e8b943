#include "bench/EmbeddedSkin.h"

#include "framework/Description.h"
#include "framework/Stream.h"
#include "skin/data/vnSkinDataStoredSkin.h"

#include <filesystem>
#include <stdexcept>
#include <string>

std::vector<std::uint8_t> EmbeddedBlock() {
  const std::filesystem::path root = QUILLON_SOURCE_DIR;
  const std::vector<std::uint8_t> text = ReadFileBytes(root / "app" / "Unit1.desc");
  std::vector<std::uint8_t> block = StoredSkinBlockOf(ParseDescription(std::string(text.begin(), text.end())));
  if (!block.empty()) return block;
  TvnCompressedStoredSkin skin;
  if (!skin.LoadFromSkinFile(root / "skins" / "quillon" / "skin.ini"))
    throw std::runtime_error("no embedded skin and no skins/quillon/skin.ini");
  return skin.CompressedData();
}
