#include "skin/form/VeneerFormSkin.h"

#include "skin/data/vnSkinData.h"

TvnFrameSkin FrameSkinOf(const TvnSkinData& s) {
  TvnFrameSkin f;
  f.PictureWidth = s.Picture.Width();
  f.PictureHeight = s.Picture.Height();
  f.LeftTopPoint = s.LeftTopPoint;
  f.RightTopPoint = s.RightTopPoint;
  f.LeftBottomPoint = s.LeftBottomPoint;
  f.RightBottomPoint = s.RightBottomPoint;
  f.ClientRect = s.ClientRect;
  f.CaptionRect = s.CaptionRect;
  f.ButtonsRect = s.ButtonsRect;
  f.ButtonsOffset = s.ButtonsOffset;
  f.ButtonsInLeft = s.ButtonsInLeft;
  f.MaskRectArea = s.MaskRectArea;
  f.HitTestLeftTopPoint = s.HitTestLeftTopPoint;
  f.HitTestRightTopPoint = s.HitTestRightTopPoint;
  f.HitTestLeftBottomPoint = s.HitTestLeftBottomPoint;
  f.HitTestRightBottomPoint = s.HitTestRightBottomPoint;
  f.BorderWidth = s.BorderWidth;
  return f;
}

TvnObjectPictures ObjectPicturesOf(const TvnSkinData& s) {
  TvnObjectPictures p;
  p.Frame = &s.Picture;
  for (const TBmpPicture& picture : s.ActivePictures) p.Active.push_back(&picture);
  return p;
}
