#pragma once
// The popup menu's portable core: which skin pieces a popup window can use, the window's size
// for its items, its geometry, the layout of its items with scrolling, where it opens beside
// an anchor on a work area, the keyboard searches, and the pictures of the window and of the
// items that need no text. The Win32 half (vnSkinMenus_win.h) measures texts, paints and
// handles the messages; everything it decides about places and sizes comes from here.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "framework/Geometry.h"
#include "framework/PixelBitmap.h"
#include "skin/imaging/vnUtilsCompose.h"

class TvnSkinData;
class TvnDataSkinPopupWindow;
class TvnDataSkinMenuItem;

// Height of each scroll band at the top and bottom of a scrolling window's items area.
constexpr int vnScrollBandHeight = 10;

// The skin pieces of a popup window. A piece is present only when the picture it names exists
// and holds every rectangle cut from it, so nothing is ever read from a missing picture.
struct TvnPopupSkin {
  const TvnDataSkinPopupWindow* Window = nullptr;  // the window is skinned
  const TPixelBitmap* WindowPicture = nullptr;
  const TPixelBitmap* MaskPicture = nullptr;       // same size as the window picture
  const TvnDataSkinMenuItem* Item = nullptr;       // items are skinned (only in a skinned window)
  const TPixelBitmap* ItemPicture = nullptr;

  bool Skinned() const { return Window != nullptr; }
};

// The skin pieces of skinData (none, or an empty skin, gives the plain look).
TvnPopupSkin ResolvePopupSkin(const TvnSkinData* skinData);

// ---- Size --------------------------------------------------------------------------------

struct TvnMenuMeasureItem {
  bool Separator = false;
  int TextWidth = 0;  // width of the caption, plus "  " and the shortcut text when it has one
};

struct TvnMenuMetrics {
  int DefaultItemHeight = 20;
  int MaxMenuItemsInWindow = 0;  // 0: no limit
  int WorkAreaHeight = 0;
  int ImageWidth = -1;           // width of the menu's images; -1 without an image list
  bool TwoMenus = false;         // one window lists two menus (the plain border is 6, not 4)
};

struct TvnPopupSize {
  int Width = 0;
  int Height = 0;
  int GlyphColumnWidth = 19;
  bool Scrolling = false;
  bool ScrollLimited = false;  // scrolling comes from MaxMenuItemsInWindow
  std::vector<int> ItemHeights;
};

int MenuItemHeight(const TvnPopupSkin& skin, bool separator, int defaultItemHeight);
TvnPopupSize MeasureWindow(const TvnPopupSkin& skin, std::span<const TvnMenuMeasureItem> items,
                           const TvnMenuMetrics& metrics);

// ---- Geometry of a window size -------------------------------------------------------------

struct TvnPopupGeometry {
  TPoint WinLeftTop, WinRightTop, WinLeftBottom, WinRightBottom;
  TRect WinItemsRect;
};
TvnPopupGeometry PopupGeometry(const TvnPopupSkin& skin, int W, int H);

// The window picture's points as the composition and the mask region take them: relative to
// the whole picture, "itemsrect" as client.
TvnSkinPoints PopupSourcePoints(const TvnDataSkinPopupWindow& window);

// ---- Items of one window: layout, scrolling, searches ---------------------------------------

struct TvnMenuItemSlot {
  int Height = 0;
  bool Separator = false;
  bool Enabled = true;
  TRect ItemRect;
  bool InView = true;
};

class TvnPopupItems {
public:
  std::vector<TvnMenuItemSlot> Items;
  TRect WinItemsRect;
  bool Scrolling = false;
  int FirstVisible = 0;
  int VisibleItemCount = 0;
  int ScrollState = 0;  // 0 none, 1 scrolling up, 2 scrolling down

  int Count() const { return static_cast<int>(Items.size()); }
  int LastShown() const { return FirstVisible + VisibleItemCount - 1; }
  // Lays the items out from FirstVisible down the items area, inside the bands when scrolling.
  void LayoutItems();
  bool CanScrollUp() const { return FirstVisible > 0; }
  bool CanScrollDown() const { return FirstVisible + VisibleItemCount - 1 < Count() - 1; }
  // FirstVisible of the page that ends with the last item.
  int LastPageStart() const;
  // One item up or down; at the end, with cycle, to the other end. True when FirstVisible moved
  // (the items are laid out again then).
  bool ScrollUp(bool cycle);
  bool ScrollDown(bool cycle);
  // Scrolls one item at a time until item index is shown. True when anything moved.
  bool EnsureVisible(int index);

  TRect TopBand() const;
  TRect BottomBand() const;
  // The first item in list order that is in view and holds p; -1 for none.
  int ItemAt(TPoint p) const;
  bool Selectable(int index) const;
  // The next (previous) enabled non-separator item after (before) hot, wrapping once around the
  // list, scrolled into view; hot itself when there is no other.
  int SelectNext(int hot);
  int SelectPrevious(int hot);
};

// The items of a window of the given size, measured as given, laid out from the first (all
// enabled: the caller marks the disabled ones).
TvnPopupItems LayoutPopupItems(const TvnPopupSkin& skin, const TvnPopupSize& size,
                               std::span<const TvnMenuMeasureItem> items);

// The first caption (list order) whose "&" access key is key; -1 for none.
int FindAccelItem(std::span<const std::u16string> captions, unsigned key);

// ---- Placement ----------------------------------------------------------------------------

struct TvnPlaceRequest {
  TRect Anchor;     // screen rectangle the window opens beside; (x, y, x, y) for a point
  TRect WorkArea;   // of the monitor
  int Width = 0;
  int Height = 0;
  int ItemsTop = 0;  // WinItemsRect.Top: a submenu's first item is level with its parent item
  bool Scrolling = false;
  bool ScrollLimited = false;
  bool Submenu = false;
  bool Upward = false;
};
TPoint PlaceWindow(const TvnPlaceRequest& r);

// ---- Morphing -----------------------------------------------------------------------------

constexpr double vnMorphStep = 0.2;
// The factor one step further toward lit (1) or unlit (0), clamped.
double MorphToward(double factor, bool lit);

// ---- Pictures that need no text -------------------------------------------------------------

// The skinned window's background for W x H (the items area tiled only when scrolling). Empty
// for a plain window.
TPixelBitmap ComposePopupBackground(const TvnPopupSkin& skin, int W, int H, bool scrolling);
// An item's picture "skinrect" (or "activeskinrect" when active) for a width; empty without an
// item skin.
TPixelBitmap ComposeItemPicture(const TvnPopupSkin& skin, int width, bool active);
// A separator's picture "dividerrect" for a width; empty without an item skin.
TPixelBitmap ComposeDividerPicture(const TvnPopupSkin& skin, int width);
// The pictures of the items in view drawn onto the window's picture at their places, item hot
// lit: what the skin alone gives a menu (no text, image or glyph).
void DrawItemPictures(const TvnPopupSkin& skin, const TvnPopupItems& layout, int hot, TPixelBitmap& window);
// normal turned toward active by factor with the item skin's morph kind.
void MorphItemPicture(const TvnPopupSkin& skin, TPixelBitmap& normal, const TPixelBitmap& active,
                      double factor);
