// Model-wide and per-level diaphragms and their lists.
#include "model/geometry/BMDiaphragm.h"

#include <memory>

#include "model/geometry/BMJoint.h"
#include "platform/Transfer.h"

// ---------------------------------------------------------------------------
// CBMDiaphragm

BM_IMPLEMENT_SERIAL(CBMDiaphragm, CBMComponent, 1)

CBMDiaphragm::CBMDiaphragm() = default;
CBMDiaphragm::~CBMDiaphragm() = default;

namespace {
// Adds (x, y) to a running centre: the sums, the count and the mean.
template <typename Count>
void AddToCentre(double x, double y, double& sumX, double& sumY, Count& count, double& cx, double& cy) {
  ++count;
  sumX += x;
  sumY += y;
  cx = sumX / count;
  cy = sumY / count;
}
}  // namespace

void CBMDiaphragm::AddPointForDiaCenter(double x, double y) {
  AddToCentre(x, y, SumX, SumY, AssociatedPointCount, CX, CY);
}

void CBMDiaphragm::Serialize(CArchive& ar) {
  CBMComponent::Serialize(ar);
  bm::Transfer(ar, CX, CY, SumX, SumY, AssociatedPointCount);
}

// ---------------------------------------------------------------------------
// CBMLevelDiaphragm

BM_IMPLEMENT_SERIAL(CBMLevelDiaphragm, CBMComponent, 1)

CBMLevelDiaphragm::CBMLevelDiaphragm() = default;

CBMLevelDiaphragm::~CBMLevelDiaphragm() {
  theModeList.DeleteAll();
  // The joints belong to their level.
}

void CBMLevelDiaphragm::AddPointForDiaCenter(double x, double y) {
  AddToCentre(x, y, SumX, SumY, CenterPointCount, CX, CY);
}

void CBMLevelDiaphragm::AddJoint(CBMJoint* j) {
  if (!j) return;
  // The joint keeps the id of its position in the level's joint list, which
  // the archive uses to refer to it.
  const int id = j->get_Id();
  theJointList.Add(j);
  j->set_Id(id);
  // Decision: a joint without a point joins the diaphragm but does not move
  // the centre.
  if (j->get_pPoint()) AddPointForDiaCenter(j->Get_pX(), j->Get_pY());
}

CBMJoint* CBMLevelDiaphragm::GetJointByIndex(int i) const { return theJointList.ItemAs<CBMJoint>(i); }

int CBMLevelDiaphragm::ArchiveJointId(int i) const {
  if (i < 1 || i > ArchiveJointIds.GetSize()) return 0;
  return ArchiveJointIds[i - 1];
}

void CBMLevelDiaphragm::AddModeResult(int mode, double v1, double v2, double v3, double v4, double v5,
                                      double v6) {
  auto record = std::make_unique<CBMLevelDiaphragmModes>();
  record->ModeIndex = mode;
  const double values[6] = {v1, v2, v3, v4, v5, v6};
  for (int k = 0; k < 6; ++k) record->ModeResults[k] = values[k];
  theModeList.Adopt(std::move(record));
}

CBMLevelDiaphragmModes* CBMLevelDiaphragm::GetMode(int i) const {
  return theModeList.ItemAs<CBMLevelDiaphragmModes>(i);
}

void CBMLevelDiaphragm::Serialize(CArchive& ar) {
  CBMComponent::Serialize(ar);
  if (ar.IsStoring()) JointAmount = theJointList.GetCount();
  bm::Transfer(ar, CX, CY, SumX, SumY, JointAmount);
  // The joints follow as their ids, which differ by direction: storing takes
  // them from the joint list, loading keeps them in ArchiveJointIds until the
  // joints are attached.
  if (ar.IsStoring()) {
    for (int i = 1; i <= JointAmount; ++i) {
      const CBMComponent* joint = theJointList.GetItem(i);
      ar.WriteInt32(joint ? joint->get_Id() : -1);
    }
    return;
  }
  bm::RequireItems(ar, JointAmount, 4);
  for (int i = 0; i < JointAmount; ++i) ArchiveJointIds.Add(ar.ReadInt32());
}

BM_IMPLEMENT_SERIAL(CBMDiaphragmList, CBMComponentList, 1)

BM_IMPLEMENT_SERIAL(CBMLevelDiaphragmList, CBMComponentList, 1)
