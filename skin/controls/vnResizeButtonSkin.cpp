#include "skin/controls/vnResizeButtonSkin.h"

#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataControls.h"

TvnResizeButtonSkin vnResizeButtonSkin(const TvnSkinData* skin) {
  const int index = skin ? skin->IndexOfControl("resizebutton") : -1;
  if (index < 0) return {};
  TvnResizeButtonSkin result;
  result.Looks = dynamic_cast<const TvnDataSkinButtonControl*>(
      skin->ControlDescriptions[static_cast<std::size_t>(index)].get());
  const int picture = result.Looks ? result.Looks->PictureIndex : -1;
  if (picture >= 0 && picture < static_cast<int>(skin->ActivePictures.size()))
    result.Picture = &skin->ActivePictures[static_cast<std::size_t>(picture)];
  return result;
}
