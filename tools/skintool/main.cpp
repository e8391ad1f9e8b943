// skintool: the skin author's command-line tool (verbs in Dispatch.cpp).
#include "tools/skintool/Skintool.h"

#include <iostream>

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const int code = RunSkintool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
  std::cout.flush();
  return code;
}
