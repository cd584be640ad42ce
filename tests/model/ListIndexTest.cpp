// Indexed look-ups against a plain scan: random adds, removals, renames and
// look-ups on lists long enough to be indexed, checked after every step.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

class OwningList : public CBMComponentList {
 public:
  ~OwningList() override { DeleteAll(); }
};

// The answers a literal scan of the list gives.
CBMComponent* ScanName(CBMComponentList& list, const CString& key) {
  for (int i = 1; i <= list.GetCount(); ++i) {
    if (list.GetItem(i)->name() == key) return list.GetItem(i);
  }
  return nullptr;
}
CBMComponent* ScanMap(CBMComponentList& list, const CString& key) {
  for (int i = 1; i <= list.GetCount(); ++i) {
    if (list.GetItem(i)->get_MapHandle() == key) return list.GetItem(i);
  }
  return nullptr;
}
CBMComponent* ScanOut(CBMComponentList& list, const CString& key) {
  for (int i = 1; i <= list.GetCount(); ++i) {
    if (list.GetItem(i)->get_OutHandle() == key) return list.GetItem(i);
  }
  return nullptr;
}

CString RandomKey(std::mt19937& rng) {
  // A small key space so that duplicates, renames onto existing names and
  // empty keys all happen often.
  const int n = std::uniform_int_distribution<int>(0, 60)(rng);
  return n == 0 ? CString() : CString(("K" + std::to_string(n)).c_str());
}

TEST(ListIndex, AgreesWithAScanThroughRandomEdits) {
  for (unsigned seed = 1; seed <= 6; ++seed) {
    std::mt19937 rng(seed);
    OwningList owner;
    CBMComponentList reference;  // a second list holding some of the same members
    for (int step = 0; step < 4000; ++step) {
      const int op = std::uniform_int_distribution<int>(0, 99)(rng);
      if (op < 35 || owner.GetCount() == 0) {
        auto* c = new CBMComponent;
        CString name = RandomKey(rng);
        c->set_Name(name);
        c->set_MapHandle(RandomKey(rng));
        owner.Add(c);
        if (op % 3 == 0) reference.Add(c);
      } else if (op < 45) {
        owner.RemoveAt(std::uniform_int_distribution<int>(1, owner.GetCount())(rng));
        reference.RemoveAll();  // its members may be gone now
      } else if (op < 50) {
        owner.DeleteItem(RandomKey(rng));
        reference.RemoveAll();
      } else if (op < 70) {
        CBMComponent* c = owner.GetItem(std::uniform_int_distribution<int>(1, owner.GetCount())(rng));
        const int which = op % 3;
        if (which == 0) {
          CString name = RandomKey(rng);
          c->set_Name(name);
        } else if (which == 1) {
          c->set_MapHandle(RandomKey(rng));
        } else {
          c->set_OutHandle(RandomKey(rng));
        }
      } else if (op == 70) {
        owner.DeleteAll();
        reference.RemoveAll();
      } else {
        const CString key = RandomKey(rng);
        ASSERT_EQ(owner.GetItem(key), ScanName(owner, key)) << seed << ":" << step;
        ASSERT_EQ(owner.GetItemByMapHandle(key), ScanMap(owner, key)) << seed << ":" << step;
        ASSERT_EQ(owner.GetItemByOutHandle(key), ScanOut(owner, key)) << seed << ":" << step;
        ASSERT_EQ(reference.GetItem(key), ScanName(reference, key)) << seed << ":" << step;
        const CBMComponent* found = owner.GetItem(key);
        ASSERT_EQ(owner.GetItemId(key), found ? found->get_Id() : 0);
      }
    }
  }
}

TEST(ListIndex, MemberDestroyedElsewhereLeavesTheIndexConsistent) {
  CBMComponentList refs;
  std::vector<CBMComponent*> members;
  for (int i = 0; i < 50; ++i) {
    auto* c = new CBMComponent;
    c->set_Name(("M" + std::to_string(i)).c_str());
    refs.Add(c);
    members.push_back(c);
  }
  EXPECT_EQ(refs.GetItem(CString("M7")), members[7]);  // builds the index
  delete members[7];
  EXPECT_EQ(refs.GetItem(CString("M7")), nullptr);
  EXPECT_EQ(refs.GetItem(CString("M8")), members[8]);
  refs.RemoveAll();
  for (CBMComponent* c : members) {
    if (c != members[7]) delete c;
  }
}

TEST(ListIndex, MemberInSeveralIndexedListsFollowsRenamesAndRemovals) {
  // Three long lists hold the same member, one of them twice; each list's
  // index must follow a rename after the member left another list, and drop
  // the member when it is destroyed.
  CBMComponentList lists[3];
  std::vector<CBMComponent*> fillers;
  auto* shared = new CBMComponent;
  shared->set_Name("SHARED");
  for (int i = 0; i < 30; ++i) {
    auto* c = new CBMComponent;
    c->set_Name(("F" + std::to_string(i)).c_str());
    fillers.push_back(c);
    for (CBMComponentList& list : lists) list.Add(c);
  }
  for (CBMComponentList& list : lists) {
    ASSERT_EQ(list.GetItem(CString("F3")), fillers[3]);  // builds each index
    list.Add(shared);
  }
  lists[2].Add(shared);
  // RemoveAt deletes the member; no list may find it any more.
  lists[0].RemoveAt(lists[0].GetCount());
  for (CBMComponentList& list : lists) EXPECT_EQ(list.GetItem(CString("SHARED")), nullptr);
  for (CBMComponentList& list : lists) list.RemoveAll();

  auto* again = new CBMComponent;
  again->set_Name("OLD");
  for (CBMComponentList& list : lists) {
    for (CBMComponent* c : fillers) list.Add(c);
    list.Add(again);
    ASSERT_EQ(list.GetItem(CString("OLD")), again);
  }
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
  EXPECT_EQ(lists[1].GetItem(CString("F29")), fillers[29]);
  for (CBMComponentList& list : lists) list.RemoveAll();
  for (CBMComponent* c : fillers) delete c;
}

TEST(ListIndex, RepeatedLookUpsSeeEveryEarlierChange) {
  // The same key looked up again after each kind of change that can give it
  // another first match.
  OwningList list;
  std::vector<CBMComponent*> m;
  for (int i = 0; i < 40; ++i) {
    m.push_back(new CBMComponent);
    m.back()->set_Name(i == 5 ? "" : ("M" + std::to_string(i)).c_str());
    list.Add(m.back());
  }
  const CString key("M20");
  EXPECT_EQ(list.GetItem(key), m[20]);
  m[5]->set_Name("M20");  // an earlier, unnamed member takes the name
  EXPECT_EQ(list.GetItem(key), m[5]);
  EXPECT_EQ(list.GetItem(key), m[5]);
  m[5]->set_Name("X");  // and gives it back
  EXPECT_EQ(list.GetItem(key), m[20]);
  auto* later = new CBMComponent;
  later->set_Name("M20");
  list.Add(later);  // a later namesake changes nothing
  EXPECT_EQ(list.GetItem(key), m[20]);
  list.RemoveAt(21);  // m[20] is deleted
  EXPECT_EQ(list.GetItem(key), later);
  EXPECT_EQ(list.GetItemByMapHandle(CString("H")), nullptr);
  later->set_MapHandle("H");
  EXPECT_EQ(list.GetItemByMapHandle(CString("H")), later);
  m[0]->set_MapHandle("H");
  EXPECT_EQ(list.GetItemByMapHandle(CString("H")), m[0]);
}

TEST(ListIndex, KeysAroundSevenBytesAreToldApart) {
  // Keys of up to seven bytes are filed as themselves, longer ones by hash:
  // keys on both sides that share their first and last bytes, or differ in
  // length only, each find their own member; renames cross the limit.
  const char* const kKeys[] = {"A",       "AB",       "ABA",      "ABBA",      "ABCBA",
                               "ABCCBA",  "ABCDCBA",  "ABCDDCBA", "ABCDEDCBA", "ABCDXBA",
                               "ABXDCBA", "ABCDCBAX", "XABCDCBA", "AA"};
  OwningList list;
  std::vector<CBMComponent*> m;
  for (int round = 0; round < 3; ++round) {
    for (const char* key : kKeys) {
      m.push_back(new CBMComponent);
      m.back()->set_Name(key);
      m.back()->set_MapHandle(key);
      list.Add(m.back());
    }
  }
  // The first look-up builds the index, which the renames then update.
  EXPECT_EQ(list.GetItem(CString("ABCDCBA")), m[6]);
  m[6]->set_Name("ABCDDCBA");  // seven bytes to eight: now the first of that name
  m[7]->set_Name("ABCDCBA");   // eight to seven: earlier than its namesakes
  for (const char* key : kKeys) {
    const CString k(key);
    EXPECT_EQ(list.GetItem(k), ScanName(list, k)) << key;
    EXPECT_EQ(list.GetItemByMapHandle(k), ScanMap(list, k)) << key;
  }
  EXPECT_EQ(list.GetItem(CString("ABCDDCBA")), m[6]);
  EXPECT_EQ(list.GetItem(CString("ABCDCBA")), m[7]);
  EXPECT_EQ(list.GetItem(CString("ABCDCB")), nullptr);
}

TEST(ListIndex, LargeListsStayFast) {
  // 200000 find-or-create calls would take minutes as scans.
  OwningList list;
  for (int i = 0; i < 200000; ++i) {
    CString name(("N" + std::to_string(i % 150000)).c_str());
    if (!list.GetItem(name)) {
      auto* c = new CBMComponent;
      c->set_Name(name);
      list.Add(c);
    }
  }
  EXPECT_EQ(list.GetCount(), 150000);
  EXPECT_EQ(list.GetItemId(CString("N149999")), 150000);
}

}  // namespace
