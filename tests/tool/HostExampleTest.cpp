// The host example of the README, compiled and run as a host would: in its
// own folder, with the README's file names, printing what the README shows.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "ToolRunner.h"

namespace bm::test {
namespace {

// Runs the rest of the test in `dir`, and goes back at its end.
class InFolder {
 public:
  explicit InFolder(const std::filesystem::path& dir) : back_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~InFolder() { std::filesystem::current_path(back_); }
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;

 private:
  std::filesystem::path back_;
};

// The example's helper: columns, beams and braces of every storey.
int CountMembers(CBuildingModule& module) {
  CBMLevelList* levels = module.get_pMgrGeometry()->get_pLevelList();
  int members = 0;
  for (int i = 1; i <= levels->GetCount(); ++i) {
    auto* level = static_cast<CBMLevel*>(levels->GetItem(i));
    members += level->get_theCBMColumnList()->GetCount() + level->get_theCBMBeamList()->GetCount() +
               level->get_theCBMBraceList()->GetCount();
  }
  return members;
}

TEST(HostExample, BuildsWritesSavesAndReadsBack) {
  TempDir dir;
  InFolder inDir(dir.path());
  testing::internal::CaptureStdout();

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

  ASSERT_EQ(module.GenerateETABS8TxtFile("model.e2k"), 1);
  ASSERT_TRUE(module.ReadSaveFile("model.bma", 0));
  std::printf("wrote model.e2k and model.bma\n");
  EXPECT_NE(
      ReadText("model.e2k")
          .find(" LINELOAD  \"B1\"  \"STORY1\"  TYPE \"UNIFF\"  DIR \"GRAV\" LC \"DEAD\"  FVAL   5.000000\n"),
      std::string::npos);

  CBuildingModule other;
  ZAdapterEtabs8 reader;
  reader.SetBuildingModule(&other);
  CString path = "model.e2k";
  ASSERT_TRUE(reader.ReadFile(path));
  std::printf("read model.e2k: %d storeys, %d members, %d lines of model data not taken\n",
              other.get_pMgrGeometry()->get_pLevelList()->GetCount(), CountMembers(other),
              reader.GetReadReport().ModelDataNotTaken());
  auto* level = static_cast<CBMLevel*>(other.get_pMgrGeometry()->get_pLevelList()->GetItem(2));
  ASSERT_NE(level, nullptr);
  EXPECT_EQ(level->get_theCBMBeamList()->GetCount(), 1);
  EXPECT_EQ(level->get_theCBMColumnList()->GetCount(), 2);

  CBuildingModule loaded;
  ASSERT_TRUE(loaded.ReadSaveFile("model.bma", 1));
  std::printf("loaded model.bma: %d storeys, %d members, %d points\n",
              loaded.get_pMgrGeometry()->get_pLevelList()->GetCount(), CountMembers(loaded),
              loaded.get_pMgrGeometry()->get_pPointList()->GetCount());
  std::fflush(stdout);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "wrote model.e2k and model.bma\n"
            "read model.e2k: 2 storeys, 3 members, 0 lines of model data not taken\n"
            "loaded model.bma: 2 storeys, 3 members, 2 points\n");
  // Saved again, it has the same size, and from then on the same bytes (the
  // first load renumbers element ids through the joints' connection lists).
  const std::string again = dir.File("again.bma");
  ASSERT_TRUE(loaded.ReadSaveFile(again, 0));
  EXPECT_EQ(ReadFile("model.bma").size(), ReadFile(again).size());
  CBuildingModule third;
  ASSERT_TRUE(third.ReadSaveFile(again, 1));
  const std::string again2 = dir.File("again2.bma");
  ASSERT_TRUE(third.ReadSaveFile(again2, 0));
  EXPECT_TRUE(SameBytes(ReadFile(again), ReadFile(again2)));
}

}  // namespace
}  // namespace bm::test
