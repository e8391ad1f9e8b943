#pragma once
// TImageList: a list of small pictures of one size (menu item images, tray icons), each with a
// transparent colour. The pictures are kept in the project's 24-bit format; the Win32 half
// (ImageList_win.h) draws them on a device context and turns them into icons.
#include "framework/Component.h"
#include "framework/Graphics.h"
#include "framework/PixelBitmap.h"

#include <vector>

// No transparent colour: every pixel of the picture is drawn.
constexpr TColor clNone = 0x1FFFFFFF;

class TImageList : public TComponent {
public:
  explicit TImageList(TComponent* owner = nullptr);

  // The size of every picture. Changing it empties the list.
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetSize(int width, int height);

  int Count() const { return static_cast<int>(FImages.size()); }
  // Adds a picture and returns its index. A picture of another size is cut or padded (with the
  // transparent colour) to the list's size from its top-left corner. transparent is a plain
  // 0x00BBGGRR colour whose pixels are not drawn, or clNone.
  int Add(const TPixelBitmap& picture, TColor transparent = clNone);
  void Delete(int index);  // std::out_of_range outside 0..Count-1
  void Clear();

  const TPixelBitmap& Image(int index) const;  // std::out_of_range outside 0..Count-1
  TColor Transparent(int index) const;         // std::out_of_range outside 0..Count-1
  bool ValidIndex(int index) const { return index >= 0 && index < Count(); }

private:
  struct TEntry {
    TPixelBitmap Picture;
    TColor TransparentColor = clNone;
  };
  int FWidth = 16;
  int FHeight = 16;
  std::vector<TEntry> FImages;
};

class TClassRegistry;
// Makes TImageList known to window descriptions (Width and Height; pictures are added in code).
void RegisterImageListClasses(TClassRegistry& registry);
