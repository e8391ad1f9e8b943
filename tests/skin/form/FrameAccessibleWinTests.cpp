// The skinned frame as assistive tools read it: a reader in another process walks the window's
// accessible tree (title bar, caption buttons) and presses a button; in this process the hit test
// on a button's edges, and objects that a tool still holds when the window goes.
#include "tests/skin/form/FrameWinFixture.h"
#include "tests/support/AccessibleReading_win.h"

#include "framework/Accessible_win.h"

#include <oleacc.h>

namespace {

RECT ScreenRectOf(HWND window, const TRect& r) {
  RECT w;
  ::GetWindowRect(window, &w);
  return {w.left + r.Left, w.top + r.Top, w.left + r.Right, w.top + r.Bottom};
}

const TvnActiveSkinObject& ObjectNamed(TvnVeneerForm& frame, const std::string& id) {
  for (auto& o : frame.Objects().Objects())
    if (o->IDName == id) return *o;
  throw std::runtime_error("no frame object " + id);
}

TEST_F(TFrameFixture, AReaderInAnotherProcessReadsTheTitleBarAndPressesMaximize) {
  Make(TFormBorderStyle::bsSingle, true);
  // The roll-up button is held down while the reader looks.
  const RECT rollUp = ScreenRectOf(Window(), ObjectNamed(*Frame, "RollUpAnimate").ObjectRect);
  const POINT on{(rollUp.left + rollUp.right) / 2, (rollUp.top + rollUp.bottom) / 2};
  ::SetCursorPos(on.x, on.y);
  ::SendMessageW(Window(), WM_NCLBUTTONDOWN, HTOBJECT_CODE, MAKELPARAM(on.x, on.y));
  TAccessibleReading r = ReadFromOutside(Window(), "window");
  SaveShot(ScreenShot(ScreenRectOf(Window(), Rect(0, 0, WindowRect().Width(), WindowRect().Height()))),
           "access-frame.bmp");  // for a look at the state the reader saw
  ::SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(-50, 50));  // released off the button: no roll-up
  ASSERT_TRUE(r.Finished);
  ASSERT_EQ(r.Get, "00000000");
  const TAccessibleRow* window = r.Find("Quillon", 0);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->Role, std::to_string(ROLE_SYSTEM_WINDOW));
  const TAccessibleRow* bar = r.Find("Quillon", 1);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->Role, std::to_string(ROLE_SYSTEM_TITLEBAR));
  RECT w;
  ::GetWindowRect(Window(), &w);
  POINT client{0, 0};
  ::ClientToScreen(Window(), &client);
  EXPECT_EQ(bar->Location, Location({w.left, w.top, w.right, client.y})) << "the band above the client area";

  struct Case {
    std::string Name, Id;
    long State;
    std::string Action;
  } cases[] = {
      {"关闭", "CloseAnimate", 0, "按"},
      {"最大化", "MaxAnimate", STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE, ""},  // not in the border icons
      {"最小化", "MinAnimate", 0, "按"},
      {"向上卷拢", "RollUpAnimate", STATE_SYSTEM_PRESSED, "按"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Id);
    const TAccessibleRow* row = r.Find(c.Name, 2);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->Role, std::to_string(ROLE_SYSTEM_PUSHBUTTON));
    EXPECT_EQ(row->State, Hex(c.State));
    EXPECT_EQ(row->Location, Location(ScreenRectOf(Window(), ObjectNamed(*Frame, c.Id).ObjectRect)));
    EXPECT_EQ(row->Action, c.Action);
  }
  EXPECT_FALSE(Frame->FrameState().RolledUp);

  // With maximize among the border icons, the reader's default action maximizes the window.
  Frame->SetBorderIcons(kDefaultBorderIcons);
  Frame->ApplySkin();
  Pump(50);
  r = ReadFromOutside(Window(), "window", L"最大化");
  ASSERT_TRUE(r.Finished);
  EXPECT_EQ(r.Do, "00000000");
  Pump(100);
  EXPECT_EQ(Frame->FrameState().WindowState, wsMaximized);
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_GE(WindowRect().Width(), work.right - work.left - 2) << "the window covers the work area";
}

TEST_F(TFrameFixture, HitTestOnAButtonsEdgesAndObjectsThatOutliveTheWindow) {
  Make(TFormBorderStyle::bsSingle, true);
  const long liveBefore = TAccessibleObject::Live();
  IAccessible* bar = nullptr;
  ASSERT_EQ(::AccessibleObjectFromWindow(Window(), static_cast<DWORD>(OBJID_TITLEBAR), __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&bar)),
            S_OK);
  const RECT close = ScreenRectOf(Window(), ObjectNamed(*Frame, "CloseAnimate").ObjectRect);
  struct Case {
    const char* What;
    LONG X, Y, Child;  // Child: CHILDID_SELF for the title bar itself
  } cases[] = {
      {"first pixel", close.left, close.top, 1},
      {"last pixel", close.right - 1, close.bottom - 1, 1},
      {"right of the last pixel", close.right, close.bottom - 1, CHILDID_SELF},
      {"below the last pixel", close.right - 1, close.bottom, CHILDID_SELF},
  };
  for (const Case& c : cases) {
    VARIANT hit{};
    EXPECT_EQ(bar->accHitTest(c.X, c.Y, &hit), S_OK) << c.What;
    EXPECT_EQ(hit.vt, VT_I4) << c.What;
    EXPECT_EQ(hit.lVal, c.Child) << c.What;
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  // The window closes while the tool still holds the title bar: the object stays, answers that
  // it is cut off, and goes with the tool's last reference.
  Form.reset();
  BSTR name = nullptr;
  EXPECT_EQ(bar->get_accName(self, &name), RPC_E_DISCONNECTED);
  EXPECT_EQ(name, nullptr);
  EXPECT_GT(TAccessibleObject::Live(), liveBefore);
  EXPECT_EQ(bar->Release(), 0u);
  EXPECT_EQ(TAccessibleObject::Live(), liveBefore);
}

}  // namespace
