#include "skin/imaging/vnUtilsHelpers.h"

bool ClosesPopups(std::uint32_t message) {
  switch (message) {
    case 3:    // WM_MOVE
    case 5:    // WM_SIZE
    case 6:    // WM_ACTIVATE
    case 8:    // WM_KILLFOCUS
    case 31:   // WM_CANCELMODE
    case 33:   // WM_MOUSEACTIVATE
    case 161:  // WM_NCLBUTTONDOWN
    case 164:  // WM_NCRBUTTONDOWN
    case 167:  // WM_NCMBUTTONDOWN
    case 513:  // WM_LBUTTONDOWN
    case 516:  // WM_RBUTTONDOWN
    case 519:  // WM_MBUTTONDOWN
    case 528:  // WM_PARENTNOTIFY
      return true;
    default:
      return false;
  }
}

void ShortenTextToWidth(const TvnTextMeasure& measure, std::wstring& text, int width) {
  if (measure(text) <= width) return;
  std::wstring rest = text;
  while (!rest.empty()) {
    // Drop the last character; a low surrogate takes its high surrogate with it.
    const bool pair = rest.size() >= 2 && rest.back() >= 0xDC00 && rest.back() <= 0xDFFF &&
                      rest[rest.size() - 2] >= 0xD800 && rest[rest.size() - 2] <= 0xDBFF;
    rest.resize(rest.size() - (pair ? 2 : 1));
    if (measure(rest + L"...") <= width) break;
  }
  text = rest + L"...";
}
