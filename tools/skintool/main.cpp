// skintool: the skin author's command-line tool. Each verb lives in its own file; this file
// only dispatches and turns errors into exit codes and one line on standard error.
#include "tools/skintool/Skintool.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

struct TVerb {
  const char* Name;
  const char* Usage;
  int (*Run)(const std::vector<std::string>& args);
};

const TVerb Verbs[] = {
    {"pack", "skintool pack SKIN_INI -o OUT [--raw]", RunPack},
    {"unpack", "skintool unpack SKIN -o DIR [--raw]", RunUnpack},
    {"inspect", "skintool inspect SKIN --json [--raw]", RunInspect},
    {"embed", "skintool embed SKIN_INI --form FILE", RunEmbed},
};

std::string VerbList() {
  std::string list;
  for (const TVerb& verb : Verbs) list += (list.empty() ? "" : ", ") + std::string(verb.Name);
  return list;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "skintool: no verb given (verbs: %s)\n", VerbList().c_str());
    return ExitUsage;
  }
  const std::string word = argv[1];
  for (const TVerb& verb : Verbs) {
    if (word != verb.Name) continue;
    try {
      return verb.Run(std::vector<std::string>(argv + 2, argv + argc));
    } catch (const ESkintoolError& e) {
      if (e.ExitCode == ExitUsage)
        std::fprintf(stderr, "skintool %s: %s (usage: %s)\n", verb.Name, e.what(), verb.Usage);
      else
        std::fprintf(stderr, "skintool %s: %s\n", verb.Name, e.what());
      return e.ExitCode;
    } catch (const std::exception& e) {
      // Anything the engine raises about its input means the skin is not valid.
      std::fprintf(stderr, "skintool %s: %s\n", verb.Name, e.what());
      return ExitBadSkin;
    }
  }
  std::fprintf(stderr, "skintool: unknown verb \"%s\" (verbs: %s)\n", word.c_str(), VerbList().c_str());
  return ExitUsage;
}
