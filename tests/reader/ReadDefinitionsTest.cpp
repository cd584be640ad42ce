// The driver and the definition handlers: dispatch by exact keyword,
// grouping runs, units, storeys, diaphragms, materials, frame sections,
// wall/slab/deck properties, links and pier/spandrel labels.
#include <gtest/gtest.h>

#include "reader/AdapterTestUtil.h"

namespace {

using bm::test::Read;
using bm::test::ReadModel;

TEST(ReaderDriver, UnitsOnlyFileSetsUnitsAndReturnsTrue) {
  auto m = Read(
      "$PROGRAM INFORMATION\n PROGRAM  \"ETABS\"  VERSION \"8.48\"\n\n"
      "$CONTROLS \n UNITS \"Kip\" \"in\"\nTITLE1  \"ttl\"\nPREFERENCE  MERGETOL .001\n\n");
  EXPECT_EQ(m->module->get_pUnitSystem()->get_csForceUnit(), "KIP");
  EXPECT_EQ(m->module->get_pUnitSystem()->get_csLengthUnit(), "IN");
  // Each line is counted under its own keyword; none of these is model data.
  EXPECT_EQ(m->report().Get("PROGRAM", bm::skip::kNotModelData), 1);
  EXPECT_EQ(m->report().Get("TITLE1", bm::skip::kNotModelData), 1);
  EXPECT_EQ(m->report().Get("PREFERENCE", bm::skip::kNotModelData), 1);
  EXPECT_EQ(m->report().GetKeyword("UNITS"), 0);
  EXPECT_EQ(m->report().ModelDataNotTaken(), 0);
}

TEST(ReaderDriver, QuotedNamesWithSpacesStayWholeInVersion8Files) {
  auto m = Read(
      " STORY \"LEVEL 1\"  HEIGHT 3.5\n STORY \"BASE\"  ELEV 0\n\n"
      " MATERIAL \"CONC C30\" M 2.4 W 24 TYPE \"ISOTROPIC\" E 3e7 U 0.2 A 1e-5\n"
      " MATERIAL  \"CONC C30\"  DESIGNTYPE \"CONCRETE\"  FY 400 FC 30  FYS 400\n\n"
      "FRAMESECTION  \"COL 500\"  MATERIAL \"CONC C30\"  SHAPE \"Rectangular\" D 0.5 B 0.4\n"
      "FRAMESECTION  \"W18X35\"  MATERIAL \"CONC C30\"  SHAPE \"W18X35\" \n\n");
  EXPECT_EQ(m->LevelAt(2)->get_Name(), "LEVEL 1");
  auto* material = m->geo()->get_pMaterialList()->GetMaterial("CONC C30");
  ASSERT_NE(material, nullptr);
  EXPECT_EQ(material->get_E(), 3e7);
  EXPECT_EQ(material->get_FC(), 30);
  auto* column = m->geo()->get_pFrameSectionList()->GetFrameSection("COL 500");
  ASSERT_NE(column, nullptr);
  EXPECT_EQ(column->get_pMaterial(), material);
  // A section named from a section database is kept under its shape word.
  ASSERT_NE(m->geo()->get_pFrameSectionList()->GetFrameSection("W18X35"), nullptr);
  EXPECT_EQ(m->geo()->get_pFrameSectionList()->GetFrameSection("W18X35")->get_Shape(), "W18X35");
  EXPECT_EQ(m->report().ModelDataNotTaken(), 0);
}

TEST(ReaderDriver, RefusesWithoutModuleAndWithoutFile) {
  ZAdapterEtabs8 adapter;
  bm::test::TempDir dir;
  CString path = dir.Write("a.e2k", bm::test::WithHeader(" UNITS \"KN\" \"M\"\n")).c_str();
  EXPECT_FALSE(adapter.ReadFile(path));
  CBuildingModule module;
  adapter.SetBuildingModule(&module);
  CString missing = dir.File("none.e2k").c_str();
  EXPECT_FALSE(adapter.ReadFile(missing));
  CString noData = dir.Write("b.e2k", "$ x\n\n\n STORY \"S\" HEIGHT 3\n").c_str();
  EXPECT_FALSE(adapter.ReadFile(noData));
  EXPECT_EQ(module.get_pMgrGeometry()->get_pLevelList()->GetCount(), 0);
  EXPECT_EQ(module.get_pUnitSystem()->get_csForceUnit(), "");
  EXPECT_TRUE(adapter.ReadFile(path));
  EXPECT_EQ(module.get_pUnitSystem()->get_csForceUnit(), "KN");
}

TEST(ReaderDriver, KeywordsMatchExactlyAndSkippedBlocksAreCounted) {
  auto m = Read(
      " Story \"A\" HEIGHT 3\n\n story \"B\" HEIGHT 3\n\nCOORDSYSTEM \"GLOBAL\"\nGRID \"GLOBAL\" \"A\"\n\n"
      " STORY \"S1\" HEIGHT 3\n");
  ASSERT_EQ(m->geo()->get_pLevelList()->GetCount(), 1);
  EXPECT_EQ(m->LevelAt(1)->get_Name(), "S1");
  EXPECT_EQ(m->report().Get("Story", bm::skip::kNoHandler), 1);
  EXPECT_EQ(m->report().Get("story", bm::skip::kNoHandler), 1);
  // Lines are counted under their own keyword, not under the block's first.
  EXPECT_EQ(m->report().Get("COORDSYSTEM", bm::skip::kIgnoredKeyword), 1);
  EXPECT_EQ(m->report().Get("GRID", bm::skip::kIgnoredKeyword), 1);
}

TEST(ReaderDriver, SecondReadHandlesOnlyTheNewFile) {
  ReadModel m;
  bm::test::ReadInto(m, " STORY \"S1\" HEIGHT 3\n STORY \"BASE\" ELEV 0\n");
  ASSERT_TRUE(m.ok);
  bm::test::ReadInto(m, " STORY \"S2\" HEIGHT 4\n");
  ASSERT_TRUE(m.ok);
  ASSERT_EQ(m.geo()->get_pLevelList()->GetCount(), 3);
  EXPECT_EQ(m.LevelAt(3)->get_Name(), "S2");
}

TEST(ReaderDriver, ShortAndOddLinesOfEveryKeywordAreSafe) {
  // Each keyword with too few tokens, stray words and odd numbers, after a
  // frame of storeys and points so that look-ups can succeed or fail.
  const char* keywords[] = {"UNITS",     "STORY",     "DIAPHRAGM",   "MATERIAL",     "FRAMESECTION",
                            "SHELLPROP", "LINKPROP",  "PIERNAME",    "SPANDRELNAME", "POINT",
                            "LINE",      "AREA",      "POINTASSIGN", "LINEASSIGN",   "AREAASSIGN",
                            "LOADCASE",  "POINTLOAD", "LINELOAD",    "AREALOAD",     "COMBO"};
  const char* tails[] = {"",
                         " \"1\"",
                         " \"1\" \"STORY1\"",
                         " \"1\" \"STORY1\" RESTRAINT",
                         " \"1\" \"STORY1\" DIAPH",
                         " \"1\" \"1\" SECTION",
                         " \"X\" COLUMN \"1\" \"1\" 99999999999",
                         " \"A\" FLOOR 2147483647 \"1\"",
                         " \"1\" \"STORY1\" TYPE \"TRAPF\" DIR",
                         " \"C\" LOAD \"DL\" SF",
                         " \"1\" \"STORY1\" SPUX",
                         " 1e999 -1e999 nan 0x1p3"};
  std::string text = bm::test::Frame();
  for (const char* k : keywords) {
    for (const char* t : tails) text += std::string(k) + t + "\n";
    text += "\n";
  }
  auto m = Read(text);
  EXPECT_GT(m->geo()->get_pLevelList()->GetCount(), 0);
}

TEST(ReaderStories, BottomLineIsLevelOneAndElevationsFollow) {
  auto m =
      Read(" STORY \"STORY2\"  HEIGHT 3.000000 \n STORY \"Story1\"  HEIGHT 3.5\n STORY \"BASE\"  Elev 1.5\n");
  ASSERT_EQ(m->geo()->get_pLevelList()->GetCount(), 3);
  EXPECT_EQ(m->LevelAt(1)->get_Name(), "BASE");
  EXPECT_DOUBLE_EQ(m->LevelAt(1)->get_EleHeight(), 1.5);  // "Elev" is upper-cased first
  EXPECT_EQ(m->LevelAt(2)->get_Name(), "STORY1");
  EXPECT_DOUBLE_EQ(m->LevelAt(2)->get_Height(), 3.5);
  EXPECT_DOUBLE_EQ(m->LevelAt(2)->get_EleHeight(), 5.0);  // by the geometry processing
  EXPECT_DOUBLE_EQ(m->LevelAt(3)->get_EleHeight(), 8.0);
}

TEST(ReaderStories, GroupsAreRunsAndStrayLinesBecomeStoreys) {
  // The same name twice in a row is one storey; a DIAPHRAGM line inside the
  // block is one more storey, with height 0, and makes no diaphragm.
  auto m = Read(
      " STORY \"S2\" HEIGHT 3\n STORY \"S2\" HEIGHT 9\n STORY \"S1\" HEIGHT\nDIAPHRAGM \"D1\" TYPE RIGID\n"
      " STORY \"S2\" HEIGHT 5\n");
  ASSERT_EQ(m->geo()->get_pLevelList()->GetCount(), 4);
  EXPECT_EQ(m->LevelAt(1)->get_Name(), "S2");
  EXPECT_DOUBLE_EQ(m->LevelAt(1)->get_Height(), 5.0);
  EXPECT_EQ(m->LevelAt(2)->get_Name(), "D1");
  EXPECT_DOUBLE_EQ(m->LevelAt(2)->get_Height(), 0.0);
  EXPECT_EQ(m->LevelAt(3)->get_Name(), "S1");
  EXPECT_DOUBLE_EQ(m->LevelAt(3)->get_Height(), 0.0);  // no number
  EXPECT_DOUBLE_EQ(m->LevelAt(4)->get_Height(), 3.0);  // first line of its group
  EXPECT_EQ(m->geo()->get_pDiaphragmList()->GetCount(), 0);
}

TEST(ReaderStories, ExistingLevelsKeepTheirNames) {
  ReadModel m;
  m.geo()->AddLevel("BASE", 0.0, 0.0);
  m.geo()->AddLevel("L1", 3.0, 0.0);
  bm::test::ReadInto(m, " STORY \"T2\" HEIGHT 4\n STORY \"T1\" HEIGHT 2\n");
  ASSERT_TRUE(m.ok);
  ASSERT_EQ(m.geo()->get_pLevelList()->GetCount(), 4);
  EXPECT_EQ(m.LevelAt(1)->get_Name(), "BASE");
  EXPECT_EQ(m.LevelAt(2)->get_Name(), "L1");
  EXPECT_DOUBLE_EQ(m.LevelAt(2)->get_Height(), 3.0);
  EXPECT_EQ(m.LevelAt(3)->get_Name(), "T1");
  EXPECT_DOUBLE_EQ(m.LevelAt(3)->get_Height(), 2.0);
  EXPECT_EQ(m.LevelAt(4)->get_Name(), "T2");
}

TEST(ReaderDefinitions, GroupedBlockWithLeadingSingleTokenLine) {
  // The first line has no second token and no group to join; a later one
  // forms a group named by the empty string (a material named "").
  auto m = Read("MATERIAL\nMATERIAL \"C30\" M 2.5\nMATERIAL\n");
  CBMMaterialList* materials = m->geo()->get_pMaterialList();
  ASSERT_EQ(materials->GetCount(), 2);
  EXPECT_EQ(materials->GetItem(1)->get_Name(), "C30");
  EXPECT_EQ(materials->GetItem(2)->get_Name(), "");
  EXPECT_EQ(m->report().Get("MATERIAL", bm::skip::kTooFewTokens), 1);
}

TEST(ReaderDefinitions, Materials) {
  auto m = Read(
      " MATERIAL \"C30\" M 2.5 W 25 TYPE \"Isotropic\" E 3e+007 U 0.2 A 1e-005\n"
      " MATERIAL  \"C30\"  DESIGNTYPE \"CONCRETE\"  FY 300 FC 30  FYS 300 FE 12\n"
      " MATERIAL \"Q345\" M 7.8 W 78 TYPE \"ISOTROPIC\" E 2.000000e+008 U 0.3 A 1.2e-005\n"
      " MATERIAL \"Q345\" DESIGNTYPE \"Steel\"  FY 345  FU 470  PRICE 2\n"
      " MATERIAL \"X\" M 1 W 2 TYPE \"ISOTROPIC\" E 3 U 0.1 A 0\n");
  CBMMaterialList* materials = m->geo()->get_pMaterialList();
  ASSERT_EQ(materials->GetCount(), 3);
  CBMMaterial* c30 = materials->GetMaterial("C30");
  ASSERT_NE(c30, nullptr);
  EXPECT_EQ(c30->get_Type(), "ISOTROPIC");
  EXPECT_EQ(c30->get_DesignType(), "CONCRETE");
  EXPECT_DOUBLE_EQ(c30->get_M(), 2.5);
  EXPECT_DOUBLE_EQ(c30->get_W(), 25);
  EXPECT_DOUBLE_EQ(c30->get_E(), 3e7);
  EXPECT_DOUBLE_EQ(c30->get_U(), 0.2);
  EXPECT_DOUBLE_EQ(c30->get_A(), 1e-5);
  EXPECT_DOUBLE_EQ(c30->get_FY(), 300);
  EXPECT_DOUBLE_EQ(c30->get_FC(), 30);
  EXPECT_DOUBLE_EQ(c30->get_FYS(), 300);
  CBMMaterial* q345 = materials->GetMaterial("Q345");
  ASSERT_NE(q345, nullptr);
  EXPECT_EQ(q345->get_DesignType(), "STEEL");
  EXPECT_DOUBLE_EQ(q345->get_E(), 2e8);  // three exponent digits
  EXPECT_DOUBLE_EQ(q345->get_FU(), 470);
  EXPECT_DOUBLE_EQ(q345->get_Price(), 2);
  CBMMaterial* x = materials->GetMaterial("X");  // one line: its values stay
  ASSERT_NE(x, nullptr);
  EXPECT_DOUBLE_EQ(x->get_E(), 3);
  EXPECT_EQ(x->get_DesignType(), "");
}

TEST(ReaderDefinitions, FrameSections) {
  std::string longLine = "FRAMESECTION  \"G\"  MATERIAL \"STEEL\"  SHAPE \"General\"";
  for (int v = 1; v <= 25; ++v) longLine += " K " + std::to_string(v);
  auto m = Read(
      " MATERIAL \"CONC\" M 2.5\n MATERIAL \"STEEL\" M 7.8\n\n"
      "FRAMESECTION  \"AUTO1\"   SHAPE \"Auto Select List\"\n"
      "FRAMESECTION  \"C1\"  MATERIAL \"CONC\"  SHAPE \"Rectangular\" D   0.500000  B   0.300000\n"
      "FRAMESECTION  \"W1\"  MATERIAL \"STEEL\"  SHAPE \"I/Wide Flange\" D 0.4 B 0.2 TF 0.01 TW 0.008\n"
      "FRAMESECTION  \"CR\"  MATERIAL \"CONC\"  SHAPE \"Concrete Rectangular\" D 1 B 1\n"
      "FRAMESECTION  \"NM\"  MATERIAL \"NONE\"  SHAPE \"Circle\" D 0.6\n" +
      longLine + "\n");
  CBMFrameSectionList* sections = m->geo()->get_pFrameSectionList();
  ASSERT_EQ(sections->GetCount(), 6);  // AUTO1, C1, W1, CR, NM, G
  EXPECT_EQ(sections->GetFrameSection("AUTO1")->get_Shape(), bm::e2k::kShapeAutoSelect);
  CBMFrameSection* c1 = sections->GetFrameSection("C1");
  ASSERT_NE(c1, nullptr);
  EXPECT_EQ(c1->get_Shape(), "RECTANGULAR");
  ASSERT_NE(c1->get_pMaterial(), nullptr);
  EXPECT_EQ(c1->get_pMaterial()->get_Name(), "CONC");
  EXPECT_DOUBLE_EQ(c1->get_ParamItems(0), 0.5);
  EXPECT_DOUBLE_EQ(c1->get_ParamItems(1), 0.3);
  CBMFrameSection* w1 = sections->GetFrameSection("W1");
  ASSERT_NE(w1, nullptr);
  EXPECT_EQ(w1->get_Shape(), "I/WIDE FLANGE");
  EXPECT_DOUBLE_EQ(w1->get_ParamItems(3), 0.008);
  CBMFrameSection* nm = sections->GetFrameSection("NM");
  ASSERT_NE(nm, nullptr);
  EXPECT_EQ(nm->get_pMaterial(), nullptr);
  EXPECT_DOUBLE_EQ(nm->get_ParamItems(0), 0.0);
  CBMFrameSection* g = sections->GetFrameSection("G");
  ASSERT_NE(g, nullptr);
  for (int slot = 0; slot < 20; ++slot) EXPECT_DOUBLE_EQ(g->get_ParamItems(slot), slot + 1.0);
  // A shape word without known dimensions keeps its section, without values.
  CBMFrameSection* cr = sections->GetFrameSection("CR");
  ASSERT_NE(cr, nullptr);
  EXPECT_EQ(cr->get_Shape(), "CONCRETE RECTANGULAR");
  EXPECT_EQ(cr->GetD(), 0.0);
  EXPECT_EQ(m->report().Get("FRAMESECTION", bm::skip::kAutoSelectList), 0);
  EXPECT_EQ(m->report().Get("FRAMESECTION", bm::skip::kShapeNotRead), 0);
}

TEST(ReaderDefinitions, WallSlabDeckProperties) {
  auto m = Read(
      " MATERIAL \"CONC\" M 2.5\n\n"
      "  SHELLPROP  \"W250\"  MATERIAL \"CONC\"  PROPTYPE \"Wall\"  TYPE \"SHELL\"  PLATETYPE \"THIN\"  "
      "TM 0.25  TB 0.2\n"
      " SHELLPROP  \"DK\"  PROPTYPE \"DECK\"  TYPE \"MEMBRANE\"\n"
      " SHELLPROP  \"DK\"  DECKTYPE \"FILLED\"  CONCMATERIAL \"CONC\"  SLABDEPTH 0.1\n"
      " SHELLPROP  \"DK\"  RIBDEPTH 0.05  RIBWIDTH 0.15  RIBSPACING 0.3  WEIGHT 0.1 \n"
      " SHELLPROP  \"DK\"  STUDDIA 0.02 STUDHEIGHT 0.1  STUDSTRENGTH 400\n"
      " SHELLPROP  \"S0\"  MATERIAL \"NOPE\"  PROPTYPE \"SLAB\"\n");
  CBMWallSlabDeckSectionList* sections = m->geo()->get_pWallSlabDeckSectionList();
  ASSERT_EQ(sections->GetCount(), 3);
  auto* wall = dynamic_cast<CBMWallSlabDeckSection*>(sections->GetItem(1));
  ASSERT_NE(wall, nullptr);
  EXPECT_EQ(wall->get_Name(), "W250");
  EXPECT_EQ(wall->get_PropType(), "WALL");
  EXPECT_EQ(wall->get_ShellType(), "SHELL");
  EXPECT_EQ(wall->get_PlateType(), "THIN");
  EXPECT_DOUBLE_EQ(wall->get_TM(), 0.25);
  EXPECT_DOUBLE_EQ(wall->get_TB(), 0.2);
  ASSERT_NE(wall->get_pMaterial(), nullptr);
  auto* deck = dynamic_cast<CBMWallSlabDeckSection*>(sections->GetItem(2));
  ASSERT_NE(deck, nullptr);
  EXPECT_EQ(deck->get_Name(), "DK");
  EXPECT_EQ(deck->get_PropType(), "DECK");
  EXPECT_EQ(deck->get_DeckType(), "FILLED");
  ASSERT_NE(deck->get_pMaterial(), nullptr);
  EXPECT_DOUBLE_EQ(deck->get_SlabDepth(), 0.1);
  EXPECT_DOUBLE_EQ(deck->get_RibDepth(), 0.05);
  EXPECT_DOUBLE_EQ(deck->get_RibWidth(), 0.15);
  EXPECT_DOUBLE_EQ(deck->get_RibSpacing(), 0.3);
  EXPECT_DOUBLE_EQ(deck->get_Weight(), 0.1);
  EXPECT_DOUBLE_EQ(deck->get_StuDia(), 0.02);
  EXPECT_DOUBLE_EQ(deck->get_StudHeight(), 0.1);
  EXPECT_DOUBLE_EQ(deck->get_StudStrength(), 400);
  auto* s0 = dynamic_cast<CBMWallSlabDeckSection*>(sections->GetItem(3));
  ASSERT_NE(s0, nullptr);
  EXPECT_EQ(s0->get_pMaterial(), nullptr);
}

TEST(ReaderDefinitions, LinksPiersAndDiaphragms) {
  auto m = Read(
      " LINKPROP  \"L1\"  TYPE \"Damper\"\n LINKPROP  \"L1\"  DOF \"U1\"\n LINKPROP  \"L1\"  DOF \"R3\"\n"
      " LINKPROP  \"L2\"  TYPE \"GAP\"\n LINKPROP  \"L1\"  DOF \"U9\"\n\n"
      "  PIERNAME  \"P1\" \n  PIERNAME  \"P1\" \n\n  SPANDRELNAME   \"S1\" \n  PIERNAME  \"P1\" \n"
      "  PIERNAME  \"P2\" \n\n"
      "DIAPHRAGM \"D1\"\nDIAPHRAGM \"D2\"\n\nDIAPHRAGM \"D3\"\n\n"
      " STORY \"S\" HEIGHT 3\n\nPOINT \"1\" 0 0\n\nPOINTASSIGN \"1\" \"S\" DIAPH \"D2\"\n");
  CBMLinkList* links = m->geo()->get_pLinkList();
  ASSERT_EQ(links->GetCount(), 3);  // L1, L2 and L1 again
  auto* l1 = dynamic_cast<CBMLink*>(links->GetItem(1));
  ASSERT_NE(l1, nullptr);
  EXPECT_EQ(l1->get_Name(), "L1");
  EXPECT_EQ(l1->LinkType, "DAMPER");
  EXPECT_EQ(l1->DofU1, 1);
  EXPECT_EQ(l1->DofR3, 1);
  EXPECT_EQ(l1->DofU2, 0);
  auto* again = dynamic_cast<CBMLink*>(links->GetItem(3));
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->get_Name(), "L1");
  EXPECT_EQ(again->DofU1 + again->DofU2 + again->DofU3 + again->DofR1 + again->DofR2 + again->DofR3, 0);

  CBMPierSpandrelList* labels = m->geo()->get_pPierSpandrelList();
  ASSERT_EQ(labels->GetCount(), 3);
  auto* s1 = dynamic_cast<CBMPierSpandrel*>(labels->GetItem(CString("S1")));
  ASSERT_NE(s1, nullptr);
  EXPECT_EQ(s1->IsSpandrel(), 1);

  // Both DIAPHRAGM blocks are read; only D2, used by a point, survives.
  CBMDiaphragmList* diaphragms = m->geo()->get_pDiaphragmList();
  ASSERT_EQ(diaphragms->GetCount(), 1);
  EXPECT_EQ(diaphragms->GetItem(1)->get_Name(), "D2");
  EXPECT_EQ(diaphragms->GetItem(1)->get_Id(), 1);
}

}  // namespace
