// Adding objects through the geometry manager: point merging, reuse of lines,
// areas and elements, upper-casing, braces, sections and supports.
#include <gtest/gtest.h>

#include "managers/ManagerTestUtil.h"
#include "model/geometry/BMJoint.h"
#include "model/geometry/BMLineElement.h"
#include "model/geometry/BMShellElement.h"
#include "properties/BMFrameSection.h"
#include "properties/BMMaterial.h"
#include "properties/BMWallSlabDeckSection.h"
#include "support/MessageCapture.h"

namespace bm::test {
namespace {

class GeometryManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = ModuleWithLevels({3.0, 3.0});
    g_ = module_->get_pMgrGeometry();
  }
  CBMPointList* points() { return g_->get_pPointList(); }
  CBMLineList* lines() { return g_->get_pLineList(); }
  CBMAreaList* areas() { return g_->get_pAreaList(); }
  CBMLevel* level(const char* name) { return LevelNamed(*module_, name); }

  std::unique_ptr<CBuildingModule> module_;
  CBMMgrGeometry* g_ = nullptr;
};

TEST_F(GeometryManagerTest, ColumnsCloserThanTheToleranceShareOnePoint) {
  g_->AddColumn("C1", 0.0, 1.0, "STORY1", "");
  g_->AddColumn("C2", 0.00005, 1.0, "STORY1", "");
  EXPECT_EQ(points()->GetCount(), 1);
  // Same point, same line: the second column is the first one again.
  EXPECT_EQ(level("STORY1")->get_theCBMColumnList()->GetCount(), 1);

  g_->AddColumn("C3", 0.0001, 1.0, "STORY1", "");  // exactly the tolerance: apart
  ASSERT_EQ(points()->GetCount(), 2);
  EXPECT_EQ(points()->GetItem(2)->name(), "C3");
}

TEST_F(GeometryManagerTest, ColumnMakesNamedPointColumnLineJointAndConnection) {
  CBMColumn* c = g_->AddColumn("c1", 2.0, 3.0, "story1", "col");  // all upper-cased
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->name(), "C1");
  EXPECT_EQ(c->get_pFrameSection(), nullptr);  // no section COL: still made
  CBMPoint* p = ItemAt<CBMPoint>(points(), 1);
  EXPECT_EQ(p->name(), "C1");
  EXPECT_DOUBLE_EQ(p->get_X(), 2.0);
  EXPECT_DOUBLE_EQ(p->get_Y(), 3.0);
  EXPECT_DOUBLE_EQ(p->get_Z(), 0.0);
  EXPECT_EQ(p->get_IsMidLevel(), 0);

  CBMLine* line = c->get_pLine();
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->GetType(), "COLUMN");
  EXPECT_EQ(line->GetPassStory(), 1);
  EXPECT_EQ(line->get_pP1(), p);
  EXPECT_EQ(line->get_pP2(), p);
  EXPECT_EQ(c->get_pJointI(), nullptr);  // the manager sets no end joints

  CBMJoint* j = JointNamed(level("STORY1"), "C1");
  ASSERT_NE(j, nullptr);
  EXPECT_EQ(j->get_pPoint(), p);
  EXPECT_EQ(ConnectionCount(j, c), 1);

  // The same column on the next storey reuses point and line.
  CBMColumn* upper = g_->AddColumn("C1", 2.0, 3.0, "STORY2", "");
  EXPECT_EQ(upper->get_pLine(), line);
  EXPECT_EQ(lines()->GetCount(), 1);
  EXPECT_NE(upper, c);
}

TEST_F(GeometryManagerTest, ColumnNamedLikeAnExistingPointIsAttachedToThatPoint) {
  g_->AddBeam("B1", 0.0, 0.0, 5.0, 0.0, "STORY1", "");  // points "1" and "2"
  CBMColumn* c = g_->AddColumn("2", 9.0, 9.0, "STORY1", "");
  EXPECT_EQ(points()->GetCount(), 2);
  EXPECT_DOUBLE_EQ(c->GetP1()->get_X(), 5.0);  // legacy: the point found by name
}

TEST_F(GeometryManagerTest, GeneratedPointNamesSkipNamesAlreadyTaken) {
  // Columns "1", "2" and "4": the next generated name "4" is taken, so a new
  // point must get the next free number and stand at its own position.
  g_->AddColumn("1", 0.0, 0.0, "STORY1", "");
  g_->AddColumn("2", 6.0, 0.0, "STORY1", "");
  g_->AddColumn("4", 12.0, 0.0, "STORY1", "");
  const char* names[3] = {"B1", "B2", "B3"};
  const double ends[3][4] = {{0, 5, 6, 5}, {20, 20, 30, 30}, {40, 0, 50, 0}};
  for (int i = 0; i < 3; ++i) {
    const double* e = ends[i];
    CBMBeam* b = g_->AddBeam(names[i], e[0], e[1], e[2], e[3], "STORY1", "");
    ASSERT_NE(b, nullptr);
    EXPECT_DOUBLE_EQ(b->GetP1()->get_X(), e[0]);
    EXPECT_DOUBLE_EQ(b->GetP1()->get_Y(), e[1]);
    EXPECT_DOUBLE_EQ(b->GetP2()->get_X(), e[2]);
    EXPECT_DOUBLE_EQ(b->GetP2()->get_Y(), e[3]);
  }
  EXPECT_EQ(points()->GetCount(), 9);
  EXPECT_EQ(level("STORY1")->get_theCBMBeamList()->GetCount(), 3);
}

TEST_F(GeometryManagerTest, BeamAddedTwiceInEitherDirectionReusesLineBeamAndConnections) {
  CBMBeam* b = g_->AddBeam("b1", 0.0, 0.0, 6.0, 0.0, "STORY1", "");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->name(), "B1");
  EXPECT_EQ(b->get_pLine()->GetType(), "BEAM");
  EXPECT_EQ(b->get_pLine()->GetPassStory(), 0);
  EXPECT_EQ(points()->GetItem(1)->name(), "1");
  EXPECT_EQ(points()->GetItem(2)->name(), "2");

  CBMBeam* again = g_->AddBeam("OTHER", 6.0, 0.0, 0.0, 0.0, "STORY1", "");
  EXPECT_EQ(again, b);
  EXPECT_EQ(lines()->GetCount(), 1);
  EXPECT_EQ(level("STORY1")->get_theCBMBeamList()->GetCount(), 1);
  CBMLevel* s1 = level("STORY1");
  EXPECT_EQ(s1->get_theCBMJointList()->GetCount(), 2);
  EXPECT_EQ(ConnectionCount(JointNamed(s1, "1"), b), 1);
  EXPECT_EQ(ConnectionCount(JointNamed(s1, "2"), b), 1);
}

TEST_F(GeometryManagerTest, BeamTakesSectionByUpperCaseName) {
  g_->AddMaterial("steel", 7.8, 77.0, "steel", 2e8, 0.3, 1.2e-5);
  CBMFrameSection* s = g_->AddFrameSection("w12", "i/wide flange", "Steel");
  EXPECT_EQ(s->name(), "W12");
  EXPECT_EQ(s->get_Shape(), "I/WIDE FLANGE");
  ASSERT_NE(s->get_pMaterial(), nullptr);
  EXPECT_EQ(s->get_pMaterial()->name(), "STEEL");
  EXPECT_EQ(g_->AddBeam("B1", 0, 0, 1, 0, "STORY1", "W12")->get_pFrameSection(), s);

  // A second beam call with an unknown section clears the reused beam's section.
  EXPECT_EQ(g_->AddBeam("B1", 0, 0, 1, 0, "STORY1", "NONE")->get_pFrameSection(), nullptr);
  EXPECT_EQ(g_->AddFrameSection("X", "BOX/TUBE", "NOMAT")->get_pMaterial(), nullptr);
}

TEST_F(GeometryManagerTest, InversedBraceShowsMessageOnceAndKeepsNegativeSpan) {
  MessageCapture capture;
  CBMBrace* br = g_->AddBrace("BR1", 0, 0, 4, 0, "STORY1", "STORY2", "");
  ASSERT_NE(br, nullptr);
  ASSERT_EQ(capture.count(), 1u);
  EXPECT_EQ(capture.messages()[0], "Inversed level when adding brace!");
  EXPECT_EQ(br->get_pLine()->GetType(), "BRACE");
  EXPECT_EQ(br->GetPassStoryNum(), -1);
  EXPECT_EQ(level("STORY1")->get_theCBMBraceList()->GetCount(), 1);

  capture.clear();
  CBMBrace* up = g_->AddBrace("BR2", 0, 0, 4, 4, "STORY2", "BASE", "");
  EXPECT_EQ(capture.count(), 0u);
  EXPECT_EQ(up->GetPassStoryNum(), 2);
  // Braces make no joints.
  EXPECT_EQ(level("STORY2")->get_theCBMJointList()->GetCount(), 0);
}

TEST_F(GeometryManagerTest, BraceReusesOnlyANonBraceLineFromItsFirstPointWithItsSpan) {
  CBMBeam* beam = g_->AddBeam("B1", 0, 0, 6, 0, "STORY1", "");
  // Span 0 (level = bottom level), starting at the beam's first point: reused.
  CBMBrace* same = g_->AddBrace("BR1", 0, 0, 6, 0, "STORY1", "STORY1", "");
  EXPECT_EQ(same->get_pLine(), beam->get_pLine());
  EXPECT_EQ(same->name(), "B1");  // named like the line it stands on
  // Reversed direction: the line does not start at p1, so a new brace line.
  CBMBrace* reversed = g_->AddBrace("BR2", 6, 0, 0, 0, "STORY1", "STORY1", "");
  EXPECT_NE(reversed->get_pLine(), beam->get_pLine());
  EXPECT_EQ(reversed->get_pLine()->GetType(), "BRACE");
  // A different span: a new line as well.
  CBMBrace* span1 = g_->AddBrace("BR3", 0, 0, 6, 0, "STORY1", "BASE", "");
  EXPECT_NE(span1->get_pLine(), beam->get_pLine());
  // The same brace again never reuses a brace line: a new line, and a brace
  // of that new name.
  const int before = lines()->GetCount();
  CBMBrace* again = g_->AddBrace("BR3", 0, 0, 6, 0, "STORY1", "BASE", "");
  EXPECT_EQ(lines()->GetCount(), before + 1);
  EXPECT_EQ(again, span1);  // found by name BR3 in the level
  EXPECT_EQ(again->get_pLine(), lines()->GetItem(before + 1));
}

TEST_F(GeometryManagerTest, WallMakesPanelAreaAndIsFoundAgainOnlyInTheSameDirection) {
  CBMWall* w = g_->AddWall("w1", 0, 0, 5, 0, "STORY1", "");
  ASSERT_NE(w, nullptr);
  CBMArea* a = w->get_pArea();
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->name(), "W1");
  EXPECT_EQ(a->GetAreaType(), "PANEL");
  ASSERT_EQ(a->GetCount(), 4);
  CBMPoint* p1 = ItemAt<CBMPoint>(points(), 1);
  CBMPoint* p2 = ItemAt<CBMPoint>(points(), 2);
  const CBMPoint* order[4] = {p1, p2, p2, p1};
  const int status[4] = {1, 1, 0, 0};
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(a->GetPoint(i), order[i - 1]) << i;
    EXPECT_EQ(a->GetPointStatus(i), status[i - 1]) << i;
  }
  CBMLevel* s1 = level("STORY1");
  EXPECT_EQ(ConnectionCount(JointNamed(s1, "1"), w), 1);
  EXPECT_EQ(ConnectionCount(JointNamed(s1, "2"), w), 1);

  // Same wall on another storey: same area, new wall.
  CBMWall* upper = g_->AddWall("W1", 0, 0, 5, 0, "STORY2", "");
  EXPECT_EQ(upper->get_pArea(), a);
  EXPECT_EQ(areas()->GetCount(), 1);
  // Reversed: a second area.
  CBMWall* rev = g_->AddWall("W2", 5, 0, 0, 0, "STORY1", "");
  EXPECT_NE(rev->get_pArea(), a);
  EXPECT_EQ(areas()->GetCount(), 2);
  EXPECT_EQ(points()->GetCount(), 2);
}

TEST_F(GeometryManagerTest, WallsAndSlabsOfOneNameOnOtherCornersGetTheirOwnAreas) {
  CBMWall* lower = g_->AddWall("W1", 0, 0, 6, 0, "STORY1", "");
  CBMWall* upper = g_->AddWall("W1", 0, 10, 4, 10, "STORY2", "");
  ASSERT_NE(upper->get_pArea(), lower->get_pArea());
  EXPECT_EQ(lower->get_pArea()->GetCount(), 4);
  ASSERT_EQ(upper->get_pArea()->GetCount(), 4);
  EXPECT_DOUBLE_EQ(upper->get_pArea()->GetPoint(1)->get_Y(), 10.0);
  EXPECT_DOUBLE_EQ(upper->get_pArea()->GetPoint(2)->get_X(), 4.0);

  double x[3] = {0, 6, 0};
  double y[3] = {0, 0, 10};
  CBMSlab* slab = g_->AddSlab("W1", 3, x, y, "STORY1", "");
  EXPECT_NE(slab->get_pArea(), lower->get_pArea());
  EXPECT_EQ(slab->get_pArea()->GetAreaType(), "FLOOR");
  EXPECT_EQ(slab->get_pArea()->GetCount(), 3);
  EXPECT_EQ(lower->get_pArea()->GetCount(), 4);
  EXPECT_EQ(lower->get_pArea()->GetAreaType(), "PANEL");
  EXPECT_EQ(areas()->GetCount(), 3);
}

TEST_F(GeometryManagerTest, SlabMakesFloorAreaAndJointsAtEveryVertex) {
  g_->AddSlabSection("s100", "", 0.1);
  double x[3] = {0, 4, 0};
  double y[3] = {0, 0, 3};
  CBMSlab* s = g_->AddSlab("s1", 3, x, y, "story1", "S100");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->name(), "S1");
  ASSERT_NE(s->get_pShellSection(), nullptr);
  EXPECT_EQ(s->get_pShellSection()->name(), "S100");
  CBMArea* a = s->get_pArea();
  EXPECT_EQ(a->GetAreaType(), "FLOOR");
  ASSERT_EQ(s->get_VertexCount(), 3);
  CBMLevel* s1 = level("STORY1");
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(a->GetPoint(i), points()->GetItem(i));
    EXPECT_EQ(a->GetPointStatus(i), 0);
    CBMJoint* j = JointNamed(s1, a->GetPoint(i)->name().c_str());
    ASSERT_NE(j, nullptr);
    EXPECT_EQ(ConnectionCount(j, s), 1);
  }
  // The same polygon from another start point is another area.
  double x2[3] = {4, 0, 0};
  double y2[3] = {0, 3, 0};
  EXPECT_NE(g_->AddSlab("S2", 3, x2, y2, "STORY1", "")->get_pArea(), a);
  // The same polygon again reuses the area and the slab.
  EXPECT_EQ(g_->AddSlab("S9", 3, x, y, "STORY1", ""), s);
  EXPECT_EQ(s->get_pShellSection(), nullptr);  // re-linked to the missing section
}

TEST_F(GeometryManagerTest, SlabWithoutVerticesIsRefused) {
  double x[1] = {0};
  double y[1] = {0};
  EXPECT_EQ(g_->AddSlab("S1", 0, x, y, "STORY1", ""), nullptr);
  EXPECT_EQ(g_->AddSlab("S1", -2, x, y, "STORY1", ""), nullptr);
  EXPECT_EQ(g_->AddSlab("S1", 1, nullptr, y, "STORY1", ""), nullptr);
  EXPECT_EQ(areas()->GetCount(), 0);
  EXPECT_EQ(points()->GetCount(), 0);
  EXPECT_EQ(level("STORY1")->get_theCBMSlabList()->GetCount(), 0);
}

TEST_F(GeometryManagerTest, UnknownLevelMakesNothing) {
  double x[3] = {0, 1, 0};
  double y[3] = {0, 0, 1};
  CString nowhere = "NOWHERE";
  EXPECT_EQ(g_->AddColumn("C1", 0, 0, "NOWHERE", ""), nullptr);
  EXPECT_EQ(g_->AddBeam("B1", 0, 0, 1, 0, "NOWHERE", ""), nullptr);
  EXPECT_EQ(g_->AddBrace("BR", 0, 0, 1, 0, "NOWHERE", "BASE", ""), nullptr);
  EXPECT_EQ(g_->AddBrace("BR", 0, 0, 1, 0, "STORY1", "NOWHERE", ""), nullptr);
  EXPECT_EQ(g_->AddWall("W1", 0, 0, 1, 0, "NOWHERE", ""), nullptr);
  EXPECT_EQ(g_->AddSlab("S1", 3, x, y, "NOWHERE", ""), nullptr);
  EXPECT_EQ(g_->AddJointRestrain(nowhere, 0, 0, 1, 1, 1, 1, 1, 1), nullptr);
  g_->AssignJointDiaphragm("NOWHERE", 0, 0, "D1");
  EXPECT_EQ(points()->GetCount(), 0);
  EXPECT_EQ(lines()->GetCount(), 0);
  EXPECT_EQ(areas()->GetCount(), 0);
  EXPECT_EQ(g_->get_pDiaphragmList()->GetCount(), 0);
}

TEST_F(GeometryManagerTest, MaterialStrengthsFollowTheUpperCasedDesignType) {
  struct Case {
    const char* type;
    double fy, fu, fc, fys, price;
  };
  const Case cases[] = {{"steel", 248211.3, 399896.0, 0, 0, 1.0},
                        {"CONCRETE", 413685.5, 0, 27579.0, 413685.5, 0},
                        {"OTHER", 0, 0, 0, 0, 0},
                        {"", 0, 0, 0, 0, 0}};
  for (const Case& c : cases) {
    CBMMaterial* m = g_->AddMaterial("mat", 1.0, 2.0, c.type, 3.0, 0.25, 1e-5);
    SCOPED_TRACE(c.type);
    CString upper = c.type;
    upper.MakeUpper();
    EXPECT_EQ(m->name(), "MAT");
    EXPECT_EQ(m->get_DesignType(), upper);
    EXPECT_EQ(m->get_Type(), "ISOTROPIC");
    EXPECT_DOUBLE_EQ(m->get_M(), 1.0);
    EXPECT_DOUBLE_EQ(m->get_W(), 2.0);
    EXPECT_DOUBLE_EQ(m->get_E(), 3.0);
    EXPECT_DOUBLE_EQ(m->get_FY(), c.fy);
    EXPECT_DOUBLE_EQ(m->get_FU(), c.fu);
    EXPECT_DOUBLE_EQ(m->get_FC(), c.fc);
    EXPECT_DOUBLE_EQ(m->get_FYS(), c.fys);
    EXPECT_DOUBLE_EQ(m->get_Price(), c.price);
  }
  // No duplicate check: four materials named MAT.
  EXPECT_EQ(g_->get_pMaterialList()->GetCount(), 4);
}

TEST_F(GeometryManagerTest, WallAndSlabSectionsCarryTheirTypesAndThickness) {
  g_->AddMaterial("CONC", 2.4, 23.6, "CONCRETE", 2.5e7, 0.2, 1e-5);
  CBMWallSlabDeckSection* w = g_->AddWallSection("wall200", "conc", 0.2);
  CBMWallSlabDeckSection* s = g_->AddSlabSection("SLAB", "NONE", 0.15);
  EXPECT_EQ(w->name(), "WALL200");
  EXPECT_EQ(w->get_PropType(), "WALL");
  EXPECT_EQ(s->get_PropType(), "SLAB");
  for (CBMWallSlabDeckSection* sec : {w, s}) {
    EXPECT_EQ(sec->get_ShellType(), "SHELL");
    EXPECT_EQ(sec->get_PlateType(), "THIN");
    EXPECT_DOUBLE_EQ(sec->get_TM(), sec->get_TB());
  }
  EXPECT_DOUBLE_EQ(w->get_TB(), 0.2);
  ASSERT_NE(w->get_pMaterial(), nullptr);
  EXPECT_EQ(w->get_pMaterial()->name(), "CONC");
  EXPECT_EQ(s->get_pMaterial(), nullptr);
  // Duplicates: two sections of one name, the look-up finds the first.
  CBMWallSlabDeckSection* dup = g_->AddWallSection("WALL200", "", 0.3);
  EXPECT_NE(dup, w);
  EXPECT_EQ(g_->AddWall("W1", 0, 0, 1, 0, "STORY1", "WALL200")->get_pShellSection(), w);
}

TEST_F(GeometryManagerTest, JointRestraintNeedsAPointAndKeepsAnExistingRestraint) {
  CString s1 = "STORY1";
  EXPECT_EQ(g_->AddJointRestrain(s1, 0, 0, 1, 1, 1, 0, 0, 0), nullptr);  // no point
  EXPECT_EQ(level("STORY1")->get_theCBMJointList()->GetCount(), 0);

  g_->AddColumn("C1", 0, 0, "STORY2", "");
  CBMJoint* j = g_->AddJointRestrain(s1, 0.00001, 0, 1, 0, 1, 0, 1, 0);
  ASSERT_NE(j, nullptr);
  EXPECT_EQ(j->name(), "C1");
  EXPECT_EQ(j->get_pPoint(), points()->GetItem(1));
  ASSERT_NE(j->get_pRestraint(), nullptr);
  const int expected[6] = {1, 0, 1, 0, 1, 0};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(j->get_pRestraint()->get_bU(i), expected[i]) << i;

  CBMJointRestraint* before = j->get_pRestraint();
  EXPECT_EQ(g_->AddJointRestrain(s1, 0, 0, 0, 0, 0, 0, 0, 0), j);
  EXPECT_EQ(j->get_pRestraint(), before);
  EXPECT_EQ(j->get_pRestraint()->get_bU(0), 1);

  // The level name is not upper-cased.
  CString lower = "story1";
  EXPECT_EQ(g_->AddJointRestrain(lower, 0, 0, 1, 1, 1, 1, 1, 1), nullptr);
}

TEST_F(GeometryManagerTest, DuplicateLevelsAndSectionsAreAppended) {
  CBMLevel* again = g_->AddLevel("story1", 5.0, 9.0);
  EXPECT_EQ(again->name(), "STORY1");
  EXPECT_EQ(again->get_Id(), 4);
  EXPECT_DOUBLE_EQ(again->get_Height(), 5.0);
  EXPECT_DOUBLE_EQ(again->get_EleHeight(), 9.0);
  EXPECT_NE(level("STORY1"), again);  // the look-up finds the first
  CBMFrameSection* a = g_->AddFrameSection("S", "RECTANGULAR", "");
  CBMFrameSection* b = g_->AddFrameSection("S", "CIRCLE", "");
  EXPECT_NE(a, b);
  EXPECT_EQ(g_->AddColumn("C1", 0, 0, "STORY1", "S")->get_pFrameSection(), a);
}

}  // namespace
}  // namespace bm::test

namespace bm::test {
namespace {

TEST(DetachedManagerTest, ManagersWithoutAModelDoNothing) {
  CBMMgrGeometry g;
  CBMMgrLoad l;
  double x[3] = {0, 1, 0};
  double y[3] = {0, 0, 1};
  CString level = "L1";
  EXPECT_EQ(g.AddLevel("L1", 3, 0), nullptr);
  EXPECT_EQ(g.AddColumn("C1", 0, 0, "L1", ""), nullptr);
  EXPECT_EQ(g.AddBeam("B1", 0, 0, 1, 0, "L1", ""), nullptr);
  EXPECT_EQ(g.AddBrace("BR1", 0, 0, 1, 0, "L1", "L1", ""), nullptr);
  EXPECT_EQ(g.AddWall("W1", 0, 0, 1, 0, "L1", ""), nullptr);
  EXPECT_EQ(g.AddSlab("S1", 3, x, y, "L1", ""), nullptr);
  EXPECT_EQ(g.AddMaterial("M", 1, 1, "STEEL", 1, 0.3, 0), nullptr);
  EXPECT_EQ(g.AddFrameSection("F", "RECTANGULAR", "M"), nullptr);
  EXPECT_EQ(g.AddWallSection("W", "M", 0.2), nullptr);
  EXPECT_EQ(g.AddSlabSection("S", "M", 0.2), nullptr);
  EXPECT_EQ(g.AddJointRestrain(level, 0, 0, 1, 1, 1, 1, 1, 1), nullptr);
  g.ProcessGeometry();
  EXPECT_EQ(g.ReassignPierBySectionName(), 1);
  EXPECT_EQ(g.ReassignPierRestoreOldName(), 1);
  g.AssignJointDiaphragm("L1", 0, 0, "D1");
  EXPECT_EQ(l.AddLoadCase("DEAD", "DEAD", 1), nullptr);
  l.AssignJointLoad("L1", 0, 0, "DEAD", 1, 1, 1, 1, 1, 1);
  l.AssignBeamLoad("L1", "H", "UNIFF", "GRAV", "DEAD", 0, 1, 1, 1);
  l.AssignWallLoad("L1", "H", "UNIFF", "GRAV", "DEAD", 0, 1, 1, 1);
  l.AssignSlabLoad("L1", "H", "UNIFF", "GRAV", "DEAD", 1);
  l.ProcessLoading();
  l.AddVirtualLoadForOptimization("V", "v", "L1", 0, 0, 1, 0);
  l.DeleteAllVirtualLoad();
}

}  // namespace
}  // namespace bm::test
