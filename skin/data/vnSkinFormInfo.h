#pragma once
// The sections that describe a skin as a whole: "VERSION", "PICTURES" and "FORMINFO" (with the
// two corrections made after reading it). The skin data reads these in this order, then the
// popup and hint window descriptions and the two lists.
#include <string>
#include <vector>

#include "framework/Geometry.h"
#include "skin/data/vnSkinKeys.h"

struct TvnSkinVersionInfo : TvnKeyedSection {
  std::string SkinName;
  std::string SkinAuthor;
  std::string AuthorEmail;
  std::string AuthorURL;
  std::string SkinComments;

  void EnumKeys(const TvnKeyVisitor& key) override;
  void LoadFromIni(const TvnIniFile& ini) { ReadKeys(ini, "VERSION"); }
};

struct TvnSkinPicturesInfo : TvnKeyedSection {
  std::string PictureName;
  std::string InActivePictureName;
  std::string MaskName;
  std::vector<std::string> ActivePictureNames;

  void EnumKeys(const TvnKeyVisitor& key) override;
  void LoadFromIni(const TvnIniFile& ini) { ReadKeys(ini, "PICTURES"); }
};

struct TvnSkinFormInfo : TvnKeyedSection {
  TPoint LeftTopPoint;
  TPoint RightTopPoint;
  TPoint LeftBottomPoint;
  TPoint RightBottomPoint;
  TRect ClientRect;
  int BGPictureIndex = -1;
  int MDIBGPictureIndex = -1;
  bool LeftStretch = false;
  bool RightStretch = false;
  bool TopStretch = false;
  bool BottomStretch = false;
  TRect MaskRectArea;
  TPoint HitTestLeftTopPoint;
  TPoint HitTestRightTopPoint;
  TPoint HitTestLeftBottomPoint;
  TPoint HitTestRightBottomPoint;
  TRect ButtonsRect;
  TRect CaptionRect;
  int ButtonsOffset = 0;
  bool ButtonsInLeft = false;
  bool MainMenuPopupUp = false;
  int BorderWidth = 0;
  bool AutoRenderingInActiveImage = false;
  TvnInActiveEffect InActiveEffect = ieBrightness;

  void EnumKeys(const TvnKeyVisitor& key) override;
  // Reads "FORMINFO" and makes the two corrections; maskName is the "mask" of "PICTURES".
  void LoadFromIni(const TvnIniFile& ini, const std::string& maskName);
  // The corrections alone: with a mask, the mask area takes in the client rectangle and unset
  // hit-test points take the corner points; then the corner points are moved into the client
  // rectangle unless the right-bottom point shares an x or a y with the left-top point.
  void Correct(bool hasMask);
};
