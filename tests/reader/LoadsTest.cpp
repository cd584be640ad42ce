// Load handlers, version 8 and later versions.
#include "reader/AdapterTestUtil.h"

namespace {

using bm::test::Dump;
using bm::test::Later;
using bm::test::Read;
using bm::test::ReadModel;
using bm::test::Report;

// A case name twice is kept twice; a LOAD without SF gives no term; a second LOAD replaces the first;
// a member's name on the next line is looked up in that line's storey.
TEST(ReaderLoads, Version8Combinations) {
  auto m = Read(bm::test::Version8Frame() + R"( LINE  "B2"  BEAM  "2"  "3"  0

LOADCASE "DL" TYPE "DEAD" SELFWEIGHT 1.000000
LOADCASE "WX" TYPE "WIND" SELFWEIGHT 0
LOADCASE "DL" TYPE "LIVE" SELFWEIGHT 0
WIND "WX" "USER"
WIND "WX" USERLOAD "STORY1" "D1" FX 12.5 FY 0 MZ 0 XLOC 3 YLOC 4
WIND "WX" USERLOAD "STORY2" "D1" YLOC 7 FY 2 QQ 9 MZ 1
WIND "NONE" USERLOAD "STORY2" "D1" FX 1

  POINTLOAD   "1"  "STORY1"  TYPE "FORCE" LC "LL"  RZ 2 FX 1 RX 3
  POINTLOAD   "4"  "STORY2"  TYPE "FORCE" LC "LL"  FX 1
  POINTLOAD   "1"  "NOSTORY"  TYPE "FORCE" LC "LL"  FX 1

 LINELOAD  "C1"  "STORY1"  TYPE "UNIFF"  DIR "X" LC "WX"  FVAL 1
 LINELOAD  "BR"  "STORY2"  TYPE "UNIFF"  DIR "X" LC "WX"  FVAL 2
 LINELOAD  "B2"  "STORY1"  TYPE "UNIFF"  DIR "X" LC "WX"  FVAL 2
 LINELOAD  "ZZ"  "STORY1"  TYPE "UNIFF"  DIR "X" LC "WX"  FVAL 2
 LINELOAD  "B1"  "STORY1"  TYPE "UNIFM"  DIR "X" LC "WX"  FVAL 2
 LINELOAD  "B1"  "STORY1"  TYPE "TRAPF"  DIR "GRAV" LC "DL"  FSTART 2  FEND 4  RDSTART 0.25  RDEND 0.75
 LINELOAD  "B1"  "STORY2"  TYPE "UNIFF"  DIR "X" LC "WX"  FVAL 7

 AREALOAD  "F1"  "STORY1"  FVAL 2 LC "LL" DIR "GRAV" TYPE "UNIFF" QQ 1
 AREALOAD  "W1"  "STORY1"  TYPE "UNIFF"  DIR "X" LC "WX"  FVAL 0.5
 AREALOAD  "F1"  "STORY2"  TYPE "UNIFF"  DIR "GRAV" LC "DL"  FVAL 1
 AREALOAD  "F9"  "STORY1"  TYPE "UNIFF"  DIR "GRAV" LC "DL"  FVAL 1
 AREALOAD  "F1"  "NOSTORY"  TYPE "UNIFF"  DIR "GRAV" LC "DL"  FVAL 1
 AREALOAD  "F1"  "STORY1"  TYPE "TRAPF"  DIR "GRAV" LC "DL"

COMBO "C1"  TYPE "ADD"
COMBO "C1"  LOAD "DL"  SF 1.200000
COMBO "C1"  LOAD "LL"  SF 1.4
COMBO "C2"  TYPE "ENVE"
COMBO "C2"  LOAD "DL"
COMBO "C2"  LOAD "A" LOAD "B" SF 2
COMBO "C2"  SF 3
COMBO "C3"  TYPE "ADD"
COMBO "C3"  COMBO "C1"  SF 0.5
COMBO "C3"  LOAD "WX"  SF 1
)");
  EXPECT_EQ(Dump(*m, "loaded case combo") + Report(m->report()), R"(STORY1 joint 1: R100000 c3
  load LL F1,0,0 M3,0,2 FORCE
STORY1 beam B1: W ang 0 spc 1.2 ends 1/2
  load DL TRAPF GRAV u0 2@0.25 4@0.75
STORY1 column C1: W ang 0 spc 1.6 ends 3/-
  load WX UNIFF X u1 1@0 0@0
STORY1 slab F1: SL on F1 mesh DEFAULT D-
  load LL GRAV 2
STORY1 wall W1: WL on W1 mesh DEFAULT label PW1
  load WX X 0.5
STORY2 brace BR: - ang 0 spc 0.6 ends -/- no line
  load WX UNIFF X u2 2@0 0@0
case DL: DEAD 1
case WX: WIND 0
  wind STORY1 D1 F12.5,0 M0 at 3,4
  wind STORY2 D1 F0,2 M1 at 0,7
case DL: LIVE 0
combo C1: ADD DL*1.2 LL*1.4
combo C2: ENVE B*2
combo C3: ADD C1*0.5 WX*1
AREALOAD: m area not found x1 | k key QQ not used x1 | m member not found x1 | m storey not found x1 | m type not read x1
COMBO: m load without factor x2
LINELOAD: m line not found x1 | m member not found x2 | m type not read x1
POINTLOAD: m joint not found x1 | m storey not found x1
WIND: m load case not found x1 | n not model data x1
)");
}

// Version 9: LOADCASE lines are load cases; centre-of-mass lateral loads dropped; SF closes a term.
TEST(KeyedLoads, Version9LoadCasesUserLateralLoadsAndCombinations) {
  auto m = Read(Later(R"(  LOADCASE "DL"  SELFWEIGHT  1  TYPE  "DEAD"
  LOADCASE "WX"  TYPE  "WIND"  SELFWEIGHT  0
  LOADCASE "WY"  TYPE  "WIND"  SELFWEIGHT  0
  LOADCASE "EQB"  TYPE  "QUAKE"  SELFWEIGHT  0
  WIND "WX"  "USER"
  WIND "WX"  USERLOAD "STORY1"  "D1"  FX 12.5 FY 1 MZ 2 XLOC 3 YLOC 4
  WIND "WX"  USERLOAD SET 1  "STORY2"  "D1"  YLOC 7 FX 5
  WIND "WX"  USERLOAD SET 2  "STORY2"
  WIND "WY"  "EUROCODE1 2005"  EXPOSUREFROM "DIAPHRAGMS"  ANG 90  VB 35
  WIND "WY"  EXPOSUREFROM "DIAPHRAGMS"  ANG 90
  WIND "NONE"  USERLOAD "STORY1"  "D1"  FX 1 XLOC 0 YLOC 0
  SEISMIC "EQB"  "USER_LOADS"  ECC 0.05
  SEISMIC "EQB"  USERLOAD "STORY1"  "D1"  FX 38.63
  SEISMIC "EQB"  USERLOAD   SET 1  "STORY2"  "D1"  FX 46
  SEISMIC "EQX"  "USER_COEFF"  DIR "X"  TOPSTORY "STORY2"  SHEARCOEFF 0.1

  COMBO "EQV"  TYPE "ADD"  DESIGN "CONCRETE"
  COMBO "EQV"  LOAD "DL"  SF 1
  COMBO "USS04"  TYPE "ADD"  DESIGN "STEELSTRENGTH"  DESIGN "CONCRETE"
  COMBO "USS04"  LOAD "DL"  SF 1.2
  COMBO "USS04"  COMBO "EQV"  SF 0.3
  COMBO "USS04"  SPECTRUM "0SPECX"  SF 1.267549
)",
                      "9.7.3"));
  EXPECT_EQ(Dump(*m) + Report(m->report()), R"(case DL: DEAD 1
case WX: WIND 0
  wind STORY1 D1 F12.5,1 M2 at 3,4
  wind STORY2 D1 F5,0 M0 at 0,7
case WY: WIND 0
case EQB: QUAKE 0
combo EQV: ADD DL*1
combo USS04: ADD DL*1.2 EQV*0.3 0SPECX*1.267549
COMBO: n key DESIGN (not model data) x2
SEISMIC: m lateral load at centre of mass x2 | n not model data x2
WIND: m load case not found x1 | n not model data x3 | m too few tokens x1
)");
}

// From version 10.0.0 load patterns are the load cases; loads by key into a version 8 model.
TEST(KeyedLoads, LoadPatternsAreTheLoadCasesFromVersion10) {
  ReadModel m;
  bm::test::ReadInto(m, bm::test::Version8Frame());
  ASSERT_TRUE(m.ok);
  bm::test::ReadInto(m, Later(R"(  LOADPATTERN "Dead"  TYPE  "Dead"  SELFWEIGHT  1
  LOADPATTERN "EQX"  TYPE  "Seismic"  SELFWEIGHT  0
  LOADPATTERN "N"  TYPE  "Notional"  SELFWEIGHT  0  NOTIONALBASE "Dead"
  LOADPATTERN "ICE"  TYPE  "Ice Load"  SELFWEIGHT  0
  LOADPATTERN "Live"  TYPE  "Live"  SELFWEIGHT  0
  LOADCASE "Modal"  TYPE  "Modal - Eigen"  INITCOND  "PRESET"
  LOADCASE "Dead"  TYPE  "Linear Static"  INITCOND  "PRESET"
  LOADCASE "Dead"  LOADPAT  "Dead"  SF  1

  POINTLOAD  "1"  "STORY1"  TYPE "FORCE"  LC "Dead"  FZ -10 MX 2 RZ 3
  POINTLOAD  "2"  "Base"  TYPE "FORCE"  LC "Live"  FX 10.2
  POINTLOAD  "9"  "STORY1"  TYPE "FORCE"  LC "Live"  FX 1
  POINTLOAD  "1"  "STORY1"  TYPE "DISPL"  LC "Live"  UX 0.01
  LINELOAD  "B1"  "STORY1"  TYPE "UNIFF"  DIR "GRAV"  LC "Dead"  FVAL 5
  LINELOAD  "B1"  "STORY1"  TYPE "TRAPF"  DIR "GRAV"  LOADPAT "Live"  FSTART 2  FEND 4  RDSTART 0.25  RDEND 0.75
  LINELOAD  "B1"  "STORY1"  TYPE "POINTF"  DIR "GRAV"  LC "Live"  FVAL 12  RDIST 0.5
  LINELOAD  "C1"  "STORY1"  TYPE "UNIFF"  DIR "X"  LC "Live"  FVAL 1
  LINELOAD  "BR"  "STORY2"  TYPE "TEMPF"  LC "Live"  FVAL 1
  AREALOAD  "F1"  "STORY1"  TYPE "UNIFF"  DIR "GRAV"  LC "Dead"  FVAL 1.8
  AREALOAD  "W1"  "STORY1"  TYPE "UNIFF"  DIR "X"  LC "Live"  FVAL 0.4
  AREALOAD  "F1"  "STORY1"  TYPE "UNIFLOADSET"  "ULoadSet1"

  COMBO "UDStlS1"  TYPE "Linear Add"  NOTES "Dead  [Strength]"
  COMBO "UDStlS1"  DESIGN "Steel"  COMBOTYPE "Strength"
  COMBO "UDStlS1"  LOADCASE "Dead"  SF 1.35
  COMBO "UDStlS1"  LOADCASE "S.Dead"  SF 1.35
  COMBO "ENV"  TYPE "Envelope"
  COMBO "ENV"  LOADCOMBO "UDStlS1"  SF 1
  COMBO "ENV"  SF 2
  COMBO "ENV"  LOADCASE "Live"
  COMBO "ABS1"  TYPE "Absolute Add"
  COMBO "RNG"  TYPE "Range Add"
  COMBO "ABS1"  LOADCASE "Live"  SF 1
)",
                              "10.0.0"));
  ASSERT_TRUE(m.ok);
  EXPECT_EQ(Dump(m, "loaded brace case combo") + Report(m.report()), R"(BASE joint 2: R111111 c0
  load LIVE F10.2,0,0 M0,0,0 FORCE
STORY1 joint 1: R100000 c3
  load DEAD F0,0,-10 M2,0,3 FORCE
STORY1 beam B1: W ang 0 spc 1.2 ends 1/2
  load DEAD UNIFF GRAV u5 5@0 0@0
  load LIVE TRAPF GRAV u0 2@0.25 4@0.75
  load LIVE POINTF GRAV u0 12@0.5 0@0
STORY1 column C1: W ang 0 spc 1.6 ends 3/-
  load LIVE UNIFF X u1 1@0 0@0
STORY1 slab F1: SL on F1 mesh DEFAULT D-
  load DEAD GRAV 1.8
STORY1 wall W1: WL on W1 mesh DEFAULT label PW1
  load LIVE X 0.4
case DEAD: DEAD 1
case EQX: QUAKE 0
case N: OTHER 0
case ICE: ICE LOAD 0
case LIVE: LIVE 0
combo UDSTLS1: ADD DEAD*1.35 S.DEAD*1.35
combo ENV: ENVE UDSTLS1*1
combo ABS1: ABS LIVE*1
combo RNG: RANGE ADD
AREALOAD: m type not read x1
COMBO: n key COMBOTYPE (not model data) x1 | n key DESIGN (not model data) x1 | n key NOTES (not model data) x1 | m load without factor x2
LINELOAD: m type not read x1
LOADCASE: n not model data x3
LOADPATTERN: k key NOTIONALBASE not used x1
POINTLOAD: m point not found x1 | m type not read x1
)");
}

// 5000 load cases and a combination straddling the 4096th line: read whole.
TEST(ReaderLoads, BlocksLongerThanAPartAreReadWhole) {
  for (const bool later : {false, true}) {
    const std::string type = later ? "  TYPE \"Linear Add\"\n" : "  TYPE \"ADD\"\n";
    const std::string term = later ? "LOADCASE" : "LOAD";
    std::string body;
    for (int i = 1; i <= 5000; ++i)
      body += (later ? "LOADPATTERN \"L" : "LOADCASE \"L") + std::to_string(i) +
              (later ? "\"  TYPE  \"Live\"  SELFWEIGHT  0\n" : "\"  TYPE  \"LIVE\"  SELFWT  0\n");
    body += "\n";
    for (int i = 1; i <= 4090; ++i) body += "COMBO \"A" + std::to_string(i) + "\"" + type;
    body += "COMBO \"LONG\"" + type;
    for (int i = 1; i <= 10; ++i)
      body += "COMBO \"LONG\"  " + term + " \"L" + std::to_string(i) + "\"  SF 1\n";
    auto m = Read(later ? Later(body) : "PROGRAM  \"ETABS\"  VERSION \"8.48\"\n\n" + body);
    EXPECT_EQ(m->adapter.GetFileVersion(), later ? 20 : 8);
    EXPECT_EQ(m->geo()->GetLoadCaseList()->GetCount(), 5000);
    CBMComponentList* combos = m->geo()->Get_pLoadCombination();
    ASSERT_EQ(combos->GetCount(), 4091);
    auto* last = dynamic_cast<CBMLoadCom*>(combos->GetItem(4091));
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->get_Name(), "LONG");
    EXPECT_EQ(last->get_CombineList()->GetCount(), 10);
  }
}

// Freedoms left out of ACTIVEDOF are inactive; a PROGRAM line without VERSION is version 0.
TEST(ReaderAnalysis, FreedomsLeftOutAreInactive) {
  auto m = Read("PROGRAM  \"ETABS\"\n\nACTIVEDOF \"UX UY UZ RY RZ\"\n");
  const CBMAnalysisOption* o = m->geo()->get_pCBMAnalysisOption();
  EXPECT_EQ(bm::test::Cat(o->get_bUx(), o->get_bUy(), o->get_bUz(), o->get_bRx(), o->get_bRy(), o->get_bRz()),
            "111011");
  EXPECT_EQ(m->adapter.GetFileVersion(), 0);
}

}  // namespace
