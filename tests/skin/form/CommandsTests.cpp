#include "skin/form/VeneerFormCommands.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

using enum TvnBorderIcon;  // portable files see no other border icons

namespace {

TvnSizeLimits EmbeddedLimits() {
  TvnSizeLimits l;
  l.SkinSupport = true;
  l.PictureWidth = 191;
  l.PictureHeight = 135;
  l.ClientRectHeight = 90;  // clientrect 8,28,184,118
  return l;
}

TEST(WindowCommands, MinimumTrackSize) {
  TvnSizeLimits l = EmbeddedLimits();
  EXPECT_EQ(MinTrackWidth(l, false), 191);
  EXPECT_EQ(MinTrackHeight(l, false, false), 45);  // the frame alone
  l.MinWidth = 300;
  l.MinHeight = 200;
  EXPECT_EQ(MinTrackWidth(l, false), 300);
  EXPECT_EQ(MinTrackWidth(l, true), 191);  // a minimized window shrinks to its frame
  EXPECT_EQ(MinTrackHeight(l, false, false), 200);
  EXPECT_EQ(MinTrackHeight(l, true, false), 45);
  EXPECT_EQ(MinTrackHeight(l, false, true), 45);

  TvnSizeLimits d;  // default look
  EXPECT_EQ(MinTrackWidth(d, false), 120);
  EXPECT_EQ(MinTrackHeight(d, false, false), 25);
  d.DefaultCaptionHeight = 15;
  d.MinWidth = 50;
  EXPECT_EQ(MinTrackWidth(d, false), 50);
  EXPECT_EQ(MinTrackHeight(d, false, false), 21);
}

TEST(WindowCommands, MaximumTrackSize) {
  TvnMonitorAreas primary{Rect(0, 0, 1280, 984), Rect(0, 0, 1280, 1024), true};
  TvnSizeLimits l = EmbeddedLimits();
  EXPECT_EQ(MaxTrackWidth(l, primary), 1280);
  EXPECT_EQ(MaxTrackHeight(l, primary), 984);
  l.MaximizeOnFullScreen = true;
  EXPECT_EQ(MaxTrackHeight(l, primary), 1024);
  l.MaxWidth = 800;
  l.MaxHeight = 2000;  // larger than the area: the area wins
  EXPECT_EQ(MaxTrackWidth(l, primary), 800);
  EXPECT_EQ(MaxTrackHeight(l, primary), 1024);
}

TEST(WindowCommands, MagneticEdgesSnapStrictlyInsideTheDistance) {
  const TRect area = Rect(0, 0, 1280, 984);
  const int w = 385, h = 392;
  struct Case {
    TPoint in, out;
  } cases[] = {
      {{4, 100}, {0, 100}},          // 4 pixels from the left edge: snaps
      {{5, 100}, {5, 100}},          // 5 pixels away: stays
      {{-4, 100}, {0, 100}},         // just beyond the edge
      {{100, 3}, {100, 0}},
      {{1280 - w - 4, 100}, {1280 - w, 100}},
      {{1280 - w - 5, 100}, {1280 - w - 5, 100}},
      {{100, 984 - h + 2}, {100, 984 - h}},
      {{3, 984 - h - 1}, {0, 984 - h}},  // a corner snaps on both axes
  };
  for (const auto& c : cases) EXPECT_EQ(SnapToEdges(c.in, w, h, area, 5), c.out) << c.in.X << "," << c.in.Y;
}

TEST(WindowCommands, MinimizedWindowsLineUpAlongTheBottomAndWrapUpward) {
  // Seven 191 x 45 frames minimized one after another; the seventh finds the area full and goes
  // back to the first slot.
  struct Case {
    const char* what;
    TRect area;
    std::vector<TPoint> placed;
  } cases[] = {
      {"three slots and some room per row, two rows", Rect(0, 0, 600, 100),
       {{0, 55}, {191, 55}, {382, 55}, {0, 10}, {191, 10}, {382, 10}, {0, 55}}},
      // Exactly three slots wide and two rows high: the last slot of each row is used.
      {"exactly three slots by two rows", Rect(0, 0, 573, 90),
       {{0, 45}, {191, 45}, {382, 45}, {0, 0}, {191, 0}, {382, 0}, {0, 45}}},
  };
  for (const Case& c : cases) {
    std::set<std::pair<int, int>> taken;
    auto isTaken = [&](TPoint p) { return taken.count({p.X, p.Y}) != 0; };
    std::vector<TPoint> placed;
    for (std::size_t i = 0; i < c.placed.size(); ++i) {
      const TPoint p = MinimizedPosition(c.area, 191, 45, isTaken);
      placed.push_back(p);
      taken.insert({p.X, p.Y});
    }
    EXPECT_EQ(placed, c.placed) << c.what;
  }

  // A frame of no width cannot walk along the row; it parks at the first slot.
  EXPECT_EQ(MinimizedPosition(Rect(0, 0, 600, 100), 0, 45, [](TPoint) { return true; }),
            (TPoint{0, 55}));
}

TEST(WindowCommands, RollUpReturnsToTheExactHeight) {
  const TvnBorderIcons icons{biSystemMenu, biMinimize, biRollUp};
  TvnFrameState s;
  EXPECT_EQ(s.SetRollUp(true, icons, 392, 45), std::optional<int>(45));
  EXPECT_TRUE(s.RolledUp);
  // A second roll-up must not overwrite the saved height with the rolled one.
  EXPECT_EQ(s.SetRollUp(true, icons, 45, 45), std::nullopt);
  EXPECT_EQ(s.SetRollUp(false, icons, 45, 45), std::optional<int>(392));
  EXPECT_FALSE(s.RolledUp);
  EXPECT_EQ(s.SetRollUp(false, icons, 392, 45), std::nullopt);  // nothing to unroll
}

TEST(WindowCommands, RollUpRefusals) {
  TvnFrameState s;
  EXPECT_EQ(s.SetRollUp(true, TvnBorderIcons{biSystemMenu, biMinimize}, 392, 45), std::nullopt);
  s.WindowState = wsMinimized;
  EXPECT_EQ(s.SetRollUp(true, kDefaultBorderIcons, 392, 45), std::nullopt);
  EXPECT_FALSE(s.RolledUp);

  // Maximized: rolling up marks the maximized roll-up, rolling down clears it.
  TvnFrameState m;
  m.WindowState = wsMaximized;
  EXPECT_EQ(m.SetRollUp(true, kDefaultBorderIcons, 984, 45), std::optional<int>(45));
  EXPECT_TRUE(m.MaximizedRolledUp);
  EXPECT_EQ(m.SetRollUp(false, kDefaultBorderIcons, 45, 45), std::optional<int>(984));
  EXPECT_FALSE(m.MaximizedRolledUp);
  // Rolled up while maximized but without the mark (rolled before maximizing): refused.
  TvnFrameState odd;
  odd.WindowState = wsMaximized;
  odd.RolledUp = true;
  EXPECT_EQ(odd.SetRollUp(false, kDefaultBorderIcons, 45, 45), std::nullopt);
}

TEST(WindowCommands, CaptionDoubleClickTable) {
  using A = TvnCaptionAction;
  const TvnBorderIcons all = kDefaultBorderIcons;
  const TvnBorderIcons noMax{biSystemMenu, biMinimize, biRollUp};
  struct Case {
    const char* what;
    TvnWindowState state;
    bool rolled, maxRolled, sizeable;
    TvnBorderIcons icons;
    A action;
  } cases[] = {
      {"fixed window rolls", wsNormal, false, false, false, all, A::ToggleRollUp},
      {"fixed window unrolls", wsNormal, true, false, false, all, A::ToggleRollUp},
      {"sizeable maximizes", wsNormal, false, false, true, all, A::Maximize},
      {"sizeable without maximize icon rolls", wsNormal, false, false, true, noMax, A::ToggleRollUp},
      {"sizeable rolled up unrolls", wsNormal, true, false, true, all, A::ToggleRollUp},
      {"sizeable maximized restores", wsMaximized, false, false, true, all, A::Restore},
      {"maximized and rolled up unrolls", wsMaximized, true, true, true, all, A::ToggleRollUp},
      {"sizeable minimized restores", wsMinimized, false, false, true, all, A::Restore},
      {"fixed minimized rolls (refused later)", wsMinimized, false, false, false, all, A::ToggleRollUp},
  };
  for (const Case& c : cases) {
    TvnFrameState s;
    s.WindowState = c.state;
    s.RolledUp = c.rolled;
    s.MaximizedRolledUp = c.maxRolled;
    EXPECT_EQ(CaptionDoubleClickAction(s, c.sizeable, c.icons), c.action) << c.what;
  }
}

std::vector<std::string> Names(const std::vector<TvnSystemMenuItem>& items) {
  std::vector<std::string> names;
  for (TvnSystemMenuItem i : items) names.emplace_back(SystemMenuText(i).Caption);
  return names;
}

TEST(WindowCommands, DefaultSystemMenu) {
  TvnFrameState normal;
  TvnBorderIcons icons = kDefaultBorderIcons;
  EXPECT_EQ(Names(DefaultSystemMenuItems(SystemMenuConditions(normal, icons, false))),
            (std::vector<std::string>{"最小化(&n)", "最大化(&x)", "向上卷拢(&l)", "-", "关闭(&C)"}));
  icons.Include(biMinimizeToTray);
  EXPECT_EQ(DefaultSystemMenuItems(SystemMenuConditions(normal, icons, false)),
            (std::vector<TvnSystemMenuItem>{smMinimize, smMaximize, smRollUp, smMinimizeToTray,
                                            smSeparator, smClose}));
  // Rolled up: restore (which unrolls) instead of roll-up.
  TvnFrameState rolled;
  rolled.RolledUp = true;
  EXPECT_EQ(DefaultSystemMenuItems(SystemMenuConditions(rolled, kDefaultBorderIcons, false)),
            (std::vector<TvnSystemMenuItem>{smMinimize, smMaximize, smRestore, smSeparator, smClose}));
  // The main window: no maximize.
  EXPECT_EQ(DefaultSystemMenuItems(
                SystemMenuConditions(normal, TvnBorderIcons{biSystemMenu, biMinimize, biRollUp}, false)),
            (std::vector<TvnSystemMenuItem>{smMinimize, smRollUp, smSeparator, smClose}));
  // Nothing but close: no separator.
  EXPECT_EQ(DefaultSystemMenuItems(SystemMenuConditions(normal, TvnBorderIcons{}, false)),
            (std::vector<TvnSystemMenuItem>{smClose}));
  // A maximized MDI child offers no roll-up.
  TvnFrameState maximized;
  maximized.WindowState = wsMaximized;
  EXPECT_FALSE(SystemMenuConditions(maximized, kDefaultBorderIcons, true).RollUp);
  EXPECT_TRUE(SystemMenuConditions(maximized, kDefaultBorderIcons, false).RollUp);
  EXPECT_EQ(CloseShortCut(false), "Alt+F4");
  EXPECT_EQ(CloseShortCut(true), "Ctrl+F4");
}

TEST(WindowCommands, ButtonIconsAndHints) {
  EXPECT_EQ(GoverningIcon(cmClose), std::nullopt);
  EXPECT_EQ(GoverningIcon(cmDefault), std::nullopt);
  EXPECT_EQ(GoverningIcon(cmRollUp), std::optional<TvnBorderIcon>(biRollUp));
  EXPECT_EQ(GoverningIcon(cmMinimizeToTray), std::optional<TvnBorderIcon>(biMinimizeToTray));
  EXPECT_EQ(DefaultButtonHint(cmClose)->Text, "关闭");
  EXPECT_EQ(DefaultButtonHint(cmSysMenu)->Key, "MENUBUTTON_HINT");
  EXPECT_FALSE(DefaultButtonHint(cmDefault).has_value());
}

}  // namespace
