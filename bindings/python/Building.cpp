// Building a model from Python: the geometry and load managers' operations
// as methods of Model, with Pythonic names and arguments and the managers'
// semantics unchanged (a refused operation gives None, never an error).
#include <pybind11/stl.h>

#include <array>
#include <climits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "PyModel.h"

namespace bm::python {

namespace {

using OptionalStr = std::optional<py::str>;

// Edits wait for file work that runs without the interpreter lock (a write
// or save in another thread), so the model never changes under it.
std::unique_lock<std::mutex> Editing(ModelState& model) {
  return std::unique_lock<std::mutex>(model.fileWork);
}

CBMMgrGeometry& Geometry(ModelState& model) { return *model.module.get_pMgrGeometry(); }
CBMMgrLoad& Loads(ModelState& model) { return *model.module.get_pMgrLoad(); }

// The object a manager made, as Python sees it (its class is registered by
// the reading classes), or None when the manager refused.
template <typename T, typename U>
py::object Made(const ModelPtr& model, U* made) {
  if (!made) return py::none();
  return py::cast(Ref<T>(model, static_cast<T*>(made)));
}

// Gives a member the map handle the load manager finds it by: `handle`, or
// the member's own (upper-case) name when none is given. Upper-cased, as the
// load manager upper-cases the handle it looks for; "" leaves none.
void SetHandle(CBMComponent* member, const OptionalStr& handle) {
  if (!member) return;
  CString text = handle ? FromPy(*handle) : member->get_Name();
  text.MakeUpper();
  member->set_MapHandle(std::move(text));
}

// Bumps the generation: objects taken before no longer resolve.
void Invalidate(ModelState& model) { ++model.generation; }

double Number(py::handle value, const std::string& what) {
  try {
    return py::cast<double>(value);
  } catch (const py::cast_error&) {
    throw py::type_error(what + " must be a number, not " +
                         std::string(py::str(py::type::of(value).attr("__name__"))));
  }
}

// The name `value`, which must be a str.
CString Text(py::handle value, const std::string& what) {
  if (!py::isinstance<py::str>(value)) {
    throw py::type_error(what + " must be a str, not " +
                         std::string(py::str(py::type::of(value).attr("__name__"))));
  }
  return FromPy(py::reinterpret_borrow<py::str>(value));
}

// A pair (first, second) of a sequence argument; TypeError otherwise.
std::pair<py::object, py::object> Pair(py::handle item, const char* what) {
  if (!py::isinstance<py::sequence>(item) || py::isinstance<py::str>(item) || py::len(item) != 2) {
    throw py::type_error(std::string(what) + " must be pairs, got " + std::string(py::repr(item)));
  }
  auto pair = py::reinterpret_borrow<py::sequence>(item);
  return {pair[0], pair[1]};
}

// ---- Frame-section dimensions ----------------------------------------------

// Keyword of add_frame_section -> dimension slot of CBMFrameSection. Which
// slots a shape uses is the section's business (see BMFrameSection.h): d and b
// for rectangles, d for circles, d and t for pipes, d, b, tf, tw for the
// I, tee, angle, channel and box shapes, and the section properties for
// "GENERAL".
struct Dimension {
  const char* keyword;
  int slot;
};
constexpr Dimension kDimensions[] = {
    {"d", 0},       {"b", 1},    {"t", 1},    {"tf", 2},   {"tw", 3},   {"area", 2},
    {"torsion", 3}, {"i33", 4},  {"i22", 5},  {"as2", 6},  {"as3", 7},  {"s33", 8},
    {"s22", 9},     {"z33", 10}, {"z22", 11}, {"r33", 12}, {"r22", 13},
};

std::string DimensionKeywords() {
  std::string all;
  for (const Dimension& d : kDimensions) all += (all.empty() ? "" : ", ") + std::string(d.keyword);
  return all;
}

using SlotValues = std::array<std::optional<double>, CBMFrameSection::kParamCount>;

// The slots the keyword arguments set. TypeError for an unknown keyword, a
// value that is not a number, or two keywords of one slot (b and t).
SlotValues ParseDimensions(const py::kwargs& dimensions) {
  SlotValues values;
  std::array<const char*, CBMFrameSection::kParamCount> setBy{};
  for (const auto& [key, value] : dimensions) {
    const std::string keyword = Text(key, "a keyword").str();
    const std::string shown = py::repr(key);
    const Dimension* found = nullptr;
    for (const Dimension& d : kDimensions) {
      if (keyword == d.keyword) found = &d;
    }
    if (!found) {
      throw py::type_error("add_frame_section() got an unexpected keyword argument " + shown +
                           " (dimensions: " + DimensionKeywords() + ")");
    }
    if (setBy[found->slot]) {
      throw py::type_error("add_frame_section(): " + shown + " and '" + setBy[found->slot] +
                           "' set the same dimension");
    }
    setBy[found->slot] = found->keyword;
    values[found->slot] = Number(value, "dimension " + shown);
  }
  return values;
}

py::object AddFrameSection(const ModelPtr& self, const py::str& name, const py::str& shape,
                           const py::str& material, const py::kwargs& dimensions) {
  const SlotValues values = ParseDimensions(dimensions);  // before anything is made
  auto lock = Editing(*self);
  CBMFrameSection* section = Geometry(*self).AddFrameSection(FromPy(name), FromPy(shape), FromPy(material));
  if (section) {
    for (int slot = 0; slot < CBMFrameSection::kParamCount; ++slot) {
      if (values[slot]) section->set_ParamItems(slot, *values[slot]);
    }
  }
  return Made<CBMFrameSection>(self, section);
}

// ---- Members -----------------------------------------------------------------

py::object AddSlab(const ModelPtr& self, const py::str& name, const py::iterable& points,
                   const py::str& level, const py::str& section, const OptionalStr& handle,
                   const OptionalStr& diaphragm) {
  std::vector<double> xs;
  std::vector<double> ys;
  for (py::handle point : points) {
    auto [x, y] = Pair(point, "points");
    xs.push_back(Number(x, "a point's x"));
    ys.push_back(Number(y, "a point's y"));
  }
  if (xs.size() > static_cast<size_t>(INT_MAX)) throw py::value_error("add_slab(): too many points");
  auto lock = Editing(*self);
  CBMMgrGeometry& geometry = Geometry(*self);
  CBMSlab* slab = geometry.AddSlab(FromPy(name), static_cast<int>(xs.size()), xs.data(), ys.data(),
                                   FromPy(level), FromPy(section));
  SetHandle(slab, handle);
  if (slab && diaphragm) {
    CString diaphragmName = FromPy(*diaphragm);
    diaphragmName.MakeUpper();
    CBMDiaphragmList* diaphragms = geometry.get_pDiaphragmList();
    CBMDiaphragm* found = diaphragms ? diaphragms->ItemAs<CBMDiaphragm>(diaphragmName) : nullptr;
    if (found) slab->SetDiaphragm(found);
  }
  return Made<CBMShellElement>(self, slab);
}

py::object AddCombination(const ModelPtr& self, const py::str& name, const py::str& type,
                          const py::iterable& terms) {
  std::vector<std::pair<CString, double>> parsed;
  for (py::handle term : terms) {
    auto [loadCase, factor] = Pair(term, "terms");
    CString caseName = Text(loadCase, "a term's load case");
    caseName.MakeUpper();
    parsed.emplace_back(std::move(caseName), Number(factor, "a term's factor"));
  }
  auto lock = Editing(*self);
  CBMComponentList* combinations = Geometry(*self).Get_pLoadCombination();
  if (!combinations) return py::none();
  auto combination = std::make_unique<CBMLoadCom>();
  CString comboName = FromPy(name);
  combination->set_Name(comboName);
  combination->set_sType(FromPy(type));
  for (auto& [caseName, factor] : parsed) combination->AddLoadCaseItem(std::move(caseName), factor);
  CBMLoadCom* added = combination.release();
  combinations->Add(added);  // the container deletes its combinations
  return Made<CBMLoadCom>(self, added);
}

void BindGeometry(py::class_<ModelState, ModelPtr>& model) {
  model
      .def(
          "set_units",
          [](ModelState& self, const py::str& force, const py::str& length) {
            auto lock = Editing(self);
            self.module.SetUnits(FromPy(force), FromPy(length));
          },
          py::arg("force"), py::arg("length"), "Sets the force and length unit words (e.g. \"KN\", \"M\").")
      .def(
          "add_level",
          [](const ModelPtr& self, const py::str& name, double height, double elevation) {
            auto lock = Editing(*self);
            return Made<CBMLevel>(self, Geometry(*self).AddLevel(FromPy(name), height, elevation));
          },
          py::arg("name"), py::arg("height"), py::arg("elevation"),
          "Appends a storey (no duplicate check) with its height above the storey below and its\n"
          "elevation. Add storeys from the base upward. Returns the Storey.")
      .def(
          "add_material",
          [](const ModelPtr& self, const py::str& name, double mass, double weight, const py::str& designType,
             double e, double u, double a) {
            auto lock = Editing(*self);
            return Made<CBMMaterial>(
                self, Geometry(*self).AddMaterial(FromPy(name), mass, weight, FromPy(designType), e, u, a));
          },
          py::arg("name"), py::arg("mass"), py::arg("weight"), py::arg("design_type"), py::arg("e"),
          py::arg("u"), py::arg("a"),
          "Appends an isotropic material (no duplicate check): mass and weight per unit volume,\n"
          "design type (\"CONCRETE\" and \"STEEL\" also get default strengths), modulus e, Poisson's\n"
          "ratio u, thermal expansion a. Returns the Material.")
      .def("add_frame_section", &AddFrameSection, py::arg("name"), py::arg("shape"), py::arg("material"),
           "Appends a frame section of the shape word (\"RECTANGULAR\", \"I/WIDE FLANGE\", \"PIPE\",\n"
           "...; no duplicate check) of the named material (none if no material has the name).\n"
           "Dimensions are keyword arguments: d, b, t (pipe wall), tf, tw, and for \"GENERAL\" area,\n"
           "torsion, i33, i22, as2, as3, s33, s22, z33, z22, r33, r22; an unknown keyword is a\n"
           "TypeError. Returns the FrameSection.")
      .def(
          "add_wall_section",
          [](const ModelPtr& self, const py::str& name, const py::str& material, double thickness) {
            auto lock = Editing(*self);
            return Made<CBMWallSlabDeckSection>(
                self, Geometry(*self).AddWallSection(FromPy(name), FromPy(material), thickness));
          },
          py::arg("name"), py::arg("material"), py::arg("thickness"),
          "Appends a thin-shell wall section of the named material and thickness. Returns the\n"
          "ShellSection.")
      .def(
          "add_slab_section",
          [](const ModelPtr& self, const py::str& name, const py::str& material, double thickness) {
            auto lock = Editing(*self);
            return Made<CBMWallSlabDeckSection>(
                self, Geometry(*self).AddSlabSection(FromPy(name), FromPy(material), thickness));
          },
          py::arg("name"), py::arg("material"), py::arg("thickness"),
          "Appends a thin-shell slab section of the named material and thickness. Returns the\n"
          "ShellSection.")
      .def(
          "add_column",
          [](const ModelPtr& self, const py::str& name, double x, double y, const py::str& level,
             const py::str& section, const OptionalStr& handle) {
            auto lock = Editing(*self);
            CBMColumn* column = Geometry(*self).AddColumn(FromPy(name), x, y, FromPy(level), FromPy(section));
            SetHandle(column, handle);
            return Made<CBMLineElement>(self, column);
          },
          py::arg("name"), py::arg("x"), py::arg("y"), py::arg("level"), py::arg("section"),
          py::arg("handle") = py::none(),
          "Column at plan (x, y) on the storey, from the storey below. A column of that name on the\n"
          "storey is reused. handle (default: the column's name) is its map handle; \"\" sets none.\n"
          "Returns the Member, or None when the storey does not exist.")
      .def(
          "add_beam",
          [](const ModelPtr& self, const py::str& name, double x1, double y1, double x2, double y2,
             const py::str& level, const py::str& section, const OptionalStr& handle) {
            auto lock = Editing(*self);
            CBMBeam* beam =
                Geometry(*self).AddBeam(FromPy(name), x1, y1, x2, y2, FromPy(level), FromPy(section));
            SetHandle(beam, handle);
            return Made<CBMLineElement>(self, beam);
          },
          py::arg("name"), py::arg("x1"), py::arg("y1"), py::arg("x2"), py::arg("y2"), py::arg("level"),
          py::arg("section"), py::arg("handle") = py::none(),
          "Beam from (x1, y1) to (x2, y2) on the storey. handle (default: the beam's name) is the map\n"
          "handle that assign_beam_load finds it by; \"\" sets none. Returns the Member, or None when\n"
          "the storey does not exist.")
      .def(
          "add_brace",
          [](const ModelPtr& self, const py::str& name, double x1, double y1, double x2, double y2,
             const py::str& level, const py::str& bottomLevel, const py::str& section,
             const OptionalStr& handle) {
            auto lock = Editing(*self);
            CBMBrace* brace = Geometry(*self).AddBrace(FromPy(name), x1, y1, x2, y2, FromPy(level),
                                                       FromPy(bottomLevel), FromPy(section));
            SetHandle(brace, handle);
            return Made<CBMLineElement>(self, brace);
          },
          py::arg("name"), py::arg("x1"), py::arg("y1"), py::arg("x2"), py::arg("y2"), py::arg("level"),
          py::arg("bottom_level"), py::arg("section"), py::arg("handle") = py::none(),
          "Brace from (x1, y1) on bottom_level up to (x2, y2) on level, in level's braces. handle\n"
          "(default: the brace's name) is its map handle; \"\" sets none. Returns the Member, or None\n"
          "when a storey does not exist.")
      .def(
          "add_wall",
          [](const ModelPtr& self, const py::str& name, double x1, double y1, double x2, double y2,
             const py::str& level, const py::str& section, const OptionalStr& handle) {
            auto lock = Editing(*self);
            CBMWall* wall =
                Geometry(*self).AddWall(FromPy(name), x1, y1, x2, y2, FromPy(level), FromPy(section));
            SetHandle(wall, handle);
            return Made<CBMShellElement>(self, wall);
          },
          py::arg("name"), py::arg("x1"), py::arg("y1"), py::arg("x2"), py::arg("y2"), py::arg("level"),
          py::arg("section"), py::arg("handle") = py::none(),
          "Wall panel from (x1, y1) to (x2, y2) on the storey, down to the storey below. handle\n"
          "(default: the wall's name) is the map handle that assign_wall_load finds it by; \"\" sets\n"
          "none. Returns the Shell, or None when the storey does not exist.")
      .def("add_slab", &AddSlab, py::arg("name"), py::arg("points"), py::arg("level"), py::arg("section"),
           py::arg("handle") = py::none(), py::arg("diaphragm") = py::none(),
           "Slab over the vertices points, a sequence of (x, y) pairs in order, on the storey. handle\n"
           "(default: the slab's name) is the map handle that assign_slab_load finds it by; \"\" sets\n"
           "none. diaphragm names an existing diaphragm (see assign_joint_diaphragm) the slab lies\n"
           "on; an unknown name leaves the slab without one. Returns the Shell, or None when the\n"
           "storey does not exist or points is empty.")
      .def(
          "add_joint_restraint",
          [](const ModelPtr& self, const py::str& level, double x, double y, bool ux, bool uy, bool uz,
             bool rx, bool ry, bool rz) {
            auto lock = Editing(*self);
            CString levelName = FromPy(level);
            return Made<CBMJoint>(self,
                                  Geometry(*self).AddJointRestrain(levelName, x, y, ux, uy, uz, rx, ry, rz));
          },
          py::arg("level"), py::arg("x"), py::arg("y"), py::kw_only(), py::arg("ux") = true,
          py::arg("uy") = true, py::arg("uz") = true, py::arg("rx") = true, py::arg("ry") = true,
          py::arg("rz") = true,
          "Support at plan (x, y) of the storey (name as stored, not upper-cased): each flag True\n"
          "fixes that displacement or rotation (default all: a fixed support; rx=ry=rz=False gives a\n"
          "pin). A joint that has a restraint keeps it. Returns the Joint, or None when the storey or\n"
          "the plan point does not exist.")
      .def(
          "assign_joint_diaphragm",
          [](ModelState& self, const py::str& level, double x, double y, const py::str& diaphragm) {
            auto lock = Editing(self);
            Geometry(self).AssignJointDiaphragm(FromPy(level), x, y, FromPy(diaphragm));
          },
          py::arg("level"), py::arg("x"), py::arg("y"), py::arg("diaphragm"),
          "Puts the storey's joint at plan (x, y) on the diaphragm (made when new). Does nothing when\n"
          "the storey, the point or the joint does not exist.")
      .def(
          "process_geometry",
          [](ModelState& self) {
            auto lock = Editing(self);
            Invalidate(self);
            Geometry(self).ProcessGeometry();
          },
          "Storey elevations from the heights, a pier per wall name (P + name), fixed supports at the\n"
          "foot of the first storey's columns, walls and braces, member stations. Objects taken from\n"
          "the model before raise ReferenceError afterwards: take them again.")
      .def(
          "process_storey_elevations",
          [](ModelState& self) {
            auto lock = Editing(self);
            Geometry(self).ProcessStoryHeightElevation();
          },
          "Sets every storey's elevation above the first from the first's elevation and the storey\n"
          "heights.")
      .def(
          "reassign_piers_by_section",
          [](ModelState& self) {
            auto lock = Editing(self);
            Geometry(self).ReassignPierBySectionName();
          },
          "Saves every wall's pier name as its old name and gives the wall the pier named like its\n"
          "section (a wall without section keeps its pier).")
      .def(
          "restore_old_piers",
          [](ModelState& self) {
            auto lock = Editing(self);
            Geometry(self).ReassignPierRestoreOldName();
          },
          "Gives every wall back the pier of its saved old pier name.");
}

void BindLoads(py::class_<ModelState, ModelPtr>& model) {
  model
      .def(
          "add_load_case",
          [](const ModelPtr& self, const py::str& name, const py::str& type, double selfWeight) {
            auto lock = Editing(*self);
            return Made<CBMLoadCase>(self, Loads(*self).AddLoadCase(FromPy(name), FromPy(type), selfWeight));
          },
          py::arg("name"), py::arg("type"), py::arg("self_weight") = 0.0,
          "Appends a load case (no duplicate check) of the type word (\"DEAD\", \"LIVE\", \"WIND\",\n"
          "...; kept as given) with the self-weight multiplier. Returns the LoadCase.")
      .def("add_combination", &AddCombination, py::arg("name"), py::arg("type"), py::arg("terms"),
           "Appends a load combination (no duplicate check) of the type word (\"ADD\", \"ENVE\",\n"
           "\"ABS\", \"SRSS\"; kept as given) with terms, a sequence of (load case name, factor)\n"
           "pairs. Returns the combination.")
      .def(
          "assign_joint_load",
          [](ModelState& self, const py::str& level, double x, double y, const py::str& loadCase, double fx,
             double fy, double fz, double mx, double my, double mz) {
            auto lock = Editing(self);
            Loads(self).AssignJointLoad(FromPy(level), x, y, FromPy(loadCase), fx, fy, fz, mx, my, mz);
          },
          py::arg("level"), py::arg("x"), py::arg("y"), py::arg("case"), py::arg("fx") = 0.0,
          py::arg("fy") = 0.0, py::arg("fz") = 0.0, py::arg("mx") = 0.0, py::arg("my") = 0.0,
          py::arg("mz") = 0.0,
          "Appends a force load of the case to the storey's joint at plan (x, y). Does nothing when\n"
          "the storey, the point or the joint does not exist.")
      .def(
          "assign_beam_load",
          [](ModelState& self, const py::str& level, const py::str& handle, const py::str& loadType,
             const py::str& direction, const py::str& loadCase, double startDistance, double startForce,
             double endDistance, double endForce) {
            auto lock = Editing(self);
            Loads(self).AssignBeamLoad(FromPy(level), FromPy(handle), FromPy(loadType), FromPy(direction),
                                       FromPy(loadCase), startDistance, startForce, endDistance, endForce);
          },
          py::arg("level"), py::arg("handle"), py::arg("load_type"), py::arg("direction"), py::arg("case"),
          py::arg("start_distance"), py::arg("start_force"), py::arg("end_distance"), py::arg("end_force"),
          "Appends a line load (\"UNIFF\", \"POINTF\", \"TRAPF\"; direction e.g. \"GRAV\") of the\n"
          "case to the storey's beam of that map handle. Distances are fractions of the length. Does\n"
          "nothing when the storey or the beam does not exist.")
      .def(
          "assign_wall_load",
          [](ModelState& self, const py::str& level, const py::str& handle, const py::str& loadType,
             const py::str& direction, const py::str& loadCase, double startDistance, double startForce,
             double endDistance, double endForce) {
            auto lock = Editing(self);
            Loads(self).AssignWallLoad(FromPy(level), FromPy(handle), FromPy(loadType), FromPy(direction),
                                       FromPy(loadCase), startDistance, startForce, endDistance, endForce);
          },
          py::arg("level"), py::arg("handle"), py::arg("load_type"), py::arg("direction"), py::arg("case"),
          py::arg("start_distance"), py::arg("start_force"), py::arg("end_distance"), py::arg("end_force"),
          "As assign_beam_load, for the storey's wall of that map handle; process_loading turns wall\n"
          "loads into joint loads.")
      .def(
          "assign_slab_load",
          [](ModelState& self, const py::str& level, const py::str& handle, const py::str& loadType,
             const py::str& direction, const py::str& loadCase, double value) {
            auto lock = Editing(self);
            Loads(self).AssignSlabLoad(FromPy(level), FromPy(handle), FromPy(loadType), FromPy(direction),
                                       FromPy(loadCase), value);
          },
          py::arg("level"), py::arg("handle"), py::arg("load_type"), py::arg("direction"), py::arg("case"),
          py::arg("value"),
          "Appends an area load of the case to the storey's slab of that map handle. Does nothing\n"
          "when the storey or the slab does not exist.")
      .def(
          "add_virtual_load",
          [](ModelState& self, const py::str& loadCase, const py::str& virtualName, const py::str& level,
             double x, double y, double fx, double fy) {
            auto lock = Editing(self);
            Loads(self).AddVirtualLoadForOptimization(FromPy(loadCase), FromPy(virtualName), FromPy(level), x,
                                                      y, fx, fy);
          },
          py::arg("case"), py::arg("virtual_name"), py::arg("level"), py::arg("x"), py::arg("y"),
          py::arg("fx"), py::arg("fy"),
          "Appends a virtual \"WIND\" case with one wind force (fx, fy) at (x, y) on the storey's\n"
          "diaphragm nearest to it (storey name as stored; no force without a diaphragm).")
      .def(
          "delete_all_virtual_loads",
          [](ModelState& self) {
            auto lock = Editing(self);
            Invalidate(self);
            Loads(self).DeleteAllVirtualLoad();
          },
          "Removes every virtual load case. Objects taken from the model before raise ReferenceError\n"
          "afterwards: take them again.")
      .def(
          "process_loading",
          [](ModelState& self) {
            auto lock = Editing(self);
            Invalidate(self);
            CBMMgrLoad& loads = Loads(self);
            loads.ProcessLoading();
            py::dict report;
            report["wall_loads_without_joints"] = loads.GetLoadingReport().wallLoadsWithoutJoints;
            report["wall_loads_with_one_joint"] = loads.GetLoadingReport().wallLoadsWithOneJoint;
            return report;
          },
          "Adds every wall line load to the wall's two joints as simply supported end reactions (each\n"
          "run adds them again). Returns what it dropped for walls without joints on their storey:\n"
          "{'wall_loads_without_joints': n, 'wall_loads_with_one_joint': n}. Objects taken from the\n"
          "model before raise ReferenceError afterwards: take them again.");
}

}  // namespace

void BindBuilding(py::module_& m, py::class_<ModelState, ModelPtr>& model) {
  (void)m;
  BindGeometry(model);
  BindLoads(model);
}

}  // namespace bm::python
