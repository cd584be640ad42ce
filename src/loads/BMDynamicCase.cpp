// Response-spectrum and time-history case descriptions and their functions.
#include "loads/BMDynamicCase.h"

#include <memory>

namespace {

// Puts `f` into an owning slot, deleting a different function held there.
void ReplaceOwned(CBMDynFunction*& slot, CBMDynFunction* f) {
  // Decision: the slot owns its function, so a replaced one is deleted
  // instead of being left without an owner.
  if (slot != f) delete slot;
  slot = f;
}

}  // namespace

CBMDynFunction::~CBMDynFunction() { m_PairList.DeleteAll(); }

void CBMDynFunction::AddFunCoordinates(double x, double y) {
  auto item = std::make_unique<CBMDynFunctionPairItem>();
  item->SetCoordinateValue(x, y);
  m_PairList.Adopt(std::move(item));
}

CBMDynFunctionPairItem* CBMDynFunction::GetPairItem(int i) const {
  return m_PairList.ItemAs<CBMDynFunctionPairItem>(i);
}

CBMDynFunChina::CBMDynFunChina() {
  m_FunctionType = 0;
  m_SourceType = 2;
}

CBMDynSpentrumCase::~CBMDynSpentrumCase() {
  delete m_pFunction1;
  delete m_pFunction2;
  delete m_pFunctionZ;
}

void CBMDynSpentrumCase::SetDynFunction1(CBMDynFunction* f) { ReplaceOwned(m_pFunction1, f); }
void CBMDynSpentrumCase::SetDynFunction2(CBMDynFunction* f) { ReplaceOwned(m_pFunction2, f); }
void CBMDynSpentrumCase::SetDynFunctionZ(CBMDynFunction* f) { ReplaceOwned(m_pFunctionZ, f); }

CBMDynTHLoadItem::~CBMDynTHLoadItem() { delete m_pFunction; }

void CBMDynTHLoadItem::SetDynFunction(CBMDynFunction* f) { ReplaceOwned(m_pFunction, f); }

CBMDynTHistCase::~CBMDynTHistCase() { m_LoadItemList.DeleteAll(); }

void CBMDynTHistCase::AddLoadAssignmentItem(CBMDynTHLoadItem* item) {
  if (item != nullptr) m_LoadItemList.Add(item);
}

CBMDynTHLoadItem* CBMDynTHistCase::GetLoadAssignmentItem(int i) const {
  return m_LoadItemList.ItemAs<CBMDynTHLoadItem>(i);
}
