// Wall, slab and deck sections and their list.
#include "properties/BMWallSlabDeckSection.h"

#include "platform/Transfer.h"
#include "properties/BMMaterial.h"

BM_IMPLEMENT_SERIAL(CBMWallSlabDeckSection, CBMComponent, 1)

CBMWallSlabDeckSection::CBMWallSlabDeckSection() = default;
CBMWallSlabDeckSection::~CBMWallSlabDeckSection() = default;

void CBMWallSlabDeckSection::set_pMaterial(CBMMaterial* p) {
  pMaterial = p;
  if (p != nullptr) MaterialName = p->name();
}

void CBMWallSlabDeckSection::Serialize(CArchive& ar) {
  CBMComponent::Serialize(ar);
  // Legacy: the record order is neither the declaration order nor strictly
  // alphabetical (PlateType before MaterialName); it is the stored format.
  bm::Transfer(ar, DeckType, PlateType, MaterialName, PropType, RibDepth, RibSpacing, RibWidth, ShellType,
               SlabDepth, StudHeight, StuDia, StudStrength, TB, TM, Weight);
}

BM_IMPLEMENT_SERIAL(CBMWallSlabDeckSectionList, CBMComponentList, 1)

CBMWallSlabDeckSection* CBMWallSlabDeckSectionList::AddSection() {
  return Adopt(std::make_unique<CBMWallSlabDeckSection>());
}
