#include "framework/ImageList.h"

#include "framework/ClassRegistry.h"

#include <algorithm>
#include <stdexcept>

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

void TImageList::SetSize(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (width == FWidth && height == FHeight) return;
  FWidth = width;
  FHeight = height;
  FImages.clear();
}

int TImageList::Add(const TPixelBitmap& picture, TColor transparent) {
  TEntry entry;
  entry.TransparentColor = transparent;
  entry.Picture.SetSize(FWidth, FHeight);
  if (transparent != clNone) entry.Picture.Fill(static_cast<std::uint32_t>(transparent));
  const int w = std::min(FWidth, picture.Width());
  const int h = std::min(FHeight, picture.Height());
  for (int y = 0; y < h; ++y)
    std::copy_n(picture.ScanLine(y), static_cast<std::size_t>(w) * 3, entry.Picture.ScanLine(y));
  FImages.push_back(std::move(entry));
  return Count() - 1;
}

void TImageList::Delete(int index) {
  if (!ValidIndex(index)) throw std::out_of_range("image index out of range");
  FImages.erase(FImages.begin() + index);
}

void TImageList::Clear() { FImages.clear(); }

const TPixelBitmap& TImageList::Image(int index) const {
  if (!ValidIndex(index)) throw std::out_of_range("image index out of range");
  return FImages[static_cast<std::size_t>(index)].Picture;
}

TColor TImageList::Transparent(int index) const {
  if (!ValidIndex(index)) throw std::out_of_range("image index out of range");
  return FImages[static_cast<std::size_t>(index)].TransparentColor;
}

void RegisterImageListClasses(TClassRegistry& registry) {
  using L = TImageList;
  registry.Register(ComponentClass<L>("TImageList", {
      ValueProperty<L>("Width", [](L& c, const TDescValue& v) { c.SetSize(v.AsInteger(), c.Height()); }),
      ValueProperty<L>("Height", [](L& c, const TDescValue& v) { c.SetSize(c.Width(), v.AsInteger()); }),
  }));
}
