#pragma once
// The skin's resizable button ("resizebutton"): the description and picture that the pieces
// borrowing its look (the up-down control's buttons, the tab bar's button tabs) draw from.
class TvnSkinData;
class TvnDataSkinButtonControl;
class TBmpPicture;

struct TvnResizeButtonSkin {
  const TvnDataSkinButtonControl* Looks = nullptr;  // not owned; null: the skin has no such button
  const TBmpPicture* Picture = nullptr;             // not owned; null: no picture at its index
};

// The resizable button of a skin (null: none). The picture is the description's entry in the
// skin's active pictures, given only when its index lies in the list.
TvnResizeButtonSkin vnResizeButtonSkin(const TvnSkinData* skin);
