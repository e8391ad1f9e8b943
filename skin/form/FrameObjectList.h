#pragma once
// The form's list of frame objects and everything the form does with it that needs no
// window: hover tracking, routing presses and releases with the mouse capture, the morph and
// animation ticks, resetting states, caption activity, laying the objects out on the frame
// (skinned and default look) and enabling the caption buttons the border icons allow.
//
// Mouse routing, one object at a time (indices are positions in the list, -1 for none):
//
//   event               | condition                        | effect
//   --------------------+----------------------------------+----------------------------------
//   hover at p          | form active                      | active := first enabled, visible
//                       |                                  | object containing p; -1 when another
//                       |                                  | object holds the capture; leave to
//                       |                                  | the old one, enter to the new one
//   press               | an object is active              | capture (not for a caption);
//                       |                                  | captured := active; MouseDown
//   release at q        | an object is captured            | hover at q first (the object
//                       |                                  | leaves when q is off it); release
//                       |                                  | capture (not for a caption);
//                       |                                  | captured := -1; MouseUp
//   move                |                                  | MouseMove to captured, else active
//   double click        |                                  | DblClick to the active object
//
// A press on a button and a release elsewhere: the hover at the release point makes the button
// lose its active look before its MouseUp, so it runs no command. The 50 ms hover timer alone
// is not enough: a quick slide off the button and release comes before its next tick.
#include "skin/form/SkinCaptionObject.h"
#include "skin/data/vnSkinDataObjects.h"
#include "skin/form/VeneerFormGeometry.h"

#include <functional>
#include <memory>
#include <vector>

// What the list asks of the window while routing the mouse.
struct TvnMouseCapture {
  std::function<void()> SetCapture;
  std::function<void()> ReleaseCapture;
};

class TvnFrameObjectList {
public:
  using TObjects = std::vector<std::unique_ptr<TvnActiveSkinObject>>;

  TObjects& Objects() { return FObjects; }
  const TObjects& Objects() const { return FObjects; }
  int Count() const { return static_cast<int>(FObjects.size()); }
  TvnActiveSkinObject* At(int index) const;
  void Add(std::unique_ptr<TvnActiveSkinObject> object) { FObjects.push_back(std::move(object)); }
  // Frees every object and forgets the indices.
  void Clear();

  int ActiveIndex() const { return FActive; }
  int PreviousActiveIndex() const { return FPreviousActive; }
  int CapturedIndex() const { return FCaptured; }
  void ResetIndices() { FActive = FPreviousActive = FCaptured = -1; }
  void ClearCaptured() { FCaptured = -1; }

  // The object the mouse is over at p: the first enabled, visible one containing it, or -1.
  int ObjectAt(TPoint p) const;
  // Hover tracking. Does nothing while the form is inactive or the list is empty.
  void TrackActiveObject(TPoint p, bool hover, bool formActive);
  void MouseDown(TPoint p, TvnMouseButton button, const TvnMouseCapture& capture);
  void MouseUp(TPoint p, TvnMouseButton button, const TvnMouseCapture& capture);
  // A release where the mouse really is (window coordinates): the captured object is told
  // first whether the mouse is still on it, then gets MouseUp at p. This holds whether the form
  // is active or not, since the window holding the capture follows the mouse either way.
  void Release(TPoint where, TPoint p, TvnMouseButton button, const TvnMouseCapture& capture);
  // Brings up the first button that is down because its menu was open (the menu has closed).
  // Returns it, or none.
  TvnSkinButtonObject* ReleaseMenuButton();
  void MouseMove(TPoint p);
  void DblClick();

  // One tick of the form's 20 ms morph timer; false when no object needed a step (the timer
  // then stops).
  bool MorphTick();
  // One tick of the 25 ms animation timer; false when no animation ran.
  bool AnimationTick();

  // Everything but the captions back to the normal look; animations to frame 1.
  void ResetObjectStates();
  // The first caption whose look differs from the activation takes it. Returns that caption,
  // or none. With repaint off a morphing caption jumps to its end look.
  TvnSkinCaptionObject* UpdateCaptionActivity(bool active, bool repaint);

  // Object rectangles of the caption objects (for the hit test).
  std::vector<TRect> CaptionRects() const;
  TvnSkinCaptionObject* FirstCaption() const;

  // Places the objects on a skinned frame of the current geometry.
  void LayoutObjects(const TvnFrameSkin& skin, const TvnFrameGeometry& geometry, bool showIcon,
                     TPoint smallIconSize);
  // Places the default buttons for a window of the given width; returns the caption rectangle
  // left between them.
  TRect LayoutDefaultButtons(int width, int captionHeight, int buttonSize, bool showIcon,
                             TPoint smallIconSize);

  // Enables and shows the caption buttons the border icons allow. activateCustom decides the
  // visibility of custom (cmDefault) buttons, which are hidden unless it says otherwise.
  void UpdateButtonsVisibility(TvnBorderIcons icons, bool hideCaptionButtons,
                               const std::function<void(const std::string&, bool&)>& activateCustom);

private:
  TObjects FObjects;
  int FActive = -1;
  int FPreviousActive = -1;
  int FCaptured = -1;
};

// The pictures frame objects take their looks from: the skin's main picture and its active
// pictures by index (the skin data owns them all).
struct TvnObjectPictures {
  const TPixelBitmap* Frame = nullptr;
  std::vector<const TPixelBitmap*> Active;
};

// The frame object for an object description, or none for descriptions that belong to menus
// and the menu bar. An active picture index that names no picture leaves the object without
// active look (its active rectangle is emptied, in the description too).
std::unique_ptr<TvnActiveSkinObject> CreateFrameObject(TvnFrameObjectHost& host,
                                                       TvnDataSkinObject& description,
                                                       const TvnObjectPictures& pictures);
// Replaces the list by one object per frame description, in the skin's order.
void BuildSkinObjects(TvnFrameObjectList& list, TvnFrameObjectHost& host,
                      const std::vector<std::unique_ptr<TvnDataSkinObject>>& descriptions,
                      const TvnObjectPictures& pictures);
// Replaces the list by the six buttons of the default look: close, maximize, minimize,
// roll-up, system menu, tray.
void BuildDefaultButtons(TvnFrameObjectList& list, TvnFrameObjectHost& host);

// The command of a std button or an animation, or nothing for other objects.
std::optional<TvnSkinCommand> ObjectCommand(const TvnActiveSkinObject& object);
