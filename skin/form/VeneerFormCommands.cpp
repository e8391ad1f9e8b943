#include "skin/form/VeneerFormCommands.h"

#include <algorithm>
#include <string>

using enum TvnBorderIcon;  // portable files see no other border icons

std::optional<TvnBorderIcon> GoverningIcon(TvnSkinCommand command) {
  switch (command) {
    case cmSysMenu: return biSystemMenu;
    case cmMinimize: return biMinimize;
    case cmMaximize: return biMaximize;
    case cmRollUp: return biRollUp;
    case cmMinimizeToTray: return biMinimizeToTray;
    case cmClose:
    case cmDefault: break;
  }
  return std::nullopt;
}

int MinTrackWidth(const TvnSizeLimits& limits, bool minimized) {
  if (limits.SkinSupport) {
    if (limits.MinWidth > limits.PictureWidth && !minimized) return limits.MinWidth;
    return limits.PictureWidth;
  }
  return limits.MinWidth > 0 ? limits.MinWidth : 120;
}

int MinTrackHeight(const TvnSizeLimits& limits, bool rolledUp, bool minimized) {
  const int frame = limits.SkinSupport ? limits.PictureHeight - limits.ClientRectHeight
                                       : limits.DefaultCaptionHeight + 6;
  if (frame >= limits.MinHeight || rolledUp || minimized) return frame;
  return limits.MinHeight;
}

namespace {

const TRect& MaximizeArea(const TvnSizeLimits& limits, const TvnMonitorAreas& areas) {
  return limits.MaximizeOnFullScreen ? areas.Monitor : areas.WorkArea;
}

}  // namespace

int MaxTrackWidth(const TvnSizeLimits& limits, const TvnMonitorAreas& areas) {
  const int w = MaximizeArea(limits, areas).Width();
  return limits.MaxWidth != 0 && limits.MaxWidth < w ? limits.MaxWidth : w;
}

int MaxTrackHeight(const TvnSizeLimits& limits, const TvnMonitorAreas& areas) {
  const int h = MaximizeArea(limits, areas).Height();
  return limits.MaxHeight != 0 && limits.MaxHeight < h ? limits.MaxHeight : h;
}

TPoint MinimizedPosition(const TRect& area, int w, int h,
                         const std::function<bool(TPoint)>& slotTaken) {
  TPoint p{area.Left, area.Bottom - h};
  // A frame without width or height would never leave its slot: park it at the first one.
  if (w <= 0 || h <= 0) return p;
  while (slotTaken(p)) {
    p.X += w;
    if (p.X + w > area.Right) {
      p.X = area.Left;
      p.Y -= h;
      if (p.Y < area.Top) {
        p.Y = area.Bottom - h;
        break;
      }
    }
  }
  return p;
}

TPoint SnapToEdges(TPoint p, int width, int height, const TRect& area, int m) {
  if (area.Left - m < p.X && p.X < area.Left + m) p.X = area.Left;
  if (area.Top - m < p.Y && p.Y < area.Top + m) p.Y = area.Top;
  if (area.Right - m < p.X + width && p.X + width < area.Right + m) p.X = area.Right - width;
  if (area.Bottom - m < p.Y + height && p.Y + height < area.Bottom + m) p.Y = area.Bottom - height;
  return p;
}

std::optional<int> TvnFrameState::SetRollUp(bool on, TvnBorderIcons icons, int currentHeight,
                                            int frameHeight) {
  if (!icons.Contains(biRollUp) || WindowState == wsMinimized) return std::nullopt;
  if (RolledUp && WindowState == wsMaximized && !MaximizedRolledUp) return std::nullopt;
  if (on == RolledUp) return std::nullopt;
  if (WindowState == wsMaximized) MaximizedRolledUp = on;
  RolledUp = on;
  if (on) {
    SavedHeight = currentHeight;
    return frameHeight;
  }
  return SavedHeight;
}

TvnCaptionAction CaptionDoubleClickAction(const TvnFrameState& s, bool sizeable,
                                          TvnBorderIcons icons) {
  if (sizeable && s.WindowState == wsMinimized) return TvnCaptionAction::Restore;
  if (sizeable && s.WindowState != wsMaximized && !s.RolledUp && icons.Contains(biMaximize))
    return TvnCaptionAction::Maximize;
  if (sizeable && s.WindowState == wsMaximized && !s.MaximizedRolledUp)
    return TvnCaptionAction::Restore;
  return TvnCaptionAction::ToggleRollUp;
}

const TvnSystemMenuText& SystemMenuText(TvnSystemMenuItem item) {
  static const TvnSystemMenuText texts[] = {
      {"VNR_MINITEM", "MI_MINCAPTION", "最小化(&n)"},
      {"VNR_MAXITEM", "MI_MAXCAPTION", "最大化(&x)"},
      {"VNR_RESTORE", "MI_RESTORECAPTION", "还原(&R)"},
      {"VNR_ROLLUP", "MI_ROLLUPCAPTION", "向上卷拢(&l)"},
      {"VNR_MINTOTRAY", "MI_MINTOTRAYCAPTION", "最小化到图标(&T)"},
      {"", "", "-"},
      {"VNR_CLOSE", "MI_CLOSECAPTION", "关闭(&C)"},
      {"TRAY_VNR_RESTORE", "MI_RESTORECAPTION", "还原(&R)"},
      {"TRAY_VNR_CLOSE", "MI_CLOSECAPTION", "关闭(&C)"},
  };
  return texts[item];
}

std::string_view CloseShortCut(bool mdiChild) { return mdiChild ? "Ctrl+F4" : "Alt+F4"; }

TvnSystemMenuConditions SystemMenuConditions(const TvnFrameState& s, TvnBorderIcons icons,
                                             bool mdiChild) {
  TvnSystemMenuConditions c;
  c.Minimize = s.WindowState != wsMinimized && icons.Contains(biMinimize);
  c.Maximize = s.WindowState != wsMaximized && icons.Contains(biMaximize);
  c.Restore = s.WindowState != wsNormal || s.RolledUp;
  c.RollUp = !(mdiChild && s.WindowState == wsMaximized) && !s.RolledUp &&
             s.WindowState != wsMinimized && icons.Contains(biRollUp);
  c.ToTray = icons.Contains(biMinimizeToTray);
  return c;
}

std::vector<TvnSystemMenuItem> DefaultSystemMenuItems(const TvnSystemMenuConditions& c) {
  std::vector<TvnSystemMenuItem> items;
  if (c.Minimize) items.push_back(smMinimize);
  if (c.Maximize) items.push_back(smMaximize);
  if (c.Restore) items.push_back(smRestore);
  if (c.RollUp) items.push_back(smRollUp);
  if (c.ToTray) items.push_back(smMinimizeToTray);
  if (!items.empty()) items.push_back(smSeparator);
  items.push_back(smClose);
  return items;
}

std::optional<TvnButtonHint> DefaultButtonHint(TvnSkinCommand command) {
  switch (command) {
    case cmClose: return TvnButtonHint{"CLOSEBUTTON_HINT", "关闭"};
    case cmMaximize: return TvnButtonHint{"MAXBUTTON_HINT", "最大化"};
    case cmMinimize: return TvnButtonHint{"MINBUTTON_HINT", "最小化"};
    case cmSysMenu: return TvnButtonHint{"MENUBUTTON_HINT", "系统菜单"};
    case cmRollUp: return TvnButtonHint{"ROLLUPBUTTON_HINT", "向上卷拢"};
    case cmMinimizeToTray: return TvnButtonHint{"TRAYBUTTON_HINT", "最小化到图标"};
    case cmDefault: break;
  }
  return std::nullopt;
}
