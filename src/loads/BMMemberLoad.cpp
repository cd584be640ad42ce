// Member loads: joint and point loads, line loads and area loads.
#include "loads/BMMemberLoad.h"

#include "model/LazyList.h"
#include "platform/Transfer.h"

void bm::VectorLoad::Serialize(CArchive& ar) {
  // Legacy: no component part is archived.
  // The numbers are set only once the whole record is read, so a truncated
  // record leaves them as they were.
  double v[6] = {FX, FY, FZ, MX, MY, MZ};
  bm::Transfer(ar, v, Lc, sType);
  if (ar.IsLoading()) FX = v[0], FY = v[1], FZ = v[2], MX = v[3], MY = v[4], MZ = v[5];
}

// Both report CBMComponent as their run-time base: the shared part has no
// run-time class of its own.
BM_IMPLEMENT_SERIAL(CBMJointLoad, CBMComponent, 1)
BM_IMPLEMENT_SERIAL(CBMPointLoad, CBMComponent, 1)

BM_IMPLEMENT_SERIAL(CBMLineLoad, CBMComponent, 1)

void CBMLineLoad::Serialize(CArchive& ar) {
  // Legacy: no component part, and the fields in the archive's own order.
  bm::Transfer(ar, Lc, REnd, RStart, sDir, sType, UniformV, VEnd, VStart);
}

BM_IMPLEMENT_SERIAL(CBMAreaLoad, CBMComponent, 1)

void CBMAreaLoad::Serialize(CArchive& ar) {
  CBMComponent::Serialize(ar);
  bm::Transfer(ar, Lc, sDir, sType, Value);
}

namespace bm {

template <typename T>
void Holds(CBMComponentList& list) {
  list.SetMemberClass(T::StaticClass());
}
template void Holds<CBMJointLoad>(CBMComponentList&);
template void Holds<CBMLineLoad>(CBMComponentList&);
template void Holds<CBMAreaLoad>(CBMComponentList&);

}  // namespace bm
