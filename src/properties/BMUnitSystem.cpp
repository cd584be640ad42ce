// The unit system: the model's force and length unit words.
#include "properties/BMUnitSystem.h"

BM_IMPLEMENT_SERIAL(CBMUnitSystem, CBMComponent, 1)

CBMUnitSystem::CBMUnitSystem() = default;
CBMUnitSystem::~CBMUnitSystem() = default;
