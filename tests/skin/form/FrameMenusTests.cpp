// The frame's system and tray menus as content: which items, in which order, with which
// captions and shortcut, and what their clicks do; and the default hints of the buttons.
#include "skin/form/FrameMenus.h"

#include "FormTestDoubles.h"
#include "framework/CodePage.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataResStr.h"
#include "skin/form/FrameObjectList.h"

#include "skin/form/MenuSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using enum TvnBorderIcon;

namespace {

// Records the commands the items run; the state is what the clicks read.
class TRecordingCommands : public TvnWindowCommands {
public:
  TvnFrameState State;
  bool ToTray = false;
  std::vector<std::string> Log;

  const TvnFrameState& FrameState() const override { return State; }
  bool AlwaysMinimizeToTray() const override { return ToTray; }
  void CloseWindow() override { Log.push_back("close"); }
  void ChangeWindowState(TvnWindowState s) override {
    Log.push_back(s == wsNormal ? "normal" : s == wsMinimized ? "minimize" : "maximize");
  }
  void SetRollUp(bool on) override { Log.push_back(on ? "roll up" : "roll down"); }
  void HideToTray() override { Log.push_back("to tray"); }
  void ShowFromTray() override { Log.push_back("from tray"); }
};

// One line per item: name, caption (UTF-8) and shortcut text when there is one.
std::vector<std::string> Describe(const TMenuItem& menu) {
  std::vector<std::string> lines;
  for (int i = 0; i < menu.Count(); ++i) {
    const TMenuItem& item = *menu.Items(i);
    std::string line = item.Name() + " " + Utf16ToUtf8(item.Caption);
    if (item.ShortCut != scNone) line += " " + ShortCutToText(item.ShortCut);
    lines.push_back(line);
  }
  return lines;
}

TvnSystemMenuSetup MenuSetup(const TvnFrameState& state, TvnBorderIcons icons, bool mdiChild = false,
                         const TvnSkinData* skin = nullptr) {
  return {SystemMenuConditions(state, icons, mdiChild), mdiChild, skin};
}

TvnFrameState State(TvnWindowState ws, bool rolled = false, bool maxRolled = false) {
  TvnFrameState s;
  s.WindowState = ws;
  s.RolledUp = rolled;
  s.MaximizedRolledUp = maxRolled;
  return s;
}

const std::string kMin = "VNR_MINITEM 最小化(&n)";
const std::string kMax = "VNR_MAXITEM 最大化(&x)";
const std::string kRestore = "VNR_RESTORE 还原(&R)";
const std::string kRollUp = "VNR_ROLLUP 向上卷拢(&l)";
const std::string kTray = "VNR_MINTOTRAY 最小化到图标(&T)";
const std::string kLine = " -";
const std::string kClose = "VNR_CLOSE 关闭(&C) Alt+F4";

TEST(SystemMenu, DefaultMenuFollowsTheFrameState) {
  TvnBorderIcons all = kDefaultBorderIcons;
  all.Include(biMinimizeToTray);
  const TvnBorderIcons program{biSystemMenu, biMinimize, biRollUp};
  const struct {
    const char* What;
    TvnFrameState State;
    TvnBorderIcons Icons;
    bool MdiChild;
    std::vector<std::string> Items;
  } cases[] = {
      {"normal, every icon", State(wsNormal), all, false, {kMin, kMax, kRollUp, kTray, kLine, kClose}},
      {"normal, no tray icon", State(wsNormal), kDefaultBorderIcons, false, {kMin, kMax, kRollUp, kLine, kClose}},
      {"rolled up: restore instead of roll-up", State(wsNormal, true), kDefaultBorderIcons, false,
       {kMin, kMax, kRestore, kLine, kClose}},
      {"maximized", State(wsMaximized), kDefaultBorderIcons, false, {kMin, kRestore, kRollUp, kLine, kClose}},
      {"maximized and rolled up", State(wsMaximized, true, true), kDefaultBorderIcons, false,
       {kMin, kRestore, kLine, kClose}},
      {"minimized", State(wsMinimized), all, false, {kMax, kRestore, kTray, kLine, kClose}},
      {"no maximize icon (the program's window)", State(wsNormal), program, false, {kMin, kRollUp, kLine, kClose}},
      {"no icons: close alone, no separator", State(wsNormal), TvnBorderIcons{}, false, {kClose}},
      {"maximized multi-document child", State(wsMaximized), kDefaultBorderIcons, true,
       {kMin, kRestore, kLine, "VNR_CLOSE 关闭(&C) Ctrl+F4"}},
  };
  for (const auto& c : cases) {
    TRecordingCommands commands;
    TPopupMenu own;
    own.Items().AddItem("Stale", u"left from before");
    BuildDefaultSystemMenu(own.Items(), MenuSetup(c.State, c.Icons, c.MdiChild), commands);
    EXPECT_EQ(Describe(own.Items()), c.Items) << c.What;
    // Rebuilding gives the same menu, not a longer one.
    BuildDefaultSystemMenu(own.Items(), MenuSetup(c.State, c.Icons, c.MdiChild), commands);
    EXPECT_EQ(Describe(own.Items()), c.Items) << c.What;
  }
}

TEST(SystemMenu, MergedIntoTheApplicationsMenu) {
  TRecordingCommands commands;
  TPopupMenu user;
  TMenuItem& root = user.Items();
  // Standard items left in the menu (by the designer, or from an earlier opening) go.
  root.AddItem("VNR_CLOSE", u"old close");
  root.AddItem("MyItem", u"Mine");
  root.AddItem("VNR_MINITEM", u"old minimize");
  root.AddSeparator();
  root.AddItem("VNR_MAXITEM", u"old maximize");
  root.AddItem("Other", u"Other");
  TvnBorderIcons icons = kDefaultBorderIcons;
  icons.Include(biMinimizeToTray);
  for (int opening = 0; opening < 2; ++opening) {
    MergeSystemMenu(root, MenuSetup(State(wsMaximized), icons), commands);
    EXPECT_EQ(Describe(root), (std::vector<std::string>{kMin, kRestore, kRollUp, kTray, "MyItem Mine", kLine,
                                                        "Other Other", kClose}))
        << "opening " << opening;
  }
  // A normal window: maximize comes back between restore's place and roll-up.
  MergeSystemMenu(root, MenuSetup(State(wsNormal), icons), commands);
  EXPECT_EQ(Describe(root), (std::vector<std::string>{kMin, kMax, kRollUp, kTray, "MyItem Mine", kLine,
                                                      "Other Other", kClose}));
  RemoveStandardItems(root);
  EXPECT_EQ(Describe(root), (std::vector<std::string>{"MyItem Mine", kLine, "Other Other"}));
}

TEST(SystemMenu, WhichMenuTheFrameShows) {
  TRecordingCommands commands;
  TPopupMenu own, user;
  user.Items().AddItem("MyItem", u"Mine");
  user.Items().AddItem("VNR_CLOSE", u"my own close");
  const TvnSystemMenuSetup setup = MenuSetup(State(wsNormal), TvnBorderIcons{biRollUp});

  EXPECT_EQ(&SystemMenuItems(own.Items(), nullptr, true, setup, commands), &own.Items());
  EXPECT_EQ(Describe(own.Items()), (std::vector<std::string>{kRollUp, kLine, kClose}));

  // Standard items off: the application's menu exactly as it was made.
  EXPECT_EQ(&SystemMenuItems(own.Items(), &user.Items(), false, setup, commands), &user.Items());
  EXPECT_EQ(Describe(user.Items()), (std::vector<std::string>{"MyItem Mine", "VNR_CLOSE my own close"}));

  EXPECT_EQ(&SystemMenuItems(own.Items(), &user.Items(), true, setup, commands), &user.Items());
  EXPECT_EQ(Describe(user.Items()), (std::vector<std::string>{kRollUp, "MyItem Mine", kClose}));
}

TEST(SystemMenu, CaptionsFromTheSkinsResourceStringsElseBuiltIn) {
  TRecordingCommands commands;
  TvnSkinData skin;
  TvnResourceStrData strings;
  TPopupMenu menu;
  const TvnSystemMenuSetup setup = MenuSetup(State(wsNormal), kDefaultBorderIcons, false, &skin);

  // A skin data without resource strings: the built-in texts.
  BuildDefaultSystemMenu(menu.Items(), setup, commands);
  EXPECT_EQ(Describe(menu.Items()), (std::vector<std::string>{kMin, kMax, kRollUp, kLine, kClose}));

  skin.SetResourceStrData(&strings);  // the default English lines
  BuildDefaultSystemMenu(menu.Items(), setup, commands);
  EXPECT_EQ(Describe(menu.Items()),
            (std::vector<std::string>{"VNR_MINITEM Mi&nimize", "VNR_MAXITEM Ma&ximize", "VNR_ROLLUP Ro&llUp",
                                      kLine, "VNR_CLOSE &Close Alt+F4"}));

  // Lines in the code page of the texts; a key the list lacks falls back to the built-in text.
  strings.SetResStrings({"mi_closecaption=" + Utf8ToCodePage("关掉(&X)"), "MI_MINCAPTION=",
                         "MI_MAXCAPTION=Big"});
  BuildDefaultSystemMenu(menu.Items(), setup, commands);
  EXPECT_EQ(Describe(menu.Items()),
            (std::vector<std::string>{kMin, "VNR_MAXITEM Big", kRollUp, kLine, "VNR_CLOSE 关掉(&X) Alt+F4"}));

  // The tray menu, built once, takes new captions in place.
  TPopupMenu tray;
  BuildTrayMenu(tray.Items(), MenuSetup(State(wsNormal), kDefaultBorderIcons), commands);
  EXPECT_EQ(Describe(tray.Items()),
            (std::vector<std::string>{"TRAY_VNR_RESTORE 还原(&R)", kLine, "TRAY_VNR_CLOSE 关闭(&C) Alt+F4"}));
  TMenuItem* restore = tray.Items().Items(0);
  UpdateStandardCaptions(tray.Items(), &skin);
  EXPECT_EQ(Describe(tray.Items()),
            (std::vector<std::string>{"TRAY_VNR_RESTORE 还原(&R)", kLine, "TRAY_VNR_CLOSE 关掉(&X) Alt+F4"}));
  EXPECT_EQ(tray.Items().Items(0), restore);
}

TEST(SystemMenu, ClicksRunTheirCommandsOnTheStateAtClickTime) {
  const struct {
    const char* What;
    TvnFrameState State;  // when the item is clicked
    bool ToTray;
    TvnSystemMenuItem Item;
    std::string Command;
  } cases[] = {
      {"minimize", State(wsNormal), false, smMinimize, "minimize"},
      {"minimize, always to the tray", State(wsNormal), true, smMinimize, "to tray"},
      {"maximize", State(wsNormal), false, smMaximize, "maximize"},
      {"restore a maximized window", State(wsMaximized), false, smRestore, "normal"},
      {"restore a minimized window", State(wsMinimized), false, smRestore, "normal"},
      {"restore a rolled-up window unrolls it", State(wsNormal, true), false, smRestore, "roll down"},
      {"restore a maximized rolled-up window unrolls first", State(wsMaximized, true, true), false, smRestore,
       "roll down"},
      {"restore a rolled-up window that was minimized: the state first", State(wsMinimized, true), false,
       smRestore, "normal"},
      {"roll up", State(wsNormal), false, smRollUp, "roll up"},
      {"minimize to tray", State(wsNormal), false, smMinimizeToTray, "to tray"},
      {"close", State(wsNormal), false, smClose, "close"},
      {"tray restore", State(wsNormal), false, smTrayRestore, "from tray"},
      {"tray close", State(wsNormal), false, smTrayClose, "close"},
  };
  for (const auto& c : cases) {
    TRecordingCommands commands;  // the menu is built in a plain normal state
    TPopupMenu menu;
    TMenuItem* item = AddSystemMenuItem(menu.Items(), c.Item, MenuSetup(State(wsNormal), kDefaultBorderIcons), commands);
    commands.State = c.State;
    commands.ToTray = c.ToTray;
    item->Click();
    EXPECT_EQ(commands.Log, (std::vector<std::string>{c.Command})) << c.What;
  }
  // A separator runs nothing.
  TRecordingCommands commands;
  TPopupMenu menu;
  AddSystemMenuItem(menu.Items(), smSeparator, MenuSetup(State(wsNormal), kDefaultBorderIcons), commands)->Click();
  EXPECT_TRUE(commands.Log.empty());
}

TEST(SystemMenu, ButtonHintsFromResourceStringsElseBuiltIn) {
  TRecordingHost host;
  TvnFrameObjectList list;
  BuildDefaultButtons(list, host);
  auto custom = std::make_unique<TvnSkinStdButtonObject>(host);
  custom->Command = cmDefault;
  custom->ObjectHintText = u"mine";
  list.Add(std::move(custom));
  auto hints = [&] {
    std::vector<std::string> texts;
    for (auto& o : list.Objects()) texts.push_back(Utf16ToUtf8(o->ObjectHintText));
    return texts;
  };
  ApplyDefaultHints(list, nullptr);
  EXPECT_EQ(hints(), (std::vector<std::string>{"关闭", "最大化", "最小化", "向上卷拢", "系统菜单", "最小化到图标", "mine"}));

  TvnSkinData skin;
  TvnResourceStrData strings;
  skin.SetResourceStrData(&strings);
  strings.SetResStrings({"CLOSEBUTTON_HINT=Shut", "MENUBUTTON_HINT=" + Utf8ToCodePage("菜单")});
  ApplyDefaultHints(list, &skin);
  EXPECT_EQ(hints(), (std::vector<std::string>{"Shut", "最大化", "最小化", "向上卷拢", "菜单", "最小化到图标", "mine"}));
}

// The menu settings keep the last sensible value: no negative item limit (0 is "no limit"), no
// item height below one pixel; an opacity stays a byte.
TEST(MenuSettings, SettersIgnoreOrHoldValuesThatMakeNoSense) {
  struct Case { int value; int maxItems; int itemHeight; int alpha; } cases[] = {
      {-1, 7, 9, 0}, {0, 0, 9, 0}, {1, 1, 1, 1}, {255, 255, 255, 255}, {256, 256, 256, 255}};
  for (const Case& c : cases) {
    TvnMenuSettings s;
    s.SetMaxMenuItemsInWindow(7);
    s.SetDefMenuItemHeight(9);
    s.SetMaxMenuItemsInWindow(c.value);
    s.SetDefMenuItemHeight(c.value);
    s.SetMenusAlphaBlendValue(c.value);
    EXPECT_EQ(s.MaxMenuItemsInWindow, c.maxItems) << c.value;
    EXPECT_EQ(s.DefMenuItemHeight, c.itemHeight) << c.value;
    EXPECT_EQ(s.MenusAlphaBlendValue, c.alpha) << c.value;
  }
}

}  // namespace
