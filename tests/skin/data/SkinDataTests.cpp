#include "framework/ClassRegistry.h"
#include "framework/DescriptionReader.h"
#include "skin/data/vnIniFile.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataControls.h"
#include "skin/data/vnSkinDataObjects.h"
#include "skin/data/vnSkinDataRegister.h"
#include "skin/data/vnSkinDataResStr.h"
#include "skin/data/vnSkinDataStoredSkin.h"

#include "SmallSkin.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Records the notices a skin data sends, with what the skin data looked like at that moment.
struct TRecorder : TvnSkinNoticeSender {
  struct TNotice {
    unsigned Message;
    bool SkinEmpty;
    std::size_t Objects;
  };
  std::vector<TNotice> Notices;
  void SendSkinNotice(TvnSkinData& data, unsigned message) override {
    Notices.push_back({message, data.SkinEmpty, data.ObjectDescriptions.size()});
  }
  std::vector<unsigned> Messages() const {
    std::vector<unsigned> m;
    for (const TNotice& n : Notices) m.push_back(n.Message);
    return m;
  }
};

Bytes SmallSkinBlock(const std::string& text = SmallSkinText()) {
  TTempFolder folder("skindata");
  TvnCompressedStoredSkin skin;
  if (!skin.LoadFromSkinFile(WriteSmallSkin(folder.Path(), text))) throw std::runtime_error("not packed");
  return skin.CompressedData();
}

Bytes BlockOf(const Bytes& container) { return PackSkinContainer(container); }

std::string MessageOf(auto&& action) {
  try {
    action();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "(no error)";
}

const std::vector<unsigned> FullLoad = {WM_SKINCHANGING, WM_SKINCHANGED, WM_SKINCHANGEDAFTER};

}  // namespace

TEST(SkinData, StartsEmptyWithItsCreationValues) {
  TvnSkinData data;
  EXPECT_TRUE(data.SkinEmpty);
  EXPECT_EQ(data.BGPictureIndex, -1);
  EXPECT_EQ(data.MDIBGPictureIndex, -1);
  EXPECT_FALSE(data.MainMenuPopupUp);
  EXPECT_EQ(data.PopupWindowInfo->WindowPictureIndex, -1);
  EXPECT_EQ(data.HintWindowInfo->FontHeight, 12);
  EXPECT_TRUE(data.Picture.IsEmpty());
  EXPECT_EQ(data.CompressedStoredSkin(), nullptr);
}

TEST(SkinData, LinkingAStoredSkinLoadsItAndTellsTheForms) {
  TRecorder recorder;
  TvnCompressedStoredSkin stored;
  stored.SetCompressedData(SmallSkinBlock());
  TvnSkinData data;
  data.SetNoticeSender(&recorder);
  data.SetCompressedStoredSkin(&stored);

  EXPECT_EQ(recorder.Messages(), FullLoad);
  // Changing arrives before anything is cleared or read; changed after everything is read.
  EXPECT_TRUE(recorder.Notices[0].SkinEmpty);
  EXPECT_FALSE(recorder.Notices[1].SkinEmpty);
  EXPECT_EQ(recorder.Notices[1].Objects, 2u);

  EXPECT_FALSE(data.SkinEmpty);
  EXPECT_EQ(data.Picture.Width(), 20);
  EXPECT_EQ(data.Picture.BitCount(), 24);
  EXPECT_TRUE(data.InActivePicture.IsEmpty());
  EXPECT_EQ(data.Mask.BitCount(), 1);
  ASSERT_EQ(data.ActivePictures.size(), 2u);
  EXPECT_EQ(data.ActivePictures[1].Width(), 7);
  EXPECT_EQ(data.SkinName, "Small");
  EXPECT_EQ(data.SkinAuthor, "Tests");
  EXPECT_EQ(data.PictureName, "main.bmp");
  EXPECT_EQ(data.MaskName, "mask.bmp");
  EXPECT_EQ(data.ActivePictureNames, (std::vector<std::string>{"a.bmp", "b.bmp"}));
  EXPECT_EQ(data.BorderWidth, 3);
  EXPECT_EQ(data.PopupWindowInfo->WindowPictureIndex, 0);
  EXPECT_EQ(data.HintWindowInfo->WindowPictureIndex, 1);
  EXPECT_EQ(data.HintWindowInfo->FontHeight, 14);  // the reader's default once a skin is read

  // Both corrections: the mask area takes the client rectangle, the unset hit-test points
  // take the corner points as read, then the corner points move into the client rectangle.
  EXPECT_EQ(data.MaskRectArea, Rect(3, 5, 17, 12));
  EXPECT_EQ(data.HitTestLeftTopPoint, (TPoint{2, 4}));
  EXPECT_EQ(data.HitTestRightBottomPoint, (TPoint{18, 13}));
  EXPECT_EQ(data.LeftTopPoint, (TPoint{3, 5}));
  EXPECT_EQ(data.RightTopPoint, (TPoint{15, 6}));
  EXPECT_EQ(data.RightBottomPoint, (TPoint{17, 12}));

  // The unknown kind is skipped; the animate reads with morphing forced off; the up-down
  // control's points are zeroed after reading.
  ASSERT_EQ(data.ObjectDescriptions.size(), 2u);
  EXPECT_EQ(data.ObjectDescriptions[0]->Kind(), "caption");
  const auto* close = dynamic_cast<TvnDataSkinAnimate*>(data.ObjectDescriptions[1].get());
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->CountFrames, 5);
  EXPECT_FALSE(close->Morphing);
  ASSERT_EQ(data.ControlDescriptions.size(), 2u);
  const auto* up = dynamic_cast<TvnDataSkinUpDownControl*>(data.ControlDescriptions[1].get());
  ASSERT_NE(up, nullptr);
  EXPECT_EQ(up->LeftTopPoint, (TPoint{0, 0}));

  EXPECT_EQ(data.IndexOfSkinObject("close"), 1);
  EXPECT_EQ(data.IndexOfSkinObject("Close"), -1);
  EXPECT_EQ(data.IndexOfSkinObject("odd"), -1);
  EXPECT_EQ(data.IndexOfControl("panel"), 0);
  EXPECT_EQ(data.IndexOfControl("Panel"), -1);
}

TEST(SkinData, EmptyStoredSkinChangesNothing) {
  TRecorder recorder;
  TvnCompressedStoredSkin loaded, empty;
  loaded.SetCompressedData(SmallSkinBlock());
  TvnSkinData data;
  data.SetNoticeSender(&recorder);
  data.SetCompressedStoredSkin(&loaded);
  recorder.Notices.clear();
  data.SetCompressedStoredSkin(&empty);
  EXPECT_TRUE(recorder.Notices.empty());
  EXPECT_FALSE(data.SkinEmpty);
  EXPECT_EQ(data.ObjectDescriptions.size(), 2u);
  EXPECT_EQ(data.CompressedStoredSkin(), &empty);
}

TEST(SkinData, FailedLoadsLeaveItEmptyWithoutChangedNotices) {
  const Bytes good = SmallSkinBlock();
  Bytes damaged = good;
  damaged[damaged.size() / 2] ^= 0xFF;
  std::string badRect = SmallSkinText();
  badRect.replace(badRect.find("clientrect=3,5,17,12"), 20, "clientrect=3,5,,12");
  const Bytes malformed = SmallSkinBlock(badRect);
  Bytes truncatedPicture = UnpackSkinBlock(good);
  truncatedPicture.resize(200);

  struct Case {
    const char* name;
    Bytes block;
    std::string expected;
  };
  const Case cases[] = {
      {"damaged zlib", damaged, "compression error"},
      {"rectangle piece without digits", malformed, "FORMINFO"},
      {"truncated picture", BlockOf(truncatedPicture), "main picture: BMP at byte offset 7: truncated"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRecorder recorder;
    TvnCompressedStoredSkin loaded, bad;
    loaded.SetCompressedData(good);
    bad.SetCompressedData(c.block);
    TvnSkinData data;
    data.SetNoticeSender(&recorder);
    data.SetCompressedStoredSkin(&loaded);
    recorder.Notices.clear();
    const std::string message = MessageOf([&] { data.SetCompressedStoredSkin(&bad); });
    EXPECT_NE(message.find(c.expected), std::string::npos) << message;
    EXPECT_EQ(recorder.Messages(), std::vector<unsigned>{WM_SKINCHANGING});
    EXPECT_TRUE(data.SkinEmpty);
    EXPECT_TRUE(data.ObjectDescriptions.empty());
    EXPECT_TRUE(data.ControlDescriptions.empty());
    EXPECT_TRUE(data.ActivePictures.empty());
    EXPECT_TRUE(data.Picture.IsEmpty());
  }
  // The key is named too.
  TvnCompressedStoredSkin bad;
  bad.SetCompressedData(malformed);
  TvnSkinData data;
  EXPECT_NE(MessageOf([&] { data.LoadCompressedSkin(bad); }).find("clientrect"), std::string::npos);
}

TEST(SkinData, NewerContainerVersionLeavesItEmptyWithoutError) {
  TRecorder recorder;
  TvnCompressedStoredSkin loaded, newer;
  loaded.SetCompressedData(SmallSkinBlock());
  newer.SetCompressedData(BlockOf({4, 0, 0, 0, 1, 1, 1}));
  TvnSkinData data;
  data.SetNoticeSender(&recorder);
  data.SetCompressedStoredSkin(&loaded);
  recorder.Notices.clear();
  EXPECT_NO_THROW(data.SetCompressedStoredSkin(&newer));
  EXPECT_EQ(recorder.Messages(), std::vector<unsigned>{WM_SKINCHANGING});
  EXPECT_TRUE(data.SkinEmpty);
  EXPECT_TRUE(data.Picture.IsEmpty());
}

TEST(SkinData, DesigningLinksWithoutLoading) {
  TvnCompressedStoredSkin stored;
  stored.SetCompressedData(SmallSkinBlock());
  TvnSkinData data;
  data.ComponentState().Designing = true;
  data.SetCompressedStoredSkin(&stored);
  EXPECT_TRUE(data.SkinEmpty);
}

TEST(SkinData, ResourceStringLinkSendsItsNoticeAlsoForNone) {
  TRecorder recorder;
  TvnSkinData data;
  data.SetNoticeSender(&recorder);
  TvnResourceStrData strings;
  data.SetResourceStrData(&strings);
  data.SetResourceStrData(nullptr);
  EXPECT_EQ(recorder.Messages(), (std::vector<unsigned>{WM_SKINSTRINGSCHANGED, WM_SKINSTRINGSCHANGED}));
}

TEST(SkinData, FreedLinkedComponentsDropTheirLinksAndTheSkinStays) {
  TComponent owner;
  auto* stored = TComponent::Create<TvnCompressedStoredSkin>(&owner);
  auto* strings = TComponent::Create<TvnResourceStrData>(&owner);
  auto* data = TComponent::Create<TvnSkinData>(&owner);
  data->SetNoticeSender(nullptr);
  stored->SetCompressedData(SmallSkinBlock());
  data->SetCompressedStoredSkin(stored);
  data->SetResourceStrData(strings);
  owner.RemoveAndFree(stored);
  owner.RemoveAndFree(strings);
  EXPECT_EQ(data->CompressedStoredSkin(), nullptr);
  EXPECT_EQ(data->ResourceStrData(), nullptr);
  EXPECT_FALSE(data->SkinEmpty);
  EXPECT_EQ(data->ObjectDescriptions.size(), 2u);
}

TEST(SkinData, ClearListsAndClearAll) {
  TvnCompressedStoredSkin stored;
  stored.SetCompressedData(SmallSkinBlock());
  TvnSkinData data;
  data.SetNoticeSender(nullptr);
  data.SetCompressedStoredSkin(&stored);
  data.ClearLists();
  EXPECT_TRUE(data.ObjectDescriptions.empty() && data.ControlDescriptions.empty());
  EXPECT_TRUE(data.ActivePictures.empty() && data.ActivePictureNames.empty());
  EXPECT_EQ(data.PopupWindowInfo->WindowPictureIndex, -1);
  EXPECT_EQ(data.HintWindowInfo->WindowPictureIndex, -1);
  EXPECT_FALSE(data.Picture.IsEmpty());
  EXPECT_FALSE(data.SkinEmpty);
  data.ClearAll();
  EXPECT_TRUE(data.Picture.IsEmpty() && data.Mask.IsEmpty());
  EXPECT_TRUE(data.PictureName.empty() && data.MaskName.empty());
  EXPECT_TRUE(data.SkinEmpty);
}

TEST(SkinData, WindowDescriptionLoadsTheSkinWhileItIsRead) {
  struct TTestForm : TComponent {
    using TComponent::TComponent;
  };
  TClassRegistry registry;
  RegisterSkinDataClasses(registry);
  registry.Register(RootClass<TTestForm>("TTestForm", "", {}, {}));

  const Bytes block = SmallSkinBlock();
  std::string hex;
  for (std::uint8_t b : block) {
    static const char digits[] = "0123456789ABCDEF";
    hex += digits[b >> 4];
    hex += digits[b & 15];
  }
  const std::string text =
      "object Form1: TTestForm\n"
      "  object vnSkinData1: TvnSkinData\n"
      "    CompressedStoredSkin = vnCompressedStoredSkin1\n"
      "  end\n"
      "  object vnCompressedStoredSkin1: TvnCompressedStoredSkin\n"
      "    FileName = \"skin.ini\"\n"
      "    Description = \"small\"\n"
      "    CompressedData = {" + hex + "}\n"
      "  end\n"
      "  object vnResourceStrData1: TvnResourceStrData\n"
      "    ResStrings = \"A=1\\nB=2\"\n"
      "    CharSet = 134\n"
      "  end\n"
      "end\n";
  TTestForm form;
  ReadDescription(text, form, registry);
  auto* data = dynamic_cast<TvnSkinData*>(form.FindComponent("vnSkinData1"));
  auto* stored = dynamic_cast<TvnCompressedStoredSkin*>(form.FindComponent("vnCompressedStoredSkin1"));
  auto* strings = dynamic_cast<TvnResourceStrData*>(form.FindComponent("vnResourceStrData1"));
  ASSERT_TRUE(data && stored && strings);
  EXPECT_EQ(stored->FileName(), "skin.ini");
  EXPECT_EQ(stored->Description(), "small");
  EXPECT_EQ(stored->CompressedData(), block);
  EXPECT_EQ(data->CompressedStoredSkin(), stored);
  EXPECT_FALSE(data->SkinEmpty);
  EXPECT_EQ(data->ActivePictures.size(), 2u);
  EXPECT_EQ(strings->GetResStr("b"), "2");
  EXPECT_EQ(strings->CharSet(), 134);
}
