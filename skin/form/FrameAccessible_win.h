#pragma once
// What screen readers and other assistive tools learn of a skinned frame. The frame draws its
// caption and caption buttons itself on a window without the platform's caption, so the
// platform's accessibility tree knows nothing of them; the frame answers for them instead:
//
//   window (the frame's window)          role window, name = the window's text
//     1 title bar                        role title bar, name = the caption, the band above the client
//         1..n caption buttons           role push button, name = the button's hint text
//     2 client area                      the platform's own object
//
// A button is pressed while the mouse holds it down on it, unavailable when the border icons
// leave it out, invisible when hidden; its default action clicks it (runs its command).
#include "framework/Accessible_win.h"
#include "framework/Controls_win.h"

class TvnVeneerForm;

class TvnFrameAccessibility {
public:
  explicit TvnFrameAccessibility(TvnVeneerForm& frame) : FFrame(frame) {}
  ~TvnFrameAccessibility() { Disconnect(); }
  TvnFrameAccessibility(const TvnFrameAccessibility&) = delete;
  TvnFrameAccessibility& operator=(const TvnFrameAccessibility&) = delete;

  // Answers WM_GETOBJECT for the window and its title bar and carries out the default actions
  // the tools asked for; true when m was answered here. On WM_NCDESTROY the objects handed out
  // are disconnected (and the message goes on).
  bool Message(TMessage& m);
  // The objects handed out answer nothing more; later questions get new ones.
  void Disconnect();

  // For the objects (while connected): the frame and its two objects, with a reference.
  TvnVeneerForm& Frame() const { return FFrame; }
  IDispatch* WindowObject();
  IDispatch* TitleBar();

private:
  // Clicks the frame object at this index, if it is still a caption button that can be clicked.
  void Click(int index);

  TvnVeneerForm& FFrame;
  TAccessibleRef FWindow;
  TAccessibleRef FTitleBar;
};
