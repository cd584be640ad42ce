// Model-wide and level diaphragms: running centres, joints, records.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include "support/ArchiveHelpers.h"
#include "support/ByteBuilder.h"

namespace {

TEST(Diaphragm, RunningCentreAndCountIncrease) {
  CBMDiaphragm d;
  EXPECT_EQ(d.Get_CX(), 0.0);
  EXPECT_EQ(d.GetAssociatedPointAcount(), 0);
  d.AddPointForDiaCenter(4, 6);
  EXPECT_EQ(d.Get_CX(), 4.0);
  EXPECT_EQ(d.Get_CY(), 6.0);

  CBMDiaphragm t;
  t.AddPointForDiaCenter(0, 0);
  t.AddPointForDiaCenter(10, 0);
  t.AddPointForDiaCenter(10, 10);
  EXPECT_DOUBLE_EQ(t.Get_CX(), 20.0 / 3.0);
  EXPECT_DOUBLE_EQ(t.Get_CY(), 10.0 / 3.0);
  t.AddPointForDiaCenter(10, 10);  // a point added twice counts twice
  EXPECT_DOUBLE_EQ(t.Get_CX(), 7.5);

  // CountIncrease raises the divisor without adding coordinates.
  CBMDiaphragm c;
  c.CountIncrease();
  EXPECT_EQ(c.Get_CX(), 0.0);
  c.AddPointForDiaCenter(8, 4);
  EXPECT_EQ(c.GetAssociatedPointAcount(), 2);
  EXPECT_EQ(c.Get_CX(), 4.0);
  EXPECT_EQ(c.Get_CY(), 2.0);
}

TEST(Diaphragm, RecordRoundTrip) {
  CBMDiaphragm d;
  d.set_Name("D1");
  d.AddPointForDiaCenter(1, 2);
  d.AddPointForDiaCenter(3, 5);
  bm::test::ByteBuilder expected;
  expected.I32(0).Str("D1").F64(2.0).F64(3.5).F64(4.0).F64(7.0).I32(2);
  const auto bytes = bm::test::StoreObject(d);
  EXPECT_EQ(bytes, expected.bytes());
  CBMDiaphragm loaded;
  ASSERT_TRUE(bm::test::LoadObject(loaded, bytes));
  EXPECT_EQ(loaded.Get_CX(), 2.0);
  EXPECT_EQ(loaded.Get_SumY(), 7.0);
  EXPECT_EQ(loaded.GetAssociatedPointAcount(), 2);
  loaded.AddPointForDiaCenter(2, 2);  // continues from the loaded sums
  EXPECT_EQ(loaded.Get_CX(), 2.0);
  EXPECT_EQ(loaded.Get_CY(), 3.0);
}

TEST(LevelDiaphragm, AddJointKeepsIdsAndMovesCentre) {
  CBMPoint pa(0, 0, 0, false), pb(8, 2, 0, false);
  CBMJointList joints;
  CString a("A"), b("B"), c("C");
  CBMJoint* ja = joints.AddJoint(a);
  CBMJoint* jb = joints.AddJoint(b);
  CBMJoint* jc = joints.AddJoint(c);  // no point
  ja->set_pPoint(&pa);
  jb->set_pPoint(&pb);
  CBMLevelDiaphragm d;
  d.AddJoint(jb);
  d.AddJoint(ja);
  EXPECT_EQ(d.Get_CX(), 4.0);
  EXPECT_EQ(d.Get_CY(), 1.0);
  EXPECT_EQ(d.GetJointAmount(), 2);
  EXPECT_EQ(ja->get_Id(), 1);
  EXPECT_EQ(jb->get_Id(), 2);
  EXPECT_EQ(d.GetJointByIndex(1), jb);
  EXPECT_EQ(d.GetJointByIndex(3), nullptr);
  // A joint without a point joins but leaves the centre.
  d.AddJoint(jc);
  d.AddJoint(nullptr);
  EXPECT_EQ(d.GetJointAmount(), 3);
  EXPECT_EQ(d.GetCenterPointCount(), 2);
  EXPECT_EQ(d.Get_CX(), 4.0);
  EXPECT_EQ(jc->get_Id(), 3);

  // A centre set directly is overwritten by the running sums.
  CBMLevelDiaphragm s;
  s.SetDiaphragmCenter(1, 2);
  EXPECT_EQ(s.Get_CX(), 1.0);
  CBMPoint p(3, 4, 0, false);
  CBMJoint j;
  j.set_pPoint(&p);
  s.AddJoint(&j);
  EXPECT_EQ(s.Get_CX(), 3.0);
  EXPECT_EQ(s.Get_CY(), 4.0);
}

TEST(LevelDiaphragm, RecordWritesJointIdsAndModesAreOwned) {
  CBMJointList joints;
  CString a("A"), b("B");
  joints.AddJoint(a);
  CBMJoint* jb = joints.AddJoint(b);
  CBMLevelDiaphragm d;
  d.set_Name("D1");
  d.AddJoint(jb);
  d.CountIncrease();
  d.AddModeResult(1, 1, 2, 3, 4, 5, 6);
  d.AddModeResult(2, 0, 0, 0, 0, 0, 9);
  EXPECT_EQ(d.GetModeNumber(), 2);
  EXPECT_EQ(d.GetMode(2)->ModeIndex, 2);
  EXPECT_EQ(d.GetMode(1)->ModeResults[5], 6.0);
  EXPECT_EQ(d.GetMode(3), nullptr);

  bm::test::ByteBuilder expected;
  // Component, CX, CY, SumX, SumY, joint count (the real one), joint ids.
  expected.I32(0).Str("D1").F64(0).F64(0).F64(0).F64(0).I32(1).I32(2);
  const auto bytes = bm::test::StoreObject(d);
  EXPECT_EQ(bytes, expected.bytes());
  EXPECT_EQ(d.get_JointAmount(), 1);
  CBMLevelDiaphragm loaded;
  ASSERT_TRUE(bm::test::LoadObject(loaded, bytes));
  EXPECT_EQ(loaded.get_JointAmount(), 1);
  EXPECT_EQ(loaded.ArchiveJointAmount(), 1);
  EXPECT_EQ(loaded.ArchiveJointId(1), 2);
  EXPECT_EQ(loaded.ArchiveJointId(2), 0);
  EXPECT_EQ(loaded.GetJointAmount(), 0);
}

}  // namespace
