// Handlers of the definition blocks: units, storeys, diaphragms, materials,
// frame sections, wall/slab/deck properties, links, pier/spandrel labels.
// Each receives the grouped form of its block: one group per object name.
#include "etabs_reader/ZAdapterEtabs8.h"

#include "etabs_reader/WordTables.h"
#include "e2k_format/E2kKeywords.h"
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
constexpr const char* kShapes[] = {"RECTANGULAR", "CIRCLE",  "GENERAL",  "TEE",          "ANGLE",
                                   "CHANNEL",     "PIPE",    "BOX/TUBE", "I/WIDE FLANGE"};

bool IsKnownShape(const CString& shape) { return bm::reader::WordIndex(kShapes, shape.view()) >= 0; }

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
    auto* level = dynamic_cast<CBMLevel*>(levels->GetItem(base + i));
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
    const int count = design->GetItemCount();
    for (int k = 2; 2 * k <= count; ++k) {
      const int key = 2 * k - 1;
      const int value = 2 * k;
      if (design->TokenIs(key, "DESIGNTYPE")) {
        material->set_DesignType(design->GetString(value, 0));
      } else if (design->TokenIs(key, "FY")) {
        material->set_FY(design->GetDouble(value, 0));
      } else if (design->TokenIs(key, "FU")) {
        material->set_FU(design->GetDouble(value, 0));
      } else if (design->TokenIs(key, "PRICE")) {
        material->set_Price(design->GetDouble(value, 0));
      } else if (design->TokenIs(key, "FYS")) {
        material->set_FYS(design->GetDouble(value, 0));
      } else if (design->TokenIs(key, "FC")) {
        material->set_FC(design->GetDouble(value, 0));
      }
    }
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
      if (line->TokenIs(4, "AUTO SELECT LIST") || line->TokenIs(4, "AUTO SELECT")) {
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
    auto* material = dynamic_cast<CBMMaterial*>(materials->GetItem(line->GetString(4, 0)));
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
    for (int l = 1; l <= group->GetCount(); ++l) {
      const ZComItem* line = group->GetComItem(l);
      if (!line) continue;
      const int count = line->GetItemCount();
      for (int k = 1; 2 * k <= count; ++k) {
        const int key = 2 * k - 1;
        const int value = 2 * k;
        if (line->TokenIs(key, bm::e2k::kShellProp)) {
          CString name = line->GetString(value, 0);
          section->set_Name(name);
        } else if (line->TokenIs(key, "MATERIAL") || line->TokenIs(key, "CONCMATERIAL")) {
          section->set_pMaterial(materials->GetMaterial(line->GetString(value, 0)));
        } else if (line->TokenIs(key, bm::e2k::kPropType)) {
          section->set_PropType(line->GetString(value, 0));
        } else if (line->TokenIs(key, "TYPE")) {
          section->set_ShellType(line->GetString(value, 0));
        } else if (line->TokenIs(key, "PLATETYPE")) {
          section->set_PlateType(line->GetString(value, 0));
        } else if (line->TokenIs(key, "TM")) {
          section->set_TM(line->GetDouble(value, 0));
        } else if (line->TokenIs(key, "TB")) {
          section->set_TB(line->GetDouble(value, 0));
        } else if (line->TokenIs(key, "DECKTYPE")) {
          section->set_DeckType(line->GetString(value, 0));
        } else if (line->TokenIs(key, "SLABDEPTH")) {
          section->set_SlabDepth(line->GetDouble(value, 0));
        } else if (line->TokenIs(key, "RIBDEPTH")) {
          section->set_RibDepth(line->GetDouble(value, 0));
        } else if (line->TokenIs(key, "RIBWIDTH")) {
          section->set_RibWidth(line->GetDouble(value, 0));
        } else if (line->TokenIs(key, "RIBSPACING")) {
          section->set_RibSpacing(line->GetDouble(value, 0));
        } else if (line->TokenIs(key, "WEIGHT")) {
          section->set_Weight(line->GetDouble(value, 0));
        } else if (line->TokenIs(key, "STUDDIA")) {
          section->set_StuDia(line->GetDouble(value, 0));
        } else if (line->TokenIs(key, "STUDHEIGHT")) {
          section->set_StudHeight(line->GetDouble(value, 0));
        } else if (line->TokenIs(key, "STUDSTRENGTH")) {
          section->set_StudStrength(line->GetDouble(value, 0));
        }
      }
    }
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
    for (int l = 1; l <= group->GetCount(); ++l) {
      const ZComItem* line = group->GetComItem(l);
      if (!line) continue;
      const int count = line->GetItemCount();
      for (int k = 1; 2 * k <= count; ++k) {
        const int key = 2 * k - 1;
        const int value = 2 * k;
        if (line->TokenIs(key, bm::e2k::kLinkProp)) {
          CString name = line->GetString(value, 0);
          link->set_Name(name);
        } else if (line->TokenIs(key, "TYPE")) {
          link->LinkType = line->GetString(value, 0);
        } else if (line->TokenIs(key, "DOF")) {
          // Flags are only ever set, never cleared.
          if (line->TokenIs(value, "U1")) link->DofU1 = 1;
          else if (line->TokenIs(value, "U2")) link->DofU2 = 1;
          else if (line->TokenIs(value, "U3")) link->DofU3 = 1;
          else if (line->TokenIs(value, "R1")) link->DofR1 = 1;
          else if (line->TokenIs(value, "R2")) link->DofR2 = 1;
          else if (line->TokenIs(value, "R3")) link->DofR3 = 1;
        }
      }
    }
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
