#pragma once
// A small but complete skin written into a folder: skin.ini and its pictures at 24, 8, 4 and
// 1 bits per pixel. Tests of the stored skin, the skin data and skintool build on it.
#include "framework/Bmp.h"
#include "framework/Stream.h"

#include <filesystem>
#include <string>
#include <vector>

// A fresh, empty folder under the system's temporary folder, removed again when the object goes.
class TTempFolder {
public:
  explicit TTempFolder(const std::string& name);
  ~TTempFolder();
  const std::filesystem::path& Path() const { return FPath; }

private:
  std::filesystem::path FPath;
};

// The description text of the small skin (lines ended by LF, as an author might write them).
std::string SmallSkinText();

// Writes skin.ini (with text, or SmallSkinText()) and main.bmp (24 bpp, 20 x 14), mask.bmp
// (1 bpp), a.bmp (8 bpp) and b.bmp (4 bpp). Returns the path of skin.ini.
std::filesystem::path WriteSmallSkin(const std::filesystem::path& folder, const std::string& text = SmallSkinText());

std::string ReadText(const std::filesystem::path& path);
void WriteText(const std::filesystem::path& path, const std::string& text);
