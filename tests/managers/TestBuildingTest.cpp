// The shared test building, checked as a whole: the model that the managers
// build from it and that the archive, writer and reader tests rely on.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "managers/ManagerTestUtil.h"
#include "model/geometry/BMJoint.h"
#include "model/geometry/BMLineElement.h"
#include "model/geometry/BMShellElement.h"
#include "properties/BMFrameSection.h"
#include "properties/BMMaterial.h"
#include "properties/BMUnitSystem.h"
#include "properties/BMWallSlabDeckSection.h"
#include "support/TestBuilding.h"

namespace bm::test {
namespace {

class TestBuildingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_ = BuildTestBuilding();
    g_ = m_->get_pMgrGeometry();
  }
  CBMLevel* level(const char* name) { return LevelNamed(*m_, name); }
  CBMJoint* joint(const char* lv, const char* name) { return JointNamed(level(lv), name); }

  std::unique_ptr<CBuildingModule> m_;
  CBMMgrGeometry* g_ = nullptr;
};

// Names and contents of the model in one text, for comparing two builds.
std::string Describe(CBuildingModule& m) {
  std::ostringstream out;
  CBMMgrGeometry* g = m.get_pMgrGeometry();
  for (int i = 1; i <= g->get_pPointList()->GetCount(); ++i) {
    auto* p = ItemAt<CBMPoint>(g->get_pPointList(), i);
    out << p->name().str() << "@" << p->get_X() << "," << p->get_Y() << "#" << p->get_Id() << ";";
  }
  for (int i = 1; i <= g->get_pLevelList()->GetCount(); ++i) {
    auto* lv = ItemAt<CBMLevel>(g->get_pLevelList(), i);
    out << "\n" << lv->name().str() << " " << lv->get_EleHeight() << ":";
    CBMJointList* joints = lv->get_theCBMJointList();
    for (int k = 1; k <= joints->GetCount(); ++k) {
      auto* j = ItemAt<CBMJoint>(joints, k);
      out << j->name().str() << "(" << j->get_theConnectList().GetCount() << ")";
      for (int n = 1; n <= j->get_JointLoadList()->GetCount(); ++n) {
        auto* load = ItemAt<CBMJointLoad>(j->get_JointLoadList(), n);
        out << load->get_Lc().str() << "=" << load->get_FX() << "/" << load->get_FY() << "/"
            << load->get_FZ();
      }
    }
  }
  return out.str();
}

TEST_F(TestBuildingTest, PlanPointsAreTheSixteenColumnPoints) {
  CBMPointList* points = g_->get_pPointList();
  ASSERT_EQ(points->GetCount(), 16);
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      auto* p = ItemAt<CBMPoint>(points, 4 * r + c + 1);
      EXPECT_EQ(p->name(), CString("C" + std::to_string(4 * r + c + 1)));
      EXPECT_DOUBLE_EQ(p->get_X(), kGridX[c]);
      EXPECT_DOUBLE_EQ(p->get_Y(), kGridY[r]);
    }
  }
}

TEST_F(TestBuildingTest, LevelsHaveTheirElevationsAndUnitsAreSet) {
  const char* names[4] = {"BASE", "STORY1", "STORY2", "STORY3"};
  const double elevations[4] = {0.0, 4.0, 7.5, 11.0};
  ASSERT_EQ(g_->get_pLevelList()->GetCount(), 4);
  for (int i = 1; i <= 4; ++i) {
    auto* lv = ItemAt<CBMLevel>(g_->get_pLevelList(), i);
    EXPECT_EQ(lv->name(), names[i - 1]);
    EXPECT_DOUBLE_EQ(lv->get_EleHeight(), elevations[i - 1]);
  }
  EXPECT_EQ(m_->get_pUnitSystem()->get_csForceUnit(), "KN");
  EXPECT_EQ(m_->get_pUnitSystem()->get_csLengthUnit(), "M");
}

TEST_F(TestBuildingTest, StoreyJointsListTheirMembers) {
  for (const char* lv : {"STORY1", "STORY2", "STORY3"}) {
    SCOPED_TRACE(lv);
    CBMLevel* s = level(lv);
    EXPECT_EQ(s->get_theCBMColumnList()->GetCount(), 16);
    EXPECT_EQ(s->get_theCBMBeamList()->GetCount(), 24);
    EXPECT_EQ(s->get_theCBMWallList()->GetCount(), 4);
    EXPECT_EQ(s->get_theCBMSlabList()->GetCount(), 9);
    CBMJointList* joints = s->get_theCBMJointList();
    ASSERT_EQ(joints->GetCount(), 16);
    for (int i = 1; i <= 16; ++i) {
      auto* j = ItemAt<CBMJoint>(joints, i);
      EXPECT_EQ(j->name(), g_->get_pPointList()->GetItem(i)->name());
      EXPECT_EQ(j->get_pPoint(), g_->get_pPointList()->GetItem(i));
      EXPECT_EQ(j->get_DiaphragmName(), "D1");
    }
    // Joint C2 at (6, 0): column C2, beams B1, B2, B16, wall W1, slabs S1, S2.
    CBMComponentList& c2 = JointNamed(s, "C2")->get_theConnectList();
    const char* members[7] = {"C2", "B1", "B2", "B16", "W1", "S1", "S2"};
    const BMComponentType types[7] = {BM_COLUMN, BM_BEAM, BM_BEAM, BM_BEAM, BM_WALL, BM_SLAB, BM_SLAB};
    ASSERT_EQ(c2.GetCount(), 7);
    for (int i = 1; i <= 7; ++i) {
      EXPECT_EQ(c2.GetItem(i)->name(), members[i - 1]);
      EXPECT_EQ(c2.GetItem(i)->get_ObjectType(), types[i - 1]);
    }
    EXPECT_EQ(JointNamed(s, "C1")->get_theConnectList().GetCount(), 4);   // C1, B1, B13, S1
    EXPECT_EQ(JointNamed(s, "C6")->get_theConnectList().GetCount(), 9);   // C6, 4 beams, 4 slabs
    EXPECT_EQ(JointNamed(s, "C16")->get_theConnectList().GetCount(), 4);  // braces connect nothing
  }
  EXPECT_EQ(level("STORY1")->get_theCBMBraceList()->GetCount(), 1);
  EXPECT_EQ(level("STORY2")->get_theCBMBraceList()->GetCount(), 1);
}

TEST_F(TestBuildingTest, LinesCarryTypesSpansAndEndPoints) {
  CBMLineList* lines = g_->get_pLineList();
  ASSERT_EQ(lines->GetCount(), 42);
  for (int i = 1; i <= 16; ++i) {
    auto* l = ItemAt<CBMLine>(lines, i);
    EXPECT_EQ(l->GetType(), "COLUMN");
    EXPECT_EQ(l->GetPassStory(), 1);
    EXPECT_EQ(l->get_pP1(), l->get_pP2());
  }
  for (int i = 17; i <= 40; ++i) {
    auto* l = ItemAt<CBMLine>(lines, i);
    EXPECT_EQ(l->name(), CString("B" + std::to_string(i - 16)));
    EXPECT_EQ(l->GetType(), "BEAM");
    EXPECT_EQ(l->GetPassStory(), 0);
    EXPECT_DOUBLE_EQ(l->get_Length(), i <= 28 ? 6.0 : 5.0);
  }
  auto* br1 = ItemAt<CBMLine>(lines, 41);
  auto* br2 = ItemAt<CBMLine>(lines, 42);
  EXPECT_EQ(br1->name(), "BR1");
  EXPECT_EQ(br1->GetType(), "BRACE");
  EXPECT_EQ(br1->GetPassStory(), 2);
  EXPECT_EQ(br1->get_pP1()->name(), "C1");
  EXPECT_EQ(br1->get_pP2()->name(), "C2");
  EXPECT_EQ(br2->GetPassStory(), 1);
  EXPECT_EQ(br2->get_pP1()->name(), "C16");
  EXPECT_EQ(ItemAt<CBMBrace>(level("STORY2")->get_theCBMBraceList(), 1)->get_pLine(), br1);
  EXPECT_EQ(ItemAt<CBMBeam>(level("STORY3")->get_theCBMBeamList(), 1)->get_pLine(), lines->GetItem(17));
}

TEST_F(TestBuildingTest, AreasHavePointOrdersStatusesAndSections) {
  CBMAreaList* areas = g_->get_pAreaList();
  ASSERT_EQ(areas->GetCount(), 13);
  struct Expect {
    int index;
    const char* name;
    const char* type;
    const char* corners[4];
    int status[4];
  };
  const Expect expected[] = {
      {1, "W1", "PANEL", {"C2", "C3", "C3", "C2"}, {1, 1, 0, 0}},
      {3, "W3", "PANEL", {"C15", "C14", "C14", "C15"}, {1, 1, 0, 0}},
      {4, "W4", "PANEL", {"C9", "C5", "C5", "C9"}, {1, 1, 0, 0}},
      {9, "S5", "FLOOR", {"C6", "C7", "C11", "C10"}, {0, 0, 0, 0}},
      {13, "S9", "FLOOR", {"C11", "C12", "C16", "C15"}, {0, 0, 0, 0}},
  };
  for (const Expect& e : expected) {
    auto* a = ItemAt<CBMArea>(areas, e.index);
    SCOPED_TRACE(e.name);
    EXPECT_EQ(a->name(), e.name);
    EXPECT_EQ(a->GetAreaType(), e.type);
    ASSERT_EQ(a->GetCount(), 4);
    for (int k = 1; k <= 4; ++k) {
      EXPECT_EQ(a->GetPoint(k)->name(), e.corners[k - 1]);
      EXPECT_EQ(a->GetPointStatus(k), e.status[k - 1]);
    }
  }
  for (const char* lv : {"STORY1", "STORY3"}) {
    auto* w = ItemAt<CBMWall>(level(lv)->get_theCBMWallList(), 2);
    EXPECT_EQ(w->get_pArea(), areas->GetItem(2));
    EXPECT_EQ(w->get_pShellSection()->name(), "WALL250");
    EXPECT_DOUBLE_EQ(w->GetThichness(), 0.25);
    auto* s = ItemAt<CBMSlab>(level(lv)->get_theCBMSlabList(), 9);
    EXPECT_EQ(s->get_pShellSection()->name(), "SLAB150");
    ASSERT_NE(s->GetDiaphram(), nullptr);
    EXPECT_EQ(s->GetDiaphram()->name(), "D1");
  }
}

TEST_F(TestBuildingTest, PropertiesAndSections) {
  CBMMaterialList* materials = g_->get_pMaterialList();
  ASSERT_EQ(materials->GetCount(), 2);
  auto* steel = ItemAt<CBMMaterial>(materials, 1);
  EXPECT_EQ(steel->get_DesignType(), "STEEL");
  EXPECT_DOUBLE_EQ(steel->get_FY(), 248211.3);
  EXPECT_DOUBLE_EQ(ItemAt<CBMMaterial>(materials, 2)->get_FC(), 27579.0);
  CBMFrameSectionList* sections = g_->get_pFrameSectionList();
  ASSERT_EQ(sections->GetCount(), 3);
  EXPECT_EQ(ItemAt<CBMFrameSection>(sections, 1)->get_Shape(), "RECTANGULAR");
  EXPECT_EQ(ItemAt<CBMFrameSection>(sections, 1)->get_pMaterial()->name(), "CONC");
  EXPECT_EQ(ItemAt<CBMFrameSection>(sections, 2)->get_Shape(), "I/WIDE FLANGE");
  EXPECT_DOUBLE_EQ(ItemAt<CBMFrameSection>(sections, 2)->GetD(), 0.4496);
  EXPECT_EQ(g_->get_pWallSlabDeckSectionList()->GetCount(), 2);
  EXPECT_EQ(ItemAt<CBMColumn>(level("STORY2")->get_theCBMColumnList(), 3)->get_pFrameSection(),
            sections->GetItem(1));
  EXPECT_EQ(ItemAt<CBMBrace>(level("STORY1")->get_theCBMBraceList(), 1)->get_pFrameSection(),
            sections->GetItem(3));
}

TEST_F(TestBuildingTest, ProcessingGaveBaseSupportsPiersSpacingsAndDiaphragms) {
  CBMJointList* base = level("BASE")->get_theCBMJointList();
  ASSERT_EQ(base->GetCount(), 16);
  for (int i = 1; i <= 16; ++i) {
    auto* j = ItemAt<CBMJoint>(base, i);
    EXPECT_EQ(j->name(), CString("C" + std::to_string(i)));
    ASSERT_NE(j->get_pRestraint(), nullptr);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(j->get_pRestraint()->get_bU(k), 1);
    EXPECT_EQ(j->get_theConnectList().GetCount(), 0);
  }
  EXPECT_EQ(level("STORY1")->get_theCBMJointList()->GetCount(), 16);
  EXPECT_EQ(joint("STORY1", "C1")->get_pRestraint(), nullptr);

  CBMPierSpandrelList* piers = g_->get_pPierSpandrelList();
  ASSERT_EQ(piers->GetCount(), 4);
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(piers->GetItem(i)->name(), CString("PW" + std::to_string(i)));
  EXPECT_EQ(ItemAt<CBMWall>(level("STORY3")->get_theCBMWallList(), 1)->get_pPierSpandrel(),
            piers->GetItem(1));

  struct Spacing {
    const char* level;
    double beamX, beamY, column, brace;
  };
  for (const Spacing& s : {Spacing{"STORY1", 1.2, 1.0, 2.0, 0.8}, Spacing{"STORY2", 1.2, 1.0, 1.75, 0.7}}) {
    CBMLevel* lv = level(s.level);
    EXPECT_DOUBLE_EQ(ItemAt<CBMBeam>(lv->get_theCBMBeamList(), 1)->get_MaxSpc(), s.beamX);
    EXPECT_DOUBLE_EQ(ItemAt<CBMBeam>(lv->get_theCBMBeamList(), 13)->get_MaxSpc(), s.beamY);
    EXPECT_DOUBLE_EQ(ItemAt<CBMColumn>(lv->get_theCBMColumnList(), 1)->get_MaxSpc(), s.column);
    EXPECT_DOUBLE_EQ(ItemAt<CBMBrace>(lv->get_theCBMBraceList(), 1)->get_MaxSpc(), s.brace);
  }

  ASSERT_EQ(g_->get_pDiaphragmList()->GetCount(), 1);
  auto* d1 = ItemAt<CBMDiaphragm>(g_->get_pDiaphragmList(), 1);
  EXPECT_EQ(d1->GetAssociatedPointAcount(), 48);
  EXPECT_DOUBLE_EQ(d1->Get_CX(), 9.0);
  EXPECT_DOUBLE_EQ(d1->Get_CY(), 7.5);
  auto* ld = ItemAt<CBMLevelDiaphragm>(level("STORY2")->get_theCBMLevelDiaphragmList(), 1);
  EXPECT_EQ(ld->GetJointAmount(), 16);
  EXPECT_EQ(level("BASE")->get_theCBMLevelDiaphragmList()->GetCount(), 0);
}

TEST_F(TestBuildingTest, LoadsAndConvertedWallLoads) {
  CBMLoadCaseList* cases = g_->GetLoadCaseList();
  ASSERT_EQ(cases->GetCount(), 4);
  auto* vwind = ItemAt<CBMLoadCase>(cases, 4);
  EXPECT_EQ(vwind->name(), "VWIND");
  EXPECT_EQ(vwind->GetVirtualLoadCaseName(), "vx_roof");
  ASSERT_EQ(vwind->GetWindList()->GetCount(), 1);
  EXPECT_EQ(ItemAt<CBMLoadWind>(vwind->GetWindList(), 1)->get_sDiaph(), "D1");

  struct WallForce {
    const char* level;
    const char* joint;
    const char* lc;
    double fy;
  };
  const WallForce forces[] = {
      {"STORY1", "C2", "DEAD", 30.0}, {"STORY1", "C3", "DEAD", 30.0}, {"STORY1", "C8", "LIVE", 7.5},
      {"STORY1", "C12", "LIVE", 2.5}, {"STORY1", "C15", "DEAD", 8.5}, {"STORY1", "C14", "DEAD", 9.5},
      {"STORY1", "C9", "LIVE", 10.0}, {"STORY1", "C5", "LIVE", 5.0},  {"STORY2", "C2", "DEAD", 30.0},
      {"STORY3", "C3", "DEAD", 30.0},
  };
  for (const WallForce& f : forces) {
    SCOPED_TRACE(testing::Message() << f.level << " " << f.joint);
    CBMJoint* j = joint(f.level, f.joint);
    ASSERT_EQ(j->get_JointLoadList()->GetCount(), 1);
    CBMJointLoad* load = JointLoadOf(j, f.lc);
    ASSERT_NE(load, nullptr);
    EXPECT_NEAR(load->get_FY(), f.fy, 1e-12);
    EXPECT_EQ(load->get_sType(), "FORCE");
  }
  EXPECT_DOUBLE_EQ(JointLoadOf(joint("STORY2", "C1"), "WIND")->get_FX(), 20.0);
  EXPECT_DOUBLE_EQ(JointLoadOf(joint("STORY3", "C6"), "DEAD")->get_FZ(), -20.0);
  EXPECT_EQ(joint("STORY2", "C6")->get_JointLoadList()->GetCount(), 0);

  CBMBeamList* beams = level("STORY1")->get_theCBMBeamList();
  EXPECT_EQ(ItemAt<CBMBeam>(beams, 1)->Get_LineLoadList()->GetCount(), 2);   // DEAD + LIVE TRAPF
  EXPECT_EQ(ItemAt<CBMBeam>(beams, 13)->Get_LineLoadList()->GetCount(), 2);  // DEAD + LIVE POINTF
  EXPECT_EQ(ItemAt<CBMBeam>(beams, 24)->Get_LineLoadList()->GetCount(), 1);
  EXPECT_EQ(ItemAt<CBMSlab>(level("STORY3")->get_theCBMSlabList(), 5)->get_SlabLoadList()->GetCount(), 2);
  EXPECT_EQ(ItemAt<CBMWall>(level("STORY2")->get_theCBMWallList(), 1)->GetLineLoadCount(), 1);
}

TEST_F(TestBuildingTest, BuildingIsDeterministic) {
  auto other = BuildTestBuilding();
  EXPECT_EQ(Describe(*m_), Describe(*other));
}

}  // namespace
}  // namespace bm::test
