// The skin Quillon carries in its window description: that it is fresh (the same block a pack
// of skins/quillon/ gives now), laid out as the container says, and what it loads to.
#include "framework/Description.h"
#include "skin/data/vnIniFile.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataControls.h"
#include "skin/data/vnSkinDataObjects.h"
#include "skin/data/vnSkinDataStoredSkin.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::filesystem::path Root = QUILLON_SOURCE_DIR;

const TDescObject& MainWindow() {
  static const TDescObject form = [] {
    const Bytes text = ReadFileBytes(Root / "app" / "Unit1.desc");
    return ParseDescription(std::string(text.begin(), text.end()));
  }();
  return form;
}

const TDescObject* Child(const TDescObject& parent, const std::string& name) {
  for (const TDescObject& child : parent.Children)
    if (child.Name == name) return &child;
  return nullptr;
}

const TDescValue* Property(const TDescObject& object, const std::string& name) {
  const TDescValue* found = nullptr;
  for (const TDescProperty& p : object.Properties)
    if (p.Name == name) found = &p.Value;
  return found;
}

const Bytes& EmbeddedBlock() {
  static const Bytes block = [] {
    const TDescObject* stored = Child(MainWindow(), "vnCompressedStoredSkin1");
    if (!stored) return Bytes();
    const TDescValue* data = Property(*stored, "CompressedData");
    return data ? data->Bytes : Bytes();
  }();
  return block;
}

}  // namespace

TEST(EmbeddedSkin, WindowDescriptionHoldsTheSkinComponentsLinked) {
  const TDescObject* stored = Child(MainWindow(), "vnCompressedStoredSkin1");
  const TDescObject* data = Child(MainWindow(), "vnSkinData1");
  ASSERT_TRUE(stored && data);
  EXPECT_EQ(stored->ClassName, "TvnCompressedStoredSkin");
  EXPECT_EQ(data->ClassName, "TvnSkinData");
  ASSERT_TRUE(Property(*stored, "FileName"));
  EXPECT_EQ(Property(*stored, "FileName")->Text, "skin.ini");
  ASSERT_TRUE(Property(*data, "CompressedStoredSkin"));
  EXPECT_EQ(Property(*data, "CompressedStoredSkin")->Text, "vnCompressedStoredSkin1");
  EXPECT_EQ(Property(*data, "ResourceStrData"), nullptr);
  // The skin data is read before the stored skin, so its link is set once both exist.
  EXPECT_LT(data->Line, stored->Line);
  ASSERT_GE(EmbeddedBlock().size(), 2u);
  EXPECT_EQ(EmbeddedBlock()[0], 0x78);
  EXPECT_EQ(EmbeddedBlock()[1], 0xDA);
}

// Fails when skins/quillon/ changed and the window description was not refreshed with
// `skintool embed skins/quillon/skin.ini --form app/Unit1.desc`.
TEST(EmbeddedSkin, BlockEqualsAFreshPackOfTheSkinSource) {
  TvnCompressedStoredSkin fresh;
  ASSERT_TRUE(fresh.LoadFromSkinFile(Root / "skins" / "quillon" / "skin.ini"));
  EXPECT_TRUE(fresh.CompressedData() == EmbeddedBlock())
      << "the stored skin in app/Unit1.desc is stale: run skintool embed skins/quillon/skin.ini --form app/Unit1.desc";
}

TEST(EmbeddedSkin, ContainerLayout) {
  const Bytes unpacked = UnpackSkinBlock(EmbeddedBlock());
  const TvnSkinContainer c = ReadSkinContainer(unpacked);
  EXPECT_EQ(Bytes(unpacked.begin(), unpacked.begin() + 5), (Bytes{3, 0, 0, 0, 0}));
  const std::size_t afterPicture = 5 + c.Picture.FileBytes().size();
  EXPECT_EQ(unpacked[afterPicture], 1) << "no inactive picture";
  EXPECT_EQ(unpacked[afterPicture + 1], 0) << "a mask follows";
  const std::size_t count = afterPicture + 2 + c.Mask.FileBytes().size();
  EXPECT_EQ(Bytes(unpacked.begin() + count, unpacked.begin() + count + 4), (Bytes{12, 0, 0, 0}));
  std::size_t text = count + 4;
  for (const TBmpPicture& p : c.ActivePictures) text += p.FileBytes().size();
  EXPECT_EQ(c.DescriptionOffset, text);
  EXPECT_EQ(c.Text.rfind("[VERSION]", 0), 0u);
  // Pictures keep their own depths: the main picture 24 bits, 191 x 135 (77,814 bytes with
  // padded rows), the mask 1 bit.
  EXPECT_EQ(c.Picture.FileBytes().size(), 77814u);
  EXPECT_EQ(c.Mask.BitCount(), 1);
  EXPECT_EQ(TvnIniFile(c.Text).Sections().size(), 79u);
}

TEST(EmbeddedSkin, LoadsToItsCounts) {
  TvnCompressedStoredSkin stored;
  stored.SetCompressedData(EmbeddedBlock());
  TvnSkinData data;
  data.SetNoticeSender(nullptr);
  data.SetCompressedStoredSkin(&stored);
  EXPECT_FALSE(data.SkinEmpty);
  EXPECT_EQ(data.ActivePictures.size(), 12u);
  EXPECT_EQ(data.ObjectDescriptions.size(), 13u);
  EXPECT_EQ(data.ControlDescriptions.size(), 59u);
  EXPECT_EQ(data.Picture.Width(), 191);
  EXPECT_EQ(data.Picture.Height(), 135);
  EXPECT_EQ(data.Picture.BitCount(), 24);
  EXPECT_EQ(data.Mask.Width(), 191);
  EXPECT_EQ(data.Mask.Height(), 135);
  EXPECT_TRUE(data.InActivePicture.IsEmpty());

  const std::vector<std::pair<std::string, std::string>> objects = {
      {"MENUITEM", "menuitem"},          {"caption", "caption"},
      {"CloseAnimate", "animate"},       {"MaxAnimate", "animate"},
      {"MinAnimate", "animate"},         {"RollUpAnimate", "animate"},
      {"mainmenubaritem", "mainmenubaritem"}, {"sysmenuanimate", "animate"},
      {"menubarsysmenubutton", "mainmenubarbutton"}, {"menubarclosebutton", "mainmenubarbutton"},
      {"menubarmaxbutton", "mainmenubarbutton"},     {"menubarminbutton", "mainmenubarbutton"},
      {"trayanimate", "animate"},
  };
  ASSERT_EQ(data.ObjectDescriptions.size(), objects.size());
  for (std::size_t i = 0; i < objects.size(); ++i) {
    EXPECT_EQ(data.ObjectDescriptions[i]->SectionName, objects[i].first) << i;
    EXPECT_EQ(data.ObjectDescriptions[i]->Kind(), objects[i].second) << i;
  }
  std::set<std::string> kinds;
  for (const auto& control : data.ControlDescriptions) kinds.insert(std::string(control->Kind()));
  EXPECT_EQ(kinds.size(), 28u);
}

TEST(EmbeddedSkin, StoredBlockIsFoundInAnyDescription) {
  EXPECT_EQ(StoredSkinBlockOf(MainWindow()), EmbeddedBlock());
  // Nested one level down; written twice, the last one counts, as loading would leave it.
  const TDescObject nested = ParseDescription(
      "object F: TForm\n  object P: TPanel\n    object S: TvnCompressedStoredSkin\n"
      "      CompressedData = {0102}\n      CompressedData = {78DA03}\n    end\n  end\nend\n");
  ASSERT_NE(FindStoredSkinObject(nested), nullptr);
  EXPECT_EQ(FindStoredSkinObject(nested)->Name, "S");
  EXPECT_EQ(StoredSkinBlockOf(nested), (Bytes{0x78, 0xDA, 0x03}));
  const TDescObject none = ParseDescription("object F: TForm\n  Tag = 1\nend\n");
  EXPECT_EQ(FindStoredSkinObject(none), nullptr);
  EXPECT_TRUE(StoredSkinBlockOf(none).empty());
  const TDescObject notBinary = ParseDescription(
      "object S: TvnCompressedStoredSkin\n  CompressedData = 5\nend\n");
  EXPECT_TRUE(StoredSkinBlockOf(notBinary).empty());
}
