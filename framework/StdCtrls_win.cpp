#include "framework/StdCtrls_win.h"

#include "framework/Clipboard_win.h"

#include <windowsx.h>

TLabel::TLabel(TComponent* owner) : TWinControl(owner) {}

void TLabel::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ClassName = L"QuillonLabel";
  params.BaseClassName = L"STATIC";
  params.Style |= SS_LEFT | SS_NOPREFIX;
}

// ---- Edits ----

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClassName = L"EDIT";
  params.ExStyle |= WS_EX_CLIENTEDGE;
  if (FReadOnly) params.Style |= ES_READONLY;
  if (!FHideSelection) params.Style |= ES_NOHIDESEL;
}

void TCustomEdit::SetReadOnly(bool value) {
  FReadOnly = value;
  if (HandleAllocated()) ::SendMessageW(HandleIfAllocated(), EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetHideSelection(bool value) {
  if (value == FHideSelection) return;
  FHideSelection = value;
  RecreateWnd();  // the platform takes this style at creation only
}

void TCustomEdit::SetText(std::wstring_view text) {
  FSettingText = true;
  try {
    TWinControl::SetText(text);
  } catch (...) {
    FSettingText = false;
    throw;
  }
  FSettingText = false;
  if (!ComponentState().Loading) Change();
}

void TCustomEdit::SelectAll() { SetSelection(0, -1); }

void TCustomEdit::SetSelection(int start, int end) {
  ::SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

std::pair<int, int> TCustomEdit::Selection() const {
  if (!HandleAllocated()) return {0, 0};
  DWORD start = 0, end = 0;
  ::SendMessageW(HandleIfAllocated(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {static_cast<int>(start), static_cast<int>(end)};
}

void TCustomEdit::ReplaceSelection(std::wstring_view text) {
  std::wstring copy(text);
  HWND window = Handle();
  // One change notice, ours, whether or not the platform sends its own for this.
  FSettingText = true;
  ::SendMessageW(window, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(copy.c_str()));
  FSettingText = false;
  Change();
}

void TCustomEdit::CopyToClipboard() {
  auto [start, end] = Selection();
  if (end <= start) return;
  std::wstring text = Text();
  if (static_cast<std::size_t>(end) > text.size()) end = static_cast<int>(text.size());
  TClipboard::SetText(Handle(), std::wstring_view(text).substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)));
}

void TCustomEdit::CommandNotify(WORD code) {
  if (code == EN_CHANGE && !FSettingText) Change();
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

TEdit::TEdit(TComponent* owner) : TCustomEdit(owner) {}

void TEdit::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  params.ClassName = L"QuillonEdit";
  params.Style |= ES_AUTOHSCROLL | ES_LEFT;
}

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner) {}

void TMemo::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  params.ClassName = L"QuillonMemo";
  params.Style |= ES_MULTILINE | ES_WANTRETURN | ES_LEFT;
  if (FScrollBars == TScrollStyle::ssVertical || FScrollBars == TScrollStyle::ssBoth) params.Style |= WS_VSCROLL;
  if (FScrollBars == TScrollStyle::ssHorizontal || FScrollBars == TScrollStyle::ssBoth) params.Style |= WS_HSCROLL;
  // Without horizontal scrolling, long lines wrap at the memo's width.
  if (!FWordWrap || FScrollBars == TScrollStyle::ssHorizontal || FScrollBars == TScrollStyle::ssBoth)
    params.Style |= ES_AUTOHSCROLL;
  else
    params.Style |= ES_AUTOVSCROLL;
}

void TMemo::CreateWindowHandleDone() {
  TCustomEdit::CreateWindowHandleDone();
  // The platform's default limit (32 K characters) would cut off a large paste.
  ::SendMessageW(HandleIfAllocated(), EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
}

void TMemo::SetScrollBars(TScrollStyle value) {
  if (value == FScrollBars) return;
  FScrollBars = value;
  RecreateWnd();
}

void TMemo::SetWordWrap(bool value) {
  if (value == FWordWrap) return;
  FWordWrap = value;
  RecreateWnd();
}

// ---- Buttons ----

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) { SetTabStop(true); }

void TButtonControl::Click() {
  if (OnClick) OnClick(this);
}

void TButtonControl::CommandNotify(WORD code) {
  if (code == BN_CLICKED) Click();
}

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner) {}

void TCheckBox::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  params.ClassName = L"QuillonCheckBox";
  params.BaseClassName = L"BUTTON";
  params.Style |= BS_AUTOCHECKBOX;
}

void TCheckBox::CreateWindowHandleDone() {
  TButtonControl::CreateWindowHandleDone();
  ::SendMessageW(HandleIfAllocated(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TCheckBox::Checked() const {
  if (HandleAllocated()) return ::SendMessageW(HandleIfAllocated(), BM_GETCHECK, 0, 0) == BST_CHECKED;
  return FChecked;
}

void TCheckBox::SetChecked(bool value) {
  if (value == Checked()) return;
  FChecked = value;
  if (HandleAllocated()) ::SendMessageW(HandleIfAllocated(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!ComponentState().Loading) Click();
}

void TCheckBox::CommandNotify(WORD code) {
  // The platform has toggled the box already (BS_AUTOCHECKBOX) when it tells of the click.
  if (code == BN_CLICKED) FChecked = Checked();
  TButtonControl::CommandNotify(code);
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) {}

void TButton::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  params.ClassName = L"QuillonButton";
  params.BaseClassName = L"BUTTON";
  params.Style |= BS_PUSHBUTTON;
}

void TButton::WndProc(TMessage& m) {
  // Enter on a focused button presses it, as Space does.
  if (m.Msg == WM_KEYDOWN && m.WParam == VK_RETURN) {
    Click();
    m.Result = 0;
    return;
  }
  if (m.Msg == WM_CHAR && m.WParam == L'\r') {
    m.Result = 0;
    return;
  }
  TButtonControl::WndProc(m);
}
