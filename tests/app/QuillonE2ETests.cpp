// End-to-end tests: start Quillon.exe and drive its real window as a user does (mouse
// clicks and keys through SendInput, the clipboard), reading what the window shows.
// Run on a Wine desktop (tests/app/run-e2e), which activates and places windows like a
// Windows desktop. Arguments: --quillon=PATH (the program) --result=PATH (written at the end
// with the exit code, so the wrapper can tell a pass from a run that never finished).
#include "tests/support/DesktopDriving_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

TE2EArgs gArgs;  // the program under test and where the result and pictures go
const std::wstring kOverflow = L"字符长度已超出最大值 FFFF";

// ---- The clipboard, from the tests' side ----

HWND ClipboardOwner() {
  static HWND owner = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  return owner;
}

bool OpenClipboardSoon() {
  return WaitFor([] { return ::OpenClipboard(ClipboardOwner()) != FALSE; }, 5000);
}

void SetClipboardText(const std::wstring& text) {
  ASSERT_TRUE(OpenClipboardSoon());
  ::EmptyClipboard();
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  auto* p = static_cast<wchar_t*>(::GlobalLock(memory));
  std::copy(text.begin(), text.end(), p);
  p[text.size()] = 0;
  ::GlobalUnlock(memory);
  ASSERT_TRUE(::SetClipboardData(CF_UNICODETEXT, memory));
  ::CloseClipboard();
}

// A clipboard holding something, but no text.
void SetClipboardWithoutText() {
  ASSERT_TRUE(OpenClipboardSoon());
  ::EmptyClipboard();
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, 4);
  ::SetClipboardData(::RegisterClipboardFormatW(L"QuillonTestNotText"), memory);
  ::CloseClipboard();
}

std::optional<std::wstring> ClipboardText() {
  if (!OpenClipboardSoon()) return std::nullopt;
  std::optional<std::wstring> text;
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (auto* p = static_cast<const wchar_t*>(::GlobalLock(data))) {
      text = std::wstring(p);
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}

// n bytes of ASCII text in lines of 100 bytes (98 letters and CR LF): the platform's edit
// control is slow with long unbroken lines under Wine, fast with lines.
std::wstring TextOfBytes(std::size_t n) {
  std::wstring text;
  text.reserve(n);
  while (n >= 100) {
    text.append(98, L'x');
    text.append(L"\r\n");
    n -= 100;
  }
  text.append(n, L'y');
  return text;
}

// ---- Quillon, running ----

class TQuillon {
public:
  TQuillon() {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring command = L"\"" + gArgs.Program + L"\"";
    if (!::CreateProcessW(gArgs.Program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &FProcess)) {
      ADD_FAILURE() << "cannot start Quillon (error " << ::GetLastError() << ")";
      return;
    }
    ::WaitForInputIdle(FProcess.hProcess, 20000);
    WaitFor([this] { return (Form = FindForm()) != nullptr; }, 30000);
    if (!Form) {
      ADD_FAILURE() << "Quillon's window did not appear";
      return;
    }
    ::EnumChildWindows(Form, &TQuillon::CollectChild, reinterpret_cast<LPARAM>(this));
    // The window is ready for the user once the memo holds the focus.
    WaitFor([this] { return FocusedWindow() == Memo; }, 10000);
  }

  ~TQuillon() {
    if (FProcess.hProcess) {
      if (::WaitForSingleObject(FProcess.hProcess, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(FProcess.hProcess, 99);
        ::WaitForSingleObject(FProcess.hProcess, 10000);
      }
      ::CloseHandle(FProcess.hProcess);
      ::CloseHandle(FProcess.hThread);
    }
  }

  bool Ready() const { return Form && Memo && Edit && Check && Clear && Exit && Paste && Copy; }

  HWND FocusedWindow() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(FProcess.dwThreadId, &info)) return nullptr;
    return info.hwndFocus;
  }

  bool Checked() const { return ::SendMessageW(Check, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  std::wstring Result() const { return WindowText(Edit); }
  std::wstring MemoText() const { return WindowText(Memo); }

  // Waits until the program has handled everything sent to it so far.
  void Settle() const { ::Settle(Form); }

  void Activate() const {
    if (::GetForegroundWindow() != Form) ::SetForegroundWindow(Form);
    WaitFor([this] { return ::GetForegroundWindow() == Form; }, 5000);
  }

  void Click(HWND control) const {
    RECT r;
    ::GetWindowRect(control, &r);
    ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }

  // A left click with the real pointer at a screen point.
  void ClickAt(int x, int y) const {
    Activate();
    ::ClickAt(x, y);
    Settle();
  }

  // Types into the memo (clicked first, so it has the focus); '\n' is the Enter key.
  void Type(const std::wstring& text) const {
    if (FocusedWindow() != Memo) Click(Memo);
    Activate();
    for (wchar_t c : text) {
      if (c == L'\n') SendInputs({Key(VK_RETURN, false), Key(VK_RETURN, true)});
      else SendInputs({UnicodeKey(c, false), UnicodeKey(c, true)});
    }
    Settle();
  }

  void Tab(bool backwards = false) const {
    Activate();
    if (backwards) SendInputs({Key(VK_SHIFT, false), Key(VK_TAB, false), Key(VK_TAB, true), Key(VK_SHIFT, true)});
    else SendInputs({Key(VK_TAB, false), Key(VK_TAB, true)});
    Settle();
  }

  bool WaitForResult(const std::wstring& expected, int milliseconds = 15000) const {
    return WaitFor([&] { return Result() == expected; }, milliseconds);
  }

  bool WaitForExit(DWORD milliseconds, DWORD* exitCode) const {
    if (::WaitForSingleObject(FProcess.hProcess, milliseconds) != WAIT_OBJECT_0) return false;
    ::GetExitCodeProcess(FProcess.hProcess, exitCode);
    return true;
  }

  HWND Form = nullptr, Memo = nullptr, Edit = nullptr, Check = nullptr;
  HWND Clear = nullptr, Exit = nullptr, Paste = nullptr, Copy = nullptr;
  HWND Label1 = nullptr, Label2 = nullptr;

private:
  struct TSearch {
    DWORD Pid;
    HWND Found;
  };

  // A named callback, not a lambda: 32-bit Windows calls it with the stdcall convention.
  static BOOL CALLBACK MatchForm(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<TSearch*>(p);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    if (pid == s->Pid && ClassOf(w) == L"QuillonForm" && ::IsWindowVisible(w)) {
      s->Found = w;
      return FALSE;
    }
    return TRUE;
  }

  HWND FindForm() const {
    TSearch search{FProcess.dwProcessId, nullptr};
    ::EnumWindows(&TQuillon::MatchForm, reinterpret_cast<LPARAM>(&search));
    return search.Found;
  }

  static BOOL CALLBACK CollectChild(HWND w, LPARAM p) {
    auto* q = reinterpret_cast<TQuillon*>(p);
    std::wstring cls = ClassOf(w), text = WindowText(w);
    if (cls == L"QuillonMemo") q->Memo = w;
    else if (cls == L"QuillonEdit") q->Edit = w;
    else if (cls == L"QuillonCheckBox") q->Check = w;
    else if (cls == L"QuillonButton" && text == L"清空") q->Clear = w;
    else if (cls == L"QuillonButton" && text == L"退出") q->Exit = w;
    else if (cls == L"QuillonButton" && text == L"从剪贴板粘贴") q->Paste = w;
    else if (cls == L"QuillonButton" && text == L"复制到剪贴板") q->Copy = w;
    else if (cls == L"QuillonLabel" && text == L"文本：") q->Label1 = w;
    else if (cls == L"QuillonLabel" && text == L"Hex 长度值：") q->Label2 = w;
    return TRUE;
  }

  PROCESS_INFORMATION FProcess{};
};

#define START_QUILLON(q) \
  TQuillon q;            \
  ASSERT_TRUE(q.Ready()) << "Quillon's window or one of its controls was not found"

// The rectangle of a control in its form's client coordinates.
RECT ClientRectOf(HWND form, HWND control) {
  RECT r;
  ::GetWindowRect(control, &r);
  ::MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST(Quillon, OpensCentredWithItsLayoutAndTheMemoFocused) {
  START_QUILLON(q);
  EXPECT_EQ(WindowText(q.Form), L"Quillon");
  RECT client;
  ::GetClientRect(q.Form, &client);
  EXPECT_EQ(client.right, 370);
  EXPECT_EQ(client.bottom, 347);
  RECT frame;
  ::GetWindowRect(q.Form, &frame);
  int screenW = ::GetSystemMetrics(SM_CXSCREEN), screenH = ::GetSystemMetrics(SM_CYSCREEN);
  EXPECT_LE(std::abs((frame.left + frame.right) - screenW), 1) << "not centred horizontally";
  EXPECT_LE(std::abs((frame.top + frame.bottom) - screenH), 1) << "not centred vertically";
  // Framed by the skin: no caption of the platform's own, fixed size.
  EXPECT_EQ(frame.right - frame.left, 385);
  EXPECT_EQ(frame.bottom - frame.top, 392);
  LONG style = ::GetWindowLongW(q.Form, GWL_STYLE);
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX));

  struct Layout { HWND window; RECT expected; } layout[] = {
      {q.Label1, {11, 15, 47, 27}},     {q.Label2, {11, 259, 83, 271}},    {q.Memo, {11, 38, 358, 245}},
      {q.Edit, {11, 284, 358, 304}},    {q.Check, {11, 319, 94, 336}},     {q.Clear, {104, 316, 179, 341}},
      {q.Exit, {191, 316, 266, 341}},   {q.Paste, {278, 7, 358, 32}},      {q.Copy, {278, 253, 358, 278}},
  };
  for (const auto& l : layout) {
    ASSERT_TRUE(l.window);
    RECT r = ClientRectOf(q.Form, l.window);
    EXPECT_TRUE(r.left == l.expected.left && r.top == l.expected.top && r.right == l.expected.right &&
                r.bottom == l.expected.bottom)
        << WindowText(l.window).size() << "-character control at " << r.left << "," << r.top << "-" << r.right << ","
        << r.bottom;
  }
  EXPECT_TRUE(::GetWindowLongW(q.Memo, GWL_STYLE) & WS_VSCROLL);
  EXPECT_FALSE(::GetWindowLongW(q.Memo, GWL_STYLE) & (WS_HSCROLL | ES_AUTOHSCROLL)) << "long lines must wrap";
  EXPECT_TRUE(::GetWindowLongW(q.Edit, GWL_STYLE) & ES_READONLY);

  EXPECT_EQ(q.FocusedWindow(), q.Memo);
  EXPECT_EQ(q.MemoText(), L"");
  EXPECT_EQ(q.Result(), L"");
  EXPECT_FALSE(q.Checked());
}

TEST(Quillon, TabAndShiftTabFollowTheTabOrder) {
  START_QUILLON(q);
  std::vector<HWND> order = {q.Edit, q.Check, q.Clear, q.Exit, q.Paste, q.Copy, q.Memo};
  for (HWND expected : order) {
    q.Tab();
    EXPECT_TRUE(WaitFor([&] { return q.FocusedWindow() == expected; }, 5000)) << "Tab went to " << ClassOf(q.FocusedWindow()).size();
  }
  for (auto it = order.rbegin() + 1; it != order.rend(); ++it) {
    q.Tab(true);
    EXPECT_TRUE(WaitFor([&] { return q.FocusedWindow() == *it; }, 5000));
  }
  q.Tab(true);
  EXPECT_TRUE(WaitFor([&] { return q.FocusedWindow() == q.Memo; }, 5000));
  // Tab moved the focus; it never went into the memo as a character.
  EXPECT_EQ(q.MemoText(), L"");
  EXPECT_EQ(q.Result(), L"");
}

TEST(Quillon, TypingShowsTheByteLength) {
  START_QUILLON(q);
  struct Case { const wchar_t* typed; const wchar_t* shown; } cases[] = {
      {L"A", L"01"},
      {L"中", L"02"},
      {L"a\nb", L"04"},
      {L"Hex 值", L"06"},
  };
  for (const auto& c : cases) {
    q.Click(q.Clear);
    ASSERT_TRUE(q.WaitForResult(L"")) << "clear";
    q.Type(c.typed);
    EXPECT_TRUE(q.WaitForResult(c.shown)) << "shows " << q.Result().size() << " characters";
  }
  // Deleting a character is a change as well.
  q.Click(q.Memo);
  q.Activate();
  SendInputs({Key(VK_END, false), Key(VK_END, true), Key(VK_BACK, false), Key(VK_BACK, true)});
  EXPECT_TRUE(q.WaitForResult(L"04"));
}

TEST(Quillon, TheCheckBoxSwapsOnlyFourDigitValues) {
  START_QUILLON(q);
  // Empty: ticking changes nothing.
  q.Click(q.Check);
  ASSERT_TRUE(WaitFor([&] { return q.Checked(); }));
  EXPECT_EQ(q.Result(), L"");
  q.Click(q.Check);
  ASSERT_TRUE(WaitFor([&] { return !q.Checked(); }));

  q.Type(L"A");
  ASSERT_TRUE(q.WaitForResult(L"01"));
  q.Click(q.Check);
  ASSERT_TRUE(WaitFor([&] { return q.Checked(); }));
  EXPECT_EQ(q.Result(), L"01");
  q.Click(q.Check);
  ASSERT_TRUE(WaitFor([&] { return !q.Checked(); }));

  SetClipboardText(std::wstring(300, L'z'));
  q.Click(q.Paste);
  ASSERT_TRUE(q.WaitForResult(L"012C"));
  q.Click(q.Check);
  EXPECT_TRUE(q.WaitForResult(L"2C01"));
  q.Click(q.Check);
  EXPECT_TRUE(q.WaitForResult(L"012C"));
  q.Click(q.Check);
  EXPECT_TRUE(q.WaitForResult(L"2C01"));
  q.Type(L"z");  // typing while ticked
  EXPECT_TRUE(q.WaitForResult(L"2D01"));
}

// Pasted texts of lengths at the rule's bounds, shown plain, then ticked, then plain again.
TEST(Quillon, PastedLengthsAtTheBounds) {
  START_QUILLON(q);
  struct Case { std::size_t bytes; std::wstring plain; std::wstring ticked; } cases[] = {
      {255, L"FF", L"FF"},
      {256, L"0100", L"0001"},
      {65535, L"FFFF", L"FFFF"},
      {65536, kOverflow, kOverflow},
  };
  for (const auto& c : cases) {
    SetClipboardText(TextOfBytes(c.bytes));
    q.Click(q.Paste);
    ASSERT_TRUE(q.WaitForResult(c.plain)) << c.bytes << " bytes";
    q.Click(q.Check);
    ASSERT_TRUE(WaitFor([&] { return q.Checked(); }));
    EXPECT_TRUE(q.WaitForResult(c.ticked)) << c.bytes << " bytes, ticked";
    q.Click(q.Check);
    ASSERT_TRUE(WaitFor([&] { return !q.Checked(); }));
    EXPECT_TRUE(q.WaitForResult(c.plain)) << c.bytes << " bytes, unticked again";
  }
  // While the overflow message shows, Copy leaves the clipboard alone.
  SetClipboardText(L"kept");
  q.Click(q.Copy);
  q.Settle();
  EXPECT_EQ(ClipboardText(), std::optional<std::wstring>(L"kept"));
  // Ticked, the paste of an overflowing text still shows the message.
  q.Click(q.Check);
  ASSERT_TRUE(WaitFor([&] { return q.Checked(); }));
  SetClipboardText(TextOfBytes(70000));
  q.Click(q.Paste);
  q.Settle();
  EXPECT_TRUE(q.WaitForResult(kOverflow));
}

TEST(Quillon, CopyPutsTheShownValueOnTheClipboard) {
  START_QUILLON(q);
  // Nothing shown: the clipboard keeps what it had.
  SetClipboardText(L"before");
  q.Click(q.Copy);
  q.Settle();
  EXPECT_EQ(ClipboardText(), std::optional<std::wstring>(L"before"));

  SetClipboardText(std::wstring(300, L'c'));
  q.Click(q.Paste);
  ASSERT_TRUE(q.WaitForResult(L"012C"));
  q.Click(q.Copy);
  EXPECT_TRUE(WaitFor([] { return ClipboardText() == std::optional<std::wstring>(L"012C"); }, 5000));
  // The whole value is selected, and stays so.
  DWORD start = 1, end = 0;
  ::SendMessageW(q.Edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 4u);

  q.Click(q.Check);
  ASSERT_TRUE(q.WaitForResult(L"2C01"));
  q.Click(q.Copy);
  EXPECT_TRUE(WaitFor([] { return ClipboardText() == std::optional<std::wstring>(L"2C01"); }, 5000));
}

TEST(Quillon, ClearAndPasteWithoutText) {
  START_QUILLON(q);
  q.Type(L"abc");
  ASSERT_TRUE(q.WaitForResult(L"03"));
  q.Click(q.Clear);
  EXPECT_TRUE(q.WaitForResult(L""));
  EXPECT_EQ(q.MemoText(), L"");
  q.Click(q.Clear);  // already empty
  q.Settle();
  EXPECT_EQ(q.Result(), L"");

  q.Type(L"abc");
  ASSERT_TRUE(q.WaitForResult(L"03"));
  SetClipboardWithoutText();
  q.Click(q.Paste);
  EXPECT_TRUE(WaitFor([&] { return q.MemoText().empty(); }));
  EXPECT_EQ(q.Result(), L"");
}

TEST(Quillon, PasteWhileAnotherProgramHoldsTheClipboardLosesNothing) {
  START_QUILLON(q);
  SetClipboardText(L"replacement");
  q.Type(L"abc");
  ASSERT_TRUE(q.WaitForResult(L"03"));
  ASSERT_TRUE(OpenClipboardSoon());
  q.Click(q.Paste);
  std::this_thread::sleep_for(std::chrono::milliseconds(800));
  q.Settle();
  ::CloseClipboard();
  EXPECT_EQ(q.MemoText(), L"abc");
  EXPECT_EQ(q.Result(), L"03");
  // Once the clipboard is free, the paste works.
  q.Click(q.Paste);
  EXPECT_TRUE(q.WaitForResult(L"0B"));
  EXPECT_EQ(q.MemoText(), L"replacement");
}

TEST(Quillon, MultiMegabytePasteIsTakenWhole) {
  START_QUILLON(q);
  std::wstring big = TextOfBytes(3 * 1024 * 1024);
  SetClipboardText(big);
  q.Click(q.Paste);
  EXPECT_TRUE(q.WaitForResult(kOverflow, 120000));
  DWORD_PTR length = 0;
  ::SendMessageTimeoutW(q.Memo, WM_GETTEXTLENGTH, 0, 0, SMTO_BLOCK, 60000, &length);
  EXPECT_EQ(length, big.size()) << "the memo cut the paste short";
  q.Click(q.Clear);
  EXPECT_TRUE(q.WaitForResult(L"", 60000));
}

// The centres of the embedded skin's caption buttons at Quillon's size, in screen coordinates:
// close, minimize and roll-up from the right end of the caption, 6 pixels apart (the maximize
// button is hidden), each 8 x 8 pixels.
struct TCaptionButtons {
  POINT Close, Minimize, RollUp;
};

TCaptionButtons CaptionButtons(HWND form) {
  RECT r;
  ::GetWindowRect(form, &r);
  return {{r.left + 371, r.top + 13}, {r.left + 357, r.top + 13}, {r.left + 343, r.top + 13}};
}

TEST(Quillon, TheSkinnedMinimizeButtonGoesToTheTaskbarAndComesBack) {
  START_QUILLON(q);
  RECT before;
  ::GetWindowRect(q.Form, &before);
  const TCaptionButtons buttons = CaptionButtons(q.Form);
  q.ClickAt(buttons.Minimize.x, buttons.Minimize.y);
  EXPECT_TRUE(WaitFor([&] { return ::IsIconic(q.Form) != FALSE; }, 5000)) << "not minimized";
  // The taskbar button restores it with the platform's restore command.
  ::PostMessageW(q.Form, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(WaitFor([&] { return !::IsIconic(q.Form); }, 5000)) << "not restored";
  q.Settle();
  RECT after;
  ::GetWindowRect(q.Form, &after);
  EXPECT_TRUE(::EqualRect(&before, &after)) << after.left << "," << after.top << "-" << after.right << "," << after.bottom;
  RECT client;
  ::GetClientRect(q.Form, &client);
  EXPECT_EQ(client.bottom, 347);
}

TEST(Quillon, TheSkinnedRollUpButtonFoldsTheWindowToItsFrame) {
  START_QUILLON(q);
  const TCaptionButtons buttons = CaptionButtons(q.Form);
  q.ClickAt(buttons.RollUp.x, buttons.RollUp.y);
  RECT r;
  EXPECT_TRUE(WaitFor([&] { ::GetWindowRect(q.Form, &r); return r.bottom - r.top == 45; }, 5000))
      << "height " << r.bottom - r.top;
  q.ClickAt(buttons.RollUp.x, buttons.RollUp.y);
  EXPECT_TRUE(WaitFor([&] { ::GetWindowRect(q.Form, &r); return r.bottom - r.top == 392; }, 5000))
      << "height " << r.bottom - r.top;
}

TEST(Quillon, TheSkinnedCloseButtonAndAltF4EndTheProgram) {
  {
    START_QUILLON(q);
    const TCaptionButtons buttons = CaptionButtons(q.Form);
    q.ClickAt(buttons.Close.x, buttons.Close.y);
    DWORD code = 1234;
    ASSERT_TRUE(q.WaitForExit(15000, &code)) << "the close button left Quillon running";
    EXPECT_EQ(code, 0u);
  }
  START_QUILLON(q);
  q.Activate();
  SendInputs({Key(VK_MENU, false), Key(VK_F4, false), Key(VK_F4, true), Key(VK_MENU, true)});
  DWORD code = 1234;
  ASSERT_TRUE(q.WaitForExit(15000, &code)) << "Alt+F4 left Quillon running";
  EXPECT_EQ(code, 0u);
}

TEST(Quillon, ExitEndsTheProgram) {
  START_QUILLON(q);
  q.Click(q.Exit);
  DWORD code = 1234;
  ASSERT_TRUE(q.WaitForExit(15000, &code)) << "Quillon is still running";
  EXPECT_EQ(code, 0u);
}


// ---- The skinned system menu ----

bool WaitForNoPopup(HWND form) { return WaitForPopups(form, 0); }

// A right click with the real pointer at a screen point of Quillon's.
void RightClickAt(const TQuillon& q, int x, int y) {
  q.Activate();
  ::RightClickAt(x, y);
  q.Settle();
}

// The system-menu button of the embedded skin sits at the left end of the caption.
POINT SystemMenuButton(HWND form) {
  RECT r;
  ::GetWindowRect(form, &r);
  return {r.left + 20, r.top + 13};
}

TEST(Quillon, TheSystemMenuOpensFromTheCaptionTheButtonAndAltSpace) {
  START_QUILLON(q);
  RECT frame;
  ::GetWindowRect(q.Form, &frame);
  POINT client{0, 0};
  ::ClientToScreen(q.Form, &client);

  // A right click on the caption opens it at the pointer.
  RightClickAt(q, frame.left + 200, frame.top + 13);
  HWND popup = WaitForOnePopup(q.Form);
  ASSERT_TRUE(popup) << "no skinned menu after a right click on the caption";
  RECT r;
  ::GetWindowRect(popup, &r);
  EXPECT_EQ(r.left, frame.left + 200);
  EXPECT_EQ(r.top, frame.top + 13);
  EXPECT_EQ(::GetForegroundWindow(), q.Form) << "the menu took the activation";
  q.Settle();
  RECT shot{frame.left, frame.top, std::max(frame.right, r.right), std::max(frame.bottom, r.bottom)};
  SaveScreen(gArgs.Folder, shot, L"quillon-system-menu.bmp");
  Press(VK_ESCAPE);
  EXPECT_TRUE(WaitForNoPopup(q.Form)) << "Escape left the menu open";

  // Alt+Space opens it at the window's top-left corner, under the caption.
  q.Activate();
  AltSpace();
  popup = WaitForOnePopup(q.Form);
  ASSERT_TRUE(popup) << "no skinned menu after Alt+Space";
  ::GetWindowRect(popup, &r);
  EXPECT_EQ(r.left, frame.left);
  EXPECT_EQ(r.top, client.y);
  Press(VK_ESCAPE);
  EXPECT_TRUE(WaitForNoPopup(q.Form));
  RECT after;
  ::GetWindowRect(q.Form, &after);
  EXPECT_TRUE(::EqualRect(&frame, &after)) << "Escape ran a command";

  // The system-menu button opens it on every press, not only the first: the button comes up
  // when its menu closes.
  const POINT button = SystemMenuButton(q.Form);
  for (int i = 0; i < 3; ++i) {
    q.ClickAt(button.x, button.y);
    ASSERT_TRUE(WaitForOnePopup(q.Form)) << "press " << i + 1 << " of the system-menu button opened nothing";
    Press(VK_ESCAPE);
    ASSERT_TRUE(WaitForNoPopup(q.Form));
  }
}

TEST(Quillon, SystemMenuItemsRunFromTheirAccessKeys) {
  START_QUILLON(q);
  // Alt+Space, L: rolled up to the frame; the menu then offers restore (R) instead.
  q.Activate();
  AltSpace();
  ASSERT_TRUE(WaitForOnePopup(q.Form));
  Press('L');
  RECT r;
  EXPECT_TRUE(WaitFor([&] { ::GetWindowRect(q.Form, &r); return r.bottom - r.top == 45; }, 5000))
      << "height " << r.bottom - r.top;
  EXPECT_TRUE(WaitForNoPopup(q.Form)) << "the menu stayed open after its command";
  q.Activate();
  AltSpace();
  ASSERT_TRUE(WaitForOnePopup(q.Form));
  Press('R');
  EXPECT_TRUE(WaitFor([&] { ::GetWindowRect(q.Form, &r); return r.bottom - r.top == 392; }, 5000))
      << "height " << r.bottom - r.top;
  // Alt+Space, N: minimized to the taskbar.
  q.Activate();
  AltSpace();
  ASSERT_TRUE(WaitForOnePopup(q.Form));
  Press('N');
  EXPECT_TRUE(WaitFor([&] { return ::IsIconic(q.Form) != FALSE; }, 5000)) << "not minimized";
  ::PostMessageW(q.Form, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(WaitFor([&] { return !::IsIconic(q.Form); }, 5000));
  // Alt+Space, C: closed.
  q.Activate();
  AltSpace();
  ASSERT_TRUE(WaitForOnePopup(q.Form));
  Press('C');
  DWORD code = 1234;
  ASSERT_TRUE(q.WaitForExit(15000, &code)) << "the close item left Quillon running";
  EXPECT_EQ(code, 0u);
}

TEST(Quillon, TheTaskbarsWindowMenuRequestOpensTheSkinnedMenu) {
  START_QUILLON(q);
  // What the taskbar sends for a right click on the window's button: a screen point.
  ::PostMessageW(q.Form, 0x0313, 0, MAKELPARAM(300, 500));
  HWND popup = WaitForOnePopup(q.Form);
  ASSERT_TRUE(popup);
  RECT r;
  ::GetWindowRect(popup, &r);
  // Opened at the point, or above it when the screen has no room below.
  EXPECT_EQ(r.left, 300);
  EXPECT_TRUE(r.top == 500 || r.bottom == 500) << r.top << ".." << r.bottom;
  q.Activate();
  Press(VK_ESCAPE);
  EXPECT_TRUE(WaitForNoPopup(q.Form));
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RunE2E(argc, argv, gArgs, [] { return RUN_ALL_TESTS(); });
}
