// Plan lines and the line list.
#include "model/geometry/BMLine.h"

BM_IMPLEMENT_SERIAL(CBMLine, CBMComponent, 1)

CBMLine::CBMLine() = default;
CBMLine::~CBMLine() = default;

BM_IMPLEMENT_SERIAL(CBMLineList, CBMComponentList, 1)
