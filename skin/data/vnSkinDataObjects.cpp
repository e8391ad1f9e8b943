#include "skin/data/vnSkinDataObjects.h"

#include "framework/CodePage.h"
#include "skin/data/vnSkinIni.h"

void TvnSkinFontFields::EnumFontKeys(const TvnKeyVisitor& key) {
  key(TextKey("fontname", FontName, "Arial"));
  key(LengthKey("fontheight", FontHeight, 14));
  key(FontStyleKey("fontstyle", FontStyle));
  key(ColorKey("fontcolor", FontColor));
}

void TvnSkinCornerPoints::EnumCornerKeys(const TvnKeyVisitor& key) {
  key(PointKey("lefttoppoint", LeftTopPoint));
  key(PointKey("righttoppoint", RightTopPoint));
  key(PointKey("leftbottompoint", LeftBottomPoint));
  key(PointKey("rightbottompoint", RightBottomPoint));
}

void TvnSkinStretchFlags::EnumStretchKeys(const TvnKeyVisitor& key) {
  key(BoolKey("leftstretch", LeftStretch));
  key(BoolKey("rightstretch", RightStretch));
  key(BoolKey("topstretch", TopStretch));
  key(BoolKey("bottomstretch", BottomStretch));
}

void TvnDataSkinDescription::LoadFromIni(const TvnIniFile& ini) { ReadKeys(ini, SectionName); }

void TvnDataSkinDescription::SaveToIni(TvnIniFile& ini) const {
  ini.EraseSection(SectionName);
  WriteKeys(ini, SectionName);
}

void TvnDataSkinDescription::WriteEntryJson(TvnJsonWriter& json) const {
  json.BeginObject();
  json.Key("name");
  json.String(CodePageToUtf8(SectionName));
  json.Key("kind");
  json.String(Kind());
  json.Key("fields");
  WriteJson(json);
  json.EndObject();
}

void TvnDataSkinObject::EnumKeys(const TvnKeyVisitor& key) {
  key(TextKey("hint", Hint));
  key(IntKey("activepictureindex", ActivePictureIndex, -1));
  key(BoolKey("skinrectinapicture", SkinRectInAPicture));
  key(RectKey("skinrect", SkinRect));
  key(RectKey("activeskinrect", ActiveSkinRect));
  key(RectKey("inactiveskinrect", InActiveSkinRect));
  key(BoolKey("morphing", Morphing));
  key(MorphKindKey("morphkind", MorphKind));
}

void TvnDataUserObject::EnumKeys(const TvnKeyVisitor& key) {
  // Not the base keys: a user object is only a place on the frame.
  key(RectKey("skinrect", SkinRect));
}

void TvnDataSkinButton::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinObject::EnumKeys(key);
  key(RectKey("downrect", DownRect));
  key(RectKey("disableskinrsect", DisableSkinRect));
}

void TvnDataSkinStdButton::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinButton::EnumKeys(key);
  key(CommandKey("command", Command));
  key(RectKey("restorerect", RestoreRect));
  key(RectKey("restoreactiverect", RestoreActiveRect));
  key(RectKey("restoredownrect", RestoreDownRect));
  key(RectKey("restoreinactiverect", RestoreInActiveRect));
}

void TvnDataSkinAnimate::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinObject::EnumKeys(key);
  key(IntKey("countframes", CountFrames, 1));
  key(BoolKey("cycle", Cycle));
  key(BoolKey("buttonstyle", ButtonStyle));
  key(IntKey("timerinterval", TimerInterval, 50));
  key(CommandKey("command", Command));
}

void TvnDataSkinAnimate::LoadFromIni(const TvnIniFile& ini) {
  TvnDataSkinObject::LoadFromIni(ini);
  Morphing = false;
}

void TvnDataSkinMenuItem::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinObject::EnumKeys(key);
  key(LengthKey("itemleftoffset", ItemLeftOffset));
  key(LengthKey("itemrightoffset", ItemRightOffset));
  key(RectKey("dividerrect", DividerRect));
  key(LengthKey("dividerleftoffset", DividerLeftOffset));
  key(LengthKey("dividerrightoffset", DividerRightOffset));
  key(RectKey("textrect", TextRect));
  EnumFontKeys(key);
  key(ColorKey("activefontcolor", ActiveFontColor));
  key(ColorKey("unenabledfontcolor", UnEnabledFontColor));
}

void TvnDataSkinMainMenuItem::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinObject::EnumKeys(key);
  key(LengthKey("itemleftoffset", ItemLeftOffset));
  key(LengthKey("itemrightoffset", ItemRightOffset));
  key(RectKey("downrect", DownRect));
  key(RectKey("textrect", TextRect));
  EnumFontKeys(key);
  key(ColorKey("activefontcolor", ActiveFontColor));
  key(ColorKey("downfontcolor", DownFontColor));
  key(ColorKey("unenabledfontColor", UnEnabledFontColor));  // written with a capital C
}

void TvnDataSkinCaption::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinObject::EnumKeys(key);
  key(RectKey("textrect", TextRect));
  EnumFontKeys(key);
  key(ColorKey("activefontcolor", ActiveFontColor));
  key(AlignmentKey("alignment", Alignment, taCenter));
  key(BoolKey("shadow", Shadow));
  key(ColorKey("shadowcolor", ShadowColor));
  key(ColorKey("activeshadowcolor", ActiveShadowColor));
  key(RectKey("framerect", FrameRect));
  key(RectKey("activeframerect", ActiveFrameRect));
  key(RectKey("frametextrect", FrameTextRect));
  key(LengthKey("frameleftoffset", FrameLeftOffset));
  key(LengthKey("framerightoffset", FrameRightOffset));
}

void TvnDataSkinPopupWindow::EnumKeys(const TvnKeyVisitor& key) {
  key(IntKey("windowpictureindex", WindowPictureIndex, -1));
  key(IntKey("maskpictureindex", MaskPictureIndex, -1));
  EnumCornerKeys(key);
  key(RectKey("itemsrect", ItemsRect));
  key(ColorKey("scrollmarkercolor", ScrollMarkerColor));
  key(ColorKey("scrollmarkeractivecolor", ScrollMarkerActiveColor));
  EnumStretchKeys(key);
}

void TvnDataSkinPopupWindow::SaveToIni(TvnIniFile& ini) const {
  ini.EraseSection(SectionName);
  WriteKeys(ini, SectionName);
}

void TvnDataSkinHintWindow::EnumKeys(const TvnKeyVisitor& key) {
  key(IntKey("windowpictureindex", WindowPictureIndex, -1));
  key(IntKey("maskpictureindex", MaskPictureIndex, -1));
  EnumCornerKeys(key);
  key(RectKey("clientrect", ClientRect));
  EnumFontKeys(key);
  EnumStretchKeys(key);
}

void TvnDataSkinHintWindow::SaveToIni(TvnIniFile& ini) const {
  ini.EraseSection(SectionName);
  WriteKeys(ini, SectionName);
}

const std::string_view kObjectKinds[8] = {"menuitem", "mainmenubaritem", "stdbutton",
                                          "mainmenubarbutton", "button", "caption",
                                          "animate", "userobject"};

std::unique_ptr<TvnDataSkinObject> CreateObjectDescription(std::string_view kind,
                                                           std::string name) {
  if (kind == "menuitem") return std::make_unique<TvnDataSkinMenuItem>(std::move(name));
  if (kind == "mainmenubaritem") return std::make_unique<TvnDataSkinMainMenuBarItem>(std::move(name));
  if (kind == "stdbutton") return std::make_unique<TvnDataSkinStdButton>(std::move(name));
  if (kind == "mainmenubarbutton") {
    return std::make_unique<TvnDataSkinMainMenuBarButton>(std::move(name));
  }
  if (kind == "button") return std::make_unique<TvnDataSkinButton>(std::move(name));
  if (kind == "caption") return std::make_unique<TvnDataSkinCaption>(std::move(name));
  if (kind == "animate") return std::make_unique<TvnDataSkinAnimate>(std::move(name));
  if (kind == "userobject") return std::make_unique<TvnDataUserObject>(std::move(name));
  return nullptr;
}

void LoadObjectDescriptions(const TvnIniFile& ini,
                            std::vector<std::unique_ptr<TvnDataSkinObject>>& list) {
  for (TvnSkinListEntry& entry : ReadSkinList(ini, "SKINOBJECTS")) {
    std::unique_ptr<TvnDataSkinObject> description =
        CreateObjectDescription(entry.Kind, std::move(entry.Name));
    if (!description) continue;
    list.push_back(std::move(description));
    list.back()->LoadFromIni(ini);
  }
}
