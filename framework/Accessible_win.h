#pragma once
// What screen readers and other assistive tools learn of the parts of a window that the window
// draws itself (a skinned caption and its buttons, the items of a popup menu): objects behind
// the platform's accessibility interface (IAccessible), handed out on WM_GETOBJECT.
//
// TAccessibleObject is their common ground. A derived object describes itself (child 0) and
// its children (simple elements numbered from 1, or objects of their own) through a few plain
// virtual functions; the base decodes the interface's VARIANT arguments, checks the child
// numbers, makes the strings and counts references.
//
// An object lives as long as some tool holds a reference to it, which may be longer than its
// window: the window's owner calls Disconnect when the window goes, and from then on every call
// answers RPC_E_DISCONNECTED and touches nothing of the window.
//
// The platform's accessibility and COM libraries are loaded when a tool first asks, so a
// program that no tool reads starts without them.
#include <windows.h>

#include <oleacc.h>

#include <string>
#include <utility>

// The platform functions these objects need, found at run time; null where they are missing.
// The first successful call also joins the calling (user-interface) thread to a COM apartment,
// which handing an object to another process requires; it stays joined for the thread's life.
struct TAccessibilityApi {
  decltype(&::LresultFromObject) LresultFromObject = nullptr;
  decltype(&::CreateStdAccessibleObject) CreateStdAccessibleObject = nullptr;
  decltype(&::SysAllocStringLen) SysAllocStringLen = nullptr;
  static const TAccessibilityApi* Get();
};

// The message a window receives to carry out a default action asked for by a tool. The
// action runs later, from the window's own message loop, never inside the tool's call: it may
// close the window whose object the tool is calling.
UINT AccessibleActionMessage();

class TAccessibleObject : public IAccessible {
public:
  TAccessibleObject();
  virtual ~TAccessibleObject();
  TAccessibleObject(const TAccessibleObject&) = delete;
  TAccessibleObject& operator=(const TAccessibleObject&) = delete;

  // The window is going: no call reaches the derived object from now on.
  void Disconnect();
  bool Connected() const { return FConnected; }
  // Objects alive in this process (not yet released by everyone); for tests of leaks.
  static long Live();

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch: not offered (tools use the interface's own methods).
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override;

protected:
  // What a derived object tells of itself (child 0) and of its children 1..ChildCount(). They
  // are called only while connected and with a child number in range.
  virtual HWND Window() const = 0;
  virtual long ChildCount() const = 0;
  virtual std::wstring Name(long child) const = 0;
  virtual long Role(long child) const = 0;
  virtual long State(long child) const = 0;
  virtual RECT Location(long child) const = 0;  // screen coordinates
  virtual std::wstring KeyboardShortcut(long) const { return {}; }
  // Empty: the child has no default action (DoDefaultAction is then never called).
  virtual std::wstring DefaultAction(long) const { return {}; }
  virtual void DoDefaultAction(long) {}
  // The child that has the keyboard focus, 0 for the object itself, -1 for none.
  virtual long Focus() const { return -1; }
  // A child that is an object of its own, with a reference for the caller; null for a simple
  // element. Calls about such a child are answered by that object.
  virtual IDispatch* ChildObject(long) const { return nullptr; }
  // The parent; by default the platform's object for the window itself.
  virtual HRESULT Parent(IDispatch** parent) const;

private:
  // Checks the connection and the child number; a child that is an object of its own gets the
  // call instead, as its own self.
  template <class TOwn, class TForward>
  HRESULT Dispatch(const VARIANT& child, TOwn own, TForward forward);
  HRESULT CheckChild(const VARIANT& child, long& index) const;
  HRESULT Text(const std::wstring& text, BSTR* out) const;

  LONG FReferences = 1;
  bool FConnected = true;
};

// The reference to an accessible object that the window handing it out keeps.
class TAccessibleRef {
public:
  TAccessibleRef() = default;
  explicit TAccessibleRef(TAccessibleObject* object) : FObject(object) {}  // takes the creation reference
  ~TAccessibleRef() { Reset(); }
  TAccessibleRef(const TAccessibleRef&) = delete;
  TAccessibleRef& operator=(const TAccessibleRef&) = delete;
  TAccessibleRef& operator=(TAccessibleRef&& other) noexcept {
    std::swap(FObject, other.FObject);
    return *this;
  }
  explicit operator bool() const { return FObject != nullptr; }
  // Another reference, for a caller that releases it.
  IDispatch* Share() const {
    FObject->AddRef();
    return FObject;
  }
  TAccessibleObject& operator*() const { return *FObject; }
  // The window is going: the object answers nothing more and this reference goes.
  void Reset() {
    if (FObject == nullptr) return;
    FObject->Disconnect();
    FObject->Release();
    FObject = nullptr;
  }

private:
  TAccessibleObject* FObject = nullptr;
};

// The answer to WM_GETOBJECT: the object, marshalled for the asking tool; 0 when the platform
// cannot hand it out (the window then gives the platform's own answer).
LRESULT AccessibleResult(TAccessibleObject& object, WPARAM wParam);
