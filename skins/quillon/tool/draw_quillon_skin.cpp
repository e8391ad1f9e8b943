// draw_quillon_skin: writes the pictures and the description of Quillon's embedded skin, or
// with --dark of its dark counterpart.
//
//   draw_quillon_skin [--dark] OUTPUT_FOLDER
//
// Everything is drawn from code, so running it again gives the same bytes; the files in
// skins/quillon/ and skins/dark/ are its output, committed so that nobody has to run it.
#include "skins/quillon/tool/QuillonArt.h"
#include "skins/quillon/tool/QuillonDescription.h"
#include "skins/quillon/tool/SkinTheme.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

void WriteFile(const std::filesystem::path& path, const void* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) throw std::runtime_error("cannot write \"" + path.string() + "\"");
}

}  // namespace

int main(int argc, char** argv) {
  const bool dark = argc == 3 && std::string(argv[1]) == "--dark";
  if (argc != 2 && !dark) {
    std::fprintf(stderr, "usage: draw_quillon_skin [--dark] OUTPUT_FOLDER\n");
    return 2;
  }
  try {
    const TSkinTheme& theme = dark ? DarkTheme() : LightTheme();
    const std::filesystem::path folder = argv[argc - 1];
    std::filesystem::create_directories(folder);
    const TQuillonArt art = DrawQuillonArt(theme);
    std::size_t activeBytes = 0;
    auto write = [&](const TSkinPicture& picture) {
      const std::vector<std::uint8_t> bytes = EncodeSkinPicture(picture);
      WriteFile(folder / picture.FileName, bytes.data(), bytes.size());
      std::printf("%-20s %4d x %-4d %2d bpp %7zu bytes\n", picture.FileName.c_str(), picture.Pixels.Width(),
                  picture.Pixels.Height(), picture.BitsPerPixel, bytes.size());
      return bytes.size();
    };
    const std::size_t mainBytes = write(art.Main);
    const std::size_t maskBytes = write(art.Mask);
    for (const TSkinPicture& picture : art.Active) activeBytes += write(picture);
    const std::string text = MakeQuillonDescription(art, theme);
    WriteFile(folder / "skin.ini", text.data(), text.size());
    const std::size_t descriptionOffset = 4 + 1 + mainBytes + 1 + 1 + maskBytes + 4 + activeBytes;
    std::printf("active pictures      %zu bytes\ndescription          %zu bytes at offset %zu\ncontainer            %zu bytes\n",
                activeBytes, text.size(), descriptionOffset, descriptionOffset + text.size());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "draw_quillon_skin: %s\n", e.what());
    return 1;
  }
}
