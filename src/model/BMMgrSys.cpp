// CBMMgrSys: list pointers and the nearest-diaphragm look-ups.
#include "model/BMMgrSys.h"

#include <cmath>

#include "model/BMContainer.h"

BM_IMPLEMENT_SERIAL(CBMMgrSys, CBMComponent, 1)

void CBMMgrSys::set_pContainer(CBMContainer* c) {
  pContainer = c;
  if (!c) return;
  pLoadCaseList = &c->theCBMLoadCaseList;
  pFrameSectionList = &c->theCBMFrameSectionList;
  pAutoSectionList = &c->theCBMAutoSectionList;
  pLinkList = &c->theCBMLinkList;
  pWallSlabDeckSectionList = &c->theCBMWallSlabDeckSectionList;
  pGridList = &c->theCBMGridList;
  pPointList = &c->theCBMPointList;
  pLineList = &c->theCBMLineList;
  pAreaList = &c->theCBMAreaList;
  pPierSpandrelList = &c->theCBMPierSpandrelList;
  pDiaphragmList = &c->theCBMDiaphragmList;
  pCBMAnalysisOption = &c->theCBMAnalysisOption;
  pLoadCombination = &c->theLoadCombinationList;
  pSpectrumCaseList = &c->theSpectrumCaseList;
  pTimeHistoryCaseList = &c->theTimeHistoryCaseList;
  pLevelList = &c->theCBMLevelList;
  pMaterialList = &c->theCBMMaterialList;
}

namespace {
// The member whose centre is nearest to (x, y); the first of equals wins,
// and the first member when none is nearer than 1e15.
template <typename T>
T* Nearest(const CBMComponentList& list, double x, double y) {
  double best = 1.0e15;
  T* nearest = list.ItemAs<T>(1);
  for (T& d : list.Members<T>()) {
    const double dx = d.Get_CX() - x;
    const double dy = d.Get_CY() - y;
    const double dist = std::sqrt(dx * dx + dy * dy);
    if (dist < best) {
      best = dist;
      nearest = &d;
    }
  }
  return nearest;
}
}  // namespace

CBMDiaphragm* CBMMgrSys::GetNearDiaphragm(double x, double y) const {
  if (!pDiaphragmList || pDiaphragmList->GetCount() == 0) return nullptr;
  return Nearest<CBMDiaphragm>(*pDiaphragmList, x, y);
}

CBMLevelDiaphragm* CBMMgrSys::GetNearLevelDiaphragm(const CString& levelName, double x, double y) const {
  if (!pLevelList) return nullptr;
  CBMLevel* level = pLevelList->ItemAs<CBMLevel>(levelName);
  if (!level) return nullptr;
  CBMLevelDiaphragmList* list = level->get_theCBMLevelDiaphragmList();
  if (list->GetCount() == 0) return nullptr;
  return Nearest<CBMLevelDiaphragm>(*list, x, y);
}
