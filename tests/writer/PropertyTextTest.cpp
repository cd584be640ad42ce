// Text of materials, frame sections, wall/slab/deck properties, links and
// pier/spandrel names.
#include <gtest/gtest.h>

#include <string>

#include "etabs_writer/E2kText.h"
#include "etabs_writer/WriteReport.h"
#include "properties/BMFrameSection.h"
#include "properties/BMLink.h"
#include "properties/BMMaterial.h"
#include "properties/BMPierSpandrel.h"
#include "properties/BMWallSlabDeckSection.h"

namespace {

CBMMaterial* MakeMaterial(const char* designType) {
  auto* m = new CBMMaterial("MAT1", 7.85, 76.9, "ISOTROPIC", 200000.0, 0.3, 1.17e-5);
  m->set_DesignType(designType);
  m->set_FY(345.5);
  m->set_FU(450.0);
  m->set_Price(2.5);
  m->set_FC(30.0);
  m->set_FYS(400.0);
  return m;
}

const char kMaterialHead[] =
    " MATERIAL \"MAT1\" M 7.850000  W 76.900000  TYPE \"ISOTROPIC\" E 2.000000e+005  U 0.300000  A "
    "1.170000e-005\n";

TEST(PropertyText, MaterialDesignTypes) {
  struct Case {
    const char* design;
    std::string second;
  } cases[] = {
      {"STEEL", " MATERIAL \"MAT1\" DESIGNTYPE \"STEEL\"  FY 345.500000  FU 450.000000  PRICE 2.500000\n"},
      {"OTHER", " MATERIAL  \"MAT1\" DESIGNTYPE \"OTHER\"\n"},
      {"CONCRETE",
       " MATERIAL  \"MAT1\"  DESIGNTYPE \"CONCRETE\"  FY 345.500000 FC 30.000000  FYS 400.000000\n"},
      // Words are compared exactly: lower case and unknown words give the
      // first line only.
      {"steel", ""},
      {"Concrete", ""},
      {"ALUMINUM", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    CBMMaterial* m = MakeMaterial(c.design);
    EXPECT_EQ(std::string(m->GetETABSString()), kMaterialHead + c.second) << c.design;
    delete m;
  }
}

TEST(PropertyText, MaterialNumbersKeepTheirFormats) {
  CBMMaterial m("M2", -0.5, 0.0, "", 0.0, 0.0, 1e100);
  EXPECT_EQ(
      std::string(m.GetETABSString()),
      " MATERIAL \"M2\" M -0.500000  W 0.000000  TYPE \"\" E 0.000000e+000  U 0.000000  A 1.000000e+100\n");
}

CBMFrameSection* MakeSection(const char* shape, CBMMaterial* material) {
  auto* s = new CBMFrameSection;
  s->set_Name("FS1");
  s->set_Shape(shape);
  if (material) s->set_pMaterial(material);
  for (int i = 0; i < CBMFrameSection::kParamCount; ++i) s->set_ParamItems(i, 0.5 + i);
  return s;
}

TEST(PropertyText, FrameSectionShapes) {
  CBMMaterial conc("CONC", 2.4, 23.6, "ISOTROPIC", 2.5e7, 0.2, 1e-5);
  const std::string head = "FRAMESECTION  \"FS1\"  MATERIAL \"CONC\"  SHAPE ";
  const std::string tee = "D   0.500000  B   1.500000  TF   2.500000  TW   3.500000\n";
  struct Case {
    const char* shape;
    std::string text;
  } cases[] = {
      {"AutoSelectList", "FRAMESECTION  \"FS1\"   SHAPE \"Auto Select List\"\n"},
      {"RECTANGULAR", head + "\"Rectangular\" D   0.500000  B   1.500000\n"},
      {"CIRCLE", head + "\"Circle\" D   0.500000\n"},
      {"GENERAL", head + "\"General\" D   0.500000  B   1.500000  AREA   2.500000  TORSION   3.500000  I33   "
                         "4.500000  I22   5.500000  AS2   6.500000  AS3   7.500000  S33   8.500000  S22   "
                         "9.500000  Z33  10.500000  Z22  11.500000  R33  12.500000  R22  13.500000\n"},
      {"TEE", head + "\"Tee\" " + tee},
      {"ANGLE", head + "\"Angle\" " + tee},
      {"CHANNEL", head + "\"Channel\" " + tee},
      // Slot 1 goes after T, not after B.
      {"PIPE", head + "\"Pipe\" D   0.500000  T   1.500000\n"},
      {"BOX/TUBE", head + "\"Box/Tube\" " + tee},
      {"I/WIDE FLANGE", head + "\"I/Wide Flange\" " + tee},
      // Unknown words (and other letter cases) are written as stored, with
      // no dimensions.
      {"Rectangular", head + "\"Rectangular\" \n"},
      {"DOUBLE ANGLE", head + "\"DOUBLE ANGLE\" \n"},
      {"", head + "\"\" \n"},
  };
  for (const Case& c : cases) {
    CBMFrameSection* s = MakeSection(c.shape, &conc);
    bm::WriteReport report;
    std::string out;
    bm::e2k::AppendFrameSection(out, *s, &report);
    EXPECT_EQ(out, c.text) << c.shape;
    EXPECT_EQ(std::string(s->GetETABSString()), c.text) << c.shape;
    EXPECT_EQ(report.Total(), 0);
    delete s;
  }
}

TEST(PropertyText, WideValuesAreNotCut) {
  CBMMaterial conc("CONC", 2.4, 23.6, "ISOTROPIC", 2.5e7, 0.2, 1e-5);
  CBMFrameSection* s = MakeSection("CIRCLE", &conc);
  s->set_ParamItems(0, -12345.25);
  EXPECT_EQ(std::string(s->GetETABSString()),
            "FRAMESECTION  \"FS1\"  MATERIAL \"CONC\"  SHAPE \"Circle\" D -12345.250000\n");
  delete s;
}

TEST(PropertyText, SectionsWithoutMaterialObjectNameTheStoredMaterial) {
  // The material is set, then the pointer cleared: the stored name stays.
  CBMMaterial steel("STEEL", 7.85, 76.9, "ISOTROPIC", 2e8, 0.3, 1.2e-5);
  CBMFrameSection* fs = MakeSection("PIPE", &steel);
  fs->set_pMaterial(nullptr);
  bm::WriteReport report;
  std::string out;
  bm::e2k::AppendFrameSection(out, *fs, &report);
  EXPECT_EQ(out, "FRAMESECTION  \"FS1\"  MATERIAL \"STEEL\"  SHAPE \"Pipe\" D   0.500000  T   1.500000\n");
  EXPECT_EQ(report.sectionsWithoutMaterial, 1);
  // A section that never had a material writes an empty name.
  CBMFrameSection* bare = MakeSection("CIRCLE", nullptr);
  EXPECT_EQ(std::string(bare->GetETABSString()),
            "FRAMESECTION  \"FS1\"  MATERIAL \"\"  SHAPE \"Circle\" D   0.500000\n");
  // An auto-select section names no material and is not counted.
  CBMFrameSection* autoSel = MakeSection("AutoSelectList", nullptr);
  out.clear();
  bm::e2k::AppendFrameSection(out, *autoSel, &report);
  EXPECT_EQ(report.sectionsWithoutMaterial, 1);

  CBMWallSlabDeckSection shell;
  shell.set_Name("SL1");
  shell.set_PropType("SLAB");
  shell.set_pMaterial(&steel);
  shell.set_pMaterial(nullptr);
  out.clear();
  bm::e2k::AppendShellSection(out, shell, &report);
  EXPECT_NE(out.find("  MATERIAL \"STEEL\"  PROPTYPE"), std::string::npos) << out;
  EXPECT_EQ(report.sectionsWithoutMaterial, 2);
  delete fs;
  delete bare;
  delete autoSel;
}

TEST(PropertyText, WallSlabDeckAndOtherPropertyTypes) {
  CBMMaterial conc("CONC", 2.4, 23.6, "ISOTROPIC", 2.5e7, 0.2, 1e-5);
  CBMWallSlabDeckSection s;
  s.set_Name("P1");
  s.set_pMaterial(&conc);
  s.set_ShellType("SHELL");
  s.set_PlateType("THIN");
  s.set_TM(0.25);
  s.set_TB(0.2);
  s.set_DeckType("FILLED");
  s.set_SlabDepth(0.1);
  s.set_RibDepth(0.075);
  s.set_RibWidth(0.15);
  s.set_RibSpacing(0.3);
  s.set_Weight(0.12);
  s.set_StuDia(0.019);
  s.set_StudHeight(0.15);
  s.set_StudStrength(400);
  for (const char* type : {"WALL", "SLAB"}) {
    s.set_PropType(type);
    EXPECT_EQ(std::string(s.GetETABSString()),
              std::string("  SHELLPROP  \"P1\"  MATERIAL \"CONC\"  PROPTYPE \"") + type +
                  "\"  TYPE \"SHELL\"  PLATETYPE \"THIN\"  TM 0.250000  TB 0.200000\n");
  }
  s.set_PropType("DECK");
  EXPECT_EQ(
      std::string(s.GetETABSString()),
      " SHELLPROP  \"P1\"  PROPTYPE \"DECK\"  TYPE \"SHELL\"\n"
      " SHELLPROP  \"P1\"  DECKTYPE \"FILLED\"  CONCMATERIAL \"CONC\"  SLABDEPTH 0.100000\n"
      " SHELLPROP  \"P1\"  RIBDEPTH 0.075000  RIBWIDTH 0.150000  RIBSPACING 0.300000  WEIGHT 0.120000 \n"
      " SHELLPROP  \"P1\"  STUDDIA 0.019000 STUDHEIGHT 0.150000  STUDSTRENGTH 400.000000\n");
  for (const char* type : {"", "wall", "Deck", "PLANK"}) {
    s.set_PropType(type);
    EXPECT_EQ(std::string(s.GetETABSString()), "") << type;
  }
}

TEST(PropertyText, LinksWithNoneSomeAndAllFlags) {
  CBMLink link;
  link.set_Name("L1");
  link.LinkType = "LINEAR";
  EXPECT_EQ(std::string(link.GetETABSString()), " LINKPROP  \"L1\"  TYPE \"LINEAR\"\n");
  link.DofU2 = 1;
  link.DofR3 = 1;
  EXPECT_EQ(std::string(link.GetETABSString()),
            " LINKPROP  \"L1\"  TYPE \"LINEAR\"\n"
            " LINKPROP  \"L1\"  DOF \"U2\"\n"
            " LINKPROP  \"L1\"  DOF \"R3\"\n");
  link.DofU1 = link.DofU3 = link.DofR1 = link.DofR2 = 1;
  EXPECT_EQ(std::string(link.GetETABSString()),
            " LINKPROP  \"L1\"  TYPE \"LINEAR\"\n"
            " LINKPROP  \"L1\"  DOF \"U1\"\n"
            " LINKPROP  \"L1\"  DOF \"U2\"\n"
            " LINKPROP  \"L1\"  DOF \"U3\"\n"
            " LINKPROP  \"L1\"  DOF \"R1\"\n"
            " LINKPROP  \"L1\"  DOF \"R2\"\n"
            " LINKPROP  \"L1\"  DOF \"R3\"\n");
}

TEST(PropertyText, PierAndSpandrelNames) {
  CBMPierSpandrel label;
  label.set_Name("P1");
  EXPECT_EQ(std::string(label.GetETABSString()), "  PIERNAME  \"P1\" \n");
  label.set_IsSpan(true);
  EXPECT_EQ(std::string(label.GetETABSString()), "  SPANDRELNAME   \"P1\" \n");
}

}  // namespace
