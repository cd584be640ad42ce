// Exact archive bytes of a joint with a restraint and a beam with a release,
// against bytes built independently of the archive class.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include "loads/BMResult.h"
#include "support/ArchiveHelpers.h"
#include "support/ByteBuilder.h"

namespace {

using bm::test::ByteBuilder;

TEST(RecordLayout, JointWithRestraintAndLoad) {
  CBMJointList joints;
  CString a("A"), name("j7");
  joints.AddJoint(a);
  CBMJoint* joint = joints.AddJoint(name);  // id 2
  CBMPoint point(1, 2, 0, false);
  point.set_Name("P7");
  joint->set_pPoint(&point);
  CBMLevelDiaphragm diaphragm;
  diaphragm.set_Name("D1");
  joint->set_pDiaphragm(&diaphragm);
  CBMJointRestraint* r = joint->CreateJointRestraint();
  r->set_bU(1, 1);
  r->set_bU(2, 1);
  r->set_bU(6, 1);
  joint->AddJointLoad("DL", "FORCE", 1.5, 0, -2, 0, 0, 3);

  ByteBuilder expected;
  expected.I32(2).Str("J7");                                  // component part
  expected.Str("D1");                                         // DiaphragmName
  expected.I32(1);                                            // HasRestraint
  expected.Str("P7");                                         // PointName
  expected.I32(1).I32(1).I32(0).I32(0).I32(0).I32(1).I32(0);  // flags, reserved
  expected.I32(1).Class("CBMJointLoad");                      // load block
  expected.F64(1.5).F64(0).F64(-2).F64(0).F64(0).F64(3).Str("DL").Str("FORCE");
  expected.I32(0);  // displacement block
  const auto bytes = bm::test::StoreObject(*joint);
  EXPECT_EQ(bytes, expected.bytes());

  CBMJoint loaded;
  ASSERT_TRUE(bm::test::LoadObject(loaded, bytes));
  ASSERT_NE(loaded.get_pRestraint(), nullptr);
  EXPECT_EQ(loaded.get_HasRestraint(), 1);
  const int flags[6] = {1, 1, 0, 0, 0, 1};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(loaded.get_pRestraint()->get_bU(i), flags[i]) << i;
  EXPECT_EQ(loaded.get_Id(), 2);

  // The reserved word is skipped whatever it holds.
  std::vector<uint8_t> other = bytes;
  const size_t reservedAt = 4 + 3 + 3 + 4 + 3 + 6 * 4;
  other[reservedAt] = 0x5A;
  CBMJoint tolerant;
  EXPECT_TRUE(bm::test::LoadObject(tolerant, other));
  EXPECT_EQ(tolerant.get_pRestraint()->get_bU(5), 1);

  // A joint without a restraint writes the flag 0 and no restraint words.
  CBMJoint plain;
  ByteBuilder noRestraint;
  noRestraint.I32(0).Str("").Str("").I32(0).Str("").I32(0).I32(0);
  EXPECT_EQ(bm::test::StoreObject(plain), noRestraint.bytes());
}

TEST(RecordLayout, BeamWithReleaseAndForces) {
  CBMFrameSection section;
  section.set_Name("B300");
  section.set_Id(3);
  CBMLine line;
  line.set_Id(5);
  CBMJoint ji, jj;
  ji.set_Id(1);
  jj.set_Id(4);
  CBMBeam beam;
  beam.set_Name("B1");
  beam.set_Angle(90);
  beam.set_pFrameSection(&section);
  beam.set_pLine(&line);
  beam.Set_pJoint(&ji, &jj);
  section.set_Id(6);  // refreshed when stored
  line.set_Id(7);
  ji.set_Id(8);  // joint ids are written as held
  CBMLineRelease* release = beam.CreateRelease();
  release->set_bRelease(5, true);
  release->set_bRelease(12, true);
  release->set_dParFix(11, 0.5);
  beam.AddForce("DL", 2.0, 1, 2, 3, 4, 5, 6);

  ByteBuilder expected;
  expected.I32(0).Str("B1");
  expected.F64(90).F64(24).F64(3);       // Angle, MaxSpc, MinSpc
  expected.I32(6).I32(7).I32(1).I32(4);  // section, line, joint ids
  expected.I32(1);                       // IsRelease
  for (int i = 0; i < 12; ++i) {
    expected.I32(i == 4 || i == 11 ? 1 : 0).F64(i == 11 ? 0.5 : 0.0);
  }
  expected.I32(0);                        // line loads
  expected.I32(1).Class("CBMComponent");  // forces report CBMComponent
  expected.I32(1).Str("").F64(2.0).Str("DL").F64(1).F64(2).F64(3).F64(4).F64(5).F64(6);
  const auto bytes = bm::test::StoreObject(beam);
  EXPECT_EQ(bytes, expected.bytes());

  CBMBeam loaded;
  ASSERT_TRUE(bm::test::LoadObject(loaded, bytes));
  ASSERT_EQ(loaded.IsRelease(), 1);
  EXPECT_EQ(loaded.get_pLineRelease()->get_bRelease(4), 1);
  EXPECT_EQ(loaded.get_pLineRelease()->IsReleaseJx(), 1);
  EXPECT_EQ(loaded.get_pLineRelease()->get_dParFix(11), 0.5);
  EXPECT_NE(dynamic_cast<CBMLineEleIntForces*>(loaded.get_ForceList()->GetItem(1)), nullptr);

  // Without a release: the flag 0 and no 144 release bytes.
  CBMBeam plain;
  const auto plainBytes = bm::test::StoreObject(plain);
  EXPECT_EQ(plainBytes.size(), 5u + 24 + 16 + 4 + 8);
  CBMBeam released;
  released.CreateRelease();
  EXPECT_EQ(bm::test::StoreObject(released).size(), plainBytes.size() + 144);
}

TEST(RecordLayout, LineAndPointRecords) {
  CBMPoint p1(1.5, -2, 7, true), p2;
  p1.set_Name("P1");
  p2.set_Name("P2");
  ByteBuilder point;
  point.I32(0).Str("P1").F64(1.5).F64(-2).F64(7).I32(1);
  EXPECT_EQ(bm::test::StoreObject(p1), point.bytes());

  CBMLine line(&p1, &p2);
  line.set_Name("L1");
  line.SetType("BEAM");
  line.SetPassStoryNum(3);
  p2.set_Name("Q2");  // names are refreshed on store
  ByteBuilder expected;
  expected.I32(0).Str("L1").I32(1).Str("BEAM").Str("P1").Str("Q2").I32(3);
  const auto bytes = bm::test::StoreObject(line);
  EXPECT_EQ(bytes, expected.bytes());
  CBMLine loaded;
  ASSERT_TRUE(bm::test::LoadObject(loaded, bytes));
  EXPECT_EQ(loaded.get_P2Name(), "Q2");
  EXPECT_EQ(loaded.get_pP1(), nullptr);
  EXPECT_EQ(loaded.GetPassStory(), 3);
  // A loaded line without points stores the names it was loaded with.
  EXPECT_EQ(bm::test::StoreObject(loaded), bytes);
}

}  // namespace
