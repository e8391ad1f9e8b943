#include "framework/Controls_win.h"

#include "framework/DpiScale.h"
#include "framework/Forms_win.h"
#include "framework/GdiCache_win.h"
#include "framework/WindowException_win.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <utility>

namespace {

// The system procedure behind each framework window class, by class atom: the default for
// messages that arrive before the object is bound (WM_GETMINMAXINFO comes before
// WM_NCCREATE) and for a superclassed control's own handling.
std::map<ATOM, WNDPROC>& DefaultProcs() {
  static std::map<ATOM, WNDPROC> procs;
  return procs;
}

struct TClassEntry {
  ATOM Atom;
  WNDPROC DefProc;
};

TClassEntry RegisterFrameworkClass(const wchar_t* name, const wchar_t* baseName, UINT classStyle, WNDPROC proc) {
  static std::map<std::wstring, TClassEntry> registered;
  auto it = registered.find(name);
  if (it != registered.end()) return it->second;
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  WNDPROC defProc = ::DefWindowProcW;
  if (baseName) {
    // Superclassing: the system class's settings, our procedure in front of its own.
    if (!::GetClassInfoExW(nullptr, baseName, &wc)) throw std::runtime_error("no system window class to build on");
    defProc = wc.lpfnWndProc;
  } else {
    wc.style = classStyle;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = static_cast<HICON>(::LoadImageW(instance, L"MAINICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    wc.hIconSm = static_cast<HICON>(::LoadImageW(instance, L"MAINICON", IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                 ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  }
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.lpszClassName = name;
  ATOM atom = ::RegisterClassExW(&wc);
  if (!atom) throw std::runtime_error("cannot register a window class");
  DefaultProcs()[atom] = defProc;
  TClassEntry entry{atom, defProc};
  registered.emplace(name, entry);
  return entry;
}

WNDPROC ClassDefaultProc(HWND window) {
  auto atom = static_cast<ATOM>(::GetClassWord(window, GCW_ATOM));
  auto it = DefaultProcs().find(atom);
  return it == DefaultProcs().end() ? ::DefWindowProcW : it->second;
}

}  // namespace

TWinControl::TWinControl(TComponent* owner) : TComponent(owner) {
  FWindowProc = [this](TMessage& m) { WndProc(m); };
}

TWinControl::~TWinControl() {
  for (TWinControl* child : FControls) child->FParent = nullptr;
  FControls.clear();
  if (FParent) {
    if (TForm* form = FParent->ParentForm()) form->ControlDestroying(this);
    std::erase(FParent->FControls, this);
    FParent = nullptr;
  }
  DestroyHandle();
}

HWND TWinControl::Handle() {
  if (!FHandle) {
    if (FParent) FParent->Handle();  // making the parent may make this one too
    if (!FHandle) CreateWnd();
  }
  return FHandle;
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.Style = (FParent ? WS_CHILD | WS_CLIPSIBLINGS : 0) | (FVisible ? WS_VISIBLE : 0) |
                 (FTabStop ? WS_TABSTOP : 0) | (FEnabled ? 0 : WS_DISABLED);
  params.X = FBounds.Left;
  params.Y = FBounds.Top;
  params.Width = FBounds.Width();
  params.Height = FBounds.Height();
  params.ParentWindow = FParent ? FParent->Handle() : nullptr;
}

// Set while a window is being made, so that its creation messages reach the right defaults.
static thread_local TWinControl* gCreating = nullptr;

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  TClassEntry entry = RegisterFrameworkClass(params.ClassName, params.BaseClassName, params.ClassStyle, StaticWndProc);
  FDefWndProc = entry.DefProc;
  TWinControl* outer = std::exchange(gCreating, this);
  HWND window = ::CreateWindowExW(params.ExStyle, params.ClassName, FText.c_str(), params.Style, params.X, params.Y,
                                  params.Width, params.Height, params.ParentWindow, nullptr, ::GetModuleHandleW(nullptr), this);
  gCreating = outer;
  if (!window) throw std::runtime_error("cannot create the window of " + (Name().empty() ? std::string("a control") : Name()));
  FHandle = window;
  CreateWindowHandleDone();
}

void TWinControl::CreateWindowHandleDone() {
  ApplyFont();
  if (FAlign != TAlign::alNone && FParent) FParent->AlignControls();
  // Children that are fully read get their windows with ours; the others in their Loaded.
  std::vector<TWinControl*> children = FControls;
  for (TWinControl* child : children)
    if (!child->FHandle && !child->ComponentState().Loading) child->CreateWnd();
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  HWND window = FHandle;
  // From here on the window's last messages go to the platform only: this object may be
  // half destroyed already (a derived part gone).
  ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  FHandle = nullptr;
  ::DestroyWindow(window);
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  std::wstring text = Text();
  DestroyHandle();
  FText = std::move(text);
  Handle();
}

void TWinControl::Loaded() {
  TComponent::Loaded();
  if (FParent && FParent->HandleAllocated() && !FHandle) CreateWnd();
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (FParent) std::erase(FParent->FControls, this);
  FParent = parent;
  if (!FParent) return;
  FParent->FControls.push_back(this);
  ScaleForDpi(FParent->FPixelsPerInch);
  if (FHandle) ::SetParent(FHandle, FParent->Handle());
  else if (FParent->HandleAllocated() && !ComponentState().Loading) CreateWnd();
}

TForm* TWinControl::ParentForm() {
  TWinControl* c = this;
  while (c->FParent) c = c->FParent;
  return dynamic_cast<TForm*>(c);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  FBounds = Bounds(left, top, width, height);
  if (FHandle) ::SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (FParent) FParent->ChildBoundsChanged(this);
}

void TWinControl::ScaleForDpi(int dpi) {
  if (dpi <= 0 || dpi == FPixelsPerInch) return;
  const int from = FPixelsPerInch;
  const auto scale = [&](int v) { return ScaleBetweenDpis(v, from, dpi); };
  FPixelsPerInch = dpi;
  if (!FParentFont) FFont.Height = scale(FFont.Height);
  ApplyFont();  // with a parent's font, the parent's font as it is now
  const TRect b = FBounds;
  if (FParent) SetBounds(scale(b.Left), scale(b.Top), scale(b.Width()), scale(b.Height()));
  else SetBounds(b.Left, b.Top, scale(b.Width()), scale(b.Height()));
  for (TWinControl* child : std::vector<TWinControl*>(FControls)) child->ScaleForDpi(dpi);
}

void TWinControl::ChildBoundsChanged(TWinControl* child) {
  if (child->FAlign != TAlign::alNone && !FAligning) AlignControls();
}

void TWinControl::SetAlign(TAlign value) {
  if (value == FAlign) return;
  FAlign = value;
  if (FParent) FParent->AlignControls();
}

void TWinControl::AlignControls() {
  if (!FHandle || FAligning) return;
  bool any = false;
  std::vector<TAlignedControl> controls;
  controls.reserve(FControls.size());
  for (TWinControl* c : FControls) {
    controls.push_back({c->FAlign, c->FVisible, c->FBounds});
    any = any || c->FAlign != TAlign::alNone;
  }
  if (any) {
    RECT client;
    ::GetClientRect(FHandle, &client);
    std::vector<TRect> bounds = AlignControlBounds(client.right, client.bottom, controls);
    FAligning = true;
    for (std::size_t i = 0; i < FControls.size(); ++i) {
      TWinControl* c = FControls[i];
      if (c->FAlign == TAlign::alNone || bounds[i] == c->FBounds) continue;
      c->SetBounds(bounds[i].Left, bounds[i].Top, bounds[i].Width(), bounds[i].Height());
    }
    FAligning = false;
  }
  AlignDone();
}

std::wstring TWinControl::Text() const {
  if (!FHandle) return FText;
  int length = ::GetWindowTextLengthW(FHandle);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  int got = ::GetWindowTextW(FHandle, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(got, 0)));
  return text;
}

void TWinControl::SetText(std::wstring_view text) {
  FText.assign(text);
  if (FHandle) ::SetWindowTextW(FHandle, FText.c_str());
}

void TWinControl::SetColor(TColor color) {
  FColor = color;
  if (FHandle) ::InvalidateRect(FHandle, nullptr, TRUE);
}

const TFontDesc& TWinControl::Font() const {
  if (FParentFont && FParent) return FParent->Font();
  return FFont;
}

TFontDesc& TWinControl::FontForChange() {
  if (FParentFont) {
    FFont = Font();
    FParentFont = false;
  }
  return FFont;
}

void TWinControl::FontChanged() {
  ApplyFont();
  UpdateChildFonts();
}

void TWinControl::SetParentFont(bool value) {
  if (value == FParentFont) return;
  if (!value) FFont = Font();
  FParentFont = value;
  FontChanged();
}

void TWinControl::ApplyFont() {
  if (FHandle) ::SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(CachedFont(Font())), TRUE);
}

void TWinControl::UpdateChildFonts() {
  for (TWinControl* child : FControls)
    if (child->FParentFont) child->FontChanged();
}

void TWinControl::SetTabStop(bool value) {
  FTabStop = value;
  if (FHandle) {
    LONG_PTR style = ::GetWindowLongPtrW(FHandle, GWL_STYLE);
    ::SetWindowLongPtrW(FHandle, GWL_STYLE, value ? style | WS_TABSTOP : style & ~static_cast<LONG_PTR>(WS_TABSTOP));
  }
}

void TWinControl::SetVisible(bool value) {
  FVisible = value;
  if (FHandle) ::ShowWindow(FHandle, value ? SW_SHOW : SW_HIDE);
  if (FAlign != TAlign::alNone && FParent) FParent->AlignControls();
}

void TWinControl::SetEnabled(bool value) {
  FEnabled = value;
  if (FHandle) ::EnableWindow(FHandle, value);
}

bool TWinControl::Focused() const { return FHandle && ::GetFocus() == FHandle; }

void TWinControl::SetFocus() { ::SetFocus(Handle()); }

bool TWinControl::CanFocus() const {
  return FHandle && ::IsWindowVisible(FHandle) && ::IsWindowEnabled(FHandle);
}

LRESULT TWinControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  FWindowProc(m);
  return m.Result;
}

void TWinControl::SetWindowProc(TWndMethod proc) {
  if (proc) FWindowProc = std::move(proc);
  else FWindowProc = [this](TMessage& m) { WndProc(m); };
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (!FHandle) {
    m.Result = 0;
    return;
  }
  m.Result = ::CallWindowProcW(FDefWndProc ? FDefWndProc : ::DefWindowProcW, FHandle, m.Msg, m.WParam, m.LParam);
}

HBRUSH TWinControl::CtlColor(HDC dc) {
  ::SetTextColor(dc, ColorToRGB(Font().Color));
  ::SetBkColor(dc, ColorToRGB(FColor));
  return CachedBrush(FColor);
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SETFOCUS:
      if (TForm* form = ParentForm(); form && form != this) form->ControlFocused(this);
      break;
    case WM_SIZE:
      AlignControls();
      break;
    case WM_WINDOWPOSCHANGED:
      if (FHandle) {
        RECT r;
        ::GetWindowRect(FHandle, &r);
        // A child window's place is in its parent window (for a multi-document child, the
        // parent's client window, which is no control of ours).
        if (HWND parent = (::GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_CHILD) ? ::GetParent(FHandle) : nullptr)
          ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
        FBounds = Rect(r.left, r.top, r.right, r.bottom);
      }
      break;
    case WM_COMMAND:
      // A control's notification comes to its parent: hand it back to the control.
      if (m.LParam)
        if (TWinControl* child = FindControl(reinterpret_cast<HWND>(m.LParam))) {
          child->CommandNotify(HIWORD(m.WParam));
          m.Result = 0;
          return;
        }
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (TWinControl* child = FindControl(reinterpret_cast<HWND>(m.LParam))) {
        m.Result = reinterpret_cast<LRESULT>(child->CtlColor(reinterpret_cast<HDC>(m.WParam)));
        return;
      }
      break;
    default:
      break;
  }
  DefaultHandler(m);
}

TWinControl* TWinControl::FindControl(HWND window) {
  if (!window) return nullptr;
  // Our windows are the ones whose class procedure is ours (a window procedure installed on
  // one window does not change its class's).
  if (reinterpret_cast<WNDPROC>(::GetClassLongPtrW(window, GCLP_WNDPROC)) != &TWinControl::StaticWndProc) return nullptr;
  return reinterpret_cast<TWinControl*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* self = nullptr;
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    // A multi-document child is made by its client window, which wraps our parameter.
    if (create->dwExStyle & WS_EX_MDICHILD)
      self = create->lpCreateParams
                 ? reinterpret_cast<TWinControl*>(static_cast<MDICREATESTRUCTW*>(create->lpCreateParams)->lParam)
                 : nullptr;
    else
      self = static_cast<TWinControl*>(create->lpCreateParams);
    if (self) {
      ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->FHandle = window;
    }
  } else {
    self = reinterpret_cast<TWinControl*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (!self) return ::CallWindowProcW(ClassDefaultProc(window), window, msg, wParam, lParam);

  TMessage m{msg, wParam, lParam, 0};
  try {
    self->FWindowProc(m);
  } catch (const std::exception& e) {
    ReportWindowException(e.what());
    m.Result = 0;
  } catch (...) {
    ReportWindowException("unknown error");
    m.Result = 0;
  }
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (self->FHandle == window) self->FHandle = nullptr;
  }
  return m.Result;
}
