#pragma once
// The program's skin (skins/quillon) loaded into a skin data, for the menu tests.
#include <filesystem>
#include <memory>

#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataStoredSkin.h"

inline std::unique_ptr<TvnSkinData> LoadQuillonSkin() {
  TvnCompressedStoredSkin stored;
  if (!stored.LoadFromSkinFile(std::filesystem::path(QUILLON_SOURCE_DIR) / "skins" / "quillon" / "skin.ini"))
    return nullptr;
  auto data = std::make_unique<TvnSkinData>();
  data->SetNoticeSender(nullptr);
  data->LoadCompressedSkin(stored);
  return data;
}
