// CBuildingModule: the root object of one building model.
#pragma once

#include "managers/BMMgrForce.h"
#include "managers/BMMgrGeometry.h"
#include "managers/BMMgrLoad.h"
#include "model/BMContainer.h"
#include "properties/BMUnitSystem.h"

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

 private:
  CBMUnitSystem* pUnitSystem = nullptr;
  CBMContainer theContainer;
  CBMMgrGeometry theMgrGeometry;
  CBMMgrLoad theMgrLoad;
  CBMMgrForce theMgrForce;
};
