// Load cases, their wind items and the load-case list.
#include "loads/BMLoadCase.h"

#include <memory>
#include <utility>

#include "platform/Transfer.h"

BM_IMPLEMENT_SERIAL(CBMLoadWind, CBMComponent, 1)

void CBMLoadWind::Serialize(CArchive& ar) {
  CBMComponent::Serialize(ar);
  // Legacy: the diaphragm is archived before the level.
  bm::Transfer(ar, Fx, Fy, Mz, sDiaph, sLevel, XLoc, YLoc);
}

BM_IMPLEMENT_SERIAL(CBMLoadCase, CBMComponent, 1)

CBMLoadCase::CBMLoadCase() = default;

CBMLoadCase::CBMLoadCase(CString name, CString type, double selfWeight)
    : sType(std::move(type)), fSelfW(selfWeight) {
  set_Name(name);
}

CBMLoadCase::~CBMLoadCase() { m_WindList.DeleteAll(); }

CBMLoadWind* CBMLoadCase::AddWindItem(CString level, CString diaph, double fx, double fy, double xLoc,
                                      double yLoc) {
  return AddWindItem(std::move(level), std::move(diaph), fx, fy, 0.0, xLoc, yLoc);
}

CBMLoadWind* CBMLoadCase::AddWindItem(CString level, CString diaph, double fx, double fy, double mz,
                                      double xLoc, double yLoc) {
  auto item = std::make_unique<CBMLoadWind>();
  item->set_sLevel(level);
  item->set_sDiaph(diaph);
  item->set_Fx(fx);
  item->set_Fy(fy);
  item->set_Mz(mz);
  item->set_XLoc(xLoc);
  item->set_YLoc(yLoc);
  return m_WindList.Adopt(std::move(item));
}

void CBMLoadCase::SetVirtualLoadCaseName(CString name) {
  m_VirtualLoadCaseName = std::move(name);
  m_bVirtualLoad = 1;
}

void CBMLoadCase::Serialize(CArchive& ar) {
  CBMComponent::Serialize(ar);
  bm::Transfer(ar, fSelfW, sType, m_bVirtualLoad, m_VirtualLoadCaseName);
  // The list may load wind items only (other class records: badClass).
  m_WindList.SetMemberClass(RUNTIME_CLASS(CBMLoadWind));
  m_WindList.Serialize(ar);
}

BM_IMPLEMENT_SERIAL(CBMLoadCaseList, CBMComponentList, 1)

CBMLoadCase* CBMLoadCaseList::AddLoadCase(CString& name, CString type, double selfWeight) {
  return Adopt(std::make_unique<CBMLoadCase>(name, std::move(type), selfWeight));
}

CBMLoadCase* CBMLoadCaseList::GetLoadCase(const CString& name) const {
  // Decision: a look-up by exact name (the legacy operation always gave null).
  return ItemAs<CBMLoadCase>(name);
}
