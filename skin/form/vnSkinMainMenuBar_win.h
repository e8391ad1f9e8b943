#pragma once
// TvnSkinMainMenuBar: a skinned control that stands in for a form's menu bar. It shows the
// top-level items of a main menu (TMainMenu) as skinned items and opens their menus through the
// form component's skinned popup engine; the form component (TvnVeneerForm, its MainMenuBar)
// hands it the keyboard in menu mode. While a child of a multi-document form is maximized, the
// child's caption buttons stand at the bar's ends; items that do not fit hide from the right
// end, and a marker then lists them in a menu of their own.
//
// The bar's objects (owned by the bar, buttons first, then the items):
//   TvnMenuBarObject            the base: looks, lit and pressed state, morphing
//   TvnSkinMainMenuBarButton    a caption button of the maximized child
//   TvnSkinMainMenuBarItem      a top-level menu item
//
// An item's states:
//   state   | event                                   | next
//   --------+-----------------------------------------+------------------------------------------
//   normal  | mouse enters, or the keyboard walks to it| lit (morphs up when its skin morphs)
//   lit     | left press (enabled), sub-items         | down: its menu opens, the form is in
//           |                                         | menu-bar mode
//   lit     | left press (enabled), no sub-items      | normal; the item's command runs
//   down    | the mouse or the keyboard moves to      | normal; the other item goes down and its
//           | another item                            | menu replaces this one's
//   down    | its menu closes                         | lit (normal once menu-bar mode ends)
//   any     | it does not fit the bar                 | hidden (disabled) until it fits again
//
// A button's states: up --left press--> down --left release--> up, running its command when
// the mouse is still on it; the system-menu button runs its command (its menu) on the press and
// stays down until that menu closes.
//
// Timers on the bar's window: 1 follows the mouse (50 ms) while it is over the bar, 2 steps the
// objects' morphs (20 ms) while one morphs.
#include "framework/Menus.h"
#include "skin/controls/vnSkinCtrls_win.h"
#include "skin/form/ActiveSkinObjects.h"
#include "skin/form/vnSkinMainMenuBarGeometry.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TClassRegistry;
class TvnDataSkinObject;
class TvnDataSkinMainMenuBar;
class TvnDataSkinMainMenuBarButton;
class TvnDataSkinMainMenuItem;
class TvnDibSurface;
class TvnSkinMainMenuBar;
class TvnSkinMenu;
class TvnVeneerForm;

enum class TvnMenuBarObjectKind { Button, Item };

class TvnMenuBarObject {
public:
  // With a description the looks and morphing come from it; its active picture must exist, or
  // the object has no active look.
  TvnMenuBarObject(TvnSkinMainMenuBar& bar, TvnMenuBarObjectKind kind, const TvnDataSkinObject* description);
  virtual ~TvnMenuBarObject() = default;
  TvnMenuBarObject(const TvnMenuBarObject&) = delete;
  TvnMenuBarObject& operator=(const TvnMenuBarObject&) = delete;

  // Paints the object at ObjectRect on the bar's surface.
  virtual void Draw(TvnDibSurface& surface) = 0;
  virtual void MouseDown(int, int, TvnMouseButton) {}
  virtual void MouseUp(int, int, TvnMouseButton) {}
  virtual void DblClick() {}
  virtual void MouseEnter();
  virtual void MouseLeave();
  // True while the look is between normal and lit; never while pressed with a pressed look.
  virtual bool NeedsMorphStep() const;

  // Starts the bar's morph timer when the object morphs, else repaints it at once.
  void ReDraw();
  // One morph tick: 0.2 toward the current look, then a repaint.
  void MorphStep();
  // Stores value clamped to 0..1 (anything not >= 0 becomes 0).
  void SetMorphFactor(double value);
  bool MorphInProgress() const;
  TvnMenuBarObjectKind Kind() const { return FKind; }

  TvnSkinMainMenuBar& OwnerBar;
  bool MouseInside = false;
  const TPixelBitmap* StatePicture = nullptr;  // not owned: a picture of the bar's skin data
  bool IsDown = false;
  double MorphFactor = 0;
  std::string IDName;
  TRect NormalRect;   // "skinrect"
  TRect HotRect;      // "activeskinrect"
  TRect PressedRect;  // the pressed look
  TRect ObjectRect;   // bar coordinates
  bool ActiveLook = false;
  bool ObjectEnabled = true;
  bool ObjectVisible = true;
  bool MorphEnabled = false;
  TvnMorphKind MorphMode = mkDefault;

protected:
  // Paints at ObjectRect the look lookOf makes from a rectangle of the state picture: the one
  // of still, or while a morph is in progress the normal look morphed toward the active one.
  void PaintLook(TvnDibSurface& surface, const std::function<TPixelBitmap(const TRect&)>& lookOf,
                 const TRect& still) const;

private:
  TvnMenuBarObjectKind FKind;
};

// A caption button of the maximized child window.
class TvnSkinMainMenuBarButton : public TvnMenuBarObject {
public:
  // Without a description: the plain look, the default name and command of slot.
  TvnSkinMainMenuBarButton(TvnSkinMainMenuBar& bar, TvnMenuBarButton slot,
                           const TvnDataSkinMainMenuBarButton* description, bool fromSkin);
  void Draw(TvnDibSurface& surface) override;
  void MouseDown(int x, int y, TvnMouseButton button) override;
  void MouseUp(int x, int y, TvnMouseButton button) override;
  void DblClick() override;
  void MouseEnter() override;
  void MouseLeave() override;

  // Carries the command out on the maximized child (nothing without one).
  void RunCommand();
  bool IsSysMenuButton() const { return HasCommand && Command == cmSysMenu; }

  TvnMenuBarButton Slot;
  bool FromSkin = false;
  bool HasCommand = false;  // false for a skin without the button's description
  TvnSkinCommand Command = cmDefault;
};

// A top-level item of the main menu.
class TvnSkinMainMenuBarItem : public TvnMenuBarObject {
public:
  // Without a description: the plain look.
  TvnSkinMainMenuBarItem(TvnSkinMainMenuBar& bar, TMenuItem* source, const TvnDataSkinMainMenuItem* description);
  void Draw(TvnDibSurface& surface) override;
  void MouseDown(int x, int y, TvnMouseButton button) override;
  void MouseEnter() override;
  void MouseLeave() override;

  // Down opens the item's menu (and the form's menu-bar mode); up leaves it unlit.
  void SetDown(bool value);
  bool HasChildren() const { return SourceItem->Count() > 0; }
  bool Lit() const { return ActiveLook || IsDown; }
  // Width and height for a caption this wide (what the layout places).
  TPoint SizeFor(int captionWidth, const TRect& itemsArea) const;
  TvnMenuBarItemLook Look() const { return {FromSkin, NormalRect, TextRect}; }
  // The font the caption is drawn with.
  TFontDesc Font() const;

  bool FromSkin = false;
  bool SavedEnabled = true;
  bool Shown = true;
  TMenuItem* SourceItem;  // not owned; the bar watches it
  std::string FontName;   // code page 936, as the skin writes it
  int FontHeight = 14;
  TFontStyles FontStyle = 0;
  TColor UnEnabledFontColor = 0;
  TColor FontColor = 0;
  TColor ActiveFontColor = 0;
  TColor DownFontColor = 0;
  TRect TextRect;
  TRect DownRect;
  int ItemLeftOffset = 0;
  int ItemRightOffset = 0;
  int CaptionWidth = 0;  // as last measured by the bar's layout

private:
  void DrawSkinned(TvnDibSurface& surface);
  void DrawPlain(TvnDibSurface& surface);
  void DrawCaption(TvnDibSurface& surface, const TRect& box, TColor colour) const;
};

class TvnSkinMainMenuBar : public TvnSkinControl {
public:
  explicit TvnSkinMainMenuBar(TComponent* owner);
  ~TvnSkinMainMenuBar() override;

  static constexpr UINT_PTR MouseTimerID = 1;
  static constexpr UINT_PTR MorphTimerID = 2;

  // ---- published ----
  // The marker and its menu of the items that do not fit (off for good once a child's menu is
  // merged in).
  bool ScrollMenu() const { return FScrollMenu; }
  void SetScrollMenu(bool value);
  // Items take the skin's font; off, DefItemFont.
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool value);
  const TFontDesc& DefItemFont() const { return FDefItemFont; }
  void SetDefItemFont(const TFontDesc& value);
  // Size without a skin (positive values take effect at once).
  int DefaultWidth() const { return FDefaultWidth; }
  void SetDefaultWidth(int value);
  int DefaultHeight() const { return FDefaultHeight; }
  void SetDefaultHeight(int value);
  // Menus open above the bar instead of below.
  bool PopupToUp = false;
  // The menu shown (not owned; cleared when it is freed). Setting it rebuilds the items.
  TMainMenu* MainMenu() const { return FMainMenu; }
  void SetMainMenu(TMainMenu* value);
  // The mouse (or the keyboard) comes to or leaves an item.
  std::function<void(TvnSkinMainMenuBar& sender, TMenuItem* item)> OnItemMouseEnter, OnItemMouseLeave;

  // ---- what the form component calls ----
  // The component the bar serves (not owned; cleared when it is freed). Set by the component's
  // SetMainMenuBar.
  TvnVeneerForm* FormComponent() const { return FFormComponent; }
  void SetFormComponent(TvnVeneerForm* value);
  void RebuildItems();
  // Rebuilds (a child's menu may have come or gone), repaints, follows the mouse again.
  void Refresh();
  // A child of the component's form was maximized, or left that state.
  void ChildMaximized();
  void ChildRestored();
  // The keyboard's menu-bar mode: Alt or F10 light the first item; the arrows walk the items
  // (wrapping); Enter opens the lit one; a letter opens or runs the item it marks.
  void EnterKeyboardMode();
  void LeaveKeyboardMode();
  // The open menu closed; its item stays lit while the menu-bar mode lasts.
  void MenuClosed();
  void NextItem();
  void PreviousItem();
  bool OpenSelected();
  bool AcceleratorKey(unsigned key);
  // The menu merged into the bar (an active child's), or null.
  TMainMenu* MergedMenu() const { return FChildMenu; }

  // ---- skin binding ----
  void ApplySkinChange() override;
  void ReleaseSkin() override;
  void SetBounds(int left, int top, int width, int height) override;

  // ---- state, for the objects and for tests ----
  int ObjectCount() const { return static_cast<int>(FObjects.size()); }
  TvnMenuBarObject* Objects(int index) const;  // null outside the list
  // The object at index when it is an item, or null.
  TvnSkinMainMenuBarItem* ItemAt(int index) const;
  // The item made for a top-level menu item, or null.
  TvnSkinMainMenuBarItem* ItemOf(const TMenuItem* source) const;
  bool FromSkin() const { return FFromSkin; }
  int BarButtonCount() const { return FBarButtonCount; }
  bool IsChildMaximized() const { return FChildMaximized; }
  bool ChildMenuMerged() const { return FChildMenuMerged; }
  bool InMenuMode() const { return FInMenuMode; }
  void SetInMenuMode(bool value) { FInMenuMode = value; }
  bool Overflow() const { return FOverflow; }
  bool MarkerHot() const { return FMarkerHot; }
  int HotObjectIndex() const { return FHotObjectIndex; }
  const TRect& BarItemsRect() const { return FBarItemsRect; }
  TRect MarkerBand() const { return MenuBarMarkerBand(FBarItemsRect); }
  // Follows the mouse at a point of the bar ((-1, -1): it left).
  void TrackMouse(int x, int y);
  // No object is hot any more: the next track lights what is under the mouse anew.
  void ForgetHotObject() { FHotObjectIndex = FPreviousHotObjectIndex = -1; }

  // ---- services for the objects ----
  void RedrawObject(TvnMenuBarObject& object);
  void StartMorphTimer();
  // A rectangle of the bar on the screen.
  TRect ScreenRect(const TRect& r);
  // The component's skinned popup engine, or null (no component, or its menus shown otherwise).
  TvnSkinMenu* SkinEngine() const;
  // The character set of item texts: the skin's resource strings', else DefItemFont's.
  int TextCharset() const;
  // Tells whether the bar still exists after something that may free it ran.
  std::shared_ptr<bool> AliveToken() const { return FAlive; }
  void MorphPicture(TPixelBitmap& normal, const TPixelBitmap& active, TvnMorphKind kind, double factor) const;

protected:
  void Paint(TCanvas& canvas) override;
  void WndProc(TMessage& message) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  void ReadDescription();
  void FreeObjects();
  void Watch(TComponent* component);
  void UnwatchAll();
  void AddChildButtons();
  void RemoveChildButtons();
  void ApplyChildBorderIcons();
  void CalcItemsRect();
  void LayoutItems(HDC dc);
  void PaintBar();
  void DrawMarker(TvnDibSurface& surface);
  void RedrawMarker();
  void BlitPart(const TRect& r);
  void OpenOverflowMenu();
  void MouseDownAt(int x, int y, TvnMouseButton button, bool doubleClick);
  void MouseUpAt(int x, int y, TvnMouseButton button);
  void MorphTick();
  void MouseTick();
  void ReleaseMenuButton();
  std::vector<bool> SelectableItems() const;
  int LitItemIndex() const;
  void MoveKeyboard(bool forward);
  TvnSkinMainMenuBarButton* ButtonAt(int index) const;
  void DropItemsOf(const TComponent* source);

  bool FScrollMenu = true;
  TFontDesc FDefItemFont{"Arial", DEFAULT_CHARSET_VALUE, 14, clBtnText, 0};
  bool FUseSkinFont = true;
  bool FFromSkin = false;
  int FBarButtonCount = 0;
  bool FChildMaximized = false;
  bool FInMenuMode = false;
  bool FOverflow = false;
  bool FMarkerHot = false;
  TvnVeneerForm* FFormComponent = nullptr;  // not owned
  TMainMenu* FMainMenu = nullptr;           // not owned
  TMainMenu* FChildMenu = nullptr;          // not owned: the active child's menu merged in
  bool FMouseTimer = false, FMorphTimer = false;
  int FHotObjectIndex = -1, FPreviousHotObjectIndex = -1, FCapturedObjectIndex = -1;
  TRect FBarItemsRect;
  int FDefaultWidth = 0;
  int FDefaultHeight = 22;
  // From the skin's "mainmenubar" description.
  TRect FSkinRect, FItemsRect;
  std::string FMenuBarItemName, FMaxButtonName, FMinButtonName, FSysMenuButtonName, FCloseButtonName;
  TColor FTrackMarkColor = 0, FTrackMarkActiveColor = 0;
  const TPixelBitmap* FPicture = nullptr;  // not owned
  std::vector<std::unique_ptr<TvnMenuBarObject>> FObjects;
  bool FChildMenuMerged = false;

  std::vector<TComponent*> FWatched;  // not owned: the menus and items the objects show
  std::unique_ptr<TvnDibSurface> FSurface;  // the bar as last painted
  TPixelBitmap FBackground;                 // the bar's background under the objects
  TPoint FLastMouse{-1, -1};
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

// Makes TvnSkinMainMenuBar known to window descriptions, after the framework's own classes.
void RegisterMainMenuBarClasses(TClassRegistry& registry);
