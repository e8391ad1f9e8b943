// Where a popup menu opens, how big it is, how its items lie and scroll, and which item the keys
// reach: the portable rules the Win32 windows follow.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MenuSkinLoad.h"
#include "skin/data/vnSkinDataObjects.h"
#include "skin/menus/vnSkinMenusGeometry.h"

namespace {

struct PlaceCase {
  const char* what;
  TRect anchor;
  TRect work;
  int width, height;
  bool submenu, upward, scrolling, limited;
  TPoint expected;
};

const TRect kWork{0, 0, 800, 600};
const TRect kSecond{800, 0, 1824, 768};  // a monitor right of the first

TEST(PlaceWindow, EveryBranchNearEachEdge) {
  const PlaceCase cases[] = {
      {"point at the top left opens below right of it", {10, 10, 10, 10}, kWork, 100, 200, false, false, false, false, {10, 10}},
      {"bottom fits exactly", {10, 400, 10, 400}, kWork, 100, 200, false, false, false, false, {10, 400}},
      {"one pixel lower in the lower half opens above", {10, 401, 10, 401}, kWork, 100, 200, false, false, false, false, {10, 201}},
      {"bottom right corner: above and shifted left", {790, 590, 790, 590}, kWork, 100, 200, false, false, false, false, {700, 390}},
      {"right edge fits exactly", {700, 10, 700, 10}, kWork, 100, 200, false, false, false, false, {700, 10}},
      {"one pixel further right is shifted", {701, 10, 701, 10}, kWork, 100, 200, false, false, false, false, {700, 10}},
      {"left of the work area is moved onto it", {-5, 10, -5, 10}, kWork, 100, 200, false, false, false, false, {0, 10}},
      {"upper half, no room below: pinned to the bottom, beside", {100, 299, 150, 320}, kWork, 100, 350, false, false, false, false, {151, 250}},
      {"exactly at half, no room either way: pinned to the top", {100, 300, 150, 320}, kWork, 100, 350, false, false, false, false, {151, 0}},
      {"pinned and no room on the right: left of the anchor", {750, 300, 790, 320}, kWork, 100, 350, false, false, false, false, {649, 0}},
      {"submenu: first item level with the parent item", {200, 100, 300, 120}, kWork, 100, 200, true, false, false, false, {301, 97}},
      {"submenu right side fits exactly", {200, 100, 699, 120}, kWork, 100, 200, true, false, false, false, {700, 97}},
      {"submenu without room on the right opens left", {200, 100, 700, 120}, kWork, 100, 200, true, false, false, false, {99, 97}},
      {"submenu bottom fits exactly", {200, 403, 300, 423}, kWork, 100, 200, true, false, false, false, {301, 400}},
      {"submenu in the upper half too tall: bottom of the work area", {200, 250, 300, 270}, kWork, 100, 400, true, false, false, false, {301, 200}},
      {"submenu in the lower half: ends level with the parent", {200, 500, 300, 520}, kWork, 100, 200, true, false, false, false, {301, 323}},
      {"upward with room above", {10, 300, 10, 300}, kWork, 100, 200, false, true, false, false, {10, 100}},
      {"upward exactly at the top", {10, 200, 10, 200}, kWork, 100, 200, false, true, false, false, {10, 0}},
      {"upward without room above, upper half: below", {10, 150, 10, 150}, kWork, 100, 200, false, true, false, false, {10, 150}},
      {"upward fits nowhere, upper half: bottom, beside", {10, 150, 30, 160}, kWork, 100, 500, false, true, false, false, {31, 100}},
      {"upward fits nowhere, lower half: top, beside", {10, 350, 30, 360}, kWork, 100, 500, false, true, false, false, {31, 0}},
      {"taller than the work area: top, beside", {10, 300, 30, 310}, kWork, 100, 600, false, false, true, false, {31, 0}},
      {"limited scrolling places as usual", {10, 300, 30, 310}, kWork, 100, 124, false, false, true, true, {10, 310}},
      {"second monitor, bottom right corner", {1800, 700, 1800, 700}, kSecond, 100, 200, false, false, false, false, {1724, 500}},
      {"second monitor, left of it is moved onto it", {790, 10, 790, 10}, kSecond, 100, 200, false, false, false, false, {800, 10}},
  };
  for (const PlaceCase& c : cases) {
    TvnPlaceRequest r;
    r.Anchor = c.anchor;
    r.WorkArea = c.work;
    r.Width = c.width;
    r.Height = c.height;
    r.ItemsTop = 3;
    r.Submenu = c.submenu;
    r.Upward = c.upward;
    r.Scrolling = c.scrolling;
    r.ScrollLimited = c.limited;
    EXPECT_EQ(PlaceWindow(r), c.expected) << c.what;
  }
}

std::vector<TvnMenuMeasureItem> Plain(int count, int textWidth = 50) {
  return std::vector<TvnMenuMeasureItem>(static_cast<std::size_t>(count), TvnMenuMeasureItem{false, textWidth});
}

TEST(MeasureWindow, PlainSizesScrollLimitsAndWorkArea) {
  struct Case {
    const char* what;
    std::vector<TvnMenuMeasureItem> items;
    int maxItems, work, imageWidth;
    bool twoMenus;
    int width, height;
    bool scrolling, limited;
  };
  const Case cases[] = {
      {"items and a separator", {{false, 50}, {true, 0}, {false, 80}}, 0, 600, -1, false, 130, 48, false, false},
      {"images widen the glyph column", {{false, 80}}, 0, 600, 16, false, 132, 24, false, false},
      {"two menus: border 6", {{false, 80}}, 0, 600, -1, true, 130, 26, false, false},
      {"five of eight items, plus the bands", Plain(8), 5, 600, -1, false, 100, 124, true, true},
      {"eight of eight: no scrolling", Plain(8), 8, 600, -1, false, 100, 164, false, false},
      {"exactly the work area's height", Plain(8), 0, 164, -1, false, 100, 164, false, false},
      {"one pixel more than the work area scrolls", Plain(8), 0, 163, -1, false, 100, 163, true, false},
  };
  const TvnPopupSkin plain;
  for (const Case& c : cases) {
    TvnMenuMetrics m;
    m.MaxMenuItemsInWindow = c.maxItems;
    m.WorkAreaHeight = c.work;
    m.ImageWidth = c.imageWidth;
    m.TwoMenus = c.twoMenus;
    const TvnPopupSize s = MeasureWindow(plain, c.items, m);
    EXPECT_EQ(s.Width, c.width) << c.what;
    EXPECT_EQ(s.Height, c.height) << c.what;
    EXPECT_EQ(s.Scrolling, c.scrolling) << c.what;
    EXPECT_EQ(s.ScrollLimited, c.limited) << c.what;
  }
}

TEST(MeasureWindow, SkinnedByTheProgramsSkin) {
  auto data = LoadQuillonSkin();
  ASSERT_TRUE(data);
  const TvnPopupSkin skin = ResolvePopupSkin(data.get());
  ASSERT_TRUE(skin.Skinned());
  ASSERT_NE(skin.Item, nullptr);
  ASSERT_NE(skin.MaskPicture, nullptr);
  TvnMenuMetrics m;
  m.WorkAreaHeight = 600;
  const std::vector<TvnMenuMeasureItem> items{{false, 50}, {true, 0}, {false, 60}};
  const TvnPopupSize s = MeasureWindow(skin, items, m);
  // 60 + 2 + 19 + 19, the window's border around the items area, the item's beside its text.
  const int windowBorder = skin.WindowPicture->Width() - data->PopupWindowInfo->ItemsRect.Width();
  const int itemBorder = skin.Item->SkinRect.Width() - skin.Item->TextRect.Width();
  EXPECT_EQ(s.Width, 100 + windowBorder + itemBorder);
  const int vertical = skin.WindowPicture->Height() - data->PopupWindowInfo->ItemsRect.Height();
  EXPECT_EQ(s.Height, 2 * skin.Item->SkinRect.Height() + skin.Item->DividerRect.Height() + vertical);
  const TvnPopupGeometry g = PopupGeometry(skin, s.Width, s.Height);
  EXPECT_EQ(g.WinItemsRect.Height(), s.Height - vertical) << "the items fill the items area exactly";
  EXPECT_EQ(g.WinItemsRect.Width(), s.Width - windowBorder);
}

TEST(ResolvePopupSkin, MissingPiecesFallBackWithoutReadingThem) {
  struct Case {
    const char* what;
    void (*damage)(TvnSkinData&);
    bool skinned, itemSkin;
  };
  const Case cases[] = {
      {"the program's skin", [](TvnSkinData&) {}, true, true},
      {"window picture index -1", [](TvnSkinData& d) { d.PopupWindowInfo->WindowPictureIndex = -1; }, false, false},
      {"window picture index past the pictures", [](TvnSkinData& d) { d.PopupWindowInfo->WindowPictureIndex = 99; }, false, false},
      {"no menu item description", [](TvnSkinData& d) {
         std::erase_if(d.ObjectDescriptions, [](const auto& o) { return dynamic_cast<TvnDataSkinMenuItem*>(o.get()); });
       }, true, false},
      {"menu item picture index naming no picture", [](TvnSkinData& d) {
         for (auto& o : d.ObjectDescriptions) o->ActivePictureIndex = 99;
       }, true, false},
      {"item rectangle outside its picture", [](TvnSkinData& d) {
         for (auto& o : d.ObjectDescriptions)
           if (auto* item = dynamic_cast<TvnDataSkinMenuItem*>(o.get())) item->ActiveSkinRect.Bottom = 5000;
       }, true, false},
      {"no skin at all", [](TvnSkinData& d) { d.SkinEmpty = true; }, false, false},
  };
  for (const Case& c : cases) {
    auto data = LoadQuillonSkin();
    ASSERT_TRUE(data);
    c.damage(*data);
    const TvnPopupSkin skin = ResolvePopupSkin(data.get());
    EXPECT_EQ(skin.Skinned(), c.skinned) << c.what;
    EXPECT_EQ(skin.Item != nullptr, c.itemSkin) << c.what;
    // A plain item in a skinned window is as tall as the default.
    EXPECT_EQ(MenuItemHeight(skin, false, 20), c.itemSkin ? 22 : 20) << c.what;
  }
}

// Eight plain items 20 high in a window five items tall (124 high, items area 2..122).
TvnPopupItems FiveOfEight(std::vector<bool> selectable = std::vector<bool>(8, true)) {
  TvnPopupItems items;
  for (bool s : selectable) items.Items.push_back({20, !s, true, {}, true});
  items.WinItemsRect = {2, 2, 98, 122};
  items.Scrolling = true;
  items.LayoutItems();
  return items;
}

TEST(PopupItems, LayoutBetweenTheBands) {
  TvnPopupItems items = FiveOfEight();
  EXPECT_EQ(items.VisibleItemCount, 5) << "the fifth item ends exactly at the lower band";
  EXPECT_EQ(items.Items[0].ItemRect, (TRect{2, 12, 98, 32}));
  EXPECT_EQ(items.Items[4].ItemRect.Bottom, 112);
  EXPECT_FALSE(items.Items[5].InView);
  EXPECT_EQ(items.ItemAt({50, 12}), 0);
  EXPECT_EQ(items.ItemAt({50, 11}), -1) << "the top band is not an item";
  EXPECT_EQ(items.ItemAt({50, 112}), -1) << "the bottom band is not an item";
  EXPECT_TRUE(items.BottomBand().Contains({50, 112}));
  EXPECT_TRUE(items.TopBand().Contains({50, 11}));
  EXPECT_FALSE(items.CanScrollUp());
  EXPECT_TRUE(items.CanScrollDown());
  EXPECT_EQ(items.LastPageStart(), 3);
}

TEST(PopupItems, KeysWalkScrollAndWrap) {
  struct Case {
    const char* what;
    std::vector<bool> selectable;
    int firstVisible, hot;
    bool down;
    int expectedHot, expectedFirst;
  };
  const std::vector<bool> all(8, true);
  std::vector<bool> gaps = all;
  gaps[1] = gaps[5] = gaps[6] = false;
  const Case cases[] = {
      {"down inside the page", all, 0, 2, true, 3, 0},
      {"down on the fifth item scrolls by one", all, 0, 4, true, 5, 1},
      {"down on the last item wraps to the top", all, 3, 7, true, 0, 0},
      {"up on the first item wraps to the last page", all, 0, 0, false, 7, 3},
      {"up inside the page", all, 3, 5, false, 4, 3},
      {"up on the first shown item scrolls by one", all, 3, 3, false, 2, 2},
      {"down skips a separator", gaps, 0, 0, true, 2, 0},
      {"down skips two and scrolls them into view", gaps, 0, 4, true, 7, 3},
      {"up skips back over two", gaps, 3, 7, false, 4, 3},
      {"none hot: down takes the first", gaps, 0, -1, true, 0, 0},
      {"none hot: up takes the last", gaps, 0, -1, false, 7, 3},
  };
  for (const Case& c : cases) {
    TvnPopupItems items = FiveOfEight(c.selectable);
    items.FirstVisible = c.firstVisible;
    items.LayoutItems();
    const int hot = c.down ? items.SelectNext(c.hot) : items.SelectPrevious(c.hot);
    EXPECT_EQ(hot, c.expectedHot) << c.what;
    EXPECT_EQ(items.FirstVisible, c.expectedFirst) << c.what;
    EXPECT_TRUE(items.Items[static_cast<std::size_t>(hot)].InView) << c.what;
  }
}

TEST(PopupItems, OnlySelectableItemStaysAndScrollEndsCycle) {
  std::vector<bool> one(8, false);
  one[3] = true;
  TvnPopupItems items = FiveOfEight(one);
  EXPECT_EQ(items.SelectNext(3), 3) << "no other item to go to";
  items.FirstVisible = 3;
  items.LayoutItems();
  EXPECT_FALSE(items.ScrollDown(false)) << "the last page cannot scroll further";
  EXPECT_TRUE(items.ScrollDown(true));
  EXPECT_EQ(items.FirstVisible, 0);
  EXPECT_TRUE(items.ScrollUp(true));
  EXPECT_EQ(items.FirstVisible, 3);
}

// A window whose items area is shorter than one item (a work area barely taller than the
// scroll bands) shows no item; the keys must still come back at once.
TEST(PopupItems, AnItemsAreaTooShortForAnyItemNeverHangsTheKeys) {
  TvnPopupItems items = FiveOfEight();
  items.WinItemsRect = {2, 2, 98, 41};  // 19 pixels between the bands: one short of an item
  items.LayoutItems();
  EXPECT_EQ(items.VisibleItemCount, 0);
  EXPECT_EQ(items.SelectNext(-1), 0);
  EXPECT_EQ(items.SelectPrevious(0), 7);
  EXPECT_FALSE(items.Items[7].InView);
  items.WinItemsRect.Bottom = 42;  // exactly one item fits
  items.FirstVisible = 0;
  items.LayoutItems();
  EXPECT_EQ(items.VisibleItemCount, 1);
  EXPECT_EQ(items.SelectPrevious(0), 7);
  EXPECT_EQ(items.FirstVisible, 7);
}

TEST(PopupItems, LastPageStartCountsMixedHeights) {
  TvnPopupItems items;
  for (int h : {20, 20, 20, 4, 20, 20}) items.Items.push_back({h, h == 4, true, {}, true});
  items.WinItemsRect = {2, 2, 98, 86};  // 64 pixels between the bands
  items.Scrolling = true;
  items.LayoutItems();
  EXPECT_EQ(items.LastPageStart(), 2) << "20 + 4 + 20 + 20 fill the 64 pixels exactly";
  items.WinItemsRect.Bottom = 85;  // 63: the fourth item from the end no longer fits
  EXPECT_EQ(items.LastPageStart(), 3);
  items.WinItemsRect.Bottom = 90;  // 68: the fifth would need 84
  EXPECT_EQ(items.LastPageStart(), 2);
  items.WinItemsRect.Bottom = 106;  // 84 = 20 + 20 + 4 + 20 + 20 exactly
  EXPECT_EQ(items.LastPageStart(), 1);
}

TEST(FindAccelItem, FirstCaptionWithTheKey) {
  const std::vector<std::u16string> captions{u"&Open", u"-", u"E&xit", u"E&xtra", u"A&&B"};
  EXPECT_EQ(FindAccelItem(captions, 'O'), 0);
  EXPECT_EQ(FindAccelItem(captions, 'X'), 2) << "the first of two";
  EXPECT_EQ(FindAccelItem(captions, 'B'), -1) << "&& is a plain ampersand";
  EXPECT_EQ(FindAccelItem(captions, 'Q'), -1);
}

TEST(MorphToward, StepsOfAFifthClamped) {
  EXPECT_DOUBLE_EQ(MorphToward(0, true), 0.2);
  EXPECT_DOUBLE_EQ(MorphToward(0.9, true), 1.0);
  EXPECT_DOUBLE_EQ(MorphToward(0.1, false), 0.0);
}

TEST(ItemPictures, ActiveAndNormalLooksAndTheirMorph) {
  auto data = LoadQuillonSkin();
  ASSERT_TRUE(data);
  const TvnPopupSkin skin = ResolvePopupSkin(data.get());
  ASSERT_NE(skin.Item, nullptr);
  const TPixelBitmap normal = ComposeItemPicture(skin, 120, false);
  const TPixelBitmap active = ComposeItemPicture(skin, 120, true);
  ASSERT_EQ(normal.Width(), 120);
  ASSERT_EQ(normal.Height(), skin.Item->SkinRect.Height());
  EXPECT_NE(normal, active) << "the lit item must look different";
  TPixelBitmap half = normal;
  MorphItemPicture(skin, half, active, 1.0);
  EXPECT_EQ(half, active) << "a finished morph shows the lit look";
  EXPECT_EQ(ComposeDividerPicture(skin, 120).Height(), skin.Item->DividerRect.Height());
  EXPECT_TRUE(ComposePopupBackground(TvnPopupSkin{}, 100, 100, false).IsEmpty()) << "plain windows have no picture";
}

}  // namespace
