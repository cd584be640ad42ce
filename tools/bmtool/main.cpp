// bmtool: the command-line tool of the building model library.
#include <cstdio>
#include <cstring>

#include <buildingmodel/buildingmodel.h>

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "demo") != 0) {
    std::fprintf(stderr, "usage: bmtool demo [DIR]\n");
    return 2;
  }
  CBuildingModule module;
  CBMMgrGeometry* geometry = module.get_pMgrGeometry();
  std::printf("buildingmodel: empty model with %d levels, %d points\n", geometry->get_pLevelList()->GetCount(),
              geometry->get_pPointList()->GetCount());
  return 0;
}
