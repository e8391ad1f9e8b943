#include "skin/form/FrameObjectHost.h"

namespace {

bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::u16string EllipsisText(TvnFramePainter& painter, std::u16string_view text, int width) {
  if (painter.TextExtent(text).X <= width) return std::u16string(text);
  std::u16string shortened(text);
  while (!shortened.empty()) {
    // One character off the end; a surrogate pair goes as a whole.
    const bool pair = shortened.size() >= 2 && IsLowSurrogate(shortened.back());
    shortened.resize(shortened.size() - (pair ? 2 : 1));
    if (painter.TextExtent(shortened + u"...").X <= width) break;
  }
  return shortened + u"...";
}
