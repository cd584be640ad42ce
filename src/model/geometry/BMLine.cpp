// Plan lines and the line list.
#include "model/geometry/BMLine.h"

#include <cstdint>
#include <utility>

#include "model/geometry/BMPoint.h"
#include "platform/Transfer.h"

BM_IMPLEMENT_SERIAL(CBMLine, CBMComponent, 1)

CBMLine::CBMLine() = default;

CBMLine::CBMLine(CBMPoint* p1, CBMPoint* p2) { set_pPoint(p1, p2); }

CBMLine::~CBMLine() = default;

void CBMLine::NoteKeyEdit() const {
  if (indexed_) NoteKeyEditToLists();
}

void CBMLine::set_pPoint(CBMPoint* p1, CBMPoint* p2) {
  NoteKeyEdit();
  pP1 = p1;
  pP2 = p2;
  P1Id = p1 ? p1->get_Id() : 0;
  P2Id = p2 ? p2->get_Id() : 0;
}

void CBMLine::SetType(CString type) {
  NoteKeyEdit();
  Type = std::move(type);
}

int CBMLine::SetIsP1SameLevel(bool same) {
  m_IsP1SameLevel = same ? 1 : 0;
  return m_IsP1SameLevel;
}

double CBMLine::get_Length() const { return bm::PlanDistance(pP1, pP2); }

void CBMLine::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    // The stored end names are those of the attached points.
    if (pP1) P1Name = pP1->get_Name();
    if (pP2) P2Name = pP2->get_Name();
  } else {
    NoteKeyEdit();
  }
  CBMComponent::Serialize(ar);
  bm::Transfer(ar, m_IsP1SameLevel, Type, P1Name, P2Name, PassStory);
}

BM_IMPLEMENT_SERIAL(CBMLineList, CBMComponentList, 1)

CBMLine* CBMLineList::AddLine(CString& name, CBMPoint* p1, CBMPoint* p2) {
  auto line = std::make_unique<CBMLine>(p1, p2);
  line->set_Name(name);
  return Adopt(std::move(line));
}

namespace {

bool JoinsPoints(const CBMLine& line, const CBMPoint* p1, const CBMPoint* p2) {
  return (line.get_pP1() == p1 && line.get_pP2() == p2) || (line.get_pP1() == p2 && line.get_pP2() == p1);
}

bool IsBrace(const CBMLine& line) { return line.GetType() == "BRACE"; }

// Key of the unordered point pair and of the brace/other kind.
uint64_t PairKey(const CBMPoint* p1, const CBMPoint* p2, bool brace) {
  uint64_t a = reinterpret_cast<uintptr_t>(p1);
  uint64_t b = reinterpret_cast<uintptr_t>(p2);
  if (a > b) std::swap(a, b);
  return bm::HashMix(bm::HashMix(brace ? 1 : 0, a), b);
}

}  // namespace

CBMLine* CBMLineList::FindByPoints(CBMPoint* p1, CBMPoint* p2, bool brace) const {
  auto match = [&](const CBMLine& line) { return IsBrace(line) == brace && JoinsPoints(line, p1, p2); };
  const bm::PositionChains* chains =
      bm::ChainsFor<CBMLine>(index_, *this, [](const CBMLine& line, uint64_t* key) {
        line.indexed_ = true;
        *key = PairKey(line.get_pP1(), line.get_pP2(), IsBrace(line));
        return true;
      });
  if (!chains) return bm::ScanFirst<CBMLine>(*this, match);
  return bm::ChainFirst<CBMLine>(*this, *chains, PairKey(p1, p2, brace), match);
}

CBMLine* CBMLineList::FindLineByPoint(CBMPoint* p1, CBMPoint* p2) const {
  return FindByPoints(p1, p2, false);
}

CBMLine* CBMLineList::FindBraceLineByPoint(CBMPoint* p1, CBMPoint* p2) const {
  return FindByPoints(p1, p2, true);
}
