// The model archive: layout, links rebuilt by a load, unknown references, fixpoint.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include "support/ArchiveHelpers.h"
#include "support/ByteBuilder.h"
#include "support/Files.h"
#include "support/TestBuilding.h"

namespace bm::test {
namespace {

CBMLevel* LevelAt(CBuildingModule& m, int i) {
  return m.get_pMgrGeometry()->get_pLevelList()->ItemAs<CBMLevel>(i);
}

CBMLevel* AddLevel(CBuildingModule& module, const char* name) {
  auto* level = new CBMLevel;
  level->set_Name(name);
  module.get_pMgrGeometry()->get_pLevelList()->Add(level);
  return level;
}

CBMPoint* AddPoint(CBuildingModule& module, const char* name, double x, double y) {
  CString n(name);
  return module.get_pMgrGeometry()->get_pPointList()->AddPoint(n, x, y);
}

void SaveAndLoad(CBuildingModule& module, const TempDir& dir, const char* name, CBuildingModule& loaded) {
  ASSERT_TRUE(module.ReadSaveFile(CString(dir.File(name)), 0));
  ASSERT_TRUE(loaded.ReadSaveFile(CString(dir.File(name)), 1));
}

TEST(ModelArchive, OneLevelWithOneColumnHasTheNestedLayout) {
  CBuildingModule module;
  module.SetUnits("KN", "M");
  CBMLevel* level = AddLevel(module, "STORY1");
  level->set_Height(3.0);
  level->set_EleHeight(4.0);
  CString columnName("C1");
  CBMColumn* column = level->get_theCBMColumnList()->AddColumn(columnName);
  ByteBuilder expected;
  expected.Str("KN").Str("M");
  for (int list = 1; list <= 9; ++list) expected.I32(0);
  expected.I32(1).Class("CBMLevel").I32(1).Str("STORY1").F64(4.0).F64(3.0);
  expected.I32(0).I32(0);                                        // joints, beams
  expected.I32(1).Class("CBMColumn").Raw(StoreObject(*column));  // columns
  for (int block = 0; block < 5; ++block) expected.I32(0);       // braces, slabs, walls, drifts, shears
  expected.I32(0).I32(0);                                        // load cases, combinations
  EXPECT_EQ(StoreObject(module), expected.bytes());
}

TEST(ModelArchive, LoadingRebuildsJointsDiaphragmsConnectionsAndSlabCorners) {
  TempDir dir;
  CBuildingModule module, loaded;
  CBMLevel* saved = AddLevel(module, "L1");
  CBMPoint* p[4] = {AddPoint(module, "1", 0, 0), AddPoint(module, "2", 4, 0), AddPoint(module, "3", 4, 4),
                    AddPoint(module, "4", 0, 4)};
  CString dname("D1"), beamName("B1"), s1("S1");
  CBMLevelDiaphragm* savedD = saved->get_theCBMLevelDiaphragmList()->AddDiaphragm(dname);
  CBMJoint* ends[2];
  for (int i = 0; i < 2; ++i) {
    CString name = p[i]->get_Name();
    ends[i] = saved->get_theCBMJointList()->AddJoint(name);
    ends[i]->set_pPoint(p[i]);
    savedD->AddJoint(ends[i]);
    ends[i]->set_pDiaphragm(savedD);
  }
  saved->get_theCBMBeamList()->AddBeam(beamName)->Set_pJoint(ends[0], ends[1]);
  CBMArea* area = module.get_pMgrGeometry()->get_pAreaList()->AddArea(s1);
  for (CBMPoint* point : p) area->AddPoint(point);
  saved->get_theCBMSlabList()->AddSlab(s1);
  SaveAndLoad(module, dir, "rebuild.bma", loaded);

  CBMLevel* level = LevelAt(loaded, 1);
  ASSERT_EQ(level->get_theCBMLevelDiaphragmList()->GetCount(), 1);
  auto* d = level->get_theCBMLevelDiaphragmList()->ItemAs<CBMLevelDiaphragm>(1);
  CBMJointList* joints = level->get_theCBMJointList();
  auto* beam = level->get_theCBMBeamList()->ItemAs<CBMBeam>(1);
  auto* slab = level->get_theCBMSlabList()->ItemAs<CBMSlab>(1);
  ASSERT_EQ(joints->GetCount(), 4);  // the slab's corners without a joint get one
  ASSERT_TRUE(beam && slab && slab->get_pArea());
  EXPECT_EQ(slab->get_VertexCount(), 4);
  EXPECT_TRUE(beam->get_pJointI() == joints->GetItem(1) && beam->get_pJointJ() == joints->GetItem(2));
  for (int i = 1; i <= 4; ++i) {
    CBMJoint* joint = joints->ItemAs<CBMJoint>(i);
    EXPECT_EQ(joint->get_pPoint(), loaded.get_pMgrGeometry()->get_pPointList()->GetItem(i));
    EXPECT_EQ(joint->get_pDiaphragm(), i <= 2 ? d : nullptr);
    const int members = joint->get_theConnectList().GetCount();
    ASSERT_EQ(members, i <= 2 ? 2 : 1) << i;
    EXPECT_EQ(joint->get_theConnectList().GetItem(1), i <= 2 ? static_cast<CBMComponent*>(beam) : slab);
    EXPECT_EQ(joint->get_theConnectList().GetItem(members), slab);
  }
  EXPECT_EQ(loaded.get_pMgrGeometry()->GetNearLevelDiaphragm(CString("L1"), 1, 1), d);
  EXPECT_DOUBLE_EQ(d->Get_CX(), 2.0);
}

TEST(ModelArchive, UnknownIdsAndNamesLeaveNullAndSurviveALoadAndSave) {
  TempDir dir;
  // Objects outside the model's lists: ids past the lists, names of nothing.
  CBMLine strayLine;
  strayLine.set_Id(99);
  CBMFrameSection straySection;
  straySection.set_Id(77);
  CBMWallSlabDeckSection strayShell;
  strayShell.set_Id(55);
  CBMMaterial strayMaterial;
  strayMaterial.set_Name("NO_M");
  CBMDiaphragm strayDiaphragm;
  strayDiaphragm.set_Name("NO_D");
  CBMPierSpandrel strayPier;
  strayPier.set_Name("NO_P");
  CBMPoint strayPoint(9, 9, 0, false);
  strayPoint.set_Name("GHOST");
  CBuildingModule module, loaded;
  CBMMgrGeometry* g = module.get_pMgrGeometry();
  CBMLevel* saved = AddLevel(module, "L1");
  CString sectionName("F1"), lineName("L1"), beamName("B1"), slabName("S1"), wallName("W1");
  g->get_pFrameSectionList()->AddFrameSection(sectionName, CString("I"))->set_pMaterial(&strayMaterial);
  g->get_pLineList()->AddLine(lineName)->set_pPoint(AddPoint(module, "1", 0, 0), &strayPoint);
  CBMBeam* savedBeam = saved->get_theCBMBeamList()->AddBeam(beamName);
  savedBeam->set_pLine(&strayLine);
  savedBeam->set_pFrameSection(&straySection);
  CBMSlab* savedSlab = saved->get_theCBMSlabList()->AddSlab(slabName);
  savedSlab->set_pShellSection(&strayShell);
  savedSlab->SetDiaphragm(&strayDiaphragm);
  saved->get_theCBMWallList()->AddWall(wallName)->set_pPierSpandrel(&strayPier);
  SaveAndLoad(module, dir, "dangling.bma", loaded);

  CBMLevel* level = LevelAt(loaded, 1);
  auto* beam = level->get_theCBMBeamList()->ItemAs<CBMBeam>(1);
  auto* slab = level->get_theCBMSlabList()->ItemAs<CBMSlab>(1);
  auto* wall = level->get_theCBMWallList()->ItemAs<CBMWall>(1);
  auto* line = loaded.get_pMgrGeometry()->get_pLineList()->ItemAs<CBMLine>(1);
  auto* section = loaded.get_pMgrGeometry()->get_pFrameSectionList()->ItemAs<CBMFrameSection>(1);
  EXPECT_NE(line->get_pP1(), nullptr);
  EXPECT_EQ(line->get_pP2(), nullptr);
  EXPECT_EQ(line->get_P2Name(), "GHOST");
  EXPECT_EQ(section->get_pMaterial(), nullptr);
  EXPECT_EQ(section->get_MaterialName(), "NO_M");
  EXPECT_EQ(beam->get_pLine(), nullptr);
  EXPECT_EQ(beam->get_LineId(), 99);
  EXPECT_EQ(beam->get_FrameSectionId(), 77);
  EXPECT_EQ(slab->get_ShellSectionId(), 55);
  EXPECT_EQ(slab->GetDiaphram(), nullptr);
  EXPECT_EQ(slab->get_DiaphragmName(), "NO_D");
  EXPECT_EQ(wall->get_pPierSpandrel(), nullptr);
  EXPECT_EQ(wall->get_PierName(), "NO_P");
  ASSERT_TRUE(loaded.ReadSaveFile(CString(dir.File("again.bma")), 0));
  EXPECT_EQ(ReadFile(dir.File("again.bma")), ReadFile(dir.File("dangling.bma")));
}

// Links, a deck, wind, a combination, a release, a restraint and results.
void AddEveryRecordKind(CBuildingModule& m) {
  CBMMgrGeometry* g = m.get_pMgrGeometry();
  CString linkName("LK1");
  CBMLink* link = g->get_pLinkList()->AddLink(linkName);
  link->LinkType = "DAMPER";
  link->DofU1 = link->DofR3 = 1;
  for (int k = 0; k < 8; ++k) link->ParamA[k] = 0.5 + k;
  for (int k = 0; k < 13; ++k) link->ParamB[k] = -1.25 * k;
  CBMWallSlabDeckSection* deck = g->get_pWallSlabDeckSectionList()->AddSection();
  deck->set_Name("DECK1");
  deck->set_DeckType("FILLED");
  g->GetLoadCaseList()->GetLoadCase(CString("WIND"))->AddWindItem("STORY1", "D1", 10.0, 0.0, 9.0, 7.5);
  auto* combo = new CBMLoadCom;
  combo->set_sType("ADD");
  combo->AddLoadCaseItem("DEAD", 1.2);
  combo->AddLoadCaseItem("LIVE", 1.6);
  g->Get_pLoadCombination()->Add(combo);
  CBMLevel* level = LevelAt(m, 2);
  auto* beam = level->get_theCBMBeamList()->ItemAs<CBMBeam>(1);  // STORY1's
  beam->CreateRelease()->set_bRelease(6, true);
  beam->AddForce("DEAD", 0.5, 1, 2, 3, 4, 5, 6);
  auto* joint = level->get_theCBMJointList()->ItemAs<CBMJoint>(3);
  joint->CreateJointRestraint()->set_bU(2, 1);
  joint->AddDisplacement("DEAD", 0.001, 0.002, 0.003, 0.1, 0.2, 0.3);
  level->get_theCBMWallList()->ItemAs<CBMWall>(1)->AddForce("LIVE", 1.0, -1, -2, -3, -4, -5, -6);
  double coord[3] = {1, 2, 3}, disp[3] = {0.01, 0.02, 0.03}, rot[3] = {0.1, 0.2, 0.3};
  level->AddLevelDrift("WIND", "D1", "C1", coord, disp, rot);
}

// The counts and links the rebuild sets (beams' end joints stay unset).
std::string Links(CBuildingModule& m) {
  CBMMgrGeometry* g = m.get_pMgrGeometry();
  auto count = [](CBMComponentList* list) { return std::to_string(list->GetCount()) + " "; };
  std::string s = count(g->get_pPointList()) + count(g->get_pLineList()) + count(g->get_pAreaList());
  for (CBMLevel& level : g->get_pLevelList()->Members<CBMLevel>()) {
    s += "\n" + level.name().str() + " " + count(level.get_theCBMJointList()) +
         count(level.get_theCBMLevelDiaphragmList()) + ":";
    for (CBMBeam& b : level.get_theCBMBeamList()->Members<CBMBeam>()) {
      const bool linked = b.get_pLine() && b.get_pFrameSection() && b.get_pFrameSection()->get_pMaterial();
      s += linked && !b.get_pJointI() ? " B" : " b";
    }
    for (CBMWall& w : level.get_theCBMWallList()->Members<CBMWall>()) {
      s += w.get_pArea() && w.get_pShellSection() ? " W" : " w";
      s += w.get_pPierSpandrel() ? "P" : "";
    }
    for (CBMSlab& f : level.get_theCBMSlabList()->Members<CBMSlab>()) s += f.GetDiaphram() ? " D" : " -";
  }
  return s;
}

TEST(EveryRecord, WholeModelReachesAFixpointAndKeepsRecordsAndLinks) {
  TempDir dir;
  auto original = BuildTestBuilding();
  AddEveryRecordKind(*original);
  CBuildingModule once, twice;
  SaveAndLoad(*original, dir, "a.bma", once);
  SaveAndLoad(once, dir, "b.bma", twice);
  ASSERT_TRUE(twice.ReadSaveFile(CString(dir.File("c.bma")), 0));
  // The first file may differ: ids are positions in the last list that
  // numbered an element (a joint's connection list, before the first load).
  EXPECT_EQ(ReadFile(dir.File("b.bma")), ReadFile(dir.File("c.bma")));
  EXPECT_EQ(Links(twice), Links(*original));
  for (CBMLevel& level : twice.get_pMgrGeometry()->get_pLevelList()->Members<CBMLevel>()) {
    CBMComponentList* beams = level.get_theCBMBeamList();
    for (int i = 1; i <= beams->GetCount(); ++i) EXPECT_EQ(beams->GetItem(i)->get_Id(), i);
  }

  CBMMgrGeometry* g = twice.get_pMgrGeometry();
  auto* link = g->get_pLinkList()->ItemAs<CBMLink>(1);
  auto* deck = g->get_pWallSlabDeckSectionList()->ItemAs<CBMWallSlabDeckSection>(CString("DECK1"));
  auto* combo = g->Get_pLoadCombination()->ItemAs<CBMLoadCom>(1);
  CBMLevel* level = LevelAt(twice, 2);
  auto* beam = level->get_theCBMBeamList()->ItemAs<CBMBeam>(1);
  auto* joint = level->get_theCBMJointList()->ItemAs<CBMJoint>(3);
  CBMComponentList* wallForces = level->get_theCBMWallList()->ItemAs<CBMWall>(1)->GetForceList();
  CBMComponentList* displacements = joint->get_pJointDisplacementList();
  ASSERT_TRUE(link && deck && combo && beam->get_pLineRelease() && joint->get_pRestraint());
  for (CBMComponentList* results : {beam->get_ForceList(), wallForces, displacements})
    ASSERT_EQ(results->GetCount(), 1);
  EXPECT_EQ(link->LinkType, "DAMPER");
  EXPECT_TRUE(link->DofU1 == 1 && link->DofR3 == 1 && link->ParamA[7] == 7.5 && link->ParamB[12] == -15.0);
  EXPECT_EQ(deck->get_DeckType(), "FILLED");
  EXPECT_EQ(g->GetLoadCaseList()->GetLoadCase(CString("WIND"))->GetWindList()->GetCount(), 1);
  EXPECT_EQ(combo->get_sType(), "ADD");
  EXPECT_EQ(combo->get_CombineList()->GetCount(), 2);
  EXPECT_EQ(beam->get_pLineRelease()->get_bRelease(5), 1);
  EXPECT_EQ(joint->get_pRestraint()->get_bU(1), 1);
  EXPECT_EQ(level->get_mLevelDriftList()->GetCount(), 1);
  // Results are written under the CBMComponent class record, read as their own.
  EXPECT_STREQ(beam->get_ForceList()->GetItem(1)->GetRuntimeClass()->m_lpszClassName, "CBMComponent");
  EXPECT_NE(dynamic_cast<CBMLineEleIntForces*>(beam->get_ForceList()->GetItem(1)), nullptr);
  EXPECT_NE(dynamic_cast<CBMShellEleIntForces*>(wallForces->GetItem(1)), nullptr);
  EXPECT_NE(dynamic_cast<CBMJointDisplacement*>(displacements->GetItem(1)), nullptr);
}

}  // namespace
}  // namespace bm::test
