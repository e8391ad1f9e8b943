#include "skin/imaging/vnHighContrast_win.h"

bool SystemHighContrast() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof(contrast);
  return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool (*HighContrastOn)() = SystemHighContrast;

bool HighContrastMayHaveChanged(UINT msg, WPARAM wParam) {
  return (msg == WM_SETTINGCHANGE && wParam == SPI_SETHIGHCONTRAST) || msg == WM_SYSCOLORCHANGE;
}
