// Every object, window and control description, driven through its own key table: key names in
// reading order, defaults, each key feeding its own field, and save-then-load round trips.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "skin/data/vnSkinDataControls.h"
#include "skin/data/vnSkinDataObjects.h"

namespace {

// The section a description under test reads.
constexpr const char* kSection = "Under Test";

struct DescriptionKind {
  std::string Kind;  // kind word, or the name of a class without one
  std::function<std::unique_ptr<TvnDataSkinDescription>()> Create;
  friend void PrintTo(const DescriptionKind& kind, std::ostream* os) { *os << kind.Kind; }
};

std::vector<DescriptionKind> AllDescriptionKinds() {
  std::vector<DescriptionKind> kinds;
  for (std::string_view kind : kObjectKinds) {
    kinds.push_back({std::string(kind), [kind] { return CreateObjectDescription(kind, kSection); }});
  }
  for (std::string_view kind : kControlKinds) {
    kinds.push_back({"control " + std::string(kind),
                     [kind] { return CreateControlDescription(kind, kSection); }});
  }
  kinds.push_back({"TvnDataSkinObject", [] { return std::make_unique<TvnDataSkinObject>(kSection); }});
  kinds.push_back({"TvnDataSkinMainMenuItem",
                   [] { return std::make_unique<TvnDataSkinMainMenuItem>(kSection); }});
  kinds.push_back({"TvnDataSkinControl", [] { return std::make_unique<TvnDataSkinControl>(kSection); }});
  kinds.push_back({"TvnDataSkinCustomControl",
                   [] { return std::make_unique<TvnDataSkinCustomControl>(kSection); }});
  return kinds;
}

std::string JoinKeys(const TvnKeyedSection& section) {
  std::string out;
  for (const std::string& name : section.KeyNames()) out += (out.empty() ? "" : " ") + name;
  return out;
}

// Every key's JSON value, by key.
std::map<std::string, std::string> JsonValues(const TvnKeyedSection& section) {
  std::map<std::string, std::string> values;
  const_cast<TvnKeyedSection&>(section).EnumKeys([&](const TvnKeyRef& key) {
    TvnJsonWriter json;
    json.BeginObject();
    WriteKeyJson(json, key);
    json.EndObject();
    values[key.Key] = json.Text();
  });
  return values;
}

// A value for the key that differs from its default, and the JSON it reads as.
std::pair<std::string, std::string> DistinctValue(const TvnKeyRef& key) {
  std::string name = LowerAscii(key.Key);
  auto json = [&](const std::string& v) { return "{\"" + name + "\":" + v + "}"; };
  switch (key.Kind) {
    case TvnValueKind::Integer:
    case TvnValueKind::Length: return {"$309", json("777")};
    case TvnValueKind::Color: return {"4242", json("4242")};
    case TvnValueKind::Text:
    case TvnValueKind::Name: return {"zz", json("\"zz\"")};
    case TvnValueKind::Boolean: return {"1", json("true")};
    case TvnValueKind::Rect: return {"1,2,3,4", json("[1,2,3,4]")};
    case TvnValueKind::Point: return {"5,6", json("[5,6]")};
    case TvnValueKind::FontStyle: return {"fsitalic", json("[\"fsitalic\"]")};
    case TvnValueKind::Alignment: return {"taleftjustify", json("\"taleftjustify\"")};
    case TvnValueKind::InActiveEffect: return {"ieinvert", json("\"ieinvert\"")};
    case TvnValueKind::MorphKind: return {"mkpush", json("\"mkpush\"")};
    case TvnValueKind::Command: return {"cmclose", json("\"cmclose\"")};
    case TvnValueKind::NameList: break;
  }
  ADD_FAILURE() << "no distinct value for " << key.Key;
  return {};
}

// Keys that a class sets after reading, whatever the section says.
bool AdjustedAfterReading(const std::string& kind, const std::string& key) {
  if (kind == "animate") return key == "morphing";
  if (kind == "control updown") {
    return key == "lefttoppoint" || key == "righttoppoint" || key == "leftbottompoint" ||
           key == "rightbottompoint" || key == "clientrect";
  }
  return false;
}

class EveryDescription : public ::testing::TestWithParam<DescriptionKind> {};

TEST_P(EveryDescription, KindWordCreatesTheClassOfThatKind) {
  auto description = GetParam().Create();
  ASSERT_NE(description, nullptr);
  EXPECT_EQ(description->SectionName, kSection);
  std::string kind = GetParam().Kind;
  if (kind.rfind("control ", 0) == 0) kind.erase(0, 8);
  if (kind.rfind("Tvn", 0) == 0) kind.clear();
  EXPECT_EQ(description->Kind(), kind);
}

TEST_P(EveryDescription, EachKeyFeedsItsOwnField) {
  const std::string kind = GetParam().Kind;
  auto reference = GetParam().Create();
  reference->LoadFromIni(TvnIniFile(""));
  const auto defaults = JsonValues(*reference);
  std::vector<TvnKeyRef> keys;
  reference->EnumKeys([&](const TvnKeyRef& key) { keys.push_back(key); });
  ASSERT_FALSE(keys.empty());

  for (const TvnKeyRef& key : keys) {
    auto [text, expectedJson] = DistinctValue(key);
    // Key names are found in any case.
    std::string upper = key.Key;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    auto description = GetParam().Create();
    description->LoadFromIni(TvnIniFile("[UNDER TEST]\n" + upper + "=" + text + "\n"));
    auto values = JsonValues(*description);
    for (const auto& [name, value] : values) {
      if (name == key.Key && !AdjustedAfterReading(kind, name)) {
        EXPECT_EQ(value, expectedJson) << "key " << name << " of " << kind;
      } else {
        EXPECT_EQ(value, defaults.at(name)) << "key " << key.Key << " changed " << name << " of " << kind;
      }
    }
  }
}

TEST_P(EveryDescription, SaveThenLoadGivesTheSameDescription) {
  const std::string kind = GetParam().Kind;
  // A section with every key set to a value that differs from its default.
  auto reference = GetParam().Create();
  std::string text = "[Under Test]\nstale=1\n";
  reference->EnumKeys([&](const TvnKeyRef& key) {
    text += std::string(key.Key) + "=" + DistinctValue(key).first + "\n";
  });
  auto original = GetParam().Create();
  original->LoadFromIni(TvnIniFile(text));

  TvnIniFile saved("[before]\na=1\n" + text + "[after]\nb=2\n");
  original->SaveToIni(saved);
  // The section is erased and rewritten with exactly the table's keys, in reading order.
  const TvnIniSection* section = saved.FindSection(kSection);
  ASSERT_NE(section, nullptr);
  std::vector<std::string> written;
  for (const TvnIniLine& line : section->Lines) written.emplace_back(line.Key);
  EXPECT_EQ(written, original->KeyNames());
  EXPECT_EQ(saved.ReadString("before", "a", ""), "1");
  EXPECT_EQ(saved.ReadString("after", "b", ""), "2");

  auto reloaded = GetParam().Create();
  reloaded->LoadFromIni(TvnIniFile(saved.Text()));
  EXPECT_EQ(reloaded->ToJson(), original->ToJson());
}

INSTANTIATE_TEST_SUITE_P(Descriptions, EveryDescription, ::testing::ValuesIn(AllDescriptionKinds()),
                         [](const auto& info) {
                           std::string name = info.param.Kind;
                           std::erase(name, ' ');
                           return name;
                         });

// The value of one key as JSON ("-1", "\"Arial\"", "[0,0,0,0]"), or "(no such key)".
std::string ValueJson(const TvnDataSkinDescription& description, std::string_view key) {
  std::string found = "(no such key)";
  const auto values = JsonValues(description);
  if (auto it = values.find(std::string(key)); it != values.end()) {
    const std::string prefix = "{\"" + LowerAscii(key) + "\":";
    found = it->second.substr(prefix.size(), it->second.size() - prefix.size() - 1);
  }
  return found;
}

// Defaults written out by hand from the format's tables, one or more of each kind of default,
// on a fresh description, one read from an empty section and one whose section is missing.
TEST(MissingKeys, GiveTheFormatsDefaults) {
  struct Case {
    const char* Kind;  // object kind, or "control " and a control kind
    const char* Key;
    const char* Expected;
  };
  const Case cases[] = {
      {"menuitem", "activepictureindex", "-1"},
      {"menuitem", "fontname", "\"Arial\""},
      {"menuitem", "fontheight", "14"},
      {"menuitem", "morphkind", "\"mkdefault\""},
      {"menuitem", "skinrect", "[0,0,0,0]"},
      {"caption", "alignment", "\"tacenter\""},
      {"animate", "countframes", "1"},
      {"animate", "command", "\"cmdefault\""},
      {"control panel", "pictureindex", "-1"},
      {"control panel", "bgpictureindex", "-1"},
      {"control panel", "alignment", "\"tacenter\""},
      {"control stdlabel", "activefontcolor", "16711680"},
      {"control label", "fontcolor", "0"},
      {"control listbox", "vscrollbarname", "\"vscrollbar\""},
      {"control listbox", "bothhscrollbarname", "\"bothhscrollbar\""},
      {"control combobox", "listboxname", "\"\""},
      {"control grid", "fixedfontheight", "14"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.Kind) + " " + c.Key);
    const std::string kind = c.Kind;
    auto create = [&] {
      return kind.rfind("control ", 0) == 0 ? std::unique_ptr<TvnDataSkinDescription>(
                                                  CreateControlDescription(kind.substr(8), kSection))
                                            : std::unique_ptr<TvnDataSkinDescription>(
                                                  CreateObjectDescription(kind, kSection));
    };
    auto fresh = create();
    auto emptySection = create();
    auto noSection = create();
    ASSERT_NE(fresh, nullptr);
    emptySection->LoadFromIni(TvnIniFile("[Under Test]\n"));
    noSection->LoadFromIni(TvnIniFile("[other]\nskinrect=1,2,3,4\nfontheight=9\n"));
    EXPECT_EQ(ValueJson(*fresh, c.Key), c.Expected);
    EXPECT_EQ(ValueJson(*emptySection, c.Key), c.Expected);
    EXPECT_EQ(ValueJson(*noSection, c.Key), c.Expected);
  }
}

// The key names and their reading order are what skin files are written against.
TEST(KeyTables, NamesInReadingOrder) {
  const std::string object =
      "hint activepictureindex skinrectinapicture skinrect activeskinrect inactiveskinrect "
      "morphing morphkind";
  const std::string font = "fontname fontheight fontstyle fontcolor";
  const std::string control = "pictureindex maskpictureindex skinrect";
  const std::string custom =
      control + " lefttoppoint righttoppoint leftbottompoint rightbottompoint clientrect";
  const std::string corners = "lefttoppoint righttoppoint leftbottompoint rightbottompoint";
  const std::string stretch = "leftstretch rightstretch topstretch bottomstretch";
  const std::string updownButtons =
      "upbuttonrect activeupbuttonrect downupbuttonrect downbuttonrect activedownbuttonrect "
      "downdownbuttonrect";
  const std::string editKeys = custom + " activeskinrect " + font +
                               " disabledfontcolor activefontcolor buttonrect activebuttonrect "
                               "downbuttonrect unenabledbuttonrect";
  const std::string listbox =
      custom + " itemrect activeitemrect focusitemrect itemleftoffset itemrightoffset "
               "itemtextrect " + font +
      " activefontcolor focusfontcolor captionrect captionfontname captionfontheight "
      "captionfontstyle captionfontcolor " + updownButtons +
      " checkbuttonrect activecheckbuttonrect downcheckbuttonrect vscrollbarname hscrollbarname "
      "bothhscrollbarname";
  const std::string stdbutton = object +
                                " downrect disableskinrsect command restorerect restoreactiverect "
                                "restoredownrect restoreinactiverect";
  const std::string mainMenuItem = object + " itemleftoffset itemrightoffset downrect textrect " +
                                   font + " activefontcolor downfontcolor unenabledfontColor";

  const std::map<std::string, std::string> expected = {
      {"menuitem", object + " itemleftoffset itemrightoffset dividerrect dividerleftoffset "
                            "dividerrightoffset textrect " + font +
                       " activefontcolor unenabledfontcolor"},
      {"mainmenubaritem", mainMenuItem},
      {"stdbutton", stdbutton},
      {"mainmenubarbutton", stdbutton},
      {"button", object + " downrect disableskinrsect"},
      {"caption", object + " textrect " + font +
                      " activefontcolor alignment shadow shadowcolor activeshadowcolor framerect "
                      "activeframerect frametextrect frameleftoffset framerightoffset"},
      {"animate", object + " countframes cycle buttonstyle timerinterval command"},
      {"userobject", "skinrect"},
      {"panel", custom + " bgpictureindex captionrect alignment " + font +
                    " checkimagerect uncheckimagerect"},
      {"expanel",
       custom + " rollhskinrect rollvskinrect rollleftoffset rollrightoffset rolltopoffset "
                "rollbottomoffset rollvcaptionrect rollhcaptionrect closebuttonrect "
                "closebuttonactiverect closebuttondownrect hrollbuttonrect hrollbuttonactiverect "
                "hrollbuttondownrect hrestorebuttonrect hrestorebuttonactiverect "
                "hrestorebuttondownrect vrollbuttonrect vrollbuttonactiverect vrollbuttondownrect "
                "vrestorebuttonrect vrestorebuttonactiverect vrestorebuttondownrect captionrect " +
           font},
      {"checkradio",
       custom + " " + font +
           " activefontcolor unenabledfontcolor framefontcolor activeskinrect checkimagearea "
           "textarea checkimagerect uncheckimagerect activecheckimagerect activeuncheckimagerect "
           "unenabledcheckimagerect unenableduncheckimagerect morphing morphkind"},
      {"gauge", custom + " progressarea progressrect beginoffset endoffset vertical " + font},
      {"splitter", custom},
      {"trackbar", custom + " trackarea buttonrect activebuttonrect vertical"},
      {"label", custom + " " + font},
      {"stdlabel", control + " " + font + " activefontcolor"},
      {"updown", custom + " " + updownButtons},
      {"grid", control + " fixedcellrect selectcellrect focuscellrect fixedcellleftoffset "
                         "fixedcellrightoffset fixedcelltextrect cellleftoffset cellrightoffset "
                         "celltextrect linescolor bgcolor " + font +
                   " selectfontcolor focusfontcolor fixedfontname fixedfontheight fixedfontstyle "
                   "fixedfontcolor"},
      {"tab", control + " tabrect activetabrect focustabrect mouseintabrect clientrect "
                        "bgpictureindex " + corners + " tableftoffset tabrightoffset tabsbgrect " +
                  font + " activefontcolor focusfontcolor mouseinfontcolor updown"},
      {"mainmenubar", control + " itemsrect menubaritem closebutton minbutton maxbutton "
                                "sysmenubutton trackmarkcolor trackmarkactivecolor"},
      {"controlbar", custom + " itemrect bgpictureindex"},
      {"edit", editKeys},
      {"memo", editKeys + " bgcolor activebgcolor"},
      {"listbox", listbox},
      {"checklistbox", listbox + " itemcheckrect checkimagerect uncheckimagerect"},
      {"combobox", custom + " itemrect focusitemrect itemleftoffset itemrightoffset itemtextrect " +
                       font +
                       " focusfontcolor listboxname buttonrect activebuttonrect downbuttonrect "
                       "unenabledbuttonrect"},
      {"scrollbar", custom + " trackarea " + updownButtons +
                        " thumbrect activethumbrect downthumbrect thumboffset1 thumboffset2 "
                        "glyphrect activeglyphrect downglyphrect"},
      {"spinedit", custom + " activeskinrect " + font + " activefontcolor disabledfontcolor " +
                       updownButtons},
      {"scrollbox", custom + " bgpictureindex"},
      {"treeview", control + " " + font + " bgcolor"},
      {"listview", control + " " + font + " bgcolor"},
      {"richedit", control + " " + font + " bgcolor"},
      {"bevel", control + " lightcolor darkcolor"},
      {"slider", control + " bgcolor hrulerrect hthumbrect vrulerrect vthumbrect edgesize "
                           "pointscolor"},
  };
  for (std::string_view kind : kObjectKinds) {
    auto description = CreateObjectDescription(kind, "x");
    EXPECT_EQ(JoinKeys(*description), expected.at(std::string(kind))) << "object " << kind;
  }
  const std::string buttonControl = custom + " " + font +
                                    " activefontcolor downfontcolor disabledfontcolor "
                                    "activeskinrect downskinrect disabledskinrect morphing "
                                    "morphkind";
  for (std::string_view kind : kControlKinds) {
    auto description = CreateControlDescription(kind, "x");
    std::string want = kind == "button"       ? buttonControl
                       : kind == "menubutton" ? buttonControl + " trackbuttonrect"
                                              : expected.at(std::string(kind));
    EXPECT_EQ(JoinKeys(*description), want) << "control " << kind;
  }
  EXPECT_EQ(JoinKeys(TvnDataSkinPopupWindow()),
            "windowpictureindex maskpictureindex " + corners +
                " itemsrect scrollmarkercolor scrollmarkeractivecolor " + stretch);
  EXPECT_EQ(JoinKeys(TvnDataSkinHintWindow()),
            "windowpictureindex maskpictureindex " + corners + " clientrect " + font + " " + stretch);
}

// Defaults that are not zero, as the JSON shows them after reading an empty section.
TEST(KeyTables, DefaultsThatAreNotZero) {
  struct Case {
    const char* Kind;
    bool Control;
    const char* Fragment;
  };
  const Case cases[] = {
      {"animate", false, "\"activepictureindex\":-1"},
      {"animate", false, "\"countframes\":1"},
      {"animate", false, "\"timerinterval\":50"},
      {"animate", false, "\"command\":\"cmdefault\""},
      {"animate", false, "\"morphkind\":\"mkdefault\""},
      {"caption", false, "\"alignment\":\"tacenter\""},
      {"caption", false, "\"fontname\":\"Arial\",\"fontheight\":14,\"fontstyle\":[],\"fontcolor\":0"},
      {"mainmenubaritem", false, "\"unenabledfontcolor\":0"},
      {"panel", true, "\"pictureindex\":-1,\"maskpictureindex\":-1,\"skinrect\":[0,0,0,0]"},
      {"panel", true, "\"bgpictureindex\":-1"},
      {"panel", true, "\"alignment\":\"tacenter\""},
      {"stdlabel", true, "\"activefontcolor\":16711680"},
      {"listbox", true,
       "\"vscrollbarname\":\"vscrollbar\",\"hscrollbarname\":\"hscrollbar\","
       "\"bothhscrollbarname\":\"bothhscrollbar\""},
      {"listbox", true, "\"captionfontname\":\"Arial\",\"captionfontheight\":14"},
      {"grid", true, "\"fixedfontname\":\"Arial\",\"fixedfontheight\":14"},
      {"combobox", true, "\"listboxname\":\"\""},
      {"tab", true, "\"bgpictureindex\":-1"},
      {"tab", true, "\"updown\":\"\""},
      {"controlbar", true, "\"bgpictureindex\":-1"},
      {"scrollbox", true, "\"bgpictureindex\":-1"},
  };
  TvnIniFile empty;
  for (const Case& c : cases) {
    std::unique_ptr<TvnDataSkinDescription> d;
    if (c.Control) {
      d = CreateControlDescription(c.Kind, "x");
    } else {
      d = CreateObjectDescription(c.Kind, "x");
    }
    d->LoadFromIni(empty);
    EXPECT_NE(d->ToJson().find(c.Fragment), std::string::npos) << c.Kind << ": " << d->ToJson();
  }
  EXPECT_EQ(CreateObjectDescription("Caption", "x"), nullptr);
  EXPECT_EQ(CreateControlDescription("Panel", "x"), nullptr);
  EXPECT_EQ(CreateControlDescription("", "x"), nullptr);
}

}  // namespace
