#pragma once
// The window commands of a skinned frame that are plain rules: size limits, where a maximized
// window goes, where a minimized secondary window parks, magnetic edges, roll-up and its saved
// height, what a caption double-click does, and which items the system menu holds. The form
// applies the results to its window; nothing here needs one.
#include "framework/Geometry.h"
#include "skin/data/vnSkinTypes.h"
#include "skin/form/MonitorLayout.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

// The component's own window state; the frameless window never uses the platform's.
enum TvnWindowState : std::uint8_t { wsNormal, wsMinimized, wsMaximized };

// Which caption buttons and system-menu entries exist. Scoped, because the framework's forms
// have border icons of their own with some of the same names.
enum class TvnBorderIcon : std::uint8_t {
  biSystemMenu = 1,
  biMinimize = 2,
  biMaximize = 4,
  biRollUp = 8,
  biMinimizeToTray = 16,
};

struct TvnBorderIcons {
  std::uint8_t Bits = 0;
  constexpr TvnBorderIcons() = default;
  constexpr TvnBorderIcons(std::initializer_list<TvnBorderIcon> icons) {
    for (TvnBorderIcon icon : icons) Include(icon);
  }
  constexpr bool Contains(TvnBorderIcon icon) const { return (Bits & Bit(icon)) != 0; }
  constexpr void Include(TvnBorderIcon icon) { Bits |= Bit(icon); }
  constexpr void Exclude(TvnBorderIcon icon) { Bits &= static_cast<std::uint8_t>(~Bit(icon)); }
  static constexpr std::uint8_t Bit(TvnBorderIcon icon) { return static_cast<std::uint8_t>(icon); }
  friend constexpr bool operator==(TvnBorderIcons, TvnBorderIcons) = default;
};

inline constexpr TvnBorderIcons kDefaultBorderIcons{
    TvnBorderIcon::biSystemMenu, TvnBorderIcon::biMinimize, TvnBorderIcon::biMaximize,
    TvnBorderIcon::biRollUp};

// The icon that allows a command, or nothing for commands no icon governs (close, custom).
std::optional<TvnBorderIcon> GoverningIcon(TvnSkinCommand command);

// Everything the size limits depend on besides the window's state.
struct TvnSizeLimits {
  bool SkinSupport = false;
  int PictureWidth = 0;       // main picture of the skin
  int PictureHeight = 0;
  int ClientRectHeight = 0;   // height of the skin's client rectangle
  int DefaultCaptionHeight = 19;
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
  bool MaximizeOnFullScreen = false;
};

int MinTrackWidth(const TvnSizeLimits& limits, bool minimized);
// The frame height alone (the rolled-up height) unless MinHeight asks for more.
int MinTrackHeight(const TvnSizeLimits& limits, bool rolledUp, bool minimized);
// The areas are those of the window's own monitor.
int MaxTrackWidth(const TvnSizeLimits& limits, const TvnMonitorAreas& areas);
int MaxTrackHeight(const TvnSizeLimits& limits, const TvnMonitorAreas& areas);

// Top-left corner of a minimized secondary window: the first free slot along the bottom of
// area, from the left, rows wrapping upward; when the area is full, back to the first slot.
// slotTaken says whether another minimized frame is parked at a point.
TPoint MinimizedPosition(const TRect& area, int minTrackWidth, int minTrackHeight,
                         const std::function<bool(TPoint)>& slotTaken);

// Snaps the top-left corner of a width x height window to the edges of area when it comes
// closer than magneticSize pixels (strictly) to one.
TPoint SnapToEdges(TPoint position, int width, int height, const TRect& area, int magneticSize);

// Window state and roll-up of one frame, with the height and bounds to return to.
struct TvnFrameState {
  TvnWindowState WindowState = wsNormal;
  bool RolledUp = false;
  bool MaximizedRolledUp = false;  // rolled up while maximized
  int SavedHeight = 0;             // height before rolling up
  TRect SavedBounds;               // bounds before minimize or maximize; empty when none

  // Rolls up or down. Returns the window's new height, or nothing when the request is refused
  // (no roll-up icon, minimized, a maximized window in the odd rolled state) or changes
  // nothing (already in the asked state: rolling up twice must not overwrite the saved height
  // with the rolled height). frameHeight is the height of the frame alone.
  std::optional<int> SetRollUp(bool on, TvnBorderIcons icons, int currentHeight, int frameHeight);
};

// What a left double-click on the caption does.
enum class TvnCaptionAction { Restore, Maximize, ToggleRollUp };
TvnCaptionAction CaptionDoubleClickAction(const TvnFrameState& state, bool sizeable,
                                          TvnBorderIcons icons);

// Items of the system menu, by their component names.
enum TvnSystemMenuItem : std::uint8_t {
  smMinimize,      // "VNR_MINITEM"
  smMaximize,      // "VNR_MAXITEM"
  smRestore,       // "VNR_RESTORE"
  smRollUp,        // "VNR_ROLLUP"
  smMinimizeToTray,// "VNR_MINTOTRAY"
  smSeparator,     // "-"
  smClose,         // "VNR_CLOSE"
  smTrayRestore,   // "TRAY_VNR_RESTORE"
  smTrayClose,     // "TRAY_VNR_CLOSE"
};

struct TvnSystemMenuText {
  std::string_view Name;        // component name of the item
  std::string_view CaptionKey;  // key of its caption in the skin's resource strings
  std::string_view Caption;     // built-in caption, UTF-8
};
const TvnSystemMenuText& SystemMenuText(TvnSystemMenuItem item);
// "Ctrl+F4" on a multi-document child, "Alt+F4" elsewhere.
std::string_view CloseShortCut(bool mdiChild);

// Which of the standard items exist for this state; the list a default system menu shows.
struct TvnSystemMenuConditions {
  bool Minimize = false, Maximize = false, Restore = false, RollUp = false, ToTray = false;
};
TvnSystemMenuConditions SystemMenuConditions(const TvnFrameState& state, TvnBorderIcons icons,
                                             bool mdiChild);
std::vector<TvnSystemMenuItem> DefaultSystemMenuItems(const TvnSystemMenuConditions& c);
// Default hint of a caption button by its command: key in the resource strings and built-in
// text (UTF-8); nothing for commands without one (custom buttons keep their own).
struct TvnButtonHint {
  std::string_view Key;
  std::string_view Text;
};
std::optional<TvnButtonHint> DefaultButtonHint(TvnSkinCommand command);
