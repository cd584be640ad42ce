// Counting what a model holds, for bmtool info and demo.
#include "ModelStats.h"

#include <buildingmodel/buildingmodel.h>

#include <algorithm>

namespace bm::tool {

namespace {

int Count(const CBMComponentList* list) { return list ? list->GetCount() : 0; }

// Sums `count(item)` over the items of `list` that are of class T.
template <typename T, typename F>
int SumOver(const CBMComponentList* list, F count) {
  int total = 0;
  if (!list) return 0;
  for (int i = 1; i <= list->GetCount(); ++i) {
    if (auto* item = dynamic_cast<T*>(list->GetItem(i))) total += count(*item);
  }
  return total;
}

int LineLoads(CBMComponentList* list) {
  return SumOver<CBMLineElement>(list, [](CBMLineElement& e) { return e.Get_LineLoadList()->GetCount(); });
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

  CBMLevelList* levels = g->get_pLevelList();
  for (int i = 1; i <= Count(levels); ++i) {
    auto* level = dynamic_cast<CBMLevel*>(levels->GetItem(i));
    if (!level) continue;
    StoreyStats s;
    s.name = level->name().str();
    s.elevation = level->get_EleHeight();
    s.height = level->get_Height();
    s.joints = Count(level->get_theCBMJointList());
    s.beams = Count(level->get_theCBMBeamList());
    s.columns = Count(level->get_theCBMColumnList());
    s.braces = Count(level->get_theCBMBraceList());
    s.walls = Count(level->get_theCBMWallList());
    s.slabs = Count(level->get_theCBMSlabList());
    stats.storeys.push_back(s);

    stats.jointLoads += SumOver<CBMJoint>(level->get_theCBMJointList(),
                                          [](CBMJoint& j) { return j.get_JointLoadList()->GetCount(); });
    stats.restrainedJoints += SumOver<CBMJoint>(level->get_theCBMJointList(),
                                                [](CBMJoint& j) { return j.get_pRestraint() ? 1 : 0; });
    stats.lineLoads += LineLoads(level->get_theCBMBeamList()) + LineLoads(level->get_theCBMColumnList()) +
                       LineLoads(level->get_theCBMBraceList());
    stats.wallLoads +=
        SumOver<CBMWall>(level->get_theCBMWallList(), [](CBMWall& w) { return w.GetLineLoadCount(); });
    stats.areaLoads += SumOver<CBMSlab>(level->get_theCBMSlabList(),
                                        [](CBMSlab& s) { return s.get_SlabLoadList()->GetCount(); });
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
  check("load cases", a.loadCases, b.loadCases);
  return out;
}

}  // namespace bm::tool
