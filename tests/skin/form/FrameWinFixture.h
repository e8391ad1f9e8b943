#pragma once
// The shared ground of the frame's window tests: a skin shaped like the program's own, a fixture
// that frames a real window with it (or in the default look), and the one fake of these tests, a
// recording stand-in for the popup engine that the frame reaches through SetMenuEngine.
#include "skin/form/VeneerForm_win.h"

#include "framework/Application_win.h"
#include "skin/data/vnIniFile.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataObjects.h"
#include "skin/form/VeneerFormSkin.h"
#include "skin/imaging/vnUtilsRegion.h"
#include "skin/imaging/vnUtilsSystem_win.h"
#include "tests/support/WindowTesting_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A pixel of RegionPixels: inside the window's region, or outside it.
constexpr std::uint32_t kInRegion = 0xFFFFFF;
constexpr std::uint32_t kOutOfRegion = 0;

// The pixels a window's region covers, as a picture of w x h (all outside without a region).
inline TPixelBitmap RegionPixels(HWND window, int w, int h) {
  TPixelBitmap covered(w, h);
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  if (::GetWindowRgn(window, region) != ERROR)
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) covered.SetPixel(x, y, ::PtInRegion(region, x, y) ? kInRegion : kOutOfRegion);
  ::DeleteObject(region);
  return covered;
}

// How many pixels of a window's region (as RegionPixels gives it) differ from the frame region
// the skin's mask makes for a window of that size; -1 when the mask makes none.
inline int FrameRegionMismatches(const TvnSkinData& s, const TPixelBitmap& covered) {
  const int w = covered.Width(), h = covered.Height();
  const TvnFrameGeometry g = CalcFrameGeometry(FrameSkinOf(s), w, h);
  const auto expected =
      FrameRegionRects({s.LeftTopPoint, s.RightTopPoint, s.LeftBottomPoint, s.RightBottomPoint, s.MaskRectArea},
                       {g.LeftTop, g.RightTop, g.LeftBottom, g.RightBottom, g.MaskArea}, ViewOf(s.Mask), w, h);
  if (!expected) return -1;
  int mismatches = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      bool in = false;
      for (const TRect& r : *expected) in = in || r.Contains({x, y});
      mismatches += in != (covered.GetPixel(x, y) == kInRegion);
    }
  return mismatches;
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
  // The menu-related messages the frame handed on to the form's own (the platform's) handling.
  std::vector<std::string> ReachedPlatform;

  void Make(TFormBorderStyle border, bool skinned) {
    GdiBefore = TvnGdiCount::Live();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBorderStyle(border);
    Form->SetText(L"Quillon");
    Form->SetBounds(100, 100, 385, 392);
    Form->SetWindowProc([this, platform = Form->WindowProc()](TMessage& m) {
      if (m.Msg == WM_SYSCOMMAND) ReachedPlatform.push_back("syscommand " + std::to_string(m.WParam & 0xFFF0));
      if (m.Msg == WM_NCRBUTTONDOWN) ReachedPlatform.push_back("right press " + std::to_string(m.WParam));
      if (m.Msg == WM_CONTEXTMENU) ReachedPlatform.push_back("context menu");
      if (m.Msg == 0x0313) ReachedPlatform.push_back("taskbar menu");
      // The platform would draw or act on a native maximize button of its own.
      if ((m.Msg == WM_NCLBUTTONDOWN || m.Msg == WM_NCLBUTTONDBLCLK || m.Msg == WM_NCLBUTTONUP) &&
          m.WParam == HTMAXBUTTON)
        ReachedPlatform.push_back("maximize button " + std::to_string(m.Msg));
      platform(m);
    });
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


// ---- menus ------------------------------------------------------------------------------------

// Stands in for the popup engine: remembers what it was asked to show and closes like the
// real one, telling the form. Levels counts the open menu levels; Esc closes the innermost.
struct TFakeMenuEngine : TvnPopupMenuEngine {
  HWND Form = nullptr;
  bool Visible = false;
  int Levels = 0;
  int Popups = 0;
  std::vector<std::string> Log;
  std::vector<std::string> Shown;  // names of the items of the last popup
  TRect Anchor;

  bool Popup(TMenuItem& items, const TRect& anchor, bool, const TvnSkinData*) override {
    Shown.clear();
    for (int i = 0; i < items.Count(); ++i) Shown.push_back(items.Items(i)->Name());
    Anchor = anchor;
    Visible = items.Count() > 0;
    Levels = Visible ? 1 : 0;
    ++Popups;
    Log.push_back("popup");
    return Visible;
  }
  bool MenuVisible() const override { return Visible; }
  int OpenLevels() const override { return Levels; }
  bool SelectedItemHasSubItems() const override { return false; }
  void CloseMenu() override {
    if (!Visible) return;
    Visible = false;
    Levels = 0;
    Log.push_back("close");
    ::SendMessageW(Form, WM_SKINMENUCLOSED, 0, 0);
  }
  void KeyDown(unsigned key) override {
    Log.push_back("key " + std::to_string(key));
    if (key == VK_ESCAPE && --Levels <= 0) CloseMenu();
  }
};

// Whether the platform's own menu is open on this thread: its menu window, or the thread
// in a menu loop.
bool PlatformMenuOpen() {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  const bool inMenu = ::GetGUIThreadInfo(::GetCurrentThreadId(), &info) &&
                      (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE)) != 0;
  HWND popup = ::FindWindowW(L"#32768", nullptr);
  return inMenu || (popup != nullptr && ::IsWindowVisible(popup));
}

// While a step runs, a timer looks for a platform menu and ends it, so a fault shows as a
// failed expectation instead of a hang.
bool g_platformMenuSeen = false;
void CALLBACK WatchForPlatformMenu(HWND, UINT, UINT_PTR, DWORD) {
  if (PlatformMenuOpen()) {
    g_platformMenuSeen = true;
    ::EndMenu();
  }
}

struct TMenuFixture : TFrameFixture {
  TFakeMenuEngine Engine;
  std::vector<std::string> Events;
  UINT_PTR Watch = 0;

  void MakeWithMenus(bool engine) {
    Make(TFormBorderStyle::bsSingle, true);
    Frame->OnSkinMenuOpen = [this](TvnVeneerForm&) { Events.push_back("open"); };
    Frame->OnSkinMenuClose = [this](TvnVeneerForm&) { Events.push_back("closed"); };
    Engine.Form = Window();
    // The frame's own engine is replaced by the recording one, or taken away.
    Frame->SetMenuEngine(engine ? &Engine : nullptr);
    g_platformMenuSeen = false;
    Watch = ::SetTimer(nullptr, 0, 100, WatchForPlatformMenu);
  }
  void TearDown() override {
    if (Watch) ::KillTimer(nullptr, Watch);
    TFrameFixture::TearDown();
  }
  LPARAM OnCaption() {
    const TRect w = WindowRect();
    ::SetCursorPos(w.Left + 100, w.Top + 10);
    return MAKELPARAM(w.Left + 100, w.Top + 10);
  }
  // A right click on the caption. The release is queued first: a platform procedure that waited
  // for it would take it from the queue.
  bool RightClickOnCaption() {
    const LPARAM at = OnCaption();
    ::PostMessageW(Window(), WM_RBUTTONUP, 0, MAKELPARAM(100, -18));
    ::SendMessageW(Window(), WM_NCRBUTTONDOWN, HTCAPTION, at);
    MSG msg;
    const bool releaseWaiting = ::PeekMessageW(&msg, Window(), WM_RBUTTONUP, WM_RBUTTONUP, PM_REMOVE) != FALSE;
    ::SendMessageW(Window(), WM_NCRBUTTONUP, HTCAPTION, at);
    Pump(250);
    return releaseWaiting;
  }
};


}  // namespace
