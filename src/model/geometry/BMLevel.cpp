// Levels: ownership, destruction order and the level record.
#include "model/geometry/BMLevel.h"

#include "loads/BMResult.h"
#include "platform/MessageBox.h"

// Legacy: the level's run-time class names CObject as its base.
BM_IMPLEMENT_SERIAL(CBMLevel, CObject, 1)
BM_IMPLEMENT_SERIAL(CBMLevelList, CBMComponentList, 1)

CBMLevel::CBMLevel() {
  mLevelShearList = new CBMComponentList;
  mLevelDriftList = new CBMComponentList;
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

bool CBMLevel::IsSameWithLevel(CBMLevel* other) {
  if (!other) return false;
  if (theCBMBeamList.GetCount() != other->theCBMBeamList.GetCount()) return false;
  if (theCBMColumnList.GetCount() != other->theCBMColumnList.GetCount()) return false;
  if (theCBMWallList.GetCount() != other->theCBMWallList.GetCount()) return false;
  for (int i = 1; i <= theCBMBeamList.GetCount(); ++i) {
    CBMLineElement* beam = static_cast<CBMLineElement*>(theCBMBeamList.GetItem(i));
    if (beam && !other->theCBMBeamList.IsExist(beam)) return false;
  }
  for (int i = 1; i <= theCBMColumnList.GetCount(); ++i) {
    CBMLineElement* column = static_cast<CBMLineElement*>(theCBMColumnList.GetItem(i));
    if (column && !other->theCBMColumnList.IsExist(column)) return false;
  }
  for (int i = 1; i <= theCBMWallList.GetCount(); ++i) {
    CBMShellElement* wall = static_cast<CBMShellElement*>(theCBMWallList.GetItem(i));
    if (wall && !other->theCBMWallList.IsExist(wall)) return false;
  }
  return true;
}

void CBMLevel::AddLevelDrift(CString loadCase, CString diaphragm, CString point, double* coord, double* disp,
                             double* rotation) {
  CBMLevelDrift* drift = new CBMLevelDrift;
  drift->Build(loadCase, diaphragm, point, coord, disp, rotation);
  mLevelDriftList->Add(drift);
}

void CBMLevel::AddShearForce(CString /*loadCase*/, bool /*flag*/, double /*f1*/, double /*f2*/, double /*f3*/,
                             double /*m1*/, double /*m2*/, double /*m3*/) {
  AfxMessageBox("No addshearforce in CBMLevel defined so far!");
}

void CBMLevelList::CreateLevels(int n) {
  for (int i = 0; i < n; ++i) Add(new CBMLevel);
}

int CBMLevelList::CalculateAllLevelHeight() {
  double sum = 0.0;
  for (int i = 2; i <= GetCount(); ++i) {
    CBMLevel* level = static_cast<CBMLevel*>(GetItem(i));
    if (!level) continue;
    sum += level->get_Height();
    level->set_EleHeight(sum);
  }
  return GetCount();
}
