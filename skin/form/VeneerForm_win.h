#pragma once
// TvnVeneerForm: the component that takes over its owner form's frame. From construction on,
// every message of the form passes through it: it gives the non-client size, paints the frame
// (from the skin, or its own default look without one), answers hit tests, shapes the window
// with the skin's mask, routes the mouse on the frame to the frame objects and carries out
// the window commands. The geometry, layout, hit test, objects and command rules it uses are
// the portable core beside it; this file is the Win32 side that decodes messages once and
// hands typed values to that core.
#include "framework/Forms_win.h"
#include "framework/Menus.h"
#include "skin/form/FrameAccessible_win.h"
#include "skin/form/FrameMenus.h"
#include "skin/form/FrameObjectList.h"
#include "skin/form/FramePaint.h"
#include "skin/form/FramePainter_win.h"
#include "skin/form/MenuSettings.h"
#include "skin/menus/vnSkinMenuHost.h"
#include "skin/form/VeneerFormCommands.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TvnSkinData;
class TClassRegistry;
class TvnSkinMenu;
class TvnSkinPopupMenu;
class TvnTrayIcon;
class TvnSkinHint;
class TvnSkinMDITabsBar;

// Messages between the frames of a multi-document window and its children.
constexpr unsigned WM_MDICHILDFIT = 1024 + 206;        // to a child: a maximized one fills the client area again
constexpr unsigned WM_MDICHILDMAXIMIZED = 1024 + 207;  // to the main form: a child was maximized
constexpr unsigned WM_MDICHILDRESTORED = 1024 + 208;   // to the main form: a child left the maximized state

// Platform hit code of the frame objects the component handles itself.
constexpr int HTOBJECT_CODE = 19;

class TvnVeneerForm : public TComponent,
                      public TvnFrameObjectHost,
                      public TvnWindowCommands,
                      public TvnSkinMenuHost {
public:
  // The owner must be a form (std::bad_cast otherwise). Takes over its window procedure.
  explicit TvnVeneerForm(TComponent* owner);
  ~TvnVeneerForm() override;

  TForm& OwnerForm() const { return *FForm; }

  // ---- published properties with behaviour ----
  TvnSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TvnSkinData* value);
  TvnSkinData* MenusSkinData() const { return FMenusSkinData; }
  void SetMenusSkinData(TvnSkinData* value);
  TvnBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TvnBorderIcons value);
  bool GetShowIcon() const { return FShowIcon; }
  void SetShowIcon(bool value);
  bool GetHideCaptionButtons() const { return FHideCaptionButtons; }
  void SetHideCaptionButtons(bool value);
  const TFontDesc& DefCaptionFont() const { return FDefCaptionFont; }
  void SetDefCaptionFont(const TFontDesc& value);
  const TFontDesc& DefInActiveCaptionFont() const { return FDefInActiveCaptionFont; }
  void SetDefInActiveCaptionFont(const TFontDesc& value);
  TFontDesc& DefCaptionFontForChange() { return FDefCaptionFont; }
  // Translucency: where layered windows exist, AlphaBlend makes the window layered at
  // AlphaBlendValue (0..255); elsewhere both are kept and have no effect.
  bool GetAlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool value);
  int GetAlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(int value);
  // The picture centred over the client background; setting it repaints the client.
  const TPixelBitmap& LogoBitMap() const { return FLogo; }
  void SetLogoBitMap(const TPixelBitmap& value);
  TFontDesc& DefInActiveCaptionFontForChange() { return FDefInActiveCaptionFont; }
  // The application's own system menu (not owned; cleared when it is freed). With
  // UseDefaultSysMenu the standard items are merged into it whenever it opens.
  TPopupMenu* SystemMenu() const { return FSystemMenu; }
  void SetSystemMenu(TPopupMenu* value);
  // The tray icon the window goes to (not owned; cleared when it is freed). Setting one hides
  // its icon unless AlwaysShowInTray, gives it the frame's tray menu when it has no menu, and
  // makes its double click bring the window back when it has no handler of its own.
  TvnTrayIcon* TrayIcon() const { return FTrayIcon; }
  void SetTrayIcon(TvnTrayIcon* value);
  // The hint component that shows the frame objects' hints while ShowObjectHint is on (not
  // owned; cleared when it is freed).
  TvnSkinHint* SkinHint() const { return FSkinHint; }
  void SetSkinHint(TvnSkinHint* value);

  // ---- published plain settings (read where they are used) ----
  bool UseFormCursorInNCArea = false;
  int ClientWidth = 0;
  int ClientHeight = 0;
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
  bool MaximizeOnFullScreen = false;
  bool Magnetic = false;
  int MagneticSize = 5;
  bool AlwaysMinimizeToTrayValue = false;
  bool AlwaysShowInTray = false;
  bool UseDefaultSysMenu = true;
  bool ShowObjectHint = false;
  bool UseDefaultObjectHint = true;
  bool AlphaBlendAnimation = false;
  bool LogoBitMapTransparent = false;
  // The maximize (or restore) button answers the hit test as the platform's own maximize
  // button, so the platform's snap flyout can open over it (VeneerFormSnap_win.cpp).
  bool SnapLayouts = false;

  // ---- settings of the skinned popup menus, handed to the engine as one whole ----
  const TvnMenuSettings& MenuSettings() const { return FMenuSettings; }
  int MaxMenuItemsInWindow() const { return FMenuSettings.MaxMenuItemsInWindow; }
  void SetMaxMenuItemsInWindow(int value) { FMenuSettings.SetMaxMenuItemsInWindow(value); }  // < 0 ignored
  int DefMenuItemHeight() const { return FMenuSettings.DefMenuItemHeight; }
  void SetDefMenuItemHeight(int value) { FMenuSettings.SetDefMenuItemHeight(value); }  // <= 0 ignored
  const TFontDesc& DefMenuItemFont() const { return FMenuSettings.DefMenuItemFont; }
  void SetDefMenuItemFont(const TFontDesc& value) { FMenuSettings.DefMenuItemFont = value; }
  TFontDesc& DefMenuItemFontForChange() { return FMenuSettings.DefMenuItemFont; }
  bool UseSkinFontInMenu() const { return FMenuSettings.UseSkinFontInMenu; }
  void SetUseSkinFontInMenu(bool value) { FMenuSettings.UseSkinFontInMenu = value; }
  bool MenusAlphaBlend() const { return FMenuSettings.MenusAlphaBlend; }
  void SetMenusAlphaBlend(bool value) { FMenuSettings.MenusAlphaBlend = value; }
  bool MenusAlphaBlendAnimation() const { return FMenuSettings.MenusAlphaBlendAnimation; }
  void SetMenusAlphaBlendAnimation(bool value) { FMenuSettings.MenusAlphaBlendAnimation = value; }
  int MenusAlphaBlendValue() const { return FMenuSettings.MenusAlphaBlendValue; }
  void SetMenusAlphaBlendValue(int value) { FMenuSettings.SetMenusAlphaBlendValue(value); }

  // ---- events ----
  std::function<void(TvnVeneerForm&)> OnChangeSkinData, OnActivate, OnDeActivate,
      OnChangeRollUpState, OnMinimizeToTray, OnRestoreFromTray, OnSkinMenuOpen, OnSkinMenuClose,
      OnMainMenuEnter, OnMainMenuExit;
  std::function<void(const std::string& id, bool& visible)> OnActivateCustomObject;
  std::function<void(const std::string& id, TvnFramePainter&, const TRect&)> OnPaintEvent;
  std::function<void(const std::string& id)> OnMouseEnterEvent, OnMouseLeaveEvent;
  std::function<void(const std::string& id, int x, int y, const TRect&, TvnMouseButton)>
      OnMouseDownEvent, OnMouseUpEvent;
  std::function<void(const std::string& id, int x, int y, const TRect&)> OnMouseMoveEvent;

  // ---- operations ----
  void ApplySkin();
  // Recomputes the geometry (and the layout), sets the region; repaints the frame unless the
  // caller knows the platform is about to repaint it anyway.
  void UpdateFrame(bool layout, bool repaint = true);
  void UpdateButtonsVisibility();
  void UpdateObjectHints();
  void ResetObjectStates() { FObjects.ResetObjectStates(); }
  void UpdateCaptionActivity(bool repaint);
  // The DPI the frame draws at (its form's), a design length at that DPI, and the skin as
  // drawn at it: the skin data itself at 96 DPI, its scaled copy elsewhere (null without one).
  int Dpi() const;
  int Scaled(int designLength) const;
  TvnSkinData* Skin() const;  // none while high contrast is on
  void FollowHighContrast(const TMessage& m);
  TFontDesc ScaledFont(const TFontDesc& font) const;
  int DefaultCaptionHeight() const;
  int DefaultButtonSize() const;
  bool IsSizeable() const;
  int MinTrackWidth() const;
  int MinTrackHeight() const;
  int MaxTrackWidth() const;
  int MaxTrackHeight() const;
  bool SkinSupport() const { return FSkinSupport; }
  const TvnFrameState& FrameState() const override { return FState; }
  TvnFrameObjectList& Objects() { return FObjects; }
  const TvnFrameGeometry& Geometry() const { return FGeometry; }
  // The hit test for a point in window coordinates, as WM_NCHITTEST answers it.
  int HitTest(TPoint p);
  void RepaintFrame();

  // ---- multiple documents ----
  // The first frame component among the components the form owns, or null.
  static TvnVeneerForm* FrameOfForm(TForm* form);
  bool MdiChild() const;
  bool MdiParent() const;
  // A child: maximized inside its parent's client window (no frame of its own, its buttons in
  // the parent's menu bar).
  bool MaximizedMdiChild() const;
  // A parent: one of its children is maximized.
  bool MdiChildMaximized() const { return FMdiChildMaximized; }
  // A parent: the frame of its maximized child (the active one when it is maximized, else the
  // first maximized one in the client window's order), or null.
  TvnVeneerForm* MaximizedMdiChildFrame() const;
  // The tab bar that lists this parent's children (not owned; cleared when it is freed).
  TvnSkinMDITabsBar* MDITabsBar() const { return FMDITabsBar; }
  void SetMDITabsBar(TvnSkinMDITabsBar* value);
  // The suffix of the window-menu entries a parent adds for its children.
  static constexpr const char* kChildItemSuffix = "_VNRCHILDITEM";

  // ---- menus ----
  // The frame's own system menu (shown when no SystemMenu is set) and its tray menu.
  TPopupMenu& OwnSystemMenu() { return *FOwnSystemMenu; }
  TvnSkinPopupMenu& TrayMenu() { return *FTrayMenu; }
  // The engine that shows the frame's popups: the component's own skinned menu engine unless
  // another is set (not owned; none: the frame's menus are built but nothing shows them, and
  // the platform's own system menu never appears either).
  TvnPopupMenuEngine* MenuEngine() const { return FMenuEngine; }
  void SetMenuEngine(TvnPopupMenuEngine* engine) { FMenuEngine = engine; }
  // The component's own engine, with the menu settings handed on.
  TvnSkinMenu* SkinMenuEngine() override;
  // None while high contrast is on: the frame's menus take their plain look with the frame.
  TvnSkinData* HostMenusSkinData() const override {
    return FHighContrast ? nullptr : FMenusSkinData ? FMenusSkinData : FSkinData;
  }
  // Shows the system menu at a screen point (a right click on the caption).
  void ShowSystemMenu(int x, int y);
  // Where Alt+Space opens the system menu: the window's left edge, just under the caption.
  TPoint KeyboardSystemMenuPoint() const;
  // A skinned popup opened from the frame: keys go to it through an application-wide filter
  // until it closes.
  void EnterMenuMode() override;
  void LeaveMenuMode() override;
  void LeaveMainMenuMode();
  bool InPopupMenuMode() const { return FInPopupMode; }
  bool InMainMenuMode() const { return FInMainMenuMode; }

  // ---- TvnFrameObjectHost ----
  bool IsFormActive() const override;
  bool AutoRenderInactive() const override;
  TvnWindowState WindowState() const override { return FState.WindowState; }
  bool RolledUp() const override { return FState.RolledUp; }
  bool ShowIcon() const override { return FShowIcon; }
  bool AlwaysMinimizeToTray() const override { return AlwaysMinimizeToTrayValue; }
  TPoint SmallIconSize() const override;
  void RedrawObject(TvnActiveSkinObject& object) override;
  void StartMorphTimer() override;
  void StartAnimationTimer() override;
  void CloseWindow() override;
  void ChangeWindowState(TvnWindowState state) override;
  void SetRollUp(bool on) override;
  // To the notification area and back, through the tray icon component; without one (this
  // program's window has none) both do nothing.
  void HideToTray() override;
  void ShowFromTray() override;
  // Rebuilt at every call from the current state.
  TMenuItem* GetSystemMenuItems() override;
  void PopupObjectMenu(TvnActiveSkinObject& object, TMenuItem* item, bool upward) override;
  void DrawFormIcon(TvnFramePainter& painter, int x, int y) override;
  std::u16string CaptionText() const override;
  int CaptionCharset() const override;
  void Morph(TPixelBitmap& normal, const TPixelBitmap& active, TvnMorphKind kind,
             double factor) override;
  void ApplyInactiveEffect(TPixelBitmap& bitmap) override;
  int SkinLeftTopX() const override;
  int SkinRightTopX() const override;
  void FirePaintEvent(const std::string& id, TvnFramePainter& painter, const TRect& rect) override;
  void FireMouseEnter(const std::string& id) override;
  void FireMouseLeave(const std::string& id) override;
  void FireMouseDown(const std::string& id, int x, int y, const TRect& rect,
                     TvnMouseButton button) override;
  void FireMouseUp(const std::string& id, int x, int y, const TRect& rect,
                   TvnMouseButton button) override;
  void FireMouseMove(const std::string& id, int x, int y, const TRect& rect) override;

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  void FormWndProc(TMessage& m);
  void Previous(TMessage& m) { FOldWindowProc(m); }
  void RouteNonClientMouse(const TMessage& m);
  // With SnapLayouts: the hit code for p (HTMAXBUTTON over the maximize button, else code), and
  // the non-client mouse messages of that button; true when the message was handled.
  int SnapHitTest(TPoint p, int code) const;
  bool SnapNonClientMouse(TMessage& m);
  HWND Window() const { return FForm->HandleIfAllocated(); }
  void TakeOverFrameStyle();
  TPoint ScreenToWindowPoint(LPARAM lParam) const;
  TPoint ClientToWindowPoint(LPARAM lParam) const;
  void RememberSize();
  TvnSizeLimits SizeLimits() const;
  TvnMonitorAreas MonitorAreas() const;
  // The size limits and the maximized bounds, as the platform's size query takes them.
  void AnswerSizeQuery(MINMAXINFO& info) const;
  TvnFrameSkin FrameSkin() const { return FFrameSkin; }
  TvnHitTestState HitState(std::vector<TRect>& captions) const;
  TRect ClientRectInWindow() const;

  void NonClientSize(TMessage& m);
  void PaintSkinFrame();
  void PaintDefaultFrame();
  void PaintClientBackground(HDC dc);
  void RepaintClient();
  void FadeIn();
  bool LayeredWindows() const;
  void ApplyWindowRegion(bool rebuild, bool redraw = true);
  void Layout();
  // Follows the mouse over the frame objects; the hot object's hint shows and hides with it.
  void TrackActiveObject(TPoint p, bool hover);
  void HideObjectHint();
  TvnMouseCapture Capture();
  void HoverTick();
  void StartTimer(UINT_PTR id, UINT ms);
  void StopHoverTimer();
  void StopTimer(UINT_PTR id);
  void StopAllTimers();
  void SetOwnerBounds(const TRect& bounds);
  void NudgeWidth();
  void CaptionDoubleClick();
  void Moving(RECT& proposed);
  TvnVeneerForm* FrameOf(TForm* form) const { return FrameOfForm(form); }
  // The multi-document half of the message table (VeneerFormMdi_win.cpp).
  TForm* MainForm() const;
  TvnVeneerForm* MainFrame() const;
  TRect MdiClientArea() const;
  void MdiChildShown();
  void MdiChildHidden();
  void MdiChildCaptionChanged();
  void MdiChildActivated();
  void MdiChildDestroyed();
  void MaximizeMdiChild();
  void FitMdiChildren();
  // Where this child parks: the first slot along the bottom of the parent's client window that
  // none of the others holds as a parked caption bar.
  TPoint MdiParkingSlot(const std::vector<TForm*>& others) const;
  // The parent's children that are shown (a hidden one holds no slot).
  std::vector<TForm*> ShownMdiSiblings() const;
  void MdiMessage(TMessage& m);
  void RefreshMdiBars();
  // What the parent's menu bar hears of its children (nothing without a menu bar).
  void MenuBarChildMaximized();
  void MenuBarChildRestored();
  void MenuBarRefresh();
  void SubclassMdiClient();
  void ReleaseMdiClient();
  void MdiClientMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  static LRESULT CALLBACK MdiClientProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  TvnSystemMenuSetup MenuSetup() const;
  void ReleaseTrayIcon();
  const TvnSkinData* MenusSkin() const { return HostMenusSkinData(); }
  // The menus' half of the message table (VeneerFormMenus_win.cpp).
  void MenuClosingCheck(UINT msg);
  void KeyMenuCommand(LPARAM lParam);
  void InstallMenuFilter();
  void RemoveMenuFilter();
  void MenuKeyDown(unsigned key);
  // The button whose menu was open comes up with the menu.
  void ReleaseMenuButton();
  bool AnyMenuMode() const;
  bool PopupVisible() const { return FMenuEngine && FMenuEngine->MenuVisible(); }
  // A popup closed while the menu bar keeps the keyboard: popup mode ends, the bar stays.
  void PopupClosedInMainMenuMode();
  // The menu bar's parts of the keyboard routing. The frame has no menu bar yet: each answers
  // "not taken" or does nothing, and a menu bar fills them in.
  bool MenuBarTakesAccelerator(unsigned key);
  void MenuBarPreviousItem();
  void MenuBarNextItem();
  bool MenuBarOpensSelectedItem();
  void MenuBarPopupClosed();

  TForm* FForm;  // the owner, not owned
  TWndMethod FOldWindowProc;
  TvnSkinData* FSkinData = nullptr;       // not owned
  int FSkinDpi = 96;                      // the DPI the skin was last applied at
  TvnSkinData* FMenusSkinData = nullptr;  // not owned
  TvnBorderIcons FBorderIcons = kDefaultBorderIcons;
  bool FShowIcon = false;
  bool FHideCaptionButtons = false;
  TFontDesc FDefCaptionFont, FDefInActiveCaptionFont;

  TvnFrameObjectList FObjects;
  bool FSkinSupport = false;
  bool FHighContrast = false;  // the system's high contrast was on at the last ApplySkin
  TvnFrameSkin FFrameSkin;
  TvnFrameGeometry FGeometry;
  TvnFramePaintCache FPaintCache;  // the frame's strips between paints
  TRect FDefaultCaption;
  TvnMaskStrips FMaskStrips;
  bool FHasRegion = false;
  int FWidth = 0, FHeight = 0;
  TvnFrameState FState;
  bool FFormActive = false;  // from WM_NCACTIVATE / WM_ACTIVATE
  bool FSizeMove = false;
  bool FFullDrag = false;
  bool FChangingSkinData = false;
  bool FHoverRunning = false, FMorphRunning = false, FAnimationRunning = false;

  std::unique_ptr<TPopupMenu> FOwnSystemMenu;
  std::unique_ptr<TvnSkinPopupMenu> FTrayMenu;
  std::unique_ptr<TvnSkinMenu> FSkinMenu;
  TPopupMenu* FSystemMenu = nullptr;         // not owned
  TvnTrayIcon* FTrayIcon = nullptr;          // not owned
  TvnSkinHint* FSkinHint = nullptr;          // not owned
  bool FTrayDblClickIsOurs = false;          // its OnDblClick calls this frame
  TvnPopupMenuEngine* FMenuEngine = nullptr;  // not owned
  bool FInPopupMode = false;
  bool FInMainMenuMode = false;
  bool FMenuFilterInstalled = false;
  std::function<bool(MSG&)> FSavedMessageHandler;
  TvnMenuSettings FMenuSettings;
  bool FAlphaBlend = false;
  int FAlphaBlendValue = 200;
  TPixelBitmap FLogo;
  TvnOwnedIcon FIcon;  // the window icon at small-icon size, made on first use
  bool FMdiChildMaximized = false;
  TvnSkinMDITabsBar* FMDITabsBar = nullptr;  // not owned
  HWND FMdiClient = nullptr;         // the parent's client window while subclassed
  TvnMdiBackgroundCache FMdiBackground;  // its background between erases
  WNDPROC FOldClientProc = nullptr;  // its procedure before
  bool FMdiListed = false;           // a child: its window-menu entry and tab exist

  // ---- main menu bar ----
  // The skinned bar that shows the form's menus (not owned; cleared when it is freed). With one,
  // Alt and F10 hand it the keyboard, and keys pressed in the window are offered to its menus'
  // shortcuts before anything else sees them (VeneerFormMenus_win.cpp).
public:
  class TvnSkinMainMenuBar* MainMenuBar() const { return FMainMenuBar; }
  void SetMainMenuBar(TvnSkinMainMenuBar* value);
  // The bar's menu-bar mode begins: keys go to the bar and its menus until it ends.
  void EnterMainMenuMode();
  // What a key pressed in the window did: nothing, opened or ran a bar item by its access key
  // (Alt held), or ran a menu item by its shortcut.
  enum class TShortCutTaken { None, BarAccelerator, MenuItem };
  TShortCutTaken RouteShortCut(TShortCut shortCut);

private:
  void MenuBarFreed(TComponent* component);  // called by Notification
  TvnSkinMainMenuBar* FMainMenuBar = nullptr;  // not owned
  bool FEscapeToMenuBar = false;  // an Esc is closing the bar's menu: the bar keeps the keyboard
  // The application-wide filter that offers the window's keys to RouteShortCut, while a bar is set.
  std::shared_ptr<struct TvnShortCutFilterState> FShortCutFilter;
  // What assistive tools are told of the frame; last, so its objects are cut off first.
  TvnFrameAccessibility FAccessibility{*this};
};

// Makes TvnVeneerForm known to window descriptions with its published properties.
void RegisterVeneerFormClasses(TClassRegistry& registry);
