#pragma once
// Running a skintool command line in the test's own process, as the tool's tests all do.
#include "tools/skintool/Skintool.h"

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

struct TSkintoolResult {
  int Code;
  std::string Out;
  std::string Err;
};

inline TSkintoolResult Tool(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = RunSkintool(args, out, err);
  return {code, out.str(), err.str()};
}

// A path as skintool takes it on its command line (UTF-8).
inline std::string Utf8(const std::filesystem::path& p) {
  const std::u8string s = p.u8string();
  return std::string(s.begin(), s.end());
}
