#include "framework/Forms_win.h"

#include "framework/Application_win.h"
#include "framework/Dpi_win.h"
#include "framework/GdiCache_win.h"
#include "framework/Menus.h"

#include <algorithm>
#include <stdexcept>

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  SetVisible(false);
  SetParentFont(false);
  SetColor(clBtnFace);
  SetBounds(0, 0, 320, 240);
  if (Application) Application->AddForm(this);
}

TForm::~TForm() {
  if (Application) Application->RemoveForm(this);
  // Owned components go first, while this window still exists: a component that took over
  // the window (the skin engine) lets go of it in its destructor.
  while (ComponentCount() > 0) RemoveAndFree(Components(ComponentCount() - 1));
  FActiveControl = nullptr;
  FClientHandle = nullptr;  // goes with our window
  // A child leaves through its client window, which then activates the next child.
  HWND window = HandleIfAllocated();
  HWND client = window && FFormStyle == TFormStyle::fsMDIChild ? ::GetParent(window) : nullptr;
  if (client) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    ::SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
  }
  DestroyHandle();
}

void TForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == FMenu) FMenu = nullptr;
  if (component == FWindowMenu) FWindowMenu = nullptr;
}

void TForm::SetFormStyle(TFormStyle value) {
  if (value == FFormStyle) return;
  if (HandleAllocated()) throw std::logic_error("the form style is set before the window exists");
  FFormStyle = value;
}

void TForm::SetMenu(TMainMenu* value) {
  if (value == FMenu) return;
  if (FMenu) RemoveFreeNotification(FMenu);
  FMenu = value;
  if (FMenu) FreeNotification(FMenu);
}

void TForm::SetWindowMenu(TMenuItem* value) {
  if (value == FWindowMenu) return;
  if (FWindowMenu) RemoveFreeNotification(FWindowMenu);
  FWindowMenu = value;
  if (FWindowMenu) FreeNotification(FWindowMenu);
}

DWORD TForm::FrameStyle() const {
  DWORD style = WS_CLIPCHILDREN;
  switch (FBorderStyle) {
    case TFormBorderStyle::bsNone: style |= WS_POPUP; break;
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsToolWindow: style |= WS_CAPTION | WS_BORDER; break;
    case TFormBorderStyle::bsSizeable:
    case TFormBorderStyle::bsSizeToolWin: style |= WS_CAPTION | WS_THICKFRAME; break;
    case TFormBorderStyle::bsDialog: style |= WS_CAPTION | DS_MODALFRAME; break;
  }
  if (FBorderStyle != TFormBorderStyle::bsNone && (FBorderIcons & biSystemMenu)) {
    style |= WS_SYSMENU;
    bool canMinMax = FBorderStyle == TFormBorderStyle::bsSingle || FBorderStyle == TFormBorderStyle::bsSizeable;
    if (canMinMax && (FBorderIcons & biMinimize)) style |= WS_MINIMIZEBOX;
    if (canMinMax && (FBorderIcons & biMaximize)) style |= WS_MAXIMIZEBOX;
  }
  return style;
}

DWORD TForm::FrameExStyle() const {
  DWORD ex = 0;
  if (FBorderStyle == TFormBorderStyle::bsDialog) ex |= WS_EX_DLGMODALFRAME;
  if (FBorderStyle == TFormBorderStyle::bsToolWindow || FBorderStyle == TFormBorderStyle::bsSizeToolWin) ex |= WS_EX_TOOLWINDOW;
  if ((FBorderIcons & biHelp) && !(FBorderIcons & (biMinimize | biMaximize))) ex |= WS_EX_CONTEXTHELP;
  return ex;
}

void TForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ClassName = L"QuillonForm";
  if (FFormStyle == TFormStyle::fsMDIChild) {
    TForm* main = Application ? Application->MainForm() : nullptr;
    if (!main || main == this || main->FormStyle() != TFormStyle::fsMDIForm || !main->Handle() || !main->ClientHandle())
      throw std::runtime_error("a multi-document child needs a multi-document main form");
    params.ExStyle |= WS_EX_MDICHILD;
    params.ParentWindow = main->ClientHandle();
  }
  params.ClassStyle = CS_DBLCLKS;
  params.Style = (params.Style & ~static_cast<DWORD>(WS_TABSTOP)) | FrameStyle();
  params.ExStyle |= FrameExStyle();
  if (FClientWidth >= 0 || FClientHeight >= 0) {
    RECT r{0, 0, FClientWidth >= 0 ? FClientWidth : 0, FClientHeight >= 0 ? FClientHeight : 0};
    ::AdjustWindowRectEx(&r, params.Style, FALSE, params.ExStyle);
    if (FClientWidth >= 0) params.Width = r.right - r.left;
    if (FClientHeight >= 0) params.Height = r.bottom - r.top;
  }
}

void TForm::CreateWnd() {
  // A form laid out for 96 DPI comes up at the DPI its window starts at.
  ScaleForDpi(SystemDpi());
  TWinControl::CreateWnd();
}

void TForm::ScaleForDpi(int dpi) {
  if (dpi <= 0 || dpi == PixelsPerInch()) return;
  const auto scale = [&](int v) { return v < 0 ? v : ScaleBetweenDpis(v, PixelsPerInch(), dpi); };
  FClientWidth = scale(FClientWidth);
  FClientHeight = scale(FClientHeight);
  FDescribedClientWidth = scale(FDescribedClientWidth);
  FDescribedClientHeight = scale(FDescribedClientHeight);
  TWinControl::ScaleForDpi(dpi);
}

void TForm::CreateWindowHandleDone() {
  FClientWidth = FClientHeight = -1;
  if (FFormStyle == TFormStyle::fsMDIForm) CreateClientWindow();
  TWinControl::CreateWindowHandleDone();
}

void TForm::CreateClientWindow() {
  CLIENTCREATESTRUCT create{nullptr, 0xFF00};
  TRect area = MDIClientArea();
  FClientHandle = ::CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VISIBLE,
                                    area.Left, area.Top, area.Width(), area.Height(), HandleIfAllocated(), nullptr,
                                    ::GetModuleHandleW(nullptr), &create);
  if (!FClientHandle) throw std::runtime_error("cannot create the client window of " + Name());
}

TRect TForm::MDIClientArea() {
  HWND window = HandleIfAllocated();
  if (!window) return {};
  RECT client;
  ::GetClientRect(window, &client);
  std::vector<TAlignedControl> controls;
  for (int i = 0; i < ControlCount(); ++i) {
    TWinControl* c = Controls(i);
    controls.push_back({c->Align(), c->Visible(), c->BoundsRect()});
  }
  return FreeClientArea(client.right, client.bottom, controls);
}

void TForm::AlignDone() { PlaceClientWindow(); }

void TForm::PlaceClientWindow() {
  if (!FClientHandle) return;
  TRect area = MDIClientArea();
  RECT now;
  ::GetWindowRect(FClientHandle, &now);
  ::MapWindowPoints(HWND_DESKTOP, HandleIfAllocated(), reinterpret_cast<POINT*>(&now), 2);
  if (now.left == area.Left && now.top == area.Top && now.right == area.Right && now.bottom == area.Bottom) return;
  ::SetWindowPos(FClientHandle, nullptr, area.Left, area.Top, std::max(0, area.Width()), std::max(0, area.Height()),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

TForm* TForm::ActiveMDIChild() const {
  if (!FClientHandle) return nullptr;
  auto window = reinterpret_cast<HWND>(::SendMessageW(FClientHandle, WM_MDIGETACTIVE, 0, 0));
  return dynamic_cast<TForm*>(FindControl(window));
}

int TForm::MDIChildCount() const {
  int n = 0;
  while (MDIChildren(n)) ++n;
  return n;
}

TForm* TForm::MDIChildren(int index) const {
  if (!FClientHandle || index < 0) return nullptr;
  for (HWND w = ::GetWindow(FClientHandle, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
    auto* form = dynamic_cast<TForm*>(FindControl(w));
    if (form && form->FormStyle() == TFormStyle::fsMDIChild && index-- == 0) return form;
  }
  return nullptr;
}

void TForm::Cascade() {
  if (FClientHandle) ::SendMessageW(FClientHandle, WM_MDICASCADE, 0, 0);
}

void TForm::Tile() {
  if (FClientHandle) ::SendMessageW(FClientHandle, WM_MDITILE, MDITILE_VERTICAL, 0);
}

void TForm::Next() {
  if (FClientHandle) ::SendMessageW(FClientHandle, WM_MDINEXT, 0, 0);
}

void TForm::Release() {
  if (Application) Application->ReleaseForm(this);
}

void TForm::DoClose() {
  bool main = Application && Application->MainForm() == this;
  TCloseAction action = FFormStyle == TFormStyle::fsMDIChild ? TCloseAction::caFree : TCloseAction::caHide;
  if (OnClose) OnClose(*this, action);
  if (action == TCloseAction::caNone) return;
  if (main) {
    Application->Terminate();
    SetVisible(false);
    return;
  }
  switch (action) {
    case TCloseAction::caHide: SetVisible(false); break;
    case TCloseAction::caMinimize:
      if (HandleAllocated()) ::ShowWindow(HandleIfAllocated(), SW_MINIMIZE);
      break;
    case TCloseAction::caFree:
      SetVisible(false);
      Release();
      break;
    default: break;
  }
}

void TForm::DefaultHandler(TMessage& m) {
  HWND window = HandleIfAllocated();
  if (window && FFormStyle == TFormStyle::fsMDIForm && FClientHandle && m.Msg != WM_SIZE) {
    // The parent's default handling knows its client window (activation, menus, keys); its
    // size handling is not wanted: aligned controls share the client area with it.
    m.Result = ::DefFrameProcW(window, FClientHandle, m.Msg, m.WParam, m.LParam);
    return;
  }
  if (window && FFormStyle == TFormStyle::fsMDIChild) {
    m.Result = ::DefMDIChildProcW(window, m.Msg, m.WParam, m.LParam);
    return;
  }
  TWinControl::DefaultHandler(m);
}

void TForm::Loaded() {
  TWinControl::Loaded();
  if (!HandleAllocated()) return;
  if (FDescribedClientWidth >= 0) SetClientWidth(FDescribedClientWidth);
  if (FDescribedClientHeight >= 0) SetClientHeight(FDescribedClientHeight);
}

void TForm::UpdateFrameStyle() {
  HWND window = HandleIfAllocated();
  if (!window) return;
  // Changing the frame keeps the client area's size, as a form's properties are read.
  RECT client;
  ::GetClientRect(window, &client);
  LONG_PTR keep = ::GetWindowLongPtrW(window, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED | WS_CHILD);
  ::SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>(FrameStyle()) | keep);
  ::SetWindowLongPtrW(window, GWL_EXSTYLE, static_cast<LONG_PTR>(FrameExStyle()));
  ::SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetClientWidth(client.right);
  SetClientHeight(client.bottom);
}

void TForm::SetBorderStyle(TFormBorderStyle value) {
  FBorderStyle = value;
  UpdateFrameStyle();
}

void TForm::SetBorderIcons(TBorderIcons value) {
  FBorderIcons = value;
  UpdateFrameStyle();
}

int TForm::ClientWidth() {
  if (!HandleAllocated()) return FClientWidth >= 0 ? FClientWidth : Width();
  RECT r;
  ::GetClientRect(HandleIfAllocated(), &r);
  return r.right;
}

int TForm::ClientHeight() {
  if (!HandleAllocated()) return FClientHeight >= 0 ? FClientHeight : Height();
  RECT r;
  ::GetClientRect(HandleIfAllocated(), &r);
  return r.bottom;
}

void TForm::SetClientWidth(int value) {
  if (ComponentState().Loading) FDescribedClientWidth = value;
  if (!HandleAllocated()) {
    FClientWidth = value;
    return;
  }
  SetWidth(Width() + value - ClientWidth());
}

void TForm::SetClientHeight(int value) {
  if (ComponentState().Loading) FDescribedClientHeight = value;
  if (!HandleAllocated()) {
    FClientHeight = value;
    return;
  }
  SetHeight(Height() + value - ClientHeight());
}

void TForm::PlaceOnScreen() {
  if (FPosition == TPosition::poScreenCenter || FPosition == TPosition::poDesktopCenter ||
      (FPosition == TPosition::poMainFormCenter && (!Application || Application->MainForm() == this))) {
    RECT r;
    ::GetWindowRect(Handle(), &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    int screenW = ::GetSystemMetrics(SM_CXSCREEN), screenH = ::GetSystemMetrics(SM_CYSCREEN);
    SetBounds((screenW - w) / 2, (screenH - h) / 2, w, h);
  } else if (FPosition == TPosition::poMainFormCenter && Application && Application->MainForm()) {
    TForm* main = Application->MainForm();
    SetBounds(main->Left() + (main->Width() - Width()) / 2, main->Top() + (main->Height() - Height()) / 2, Width(), Height());
  }
}

void TForm::Show() {
  Handle();
  if (!FPlaced) {
    FPlaced = true;
    if (FFormStyle != TFormStyle::fsMDIChild) PlaceOnScreen();
  }
  SetVisible(true);
  if (FFormStyle == TFormStyle::fsMDIChild) {
    ::SendMessageW(::GetParent(HandleIfAllocated()), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(HandleIfAllocated()), 0);
    ::BringWindowToTop(HandleIfAllocated());
  } else {
    ::SetForegroundWindow(HandleIfAllocated());
  }
  if (!FActiveControl) {
    std::vector<TWinControl*> tabs = TabList();
    if (!tabs.empty()) FActiveControl = tabs.front();
  }
  if (FActiveControl && FActiveControl->CanFocus()) FActiveControl->SetFocus();
}

void TForm::Close() {
  if (HandleAllocated()) ::SendMessageW(HandleIfAllocated(), WM_CLOSE, 0, 0);
  else Perform(WM_CLOSE);
}

void TForm::SetActiveControl(TWinControl* control) {
  FActiveControl = control;
  if (control && HandleAllocated() && ::IsWindowVisible(HandleIfAllocated()) && control->CanFocus()) control->SetFocus();
}

void TForm::ControlFocused(TWinControl* control) { FActiveControl = control; }

void TForm::ControlDestroying(TWinControl* control) {
  if (FActiveControl == control) FActiveControl = nullptr;
}

void TForm::CollectTabList(TWinControl* parent, std::vector<TWinControl*>& list) {
  std::vector<TWinControl*> children;
  for (int i = 0; i < parent->ControlCount(); ++i) children.push_back(parent->Controls(i));
  // Tab order first; controls without one (-1) after, in the order they were added.
  std::stable_sort(children.begin(), children.end(), [](TWinControl* a, TWinControl* b) {
    unsigned ka = static_cast<unsigned>(a->TabOrder()), kb = static_cast<unsigned>(b->TabOrder());
    return ka < kb;
  });
  for (TWinControl* c : children) {
    if (c->TabStop() && c->CanFocus()) list.push_back(c);
    CollectTabList(c, list);
  }
}

std::vector<TWinControl*> TForm::TabList() {
  std::vector<TWinControl*> list;
  CollectTabList(this, list);
  return list;
}

void TForm::SelectNext(TWinControl* current, bool forward) {
  std::vector<TWinControl*> tabs = TabList();
  if (tabs.empty()) return;
  auto it = std::find(tabs.begin(), tabs.end(), current);
  std::size_t next;
  if (it == tabs.end()) next = forward ? 0 : tabs.size() - 1;
  else {
    auto index = static_cast<std::size_t>(it - tabs.begin());
    next = forward ? (index + 1) % tabs.size() : (index + tabs.size() - 1) % tabs.size();
  }
  TWinControl* target = tabs[next];
  FActiveControl = target;
  target->SetFocus();
  // Tabbing into a single-line edit selects its text, as dialogs do; a memo keeps its caret.
  HWND window = target->HandleIfAllocated();
  if (window && (::SendMessageW(window, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) &&
      !(::GetWindowLongPtrW(window, GWL_STYLE) & ES_MULTILINE))
    ::SendMessageW(window, EM_SETSEL, 0, -1);
}

void TForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND: {
      if (FClientHandle) break;  // the client window covers what the controls leave
      RECT r;
      ::GetClientRect(HandleIfAllocated(), &r);
      ::FillRect(reinterpret_cast<HDC>(m.WParam), &r, CachedBrush(Color()));
      m.Result = 1;
      return;
    }
    case WM_SETFOCUS:
      // The window itself got the focus (activation): give it to the control that had it.
      if (FActiveControl && FActiveControl->CanFocus()) {
        FActiveControl->SetFocus();
        m.Result = 0;
        return;
      }
      break;
    case WM_CLOSE:
      DoClose();
      m.Result = 0;
      return;
    case WM_DPICHANGED: {
      // Moved to a monitor with another DPI: everything scales, and the window takes the
      // rectangle the platform suggests for the new DPI.
      ScaleForDpi(LOWORD(m.WParam));
      const RECT* suggested = reinterpret_cast<const RECT*>(m.LParam);
      if (suggested != nullptr)
        SetBounds(suggested->left, suggested->top, suggested->right - suggested->left, suggested->bottom - suggested->top);
      m.Result = 0;
      return;
    }
    default:
      break;
  }
  TWinControl::WndProc(m);
}
