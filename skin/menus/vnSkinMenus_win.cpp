// The popup-menu engine: opening and closing menu levels, building and placing a popup window,
// and what happens when an item is selected or chosen. Painting is in vnSkinMenusPaint_win.cpp,
// keys, mouse polling, scrolling and timers in vnSkinMenusInput_win.cpp.
#include "skin/menus/vnSkinMenus_win.h"

#include "skin/data/vnSkinDataScale.h"
#include "skin/imaging/vnHighContrast_win.h"

#include <algorithm>
#include <string>

#include "framework/Application_win.h"
#include "framework/CodePage.h"
#include "framework/GdiCache_win.h"
#include "framework/ImageList.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataObjects.h"
#include "skin/data/vnSkinDataResStr.h"
#include "skin/imaging/vnGdi_win.h"
#include "skin/imaging/vnUtilsRegion_win.h"
#include "skin/imaging/vnUtilsSystem_win.h"

namespace {

const wchar_t* Wide(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

std::wstring ShortCutText(TShortCut shortCut) {
  const std::string text = ShortCutToText(shortCut);
  return std::wstring(text.begin(), text.end());  // key names are plain ASCII
}

}  // namespace

// ---- TvnSkinMenuItem: selection ---------------------------------------------------------------

TvnSkinMenuItem::TvnSkinMenuItem(TvnSkinPopupWindow& owner, TMenuItem* source, int index)
    : OwnerWindow(&owner),
      ItemSkin(owner.Look.Item),
      ItemPicture(owner.Look.ItemPicture),
      SourceItem(source),
      Index(index) {}

const TRect& TvnSkinMenuItem::ItemRect() const {
  return OwnerWindow->Layout.Items[static_cast<std::size_t>(Index)].ItemRect;
}

bool TvnSkinMenuItem::InView() const { return OwnerWindow->Layout.Items[static_cast<std::size_t>(Index)].InView; }

bool TvnSkinMenuItem::NeedsMorphStep() {
  if (!InView()) {
    // Scrolled away while lit: it shows unlit when it comes back.
    if (MorphFactor != 0) {
      Hot = SubmenuOpen = false;
      MorphFactor = 0;
    }
    return false;
  }
  const bool lit = Lit();
  return (lit && MorphFactor < 1) || (!lit && MorphFactor > 0);
}

void TvnSkinMenuItem::SelectItem(bool keyboard) {
  Hot = true;
  if (HWND window = OwnerWindow->HandleIfAllocated())
    ::NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, Index + 1);
  for (auto& other : OwnerWindow->Items)
    if (other.get() != this && other->SubmenuOpen) {
      other->SubmenuOpen = false;
      other->ReDraw();
    }
  TvnSkinMenu& engine = OwnerWindow->ParentPopup;
  if (WaitingForMouse && !keyboard) {
    ReDraw();
  } else if (SubmenuOpen) {
    // Its submenu is open already: only the levels below that submenu close.
    const int at = engine.IndexOfWindow(OwnerWindow);
    if (at >= 0 && engine.PopupWindowCount() > at + 2) {
      engine.CloseFrom(at + 2);
      for (auto& item : engine.PopupWindows(at + 1).Items)
        if (item->SubmenuOpen) {
          item->SubmenuOpen = false;
          item->ReDraw();
        }
    }
  } else {
    ReDraw();
    engine.ItemSelected(*OwnerWindow, *this, keyboard, false);
  }
}

void TvnSkinMenuItem::DeselectItem() {
  Hot = false;
  WaitingForMouse = false;
  if (!SubmenuOpen) ReDraw();
  if (OwnerWindow->ParentPopup.WaitItem() == this) OwnerWindow->ParentPopup.StopWaitTimer();
}

void TvnSkinMenuItem::RunItem() {
  WaitingForMouse = false;
  // A separator is never chosen, whatever highlighted it.
  if (!SubmenuOpen && SourceItem->Enabled && !IsSeparator())
    OwnerWindow->ParentPopup.ItemSelected(*OwnerWindow, *this, false, true);
}

// ---- TvnSkinPopupWindow: building and showing ---------------------------------------------------

TvnSkinPopupWindow::TvnSkinPopupWindow(TvnSkinMenu& engine) : TWinControl(nullptr), ParentPopup(engine) {
  SetVisible(false);
}

TvnSkinPopupWindow::~TvnSkinPopupWindow() { Close(); }

bool TvnSkinPopupWindow::Closed() const { return !FShown; }

void TvnSkinPopupWindow::Close() {
  if (HWND window = HandleIfAllocated()) {
    if (FShown) ::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPEND, window, OBJID_CLIENT, CHILDID_SELF);
    for (UINT_PTR id : {vnScrollTimer, vnMouseTimer, vnMorphTimer, vnSubmenuTimer}) ::KillTimer(window, id);
    ::ShowWindow(window, SW_HIDE);
    FShown = false;
    // The window itself (and the region handed to it) goes with the object, a little later:
    // accessibility clients are told about a window that still exists.
  }
}

void TvnSkinPopupWindow::Reuse() {
  Items.clear();
  Layout = TvnPopupItems{};
  ScrollLimited = false;
  Geometry = TvnPopupGeometry{};
  ShownAtX = ShownAtY = 0;
  LastMouse = {-1, -1};
  Images = nullptr;
  GlyphColumnWidth = 19;
  PreviousHotItem = -1;
  HotItem = -1;
  Submenu = false;
  ListA = ListB = nullptr;
  FPaintedOnErase = false;
  if (HWND window = HandleIfAllocated()) {
    ::SetWindowRgn(window, nullptr, FALSE);  // the window frees the region it was given
    const LONG exStyle = ::GetWindowLongW(window, GWL_EXSTYLE);
    if (exStyle & WS_EX_LAYERED) ::SetWindowLongW(window, GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
  }
}

void TvnSkinPopupWindow::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ClassName = L"TvnSkinPopupWindow";
  params.Style = WS_POPUP;  // hidden, no border
  // Never activated, by a click (MA_NOACTIVATE) or otherwise: under Wine without a window manager
  // the window under the pointer takes the keyboard focus, which activated a menu window and so
  // deactivated its form, whose closing check then closed the menu under the mouse.
  params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  params.ClassStyle = CS_SAVEBITS | (IsDropShadowSystem() ? CS_DROPSHADOW : 0);
  params.ParentWindow = nullptr;
}

void TvnSkinPopupWindow::ShowAt(const TRect& rect, TMenuItem* item, int firstIndex, bool isSubmenu,
                                bool popupUpward) {
  BuildItems(item, nullptr, firstIndex);
  ShowBuilt(rect, isSubmenu, popupUpward);
}

void TvnSkinPopupWindow::ShowAt2(const TRect& rect, TMenuItem* itemA, TMenuItem* itemB, int firstIndex,
                                 bool isSubmenu, bool popupUpward) {
  BuildItems(itemA, itemB, firstIndex);
  ShowBuilt(rect, isSubmenu, popupUpward);
}

void TvnSkinPopupWindow::BuildItems(TMenuItem* itemA, TMenuItem* itemB, int firstIndex) {
  const TvnSkinData* skinData = ParentPopup.SkinData();
  Look = ResolvePopupSkin(skinData);
  ItemSkin = Look.Item;
  if (Look.Skinned() && ItemSkin != nullptr && ParentPopup.UseSkinFont) {
    // The description holds the face name in code page 936; fonts are named in UTF-8.
    ItemFont = TFontDesc{CodePageToUtf8(ItemSkin->FontName), DEFAULT_CHARSET_VALUE, ItemSkin->FontHeight, ItemSkin->FontColor,
                         ItemSkin->FontStyle};
    ItemFont.Charset = ParentPopup.DefaultItemFont.Charset;
  } else {
    ItemFont = ParentPopup.DefaultItemFont;
  }
  if (skinData != nullptr && skinData->ResourceStrData() != nullptr)
    ItemFont.Charset = skinData->ResourceStrData()->CharSet();
  TMenu* menu = itemA->GetParentMenu();
  Images = menu != nullptr ? menu->Images() : nullptr;

  Items.clear();
  auto add = [this](TMenuItem* parent, int from) {
    for (int i = std::max(0, from); i < parent->Count(); ++i) {
      TMenuItem* child = parent->Items(i);
      if (child->Visible)
        Items.push_back(std::make_unique<TvnSkinMenuItem>(*this, child, static_cast<int>(Items.size())));
    }
  };
  add(itemA, firstIndex);
  if (itemB != nullptr) add(itemB, firstIndex - itemA->Count());

  // Text widths in the item font, measured on a screen-compatible DC.
  std::vector<TvnMenuMeasureItem> measure(Items.size());
  {
    TvnOwnedMemoryDC dc = TvnCounted<TvnOwnedMemoryDC>(::CreateCompatibleDC(nullptr));
    TvnSelection font(dc.Get(), CachedFont(ItemFont));
    for (std::size_t i = 0; i < Items.size(); ++i) {
      const TMenuItem& source = *Items[i]->SourceItem;
      measure[i].Separator = source.IsLine();
      std::wstring text(Wide(source.Caption));
      if (source.ShortCut != scNone) text += L"  " + ShortCutText(source.ShortCut);
      SIZE extent{};
      if (!text.empty()) ::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
      measure[i].TextWidth = extent.cx;
    }
  }
  TvnMenuMetrics metrics;
  metrics.DefaultItemHeight = ParentPopup.DefaultItemHeight;
  metrics.MaxMenuItemsInWindow = ParentPopup.MaxMenuItemsInWindow;
  metrics.WorkAreaHeight = ParentPopup.MonitorWorkRect().Height();
  metrics.ImageWidth = Images != nullptr ? Images->Width() : -1;
  metrics.TwoMenus = itemB != nullptr;
  const TvnPopupSize size = MeasureWindow(Look, measure, metrics);
  WindowWidth = size.Width;
  WindowHeight = size.Height;
  GlyphColumnWidth = size.GlyphColumnWidth;
  ScrollLimited = size.ScrollLimited;
  Geometry = PopupGeometry(Look, WindowWidth, WindowHeight);
  Layout = LayoutPopupItems(Look, size, measure);
  for (std::size_t i = 0; i < Items.size(); ++i) Layout.Items[i].Enabled = Items[i]->SourceItem->Enabled;

  SetBounds(0, 0, WindowWidth, WindowHeight);
  Handle();
  ApplyRegion();
}

void TvnSkinPopupWindow::ApplyRegion() {
  if (Look.MaskPicture == nullptr) return;
  const TvnSkinPoints source = PopupSourcePoints(*Look.Window);
  const TvnSkinPoints target =
      ShiftSkinPoints(source, Look.WindowPicture->Width(), Look.WindowPicture->Height(), WindowWidth, WindowHeight);
  TvnOwnedRegion region = FrameRegionFromMask(source, target, ViewOf(*Look.MaskPicture), WindowWidth, WindowHeight);
  // From here on the window owns the region; it goes with the window.
  if (region) GiveRegionToWindow(Handle(), std::move(region), true);
}

void TvnSkinPopupWindow::ShowBuilt(const TRect& rect, bool isSubmenu, bool popupUpward) {
  Submenu = isSubmenu;
  TvnPlaceRequest place;
  place.Anchor = rect;
  place.WorkArea = ParentPopup.MonitorWorkRect();
  place.Width = WindowWidth;
  place.Height = WindowHeight;
  place.ItemsTop = Geometry.WinItemsRect.Top;
  place.Scrolling = Layout.Scrolling;
  place.ScrollLimited = ScrollLimited;
  place.Submenu = isSubmenu;
  place.Upward = popupUpward;
  const TPoint at = PlaceWindow(place);
  ShownAtX = at.X;
  ShownAtY = at.Y;
  SetBounds(ShownAtX, ShownAtY, WindowWidth, WindowHeight);

  HWND window = Handle();
  const bool layered = IsLayeredWindowSystem() && ParentPopup.AlphaBlend;
  const bool fade = layered && ParentPopup.AlphaBlendAnimation && ParentPopup.FirstWindow();
  const BYTE value = static_cast<BYTE>(std::clamp(ParentPopup.AlphaBlendValue, 0, 255));
  if (layered) {
    ::SetWindowLongW(window, GWL_EXSTYLE, ::GetWindowLongW(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredAlpha(window, fade ? 0 : value);
  }
  ::SetWindowPos(window, HWND_TOPMOST, ShownAtX, ShownAtY, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  FShown = true;
  ::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, window, OBJID_CLIENT, CHILDID_SELF);
  if (fade) {
    for (int alpha = 3; alpha < value; alpha += 3) SetLayeredAlpha(window, static_cast<BYTE>(alpha));
    SetLayeredAlpha(window, value);
  }

  ::SetTimer(window, vnMouseTimer, 50, nullptr);
  HotItem = -1;
  for (int i = 0; i < ItemCount(); ++i)
    if (Layout.Selectable(i)) {
      if (Layout.Scrolling && Layout.EnsureVisible(i)) Repaint();
      Items[static_cast<std::size_t>(i)]->WaitingForMouse = true;
      HotItem = i;
      Items[static_cast<std::size_t>(i)]->SelectItem(true);
      break;
    }
}

void TvnSkinPopupWindow::Repaint() {
  if (HWND window = HandleIfAllocated())
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// ---- TvnSkinMenu ----------------------------------------------------------------------------

TvnSkinMenu::TvnSkinMenu(TComponent* owner, TForm* hostForm) : TComponent(owner), FHostForm(hostForm) {
  if (hostForm != nullptr) FreeNotification(hostForm);
}

TvnSkinMenu::~TvnSkinMenu() {
  *FAlive = false;
  // The windows go without telling anyone: whoever frees the engine is going away itself.
  while (!FPopupWindows.empty()) FPopupWindows.pop_back();
  FWaitItem = nullptr;
}

void TvnSkinMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == FPopupControl) FPopupControl = nullptr;
  if (component == FNotifyControl) FNotifyControl = nullptr;
  if (component == FHostForm) FHostForm = nullptr;
  if (component == FPendingCommand) FPendingCommand = nullptr;
  // A menu that an open window lists is going away: that level and the ones below it close.
  for (int i = 0; i < PopupWindowCount(); ++i)
    if (FPopupWindows[static_cast<std::size_t>(i)]->ListsItem(component)) {
      CloseFrom(i);
      break;
    }
  std::erase(FWatchedItems, component);
}

int TvnSkinMenu::IndexOfWindow(const TvnSkinPopupWindow* window) const {
  for (std::size_t i = 0; i < FPopupWindows.size(); ++i)
    if (FPopupWindows[i].get() == window) return static_cast<int>(i);
  return -1;
}

void TvnSkinMenu::SetPopupControl(TWinControl* control) {
  if (FPopupControl != nullptr && FPopupControl != FNotifyControl && FPopupControl != FHostForm) RemoveFreeNotification(FPopupControl);
  FPopupControl = control;
  if (control != nullptr) FreeNotification(control);
}

void TvnSkinMenu::SetNotifyControl(TWinControl* control) {
  if (FNotifyControl != nullptr && FNotifyControl != FPopupControl && FNotifyControl != FHostForm) RemoveFreeNotification(FNotifyControl);
  FNotifyControl = control;
  if (control != nullptr) FreeNotification(control);
}

void TvnSkinMenu::Tell(TWinControl* control, UINT message) {
  if (control == nullptr) return;
  if (HWND window = control->HandleIfAllocated()) ::SendMessageW(window, message, 0, 0);
  else control->Perform(message, 0, 0);
}

extern thread_local int gPopupMessageDepth;

bool TvnSkinMenu::StartPopup(TWinControl* control, TvnSkinData* skinData) {
  // Closed windows wait to be used again; a few are enough for the levels of any menu. None is
  // freed while a popup window handles a message: it may be that one.
  constexpr std::size_t kKeptWindows = 4;
  if (gPopupMessageDepth == 0 && FGraveyard.size() > kKeptWindows)
    FGraveyard.erase(FGraveyard.begin(), FGraveyard.end() - kKeptWindows);
  FFirstWindow = !FMenuVisible;
  // The menu showing is replaced: its control hears that it closed, the new one is kept.
  if (!FPopupWindows.empty()) CloseFrom(0);
  SetPopupControl(control);
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  FMonitorWorkRect = {work.left, work.top, work.right, work.bottom};
  GetWindowMonitorArea(FHostForm != nullptr ? FHostForm->HandleIfAllocated() : nullptr, TvnMonitorArea::Work,
                       FMonitorWorkRect);
  // Drawn at the DPI of the form the menu belongs to; plain while high contrast is on.
  FSkinData = skinData && !HighContrastOn()
                  ? &skinData->AtDpi(FHostForm ? FHostForm->PixelsPerInch() : kSkinDesignDpi)
                  : nullptr;
  return true;
}

void TvnSkinMenu::PopupItems(TWinControl* control, TvnSkinData* skinData, bool popupUpward, TMenuItem* item,
                             const TRect& rect, int firstIndex) {
  StartPopup(control, skinData);
  if (item != nullptr && firstIndex >= 0 && firstIndex < item->Count()) {
    OpenWindow(rect, item, nullptr, firstIndex, false, popupUpward);
    FFirstWindow = false;
  }
}

void TvnSkinMenu::PopupItems2(TWinControl* control, TvnSkinData* skinData, bool popupUpward, TMenuItem* itemA,
                              TMenuItem* itemB, const TRect& rect, int firstIndex) {
  StartPopup(control, skinData);
  if (itemA != nullptr && itemA->Count() > 0 && firstIndex >= 0 &&
      firstIndex < itemA->Count() + (itemB != nullptr ? itemB->Count() : 0)) {
    OpenWindow(rect, itemA, itemB, firstIndex, false, popupUpward);
    FFirstWindow = false;
  }
}

bool TvnSkinMenu::Popup(TMenuItem& items, const TRect& anchor, bool upward, const TvnSkinData* skinData) {
  PopupItems(nullptr, const_cast<TvnSkinData*>(skinData), upward, &items, anchor, 0);
  return FMenuVisible;
}

void TvnSkinMenu::OpenWindow(const TRect& rect, TMenuItem* itemA, TMenuItem* itemB, int firstIndex, bool isSubmenu,
                             bool upward) {
  // A level with nothing to show is not opened.
  auto visibleFrom = [](TMenuItem* parent, int from) {
    for (int i = std::max(0, from); parent != nullptr && i < parent->Count(); ++i)
      if (parent->Items(i)->Visible) return true;
    return false;
  };
  if (!visibleFrom(itemA, firstIndex) &&
      !(itemB != nullptr && visibleFrom(itemB, firstIndex - itemA->Count())))
    return;
  if (IsLayeredWindowSystem() && AlphaBlend && AlphaBlendAnimation && FFirstWindow && Application != nullptr) {
    // The fade runs without pausing: what is waiting is painted first.
    auto alive = FAlive;
    while (Application->ProcessMessage()) {
      if (!*alive) return;
    }
  }
  for (TMenuItem* watched : {itemA, itemB})
    if (watched != nullptr && std::find(FWatchedItems.begin(), FWatchedItems.end(), watched) == FWatchedItems.end()) {
      FWatchedItems.push_back(watched);
      FreeNotification(watched);
    }
  FMenuVisible = true;
  // A closed window is used again when none of the engine's windows is busy with a message.
  if (gPopupMessageDepth == 0 && !FGraveyard.empty()) {
    FPopupWindows.push_back(std::move(FGraveyard.back()));
    FGraveyard.pop_back();
    FPopupWindows.back()->Reuse();
  } else {
    FPopupWindows.push_back(std::make_unique<TvnSkinPopupWindow>(*this));
  }
  TvnSkinPopupWindow& window = *FPopupWindows.back();
  window.ListA = itemA;
  window.ListB = itemB;
  window.Serial = ++FWindowSerial;
  if (itemB != nullptr) window.ShowAt2(rect, itemA, itemB, firstIndex, isSubmenu, upward);
  else window.ShowAt(rect, itemA, firstIndex, isSubmenu, upward);
}

bool TvnSkinMenu::WindowAlive(unsigned serial) const {
  for (const auto& window : FPopupWindows)
    if (window->Serial == serial) return true;
  return false;
}

void TvnSkinMenu::StopWaitTimer() {
  if (FWaitItem != nullptr)
    if (HWND window = FWaitItem->OwnerWindow->HandleIfAllocated()) ::KillTimer(window, vnSubmenuTimer);
  FWaitItem = nullptr;
}

void TvnSkinMenu::WaitTimerTick() {
  TvnSkinMenuItem* item = FWaitItem;
  StopWaitTimer();
  if (item != nullptr) ItemSelected(*item->OwnerWindow, *item, false, true);
}

void TvnSkinMenu::ItemSelected(TvnSkinPopupWindow& window, TvnSkinMenuItem& item, bool keyboard, bool execute) {
  const int at = IndexOfWindow(&window);
  if (at < 0) return;
  if (!item.HasChildren()) {
    StopWaitTimer();
    if (!execute) {
      CloseFrom(at + 1);
      return;
    }
    // The whole menu closes before the command runs; nothing of it is touched afterwards, so a
    // command may free the menu, its items or this engine.
    FPendingCommand = item.SourceItem;
    FreeNotification(FPendingCommand);
    CloseAll();
    auto* command = static_cast<TMenuItem*>(FPendingCommand);
    if (command == nullptr) return;
    RemoveFreeNotification(command);
    FPendingCommand = nullptr;
    auto alive = FAlive;
    command->Click();
    if (!*alive) return;
    if (TWinControl* control = FNotifyControl) {
      SetNotifyControl(nullptr);
      Tell(control, WM_SKINMENUCOMMAND);
    }
    return;
  }
  if (execute) {
    // The command runs first so that the application may fill the submenu.
    const unsigned serial = window.Serial;
    auto alive = FAlive;
    item.SourceItem->Click();
    if (!*alive || !WindowAlive(serial)) return;
    StopWaitTimer();
    CloseFrom(at + 1);
    item.SubmenuOpen = true;
    item.ReDraw();
    const TRect r = item.ItemRect().Offset(window.ShownAtX, window.ShownAtY);
    OpenWindow(r, item.SourceItem, nullptr, 0, true, false);
    return;
  }
  if (!keyboard) {
    CloseFrom(at + 1);
    StopWaitTimer();
    FWaitItem = &item;
    ::SetTimer(window.Handle(), vnSubmenuTimer, 500, nullptr);
  }
}

void TvnSkinMenu::CloseFrom(int index) {
  index = std::max(index, 0);
  while (PopupWindowCount() > index) {
    std::unique_ptr<TvnSkinPopupWindow> window = std::move(FPopupWindows.back());
    FPopupWindows.pop_back();
    if (FWaitItem != nullptr && FWaitItem->OwnerWindow == window.get()) StopWaitTimer();
    // The window may be handling the message that closes it: it is hidden now, kept for a later
    // menu and freed with the engine at the latest; a closed window ignores input.
    window->Close();
    FGraveyard.push_back(std::move(window));
  }
  // Forget the menus no open window lists any more.
  for (std::size_t i = 0; i < FWatchedItems.size();) {
    TMenuItem* watched = FWatchedItems[i];
    const bool listed = std::any_of(FPopupWindows.begin(), FPopupWindows.end(),
                                    [watched](const auto& w) { return w->ListsItem(watched); });
    if (listed || watched == FPendingCommand) {
      ++i;
      continue;
    }
    RemoveFreeNotification(watched);
    FWatchedItems.erase(FWatchedItems.begin() + static_cast<std::ptrdiff_t>(i));
  }
  if (index == 0) {
    FMenuVisible = false;
    StopWaitTimer();
    SetNotifyControl(FPopupControl);
    if (TWinControl* control = FPopupControl) {
      SetPopupControl(nullptr);
      Tell(control, WM_SKINMENUCLOSED);
    }
  }
}

void TvnSkinMenu::CloseAll() {
  CloseFrom(0);
  StopWaitTimer();
  if (FHostForm != nullptr) Tell(FHostForm, WM_SKINMENUCLOSED);
}

bool TvnSkinMenu::SelectedItemHasSubItems() const {
  if (FPopupWindows.empty()) return false;
  const TvnSkinPopupWindow& w = *FPopupWindows.back();
  return w.HotItem >= 0 && w.HotItem < w.ItemCount() &&
         w.Items[static_cast<std::size_t>(w.HotItem)]->HasChildren();
}

void TvnSkinMenu::KeyDown(unsigned key) {
  if (FPopupWindows.empty()) return;
  FPopupWindows.back()->ProcessKey(key);
}
