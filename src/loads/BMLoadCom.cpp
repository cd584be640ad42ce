// Load combinations and their terms.
#include "loads/BMLoadCom.h"

#include <utility>

BM_IMPLEMENT_SERIAL(CBMLoadComItem, CBMComponent, 1)

CBMLoadComItem::CBMLoadComItem(CString caseName, double factor)
    : CaseName(std::move(caseName)), Factor(factor) {}

void CBMLoadComItem::Serialize(CArchive& ar) {
  // Legacy: a term writes no component part; its id is its list position.
  if (ar.IsStoring()) {
    ar << CaseName << Factor;
  } else {
    ar >> CaseName >> Factor;
  }
}

BM_IMPLEMENT_SERIAL(CBMLoadCom, CBMComponent, 1)

CBMLoadCom::~CBMLoadCom() { m_CombineList.DeleteAll(); }

CBMLoadComItem* CBMLoadCom::AddLoadCaseItem(CString caseName, double factor) {
  auto* item = new CBMLoadComItem(std::move(caseName), factor);
  m_CombineList.Add(item);
  return item;
}

void CBMLoadCom::AddLoadCaseItem(CBMLoadComItem* item) {
  if (item != nullptr) m_CombineList.Add(item);
}

void CBMLoadCom::Serialize(CArchive& ar) {
  CBMComponent::Serialize(ar);
  if (ar.IsStoring()) {
    ar << sType;
  } else {
    ar >> sType;
  }
  // The list may load combination terms only (other class records: badClass).
  m_CombineList.SetMemberClass(RUNTIME_CLASS(CBMLoadComItem));
  m_CombineList.Serialize(ar);
}
