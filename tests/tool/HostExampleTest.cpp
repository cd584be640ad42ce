// The host example of the README, compiled and run as a host would.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include "ToolRunner.h"

namespace bm::test {
namespace {

TEST(HostExample, BuildsWritesSavesAndReadsBack) {
  ScratchDir dir;
  const std::string text = dir / "model.e2k";
  const std::string archive = dir / "model.bma";

  CBuildingModule module;
  module.SetUnits("KN", "M");
  CBMMgrGeometry* geometry = module.get_pMgrGeometry();
  geometry->AddLevel("BASE", 0.0, 0.0);
  geometry->AddLevel("STORY1", 3.5, 3.5);
  geometry->AddMaterial("C30", 2.5, 24.5, "CONCRETE", 3.0e7, 0.2, 1.0e-5);
  CBMFrameSection* rect = geometry->AddFrameSection("C500", "RECTANGULAR", "C30");
  ASSERT_NE(rect, nullptr);
  rect->SetD(0.5);
  rect->SetB(0.5);
  geometry->AddColumn("C1", 0.0, 0.0, "STORY1", "C500");
  geometry->AddColumn("C2", 6.0, 0.0, "STORY1", "C500");
  CBMBeam* beam = geometry->AddBeam("B1", 0.0, 0.0, 6.0, 0.0, "STORY1", "C500");
  ASSERT_NE(beam, nullptr);
  beam->set_MapHandle("B1");
  geometry->ProcessGeometry();

  CBMMgrLoad* loads = module.get_pMgrLoad();
  loads->AddLoadCase("DEAD", "DEAD", 1.0);
  loads->AssignBeamLoad("STORY1", "B1", "UNIFF", "GRAV", "DEAD", 0.0, 5.0, 1.0, 5.0);
  ASSERT_EQ(beam->Get_LineLoadList()->GetCount(), 1);

  ASSERT_EQ(module.GenerateETABS8TxtFile(text), 1);
  ASSERT_TRUE(module.ReadSaveFile(archive, 0));
  EXPECT_NE(ReadFile(text).find(
                " LINELOAD  \"B1\"  \"STORY1\"  TYPE \"UNIFF\"  DIR \"GRAV\" LC \"DEAD\"  FVAL   5.000000\n"),
            std::string::npos);

  CBuildingModule other;
  ZAdapterEtabs8 reader;
  reader.SetBuildingModule(&other);
  CString path = text;
  ASSERT_TRUE(reader.ReadFile(path));
  auto* level = static_cast<CBMLevel*>(other.get_pMgrGeometry()->get_pLevelList()->GetItem(2));
  ASSERT_NE(level, nullptr);
  EXPECT_EQ(level->get_theCBMBeamList()->GetCount(), 1);
  EXPECT_EQ(level->get_theCBMColumnList()->GetCount(), 2);

  CBuildingModule loaded;
  ASSERT_TRUE(loaded.ReadSaveFile(archive, 1));
  EXPECT_EQ(loaded.get_pMgrGeometry()->get_pPointList()->GetCount(), 2);
  // Saved again, it has the same size, and from then on the same bytes (the
  // first load renumbers element ids through the joints' connection lists).
  const std::string again = dir / "again.bma";
  ASSERT_TRUE(loaded.ReadSaveFile(again, 0));
  EXPECT_EQ(ReadFile(archive).size(), ReadFile(again).size());
  CBuildingModule third;
  ASSERT_TRUE(third.ReadSaveFile(again, 1));
  const std::string again2 = dir / "again2.bma";
  ASSERT_TRUE(third.ReadSaveFile(again2, 0));
  EXPECT_TRUE(SameBytes(ReadFile(again), ReadFile(again2)));
}

}  // namespace
}  // namespace bm::test
