// Plan points and the point list.
#include "model/geometry/BMPoint.h"

BM_IMPLEMENT_SERIAL(CBMPoint, CBMComponent, 1)

CBMPoint::CBMPoint() = default;
CBMPoint::~CBMPoint() = default;

BM_IMPLEMENT_SERIAL(CBMPointList, CBMComponentList, 1)
