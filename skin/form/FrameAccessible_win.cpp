#include "skin/form/FrameAccessible_win.h"

#include "framework/CodePage.h"
#include "skin/form/FrameMenus.h"
#include "skin/form/VeneerForm_win.h"

#include <algorithm>
#include <vector>

namespace {

std::wstring Wide(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }

bool IsCaptionButton(const TvnActiveSkinObject& o) {
  switch (o.Kind()) {
    case TvnObjectKind::StdButton:
    case TvnObjectKind::Button: return true;
    case TvnObjectKind::Animate: return static_cast<const TvnSkinAnimateObject&>(o).ActsAsButton;
    default: return false;
  }
}

// A click does something: a window command, or a menu to open. A custom button without a menu
// only tells the application of presses, which a tool cannot make.
bool Clickable(const TvnActiveSkinObject& o) {
  switch (o.Kind()) {
    case TvnObjectKind::StdButton: return static_cast<const TvnSkinStdButtonObject&>(o).Command != cmDefault;
    case TvnObjectKind::Button: return static_cast<const TvnSkinButtonObject&>(o).PopupItem != nullptr;
    case TvnObjectKind::Animate: {
      const auto& a = static_cast<const TvnSkinAnimateObject&>(o);
      return a.ActsAsButton && (a.Command != cmDefault || a.PopupItem != nullptr);
    }
    default: return false;
  }
}

// The frame objects that are caption buttons, by their index in the frame's list.
std::vector<int> CaptionButtons(const TvnFrameObjectList& objects) {
  std::vector<int> buttons;
  for (int i = 0; i < objects.Count(); ++i)
    if (IsCaptionButton(*objects.At(i))) buttons.push_back(i);
  return buttons;
}

RECT WindowRect(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return r;
}

long WindowState(HWND window) {
  long state = 0;
  if (!::IsWindowVisible(window)) state |= STATE_SYSTEM_INVISIBLE;
  if (!::IsWindowEnabled(window)) state |= STATE_SYSTEM_UNAVAILABLE;
  return state;
}

}  // namespace

// The frame's window as a whole: the title bar and the platform's client object inside it.
class TvnFrameWindowObject : public TAccessibleObject {
public:
  explicit TvnFrameWindowObject(TvnFrameAccessibility& owner) : FOwner(owner) {}

protected:
  HWND Window() const override { return FOwner.Frame().OwnerForm().HandleIfAllocated(); }
  long ChildCount() const override { return 2; }
  std::wstring Name(long) const override {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(Window())) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(Window(), text.data(), static_cast<int>(text.size()))));
    return text;
  }
  long Role(long) const override { return ROLE_SYSTEM_WINDOW; }
  long State(long) const override { return WindowState(Window()) | STATE_SYSTEM_FOCUSABLE; }
  RECT Location(long) const override { return WindowRect(Window()); }
  IDispatch* ChildObject(long child) const override {
    if (child == 1) return FOwner.TitleBar();
    IDispatch* client = nullptr;
    if (const TAccessibilityApi* api = TAccessibilityApi::Get())
      api->CreateStdAccessibleObject(Window(), OBJID_CLIENT, __uuidof(IDispatch), reinterpret_cast<void**>(&client));
    return client;
  }
  HRESULT Parent(IDispatch** parent) const override {
    // The desktop, as the platform's own object for this window knows it.
    IAccessible* standard = nullptr;
    const TAccessibilityApi* api = TAccessibilityApi::Get();
    if (api == nullptr || FAILED(api->CreateStdAccessibleObject(Window(), OBJID_WINDOW, __uuidof(IAccessible),
                                                                reinterpret_cast<void**>(&standard))))
      return E_FAIL;
    const HRESULT hr = standard->get_accParent(parent);
    standard->Release();
    return hr;
  }

private:
  TvnFrameAccessibility& FOwner;  // valid while connected
};

// The caption band and its buttons.
class TvnFrameTitleBar : public TAccessibleObject {
public:
  explicit TvnFrameTitleBar(TvnFrameAccessibility& owner) : FOwner(owner) {}

protected:
  HWND Window() const override { return FOwner.Frame().OwnerForm().HandleIfAllocated(); }
  long ChildCount() const override { return static_cast<long>(CaptionButtons(Objects()).size()); }
  std::wstring Name(long child) const override {
    if (child == CHILDID_SELF) return Wide(FOwner.Frame().CaptionText());
    const TvnActiveSkinObject& o = Button(child);
    if (!o.ObjectHintText.empty()) return Wide(o.ObjectHintText);
    // Hints may be off: the button still has the name its hint would have.
    if (const std::optional<TvnSkinCommand> command = ObjectCommand(o))
      if (const std::optional<TvnButtonHint> hint = DefaultButtonHint(*command))
        return Wide(FrameText(FOwner.Frame().SkinData(), hint->Key, hint->Text));
    return Wide(CodePageToUtf16(o.IDName));
  }
  long Role(long child) const override { return child == CHILDID_SELF ? ROLE_SYSTEM_TITLEBAR : ROLE_SYSTEM_PUSHBUTTON; }
  long State(long child) const override {
    if (child == CHILDID_SELF) return WindowState(Window()) & STATE_SYSTEM_INVISIBLE;
    const TvnActiveSkinObject& o = Button(child);
    long state = 0;
    const bool held = Objects().CapturedIndex() == Index(child) && o.MouseInside;
    const bool menuOpen = o.Kind() != TvnObjectKind::Animate && static_cast<const TvnSkinButtonObject&>(o).MenuOpen();
    if (held || menuOpen) state |= STATE_SYSTEM_PRESSED;
    if (!o.ObjectEnabled) state |= STATE_SYSTEM_UNAVAILABLE;
    if (!o.ObjectVisible) state |= STATE_SYSTEM_INVISIBLE;
    return state;
  }
  RECT Location(long child) const override {
    const RECT window = WindowRect(Window());
    if (child == CHILDID_SELF) {
      // From the window's top edge down to the client area, across the whole window.
      POINT client{0, 0};
      ::ClientToScreen(Window(), &client);
      return {window.left, window.top, window.right, std::max(window.top, client.y)};
    }
    const TRect& r = Button(child).ObjectRect;  // window coordinates
    return {window.left + r.Left, window.top + r.Top, window.left + r.Right, window.top + r.Bottom};
  }
  std::wstring DefaultAction(long child) const override {
    if (child == CHILDID_SELF) return {};
    const TvnActiveSkinObject& o = Button(child);
    return Clickable(o) && o.ObjectEnabled && o.ObjectVisible ? L"按" : L"";
  }
  void DoDefaultAction(long child) override {
    ::PostMessageW(Window(), AccessibleActionMessage(), static_cast<WPARAM>(Index(child)), 0);
  }
  HRESULT Parent(IDispatch** parent) const override {
    *parent = FOwner.WindowObject();
    return *parent != nullptr ? S_OK : E_FAIL;
  }

private:
  const TvnFrameObjectList& Objects() const { return FOwner.Frame().Objects(); }
  int Index(long child) const { return CaptionButtons(Objects())[static_cast<std::size_t>(child - 1)]; }
  const TvnActiveSkinObject& Button(long child) const { return *Objects().At(Index(child)); }

  TvnFrameAccessibility& FOwner;  // valid while connected
};

// ---- TvnFrameAccessibility --------------------------------------------------------------------

IDispatch* TvnFrameAccessibility::WindowObject() {
  if (!FWindow) FWindow = TAccessibleRef(new TvnFrameWindowObject(*this));
  return FWindow.Share();
}

IDispatch* TvnFrameAccessibility::TitleBar() {
  if (!FTitleBar) FTitleBar = TAccessibleRef(new TvnFrameTitleBar(*this));
  return FTitleBar.Share();
}

void TvnFrameAccessibility::Disconnect() {
  FWindow.Reset();
  FTitleBar.Reset();
}

bool TvnFrameAccessibility::Message(TMessage& m) {
  if (m.Msg == WM_NCDESTROY) {
    Disconnect();
    return false;
  }
  if (m.Msg == AccessibleActionMessage()) {
    Click(static_cast<int>(m.WParam));
    m.Result = 0;
    return true;
  }
  if (m.Msg != WM_GETOBJECT) return false;
  // Without a frame of its own (no border, or a maximized child inside its parent) the window
  // is the platform's to describe.
  if (FFrame.OwnerForm().BorderStyle() == TFormBorderStyle::bsNone || FFrame.MaximizedMdiChild()) return false;
  const LONG id = static_cast<LONG>(static_cast<DWORD>(m.LParam));
  IDispatch* object = id == OBJID_WINDOW ? WindowObject() : id == OBJID_TITLEBAR ? TitleBar() : nullptr;
  if (object == nullptr) return false;
  m.Result = AccessibleResult(*static_cast<TAccessibleObject*>(object), m.WParam);
  object->Release();
  return m.Result != 0;
}

void TvnFrameAccessibility::Click(int index) {
  TvnActiveSkinObject* o = FFrame.Objects().At(index);
  if (o == nullptr || !IsCaptionButton(*o) || !Clickable(*o) || !o->ObjectEnabled || !o->ObjectVisible) return;
  switch (o->Kind()) {
    case TvnObjectKind::Animate: static_cast<TvnSkinAnimateObject*>(o)->DoCommand(); break;
    case TvnObjectKind::StdButton: {
      auto* button = static_cast<TvnSkinStdButtonObject*>(o);
      // The system menu opens on a press, and the button stays down until the menu closes.
      if (button->Command == cmSysMenu) button->MouseDown(-1, -1, TvnMouseButton::Left);
      else button->DoCommand();
      break;
    }
    default: static_cast<TvnSkinButtonObject*>(o)->MouseDown(-1, -1, TvnMouseButton::Left); break;  // its menu
  }
}
