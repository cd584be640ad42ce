// ZAdapterEtabs8: reads a text model file into a building module.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "../model/BMComponentList.h"
#include "JointMemo.h"
#include "KeyedLine.h"
#include "ReadReport.h"
#include "ZFileReadModule.h"

class CBuildingModule;
class CBMMgrGeometry;
class CBMDiaphragm;
class CBMPoint;
class CBMJoint;
class CBMLevel;
class CBMLine;
class CBMLineElement;
class CBMArea;
class CBMShellElement;
class CBMSlab;
class CBMWall;
class CBMWallSlabDeckSection;

namespace bm::reader {
struct LineKind;
struct AreaKind;
}  // namespace bm::reader

// The reader's entry point: a host gives it a building module and a file of
// any version from 8 to 22.
//
// The file is read into keyword blocks, each handled as soon as it is read
// (those before the PROGRAM line wait for it). That line tells the version:
// - version 8, or a file without a PROGRAM line: each block is handed in
//   file order to the handler of its keyword (first grouped by the second
//   token of its lines where the handler works on groups), and lines are
//   read by token position;
// - version 9 and later: each run of consecutive lines with one keyword is
//   handed to the handler of that keyword, and lines are read by key (KEY
//   value pairs in any order, see bm::reader::KeyedLine). The later
//   vocabulary (shape words, load pattern types, combination types, ...) is
//   mapped onto the model's words.
// Then, by default, diaphragms that no point uses are removed and the
// geometry processing passes run (see SetProcessGeometry). Every line that
// was not taken, or not taken whole, is counted in the read report.
class ZAdapterEtabs8 {
 public:
  ZAdapterEtabs8() = default;
  // Destroys the keyword blocks; the module keeps what the handlers made.
  virtual ~ZAdapterEtabs8() = default;
  ZAdapterEtabs8(const ZAdapterEtabs8&) = delete;
  ZAdapterEtabs8& operator=(const ZAdapterEtabs8&) = delete;

  // The module to fill (not owned). Must precede ReadFile.
  void SetBuildingModule(CBuildingModule* p);

  // Reads the file into the module, adding to what it holds. Returns false,
  // changing nothing, without a module, when the file cannot be opened or
  // has no first data line; false when a read error interrupts it, the
  // blocks handled before it staying in the module and the geometry not
  // processed; true otherwise, whatever the handlers met (see GetReadReport).
  bool ReadFile(CString& path);
  // As ReadFile, reading the `size` bytes at `data` as the file's content.
  bool ReadBuffer(const char* data, size_t size);

  // Whether ReadFile ends with the processing a design host wants (true, the
  // default): unused diaphragms removed, then CBMMgrGeometry::ProcessGeometry,
  // which relabels every wall's pier as "P" plus the wall's name, fully fixes
  // the foot of first-storey columns, walls and braces, and recomputes every
  // member's station spacing. With false the module holds the file's own
  // model: what the file says, nothing more.
  void SetProcessGeometry(bool process) { ProcessAfterReading = process; }
  bool GetProcessGeometry() const { return ProcessAfterReading; }

  // Major version of the last file read, from its PROGRAM line ("9.7.3"
  // gives 9, "8.48" gives 8); 0 when the file has none.
  int GetFileVersion() const { return FileVersion; }

  // Removes (and deletes) every model-wide diaphragm to which no point
  // belongs and that no slab refers to.
  void DeleteEmptyDiaphram();

  // Lines of the last ReadFile that were not taken into the model.
  const bm::ReadReport& GetReadReport() const { return Report; }

  // Whether the last data line of the last file read is the END keyword
  // line that closes a complete file (every version writes it). A file
  // without it may have been cut off.
  bool EndSeen() const { return EndLineSeen; }

  // Whether `word` (ASCII case ignored) is a keyword of the text format that
  // this reader knows, of any version: what tells a text model from other
  // text.
  static bool IsTextModelKeyword(std::string_view word);

 private:
  // How a handler receives its block: the block itself, its lines grouped
  // by their second token, or not at all (a keyword read and ignored).
  // kLines: the block itself, or its lines in several parts, for a handler
  // that takes each line on its own. kNotModelData: lines the model has no
  // place for, counted as such.
  enum class Form { kPlain, kLines, kGrouped, kSkipped, kNotModelData };
  using Handler = void (ZAdapterEtabs8::*)(ZComItemList*);
  struct KeywordEntry {
    std::string_view keyword;
    Form form;
    Handler handler;
  };

  // ReadFile's work once the reader has begun: reads, handles and recycles
  // the file's blocks one by one, then processes the geometry. False after a
  // read error.
  bool TakeBlocks();
  // Handles the blocks from position `next` (1-based) of the block list on,
  // each by the form of FileVersion, and recycles their lines; `next` ends
  // past the last block.
  void HandleBlocks(int& next);
  // Dispatches a block of a version 8 file.
  void FillETABS8Module(ZComItemList* block);
  // The version 8 table entry of a block name (exact match), or null.
  static const KeywordEntry* Keyword8(const CString& name);
  // Whether the part `block` of a cut block may be handed on before the rest
  // is read (see kPartLines): no handler receiving lines on both sides of
  // the cut needs them together.
  bool HandledInParts(const ZComItemList* block) const;
  // Dispatches the runs of one keyword in a block of a later-version file.
  void FillKeyedModule(ZComItemList* block);
  // Hands `lines` (plain or grouped) to the handler of `entry`.
  void Dispatch(const KeywordEntry* entry, ZComItemList* lines);
  // The table entry of `keyword` in `table`, or null.
  template <size_t N>
  static const KeywordEntry* Lookup(const KeywordEntry (&table)[N], std::string_view keyword);
  // Whether `block` holds a PROGRAM line; `version` is then set from the
  // first one (0 when it names none).
  static bool ReadVersion(const ZComItemList* block, int& version);
  // Whether the last line of `block` is the END line.
  static bool LastLineIsEnd(const ZComItemList* block);
  // Counts the lines of `lines` whose numbers were not decimal.
  void CountNumberFaults(const ZComItemList* lines);
  // Groups the lines of `block` into `grouped`: runs of consecutive lines
  // with the same second token (upper-cased) become one group named by it.
  void RetrieveCombineBlock(ZComItemList* block, ZComItemList* grouped);

  // Definitions.
  void ProcessUnits(ZComItemList* groups);
  void ProcessStories(ZComItemList* groups);
  void ProcessDiaphragm(ZComItemList* groups);
  void ProcessMaterial(ZComItemList* groups);
  void ProcessFrameSection(ZComItemList* groups);
  void ProcessWallSlabDeckProperty(ZComItemList* groups);
  void ProcessLinks(ZComItemList* groups);
  void ProcessPierSpandrel(ZComItemList* groups);
  // Geometry and assignments.
  void ProcessPointCoordinate(ZComItemList* block);
  void ProcessLines(ZComItemList* block);
  void ProcessArea(ZComItemList* block);
  void ProcessPointAssignment(ZComItemList* block);
  void ProcessLineAssignment(ZComItemList* block);
  void ProcessAreaAssignment(ZComItemList* block);
  // Loads.
  void ProcessLoadCase(ZComItemList* block);
  void ProcessPointLoad(ZComItemList* block);
  void ProcessLineLoad(ZComItemList* block);
  void ProcessAreaLoad(ZComItemList* block);
  void ProcessComboLoad(ZComItemList* groups);
  // Analysis options (every version): ACTIVEDOF, DYNAMICS; other analysis
  // lines are not model data.
  void ProcessAnalysisOptions(ZComItemList* block);

  // Later versions (9 to 22), read by key. Definitions.
  void ProcessKeyedStories(ZComItemList* groups);
  void ProcessKeyedDiaphragms(ZComItemList* groups);
  void ProcessKeyedMaterials(ZComItemList* groups);
  void ProcessKeyedFrameSections(ZComItemList* groups);
  void ProcessKeyedShellProps(ZComItemList* groups);
  void ProcessKeyedGrids(ZComItemList* block);
  void ProcessKeyedAutoSections(ZComItemList* block);
  void ProcessKeyedPointSprings(ZComItemList* groups);
  void ProcessKeyedLinks(ZComItemList* groups);
  // Geometry and assignments.
  void ProcessKeyedPoints(ZComItemList* block);
  void ProcessKeyedLines(ZComItemList* block);
  void ProcessKeyedAreas(ZComItemList* block);
  void ProcessKeyedPointAssign(ZComItemList* block);
  void ProcessKeyedLineAssign(ZComItemList* block);
  void ProcessKeyedAreaAssign(ZComItemList* block);
  // Loads.
  void ProcessLoadPatterns(ZComItemList* block);
  void ProcessKeyedLoadCases(ZComItemList* block);
  void ProcessKeyedAutoLoads(ZComItemList* block);
  void ProcessKeyedPointLoads(ZComItemList* block);
  void ProcessKeyedLineLoads(ZComItemList* block);
  void ProcessKeyedAreaLoads(ZComItemList* block);
  void ProcessKeyedCombos(ZComItemList* groups);

  // Shared steps of the assignment and load handlers.
  CBMLevel* FindLevel(const ZComItem* line, int token);
  // The storey named by token 3 of `line`; null when there is none, and the
  // line is then counted as skipped ("storey not found").
  CBMLevel* StoreyOrSkip(const ZComItem* line);
  // The member of `list` named `name` (exact) if it is a T (as
  // CBMComponentList::ItemAs tells); null, the line counted as skipped for
  // `reason`, when there is none, it is of another class, or there is no list.
  template <typename T>
  T* FindOrSkip(const CBMComponentList* list, const CString& name, std::string_view reason) {
    T* found = list ? list->ItemAs<T>(name) : nullptr;
    if (!found) Skip(reason);
    return found;
  }
  // Puts `joint` of `level` into the diaphragm named `name` (model-wide and
  // level diaphragm, found or created) and adds its position to the
  // model-wide centre.
  void AssignJointDiaphragm(CBMLevel* level, CBMJoint* joint, CString name);
  // The storey's joint named like the point, given the point (found or made).
  CBMJoint* JointAt(CBMLevel* level, CBMPoint* point);
  // The beam, column or brace of `level` that a line load names, by the type
  // of the plan line `name`; a missing brace is made. Null, the line counted
  // as skipped, when there is none.
  CBMLineElement* LoadedMember(CBMLevel* level, CString name);
  // Makes (or finds) the member `name` of `kind` on `level` for the plan
  // line `line`: the storey's joints at `endI` and `endJ` (either may be
  // null), connected to it, and, with `stations` > 0, the station spacing of
  // the analysis option: a beam's length, or the storey height for columns
  // and braces, over `stations`.
  CBMLineElement* MakeLineElement(CBMLevel* level, const bm::reader::LineKind& kind, CString& name,
                                  CBMLine* line, CBMPoint* endI, CBMPoint* endJ, int stations);
  // Makes (or finds) the slab or wall `name` of `kind` on `level` over
  // `area` with `section`, and the storey's joints at its corners, connected
  // to it.
  CBMShellElement* MakeShellElement(CBMLevel* level, const bm::reader::AreaKind& kind, CString& name,
                                    CBMArea* area, CBMWallSlabDeckSection* section);
  // The type word's member kind; null, the line counted as skipped ("type
  // not read"), for a word that makes no member.
  const bm::reader::LineKind* LineKindOrSkip(const CString& type);
  const bm::reader::AreaKind* AreaKindOrSkip(const CString& type);
  // The number of stations of the analysis option; 0 without one.
  int StationCount() const;
  // Appends a level for each group of a STORY block and calls fn(group,
  // level) from the base upward (the file lists the storeys from the top,
  // its last group being the lowest level). New storeys never rename levels
  // the module held before.
  void ForEachNewStorey(const ZComItemList* groups,
                        const std::function<void(const ZComItemList&, CBMLevel*)>& fn);
  // Ties `slab` to the model-wide diaphragm `name`; counts the line as
  // skipped when there is none.
  void SetSlabDiaphragm(CBMSlab* slab, const CString& name);
  // Gives `wall` the pier or spandrel label `name`; false, the line counted
  // as skipped, when there is none.
  bool SetWallLabel(CBMWall* wall, const CString& name);
  // Calls fn(line) for each line of `lines` in file order: the lines of a
  // run, or each line of each group of a grouped run.
  template <typename Fn>
  static void ForEachLine(const ZComItemList* lines, Fn fn) {
    for (int i = 1; i <= lines->GetCount(); ++i) {
      ZBMComponent* member = lines->GetItem(i);
      if (!member) continue;
      if (const ZComItem* line = member->AsComItem()) {
        fn(*line);
      } else if (const ZComItemList* group = member->AsComList()) {
        ForEachLine(group, fn);
      }
    }
  }
  // ForEachLine, handing on fn(line, name) with the line's name (token 2,
  // upper-cased); a line whose name is empty is counted as skipped instead.
  template <typename Fn>
  void ForEachNamedLine(const ZComItemList* lines, Fn fn) {
    ForEachLine(lines, [&](const ZComItem& line) {
      CString name = line.GetString(2, 0);
      if (name.IsEmpty()) {
        Skip(bm::skip::kEmptyName);
        return;
      }
      fn(line, name);
    });
  }
  // ForEachNamedLine, handing on fn(line, name, kl), kl reading the line's
  // keys from token 3. When fn returns true (the line taken), the keys no
  // look-up asked for are counted.
  template <typename Fn>
  void ForEachKeyedLine(const ZComItemList* lines, Fn fn) {
    ForEachNamedLine(lines, [&](const ZComItem& line, CString& name) {
      bm::reader::KeyedLine kl(line, 3);
      if (fn(line, name, kl)) kl.ReportUnused(Report, CurrentKeyword);
    });
  }
  // For each line of a plain run whose storey (token 3) is found, the
  // others counted as skipped: fn(line, level, kl), kl reading the line's
  // keys from token 4. When fn returns true (the line taken), the keys no
  // look-up asked for are counted.
  template <typename Fn>
  void ForEachStoreyLine(const ZComItemList* lines, Fn fn) {
    ForEachLine(lines, [&](const ZComItem& line) {
      CBMLevel* level = StoreyOrSkip(&line);
      if (!level) return;
      bm::reader::KeyedLine kl(line, 4);
      if (fn(line, level, kl)) kl.ReportUnused(Report, CurrentKeyword);
    });
  }
  // Counts lines of model data not taken under the keyword being handled.
  void Skip(std::string_view reason, int lines = 1);
  // The same under the line's own keyword (its first token).
  void SkipLine(const ZComItem* line, std::string_view reason);
  // Counts every line of `lines` (or of its groups) for `reason`, each under
  // its own keyword.
  void SkipAll(const ZComItemList* lines, std::string_view reason);
  // Counts the lines of `lines` as not model data, each under its keyword.
  void NotModelData(const ZComItemList* lines);

  static const KeywordEntry kKeywords[];
  static const KeywordEntry kKeyedKeywords[];
  // Lines of a part of a block handed on in parts. The lines of a part and
  // their token buffers stay for reuse while the model grows: 64 lines (a
  // dozen kilobytes) count for little beside the model of even a small
  // file, and take no more instructions than longer parts.
  static constexpr int kPartLines = 64;

  ZFileReadModule FileReader;
  ZComItemList* pBlockList = nullptr;
  CBuildingModule* pBuildingModule = nullptr;
  CBMMgrGeometry* pMgrGeometry = nullptr;

  bm::ReadReport Report;
  // Keyword of the block (version 8) or run (later) being handled.
  std::string CurrentKeyword;
  bool ProcessAfterReading = true;
  // Point spring properties of a later-version file (POINTSPRING), by
  // upper-cased name: the six stiffnesses UX UY UZ RX RY RZ. A POINTASSIGN
  // line that names one gives its joint a spring with these values.
  std::map<std::string, std::array<double, 6>, std::less<>> PointSprings;
  int FileVersion = 0;
  bool EndLineSeen = false;
  // The member LoadedMember found last, tried first: a member's loads come
  // on consecutive lines, one a load case. Forgotten before each run of
  // lines goes to its handler: within one, the reader renames and removes
  // nothing.
  struct LoadedMemberMemo {
    CBMLevel* level = nullptr;
    CString name;
    CBMLineElement* element = nullptr;
  } LastLoaded;
  // Inside a STARTCOMMENTS ... ENDCOMMENTS log of a later-version file.
  bool InComments = false;
  // The last run of lines handled reached the end of a part of a cut block.
  bool RunCut = false;

  // The last storey FindLevel found, valid while the level list has the same
  // length and removal generation (the reader only appends levels and never
  // renames one). Assignment and load lines name the same storey for long
  // runs, so most look-ups compare one name instead of scanning the list.
  struct LevelCache {
    const CBMComponentList* list = nullptr;
    int count = 0;
    uint64_t generation = 0;
    std::string name;  // upper-cased, as GetString gives it; never empty
    CBMLevel* level = nullptr;
  };
  LevelCache LastLevel;
  // The joints JointAt found or made, by storey and plan point.
  bm::reader::JointMemo Joints;
};
