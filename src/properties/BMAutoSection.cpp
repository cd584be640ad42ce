// Auto-select section lists.
#include "properties/BMAutoSection.h"

BM_IMPLEMENT_SERIAL(CBMAutoSection, CBMComponent, 1)

CBMAutoSection::CBMAutoSection() = default;
CBMAutoSection::~CBMAutoSection() = default;
