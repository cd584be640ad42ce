// Load combinations and their terms.
#include "loads/BMLoadCom.h"

#include <memory>
#include <utility>

#include "platform/Transfer.h"

BM_IMPLEMENT_SERIAL(CBMLoadComItem, CBMComponent, 1)

CBMLoadComItem::CBMLoadComItem(CString caseName, double factor)
    : CaseName(std::move(caseName)), Factor(factor) {}

void CBMLoadComItem::Serialize(CArchive& ar) {
  // Legacy: a term writes no component part; its id is its list position.
  bm::Transfer(ar, CaseName, Factor);
}

BM_IMPLEMENT_SERIAL(CBMLoadCom, CBMComponent, 1)

CBMLoadCom::~CBMLoadCom() { m_CombineList.DeleteAll(); }

CBMLoadComItem* CBMLoadCom::AddLoadCaseItem(CString caseName, double factor) {
  return m_CombineList.Adopt(std::make_unique<CBMLoadComItem>(std::move(caseName), factor));
}

void CBMLoadCom::AddLoadCaseItem(CBMLoadComItem* item) {
  // Owned from the call on: freed if memory runs out before the list has it.
  if (item != nullptr) m_CombineList.Adopt(std::unique_ptr<CBMLoadComItem>(item));
}

void CBMLoadCom::Serialize(CArchive& ar) {
  CBMComponent::Serialize(ar);
  bm::Transfer(ar, sType);
  // The list may load combination terms only (other class records: badClass).
  m_CombineList.SetMemberClass(RUNTIME_CLASS(CBMLoadComItem));
  m_CombineList.Serialize(ar);
}
