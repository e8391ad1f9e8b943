#pragma once
// What happens to an exception that reaches a window procedure or a timer callback: it must
// not cross into the platform, so it is caught there and reported here. The application
// installs a reporter that tells the user; the default writes to the debugger.
#include <functional>
#include <string>

using TExceptionReporter = std::function<void(const std::string& message)>;
void SetExceptionReporter(TExceptionReporter reporter);
void ReportWindowException(const std::string& message);
