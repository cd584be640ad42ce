// bmtool info: what a text model or an archive holds.
#include <algorithm>
#include <cstdio>

#include "Commands.h"
#include "ModelStats.h"

namespace bm::tool {

namespace {

void PrintStoreys(const ModelStats& s) {
  size_t width = 6;
  for (const StoreyStats& st : s.storeys) width = std::max(width, st.name.size());
  const int w = static_cast<int>(width);
  std::printf("storeys (%zu, from the top):\n", s.storeys.size());
  std::printf("  %-*s %12s %10s %8s %8s %8s %8s %8s %8s\n", w, "storey", "elevation", "height", "joints",
              "beams", "columns", "braces", "walls", "slabs");
  for (auto it = s.storeys.rbegin(); it != s.storeys.rend(); ++it) {
    std::printf("  %-*s %12.3f %10.3f %8d %8d %8d %8d %8d %8d\n", w, it->name.c_str(), it->elevation,
                it->height, it->joints, it->beams, it->columns, it->braces, it->walls, it->slabs);
  }
  std::printf("  %-*s %12s %10s %8d %8d %8d %8d %8d %8d\n", w, "total", "", "", s.Joints(), s.Beams(),
              s.Columns(), s.Braces(), s.Walls(), s.Slabs());
}

}  // namespace

int RunInfo(const CommandLine& cl) {
  const std::string& path = cl.args.at(0);
  CBuildingModule module;
  LoadResult loaded;
  if (!LoadOrReport(path, module, &loaded, ReadingOf(cl))) return kExitFailure;
  const ModelStats s = CollectStats(module);

  std::printf("%s: %s\n", path.c_str(), FormName(loaded.form));
  std::printf("read as: %s\n", DescribeReading(loaded).c_str());
  std::printf("units: force \"%s\", length \"%s\"\n", s.forceUnit.c_str(), s.lengthUnit.c_str());
  PrintStoreys(s);
  std::printf(
      "model: %d points, %d lines, %d areas, %d materials, %d frame sections, %d wall/slab sections, "
      "%d load cases, %d diaphragms, %d piers/spandrels\n",
      s.points, s.lines, s.areas, s.materials, s.frameSections, s.shellSections, s.loadCases, s.diaphragms,
      s.piers);
  std::printf(
      "loads: %d joint loads, %d member line loads (%s), %d wall line loads, %d area loads; %d supports\n",
      s.jointLoads, s.lineLoads, DescribeLineLoadTypes(s).c_str(), s.wallLoads, s.areaLoads,
      s.restrainedJoints);
  PrintReadOutcome(cl, loaded);
  const int code = StrictCode(cl, loaded);
  if (code != kExitOk) {
    const std::string reason =
        loaded.trailingBytes > 0 ? DescribeTrailingBytes(loaded) : ModelDataLine(loaded.readReport);
    std::fprintf(stderr, "bmtool: --strict: %s\n", reason.c_str());
  }
  return code;
}

}  // namespace bm::tool
