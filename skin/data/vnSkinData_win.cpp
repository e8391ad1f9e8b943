#include "skin/data/vnSkinData_win.h"

#include "framework/Application_win.h"
#include "framework/Forms_win.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataRegister.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

class TFormsSkinNoticeSender : public TvnSkinNoticeSender {
public:
  void SendSkinNotice(TvnSkinData& skinData, unsigned message) override {
    const auto wParam = reinterpret_cast<WPARAM>(&skinData);
    const auto lParam = static_cast<LPARAM>(vnSkinNoticeParam);
    TForm* owner = dynamic_cast<TForm*>(skinData.Owner());  // not owned
    if (owner) ::SendMessageW(owner->Handle(), message, wParam, lParam);
    if (!Application) return;
    // A form may go away while it handles a notice: walk a copy and skip the ones gone.
    std::vector<TForm*> forms;
    for (int i = 0; i < Application->FormCount(); ++i) forms.push_back(Application->Forms(i));
    for (TForm* form : forms) {
      if (form == owner) continue;
      bool listed = false;
      for (int i = 0; i < Application->FormCount() && !listed; ++i) listed = Application->Forms(i) == form;
      if (listed) ::SendMessageW(form->Handle(), message, wParam, lParam);
    }
  }
};

}  // namespace

TvnSkinNoticeSender& FormsSkinNoticeSender() {
  static TFormsSkinNoticeSender sender;
  return sender;
}

void RegisterSkinDataComponents(TClassRegistry& registry) {
  RegisterSkinDataClasses(registry);
  SetDefaultSkinNoticeSender(&FormsSkinNoticeSender());
}
