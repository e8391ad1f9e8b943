#include "skin/menus/vnSkinMenusAccessible_win.h"

#include "skin/menus/vnSkinMenus_win.h"

namespace {

// The caption as read aloud: a single "&" marks the access key and goes, "&&" is a plain "&".
std::wstring WithoutAccessKey(std::u16string_view caption) {
  std::wstring text;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == u'&' && i + 1 < caption.size()) ++i;
    else if (caption[i] == u'&') continue;
    text.push_back(static_cast<wchar_t>(caption[i]));
  }
  return text;
}

// The popup window's client area and its items, asked afresh at every call: a window is used
// again for later menus, and a closed one lists nothing (its items may name menus freed since).
class TvnPopupMenuObject : public TAccessibleObject {
public:
  explicit TvnPopupMenuObject(TvnSkinPopupWindow& window) : FWindow(window) {}

protected:
  HWND Window() const override { return FWindow.HandleIfAllocated(); }
  long ChildCount() const override { return FWindow.Closed() ? 0 : FWindow.ItemCount(); }
  std::wstring Name(long child) const override {
    if (child == CHILDID_SELF) return FWindow.Closed() || !FWindow.ListA ? L"" : WithoutAccessKey(FWindow.ListA->Caption);
    const TMenuItem& source = Source(child);
    return source.IsLine() ? L"" : WithoutAccessKey(source.Caption);
  }
  long Role(long child) const override {
    if (child == CHILDID_SELF) return ROLE_SYSTEM_MENUPOPUP;
    return Source(child).IsLine() ? ROLE_SYSTEM_SEPARATOR : ROLE_SYSTEM_MENUITEM;
  }
  long State(long child) const override {
    if (child == CHILDID_SELF)
      return FWindow.Closed() || !::IsWindowVisible(Window()) ? STATE_SYSTEM_INVISIBLE : 0;
    const TvnSkinMenuItem& item = Item(child);
    long state = 0;
    if (item.SourceItem->Checked) state |= STATE_SYSTEM_CHECKED;
    if (!item.SourceItem->Enabled) state |= STATE_SYSTEM_UNAVAILABLE;
    if (item.Hot) state |= STATE_SYSTEM_FOCUSED;
    if (item.HasChildren()) state |= STATE_SYSTEM_HASPOPUP;
    if (!item.InView()) state |= STATE_SYSTEM_INVISIBLE;
    return state;
  }
  RECT Location(long child) const override {
    RECT window{};
    ::GetWindowRect(Window(), &window);
    if (child == CHILDID_SELF) return window;
    const TRect& r = Item(child).ItemRect();  // client coordinates of a window without border
    return {window.left + r.Left, window.top + r.Top, window.left + r.Right, window.top + r.Bottom};
  }
  std::wstring KeyboardShortcut(long child) const override {
    if (child == CHILDID_SELF) return {};
    const TMenuItem& source = Source(child);
    if (source.ShortCut != scNone) {
      const std::string text = ShortCutToText(source.ShortCut);
      return std::wstring(text.begin(), text.end());  // key names are plain ASCII
    }
    const char16_t key = AccelChar(source.Caption);
    return key != 0 ? std::wstring(1, static_cast<wchar_t>(key)) : std::wstring();
  }
  std::wstring DefaultAction(long child) const override {
    if (child == CHILDID_SELF) return {};
    const TMenuItem& source = Source(child);
    if (source.IsLine() || !source.Enabled) return {};
    return source.Count() > 0 ? L"打开" : L"执行";
  }
  void DoDefaultAction(long child) override {
    ::PostMessageW(Window(), AccessibleActionMessage(), static_cast<WPARAM>(child - 1),
                   static_cast<LPARAM>(FWindow.Serial));
  }
  long Focus() const override {
    for (long i = 1; i <= ChildCount(); ++i)
      if (Item(i).Hot) return i;
    return -1;
  }

private:
  TvnSkinMenuItem& Item(long child) const { return FWindow.Item(static_cast<int>(child - 1)); }
  const TMenuItem& Source(long child) const { return *Item(child).SourceItem; }

  TvnSkinPopupWindow& FWindow;  // valid while connected
};

}  // namespace

bool TvnPopupAccessibility::Message(TMessage& m) {
  if (m.Msg == WM_NCDESTROY) {
    Disconnect();
    return false;
  }
  if (m.Msg == AccessibleActionMessage()) {
    // Only for the menu the tool saw: the window may have closed, or shows another menu now.
    const int index = static_cast<int>(m.WParam);
    if (!FWindow.Closed() && static_cast<unsigned>(m.LParam) == FWindow.Serial && index >= 0 &&
        index < FWindow.ItemCount())
      FWindow.Item(index).RunItem();
    m.Result = 0;
    return true;
  }
  if (m.Msg != WM_GETOBJECT || static_cast<LONG>(static_cast<DWORD>(m.LParam)) != OBJID_CLIENT) return false;
  if (!FObject) FObject = TAccessibleRef(new TvnPopupMenuObject(FWindow));
  m.Result = AccessibleResult(*FObject, m.WParam);
  return m.Result != 0;
}
