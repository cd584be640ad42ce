// Levels, points, joints, lines, areas, their elements and diaphragms (look-ups: tests/scale).
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

namespace {

TEST(Level, CreateLevelsHeightsSumFromTheBaseAndIsSameWithLevel) {
  CBMLevelList levels, single;
  EXPECT_EQ(levels.CalculateAllLevelHeight(), 0);
  levels.CreateLevels(0);
  levels.CreateLevels(-1);
  EXPECT_EQ(levels.GetCount(), 0);
  levels.CreateLevels(1);
  levels.CreateLevels(2);
  ASSERT_EQ(levels.GetCount(), 3);
  EXPECT_EQ(levels.ItemAs<CBMLevel>(3)->name() + std::to_string(levels.ItemAs<CBMLevel>(3)->get_Id()), "3");
  const double heights[] = {10, 3, 4}, elevations[] = {-5, 3, 7};  // the base is unchanged
  for (int i = 1; i <= 3; ++i) levels.ItemAs<CBMLevel>(i)->set_Height(heights[i - 1]);
  levels.ItemAs<CBMLevel>(1)->set_EleHeight(-5);
  EXPECT_EQ(levels.CalculateAllLevelHeight(), 3);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(levels.ItemAs<CBMLevel>(i)->get_EleHeight(), elevations[i - 1]) << i;
  EXPECT_EQ(levels.GetTotalHeight(), 0.0);
  single.CreateLevels(1);
  single.ItemAs<CBMLevel>(1)->set_Height(9);
  EXPECT_EQ(single.CalculateAllLevelHeight(), 1);
  EXPECT_EQ(single.ItemAs<CBMLevel>(1)->get_EleHeight(), 0.0);
  // IsSameWithLevel compares beams, columns and walls only.
  CBMFrameSection section;
  CBMLine line, other;
  line.set_Name("L1");
  other.set_Name("L2");
  CBMArea area;
  CBMLevel a, b;
  for (CBMLevel* level : {&a, &b}) {
    CString beam(level == &a ? "B1" : "BX"), column("C1"), wall("W1");  // member names do not matter
    level->get_theCBMBeamList()->AddBeam(beam)->set_pLine(&line);
    level->get_theCBMColumnList()->AddColumn(column)->set_pFrameSection(&section);
    level->get_theCBMWallList()->AddWall(wall)->set_pArea(&area);
  }
  EXPECT_TRUE(a.IsSameWithLevel(&b));
  EXPECT_FALSE(a.IsSameWithLevel(nullptr));
  CString s("S1"), j("J1"), x("X1"), w("W9");
  b.get_theCBMSlabList()->AddSlab(s);
  b.get_theCBMJointList()->AddJoint(j);
  b.get_theCBMBraceList()->AddBrace(x);
  b.set_Height(99);
  EXPECT_TRUE(b.IsSameWithLevel(&a));
  b.get_theCBMBeamList()->ItemAs<CBMBeam>(1)->set_pLine(&other);
  EXPECT_FALSE(a.IsSameWithLevel(&b));
  b.get_theCBMBeamList()->ItemAs<CBMBeam>(1)->set_pLine(&line);
  b.get_theCBMWallList()->AddWall(w);
  EXPECT_FALSE(a.IsSameWithLevel(&b));
}

TEST(ShellElement, AreaCornersCountFromOneAndNullReferencesEmptyTheShellFields) {
  CBMPoint q1, q2;
  CBMArea corners;
  for (CBMPoint* p : {&q1, static_cast<CBMPoint*>(nullptr), &q2}) corners.AddPoint(p);  // null is skipped
  corners.AddPointType(5);
  corners.AddPointType(6);
  const CBMPoint* points[4] = {nullptr, &q1, &q2, nullptr};
  const int statuses[4] = {0, 5, 6, 0};
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(corners.GetPoint(i), points[i]) << i;
  for (int i = 0; i <= 3; ++i) EXPECT_EQ(corners.GetPointStatus(i), statuses[i]) << i;
  // A shell's geometry comes from its area and section; null references empty their fields.
  CBMPoint p1(0, 0, 0, false), p2(0, 7, 0, false);
  CBMArea area;
  area.SetAreaType("FLOOR");
  CBMWallSlabDeckSection section;
  section.set_Id(4);
  section.set_TB(0.3);
  CBMPierSpandrel pier;
  pier.set_Name("P1");
  CBMWall wall;
  EXPECT_EQ(wall.get_pPoint(1), nullptr);
  for (CBMPoint* p : {&p1, &p2}) area.AddPoint(p);
  wall.set_pArea(&area);
  wall.set_pShellSection(&section);
  wall.set_pPierSpandrel(&pier);
  EXPECT_DOUBLE_EQ(wall.get_Distance(), 7.0);
  EXPECT_DOUBLE_EQ(wall.GetThichness() + wall.get_VertexCount() + wall.get_ShellSectionId(), 6.3);
  wall.SaveOldPier();
  wall.set_pShellSection(nullptr);
  wall.set_pPierSpandrel(nullptr);
  EXPECT_EQ(wall.get_ShellSectionId(), -1);
  EXPECT_EQ(wall.get_PierName() + "/" + wall.GetOldPierName(), "/P1");
  CBMDiaphragm d;
  d.set_Name("D1");
  CBMSlab slab;
  slab.SetDiaphragm(&d);
  EXPECT_EQ(slab.get_DiaphragmName(), "D1");
  slab.SetDiaphragm(nullptr);
  EXPECT_EQ(slab.get_DiaphragmName(), "");
  CBMWallList walls;  // pier look-up ignores case
  CString w1("W1"), w2("W2"), lower("p1"), none("P2");
  walls.AddWall(w1);
  walls.AddWall(w2)->set_pPierSpandrel(&pier);
  EXPECT_EQ(walls.GetItemByPierName(lower), walls.GetItem(2));
  EXPECT_EQ(walls.GetItemByPierName(none), nullptr);
}

// Decision: a joint without a point joins the level diaphragm but leaves the centre.
TEST(LevelDiaphragm, JointWithoutPointJoinsButLeavesTheCentre) {
  CBMPoint pa(0, 0, 0, false), pb(8, 2, 0, false);
  CBMJointList joints;
  CString a("A"), b("B"), c("C");
  CBMJoint* ja = joints.AddJoint(a);
  CBMJoint* jb = joints.AddJoint(b);
  CBMJoint* jc = joints.AddJoint(c);
  ja->set_pPoint(&pa);
  jb->set_pPoint(&pb);
  CBMLevelDiaphragm d;
  d.SetDiaphragmCenter(1, 2);  // overwritten by the running sums
  for (CBMJoint* j : {jb, ja, jc, static_cast<CBMJoint*>(nullptr)}) d.AddJoint(j);
  EXPECT_EQ(d.Get_CX() * 10 + d.Get_CY(), 41.0);
  EXPECT_EQ(d.GetJointAmount() * 10 + d.GetCenterPointCount(), 32);
  EXPECT_EQ(ja->get_Id() + 10 * jc->get_Id(), 31);  // ids are kept
  EXPECT_TRUE(d.GetJointByIndex(1) == jb && d.GetJointByIndex(4) == nullptr);
  d.AddModeResult(1, 1, 2, 3, 4, 5, 6);
  EXPECT_TRUE(d.GetMode(1)->ModeResults[5] == 6.0 && d.GetMode(2) == nullptr);
}

TEST(PointList, AddPointByNameUpperCasesAndKeepsExistingPointsAndFloorJointIds) {
  CBMPointList points;
  CString name("p1"), again("P1"), two("2");
  CBMPoint* p = points.AddPoint(name, 1.0, 2.0);
  EXPECT_EQ(name, "P1");
  EXPECT_EQ(points.AddPoint(again, 9.0, 9.0), p);
  EXPECT_EQ(p->get_X() + points.Removal(), 1.0);
  CBMPoint* byPosition = points.AddPoint(5.0, 6.0);  // a plan point: z 0, not mid-level
  EXPECT_EQ(byPosition->get_Z() + byPosition->get_IsMidLevel(), 0.0);
  // Count 1, so the generated name is "2": that point comes back unchanged.
  CBMPointList other;
  CBMPoint* named = other.AddPoint(two, 100.0, 100.0);
  EXPECT_EQ(other.AddPoint(0.0, 0.0), named);
  EXPECT_TRUE(other.GetCount() == 1 && named->get_X() == 100.0);
  // Floor joint ids outside 1 to n are ignored.
  CBMPoint floor(1.0, 2.0, 3.0, true);
  floor.SetFloorJointId(1, 7);  // no array yet
  EXPECT_EQ(floor.GetFloorJointId(1), 0);
  floor.InitFloorJointId(3);
  for (int level : {1, 3, 0, 4}) floor.SetFloorJointId(level, 11 * level);
  const long expected[5] = {0, 11, 0, 33, 0};
  for (int level = 0; level <= 4; ++level) EXPECT_EQ(floor.GetFloorJointId(level), expected[level]) << level;
  floor.InitFloorJointId(2);
  EXPECT_EQ(floor.GetFloorJointId(1), 0);
}

TEST(Joint, RestraintIndicesNullReferencesConnectionsAndWallLoads) {
  CBMJointRestraint r;
  for (int i : {1, 6, 0, 7}) r.set_bU(i, 1);
  const int expected[8] = {0, 1, 0, 0, 0, 0, 1, 0};
  for (int i = -1; i <= 6; ++i) EXPECT_EQ(r.get_bU(i), expected[i + 1]) << i;
  CBMJointSpring s;
  s.set_dU(2, 4.5);
  EXPECT_EQ(s.get_dU(1), 4.5);
  EXPECT_EQ(s.get_dU(2) + s.get_dU(6) + s.get_dU(-1), 0.0);
  // A null point, diaphragm or restraint empties its fields.
  CBMJoint j;
  CBMPoint p(3.0, 4.0, 0.0, false);
  p.set_Name("A");
  CBMLevelDiaphragm d;
  d.set_Name("D1");
  j.set_pPoint(&p);
  j.set_pDiaphragm(&d);
  EXPECT_EQ(j.get_PointName() + "/" + j.get_DiaphragmName(), "A/D1");
  j.set_pPoint(nullptr);
  j.set_pDiaphragm(nullptr);
  EXPECT_EQ(j.get_PointName() + "/" + j.get_DiaphragmName(), "/");
  EXPECT_EQ(j.Get_pX() + j.Get_pY() + j.get_HasRestraint(), 0.0);
  j.CreateJointRestraint();
  CBMJointRestraint* r2 = j.CreateJointRestraint();  // the first is freed (LSan)
  EXPECT_TRUE(j.get_pRestraint() == r2 && j.get_HasRestraint() == 1);
  j.set_pRestraint(nullptr);
  EXPECT_EQ(j.get_HasRestraint(), 0);
  j.set_pRestraint(new CBMJointRestraint);
  j.set_pRestraint(j.get_pRestraint());  // its own restraint: kept, not freed (ASan)
  EXPECT_TRUE(j.get_pRestraint()->name().IsEmpty() && j.get_HasRestraint() == 1);
  j.CreateJointSpring();
  EXPECT_NE(j.CreateJointSpring(), nullptr);
  CBMBeam beam;
  CBMColumn column;
  for (CBMComponent* e : std::initializer_list<CBMComponent*>{&beam, &column, &beam, nullptr})
    j.AddConnectedElement(e);
  EXPECT_EQ(j.get_theConnectList().GetCount(), 2);  // one entry per object
  EXPECT_EQ(column.get_Id(), 2);                    // legacy: the connection list numbers it
  j.get_theConnectList().RemoveAll();
  // Wall loads add to the first load of exactly their case, keeping its type.
  j.TranferJointLoadFromWall("DL", "FORCE", 1, 2, 3, 4, 5, 6);
  j.AddJointLoad("LL", "FORCE", 10, 0, 0, 0, 0, 0);
  j.TranferJointLoadFromWall("DL", "OTHER", 1, 1, 1, 1, 1, 1);
  j.TranferJointLoadFromWall("dl", "FORCE", 0, 0, -7, 0, 0, 0);
  ASSERT_EQ(j.get_JointLoadList()->GetCount(), 3);
  auto* dl = static_cast<CBMJointLoad*>(j.get_JointLoadList()->GetItem(1));
  EXPECT_EQ(dl->get_sType(), "FORCE");
  const double got[6] = {dl->get_FX(), dl->get_FY(), dl->get_FZ(), dl->get_MX(), dl->get_MY(), dl->get_MZ()};
  for (int k = 0; k < 6; ++k) EXPECT_EQ(got[k], k + 2.0) << k;
  EXPECT_EQ(static_cast<CBMJointLoad*>(j.get_JointLoadList()->GetItem(2))->get_FY(), 0.0);
  EXPECT_EQ(static_cast<CBMJointLoad*>(j.get_JointLoadList()->GetItem(3))->get_FZ(), -7.0);
}

TEST(LineRelease, IndexConventionsReleaseInformAndFreshReleasesOfElements) {
  CBMLineRelease r;
  for (int i : {6, 12, 0, 13}) r.set_bRelease(i, true);  // 1-based; 0 and 13 ignored
  for (int i = 0; i <= 12; ++i) EXPECT_EQ(r.get_bRelease(i), i == 5 || i == 11 ? 1 : 0) << i;
  struct Case {
    bool preset;
    int a, b, c, d, ix, iy, jx, jy;
  };
  // Starting from entry 5 set, a zero `a` leaves it set.
  const Case cases[] = {{true, 1, 0, 0, 0, 1, 0, 0, 0},
                        {true, 0, 1, 1, 1, 1, 1, 1, 1},
                        {true, 0, 0, 0, 0, 1, 0, 0, 0},
                        {true, 1, 1, 0, 1, 1, 1, 0, 1},
                        {false, 0, 0, 1, 0, 0, 0, 1, 0}};
  for (const Case& c : cases) {
    CBMLineRelease rel;
    if (c.preset) rel.set_bRelease(6, true);
    rel.SetReleaseInform(c.a, c.b, c.c, c.d);
    const int got[4] = {rel.IsReleaseIx(), rel.IsReleaseIy(), rel.IsReleaseJx(), rel.IsReleaseJy()};
    const int want[4] = {c.ix, c.iy, c.jx, c.jy};
    for (int k = 0; k < 4; ++k) EXPECT_EQ(got[k], want[k]) << c.a << c.b << c.c << c.d << " " << k;
  }
  CBMBeam beam;  // an element's release and rigid zone are replaced by fresh ones
  EXPECT_EQ(beam.IsRelease(), 0);
  beam.SetReleaseInform(1, 1, 0, 0);
  EXPECT_EQ(beam.IsRelease(), 1);
  beam.SetReleaseInform(0, 0, 1, 1);  // starts again from a zero release
  EXPECT_EQ(beam.get_pLineRelease()->IsReleaseIx(), 0);
  EXPECT_EQ(beam.get_pLineRelease()->IsReleaseJx(), 1);
  beam.CreateRigidZone();
  EXPECT_NE(beam.CreateRigidZone(), nullptr);
  EXPECT_EQ(beam.CreateLink(), nullptr);
}

TEST(LineElement, NullLineGivesIdMinusOneAndNullJointKeepsTheOldId) {
  CBMPoint p1(0, 0, 10, true), p2(6, 8, -2, true);  // the length is in plan
  CBMLine line(&p1, &p2);
  line.SetType("BEAM");
  line.SetPassStoryNum(2);
  line.set_Id(4);
  CBMJoint ji, jj;
  ji.set_Id(3);
  jj.set_Id(9);
  CBMBeam beam;
  EXPECT_EQ(beam.get_Distance(), 0.0);
  beam.set_pLine(&line);
  EXPECT_EQ(beam.get_LineId() + beam.GetPassStoryNum(), 6);
  EXPECT_DOUBLE_EQ(beam.get_Distance(), 10.0);
  beam.Set_pJoint(&ji, &jj);
  beam.Set_pJoint(nullptr, &ji);
  EXPECT_EQ(beam.get_JointIId(), 3);
  EXPECT_EQ(beam.get_JointJId(), 3);
  beam.set_pLine(nullptr);
  EXPECT_EQ(beam.get_LineId(), -1);
  EXPECT_EQ(beam.GetP1(), nullptr);
  EXPECT_EQ(CBMLine(&p1, nullptr).get_Length(), 0.0);
}

}  // namespace
