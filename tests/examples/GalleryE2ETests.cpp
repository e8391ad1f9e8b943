// End-to-end tests of the gallery: start Gallery.exe and drive its skinned popup menus, system
// menu and tray icon as a user does (real pointer and keys through SendInput), reading what the
// window says and which menu windows are open. Run on a Wine desktop by tests/support/run-e2e,
// which also keeps the pictures saved here (gallery-*.bmp) beside the result file.
#include "tests/support/DesktopDriving_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

TE2EArgs gArgs;

// The demo menu's items, from the top, and how many windows each level shows.
constexpr int kMaxItemsInWindow = 16;  // the gallery's frame setting: longer menus scroll
constexpr int kLongListItems = 40;
constexpr int kItemsAreaRightMargin = 3;  // the embedded skin's popup: "itemsrect" 3..37 of 40

class TGallery {
public:
  TGallery() {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring command = L"\"" + gArgs.Program + L"\"";
    if (!::CreateProcessW(gArgs.Program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &FProcess)) {
      ADD_FAILURE() << "cannot start the gallery (error " << ::GetLastError() << ")";
      return;
    }
    ::WaitForInputIdle(FProcess.hProcess, 20000);
    WaitFor([this] { return (Form = Find(L"QuillonForm", nullptr)) != nullptr; }, 30000);
    if (!Form) return;
    WaitFor([this] { return (MenuButton = FindChild(L"Open the demo menu")) != nullptr; }, 10000);
    Label = FindChild(nullptr);
    ::Settle(Form);
  }

  ~TGallery() {
    if (!FProcess.hProcess) return;
    if (::WaitForSingleObject(FProcess.hProcess, 0) == WAIT_TIMEOUT) {
      ::TerminateProcess(FProcess.hProcess, 99);
      ::WaitForSingleObject(FProcess.hProcess, 10000);
    }
    ::CloseHandle(FProcess.hProcess);
    ::CloseHandle(FProcess.hThread);
  }

  bool Ready() const { return Form && MenuButton && Label; }

  void Activate() const {
    if (::GetForegroundWindow() != Form) ::SetForegroundWindow(Form);
    WaitFor([this] { return ::GetForegroundWindow() == Form; }, 5000);
  }

  // Opens the demo menu with a click on its button; the menu's window, or none.
  HWND OpenDemoMenu() const {
    Activate();
    const RECT r = WindowRectOf(MenuButton);
    ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ::Settle(Form);
    return WaitForPopups(Form, 1) ? PopupsOf(Form).front() : nullptr;
  }

  // Keys for the open menu (the form hands them on), then waits for the program.
  void Keys(std::initializer_list<WORD> keys) const {
    for (WORD key : keys) {
      Press(key);
      ::Settle(Form);
    }
  }

  std::wstring Said() const { return WindowText(Label); }

  bool WaitForExit(DWORD milliseconds) const {
    return ::WaitForSingleObject(FProcess.hProcess, milliseconds) == WAIT_OBJECT_0;
  }

  HWND Form = nullptr, MenuButton = nullptr, Label = nullptr;

private:
  struct TSearch {
    DWORD Pid;
    const wchar_t* ClassName;
    const wchar_t* Text;
    HWND Found;
  };

  static BOOL CALLBACK Match(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<TSearch*>(p);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    if (pid == s->Pid && ::IsWindowVisible(w) && ClassOf(w) == s->ClassName && (!s->Text || WindowText(w) == s->Text)) {
      s->Found = w;
      return FALSE;
    }
    return TRUE;
  }

  HWND Find(const wchar_t* className, const wchar_t* text) const {
    TSearch search{FProcess.dwProcessId, className, text, nullptr};
    ::EnumWindows(&TGallery::Match, reinterpret_cast<LPARAM>(&search));
    return search.Found;
  }

  // The button with this caption, or (no caption) the label.
  HWND FindChild(const wchar_t* buttonText) const {
    TSearch search{FProcess.dwProcessId, buttonText ? L"QuillonButton" : L"QuillonLabel", buttonText, nullptr};
    ::EnumChildWindows(Form, &TGallery::Match, reinterpret_cast<LPARAM>(&search));
    return search.Found;
  }

  PROCESS_INFORMATION FProcess{};
};

#define START_GALLERY(g) \
  TGallery g;            \
  ASSERT_TRUE(g.Ready()) << "the gallery's window or its controls were not found"

RECT Union(const RECT& a, const RECT& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

TEST(Gallery, TheDemoMenuOpensThreeLevelsDeepAndClosesOneLevelAtATime) {
  START_GALLERY(g);
  HWND menu = g.OpenDemoMenu();
  ASSERT_TRUE(menu) << "the demo menu did not open";
  // The access keys open View, then Sort by, then Order: a submenu opens at once from its key.
  g.Keys({'V', 'B', 'O'});
  ASSERT_TRUE(WaitForPopups(g.Form, 4)) << PopupsOf(g.Form).size() << " levels open";
  const std::vector<HWND> levels = PopupsOf(g.Form);
  RECT all = WindowRectOf(g.Form);
  for (std::size_t i = 1; i < levels.size(); ++i) {
    // Each submenu opens one pixel right of its parent item, whose right edge is the items
    // area's: 3 pixels inside the window in the embedded skin.
    const RECT parent = WindowRectOf(levels[i - 1]), child = WindowRectOf(levels[i]);
    EXPECT_EQ(child.left, parent.right - kItemsAreaRightMargin + 1) << "level " << i;
    all = Union(all, child);
  }
  all = Union(all, WindowRectOf(levels[0]));
  SaveScreen(gArgs.Folder, all, L"gallery-three-levels.bmp");
  // Escape closes one level at a time.
  for (std::size_t open = 3; open + 1 > 0; --open) {
    g.Keys({VK_ESCAPE});
    EXPECT_TRUE(WaitForPopups(g.Form, open)) << "after Escape " << PopupsOf(g.Form).size() << " levels open, not " << open;
    if (open == 0) break;
  }
  EXPECT_EQ(g.Said(), L"Right-click the caption, or open the menu above.") << "Escape ran a command";
}

TEST(Gallery, TheLongSubmenuScrollsAndWraps) {
  START_GALLERY(g);
  ASSERT_TRUE(g.OpenDemoMenu());
  g.Keys({'L'});
  ASSERT_TRUE(WaitForPopups(g.Form, 2));
  HWND list = PopupsOf(g.Form).back();
  const RECT first = WindowRectOf(list);
  // Up from the first item wraps to the last one, scrolling the list to its end.
  g.Keys({VK_UP});
  SaveScreen(gArgs.Folder, Union(WindowRectOf(g.Form), Union(first, WindowRectOf(PopupsOf(g.Form).front()))),
             L"gallery-scrolled-submenu.bmp");
  g.Keys({VK_RETURN});
  EXPECT_TRUE(WaitForPopups(g.Form, 0)) << "choosing an item left the menu open";
  EXPECT_TRUE(WaitFor([&] { return g.Said() == L"Ran: Item " + std::to_wstring(kLongListItems); }, 5000))
      << "the label says: " << std::string(g.Said().begin(), g.Said().end());
  // The window is as tall as its limit of items: smaller than the whole list would need.
  const int height = first.bottom - first.top;
  EXPECT_LT(height, kLongListItems * 20);
  EXPECT_GT(height, kMaxItemsInWindow * 20);
}

TEST(Gallery, CheckAndRadioItemsKeepTheirState) {
  START_GALLERY(g);
  ASSERT_TRUE(g.OpenDemoMenu());
  g.Keys({'F'});  // Favourite starts ticked
  EXPECT_TRUE(WaitFor([&] { return g.Said() == L"Favourite is off"; }, 5000));
  ASSERT_TRUE(g.OpenDemoMenu());
  g.Keys({'F'});
  EXPECT_TRUE(WaitFor([&] { return g.Said() == L"Favourite is on"; }, 5000));
  ASSERT_TRUE(g.OpenDemoMenu());
  g.Keys({'V', 'D'});
  EXPECT_TRUE(WaitFor([&] { return g.Said() == L"Chosen: Details"; }, 5000));
  // A disabled item does not run, from its key or from Return.
  ASSERT_TRUE(g.OpenDemoMenu());
  g.Keys({'A'});  // "Save as..." is disabled
  EXPECT_TRUE(WaitForPopups(g.Form, 1)) << "a disabled item closed the menu";
  g.Keys({VK_ESCAPE});
  EXPECT_EQ(g.Said(), L"Chosen: Details");
}

TEST(Gallery, TheMenuClosesWithoutACommandOnAClickOutsideAltAndAnotherWindow) {
  START_GALLERY(g);
  const std::wstring before = g.Said();
  // A click on the window's empty client area.
  ASSERT_TRUE(g.OpenDemoMenu());
  const RECT form = WindowRectOf(g.Form);
  ClickAt(form.right - 40, form.bottom - 40);
  EXPECT_TRUE(WaitForPopups(g.Form, 0)) << "a click outside left the menu open";
  // Alt alone.
  ASSERT_TRUE(g.OpenDemoMenu());
  g.Keys({VK_MENU});
  EXPECT_TRUE(WaitForPopups(g.Form, 0)) << "Alt left the menu open";
  // Another window takes the activation.
  ASSERT_TRUE(g.OpenDemoMenu());
  HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 80, 80, nullptr, nullptr,
                                 nullptr, nullptr);
  ::SetForegroundWindow(other);
  EXPECT_TRUE(WaitForPopups(g.Form, 0)) << "the menu stayed open over another program's window";
  ::DestroyWindow(other);
  EXPECT_EQ(g.Said(), before) << "closing the menu ran a command";
}

TEST(Gallery, AnItemThatFreesItsOwnMenu) {
  START_GALLERY(g);
  ASSERT_TRUE(g.OpenDemoMenu());
  g.Keys({'R'});
  EXPECT_TRUE(WaitFor([&] { return g.Said() == L"The demo menu was freed by its own item."; }, 5000));
  EXPECT_TRUE(WaitForPopups(g.Form, 0));
  // The program goes on: the next click makes a new menu and opens it.
  ASSERT_TRUE(g.OpenDemoMenu()) << "no menu after the old one freed itself";
  EXPECT_EQ(g.Said(), L"The demo menu was made again.");
  g.Keys({VK_ESCAPE});
  EXPECT_FALSE(g.WaitForExit(0)) << "the gallery ended";
}

TEST(Gallery, MinimizeToTrayAndBackByTheIcon) {
  START_GALLERY(g);
  g.Activate();
  AltSpace();
  ASSERT_TRUE(WaitForPopups(g.Form, 1));
  g.Keys({'T'});  // minimize to tray
  EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(g.Form); }, 5000)) << "the window is still shown";
  // The icon always shows: at the right end of the desktop's taskbar.
  HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
  ASSERT_TRUE(taskbar);
  const RECT bar = WindowRectOf(taskbar);
  ClickAt(bar.right - 11, (bar.top + bar.bottom) / 2, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2);
  EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(g.Form) && !::IsIconic(g.Form); }, 5000))
      << "a double click on the tray icon did not bring the window back";
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RunE2E(argc, argv, gArgs, [] { return RUN_ALL_TESTS(); });
}
