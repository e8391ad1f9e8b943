#include "skin/data/vnSkinFormInfo.h"

#include <algorithm>

void TvnSkinVersionInfo::EnumKeys(const TvnKeyVisitor& key) {
  key(TextKey("skinname", SkinName));
  key(TextKey("skinauthor", SkinAuthor));
  key(TextKey("authoremail", AuthorEmail));
  key(TextKey("authorurl", AuthorURL));
  key(TextKey("skincomments", SkinComments));
}

void TvnSkinPicturesInfo::EnumKeys(const TvnKeyVisitor& key) {
  key(TextKey("picture", PictureName));
  key(TextKey("inactivepicture", InActivePictureName));
  key(TextKey("mask", MaskName));
  key(NameListKey("activepictures", ActivePictureNames));
}

void TvnSkinFormInfo::EnumKeys(const TvnKeyVisitor& key) {
  key(PointKey("lefttoppoint", LeftTopPoint));
  key(PointKey("righttoppoint", RightTopPoint));
  key(PointKey("leftbottompoint", LeftBottomPoint));
  key(PointKey("rightbottompoint", RightBottomPoint));
  key(RectKey("clientrect", ClientRect));
  key(IntKey("bgpictureindex", BGPictureIndex, -1));
  key(IntKey("mdibgpictureindex", MDIBGPictureIndex, -1));
  key(BoolKey("leftstretch", LeftStretch));
  key(BoolKey("rightstretch", RightStretch));
  key(BoolKey("topstretch", TopStretch));
  key(BoolKey("bottomstretch", BottomStretch));
  key(RectKey("maskrectarea", MaskRectArea));
  key(PointKey("hittestlefttoppoint", HitTestLeftTopPoint));
  key(PointKey("hittestrighttoppoint", HitTestRightTopPoint));
  key(PointKey("hittestleftbottompoint", HitTestLeftBottomPoint));
  key(PointKey("hittestrightbottompoint", HitTestRightBottomPoint));
  key(RectKey("buttonsrect", ButtonsRect));
  key(RectKey("captionrect", CaptionRect));
  key(LengthKey("buttonsoffset", ButtonsOffset, 0));
  key(BoolKey("buttonsinleft", ButtonsInLeft));
  key(BoolKey("mainmenupopupup", MainMenuPopupUp));
  key(LengthKey("borderwidth", BorderWidth, 0));
  key(BoolKey("autorenderinginactiveimage", AutoRenderingInActiveImage));
  key(InActiveEffectKey("inactiveeffect", InActiveEffect, ieBrightness));
}

void TvnSkinFormInfo::LoadFromIni(const TvnIniFile& ini, const std::string& maskName) {
  ReadKeys(ini, "FORMINFO");
  Correct(!maskName.empty());
}

void TvnSkinFormInfo::Correct(bool hasMask) {
  if (hasMask) {
    if (MaskRectArea.IsEmpty()) {
      MaskRectArea = ClientRect;
    } else {
      MaskRectArea.Left = std::min(MaskRectArea.Left, ClientRect.Left);
      MaskRectArea.Top = std::min(MaskRectArea.Top, ClientRect.Top);
      MaskRectArea.Right = std::max(MaskRectArea.Right, ClientRect.Right);
      MaskRectArea.Bottom = std::max(MaskRectArea.Bottom, ClientRect.Bottom);
    }
    auto takeIfUnset = [](TPoint& hitTest, const TPoint& corner) {
      if (hitTest.X == 0 || hitTest.Y == 0) hitTest = corner;
    };
    takeIfUnset(HitTestLeftTopPoint, LeftTopPoint);
    takeIfUnset(HitTestRightTopPoint, RightTopPoint);
    takeIfUnset(HitTestLeftBottomPoint, LeftBottomPoint);
    takeIfUnset(HitTestRightBottomPoint, RightBottomPoint);
  }
  if (RightBottomPoint.X != LeftTopPoint.X && RightBottomPoint.Y != LeftTopPoint.Y) {
    const TRect& c = ClientRect;
    LeftTopPoint = {std::max(LeftTopPoint.X, c.Left), std::max(LeftTopPoint.Y, c.Top)};
    RightTopPoint = {std::min(RightTopPoint.X, c.Right), std::max(RightTopPoint.Y, c.Top)};
    LeftBottomPoint = {std::max(LeftBottomPoint.X, c.Left), std::min(LeftBottomPoint.Y, c.Bottom)};
    RightBottomPoint = {std::min(RightBottomPoint.X, c.Right),
                        std::min(RightBottomPoint.Y, c.Bottom)};
  }
}
