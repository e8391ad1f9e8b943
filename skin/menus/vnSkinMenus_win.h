#pragma once
// The skinned popup-menu engine, Win32 half. TvnSkinMenu opens one TvnSkinPopupWindow per menu
// level (outermost first); each window lays out one TvnSkinMenuItem per visible menu item.
// Windows never take the focus: they poll the mouse, and the form hands them its keys.
//
// Item states (one window):
//   normal --mouse over / key / opening highlight--> hot  (WaitingForMouse when not by mouse)
//   hot --500 ms hover, Right, Return, click, accelerator--> submenu open (items with children)
//   hot --click, Return, accelerator--> command (items without children): the whole menu
//        closes first, then the command runs, then the opening control hears of it
//   hot / submenu open --another item selected, Escape, Left--> normal
// Each change to or from lit morphs over 20 ms steps when the item skin morphs.
//
// Timers: on each popup window, 1 scrolling (100 ms), 2 mouse poll (50 ms), 3 morph (20 ms),
// 4 submenu delay (500 ms, for the engine's WaitItem, which lives in that window).
#include <windows.h>

#include <memory>
#include <vector>

#include "framework/Controls_win.h"
#include "framework/Forms_win.h"
#include "framework/Graphics.h"
#include "framework/Menus.h"
#include "skin/form/FrameMenus.h"
#include "skin/menus/vnSkinMenusAccessible_win.h"
#include "skin/menus/vnSkinMenusGeometry.h"

class TImageList;
class TvnSkinData;
class TvnDataSkinMenuItem;
class TvnSkinMenu;
class TvnSkinPopupWindow;
class TvnScratchSurfaces;

constexpr UINT_PTR vnScrollTimer = 1;
constexpr UINT_PTR vnMouseTimer = 2;
constexpr UINT_PTR vnMorphTimer = 3;
constexpr UINT_PTR vnSubmenuTimer = 4;

class TvnSkinMenuItem {
public:
  TvnSkinMenuItem(TvnSkinPopupWindow& owner, TMenuItem* source, int index);
  virtual ~TvnSkinMenuItem() = default;
  TvnSkinMenuItem(const TvnSkinMenuItem&) = delete;
  TvnSkinMenuItem& operator=(const TvnSkinMenuItem&) = delete;

  // True while the item's look is between lit and unlit. An item out of view is reset.
  virtual bool NeedsMorphStep();

  TvnSkinPopupWindow* OwnerWindow;            // not owned
  const TvnDataSkinMenuItem* ItemSkin;        // not owned; none for the plain look
  const TPixelBitmap* ItemPicture;            // not owned
  double MorphFactor = 0;
  TMenuItem* SourceItem;                      // not owned
  bool Hot = false;
  bool SubmenuOpen = false;
  bool WaitingForMouse = false;
  int Index;

  const TRect& ItemRect() const;
  bool InView() const;
  bool IsSeparator() const { return SourceItem->IsLine(); }
  bool HasChildren() const { return SourceItem->Count() > 0; }
  bool Lit() const { return Hot || SubmenuOpen; }

  void ReDraw();
  void MorphStep();
  void SelectItem(bool keyboard);
  void DeselectItem();
  void RunItem();
  // Paints the item onto dc with the item's top-left at ItemRect's.
  // A whole window's paint lends its items scratch surfaces to draw through.
  void Draw(HDC dc, TvnScratchSurfaces* scratch = nullptr);
};

class TvnSkinPopupWindow : public TWinControl {
public:
  explicit TvnSkinPopupWindow(TvnSkinMenu& engine);
  ~TvnSkinPopupWindow() override;

  void ShowAt(const TRect& rect, TMenuItem* item, int firstIndex, bool isSubmenu, bool popupUpward);
  void ShowAt2(const TRect& rect, TMenuItem* itemA, TMenuItem* itemB, int firstIndex, bool isSubmenu,
               bool popupUpward);
  void ProcessKey(unsigned key);
  void TrackItems(int x, int y);
  void ScrollUp(bool cycle);
  void ScrollDown(bool cycle);
  // Handles the release of the left button at (x, y) in window coordinates.
  void MouseUp(int x, int y);
  // One mouse poll (what the 50 ms timer does).
  void PollMouse();

  // ---- state, readable by the engine, tools and tests ----
  int ItemCount() const { return static_cast<int>(Items.size()); }
  TvnSkinMenuItem& Item(int index) { return *Items[static_cast<std::size_t>(index)]; }
  int VisibleItemCount() const { return Layout.VisibleItemCount; }
  int FirstVisible() const { return Layout.FirstVisible; }
  bool Scrolling() const { return Layout.Scrolling; }
  int ScrollState() const { return Layout.ScrollState; }
  const TRect& WinItemsRect() const { return Layout.WinItemsRect; }
  bool Skinned() const { return Look.Skinned(); }

  const TvnDataSkinMenuItem* ItemSkin = nullptr;  // not owned
  TvnPopupItems Layout;
  bool ScrollLimited = false;
  TvnPopupGeometry Geometry;
  int ShownAtX = 0;
  int ShownAtY = 0;
  int WindowWidth = 0;
  int WindowHeight = 0;
  TPoint LastMouse{-1, -1};
  TImageList* Images = nullptr;  // not owned
  int GlyphColumnWidth = 19;
  int PreviousHotItem = -1;
  TvnSkinMenu& ParentPopup;
  TvnPopupSkin Look;             // the skin pieces; Look.Window is WindowSkin
  TFontDesc ItemFont;            // the font items are drawn with
  std::vector<std::unique_ptr<TvnSkinMenuItem>> Items;
  int HotItem = -1;
  bool Submenu = false;
  TMenuItem* ListA = nullptr;  // not owned: the menu whose children this window lists
  TMenuItem* ListB = nullptr;  // not owned: the second menu of a two-menu window, or none
  unsigned Serial = 0;         // tells this window from a later one at the same place
  bool ListsItem(const TComponent* item) const { return item != nullptr && (item == ListA || item == ListB); }
  // Hides the window and stops its timers; input is ignored from then on. The window stays, to
  // be freed or used again for another menu.
  void Close();
  // Makes a closed window ready to show another menu: its window (hidden) kept, without region
  // or translucency, its items and state as new. Making a window costs more than the rest of
  // opening a menu under some systems.
  void Reuse();
  bool Closed() const;

  // Painting (vnSkinMenusPaint_win.cpp).
  void PaintWindow(HDC dc);
  void DrawScrollMarkers(HDC dc);
  void StartMorphTimer();
  void MorphTick();

protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;

private:
  void BuildItems(TMenuItem* itemA, TMenuItem* itemB, int firstIndex);
  void ShowBuilt(const TRect& rect, bool isSubmenu, bool popupUpward);
  void ApplyRegion();
  void StartScroll();
  void StopScroll();
  void Repaint();
  void SetHotItem(int index, bool keyboard);
  void ScrollTick();
  bool FShown = false;
  bool FPaintedOnErase = false;
  TvnPopupAccessibility FAccessibility{*this};  // what assistive tools are told of the menu
};

class TvnSkinMenu : public TComponent, public TvnPopupMenuEngine {
public:
  TvnSkinMenu(TComponent* owner, TForm* hostForm);
  ~TvnSkinMenu() override;

  // Menu settings, given by the form component.
  bool UseSkinFont = true;
  int DefaultItemHeight = 20;
  TFontDesc DefaultItemFont{"Arial", DEFAULT_CHARSET_VALUE, 14, clWindowText, 0};
  bool AlphaBlend = false;
  int AlphaBlendValue = 150;
  bool AlphaBlendAnimation = false;
  int MaxMenuItemsInWindow = 0;

  // Shows the children of item from firstIndex beside the screen rectangle rect. control (may
  // be none) hears WM_SKINMENUCLOSED when the menu closes and WM_SKINMENUCOMMAND after the
  // chosen command ran.
  void PopupItems(TWinControl* control, TvnSkinData* skinData, bool popupUpward, TMenuItem* item,
                  const TRect& rect, int firstIndex);
  // One window listing itemA's children from firstIndex, then itemB's children.
  void PopupItems2(TWinControl* control, TvnSkinData* skinData, bool popupUpward, TMenuItem* itemA,
                   TMenuItem* itemB, const TRect& rect, int firstIndex);
  void CloseAll();
  void CloseFrom(int index);
  bool MenuVisible() const override { return FMenuVisible; }
  int PopupWindowCount() const { return static_cast<int>(FPopupWindows.size()); }
  TvnSkinPopupWindow& PopupWindows(int index) { return *FPopupWindows[static_cast<std::size_t>(index)]; }

  // TvnPopupMenuEngine.
  bool Popup(TMenuItem& items, const TRect& anchor, bool upward, const TvnSkinData* skinData) override;
  void CloseMenu() override { CloseAll(); }
  void KeyDown(unsigned key) override;
  int OpenLevels() const override { return PopupWindowCount(); }
  bool SelectedItemHasSubItems() const override;

  // ---- used by the windows ----
  TForm* HostForm() const { return FHostForm; }
  const TvnSkinData* SkinData() const { return FSkinData; }
  const TRect& MonitorWorkRect() const { return FMonitorWorkRect; }
  bool FirstWindow() const { return FFirstWindow; }
  TWinControl* PopupControl() const { return FPopupControl; }
  TvnSkinMenuItem* WaitItem() const { return FWaitItem; }
  void ItemSelected(TvnSkinPopupWindow& window, TvnSkinMenuItem& item, bool keyboard, bool execute);
  void StopWaitTimer();
  void WaitTimerTick();
  int IndexOfWindow(const TvnSkinPopupWindow* window) const;
  bool WindowAlive(unsigned serial) const;

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  bool StartPopup(TWinControl* control, TvnSkinData* skinData);
  void OpenWindow(const TRect& rect, TMenuItem* itemA, TMenuItem* itemB, int firstIndex, bool isSubmenu,
                  bool upward);
  void SetPopupControl(TWinControl* control);
  void SetNotifyControl(TWinControl* control);
  static void Tell(TWinControl* control, UINT message);

  bool FFirstWindow = false;
  bool FMenuVisible = false;
  TWinControl* FPopupControl = nullptr;   // not owned; cleared by free-notification
  TWinControl* FNotifyControl = nullptr;  // not owned; cleared by free-notification
  TForm* FHostForm = nullptr;             // not owned
  TvnSkinMenuItem* FWaitItem = nullptr;   // not owned: an item of an open window
  TRect FMonitorWorkRect;
  const TvnSkinData* FSkinData = nullptr;  // not owned
  std::vector<std::unique_ptr<TvnSkinPopupWindow>> FPopupWindows;
  std::vector<TMenuItem*> FWatchedItems;  // not owned: the menus the open windows list
  // Closed windows: hidden, used again for later menus, a few kept (a window may be closed while
  // it handles a message, so none is freed then).
  std::vector<std::unique_ptr<TvnSkinPopupWindow>> FGraveyard;
  unsigned FWindowSerial = 0;
  TComponent* FPendingCommand = nullptr;  // not owned: the chosen item while the menu closes
  // Shared with every command run, so a command that frees the engine is seen afterwards.
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
