// A program that uses the engine's portable parts: reads a packed skin file and prints each of
// its pictures with its size.  skininfo SKIN.vsk  (exit code 1 when the file is not a skin).
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataStoredSkin.h"

#include <exception>
#include <iostream>
#include <string>

namespace {

void PrintPicture(const std::string& role, const std::string& name, const TBmpPicture& picture) {
  std::cout << role << ' ' << (name.empty() ? "-" : name) << ' ' << picture.Width() << " x "
            << picture.Height() << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: skininfo SKIN.vsk\n";
    return 2;
  }
  try {
    TvnCompressedStoredSkin stored;
    stored.LoadFromCompressedFile(argv[1]);
    TvnSkinData skin;
    skin.LoadCompressedSkin(stored);
    if (skin.SkinEmpty) throw std::runtime_error("holds no skin");
    PrintPicture("picture", skin.PictureName, skin.Picture);
    PrintPicture("inactive", skin.InActivePictureName, skin.InActivePicture);
    PrintPicture("mask", skin.MaskName, skin.Mask);
    // The names come from the description, which may list fewer than the container holds.
    for (std::size_t i = 0; i < skin.ActivePictures.size(); ++i) {
      const std::string name = i < skin.ActivePictureNames.size() ? skin.ActivePictureNames[i] : "";
      PrintPicture("active" + std::to_string(i), name, skin.ActivePictures[i]);
    }
    return 0;
  } catch (const std::exception& e) {
    std::cerr << argv[1] << ": " << e.what() << '\n';
    return 1;
  }
}
