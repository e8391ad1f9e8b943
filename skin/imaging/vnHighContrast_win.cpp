#include "skin/imaging/vnHighContrast_win.h"

#include <optional>
#include <utility>

namespace {

THighContrastQuery gQuery = SystemHighContrast;
std::optional<bool> gKept;  // none until first asked
ULONGLONG gAskedAt = 0;     // when it was last asked (milliseconds since the system started)

// A kept answer older than this is asked again on its next use: skinned controls on a form
// without a skinned frame hear no switch, and they still follow one within a second.
constexpr ULONGLONG kKeptFor = 1000;

}  // namespace

bool SystemHighContrast() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof(contrast);
  return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool HighContrastOn() { return gKept && ::GetTickCount64() - gAskedAt < kKeptFor ? *gKept : RefreshHighContrast(); }

bool RefreshHighContrast() {
  gKept = gQuery();
  gAskedAt = ::GetTickCount64();
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
