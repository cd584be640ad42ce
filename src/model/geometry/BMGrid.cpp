// Grid lines and the grid list.
#include "model/geometry/BMGrid.h"

BM_IMPLEMENT_SERIAL(CBMGrid, CBMComponent, 1)

CBMGrid::CBMGrid() = default;
CBMGrid::~CBMGrid() = default;

BM_IMPLEMENT_SERIAL(CBMGridList, CBMComponentList, 1)
