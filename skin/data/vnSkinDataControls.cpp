#include "skin/data/vnSkinDataControls.h"

#include "skin/data/vnSkinIni.h"

void TvnDataSkinControl::EnumKeys(const TvnKeyVisitor& key) {
  key(IntKey("pictureindex", PictureIndex, -1));
  key(IntKey("maskpictureindex", MaskPictureIndex, -1));
  key(RectKey("skinrect", SkinRect));
}

void TvnDataSkinCustomControl::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinControl::EnumKeys(key);
  EnumCornerKeys(key);
  key(RectKey("clientrect", ClientRect));
}

void TvnDataSkinPanelControl::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinCustomControl::EnumKeys(key);
  key(IntKey("bgpictureindex", BGPictureIndex, -1));
  key(RectKey("captionrect", CaptionRect));
  key(AlignmentKey("alignment", Alignment, taCenter));
  EnumFontKeys(key);
  key(RectKey("checkimagerect", CheckImageRect));
  key(RectKey("uncheckimagerect", UnCheckImageRect));
}

void TvnDataSkinExPanelControl::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinCustomControl::EnumKeys(key);
  key(RectKey("rollhskinrect", RollHSkinRect));
  key(RectKey("rollvskinrect", RollVSkinRect));
  key(LengthKey("rollleftoffset", RollLeftOffset));
  key(LengthKey("rollrightoffset", RollRightOffset));
  key(LengthKey("rolltopoffset", RollTopOffset));
  key(LengthKey("rollbottomoffset", RollBottomOffset));
  key(RectKey("rollvcaptionrect", RollVCaptionRect));
  key(RectKey("rollhcaptionrect", RollHCaptionRect));
  key(RectKey("closebuttonrect", CloseButtonRect));
  key(RectKey("closebuttonactiverect", CloseButtonActiveRect));
  key(RectKey("closebuttondownrect", CloseButtonDownRect));
  key(RectKey("hrollbuttonrect", HRollButtonRect));
  key(RectKey("hrollbuttonactiverect", HRollButtonActiveRect));
  key(RectKey("hrollbuttondownrect", HRollButtonDownRect));
  key(RectKey("hrestorebuttonrect", HRestoreButtonRect));
  key(RectKey("hrestorebuttonactiverect", HRestoreButtonActiveRect));
  key(RectKey("hrestorebuttondownrect", HRestoreButtonDownRect));
  key(RectKey("vrollbuttonrect", VRollButtonRect));
  key(RectKey("vrollbuttonactiverect", VRollButtonActiveRect));
  key(RectKey("vrollbuttondownrect", VRollButtonDownRect));
  key(RectKey("vrestorebuttonrect", VRestoreButtonRect));
  key(RectKey("vrestorebuttonactiverect", VRestoreButtonActiveRect));
  key(RectKey("vrestorebuttondownrect", VRestoreButtonDownRect));
  key(RectKey("captionrect", CaptionRect));
  EnumFontKeys(key);
}

void TvnDataSkinButtonControl::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinCustomControl::EnumKeys(key);
  EnumFontKeys(key);
  key(ColorKey("activefontcolor", ActiveFontColor));
  key(ColorKey("downfontcolor", DownFontColor));
  key(ColorKey("disabledfontcolor", DisabledFontColor));
  key(RectKey("activeskinrect", ActiveSkinRect));
  key(RectKey("downskinrect", DownSkinRect));
  key(RectKey("disabledskinrect", DisabledSkinRect));
  key(BoolKey("morphing", Morphing));
  key(MorphKindKey("morphkind", MorphKind));
}

void TvnDataSkinMenuButtonControl::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinButtonControl::EnumKeys(key);
  key(RectKey("trackbuttonrect", TrackButtonRect));
}

void TvnDataSkinCheckRadioControl::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinCustomControl::EnumKeys(key);
  EnumFontKeys(key);
  key(ColorKey("activefontcolor", ActiveFontColor));
  key(ColorKey("unenabledfontcolor", UnEnabledFontColor));
  key(ColorKey("framefontcolor", FrameFontColor));
  key(RectKey("activeskinrect", ActiveSkinRect));
  key(RectKey("checkimagearea", CheckImageArea));
  key(RectKey("textarea", TextArea));
  key(RectKey("checkimagerect", CheckImageRect));
  key(RectKey("uncheckimagerect", UnCheckImageRect));
  key(RectKey("activecheckimagerect", ActiveCheckImageRect));
  key(RectKey("activeuncheckimagerect", ActiveUnCheckImageRect));
  key(RectKey("unenabledcheckimagerect", UnEnabledCheckImageRect));
  key(RectKey("unenableduncheckimagerect", UnEnabledUnCheckImageRect));
  key(BoolKey("morphing", Morphing));
  key(MorphKindKey("morphkind", MorphKind));
}

void TvnDataSkinGaugeControl::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinCustomControl::EnumKeys(key);
  key(RectKey("progressarea", ProgressArea));
  key(RectKey("progressrect", ProgressRect));
  key(LengthKey("beginoffset", BeginOffset));
  key(LengthKey("endoffset", EndOffset));
  key(BoolKey("vertical", Vertical));
  EnumFontKeys(key);
}

void TvnDataSkinTrackBarControl::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinCustomControl::EnumKeys(key);
  key(RectKey("trackarea", TrackArea));
  key(RectKey("buttonrect", ButtonRect));
  key(RectKey("activebuttonrect", ActiveButtonRect));
  key(BoolKey("vertical", Vertical));
}

void TvnDataSkinLabelControl::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinCustomControl::EnumKeys(key);
  EnumFontKeys(key);
}

void TvnDataSkinStdLabelControl::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinControl::EnumKeys(key);
  EnumFontKeys(key);
  key(ColorKey("activefontcolor", ActiveFontColor, 16711680));
}

void TvnDataSkinUpDownControl::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinCustomControl::EnumKeys(key);
  key(RectKey("upbuttonrect", UpButtonRect));
  key(RectKey("activeupbuttonrect", ActiveUpButtonRect));
  key(RectKey("downupbuttonrect", DownUpButtonRect));
  key(RectKey("downbuttonrect", DownButtonRect));
  key(RectKey("activedownbuttonrect", ActiveDownButtonRect));
  key(RectKey("downdownbuttonrect", DownDownButtonRect));
}

void TvnDataSkinUpDownControl::LoadFromIni(const TvnIniFile& ini) {
  TvnDataSkinCustomControl::LoadFromIni(ini);
  LeftTopPoint = RightTopPoint = LeftBottomPoint = RightBottomPoint = TPoint{};
  ClientRect = TRect{};
}

void TvnDataSkinGridControl::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinControl::EnumKeys(key);
  key(RectKey("fixedcellrect", FixedCellRect));
  key(RectKey("selectcellrect", SelectCellRect));
  key(RectKey("focuscellrect", FocusCellRect));
  key(LengthKey("fixedcellleftoffset", FixedCellLeftOffset));
  key(LengthKey("fixedcellrightoffset", FixedCellRightOffset));
  key(RectKey("fixedcelltextrect", FixedCellTextRect));
  key(LengthKey("cellleftoffset", CellLeftOffset));
  key(LengthKey("cellrightoffset", CellRightOffset));
  key(RectKey("celltextrect", CellTextRect));
  key(ColorKey("linescolor", LinesColor));
  key(ColorKey("bgcolor", BGColor));
  EnumFontKeys(key);
  key(ColorKey("selectfontcolor", SelectFontColor));
  key(ColorKey("focusfontcolor", FocusFontColor));
  key(TextKey("fixedfontname", FixedFontName, "Arial"));
  key(LengthKey("fixedfontheight", FixedFontHeight, 14));
  key(FontStyleKey("fixedfontstyle", FixedFontStyle));
  key(ColorKey("fixedfontcolor", FixedFontColor));
}

void TvnDataSkinTabControl::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinControl::EnumKeys(key);
  key(RectKey("tabrect", TabRect));
  key(RectKey("activetabrect", ActiveTabRect));
  key(RectKey("focustabrect", FocusTabRect));
  key(RectKey("mouseintabrect", MouseInTabRect));
  key(RectKey("clientrect", ClientRect));
  key(IntKey("bgpictureindex", BGPictureIndex, -1));
  EnumCornerKeys(key);
  key(LengthKey("tableftoffset", TabLeftOffset));
  key(LengthKey("tabrightoffset", TabRightOffset));
  key(RectKey("tabsbgrect", TabsBGRect));
  EnumFontKeys(key);
  key(ColorKey("activefontcolor", ActiveFontColor));
  key(ColorKey("focusfontcolor", FocusFontColor));
  key(ColorKey("mouseinfontcolor", MouseInFontColor));
  key(NameKey("updown", UpDown));
}

void TvnDataSkinMainMenuBar::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinControl::EnumKeys(key);
  key(RectKey("itemsrect", ItemsRect));
  key(NameKey("menubaritem", MenuBarItem));
  key(NameKey("closebutton", CloseButton));
  key(NameKey("minbutton", MinButton));
  key(NameKey("maxbutton", MaxButton));
  key(NameKey("sysmenubutton", SysMenuButton));
  key(ColorKey("trackmarkcolor", TrackMarkColor));
  key(ColorKey("trackmarkactivecolor", TrackMarkActiveColor));
}

void TvnDataSkinControlBar::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinCustomControl::EnumKeys(key);
  key(RectKey("itemrect", ItemRect));
  key(IntKey("bgpictureindex", BGPictureIndex, -1));
}

void TvnDataSkinEditControl::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinCustomControl::EnumKeys(key);
  key(RectKey("activeskinrect", ActiveSkinRect));
  EnumFontKeys(key);
  key(ColorKey("disabledfontcolor", DisabledFontColor));
  key(ColorKey("activefontcolor", ActiveFontColor));
  key(RectKey("buttonrect", ButtonRect));
  key(RectKey("activebuttonrect", ActiveButtonRect));
  key(RectKey("downbuttonrect", DownButtonRect));
  key(RectKey("unenabledbuttonrect", UnEnabledButtonRect));
}

void TvnDataSkinMemoControl::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinEditControl::EnumKeys(key);
  key(ColorKey("bgcolor", BGColor));
  key(ColorKey("activebgcolor", ActiveBGColor));
}

void TvnDataSkinListBox::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinCustomControl::EnumKeys(key);
  key(RectKey("itemrect", ItemRect));
  key(RectKey("activeitemrect", ActiveItemRect));
  key(RectKey("focusitemrect", FocusItemRect));
  key(LengthKey("itemleftoffset", ItemLeftOffset));
  key(LengthKey("itemrightoffset", ItemRightOffset));
  key(RectKey("itemtextrect", ItemTextRect));
  EnumFontKeys(key);
  key(ColorKey("activefontcolor", ActiveFontColor));
  key(ColorKey("focusfontcolor", FocusFontColor));
  key(RectKey("captionrect", CaptionRect));
  key(TextKey("captionfontname", CaptionFontName, "Arial"));
  key(LengthKey("captionfontheight", CaptionFontHeight, 14));
  key(FontStyleKey("captionfontstyle", CaptionFontStyle));
  key(ColorKey("captionfontcolor", CaptionFontColor));
  key(RectKey("upbuttonrect", UpButtonRect));
  key(RectKey("activeupbuttonrect", ActiveUpButtonRect));
  key(RectKey("downupbuttonrect", DownUpButtonRect));
  key(RectKey("downbuttonrect", DownButtonRect));
  key(RectKey("activedownbuttonrect", ActiveDownButtonRect));
  key(RectKey("downdownbuttonrect", DownDownButtonRect));
  key(RectKey("checkbuttonrect", CheckButtonRect));
  key(RectKey("activecheckbuttonrect", ActiveCheckButtonRect));
  key(RectKey("downcheckbuttonrect", DownCheckButtonRect));
  key(NameKey("vscrollbarname", VScrollBarName, "vscrollbar"));
  key(NameKey("hscrollbarname", HScrollBarName, "hscrollbar"));
  key(NameKey("bothhscrollbarname", BothHScrollBarName, "bothhscrollbar"));
}

void TvnDataSkinCheckListBox::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinListBox::EnumKeys(key);
  key(RectKey("itemcheckrect", ItemCheckRect));
  key(RectKey("checkimagerect", CheckImageRect));
  key(RectKey("uncheckimagerect", UnCheckImageRect));
}

void TvnDataSkinComboBox::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinCustomControl::EnumKeys(key);
  key(RectKey("itemrect", ItemRect));
  key(RectKey("focusitemrect", FocusItemRect));
  key(LengthKey("itemleftoffset", ItemLeftOffset));
  key(LengthKey("itemrightoffset", ItemRightOffset));
  key(RectKey("itemtextrect", ItemTextRect));
  EnumFontKeys(key);
  key(ColorKey("focusfontcolor", FocusFontColor));
  key(NameKey("listboxname", ListBoxName));
  key(RectKey("buttonrect", ButtonRect));
  key(RectKey("activebuttonrect", ActiveButtonRect));
  key(RectKey("downbuttonrect", DownButtonRect));
  key(RectKey("unenabledbuttonrect", UnEnabledButtonRect));
}

void TvnDataSkinScrollBarControl::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinCustomControl::EnumKeys(key);
  key(RectKey("trackarea", TrackArea));
  key(RectKey("upbuttonrect", UpButtonRect));
  key(RectKey("activeupbuttonrect", ActiveUpButtonRect));
  key(RectKey("downupbuttonrect", DownUpButtonRect));
  key(RectKey("downbuttonrect", DownButtonRect));
  key(RectKey("activedownbuttonrect", ActiveDownButtonRect));
  key(RectKey("downdownbuttonrect", DownDownButtonRect));
  key(RectKey("thumbrect", ThumbRect));
  key(RectKey("activethumbrect", ActiveThumbRect));
  key(RectKey("downthumbrect", DownThumbRect));
  key(LengthKey("thumboffset1", ThumbOffset1));
  key(LengthKey("thumboffset2", ThumbOffset2));
  key(RectKey("glyphrect", GlyphRect));
  key(RectKey("activeglyphrect", ActiveGlyphRect));
  key(RectKey("downglyphrect", DownGlyphRect));
}

void TvnDataSkinSpinEditControl::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinCustomControl::EnumKeys(key);
  key(RectKey("activeskinrect", ActiveSkinRect));
  EnumFontKeys(key);
  key(ColorKey("activefontcolor", ActiveFontColor));
  key(ColorKey("disabledfontcolor", DisabledFontColor));
  key(RectKey("upbuttonrect", UpButtonRect));
  key(RectKey("activeupbuttonrect", ActiveUpButtonRect));
  key(RectKey("downupbuttonrect", DownUpButtonRect));
  key(RectKey("downbuttonrect", DownButtonRect));
  key(RectKey("activedownbuttonrect", ActiveDownButtonRect));
  key(RectKey("downdownbuttonrect", DownDownButtonRect));
}

void TvnDataSkinScrollBoxControl::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinCustomControl::EnumKeys(key);
  key(IntKey("bgpictureindex", BGPictureIndex, -1));
}

void TvnDataSkinViewControl::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinControl::EnumKeys(key);
  EnumFontKeys(key);
  key(ColorKey("bgcolor", BGColor));
}

void TvnDataSkinBevel::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinControl::EnumKeys(key);
  key(ColorKey("lightcolor", LightColor));
  key(ColorKey("darkcolor", DarkColor));
}

void TvnDataSkinSlider::EnumKeys(const TvnKeyVisitor& key) {
  TvnDataSkinControl::EnumKeys(key);
  key(ColorKey("bgcolor", BGColor));
  key(RectKey("hrulerrect", HRulerRect));
  key(RectKey("hthumbrect", HThumbRect));
  key(RectKey("vrulerrect", VRulerRect));
  key(RectKey("vthumbrect", VThumbRect));
  key(LengthKey("edgesize", EdgeSize));
  key(ColorKey("pointscolor", PointsColor));
}

namespace {

template <typename T>
std::unique_ptr<TvnDataSkinControl> Make(std::string name) {
  return std::make_unique<T>(std::move(name));
}

struct TvnControlKind {
  std::string_view Kind;
  std::unique_ptr<TvnDataSkinControl> (*Create)(std::string name);
};

constexpr TvnControlKind kControlClasses[28] = {
    {"panel", Make<TvnDataSkinPanelControl>},
    {"expanel", Make<TvnDataSkinExPanelControl>},
    {"menubutton", Make<TvnDataSkinMenuButtonControl>},
    {"button", Make<TvnDataSkinButtonControl>},
    {"checkradio", Make<TvnDataSkinCheckRadioControl>},
    {"gauge", Make<TvnDataSkinGaugeControl>},
    {"splitter", Make<TvnDataSkinSplitterControl>},
    {"trackbar", Make<TvnDataSkinTrackBarControl>},
    {"label", Make<TvnDataSkinLabelControl>},
    {"stdlabel", Make<TvnDataSkinStdLabelControl>},
    {"updown", Make<TvnDataSkinUpDownControl>},
    {"grid", Make<TvnDataSkinGridControl>},
    {"tab", Make<TvnDataSkinTabControl>},
    {"mainmenubar", Make<TvnDataSkinMainMenuBar>},
    {"controlbar", Make<TvnDataSkinControlBar>},
    {"memo", Make<TvnDataSkinMemoControl>},
    {"edit", Make<TvnDataSkinEditControl>},
    {"checklistbox", Make<TvnDataSkinCheckListBox>},
    {"listbox", Make<TvnDataSkinListBox>},
    {"combobox", Make<TvnDataSkinComboBox>},
    {"scrollbar", Make<TvnDataSkinScrollBarControl>},
    {"spinedit", Make<TvnDataSkinSpinEditControl>},
    {"scrollbox", Make<TvnDataSkinScrollBoxControl>},
    {"treeview", Make<TvnDataSkinTreeView>},
    {"bevel", Make<TvnDataSkinBevel>},
    {"slider", Make<TvnDataSkinSlider>},
    {"listview", Make<TvnDataSkinListView>},
    {"richedit", Make<TvnDataSkinRichEdit>},
};

}  // namespace

const std::string_view kControlKinds[28] = {
    "panel",   "expanel", "menubutton", "button",       "checkradio", "gauge",
    "splitter", "trackbar", "label",    "stdlabel",     "updown",     "grid",
    "tab",     "mainmenubar", "controlbar", "memo",     "edit",       "checklistbox",
    "listbox", "combobox", "scrollbar", "spinedit",     "scrollbox",  "treeview",
    "bevel",   "slider",  "listview",   "richedit"};

std::unique_ptr<TvnDataSkinControl> CreateControlDescription(std::string_view kind,
                                                             std::string name) {
  for (const TvnControlKind& c : kControlClasses) {
    if (c.Kind == kind) return c.Create(std::move(name));
  }
  return nullptr;
}

void LoadControlDescriptions(const TvnIniFile& ini,
                             std::vector<std::unique_ptr<TvnDataSkinControl>>& list) {
  for (TvnSkinListEntry& entry : ReadSkinList(ini, "SKINCONTROLS")) {
    std::unique_ptr<TvnDataSkinControl> description =
        CreateControlDescription(entry.Kind, std::move(entry.Name));
    if (!description) continue;
    list.push_back(std::move(description));
    list.back()->LoadFromIni(ini);
  }
}
