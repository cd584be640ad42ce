// CBMContainer: owns every model-wide list of a building model.
#pragma once

#include "../loads/BMAnalysisOption.h"
#include "../loads/BMLoadCase.h"
#include "../properties/BMAutoSection.h"
#include "../properties/BMFrameSection.h"
#include "../properties/BMLink.h"
#include "../properties/BMMaterial.h"
#include "../properties/BMPierSpandrel.h"
#include "../properties/BMWallSlabDeckSection.h"
#include "BMComponentList.h"
#include "geometry/BMArea.h"
#include "geometry/BMDiaphragm.h"
#include "geometry/BMGrid.h"
#include "geometry/BMLevel.h"
#include "geometry/BMLine.h"
#include "geometry/BMPoint.h"

// The model container, embedded in CBuildingModule. Hosts reach its lists
// through the managers (CBMMgrSys). Members are declared, built and
// destroyed in the legacy order.
class CBMContainer : public CBMComponent {
  BM_DECLARE_SERIAL(CBMContainer)

 public:
  CBMContainer();
  // Deletes the combinations, spectrum and time-history cases, then the
  // members are destroyed in reverse order, each typed list deleting its own.
  ~CBMContainer() override;

  // The twelve archived list blocks in their fixed order.
  void Serialize(CArchive& ar) override;

  CBMAnalysisOption theCBMAnalysisOption;
  CBMComponentList theLoadCombinationList;
  CBMLoadCaseList theCBMLoadCaseList;
  CBMComponentList theSpectrumCaseList;
  CBMComponentList theTimeHistoryCaseList;
  CBMPointList theCBMPointList;
  CBMLineList theCBMLineList;
  CBMLevelList theCBMLevelList;
  CBMAreaList theCBMAreaList;
  CBMFrameSectionList theCBMFrameSectionList;
  CBMMaterialList theCBMMaterialList;
  CBMWallSlabDeckSectionList theCBMWallSlabDeckSectionList;
  CBMPierSpandrelList theCBMPierSpandrelList;
  CBMDiaphragmList theCBMDiaphragmList;
  CBMAutoSectionList theCBMAutoSectionList;
  CBMGridList theCBMGridList;
  CBMLinkList theCBMLinkList;
};
