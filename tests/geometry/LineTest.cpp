// Lines, the line list, line elements and releases.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include "loads/BMMemberLoad.h"
#include "loads/BMResult.h"

namespace {

TEST(LineList, FindLineByPointIgnoresOrderAndBraces) {
  CBMPoint p1(0, 0, 0, false), p2(3, 4, 0, false), p3(6, 0, 0, false);
  CBMLineList lines;
  CString braceName("X1"), beamName("B1"), otherName("B2");
  CBMLine* brace = lines.AddLine(braceName, &p1, &p2);
  brace->SetType("BRACE");
  CBMLine* beam = lines.AddLine(beamName, &p1, &p2);
  beam->SetType("BEAM");
  CBMLine* other = lines.AddLine(otherName, &p2, &p3);
  other->SetType("COLUMN");

  EXPECT_EQ(lines.FindLineByPoint(&p1, &p2), beam);
  EXPECT_EQ(lines.FindLineByPoint(&p2, &p1), beam);
  EXPECT_EQ(lines.FindLineByPoint(&p3, &p2), other);
  EXPECT_EQ(lines.FindLineByPoint(&p1, &p3), nullptr);
  EXPECT_EQ(lines.FindBraceLineByPoint(&p2, &p1), brace);
  EXPECT_EQ(lines.FindBraceLineByPoint(&p2, &p3), nullptr);
  // The type word is compared exactly.
  brace->SetType("brace");
  EXPECT_EQ(lines.FindBraceLineByPoint(&p1, &p2), nullptr);
  EXPECT_EQ(lines.FindLineByPoint(&p1, &p2), brace);
}

TEST(LineList, AddLineAlwaysCreates) {
  CBMPoint p1, p2;
  CBMLineList lines;
  CString name("l1");
  CBMLine* a = lines.AddLine(name, &p1, &p2);
  CBMLine* b = lines.AddLine(name, &p1, &p2);
  EXPECT_NE(a, b);
  EXPECT_EQ(lines.GetCount(), 2);
  EXPECT_EQ(a->name(), "L1");
  EXPECT_EQ(b->get_Id(), 2);
}

TEST(Line, LengthIsPlanDistanceAndNullSafe) {
  CBMPoint p1(0, 0, 10, true), p2(3, 4, -2, true);
  p1.set_Id(7);
  p2.set_Id(8);
  CBMLine line(&p1, &p2);
  EXPECT_DOUBLE_EQ(line.get_Length(), 5.0);
  EXPECT_EQ(line.get_P1Id(), 7);
  EXPECT_EQ(line.get_P2Id(), 8);
  EXPECT_EQ(line.IsP1SameLevel(), 1);
  EXPECT_EQ(line.SetIsP1SameLevel(false), 0);
  CBMLine lonely(&p1, nullptr);
  EXPECT_EQ(lonely.get_Length(), 0.0);
  EXPECT_EQ(lonely.get_P2Id(), 0);
}

TEST(LineRelease, IndexConventionsAndReleaseInform) {
  CBMLineRelease r;
  r.set_bRelease(6, true);
  EXPECT_EQ(r.get_bRelease(5), 1);
  EXPECT_EQ(r.IsReleaseIx(), 1);
  EXPECT_EQ(r.get_bRelease(6), 0);
  r.set_bRelease(12, true);
  EXPECT_EQ(r.get_bRelease(11), 1);
  EXPECT_EQ(r.IsReleaseJx(), 1);
  r.set_bRelease(0, true);  // ignored
  r.set_bRelease(13, true);
  EXPECT_EQ(r.get_bRelease(12), 0);
  r.set_dParFix(0, 0.5);
  EXPECT_EQ(r.get_dParFix(0), 0.5);

  struct Case {
    int a, b, c, d;
    int ix, iy, jx, jy;
  };
  // Starting from entry 5 set: a zero `a` leaves it set.
  const Case cases[] = {
      {1, 0, 0, 0, 1, 0, 0, 0}, {0, 1, 1, 1, 1, 1, 1, 1}, {0, 0, 0, 0, 1, 0, 0, 0}, {1, 1, 0, 1, 1, 1, 0, 1}};
  for (const Case& c : cases) {
    CBMLineRelease rel;
    rel.set_bRelease(6, true);
    rel.SetReleaseInform(c.a, c.b, c.c, c.d);
    EXPECT_EQ(rel.IsReleaseIx(), c.ix);
    EXPECT_EQ(rel.IsReleaseIy(), c.iy);
    EXPECT_EQ(rel.IsReleaseJx(), c.jx);
    EXPECT_EQ(rel.IsReleaseJy(), c.jy);
  }
  CBMLineRelease fresh;
  fresh.SetReleaseInform(0, 0, 1, 0);
  EXPECT_EQ(fresh.IsReleaseIx(), 0);
  EXPECT_EQ(fresh.IsReleaseJx(), 1);
}

TEST(LineElement, SetReleaseInformCreatesAFreshRelease) {
  CBMBeam beam;
  EXPECT_EQ(beam.IsRelease(), 0);
  EXPECT_EQ(beam.get_pLineRelease(), nullptr);
  beam.SetReleaseInform(1, 1, 0, 0);
  EXPECT_EQ(beam.IsRelease(), 1);
  EXPECT_EQ(beam.get_pLineRelease()->IsReleaseIx(), 1);
  // A second call starts again from a zero release (the earlier one is freed).
  beam.SetReleaseInform(0, 0, 1, 1);
  EXPECT_EQ(beam.get_pLineRelease()->IsReleaseIx(), 0);
  EXPECT_EQ(beam.get_pLineRelease()->IsReleaseJx(), 1);
  beam.CreateRigidZone();
  beam.CreateRigidZone();
  EXPECT_NE(beam.get_pRigidZone(), nullptr);
  EXPECT_EQ(beam.CreateLink(), nullptr);
}

TEST(LineElement, IsSameOfUsesSectionLineAndAngleTolerance) {
  CBMFrameSection s1, s2;
  s1.set_Name("C500");
  s2.set_Name("C500");
  CBMLine l1, l2;
  l1.set_Name("L1");
  l2.set_Name("L1");
  CBMColumn a, b;
  a.set_pFrameSection(&s1);
  a.set_pLine(&l1);
  b.set_pFrameSection(&s2);
  b.set_pLine(&l2);
  struct Case {
    double angleA, angleB;
    bool same;
  };
  const Case cases[] = {{30.0, 30.0, true},
                        {30.0, 30.00001, true},
                        {30.00001, 30.0, true},
                        {30.0, 30.00002, false},
                        {0.0, -0.00002, false}};
  for (const Case& c : cases) {
    a.set_Angle(c.angleA);
    b.set_Angle(c.angleB);
    EXPECT_EQ(a.IsSameOf(&b), c.same) << c.angleA << " " << c.angleB;
  }
  a.set_Angle(0);
  b.set_Angle(0);
  l2.set_Name("L2");
  EXPECT_FALSE(a.IsSameOf(&b));
  l2.set_Name("L1");
  s2.set_Name("C600");
  EXPECT_FALSE(a.IsSameOf(&b));
  // A missing section differs from a present one and matches a missing one.
  b.set_pFrameSection(nullptr);
  EXPECT_EQ(b.get_FrameSectionId(), -1);
  EXPECT_FALSE(a.IsSameOf(&b));
  a.set_pFrameSection(nullptr);
  EXPECT_TRUE(a.IsSameOf(&b));
  EXPECT_FALSE(a.IsSameOf(nullptr));

  CBMColumnList list;
  CString name("X");
  list.AddColumn(name)->set_Angle(5);
  EXPECT_FALSE(list.IsExist(&a));
}

TEST(LineElement, JointIdsAndLineAccessors) {
  CBMPoint p1(0, 0, 0, false), p2(6, 8, 0, false);
  CBMLine line(&p1, &p2);
  line.SetType("BEAM");
  line.SetPassStoryNum(2);
  line.set_Id(4);
  CBMJoint ji, jj;
  ji.set_Id(3);
  jj.set_Id(9);
  CBMBeam beam;
  EXPECT_EQ(beam.get_Distance(), 0.0);
  EXPECT_EQ(beam.GetType(), "");
  EXPECT_EQ(beam.get_MaxSpc(), 24.0);
  EXPECT_EQ(beam.get_MinSpc(), 3.0);
  beam.set_pLine(&line);
  EXPECT_EQ(beam.get_LineId(), 4);
  EXPECT_DOUBLE_EQ(beam.get_Distance(), 10.0);
  EXPECT_EQ(beam.GetType(), "BEAM");
  EXPECT_EQ(beam.GetPassStoryNum(), 2);
  beam.Set_pJoint(&ji, &jj);
  EXPECT_EQ(beam.get_JointIId(), 3);
  EXPECT_EQ(beam.get_JointJId(), 9);
  beam.Set_pJoint(nullptr, &ji);  // a null joint keeps the old id
  EXPECT_EQ(beam.get_JointIId(), 3);
  EXPECT_EQ(beam.get_JointJId(), 3);
  beam.set_pLine(nullptr);
  EXPECT_EQ(beam.get_LineId(), -1);
  EXPECT_EQ(beam.GetP1(), nullptr);
  beam.set_dZoneReductionFactor(0.75);
  EXPECT_EQ(beam.get_HasZoneReductionFactor(), 1);
}

TEST(LineElement, AddLineLoadFillsUniformOnlyForUNIFF) {
  CBMBrace brace;
  CBMLineLoad* u = brace.AddLineLoad("DL", "UNIFF", "GRAV", 0, 5, 1, 5);
  EXPECT_EQ(u->get_Lc(), "DL");
  EXPECT_EQ(u->get_sDir(), "GRAV");
  EXPECT_EQ(u->get_VStart(), 5.0);
  EXPECT_EQ(u->get_VEnd(), 5.0);
  EXPECT_EQ(u->get_RStart(), 0.0);
  EXPECT_EQ(u->get_REnd(), 1.0);
  EXPECT_EQ(u->get_UniformV(), 5.0);
  for (const char* type : {"POINTF", "TRAPF", "uniff"}) {
    CBMLineLoad* p = brace.AddLineLoad("DL", type, "GRAV", 0.5, 7, 0.25, 3);
    EXPECT_EQ(p->get_UniformV(), 0.0) << type;
    EXPECT_EQ(p->get_RStart(), 0.5);
    EXPECT_EQ(p->get_REnd(), 0.25);
    EXPECT_EQ(p->get_VEnd(), 3.0);
  }
  EXPECT_EQ(brace.Get_LineLoadList()->GetCount(), 4);
}

}  // namespace
