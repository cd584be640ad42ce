// The geometry and load managers: find-or-create, processing passes, piers, diaphragms and loads.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <sstream>
#include <string>

#include "support/MessageCapture.h"
#include "support/TestBuilding.h"

namespace bm::test {
namespace {

CBMLevel* LevelNamed(CBuildingModule& m, const char* name) {
  return m.get_pMgrGeometry()->get_pLevelList()->ItemAs<CBMLevel>(CString(name));
}

CBMJoint* JointNamed(CBMLevel* level, const char* name) {
  return level->get_theCBMJointList()->ItemAs<CBMJoint>(CString(name));
}

// A module with levels BASE (0), then storeys STORY1, STORY2, ... of the given heights.
std::unique_ptr<CBuildingModule> ModuleWithLevels(std::initializer_list<double> heights) {
  auto m = std::make_unique<CBuildingModule>();
  m->get_pMgrGeometry()->AddLevel("BASE", 0.0, 0.0);
  int k = 1;
  for (double h : heights) m->get_pMgrGeometry()->AddLevel(CString("STORY" + std::to_string(k++)), h, 0.0);
  return m;
}

// How often `joint` lists exactly the object `element`.
int ConnectionCount(CBMJoint* joint, const CBMComponent* element) {
  int n = 0;
  for (CBMComponent& c : joint->get_theConnectList().Members<CBMComponent>()) n += &c == element;
  return n;
}

// A module with the storeys STORY1 and STORY2, made again by each SetUp call.
class GeometryManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = ModuleWithLevels({3.0, 3.0});
    g_ = module_->get_pMgrGeometry();
    l_ = module_->get_pMgrLoad();
  }
  CBMPointList* points() { return g_->get_pPointList(); }
  CBMLevel* level(const char* name) { return LevelNamed(*module_, name); }
  std::string Counts() {  // points, lines, areas
    const int n[3] = {points()->GetCount(), g_->get_pLineList()->GetCount(), g_->get_pAreaList()->GetCount()};
    return std::to_string(n[0]) + " " + std::to_string(n[1]) + " " + std::to_string(n[2]);
  }

  std::unique_ptr<CBuildingModule> module_;
  CBMMgrGeometry* g_ = nullptr;
  CBMMgrLoad* l_ = nullptr;
};

TEST_F(GeometryManagerTest, ColumnsFindOrCreateTheirPointLineAndJointAndPointNamesTakenElsewhere) {
  CBMColumn* c = g_->AddColumn("c1", 2.0, 3.0, "story1", "col");  // no section COL: still made
  EXPECT_EQ(c->name() + " " + points()->GetItem(1)->name(), "C1 C1");
  EXPECT_EQ(c->get_pFrameSection(), nullptr);
  EXPECT_EQ(c->get_pJointI(), nullptr);  // the manager sets no end joints
  EXPECT_EQ(ConnectionCount(JointNamed(level("STORY1"), "C1"), c), 1);
  EXPECT_EQ(g_->AddColumn("C2", 2.00005, 3.0, "STORY1", ""), c);  // within the tolerance
  CBMColumn* upper = g_->AddColumn("C1", 2.0, 3.0, "STORY2", "");
  EXPECT_NE(upper, c);
  EXPECT_EQ(upper->get_pLine(), c->get_pLine());
  EXPECT_EQ(Counts(), "1 1 0");
  g_->AddColumn("C3", 2.0001, 3.0, "STORY1", "");  // exactly the tolerance: apart
  EXPECT_EQ(points()->GetItem(2)->name(), "C3");
  SetUp();
  g_->AddBeam("B1", 0.0, 0.0, 5.0, 0.0, "STORY1", "");  // points "1" and "2"
  // Legacy: a column named like an existing point takes that point.
  EXPECT_DOUBLE_EQ(g_->AddColumn("2", 9.0, 9.0, "STORY1", "")->GetP1()->get_X(), 5.0);
  // Generated names skip names already taken: "4" exists, so new points get
  // the next free number and keep their own positions.
  g_->AddColumn("4", 12.0, 0.0, "STORY1", "");
  const double ends[3][4] = {{0, 5, 6, 5}, {20, 20, 30, 30}, {40, 0, 50, 0}};
  for (const auto& e : ends) {
    CBMBeam* b = g_->AddBeam(CString("B" + std::to_string(e[2])), e[0], e[1], e[2], e[3], "STORY1", "");
    const CBMPoint* p[2] = {b->GetP1(), b->GetP2()};
    for (int k = 0; k < 4; ++k) EXPECT_DOUBLE_EQ(k % 2 ? p[k / 2]->get_Y() : p[k / 2]->get_X(), e[k]) << k;
  }
  EXPECT_EQ(points()->GetCount(), 9);
}

TEST_F(GeometryManagerTest, BeamAddedTwiceInEitherDirectionReusesLineBeamAndConnections) {
  CBMBeam* b = g_->AddBeam("b1", 0.0, 0.0, 6.0, 0.0, "STORY1", "");
  EXPECT_EQ(b->name(), "B1");
  EXPECT_EQ(g_->AddBeam("OTHER", 6.0, 0.0, 0.0, 0.0, "STORY1", ""), b);
  EXPECT_EQ(Counts(), "2 1 0");
  CBMLevel* s1 = level("STORY1");
  EXPECT_EQ(s1->get_theCBMBeamList()->GetCount() + 10 * s1->get_theCBMJointList()->GetCount(), 21);
  EXPECT_EQ(ConnectionCount(JointNamed(s1, "1"), b) * 10 + ConnectionCount(JointNamed(s1, "2"), b), 11);
}

TEST_F(GeometryManagerTest, PropertiesAndLevelsAreAppendedAndFoundFirstByUpperCaseName) {
  g_->AddMaterial("steel", 7.8, 77.0, "steel", 2e8, 0.3, 1.2e-5);
  CBMFrameSection* s = g_->AddFrameSection("w12", "i/wide flange", "Steel");
  EXPECT_EQ(s->name() + " " + s->get_Shape() + " " + s->get_pMaterial()->name(), "W12 I/WIDE FLANGE STEEL");
  EXPECT_EQ(g_->AddFrameSection("X", "BOX/TUBE", "NOMAT")->get_pMaterial(), nullptr);
  EXPECT_NE(g_->AddFrameSection("W12", "CIRCLE", ""), s);
  EXPECT_EQ(g_->AddBeam("B1", 0, 0, 1, 0, "STORY1", "W12")->get_pFrameSection(), s);
  // Adding the beam again with an unknown section clears its section.
  EXPECT_EQ(g_->AddBeam("B1", 0, 0, 1, 0, "STORY1", "NONE")->get_pFrameSection(), nullptr);
  CBMWallSlabDeckSection* w = g_->AddWallSection("wall200", "steel", 0.2);
  EXPECT_EQ(w->name() + " " + w->get_pMaterial()->name(), "WALL200 STEEL");
  EXPECT_EQ(g_->AddSlabSection("SLAB", "NONE", 0.15)->get_pMaterial(), nullptr);
  EXPECT_NE(g_->AddWallSection("WALL200", "", 0.3), w);
  EXPECT_EQ(g_->AddWall("W1", 0, 0, 1, 0, "STORY1", "WALL200")->get_pShellSection(), w);
  CBMLevel* again = g_->AddLevel("story1", 5.0, 9.0);
  EXPECT_EQ(again->name() + " " + std::to_string(again->get_Id()), "STORY1 4");
  EXPECT_NE(level("STORY1"), again);
}

TEST_F(GeometryManagerTest, MaterialStrengthsFollowTheUpperCasedDesignType) {
  const struct {
    const char* type;
    double fy, fu, fc, fys, price;
  } cases[] = {{"steel", 248211.3, 399896.0, 0, 0, 1.0},
               {"CONCRETE", 413685.5, 0, 27579.0, 413685.5, 0},
               {"OTHER", 0, 0, 0, 0, 0},
               {"", 0, 0, 0, 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    CBMMaterial* m = g_->AddMaterial("mat", 1.0, 2.0, c.type, 3.0, 0.25, 1e-5);
    CString upper = c.type;
    upper.MakeUpper();
    EXPECT_EQ(m->name() + " " + m->get_DesignType(), "MAT " + upper);
    const double got[5] = {m->get_FY(), m->get_FU(), m->get_FC(), m->get_FYS(), m->get_Price()};
    const double want[5] = {c.fy, c.fu, c.fc, c.fys, c.price};
    for (int k = 0; k < 5; ++k) EXPECT_DOUBLE_EQ(got[k], want[k]) << k;
  }
  EXPECT_EQ(g_->get_pMaterialList()->GetCount(), 4);  // no duplicate check
}

TEST_F(GeometryManagerTest, BracesReuseOnlyANonBraceLineFromTheirFirstPointWithTheirSpan) {
  MessageCapture capture;
  CBMBrace* inversed = g_->AddBrace("BR0", 0, 0, 4, 0, "STORY1", "STORY2", "");
  EXPECT_EQ(inversed->GetPassStoryNum(), -1);
  EXPECT_EQ(g_->AddBrace("BRU", 0, 0, 4, 4, "STORY2", "BASE", "")->GetPassStoryNum(), 2);
  EXPECT_EQ(capture.messages(), std::vector<std::string>{"Inversed level when adding brace!"});
  EXPECT_EQ(level("STORY2")->get_theCBMJointList()->GetCount(), 0);  // braces make no joints
  CBMLine* beamLine = g_->AddBeam("B1", 10, 0, 16, 0, "STORY1", "")->get_pLine();
  CBMBrace* same = g_->AddBrace("BR1", 10, 0, 16, 0, "STORY1", "STORY1", "");  // span 0
  EXPECT_EQ(same->get_pLine(), beamLine);
  EXPECT_EQ(same->name(), "B1");  // named like the line it stands on
  EXPECT_NE(g_->AddBrace("BR2", 16, 0, 10, 0, "STORY1", "STORY1", "")->get_pLine(), beamLine);
  CBMBrace* span1 = g_->AddBrace("BR3", 10, 0, 16, 0, "STORY1", "BASE", "");
  EXPECT_NE(span1->get_pLine(), beamLine);
  // Again: a brace line is never reused, the brace is found by name.
  const int before = g_->get_pLineList()->GetCount();
  EXPECT_EQ(g_->AddBrace("BR3", 10, 0, 16, 0, "STORY1", "BASE", ""), span1);
  EXPECT_EQ(span1->get_pLine(), g_->get_pLineList()->GetItem(before + 1));
}

TEST_F(GeometryManagerTest, AreasAreFoundByCornersInOrderNotByName) {
  CBMWall* w = g_->AddWall("w1", 0, 0, 5, 0, "STORY1", "");
  EXPECT_EQ(w->get_pArea()->name(), "W1");
  EXPECT_EQ(ConnectionCount(JointNamed(level("STORY1"), "2"), w), 1);
  EXPECT_EQ(g_->AddWall("W1", 0, 0, 5, 0, "STORY2", "")->get_pArea(), w->get_pArea());
  EXPECT_NE(g_->AddWall("W2", 5, 0, 0, 0, "STORY1", "")->get_pArea(), w->get_pArea());  // reversed
  // One name on other corners: an area of its own, the first keeps its own.
  CBMWall* other = g_->AddWall("W1", 0, 10, 4, 10, "STORY2", "");
  EXPECT_DOUBLE_EQ(other->get_pArea()->GetPoint(2)->get_X(), 4.0);
  double x[3] = {0, 6, 0}, y[3] = {0, 0, 10}, x2[3] = {6, 0, 0}, y2[3] = {0, 10, 0};
  g_->AddSlabSection("s100", "", 0.1);
  CBMSlab* slab = g_->AddSlab("w1", 3, x, y, "story1", "S100");
  EXPECT_EQ(slab->name() + " " + slab->get_pArea()->GetAreaType() + " " + w->get_pArea()->GetAreaType(),
            "W1 FLOOR PANEL");
  EXPECT_EQ(w->get_pArea()->GetCount(), 4);
  for (int i = 1; i <= 3; ++i) {
    CBMJoint* j = JointNamed(level("STORY1"), slab->get_pArea()->GetPoint(i)->name().c_str());
    EXPECT_EQ(ConnectionCount(j, slab), 1) << i;
  }
  EXPECT_NE(g_->AddSlab("S2", 3, x2, y2, "STORY1", "")->get_pArea(), slab->get_pArea());  // other start
  EXPECT_EQ(g_->AddSlab("S9", 3, x, y, "STORY1", ""), slab);                              // the same polygon
  EXPECT_EQ(slab->get_pShellSection(), nullptr);  // re-linked to the missing section
  EXPECT_EQ(Counts(), "5 0 5");
}

TEST_F(GeometryManagerTest, SlabWithoutVerticesAndUnknownLevelsMakeNothing) {
  double x[3] = {0, 1, 0}, y[3] = {0, 0, 1};
  CString nowhere = "NOWHERE";
  EXPECT_FALSE(g_->AddSlab("S1", 0, x, y, "STORY1", "") || g_->AddSlab("S1", -2, x, y, "STORY1", "") ||
               g_->AddSlab("S1", 1, nullptr, y, "STORY1", "") ||
               g_->AddSlab("S1", 1, x, nullptr, "STORY1", "") || g_->AddColumn("C1", 0, 0, "NOWHERE", "") ||
               g_->AddBeam("B1", 0, 0, 1, 0, "NOWHERE", "") ||
               g_->AddBrace("BR", 0, 0, 1, 0, "NOWHERE", "BASE", "") ||
               g_->AddBrace("BR", 0, 0, 1, 0, "STORY1", "NOWHERE", "") ||
               g_->AddWall("W1", 0, 0, 1, 0, "NOWHERE", "") || g_->AddSlab("S1", 3, x, y, "NOWHERE", "") ||
               g_->AddJointRestrain(nowhere, 0, 0, 1, 1, 1, 1, 1, 1));
  EXPECT_EQ(level("STORY1")->get_theCBMSlabList()->GetCount(), 0);
  g_->AssignJointDiaphragm("NOWHERE", 0, 0, "D1");
  EXPECT_EQ(Counts(), "0 0 0");
  EXPECT_EQ(g_->get_pDiaphragmList()->GetCount(), 0);
}

TEST_F(GeometryManagerTest, JointRestraintNeedsAPointAndKeepsAnExistingRestraint) {
  CString s1 = "STORY1", lower = "story1";
  EXPECT_EQ(g_->AddJointRestrain(s1, 0, 0, 1, 1, 1, 0, 0, 0), nullptr);  // no point
  EXPECT_EQ(level("STORY1")->get_theCBMJointList()->GetCount(), 0);
  g_->AddColumn("C1", 0, 0, "STORY2", "");
  CBMJoint* j = g_->AddJointRestrain(s1, 0.00001, 0, 1, 0, 1, 0, 1, 0);
  ASSERT_NE(j, nullptr);
  EXPECT_EQ(j->name(), "C1");
  EXPECT_EQ(j->get_pPoint(), points()->GetItem(1));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(j->get_pRestraint()->get_bU(i), i % 2 == 0 ? 1 : 0) << i;
  CBMJointRestraint* before = j->get_pRestraint();
  EXPECT_EQ(g_->AddJointRestrain(s1, 0, 0, 0, 0, 0, 0, 0, 0), j);
  EXPECT_TRUE(j->get_pRestraint() == before && before->get_bU(0) == 1);     // kept as it was
  EXPECT_EQ(g_->AddJointRestrain(lower, 0, 0, 1, 1, 1, 1, 1, 1), nullptr);  // not upper-cased
}

TEST(DetachedManagerTest, ManagersWithoutAModelDoNothing) {
  CBMMgrGeometry g;
  CBMMgrLoad l;
  double x[3] = {0, 1, 0}, y[3] = {0, 0, 1};
  CString level = "L1";
  EXPECT_FALSE(g.AddLevel("L1", 3, 0) || g.AddColumn("C1", 0, 0, "L1", "") ||
               g.AddBeam("B1", 0, 0, 1, 0, "L1", "") || g.AddBrace("BR1", 0, 0, 1, 0, "L1", "L1", "") ||
               g.AddWall("W1", 0, 0, 1, 0, "L1", "") || g.AddSlab("S1", 3, x, y, "L1", "") ||
               g.AddMaterial("M", 1, 1, "STEEL", 1, 0.3, 0) || g.AddFrameSection("F", "BOX", "M") ||
               g.AddWallSection("W", "M", 0.2) || g.AddSlabSection("S", "M", 0.2) ||
               g.AddJointRestrain(level, 0, 0, 1, 1, 1, 1, 1, 1) || l.AddLoadCase("DEAD", "DEAD", 1));
  g.ProcessGeometry();
  EXPECT_EQ(g.ReassignPierBySectionName() + g.ReassignPierRestoreOldName(), 2);
  g.AssignJointDiaphragm("L1", 0, 0, "D1");
  l.AssignJointLoad("L1", 0, 0, "DEAD", 1, 1, 1, 1, 1, 1);
  l.AssignBeamLoad("L1", "H", "UNIFF", "GRAV", "DEAD", 0, 1, 1, 1);
  l.AssignWallLoad("L1", "H", "UNIFF", "GRAV", "DEAD", 0, 1, 1, 1);
  l.AssignSlabLoad("L1", "H", "UNIFF", "GRAV", "DEAD", 1);
  l.ProcessLoading();
  l.AddVirtualLoadForOptimization("V", "v", "L1", 0, 0, 1, 0);
  l.DeleteAllVirtualLoad();
}

TEST(TestBuildingTest, ConnectionListsAndBaseJoints) {
  auto m = BuildTestBuilding();
  for (const char* lv : {"STORY1", "STORY2", "STORY3"}) {  // (each joint's point is in the golden)
    CBMLevel* s = LevelNamed(*m, lv);
    std::string c2;  // members in order with their object types (1 wall, 2 beam, 3 column, 5 slab)
    for (CBMComponent& c : JointNamed(s, "C2")->get_theConnectList().Members<CBMComponent>())
      c2 += c.name().str() + ":" + std::to_string(c.get_ObjectType()) + " ";
    EXPECT_EQ(c2, "C2:3 B1:2 B2:2 B16:2 W1:1 S1:5 S2:5 ") << lv;
    EXPECT_EQ(JointNamed(s, "C6")->get_theConnectList().GetCount(), 9) << lv;   // C6, 4 beams, 4 slabs
    EXPECT_EQ(JointNamed(s, "C16")->get_theConnectList().GetCount(), 4) << lv;  // braces connect nothing
  }
  CBMJointList* base = LevelNamed(*m, "BASE")->get_theCBMJointList();
  ASSERT_EQ(base->GetCount(), 16);
  for (CBMJoint& j : base->Members<CBMJoint>()) EXPECT_EQ(j.get_theConnectList().GetCount(), 0);
  EXPECT_EQ(JointNamed(LevelNamed(*m, "STORY1"), "C1")->get_pRestraint(), nullptr);
}

TEST(GeometryProcessing, ElevationsFollowHeightsAndModelsWithoutBaseOrSecondLevelAreProcessed) {
  CBuildingModule levels;
  CBMMgrGeometry* lg = levels.get_pMgrGeometry();
  lg->AddLevel("BASE", 0.0, -2.0);
  lg->AddLevel("L1", 3.0, 99.0);  // given elevations above the base are replaced
  lg->AddLevel("L2", 3.0, -5.0);
  lg->AddLevel("L3", 4.0, 0.0);
  lg->ProcessGeometry();
  const double expected[4] = {-2.0, 1.0, 4.0, 8.0};
  for (int i = 1; i <= 4; ++i)
    EXPECT_DOUBLE_EQ(lg->get_pLevelList()->ItemAs<CBMLevel>(i)->get_EleHeight(), expected[i - 1]) << i;
  CBuildingModule empty, one, m;
  empty.get_pMgrGeometry()->ProcessGeometry();
  EXPECT_EQ(empty.get_pMgrGeometry()->get_pLevelList()->GetCount(), 0);
  one.get_pMgrGeometry()->AddLevel("BASE", 2.0, 1.5);  // one level only: elevation kept, no supports
  one.get_pMgrGeometry()->AddColumn("C1", 0, 0, "BASE", "");
  one.get_pMgrGeometry()->ProcessGeometry();
  EXPECT_DOUBLE_EQ(LevelNamed(one, "BASE")->get_EleHeight(), 1.5);
  EXPECT_EQ(JointNamed(LevelNamed(one, "BASE"), "C1")->get_pRestraint(), nullptr);
  CBuildingModule two;  // BASE and one storey: the storey's columns stand on fixed base joints
  two.get_pMgrGeometry()->AddLevel("BASE", 0.0, 0.0);
  two.get_pMgrGeometry()->AddLevel("L1", 3.0, 0.0);
  two.get_pMgrGeometry()->AddColumn("C1", 0, 0, "L1", "");
  two.get_pMgrGeometry()->ProcessGeometry();
  CBMJoint* fixed = JointNamed(LevelNamed(two, "BASE"), "C1");
  EXPECT_TRUE(fixed && fixed->get_pRestraint() && fixed->get_pRestraint()->get_bU(5) == 1);
  CBMMgrGeometry* g = m.get_pMgrGeometry();  // no level named BASE: only the support pass is skipped
  g->AddLevel("GROUND", 0.0, 0.0);
  g->AddLevel("L1", 3.0, 0.0);
  CBMColumn* c = g->AddColumn("C1", 0, 0, "L1", "");
  CBMWall* w = g->AddWall("W1", 0, 0, 5, 0, "L1", "");
  g->ProcessGeometry();
  EXPECT_EQ(LevelNamed(m, "GROUND")->get_theCBMJointList()->GetCount(), 0);
  EXPECT_DOUBLE_EQ(c->get_MaxSpc(), 1.5);
  EXPECT_EQ(w->get_PierName(), "PW1");
}

TEST_F(GeometryManagerTest, WallsOfOneNameSharePierAndTheRelabellingPassesChain) {
  g_->AddWallSection("WA", "", 0.2);
  g_->AddWallSection("WB", "", 0.3);
  CBMWall* walls[4] = {
      g_->AddWall("W1", 0, 0, 5, 0, "STORY1", "WA"), g_->AddWall("W1", 0, 0, 5, 0, "STORY2", "WA"),
      g_->AddWall("W2", 5, 0, 5, 5, "STORY1", "WB"), g_->AddWall("W3", 5, 5, 0, 5, "STORY1", "")};
  auto piers = [&] {  // pier / old pier name of each wall
    std::string out;
    for (CBMWall* w : walls) out += w->get_PierName().str() + "/" + w->GetOldPierName().str() + " ";
    return out;
  };
  g_->ProcessGeometry();
  EXPECT_EQ(piers(), "PW1/ PW1/ PW2/ PW3/ ");
  EXPECT_TRUE(walls[0]->get_pPierSpandrel() == walls[1]->get_pPierSpandrel() &&
              walls[0]->get_pPierSpandrel()->IsSpandrel() == 0);
  g_->ProcessGeometry();  // keeps the piers, saves the first run's names
  EXPECT_EQ(piers(), "PW1/PW1 PW1/PW1 PW2/PW2 PW3/PW3 ");
  EXPECT_EQ(g_->get_pPierSpandrelList()->GetCount(), 3);
  EXPECT_EQ(g_->ReassignPierBySectionName(), 1);
  EXPECT_EQ(piers(), "WA/PW1 WA/PW1 WB/PW2 PW3/PW3 ");  // no section: keeps its pier
  EXPECT_EQ(walls[0]->get_pPierSpandrel(), walls[1]->get_pPierSpandrel());
  EXPECT_EQ(g_->ReassignPierRestoreOldName(), 1);
  EXPECT_EQ(piers(), "PW1/PW1 PW1/PW1 PW2/PW2 PW3/PW3 ");  // restoring does not save
  CBMWall* fresh = g_->AddWall("W9", 20, 0, 25, 0, "STORY1", "");
  g_->ReassignPierRestoreOldName();  // without an old name: the pier of the empty name
  ASSERT_NE(fresh->get_pPierSpandrel(), nullptr);
  EXPECT_EQ(fresh->get_PierName(), "");
}

TEST(GeometryProcessing, StationSpacingAndReductionFactorsAboveTheBase) {
  const struct {
    int stations;
    double reduction;
    bool spacingSet, factorSet;
  } cases[] = {{5, 0.0, true, false},
               {5, 0.001, true, false},
               {5, -0.0011, true, true},
               {5, 0.0011, true, true},
               {0, 0.5, false, true},
               {-3, 0.0, false, false},
               {5, std::numeric_limits<double>::quiet_NaN(), true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.stations << " " << c.reduction);
    auto m = ModuleWithLevels({3.0});
    CBMMgrGeometry* g = m->get_pMgrGeometry();
    g->get_pCBMAnalysisOption()->set_iStationNumber(c.stations);
    g->get_pCBMAnalysisOption()->set_dJointStiffnessReduction(c.reduction);
    CBMLineElement* elements[4] = {
        g->AddBeam("B1", 0, 0, 6, 0, "STORY1", ""), g->AddColumn("C1", 0, 0, "STORY1", ""),
        g->AddBrace("BR1", 0, 0, 6, 8, "STORY1", "BASE", ""), g->AddBeam("B1", 0, 0, 6, 0, "BASE", "")};
    g->ProcessGeometry();
    const double spacing[4] = {1.2, 1.5, 0.6, 24.0};  // a brace: height / n, not length / n; the base: none
    for (int k = 0; k < 4; ++k) {
      const bool above = k < 3;
      EXPECT_DOUBLE_EQ(elements[k]->get_MaxSpc(), c.spacingSet ? spacing[k] : 24.0) << k;
      EXPECT_EQ(elements[k]->get_HasZoneReductionFactor(), above && c.factorSet ? 1 : 0) << k;
      EXPECT_TRUE(!(above && c.factorSet) || elements[k]->get_dZoneReductionFactor() == c.reduction) << k;
    }
  }
}

TEST_F(GeometryManagerTest, FirstStoreyColumnsWallsAndRisingBracesAreFixedAtTheBase) {
  g_->AddColumn("C1", 0, 0, "STORY1", "");
  g_->AddWall("W1", 10, 0, 15, 0, "STORY1", "");
  g_->AddBrace("FLAT", 20, 0, 25, 0, "STORY1", "STORY1", "");  // span 0: no support
  g_->AddBrace("RISE", 30, 0, 35, 0, "STORY1", "BASE", "");    // span 1: first point
  g_->AddColumn("UP", 40, 0, "STORY2", "");                    // higher storey: none
  CString base = "BASE";
  g_->AddJointRestrain(base, 0, 0, 1, 1, 1, 0, 0, 0);  // an existing support keeps its flags
  for (int run = 1; run <= 2; ++run) {                 // a second run adds nothing
    g_->ProcessGeometry();
    std::string restraints;  // name and six flags of each base joint
    for (CBMJoint& j : level("BASE")->get_theCBMJointList()->Members<CBMJoint>()) {
      restraints += j.name().str() + ":";
      for (int k = 0; k < 6; ++k) restraints += std::to_string(j.get_pRestraint()->get_bU(k));
      restraints += " ";
    }
    EXPECT_EQ(restraints, "C1:111000 2:111111 3:111111 6:111111 ") << run;  // column, wall ends, RISE's foot
  }
}

TEST_F(GeometryManagerTest, AssignJointDiaphragmNeedsTheJointAndAccumulatesCentres) {
  g_->AddBeam("B1", 0, 0, 8, 2, "STORY1", "");
  g_->AssignJointDiaphragm("STORY2", 0, 0, "D1");    // a point but no joint on STORY2
  g_->AssignJointDiaphragm("STORY1", 50, 50, "D1");  // no point there
  EXPECT_EQ(g_->get_pDiaphragmList()->GetCount() + level("STORY2")->get_theCBMJointList()->GetCount(), 0);
  CBMLevel* s1 = level("STORY1");
  CBMJoint* j1 = JointNamed(s1, "1");
  j1->set_pPoint(nullptr);  // as read from a file: named after its point
  g_->AssignJointDiaphragm("story1", 0, 0, "d1");
  g_->AssignJointDiaphragm("STORY1", 8, 2, "D1");
  ASSERT_EQ(s1->get_theCBMLevelDiaphragmList()->GetCount(), 1);
  auto* ld = s1->get_theCBMLevelDiaphragmList()->ItemAs<CBMLevelDiaphragm>(1);
  auto* d = g_->get_pDiaphragmList()->ItemAs<CBMDiaphragm>(1);
  EXPECT_EQ(ld->name() + " " + j1->get_DiaphragmName(), "D1 D1");
  EXPECT_TRUE(j1->get_pPoint() == g_->get_pPointList()->GetItem(1) && j1->get_pDiaphragm() == ld);
  EXPECT_EQ(ld->GetJointAmount() * 10 + d->GetAssociatedPointAcount(), 22);
  EXPECT_DOUBLE_EQ(ld->Get_CX(), 4.0);
  EXPECT_DOUBLE_EQ(ld->Get_CY(), 1.0);
  EXPECT_DOUBLE_EQ(d->Get_CX(), 4.0);
  g_->AssignJointDiaphragm("STORY1", 0, 0, "D1");  // no duplicate check: counted again
  EXPECT_EQ(ld->GetJointAmount() * 10 + d->GetAssociatedPointAcount(), 33);
  EXPECT_DOUBLE_EQ(d->Get_CX(), 8.0 / 3.0);
}

// End reactions of the linear q(x) over [a, b] on a span L by Simpson's rule (exact here).
EndReactions Integrate(double w1, double w2, double a, double b, double L) {
  const double h = (b - a) / 6.0, mid = (a + b) / 2.0, wMid = (w1 + w2) / 2.0;
  EndReactions r;
  r.f2 = h * (w1 * a + 4.0 * wMid * mid + w2 * b) / L;
  r.f1 = h * (w1 + 4.0 * wMid + w2) - r.f2;
  return r;
}

class LoadManagerTest : public GeometryManagerTest {
 protected:
  // A wall of `length` along X on STORY1 with handle "WH".
  CBMWall* Wall(double length) {
    CBMWall* w = g_->AddWall("W1", 0, 0, length, 0, "STORY1", "");
    w->set_MapHandle("WH");
    return w;
  }
  CBMJoint* J(const char* name) { return JointNamed(level("STORY1"), name); }
  // FY of the first joint load of case `lc` at `joint`; NaN when there is none.
  double FY(const char* joint, const char* lc) {
    for (CBMJointLoad& load : J(joint)->get_JointLoadList()->Members<CBMJointLoad>())
      if (load.get_Lc() == lc) return load.get_FY();
    return std::nan("");
  }
};

// The edges (the usual figures: the test building's golden): lower case, end first, no extent.
TEST_F(LoadManagerTest, WallLoadFiguresOfTheSimplySupportedSpan) {
  const struct {
    double length;
    const char* type;
    double rs, vs, re, ve, f1, f2;
  } cases[] = {
      {4.0, "uniff", 0.5, 10.0, 0.7, 99.0, 20.0, 20.0},  // whole span, VStart only
      {6.0, "TRAPF", 0.75, 8.0, 0.25, 4.0, 8.5, 9.5},    // 4 at 1.5 rising to 8 at 4.5
      {6.0, "TRAPF", 0.75, 10.0, 0.25, 10.0, 15.0, 15.0},
      {5.0, "TRAPF", 0.4, 3.0, 0.4, 9.0, 0.0, 0.0},  // no force, not NaN
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.type << " " << c.rs << ".." << c.re);
    SetUp();
    Wall(c.length);
    l_->AssignWallLoad("story1", "wh", c.type, "GRAV", "dead", c.rs, c.vs, c.re, c.ve);
    l_->ProcessLoading();
    EXPECT_NEAR(FY("1", "DEAD"), c.f1, 1e-12);
    EXPECT_NEAR(FY("2", "DEAD"), c.f2, 1e-12);
  }
}

TEST_F(LoadManagerTest, TrapezoidsOverPartOfTheSpanMatchNumericalIntegration) {
  const double stretches[][2] = {{0.0, 1.0}, {0.1, 0.6}, {0.3, 0.95}, {0.5, 0.5001}};
  const double intensities[][2] = {{2.0, 9.0}, {9.0, 2.0}, {-4.0, 1.0}, {5.0, -5.0}, {3.0, 3.0}, {0.0, -7.0}};
  for (double L : {3.0, 7.5}) {
    for (const auto& s : stretches) {
      for (const auto& w : intensities) {
        SCOPED_TRACE(testing::Message() << L << " [" << s[0] << "," << s[1] << "] " << w[0] << "->" << w[1]);
        const EndReactions expected = Integrate(w[0], w[1], s[0] * L, s[1] * L, L);
        const EndReactions closed = TrapezoidReactions(w[0], w[1], s[0] * L, s[1] * L, L);
        EXPECT_NEAR(closed.f1, expected.f1, 1e-9);
        EXPECT_NEAR(closed.f2, expected.f2, 1e-9);
      }
    }
  }
  for (const EndReactions& r : {UniformReactions(5, 0, 0, 0), RisingTriangleReactions(5, 1, 1, 4),
                                FallingTriangleReactions(5, 2, 2, 4), TrapezoidReactions(1, 9, 0, 0, 0),
                                TrapezoidReactions(9, 1, 3, 3, 6)}) {
    EXPECT_EQ(r.f1, 0.0);
    EXPECT_EQ(r.f2, 0.0);
  }
}

TEST_F(LoadManagerTest, WallLoadsWithoutJointsAreReportedAndOneCaseAccumulates) {
  Wall(4.0);
  l_->AssignWallLoad("STORY1", "WH", "UNIFF", "GRAV", "DEAD", 0, 10, 1, 10);
  CBMJointList* joints = level("STORY1")->get_theCBMJointList();
  joints->DeleteItem("1");
  l_->ProcessLoading();
  EXPECT_EQ(l_->GetLoadingReport().wallLoadsWithoutJoints, 0);
  EXPECT_EQ(l_->GetLoadingReport().wallLoadsWithOneJoint, 1);
  EXPECT_DOUBLE_EQ(FY("2", "DEAD"), 20.0);
  joints->DeleteItem("2");
  l_->ProcessLoading();  // the report is of this run only
  EXPECT_EQ(l_->GetLoadingReport().wallLoadsWithoutJoints, 1);
  EXPECT_EQ(l_->GetLoadingReport().wallLoadsWithOneJoint, 0);
  SetUp();  // a wall without its area's points has no ends to load
  Wall(4.0)->set_pArea(nullptr);
  l_->AssignWallLoad("STORY1", "WH", "UNIFF", "GRAV", "DEAD", 0, 10, 1, 10);
  l_->ProcessLoading();
  EXPECT_EQ(l_->GetLoadingReport().wallLoadsWithoutJoints, 1);
  EXPECT_EQ(J("1")->get_JointLoadList()->GetCount(), 0);
  SetUp();  // loads of one case accumulate, other types are passed over
  Wall(4.0);
  l_->AssignWallLoad("STORY1", "WH", "UNIFF", "GRAV", "DEAD", 0, 10, 1, 10);
  l_->AssignWallLoad("STORY1", "WH", "POINTF", "X", "DEAD", 0.25, 10, 0, 0);  // direction ignored
  l_->AssignWallLoad("STORY1", "WH", "UNIFF", "GRAV", "LIVE", 0, 1, 1, 1);
  l_->AssignWallLoad("STORY1", "WH", "UNIFM", "GRAV", "DEAD", 0, 100, 1, 100);  // unknown type
  l_->ProcessLoading();
  ASSERT_EQ(J("1")->get_JointLoadList()->GetCount(), 2);
  EXPECT_DOUBLE_EQ(FY("1", "DEAD"), 27.5);
  EXPECT_DOUBLE_EQ(FY("2", "DEAD"), 22.5);
  EXPECT_DOUBLE_EQ(FY("1", "LIVE"), 2.0);
  // The line loads stay; a second run adds the forces again.
  EXPECT_EQ(level("STORY1")->get_theCBMWallList()->ItemAs<CBMWall>(1)->GetLineLoadCount(), 4);
  l_->ProcessLoading();
  EXPECT_DOUBLE_EQ(FY("1", "DEAD"), 55.0);
}

TEST_F(LoadManagerTest, BeamAndSlabLoadsByUpperCaseHandleAndJointLoadsByPosition) {
  CBMBeam* b = g_->AddBeam("B1", 0, 0, 6, 0, "STORY1", "");
  b->set_MapHandle("BEAM-1");
  CBMBeam* mixed = g_->AddBeam("B2", 0, 0, 0, 6, "STORY1", "");
  mixed->set_MapHandle("Beam-2");  // stored as given: never found
  double x[3] = {0, 6, 0}, y[3] = {0, 0, 6};
  CBMSlab* s = g_->AddSlab("S1", 3, x, y, "STORY1", "");
  s->set_MapHandle("SLAB-1");
  l_->AssignBeamLoad("story1", "beam-1", "uniff", "grav", "dead", 0, 5, 1, 7);
  l_->AssignBeamLoad("STORY1", "beam-1", "POINTF", "GRAV", "LIVE", 0.3, 12, 0, 0);
  l_->AssignBeamLoad("STORY1", "Beam-2", "UNIFF", "GRAV", "DEAD", 0, 5, 1, 5);
  l_->AssignBeamLoad("STORY2", "BEAM-1", "UNIFF", "GRAV", "DEAD", 0, 5, 1, 5);  // other level
  l_->AssignSlabLoad("story1", "slab-1", "uniff", "grav", "live", 2.5);
  ASSERT_EQ(b->Get_LineLoadList()->GetCount(), 2);
  auto* u = b->Get_LineLoadList()->ItemAs<CBMLineLoad>(1);
  EXPECT_EQ(u->get_Lc() + u->get_sType() + u->get_sDir(), "DEADUNIFFGRAV");
  EXPECT_DOUBLE_EQ(u->get_VEnd(), 7);
  EXPECT_EQ(mixed->Get_LineLoadList()->GetCount(), 0);
  ASSERT_EQ(s->get_SlabLoadList()->GetCount(), 1);
  auto* a = s->get_SlabLoadList()->ItemAs<CBMAreaLoad>(1);
  EXPECT_EQ(a->get_Lc() + a->get_sType() + a->get_sDir(), "LIVEUNIFFGRAV");
  EXPECT_DOUBLE_EQ(a->get_Value(), 2.5);
  SetUp();  // joint loads are added per call at the joint of the position
  g_->AddColumn("C1", 2, 2, "STORY1", "");
  g_->AddColumn("C2", 9, 9, "STORY2", "");
  l_->AssignJointLoad("story1", 2.00001, 2, "wind", 1, 2, 3, 4, 5, 6);
  l_->AssignJointLoad("STORY1", 2, 2, "WIND", 1, 0, 0, 0, 0, 0);
  l_->AssignJointLoad("STORY1", 9, 9, "WIND", 1, 0, 0, 0, 0, 0);  // no joint there
  l_->AssignJointLoad("STORY1", 5, 5, "WIND", 1, 0, 0, 0, 0, 0);  // no point there
  l_->AssignJointLoad("NOWHERE", 2, 2, "WIND", 1, 0, 0, 0, 0, 0);
  ASSERT_EQ(J("C1")->get_JointLoadList()->GetCount(), 2);
  auto* first = J("C1")->get_JointLoadList()->ItemAs<CBMJointLoad>(1);
  EXPECT_EQ(first->get_Lc(), "WIND");
  const double got[6] = {first->get_FX(), first->get_FY(), first->get_FZ(),
                         first->get_MX(), first->get_MY(), first->get_MZ()};
  for (int i = 0; i < 6; ++i) EXPECT_DOUBLE_EQ(got[i], i + 1.0) << i;
  EXPECT_EQ(level("STORY1")->get_theCBMJointList()->GetCount(), 1);
}

TEST_F(LoadManagerTest, LoadCasesKeepTheirTypeAndVirtualCasesComeAndGo) {
  auto cases = [&] {  // id name type self-weight, virtual name, wind items (level/diaphragm Fx Fy @ x y)
    std::ostringstream out;
    for (CBMLoadCase& c : l_->GetLoadCaseList()->Members<CBMLoadCase>()) {
      out << c.get_Id() << " " << c.name().str() << " " << c.get_sType().str() << " " << c.get_fSelfW() << " "
          << (c.IsVirtualLoad() ? c.GetVirtualLoadCaseName().str() : "-");
      for (CBMLoadWind& w : c.GetWindList()->Members<CBMLoadWind>())
        out << " " << w.get_sLevel().str() << "/" << w.get_sDiaph().str() << " " << w.get_Fx() << " "
            << w.get_Fy() << " @ " << w.get_XLoc() << " " << w.get_YLoc();
      out << "\n";
    }
    return out.str();
  };
  CBMLoadCase* dead = l_->AddLoadCase("dead", "Dead", 1.0);
  EXPECT_NE(l_->AddLoadCase("DEAD", "DEAD", 0.0), dead);  // no duplicate check
  // A level without diaphragms: the case is still added, without wind item.
  l_->AddVirtualLoadForOptimization("v1", "first", "STORY1", 0, 0, 5, 6);
  // With two diaphragms on STORY2, the nearest one takes the item.
  g_->AddBeam("B1", 0, 0, 10, 0, "STORY2", "");
  g_->AssignJointDiaphragm("STORY2", 0, 0, "DA");
  g_->AssignJointDiaphragm("STORY2", 10, 0, "DB");
  l_->AddVirtualLoadForOptimization("v2", "second", "STORY2", 7, 0, 50, -5);
  l_->AddLoadCase("LIVE", "LIVE", 0.0);
  l_->AddVirtualLoadForOptimization("v3", "third", "story2", 1, 0, 1, 1);  // level as given: not found
  EXPECT_EQ(cases(), R"(1 DEAD Dead 1 -
2 DEAD DEAD 0 -
3 V1 WIND 0 first
4 V2 WIND 0 second STORY2/DB 50 -5 @ 7 0
5 LIVE LIVE 0 -
6 V3 WIND 0 third
)");
  l_->DeleteAllVirtualLoad();  // adjacent virtual cases (v1, v2) and the last one (v3) all go
  EXPECT_EQ(cases(), "1 DEAD Dead 1 -\n2 DEAD DEAD 0 -\n3 LIVE LIVE 0 -\n");
  l_->DeleteAllVirtualLoad();
  EXPECT_EQ(l_->GetLoadCaseList()->GetCount(), 3);
}

}  // namespace
}  // namespace bm::test
