// Levels: ownership, destruction order and the level record.
#include "model/geometry/BMLevel.h"

// Legacy: the level's run-time class names CObject as its base.
BM_IMPLEMENT_SERIAL(CBMLevel, CObject, 1)
BM_IMPLEMENT_SERIAL(CBMLevelList, CBMComponentList, 1)

CBMLevel::CBMLevel() {
  mLevelShearList = new CBMComponentList;
  mLevelDriftList = new CBMComponentList;
}

CBMLevel::~CBMLevel() {
  mLevelDriftList->DeleteAll();
  delete mLevelDriftList;
  mLevelShearList->DeleteAll();
  delete mLevelShearList;
  theCBMLevelDiaphragmList.DeleteAll();
  // The member lists are destroyed after this body in the reverse of their
  // declaration order (brace, column, slab, beam, joint, wall), each
  // deleting its members.
}

void CBMLevel::Serialize(CArchive& ar) {
  CBMComponent::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteDouble(EleHeight);
    ar.WriteDouble(Height);
  } else {
    EleHeight = ar.ReadDouble();
    Height = ar.ReadDouble();
  }
  theCBMJointList.Serialize(ar);
  theCBMBeamList.Serialize(ar);
  theCBMColumnList.Serialize(ar);
  theCBMBraceList.Serialize(ar);
  theCBMSlabList.Serialize(ar);
  theCBMWallList.Serialize(ar);
  mLevelDriftList->Serialize(ar);
  mLevelShearList->Serialize(ar);
}
