// Definition lines of later-version files read by key, and the definitions
// of the real files (their way through version 8 text: FidelityTest).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "reader/AdapterTestUtil.h"

namespace {

using bm::test::Later;
using bm::test::ReadModel;
using bm::test::ReadOwn;

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

TEST(KeyedDefinitions, StoreysDiaphragmsAndMaterials) {
  auto m = ReadOwn(Later(
      "  STORY \"Level 3\"  HEIGHT 3 SIMILARTO \"Level 2\"  \n  STORY \"Level 2\"  ELEV 6.5 \n"
      "  STORY \"Level 1\"  HEIGHT 3.5 MASTERSTORY \"Yes\"  \n  STORY \"Base\"  ELEV -1 \n\n"
      "  DIAPHRAGM \"D1\"    TYPE RIGID\n  DIAPHRAGM \"D2\"    TYPE SEMIRIGID\n  DIAPHRAGM \"DISCONNECTED\"\n"
      "  MATERIAL  \"A992Fy50\"    TYPE \"Steel\"    GRADE \"Grade 50\"    WEIGHTPERVOLUME 76.9729\n"
      "  MATERIAL  \"A992Fy50\"    SYMTYPE \"Isotropic\"  E 199947.98  U 0.3  A 1.17E-05\n"
      "  MATERIAL  \"A992Fy50\"  FY 344.74  FU 448.16 FYE 379.21  FUE 492.98\n"
      "  MATERIAL  \"C 30\"    TYPE \"Concrete\"    WEIGHTPERVOLUME 24.5\n"
      "  MATERIAL  \"A615Gr60\"    TYPE \"Rebar\"    SYMTYPE \"Uniaxial\"\n"
      "  MATERIAL  \"Odd\"    TYPE \"Plastic\"  E 2000\n"
      "  MATERIAL  \"C 30\"    SYMTYPE \"Isotropic\"  E 31000  U 0.2  A 1E-05\n"));
  const bm::ReadReport& r = m->report();
  // Storeys come from the top and are kept from the base upward; an
  // elevation gives the height over the storey below.
  ASSERT_EQ(m->geo()->get_pLevelList()->GetCount(), 4);
  EXPECT_EQ(m->LevelAt(1)->get_Name(), "BASE");
  EXPECT_EQ(m->LevelAt(1)->get_EleHeight(), -1);
  EXPECT_EQ(m->LevelAt(2)->get_Name(), "LEVEL 1");  // quoted name with a space
  EXPECT_DOUBLE_EQ(m->LevelAt(3)->get_Height(), 4.0);
  EXPECT_EQ(m->LevelAt(4)->get_Height(), 3);
  EXPECT_EQ(r.GetKeyword("STORY"), 0);
  // DISCONNECTED is no diaphragm.
  EXPECT_EQ(m->geo()->get_pDiaphragmList()->GetCount(), 2);
  EXPECT_EQ(m->geo()->get_pDiaphragmList()->GetItem(CString("DISCONNECTED")), nullptr);
  EXPECT_EQ(r.Get("DIAPHRAGM", NotModel("TYPE")), 2);
  EXPECT_EQ(r.Get("DIAPHRAGM", bm::skip::kNotModelData), 1);

  // A material's lines merge by name, also when another interrupts them.
  ASSERT_EQ(m->geo()->get_pMaterialList()->GetCount(), 4);
  CBMMaterial* steel = Material(*m, "A992FY50");
  ASSERT_NE(steel, nullptr);
  EXPECT_EQ(steel->get_DesignType(), "STEEL");
  EXPECT_EQ(steel->get_Type(), "ISOTROPIC");
  EXPECT_EQ(steel->get_E(), 199947.98);
  EXPECT_DOUBLE_EQ(steel->get_M(), 76.9729 / 9.80665);  // weight over gravity in the file's units
  EXPECT_EQ(Material(*m, "C 30")->get_DesignType(), "CONCRETE");
  EXPECT_EQ(Material(*m, "C 30")->get_E(), 31000);
  EXPECT_EQ(Material(*m, "A615GR60")->get_DesignType(), "STEEL");
  // A type word no table knows is reported, the rest of the line taken.
  EXPECT_EQ(Material(*m, "ODD")->get_E(), 2000);
  EXPECT_EQ(r.Get("MATERIAL", bm::skip::kTypeNotRead), 1);
  EXPECT_EQ(r.ModelDataNotTaken(), 1);
  EXPECT_EQ(r.Get("MATERIAL", NotModel("FYE")), 1);

  // Version 9: TYPE is the symmetry type and the mass is given; gravity
  // follows the length unit.
  auto v9 =
      ReadOwn(Later("  MATERIAL  \"STEEL\"  M 7.8271  W 76.81955  TYPE \"ISOTROPIC\"  E 1.99948E+08\n"
                    "  MATERIAL  \"STEEL\"  DESIGNTYPE \"STEEL\"  FY 344737.9  FU 448159.3  PRICE 27.5\n"
                    "  MATERIAL  \"S\"    TYPE \"Steel\"    WEIGHTPERVOLUME 7.7E-05\n",
                    "20.2.0", "\"N\"  \"MM\""));
  EXPECT_EQ(Material(*v9, "STEEL")->get_Type(), "ISOTROPIC");
  EXPECT_EQ(Material(*v9, "STEEL")->get_M(), 7.8271);
  EXPECT_DOUBLE_EQ(Material(*v9, "S")->get_M(), 7.7E-05 / 9806.65);
  EXPECT_EQ(v9->report().Total(), 1);  // the PROGRAM line
}

TEST(KeyedDefinitions, FrameSectionsAndShellProperties) {
  auto m = ReadOwn(Later(
      "  MATERIAL  \"C30\"    TYPE \"Concrete\"\n  MATERIAL  \"S355\"    TYPE \"Steel\"\n\n"
      "  FRAMESECTION  \"C50x80\"  MATERIAL \"C30\"  SHAPE \"Concrete Rectangular\"  D 0.5 B 0.8 "
      "INCLUDEAUTORIGIDZONEAREA \"No\"\n"
      "  FRAMESECTION  \"SteelCol\"  MATERIAL \"S355\"  SHAPE \"Steel I/Wide Flange\"  D 0.5 B 0.3 TF 0.025 "
      "TW 0.0125\n"
      "  FRAMESECTION  \"CFT\"  MATERIAL \"S355\"  SHAPE \"Filled Steel Tube\"  D 0.3 B 0.3 FILLMATERIAL "
      "\"C30\"\n"
      "  FRAMESECTION  \"HE1000M\"  MATERIAL \"S355\"  SHAPE \"HE1000M\"  FILE \"Euro\"  \n"
      "  FRAMESECTION  \"A-GravBm\"  SHAPE \"Auto Select\"  AUTOSELECTDESIGNTYPE \"Steel\"  \n"
      "  FRAMESECTION  \"2L\"  MATERIAL \"S355\"  SHAPE \"Steel Double Angle\"  D 0.1 B 0.2 TF 0.01 TW 0.01 "
      "DIS 0.01\n  FRAMESECTION  \"Hex\"  MATERIAL \"S355\"  SHAPE \"Steel Hexagon\"  D 0.2\n"
      "  FRAMESECTION  \"Lost\"  MATERIAL \"C99\"  SHAPE \"Concrete Rectangular\"  D 0.4 B 0.4\n"
      "  FRAMESECTION  \"C50x80\"  JMOD 0.35 I2MOD 0.7 I3MOD 0.7 \n  FRAMESECTION  \"Ghost\"  JMOD 0.35 \n"
      "  SHELLPROP  \"Slab1\"  PROPTYPE  \"Slab\"  MATERIAL \"C30\"  MODELINGTYPE \"ShellThin\"  SLABTYPE "
      "\"Slab\"  "
      "SLABTHICKNESS 200 \n"
      "  SHELLPROP  \"Drop1\"  PROPTYPE  \"Slab\"  MATERIAL \"C30\"  MODELINGTYPE \"ShellThick\"  SLABTYPE "
      "\"Drop\"  SLABTHICKNESS 400 \n"
      "  SHELLPROP  \"Deck1\"  PROPTYPE  \"Deck\"  DECKTYPE \"Filled\"  CONCMATERIAL \"C30\"  DECKMATERIAL "
      "\"S355\"  DECKRIBWIDTHTOP 175 DECKRIBWIDTHBOTTOM 125 DECKUNITWEIGHT 0.00011 SHEARSTUDFU 400 \n"
      "  SHELLPROP  \"Wall1\"  PROPTYPE  \"Wall\"  MATERIAL \"C30\"  MODELINGTYPE \"Membrane\"  "
      "WALLTHICKNESS 250 \n"
      "  SHELLPROP  \"Slab1\"  M11MOD 0.25 M22MOD 0.25 \n"
      "  SHELLPROP  \"Layer\"  PROPTYPE  \"Wall\"  MATERIAL \"None\"  MODELINGTYPE \"Layered\"  \n"));
  const bm::ReadReport& r = m->report();
  // Modifier lines make no second section.
  EXPECT_EQ(m->geo()->get_pFrameSectionList()->GetCount(), 8);
  CBMFrameSection* rect = Section(*m, "C50X80");
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->get_Shape(), bm::e2k::kShapeRectangular);
  EXPECT_EQ(rect->GetB(), 0.8);
  EXPECT_EQ(rect->get_pMaterial(), Material(*m, "C30"));
  EXPECT_EQ(Section(*m, "STEELCOL")->get_ParamItems(3), 0.0125);
  EXPECT_EQ(Section(*m, "CFT")->get_Shape(), bm::e2k::kShapeBoxTube);
  // Database sections and auto-select lists are kept with their names.
  EXPECT_EQ(Section(*m, "HE1000M")->get_Shape(), "HE1000M");
  EXPECT_EQ(Section(*m, "HE1000M")->get_pMaterial(), Material(*m, "S355"));
  EXPECT_EQ(Section(*m, "A-GRAVBM")->get_Shape(), bm::e2k::kShapeAutoSelect);
  // A shape no model shape holds is kept under its word and reported; a
  // missing material leaves the section without one.
  EXPECT_EQ(Section(*m, "2L")->get_Shape(), "STEEL DOUBLE ANGLE");
  ASSERT_NE(Section(*m, "LOST"), nullptr);
  EXPECT_EQ(Section(*m, "LOST")->get_pMaterial(), nullptr);
  EXPECT_EQ(r.Get("FRAMESECTION", bm::skip::kShapeNotRead), 2);  // 2L and the sized unknown shape
  EXPECT_EQ(r.Get("FRAMESECTION", bm::skip::kMaterialNotFound), 1);
  EXPECT_EQ(r.Get("FRAMESECTION", bm::skip::kSectionNotFound), 1);  // Ghost
  EXPECT_EQ(r.Get("FRAMESECTION", NotModel("JMOD")), 1);

  ASSERT_EQ(m->geo()->get_pWallSlabDeckSectionList()->GetCount(), 5);
  CBMWallSlabDeckSection* slab = Shell(*m, "SLAB1");
  ASSERT_NE(slab, nullptr);
  EXPECT_EQ(slab->get_PropType(), bm::e2k::kPropSlab);
  EXPECT_EQ(slab->get_PlateType(), "THIN");
  EXPECT_EQ(slab->get_TB(), 200);
  EXPECT_EQ(Shell(*m, "DROP1")->get_PlateType(), "THICK");
  EXPECT_EQ(Shell(*m, "WALL1")->get_ShellType(), "MEMBRANE");
  EXPECT_EQ(Shell(*m, "WALL1")->get_TM(), 250);
  CBMWallSlabDeckSection* deck = Shell(*m, "DECK1");
  ASSERT_NE(deck, nullptr);
  EXPECT_EQ(deck->get_DeckType(), "FILLED");
  EXPECT_EQ(deck->get_pMaterial(), Material(*m, "C30"));
  EXPECT_EQ(deck->get_RibWidth(), 150);  // the mean of top and bottom
  EXPECT_EQ(deck->get_StudStrength(), 400);
  // A layered wall has no model type; its material is missing.
  EXPECT_EQ(r.Get("SHELLPROP", bm::skip::kTypeNotRead), 1);
  EXPECT_EQ(r.Get("SHELLPROP", bm::skip::kMaterialNotFound), 1);
  EXPECT_EQ(r.Get("SHELLPROP", NotModel("SLABTYPE")), 1);  // the drop panel only
  EXPECT_EQ(r.ModelDataNotTaken(), 6);
  EXPECT_EQ(r.Total(bm::ReadReport::Kind::kUnusedKey), 0);

  // Version 9 writes the version 8 layout, a deck over several lines.
  auto v9 = ReadOwn(
      Later("  MATERIAL  \"CONC\"  M 2.4  W 23.56  TYPE \"ISOTROPIC\"  E 2.48E+07  U 0.2  A 9.9E-06\n"
            "  SHELLPROP  \"WALL1\"  MATERIAL \"CONC\"  PROPTYPE \"WALL\"  TYPE \"SHELL\"  PLATETYPE "
            "\"THIN\"  TM 0.25  TB 0.2\n"
            "  SHELLPROP  \"DECK1\"  PROPTYPE \"DECK\"  TYPE \"MEMBRANE\"  \n"
            "  SHELLPROP  \"DECK1\"  DECKTYPE \"FILLED\"  CONCMATERIAL \"CONC\"  SLABDEPTH 0.0889\n"
            "  SHELLPROP  \"DECK1\"  RIBDEPTH 0.0762  RIBWIDTH 0.1524  RIBSPACING 0.3048  WEIGHT 0.11\n"));
  EXPECT_EQ(v9->geo()->get_pWallSlabDeckSectionList()->GetCount(), 2);
  EXPECT_EQ(Shell(*v9, "WALL1")->get_TB(), 0.2);
  EXPECT_EQ(Shell(*v9, "DECK1")->get_RibWidth(), 0.1524);
  EXPECT_EQ(v9->report().ModelDataNotTaken(), 0);
}

TEST(KeyedDefinitions, GridsAutoSelectListsSpringsAndLinks) {
  auto m = ReadOwn(Later(
      "  STORY \"Story1\"  HEIGHT 3 \n  STORY \"Base\"  ELEV 0 \n"
      "  GRIDSYSTEM \"G1\"  TYPE \"CARTESIAN\"  BUBBLESIZE 1.5 \n"
      "  GRID \"G1\"  LABEL \"A\"  DIR \"X\"  COORD 0 VISIBLE \"Yes\"  BUBBLELOC \"End\"  \n"
      "  GRID \"G1\"  LABEL \"B\"  DIR \"X\"  COORD 4.575 VISIBLE \"No\"  BUBBLELOC \"End\"  \n"
      "  GENGRID \"G1\"  LABEL \"9\"  X1 7.7 Y1 0 X2 7.7 Y2 20.75 VISIBLE \"Yes\"  BUBBLELOC \"End\"  \n"
      "  GRIDSYSTEM \"G2\"  TYPE \"CARTESIAN\"  BUBBLESIZE 1.5 \n"
      "  GRID \"G2\"  LABEL \"1\"  DIR \"Y\"  COORD 3 VISIBLE \"Yes\"  BUBBLELOC \"Start\"  \n"
      "  MATERIAL  \"S\"    TYPE \"Steel\"\n  FRAMESECTION  \"W12X26\"  MATERIAL \"S\"  SHAPE \"W12X26\"  \n"
      "  FRAMESECTION  \"W12X30\"  MATERIAL \"S\"  SHAPE \"W12X30\"  \n"
      "  FRAMESECTION  \"A-GravBm\"  SHAPE \"Auto Select List\"  \n"
      "  AUTOSECTION  \"A-GravBm\"  \"W12X26\"  \"W12X30\"  \" \"  \n  AUTOSECTION  \"A-GravBm\"  \"W99X99\" "
      " \n"
      "  LINKPROP  \"Link1\"  TYPE \"LINEAR\"  \n  LINKPROP  \"Link1\"  DOF \"U1\"  \n"
      "  LINKPROP  \"Link1\"  U1STIFF 0.1019716 \n"
      "  POINTSPRING  \"RES_00\"  STIFFNESSOPTION  \"USERDEFINED\"  UX  211000 UY  212000 UZ  0 RZ 5 \n"
      "  POINTSPRING  \"SOIL\"  STIFFNESSOPTION  \"SOILPROFILE\"  \n"
      "  POINT \"1\"  0 0 \n  POINTASSIGN  \"1\"  \"Base\"  SPRINGPROP \"Res_00\"  \n"));
  const bm::ReadReport& r = m->report();
  // The first grid system's lines; the others and general grids are reported.
  CBMGridList* grids = m->geo()->get_pGridList();
  EXPECT_EQ(grids->get_CoordSystem(), "G1");
  EXPECT_EQ(grids->get_BubbleSize(), 1.5);
  ASSERT_EQ(grids->GetCount(), 2);
  auto* b = dynamic_cast<CBMGrid*>(grids->GetItem(2));
  EXPECT_EQ(b->get_Coord(), 4.575);
  EXPECT_TRUE(b->get_Hide());
  EXPECT_EQ(r.Get("GENGRID", bm::skip::kGeneralGrid), 1);
  EXPECT_EQ(r.Get("GRID", bm::skip::kOtherGridSystem), 1);

  // An auto-select list's candidates over several lines; the sections keep
  // their place numbers, which members refer to.
  auto* list = dynamic_cast<CBMAutoSection*>(m->geo()->get_pAutoSectionList()->GetItem(CString("A-GRAVBM")));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->get_SectionList().GetCount(), 2);
  EXPECT_EQ(list->get_SectionList().GetItem(2), Section(*m, "W12X30"));
  EXPECT_EQ(Section(*m, "W12X30")->get_Id(), 2);
  EXPECT_EQ(r.Get("AUTOSECTION", bm::skip::kSectionNotFound), 1);

  ASSERT_EQ(m->geo()->get_pLinkList()->GetCount(), 1);  // one link over three lines
  EXPECT_EQ(dynamic_cast<CBMLink*>(m->geo()->get_pLinkList()->GetItem(1))->DofU1, 1);
  EXPECT_EQ(r.Get("LINKPROP", NotModel("U1STIFF")), 1);

  // A user-defined spring reaches the joints that name it (the getter counts
  // from 0); one whose stiffness lies elsewhere is not taken.
  CBMJoint* joint = m->Joint("BASE", "1");
  ASSERT_TRUE(joint && joint->get_pJointSpring());
  EXPECT_EQ(joint->get_pJointSpring()->get_dU(1), 212000);
  EXPECT_EQ(joint->get_pJointSpring()->get_dU(5), 5);
  EXPECT_EQ(r.Get("POINTSPRING", bm::skip::kTypeNotRead), 1);
  EXPECT_EQ(r.ModelDataNotTaken(), 5);
}

// The real files (their names and E > 0 are counted in FidelityTest): every
// section but an auto-select list has its material, and no definition line
// leaves model data unread.
TEST(KeyedDefinitions, CorpusDefinitionsAreTakenWhole) {
  const std::filesystem::path dir = std::filesystem::path(BM_CORPUS_DIR) / "e2k";
  if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << "no corpus at " << dir;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    SCOPED_TRACE(entry.path().filename().string());
    auto model = bm::test::ReadPath(entry.path().string());
    CBMFrameSectionList* sections = model->geo()->get_pFrameSectionList();
    for (int i = 1; i <= sections->GetCount(); ++i) {
      auto* section = static_cast<CBMFrameSection*>(sections->GetItem(i));
      if (section->get_Shape() != bm::e2k::kShapeAutoSelect) {
        EXPECT_NE(section->get_pMaterial(), nullptr);
      }
    }
    for (const char* keyword : {"STORY", "DIAPHRAGM", "MATERIAL", "FRAMESECTION", "SHELLPROP", "GRID",
                                "AUTOSECTION", "POINTSPRING", "LINKPROP"}) {
      const auto found = model->report().Skipped().find(keyword);
      if (found == model->report().Skipped().end()) continue;
      for (const auto& [reason, counted] : found->second) {
        EXPECT_EQ(counted.kind, bm::ReadReport::Kind::kNotModelData) << keyword << ": " << reason;
      }
    }
  }
}

}  // namespace
