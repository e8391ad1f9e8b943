// skintool reading the stored skin of a window description given as SKIN.
#include "framework/Stream.h"
#include "skin/data/vnSkinDataStoredSkin.h"

#include "tests/skin/data/SmallSkin.h"
#include "tests/tools/skintool/SkintoolRun.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string Hex(const Bytes& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  for (std::uint8_t b : bytes) text += {digits[b >> 4], digits[b & 15]};
  return text;
}

std::string StoredSkin(const std::string& name, const std::string& data) {
  return "  object " + name + ": TvnCompressedStoredSkin\r\n" + data + "  end\r\n";
}

std::string Form(const std::string& body) {
  return "// a window\r\n\r\nobject Form1: TForm1\r\n  Caption = \"x\"\r\n" + body + "end\r\n";
}

const std::filesystem::path Source = QUILLON_SOURCE_DIR;

}  // namespace

// Quillon's window description carries the skin of skins/quillon: every verb reads the same
// skin from either, and inspect differs only in the container member a stored block has.
TEST(SkintoolWindowDescription, QuillonsWindowGivesTheSkinOfItsSource) {
  const std::string desc = Utf8(Source / "app" / "Unit1.desc");
  const std::string ini = Utf8(Source / "skins" / "quillon" / "skin.ini");
  const TSkintoolResult fromDesc = Tool({"inspect", desc, "--json"});
  const TSkintoolResult fromIni = Tool({"inspect", ini, "--json"});
  ASSERT_EQ(fromDesc.Code, 0) << fromDesc.Err;
  ASSERT_EQ(fromIni.Code, 0) << fromIni.Err;
  EXPECT_EQ(fromDesc.Out.rfind("{\"container\":{\"version\":3,", 0), 0u) << fromDesc.Out.substr(0, 80);
  EXPECT_EQ(fromIni.Out.rfind("{\"version\":{", 0), 0u) << fromIni.Out.substr(0, 80);
  EXPECT_EQ(fromDesc.Out.substr(fromDesc.Out.find(",\"version\":{") + 1), fromIni.Out.substr(1));

  const std::filesystem::path out = std::filesystem::path(QUILLON_BINARY_DIR) / "skintool-window-description";
  std::filesystem::create_directories(out);
  // Sizes at the main picture's size exactly, the window's size, and the hint picture's size.
  const std::vector<std::vector<std::string>> commands = {
      {"render", "--size", "191x135"},
      {"render", "--size", "385x392", "--inactive"},
      {"render", "--size", "48x26", "--part", "hint"},
      {"render", "--part", "popup", "--items", "item,-,item", "--hot", "2"},
      {"region", "--size", "385x392"},
      {"region", "--size", "40x40", "--part", "popup"},
  };
  for (const std::vector<std::string>& command : commands) {
    std::string line;
    for (const std::string& a : command) line += a + " ";
    SCOPED_TRACE(line);
    std::vector<TSkintoolResult> runs;
    std::vector<Bytes> pictures;
    for (const std::string& skin : {desc, ini}) {
      std::vector<std::string> args = command;
      args.insert(args.begin() + 1, skin);
      const std::filesystem::path picture = out / (skin == desc ? "from-desc.bmp" : "from-ini.bmp");
      std::filesystem::remove(picture);
      if (command[0] == "render") args.insert(args.end(), {"-o", Utf8(picture)});
      runs.push_back(Tool(args));
      ASSERT_EQ(runs.back().Code, 0) << runs.back().Err;
      if (command[0] == "render") pictures.push_back(ReadFileBytes(picture));
    }
    EXPECT_EQ(runs[0].Out, runs[1].Out);
    if (command[0] == "region") {
      EXPECT_NE(runs[0].Out.find("\"rects\": [["), std::string::npos) << runs[0].Out;
    }
    if (!pictures.empty()) {
      EXPECT_EQ(pictures[0], pictures[1]);
    }
  }
}

// What a window description may hold instead of exactly one good stored skin, and what the
// user sees for it.
TEST(SkintoolWindowDescription, OneStoredSkinOrOneNamedOrAnErrorNamingTheFile) {
  TTempFolder folder("skintool-desc");
  const std::filesystem::path ini = WriteSmallSkin(folder.Path());
  TvnCompressedStoredSkin stored;
  ASSERT_TRUE(stored.LoadFromSkinFile(ini));
  const Bytes good = stored.CompressedData();
  Bytes damaged = good;
  damaged[damaged.size() / 2] ^= 0x55;
  const std::string goodData = "    CompressedData = {\r\n      " + Hex(good) + "}\r\n";
  const std::string damagedData = "    CompressedData = {" + Hex(damaged) + "}\r\n";
  WriteFileBytes(folder.Path() / "good.bin", good);
  const TSkintoolResult bare = Tool({"inspect", Utf8(folder.Path() / "good.bin"), "--json", "--raw"});
  ASSERT_EQ(bare.Code, 0) << bare.Err;

  struct Case {
    const char* Name;  // of the file
    std::string Text;
    std::vector<std::string> Options;
    int Code;
    std::string Message;  // a piece of the one line on standard error
  };
  const Case cases[] = {
      {"one.desc", Form("  object Panel1: TPanel\r\n" + StoredSkin("S", goodData) + "  end\r\n"), {}, 0, ""},
      {"none.desc", Form(""), {}, 1, "none.desc: the window description holds no stored skin"},
      {"damaged.desc", Form(StoredSkin("S", damagedData)), {}, 1,
       "damaged.desc, stored skin S: damaged zlib stream"},
      {"two.desc", Form(StoredSkin("A", damagedData) + StoredSkin("B", goodData)), {}, 1,
       "two.desc: the window description holds 2 stored skins (A, B); choose one with --component NAME"},
      {"two.desc", "", {"--component", "B"}, 0, ""},
      {"two.desc", "", {"--component", "A"}, 1, "two.desc, stored skin A: damaged zlib stream"},
      {"two.desc", "", {"--component", "C"}, 1, "two.desc: no stored skin named \"C\" (its stored skins: A, B)"},
      {"nodata.desc", Form(StoredSkin("S", "")), {}, 1, "nodata.desc: stored skin S (line 5) has no CompressedData"},
      {"emptydata.desc", Form(StoredSkin("S", "    CompressedData = {}\r\n")), {}, 1,
       "emptydata.desc: stored skin S (line 5) holds an empty block"},
      {"number.desc", Form(StoredSkin("S", "    CompressedData = 5\r\n")), {}, 1,
       "number.desc: line 6, column 22: the CompressedData of stored skin S (line 5) is not binary data"},
      {"unclosed.desc", "object Form1: TForm1\r\n" + StoredSkin("S", goodData), {}, 1,
       "unclosed.desc: not a valid window description: line"},
      {"one.desc", "", {"--component", "S", "--raw"}, 2, "does not go with --raw"},
      {"skin.ini", "", {"--component", "S"}, 2, "--component picks from a window description, and"},
  };
  for (const Case& c : cases) {
    const std::filesystem::path file = folder.Path() / c.Name;
    if (!c.Text.empty()) WriteText(file, c.Text);
    std::vector<std::string> args = {"inspect", Utf8(file), "--json"};
    args.insert(args.end(), c.Options.begin(), c.Options.end());
    SCOPED_TRACE(std::string(c.Name) + " " + (c.Options.empty() ? "" : c.Options[0] + " " + c.Options[1]));
    const TSkintoolResult r = Tool(args);
    EXPECT_EQ(r.Code, c.Code) << r.Err;
    if (c.Code == 0) {
      EXPECT_EQ(r.Out, bare.Out);
      continue;
    }
    EXPECT_NE(r.Err.find(c.Message), std::string::npos) << r.Err;
    EXPECT_EQ(r.Err.find('\n'), r.Err.size() - 1) << "one line: " << r.Err;
    EXPECT_TRUE(r.Out.empty());
  }
}
