// The skin data's notices with real forms: each form hears each notice once, the owner first.
#include "framework/Application_win.h"
#include "framework/ClassRegistry.h"
#include "framework/Forms_win.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataResStr.h"
#include "skin/data/vnSkinDataStoredSkin.h"
#include "skin/data/vnSkinData_win.h"

#include "SmallSkin.h"

#include <gtest/gtest.h>

namespace {

struct TNotice {
  std::string Form;
  unsigned Message;
  WPARAM WParam;
  LPARAM LParam;
  bool HadWindow;
  friend bool operator==(const TNotice&, const TNotice&) = default;
};

std::vector<TNotice> GNotices;

class TRecordingForm : public TForm {
public:
  using TForm::TForm;
  void WndProc(TMessage& message) override {
    if (message.Msg >= WM_SKINCHANGING && message.Msg <= WM_SKINSTRINGSCHANGED)
      GNotices.push_back({Name(), message.Msg, message.WParam, message.LParam, HandleAllocated()});
    TForm::WndProc(message);
  }
};

}  // namespace

TEST(SkinNotices, EveryFormHearsEachNoticeOnceTheOwnerFirst) {
  TApplication application;
  application.Initialize();
  RegisterSkinDataComponents(ClassRegistry());
  auto* first = application.CreateForm<TRecordingForm>();
  first->SetName("First");
  auto* second = application.CreateForm<TRecordingForm>();
  second->SetName("Second");
  auto* third = application.CreateForm<TRecordingForm>();
  third->SetName("Third");

  TTempFolder folder("notices");
  auto* stored = TComponent::Create<TvnCompressedStoredSkin>(second);
  ASSERT_TRUE(stored->LoadFromSkinFile(WriteSmallSkin(folder.Path())));
  // The skin data belongs to the second form, whose window does not exist yet.
  auto* data = TComponent::Create<TvnSkinData>(second);
  EXPECT_EQ(data->NoticeSender(), &FormsSkinNoticeSender());
  EXPECT_FALSE(second->HandleAllocated());
  GNotices.clear();
  data->SetCompressedStoredSkin(stored);
  EXPECT_FALSE(data->SkinEmpty);

  const auto w = reinterpret_cast<WPARAM>(data);
  std::vector<TNotice> expected;
  for (unsigned message : {WM_SKINCHANGING, WM_SKINCHANGED, WM_SKINCHANGEDAFTER})
    for (const char* form : {"Second", "First", "Third"}) expected.push_back({form, message, w, 1000, true});
  EXPECT_EQ(GNotices, expected);

  // The resource-string notice takes the same way.
  GNotices.clear();
  auto* strings = TComponent::Create<TvnResourceStrData>(first);
  data->SetResourceStrData(strings);
  ASSERT_EQ(GNotices.size(), 3u);
  EXPECT_EQ(GNotices[0].Form, "Second");
  EXPECT_EQ(GNotices[2].Message, WM_SKINSTRINGSCHANGED);

  // A skin data that no form owns still reaches every form, in list order.
  TvnSkinData loose;
  GNotices.clear();
  loose.SendSkinNotice(WM_SKINCHANGED);
  ASSERT_EQ(GNotices.size(), 3u);
  EXPECT_EQ(GNotices[0].Form, "First");
  EXPECT_EQ(GNotices[1].Form, "Second");
}
