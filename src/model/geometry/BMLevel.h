// Levels (storeys), which own the members of a storey, and the level list.
#pragma once

#include <memory>

#include "../BMComponentList.h"
#include "BMDiaphragm.h"
#include "BMJoint.h"
#include "BMLineElement.h"
#include "BMShellElement.h"

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
  CBMComponentList* get_mLevelDriftList() { return mLevelDriftList.get(); }
  CBMComponentList* get_mLevelShearList() { return mLevelShearList.get(); }

  // Alike when the beam, column and wall counts match and every beam,
  // column and wall of this level has a same one (IsExist) in `other`;
  // joints, slabs, braces, diaphragms, heights and names are not compared.
  // False for a null `other`.
  bool IsSameWithLevel(CBMLevel* other);
  // A new CBMLevelDrift built from the six arguments (its Build), appended
  // to the drift list.
  void AddLevelDrift(CString loadCase, CString diaphragm, CString point, double* coord, double* disp,
                     double* rotation);
  // Not supported: shows "No addshearforce in CBMLevel defined so far!" and
  // records nothing.
  void AddShearForce(CString loadCase, bool flag, double f1, double f2, double f3, double m1, double m2,
                     double m3);

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
  std::unique_ptr<CBMComponentList> mLevelDriftList;
  std::unique_ptr<CBMComponentList> mLevelShearList;
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

  // Appends n new default levels (empty names) when n is greater than 0.
  void CreateLevels(int n);
  // Sets the elevation of level i (i = 2 to n) to height(2) + ... +
  // height(i); the base is not changed. Returns the number of levels.
  int CalculateAllLevelHeight();
  // Legacy: always 0.0.
  double GetTotalHeight() { return 0.0; }
};
