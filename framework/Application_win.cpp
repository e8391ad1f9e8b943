#include "framework/Application_win.h"

#include "framework/CodePage.h"
#include "framework/FrameworkClasses_win.h"
#include "framework/WindowException_win.h"

#include <commctrl.h>

#include <algorithm>

TApplication* Application = nullptr;

TApplication::TApplication() : TComponent(nullptr) {
  Application = this;
  SetExceptionReporter([this](const std::string& message) { ShowException(message); });
}

TApplication::~TApplication() {
  // Forms go first, newest first, while the application still lists them.
  while (ComponentCount() > 0) RemoveAndFree(Components(ComponentCount() - 1));
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
  if (FMainForm == form) FMainForm = nullptr;
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
  if (OnMessage) {
    // A handler may replace itself (a menu filter that ends with its menu): call a copy.
    const std::function<bool(MSG&)> handler = OnMessage;
    if (handler(msg)) return;
  }
  if (IsTabKey(msg)) return;
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
  }
  FTerminated = true;
  return FExitCode;
}
