// The unit system: the model's force and length unit words.
#include "properties/BMUnitSystem.h"

BM_IMPLEMENT_SERIAL(CBMUnitSystem, CBMComponent, 1)

CBMUnitSystem::CBMUnitSystem() = default;
CBMUnitSystem::~CBMUnitSystem() = default;

void CBMUnitSystem::Serialize(CArchive& ar) {
  // Legacy: no component part (id, name) in this record.
  if (ar.IsStoring()) {
    ar << csForceUnit << csLengthUnit;
  } else {
    ar >> csForceUnit >> csLengthUnit;
  }
}
