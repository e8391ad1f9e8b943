// A small assistive tool for the accessibility tests: from its own process, the way a screen
// reader does, it asks a window for its accessible object and walks the tree, writing one line
// per element; it can also carry out one element's default action.
//
//   access_reader OUT HWND OBJECT [--do NAME]
//     OUT     file written in UTF-8
//     HWND    the window handle, in hexadecimal
//     OBJECT  window | titlebar | client
//     --do    after the walk, the default action of the first element named NAME
//
// Lines: "get\t<HRESULT>" for the object asked for, then per element
// "<depth>\t<role>\t<name>\t<state>\t<left>,<top>,<width>,<height>\t<action>\t<shortcut>"
// (numbers in decimal, state in hexadecimal), then "do\t<HRESULT>" when asked. A call that
// fails writes "!<HRESULT>" in its field.
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <string>

namespace {

std::FILE* gOut = nullptr;
std::wstring gDoName;
IAccessible* gDoObject = nullptr;  // the element to act on, found during the walk
long gDoChild = 0;

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::string Failure(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "!%08lx", static_cast<unsigned long>(hr));
  return text;
}

std::wstring Text(HRESULT hr, BSTR text, std::string& failure) {
  if (FAILED(hr)) failure = Failure(hr);
  std::wstring s = text != nullptr ? std::wstring(text, ::SysStringLen(text)) : std::wstring();
  ::SysFreeString(text);
  return s;
}

std::string Field(HRESULT hr, BSTR text) {
  std::string failure;
  const std::wstring s = Text(hr, text, failure);
  return failure.empty() ? Utf8(s) : failure;
}

std::string Number(HRESULT hr, const VARIANT& v, bool hex) {
  if (FAILED(hr)) return Failure(hr);
  if (v.vt != VT_I4) return "-";
  char text[16];
  std::snprintf(text, sizeof text, hex ? "%lx" : "%ld", static_cast<long>(v.lVal));
  return text;
}

void Element(IAccessible& a, long child, int depth) {
  VARIANT id;
  id.vt = VT_I4;
  id.lVal = child;
  BSTR name = nullptr, action = nullptr, shortcut = nullptr;
  VARIANT role{}, state{};
  LONG l = 0, t = 0, w = 0, h = 0;
  const HRESULT nameHr = a.get_accName(id, &name);
  std::string failure;
  const std::wstring nameText = Text(nameHr, name, failure);
  const HRESULT roleHr = a.get_accRole(id, &role);
  const HRESULT stateHr = a.get_accState(id, &state);
  const HRESULT locationHr = a.accLocation(&l, &t, &w, &h, id);
  const HRESULT actionHr = a.get_accDefaultAction(id, &action);
  const HRESULT shortcutHr = a.get_accKeyboardShortcut(id, &shortcut);
  char location[64];
  if (FAILED(locationHr)) std::snprintf(location, sizeof location, "%s", Failure(locationHr).c_str());
  else std::snprintf(location, sizeof location, "%ld,%ld,%ld,%ld", static_cast<long>(l), static_cast<long>(t),
                     static_cast<long>(w), static_cast<long>(h));
  std::fprintf(gOut, "%d\t%s\t%s\t%s\t%s\t%s\t%s\n", depth, Number(roleHr, role, false).c_str(),
               failure.empty() ? Utf8(nameText).c_str() : failure.c_str(), Number(stateHr, state, true).c_str(),
               location, Field(actionHr, action).c_str(), Field(shortcutHr, shortcut).c_str());
  if (gDoObject == nullptr && !gDoName.empty() && nameText == gDoName) {
    a.AddRef();
    gDoObject = &a;
    gDoChild = child;
  }
}

void Walk(IAccessible& a, int depth) {
  Element(a, CHILDID_SELF, depth);
  LONG count = 0;
  if (FAILED(a.get_accChildCount(&count))) return;
  for (long i = 1; i <= count; ++i) {
    VARIANT id;
    id.vt = VT_I4;
    id.lVal = i;
    IDispatch* dispatch = nullptr;
    IAccessible* child = nullptr;
    if (a.get_accChild(id, &dispatch) == S_OK && dispatch != nullptr &&
        SUCCEEDED(dispatch->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&child)))) {
      if (depth < 3) Walk(*child, depth + 1);  // the platform's client object may go deep
      child->Release();
    } else {
      Element(a, i, depth + 1);
    }
    if (dispatch != nullptr) dispatch->Release();
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) return 2;
  gOut = ::_wfopen(argv[1], L"wb");
  if (gOut == nullptr) return 3;
  const HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::wcstoull(argv[2], nullptr, 16)));
  const std::wstring which = argv[3];
  const LONG object = which == L"titlebar" ? OBJID_TITLEBAR : which == L"client" ? OBJID_CLIENT : OBJID_WINDOW;
  if (argc >= 6 && std::wstring(argv[4]) == L"--do") gDoName = argv[5];

  ::CoInitialize(nullptr);
  IAccessible* root = nullptr;
  const HRESULT hr = ::AccessibleObjectFromWindow(window, static_cast<DWORD>(object), __uuidof(IAccessible),
                                                  reinterpret_cast<void**>(&root));
  std::fprintf(gOut, "get\t%08lx\n", static_cast<unsigned long>(hr));
  if (SUCCEEDED(hr) && root != nullptr) {
    Walk(*root, 0);
    // After the walk, so that the lines show the state before the action.
    if (gDoObject != nullptr) {
      VARIANT id;
      id.vt = VT_I4;
      id.lVal = gDoChild;
      std::fprintf(gOut, "do\t%08lx\n", static_cast<unsigned long>(gDoObject->accDoDefaultAction(id)));
      gDoObject->Release();
    }
    root->Release();
  }
  std::fclose(gOut);
  ::CoUninitialize();
  return 0;
}
