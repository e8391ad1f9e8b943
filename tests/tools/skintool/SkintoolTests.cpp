#include "framework/Description.h"
#include "skin/data/vnSkinDataContainer.h"
#include "skin/data/vnSkinDataStoredSkin.h"
#include "tools/skintool/Skintool.h"

#include "tests/skin/data/SmallSkin.h"
#include "tests/tools/skintool/SkintoolRun.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;
using TResult = TSkintoolResult;

class Skintool : public ::testing::Test {
protected:
  TTempFolder Folder{"skintool"};
  std::filesystem::path Ini = WriteSmallSkin(Folder.Path() / "", SmallSkinText());
  std::string At(const std::string& name) const { return Utf8(Folder.Path() / name); }
};

}  // namespace

TEST_F(Skintool, PackWritesTheCompressedSkinFileOrTheBareBlock) {
  ASSERT_EQ(Tool({"pack", Utf8(Ini), "-o", At("s.vsk")}).Code, 0);
  ASSERT_EQ(Tool({"pack", Utf8(Ini), "-o", At("s.bin"), "--raw"}).Code, 0);
  const Bytes file = ReadFileBytes(At("s.vsk"));
  const Bytes block = ReadFileBytes(At("s.bin"));
  EXPECT_EQ(file, MakeCompressedSkinFile(block));
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 4), (Bytes{3, 0, 0, 0}));
  EXPECT_EQ(block[0], 0x78);
  EXPECT_EQ(block[1], 0xDA);
  // The same block the stored-skin component builds.
  TvnCompressedStoredSkin stored;
  ASSERT_TRUE(stored.LoadFromSkinFile(Ini));
  EXPECT_EQ(stored.CompressedData(), block);
}

TEST_F(Skintool, UnpackThenPackGivesTheSameBlock) {
  ASSERT_EQ(Tool({"pack", Utf8(Ini), "-o", At("s.vsk")}).Code, 0);
  const TResult unpack = Tool({"unpack", At("s.vsk"), "-o", At("out")});
  ASSERT_EQ(unpack.Code, 0) << unpack.Err;
  for (const char* name : {"main.bmp", "mask.bmp", "a.bmp", "b.bmp"})
    EXPECT_EQ(ReadFileBytes(At(std::string("out/") + name)), ReadFileBytes(At(name))) << name;
  EXPECT_EQ(SplitTextLines(ReadText(At("out/skin.ini"))), SplitTextLines(SmallSkinText()));
  ASSERT_EQ(Tool({"pack", At("out/skin.ini"), "-o", At("again.vsk")}).Code, 0);
  EXPECT_EQ(ReadFileBytes(At("again.vsk")), ReadFileBytes(At("s.vsk")));
}

TEST_F(Skintool, UnpackNamesPicturesWithoutANameByTheirPlace) {
  // A container whose text names none of its pictures.
  TvnSkinContainer c;
  c.Picture.LoadFromFile(At("main.bmp"));
  c.Mask.LoadFromFile(At("mask.bmp"));
  c.ActivePictures.resize(2);
  c.ActivePictures[0].LoadFromFile(At("a.bmp"));
  c.ActivePictures[1].LoadFromFile(At("b.bmp"));
  c.Text = "[VERSION]\r\nskinname=bare\r\n";
  WriteFileBytes(At("bare.bin"), PackSkinContainer(WriteSkinContainer(c)));
  const TResult r = Tool({"unpack", At("bare.bin"), "--raw", "-o", At("bare")});
  ASSERT_EQ(r.Code, 0) << r.Err;
  EXPECT_EQ(ReadFileBytes(At("bare/picture.bmp")), ReadFileBytes(At("main.bmp")));
  EXPECT_EQ(ReadFileBytes(At("bare/mask.bmp")), ReadFileBytes(At("mask.bmp")));
  EXPECT_EQ(ReadFileBytes(At("bare/active1.bmp")), ReadFileBytes(At("b.bmp")));
  EXPECT_FALSE(std::filesystem::exists(ArgPath(At("bare/inactive.bmp"))));
  EXPECT_EQ(ReadText(At("bare/skin.ini")), c.Text);
}

TEST_F(Skintool, InspectPrintsEveryKeyThroughTheTables) {
  ASSERT_EQ(Tool({"pack", Utf8(Ini), "-o", At("s.vsk")}).Code, 0);
  const TResult compressed = Tool({"inspect", At("s.vsk"), "--json"});
  ASSERT_EQ(compressed.Code, 0) << compressed.Err;
  const std::string& j = compressed.Out;
  EXPECT_EQ(j.rfind("{\"container\":{\"version\":3,\"unpacked_bytes\":", 0), 0u) << j.substr(0, 80);
  for (const char* piece : {
           "\"images\":{\"picture\":{\"width\":20,\"height\":14,\"bpp\":24},\"inactivepicture\":null,"
           "\"mask\":{\"width\":20,\"height\":14,\"bpp\":1},\"activepictures\":[{\"width\":9,\"height\":5,\"bpp\":8},"
           "{\"width\":7,\"height\":3,\"bpp\":4}]}",
           "\"pictures\":{\"picture\":\"main.bmp\",\"inactivepicture\":\"\",\"mask\":\"mask.bmp\",\"activepictures\":[\"a.bmp\",\"b.bmp\"]}",
           "\"forminfo\":{\"lefttoppoint\":[3,5],",
           "\"maskrectarea\":[3,5,17,12]",
           "{\"name\":\"caption\",\"kind\":\"caption\",\"fields\":{\"hint\":\"\",",
           "\"alignment\":\"taleftjustify\"",
           "{\"name\":\"close\",\"kind\":\"animate\",",
           "\"morphing\":false",
           "\"command\":\"cmclose\"",
           "{\"name\":\"up\",\"kind\":\"updown\",\"fields\":{\"pictureindex\":-1,\"maskpictureindex\":-1,"
           "\"skinrect\":[0,0,0,0],\"lefttoppoint\":[0,0],",
       })
    EXPECT_NE(j.find(piece), std::string::npos) << piece;
  EXPECT_EQ(j.find("\"odd\""), std::string::npos) << "unlisted kinds are absent";
  EXPECT_EQ(j.back(), '\n');

  // A description input has no container member; the rest is the same.
  const TResult description = Tool({"inspect", Utf8(Ini), "--json"});
  ASSERT_EQ(description.Code, 0) << description.Err;
  EXPECT_EQ(description.Out.rfind("{\"version\":", 0), 0u);
  EXPECT_EQ(description.Out.substr(description.Out.find("\"version\":{")), j.substr(j.find("\"version\":{")));

  ASSERT_EQ(Tool({"pack", Utf8(Ini), "-o", At("s.bin"), "--raw"}).Code, 0);
  EXPECT_EQ(Tool({"inspect", At("s.bin"), "--json", "--raw"}).Out, j);
}

TEST_F(Skintool, FailuresHaveTheirExitCodeAOneLineMessageAndWriteNothing) {
  ASSERT_EQ(Tool({"pack", Utf8(Ini), "-o", At("good.bin"), "--raw"}).Code, 0);
  const Bytes block = ReadFileBytes(At("good.bin"));
  Bytes damaged = block;
  damaged[damaged.size() / 2] ^= 0x55;
  WriteFileBytes(At("damaged.bin"), damaged);
  Bytes newer = MakeCompressedSkinFile(PackSkinContainer({4, 0, 0, 0}));
  newer[0] = 4;
  WriteFileBytes(At("newer.vsk"), newer);
  WriteFileBytes(At("newcontainer.bin"), PackSkinContainer({4, 0, 0, 0}));
  Bytes cut = UnpackSkinBlock(block);
  cut.resize(100);
  WriteFileBytes(At("cut.bin"), PackSkinContainer(cut));
  std::string text = SmallSkinText();
  text.replace(text.find("textrect=10,2,60,14"), 19, "textrect=10,2,60");
  WriteText(At("badrect.ini"), text);
  text = SmallSkinText();
  text.replace(text.find("[SKINCONTROLS]"), 14, "[SKINCONTROLZ]");
  WriteText(At("nocontrols.ini"), text);
  text = SmallSkinText();
  text.replace(text.find("0=a.bmp"), 7, "0=gone.bmp");
  WriteText(At("nopicture.ini"), text);
  text = SmallSkinText();
  text.replace(text.find("0=a.bmp"), 7, "0=../a.bmp");
  std::filesystem::create_directories(ArgPath(At("sub")));
  WriteSmallSkin(ArgPath(At("sub")), text);  // "../a.bmp" is the a.bmp beside the first skin
  WriteFileBytes(At("garbage"), Bytes{0x12, 0x34, 0x56});

  struct Case {
    std::vector<std::string> Args;
    int Code;
    std::string Message;  // a piece of the one line on standard error
  };
  const std::string out = At("OUT");
  const Case cases[] = {
      {{"inspect", At("damaged.bin"), "--json", "--raw"}, 1, "damaged.bin: damaged zlib stream"},
      {{"inspect", At("newer.vsk"), "--json"}, 1, "version 4 (byte offset 0)"},
      {{"inspect", At("newcontainer.bin"), "--json", "--raw"}, 1, "container version 4 at byte offset 0"},
      {{"unpack", At("cut.bin"), "-o", out, "--raw"}, 1, "main picture: BMP at byte offset 7: truncated"},
      {{"inspect", At("badrect.ini"), "--json"}, 1, "caption"},
      {{"inspect", At("badrect.ini"), "--json"}, 1, "textrect"},
      {{"pack", At("nocontrols.ini"), "-o", out}, 1, "missing required section [SKINCONTROLS]"},
      {{"pack", At("nopicture.ini"), "-o", out}, 1, "gone.bmp"},
      {{"inspect", At("garbage"), "--json"}, 1, "neither a skin description, a compressed skin file nor a window description"},
      {{"pack", At("sub/skin.ini"), "-o", out}, 0, ""},
      {{"unpack", out, "-o", At("escaped")}, 1, "\"../a.bmp\", which is not a plain file name"},
      {{"inspect", At("missing.vsk"), "--json"}, 2, "missing.vsk: no such file"},
      {{"pack", Utf8(Ini)}, 2, "missing -o OUT"},
      {{"pack", Utf8(Ini), "-o"}, 2, "option -o needs a value"},
      {{"pack", Utf8(Ini), "-o", out, "--fast"}, 2, "unknown option --fast"},
      {{"inspect", Utf8(Ini)}, 2, "--json"},
      {{"frobnicate"}, 2, "unknown verb \"frobnicate\""},
      {{}, 2, "no verb given"},
  };
  for (const Case& c : cases) {
    std::string line;
    for (const std::string& a : c.Args) line += a + " ";
    SCOPED_TRACE(line);
    const bool outExisted = std::filesystem::exists(ArgPath(out));
    const TResult r = Tool(c.Args);
    EXPECT_EQ(r.Code, c.Code) << r.Err;
    if (c.Code == 0) continue;
    EXPECT_NE(r.Err.find(c.Message), std::string::npos) << r.Err;
    EXPECT_EQ(r.Err.find('\n'), r.Err.size() - 1) << "one line: " << r.Err;
    EXPECT_TRUE(r.Out.empty());
    if (!outExisted) {
      EXPECT_FALSE(std::filesystem::exists(ArgPath(out)));
    }
  }
  EXPECT_FALSE(std::filesystem::exists(At("escaped/skin.ini")));
}

TEST_F(Skintool, FailedPackLeavesAnExistingOutputAsItWas) {
  WriteText(At("OUT"), "keep me");
  std::string text = SmallSkinText();
  text.replace(text.find("0=a.bmp"), 7, "0=gone.bmp");
  WriteText(Ini, text);
  EXPECT_EQ(Tool({"pack", Utf8(Ini), "-o", At("OUT")}).Code, 1);
  EXPECT_EQ(ReadText(At("OUT")), "keep me");
}

TEST_F(Skintool, EmbedReplacesOnlyTheStoredSkinBlock) {
  const std::string before =
      "// the main window\r\n"
      "object Form1: TForm1\r\n"
      "  Caption = \"Quillon {x}\"\r\n"
      "  object vnSkinData1: TvnSkinData\r\n"
      "    CompressedStoredSkin = vnCompressedStoredSkin1\r\n"
      "  end\r\n"
      "  object vnCompressedStoredSkin1: TvnCompressedStoredSkin\r\n"
      "    FileName = \"skin.ini\"\r\n"
      "    CompressedData = {\r\n"
      "      78DA 0102}\r\n"
      "  end\r\n"
      "end\r\n";
  WriteText(At("Form1.txt"), before);
  const TResult r = Tool({"embed", Utf8(Ini), "--form", At("Form1.txt")});
  ASSERT_EQ(r.Code, 0) << r.Err;
  const std::string after = ReadText(At("Form1.txt"));
  const std::size_t open = before.find("{\r\n      78DA");
  EXPECT_EQ(after.substr(0, open), before.substr(0, open));
  const std::string tail = "\r\n  end\r\nend\r\n";
  EXPECT_EQ(after.substr(after.size() - tail.size()), tail);

  TvnCompressedStoredSkin stored;
  ASSERT_TRUE(stored.LoadFromSkinFile(Ini));
  const TDescObject form = ParseDescription(after);
  ASSERT_EQ(form.Children.size(), 2u);
  const TDescProperty& data = form.Children[1].Properties.back();
  EXPECT_EQ(data.Name, "CompressedData");
  EXPECT_EQ(data.Value.Bytes, stored.CompressedData());

  // Embedding again changes nothing.
  ASSERT_EQ(Tool({"embed", Utf8(Ini), "--form", At("Form1.txt")}).Code, 0);
  EXPECT_EQ(ReadText(At("Form1.txt")), after);
}

TEST_F(Skintool, EmbedAddsTheBlockWhenThereIsNoneAndRefusesAFormWithoutAStoredSkin) {
  WriteText(At("F.txt"), "object Form1: TForm1\n  object S: TvnCompressedStoredSkin\n  end\nend\n");
  ASSERT_EQ(Tool({"embed", Utf8(Ini), "--form", At("F.txt")}).Code, 0);
  const TDescObject form = ParseDescription(ReadText(At("F.txt")));
  ASSERT_EQ(form.Children[0].Properties.size(), 1u);
  EXPECT_EQ(form.Children[0].Properties[0].Name, "CompressedData");

  const std::string plain = "object Form1: TForm1\nend\n";
  WriteText(At("G.txt"), plain);
  const TResult r = Tool({"embed", Utf8(Ini), "--form", At("G.txt")});
  EXPECT_EQ(r.Code, 2);
  EXPECT_NE(r.Err.find("holds no TvnCompressedStoredSkin object"), std::string::npos) << r.Err;
  EXPECT_EQ(ReadText(At("G.txt")), plain);
}
