// A model holding every archived record type survives save and load: the
// test building plus links, deck sections, wind, combinations, releases,
// restraints and results of every kind.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/TestBuilding.h"

namespace {

namespace fs = std::filesystem;

std::vector<char> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

CBMLevel* LevelAt(CBuildingModule& m, int i) {
  return static_cast<CBMLevel*>(m.get_pMgrGeometry()->get_pLevelList()->GetItem(i));
}

void AddEveryRecordKind(CBuildingModule& m) {
  CBMMgrGeometry* g = m.get_pMgrGeometry();
  CString linkName("LK1");
  CBMLink* link = g->get_pLinkList()->AddLink(linkName);
  link->LinkType = "DAMPER";
  link->DofU1 = 1;
  link->DofR3 = 1;
  for (int k = 0; k < 8; ++k) link->ParamA[k] = 0.5 + k;
  for (int k = 0; k < 13; ++k) link->ParamB[k] = -1.25 * k;

  CBMWallSlabDeckSection* deck = g->get_pWallSlabDeckSectionList()->AddSection();
  deck->set_Name("DECK1");
  deck->set_PropType("DECK");
  deck->set_DeckType("FILLED");
  deck->set_SlabDepth(0.065);
  deck->set_RibWidth(0.15);
  deck->set_StudHeight(0.1);

  CBMLoadCase* wind = g->GetLoadCaseList()->GetLoadCase(CString("WIND"));
  ASSERT_NE(wind, nullptr);
  wind->AddWindItem("STORY1", "D1", 10.0, 0.0, 9.0, 7.5);

  auto* combo = new CBMLoadCom;
  combo->set_Name("COMB1");
  combo->set_sType("ADD");
  combo->AddLoadCaseItem("DEAD", 1.2);
  combo->AddLoadCaseItem("LIVE", 1.6);
  g->Get_pLoadCombination()->Add(combo);

  CBMLevel* level = LevelAt(m, 2);
  auto* beam = static_cast<CBMBeam*>(level->get_theCBMBeamList()->GetItem(1));
  beam->CreateRelease()->set_bRelease(6, true);
  beam->AddForce("DEAD", 0.5, 1, 2, 3, 4, 5, 6);
  auto* joint = static_cast<CBMJoint*>(level->get_theCBMJointList()->GetItem(3));
  joint->CreateJointRestraint()->set_bU(2, 1);
  joint->AddDisplacement("DEAD", 0.001, 0.002, 0.003, 0.1, 0.2, 0.3);
  auto* wall = static_cast<CBMWall*>(level->get_theCBMWallList()->GetItem(1));
  wall->AddForce("LIVE", 1.0, -1, -2, -3, -4, -5, -6);
  double coord[3] = {1, 2, 3}, disp[3] = {0.01, 0.02, 0.03}, rot[3] = {0.1, 0.2, 0.3};
  level->AddLevelDrift("WIND", "D1", "C1", coord, disp, rot);
}

TEST(EveryRecord, SurvivesSaveAndLoad) {
  const fs::path dir = fs::temp_directory_path() / ("bm_every_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string a = (dir / "a.bma").string(), b = (dir / "b.bma").string(), c = (dir / "c.bma").string();

  auto original = bm::test::BuildTestBuilding();
  AddEveryRecordKind(*original);
  ASSERT_TRUE(original->ReadSaveFile(CString(a), 0));
  CBuildingModule once;
  ASSERT_TRUE(once.ReadSaveFile(CString(a), 1));
  ASSERT_TRUE(once.ReadSaveFile(CString(b), 0));
  CBuildingModule twice;
  ASSERT_TRUE(twice.ReadSaveFile(CString(b), 1));
  ASSERT_TRUE(twice.ReadSaveFile(CString(c), 0));
  EXPECT_EQ(FileBytes(b), FileBytes(c));

  CBMMgrGeometry* g = twice.get_pMgrGeometry();
  auto* link = static_cast<CBMLink*>(g->get_pLinkList()->GetItem(1));
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->LinkType, "DAMPER");
  EXPECT_EQ(link->DofU1, 1);
  EXPECT_EQ(link->DofR3, 1);
  EXPECT_EQ(link->ParamA[7], 7.5);
  EXPECT_EQ(link->ParamB[12], -15.0);

  auto* deck =
      static_cast<CBMWallSlabDeckSection*>(g->get_pWallSlabDeckSectionList()->GetItem(CString("DECK1")));
  ASSERT_NE(deck, nullptr);
  EXPECT_EQ(deck->get_DeckType(), "FILLED");

  CBMLoadCase* wind = g->GetLoadCaseList()->GetLoadCase(CString("WIND"));
  ASSERT_NE(wind, nullptr);
  EXPECT_EQ(wind->GetWindList()->GetCount(), 1);
  auto* combo = static_cast<CBMLoadCom*>(g->Get_pLoadCombination()->GetItem(1));
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->get_sType(), "ADD");
  EXPECT_EQ(combo->get_CombineList()->GetCount(), 2);

  CBMLevel* level = LevelAt(twice, 2);
  auto* beam = static_cast<CBMBeam*>(level->get_theCBMBeamList()->GetItem(1));
  ASSERT_NE(beam->get_pLineRelease(), nullptr);
  EXPECT_EQ(beam->get_pLineRelease()->get_bRelease(5), 1);
  EXPECT_EQ(beam->get_ForceList()->GetCount(), 1);
  EXPECT_STREQ(beam->get_ForceList()->GetItem(1)->GetRuntimeClass()->m_lpszClassName, "CBMComponent");
  EXPECT_NE(dynamic_cast<CBMLineEleIntForces*>(beam->get_ForceList()->GetItem(1)), nullptr);
  auto* joint = static_cast<CBMJoint*>(level->get_theCBMJointList()->GetItem(3));
  ASSERT_NE(joint->get_pRestraint(), nullptr);
  EXPECT_EQ(joint->get_pRestraint()->get_bU(1), 1);
  ASSERT_EQ(joint->get_pJointDisplacementList()->GetCount(), 1);
  EXPECT_NE(dynamic_cast<CBMJointDisplacement*>(joint->get_pJointDisplacementList()->GetItem(1)), nullptr);
  EXPECT_EQ(level->get_mLevelDriftList()->GetCount(), 1);
  auto* wall = static_cast<CBMWall*>(level->get_theCBMWallList()->GetItem(1));
  ASSERT_EQ(wall->GetForceList()->GetCount(), 1);
  EXPECT_NE(dynamic_cast<CBMShellEleIntForces*>(wall->GetForceList()->GetItem(1)), nullptr);
  fs::remove_all(dir);
}

}  // namespace
