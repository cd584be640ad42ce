// Link properties and the link list.
#include "properties/BMLink.h"

#include "platform/Transfer.h"

BM_IMPLEMENT_SERIAL(CBMLink, CBMComponent, 1)

CBMLink::CBMLink() = default;
CBMLink::~CBMLink() = default;

namespace {

// Which value each double of the record holds: 'A' or 'B' and its 1-based
// number.
struct Slot {
  char block;
  int number;
};

// Legacy: the stored order of the numbers, which is neither numeric nor by
// block.
constexpr Slot kFirstDoubles[] = {{'B', 9},  {'B', 2}, {'B', 10}, {'B', 3}, {'B', 12}, {'B', 4},
                                  {'B', 1},  {'A', 1}, {'B', 8},  {'A', 6}, {'A', 7},  {'A', 8},
                                  {'B', 13}, {'B', 6}, {'A', 3},  {'A', 4}, {'A', 5},  {'B', 11}};
constexpr Slot kLastDoubles[] = {{'A', 2}, {'B', 5}, {'B', 7}};

}  // namespace

void CBMLink::Serialize(CArchive& ar) {
  CBMComponent::Serialize(ar);
  auto value = [this](const Slot& s) -> double& {
    return s.block == 'A' ? ParamA[s.number - 1] : ParamB[s.number - 1];
  };
  bm::Transfer(ar, DofR1, DofR2, DofR3, DofU1, DofU2, DofU3);
  for (const Slot& s : kFirstDoubles) bm::Transfer(ar, value(s));
  bm::Transfer(ar, LinkType);
  for (const Slot& s : kLastDoubles) bm::Transfer(ar, value(s));
}

BM_IMPLEMENT_SERIAL(CBMLinkList, CBMComponentList, 1)

CBMLink* CBMLinkList::AddLink(CString& name) {
  auto* link = new CBMLink;
  link->set_Name(name);
  Add(link);
  return link;
}
