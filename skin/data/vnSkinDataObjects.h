#pragma once
// Descriptions of the skin objects listed in "SKINOBJECTS" (caption, frame buttons,
// animations, menu items and menu-bar pieces) and the two fixed window descriptions of
// "POPUPWINDOW" and "HINTWINDOW".
//
// Each class lists its keys once, in reading order, in EnumKeys (base keys first); that table
// drives LoadFromIni, SaveToIni and the JSON. Fields are named after their keys.
//
//   kind word            class
//   "menuitem"           TvnDataSkinMenuItem
//   "mainmenubaritem"    TvnDataSkinMainMenuBarItem   (keys of TvnDataSkinMainMenuItem)
//   "stdbutton"          TvnDataSkinStdButton
//   "mainmenubarbutton"  TvnDataSkinMainMenuBarButton (keys of "stdbutton")
//   "button"             TvnDataSkinButton
//   "caption"            TvnDataSkinCaption
//   "animate"            TvnDataSkinAnimate
//   "userobject"         TvnDataUserObject            (only "skinrect")
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Geometry.h"
#include "skin/data/vnSkinKeys.h"

// The font keys "fontname", "fontheight", "fontstyle", "fontcolor" that many descriptions share.
struct TvnSkinFontFields {
  std::string FontName = "Arial";
  int FontHeight = 14;
  TFontStyles FontStyle = 0;
  TColor FontColor = 0;

  void EnumFontKeys(const TvnKeyVisitor& key);
};

// The four corner points that cut a look into corners, edges and middle.
struct TvnSkinCornerPoints {
  TPoint LeftTopPoint;
  TPoint RightTopPoint;
  TPoint LeftBottomPoint;
  TPoint RightBottomPoint;

  void EnumCornerKeys(const TvnKeyVisitor& key);
};

// The stretch flags of the four edges.
struct TvnSkinStretchFlags {
  bool LeftStretch = false;
  bool RightStretch = false;
  bool TopStretch = false;
  bool BottomStretch = false;

  void EnumStretchKeys(const TvnKeyVisitor& key);
};

// A description that reads the section named after it.
class TvnDataSkinDescription : public TvnKeyedSection {
 public:
  explicit TvnDataSkinDescription(std::string sectionName) : SectionName(std::move(sectionName)) {}

  // Reads the own section: every key of the table, then the class's adjustments.
  virtual void LoadFromIni(const TvnIniFile& ini);
  // Erases the own section, then writes every key of the table in reading order.
  virtual void SaveToIni(TvnIniFile& ini) const;
  // The kind word the class is listed under; empty for classes without one.
  virtual std::string_view Kind() const { return {}; }

  // {"name": ..., "kind": ..., "fields": {...}}, as `skintool inspect --json` lists entries.
  void WriteEntryJson(TvnJsonWriter& json) const;

  std::string SectionName;
};

class TvnDataSkinObject : public TvnDataSkinDescription {
 public:
  using TvnDataSkinDescription::TvnDataSkinDescription;
  void EnumKeys(const TvnKeyVisitor& key) override;

  std::string Hint;
  int ActivePictureIndex = -1;
  bool SkinRectInAPicture = false;
  TRect SkinRect;
  TRect ActiveSkinRect;
  TRect InActiveSkinRect;
  bool Morphing = false;
  TvnMorphKind MorphKind = mkDefault;
};

// Reads and writes only "skinrect"; the other base fields keep their creation values.
class TvnDataUserObject : public TvnDataSkinObject {
 public:
  using TvnDataSkinObject::TvnDataSkinObject;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "userobject"; }
};

class TvnDataSkinButton : public TvnDataSkinObject {
 public:
  using TvnDataSkinObject::TvnDataSkinObject;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "button"; }

  TRect DownRect;
  TRect DisableSkinRect;  // key "disableskinrsect", spelled so in every skin
};

class TvnDataSkinStdButton : public TvnDataSkinButton {
 public:
  using TvnDataSkinButton::TvnDataSkinButton;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "stdbutton"; }

  TvnSkinCommand Command = cmDefault;
  TRect RestoreRect;
  TRect RestoreActiveRect;
  TRect RestoreDownRect;
  TRect RestoreInActiveRect;
};

class TvnDataSkinMainMenuBarButton : public TvnDataSkinStdButton {
 public:
  using TvnDataSkinStdButton::TvnDataSkinStdButton;
  std::string_view Kind() const override { return "mainmenubarbutton"; }
};

class TvnDataSkinAnimate : public TvnDataSkinObject {
 public:
  using TvnDataSkinObject::TvnDataSkinObject;
  void EnumKeys(const TvnKeyVisitor& key) override;
  // Animations never morph: Morphing is false after reading, whatever the section says.
  void LoadFromIni(const TvnIniFile& ini) override;
  std::string_view Kind() const override { return "animate"; }

  int CountFrames = 1;
  bool Cycle = false;
  bool ButtonStyle = false;
  int TimerInterval = 50;  // milliseconds between frames
  TvnSkinCommand Command = cmDefault;
};

class TvnDataSkinMenuItem : public TvnDataSkinObject, public TvnSkinFontFields {
 public:
  using TvnDataSkinObject::TvnDataSkinObject;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "menuitem"; }

  int ItemLeftOffset = 0;
  int ItemRightOffset = 0;
  TRect DividerRect;
  int DividerLeftOffset = 0;
  int DividerRightOffset = 0;
  TRect TextRect;
  TColor ActiveFontColor = 0;
  TColor UnEnabledFontColor = 0;
};

class TvnDataSkinMainMenuItem : public TvnDataSkinObject, public TvnSkinFontFields {
 public:
  using TvnDataSkinObject::TvnDataSkinObject;
  void EnumKeys(const TvnKeyVisitor& key) override;

  int ItemLeftOffset = 0;
  int ItemRightOffset = 0;
  TRect DownRect;
  TRect TextRect;
  TColor ActiveFontColor = 0;
  TColor DownFontColor = 0;
  TColor UnEnabledFontColor = 0;
};

class TvnDataSkinMainMenuBarItem : public TvnDataSkinMainMenuItem {
 public:
  using TvnDataSkinMainMenuItem::TvnDataSkinMainMenuItem;
  std::string_view Kind() const override { return "mainmenubaritem"; }
};

class TvnDataSkinCaption : public TvnDataSkinObject, public TvnSkinFontFields {
 public:
  using TvnDataSkinObject::TvnDataSkinObject;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "caption"; }

  TRect TextRect;
  TColor ActiveFontColor = 0;
  TvnAlignment Alignment = taCenter;
  bool Shadow = false;
  TColor ShadowColor = 0;
  TColor ActiveShadowColor = 0;
  TRect FrameRect;
  TRect ActiveFrameRect;
  TRect FrameTextRect;
  int FrameLeftOffset = 0;
  int FrameRightOffset = 0;
};

// The popup-menu window, section "POPUPWINDOW".
class TvnDataSkinPopupWindow : public TvnKeyedSection,
                               public TvnSkinCornerPoints,
                               public TvnSkinStretchFlags {
 public:
  static constexpr std::string_view SectionName = "POPUPWINDOW";
  void EnumKeys(const TvnKeyVisitor& key) override;
  void LoadFromIni(const TvnIniFile& ini) { ReadKeys(ini, SectionName); }
  void SaveToIni(TvnIniFile& ini) const;

  int WindowPictureIndex = -1;
  int MaskPictureIndex = -1;
  TRect ItemsRect;
  TColor ScrollMarkerColor = 0;
  TColor ScrollMarkerActiveColor = 0;
};

// The hint window, section "HINTWINDOW". Its font is Arial of height 12 until the first load.
class TvnDataSkinHintWindow : public TvnKeyedSection,
                              public TvnSkinCornerPoints,
                              public TvnSkinFontFields,
                              public TvnSkinStretchFlags {
 public:
  static constexpr std::string_view SectionName = "HINTWINDOW";
  TvnDataSkinHintWindow() { FontHeight = 12; }
  void EnumKeys(const TvnKeyVisitor& key) override;
  void LoadFromIni(const TvnIniFile& ini) { ReadKeys(ini, SectionName); }
  void SaveToIni(TvnIniFile& ini) const;

  int WindowPictureIndex = -1;
  int MaskPictureIndex = -1;
  TRect ClientRect;
};

// The object description class listed under kind, created with name, or null for a kind that
// is not listed (its entry is skipped).
std::unique_ptr<TvnDataSkinObject> CreateObjectDescription(std::string_view kind,
                                                           std::string name);
// The kind words of "SKINOBJECTS", in the order they are tested.
extern const std::string_view kObjectKinds[8];

// Reads the list "SKINOBJECTS": for each entry in key order whose kind is listed, creates its
// description, appends it to list and lets it read its section. A malformed rectangle or point
// raises EConvertError; the descriptions read before it stay in list.
void LoadObjectDescriptions(const TvnIniFile& ini,
                            std::vector<std::unique_ptr<TvnDataSkinObject>>& list);
