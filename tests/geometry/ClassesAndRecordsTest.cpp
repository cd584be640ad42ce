// The geometry's run-time classes, the exact archive bytes of each record family, IsSameOf's fields.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <tuple>

#include "support/ArchiveHelpers.h"
#include "support/ByteBuilder.h"

namespace {

using namespace bm::test;  // ByteBuilder, LoadObject, StoreBytes, StoreObject

TEST(GeometryClasses, LegacyPartsReportComponentAndGridsAreKept) {
  // Legacy: the level is no component; these parts report CBMComponent and write nothing.
  EXPECT_FALSE(CBMLevel().IsKindOf(RUNTIME_CLASS(CBMComponent)));
  EXPECT_EQ(CBMLineElement().get_ObjectType() + 10 * CBMBrace().get_ObjectType(), BM_NONE + 10 * BM_BRACE);
  CBMRigidZone zone;
  CBMJointMass mass;
  CBMAreaMass areaMass;
  CBMJointPannelZone panel;
  CBMAreaModifier modifier;
  CBMAreaSpring spring;
  CBMLevelDiaphragmModes modes;
  for (const CObject* o :
       std::initializer_list<const CObject*>{&zone, &mass, &panel, &areaMass, &modifier, &spring, &modes})
    EXPECT_STREQ(o->GetRuntimeClass()->m_lpszClassName, "CBMComponent");
  EXPECT_TRUE(StoreBytes([&](CArchive& ar) {
                CBMJointSpring().Serialize(ar);
                zone.Serialize(ar);
                areaMass.Serialize(ar);
                mass.Serialize(ar);
              }).empty());
  CBMGridList grids;
  grids.Add(new CBMGrid);
  grids.DeleteAll();  // the destructor then frees the later member only (ASan)
  grids.Add(new CBMGrid("Y", "2", 10, "SECONDARY", "END", true));
  auto* g = grids.ItemAs<CBMGrid>(1);
  EXPECT_EQ(g->get_AxisDir() + g->get_GridLabel() + g->get_LineType() + g->get_BubbleLoc(), "Y2SECONDARYEND");
  EXPECT_TRUE(g->get_Coord() == 10.0 && g->get_Hide());
}

// IsSameOf: each row edits a field (edits accumulate) and gives the expected answer.
template <typename... T>
void Name(const char* name, T&... objects) {
  (objects.set_Name(name), ...);
}

using Rows = std::initializer_list<std::tuple<const char*, std::function<void()>, bool>>;
void ExpectRows(const std::function<bool()>& same, Rows rows) {
  for (const auto& [edit, apply, want] : rows) {
    apply();
    EXPECT_EQ(same(), want) << edit;
  }
}

TEST(IsSameOf, JointsLineElementsAndShellsCompareOnlyTheirKeyFields) {
  CBMLevelDiaphragm d1, d2, d1b;
  Name("D1", d1, d1b);
  Name("D2", d2);
  CBMJoint ja, jb;
  Name("J1", ja);
  EXPECT_FALSE(ja.IsSameOf(nullptr));
  ExpectRows([&] { return ja.IsSameOf(&jb); },
             {{"same name", [&] { jb.set_Name("J1"); }, true},
              {"other name", [&] { jb.set_Name("J2"); }, false},
              {"one diaphragm", [&] { jb.set_Name("J1"), ja.set_pDiaphragm(&d1); }, true},
              {"other diaphragm", [&] { jb.set_pDiaphragm(&d2); }, false},
              {"restraint", [&] { jb.set_pDiaphragm(&d1b), ja.CreateJointRestraint()->set_bU(1, 1); }, true},
              {"restraints by name only", [&] { jb.CreateJointRestraint(); }, true},
              {"other restraint name", [&] { jb.get_pRestraint()->set_Name("R"); }, false}});
  EXPECT_FALSE(CBMJointList().IsExist(nullptr));  // the lists' look-up: see Level.IsSameWithLevel

  CBMFrameSection f1, f2;
  CBMLine l1, l2;
  CBMColumn ca, cb;
  Name("C500", f1, f2);
  Name("L1", l1, l2);
  ca.set_pLine(&l1);
  cb.set_pLine(&l2);
  EXPECT_FALSE(ca.IsSameOf(nullptr));
  ExpectRows([&] { return ca.IsSameOf(&cb); },
             {{"no sections", [] {}, true},
              {"sections", [&] { ca.set_pFrameSection(&f1), cb.set_pFrameSection(&f2); }, true},
              {"30 / 30", [&] { ca.set_Angle(30), cb.set_Angle(30); }, true},
              {"30 / 30.00001", [&] { cb.set_Angle(30.00001); }, true},
              {"30.00001 / 30", [&] { ca.set_Angle(30.00001), cb.set_Angle(30); }, true},
              {"30 / 30.00002", [&] { ca.set_Angle(30), cb.set_Angle(30.00002); }, false},
              {"0 / -0.00002", [&] { ca.set_Angle(0), cb.set_Angle(-0.00002); }, false},
              {"other line name", [&] { cb.set_Angle(0), l2.set_Name("L2"); }, false},
              {"other section name", [&] { l2.set_Name("L1"), f2.set_Name("C600"); }, false},
              {"one section missing", [&] { cb.set_pFrameSection(nullptr); }, false},
              {"both sections missing", [&] { ca.set_pFrameSection(nullptr); }, true}});
  EXPECT_EQ(cb.get_FrameSectionId(), -1);  // a null section sets the id -1

  CBMWallSlabDeckSection w1, w2;
  CBMArea a1, a2;
  CBMDiaphragm d;
  CBMSlab s1, s2;
  Name("S150", w1, w2);
  Name("F1", a1, a2);
  s1.set_pShellSection(&w1);
  s1.set_pArea(&a1);
  s2.set_pShellSection(&w2);
  s2.set_pArea(&a2);
  EXPECT_FALSE(s1.IsSameOf(nullptr));
  ExpectRows([&] { return s1.IsSameOf(&s2); },
             {{"names and diaphragms aside", [&] { s1.set_Name("ONE"), s1.SetDiaphragm(&d); }, true},
              {"other area name", [&] { a2.set_Name("F2"); }, false},
              {"other section name", [&] { a2.set_Name("F1"), w2.set_Name("S200"); }, false}});
}

TEST(RecordLayout, JointWithRestraintLoadAndReservedWord) {
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
  for (int i : {1, 2, 6}) r->set_bU(i, 1);
  joint->AddJointLoad("DL", "FORCE", 1.5, 0, -2, 0, 0, 3);
  ByteBuilder expected;
  expected.I32(2).Str("J7").Str("D1").I32(1).Str("P7");       // component, diaphragm, restraint flag, point
  expected.I32(1).I32(1).I32(0).I32(0).I32(0).I32(1).I32(0);  // flags, reserved word
  expected.I32(1).Class("CBMJointLoad").F64(1.5).F64(0).F64(-2).F64(0).F64(0).F64(3).Str("DL").Str("FORCE");
  expected.I32(0);  // displacements
  const auto bytes = StoreObject(*joint);
  EXPECT_EQ(bytes, expected.bytes());

  // The reserved word is ignored whatever it holds, and written as 0.
  std::vector<uint8_t> other = bytes;
  other[4 + 3 + 3 + 4 + 3 + 6 * 4] = 0x5A;
  CBMJoint loaded;
  ASSERT_TRUE(LoadObject(loaded, other));
  EXPECT_EQ(loaded.get_pRestraint()->get_bU(5), 1);
  EXPECT_EQ(StoreObject(loaded), bytes);

  // Without a restraint: the flag 0 and no restraint words.
  CBMJoint plain;
  EXPECT_EQ(StoreObject(plain), ByteBuilder().I32(0).Str("").Str("").I32(0).Str("").I32(0).I32(0).bytes());
}

TEST(RecordLayout, BeamWithReleaseAndForces) {
  CBMFrameSection section;
  CBMLine line;
  CBMJoint ji, jj;
  ji.set_Id(1);
  jj.set_Id(4);
  CBMBeam beam;
  beam.set_Name("B1");
  beam.set_Angle(90);
  beam.set_pFrameSection(&section);
  beam.set_pLine(&line);
  beam.Set_pJoint(&ji, &jj);
  section.set_Id(6);  // section and line ids are refreshed when stored
  line.set_Id(7);
  ji.set_Id(8);  // joint ids are written as held
  CBMLineRelease* release = beam.CreateRelease();
  release->set_bRelease(5, true);
  release->set_bRelease(12, true);
  release->set_dParFix(11, 0.5);
  release->set_dParFix(0, 0.25);  // the first and last slots
  beam.AddForce("DL", 2.0, 1, 2, 3, 4, 5, 6);
  ByteBuilder expected;
  expected.I32(0).Str("B1").F64(90).F64(24).F64(3);  // angle, max and min spacing
  expected.I32(6).I32(7).I32(1).I32(4).I32(1);       // section, line, joints, IsRelease
  for (int i = 0; i < 12; ++i)
    expected.I32(i == 4 || i == 11 ? 1 : 0).F64(i == 11 ? 0.5 : i == 0 ? 0.25 : 0.0);
  expected.I32(0).I32(1).Class("CBMComponent");  // no line loads; forces report CBMComponent
  expected.I32(1).Str("").F64(2.0).Str("DL").F64(1).F64(2).F64(3).F64(4).F64(5).F64(6);
  const auto bytes = StoreObject(beam);
  EXPECT_EQ(bytes, expected.bytes());
  CBMBeam plain;                                               // (its load: the whole-model archive tests)
  EXPECT_EQ(StoreObject(plain).size(), 5u + 24 + 16 + 4 + 8);  // without a release: flag 0, no release words
}

TEST(RecordLayout, PointLineAndAreaWithRefreshedNamesAndZeroStatus) {
  CBMPoint p1(1.5, -2, 7, true), p2;
  p1.set_Name("P1");
  EXPECT_EQ(StoreObject(p1), ByteBuilder().I32(0).Str("P1").F64(1.5).F64(-2).F64(7).I32(1).bytes());
  CBMLine line(&p1, &p2);
  line.set_Name("L1");
  line.SetType("BEAM");
  line.SetPassStoryNum(3);
  p2.set_Name("Q2");
  const auto bytes = StoreObject(line);
  EXPECT_EQ(bytes, ByteBuilder().I32(0).Str("L1").I32(1).Str("BEAM").Str("P1").Str("Q2").I32(3).bytes());
  CBMLine loaded;
  ASSERT_TRUE(LoadObject(loaded, bytes));
  EXPECT_EQ(loaded.get_P2Name(), "Q2");
  EXPECT_EQ(loaded.get_pP1(), nullptr);
  EXPECT_EQ(loaded.GetPassStory(), 3);
  EXPECT_EQ(StoreObject(loaded), bytes);  // stores the names it was loaded with
  CBMPoint p[3];
  CBMArea area;
  area.set_Name("W1");
  area.SetAreaType("PANEL");
  for (int i = 0; i < 3; ++i) area.AddPoint(&p[i]), p[i].set_Name(CString(std::string(1, 'A' + i)));
  area.AddPointType(0);
  area.AddPointType(1);
  p[1].set_Name("B2");  // the current name is written
  const auto areaBytes = StoreObject(area);
  ByteBuilder expected;
  expected.I32(0).Str("W1").I32(3).Str("PANEL").I32(0).Str("A").I32(1).Str("B2").I32(0).Str("C");
  EXPECT_EQ(areaBytes, expected.bytes());
  CBMArea loadedArea;
  ASSERT_TRUE(LoadObject(loadedArea, areaBytes));
  EXPECT_EQ(loadedArea.GetCount(), 3);
  EXPECT_EQ(loadedArea.GetPoint(1), nullptr);  // attached later by name
  EXPECT_EQ(loadedArea.GetPointName(1), "B2");
  EXPECT_EQ(StoreObject(loadedArea), areaBytes);  // unattached corners keep their names
  CBMArea broken;                                 // an impossible corner count is refused, not allocated
  const auto huge = ByteBuilder().I32(0).Str("X").I32(0x7fffffff).Str("").bytes();
  EXPECT_THROW(LoadObject(broken, huge), CArchiveException);
}

TEST(RecordLayout, DiaphragmSumsLevelDiaphragmJointIdsShellPierAndForces) {
  CBMDiaphragm d;
  d.set_Name("D1");
  d.CountIncrease();  // raises the divisor only
  EXPECT_EQ(d.Get_CX(), 0.0);
  d.AddPointForDiaCenter(1, 2);
  d.AddPointForDiaCenter(3, 5);
  EXPECT_EQ(StoreObject(d),
            ByteBuilder().I32(0).Str("D1").F64(4.0 / 3).F64(7.0 / 3).F64(4).F64(7).I32(3).bytes());
  CBMJointList joints;
  CString a("A"), b("B");
  joints.AddJoint(a);
  CBMLevelDiaphragm ld;
  ld.set_Name("D1");
  ld.AddJoint(joints.AddJoint(b));
  ld.CountIncrease();
  ld.AddModeResult(1, 1, 2, 3, 4, 5, 6);  // modes are not archived
  // Centre, sums, the real joint count, joint ids.
  const auto ldBytes = StoreObject(ld);
  EXPECT_EQ(ldBytes, ByteBuilder().I32(0).Str("D1").F64(0).F64(0).F64(0).F64(0).I32(1).I32(2).bytes());
  CBMLevelDiaphragm ldLoaded;  // the ids wait for the rebuild
  ASSERT_TRUE(LoadObject(ldLoaded, ldBytes));
  EXPECT_EQ(ldLoaded.ArchiveJointId(1), 2);
  EXPECT_EQ(ldLoaded.GetJointAmount(), 0);
  // Component, section id -1, reserved double, mesh option, reserved int,
  // empty load block, empty diaphragm name.
  CBMSlab slab;
  ByteBuilder expected;
  expected.I32(0).Str("").I32(-1).F64(0.0).Str("PROGDET").I32(0).I32(0).Str("");
  EXPECT_EQ(StoreObject(slab), expected.bytes());
  CBMPierSpandrel pier;
  CBMWall wall;
  wall.set_pPierSpandrel(&pier);
  pier.set_Name("P8");  // refreshed when stored
  wall.AddLineLoad("DL", "UNIFF", "GRAV", 0, 4, 1, 4);
  wall.AddForce("DL", 0.5, 1, 2, 3, 4, 5, 6);
  wall.AddAreaLoad("LL", "UNIFF", "GRAV", 1.0);
  const auto bytes = StoreObject(wall);
  CBMWall loaded;
  ASSERT_TRUE(LoadObject(loaded, bytes));
  EXPECT_EQ(loaded.get_PierName(), "P8");
  EXPECT_EQ(loaded.GetLineLoadCount(), 0);
  EXPECT_EQ(loaded.GetForceList()->GetCount(), 1);
  EXPECT_EQ(loaded.get_SlabLoadList()->GetCount(), 1);
  EXPECT_EQ(StoreObject(loaded), bytes);
}

}  // namespace
