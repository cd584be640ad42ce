// Load handlers: load cases and user wind loads, point loads, line loads,
// area loads and combinations.
#include <gtest/gtest.h>

#include "reader/AdapterTestUtil.h"

namespace {

using bm::test::Frame;
using bm::test::Read;

TEST(ReaderLoads, LoadCasesAndUserWind) {
  auto m = Read(
      "LOADCASE \"DL\" TYPE \"DEAD\" SELFWEIGHT 1.000000\nLOADCASE \"WX\" TYPE \"WIND\" SELFWEIGHT 0\n"
      "LOADCASE \"DL\" TYPE \"LIVE\" SELFWEIGHT 0\nWIND \"WX\" \"USER\"\n"
      "WIND \"WX\" USERLOAD \"STORY1\" \"D1\" FX 12.5 FY 0 MZ 0 XLOC 3 YLOC 4\n"
      "WIND \"WX\" USERLOAD \"STORY2\" \"D1\" YLOC 7 FY 2 QQ 9 MZ 1\n"
      "WIND \"NONE\" USERLOAD \"STORY2\" \"D1\" FX 1\n");
  CBMLoadCaseList* cases = m->geo()->GetLoadCaseList();
  ASSERT_EQ(cases->GetCount(), 3);  // the same name twice is kept twice
  CBMLoadCase* dl = cases->GetLoadCase("DL");
  ASSERT_NE(dl, nullptr);
  EXPECT_EQ(dl->get_sType(), "DEAD");
  EXPECT_DOUBLE_EQ(dl->get_fSelfW(), 1.0);
  EXPECT_EQ(dl->GetWindList()->GetCount(), 0);
  CBMLoadCase* wx = cases->GetLoadCase("WX");
  ASSERT_NE(wx, nullptr);
  ASSERT_EQ(wx->GetWindList()->GetCount(), 2);
  auto* w1 = dynamic_cast<CBMLoadWind*>(wx->GetWindList()->GetItem(1));
  ASSERT_NE(w1, nullptr);
  EXPECT_EQ(w1->get_sLevel(), "STORY1");
  EXPECT_EQ(w1->get_sDiaph(), "D1");
  EXPECT_DOUBLE_EQ(w1->get_Fx(), 12.5);
  EXPECT_DOUBLE_EQ(w1->get_XLoc(), 3);
  EXPECT_DOUBLE_EQ(w1->get_YLoc(), 4);
  auto* w2 = dynamic_cast<CBMLoadWind*>(wx->GetWindList()->GetItem(2));
  ASSERT_NE(w2, nullptr);
  EXPECT_DOUBLE_EQ(w2->get_Fx(), 0);
  EXPECT_DOUBLE_EQ(w2->get_Fy(), 2);
  EXPECT_DOUBLE_EQ(w2->get_Mz(), 1);
  EXPECT_DOUBLE_EQ(w2->get_YLoc(), 7);
  // Counted under the lines' own keyword; the heading is not model data.
  EXPECT_EQ(m->report().Get("WIND", bm::skip::kLoadCaseNotFound), 1);
  EXPECT_EQ(m->report().Get("WIND", bm::skip::kNotModelData), 1);
  EXPECT_EQ(m->report().ModelDataNotTaken(), 1);
}

TEST(ReaderLoads, PointLoads) {
  auto m = Read(Frame() +
                " POINTASSIGN  \"1\"  \"STORY1\" RESTRAINT \"UX\"\n\n"
                "  POINTLOAD   \"1\"  \"STORY1\"  TYPE \"FORCE\" LC \"DL\"  FZ -10\n"
                "  POINTLOAD   \"1\"  \"STORY1\"  TYPE \"FORCE\" LC \"LL\"  RZ 2 FX 1 RX 3\n"
                "  POINTLOAD   \"2\"  \"STORY1\"  TYPE \"FORCE\" LC \"LL\"  FX 1\n"
                "  POINTLOAD   \"1\"  \"NOSTORY\"  TYPE \"FORCE\" LC \"LL\"  FX 1\n");
  CBMJoint* joint = m->Joint("STORY1", "1");
  ASSERT_NE(joint, nullptr);
  ASSERT_EQ(joint->get_JointLoadList()->GetCount(), 2);
  auto* dl = dynamic_cast<CBMJointLoad*>(joint->get_JointLoadList()->GetItem(1));
  ASSERT_NE(dl, nullptr);
  EXPECT_EQ(dl->get_Lc(), "DL");
  EXPECT_EQ(dl->get_sType(), "FORCE");
  EXPECT_DOUBLE_EQ(dl->get_FZ(), -10);
  EXPECT_DOUBLE_EQ(dl->get_FX() + dl->get_FY() + dl->get_MX() + dl->get_MY() + dl->get_MZ(), 0);
  auto* ll = dynamic_cast<CBMJointLoad*>(joint->get_JointLoadList()->GetItem(2));
  ASSERT_NE(ll, nullptr);
  EXPECT_DOUBLE_EQ(ll->get_FX(), 1);
  EXPECT_DOUBLE_EQ(ll->get_MX(), 3);
  EXPECT_DOUBLE_EQ(ll->get_MZ(), 2);
  EXPECT_EQ(m->report().Get("POINTLOAD", bm::skip::kJointNotFound), 1);
  EXPECT_EQ(m->report().Get("POINTLOAD", bm::skip::kStoreyNotFound), 1);
}

TEST(ReaderLoads, LineLoads) {
  auto m = Read(Frame() +
                " MATERIAL \"S\" M 1\n\nFRAMESECTION  \"W\"  MATERIAL \"S\"  SHAPE \"Circle\" D 1\n\n"
                " LINE  \"B1\"  BEAM  \"1\"  \"2\"  0\n LINE  \"C1\"  COLUMN  \"3\"  \"3\"  1\n"
                " LINE  \"BR\"  BRACE  \"1\"  \"3\"  1\n LINE  \"B2\"  BEAM  \"2\"  \"3\"  0\n\n"
                " LINEASSIGN  \"B1\"  \"STORY1\" SECTION \"W\"  ANG 0\n"
                " LINEASSIGN  \"C1\"  \"STORY1\" SECTION \"W\"  ANG 0\n\n"
                " LINELOAD  \"B1\"  \"STORY1\"  TYPE \"UNIFF\"  DIR \"GRAV\" LC \"DL\"  FVAL   5.000000\n"
                " LINELOAD  \"B1\"  \"STORY1\"  TYPE \"TRAPF\" DIR \"GRAV\"  LC \"LL\" FSTART   2.000000 "
                "FEND   4.000000 RDSTART   0.250000  RDEND   0.750000\n"
                " LINELOAD  \"B1\"  \"STORY1\"  TYPE \"POINTF\" DIR \"GRAV\"  LC \"LL\" FVAL 3 RDIST  0.5 \n"
                " LINELOAD  \"C1\"  \"STORY1\"  TYPE \"UNIFF\"  DIR \"X\" LC \"WX\"  FVAL 1\n"
                " LINELOAD  \"BR\"  \"STORY2\"  TYPE \"UNIFF\"  DIR \"X\" LC \"WX\"  FVAL 2\n"
                " LINELOAD  \"B2\"  \"STORY1\"  TYPE \"UNIFF\"  DIR \"X\" LC \"WX\"  FVAL 2\n"
                " LINELOAD  \"ZZ\"  \"STORY1\"  TYPE \"UNIFF\"  DIR \"X\" LC \"WX\"  FVAL 2\n"
                " LINELOAD  \"B1\"  \"STORY1\"  TYPE \"UNIFM\"  DIR \"X\" LC \"WX\"  FVAL 2\n");
  CBMBeam* beam = m->Beam("STORY1", "B1");
  ASSERT_NE(beam, nullptr);
  ASSERT_EQ(beam->Get_LineLoadList()->GetCount(), 3);
  auto* unif = dynamic_cast<CBMLineLoad*>(beam->Get_LineLoadList()->GetItem(1));
  ASSERT_NE(unif, nullptr);
  EXPECT_EQ(unif->get_sType(), "UNIFF");
  EXPECT_EQ(unif->get_sDir(), "GRAV");
  EXPECT_EQ(unif->get_Lc(), "DL");
  EXPECT_DOUBLE_EQ(unif->get_UniformV(), 5);
  EXPECT_DOUBLE_EQ(unif->get_VStart(), 5);
  auto* trap = dynamic_cast<CBMLineLoad*>(beam->Get_LineLoadList()->GetItem(2));
  ASSERT_NE(trap, nullptr);
  EXPECT_DOUBLE_EQ(trap->get_VStart(), 2);
  EXPECT_DOUBLE_EQ(trap->get_VEnd(), 4);
  EXPECT_DOUBLE_EQ(trap->get_RStart(), 0.25);
  EXPECT_DOUBLE_EQ(trap->get_REnd(), 0.75);
  EXPECT_DOUBLE_EQ(trap->get_UniformV(), 0);
  // A concentrated load keeps its force and distance as start values.
  auto* point = dynamic_cast<CBMLineLoad*>(beam->Get_LineLoadList()->GetItem(3));
  ASSERT_NE(point, nullptr);
  EXPECT_EQ(point->get_sType(), "POINTF");
  EXPECT_DOUBLE_EQ(point->get_VStart(), 3);
  EXPECT_DOUBLE_EQ(point->get_RStart(), 0.5);
  EXPECT_DOUBLE_EQ(point->get_VEnd() + point->get_REnd() + point->get_UniformV(), 0);
  CBMColumn* column = m->Column("STORY1", "C1");
  ASSERT_NE(column, nullptr);
  EXPECT_EQ(column->Get_LineLoadList()->GetCount(), 1);
  // A brace that is not on the storey yet is made for its load.
  CBMBrace* brace = m->Brace("STORY2", "BR");
  ASSERT_NE(brace, nullptr);
  EXPECT_EQ(brace->Get_LineLoadList()->GetCount(), 1);
  EXPECT_EQ(brace->get_pLine(), nullptr);
  EXPECT_EQ(m->report().Get("LINELOAD", bm::skip::kMemberNotFound), 1);  // B2 has no beam
  EXPECT_EQ(m->report().Get("LINELOAD", bm::skip::kLineNotFound), 1);
  EXPECT_EQ(m->report().Get("LINELOAD", bm::skip::kTypeNotRead), 1);  // UNIFM
}

TEST(ReaderLoads, AreaLoadsOnSlabsAndWalls) {
  auto m = Read(bm::test::Version8Frame() +
                " AREALOAD  \"F1\"  \"STORY1\"  TYPE \"UNIFF\"  DIR \"GRAV\" LC \"DL\"  FVAL 3.500000\n"
                " AREALOAD  \"F1\"  \"STORY1\"  FVAL 2 LC \"LL\" DIR \"GRAV\" TYPE \"UNIFF\" QQ 1\n"
                " AREALOAD  \"W1\"  \"STORY1\"  TYPE \"UNIFF\"  DIR \"X\" LC \"WX\"  FVAL 0.5\n"
                " AREALOAD  \"F1\"  \"STORY2\"  TYPE \"UNIFF\"  DIR \"GRAV\" LC \"DL\"  FVAL 1\n"
                " AREALOAD  \"F9\"  \"STORY1\"  TYPE \"UNIFF\"  DIR \"GRAV\" LC \"DL\"  FVAL 1\n"
                " AREALOAD  \"F1\"  \"NOSTORY\"  TYPE \"UNIFF\"  DIR \"GRAV\" LC \"DL\"  FVAL 1\n"
                " AREALOAD  \"F1\"  \"STORY1\"  TYPE \"TRAPF\"  DIR \"GRAV\" LC \"DL\"\n");
  CBMSlab* slab = m->Slab("STORY1", "F1");
  ASSERT_NE(slab, nullptr);
  ASSERT_EQ(slab->get_SlabLoadList()->GetCount(), 2);
  auto* dead = dynamic_cast<CBMAreaLoad*>(slab->get_SlabLoadList()->GetItem(1));
  auto* live = dynamic_cast<CBMAreaLoad*>(slab->get_SlabLoadList()->GetItem(2));
  ASSERT_TRUE(dead && live);
  EXPECT_EQ(dead->get_sDir(), "GRAV");
  EXPECT_DOUBLE_EQ(dead->get_Value(), 3.5);
  EXPECT_EQ(live->get_Lc(), "LL");  // keys in any order; an unknown key is reported
  EXPECT_EQ(m->report().Get("AREALOAD", "key QQ not used"), 1);
  // A wall keeps its area load too.
  ASSERT_NE(m->Wall("STORY1", "W1"), nullptr);
  EXPECT_EQ(m->Wall("STORY1", "W1")->get_SlabLoadList()->GetCount(), 1);
  EXPECT_EQ(m->report().Get("AREALOAD", bm::skip::kMemberNotFound), 1);  // F1 is not on STORY2
  EXPECT_EQ(m->report().Get("AREALOAD", bm::skip::kAreaNotFound), 1);
  EXPECT_EQ(m->report().Get("AREALOAD", bm::skip::kStoreyNotFound), 1);
  EXPECT_EQ(m->report().Get("AREALOAD", bm::skip::kTypeNotRead), 1);
}

TEST(ReaderLoads, Combinations) {
  auto m = Read(
      "COMBO \"C1\"  TYPE \"ADD\"\nCOMBO \"C1\"  LOAD \"DL\"  SF 1.200000\nCOMBO \"C1\"  LOAD \"LL\"  SF "
      "1.4\n"
      "COMBO \"C2\"  TYPE \"ENVE\"\nCOMBO \"C2\"  LOAD \"DL\"\nCOMBO \"C2\"  LOAD \"A\" LOAD \"B\" SF 2\n"
      "COMBO \"C2\"  SF 3\n"
      "COMBO \"C3\"  TYPE \"ADD\"\nCOMBO \"C3\"  COMBO \"C1\"  SF 0.5\nCOMBO \"C3\"  LOAD \"WX\"  SF 1\n");
  CBMComponentList* combos = m->geo()->Get_pLoadCombination();
  ASSERT_EQ(combos->GetCount(), 3);
  auto* c1 = dynamic_cast<CBMLoadCom*>(combos->GetItem(1));
  ASSERT_NE(c1, nullptr);
  EXPECT_EQ(c1->get_Name(), "C1");
  EXPECT_EQ(c1->get_sType(), "ADD");
  ASSERT_EQ(c1->get_CombineList()->GetCount(), 2);
  auto* t1 = dynamic_cast<CBMLoadComItem*>(c1->get_CombineList()->GetItem(1));
  auto* t2 = dynamic_cast<CBMLoadComItem*>(c1->get_CombineList()->GetItem(2));
  ASSERT_TRUE(t1 && t2);
  EXPECT_EQ(t1->get_CaseName(), "DL");
  EXPECT_DOUBLE_EQ(t1->get_Factor(), 1.2);
  EXPECT_EQ(t2->get_CaseName(), "LL");
  auto* c2 = dynamic_cast<CBMLoadCom*>(combos->GetItem(2));
  ASSERT_NE(c2, nullptr);
  // A LOAD without an SF on its line gives no term; the second LOAD of a
  // line replaces the first.
  ASSERT_EQ(c2->get_CombineList()->GetCount(), 1);
  auto* b = dynamic_cast<CBMLoadComItem*>(c2->get_CombineList()->GetItem(1));
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->get_CaseName(), "B");
  EXPECT_DOUBLE_EQ(b->get_Factor(), 2);
  EXPECT_EQ(m->report().Get("COMBO", bm::skip::kIncompleteTerm), 2);
  // A second COMBO pair on a line is a term: a combination of combinations.
  auto* c3 = dynamic_cast<CBMLoadCom*>(combos->GetItem(3));
  ASSERT_NE(c3, nullptr);
  ASSERT_EQ(c3->get_CombineList()->GetCount(), 2);
  auto* nested = dynamic_cast<CBMLoadComItem*>(c3->get_CombineList()->GetItem(1));
  ASSERT_NE(nested, nullptr);
  EXPECT_EQ(nested->get_CaseName(), "C1");
  EXPECT_DOUBLE_EQ(nested->get_Factor(), 0.5);
}

TEST(ReaderLoads, BlocksLongerThanAPartAreReadWhole) {
  // 5000 load cases: a block handed on in parts. A combination whose lines
  // straddle the 4096th line of its block (a cut for any part size dividing
  // 4096): a grouped block, read whole.
  const struct {
    bool later;           // a version 20 file, else version 8
    const char* caseKey;  // the keyword of a load case line
    const char* caseRest;
    const char* comboType;
    const char* termKey;
  } forms[] = {
      {false, "LOADCASE", "  TYPE  \"LIVE\"  SELFWT  0", "ADD", "LOAD"},
      {true, "LOADPATTERN", "  TYPE  \"Live\"  SELFWEIGHT  0", "Linear Add", "LOADCASE"},
  };
  for (const auto& f : forms) {
    std::string body;
    for (int i = 1; i <= 5000; ++i) {
      body += std::string(f.caseKey) + " \"L" + std::to_string(i) + "\"" + f.caseRest + "\n";
    }
    body += "\n";
    for (int i = 1; i <= 4090; ++i) {
      body += "COMBO \"A" + std::to_string(i) + "\"  TYPE \"" + f.comboType + "\"\n";
    }
    body += std::string("COMBO \"LONG\"  TYPE \"") + f.comboType + "\"\n";
    for (int i = 1; i <= 10; ++i) {
      body += std::string("COMBO \"LONG\"  ") + f.termKey + " \"L" + std::to_string(i) + "\"  SF 1\n";
    }
    auto m = Read(f.later ? bm::test::Later(body) : "PROGRAM  \"ETABS\"  VERSION \"8.48\"\n\n" + body);
    EXPECT_EQ(m->adapter.GetFileVersion(), f.later ? 20 : 8);
    EXPECT_EQ(m->geo()->GetLoadCaseList()->GetCount(), 5000);
    CBMComponentList* combos = m->geo()->Get_pLoadCombination();
    ASSERT_EQ(combos->GetCount(), 4091);
    auto* last = dynamic_cast<CBMLoadCom*>(combos->GetItem(4091));
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->get_Name(), "LONG");
    EXPECT_EQ(last->get_CombineList()->GetCount(), 10);
  }
}

}  // namespace
