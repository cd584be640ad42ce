// The list block shared by the model's component lists and the reader's
// token lists: null slots left out, foreign class records refused and failed
// members dropped the same way for both kinds of list.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/ArchiveHelpers.h"
#include "support/ByteBuilder.h"

namespace {

using bm::test::ByteBuilder;

// A component list that owns its members, as the typed lists do.
class OwningList : public CBMComponentList {
 public:
  ~OwningList() override { DeleteAll(); }
};

// One kind of list, driven through the same steps.
struct Kind {
  const char* name;
  const char* memberClass;   // the class record of its own members
  const char* foreignClass;  // a registered class of the other kind
  std::function<void(const std::vector<uint8_t>&, int& countAfter)> load;
  std::function<std::vector<uint8_t>()> storeWithNullSlots;
};

template <typename List, typename Member>
Kind MakeKind(const char* name, const char* memberClass, const char* foreignClass) {
  Kind k;
  k.name = name;
  k.memberClass = memberClass;
  k.foreignClass = foreignClass;
  k.load = [](const std::vector<uint8_t>& bytes, int& countAfter) {
    List list;
    auto* existing = new Member;
    existing->set_Name("OLD");
    list.Add(existing);
    try {
      bm::test::LoadObject(list, bytes);
    } catch (...) {
      countAfter = list.GetCount();
      throw;
    }
    countAfter = list.GetCount();
  };
  k.storeWithNullSlots = [] {
    List list;
    list.Add(nullptr);
    auto* a = new Member;
    a->set_Name("A");
    list.Add(a);
    list.Add(nullptr);
    return bm::test::StoreObject(list);
  };
  return k;
}

std::vector<Kind> Kinds() {
  return {MakeKind<OwningList, CBMComponent>("component list", "CBMComponent", "ZBMComponent"),
          MakeKind<ZComItemList, ZComItem>("token list", "ZComItem", "CBMComponent")};
}

TEST(ListBlock, NullSlotsAreLeftOutAndTheFirstMemberGivesTheClass) {
  for (const Kind& k : Kinds()) {
    // Ids are renumbered by Add, so "A" sits at position 2.
    EXPECT_EQ(k.storeWithNullSlots(), ByteBuilder().I32(1).Class(k.memberClass).I32(2).Str("A").bytes())
        << k.name;
  }
}

TEST(ListBlock, BothKindsRefuseForeignRecordsAndKeepWhatWasRead) {
  for (const Kind& k : Kinds()) {
    struct Case {
      std::string what;
      std::vector<uint8_t> bytes;
      int cause;
      int countAfter;
    };
    const Case cases[] = {
        {"foreign class", ByteBuilder().I32(1).Class(k.foreignClass).I32(1).Str("A").bytes(),
         CArchiveException::badClass, 1},
        {"count beyond the data", ByteBuilder().I32(50).Class(k.memberClass).I32(1).Str("A").bytes(),
         CArchiveException::endOfFile, 1},
        {"second member cut short", ByteBuilder().I32(2).Class(k.memberClass).I32(1).Str("A").I32(2).bytes(),
         CArchiveException::endOfFile, 2},
    };
    for (const Case& c : cases) {
      int countAfter = -1;
      try {
        k.load(c.bytes, countAfter);
        ADD_FAILURE() << k.name << ": " << c.what;
      } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, c.cause) << k.name << ": " << c.what;
      }
      EXPECT_EQ(countAfter, c.countAfter) << k.name << ": " << c.what;
    }
    int countAfter = -1;
    k.load(ByteBuilder().I32(1).Class(k.memberClass).I32(7).Str("NEW").bytes(), countAfter);
    EXPECT_EQ(countAfter, 2) << k.name << ": loading appends";
  }
}

}  // namespace
