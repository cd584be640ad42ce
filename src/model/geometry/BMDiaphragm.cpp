// Model-wide and per-level diaphragms and their lists.
#include "model/geometry/BMDiaphragm.h"

BM_IMPLEMENT_SERIAL(CBMDiaphragm, CBMComponent, 1)

CBMDiaphragm::CBMDiaphragm() = default;
CBMDiaphragm::~CBMDiaphragm() = default;

BM_IMPLEMENT_SERIAL(CBMLevelDiaphragm, CBMComponent, 1)

CBMLevelDiaphragm::CBMLevelDiaphragm() = default;
CBMLevelDiaphragm::~CBMLevelDiaphragm() = default;

BM_IMPLEMENT_SERIAL(CBMDiaphragmList, CBMComponentList, 1)

BM_IMPLEMENT_SERIAL(CBMLevelDiaphragmList, CBMComponentList, 1)
