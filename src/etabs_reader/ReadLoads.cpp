// Handlers of the load blocks: load cases with their user wind loads, point
// loads on joints, line loads on members, area loads on slabs and walls, and
// load combinations (grouped by name).
#include <memory>

#include "e2k_format/E2kKeywords.h"
#include "etabs_reader/KeyTable.h"
#include "etabs_reader/MemberKinds.h"
#include "etabs_reader/ZAdapterEtabs8.h"
#include "loads/BMLoadCase.h"
#include "loads/BMLoadCom.h"
#include "model/BuildingModule.h"
#include "model/geometry/BMJoint.h"
#include "model/geometry/BMLevel.h"
#include "model/geometry/BMLine.h"
#include "model/geometry/BMLineElement.h"

namespace {

// Sets the value of each key/value pair of `line`, by position from token
// `first` on, whose key is in `keys` (in the same order as `values`).
template <size_t N>
void ReadPairs(const ZComItem& line, int first, const char* const (&keys)[N], double (&values)[N]) {
  bm::reader::ForEachPair(line, first, [&](int key, int value) {
    const int v = bm::reader::KeyIndex(keys, line, key);
    if (v >= 0) values[v] = line.GetDouble(value, 0);
  });
}

}  // namespace

void ZAdapterEtabs8::ProcessLoadCase(ZComItemList* block) {
  CBMLoadCaseList* cases = pMgrGeometry->GetLoadCaseList();
  if (!cases) return;
  for (int i = 1; i <= block->GetCount(); ++i) {
    const ZComItem* line = block->GetComItem(i);
    if (!line) continue;
    if (line->TokenIs(1, bm::e2k::kLoadCase)) {
      // No check for an existing case of the same name: both are kept.
      CString name = line->GetString(2, 0);
      cases->AddLoadCase(name, line->GetString(4, 0), line->GetDouble(6, 0));
    } else if (line->TokenIs(1, bm::e2k::kWind) && line->TokenIs(3, bm::e2k::kUserLoad)) {
      CBMLoadCase* loadCase = cases->GetLoadCase(line->GetString(2, 0));
      if (!loadCase) {
        SkipLine(line, bm::skip::kLoadCaseNotFound);
        continue;
      }
      double v[5] = {0.0, 0.0, 0.0, 0.0, 0.0};
      ReadPairs(*line, 6, bm::e2k::kUserLoadKeys, v);
      loadCase->AddWindItem(line->GetString(4, 0), line->GetString(5, 0), v[0], v[1], v[2], v[3], v[4]);
    } else if (line->TokenIs(1, bm::e2k::kWind) && line->GetItemCount() <= 3) {
      // The WIND ... "USER" heading of the user loads that follow says
      // nothing of its own.
      Report.CountNotModelData(line->Token(1));
    } else {
      // Any other line (a code-based wind load, another keyword).
      SkipLine(line, bm::skip::kNotRead);
    }
  }
}

void ZAdapterEtabs8::ProcessPointLoad(ZComItemList* block) {
  for (int i = 1; i <= block->GetCount(); ++i) {
    const ZComItem* line = block->GetComItem(i);
    if (!line) continue;
    CBMLevel* level = StoreyOrSkip(line);
    if (!level) continue;
    auto* joint =
        FindOrSkip<CBMJoint>(level->get_theCBMJointList(), line->GetString(2, 0), bm::skip::kJointNotFound);
    if (!joint) continue;
    static const char* const kKeys[] = {"FX", "FY", "FZ", "RX", "RY", "RZ"};
    double v[6] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
    ReadPairs(*line, 8, kKeys, v);
    joint->AddJointLoad(line->GetString(7, 0), line->GetString(5, 0), v[0], v[1], v[2], v[3], v[4], v[5]);
  }
}

CBMLineElement* ZAdapterEtabs8::LoadedMember(CBMLevel* level, CString name) {
  if (LastLoaded.element && LastLoaded.level == level && LastLoaded.name == name) return LastLoaded.element;
  auto* line = FindOrSkip<CBMLine>(pMgrGeometry->get_pLineList(), name, bm::skip::kLineNotFound);
  if (!line) return nullptr;
  const bm::reader::LineKind* kind = LineKindOrSkip(line->GetType());
  if (!kind) return nullptr;
  // A brace is made when missing (without line or joints).
  CBMLineElement* element =
      kind->madeByLoad ? kind->add(level, name) : kind->list(level)->ItemAs<CBMLineElement>(name);
  if (!element) {
    Skip(bm::skip::kMemberNotFound);
    return nullptr;
  }
  LastLoaded = {level, std::move(name), element};
  return element;
}

void ZAdapterEtabs8::ProcessLineLoad(ZComItemList* block) {
  if (!pMgrGeometry->get_pLineList()) return;
  for (int i = 1; i <= block->GetCount(); ++i) {
    const ZComItem* text = block->GetComItem(i);
    if (!text) continue;
    CBMLevel* level = StoreyOrSkip(text);
    if (!level) continue;
    CBMLineElement* element = LoadedMember(level, text->GetString(2, 0));
    if (!element) continue;
    const CString loadType = text->GetString(5, 0);
    if (loadType == bm::e2k::kTrapezoidal) {
      // Start force, end force, start and end distance by position.
      element->AddLineLoad(text->GetString(9, 0), bm::e2k::kTrapezoidal, text->GetString(7, 0),
                           text->GetDouble(15, 0), text->GetDouble(11, 0), text->GetDouble(17, 0),
                           text->GetDouble(13, 0));
    } else if (loadType == bm::e2k::kUniform) {
      element->AddLineLoad(text->GetString(9, 0), bm::e2k::kUniform, text->GetString(7, 0), 0.0,
                           text->GetDouble(11, 0), 0.0, 0.0);
    } else if (loadType == bm::e2k::kPointForce) {
      // Force (FVAL) at a distance by position (RDIST): the load keeps them
      // as its start force and start distance.
      element->AddLineLoad(text->GetString(9, 0), bm::e2k::kPointForce, text->GetString(7, 0),
                           text->GetDouble(13, 0), text->GetDouble(11, 0), 0.0, 0.0);
    } else {
      Skip(bm::skip::kTypeNotRead);
    }
  }
}

void ZAdapterEtabs8::ProcessAreaLoad(ZComItemList* block) {
  // The line of a version 8 file has the keys of later versions (TYPE, DIR,
  // LC, FVAL after the area and storey names): one handler reads both.
  ProcessKeyedAreaLoads(block);
}

void ZAdapterEtabs8::ProcessComboLoad(ZComItemList* groups) {
  CBMComponentList* combos = pMgrGeometry->Get_pLoadCombination();
  if (!combos) return;
  for (int g = 1; g <= groups->GetCount(); ++g) {
    const ZComItemList* group = groups->GetComList(g);
    if (!group) continue;
    CBMLoadCom* combo = combos->Adopt(std::make_unique<CBMLoadCom>());
    for (int l = 1; l <= group->GetCount(); ++l) {
      const ZComItem* line = group->GetComItem(l);
      if (!line) continue;
      // A LOAD pair opens a term; the next SF pair on the same line closes
      // it. Decision: an unclosed term is freed (the legacy reader leaked it).
      std::unique_ptr<CBMLoadComItem> pending;
      // The first COMBO pair (the line's keyword) names the combination; a
      // later one opens a term naming another combination.
      bool named = false;
      bm::reader::ForEachPair(*line, 1, [&](int key, int value) {
        if (line->TokenIs(key, bm::e2k::kType)) {
          combo->set_sType(line->GetString(value, 0));
        } else if (line->TokenIs(key, bm::e2k::kLoad) || (named && line->TokenIs(key, bm::e2k::kCombo))) {
          if (pending) Skip(bm::skip::kIncompleteTerm);
          pending = std::make_unique<CBMLoadComItem>();
          pending->set_CaseName(line->GetString(value, 0));
        } else if (line->TokenIs(key, bm::e2k::kScaleFactor)) {
          if (pending) {
            pending->set_Factor(line->GetDouble(value, 0));
            combo->AddLoadCaseItem(pending.release());  // takes ownership
          }
        } else if (line->TokenIs(key, bm::e2k::kCombo)) {
          CString name = line->GetString(value, 0);
          combo->set_Name(name);
          named = true;
        }
      });
      if (pending) Skip(bm::skip::kIncompleteTerm);
    }
  }
}
