#include "skin/imaging/vnHighContrast_win.h"

#include <optional>
#include <utility>

namespace {

THighContrastQuery gQuery = SystemHighContrast;
std::optional<bool> gKept;  // none until first asked

}  // namespace

bool SystemHighContrast() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof(contrast);
  return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool HighContrastOn() { return gKept ? *gKept : RefreshHighContrast(); }

bool RefreshHighContrast() {
  gKept = gQuery();
  return *gKept;
}

THighContrastQuery ReplaceHighContrastQuery(THighContrastQuery query) {
  THighContrastQuery replaced = std::exchange(gQuery, query);
  RefreshHighContrast();
  return replaced;
}

bool HighContrastMayHaveChanged(UINT msg, WPARAM wParam) {
  return (msg == WM_SETTINGCHANGE && wParam == SPI_SETHIGHCONTRAST) || msg == WM_SYSCOLORCHANGE;
}
