// Handlers of the property lines of later-version files (9 to 22):
// materials, frame sections, shell properties, auto-select lists, point
// springs and link properties, read by key.
//
// The later vocabulary is mapped onto the words the model (and the version 8
// writer) uses by the tables below; a value word a table does not know is
// counted as not read rather than stored as it stands.
#include <cstddef>
#include <initializer_list>
#include <memory>
#include <string_view>

#include "e2k_format/E2kKeywords.h"
#include "etabs_reader/KeyedLine.h"
#include "etabs_reader/PropertyKeys.h"
#include "etabs_reader/WordTables.h"
#include "etabs_reader/ZAdapterEtabs8.h"
#include "model/BuildingModule.h"
#include "properties/BMAutoSection.h"
#include "properties/BMFrameSection.h"
#include "properties/BMLink.h"
#include "properties/BMMaterial.h"
#include "properties/BMUnitSystem.h"
#include "properties/BMWallSlabDeckSection.h"

namespace {

using bm::reader::KeyedLine;

using bm::reader::FindEntry;
using bm::reader::KeyField;
using bm::reader::TakeKeys;
using bm::reader::TakeNumber;

template <size_t N>
void MarkNotModelData(KeyedLine& kl, const char* const (&keys)[N]) {
  for (const char* key : keys) kl.NotModelData(key);
}

// ---- Materials --------------------------------------------------------------

// The density keys of version 9 and their later names side by side, and the
// elastic constants; the strengths are bm::reader::kMaterialStrengthKeys.
constexpr KeyField<CBMMaterial> kMaterialNumbers[] = {
    {bm::e2k::kMassDensity, TakeNumber<&CBMMaterial::set_M>},
    {bm::e2k::kMassPerVolume, TakeNumber<&CBMMaterial::set_M>},
    {bm::e2k::kWeightDensity, TakeNumber<&CBMMaterial::set_W>},
    {bm::e2k::kWeightPerVolume, TakeNumber<&CBMMaterial::set_W>},
    {"E", TakeNumber<&CBMMaterial::set_E>},
    {"U", TakeNumber<&CBMMaterial::set_U>},
    {"A", TakeNumber<&CBMMaterial::set_A>},
};

// Keys of a material the model has no place for: expected strengths, grade
// name, the nonlinear stress-strain and hysteresis description, acceptance
// strains and the time-dependent code.
constexpr const char* kMaterialNotModelData[] = {"FYE",
                                                 "FUE",
                                                 "GRADE",
                                                 "HYSTYPE",
                                                 "SSTYPE",
                                                 "STRAINATHARDENING",
                                                 "STRAINATMAXSTRESS",
                                                 "STRAINATRUPTURE",
                                                 "STRAINATFC",
                                                 "STRAINATULTIMATE",
                                                 "FINALSLOPE",
                                                 "IOTENSION",
                                                 "LSTENSION",
                                                 "CPTENSION",
                                                 "IOCOMPRESSION",
                                                 "LSCOMPRESSION",
                                                 "CPCOMPRESSION",
                                                 "ENERGYDEGFACT",
                                                 "IGNORETENSIONACCEPTANCE",
                                                 "STRAIN",
                                                 "STRESS",
                                                 "POINTID",
                                                 "TIMEDEPCONCCODE"};

enum class MaterialWordKind { kSymmetry, kDesign };

// Words of the material's type keys. Version 9 writes the symmetry type under
// TYPE ("ISOTROPIC") and the design type under DESIGNTYPE; later versions
// write the material type under TYPE ("Steel") and the symmetry type under
// SYMTYPE. The value word tells which is meant.
//
// Decision: rebar, tendon and cold-formed materials are steel grades; the
// model's design types have no word of their own for them, and STEEL keeps
// their FY and FU through version 8 text (an OTHER line carries no
// strengths). Aluminium and masonry become OTHER.
struct MaterialWord {
  const char* file;  // upper-cased
  MaterialWordKind kind;
  const char* model;
};
constexpr MaterialWord kMaterialWords[] = {
    {"ISOTROPIC", MaterialWordKind::kSymmetry, "ISOTROPIC"},
    {"ORTHOTROPIC", MaterialWordKind::kSymmetry, "ORTHOTROPIC"},
    {"ANISOTROPIC", MaterialWordKind::kSymmetry, "ANISOTROPIC"},
    {"UNIAXIAL", MaterialWordKind::kSymmetry, "UNIAXIAL"},
    {"STEEL", MaterialWordKind::kDesign, bm::e2k::kSteel},
    {"COLDFORMED", MaterialWordKind::kDesign, bm::e2k::kSteel},
    {"REBAR", MaterialWordKind::kDesign, bm::e2k::kSteel},
    {"TENDON", MaterialWordKind::kDesign, bm::e2k::kSteel},
    {"CONCRETE", MaterialWordKind::kDesign, bm::e2k::kConcrete},
    {"ALUMINUM", MaterialWordKind::kDesign, bm::e2k::kOther},
    {"MASONRY", MaterialWordKind::kDesign, bm::e2k::kOther},
    {"OTHER", MaterialWordKind::kDesign, bm::e2k::kOther},
};

// Which kinds of word each type key may carry.
struct MaterialTypeKey {
  const char* key;
  bool symmetry;
  bool design;
};
constexpr MaterialTypeKey kMaterialTypeKeys[] = {
    {bm::e2k::kType, true, true}, {bm::e2k::kSymType, true, false}, {bm::e2k::kDesignType, false, true}};

// Standard gravity in the length unit of the UNITS line, per second squared.
struct Gravity {
  const char* file;
  double g;
};
constexpr Gravity kGravity[] = {
    {"M", 9.80665}, {"MM", 9806.65}, {"CM", 980.665}, {"IN", 386.08858}, {"FT", 32.17405}};

// ---- Frame sections ---------------------------------------------------------

struct DimKey {
  const char* key;
  int slot;
};
constexpr DimKey kRectDims[] = {{"D", 0}, {"B", 1}};
constexpr DimKey kCircleDims[] = {{"D", 0}};
constexpr DimKey kPipeDims[] = {{"D", 0}, {"T", 1}, {"TW", 1}};
constexpr DimKey kFlangedDims[] = {{"D", 0}, {"B", 1}, {"TF", 2}, {"TW", 3}};
constexpr DimKey kGeneralDims[] = {{"D", 0},    {"B", 1},    {"AREA", 2}, {"TORSION", 3}, {"I33", 4},
                                   {"I22", 5},  {"AS2", 6},  {"AS3", 7},  {"S33", 8},     {"S22", 9},
                                   {"Z33", 10}, {"Z22", 11}, {"R33", 12}, {"R22", 13}};

struct Dims {
  const DimKey* keys;
  size_t count;
};
template <size_t N>
constexpr Dims DimsOf(const DimKey (&keys)[N]) {
  return {keys, N};
}

// Shape words of the file (upper-cased; version 9 and later) and the model's
// shape word with its dimension keys.
//
// Decisions: a steel plate is a solid rectangle and a steel rod a solid
// circle; a concrete L has the geometry of an angle; a filled steel tube
// keeps its steel tube (the fill material has no place in the model and is
// reported).
struct ShapeWord {
  const char* file;
  const char* model;
  Dims dims;
};
constexpr ShapeWord kShapeWords[] = {
    {"RECTANGULAR", bm::e2k::kShapeRectangular, DimsOf(kRectDims)},
    {"CONCRETE RECTANGULAR", bm::e2k::kShapeRectangular, DimsOf(kRectDims)},
    {"STEEL PLATE", bm::e2k::kShapeRectangular, DimsOf(kRectDims)},
    {"CIRCLE", bm::e2k::kShapeCircle, DimsOf(kCircleDims)},
    {"CONCRETE CIRCLE", bm::e2k::kShapeCircle, DimsOf(kCircleDims)},
    {"STEEL ROD", bm::e2k::kShapeCircle, DimsOf(kCircleDims)},
    {"PIPE", bm::e2k::kShapePipe, DimsOf(kPipeDims)},
    {"STEEL PIPE", bm::e2k::kShapePipe, DimsOf(kPipeDims)},
    {"BOX/TUBE", bm::e2k::kShapeBoxTube, DimsOf(kFlangedDims)},
    {"STEEL TUBE", bm::e2k::kShapeBoxTube, DimsOf(kFlangedDims)},
    {"FILLED STEEL TUBE", bm::e2k::kShapeBoxTube, DimsOf(kFlangedDims)},
    {"I/WIDE FLANGE", bm::e2k::kShapeIWideFlange, DimsOf(kFlangedDims)},
    {"STEEL I/WIDE FLANGE", bm::e2k::kShapeIWideFlange, DimsOf(kFlangedDims)},
    {"CHANNEL", bm::e2k::kShapeChannel, DimsOf(kFlangedDims)},
    {"STEEL CHANNEL", bm::e2k::kShapeChannel, DimsOf(kFlangedDims)},
    {"ANGLE", bm::e2k::kShapeAngle, DimsOf(kFlangedDims)},
    {"STEEL ANGLE", bm::e2k::kShapeAngle, DimsOf(kFlangedDims)},
    {"CONCRETE L", bm::e2k::kShapeAngle, DimsOf(kFlangedDims)},
    {"TEE", bm::e2k::kShapeTee, DimsOf(kFlangedDims)},
    {"STEEL TEE", bm::e2k::kShapeTee, DimsOf(kFlangedDims)},
    {"CONCRETE TEE", bm::e2k::kShapeTee, DimsOf(kFlangedDims)},
    {"GENERAL", bm::e2k::kShapeGeneral, DimsOf(kGeneralDims)},
    {"AUTO SELECT", bm::e2k::kShapeAutoSelect, Dims{nullptr, 0}},
    {"AUTO SELECT LIST", bm::e2k::kShapeAutoSelect, Dims{nullptr, 0}},
};

// Shapes built from dimensions (or from other lines) that no model shape
// holds. Such a section is kept under its shape word, so that its members
// keep section and material, and the line is counted as "shape not read".
constexpr const char* kShapesNotHeld[] = {"DOUBLE ANGLE",         "STEEL DOUBLE ANGLE", "DOUBLE CHANNEL",
                                          "STEEL DOUBLE CHANNEL", "SD SECTION",         "NONPRISMATIC",
                                          "CONCRETE TRAPEZOIDAL", "TRAPEZOIDAL"};

// Keys that give a shape's size: a shape word that is not in the tables and
// comes with one of them is a parametric shape, not a database name.
constexpr const char* kDimensionKeys[] = {"D", "B", "T", "TF", "TW"};

// Property modifiers, design and display settings of a frame section, and the
// source file of a database section: the model has no place for them.
constexpr const char* kFrameNotModelData[] = {"AMOD",
                                              "A2MOD",
                                              "A3MOD",
                                              "JMOD",
                                              "I2MOD",
                                              "I3MOD",
                                              "MMOD",
                                              "WMOD",
                                              "INCLUDEAUTORIGIDZONEAREA",
                                              "NOTIONALUSERVALUE",
                                              "NOTIONALSIZETYPE",
                                              "AUTOSELECTDESIGNTYPE",
                                              "FILLMATERIAL",
                                              "FILE"};

// ---- Shell properties -------------------------------------------------------

struct Word {
  const char* file;
  const char* model;
};
constexpr Word kPropTypes[] = {
    {"SLAB", bm::e2k::kPropSlab}, {"WALL", bm::e2k::kPropWall}, {"DECK", bm::e2k::kPropDeck}};

// A later MODELINGTYPE is the model's shell TYPE and PLATETYPE together.
struct ModelingType {
  const char* file;
  const char* shellType;
  const char* plateType;
};
constexpr ModelingType kModelingTypes[] = {
    {"SHELLTHIN", "SHELL", "THIN"}, {"SHELLTHICK", "SHELL", "THICK"}, {"MEMBRANE", "MEMBRANE", ""}};

// The later names of the numbers of bm::reader::kShellKeys; one thickness of
// a later file is both the membrane and the bending thickness.
constexpr KeyField<CBMWallSlabDeckSection> kShellLaterNumbers[] = {
    {"SLABTHICKNESS", TakeNumber<&CBMWallSlabDeckSection::set_TM>},
    {"SLABTHICKNESS", TakeNumber<&CBMWallSlabDeckSection::set_TB>},
    {"WALLTHICKNESS", TakeNumber<&CBMWallSlabDeckSection::set_TM>},
    {"WALLTHICKNESS", TakeNumber<&CBMWallSlabDeckSection::set_TB>},
    {"DECKSLABDEPTH", TakeNumber<&CBMWallSlabDeckSection::set_SlabDepth>},
    {"DECKRIBDEPTH", TakeNumber<&CBMWallSlabDeckSection::set_RibDepth>},
    {"DECKRIBSPACING", TakeNumber<&CBMWallSlabDeckSection::set_RibSpacing>},
    {"DECKUNITWEIGHT", TakeNumber<&CBMWallSlabDeckSection::set_Weight>},
    {"SHEARSTUDDIAM", TakeNumber<&CBMWallSlabDeckSection::set_StuDia>},
    {"SHEARSTUDHEIGHT", TakeNumber<&CBMWallSlabDeckSection::set_StudHeight>},
    {"SHEARSTUDFU", TakeNumber<&CBMWallSlabDeckSection::set_StudStrength>},
};

// Stiffness modifiers, one-way load distribution, notional load size, the
// deck's steel material and sheet thickness: no place in the model.
constexpr const char* kShellNotModelData[] = {"F11MOD",
                                              "F22MOD",
                                              "F12MOD",
                                              "M11MOD",
                                              "M22MOD",
                                              "M12MOD",
                                              "V13MOD",
                                              "V23MOD",
                                              "MMOD",
                                              "WMOD",
                                              "ONEWAY",
                                              "ONEWAYLOADDIST",
                                              "NOTIONALUSERVALUE",
                                              "NOTIONALSIZETYPE",
                                              "DECKMATERIAL",
                                              "DECKSHEARTHICKNESS"};

// The plain slab kind is what the model's SLAB means; other kinds (drop,
// stiffener, ribbed, waffle, mat, footing) have no place in it.
constexpr const char kPlainSlab[] = "SLAB";

// ---- Link properties --------------------------------------------------------

// The linear stiffnesses of a link: the model's link has no named place for
// them.
constexpr const char* kLinkNotModelData[] = {"U1STIFF", "U2STIFF", "U3STIFF",
                                             "R1STIFF", "R2STIFF", "R3STIFF"};

// ---- Point springs ----------------------------------------------------------

// The stiffness option whose six values the line itself gives.
constexpr const char kUserDefinedSpring[] = "USERDEFINED";

}  // namespace

void ZAdapterEtabs8::ProcessKeyedMaterials(ZComItemList* groups) {
  CBMMaterialList* materials = pMgrGeometry->get_pMaterialList();
  if (!materials) return;
  double gravity = 0.0;
  if (const CBMUnitSystem* units = pBuildingModule->get_pUnitSystem()) {
    if (const Gravity* g = FindEntry(kGravity, units->get_csLengthUnit().view())) gravity = g->g;
  }
  for (int g = 1; g <= groups->GetCount(); ++g) {
    const ZComItemList* group = groups->GetComList(g);
    if (!group) continue;
    // The lines of one material follow one another, each with some of its
    // keys; a name met again (in this block or an earlier one) adds to the
    // material it named.
    CBMMaterial* material = nullptr;
    bool massGiven = false;
    bool weightGiven = false;
    ForEachKeyedLine(group, [&](const ZComItem& line, CString& name, KeyedLine& kl) {
      if (!material) material = materials->ItemAs<CBMMaterial>(name);
      if (!material) material = materials->AddMaterial(name, 0, 0, CString(), 0, 0, 0);
      if (!material) return false;
      MarkNotModelData(kl, kMaterialNotModelData);
      TakeKeys(kMaterialNumbers, *material, kl);
      TakeKeys(bm::reader::kMaterialStrengthKeys, *material, kl);
      massGiven = massGiven || kl.Has(bm::e2k::kMassDensity) || kl.Has(bm::e2k::kMassPerVolume);
      weightGiven = weightGiven || kl.Has(bm::e2k::kWeightDensity) || kl.Has(bm::e2k::kWeightPerVolume);
      for (const MaterialTypeKey& key : kMaterialTypeKeys) {
        const int t = kl.Find(key.key);
        if (!t) continue;
        const MaterialWord* word = FindEntry(kMaterialWords, line.GetString(t, 0).view());
        const bool symmetry = word && word->kind == MaterialWordKind::kSymmetry;
        if (!word || (symmetry && !key.symmetry) || (!symmetry && !key.design)) {
          Skip(bm::skip::kTypeNotRead);
        } else if (symmetry) {
          material->set_Type(word->model);
        } else {
          material->set_DesignType(word->model);
        }
      }
      return true;
    });
    // Decision: later versions give the weight per volume only; the mass per
    // volume the model holds beside it is the weight over standard gravity,
    // as those versions define it. Without a known length unit it stays 0.
    if (material && weightGiven && !massGiven && gravity > 0) material->set_M(material->get_W() / gravity);
  }
}

void ZAdapterEtabs8::ProcessKeyedFrameSections(ZComItemList* groups) {
  CBMFrameSectionList* sections = pMgrGeometry->get_pFrameSectionList();
  CBMMaterialList* materials = pMgrGeometry->get_pMaterialList();
  if (!sections || !materials) return;
  ForEachKeyedLine(groups, [&](const ZComItem& line, CString& name, KeyedLine& kl) {
    MarkNotModelData(kl, kFrameNotModelData);
    const int shape = kl.Find(bm::e2k::kShape);
    const int material = kl.Find(bm::e2k::kMaterial);
    CBMFrameSection* section = sections->ItemAs<CBMFrameSection>(name);
    // A line without shape and material (property modifiers) adds to the
    // section defined before; it never makes one.
    if (!shape && (!material || !section)) {
      if (!section) Skip(material ? bm::skip::kShapeNotRead : bm::skip::kSectionNotFound);
      return section != nullptr;
    }
    bool whole = true;
    if (shape) {
      const CString word = line.GetString(shape, 0);
      if (word.IsEmpty() && !section) {
        Skip(bm::skip::kShapeNotRead);
        return false;
      }
      const ShapeWord* known = FindEntry(kShapeWords, word.view());
      const CString modelShape = known ? CString(known->model) : word;
      if (section) {
        section->set_Shape(modelShape);
      } else {
        section = sections->AddFrameSection(name, modelShape);
      }
      if (!section) return false;
      if (known) {
        for (size_t k = 0; k < known->dims.count; ++k) {
          const DimKey& dim = known->dims.keys[k];
          if (const int t = kl.Find(dim.key)) section->set_ParamItems(dim.slot, line.GetDouble(t, 0));
        }
      } else {
        // A section from a section database names its shape only: it is
        // kept under that name, its properties being the database's. A shape
        // built from dimensions that no model shape holds is kept the same
        // way and counted as not read.
        bool sized = false;
        for (const char* key : kDimensionKeys) sized = kl.Has(key) || sized;
        if (sized || word.IsEmpty() || bm::reader::WordIndex(kShapesNotHeld, word.view()) >= 0) {
          Skip(bm::skip::kShapeNotRead);
          whole = false;
        }
      }
    }
    if (material) {
      if (auto* m = materials->ItemAs<CBMMaterial>(line.GetString(material, 0))) {
        section->set_pMaterial(m);
      } else {
        Skip(bm::skip::kMaterialNotFound);
      }
    }
    // A line counted as not read for its shape does not list its keys too.
    return whole;
  });
}

void ZAdapterEtabs8::ProcessKeyedShellProps(ZComItemList* groups) {
  CBMWallSlabDeckSectionList* sections = pMgrGeometry->get_pWallSlabDeckSectionList();
  CBMMaterialList* materials = pMgrGeometry->get_pMaterialList();
  if (!sections || !materials) return;
  ForEachKeyedLine(groups, [&](const ZComItem& line, CString& name, KeyedLine& kl) {
    MarkNotModelData(kl, kShellNotModelData);
    // Lines of one property (its definition, the rest of a version 9 deck,
    // modifiers) add to one section; only a line that defines makes one.
    auto* section = sections->ItemAs<CBMWallSlabDeckSection>(name);
    if (!section) {
      if (!kl.Has(bm::e2k::kPropType) && !kl.Has(bm::e2k::kMaterial) && !kl.Has(bm::e2k::kConcMaterial)) {
        Skip(bm::skip::kSectionNotFound);
        return false;
      }
      section = sections->AddSection();
      if (!section) return false;
      section->set_Name(name);
    }
    for (const char* key : bm::reader::kShellMaterialKeys) {
      const int t = kl.Find(key);
      if (!t) continue;
      if (auto* m = materials->ItemAs<CBMMaterial>(line.GetString(t, 0))) {
        section->set_pMaterial(m);
      } else {
        Skip(bm::skip::kMaterialNotFound);
      }
    }
    if (const int t = kl.Find(bm::e2k::kPropType)) {
      if (const Word* type = FindEntry(kPropTypes, line.GetString(t, 0).view())) {
        section->set_PropType(type->model);
      } else {
        Skip(bm::skip::kTypeNotRead);
      }
    }
    // Version 9 names the shell and plate types as the model does, and keeps
    // the version 8 keys of the deck type and the numbers.
    TakeKeys(bm::reader::kShellKeys, *section, kl);
    if (const int t = kl.Find(bm::e2k::kModelingType)) {
      if (const ModelingType* type = FindEntry(kModelingTypes, line.GetString(t, 0).view())) {
        section->set_ShellType(type->shellType);
        section->set_PlateType(type->plateType);
      } else {
        Skip(bm::skip::kTypeNotRead);
      }
    }
    if (const int t = kl.Find(bm::e2k::kSlabType)) {
      if (line.GetString(t, 0) != kPlainSlab) kl.NotModelData(bm::e2k::kSlabType);
    }
    TakeKeys(kShellLaterNumbers, *section, kl);
    // The model's rib width is the mean width of a rib; later versions give
    // the widths at top and bottom.
    const int top = kl.Find(bm::e2k::kRibWidthTop);
    const int bottom = kl.Find(bm::e2k::kRibWidthBottom);
    if (top && bottom) {
      section->set_RibWidth((line.GetDouble(top, 0) + line.GetDouble(bottom, 0)) / 2);
    } else if (top || bottom) {
      section->set_RibWidth(line.GetDouble(top ? top : bottom, 0));
    }
    // Decision: a deck of a later version is always modelled as a membrane
    // (those versions offer no other kind), which the model says with its
    // shell type.
    if (section->get_PropType() == bm::e2k::kPropDeck && section->get_ShellType().IsEmpty()) {
      section->set_ShellType(bm::e2k::kShellMembrane);
    }
    return true;
  });
}

void ZAdapterEtabs8::ProcessKeyedAutoSections(ZComItemList* lines) {
  CBMAutoSectionList* lists = pMgrGeometry->get_pAutoSectionList();
  CBMFrameSectionList* sections = pMgrGeometry->get_pFrameSectionList();
  if (!lists || !sections) return;
  // AUTOSECTION "list" "section" "section" ...: a list written over several
  // lines, its candidates as quoted names without keys.
  ForEachNamedLine(lines, [&](const ZComItem& line, CString& name) {
    auto* list = lists->ItemAs<CBMAutoSection>(name);
    if (!list) {
      auto made = std::make_unique<CBMAutoSection>();
      made->set_Name(name);
      list = lists->Adopt(std::move(made));  // the model's list owns it
    }
    bool missing = false;
    for (int t = 3; t <= line.GetItemCount(); ++t) {
      const CString candidate = line.GetString(t, 0);
      if (candidate.IsEmpty()) continue;  // a blank name pads some lines
      auto* section = sections->ItemAs<CBMFrameSection>(candidate);
      if (!section) {
        missing = true;
        continue;
      }
      // Adding to a list renumbers the member; a frame section keeps the Id
      // of its place in the section list, which members refer to.
      const int id = section->get_Id();
      list->get_SectionList().Add(section);
      section->set_Id(id);
    }
    if (missing) Skip(bm::skip::kSectionNotFound);
  });
}

void ZAdapterEtabs8::ProcessKeyedPointSprings(ZComItemList* groups) {
  ForEachKeyedLine(groups, [&](const ZComItem& line, CString& name, KeyedLine& kl) {
    // Other options take the stiffness from elsewhere (a soil profile or a
    // footing), which the file does not hold: not read.
    if (const int t = kl.Find(bm::e2k::kStiffnessOption)) {
      if (line.GetString(t, 0) != kUserDefinedSpring) {
        Skip(bm::skip::kTypeNotRead);
        return false;
      }
    }
    // Lines of one name add to one spring.
    auto found = PointSprings.find(name.view());
    if (found == PointSprings.end()) found = PointSprings.emplace(name.str(), std::array<double, 6>{}).first;
    for (size_t k = 0; k < found->second.size(); ++k) {
      if (const int t = kl.Find(bm::e2k::kJointDofWords[k])) found->second[k] = line.GetDouble(t, 0);
    }
    return true;
  });
}

void ZAdapterEtabs8::ProcessKeyedLinks(ZComItemList* groups) {
  CBMLinkList* links = pMgrGeometry->get_pLinkList();
  if (!links) return;
  ForEachKeyedLine(groups, [&](const ZComItem& line, CString& name, KeyedLine& kl) {
    // The lines of one link (type, each degree of freedom, its values) add
    // to one link, as in version 8 files; read by key, so that a value the
    // model cannot hold is reported instead of passed over.
    auto* link = links->ItemAs<CBMLink>(name);
    if (!link) link = links->AddLink(name);
    if (!link) return false;
    MarkNotModelData(kl, kLinkNotModelData);
    if (const int t = kl.Find(bm::e2k::kType)) link->LinkType = line.GetString(t, 0);
    for (const int t : kl.FindAll(bm::e2k::kDof)) {
      bm::reader::ForEachWord(line, t, t, [&](std::string_view word) {
        const int f = bm::reader::WordIndex(bm::e2k::kLinkDofWords, word);
        if (f >= 0) {
          link->*bm::reader::kLinkDofFlags[f] = 1;
        } else {
          Skip(bm::skip::kNotRead);
        }
      });
    }
    return true;
  });
}
