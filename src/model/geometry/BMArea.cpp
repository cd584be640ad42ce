// Plan areas and the area list.
#include "model/geometry/BMArea.h"

#include <cstdint>

#include "model/geometry/BMPoint.h"
#include "platform/Transfer.h"

BM_IMPLEMENT_SERIAL(CBMArea, CBMComponent, 1)

CBMArea::CBMArea() = default;
// The corner list only refers to its points; nothing is deleted.
CBMArea::~CBMArea() = default;

void CBMArea::NoteKeyEdit() const {
  if (indexed_) NoteKeyEditToLists();
}

void CBMArea::SetAreaType(CString type) {
  NoteKeyEdit();
  AreaType = std::move(type);
}

void CBMArea::AddPoint(CBMPoint* p) {
  if (!p) return;
  NoteKeyEdit();
  // Legacy: Add renumbers p to its position among the corners.
  thePointList.Add(p);
  PointCount = thePointList.GetCount();
}

CBMPoint* CBMArea::GetPoint(int i) const { return thePointList.ItemAs<CBMPoint>(i); }

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
  if (ar.IsLoading()) NoteKeyEdit();
  bm::Transfer(ar, PointCount, AreaType);
  // The corners (status, point name) differ by direction: storing takes them
  // from the attached points, loading keeps them until the topology rebuild
  // attaches the points.
  if (ar.IsStoring()) {
    for (int k = 1; k <= PointCount; ++k) {
      // Decision: a corner without a status is written with status 0, and a
      // corner whose point is not attached with the name it was loaded with.
      ar.WriteInt32(GetPointStatus(k));
      const CBMPoint* p = GetPoint(k);
      ar.WriteString(p ? p->name() : GetPointName(k - 1));
    }
    return;
  }
  // Each corner takes at least five bytes.
  bm::RequireItems(ar, PointCount, 5);
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

bool IsRamp(const CBMArea& area) { return area.areaType() == "RAMP"; }

// The legacy test: same kind, same count, the very same point object at
// every corner. Corners beyond the attached points read as null.
bool HasSequence(const CBMArea& area, const CBMComponentList& pts, bool ramp) {
  const int n = pts.GetCount();
  if (IsRamp(area) != ramp || area.GetCount() != n) return false;
  for (int k = 1; k <= n; ++k) {
    if (area.GetPoint(k) != pts.GetItem(k)) return false;
  }
  return true;
}

// Key of the kind, the count and the n corners given by corner(1..n).
template <typename Corner>
uint64_t SequenceKey(bool ramp, int n, Corner corner) {
  uint64_t key = bm::HashMix(bm::HashMix(ramp ? 1 : 0, static_cast<uint64_t>(static_cast<uint32_t>(n))), 0);
  for (int k = 1; k <= n; ++k) key = bm::HashMix(key, reinterpret_cast<uintptr_t>(corner(k)));
  return key;
}

}  // namespace

CBMArea* CBMAreaList::FindBySequence(const CBMComponentList* pts, bool ramp) const {
  if (!pts) return nullptr;
  auto match = [&](const CBMArea& area) { return HasSequence(area, *pts, ramp); };
  const bm::PositionChains* chains =
      bm::ChainsFor<CBMArea>(index_, *this, [](const CBMArea& area, uint64_t* key) {
        area.indexed_ = true;
        *key = SequenceKey(IsRamp(area), area.GetCount(), [&area](int k) { return area.GetPoint(k); });
        return true;
      });
  if (!chains) return bm::ScanFirst<CBMArea>(*this, match);
  const uint64_t key = SequenceKey(ramp, pts->GetCount(), [pts](int k) { return pts->GetItem(k); });
  return bm::ChainFirst<CBMArea>(*this, *chains, key, match);
}

CBMArea* CBMAreaList::FindAreaByPoints(CBMComponentList* pts) const { return FindBySequence(pts, false); }

CBMArea* CBMAreaList::FindRampAreaByPoints(CBMComponentList* pts) const { return FindBySequence(pts, true); }
