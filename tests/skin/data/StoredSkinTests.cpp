#include "skin/data/vnSkinDataResStr.h"
#include "skin/data/vnSkinDataStoredSkin.h"
#include "skin/data/vnzlibcompress.h"

#include "SmallSkin.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Unpack(const TvnCompressedStoredSkin& skin) {
  TMemoryStream out;
  skin.DecompressToStream(out);
  return out.TakeBytes();
}

std::string MessageOf(auto&& action) {
  try {
    action();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "(no error)";
}

}  // namespace

TEST(StoredSkin, StartsEmpty) {
  TvnCompressedStoredSkin skin;
  EXPECT_TRUE(skin.IsEmpty());
  TMemoryStream out;
  EXPECT_EQ(MessageOf([&] { skin.DecompressToStream(out); }), "compression error");
}

TEST(StoredSkin, SkinFileRoundTripKeepsPicturesByteForByteAndTextLines) {
  TTempFolder folder("stored-roundtrip");
  const auto ini = WriteSmallSkin(folder.Path());
  TvnCompressedStoredSkin skin;
  ASSERT_TRUE(skin.LoadFromSkinFile(ini));
  ASSERT_GE(skin.CompressedData().size(), 2u);
  EXPECT_EQ(skin.CompressedData()[0], 0x78);
  EXPECT_EQ(skin.CompressedData()[1], 0xDA);

  const TvnSkinContainer c = ReadSkinContainer(Unpack(skin));
  EXPECT_EQ(c.Version, 3);
  EXPECT_EQ(c.Picture.FileBytes(), ReadFileBytes(folder.Path() / "main.bmp"));
  EXPECT_TRUE(c.InActivePicture.IsEmpty());
  EXPECT_EQ(c.Mask.FileBytes(), ReadFileBytes(folder.Path() / "mask.bmp"));
  ASSERT_EQ(c.ActivePictures.size(), 2u);
  EXPECT_EQ(c.ActivePictures[0].FileBytes(), ReadFileBytes(folder.Path() / "a.bmp"));
  EXPECT_EQ(c.ActivePictures[1].FileBytes(), ReadFileBytes(folder.Path() / "b.bmp"));
  EXPECT_EQ(c.ActivePictures[1].BitCount(), 4);
  // The text lines, each now ended by CR LF.
  EXPECT_EQ(SplitTextLines(c.Text), SplitTextLines(SmallSkinText()));
  EXPECT_EQ(c.Text.substr(0, 27), "; a small skin for tests\r\n[");
  EXPECT_EQ(c.Text.back(), '\n');
}

TEST(StoredSkin, MissingRequiredSectionChangesNothing) {
  TTempFolder folder("stored-missing");
  TvnCompressedStoredSkin skin;
  skin.SetCompressedData({1, 2, 3});
  for (const char* section : vnRequiredSkinSections) {
    std::string text = SmallSkinText();
    const std::string header = "[" + std::string(section) + "]";
    text.replace(text.find(header), header.size(), "[renamed]");
    const auto ini = WriteSmallSkin(folder.Path(), text);
    EXPECT_FALSE(skin.LoadFromSkinFile(ini)) << section;
    EXPECT_EQ(skin.CompressedData(), (Bytes{1, 2, 3})) << section;
    std::string missing;
    EXPECT_FALSE(ReadSkinSource(ini, &missing));
    EXPECT_EQ(missing, section);
  }
}

TEST(StoredSkin, UnreadablePictureRaisesAndKeepsTheOldBlock) {
  TTempFolder folder("stored-badpicture");
  const auto ini = WriteSmallSkin(folder.Path());
  TvnCompressedStoredSkin skin;
  ASSERT_TRUE(skin.LoadFromSkinFile(ini));
  const Bytes before = skin.CompressedData();

  std::filesystem::remove(folder.Path() / "b.bmp");
  EXPECT_NE(MessageOf([&] { skin.LoadFromSkinFile(ini); }).find("b.bmp"), std::string::npos);
  EXPECT_EQ(skin.CompressedData(), before);

  Bytes damaged = ReadFileBytes(folder.Path() / "a.bmp");
  damaged.resize(damaged.size() - 3);
  WriteFileBytes(folder.Path() / "b.bmp", damaged);
  const std::string message = MessageOf([&] { skin.LoadFromSkinFile(ini); });
  EXPECT_NE(message.find("b.bmp"), std::string::npos) << message;
  EXPECT_NE(message.find("truncated"), std::string::npos) << message;
  EXPECT_EQ(skin.CompressedData(), before);
}

TEST(StoredSkin, SkinFileLimitsHoldExactlyAtTheirSize) {
  TTempFolder folder("stored-limits");
  const auto ini = WriteSmallSkin(folder.Path());
  const TvnSkinContainerLimits defaults;
  const TvnSkinContainer c = *ReadSkinSource(ini);
  std::int64_t pixels = 0;
  for (const TBmpPicture* p : {&c.Picture, &c.InActivePicture, &c.Mask, &c.ActivePictures[0], &c.ActivePictures[1]})
    pixels += static_cast<std::int64_t>(p->Width()) * p->Height();
  const std::size_t size = SmallSkinText().size();

  std::string text = SmallSkinText();
  text.replace(text.find("activepicturescount=2"), 21, "activepicturescount=3");
  const auto unnamed = folder.Path() / "unnamed.ini";
  WriteText(unnamed, text);

  struct Case {
    const char* name;
    std::filesystem::path file;
    TvnSkinContainerLimits limits;
    std::string expected;  // a piece of the message, or "(no error)"
  };
  const Case cases[] = {
      {"pixels exactly at the limit", ini, {pixels, defaults.MaxDescriptionSize}, "(no error)"},
      // b.bmp (7 x 3) is the last picture read: it is the one that no longer fits.
      {"one pixel past the limit", ini, {pixels - 1, defaults.MaxDescriptionSize},
       "b.bmp\": its 7 x 3 pixels pass the limit of " + std::to_string(pixels - 1)},
      {"description one byte longer", ini, {pixels, size - 1},
       "skin.ini\" has " + std::to_string(size) + " bytes, more than the " + std::to_string(size - 1)},
      {"an active picture without a name", unnamed, defaults,
       "unnamed.ini\": active picture 2 of section [PICTURES] has no name"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    const std::string message = MessageOf([&] { ReadSkinSource(k.file, nullptr, true, k.limits); });
    EXPECT_NE(message.find(k.expected), std::string::npos) << message;
  }
}

TEST(StoredSkin, CompressedFileGivesItsBlock) {
  TTempFolder folder("stored-compressed");
  const Bytes block = PackSkinContainer({3, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0});
  const Bytes file = MakeCompressedSkinFile(block);
  EXPECT_EQ(file.size(), block.size() + 8);
  WriteFileBytes(folder.Path() / "good.vsk", file);

  TvnCompressedStoredSkin skin;
  skin.LoadFromCompressedFile(folder.Path() / "good.vsk");
  EXPECT_EQ(skin.CompressedData(), block);

  // A newer version empties the block, as the format says.
  Bytes newer = file;
  newer[0] = 4;
  WriteFileBytes(folder.Path() / "newer.vsk", newer);
  skin.LoadFromCompressedFile(folder.Path() / "newer.vsk");
  EXPECT_TRUE(skin.IsEmpty());

  // A damaged file raises and keeps what the component held.
  skin.SetCompressedData(block);
  for (const Bytes& bad : {Bytes(file.begin(), file.end() - 1), Bytes{3, 0}, Bytes{3, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}}) {
    WriteFileBytes(folder.Path() / "bad.vsk", bad);
    EXPECT_NE(MessageOf([&] { skin.LoadFromCompressedFile(folder.Path() / "bad.vsk"); }).find("bad.vsk"),
              std::string::npos);
    EXPECT_EQ(skin.CompressedData(), block);
  }
  EXPECT_NE(MessageOf([&] { skin.LoadFromCompressedFile(folder.Path() / "none.vsk"); }), "(no error)");
  EXPECT_EQ(skin.CompressedData(), block);
}

TEST(StoredSkin, FileNamesLoadOnlyWhileDesigning) {
  TTempFolder folder("stored-design");
  const auto ini = WriteSmallSkin(folder.Path());
  const std::u8string full = ini.u8string();
  const std::string fullName(full.begin(), full.end());

  TvnCompressedStoredSkin running;
  running.SetFileName(fullName);
  EXPECT_EQ(running.FileName(), fullName);  // at run time the value is only stored
  EXPECT_TRUE(running.IsEmpty());

  TvnCompressedStoredSkin reading;
  reading.ComponentState().Designing = true;
  reading.ComponentState().Loading = true;  // while a window description is read
  reading.SetFileName("skin.ini");
  EXPECT_TRUE(reading.IsEmpty());

  TvnCompressedStoredSkin designed;
  designed.ComponentState().Designing = true;
  designed.SetFileName(fullName);
  EXPECT_EQ(designed.FileName(), "skin.ini");
  EXPECT_FALSE(designed.IsEmpty());

  WriteFileBytes(folder.Path() / "s.vsk", MakeCompressedSkinFile({0x78, 0xDA}));
  const std::u8string vsk = (folder.Path() / "s.vsk").u8string();
  designed.SetCompressedFileName(std::string(vsk.begin(), vsk.end()));
  EXPECT_EQ(designed.CompressedFileName(), "s.vsk");
  EXPECT_EQ(designed.CompressedData(), (Bytes{0x78, 0xDA}));
}

TEST(StoredSkin, UnpackingPastTheLimitIsRefused) {
  // A container of 64 MiB and one byte of zeros packs to about 64 KiB.
  TvnCompressedStoredSkin skin;
  skin.SetCompressedData(PackSkinContainer(Bytes(static_cast<std::size_t>(vnMaxUnpackedSkinSize) + 1, 0)));
  TMemoryStream out;
  const std::string message = MessageOf([&] { skin.DecompressToStream(out); });
  EXPECT_NE(message.find("stored skin: the stream unpacks to more than 67108864 bytes"), std::string::npos)
      << message;
}

TEST(ResourceStrings, DefaultsAndLookUp) {
  TvnResourceStrData strings;
  EXPECT_EQ(strings.ResStrings().size(), 115u);
  EXPECT_EQ(strings.CharSet(), 1);
  EXPECT_EQ(strings.GetResStr("mi_mincaption"), "Mi&nimize");
  EXPECT_EQ(strings.GetResStr("MENUBUTTON_HINT"), "System menu");
  EXPECT_EQ(strings.GetResStr("find_replace_all"), "Replace All");
  EXPECT_EQ(strings.GetResStr("PRNDLG_MARGINS"), "Margins (millimeters)");
  EXPECT_EQ(strings.GetResStr("MI_MIN"), "");
  // Every key is there once, none empty.
  std::set<std::string> keys;
  for (const std::string& line : strings.ResStrings()) {
    const auto eq = line.find('=');
    ASSERT_NE(eq, std::string::npos) << line;
    EXPECT_TRUE(keys.insert(line.substr(0, eq)).second) << line;
    EXPECT_LT(eq + 1, line.size()) << line;
  }
  // The first line that matches wins, and the text runs from the first "=".
  strings.SetResStrings({"A=1=2", "a=3"});
  EXPECT_EQ(strings.GetResStr("a"), "1=2");
}
