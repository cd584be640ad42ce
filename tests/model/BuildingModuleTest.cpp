// The building module: managers wired to the container, nearest-diaphragm
// look-ups, and the archive's outer frame.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include "support/ArchiveHelpers.h"
#include "support/ByteBuilder.h"

namespace {

TEST(BuildingModule, ManagersPointAtTheContainerLists) {
  CBuildingModule module;
  CBMMgrSys* managers[] = {module.get_pMgrGeometry(), module.get_pMgrLoad(), module.get_pMgrForce()};
  for (CBMMgrSys* m : managers) {
    EXPECT_EQ(m->get_pBuildingModule(), &module);
    ASSERT_NE(m->get_pContainer(), nullptr);
    EXPECT_EQ(m->get_pPointList(), &m->get_pContainer()->theCBMPointList);
    EXPECT_EQ(m->get_pLevelList(), &m->get_pContainer()->theCBMLevelList);
    EXPECT_EQ(m->Get_pLoadCombination(), &m->get_pContainer()->theLoadCombinationList);
    EXPECT_EQ(m->get_pCBMAnalysisOption(), &m->get_pContainer()->theCBMAnalysisOption);
    EXPECT_EQ(m->get_pCurrentLevel(), nullptr);
    EXPECT_EQ(m->get_pLevelList()->GetCount(), 0);
  }
  EXPECT_EQ(module.get_pMgrGeometry()->get_pContainer(), module.get_pMgrLoad()->get_pContainer());
  EXPECT_NE(module.get_pUnitSystem(), nullptr);
}

TEST(BuildingModule, NearestDiaphragmLookups) {
  CBuildingModule module;
  CBMMgrSys* sys = module.get_pMgrGeometry();
  EXPECT_EQ(sys->GetNearDiaphragm(0, 0), nullptr);
  EXPECT_EQ(sys->GetNearLevelDiaphragm(CString("NONE"), 0, 0), nullptr);
}

TEST(BuildingModule, EmptyModuleArchivesUnitsAndTwelveEmptyLists) {
  CBuildingModule module;
  const auto bytes = bm::test::StoreObject(module);
  bm::test::ByteBuilder expected;
  expected.Str("").Str("");
  for (int i = 0; i < 12; ++i) expected.I32(0);
  EXPECT_EQ(bytes, expected.bytes());
}

}  // namespace
