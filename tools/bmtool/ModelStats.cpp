// Counting what a model holds, for bmtool info and demo.
#include "ModelStats.h"

#include <buildingmodel/buildingmodel.h>

#include <algorithm>

namespace bm::tool {

namespace {

int Count(const CBMComponentList* list) { return list ? list->GetCount() : 0; }

// Counts the line loads of the elements of `list`, in total and by type.
int LineLoads(const CBMComponentList& list, std::map<std::string, int>& types) {
  int total = 0;
  for (CBMLineElement& e : list.Members<CBMLineElement>()) {
    const CBMComponentList& loads = e.LineLoads();
    for (const CBMLineLoad& load : loads.Members<CBMLineLoad>()) ++types[load.get_sType().str()];
    total += loads.GetCount();
  }
  return total;
}

// The line-load types in the order they are described and compared.
std::vector<std::string> LineLoadTypes(const std::map<std::string, int>& a,
                                       const std::map<std::string, int>& b = {}) {
  std::vector<std::string> types = {"UNIFF", "TRAPF", "POINTF"};
  for (const auto* m : {&a, &b}) {
    for (const auto& entry : *m) {
      if (std::find(types.begin(), types.end(), entry.first) == types.end()) types.push_back(entry.first);
    }
  }
  return types;
}

int CountOf(const std::map<std::string, int>& m, const std::string& key) {
  auto it = m.find(key);
  return it == m.end() ? 0 : it->second;
}

}  // namespace

bool StoreyStats::operator==(const StoreyStats& o) const {
  return name == o.name && joints == o.joints && beams == o.beams && columns == o.columns &&
         braces == o.braces && walls == o.walls && slabs == o.slabs;
}

int ModelStats::Joints() const {
  int n = 0;
  for (const StoreyStats& s : storeys) n += s.joints;
  return n;
}
int ModelStats::Beams() const {
  int n = 0;
  for (const StoreyStats& s : storeys) n += s.beams;
  return n;
}
int ModelStats::Columns() const {
  int n = 0;
  for (const StoreyStats& s : storeys) n += s.columns;
  return n;
}
int ModelStats::Braces() const {
  int n = 0;
  for (const StoreyStats& s : storeys) n += s.braces;
  return n;
}
int ModelStats::Walls() const {
  int n = 0;
  for (const StoreyStats& s : storeys) n += s.walls;
  return n;
}
int ModelStats::Slabs() const {
  int n = 0;
  for (const StoreyStats& s : storeys) n += s.slabs;
  return n;
}
int ModelStats::Members() const { return Beams() + Columns() + Braces() + Walls() + Slabs(); }

ModelStats CollectStats(CBuildingModule& module) {
  ModelStats stats;
  if (CBMUnitSystem* units = module.get_pUnitSystem()) {
    stats.forceUnit = units->get_csForceUnit().str();
    stats.lengthUnit = units->get_csLengthUnit().str();
  }
  CBMMgrGeometry* g = module.get_pMgrGeometry();
  stats.points = Count(g->get_pPointList());
  stats.lines = Count(g->get_pLineList());
  stats.areas = Count(g->get_pAreaList());
  stats.materials = Count(g->get_pMaterialList());
  stats.frameSections = Count(g->get_pFrameSectionList());
  stats.shellSections = Count(g->get_pWallSlabDeckSectionList());
  stats.loadCases = Count(g->GetLoadCaseList());
  stats.diaphragms = Count(g->get_pDiaphragmList());
  stats.piers = Count(g->get_pPierSpandrelList());

  const CBMLevelList* levels = g->get_pLevelList();
  if (!levels) return stats;
  for (CBMLevel& level : levels->Members<CBMLevel>()) {
    StoreyStats s;
    s.name = level.name().str();
    s.elevation = level.get_EleHeight();
    s.height = level.get_Height();
    s.joints = Count(level.get_theCBMJointList());
    s.beams = Count(level.get_theCBMBeamList());
    s.columns = Count(level.get_theCBMColumnList());
    s.braces = Count(level.get_theCBMBraceList());
    s.walls = Count(level.get_theCBMWallList());
    s.slabs = Count(level.get_theCBMSlabList());
    stats.storeys.push_back(s);

    for (CBMJoint& j : level.get_theCBMJointList()->Members<CBMJoint>()) {
      stats.jointLoads += j.JointLoads().GetCount();
      if (j.get_pRestraint()) ++stats.restrainedJoints;
    }
    stats.lineLoads += LineLoads(*level.get_theCBMBeamList(), stats.lineLoadTypes) +
                       LineLoads(*level.get_theCBMColumnList(), stats.lineLoadTypes) +
                       LineLoads(*level.get_theCBMBraceList(), stats.lineLoadTypes);
    for (CBMWall& w : level.get_theCBMWallList()->Members<CBMWall>()) stats.wallLoads += w.GetLineLoadCount();
    const auto areaLoads = [&stats](const CBMComponentList& shells) {
      for (CBMShellElement& e : shells.Members<CBMShellElement>())
        stats.areaLoads += e.SlabLoads().GetCount();
    };
    areaLoads(*level.get_theCBMSlabList());
    areaLoads(*level.get_theCBMWallList());
  }
  return stats;
}

std::vector<std::string> CompareStructure(const ModelStats& a, const ModelStats& b) {
  std::vector<std::string> out;
  auto check = [&out](const std::string& what, int x, int y) {
    if (x != y) out.push_back(what + " " + std::to_string(x) + " vs " + std::to_string(y));
  };
  check("storeys", static_cast<int>(a.storeys.size()), static_cast<int>(b.storeys.size()));
  const size_t n = std::min(a.storeys.size(), b.storeys.size());
  for (size_t i = 0; i < n; ++i) {
    const StoreyStats& x = a.storeys[i];
    const StoreyStats& y = b.storeys[i];
    if (x.name != y.name)
      out.push_back("storey " + std::to_string(i + 1) + " named " + x.name + " vs " + y.name);
    check(x.name + " beams", x.beams, y.beams);
    check(x.name + " columns", x.columns, y.columns);
    check(x.name + " braces", x.braces, y.braces);
    check(x.name + " walls", x.walls, y.walls);
    check(x.name + " slabs", x.slabs, y.slabs);
  }
  check("points", a.points, b.points);
  check("lines", a.lines, b.lines);
  check("areas", a.areas, b.areas);
  check("materials", a.materials, b.materials);
  check("frame sections", a.frameSections, b.frameSections);
  check("wall/slab sections", a.shellSections, b.shellSections);
  return out;
}

}  // namespace bm::tool

namespace bm::tool {

std::vector<std::string> CompareLoads(const ModelStats& a, const ModelStats& b) {
  std::vector<std::string> out;
  auto check = [&out](const std::string& what, int x, int y) {
    if (x != y) out.push_back(what + " " + std::to_string(x) + " vs " + std::to_string(y));
  };
  check("load cases", a.loadCases, b.loadCases);
  check("joint loads", a.jointLoads, b.jointLoads);
  for (const std::string& type : LineLoadTypes(a.lineLoadTypes, b.lineLoadTypes))
    check(type + " line loads", CountOf(a.lineLoadTypes, type), CountOf(b.lineLoadTypes, type));
  check("area loads", a.areaLoads, b.areaLoads);
  check("supports", a.restrainedJoints, b.restrainedJoints);
  return out;
}

std::string DescribeLineLoadTypes(const ModelStats& s) {
  std::string out;
  for (const std::string& type : LineLoadTypes(s.lineLoadTypes)) {
    const int n = CountOf(s.lineLoadTypes, type);
    if (n == 0) continue;
    out +=
        (out.empty() ? "" : ", ") + (type.empty() ? std::string("no type") : type) + " " + std::to_string(n);
  }
  return out.empty() ? "none" : out;
}

}  // namespace bm::tool
