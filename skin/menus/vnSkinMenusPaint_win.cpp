// Painting of the popup windows and their items: the window in one pass through an off-screen
// bitmap, each item alone when it changes (directly or step by step while it morphs).
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>
#include <string>

#include "framework/Canvas_win.h"
#include "framework/GdiCache_win.h"
#include "framework/ImageList.h"
#include "framework/ImageList_win.h"
#include "skin/data/vnSkinDataObjects.h"
#include "skin/imaging/vnDibSurface_win.h"
#include "skin/imaging/vnGdi_win.h"
#include "skin/imaging/vnUtilsDraw_win.h"
#include "skin/menus/vnSkinMenus_win.h"

// While a whole window paints, its items share scratch surfaces (one per size) instead of each
// making and freeing a bitmap and a device context: a 20-item menu paints with two.
class TvnScratchSurfaces {
public:
  TvnDibSurface& Get(int width, int height) {
    for (auto& s : FSurfaces)
      if (s.first.X == width && s.first.Y == height) return *s.second;
    FSurfaces.emplace_back(TPoint{width, height}, std::make_unique<TvnDibSurface>(width, height));
    return *FSurfaces.back().second;
  }

private:
  std::vector<std::pair<TPoint, std::unique_ptr<TvnDibSurface>>> FSurfaces;
};

namespace {

COLORREF Rgb(TColor colour) { return ColorToRGB(colour); }

void Fill(HDC dc, const TRect& r, TColor colour) {
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  ::FillRect(dc, &rc, CachedBrush(colour));
}

void Frame(HDC dc, const TRect& r, TColor colour) {
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  ::FrameRect(dc, &rc, CachedBrush(colour));
}

// The glyph named by a system or tray menu item, drawn at (x, y); false for other names.
bool DrawNamedGlyph(HDC dc, const std::string& name, int x, int y, COLORREF colour) {
  if (name == "VNR_CLOSE" || name == "TRAY_VNR_CLOSE") DrawCloseGlyph(dc, x, y, colour);
  else if (name == "VNR_MINITEM") DrawMinimizeGlyph(dc, x, y, colour);
  else if (name == "VNR_MAXITEM") DrawMaximizeGlyph(dc, x, y, colour);
  else if (name == "VNR_RESTORE" || name == "TRAY_VNR_RESTORE") DrawRestoreGlyph(dc, x, y, colour);
  else if (name == "VNR_ROLLUP") DrawRollUpGlyph(dc, x, y, colour);
  else if (name == "VNR_MINTOTRAY") DrawTrayGlyph(dc, x, y, colour);
  else return false;
  return true;
}

// Where the parts of an item's content go: the skinned and the plain item differ only here.
struct TvnItemContent {
  TRect T;             // text rectangle
  int Glyph = 16;      // glyph column width
  int RightMargin = 16;
  int ImageX = 0;      // x of the image
  int MarkX = 0;       // x of the check and radio marks
  int NamedX = 0;      // x of the named glyphs
};

// Caption, shortcut, submenu arrow and image or glyph of an item onto dc in the current font.
void DrawItemContent(HDC dc, const TvnSkinMenuItem& item, const TvnItemContent& c, COLORREF colour) {
  const TMenuItem& source = *item.SourceItem;
  const TRect& T = c.T;
  ::SetTextColor(dc, colour);
  const std::wstring caption(reinterpret_cast<const wchar_t*>(source.Caption.c_str()));
  RECT tc{T.Left + c.Glyph, 0, T.Right - c.RightMargin, 0};
  ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &tc, DT_CALCRECT | DT_SINGLELINE);
  const int h = tc.bottom - tc.top;
  tc.top = T.Top + T.Height() / 2 - h / 2;
  tc.bottom = tc.top + h;
  tc.left -= 2;
  tc.right += 2;
  ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &tc, DT_CENTER | DT_SINGLELINE);
  if (source.ShortCut != scNone) {
    const std::string text8 = ShortCutToText(source.ShortCut);
    const std::wstring text(text8.begin(), text8.end());
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    RECT sr{T.Right - extent.cx - c.RightMargin, tc.top, T.Right - c.RightMargin, tc.bottom};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &sr, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
  }
  if (source.Count() > 0) DrawSubmenuGlyph(dc, T.Right - 7, T.Top + T.Height() / 2 - 4, colour);
  const TImageList* images = item.OwnerWindow->Images;
  const int middle = T.Top + T.Height() / 2;
  if (images != nullptr && images->ValidIndex(source.ImageIndex)) {
    const int y = middle - images->Height() / 2;
    DrawImageListImage(dc, *images, source.ImageIndex, c.ImageX, y, source.Enabled);
    if (source.Checked) {
      TvnOwnedBrush brush = TvnCounted<TvnOwnedBrush>(::CreateSolidBrush(colour));
      RECT r{c.ImageX - 1, y - 1, c.ImageX + images->Width() + 1, y + images->Height() + 1};
      ::FrameRect(dc, &r, brush.Get());
    }
  } else if (!DrawNamedGlyph(dc, source.Name(), c.NamedX, middle - 4, colour) && source.Checked) {
    if (source.RadioItem) DrawRadioGlyph(dc, c.MarkX, middle - 3, colour);
    else DrawCheckGlyph(dc, c.MarkX, middle - 4, colour);
  }
}

}  // namespace

// ---- Items ----------------------------------------------------------------------------------

void TvnSkinMenuItem::ReDraw() {
  if (ItemSkin != nullptr && ItemSkin->Morphing) {
    OwnerWindow->StartMorphTimer();
    return;
  }
  HWND window = OwnerWindow->HandleIfAllocated();
  if (window == nullptr || !::IsWindowVisible(window)) return;
  TvnWindowDC dc(window);
  Draw(dc.Get());
}

void TvnSkinMenuItem::MorphStep() {
  MorphFactor = MorphToward(MorphFactor, Lit());
  HWND window = OwnerWindow->HandleIfAllocated();
  if (window == nullptr) return;
  TvnWindowDC dc(window);
  Draw(dc.Get());
}

void TvnSkinMenuItem::Draw(HDC dc, TvnScratchSurfaces* scratch) {
  if (!InView()) return;
  const TRect r = ItemRect();
  std::unique_ptr<TvnDibSurface> own;
  if (!scratch) own = std::make_unique<TvnDibSurface>(r.Width(), r.Height());
  TvnDibSurface& surface = own ? *own : scratch->Get(r.Width(), r.Height());
  HDC sdc = surface.DC();
  if (sdc == nullptr) return;
  const TMenuItem& source = *SourceItem;
  const TvnPopupSkin& look = OwnerWindow->Look;
  TvnSelection font(sdc, CachedFont(OwnerWindow->ItemFont));
  const bool separator = IsSeparator();

  if (ItemSkin == nullptr) {
    // The plain look.
    const int w = r.Width(), h = r.Height();
    const int g = OwnerWindow->Images != nullptr ? OwnerWindow->GlyphColumnWidth : 19;
    COLORREF text = Rgb(clWindowText);
    if (Lit() && !separator) {
      Frame(sdc, {0, 0, w, h}, 0x800000);
      Fill(sdc, {1, 1, w - 1, h - 1}, 0xD2BDB6);
    } else {
      Fill(sdc, {0, 0, g, h}, clBtnFace);
      Fill(sdc, {g, 0, w, h}, clWindow);
      if (!source.Enabled) text = Rgb(clBtnShadow);
    }
    if (separator) {
      Fill(sdc, {g, h / 2, w, h / 2 + 1}, clBtnShadow);
    } else if (source.OnDrawItem) {
      TCanvas canvas(sdc);
      source.OnDrawItem(SourceItem, canvas, {2, 2, w - 2, h - 2}, Lit());
    } else {
      TvnItemContent c;
      c.T = {2, 2, w - 2, h - 2};
      c.Glyph = g;
      c.RightMargin = 19;
      c.ImageX = c.T.Left;
      c.MarkX = c.T.Left + 3;
      c.NamedX = c.T.Left + 2;
      DrawItemContent(sdc, *this, c, text);
    }
    surface.BlitTo(dc, r.Left, r.Top);
    return;
  }

  if (separator) {
    surface.Assign(ComposeDividerPicture(look, r.Width()));
    surface.BlitTo(dc, r.Left, r.Top);
    return;
  }
  // One look of the item, text included, into surface.
  auto compose = [&](TvnDibSurface& into, bool active) {
    into.Assign(ComposeItemPicture(look, r.Width(), active));
    HDC idc = into.DC();
    TvnSelection f(idc, CachedFont(OwnerWindow->ItemFont));
    TvnItemContent c;
    c.T = ItemSkin->TextRect;
    c.T.Right = r.Width() + ItemSkin->TextRect.Right - ItemSkin->SkinRect.Width();
    c.Glyph = OwnerWindow->Images != nullptr ? OwnerWindow->GlyphColumnWidth : 16;
    c.ImageX = c.MarkX = c.NamedX = c.T.Left + 2;
    const TColor colour = active ? ItemSkin->ActiveFontColor
                                 : (source.Enabled ? ItemSkin->FontColor : ItemSkin->UnEnabledFontColor);
    ::SetTextColor(idc, Rgb(colour));
    if (source.OnDrawItem) {
      TCanvas canvas(idc);
      source.OnDrawItem(SourceItem, canvas, c.T, active);
    } else {
      DrawItemContent(idc, *this, c, Rgb(colour));
    }
  };
  const bool lit = Lit();
  if (!ItemSkin->Morphing || (lit && MorphFactor >= 1) || (!lit && MorphFactor <= 0)) {
    compose(surface, lit);
  } else {
    compose(surface, false);
    TvnDibSurface active(r.Width(), r.Height());
    compose(active, true);
    TPixelBitmap normal(r.Width(), r.Height()), lit(r.Width(), r.Height());
    surface.CopyTo(normal);
    active.CopyTo(lit);
    MorphItemPicture(look, normal, lit, MorphFactor);
    surface.Assign(normal);
  }
  surface.BlitTo(dc, r.Left, r.Top);
}

// ---- Window ---------------------------------------------------------------------------------

void TvnSkinPopupWindow::PaintWindow(HDC dc) {
  const int W = WindowWidth, H = WindowHeight;
  TvnDibSurface surface(W, H);
  HDC sdc = surface.DC();
  if (sdc == nullptr) return;
  if (Look.Skinned()) {
    surface.Assign(ComposePopupBackground(Look, W, H, Layout.Scrolling));
  } else {
    const int cw = Images != nullptr ? GlyphColumnWidth + 2 : 21;
    Fill(sdc, {0, 0, cw, H}, clBtnFace);
    Fill(sdc, {cw, 0, W, H}, clWindow);
    Frame(sdc, {0, 0, W, H}, clBtnShadow);
    Frame(sdc, {1, 1, W - 1, H - 1}, clWindow);
  }
  const int last = std::min(ItemCount() - 1, Layout.LastShown());
  TvnScratchSurfaces scratch;
  for (int i = Layout.FirstVisible; i <= last; ++i) Items[static_cast<std::size_t>(i)]->Draw(sdc, &scratch);
  DrawScrollMarkers(sdc);
  surface.BlitTo(dc, 0, 0);
}

void TvnSkinPopupWindow::DrawScrollMarkers(HDC dc) {
  if (!Layout.Scrolling) return;
  const int W = WindowWidth, H = WindowHeight;
  TRect top, bottom;
  COLORREF topColour, bottomColour;
  if (Look.Skinned()) {
    top = Layout.TopBand();
    bottom = Layout.BottomBand();
    topColour = Rgb(Layout.ScrollState == 1 ? Look.Window->ScrollMarkerActiveColor : Look.Window->ScrollMarkerColor);
    bottomColour = Rgb(Layout.ScrollState == 2 ? Look.Window->ScrollMarkerActiveColor : Look.Window->ScrollMarkerColor);
  } else {
    top = {3, 3, W - 3, 13};
    bottom = {3, H - 10, W - 3, H - 3};
    topColour = Rgb(Layout.ScrollState == 1 ? clBtnText : clBtnShadow);
    bottomColour = Rgb(Layout.ScrollState == 2 ? clBtnText : clBtnShadow);
  }
  DrawArrow(dc, top, topColour, 3);
  DrawArrow(dc, bottom, bottomColour, 4);
}

void TvnSkinPopupWindow::StartMorphTimer() {
  if (HWND window = HandleIfAllocated()) ::SetTimer(window, vnMorphTimer, 20, nullptr);
}

void TvnSkinPopupWindow::MorphTick() {
  bool stepped = false;
  for (auto& item : Items)
    if (item->ItemSkin != nullptr && item->ItemSkin->Morphing && item->NeedsMorphStep()) {
      item->MorphStep();
      stepped = true;
    }
  if (!stepped)
    if (HWND window = HandleIfAllocated()) ::KillTimer(window, vnMorphTimer);
}
