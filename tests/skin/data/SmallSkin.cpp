#include "SmallSkin.h"

#include <atomic>
#include <chrono>
#include <system_error>

TTempFolder::TTempFolder(const std::string& name) {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  FPath = std::filesystem::temp_directory_path() /
          ("quillon-" + name + "-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(FPath);
}

TTempFolder::~TTempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(FPath, ignored);
}

std::string SmallSkinText() {
  return "; a small skin for tests\n"
         "[VERSION]\n"
         "skinname=Small\n"
         "skinauthor=Tests\n"
         "\n"
         "[PICTURES]\n"
         "picture=main.bmp\n"
         "inactivepicture=\n"
         "mask=mask.bmp\n"
         "activepicturescount=2\n"
         "0=a.bmp\n"
         "1=b.bmp\n"
         "[FORMINFO]\n"
         "lefttoppoint=2,4\n"
         "righttoppoint=15,6\n"
         "leftbottompoint=4,10\n"
         "rightbottompoint=18,13\n"
         "clientrect=3,5,17,12\n"
         "maskrectarea=0,0,0,0\n"
         "borderwidth=3\n"
         "[POPUPWINDOW]\n"
         "windowpictureindex=0\n"
         "[HINTWINDOW]\n"
         "windowpictureindex=1\n"
         "[SKINOBJECTS]\n"
         "count=3\n"
         "0=caption:caption\n"
         "1=close:animate\n"
         "2=odd:unknownkind\n"
         "[caption]\n"
         "textrect=10,2,60,14\n"
         "alignment=taleftjustify\n"
         "[close]\n"
         "command=cmclose\n"
         "countframes=5\n"
         "morphing=1\n"
         "[SKINCONTROLS]\n"
         "count=2\n"
         "0=panel:panel\n"
         "1=up:updown\n"
         "[panel]\n"
         "skinrect=0,0,8,8\n"
         "[up]\n"
         "lefttoppoint=1,1\n"
         "clientrect=1,1,2,2\n";
}

namespace {

void WritePicture(const std::filesystem::path& path, int w, int h, int bpp) {
  static const std::uint32_t palette[] = {0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0x808080};
  TPixelBitmap b(w, h);
  const int colours = bpp == 1 ? 2 : 6;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.SetPixel(x, y, bpp == 24 ? static_cast<std::uint32_t>(x * 12 + (y * 17 << 8) + ((x + y) * 5 << 16))
                                 : palette[(x * 3 + y) % colours]);
  const std::vector<std::uint8_t> bytes =
      EncodeBmp(b, bpp, bpp == 24 ? std::span<const std::uint32_t>() : std::span(palette).first(colours));
  WriteFileBytes(path, bytes);
}

}  // namespace

std::filesystem::path WriteSmallSkin(const std::filesystem::path& folder, const std::string& text) {
  WriteText(folder / "skin.ini", text);
  WritePicture(folder / "main.bmp", 20, 14, 24);
  WritePicture(folder / "mask.bmp", 20, 14, 1);
  WritePicture(folder / "a.bmp", 9, 5, 8);
  WritePicture(folder / "b.bmp", 7, 3, 4);
  return folder / "skin.ini";
}

std::string ReadText(const std::filesystem::path& path) {
  const std::vector<std::uint8_t> b = ReadFileBytes(path);
  return std::string(b.begin(), b.end());
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
  WriteFileBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}
