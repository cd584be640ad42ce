// The demo building generator, in process: sizes, links and loads.
#include <gtest/gtest.h>

#if __has_include("DemoBuilding.h")
#include <buildingmodel/buildingmodel.h>

#include "DemoBuilding.h"
#include "ModelStats.h"

namespace bm::test {
namespace {

using tool::BuildDemoBuilding;
using tool::CollectStats;
using tool::DemoOptions;
using tool::EstimateDemoElements;

TEST(DemoBuilding, CountsFollowTheOptions) {
  for (const auto& [storeys, nx, ny] :
       std::vector<std::tuple<int, int, int>>{{1, 1, 1}, {2, 3, 1}, {4, 2, 5}}) {
    DemoOptions o;
    o.storeys = storeys;
    o.baysX = nx;
    o.baysY = ny;
    CBuildingModule module;
    std::string error;
    ASSERT_TRUE(BuildDemoBuilding(module, o, &error)) << error;
    const tool::ModelStats s = CollectStats(module);
    SCOPED_TRACE(std::to_string(storeys) + " x " + std::to_string(nx) + " x " + std::to_string(ny));
    ASSERT_EQ(s.storeys.size(), static_cast<size_t>(storeys + 1));
    EXPECT_EQ(s.storeys[0].name, "BASE");
    EXPECT_EQ(s.Members(), static_cast<int>(EstimateDemoElements(o)));
    EXPECT_EQ(s.points, (nx + 1) * (ny + 1));
    for (int k = 1; k <= storeys; ++k) {
      const tool::StoreyStats& st = s.storeys[k];
      EXPECT_EQ(st.columns, (nx + 1) * (ny + 1));
      EXPECT_EQ(st.beams, nx * (ny + 1) + ny * (nx + 1));
      EXPECT_EQ(st.braces, 4);
      EXPECT_EQ(st.walls, 2 * ny);
      EXPECT_EQ(st.slabs, nx * ny);
      EXPECT_EQ(st.joints, (nx + 1) * (ny + 1));
    }
    // Elevations come from ProcessGeometry: 4.5 for the first storey, 3.6 above.
    EXPECT_NEAR(s.storeys.back().elevation, 4.5 + 3.6 * (storeys - 1), 1e-9);
    // Base supports under every column (walls and braces stand on column points).
    EXPECT_EQ(s.restrainedJoints, (nx + 1) * (ny + 1));
    // One plan line per column, per beam and per brace (braces never share).
    EXPECT_EQ(s.lines, (nx + 1) * (ny + 1) + nx * (ny + 1) + ny * (nx + 1) + 4 * storeys);
    EXPECT_EQ(s.areas, 2 * ny + nx * ny);
    EXPECT_EQ(s.piers, 2 * ny);
    EXPECT_EQ(s.loadCases, 3);
    EXPECT_EQ(s.diaphragms, 1);
    // Two loads on every beam and slab, one on every wall, wind on the x = 0 face
    // plus the wall loads turned into joint loads.
    const int beams = s.Beams();
    EXPECT_EQ(s.lineLoads, 2 * beams);
    EXPECT_EQ(s.lineLoadTypes.at("UNIFF"), beams);
    EXPECT_EQ(s.lineLoadTypes.at("POINTF") + s.lineLoadTypes.at("TRAPF"), beams);
    EXPECT_EQ(s.areaLoads, 2 * s.Slabs());
    EXPECT_EQ(s.wallLoads, s.Walls());
    EXPECT_GE(s.jointLoads, storeys * (ny + 1));
  }
}

TEST(DemoBuilding, ElementsAreLinkedAsTheWriterNeedsThem) {
  CBuildingModule module;
  ASSERT_TRUE(BuildDemoBuilding(module, DemoOptions{}));
  auto* levels = module.get_pMgrGeometry()->get_pLevelList();
  for (int i = 2; i <= levels->GetCount(); ++i) {
    auto* level = static_cast<CBMLevel*>(levels->GetItem(i));
    for (CBMComponentList* list : {static_cast<CBMComponentList*>(level->get_theCBMBeamList()),
                                   static_cast<CBMComponentList*>(level->get_theCBMColumnList()),
                                   static_cast<CBMComponentList*>(level->get_theCBMBraceList())}) {
      for (int j = 1; j <= list->GetCount(); ++j) {
        auto* e = static_cast<CBMLineElement*>(list->GetItem(j));
        EXPECT_NE(e->get_pFrameSection(), nullptr) << e->name().str();
        EXPECT_NE(e->GetP1(), nullptr) << e->name().str();
      }
    }
    for (int j = 1; j <= level->get_theCBMSlabList()->GetCount(); ++j) {
      auto* slab = static_cast<CBMSlab*>(level->get_theCBMSlabList()->GetItem(j));
      EXPECT_NE(slab->GetDiaphram(), nullptr);
      EXPECT_NE(slab->get_pShellSection(), nullptr);
    }
    for (int j = 1; j <= level->get_theCBMWallList()->GetCount(); ++j) {
      auto* wall = static_cast<CBMWall*>(level->get_theCBMWallList()->GetItem(j));
      EXPECT_EQ(wall->get_PierName(), CString("P") + wall->name());
    }
  }
  // The writer finds nothing missing.
  EXPECT_EQ(module.GetLastWriteReport().Total(), 0);
}

TEST(DemoBuilding, LoadComparisonNamesEveryTypeThatDiffers) {
  CBuildingModule module;
  ASSERT_TRUE(BuildDemoBuilding(module, DemoOptions{}));
  const tool::ModelStats built = CollectStats(module);
  EXPECT_TRUE(tool::CompareLoads(built, built).empty());
  EXPECT_EQ(tool::DescribeLineLoadTypes(built), "UNIFF 155, TRAPF 80, POINTF 75");
  // A point load read back as a trapezoidal one: the same total of line
  // loads, yet both types are named.
  auto* storey = static_cast<CBMLevel*>(module.get_pMgrGeometry()->get_pLevelList()->GetItem(2));
  bool changed = false;
  for (int i = 1; i <= storey->get_theCBMBeamList()->GetCount() && !changed; ++i) {
    CBMComponentList* loads =
        static_cast<CBMBeam*>(storey->get_theCBMBeamList()->GetItem(i))->Get_LineLoadList();
    for (int j = 1; j <= loads->GetCount() && !changed; ++j) {
      auto* load = static_cast<CBMLineLoad*>(loads->GetItem(j));
      if ((changed = load->get_sType() == "POINTF")) load->set_sType("TRAPF");
    }
  }
  ASSERT_TRUE(changed);
  const std::vector<std::string> differences = tool::CompareLoads(built, CollectStats(module));
  EXPECT_EQ(differences,
            (std::vector<std::string>{"TRAPF line loads 80 vs 81", "POINTF line loads 75 vs 74"}));
}

TEST(DemoBuilding, RefusesUnusableOptions) {
  for (auto change : std::vector<void (*)(DemoOptions&)>{
           [](DemoOptions& o) { o.storeys = 0; }, [](DemoOptions& o) { o.baysX = -1; },
           [](DemoOptions& o) { o.baysY = 20000; }, [](DemoOptions& o) { o.bayX = 0.0; },
           [](DemoOptions& o) { o.storeys = 10000, o.baysX = 1000, o.baysY = 1000; }}) {
    DemoOptions o;
    change(o);
    CBuildingModule module;
    std::string error;
    EXPECT_FALSE(BuildDemoBuilding(module, o, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(module.get_pMgrGeometry()->get_pLevelList()->GetCount(), 0);
  }
}

}  // namespace
}  // namespace bm::test
#endif
