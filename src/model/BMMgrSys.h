// CBMMgrSys: the common base of the managers, holding pointers to every list
// of the model container.
#pragma once

#include "BMComponentList.h"

class CBMAnalysisOption;
class CBMAreaList;
class CBMAutoSectionList;
class CBMContainer;
class CBMDiaphragm;
class CBMDiaphragmList;
class CBMFrameSectionList;
class CBMGridList;
class CBMLevel;
class CBMLevelDiaphragm;
class CBMLevelList;
class CBMLineList;
class CBMLinkList;
class CBMLoadCaseList;
class CBMMaterialList;
class CBMPierSpandrelList;
class CBMPointList;
class CBMWallSlabDeckSectionList;
class CBuildingModule;

// Holds, without owning, pointers to the lists of one container. Every
// pointer is null until set_pContainer.
class CBMMgrSys : public CBMComponent {
  BM_DECLARE_SERIAL(CBMMgrSys)

 public:
  CBMMgrSys() = default;
  ~CBMMgrSys() override = default;

  // Stores `c` and points every list pointer at the member of `c`.
  void set_pContainer(CBMContainer* c);
  void set_pBuildingModule(CBuildingModule* module) { pBuildingModule = module; }

  CBMLoadCaseList* GetLoadCaseList() const { return pLoadCaseList; }
  CBMFrameSectionList* get_pFrameSectionList() const { return pFrameSectionList; }
  CBMAutoSectionList* get_pAutoSectionList() const { return pAutoSectionList; }
  CBMLinkList* get_pLinkList() const { return pLinkList; }
  CBMWallSlabDeckSectionList* get_pWallSlabDeckSectionList() const { return pWallSlabDeckSectionList; }
  CBMGridList* get_pGridList() const { return pGridList; }
  CBMPointList* get_pPointList() const { return pPointList; }
  CBMLineList* get_pLineList() const { return pLineList; }
  CBMAreaList* get_pAreaList() const { return pAreaList; }
  CBMPierSpandrelList* get_pPierSpandrelList() const { return pPierSpandrelList; }
  CBMDiaphragmList* get_pDiaphragmList() const { return pDiaphragmList; }
  CBMAnalysisOption* get_pCBMAnalysisOption() const { return pCBMAnalysisOption; }
  CBMComponentList* Get_pLoadCombination() const { return pLoadCombination; }
  CBMComponentList* get_pSpectrumCaseList() const { return pSpectrumCaseList; }
  CBMComponentList* get_pTimeHistoryCaseList() const { return pTimeHistoryCaseList; }
  CBMLevelList* get_pLevelList() const { return pLevelList; }
  // Null: no library operation sets the current level; it is the host's.
  CBMLevel* get_pCurrentLevel() const { return pCurrentLevel; }
  CBMMaterialList* get_pMaterialList() const { return pMaterialList; }
  CBMContainer* get_pContainer() const { return pContainer; }
  CBuildingModule* get_pBuildingModule() const { return pBuildingModule; }

  // The model-wide diaphragm whose centre is nearest to (x, y) (first of
  // equals); null when there is none.
  CBMDiaphragm* GetNearDiaphragm(double x, double y) const;
  // The diaphragm of the level named `levelName` nearest to (x, y); null when
  // no level bears the name or it has no diaphragm.
  CBMLevelDiaphragm* GetNearLevelDiaphragm(const CString& levelName, double x, double y) const;

 protected:
  CBMLoadCaseList* pLoadCaseList = nullptr;
  CBMFrameSectionList* pFrameSectionList = nullptr;
  CBMAutoSectionList* pAutoSectionList = nullptr;
  CBMLinkList* pLinkList = nullptr;
  CBMWallSlabDeckSectionList* pWallSlabDeckSectionList = nullptr;
  CBMGridList* pGridList = nullptr;
  CBMPointList* pPointList = nullptr;
  CBMLineList* pLineList = nullptr;
  CBMAreaList* pAreaList = nullptr;
  CBMPierSpandrelList* pPierSpandrelList = nullptr;
  CBMDiaphragmList* pDiaphragmList = nullptr;
  CBMAnalysisOption* pCBMAnalysisOption = nullptr;
  CBMComponentList* pLoadCombination = nullptr;
  CBMComponentList* pSpectrumCaseList = nullptr;
  CBMComponentList* pTimeHistoryCaseList = nullptr;
  CBMLevelList* pLevelList = nullptr;
  CBMLevel* pCurrentLevel = nullptr;
  CBMMaterialList* pMaterialList = nullptr;
  CBMContainer* pContainer = nullptr;
  CBuildingModule* pBuildingModule = nullptr;
};
