// ZAdapterEtabs8: reads a text model file into a building module.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "etabs_reader/ReadReport.h"
#include "etabs_reader/ZFileReadModule.h"
#include "model/BMComponentList.h"

class CBuildingModule;
class CBMMgrGeometry;
class CBMDiaphragm;
class CBMPoint;
class CBMJoint;
class CBMLevel;
class CBMLineElement;
class CBMShellElement;

// The reader's entry point: a host gives it a building module and a file.
// The file is read into keyword blocks, each block is handed in file order
// to the handler of its keyword (first grouped by the second token of its
// lines where the handler works on groups), diaphragms that no point uses
// are removed, and the geometry processing passes run. Blocks without a
// handler are skipped and counted in the read report.
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
  // changing nothing, without a module, when the file cannot be opened, has
  // no first data line, or a read error interrupts it; true otherwise,
  // whatever the handlers met (see GetReadReport).
  bool ReadFile(CString& path);

  // Removes (and deletes) every model-wide diaphragm to which no point
  // belongs and that no slab refers to.
  void DeleteEmptyDiaphram();

  // Lines of the last ReadFile that were not taken into the model.
  const bm::ReadReport& GetReadReport() const { return Report; }

 private:
  // How a handler receives its block: the block itself, its lines grouped
  // by their second token, or not at all (a keyword read and ignored).
  enum class Form { kPlain, kGrouped, kSkipped };
  using Handler = void (ZAdapterEtabs8::*)(ZComItemList*);
  struct KeywordEntry {
    const char* keyword;
    Form form;
    Handler handler;
  };

  // Dispatches the blocks from position `first` (1-based) on.
  void FillETABS8Module(int first = 1);
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

  // Shared steps of the assignment and load handlers.
  CBMLevel* FindLevel(const ZComItem* line, int token);
  // The storey named by token 3 of `line`; null when there is none, and the
  // line is then counted as skipped ("storey not found").
  CBMLevel* StoreyOrSkip(const ZComItem* line);
  // The member of `list` named `name` (exact) if it is a T; null when there
  // is none, it is of another class, or there is no list.
  template <typename T>
  static T* Find(CBMComponentList* list, const CString& name) {
    return list ? dynamic_cast<T*>(list->GetItem(name)) : nullptr;
  }
  // Find, counting the line as skipped for `reason` when it gives null.
  template <typename T>
  T* FindOrSkip(CBMComponentList* list, const CString& name, std::string_view reason) {
    T* found = Find<T>(list, name);
    if (!found) Skip(reason);
    return found;
  }
  // Puts `joint` of `level` into the diaphragm named `name` (model-wide and
  // level diaphragm, found or created) and adds its position to the
  // model-wide centre.
  void AssignJointDiaphragm(CBMLevel* level, CBMJoint* joint, CString name);
  // The storey's joint named like the point, given the point (found or made).
  CBMJoint* JointAt(CBMLevel* level, CBMPoint* point);
  void Skip(std::string_view reason, int lines = 1);

  static const KeywordEntry kKeywords[];

  ZFileReadModule FileReader;
  ZComItemList* pBlockList = nullptr;
  CBuildingModule* pBuildingModule = nullptr;
  CBMMgrGeometry* pMgrGeometry = nullptr;

  bm::ReadReport Report;
  // Keyword of the block being handled, for the report.
  std::string CurrentKeyword;

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
};
