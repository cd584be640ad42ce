// The test hosts' program: builds a one-storey frame through the managers,
// writes it as a text model and as an archive into the folder given, and
// loads the archive back. Exits 0 when both files hold the model built.
// (Named .cc so that the unit-test build, which compiles every .cpp below a
// test folder, leaves it to the hosts.)
#include <buildingmodel/buildingmodel.h>

#include <cstdio>
#include <string>

namespace {

int Members(CBuildingModule& module) {
  CBMLevelList* levels = module.get_pMgrGeometry()->get_pLevelList();
  int members = 0;
  for (int i = 1; i <= levels->GetCount(); ++i) {
    auto* level = static_cast<CBMLevel*>(levels->GetItem(i));
    members += level->get_theCBMColumnList()->GetCount() + level->get_theCBMBeamList()->GetCount();
  }
  return members;
}

bool Fail(const std::string& what) {
  std::fprintf(stderr, "host: %s\n", what.c_str());
  return false;
}

bool Run(const std::string& folder) {
  CBuildingModule module;
  module.SetUnits("KN", "M");
  CBMMgrGeometry* geometry = module.get_pMgrGeometry();
  geometry->AddLevel("BASE", 0.0, 0.0);
  geometry->AddLevel("STORY1", 3.5, 3.5);
  geometry->AddMaterial("C30", 2.5, 24.5, "CONCRETE", 3.0e7, 0.2, 1.0e-5);
  CBMFrameSection* section = geometry->AddFrameSection("C500", "RECTANGULAR", "C30");
  if (!section) return Fail("no frame section");
  section->SetD(0.5);
  section->SetB(0.5);
  if (!geometry->AddColumn("C1", 0.0, 0.0, "STORY1", "C500") ||
      !geometry->AddColumn("C2", 6.0, 0.0, "STORY1", "C500") ||
      !geometry->AddBeam("B1", 0.0, 0.0, 6.0, 0.0, "STORY1", "C500")) {
    return Fail("a member was refused");
  }
  geometry->ProcessGeometry();

  for (const char* name : {"model.e2k", "model.bma"}) {
    const std::string path = folder + "/" + name;
    const std::string error = bm::SaveModel(module, path, bm::FormForPath(path));
    if (!error.empty()) return Fail("writing " + path + ": " + error);
  }
  CBuildingModule loaded;
  bm::LoadResult result;
  const std::string error = bm::LoadModel(folder + "/model.bma", loaded, &result);
  if (!error.empty()) return Fail("loading model.bma: " + error);
  if (Members(loaded) != 3)
    return Fail("model.bma holds " + std::to_string(Members(loaded)) + " members, not 3");
  std::printf("host: wrote model.e2k and model.bma, loaded 3 members back\n");
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: host <output folder>\n");
    return 2;
  }
  return Run(argv[1]) ? 0 : 1;
}
