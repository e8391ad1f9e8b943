#pragma once
// Whether the user has asked the system for high contrast, and which messages say that it may
// have been switched. While it is on, a skinned frame steps back to its plain look in the system
// colours: the skin is not forced on a user who asked for contrast.
//
// Controls ask on every paint, so the answer is kept here and asked of the system again when it
// can have changed: a frame hearing one of the messages below refreshes it at once, and an
// answer kept for a second is asked again on its next use (for controls with no frame to hear).
#include <windows.h>

// The system's answer: SPI_GETHIGHCONTRAST with HCF_HIGHCONTRASTON.
bool SystemHighContrast();

// The kept answer: asked on first use, then again by RefreshHighContrast or once it is a second old.
bool HighContrastOn();
// Asks the question again, keeps the answer and returns it.
bool RefreshHighContrast();

// Where the answer comes from: the system's question unless replaced. Wine 8 can neither switch
// high contrast on (SPI_SETHIGHCONTRAST fails with ERROR_INVALID_SPI_VALUE) nor report it (the
// flags always read back 0), so tests there put their own question in its place. Replacing it
// asks the new question at once; the one it replaced is returned, to be put back.
using THighContrastQuery = bool (*)();
THighContrastQuery ReplaceHighContrastQuery(THighContrastQuery query);

// WM_SETTINGCHANGE for SPI_SETHIGHCONTRAST, or WM_SYSCOLORCHANGE (switching contrast changes the
// system colours, and some systems announce only that).
bool HighContrastMayHaveChanged(UINT msg, WPARAM wParam);
