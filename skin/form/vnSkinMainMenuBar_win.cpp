// TvnSkinMainMenuBar, the bar itself (its objects are in vnSkinMainMenuBarObjects_win.cpp).
// Index:
//   construction and properties ................. TvnSkinMainMenuBar(), SetMainMenu, ...
//   skin ......................................... ReadDescription, ApplySkinChange, ReleaseSkin
//   objects ...................................... RebuildItems, the child window's buttons
//   layout and painting .......................... CalcItemsRect, LayoutItems, PaintBar, RedrawObject
//   mouse and timers ............................. WndProc, TrackMouse, the overflow menu
//   keyboard mode ................................ EnterKeyboardMode, NextItem, AcceleratorKey, ...
//   registration ................................. RegisterMainMenuBarClasses
#include "skin/form/vnSkinMainMenuBar_win.h"

#include "framework/ClassRegistry.h"
#include "framework/FrameworkClasses_win.h"
#include "framework/GdiCache_win.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataControls.h"
#include "skin/data/vnSkinDataObjects.h"
#include "skin/data/vnSkinDataResStr.h"
#include "skin/form/VeneerForm_win.h"
#include "skin/imaging/vnDibSurface_win.h"
#include "skin/imaging/vnEffects.h"
#include "skin/imaging/vnUtilsCompose.h"
#include "skin/imaging/vnUtilsDraw_win.h"
#include "skin/menus/vnSkinMenus_win.h"

#include <windowsx.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace {

// Posted to the bar when a menu or item it shows went away: the items are built again once the
// menus have settled, not from inside their destruction.
constexpr UINT kRebuildMessage = WM_APP + 0x2B1;

// The skin's object description of this name and class (exact name), or null.
template <class T>
const T* ObjectDescription(const TvnSkinData* skin, const std::string& name) {
  if (skin == nullptr || skin->SkinEmpty || name.empty()) return nullptr;
  const int index = skin->IndexOfSkinObject(name);
  if (index < 0) return nullptr;
  return dynamic_cast<const T*>(skin->ObjectDescriptions[static_cast<std::size_t>(index)].get());
}

}  // namespace

// ---- construction and properties --------------------------------------------------------------

TvnSkinMainMenuBar::TvnSkinMainMenuBar(TComponent* owner) : TvnSkinControl(owner) {
  SetSkinDataName("mainmenubar");
  SetAlign(TAlign::alTop);
  SetBounds(Left(), Top(), 200, FDefaultHeight);
}

TvnSkinMainMenuBar::~TvnSkinMainMenuBar() {
  *FAlive = false;
  if (HWND window = HandleIfAllocated()) {
    ::KillTimer(window, MouseTimerID);
    ::KillTimer(window, MorphTimerID);
  }
  FreeObjects();
  if (FMainMenu) RemoveFreeNotification(FMainMenu);
  FMainMenu = nullptr;
  // The component must not keep a bar that is going: unlinked here, whatever its notices do.
  if (FFormComponent != nullptr && FFormComponent->MainMenuBar() == this) FFormComponent->SetMainMenuBar(nullptr);
  if (FFormComponent) RemoveFreeNotification(FFormComponent);
}

void TvnSkinMainMenuBar::SetScrollMenu(bool value) {
  // A child's merged menu turns the overflow menu off for good: it cannot list merged items.
  if (value && FChildMenuMerged) return;
  FScrollMenu = value;
  Invalidate();
}

void TvnSkinMainMenuBar::SetUseSkinFont(bool value) {
  FUseSkinFont = value;
  Invalidate();
}

void TvnSkinMainMenuBar::SetDefItemFont(const TFontDesc& value) {
  FDefItemFont = value;
  Invalidate();
}

void TvnSkinMainMenuBar::SetDefaultWidth(int value) {
  FDefaultWidth = value;
  if (!FFromSkin && value > 0) SetWidth(value);
}

void TvnSkinMainMenuBar::SetDefaultHeight(int value) {
  FDefaultHeight = value;
  if (!FFromSkin && value > 0) SetHeight(value);
}

void TvnSkinMainMenuBar::SetMainMenu(TMainMenu* value) {
  if (FMainMenu == value) return;
  if (FMainMenu) RemoveFreeNotification(FMainMenu);
  FMainMenu = value;
  if (FMainMenu) FreeNotification(FMainMenu);
  RebuildItems();
  Invalidate();
}

void TvnSkinMainMenuBar::SetFormComponent(TvnVeneerForm* value) {
  if (FFormComponent == value) return;
  if (FFormComponent) RemoveFreeNotification(FFormComponent);
  FFormComponent = value;
  if (FFormComponent) FreeNotification(FFormComponent);
  // A multi-document parent's active child may bring a menu to merge.
  RebuildItems();
}

void TvnSkinMainMenuBar::Notification(TComponent* component, TOperation operation) {
  const bool skinGone = operation == TOperation::opRemove && component == SkinData();
  TvnSkinControl::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  const bool going = Destroying() || (Owner() != nullptr && Owner()->Destroying());
  if (skinGone) {
    // The objects show pictures of that skin: they go with it.
    FFromSkin = false;
    FPicture = nullptr;
    FreeObjects();
    if (!going && HandleIfAllocated()) ::PostMessageW(HandleIfAllocated(), kRebuildMessage, 0, 0);
  }
  if (component == FFormComponent) FFormComponent = nullptr;
  if (component == FMainMenu) {
    FMainMenu = nullptr;
    FreeObjects();
    if (!going) Invalidate();
  }
  if (std::find(FWatched.begin(), FWatched.end(), component) != FWatched.end()) {
    std::erase(FWatched, component);
    if (component == FChildMenu) FChildMenu = nullptr;
    DropItemsOf(component);
    if (!going && HandleIfAllocated()) ::PostMessageW(HandleIfAllocated(), kRebuildMessage, 0, 0);
  }
}

// ---- skin -------------------------------------------------------------------------------------

void TvnSkinMainMenuBar::ReadDescription() {
  BindSkinDescription();
  const auto* d = dynamic_cast<const TvnDataSkinMainMenuBar*>(Description());
  FFromSkin = d != nullptr;
  FPicture = nullptr;
  if (d == nullptr) return;
  FSkinRect = d->SkinRect;
  FItemsRect = d->ItemsRect;
  FMenuBarItemName = d->MenuBarItem;
  FMaxButtonName = d->MaxButton;
  FMinButtonName = d->MinButton;
  FSysMenuButtonName = d->SysMenuButton;
  FCloseButtonName = d->CloseButton;
  FTrackMarkColor = d->TrackMarkColor;
  FTrackMarkActiveColor = d->TrackMarkActiveColor;
  FPicture = ActivePicture(DrawnSkin(), d->PictureIndex);
}

void TvnSkinMainMenuBar::ApplySkinChange() {
  ReadDescription();
  RebuildItems();
  if (FFromSkin) SetHeight(FSkinRect.Height());
  else if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
  Repaint();
}

void TvnSkinMainMenuBar::ReleaseSkin() {
  TvnSkinControl::ReleaseSkin();
  FFromSkin = false;
  FPicture = nullptr;
  // The objects show the skin's pictures, which go now; they are built again with the next skin.
  FreeObjects();
}

void TvnSkinMainMenuBar::SetBounds(int left, int top, int width, int height) {
  // A skinned bar is as high as its look.
  if (FFromSkin) height = FSkinRect.Height();
  const bool resized = width != Width() || height != Height();
  TvnSkinControl::SetBounds(left, top, width, height);
  if (resized) Invalidate();
}

// ---- objects ----------------------------------------------------------------------------------

TvnMenuBarObject* TvnSkinMainMenuBar::Objects(int index) const {
  if (index < 0 || index >= ObjectCount()) return nullptr;
  return FObjects[static_cast<std::size_t>(index)].get();
}

TvnSkinMainMenuBarItem* TvnSkinMainMenuBar::ItemAt(int index) const {
  TvnMenuBarObject* o = Objects(index);
  return o != nullptr && o->Kind() == TvnMenuBarObjectKind::Item ? static_cast<TvnSkinMainMenuBarItem*>(o) : nullptr;
}

TvnSkinMainMenuBarButton* TvnSkinMainMenuBar::ButtonAt(int index) const {
  TvnMenuBarObject* o = Objects(index);
  return o != nullptr && o->Kind() == TvnMenuBarObjectKind::Button ? static_cast<TvnSkinMainMenuBarButton*>(o) : nullptr;
}

TvnSkinMainMenuBarItem* TvnSkinMainMenuBar::ItemOf(const TMenuItem* source) const {
  for (int i = 0; i < ObjectCount(); ++i)
    if (TvnSkinMainMenuBarItem* item = ItemAt(i); item != nullptr && item->SourceItem == source) return item;
  return nullptr;
}

void TvnSkinMainMenuBar::Watch(TComponent* component) {
  FWatched.push_back(component);
  FreeNotification(component);
}

void TvnSkinMainMenuBar::UnwatchAll() {
  for (TComponent* c : FWatched) RemoveFreeNotification(c);
  FWatched.clear();
  FChildMenu = nullptr;
}

void TvnSkinMainMenuBar::FreeObjects() {
  UnwatchAll();
  FObjects.clear();
  FBarButtonCount = 0;
  FHotObjectIndex = FPreviousHotObjectIndex = FCapturedObjectIndex = -1;
  FOverflow = false;
}

void TvnSkinMainMenuBar::DropItemsOf(const TComponent* source) {
  std::erase_if(FObjects, [&](const std::unique_ptr<TvnMenuBarObject>& o) {
    return o->Kind() == TvnMenuBarObjectKind::Item &&
           static_cast<const TvnSkinMainMenuBarItem&>(*o).SourceItem == source;
  });
  FHotObjectIndex = FPreviousHotObjectIndex = FCapturedObjectIndex = -1;
}

void TvnSkinMainMenuBar::RebuildItems() {
  FreeObjects();
  if (FMainMenu == nullptr) {
    Invalidate();
    return;
  }
  const TvnSkinData* skin = FFromSkin ? DrawnSkin() : nullptr;
  const auto* itemSkin = ObjectDescription<TvnDataSkinMainMenuItem>(skin, FMenuBarItemName);
  const TMenuItem* merged = nullptr;
  if (FFormComponent != nullptr && FFormComponent->MdiParent()) {
    TForm* child = FFormComponent->OwnerForm().ActiveMDIChild();
    if (child != nullptr && child->Menu() != nullptr && child->Menu() != FMainMenu) {
      FChildMenu = child->Menu();
      Watch(FChildMenu);
      merged = &FChildMenu->Items();
      FChildMenuMerged = true;
      FScrollMenu = false;
    }
  }
  for (TMenuItem* source : MenuBarSourceItems(FMainMenu->Items(), merged)) {
    FObjects.push_back(std::make_unique<TvnSkinMainMenuBarItem>(*this, source, itemSkin));
    Watch(source);
  }
  if (FChildMaximized) {
    AddChildButtons();
    ApplyChildBorderIcons();
  }
  Invalidate();
}

void TvnSkinMainMenuBar::Refresh() {
  RebuildItems();
  Repaint();
  if (HWND window = HandleIfAllocated(); window && !FMouseTimer) {
    ::SetTimer(window, MouseTimerID, 50, nullptr);
    FMouseTimer = true;
  }
}

void TvnSkinMainMenuBar::AddChildButtons() {
  if (FBarButtonCount != 0) return;
  const TvnSkinData* skin = FFromSkin ? DrawnSkin() : nullptr;
  const std::string* names[kMenuBarButtonCount] = {&FSysMenuButtonName, &FCloseButtonName, &FMaxButtonName,
                                                   &FMinButtonName};
  std::vector<std::unique_ptr<TvnMenuBarObject>> buttons;
  for (TvnMenuBarButton b : kMenuBarButtons) {
    const auto* d = ObjectDescription<TvnDataSkinMainMenuBarButton>(skin, *names[b]);
    buttons.push_back(std::make_unique<TvnSkinMainMenuBarButton>(*this, b, d, skin != nullptr));
  }
  FObjects.insert(FObjects.begin(), std::make_move_iterator(buttons.begin()), std::make_move_iterator(buttons.end()));
  FBarButtonCount = kMenuBarButtonCount;
}

void TvnSkinMainMenuBar::RemoveChildButtons() {
  FObjects.erase(FObjects.begin(), FObjects.begin() + FBarButtonCount);
  FBarButtonCount = 0;
  FHotObjectIndex = FPreviousHotObjectIndex = FCapturedObjectIndex = -1;
}

void TvnSkinMainMenuBar::ApplyChildBorderIcons() {
  if (FBarButtonCount != kMenuBarButtonCount) return;
  const TvnVeneerForm* child = FFormComponent ? FFormComponent->MaximizedMdiChildFrame() : nullptr;
  const auto enabled = MenuBarButtonsEnabled(child ? child->BorderIcons() : kDefaultBorderIcons);
  for (TvnMenuBarButton b : kMenuBarButtons) ButtonAt(b)->ObjectEnabled = enabled[b];
}

void TvnSkinMainMenuBar::ChildMaximized() {
  if (FChildMaximized) return;
  FChildMaximized = true;
  FHotObjectIndex = FPreviousHotObjectIndex = FCapturedObjectIndex = -1;
  AddChildButtons();
  ApplyChildBorderIcons();
  Repaint();
}

void TvnSkinMainMenuBar::ChildRestored() {
  if (FFormComponent != nullptr && FFormComponent->MaximizedMdiChildFrame() != nullptr) {
    ApplyChildBorderIcons();  // another child is still maximized
    Repaint();
    return;
  }
  if (!FChildMaximized) return;
  FChildMaximized = false;
  RemoveChildButtons();
  Repaint();
}

// ---- layout and painting ----------------------------------------------------------------------

void TvnSkinMainMenuBar::CalcItemsRect() {
  FBarItemsRect = MenuBarItemsRect({FFromSkin, FSkinRect, FItemsRect}, Width(), Height());
  if (FBarButtonCount != kMenuBarButtonCount) return;
  std::array<TvnMenuBarButtonSize, kMenuBarButtonCount> sizes;
  for (TvnMenuBarButton b : kMenuBarButtons) {
    const TvnSkinMainMenuBarButton& button = *ButtonAt(b);
    sizes[b] = {button.FromSkin, button.NormalRect.Width(), button.NormalRect.Height()};
  }
  const TvnMenuBarButtonsPlace place = PlaceMenuBarButtons(FBarItemsRect, sizes);
  for (TvnMenuBarButton b : kMenuBarButtons) ButtonAt(b)->ObjectRect = place.Buttons[b];
  FBarItemsRect = place.ItemsArea;
}

void TvnSkinMainMenuBar::LayoutItems(HDC dc) {
  std::vector<TvnSkinMainMenuBarItem*> items;
  std::vector<TPoint> sizes;
  for (int i = 0; i < ObjectCount(); ++i) {
    TvnSkinMainMenuBarItem* item = ItemAt(i);
    if (item == nullptr) continue;
    TvnSelection font(dc, CachedFont(item->Font()));
    RECT extent{0, 0, 0, 0};
    const auto* text = reinterpret_cast<const wchar_t*>(item->SourceItem->Caption.c_str());
    ::DrawTextW(dc, text, static_cast<int>(item->SourceItem->Caption.size()), &extent, DT_CALCRECT | DT_SINGLELINE);
    item->CaptionWidth = extent.right - extent.left;
    items.push_back(item);
    sizes.push_back(item->SizeFor(item->CaptionWidth, FBarItemsRect));
  }
  const TvnMenuBarRow row = LayoutMenuBarRow(FBarItemsRect, sizes, FScrollMenu);
  FOverflow = row.Overflow;
  for (std::size_t i = 0; i < items.size(); ++i) {
    TvnSkinMainMenuBarItem& item = *items[i];
    item.ObjectRect = row.Places[i];
    if (!row.Shown[i] && item.Shown) {
      item.SavedEnabled = item.ObjectEnabled;
      item.ObjectEnabled = false;
      item.Shown = false;
    } else if (row.Shown[i] && !item.Shown) {
      item.Shown = true;
      item.ObjectEnabled = item.SavedEnabled;
    }
  }
}

void TvnSkinMainMenuBar::PaintBar() {
  const int width = Width(), height = Height();
  if (!FSurface || FSurface->Width() != width || FSurface->Height() != height) {
    FSurface.reset();
    FSurface = std::make_unique<TvnDibSurface>(width, height);
  }
  TvnDibSurface& surface = *FSurface;
  if (surface.IsEmpty()) return;
  FBackground.SetSize(width, height);
  FBackground.Fill(ColorToRGB(clBtnFace));
  if (FFromSkin && FPicture != nullptr) {
    TPixelBitmap look;
    ComposeHorzSkinImage(FItemsRect.Left, FSkinRect.Width() - FItemsRect.Right, look, *FPicture, FSkinRect, width);
    CopyPixels(ViewOf(look), 0, 0, look.Width(), look.Height(), FBackground.View(), 0, 0);
  }
  ::GdiFlush();
  CopyPixels(ViewOf(FBackground), 0, 0, width, height, surface.View(), 0, 0);
  CalcItemsRect();
  LayoutItems(surface.DC());
  for (const auto& o : FObjects) {
    if (!o->ObjectVisible) continue;
    if (o->Kind() == TvnMenuBarObjectKind::Item && !static_cast<TvnSkinMainMenuBarItem&>(*o).Shown) continue;
    o->Draw(surface);
  }
  if (FOverflow && FScrollMenu) DrawMarker(surface);
  ::GdiFlush();
}

void TvnSkinMainMenuBar::Paint(TCanvas& canvas) {
  if (Width() <= 0 || Height() <= 0) return;
  PaintBar();
  if (FSurface && !FSurface->IsEmpty()) FSurface->BlitTo(canvas.Handle(), 0, 0);
}

void TvnSkinMainMenuBar::DrawMarker(TvnDibSurface& surface) {
  TColor colour = FMarkerHot ? clBtnText : clBtnShadow;
  if (FFromSkin) colour = FMarkerHot ? FTrackMarkActiveColor : FTrackMarkColor;
  DrawArrow(surface.DC(), MarkerBand(), ColorToRGB(colour), 2);
}

void TvnSkinMainMenuBar::BlitPart(const TRect& r) {
  HWND window = HandleIfAllocated();
  if (window == nullptr || !FSurface) return;
  TvnWindowDC dc(window);
  ::BitBlt(dc.Get(), r.Left, r.Top, r.Width(), r.Height(), FSurface->DC(), r.Left, r.Top, SRCCOPY);
}

void TvnSkinMainMenuBar::RedrawObject(TvnMenuBarObject& object) {
  // One object is drawn again over the background it was drawn on, and only its place is copied
  // to the window: a hover or a morph step does not repaint the bar.
  if (!FSurface || FSurface->Width() != Width() || FSurface->Height() != Height() ||
      FBackground.Width() != Width() || HandleIfAllocated() == nullptr) {
    Invalidate();
    return;
  }
  if (object.Kind() == TvnMenuBarObjectKind::Item && !static_cast<TvnSkinMainMenuBarItem&>(object).Shown) return;
  const TRect r = object.ObjectRect;
  if (r.IsEmpty()) return;
  ::GdiFlush();
  CopyPixels(ViewOf(FBackground), r.Left, r.Top, r.Width(), r.Height(), FSurface->View(), r.Left, r.Top);
  object.Draw(*FSurface);
  ::GdiFlush();
  BlitPart(r);
}

void TvnSkinMainMenuBar::RedrawMarker() {
  if (!FSurface || FBackground.Width() != Width() || !FOverflow || !FScrollMenu) {
    Invalidate();
    return;
  }
  const TRect band = MarkerBand();
  ::GdiFlush();
  CopyPixels(ViewOf(FBackground), band.Left, band.Top, band.Width(), band.Height(), FSurface->View(), band.Left,
             band.Top);
  DrawMarker(*FSurface);
  ::GdiFlush();
  BlitPart(band);
}

void TvnSkinMainMenuBar::StartMorphTimer() {
  HWND window = HandleIfAllocated();
  if (window == nullptr || FMorphTimer) return;
  ::SetTimer(window, MorphTimerID, 20, nullptr);
  FMorphTimer = true;
}

void TvnSkinMainMenuBar::MorphTick() {
  bool stepped = false;
  for (int i = 0; i < ObjectCount(); ++i) {
    TvnMenuBarObject* o = Objects(i);
    if (o->MorphEnabled && o->NeedsMorphStep()) {
      o->MorphStep();
      stepped = true;
    }
  }
  if (!stepped) {
    ::KillTimer(HandleIfAllocated(), MorphTimerID);
    FMorphTimer = false;
  }
}

void TvnSkinMainMenuBar::MorphPicture(TPixelBitmap& normal, const TPixelBitmap& active, TvnMorphKind kind,
                                      double factor) const {
  TvnEffectBmp target(ViewOf(active));
  TvnEffectBmp morphed(std::move(normal));
  morphed.Morph(kind, target, factor);
  normal = std::move(morphed).Release();
}

TRect TvnSkinMainMenuBar::ScreenRect(const TRect& r) {
  POINT origin{0, 0};
  ::ClientToScreen(Handle(), &origin);
  return r.Offset(origin.x, origin.y);
}

TvnSkinMenu* TvnSkinMainMenuBar::SkinEngine() const {
  return FFormComponent ? dynamic_cast<TvnSkinMenu*>(FFormComponent->MenuEngine()) : nullptr;
}

int TvnSkinMainMenuBar::TextCharset() const {
  if (SkinData() != nullptr && SkinData()->ResourceStrData() != nullptr) return SkinData()->ResourceStrData()->CharSet();
  return FDefItemFont.Charset;
}

// ---- mouse and timers -------------------------------------------------------------------------

void TvnSkinMainMenuBar::TrackMouse(int x, int y) {
  const TPoint p{x, y};
  const bool onMarker = FOverflow && FScrollMenu && MarkerBand().Contains(p);
  if (onMarker != FMarkerHot) {
    FMarkerHot = onMarker;
    RedrawMarker();
  }
  int found = -1;
  for (int i = 0; i < ObjectCount() && found == -1; ++i) {
    const TvnMenuBarObject& o = *FObjects[static_cast<std::size_t>(i)];
    if (o.ObjectEnabled && o.ObjectVisible && o.ObjectRect.Contains(p)) found = i;
  }
  // Between the items, or off the bar, the item whose menu is open stays lit.
  if (found == -1 && FInMenuMode && ItemAt(FHotObjectIndex) != nullptr) found = FHotObjectIndex;
  // A held button keeps the mouse: no other object lights meanwhile.
  if (FCapturedObjectIndex != -1 && found != FCapturedObjectIndex) found = -1;
  if (found == FHotObjectIndex) return;
  const int old = FHotObjectIndex;
  FPreviousHotObjectIndex = old;
  FHotObjectIndex = found;
  const auto alive = FAlive;
  if (TvnMenuBarObject* o = Objects(old); o != nullptr && o->ObjectEnabled) o->MouseLeave();
  if (!*alive || FHotObjectIndex != found) return;
  if (TvnMenuBarObject* o = Objects(found); o != nullptr && o->ObjectEnabled) o->MouseEnter();
}

void TvnSkinMainMenuBar::MouseDownAt(int x, int y, TvnMouseButton button, bool doubleClick) {
  TrackMouse(x, y);
  const int index = FHotObjectIndex;
  TvnMenuBarObject* o = Objects(index);
  if (o == nullptr) {
    if (button == TvnMouseButton::Left && FOverflow && FScrollMenu && MarkerBand().Contains({x, y})) OpenOverflowMenu();
    return;
  }
  // A button holds the mouse until the release; an item acts on the press and needs no hold (the
  // release may come over the menu it opened). The system-menu button's menu takes the mouse.
  if (TvnSkinMainMenuBarButton* b = ButtonAt(index)) {
    FCapturedObjectIndex = index;
    if (!b->IsSysMenuButton()) ::SetCapture(HandleIfAllocated());
  }
  const auto alive = FAlive;
  o->MouseDown(x, y, button);
  if (!*alive) return;
  if (doubleClick && Objects(index) == o) o->DblClick();
}

void TvnSkinMainMenuBar::MouseUpAt(int x, int y, TvnMouseButton button) {
  const int index = FCapturedObjectIndex;
  FCapturedObjectIndex = -1;
  if (::GetCapture() == HandleIfAllocated()) ::ReleaseCapture();
  if (TvnMenuBarObject* o = Objects(index)) o->MouseUp(x, y, button);
}

void TvnSkinMainMenuBar::MouseTick() {
  POINT p;
  if (!::GetCursorPos(&p)) return;
  HWND window = HandleIfAllocated();
  const bool over = ::WindowFromPoint(p) == window;
  if (p.x == FLastMouse.X && p.y == FLastMouse.Y && over) return;  // a still mouse leaves the keyboard's choice
  FLastMouse = {p.x, p.y};
  if (!over) {
    ::KillTimer(window, MouseTimerID);
    FMouseTimer = false;
    TrackMouse(-1, -1);
    return;
  }
  ::ScreenToClient(window, &p);
  TrackMouse(p.x, p.y);
}

void TvnSkinMainMenuBar::MouseEnter() {
  TvnSkinControl::MouseEnter();
  if (HWND window = HandleIfAllocated(); window && !FMouseTimer) {
    ::SetTimer(window, MouseTimerID, 50, nullptr);
    FMouseTimer = true;
  }
}

void TvnSkinMainMenuBar::MouseLeave() {
  TvnSkinControl::MouseLeave();
  if (FMouseTimer) ::KillTimer(HandleIfAllocated(), MouseTimerID);
  FMouseTimer = false;
  TrackMouse(-1, -1);
}

void TvnSkinMainMenuBar::ReleaseMenuButton() {
  for (int i = 0; i < FBarButtonCount; ++i) {
    TvnSkinMainMenuBarButton* b = ButtonAt(i);
    if (b == nullptr || !b->IsSysMenuButton() || !b->IsDown) continue;
    b->IsDown = false;
    RedrawObject(*b);
  }
}

void TvnSkinMainMenuBar::OpenOverflowMenu() {
  TvnSkinMenu* engine = SkinEngine();
  if (FFormComponent == nullptr || FMainMenu == nullptr || engine == nullptr || FChildMenu != nullptr) return;
  const TvnSkinMainMenuBarItem* firstHidden = nullptr;
  for (int i = 0; i < ObjectCount() && firstHidden == nullptr; ++i)
    if (const TvnSkinMainMenuBarItem* item = ItemAt(i); item != nullptr && !item->Shown) firstHidden = item;
  if (firstHidden == nullptr) return;
  // The hidden items are the last ones the bar shows, in menu order: the menu lists the main
  // menu's items from the first of them on (the invisible ones it leaves out, as the bar does).
  const int first = FMainMenu->Items().IndexOf(firstHidden->SourceItem);
  const TRect at = ScreenRect(MarkerBand());
  FFormComponent->EnterMenuMode();
  engine->PopupItems(nullptr, SkinData(), false, &FMainMenu->Items(), at, first);
  if (!engine->MenuVisible()) FFormComponent->LeaveMenuMode();
}

void TvnSkinMainMenuBar::WndProc(TMessage& m) {
  auto at = [&m] { return TPoint{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)}; };
  switch (m.Msg) {
    case WM_MOUSEMOVE: {
      TvnSkinControl::WndProc(m);  // the mouse's entering first
      POINT screen{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      ::ClientToScreen(HandleIfAllocated(), &screen);
      FLastMouse = {screen.x, screen.y};
      TrackMouse(at().X, at().Y);
      return;
    }
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
      MouseDownAt(at().X, at().Y, TvnMouseButton::Left, m.Msg == WM_LBUTTONDBLCLK);
      m.Result = 0;
      return;
    case WM_RBUTTONDOWN:
      MouseDownAt(at().X, at().Y, TvnMouseButton::Right, false);
      m.Result = 0;
      return;
    case WM_LBUTTONUP: case WM_RBUTTONUP:
      MouseUpAt(at().X, at().Y, m.Msg == WM_LBUTTONUP ? TvnMouseButton::Left : TvnMouseButton::Right);
      m.Result = 0;
      return;
    case WM_TIMER:
      if (m.WParam == MouseTimerID) MouseTick();
      else if (m.WParam == MorphTimerID) MorphTick();
      else break;
      m.Result = 0;
      return;
    case WM_SIZE:
      TvnSkinControl::WndProc(m);
      Invalidate();
      return;
    case WM_SKINMENUCLOSED:
      // The system menu of the maximized child closed: its button comes up.
      ReleaseMenuButton();
      m.Result = 0;
      return;
    default:
      if (m.Msg == kRebuildMessage) {
        RebuildItems();
        m.Result = 0;
        return;
      }
      break;
  }
  TvnSkinControl::WndProc(m);
}

// ---- keyboard mode ----------------------------------------------------------------------------

std::vector<bool> TvnSkinMainMenuBar::SelectableItems() const {
  std::vector<bool> selectable;
  for (int i = 0; i < ObjectCount(); ++i) {
    const TvnSkinMainMenuBarItem* item = ItemAt(i);
    selectable.push_back(item != nullptr && item->ObjectEnabled && item->Shown);
  }
  return selectable;
}

int TvnSkinMainMenuBar::LitItemIndex() const {
  for (int i = 0; i < ObjectCount(); ++i)
    if (const TvnSkinMainMenuBarItem* item = ItemAt(i); item != nullptr && item->IsDown) return i;
  for (int i = 0; i < ObjectCount(); ++i)
    if (const TvnSkinMainMenuBarItem* item = ItemAt(i); item != nullptr && item->ActiveLook) return i;
  return -1;
}

void TvnSkinMainMenuBar::EnterKeyboardMode() {
  int index = LitItemIndex();
  if (index == -1) index = NextMenuBarItem(SelectableItems(), -1, true);
  if (index == -1) return;  // nothing to choose from: no menu-bar mode
  FInMenuMode = true;
  FHotObjectIndex = index;
  const auto alive = FAlive;
  ItemAt(index)->MouseEnter();
  if (!*alive) return;
  if (FFormComponent) FFormComponent->EnterMainMenuMode();
}

void TvnSkinMainMenuBar::LeaveKeyboardMode() {
  FInMenuMode = false;
  if (TvnSkinMainMenuBarItem* item = ItemAt(LitItemIndex())) {
    item->IsDown = false;
    item->MouseInside = item->ActiveLook = false;
    item->ReDraw();
  }
  FHotObjectIndex = FPreviousHotObjectIndex = FCapturedObjectIndex = -1;
}

void TvnSkinMainMenuBar::MenuClosed() {
  for (int i = 0; i < ObjectCount(); ++i) {
    TvnSkinMainMenuBarItem* item = ItemAt(i);
    if (item == nullptr || !item->IsDown) continue;
    item->IsDown = false;
    item->ActiveLook = true;
    item->SetMorphFactor(1);
    RedrawObject(*item);
    return;
  }
}

void TvnSkinMainMenuBar::MoveKeyboard(bool forward) {
  const int current = LitItemIndex();
  const int next = NextMenuBarItem(SelectableItems(), current, forward);
  if (next == -1 || next == current) return;
  const auto alive = FAlive;
  if (TvnSkinMainMenuBarItem* item = ItemAt(current)) item->MouseLeave();
  if (!*alive) return;
  FHotObjectIndex = next;
  if (TvnSkinMainMenuBarItem* item = ItemAt(next)) item->MouseEnter();
}

void TvnSkinMainMenuBar::NextItem() { MoveKeyboard(true); }
void TvnSkinMainMenuBar::PreviousItem() { MoveKeyboard(false); }

bool TvnSkinMainMenuBar::OpenSelected() {
  const TvnSkinMenu* engine = SkinEngine();
  const bool menuOpen = engine != nullptr && engine->MenuVisible();
  for (int i = 0; i < ObjectCount(); ++i) {
    TvnSkinMainMenuBarItem* item = ItemAt(i);
    if (item == nullptr || !item->ObjectEnabled) continue;
    if (!((item->IsDown && !item->HasChildren()) || (item->ActiveLook && !menuOpen))) continue;
    item->MouseDown(0, 0, TvnMouseButton::Left);
    return true;
  }
  return false;
}

bool TvnSkinMainMenuBar::AcceleratorKey(unsigned key) {
  const TvnSkinMenu* engine = SkinEngine();
  const bool menuOpen = engine != nullptr && engine->MenuVisible();
  for (int i = 0; i < ObjectCount(); ++i) {
    TvnSkinMainMenuBarItem* item = ItemAt(i);
    if (item == nullptr || !item->ObjectEnabled || !item->Shown || !IsAccel(key, item->SourceItem->Caption)) continue;
    const auto alive = FAlive;
    FHotObjectIndex = i;
    item->MouseEnter();
    if (!*alive) return true;
    // With a menu open, entering an item with sub-items has moved the menu to it already.
    if (!(menuOpen && item->HasChildren())) item->MouseDown(0, 0, TvnMouseButton::Left);
    return true;
  }
  return false;
}

// ---- registration -----------------------------------------------------------------------------

void RegisterMainMenuBarClasses(TClassRegistry& registry) {
  using B = TvnSkinMainMenuBar;
  using ItemEvent = std::function<void(TvnSkinMainMenuBar&, TMenuItem*)>;
  auto value = [](const char* name, std::function<void(B&, const TDescValue&)> set) {
    return ValueProperty<B>(name, std::move(set));
  };
  auto font = [](B& bar, auto change) {
    TFontDesc f = bar.DefItemFont();
    change(f);
    bar.SetDefItemFont(f);
  };
  TClassInfo bar = ComponentClass<B>("TvnSkinMainMenuBar", {
      LinkProperty<B, TvnSkinData>("SkinData", [](B& b, TvnSkinData* s) { b.SetSkinData(s); }),
      LinkProperty<B, TMainMenu>("MainMenu", [](B& b, TMainMenu* m) { b.SetMainMenu(m); }),
      value("ScrollMenu", [](B& b, const TDescValue& v) { b.SetScrollMenu(v.AsBoolean()); }),
      value("UseSkinFont", [](B& b, const TDescValue& v) { b.SetUseSkinFont(v.AsBoolean()); }),
      value("DefaultWidth", [](B& b, const TDescValue& v) { b.SetDefaultWidth(v.AsInteger()); }),
      value("DefaultHeight", [](B& b, const TDescValue& v) { b.SetDefaultHeight(v.AsInteger()); }),
      value("PopupToUp", [](B& b, const TDescValue& v) { b.PopupToUp = v.AsBoolean(); }),
      value("DefItemFont.Name", [font](B& b, const TDescValue& v) { font(b, [&](TFontDesc& f) { f.Name = v.AsString(); }); }),
      value("DefItemFont.Height", [font](B& b, const TDescValue& v) { font(b, [&](TFontDesc& f) { f.Height = v.AsInteger(); }); }),
      value("DefItemFont.Color", [font](B& b, const TDescValue& v) { font(b, [&](TFontDesc& f) { f.Color = DescColor(v); }); }),
      EventProperty<B>("OnMouseEnter", [](B& b, TNotifyEvent e) { b.OnMouseEnter = std::move(e); }),
      EventProperty<B>("OnMouseLeave", [](B& b, TNotifyEvent e) { b.OnMouseLeave = std::move(e); }),
      TypedEventProperty<B, ItemEvent>("OnItemMouseEnter", [](B& b, ItemEvent e) { b.OnItemMouseEnter = std::move(e); }),
      TypedEventProperty<B, ItemEvent>("OnItemMouseLeave", [](B& b, ItemEvent e) { b.OnItemMouseLeave = std::move(e); }),
  }, "TWinControl");
  // The bar is placed on the window whose object block encloses it.
  bar.Create = CreateControl<B>();
  registry.Register(std::move(bar));
}
