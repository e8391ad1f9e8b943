// Quillon's window built in-process from its real description: every property of the
// window and its controls, the handlers through the controls' own notifications, and the
// framework pieces under it (WindowProc hooks, broadcast to forms, errors at a window
// procedure, a malformed description).
#include "app/Registration_win.h"
#include "app/Unit1_win.h"
#include "framework/Application_win.h"
#include "framework/Description.h"
#include "framework/WindowException_win.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

const std::string& Description() {
  static const std::string text = ReadFile(QUILLON_SOURCE_DIR "/app/Unit1.desc");
  return text;
}

class Form1Test : public ::testing::Test {
protected:
  void SetUp() override {
    FApplication.Initialize();
    RegisterQuillonClasses(ClassRegistry());
    ASSERT_FALSE(Description().empty());
    Form = FApplication.CreateForm<TForm1>(Description());
    Form->Handle();
  }
  TApplication FApplication;
  TForm1* Form = nullptr;  // owned by the application
};

LOGFONTW FontOf(HWND window) {
  LOGFONTW lf{};
  auto font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
  ::GetObjectW(font, sizeof lf, &lf);
  return lf;
}

TEST_F(Form1Test, EveryPropertyOfTheWindow) {
  EXPECT_EQ(Form->Name(), "Form1");
  EXPECT_EQ(Form->Text(), L"Quillon");
  EXPECT_EQ(Form->ClientWidth(), 370);
  EXPECT_EQ(Form->ClientHeight(), 347);
  HWND window = Form->HandleIfAllocated();
  LONG style = ::GetWindowLongW(window, GWL_STYLE);
  // The skinned frame replaces the platform's caption; the window keeps what the taskbar
  // needs to minimize and restore it, and stays fixed-size.
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX));
  EXPECT_EQ(Form->Width(), 385);
  EXPECT_EQ(Form->Height(), 392);
  EXPECT_EQ(Form->Color(), clBtnFace);
  EXPECT_EQ(Form->Position(), TPosition::poDesktopCenter);

  struct Expect {
    TWinControl* control;
    const wchar_t* text;
    TRect bounds;
    int tabOrder;
  } controls[] = {
      {Form->Label1, L"文本：", Bounds(11, 15, 36, 12), -1},
      {Form->Label2, L"Hex 长度值：", Bounds(11, 259, 72, 12), -1},
      {Form->Memo1, L"", Bounds(11, 38, 347, 207), 0},
      {Form->Edit1, L"", Bounds(11, 284, 347, 20), 1},
      {Form->CheckBox1, L"Hex 值反序", Bounds(11, 319, 83, 17), 2},
      {Form->Button1, L"清空", Bounds(104, 316, 75, 25), 3},
      {Form->Button2, L"退出", Bounds(191, 316, 75, 25), 4},
      {Form->Button3, L"从剪贴板粘贴", Bounds(278, 7, 80, 25), 5},
      {Form->Button4, L"复制到剪贴板", Bounds(278, 253, 80, 25), 6},
  };
  for (const auto& c : controls) {
    ASSERT_NE(c.control, nullptr);
    SCOPED_TRACE(c.control->Name());
    ASSERT_TRUE(c.control->HandleAllocated());
    EXPECT_EQ(c.control->Text(), c.text);
    EXPECT_EQ(c.control->BoundsRect(), c.bounds);
    RECT r;
    ::GetWindowRect(c.control->HandleIfAllocated(), &r);
    ::MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(Rect(r.left, r.top, r.right, r.bottom), c.bounds);
    if (c.tabOrder >= 0) {
      EXPECT_EQ(c.control->TabOrder(), c.tabOrder);
    }
    // Every control has the window's font: 宋体, GB2312, 12 pixels high.
    LOGFONTW lf = FontOf(c.control->HandleIfAllocated());
    EXPECT_EQ(lf.lfHeight, -12);
    EXPECT_EQ(lf.lfCharSet, GB2312_CHARSET);
    EXPECT_STREQ(lf.lfFaceName, L"宋体");
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_FALSE(lf.lfItalic || lf.lfUnderline || lf.lfStrikeOut);
  }
  // Tab order: memo, result, box, then the four buttons (of a shown window).
  Form->Show();
  std::vector<TWinControl*> expected = {Form->Memo1,   Form->Edit1,   Form->CheckBox1, Form->Button1,
                                        Form->Button2, Form->Button3, Form->Button4};
  EXPECT_EQ(Form->TabList(), expected);

  EXPECT_EQ(Form->Label1->Color(), 13160660);
  EXPECT_EQ(Form->Label2->Color(), 13160660);
  EXPECT_EQ(Form->CheckBox1->Color(), 13160660);
  // The background the labels and the box are painted with: red 212, green 208, blue 200.
  HDC dc = ::CreateCompatibleDC(nullptr);
  for (TWinControl* c : {static_cast<TWinControl*>(Form->Label1), static_cast<TWinControl*>(Form->CheckBox1)}) {
    auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                         reinterpret_cast<LPARAM>(c->HandleIfAllocated())));
    LOGBRUSH lb{};
    ASSERT_TRUE(::GetObjectW(brush, sizeof lb, &lb));
    EXPECT_EQ(lb.lbColor, RGB(212, 208, 200));
  }
  ::DeleteDC(dc);

  HWND memo = Form->Memo1->HandleIfAllocated();
  EXPECT_TRUE(::GetWindowLongW(memo, GWL_STYLE) & (ES_MULTILINE | WS_VSCROLL));
  EXPECT_FALSE(::GetWindowLongW(memo, GWL_STYLE) & (WS_HSCROLL | ES_AUTOHSCROLL));
  EXPECT_GE(static_cast<unsigned long>(::SendMessageW(memo, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEul);
  EXPECT_TRUE(::GetWindowLongW(Form->Edit1->HandleIfAllocated(), GWL_STYLE) & ES_READONLY);
  EXPECT_TRUE(::GetWindowLongW(Form->Edit1->HandleIfAllocated(), GWL_STYLE) & ES_NOHIDESEL);
  EXPECT_FALSE(Form->CheckBox1->Checked());
}

TEST_F(Form1Test, SettingTheMemoFromCodeNotifiesOnceAsTypingDoes) {
  int changes = 0;
  TNotifyEvent handler = Form->Memo1->OnChange;
  ASSERT_TRUE(handler);
  Form->Memo1->OnChange = [&](TComponent* sender) {
    ++changes;
    handler(sender);
  };
  Form->Memo1->SetText(L"A");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(Form->Edit1->Text(), L"01");
  Form->Memo1->ReplaceSelection(L"中");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(Form->Edit1->Text(), L"03");
  Form->Button1->Click();  // clear
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(Form->Memo1->Text(), L"");
  EXPECT_EQ(Form->Edit1->Text(), L"");
}

TEST_F(Form1Test, HandlersThroughTheControlsOwnNotifications) {
  HWND box = Form->CheckBox1->HandleIfAllocated();
  Form->Memo1->SetText(std::wstring(300, L'x'));
  EXPECT_EQ(Form->Edit1->Text(), L"012C");
  ::SendMessageW(box, BM_CLICK, 0, 0);  // the platform toggles the box and tells the form
  EXPECT_TRUE(Form->CheckBox1->Checked());
  EXPECT_EQ(Form->Edit1->Text(), L"2C01");
  Form->Memo1->ReplaceSelection(L"x");
  EXPECT_EQ(Form->Edit1->Text(), L"2D01");
  ::SendMessageW(box, BM_CLICK, 0, 0);
  EXPECT_FALSE(Form->CheckBox1->Checked());
  EXPECT_EQ(Form->Edit1->Text(), L"012D");

  // Past 65,535 bytes: the message, never swapped.
  std::wstring big;
  for (int i = 0; i < 656; ++i) big += std::wstring(98, L'y') + L"\r\n";
  Form->Memo1->SetText(big);
  EXPECT_EQ(Form->Edit1->Text(), L"字符长度已超出最大值 FFFF");
  ::SendMessageW(box, BM_CLICK, 0, 0);
  EXPECT_EQ(Form->Edit1->Text(), L"字符长度已超出最大值 FFFF");
  // Ticked: exactly 65,535 bytes show FFFF (its own swap), 256 show 0001.
  Form->Memo1->SetText(big.substr(0, 65535));
  EXPECT_EQ(Form->Edit1->Text(), L"FFFF");
  Form->Memo1->SetText(std::wstring(256, L'y'));
  EXPECT_EQ(Form->Edit1->Text(), L"0001");
}

TEST_F(Form1Test, AHookedWindowProcSeesMessagesAndCanBeUndone) {
  std::vector<UINT> seen;
  TWndMethod previous = Form->WindowProc();
  Form->SetWindowProc([&](TMessage& m) {
    if (m.Msg == WM_APP + 7) {
      seen.push_back(m.Msg);
      m.Result = 42;
      return;
    }
    previous(m);
  });
  EXPECT_EQ(::SendMessageW(Form->HandleIfAllocated(), WM_APP + 7, 0, 0), 42);
  EXPECT_EQ(Form->Perform(WM_APP + 7), 42);
  EXPECT_EQ(seen.size(), 2u);
  // Messages the hook passes on still work: the caption comes back through the old procedure.
  EXPECT_EQ(Form->Text(), L"Quillon");
  Form->SetWindowProc(std::move(previous));
  EXPECT_EQ(::SendMessageW(Form->HandleIfAllocated(), WM_APP + 7, 0, 0), 0);
  EXPECT_EQ(seen.size(), 2u);
}

TEST_F(Form1Test, BroadcastReachesEveryFormInListOrder) {
  TForm* second = FApplication.CreateForm<TForm>();
  ASSERT_EQ(FApplication.FormCount(), 2);
  EXPECT_EQ(FApplication.MainForm(), Form);
  EXPECT_EQ(FApplication.Forms(1), second);
  std::vector<std::string> order;
  for (TForm* f : {static_cast<TForm*>(Form), second}) {
    TWndMethod old = f->WindowProc();
    f->SetWindowProc([f, old, &order](TMessage& m) {
      if (m.Msg == WM_APP + 9) order.push_back(f == Application->MainForm() ? "main" : "second");
      old(m);
    });
  }
  FApplication.BroadcastToForms(WM_APP + 9);
  EXPECT_EQ(order, (std::vector<std::string>{"main", "second"}));
}

TEST_F(Form1Test, AnErrorInAWindowProcedureStopsThere) {
  std::vector<std::string> reported;
  SetExceptionReporter([&](const std::string& m) { reported.push_back(m); });
  TWndMethod old = Form->WindowProc();
  Form->SetWindowProc([old](TMessage& m) {
    if (m.Msg == WM_APP + 3) throw std::runtime_error("broken handler");
    old(m);
  });
  EXPECT_EQ(::SendMessageW(Form->HandleIfAllocated(), WM_APP + 3, 0, 0), 0);
  EXPECT_EQ(reported, std::vector<std::string>{"broken handler"});
  EXPECT_EQ(Form->Text(), L"Quillon");  // the window goes on working
  Form->SetWindowProc(std::move(old));
}

TEST_F(Form1Test, FreeingTheFormDestroysItsWindows) {
  HWND window = Form->HandleIfAllocated();
  HWND memo = Form->Memo1->HandleIfAllocated();
  TForm* other = FApplication.CreateForm<TForm>();
  FApplication.RemoveAndFree(Form);
  Form = nullptr;
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_FALSE(::IsWindow(memo));
  EXPECT_EQ(FApplication.FormCount(), 1);
  EXPECT_EQ(FApplication.Forms(0), other);
}

// A broken description stops the window from being made and says where.
TEST(Form1Description, FaultsNameTheLine) {
  TApplication application;
  application.Initialize();
  RegisterQuillonClasses(ClassRegistry());
  struct Case { std::string text; int line; const char* says; } cases[] = {
      {"object Form1: TForm1\n  Caption = \"x\"\n  Colour = clRed\nend\n", 3, "no property \"Colour\""},
      {"object Form1: TForm1\n  object Memo1: TMemo\n    OnChange = Memo2Change\n  end\nend\n", 3, "no handler \"Memo2Change\""},
      {"object Form1: TForm1\n  object Memo1: TLabel\n  end\nend\n", 2, "does not take a TLabel"},
      {"object Form1: TForm1\n  BorderStyle = bsRound\nend\n", 2, "unknown value \"bsRound\""},
      {"object Form1: TForm1\n  Font.Charset = KLINGON_CHARSET\nend\n", 2, "unknown character set"},
      {"object Form1: TForm1\n  object Memo1: TMemo\n    ScrollBars = ssVertical\n", 4, "\"end\" missing"},
  };
  for (const auto& c : cases) {
    try {
      application.CreateForm<TForm1>(c.text);
      ADD_FAILURE() << "no error for:\n" << c.text;
    } catch (const TDescriptionError& e) {
      EXPECT_EQ(e.Line(), c.line) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
    }
  }
}

}  // namespace
