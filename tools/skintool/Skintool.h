#pragma once
// Shared pieces of skintool's verbs: the exit codes and the error that carries one, option
// parsing, reading a SKIN argument of any kind, and writing output only once it is complete.
#include "skin/data/vnSkinData.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <ostream>
#include <memory>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

enum TExitCode : int { ExitOk = 0, ExitBadSkin = 1, ExitUsage = 2 };

// Ends the verb with an exit code and a one-line message for standard error.
class ESkintoolError : public std::runtime_error {
public:
  ESkintoolError(int exitCode, const std::string& message) : std::runtime_error(message), ExitCode(exitCode) {}
  int ExitCode;
};
[[noreturn]] void UsageError(const std::string& message);
[[noreturn]] void SkinError(const std::string& message);

// A verb's arguments: positional ones in order, options with their values. Options not in
// the lists, a value option without its value, or a repeated option are usage errors.
struct TArgs {
  std::vector<std::string> Positional;
  std::map<std::string, std::string> Values;
  std::set<std::string> Flags;
  bool Has(const std::string& flag) const { return Flags.count(flag) != 0; }
  const std::string* Value(const std::string& option) const;
};
TArgs ParseArgs(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
                const std::set<std::string>& flagOptions);

// A command-line argument (UTF-8) as a path.
std::filesystem::path ArgPath(const std::string& arg);
std::string PathText(const std::filesystem::path& path);

// The SKIN argument of a verb (its first positional argument) read and loaded: a description
// with its pictures, a compressed skin file, the stored skin of a window description (the
// one named by --component NAME, or the only one it holds), or with --raw a bare zlib block.
// The kind is found from the content. Anything that is not a valid skin is an ESkintoolError
// with exit code 1 and a message naming the file and what and where. Verbs that take a SKIN
// accept the value option "--component" and the flag "--raw".
enum class TSkinKind { Description, CompressedFile, WindowDescription, RawBlock };
struct TLoadedSkin {
  TSkinKind Kind = TSkinKind::Description;
  std::string StoredSkinName;           // the stored-skin object, for a window description
  std::vector<std::uint8_t> Container;  // the unpacked container (built, for a description)
  std::unique_ptr<TvnSkinData> Data;
};
TLoadedSkin LoadSkin(const TArgs& args);

// Builds the stored-skin block (zlib, level 9) from a description file and its pictures, as
// pack and embed both need it; a missing required section or an unreadable picture is an
// ESkintoolError with exit code 1 naming arg.
std::vector<std::uint8_t> PackSkinDescription(const std::string& arg, const std::filesystem::path& source);

// Writes the bytes to path through a temporary file beside it, so path is either left as it
// was or holds the complete output.
void WriteOutputFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// Runs one command line (without the program name): finds the verb, runs it, prints a failure
// as one line on err, and returns the exit code.
int RunSkintool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The verbs: each takes its arguments after the verb word, prints what it prints to out, and
// returns the exit code (failures are thrown as ESkintoolError or engine errors).
int RunPack(const std::vector<std::string>& args, std::ostream& out);
int RunUnpack(const std::vector<std::string>& args, std::ostream& out);
int RunInspect(const std::vector<std::string>& args, std::ostream& out);
int RunEmbed(const std::vector<std::string>& args, std::ostream& out);
int RunRender(const std::vector<std::string>& args, std::ostream& out);
int RunRegion(const std::vector<std::string>& args, std::ostream& out);
