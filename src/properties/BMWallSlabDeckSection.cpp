// Wall, slab and deck sections and their list.
#include "properties/BMWallSlabDeckSection.h"

BM_IMPLEMENT_SERIAL(CBMWallSlabDeckSection, CBMComponent, 1)

CBMWallSlabDeckSection::CBMWallSlabDeckSection() = default;
CBMWallSlabDeckSection::~CBMWallSlabDeckSection() = default;

BM_IMPLEMENT_SERIAL(CBMWallSlabDeckSectionList, CBMComponentList, 1)
