#include "framework/Application_win.h"

#include "framework/CodePage.h"
#include "framework/FrameworkClasses_win.h"
#include "framework/WindowException_win.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

TApplication* Application = nullptr;

TApplication::TApplication() : TComponent(nullptr) {
  Application = this;
  SetExceptionReporter([this](const std::string& message) { ShowException(message); });
  FHintWindowClass = [] { return std::make_unique<THintWindow>(nullptr); };
  FHintWindow = FHintWindowClass();
}

TApplication::~TApplication() {
  StopHintTimers();
  // Forms go first, newest first, while the application still lists them.
  while (ComponentCount() > 0) RemoveAndFree(Components(ComponentCount() - 1));
  FHintWindow.reset();
  FMainForm = nullptr;
  SetExceptionReporter(nullptr);
  if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&icc);
  RegisterFrameworkClasses(ClassRegistry());
}

void TApplication::RemoveForm(TForm* form) {
  std::erase(FForms, form);
  std::erase(FReleased, form);
  if (FMainForm == form) FMainForm = nullptr;
}

void TApplication::ReleaseForm(TForm* form) {
  if (std::find(FReleased.begin(), FReleased.end(), form) != FReleased.end()) return;
  FReleased.push_back(form);
  ::PostMessageW(nullptr, WM_NULL, 0, 0);  // a turn of the loop even when nothing else comes
}

void TApplication::FreeReleasedForms() {
  while (!FReleased.empty()) {
    TForm* form = FReleased.back();
    FReleased.pop_back();
    if (TComponent* owner = form->Owner()) owner->RemoveAndFree(form);
    else delete form;
  }
}

void TApplication::BroadcastToForms(UINT msg, WPARAM wParam, LPARAM lParam) {
  // A form may go away while it handles the message: walk a copy, skip the ones gone.
  std::vector<TForm*> forms = FForms;
  for (TForm* form : forms)
    if (std::find(FForms.begin(), FForms.end(), form) != FForms.end()) form->Perform(msg, wParam, lParam);
}

void TApplication::Terminate(int exitCode) {
  if (FTerminated) return;
  FTerminated = true;
  FExitCode = exitCode;
  ::PostQuitMessage(exitCode);
}

void TApplication::ShowException(const std::string& message) {
  HWND owner = FMainForm ? FMainForm->HandleIfAllocated() : nullptr;
  std::u16string text = Utf8ToUtf16(message);
  ::MessageBoxW(owner, reinterpret_cast<const wchar_t*>(text.c_str()), L"Quillon", MB_OK | MB_ICONERROR);
}

bool TApplication::IsTabKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
  if (::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0) return false;
  // Tab moves the focus through the form's tab order. The platform's multi-line edit asks
  // for every key (WM_GETDLGCODE), so a dialog manager would give it Tab as a character:
  // the move is made here, before the control sees the key.
  TWinControl* control = TWinControl::FindControl(msg.hwnd);
  if (!control) return false;
  TForm* form = control->ParentForm();
  if (!form) return false;
  form->SelectNext(control == form ? nullptr : control, ::GetKeyState(VK_SHIFT) >= 0);
  return true;
}

void TApplication::Dispatch(MSG& msg) {
  WatchForHints(msg);
  if (OnMessage) {
    // A handler may replace itself (a menu filter that ends with its menu): call a copy.
    const std::function<bool(MSG&)> handler = OnMessage;
    if (handler(msg)) return;
  }
  if (IsTabKey(msg)) return;
  // Ctrl+F4 closes and Ctrl+Tab / Ctrl+F6 cycles the children of a multi-document window.
  if (FMainForm && FMainForm->ClientHandle() && ::TranslateMDISysAccel(FMainForm->ClientHandle(), &msg)) return;
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
}

bool TApplication::ProcessMessage() {
  MSG msg;
  if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    FTerminated = true;
    FExitCode = static_cast<int>(msg.wParam);
    return false;
  }
  Dispatch(msg);
  FreeReleasedForms();
  return true;
}

int TApplication::Run() {
  if (FMainForm) FMainForm->Show();
  MSG msg;
  for (;;) {
    BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      FExitCode = static_cast<int>(msg.wParam);
      break;
    }
    if (got < 0) break;
    Dispatch(msg);
    FreeReleasedForms();
  }
  FTerminated = true;
  return FExitCode;
}

// ---- hints ----
//
// State of the hint of the control under the mouse (FHintTarget):
//   none        no control with a hint under the mouse
//   waiting     FPauseTimer runs; when it fires the hint shows           -> showing
//   showing     the window is up, FHideTimer runs; when it fires          -> done
//   done        hidden (hide pause, click or key); stays so until the mouse is over another
//               window's hint target (or none)                            -> waiting / none
// A move onto another target stops everything and starts waiting for the new one, with the
// short pause when a hint was showing a moment ago.

void TApplication::SetShowHint(bool value) {
  if (value == FShowHint) return;
  FShowHint = value;
  StopHintTimers();
  FHintTarget = nullptr;
  FHintDone = false;
  if (value) FHintWindow = FHintWindowClass ? FHintWindowClass() : nullptr;
  else FHintWindow.reset();
}

void TApplication::SetHintWindowClass(THintWindowClass value) { FHintWindowClass = std::move(value); }

void TApplication::CancelHint() {
  StopHintTimers();
  if (FHintWindow) FHintWindow->HideHint();
  if (FHintTarget) FHintDone = true;
}

void TApplication::StopHintTimers() {
  if (FPauseTimer) ::KillTimer(nullptr, std::exchange(FPauseTimer, 0));
  if (FHideTimer) ::KillTimer(nullptr, std::exchange(FHideTimer, 0));
}

void TApplication::StartHintTimer(UINT_PTR& timer, int ms) {
  if (timer) ::KillTimer(nullptr, std::exchange(timer, 0));
  timer = ::SetTimer(nullptr, 0, static_cast<UINT>(std::max(ms, 1)), &TApplication::HintTimerProc);
}

void CALLBACK TApplication::HintTimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  // A timer callback: nothing may escape into the platform.
  try {
    if (!Application) return;
    if (id == Application->FPauseTimer) Application->HintPauseElapsed();
    else if (id == Application->FHideTimer) Application->HintHideElapsed();
    else ::KillTimer(nullptr, id);  // left over from an application gone
  } catch (const std::exception& e) {
    ReportWindowException(e.what());
  } catch (...) {
    ReportWindowException("unknown error");
  }
}

void TApplication::WatchForHints(const MSG& msg) {
  switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
      HintMouseMove(msg.hwnd);
      break;
    case WM_MOUSELEAVE:
      HintMouseLeft(msg.hwnd);
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      CancelHint();
      break;
    default:
      break;
  }
}

namespace {

// The control whose hint shows for a window under the mouse: the window's own control or the
// nearest parent with ShowHint on and a hint to show.
TWinControl* HintTargetOf(HWND window) {
  for (TWinControl* c = TWinControl::FindControl(window); c; c = c->Parent())
    if (c->ShowHint() && !c->Hint().empty()) return c;
  return nullptr;
}

}  // namespace

void TApplication::HintMouseMove(HWND window) {
  if (!FShowHint || !FHintWindow) return;
  if (window && window == FHintWindow->HandleIfAllocated()) return;
  TWinControl* control = HintTargetOf(window);
  HWND target = control ? control->HandleIfAllocated() : nullptr;
  if (target && window != FHintTracked) {
    // Told when the mouse leaves this window, for a mouse that leaves all our windows.
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
    if (::TrackMouseEvent(&track)) FHintTracked = window;
  }
  if (target == FHintTarget) return;
  const bool wasShowing = FHintWindow->Showing();
  StopHintTimers();
  FHintWindow->HideHint();
  FHintTarget = target;
  FHintDone = false;
  if (target) StartHintTimer(FPauseTimer, wasShowing ? HintShortPause : HintPause);
}

void TApplication::HintMouseLeft(HWND window) {
  if (window != FHintTracked) return;
  FHintTracked = nullptr;
  POINT p;
  ::GetCursorPos(&p);
  // Leaving into a child or parent with the same hint keeps it.
  HWND now = ::WindowFromPoint(p);
  if (FHintWindow && now == FHintWindow->HandleIfAllocated()) return;
  HintMouseMove(now);
}

void TApplication::HintPauseElapsed() {
  StopHintTimers();
  TWinControl* control = HintControl();
  if (!control || !FShowHint || !FHintWindow || FHintDone) return;
  POINT cursor;
  ::GetCursorPos(&cursor);
  THintInfo info;
  info.HintControl = control;
  info.HintPos = {cursor.x, cursor.y + ::GetSystemMetrics(SM_CYCURSOR)};
  info.HintMaxWidth = ::GetSystemMetrics(SM_CXSCREEN);
  info.HideTimeout = HintHidePause;
  std::wstring text = control->Hint();
  bool canShow = true;
  if (OnShowHint) {
    // The handler may replace itself: call a copy.
    const auto handler = OnShowHint;
    handler(text, canShow, info);
  }
  if (!canShow || text.empty() || !FHintWindow) {
    FHintDone = true;
    return;
  }
  const TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, text).Offset(info.HintPos.X, info.HintPos.Y);
  FHintWindow->ActivateHint(r, text);
  if (info.HideTimeout > 0) StartHintTimer(FHideTimer, info.HideTimeout);
}

void TApplication::HintHideElapsed() {
  StopHintTimers();
  if (FHintWindow) FHintWindow->HideHint();
  FHintDone = true;
}
