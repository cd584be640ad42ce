// The geometry processing passes and the on-demand pier and diaphragm
// operations.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "loads/BMAnalysisOption.h"
#include "managers/ManagerTestUtil.h"
#include "model/geometry/BMJoint.h"
#include "model/geometry/BMLineElement.h"
#include "model/geometry/BMShellElement.h"

namespace bm::test {
namespace {

TEST(GeometryProcessingTest, ElevationsFollowStoreyHeightsFromTheBase) {
  for (double baseElevation : {0.0, -2.0}) {
    CBuildingModule m;
    CBMMgrGeometry* g = m.get_pMgrGeometry();
    g->AddLevel("BASE", 0.0, baseElevation);
    g->AddLevel("L1", 3.0, 99.0);  // given elevations above the base are replaced
    g->AddLevel("L2", 3.0, -5.0);
    g->AddLevel("L3", 4.0, 0.0);
    g->ProcessGeometry();
    const double expected[4] = {0.0, 3.0, 6.0, 10.0};
    for (int i = 1; i <= 4; ++i) {
      EXPECT_DOUBLE_EQ(ItemAt<CBMLevel>(g->get_pLevelList(), i)->get_EleHeight(),
                       baseElevation + expected[i - 1]);
    }
  }
}

TEST(GeometryProcessingTest, ModelsWithoutBaseOrSecondLevelAreProcessedWithoutFailing) {
  {
    CBuildingModule empty;
    empty.get_pMgrGeometry()->ProcessGeometry();
    EXPECT_EQ(empty.get_pMgrGeometry()->get_pLevelList()->GetCount(), 0);
  }
  {
    // One level only: elevation kept, no supports, no spacing.
    CBuildingModule m;
    CBMMgrGeometry* g = m.get_pMgrGeometry();
    g->AddLevel("BASE", 2.0, 1.5);
    g->AddColumn("C1", 0, 0, "BASE", "");
    g->ProcessGeometry();
    CBMLevel* base = LevelNamed(m, "BASE");
    EXPECT_DOUBLE_EQ(base->get_EleHeight(), 1.5);
    EXPECT_EQ(JointNamed(base, "C1")->get_pRestraint(), nullptr);
  }
  {
    // No level named BASE: the support pass is skipped, the others run.
    CBuildingModule m;
    CBMMgrGeometry* g = m.get_pMgrGeometry();
    g->AddLevel("GROUND", 0.0, 0.0);
    g->AddLevel("L1", 3.0, 0.0);
    CBMColumn* c = g->AddColumn("C1", 0, 0, "L1", "");
    g->AddWall("W1", 0, 0, 5, 0, "L1", "");
    g->ProcessGeometry();
    EXPECT_EQ(LevelNamed(m, "GROUND")->get_theCBMJointList()->GetCount(), 0);
    EXPECT_DOUBLE_EQ(c->get_MaxSpc(), 1.5);
    EXPECT_EQ(ItemAt<CBMWall>(LevelNamed(m, "L1")->get_theCBMWallList(), 1)->get_PierName(), "PW1");
  }
}

TEST(GeometryProcessingTest, WallsOfOneNameSharePierAndTheRelabellingPassesChain) {
  auto m = ModuleWithLevels({3.0, 3.0});
  CBMMgrGeometry* g = m->get_pMgrGeometry();
  g->AddWallSection("WA", "", 0.2);
  g->AddWallSection("WB", "", 0.3);
  CBMWall* w1a = g->AddWall("W1", 0, 0, 5, 0, "STORY1", "WA");
  CBMWall* w1b = g->AddWall("W1", 0, 0, 5, 0, "STORY2", "WA");
  CBMWall* w2 = g->AddWall("W2", 5, 0, 5, 5, "STORY1", "WB");
  CBMWall* w3 = g->AddWall("W3", 5, 5, 0, 5, "STORY1", "NOSECTION");

  g->ProcessGeometry();
  EXPECT_EQ(w1a->get_pPierSpandrel(), w1b->get_pPierSpandrel());
  EXPECT_EQ(w1a->get_PierName(), "PW1");
  EXPECT_EQ(w2->get_PierName(), "PW2");
  EXPECT_EQ(w1a->GetOldPierName(), "");
  EXPECT_EQ(w1a->get_pPierSpandrel()->IsSpandrel(), 0);
  EXPECT_EQ(g->get_pPierSpandrelList()->GetCount(), 3);

  // A second run keeps the piers and saves the first run's names.
  g->ProcessGeometry();
  EXPECT_EQ(w1a->get_PierName(), "PW1");
  EXPECT_EQ(w1a->GetOldPierName(), "PW1");
  EXPECT_EQ(g->get_pPierSpandrelList()->GetCount(), 3);

  EXPECT_EQ(g->ReassignPierBySectionName(), 1);
  EXPECT_EQ(w1a->get_PierName(), "WA");
  EXPECT_EQ(w1b->get_pPierSpandrel(), w1a->get_pPierSpandrel());
  EXPECT_EQ(w2->get_PierName(), "WB");
  EXPECT_EQ(w3->get_PierName(), "PW3");  // no section: keeps its pier
  EXPECT_EQ(w2->GetOldPierName(), "PW2");

  EXPECT_EQ(g->ReassignPierRestoreOldName(), 1);
  EXPECT_EQ(w1a->get_PierName(), "PW1");
  EXPECT_EQ(w2->get_PierName(), "PW2");
  EXPECT_EQ(w2->GetOldPierName(), "PW2");  // restoring does not save
}

TEST(GeometryProcessingTest, RestoringWithoutAnOldNameGivesThePierOfTheEmptyName) {
  auto m = ModuleWithLevels({3.0});
  CBMMgrGeometry* g = m->get_pMgrGeometry();
  CBMWall* w = g->AddWall("W1", 0, 0, 5, 0, "STORY1", "");
  g->ReassignPierRestoreOldName();
  ASSERT_NE(w->get_pPierSpandrel(), nullptr);
  EXPECT_EQ(w->get_PierName(), "");
  EXPECT_EQ(g->get_pPierSpandrelList()->GetCount(), 1);
}

TEST(GeometryProcessingTest, StationSpacingAndReductionFactorsAboveTheBase) {
  struct Case {
    int stations;
    double reduction;
    bool spacingSet;
    bool factorSet;
  };
  const Case cases[] = {{5, 0.0, true, false},
                        {5, 0.001, true, false},
                        {5, -0.0011, true, true},
                        {5, 0.0011, true, true},
                        {0, 0.5, false, true},
                        {-3, 0.0, false, false},
                        {5, std::numeric_limits<double>::quiet_NaN(), true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.stations << " " << c.reduction);
    auto m = ModuleWithLevels({3.0});
    CBMMgrGeometry* g = m->get_pMgrGeometry();
    g->get_pCBMAnalysisOption()->set_iStationNumber(c.stations);
    g->get_pCBMAnalysisOption()->set_dJointStiffnessReduction(c.reduction);
    CBMBeam* beam = g->AddBeam("B1", 0, 0, 6, 0, "STORY1", "");
    CBMColumn* column = g->AddColumn("C1", 0, 0, "STORY1", "");
    CBMBrace* brace = g->AddBrace("BR1", 0, 0, 6, 8, "STORY1", "BASE", "");
    CBMBeam* baseBeam = g->AddBeam("B1", 0, 0, 6, 0, "BASE", "");
    g->ProcessGeometry();

    EXPECT_DOUBLE_EQ(beam->get_MaxSpc(), c.spacingSet ? 1.2 : 24.0);
    EXPECT_DOUBLE_EQ(column->get_MaxSpc(), c.spacingSet ? 1.5 : 24.0);
    EXPECT_DOUBLE_EQ(brace->get_MaxSpc(), c.spacingSet ? 0.6 : 24.0);  // height / n, not length / n
    EXPECT_DOUBLE_EQ(baseBeam->get_MaxSpc(), 24.0);
    for (CBMLineElement* e : {static_cast<CBMLineElement*>(beam), static_cast<CBMLineElement*>(column),
                              static_cast<CBMLineElement*>(brace)}) {
      EXPECT_EQ(e->get_HasZoneReductionFactor(), c.factorSet ? 1 : 0);
      if (c.factorSet) {
        EXPECT_DOUBLE_EQ(e->get_dZoneReductionFactor(), c.reduction);
      }
    }
    EXPECT_EQ(baseBeam->get_HasZoneReductionFactor(), 0);
  }
}

TEST(GeometryProcessingTest, FirstStoreyColumnsWallsAndRisingBracesAreFixedAtTheBase) {
  auto m = ModuleWithLevels({3.0, 3.0});
  CBMMgrGeometry* g = m->get_pMgrGeometry();
  g->AddColumn("C1", 0, 0, "STORY1", "");
  g->AddWall("W1", 10, 0, 15, 0, "STORY1", "");
  g->AddBrace("FLAT", 20, 0, 25, 0, "STORY1", "STORY1", "");  // span 0: no support
  g->AddBrace("RISE", 30, 0, 35, 0, "STORY1", "BASE", "");    // span 1: first point
  g->AddColumn("UP", 40, 0, "STORY2", "");                    // higher storey: none
  // An existing partial support at the column keeps its flags.
  CString base = "BASE";
  g->AddJointRestrain(base, 0, 0, 1, 1, 1, 0, 0, 0);
  g->ProcessGeometry();

  CBMLevel* b = LevelNamed(*m, "BASE");
  CBMJointList* joints = b->get_theCBMJointList();
  ASSERT_EQ(joints->GetCount(), 4);
  const char* names[4] = {"C1", "2", "3", "6"};  // column, wall ends, RISE's lower end
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(joints->GetItem(i)->name(), names[i - 1]) << i;
  EXPECT_EQ(JointNamed(b, "C1")->get_pRestraint()->get_bU(3), 0);
  for (int i = 2; i <= 4; ++i) {
    CBMJointRestraint* r = ItemAt<CBMJoint>(joints, i)->get_pRestraint();
    ASSERT_NE(r, nullptr);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(r->get_bU(k), 1);
  }
  // A second run adds nothing.
  g->ProcessGeometry();
  EXPECT_EQ(joints->GetCount(), 4);
}

TEST(GeometryProcessingTest, AssignJointDiaphragmNeedsTheJointAndAccumulatesCentres) {
  auto m = ModuleWithLevels({3.0, 3.0});
  CBMMgrGeometry* g = m->get_pMgrGeometry();
  g->AddBeam("B1", 0, 0, 8, 2, "STORY1", "");
  // A point exists, but STORY2 has no joint there: nothing changes.
  g->AssignJointDiaphragm("STORY2", 0, 0, "D1");
  g->AssignJointDiaphragm("STORY1", 50, 50, "D1");  // no point there
  EXPECT_EQ(g->get_pDiaphragmList()->GetCount(), 0);
  EXPECT_EQ(LevelNamed(*m, "STORY2")->get_theCBMJointList()->GetCount(), 0);

  g->AssignJointDiaphragm("story1", 0, 0, "d1");
  g->AssignJointDiaphragm("STORY1", 8, 2, "D1");
  CBMLevel* s1 = LevelNamed(*m, "STORY1");
  ASSERT_EQ(s1->get_theCBMLevelDiaphragmList()->GetCount(), 1);
  auto* ld = ItemAt<CBMLevelDiaphragm>(s1->get_theCBMLevelDiaphragmList(), 1);
  EXPECT_EQ(ld->name(), "D1");
  EXPECT_EQ(ld->GetJointAmount(), 2);
  EXPECT_DOUBLE_EQ(ld->Get_CX(), 4.0);
  EXPECT_DOUBLE_EQ(ld->Get_CY(), 1.0);
  EXPECT_EQ(JointNamed(s1, "1")->get_pDiaphragm(), ld);
  EXPECT_EQ(JointNamed(s1, "1")->get_DiaphragmName(), "D1");
  auto* d = ItemAt<CBMDiaphragm>(g->get_pDiaphragmList(), 1);
  EXPECT_EQ(d->GetAssociatedPointAcount(), 2);
  EXPECT_DOUBLE_EQ(d->Get_CX(), 4.0);

  // No duplicate check: a second call counts the joint again.
  g->AssignJointDiaphragm("STORY1", 0, 0, "D1");
  EXPECT_EQ(ld->GetJointAmount(), 3);
  EXPECT_EQ(d->GetAssociatedPointAcount(), 3);
  EXPECT_DOUBLE_EQ(d->Get_CX(), 8.0 / 3.0);
}

}  // namespace
}  // namespace bm::test
