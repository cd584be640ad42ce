// CBMContainer: construction, destruction and the archive's list blocks.
#include "model/BMContainer.h"

BM_IMPLEMENT_SERIAL(CBMContainer, CBMComponent, 1)

CBMContainer::CBMContainer() = default;

CBMContainer::~CBMContainer() {
  theLoadCombinationList.DeleteAll();
  theSpectrumCaseList.DeleteAll();
  theTimeHistoryCaseList.DeleteAll();
  // Decision: the grid and auto-select section lists are freed here; nothing
  // else owns their members.
  theCBMAutoSectionList.DeleteAll();
  theCBMGridList.DeleteAll();
}

void CBMContainer::Serialize(CArchive& ar) {
  theCBMDiaphragmList.Serialize(ar);
  theCBMMaterialList.Serialize(ar);
  theCBMFrameSectionList.Serialize(ar);
  theCBMWallSlabDeckSectionList.Serialize(ar);
  theCBMLinkList.Serialize(ar);
  theCBMPierSpandrelList.Serialize(ar);
  theCBMPointList.Serialize(ar);
  theCBMLineList.Serialize(ar);
  theCBMAreaList.Serialize(ar);
  theCBMLevelList.Serialize(ar);
  theCBMLoadCaseList.Serialize(ar);
  theLoadCombinationList.Serialize(ar);
}
