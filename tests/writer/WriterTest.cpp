// The text model file against the golden files, then single records in the cases
// those do not hold: edge numbers, missing objects and their counts, exact words.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "etabs_writer/E2kText.h"
#include "support/ArchiveHelpers.h"
#include "support/ByteBuilder.h"
#include "support/Files.h"
#include "support/MessageCapture.h"
#include "support/TestBuilding.h"

namespace bm::test {
namespace {

std::string Golden(const std::string& name) { return ReadFile(BM_TEST_DATA_DIR "/golden/" + name); }

// The file as written, with the line ends of Linux; on Windows every LF must
// follow a CR (the text mode of the legacy framework).
std::string ReadWritten(const std::string& path) {
  const std::string text = ReadFile(path);
#ifdef _WIN32
  for (size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1))
    EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "LF without CR at byte " << i;
#endif
  return WithoutCarriageReturns(text);
}

// Each file replaces a longer one; the numbers ignore the process locale.
TEST(WriterFile, ModelsMatchTheirGoldenFiles) {
  std::unique_ptr<CBuildingModule> building = BuildTestBuilding();
  CBuildingModule empty;
  const std::pair<CBuildingModule*, const char*> cases[] = {{&empty, "empty_module.e2k"},
                                                            {building.get(), "test_building.e2k"}};
  for (const auto& [module, golden] : cases) {
    MessageCapture messages;
    TempDir dir;
    const std::string path = dir.Write("m.e2k", std::string(100000, 'x'));
    EXPECT_EQ(module->GenerateETABS8TxtFile(path.c_str()), 1);
    EXPECT_EQ(ReadWritten(path), Golden(golden));
    EXPECT_EQ(messages.count(), 0u);
    EXPECT_EQ(module->GetLastWriteReport().Total(), 0);
  }
  EXPECT_EQ(empty.GenerateETABS8TxtFile(""), 0);  // other file faults: tests/robustness
  // The last one is the Windows C runtime's name.
  for (const char* l : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "German_Germany.1252"}) {
    if (!std::setlocale(LC_ALL, l)) continue;
    const std::string text = GenerateETABS8Text(*building);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(text, Golden("test_building.e2k")) << l;
    break;
  }
}

// A level whose name is stored as given (set_Name would upper-case it).
class RawNamedLevel : public CBMLevel {
 public:
  explicit RawNamedLevel(const char* name) { Name = name; }
};

// Null entries and foreign members are skipped, counted once however many blocks walk them.
TEST(WriterFile, StoreysFromTopWithElevationOnlyForBaseAroundNullsAndForeignMembers) {
  CBuildingModule module;
  module.SetUnits("kn", "");
  CBMMgrGeometry* geo = module.get_pMgrGeometry();
  geo->AddLevel("BASE", 0.0, 1.25);
  geo->AddLevel("STORY1", 3.5, 0.0)->get_theCBMBeamList()->Add(new CBMPoint(1, 2, 0, false));
  geo->get_pLevelList()->Add(nullptr);
  geo->get_pPointList()->Add(nullptr);
  RawNamedLevel* other = new RawNamedLevel("Base");  // another letter case is not the base
  other->set_Height(2.0);
  other->set_EleHeight(9.0);
  geo->get_pLevelList()->Add(other);
  MessageCapture messages;
  WriteReport report;
  const std::string text = GenerateETABS8Text(module, &report);
  EXPECT_EQ(report.invalidItems, 3);
  EXPECT_EQ(messages.count(), 0u);
  EXPECT_NE(text.find(" UNITS \"kn\" \"\"\n"), std::string::npos);
  const std::string storeys = " STORY \"Base\"  HEIGHT 2.000000 \n STORY \"STORY1\"  HEIGHT 3.500000 \n";
  EXPECT_NE(text.find("TOP\n" + storeys + " STORY \"BASE\"  ELEV 1.250000 \n\n$ DIAPH"), std::string::npos);
}

TEST(WriterFile, SectionlessMembersAreSkippedAndOnlyBeamBraceAndSlabLoadsWritten) {
  std::unique_ptr<CBuildingModule> module = BuildTestBuilding();
  CBMLevel* s1 = static_cast<CBMLevel*>(module->get_pMgrGeometry()->get_pLevelList()->GetItem(2));
  CString name("BX");
  CBMBeam* bare = s1->get_theCBMBeamList()->AddBeam(name);
  bare->set_pLine(static_cast<CBMBeam*>(s1->get_theCBMBeamList()->GetItem(1))->get_pLine());
  static_cast<CBMColumn*>(s1->get_theCBMColumnList()->GetItem(1))->AddLineLoad("D", "UNIFF", "Z", 0, 1, 1, 1);
  static_cast<CBMBrace*>(s1->get_theCBMBraceList()->GetItem(1))->AddLineLoad("L", "UNIFF", "Z", 0, 1, 1, 1);
  static_cast<CBMWall*>(s1->get_theCBMWallList()->GetItem(1))->AddAreaLoad("D", "UNIFF", "GRAV", 1);
  WriteReport report;
  const std::string text = GenerateETABS8Text(*module, &report);
  EXPECT_EQ(text.find(" LINEASSIGN  \"BX\""), std::string::npos);
  EXPECT_EQ(report.lineElementsWithoutSection, 1);
  EXPECT_EQ(report.Total(), 0);
  EXPECT_EQ(text.find(" LINELOAD  \"C1\""), std::string::npos);
  EXPECT_EQ(text.find(" AREALOAD  \"W1\""), std::string::npos);
  EXPECT_NE(text.find(" LINELOAD  \"BR2\"  \"STORY1\"  TYPE \"UNIFF\"  DIR \"Z\""), std::string::npos);
}

TEST(WriterFile, LoadCaseBlockWritesAllCasesBeforeAnyWind) {
  CBuildingModule module;
  CBMMgrLoad* load = module.get_pMgrLoad();
  load->AddLoadCase("W1", "WIND", 0.0)->AddWindItem("STORY1", "D1", 10.0, 0.0, 5.0, 2.0);
  load->AddLoadCase("DEAD", "DEAD", 1.0);
  const std::string lines = R"(LOADCASE "W1" TYPE "WIND" SELFWEIGHT 0.000000
LOADCASE "DEAD" TYPE "DEAD" SELFWEIGHT 1.000000
WIND "W1" "USER"
WIND "W1" USERLOAD "STORY1" "D1" FX 10.000000 FY 0.000000 MZ 0.000000 XLOC 5.000000 YLOC 2.000000
)";
  EXPECT_NE(GenerateETABS8Text(module).find("$ LOAD CASE \n" + lines + "\n$ POINT"), std::string::npos);
  // The list's own export writes the same lines after its heading.
  TempDir dir;
  CStdioFile file;
  ASSERT_TRUE(file.Open(dir.File("c.txt").c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText));
  load->GetLoadCaseList()->ExportEtabs8(file);
  file.Close();
  EXPECT_EQ(ReadWritten(dir.File("c.txt")), "\n $ Static Load case\n" + lines);
}

// Chunks of any size join into the text; a sink error stops the writing and passes on.
TEST(WriterFile, ChunksJoinIntoTheTextAndASinkErrorStopsTheWriting) {
  std::unique_ptr<CBuildingModule> module = BuildTestBuilding();
  const std::string golden = Golden("test_building.e2k");
  std::string received;
  int calls = 0, failAt = 0;
  auto sink = [&](const std::string& chunk) {
    if (++calls == failAt) throw CFileException(CFileException::diskFull);
    received += chunk;
  };
  E2kWriter(*module, sink, 64).Write();
  EXPECT_EQ(received, golden);
  received.clear();
  calls = 0;
  failAt = 20;
  EXPECT_THROW(E2kWriter(*module, sink, 64).Write(), CFileException);
  EXPECT_EQ(calls, 20);
  EXPECT_GE(received.size(), 64u * 19);
  EXPECT_EQ(received, golden.substr(0, received.size()));
}

std::string S(const CString& text) { return text.str(); }

// Points P1 to P3 and beam B1 (section B300X600) on a BEAM line P1-P2.
struct Parts {
  Parts() {
    for (int i = 0; i < 3; ++i) p[i].set_Name(("P" + std::to_string(i + 1)).c_str());
    d1.set_Name("D1");
    disconnected.set_Name("disconnected");  // set_Name upper-cases it into the word
    line.SetType("BEAM");
    line.set_pPoint(&p[0], &p[1]);
    section.set_Name("B300X600");
    beam.set_Name("B1");
    beam.set_pLine(&line);
    beam.set_pFrameSection(&section);
  }
  // Point assignment of joint J with restraint words 1 to `dofs` and
  // diaphragm `d`, reloaded first (names back, pointers not) when `loaded`.
  std::string Assign(int dofs, CBMLevelDiaphragm* d, bool loaded) {
    CBMJoint j, back;
    j.set_Name("J");
    for (int i = 1; i <= dofs; ++i) (i == 1 ? j.CreateJointRestraint() : j.get_pRestraint())->set_bU(i, 1);
    if (d) j.set_pDiaphragm(d);
    if (loaded) Reload(j, back);
    e2k::AppendPointAssign(out, loaded ? back : j, "S1", &report);
    return out;
  }
  CBMPoint p[3] = {{0, 0, 0, false}, {6, 0, 0, false}, {6, 5, 0, false}};
  CBMLevelDiaphragm d1, disconnected;
  CBMLine line;
  CBMFrameSection section;
  CBMBeam beam;
  WriteReport report;
  std::string out;
};

// Items whose objects are missing are left out or cut short, and counted by kind.
TEST(RecordText, MissingObjectsAreLeftOutAndCounted) {
  Parts p;
  CBMLine open;
  open.set_pPoint(&p.p[0], nullptr);
  e2k::AppendLine(p.out, open, &p.report);
  open.set_pPoint(nullptr, &p.p[1]);
  e2k::AppendLine(p.out, open, &p.report);
  CBMArea area, loaded;  // corners not attached
  for (CBMPoint& corner : p.p) area.AddPoint(&corner);
  Reload(area, loaded);
  e2k::AppendArea(p.out, loaded, &p.report);
  CBMSlab slab;
  CBMWall wall;
  e2k::AppendSlabAssign(p.out, slab, "S1", &p.report);
  e2k::AppendWallAssign(p.out, wall, "S1", &p.report);
  EXPECT_EQ(p.out + S(open.GetETABSString()) + S(loaded.GetETABSString()) + S(slab.GetETABSString()) +
                S(wall.GetETABSString()),
            "");
  p.Assign(0, nullptr, false);
  p.Assign(2, &p.disconnected, false);
  p.Assign(0, &p.d1, true);  // diaphragm names without their object
  p.Assign(3, &p.d1, true);
  CBMMaterial steel("STEEL", 0, 0, "", 0, 0, 0);
  CBMFrameSection pipe, autoSelect;
  pipe.set_Name("FS1");
  pipe.set_Shape("PIPE");
  pipe.set_pMaterial(&steel);
  pipe.set_pMaterial(nullptr);             // named by the stored name
  autoSelect.set_Shape("AutoSelectList");  // names no material: not counted
  e2k::AppendFrameSection(p.out, pipe, &p.report);
  e2k::AppendFrameSection(p.out, autoSelect, &p.report);
  EXPECT_EQ(p.out,
            " POINTASSIGN  \"J\"  \"S1\" RESTRAINT \"UX UY \"  DIAPH DISCONNECTED \n"
            " POINTASSIGN  \"J\"  \"S1\" RESTRAINT \"UX UY UZ \" \n"
            "FRAMESECTION  \"FS1\"  MATERIAL \"STEEL\"  SHAPE \"Pipe\" D   0.000000  T   0.000000\n"
            "FRAMESECTION  \"\"   SHAPE \"Auto Select List\"\n");
  EXPECT_EQ(p.report.linesWithoutPoint, 2);
  EXPECT_EQ(p.report.areasWithoutPoint, 1);
  EXPECT_EQ(p.report.shellElementsWithoutSection, 2);
  EXPECT_EQ(p.report.diaphragmsMissing, 2);
  EXPECT_EQ(p.report.sectionsWithoutMaterial, 1);
  EXPECT_EQ(p.report.Total(), 8);
}

TEST(RecordText, GeometryAndAssignments) {
  CBMPoint between(1.5, -2.25, 12.5, true);
  between.set_Name("Q");
  EXPECT_EQ(S(between.GetETABSString()), "POINT \"Q\"  1.500000 -2.250000 12.500000 \n");
  Parts p;
  CBMArea area, empty;
  area.set_Name("W1");
  area.SetAreaType("PANEL");
  for (CBMPoint& corner : p.p) area.AddPoint(&corner);
  area.AddPointType(1);
  area.AddPointType(1);  // the third corner has no status
  EXPECT_EQ(S(area.GetETABSString()) + S(empty.GetETABSString()),
            "AREA \"W1\"  PANEL  3 \"P1\" \"P2\" \"P3\" 1 1 0 \nAREA \"\"    0 \n");
  // An empty release; a reduction factor is written once set, even when 0.
  p.beam.set_MaxSpc(1.2);
  CBMLineRelease* release = p.beam.CreateRelease();
  p.beam.set_dZoneReductionFactor(0.0);
  e2k::AppendLineAssign(p.out, p.beam, "S2", &p.report);
  EXPECT_EQ(p.out,
            " LINEASSIGN  \"B1\"  \"S2\" SECTION \"B300X600\"  ANG  0.000000  MAXSTASPC  1.200  "
            "RELEASE \" \"  0.000\n");
  for (int i : {5, 6, 11, 12}) release->set_bRelease(i, true);
  EXPECT_EQ(S(release->GetRleaseString()), "RELEASE \"  M2I M3I M2J M3J\"");
  for (int i = 1; i <= 12; ++i) release->set_bRelease(i, true);
  EXPECT_EQ(S(release->GetRleaseString()), "RELEASE \"  PI V2I V3I TI M2I M3I PJ V2J V3J TJ M2J M3J\"");
  CBMWallSlabDeckSection section;
  section.set_Name("W250");
  CBMWall wall;
  wall.set_pShellSection(&section);
  EXPECT_EQ(S(wall.GetETABSString()), " SECTION \"W250\"  OBJMESHTYPE \"PROGDET\"");
}

TEST(RecordText, LineElementOfUnknownKindShowsMessageAndOneWithoutSectionIsSkipped) {
  MessageCapture messages;
  Parts p;
  p.line.SetType("beam");
  p.beam.set_dZoneReductionFactor(0.5);
  e2k::AppendLineAssign(p.out, p.beam, "S1", &p.report);
  CBMColumn column;  // no line: reported the same way
  column.set_Name("C1");
  column.set_pFrameSection(&p.section);
  e2k::AppendLineAssign(p.out, column, "S1", &p.report);
  EXPECT_EQ(p.out, " LINEASSIGN  \"B1\"  \"S1\"   0.500\n LINEASSIGN  \"C1\"  \"S1\" \n");
  ASSERT_EQ(messages.count(), 2u);
  EXPECT_EQ(messages.messages()[0], "Wrong in gereting ETABS8 in line elements");
  CBMBrace brace;  // no section: no line and no message
  e2k::AppendLineAssign(p.out, brace, "S1", &p.report);
  EXPECT_EQ(messages.count(), 2u);
  EXPECT_EQ(p.report.lineElementsWithoutSection, 1);
  EXPECT_EQ(p.report.Total(), p.report.lineElementsWithBadType);
  EXPECT_EQ(p.report.Total(), 2);
}

TEST(RecordText, Properties) {
  // Design types are compared exactly; numbers at their edges.
  CBMMaterial m("M2", -0.5, 0.0, "", 0.0, 0.0, 1e100);
  m.set_DesignType("steel");
  const std::string head =
      " MATERIAL \"M2\" M -0.500000  W 0.000000  TYPE \"\" E 0.000000e+000  U 0.000000  A 1.000000e+100\n";
  EXPECT_EQ(S(m.GetETABSString()), head);
  m.set_DesignType("OTHER");
  EXPECT_EQ(S(m.GetETABSString()), head + " MATERIAL  \"M2\" DESIGNTYPE \"OTHER\"\n");
  // A loaded deck names its material by the stored name; other property
  // types, and other letter cases, write nothing.
  ByteBuilder b;
  b.I32(1).Str("P1").Str("FILLED").Str("").Str("CONC").Str("").F64(1).F64(2).F64(3).Str("SHELL");
  CBMWallSlabDeckSection deck;
  ASSERT_TRUE(LoadObject(deck, b.F64(4).F64(5).F64(6).F64(7).F64(8).F64(9).F64(10).bytes()));
  std::string text;
  for (const char* type : {"DECK", "", "wall", "Deck", "PLANK"}) {
    deck.set_PropType(type);
    text += S(deck.GetETABSString());
  }
  EXPECT_EQ(text,
            " SHELLPROP  \"P1\"  PROPTYPE \"DECK\"  TYPE \"SHELL\"\n"
            " SHELLPROP  \"P1\"  DECKTYPE \"FILLED\"  CONCMATERIAL \"CONC\"  SLABDEPTH 4.000000\n"
            " SHELLPROP  \"P1\"  RIBDEPTH 1.000000  RIBWIDTH 3.000000  RIBSPACING 2.000000  "
            "WEIGHT 10.000000 \n"
            " SHELLPROP  \"P1\"  STUDDIA 6.000000 STUDHEIGHT 5.000000  STUDSTRENGTH 7.000000\n");
  CBMLink link;
  link.set_Name("L1");
  link.LinkType = "LINEAR";
  link.DofU1 = link.DofU3 = link.DofR2 = 1;
  CBMPierSpandrel label;
  label.set_Name("P1");
  label.set_IsSpan(true);
  EXPECT_EQ(S(link.GetETABSString()), R"( LINKPROP  "L1"  TYPE "LINEAR"
 LINKPROP  "L1"  DOF "U1"
 LINKPROP  "L1"  DOF "U3"
 LINKPROP  "L1"  DOF "R2"
)");
  EXPECT_EQ(S(label.GetETABSString()), "  SPANDRELNAME   \"P1\" \n");
}

TEST(RecordText, FrameSectionShapes) {
  const std::string tee = "D   0.500000  B   1.500000  TF   2.500000  TW   3.500000\n";
  const std::pair<const char*, std::string> shapes[] = {
      {"CIRCLE", "\"Circle\" D   0.500000\n"},
      {"GENERAL",
       "\"General\" D   0.500000  B   1.500000  AREA   2.500000  TORSION   3.500000  I33   4.500000  I22   "
       "5.500000  AS2   6.500000  AS3   7.500000  S33   8.500000  S22   9.500000  Z33  10.500000  Z22  "
       "11.500000  R33  12.500000  R22  13.500000\n"},
      {"TEE", "\"Tee\" " + tee},
      {"ANGLE", "\"Angle\" " + tee},
      {"CHANNEL", "\"Channel\" " + tee},
      {"PIPE", "\"Pipe\" D   0.500000  T   1.500000\n"},  // slot 1 goes after T
      {"BOX/TUBE", "\"Box/Tube\" " + tee},
      {"Rectangular", "\"Rectangular\" \n"},  // other words are written as stored
      {"DOUBLE ANGLE", "\"DOUBLE ANGLE\" \n"},
  };
  for (const auto& [shape, tail] : shapes) {
    CBMFrameSection s;
    s.set_Name("FS1");
    s.set_Shape(shape);
    for (int i = 0; i < CBMFrameSection::kParamCount; ++i) s.set_ParamItems(i, 0.5 + i);
    EXPECT_EQ(S(s.GetETABSString()), "FRAMESECTION  \"FS1\"  MATERIAL \"\"  SHAPE " + tail) << shape;
  }
}

TEST(RecordText, Loads) {
  Parts p;
  auto* pointLoad = new CBMPointLoad;  // a point load in a joint's list
  pointLoad->set_Lc("WL");
  pointLoad->set_MZ(-1);
  CBMJoint joint;
  joint.set_Name("J1");
  joint.get_JointLoadList()->Add(pointLoad);
  EXPECT_EQ(S(joint.GetLoadEtabsString("S")),
            "  POINTLOAD   \"J1\"  \"S\"  TYPE \"\" LC \"WL\"  FX 0.000000 FY 0.000000  FZ 0.000000 "
            "RX 0.000000 RY 0.000000 RZ -1.000000\n");
  // Other type words: the line ends after the level name.
  p.beam.AddLineLoad("LL", "uniff", "GRAV", 0.0, 2.5, 1.0, 2.5);
  CBMSlab slab;
  slab.set_Name("S1");
  slab.AddAreaLoad("LL", "TRAPF", "GRAV", 2.0);
  EXPECT_EQ(S(p.beam.GetLoadEtabsString("L1")) + S(slab.GetLoadETABSString("L1")),
            " LINELOAD  \"B1\"  \"L1\" \n AREALOAD  \"S1\"  \"L1\" \n");
  CBMLoadCom combo;
  combo.set_Name("C1");
  combo.set_sType("ADD");
  combo.AddLoadCaseItem("DEAD", 1.2);
  combo.AddLoadCaseItem("LIVE", 1.6);
  EXPECT_EQ(S(combo.GetETABSString()), R"(COMBO "C1"  TYPE "ADD"
COMBO "C1"  LOAD "DEAD"  SF 1.200000
COMBO "C1"  LOAD "LIVE"  SF 1.600000
)");

  CBMAnalysisOption option;
  option.set_bUz(false);
  option.set_bRx(false);
  option.set_iDMode(3);
  EXPECT_EQ(S(option.GetETABSString()),
            "ACTIVEDOF \"UX UY RY RZ \"\n"
            "DYNAMICS MODES 3 MODETYPE \"RITZ\" INCLUDEVECTORS \"YES\" "
            "ACCELX \"YES\" ACCELY \"YES\" ACCELZ \"YES\" \n"
            " MASSOPTIONS  GRAVITY 9.81  SOURCE \"MASS\"  LATERALONLY \"YES\"    STORYLEVELONLY \"YES\" \n");
}

}  // namespace
}  // namespace bm::test
