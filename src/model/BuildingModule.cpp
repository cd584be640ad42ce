// CBuildingModule: construction and destruction in the legacy order.
#include "model/BuildingModule.h"

BM_IMPLEMENT_SERIAL(CBuildingModule, CBMComponent, 0xFFFF)

CBuildingModule::CBuildingModule() {
  CBMMgrSys* managers[] = {&theMgrGeometry, &theMgrLoad, &theMgrForce};
  for (CBMMgrSys* m : managers) {
    m->set_pBuildingModule(this);
    m->set_pContainer(&theContainer);
  }
  pUnitSystem = new CBMUnitSystem;
}

CBuildingModule::~CBuildingModule() {
  delete pUnitSystem;
  pUnitSystem = nullptr;
  // The managers, then the container, are destroyed after this body.
}
