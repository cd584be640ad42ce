// bmtool: the command-line tool of the building model library.
#include <cstdio>
#include <exception>
#include <new>
#include <string>

#include "Cli.h"
#include "Commands.h"
#include "Progress.h"

namespace {

using namespace bm::tool;

int Dispatch(const CommandLine& cl) {
  if (cl.command == "demo") return RunDemo(cl);
  if (cl.command == "info") return RunInfo(cl);
  if (cl.command == "convert") return RunConvert(cl);
  if (cl.command == "plot") return RunPlot(cl);
  if (cl.command == "export") return RunExport(cl);
  if (cl.command == "view") return RunView(cl);
  throw UsageError("unknown command '" + cl.command + "'");
}

// The null device, where --quiet sends the summaries of the commands whose
// results are files.
#ifdef _WIN32
const char kNullDevice[] = "NUL";
#else
const char kNullDevice[] = "/dev/null";
#endif

int Usage(const UsageError& e) {
  std::fprintf(stderr, "bmtool: %s\n%s\n", e.what(), UsageLine(e.command()).c_str());
  if (!e.command().empty()) std::fprintf(stderr, "Try 'bmtool %s --help'.\n", e.command().c_str());
  return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  CommandLine cl;
  try {
    cl = ParseCommandLine(argc, argv);
  } catch (const UsageError& e) {
    return Usage(e);
  }
  const CommandSpec* entry = FindCommand(cl.command);
  if (cl.version) {
    std::printf("%s\n", VersionLine().c_str());
    return kExitOk;
  }
  if (cl.help) {
    std::fputs(entry ? CommandHelp(*entry).c_str() : ToolHelp().c_str(), stdout);
    return kExitOk;
  }

  // --quiet leaves only the errors (stderr) and the printed results: the
  // summaries go to the null device, progress lines and library messages
  // are not shown.
  const bool quiet = cl.quiet;
  if (quiet && entry && !entry->printsResult && !std::freopen(kNullDevice, "w", stdout)) {
    std::fprintf(stderr, "bmtool: cannot open %s for --quiet\n", kNullDevice);
    return kExitFailure;
  }
  SetProgressEnabled(!quiet);
  AfxSetMessageHandler([quiet](const char* text) {
    if (!quiet) std::fprintf(stderr, "bmtool: library message: %s\n", text ? text : "");
    return 1;  // IDOK
  });

  try {
    const int code = Dispatch(cl);
    if (std::fflush(stdout) != 0) {
      std::fprintf(stderr, "bmtool: cannot write the standard output\n");
      return kExitFailure;
    }
    return code;
  } catch (const UsageError& e) {
    return Usage(e);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "bmtool: out of memory\n");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bmtool: %s failed: %s\n", cl.command.c_str(), e.what());
  }
  return kExitFailure;
}
