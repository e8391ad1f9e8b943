// The embedded skin read the way the program reads it: packed by the stored-skin component from
// skins/quillon/skin.ini, unpacked and cut by the container reader, its descriptions created and
// read by the description lists, and each description written back through its own key table
// to show that skin.ini uses exactly those keys, in that order.
#include "framework/Stream.h"
#include "skin/data/vnIniFile.h"
#include "skin/data/vnSkinDataContainer.h"
#include "skin/data/vnSkinDataControls.h"
#include "skin/data/vnSkinFormInfo.h"
#include "skin/data/vnSkinDataObjects.h"
#include "skin/data/vnSkinDataStoredSkin.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const std::filesystem::path SkinFolder = std::filesystem::path(QUILLON_SOURCE_DIR) / "skins" / "quillon";

class QuillonSkinLoad : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Stored = new TvnCompressedStoredSkin;
    ASSERT_TRUE(Stored->LoadFromSkinFile(SkinFolder / "skin.ini"));
    TMemoryStream unpacked;
    Stored->DecompressToStream(unpacked);
    UnpackedSize = unpacked.Bytes().size();
    Container = new TvnSkinContainer(ReadSkinContainer(unpacked.Memory()));
    Loaded = new TvnIniFile(Container->Text);
    Objects = new std::vector<std::unique_ptr<TvnDataSkinObject>>;
    Controls = new std::vector<std::unique_ptr<TvnDataSkinControl>>;
    LoadObjectDescriptions(*Loaded, *Objects);
    LoadControlDescriptions(*Loaded, *Controls);
    std::ifstream in(SkinFolder / "skin.ini", std::ios::binary);
    Ini = new TvnIniFile(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
  }
  static void TearDownTestSuite() {
    delete Stored;
    delete Container;
    delete Loaded;
    delete Objects;
    delete Controls;
    delete Ini;
  }

  // The keys of a section in file order.
  static std::vector<TvnIniLine> Lines(const TvnIniFile& ini, const std::string& section) {
    const TvnIniSection* s = ini.FindSection(section);
    return s ? s->Lines : std::vector<TvnIniLine>{};
  }

  // skin.ini's section holds the keys the description writes, in the same order and with the
  // same values, except empty rectangles, which skin.ini leaves out.
  static void ExpectSameKeys(const std::string& section, const TvnIniFile& written) {
    SCOPED_TRACE(section);
    const std::vector<TvnIniLine> mine = Lines(*Ini, section);
    const std::vector<TvnIniLine> theirs = Lines(written, section);
    std::size_t i = 0;
    for (const TvnIniLine& line : theirs) {
      if (i < mine.size() && SameTextAscii(mine[i].Key, line.Key)) {
        EXPECT_EQ(mine[i].Value, line.Value) << line.Key;
        ++i;
      } else {
        EXPECT_EQ(line.Value, "0,0,0,0") << "skin.ini leaves out " << line.Key;
      }
    }
    EXPECT_EQ(i, mine.size()) << "skin.ini has a key the description does not read, or one out of order: "
                              << (i < mine.size() ? mine[i].Key : "");
  }

  static TvnCompressedStoredSkin* Stored;
  static std::size_t UnpackedSize;
  static TvnSkinContainer* Container;
  static TvnIniFile* Loaded;  // the description as it came out of the container
  static std::vector<std::unique_ptr<TvnDataSkinObject>>* Objects;
  static std::vector<std::unique_ptr<TvnDataSkinControl>>* Controls;
  static TvnIniFile* Ini;  // skin.ini as committed
};

TvnCompressedStoredSkin* QuillonSkinLoad::Stored = nullptr;
std::size_t QuillonSkinLoad::UnpackedSize = 0;
TvnSkinContainer* QuillonSkinLoad::Container = nullptr;
TvnIniFile* QuillonSkinLoad::Loaded = nullptr;
std::vector<std::unique_ptr<TvnDataSkinObject>>* QuillonSkinLoad::Objects = nullptr;
std::vector<std::unique_ptr<TvnDataSkinControl>>* QuillonSkinLoad::Controls = nullptr;
TvnIniFile* QuillonSkinLoad::Ini = nullptr;

TEST_F(QuillonSkinLoad, PacksAtLevelNineAndLoadsCompletely) {
  const std::vector<std::uint8_t>& block = Stored->CompressedData();
  ASSERT_GE(block.size(), 2u);
  EXPECT_EQ(block[0], 0x78);
  EXPECT_EQ(block[1], 0xDA);
  RecordProperty("compressed_bytes", static_cast<int>(block.size()));

  EXPECT_EQ(UnpackedSize, 302599u);
  EXPECT_EQ(Container->Version, 3);
  EXPECT_EQ(Container->DescriptionOffset, 270323u);
  EXPECT_EQ(Container->Picture.Width(), 191);
  EXPECT_EQ(Container->Picture.Height(), 135);
  EXPECT_EQ(Container->Picture.BitCount(), 24);
  EXPECT_EQ(Container->Mask.Width(), 191);
  EXPECT_EQ(Container->Mask.Height(), 135);
  EXPECT_EQ(Container->Mask.BitCount(), 1);
  EXPECT_TRUE(Container->InActivePicture.IsEmpty());
  EXPECT_EQ(Container->ActivePictures.size(), 12u);
  EXPECT_EQ(Container->Text.rfind("[VERSION]", 0), 0u);
  EXPECT_EQ(Objects->size(), 13u);
  EXPECT_EQ(Controls->size(), 59u);
  TvnDataSkinPopupWindow popup;
  popup.LoadFromIni(*Loaded);
  EXPECT_NE(popup.WindowPictureIndex, -1);
  EXPECT_NE(popup.MaskPictureIndex, -1);
  TvnDataSkinHintWindow hint;
  hint.LoadFromIni(*Loaded);
  EXPECT_EQ(hint.ClientRect, (TRect{9, 6, 39, 20}));
}

TEST_F(QuillonSkinLoad, ObjectSectionsUseTheObjectKeyTables) {
  TvnIniFile written;
  for (const auto& d : *Objects) {
    d->SaveToIni(written);
    ExpectSameKeys(d->SectionName, written);
  }
}

TEST_F(QuillonSkinLoad, ControlSectionsUseTheControlKeyTables) {
  TvnIniFile written;
  for (const auto& d : *Controls) {
    d->SaveToIni(written);
    ExpectSameKeys(d->SectionName, written);
  }
}

TEST_F(QuillonSkinLoad, WindowAndFormSectionsUseTheirKeyTables) {
  TvnIniFile written;
  TvnDataSkinPopupWindow popup;
  popup.LoadFromIni(*Loaded);
  popup.WriteKeys(written, "POPUPWINDOW");
  TvnDataSkinHintWindow hint;
  hint.LoadFromIni(*Loaded);
  hint.WriteKeys(written, "HINTWINDOW");
  TvnSkinFormInfo form;
  form.LoadFromIni(*Loaded, "framemask.bmp");
  form.WriteKeys(written, "FORMINFO");
  ExpectSameKeys("POPUPWINDOW", written);
  ExpectSameKeys("HINTWINDOW", written);
  ExpectSameKeys("FORMINFO", written);
}

}  // namespace
