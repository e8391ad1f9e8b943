// The main menu bar's layout rules without a window: the items area, the child window's caption
// buttons at its ends, items placed until they no longer fit (a case fitting exactly), the merged
// order of a child's menu, and the keyboard's walk. The embedded skin's numbers: bar "skinrect"
// 0,0,40,22 and "itemsrect" 4,2,36,20; items "skinrect" 40,2,64,20 and "textrect" 6,1,18,17;
// buttons 16 x 14.
#include "skin/form/vnSkinMainMenuBarGeometry.h"

#include "framework/Menus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const TvnMenuBarSkinRects kSkin{true, Rect(0, 0, 40, 22), Rect(4, 2, 36, 20)};
const TvnMenuBarSkinRects kPlain{};
const TvnMenuBarItemLook kSkinItem{true, Rect(40, 2, 64, 20), Rect(6, 1, 18, 17)};

TEST(MenuBarGeometry, ItemsAreaWithAndWithoutTheChildButtons) {
  const TvnMenuBarButtonSize skinned{true, 16, 14};
  const struct {
    const char* Name;
    TvnMenuBarSkinRects Skin;
    TvnMenuBarButtonSize Size;
    TRect Area, Items, Sys, Close, Max, Min;
  } cases[] = {
      {"skinned", kSkin, skinned, Rect(4, 2, 296, 20), Rect(22, 2, 242, 20),
       Rect(4, 4, 20, 18), Rect(280, 4, 296, 18), Rect(262, 4, 278, 18), Rect(244, 4, 260, 18)},
      {"plain", kPlain, {}, Rect(2, 2, 298, 20), Rect(22, 2, 238, 20),
       Rect(2, 2, 20, 20), Rect(280, 2, 298, 20), Rect(260, 2, 278, 20), Rect(240, 2, 258, 20)},
  };
  for (const auto& c : cases) {
    const TRect area = MenuBarItemsRect(c.Skin, 300, 22);
    EXPECT_EQ(area, c.Area) << c.Name;
    const TvnMenuBarButtonsPlace p = PlaceMenuBarButtons(area, {c.Size, c.Size, c.Size, c.Size});
    EXPECT_EQ(p.ItemsArea, c.Items) << c.Name;
    EXPECT_EQ(p.Buttons[mbSysMenu], c.Sys) << c.Name;
    EXPECT_EQ(p.Buttons[mbClose], c.Close) << c.Name;
    EXPECT_EQ(p.Buttons[mbMaximize], c.Max) << c.Name;
    EXPECT_EQ(p.Buttons[mbMinimize], c.Min) << c.Name;
  }
}

TEST(MenuBarGeometry, ItemsHideFromTheRightEndWhenTheyNoLongerFit) {
  // Skinned items 44 wide (a caption of 30): 4 + 44 x 6 = 268 is the sixth item's right edge.
  ASSERT_EQ(MenuBarItemSize(kSkinItem, 30, {}), (TPoint{44, 18}));
  const std::vector<TPoint> six(7, TPoint{44, 18});
  const struct {
    int BarWidth;
    bool ScrollMenu;
    int Shown;
  } cases[] = {
      {277, true, 6},   // the marker's band ends at 273 - 5 = 268: the sixth fits exactly
      {276, true, 5},
      {272, false, 6},  // without the band the area's edge, 268, is the limit
      {271, false, 5},
      {1000, true, 7},
      {40, true, 0},
  };
  for (const auto& c : cases) {
    const TRect area = MenuBarItemsRect(kSkin, c.BarWidth, 22);
    const TvnMenuBarRow row = LayoutMenuBarRow(area, six, c.ScrollMenu);
    EXPECT_EQ(row.ShownCount, c.Shown) << c.BarWidth;
    EXPECT_EQ(row.Overflow, c.Shown < 7) << c.BarWidth;
    for (int i = 0; i < 7; ++i) {
      EXPECT_EQ(row.Shown[static_cast<std::size_t>(i)], i < c.Shown) << c.BarWidth << " item " << i;
      EXPECT_EQ(row.Places[static_cast<std::size_t>(i)], Rect(4 + 44 * i, 2, 48 + 44 * i, 20)) << i;
    }
  }
  // Plain items are the caption and 12 wide, as high as the items area.
  const TRect plainArea = MenuBarItemsRect(kPlain, 300, 22);
  EXPECT_EQ(LayoutMenuBarRow(plainArea, {MenuBarItemSize({}, 20, plainArea)}, true).Places[0], Rect(2, 2, 34, 20));
  EXPECT_EQ(MenuBarMarkerBand(plainArea), Rect(293, 2, 298, 20));
}

TEST(MenuBarGeometry, AMergedChildMenuReplacesTheItemsOfEqualGroupIndex) {
  TMenuItem main, child;
  auto add = [](TMenuItem& menu, const char* name, int group, bool visible = true) {
    TMenuItem* item = menu.AddItem(name, u"x");
    item->GroupIndex = group;
    item->Visible = visible;
  };
  add(main, "File", 0);
  add(main, "Edit", 1);
  add(main, "Hidden", 3, false);
  add(main, "Window", 9);
  add(main, "Help", 10);
  add(child, "DocFile", 0);
  add(child, "Doc", 2);
  add(child, "DocView", 2);
  add(child, "DocHelp", 10, false);  // hidden, it still takes the group's place
  auto names = [](const std::vector<TMenuItem*>& items) {
    std::vector<std::string> n;
    for (const TMenuItem* i : items) n.push_back(i->Name());
    return n;
  };
  EXPECT_EQ(names(MenuBarSourceItems(main, nullptr)), (std::vector<std::string>{"File", "Edit", "Window", "Help"}));
  EXPECT_EQ(names(MenuBarSourceItems(main, &child)),
            (std::vector<std::string>{"DocFile", "Edit", "Doc", "DocView", "Window"}));
  TMenuItem empty;
  EXPECT_EQ(names(MenuBarSourceItems(main, &empty)), (std::vector<std::string>{"File", "Edit", "Window", "Help"}));
}

TEST(MenuBarGeometry, ChildButtonsOrderCommandsAndEnabling) {
  std::vector<std::string> order;
  std::vector<TvnSkinCommand> commands;
  for (TvnMenuBarButton b : kMenuBarButtons) {
    order.emplace_back(MenuBarButtonDefaultName(b));
    commands.push_back(MenuBarButtonDefaultCommand(b));
  }
  EXPECT_EQ(order, (std::vector<std::string>{"SysMenuButton", "CloseButton", "MaxButton", "MinButton"}));
  EXPECT_EQ(commands, (std::vector<TvnSkinCommand>{cmSysMenu, cmClose, cmMaximize, cmMinimize}));
  using I = TvnBorderIcon;
  const struct {
    TvnBorderIcons Icons;
    std::array<bool, 4> Enabled;  // system menu, close, maximize, minimize
  } cases[] = {
      {{I::biSystemMenu, I::biMinimize, I::biMaximize}, {true, true, true, true}},
      {{I::biSystemMenu, I::biMaximize}, {true, true, true, false}},
      {{I::biMinimize}, {false, true, true, true}},
      {{}, {false, true, true, false}},
  };
  for (const auto& c : cases) EXPECT_EQ(MenuBarButtonsEnabled(c.Icons), c.Enabled) << int(c.Icons.Bits);
}

TEST(MenuBarGeometry, KeyboardWalkSkipsWhatCannotBeLitAndWraps) {
  const std::vector<bool> row{true, false, true, true};
  const struct {
    int From;
    bool Forward;
    int To;
  } cases[] = {
      {-1, true, 0}, {0, true, 2}, {2, true, 3}, {3, true, 0},
      {-1, false, 3}, {3, false, 2}, {2, false, 0}, {0, false, 3},
  };
  for (const auto& c : cases) EXPECT_EQ(NextMenuBarItem(row, c.From, c.Forward), c.To) << c.From << c.Forward;
  EXPECT_EQ(NextMenuBarItem({false, true, false}, 1, true), 1);  // the only one comes back to itself
  EXPECT_EQ(NextMenuBarItem({false, false}, -1, true), -1);
  EXPECT_EQ(NextMenuBarItem({}, -1, false), -1);
}

}  // namespace
