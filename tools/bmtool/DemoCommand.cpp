// bmtool demo: build the demo building, write it in both forms, read both back.
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "Commands.h"
#include "DemoBuilding.h"
#include "ModelStats.h"
#include "Progress.h"

namespace bm::tool {

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Prints the differences of a read-back to stderr under `what`.
void PrintDifferences(const std::string& path, const char* what,
                      const std::vector<std::string>& differences) {
  if (differences.empty()) return;
  std::fprintf(stderr, "bmtool: %s read back: %s differ from the built model:", path.c_str(), what);
  for (const std::string& d : differences) std::fprintf(stderr, " %s;", d.c_str());
  std::fprintf(stderr, "\n");
}

// Reads `path` back as the file's own model (processing could restore what
// the write lost: piers, base supports) and compares its structure and loads
// with the built model (see CompareLoads for the wall line loads).
bool ReadBack(const std::string& path, const ModelStats& built) {
  const auto start = std::chrono::steady_clock::now();
  CBuildingModule module;
  LoadResult loaded;
  if (!LoadOrReport(path, module, &loaded, TextReading::kFileModel)) return false;
  const ModelStats back = CollectStats(module);
  const std::vector<std::string> structure = CompareStructure(built, back);
  const std::vector<std::string> loads = CompareLoads(built, back);
  std::printf(
      "read back %s in %.2f s: %zu levels, %d members, %d load cases, %d joint loads, "
      "%d line loads (%s), %d area loads",
      path.c_str(), SecondsSince(start), back.storeys.size(), back.Members(), back.loadCases, back.jointLoads,
      back.lineLoads, DescribeLineLoadTypes(back).c_str(), back.areaLoads);
  if (structure.empty() && loads.empty()) {
    std::printf(", same structure and loads as built\n");
  } else {
    std::printf(", %s\n", structure.empty() ? "LOADS DIFFER from the built model"
                          : loads.empty()   ? "STRUCTURE DIFFERS from the built model"
                                            : "STRUCTURE AND LOADS DIFFER from the built model");
  }
  if (loaded.form == ModelForm::kText) {
    std::printf("  %s; %s\n", ModelDataLine(loaded.readReport).c_str(),
                OtherNotTakenLine(loaded.readReport).c_str());
  }
  PrintDifferences(path, "the structure's counts", structure);
  PrintDifferences(path, "the load counts", loads);
  return structure.empty() && loads.empty();
}

}  // namespace

int RunDemo(const CommandLine& cl) {
  DemoOptions options;
  options.storeys = cl.GetInt("storeys", options.storeys);
  options.baysX = cl.GetInt("bays-x", options.baysX);
  options.baysY = cl.GetInt("bays-y", options.baysY);
  const std::string problem = CheckDemoOptions(options);
  if (!problem.empty()) throw UsageError(problem, cl.command);

  const std::string dir = cl.args.empty() ? std::string(".") : cl.args[0];
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (!std::filesystem::is_directory(dir)) {
    return FailWrite(dir, ec ? ec.message() : std::string("it is not a folder"));
  }
  const std::string text = (std::filesystem::path(dir) / "demo.e2k").string();
  const std::string archive = (std::filesystem::path(dir) / "demo.bma").string();

  std::printf("bmtool demo: %d storeys over %d x %d bays\n", options.storeys, options.baysX, options.baysY);
  ModelStats built;
  {
    CBuildingModule module;
    auto start = std::chrono::steady_clock::now();
    std::string error;
    bool ok;
    {
      ProgressScope progress("building the demo model");
      ok = BuildDemoBuilding(module, options, &error);
    }
    if (!ok) {
      std::fprintf(stderr, "bmtool: the demo building could not be built: %s\n", error.c_str());
      return kExitFailure;
    }
    built = CollectStats(module);
    std::printf(
        "built in %.2f s: %zu levels, %d columns, %d beams, %d braces, %d walls, %d slabs (%d members), "
        "%d joints, %d points\n",
        SecondsSince(start), built.storeys.size(), built.Columns(), built.Beams(), built.Braces(),
        built.Walls(), built.Slabs(), built.Members(), built.Joints(), built.points);
    std::printf(
        "  %d load cases: %d joint loads, %d beam loads (%s), %d wall loads, %d area loads, %d supports\n",
        built.loadCases, built.jointLoads, built.lineLoads, DescribeLineLoadTypes(built).c_str(),
        built.wallLoads, built.areaLoads, built.restrainedJoints);

    WriteReport report;
    start = std::chrono::steady_clock::now();
    if (!SaveOrReport(module, text, ModelForm::kText, &report)) return kExitFailure;
    std::printf("wrote %s (%lld bytes) in %.2f s\n", text.c_str(), FileSize(text), SecondsSince(start));
    for (const std::string& line : DescribeWriteReport(report))
      std::printf("  writer skipped %s\n", line.c_str());

    start = std::chrono::steady_clock::now();
    if (!SaveOrReport(module, archive, ModelForm::kArchive)) return kExitFailure;
    std::printf("wrote %s (%lld bytes) in %.2f s\n", archive.c_str(), FileSize(archive), SecondsSince(start));
  }
  // Both are read back and checked, so that one run shows every difference.
  const bool textSame = ReadBack(text, built);
  const bool archiveSame = ReadBack(archive, built);
  return textSame && archiveSame ? kExitOk : kExitFailure;
}

}  // namespace bm::tool
