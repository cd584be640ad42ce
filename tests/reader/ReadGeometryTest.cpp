// Geometry and assignment handlers: points, lines, areas, point, line and
// area assignments, and the removal of unused diaphragms.
#include <gtest/gtest.h>

#include "reader/AdapterTestUtil.h"

namespace {

using bm::test::Frame;
using bm::test::Read;
using bm::test::ReadModel;

TEST(ReaderGeometry, PointsLinesAndTheirKinds) {
  auto m = Read(
      "POINT \"12\"  1.5 2.5 7\nPOINT \"12-1\"  1.5 2.5 4.0\nPOINT \"13\" 4.5 2.5\nPOINT \"12\" 9 9\n\n"
      " LINE  \"C1\"  COLUMN  \"12\"  \"12\"  1\n LINE  \"X1\"  COLUMN  \"12\"  \"13\"  1\n"
      " LINE  \"B1\"  COLUMN  \"12\"  \"13\"  0\n LINE  \"R1\"  BEAM  \"12\"  \"13\"  2\n"
      " LINE  \"M1\"  BEAM  \"12\"  \"99\"  0\n");
  ASSERT_EQ(m->geo()->get_pPointList()->GetCount(), 3);  // "12" again is the same point
  CBMPoint* p12 = m->Point("12");
  ASSERT_NE(p12, nullptr);
  EXPECT_DOUBLE_EQ(p12->get_X(), 1.5);
  EXPECT_DOUBLE_EQ(p12->get_Y(), 2.5);
  EXPECT_NE(p12->get_IsMidLevel(), 0);  // a third number marks a point between storeys
  EXPECT_DOUBLE_EQ(p12->get_Z(), 7.0);
  EXPECT_EQ(m->Point("13")->get_IsMidLevel(), 0);
  CBMPoint* mid = m->Point("12-1");
  ASSERT_NE(mid, nullptr);
  EXPECT_NE(mid->get_IsMidLevel(), 0);
  EXPECT_DOUBLE_EQ(mid->get_Z(), 4.0);

  ASSERT_EQ(m->geo()->get_pLineList()->GetCount(), 4);
  const struct {
    const char* name;
    const char* type;
    int pass;
  } lines[] = {
      {"C1", "COLUMN", 1}, {"X1", "COLUMN", 1}, {"B1", "COLUMN", 0}, {"R1", "BEAM", 2}};  // as written
  for (const auto& l : lines) {
    CBMLine* line = m->Line(l.name);
    ASSERT_NE(line, nullptr) << l.name;
    EXPECT_EQ(line->GetType(), l.type) << l.name;
    EXPECT_EQ(line->GetPassStory(), l.pass) << l.name;
    EXPECT_EQ(line->get_pP1(), p12);
  }
  EXPECT_EQ(m->Line("B1")->IsP1SameLevel(), 0);
  EXPECT_EQ(m->Line("C1")->IsP1SameLevel(), 1);
  EXPECT_EQ(m->report().Get("LINE", bm::skip::kPointNotFound), 1);
}

TEST(ReaderGeometry, AreasNeedEveryCorner) {
  auto m = Read(Frame() +
                "AREA \"F1\"  FLOOR  4 \"1\" \"2\" \"3\" \"4\" 0 1 0 1 \nAREA \"F2\"  FLOOR  4 \"1\" \"2\" "
                "\"3\" \"9\" 0 0 0 0 \n"
                "AREA \"F3\"  FLOOR  9 \"1\" \"2\"\nAREA \"F4\"  FLOOR  -2\n");
  ASSERT_EQ(m->geo()->get_pAreaList()->GetCount(), 1);
  CBMArea* f1 = m->Area("F1");
  ASSERT_NE(f1, nullptr);
  EXPECT_EQ(f1->GetAreaType(), "FLOOR");
  ASSERT_EQ(f1->GetCount(), 4);
  EXPECT_EQ(f1->GetPoint(3), m->Point("3"));
  EXPECT_EQ(f1->GetPointStatus(2), 1);
  EXPECT_EQ(f1->GetPointStatus(3), 0);
  EXPECT_EQ(m->report().Get("AREA", bm::skip::kPointNotFound), 3);
}

TEST(ReaderGeometry, AnAreaLineWithAMissingCornerLeavesAnEarlierAreaAlone) {
  // The legacy reader deleted the first area of the name, which a slab
  // already referred to.
  auto m = Read(Frame() +
                " SHELLPROP \"SL\" PROPTYPE \"SLAB\"\n\n"
                "AREA \"F1\"  FLOOR  4 \"1\" \"2\" \"3\" \"4\" 0 0 0 0\n\n"
                " AREAASSIGN    \"F1\"  \"STORY1\"  SECTION \"SL\"  OBJMESHTYPE \"DEFAULT\"\n\n"
                "AREA \"F1\"  FLOOR  4 \"1\" \"2\" \"3\" \"77\" 0 0 0 0\n");
  CBMArea* f1 = m->Area("F1");
  ASSERT_NE(f1, nullptr);
  EXPECT_EQ(f1->GetCount(), 4);
  CBMSlab* slab = m->Slab("STORY1", "F1");
  ASSERT_NE(slab, nullptr);
  EXPECT_EQ(slab->get_pArea(), f1);
  EXPECT_EQ(slab->get_VertexCount(), 4);
}

TEST(ReaderAssignments, PointAssignments) {
  auto m = Read(Frame() +
                " LINKPROP \"LK\" TYPE \"GAP\"\n\nDIAPHRAGM \"D1\"\n\n"
                " POINTASSIGN  \"1\"  \"STORY1\" RESTRAINT \"UX UY UZ RX RY RZ \"  DIAPH \"D1\" \n"
                " POINTASSIGN  \"2\"  \"STORY1\" RESTRAINT \"UX RZ\"\n"
                " POINTASSIGN  \"2\"  \"STORY1\" DIAPH \"D1\"\n"
                " POINTASSIGN  \"3\"  \"STORY1\" DIAPH DISCONNECTED\n"
                " POINTASSIGN  \"4\"  \"STORY1\" LINKPROP \"LK\"\n"
                " POINTASSIGN  \"4\"  \"STORY2\" SPUZ 10 SPRX 4 SPRZ 6 SPUX 1\n"
                " POINTASSIGN  \"1\"  \"NOSTORY\" DIAPH \"D1\"\n"
                " POINTASSIGN  \"99\"  \"STORY1\" DIAPH \"D1\"\n");
  CBMJoint* j1 = m->Joint("STORY1", "1");
  ASSERT_NE(j1, nullptr);
  EXPECT_EQ(j1->get_pPoint(), m->Point("1"));
  ASSERT_NE(j1->get_pRestraint(), nullptr);
  for (int f = 0; f < 6; ++f) EXPECT_EQ(j1->get_pRestraint()->get_bU(f), 1);
  ASSERT_NE(j1->get_pDiaphragm(), nullptr);  // restraint and DIAPH on one line
  EXPECT_EQ(j1->get_pDiaphragm()->get_Name(), "D1");

  CBMJoint* j2 = m->Joint("STORY1", "2");
  ASSERT_NE(j2, nullptr);
  ASSERT_NE(j2->get_pRestraint(), nullptr);
  EXPECT_EQ(j2->get_pRestraint()->get_bU(0), 1);
  EXPECT_EQ(j2->get_pRestraint()->get_bU(1), 0);
  EXPECT_EQ(j2->get_pRestraint()->get_bU(5), 1);
  ASSERT_NE(j2->get_pDiaphragm(), nullptr);
  EXPECT_EQ(m->Level("STORY1")->get_theCBMJointList()->GetCount(), 4);

  // The model-wide diaphragm counts the points and centres on them.
  auto* d1 = dynamic_cast<CBMDiaphragm*>(m->geo()->get_pDiaphragmList()->GetItem(CString("D1")));
  ASSERT_NE(d1, nullptr);
  EXPECT_EQ(d1->GetAssociatedPointAcount(), 2);
  EXPECT_DOUBLE_EQ(d1->Get_CX(), 3.0);
  auto* level1 = m->Level("STORY1");
  auto* levelD1 =
      dynamic_cast<CBMLevelDiaphragm*>(level1->get_theCBMLevelDiaphragmList()->GetItem(CString("D1")));
  ASSERT_NE(levelD1, nullptr);
  EXPECT_EQ(levelD1->GetJointAmount(), 2);
  EXPECT_NE(m->geo()->get_pDiaphragmList()->GetItem(CString("DISCONNECTED")), nullptr);

  CBMJoint* j4 = m->Joint("STORY1", "4");
  ASSERT_NE(j4, nullptr);
  ASSERT_NE(j4->get_pLink(), nullptr);
  EXPECT_EQ(j4->get_pLink()->get_Name(), "LK");
  CBMJoint* spring = m->Joint("STORY2", "4");
  ASSERT_NE(spring, nullptr);
  ASSERT_NE(spring->get_pJointSpring(), nullptr);
  EXPECT_DOUBLE_EQ(spring->get_pJointSpring()->get_dU(0), 1.0);
  EXPECT_DOUBLE_EQ(spring->get_pJointSpring()->get_dU(2), 10.0);
  EXPECT_DOUBLE_EQ(spring->get_pJointSpring()->get_dU(3), 4.0);
  EXPECT_DOUBLE_EQ(spring->get_pJointSpring()->get_dU(5), 6.0);

  EXPECT_EQ(m->report().Get("POINTASSIGN", bm::skip::kStoreyNotFound), 1);
  EXPECT_EQ(m->report().Get("POINTASSIGN", bm::skip::kPointNotFound), 1);
  EXPECT_EQ(m->Joint("STORY1", "99"), nullptr);
}

TEST(ReaderAssignments, LineAssignments) {
  ReadModel m;
  m.geo()->get_pCBMAnalysisOption()->set_iStationNumber(4);
  bm::test::ReadInto(
      m,
      Frame() +
          " MATERIAL \"STEEL\" M 7.8\n\n"
          "FRAMESECTION  \"W\"  MATERIAL \"STEEL\"  SHAPE \"I/Wide Flange\" D 0.4 B 0.2 TF 0.01 TW 0.008\n\n"
          " LINE  \"B1\"  BEAM  \"1\"  \"2\"  0\n LINE  \"C1\"  COLUMN  \"3\"  \"3\"  1\n"
          " LINE  \"BR\"  BRACE  \"1\"  \"3\"  1\n\n"
          " LINEASSIGN  \"B1\"  \"STORY2\" SECTION \"W\"  ANG  30.000000  MAXSTASPC 24.000  "
          "RELEASE \"  M2I M3I M2J M3J\"  0.750\n"
          " LINEASSIGN  \"B1\"  \"STORY1\" SECTION \"W\"  ANG  0  MAXSTASPC 24  LENGTHOFFI 0.2 "
          "LENGTHOFFJ 0.3 RELEASE \"PJ\"\n"
          " LINEASSIGN  \"C1\"  \"STORY1\" SECTION \"NOSEC\"  ANG  0\n"
          " LINEASSIGN  \"BR\"  \"STORY1\" SECTION \"NONE\"\n"
          " LINEASSIGN  \"BR\"  \"STORY2\" SECTION \"W\"\n"
          " LINEASSIGN  \"ZZ\"  \"STORY2\" SECTION \"W\"\n"
          " LINEASSIGN  \"B1\"  \"NOSTORY\" SECTION \"W\"\n");
  ASSERT_TRUE(m.ok);
  CBMBeam* b2 = m.Beam("STORY2", "B1");
  CBMBeam* b1 = m.Beam("STORY1", "B1");
  ASSERT_NE(b2, nullptr);
  ASSERT_NE(b1, nullptr);
  EXPECT_NE(b1, b2);
  EXPECT_EQ(b2->get_pLine(), m.Line("B1"));
  ASSERT_NE(b2->get_pFrameSection(), nullptr);
  EXPECT_DOUBLE_EQ(b2->get_Angle(), 30.0);
  EXPECT_DOUBLE_EQ(b2->get_MaxSpc(), 1.5);  // length 6 over 4 stations
  ASSERT_NE(b2->get_pLineRelease(), nullptr);
  EXPECT_EQ(b2->IsRelease(), 1);
  const int expected[12] = {0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1};
  for (int f = 0; f < 12; ++f) EXPECT_EQ(b2->get_pLineRelease()->get_bRelease(f), expected[f]) << f;
  // Both end joints exist on the storey and know the beam.
  ASSERT_NE(b2->get_pJointI(), nullptr);
  ASSERT_NE(b2->get_pJointJ(), nullptr);
  EXPECT_EQ(b2->get_pJointI(), m.Joint("STORY2", "1"));
  EXPECT_EQ(b2->get_pJointJ(), m.Joint("STORY2", "2"));
  EXPECT_EQ(b2->get_pJointJ()->get_theConnectList().GetCount(), 1);

  ASSERT_NE(b1->get_pRigidZone(), nullptr);
  EXPECT_DOUBLE_EQ(b1->get_pRigidZone()->get_LenghthI(), 0.2);
  EXPECT_DOUBLE_EQ(b1->get_pRigidZone()->get_LenghthJ(), 0.3);
  ASSERT_NE(b1->get_pLineRelease(), nullptr);
  EXPECT_EQ(b1->get_pLineRelease()->get_bRelease(6), 1);

  // An unknown section keeps the element, without section.
  CBMColumn* c1 = m.Column("STORY1", "C1");
  ASSERT_NE(c1, nullptr);
  EXPECT_EQ(c1->get_pFrameSection(), nullptr);
  EXPECT_EQ(c1->get_pJointI(), m.Joint("STORY1", "3"));
  EXPECT_EQ(c1->get_pJointJ(), nullptr);
  EXPECT_EQ(m.Brace("STORY1", "BR"), nullptr);  // SECTION NONE
  CBMBrace* br = m.Brace("STORY2", "BR");
  ASSERT_NE(br, nullptr);
  EXPECT_DOUBLE_EQ(br->get_MaxSpc(), 3.0 / 4);  // storey height over stations
  EXPECT_EQ(m.report().Get("LINEASSIGN", bm::skip::kSectionNone), 1);
  EXPECT_EQ(m.report().Get("LINEASSIGN", bm::skip::kLineNotFound), 1);
  EXPECT_EQ(m.report().Get("LINEASSIGN", bm::skip::kStoreyNotFound), 1);
  EXPECT_EQ(m.report().Get("LINEASSIGN", bm::skip::kSectionNotFound), 1);
}

TEST(ReaderAssignments, AreaAssignmentsAndUnusedDiaphragms) {
  auto m = Read(Frame() +
                "DIAPHRAGM \"D1\"\nDIAPHRAGM \"D2\"\n\n"
                " SHELLPROP \"SL\" PROPTYPE \"SLAB\"\n SHELLPROP \"WL\" PROPTYPE \"WALL\"\n\n"
                "  PIERNAME  \"P1\" \n\n"
                "AREA \"F1\"  FLOOR  4 \"1\" \"2\" \"3\" \"4\" 0 0 0 0\n"
                "AREA \"W1\"  PANEL  4 \"1\" \"2\" \"2\" \"1\" 1 1 0 0\n"
                "AREA \"R1\"  RAMP  3 \"1\" \"2\" \"3\" 0 0 0\n\n"
                " AREAASSIGN    \"F1\"  \"STORY1\"  SECTION \"SL\"  OBJMESHTYPE \"DEFAULT\" DIAPH  \"D1\"\n"
                " AREAASSIGN    \"F1\"  \"STORY2\"  SECTION \"SL\"  OBJMESHTYPE \"DEFAULT\" DIAPH  \"DX\"\n"
                " AREAASSIGN    \"W1\"  \"STORY1\"  SECTION \"WL\"  OBJMESHTYPE \"DEFAULT\" PIER  \"P1\"\n"
                " AREAASSIGN    \"R1\"  \"STORY1\"  SECTION \"SL\"\n"
                " AREAASSIGN    \"F1\"  \"BASE\"  OPENING\n"
                " AREAASSIGN    \"F1\"  \"BASE\"\n"
                " AREAASSIGN    \"F1\"  \"BASE\"  SECTION \"NO\"\n");
  CBMSlab* slab = m->Slab("STORY1", "F1");
  ASSERT_NE(slab, nullptr);
  EXPECT_EQ(slab->get_pArea(), m->Area("F1"));
  EXPECT_EQ(slab->get_MeshOption(), "DEFAULT");
  ASSERT_NE(slab->GetDiaphram(), nullptr);
  EXPECT_EQ(slab->GetDiaphram()->get_Name(), "D1");
  for (const char* corner : {"1", "2", "3", "4"}) {
    CBMJoint* joint = m->Joint("STORY1", corner);
    ASSERT_NE(joint, nullptr) << corner;
    EXPECT_EQ(joint->get_theConnectList().GetItem(1), slab);
  }
  // D1 only has a slab, no point: it stays so the slab does not point to a
  // deleted object. D2 is used by nothing and goes.
  CBMDiaphragmList* diaphragms = m->geo()->get_pDiaphragmList();
  ASSERT_EQ(diaphragms->GetCount(), 1);
  EXPECT_EQ(diaphragms->GetItem(1), slab->GetDiaphram());

  CBMSlab* slab2 = m->Slab("STORY2", "F1");
  ASSERT_NE(slab2, nullptr);
  EXPECT_EQ(slab2->GetDiaphram(), nullptr);  // DX is not defined
  CBMWall* wall = m->Wall("STORY1", "W1");
  ASSERT_NE(wall, nullptr);
  ASSERT_NE(wall->get_pPierSpandrel(), nullptr);  // re-labelled by the geometry processing
  EXPECT_EQ(wall->get_pPierSpandrel()->get_Name(), "PW1");
  EXPECT_EQ(m->Level("BASE")->get_theCBMSlabList()->GetCount(), 0);
  EXPECT_EQ(m->report().Get("AREAASSIGN", bm::skip::kTypeNotRead), 1);
  EXPECT_EQ(m->report().Get("AREAASSIGN", bm::skip::kOpening), 1);
  EXPECT_EQ(m->report().Get("AREAASSIGN", bm::skip::kTooFewTokens), 1);
  EXPECT_EQ(m->report().Get("AREAASSIGN", bm::skip::kSectionNotFound), 1);
  EXPECT_EQ(m->report().Get("AREAASSIGN", bm::skip::kDiaphragmNotFound), 1);
}

TEST(ReaderAssignments, DeleteEmptyDiaphramWalksThePositionsAgainAfterARemoval) {
  CBuildingModule module;
  CBMDiaphragmList* list = module.get_pMgrGeometry()->get_pDiaphragmList();
  for (const char* name : {"A", "B", "C", "D", "E"}) {
    CString n = name;
    CBMDiaphragm* d = list->AddDiaphragm(n);
    if (n == "C" || n == "E") d->AddPointForDiaCenter(1.0, 2.0);
  }
  ZAdapterEtabs8 adapter;
  adapter.DeleteEmptyDiaphram();  // no module: nothing
  EXPECT_EQ(list->GetCount(), 5);
  adapter.SetBuildingModule(&module);
  adapter.DeleteEmptyDiaphram();
  ASSERT_EQ(list->GetCount(), 2);
  EXPECT_EQ(list->GetItem(1)->get_Name(), "C");
  EXPECT_EQ(list->GetItem(2)->get_Name(), "E");
  EXPECT_EQ(list->GetItem(2)->get_Id(), 2);
}

}  // namespace
