// The load manager: member loads by handle and position, the conversion of
// wall line loads into joint forces, and virtual loads.
#include <gtest/gtest.h>

#include <cmath>

#include "managers/ManagerTestUtil.h"
#include "model/geometry/BMJoint.h"
#include "model/geometry/BMLineElement.h"
#include "model/geometry/BMShellElement.h"

namespace bm::test {
namespace {

// End reactions of q(x) over [a, b] on a span L by Simpson's rule, as an
// independent check of the closed forms.
EndReactions Integrate(double w1, double w2, double a, double b, double L) {
  const int n = 2000;  // even
  const double h = (b - a) / n;
  double total = 0.0;
  double moment = 0.0;
  for (int i = 0; i <= n; ++i) {
    const double x = a + i * h;
    const double q = w1 + (w2 - w1) * (x - a) / (b - a);
    const double weight = (i == 0 || i == n) ? 1.0 : (i % 2 ? 4.0 : 2.0);
    total += weight * q;
    moment += weight * q * x;
  }
  total *= h / 3.0;
  moment *= h / 3.0;
  EndReactions r;
  r.f2 = moment / L;
  r.f1 = total - r.f2;
  return r;
}

class LoadManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = ModuleWithLevels({3.0, 3.0});
    g_ = module_->get_pMgrGeometry();
    l_ = module_->get_pMgrLoad();
  }
  // A wall of length `length` along X on STORY1 with handle "WH".
  CBMWall* Wall(double length) {
    CBMWall* w = g_->AddWall("W1", 0, 0, length, 0, "STORY1", "");
    w->set_MapHandle("WH");
    return w;
  }
  CBMJoint* J(const char* name) { return JointNamed(LevelNamed(*module_, "STORY1"), name); }
  double FY(const char* joint, const char* lc) {
    CBMJointLoad* load = JointLoadOf(J(joint), lc);
    return load ? load->get_FY() : std::nan("");
  }

  std::unique_ptr<CBuildingModule> module_;
  CBMMgrGeometry* g_ = nullptr;
  CBMMgrLoad* l_ = nullptr;
};

TEST_F(LoadManagerTest, WallLoadFiguresOfTheSimplySupportedSpan) {
  struct Case {
    double length;
    const char* type;
    double rs, vs, re, ve;
    double f1, f2;
  };
  const Case cases[] = {
      {4.0, "UNIFF", 0.0, 10.0, 1.0, 10.0, 20.0, 20.0},
      {4.0, "uniff", 0.5, 10.0, 0.7, 99.0, 20.0, 20.0},  // whole span, VStart only
      {4.0, "POINTF", 0.25, 10.0, 0.0, 0.0, 7.5, 2.5},
      {3.0, "TRAPF", 0.0, 0.0, 1.0, 6.0, 3.0, 6.0},
      {3.0, "TRAPF", 0.0, 6.0, 1.0, 0.0, 6.0, 3.0},
      {6.0, "TRAPF", 0.25, 4.0, 0.75, 8.0, 8.5, 9.5},
      {5.0, "TRAPF", 0.4, 3.0, 0.4, 9.0, 0.0, 0.0},  // no extent: no force, not NaN
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.type << " " << c.rs << ".." << c.re);
    SetUp();
    Wall(c.length);
    l_->AssignWallLoad("story1", "wh", c.type, "GRAV", "dead", c.rs, c.vs, c.re, c.ve);
    l_->ProcessLoading();
    CBMJointLoad* j1 = JointLoadOf(J("1"), "DEAD");
    CBMJointLoad* j2 = JointLoadOf(J("2"), "DEAD");
    ASSERT_NE(j1, nullptr);
    ASSERT_NE(j2, nullptr);
    EXPECT_NEAR(j1->get_FY(), c.f1, 1e-12);
    EXPECT_NEAR(j2->get_FY(), c.f2, 1e-12);
    EXPECT_EQ(j1->get_sType(), "FORCE");
    EXPECT_EQ(j1->get_FX(), 0.0);
    EXPECT_EQ(j1->get_FZ(), 0.0);
    EXPECT_EQ(j1->get_MZ(), 0.0);
  }
}

TEST_F(LoadManagerTest, TrapezoidsOverPartOfTheSpanMatchNumericalIntegration) {
  const double spans[] = {3.0, 7.5};
  const double stretches[][2] = {{0.0, 1.0}, {0.1, 0.6}, {0.3, 0.95}, {0.5, 0.5001}};
  const double intensities[][2] = {{2.0, 9.0}, {9.0, 2.0}, {-4.0, 1.0}, {5.0, -5.0}, {3.0, 3.0}, {0.0, -7.0}};
  for (double L : spans) {
    for (const auto& s : stretches) {
      for (const auto& w : intensities) {
        SCOPED_TRACE(testing::Message() << L << " [" << s[0] << "," << s[1] << "] " << w[0] << "->" << w[1]);
        const double a = s[0] * L;
        const double b = s[1] * L;
        const EndReactions expected = Integrate(w[0], w[1], a, b, L);
        const EndReactions closed = TrapezoidReactions(w[0], w[1], a, b, L);
        EXPECT_NEAR(closed.f1, expected.f1, 1e-9);
        EXPECT_NEAR(closed.f2, expected.f2, 1e-9);

        // And through the manager on a wall of that length.
        SetUp();
        Wall(L);
        l_->AssignWallLoad("STORY1", "WH", "TRAPF", "GRAV", "LIVE", s[0], w[0], s[1], w[1]);
        l_->ProcessLoading();
        EXPECT_NEAR(FY("1", "LIVE"), expected.f1, 1e-9);
        EXPECT_NEAR(FY("2", "LIVE"), expected.f2, 1e-9);
      }
    }
  }
}

TEST_F(LoadManagerTest, TrapezoidGivenEndFirstIsTheSameLoad) {
  Wall(6.0);
  l_->AssignWallLoad("STORY1", "WH", "TRAPF", "GRAV", "DEAD", 0.75, 10, 0.25, 10);
  l_->AssignWallLoad("STORY1", "WH", "TRAPF", "GRAV", "LIVE", 0.75, 8, 0.25, 4);
  l_->ProcessLoading();
  EXPECT_NEAR(FY("1", "DEAD"), 15.0, 1e-12);
  EXPECT_NEAR(FY("2", "DEAD"), 15.0, 1e-12);
  // 4 at 1.5 rising to 8 at 4.5, as in the start-first case above.
  EXPECT_NEAR(FY("1", "LIVE"), 8.5, 1e-12);
  EXPECT_NEAR(FY("2", "LIVE"), 9.5, 1e-12);
}

TEST_F(LoadManagerTest, WallLoadsWithoutJointsAreReported) {
  Wall(4.0);
  l_->AssignWallLoad("STORY1", "WH", "UNIFF", "GRAV", "DEAD", 0, 10, 1, 10);
  CBMJointList* joints = LevelNamed(*module_, "STORY1")->get_theCBMJointList();
  joints->DeleteItem("1");
  l_->ProcessLoading();
  EXPECT_EQ(l_->GetLoadingReport().wallLoadsWithoutJoints, 0);
  EXPECT_EQ(l_->GetLoadingReport().wallLoadsWithOneJoint, 1);
  EXPECT_DOUBLE_EQ(FY("2", "DEAD"), 20.0);
  joints->DeleteItem("2");
  l_->ProcessLoading();  // the report is of this run only
  EXPECT_EQ(l_->GetLoadingReport().wallLoadsWithoutJoints, 1);
  EXPECT_EQ(l_->GetLoadingReport().wallLoadsWithOneJoint, 0);
}

TEST_F(LoadManagerTest, WallLoadsOfOneCaseAccumulateAndOtherTypesArePassedOver) {
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
  EXPECT_EQ(ItemAt<CBMWall>(LevelNamed(*module_, "STORY1")->get_theCBMWallList(), 1)->GetLineLoadCount(), 4);
  l_->ProcessLoading();
  EXPECT_DOUBLE_EQ(FY("1", "DEAD"), 55.0);
}

TEST_F(LoadManagerTest, BeamAndSlabLoadsAreFoundByUpperCaseHandle) {
  CBMBeam* b = g_->AddBeam("B1", 0, 0, 6, 0, "STORY1", "");
  b->set_MapHandle("BEAM-1");
  CBMBeam* mixed = g_->AddBeam("B2", 0, 0, 0, 6, "STORY1", "");
  mixed->set_MapHandle("Beam-2");  // stored as given: never found
  double x[3] = {0, 6, 0};
  double y[3] = {0, 0, 6};
  CBMSlab* s = g_->AddSlab("S1", 3, x, y, "STORY1", "");
  s->set_MapHandle("SLAB-1");

  l_->AssignBeamLoad("story1", "beam-1", "uniff", "grav", "dead", 0, 5, 1, 7);
  l_->AssignBeamLoad("STORY1", "beam-1", "POINTF", "GRAV", "LIVE", 0.3, 12, 0, 0);
  l_->AssignBeamLoad("STORY1", "Beam-2", "UNIFF", "GRAV", "DEAD", 0, 5, 1, 5);
  l_->AssignBeamLoad("STORY2", "BEAM-1", "UNIFF", "GRAV", "DEAD", 0, 5, 1, 5);  // other level
  l_->AssignSlabLoad("story1", "slab-1", "uniff", "grav", "live", 2.5);

  CBMComponentList* loads = b->Get_LineLoadList();
  ASSERT_EQ(loads->GetCount(), 2);
  auto* u = ItemAt<CBMLineLoad>(loads, 1);
  EXPECT_EQ(u->get_Lc(), "DEAD");
  EXPECT_EQ(u->get_sType(), "UNIFF");
  EXPECT_EQ(u->get_sDir(), "GRAV");
  EXPECT_DOUBLE_EQ(u->get_VStart(), 5);
  EXPECT_DOUBLE_EQ(u->get_VEnd(), 7);
  EXPECT_DOUBLE_EQ(u->get_REnd(), 1);
  EXPECT_DOUBLE_EQ(u->get_UniformV(), 5);
  auto* p = ItemAt<CBMLineLoad>(loads, 2);
  EXPECT_DOUBLE_EQ(p->get_RStart(), 0.3);
  EXPECT_DOUBLE_EQ(p->get_UniformV(), 0.0);
  EXPECT_EQ(mixed->Get_LineLoadList()->GetCount(), 0);

  ASSERT_EQ(s->get_SlabLoadList()->GetCount(), 1);
  auto* a = ItemAt<CBMAreaLoad>(s->get_SlabLoadList(), 1);
  EXPECT_EQ(a->get_Lc(), "LIVE");
  EXPECT_EQ(a->get_sType(), "UNIFF");
  EXPECT_EQ(a->get_sDir(), "GRAV");
  EXPECT_DOUBLE_EQ(a->get_Value(), 2.5);
}

TEST_F(LoadManagerTest, JointLoadsAreAddedPerCallAtTheJointOfThePosition) {
  g_->AddColumn("C1", 2, 2, "STORY1", "");
  g_->AddColumn("C2", 9, 9, "STORY2", "");
  l_->AssignJointLoad("story1", 2.00001, 2, "wind", 1, 2, 3, 4, 5, 6);
  l_->AssignJointLoad("STORY1", 2, 2, "WIND", 1, 0, 0, 0, 0, 0);
  l_->AssignJointLoad("STORY1", 9, 9, "WIND", 1, 0, 0, 0, 0, 0);  // no joint there
  l_->AssignJointLoad("STORY1", 5, 5, "WIND", 1, 0, 0, 0, 0, 0);  // no point there
  l_->AssignJointLoad("NOWHERE", 2, 2, "WIND", 1, 0, 0, 0, 0, 0);
  CBMComponentList* loads = J("C1")->get_JointLoadList();
  ASSERT_EQ(loads->GetCount(), 2);
  auto* first = ItemAt<CBMJointLoad>(loads, 1);
  EXPECT_EQ(first->get_Lc(), "WIND");
  EXPECT_EQ(first->get_sType(), "FORCE");
  const double expected[6] = {1, 2, 3, 4, 5, 6};
  const double got[6] = {first->get_FX(), first->get_FY(), first->get_FZ(),
                         first->get_MX(), first->get_MY(), first->get_MZ()};
  for (int i = 0; i < 6; ++i) EXPECT_DOUBLE_EQ(got[i], expected[i]) << i;
  EXPECT_EQ(LevelNamed(*module_, "STORY1")->get_theCBMJointList()->GetCount(), 1);
}

TEST_F(LoadManagerTest, LoadCasesKeepTheirTypeAndVirtualCasesComeAndGo) {
  CBMLoadCaseList* cases = l_->GetLoadCaseList();
  CBMLoadCase* dead = l_->AddLoadCase("dead", "Dead", 1.0);
  EXPECT_EQ(dead->name(), "DEAD");
  EXPECT_EQ(dead->get_sType(), "Dead");
  EXPECT_DOUBLE_EQ(dead->get_fSelfW(), 1.0);
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

  ASSERT_EQ(cases->GetCount(), 6);
  auto* v1 = ItemAt<CBMLoadCase>(cases, 3);
  EXPECT_EQ(v1->name(), "V1");
  EXPECT_EQ(v1->get_sType(), "WIND");
  EXPECT_DOUBLE_EQ(v1->get_fSelfW(), 0.0);
  EXPECT_NE(v1->IsVirtualLoad(), 0);
  EXPECT_EQ(v1->GetVirtualLoadCaseName(), "first");
  EXPECT_EQ(v1->GetWindList()->GetCount(), 0);
  auto* v2 = ItemAt<CBMLoadCase>(cases, 4);
  ASSERT_EQ(v2->GetWindList()->GetCount(), 1);
  auto* wind = ItemAt<CBMLoadWind>(v2->GetWindList(), 1);
  EXPECT_EQ(wind->get_sLevel(), "STORY2");
  EXPECT_EQ(wind->get_sDiaph(), "DB");
  EXPECT_DOUBLE_EQ(wind->get_Fx(), 50);
  EXPECT_DOUBLE_EQ(wind->get_Fy(), -5);
  EXPECT_DOUBLE_EQ(wind->get_Mz(), 0);
  EXPECT_DOUBLE_EQ(wind->get_XLoc(), 7);
  EXPECT_DOUBLE_EQ(wind->get_YLoc(), 0);
  EXPECT_EQ(ItemAt<CBMLoadCase>(cases, 6)->GetWindList()->GetCount(), 0);

  // Adjacent virtual cases (v1, v2) and the last one (v3) all go.
  l_->DeleteAllVirtualLoad();
  ASSERT_EQ(cases->GetCount(), 3);
  const char* names[3] = {"DEAD", "DEAD", "LIVE"};
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(cases->GetItem(i)->name(), names[i - 1]);
    EXPECT_EQ(cases->GetItem(i)->get_Id(), i);
  }
  l_->DeleteAllVirtualLoad();
  EXPECT_EQ(cases->GetCount(), 3);
}

TEST(EndReactionsTest, DegenerateSpansGiveNoForce) {
  for (const EndReactions& r : {UniformReactions(5, 0, 0, 0), RisingTriangleReactions(5, 1, 1, 4),
                                FallingTriangleReactions(5, 2, 2, 4), TrapezoidReactions(1, 9, 0, 0, 0),
                                TrapezoidReactions(9, 1, 3, 3, 6)}) {
    EXPECT_EQ(r.f1, 0.0);
    EXPECT_EQ(r.f2, 0.0);
  }
}

}  // namespace
}  // namespace bm::test
