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

// Reads `path` back and compares its structure with the built model.
bool ReadBack(const std::string& path, const ModelStats& built) {
  const auto start = std::chrono::steady_clock::now();
  CBuildingModule module;
  LoadResult loaded;
  if (!LoadOrReport(path, module, &loaded)) return false;
  const ModelStats back = CollectStats(module);
  const std::vector<std::string> differences = CompareStructure(built, back);
  std::printf("read back %s in %.2f s: %zu levels, %d members, %d load cases", path.c_str(),
              SecondsSince(start), back.storeys.size(), back.Members(), back.loadCases);
  std::printf(differences.empty() ? ", same structure as built\n" : "\n");
  if (loaded.form == ModelForm::kText)
    std::printf("  reader skipped %s\n", DescribeReadReport(loaded.readReport, "    ").c_str());
  if (!differences.empty()) {
    std::fprintf(stderr, "bmtool: %s read back differs from the built model:", path.c_str());
    for (const std::string& d : differences) std::fprintf(stderr, " %s;", d.c_str());
    std::fprintf(stderr, "\n");
    return false;
  }
  return true;
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
    std::printf("  %d load cases: %d joint loads, %d beam loads, %d wall loads, %d slab loads, %d supports\n",
                built.loadCases, built.jointLoads, built.lineLoads, built.wallLoads, built.areaLoads,
                built.restrainedJoints);

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
  if (!ReadBack(text, built)) return kExitFailure;
  if (!ReadBack(archive, built)) return kExitFailure;
  return kExitOk;
}

}  // namespace bm::tool
