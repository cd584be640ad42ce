// Plan points and the point list.
#include "model/geometry/BMPoint.h"

#include <cmath>

BM_IMPLEMENT_SERIAL(CBMPoint, CBMComponent, 1)

CBMPoint::CBMPoint() = default;

CBMPoint::CBMPoint(double x, double y, double z, bool isMidLevel)
    : X(x), Y(y), IsMidLevel(isMidLevel ? 1 : 0), Z(z) {}

CBMPoint::~CBMPoint() = default;

void CBMPoint::InitFloorJointId(int n) {
  FloorJointId.clear();
  if (n > 0) FloorJointId.assign(static_cast<size_t>(n), 0);
}

void CBMPoint::SetFloorJointId(int level, long id) {
  // Decision: positions outside 1 to n are ignored instead of writing past
  // the array.
  if (level < 1 || static_cast<size_t>(level) > FloorJointId.size()) return;
  FloorJointId[static_cast<size_t>(level) - 1] = static_cast<int32_t>(id);
}

long CBMPoint::GetFloorJointId(int level) const {
  if (level < 1 || static_cast<size_t>(level) > FloorJointId.size()) return 0;
  return FloorJointId[static_cast<size_t>(level) - 1];
}

void CBMPoint::Serialize(CArchive& ar) {
  CBMComponent::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteDouble(X);
    ar.WriteDouble(Y);
    ar.WriteDouble(Z);
    ar.WriteInt32(IsMidLevel);
  } else {
    X = ar.ReadDouble();
    Y = ar.ReadDouble();
    Z = ar.ReadDouble();
    IsMidLevel = ar.ReadInt32();
  }
}

BM_IMPLEMENT_SERIAL(CBMPointList, CBMComponentList, 1)

CBMPoint* CBMPointList::AddPoint(CString& name, double x, double y) {
  if (CBMComponent* found = GetItem(name)) return static_cast<CBMPoint*>(found);
  CBMPoint* point = new CBMPoint(x, y, 0.0, false);
  point->set_Name(name);
  Add(point);
  return point;
}

CBMPoint* CBMPointList::AddPoint(double x, double y) {
  if (CBMPoint* near = FindPointByCoors(x, y)) return near;
  CString name;
  name.Format("%i", GetCount() + 1);
  // Legacy: a point that already bears the generated name is returned as it
  // is, wherever it lies.
  return AddPoint(name, x, y);
}

CBMPoint* CBMPointList::FindPointByCoors(double x, double y) const {
  for (int i = 1; i <= GetCount(); ++i) {
    CBMPoint* p = static_cast<CBMPoint*>(GetItem(i));
    if (!p) continue;
    const double dx = p->get_X() - x;
    const double dy = p->get_Y() - y;
    if (std::sqrt(dx * dx + dy * dy) < 0.0001) return p;
  }
  return nullptr;
}

int CBMPointList::Removal() {
  // Decision: nothing to remove; report 0.
  return 0;
}
