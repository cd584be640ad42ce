// Text of points, lines, areas and of the point, line and area assignments.
#include <gtest/gtest.h>

#include <string>

#include "etabs_writer/E2kText.h"
#include "etabs_writer/E2kWriter.h"
#include "etabs_writer/WriteReport.h"
#include "model/BuildingModule.h"
#include "model/geometry/BMArea.h"
#include "model/geometry/BMDiaphragm.h"
#include "model/geometry/BMJoint.h"
#include "model/geometry/BMLevel.h"
#include "model/geometry/BMLine.h"
#include "model/geometry/BMLineElement.h"
#include "model/geometry/BMPoint.h"
#include "model/geometry/BMShellElement.h"
#include "properties/BMFrameSection.h"
#include "properties/BMPierSpandrel.h"
#include "properties/BMWallSlabDeckSection.h"
#include "support/ArchiveHelpers.h"
#include "support/MessageCapture.h"

namespace bm::test {
namespace {

TEST(GeometryText, PointsOnAndBetweenLevels) {
  CBMPoint on(1.5, -2.25, 12.5, false);
  on.set_Name("P1");
  EXPECT_EQ(std::string(on.GetETABSString()), "POINT \"P1\"  1.500000 -2.250000 \n");
  CBMPoint mid(1.5, -2.25, 12.5, true);
  mid.set_Name("P2");
  EXPECT_EQ(std::string(mid.GetETABSString()), "POINT \"P2\"  1.500000 -2.250000 12.500000 \n");
}

TEST(GeometryText, LinesAndLinesWithoutEndPoints) {
  CBMPoint p1(0, 0, 0, false), p2(5, 0, 0, false);
  p1.set_Name("P1");
  p2.set_Name("P2");
  CBMLine line(&p1, &p2);
  line.set_Name("L1");
  line.SetType("COLUMN");
  line.SetPassStoryNum(3);
  EXPECT_EQ(std::string(line.GetETABSString()), " LINE  \"L1\"  COLUMN  \"P1\"  \"P2\"  3\n");
  line.SetType("");
  line.SetPassStoryNum(0);
  EXPECT_EQ(std::string(line.GetETABSString()), " LINE  \"L1\"    \"P1\"  \"P2\"  0\n");

  WriteReport report;
  CBMLine open;
  open.set_Name("L2");
  open.SetType("BEAM");
  std::string out;
  e2k::AppendLine(out, open, &report);
  open.set_pPoint(&p1, nullptr);
  e2k::AppendLine(out, open, &report);
  open.set_pPoint(nullptr, &p2);
  e2k::AppendLine(out, open, &report);
  EXPECT_EQ(out, "");
  EXPECT_EQ(report.linesWithoutPoint, 3);
  EXPECT_EQ(std::string(open.GetETABSString()), "");
}

TEST(GeometryText, Areas) {
  CBMPoint p[4] = {{0, 0, 0, false}, {6, 0, 0, false}, {6, 5, 0, false}, {0, 5, 0, false}};
  CBMArea area;
  area.set_Name("F1");
  area.SetAreaType("FLOOR");
  for (int i = 0; i < 4; ++i) {
    p[i].set_Name(("P" + std::to_string(i + 1)).c_str());
    area.AddPoint(&p[i]);
    area.AddPointType(0);
  }
  EXPECT_EQ(std::string(area.GetETABSString()),
            "AREA \"F1\"  FLOOR  4 \"P1\" \"P2\" \"P3\" \"P4\" 0 0 0 0 \n");

  CBMArea panel;
  panel.set_Name("W1");
  panel.SetAreaType("PANEL");
  const int status[3] = {1, 1, 0};
  for (int i = 0; i < 3; ++i) {
    panel.AddPoint(&p[i]);
    if (i < 2) panel.AddPointType(status[i]);  // the third corner has no status
  }
  EXPECT_EQ(std::string(panel.GetETABSString()), "AREA \"W1\"  PANEL  3 \"P1\" \"P2\" \"P3\" 1 1 0 \n");

  CBMArea empty;
  empty.set_Name("E");
  EXPECT_EQ(std::string(empty.GetETABSString()), "AREA \"E\"    0 \n");

  // Corner points not attached (a loaded area before the rebuild): no AREA
  // line.
  CBMArea loaded;
  Reload(area, loaded);
  ASSERT_EQ(loaded.GetCount(), 4);
  WriteReport report;
  std::string out;
  e2k::AppendArea(out, loaded, &report);
  EXPECT_EQ(out, "");
  EXPECT_EQ(report.areasWithoutPoint, 1);
  EXPECT_EQ(std::string(loaded.GetETABSString()), "");
}

TEST(GeometryText, RestraintsAndJointTexts) {
  CBMJointRestraint r;
  EXPECT_EQ(std::string(r.GetETABSString()), "");
  r.set_bU(1, 1);
  r.set_bU(2, 1);
  r.set_bU(6, 1);
  EXPECT_EQ(std::string(r.GetETABSString()), "UX UY RZ ");
  for (int i = 1; i <= 6; ++i) r.set_bU(i, 1);
  EXPECT_EQ(std::string(r.GetETABSString()), "UX UY UZ RX RY RZ ");

  CBMLevelDiaphragm d1, disconnected, lower;
  d1.set_Name("D1");
  disconnected.set_Name("DISCONNECTED");
  lower.set_Name("disconnected");  // upper-cased by set_Name: same word
  CBMJoint j;
  j.set_Name("J1");
  EXPECT_EQ(std::string(j.GetETABSString()), "");
  j.set_pDiaphragm(&d1);
  EXPECT_EQ(std::string(j.GetETABSString()), " DIAPH \"D1\" ");
  j.set_pDiaphragm(&disconnected);
  EXPECT_EQ(std::string(j.GetETABSString()), " DIAPH DISCONNECTED ");
  CBMJointRestraint* fixed = j.CreateJointRestraint();
  for (int i = 1; i <= 6; ++i) fixed->set_bU(i, 1);
  j.set_pDiaphragm(&d1);
  EXPECT_EQ(std::string(j.GetETABSString()), "RESTRAINT \"UX UY UZ RX RY RZ \"  DIAPH \"D1\" ");

  std::string out;
  e2k::AppendPointAssign(out, j, "STORY1", nullptr);
  EXPECT_EQ(out, " POINTASSIGN  \"J1\"  \"STORY1\" RESTRAINT \"UX UY UZ RX RY RZ \"  DIAPH \"D1\" \n");
}

TEST(GeometryText, PointAssignLines) {
  CBMLevelDiaphragm disconnected;
  disconnected.set_Name("DISCONNECTED");
  struct Case {
    bool restraint;
    bool diaphragm;
    std::string line;
  } cases[] = {
      {false, false, ""},
      {true, false, " POINTASSIGN  \"J1\"  \"STORY1\" RESTRAINT \"UX UY UZ \" \n"},
      {false, true, " POINTASSIGN  \"J1\"  \"STORY1\"  DIAPH DISCONNECTED \n"},
      {true, true, " POINTASSIGN  \"J1\"  \"STORY1\" RESTRAINT \"UX UY UZ \"  DIAPH DISCONNECTED \n"},
  };
  for (const Case& c : cases) {
    CBMJoint j;
    j.set_Name("J1");
    if (c.restraint) {
      CBMJointRestraint* r = j.CreateJointRestraint();
      for (int i = 1; i <= 3; ++i) r->set_bU(i, 1);
    }
    if (c.diaphragm) j.set_pDiaphragm(&disconnected);
    WriteReport report;
    std::string out;
    e2k::AppendPointAssign(out, j, "STORY1", &report);
    EXPECT_EQ(out, c.line);
    EXPECT_EQ(report.Total(), 0);
  }
  // A diaphragm name without a diaphragm object (a loaded joint before the
  // rebuild): no diaphragm text; the restraint is still written.
  CBMLevelDiaphragm d1;
  d1.set_Name("D1");
  CBMJoint j;
  j.set_Name("J2");
  j.set_pDiaphragm(&d1);
  j.CreateJointRestraint()->set_bU(3, 1);
  CBMJoint loaded;
  Reload(j, loaded);
  ASSERT_EQ(loaded.get_pDiaphragm(), nullptr);
  WriteReport report;
  std::string out;
  e2k::AppendPointAssign(out, loaded, "STORY1", &report);
  EXPECT_EQ(out, " POINTASSIGN  \"J2\"  \"STORY1\" RESTRAINT \"UZ \" \n");
  EXPECT_EQ(report.diaphragmsMissing, 1);
  // With neither object there is no line, and the name is still counted.
  CBMJoint onlyName;
  CBMJoint bare;
  bare.set_Name("J3");
  bare.set_pDiaphragm(&d1);
  Reload(bare, onlyName);
  out.clear();
  e2k::AppendPointAssign(out, onlyName, "STORY1", &report);
  EXPECT_EQ(out, "");
  EXPECT_EQ(report.diaphragmsMissing, 2);
}

// A beam on a BEAM line with section B300X600.
struct BeamFixture {
  BeamFixture() {
    p1.set_Name("P1");
    p2.set_Name("P2");
    line.set_Name("B1");
    line.SetType("BEAM");
    line.set_pPoint(&p1, &p2);
    section.set_Name("B300X600");
    beam.set_Name("B1");
    beam.set_pLine(&line);
    beam.set_pFrameSection(&section);
  }
  CBMPoint p1{0, 0, 0, false};
  CBMPoint p2{6, 0, 0, false};
  CBMLine line;
  CBMFrameSection section;
  CBMBeam beam;
};

TEST(GeometryText, LineAssignments) {
  BeamFixture f;
  std::string out;
  e2k::AppendLineAssign(out, f.beam, "STORY2", nullptr);
  EXPECT_EQ(out, " LINEASSIGN  \"B1\"  \"STORY2\" SECTION \"B300X600\"  ANG  0.000000  MAXSTASPC 24.000\n");

  f.beam.set_Angle(90);
  f.beam.set_MaxSpc(1.2);
  EXPECT_EQ(std::string(f.beam.GetETABSString()), "SECTION \"B300X600\"  ANG  90.000000  MAXSTASPC  1.200");
  f.beam.set_MaxSpc(1234.5678);
  EXPECT_EQ(std::string(f.beam.GetETABSString()), "SECTION \"B300X600\"  ANG  90.000000  MAXSTASPC 1234.568");

  // Releases, in flag order, after two spaces.
  f.beam.set_MaxSpc(1.2);
  CBMLineRelease* release = f.beam.CreateRelease();
  EXPECT_EQ(std::string(f.beam.GetETABSString()),
            "SECTION \"B300X600\"  ANG  90.000000  MAXSTASPC  1.200  RELEASE \" \"");
  release->set_bRelease(5, true);
  release->set_bRelease(6, true);
  release->set_bRelease(11, true);
  release->set_bRelease(12, true);
  EXPECT_EQ(std::string(release->GetRleaseString()), "RELEASE \"  M2I M3I M2J M3J\"");
  for (int i = 1; i <= 12; ++i) release->set_bRelease(i, i == 7);
  EXPECT_EQ(std::string(release->GetRleaseString()), "RELEASE \"  PJ\"");
  for (int i = 1; i <= 12; ++i) release->set_bRelease(i, true);
  EXPECT_EQ(std::string(release->GetRleaseString()),
            "RELEASE \"  PI V2I V3I TI M2I M3I PJ V2J V3J TJ M2J M3J\"");
  for (int i = 1; i <= 12; ++i) release->set_bRelease(i, i == 12);

  // The reduction factor follows, with no keyword.
  f.beam.set_dZoneReductionFactor(0.75);
  EXPECT_EQ(std::string(f.beam.GetETABSString()),
            "SECTION \"B300X600\"  ANG  90.000000  MAXSTASPC  1.200  RELEASE \"  M3J\"  0.750");
  f.beam.set_dZoneReductionFactor(0.0);  // set, so written even when 0
  out.clear();
  e2k::AppendLineAssign(out, f.beam, "STORY2", nullptr);
  EXPECT_EQ(out,
            " LINEASSIGN  \"B1\"  \"STORY2\" SECTION \"B300X600\"  ANG  90.000000  MAXSTASPC  1.200  RELEASE "
            "\"  M3J\"  0.000\n");
}

TEST(GeometryText, LineElementOfUnknownKindShowsMessageAndKeepsItsLine) {
  MessageCapture messages;
  BeamFixture f;
  f.line.SetType("beam");
  f.beam.set_dZoneReductionFactor(0.5);
  WriteReport report;
  std::string out;
  e2k::AppendLineAssign(out, f.beam, "S1", &report);
  EXPECT_EQ(out, " LINEASSIGN  \"B1\"  \"S1\"   0.500\n");
  ASSERT_EQ(messages.count(), 1u);
  EXPECT_EQ(messages.messages()[0], "Wrong in gereting ETABS8 in line elements");
  EXPECT_EQ(report.lineElementsWithBadType, 1);

  // An element without a line is reported the same way.
  CBMFrameSection section;
  section.set_Name("S");
  CBMColumn column;
  column.set_Name("C1");
  column.set_pFrameSection(&section);
  out.clear();
  e2k::AppendLineAssign(out, column, "S1", &report);
  EXPECT_EQ(out, " LINEASSIGN  \"C1\"  \"S1\" \n");
  EXPECT_EQ(messages.count(), 2u);
  EXPECT_EQ(report.lineElementsWithBadType, 2);

  // Without a section there is no line and no message.
  CBMBrace brace;
  brace.set_Name("BR");
  out.clear();
  e2k::AppendLineAssign(out, brace, "S1", &report);
  EXPECT_EQ(out, "");
  EXPECT_EQ(messages.count(), 2u);
  EXPECT_EQ(report.lineElementsWithoutSection, 1);
}

TEST(GeometryText, SlabAndWallAssignments) {
  CBMWallSlabDeckSection slab150, wall250;
  slab150.set_Name("SLAB150");
  wall250.set_Name("WALL250");
  CBMDiaphragm d1;
  d1.set_Name("D1");
  CBMPierSpandrel p1;
  p1.set_Name("P1");
  CString meshDefault("DEFAULT");

  CBMSlab slab;
  slab.set_Name("S1");
  slab.set_pShellSection(&slab150);
  slab.set_MeshOption(meshDefault);
  std::string out;
  e2k::AppendSlabAssign(out, slab, "STORY1", nullptr);
  EXPECT_EQ(out, " AREAASSIGN    \"S1\"  \"STORY1\"  SECTION \"SLAB150\"  OBJMESHTYPE \"DEFAULT\"\n");
  slab.SetDiaphragm(&d1);
  EXPECT_EQ(std::string(slab.GetETABSString()),
            " SECTION \"SLAB150\"  OBJMESHTYPE \"DEFAULT\" DIAPH  \"D1\"");

  CBMWall wall;
  wall.set_Name("W1");
  wall.set_pShellSection(&wall250);
  EXPECT_EQ(std::string(wall.GetETABSString()), " SECTION \"WALL250\"  OBJMESHTYPE \"PROGDET\"");
  wall.set_pPierSpandrel(&p1);
  out.clear();
  e2k::AppendWallAssign(out, wall, "STORY1", nullptr);
  EXPECT_EQ(out,
            " AREAASSIGN    \"W1\"  \"STORY1\"  SECTION \"WALL250\"  OBJMESHTYPE \"PROGDET\" PIER  \"P1\"\n");

  // Through the base class the overrides answer; the base itself has none.
  CBMShellElement& asShell = wall;
  EXPECT_EQ(std::string(asShell.GetETABSString()), std::string(wall.GetETABSString()));
  CBMShellElement plain;
  EXPECT_EQ(std::string(plain.GetETABSString()), "");

  // No shell section: no text and no AREAASSIGN line.
  CBMSlab bare;
  bare.set_Name("S2");
  bare.SetDiaphragm(&d1);
  CBMWall bareWall;
  bareWall.set_Name("W2");
  WriteReport report;
  out.clear();
  e2k::AppendSlabAssign(out, bare, "STORY1", &report);
  e2k::AppendWallAssign(out, bareWall, "STORY1", &report);
  EXPECT_EQ(out, "");
  EXPECT_EQ(std::string(bare.GetETABSString()), "");
  EXPECT_EQ(report.shellElementsWithoutSection, 2);
}

TEST(GeometryText, DiaphragmNames) {
  CBMDiaphragm d;
  d.set_Name("D1");
  EXPECT_EQ(std::string(d.GetETABSString()), "DIAPHRAGM \"D1\"\n");
}

TEST(GeometryText, ListsWithNullsAndForeignMembersAreWrittenAroundThem) {
  CBuildingModule module;
  CBMMgrGeometry* geo = module.get_pMgrGeometry();
  geo->AddLevel("BASE", 0.0, 0.0);
  CBMLevel* level = geo->AddLevel("STORY1", 3.0, 0.0);
  geo->get_pLevelList()->Add(nullptr);
  geo->get_pPointList()->Add(nullptr);
  // A point in a beam list: not a line element.
  CBMPoint* stray = new CBMPoint(1, 2, 0, false);
  level->get_theCBMBeamList()->Add(stray);
  MessageCapture messages;
  WriteReport report;
  const std::string text = GenerateETABS8Text(module, &report);
  // Each entry is counted once, however many blocks walk its list.
  EXPECT_EQ(report.invalidItems, 3);
  EXPECT_NE(text.find(" STORY \"STORY1\"  HEIGHT 3.000000 \n STORY \"BASE\""), std::string::npos);
  EXPECT_EQ(messages.count(), 0u);
}

}  // namespace
}  // namespace bm::test
