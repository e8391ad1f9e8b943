// The skinned frame on real windows (run under Wine on a private display): styles, the
// non-client insets, the region, hit codes, hover animation, press and release, roll-up and the
// default look.
#include "skin/form/VeneerForm_win.h"

#include "framework/Application_win.h"
#include "skin/data/vnIniFile.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataObjects.h"
#include "skin/form/VeneerFormSkin.h"
#include "skin/imaging/vnUtilsCompose.h"
#include "skin/imaging/vnUtilsRegion.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <utility>
#include <vector>

namespace {


void Pump(int ms) {
  const DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
  while (static_cast<int>(end - ::GetTickCount()) > 0) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::Sleep(5);
  }
}

// A skin shaped like the program's own: [FORMINFO] of the embedded skin on a 191 x 135
// picture, a mask that cuts the four outer corner pixels, a caption and four caption buttons
// drawn from a 41 x 20 strip of five frames.
std::unique_ptr<TvnSkinData> MakeSkin() {
  auto skin = std::make_unique<TvnSkinData>();
  TvnSkinData& s = *skin;
  s.Picture.SetSize(191, 135);
  for (int y = 0; y < 135; ++y)
    for (int x = 0; x < 191; ++x) s.Picture.SetPixel(x, y, static_cast<std::uint32_t>((x * 7) ^ (y * 3)));
  s.Mask.SetSize(191, 135);
  for (int y = 0; y < 135; ++y)
    for (int x = 0; x < 191; ++x) {
      const bool corner = (x < 2 || x >= 189) && (y < 2 || y >= 133);
      s.Mask.SetPixel(x, y, corner ? 0xFFFFFF : 0);
    }
  s.ActivePictures.resize(1);
  s.ActivePictures[0].SetSize(41, 20);
  s.ActivePictures[0].Fill(0x00FF00);
  s.LeftTopPoint = {46, 32};
  s.RightTopPoint = {110, 30};
  s.LeftBottomPoint = {54, 115};
  s.RightBottomPoint = {138, 115};
  s.ClientRect = Rect(8, 28, 184, 118);
  s.ButtonsRect = Rect(132, 9, 181, 20);
  s.MaskRectArea = Rect(4, 5, 188, 131);
  s.HitTestLeftTopPoint = {10, 10};
  s.HitTestRightTopPoint = {181, 10};
  s.HitTestLeftBottomPoint = {10, 125};
  s.HitTestRightBottomPoint = {181, 125};
  s.BorderWidth = 3;
  s.LeftStretch = s.RightStretch = true;
  const TvnIniFile ini(
      "[SKINOBJECTS]\ncount=5\n0=caption:caption\n1=CloseAnimate:animate\n2=MaxAnimate:animate\n"
      "3=MinAnimate:animate\n4=RollUpAnimate:animate\n"
      "[caption]\nskinrect=34,3,120,20\ntextrect=2,2,84,17\nfontcolor=8421504\nactivefontcolor=0\n"
      "alignment=taleftjustify\nfontheight=14\n"
      "[CloseAnimate]\nskinrect=1,12,9,20\nactiveskinrect=1,12,41,20\nactivepictureindex=0\n"
      "skinrectinapicture=1\ncountframes=5\ntimerinterval=50\nbuttonstyle=1\ncommand=cmclose\n"
      "[MaxAnimate]\nskinrect=1,0,9,8\nactiveskinrect=1,0,41,8\nactivepictureindex=0\n"
      "skinrectinapicture=1\ncountframes=5\nbuttonstyle=1\ncommand=cmmaximize\n"
      "[MinAnimate]\nskinrect=1,0,9,8\nactiveskinrect=1,0,41,8\nactivepictureindex=0\n"
      "skinrectinapicture=1\ncountframes=5\nbuttonstyle=1\ncommand=cmminimize\n"
      "[RollUpAnimate]\nskinrect=1,0,9,8\nactiveskinrect=1,0,41,8\nactivepictureindex=0\n"
      "skinrectinapicture=1\ncountframes=5\nbuttonstyle=1\ncommand=cmrollup\n");
  LoadObjectDescriptions(ini, s.ObjectDescriptions);
  s.SkinEmpty = false;
  return skin;
}

struct TFrameFixture : ::testing::Test {
  std::unique_ptr<TForm> Form;
  TvnVeneerForm* Frame = nullptr;  // owned by the form
  std::unique_ptr<TvnSkinData> Skin;
  long GdiBefore = 0;

  void Make(TFormBorderStyle border, bool skinned) {
    GdiBefore = TvnGdiCount::Live();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBorderStyle(border);
    Form->SetText(L"Quillon");
    Form->SetBounds(100, 100, 385, 392);
    Frame = TComponent::Create<TvnVeneerForm>(Form.get());
    Frame->SetBorderIcons(TvnBorderIcons{TvnBorderIcon::biSystemMenu, TvnBorderIcon::biMinimize,
                                          TvnBorderIcon::biRollUp});
    if (skinned) {
      Skin = MakeSkin();
      Frame->SetSkinData(Skin.get());
    }
    Form->Show();
    ::SetForegroundWindow(Window());
    Pump(100);
  }
  HWND Window() { return Form->Handle(); }
  TRect WindowRect() {
    RECT r;
    ::GetWindowRect(Window(), &r);
    return Rect(r.left, r.top, r.right, r.bottom);
  }
  int Hit(int x, int y) {
    const TRect w = WindowRect();
    return static_cast<int>(::SendMessageW(Window(), WM_NCHITTEST, 0, MAKELPARAM(w.Left + x, w.Top + y)));
  }
  void TearDown() override {
    Form.reset();
    Skin.reset();
    EXPECT_EQ(TvnGdiCount::Live(), GdiBefore) << "GDI objects of the frame left behind";
  }
};

TEST_F(TFrameFixture, DefaultLookInsetsHitCodesAndButtons) {
  Make(TFormBorderStyle::bsSizeable, false);
  const LONG_PTR style = ::GetWindowLongPtrW(Window(), GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, 0);
  const TRect w = WindowRect();
  RECT client;
  ::GetClientRect(Window(), &client);
  POINT origin{0, 0};
  ::ClientToScreen(Window(), &origin);
  EXPECT_EQ(origin.x - w.Left, 3);
  EXPECT_EQ(origin.y - w.Top, 22);  // 19-pixel caption + 3
  EXPECT_EQ(client.right, w.Width() - 6);
  EXPECT_EQ(client.bottom, w.Height() - 25);

  ::SendMessageW(Window(), WM_NCPAINT, 0, 0);
  ASSERT_EQ(Frame->Objects().Count(), 6);  // made on the first default paint
  EXPECT_EQ(Hit(2, 200), HTLEFT);
  EXPECT_EQ(Hit(3, 200), HTCLIENT);
  EXPECT_EQ(Hit(0, 0), HTTOPLEFT);
  EXPECT_EQ(Hit(w.Width() - 1, w.Height() - 1), HTBOTTOMRIGHT);
  EXPECT_EQ(Hit(100, 10), HTCAPTION);
  // The close button sits at the right end of the caption (17 pixels, top 4).
  EXPECT_EQ(Frame->Objects().At(0)->ObjectRect, Rect(w.Width() - 20, 4, w.Width() - 3, 21));
  EXPECT_EQ(Hit(w.Width() - 10, 10), HTOBJECT_CODE);
}

TEST_F(TFrameFixture, SkinnedFrameSizesRegionAndHitCodes) {
  Make(TFormBorderStyle::bsSingle, true);
  ASSERT_TRUE(Frame->SkinSupport());
  const TRect w = WindowRect();
  ASSERT_EQ(w.Width(), 385);
  ASSERT_EQ(w.Height(), 392);
  RECT client;
  ::GetClientRect(Window(), &client);
  POINT origin{0, 0};
  ::ClientToScreen(Window(), &origin);
  EXPECT_EQ(origin.x - w.Left, 8);
  EXPECT_EQ(origin.y - w.Top, 28);
  EXPECT_EQ(client.right, 370);
  EXPECT_EQ(client.bottom, 347);

  // The region covers the same pixels as the frame region of the mask for this size.
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(::GetWindowRgn(Window(), region), ERROR);
  const TvnSkinData& s = *Skin;
  const TvnFrameGeometry g = CalcFrameGeometry(FrameSkinOf(s), 385, 392);
  const auto expected = FrameRegionRects({s.LeftTopPoint, s.RightTopPoint, s.LeftBottomPoint, s.RightBottomPoint, s.MaskRectArea},
                                         {g.LeftTop, g.RightTop, g.LeftBottom, g.RightBottom, g.MaskArea},
                                         ViewOf(s.Mask), 385, 392);
  ASSERT_TRUE(expected.has_value());
  int mismatches = 0;
  for (int y = 0; y < 392; ++y)
    for (int x = 0; x < 385; ++x) {
      bool inExpected = false;
      for (const TRect& r : *expected) inExpected = inExpected || r.Contains({x, y});
      if (inExpected != (::PtInRegion(region, x, y) != FALSE)) ++mismatches;
    }
  const bool cornerIn = ::PtInRegion(region, 0, 0) != FALSE;
  ::DeleteObject(region);
  EXPECT_EQ(mismatches, 0);
  EXPECT_FALSE(cornerIn);

  EXPECT_EQ(Hit(200, 200), HTCLIENT);
  EXPECT_EQ(Hit(100, 10), HTCAPTION);   // over the caption object (34..314)
  EXPECT_EQ(Hit(3, 200), HTOBJECT_CODE);  // frame, not sizeable
  EXPECT_EQ(Hit(371, 12), HTOBJECT_CODE); // the close animation at 367..375
}

TEST_F(TFrameFixture, ButtonsFollowTheBorderIcons) {
  Make(TFormBorderStyle::bsSingle, true);
  auto& list = Frame->Objects();
  ASSERT_EQ(list.Count(), 5);
  EXPECT_TRUE(list.At(1)->ObjectVisible);   // close
  EXPECT_FALSE(list.At(2)->ObjectVisible);  // maximize: no icon, drawn from its own picture
  EXPECT_TRUE(list.At(3)->ObjectVisible);   // minimize
  EXPECT_EQ(list.At(1)->ObjectRect, Rect(367, 9, 375, 17));
  EXPECT_EQ(list.At(3)->ObjectRect, Rect(359, 9, 367, 17));
  EXPECT_EQ(list.At(4)->ObjectRect, Rect(351, 9, 359, 17));
}

TEST_F(TFrameFixture, HoverPlaysTheCloseAnimationAndLeavingRunsItBack) {
  Make(TFormBorderStyle::bsSingle, true);
  ASSERT_EQ(::GetActiveWindow(), Window());
  auto* close = static_cast<TvnSkinAnimateObject*>(Frame->Objects().At(1));
  const TRect w = WindowRect();
  ::SetCursorPos(w.Left + 371, w.Top + 12);
  EXPECT_EQ(Hit(371, 12), HTOBJECT_CODE);
  std::vector<int> frames;
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < 600) {
    Pump(10);
    if (frames.empty() || frames.back() != close->CurrentFrame) frames.push_back(close->CurrentFrame);
  }
  EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 5}));
  ::SetCursorPos(w.Left + 200, w.Top + 200);
  Pump(600);
  EXPECT_EQ(close->CurrentFrame, 1);
  EXPECT_FALSE(close->ActiveLook);
}

TEST_F(TFrameFixture, PressOnCloseAndReleaseOutsideKeepsTheWindow) {
  Make(TFormBorderStyle::bsSingle, true);
  const TRect w = WindowRect();
  const LPARAM onClose = MAKELPARAM(w.Left + 371, w.Top + 12);
  ::SetCursorPos(w.Left + 371, w.Top + 12);
  Hit(371, 12);
  ::SendMessageW(Window(), WM_NCLBUTTONDOWN, HTOBJECT_CODE, onClose);
  EXPECT_EQ(::GetCapture(), Window());
  ::SetCursorPos(w.Left + 200, w.Top + 200);
  Pump(150);  // the hover timer sees the mouse leave
  ::SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(192, 172));
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_TRUE(::IsWindowVisible(Window()));

  // Pressed and released on it: the window closes.
  ::SetCursorPos(w.Left + 371, w.Top + 12);
  Hit(371, 12);
  Pump(60);
  ::SendMessageW(Window(), WM_NCLBUTTONDOWN, HTOBJECT_CODE, onClose);
  ::SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(363, -16));
  EXPECT_FALSE(::IsWindowVisible(Window()));
}

TEST_F(TFrameFixture, RollUpToTheFrameHeightAndBackByCaptionDoubleClick) {
  Make(TFormBorderStyle::bsSingle, true);
  const TRect w = WindowRect();
  const LPARAM onCaption = MAKELPARAM(w.Left + 100, w.Top + 10);
  ::SendMessageW(Window(), WM_NCLBUTTONDBLCLK, HTCAPTION, onCaption);
  EXPECT_TRUE(Frame->FrameState().RolledUp);
  EXPECT_EQ(WindowRect().Height(), 45);  // 135 - 90: the frame alone
  ::SendMessageW(Window(), WM_NCLBUTTONDBLCLK, HTCAPTION, onCaption);
  EXPECT_FALSE(Frame->FrameState().RolledUp);
  EXPECT_EQ(WindowRect().Height(), 392);
}

TEST_F(TFrameFixture, DoubleClickOnAButtonIsASecondClickAndGivesTheMouseBack) {
  Make(TFormBorderStyle::bsSingle, true);
  const TRect rollUp = Frame->Objects().At(4)->ObjectRect;
  const int x = rollUp.Left + 4, y = rollUp.Top + 4;
  const TRect w = WindowRect();
  ::SetCursorPos(w.Left + x, w.Top + y);
  Hit(x, y);
  Pump(60);
  const LPARAM at = MAKELPARAM(w.Left + x, w.Top + y);
  ::SendMessageW(Window(), WM_NCLBUTTONDOWN, HTOBJECT_CODE, at);
  ::SendMessageW(Window(), WM_LBUTTONUP, 0, 0);
  EXPECT_TRUE(Frame->FrameState().RolledUp);
  // The second press of a double-click arrives as a double-click message.
  ::SendMessageW(Window(), WM_NCLBUTTONDBLCLK, HTOBJECT_CODE, at);
  EXPECT_EQ(::GetCapture(), Window());
  ::SendMessageW(Window(), WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_FALSE(Frame->FrameState().RolledUp);
  EXPECT_EQ(WindowRect().Height(), 392);
}

TEST_F(TFrameFixture, RepaintsAndActivationsLeaveNoGdiObjects) {
  Make(TFormBorderStyle::bsSizeable, true);
  const long live = TvnGdiCount::Live();
  for (int i = 0; i < 200; ++i) {
    ::SendMessageW(Window(), WM_NCACTIVATE, i % 2, 0);
    ::SendMessageW(Window(), WM_NCPAINT, 0, 0);
    ::RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
  for (int i = 0; i < 20; ++i) Frame->ApplySkin();
  EXPECT_EQ(TvnGdiCount::Live(), live);
}

}  // namespace
