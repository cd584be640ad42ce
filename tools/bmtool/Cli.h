// Cli: the command line of bmtool (commands, options, help texts).
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace bm::tool {

// Exit codes of every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // an input unreadable or an output unwritable
// A command line that does not fit the usage, or that asks convert to write
// over its input.
inline constexpr int kExitUsage = 2;
// --strict: the text model has lines of model data that the reader did not take.
inline constexpr int kExitNotTaken = 3;

// A command line that does not fit the command's usage.
class UsageError : public std::runtime_error {
 public:
  UsageError(const std::string& message, std::string command = std::string())
      : std::runtime_error(message), command_(std::move(command)) {}
  const std::string& command() const { return command_; }

 private:
  std::string command_;
};

struct OptionSpec {
  const char* name;  // long name without the dashes ("storeys")
  char shortName;    // one-letter alias or 0 ('o' for -o)
  bool takesValue;
  const char* valueName;  // for the help text ("N"); null for flags
  const char* help;
};

struct CommandSpec {
  const char* name;
  const char* arguments;  // usage after the command name ("IN OUT")
  const char* summary;    // one line for the tool's help
  const char* description;
  int minArgs;
  int maxArgs;
  std::vector<OptionSpec> options;
  // What the command prints on stdout is its result (info), so --quiet keeps
  // it; the other commands' results are the files they write, and --quiet
  // drops their summaries.
  bool printsResult = false;
};

// The parsed command line.
struct CommandLine {
  std::string command;  // empty for the tool's own --help
  std::vector<std::string> args;
  std::map<std::string, std::string> options;  // long name -> value ("" for flags)
  bool help = false;
  bool quiet = false;
  bool version = false;

  bool Has(const std::string& name) const { return options.count(name) != 0; }
  std::string Get(const std::string& name, const std::string& fallback = std::string()) const;
  // The option as an integer; throws UsageError when it is not one.
  int GetInt(const std::string& name, int fallback) const;
};

// Every command, in help order.
const std::vector<CommandSpec>& Commands();
const CommandSpec* FindCommand(const std::string& name);

// Parses argv (argv[0] is the program). Throws UsageError. `--help` / `-h`,
// `--quiet` / `-q` and `--version` are accepted everywhere; "help CMD" is the
// same as "CMD --help".
CommandLine ParseCommandLine(int argc, const char* const* argv);

// Help texts (for stdout) and the short usage line (for errors).
std::string ToolHelp();
// "bmtool 0.1.0": the version of the project bmtool was built in.
std::string VersionLine();
std::string CommandHelp(const CommandSpec& command);
std::string UsageLine(const std::string& command);

}  // namespace bm::tool
