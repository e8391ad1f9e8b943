#pragma once
// TvnTrayIcon: an icon in the taskbar's notification area. It turns the icon's mouse messages
// into click, double-click and button events (a single click is told apart from a double click
// by waiting the system's double-click time), opens a skinned popup menu from the icon, can
// cycle through the pictures of an image list as an animation, and can take the program's main
// window off the screen when it is minimized and bring it back.
//
// The framework's application object has no window of its own: the window that is minimized,
// hidden and shown for the application is the application's MAIN FORM. The tray icon hooks its
// window procedure for that (minimize to the tray, start hidden) and the procedure of its owner
// form (focus back to the active control on activation, the main form brought forward when the
// owner is shown). The icon's own messages arrive at a hidden window of the tray icon.
#include "framework/Component.h"
#include "framework/Controls_win.h"
#include "framework/Handle_win.h"

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

class TClassRegistry;
class TForm;
class TImageList;
class TvnSkinPopupMenu;

// The one call to the shell's notification area. Tests replace it to count and read what is
// sent: the test display may have no notification area at all, so the real call could fail
// or go nowhere without a trace. This is the only stand-in; the window, the timers and the
// messages of the tray icon are real.
using TvnShellNotifyIconFunction = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAW data);
extern TvnShellNotifyIconFunction vnShellNotifyIcon;

enum class TvnTrayMouseButton { mbLeft, mbRight, mbMiddle };
// Keys and buttons held during a mouse event of the icon.
enum TvnTrayShift : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };
using TvnTrayShiftState = unsigned;

// x and y are the cursor's screen position.
using TvnTrayMouseEvent =
    std::function<void(TComponent* sender, TvnTrayMouseButton button, TvnTrayShiftState shift, int x, int y)>;
using TvnTrayMouseMoveEvent = std::function<void(TComponent* sender, TvnTrayShiftState shift, int x, int y)>;
// Fired on each cycle step before the icon changes; nextIndex is the picture shown next.
using TvnCycleEvent = std::function<void(TComponent* sender, int nextIndex)>;

class TvnTrayIcon : public TComponent {
public:
  // The icon's callback message and identifier in the notification area.
  static constexpr UINT WM_TRAYNOTIFY = 2048;
  static constexpr UINT TrayIconID = 1;
  // Characters of the hint that reach the shell (its tip holds 128 with the terminating zero).
  static constexpr int MaxTipLength = 127;

  explicit TvnTrayIcon(TComponent* owner = nullptr);
  ~TvnTrayIcon() override;

  // ---- published properties ----
  bool DesignPreview() const { return FDesignPreview; }
  void SetDesignPreview(bool value);
  TImageList* IconList() const { return FIconList; }
  void SetIconList(TImageList* value);
  bool CycleIcons() const { return FCycleIcons; }
  void SetCycleIcons(bool value);
  int AnimateTimerInterval() const { return FAnimateTimerInterval; }
  void SetAnimateTimerInterval(int value);
  bool Enabled = true;  // the icon's mouse messages are ignored while false
  const std::u16string& Hint() const { return FHint; }
  void SetHint(std::u16string value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value);
  // The icon shown (owned). SetIcon keeps a copy of the given icon; null keeps no icon.
  HICON Icon() const { return FIcon.Get(); }
  void SetIcon(HICON icon);
  bool IconVisible() const { return FIconVisible; }
  void SetIconVisible(bool value);
  int IconIndex() const { return FIconIndex; }
  void SetIconIndex(int value);
  TvnSkinPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TvnSkinPopupMenu* value);
  bool PopupByLeftButton = false;
  bool MinimizedOnStart = false;
  bool MinimizeToTray = true;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TvnTrayMouseEvent OnMouseDown;
  TvnTrayMouseEvent OnMouseUp;
  TvnTrayMouseMoveEvent OnMouseMove;
  TvnCycleEvent OnCycle;

  // ---- operations ----
  virtual bool UsesApplicationIcon() { return true; }
  virtual void ShowTrayIcon();
  virtual void HideTrayIcon();
  virtual void RefreshTrayIcon();

  // The main form back on the screen (restored when it was minimized), or off it.
  void ShowMainWindow();
  void HideMainWindow();
  // HideMainWindow, then the icon shown.
  virtual void SendToTray();
  // Opens the popup menu at the cursor, through the skinned menu engine.
  void PopupTrayMenu();

  void Loaded() override;

  // For tests and the form component: the hidden window the icon's messages go to, and the
  // record last prepared for the shell.
  HWND MessageWindow() const { return FWindow.Get(); }
  const NOTIFYICONDATAW& IconData() const { return FIconData; }
  // The message the shell broadcasts when it starts again ("TaskbarCreated").
  UINT TaskbarCreatedMessage() const { return FTaskbarCreated; }

protected:
  virtual void Click();
  virtual void DblClick();
  virtual void Cycle(int nextIndex);
  virtual void MouseDown(TvnTrayMouseButton button, TvnTrayShiftState shift, int x, int y);
  virtual void MouseUp(TvnTrayMouseButton button, TvnTrayShiftState shift, int x, int y);
  virtual void MouseMove(TvnTrayShiftState shift, int x, int y);

  void Notification(TComponent* component, TOperation operation) override;

private:
  static LRESULT CALLBACK StaticWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT WndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  void IconMessage(UINT mouseMessage);
  void ClickTimer();
  void CycleStep();
  void StartCycleTimer();
  void PrepareIconData();
  void Notify(DWORD message);
  void SelectIcon(int index);
  bool Designing() const { return ComponentState().Designing; }
  TWinControl* OwnerControl() const;

  // Hooks of the main form (standing in for the application window) and of the owner form.
  TForm* MainFormNow() const;
  void HookApplicationWindow();
  void HookOwner();
  void Unhook();
  void ApplicationWindowProc(TMessage& message);
  void OwnerWindowProc(TMessage& message);

  NOTIFYICONDATAW FIconData{};
  TOwnedWindow FWindow;
  TOwnedIcon FIcon;
  UINT FTaskbarCreated = 0;

  bool FDesignPreview = false;
  TImageList* FIconList = nullptr;  // not owned: cleared when it is freed
  bool FCycleIcons = false;
  int FAnimateTimerInterval = 0;
  std::u16string FHint;
  bool FShowHint = true;
  bool FIconVisible = true;
  int FIconIndex = 0;
  TvnSkinPopupMenu* FPopupMenu = nullptr;  // not owned: cleared when it is freed

  // Click state: a press seen, a release after it waiting for the timer, a double click seen.
  bool FClickStarted = false;
  bool FClickReady = false;
  bool FDoubleClicked = false;
  bool FClickTimerRunning = false;
  bool FSettingPreview = false;
  bool FInArea = false;  // added to the notification area and not deleted since
  bool FPendingMDICheck = true;
  bool FStartHidden = false;  // the main form's first show is to be held back

  TForm* FApplicationForm = nullptr;  // not owned: the hooked main form
  TWndMethod FSavedApplicationProc;
  TWinControl* FOwnerControl = nullptr;  // not owned: the hooked owner
  TWndMethod FSavedOwnerProc;
};

// Makes TvnTrayIcon known to window descriptions: its properties, the IconList and PopupMenu
// links and its events. OnMouseDown, OnMouseUp, OnMouseMove and OnCycle carry more than the
// sender in code; a handler named in a description gets the sender only.
void RegisterTrayIconClasses(TClassRegistry& registry);
