// skintool pack SKIN_INI -o OUT [--raw]: builds the stored skin from a description and its
// pictures, as the stored-skin component does, and writes the compressed skin file or the bare
// zlib block.
#include "skin/data/vnSkinDataStoredSkin.h"
#include "tools/skintool/Skintool.h"

#include <system_error>

int RunPack(const std::vector<std::string>& args, std::ostream& /*out*/) {
  const TArgs a = ParseArgs(args, {"-o"}, {"--raw"});
  if (a.Positional.size() != 1) UsageError("expected one SKIN_INI");
  if (!a.Value("-o")) UsageError("missing -o OUT");
  const std::filesystem::path source = ArgPath(a.Positional[0]);
  std::error_code error;
  if (!std::filesystem::is_regular_file(source, error)) UsageError(a.Positional[0] + ": no such file");

  const std::vector<std::uint8_t> block = PackSkinDescription(a.Positional[0], source);
  WriteOutputFile(ArgPath(*a.Value("-o")), a.Has("--raw") ? block : MakeCompressedSkinFile(block));
  return ExitOk;
}
