// CBuildingModule: the root object of one building model.
#pragma once

#include <cstdint>

#include "../etabs_writer/WriteReport.h"
#include "../managers/BMMgrForce.h"
#include "../managers/BMMgrGeometry.h"
#include "../managers/BMMgrLoad.h"
#include "../properties/BMUnitSystem.h"
#include "BMContainer.h"

class CStdioFile;

// One building model. The host creates it, edits it through the managers,
// writes or saves it, and destroys it to discard the model.
class CBuildingModule : public CBMComponent {
  BM_DECLARE_SERIAL(CBuildingModule)

 public:
  CBuildingModule();
  ~CBuildingModule() override;

  CBMMgrGeometry* get_pMgrGeometry() { return &theMgrGeometry; }
  CBMMgrLoad* get_pMgrLoad() { return &theMgrLoad; }
  CBMMgrForce* get_pMgrForce() { return &theMgrForce; }
  CBMUnitSystem* get_pUnitSystem() { return pUnitSystem; }

  // Archive (defined in model/ModelArchive.cpp).
  // Saves (load == 0) or loads (load != 0) the model at `path`. Returns false
  // without a message when the file cannot be opened; shows "Wrong in
  // save/read CBuildingModel!" and returns false on a file error. A malformed
  // archive throws CArchiveException to the caller.
  bool ReadSaveFile(CString path, int load);
  // The unit system's record, then the container's twelve list blocks.
  void Serialize(CArchive& ar) override;
  // Bytes after the last block of the archive that the last ReadSaveFile
  // load left unread (0 before any load).
  uint64_t GetLastLoadTrailingBytes() const { return lastLoadTrailingBytes; }

  // ETABS 8 text file (defined in etabs_writer/).
  // Writes the model to `path`: 1 when written, 0 when the file cannot be
  // created (no message), 0 after "Wrong in generating BuildingModel!" when
  // a file error interrupts the writing.
  int GenerateETABS8TxtFile(CString path);
  // Sets the force and length unit words of the unit system.
  void SetUnits(CString force, CString length);
  // What the last GenerateETABS8TxtFile call skipped or wrote with a
  // stand-in because a model object was missing (all zeros for a complete
  // model, and before the first write).
  const bm::WriteReport& GetLastWriteReport() const { return lastWriteReport; }

 private:
  // Rebuilds the pointers that the archive stores as names and ids
  // (defined in model/TopologyRebuild.cpp).
  void CreateTopologyForReading();
  // Writes the 22 blocks of the text file (defined in etabs_writer/).
  void GenerateETABSDetailOperation(CStdioFile& file);

  CBMUnitSystem* pUnitSystem = nullptr;
  CBMContainer theContainer;
  CBMMgrGeometry theMgrGeometry;
  CBMMgrLoad theMgrLoad;
  CBMMgrForce theMgrForce;
  bm::WriteReport lastWriteReport;
  uint64_t lastLoadTrailingBytes = 0;
};
