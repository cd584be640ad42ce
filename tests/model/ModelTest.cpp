// The building module's outer archive frame; component lists and the
// reader's token lists: positions and ids, first-match look-ups (indexed,
// checked against a scan), typed access, the list block.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "model/ClassTable.h"
#include "support/ArchiveHelpers.h"
#include "support/ByteBuilder.h"
#include "support/MessageCapture.h"

namespace {

using bm::test::ByteBuilder;

TEST(BuildingModule, EmptyModuleHasNoDiaphragmAndArchivesUnitsAndTwelveEmptyLists) {
  CBuildingModule module;
  EXPECT_EQ(module.get_pMgrGeometry()->GetNearDiaphragm(0, 0), nullptr);
  EXPECT_EQ(module.get_pMgrLoad()->GetNearLevelDiaphragm(CString("NONE"), 0, 0), nullptr);
  bm::test::ByteBuilder expected;
  expected.Str("").Str("");
  for (int i = 0; i < 12; ++i) expected.I32(0);
  EXPECT_EQ(bm::test::StoreObject(module), expected.bytes());
}

// A list that owns its members, as the typed lists do.
class OwningList : public CBMComponentList {
 public:
  ~OwningList() override { DeleteAll(); }
};

template <typename T = CBMComponent>
T* Named(const std::string& name) {
  auto* c = new T;
  c->set_Name(name.c_str());
  return c;
}

// Both kinds of list are driven through the same steps.
struct ComponentKind {
  using List = OwningList;
  using Member = CBMComponent;
  static constexpr const char* own = "CBMComponent";
  static constexpr const char* foreign = "ZBMComponent";
};
struct TokenKind {
  using List = ZComItemList;
  using Member = ZComItem;
  static constexpr const char* own = "ZComItem";
  static constexpr const char* foreign = "CBMComponent";
};
template <typename>
class BothLists : public ::testing::Test {};
using Kinds = ::testing::Types<ComponentKind, TokenKind>;
TYPED_TEST_SUITE(BothLists, Kinds);

TYPED_TEST(BothLists, IdsFollowPositionsAndPositionsOutsideTheListAreIgnored) {
  bm::test::MessageCapture capture;
  typename TypeParam::List list;
  for (const char* name : {"A", "B", "C"}) list.Add(Named<typename TypeParam::Member>(name));
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(list.GetItem(i)->get_Id(), i);
  list.RemoveAt(2);
  ASSERT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetItem(2)->name(), "C");
  EXPECT_EQ(list.GetItemId(CString("C")) * 10 + list.GetItemId(CString("B")), 20);  // B is gone: 0
  for (int i : {3, 0, -5}) list.RemoveAt(i);
  EXPECT_EQ(list.GetCount(), 2);
  for (int outside : {0, 3}) EXPECT_EQ(list.GetItem(outside), nullptr) << outside;
  list.RemoveAt(1);
  EXPECT_EQ(list.GetItem(1)->get_Id(), 1);
  typename TypeParam::Member kept;
  list.AddHead(&kept);
  EXPECT_EQ(list.GetCount(), 1);
  ASSERT_EQ(capture.count(), 1u);
  EXPECT_EQ(capture.messages()[0], "Not usefull!  ADDHEAD method!");
  typename TypeParam::List borrowing;
  borrowing.Add(&kept);
  borrowing.RemoveAll();  // leaves the member alone
  EXPECT_EQ(borrowing.GetCount(), 0);
  EXPECT_EQ(kept.get_Id(), 1);
}

TYPED_TEST(BothLists, BlockLeavesOutNullSlotsAndLoadingAppendsAndRenumbers) {
  typename TypeParam::List list;
  EXPECT_EQ(bm::test::StoreObject(list), ByteBuilder().I32(0).bytes());
  for (const char* name : {"", "A", "", "B"}) {
    list.Add(*name ? Named<typename TypeParam::Member>(name) : nullptr);
  }
  list.GetItem(4)->set_Id(9);  // stored as it stands
  const auto bytes = bm::test::StoreObject(list);
  EXPECT_EQ(bytes, ByteBuilder().I32(2).Class(TypeParam::own).I32(2).Str("A").I32(9).Str("B").bytes());
  typename TypeParam::List loaded;
  loaded.Add(Named<typename TypeParam::Member>("OLD"));
  ASSERT_TRUE(bm::test::LoadObject(loaded, bytes));
  ASSERT_EQ(loaded.GetCount(), 3);
  EXPECT_EQ(loaded.GetItem(3)->name(), "B");
  EXPECT_EQ(loaded.GetItem(3)->get_Id(), 3);
  EXPECT_STREQ(loaded.GetItem(3)->GetRuntimeClass()->m_lpszClassName, TypeParam::own);
}

std::vector<uint8_t> Block(int count, const char* cls, uint16_t schema = 1) {
  return ByteBuilder().I32(count).Class(cls, schema).I32(1).Str("A").bytes();
}

// A malformed block throws its cause, keeps what was read and makes no member of a foreign class.
TYPED_TEST(BothLists, MalformedBlocksThrowTheirCauseAndKeepWhatWasRead) {
  const char* own = TypeParam::own;
  const int kNone = -1, eof = CArchiveException::endOfFile;
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    int cause;
    int countAfter;
  };
  const Case cases[] = {
      {"empty", ByteBuilder().I32(0).bytes(), kNone, 1},
      {"negative count", ByteBuilder().I32(-3).bytes(), kNone, 1},
      {"foreign class", Block(1, TypeParam::foreign), CArchiveException::badClass, 1},
      {"unknown class", Block(1, "CBMMystery"), CArchiveException::badClass, 1},
      {"wrong schema", Block(1, own, 3), CArchiveException::badSchema, 1},
      {"count beyond the data", Block(50, own), eof, 1},
      {"absurd count", Block(0x7FFFFFFF, own), eof, 1},
      {"second member cut short", ByteBuilder().Raw(Block(2, own)).I32(2).bytes(), eof, 2},
      {"short count", ByteBuilder().U16(1).bytes(), eof, 1},
  };
  for (const Case& c : cases) {
    typename TypeParam::List list;
    list.Add(Named<typename TypeParam::Member>("OLD"));
    int cause = kNone;
    try {
      EXPECT_TRUE(bm::test::LoadObject(list, c.bytes)) << c.what;
    } catch (const CArchiveException& e) {
      cause = e.m_cause;
    }
    EXPECT_EQ(cause, c.cause) << c.what;
    EXPECT_EQ(list.GetCount(), c.countAfter) << c.what;
  }
}

// (Look-ups are checked against a scan below.) DeleteItem removes the first match only.
TEST(ComponentList, SetNameUpperCasesAndDeleteItemRemovesTheFirstMatch) {
  OwningList list;
  CString lower("beam");
  list.Add(new CBMComponent);
  list.GetItem(1)->set_Name(lower);
  EXPECT_EQ(lower, "BEAM");  // the caller's string is upper-cased too
  list.Add(Named("Q"));
  list.Add(Named("BEAM"));
  list.DeleteItem(CString("BEAM"));
  list.DeleteItem(CString("nothing"));
  ASSERT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetItem(1)->name(), "Q");
  EXPECT_EQ(list.GetItem(1)->get_Id(), 1);
  EXPECT_EQ(list.GetItem(2)->get_Id(), 2);
}

// ItemAs and Members give only members of the class asked for (or derived), in list order.
TEST(ComponentList, TypedAccessChecksTheClass) {
  OwningList list;
  auto* beam = Named<CBMBeam>("B1");
  auto* column = Named<CBMColumn>("C1");
  for (CBMComponent* c : std::vector<CBMComponent*>{beam, nullptr, Named("P"), column, new CBMJoint}) {
    list.Add(c);
  }
  EXPECT_EQ(list.ItemAs<CBMBeam>(1), beam);
  EXPECT_EQ(list.ItemAs<CBMLineElement>(1), beam);
  EXPECT_EQ(list.ItemAs<CBMColumn>(1), nullptr);
  EXPECT_EQ(list.ItemAs<CBMBeam>(2), nullptr);
  EXPECT_EQ(list.ItemAs<CBMLineElement>(3), nullptr);
  EXPECT_NE(list.ItemAs<CBMComponent>(3), nullptr);
  for (int i : {0, -1, 6}) EXPECT_EQ(list.ItemAs<CBMComponent>(i), nullptr) << i;
  EXPECT_EQ(list.ItemAs<CBMColumn>(CString("C1")), column);
  EXPECT_EQ(list.ItemAs<CBMBeam>(CString("C1")), nullptr);
  EXPECT_EQ(list.ItemAs<CBMBeam>(CString("none")), nullptr);
  auto seen = [&](int from) {
    std::vector<const CBMLineElement*> out;
    for (const CBMLineElement& e : list.Members<CBMLineElement>(from)) out.push_back(&e);
    return out;
  };
  EXPECT_EQ(seen(1), (std::vector<const CBMLineElement*>{beam, column}));
  EXPECT_EQ(seen(2), (std::vector<const CBMLineElement*>{column}));
  int components = 0;
  for (CBMComponent& c : list.Members<CBMComponent>()) components += c.get_Id() > 0;
  EXPECT_EQ(components, 4);
  EXPECT_TRUE(list.Members<CBMBrace>().empty());
  EXPECT_TRUE(OwningList().Members<CBMComponent>().empty());
  // Members appended during the loop are visited, as a 1 to GetCount() loop does.
  int visited = 0;
  for (CBMColumn& c : list.Members<CBMColumn>()) {
    if (++visited == 1) list.Add(new CBMColumn);
    (void)c;
  }
  EXPECT_EQ(visited, 2);
}

// The first member whose name (0), map handle (1) or out handle (2) is `key`.
CBMComponent* Scan(CBMComponentList& list, int which, const CString& key) {
  for (int i = 1; i <= list.GetCount(); ++i) {
    CBMComponent* c = list.GetItem(i);
    if ((which == 0 ? c->name() : which == 1 ? c->get_MapHandle() : c->get_OutHandle()) == key) return c;
  }
  return nullptr;
}

// Random adds, removals, renames and look-ups on lists long enough to be indexed.
TEST(ListIndex, AgreesWithAScanThroughRandomEdits) {
  for (unsigned seed = 1; seed <= 6; ++seed) {
    std::mt19937 rng(seed);
    // Few keys, of both letter cases: duplicates, renames onto used names and empty keys are frequent.
    // Keys of up to seven bytes are filed as themselves, longer ones by hash: some keys on both sides
    // share their first and last bytes or differ in length only.
    static const char* const kNearSeven[] = {"ABBA",    "ABCBA",   "ABCDCBA", "ABCDDCBA", "ABCDEDCBA",
                                             "ABCDXBA", "ABXDCBA", "AA",      "A",        "ABCDCBAX"};
    auto key = [&] {
      const int n = std::uniform_int_distribution<int>(1, 141)(rng);
      if (n > 121) return CString(kNearSeven[n % 10]);
      return n < 2 ? CString() : CString(((n % 2 ? "K" : "k") + std::to_string(n / 2)).c_str());
    };
    auto at = [&](CBMComponentList& l) { return std::uniform_int_distribution<int>(1, l.GetCount())(rng); };
    OwningList owner;
    CBMComponentList reference;  // a second list holding some of the same members
    for (int step = 0; step < 4000; ++step) {
      const int op = std::uniform_int_distribution<int>(0, 99)(rng);
      CString k = key();
      if (op < 35 || owner.GetCount() == 0) {
        auto* c = new CBMComponent;
        c->set_Name(k);
        c->set_MapHandle(key());
        owner.Add(c);
        if (op % 3 == 0) reference.Add(c);
      } else if (op < 50) {
        op < 45 ? owner.RemoveAt(at(owner)) : owner.DeleteItem(k);
        reference.RemoveAll();  // its members may be gone now
      } else if (op < 70) {
        CBMComponent* c = owner.GetItem(at(owner));
        op % 3 == 0 ? c->set_Name(k) : op % 3 == 1 ? c->set_MapHandle(k) : c->set_OutHandle(k);
      } else if (op == 70) {
        owner.DeleteAll();
        reference.RemoveAll();
      } else {
        SCOPED_TRACE(testing::Message() << seed << ":" << step);
        ASSERT_EQ(owner.GetItem(k), Scan(owner, 0, k));
        ASSERT_EQ(owner.GetItemByMapHandle(k), Scan(owner, 1, k));
        ASSERT_EQ(owner.GetItemByOutHandle(k), Scan(owner, 2, k));
        ASSERT_EQ(reference.GetItem(k), Scan(reference, 0, k));
        ASSERT_EQ(owner.GetItemId(k), owner.GetItem(k) ? owner.GetItem(k)->get_Id() : 0);
      }
    }
  }
}

// Look-ups in list order (a key once or twice, now and then one passed over) try the slots of the
// last answers first, and runs of look-ups nine slots apart (down a plan's columns) the slot nine
// past the last. Through renames onto new and used names, members in two slots, removals and
// members destroyed by their owner, every answer is the scan's.
TEST(ListIndex, LookUpsInListOrderAgreeWithAScan) {
  for (unsigned seed = 1; seed <= 4; ++seed) {
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    std::vector<std::unique_ptr<CBMComponent>> owned;  // the list owns none of its members
    CBMComponentList list;
    std::vector<bool> dead;  // per slot: its member was destroyed (its address may be reused)
    int fresh = 0;
    auto add = [&](CBMComponent* c) {
      list.Add(c);
      dead.push_back(false);
    };
    auto make = [&] {
      owned.emplace_back(Named("N" + std::to_string(fresh)));
      owned.back()->set_MapHandle(("M" + std::to_string(fresh++)).c_str());
      add(owned.back().get());
    };
    auto live = [&](int i) {
      return i > list.GetCount() || dead[static_cast<size_t>(i - 1)] ? nullptr : list.GetItem(i);
    };
    auto forget = [&](CBMComponent* c, bool destroy) {
      for (int i = 1; i <= list.GetCount(); ++i) {
        if (list.GetItem(i) == c) dead[static_cast<size_t>(i - 1)] = true;
      }
      for (auto& p : owned) {
        if (p.get() == c) destroy ? p.reset() : (void)p.release();
      }
    };
    auto scan = [&](int which, const CString& key) -> CBMComponent* {
      for (int i = 1; i <= list.GetCount(); ++i) {
        if (CBMComponent* c = live(i); c && (which ? c->mapHandle() : c->name()) == key) return c;
      }
      return nullptr;
    };
    for (int i = 0; i < 80; ++i) make();
    int cursors[2] = {1, 40};  // two runs of look-ups, taken in turn
    for (int step = 0; step < 3000; ++step) {
      // Every third stretch of steps is one run of look-ups nine slots apart, wrapping round.
      const bool strided = step / 150 % 3 == 2;
      int& cursor = cursors[strided ? 0 : step % 2];
      const int op = pick(100);
      const int slot = 1 + pick(list.GetCount());
      CBMComponent* at = live(slot);
      if (op < 3) {
        make();
      } else if (op < 5 && at) {
        add(at);  // a second slot
      } else if (op < 9 && at) {
        CBMComponent* used = live(cursor);  // a rename onto its name makes the name shared
        CString name = op < 7 || !used ? CString(("R" + std::to_string(fresh++)).c_str()) : used->name();
        at->set_Name(name);
      } else if (op < 10 && at) {
        at->set_MapHandle(("M" + std::to_string(pick(fresh))).c_str());
      } else if (op < 11 && seed % 2 && at) {
        forget(at, false);
        list.RemoveAt(slot);  // deletes the member, which may sit in another slot
        dead.erase(dead.begin() + (slot - 1));
      } else if (op < 12 && seed > 2 && at) {
        forget(at, true);  // destroyed by its owner: its slots are dead
      } else {
        if (strided) {
          cursor = cursor + 9 > list.GetCount() ? 1 + pick(9) : cursor + 9;
        } else {
          cursor = std::min(list.GetCount(), std::max(1, cursor + pick(3) - (op % 7 == 0 ? 5 : 0)));
        }
        CBMComponent* c = live(cursor);
        if (!c) continue;
        SCOPED_TRACE(testing::Message() << seed << ":" << step);
        ASSERT_EQ(list.GetItem(c->name()), scan(0, c->name()));
        ASSERT_EQ(list.GetItemByMapHandle(c->mapHandle()), scan(1, c->mapHandle()));
      }
    }
    list.RemoveAll();
  }
}

// A member in three indexed lists (twice in one) is dropped from each when destroyed, and
// followed through a rename after it left one of them.
TEST(ListIndex, MemberInSeveralIndexedListsFollowsRenamesAndRemovals) {
  CBMComponentList lists[3];
  std::vector<CBMComponent*> fillers;
  for (int i = 0; i < 70; ++i) {
    fillers.push_back(Named("F" + std::to_string(i)));
    fillers.back()->set_MapHandle(("M" + std::to_string(i)).c_str());
  }
  auto fill = [&](CBMComponent* extra) {
    for (CBMComponentList& list : lists) {
      for (CBMComponent* c : fillers) list.Add(c);
      ASSERT_EQ(list.GetItem(CString("F3")), fillers[3]);  // builds each index
      list.Add(extra);
      ASSERT_EQ(list.GetItem(extra->name()), extra);
    }
  };
  CBMComponent* shared = Named("SHARED");
  fill(shared);
  lists[2].Add(shared);
  lists[1].RemoveAt(lists[1].GetCount());  // deletes the member, whose first link is to lists[0]
  for (CBMComponentList& list : lists) EXPECT_EQ(list.GetItem(CString("SHARED")), nullptr);
  // An index built now passes over the dead slots only.
  EXPECT_EQ(lists[2].GetItemByMapHandle(CString("M7")), fillers[7]);
  for (CBMComponentList& list : lists) list.RemoveAll();
  CBMComponent* again = Named("OLD");
  fill(again);
  lists[1].Add(again);
  lists[0].RemoveAll();  // the first link goes; the others stay
  again->set_MapHandle("H");
  again->set_Name("NEW");
  for (int k = 1; k < 3; ++k) {
    EXPECT_EQ(lists[k].GetItem(CString("OLD")), nullptr);
    EXPECT_EQ(lists[k].GetItem(CString("NEW")), again);
    EXPECT_EQ(lists[k].GetItemByMapHandle(CString("H")), again);
  }
  lists[2].DeleteItem(CString("NEW"));
  EXPECT_EQ(lists[1].GetItem(CString("NEW")), nullptr);
  EXPECT_EQ(lists[1].GetItem(CString("F69")), fillers[69]);
  for (CBMComponentList& list : lists) list.RemoveAll();
  for (CBMComponent* c : fillers) delete c;
}

// A member twice in a list, deleted through its later slot: the earlier slot is dead, so renumbering
// the list does not write to it (the sanitizers see that) and an index built afterwards passes over it.
TEST(ListIndex, AMemberDeletedThroughItsLaterSlotLeavesTheEarlierOneDead) {
  CBMComponentList list;
  std::vector<CBMComponent*> fillers;
  for (int i = 0; i < 70; ++i) list.Add(fillers.emplace_back(Named("F" + std::to_string(i))));
  CBMComponent* twice = Named("TWICE");
  twice->set_MapHandle("HT");
  list.Add(twice);
  list.Add(twice);
  ASSERT_EQ(list.GetItem(CString("TWICE")), twice);  // builds the name index
  list.RemoveAt(list.GetCount());                    // deletes the member
  EXPECT_EQ(list.GetItemByMapHandle(CString("HT")), nullptr);
  list.RemoveAll();
  for (CBMComponent* c : fillers) delete c;
}

// A list emptied by RemoveAll forgets every member's link to it, the first slot's too: a member put
// back after others that share its name is still found after them, in list order.
TEST(ListIndex, EmptiedListForgetsEveryLink) {
  std::vector<std::unique_ptr<CBMComponent>> owned;
  auto make = [&](const std::string& name) { return owned.emplace_back(Named(name)).get(); };
  CBMComponentList list;
  CBMComponent* first = make("N0");
  list.Add(first);
  for (int i = 1; i < 70; ++i) list.Add(make("N" + std::to_string(i)));
  ASSERT_EQ(list.GetItem(CString("N0")), first);  // builds the name index
  list.RemoveAll();
  for (int i = 0; i < 5; ++i) list.Add(make("F" + std::to_string(i)));
  CBMComponent* same = make("N0");
  list.Add(same);
  list.Add(first);
  for (int i = 1; i < 70; ++i) list.Add(make("M" + std::to_string(i)));
  EXPECT_EQ(list.GetItem(CString("N0")), same);
  list.RemoveAll();
}

// A table that fills up doubles: beyond its first 64 slots it stays at least three eighths full.
TEST(ListIndex, TablesDoubleAsTheyFill) {
  bm::KeyIndex index;
  CBMComponent member;
  for (size_t n = 1; n <= 5000; ++n) {
    index.Insert(("K" + std::to_string(n)).c_str(), {n, &member});
    ASSERT_LE(index.TableSlots() * 3, std::max<size_t>(64 * 3, 8 * n)) << n;
  }
}

// 200000 find-or-create calls would take minutes as scans.
TEST(ListIndex, LargeListsStayFast) {
  OwningList list;
  for (int i = 0; i < 200000; ++i) {
    const std::string name = "N" + std::to_string(i % 150000);
    if (!list.GetItem(CString(name.c_str()))) list.Add(Named(name));
  }
  EXPECT_EQ(list.GetCount(), 150000);
  EXPECT_EQ(list.GetItemId(CString("N149999")), 150000);
}

// Every class of the class tables is found by its name and creates its own kind.
TEST(ClassTables, EveryRegisteredClassIsFoundByNameAndCreatesItsOwnKind) {
  const std::pair<void (*)(bm::ClassTable&), size_t> tables[] = {
      {bm::AddGeometryClasses, 31}, {bm::AddPropertyClasses, 11}, {bm::AddLoadClasses, 13}};
  for (const auto& [add, count] : tables) {
    bm::ClassTable table;
    add(table);
    EXPECT_EQ(table.size(), count);
    for (const CRuntimeClass* cls : table) {
      SCOPED_TRACE(cls->m_lpszClassName);
      EXPECT_EQ(CRuntimeClass::FromName(cls->m_lpszClassName), cls);
      EXPECT_EQ(cls->m_wSchema, 1u);
      std::unique_ptr<CObject> object(cls->CreateObject());
      ASSERT_NE(object, nullptr);
      EXPECT_EQ(object->GetRuntimeClass(), cls);
    }
  }
}

}  // namespace
