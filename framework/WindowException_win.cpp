#include "framework/WindowException_win.h"

#include <windows.h>

namespace {
TExceptionReporter& Reporter() {
  static TExceptionReporter reporter;
  return reporter;
}
}  // namespace

void SetExceptionReporter(TExceptionReporter reporter) { Reporter() = std::move(reporter); }

void ReportWindowException(const std::string& message) {
  if (Reporter()) {
    try {
      Reporter()(message);
      return;
    } catch (...) {
    }
  }
  ::OutputDebugStringA(("unhandled error: " + message + "\n").c_str());
}
