// Text of load cases and wind, point, line and area loads, combinations and
// analysis options.
#include <gtest/gtest.h>

#include <string>

#include "etabs_writer/E2kText.h"
#include "etabs_writer/E2kWriter.h"
#include "etabs_writer/WriteReport.h"
#include "loads/BMAnalysisOption.h"
#include "loads/BMLoadCase.h"
#include "loads/BMLoadCom.h"
#include "loads/BMMemberLoad.h"
#include "model/BuildingModule.h"
#include "model/geometry/BMJoint.h"
#include "model/geometry/BMLineElement.h"
#include "model/geometry/BMShellElement.h"
#include "platform/File.h"
#include "writer/WriterTestUtil.h"

namespace bm::test {
namespace {

TEST(LoadText, LoadCasesAndWind) {
  CBMLoadCase dead("dead", "DEAD", 1.0);
  std::string out;
  e2k::AppendLoadCase(out, dead);
  EXPECT_EQ(out, "LOADCASE \"DEAD\" TYPE \"DEAD\" SELFWEIGHT 1.000000\n");
  out.clear();
  e2k::AppendLoadCaseWinds(out, dead, nullptr);
  EXPECT_EQ(out, "");
  EXPECT_EQ(std::string(dead.GetETABSString()), "");

  CBMLoadCase w1("W1", "WIND", 0.0);
  w1.AddWindItem("STORY1", "D1", 10.0, 0.0, 5.0, 2.0);
  w1.AddWindItem("STORY2", "D2", -1.5, 2.25, 3.0, 4.0, 5.0);
  out.clear();
  e2k::AppendLoadCaseWinds(out, w1, nullptr);
  EXPECT_EQ(out,
            "WIND \"W1\" \"USER\"\n"
            "WIND \"W1\" USERLOAD \"STORY1\" \"D1\" FX 10.000000 FY 0.000000 MZ 0.000000 XLOC 5.000000 YLOC "
            "2.000000\n"
            "WIND \"W1\" USERLOAD \"STORY2\" \"D2\" FX -1.500000 FY 2.250000 MZ 3.000000 XLOC 4.000000 YLOC "
            "5.000000\n");
  auto* item = static_cast<CBMLoadWind*>(w1.GetWindList()->GetItem(1));
  EXPECT_EQ(std::string(item->GetEtabs8String()),
            "\"STORY1\" \"D1\" FX 10.000000 FY 0.000000 MZ 0.000000 XLOC 5.000000 YLOC 2.000000");
}

TEST(LoadText, LoadCaseBlockWritesAllCasesBeforeAnyWind) {
  CBuildingModule module;
  CBMMgrLoad* load = module.get_pMgrLoad();
  CBMLoadCase* w = load->AddLoadCase("W1", "WIND", 0.0);
  w->AddWindItem("STORY1", "D1", 10.0, 0.0, 5.0, 2.0);
  load->AddLoadCase("DEAD", "DEAD", 1.0);
  const std::string block =
      "$ LOAD CASE \n"
      "LOADCASE \"W1\" TYPE \"WIND\" SELFWEIGHT 0.000000\n"
      "LOADCASE \"DEAD\" TYPE \"DEAD\" SELFWEIGHT 1.000000\n"
      "WIND \"W1\" \"USER\"\n"
      "WIND \"W1\" USERLOAD \"STORY1\" \"D1\" FX 10.000000 FY 0.000000 MZ 0.000000 XLOC 5.000000 YLOC "
      "2.000000\n"
      "\n$ POINT OBJECT LOADS\n";
  EXPECT_NE(GenerateETABS8Text(module).find(block), std::string::npos);

  // The list's own export writes the same lines after its heading.
  TempDir dir;
  const std::string path = dir.File("cases.txt");
  {
    CStdioFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText));
    module.get_pMgrLoad()->GetLoadCaseList()->ExportEtabs8(file);
    file.Close();
  }
  EXPECT_EQ(ReadWrittenText(path),
            "\n $ Static Load case\n"
            "LOADCASE \"W1\" TYPE \"WIND\" SELFWEIGHT 0.000000\n"
            "LOADCASE \"DEAD\" TYPE \"DEAD\" SELFWEIGHT 1.000000\n"
            "WIND \"W1\" \"USER\"\n"
            "WIND \"W1\" USERLOAD \"STORY1\" \"D1\" FX 10.000000 FY 0.000000 MZ 0.000000 XLOC 5.000000 YLOC "
            "2.000000\n");
}

TEST(LoadText, PointLoads) {
  CBMJoint joint;
  joint.set_Name("J1");
  EXPECT_EQ(std::string(joint.GetLoadEtabsString("STORY1")), "");
  joint.AddJointLoad("DL", "FORCE", 1, 2, 3, 4, 5, 6);
  joint.AddJointLoad("LL", "FORCE", 0, 0, -2.5, 0, 0, 0);
  EXPECT_EQ(
      std::string(joint.GetLoadEtabsString("STORY1")),
      "  POINTLOAD   \"J1\"  \"STORY1\"  TYPE \"FORCE\" LC \"DL\"  FX 1.000000 FY 2.000000  FZ 3.000000 RX "
      "4.000000 RY 5.000000 RZ 6.000000\n"
      "  POINTLOAD   \"J1\"  \"STORY1\"  TYPE \"FORCE\" LC \"LL\"  FX 0.000000 FY 0.000000  FZ -2.500000 RX "
      "0.000000 RY 0.000000 RZ 0.000000\n");
  // A point load in a joint's list gives the same text.
  auto* pl = new CBMPointLoad;
  pl->set_Lc("WL");
  pl->set_sType("FORCE");
  pl->set_FX(7);
  pl->set_MZ(-1);
  EXPECT_EQ(
      std::string(pl->GetEtabs8String()),
      " TYPE \"FORCE\" LC \"WL\"  FX 7.000000 FY 0.000000  FZ 0.000000 RX 0.000000 RY 0.000000 RZ -1.000000");
  joint.get_JointLoadList()->Add(pl);
  const std::string text = joint.GetLoadEtabsString("S").str();
  EXPECT_NE(text.find("  POINTLOAD   \"J1\"  \"S\"  TYPE \"FORCE\" LC \"WL\"  FX 7.000000"),
            std::string::npos);
}

TEST(LoadText, LineLoadsOfEveryType) {
  CBMBeam beam;
  beam.set_Name("B1");
  beam.AddLineLoad("DL", "UNIFF", "GRAV", 0.0, 2.5, 1.0, 2.5);
  beam.AddLineLoad("LL", "TRAPF", "GRAV", 0.25, 1.0, 0.75, 8.0);
  beam.AddLineLoad("LL", "POINTF", "Z", 0.5, -12.0, 0.0, 0.0);
  beam.AddLineLoad("LL", "uniff", "GRAV", 0.0, 2.5, 1.0, 2.5);
  EXPECT_EQ(std::string(beam.GetLoadEtabsString("STORY1")),
            " LINELOAD  \"B1\"  \"STORY1\"  TYPE \"UNIFF\"  DIR \"GRAV\" LC \"DL\"  FVAL   2.500000\n"
            " LINELOAD  \"B1\"  \"STORY1\"  TYPE \"TRAPF\" DIR \"GRAV\"  LC \"LL\" FSTART   1.000000 FEND   "
            "8.000000 RDSTART   0.250000  RDEND   0.750000\n"
            " LINELOAD  \"B1\"  \"STORY1\"  TYPE \"POINTF\" DIR \"Z\"  LC \"LL\" FVAL -12.000000 RDIST    "
            "0.500000 \n"
            " LINELOAD  \"B1\"  \"STORY1\" \n");
}

TEST(LoadText, AreaLoads) {
  CBMSlab slab;
  slab.set_Name("S1");
  slab.AddAreaLoad("DL", "UNIFF", "GRAV", 3.5);
  slab.AddAreaLoad("LL", "TRAPF", "GRAV", 2.0);
  EXPECT_EQ(std::string(slab.GetLoadETABSString("STORY1")),
            " AREALOAD  \"S1\"  \"STORY1\"  TYPE \"UNIFF\"  DIR \"GRAV\" LC \"DL\"  FVAL 3.500000\n"
            " AREALOAD  \"S1\"  \"STORY1\" \n");
  // The load keeps its type word.
  auto* trap = static_cast<CBMAreaLoad*>(slab.get_SlabLoadList()->GetItem(2));
  EXPECT_EQ(trap->get_sType(), CString("TRAPF"));
  EXPECT_EQ(std::string(trap->GetEtabs8String()), "");
}

TEST(LoadText, OnlyBeamBraceAndSlabLoadsAreWritten) {
  CBuildingModule module;
  CBMMgrGeometry* geo = module.get_pMgrGeometry();
  geo->AddLevel("BASE", 0, 0);
  geo->AddLevel("STORY1", 3, 0);
  geo->AddMaterial("C", 1, 1, "CONCRETE", 1, 0.2, 0);
  geo->AddFrameSection("F", "RECTANGULAR", "C");
  geo->AddWallSection("W", "C", 0.2);
  CBMColumn* c = geo->AddColumn("C1", 0, 0, "STORY1", "F");
  CBMBrace* br = geo->AddBrace("BR1", 0, 0, 5, 0, "STORY1", "BASE", "F");
  CBMWall* wall = geo->AddWall("W1", 0, 0, 5, 0, "STORY1", "W");
  c->AddLineLoad("DL", "UNIFF", "GRAV", 0, 1, 1, 1);
  br->AddLineLoad("DL", "UNIFF", "GRAV", 0, 1, 1, 1);
  wall->AddAreaLoad("DL", "UNIFF", "GRAV", 1.0);
  const std::string text = GenerateETABS8Text(module);
  EXPECT_EQ(text.find(" LINELOAD  \"C1\""), std::string::npos);
  EXPECT_EQ(text.find(" AREALOAD  \"W1\""), std::string::npos);
  const size_t block = text.find("$ $ LINE OBJECT LOADS\n");
  EXPECT_EQ(text.find(" LINELOAD  \"BR1\"  \"STORY1\"  TYPE \"UNIFF\""), block + 22);
}

TEST(LoadText, Combinations) {
  CBMLoadCom combo;
  combo.set_Name("COMB1");
  combo.set_sType("ADD");
  EXPECT_EQ(std::string(combo.GetETABSString()), "COMBO \"COMB1\"  TYPE \"ADD\"\n");
  combo.AddLoadCaseItem("DEAD", 1.2);
  combo.AddLoadCaseItem("LIVE", 1.6);
  EXPECT_EQ(std::string(combo.GetETABSString()),
            "COMBO \"COMB1\"  TYPE \"ADD\"\n"
            "COMBO \"COMB1\"  LOAD \"DEAD\"  SF 1.200000\n"
            "COMBO \"COMB1\"  LOAD \"LIVE\"  SF 1.600000\n");
}

TEST(LoadText, AnalysisOptions) {
  CBMAnalysisOption option;
  EXPECT_EQ(std::string(option.GetETABSString()),
            "ACTIVEDOF \"UX UY UZ RX RY RZ \"\n"
            "DYNAMICS MODES 10 MODETYPE \"RITZ\" INCLUDEVECTORS \"YES\" ACCELX \"YES\" ACCELY \"YES\" ACCELZ "
            "\"YES\" \n"
            " MASSOPTIONS  GRAVITY 9.81  SOURCE \"MASS\"  LATERALONLY \"YES\"    STORYLEVELONLY \"YES\" \n");
  option.set_bUz(false);
  option.set_bRx(false);
  option.set_bRy(false);
  option.set_iDMode(3);
  const std::string text = option.GetETABSString().str();
  EXPECT_EQ(text.substr(0, text.find('\n') + 1), "ACTIVEDOF \"UX UY RZ \"\n");
  EXPECT_NE(text.find("DYNAMICS MODES 3 MODETYPE"), std::string::npos);
  // The file's analysis options are fixed, whatever the object holds.
  CBuildingModule module;
  module.get_pMgrGeometry()->get_pCBMAnalysisOption()->set_iDMode(7);
  EXPECT_NE(GenerateETABS8Text(module).find("DYNAMICS  MODES 3  MODETYPE \"EIGEN\""), std::string::npos);
}

}  // namespace
}  // namespace bm::test
