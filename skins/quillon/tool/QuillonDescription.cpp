// Index
//   Key tables ............... every description kind's keys in reading order, with defaults
//   Writer ................... sections with every key, comments, rule lines, CR LF, GB2312
//   Form sections ............ VERSION, PICTURES, FORMINFO, POPUPWINDOW, HINTWINDOW
//   Objects .................. the 13 skin objects
//   Controls ................. the 59 control descriptions
//   Length ................... the rule lines that bring the text to its fixed length
#include "skins/quillon/tool/QuillonDescription.h"

#include "framework/CodePage.h"
#include "skins/quillon/tool/QuillonLayout.h"
#include "skins/quillon/tool/SkinArt.h"
#include "skins/quillon/tool/SkinTheme.h"

#include <cctype>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

using namespace QuillonLayout;

namespace {

// ---- Key tables. Each kind lists its keys in the order a description reads them (base keys
// first) as "key=default". Every section is written with all of its kind's keys except empty
// rectangles, so the file shows the values a skin author can change; a value the skin does not
// set is the default.
using TKeyTable = std::vector<const char*>;

const TKeyTable ObjectBaseKeys = {"hint=", "activepictureindex=-1", "skinrectinapicture=0", "skinrect=0,0,0,0",
                                  "activeskinrect=0,0,0,0", "inactiveskinrect=0,0,0,0", "morphing=0",
                                  "morphkind=mkdefault"};
const TKeyTable ButtonObjectKeys = {"downrect=0,0,0,0", "disableskinrsect=0,0,0,0"};
const TKeyTable StdButtonObjectKeys = {"command=cmdefault", "restorerect=0,0,0,0", "restoreactiverect=0,0,0,0",
                                       "restoredownrect=0,0,0,0", "restoreinactiverect=0,0,0,0"};
const TKeyTable AnimateKeys = {"countframes=1", "cycle=0", "buttonstyle=0", "timerinterval=50", "command=cmdefault"};
const TKeyTable MenuItemKeys = {"itemleftoffset=0", "itemrightoffset=0", "dividerrect=0,0,0,0",
                                "dividerleftoffset=0", "dividerrightoffset=0", "textrect=0,0,0,0", "fontname=Arial",
                                "fontheight=14", "fontstyle=", "fontcolor=0", "activefontcolor=0",
                                "unenabledfontcolor=0"};
const TKeyTable MainMenuItemKeys = {"itemleftoffset=0", "itemrightoffset=0", "downrect=0,0,0,0", "textrect=0,0,0,0",
                                    "fontname=Arial", "fontheight=14", "fontstyle=", "fontcolor=0",
                                    "activefontcolor=0", "downfontcolor=0", "unenabledfontColor=0"};
const TKeyTable CaptionKeys = {"textrect=0,0,0,0", "fontname=Arial", "fontheight=14", "fontstyle=", "fontcolor=0",
                               "activefontcolor=0", "alignment=tacenter", "shadow=0", "shadowcolor=0",
                               "activeshadowcolor=0", "framerect=0,0,0,0", "activeframerect=0,0,0,0",
                               "frametextrect=0,0,0,0", "frameleftoffset=0", "framerightoffset=0"};

const TKeyTable ControlKeys = {"pictureindex=-1", "maskpictureindex=-1", "skinrect=0,0,0,0"};
const TKeyTable PointKeys = {"lefttoppoint=0,0", "righttoppoint=0,0", "leftbottompoint=0,0", "rightbottompoint=0,0"};
const TKeyTable CustomKeys = {"lefttoppoint=0,0", "righttoppoint=0,0", "leftbottompoint=0,0", "rightbottompoint=0,0",
                              "clientrect=0,0,0,0"};
const TKeyTable FontKeys = {"fontname=Arial", "fontheight=14", "fontstyle=", "fontcolor=0"};
const TKeyTable UpDownButtonKeys = {"upbuttonrect=0,0,0,0", "activeupbuttonrect=0,0,0,0", "downupbuttonrect=0,0,0,0",
                                    "downbuttonrect=0,0,0,0", "activedownbuttonrect=0,0,0,0",
                                    "downdownbuttonrect=0,0,0,0"};

TKeyTable Join(std::initializer_list<const TKeyTable*> parts) {
  TKeyTable all;
  for (const TKeyTable* part : parts) all.insert(all.end(), part->begin(), part->end());
  return all;
}

// The whole key table of a control kind.
TKeyTable ControlKindKeys(const std::string& kind) {
  static const TKeyTable panel = {"bgpictureindex=-1", "captionrect=0,0,0,0", "alignment=tacenter"};
  static const TKeyTable panelTail = {"checkimagerect=0,0,0,0", "uncheckimagerect=0,0,0,0"};
  static const TKeyTable expanel = {
      "rollhskinrect=0,0,0,0", "rollvskinrect=0,0,0,0", "rollleftoffset=0", "rollrightoffset=0", "rolltopoffset=0",
      "rollbottomoffset=0", "rollvcaptionrect=0,0,0,0", "rollhcaptionrect=0,0,0,0", "closebuttonrect=0,0,0,0",
      "closebuttonactiverect=0,0,0,0", "closebuttondownrect=0,0,0,0", "hrollbuttonrect=0,0,0,0",
      "hrollbuttonactiverect=0,0,0,0", "hrollbuttondownrect=0,0,0,0", "hrestorebuttonrect=0,0,0,0",
      "hrestorebuttonactiverect=0,0,0,0", "hrestorebuttondownrect=0,0,0,0", "vrollbuttonrect=0,0,0,0",
      "vrollbuttonactiverect=0,0,0,0", "vrollbuttondownrect=0,0,0,0", "vrestorebuttonrect=0,0,0,0",
      "vrestorebuttonactiverect=0,0,0,0", "vrestorebuttondownrect=0,0,0,0", "captionrect=0,0,0,0"};
  static const TKeyTable button = {"activefontcolor=0", "downfontcolor=0", "disabledfontcolor=0",
                                   "activeskinrect=0,0,0,0", "downskinrect=0,0,0,0", "disabledskinrect=0,0,0,0",
                                   "morphing=0", "morphkind=mkdefault"};
  static const TKeyTable menubutton = {"trackbuttonrect=0,0,0,0"};
  static const TKeyTable checkradio = {
      "activefontcolor=0", "unenabledfontcolor=0", "framefontcolor=0", "activeskinrect=0,0,0,0",
      "checkimagearea=0,0,0,0", "textarea=0,0,0,0", "checkimagerect=0,0,0,0", "uncheckimagerect=0,0,0,0",
      "activecheckimagerect=0,0,0,0", "activeuncheckimagerect=0,0,0,0", "unenabledcheckimagerect=0,0,0,0",
      "unenableduncheckimagerect=0,0,0,0", "morphing=0", "morphkind=mkdefault"};
  static const TKeyTable gauge = {"progressarea=0,0,0,0", "progressrect=0,0,0,0", "beginoffset=0", "endoffset=0",
                                  "vertical=0"};
  static const TKeyTable trackbar = {"trackarea=0,0,0,0", "buttonrect=0,0,0,0", "activebuttonrect=0,0,0,0",
                                     "vertical=0"};
  static const TKeyTable stdlabel = {"activefontcolor=16711680"};
  static const TKeyTable grid = {"fixedcellrect=0,0,0,0", "selectcellrect=0,0,0,0", "focuscellrect=0,0,0,0",
                                 "fixedcellleftoffset=0", "fixedcellrightoffset=0", "fixedcelltextrect=0,0,0,0",
                                 "cellleftoffset=0", "cellrightoffset=0", "celltextrect=0,0,0,0", "linescolor=0",
                                 "bgcolor=0"};
  static const TKeyTable gridTail = {"selectfontcolor=0", "focusfontcolor=0", "fixedfontname=Arial",
                                     "fixedfontheight=14", "fixedfontstyle=", "fixedfontcolor=0"};
  static const TKeyTable tab = {"tabrect=0,0,0,0", "activetabrect=0,0,0,0", "focustabrect=0,0,0,0",
                                "mouseintabrect=0,0,0,0", "clientrect=0,0,0,0", "bgpictureindex=-1"};
  static const TKeyTable tabMiddle = {"tableftoffset=0", "tabrightoffset=0", "tabsbgrect=0,0,0,0"};
  static const TKeyTable tabTail = {"activefontcolor=0", "focusfontcolor=0", "mouseinfontcolor=0", "updown="};
  static const TKeyTable mainmenubar = {"itemsrect=0,0,0,0", "menubaritem=", "closebutton=", "minbutton=",
                                        "maxbutton=", "sysmenubutton=", "trackmarkcolor=0", "trackmarkactivecolor=0"};
  static const TKeyTable controlbar = {"itemrect=0,0,0,0", "bgpictureindex=-1"};
  static const TKeyTable edit = {"activeskinrect=0,0,0,0"};
  static const TKeyTable editTail = {"disabledfontcolor=0", "activefontcolor=0", "buttonrect=0,0,0,0",
                                     "activebuttonrect=0,0,0,0", "downbuttonrect=0,0,0,0",
                                     "unenabledbuttonrect=0,0,0,0"};
  static const TKeyTable memo = {"bgcolor=0", "activebgcolor=0"};
  static const TKeyTable listbox = {"itemrect=0,0,0,0", "activeitemrect=0,0,0,0", "focusitemrect=0,0,0,0",
                                    "itemleftoffset=0", "itemrightoffset=0", "itemtextrect=0,0,0,0"};
  static const TKeyTable listboxTail = {
      "activefontcolor=0", "focusfontcolor=0", "captionrect=0,0,0,0", "captionfontname=Arial",
      "captionfontheight=14", "captionfontstyle=", "captionfontcolor=0", "upbuttonrect=0,0,0,0",
      "activeupbuttonrect=0,0,0,0", "downupbuttonrect=0,0,0,0", "downbuttonrect=0,0,0,0",
      "activedownbuttonrect=0,0,0,0", "downdownbuttonrect=0,0,0,0", "checkbuttonrect=0,0,0,0",
      "activecheckbuttonrect=0,0,0,0", "downcheckbuttonrect=0,0,0,0", "vscrollbarname=vscrollbar",
      "hscrollbarname=hscrollbar", "bothhscrollbarname=bothhscrollbar"};
  static const TKeyTable checklistbox = {"itemcheckrect=0,0,0,0", "checkimagerect=0,0,0,0",
                                         "uncheckimagerect=0,0,0,0"};
  static const TKeyTable combobox = {"itemrect=0,0,0,0", "focusitemrect=0,0,0,0", "itemleftoffset=0",
                                     "itemrightoffset=0", "itemtextrect=0,0,0,0"};
  static const TKeyTable comboboxTail = {"focusfontcolor=0", "listboxname=", "buttonrect=0,0,0,0",
                                         "activebuttonrect=0,0,0,0", "downbuttonrect=0,0,0,0",
                                         "unenabledbuttonrect=0,0,0,0"};
  static const TKeyTable scrollbar = {
      "trackarea=0,0,0,0", "upbuttonrect=0,0,0,0", "activeupbuttonrect=0,0,0,0", "downupbuttonrect=0,0,0,0",
      "downbuttonrect=0,0,0,0", "activedownbuttonrect=0,0,0,0", "downdownbuttonrect=0,0,0,0", "thumbrect=0,0,0,0",
      "activethumbrect=0,0,0,0", "downthumbrect=0,0,0,0", "thumboffset1=0", "thumboffset2=0", "glyphrect=0,0,0,0",
      "activeglyphrect=0,0,0,0", "downglyphrect=0,0,0,0"};
  static const TKeyTable spinedit = {"activefontcolor=0", "disabledfontcolor=0"};
  static const TKeyTable scrollbox = {"bgpictureindex=-1"};
  static const TKeyTable bgcolor = {"bgcolor=0"};
  static const TKeyTable bevel = {"lightcolor=0", "darkcolor=0"};
  static const TKeyTable slider = {"bgcolor=0", "hrulerrect=0,0,0,0", "hthumbrect=0,0,0,0", "vrulerrect=0,0,0,0",
                                   "vthumbrect=0,0,0,0", "edgesize=0", "pointscolor=0"};

  const TKeyTable custom = Join({&ControlKeys, &CustomKeys});
  if (kind == "panel") return Join({&custom, &panel, &FontKeys, &panelTail});
  if (kind == "expanel") return Join({&custom, &expanel, &FontKeys});
  if (kind == "button") return Join({&custom, &FontKeys, &button});
  if (kind == "menubutton") return Join({&custom, &FontKeys, &button, &menubutton});
  if (kind == "checkradio") return Join({&custom, &FontKeys, &checkradio});
  if (kind == "gauge") return Join({&custom, &gauge, &FontKeys});
  if (kind == "splitter") return custom;
  if (kind == "trackbar") return Join({&custom, &trackbar});
  if (kind == "label") return Join({&custom, &FontKeys});
  if (kind == "stdlabel") return Join({&ControlKeys, &FontKeys, &stdlabel});
  if (kind == "updown") return Join({&custom, &UpDownButtonKeys});
  if (kind == "grid") return Join({&ControlKeys, &grid, &FontKeys, &gridTail});
  if (kind == "tab") return Join({&ControlKeys, &tab, &PointKeys, &tabMiddle, &FontKeys, &tabTail});
  if (kind == "mainmenubar") return Join({&ControlKeys, &mainmenubar});
  if (kind == "controlbar") return Join({&custom, &controlbar});
  if (kind == "edit") return Join({&custom, &edit, &FontKeys, &editTail});
  if (kind == "memo") return Join({&custom, &edit, &FontKeys, &editTail, &memo});
  if (kind == "listbox") return Join({&custom, &listbox, &FontKeys, &listboxTail});
  if (kind == "checklistbox") return Join({&custom, &listbox, &FontKeys, &listboxTail, &checklistbox});
  if (kind == "combobox") return Join({&custom, &combobox, &FontKeys, &comboboxTail});
  if (kind == "scrollbar") return Join({&custom, &scrollbar});
  if (kind == "spinedit") return Join({&custom, &edit, &FontKeys, &spinedit, &UpDownButtonKeys});
  if (kind == "scrollbox") return Join({&custom, &scrollbox});
  if (kind == "treeview" || kind == "listview" || kind == "richedit") return Join({&ControlKeys, &FontKeys, &bgcolor});
  if (kind == "bevel") return Join({&ControlKeys, &bevel});
  if (kind == "slider") return Join({&ControlKeys, &slider});
  throw std::logic_error("no key table for control kind " + kind);
}

TKeyTable ObjectKindKeys(const std::string& kind) {
  if (kind == "menuitem") return Join({&ObjectBaseKeys, &MenuItemKeys});
  if (kind == "mainmenubaritem") return Join({&ObjectBaseKeys, &MainMenuItemKeys});
  if (kind == "mainmenubarbutton" || kind == "stdbutton")
    return Join({&ObjectBaseKeys, &ButtonObjectKeys, &StdButtonObjectKeys});
  if (kind == "button") return Join({&ObjectBaseKeys, &ButtonObjectKeys});
  if (kind == "caption") return Join({&ObjectBaseKeys, &CaptionKeys});
  if (kind == "animate") return Join({&ObjectBaseKeys, &AnimateKeys});
  throw std::logic_error("no key table for object kind " + kind);
}

// ---- Values as the description writes them.
std::string V(int v) { return std::to_string(v); }
std::string V(TRect r) { return V(r.Left) + "," + V(r.Top) + "," + V(r.Right) + "," + V(r.Bottom); }
std::string V(TPoint p) { return V(p.X) + "," + V(p.Y); }
std::string V(TRgb c) { return std::to_string(ColorValue(c)); }

using TValues = std::vector<std::pair<std::string, std::string>>;

// ---- Writer.
class TDescriptionWriter {
 public:
  explicit TDescriptionWriter(const TSkinTheme& theme) : FTheme(theme) {}
  // A comment line (UTF-8 here; the whole text becomes GB2312 at the end).
  void Comment(const std::string& text) { Line("; " + text); }
  void Blank() { Line(""); }
  // A rule line that opens each group of sections; its length is settled at the end.
  void Rule() {
    FRules.push_back(FLines.size());
    Line(";");
  }
  void Section(const std::string& name) { Line("[" + name + "]"); }
  // The section with every key of its table; values not given keep the default. A given key
  // that the table does not have is a mistake in this program, not in the skin.
  void KeyedSection(const std::string& name, const TKeyTable& table, const TValues& values) {
    std::map<std::string, std::string> given;
    for (const auto& [key, value] : values) {
      if (!given.emplace(key, value).second) throw std::logic_error(name + ": key " + key + " given twice");
    }
    Section(name);
    for (const char* entry : table) {
      const std::string text = entry;
      const std::size_t eq = text.find('=');
      const std::string key = text.substr(0, eq);
      auto it = given.find(key);
      const std::string value = it != given.end() ? it->second : text.substr(eq + 1);
      if (it != given.end()) given.erase(it);
      // An empty rectangle is what a missing key reads as; leaving those out keeps the
      // sections down to the looks they really use.
      if (value != "0,0,0,0") Line(key + "=" + Themed(key, value));
    }
    if (!given.empty()) throw std::logic_error(name + ": no key " + given.begin()->first + " in its table");
  }
  void Keys(const TValues& values) {
    for (const auto& [key, value] : values) Line(key + "=" + Themed(key, value));
  }

  // The text in GB2312 with CR LF line ends, its rule lines lengthened so that the text has
  // exactly the given length in bytes (none: each rule line stays a bare ";").
  std::string Text(std::optional<std::size_t> fixedLength) {
    std::string text = Encode();
    if (!fixedLength) return text;
    const std::size_t length = *fixedLength;
    if (text.size() > length) throw std::logic_error("the description is " + std::to_string(text.size()) +
                                                     " bytes, more than " + std::to_string(length));
    // Spread the missing bytes over the rule lines, as dashes, earlier rules one longer.
    const std::size_t missing = length - text.size();
    const std::size_t each = missing / FRules.size(), extra = missing % FRules.size();
    for (std::size_t i = 0; i < FRules.size(); ++i) {
      const std::size_t dashes = each + (i < extra ? 1 : 0);
      FLines[FRules[i]] = dashes == 0 ? ";" : "; " + std::string(dashes - 1, '-');
    }
    text = Encode();
    if (text.size() != length) throw std::logic_error("the description did not come to its length");
    return text;
  }

 private:
  void Line(std::string text) { FLines.push_back(std::move(text)); }
  // Every key whose name ends in "color" holds a colour value (0x00BBGGRR in decimal): it is
  // written in the theme's colours, like the pictures.
  std::string Themed(const std::string& key, const std::string& value) const {
    std::string lower = key;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!FTheme.Dark || !lower.ends_with("color")) return value;
    const std::uint32_t v = static_cast<std::uint32_t>(std::stoul(value));
    return V(ThemeColour(FTheme, Rgb(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF)));
  }
  std::string Encode() const {
    std::string all;
    for (const std::string& line : FLines) all += line + "\r\n";
    const std::string gb = Utf8ToCodePage(all, CP_GB2312);
    if (CodePageToUtf8(gb, CP_GB2312) != all) throw std::logic_error("the description has text GB2312 cannot hold");
    return gb;
  }

  const TSkinTheme& FTheme;
  std::vector<std::string> FLines;
  std::vector<std::size_t> FRules;
};

// ---- Fonts and colours of the texts.
const std::string SongTi = "宋体";  // the GB2312 system font the Chinese interface is set in
constexpr TRgb TextColour = Rgb(30, 30, 30);
constexpr TRgb TextActive = Rgb(16, 52, 110);
constexpr TRgb TextDisabled = Rgb(160, 164, 170);
constexpr TRgb AccentColour = Rgb(36, 110, 205);

TValues Font(int height = 12, TRgb colour = TextColour) {
  return {{"fontname", SongTi}, {"fontheight", V(height)}, {"fontstyle", ""}, {"fontcolor", V(colour)}};
}
TValues operator+(TValues a, const TValues& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
TValues Points(TPoint lt, TPoint rt, TPoint lb, TPoint rb) {
  return {{"lefttoppoint", V(lt)}, {"righttoppoint", V(rt)}, {"leftbottompoint", V(lb)}, {"rightbottompoint", V(rb)}};
}
// Corner points and client rectangle of a look framed by border pixels on every side.
TValues Frame(TRect skin, int border) {
  const int w = skin.Width(), h = skin.Height();
  return Points({border, border}, {w - border, border}, {border, h - border}, {w - border, h - border}) +
         TValues{{"clientrect", V(TRect{border, border, w - border, h - border})}};
}
TValues Picture(int index, TRect skin) { return {{"pictureindex", V(index)}, {"skinrect", V(skin)}}; }

}  // namespace

namespace {

constexpr std::size_t DescriptionLength = 32276;

void WriteFormSections(TDescriptionWriter& w, const TQuillonArt& art, const TSkinTheme& theme) {
  w.Section("VERSION");
  w.Keys({{"skinname", theme.SkinName},
          {"skinauthor", "Quillon"},
          {"authoremail", ""},
          {"authorurl", ""},
          {"skincomments", theme.Comments}});
  w.Blank();
  w.Comment(theme.Dark ? "Quillon's dark skin, drawn by skins/quillon/tool (draw_quillon_skin --dark): do not edit by hand,"
                       : "Quillon's own skin, drawn by skins/quillon/tool (draw_quillon_skin): do not edit by hand,");
  w.Comment("change the program and draw it again. Object and control sections list every key of");
  w.Comment("their kind in reading order; rectangles a look does not use are left out (0,0,0,0).");
  w.Blank();
  w.Rule();
  w.Comment("Pictures. The frame is 24 bits, its mask 1 bit (black is inside the window);");
  w.Comment("the active pictures are numbered from 0 in the order of this list.");
  w.Section("PICTURES");
  TValues pictures = {{"picture", art.Main.FileName}, {"inactivepicture", ""}, {"mask", art.Mask.FileName},
                      {"activepicturescount", V(static_cast<int>(art.Active.size()))}};
  for (std::size_t i = 0; i < art.Active.size(); ++i) pictures.push_back({V(static_cast<int>(i)), art.Active[i].FileName});
  w.Keys(pictures);
  w.Blank();
  w.Rule();
  w.Comment("The window frame: corners stay, the left and right edges stretch, the caption and");
  w.Comment("the bottom band tile. Caption buttons line up from the right end of buttonsrect.");
  w.Section("FORMINFO");
  w.Keys({{"lefttoppoint", V(FormLeftTop)},
          {"righttoppoint", V(FormRightTop)},
          {"leftbottompoint", V(FormLeftBottom)},
          {"rightbottompoint", V(FormRightBottom)},
          {"clientrect", V(FormClient)},
          {"bgpictureindex", "-1"},
          {"mdibgpictureindex", V(PicPattern)},
          {"leftstretch", "1"},
          {"rightstretch", "1"},
          {"topstretch", "0"},
          {"bottomstretch", "0"},
          {"maskrectarea", V(FormMaskArea)},
          {"hittestlefttoppoint", V(FormLeftTop)},
          {"hittestrighttoppoint", V(FormRightTop)},
          {"hittestleftbottompoint", V(FormLeftBottom)},
          {"hittestrightbottompoint", V(FormRightBottom)},
          {"buttonsrect", V(FormButtons)},
          {"captionrect", V(Empty)},
          {"buttonsoffset", V(FormButtonsOffset)},
          {"buttonsinleft", "0"},
          {"mainmenupopupup", "0"},
          {"borderwidth", V(FormBorderWidth)},
          {"autorenderinginactiveimage", "1"},
          {"inactiveeffect", "iebrightness"}});
  w.Blank();
  w.Rule();
  w.Comment("Popup menus: a white panel with rounded corners, shaped by its mask.");
  w.Section("POPUPWINDOW");
  w.Keys({{"windowpictureindex", V(PicPopup)},
          {"maskpictureindex", V(PicPopupMask)},
          {"lefttoppoint", V(PopupLeftTop)},
          {"righttoppoint", V(PopupRightTop)},
          {"leftbottompoint", V(PopupLeftBottom)},
          {"rightbottompoint", V(PopupRightBottom)},
          {"itemsrect", V(PopupItems)},
          {"scrollmarkercolor", V(Rgb(150, 158, 170))},
          {"scrollmarkeractivecolor", V(AccentColour)},
          {"leftstretch", "1"},
          {"rightstretch", "1"},
          {"topstretch", "1"},
          {"bottomstretch", "1"}});
  w.Blank();
  w.Rule();
  w.Comment("Hints: 48 x 26 with the text area 9,6,39,20, so a hint is its text plus 18 x 12.");
  w.Section("HINTWINDOW");
  w.Keys(TValues{{"windowpictureindex", V(PicHint)},
                 {"maskpictureindex", V(PicHintMask)},
                 {"lefttoppoint", V(HintLeftTop)},
                 {"righttoppoint", V(HintRightTop)},
                 {"leftbottompoint", V(HintLeftBottom)},
                 {"rightbottompoint", V(HintRightBottom)},
                 {"clientrect", V(HintClient)}} +
         Font(12, Rgb(40, 44, 52)) +
         TValues{{"leftstretch", "1"}, {"rightstretch", "1"}, {"topstretch", "1"}, {"bottomstretch", "1"}});
  w.Blank();
}

struct TEntry {
  std::string Name;
  std::string Kind;
  std::string Comment;
  TValues Values;
};

TValues CaptionAnimation(const char* hint, int row, const char* command) {
  return {{"hint", hint},
          {"activepictureindex", V(PicCaptionButtons)},
          {"skinrectinapicture", "1"},
          {"skinrect", V(CaptionFrame(row))},
          {"activeskinrect", V(CaptionStrip(row))},
          {"countframes", V(CaptionFrameCount)},
          {"cycle", "0"},
          {"buttonstyle", "1"},
          {"timerinterval", "50"},
          {"command", command}};
}

TValues MenuBarButtonObject(int column, const char* command) {
  return {{"activepictureindex", V(PicMenuBar)}, {"skinrectinapicture", "1"},
          {"skinrect", V(MenuBarButton(column, 0))}, {"activeskinrect", V(MenuBarButton(column, 1))},
          {"downrect", V(MenuBarButton(column, 2))}, {"command", command}};
}

std::vector<TEntry> Objects() {
  return {
      {"MENUITEM", "menuitem", "Items of every popup menu; the hot item fades in over five steps.",
       TValues{{"activepictureindex", V(PicMenuItem)},
               {"skinrectinapicture", "1"},
               {"skinrect", V(MenuItemNormal)},
               {"activeskinrect", V(MenuItemActive)},
               {"morphing", "1"},
               {"morphkind", "mkdefault"},
               {"itemleftoffset", V(MenuItemEnd)},
               {"itemrightoffset", V(MenuItemEnd)},
               {"dividerrect", V(MenuDivider)},
               {"dividerleftoffset", V(MenuItemEnd)},
               {"dividerrightoffset", V(MenuItemEnd)},
               {"textrect", V(MenuItemText)}} +
           Font(12) + TValues{{"activefontcolor", V(TextActive)}, {"unenabledfontcolor", V(TextDisabled)}}},
      {"caption", "caption", "The window title, left-aligned: grey while inactive, black while active.",
       {{"skinrect", V(CaptionRect)},
        {"textrect", V(CaptionTextRect)},
        {"fontname", SongTi},
        {"fontheight", "14"},
        {"fontcolor", V(Rgb(128, 128, 128))},
        {"activefontcolor", "0"},
        {"alignment", "taleftjustify"}}},
      {"CloseAnimate", "animate", "Caption buttons: five 8 x 8 frames each, 50 ms apart.",
       CaptionAnimation("Close", CaptionRowClose, "cmclose")},
      {"MaxAnimate", "animate", "", CaptionAnimation("Maximize", CaptionRowMax, "cmmaximize")},
      {"MinAnimate", "animate", "", CaptionAnimation("Minimize", CaptionRowMin, "cmminimize")},
      {"RollUpAnimate", "animate", "", CaptionAnimation("Roll Up", CaptionRowRollUp, "cmrollup")},
      {"mainmenubaritem", "mainmenubaritem", "Items of the main menu bar.",
       TValues{{"activepictureindex", V(PicMenuBar)},
               {"skinrectinapicture", "1"},
               {"skinrect", V(MenuBarItemNormal)},
               {"activeskinrect", V(MenuBarItemActive)},
               {"morphing", "1"},
               {"itemleftoffset", V(MenuBarItemEnd)},
               {"itemrightoffset", V(MenuBarItemEnd)},
               {"downrect", V(MenuBarItemDown)},
               {"textrect", V(MenuBarItemText)}} +
           Font(12) +
           TValues{{"activefontcolor", V(TextActive)}, {"downfontcolor", V(TextActive)},
                   {"unenabledfontColor", V(TextDisabled)}}},
      {"sysmenuanimate", "animate",
       "The system-menu icon: its normal look is part of the frame picture, so it keeps its place.",
       {{"hint", "System menu"},
        {"activepictureindex", V(PicCaptionButtons)},
        {"skinrectinapicture", "0"},
        {"skinrect", V(SysMenuRect)},
        {"activeskinrect", V(SysMenuStrip)},
        {"countframes", V(CaptionFrameCount)},
        {"cycle", "0"},
        {"buttonstyle", "1"},
        {"timerinterval", "50"},
        {"command", "cmsysmenu"}}},
      {"menubarsysmenubutton", "mainmenubarbutton", "Buttons of a maximized child window on the menu bar.",
       MenuBarButtonObject(0, "cmsysmenu")},
      {"menubarclosebutton", "mainmenubarbutton", "", MenuBarButtonObject(1, "cmclose")},
      {"menubarmaxbutton", "mainmenubarbutton", "", MenuBarButtonObject(2, "cmmaximize")},
      {"menubarminbutton", "mainmenubarbutton", "", MenuBarButtonObject(3, "cmminimize")},
      {"trayanimate", "animate", "Minimize to the notification area.",
       CaptionAnimation("Minimize to Tray", CaptionRowTray, "cmminimizetotray")},
  };
}

TValues ButtonLooks(const TLooks& looks) {
  return {{"activeskinrect", V(looks.Active)},
          {"downskinrect", V(looks.Down)},
          {"disabledskinrect", V(looks.Disabled)},
          {"activefontcolor", V(TextColour)},
          {"downfontcolor", V(TextColour)},
          {"disabledfontcolor", V(TextDisabled)},
          {"morphing", "1"},
          {"morphkind", "mkdefault"}};
}
// A push button that grows sideways only: fixed ends of 18 and 19 pixels around a tiled middle.
TValues PushButton(const TLooks& looks) {
  return Picture(PicControls, looks.Normal) +
         Points(ButtonLeftTop, ButtonRightTop, {0, 0}, {0, 0}) + TValues{{"clientrect", V(ButtonClient)}} +
         Font() + ButtonLooks(looks);
}
TValues FramedButton(const TLooks& looks, int border) {
  return Picture(PicControls, looks.Normal) + Frame(looks.Normal, border) + Font() + ButtonLooks(looks);
}
TValues ExPanel(bool withClose) {
  const TRect skin = CaptionPanelSkin;
  TValues v = Picture(PicControls, skin) + Points({6, 19}, {34, 19}, {6, 34}, {34, 34}) +
              TValues{{"clientrect", "3,20,37,37"},
                      {"rollhskinrect", V(ExPanelRollH)},
                      {"rollvskinrect", V(ExPanelRollV)},
                      {"rollleftoffset", "4"},
                      {"rollrightoffset", "4"},
                      {"rolltopoffset", "4"},
                      {"rollbottomoffset", "4"},
                      {"rollvcaptionrect", "2,16,18,36"},
                      {"rollhcaptionrect", "6,2,26,18"}};
  const char* names[] = {"closebutton", "hrollbutton", "hrestorebutton", "vrollbutton", "vrestorebutton"};
  for (int kind = withClose ? 0 : 1; kind < 5; ++kind) {
    const std::string name = names[kind];
    v.push_back({name + "rect", V(ExPanelButton(kind, 0))});
    v.push_back({name + "activerect", V(ExPanelButton(kind, 1))});
    v.push_back({name + "downrect", V(ExPanelButton(kind, 2))});
  }
  return v + TValues{{"captionrect", "6,1,24,18"}} + Font();
}
TValues CheckRadio(int kind) {
  return Picture(PicChecks, CheckBackground) + Frame(CheckBackground, 2) + Font() +
         TValues{{"activefontcolor", V(TextColour)},
                 {"unenabledfontcolor", V(TextDisabled)},
                 {"framefontcolor", V(AccentColour)},
                 {"activeskinrect", V(CheckBackground)},
                 {"checkimagearea", "0,3,13,16"},
                 {"textarea", "17,0,20,20"},
                 {"checkimagerect", V(CheckImage(kind, 1))},
                 {"uncheckimagerect", V(CheckImage(kind, 0))},
                 {"activecheckimagerect", V(CheckImage(kind, 3))},
                 {"activeuncheckimagerect", V(CheckImage(kind, 2))},
                 {"unenabledcheckimagerect", V(CheckImage(kind, 5))},
                 {"unenableduncheckimagerect", V(CheckImage(kind, 4))}};
}
TValues Edit(TRect skin, TRect active) {
  return Picture(PicControls, skin) + Frame(skin, 3) + TValues{{"activeskinrect", V(active)}} + Font() +
         TValues{{"disabledfontcolor", V(TextDisabled)}, {"activefontcolor", V(TextColour)}};
}
TValues DropButtonLooks() {
  return {{"buttonrect", V(ComboButtonRel)},
          {"activebuttonrect", V(DropButton.Active)},
          {"downbuttonrect", V(DropButton.Down)},
          {"unenabledbuttonrect", V(DropButton.Disabled)}};
}
TValues ListItems() {
  return {{"itemrect", V(ListItemNormal)}, {"activeitemrect", V(ListItemActive)}, {"focusitemrect", V(ListItemFocus)},
          {"itemleftoffset", "2"},         {"itemrightoffset", "2"},              {"itemtextrect", "4,0,26,18"}};
}
TValues ListBox(TRect skin, bool caption) {
  TValues v = Picture(PicControls, skin);
  if (caption)
    v = v + Points({4, 19}, {36, 19}, {4, 53}, {36, 53}) + TValues{{"clientrect", "1,19,39,53"}};
  else
    v = v + Frame(skin, 3);
  v = v + ListItems() + Font() +
      TValues{{"activefontcolor", V(TextActive)},
              {"focusfontcolor", V(TextActive)},
              {"captionrect", caption ? "4,1,36,18" : "0,0,0,0"},
              {"captionfontname", SongTi},
              {"captionfontheight", "12"},
              {"captionfontstyle", caption ? "fsbold" : ""},
              {"captionfontcolor", V(TextColour)},
              {"vscrollbarname", "vscrollbar"},
              {"hscrollbarname", "hscrollbar"},
              {"bothhscrollbarname", "bothhscrollbar"}};
  return v;
}
TValues ComboBox(TRect skin) {
  return Picture(PicControls, skin) + Points({3, 3}, {20, 3}, {3, 19}, {20, 19}) +
         TValues{{"clientrect", "3,3,20,19"},
                 {"itemrect", V(ListItemNormal)},
                 {"focusitemrect", V(ListItemActive)},
                 {"itemleftoffset", "2"},
                 {"itemrightoffset", "2"},
                 {"itemtextrect", "3,0,27,18"}} +
         Font() + TValues{{"focusfontcolor", V(TextActive)}, {"listboxname", "listbox"}} + DropButtonLooks();
}
TValues ScrollBar(bool horizontal) {
  const TRect skin = horizontal ? HScrollSkin : VScrollSkin;
  const TLooks& thumb = horizontal ? HThumb : VThumb;
  TValues v = Picture(PicControls, skin);
  if (horizontal)
    v = v + Points({16, 0}, {48, 0}, {0, 0}, {0, 0}) +
        TValues{{"clientrect", "16,0,48,16"},
                {"trackarea", "16,0,48,16"},
                {"upbuttonrect", "0,0,16,16"},
                {"activeupbuttonrect", V(LeftArrowActive)},
                {"downupbuttonrect", V(LeftArrowDown)},
                {"downbuttonrect", "48,0,64,16"},
                {"activedownbuttonrect", V(RightArrowActive)},
                {"downdownbuttonrect", V(RightArrowDown)}};
  else
    v = v + Points({0, 16}, {0, 0}, {0, 40}, {0, 0}) +
        TValues{{"clientrect", "0,16,16,40"},
                {"trackarea", "0,16,16,40"},
                {"upbuttonrect", "0,0,16,16"},
                {"activeupbuttonrect", V(UpArrowActive)},
                {"downupbuttonrect", V(UpArrowDown)},
                {"downbuttonrect", "0,40,16,56"},
                {"activedownbuttonrect", V(DownArrowActive)},
                {"downdownbuttonrect", V(DownArrowDown)}};
  return v + TValues{{"thumbrect", V(thumb.Normal)},
                     {"activethumbrect", V(thumb.Active)},
                     {"downthumbrect", V(thumb.Down)},
                     {"thumboffset1", "5"},
                     {"thumboffset2", "5"},
                     {"glyphrect", V(ThumbGrip.Normal)},
                     {"activeglyphrect", V(ThumbGrip.Active)},
                     {"downglyphrect", V(ThumbGrip.Down)}};
}
TValues UpDown(TRect skin, TRect up, TRect upActive, TRect upDown, TRect down, TRect downActive, TRect downDown) {
  return Picture(PicControls, skin) + TValues{{"upbuttonrect", V(up)},
                                              {"activeupbuttonrect", V(upActive)},
                                              {"downupbuttonrect", V(upDown)},
                                              {"downbuttonrect", V(down)},
                                              {"activedownbuttonrect", V(downActive)},
                                              {"downdownbuttonrect", V(downDown)}};
}
TValues Tab() {
  return Picture(PicTabs, TabPage) +
         TValues{{"tabrect", V(TabNormal)},
                 {"activetabrect", V(TabActive)},
                 {"focustabrect", V(TabFocus)},
                 {"mouseintabrect", V(TabMouseIn)},
                 {"clientrect", "2,1,38,38"}} +
         Points({4, 4}, {36, 4}, {4, 36}, {36, 36}) +
         TValues{{"tableftoffset", V(TabEnd)}, {"tabrightoffset", V(TabEnd)}, {"tabsbgrect", V(TabsBackground)}} +
         Font() +
         TValues{{"activefontcolor", V(TextColour)},
                 {"focusfontcolor", V(TextActive)},
                 {"mouseinfontcolor", V(TextActive)},
                 {"updown", "hupdown"}};
}
TValues ControlBar() {
  return Picture(PicControls, ControlBarSkin) + Points({10, 4}, {36, 4}, {10, 18}, {36, 18}) +
         TValues{{"clientrect", "10,2,38,20"}, {"itemrect", "10,2,38,20"}};
}
TValues ColourOnly(TRgb background) {
  return Picture(PicControls, EditNormal) + Font() + TValues{{"bgcolor", V(background)}};
}

std::vector<TEntry> Controls() {
  return {
      {"panel", "panel", "Panels and labels.", Picture(PicControls, PanelSkin) + Frame(PanelSkin, 5) + Font()},
      {"groupbox", "panel", "",
       Picture(PicControls, GroupBoxSkin) + Points({6, 14}, {34, 14}, {6, 34}, {34, 34}) +
           TValues{{"clientrect", "6,16,34,34"}, {"captionrect", "8,0,32,16"}, {"alignment", "taleftjustify"}} + Font()},
      {"captionpanel", "panel", "",
       Picture(PicControls, CaptionPanelSkin) + Points({6, 19}, {34, 19}, {6, 34}, {34, 34}) +
           TValues{{"clientrect", "3,20,37,37"}, {"captionrect", "6,1,34,18"}, {"alignment", "taleftjustify"}} +
           Font()},
      {"statusbar", "panel", "", Picture(PicControls, StatusBarSkin) + Frame(StatusBarSkin, 4) + Font()},
      {"toolpanel", "panel", "", Picture(PicControls, ToolPanelSkin) + Frame(ToolPanelSkin, 4) + Font()},
      {"expanel", "expanel", "", ExPanel(true)},
      {"toolexpanel", "expanel", "", ExPanel(false)},
      {"menubutton", "menubutton", "Buttons.", PushButton(Button) + TValues{{"trackbuttonrect", "31,2,45,24"}}},
      {"toolmenubutton", "menubutton", "", FramedButton(ToolButton, 5) + TValues{{"trackbuttonrect", "14,2,20,20"}}},
      {"button", "button", "", PushButton(Button)},
      {"defaultbutton", "button", "", PushButton(DefaultButton)},
      {"toolbutton", "button", "", FramedButton(ToolButton, 5)},
      {"bigtoolbutton", "button", "", FramedButton(BigToolButton, 6)},
      {"speedbutton", "button", "", FramedButton(ToolButton, 5)},
      {"smalltoolbutton", "button", "", FramedButton(ToolButton, 4)},
      {"resizebutton", "button", "Any-size buttons: up-down buttons off their skin size, button-style tabs.",
       FramedButton(ResizeButton, 5)},
      {"checkbox", "checkradio", "Check boxes and radio buttons.", CheckRadio(0)},
      {"radiobox", "checkradio", "", CheckRadio(1)},
      {"gauge", "gauge", "Gauges, splitters, track bars.",
       Picture(PicGauges, GaugeSkin) + Points({4, 3}, {36, 3}, {4, 11}, {36, 11}) +
           TValues{{"clientrect", "2,2,38,12"},
                   {"progressarea", "2,2,38,12"},
                   {"progressrect", V(GaugeProgress)},
                   {"beginoffset", "2"},
                   {"endoffset", "2"},
                   {"vertical", "0"}} +
           Font()},
      {"vgauge", "gauge", "",
       Picture(PicGauges, VGaugeSkin) + Points({3, 4}, {11, 4}, {3, 36}, {11, 36}) +
           TValues{{"clientrect", "2,2,12,38"},
                   {"progressarea", "2,2,12,38"},
                   {"progressrect", V(VGaugeProgress)},
                   {"beginoffset", "2"},
                   {"endoffset", "2"},
                   {"vertical", "1"}} +
           Font()},
      {"hsplitter", "splitter", "", Picture(PicControls, HSplitterSkin) + Points({10, 0}, {30, 0}, {0, 0}, {0, 0})},
      {"vsplitter", "splitter", "", Picture(PicControls, VSplitterSkin) + Points({0, 10}, {0, 0}, {0, 30}, {0, 0})},
      {"htrackbar", "trackbar", "",
       Picture(PicGauges, HTrackSkin) + Points({6, 0}, {34, 0}, {0, 0}, {0, 0}) +
           TValues{{"clientrect", "6,0,34,22"},
                   {"trackarea", "6,0,34,22"},
                   {"buttonrect", V(HTrackThumb)},
                   {"activebuttonrect", V(HTrackThumbActive)}}},
      {"vtrackbar", "trackbar", "",
       Picture(PicGauges, VTrackSkin) + Points({0, 6}, {0, 0}, {0, 34}, {0, 0}) +
           TValues{{"clientrect", "0,6,22,34"},
                   {"trackarea", "0,6,22,34"},
                   {"buttonrect", V(VTrackThumb)},
                   {"activebuttonrect", V(VTrackThumbActive)},
                   {"vertical", "1"}}},
      {"label", "label", "Labels.", Picture(PicControls, LabelSkin) + Frame(LabelSkin, 4) + Font()},
      {"captionlabel", "label", "",
       Picture(PicControls, CaptionLabelSkin) + Points({2, 2}, {12, 2}, {2, 11}, {12, 11}) +
           TValues{{"clientrect", "2,2,12,11"}, {"fontname", SongTi}, {"fontheight", "12"},
                   {"fontstyle", "fsbold"}, {"fontcolor", V(TextColour)}}},
      {"framelabel", "label", "", Picture(PicControls, PanelSkin) + Frame(PanelSkin, 5) + Font()},
      {"stdlabel", "stdlabel", "", Font() + TValues{{"activefontcolor", V(AccentColour)}}},
      {"linklabel", "stdlabel", "",
       TValues{{"fontname", SongTi}, {"fontheight", "12"}, {"fontstyle", "fsunderline"},
               {"fontcolor", V(AccentColour)}, {"activefontcolor", V(Rgb(74, 146, 232))}}},
      {"hupdown", "updown", "Up-down controls at their skin size.",
       UpDown(HUpDownSkin, HUpDownUp, HUpDownUpActive, HUpDownUpPressed, HUpDownDown, HUpDownDownActive,
              HUpDownDownPressed)},
      {"vupdown", "updown", "",
       UpDown(VUpDownSkin, VUpDownUp, VUpDownUpActive, VUpDownUpPressed, VUpDownDown, VUpDownDownActive,
              VUpDownDownPressed)},
      {"grid", "grid", "Grids, tabs, the menu bar and bars.",
       Picture(PicControls, EditNormal) +
           TValues{{"fixedcellrect", V(GridFixedCell)},
                   {"selectcellrect", V(GridSelectCell)},
                   {"focuscellrect", V(GridFocusCell)},
                   {"fixedcellleftoffset", "3"},
                   {"fixedcellrightoffset", "3"},
                   {"fixedcelltextrect", "3,0,37,18"},
                   {"cellleftoffset", "2"},
                   {"cellrightoffset", "2"},
                   {"celltextrect", "3,0,37,18"},
                   {"linescolor", V(Rgb(226, 229, 234))},
                   {"bgcolor", V(Rgb(255, 255, 255))}} +
           Font() +
           TValues{{"selectfontcolor", V(TextActive)},
                   {"focusfontcolor", V(TextActive)},
                   {"fixedfontname", SongTi},
                   {"fixedfontheight", "12"},
                   {"fixedfontcolor", V(TextColour)}}},
      {"tab", "tab", "", Tab()},
      {"bottomtab", "tab", "", Tab()},
      {"mainmenubar", "mainmenubar", "",
       Picture(PicMenuBar, MenuBarSkin) + TValues{{"itemsrect", V(MenuBarItems)},
                                                  {"menubaritem", "mainmenubaritem"},
                                                  {"closebutton", "menubarclosebutton"},
                                                  {"minbutton", "menubarminbutton"},
                                                  {"maxbutton", "menubarmaxbutton"},
                                                  {"sysmenubutton", "menubarsysmenubutton"},
                                                  {"trackmarkcolor", V(Rgb(150, 158, 170))},
                                                  {"trackmarkactivecolor", V(AccentColour)}}},
      {"controlbar", "controlbar", "", ControlBar()},
      {"toolbar", "controlbar", "", ControlBar()},
      {"memo", "memo", "Text fields.",
       Edit(EditNormal, EditFocused) + TValues{{"bgcolor", V(Rgb(255, 255, 255))}, {"activebgcolor", V(Rgb(255, 255, 255))}}},
      {"readonlymemo", "memo", "",
       Edit(EditReadOnly, EditReadOnly) + TValues{{"bgcolor", V(Rgb(246, 247, 248))}, {"activebgcolor", V(Rgb(246, 247, 248))}}},
      {"edit", "edit", "", Edit(EditNormal, EditFocused)},
      {"buttonedit", "edit", "",
       Picture(PicControls, ComboSkin) + Points({3, 3}, {20, 3}, {3, 19}, {20, 19}) +
           TValues{{"clientrect", "3,3,20,19"}} + Font() +
           TValues{{"disabledfontcolor", V(TextDisabled)}, {"activefontcolor", V(TextColour)}} + DropButtonLooks()},
      {"readonlyedit", "edit", "", Edit(EditReadOnly, EditReadOnly)},
      {"checklistbox", "checklistbox", "Lists and combo boxes.",
       ListBox(EditNormal, false) + TValues{{"itemcheckrect", "3,2,16,15"},
                                            {"checkimagerect", V(ListCheck)},
                                            {"uncheckimagerect", V(ListUncheck)}}},
      {"listbox", "listbox", "", ListBox(EditNormal, false)},
      {"captionlistbox", "listbox", "", ListBox(CaptionListBoxSkin, true)},
      {"combobox", "combobox", "", ComboBox(ComboSkin)},
      {"dropdownlist", "combobox", "", ComboBox(DropDownListSkin)},
      {"hscrollbar", "scrollbar", "Scroll bars and spin edits.", ScrollBar(true)},
      {"vscrollbar", "scrollbar", "", ScrollBar(false)},
      {"bothhscrollbar", "scrollbar", "", ScrollBar(true)},
      {"bothvscrollbar", "scrollbar", "", ScrollBar(false)},
      {"spinedit", "spinedit", "",
       Picture(PicControls, SpinEditSkin) + Points({3, 3}, {22, 3}, {3, 19}, {22, 19}) +
           TValues{{"clientrect", "3,3,22,19"}} + Font() +
           TValues{{"activefontcolor", V(TextColour)},
                   {"disabledfontcolor", V(TextDisabled)},
                   {"upbuttonrect", V(SpinUpRel)},
                   {"activeupbuttonrect", V(SpinUpActive)},
                   {"downupbuttonrect", V(SpinUpDown)},
                   {"downbuttonrect", V(SpinDownRel)},
                   {"activedownbuttonrect", V(SpinDownActive)},
                   {"downdownbuttonrect", V(SpinDownDown)}}},
      {"scrollbox", "scrollbox", "Boxes, views and the rest.",
       Picture(PicControls, PanelSkin) + Frame(PanelSkin, 5) + TValues{{"bgpictureindex", V(PicPattern)}}},
      {"treeview", "treeview", "", ColourOnly(Rgb(255, 255, 255))},
      {"listview", "listview", "", ColourOnly(Rgb(255, 255, 255))},
      {"richedit", "richedit", "", ColourOnly(Rgb(255, 255, 255))},
      {"bevel", "bevel", "", {{"lightcolor", V(Rgb(255, 255, 255))}, {"darkcolor", V(Rgb(204, 208, 215))}}},
      {"lightbevel", "bevel", "", {{"lightcolor", V(Rgb(255, 255, 255))}, {"darkcolor", V(Rgb(226, 229, 234))}}},
      {"slider", "slider", "",
       {{"pictureindex", V(PicGauges)},
        {"skinrect", V(SliderHRuler)},
        {"bgcolor", V(Rgb(240, 240, 240))},
        {"hrulerrect", V(SliderHRuler)},
        {"hthumbrect", V(SliderHThumb)},
        {"vrulerrect", V(SliderVRuler)},
        {"vthumbrect", V(SliderVThumb)},
        {"edgesize", "5"},
        {"pointscolor", V(Rgb(150, 158, 170))}}},
  };
}

void WriteList(TDescriptionWriter& w, const std::string& list, const std::vector<TEntry>& entries, bool objects) {
  w.Section(list);
  TValues keys = {{"count", V(static_cast<int>(entries.size()))}};
  for (std::size_t i = 0; i < entries.size(); ++i)
    keys.push_back({V(static_cast<int>(i)), entries[i].Name + ":" + entries[i].Kind});
  w.Keys(keys);
  w.Blank();
  for (const TEntry& e : entries) {
    if (!e.Comment.empty()) {
      w.Rule();
      w.Comment(e.Comment);
    }
    w.KeyedSection(e.Name, objects ? ObjectKindKeys(e.Kind) : ControlKindKeys(e.Kind), e.Values);
    w.Blank();
  }
}

}  // namespace

std::string MakeQuillonDescription(const TQuillonArt& art, const TSkinTheme& theme) {
  TDescriptionWriter writer(theme);
  WriteFormSections(writer, art, theme);
  writer.Rule();
  writer.Comment("Frame objects: the caption, the caption buttons, menu items and menu bar pieces.");
  WriteList(writer, "SKINOBJECTS", Objects(), true);
  writer.Rule();
  writer.Comment("Controls: 59 descriptions of 28 kinds, all drawn in the pictures above.");
  WriteList(writer, "SKINCONTROLS", Controls(), false);
  // Quillon's own description keeps the length its stored skin has always had.
  return writer.Text(theme.Dark ? std::nullopt : std::optional<std::size_t>(DescriptionLength));
}
