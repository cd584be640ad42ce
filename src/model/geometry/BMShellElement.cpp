// Shell elements (slabs, walls) and their lists.
#include "model/geometry/BMShellElement.h"

BM_IMPLEMENT_SERIAL(CBMShellElement, CBMComponent, 1)

CBMShellElement::CBMShellElement() = default;
CBMShellElement::~CBMShellElement() = default;

BM_IMPLEMENT_SERIAL(CBMSlab, CBMShellElement, 1)

CBMSlab::CBMSlab() { ObjectType = BM_SLAB; }
CBMSlab::~CBMSlab() = default;

BM_IMPLEMENT_SERIAL(CBMWall, CBMShellElement, 1)

CBMWall::CBMWall() { ObjectType = BM_WALL; }
CBMWall::~CBMWall() = default;

BM_IMPLEMENT_SERIAL(CBMSlabList, CBMComponentList, 1)

BM_IMPLEMENT_SERIAL(CBMWallList, CBMComponentList, 1)
