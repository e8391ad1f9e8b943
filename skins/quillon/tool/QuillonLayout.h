#pragma once
// Where every look of the Quillon skin lies in its pictures. The drawing code paints these
// rectangles and the description writer names them, so pictures and skin.ini cannot disagree.
// Rectangles are (left, top, right, bottom) in pixels of their picture, right and bottom
// exclusive; "relative" ones are measured from the top-left corner of their look.
#include "framework/Geometry.h"

namespace QuillonLayout {

// Positions of the active pictures in the container (and in the "activepictures" list).
enum TPictureIndex : int {
  PicControls = 0,   // controls.bmp, 8 bpp: buttons, edits, panels, scroll bars, up-downs
  PicMenuItem = 1,   // menuitem.bmp, 24 bpp: popup menu items and the divider
  PicCaptionButtons = 2,  // captionbuttons.bmp, 8 bpp: the five-frame caption button strips
  PicPopup = 3,      // popup.bmp, 24 bpp: the popup menu window
  PicPopupMask = 4,  // popupmask.bmp, 1 bpp
  PicHint = 5,       // hint.bmp, 24 bpp: the hint window
  PicHintMask = 6,   // hintmask.bmp, 1 bpp
  PicMenuBar = 7,    // menubar.bmp, 8 bpp: main menu bar, its items and buttons
  PicPattern = 8,    // pattern.bmp, 4 bpp: background of multi-document clients and scroll boxes
  PicChecks = 9,     // checks.bmp, 8 bpp: check boxes and radio buttons
  PicGauges = 10,    // gauges.bmp, 24 bpp: gauges, track bars, sliders
  PicTabs = 11,      // tabs.bmp, 24 bpp: tabs and tab pages
  PictureCount = 12
};

// ---- The main picture (191 x 135) and the form geometry.
constexpr int MainWidth = 191;
constexpr int MainHeight = 135;
constexpr TPoint FormLeftTop{46, 32};
constexpr TPoint FormRightTop{110, 30};
constexpr TPoint FormLeftBottom{54, 115};
constexpr TPoint FormRightBottom{138, 115};
constexpr TRect FormClient{8, 28, 184, 118};
constexpr TRect FormButtons{132, 9, 181, 20};
constexpr TRect FormMaskArea{4, 5, 188, 131};
constexpr int FormBorderWidth = 3;
constexpr int FormButtonsOffset = 6;

// The caption object and its text area (relative to the caption).
constexpr TRect CaptionRect{34, 3, 120, 20};
constexpr TRect CaptionTextRect{2, 2, 84, 17};
// The system-menu button: its normal look is part of the main picture.
constexpr TRect SysMenuRect{13, 6, 27, 20};

// ---- captionbuttons.bmp: one row of five 8 x 8 frames per button, frames side by side.
constexpr int CaptionButtonSize = 8;
constexpr int CaptionFrameCount = 5;
constexpr int CaptionRowMax = 1;
constexpr int CaptionRowClose = 12;
constexpr int CaptionRowMin = 23;
constexpr int CaptionRowRollUp = 34;
constexpr int CaptionRowTray = 45;
constexpr int CaptionRowRestore = 56;  // the maximize button's restore look, unused by animations
constexpr int SysMenuRow = 67;         // five 14 x 14 frames of the system-menu icon
constexpr int CaptionButtonsWidth = 72;
constexpr int CaptionButtonsHeight = 82;
// First frame (the normal look) and the whole strip of a caption button row.
constexpr TRect CaptionFrame(int row) { return {1, row, 1 + CaptionButtonSize, row + CaptionButtonSize}; }
constexpr TRect CaptionStrip(int row) {
  return {1, row, 1 + CaptionButtonSize * CaptionFrameCount, row + CaptionButtonSize};
}
constexpr TRect SysMenuStrip{1, SysMenuRow, 1 + 14 * CaptionFrameCount, SysMenuRow + 14};

// ---- menuitem.bmp
constexpr int MenuItemWidth = 40;
constexpr int MenuItemHeight = 22;
constexpr TRect MenuItemNormal{0, 0, 40, 22};
constexpr TRect MenuItemActive{0, 22, 40, 44};
constexpr TRect MenuDivider{0, 44, 40, 51};
constexpr TRect MenuItemText{4, 0, 36, 22};
constexpr int MenuItemEnd = 5;  // fixed left and right ends of the item looks
constexpr int MenuItemPictureHeight = 51;

// ---- popup.bmp / popupmask.bmp: the whole picture is the window frame.
constexpr int PopupSize = 40;
constexpr TRect PopupItems{3, 3, 37, 37};
constexpr TPoint PopupLeftTop{8, 8};
constexpr TPoint PopupRightTop{32, 8};
constexpr TPoint PopupLeftBottom{8, 32};
constexpr TPoint PopupRightBottom{32, 32};

// ---- hint.bmp / hintmask.bmp
constexpr int HintWidth = 48;
constexpr int HintHeight = 26;
constexpr TRect HintClient{9, 6, 39, 20};
constexpr TPoint HintLeftTop{9, 6};
constexpr TPoint HintRightTop{39, 6};
constexpr TPoint HintLeftBottom{9, 20};
constexpr TPoint HintRightBottom{39, 20};

// ---- menubar.bmp
constexpr int MenuBarWidth = 112;
constexpr int MenuBarHeight = 64;
constexpr TRect MenuBarSkin{0, 0, 40, 22};
constexpr TRect MenuBarItems{4, 2, 36, 20};  // relative to MenuBarSkin
// Menu bar items: normal, hot and pressed looks (18 high, the height of the items area).
constexpr TRect MenuBarItemNormal{40, 2, 64, 20};
constexpr TRect MenuBarItemActive{64, 2, 88, 20};
constexpr TRect MenuBarItemDown{88, 2, 112, 20};
constexpr TRect MenuBarItemText{6, 1, 18, 17};
constexpr int MenuBarItemEnd = 5;
// The four buttons of a maximized child, 16 x 14, one column per button (0 system menu,
// 1 close, 2 restore, 3 minimize) and one row per state (0 normal, 1 hot, 2 pressed).
constexpr TRect MenuBarButton(int column, int state) {
  return {column * 16, 22 + 14 * state, column * 16 + 16, 36 + 14 * state};
}

// ---- pattern.bmp
constexpr int PatternWidth = 64;
constexpr int PatternHeight = 160;

// ---- checks.bmp: 13 x 13 boxes in a row per kind (check box, radio button), six states.
constexpr int CheckSize = 13;
constexpr TRect CheckImage(int kind, int state) {  // state 0 unchecked, 1 checked, 2 hot unchecked,
                                                   // 3 hot checked, 4 disabled unchecked, 5 disabled checked
  return {2 + state * 15, 2 + kind * 15, 2 + state * 15 + CheckSize, 2 + kind * 15 + CheckSize};
}
constexpr TRect CheckBackground{92, 2, 112, 22};  // the control's own face, 20 x 20
constexpr int ChecksWidth = 114;
constexpr int ChecksHeight = 32;

// ---- controls.bmp (8 bpp). Looks of a control in its four states.
struct TLooks {
  TRect Normal, Active, Down, Disabled;
};
constexpr TLooks Row4(int x, int y, int w, int h) {
  return {Bounds(x, y, w, h), Bounds(x + w, y, w, h), Bounds(x + 2 * w, y, w, h), Bounds(x + 3 * w, y, w, h)};
}
constexpr int ControlsWidth = 420;
constexpr int ControlsHeight = 219;
constexpr TRect Empty{0, 0, 0, 0};

// Push buttons, 47 x 26: fixed ends of 18 and 19 pixels around a tiled middle.
constexpr TLooks Button = Row4(0, 0, 47, 26);
constexpr TLooks DefaultButton = Row4(188, 0, 47, 26);
constexpr TPoint ButtonLeftTop{18, 12};
constexpr TPoint ButtonRightTop{28, 12};
constexpr TRect ButtonClient{4, 4, 43, 22};
// Tool buttons, 22 x 22, framed on all sides so they grow both ways.
constexpr TLooks ToolButton = Row4(0, 26, 22, 22);
// Big tool buttons, 40 x 40, for tool bars with large icons.
constexpr TLooks BigToolButton = Row4(0, 178, 40, 40);
// The resizable button, 20 x 20 (normal, hot, pressed).
constexpr TLooks ResizeButton{Bounds(88, 26, 20, 20), Bounds(108, 26, 20, 20), Bounds(128, 26, 20, 20), Empty};
// Edit fields, 40 x 22: normal, focused, read-only.
constexpr TRect EditNormal = Bounds(148, 26, 40, 22);
constexpr TRect EditFocused = Bounds(188, 26, 40, 22);
constexpr TRect EditReadOnly = Bounds(228, 26, 40, 22);
// The drop-down button of combo boxes and button edits, 17 x 18.
constexpr TLooks DropButton = Row4(268, 28, 17, 18);
// Spin buttons of the spin edit, 15 x 9: hot and pressed looks of the up and down halves.
constexpr TRect SpinUpActive = Bounds(336, 26, 15, 9);
constexpr TRect SpinUpDown = Bounds(351, 26, 15, 9);
constexpr TRect SpinDownActive = Bounds(336, 35, 15, 9);
constexpr TRect SpinDownDown = Bounds(351, 35, 15, 9);
constexpr TRect SpinUpRel{23, 2, 38, 11};
constexpr TRect SpinDownRel{23, 11, 38, 20};

// Panels, 40 x 40.
constexpr TRect PanelSkin = Bounds(0, 48, 40, 40);
constexpr TRect GroupBoxSkin = Bounds(40, 48, 40, 40);
constexpr TRect CaptionPanelSkin = Bounds(80, 48, 40, 40);
constexpr TRect ToolPanelSkin = Bounds(120, 48, 40, 40);
constexpr TRect StatusBarSkin = Bounds(160, 48, 40, 22);
constexpr TRect ControlBarSkin = Bounds(200, 48, 40, 22);
constexpr TRect ExPanelRollH = Bounds(240, 48, 40, 20);
constexpr TRect ExPanelRollV = Bounds(280, 48, 20, 40);
// The small 11 x 11 buttons of the extended panel: kind 0 close, 1 roll horizontally,
// 2 restore horizontally, 3 roll vertically, 4 restore vertically; state 0 normal, 1 hot, 2 pressed.
constexpr TRect ExPanelButton(int kind, int state) {
  return kind < 3 ? Bounds(300 + 11 * (kind * 3 + state), 48, 11, 11)
                  : Bounds(300 + 11 * ((kind - 3) * 3 + state), 59, 11, 11);
}
constexpr TRect HSplitterSkin = Bounds(300, 72, 40, 6);
constexpr TRect VSplitterSkin = Bounds(400, 48, 6, 40);
constexpr TRect LabelSkin = Bounds(406, 48, 14, 14);
constexpr TRect CaptionLabelSkin = Bounds(406, 62, 14, 14);

// Scroll bars: the horizontal bar 64 x 16 and the vertical bar 16 x 56 with their arrows.
constexpr TRect HScrollSkin = Bounds(0, 88, 64, 16);
constexpr TRect LeftArrowActive = Bounds(64, 88, 16, 16);
constexpr TRect LeftArrowDown = Bounds(80, 88, 16, 16);
constexpr TRect RightArrowActive = Bounds(96, 88, 16, 16);
constexpr TRect RightArrowDown = Bounds(112, 88, 16, 16);
constexpr TLooks HThumb{Bounds(128, 88, 32, 16), Bounds(160, 88, 32, 16), Bounds(192, 88, 32, 16), Empty};
constexpr TLooks ThumbGrip{Bounds(224, 92, 8, 8), Bounds(232, 92, 8, 8), Bounds(240, 92, 8, 8), Empty};
constexpr TRect VScrollSkin = Bounds(0, 122, 16, 56);
constexpr TRect UpArrowActive = Bounds(16, 122, 16, 16);
constexpr TRect UpArrowDown = Bounds(16, 138, 16, 16);
constexpr TRect DownArrowActive = Bounds(32, 122, 16, 16);
constexpr TRect DownArrowDown = Bounds(32, 138, 16, 16);
constexpr TLooks VThumb{Bounds(48, 122, 16, 32), Bounds(64, 122, 16, 32), Bounds(80, 122, 16, 32), Empty};

// Up-down controls: the horizontal one 30 x 17 and the vertical one 17 x 30.
constexpr TRect HUpDownSkin{386, 88, 416, 105};
constexpr TRect HUpDownUp{19, 3, 30, 14};    // relative: the increase button, on the right
constexpr TRect HUpDownDown{0, 3, 11, 14};   // relative: the decrease button, on the left
constexpr TRect HUpDownUpActive = Bounds(254, 88, 11, 11);
constexpr TRect HUpDownUpPressed = Bounds(265, 88, 11, 11);
constexpr TRect HUpDownDownActive = Bounds(276, 88, 11, 11);
constexpr TRect HUpDownDownPressed = Bounds(287, 88, 11, 11);
constexpr TRect VUpDownSkin{367, 88, 384, 118};
constexpr TRect VUpDownUp{0, 0, 17, 15};
constexpr TRect VUpDownDown{0, 15, 17, 30};
constexpr TRect VUpDownUpActive = Bounds(298, 88, 17, 15);
constexpr TRect VUpDownUpPressed = Bounds(315, 88, 17, 15);
constexpr TRect VUpDownDownActive = Bounds(332, 88, 17, 15);
constexpr TRect VUpDownDownPressed = Bounds(349, 88, 17, 15);

// List items 30 x 18 (normal, selected, selected with focus), grid cells 40 x 18, and the
// small check boxes of check list boxes.
constexpr TRect ListItemNormal = Bounds(0, 104, 30, 18);
constexpr TRect ListItemActive = Bounds(30, 104, 30, 18);
constexpr TRect ListItemFocus = Bounds(60, 104, 30, 18);
constexpr TRect GridFixedCell = Bounds(90, 104, 40, 18);
constexpr TRect GridSelectCell = Bounds(130, 104, 40, 18);
constexpr TRect GridFocusCell = Bounds(170, 104, 40, 18);
constexpr TRect ListUncheck = Bounds(210, 106, 13, 13);
constexpr TRect ListCheck = Bounds(224, 106, 13, 13);

constexpr TRect CaptionListBoxSkin = Bounds(96, 122, 40, 56);
constexpr TRect ComboSkin = Bounds(136, 122, 40, 22);
constexpr TRect DropDownListSkin = Bounds(176, 122, 40, 22);
constexpr TRect SpinEditSkin = Bounds(216, 122, 40, 22);
constexpr TRect ComboButtonRel{21, 2, 38, 20};

// ---- gauges.bmp (24 bpp)
constexpr int GaugesWidth = 120;
constexpr int GaugesHeight = 64;
constexpr TRect GaugeSkin = Bounds(0, 0, 40, 14);
constexpr TRect GaugeProgress = Bounds(40, 0, 20, 14);
constexpr TRect VGaugeSkin = Bounds(60, 0, 14, 40);
constexpr TRect VGaugeProgress = Bounds(74, 0, 14, 20);
constexpr TRect HTrackSkin = Bounds(0, 14, 40, 22);
constexpr TRect HTrackThumb = Bounds(40, 14, 11, 20);
constexpr TRect HTrackThumbActive = Bounds(51, 14, 11, 20);
constexpr TRect VTrackSkin = Bounds(88, 0, 22, 40);
constexpr TRect VTrackThumb = Bounds(88, 40, 20, 11);
constexpr TRect VTrackThumbActive = Bounds(88, 51, 20, 11);
constexpr TRect SliderHRuler = Bounds(0, 36, 40, 8);
constexpr TRect SliderHThumb = Bounds(40, 36, 11, 16);
constexpr TRect SliderVRuler = Bounds(62, 40, 8, 24);
constexpr TRect SliderVThumb = Bounds(70, 40, 16, 11);

// ---- tabs.bmp (24 bpp)
constexpr int TabsWidth = 168;
constexpr int TabsHeight = 64;
constexpr TRect TabNormal = Bounds(0, 0, 40, 24);
constexpr TRect TabActive = Bounds(40, 0, 40, 24);
constexpr TRect TabFocus = Bounds(80, 0, 40, 24);
constexpr TRect TabMouseIn = Bounds(120, 0, 40, 24);
constexpr TRect TabsBackground = Bounds(160, 0, 8, 24);
constexpr TRect TabPage = Bounds(0, 24, 40, 40);
constexpr int TabEnd = 6;

}  // namespace QuillonLayout
