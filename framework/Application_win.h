#pragma once
// TApplication: the program's one application object. It owns the forms (created with
// CreateForm, the first becoming the main form), lists them in creation order, runs the
// message loop and routes Tab / Shift+Tab through the focused form's tab order.
#include "framework/Component.h"
#include "framework/Forms_win.h"
#include "framework/HintWindow_win.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class TApplication : public TComponent {
public:
  TApplication();
  ~TApplication() override;

  // Registers the framework's classes for window descriptions and the common controls.
  void Initialize();

  // Creates a form owned by the application; the first one created is the main form.
  template <class T, class... Args>
  T* CreateForm(Args&&... args) {
    T* form = TComponent::Create<T>(this, std::forward<Args>(args)...);
    if (!FMainForm) FMainForm = form;
    return form;
  }

  TForm* MainForm() const { return FMainForm; }  // not owned here: owned as a component
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TForm* Forms(int index) const { return FForms[index]; }
  // Hands a message to every form in list order (through each form's WindowProc, whether
  // its window exists or not) and returns nothing: a broadcast has no single answer.
  void BroadcastToForms(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

  // Shows the main form and runs the message loop until Terminate; returns the exit code.
  int Run();
  // Handles one message if one is waiting; false when none was or the loop must end.
  bool ProcessMessage();
  void Terminate(int exitCode = 0);
  bool Terminated() const { return FTerminated; }

  // Sees every message before it is dispatched; returning true swallows it. For the engine's
  // popup menus and similar hooks.
  std::function<bool(MSG&)> OnMessage;

  // Shows an error to the user (errors caught at a window procedure come here).
  void ShowException(const std::string& message);

  // ---- hints ----
  // While the mouse rests on a control whose ShowHint is on and whose Hint is not empty, the
  // hint shows under the cursor after HintPause milliseconds (HintShortPause when another
  // hint was showing a moment ago) and hides after HintHidePause, when the mouse leaves the
  // control, or on a click or key. Driven from the message loop (Run, ProcessMessage).
  bool ShowHint() const { return FShowHint; }
  // Off frees the hint window; on makes a new one of the current HintWindowClass.
  void SetShowHint(bool value);
  int HintPause = 500;
  int HintShortPause = 50;
  int HintHidePause = 2500;
  // The class of hint window made when ShowHint is next switched on.
  const THintWindowClass& HintWindowClass() const { return FHintWindowClass; }
  void SetHintWindowClass(THintWindowClass value);
  // Runs before a hint shows: may change its text and placement, or clear canShow.
  std::function<void(std::wstring& text, bool& canShow, THintInfo& info)> OnShowHint;
  // The application's hint window (owned here), or null while ShowHint is off.
  THintWindow* HintWindow() const { return FHintWindow.get(); }
  // The control whose hint is waiting or showing, or null.
  TWinControl* HintControl() const { return TWinControl::FindControl(FHintTarget); }
  // Hides the hint and forgets the waiting one; the control shows its hint again only after
  // the mouse has been elsewhere.
  void CancelHint();

private:
  friend class TForm;
  void AddForm(TForm* form) { FForms.push_back(form); }
  void RemoveForm(TForm* form);
  // Forms asked to go (TForm::Release) are freed after the message being handled.
  void ReleaseForm(TForm* form);
  void FreeReleasedForms();
  bool IsTabKey(const MSG& msg);
  void Dispatch(MSG& msg);
  void WatchForHints(const MSG& msg);
  void HintMouseMove(HWND window);
  void HintMouseLeft(HWND window);
  void StopHintTimers();
  void StartHintTimer(UINT_PTR& timer, int ms);
  void HintPauseElapsed();
  void HintHideElapsed();
  static void CALLBACK HintTimerProc(HWND, UINT, UINT_PTR id, DWORD);

  TForm* FMainForm = nullptr;  // not owned here
  std::vector<TForm*> FForms;  // not owned here: the forms in creation order
  std::vector<TForm*> FReleased;  // not owned here: freed at the next turn of the loop
  bool FTerminated = false;
  int FExitCode = 0;

  bool FShowHint = true;
  THintWindowClass FHintWindowClass;
  std::unique_ptr<THintWindow> FHintWindow;
  HWND FHintTarget = nullptr;   // the hint control's window (looked up again at each use)
  HWND FHintTracked = nullptr;  // the window told to report the mouse leaving
  bool FHintDone = false;       // shown and hidden (or cancelled) for FHintTarget
  UINT_PTR FPauseTimer = 0;     // thread timers of the message loop
  UINT_PTR FHideTimer = 0;
};

// The application object, while one exists (not owned).
extern TApplication* Application;
