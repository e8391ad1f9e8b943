#include "skin/form/vnSkinMDITabsBar_win.h"

#include "framework/Application_win.h"
#include "framework/ClassRegistry.h"
#include "framework/CodePage.h"
#include "framework/FrameworkClasses_win.h"
#include "skin/controls/vnResizeButtonSkin.h"
#include "skin/controls/vnSkinCtrlsGeometry.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataControls.h"
#include "skin/form/FramePaint.h"
#include "skin/form/FramePainter_win.h"
#include "skin/form/MDITabsGeometry.h"
#include "skin/form/VeneerForm_win.h"
#include "skin/imaging/vnDibSurface_win.h"
#include "skin/imaging/vnEffects.h"
#include "skin/imaging/vnUtilsCompose.h"

#include <windowsx.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace {

// The plain look's tab fills (blue-green-red byte order, as the platform's colour values).
constexpr TColor kHotTabFill = 13811126;     // red 182, green 189, blue 210
constexpr TColor kActiveTabFill = 11899781;  // red 133, green 147, blue 181

unsigned ShiftState(WPARAM keys) {
  unsigned shift = 0;
  if (keys & MK_SHIFT) shift |= 1;
  if (keys & MK_CONTROL) shift |= 4;
  if (keys & MK_LBUTTON) shift |= 8;
  if (keys & MK_RBUTTON) shift |= 16;
  if (keys & MK_MBUTTON) shift |= 32;
  return shift;
}

std::u16string CaptionOf(TForm* form) {
  const std::wstring text = form->Text();
  return {text.begin(), text.end()};
}

}  // namespace

TvnSkinMDITabsBar::TvnSkinMDITabsBar(TComponent* owner) : TvnSkinControl(owner) {
  SetSkinDataName("tab");
  SetBounds(Left(), Top(), 150, 21);
}

TvnSkinMDITabsBar::~TvnSkinMDITabsBar() = default;

void TvnSkinMDITabsBar::Notification(TComponent* component, TOperation operation) {
  TvnSkinControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FVeneerForm) FVeneerForm = nullptr;
}

void TvnSkinMDITabsBar::SetVeneerForm(TvnVeneerForm* value) {
  if (FVeneerForm == value) return;
  if (FVeneerForm) RemoveFreeNotification(FVeneerForm);
  FVeneerForm = value;
  if (FVeneerForm) FreeNotification(FVeneerForm);
}

void TvnSkinMDITabsBar::SetTabKind(TvnSkinMDITabKind value) {
  FTabKind = value;
  if (DescriptionIndex() != -1) Repaint();
}

void TvnSkinMDITabsBar::SetDefaultHeight(int value) {
  FDefaultHeight = value;
  if (value > 0 && DescriptionIndex() == -1) SetHeight(value);
}

void TvnSkinMDITabsBar::SetDefaultFont(const TFontDesc& value) {
  FDefaultFont = value;
  Repaint();
}

const TvnDataSkinTabControl* TvnSkinMDITabsBar::TabDescription() const {
  return dynamic_cast<const TvnDataSkinTabControl*>(Description());
}

void TvnSkinMDITabsBar::BindSkinDescription() { TvnSkinControl::BindSkinDescription(); }

void TvnSkinMDITabsBar::ApplySkinChange() {
  TvnSkinControl::ApplySkinChange();
  const TvnDataSkinTabControl* d = TabDescription();
  if (d && UseSkinSize) SetHeight(d->TabRect.Height());
  else if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
}

// ---- the tabs ---------------------------------------------------------------------------------

void TvnSkinMDITabsBar::AddTab(TForm* child) {
  auto tab = std::make_unique<TvnMDITab>();
  tab->Bar = this;
  tab->Child = child;
  FTabs.push_back(std::move(tab));
  Repaint();
}

void TvnSkinMDITabsBar::RemoveTab(TForm* child) {
  auto it = std::find_if(FTabs.begin(), FTabs.end(), [&](const auto& t) { return t->Child == child; });
  if (it == FTabs.end()) return;
  const int index = static_cast<int>(it - FTabs.begin());
  FTabs.erase(it);
  // A tab that goes in the middle of a drag or under the mouse takes those with it.
  if (FDragIndex == index) FDragIndex = -1, FDragging = false, FPressed = false, FDragOffset = 0;
  else if (FDragIndex > index) --FDragIndex;
  if (FHotIndex == index) FHotIndex = -1;
  else if (FHotIndex > index) --FHotIndex;
  Repaint();
}

void TvnSkinMDITabsBar::RedrawTab(TForm* child) {
  if (std::any_of(FTabs.begin(), FTabs.end(), [&](const auto& t) { return t->Child == child; })) Repaint();
}

void TvnSkinMDITabsBar::Refresh() {
  TForm* main = Application ? Application->MainForm() : nullptr;
  if (TForm* active = main ? main->ActiveMDIChild() : nullptr)
    for (auto& tab : FTabs) tab->Active = tab->Child == active;
  Repaint();
}

void TvnSkinMDITabsBar::Layout() {
  const std::vector<TRect> rects = LayoutMdiTabs(TabCount(), Width(), Height(), DefaultTabWidth,
                                                 FDragging ? FDragIndex : -1, FDragOffset);
  for (std::size_t i = 0; i < FTabs.size(); ++i) FTabs[i]->TabRect = rects[i];
}

int TvnSkinMDITabsBar::TabAt(TPoint p) const {
  const std::vector<TRect> rects = LayoutMdiTabs(TabCount(), Width(), Height(), DefaultTabWidth);
  for (std::size_t i = 0; i < rects.size(); ++i)
    if (rects[i].Contains(p)) return static_cast<int>(i);
  return -1;
}

// ---- painting ---------------------------------------------------------------------------------

void TvnSkinMDITabsBar::PaintDefaultLook(TvnDibSurface& bitmap) {
  TvnDibPainter(bitmap, {0, 0}).FillRect(Rect(0, 0, bitmap.Width(), bitmap.Height()), clBtnFace);
  PaintTabs(bitmap, false);
}

void TvnSkinMDITabsBar::PaintSkinnedLook(TvnDibSurface& bitmap) {
  const TvnDataSkinTabControl* d = TabDescription();
  const TBmpPicture* picture = d ? ActivePicture(DrawnSkin(), d->PictureIndex) : nullptr;
  TvnDibPainter(bitmap, {0, 0}).FillRect(Rect(0, 0, bitmap.Width(), bitmap.Height()), clBtnFace);
  if (picture && !d->TabsBGRect.IsEmpty()) {
    // The background piece repeated along the bar from x = 0, cut at the bar's edges.
    const TRect piece = d->TabsBGRect;
    for (int x = 0; x < bitmap.Width(); x += piece.Width())
      CopyPixels(ViewOf(*picture), piece.Left, piece.Top, std::min(piece.Width(), bitmap.Width() - x),
                 std::min(piece.Height(), bitmap.Height()), bitmap.View(), x, 0);
  }
  PaintTabs(bitmap, true);
}

void TvnSkinMDITabsBar::PaintTabs(TvnDibSurface& bitmap, bool skinned) {
  Layout();
  // One painter and one font serve every tab of the paint: the tabs differ only in their text
  // colour, which each sets for itself.
  TvnDibPainter painter(bitmap, {0, 0});
  painter.SetFont(ButtonTabs(skinned) ? ButtonTabFont() : TabFont(FDefaultFont.Color));
  for (std::size_t i = 0; i < FTabs.size(); ++i)
    if (!(FDragging && static_cast<int>(i) == FDragIndex)) DrawTab(painter, *FTabs[i], skinned);
  if (!FDragging || FDragIndex < 0 || FDragIndex >= TabCount()) return;
  DrawTab(painter, *FTabs[static_cast<std::size_t>(FDragIndex)], skinned);
  std::vector<TRect> rects;
  for (const auto& t : FTabs) rects.push_back(t->TabRect);
  const int target = MdiTabDropTarget(rects, FDragIndex, FDragOffset);
  if (target >= 0) DrawDropMarker(bitmap, rects[static_cast<std::size_t>(target)]);
}

void TvnSkinMDITabsBar::DrawDropMarker(TvnDibSurface& bitmap, const TRect& target) {
  HDC dc = bitmap.DC();
  if (!dc) return;
  ::GdiFlush();
  const int x = MdiTabDropMarkerX(target, FDragOffset);
  const int h = Height();
  const int oldRop = ::SetROP2(dc, R2_NOT);
  for (int dx = -1; dx <= 1; ++dx) {
    ::MoveToEx(dc, x + dx, 0, nullptr);
    ::LineTo(dc, x + dx, h);
  }
  const POINT right[] = {{x + 2, h / 2}, {x + 5, h / 2 - 3}, {x + 5, h / 2 + 3}, {x + 2, h / 2}};
  const POINT left[] = {{x - 2, h / 2}, {x - 5, h / 2 - 3}, {x - 5, h / 2 + 3}, {x - 2, h / 2}};
  ::Polyline(dc, right, 4);
  ::Polyline(dc, left, 4);
  ::SetROP2(dc, oldRop);
  ::GdiFlush();
}

TvnTextFont TvnSkinMDITabsBar::TabFont(TColor colour) const {
  const TvnDataSkinTabControl* d = TabDescription();
  TvnTextFont font;
  if (d && UseSkinFont) {
    font.Name = Utf8ToUtf16(d->FontName);
    font.Height = d->FontHeight;
    font.Style = d->FontStyle;
  } else {
    font.Name = Utf8ToUtf16(FDefaultFont.Name);
    font.Height = FDefaultFont.Height;
    font.Style = static_cast<TFontStyles>(FDefaultFont.Style);
  }
  font.Color = colour;
  font.Charset = CaptionTextCharset(SkinData(), FDefaultFont.Charset);
  return font;
}

bool TvnSkinMDITabsBar::ButtonTabs(bool skinned) const {
  return FTabKind == TvnSkinMDITabKind::vntkButton && skinned && DescriptionIndex() != -1;
}

void TvnSkinMDITabsBar::DrawTab(TvnDibPainter& painter, const TvnMDITab& tab, bool skinned) {
  const TRect r = tab.TabRect;
  if (r.Width() <= 0 || r.Height() <= 0) return;
  const bool hot = tab.MouseIn && !tab.Active;
  const TvnDataSkinTabControl* d = skinned ? TabDescription() : nullptr;
  if (ButtonTabs(skinned)) {
    DrawButtonTab(painter, tab);
    return;
  }
  TRect text = Rect(r.Left + 2, r.Top, r.Right - 2, r.Bottom);
  TColor colour = FDefaultFont.Color;
  const TBmpPicture* picture = d ? ActivePicture(DrawnSkin(), d->PictureIndex) : nullptr;
  if (!d) {
    painter.FillRect(r, hot ? kHotTabFill : tab.Active ? kActiveTabFill : clBtnFace);
  } else {
    const TRect source = hot && !d->MouseInTabRect.IsEmpty()        ? d->MouseInTabRect
                         : tab.Active && !d->ActiveTabRect.IsEmpty() ? d->ActiveTabRect
                                                                     : d->TabRect;
    colour = hot ? d->MouseInFontColor : tab.Active ? d->ActiveFontColor : d->FontColor;
    if (picture && !source.IsEmpty()) {
      TPixelBitmap image;
      ComposeHorzSkinImage(d->TabLeftOffset, d->TabRightOffset, image, *picture, source, r.Width());
      if (Align() == TAlign::alBottom) {
        // A bar along the bottom shows its tabs upside down.
        TvnEffectBmp upright(image.View()), flipped(image.View());
        upright.FlipRowsInto(flipped);
        image = flipped.Bitmap();
      }
      if (UseSkinSize) painter.DrawBitmap(image, r.Left, r.Top);
      else painter.DrawPicture(image, Rect(0, 0, image.Width(), image.Height()), r);
    }
    text = Rect(r.Left + d->TabLeftOffset, r.Top, r.Right - d->TabRightOffset, r.Bottom);
  }
  painter.SetTextColor(colour);
  const std::u16string caption = EllipsisText(painter, CaptionOf(tab.Child), text.Width());
  const TPoint extent = painter.TextExtent(caption);
  painter.TextOut(text.Left + (text.Width() - extent.X) / 2, text.Top + (text.Height() - extent.Y) / 2, caption);
}

// The font of button tabs: the resizable button's when the skin's font is used.
TvnTextFont TvnSkinMDITabsBar::ButtonTabFont() const {
  const TvnDataSkinButtonControl* looks = vnResizeButtonSkin(DrawnSkin()).Looks;
  TvnTextFont font = TabFont(FDefaultFont.Color);
  if (looks && UseSkinFont) {
    font.Name = Utf8ToUtf16(looks->FontName);
    font.Height = looks->FontHeight;
    font.Style = looks->FontStyle;
  }
  return font;
}

void TvnSkinMDITabsBar::DrawButtonTab(TvnDibPainter& painter, const TvnMDITab& tab) {
  const TvnResizeButtonSkin button = vnResizeButtonSkin(DrawnSkin());
  const TvnDataSkinButtonControl* looks = button.Looks;
  const TBmpPicture* picture = button.Picture;
  if (!picture || picture->IsEmpty()) return;  // a skin without a resizable button draws no tab
  const TRect r = tab.TabRect;
  const bool hot = tab.MouseIn && !tab.Active;
  const TvnSkinPoints source{looks->LeftTopPoint, looks->RightTopPoint, looks->LeftBottomPoint,
                             looks->RightBottomPoint, looks->ClientRect};
  const TvnButtonLooks choices{looks->SkinRect, looks->ActiveSkinRect, looks->DownSkinRect,
                               looks->FontColor, looks->ActiveFontColor, looks->DownFontColor};
  // The active tab looks pressed, the hot one lit.
  const TvnButtonLookChoice look = vnResizeButtonLook(hot || tab.Active, tab.Active, choices);
  const TvnSkinPoints target = ShiftSkinPoints(source, looks->SkinRect.Width(), looks->SkinRect.Height(), r.Width(), r.Height());
  TPixelBitmap image;
  ComposeTiledSkinImage(source, target, image, *picture, look.Source, r.Width(), r.Height(), TvnClientFill::Tile);
  painter.DrawBitmap(image, r.Left, r.Top);
  painter.SetTextColor(look.ArrowColor);
  TRect text = target.Cl.Offset(r.Left, r.Top);
  const std::u16string caption = EllipsisText(painter, CaptionOf(tab.Child), text.Width());
  const TPoint extent = painter.TextExtent(caption);
  if (text.Height() < extent.Y) {
    // Too low for the text: as high as the text, in the middle of the tab.
    text.Top = r.Top + (r.Height() - extent.Y) / 2;
    text.Bottom = text.Top + extent.Y;
  }
  painter.TextOut(text.Left + (text.Width() - extent.X) / 2, text.Top + (text.Height() - extent.Y) / 2, caption);
}

// ---- the mouse --------------------------------------------------------------------------------

void TvnSkinMDITabsBar::TrackMouse(TPoint p) {
  const int index = p.X < 0 && p.Y < 0 ? -1 : TabAt(p);
  if (index == FHotIndex) return;
  const int old = FHotIndex;
  FHotIndex = index;
  if (old >= 0 && old < TabCount()) {
    TvnMDITab& tab = *FTabs[static_cast<std::size_t>(old)];
    tab.MouseIn = false;
    Repaint();
    if (OnTabMouseLeave) OnTabMouseLeave(tab);
  }
  if (index >= 0) {
    TvnMDITab& tab = *FTabs[static_cast<std::size_t>(index)];
    tab.MouseIn = true;
    Repaint();
    if (OnTabMouseEnter) OnTabMouseEnter(tab);
  }
}

void TvnSkinMDITabsBar::MouseLeave() {
  TvnSkinControl::MouseLeave();
  if (!FDragging) TrackMouse({-1, -1});
}

void TvnSkinMDITabsBar::MouseDown(TvnMouseButton button, TPoint p) {
  const int index = TabAt(p);
  if (index < 0) return;
  TvnMDITab& tab = *FTabs[static_cast<std::size_t>(index)];
  TForm* child = tab.Child;
  TvnVeneerForm* frame = TvnVeneerForm::FrameOfForm(child);
  if (button == TvnMouseButton::Left) {
    child->Show();
    if (frame && frame->WindowState() == wsMinimized) frame->ChangeWindowState(wsNormal);
    FPressed = true;
    if (MoveTabs) FDragIndex = index;
    FPressX = p.X;
    FDragOffset = 0;
    ::SetCapture(HandleIfAllocated());
  } else if (button == TvnMouseButton::Right && SupportChildMenus && frame && FVeneerForm && FVeneerForm->MenuEngine()) {
    TMenuItem* items = frame->GetSystemMenuItems();
    POINT at{p.X, p.Y};
    ::ClientToScreen(HandleIfAllocated(), &at);
    FVeneerForm->EnterMenuMode();
    if (!FVeneerForm->MenuEngine()->Popup(*items, Rect(at.x, at.y, at.x, at.y), false, FVeneerForm->HostMenusSkinData()))
      FVeneerForm->LeaveMenuMode();
  }
  // The tab may be gone (its child closed from its menu): look it up again.
  if (index < TabCount() && OnTabMouseDown)
    OnTabMouseDown(button, ShiftState(0), *FTabs[static_cast<std::size_t>(index)]);
}

void TvnSkinMDITabsBar::MouseUp(TvnMouseButton button, TPoint p) {
  const bool wasPressed = FPressed;
  FPressed = false;
  if (::GetCapture() == HandleIfAllocated()) ::ReleaseCapture();
  if (FDragging) {
    Layout();
    std::vector<TRect> rects;
    for (const auto& t : FTabs) rects.push_back(t->TabRect);
    const int target = MdiTabDropTarget(rects, FDragIndex, FDragOffset);
    if (target >= 0 && target != FDragIndex) {
      auto moved = std::move(FTabs[static_cast<std::size_t>(FDragIndex)]);
      FTabs.erase(FTabs.begin() + FDragIndex);
      FTabs.insert(FTabs.begin() + target, std::move(moved));
    }
    FDragging = false;
    FDragIndex = -1;
    FDragOffset = 0;
    FPressX = 0;
    Repaint();
    return;
  }
  FDragIndex = -1;
  const int index = TabAt(p);
  if ((wasPressed || button != TvnMouseButton::Left) && index >= 0 && OnTabMouseUp)
    OnTabMouseUp(button, 0, *FTabs[static_cast<std::size_t>(index)]);
}

void TvnSkinMDITabsBar::WndProc(TMessage& m) {
  const TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  switch (m.Msg) {
    case WM_MOUSEMOVE:
      TvnSkinControl::WndProc(m);  // the mouse entering first
      if (FPressed && FDragIndex >= 0 && p.X != FPressX) FDragging = true;
      if (FDragging) {
        FDragOffset = p.X - FPressX;
        Repaint();
      } else {
        TrackMouse(p);
      }
      return;
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
      MouseDown(TvnMouseButton::Left, p);
      m.Result = 0;
      return;
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK:
      MouseDown(TvnMouseButton::Right, p);
      m.Result = 0;
      return;
    case WM_LBUTTONUP:
      MouseUp(TvnMouseButton::Left, p);
      m.Result = 0;
      return;
    case WM_RBUTTONUP:
      MouseUp(TvnMouseButton::Right, p);
      m.Result = 0;
      return;
    case WM_CAPTURECHANGED:
      // The capture taken away mid-drag (a menu, another window): the drag ends where it began.
      if (FDragging && reinterpret_cast<HWND>(m.LParam) != HandleIfAllocated()) {
        FDragging = false;
        FPressed = false;
        FDragIndex = -1;
        FDragOffset = 0;
        Repaint();
      }
      break;
    default:
      break;
  }
  TvnSkinControl::WndProc(m);
}

// ---- registration -----------------------------------------------------------------------------

void RegisterMDITabsBarClasses(TClassRegistry& registry) {
  using T = TvnSkinMDITabsBar;
  static const std::pair<const char*, TvnSkinMDITabKind> kKinds[] = {
      {"vntkTab", TvnSkinMDITabKind::vntkTab}, {"vntkButton", TvnSkinMDITabKind::vntkButton}};
  TClassInfo bar = ComponentClass<T>("TvnSkinMDITabsBar", {
      LinkProperty<T, TvnSkinData>("SkinData", [](T& c, TvnSkinData* s) { c.SetSkinData(s); }),
      LinkProperty<T, TvnVeneerForm>("VeneerForm", [](T& c, TvnVeneerForm* f) { c.SetVeneerForm(f); }),
      ValueProperty<T>("TabKind", [](T& c, const TDescValue& v) { c.SetTabKind(v.AsEnum(kKinds)); }),
      ValueProperty<T>("SupportChildMenus", [](T& c, const TDescValue& v) { c.SupportChildMenus = v.AsBoolean(); }),
      ValueProperty<T>("UseSkinSize", [](T& c, const TDescValue& v) { c.UseSkinSize = v.AsBoolean(); }),
      ValueProperty<T>("UseSkinFont", [](T& c, const TDescValue& v) { c.UseSkinFont = v.AsBoolean(); }),
      ValueProperty<T>("MoveTabs", [](T& c, const TDescValue& v) { c.MoveTabs = v.AsBoolean(); }),
      ValueProperty<T>("DefaultHeight", [](T& c, const TDescValue& v) { c.SetDefaultHeight(v.AsInteger()); }),
      ValueProperty<T>("DefaultTabWidth", [](T& c, const TDescValue& v) { c.DefaultTabWidth = v.AsInteger(); }),
  }, "TWinControl");
  bar.Create = CreateControl<T>();
  registry.Register(std::move(bar));
}
