// The demo building generator: a framed building with walls, braces, slabs
// and loads, built only through the public managers.
#include "DemoBuilding.h"

#include <buildingmodel/buildingmodel.h>

#include <vector>

namespace bm::tool {

namespace {

CString Numbered(const char* prefix, int n) {
  CString s;
  s.Format("%s%d", prefix, n);
  return s;
}

CString StoreyName(int k) { return k == 0 ? CString("BASE") : Numbered("STORY", k); }

// Names of the shared properties.
constexpr const char* kConcrete = "C30";
constexpr const char* kSteel = "Q345";
constexpr const char* kColumnSection = "C600X600";
constexpr const char* kBeamSection = "B300X600";
constexpr const char* kEdgeBeamSection = "HN400X200";
constexpr const char* kBraceSection = "HW200X200";
constexpr const char* kWallSection = "WALL250";
constexpr const char* kSlabSection = "SLAB120";
constexpr const char* kDiaphragm = "D1";

// Builds the model and records the first refusal.
class Builder {
 public:
  Builder(CBuildingModule& module, const DemoOptions& o)
      : module_(module), o_(o), geometry_(*module.get_pMgrGeometry()), load_(*module.get_pMgrLoad()) {}

  bool Run() {
    module_.SetUnits("KN", "M");
    AddLevels();
    AddProperties();
    for (int k = 1; k <= o_.storeys && error_.empty(); ++k) AddStorey(k);
    if (!error_.empty()) return false;
    geometry_.ProcessGeometry();
    if (o_.loads) AddLoads();
    return error_.empty();
  }

  const std::string& error() const { return error_; }

 private:
  double X(int i) const { return i * o_.bayX; }
  double Y(int j) const { return j * o_.bayY; }
  double StoreyHeight(int k) const { return k == 1 ? o_.firstStoreyHeight : o_.storeyHeight; }

  template <typename T>
  T* Check(T* made, const char* what, const CString& name, int storey) {
    if (!made && error_.empty()) {
      error_ = std::string("the geometry manager refused ") + what + " " + name.str() + " on " +
               StoreyName(storey).str();
    }
    return made;
  }

  void AddLevels() {
    double elevation = 0.0;
    geometry_.AddLevel("BASE", 0.0, 0.0);
    for (int k = 1; k <= o_.storeys; ++k) {
      elevation += StoreyHeight(k);
      geometry_.AddLevel(StoreyName(k), StoreyHeight(k), elevation);
    }
  }

  void AddProperties() {
    // Mass and weight per unit volume (t/m3, kN/m3), E (kN/m2), Poisson,
    // thermal expansion.
    geometry_.AddMaterial(kConcrete, 2.5, 24.5, "CONCRETE", 3.0e7, 0.2, 1.0e-5);
    geometry_.AddMaterial(kSteel, 7.85, 76.97, "STEEL", 2.06e8, 0.3, 1.2e-5);

    SetDimensions(geometry_.AddFrameSection(kColumnSection, "RECTANGULAR", kConcrete), 0.6, 0.6, 0, 0);
    SetDimensions(geometry_.AddFrameSection(kBeamSection, "RECTANGULAR", kConcrete), 0.6, 0.3, 0, 0);
    SetDimensions(geometry_.AddFrameSection(kEdgeBeamSection, "I/WIDE FLANGE", kSteel), 0.4, 0.2, 0.013,
                  0.008);
    SetDimensions(geometry_.AddFrameSection(kBraceSection, "I/WIDE FLANGE", kSteel), 0.2, 0.2, 0.012, 0.008);

    geometry_.AddWallSection(kWallSection, kConcrete, 0.25);
    geometry_.AddSlabSection(kSlabSection, kConcrete, 0.12);
  }

  // Depth, width, flange and web thickness (the last two 0 for rectangles).
  void SetDimensions(CBMFrameSection* section, double d, double b, double tf, double tw) {
    if (!section) {
      if (error_.empty()) error_ = "the geometry manager refused a frame section";
      return;
    }
    section->SetD(d);
    section->SetB(b);
    section->SetTf(tf);
    section->SetT(tw);
  }

  void AddStorey(int k) {
    const CString level = StoreyName(k);
    const CString below = StoreyName(k - 1);
    const int nx = o_.baysX;
    const int ny = o_.baysY;

    // Columns at every grid intersection; names follow the plan position so
    // that one column line serves every storey.
    for (int j = 0; j <= ny; ++j) {
      for (int i = 0; i <= nx; ++i) {
        const CString name = Numbered("C", j * (nx + 1) + i + 1);
        Check(geometry_.AddColumn(name, X(i), Y(j), level, kColumnSection), "column", name, k);
      }
    }

    // Beams along every grid line: first along X, then along Y. The front
    // and back faces (first and last Y line) carry steel edge beams.
    int beamNo = 0;
    for (int j = 0; j <= ny; ++j) {
      const char* section = (j == 0 || j == ny) ? kEdgeBeamSection : kBeamSection;
      for (int i = 0; i < nx; ++i) AddBeam(++beamNo, X(i), Y(j), X(i + 1), Y(j), level, section, k);
    }
    for (int i = 0; i <= nx; ++i) {
      for (int j = 0; j < ny; ++j) AddBeam(++beamNo, X(i), Y(j), X(i), Y(j + 1), level, kBeamSection, k);
    }

    // An X-braced bay in the middle of the front and back faces. A brace
    // never reuses another brace's line, so every brace gets a name of its
    // own.
    const int mid = (nx - 1) / 2;
    for (int face : {0, ny}) {
      const double y = Y(face);
      CString name = Numbered("BR", ++braceNo_);
      Check(geometry_.AddBrace(name, X(mid), y, X(mid + 1), y, level, below, kBraceSection), "brace", name,
            k);
      name = Numbered("BR", ++braceNo_);
      Check(geometry_.AddBrace(name, X(mid + 1), y, X(mid), y, level, below, kBraceSection), "brace", name,
            k);
    }

    // Walls along the two end faces, one panel per bay.
    int wallNo = 0;
    for (int face : {0, nx}) {
      for (int j = 0; j < ny; ++j) {
        const CString name = Numbered("W", ++wallNo);
        CBMWall* wall = Check(geometry_.AddWall(name, X(face), Y(j), X(face), Y(j + 1), level, kWallSection),
                              "wall", name, k);
        if (wall) {
          wall->set_MapHandle(wall->name());
          walls_.push_back({k, wall->name()});
        }
      }
    }

    // Every joint of the storey on the storey's rigid diaphragm.
    for (int j = 0; j <= ny; ++j) {
      for (int i = 0; i <= nx; ++i) geometry_.AssignJointDiaphragm(level, X(i), Y(j), kDiaphragm);
    }
    if (!diaphragm_) {
      diaphragm_ = geometry_.get_pDiaphragmList()->ItemAs<CBMDiaphragm>(CString(kDiaphragm));
      if (!diaphragm_ && error_.empty()) error_ = "AssignJointDiaphragm made no diaphragm D1";
    }

    // A slab in every bay, on the diaphragm.
    int slabNo = 0;
    for (int j = 0; j < ny; ++j) {
      for (int i = 0; i < nx; ++i) {
        double xs[4] = {X(i), X(i + 1), X(i + 1), X(i)};
        double ys[4] = {Y(j), Y(j), Y(j + 1), Y(j + 1)};
        const CString name = Numbered("F", ++slabNo);
        CBMSlab* slab = Check(geometry_.AddSlab(name, 4, xs, ys, level, kSlabSection), "slab", name, k);
        if (slab) {
          slab->set_MapHandle(slab->name());
          slab->SetDiaphragm(diaphragm_);
          slabs_.push_back({k, slab->name()});
        }
      }
    }
  }

  void AddBeam(int n, double x1, double y1, double x2, double y2, const CString& level, const char* section,
               int k) {
    const CString name = Numbered("B", n);
    CBMBeam* beam = Check(geometry_.AddBeam(name, x1, y1, x2, y2, level, section), "beam", name, k);
    if (!beam) return;
    beam->set_MapHandle(beam->name());
    beams_.push_back({k, beam->name(), x1 == x2});
  }

  void AddLoads() {
    load_.AddLoadCase("DEAD", "DEAD", 1.0);
    load_.AddLoadCase("LIVE", "LIVE", 0.0);
    load_.AddLoadCase("WINDX", "WIND", 0.0);

    // Beams: a uniform dead load on every beam; a live point load at
    // mid-span of the beams along Y and a trapezoidal live load on the
    // beams along X.
    for (const BeamRef& b : beams_) {
      const CString level = StoreyName(b.storey);
      load_.AssignBeamLoad(level, b.handle, "UNIFF", "GRAV", "DEAD", 0.0, 5.0, 1.0, 5.0);
      if (b.alongY) {
        load_.AssignBeamLoad(level, b.handle, "POINTF", "GRAV", "LIVE", 0.5, 12.0, 0.5, 12.0);
      } else {
        load_.AssignBeamLoad(level, b.handle, "TRAPF", "GRAV", "LIVE", 0.0, 2.0, 1.0, 4.0);
      }
    }
    // Slabs: superimposed dead load and live load.
    for (const ShellRef& s : slabs_) {
      const CString level = StoreyName(s.storey);
      load_.AssignSlabLoad(level, s.handle, "UNIFF", "GRAV", "DEAD", 1.5);
      load_.AssignSlabLoad(level, s.handle, "UNIFF", "GRAV", "LIVE", 2.0);
    }
    // Walls: a cladding line load, converted to joint loads below.
    for (const ShellRef& w : walls_) {
      load_.AssignWallLoad(StoreyName(w.storey), w.handle, "UNIFF", "GRAV", "DEAD", 0.0, 8.0, 1.0, 8.0);
    }
    // Wind along X on the joints of the windward face (x = 0): pressure
    // times the tributary width and storey height.
    const double pressure = 0.6;
    for (int k = 1; k <= o_.storeys; ++k) {
      const CString level = StoreyName(k);
      for (int j = 0; j <= o_.baysY; ++j) {
        const double width = (j == 0 || j == o_.baysY) ? 0.5 * o_.bayY : o_.bayY;
        load_.AssignJointLoad(level, X(0), Y(j), "WINDX", pressure * width * StoreyHeight(k), 0, 0, 0, 0, 0);
      }
    }
    load_.ProcessLoading();
  }

  struct BeamRef {
    int storey;
    CString handle;
    bool alongY;
  };
  struct ShellRef {
    int storey;
    CString handle;
  };

  CBuildingModule& module_;
  const DemoOptions& o_;
  CBMMgrGeometry& geometry_;
  CBMMgrLoad& load_;
  CBMDiaphragm* diaphragm_ = nullptr;
  int braceNo_ = 0;
  std::vector<BeamRef> beams_;
  std::vector<ShellRef> slabs_;
  std::vector<ShellRef> walls_;
  std::string error_;
};

}  // namespace

double EstimateDemoElements(const DemoOptions& o) {
  const double nx = o.baysX;
  const double ny = o.baysY;
  const double perStorey = (nx + 1) * (ny + 1)              // columns
                           + nx * (ny + 1) + ny * (nx + 1)  // beams
                           + 4                              // braces
                           + 2 * ny                         // walls
                           + nx * ny;                       // slabs
  return perStorey * o.storeys;
}

std::string CheckDemoOptions(const DemoOptions& o) {
  if (o.storeys < 1 || o.storeys > kMaxDemoStoreys) return "--storeys must be between 1 and 10000";
  if (o.baysX < 1 || o.baysX > kMaxDemoBays) return "--bays-x must be between 1 and 10000";
  if (o.baysY < 1 || o.baysY > kMaxDemoBays) return "--bays-y must be between 1 and 10000";
  if (EstimateDemoElements(o) > kMaxDemoElements)
    return "the building would have more than 20 million elements";
  if (!(o.bayX > 0) || !(o.bayY > 0) || !(o.firstStoreyHeight > 0) || !(o.storeyHeight > 0)) {
    return "bay widths and storey heights must be positive";
  }
  return std::string();
}

bool BuildDemoBuilding(CBuildingModule& module, const DemoOptions& options, std::string* error) {
  const std::string problem = CheckDemoOptions(options);
  if (!problem.empty()) {
    if (error) *error = problem;
    return false;
  }
  Builder builder(module, options);
  const bool ok = builder.Run();
  if (!ok && error) *error = builder.error();
  return ok;
}

}  // namespace bm::tool
