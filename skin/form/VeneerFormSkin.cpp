#include "skin/form/VeneerFormSkin.h"

#include "skin/data/vnSkinData.h"

TvnFrameSkin FrameSkinOf(const TvnSkinData& s) {
  TvnFrameSkin f;
  f.PictureWidth = s.Picture.Width();
  f.PictureHeight = s.Picture.Height();
  f.LeftTopPoint = ClampSkinPoint(s.LeftTopPoint);
  f.RightTopPoint = ClampSkinPoint(s.RightTopPoint);
  f.LeftBottomPoint = ClampSkinPoint(s.LeftBottomPoint);
  f.RightBottomPoint = ClampSkinPoint(s.RightBottomPoint);
  f.ClientRect = ClampSkinRect(s.ClientRect);
  f.CaptionRect = ClampSkinRect(s.CaptionRect);
  f.ButtonsRect = ClampSkinRect(s.ButtonsRect);
  f.ButtonsOffset = ClampSkinCoordinate(s.ButtonsOffset);
  f.ButtonsInLeft = s.ButtonsInLeft;
  f.MaskRectArea = ClampSkinRect(s.MaskRectArea);
  f.HitTestLeftTopPoint = ClampSkinPoint(s.HitTestLeftTopPoint);
  f.HitTestRightTopPoint = ClampSkinPoint(s.HitTestRightTopPoint);
  f.HitTestLeftBottomPoint = ClampSkinPoint(s.HitTestLeftBottomPoint);
  f.HitTestRightBottomPoint = ClampSkinPoint(s.HitTestRightBottomPoint);
  f.BorderWidth = ClampSkinCoordinate(s.BorderWidth);
  return f;
}

TvnObjectPictures ObjectPicturesOf(const TvnSkinData& s) {
  TvnObjectPictures p;
  p.Frame = &s.Picture;
  for (const TBmpPicture& picture : s.ActivePictures) p.Active.push_back(&picture);
  return p;
}
