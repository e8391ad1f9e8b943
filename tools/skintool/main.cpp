// skintool: the skin author's command-line tool (verbs in Dispatch.cpp). Arguments reach the
// verbs as UTF-8 on every platform, so file names in any script work.
#include "framework/CodePage.h"
#include "tools/skintool/Skintool.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

int RunWithArgs(const std::vector<std::string>& args) {
  std::ios::sync_with_stdio(false);
  const int code = RunSkintool(args, std::cout, std::cerr);
  std::cout.flush();
  return code;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    args.push_back(Utf16ToUtf8(std::u16string(arg.begin(), arg.end())));
  }
  return RunWithArgs(args);
}
#else
int main(int argc, char** argv) { return RunWithArgs(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
