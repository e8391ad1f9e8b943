#include "skin/form/vnSkinMainMenuBarGeometry.h"

#include "framework/Menus.h"

#include <algorithm>

TRect MenuBarItemsRect(const TvnMenuBarSkinRects& skin, int width, int height) {
  if (!skin.FromSkin) return Rect(2, 2, width - 2, height - 2);
  const TRect& r = skin.ItemsRect;
  return Rect(r.Left, r.Top, width + r.Right - skin.SkinRect.Width(), r.Bottom);
}

TvnSkinCommand MenuBarButtonDefaultCommand(TvnMenuBarButton button) {
  switch (button) {
    case mbSysMenu: return cmSysMenu;
    case mbClose: return cmClose;
    case mbMaximize: return cmMaximize;
    case mbMinimize: return cmMinimize;
  }
  return cmDefault;
}

std::string_view MenuBarButtonDefaultName(TvnMenuBarButton button) {
  switch (button) {
    case mbSysMenu: return "SysMenuButton";
    case mbClose: return "CloseButton";
    case mbMaximize: return "MaxButton";
    case mbMinimize: return "MinButton";
  }
  return {};
}

std::array<bool, kMenuBarButtonCount> MenuBarButtonsEnabled(TvnBorderIcons childIcons) {
  std::array<bool, kMenuBarButtonCount> enabled{true, true, true, true};
  enabled[mbMinimize] = childIcons.Contains(TvnBorderIcon::biMinimize);
  enabled[mbSysMenu] = childIcons.Contains(TvnBorderIcon::biSystemMenu);
  return enabled;
}

TvnMenuBarButtonsPlace PlaceMenuBarButtons(const TRect& itemsArea,
                                           const std::array<TvnMenuBarButtonSize, kMenuBarButtonCount>& sizes) {
  TvnMenuBarButtonsPlace place;
  TRect& area = place.ItemsArea;
  area = itemsArea;
  // The items area's height is taken before any button narrows it: every button sits in it.
  const int top = itemsArea.Top, height = itemsArea.Height();
  auto box = [&](TvnMenuBarButton b, int left) {
    const TvnMenuBarButtonSize& s = sizes[static_cast<std::size_t>(b)];
    if (!s.Skinned) return Rect(left, top, left + height, top + height);
    const int y = top + (height - s.Height) / 2;
    return Rect(left, y, left + s.Width, y + s.Height);
  };
  TRect& sys = place.Buttons[mbSysMenu];
  sys = box(mbSysMenu, area.Left);
  area.Left += sys.Width() + 2;
  for (TvnMenuBarButton b : {mbClose, mbMaximize, mbMinimize}) {
    TRect& r = place.Buttons[static_cast<std::size_t>(b)];
    r = box(b, 0);
    r = r.Offset(area.Right - r.Width(), 0);
    area.Right -= r.Width() + 2;
  }
  return place;
}

TPoint MenuBarItemSize(const TvnMenuBarItemLook& look, int captionWidth, const TRect& itemsArea) {
  if (!look.Skinned) return {captionWidth + 12, itemsArea.Height()};
  return {look.SkinRect.Width() + look.TextRect.Left + captionWidth - look.TextRect.Right + 2,
          look.SkinRect.Height()};
}

TvnMenuBarRow LayoutMenuBarRow(const TRect& itemsArea, const std::vector<TPoint>& sizes, bool scrollMenu) {
  TvnMenuBarRow row;
  const int limit = itemsArea.Right - (scrollMenu ? 5 : 0);
  int previousRight = 0;
  for (const TPoint& size : sizes) {
    // An item whose width came out negative (a skin with a text rectangle wider than its look)
    // takes no room, so the items after it stay in order.
    const int left = previousRight != 0 ? previousRight : itemsArea.Left;
    const TRect place = Rect(left, itemsArea.Top, left + std::max(size.X, 0), itemsArea.Top + size.Y);
    const bool shown = place.Right <= limit;
    row.Places.push_back(place);
    row.Shown.push_back(shown);
    if (shown) ++row.ShownCount;
    else row.Overflow = true;
    previousRight = place.Right;
  }
  return row;
}

TRect MenuBarMarkerBand(const TRect& itemsArea) {
  return Rect(itemsArea.Right - 5, itemsArea.Top, itemsArea.Right, itemsArea.Bottom);
}

std::vector<TMenuItem*> MenuBarSourceItems(const TMenuItem& main, const TMenuItem* merged) {
  std::vector<TMenuItem*> items;
  if (merged == nullptr) {
    for (int i = 0; i < main.Count(); ++i)
      if (main.Items(i)->Visible) items.push_back(main.Items(i));
    return items;
  }
  auto taken = [merged](int group) {
    for (int i = 0; i < merged->Count(); ++i)
      if (merged->Items(i)->GroupIndex == group) return true;
    return false;
  };
  for (int i = 0; i < main.Count(); ++i)
    if (!taken(main.Items(i)->GroupIndex)) items.push_back(main.Items(i));
  for (int i = 0; i < merged->Count(); ++i) items.push_back(merged->Items(i));
  std::stable_sort(items.begin(), items.end(),
                   [](const TMenuItem* a, const TMenuItem* b) { return a->GroupIndex < b->GroupIndex; });
  std::erase_if(items, [](const TMenuItem* item) { return !item->Visible; });
  return items;
}

int NextMenuBarItem(const std::vector<bool>& selectable, int current, bool forward) {
  const int count = static_cast<int>(selectable.size());
  if (count == 0) return -1;
  const int step = forward ? 1 : -1;
  // With none lit the walk starts just outside the row, so its first step lands on an end.
  int i = (current < 0 || current >= count) ? (forward ? -1 : count) : current;
  for (int n = 0; n < count; ++n) {
    i = (i + step + count) % count;
    if (selectable[static_cast<std::size_t>(i)]) return i;
  }
  return -1;
}
