// Plan areas and the area list.
#include "model/geometry/BMArea.h"

BM_IMPLEMENT_SERIAL(CBMArea, CBMComponent, 1)

CBMArea::CBMArea() = default;
CBMArea::~CBMArea() = default;

BM_IMPLEMENT_SERIAL(CBMAreaList, CBMComponentList, 1)
