// Load lines of later-version files read by key; what they give survives
// the version 8 text and the archive.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "reader/AdapterTestUtil.h"

namespace {

using bm::test::Later;
using bm::test::Read;
using bm::test::ReadInto;
using bm::test::ReadModel;

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

CBMLoadCase* Case(ReadModel& m, const char* name) { return m.geo()->GetLoadCaseList()->GetLoadCase(name); }

CBMLoadCom* Combo(ReadModel& m, const char* name) {
  return dynamic_cast<CBMLoadCom*>(m.geo()->Get_pLoadCombination()->GetItem(CString(name)));
}

// "NAME*factor" for each term of a combination, in order.
std::string Terms(const CBMLoadCom* combo) {
  std::ostringstream out;
  const CBMComponentList* terms = combo->get_CombineList();
  for (int i = 1; i <= terms->GetCount(); ++i) {
    auto* t = dynamic_cast<CBMLoadComItem*>(terms->GetItem(i));
    if (!t) continue;
    out << (i > 1 ? " " : "") << t->get_CaseName().str() << '*' << t->get_Factor();
  }
  return out.str();
}

// From version 10 on (10.0.0 included), load patterns are the load cases; LOADCASE lines are
// analysis cases.
TEST(KeyedLoads, LoadPatternsAreTheLoadCasesFromVersion10) {
  auto m =
      Read(Later("  LOADPATTERN \"Dead\"  TYPE  \"Dead\"  SELFWEIGHT  1\n"
                 "  LOADPATTERN \"EQX\"  TYPE  \"Seismic\"  SELFWEIGHT  0\n"
                 "  LOADPATTERN \"N\"  TYPE  \"Notional\"  SELFWEIGHT  0  NOTIONALBASE \"Dead\"\n"
                 "  LOADPATTERN \"ICE\"  TYPE  \"Ice Load\"  SELFWEIGHT  0\n"
                 "  LOADCASE \"Modal\"  TYPE  \"Modal - Eigen\"  INITCOND  \"PRESET\"\n"
                 "  LOADCASE \"Dead\"  TYPE  \"Linear Static\"  INITCOND  \"PRESET\"\n"
                 "  LOADCASE \"Dead\"  LOADPAT  \"Dead\"  SF  1\n",
                 "10.0.0"));
  ASSERT_EQ(m->geo()->GetLoadCaseList()->GetCount(), 4);
  ASSERT_NE(Case(*m, "DEAD"), nullptr);
  EXPECT_EQ(Case(*m, "DEAD")->get_sType(), "DEAD");
  EXPECT_DOUBLE_EQ(Case(*m, "DEAD")->get_fSelfW(), 1.0);
  EXPECT_EQ(Case(*m, "EQX")->get_sType(), "QUAKE");
  EXPECT_EQ(Case(*m, "N")->get_sType(), "OTHER");
  EXPECT_EQ(Case(*m, "ICE")->get_sType(), "ICE LOAD");  // no model word: kept as written
  EXPECT_EQ(m->report().Get("LOADPATTERN", "key NOTIONALBASE not used"), 1);
  EXPECT_EQ(m->report().Get("LOADCASE", bm::skip::kNotModelData), 3);
  EXPECT_EQ(m->report().ModelDataNotTaken(), 0);
}

// Version 9: LOADCASE lines are the load cases, read by key; user lateral
// loads keep their point of application.
TEST(KeyedLoads, Version9LoadCasesAndUserLateralLoads) {
  auto m =
      Read(Later("  LOADCASE \"DL\"  SELFWEIGHT  1  TYPE  \"DEAD\"\n"
                 "  LOADCASE \"WX\"  TYPE  \"WIND\"  SELFWEIGHT  0\n"
                 "  LOADCASE \"WY\"  TYPE  \"WIND\"  SELFWEIGHT  0\n"
                 "  LOADCASE \"EQB\"  TYPE  \"QUAKE\"  SELFWEIGHT  0\n  WIND \"WX\"  \"USER\"\n"
                 "  WIND \"WX\"  USERLOAD \"STORY1\"  \"D1\"  FX 12.5 FY 1 MZ 2 XLOC 3 YLOC 4\n"
                 "  WIND \"WX\"  USERLOAD SET 1  \"STORY2\"  \"D1\"  YLOC 7 FX 5\n  WIND \"WX\"  USERLOAD "
                 "SET 2  \"STORY2\"\n"
                 "  WIND \"WY\"  \"EUROCODE1 2005\"  EXPOSUREFROM \"DIAPHRAGMS\"  ANG 90  VB 35\n"
                 "  WIND \"NONE\"  USERLOAD \"STORY1\"  \"D1\"  FX 1 XLOC 0 YLOC 0\n"
                 "  SEISMIC \"EQB\"  \"USER_LOADS\"  ECC 0.05\n"
                 "  SEISMIC \"EQB\"  USERLOAD \"STORY1\"  \"D1\"  FX 38.63\n"
                 "  SEISMIC \"EQB\"  USERLOAD   SET 1  \"STORY2\"  \"D1\"  FX 46\n"
                 "  SEISMIC \"EQX\"  \"USER_COEFF\"  DIR \"X\"  TOPSTORY \"STORY2\"  SHEARCOEFF 0.1\n",
                 "9.7.3"));
  ASSERT_EQ(m->geo()->GetLoadCaseList()->GetCount(), 4);
  EXPECT_EQ(Case(*m, "DL")->get_sType(), "DEAD");
  EXPECT_DOUBLE_EQ(Case(*m, "DL")->get_fSelfW(), 1.0);
  EXPECT_EQ(Case(*m, "EQB")->get_sType(), "QUAKE");
  EXPECT_EQ(m->report().GetKeyword("LOADCASE"), 0);
  CBMLoadCase* wx = Case(*m, "WX");
  ASSERT_NE(wx, nullptr);
  ASSERT_EQ(wx->GetWindList()->GetCount(), 2);
  auto* w1 = dynamic_cast<CBMLoadWind*>(wx->GetWindList()->GetItem(1));
  auto* w2 = dynamic_cast<CBMLoadWind*>(wx->GetWindList()->GetItem(2));
  ASSERT_TRUE(w1 && w2);
  EXPECT_EQ(w1->get_sDiaph(), "D1");
  EXPECT_DOUBLE_EQ(w1->get_Mz(), 2);
  EXPECT_DOUBLE_EQ(w1->get_XLoc(), 3);
  EXPECT_EQ(w2->get_sLevel(), "STORY2");  // SET n comes before the storey
  EXPECT_DOUBLE_EQ(w2->get_YLoc(), 7);
  // Loads at the centre of mass have no place; headings and generated
  // loads are not model data.
  EXPECT_EQ(Case(*m, "WY")->GetWindList()->GetCount() + Case(*m, "EQB")->GetWindList()->GetCount(), 0);
  EXPECT_EQ(m->report().Get("SEISMIC", bm::skip::kAtCentreOfMass), 2);
  EXPECT_EQ(m->report().Get("SEISMIC", bm::skip::kNotModelData), 2);
  EXPECT_EQ(m->report().Get("WIND", bm::skip::kNotModelData), 2);
  EXPECT_EQ(m->report().Get("WIND", bm::skip::kLoadCaseNotFound), 1);
  EXPECT_EQ(m->report().Get("WIND", bm::skip::kTooFewTokens), 1);  // no diaphragm
}

int LoadCount(CBMComponentList* list) { return list ? list->GetCount() : 0; }

TEST(KeyedLoads, PointLineAndAreaLoadsByKeySurviveTheVersion8Text) {
  ReadModel m;
  ReadInto(m, bm::test::Version8Frame());
  ASSERT_TRUE(m.ok);
  ReadInto(
      m,
      Later("  LOADPATTERN \"Dead\"  TYPE  \"Dead\"  SELFWEIGHT  1\n"
            "  LOADPATTERN \"Live\"  TYPE  \"Live\"  SELFWEIGHT  0\n"
            "  POINTLOAD  \"1\"  \"STORY1\"  TYPE \"FORCE\"  LC \"Dead\"  FZ -10 MX 2 RZ 3\n"
            "  POINTLOAD  \"2\"  \"Base\"  TYPE \"FORCE\"  LC \"Live\"  FX 10.2\n"
            "  POINTLOAD  \"9\"  \"STORY1\"  TYPE \"FORCE\"  LC \"Live\"  FX 1\n"
            "  POINTLOAD  \"1\"  \"STORY1\"  TYPE \"DISPL\"  LC \"Live\"  UX 0.01\n"
            "  LINELOAD  \"B1\"  \"STORY1\"  TYPE \"UNIFF\"  DIR \"GRAV\"  LC \"Dead\"  FVAL 5\n"
            "  LINELOAD  \"B1\"  \"STORY1\"  TYPE \"TRAPF\"  DIR \"GRAV\"  LOADPAT \"Live\"  FSTART 2  FEND 4"
            "  RDSTART 0.25  RDEND 0.75\n"
            "  LINELOAD  \"B1\"  \"STORY1\"  TYPE \"POINTF\"  DIR \"GRAV\"  LC \"Live\"  FVAL 12  RDIST 0.5\n"
            "  LINELOAD  \"C1\"  \"STORY1\"  TYPE \"UNIFF\"  DIR \"X\"  LC \"Live\"  FVAL 1\n"
            "  LINELOAD  \"BR\"  \"STORY2\"  TYPE \"TEMPF\"  LC \"Live\"  FVAL 1\n"
            "  AREALOAD  \"F1\"  \"STORY1\"  TYPE \"UNIFF\"  DIR \"GRAV\"  LC \"Dead\"  FVAL 1.8\n"
            "  AREALOAD  \"W1\"  \"STORY1\"  TYPE \"UNIFF\"  DIR \"X\"  LC \"Live\"  FVAL 0.4\n"
            "  AREALOAD  \"F1\"  \"STORY1\"  TYPE \"UNIFLOADSET\"  \"ULoadSet1\"\n"));
  ASSERT_TRUE(m.ok);
  const bm::ReadReport& report = m.report();

  ASSERT_NE(m.Joint("STORY1", "1"), nullptr);
  ASSERT_EQ(LoadCount(m.Joint("STORY1", "1")->get_JointLoadList()), 1);
  auto* p1 = dynamic_cast<bm::VectorLoad*>(m.Joint("STORY1", "1")->get_JointLoadList()->GetItem(1));
  ASSERT_NE(p1, nullptr);
  EXPECT_EQ(p1->get_Lc(), "DEAD");
  EXPECT_DOUBLE_EQ(p1->get_FZ(), -10);
  EXPECT_DOUBLE_EQ(p1->get_MZ(), 3);  // RZ, the version 8 key
  // The point has no joint on the base yet: the load makes it.
  ASSERT_NE(m.Joint("BASE", "2"), nullptr);
  EXPECT_EQ(LoadCount(m.Joint("BASE", "2")->get_JointLoadList()), 1);
  EXPECT_EQ(report.Get("POINTLOAD", bm::skip::kPointNotFound), 1);
  EXPECT_EQ(report.Get("POINTLOAD", bm::skip::kTypeNotRead), 1);

  CBMBeam* beam = m.Beam("STORY1", "B1");
  ASSERT_NE(beam, nullptr);
  ASSERT_EQ(LoadCount(beam->Get_LineLoadList()), 3);
  auto* trap = dynamic_cast<CBMLineLoad*>(beam->Get_LineLoadList()->GetItem(2));
  auto* point = dynamic_cast<CBMLineLoad*>(beam->Get_LineLoadList()->GetItem(3));
  ASSERT_TRUE(trap && point);
  EXPECT_EQ(trap->get_Lc(), "LIVE");  // by LOADPAT
  EXPECT_DOUBLE_EQ(trap->get_VEnd(), 4);
  EXPECT_DOUBLE_EQ(trap->get_REnd(), 0.75);
  EXPECT_EQ(point->get_sType(), "POINTF");
  EXPECT_DOUBLE_EQ(point->get_VStart(), 12);
  EXPECT_DOUBLE_EQ(point->get_RStart(), 0.5);
  EXPECT_EQ(LoadCount(m.Column("STORY1", "C1")->Get_LineLoadList()), 1);
  // A load of a type the model has not makes no brace.
  EXPECT_EQ(m.Brace("STORY2", "BR"), nullptr);
  EXPECT_EQ(report.Get("LINELOAD", bm::skip::kTypeNotRead), 1);

  CBMSlab* slab = m.Slab("STORY1", "F1");
  ASSERT_NE(slab, nullptr);
  ASSERT_EQ(LoadCount(slab->get_SlabLoadList()), 1);
  auto* area = dynamic_cast<CBMAreaLoad*>(slab->get_SlabLoadList()->GetItem(1));
  ASSERT_NE(area, nullptr);
  EXPECT_EQ(area->get_sDir(), "GRAV");
  EXPECT_DOUBLE_EQ(area->get_Value(), 1.8);
  EXPECT_EQ(LoadCount(m.Wall("STORY1", "W1")->get_SlabLoadList()), 1);
  EXPECT_EQ(report.Get("AREALOAD", bm::skip::kTypeNotRead), 1);
  // Nothing else was lost, and every taken line used all its keys.
  EXPECT_EQ(report.ModelDataNotTaken(), 4);
  EXPECT_EQ(report.Total(bm::ReadReport::Kind::kUnusedKey), 0);

  // Written as version 8 text and read back, the loads are the same (the
  // wall's area load aside, which that text has no line for), and a second
  // write gives the same text.
  bm::test::TempDir dir;
  auto back = bm::test::ThroughVersion8(m, dir.File("first.e2k"));
  for (const char* keyword : {"POINTLOAD", "LINELOAD", "AREALOAD"})
    EXPECT_EQ(back->report().GetKeyword(keyword), 0);
  ASSERT_TRUE(back->Beam("STORY1", "B1") && back->Slab("STORY1", "F1") && back->Joint("BASE", "2"));
  ASSERT_EQ(LoadCount(back->Beam("STORY1", "B1")->Get_LineLoadList()), 3);
  auto* pointBack = dynamic_cast<CBMLineLoad*>(back->Beam("STORY1", "B1")->Get_LineLoadList()->GetItem(3));
  ASSERT_NE(pointBack, nullptr);
  EXPECT_EQ(pointBack->get_sType(), "POINTF");
  EXPECT_DOUBLE_EQ(pointBack->get_RStart(), 0.5);
  EXPECT_EQ(LoadCount(back->Slab("STORY1", "F1")->get_SlabLoadList()), 1);
  EXPECT_EQ(LoadCount(back->Joint("BASE", "2")->get_JointLoadList()), 1);
  bm::test::ThroughVersion8(*back, dir.File("second.e2k"));
  EXPECT_EQ(Slurp(dir.File("first.e2k")), Slurp(dir.File("second.e2k")));
}

TEST(KeyedLoads, CombinationsKeepEveryTermThroughTheArchive) {
  auto m =
      Read(Later("  COMBO \"UDStlS1\"  TYPE \"Linear Add\"  NOTES \"Dead  [Strength]\"\n"
                 "  COMBO \"UDStlS1\"  DESIGN \"Steel\"  COMBOTYPE \"Strength\"\n"
                 "  COMBO \"UDStlS1\"  LOADCASE \"Dead\"  SF 1.35\n"
                 "  COMBO \"UDStlS1\"  LOADCASE \"S.Dead\"  SF 1.35\n  COMBO \"ENV\"  TYPE \"Envelope\"\n"
                 "  COMBO \"ENV\"  LOADCOMBO \"UDStlS1\"  SF 1\n  COMBO \"ENV\"  SF 2\n"
                 "  COMBO \"ENV\"  LOADCASE \"Live\"\n  COMBO \"ABS1\"  TYPE \"Absolute Add\"\n"
                 "  COMBO \"RNG\"  TYPE \"Range Add\"\n  COMBO \"ABS1\"  LOADCASE \"Live\"  SF 1\n",
                 "16.2.1"));
  ASSERT_EQ(m->geo()->Get_pLoadCombination()->GetCount(), 4);
  ASSERT_TRUE(Combo(*m, "UDSTLS1") && Combo(*m, "ENV"));
  EXPECT_EQ(Combo(*m, "UDSTLS1")->get_sType(), "ADD");
  EXPECT_EQ(Terms(Combo(*m, "UDSTLS1")), "DEAD*1.35 S.DEAD*1.35");
  EXPECT_EQ(Combo(*m, "ENV")->get_sType(), "ENVE");
  EXPECT_EQ(Terms(Combo(*m, "ENV")), "UDSTLS1*1");
  // A factor without a term and a term without a factor.
  EXPECT_EQ(m->report().Get("COMBO", bm::skip::kIncompleteTerm), 2);
  // The lines of one combination that another interrupts make one.
  ASSERT_TRUE(Combo(*m, "ABS1") && Combo(*m, "RNG"));
  EXPECT_EQ(Combo(*m, "ABS1")->get_sType(), "ABS");
  EXPECT_EQ(Terms(Combo(*m, "ABS1")), "LIVE*1");
  EXPECT_EQ(Combo(*m, "RNG")->get_sType(), "RANGE ADD");  // no model word: kept as written
  // Design use and notes are keys the model has no place for.
  EXPECT_EQ(m->report().Get("COMBO", "key DESIGN (not model data)"), 1);
  EXPECT_EQ(m->report().Get("COMBO", "key NOTES (not model data)"), 1);

  // Version 9 terms: LOAD, another combination (COMBO) and a response
  // spectrum, each with its factor: any key whose pair an SF closes.
  auto v9 =
      Read(Later("  COMBO \"EQV\"  TYPE \"ADD\"  DESIGN \"CONCRETE\"\n  COMBO \"EQV\"  LOAD \"DL\"  SF 1\n"
                 "  COMBO \"USS04\"  TYPE \"ADD\"  DESIGN \"STEELSTRENGTH\"  DESIGN \"CONCRETE\"\n"
                 "  COMBO \"USS04\"  LOAD \"DL\"  SF 1.2\n  COMBO \"USS04\"  COMBO \"EQV\"  SF 0.3\n"
                 "  COMBO \"USS04\"  SPECTRUM \"0SPECX\"  SF 1.267549\n",
                 "9.7.3"));
  CBMLoadCom* uss = Combo(*v9, "USS04");
  ASSERT_NE(uss, nullptr);
  EXPECT_EQ(Terms(uss), "DL*1.2 EQV*0.3 0SPECX*1.26755");
  EXPECT_EQ(v9->report().ModelDataNotTaken(), 0);

  // The archive keeps every combination with its terms.
  bm::test::TempDir dir;
  const CString archive = dir.File("model.bma").c_str();
  ASSERT_TRUE(v9->module->ReadSaveFile(archive, 0));
  CBuildingModule loaded;
  ASSERT_TRUE(loaded.ReadSaveFile(archive, 1));
  auto* again =
      dynamic_cast<CBMLoadCom*>(loaded.get_pMgrGeometry()->Get_pLoadCombination()->GetItem(CString("USS04")));
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->get_sType(), "ADD");
  EXPECT_EQ(Terms(again), Terms(uss));
}

}  // namespace
