#pragma once
// Descriptions of the control looks listed in "SKINCONTROLS". Each entry's kind word picks the
// class; the class reads the section named after the entry. As with the object descriptions,
// each class lists its keys once in EnumKeys (base keys first), and that table drives reading,
// saving and the JSON.
//
// Index (class, base, kind word):
//   TvnDataSkinControl            -                      -      picture, mask, skin rectangle
//   TvnDataSkinCustomControl      TvnDataSkinControl     -      + corner points, client rect
//   TvnDataSkinPanelControl       Custom   "panel"        TvnDataSkinExPanelControl  Custom  "expanel"
//   TvnDataSkinButtonControl      Custom   "button"       TvnDataSkinMenuButtonControl Button "menubutton"
//   TvnDataSkinCheckRadioControl  Custom   "checkradio"   TvnDataSkinGaugeControl    Custom  "gauge"
//   TvnDataSkinSplitterControl    Custom   "splitter"     TvnDataSkinTrackBarControl Custom  "trackbar"
//   TvnDataSkinLabelControl       Custom   "label"        TvnDataSkinStdLabelControl Control "stdlabel"
//   TvnDataSkinUpDownControl      Custom   "updown"       TvnDataSkinGridControl     Control "grid"
//   TvnDataSkinTabControl         Control  "tab"          TvnDataSkinMainMenuBar     Control "mainmenubar"
//   TvnDataSkinControlBar         Custom   "controlbar"   TvnDataSkinEditControl     Custom  "edit"
//   TvnDataSkinMemoControl        Edit     "memo"         TvnDataSkinListBox         Custom  "listbox"
//   TvnDataSkinCheckListBox       ListBox  "checklistbox" TvnDataSkinComboBox        Custom  "combobox"
//   TvnDataSkinScrollBarControl   Custom   "scrollbar"    TvnDataSkinSpinEditControl Custom  "spinedit"
//   TvnDataSkinScrollBoxControl   Custom   "scrollbox"    TvnDataSkinTreeView        Control "treeview"
//   TvnDataSkinListView           Control  "listview"     TvnDataSkinRichEdit        Control "richedit"
//   TvnDataSkinBevel              Control  "bevel"        TvnDataSkinSlider          Control "slider"
// Names of other descriptions (cross-references, kept as names only): the list box's scroll
// bars, the combo box's list box, the tab control's up-down, the main menu bar's item and buttons.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "skin/data/vnSkinDataObjects.h"

class TvnDataSkinControl : public TvnDataSkinDescription {
 public:
  using TvnDataSkinDescription::TvnDataSkinDescription;
  void EnumKeys(const TvnKeyVisitor& key) override;

  int PictureIndex = -1;
  int MaskPictureIndex = -1;
  TRect SkinRect;
};

class TvnDataSkinCustomControl : public TvnDataSkinControl, public TvnSkinCornerPoints {
 public:
  using TvnDataSkinControl::TvnDataSkinControl;
  void EnumKeys(const TvnKeyVisitor& key) override;

  TRect ClientRect;
};

class TvnDataSkinPanelControl : public TvnDataSkinCustomControl, public TvnSkinFontFields {
 public:
  using TvnDataSkinCustomControl::TvnDataSkinCustomControl;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "panel"; }

  int BGPictureIndex = -1;
  TRect CaptionRect;
  TvnAlignment Alignment = taCenter;
  TRect CheckImageRect, UnCheckImageRect;
};

class TvnDataSkinExPanelControl : public TvnDataSkinCustomControl, public TvnSkinFontFields {
 public:
  using TvnDataSkinCustomControl::TvnDataSkinCustomControl;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "expanel"; }

  TRect RollHSkinRect, RollVSkinRect;
  int RollLeftOffset = 0, RollRightOffset = 0, RollTopOffset = 0, RollBottomOffset = 0;
  TRect RollVCaptionRect, RollHCaptionRect;
  TRect CloseButtonRect, CloseButtonActiveRect, CloseButtonDownRect;
  TRect HRollButtonRect, HRollButtonActiveRect, HRollButtonDownRect;
  TRect HRestoreButtonRect, HRestoreButtonActiveRect, HRestoreButtonDownRect;
  TRect VRollButtonRect, VRollButtonActiveRect, VRollButtonDownRect;
  TRect VRestoreButtonRect, VRestoreButtonActiveRect, VRestoreButtonDownRect;
  TRect CaptionRect;
};

class TvnDataSkinButtonControl : public TvnDataSkinCustomControl, public TvnSkinFontFields {
 public:
  using TvnDataSkinCustomControl::TvnDataSkinCustomControl;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "button"; }

  TColor ActiveFontColor = 0, DownFontColor = 0, DisabledFontColor = 0;
  TRect ActiveSkinRect, DownSkinRect, DisabledSkinRect;
  bool Morphing = false;
  TvnMorphKind MorphKind = mkDefault;
};

class TvnDataSkinMenuButtonControl : public TvnDataSkinButtonControl {
 public:
  using TvnDataSkinButtonControl::TvnDataSkinButtonControl;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "menubutton"; }

  TRect TrackButtonRect;
};

class TvnDataSkinCheckRadioControl : public TvnDataSkinCustomControl, public TvnSkinFontFields {
 public:
  using TvnDataSkinCustomControl::TvnDataSkinCustomControl;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "checkradio"; }

  TColor ActiveFontColor = 0, UnEnabledFontColor = 0, FrameFontColor = 0;
  TRect ActiveSkinRect, CheckImageArea, TextArea, CheckImageRect, UnCheckImageRect;
  TRect ActiveCheckImageRect, ActiveUnCheckImageRect;
  TRect UnEnabledCheckImageRect, UnEnabledUnCheckImageRect;
  bool Morphing = false;
  TvnMorphKind MorphKind = mkDefault;
};

class TvnDataSkinGaugeControl : public TvnDataSkinCustomControl, public TvnSkinFontFields {
 public:
  using TvnDataSkinCustomControl::TvnDataSkinCustomControl;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "gauge"; }

  TRect ProgressArea, ProgressRect;
  int BeginOffset = 0, EndOffset = 0;
  bool Vertical = false;
};

class TvnDataSkinSplitterControl : public TvnDataSkinCustomControl {
 public:
  using TvnDataSkinCustomControl::TvnDataSkinCustomControl;
  std::string_view Kind() const override { return "splitter"; }
};

class TvnDataSkinTrackBarControl : public TvnDataSkinCustomControl {
 public:
  using TvnDataSkinCustomControl::TvnDataSkinCustomControl;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "trackbar"; }

  TRect TrackArea, ButtonRect, ActiveButtonRect;
  bool Vertical = false;
};

class TvnDataSkinLabelControl : public TvnDataSkinCustomControl, public TvnSkinFontFields {
 public:
  using TvnDataSkinCustomControl::TvnDataSkinCustomControl;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "label"; }
};

class TvnDataSkinStdLabelControl : public TvnDataSkinControl, public TvnSkinFontFields {
 public:
  using TvnDataSkinControl::TvnDataSkinControl;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "stdlabel"; }

  TColor ActiveFontColor = 16711680;  // pure blue, as a link is drawn
};

class TvnDataSkinUpDownControl : public TvnDataSkinCustomControl {
 public:
  using TvnDataSkinCustomControl::TvnDataSkinCustomControl;
  void EnumKeys(const TvnKeyVisitor& key) override;
  // An up-down is drawn from its button looks only: its corner points and client rectangle
  // are zero after reading, whatever the section says.
  void LoadFromIni(const TvnIniFile& ini) override;
  std::string_view Kind() const override { return "updown"; }

  TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
  TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
};

class TvnDataSkinGridControl : public TvnDataSkinControl, public TvnSkinFontFields {
 public:
  using TvnDataSkinControl::TvnDataSkinControl;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "grid"; }

  TRect FixedCellRect, SelectCellRect, FocusCellRect;
  int FixedCellLeftOffset = 0, FixedCellRightOffset = 0;
  TRect FixedCellTextRect;
  int CellLeftOffset = 0, CellRightOffset = 0;
  TRect CellTextRect;
  TColor LinesColor = 0, BGColor = 0;
  TColor SelectFontColor = 0, FocusFontColor = 0;
  std::string FixedFontName = "Arial";
  int FixedFontHeight = 14;
  TFontStyles FixedFontStyle = 0;
  TColor FixedFontColor = 0;
};

class TvnDataSkinTabControl : public TvnDataSkinControl,
                              public TvnSkinCornerPoints,
                              public TvnSkinFontFields {
 public:
  using TvnDataSkinControl::TvnDataSkinControl;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "tab"; }

  TRect TabRect, ActiveTabRect, FocusTabRect, MouseInTabRect, ClientRect;
  int BGPictureIndex = -1;
  int TabLeftOffset = 0, TabRightOffset = 0;
  TRect TabsBGRect;
  TColor ActiveFontColor = 0, FocusFontColor = 0, MouseInFontColor = 0;
  std::string UpDown;  // name of the up-down control description
};

class TvnDataSkinMainMenuBar : public TvnDataSkinControl {
 public:
  using TvnDataSkinControl::TvnDataSkinControl;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "mainmenubar"; }

  TRect ItemsRect;
  // Names of object descriptions: the items and the four buttons of the bar.
  std::string MenuBarItem, CloseButton, MinButton, MaxButton, SysMenuButton;
  TColor TrackMarkColor = 0, TrackMarkActiveColor = 0;
};

class TvnDataSkinControlBar : public TvnDataSkinCustomControl {
 public:
  using TvnDataSkinCustomControl::TvnDataSkinCustomControl;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "controlbar"; }

  TRect ItemRect;
  int BGPictureIndex = -1;
};

class TvnDataSkinEditControl : public TvnDataSkinCustomControl, public TvnSkinFontFields {
 public:
  using TvnDataSkinCustomControl::TvnDataSkinCustomControl;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "edit"; }

  TRect ActiveSkinRect;
  TColor DisabledFontColor = 0, ActiveFontColor = 0;
  TRect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
};

class TvnDataSkinMemoControl : public TvnDataSkinEditControl {
 public:
  using TvnDataSkinEditControl::TvnDataSkinEditControl;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "memo"; }

  TColor BGColor = 0, ActiveBGColor = 0;
};

class TvnDataSkinListBox : public TvnDataSkinCustomControl, public TvnSkinFontFields {
 public:
  using TvnDataSkinCustomControl::TvnDataSkinCustomControl;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "listbox"; }

  TRect ItemRect, ActiveItemRect, FocusItemRect;
  int ItemLeftOffset = 0, ItemRightOffset = 0;
  TRect ItemTextRect;
  TColor ActiveFontColor = 0, FocusFontColor = 0;
  TRect CaptionRect;
  std::string CaptionFontName = "Arial";
  int CaptionFontHeight = 14;
  TFontStyles CaptionFontStyle = 0;
  TColor CaptionFontColor = 0;
  TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
  TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
  TRect CheckButtonRect, ActiveCheckButtonRect, DownCheckButtonRect;
  // Names of the scroll-bar control descriptions.
  std::string VScrollBarName = "vscrollbar";
  std::string HScrollBarName = "hscrollbar";
  std::string BothHScrollBarName = "bothhscrollbar";
};

class TvnDataSkinCheckListBox : public TvnDataSkinListBox {
 public:
  using TvnDataSkinListBox::TvnDataSkinListBox;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "checklistbox"; }

  TRect ItemCheckRect, CheckImageRect, UnCheckImageRect;
};

class TvnDataSkinComboBox : public TvnDataSkinCustomControl, public TvnSkinFontFields {
 public:
  using TvnDataSkinCustomControl::TvnDataSkinCustomControl;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "combobox"; }

  TRect ItemRect, FocusItemRect;
  int ItemLeftOffset = 0, ItemRightOffset = 0;
  TRect ItemTextRect;
  TColor FocusFontColor = 0;
  std::string ListBoxName;  // name of the drop-down list's control description
  TRect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
};

class TvnDataSkinScrollBarControl : public TvnDataSkinCustomControl {
 public:
  using TvnDataSkinCustomControl::TvnDataSkinCustomControl;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "scrollbar"; }

  TRect TrackArea;
  TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
  TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
  TRect ThumbRect, ActiveThumbRect, DownThumbRect;
  int ThumbOffset1 = 0, ThumbOffset2 = 0;
  TRect GlyphRect, ActiveGlyphRect, DownGlyphRect;
};

class TvnDataSkinSpinEditControl : public TvnDataSkinCustomControl, public TvnSkinFontFields {
 public:
  using TvnDataSkinCustomControl::TvnDataSkinCustomControl;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "spinedit"; }

  TRect ActiveSkinRect;
  TColor ActiveFontColor = 0, DisabledFontColor = 0;
  TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
  TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
};

class TvnDataSkinScrollBoxControl : public TvnDataSkinCustomControl {
 public:
  using TvnDataSkinCustomControl::TvnDataSkinCustomControl;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "scrollbox"; }

  int BGPictureIndex = -1;
};

// Tree views, list views and rich edits share one look: a font and a background colour.
class TvnDataSkinViewControl : public TvnDataSkinControl, public TvnSkinFontFields {
 public:
  using TvnDataSkinControl::TvnDataSkinControl;
  void EnumKeys(const TvnKeyVisitor& key) override;

  TColor BGColor = 0;
};

class TvnDataSkinTreeView : public TvnDataSkinViewControl {
 public:
  using TvnDataSkinViewControl::TvnDataSkinViewControl;
  std::string_view Kind() const override { return "treeview"; }
};

class TvnDataSkinListView : public TvnDataSkinViewControl {
 public:
  using TvnDataSkinViewControl::TvnDataSkinViewControl;
  std::string_view Kind() const override { return "listview"; }
};

class TvnDataSkinRichEdit : public TvnDataSkinViewControl {
 public:
  using TvnDataSkinViewControl::TvnDataSkinViewControl;
  std::string_view Kind() const override { return "richedit"; }
};

class TvnDataSkinBevel : public TvnDataSkinControl {
 public:
  using TvnDataSkinControl::TvnDataSkinControl;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "bevel"; }

  TColor LightColor = 0, DarkColor = 0;
};

class TvnDataSkinSlider : public TvnDataSkinControl {
 public:
  using TvnDataSkinControl::TvnDataSkinControl;
  void EnumKeys(const TvnKeyVisitor& key) override;
  std::string_view Kind() const override { return "slider"; }

  TColor BGColor = 0;
  TRect HRulerRect, HThumbRect, VRulerRect, VThumbRect;
  int EdgeSize = 0;
  TColor PointsColor = 0;
};

// The control description class listed under kind, created with name, or null for a kind that
// is not listed (its entry is skipped).
std::unique_ptr<TvnDataSkinControl> CreateControlDescription(std::string_view kind,
                                                             std::string name);
// The 28 kind words of "SKINCONTROLS".
extern const std::string_view kControlKinds[28];

// Reads the list "SKINCONTROLS" as LoadObjectDescriptions reads "SKINOBJECTS".
void LoadControlDescriptions(const TvnIniFile& ini,
                             std::vector<std::unique_ptr<TvnDataSkinControl>>& list);
