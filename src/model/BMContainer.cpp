// CBMContainer: construction, destruction and the archive's list blocks.
#include "model/BMContainer.h"

#include "loads/BMLoadCom.h"
#include "platform/Transfer.h"

BM_IMPLEMENT_SERIAL(CBMContainer, CBMComponent, 1)

CBMContainer::CBMContainer() {
  // What each archived list may hold when it is loaded.
  theCBMDiaphragmList.SetMemberClass(RUNTIME_CLASS(CBMDiaphragm));
  theCBMMaterialList.SetMemberClass(RUNTIME_CLASS(CBMMaterial));
  theCBMFrameSectionList.SetMemberClass(RUNTIME_CLASS(CBMFrameSection));
  theCBMWallSlabDeckSectionList.SetMemberClass(RUNTIME_CLASS(CBMWallSlabDeckSection));
  theCBMLinkList.SetMemberClass(RUNTIME_CLASS(CBMLink));
  theCBMPierSpandrelList.SetMemberClass(RUNTIME_CLASS(CBMPierSpandrel));
  theCBMPointList.SetMemberClass(RUNTIME_CLASS(CBMPoint));
  theCBMLineList.SetMemberClass(RUNTIME_CLASS(CBMLine));
  theCBMAreaList.SetMemberClass(RUNTIME_CLASS(CBMArea));
  theCBMLevelList.SetMemberClass(RUNTIME_CLASS(CBMLevel));
  theCBMLoadCaseList.SetMemberClass(RUNTIME_CLASS(CBMLoadCase));
  theLoadCombinationList.SetMemberClass(RUNTIME_CLASS(CBMLoadCom));
}

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
  bm::Transfer(ar, theCBMDiaphragmList, theCBMMaterialList, theCBMFrameSectionList,
               theCBMWallSlabDeckSectionList, theCBMLinkList, theCBMPierSpandrelList, theCBMPointList,
               theCBMLineList, theCBMAreaList, theCBMLevelList, theCBMLoadCaseList, theLoadCombinationList);
}
