// Reading a model from Python: one class per kind of model object, whose
// attributes are the kind's field table (json/ModelFields.h), so that the
// Python names and the JSON keys are the same; the nested lists (a storey's
// members, a member's loads, ...); and the Model's lists.
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "ListView.h"
#include "json/ModelFields.h"

namespace bm::python {

namespace {

// The Python names of one kind: its class, its list view (for kinds kept in
// model lists), and the fields its repr shows: the first as repr, the
// second as text (`<Member 'B1' beam>`).
struct KindNames {
  const char* cls;
  const char* doc;
  ListNames list;
  const char* repr[2];
};

template <typename T>
inline constexpr KindNames kKind{};
template <>
inline constexpr KindNames kKind<CBMUnitSystem>{
    "Units", "The model's force and length units.", {}, {"force", "length"}};
template <>
inline constexpr KindNames kKind<CBMLevel>{
    "Storey",
    "A storey: its floor level and the joints, members, walls and slabs on it.",
    {"StoreyList", "StoreyListIterator"},
    {"name"}};
template <>
inline constexpr KindNames kKind<CBMPoint>{
    "Point", "A plan point.", {"PointList", "PointListIterator"}, {"name"}};
template <>
inline constexpr KindNames kKind<CBMJoint>{
    "Joint", "A joint: a plan point on one storey.", {"JointList", "JointListIterator"}, {"name"}};
template <>
inline constexpr KindNames kKind<CBMLineElement>{"Member",
                                                 "A beam, column or brace on one storey.",
                                                 {"MemberList", "MemberListIterator"},
                                                 {"name", "kind"}};
template <>
inline constexpr KindNames kKind<CBMShellElement>{
    "Shell", "A wall or slab on one storey.", {"ShellList", "ShellListIterator"}, {"name", "kind"}};
template <>
inline constexpr KindNames kKind<CBMMaterial>{
    "Material", "A material.", {"MaterialList", "MaterialListIterator"}, {"name", "design_type"}};
template <>
inline constexpr KindNames kKind<CBMFrameSection>{"FrameSection",
                                                  "A frame section of beams, columns and braces.",
                                                  {"FrameSectionList", "FrameSectionListIterator"},
                                                  {"name", "shape"}};
template <>
inline constexpr KindNames kKind<CBMWallSlabDeckSection>{"ShellSection",
                                                         "A wall, slab or deck section.",
                                                         {"ShellSectionList", "ShellSectionListIterator"},
                                                         {"name", "type"}};
template <>
inline constexpr KindNames kKind<CBMLoadCase>{
    "LoadCase", "A load case.", {"LoadCaseList", "LoadCaseListIterator"}, {"name", "type"}};
template <>
inline constexpr KindNames kKind<CBMLoadCom>{"Combination",
                                             "A load combination and its terms.",
                                             {"CombinationList", "CombinationListIterator"},
                                             {"name", "type"}};
template <>
inline constexpr KindNames kKind<CBMLoadComItem>{
    "CombinationTerm",
    "One term of a combination: a load case or combination and its factor.",
    {},
    {"case", "factor"}};
template <>
inline constexpr KindNames kKind<CBMDiaphragm>{
    "Diaphragm", "A rigid diaphragm.", {"DiaphragmList", "DiaphragmListIterator"}, {"name"}};
template <>
inline constexpr KindNames kKind<CBMPierSpandrel>{
    "Pier", "A pier or spandrel label of walls.", {"PierList", "PierListIterator"}, {"name", "spandrel"}};
template <>
inline constexpr KindNames kKind<CBMJointLoad>{
    "JointLoad", "A force and moment on a joint in one load case.", {}, {"case", "type"}};
template <>
inline constexpr KindNames kKind<CBMLineLoad>{
    "LineLoad", "A load along a beam, column or brace in one load case.", {}, {"case", "type"}};
template <>
inline constexpr KindNames kKind<CBMAreaLoad>{
    "AreaLoad", "A load over a wall or slab in one load case.", {}, {"case", "type"}};

// A field value as Python sees it; names (bytes) cross as ToPy gives them.
struct ToPython {
  py::object operator()(std::nullptr_t) const { return py::none(); }
  py::object operator()(bool v) const { return py::bool_(v); }
  py::object operator()(long long v) const { return py::int_(v); }
  py::object operator()(double v) const { return py::float_(v); }
  py::object operator()(std::string& v) const { return ToPy(CString(std::move(v))); }
  py::object operator()(std::vector<std::string>& v) const {
    py::list out;
    for (std::string& s : v) out.append(ToPy(CString(std::move(s))));
    return std::move(out);
  }
  py::object operator()(std::vector<double>& v) const {
    py::list out;
    for (double d : v) out.append(py::float_(d));
    return std::move(out);
  }
};

py::object Convert(fields::Value value) { return std::visit(ToPython{}, value); }

// What each kind adds to its dict besides its fields: its nested lists,
// registered with the attributes that give them.
template <typename T>
std::vector<std::function<void(T&, py::dict&)>>& NestedDicts() {
  static std::vector<std::function<void(T&, py::dict&)>> fills;
  return fills;
}

// The dict of `object`: its fields, then its nested lists as lists of dicts
// (the same dict the JSON form gives for it).
template <typename T>
py::dict DictOf(T& object) {
  py::dict d;
  for (const fields::Field<T>& f : fields::FieldsOf<T>()) d[f.name] = Convert(f.get(object));
  for (const auto& fill : NestedDicts<T>()) fill(object, d);
  return d;
}

template <typename T>
py::list DictsOf(const CBMComponentList* list) {
  py::list out;
  if (!list) return out;
  for (T& item : list->Members<T>()) out.append(DictOf(item));
  return out;
}

// The class of T objects: one read-only attribute per field, repr,
// equality (the same model object), hash and to_dict().
template <typename T>
py::class_<Ref<T>> BindKind(py::module_& m) {
  const KindNames& names = kKind<T>;
  py::class_<Ref<T>> cls(m, names.cls, names.doc);
  for (const fields::Field<T>& field : fields::FieldsOf<T>()) {
    const fields::Field<T>* f = &field;
    cls.def_property_readonly(
        f->name, [f](const Ref<T>& r) { return Convert(f->get(*r.get())); }, f->doc);
  }
  std::vector<const fields::Field<T>*> shown;
  for (const char* name : names.repr) {
    for (const fields::Field<T>& field : fields::FieldsOf<T>()) {
      if (name && std::string(name) == field.name) shown.push_back(&field);
    }
  }
  cls.def("__repr__",
          [shown](const Ref<T>& r) {
            const std::string cls = kKind<T>.cls;
            if (!r.model || r.model->generation != r.generation) return "<" + cls + " of a changed model>";
            std::string out = "<" + cls;
            for (size_t i = 0; i < shown.size(); ++i) {
              py::object value = Convert(shown[i]->get(*r.get()));
              out += " " + std::string(i == 0 ? py::repr(value) : py::str(value));
            }
            return out + ">";
          })
      .def(
          "__eq__",
          [](const Ref<T>& a, const Ref<T>& b) { return a.item == b.item && a.generation == b.generation; },
          py::is_operator())
      .def(
          "__ne__",
          [](const Ref<T>& a, const Ref<T>& b) { return a.item != b.item || a.generation != b.generation; },
          py::is_operator())
      .def("__hash__", [](const Ref<T>& r) { return std::hash<const void*>()(r.item); })
      .def(
          "to_dict", [](const Ref<T>& r) { return DictOf(*r.get()); },
          "The object as a dict: its attributes and nested lists, as the JSON form gives it.");
  return cls;
}

// A nested model list of C objects, as attribute `name` (a list view) and
// in the dict.
template <typename T, typename C>
void AddList(py::class_<Ref<T>>& cls, const char* name, const char* doc, CBMComponentList* (*list)(T&)) {
  cls.def_property_readonly(
      name, [list](const Ref<T>& r) { return ListView<C>(r.model, list(*r.get())); }, doc);
  NestedDicts<T>().push_back([name, list](T& object, py::dict& d) { d[name] = DictsOf<C>(list(object)); });
}

// Nested C objects kept in a short list of their owner (loads, terms), as
// attribute `name` (a plain list) and in the dict.
template <typename T, typename C>
void AddItems(py::class_<Ref<T>>& cls, const char* name, const char* doc, std::vector<C*> (*items)(T&)) {
  cls.def_property_readonly(
      name,
      [items](const Ref<T>& r) {
        py::list out;
        for (C* item : items(*r.get())) out.append(py::cast(Ref<C>(r.model, item)));
        return out;
      },
      doc);
  NestedDicts<T>().push_back([name, items](T& object, py::dict& d) {
    py::list out;
    for (C* item : items(object)) out.append(DictOf(*item));
    d[name] = out;
  });
}

// A class of objects kept in model lists, with its list view.
template <typename T>
py::class_<Ref<T>> BindListedKind(py::module_& m) {
  py::class_<Ref<T>> cls = BindKind<T>(m);
  BindListView<T>(m, kKind<T>.list, kKind<T>.cls);
  return cls;
}

using Model = py::class_<ModelState, ModelPtr>;

// A model-wide list as Model attribute `name`.
template <typename T>
void AddModelList(Model& model, const char* name, const char* doc,
                  CBMComponentList* (*list)(CBMMgrGeometry&)) {
  model.def_property_readonly(
      name,
      [list](const ModelPtr& self) { return ListView<T>(self, list(*self->module.get_pMgrGeometry())); },
      doc);
}

}  // namespace

void BindReading(py::module_& m, Model& model) {
  BindKind<CBMUnitSystem>(m);
  BindKind<CBMJointLoad>(m);
  BindKind<CBMLineLoad>(m);
  BindKind<CBMAreaLoad>(m);
  BindKind<CBMLoadComItem>(m);

  auto joint = BindListedKind<CBMJoint>(m);
  AddItems<CBMJoint, CBMJointLoad>(joint, "loads", "the joint's loads (list of JointLoad)", &fields::LoadsOf);
  auto member = BindListedKind<CBMLineElement>(m);
  AddItems<CBMLineElement, CBMLineLoad>(member, "loads", "the member's loads (list of LineLoad)",
                                        &fields::LoadsOf);
  auto shell = BindListedKind<CBMShellElement>(m);
  AddItems<CBMShellElement, CBMAreaLoad>(shell, "loads", "the wall's or slab's area loads (list of AreaLoad)",
                                         &fields::LoadsOf);
  auto combination = BindListedKind<CBMLoadCom>(m);
  AddItems<CBMLoadCom, CBMLoadComItem>(combination, "terms", "the terms (list of CombinationTerm)",
                                       &fields::TermsOf);

  auto storey = BindListedKind<CBMLevel>(m);
  AddList<CBMLevel, CBMJoint>(storey, "joints", "the storey's joints (JointList)",
                              [](CBMLevel& l) -> CBMComponentList* { return l.get_theCBMJointList(); });
  AddList<CBMLevel, CBMLineElement>(storey, "beams", "the storey's beams (MemberList)",
                                    [](CBMLevel& l) -> CBMComponentList* { return l.get_theCBMBeamList(); });
  AddList<CBMLevel, CBMLineElement>(
      storey, "columns", "the columns below the storey's floor (MemberList)",
      [](CBMLevel& l) -> CBMComponentList* { return l.get_theCBMColumnList(); });
  AddList<CBMLevel, CBMLineElement>(storey, "braces", "the braces reaching up to the storey (MemberList)",
                                    [](CBMLevel& l) -> CBMComponentList* { return l.get_theCBMBraceList(); });
  AddList<CBMLevel, CBMShellElement>(storey, "walls", "the storey's walls (ShellList)",
                                     [](CBMLevel& l) -> CBMComponentList* { return l.get_theCBMWallList(); });
  AddList<CBMLevel, CBMShellElement>(storey, "slabs", "the storey's slabs (ShellList)",
                                     [](CBMLevel& l) -> CBMComponentList* { return l.get_theCBMSlabList(); });

  BindListedKind<CBMPoint>(m);
  BindListedKind<CBMMaterial>(m);
  BindListedKind<CBMFrameSection>(m);
  BindListedKind<CBMWallSlabDeckSection>(m);
  BindListedKind<CBMLoadCase>(m);
  BindListedKind<CBMDiaphragm>(m);
  BindListedKind<CBMPierSpandrel>(m);

  model.def_property_readonly(
      "units",
      [](const ModelPtr& self) -> py::object {
        CBMUnitSystem* units = self->module.get_pUnitSystem();
        return units ? py::cast(Ref<CBMUnitSystem>(self, units)) : py::none();
      },
      "the force and length units (Units), None when the model has none");
  AddModelList<CBMLevel>(model, "storeys", "the storeys from the base up (StoreyList)",
                         [](CBMMgrGeometry& g) -> CBMComponentList* { return g.get_pLevelList(); });
  AddModelList<CBMPoint>(model, "points", "the plan points (PointList)",
                         [](CBMMgrGeometry& g) -> CBMComponentList* { return g.get_pPointList(); });
  AddModelList<CBMMaterial>(model, "materials", "the materials (MaterialList)",
                            [](CBMMgrGeometry& g) -> CBMComponentList* { return g.get_pMaterialList(); });
  AddModelList<CBMFrameSection>(
      model, "frame_sections", "the frame sections (FrameSectionList)",
      [](CBMMgrGeometry& g) -> CBMComponentList* { return g.get_pFrameSectionList(); });
  AddModelList<CBMWallSlabDeckSection>(
      model, "shell_sections", "the wall, slab and deck sections (ShellSectionList)",
      [](CBMMgrGeometry& g) -> CBMComponentList* { return g.get_pWallSlabDeckSectionList(); });
  AddModelList<CBMLoadCase>(model, "load_cases", "the load cases (LoadCaseList)",
                            [](CBMMgrGeometry& g) -> CBMComponentList* { return g.GetLoadCaseList(); });
  AddModelList<CBMLoadCom>(model, "combinations", "the load combinations (CombinationList)",
                           [](CBMMgrGeometry& g) -> CBMComponentList* { return g.Get_pLoadCombination(); });
  AddModelList<CBMDiaphragm>(model, "diaphragms", "the rigid diaphragms (DiaphragmList)",
                             [](CBMMgrGeometry& g) -> CBMComponentList* { return g.get_pDiaphragmList(); });
  AddModelList<CBMPierSpandrel>(
      model, "piers", "the pier and spandrel labels (PierList)",
      [](CBMMgrGeometry& g) -> CBMComponentList* { return g.get_pPierSpandrelList(); });
}

}  // namespace bm::python
