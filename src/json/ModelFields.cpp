// The field tables of the model's kinds (see ModelFields.h). Each getter
// reads one value off an object and answers null where the object lacks what
// the value needs (no section, no point, no line, ...), never dereferencing a
// null pointer.
#include "json/ModelFields.h"

#include <cstring>
#include <utility>

#include "e2k_format/E2kKeywords.h"

namespace bm::fields {

namespace {

Value Text(const CString& s) { return s.str(); }
Value Real(double v) { return v; }
Value Whole(long long v) { return v; }
// The name of `object`, or null without one.
Value NameOf(const CBMComponent* object) { return object ? Value(object->name().str()) : Value(nullptr); }

// The words of the set flags, in flag order, from a table of `n` words.
template <typename Flag>
Value Words(Flag flag, const char* const* words, int n) {
  std::vector<std::string> out;
  for (int i = 0; i < n; ++i) {
    if (flag(i)) out.emplace_back(words[i]);
  }
  return out;
}

// The names of `points`, or null when one is missing.
Value PointNames(const std::vector<const CBMPoint*>& points) {
  std::vector<std::string> out;
  out.reserve(points.size());
  for (const CBMPoint* p : points) {
    if (!p) return nullptr;
    out.push_back(p->name().str());
  }
  return out;
}

// ---- Line members ----------------------------------------------------------

// The kind word of a line member by its class.
const std::pair<const CRuntimeClass*, const char*> kLineKinds[] = {{RUNTIME_CLASS(CBMBeam), "beam"},
                                                                   {RUNTIME_CLASS(CBMColumn), "column"},
                                                                   {RUNTIME_CLASS(CBMBrace), "brace"}};

Value LineKind(CBMLineElement& e) {
  for (const auto& [cls, word] : kLineKinds) {
    if (e.IsKindOf(cls)) return std::string(word);
  }
  return nullptr;
}

Value LinePoints(CBMLineElement& e) {
  if (!e.get_pLine()) return nullptr;
  return PointNames({e.GetP1(), e.GetP2()});
}

Value Releases(CBMLineElement& e) {
  CBMLineRelease* r = e.get_pLineRelease();
  if (!e.IsRelease() || !r) return nullptr;
  return Words([r](int i) { return r->get_bRelease(i) != 0; }, e2k::kReleaseWords, 12);
}

Value SectionMaterial(CBMLineElement& e) {
  CBMFrameSection* s = e.get_pFrameSection();
  return NameOf(s ? s->get_pMaterial() : nullptr);
}

// ---- Shell members ---------------------------------------------------------

const std::pair<const CRuntimeClass*, const char*> kShellKinds[] = {{RUNTIME_CLASS(CBMWall), "wall"},
                                                                    {RUNTIME_CLASS(CBMSlab), "slab"}};

Value ShellKind(CBMShellElement& e) {
  for (const auto& [cls, word] : kShellKinds) {
    if (e.IsKindOf(cls)) return std::string(word);
  }
  return nullptr;
}

Value ShellPoints(CBMShellElement& e) {
  if (!e.get_pArea()) return nullptr;
  std::vector<const CBMPoint*> points;
  for (int i = 1; i <= e.get_VertexCount(); ++i) points.push_back(e.get_pPoint(i));
  return PointNames(points);
}

Value ShellMaterial(CBMShellElement& e) {
  CBMWallSlabDeckSection* s = e.get_pShellSection();
  return NameOf(s ? s->get_pMaterial() : nullptr);
}

Value Pier(CBMShellElement& e) {
  auto* wall = dynamic_cast<CBMWall*>(&e);
  return NameOf(wall ? wall->get_pPierSpandrel() : nullptr);
}

Value SlabDiaphragm(CBMShellElement& e) {
  auto* slab = dynamic_cast<CBMSlab*>(&e);
  return NameOf(slab ? slab->GetDiaphram() : nullptr);
}

// ---- Frame-section dimensions ----------------------------------------------

// The dimension values of a frame section, in the order of its table.
constexpr const char* kDimNames[] = {"d",   "b",   "tf",  "tw",  "t",   "area", "torsion", "i33", "i22",
                                     "as2", "as3", "s33", "s22", "z33", "z22",  "r33",     "r22"};
constexpr int kDimCount = sizeof kDimNames / sizeof kDimNames[0];

// Which dimension each slot of a shape holds (null: the slot is unused), as
// the writer writes them after the shape word.
struct ShapeSlots {
  const char* shape;
  const char* slots[14];
};
const ShapeSlots kShapeSlots[] = {
    {e2k::kShapeRectangular, {"d", "b"}},
    {e2k::kShapeCircle, {"d"}},
    {e2k::kShapePipe, {"d", "t"}},
    {e2k::kShapeTee, {"d", "b", "tf", "tw"}},
    {e2k::kShapeAngle, {"d", "b", "tf", "tw"}},
    {e2k::kShapeChannel, {"d", "b", "tf", "tw"}},
    {e2k::kShapeBoxTube, {"d", "b", "tf", "tw"}},
    {e2k::kShapeIWideFlange, {"d", "b", "tf", "tw"}},
    {e2k::kShapeGeneral,
     {"d", "b", "area", "torsion", "i33", "i22", "as2", "as3", "s33", "s22", "z33", "z22", "r33", "r22"}},
};

template <int K>
Value Dimension(CBMFrameSection& s) {
  static_assert(K >= 0 && K < kDimCount, "dimension index");
  for (const ShapeSlots& row : kShapeSlots) {
    if (s.get_Shape() != row.shape) continue;
    for (int slot = 0; slot < 14; ++slot) {
      if (row.slots[slot] && std::strcmp(row.slots[slot], kDimNames[K]) == 0) return s.get_ParamItems(slot);
    }
    return nullptr;
  }
  return nullptr;
}

// ---- Shell sections ----------------------------------------------------------

bool IsDeck(const CBMWallSlabDeckSection& s) { return s.get_PropType() == e2k::kPropDeck; }
bool IsPlain(const CBMWallSlabDeckSection& s) {
  return s.get_PropType() == e2k::kPropWall || s.get_PropType() == e2k::kPropSlab;
}

// A value that only a deck (or only a plain wall or slab) has.
template <double (CBMWallSlabDeckSection::*Get)() const>
Value DeckValue(CBMWallSlabDeckSection& s) {
  return IsDeck(s) ? Value((s.*Get)()) : Value(nullptr);
}
template <double (CBMWallSlabDeckSection::*Get)() const>
Value PlainValue(CBMWallSlabDeckSection& s) {
  return IsPlain(s) ? Value((s.*Get)()) : Value(nullptr);
}

// ---- Line loads --------------------------------------------------------------

// Where each named value of a line load comes from, by its type word: the
// writer's FVAL, RDIST, FSTART, FEND, RDSTART and RDEND.
enum Source { kUnused, kUniformV, kVStart, kVEnd, kRStart, kREnd };
enum LineLoadValue { kValue, kDistance, kStartValue, kEndValue, kStartDistance, kEndDistance, kValueCount };
struct LineLoadSources {
  const char* type;
  Source sources[kValueCount];
};
const LineLoadSources kLineLoadSources[] = {
    {e2k::kUniform, {kUniformV, kUnused, kUnused, kUnused, kUnused, kUnused}},
    {e2k::kPointForce, {kVStart, kRStart, kUnused, kUnused, kUnused, kUnused}},
    {e2k::kTrapezoidal, {kUnused, kUnused, kVStart, kVEnd, kRStart, kREnd}},
};

template <LineLoadValue V>
Value LineLoadPart(CBMLineLoad& l) {
  for (const LineLoadSources& row : kLineLoadSources) {
    if (l.get_sType() != row.type) continue;
    switch (row.sources[V]) {
      case kUniformV:
        return l.get_UniformV();
      case kVStart:
        return l.get_VStart();
      case kVEnd:
        return l.get_VEnd();
      case kRStart:
        return l.get_RStart();
      case kREnd:
        return l.get_REnd();
      case kUnused:
        return nullptr;
    }
  }
  return nullptr;
}

// Appends the items of `list` that are a T (null entries and others left out).
template <typename T>
std::vector<T*> ItemsOf(const CBMComponentList* list) {
  std::vector<T*> out;
  if (!list) return out;
  out.reserve(static_cast<size_t>(list->GetCount()));
  for (T& item : list->Members<T>()) out.push_back(&item);
  return out;
}

}  // namespace

template <>
const std::vector<Field<CBMUnitSystem>>& FieldsOf<CBMUnitSystem>() {
  static const std::vector<Field<CBMUnitSystem>> fields = {
      {"force", "the force unit word (e.g. KN)", [](CBMUnitSystem& u) { return Text(u.get_csForceUnit()); }},
      {"length", "the length unit word (e.g. M)",
       [](CBMUnitSystem& u) { return Text(u.get_csLengthUnit()); }},
  };
  return fields;
}

template <>
const std::vector<Field<CBMLevel>>& FieldsOf<CBMLevel>() {
  static const std::vector<Field<CBMLevel>> fields = {
      {"name", "the storey name", [](CBMLevel& l) { return Text(l.name()); }},
      {"elevation", "elevation of the storey's floor", [](CBMLevel& l) { return Real(l.get_EleHeight()); }},
      {"height", "storey height: distance from the storey below",
       [](CBMLevel& l) { return Real(l.get_Height()); }},
  };
  return fields;
}

template <>
const std::vector<Field<CBMPoint>>& FieldsOf<CBMPoint>() {
  static const std::vector<Field<CBMPoint>> fields = {
      {"name", "the point name", [](CBMPoint& p) { return Text(p.name()); }},
      {"x", "plan X", [](CBMPoint& p) { return Real(p.get_X()); }},
      {"y", "plan Y", [](CBMPoint& p) { return Real(p.get_Y()); }},
      {"z", "Z of a point between levels; null for a point on the levels",
       [](CBMPoint& p) { return p.get_IsMidLevel() ? Real(p.get_Z()) : Value(nullptr); }},
  };
  return fields;
}

template <>
const std::vector<Field<CBMJoint>>& FieldsOf<CBMJoint>() {
  static const std::vector<Field<CBMJoint>> fields = {
      {"name", "the joint name (its point's name)", [](CBMJoint& j) { return Text(j.name()); }},
      {"point", "the plan point's name; null without a point",
       [](CBMJoint& j) { return NameOf(j.get_pPoint()); }},
      {"x", "plan X of the point; null without a point",
       [](CBMJoint& j) { return j.get_pPoint() ? Real(j.Get_pX()) : Value(nullptr); }},
      {"y", "plan Y of the point; null without a point",
       [](CBMJoint& j) { return j.get_pPoint() ? Real(j.Get_pY()) : Value(nullptr); }},
      {"restraint", "the restrained freedoms (UX UY UZ RX RY RZ); null without a restraint",
       [](CBMJoint& j) {
         CBMJointRestraint* r = j.get_pRestraint();
         if (!r) return Value(nullptr);
         return Words([r](int i) { return r->get_bU(i) != 0; }, e2k::kJointDofWords, 6);
       }},
      {"diaphragm", "the storey diaphragm's name; null when on none",
       [](CBMJoint& j) { return NameOf(j.get_pDiaphragm()); }},
      {"spring", "the six spring values (UX UY UZ RX RY RZ); null without springs",
       [](CBMJoint& j) {
         CBMJointSpring* s = j.get_pJointSpring();
         if (!s) return Value(nullptr);
         std::vector<double> v(6);
         for (int i = 0; i < 6; ++i) v[static_cast<size_t>(i)] = s->get_dU(i);
         return Value(std::move(v));
       }},
  };
  return fields;
}

template <>
const std::vector<Field<CBMLineElement>>& FieldsOf<CBMLineElement>() {
  static const std::vector<Field<CBMLineElement>> fields = {
      {"name", "the member name", [](CBMLineElement& e) { return Text(e.name()); }},
      {"kind", "beam, column or brace", LineKind},
      {"line", "the plan line's name; null without a line",
       [](CBMLineElement& e) { return NameOf(e.get_pLine()); }},
      {"section", "the frame section's name; null without a section",
       [](CBMLineElement& e) { return NameOf(e.get_pFrameSection()); }},
      {"material", "the section's material name; null without one", SectionMaterial},
      {"points", "the names of the two end points (I, J); null when the line or an end is missing",
       LinePoints},
      {"storeys_spanned",
       "storeys the member's line passes from its bottom end up to this storey; null without a line",
       [](CBMLineElement& e) { return e.get_pLine() ? Whole(e.GetPassStoryNum()) : Value(nullptr); }},
      {"angle", "rotation of the section about the member axis (degrees)",
       [](CBMLineElement& e) { return Real(e.get_Angle()); }},
      {"releases", "the released end actions (PI V2I V3I TI M2I M3I PJ ... M3J); null when not released",
       Releases},
      {"rigid_zone_factor", "rigid end zone reduction factor; null when not set",
       [](CBMLineElement& e) {
         return e.get_HasZoneReductionFactor() ? Real(e.get_dZoneReductionFactor()) : Value(nullptr);
       }},
      {"max_station_spacing", "largest spacing of output stations",
       [](CBMLineElement& e) { return Real(e.get_MaxSpc()); }},
      {"min_station_spacing", "smallest spacing of output stations",
       [](CBMLineElement& e) { return Real(e.get_MinSpc()); }},
  };
  return fields;
}

template <>
const std::vector<Field<CBMShellElement>>& FieldsOf<CBMShellElement>() {
  static const std::vector<Field<CBMShellElement>> fields = {
      {"name", "the wall or slab name", [](CBMShellElement& e) { return Text(e.name()); }},
      {"kind", "wall or slab", ShellKind},
      {"area", "the plan area's name; null without an area",
       [](CBMShellElement& e) { return NameOf(e.get_pArea()); }},
      {"section", "the wall/slab/deck section's name; null without a section",
       [](CBMShellElement& e) { return NameOf(e.get_pShellSection()); }},
      {"material", "the section's material name; null without one", ShellMaterial},
      {"points", "the corner point names in order; null when the area or a corner is missing", ShellPoints},
      {"mesh", "the meshing option word", [](CBMShellElement& e) { return Text(e.get_MeshOption()); }},
      {"pier", "a wall's pier or spandrel label; null for a slab or a wall without one", Pier},
      {"diaphragm", "a slab's diaphragm name; null for a wall or a slab without one", SlabDiaphragm},
  };
  return fields;
}

template <>
const std::vector<Field<CBMMaterial>>& FieldsOf<CBMMaterial>() {
  static const std::vector<Field<CBMMaterial>> fields = {
      {"name", "the material name", [](CBMMaterial& m) { return Text(m.name()); }},
      {"type", "the material type word (e.g. ISOTROPIC)", [](CBMMaterial& m) { return Text(m.get_Type()); }},
      {"design_type", "STEEL, CONCRETE, OTHER or empty",
       [](CBMMaterial& m) { return Text(m.get_DesignType()); }},
      {"mass", "mass per unit volume", [](CBMMaterial& m) { return Real(m.get_M()); }},
      {"weight", "weight per unit volume", [](CBMMaterial& m) { return Real(m.get_W()); }},
      {"e", "modulus of elasticity", [](CBMMaterial& m) { return Real(m.get_E()); }},
      {"u", "Poisson's ratio", [](CBMMaterial& m) { return Real(m.get_U()); }},
      {"a", "coefficient of thermal expansion", [](CBMMaterial& m) { return Real(m.get_A()); }},
      {"fy", "yield strength (steel; rebar for concrete)", [](CBMMaterial& m) { return Real(m.get_FY()); }},
      {"fu", "ultimate strength (steel)", [](CBMMaterial& m) { return Real(m.get_FU()); }},
      {"fc", "compressive strength (concrete)", [](CBMMaterial& m) { return Real(m.get_FC()); }},
      {"fys", "shear rebar yield strength (concrete)", [](CBMMaterial& m) { return Real(m.get_FYS()); }},
      {"price", "unit price (steel)", [](CBMMaterial& m) { return Real(m.get_Price()); }},
  };
  return fields;
}

template <>
const std::vector<Field<CBMFrameSection>>& FieldsOf<CBMFrameSection>() {
  static const std::vector<Field<CBMFrameSection>> fields = {
      {"name", "the section name", [](CBMFrameSection& s) { return Text(s.name()); }},
      {"shape", "the shape word (RECTANGULAR, CIRCLE, PIPE, I/WIDE FLANGE, GENERAL, ...)",
       [](CBMFrameSection& s) { return Text(s.get_Shape()); }},
      {"material", "the material name; null without a material",
       [](CBMFrameSection& s) { return NameOf(s.get_pMaterial()); }},
      {"d", "depth (outside diameter of a circle or pipe)", Dimension<0>},
      {"b", "width (flange width)", Dimension<1>},
      {"tf", "flange thickness", Dimension<2>},
      {"tw", "web thickness", Dimension<3>},
      {"t", "wall thickness of a pipe", Dimension<4>},
      {"area", "cross-section area (GENERAL)", Dimension<5>},
      {"torsion", "torsional constant (GENERAL)", Dimension<6>},
      {"i33", "moment of inertia about the 3 axis (GENERAL)", Dimension<7>},
      {"i22", "moment of inertia about the 2 axis (GENERAL)", Dimension<8>},
      {"as2", "shear area in the 2 direction (GENERAL)", Dimension<9>},
      {"as3", "shear area in the 3 direction (GENERAL)", Dimension<10>},
      {"s33", "section modulus about the 3 axis (GENERAL)", Dimension<11>},
      {"s22", "section modulus about the 2 axis (GENERAL)", Dimension<12>},
      {"z33", "plastic modulus about the 3 axis (GENERAL)", Dimension<13>},
      {"z22", "plastic modulus about the 2 axis (GENERAL)", Dimension<14>},
      {"r33", "radius of gyration about the 3 axis (GENERAL)", Dimension<15>},
      {"r22", "radius of gyration about the 2 axis (GENERAL)", Dimension<16>},
  };
  static_assert(kDimCount == 17, "one field per dimension name");
  return fields;
}

template <>
const std::vector<Field<CBMWallSlabDeckSection>>& FieldsOf<CBMWallSlabDeckSection>() {
  using S = CBMWallSlabDeckSection;
  static const std::vector<Field<S>> fields = {
      {"name", "the section name", [](S& s) { return Text(s.name()); }},
      {"type", "the property type word: WALL, SLAB or DECK", [](S& s) { return Text(s.get_PropType()); }},
      {"shell_type", "the shell type word (e.g. SHELL, MEMBRANE)",
       [](S& s) { return Text(s.get_ShellType()); }},
      {"plate_type", "the plate type word (e.g. THIN)", [](S& s) { return Text(s.get_PlateType()); }},
      {"material", "the material name (a deck's concrete fill); null without a material",
       [](S& s) { return NameOf(s.get_pMaterial()); }},
      {"thickness", "membrane thickness (TM) of a wall or slab; null for a deck or another type",
       PlainValue<&S::get_TM>},
      {"bending_thickness", "bending thickness (TB) of a wall or slab; null for a deck or another type",
       PlainValue<&S::get_TB>},
      {"deck_type", "a deck's type word; null otherwise",
       [](S& s) { return IsDeck(s) ? Text(s.get_DeckType()) : Value(nullptr); }},
      {"slab_depth", "a deck's slab depth; null otherwise", DeckValue<&S::get_SlabDepth>},
      {"rib_depth", "a deck's rib depth; null otherwise", DeckValue<&S::get_RibDepth>},
      {"rib_width", "a deck's rib width; null otherwise", DeckValue<&S::get_RibWidth>},
      {"rib_spacing", "a deck's rib spacing; null otherwise", DeckValue<&S::get_RibSpacing>},
      {"deck_weight", "a deck's weight per unit area; null otherwise", DeckValue<&S::get_Weight>},
      {"stud_diameter", "a deck's stud diameter; null otherwise", DeckValue<&S::get_StuDia>},
      {"stud_height", "a deck's stud height; null otherwise", DeckValue<&S::get_StudHeight>},
      {"stud_strength", "a deck's stud strength; null otherwise", DeckValue<&S::get_StudStrength>},
  };
  return fields;
}

template <>
const std::vector<Field<CBMLoadCase>>& FieldsOf<CBMLoadCase>() {
  static const std::vector<Field<CBMLoadCase>> fields = {
      {"name", "the load case name", [](CBMLoadCase& c) { return Text(c.name()); }},
      {"type", "the load type word (DEAD, LIVE, WIND, ...)",
       [](CBMLoadCase& c) { return Text(c.get_sType()); }},
      {"self_weight", "self-weight multiplier", [](CBMLoadCase& c) { return Real(c.get_fSelfW()); }},
      {"virtual_name", "the second name of a virtual load case; null for a plain one",
       [](CBMLoadCase& c) { return c.IsVirtualLoad() ? Text(c.GetVirtualLoadCaseName()) : Value(nullptr); }},
  };
  return fields;
}

template <>
const std::vector<Field<CBMLoadCom>>& FieldsOf<CBMLoadCom>() {
  static const std::vector<Field<CBMLoadCom>> fields = {
      {"name", "the combination name", [](CBMLoadCom& c) { return Text(c.name()); }},
      {"type", "the combination type word (ADD, ENVE, ...)",
       [](CBMLoadCom& c) { return Text(c.get_sType()); }},
  };
  return fields;
}

template <>
const std::vector<Field<CBMLoadComItem>>& FieldsOf<CBMLoadComItem>() {
  static const std::vector<Field<CBMLoadComItem>> fields = {
      {"case", "the load case or combination name", [](CBMLoadComItem& t) { return Text(t.get_CaseName()); }},
      {"factor", "the scale factor", [](CBMLoadComItem& t) { return Real(t.get_Factor()); }},
  };
  return fields;
}

template <>
const std::vector<Field<CBMDiaphragm>>& FieldsOf<CBMDiaphragm>() {
  static const std::vector<Field<CBMDiaphragm>> fields = {
      {"name", "the diaphragm name", [](CBMDiaphragm& d) { return Text(d.name()); }},
      {"centre_x", "plan X of the centre of the points put on the diaphragm",
       [](CBMDiaphragm& d) { return Real(d.Get_CX()); }},
      {"centre_y", "plan Y of the centre of the points put on the diaphragm",
       [](CBMDiaphragm& d) { return Real(d.Get_CY()); }},
  };
  return fields;
}

template <>
const std::vector<Field<CBMPierSpandrel>>& FieldsOf<CBMPierSpandrel>() {
  static const std::vector<Field<CBMPierSpandrel>> fields = {
      {"name", "the pier or spandrel label", [](CBMPierSpandrel& p) { return Text(p.name()); }},
      {"spandrel", "true for a spandrel label, false for a pier",
       [](CBMPierSpandrel& p) { return Value(p.IsSpandrel() != 0); }},
  };
  return fields;
}

template <>
const std::vector<Field<CBMJointLoad>>& FieldsOf<CBMJointLoad>() {
  static const std::vector<Field<CBMJointLoad>> fields = {
      {"case", "the load case name", [](CBMJointLoad& l) { return Text(l.get_Lc()); }},
      {"type", "the load type word (FORCE, ...)", [](CBMJointLoad& l) { return Text(l.get_sType()); }},
      {"fx", "force along X", [](CBMJointLoad& l) { return Real(l.get_FX()); }},
      {"fy", "force along Y", [](CBMJointLoad& l) { return Real(l.get_FY()); }},
      {"fz", "force along Z", [](CBMJointLoad& l) { return Real(l.get_FZ()); }},
      {"mx", "moment about X", [](CBMJointLoad& l) { return Real(l.get_MX()); }},
      {"my", "moment about Y", [](CBMJointLoad& l) { return Real(l.get_MY()); }},
      {"mz", "moment about Z", [](CBMJointLoad& l) { return Real(l.get_MZ()); }},
  };
  return fields;
}

template <>
const std::vector<Field<CBMLineLoad>>& FieldsOf<CBMLineLoad>() {
  static const std::vector<Field<CBMLineLoad>> fields = {
      {"case", "the load case name", [](CBMLineLoad& l) { return Text(l.get_Lc()); }},
      {"type", "UNIFF (uniform), TRAPF (trapezoidal) or POINTF (point force)",
       [](CBMLineLoad& l) { return Text(l.get_sType()); }},
      {"direction", "the direction word (GRAV, X, Y, Z, ...)",
       [](CBMLineLoad& l) { return Text(l.get_sDir()); }},
      {"value", "force per length of a UNIFF load, force of a POINTF load; null otherwise",
       LineLoadPart<kValue>},
      {"distance", "where a POINTF load acts, as a fraction of the length; null otherwise",
       LineLoadPart<kDistance>},
      {"start_value", "force per length at the start of a TRAPF load; null otherwise",
       LineLoadPart<kStartValue>},
      {"end_value", "force per length at the end of a TRAPF load; null otherwise", LineLoadPart<kEndValue>},
      {"start_distance", "start of a TRAPF load, as a fraction of the length; null otherwise",
       LineLoadPart<kStartDistance>},
      {"end_distance", "end of a TRAPF load, as a fraction of the length; null otherwise",
       LineLoadPart<kEndDistance>},
  };
  return fields;
}

template <>
const std::vector<Field<CBMAreaLoad>>& FieldsOf<CBMAreaLoad>() {
  static const std::vector<Field<CBMAreaLoad>> fields = {
      {"case", "the load case name", [](CBMAreaLoad& l) { return Text(l.get_Lc()); }},
      {"type", "the load type word (UNIFF)", [](CBMAreaLoad& l) { return Text(l.get_sType()); }},
      {"direction", "the direction word (GRAV, X, Y, Z, ...)",
       [](CBMAreaLoad& l) { return Text(l.get_sDir()); }},
      {"value", "force per area", [](CBMAreaLoad& l) { return Real(l.get_Value()); }},
  };
  return fields;
}

std::vector<CBMJointLoad*> LoadsOf(CBMJoint& joint) { return ItemsOf<CBMJointLoad>(&joint.JointLoads()); }
std::vector<CBMLineLoad*> LoadsOf(CBMLineElement& member) {
  return ItemsOf<CBMLineLoad>(&member.LineLoads());
}
std::vector<CBMAreaLoad*> LoadsOf(CBMShellElement& area) { return ItemsOf<CBMAreaLoad>(&area.SlabLoads()); }
std::vector<CBMLoadComItem*> TermsOf(CBMLoadCom& combination) {
  return ItemsOf<CBMLoadComItem>(combination.get_CombineList());
}

}  // namespace bm::fields
