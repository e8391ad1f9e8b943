#include "framework/Accessible_win.h"

#include <atomic>

namespace {

std::atomic<long> gLive{0};

template <class T>
T Entry(HMODULE module, const char* name) {
  // Through void(*)(): the one function pointer type that any other may be cast from quietly.
  return module ? reinterpret_cast<T>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name))) : nullptr;
}

using TCoInitializeEx = HRESULT(WINAPI*)(LPVOID, DWORD);

VARIANT ChildVariant(long child) {
  VARIANT v;
  v.vt = VT_I4;
  v.lVal = child;
  return v;
}

}  // namespace

const TAccessibilityApi* TAccessibilityApi::Get() {
  static TCoInitializeEx coInitialize = nullptr;
  static const TAccessibilityApi* api = []() -> const TAccessibilityApi* {
    static TAccessibilityApi a;
    // The libraries stay loaded for the process's life: tools may hold objects until the end.
    HMODULE oleacc = ::LoadLibraryW(L"oleacc.dll");
    HMODULE oleaut = ::LoadLibraryW(L"oleaut32.dll");
    HMODULE ole = ::LoadLibraryW(L"ole32.dll");
    a.LresultFromObject = Entry<decltype(a.LresultFromObject)>(oleacc, "LresultFromObject");
    a.CreateStdAccessibleObject = Entry<decltype(a.CreateStdAccessibleObject)>(oleacc, "CreateStdAccessibleObject");
    a.SysAllocStringLen = Entry<decltype(a.SysAllocStringLen)>(oleaut, "SysAllocStringLen");
    coInitialize = Entry<TCoInitializeEx>(ole, "CoInitializeEx");
    const bool complete = a.LresultFromObject && a.CreateStdAccessibleObject && a.SysAllocStringLen && coInitialize;
    return complete ? &a : nullptr;
  }();
  thread_local bool joined = false;
  if (api != nullptr && !joined) {
    // A thread already in an apartment of another kind keeps it; objects are handed out all the same.
    coInitialize(nullptr, COINIT_APARTMENTTHREADED);
    joined = true;
  }
  return api;
}

UINT AccessibleActionMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"Quillon.AccessibleDefaultAction");
  return message;
}

LRESULT AccessibleResult(TAccessibleObject& object, WPARAM wParam) {
  const TAccessibilityApi* api = TAccessibilityApi::Get();
  if (api == nullptr) return 0;
  const LRESULT result = api->LresultFromObject(__uuidof(IAccessible), wParam, &object);
  return result < 0 ? 0 : result;  // a failure (a negative HRESULT) is no answer
}

// ---- lifetime ---------------------------------------------------------------------------------

TAccessibleObject::TAccessibleObject() { ++gLive; }
TAccessibleObject::~TAccessibleObject() { --gLive; }
long TAccessibleObject::Live() { return gLive; }
void TAccessibleObject::Disconnect() { FConnected = false; }

HRESULT TAccessibleObject::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible)) {
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG TAccessibleObject::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&FReferences)); }

ULONG TAccessibleObject::Release() {
  const LONG left = ::InterlockedDecrement(&FReferences);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT TAccessibleObject::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}
HRESULT TAccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT TAccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT TAccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return E_NOTIMPL;
}

// ---- helpers ----------------------------------------------------------------------------------

HRESULT TAccessibleObject::CheckChild(const VARIANT& child, long& index) const {
  if (!FConnected) return RPC_E_DISCONNECTED;
  if (child.vt != VT_I4 || child.lVal < 0 || child.lVal > ChildCount()) return E_INVALIDARG;
  index = child.lVal;
  return S_OK;
}

template <class TOwn, class TForward>
HRESULT TAccessibleObject::Dispatch(const VARIANT& child, TOwn own, TForward forward) {
  long index = 0;
  if (const HRESULT hr = CheckChild(child, index); hr != S_OK) return hr;
  if (index > 0)
    if (IDispatch* dispatch = ChildObject(index)) {
      IAccessible* object = nullptr;
      HRESULT hr = dispatch->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&object));
      dispatch->Release();
      if (FAILED(hr)) return hr;
      hr = forward(*object, ChildVariant(CHILDID_SELF));
      object->Release();
      return hr;
    }
  return own(index);
}

HRESULT TAccessibleObject::Text(const std::wstring& text, BSTR* out) const {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  const TAccessibilityApi* api = TAccessibilityApi::Get();
  if (api == nullptr) return E_OUTOFMEMORY;
  *out = api->SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT TAccessibleObject::Parent(IDispatch** parent) const {
  const TAccessibilityApi* api = TAccessibilityApi::Get();
  if (api == nullptr) return E_FAIL;
  return api->CreateStdAccessibleObject(Window(), OBJID_WINDOW, __uuidof(IDispatch), reinterpret_cast<void**>(parent));
}

// ---- IAccessible ------------------------------------------------------------------------------

HRESULT TAccessibleObject::get_accParent(IDispatch** parent) {
  if (parent == nullptr) return E_POINTER;
  *parent = nullptr;
  if (!FConnected) return RPC_E_DISCONNECTED;
  return Parent(parent);
}

HRESULT TAccessibleObject::get_accChildCount(LONG* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  if (!FConnected) return RPC_E_DISCONNECTED;
  *count = ChildCount();
  return S_OK;
}

HRESULT TAccessibleObject::get_accChild(VARIANT child, IDispatch** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  long index = 0;
  if (const HRESULT hr = CheckChild(child, index); hr != S_OK) return hr;
  if (index == 0) return E_INVALIDARG;
  *object = ChildObject(index);
  return *object != nullptr ? S_OK : S_FALSE;  // S_FALSE: a simple element, asked through this object
}

HRESULT TAccessibleObject::get_accName(VARIANT child, BSTR* name) {
  if (name == nullptr) return E_POINTER;
  *name = nullptr;
  return Dispatch(child, [&](long i) { return Text(Name(i), name); },
                  [&](IAccessible& a, VARIANT self) { return a.get_accName(self, name); });
}

HRESULT TAccessibleObject::get_accValue(VARIANT child, BSTR* value) {
  if (value == nullptr) return E_POINTER;
  *value = nullptr;
  return Dispatch(child, [](long) { return S_FALSE; },
                  [&](IAccessible& a, VARIANT self) { return a.get_accValue(self, value); });
}

HRESULT TAccessibleObject::get_accDescription(VARIANT child, BSTR* description) {
  if (description == nullptr) return E_POINTER;
  *description = nullptr;
  return Dispatch(child, [](long) { return S_FALSE; },
                  [&](IAccessible& a, VARIANT self) { return a.get_accDescription(self, description); });
}

HRESULT TAccessibleObject::get_accRole(VARIANT child, VARIANT* role) {
  if (role == nullptr) return E_POINTER;
  role->vt = VT_EMPTY;
  return Dispatch(child,
                  [&](long i) {
                    *role = ChildVariant(Role(i));
                    return S_OK;
                  },
                  [&](IAccessible& a, VARIANT self) { return a.get_accRole(self, role); });
}

HRESULT TAccessibleObject::get_accState(VARIANT child, VARIANT* state) {
  if (state == nullptr) return E_POINTER;
  state->vt = VT_EMPTY;
  return Dispatch(child,
                  [&](long i) {
                    *state = ChildVariant(State(i));
                    return S_OK;
                  },
                  [&](IAccessible& a, VARIANT self) { return a.get_accState(self, state); });
}

HRESULT TAccessibleObject::get_accHelp(VARIANT child, BSTR* help) {
  if (help == nullptr) return E_POINTER;
  *help = nullptr;
  return Dispatch(child, [](long) { return S_FALSE; },
                  [&](IAccessible& a, VARIANT self) { return a.get_accHelp(self, help); });
}

HRESULT TAccessibleObject::get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) {
  if (file != nullptr) *file = nullptr;
  if (topic != nullptr) *topic = -1;
  return FConnected ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
}

HRESULT TAccessibleObject::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  if (shortcut == nullptr) return E_POINTER;
  *shortcut = nullptr;
  return Dispatch(child, [&](long i) { return Text(KeyboardShortcut(i), shortcut); },
                  [&](IAccessible& a, VARIANT self) { return a.get_accKeyboardShortcut(self, shortcut); });
}

HRESULT TAccessibleObject::get_accFocus(VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  child->vt = VT_EMPTY;
  if (!FConnected) return RPC_E_DISCONNECTED;
  const long focus = Focus();
  if (focus < 0) return S_FALSE;
  if (focus > 0)
    if (IDispatch* object = ChildObject(focus)) {
      child->vt = VT_DISPATCH;
      child->pdispVal = object;
      return S_OK;
    }
  *child = ChildVariant(focus);
  return S_OK;
}

HRESULT TAccessibleObject::get_accSelection(VARIANT* children) {
  if (children == nullptr) return E_POINTER;
  children->vt = VT_EMPTY;
  return FConnected ? S_FALSE : RPC_E_DISCONNECTED;
}

HRESULT TAccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action) {
  if (action == nullptr) return E_POINTER;
  *action = nullptr;
  return Dispatch(child, [&](long i) { return Text(DefaultAction(i), action); },
                  [&](IAccessible& a, VARIANT self) { return a.get_accDefaultAction(self, action); });
}

HRESULT TAccessibleObject::accSelect(LONG flags, VARIANT child) {
  return Dispatch(child, [](long) { return DISP_E_MEMBERNOTFOUND; },
                  [&](IAccessible& a, VARIANT self) { return a.accSelect(flags, self); });
}

HRESULT TAccessibleObject::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) {
  if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
  *left = *top = *width = *height = 0;
  return Dispatch(child,
                  [&](long i) {
                    const RECT r = Location(i);
                    *left = r.left;
                    *top = r.top;
                    *width = r.right - r.left;
                    *height = r.bottom - r.top;
                    return S_OK;
                  },
                  [&](IAccessible& a, VARIANT self) { return a.accLocation(left, top, width, height, self); });
}

HRESULT TAccessibleObject::accNavigate(LONG, VARIANT start, VARIANT* end) {
  if (end == nullptr) return E_POINTER;
  end->vt = VT_EMPTY;
  long index = 0;
  if (const HRESULT hr = CheckChild(start, index); hr != S_OK) return hr;
  return DISP_E_MEMBERNOTFOUND;  // tools walk the children by number
}

HRESULT TAccessibleObject::accHitTest(LONG x, LONG y, VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  child->vt = VT_EMPTY;
  if (!FConnected) return RPC_E_DISCONNECTED;
  const POINT p{x, y};
  // The first visible child under the point, in child order; else the object itself.
  for (long i = 1; i <= ChildCount(); ++i) {
    VARIANT state{}, at = ChildVariant(i);
    LONG l = 0, t = 0, w = 0, h = 0;
    if (get_accState(at, &state) != S_OK || state.vt != VT_I4 || (state.lVal & STATE_SYSTEM_INVISIBLE)) continue;
    if (accLocation(&l, &t, &w, &h, at) != S_OK) continue;
    const RECT r{l, t, l + w, t + h};
    if (!::PtInRect(&r, p)) continue;
    if (IDispatch* object = ChildObject(i)) {
      child->vt = VT_DISPATCH;
      child->pdispVal = object;
    } else {
      *child = at;
    }
    return S_OK;
  }
  const RECT self = Location(CHILDID_SELF);
  if (!::PtInRect(&self, p)) return S_FALSE;
  *child = ChildVariant(CHILDID_SELF);
  return S_OK;
}

HRESULT TAccessibleObject::accDoDefaultAction(VARIANT child) {
  return Dispatch(child,
                  [&](long i) {
                    if (DefaultAction(i).empty()) return DISP_E_MEMBERNOTFOUND;
                    DoDefaultAction(i);
                    return S_OK;
                  },
                  [&](IAccessible& a, VARIANT self) { return a.accDoDefaultAction(self); });
}

HRESULT TAccessibleObject::put_accName(VARIANT, BSTR) {
  return FConnected ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
}
HRESULT TAccessibleObject::put_accValue(VARIANT, BSTR) {
  return FConnected ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
}
