#include "skin/data/vnSkinDataScale.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataControls.h"
#include "skin/data/vnSkinDataObjects.h"

namespace {

template <typename T>
T& FieldOf(const TvnKeyRef& key) {
  return *static_cast<T*>(key.Field);
}

// For each scaled position, the source position it samples along one axis of length n.
std::vector<int> SourceIndexes(int n, int dpi) {
  std::vector<int> from(static_cast<std::size_t>(std::max(ScaleLength(n, dpi), 0)));
  for (int x = 0; x < n; ++x) {
    const int end = ScaleLength(x + 1, dpi);
    for (int i = ScaleLength(x, dpi); i < end; ++i) from[static_cast<std::size_t>(i)] = x;
  }
  return from;
}

void CopyScaledKey(const TvnKeyRef& from, const TvnKeyRef& to, int dpi) {
  switch (from.Kind) {
    case TvnValueKind::Length:
      FieldOf<int>(to) = ScaleLength(FieldOf<int>(from), dpi);
      break;
    case TvnValueKind::Integer:
    case TvnValueKind::Color:
      FieldOf<int>(to) = FieldOf<int>(from);
      break;
    case TvnValueKind::Text:
    case TvnValueKind::Name:
      FieldOf<std::string>(to) = FieldOf<std::string>(from);
      break;
    case TvnValueKind::Boolean:
      FieldOf<bool>(to) = FieldOf<bool>(from);
      break;
    case TvnValueKind::Rect:
      FieldOf<TRect>(to) = ScaleSkinRect(FieldOf<TRect>(from), dpi);
      break;
    case TvnValueKind::Point:
      FieldOf<TPoint>(to) = ScaleSkinPoint(FieldOf<TPoint>(from), dpi);
      break;
    case TvnValueKind::FontStyle:
      FieldOf<TFontStyles>(to) = FieldOf<TFontStyles>(from);
      break;
    case TvnValueKind::Alignment:
      FieldOf<TvnAlignment>(to) = FieldOf<TvnAlignment>(from);
      break;
    case TvnValueKind::InActiveEffect:
      FieldOf<TvnInActiveEffect>(to) = FieldOf<TvnInActiveEffect>(from);
      break;
    case TvnValueKind::MorphKind:
      FieldOf<TvnMorphKind>(to) = FieldOf<TvnMorphKind>(from);
      break;
    case TvnValueKind::Command:
      FieldOf<TvnSkinCommand>(to) = FieldOf<TvnSkinCommand>(from);
      break;
    case TvnValueKind::NameList:
      FieldOf<std::vector<std::string>>(to) = FieldOf<std::vector<std::string>>(from);
      break;
  }
}

template <typename T>
void CopyScaledPicture(const TPixelBitmap& from, T& to, int dpi) {
  static_cast<TPixelBitmap&>(to) = ScaleSkinPicture(from, dpi);
}

}  // namespace

int ClampSkinDpi(int dpi) {
  if (dpi <= 0) return kSkinDesignDpi;
  return std::clamp(dpi, kSkinMinDpi, kSkinMaxDpi);
}

TRect ScaleSkinRect(const TRect& r, int dpi) {
  return {ScaleLength(r.Left, dpi), ScaleLength(r.Top, dpi), ScaleLength(r.Right, dpi),
          ScaleLength(r.Bottom, dpi)};
}

TPoint ScaleSkinPoint(const TPoint& p, int dpi) {
  return {ScaleLength(p.X, dpi), ScaleLength(p.Y, dpi)};
}

TPixelBitmap ScaleSkinPicture(const TPixelBitmap& picture, int dpi) {
  if (picture.IsEmpty()) return {};
  const std::vector<int> columns = SourceIndexes(picture.Width(), dpi);
  const std::vector<int> rows = SourceIndexes(picture.Height(), dpi);
  TPixelBitmap scaled(static_cast<int>(columns.size()), static_cast<int>(rows.size()));
  std::vector<std::uint8_t> row(static_cast<std::size_t>(scaled.Width()) * 3);
  int madeFrom = -1;
  for (int y = 0; y < scaled.Height(); ++y) {
    const int sourceRow = rows[static_cast<std::size_t>(y)];
    if (sourceRow != madeFrom) {
      const std::uint8_t* in = picture.ScanLine(sourceRow);
      for (std::size_t x = 0; x < columns.size(); ++x)
        std::memcpy(&row[x * 3], in + static_cast<std::size_t>(columns[x]) * 3, 3);
      madeFrom = sourceRow;
    }
    std::memcpy(scaled.ScanLine(y), row.data(), row.size());
  }
  return scaled;
}

void CopyScaledKeys(const TvnKeyedSection& source, TvnKeyedSection& target, int dpi) {
  std::vector<TvnKeyRef> from;
  const_cast<TvnKeyedSection&>(source).EnumKeys([&](const TvnKeyRef& key) { from.push_back(key); });
  std::size_t i = 0;
  target.EnumKeys([&](const TvnKeyRef& to) {
    // Both tables come from the same class, so they list the same keys in the same order.
    if (i < from.size() && from[i].Key == to.Key) CopyScaledKey(from[i], to, dpi);
    ++i;
  });
}

std::unique_ptr<TvnSkinData> ScaledSkinData(const TvnSkinData& source, int dpi) {
  dpi = ClampSkinDpi(dpi);
  auto scaled = std::make_unique<TvnSkinData>();
  scaled->SetNoticeSender(nullptr);
  scaled->FSkinDpi = dpi;
  CopyScaledKeys(static_cast<const TvnSkinFormInfo&>(source), static_cast<TvnSkinFormInfo&>(*scaled), dpi);
  CopyScaledKeys(*source.PopupWindowInfo, *scaled->PopupWindowInfo, dpi);
  CopyScaledKeys(*source.HintWindowInfo, *scaled->HintWindowInfo, dpi);
  CopyScaledPicture(source.Picture, scaled->Picture, dpi);
  CopyScaledPicture(source.InActivePicture, scaled->InActivePicture, dpi);
  CopyScaledPicture(source.Mask, scaled->Mask, dpi);
  scaled->ActivePictures.resize(source.ActivePictures.size());
  for (std::size_t i = 0; i < source.ActivePictures.size(); ++i)
    CopyScaledPicture(source.ActivePictures[i], scaled->ActivePictures[i], dpi);
  for (const auto& object : source.ObjectDescriptions) {
    auto copy = CreateObjectDescription(object->Kind(), object->SectionName);
    if (!copy) continue;
    CopyScaledKeys(*object, *copy, dpi);
    scaled->ObjectDescriptions.push_back(std::move(copy));
  }
  for (const auto& control : source.ControlDescriptions) {
    auto copy = CreateControlDescription(control->Kind(), control->SectionName);
    if (!copy) continue;
    CopyScaledKeys(*control, *copy, dpi);
    scaled->ControlDescriptions.push_back(std::move(copy));
  }
  scaled->PictureName = source.PictureName;
  scaled->InActivePictureName = source.InActivePictureName;
  scaled->MaskName = source.MaskName;
  scaled->ActivePictureNames = source.ActivePictureNames;
  scaled->SkinName = source.SkinName;
  scaled->SkinAuthor = source.SkinAuthor;
  scaled->AuthorURL = source.AuthorURL;
  scaled->AuthorEmail = source.AuthorEmail;
  scaled->SkinComments = source.SkinComments;
  scaled->ContainerVersion = source.ContainerVersion;
  scaled->UnpackedSize = source.UnpackedSize;
  scaled->DescriptionOffset = source.DescriptionOffset;
  scaled->SkinEmpty = source.SkinEmpty;
  scaled->SetResourceStrData(source.ResourceStrData());
  return scaled;
}
