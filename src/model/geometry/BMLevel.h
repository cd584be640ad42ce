// Levels (storeys), which own the members of a storey, and the level list.
#pragma once

#include "model/BMComponentList.h"
#include "model/geometry/BMDiaphragm.h"
#include "model/geometry/BMJoint.h"
#include "model/geometry/BMLineElement.h"
#include "model/geometry/BMShellElement.h"

class CBMContainer;

// One storey. Owns its joints, beams, columns, braces, slabs, walls, level
// diaphragms and storey results, and deletes them when destroyed.
class CBMLevel : public CBMComponent {
  BM_DECLARE_SERIAL(CBMLevel)

 public:
  CBMLevel();
  ~CBMLevel() override;

  CBMContainer* get_pContainer() const { return pContainer; }
  void set_pContainer(CBMContainer* container) { pContainer = container; }
  double get_Height() const { return Height; }
  void set_Height(double h) { Height = h; }
  double get_EleHeight() const { return EleHeight; }
  void set_EleHeight(double h) { EleHeight = h; }

  CBMWallList* get_theCBMWallList() { return &theCBMWallList; }
  CBMJointList* get_theCBMJointList() { return &theCBMJointList; }
  CBMBeamList* get_theCBMBeamList() { return &theCBMBeamList; }
  CBMSlabList* get_theCBMSlabList() { return &theCBMSlabList; }
  CBMColumnList* get_theCBMColumnList() { return &theCBMColumnList; }
  CBMBraceList* get_theCBMBraceList() { return &theCBMBraceList; }
  CBMLevelDiaphragmList* get_theCBMLevelDiaphragmList() { return &theCBMLevelDiaphragmList; }
  CBMComponentList* get_mLevelDriftList() { return mLevelDriftList; }
  CBMComponentList* get_mLevelShearList() { return mLevelShearList; }

  // Level record: component part, EleHeight, Height, then the joint, beam,
  // column, brace, slab, wall, drift and shear list blocks.
  void Serialize(CArchive& ar) override;

 private:
  CBMContainer* pContainer = nullptr;
  CBMWallList theCBMWallList;
  CBMJointList theCBMJointList;
  CBMBeamList theCBMBeamList;
  CBMSlabList theCBMSlabList;
  CBMColumnList theCBMColumnList;
  CBMBraceList theCBMBraceList;
  CBMComponentList* mLevelDriftList = nullptr;
  CBMComponentList* mLevelShearList = nullptr;
  CBMLevelDiaphragmList theCBMLevelDiaphragmList;
  double EleHeight = 0.0;
  double Height = 0.0;
};

// The levels of the model, from the base up; deletes them when destroyed.
class CBMLevelList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMLevelList)

 public:
  CBMLevelList() = default;
  ~CBMLevelList() override { DeleteAll(); }
};
