// Pier and spandrel labels and their list.
#include "properties/BMPierSpandrel.h"

#include "platform/Transfer.h"

BM_IMPLEMENT_SERIAL(CBMPierSpandrel, CBMComponent, 1)

CBMPierSpandrel::CBMPierSpandrel() = default;
CBMPierSpandrel::~CBMPierSpandrel() = default;

void CBMPierSpandrel::Serialize(CArchive& ar) {
  CBMComponent::Serialize(ar);
  bm::Transfer(ar, IsSpan);
}

BM_IMPLEMENT_SERIAL(CBMPierSpandrelList, CBMComponentList, 1)

CBMPierSpandrel* CBMPierSpandrelList::AddPierSpandrel(bool isSpandrel, CString& name) {
  // An existing label is reused as it is: a pier stays a pier.
  if (CBMPierSpandrel* found = ItemAs<CBMPierSpandrel>(name)) return found;
  auto label = std::make_unique<CBMPierSpandrel>();
  label->set_Name(name);
  label->set_IsSpan(isSpandrel);
  return Adopt(std::move(label));
}
