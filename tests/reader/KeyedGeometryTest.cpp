// Geometry and assignment lines of later-version files, read by key.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "reader/AdapterTestUtil.h"

namespace {

using bm::test::ReadModel;

// The file's own model (no processing passes) of a version 20 file holding
// `body`, read into a module that already holds storeys BASE, L1 (height 3)
// and L2 (height 4), sections and labels, so that these tests depend on no
// other keyword's handler.
std::unique_ptr<ReadModel> ReadKeyed(const std::string& body) {
  auto m = std::make_unique<ReadModel>();
  CBMMgrGeometry* geo = m->geo();
  geo->AddLevel("BASE", 0, 0);
  geo->AddLevel("L1", 3, 3);
  geo->AddLevel("L2", 4, 7);
  geo->AddFrameSection("C50", "RECTANGULAR", "");
  geo->AddFrameSection("B30", "RECTANGULAR", "");
  geo->AddSlabSection("S15", "", 0.15);
  geo->AddWallSection("W20", "", 0.2);
  CString d1 = "D1";
  geo->get_pDiaphragmList()->AddDiaphragm(d1);
  CString p1 = "P1";
  CString s1 = "S1";
  geo->get_pPierSpandrelList()->AddPierSpandrel(false, p1);
  geo->get_pPierSpandrelList()->AddPierSpandrel(true, s1);
  return bm::test::ReadOwn(bm::test::Later(body), std::move(m));
}

// Points, lines and areas of the assignment tests.
const char kGeometry[] =
    "  POINT \"1\"  0 0\n  POINT \"Top A\"  0 5\n  POINT \"491\"  8.887E-06 0 1.5\n  POINT \"5\"  6 0 0\n"
    "  POINT \"1\"  9 9\n\n  LINE  \"C1\"  COLUMN  \"1\"  \"1\"  1\n  LINE  \"C2\"  COLUMN  \"1\"  \"491\"  "
    "0\n"
    "  LINE  \"C3\"  COLUMN  \"1\"  \"5\"  3\n  LINE  \"B1\"  BEAM  \"1\"  \"5\"  0\n"
    "  LINE  \"D1\"  BRACE  \"1\"  \"Top A\"  1\n  LINE  \"X1\"  GIRDER  \"1\"  \"5\"  0\n"
    "  LINE  \"B2\"  BEAM  \"1\"  \"77\"  0\n\n  AREA \"F1\"  FLOOR  3  \"1\"  \"5\"  \"Top A\"  0  0  0\n"
    "  AREA \"W1\"  PANEL  4  \"1\"  \"5\"  \"5\"  \"1\"  1  1  0  0\n"
    "  AREA \"A2\"  AREA  3  \"1\"  \"5\"  \"Top A\"  0  0  0\n  AREA \"F2\"  FLOOR  4  \"1\"  \"5\"\n\n";

TEST(KeyedGeometry, PointsLinesAndAreasAsWritten) {
  auto m = ReadKeyed(kGeometry);
  const bm::ReadReport& r = m->report();
  EXPECT_EQ(m->geo()->get_pPointList()->GetCount(), 4);
  EXPECT_DOUBLE_EQ(m->Point("1")->get_X(), 0.0);  // the repeated name keeps its first place
  EXPECT_EQ(r.Get("POINT", "name defined before"), 1);
  CBMPoint* below = m->Point("491");
  EXPECT_NE(below->get_IsMidLevel(), 0);  // a distance below the storey, whatever the name
  EXPECT_DOUBLE_EQ(below->get_Z(), 1.5);
  EXPECT_EQ(m->Point("5")->get_IsMidLevel(), 0);  // 0 below: on the storey

  // The type word is kept whatever the storeys passed and the plan geometry.
  ASSERT_EQ(m->geo()->get_pLineList()->GetCount(), 5);
  for (const char* name : {"C1", "C2", "C3"}) EXPECT_EQ(m->Line(name)->GetType(), "COLUMN") << name;
  EXPECT_EQ(m->Line("C2")->GetPassStory(), 0);
  EXPECT_EQ(m->Line("C3")->GetPassStory(), 3);
  EXPECT_EQ(m->Line("D1")->GetType(), "BRACE");
  EXPECT_EQ(r.Get("LINE", bm::skip::kTypeNotRead), 1);
  EXPECT_EQ(r.Get("LINE", bm::skip::kPointNotFound), 1);

  ASSERT_EQ(m->geo()->get_pAreaList()->GetCount(), 3);
  EXPECT_EQ(m->Area("W1")->GetPointStatus(1), 1);   // corner 1 one storey below
  EXPECT_EQ(m->Area("A2")->GetAreaType(), "AREA");  // kept; its assignment decides
  EXPECT_EQ(r.Get("AREA", bm::skip::kTooFewTokens), 1);
  EXPECT_EQ(r.ModelDataNotTaken(), 4);
}

TEST(KeyedGeometry, PointAssignments) {
  auto m =
      ReadKeyed(std::string(kGeometry) +
                "  POINTSPRING  \"RES_00\"  STIFFNESSOPTION  \"USERDEFINED\"  UX  211000 UY  2000 UZ  0\n\n"
                "  POINTASSIGN  \"1\"  \"BASE\"  RESTRAINT \"UX UY UZ RX RY RZ\"  DIAPH \"DISCONNECTED\"\n"
                "  POINTASSIGN  \"1\"  \"L1\"  DIAPH \"D1\"  USERJOINT \"Yes\"\n"
                "  POINTASSIGN  \"5\"  \"L1\"  DIAPH D2\n"
                "  POINTASSIGN  \"5\"  \"BASE\"  DIAPH DISCONNECTED  RESTRAINT \"UX UQ\"\n"
                "  POINTASSIGN  \"491\"  \"L1\"  SPRINGPROP \"res_00\"  DIAPH \"D1\"\n"
                "  POINTASSIGN  \"Top A\"  \"L1\"  SPRINGPROP \"RES_99\"  RESTRAINT \"\"\n"
                "  POINTASSIGN  \"1\"  \"L9\"  DIAPH \"D1\"\n  POINTASSIGN  \"88\"  \"L1\"  DIAPH \"D1\"\n");
  const bm::ReadReport& r = m->report();
  CBMJoint* base = m->Joint("BASE", "1");
  ASSERT_NE(base, nullptr);
  ASSERT_NE(base->get_pRestraint(), nullptr);
  for (int f = 0; f < 6; ++f) EXPECT_EQ(base->get_pRestraint()->get_bU(f), 1);
  // DISCONNECTED ties the joint to no diaphragm, and none of that name exists.
  EXPECT_EQ(base->get_pDiaphragm(), nullptr);
  EXPECT_EQ(m->Joint("BASE", "5")->get_pDiaphragm(), nullptr);  // unquoted
  EXPECT_EQ(m->Level("BASE")->get_theCBMLevelDiaphragmList()->GetCount(), 0);
  EXPECT_EQ(m->Joint("L1", "1")->get_pDiaphragm()->name(), "D1");
  EXPECT_EQ(m->Joint("L1", "5")->get_pDiaphragm()->name(), "D2");  // unquoted name
  CBMJointRestraint* partial = m->Joint("BASE", "5")->get_pRestraint();
  EXPECT_EQ(partial->get_bU(0), 1);
  EXPECT_EQ(partial->get_bU(1), 0);
  EXPECT_EQ(r.Get("POINTASSIGN", "restraint word not read"), 1);

  CBMJoint* sprung = m->Joint("L1", "491");  // found whatever the case of its name
  ASSERT_NE(sprung->get_pJointSpring(), nullptr);
  EXPECT_DOUBLE_EQ(sprung->get_pJointSpring()->get_dU(1), 2000);
  EXPECT_EQ(m->Joint("L1", "TOP A")->get_pJointSpring(), nullptr);
  EXPECT_EQ(m->Joint("L1", "TOP A")->get_pRestraint(), nullptr);  // an empty list fixes nothing
  EXPECT_EQ(r.Get("POINTASSIGN", "spring property not found"), 1);
  EXPECT_EQ(r.Get("POINTASSIGN", bm::skip::kStoreyNotFound), 1);
  EXPECT_EQ(r.Get("POINTASSIGN", bm::skip::kPointNotFound), 1);
  EXPECT_EQ(r.Get("POINTASSIGN", "key USERJOINT not used"), 1);
}

TEST(KeyedGeometry, LineAssignments) {
  auto m = ReadKeyed(
      std::string(kGeometry) +
      "  LINEASSIGN  \"C1\"  \"L1\"  SECTION \"C50\"  ANG 90  RELEASE \"PI TI M2I\"LENGTHOFFI 0.2 "
      "LENGTHOFFJ 0.3 RIGIDZONE 0.75  MINNUMSTA 3  CARDINALPT 8\n"
      "  LINEASSIGN  \"C2\"  \"L1\"  SECTION \"C50\"\n  LINEASSIGN  \"C3\"  \"L2\"  SECTION \"C50\"\n"
      "  LINEASSIGN  \"B1\"  \"L1\"  SECTION \"B30\"  MAXSTASPC 0.5  RELEASE \"PINNED\"\n"
      "  LINEASSIGN  \"C1\"  \"L2\"  SECTION \"C50\"  RELEASE \"M2I HINGED\"\n"
      "  LINEASSIGN  \"B1\"  \"L2\"  SECTION \"B30\"  RELEASE \"M2J M3J\"  LENGTHOFFJ 0.4\n"
      "  LINEASSIGN  \"B1\"  \"L1\"  OFFSETXI 0.1  ANG 30\n  LINEASSIGN  \"D1\"  \"L2\"  OFFSETXI 0.1\n"
      "  LINEASSIGN  \"D1\"  \"L1\"  SECTION \"NONE\"\n  LINEASSIGN  \"D1\"  \"L2\"  SECTION \"MISSING\"\n");
  const bm::ReadReport& r = m->report();
  CBMColumn* c1 = m->Column("L1", "C1");
  ASSERT_NE(c1, nullptr);
  EXPECT_DOUBLE_EQ(c1->get_Angle(), 90);
  // The key glued after the quoted release list is read too.
  ASSERT_TRUE(c1->get_pLineRelease() && c1->get_pRigidZone());
  EXPECT_EQ(c1->get_pLineRelease()->get_bRelease(0), 1);  // PI
  EXPECT_EQ(c1->get_pLineRelease()->get_bRelease(3), 1);  // TI
  EXPECT_EQ(c1->get_pLineRelease()->get_bRelease(4), 1);  // M2I
  EXPECT_DOUBLE_EQ(c1->get_pRigidZone()->get_LenghthI(), 0.2);
  EXPECT_DOUBLE_EQ(c1->get_pRigidZone()->get_LenghthJ(), 0.3);
  EXPECT_DOUBLE_EQ(c1->get_dZoneReductionFactor(), 0.75);
  EXPECT_DOUBLE_EQ(c1->get_MaxSpc(), 1.0);  // storey height 3 over 3 stations
  EXPECT_EQ(c1->get_pJointI(), m->Joint("L1", "1"));
  EXPECT_EQ(c1->get_pJointJ(), nullptr);

  // Columns stay columns: one passing no storey has both ends on its
  // storey, a slanted one its top (point 2).
  CBMColumn* c2 = m->Column("L1", "C2");
  CBMColumn* c3 = m->Column("L2", "C3");
  ASSERT_TRUE(c2 && c3);
  EXPECT_EQ(c2->get_pJointJ(), m->Joint("L1", "491"));
  EXPECT_DOUBLE_EQ(c2->get_MaxSpc(), 3.0 / 5);  // no spacing given: the analysis option's 5 stations
  EXPECT_EQ(c3->get_pJointI(), m->Joint("L2", "5"));
  EXPECT_EQ(c3->get_pJointJ(), nullptr);

  // One beam per storey; a line without SECTION adds to the storey's own.
  CBMBeam* b1 = m->Beam("L1", "B1");
  CBMBeam* b2 = m->Beam("L2", "B1");
  ASSERT_TRUE(b1 && b2);
  EXPECT_NE(b1, b2);
  EXPECT_DOUBLE_EQ(b1->get_MaxSpc(), 0.5);
  EXPECT_DOUBLE_EQ(b1->get_Angle(), 30);
  // PINNED: both moments at both ends.
  for (int f = 0; f < 12; ++f)
    EXPECT_EQ(b1->get_pLineRelease()->get_bRelease(f), f == 4 || f == 5 || f >= 10) << f;
  EXPECT_EQ(b2->get_pLineRelease()->get_bRelease(11), 1);       // M3J
  EXPECT_DOUBLE_EQ(b2->get_pRigidZone()->get_LenghthJ(), 0.4);  // an offset at one end only
  EXPECT_EQ(b1->get_pJointJ(), m->Joint("L1", "5"));
  EXPECT_EQ(m->Joint("L1", "5")->get_theConnectList().GetCount(), 1);
  EXPECT_EQ(m->Column("L2", "C1")->get_pLineRelease()->get_bRelease(4), 1);  // M2I taken, HINGED reported
  EXPECT_EQ(r.Get("LINEASSIGN", "release word not read"), 1);

  EXPECT_EQ(m->Brace("L1", "D1"), nullptr);
  CBMBrace* d1 = m->Brace("L2", "D1");
  ASSERT_NE(d1, nullptr);  // kept without its unknown section
  EXPECT_EQ(d1->get_pFrameSection(), nullptr);
  EXPECT_EQ(r.Get("LINEASSIGN", bm::skip::kSectionNotFound), 1);
  EXPECT_EQ(r.Get("LINEASSIGN", bm::skip::kSectionNone), 1);
  EXPECT_EQ(r.Get("LINEASSIGN", bm::skip::kMemberNotFound), 1);  // D1 on L2 before its SECTION line
  EXPECT_EQ(r.Get("LINEASSIGN", "key OFFSETXI not used"), 1);
  EXPECT_EQ(r.Get("LINEASSIGN", "key CARDINALPT not used"), 1);
}

TEST(KeyedGeometry, AreaAssignments) {
  auto m = ReadKeyed(
      std::string(kGeometry) +
      "  AREAASSIGN  \"F1\"  \"L1\"  SECTION \"S15\"  OBJMESHTYPE \"DEFAULT\"  DIAPH  \"D1\"  MESHAT "
      "\"BEAMS\"\n"
      "  AREAASSIGN  \"F1\"  \"L2\"  SECTION \"S15\"  DIAPH \"DISCONNECTED\"\n"
      "  AREAASSIGN  \"W1\"  \"L1\"  SECTION \"W20\"  PIER \"P1\"  SPANDREL \"S1\"\n"
      "  AREAASSIGN  \"W1\"  \"L2\"  SECTION \"W20\"  SPANDREL \"S1\"\n"
      "  AREAASSIGN  \"W1\"  \"L1\"  \"SPRINGK3\"  2000\n"
      "  AREAASSIGN  \"A2\"  \"L1\"  OPENING \"Yes\"\n  AREAASSIGN  \"A2\"  \"L2\"  SECTION \"S15\"\n"
      "  AREAASSIGN  \"W1\"  \"BASE\"  SECTION \"W99\"\n  AREAASSIGN  \"F1\"  \"BASE\"  PIER \"P1\"\n");
  const bm::ReadReport& r = m->report();
  CBMSlab* s1 = m->Slab("L1", "F1");
  CBMSlab* s2 = m->Slab("L2", "F1");
  ASSERT_TRUE(s1 && s2);
  EXPECT_NE(s1, s2);
  EXPECT_EQ(s1->get_pShellSection()->name(), "S15");
  EXPECT_EQ(s1->GetDiaphram()->name(), "D1");
  EXPECT_EQ(s2->GetDiaphram(), nullptr);
  EXPECT_EQ(m->Joint("L1", "TOP A")->get_theConnectList().GetItem(1), s1);

  CBMWall* w1 = m->Wall("L1", "W1");
  CBMWall* w2 = m->Wall("L2", "W1");
  ASSERT_TRUE(w1 && w2);
  EXPECT_EQ(w1->get_pPierSpandrel()->name(), "P1");
  EXPECT_EQ(w2->get_pPierSpandrel()->name(), "S1");
  EXPECT_EQ(r.Get("AREAASSIGN", "spandrel beside a pier (one label per wall)"), 1);
  EXPECT_EQ(r.Get("AREAASSIGN", bm::skip::kAreaSpring), 1);  // the wall's spring line: no place in the model

  // A null area makes no member; an opening is reported as such.
  EXPECT_EQ(m->Slab("L2", "A2"), nullptr);
  EXPECT_EQ(m->Wall("L2", "A2"), nullptr);
  EXPECT_EQ(r.Get("AREAASSIGN", bm::skip::kTypeNotRead), 1);
  EXPECT_EQ(r.Get("AREAASSIGN", bm::skip::kOpening), 1);
  EXPECT_EQ(m->Wall("BASE", "W1"), nullptr);
  EXPECT_EQ(r.Get("AREAASSIGN", bm::skip::kSectionNotFound), 1);
  EXPECT_EQ(r.Get("AREAASSIGN", bm::skip::kMemberNotFound), 1);
  EXPECT_EQ(r.Get("AREAASSIGN", "key MESHAT not used"), 1);
}

// The largest file's columns that pass no storey or several storeys stay
// columns of their storey (they came back as a beam and a brace).
TEST(KeyedGeometry, CorpusColumnsKeepTheirKind) {
  const std::filesystem::path file =
      std::filesystem::path(BM_CORPUS_DIR) / "e2k" / "v20.2.0_rdcperform_kosmos-large.e2k";
  if (!std::filesystem::exists(file)) GTEST_SKIP() << "no corpus file " << file;
  auto m = bm::test::ReadPath(file.string());
  ASSERT_NE(m->Column("11_P6", "C10"), nullptr);
  EXPECT_EQ(m->Column("11_P6", "C10")->GetPassStoryNum(), 3);
  int braces = 0;
  for (int l = 1; l <= m->geo()->get_pLevelList()->GetCount(); ++l) {
    braces += m->LevelAt(l)->get_theCBMBraceList()->GetCount();
  }
  EXPECT_EQ(braces, 0);  // the file has no BRACE line
  EXPECT_DOUBLE_EQ(m->Point("491")->get_Z(), 9.0);
}

}  // namespace
