// The shared test building, built through the managers (contents: see the
// header).
#include "support/TestBuilding.h"

#include <string>
#include <vector>

#include "model/geometry/BMDiaphragm.h"
#include "model/geometry/BMLevel.h"
#include "model/geometry/BMShellElement.h"
#include "properties/BMFrameSection.h"

namespace bm::test {
namespace {

const char* const kStoreys[3] = {"STORY1", "STORY2", "STORY3"};

CString Handle(const char* level, const CString& name) { return CString(level) + "-" + name; }

CString Numbered(const char* prefix, int n) { return CString(prefix + std::to_string(n)); }

void SetIShape(CBMFrameSection* s, double d, double b, double tf, double tw) {
  s->SetD(d);
  s->SetB(b);
  s->SetTf(tf);
  s->SetT(tw);
}

void AddStorey(CBMMgrGeometry* geo, const char* level) {
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      geo->AddColumn(Numbered("C", 4 * r + c + 1), kGridX[c], kGridY[r], level, "COL500");
    }
  }
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 3; ++c) {
      const CString name = Numbered("B", 3 * r + c + 1);
      CBMBeam* beam = geo->AddBeam(name, kGridX[c], kGridY[r], kGridX[c + 1], kGridY[r], level, "W18X35");
      beam->set_MapHandle(Handle(level, name));
    }
  }
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 3; ++r) {
      const CString name = Numbered("B", 13 + 3 * c + r);
      CBMBeam* beam = geo->AddBeam(name, kGridX[c], kGridY[r], kGridX[c], kGridY[r + 1], level, "W18X35");
      beam->set_MapHandle(Handle(level, name));
    }
  }
  struct WallSpec {
    const char* name;
    double x1, y1, x2, y2;
  };
  const WallSpec walls[4] = {{"W1", 6.0, 0.0, 12.0, 0.0},
                             {"W2", 18.0, 5.0, 18.0, 10.0},
                             {"W3", 12.0, 15.0, 6.0, 15.0},
                             {"W4", 0.0, 10.0, 0.0, 5.0}};
  for (const WallSpec& w : walls) {
    CBMWall* wall = geo->AddWall(w.name, w.x1, w.y1, w.x2, w.y2, level, "WALL250");
    wall->set_MapHandle(Handle(level, w.name));
  }
  std::vector<CBMSlab*> slabs;
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      double xs[4] = {kGridX[c], kGridX[c + 1], kGridX[c + 1], kGridX[c]};
      double ys[4] = {kGridY[r], kGridY[r], kGridY[r + 1], kGridY[r + 1]};
      const CString name = Numbered("S", 3 * r + c + 1);
      CBMSlab* slab = geo->AddSlab(name, 4, xs, ys, level, "SLAB150");
      slab->set_MapHandle(Handle(level, name));
      slabs.push_back(slab);
    }
  }
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) geo->AssignJointDiaphragm(level, kGridX[c], kGridY[r], "D1");
  }
  auto* d1 = static_cast<CBMDiaphragm*>(geo->get_pDiaphragmList()->GetItem(CString("D1")));
  for (CBMSlab* slab : slabs) slab->SetDiaphragm(d1);
}

void AddLoads(CBMMgrLoad* load) {
  load->AddLoadCase("DEAD", "DEAD", 1.0);
  load->AddLoadCase("LIVE", "LIVE", 0.0);
  load->AddLoadCase("WIND", "WIND", 0.0);

  for (int k = 0; k < 3; ++k) {
    const char* level = kStoreys[k];
    load->AssignJointLoad(level, 0.0, 0.0, "WIND", 10.0 * (k + 1), 0.0, 0.0, 0.0, 0.0, 0.0);
    for (int b = 1; b <= 24; ++b) {
      load->AssignBeamLoad(level, Handle(level, Numbered("B", b)), "UNIFF", "GRAV", "DEAD", 0.0, 5.0, 1.0,
                           5.0);
    }
    load->AssignBeamLoad(level, Handle(level, "B1"), "TRAPF", "GRAV", "LIVE", 0.25, 0.0, 0.75, 8.0);
    for (int s = 1; s <= 9; ++s) {
      load->AssignSlabLoad(level, Handle(level, Numbered("S", s)), "UNIFF", "GRAV", "DEAD", 3.5);
      load->AssignSlabLoad(level, Handle(level, Numbered("S", s)), "UNIFF", "GRAV", "LIVE", 2.0);
    }
    load->AssignWallLoad(level, Handle(level, "W1"), "UNIFF", "GRAV", "DEAD", 0.0, 10.0, 1.0, 10.0);
  }
  load->AssignJointLoad("STORY3", 6.0, 5.0, "DEAD", 0.0, 0.0, -20.0, 0.0, 0.0, 0.0);
  load->AssignBeamLoad("STORY1", "STORY1-B13", "POINTF", "GRAV", "LIVE", 0.5, 12.0, 0.0, 0.0);
  load->AssignWallLoad("STORY1", "STORY1-W2", "POINTF", "GRAV", "LIVE", 0.25, 10.0, 0.0, 0.0);
  load->AssignWallLoad("STORY1", "STORY1-W3", "TRAPF", "GRAV", "DEAD", 0.25, 4.0, 0.75, 8.0);
  load->AssignWallLoad("STORY1", "STORY1-W4", "TRAPF", "GRAV", "LIVE", 0.0, 6.0, 1.0, 0.0);

  load->AddVirtualLoadForOptimization("VWIND", "vx_roof", "STORY3", 9.0, 7.5, 100.0, 0.0);
}

}  // namespace

std::unique_ptr<CBuildingModule> BuildTestBuilding() {
  auto module = std::make_unique<CBuildingModule>();
  module->SetUnits("KN", "M");
  CBMMgrGeometry* geo = module->get_pMgrGeometry();

  geo->AddLevel("BASE", 0.0, 0.0);
  geo->AddLevel("STORY1", 4.0, 0.0);
  geo->AddLevel("STORY2", 3.5, 0.0);
  geo->AddLevel("STORY3", 3.5, 0.0);

  geo->AddMaterial("STEEL", 7.849, 76.9729, "STEEL", 199947978.8, 0.3, 1.17e-5);
  geo->AddMaterial("CONC", 2.4028, 23.5631, "CONCRETE", 24855578.28, 0.2, 9.9e-6);

  CBMFrameSection* col = geo->AddFrameSection("COL500", "RECTANGULAR", "CONC");
  col->SetD(0.5);
  col->SetB(0.5);
  SetIShape(geo->AddFrameSection("W18X35", "I/WIDE FLANGE", "STEEL"), 0.4496, 0.1524, 0.0108, 0.0076);
  SetIShape(geo->AddFrameSection("W10X33", "I/WIDE FLANGE", "STEEL"), 0.2474, 0.2019, 0.0110, 0.0074);
  geo->AddWallSection("WALL250", "CONC", 0.25);
  geo->AddSlabSection("SLAB150", "CONC", 0.15);

  for (const char* level : kStoreys) AddStorey(geo, level);

  geo->AddBrace("BR1", 0.0, 0.0, 6.0, 0.0, "STORY2", "BASE", "W10X33");
  geo->AddBrace("BR2", 18.0, 15.0, 12.0, 15.0, "STORY1", "BASE", "W10X33");

  AddLoads(module->get_pMgrLoad());

  geo->ProcessGeometry();
  module->get_pMgrLoad()->ProcessLoading();
  return module;
}

}  // namespace bm::test
