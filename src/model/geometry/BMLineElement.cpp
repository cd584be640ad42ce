// Line elements (beams, columns, braces), releases and their lists.
#include "model/geometry/BMLineElement.h"

BM_IMPLEMENT_SERIAL(CBMLineElement, CBMComponent, 1)

CBMLineElement::CBMLineElement() = default;
CBMLineElement::~CBMLineElement() = default;

BM_IMPLEMENT_SERIAL(CBMBeam, CBMLineElement, 1)

CBMBeam::CBMBeam() { ObjectType = BM_BEAM; }
CBMBeam::~CBMBeam() = default;

BM_IMPLEMENT_SERIAL(CBMColumn, CBMLineElement, 1)

CBMColumn::CBMColumn() { ObjectType = BM_COLUMN; }
CBMColumn::~CBMColumn() = default;

BM_IMPLEMENT_SERIAL(CBMBrace, CBMLineElement, 1)

CBMBrace::CBMBrace() { ObjectType = BM_BRACE; }
CBMBrace::~CBMBrace() = default;

BM_IMPLEMENT_SERIAL(CBMBeamList, CBMComponentList, 1)

BM_IMPLEMENT_SERIAL(CBMColumnList, CBMComponentList, 1)

BM_IMPLEMENT_SERIAL(CBMBraceList, CBMComponentList, 1)
