// Levels: ownership, destruction order and the level record.
#include "model/geometry/BMLevel.h"

#include "loads/BMResult.h"
#include "platform/MessageBox.h"
#include "platform/Transfer.h"

// Legacy: the level's run-time class names CObject as its base.
BM_IMPLEMENT_SERIAL(CBMLevel, CObject, 1)
BM_IMPLEMENT_SERIAL(CBMLevelList, CBMComponentList, 1)

CBMLevel::CBMLevel() {
  mLevelShearList = std::make_unique<CBMComponentList>();
  mLevelDriftList = std::make_unique<CBMComponentList>();
  // What each archived list may hold when it is loaded.
  theCBMJointList.SetMemberClass(RUNTIME_CLASS(CBMJoint));
  theCBMBeamList.SetMemberClass(RUNTIME_CLASS(CBMBeam));
  theCBMColumnList.SetMemberClass(RUNTIME_CLASS(CBMColumn));
  theCBMBraceList.SetMemberClass(RUNTIME_CLASS(CBMBrace));
  theCBMSlabList.SetMemberClass(RUNTIME_CLASS(CBMSlab));
  theCBMWallList.SetMemberClass(RUNTIME_CLASS(CBMWall));
  mLevelDriftList->SetMemberClass(RUNTIME_CLASS(CBMLevelDrift));
  mLevelShearList->SetMemberClass(RUNTIME_CLASS(CBMLevelShear));
}

CBMLevel::~CBMLevel() {
  mLevelDriftList->DeleteAll();
  mLevelShearList->DeleteAll();
  theCBMLevelDiaphragmList.DeleteAll();
  // The member lists are destroyed after this body in the reverse of their
  // declaration order (brace, column, slab, beam, joint, wall), each
  // deleting its members.
}

void CBMLevel::Serialize(CArchive& ar) {
  CBMComponent::Serialize(ar);
  bm::Transfer(ar, EleHeight, Height, theCBMJointList, theCBMBeamList, theCBMColumnList, theCBMBraceList,
               theCBMSlabList, theCBMWallList, *mLevelDriftList, *mLevelShearList);
}

bool CBMLevel::IsSameWithLevel(CBMLevel* other) {
  if (!other) return false;
  if (theCBMBeamList.GetCount() != other->theCBMBeamList.GetCount()) return false;
  if (theCBMColumnList.GetCount() != other->theCBMColumnList.GetCount()) return false;
  if (theCBMWallList.GetCount() != other->theCBMWallList.GetCount()) return false;
  for (CBMLineElement& beam : theCBMBeamList.Members<CBMLineElement>()) {
    if (!other->theCBMBeamList.IsExist(&beam)) return false;
  }
  for (CBMLineElement& column : theCBMColumnList.Members<CBMLineElement>()) {
    if (!other->theCBMColumnList.IsExist(&column)) return false;
  }
  for (CBMShellElement& wall : theCBMWallList.Members<CBMShellElement>()) {
    if (!other->theCBMWallList.IsExist(&wall)) return false;
  }
  return true;
}

void CBMLevel::AddLevelDrift(CString loadCase, CString diaphragm, CString point, double* coord, double* disp,
                             double* rotation) {
  auto drift = std::make_unique<CBMLevelDrift>();
  drift->Build(loadCase, diaphragm, point, coord, disp, rotation);
  mLevelDriftList->Adopt(std::move(drift));
}

void CBMLevel::AddShearForce(CString /*loadCase*/, bool /*flag*/, double /*f1*/, double /*f2*/, double /*f3*/,
                             double /*m1*/, double /*m2*/, double /*m3*/) {
  AfxMessageBox("No addshearforce in CBMLevel defined so far!");
}

void CBMLevelList::CreateLevels(int n) {
  for (int i = 0; i < n; ++i) Adopt(std::make_unique<CBMLevel>());
}

int CBMLevelList::CalculateAllLevelHeight() {
  double sum = 0.0;
  for (CBMLevel& level : Members<CBMLevel>(2)) {
    sum += level.get_Height();
    level.set_EleHeight(sum);
  }
  return GetCount();
}
