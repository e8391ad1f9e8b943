#include "examples/gallery/GalleryControls_win.h"

#include "examples/gallery/GalleryForm_win.h"
#include "framework/StdCtrls_win.h"
#include "skin/controls/vnSkinBoxCtrls_win.h"
#include "skin/controls/vnSkinCtrls_win.h"

#include <string>

namespace {

template <class T>
T* Place(TGalleryForm& form, int left, int top, int width, int height, const wchar_t* hint) {
  T* control = TComponent::Create<T>(&form);
  control->SetBounds(left, top, width, height);
  control->SetHint(hint);
  control->SetShowHint(true);
  control->SetParent(&form);
  return control;
}

}  // namespace

std::vector<TvnSkinControl*> BuildGalleryControls(TGalleryForm& form, int top) {
  std::vector<TvnSkinControl*> controls;

  // A number field stepped by a horizontal up-down: the field only shows, the up-down changes.
  auto* field = Place<TEdit>(form, 16, top, 60, 22, L"The value the up-down beside it steps");
  field->SetReadOnly(true);
  field->SetText(L"50");
  auto* across = Place<TvnSkinUpDown>(form, 82, top + 2, 30, 17, L"Steps the number: hold a button to repeat");
  across->SetPosition(50);
  across->OnChange = [field, across](TComponent*) { field->SetText(std::to_wstring(across->Position())); };
  controls.push_back(across);

  auto* down = Place<TvnSkinUpDown>(form, 124, top - 4, 17, 30, L"A vertical up-down");
  down->SetOrientation(TvnUDOrientation::udVertical);
  down->SetSkinDataName("vupdown");
  controls.push_back(down);

  // One custom control per way of growing, in a row below; each is asked for 100 x 60 and
  // keeps what its description allows (without a skin, all of it).
  struct TSample {
    const char* Section;
    const wchar_t* Caption;
    const wchar_t* Hint;
  };
  const TSample samples[] = {
      {"vupdown", L"Fixed", L"Fixed size: the description has no corner points"},
      {"button", L"Sideways", L"Grows sideways: three pieces, the middle one tiled"},
      {"vscrollbar", L"Downwards", L"Grows downwards: three pieces stacked"},
      {"panel", L"Both ways", L"Grows both ways: corners, edges and a tiled middle"}};
  int left = 16;
  for (const TSample& sample : samples) {
    auto* caption = TComponent::Create<TLabel>(&form);
    caption->SetBounds(left, top + 36, 100, 16);
    caption->SetText(sample.Caption);
    caption->SetParent(&form);
    auto* control = Place<TvnSkinCustomControl>(form, left, top + 56, 100, 60, sample.Hint);
    control->SetSkinDataName(sample.Section);
    controls.push_back(control);
    left += 112;
  }
  for (TvnSkinControl* control : controls) control->SetSkinData(form.SkinData);
  return controls;
}
