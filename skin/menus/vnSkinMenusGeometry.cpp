#include "skin/menus/vnSkinMenusGeometry.h"

#include <algorithm>
#include <utility>

#include "framework/Menus.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataObjects.h"
#include "skin/imaging/vnEffects.h"

namespace {

const TPixelBitmap* PictureAt(const TvnSkinData& data, int index) {
  if (index < 0 || index >= static_cast<int>(data.ActivePictures.size())) return nullptr;
  const TPixelBitmap& picture = data.ActivePictures[static_cast<std::size_t>(index)];
  return picture.IsEmpty() ? nullptr : &picture;
}

// The rectangle has area and lies inside the picture.
bool Inside(const TRect& r, const TPixelBitmap& picture) {
  return !r.IsEmpty() && r.Left >= 0 && r.Top >= 0 && r.Right <= picture.Width() &&
         r.Bottom <= picture.Height();
}

}  // namespace

TvnPopupSkin ResolvePopupSkin(const TvnSkinData* data) {
  TvnPopupSkin skin;
  if (data == nullptr || data->SkinEmpty || !data->PopupWindowInfo) return skin;
  const TvnDataSkinPopupWindow& window = *data->PopupWindowInfo;
  const TPixelBitmap* picture = PictureAt(*data, window.WindowPictureIndex);
  // The items area must lie inside the picture: the window's size is measured around it.
  if (picture == nullptr || !Inside(window.ItemsRect, *picture)) return skin;
  skin.Window = &window;
  skin.WindowPicture = picture;
  if (const TPixelBitmap* mask = PictureAt(*data, window.MaskPictureIndex);
      mask != nullptr && mask->Width() == picture->Width() && mask->Height() == picture->Height())
    skin.MaskPicture = mask;
  for (const auto& object : data->ObjectDescriptions) {
    const auto* item = dynamic_cast<const TvnDataSkinMenuItem*>(object.get());
    if (item == nullptr) continue;
    // Only the first menu item description counts. Its pictures are used only when every
    // rectangle the items cut lies in the picture; otherwise the items take the plain look.
    const TPixelBitmap* itemPicture = PictureAt(*data, item->ActivePictureIndex);
    if (itemPicture != nullptr && Inside(item->SkinRect, *itemPicture) &&
        Inside(item->ActiveSkinRect, *itemPicture) && Inside(item->DividerRect, *itemPicture) &&
        item->ActiveSkinRect.Height() == item->SkinRect.Height()) {
      skin.Item = item;
      skin.ItemPicture = itemPicture;
    }
    break;
  }
  return skin;
}

int MenuItemHeight(const TvnPopupSkin& skin, bool separator, int defaultItemHeight) {
  if (skin.Item != nullptr) return separator ? skin.Item->DividerRect.Height() : skin.Item->SkinRect.Height();
  return separator ? 4 : defaultItemHeight;
}

TvnPopupSize MeasureWindow(const TvnPopupSkin& skin, std::span<const TvnMenuMeasureItem> items,
                           const TvnMenuMetrics& metrics) {
  TvnPopupSize size;
  int w = 0;
  for (const TvnMenuMeasureItem& item : items) w = std::max(w, item.TextWidth);
  w += 2;
  size.GlyphColumnWidth = metrics.ImageWidth >= 0 ? metrics.ImageWidth + 5 : 19;
  w += size.GlyphColumnWidth + 19;
  int border = metrics.TwoMenus ? 6 : 4;
  if (skin.Skinned()) {
    const TvnDataSkinPopupWindow& window = *skin.Window;
    size.Width = w + (skin.WindowPicture->Width() - window.ItemsRect.Width());
    if (skin.Item != nullptr) size.Width += skin.Item->SkinRect.Width() - skin.Item->TextRect.Width();
    border = skin.WindowPicture->Height() - window.ItemsRect.Height();
  } else {
    size.Width = w + 10;
  }
  int sum = 0;
  size.ItemHeights.reserve(items.size());
  for (const TvnMenuMeasureItem& item : items) {
    size.ItemHeights.push_back(MenuItemHeight(skin, item.Separator, metrics.DefaultItemHeight));
    sum += size.ItemHeights.back();
  }
  size.Height = sum + border;
  const int count = static_cast<int>(items.size());
  if (metrics.MaxMenuItemsInWindow > 0 && metrics.MaxMenuItemsInWindow < count) {
    const int itemHeight = skin.Item != nullptr ? skin.Item->SkinRect.Height() : metrics.DefaultItemHeight;
    size.Height = metrics.MaxMenuItemsInWindow * itemHeight + border + 2 * vnScrollBandHeight;
    size.Scrolling = size.ScrollLimited = true;
  }
  if (size.Height > metrics.WorkAreaHeight) {
    size.Height = metrics.WorkAreaHeight;
    size.Scrolling = true;
  }
  return size;
}

TvnSkinPoints PopupSourcePoints(const TvnDataSkinPopupWindow& window) {
  return {window.LeftTopPoint, window.RightTopPoint, window.LeftBottomPoint, window.RightBottomPoint,
          window.ItemsRect};
}

TvnPopupGeometry PopupGeometry(const TvnPopupSkin& skin, int W, int H) {
  TvnPopupGeometry g;
  if (!skin.Skinned()) {
    g.WinItemsRect = {2, 2, W - 2, H - 2};
    return g;
  }
  const TvnDataSkinPopupWindow& pw = *skin.Window;
  const int pWidth = skin.WindowPicture->Width(), pHeight = skin.WindowPicture->Height();
  g.WinLeftTop = pw.LeftTopPoint;
  g.WinRightTop = {W + pw.RightTopPoint.X - pWidth, pw.RightTopPoint.Y};
  g.WinLeftBottom = {pw.LeftBottomPoint.X, H + pw.LeftBottomPoint.Y - pHeight};
  g.WinRightBottom = {W + pw.RightBottomPoint.X - pWidth, H + pw.RightBottomPoint.Y - pHeight};
  g.WinItemsRect = {pw.ItemsRect.Left, pw.ItemsRect.Top, W + pw.ItemsRect.Right - pWidth,
                    H + pw.ItemsRect.Bottom - pHeight};
  return g;
}

// ---- TvnPopupItems ------------------------------------------------------------------------

void TvnPopupItems::LayoutItems() {
  const int band = Scrolling ? vnScrollBandHeight : 0;
  int y = WinItemsRect.Top + band;
  const int bottom = WinItemsRect.Bottom - band;
  VisibleItemCount = 0;
  FirstVisible = std::clamp(FirstVisible, 0, std::max(0, Count() - 1));
  for (int i = 0; i < FirstVisible; ++i) Items[static_cast<std::size_t>(i)].InView = false;
  int i = FirstVisible;
  for (; i < Count(); ++i) {
    TvnMenuItemSlot& item = Items[static_cast<std::size_t>(i)];
    item.ItemRect = {WinItemsRect.Left, y, WinItemsRect.Right, y + item.Height};
    if (item.ItemRect.Bottom > bottom) break;
    y += item.Height;
    item.InView = true;
    ++VisibleItemCount;
  }
  // An item outside the window is never hit nor drawn, scrolling or not.
  for (; i < Count(); ++i) Items[static_cast<std::size_t>(i)].InView = false;
}

int TvnPopupItems::LastPageStart() const {
  const int top = WinItemsRect.Top + vnScrollBandHeight;
  int y = WinItemsRect.Bottom - vnScrollBandHeight;
  int fit = 0;
  for (int i = Count() - 1; i >= 0; --i) {
    y -= Items[static_cast<std::size_t>(i)].Height;
    if (y < top) break;
    ++fit;
  }
  return Count() - fit;
}

bool TvnPopupItems::ScrollUp(bool cycle) {
  const int before = FirstVisible;
  if (FirstVisible > 0) --FirstVisible;
  else if (cycle) FirstVisible = LastPageStart();
  LayoutItems();
  return FirstVisible != before;
}

bool TvnPopupItems::ScrollDown(bool cycle) {
  const int before = FirstVisible;
  if (CanScrollDown()) ++FirstVisible;
  else if (cycle) FirstVisible = 0;
  LayoutItems();
  return FirstVisible != before;
}

bool TvnPopupItems::EnsureVisible(int index) {
  if (index < 0 || index >= Count()) return false;
  const int before = FirstVisible;
  if (index < FirstVisible) {
    FirstVisible = index;
    LayoutItems();
  }
  while (index > LastShown() && CanScrollDown()) {
    // An items area too short for any item shows none wherever the list starts: the layout
    // keeps FirstVisible at the last item, and scrolling on would never end.
    const int was = FirstVisible;
    ++FirstVisible;
    LayoutItems();
    if (FirstVisible == was) break;
  }
  return FirstVisible != before;
}

TRect TvnPopupItems::TopBand() const {
  return {WinItemsRect.Left, WinItemsRect.Top, WinItemsRect.Right, WinItemsRect.Top + vnScrollBandHeight};
}

TRect TvnPopupItems::BottomBand() const {
  return {WinItemsRect.Left, WinItemsRect.Bottom - vnScrollBandHeight, WinItemsRect.Right, WinItemsRect.Bottom};
}

int TvnPopupItems::ItemAt(TPoint p) const {
  // Only the shown items can hold a point; they are a contiguous run from FirstVisible.
  const int last = std::min(Count() - 1, LastShown());
  for (int i = std::max(0, FirstVisible); i <= last; ++i) {
    const TvnMenuItemSlot& item = Items[static_cast<std::size_t>(i)];
    if (item.InView && item.ItemRect.Contains(p)) return i;
  }
  return -1;
}

bool TvnPopupItems::Selectable(int index) const {
  if (index < 0 || index >= Count()) return false;
  const TvnMenuItemSlot& item = Items[static_cast<std::size_t>(index)];
  return item.Enabled && !item.Separator;
}

int TvnPopupItems::SelectNext(int hot) {
  const int n = Count();
  if (n == 0) return hot;
  if (Scrolling && ScrollState == 0 && hot >= 0 && hot == LastShown()) ScrollDown(true);
  const int start = (hot < 0 || hot >= n - 1) ? 0 : hot + 1;
  for (int k = 0; k < n; ++k) {
    const int i = (start + k) % n;
    if (i == hot) break;
    if (Selectable(i)) {
      if (Scrolling) EnsureVisible(i);
      return i;
    }
  }
  return hot;
}

int TvnPopupItems::SelectPrevious(int hot) {
  const int n = Count();
  if (n == 0) return hot;
  if (Scrolling && ScrollState == 0 && hot >= 0 && hot == FirstVisible) ScrollUp(true);
  const int start = (hot <= 0 || hot >= n) ? n - 1 : hot - 1;
  for (int k = 0; k < n; ++k) {
    const int i = ((start - k) % n + n) % n;
    if (i == hot) break;
    if (Selectable(i)) {
      if (Scrolling) EnsureVisible(i);
      return i;
    }
  }
  return hot;
}

TvnPopupItems LayoutPopupItems(const TvnPopupSkin& skin, const TvnPopupSize& size,
                               std::span<const TvnMenuMeasureItem> items) {
  TvnPopupItems layout;
  layout.WinItemsRect = PopupGeometry(skin, size.Width, size.Height).WinItemsRect;
  layout.Scrolling = size.Scrolling;
  layout.Items.reserve(items.size());
  for (std::size_t i = 0; i < items.size() && i < size.ItemHeights.size(); ++i)
    layout.Items.push_back({size.ItemHeights[i], items[i].Separator, true, {}, true});
  layout.LayoutItems();
  return layout;
}

int FindAccelItem(std::span<const std::u16string> captions, unsigned key) {
  for (std::size_t i = 0; i < captions.size(); ++i)
    if (IsAccel(key, captions[i])) return static_cast<int>(i);
  return -1;
}

// ---- Placement ----------------------------------------------------------------------------

TPoint PlaceWindow(const TvnPlaceRequest& q) {
  const TRect& W = q.WorkArea;
  const TRect& R = q.Anchor;
  const int H = q.Height, Wd = q.Width;
  const int half = W.Top + W.Height() / 2;
  const bool fullHeight = q.Scrolling && !q.ScrollLimited;
  bool covered = false;
  int y = 0;
  if (fullHeight) {
    y = W.Top;
  } else if (q.Submenu) {
    if (R.Top + H - q.ItemsTop <= W.Bottom) y = R.Top - q.ItemsTop;
    else if (R.Top < half) y = W.Bottom - H;
    else y = std::max(R.Bottom + q.ItemsTop - H, W.Top);
  } else if (q.Upward) {
    if (R.Top - H >= W.Top) {
      y = R.Top - H;
    } else if (R.Top < half && R.Bottom + H <= W.Bottom) {
      y = R.Bottom;
    } else {
      covered = true;
      y = R.Top < half ? W.Bottom - H : W.Top;
    }
  } else {
    if (R.Bottom + H <= W.Bottom) {
      y = R.Bottom;
    } else if (R.Top < half) {
      covered = true;
      y = W.Bottom - H;
    } else if (R.Top - H >= W.Top) {
      y = R.Top - H;
    } else {
      covered = true;
      y = W.Top;
    }
  }
  int x = 0;
  if (!q.Submenu && !fullHeight && !covered) {
    x = R.Left;
    if (R.Left + Wd > W.Right) x = W.Right - Wd;
    else if (R.Left < W.Left) x = W.Left;
  } else {
    // Beside the anchor, so that the window does not hide it.
    x = R.Right + Wd + 1 <= W.Right ? R.Right + 1 : R.Left - Wd - 1;
  }
  return {x, y};
}

double MorphToward(double factor, bool lit) {
  return std::clamp(factor + (lit ? vnMorphStep : -vnMorphStep), 0.0, 1.0);
}

// ---- Pictures -----------------------------------------------------------------------------

TPixelBitmap ComposePopupBackground(const TvnPopupSkin& skin, int W, int H, bool scrolling) {
  TPixelBitmap image;
  if (!skin.Skinned() || W <= 0 || H <= 0) return image;
  const TvnDataSkinPopupWindow& pw = *skin.Window;
  const TPixelBitmap& picture = *skin.WindowPicture;
  const TvnSkinPoints source = PopupSourcePoints(pw);
  const TvnSkinPoints target = ShiftSkinPoints(source, picture.Width(), picture.Height(), W, H);
  const TvnStretchFlags stretch{pw.LeftStretch, pw.TopStretch, pw.RightStretch, pw.BottomStretch};
  ComposeSkinImage(source, target, image, picture, {0, 0, picture.Width(), picture.Height()}, W, H,
                   scrolling ? TvnClientFill::Tile : TvnClientFill::Skip, stretch);
  return image;
}

TPixelBitmap ComposeItemPicture(const TvnPopupSkin& skin, int width, bool active) {
  TPixelBitmap image;
  if (skin.Item == nullptr || width <= 0) return image;
  const TvnDataSkinMenuItem& item = *skin.Item;
  ComposeHorzSkinImage(item.ItemLeftOffset, item.ItemRightOffset, image, *skin.ItemPicture,
                       active ? item.ActiveSkinRect : item.SkinRect, width);
  return image;
}

TPixelBitmap ComposeDividerPicture(const TvnPopupSkin& skin, int width) {
  TPixelBitmap image;
  if (skin.Item == nullptr || width <= 0) return image;
  const TvnDataSkinMenuItem& item = *skin.Item;
  ComposeHorzSkinImage(item.DividerLeftOffset, item.DividerRightOffset, image, *skin.ItemPicture,
                       item.DividerRect, width);
  return image;
}

void MorphItemPicture(const TvnPopupSkin& skin, TPixelBitmap& normal, const TPixelBitmap& active,
                      double factor) {
  if (skin.Item == nullptr) return;
  TvnEffectBmp from(std::move(normal));
  const TvnEffectBmp to(ViewOf(active));
  from.Morph(static_cast<int>(skin.Item->MorphKind), to, factor);
  normal = std::move(from).Release();
}

void DrawItemPictures(const TvnPopupSkin& skin, const TvnPopupItems& layout, int hot, TPixelBitmap& window) {
  const int last = std::min(layout.Count() - 1, layout.LastShown());
  for (int i = std::max(0, layout.FirstVisible); i <= last; ++i) {
    const TvnMenuItemSlot& slot = layout.Items[static_cast<std::size_t>(i)];
    const int width = slot.ItemRect.Right - slot.ItemRect.Left;
    const TPixelBitmap piece =
        slot.Separator ? ComposeDividerPicture(skin, width) : ComposeItemPicture(skin, width, i == hot);
    CopyPixels(ViewOf(piece), 0, 0, piece.Width(), piece.Height(), window.View(), slot.ItemRect.Left,
               slot.ItemRect.Top);
  }
}
