// ZAdapterEtabs8: the keyword table, dispatch in file order, grouping of
// blocks, removal of unused diaphragms, and the read report.
#include "etabs_reader/ZAdapterEtabs8.h"

#include <memory>
#include <unordered_set>

#include "etabs_writer/E2kKeywords.h"
#include "model/BuildingModule.h"
#include "model/geometry/BMDiaphragm.h"
#include "model/geometry/BMLevel.h"
#include "model/geometry/BMShellElement.h"

// The keywords in comparison order; the first exact (case-sensitive) match
// decides. Skipped keywords are named so that the report tells them apart
// from keywords the reader does not know.
const ZAdapterEtabs8::KeywordEntry ZAdapterEtabs8::kKeywords[] = {
    {bm::e2k::kUnits, Form::kGrouped, &ZAdapterEtabs8::ProcessUnits},
    {bm::e2k::kStory, Form::kGrouped, &ZAdapterEtabs8::ProcessStories},
    {bm::e2k::kDiaphragm, Form::kGrouped, &ZAdapterEtabs8::ProcessDiaphragm},
    {"COORDSYSTEM", Form::kSkipped, nullptr},
    {bm::e2k::kMaterial, Form::kGrouped, &ZAdapterEtabs8::ProcessMaterial},
    {bm::e2k::kFrameSection, Form::kGrouped, &ZAdapterEtabs8::ProcessFrameSection},
    {"AUTOSECTION", Form::kSkipped, nullptr},
    {"REBARDEFINITION", Form::kSkipped, nullptr},
    {"CONCRETESECTION", Form::kSkipped, nullptr},
    {bm::e2k::kShellProp, Form::kGrouped, &ZAdapterEtabs8::ProcessWallSlabDeckProperty},
    {bm::e2k::kLinkProp, Form::kGrouped, &ZAdapterEtabs8::ProcessLinks},
    {bm::e2k::kPierName, Form::kGrouped, &ZAdapterEtabs8::ProcessPierSpandrel},
    {bm::e2k::kSpandrelName, Form::kGrouped, &ZAdapterEtabs8::ProcessPierSpandrel},
    {bm::e2k::kPoint, Form::kPlain, &ZAdapterEtabs8::ProcessPointCoordinate},
    {bm::e2k::kLine, Form::kPlain, &ZAdapterEtabs8::ProcessLines},
    {bm::e2k::kArea, Form::kPlain, &ZAdapterEtabs8::ProcessArea},
    {bm::e2k::kPointAssign, Form::kPlain, &ZAdapterEtabs8::ProcessPointAssignment},
    {bm::e2k::kLineAssign, Form::kPlain, &ZAdapterEtabs8::ProcessLineAssignment},
    {bm::e2k::kAreaAssign, Form::kPlain, &ZAdapterEtabs8::ProcessAreaAssignment},
    {bm::e2k::kLoadCase, Form::kPlain, &ZAdapterEtabs8::ProcessLoadCase},
    {bm::e2k::kPointLoad, Form::kPlain, &ZAdapterEtabs8::ProcessPointLoad},
    {bm::e2k::kLineLoad, Form::kPlain, &ZAdapterEtabs8::ProcessLineLoad},
    {bm::e2k::kAreaLoad, Form::kPlain, &ZAdapterEtabs8::ProcessAreaLoad},
    {bm::e2k::kActiveDof, Form::kSkipped, nullptr},
    {bm::e2k::kCombo, Form::kGrouped, &ZAdapterEtabs8::ProcessComboLoad},
    {"CONCRETEPREFERENCE", Form::kSkipped, nullptr},
    {"COMPOSITEPREFERENCE", Form::kSkipped, nullptr},
    {"WALLPREFERENCE", Form::kSkipped, nullptr},
    {"DIMENSIONLINE", Form::kSkipped, nullptr},
};

void ZAdapterEtabs8::SetBuildingModule(CBuildingModule* p) {
  pBuildingModule = p;
  pMgrGeometry = p ? p->get_pMgrGeometry() : nullptr;
}

bool ZAdapterEtabs8::ReadFile(CString& path) {
  // Decision: without a module there is nothing to fill; refuse.
  if (!pBuildingModule || !pMgrGeometry) return false;
  ZComItemList* blocks = FileReader.GetBlockList();
  const int before = blocks->GetCount();
  if (!FileReader.Open(path)) return false;
  pBlockList = blocks;
  Report.Clear();
  LastLevel = LevelCache();  // the host may have changed the levels since
  // Decision: only the blocks of this file are handled. Handling the blocks
  // of an earlier call again would add that file's objects a second time.
  FillETABS8Module(before + 1);
  DeleteEmptyDiaphram();
  return true;
}

void ZAdapterEtabs8::Skip(std::string_view reason, int lines) { Report.Count(CurrentKeyword, reason, lines); }

void ZAdapterEtabs8::FillETABS8Module(int first) {
  // The count is read again after every block.
  for (int i = first; pBlockList && i <= pBlockList->GetCount(); ++i) {
    ZComItemList* block = pBlockList->GetComList(i);
    if (!block) continue;
    CurrentKeyword = block->name().str();
    const KeywordEntry* entry = nullptr;
    for (const KeywordEntry& e : kKeywords) {
      if (block->name() == e.keyword) {
        entry = &e;
        break;
      }
    }
    if (!entry) {
      Skip(bm::skip::kNoHandler, block->GetCount());
    } else {
      switch (entry->form) {
        case Form::kSkipped:
          Skip(bm::skip::kIgnoredKeyword, block->GetCount());
          break;
        case Form::kPlain:
          (this->*entry->handler)(block);
          break;
        case Form::kGrouped: {
          ZComItemList grouped;  // deletes its groups, and they their lines
          RetrieveCombineBlock(block, &grouped);
          (this->*entry->handler)(&grouped);
          break;
        }
      }
    }
    // Decision: the lines of a handled block are freed at once (the named,
    // empty block stays in the list). Nothing reads them again, and a large
    // file then never holds all its tokens and the whole model together.
    block->DeleteAll();
  }
  pMgrGeometry->ProcessGeometry();
}

void ZAdapterEtabs8::RetrieveCombineBlock(ZComItemList* block, ZComItemList* grouped) {
  if (!block || !grouped) return;
  CString previous;
  std::unique_ptr<ZComItemList> open;
  int dropped = 0;
  for (int i = 1; i <= block->GetCount(); ++i) {
    const ZComItem* line = block->GetComItem(i);
    if (!line) continue;
    auto copy = std::make_unique<ZComItem>(line);
    CString key = line->GetString(2, 0);
    if (key != previous) {
      if (open) grouped->Add(open.release());
      open = std::make_unique<ZComItemList>();
      open->set_Name(key);
      previous = std::move(key);
      open->Add(copy.release());
    } else if (open) {
      open->Add(copy.release());
    } else {
      // Legacy: leading lines without a second token have no group to join.
      ++dropped;
    }
  }
  if (open) grouped->Add(open.release());
  if (dropped) Skip(bm::skip::kTooFewTokens, dropped);
}

void ZAdapterEtabs8::DeleteEmptyDiaphram() {
  if (!pMgrGeometry) return;
  CBMDiaphragmList* list = pMgrGeometry->get_pDiaphragmList();
  if (!list) return;
  // Decision: a diaphragm that a slab refers to stays, although no point
  // counts for it, so that no slab is left pointing to a deleted object.
  std::unordered_set<const CBMDiaphragm*> usedBySlabs;
  if (CBMLevelList* levels = pMgrGeometry->get_pLevelList()) {
    for (int l = 1; l <= levels->GetCount(); ++l) {
      auto* level = dynamic_cast<CBMLevel*>(levels->GetItem(l));
      if (!level) continue;
      CBMSlabList* slabs = level->get_theCBMSlabList();
      for (int s = 1; s <= slabs->GetCount(); ++s) {
        auto* slab = dynamic_cast<CBMSlab*>(slabs->GetItem(s));
        if (slab && slab->GetDiaphram()) usedBySlabs.insert(slab->GetDiaphram());
      }
    }
  }
  int i = 1;
  while (i <= list->GetCount()) {
    auto* diaphragm = dynamic_cast<CBMDiaphragm*>(list->GetItem(i));
    if (diaphragm && diaphragm->GetAssociatedPointAcount() < 1 && usedBySlabs.count(diaphragm) == 0) {
      list->RemoveAt(i);  // renumbers the rest; look at position i again
    } else {
      ++i;
    }
  }
}
