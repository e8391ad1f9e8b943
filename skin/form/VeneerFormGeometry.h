#pragma once
// Geometry of a skinned window frame, apart from any painting: where the corners, client area,
// caption and caption buttons of the skin fall for a window of a given size, where a piece of
// the frame picture moves to, the client area a window gets inside its frame, and which part of
// the frame a point hits. The painter and WM_NCHITTEST both call these functions, so what is
// drawn and what answers the mouse cannot disagree. Nothing here needs a window.
#include "framework/Geometry.h"
#include "framework/PixelBitmap.h"

#include <span>

// Skin numbers are 32-bit and a damaged or hostile skin may hold any of them. The frame keeps
// every skin coordinate within this range (far beyond any picture), so no sum of a coordinate
// and a window size can overflow.
constexpr int kSkinCoordinateLimit = 1'000'000;
constexpr int ClampSkinCoordinate(int v) {
  return v < -kSkinCoordinateLimit ? -kSkinCoordinateLimit
                                   : v > kSkinCoordinateLimit ? kSkinCoordinateLimit : v;
}
constexpr TPoint ClampSkinPoint(TPoint p) { return {ClampSkinCoordinate(p.X), ClampSkinCoordinate(p.Y)}; }
constexpr TRect ClampSkinRect(const TRect& r) {
  return {ClampSkinCoordinate(r.Left), ClampSkinCoordinate(r.Top), ClampSkinCoordinate(r.Right),
          ClampSkinCoordinate(r.Bottom)};
}

// What the frame reads of a loaded skin: the [FORMINFO] geometry (after the reader's
// corrections) and the size of the main picture. Filled from the skin data by the form.
struct TvnFrameSkin {
  int PictureWidth = 0;
  int PictureHeight = 0;
  TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
  TRect ClientRect;
  TRect CaptionRect;
  TRect ButtonsRect;
  int ButtonsOffset = 0;
  bool ButtonsInLeft = false;
  TRect MaskRectArea;
  TPoint HitTestLeftTopPoint, HitTestRightTopPoint, HitTestLeftBottomPoint, HitTestRightBottomPoint;
  int BorderWidth = 0;
};

// The skin's geometry moved onto a window of Width x Height, all in window coordinates.
struct TvnFrameGeometry {
  int Width = 0;
  int Height = 0;
  TPoint LeftTop, RightTop, LeftBottom, RightBottom;
  TRect Client;
  TRect Caption;
  TRect Buttons;
  int ButtonsOffset = 0;
  bool ButtonsInLeft = false;
  TPoint HitLeftTop, HitRightTop, HitLeftBottom, HitRightBottom;
  TRect MaskArea;
};

// The answers of the non-client hit test. The values are the platform's hit codes, so the
// window side passes them on unchanged (it checks that they agree).
enum TvnHitCode : int {
  hcNowhere = 0,
  hcClient = 1,
  hcCaption = 2,
  hcLeft = 10,
  hcRight = 11,
  hcTop = 12,
  hcTopLeft = 13,
  hcTopRight = 14,
  hcBottom = 15,
  hcBottomLeft = 16,
  hcBottomRight = 17,
  hcObject = 19,  // a frame object (button, animation) that the form handles itself
};

// The mask of the window cut into the four strips around the mask area for the current size
// (black pixels belong to the window). The form keeps them to answer the opaque test.
struct TvnMaskStrips {
  TPixelBitmap Top, Left, Right, Bottom;
};

// Frame geometry of the skin for a window of width x height.
TvnFrameGeometry CalcFrameGeometry(const TvnFrameSkin& skin, int width, int height);

// Where a rectangle of the main picture (an object's normal look) lies on the window: pieces
// of the fixed corners move with their corner, pieces that span a stretching side grow.
TRect MapSkinRect(const TvnFrameSkin& skin, const TvnFrameGeometry& geometry, const TRect& rect);

// The client rectangle inside a proposed window rectangle (WM_NCCALCSIZE). Without a skin the
// plain default frame: 3 pixels on three sides and the caption plus 3 at the top. Right and
// bottom never cross left and top.
TRect SkinClientRect(const TvnFrameSkin& skin, const TRect& proposed);
TRect DefaultClientRect(int defaultCaptionHeight, const TRect& proposed);

// True when the mask makes the window point q part of the window. Points outside the strips
// are not part of it.
bool IsMaskOpaque(const TvnMaskStrips& strips, const TRect& maskArea, TPoint q);

// What the hit test needs to know of the window besides its geometry.
struct TvnHitTestState {
  bool RolledUp = false;
  bool Minimized = false;
  bool Maximized = false;
  bool Sizeable = false;
  bool SizeMoveLoop = false;      // the platform's modal move or size loop runs
  bool HasActiveObject = false;   // an object is under the mouse (hover tracking)
  std::span<const TRect> CaptionRects;  // object rectangles of the caption objects
  const TvnMaskStrips* Mask = nullptr;  // none: the skin has no mask
};

// Hit test of the skinned frame; p is in window coordinates.
TvnHitCode SkinHitTest(const TvnFrameSkin& skin, const TvnFrameGeometry& geometry,
                       const TvnHitTestState& state, TPoint p);

// Hit test of the default look for a width x height window whose caption is captionHeight
// pixels high; defaultCaption is the caption rectangle left between the default buttons.
TvnHitCode DefaultHitTest(int width, int height, int captionHeight, const TRect& defaultCaption,
                          const TvnHitTestState& state, TPoint p);
