// Pier and spandrel labels and their list.
#include "properties/BMPierSpandrel.h"

BM_IMPLEMENT_SERIAL(CBMPierSpandrel, CBMComponent, 1)

CBMPierSpandrel::CBMPierSpandrel() = default;
CBMPierSpandrel::~CBMPierSpandrel() = default;

void CBMPierSpandrel::Serialize(CArchive& ar) {
  CBMComponent::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteInt32(IsSpan);
  } else {
    IsSpan = ar.ReadInt32();
  }
}

BM_IMPLEMENT_SERIAL(CBMPierSpandrelList, CBMComponentList, 1)

CBMPierSpandrel* CBMPierSpandrelList::AddPierSpandrel(bool isSpandrel, CString& name) {
  // An existing label is reused as it is: a pier stays a pier.
  if (CBMComponent* found = GetItem(name)) return static_cast<CBMPierSpandrel*>(found);
  auto* label = new CBMPierSpandrel;
  label->set_Name(name);
  label->set_IsSpan(isSpandrel);
  Add(label);
  return label;
}
