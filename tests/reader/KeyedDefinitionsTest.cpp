// Definition lines of later-version files read by key: storeys, diaphragms,
// materials, frame sections, shell properties, grids, auto-select lists,
// point springs and links; their way through version 8 text; and the
// definitions of the real files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "reader/AdapterTestUtil.h"

namespace {

using bm::test::ReadModel;

// Reads `body` after a later file's program and units lines, as the file's
// own model (diaphragms without points are kept).
std::unique_ptr<ReadModel> ReadLater(const std::string& body, const char* units = "\"KN\"  \"M\"  \"C\"") {
  auto model = std::make_unique<ReadModel>();
  model->adapter.SetProcessGeometry(false);
  bm::test::ReadInto(*model,
                     "$ PROGRAM INFORMATION\n  PROGRAM  \"ETABS\"  VERSION \"20.2.0\"  \n\n  UNITS  " +
                         std::string(units) + "\n\n" + body);
  EXPECT_TRUE(model->ok);
  return model;
}

CBMMaterial* Material(ReadModel& m, const char* name) {
  return m.geo()->get_pMaterialList()->GetMaterial(name);
}
CBMFrameSection* Section(ReadModel& m, const char* name) {
  return m.geo()->get_pFrameSectionList()->GetFrameSection(name);
}
CBMWallSlabDeckSection* Shell(ReadModel& m, const char* name) {
  return m.Member<CBMWallSlabDeckSection>(m.geo()->get_pWallSlabDeckSectionList(), name);
}
std::string NotModel(const char* key) { return std::string("key ") + key + " (not model data)"; }

TEST(KeyedDefinitions, StoreysFromTheTopAndDiaphragms) {
  auto m = ReadLater(
      "  STORY \"Level 3\"  HEIGHT 3 SIMILARTO \"Level 2\"  \n"
      "  STORY \"Level 2\"  ELEV 6.5 \n"
      "  STORY \"Level 1\"  HEIGHT 3.5 MASTERSTORY \"Yes\"  \n"
      "  STORY \"Base\"  ELEV -1 \n\n"
      "  DIAPHRAGM \"D1\"    TYPE RIGID\n"
      "  DIAPHRAGM \"D2\"    TYPE SEMIRIGID\n"
      "  DIAPHRAGM \"DISCONNECTED\"\n");
  ASSERT_EQ(m->geo()->get_pLevelList()->GetCount(), 4);
  // Appended from the base upward; names with spaces kept whole.
  EXPECT_EQ(m->LevelAt(1)->get_Name(), "BASE");
  EXPECT_EQ(m->LevelAt(1)->get_EleHeight(), -1);
  EXPECT_EQ(m->LevelAt(2)->get_Name(), "LEVEL 1");
  EXPECT_EQ(m->LevelAt(2)->get_Height(), 3.5);
  // A storey given by its elevation gets its height over the storey below.
  EXPECT_DOUBLE_EQ(m->LevelAt(3)->get_Height(), 4.0);
  EXPECT_EQ(m->LevelAt(4)->get_Height(), 3);
  EXPECT_EQ(m->report().GetKeyword("STORY"), 0);

  CBMDiaphragmList* diaphragms = m->geo()->get_pDiaphragmList();
  EXPECT_EQ(diaphragms->GetCount(), 2);
  EXPECT_EQ(diaphragms->GetItem(CString("DISCONNECTED")), nullptr);
  EXPECT_EQ(m->report().Get("DIAPHRAGM", NotModel("TYPE")), 2);
  EXPECT_EQ(m->report().ModelDataNotTaken(), 0);
}

TEST(KeyedDefinitions, MaterialsMergeTheirLinesByName) {
  auto m = ReadLater(
      "  MATERIAL  \"A992Fy50\"    TYPE \"Steel\"    GRADE \"Grade 50\"    WEIGHTPERVOLUME 76.9729\n"
      "  MATERIAL  \"A992Fy50\"    SYMTYPE \"Isotropic\"  E 199947.98  U 0.3  A 1.17E-05\n"
      "  MATERIAL  \"A992Fy50\"  FY 344.74  FU 448.16 FYE 379.21  FUE 492.98\n"
      "  MATERIAL  \"A992Fy50\"  HYSTYPE \"Kinematic\"  SSTYPE \"Simple\"  FINALSLOPE -0.1 \n"
      "  MATERIAL  \"C 30\"    TYPE \"Concrete\"    WEIGHTPERVOLUME 24.5\n"
      "  MATERIAL  \"C 30\"    FC 30\n"
      "  MATERIAL  \"A615Gr60\"    TYPE \"Rebar\"    WEIGHTPERVOLUME 76.97\n"
      "  MATERIAL  \"A615Gr60\"    SYMTYPE \"Uniaxial\"  E 199948  A 1.17E-05\n"
      "  MATERIAL  \"Odd\"    TYPE \"Plastic\"  E 2000\n"
      "  MATERIAL  \"C 30\"    SYMTYPE \"Isotropic\"  E 31000  U 0.2  A 1E-05\n");
  ASSERT_EQ(m->geo()->get_pMaterialList()->GetCount(), 4);  // "C 30" again adds to it
  CBMMaterial* steel = Material(*m, "A992FY50");
  ASSERT_NE(steel, nullptr);
  EXPECT_EQ(steel->get_DesignType(), "STEEL");
  EXPECT_EQ(steel->get_Type(), "ISOTROPIC");
  EXPECT_EQ(steel->get_E(), 199947.98);
  EXPECT_EQ(steel->get_FU(), 448.16);
  // The mass per volume is the weight over gravity in the file's units.
  EXPECT_DOUBLE_EQ(steel->get_M(), 76.9729 / 9.80665);
  EXPECT_EQ(Material(*m, "C 30")->get_DesignType(), "CONCRETE");
  EXPECT_EQ(Material(*m, "C 30")->get_E(), 31000);
  EXPECT_EQ(Material(*m, "A615GR60")->get_DesignType(), "STEEL");
  EXPECT_EQ(Material(*m, "A615GR60")->get_Type(), "UNIAXIAL");
  // A type word no table knows is reported, the rest of the line taken.
  EXPECT_EQ(Material(*m, "ODD")->get_E(), 2000);
  EXPECT_EQ(m->report().Get("MATERIAL", bm::skip::kTypeNotRead), 1);
  EXPECT_EQ(m->report().ModelDataNotTaken(), 1);
  EXPECT_EQ(m->report().Get("MATERIAL", NotModel("FYE")), 1);
  EXPECT_EQ(m->report().Get("MATERIAL", NotModel("HYSTYPE")), 1);

  // Version 9: TYPE is the symmetry type there; the mass is given. Gravity
  // follows the length unit.
  auto v9 = ReadLater(
      "  MATERIAL  \"STEEL\"  M 7.8271  W 76.81955  TYPE \"ISOTROPIC\"  E 1.99948E+08  U 0.3  A 1.17E-05\n"
      "  MATERIAL  \"STEEL\"  DESIGNTYPE \"STEEL\"  FY 344737.9  FU 448159.3  PRICE 27.5\n"
      "  MATERIAL  \"S\"    TYPE \"Steel\"    WEIGHTPERVOLUME 7.7E-05\n",
      "\"N\"  \"MM\"");
  EXPECT_EQ(Material(*v9, "STEEL")->get_Type(), "ISOTROPIC");
  EXPECT_EQ(Material(*v9, "STEEL")->get_DesignType(), "STEEL");
  EXPECT_EQ(Material(*v9, "STEEL")->get_M(), 7.8271);
  EXPECT_DOUBLE_EQ(Material(*v9, "S")->get_M(), 7.7E-05 / 9806.65);
  EXPECT_EQ(v9->report().Total(), 1);  // the PROGRAM line
}

TEST(KeyedDefinitions, FrameSectionsByShapeWordAndKey) {
  auto m = ReadLater(
      "  MATERIAL  \"C30\"    TYPE \"Concrete\"\n  MATERIAL  \"S355\"    TYPE \"Steel\"\n\n"
      "  FRAMESECTION  \"C50x80\"  MATERIAL \"C30\"  SHAPE \"Concrete Rectangular\"  D 0.5 B 0.8 "
      "INCLUDEAUTORIGIDZONEAREA \"No\"  NOTIONALUSERVALUE 0.1 \n"
      "  FRAMESECTION  \"SteelCol\"  MATERIAL \"S355\"  SHAPE \"Steel I/Wide Flange\"  D 0.5 B 0.3 TF 0.025 "
      "TW 0.0125\n"
      "  FRAMESECTION  \"Pipe\"  MATERIAL \"S355\"  SHAPE \"Steel Pipe\"  D 0.3 T 0.01\n"
      "  FRAMESECTION  \"CFT\"  MATERIAL \"S355\"  SHAPE \"Filled Steel Tube\"  D 0.3 B 0.3 TF 0.012 TW "
      "0.012 "
      "FILLMATERIAL \"C30\"\n"
      "  FRAMESECTION  \"HE1000M\"  MATERIAL \"S355\"  SHAPE \"HE1000M\"  FILE \"Euro\"  \n"
      "  FRAMESECTION  \"A-GravBm\"  SHAPE \"Auto Select\"  AUTOSELECTDESIGNTYPE \"Steel\"  \n"
      "  FRAMESECTION  \"2L\"  MATERIAL \"S355\"  SHAPE \"Steel Double Angle\"  D 0.1 B 0.2 TF 0.01 TW 0.01 "
      "DIS 0.01\n"
      "  FRAMESECTION  \"Lost\"  MATERIAL \"C99\"  SHAPE \"Concrete Rectangular\"  D 0.4 B 0.4\n"
      "  FRAMESECTION  \"C50x80\"  JMOD 0.35 I2MOD 0.7 I3MOD 0.7 \n"
      "  FRAMESECTION  \"Ghost\"  JMOD 0.35 \n");
  EXPECT_EQ(m->geo()->get_pFrameSectionList()->GetCount(), 8);  // modifier lines make none
  CBMFrameSection* rect = Section(*m, "C50X80");
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->get_Shape(), bm::e2k::kShapeRectangular);
  EXPECT_EQ(rect->GetB(), 0.8);
  EXPECT_EQ(rect->get_pMaterial(), Material(*m, "C30"));
  CBMFrameSection* wide = Section(*m, "STEELCOL");
  EXPECT_EQ(wide->get_Shape(), bm::e2k::kShapeIWideFlange);
  EXPECT_EQ(wide->get_ParamItems(3), 0.0125);
  EXPECT_EQ(Section(*m, "PIPE")->get_ParamItems(1), 0.01);
  EXPECT_EQ(Section(*m, "CFT")->get_Shape(), bm::e2k::kShapeBoxTube);
  // Database sections and auto-select lists keep their names and members.
  EXPECT_EQ(Section(*m, "HE1000M")->get_Shape(), "HE1000M");
  EXPECT_EQ(Section(*m, "HE1000M")->get_pMaterial(), Material(*m, "S355"));
  EXPECT_EQ(Section(*m, "A-GRAVBM")->get_Shape(), bm::e2k::kShapeAutoSelect);
  // A shape no model shape holds is kept under its word and reported; a
  // missing material leaves the section without one.
  EXPECT_EQ(Section(*m, "2L")->get_Shape(), "STEEL DOUBLE ANGLE");
  ASSERT_NE(Section(*m, "LOST"), nullptr);
  EXPECT_EQ(Section(*m, "LOST")->get_pMaterial(), nullptr);
  const bm::ReadReport& report = m->report();
  EXPECT_EQ(report.Get("FRAMESECTION", bm::skip::kShapeNotRead), 1);
  EXPECT_EQ(report.Get("FRAMESECTION", bm::skip::kMaterialNotFound), 1);
  EXPECT_EQ(report.Get("FRAMESECTION", bm::skip::kSectionNotFound), 1);  // Ghost
  EXPECT_EQ(report.ModelDataNotTaken(), 3);
  EXPECT_EQ(report.Get("FRAMESECTION", NotModel("JMOD")), 1);
  EXPECT_EQ(report.Get("FRAMESECTION", NotModel("FILLMATERIAL")), 1);
  EXPECT_EQ(report.Get("FRAMESECTION", NotModel("FILE")), 1);
  EXPECT_EQ(report.Total(bm::ReadReport::Kind::kUnusedKey), 0);
}

TEST(KeyedDefinitions, ShellPropertiesOfBothLayouts) {
  auto m = ReadLater(
      "  MATERIAL  \"4000Psi\"    TYPE \"Concrete\"\n\n"
      "  SHELLPROP  \"Slab1\"  PROPTYPE  \"Slab\"  MATERIAL \"4000Psi\"  MODELINGTYPE \"ShellThin\"  "
      "SLABTYPE "
      "\"Slab\"  SLABTHICKNESS 200 \n"
      "  SHELLPROP  \"Drop1\"  PROPTYPE  \"Slab\"  MATERIAL \"4000Psi\"  MODELINGTYPE \"ShellThick\"  "
      "SLABTYPE "
      "\"Drop\"  SLABTHICKNESS 400 \n"
      "  SHELLPROP  \"Deck1\"  PROPTYPE  \"Deck\"  DECKTYPE \"Filled\"  CONCMATERIAL \"4000Psi\"  "
      "DECKMATERIAL "
      "\"S355\"  DECKSLABDEPTH 87.5 DECKRIBDEPTH 75 DECKRIBWIDTHTOP 175 DECKRIBWIDTHBOTTOM 125 "
      "DECKRIBSPACING 300 "
      "DECKSHEARTHICKNESS 1 DECKUNITWEIGHT 0.00011 SHEARSTUDDIAM 19 SHEARSTUDHEIGHT 150 SHEARSTUDFU 400 \n"
      "  SHELLPROP  \"Wall1\"  PROPTYPE  \"Wall\"  MATERIAL \"4000Psi\"  MODELINGTYPE \"Membrane\"  "
      "WALLTHICKNESS 250 \n"
      "  SHELLPROP  \"Slab1\"  M11MOD 0.25 M22MOD 0.25 \n"
      "  SHELLPROP  \"Layer\"  PROPTYPE  \"Wall\"  MATERIAL \"None\"  MODELINGTYPE \"Layered\"  \n");
  ASSERT_EQ(m->geo()->get_pWallSlabDeckSectionList()->GetCount(), 5);
  CBMWallSlabDeckSection* slab = Shell(*m, "SLAB1");
  ASSERT_NE(slab, nullptr);
  EXPECT_EQ(slab->get_PropType(), bm::e2k::kPropSlab);
  EXPECT_EQ(slab->get_ShellType(), "SHELL");
  EXPECT_EQ(slab->get_PlateType(), "THIN");
  EXPECT_EQ(slab->get_TB(), 200);
  EXPECT_EQ(slab->get_pMaterial(), Material(*m, "4000PSI"));
  EXPECT_EQ(Shell(*m, "DROP1")->get_PlateType(), "THICK");
  EXPECT_EQ(Shell(*m, "WALL1")->get_ShellType(), "MEMBRANE");
  EXPECT_EQ(Shell(*m, "WALL1")->get_TM(), 250);
  CBMWallSlabDeckSection* deck = Shell(*m, "DECK1");
  ASSERT_NE(deck, nullptr);
  EXPECT_EQ(deck->get_ShellType(), "MEMBRANE");
  EXPECT_EQ(deck->get_DeckType(), "FILLED");
  EXPECT_EQ(deck->get_pMaterial(), Material(*m, "4000PSI"));
  EXPECT_EQ(deck->get_RibWidth(), 150);  // the mean of top and bottom
  EXPECT_EQ(deck->get_Weight(), 0.00011);
  EXPECT_EQ(deck->get_StudStrength(), 400);
  // A layered wall has no model type; its material is missing.
  EXPECT_EQ(m->report().Get("SHELLPROP", bm::skip::kTypeNotRead), 1);
  EXPECT_EQ(m->report().Get("SHELLPROP", bm::skip::kMaterialNotFound), 1);
  EXPECT_EQ(m->report().ModelDataNotTaken(), 2);
  EXPECT_EQ(m->report().Get("SHELLPROP", NotModel("SLABTYPE")), 1);  // the drop panel only
  EXPECT_EQ(m->report().Get("SHELLPROP", NotModel("DECKMATERIAL")), 1);
  EXPECT_EQ(m->report().Total(bm::ReadReport::Kind::kUnusedKey), 0);

  // Version 9 writes the version 8 layout, a deck over several lines.
  auto v9 = ReadLater(
      "  MATERIAL  \"CONC\"  M 2.4  W 23.56  TYPE \"ISOTROPIC\"  E 2.48E+07  U 0.2  A 9.9E-06\n"
      "  SHELLPROP  \"WALL1\"  MATERIAL \"CONC\"  PROPTYPE \"WALL\"  TYPE \"SHELL\"  PLATETYPE \"THIN\"  TM "
      "0.25  TB 0.2\n"
      "  SHELLPROP  \"DECK1\"  PROPTYPE \"DECK\"  TYPE \"MEMBRANE\"  \n"
      "  SHELLPROP  \"DECK1\"  DECKTYPE \"FILLED\"  CONCMATERIAL \"CONC\"  SLABDEPTH 0.0889\n"
      "  SHELLPROP  \"DECK1\"  RIBDEPTH 0.0762  RIBWIDTH 0.1524  RIBSPACING 0.3048  WEIGHT 0.11\n"
      "  SHELLPROP  \"WALL1\"  F11MOD 0.4 \n");
  EXPECT_EQ(v9->geo()->get_pWallSlabDeckSectionList()->GetCount(), 2);
  EXPECT_EQ(Shell(*v9, "WALL1")->get_TB(), 0.2);
  EXPECT_EQ(Shell(*v9, "DECK1")->get_RibWidth(), 0.1524);
  EXPECT_EQ(Shell(*v9, "DECK1")->get_pMaterial(), Material(*v9, "CONC"));
  EXPECT_EQ(v9->report().ModelDataNotTaken(), 0);
}

TEST(KeyedDefinitions, GridsAutoSelectListsSpringsAndLinks) {
  auto m = ReadLater(
      "  STORY \"Story1\"  HEIGHT 3 \n  STORY \"Base\"  ELEV 0 \n"
      "  GRIDSYSTEM \"G1\"  TYPE \"CARTESIAN\"  BUBBLESIZE 1.5 \n"
      "  GRID \"G1\"  LABEL \"A\"  DIR \"X\"  COORD 0 VISIBLE \"Yes\"  BUBBLELOC \"End\"  \n"
      "  GRID \"G1\"  LABEL \"B\"  DIR \"X\"  COORD 4.575 VISIBLE \"No\"  BUBBLELOC \"End\"  \n"
      "  GENGRID \"G1\"  LABEL \"9\"  X1 7.7 Y1 0 X2 7.7 Y2 20.75 VISIBLE \"Yes\"  BUBBLELOC \"End\"  \n"
      "  GRIDSYSTEM \"G2\"  TYPE \"CARTESIAN\"  BUBBLESIZE 1.5 \n"
      "  GRID \"G2\"  LABEL \"1\"  DIR \"Y\"  COORD 3 VISIBLE \"Yes\"  BUBBLELOC \"Start\"  \n"
      "  MATERIAL  \"S\"    TYPE \"Steel\"\n"
      "  FRAMESECTION  \"W12X26\"  MATERIAL \"S\"  SHAPE \"W12X26\"  \n"
      "  FRAMESECTION  \"W12X30\"  MATERIAL \"S\"  SHAPE \"W12X30\"  \n"
      "  FRAMESECTION  \"A-GravBm\"  SHAPE \"Auto Select List\"  \n"
      "  AUTOSECTION  \"A-GravBm\"  \"W12X26\"  \"W12X30\"  \" \"  \n"
      "  AUTOSECTION  \"A-GravBm\"  \"W99X99\"  \n"
      "  LINKPROP  \"Link1\"  TYPE \"LINEAR\"  \n"
      "  LINKPROP  \"Link1\"  DOF \"U1\"  \n"
      "  LINKPROP  \"Link1\"  U1STIFF 0.1019716 \n"
      "  POINTSPRING  \"RES_00\"  STIFFNESSOPTION  \"USERDEFINED\"  UX  211000 UY  212000 UZ  0 RZ 5 \n"
      "  POINTSPRING  \"SOIL\"  STIFFNESSOPTION  \"SOILPROFILE\"  \n"
      "  POINT \"1\"  0 0 \n"
      "  POINTASSIGN  \"1\"  \"Base\"  SPRINGPROP \"Res_00\"  \n");
  CBMGridList* grids = m->geo()->get_pGridList();
  EXPECT_EQ(grids->get_CoordSystem(), "G1");
  EXPECT_EQ(grids->get_BubbleSize(), 1.5);
  ASSERT_EQ(grids->GetCount(), 2);
  auto* b = dynamic_cast<CBMGrid*>(grids->GetItem(2));
  EXPECT_EQ(b->get_GridLabel(), "B");
  EXPECT_EQ(b->get_Coord(), 4.575);
  EXPECT_TRUE(b->get_Hide());
  EXPECT_EQ(m->report().Get("GENGRID", bm::skip::kGeneralGrid), 1);
  EXPECT_EQ(m->report().Get("GRID", bm::skip::kOtherGridSystem), 1);

  // The candidates of an auto-select list, over several lines; the sections
  // keep their place numbers, which members refer to.
  auto* list = dynamic_cast<CBMAutoSection*>(m->geo()->get_pAutoSectionList()->GetItem(CString("A-GRAVBM")));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->get_SectionList().GetCount(), 2);
  EXPECT_EQ(list->get_SectionList().GetItem(2), Section(*m, "W12X30"));
  EXPECT_EQ(Section(*m, "W12X30")->get_Id(), 2);
  EXPECT_EQ(m->report().Get("AUTOSECTION", bm::skip::kSectionNotFound), 1);

  ASSERT_EQ(m->geo()->get_pLinkList()->GetCount(), 1);
  auto* link = dynamic_cast<CBMLink*>(m->geo()->get_pLinkList()->GetItem(1));
  EXPECT_EQ(link->LinkType, "LINEAR");
  EXPECT_EQ(link->DofU1, 1);
  EXPECT_EQ(m->report().Get("LINKPROP", NotModel("U1STIFF")), 1);

  // A user-defined spring reaches the joints that name it (the getter
  // counts from 0); one whose stiffness lies elsewhere is not taken.
  CBMJoint* joint = m->Joint("BASE", "1");
  ASSERT_TRUE(joint && joint->get_pJointSpring());
  EXPECT_EQ(joint->get_pJointSpring()->get_dU(1), 212000);
  EXPECT_EQ(joint->get_pJointSpring()->get_dU(5), 5);
  EXPECT_EQ(m->report().Get("POINTSPRING", bm::skip::kTypeNotRead), 1);
  EXPECT_EQ(m->report().ModelDataNotTaken(), 5);
}

// A later file's definitions written as version 8 text and read back.
TEST(KeyedDefinitions, DefinitionsSurviveVersion8Text) {
  auto m = ReadLater(
      "  STORY \"Level 1\"  HEIGHT 3.5 \n  STORY \"Base\"  ELEV 0 \n"
      "  MATERIAL  \"S355\"    TYPE \"Steel\"    WEIGHTPERVOLUME 76.97\n"
      "  MATERIAL  \"S355\"    SYMTYPE \"Isotropic\"  E 210000000  U 0.3  A 1.17E-05\n"
      "  MATERIAL  \"S355\"  FY 355000  FU 510000\n"
      "  MATERIAL  \"C30\"    TYPE \"Concrete\"    WEIGHTPERVOLUME 24\n"
      "  MATERIAL  \"C30\"    SYMTYPE \"Isotropic\"  E 31000000  U 0.2  A 1E-05\n"
      "  MATERIAL  \"C30\"    FC 30000\n"
      "  FRAMESECTION  \"HEB\"  MATERIAL \"S355\"  SHAPE \"Steel I/Wide Flange\"  D 0.3 B 0.3 TF 0.019 TW "
      "0.011\n"
      "  SHELLPROP  \"W25\"  PROPTYPE  \"Wall\"  MATERIAL \"C30\"  MODELINGTYPE \"ShellThin\"  WALLTHICKNESS "
      "0.25 \n"
      "  SHELLPROP  \"Deck1\"  PROPTYPE  \"Deck\"  DECKTYPE \"Filled\"  CONCMATERIAL \"C30\"  "
      "DECKRIBWIDTHTOP 0.15 "
      "DECKRIBWIDTHBOTTOM 0.15 SHEARSTUDFU 400000 \n");
  bm::test::TempDir dir;
  const std::string path = dir.Path("v8.e2k");
  ASSERT_EQ(m->module->GenerateETABS8TxtFile(path.c_str()), 1);
  ReadModel back;
  back.adapter.SetBuildingModule(back.module.get());
  back.adapter.SetProcessGeometry(false);
  CString p = path.c_str();
  ASSERT_TRUE(back.adapter.ReadFile(p));
  for (const char* name : {"S355", "C30"}) {
    SCOPED_TRACE(name);
    CBMMaterial* a = Material(*m, name);
    CBMMaterial* b = Material(back, name);
    ASSERT_NE(b, nullptr);
    EXPECT_NEAR(b->get_E(), a->get_E(), 1e-6 * a->get_E());
    EXPECT_NEAR(b->get_M(), a->get_M(), 1e-5);
    EXPECT_EQ(b->get_DesignType(), a->get_DesignType());
    EXPECT_NEAR(b->get_FY(), a->get_FY(), 1e-3);
    EXPECT_NEAR(b->get_FC(), a->get_FC(), 1e-3);
  }
  CBMFrameSection* heb = Section(back, "HEB");
  ASSERT_NE(heb, nullptr);
  EXPECT_EQ(heb->get_Shape(), bm::e2k::kShapeIWideFlange);
  EXPECT_NEAR(heb->get_ParamItems(2), 0.019, 1e-9);
  EXPECT_EQ(heb->get_pMaterial(), Material(back, "S355"));
  ASSERT_NE(Shell(back, "W25"), nullptr);
  EXPECT_EQ(Shell(back, "W25")->get_PlateType(), "THIN");
  EXPECT_NEAR(Shell(back, "W25")->get_TB(), 0.25, 1e-9);
  ASSERT_NE(Shell(back, "DECK1"), nullptr);
  EXPECT_EQ(Shell(back, "DECK1")->get_ShellType(), "MEMBRANE");
  EXPECT_NEAR(Shell(back, "DECK1")->get_RibWidth(), 0.15, 1e-9);
  for (const char* keyword : {"STORY", "MATERIAL", "FRAMESECTION", "SHELLPROP"}) {
    EXPECT_EQ(back.report().GetKeyword(keyword), 0) << keyword;
  }
}

// The real files, counted from their text outside the reader: each distinct
// MATERIAL, FRAMESECTION and SHELLPROP name becomes one object; every section
// but an auto-select list has its material; every material with an E has
// E > 0; no definition line leaves model data or a key unread.
TEST(KeyedDefinitions, CorpusDefinitionsAreTakenWhole) {
  const std::filesystem::path dir = std::filesystem::path(BM_CORPUS_DIR) / "e2k";
  if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << "no corpus at " << dir;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    SCOPED_TRACE(entry.path().filename().string());
    std::map<std::string, std::set<std::string>> names;  // keyword -> upper-cased names
    std::set<std::string> withE;
    std::ifstream in(entry.path(), std::ios::binary);
    for (std::string text; std::getline(in, text);) {
      for (char& c : text) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
      const size_t start = text.find_first_not_of(" \t");
      const size_t open = text.find('"');
      const size_t close = open == std::string::npos ? open : text.find('"', open + 1);
      if (start == std::string::npos || close == std::string::npos) continue;
      const std::string keyword = text.substr(start, text.find_first_of(" \t", start) - start);
      names[keyword].insert(text.substr(open + 1, close - open - 1));
      if (keyword == "MATERIAL" && text.find(" E ") != std::string::npos)
        withE.insert(text.substr(open + 1, close - open - 1));
    }
    ReadModel model;
    model.adapter.SetBuildingModule(model.module.get());
    model.adapter.SetProcessGeometry(false);
    CString path = entry.path().string().c_str();
    ASSERT_TRUE(model.adapter.ReadFile(path));
    ASSERT_GE(model.adapter.GetFileVersion(), 9);
    ++files;
    CBMMgrGeometry* geo = model.geo();
    EXPECT_EQ(geo->get_pMaterialList()->GetCount(), static_cast<int>(names["MATERIAL"].size()));
    EXPECT_EQ(geo->get_pFrameSectionList()->GetCount(), static_cast<int>(names["FRAMESECTION"].size()));
    EXPECT_EQ(geo->get_pWallSlabDeckSectionList()->GetCount(), static_cast<int>(names["SHELLPROP"].size()));
    for (const std::string& name : withE) {
      CBMMaterial* material = geo->get_pMaterialList()->GetMaterial(name);
      ASSERT_NE(material, nullptr) << name;
      EXPECT_GT(material->get_E(), 0) << name;
    }
    CBMFrameSectionList* sections = geo->get_pFrameSectionList();
    for (int i = 1; i <= sections->GetCount(); ++i) {
      auto* section = static_cast<CBMFrameSection*>(sections->GetItem(i));
      if (section->get_Shape() != bm::e2k::kShapeAutoSelect) {
        EXPECT_NE(section->get_pMaterial(), nullptr);
      }
    }
    for (const char* keyword : {"STORY", "DIAPHRAGM", "MATERIAL", "FRAMESECTION", "SHELLPROP", "GRID",
                                "AUTOSECTION", "POINTSPRING", "LINKPROP"}) {
      const auto found = model.report().Skipped().find(keyword);
      if (found == model.report().Skipped().end()) continue;
      for (const auto& [reason, counted] : found->second) {
        EXPECT_EQ(counted.kind, bm::ReadReport::Kind::kNotModelData) << keyword << ": " << reason;
      }
    }
  }
  EXPECT_EQ(files, 14);
}

}  // namespace
