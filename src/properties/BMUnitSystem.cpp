// The unit system: the model's force and length unit words.
#include "properties/BMUnitSystem.h"

#include "platform/Transfer.h"

BM_IMPLEMENT_SERIAL(CBMUnitSystem, CBMComponent, 1)

CBMUnitSystem::CBMUnitSystem() = default;
CBMUnitSystem::~CBMUnitSystem() = default;

void CBMUnitSystem::Serialize(CArchive& ar) {
  // Legacy: no component part (id, name) in this record.
  bm::Transfer(ar, csForceUnit, csLengthUnit);
}
