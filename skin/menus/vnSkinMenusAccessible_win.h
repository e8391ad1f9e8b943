#pragma once
// What screen readers and other assistive tools learn of an open skinned popup menu. Each
// popup window answers for its client area with a menu popup whose children are its items:
//
//   menu popup                  name = the caption of the item whose submenu this is
//     1..n menu items           name = the caption without its access-key "&"; separators
//                               keyboard shortcut = the item's shortcut ("Ctrl+N"), else its
//                               access key; checked, unavailable, focused (the hot item), has
//                               popup (a submenu), invisible (scrolled out of view)
//
// An item's default action chooses it, as a click would: it runs the item's command, or opens
// its submenu. The window tells of the menu's opening and closing and of the hot item moving
// with the platform's win events (vnSkinMenus_win.cpp).
#include "framework/Accessible_win.h"
#include "framework/Controls_win.h"

class TvnSkinPopupWindow;

class TvnPopupAccessibility {
public:
  explicit TvnPopupAccessibility(TvnSkinPopupWindow& window) : FWindow(window) {}
  TvnPopupAccessibility(const TvnPopupAccessibility&) = delete;
  TvnPopupAccessibility& operator=(const TvnPopupAccessibility&) = delete;

  // Answers WM_GETOBJECT for the client area and carries out the default actions the tools
  // asked for; true when m was answered here. On WM_NCDESTROY the object handed out is
  // disconnected (and the message goes on).
  bool Message(TMessage& m);
  // The object handed out answers nothing more.
  void Disconnect() { FObject.Reset(); }

private:
  TvnSkinPopupWindow& FWindow;
  TAccessibleRef FObject;
};
