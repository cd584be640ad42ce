// The driver and the definition handlers, version 8 and later versions.
#include "reader/AdapterTestUtil.h"

namespace {

using bm::test::Dump;
using bm::test::Later;
using bm::test::Read;
using bm::test::ReadModel;
using bm::test::Report;

// Exact keywords only; a block's lines are counted under their own keyword.
TEST(ReaderDriver, KeywordsMatchExactlyAndSkippedBlocksAreCounted) {
  auto m = Read(R"($PROGRAM INFORMATION
 PROGRAM  "ETABS"  VERSION "8.48"

$CONTROLS
 UNITS "Kip" "in"
TITLE1  "ttl"
PREFERENCE  MERGETOL .001

 Story "A" HEIGHT 3

 story "B" HEIGHT 3

COORDSYSTEM "GLOBAL"
GRID "GLOBAL" "A"

 STORY "S1" HEIGHT 3
)");
  CBMUnitSystem* units = m->module->get_pUnitSystem();
  EXPECT_EQ(units->get_csForceUnit() + units->get_csLengthUnit(), "KIPIN");
  EXPECT_EQ(m->report().Get("PROGRAM", bm::skip::kNotModelData), 1);
  EXPECT_EQ(Dump(*m) + Report(m->report()), R"(storeys: S1 3/0
COORDSYSTEM: m keyword ignored x1
GRID: m keyword ignored x1
PREFERENCE: n not model data x1
Story: m no handler x1
TITLE1: n not model data x1
story: m no handler x1
)");
}

// New storeys follow the module's levels; a second read handles only its own file.
TEST(ReaderDriver, SecondReadAppendsStoreysAndHandlesOnlyTheNewFile) {
  ReadModel m;
  m.geo()->AddLevel("BASE", 0.0, 0.0);
  m.geo()->AddLevel("L1", 3.0, 0.0);
  bm::test::ReadInto(m, " STORY \"T2\" HEIGHT 4\n STORY \"T1\" HEIGHT 2\n");
  ASSERT_TRUE(m.ok);
  bm::test::ReadInto(m, " STORY \"S2\" HEIGHT 5\n");
  ASSERT_TRUE(m.ok);
  EXPECT_EQ(Dump(m) + Report(m.report()), "storeys: BASE 0/0 | L1 3/3 | T1 2/5 | T2 4/9 | S2 5/14\n");
}

TEST(ReaderStories, Version8StoreysAndTheirGroups) {
  EXPECT_EQ(Dump(*Read(R"( STORY "STORY2"  HEIGHT 3.000000
 STORY "Level 1"  HEIGHT 3.5
 STORY "BASE"  Elev 1.5
)")),
            R"(storeys: BASE 0/1.5 | LEVEL 1 3.5/5 | STORY2 3/8
)");
  EXPECT_EQ(Dump(*Read(R"( STORY "S2" HEIGHT 3
 STORY "S2" HEIGHT 9
 STORY "S1" HEIGHT
DIAPHRAGM "D1" TYPE RIGID
 STORY "S2" HEIGHT 5
)")),
            "storeys: S2 5/0 | D1 0/0 | S1 0/0 | S2 3/3\n");
}

// An elevation alone gives the height over the storey below; DISCONNECTED is no diaphragm.
TEST(KeyedDefinitions, AnElevationAloneGivesTheHeightOverTheStoreyBelow) {
  auto m = Read(Later(R"(  STORY "Level 3"  HEIGHT 3 SIMILARTO "Level 2"
  STORY "Level 2"  ELEV 6.5
  STORY "Level 1"  HEIGHT 3.5 MASTERSTORY "Yes"
  STORY "Base"  ELEV -1

  DIAPHRAGM "D1"    TYPE RIGID
  DIAPHRAGM "D2"    TYPE SEMIRIGID
  DIAPHRAGM "DISCONNECTED"
)"),
                false);
  EXPECT_EQ(Dump(*m) + Report(m->report()),
            R"(storeys: BASE 0/-1 | LEVEL 1 3.5/2.5 | LEVEL 2 4/6.5 | LEVEL 3 3/9.5
diaphragms: D1 | D2
DIAPHRAGM: n key TYPE (not model data) x2 | n not model data x1
)");
}

// Material groups, auto-select lists, database shapes, 20 slots, links again; only used diaphragms stay.
TEST(ReaderDefinitions, AutoSelectListsAndDatabaseShapesKeepTheirSections) {
  std::string general = "FRAMESECTION  \"G\"  MATERIAL \"C30\"  SHAPE \"General\"";
  for (int v = 1; v <= 25; ++v) general += " K " + std::to_string(v);
  auto m = Read(R"( MATERIAL "C30" M 2.5 W 25 TYPE "Isotropic" E 3e+007 U 0.2 A 1e-005
 MATERIAL  "C30"  DESIGNTYPE "CONCRETE"  FY 300 FC 30  FYS 300 FE 12
 MATERIAL "X" M 1 W 2 TYPE "ISOTROPIC" E 3 U 0.1 A 0

MATERIAL
MATERIAL "C31" M 2.5
MATERIAL

FRAMESECTION  "AUTO1"   SHAPE "Auto Select List"
FRAMESECTION  "AUTO2"   SHAPE "Auto Select"
FRAMESECTION  "ODD"   SHAPE "Odd"
FRAMESECTION  "CR"  MATERIAL "C30"  SHAPE "Concrete Rectangular" D 1 B 1
FRAMESECTION  "NM"  MATERIAL "NONE"  SHAPE "Circle" D 0.6
FRAMESECTION  "COL 500"  MATERIAL "X"  SHAPE "Rectangular" D 0.5 B 0.4
FRAMESECTION  "W18X35"  MATERIAL "C30"  SHAPE "W18X35"
)" + general + R"(

 SHELLPROP  "DK"  PROPTYPE "DECK"  TYPE "MEMBRANE"
 SHELLPROP  "DK"  DECKTYPE "FILLED"  CONCMATERIAL "C30"  SLABDEPTH 0.1
 SHELLPROP  "DK"  RIBDEPTH 0.05  RIBWIDTH 0.15  RIBSPACING 0.3  WEIGHT 0.1
 SHELLPROP  "DK"  STUDDIA 0.02 STUDHEIGHT 0.1  STUDSTRENGTH 400
 SHELLPROP  "S0"  MATERIAL "NOPE"  PROPTYPE "SLAB"

 LINKPROP  "L1"  TYPE "Damper"
 LINKPROP  "L1"  DOF "U1"
 LINKPROP  "L1"  DOF "R3"
 LINKPROP  "L2"  TYPE "GAP"
 LINKPROP  "L1"  DOF "U9"

  PIERNAME  "P1"
  PIERNAME  "P1"

  SPANDRELNAME   "S1"
  PIERNAME  "P1"
  PIERNAME  "P2"

DIAPHRAGM "D0"
DIAPHRAGM "D1"
DIAPHRAGM "D2"

DIAPHRAGM "D3"

 STORY "S" HEIGHT 3

POINT "1" 0 0

POINTASSIGN "1" "S" DIAPH "D2"
)");
  EXPECT_EQ(Dump(*m, "diaphragms material section shell link labels joint") + Report(m->report()),
            R"(diaphragms: D2
material C30: ISOTROPIC/CONCRETE M2.5 W25 E30000000 U0.2 A1e-05 FY300 FC30 FYS300 FU0 P0
material X: ISOTROPIC/ M1 W2 E3 U0.1 A0 FY0 FC0 FYS0 FU0 P0
material C31: / M2.5 W0 E0 U0 A0 FY0 FC0 FYS0 FU0 P0
material : / M0 W0 E0 U0 A0 FY0 FC0 FYS0 FU0 P0
section AUTO1: AutoSelectList of -:
section AUTO2: AutoSelectList of -:
section CR: CONCRETE RECTANGULAR of C30:
section NM: CIRCLE of -:
section COL 500: RECTANGULAR of X: 0.5 0.4
section W18X35: W18X35 of C30:
section G: GENERAL of C30: 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20
shell DK: DECK MEMBRANE/ of C30 TM0 TB0 FILLED 0.1 rib 0.05 0.15 0.3 w0.1 stud 0.02 0.1 400
shell S0: SLAB / of - TM0 TB0
link L1: DAMPER 100001
link L2: GAP 000000
link L1:  000000
labels: pier P1 | spandrel S1 | pier P2
S joint 1: DD2 c0
FRAMESECTION: m auto-select list x1
MATERIAL: m too few tokens x1
)");
  EXPECT_EQ(m->geo()->get_pDiaphragmList()->GetItem(1)->get_Id(), 1);
  ZAdapterEtabs8 alone;  // no module: nothing to fill or delete
  alone.DeleteEmptyDiaphram();
  EXPECT_FALSE(alone.ReadBuffer("STORY \"S\"\n", 10));
}

// Mass is weight over gravity per length unit; rebar is steel; a deck is a membrane, mean rib width.
TEST(KeyedDefinitions, MaterialsMassIsWeightOverGravityRebarIsSteelAndADeckIsAMembrane) {
  auto m = Read(Later(R"(  MATERIAL  "A992Fy50"    TYPE "Steel"    GRADE "Grade 50"    WEIGHTPERVOLUME 76.9729
  MATERIAL  "A992Fy50"    SYMTYPE "Isotropic"  E 199947.98  U 0.3  A 1.17E-05
  MATERIAL  "A992Fy50"  FY 344.74  FU 448.16 FYE 379.21  FUE 492.98
  MATERIAL  "C30"    TYPE "Concrete"    WEIGHTPERVOLUME 24.5
  MATERIAL  "A615Gr60"    TYPE "Rebar"    SYMTYPE "Uniaxial"
  MATERIAL  "Odd"    TYPE "Plastic"  E 2000
  MATERIAL  "C30"    SYMTYPE "Isotropic"  E 31000  U 0.2  A 1E-05
  MATERIAL  "S355"    TYPE "Steel"

  FRAMESECTION  "C50x80"  MATERIAL "C30"  SHAPE "Concrete Rectangular"  D 0.5 B 0.8 INCLUDEAUTORIGIDZONEAREA "No"
  FRAMESECTION  "SteelCol"  MATERIAL "S355"  SHAPE "Steel I/Wide Flange"  D 0.5 B 0.3 TF 0.025 TW 0.0125
  FRAMESECTION  "CFT"  MATERIAL "S355"  SHAPE "Filled Steel Tube"  D 0.3 B 0.3 FILLMATERIAL "C30"
  FRAMESECTION  "HE1000M"  MATERIAL "S355"  SHAPE "HE1000M"  FILE "Euro"
  FRAMESECTION  "A-GravBm"  SHAPE "Auto Select"  AUTOSELECTDESIGNTYPE "Steel"
  FRAMESECTION  "2L"  MATERIAL "S355"  SHAPE "Steel Double Angle"  D 0.1 B 0.2 TF 0.01 TW 0.01 DIS 0.01
  FRAMESECTION  "Hex"  MATERIAL "S355"  SHAPE "Steel Hexagon"  D 0.2
  FRAMESECTION  "P1"  MATERIAL "S355"  SHAPE "Steel Pipe"  D 0.3 TW 0.01
  FRAMESECTION  "Lost"  MATERIAL "C99"  SHAPE "Concrete Rectangular"  D 0.4 B 0.4
  FRAMESECTION  "C50x80"  JMOD 0.35 I2MOD 0.7 I3MOD 0.7
  FRAMESECTION  "Ghost"  JMOD 0.35

  SHELLPROP  "Slab1"  PROPTYPE  "Slab"  MATERIAL "C30"  MODELINGTYPE "ShellThin"  SLABTYPE "Slab"  SLABTHICKNESS 200
  SHELLPROP  "Drop1"  PROPTYPE  "Slab"  MATERIAL "C30"  MODELINGTYPE "ShellThick"  SLABTYPE "Drop"  SLABTHICKNESS 400
  SHELLPROP  "Deck1"  PROPTYPE  "Deck"  DECKTYPE "Filled"  CONCMATERIAL "C30"  DECKMATERIAL "S355"  DECKRIBWIDTHTOP 175 DECKRIBWIDTHBOTTOM 125 DECKUNITWEIGHT 0.00011 SHEARSTUDFU 400
  SHELLPROP  "Deck2"  PROPTYPE  "Deck"  DECKTYPE "Filled"  CONCMATERIAL "C30"  DECKRIBWIDTHBOTTOM 90
  SHELLPROP  "Wall1"  PROPTYPE  "Wall"  MATERIAL "C30"  MODELINGTYPE "Membrane"  WALLTHICKNESS 250
  SHELLPROP  "Slab1"  M11MOD 0.25 M22MOD 0.25
  SHELLPROP  "Layer"  PROPTYPE  "Wall"  MATERIAL "None"  MODELINGTYPE "Layered"
  SHELLPROP  "Plank"  PROPTYPE  "Plank"  MATERIAL "C30"
)"),
                false);
  EXPECT_DOUBLE_EQ(m->geo()->get_pMaterialList()->GetMaterial("A992FY50")->get_M(), 76.9729 / 9.80665);
  EXPECT_EQ(
      Dump(*m) + Report(m->report()),
      R"(material A992FY50: ISOTROPIC/STEEL M7.849051409 W76.9729 E199947.98 U0.3 A1.17e-05 FY344.74 FC0 FYS0 FU448.16 P0
material C30: ISOTROPIC/CONCRETE M2.498304722 W24.5 E31000 U0.2 A1e-05 FY0 FC0 FYS0 FU0 P0
material A615GR60: UNIAXIAL/STEEL M0 W0 E0 U0 A0 FY0 FC0 FYS0 FU0 P0
material ODD: / M0 W0 E2000 U0 A0 FY0 FC0 FYS0 FU0 P0
material S355: /STEEL M0 W0 E0 U0 A0 FY0 FC0 FYS0 FU0 P0
section C50X80: RECTANGULAR of C30: 0.5 0.8
section STEELCOL: I/WIDE FLANGE of S355: 0.5 0.3 0.025 0.0125
section CFT: BOX/TUBE of S355: 0.3 0.3
section HE1000M: HE1000M of S355:
section A-GRAVBM: AutoSelectList of -:
section 2L: STEEL DOUBLE ANGLE of S355:
section HEX: STEEL HEXAGON of S355:
section P1: PIPE of S355: 0.3 0.01
section LOST: RECTANGULAR of -: 0.4 0.4
shell SLAB1: SLAB SHELL/THIN of C30 TM200 TB200
shell DROP1: SLAB SHELL/THICK of C30 TM400 TB400
shell DECK1: DECK MEMBRANE/ of C30 TM0 TB0 FILLED 0 rib 0 150 0 w0.00011 stud 0 0 400
shell DECK2: DECK MEMBRANE/ of C30 TM0 TB0 FILLED 0 rib 0 90 0 w0 stud 0 0 0
shell WALL1: WALL MEMBRANE/ of C30 TM250 TB250
shell LAYER: WALL / of - TM0 TB0
shell PLANK:  / of C30 TM0 TB0
FRAMESECTION: n key AUTOSELECTDESIGNTYPE (not model data) x1 | n key FILE (not model data) x1 | n key FILLMATERIAL (not model data) x1 | n key I2MOD (not model data) x1 | n key I3MOD (not model data) x1 | n key INCLUDEAUTORIGIDZONEAREA (not model data) x1 | n key JMOD (not model data) x1 | m material not found x1 | m section not found x1 | m shape not read x2
MATERIAL: n key FUE (not model data) x1 | n key FYE (not model data) x1 | n key GRADE (not model data) x1 | m type not read x1
SHELLPROP: n key DECKMATERIAL (not model data) x1 | n key M11MOD (not model data) x1 | n key M22MOD (not model data) x1 | n key SLABTYPE (not model data) x1 | m material not found x1 | m type not read x2
)");
  // The version 9 layout: TYPE is the symmetry type and the mass is given.
  auto v9 = Read(Later(R"(  MATERIAL  "STEEL"  M 7.8271  W 76.81955  TYPE "ISOTROPIC"  E 1.99948E+08
  MATERIAL  "STEEL"  DESIGNTYPE "STEEL"  FY 344737.9  FU 448159.3  PRICE 27.5
  MATERIAL  "S"    TYPE "Steel"    WEIGHTPERVOLUME 7.7E-05
)",
                       "20.2.0", "\"N\"  \"MM\""),
                 false);
  EXPECT_DOUBLE_EQ(v9->geo()->get_pMaterialList()->GetMaterial("S")->get_M(), 7.7E-05 / 9806.65);
  EXPECT_EQ(
      Dump(*v9) + Report(v9->report()),
      R"(material STEEL: ISOTROPIC/STEEL M7.8271 W76.81955 E199948000 U0 A0 FY344737.9 FC0 FYS0 FU448159.3 P27.5
material S: /STEEL M7.85181484e-09 W7.7e-05 E0 U0 A0 FY0 FC0 FYS0 FU0 P0
)");
  // Version 9 writes the version 8 layout (a deck over several lines).
  auto shells =
      Read(Later(R"(  MATERIAL  "CONC"  M 2.4  W 23.56  TYPE "ISOTROPIC"  E 2.48E+07  U 0.2  A 9.9E-06
  SHELLPROP  "WALL1"  MATERIAL "CONC"  PROPTYPE "WALL"  TYPE "SHELL"  PLATETYPE "THIN"  TM 0.25  TB 0.2
  SHELLPROP  "DECK1"  PROPTYPE "DECK"  TYPE "MEMBRANE"
  SHELLPROP  "DECK1"  DECKTYPE "FILLED"  CONCMATERIAL "CONC"  SLABDEPTH 0.0889
  SHELLPROP  "DECK1"  RIBDEPTH 0.0762  RIBWIDTH 0.1524  RIBSPACING 0.3048  WEIGHT 0.11
)",
                 "9.7.3"),
           false);
  EXPECT_EQ(Dump(*shells, "shell") + Report(shells->report()),
            R"(shell WALL1: WALL SHELL/THIN of CONC TM0.25 TB0.2
shell DECK1: DECK MEMBRANE/ of CONC TM0 TB0 FILLED 0.0889 rib 0.0762 0.1524 0.3048 w0.11 stud 0 0 0
)");
}

TEST(KeyedDefinitions, GridsAutoSelectListsSpringsAndLinks) {
  auto m = Read(Later(R"(  STORY "Story1"  HEIGHT 3
  STORY "Base"  ELEV 0
  GRIDSYSTEM "G1"  TYPE "Cylindrical"  BUBBLESIZE 1.5
  GRID "G1"  LABEL "A"  DIR "X"  COORD 0 VISIBLE "Yes"  BUBBLELOC "End"
  GRID "G1"  LABEL "B"  DIR "X"  COORD 4.575 VISIBLE "No"  BUBBLELOC "End"
  GRID "G1"  LABEL "C"  DIR "X"  VISIBLE "Yes"
  GENGRID "G1"  LABEL "9"  X1 7.7 Y1 0 X2 7.7 Y2 20.75 VISIBLE "Yes"  BUBBLELOC "End"
  GRIDSYSTEM "G2"  TYPE "CARTESIAN"  BUBBLESIZE 1.5
  GRID "G2"  LABEL "1"  DIR "Y"  COORD 3 VISIBLE "Yes"  BUBBLELOC "Start"
  MATERIAL  "S"    TYPE "Steel"
  FRAMESECTION  "W12X26"  MATERIAL "S"  SHAPE "W12X26"
  FRAMESECTION  "W12X30"  MATERIAL "S"  SHAPE "W12X30"
  FRAMESECTION  "GEN"  MATERIAL "S"  SHAPE "General"  D 1 B 2 AREA 3 TORSION 4 I33 5 I22 6 AS2 7 AS3 8 S33 9 S22 10 Z33 11 Z22 12 R33 13 R22 14
  FRAMESECTION  "A-GravBm"  SHAPE "Auto Select List"
  AUTOSECTION  "A-GravBm"  "W12X26"  "W12X30"  " "
  AUTOSECTION  "A-GravBm"  "W99X99"
  LINKPROP  "Link1"  TYPE "LINEAR"
  LINKPROP  "Link1"  DOF "U1"
  LINKPROP  "Link1"  U1STIFF 0.1019716
  POINTSPRING  "RES_00"  STIFFNESSOPTION  "USERDEFINED"  UX  211000 UY  212000 UZ  0 RZ 5
  POINTSPRING  "SOIL"  STIFFNESSOPTION  "SOILPROFILE"
  POINT "1"  0 0
  POINTASSIGN  "1"  "Base"  SPRINGPROP "Res_00"
)"),
                false);
  CBMGridList* grids = m->geo()->get_pGridList();
  EXPECT_EQ(grids->get_CoordSystem(), "G1");
  EXPECT_EQ(grids->get_BubbleSize(), 1.5);
  EXPECT_EQ(grids->get_GridType(), "CYLINDRICAL");
  ASSERT_EQ(grids->GetCount(), 2);
  auto* second = dynamic_cast<CBMGrid*>(grids->GetItem(2));
  EXPECT_TRUE(second && second->get_Coord() == 4.575 && second->get_Hide());
  auto* list = m->In<CBMAutoSection>(m->geo()->get_pAutoSectionList(), "A-GRAVBM");
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->get_SectionList().GetCount(), 2);
  EXPECT_EQ(list->get_SectionList().GetItem(2), m->Section("W12X30"));
  EXPECT_EQ(m->Section("W12X30")->get_Id(), 2);
  EXPECT_EQ(Dump(*m, "section link joint") + Report(m->report()), R"(section W12X26: W12X26 of S:
section W12X30: W12X30 of S:
section GEN: GENERAL of S: 1 2 3 4 5 6 7 8 9 10 11 12 13 14
section A-GRAVBM: AutoSelectList of -:
link LINK1: LINEAR 100000
BASE joint 1: S211000,212000,0,0,0,5 c0
AUTOSECTION: m section not found x1
GENGRID: m general grid line x1
GRID: m grid of a second grid system x1 | m not read x1
GRIDSYSTEM: m grid of a second grid system x1
LINKPROP: n key U1STIFF (not model data) x1
POINTSPRING: m type not read x1
)");
}

}  // namespace
