// Areas, the area list, shell elements, slabs and walls.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include "loads/BMMemberLoad.h"
#include "support/ArchiveHelpers.h"
#include "support/ByteBuilder.h"

namespace {

// A list of references to the given points in the given order.
void Sequence(CBMComponentList& list, std::initializer_list<CBMPoint*> points) {
  list.RemoveAll();
  for (CBMPoint* p : points) list.Add(p);
}

TEST(AreaList, FindAreaByPointsNeedsSameStartAndDirection) {
  CBMPoint p1, p2, p3, p4;
  CBMAreaList areas;
  CString floorName("F1"), rampName("R1");
  CBMArea* floor = areas.AddArea(floorName);
  floor->SetAreaType("FLOOR");
  for (CBMPoint* p : {&p1, &p2, &p3, &p4}) floor->AddPoint(p);
  CBMArea* ramp = areas.AddArea(rampName);
  ramp->SetAreaType("RAMP");
  for (CBMPoint* p : {&p2, &p3, &p4, &p1}) ramp->AddPoint(p);

  CBMComponentList seq;
  Sequence(seq, {&p1, &p2, &p3, &p4});
  EXPECT_EQ(areas.FindAreaByPoints(&seq), floor);
  EXPECT_EQ(areas.FindRampAreaByPoints(&seq), nullptr);
  Sequence(seq, {&p2, &p3, &p4, &p1});  // rotated: only the ramp has it
  EXPECT_EQ(areas.FindAreaByPoints(&seq), nullptr);
  EXPECT_EQ(areas.FindRampAreaByPoints(&seq), ramp);
  Sequence(seq, {&p4, &p3, &p2, &p1});  // reversed
  EXPECT_EQ(areas.FindAreaByPoints(&seq), nullptr);
  EXPECT_EQ(areas.FindRampAreaByPoints(&seq), nullptr);
  Sequence(seq, {&p1, &p2, &p3});  // shorter
  EXPECT_EQ(areas.FindAreaByPoints(&seq), nullptr);
  EXPECT_EQ(areas.FindAreaByPoints(nullptr), nullptr);
  seq.RemoveAll();
}

TEST(Area, CornerAccessorsKeepTheirIndexBases) {
  CBMPoint p1, p2;
  CBMArea area;
  area.AddPoint(&p1);
  area.AddPoint(nullptr);
  area.AddPoint(&p2);
  EXPECT_EQ(area.GetCount(), 2);
  EXPECT_EQ(area.GetPoint(1), &p1);
  EXPECT_EQ(area.GetPoint(2), &p2);
  EXPECT_EQ(area.GetPoint(3), nullptr);
  area.AddPointType(5);
  area.AddPointType(6);
  EXPECT_EQ(area.GetPointStatus(1), 5);  // 1-based
  EXPECT_EQ(area.GetPointStatus(2), 6);
  EXPECT_EQ(area.GetPointStatus(0), 0);
  EXPECT_EQ(area.GetPointID(0), 0);  // nothing fills PointId
  EXPECT_EQ(area.GetPointName(0), "");
}

TEST(Area, RecordCarriesStatusesAndCurrentPointNames) {
  CBMPoint p1, p2, p3;
  p1.set_Name("A");
  p2.set_Name("B");
  p3.set_Name("C");
  CBMArea area;
  area.set_Name("W1");
  area.SetAreaType("PANEL");
  for (CBMPoint* p : {&p1, &p2, &p3}) area.AddPoint(p);
  area.AddPointType(0);
  area.AddPointType(1);  // the third corner has no status: written as 0
  p2.set_Name("B2");     // the current name is written
  const auto bytes = bm::test::StoreObject(area);
  bm::test::ByteBuilder expected;
  expected.I32(0).Str("W1").I32(3).Str("PANEL").I32(0).Str("A").I32(1).Str("B2").I32(0).Str("C");
  EXPECT_EQ(bytes, expected.bytes());

  CBMArea loaded;
  ASSERT_TRUE(bm::test::LoadObject(loaded, bytes));
  EXPECT_EQ(loaded.GetCount(), 3);
  EXPECT_EQ(loaded.GetPoint(1), nullptr);  // attached later by name
  EXPECT_EQ(loaded.GetPointNameCount(), 3);
  EXPECT_EQ(loaded.GetPointName(1), "B2");
  EXPECT_EQ(loaded.GetPointStatus(2), 1);
  EXPECT_EQ(loaded.GetAreaType(), "PANEL");
  // A loaded area that was never re-attached stores its names again.
  EXPECT_EQ(bm::test::StoreObject(loaded), bytes);

  // An impossible corner count is refused, not allocated.
  bm::test::ByteBuilder bad;
  bad.I32(0).Str("X").I32(0x7fffffff).Str("");
  CBMArea broken;
  EXPECT_THROW(bm::test::LoadObject(broken, bad.bytes()), CArchiveException);
}

TEST(ShellElement, IsSameOfComparesSectionAndAreaNames) {
  CBMWallSlabDeckSection sec1, sec2;
  sec1.set_Name("S150");
  sec2.set_Name("S150");
  CBMArea a1, a2;
  a1.set_Name("F1");
  a2.set_Name("F1");
  CBMDiaphragm d;
  d.set_Name("D1");
  CBMSlab s1, s2;
  s1.set_Name("ONE");
  s2.set_Name("TWO");
  s1.set_pShellSection(&sec1);
  s1.set_pArea(&a1);
  s1.SetDiaphragm(&d);
  s2.set_pShellSection(&sec2);
  s2.set_pArea(&a2);
  EXPECT_TRUE(s1.IsSameOf(&s2));  // names and diaphragms do not matter
  a2.set_Name("F2");
  EXPECT_FALSE(s1.IsSameOf(&s2));
  a2.set_Name("F1");
  sec2.set_Name("S200");
  EXPECT_FALSE(s1.IsSameOf(&s2));
  EXPECT_FALSE(s1.IsSameOf(nullptr));

  CBMSlabList slabs;
  CString name("X");
  CBMSlab* member = slabs.AddSlab(name);
  member->set_pShellSection(&sec1);
  member->set_pArea(&a2);
  EXPECT_TRUE(slabs.IsExist(&s1));
  EXPECT_FALSE(slabs.IsExist(&s2));
}

TEST(ShellElement, VertexAccessorsAndAreaLoads) {
  CBMSlab slab;
  EXPECT_EQ(slab.get_ObjectType(), BM_SLAB);
  EXPECT_EQ(slab.get_MeshOption(), "PROGDET");
  EXPECT_EQ(slab.get_VertexCount(), 0);
  EXPECT_EQ(slab.get_pPoint(1), nullptr);
  EXPECT_EQ(slab.GetType(), "");
  CBMPoint p;
  CBMArea area;
  area.SetAreaType("FLOOR");
  area.AddPoint(&p);
  slab.set_pArea(&area);
  EXPECT_EQ(slab.get_VertexCount(), 1);
  EXPECT_EQ(slab.get_pPoint(1), &p);
  EXPECT_EQ(slab.GetType(), "FLOOR");
  CBMAreaLoad* load = slab.AddAreaLoad("LL", "UNIFF", "GRAV", 2.5);
  EXPECT_EQ(load->get_Lc(), "LL");
  EXPECT_EQ(load->get_sType(), "UNIFF");
  EXPECT_EQ(load->get_sDir(), "GRAV");
  EXPECT_EQ(load->get_Value(), 2.5);
  EXPECT_EQ(slab.get_SlabLoadList()->GetCount(), 1);
}

TEST(Wall, PierLookupGeometryAndLineLoads) {
  CBMPierSpandrel pier;
  pier.set_Name("P1");
  CBMWallList walls;
  CString w1("W1"), w2("W2");
  walls.AddWall(w1);
  CBMWall* wall = walls.AddWall(w2);
  EXPECT_EQ(wall->get_ObjectType(), BM_WALL);
  wall->set_pPierSpandrel(&pier);
  EXPECT_EQ(wall->get_PierName(), "P1");
  CString lower("p1"), none("P2");
  EXPECT_EQ(walls.GetItemByPierName(lower), wall);
  EXPECT_EQ(walls.GetItemByPierName(none), nullptr);
  wall->SaveOldPier();
  wall->set_pPierSpandrel(nullptr);
  EXPECT_EQ(wall->GetOldPierName(), "P1");
  EXPECT_EQ(wall->get_PierName(), "");

  EXPECT_EQ(wall->get_Distance(), 0.0);
  EXPECT_EQ(wall->GetThichness(), 0.0);
  CBMPoint p1(0, 0, 0, false), p2(0, 7, 0, false);
  CBMArea area;
  area.AddPoint(&p1);
  area.AddPoint(&p2);
  wall->set_pArea(&area);
  EXPECT_DOUBLE_EQ(wall->get_Distance(), 7.0);
  CBMWallSlabDeckSection section;
  section.set_TB(0.3);
  wall->set_pShellSection(&section);
  EXPECT_EQ(wall->GetThichness(), 0.3);

  wall->AddLineLoad("DL", "UNIFF", "GRAV", 0, 4, 1, 4);
  EXPECT_EQ(wall->GetLineLoadCount(), 1);
  EXPECT_EQ(wall->GetLineLoadItem(1)->get_UniformV(), 4.0);
  EXPECT_EQ(wall->GetLineLoadItem(2), nullptr);
}

TEST(Wall, RecordKeepsPierAndForcesButNotLineLoads) {
  CBMPierSpandrel pier;
  pier.set_Name("P7");
  CBMWall wall;
  wall.set_Name("W1");
  wall.set_pPierSpandrel(&pier);
  pier.set_Name("P8");  // refreshed from the label when stored
  wall.AddLineLoad("DL", "UNIFF", "GRAV", 0, 4, 1, 4);
  wall.AddForce("DL", 0.5, 1, 2, 3, 4, 5, 6);
  wall.AddAreaLoad("LL", "UNIFF", "GRAV", 1.0);
  const auto bytes = bm::test::StoreObject(wall);
  CBMWall loaded;
  ASSERT_TRUE(bm::test::LoadObject(loaded, bytes));
  EXPECT_EQ(loaded.get_PierName(), "P8");
  EXPECT_EQ(loaded.GetLineLoadCount(), 0);
  ASSERT_EQ(loaded.GetForceList()->GetCount(), 1);
  EXPECT_NE(dynamic_cast<CBMShellEleIntForces*>(loaded.GetForceList()->GetItem(1)), nullptr);
  EXPECT_EQ(loaded.get_SlabLoadList()->GetCount(), 1);
  EXPECT_EQ(bm::test::StoreObject(loaded), bytes);

  CBMSlab slab;
  bm::test::ByteBuilder expected;
  // Component, section id -1, reserved double, mesh option, reserved int,
  // empty load block, empty diaphragm name.
  expected.I32(0).Str("").I32(-1).F64(0.0).Str("PROGDET").I32(0).I32(0).Str("");
  EXPECT_EQ(bm::test::StoreObject(slab), expected.bytes());
}

}  // namespace
