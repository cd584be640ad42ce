// Handlers of the definition blocks: units, storeys, diaphragms, materials,
// frame sections, wall/slab/deck properties, links, pier/spandrel labels.
// Each receives the grouped form of its block: one group per object name.
#include "e2k_format/E2kKeywords.h"
#include "etabs_reader/KeyTable.h"
#include "etabs_reader/PropertyKeys.h"
#include "etabs_reader/WordTables.h"
#include "etabs_reader/ZAdapterEtabs8.h"
#include "model/BuildingModule.h"
#include "model/geometry/BMDiaphragm.h"
#include "model/geometry/BMLevel.h"
#include "properties/BMFrameSection.h"
#include "properties/BMLink.h"
#include "properties/BMMaterial.h"
#include "properties/BMPierSpandrel.h"
#include "properties/BMUnitSystem.h"
#include "properties/BMWallSlabDeckSection.h"

namespace {

// Number of dimension slots of a frame section.
constexpr int kFrameSectionSlots = 20;

// The frame-section shape words that make a section.
constexpr const char* kShapes[] = {"RECTANGULAR", "CIRCLE", "GENERAL",  "TEE",          "ANGLE",
                                   "CHANNEL",     "PIPE",   "BOX/TUBE", "I/WIDE FLANGE"};

bool IsKnownShape(const CString& shape) { return bm::reader::WordIndex(kShapes, shape.view()) >= 0; }

using bm::reader::KeyField;
using bm::reader::kMaterialStrengthKeys;
using bm::reader::kShellKeys;
using bm::reader::kShellMaterialKeys;
using bm::reader::TakeKey;
using bm::reader::TakeKeys;
using bm::reader::TakeWord;

// The design type of a version 8 material, taken as written; the strengths
// beside it are bm::reader::kMaterialStrengthKeys.
constexpr KeyField<CBMMaterial> kMaterialDesignKeys[] = {
    {bm::e2k::kDesignType, TakeWord<&CBMMaterial::set_DesignType>}};

// The keys only a version 8 shell property has (beside bm::reader::kShellKeys
// and the material keys): its name, and its property type as written.
constexpr KeyField<CBMWallSlabDeckSection> kShellDefinitionKeys[] = {
    {bm::e2k::kShellProp, bm::reader::TakeName<CBMWallSlabDeckSection>},
    {bm::e2k::kPropType, TakeWord<&CBMWallSlabDeckSection::set_PropType>}};

// A DOF value sets the flag of its word; flags are only ever set, never
// cleared, and another word changes nothing.
void TakeLinkDof(CBMLink& link, const ZComItem& line, int value) {
  const int f = bm::reader::KeyIndex(bm::e2k::kLinkDofWords, line, value);
  if (f >= 0) link.*bm::reader::kLinkDofFlags[f] = 1;
}

constexpr KeyField<CBMLink> kLinkKeys[] = {{bm::e2k::kLinkProp, bm::reader::TakeName<CBMLink>},
                                           {bm::e2k::kType, TakeWord<&CBMLink::LinkType>},
                                           {bm::e2k::kDof, TakeLinkDof}};

}  // namespace

void ZAdapterEtabs8::ProcessUnits(ZComItemList* groups) {
  // Only the UNITS line itself sets the model; the title and preference
  // lines of the block (TITLE1, PREFERENCE, ...) have no place in it.
  bool unitsRead = false;
  CBMUnitSystem* units = pBuildingModule->get_pUnitSystem();
  for (int g = 1; g <= groups->GetCount(); ++g) {
    const ZComItemList* group = groups->GetComList(g);
    for (int l = 1; group && l <= group->GetCount(); ++l) {
      const ZComItem* line = group->GetComItem(l);
      if (!line) continue;
      if (!unitsRead && units && line->TokenIs(1, bm::e2k::kUnits)) {
        units->set_csForceUnit(line->GetString(2, 0));
        units->set_csLengthUnit(line->GetString(3, 0));
        unitsRead = true;
      } else if (line->TokenIs(1, bm::e2k::kUnits)) {
        SkipLine(line, bm::skip::kNotRead);  // a second UNITS line
      } else {
        Report.CountNotModelData(line->Token(1));
      }
    }
  }
}

void ZAdapterEtabs8::ForEachNewStorey(const ZComItemList* groups,
                                      const std::function<void(const ZComItemList&, CBMLevel*)>& fn) {
  CBMLevelList* levels = pMgrGeometry->get_pLevelList();
  if (!levels) return;
  const int n = groups->GetCount();
  // Decision: the new storeys go to the levels appended here. The legacy
  // reader wrote positions 1 to n, renaming levels a module already held and
  // leaving the appended ones unnamed.
  const int base = levels->GetCount();
  levels->CreateLevels(n);
  for (int i = 1; i <= n; ++i) {
    const ZComItemList* group = groups->GetComList(n - i + 1);
    CBMLevel* level = levels->ItemAs<CBMLevel>(base + i);
    if (group && level) fn(*group, level);
  }
}

void ZAdapterEtabs8::ProcessStories(ZComItemList* groups) {
  ForEachNewStorey(groups, [&](const ZComItemList& group, CBMLevel* level) {
    const ZComItem* line = group.GetComItem(1);
    if (!line) return;
    CString name = line->GetString(2, 0);
    level->set_Name(name);
    if (line->TokenIs(3, bm::e2k::kElev)) {
      level->set_EleHeight(line->GetDouble(4, 0));
    } else {
      level->set_Height(line->GetDouble(4, 0));
    }
    if (group.GetCount() > 1) Skip(bm::skip::kNotRead, group.GetCount() - 1);
  });
}

void ZAdapterEtabs8::ProcessDiaphragm(ZComItemList* groups) {
  CBMDiaphragmList* diaphragms = pMgrGeometry->get_pDiaphragmList();
  if (!diaphragms) return;
  for (int g = 1; g <= groups->GetCount(); ++g) {
    const ZComItemList* group = groups->GetComList(g);
    const ZComItem* line = group ? group->GetComItem(1) : nullptr;
    if (!line) continue;
    CString name = line->GetString(2, 0);
    diaphragms->AddDiaphragm(name);
  }
}

void ZAdapterEtabs8::ProcessMaterial(ZComItemList* groups) {
  CBMMaterialList* materials = pMgrGeometry->get_pMaterialList();
  if (!materials) return;
  for (int g = 1; g <= groups->GetCount(); ++g) {
    const ZComItemList* group = groups->GetComList(g);
    const ZComItem* first = group ? group->GetComItem(1) : nullptr;
    if (!first) continue;
    // The property line, by position.
    CString name = first->GetString(2, 0);
    CBMMaterial* material =
        materials->AddMaterial(name, first->GetDouble(4, 0), first->GetDouble(6, 0), first->GetString(8, 0),
                               first->GetDouble(10, 0), first->GetDouble(12, 0), first->GetDouble(14, 0));
    // Decision: a group of one line (a material written without a design
    // line) keeps the values of that line.
    const ZComItem* design = group->GetComItem(2);
    if (!design || !material) continue;
    // Its pairs follow the keyword and the name.
    bm::reader::ForEachPair(*design, 3, [&](int key, int value) {
      if (!TakeKey(kMaterialStrengthKeys, *material, *design, key, value)) {
        TakeKey(kMaterialDesignKeys, *material, *design, key, value);
      }
    });
    if (group->GetCount() > 2) Skip(bm::skip::kNotRead, group->GetCount() - 2);
  }
}

void ZAdapterEtabs8::ProcessFrameSection(ZComItemList* groups) {
  CBMFrameSectionList* sections = pMgrGeometry->get_pFrameSectionList();
  CBMMaterialList* materials = pMgrGeometry->get_pMaterialList();
  if (!sections || !materials) return;
  for (int g = 1; g <= groups->GetCount(); ++g) {
    const ZComItemList* group = groups->GetComList(g);
    const ZComItem* line = group ? group->GetComItem(1) : nullptr;
    if (!line) continue;
    if (group->GetCount() > 1) Skip(bm::skip::kNotRead, group->GetCount() - 1);
    if (line->TokenIs(3, bm::e2k::kShape)) {
      // Decision: an auto-select list (written `SHAPE "Auto Select List"`)
      // is kept as a section of the auto-select shape, so that the members
      // that name it keep it; the legacy reader dropped it.
      if (line->TokenIs(4, bm::e2k::kAutoSelectList) || line->TokenIs(4, bm::e2k::kAutoSelect)) {
        CString name = line->GetString(2, 0);
        sections->AddFrameSection(name, bm::e2k::kShapeAutoSelect);
      } else {
        Skip(bm::skip::kAutoSelectList);
      }
      continue;
    }
    const CString shape = line->GetString(6, 0);
    // Decision: a shape word the model has no dimensions for (a section
    // named from a section database, such as SHAPE "W18X35") keeps its
    // section under that word, without dimensions, so that members keep it.
    // The legacy reader dropped such sections and every member lost them.
    const bool known = IsKnownShape(shape);
    if (shape.IsEmpty()) {
      Skip(bm::skip::kShapeNotRead);
      continue;
    }
    CString name = line->GetString(2, 0);
    CBMFrameSection* section = sections->AddFrameSection(name, shape);
    auto* material = materials->ItemAs<CBMMaterial>(line->GetString(4, 0));
    if (!section || !material) continue;
    section->set_pMaterial(material);
    if (!known) continue;
    // Values by position: token 2k goes to slot k - 4, the key words between
    // them play no part.
    const int pairs = line->GetItemCount() / 2;
    // Decision: values beyond the section's slots are dropped.
    for (int k = 4; k <= pairs && k - 4 < kFrameSectionSlots; ++k) {
      section->set_ParamItems(k - 4, line->GetDouble(2 * k, 0));
    }
  }
}

void ZAdapterEtabs8::ProcessWallSlabDeckProperty(ZComItemList* groups) {
  CBMWallSlabDeckSectionList* sections = pMgrGeometry->get_pWallSlabDeckSectionList();
  CBMMaterialList* materials = pMgrGeometry->get_pMaterialList();
  if (!sections || !materials) return;
  for (int g = 1; g <= groups->GetCount(); ++g) {
    const ZComItemList* group = groups->GetComList(g);
    if (!group) continue;
    CBMWallSlabDeckSection* section = sections->AddSection();
    if (!section) continue;
    // Every line of the group is read as key/value pairs from token 1.
    bm::reader::ForEachGroupPair(*group, 1, [&](const ZComItem& line, int key, int value) {
      if (TakeKey(kShellKeys, *section, line, key, value) ||
          TakeKey(kShellDefinitionKeys, *section, line, key, value)) {
        return;
      }
      for (const char* word : kShellMaterialKeys) {
        if (line.TokenIs(key, word)) section->set_pMaterial(materials->GetMaterial(line.GetString(value, 0)));
      }
    });
  }
}

void ZAdapterEtabs8::ProcessLinks(ZComItemList* groups) {
  CBMLinkList* links = pMgrGeometry->get_pLinkList();
  if (!links) return;
  for (int g = 1; g <= groups->GetCount(); ++g) {
    const ZComItemList* group = groups->GetComList(g);
    if (!group) continue;
    CString empty;
    CBMLink* link = links->AddLink(empty);
    if (!link) continue;
    TakeKeys(kLinkKeys, *link, *group, 1);
  }
}

void ZAdapterEtabs8::ProcessPierSpandrel(ZComItemList* groups) {
  CBMPierSpandrelList* labels = pMgrGeometry->get_pPierSpandrelList();
  if (!labels) return;
  for (int g = 1; g <= groups->GetCount(); ++g) {
    const ZComItemList* group = groups->GetComList(g);
    const ZComItem* line = group ? group->GetComItem(1) : nullptr;
    if (!line) continue;
    CString name = line->GetString(2, 0);
    if (line->TokenIs(1, bm::e2k::kPierName)) {
      labels->AddPierSpandrel(false, name);
    } else if (line->TokenIs(1, bm::e2k::kSpandrelName)) {
      labels->AddPierSpandrel(true, name);
    } else {
      Skip(bm::skip::kNotRead);
    }
  }
}
