// Plan areas and the area list.
#include "model/geometry/BMArea.h"

#include "platform/Exceptions.h"
#include "model/geometry/BMPoint.h"

BM_IMPLEMENT_SERIAL(CBMArea, CBMComponent, 1)

CBMArea::CBMArea() = default;
// The corner list only refers to its points; nothing is deleted.
CBMArea::~CBMArea() = default;

void CBMArea::AddPoint(CBMPoint* p) {
  if (!p) return;
  // Legacy: Add renumbers p to its position among the corners.
  thePointList.Add(p);
  PointCount = thePointList.GetCount();
}

CBMPoint* CBMArea::GetPoint(int i) const { return static_cast<CBMPoint*>(thePointList.GetItem(i)); }

void CBMArea::AddPointType(int t) { PointStatus.Add(t); }

int CBMArea::GetPointStatus(int i) const {
  if (i < 1 || i > PointStatus.GetSize()) return 0;
  return PointStatus[i - 1];
}

int CBMArea::GetPointID(int i) const {
  if (i < 0 || i >= PointId.GetSize()) return 0;
  return PointId[i];
}

CString CBMArea::GetPointName(int i) const {
  if (i < 0 || i >= PointNames.GetSize()) return CString();
  return PointNames[i];
}

void CBMArea::Serialize(CArchive& ar) {
  CBMComponent::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteInt32(PointCount);
    ar.WriteString(AreaType);
    for (int k = 1; k <= PointCount; ++k) {
      // Decision: a corner without a status is written with status 0, and a
      // corner whose point is not attached with the name it was loaded with.
      ar.WriteInt32(GetPointStatus(k));
      const CBMPoint* p = GetPoint(k);
      ar.WriteString(p ? p->name() : GetPointName(k - 1));
    }
    return;
  }
  PointCount = ar.ReadInt32();
  ar.ReadString(AreaType);
  // Each corner takes at least five bytes; refuse an impossible count
  // before reading.
  if (PointCount < 0 || static_cast<uint64_t>(PointCount) * 5 > ar.BytesLeft()) {
    throw CArchiveException(CArchiveException::endOfFile);
  }
  PointStatus.RemoveAll();
  PointNames.RemoveAll();
  for (int k = 0; k < PointCount; ++k) {
    PointStatus.Add(ar.ReadInt32());
    CString name;
    ar.ReadString(name);
    PointNames.Add(name);
  }
}

BM_IMPLEMENT_SERIAL(CBMAreaList, CBMComponentList, 1)

namespace {
CBMArea* FindBySequence(const CBMComponentList& areas, const CBMComponentList* pts, bool ramp) {
  if (!pts) return nullptr;
  const int n = pts->GetCount();
  for (int i = 1; i <= areas.GetCount(); ++i) {
    CBMArea* area = static_cast<CBMArea*>(areas.GetItem(i));
    if (!area || (area->areaType() == "RAMP") != ramp || area->GetCount() != n) continue;
    bool same = true;
    for (int k = 1; k <= n && same; ++k) same = area->GetPoint(k) == pts->GetItem(k);
    if (same) return area;
  }
  return nullptr;
}
}  // namespace

CBMArea* CBMAreaList::FindAreaByPoints(CBMComponentList* pts) const { return FindBySequence(*this, pts, false); }

CBMArea* CBMAreaList::FindRampAreaByPoints(CBMComponentList* pts) const { return FindBySequence(*this, pts, true); }
