#pragma once
// The live objects of a skinned frame: the base object with its looks and morphing, the
// application-painted user object, the frame animation (usually a caption button), the skin
// button with pressed and disabled looks, and the caption button bound to a window command.
// The caption object is in SkinCaptionObject.h. Objects talk to their form only through
// TvnFrameObjectHost and paint only through TvnFramePainter, so all of their behaviour runs
// without a window.
#include "skin/form/FrameObjectHost.h"

#include <string>

enum class TvnObjectKind { User, Animate, Button, StdButton, Caption };

// True for the skin's "0,0,0,0": the objects treat only an all-zero rectangle as absent.
constexpr bool IsZeroRect(const TRect& r) {
  return r.Left == 0 && r.Top == 0 && r.Right == 0 && r.Bottom == 0;
}

// Copies picture[source] into target[dest], stretched with nearest-pixel centre sampling when
// the sizes differ. Parts of source outside the picture and of dest outside the target are
// left out, so a skin rectangle that runs off its picture cannot read or write out of bounds.
void CopyPictureRect(const TPixelBitmap& picture, const TRect& source, const TPixelView& target,
                     const TRect& dest);
inline void CopyPictureRect(const TPixelBitmap& picture, const TRect& source, TPixelBitmap& target,
                            const TRect& dest) {
  CopyPictureRect(picture, source, target.View(), dest);
}

// One look of an object: a rectangle of a picture copied to the object, or a morph between
// two such looks, or nothing.
struct TvnLook {
  enum TKind { None, Copy, Morph } Kind = None;
  const TPixelBitmap* Picture = nullptr;  // not owned
  TRect Source;
  const TPixelBitmap* ActivePicture = nullptr;  // morph target, not owned
  TRect ActiveSource;
  friend bool operator==(const TvnLook&, const TvnLook&) = default;
};

// Base object. Morphing between the normal and the active look:
//
//   state            | event                     | next
//   -----------------+---------------------------+------------------------------------------
//   normal (0)       | mouse enters, hot look    | ActiveLook on; morph timer (or repaint)
//   rising (0<f<1)   | morph tick (20 ms)        | f += 0.2 (five ticks from 0 to 1)
//   active (1)       | mouse leaves              | ActiveLook off; morph timer (or repaint)
//   falling (0<f<1)  | morph tick                | f -= 0.2; reversing mid-way runs back from f
//
// NeedsMorphStep is true exactly in the rising and falling states; the form's timer stops
// when no object needs a step.
class TvnActiveSkinObject {
public:
  TvnActiveSkinObject(TvnFrameObjectHost& owner, TvnObjectKind kind);
  virtual ~TvnActiveSkinObject() = default;
  TvnActiveSkinObject(const TvnActiveSkinObject&) = delete;
  TvnActiveSkinObject& operator=(const TvnActiveSkinObject&) = delete;

  // The operations the form calls, in their fixed order.
  virtual bool NeedsMorphStep() const;
  virtual void Draw(TvnFramePainter& canvas, bool repaintAlone);
  virtual void DblClick() {}
  virtual void MouseDown(int x, int y, TvnMouseButton button);
  virtual void MouseUp(int x, int y, TvnMouseButton button);
  virtual void MouseMove(int x, int y);
  virtual void MouseEnter();
  virtual void MouseLeave();

  // Starts the morph toward the current look, or repaints at once without morphing.
  void ReDraw();
  // One morph tick: 0.2 toward the current look, then a repaint.
  void MorphStep();
  // Stores value clamped to 0..1 (anything not >= 0, NaN included, becomes 0).
  void SetMorphFactor(double value);
  bool MorphInProgress() const;

  TvnObjectKind Kind() const { return FKind; }
  TvnFrameObjectHost& OwnerForm() const { return FOwner; }

  // The look the base rules choose for the current state (ObjectEnabled, activation, morph,
  // ActiveLook); None when the frame picture under the object already shows it.
  TvnLook ChooseLook(bool repaintAlone) const;

  double MorphFactor = 0;
  bool MouseInside = false;
  const TPixelBitmap* FramePicture = nullptr;  // the skin's main picture, not owned
  const TPixelBitmap* StatePicture = nullptr;  // the object's active picture, not owned
  std::string IDName;
  std::u16string ObjectHintText;
  TRect NormalRect;
  TRect HotRect;
  TRect InactiveRect;
  TRect ObjectRect;  // window coordinates
  bool ActiveLook = false;
  bool MorphEnabled = false;
  TvnMorphKind MorphMode = mkDefault;
  bool ObjectEnabled = true;
  bool ObjectVisible = true;
  bool NormalInStatePicture = false;

protected:
  // Paints a look at ObjectRect.
  void PaintLook(TvnFramePainter& canvas, const TvnLook& look) const;
  // Builds the two looks at the size of ObjectRect, morphs them and paints the result.
  void PaintMorph(TvnFramePainter& canvas, const TPixelBitmap* normalPicture,
                  const TRect& normalRect, const TPixelBitmap* activePicture,
                  const TRect& activeRect) const;
  // Where the normal look lies: the state picture or the frame picture.
  const TPixelBitmap* NormalPicture() const {
    return NormalInStatePicture ? StatePicture : FramePicture;
  }

private:
  TvnFrameObjectHost& FOwner;
  TvnObjectKind FKind;
};

// Painted by the application through the form's paint event.
class TvnUserObject : public TvnActiveSkinObject {
public:
  explicit TvnUserObject(TvnFrameObjectHost& owner)
      : TvnActiveSkinObject(owner, TvnObjectKind::User) {}
  void Draw(TvnFramePainter& canvas, bool repaintAlone) override;
};

// A strip of frames, usually a caption button that plays forward on hover and back on leave.
//
//   state              | event                          | next
//   -------------------+--------------------------------+-------------------------------------
//   idle, frame 1      | mouse enters (button style)    | running forward; animation timer on
//   running forward    | tick, interval elapsed         | frame + 1; at the last frame: holding
//                      |                                | (cyclic: wraps to 1 and keeps going)
//   holding last frame | mouse leaves                   | running back; timer on
//   running forward    | mouse leaves                   | running back from the current frame
//   running back       | tick, interval elapsed         | frame - 1; at frame 1: idle
//   any                | release of the left button     | command, when the mouse is still on it
//
// Ticks come every 25 ms; a frame changes when FrameInterval has elapsed, that is every
// ceil(FrameInterval / 25) ticks.
class TvnSkinAnimateObject : public TvnActiveSkinObject {
public:
  explicit TvnSkinAnimateObject(TvnFrameObjectHost& owner)
      : TvnActiveSkinObject(owner, TvnObjectKind::Animate) {}
  void Draw(TvnFramePainter& canvas, bool repaintAlone) override;
  void DblClick() override;
  void MouseUp(int x, int y, TvnMouseButton button) override;
  void MouseEnter() override;
  void MouseLeave() override;

  // One 25 ms tick of the form's animation timer.
  void StepAnimation();
  void SetFrame(int value);
  void DoCommand();
  // The picture rectangle of frame n of the strip.
  TRect FrameRect(int n) const;

  int CurrentFrame = 1;
  int ElapsedMs = 25;
  int FrameInterval = 50;  // at least 25
  TMenuItem* PopupItem = nullptr;  // not owned
  bool PopupUpward = false;
  int FrameCount = 1;  // at least 1
  bool Cyclic = false;
  bool ActsAsButton = false;
  bool Forward = true;
  TvnSkinCommand Command = cmDefault;
};

// A skin button with pressed and disabled looks and an optional menu.
//
//   state | event                              | next
//   ------+------------------------------------+-----------------------------------------
//   up    | left press (enabled)               | down; its menu opens when it has one
//   down  | left release, no menu              | up (the command, for std buttons, runs
//         |                                    | only when the mouse is still on it)
//   down  | its menu closes                    | up (the form's LeaveMenuMode)
//   any   | disabled                           | no reaction; disabled look
class TvnSkinButtonObject : public TvnActiveSkinObject {
public:
  explicit TvnSkinButtonObject(TvnFrameObjectHost& owner,
                               TvnObjectKind kind = TvnObjectKind::Button)
      : TvnActiveSkinObject(owner, kind) {}
  bool NeedsMorphStep() const override;
  void Draw(TvnFramePainter& canvas, bool repaintAlone) override;
  void MouseDown(int x, int y, TvnMouseButton button) override;
  void MouseUp(int x, int y, TvnMouseButton button) override;
  void MouseEnter() override;
  void MouseLeave() override;

  void SetDown(bool value);
  bool MenuOpen() const { return PopupItem != nullptr && IsDown; }
  // The look chosen by the button rules (disabled, pressed), else the base look.
  TvnLook ChooseButtonLook(bool repaintAlone) const;

  bool IsDown = false;
  bool PopupUpward = false;
  TRect DisabledRect;
  TRect PressedRect;
  TMenuItem* PopupItem = nullptr;  // not owned
};

// A caption button bound to a window command, with restore looks for the state its second
// press undoes (maximize while maximized, minimize while minimized, roll-up while rolled up).
// Without a skin (FromSkin off) it paints the default look with a glyph.
class TvnSkinStdButtonObject : public TvnSkinButtonObject {
public:
  explicit TvnSkinStdButtonObject(TvnFrameObjectHost& owner)
      : TvnSkinButtonObject(owner, TvnObjectKind::StdButton) {}
  bool NeedsMorphStep() const override;
  void Draw(TvnFramePainter& canvas, bool repaintAlone) override;
  void DblClick() override;
  void MouseDown(int x, int y, TvnMouseButton button) override;
  void MouseUp(int x, int y, TvnMouseButton button) override;

  void DoCommand();
  bool InRestoreState() const;
  bool ShowsFormIcon() const;
  void DrawDefaultLook(TvnFramePainter& canvas) const;

  TvnSkinCommand Command = cmDefault;
  TRect RestoreNormalRect;
  TRect RestoreHotRect;
  TRect RestoreInactiveRect;
  TRect RestorePressedRect;
  bool FromSkin = false;
};

// Runs a window command of a caption button (shared by animations and std buttons).
void RunFrameCommand(TvnFrameObjectHost& host, TvnSkinCommand command);
