// TvnVeneerForm: the skinned maximize button as the platform's own maximize button, so that the
// platform can open its snap flyout over it (with SnapLayouts on).
//
// The hit test answers HTMAXBUTTON over the button, and the platform then reports the mouse on
// it with non-client messages carrying that code. They drive the button exactly as the frame's
// own hover tracking and presses do:
//
//   message                        | effect
//   -------------------------------+-----------------------------------------------------------
//   WM_NCMOUSEMOVE, HTMAXBUTTON    | the button becomes the hot object (hot look, animation)
//   WM_NCMOUSELEAVE                | hover follows the cursor again (the button leaves)
//   WM_NCLBUTTONDOWN / DBLCLK, HTMAXBUTTON | press: the button takes the mouse capture and its
//                                  | pressed look; the release (WM_LBUTTONUP while captured, or
//                                  | WM_NCLBUTTONUP) on it maximizes or restores, elsewhere
//                                  | does nothing
//
// The default window procedure never sees the press or release: it would run its own button
// loop and draw or act on a native button the frame does not have.
#include "skin/form/VeneerForm_win.h"

int TvnVeneerForm::SnapHitTest(TPoint p, int code) const {
  // Sizing edges, the caption and the client area keep their answers.
  if (code != HTOBJECT_CODE) return code;
  const TvnActiveSkinObject* object = FObjects.At(FObjects.ObjectAt(p));
  return object != nullptr && ObjectCommand(*object) == cmMaximize ? HTMAXBUTTON : code;
}

bool TvnVeneerForm::SnapNonClientMouse(TMessage& m) {
  switch (m.Msg) {
    case WM_NCMOUSEMOVE:
      if (m.WParam != HTMAXBUTTON) return false;
      Previous(m);
      TrackActiveObject(ScreenToWindowPoint(m.LParam), true);
      RouteNonClientMouse(m);
      return true;
    case WM_NCMOUSELEAVE:
      Previous(m);
      HoverTick();
      return true;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCLBUTTONUP:
      if (m.WParam != HTMAXBUTTON) return false;
      m.Result = 0;
      RouteNonClientMouse(m);
      return true;
    default: return false;
  }
}
