// Index: the shell seam; construction and destruction; properties; showing, hiding and
// refreshing the icon; the message window (icon messages, click and cycle timers); the main
// form and owner hooks; the popup menu; registration for window descriptions.
#include "skin/controls/vnTrayIcon_win.h"

#include "framework/Application_win.h"
#include "framework/ClassRegistry.h"
#include "framework/CodePage.h"
#include "framework/Forms_win.h"
#include "framework/ImageList_win.h"
#include "framework/WindowException_win.h"
#include "skin/menus/vnSkinPopupMenu_win.h"

#include <algorithm>
#include <exception>

namespace {

// The shell's notify-icon function, found the first time an icon is shown: a program that
// never shows one (Quillon) does not load the shell's library at all, which costs a good part
// of a start-up.
BOOL WINAPI ShellNotifyIconOnDemand(DWORD message, PNOTIFYICONDATAW data) {
  static const TvnShellNotifyIconFunction shell = [] {
    HMODULE library = ::LoadLibraryW(L"shell32.dll");
    return library ? reinterpret_cast<TvnShellNotifyIconFunction>(
                         reinterpret_cast<void*>(::GetProcAddress(library, "Shell_NotifyIconW")))
                   : nullptr;
  }();
  return shell ? shell(message, data) : FALSE;
}

}  // namespace

TvnShellNotifyIconFunction vnShellNotifyIcon = &ShellNotifyIconOnDemand;

namespace {

constexpr UINT_PTR kClickTimer = 1;
constexpr UINT_PTR kCycleTimer = 2;
constexpr wchar_t kWindowClass[] = L"TvnTrayIconWindow";

void RegisterWindowClass(WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  // The shell turns two clicks on the icon into a double click only for a window class that
  // asks for double clicks.
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = kWindowClass;
  ::RegisterClassExW(&wc);  // fails harmlessly once the class exists
}

// The program's icon (its MAINICON resource) at the small size the notification area shows,
// else the system's application icon; the caller owns it.
HICON ApplicationIcon() {
  HICON own = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON,
                                               ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
  if (own) return own;
  HICON shared = ::LoadIconW(nullptr, IDI_APPLICATION);
  return shared ? ::CopyIcon(shared) : nullptr;
}

TvnTrayShiftState CurrentShiftState() {
  TvnTrayShiftState shift = 0;
  if (::GetAsyncKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (::GetAsyncKeyState(VK_MENU) < 0) shift |= ssAlt;
  if (::GetAsyncKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  return shift;
}

TvnTrayShiftState ButtonShift(TvnTrayMouseButton button) {
  switch (button) {
    case TvnTrayMouseButton::mbLeft: return ssLeft;
    case TvnTrayMouseButton::mbRight: return ssRight;
    case TvnTrayMouseButton::mbMiddle: return ssMiddle;
  }
  return 0;
}

// Runs the messages waiting in the queue, through the application's loop when there is one
// (its message hook and key routing see them too). A quit request is left in the queue for
// the real loop, with its exit code.
void ProcessPendingMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT) {
    if (Application) {
      if (!Application->ProcessMessage()) return;
    } else if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
}

}  // namespace

// ---- construction and destruction ----

TvnTrayIcon::TvnTrayIcon(TComponent* owner) : TComponent(owner) {
  FTaskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
  RegisterWindowClass(&TvnTrayIcon::StaticWndProc);
  // A hidden top-level window rather than a message-only one: the shell's "TaskbarCreated"
  // broadcast reaches top-level windows only.
  FWindow.Reset(::CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, ::GetModuleHandleW(nullptr), this));

  FIconData.cbSize = sizeof FIconData;
  FIconData.hWnd = FWindow.Get();
  FIconData.uID = TrayIconID;
  FIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  FIconData.uCallbackMessage = WM_TRAYNOTIFY;

  if (!Designing()) {
    if (!FIcon && UsesApplicationIcon()) FIcon.Reset(ApplicationIcon());
    HookApplicationWindow();
    HookOwner();
  }
}

TvnTrayIcon::~TvnTrayIcon() {
  if (FInArea) Notify(NIM_DELETE);
  FDesignPreview = false;
  if (FWindow) {
    ::KillTimer(FWindow.Get(), kClickTimer);
    ::KillTimer(FWindow.Get(), kCycleTimer);
    // The window must not reach this object while it goes.
    ::SetWindowLongPtrW(FWindow.Get(), GWLP_USERDATA, 0);
  }
  FWindow.Reset();
  Unhook();
}

TWinControl* TvnTrayIcon::OwnerControl() const { return dynamic_cast<TWinControl*>(Owner()); }

void TvnTrayIcon::Loaded() {
  TComponent::Loaded();
  HookApplicationWindow();  // the main form may have come into being since construction
  if (OwnerControl() && MinimizedOnStart && !Designing()) {
    FIconVisible = true;
    MinimizeToTray = true;
    FStartHidden = true;
    HideMainWindow();
  }
  RefreshTrayIcon();
  if (FIconVisible) ShowTrayIcon();
  else HideTrayIcon();
}

void TvnTrayIcon::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == FIconList) FIconList = nullptr;
  if (component == FPopupMenu) FPopupMenu = nullptr;
  // A form that goes away has already let go of its window procedure: nothing to put back.
  if (component == FApplicationForm) {
    FApplicationForm = nullptr;
    FSavedApplicationProc = nullptr;
  }
  if (component == FOwnerControl) {
    FOwnerControl = nullptr;
    FSavedOwnerProc = nullptr;
  }
}

// ---- properties ----

void TvnTrayIcon::SetDesignPreview(bool value) {
  FDesignPreview = value;
  if (!Designing()) return;
  FSettingPreview = true;
  if (value) ShowTrayIcon();
  else HideTrayIcon();
  FSettingPreview = false;
}

void TvnTrayIcon::SetIconList(TImageList* value) {
  if (FIconList) RemoveFreeNotification(FIconList);
  FIconList = value;
  if (FIconList) FreeNotification(FIconList);
  SelectIcon(FIconIndex);
}

void TvnTrayIcon::SetCycleIcons(bool value) {
  FCycleIcons = value;
  if (value) {
    SelectIcon(0);
    StartCycleTimer();
  } else if (FWindow) {
    ::KillTimer(FWindow.Get(), kCycleTimer);
  }
}

void TvnTrayIcon::SetAnimateTimerInterval(int value) {
  FAnimateTimerInterval = value;
  StartCycleTimer();
}

void TvnTrayIcon::StartCycleTimer() {
  if (!FWindow) return;
  // Setting a running timer again restarts it with the new interval.
  if (FCycleIcons && FAnimateTimerInterval > 0)
    ::SetTimer(FWindow.Get(), kCycleTimer, static_cast<UINT>(FAnimateTimerInterval), nullptr);
  else
    ::KillTimer(FWindow.Get(), kCycleTimer);
}

void TvnTrayIcon::SetHint(std::u16string value) {
  FHint = std::move(value);
  RefreshTrayIcon();
}

void TvnTrayIcon::SetShowHint(bool value) {
  FShowHint = value;
  RefreshTrayIcon();
}

void TvnTrayIcon::SetIcon(HICON icon) {
  FIcon.Reset(icon ? ::CopyIcon(icon) : nullptr);
  RefreshTrayIcon();
}

void TvnTrayIcon::SetIconVisible(bool value) {
  if (value) ShowTrayIcon();
  else HideTrayIcon();
}

void TvnTrayIcon::SetIconIndex(int value) { SelectIcon(value); }

// With pictures in the list the index is kept inside it and that picture becomes the icon;
// without a list, or with an empty one, the index is 0 and the icon stays as it is.
void TvnTrayIcon::SelectIcon(int index) {
  if (FIconList && FIconList->Count() > 0) {
    FIconIndex = std::clamp(index, 0, FIconList->Count() - 1);
    FIcon.Reset(MakeImageListIcon(*FIconList, FIconIndex));
  } else {
    FIconIndex = 0;
  }
  RefreshTrayIcon();
}

void TvnTrayIcon::SetPopupMenu(TvnSkinPopupMenu* value) {
  if (FPopupMenu) RemoveFreeNotification(FPopupMenu);
  FPopupMenu = value;
  if (FPopupMenu) FreeNotification(FPopupMenu);
}

// ---- the icon in the notification area ----

void TvnTrayIcon::PrepareIconData() {
  FIconData.hWnd = FWindow.Get();
  FIconData.hIcon = FIcon.Get();
  std::fill(std::begin(FIconData.szTip), std::end(FIconData.szTip), L'\0');
  if (FShowHint && !FHint.empty()) {
    std::size_t length = std::min<std::size_t>(FHint.size(), MaxTipLength);
    // A character made of two UTF-16 units is not cut in half at the limit.
    if (length < FHint.size() && length > 0 && FHint[length - 1] >= 0xD800 && FHint[length - 1] <= 0xDBFF)
      --length;
    std::copy_n(FHint.begin(), length, FIconData.szTip);
  }
}

void TvnTrayIcon::Notify(DWORD message) {
  // While a window description is read nothing reaches the shell: Loaded shows the icon once,
  // as all its properties say.
  if (ComponentState().Loading) return;
  if (Designing() && !FSettingPreview && !FDesignPreview) return;
  // An icon that is not in the notification area has nothing to change or remove (the shell
  // refuses both); the icon is sent whole when it is added.
  if ((message == NIM_MODIFY || message == NIM_DELETE) && !FInArea) return;
  PrepareIconData();
  if (vnShellNotifyIcon) vnShellNotifyIcon(message, &FIconData);
  if (message == NIM_ADD) FInArea = true;
  if (message == NIM_DELETE) FInArea = false;
}

void TvnTrayIcon::ShowTrayIcon() {
  if (!FSettingPreview) FIconVisible = true;
  if (!Designing() || FSettingPreview) Notify(NIM_ADD);
}

void TvnTrayIcon::HideTrayIcon() {
  if (!FSettingPreview) FIconVisible = false;
  if (!Designing() || FSettingPreview) Notify(NIM_DELETE);
}

void TvnTrayIcon::RefreshTrayIcon() { Notify(NIM_MODIFY); }

// ---- events ----

void TvnTrayIcon::Click() {
  if (OnClick) OnClick(this);
}
void TvnTrayIcon::DblClick() {
  if (OnDblClick) OnDblClick(this);
}
void TvnTrayIcon::Cycle(int nextIndex) {
  if (OnCycle) OnCycle(this, nextIndex);
}
void TvnTrayIcon::MouseDown(TvnTrayMouseButton button, TvnTrayShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}
void TvnTrayIcon::MouseUp(TvnTrayMouseButton button, TvnTrayShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}
void TvnTrayIcon::MouseMove(TvnTrayShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

// ---- the message window ----

LRESULT CALLBACK TvnTrayIcon::StaticWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<TvnTrayIcon*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(window, msg, wParam, lParam);
  try {
    return self->WndProc(window, msg, wParam, lParam);
  } catch (const std::exception& e) {
    ReportWindowException(e.what());
  } catch (...) {
    ReportWindowException("unknown error");
  }
  return 0;
}

LRESULT TvnTrayIcon::WndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    // The hidden window lives as long as the tray icon: the session's end, a quit or a
    // close request addressed to it are answered without letting it go.
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_USERCHANGED:
    case WM_NCDESTROY:
      return 1;
    case WM_TIMER:
      if (wParam == kClickTimer) ClickTimer();
      else if (wParam == kCycleTimer) CycleStep();
      return 0;
    case WM_TRAYNOTIFY:
      if (Enabled) IconMessage(static_cast<UINT>(LOWORD(lParam)));
      return 0;
    default:
      // The shell started again (after a crash of the taskbar): the icon must be added anew.
      // The framework's application has no window of its own to hear this broadcast, and the
      // main form may not exist; this window always does.
      if (msg == FTaskbarCreated && FTaskbarCreated != 0) {
        if (FIconVisible) ShowTrayIcon();
        return 0;
      }
      return ::DefWindowProcW(window, msg, wParam, lParam);
  }
}

// What a click on the icon looks like here:
//
//   message        | click started | click ready | double click | fires
//   L down         | set           | -           | -            | mouse down; timer starts
//   L up           | cleared       | set if it was started; cleared again with the click when
//                  |               | the timer has already run out      | (click), mouse up
//   L double click | -             | cleared     | set          | double click (+ default item)
//   click timer    | -             | cleared     | cleared      | click, when ready and no double
void TvnTrayIcon::IconMessage(UINT mouseMessage) {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  const TvnTrayShiftState shift = CurrentShiftState();
  auto down = [&](TvnTrayMouseButton b) { MouseDown(b, shift | ButtonShift(b), cursor.x, cursor.y); };
  auto up = [&](TvnTrayMouseButton b) { MouseUp(b, shift | ButtonShift(b), cursor.x, cursor.y); };
  switch (mouseMessage) {
    case WM_MOUSEMOVE:
      MouseMove(shift, cursor.x, cursor.y);
      break;
    case WM_LBUTTONDOWN:
      FClickTimerRunning = ::SetTimer(FWindow.Get(), kClickTimer, ::GetDoubleClickTime(), nullptr) != 0;
      down(TvnTrayMouseButton::mbLeft);
      FClickStarted = true;
      if (PopupByLeftButton) PopupTrayMenu();
      break;
    case WM_LBUTTONUP: {
      const bool started = FClickStarted;
      if (started) FClickReady = true;
      if (started && !FClickTimerRunning) {
        FClickStarted = false;
        FClickReady = false;
        Click();
      }
      FClickStarted = false;
      up(TvnTrayMouseButton::mbLeft);
      break;
    }
    case WM_LBUTTONDBLCLK:
      FClickReady = false;
      FDoubleClicked = true;
      DblClick();
      if (FPopupMenu && FPopupMenu->AutoPopup && !PopupByLeftButton) {
        TMenuItem& items = FPopupMenu->Items();
        for (int i = 0; i < items.Count(); ++i)
          if (items.Items(i)->Default) {
            items.Items(i)->Click();
            break;
          }
      }
      break;
    case WM_RBUTTONDOWN:
      down(TvnTrayMouseButton::mbRight);
      PopupTrayMenu();
      break;
    case WM_RBUTTONUP:
      up(TvnTrayMouseButton::mbRight);
      break;
    case WM_MBUTTONDOWN:
      down(TvnTrayMouseButton::mbMiddle);
      break;
    case WM_MBUTTONUP:
      up(TvnTrayMouseButton::mbMiddle);
      break;
    default:
      break;
  }
}

void TvnTrayIcon::ClickTimer() {
  ::KillTimer(FWindow.Get(), kClickTimer);
  FClickTimerRunning = false;
  if (!FDoubleClicked && FClickReady) {
    FClickReady = false;
    Click();
  }
  FDoubleClicked = false;
}

void TvnTrayIcon::CycleStep() {
  if (!FIconList || FIconList->Count() == 0) return;
  const int current = std::min(FIconIndex, FIconList->Count() - 1);
  FIcon.Reset(MakeImageListIcon(*FIconList, current));
  const int next = current + 1 < FIconList->Count() ? current + 1 : 0;
  Cycle(next);
  RefreshTrayIcon();
  SelectIcon(next);
}

// ---- the popup menu ----

void TvnTrayIcon::PopupTrayMenu() {
  if (!FPopupMenu || !FPopupMenu->AutoPopup) return;
  POINT cursor{};
  if (!::GetCursorPos(&cursor)) return;
  ProcessPendingMessages();
  // The menu must belong to the foreground window, or it would not close when the user clicks
  // elsewhere.
  if (FWindow) ::SetForegroundWindow(FWindow.Get());
  TWinControl* owner = OwnerControl();
  HWND ownerWindow = owner ? owner->HandleIfAllocated() : nullptr;
  if (ownerWindow) ::SetForegroundWindow(ownerWindow);
  FPopupMenu->PopupComponent = this;
  FPopupMenu->Popup(cursor.x, cursor.y);
  // Wakes the owner's message loop so the menu's end is seen at once.
  if (ownerWindow) ::PostMessageW(ownerWindow, WM_NULL, 0, 0);
}

// ---- the main form ----

// The application's main form; while the first form is still being built (the application
// names it main only once its constructor returns) that first form.
TForm* TvnTrayIcon::MainFormNow() const {
  if (!Application) return nullptr;
  if (Application->MainForm()) return Application->MainForm();
  return Application->FormCount() > 0 ? Application->Forms(0) : nullptr;
}

void TvnTrayIcon::ShowMainWindow() {
  TForm* form = MainFormNow();
  if (!OwnerControl() || !form) return;
  FStartHidden = false;
  form->SetVisible(true);
  HWND window = form->HandleIfAllocated();
  if (window && ::IsIconic(window)) ::ShowWindow(window, SW_RESTORE);
  if (window) ::SetForegroundWindow(window);
}

void TvnTrayIcon::HideMainWindow() {
  TForm* form = MainFormNow();
  if (!OwnerControl() || !form) return;
  form->SetVisible(false);
}

void TvnTrayIcon::SendToTray() {
  HideMainWindow();
  SetIconVisible(true);
}

// ---- hooks ----

void TvnTrayIcon::HookApplicationWindow() {
  if (FApplicationForm || Designing()) return;
  TForm* form = MainFormNow();
  if (!form) return;
  FApplicationForm = form;
  FreeNotification(form);
  FSavedApplicationProc = form->WindowProc();
  form->SetWindowProc([this](TMessage& m) { ApplicationWindowProc(m); });
}

void TvnTrayIcon::HookOwner() {
  TWinControl* owner = OwnerControl();
  if (!owner || FOwnerControl) return;
  FOwnerControl = owner;
  FreeNotification(owner);
  FSavedOwnerProc = owner->WindowProc();
  owner->SetWindowProc([this](TMessage& m) { OwnerWindowProc(m); });
}

// Hooks nest: the owner's was installed last when both are on one form, so it goes first.
void TvnTrayIcon::Unhook() {
  if (FOwnerControl) {
    FOwnerControl->SetWindowProc(std::move(FSavedOwnerProc));
    RemoveFreeNotification(FOwnerControl);
    FOwnerControl = nullptr;
  }
  if (FApplicationForm) {
    FApplicationForm->SetWindowProc(std::move(FSavedApplicationProc));
    RemoveFreeNotification(FApplicationForm);
    FApplicationForm = nullptr;
  }
}

void TvnTrayIcon::ApplicationWindowProc(TMessage& message) {
  // Kept on the stack: a handler below may free this tray icon, which puts the saved procedure
  // back into the form.
  TWndMethod saved = FSavedApplicationProc;
  switch (message.Msg) {
    case WM_SIZE:
      if (message.WParam == SIZE_MINIMIZED && MinimizeToTray) SendToTray();
      break;
    case WM_WINDOWPOSCHANGING: {
      // Starting hidden in the tray: the application's start-up shows its main form, and that
      // first show is taken back before the window appears.
      auto* pos = reinterpret_cast<WINDOWPOS*>(message.LParam);
      if (FStartHidden && pos && (pos->flags & SWP_SHOWWINDOW)) {
        pos->flags &= ~static_cast<UINT>(SWP_SHOWWINDOW);
        FStartHidden = false;
      }
      break;
    }
    case WM_WINDOWPOSCHANGED:
      if (FPendingMDICheck) {
        FPendingMDICheck = false;
        HWND window = FApplicationForm ? FApplicationForm->HandleIfAllocated() : nullptr;
        if (window && MinimizedOnStart && ::FindWindowExW(window, nullptr, L"MDICLIENT", nullptr))
          HideMainWindow();
      }
      break;
    default:
      break;
  }
  if (saved) saved(message);
}

void TvnTrayIcon::OwnerWindowProc(TMessage& message) {
  TWndMethod saved = FSavedOwnerProc;
  auto* form = dynamic_cast<TForm*>(FOwnerControl);
  switch (message.Msg) {
    case WM_ACTIVATE: {
      const WORD state = LOWORD(message.WParam);
      TWinControl* active = form ? form->ActiveControl() : nullptr;
      if ((state == WA_ACTIVE || state == WA_CLICKACTIVE) && active && active->HandleAllocated()) {
        HWND losing = reinterpret_cast<HWND>(message.LParam);
        HWND parent = active->Parent() ? active->Parent()->HandleIfAllocated() : nullptr;
        if (losing != parent && losing != active->HandleIfAllocated()) active->SetFocus();
      }
      break;
    }
    case WM_SHOWWINDOW:
      if (message.WParam == 1 && message.LParam == 0 && !FStartHidden) {
        TForm* main = MainFormNow();
        HWND mainWindow = main ? main->HandleIfAllocated() : nullptr;
        // The main form is the application's window here. When it is this owner itself it is
        // being shown right now and must not be shown again from inside its own show.
        if (mainWindow && main != FOwnerControl) {
          if (::IsIconic(mainWindow)) ::ShowWindow(mainWindow, SW_RESTORE);
          ::SetForegroundWindow(mainWindow);
        }
        if (FOwnerControl && FOwnerControl->HandleAllocated())
          ::SetForegroundWindow(FOwnerControl->HandleIfAllocated());
      }
      break;
    default:
      break;
  }
  if (saved) saved(message);
}

// ---- registration ----

void RegisterTrayIconClasses(TClassRegistry& registry) {
  using T = TvnTrayIcon;
  auto flag = [](std::string name, bool T::*field) {
    return ValueProperty<T>(std::move(name), [field](T& c, const TDescValue& v) { c.*field = v.AsBoolean(); });
  };
  registry.Register(ComponentClass<T>("TvnTrayIcon", {
      ValueProperty<T>("DesignPreview", [](T& c, const TDescValue& v) { c.SetDesignPreview(v.AsBoolean()); }),
      LinkProperty<T, TImageList>("IconList", [](T& c, TImageList* l) { c.SetIconList(l); }),
      ValueProperty<T>("CycleIcons", [](T& c, const TDescValue& v) { c.SetCycleIcons(v.AsBoolean()); }),
      ValueProperty<T>("AnimateTimerInterval", [](T& c, const TDescValue& v) { c.SetAnimateTimerInterval(v.AsInteger()); }),
      flag("Enabled", &T::Enabled),
      ValueProperty<T>("Hint", [](T& c, const TDescValue& v) { c.SetHint(Utf8ToUtf16(v.AsString())); }),
      ValueProperty<T>("ShowHint", [](T& c, const TDescValue& v) { c.SetShowHint(v.AsBoolean()); }),
      ValueProperty<T>("IconVisible", [](T& c, const TDescValue& v) { c.SetIconVisible(v.AsBoolean()); }),
      ValueProperty<T>("IconIndex", [](T& c, const TDescValue& v) { c.SetIconIndex(v.AsInteger()); }),
      LinkProperty<T, TvnSkinPopupMenu>("PopupMenu", [](T& c, TvnSkinPopupMenu* m) { c.SetPopupMenu(m); }),
      flag("PopupByLeftButton", &T::PopupByLeftButton),
      flag("MinimizedOnStart", &T::MinimizedOnStart),
      flag("MinimizeToTray", &T::MinimizeToTray),
      EventProperty<T>("OnClick", [](T& c, TNotifyEvent e) { c.OnClick = std::move(e); }),
      EventProperty<T>("OnDblClick", [](T& c, TNotifyEvent e) { c.OnDblClick = std::move(e); }),
      EventProperty<T>("OnMouseDown", [](T& c, TNotifyEvent e) {
        c.OnMouseDown = [e](TComponent* s, TvnTrayMouseButton, TvnTrayShiftState, int, int) { e(s); }; }),
      EventProperty<T>("OnMouseUp", [](T& c, TNotifyEvent e) {
        c.OnMouseUp = [e](TComponent* s, TvnTrayMouseButton, TvnTrayShiftState, int, int) { e(s); }; }),
      EventProperty<T>("OnMouseMove", [](T& c, TNotifyEvent e) {
        c.OnMouseMove = [e](TComponent* s, TvnTrayShiftState, int, int) { e(s); }; }),
      EventProperty<T>("OnCycle", [](T& c, TNotifyEvent e) { c.OnCycle = [e](TComponent* s, int) { e(s); }; }),
  }));
}
