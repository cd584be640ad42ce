// ZAdapterEtabs8: the keyword table, dispatch in file order, grouping of
// blocks, removal of unused diaphragms, and the read report.
#include "etabs_reader/ZAdapterEtabs8.h"

#include <memory>
#include <unordered_set>

#include "e2k_format/E2kKeywords.h"
#include "model/BuildingModule.h"
#include "model/geometry/BMDiaphragm.h"
#include "model/geometry/BMLevel.h"
#include "model/geometry/BMShellElement.h"

// Version 8: the keywords in comparison order; the first exact
// (case-sensitive) match decides. Skipped keywords (model data the reader
// does not take) and keywords the model has no place for are named, so that
// the report tells them apart from keywords the reader does not know.
const ZAdapterEtabs8::KeywordEntry ZAdapterEtabs8::kKeywords[] = {
    {bm::e2k::kProgram, Form::kNotModelData, nullptr},
    {bm::e2k::kUnits, Form::kGrouped, &ZAdapterEtabs8::ProcessUnits},
    {bm::e2k::kStory, Form::kGrouped, &ZAdapterEtabs8::ProcessStories},
    {bm::e2k::kDiaphragm, Form::kGrouped, &ZAdapterEtabs8::ProcessDiaphragm},
    {bm::e2k::kCoordSystem, Form::kSkipped, nullptr},
    {bm::e2k::kMaterial, Form::kGrouped, &ZAdapterEtabs8::ProcessMaterial},
    {bm::e2k::kFrameSection, Form::kGrouped, &ZAdapterEtabs8::ProcessFrameSection},
    {"AUTOSECTION", Form::kSkipped, nullptr},
    {"REBARDEFINITION", Form::kNotModelData, nullptr},
    {"CONCRETESECTION", Form::kNotModelData, nullptr},
    {bm::e2k::kShellProp, Form::kGrouped, &ZAdapterEtabs8::ProcessWallSlabDeckProperty},
    {bm::e2k::kLinkProp, Form::kGrouped, &ZAdapterEtabs8::ProcessLinks},
    {bm::e2k::kPierName, Form::kGrouped, &ZAdapterEtabs8::ProcessPierSpandrel},
    {bm::e2k::kSpandrelName, Form::kGrouped, &ZAdapterEtabs8::ProcessPierSpandrel},
    {bm::e2k::kPoint, Form::kLines, &ZAdapterEtabs8::ProcessPointCoordinate},
    {bm::e2k::kLine, Form::kLines, &ZAdapterEtabs8::ProcessLines},
    {bm::e2k::kArea, Form::kLines, &ZAdapterEtabs8::ProcessArea},
    {bm::e2k::kPointAssign, Form::kLines, &ZAdapterEtabs8::ProcessPointAssignment},
    {bm::e2k::kLineAssign, Form::kLines, &ZAdapterEtabs8::ProcessLineAssignment},
    {bm::e2k::kAreaAssign, Form::kLines, &ZAdapterEtabs8::ProcessAreaAssignment},
    {bm::e2k::kLoadCase, Form::kLines, &ZAdapterEtabs8::ProcessLoadCase},
    {bm::e2k::kPointLoad, Form::kLines, &ZAdapterEtabs8::ProcessPointLoad},
    {bm::e2k::kLineLoad, Form::kLines, &ZAdapterEtabs8::ProcessLineLoad},
    {bm::e2k::kAreaLoad, Form::kLines, &ZAdapterEtabs8::ProcessAreaLoad},
    {bm::e2k::kActiveDof, Form::kLines, &ZAdapterEtabs8::ProcessAnalysisOptions},
    {bm::e2k::kCombo, Form::kGrouped, &ZAdapterEtabs8::ProcessComboLoad},
    {"CONCRETEPREFERENCE", Form::kNotModelData, nullptr},
    {"COMPOSITEPREFERENCE", Form::kNotModelData, nullptr},
    {"WALLPREFERENCE", Form::kNotModelData, nullptr},
    {"DIMENSIONLINE", Form::kNotModelData, nullptr},
    {bm::e2k::kStartComments, Form::kNotModelData, nullptr},
    // The closing line; written inside the log's block, but it may stand
    // alone.
    {bm::e2k::kEnd, Form::kNotModelData, nullptr},
};

// Later versions: the keyword of each run of lines. Handlers of the version 8
// table serve where the line layout did not change (units, pier and spandrel
// names). Keywords the model has no place for are named, so that the
// report tells them from keywords the reader does not know.
const ZAdapterEtabs8::KeywordEntry ZAdapterEtabs8::kKeyedKeywords[] = {
    // Header and controls.
    {bm::e2k::kProgram, Form::kNotModelData, nullptr},
    {bm::e2k::kUnits, Form::kGrouped, &ZAdapterEtabs8::ProcessUnits},
    {bm::e2k::kTitle1, Form::kNotModelData, nullptr},
    {"TITLE2", Form::kNotModelData, nullptr},
    {bm::e2k::kPreference, Form::kNotModelData, nullptr},
    // Storeys, diaphragms and grids.
    {bm::e2k::kStory, Form::kGrouped, &ZAdapterEtabs8::ProcessKeyedStories},
    {bm::e2k::kDiaphragm, Form::kGrouped, &ZAdapterEtabs8::ProcessKeyedDiaphragms},
    {bm::e2k::kCoordSystem, Form::kPlain, &ZAdapterEtabs8::ProcessKeyedGrids},
    {bm::e2k::kGridSystem, Form::kPlain, &ZAdapterEtabs8::ProcessKeyedGrids},
    {"GRID", Form::kPlain, &ZAdapterEtabs8::ProcessKeyedGrids},
    {bm::e2k::kGenGrid, Form::kPlain, &ZAdapterEtabs8::ProcessKeyedGrids},
    {"REFERENCEPLANE", Form::kNotModelData, nullptr},
    {"DIMLINE", Form::kNotModelData, nullptr},
    // Properties.
    {bm::e2k::kMaterial, Form::kGrouped, &ZAdapterEtabs8::ProcessKeyedMaterials},
    {"REBARDEFINITION", Form::kNotModelData, nullptr},
    {bm::e2k::kFrameSection, Form::kGrouped, &ZAdapterEtabs8::ProcessKeyedFrameSections},
    {"AUTOSECTION", Form::kLines, &ZAdapterEtabs8::ProcessKeyedAutoSections},
    {"CONCRETESECTION", Form::kNotModelData, nullptr},
    {"TENDONSECTION", Form::kNotModelData, nullptr},
    {bm::e2k::kShellProp, Form::kGrouped, &ZAdapterEtabs8::ProcessKeyedShellProps},
    {bm::e2k::kLinkProp, Form::kGrouped, &ZAdapterEtabs8::ProcessKeyedLinks},
    {"PANELZONE", Form::kNotModelData, nullptr},
    {"POINTSPRING", Form::kGrouped, &ZAdapterEtabs8::ProcessKeyedPointSprings},
    {"LINESPRING", Form::kNotModelData, nullptr},
    {"AREASPRING", Form::kNotModelData, nullptr},
    {bm::e2k::kPierName, Form::kGrouped, &ZAdapterEtabs8::ProcessPierSpandrel},
    {bm::e2k::kSpandrelName, Form::kGrouped, &ZAdapterEtabs8::ProcessPierSpandrel},
    // Geometry and assignments.
    {bm::e2k::kPoint, Form::kLines, &ZAdapterEtabs8::ProcessKeyedPoints},
    {bm::e2k::kLine, Form::kLines, &ZAdapterEtabs8::ProcessKeyedLines},
    {bm::e2k::kArea, Form::kLines, &ZAdapterEtabs8::ProcessKeyedAreas},
    {"GROUP", Form::kNotModelData, nullptr},
    {bm::e2k::kPointAssign, Form::kLines, &ZAdapterEtabs8::ProcessKeyedPointAssign},
    {bm::e2k::kLineAssign, Form::kLines, &ZAdapterEtabs8::ProcessKeyedLineAssign},
    {bm::e2k::kAreaAssign, Form::kLines, &ZAdapterEtabs8::ProcessKeyedAreaAssign},
    {"HINGEASSIGN", Form::kNotModelData, nullptr},
    {"HINGEOVERWRITE", Form::kNotModelData, nullptr},
    {"MODELHINGESINLINKS", Form::kNotModelData, nullptr},
    // Loads.
    {"LOADPATTERN", Form::kLines, &ZAdapterEtabs8::ProcessLoadPatterns},
    {bm::e2k::kLoadCase, Form::kLines, &ZAdapterEtabs8::ProcessKeyedLoadCases},
    {bm::e2k::kWind, Form::kLines, &ZAdapterEtabs8::ProcessKeyedAutoLoads},
    {"SEISMIC", Form::kLines, &ZAdapterEtabs8::ProcessKeyedAutoLoads},
    {"WINDEXPOSURE", Form::kNotModelData, nullptr},
    {"SHELLUNIFORMLOADSET", Form::kNotModelData, nullptr},
    {bm::e2k::kPointLoad, Form::kLines, &ZAdapterEtabs8::ProcessKeyedPointLoads},
    {bm::e2k::kLineLoad, Form::kLines, &ZAdapterEtabs8::ProcessKeyedLineLoads},
    {bm::e2k::kAreaLoad, Form::kLines, &ZAdapterEtabs8::ProcessKeyedAreaLoads},
    {bm::e2k::kCombo, Form::kGrouped, &ZAdapterEtabs8::ProcessKeyedCombos},
    // Analysis: the model holds the active degrees of freedom and the modal
    // settings.
    {bm::e2k::kActiveDof, Form::kLines, &ZAdapterEtabs8::ProcessAnalysisOptions},
    {bm::e2k::kDynamics, Form::kLines, &ZAdapterEtabs8::ProcessAnalysisOptions},
    {"PDELTA", Form::kNotModelData, nullptr},
    {bm::e2k::kMassOptions, Form::kNotModelData, nullptr},
    {"MASSSOURCE", Form::kNotModelData, nullptr},
    {"MASSSOURCELOAD", Form::kNotModelData, nullptr},
    {"AUTOMESHOPTIONS", Form::kNotModelData, nullptr},
    {"AUTORECTMESH", Form::kNotModelData, nullptr},
    {"FUNCTION", Form::kNotModelData, nullptr},
    {"RSCASE", Form::kNotModelData, nullptr},
    {"STATICNLCASE", Form::kNotModelData, nullptr},
    {"RLLF", Form::kNotModelData, nullptr},
    // Design preferences and overwrites, drawing and project data, logs.
    {"STEELPREFERENCE", Form::kNotModelData, nullptr},
    {"CONCRETEPREFERENCE", Form::kNotModelData, nullptr},
    {"COMPOSITEPREFERENCE", Form::kNotModelData, nullptr},
    {"COMPOSITECOLUMNPREFERENCE", Form::kNotModelData, nullptr},
    {"CONCRETESLABPREFERENCE", Form::kNotModelData, nullptr},
    {"WALLPREFERENCE", Form::kNotModelData, nullptr},
    {"SPECIALSEISMICDATA", Form::kNotModelData, nullptr},
    {"STEELDATA", Form::kNotModelData, nullptr},
    {"CONCRETEDATA", Form::kNotModelData, nullptr},
    {"COMPOSITEDATA", Form::kNotModelData, nullptr},
    {"PIERDATA", Form::kNotModelData, nullptr},
    {"DIMENSIONLINE", Form::kNotModelData, nullptr},
    {"PROJECTINFO", Form::kNotModelData, nullptr},
    {bm::e2k::kEndComments, Form::kNotModelData, nullptr},
    {bm::e2k::kEnd, Form::kNotModelData, nullptr},
};

template <size_t N>
const ZAdapterEtabs8::KeywordEntry* ZAdapterEtabs8::Lookup(const KeywordEntry (&table)[N],
                                                           std::string_view keyword) {
  for (const KeywordEntry& e : table) {
    if (bm::SameNoCase(keyword, e.keyword)) return &e;
  }
  return nullptr;
}

bool ZAdapterEtabs8::IsTextModelKeyword(std::string_view word) {
  return Lookup(kKeywords, word) != nullptr || Lookup(kKeyedKeywords, word) != nullptr;
}

void ZAdapterEtabs8::SetBuildingModule(CBuildingModule* p) {
  pBuildingModule = p;
  pMgrGeometry = p ? p->get_pMgrGeometry() : nullptr;
}

bool ZAdapterEtabs8::ReadFile(CString& path) {
  // Decision: without a module there is nothing to fill; refuse.
  if (!pBuildingModule || !pMgrGeometry) return false;
  return FileReader.Begin(path) && TakeBlocks();
}

bool ZAdapterEtabs8::ReadBuffer(const char* data, size_t size) {
  if (!pBuildingModule || !pMgrGeometry) return false;
  return FileReader.BeginBuffer(data, size) && TakeBlocks();
}

bool ZAdapterEtabs8::TakeBlocks() {
  pBlockList = FileReader.GetBlockList();
  Report.Clear();
  LastLevel = LevelCache();  // the host may have changed the levels since
  // The joints noted while reading are forgotten when it ends, however it
  // ends: the memo holds no memory between reads.
  struct ForgetJoints {
    bm::reader::JointMemo& memo;
    ~ForgetJoints() { memo.Clear(); }
  } forgetJoints{Joints};
  InComments = false;
  PointSprings.clear();
  FileVersion = 0;
  EndLineSeen = false;
  RunCut = false;
  // Decision: only the blocks of this file are handled. Handling the blocks
  // of an earlier call again would add that file's objects a second time.
  int next = pBlockList->GetCount() + 1;
  bool complete = false;
  try {
    // Each block is handled as soon as it is read and its lines are then
    // reused, so that a large file never holds all its tokens and the whole
    // model together. The version decides how every block is read: blocks
    // before the PROGRAM line wait for it (all of them in a file without one).
    bool versionKnown = false;
    for (;;) {
      // Once the version is known, a block comes in parts, so that a long
      // block's lines never all live at once, unless the handler that the
      // cut would divide needs its lines whole: the block is then read whole.
      ZComItemList* block = FileReader.NextBlock(versionKnown ? kPartLines : 0);
      if (!block) break;
      if (FileReader.PartContinues() && !HandledInParts(block) && !FileReader.ReadRest(block)) break;
      EndLineSeen = LastLineIsEnd(block);
      if (!versionKnown) versionKnown = ReadVersion(block, FileVersion);
      if (versionKnown) HandleBlocks(next);
    }
    complete = FileReader.Finish();
  } catch (...) {
    FileReader.Finish();
    throw;
  }
  // Decision: after a read error the blocks handled before it stay in the
  // module; the rest is not handled and the geometry is not processed.
  if (!complete) return false;
  HandleBlocks(next);
  Joints.Clear();  // now, so that its memory is back before the processing
  if (ProcessAfterReading) {
    pMgrGeometry->ProcessGeometry();
    DeleteEmptyDiaphram();
  } else {
    // The file's own model: storey elevations follow from the base's
    // elevation and the storey heights the file gives, nothing else changes.
    pMgrGeometry->ProcessStoryHeightElevation();
  }
  return true;
}

void ZAdapterEtabs8::HandleBlocks(int& next) {
  for (; next <= pBlockList->GetCount(); ++next) {
    ZComItemList* block = pBlockList->GetComList(next);
    if (!block) continue;
    if (FileVersion >= 9) {
      FillKeyedModule(block);
    } else {
      FillETABS8Module(block);
    }
    // Decision: the lines of a handled block are given back at once (the
    // named, empty block stays in the list). Nothing reads them again.
    FileReader.Recycle(block);
  }
}

void ZAdapterEtabs8::Skip(std::string_view reason, int lines) { Report.Count(CurrentKeyword, reason, lines); }

void ZAdapterEtabs8::SkipLine(const ZComItem* line, std::string_view reason) {
  Report.Count(line ? line->Token(1) : std::string_view(CurrentKeyword), reason, 1);
}

void ZAdapterEtabs8::NotModelData(const ZComItemList* lines) {
  ForEachLine(lines, [&](const ZComItem& line) { Report.CountNotModelData(line.Token(1)); });
}

void ZAdapterEtabs8::SkipAll(const ZComItemList* lines, std::string_view reason) {
  ForEachLine(lines, [&](const ZComItem& line) { SkipLine(&line, reason); });
}

bool ZAdapterEtabs8::ReadVersion(const ZComItemList* block, int& version) {
  for (int i = 1; block && i <= block->GetCount(); ++i) {
    const ZComItem* line = block->GetComItem(i);
    if (!line || !line->TokenIs(1, bm::e2k::kProgram)) continue;
    version = 0;
    for (int t = 2; t < line->GetItemCount(); ++t) {
      if (line->TokenIs(t, bm::e2k::kVersion)) {
        version = bm::reader::ParseInt(line->Token(t + 1));
        break;
      }
    }
    return true;
  }
  return false;
}

bool ZAdapterEtabs8::LastLineIsEnd(const ZComItemList* block) {
  const ZComItem* line = block && block->GetCount() > 0 ? block->GetComItem(block->GetCount()) : nullptr;
  return line && bm::SameNoCase(line->Token(1), bm::e2k::kEnd);
}

void ZAdapterEtabs8::CountNumberFaults(const ZComItemList* lines) {
  ForEachLine(lines, [&](const ZComItem& line) {
    if (line.HadNumberFault()) SkipLine(&line, bm::skip::kNotDecimal);
  });
}

void ZAdapterEtabs8::Dispatch(const KeywordEntry* entry, ZComItemList* lines) {
  if (!entry) {
    SkipAll(lines, bm::skip::kNoHandler);
    return;
  }
  if (entry->form == Form::kSkipped) {
    SkipAll(lines, bm::skip::kIgnoredKeyword);
    return;
  }
  if (entry->form == Form::kNotModelData) {
    NotModelData(lines);
    return;
  }
  ZComItemList grouped;  // deletes its groups, and they their lines
  ZComItemList* handed = lines;
  if (entry->form == Form::kGrouped) {
    RetrieveCombineBlock(lines, &grouped);
    handed = &grouped;
  }
  const uint64_t faults = ZComItem::NumberFaultsSeen();
  LastLoaded = {};
  (this->*entry->handler)(handed);
  if (ZComItem::NumberFaultsSeen() != faults) CountNumberFaults(handed);
}

void ZAdapterEtabs8::FillKeyedModule(ZComItemList* block) {
  const int count = block->GetCount();
  // Whether the first run goes on with the last run of the part before.
  bool goesOn = RunCut;
  RunCut = false;
  int i = 1;
  while (i <= count) {
    ZComItem* head = block->GetComItem(i);
    if (!head) {
      ++i;
      continue;
    }
    // A log between STARTCOMMENTS and ENDCOMMENTS holds free text.
    if (InComments || head->TokenIs(1, bm::e2k::kStartComments)) {
      InComments = !head->TokenIs(1, bm::e2k::kEndComments);
      Report.CountNotModelData(bm::e2k::kStartComments);
      goesOn = false;
      ++i;
      continue;
    }
    // The run of lines with the head's keyword; the lines stay owned by the
    // block.
    const std::string_view keyword = head->Token(1);
    struct Borrowed {  // lends the lines, never deletes them, even when a handler throws
      ZComItemList list;
      ~Borrowed() { list.RemoveAll(); }
    } run;
    int j = i;
    for (; j <= count; ++j) {
      ZComItem* line = block->GetComItem(j);
      if (!line || !bm::reader::TokenStore::SameNoCase(line->Token(1), keyword)) break;
      run.list.Add(line);
    }
    // A run divided by a cut keeps its keyword as its first line wrote it.
    if (!goesOn || !bm::SameNoCase(keyword, CurrentKeyword)) CurrentKeyword = std::string(keyword);
    goesOn = false;
    Dispatch(Lookup(kKeyedKeywords, keyword), &run.list);
    i = j;
    RunCut = j > count && FileReader.PartContinues();
  }
}

const ZAdapterEtabs8::KeywordEntry* ZAdapterEtabs8::Keyword8(const CString& name) {
  for (const KeywordEntry& e : kKeywords) {
    if (name.view() == e.keyword) return &e;
  }
  return nullptr;
}

bool ZAdapterEtabs8::HandledInParts(const ZComItemList* block) const {
  const KeywordEntry* entry = nullptr;
  if (FileVersion >= 9) {
    // The run of lines that the cut divides: the keyword of the last line.
    const ZComItem* last = block->GetComItem(block->GetCount());
    entry = last ? Lookup(kKeyedKeywords, last->Token(1)) : nullptr;
  } else {
    entry = Keyword8(block->name());
  }
  return !entry || (entry->form != Form::kPlain && entry->form != Form::kGrouped);
}

void ZAdapterEtabs8::FillETABS8Module(ZComItemList* block) {
  CurrentKeyword = block->name().str();
  Dispatch(Keyword8(block->name()), block);
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
    // Each copy and group has one owner at every moment (Adopt), so memory
    // running out here frees what was made.
    if (key != previous) {
      if (open) grouped->Adopt(std::move(open));
      open = std::make_unique<ZComItemList>();
      open->set_Name(key);
      previous = std::move(key);
      open->Adopt(std::move(copy));
    } else if (open) {
      open->Adopt(std::move(copy));
    } else {
      // Legacy: leading lines without a second token have no group to join.
      ++dropped;
    }
  }
  if (open) grouped->Adopt(std::move(open));
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
    for (CBMLevel& level : levels->Members<CBMLevel>()) {
      for (CBMSlab& slab : level.get_theCBMSlabList()->Members<CBMSlab>()) {
        if (slab.GetDiaphram()) usedBySlabs.insert(slab.GetDiaphram());
      }
    }
  }
  int i = 1;
  while (i <= list->GetCount()) {
    auto* diaphragm = list->ItemAs<CBMDiaphragm>(i);
    if (diaphragm && diaphragm->GetAssociatedPointAcount() < 1 && usedBySlabs.count(diaphragm) == 0) {
      list->RemoveAt(i);  // renumbers the rest; look at position i again
    } else {
      ++i;
    }
  }
}
