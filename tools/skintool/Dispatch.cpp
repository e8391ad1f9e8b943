// skintool's verb table and dispatch: each verb lives in its own file (Verb*.cpp); this file
// finds it and turns errors into exit codes and one line on standard error. To add a verb,
// declare its Run function in Skintool.h and add a line to Verbs.
#include "tools/skintool/Skintool.h"

#include <exception>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct TVerb {
  const char* Name;
  const char* Usage;
  int (*Run)(const std::vector<std::string>& args, std::ostream& out);
};

const TVerb Verbs[] = {
    {"pack", "skintool pack SKIN_INI -o OUT [--raw]", RunPack},
    {"unpack", "skintool unpack SKIN -o DIR [--raw | --component NAME]", RunUnpack},
    {"inspect", "skintool inspect SKIN --json [--raw | --component NAME]", RunInspect},
    {"embed", "skintool embed SKIN_INI --form FILE", RunEmbed},
    {"render", "skintool render SKIN --size WxH [--inactive] [--part frame|popup|hint] [--scale F] -o OUT.bmp [--raw | --component NAME] | "
               "skintool render SKIN --part popup --items item,-,... [--hot N] [--scale F] -o OUT.bmp [--raw | --component NAME]", RunRender},
    {"region", "skintool region SKIN --size WxH [--part frame|popup|hint] [--scale F] [--raw | --component NAME]", RunRegion},
};

std::string VerbList() {
  std::string list;
  for (const TVerb& verb : Verbs) list += (list.empty() ? "" : ", ") + std::string(verb.Name);
  return list;
}

// Messages are one line, whatever the text they quote holds.
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  return text;
}

}  // namespace

int RunSkintool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << "skintool: no verb given (verbs: " << VerbList() << ")\n";
    return ExitUsage;
  }
  for (const TVerb& verb : Verbs) {
    if (args[0] != verb.Name) continue;
    try {
      return verb.Run(std::vector<std::string>(args.begin() + 1, args.end()), out);
    } catch (const ESkintoolError& e) {
      err << "skintool " << verb.Name << ": " << OneLine(e.what());
      if (e.ExitCode == ExitUsage) err << " (usage: " << verb.Usage << ")";
      err << "\n";
      return e.ExitCode;
    } catch (const std::exception& e) {
      // Anything the engine raises about its input means the skin is not valid.
      err << "skintool " << verb.Name << ": " << OneLine(e.what()) << "\n";
      return ExitBadSkin;
    }
  }
  err << "skintool: unknown verb \"" << OneLine(args[0]) << "\" (verbs: " << VerbList() << ")\n";
  return ExitUsage;
}
