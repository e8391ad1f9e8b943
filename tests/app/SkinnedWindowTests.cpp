// Quillon's window as the user sees it: built in-process from its real description, framed by
// its embedded skin, on a real window (under Wine on a private display). The painted frame and
// the window region are compared with what skintool renders for the same size; the pictures of
// the active and inactive window are saved beside the test (quillon-active.bmp,
// quillon-inactive.bmp) to be looked at.
#include "app/Registration_win.h"
#include "app/Unit1_win.h"
#include "framework/Application_win.h"
#include "framework/Bmp.h"
#include "framework/Dpi_win.h"
#include "framework/Stream.h"
#include "skin/form/SkinCaptionObject.h"
#include "skin/form/VeneerForm_win.h"
#include "tests/support/WindowTesting_win.h"
#include "tools/skintool/Skintool.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::filesystem::path Source = QUILLON_SOURCE_DIR;
const std::filesystem::path Binary = QUILLON_BINARY_DIR;

std::string Utf8(const std::filesystem::path& p) {
  const std::u8string s = p.u8string();
  return std::string(s.begin(), s.end());
}

const std::string SkinIni = Utf8(Source / "skins" / "quillon" / "skin.ini");

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}


std::string Skintool(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int code = RunSkintool(args, out, err);
  EXPECT_EQ(code, 0) << err.str();
  return out.str();
}

// The process takes each monitor's DPI as the programs do (their manifest says so), so that
// the runs under a prefix set to 144 or 192 DPI see it. Before any window is made.
const bool DpiAware = [] {
  using TSetContext = BOOL(WINAPI*)(HANDLE);
  auto set = reinterpret_cast<TSetContext>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
  // Per monitor, the second version; Wine 8 knows only the first.
  return set != nullptr && (set(reinterpret_cast<HANDLE>(-4)) != FALSE || set(reinterpret_cast<HANDLE>(-3)) != FALSE);
}();

// skintool's --scale for a DPI: "1", "1.5", "2".
std::string ScaleArg(int dpi) {
  std::ostringstream s;
  s << dpi / 96.0;
  return s.str();
}

// What skintool renders for the embedded skin's frame at a size.
TPixelBitmap Rendered(int w, int h, bool inactive, int dpi = 96) {
  const std::filesystem::path out = Binary / (inactive ? "skintool-quillon-inactive.bmp" : "skintool-quillon-active.bmp");
  std::vector<std::string> args = {"render", SkinIni, "--size", std::to_string(w) + "x" + std::to_string(h), "-o", Utf8(out),
                                   "--scale", ScaleArg(dpi)};
  if (inactive) args.push_back("--inactive");
  Skintool(args);
  return DecodeBmp(ReadFileBytes(out));
}

using TPixelSet = std::set<std::pair<int, int>>;

TPixelSet CoveredPixels(const std::vector<RECT>& rects) {
  TPixelSet set;
  for (const RECT& r : rects)
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) set.insert({x, y});
  return set;
}

// The window region's pixels as skintool computes it for the size.
TPixelSet ToolRegion(int w, int h, int dpi = 96) {
  const std::string json =
      Skintool({"region", SkinIni, "--size", std::to_string(w) + "x" + std::to_string(h), "--scale", ScaleArg(dpi)});
  std::vector<RECT> rects;
  const std::regex rect(R"(\[(-?\d+),\s*(-?\d+),\s*(-?\d+),\s*(-?\d+)\])");
  const std::string list = json.substr(json.find("\"rects\""));
  for (auto it = std::sregex_iterator(list.begin(), list.end(), rect); it != std::sregex_iterator(); ++it)
    rects.push_back({std::stoi((*it)[1]), std::stoi((*it)[2]), std::stoi((*it)[3]), std::stoi((*it)[4])});
  return CoveredPixels(rects);
}

TPixelSet WindowRegion(HWND window) {
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  std::vector<RECT> rects;
  if (::GetWindowRgn(window, region) != ERROR) {
    const DWORD size = ::GetRegionData(region, 0, nullptr);
    std::vector<std::uint8_t> data(size);
    auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
    ::GetRegionData(region, size, rgn);
    const RECT* r = reinterpret_cast<const RECT*>(rgn->Buffer);
    rects.assign(r, r + rgn->rdh.nCount);
  }
  ::DeleteObject(region);
  return CoveredPixels(rects);
}

class SkinnedWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    FApplication.Initialize();
    RegisterQuillonClasses(ClassRegistry());
    Form = FApplication.CreateForm<TForm1>(ReadText(Source / "app" / "Unit1.desc"));
    Frame = dynamic_cast<TvnVeneerForm*>(Form->FindComponent("vnVeneerForm1"));
    ASSERT_NE(Frame, nullptr);
    Form->Show();
    ::SetForegroundWindow(Window());
    Pump(200);
  }
  HWND Window() { return Form->Handle(); }
  RECT Bounds() {
    RECT r;
    ::GetWindowRect(Window(), &r);
    return r;
  }
  LPARAM ScreenPoint(int x, int y) {
    const RECT r = Bounds();
    return MAKELPARAM(r.left + x, r.top + y);
  }
  int Hit(int x, int y) {
    return static_cast<int>(::SendMessageW(Window(), WM_NCHITTEST, 0, ScreenPoint(x, y)));
  }
  // A left click on a frame object as the platform delivers it: the pointer over it (the hover
  // timer makes it the hot object), the press, and the release while the window holds the mouse.
  void ClickObject(int index) {
    const TRect o = Frame->Objects().At(index)->ObjectRect;
    const int x = o.Left + o.Width() / 2, y = o.Top + o.Height() / 2;
    const RECT r = Bounds();
    ::SetCursorPos(r.left + x, r.top + y);
    ASSERT_EQ(Hit(x, y), HTOBJECT_CODE);
    Pump(80);
    ::SendMessageW(Window(), WM_NCLBUTTONDOWN, HTOBJECT_CODE, ScreenPoint(x, y));
    // Released where it was pressed (a button runs its command only when released over it),
    // in client coordinates as the captured release comes: above the client, so y < 0.
    POINT release{r.left + x, r.top + y};
    ::ScreenToClient(Window(), &release);
    ::SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(release.x, release.y));
  }
  // The frame's pixels of the capture differ from the rendering only where frame objects are
  // drawn; returns how many frame pixels differ elsewhere (and names the first).
  int FrameDifferences(const TPixelBitmap& shot, const TPixelBitmap& rendered, std::string& first) {
    const TRect client = Frame->Geometry().Client;
    const TPixelSet region = WindowRegion(Window());
    int differing = 0;
    for (int y = 0; y < shot.Height(); ++y)
      for (int x = 0; x < shot.Width(); ++x) {
        if (client.Contains({x, y}) || !region.contains({x, y})) continue;
        bool onObject = false;
        for (const auto& o : Frame->Objects().Objects())
          if (o->ObjectVisible && o->ObjectRect.Contains({x, y})) onObject = true;
        if (onObject || shot.GetPixel(x, y) == rendered.GetPixel(x, y)) continue;
        if (differing++ == 0) {
          std::ostringstream s;
          s << "(" << x << "," << y << ") " << std::hex << shot.GetPixel(x, y) << " vs " << rendered.GetPixel(x, y);
          first = s.str();
        }
      }
    return differing;
  }

  TApplication FApplication;
  TForm1* Form = nullptr;           // owned by the application
  TvnVeneerForm* Frame = nullptr;   // owned by the form
};

TEST_F(SkinnedWindowTest, OpensFramedByTheEmbeddedSkinCentredWithItsClientSize) {
  const RECT r = Bounds();
  EXPECT_EQ(r.right - r.left, 385);
  EXPECT_EQ(r.bottom - r.top, 392);
  EXPECT_EQ(Form->ClientWidth(), 370);
  EXPECT_EQ(Form->ClientHeight(), 347);
  EXPECT_EQ(r.left, (::GetSystemMetrics(SM_CXSCREEN) - 385) / 2);
  EXPECT_EQ(r.top, (::GetSystemMetrics(SM_CYSCREEN) - 392) / 2);
  EXPECT_FALSE(::GetWindowLongW(Window(), GWL_STYLE) & WS_CAPTION);
  ASSERT_TRUE(Frame->SkinSupport());

  // The embedded skin's frame objects: the caption and six animations; no maximize and no
  // tray button on this window, as its border icons leave them out.
  auto& objects = Frame->Objects();
  ASSERT_EQ(objects.Count(), 7);
  std::vector<std::string> ids, shown;
  for (const auto& o : objects.Objects()) {
    ids.push_back(o->IDName);
    if (o->ObjectVisible && o->ObjectEnabled) shown.push_back(o->IDName);
  }
  EXPECT_EQ(ids, (std::vector<std::string>{"caption", "CloseAnimate", "MaxAnimate", "MinAnimate",
                                            "RollUpAnimate", "sysmenuanimate", "trayanimate"}));
  EXPECT_EQ(shown, (std::vector<std::string>{"caption", "CloseAnimate", "MinAnimate", "RollUpAnimate",
                                              "sysmenuanimate"}));

  // The non-client insets and the hit codes of the client, the caption and a button.
  RECT client{};
  ::GetClientRect(Window(), &client);
  POINT origin{0, 0};
  ::ClientToScreen(Window(), &origin);
  EXPECT_EQ(origin.x - r.left, Frame->Geometry().Client.Left);
  EXPECT_EQ(origin.y - r.top, Frame->Geometry().Client.Top);
  EXPECT_EQ(Hit(200, 200), HTCLIENT);
  EXPECT_EQ(Hit(200, 12), HTCAPTION);
  const TRect close = objects.At(1)->ObjectRect;
  EXPECT_EQ(Hit(close.Left + 1, close.Top + 1), HTOBJECT_CODE);
}

TEST_F(SkinnedWindowTest, RegionIsTheOneSkintoolComputes) {
  const TPixelSet window = WindowRegion(Window());
  ASSERT_FALSE(window.empty());
  EXPECT_TRUE(window == ToolRegion(385, 392)) << "window region has " << window.size() << " pixels";
}

// At the system's DPI (96 in the ordinary run; 144 and 192 in the runs under a prefix set so):
// the client size of the description scaled, and the region and frame pixels of the skin
// scaled by skintool. A picture of the window is saved for a look (quillon-DPI.bmp).
TEST_F(SkinnedWindowTest, AtTheSystemDpiTheWindowIsTheScaledSkin) {
  (void)DpiAware;  // Wine 8 refuses both contexts but gives every process the prefix's DPI
  const int dpi = SystemDpi();
  EXPECT_EQ(Form->PixelsPerInch(), dpi);
  EXPECT_EQ(Form->ClientWidth(), ScaleLength(370, dpi));
  EXPECT_EQ(Form->ClientHeight(), ScaleLength(347, dpi));
  const RECT r = Bounds();
  const int w = r.right - r.left, h = r.bottom - r.top;
  // The client and each frame inset are rounded on their own: the whole within a pixel.
  EXPECT_LE(std::abs(w - ScaleLength(385, dpi)), 1) << w;
  EXPECT_LE(std::abs(h - ScaleLength(392, dpi)), 1) << h;
  EXPECT_TRUE(WindowRegion(Window()) == ToolRegion(w, h, dpi));
  const TPixelBitmap shot = Capture(Window());
  WriteFileBytes(Binary / ("quillon-" + std::to_string(dpi) + ".bmp"), EncodeBmp(shot));
  std::string first;
  EXPECT_EQ(FrameDifferences(shot, Rendered(w, h, false, dpi), first), 0) << "first at " << first;
}

TEST_F(SkinnedWindowTest, ActiveAndInactiveFramesMatchTheRenderingAndTheCaptionColours) {
  auto* caption = dynamic_cast<TvnSkinCaptionObject*>(Frame->Objects().At(0));
  ASSERT_NE(caption, nullptr);
  const TRect text = caption->CaptionTextRect();
  auto textHas = [&](const TPixelBitmap& shot, std::uint32_t colour) {
    for (int y = text.Top; y < text.Bottom; ++y)
      for (int x = text.Left; x < text.Right; ++x)
        if (shot.GetPixel(x, y) == colour) return true;
    return false;
  };

  ASSERT_EQ(::GetActiveWindow(), Window());
  const TPixelBitmap active = Capture(Window());
  WriteFileBytes(Binary / "quillon-active.bmp", EncodeBmp(active));
  std::string first;
  EXPECT_EQ(FrameDifferences(active, Rendered(385, 392, false), first), 0) << "first at " << first;
  EXPECT_TRUE(caption->ActiveLook);
  EXPECT_TRUE(textHas(active, 0x000000)) << "the active caption text is black";
  EXPECT_FALSE(textHas(active, 0x808080));

  // Another window takes the activation: the frame turns to the skin's inactive look.
  HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                 nullptr, nullptr, nullptr);
  ::SetForegroundWindow(other);
  ::SetActiveWindow(other);
  Pump(200);
  ASSERT_NE(::GetActiveWindow(), Window());
  const TPixelBitmap inactive = Capture(Window());
  WriteFileBytes(Binary / "quillon-inactive.bmp", EncodeBmp(inactive));
  EXPECT_EQ(FrameDifferences(inactive, Rendered(385, 392, true), first), 0) << "first at " << first;
  EXPECT_FALSE(caption->ActiveLook);
  // The grey text (0x808080) is drawn on the top strip before the skin's inactive effect
  // lightens the whole strip half way to white.
  EXPECT_TRUE(textHas(inactive, 0xC0C0C0)) << "the inactive caption text is lightened grey";
  EXPECT_FALSE(textHas(inactive, 0x000000));
  ::DestroyWindow(other);
}

TEST_F(SkinnedWindowTest, MinimizeButtonPutsItOnTheTaskbarAndTheTaskbarRestoresIt) {
  const RECT before = Bounds();
  ClickObject(3);  // minimize
  Pump(100);
  EXPECT_TRUE(::IsIconic(Window()));
  // The main window minimizes the application: the frame's own state stays normal.
  EXPECT_EQ(Frame->FrameState().WindowState, wsNormal);

  // A click on the taskbar button sends the restore command.
  ::SendMessageW(Window(), WM_SYSCOMMAND, SC_RESTORE, 0);
  Pump(100);
  EXPECT_FALSE(::IsIconic(Window()));
  const RECT after = Bounds();
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right - after.left, 385);
  EXPECT_EQ(after.bottom - after.top, 392);
  EXPECT_EQ(Form->ClientHeight(), 347);
}

TEST_F(SkinnedWindowTest, RollUpButtonAndCaptionDoubleClickFoldToTheFrame) {
  ClickObject(4);  // roll-up
  EXPECT_TRUE(Frame->FrameState().RolledUp);
  EXPECT_EQ(Bounds().bottom - Bounds().top, 392 - 347);

  ::SendMessageW(Window(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(200, 12));
  EXPECT_FALSE(Frame->FrameState().RolledUp);
  EXPECT_EQ(Bounds().bottom - Bounds().top, 392);
  EXPECT_EQ(Form->ClientHeight(), 347);
}

TEST_F(SkinnedWindowTest, AltF4Closes) {
  ::SendMessageW(Window(), WM_SYSKEYDOWN, VK_F4, 0x20000000);
  Pump(100);
  EXPECT_FALSE(::IsWindowVisible(Window()));
}

}  // namespace
