// Geometry and assignment handlers, version 8 and later versions.
#include <cmath>
#include <memory>
#include <vector>

#include "etabs_reader/JointMemo.h"
#include "reader/AdapterTestUtil.h"

namespace {

using bm::test::Dump;
using bm::test::Frame;
using bm::test::Read;
using bm::test::ReadModel;
using bm::test::Report;

// The joints the reader noted are found by storey and point, past the
// table's growth; a storey's are forgotten once its list has lost one.
TEST(ReaderGeometry, NotedJointsAreFoundUntilTheirListLosesOne) {
  CBMLevel storey, other;
  CBMJointList& joints = *storey.get_theCBMJointList();
  CBMJointList& others = *other.get_theCBMJointList();
  std::vector<std::unique_ptr<CBMPoint>> points;
  bm::reader::JointMemo memo;
  for (int i = 0; i < 600; ++i) {
    points.push_back(std::make_unique<CBMPoint>());
    CString name(std::to_string(i).c_str());
    memo.Note(joints, points.back().get(), joints.AddJoint(name));
    if (i % 2) memo.Note(others, points.back().get(), others.AddJoint(name));
  }
  for (int i = 0; i < 600; ++i) {
    ASSERT_EQ(memo.Find(joints, points[i].get()), joints.GetItem(i + 1)) << i;
    ASSERT_EQ(memo.Find(others, points[i].get()), i % 2 ? others.GetItem(i / 2 + 1) : nullptr) << i;
  }
  others.RemoveAt(300);
  EXPECT_EQ(memo.Find(others, points[1].get()), nullptr);
  EXPECT_EQ(memo.Find(joints, points[1].get()), joints.GetItem(2));
}

// A third number marks a mid-storey point; kinds stay as written; a missing corner changes nothing.
TEST(ReaderGeometry, KindsStayAsWrittenAndAnAreaWithAMissingCornerChangesNothing) {
  auto m = Read(Frame() + R"(POINT "12"  1.5 2.5 7
POINT "12-1"  1.5 2.5 4.0
POINT "13" 4.5 2.5
POINT "12" 9 9

 LINE  "C1"  COLUMN  "12"  "12"  1
 LINE  "X1"  COLUMN  "12"  "13"  1
 LINE  "B1"  COLUMN  "12"  "13"  0
 LINE  "R1"  BEAM  "12"  "13"  2
 LINE  "M1"  BEAM  "12"  "99"  0

 SHELLPROP "SL" PROPTYPE "SLAB"

AREA "F1"  FLOOR  4 "1" "2" "3" "4" 0 1 0 1
AREA "F2"  FLOOR  4 "1" "2" "3" "9" 0 0 0 0
AREA "F3"  FLOOR  9 "1" "2"
AREA "F4"  FLOOR  -2

 AREAASSIGN    "F1"  "STORY1"  SECTION "SL"  OBJMESHTYPE "DEFAULT"

AREA "F1"  FLOOR  4 "1" "2" "3" "77" 0 0 0 0
)");
  EXPECT_EQ(Dump(*m, "points lines areas slab") + Report(m->report()),
            R"(points: 1 0,0 | 2 6,0 | 3 6,5 | 4 0,5 | 12 1.5,2.5 mid 7 | 12-1 1.5,2.5 mid 4 | 13 4.5,2.5
lines: C1 COLUMN 1 12=12 | X1 COLUMN 1 12=13 | B1 COLUMN 0 12-13 | R1 BEAM 2 12=13
areas: F1 FLOOR 10 21 30 41
STORY1 slab F1: SL on F1 mesh DEFAULT D-
AREA: m point not found x4
LINE: m point not found x1
)");
  EXPECT_EQ(m->On<CBMSlab>("STORY1", &CBMLevel::get_theCBMSlabList, "F1")->get_VertexCount(), 4);
}

// DIAPH after restraint words assigns, a nameless one not; every spring pair; a slab's diaphragm stays;
// a wall's SPANDREL label is looked for as its PIER label is.
TEST(ReaderAssignments, EverySpringPairIsReadAndASlabsDiaphragmStays) {
  ReadModel m;
  m.geo()->get_pCBMAnalysisOption()->set_iStationNumber(4);
  bm::test::ReadInto(m, Frame() + R"( LINKPROP "LK" TYPE "GAP"

DIAPHRAGM "D1"
DIAPHRAGM "D2"
DIAPHRAGM "D3"

 MATERIAL "STEEL" M 7.8

FRAMESECTION  "W"  MATERIAL "STEEL"  SHAPE "I/Wide Flange" D 0.4 B 0.2 TF 0.01 TW 0.008

 SHELLPROP "SL" PROPTYPE "SLAB"
 SHELLPROP "WL" PROPTYPE "WALL"

  PIERNAME  "P1"

 LINE  "B1"  BEAM  "1"  "2"  0
 LINE  "C1"  COLUMN  "3"  "3"  1
 LINE  "BR"  BRACE  "1"  "3"  1

AREA "F1"  FLOOR  4 "1" "2" "3" "4" 0 0 0 0
AREA "W1"  PANEL  4 "1" "2" "2" "1" 1 1 0 0
AREA "W2"  PANEL  4 "2" "3" "3" "2" 1 1 0 0
AREA "R1"  RAMP  3 "1" "2" "3" 0 0 0

 POINTASSIGN  "1"  "STORY1" RESTRAINT "UX UY UZ RX RY RZ "  DIAPH "D1"
 POINTASSIGN  "2"  "STORY1" RESTRAINT "UX RZ"
 POINTASSIGN  "2"  "STORY1" DIAPH "D1"
 POINTASSIGN  "3"  "STORY1" DIAPH DISCONNECTED
 POINTASSIGN  "4"  "STORY1" LINKPROP "LK"
 POINTASSIGN  "4"  "STORY2" SPUZ 10 SPRX 4 SPRZ 6 SPUX 1
 POINTASSIGN  "1"  "NOSTORY" DIAPH "D1"
 POINTASSIGN  "99"  "STORY1" DIAPH "D1"
 POINTASSIGN  "3"  "STORY2" DIAPH

 LINEASSIGN  "B1"  "STORY2" SECTION "W"  ANG  30.000000  MAXSTASPC 24.000  RELEASE "  M2I M3I M2J M3J"  0.750
 LINEASSIGN  "B1"  "STORY1" SECTION "W"  ANG  0  MAXSTASPC 24  LENGTHOFFI 0.2 LENGTHOFFJ 0.3 RELEASE "PI PJ"
 LINEASSIGN  "B1"  "STORY1" LINKPROP "LK"
 LINEASSIGN  "C1"  "STORY1" SECTION "NOSEC"  ANG  0
 LINEASSIGN  "BR"  "STORY1" SECTION "NONE"
 LINEASSIGN  "BR"  "STORY2" SECTION "W"
 LINEASSIGN  "ZZ"  "STORY2" SECTION "W"
 LINEASSIGN  "B1"  "NOSTORY" SECTION "W"

 AREAASSIGN    "F1"  "STORY1"  SECTION "SL"  OBJMESHTYPE "DEFAULT" DIAPH  "D3"
 AREAASSIGN    "F1"  "STORY2"  SECTION "SL"  OBJMESHTYPE "DEFAULT" DIAPH  "DX"
 AREAASSIGN    "W1"  "STORY1"  SECTION "WL"  OBJMESHTYPE "DEFAULT" PIER  "P1"
 AREAASSIGN    "W2"  "STORY1"  SECTION "WL"  OBJMESHTYPE "DEFAULT" SPANDREL  "NOSUCH"
 AREAASSIGN    "R1"  "STORY1"  SECTION "SL"
 AREAASSIGN    "F1"  "BASE"  OPENING
 AREAASSIGN    "F1"  "BASE"
 AREAASSIGN    "F1"  "BASE"  SECTION "NO"
)");
  ASSERT_TRUE(m.ok);
  EXPECT_EQ(Dump(m, "diaphragms labels joint beam column brace slab wall") + Report(m.report()),
            R"(diaphragms: D1 | D3 | DISCONNECTED
labels: pier P1 | pier PW1 | pier PW2
BASE joint 3: R111111 c0
BASE joint 1: R111111 c0
BASE joint 2: R111111 c0
STORY1 joint 1: R111111 DD1 c3
STORY1 joint 2: R100001 DD1 c4
STORY1 joint 3: DDISCONNECTED c3
STORY1 joint 4: LLK c1
STORY1 beam B1: W ang 0 spc 1.5 ends 1/2 rel1 100000100000 zone 0.2/0.3
STORY1 column C1: - ang 0 spc 1.6 ends 3/-
STORY1 slab F1: SL on F1 mesh DEFAULT DD3
STORY1 wall W1: WL on W1 mesh DEFAULT label PW1
STORY1 wall W2: WL on W2 mesh DEFAULT label PW2
STORY2 joint 4: S1,0,10,4,0,6 c1
STORY2 joint 3: c2
STORY2 joint 1: c3
STORY2 joint 2: c2
STORY2 beam B1: W ang 30 spc 1.5 ends 1/2 rel1 000011000011
STORY2 brace BR: W ang 0 spc 0.75 ends 1/3
STORY2 slab F1: SL on F1 mesh DEFAULT D-
AREAASSIGN: m diaphragm not found x1 | m opening x1 | m pier or spandrel not found x1 | m section not found x1 | m too few tokens x1 | m type not read x1
LINEASSIGN: m line not found x1 | m section NONE x1 | m section not found x1 | m storey not found x1
POINTASSIGN: m empty name x1 | m point not found x1 | m storey not found x1
)");
  auto* d1 = m.In<CBMDiaphragm>(m.geo()->get_pDiaphragmList(), "D1");
  ASSERT_NE(d1, nullptr);
  EXPECT_EQ(d1->GetAssociatedPointAcount(), 2);
  EXPECT_DOUBLE_EQ(d1->Get_CX(), 3.0);
  auto* onStorey = m.In<CBMLevelDiaphragm>(m.Level("STORY1")->get_theCBMLevelDiaphragmList(), "D1");
  EXPECT_EQ(onStorey->GetJointAmount(), 2);
  CBMJoint* joint = m.On<CBMJoint>("STORY1", &CBMLevel::get_theCBMJointList, "1");
  EXPECT_EQ(joint->get_theConnectList().GetItem(1), m.Beam("STORY1", "B1"));
  EXPECT_EQ(bm::test::Name(m.Beam("STORY1", "B1")->get_pLink()), "LK");
  // Without the passes the file's spacing stays; so it does without stations.
  for (const bool process : {false, true}) {
    auto own = std::make_unique<ReadModel>();
    own->geo()->get_pCBMAnalysisOption()->set_iStationNumber(0);
    own = Read(bm::test::Version8Frame() + R"( LINEASSIGN  "B1"  "STORY2" SECTION "W"  ANG  0  MAXSTASPC 0.7
 LINEASSIGN  "C1"  "STORY2" SECTION "W"
)",
               process, std::move(own));
    EXPECT_DOUBLE_EQ(own->Beam("STORY2", "B1")->get_MaxSpc(), 0.7) << process;
    EXPECT_TRUE(std::isfinite(own->Column("STORY2", "C1")->get_MaxSpc())) << process;
  }
}

// Later versions into a filled module: DZ 0 on the storey; PINNED frees both moments; no SECTION no member.
TEST(KeyedGeometry, PinnedReleasesMomentsAndALineWithoutSectionMakesNoMember) {
  auto m = std::make_unique<ReadModel>();
  CBMMgrGeometry* geo = m->geo();
  geo->AddLevel("BASE", 0, 0);
  geo->AddLevel("L1", 3, 3);
  geo->AddLevel("L2", 4, 7);
  geo->AddFrameSection("C50", "RECTANGULAR", "");
  geo->AddFrameSection("B30", "RECTANGULAR", "");
  geo->AddSlabSection("S15", "", 0.15);
  geo->AddWallSection("W20", "", 0.2);
  CString d1 = "D1", p1 = "P1", s1 = "S1";
  geo->get_pDiaphragmList()->AddDiaphragm(d1);
  geo->get_pPierSpandrelList()->AddPierSpandrel(false, p1);
  geo->get_pPierSpandrelList()->AddPierSpandrel(true, s1);
  m = Read(bm::test::Later(R"(  POINT "1"  0 0
  POINT "Top A"  0 5
  POINT "491"  8.887E-06 0 1.5
  POINT "5"  6 0 0
  POINT "1"  9 9

  LINE  "C1"  COLUMN  "1"  "1"  1
  LINE  "C2"  COLUMN  "1"  "491"  0
  LINE  "C3"  COLUMN  "1"  "5"  3
  LINE  "B1"  BEAM  "1"  "5"  0
  LINE  "D1"  BRACE  "1"  "Top A"  1
  LINE  "X1"  GIRDER  "1"  "5"  0
  LINE  "B2"  BEAM  "1"  "77"  0

  AREA "F1"  FLOOR  3  "1"  "5"  "Top A"  0  0  0
  AREA "W1"  PANEL  4  "1"  "5"  "5"  "1"  1  1  0  0
  AREA "A2"  AREA  3  "1"  "5"  "Top A"  0  0  0
  AREA "F2"  FLOOR  4  "1"  "5"

  POINTSPRING  "RES_00"  STIFFNESSOPTION  "USERDEFINED"  UX  211000 UY  2000 UZ  0

  POINTASSIGN  "1"  "BASE"  RESTRAINT "UX UY UZ RX RY RZ"  DIAPH "DISCONNECTED"
  POINTASSIGN  "1"  "L1"  DIAPH "D1"  userJoint "Yes"
  POINTASSIGN  "5"  "L1"  DIAPH D2
  POINTASSIGN  "5"  "BASE"  DIAPH DISCONNECTED  RESTRAINT "UX UQ"
  POINTASSIGN  "491"  "L1"  SPRINGPROP "res_00"  DIAPH "D1"
  POINTASSIGN  "Top A"  "L1"  SPRINGPROP "RES_99"  RESTRAINT ""
  POINTASSIGN  "1"  "L9"  DIAPH "D1"
  POINTASSIGN  "88"  "L1"  DIAPH "D1"

  LINEASSIGN  "C1"  "L1"  SECTION "C50"  ANG 90  RELEASE "PI TI M2I"LENGTHOFFI 0.2 LENGTHOFFJ 0.3 RIGIDZONE 0.75  MINNUMSTA 3  CARDINALPT 8
  LINEASSIGN  "C2"  "L1"  SECTION "C50"
  LINEASSIGN  "C3"  "L2"  SECTION "C50"
  LINEASSIGN  "B1"  "L1"  SECTION "B30"  MAXSTASPC 0.5  RELEASE "PINNED"
  LINEASSIGN  "C1"  "L2"  SECTION "C50"  RELEASE "M2I HINGED"
  LINEASSIGN  "B1"  "L2"  SECTION "B30"  RELEASE "M2J M3J"  LENGTHOFFJ 0.4
  LINEASSIGN  "B1"  "L1"  OFFSETXI 0.1  ANG 30
  LINEASSIGN  "D1"  "L2"  OFFSETXI 0.1
  LINEASSIGN  "D1"  "L1"  SECTION "NONE"
  LINEASSIGN  "D1"  "L2"  SECTION "MISSING"

  AREAASSIGN  "F1"  "L1"  SECTION "S15"  OBJMESHTYPE "DEFAULT"  DIAPH  "D1"  MESHAT "BEAMS"
  AREAASSIGN  "F1"  "L2"  SECTION "S15"  DIAPH "DISCONNECTED"
  AREAASSIGN  "W1"  "L1"  SECTION "W20"  PIER "P1"  SPANDREL "S1"
  AREAASSIGN  "W1"  "L2"  SECTION "W20"  SPANDREL "S1"
  AREAASSIGN  "W1"  "L1"  "SPRINGK3"  2000
  AREAASSIGN  "A2"  "L1"  OPENING "Yes"
  AREAASSIGN  "A2"  "L2"  SECTION "S15"
  AREAASSIGN  "W1"  "BASE"  SECTION "W99"
  AREAASSIGN  "F1"  "BASE"  PIER "P1"
  AREAASSIGN  "F1"  "BASE"  SECTION "NONE"
)"),
           false, std::move(m));
  EXPECT_EQ(Dump(*m, "diaphragms points lines areas joint beam column brace slab wall") + Report(m->report()),
            R"(diaphragms: D1 | D2
points: 1 0,0 | TOP A 0,5 | 491 8.887e-06,0 mid 1.5 | 5 6,0
lines: C1 COLUMN 1 1=1 | C2 COLUMN 0 1-491 | C3 COLUMN 3 1=5 | B1 BEAM 0 1-5 | D1 BRACE 1 1=TOP A
areas: F1 FLOOR 10 50 TOP A0 | W1 PANEL 11 51 50 10 | A2 AREA 10 50 TOP A0
BASE joint 1: R111111 c0
BASE joint 5: R100000 c0
L1 joint 1: DD1 c5
L1 joint 5: DD2 c3
L1 joint 491: DD1 S211000,2000,0,0,0,0 c1
L1 joint TOP A: c1
L1 beam B1: B30 ang 30 spc 0.5 ends 1/5 rel1 000011000011
L1 column C1: C50 ang 90 spc 1 ends 1/- rel1 100110000000 zone 0.2/0.3
L1 column C2: C50 ang 0 spc 0.6 ends 1/491
L1 slab F1: S15 on F1 mesh DEFAULT DD1
L1 wall W1: W20 on W1 mesh PROGDET label P1
L2 joint 5: c4
L2 joint 1: c5
L2 joint TOP A: c2
L2 beam B1: B30 ang 0 spc 1.2 ends 1/5 rel1 000000000011 zone 0/0.4
L2 column C3: C50 ang 0 spc 0.8 ends 5/-
L2 column C1: C50 ang 0 spc 0.8 ends 1/- rel1 000010000000
L2 brace D1: - ang 0 spc 0.8 ends 1/TOP A
L2 slab F1: S15 on F1 mesh PROGDET D-
L2 wall W1: W20 on W1 mesh PROGDET label S1
AREA: m too few tokens x1
AREAASSIGN: n area spring (not model data) x1 | k key MESHAT not used x1 | m member not found x1 | m opening x1 | m section NONE x1 | m section not found x1 | m spandrel beside a pier (one label per wall) x1 | m type not read x1
LINE: m point not found x1 | m type not read x1
LINEASSIGN: k key CARDINALPT not used x1 | k key OFFSETXI not used x1 | m member not found x1 | m release word not read x1 | m section NONE x1 | m section not found x1
POINT: m name defined before x1
POINTASSIGN: k key USERJOINT not used x1 | m point not found x1 | m restraint word not read x1 | m spring property not found x1 | m storey not found x1
)");
  EXPECT_DOUBLE_EQ(m->Column("L1", "C1")->get_dZoneReductionFactor(), 0.75);
  EXPECT_EQ(m->Level("BASE")->get_theCBMLevelDiaphragmList()->GetCount(), 0);
}

}  // namespace
