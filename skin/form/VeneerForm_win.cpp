// TvnVeneerForm, Win32 side. Index:
//   construction, destruction, properties ........ TvnVeneerForm(), SetSkinData, ...
//   the message table ............................ FormWndProc, RouteNonClientMouse
//   skin application and frame updates ........... ApplySkin, UpdateFrame, ApplyWindowRegion
//   painting ..................................... PaintSkinFrame, PaintDefaultFrame, RedrawObject
//   window commands .............................. ChangeWindowState, SetRollUp, Moving
//   (menus and menu mode are in VeneerFormMenus_win.cpp, multiple documents in VeneerFormMdi_win.cpp)
//   object host services and registration ........ Morph, Fire..., RegisterVeneerFormClasses
#include "skin/form/VeneerForm_win.h"

#include "framework/Application_win.h"
#include "framework/Bmp.h"
#include "framework/ClassRegistry.h"
#include "framework/CodePage.h"
#include "framework/Dpi_win.h"
#include "framework/GdiCache_win.h"
#include "skin/data/vnSkinData.h"
#include "skin/form/AlphaFade.h"
#include "skin/form/FramePaint.h"
#include "skin/form/MonitorLayout_win.h"
#include "skin/form/VeneerFormSkin.h"
#include "skin/form/vnSkinMDITabsBar_win.h"
#include "skin/form/vnSkinMainMenuBar_win.h"
#include "skin/imaging/vnEffects.h"
#include "skin/imaging/vnHighContrast_win.h"
#include "skin/imaging/vnUtilsCompose.h"
#include "skin/imaging/vnUtilsDraw_win.h"
#include "skin/imaging/vnUtilsRegion.h"
#include "skin/imaging/vnUtilsRegion_win.h"
#include "skin/imaging/vnUtilsSystem_win.h"
#include "skin/controls/vnSkinCtrls_win.h"
#include "skin/controls/vnSkinHint_win.h"
#include "skin/controls/vnTrayIcon_win.h"
#include "skin/menus/vnSkinMenus_win.h"
#include "skin/menus/vnSkinPopupMenu_win.h"

#include <algorithm>
#include <typeinfo>


namespace {

// The component's own window timers (1 is the alpha fade-in).
constexpr UINT_PTR kFadeTimer = 1;
constexpr UINT_PTR kHoverTimer = 0x5601;
constexpr UINT_PTR kMorphTimer = 0x5602;
constexpr UINT_PTR kAnimationTimer = 0x5603;
// Sent by the taskbar for a window's system menu (a right click on its button); the platform's
// default handling would open its own menu.
constexpr UINT kPopupSystemMenu = 0x0313;

static_assert(hcClient == HTCLIENT && hcCaption == HTCAPTION && hcLeft == HTLEFT &&
              hcRight == HTRIGHT && hcTop == HTTOP && hcTopLeft == HTTOPLEFT &&
              hcTopRight == HTTOPRIGHT && hcBottom == HTBOTTOM && hcBottomLeft == HTBOTTOMLEFT &&
              hcBottomRight == HTBOTTOMRIGHT && hcObject == HTOBJECT_CODE,
              "the portable hit codes are the platform's");

TvnSkinPoints SkinPoints(TPoint lt, TPoint rt, TPoint lb, TPoint rb, TRect cl) {
  return {lt, rt, lb, rb, cl};
}

TFontDesc DefaultCaptionFont(TColor colour) {
  TFontDesc f;
  f.Name = "Arial";
  f.Style = fsBold;
  f.Height = 14;
  f.Color = colour;
  return f;
}

}  // namespace

// ---- construction -----------------------------------------------------------------------------

TvnVeneerForm::TvnVeneerForm(TComponent* owner)
    : TComponent(owner),
      FForm(dynamic_cast<TForm*>(owner)),
      FDefCaptionFont(DefaultCaptionFont(clBtnText)),
      FDefInActiveCaptionFont(DefaultCaptionFont(clBtnShadow)) {
  if (FForm == nullptr) throw std::bad_cast();
  // The form's own caption buttons go: the frame draws its own.
  FForm->SetBorderIcons(0);
  FOwnSystemMenu = std::make_unique<TPopupMenu>(nullptr);
  // The tray menu shows through this form's engine whoever opens it (the tray icon).
  FTrayMenu = std::make_unique<TvnSkinPopupMenu>(nullptr);
  FTrayMenu->TargetForm = FForm;
  BuildTrayMenu(FTrayMenu->Items(), MenuSetup(), *this);
  FSkinMenu = std::make_unique<TvnSkinMenu>(nullptr, FForm);
  FMenuEngine = FSkinMenu.get();
  FOldWindowProc = FForm->WindowProc();
  FForm->SetWindowProc([this](TMessage& m) { FormWndProc(m); });
  if (FForm->HandleAllocated()) {
    FForm->RecreateWnd();
    TakeOverFrameStyle();
  }
}

TvnVeneerForm::~TvnVeneerForm() {
  ReleaseTrayIcon();
  // Open menus close first: their items call this frame.
  if (FSkinMenu) FSkinMenu->CloseAll();
  FMenuEngine = nullptr;
  FSkinMenu.reset();
  RemoveMenuFilter();
  // The standard items merged into the application's menu call this frame when clicked.
  if (FSystemMenu) RemoveStandardItems(FSystemMenu->Items());
  StopAllTimers();
  FObjects.Clear();
  ReleaseMdiClient();
  // A child whose frame goes before its window leaves its parent's lists now.
  if (MdiChild() && Window()) MdiChildDestroyed();
  if (HWND window = Window(); window && FHasRegion) {
    // The window owns its region; taking it away makes the window release it.
    ::SetWindowRgn(window, nullptr, FALSE);
  }
  FForm->SetWindowProc(std::move(FOldWindowProc));
}

void TvnVeneerForm::TakeOverFrameStyle() {
  HWND window = Window();
  if (!window) return;
  LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE);
  style &= ~static_cast<LONG_PTR>(WS_CAPTION);
  // A frameless window still needs these for the taskbar button to minimize and restore it
  // and for Alt+F4; without a caption the platform draws nothing for them.
  if (!(style & WS_CHILD)) style |= WS_SYSMENU | WS_MINIMIZEBOX;
  ::SetWindowLongPtrW(window, GWL_STYLE, style);
  ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TvnVeneerForm::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == FSkinData) {
    FSkinData = nullptr;
    FSkinSupport = false;
    FObjects.Clear();
    UpdateStandardCaptions(FTrayMenu->Items(), nullptr);
    // The skin's region and frame geometry go with it: the window takes the default look at
    // once, unless the form itself is going.
    if (!Destroying() && !(Owner() && Owner()->Destroying())) ApplySkin();
  }
  if (component == FSkinHint) FSkinHint = nullptr;
  if (component == FMDITabsBar) FMDITabsBar = nullptr;
  MenuBarFreed(component);
  if (component == FMenusSkinData) FMenusSkinData = nullptr;
  if (component == FSystemMenu) FSystemMenu = nullptr;
  if (component == FTrayIcon) {
    FTrayIcon = nullptr;
    FTrayDblClickIsOurs = false;
  }
}

void TvnVeneerForm::ReleaseTrayIcon() {
  if (!FTrayIcon) return;
  // The icon must not call this frame any more, nor keep a menu that goes with it.
  if (FTrayDblClickIsOurs) FTrayIcon->OnDblClick = nullptr;
  if (FTrayIcon->PopupMenu() == FTrayMenu.get()) FTrayIcon->SetPopupMenu(nullptr);
  RemoveFreeNotification(FTrayIcon);
  FTrayIcon = nullptr;
  FTrayDblClickIsOurs = false;
}

void TvnVeneerForm::SetSkinHint(TvnSkinHint* value) {
  if (FSkinHint == value) return;
  if (FSkinHint) RemoveFreeNotification(FSkinHint);
  FSkinHint = value;
  if (FSkinHint) FreeNotification(FSkinHint);
}

void TvnVeneerForm::TrackActiveObject(TPoint p, bool hover) {
  const int previous = FObjects.ActiveIndex();
  FObjects.TrackActiveObject(p, hover, IsFormActive());
  const int active = FObjects.ActiveIndex();
  if (previous == active || !ShowObjectHint || !FSkinHint) return;
  auto hinted = [](const TvnActiveSkinObject* o) {
    return o != nullptr && o->ObjectEnabled && o->ObjectVisible && !o->ObjectHintText.empty();
  };
  if (hinted(FObjects.At(previous))) FSkinHint->HideHintText();
  if (const TvnActiveSkinObject* now = FObjects.At(active); hinted(now))
    FSkinHint->ShowHintText(std::wstring(now->ObjectHintText.begin(), now->ObjectHintText.end()));
}

void TvnVeneerForm::HideObjectHint() {
  if (ShowObjectHint && FSkinHint) FSkinHint->HideHintText();
}

void TvnVeneerForm::SetTrayIcon(TvnTrayIcon* value) {
  if (FTrayIcon == value) return;
  ReleaseTrayIcon();
  FTrayIcon = value;
  FTrayDblClickIsOurs = false;
  if (ComponentState().Designing) {
    // While the window is designed, the tray button comes and goes with the tray icon.
    TvnBorderIcons icons = FBorderIcons;
    if (FTrayIcon) icons.Include(TvnBorderIcon::biMinimizeToTray);
    else icons.Exclude(TvnBorderIcon::biMinimizeToTray);
    if (!(icons == FBorderIcons)) SetBorderIcons(icons);
  }
  if (!FTrayIcon) return;
  FreeNotification(FTrayIcon);
  if (!AlwaysShowInTray) FTrayIcon->SetIconVisible(false);
  FTrayIcon->MinimizeToTray = false;
  if (ComponentState().Designing) return;
  if (!FTrayIcon->PopupMenu()) FTrayIcon->SetPopupMenu(FTrayMenu.get());
  if (!FTrayIcon->OnDblClick) {
    FTrayIcon->OnDblClick = [this](TComponent*) { ShowFromTray(); };
    FTrayDblClickIsOurs = true;
  }
}

void TvnVeneerForm::HideToTray() {
  if (!FTrayIcon) return;
  // Minimizing the application with this flag set takes it off the taskbar and shows the icon.
  FTrayIcon->MinimizeToTray = true;
  TForm* mainForm = Application && Application->MainForm() ? Application->MainForm() : FForm;
  if (HWND window = mainForm->HandleIfAllocated()) ::ShowWindow(window, SW_MINIMIZE);
  if (OnMinimizeToTray) OnMinimizeToTray(*this);
}

void TvnVeneerForm::ShowFromTray() {
  if (!FTrayIcon) return;
  FTrayIcon->MinimizeToTray = false;
  FTrayIcon->ShowMainWindow();  // shown and restored
  if (!AlwaysShowInTray) FTrayIcon->SetIconVisible(false);
  if (OnRestoreFromTray) OnRestoreFromTray(*this);
}

void TvnVeneerForm::SetSkinData(TvnSkinData* value) {
  if (FSkinData == value) return;
  if (FSkinData) RemoveFreeNotification(FSkinData);
  FSkinData = value;
  if (FSkinData) FreeNotification(FSkinData);
  FTrayMenu->SetSkinData(FSkinData);
  UpdateStandardCaptions(FTrayMenu->Items(), FSkinData);
  if (!ComponentState().Designing) ApplySkin();
}

void TvnVeneerForm::SetSystemMenu(TPopupMenu* value) {
  if (FSystemMenu == value) return;
  if (FSystemMenu) {
    RemoveStandardItems(FSystemMenu->Items());
    RemoveFreeNotification(FSystemMenu);
  }
  FSystemMenu = value;
  if (FSystemMenu) FreeNotification(FSystemMenu);
}

void TvnVeneerForm::SetMenusSkinData(TvnSkinData* value) {
  if (FMenusSkinData) RemoveFreeNotification(FMenusSkinData);
  FMenusSkinData = value;
  if (FMenusSkinData) FreeNotification(FMenusSkinData);
}

void TvnVeneerForm::SetBorderIcons(TvnBorderIcons value) {
  FBorderIcons = value;
  BuildDefaultButtons(FObjects, *this);
  UpdateButtonsVisibility();
}

void TvnVeneerForm::SetShowIcon(bool value) {
  FShowIcon = value;
  FPaintCache.Clear();
  if (!ComponentState().Loading) RepaintFrame();
}

bool TvnVeneerForm::LayeredWindows() const { return IsLayeredWindowSystem(); }

void TvnVeneerForm::SetAlphaBlend(bool value) {
  FAlphaBlend = value;
  HWND window = Window();
  if (!window || ComponentState().Loading || ComponentState().Designing || !LayeredWindows()) return;
  LONG_PTR exStyle = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
  if (value) {
    ::SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    SetLayeredAlpha(window, static_cast<BYTE>(FAlphaBlendValue));
  } else {
    ::SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
  }
}

void TvnVeneerForm::SetAlphaBlendValue(int value) {
  FAlphaBlendValue = std::clamp(value, 0, 255);
  HWND window = Window();
  if (!window || !FAlphaBlend || ComponentState().Loading || ComponentState().Designing || !LayeredWindows())
    return;
  SetLayeredAlpha(window, static_cast<BYTE>(FAlphaBlendValue));
}

void TvnVeneerForm::SetLogoBitMap(const TPixelBitmap& value) {
  FLogo = value;
  if (!ComponentState().Loading) RepaintClient();
}

void TvnVeneerForm::RepaintClient() {
  if (HWND window = Window()) ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The fade-in on show (window timer 1): from opacity 0 up to the target in steps of 5, or
// straight to the target without the animation. An opaque end leaves the window unlayered.
void TvnVeneerForm::FadeIn() {
  HWND window = Window();
  ::KillTimer(window, kFadeTimer);
  if (!LayeredWindows()) return;
  const int target = FadeTarget(FAlphaBlend, AlphaBlendAnimation, FAlphaBlendValue);
  if (AlphaBlendAnimation) {
    // Let the window paint itself before it becomes visible.
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (!::IsWindow(window)) return;
    for (int alpha : FadeSteps(target)) SetLayeredAlpha(window, static_cast<BYTE>(alpha));
  } else if (target != 255) {
    SetLayeredAlpha(window, static_cast<BYTE>(target));
  }
  if (target == 255) {
    const LONG_PTR exStyle = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    ::SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
  }
}

void TvnVeneerForm::SetHideCaptionButtons(bool value) {
  FHideCaptionButtons = value;
  UpdateButtonsVisibility();
}

void TvnVeneerForm::SetDefCaptionFont(const TFontDesc& value) {
  FDefCaptionFont = value;
  if (!FSkinSupport && !ComponentState().Loading) RepaintFrame();
}

void TvnVeneerForm::SetDefInActiveCaptionFont(const TFontDesc& value) {
  FDefInActiveCaptionFont = value;
  if (!FSkinSupport && !ComponentState().Loading) RepaintFrame();
}

// ---- small queries ----------------------------------------------------------------------------

int TvnVeneerForm::Dpi() const { return FForm ? FForm->PixelsPerInch() : kDesignDpi; }

int TvnVeneerForm::Scaled(int designLength) const { return ScaleLength(designLength, Dpi()); }

TvnSkinData* TvnVeneerForm::Skin() const {
  return FSkinData && !FHighContrast ? &FSkinData->AtDpi(Dpi()) : nullptr;
}

void TvnVeneerForm::FollowHighContrast(const TMessage& m) {
  // Switched: the skin steps back, or comes back, on the frame and every skinned control. The
  // answer every control and menu reads is asked of the system again here, where it can change.
  if (RefreshHighContrast() != FHighContrast) {
    ApplySkin();
    vnWalkSkinControls(*FForm, nullptr, [](TvnSkinControl& c) { c.ApplySkinChange(); });
  }
  // Only top-level windows hear of the switch: a multi-document parent tells its children.
  if (MdiParent())
    for (int i = 0; TForm* child = FForm->MDIChildren(i); ++i)
      if (HWND window = child->HandleIfAllocated()) ::SendMessageW(window, m.Msg, m.WParam, m.LParam);
}

TFontDesc TvnVeneerForm::ScaledFont(const TFontDesc& font) const {
  TFontDesc scaled = font;
  scaled.Height = Scaled(font.Height);
  return scaled;
}

int TvnVeneerForm::DefaultCaptionHeight() const {
  const TFormBorderStyle b = FForm->BorderStyle();
  return Scaled(b == TFormBorderStyle::bsToolWindow || b == TFormBorderStyle::bsSizeToolWin ? 15 : 19);
}

int TvnVeneerForm::DefaultButtonSize() const {
  const TFormBorderStyle b = FForm->BorderStyle();
  return Scaled(b == TFormBorderStyle::bsToolWindow || b == TFormBorderStyle::bsSizeToolWin ? 13 : 17);
}

bool TvnVeneerForm::IsSizeable() const {
  const TFormBorderStyle b = FForm->BorderStyle();
  return b == TFormBorderStyle::bsSizeable || b == TFormBorderStyle::bsSizeToolWin;
}

bool TvnVeneerForm::IsFormActive() const {
  // Kept from the activation messages: while the platform tells the window it is losing the
  // activation, the active window is still this one, so asking the platform would paint the
  // look the window is leaving.
  return FFormActive && Window() != nullptr;
}

bool TvnVeneerForm::AutoRenderInactive() const {
  return FSkinData != nullptr && !FSkinData->SkinEmpty && FSkinData->AutoRenderingInActiveImage;
}

TPoint TvnVeneerForm::SmallIconSize() const {
  int cx = ::GetSystemMetrics(SM_CXSMICON), cy = ::GetSystemMetrics(SM_CYSMICON);
  if (cx == 0) cx = ::GetSystemMetrics(SM_CXSIZE);
  if (cy == 0) cy = ::GetSystemMetrics(SM_CYSIZE);
  return {cx, cy};
}

TvnSizeLimits TvnVeneerForm::SizeLimits() const {
  TvnSizeLimits l;
  l.SkinSupport = FSkinSupport;
  if (FSkinSupport) {
    l.PictureWidth = FFrameSkin.PictureWidth;
    l.PictureHeight = FFrameSkin.PictureHeight;
    l.ClientRectHeight = FFrameSkin.ClientRect.Height();
  }
  l.DefaultCaptionHeight = DefaultCaptionHeight();
  l.MinWidth = Scaled(MinWidth);
  l.MinHeight = Scaled(MinHeight);
  l.MaxWidth = Scaled(MaxWidth);
  l.MaxHeight = Scaled(MaxHeight);
  l.MaximizeOnFullScreen = MaximizeOnFullScreen;
  return l;
}

int TvnVeneerForm::MinTrackWidth() const {
  return ::MinTrackWidth(SizeLimits(), FState.WindowState == wsMinimized);
}
int TvnVeneerForm::MinTrackHeight() const {
  return ::MinTrackHeight(SizeLimits(), FState.RolledUp, FState.WindowState == wsMinimized);
}
int TvnVeneerForm::MaxTrackWidth() const { return ::MaxTrackWidth(SizeLimits(), MonitorAreas()); }
int TvnVeneerForm::MaxTrackHeight() const { return ::MaxTrackHeight(SizeLimits(), MonitorAreas()); }

TvnMonitorAreas TvnVeneerForm::MonitorAreas() const { return WindowMonitorAreas(Window()); }

void TvnVeneerForm::AnswerSizeQuery(MINMAXINFO& info) const {
  const TvnMonitorAreas monitor = MonitorAreas();
  const TvnSizeLimits limits = SizeLimits();
  info.ptMinTrackSize = {MinTrackWidth(), MinTrackHeight()};
  info.ptMaxTrackSize = {::MaxTrackWidth(limits, monitor), ::MaxTrackHeight(limits, monitor)};
  // A child is maximized into its parent's client window, which places it itself.
  if (MdiChild()) return;
  // Maximized by the platform (not by the frame's own commands), the window lands where the
  // frame would put it, on its own monitor.
  const TvnMaximizedPlacement max = MaximizedPlacement(monitor, MaximizeOnFullScreen);
  info.ptMaxPosition = {max.Position.X, max.Position.Y};
  info.ptMaxSize = {max.Size.X, max.Size.Y};
}

TPoint TvnVeneerForm::ClientToWindowPoint(LPARAM lParam) const {
  // Signed: with the capture held, a point left of or above the client area is negative.
  POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  ::ClientToScreen(Window(), &p);
  RECT r{};
  ::GetWindowRect(Window(), &r);
  return {p.x - r.left, p.y - r.top};
}

TPoint TvnVeneerForm::ScreenToWindowPoint(LPARAM lParam) const {
  // Signed: a monitor left of or above the primary one gives negative coordinates.
  const int x = static_cast<short>(LOWORD(lParam));
  const int y = static_cast<short>(HIWORD(lParam));
  RECT r{};
  ::GetWindowRect(Window(), &r);
  return {x - r.left, y - r.top};
}

void TvnVeneerForm::RememberSize() {
  RECT r{};
  if (Window() && ::GetWindowRect(Window(), &r)) {
    FWidth = r.right - r.left;
    FHeight = r.bottom - r.top;
  }
}

TRect TvnVeneerForm::ClientRectInWindow() const {
  if (FSkinSupport) return FGeometry.Client;
  return Rect(3, DefaultCaptionHeight() + 3, FWidth - 3, FHeight - 3);
}

void TvnVeneerForm::RepaintFrame() {
  if (HWND window = Window()) ::SendMessageW(window, WM_NCPAINT, 0, 0);
}

// ---- timers -----------------------------------------------------------------------------------

void TvnVeneerForm::StartTimer(UINT_PTR id, UINT ms) {
  HWND window = Window();
  if (!window) return;
  bool& running = id == kHoverTimer ? FHoverRunning : id == kMorphTimer ? FMorphRunning : FAnimationRunning;
  if (running) return;
  running = ::SetTimer(window, id, ms, nullptr) != 0;
}

void TvnVeneerForm::StopTimer(UINT_PTR id) {
  bool& running = id == kHoverTimer ? FHoverRunning : id == kMorphTimer ? FMorphRunning : FAnimationRunning;
  if (running && Window()) ::KillTimer(Window(), id);
  running = false;
}

void TvnVeneerForm::StopAllTimers() {
  StopTimer(kHoverTimer);
  StopTimer(kMorphTimer);
  StopTimer(kAnimationTimer);
}

void TvnVeneerForm::StartMorphTimer() { StartTimer(kMorphTimer, 20); }
void TvnVeneerForm::StopHoverTimer() { StopTimer(kHoverTimer); }
void TvnVeneerForm::StartAnimationTimer() { StartTimer(kAnimationTimer, 25); }

void TvnVeneerForm::HoverTick() {
  if (!IsFormActive()) return;
  if (FSizeMove) {
    StopTimer(kHoverTimer);
    return;
  }
  POINT cursor{};
  ::GetCursorPos(&cursor);
  RECT r{};
  ::GetWindowRect(Window(), &r);
  const TPoint p{cursor.x - r.left, cursor.y - r.top};
  if (!ClientRectInWindow().Contains(p)) TrackActiveObject(p, true);
  else if (FObjects.ActiveIndex() >= 0) TrackActiveObject({-1, -1}, true);
}

TvnMouseCapture TvnVeneerForm::Capture() {
  return {[this] { ::SetCapture(Window()); }, [] { ::ReleaseCapture(); }};
}

// ---- the message table ------------------------------------------------------------------------

void TvnVeneerForm::FormWndProc(TMessage& m) {
  // Every exception stops here: none may cross the window procedure.
  try {
    MenuClosingCheck(m.Msg);
    if (FAccessibility.Message(m)) return;  // assistive tools asking about the frame
    if (SnapLayouts && SnapNonClientMouse(m)) return;
    if (HighContrastMayHaveChanged(m.Msg, m.WParam)) FollowHighContrast(m);
    switch (m.Msg) {
      case WM_CREATE:
        Previous(m);
        TakeOverFrameStyle();
        RememberSize();
        // The form came up at another DPI than the skin was applied at before it had a window.
        if (FSkinSupport && FSkinDpi != Dpi()) ApplySkin();
        return;
      case WM_DPICHANGED:
        // The form scales itself and takes the suggested rectangle; the skin follows.
        Previous(m);
        if (FSkinData != nullptr && FSkinDpi != Dpi()) ApplySkin();
        return;
      case WM_DESTROY:
        StopAllTimers();
        if (MdiChild()) MdiChildDestroyed();
        Previous(m);
        return;
      case WM_SIZE:
        Previous(m);
        if (m.WParam == SIZE_MINIMIZED) return;
        RememberSize();
        // The platform repaints the frame of a window whose size changed; painting it here as
        // well would paint every size twice. The new region is set without a repaint of its own.
        if (FSkinSupport && FWidth >= MinTrackWidth() && FHeight >= MinTrackHeight())
          UpdateFrame(true, false);
        if (FAlphaBlend && FAlphaBlendValue != 255 && LayeredWindows()) {
          RepaintFrame();
          RepaintClient();
        }
        // The logo stays centred: the whole client is painted again.
        if (!FLogo.IsEmpty()) RepaintClient();
        return;
      case WM_ACTIVATE:
        FFormActive = LOWORD(m.WParam) != WA_INACTIVE;
        Previous(m);
        RepaintFrame();
        if (MaximizedMdiChild()) {
          UpdateCaptionActivity(false);
        } else {
          ResetObjectStates();
          UpdateCaptionActivity(true);
        }
        if (MdiParent()) MenuBarRefresh();
        return;
      case WM_SETTEXT:
        Previous(m);
        if (FForm->BorderStyle() != TFormBorderStyle::bsNone && !MaximizedMdiChild()) RepaintFrame();
        if (MdiChild()) MdiChildCaptionChanged();
        return;
      case WM_SETICON:
      case WM_SYSCOLORCHANGE:
        // A kept inactive frame shows the old icon or colours: paint it anew.
        FPaintCache.Clear();
        Previous(m);
        RepaintFrame();
        return;
      case WM_SHOWWINDOW:
        if (HWND window = Window(); window && LayeredWindows()) {
          const LONG_PTR exStyle = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
          if (m.WParam == 0) {
            if (FAlphaBlend || AlphaBlendAnimation)
              ::SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
          } else if (FadesInOnShow(FAlphaBlend, AlphaBlendAnimation, true)) {
            ::SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
            SetLayeredAlpha(window, 0);
            ::SetTimer(window, kFadeTimer, 1, nullptr);
          }
        }
        if (MdiChild()) {
          if (m.WParam != 0) MdiChildShown();
          else MdiChildHidden();
        }
        if (MdiParent() && m.WParam != 0 && !FMdiClient) SubclassMdiClient();
        if (HWND window = Window(); window && m.WParam != 0) {
          // A size change on showing lays the frame out for the size the window opens with.
          NudgeWidth();
          // Only a skinned menu bar may show a menu on this frame; the platform's own menu bar
          // (owned by whoever set it) is taken off, not destroyed.
          if (::GetMenu(window)) ::SetMenu(window, nullptr);
        }
        Previous(m);
        return;
      case WM_ERASEBKGND:
        if (MdiParent()) {
          Previous(m);  // the client window paints the children's background
          return;
        }
        PaintClientBackground(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return;
      case WM_MOUSEACTIVATE:
        if (MdiChild() && !FFormActive && MainForm() && MainForm()->ActiveMDIChild() == FForm) {
          FFormActive = true;
          UpdateCaptionActivity(true);
        }
        Previous(m);
        return;
      case WM_SETCURSOR:
        if (UseFormCursorInNCArea) {
          const WORD code = LOWORD(m.LParam);
          if (code != HTCLIENT && (code < HTLEFT || code > HTBOTTOMRIGHT))
            m.LParam = MAKELPARAM(HTCLIENT, HIWORD(m.LParam));
        }
        Previous(m);
        return;
      case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
        AnswerSizeQuery(*info);
        Previous(m);
        AnswerSizeQuery(*info);  // the previous procedure must not undo the answer
        return;
      }
      case WM_NCCALCSIZE:
        NonClientSize(m);
        return;
      case WM_NCHITTEST: {
        if (MaximizedMdiChild()) {
          m.Result = HTCLIENT;  // no frame: the parent's menu bar holds its buttons
          return;
        }
        RememberSize();
        const TPoint p = ScreenToWindowPoint(m.LParam);
        const int code = HitTest(p);
        m.Result = SnapLayouts ? SnapHitTest(p, code) : code;
        if (!FHoverRunning && code == HTOBJECT_CODE) {
          TrackActiveObject(p, true);
          StartTimer(kHoverTimer, 50);
        }
        return;
      }
      case WM_NCPAINT:
        if (FForm->BorderStyle() != TFormBorderStyle::bsNone && !MaximizedMdiChild()) {
          if (FSkinSupport) PaintSkinFrame();
          else PaintDefaultFrame();
        }
        m.Result = 0;
        return;
      case WM_NCACTIVATE:
        FFormActive = m.WParam != 0;
        // The platform must not paint its own frame: answer without the default handling.
        // The windows of a multi-document set need it, though: it moves the activation
        // between the children.
        if (MdiParent() || MdiChild()) Previous(m);
        else m.Result = TRUE;
        if (MdiChild()) MdiChildActivated();
        if (MaximizedMdiChild()) {
          UpdateCaptionActivity(false);
        } else if (FForm->BorderStyle() != TFormBorderStyle::bsNone) {
          // The activation changes before this message returns; paint the look it is becoming.
          RepaintFrame();
          UpdateCaptionActivity(true);
        } else {
          // No frame to paint, but the caption objects still follow the activation and
          // OnActivate / OnDeActivate still fire.
          UpdateCaptionActivity(false);
        }
        return;
      case WM_SYNCPAINT:
        if (FState.RolledUp) {
          RepaintFrame();
          m.Result = 0;
          return;
        }
        Previous(m);
        return;
      case WM_SYSCOMMAND:
        switch (m.WParam & 0xFFF0) {
          case SC_KEYMENU:
            KeyMenuCommand(m.LParam);
            m.Result = 0;
            return;
          case SC_MOUSEMENU:
            m.Result = 0;  // the platform's own system menu never opens over this frame
            return;
          default: break;
        }
        Previous(m);
        return;
      case WM_CONTEXTMENU:
        // A right click on the frame opened the skinned system menu on the press already.
        // (A menu asked for from the keyboard has no point: -1, -1.)
        if (reinterpret_cast<HWND>(m.WParam) == Window() &&
            !(LOWORD(m.LParam) == 0xFFFF && HIWORD(m.LParam) == 0xFFFF) &&
            HitTest(ScreenToWindowPoint(m.LParam)) != HTCLIENT) {
          m.Result = 0;
          return;
        }
        Previous(m);
        return;
      case kPopupSystemMenu:
        // The taskbar asks for the window's menu at a screen point: the skinned one.
        ShowSystemMenu(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
        m.Result = 0;
        return;
      case WM_NCRBUTTONDOWN:
        // On the caption the previous procedure would hold the mouse until the release only to
        // open the platform's system menu; the skinned one opens at once instead.
        if (m.WParam != HTCAPTION) Previous(m);
        RouteNonClientMouse(m);
        return;
      case WM_SKINMENUCLOSED:
        LeaveMenuMode();
        Previous(m);
        return;
      case WM_TIMER:
        switch (m.WParam) {
          case kHoverTimer: HoverTick(); return;
          case kMorphTimer:
            if (!FObjects.MorphTick()) StopTimer(kMorphTimer);
            return;
          case kAnimationTimer:
            if (!FObjects.AnimationTick()) StopTimer(kAnimationTimer);
            return;
          case kFadeTimer: FadeIn(); break;
          default: break;
        }
        Previous(m);
        return;
      case WM_SIZING:
        if (FSizeMove && FFullDrag) {
          Previous(m);
          const RECT& r = *reinterpret_cast<RECT*>(m.LParam);
          FWidth = r.right - r.left;
          FHeight = r.bottom - r.top;
          if (FSkinSupport && FWidth >= MinTrackWidth() && FHeight >= MinTrackHeight()) UpdateFrame(true);
          m.Result = TRUE;
          return;
        }
        Previous(m);
        return;
      case WM_MOVING:
        Moving(*reinterpret_cast<RECT*>(m.LParam));
        Previous(m);
        return;
      case WM_ENTERSIZEMOVE: {
        ResetObjectStates();
        StopTimer(kHoverTimer);
        FObjects.ResetIndices();
        FSizeMove = true;
        BOOL full = FALSE;
        ::SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
        FFullDrag = full != FALSE;
        Previous(m);
        return;
      }
      case WM_EXITSIZEMOVE:
        StopTimer(kHoverTimer);
        FObjects.ResetIndices();
        if (FSkinData && !FSkinData->SkinEmpty) RepaintFrame();
        Previous(m);
        return;
      case WM_SKINCHANGING:
        if (FSkinData && m.WParam == reinterpret_cast<WPARAM>(FSkinData)) {
          FSkinSupport = false;
          StopAllTimers();
          FObjects.Clear();
        }
        // The form's skinned controls let go of the descriptions the load is about to free.
        vnWalkSkinControls(*FForm, reinterpret_cast<const TvnSkinData*>(m.WParam),
                           [](TvnSkinControl& c) { c.ReleaseSkin(); });
        Previous(m);
        return;
      case WM_SKINCHANGED:
        if (FSkinData && m.WParam == reinterpret_cast<WPARAM>(FSkinData)) ApplySkin();
        vnWalkSkinControls(*FForm, reinterpret_cast<const TvnSkinData*>(m.WParam),
                           [](TvnSkinControl& c) { c.ApplySkinChange(); });
        Previous(m);
        return;
      case WM_SKINCHANGEDAFTER:
        if (FSkinData && m.WParam == reinterpret_cast<WPARAM>(FSkinData) && MdiParent()) FitMdiChildren();
        Previous(m);
        return;
      case WM_MDICHILDFIT:
      case WM_MDICHILDMAXIMIZED:
      case WM_MDICHILDRESTORED:
        MdiMessage(m);
        return;
      case WM_SKINSTRINGSCHANGED:
        UpdateObjectHints();
        UpdateStandardCaptions(FTrayMenu->Items(), FSkinData);
        RepaintFrame();  // the caption font takes the strings' character set
        Previous(m);
        return;
      default:
        Previous(m);
        RouteNonClientMouse(m);
        return;
    }
  } catch (const std::exception& e) {
    if (Application) Application->ShowException(e.what());
  } catch (...) {
    if (Application) Application->ShowException("unknown error in the skinned frame");
  }
}

void TvnVeneerForm::RouteNonClientMouse(const TMessage& m) {
  const TvnMouseCapture capture = Capture();
  switch (m.Msg) {
    case WM_NCMOUSEMOVE:
      FObjects.MouseMove(ScreenToWindowPoint(m.LParam));
      break;
    case WM_NCLBUTTONDOWN: {
      // A press that became a move or size loop inside the previous procedure reaches no object.
      if (FSizeMove) {
        FSizeMove = false;
        break;
      }
      const TPoint p = ScreenToWindowPoint(m.LParam);
      TrackActiveObject(p, true);
      FObjects.MouseDown(p, TvnMouseButton::Left, capture);
      if (m.WParam == HTCAPTION) FObjects.ClearCaptured();
      break;
    }
    case WM_NCLBUTTONUP: {
      const TPoint p = ScreenToWindowPoint(m.LParam);
      FObjects.Release(p, p, TvnMouseButton::Left, capture);
      break;
    }
    case WM_NCLBUTTONDBLCLK: {
      const TPoint p = ScreenToWindowPoint(m.LParam);
      TrackActiveObject(p, true);
      FObjects.MouseDown(p, TvnMouseButton::Left, capture);
      FObjects.DblClick();
      // The second press of a double-click on a button is a press like the first: the button
      // keeps the mouse until the release, which clicks it and gives the capture back.
      // Forgetting it here would leave the window holding the mouse and lose the click.
      if (m.WParam == HTCAPTION) {
        CaptionDoubleClick();
        FObjects.ClearCaptured();
      }
      break;
    }
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK: {
      const TPoint p = ScreenToWindowPoint(m.LParam);
      TrackActiveObject(p, true);
      FObjects.MouseDown(p, TvnMouseButton::Right, capture);
      if (m.WParam == HTCAPTION) {
        FObjects.ClearCaptured();
        if (m.Msg == WM_NCRBUTTONDOWN) {
          POINT cursor{};
          ::GetCursorPos(&cursor);
          ShowSystemMenu(cursor.x, cursor.y);
        }
      }
      break;
    }
    case WM_NCRBUTTONUP: {
      const TPoint p = ScreenToWindowPoint(m.LParam);
      FObjects.Release(p, p, TvnMouseButton::Right, capture);
      break;
    }
    // These arrive while the window holds the capture after a press on a frame object. The
    // object gets (-1, -1), but whether the mouse is still on it is read at the release point:
    // the hover timer may not have seen it leave yet.
    case WM_LBUTTONUP:
      FObjects.Release(ClientToWindowPoint(m.LParam), {-1, -1}, TvnMouseButton::Left, capture);
      break;
    case WM_RBUTTONUP:
      FObjects.Release(ClientToWindowPoint(m.LParam), {-1, -1}, TvnMouseButton::Right, capture);
      break;
    case WM_MOUSEMOVE:
      // A held button follows the mouse at once (its pressed look goes and comes back) instead
      // of at the next hover tick.
      if (FObjects.CapturedIndex() >= 0) TrackActiveObject(ClientToWindowPoint(m.LParam), true);
      break;
    default: break;
  }
}

void TvnVeneerForm::NonClientSize(TMessage& m) {
  m.Result = 0;
  if (FForm->BorderStyle() == TFormBorderStyle::bsNone || MaximizedMdiChild()) return;
  RECT* r = m.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam)->rgrc[0]
                     : reinterpret_cast<RECT*>(m.LParam);
  const TRect proposed = Rect(r->left, r->top, r->right, r->bottom);
  TRect client;
  if (FSkinSupport) {
    FGeometry = CalcFrameGeometry(FFrameSkin, proposed.Width(), proposed.Height());
    client = SkinClientRect(FFrameSkin, proposed);
  } else {
    client = DefaultClientRect(DefaultCaptionHeight(), proposed);
  }
  *r = {client.Left, client.Top, client.Right, client.Bottom};
}

TvnHitTestState TvnVeneerForm::HitState(std::vector<TRect>& captions) const {
  TvnHitTestState s;
  s.RolledUp = FState.RolledUp;
  s.Minimized = FState.WindowState == wsMinimized;
  s.Maximized = FState.WindowState == wsMaximized;
  s.Sizeable = IsSizeable();
  s.SizeMoveLoop = FSizeMove;
  s.HasActiveObject = FObjects.ActiveIndex() >= 0;
  captions = FObjects.CaptionRects();
  s.CaptionRects = captions;
  s.Mask = FHasRegion ? &FMaskStrips : nullptr;
  return s;
}

int TvnVeneerForm::HitTest(TPoint p) {
  std::vector<TRect> captions;
  if (FSkinSupport) {
    FGeometry = CalcFrameGeometry(FFrameSkin, FWidth, FHeight);
    const TvnHitTestState s = HitState(captions);
    return SkinHitTest(FFrameSkin, FGeometry, s, p);
  }
  FDefaultCaption = FObjects.LayoutDefaultButtons(FWidth, DefaultCaptionHeight(), DefaultButtonSize(),
                                                  FShowIcon, SmallIconSize());
  const TvnHitTestState s = HitState(captions);
  return DefaultHitTest(FWidth, FHeight, DefaultCaptionHeight(), FDefaultCaption, s, p);
}

// ---- skin application -------------------------------------------------------------------------

void TvnVeneerForm::ApplySkin() {
  FPaintCache.Clear();  // the kept frame belongs to the skin this replaces
  FObjects.ResetIndices();
  // A user who asked for high contrast gets the plain look in the system colours.
  FHighContrast = HighContrastOn();
  FSkinSupport = FSkinData != nullptr && !FSkinData->SkinEmpty && !FHighContrast;
  if (FSkinSupport) {
    FSkinDpi = Dpi();
    TvnSkinData& skin = *Skin();
    FFrameSkin = FrameSkinOf(skin);
    BuildSkinObjects(FObjects, *this, skin.ObjectDescriptions, ObjectPicturesOf(skin));
    UpdateButtonsVisibility();
  } else {
    FObjects.Clear();
    ApplyWindowRegion(true);
  }
  HWND window = Window();
  if (!window) return;  // the rest follows when the window is made (WM_CREATE)

  FChangingSkinData = true;
  RememberSize();
  const int minW = MinTrackWidth(), minH = MinTrackHeight();
  RECT r{};
  ::GetWindowRect(window, &r);
  if (FWidth < minW && FHeight < minH) SetOwnerBounds(Bounds(r.left, r.top, minW, minH));
  else if (FHeight < minH) SetOwnerBounds(Bounds(r.left, r.top, FWidth, minH));
  else if (FWidth < minW) SetOwnerBounds(Bounds(r.left, r.top, minW, FHeight));
  else NudgeWidth();
  // A rolled-up or minimized window is its frame alone, as this skin draws it: a rolled-up one
  // keeps its width, a minimized one (a caption bar parked at the bottom) narrows with the skin.
  if (FState.RolledUp || FState.WindowState == wsMinimized) {
    if (FHeight != MinTrackHeight()) SetOwnerBounds(Bounds(r.left, r.top, FWidth, MinTrackHeight()));
  }
  if (FState.WindowState == wsMinimized && FWidth != MinTrackWidth())
    SetOwnerBounds(Bounds(r.left, r.top, MinTrackWidth(), FHeight));
  RememberSize();
  if (FSkinSupport) UpdateFrame(true);
  if (MdiParent() && FForm->ClientHandle()) {
    ::RedrawWindow(FForm->ClientHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    FitMdiChildren();
    RepaintFrame();
  } else {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  UpdateCaptionActivity(!MaximizedMdiChild());
  StartTimer(kHoverTimer, 50);
  if (OnChangeSkinData) OnChangeSkinData(*this);
  FChangingSkinData = false;
  if (ClientWidth > 0) FForm->SetClientWidth(Scaled(ClientWidth));
  if (ClientHeight > 0) FForm->SetClientHeight(Scaled(ClientHeight));
}

void TvnVeneerForm::Layout() {
  FGeometry = CalcFrameGeometry(FFrameSkin, FWidth, FHeight);
  FObjects.LayoutObjects(FFrameSkin, FGeometry, FShowIcon, SmallIconSize());
}

void TvnVeneerForm::UpdateFrame(bool layout, bool repaint) {
  if (ComponentState().Designing || !FSkinSupport) return;
  FGeometry = CalcFrameGeometry(FFrameSkin, FWidth, FHeight);
  if (layout) FObjects.LayoutObjects(FFrameSkin, FGeometry, FShowIcon, SmallIconSize());
  ApplyWindowRegion(layout, repaint);
  if (!FHasRegion && repaint) RepaintFrame();  // setting a region repaints by itself
}

void TvnVeneerForm::ApplyWindowRegion(bool rebuild, bool redraw) {
  HWND window = Window();
  if (!window) return;
  const TvnSkinData* skin = Skin();
  const bool hasMask = skin != nullptr && !skin->SkinEmpty && !skin->Mask.IsEmpty();
  if (FForm->BorderStyle() == TFormBorderStyle::bsNone || !FSkinSupport || !hasMask || MaximizedMdiChild()) {
    if (FHasRegion) {
      ::SetWindowRgn(window, nullptr, redraw ? TRUE : FALSE);  // the window releases the region it held
      FHasRegion = false;
    }
    FMaskStrips = TvnMaskStrips{};
    return;
  }
  if (!rebuild && FHasRegion) return;
  const TvnSkinPoints source = SkinPoints(FFrameSkin.LeftTopPoint, FFrameSkin.RightTopPoint,
                                          FFrameSkin.LeftBottomPoint, FFrameSkin.RightBottomPoint,
                                          FFrameSkin.MaskRectArea);
  const TvnSkinPoints target = SkinPoints(FGeometry.LeftTop, FGeometry.RightTop,
                                          FGeometry.LeftBottom, FGeometry.RightBottom,
                                          FGeometry.MaskArea);
  ComposeMaskStrips(source, target, ViewOf(Skin()->Mask), FMaskStrips.Top, FMaskStrips.Left,
                    FMaskStrips.Right, FMaskStrips.Bottom, FWidth, FHeight);
  const TRect area = FGeometry.MaskArea;
  TvnOwnedRegion region = TvnCounted<TvnOwnedRegion>(
      ::CreateRectRgn(area.Left, area.Top, std::max(area.Left, area.Right), std::max(area.Top, area.Bottom)));
  if (!region) return;
  const TvnMaskStripOrigins at = MaskStripOrigins(area);
  const struct {
    const TPixelBitmap& Strip;
    TPoint Origin;
  } strips[] = {{FMaskStrips.Top, at.Top},
                {FMaskStrips.Bottom, at.Bottom},
                {FMaskStrips.Left, at.Left},
                {FMaskStrips.Right, at.Right}};
  for (const auto& s : strips) {
    if (s.Strip.IsEmpty()) continue;
    const TvnRegionData data = BuildRegionData(ViewOf(s.Strip), s.Origin.X, s.Origin.Y);
    TvnOwnedRegion piece = RegionFromData(data);
    if (piece) ::CombineRgn(region.Get(), region.Get(), piece.Get(), RGN_OR);
  }  // each strip region is deleted here, once united
  // The outline the window already has (a size message that changed no size, as on showing):
  // handing it over again would only make the platform remake the window's shape and redraw
  // it whole. The frame is repainted instead, as after any update that sets no region.
  if (FHasRegion && WindowRegionEquals(window, region.Get())) {
    if (redraw) RepaintFrame();
    return;
  }
  GiveRegionToWindow(window, std::move(region), redraw);
  FHasRegion = true;
}

void TvnVeneerForm::UpdateButtonsVisibility() {
  if (FObjects.Count() == 0) return;
  FObjects.UpdateButtonsVisibility(FBorderIcons, FHideCaptionButtons, OnActivateCustomObject);
  UpdateObjectHints();
}

void TvnVeneerForm::UpdateObjectHints() {
  if (!UseDefaultObjectHint || FSkinData == nullptr) return;
  ApplyDefaultHints(FObjects, FSkinData);
}

void TvnVeneerForm::UpdateCaptionActivity(bool repaint) {
  const bool active = IsFormActive();
  if (TvnSkinCaptionObject* caption = FObjects.UpdateCaptionActivity(active, repaint)) {
    if (repaint) {
      RepaintFrame();
      if (caption->MorphEnabled) StartMorphTimer();
    }
  }
  if (active) {
    if (OnActivate) OnActivate(*this);
  } else if (OnDeActivate) {
    OnDeActivate(*this);
  }
}

// ---- painting ---------------------------------------------------------------------------------

void TvnVeneerForm::PaintSkinFrame() {
  HWND window = Window();
  if (!window || ::IsIconic(window)) return;
  if (FWidth == 0 || FHeight == 0) RememberSize();
  const int w = FWidth, h = FHeight;
  if (w < MinTrackWidth() || h < MinTrackHeight()) return;
  TvnFrameLook look;
  look.Width = w;
  look.Height = h;
  look.Active = IsFormActive();
  look.RenderInactive = AutoRenderInactive();
  look.ShowIcon = FShowIcon;
  look.SmallIconSize = SmallIconSize();
  const TvnFrameStrips& strips = FPaintCache.Compose(*Skin(), FFrameSkin, FObjects, look,
                                                     [](TPixelBitmap& strip, TPoint origin) {
                                                       return std::make_unique<TvnBitmapPainter>(strip, origin);
                                                     },
                                                     FGeometry);
  const TRect client = FGeometry.Client;
  TvnWindowDC dc(window);
  if (!dc.Get()) return;
  if (client.Top < client.Bottom)
    ::ExcludeClipRect(dc.Get(), client.Left, client.Top, client.Right, client.Bottom);
  const int top = strips.Top.Height();
  PaintPixels(dc.Get(), 0, 0, ViewOf(strips.Top));
  PaintPixels(dc.Get(), 0, top, ViewOf(strips.Left));
  PaintPixels(dc.Get(), w - strips.Right.Width(), top, ViewOf(strips.Right));
  PaintPixels(dc.Get(), 0, h - strips.Bottom.Height(), ViewOf(strips.Bottom));
}

void TvnVeneerForm::PaintDefaultFrame() {
  HWND window = Window();
  if (!window || ::IsIconic(window)) return;
  RememberSize();
  const int w = FWidth, h = FHeight, hc = DefaultCaptionHeight();
  if (FObjects.Count() == 0) {
    BuildDefaultButtons(FObjects, *this);
    UpdateButtonsVisibility();
  }
  FDefaultCaption = FObjects.LayoutDefaultButtons(w, hc, DefaultButtonSize(), FShowIcon, SmallIconSize());
  TvnDibSurface caption(w - 6, hc);
  {
    TvnDibPainter p(caption, {3, 3});  // objects and the caption rectangle are in window coordinates
    p.FillRect(Rect(3, 3, w - 3, hc + 3), clBtnFace);
    if (hc - 4 > 1) {
      for (int row = 2; row <= hc - 4; ++row) {
        const TColor colour = (row - 2) % 2 == 0 ? clBtnHighlight : clBtnShadow;
        p.FillRect(Rect(FDefaultCaption.Left - 1 + 3, row + 3, FDefaultCaption.Right - 6 + 1 + 3, row + 4), colour);
      }
    }
    const bool active = IsFormActive();
    p.SetFont(DefaultCaptionTextFont(ScaledFont(active ? FDefCaptionFont : FDefInActiveCaptionFont), FSkinData));
    std::u16string text = CaptionText();
    if (!text.empty()) {
      const int available = FDefaultCaption.Right - FDefaultCaption.Left + 3;
      text = EllipsisText(p, text, available);
      const TPoint extent = p.TextExtent(text);
      const int x = FDefaultCaption.Left - 3 + available / 2 - (extent.X + 5) / 2;
      const int y = hc / 2 - extent.Y / 2;
      p.FillRect(Rect(x + 3, 3, x + extent.X + 5 + 3, hc + 3), clBtnFace);
      p.TextOut(x + 3 + 3, y + 3, text);
    }
    for (auto& o : FObjects.Objects())
      if (o->ObjectVisible) o->Draw(p, true);
  }
  TvnWindowDC dc(window);
  if (!dc.Get()) return;
  ::ExcludeClipRect(dc.Get(), 3, hc + 3, w - 3, h - 3);
  caption.BlitTo(dc.Get(), 3, 3);
  // Three one-pixel rings inward from the window's edge, drawn as thin fills.
  const TColor rings[3][2] = {{TColor(clSystemColor | COLOR_3DLIGHT), TColor(clSystemColor | COLOR_3DDKSHADOW)},
                              {clBtnHighlight, clBtnShadow},
                              {clBtnFace, clBtnFace}};
  for (int i = 0; i < 3; ++i) {
    const COLORREF lightColour = TvnDibPainter::Resolve(rings[i][0]);
    const COLORREF darkColour = TvnDibPainter::Resolve(rings[i][1]);
    auto fill = [&](int l, int t, int r, int b, COLORREF c) {
      const RECT box{l, t, r, b};
      ::SetBkColor(dc.Get(), c);
      ::ExtTextOutW(dc.Get(), 0, 0, ETO_OPAQUE, &box, nullptr, 0, nullptr);
    };
    fill(i, i, w - i, i + 1, lightColour);                // top
    fill(i, i, i + 1, h - i, lightColour);                // left
    fill(i, h - i - 1, w - i, h - i, darkColour);         // bottom
    fill(w - i - 1, i, w - i, h - i, darkColour);         // right
  }
}

void TvnVeneerForm::PaintClientBackground(HDC dc) {
  HWND window = Window();
  if (!window || !dc) return;
  RECT client{};
  ::GetClientRect(window, &client);
  const TvnSkinData* skin = FSkinSupport ? Skin() : nullptr;
  const std::uint32_t face = TvnDibPainter::Resolve(clBtnFace);
  const TvnLogo logo{&FLogo, LogoBitMapTransparent};
  if (const std::optional<std::uint32_t> colour = ClientBackgroundColour(skin, face, logo)) {
    ::FillRect(dc, &client, CachedBrush(static_cast<TColor>(*colour)));
    return;
  }
  TPixelBitmap background = ComposeClientBackground(skin, client.right, client.bottom, face, logo);
  PaintPixels(dc, 0, 0, background.View());
}

void TvnVeneerForm::RedrawObject(TvnActiveSkinObject& object) {
  HWND window = Window();
  if (!window || FForm->BorderStyle() == TFormBorderStyle::bsNone || ::IsIconic(window) || MaximizedMdiChild()) return;
  const TRect r = object.ObjectRect;
  if (r.IsEmpty()) return;
  TvnWindowDC dc(window);
  if (!dc.Get()) return;
  TvnDibSurface surface(r.Width(), r.Height());
  // Start from what the window shows, so text and transparent looks land on the frame.
  ::BitBlt(surface.DC(), 0, 0, r.Width(), r.Height(), dc.Get(), r.Left, r.Top, SRCCOPY);
  {
    TvnDibPainter p(surface, {r.Left, r.Top});
    object.Draw(p, true);
  }
  ::GdiFlush();
  surface.BlitTo(dc.Get(), r.Left, r.Top);
}

void TvnVeneerForm::DrawFormIcon(TvnFramePainter& painter, int x, int y) {
  auto* surface = dynamic_cast<TvnWinPainter*>(&painter);
  HWND window = Window();
  if (surface == nullptr || window == nullptr) return;
  if (!FIcon) {
    // The form's own icon, else the program's, else the system's application icon.
    HICON source = reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
    if (!source) source = reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_BIG, 0));
    if (!source) source = reinterpret_cast<HICON>(::GetClassLongPtrW(window, GCLP_HICONSM));
    if (!source) source = reinterpret_cast<HICON>(::GetClassLongPtrW(window, GCLP_HICON));
    TvnOwnedIcon loaded;  // a loaded icon is ours to destroy once copied
    if (!source)
      loaded = TvnCounted<TvnOwnedIcon>(static_cast<HICON>(
          ::LoadImageW(::GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
    if (!source && !loaded)
      loaded = TvnCounted<TvnOwnedIcon>(static_cast<HICON>(
          ::LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
    if (!source) source = loaded.Get();
    if (!source) return;
    const TPoint size = SmallIconSize();
    FIcon = TvnCounted<TvnOwnedIcon>(static_cast<HICON>(
        ::CopyImage(source, IMAGE_ICON, size.X, size.Y, LR_COPYFROMRESOURCE)));
  }
  surface->DrawIcon(FIcon.Get(), x, y);
}

std::u16string TvnVeneerForm::CaptionText() const {
  const std::wstring text = FForm->Text();
  std::u16string caption(text.begin(), text.end());
  // A parent names its maximized child: "Parent - [Child]".
  if (TvnVeneerForm* child = MaximizedMdiChildFrame()) caption += u" - [" + child->CaptionText() + u"]";
  return caption;
}

int TvnVeneerForm::CaptionCharset() const { return CaptionTextCharset(FSkinData, FDefCaptionFont.Charset); }

void TvnVeneerForm::Morph(TPixelBitmap& normal, const TPixelBitmap& active, TvnMorphKind kind,
                          double factor) {
  TvnEffectBmp a(ViewOf(active)), n(normal.View());
  n.Morph(kind, a, factor);
  normal = n.Bitmap();
}

void TvnVeneerForm::ApplyInactiveEffect(TPixelBitmap& bitmap) {
  if (FSkinData == nullptr) return;
  TvnEffectBmp e(std::move(bitmap));
  e.ApplyInactiveEffect(FSkinData->InActiveEffect);
  bitmap = std::move(e).Release();
}

int TvnVeneerForm::SkinLeftTopX() const {
  const TvnSkinData* skin = Skin();
  return skin ? skin->LeftTopPoint.X : 0;
}
int TvnVeneerForm::SkinRightTopX() const {
  const TvnSkinData* skin = Skin();
  return skin ? skin->RightTopPoint.X : 0;
}

// ---- window commands --------------------------------------------------------------------------

void TvnVeneerForm::CloseWindow() { FForm->Close(); }

void TvnVeneerForm::SetOwnerBounds(const TRect& b) {
  FForm->SetBounds(b.Left, b.Top, b.Width(), b.Height());
  RememberSize();
}

void TvnVeneerForm::NudgeWidth() {
  HWND window = Window();
  if (!window) return;
  RECT r{};
  ::GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  const int step = w - 1 < MinTrackWidth() ? 1 : -1;  // never below the minimum
  const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  ::SetWindowPos(window, nullptr, 0, 0, w + step, h, flags);
  ::SetWindowPos(window, nullptr, 0, 0, w, h, flags);
}

void TvnVeneerForm::ChangeWindowState(TvnWindowState s) {
  if (s == FState.WindowState) return;
  const bool mainForm = Application && Application->MainForm() == FForm;
  if (!(s == wsMinimized && mainForm)) FState.WindowState = s;
  HWND window = Window();
  if (!window) return;
  RECT r{};
  ::GetWindowRect(window, &r);
  // A child's bounds are kept in its parent's client window, where it is placed.
  const TRect bounds = MdiChild() ? FForm->BoundsRect() : Rect(r.left, r.top, r.right, r.bottom);
  // The whole window again: the region set on a size change comes without a repaint, and the
  // platform repaints only what the old region let it see, so a window that grew would keep
  // unpainted parts.
  auto repaintAll = [window] {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  };
  switch (s) {
    case wsMinimized: {
      if (mainForm) {
        // The main window minimizes the application: onto the taskbar.
        ::ShowWindow(window, SW_MINIMIZE);
        return;
      }
      if (FState.SavedBounds.IsEmpty()) FState.SavedBounds = bounds;
      const int w = MinTrackWidth(), h = MinTrackHeight();
      if (MdiChild()) {
        // Parked along the bottom of the parent's client window, beside the other children.
        TForm* main = MainForm();
        const TPoint at = MdiParkingSlot(ShownMdiSiblings());
        SetOwnerBounds(Bounds(at.X, at.Y, w, h));
        ::SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (main && main->HandleAllocated()) ::SendMessageW(main->HandleIfAllocated(), WM_MDICHILDRESTORED, 0, 0);
        return;
      }
      const TPoint at = MinimizedPosition(MonitorAreas().WorkArea, w, h, [&](TPoint slot) {
        if (!Application) return false;
        for (int i = 0; i < Application->FormCount(); ++i) {
          TForm* other = Application->Forms(i);
          if (other == FForm || other == Application->MainForm() || !other->Visible()) continue;
          TvnVeneerForm* frame = FrameOf(other);
          if (frame && frame->FState.WindowState == wsMinimized && other->Left() == slot.X &&
              other->Top() == slot.Y)
            return true;
        }
        return false;
      });
      SetOwnerBounds(Bounds(at.X, at.Y, w, h));
      return;
    }
    case wsMaximized:
      if (FState.SavedBounds.IsEmpty()) FState.SavedBounds = bounds;
      if (MdiChild()) {
        MaximizeMdiChild();
        return;
      }
      SetOwnerBounds(MaximizedBounds(MonitorAreas(), MaximizeOnFullScreen));
      repaintAll();
      return;
    case wsNormal: {
      FState.MaximizedRolledUp = false;
      const TRect saved = FState.SavedBounds;
      if (MdiChild()) {
        // Its frame comes back (a maximized or parked child had another one).
        ::SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      if (!saved.IsEmpty()) SetOwnerBounds(saved);
      StartTimer(kHoverTimer, 50);
      if (saved.Width() == bounds.Width() && saved.Height() == bounds.Height()) NudgeWidth();
      repaintAll();
      FState.SavedBounds = TRect{};
      if (MdiChild() && MainForm() && MainForm()->HandleAllocated())
        ::SendMessageW(MainForm()->HandleIfAllocated(), WM_MDICHILDRESTORED, 0, 0);
      return;
    }
  }
}

void TvnVeneerForm::SetRollUp(bool on) {
  HWND window = Window();
  if (!window) return;
  RECT r{};
  ::GetWindowRect(window, &r);
  const int frameHeight = ::MinTrackHeight(SizeLimits(), true, false);
  const std::optional<int> height = FState.SetRollUp(on, FBorderIcons, r.bottom - r.top, frameHeight);
  if (!height) return;
  SetOwnerBounds(Bounds(r.left, r.top, r.right - r.left, *height));
  if (OnChangeRollUpState) OnChangeRollUpState(*this);
}

void TvnVeneerForm::CaptionDoubleClick() {
  switch (CaptionDoubleClickAction(FState, IsSizeable(), FBorderIcons)) {
    case TvnCaptionAction::Restore: ChangeWindowState(wsNormal); break;
    case TvnCaptionAction::Maximize: ChangeWindowState(wsMaximized); break;
    case TvnCaptionAction::ToggleRollUp: SetRollUp(!FState.RolledUp); break;
  }
}

void TvnVeneerForm::Moving(RECT& proposed) {
  RECT r{};
  ::GetWindowRect(Window(), &r);
  if (FState.WindowState == wsMaximized && !MdiChild()) {
    proposed = r;  // a maximized window does not move
    return;
  }
  if (!Magnetic) return;
  const int w = r.right - r.left, h = r.bottom - r.top;
  // The edges of the monitor the window is being dropped on.
  TRect area = MonitorAreasAt(Rect(proposed.left, proposed.top, proposed.left + w, proposed.top + h)).WorkArea;
  if (MdiChild()) {
    // A child snaps to the edges of its parent's client window (on the screen).
    RECT client{};
    ::GetWindowRect(::GetParent(Window()), &client);
    area = Rect(client.left, client.top, client.right, client.bottom);
  }
  const TPoint p = SnapToEdges({proposed.left, proposed.top}, w, h, area, Scaled(MagneticSize));
  proposed = {p.X, p.Y, p.X + w, p.Y + h};
}

// ---- events -----------------------------------------------------------------------------------

void TvnVeneerForm::FirePaintEvent(const std::string& id, TvnFramePainter& painter, const TRect& rect) {
  if (OnPaintEvent) OnPaintEvent(id, painter, rect);
}
void TvnVeneerForm::FireMouseEnter(const std::string& id) {
  if (OnMouseEnterEvent) OnMouseEnterEvent(id);
}
void TvnVeneerForm::FireMouseLeave(const std::string& id) {
  if (OnMouseLeaveEvent) OnMouseLeaveEvent(id);
}
void TvnVeneerForm::FireMouseDown(const std::string& id, int x, int y, const TRect& rect,
                                  TvnMouseButton button) {
  if (OnMouseDownEvent) OnMouseDownEvent(id, x, y, rect, button);
}
void TvnVeneerForm::FireMouseUp(const std::string& id, int x, int y, const TRect& rect,
                                TvnMouseButton button) {
  if (OnMouseUpEvent) OnMouseUpEvent(id, x, y, rect, button);
}
void TvnVeneerForm::FireMouseMove(const std::string& id, int x, int y, const TRect& rect) {
  if (OnMouseMoveEvent) OnMouseMoveEvent(id, x, y, rect);
}

// ---- registration -----------------------------------------------------------------------------

namespace {

TvnBorderIcons BorderIconsFromSet(const std::vector<std::string>& words) {
  TvnBorderIcons icons;
  for (const std::string& w : words) {
    if (w == "biSystemMenu") icons.Include(TvnBorderIcon::biSystemMenu);
    else if (w == "biMinimize") icons.Include(TvnBorderIcon::biMinimize);
    else if (w == "biMaximize") icons.Include(TvnBorderIcon::biMaximize);
    else if (w == "biRollUp") icons.Include(TvnBorderIcon::biRollUp);
    else if (w == "biMinimizeToTray") icons.Include(TvnBorderIcon::biMinimizeToTray);
    else throw std::invalid_argument("'" + w + "' is not a border icon");
  }
  return icons;
}

// The sub-properties of a font property ("DefCaptionFont.Name", ...).
void AddFontProperties(std::vector<TPropertyInfo>& list, const std::string& name,
                       std::function<TFontDesc&(TvnVeneerForm&)> font) {
  list.push_back(ValueProperty<TvnVeneerForm>(name + ".Name", [font](TvnVeneerForm& c, const TDescValue& v) {
    font(c).Name = v.AsString();
  }));
  list.push_back(ValueProperty<TvnVeneerForm>(name + ".Height", [font](TvnVeneerForm& c, const TDescValue& v) {
    font(c).Height = v.AsInteger();
  }));
  list.push_back(ValueProperty<TvnVeneerForm>(name + ".Charset", [font](TvnVeneerForm& c, const TDescValue& v) {
    if (v.Kind == TDescValueKind::Integer) {
      font(c).Charset = v.AsInteger();
      return;
    }
    const auto charset = CharsetFromIdentifier(v.AsIdentifier());
    if (!charset) throw std::invalid_argument("unknown character set " + v.AsIdentifier());
    font(c).Charset = *charset;
  }));
  list.push_back(ValueProperty<TvnVeneerForm>(name + ".Color", [font](TvnVeneerForm& c, const TDescValue& v) {
    if (v.Kind == TDescValueKind::Integer) {
      font(c).Color = v.AsInteger();
      return;
    }
    const auto colour = ColorFromIdentifier(v.AsIdentifier());
    if (!colour) throw std::invalid_argument("unknown colour " + v.AsIdentifier());
    font(c).Color = *colour;
  }));
  list.push_back(ValueProperty<TvnVeneerForm>(name + ".Style", [font](TvnVeneerForm& c, const TDescValue& v) {
    TFontStyles styles = 0;
    for (const std::string& w : v.AsSet()) {
      const auto s = FontStyleFromIdentifier(w);
      if (!s) throw std::invalid_argument("unknown font style " + w);
      styles |= *s;
    }
    font(c).Style = styles;
  }));
}

// A plain notification of the component: the description's handler gets the component as sender.
TPropertyInfo PlainEvent(const char* name, std::function<void(TvnVeneerForm&)> TvnVeneerForm::*event) {
  return EventProperty<TvnVeneerForm>(name, [event](TvnVeneerForm& c, TNotifyEvent handler) {
    c.*event = [handler = std::move(handler)](TvnVeneerForm& sender) { handler(&sender); };
  });
}

// An event fired on behalf of a frame object, with the object's parameters.
template <class Event>
TPropertyInfo ObjectEvent(const char* name, Event TvnVeneerForm::*event) {
  return TypedEventProperty<TvnVeneerForm, Event>(name, [event](TvnVeneerForm& c, Event handler) {
    c.*event = std::move(handler);
  });
}

template <class Field>
TPropertyInfo Flag(const char* name, Field field) {
  return ValueProperty<TvnVeneerForm>(name, [field](TvnVeneerForm& c, const TDescValue& v) {
    c.*field = v.AsBoolean();
  });
}
template <class Field>
TPropertyInfo Number(const char* name, Field field) {
  return ValueProperty<TvnVeneerForm>(name, [field](TvnVeneerForm& c, const TDescValue& v) {
    c.*field = v.AsInteger();
  });
}

}  // namespace

void RegisterVeneerFormClasses(TClassRegistry& registry) {
  using F = TvnVeneerForm;
  std::vector<TPropertyInfo> p = {
      LinkProperty<F, TvnSkinData>("SkinData", [](F& c, TvnSkinData* s) { c.SetSkinData(s); }),
      LinkProperty<F, TvnSkinData>("MenusSkinData", [](F& c, TvnSkinData* s) { c.SetMenusSkinData(s); }),
      LinkProperty<F, TPopupMenu>("SystemMenu", [](F& c, TPopupMenu* m) { c.SetSystemMenu(m); }),
      LinkProperty<F, TvnTrayIcon>("TrayIcon", [](F& c, TvnTrayIcon* t) { c.SetTrayIcon(t); }),
      LinkProperty<F, TvnSkinHint>("SkinHint", [](F& c, TvnSkinHint* h) { c.SetSkinHint(h); }),
      LinkProperty<F, TvnSkinMDITabsBar>("MDITabsBar", [](F& c, TvnSkinMDITabsBar* t) { c.SetMDITabsBar(t); }),
      LinkProperty<F, TvnSkinMainMenuBar>("MainMenuBar", [](F& c, TvnSkinMainMenuBar* b) { c.SetMainMenuBar(b); }),
      ValueProperty<F>("BorderIcons", [](F& c, const TDescValue& v) { c.SetBorderIcons(BorderIconsFromSet(v.AsSet())); }),
      ValueProperty<F>("ShowIcon", [](F& c, const TDescValue& v) { c.SetShowIcon(v.AsBoolean()); }),
      ValueProperty<F>("HideCaptionButtons", [](F& c, const TDescValue& v) { c.SetHideCaptionButtons(v.AsBoolean()); }),
      Flag("UseFormCursorInNCArea", &F::UseFormCursorInNCArea),
      Flag("UseDefaultSysMenu", &F::UseDefaultSysMenu),
      Flag("AlwaysShowInTray", &F::AlwaysShowInTray),
      Flag("AlwaysMinimizeToTray", &F::AlwaysMinimizeToTrayValue),
      Flag("LogoBitMapTransparent", &F::LogoBitMapTransparent),
      Flag("SnapLayouts", &F::SnapLayouts),
      ValueProperty<F>("UseSkinFontInMenu", [](F& c, const TDescValue& v) { c.SetUseSkinFontInMenu(v.AsBoolean()); }),
      Flag("MaximizeOnFullScreen", &F::MaximizeOnFullScreen),
      ValueProperty<F>("AlphaBlend", [](F& c, const TDescValue& v) { c.SetAlphaBlend(v.AsBoolean()); }),
      Flag("AlphaBlendAnimation", &F::AlphaBlendAnimation),
      ValueProperty<F>("MenusAlphaBlend", [](F& c, const TDescValue& v) { c.SetMenusAlphaBlend(v.AsBoolean()); }),
      ValueProperty<F>("MenusAlphaBlendAnimation",
                       [](F& c, const TDescValue& v) { c.SetMenusAlphaBlendAnimation(v.AsBoolean()); }),
      Flag("ShowObjectHint", &F::ShowObjectHint),
      Flag("UseDefaultObjectHint", &F::UseDefaultObjectHint),
      Flag("Magnetic", &F::Magnetic),
      Number("MagneticSize", &F::MagneticSize),
      ValueProperty<F>("AlphaBlendValue", [](F& c, const TDescValue& v) { c.SetAlphaBlendValue(v.AsInteger()); }),
      ValueProperty<F>("MenusAlphaBlendValue", [](F& c, const TDescValue& v) { c.SetMenusAlphaBlendValue(v.AsInteger()); }),
      ValueProperty<F>("MaxMenuItemsInWindow", [](F& c, const TDescValue& v) { c.SetMaxMenuItemsInWindow(v.AsInteger()); }),
      ValueProperty<F>("DefMenuItemHeight", [](F& c, const TDescValue& v) { c.SetDefMenuItemHeight(v.AsInteger()); }),
      Number("ClientWidth", &F::ClientWidth),
      Number("ClientHeight", &F::ClientHeight),
      Number("MinWidth", &F::MinWidth),
      Number("MinHeight", &F::MinHeight),
      Number("MaxWidth", &F::MaxWidth),
      Number("MaxHeight", &F::MaxHeight),
      // The logo is a whole BMP file in the description's binary data; {} is no logo.
      ValueProperty<F>("LogoBitMap", [](F& c, const TDescValue& v) {
        c.SetLogoBitMap(v.AsBytes().empty() ? TPixelBitmap{} : DecodeBmp(v.AsBytes()));
      }),
      PlainEvent("OnChangeSkinData", &F::OnChangeSkinData),
      PlainEvent("OnActivate", &F::OnActivate),
      PlainEvent("OnDeActivate", &F::OnDeActivate),
      PlainEvent("OnChangeRollUpState", &F::OnChangeRollUpState),
      PlainEvent("OnMinimizeToTray", &F::OnMinimizeToTray),
      PlainEvent("OnRestoreFromTray", &F::OnRestoreFromTray),
      PlainEvent("OnSkinMenuOpen", &F::OnSkinMenuOpen),
      PlainEvent("OnSkinMenuClose", &F::OnSkinMenuClose),
      PlainEvent("OnMainMenuEnter", &F::OnMainMenuEnter),
      PlainEvent("OnMainMenuExit", &F::OnMainMenuExit),
      ObjectEvent("OnActivateCustomObject", &F::OnActivateCustomObject),
      ObjectEvent("OnPaintEvent", &F::OnPaintEvent),
      ObjectEvent("OnMouseEnterEvent", &F::OnMouseEnterEvent),
      ObjectEvent("OnMouseLeaveEvent", &F::OnMouseLeaveEvent),
      ObjectEvent("OnMouseDownEvent", &F::OnMouseDownEvent),
      ObjectEvent("OnMouseUpEvent", &F::OnMouseUpEvent),
      ObjectEvent("OnMouseMoveEvent", &F::OnMouseMoveEvent),
  };
  AddFontProperties(p, "DefCaptionFont", [](F& c) -> TFontDesc& { return c.DefCaptionFontForChange(); });
  AddFontProperties(p, "DefInActiveCaptionFont", [](F& c) -> TFontDesc& { return c.DefInActiveCaptionFontForChange(); });
  AddFontProperties(p, "DefMenuItemFont", [](F& c) -> TFontDesc& { return c.DefMenuItemFontForChange(); });
  registry.Register(ComponentClass<F>("TvnVeneerForm", std::move(p)));
}
