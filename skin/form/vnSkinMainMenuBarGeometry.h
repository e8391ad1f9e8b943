#pragma once
// The main menu bar's rules that need no window: the items area for the bar's size, with and
// without the caption buttons of a maximized child window at its ends; where each item goes and
// which ones do not fit; the band of the overflow marker; which top-level items the bar shows
// when a child's menu is merged into the main menu; the child buttons' order, default commands
// and enabling; and the keyboard's walk along the items. The bar (vnSkinMainMenuBar_win.h)
// lays out, draws and tracks with these, so tests check them without a window.
#include "framework/Geometry.h"
#include "skin/data/vnSkinTypes.h"
#include "skin/form/VeneerFormCommands.h"

#include <array>
#include <string_view>
#include <vector>

class TMenuItem;

// What the layout reads of the bar's skin description; FromSkin is false for the plain look.
struct TvnMenuBarSkinRects {
  bool FromSkin = false;
  TRect SkinRect;   // "skinrect"
  TRect ItemsRect;  // "itemsrect"
};

// Where the items go in a bar of width x height: skinned, "itemsrect" with its right edge moving
// with the bar's width; plain, inside a margin of 2 pixels.
TRect MenuBarItemsRect(const TvnMenuBarSkinRects& skin, int width, int height);

// The caption buttons of a maximized child window, in the order of the bar's objects.
enum TvnMenuBarButton : int { mbSysMenu, mbClose, mbMaximize, mbMinimize };
constexpr int kMenuBarButtonCount = 4;
using TvnMenuBarButtons = std::array<TvnMenuBarButton, kMenuBarButtonCount>;
constexpr TvnMenuBarButtons kMenuBarButtons{mbSysMenu, mbClose, mbMaximize, mbMinimize};

// The command and the name a button has without a skin description.
TvnSkinCommand MenuBarButtonDefaultCommand(TvnMenuBarButton button);
std::string_view MenuBarButtonDefaultName(TvnMenuBarButton button);
// Which buttons take the mouse for the child's border icons: all but minimize without
// biMinimize and the system menu without biSystemMenu.
std::array<bool, kMenuBarButtonCount> MenuBarButtonsEnabled(TvnBorderIcons childIcons);

// A skinned button is the size of its "skinrect"; a plain one (Skinned false) is a square as
// high as the items area.
struct TvnMenuBarButtonSize {
  bool Skinned = false;
  int Width = 0;
  int Height = 0;
};

struct TvnMenuBarButtonsPlace {
  TRect ItemsArea;  // what the buttons leave to the items
  std::array<TRect, kMenuBarButtonCount> Buttons;  // by TvnMenuBarButton
};
// The system-menu button at the left end of the items area, then close, maximize and minimize
// from the right end leftward; each takes its width and a gap of 2 pixels from the area.
// Skinned buttons are centred vertically in the area.
TvnMenuBarButtonsPlace PlaceMenuBarButtons(const TRect& itemsArea,
                                           const std::array<TvnMenuBarButtonSize, kMenuBarButtonCount>& sizes);

// What an item's size is made from: skinned, its "skinrect" and "textrect"; plain, the caption.
struct TvnMenuBarItemLook {
  bool Skinned = false;
  TRect SkinRect;
  TRect TextRect;
};
// Width and height of an item whose caption is captionWidth wide: skinned, the look around a
// caption box of captionWidth + 2 (its "skinrect" height); plain, captionWidth + 12 over the
// items area's height.
TPoint MenuBarItemSize(const TvnMenuBarItemLook& look, int captionWidth, const TRect& itemsArea);

// The items laid out in a row.
struct TvnMenuBarRow {
  std::vector<TRect> Places;  // every item's place, also of those that do not fit
  std::vector<bool> Shown;    // the item fits
  int ShownCount = 0;
  bool Overflow = false;      // some item does not fit
};
// Left to right from the items area's left edge, at its top, each item at the right edge of the
// one before. An item is shown while its right edge stays within the area's right edge, 5 pixels
// less with scrollMenu (the overflow marker's band); the ones that do not fit are the last ones.
TvnMenuBarRow LayoutMenuBarRow(const TRect& itemsArea, const std::vector<TPoint>& sizes, bool scrollMenu);
// The overflow marker's band at the right end of the items area.
TRect MenuBarMarkerBand(const TRect& itemsArea);

// The top-level items the bar shows, in their order. Without a merged menu: the visible items
// of main, in menu order. With one: the items of main whose group index no top-level item of
// merged has, then merged's items, ordered by group index (equal indices keep that order);
// invisible ones are left out.
std::vector<TMenuItem*> MenuBarSourceItems(const TMenuItem& main, const TMenuItem* merged);

// The item the keyboard moves to from current (-1: none is lit), among items of which
// selectable tells which can be lit: the next one after it (forward) or before it, wrapping
// round; with none lit, the first (forward) or the last one. -1 when none is selectable.
int NextMenuBarItem(const std::vector<bool>& selectable, int current, bool forward);
