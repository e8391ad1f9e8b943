// Arbitrary bytes as a skin description, picture sizes and a menu: the popup menu's sizes,
// layout, scrolling, keyboard searches, placement and the pictures it composes must cope with
// any numbers a skin holds and any menu. The first eight bytes give the sizes of the two active
// pictures the popup descriptions may name, the menu's item count, its limit of items in a
// window, the work area's height and the anchor; the next bytes up to a zero byte give the
// items (a byte below 32 is a separator, else a text width); the rest is the description text.
// A malformed rectangle or point, or a name list counting more entries than its section has
// lines, may raise EConvertError; anything else is a finding.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "skin/data/vnIniFile.h"
#include "skin/data/vnSkinData.h"
#include "skin/menus/vnSkinMenusGeometry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t length) {
  if (length < 8) return 0;
  std::size_t at = 8;
  std::vector<TvnMenuMeasureItem> items;
  while (at < length && data[at] != 0 && items.size() < 200) {
    items.push_back({data[at] < 32, data[at] * 3});
    ++at;
  }
  const std::string_view text(reinterpret_cast<const char*>(data + at), length - at);

  TvnSkinData skin;
  try {
    skin.ReadSkinDescription(TvnIniFile(text));
  } catch (const EConvertError&) {
    return 0;
  }
  skin.SkinEmpty = false;
  skin.ActivePictures.resize(8);
  for (std::size_t i = 0; i < skin.ActivePictures.size(); ++i)
    skin.ActivePictures[i].SetSize(data[i % 2] + static_cast<int>(i), data[(i + 1) % 2] / 2 + 1);

  const TvnPopupSkin look = ResolvePopupSkin(&skin);
  TvnMenuMetrics metrics;
  metrics.DefaultItemHeight = data[2] % 40;
  metrics.MaxMenuItemsInWindow = data[3] % 12;
  metrics.WorkAreaHeight = data[4] * 4;
  metrics.ImageWidth = data[5] % 3 == 0 ? -1 : data[5] % 33;
  metrics.TwoMenus = data[5] & 1;
  const TvnPopupSize size = MeasureWindow(look, items, metrics);
  if (size.ItemHeights.size() != items.size()) __builtin_trap();

  const TvnPopupGeometry geometry = PopupGeometry(look, size.Width, size.Height);
  TvnPopupItems layout;
  layout.WinItemsRect = geometry.WinItemsRect;
  layout.Scrolling = size.Scrolling;
  for (std::size_t i = 0; i < items.size(); ++i)
    layout.Items.push_back({size.ItemHeights[i], items[i].Separator, (i % 5) != 4, {}, true});
  layout.LayoutItems();
  int hot = -1;
  for (int step = 0; step < 3 * layout.Count() + 3; ++step) {
    hot = (data[6] >> (step % 8)) & 1 ? layout.SelectNext(hot) : layout.SelectPrevious(hot);
    (void)layout.ItemAt({layout.WinItemsRect.Left + step, layout.WinItemsRect.Top + 7 * step});
    if (step % 3 == 0) layout.ScrollDown(true);
    if (step % 7 == 0) layout.ScrollUp(true);
  }
  (void)layout.LastPageStart();

  TvnPlaceRequest place;
  place.Anchor = {data[7] * 5, data[6] * 4, data[7] * 5 + data[2], data[6] * 4 + data[3]};
  place.WorkArea = {0, 0, 1280, metrics.WorkAreaHeight};
  place.Width = size.Width;
  place.Height = size.Height;
  place.ItemsTop = geometry.WinItemsRect.Top;
  place.Scrolling = size.Scrolling;
  place.ScrollLimited = size.ScrollLimited;
  place.Submenu = data[5] & 2;
  place.Upward = data[5] & 4;
  (void)PlaceWindow(place);

  // Pictures only for sizes a real window could have: the work area bounds the height.
  if (size.Width > 0 && size.Width <= 4096 && size.Height > 0 && size.Height <= 4096) {
    (void)ComposePopupBackground(look, size.Width, size.Height, size.Scrolling);
    const int width = layout.WinItemsRect.Right - layout.WinItemsRect.Left;
    if (width > 0 && width <= 4096) {
      TPixelBitmap normal = ComposeItemPicture(look, width, false);
      const TPixelBitmap lit = ComposeItemPicture(look, width, true);
      (void)ComposeDividerPicture(look, width);
      for (double f = 0; f <= 1.0; f += 0.2) {
        TPixelBitmap copy = normal;
        MorphItemPicture(look, copy, lit, f);
      }
    }
  }
  return 0;
}
