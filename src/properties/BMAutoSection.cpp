// Auto-select section lists.
#include "properties/BMAutoSection.h"

BM_IMPLEMENT_SERIAL(CBMAutoSection, CBMComponent, 1)

CBMAutoSection::CBMAutoSection() = default;

CBMAutoSection::~CBMAutoSection() {
  // The candidates belong to the frame-section list.
  SectionList.RemoveAll();
}

void CBMAutoSection::Serialize(CArchive& ar) { CBMComponent::Serialize(ar); }
