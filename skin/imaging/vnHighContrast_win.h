#pragma once
// Whether the user has asked the system for high contrast, and which messages say that it may
// have been switched. While it is on, a skinned frame steps back to its plain look in the system
// colours: the skin is not forced on a user who asked for contrast.
#include <windows.h>

// The system's answer: SPI_GETHIGHCONTRAST with HCF_HIGHCONTRASTON.
bool SystemHighContrast();

// The question every frame asks; the system's answer unless replaced. Wine 8 can neither switch
// high contrast on (SPI_SETHIGHCONTRAST fails with ERROR_INVALID_SPI_VALUE) nor report it (the
// flags always read back 0), so tests there put their own answer in its place.
extern bool (*HighContrastOn)();

// WM_SETTINGCHANGE for SPI_SETHIGHCONTRAST, or WM_SYSCOLORCHANGE (switching contrast changes the
// system colours, and some systems announce only that).
bool HighContrastMayHaveChanged(UINT msg, WPARAM wParam);
