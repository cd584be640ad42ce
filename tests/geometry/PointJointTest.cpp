// Points, the point list, joints, restraints and springs.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include "loads/BMMemberLoad.h"
#include "loads/BMResult.h"

namespace {

TEST(PointList, AddPointByPositionMergesStrictlyCloserThanTolerance) {
  CBMPointList points;
  CBMPoint* first = points.AddPoint(0.0, 0.0);
  EXPECT_EQ(first->name(), "1");
  EXPECT_EQ(points.AddPoint(0.0, 0.0), first);
  EXPECT_EQ(points.AddPoint(0.00005, 0.0), first);
  EXPECT_EQ(points.AddPoint(0.0, -0.00007), first);
  // Exactly at the tolerance is not merged (the test is "less than").
  CBMPoint* atTolerance = points.AddPoint(0.0001, 0.0);
  EXPECT_NE(atTolerance, first);
  EXPECT_EQ(atTolerance->name(), "2");
  CBMPoint* far = points.AddPoint(0.0002, 5.0);
  EXPECT_EQ(far->name(), "3");
  EXPECT_EQ(points.GetCount(), 3);
  EXPECT_EQ(far->get_Id(), 3);
  EXPECT_EQ(far->get_Z(), 0.0);
  EXPECT_EQ(far->get_IsMidLevel(), 0);
  // The first of two near points in list order wins.
  EXPECT_EQ(points.FindPointByCoors(0.00005, 0.0), first);
  EXPECT_EQ(points.FindPointByCoors(50.0, 50.0), nullptr);
}

TEST(PointList, GeneratedNameThatExistsReturnsThatPoint) {
  CBMPointList points;
  CString two("2");
  CBMPoint* named = points.AddPoint(two, 100.0, 100.0);
  // Count is 1, so the next generated name is "2": that point comes back
  // unchanged although it lies far away.
  EXPECT_EQ(points.AddPoint(0.0, 0.0), named);
  EXPECT_EQ(points.GetCount(), 1);
  EXPECT_EQ(named->get_X(), 100.0);
}

TEST(PointList, AddPointByNameUpperCasesAndKeepsExistingCoordinates) {
  CBMPointList points;
  CString name("p1");
  CBMPoint* p = points.AddPoint(name, 1.0, 2.0);
  EXPECT_EQ(name, "P1");
  EXPECT_EQ(p->name(), "P1");
  CString again("P1");
  EXPECT_EQ(points.AddPoint(again, 9.0, 9.0), p);
  EXPECT_EQ(p->get_X(), 1.0);
  EXPECT_EQ(p->get_Y(), 2.0);
  EXPECT_EQ(points.Removal(), 0);
}

TEST(Point, FloorJointIdsAreOneBasedAndBoundsSafe) {
  CBMPoint p(1.0, 2.0, 3.0, true);
  EXPECT_EQ(p.get_IsMidLevel(), 1);
  EXPECT_EQ(p.GetFloorJointId(1), 0);  // no array yet
  p.SetFloorJointId(1, 7);             // ignored, no array
  p.InitFloorJointId(3);
  p.SetFloorJointId(1, 11);
  p.SetFloorJointId(3, 33);
  p.SetFloorJointId(0, 99);
  p.SetFloorJointId(4, 99);
  EXPECT_EQ(p.GetFloorJointId(1), 11);
  EXPECT_EQ(p.GetFloorJointId(2), 0);
  EXPECT_EQ(p.GetFloorJointId(3), 33);
  EXPECT_EQ(p.GetFloorJointId(0), 0);
  EXPECT_EQ(p.GetFloorJointId(4), 0);
  p.InitFloorJointId(2);
  EXPECT_EQ(p.GetFloorJointId(1), 0);
}

TEST(JointRestraint, SetterOneBasedGetterZeroBased) {
  CBMJointRestraint r;
  r.set_bU(1, 1);
  EXPECT_EQ(r.get_bU(0), 1);
  r.set_bU(6, 1);
  EXPECT_EQ(r.get_bU(5), 1);
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(r.get_bU(i), 0);
  r.set_bU(0, 1);  // out of range: ignored
  r.set_bU(7, 1);
  EXPECT_EQ(r.get_bU(6), 0);
  EXPECT_EQ(r.get_bU(-1), 0);

  CBMJointSpring s;
  s.set_dU(2, 4.5);
  EXPECT_EQ(s.get_dU(1), 4.5);
  EXPECT_EQ(s.get_dU(2), 0.0);
  EXPECT_EQ(s.get_dU(6), 0.0);
}

TEST(Joint, PointAndDiaphragmPointersAreNullSafe) {
  CBMJoint j;
  EXPECT_EQ(j.get_ObjectType(), BM_JOINT);
  EXPECT_EQ(j.Get_pX(), 0.0);
  EXPECT_EQ(j.Get_pY(), 0.0);
  CString name("A");
  CBMPoint p(3.0, 4.0, 0.0, false);
  p.set_Name(name);
  j.set_pPoint(&p);
  EXPECT_EQ(j.get_PointName(), "A");
  EXPECT_EQ(j.Get_pX(), 3.0);
  EXPECT_EQ(j.Get_pY(), 4.0);
  j.set_pPoint(nullptr);
  EXPECT_EQ(j.get_pPoint(), nullptr);
  EXPECT_EQ(j.get_PointName(), "");
  EXPECT_EQ(j.Get_pX(), 0.0);
  j.set_pDiaphragm(nullptr);
  EXPECT_EQ(j.get_DiaphragmName(), "");
}

TEST(Joint, RestraintOwnershipAndFlag) {
  CBMJoint j;
  EXPECT_EQ(j.get_HasRestraint(), 0);
  CBMJointRestraint* r = j.CreateJointRestraint();
  EXPECT_EQ(j.get_pRestraint(), r);
  EXPECT_EQ(j.get_HasRestraint(), 1);
  // A second creation replaces (and frees) the first; LSan checks the free.
  CBMJointRestraint* r2 = j.CreateJointRestraint();
  EXPECT_EQ(j.get_pRestraint(), r2);
  j.set_pRestraint(new CBMJointRestraint);
  EXPECT_EQ(j.get_HasRestraint(), 1);
  j.set_pRestraint(nullptr);
  EXPECT_EQ(j.get_HasRestraint(), 0);
  j.CreateJointSpring();
  j.CreateJointSpring();
  EXPECT_NE(j.get_pJointSpring(), nullptr);
}

TEST(Joint, AddConnectedElementKeepsOneEntryPerObject) {
  CBMJoint j;
  CBMBeam beam;
  CBMColumn column;
  j.AddConnectedElement(&beam);
  j.AddConnectedElement(&column);
  j.AddConnectedElement(&beam);
  j.AddConnectedElement(nullptr);
  EXPECT_EQ(j.get_theConnectList().GetCount(), 2);
  // Legacy: the connection list numbers the member it takes.
  EXPECT_EQ(column.get_Id(), 2);
  j.get_theConnectList().RemoveAll();
}

TEST(Joint, TransferFromWallAccumulatesPerLoadCase) {
  CBMJoint j;
  j.TranferJointLoadFromWall("DL", "FORCE", 1, 2, 3, 4, 5, 6);
  ASSERT_EQ(j.get_JointLoadList()->GetCount(), 1);
  j.AddJointLoad("LL", "FORCE", 10, 0, 0, 0, 0, 0);
  j.TranferJointLoadFromWall("DL", "OTHER", 1, 1, 1, 1, 1, 1);
  j.TranferJointLoadFromWall("WX", "FORCE", 0, 0, -7, 0, 0, 0);
  ASSERT_EQ(j.get_JointLoadList()->GetCount(), 3);

  auto* dl = static_cast<CBMJointLoad*>(j.get_JointLoadList()->GetItem(1));
  EXPECT_EQ(dl->get_Lc(), "DL");
  EXPECT_EQ(dl->get_sType(), "FORCE");  // the first type stays
  const double expected[6] = {2, 3, 4, 5, 6, 7};
  const double got[6] = {dl->get_FX(), dl->get_FY(), dl->get_FZ(), dl->get_MX(), dl->get_MY(), dl->get_MZ()};
  for (int k = 0; k < 6; ++k) EXPECT_EQ(got[k], expected[k]) << k;

  auto* ll = static_cast<CBMJointLoad*>(j.get_JointLoadList()->GetItem(2));
  EXPECT_EQ(ll->get_FX(), 10.0);
  EXPECT_EQ(ll->get_FY(), 0.0);
  auto* wx = static_cast<CBMJointLoad*>(j.get_JointLoadList()->GetItem(3));
  EXPECT_EQ(wx->get_Lc(), "WX");
  EXPECT_EQ(wx->get_FZ(), -7.0);

  // The load-case match is exact.
  j.TranferJointLoadFromWall("dl", "FORCE", 1, 0, 0, 0, 0, 0);
  EXPECT_EQ(j.get_JointLoadList()->GetCount(), 4);
}

TEST(Joint, IsSameOfComparesNameDiaphragmAndRestraint) {
  CBMLevelDiaphragm d1, d2, d1b;
  d1.set_Name("D1");
  d2.set_Name("D2");
  d1b.set_Name("D1");
  CBMJoint a, b;
  a.set_Name("J1");
  b.set_Name("J1");
  EXPECT_TRUE(a.IsSameOf(&b));
  EXPECT_FALSE(a.IsSameOf(nullptr));
  a.set_pDiaphragm(&d1);
  EXPECT_TRUE(a.IsSameOf(&b));  // only one has a diaphragm
  b.set_pDiaphragm(&d2);
  EXPECT_FALSE(a.IsSameOf(&b));
  b.set_pDiaphragm(&d1b);
  EXPECT_TRUE(a.IsSameOf(&b));
  a.CreateJointRestraint()->set_bU(1, 1);
  EXPECT_TRUE(a.IsSameOf(&b));  // only one has a restraint
  b.CreateJointRestraint();
  EXPECT_TRUE(a.IsSameOf(&b));  // restraints are compared by name only
  b.get_pRestraint()->set_Name("R");
  EXPECT_FALSE(a.IsSameOf(&b));
  CBMJoint c;
  c.set_Name("J2");
  EXPECT_FALSE(a.IsSameOf(&c));

  CBMJointList list;
  CString j2("J2"), j1("J1");
  list.AddJoint(j2);
  EXPECT_FALSE(list.IsExist(&a));
  list.AddJoint(j1);
  EXPECT_TRUE(list.IsExist(&a));
  EXPECT_FALSE(list.IsExist(nullptr));
}

TEST(Joint, DisplacementsLoadBackAsTheirOwnClass) {
  CBMJoint j;
  j.set_Name("J9");
  j.AddDisplacement("DL", 1, 2, 3, 4, 5, 6);
  std::vector<uint8_t> bytes;
  {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    j.Serialize(ar);
    ar.Close();
    bytes = file.Data();
  }
  CBMJoint loaded;
  CMemFile in(bytes);
  CArchive ar(&in, CArchive::load);
  loaded.Serialize(ar);
  EXPECT_EQ(ar.BytesLeft(), 0u);
  ASSERT_EQ(loaded.get_pJointDisplacementList()->GetCount(), 1);
  auto* d = dynamic_cast<CBMJointDisplacement*>(loaded.get_pJointDisplacementList()->GetItem(1));
  ASSERT_NE(d, nullptr);
}

}  // namespace
