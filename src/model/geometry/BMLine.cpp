// Plan lines and the line list.
#include "model/geometry/BMLine.h"

#include <cmath>

#include "model/geometry/BMPoint.h"

BM_IMPLEMENT_SERIAL(CBMLine, CBMComponent, 1)

CBMLine::CBMLine() = default;

CBMLine::CBMLine(CBMPoint* p1, CBMPoint* p2) { set_pPoint(p1, p2); }

CBMLine::~CBMLine() = default;

void CBMLine::set_pPoint(CBMPoint* p1, CBMPoint* p2) {
  pP1 = p1;
  pP2 = p2;
  P1Id = p1 ? p1->get_Id() : 0;
  P2Id = p2 ? p2->get_Id() : 0;
}

int CBMLine::SetIsP1SameLevel(bool same) {
  m_IsP1SameLevel = same ? 1 : 0;
  return m_IsP1SameLevel;
}

double CBMLine::get_Length() const {
  if (!pP1 || !pP2) return 0.0;
  const double dx = pP1->get_X() - pP2->get_X();
  const double dy = pP1->get_Y() - pP2->get_Y();
  return std::sqrt(dx * dx + dy * dy);
}

void CBMLine::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    if (pP1) P1Name = pP1->get_Name();
    if (pP2) P2Name = pP2->get_Name();
    CBMComponent::Serialize(ar);
    ar.WriteInt32(m_IsP1SameLevel);
    ar.WriteString(Type);
    ar.WriteString(P1Name);
    ar.WriteString(P2Name);
    ar.WriteInt32(PassStory);
  } else {
    CBMComponent::Serialize(ar);
    m_IsP1SameLevel = ar.ReadInt32();
    ar.ReadString(Type);
    ar.ReadString(P1Name);
    ar.ReadString(P2Name);
    PassStory = ar.ReadInt32();
  }
}

BM_IMPLEMENT_SERIAL(CBMLineList, CBMComponentList, 1)

CBMLine* CBMLineList::AddLine(CString& name, CBMPoint* p1, CBMPoint* p2) {
  CBMLine* line = new CBMLine(p1, p2);
  line->set_Name(name);
  Add(line);
  return line;
}

namespace {
bool JoinsPoints(const CBMLine& line, const CBMPoint* p1, const CBMPoint* p2) {
  return (line.get_pP1() == p1 && line.get_pP2() == p2) || (line.get_pP1() == p2 && line.get_pP2() == p1);
}
}  // namespace

CBMLine* CBMLineList::FindLineByPoint(CBMPoint* p1, CBMPoint* p2) const {
  for (int i = 1; i <= GetCount(); ++i) {
    CBMLine* line = static_cast<CBMLine*>(GetItem(i));
    if (line && line->GetType() != "BRACE" && JoinsPoints(*line, p1, p2)) return line;
  }
  return nullptr;
}

CBMLine* CBMLineList::FindBraceLineByPoint(CBMPoint* p1, CBMPoint* p2) const {
  for (int i = 1; i <= GetCount(); ++i) {
    CBMLine* line = static_cast<CBMLine*>(GetItem(i));
    if (line && line->GetType() == "BRACE" && JoinsPoints(*line, p1, p2)) return line;
  }
  return nullptr;
}
