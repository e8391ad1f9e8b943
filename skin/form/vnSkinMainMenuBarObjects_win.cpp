// The main menu bar's objects: the base with its looks and morphing, the caption buttons of a
// maximized child window and the top-level items. Each paints itself at its place on the bar's
// surface and acts through the bar and the bar's form component.
#include "skin/form/vnSkinMainMenuBar_win.h"

#include "framework/Canvas_win.h"
#include "framework/CodePage.h"
#include "framework/GdiCache_win.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataObjects.h"
#include "skin/form/VeneerForm_win.h"
#include "skin/imaging/vnDibSurface_win.h"
#include "skin/imaging/vnUtilsCompose.h"
#include "skin/imaging/vnUtilsDraw_win.h"
#include "skin/menus/vnSkinMenus_win.h"

#include <algorithm>

namespace {

// The plain looks' colours (0x00BBGGRR): a dark blue frame around a blue-grey inside, lighter
// under the mouse than pressed.
constexpr TColor kFrameColour = 0x800000;
constexpr TColor kPressedFill = 0xB59385;
constexpr TColor kHotFill = 0xD2BDB6;

// The plain look's box: pressed, under the mouse, or flat.
void PaintPlainBox(HDC dc, const TRect& r, bool pressed, bool hot) {
  TCanvas canvas(dc);
  if (!pressed && !hot) {
    canvas.FillRect(r, clBtnFace);
    return;
  }
  canvas.FillRect(r, pressed ? kPressedFill : kHotFill);
  canvas.FrameRect(r, kFrameColour);
}

void PaintBitmapAt(TvnDibSurface& surface, const TPixelBitmap& bitmap, TPoint at) {
  ::GdiFlush();  // what GDI drew so far lands before the pixels are written
  CopyPixels(ViewOf(bitmap), 0, 0, bitmap.Width(), bitmap.Height(), surface.View(), at.X, at.Y);
}

}  // namespace

// ---- TvnMenuBarObject -------------------------------------------------------------------------

TvnMenuBarObject::TvnMenuBarObject(TvnSkinMainMenuBar& bar, TvnMenuBarObjectKind kind,
                                   const TvnDataSkinObject* description)
    : OwnerBar(bar), FKind(kind) {
  if (description == nullptr) return;
  IDName = description->SectionName;
  NormalRect = description->SkinRect;
  HotRect = description->ActiveSkinRect;
  ObjectRect = NormalRect;
  MorphEnabled = description->Morphing;
  MorphMode = description->MorphKind;
  StatePicture = ActivePicture(bar.DrawnSkin(), description->ActivePictureIndex);
  // Without its picture the object has no active look to show or morph to.
  if (StatePicture == nullptr) HotRect = {};
  PressedRect = HotRect;
  if (IsZeroRect(HotRect)) MorphEnabled = false;
}

void TvnMenuBarObject::MouseEnter() {
  MouseInside = true;
  ActiveLook = true;
  ReDraw();
}

void TvnMenuBarObject::MouseLeave() {
  MouseInside = false;
  ActiveLook = false;
  ReDraw();
}

bool TvnMenuBarObject::NeedsMorphStep() const {
  if (IsDown && !IsZeroRect(PressedRect)) return false;
  return (ActiveLook && MorphFactor < 1) || (!ActiveLook && MorphFactor > 0);
}

void TvnMenuBarObject::ReDraw() {
  if (MorphEnabled) OwnerBar.StartMorphTimer();
  else if (ObjectVisible) OwnerBar.RedrawObject(*this);
}

void TvnMenuBarObject::MorphStep() {
  SetMorphFactor(MorphFactor + (ActiveLook ? 0.2 : -0.2));
  OwnerBar.RedrawObject(*this);
}

void TvnMenuBarObject::SetMorphFactor(double value) {
  MorphFactor = value >= 0 ? std::min(value, 1.0) : 0.0;
}

bool TvnMenuBarObject::MorphInProgress() const {
  return (ActiveLook && MorphFactor != 1) || (!ActiveLook && MorphFactor != 0);
}

void TvnMenuBarObject::PaintLook(TvnDibSurface& surface, const std::function<TPixelBitmap(const TRect&)>& lookOf,
                                 const TRect& still) const {
  if (MorphEnabled && MorphInProgress()) {
    TPixelBitmap normal = lookOf(NormalRect);
    OwnerBar.MorphPicture(normal, lookOf(HotRect), MorphMode, MorphFactor);
    PaintBitmapAt(surface, normal, {ObjectRect.Left, ObjectRect.Top});
    return;
  }
  PaintBitmapAt(surface, lookOf(still), {ObjectRect.Left, ObjectRect.Top});
}

// ---- TvnSkinMainMenuBarButton -----------------------------------------------------------------

TvnSkinMainMenuBarButton::TvnSkinMainMenuBarButton(TvnSkinMainMenuBar& bar, TvnMenuBarButton slot,
                                                   const TvnDataSkinMainMenuBarButton* description, bool fromSkin)
    : TvnMenuBarObject(bar, TvnMenuBarObjectKind::Button, description), Slot(slot) {
  FromSkin = description != nullptr;
  if (description != nullptr) {
    PressedRect = description->DownRect;
    HasCommand = true;
    Command = description->Command;
  } else if (!fromSkin) {
    // No skin at all: the button of its place. (A skin that lacks the button's description
    // gives a plain button without a command.)
    IDName = MenuBarButtonDefaultName(slot);
    HasCommand = true;
    Command = MenuBarButtonDefaultCommand(slot);
  }
}

void TvnSkinMainMenuBarButton::Draw(TvnDibSurface& surface) {
  const TRect& r = ObjectRect;
  if (FromSkin && StatePicture != nullptr) {
    const TPixelBitmap& picture = *StatePicture;
    auto lookOf = [&](const TRect& source) {
      TPixelBitmap look(r.Width(), r.Height());
      CopyPictureRect(picture, source, look, Rect(0, 0, r.Width(), r.Height()));
      return look;
    };
    if (IsDown && MouseInside && !IsZeroRect(PressedRect)) PaintLook(surface, lookOf, PressedRect);
    else PaintLook(surface, lookOf, ActiveLook && !IsZeroRect(HotRect) ? HotRect : NormalRect);
    return;
  }
  HDC dc = surface.DC();
  const bool pressed = IsDown && MouseInside;
  PaintPlainBox(dc, r, pressed, MouseInside);
  if (!HasCommand) return;
  const int x = r.Left + r.Width() / 2 - 5 + (pressed ? 1 : 0);
  const int y = r.Top + r.Height() / 2 - 4 + (pressed ? 1 : 0);
  const COLORREF colour = ColorToRGB(ObjectEnabled ? clBtnText : clBtnShadow);
  switch (Command) {
    case cmClose: DrawCloseGlyph(dc, x, y, colour); break;
    case cmMaximize: DrawRestoreGlyph(dc, x, y, colour); break;  // the child is maximized
    case cmMinimize: DrawMinimizeGlyph(dc, x, y, colour); break;
    case cmSysMenu: DrawSysMenuGlyph(dc, x, y, colour); break;
    default: break;
  }
}

void TvnSkinMainMenuBarButton::MouseDown(int, int, TvnMouseButton button) {
  if (button != TvnMouseButton::Left || !ObjectEnabled || IsDown) return;
  IsDown = true;
  if (MorphEnabled && !IsZeroRect(PressedRect)) SetMorphFactor(1);
  OwnerBar.RedrawObject(*this);
  if (IsSysMenuButton()) RunCommand();
}

void TvnSkinMainMenuBarButton::MouseUp(int, int, TvnMouseButton button) {
  // The system-menu button stays down while its menu is open.
  if (button != TvnMouseButton::Left || !ObjectEnabled || IsSysMenuButton()) return;
  const bool run = IsDown && ActiveLook;  // released where it was pressed
  IsDown = false;
  OwnerBar.RedrawObject(*this);
  if (run) RunCommand();
}

void TvnSkinMainMenuBarButton::DblClick() {
  if (!IsSysMenuButton()) return;
  TvnVeneerForm* component = OwnerBar.FormComponent();
  TvnVeneerForm* child = component ? component->MaximizedMdiChildFrame() : nullptr;
  if (child == nullptr) return;
  if (TvnSkinMenu* engine = OwnerBar.SkinEngine()) engine->CloseAll();
  component->LeaveMenuMode();
  child->CloseWindow();
}

void TvnSkinMainMenuBarButton::MouseEnter() {
  if (IsSysMenuButton() && IsDown) {
    MouseInside = ActiveLook = true;  // its menu is open: the look stays pressed
    return;
  }
  TvnMenuBarObject::MouseEnter();
}

void TvnSkinMainMenuBarButton::MouseLeave() {
  if (IsSysMenuButton() && IsDown) {
    MouseInside = ActiveLook = false;
    return;
  }
  TvnMenuBarObject::MouseLeave();
}

void TvnSkinMainMenuBarButton::RunCommand() {
  TvnVeneerForm* component = OwnerBar.FormComponent();
  TvnVeneerForm* child = component ? component->MaximizedMdiChildFrame() : nullptr;
  bool menuShown = false;
  if (child != nullptr && HasCommand) {
    switch (Command) {
      case cmClose: child->CloseWindow(); return;
      case cmMaximize: child->ChangeWindowState(wsNormal); return;
      case cmMinimize: child->ChangeWindowState(wsMinimized); return;
      case cmSysMenu:
        if (TvnSkinMenu* engine = OwnerBar.SkinEngine()) {
          OwnerBar.Repaint();
          const TRect at = OwnerBar.ScreenRect(ObjectRect);
          component->EnterMenuMode();
          engine->PopupItems(&OwnerBar, component->HostMenusSkinData(), OwnerBar.PopupToUp, child->GetSystemMenuItems(),
                             at, 0);
          menuShown = engine->MenuVisible();
          if (!menuShown) component->LeaveMenuMode();
        }
        break;
      default: return;
    }
  }
  // A menu that did not open would leave the button down for good.
  if (IsSysMenuButton() && !menuShown && IsDown) {
    IsDown = false;
    OwnerBar.RedrawObject(*this);
  }
}

// ---- TvnSkinMainMenuBarItem -------------------------------------------------------------------

TvnSkinMainMenuBarItem::TvnSkinMainMenuBarItem(TvnSkinMainMenuBar& bar, TMenuItem* source,
                                               const TvnDataSkinMainMenuItem* description)
    : TvnMenuBarObject(bar, TvnMenuBarObjectKind::Item, description), SourceItem(source) {
  IDName = source->Name();
  ObjectEnabled = source->Enabled;
  SavedEnabled = ObjectEnabled;
  if (description == nullptr) return;
  FromSkin = true;
  FontName = description->FontName;
  FontHeight = description->FontHeight;
  FontStyle = description->FontStyle;
  UnEnabledFontColor = description->UnEnabledFontColor;
  FontColor = description->FontColor;
  ActiveFontColor = description->ActiveFontColor;
  DownFontColor = description->DownFontColor;
  TextRect = description->TextRect;
  DownRect = description->DownRect;
  ItemLeftOffset = description->ItemLeftOffset;
  ItemRightOffset = description->ItemRightOffset;
  if (!IsZeroRect(DownRect)) PressedRect = DownRect;
  else if (IsZeroRect(PressedRect)) PressedRect = NormalRect;
}

TPoint TvnSkinMainMenuBarItem::SizeFor(int captionWidth, const TRect& itemsArea) const {
  return MenuBarItemSize(Look(), captionWidth, itemsArea);
}

TFontDesc TvnSkinMainMenuBarItem::Font() const {
  TFontDesc font = OwnerBar.DefItemFont();
  if (FromSkin && OwnerBar.UseSkinFont()) {
    // The description holds the face name in code page 936; fonts are named in UTF-8.
    font.Name = CodePageToUtf8(FontName);
    font.Height = FontHeight;
    font.Style = FontStyle;
    font.Color = FontColor;
  }
  font.Charset = OwnerBar.TextCharset();
  return font;
}

void TvnSkinMainMenuBarItem::Draw(TvnDibSurface& surface) {
  if (FromSkin) DrawSkinned(surface);
  else DrawPlain(surface);
}

void TvnSkinMainMenuBarItem::DrawSkinned(TvnDibSurface& surface) {
  if (IsZeroRect(NormalRect) || IsZeroRect(TextRect)) return;
  if (StatePicture != nullptr) {
    const TPixelBitmap& picture = *StatePicture;
    const int width = ObjectRect.Width();
    auto lookOf = [&](const TRect& source) {
      TPixelBitmap look;
      ComposeHorzSkinImage(ItemLeftOffset, ItemRightOffset, look, picture, source, width);
      return look;
    };
    if (IsDown) PaintLook(surface, lookOf, PressedRect);
    else PaintLook(surface, lookOf, ActiveLook && !IsZeroRect(HotRect) ? HotRect : NormalRect);
  }
  const TColor colour = IsDown ? DownFontColor : ActiveLook ? ActiveFontColor : ObjectEnabled ? FontColor : UnEnabledFontColor;
  const int left = ObjectRect.Left + TextRect.Left, top = ObjectRect.Top;
  DrawCaption(surface, Rect(left, top + TextRect.Top, left + CaptionWidth + 2, top + TextRect.Bottom), colour);
}

void TvnSkinMainMenuBarItem::DrawPlain(TvnDibSurface& surface) {
  PaintPlainBox(surface.DC(), ObjectRect, IsDown, MouseInside);
  // Greyed when disabled, as every other disabled text of the frame.
  const TColor colour = ObjectEnabled ? OwnerBar.DefItemFont().Color : clBtnShadow;
  DrawCaption(surface, IsDown ? ObjectRect.Offset(1, 1) : ObjectRect, colour);
}

void TvnSkinMainMenuBarItem::DrawCaption(TvnDibSurface& surface, const TRect& box, TColor colour) const {
  HDC dc = surface.DC();
  TvnSelection font(dc, CachedFont(Font()));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ColorToRGB(colour));
  RECT r{box.Left, box.Top, box.Right, box.Bottom};
  const auto* text = reinterpret_cast<const wchar_t*>(SourceItem->Caption.c_str());
  // The platform's text drawing underlines the "&" access key.
  ::DrawTextW(dc, text, static_cast<int>(SourceItem->Caption.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TvnSkinMainMenuBarItem::MouseEnter() {
  TvnSkinMainMenuBarItem* down = nullptr;
  for (int i = 0; i < OwnerBar.ObjectCount(); ++i) {
    TvnSkinMainMenuBarItem* other = OwnerBar.ItemAt(i);
    if (other != nullptr && other != this && other->IsDown) down = other;
  }
  if (down != nullptr) {
    // A menu is open on another item: it moves to this one.
    down->SetDown(false);
    MouseInside = ActiveLook = true;
    SetMorphFactor(1);
    SetDown(true);
    return;
  }
  for (int i = 0; i < OwnerBar.ObjectCount(); ++i) {
    TvnSkinMainMenuBarItem* other = OwnerBar.ItemAt(i);
    if (other != nullptr && other != this && other->ActiveLook) other->MouseLeave();
  }
  TvnMenuBarObject::MouseEnter();
  if (OwnerBar.OnItemMouseEnter) OwnerBar.OnItemMouseEnter(OwnerBar, SourceItem);
}

void TvnSkinMainMenuBarItem::MouseLeave() {
  MouseInside = ActiveLook = false;
  if (MorphEnabled && IsDown) SetMorphFactor(0);
  ReDraw();
  if (OwnerBar.OnItemMouseLeave) OwnerBar.OnItemMouseLeave(OwnerBar, SourceItem);
}

void TvnSkinMainMenuBarItem::MouseDown(int, int, TvnMouseButton button) {
  if (button != TvnMouseButton::Left || !ObjectEnabled) return;
  if (HasChildren()) {
    OwnerBar.SetInMenuMode(true);
    SetDown(true);
    return;
  }
  if (TvnVeneerForm* component = OwnerBar.FormComponent()) {
    if (component->InMainMenuMode()) component->LeaveMainMenuMode();
    if (component->InPopupMenuMode()) component->LeaveMenuMode();
  }
  // The item goes back to normal; the mouse, when it is still on it, lights it again as it moves.
  MouseInside = ActiveLook = false;
  OwnerBar.ForgetHotObject();
  ReDraw();
  // The command may free the bar and this item: nothing of either is used after it.
  SourceItem->Click();
}

void TvnSkinMainMenuBarItem::SetDown(bool value) {
  if (!value) {
    IsDown = false;
    MouseInside = ActiveLook = false;
    if (MorphEnabled) {
      SetMorphFactor(1);
      ReDraw();
    } else {
      OwnerBar.RedrawObject(*this);
    }
    return;
  }
  IsDown = true;
  ActiveLook = true;
  SetMorphFactor(1);
  OwnerBar.RedrawObject(*this);
  TvnVeneerForm* component = OwnerBar.FormComponent();
  TvnSkinMenu* engine = OwnerBar.SkinEngine();
  if (component == nullptr || engine == nullptr) {
    // Nothing can show the menu: the item stays lit, not pressed.
    IsDown = false;
    OwnerBar.RedrawObject(*this);
    return;
  }
  const TRect at = OwnerBar.ScreenRect(ObjectRect);
  component->EnterMainMenuMode();
  component->EnterMenuMode();
  engine->PopupItems(nullptr, OwnerBar.SkinData(), OwnerBar.PopupToUp, SourceItem, at, 0);
}
