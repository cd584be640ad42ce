// Frame sections and the frame-section list.
#include "properties/BMFrameSection.h"

#include "platform/Transfer.h"
#include "properties/BMMaterial.h"

BM_IMPLEMENT_SERIAL(CBMFrameSection, CBMComponent, 1)

CBMFrameSection::CBMFrameSection() = default;
CBMFrameSection::~CBMFrameSection() = default;

void CBMFrameSection::set_pMaterial(CBMMaterial* p) {
  pMaterial = p;
  if (p != nullptr) MaterialName = p->name();
}

double CBMFrameSection::get_ParamItems(int i) const {
  return (i >= 0 && i < kParamCount) ? ParamItems[i] : 0.0;
}

void CBMFrameSection::set_ParamItems(int i, double v) {
  if (i >= 0 && i < kParamCount) ParamItems[i] = v;
}

void CBMFrameSection::Serialize(CArchive& ar) {
  CBMComponent::Serialize(ar);
  bm::Transfer(ar, ParamItems, Shape, MaterialName);
}

BM_IMPLEMENT_SERIAL(CBMFrameSectionList, CBMComponentList, 1)

CBMFrameSection* CBMFrameSectionList::AddFrameSection(CString& name, const CString& Shape) {
  auto section = std::make_unique<CBMFrameSection>();
  section->set_Name(name);
  section->set_Shape(Shape);
  return Adopt(std::move(section));
}

CBMFrameSection* CBMFrameSectionList::GetFrameSection(const CString& name) const {
  return ItemAs<CBMFrameSection>(name);
}
