#pragma once
// TvnSkinMDITabsBar: a skinned bar on a multi-document parent with one tab per shown child. It
// marks the active child, activates a child on a click, shows a child's system menu on a right
// click and lets the user drag tabs into another order. The parent's frame component keeps it
// informed (TvnVeneerForm::SetMDITabsBar): a tab comes and goes with its child's window.
#include "skin/controls/vnSkinCtrls_win.h"
#include "skin/form/FrameObjectHost.h"

#include <functional>
#include <memory>
#include <vector>

class TForm;
class TvnSkinMDITabsBar;
class TvnVeneerForm;
class TvnDataSkinTabControl;
class TvnDibPainter;

// One child's tab.
struct TvnMDITab {
  TvnSkinMDITabsBar* Bar = nullptr;  // not owned
  TForm* Child = nullptr;            // not owned
  TRect TabRect;                     // bar client coordinates; empty until laid out
  bool Active = false;               // its child is the active child
  bool MouseIn = false;
};

// How tabs look: from the skin's "tab" description, or as the skin's resizable button.
enum class TvnSkinMDITabKind { vntkTab, vntkButton };

class TvnSkinMDITabsBar : public TvnSkinControl {
public:
  explicit TvnSkinMDITabsBar(TComponent* owner);
  ~TvnSkinMDITabsBar() override;

  // ---- published ----
  TvnSkinMDITabKind TabKind() const { return FTabKind; }
  void SetTabKind(TvnSkinMDITabKind value);
  // The frame component whose menus and skin show a child's system menu (not owned; cleared
  // when it is freed).
  TvnVeneerForm* VeneerForm() const { return FVeneerForm; }
  void SetVeneerForm(TvnVeneerForm* value);
  bool SupportChildMenus = true;
  // Bar height from the skin's tab height, tabs drawn at the skin's size.
  bool UseSkinSize = true;
  bool UseSkinFont = true;
  bool MoveTabs = true;
  int DefaultHeight() const { return FDefaultHeight; }
  void SetDefaultHeight(int value);
  const TFontDesc& DefaultFont() const { return FDefaultFont; }
  void SetDefaultFont(const TFontDesc& value);
  int DefaultTabWidth = 100;
  std::function<void(TvnMDITab&)> OnTabMouseEnter, OnTabMouseLeave;
  std::function<void(TvnMouseButton, unsigned shift, TvnMDITab&)> OnTabMouseDown, OnTabMouseUp;

  // ---- what the parent's frame calls ----
  void AddTab(TForm* child);
  void RemoveTab(TForm* child);
  void RedrawTab(TForm* child);
  // Marks the tab of the parent's active child and repaints.
  void Refresh();

  int TabCount() const { return static_cast<int>(FTabs.size()); }
  const TvnMDITab& Tabs(int index) const { return *FTabs.at(static_cast<std::size_t>(index)); }
  // The tab under a point of the bar (laid out for the current size), or -1.
  int TabAt(TPoint p) const;

  void BindSkinDescription() override;
  void ApplySkinChange() override;

protected:
  void PaintDefaultLook(TvnDibSurface& bitmap) override;
  void PaintSkinnedLook(TvnDibSurface& bitmap) override;
  void WndProc(TMessage& message) override;
  void MouseLeave() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  void PaintTabs(TvnDibSurface& bitmap, bool skinned);
  // Tabs drawn as the skin's resizable button rather than from the "tab" description.
  bool ButtonTabs(bool skinned) const;
  void DrawTab(TvnDibPainter& painter, const TvnMDITab& tab, bool skinned);
  void DrawButtonTab(TvnDibPainter& painter, const TvnMDITab& tab);
  void DrawDropMarker(TvnDibSurface& bitmap, const TRect& target);
  void Layout();
  void TrackMouse(TPoint p);
  void MouseDown(TvnMouseButton button, TPoint p);
  void MouseUp(TvnMouseButton button, TPoint p);
  TvnTextFont TabFont(TColor colour) const;
  TvnTextFont ButtonTabFont() const;
  const TvnDataSkinTabControl* TabDescription() const;

  std::vector<std::unique_ptr<TvnMDITab>> FTabs;
  TvnSkinMDITabKind FTabKind = TvnSkinMDITabKind::vntkTab;
  TvnVeneerForm* FVeneerForm = nullptr;  // not owned
  int FDefaultHeight = 21;
  TFontDesc FDefaultFont{"Arial", DEFAULT_CHARSET_VALUE, 14, clWindowText, 0};
  int FHotIndex = -1;
  int FDragIndex = -1;
  bool FPressed = false;
  bool FDragging = false;
  int FPressX = 0;
  int FDragOffset = 0;
};

// Makes TvnSkinMDITabsBar known to window descriptions.
void RegisterMDITabsBarClasses(class TClassRegistry& registry);
