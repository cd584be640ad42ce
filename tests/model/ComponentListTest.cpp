// Component lists: ids and renumbering, first-match look-ups, AddHead, the
// list block of the archive and its failures on loading.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <vector>

#include "support/ArchiveHelpers.h"
#include "support/ByteBuilder.h"
#include "support/MessageCapture.h"

namespace {

using bm::test::ByteBuilder;

CBMComponent* Named(const char* name) {
  auto* c = new CBMComponent;
  c->set_Name(name);
  return c;
}

// A list that owns its members, as the typed lists do.
class OwningList : public CBMComponentList {
 public:
  ~OwningList() override { DeleteAll(); }
};

TEST(ComponentList, AddNumbersAndRemovalRenumbers) {
  OwningList list;
  list.Add(Named("A"));
  list.Add(Named("B"));
  list.Add(Named("C"));
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(list.GetItem(i)->get_Id(), i);
  list.RemoveAt(2);
  ASSERT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetItem(2)->name(), "C");
  EXPECT_EQ(list.GetItem(2)->get_Id(), 2);
  list.RemoveAt(3);  // beyond the count: nothing
  list.RemoveAt(0);  // below 1: nothing
  list.RemoveAt(-5);
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetItem(0), nullptr);
  EXPECT_EQ(list.GetItem(3), nullptr);
}

TEST(ComponentList, DeleteItemRemovesTheFirstMatchOnly) {
  OwningList list;
  list.Add(Named("X"));
  list.Add(Named("Y"));
  list.Add(Named("X"));
  list.DeleteItem(CString("X"));
  ASSERT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetItem(1)->name(), "Y");
  EXPECT_EQ(list.GetItem(1)->get_Id(), 1);
  EXPECT_EQ(list.GetItem(2)->get_Id(), 2);
  list.DeleteItem(CString("X"));
  ASSERT_EQ(list.GetCount(), 1);
  list.DeleteItem(CString("nothing"));
  EXPECT_EQ(list.GetCount(), 1);
}

TEST(ComponentList, LookupsAreExactAndFirstMatch) {
  OwningList list;
  CString lower("beam");
  CBMComponent* first = new CBMComponent;
  first->set_Name(lower);
  EXPECT_EQ(lower, "BEAM");  // the caller's string is upper-cased too
  CBMComponent* second = Named("BEAM");
  list.Add(first);
  list.Add(second);
  EXPECT_EQ(list.GetItem(CString("BEAM")), first);
  EXPECT_EQ(list.GetItem(CString("beam")), nullptr);
  EXPECT_EQ(list.GetItemId(CString("BEAM")), 1);
  EXPECT_EQ(list.GetItemId(CString("Beam")), 0);
  second->set_MapHandle("h1");
  first->set_OutHandle(CString("o1"));
  second->set_OutHandle(CString("o1"));
  EXPECT_EQ(list.GetItemByMapHandle(CString("h1")), second);
  EXPECT_EQ(list.GetItemByMapHandle(CString("H1")), nullptr);
  EXPECT_EQ(list.GetItemByOutHandle(CString("o1")), first);
}

// ItemAs and Members hand out only members of the asked class (or derived),
// skipping empty slots and other classes, in list order.
TEST(ComponentList, TypedAccessChecksTheClass) {
  OwningList list;
  auto* beam = new CBMBeam;
  beam->set_Name("B1");
  auto* column = new CBMColumn;
  column->set_Name("C1");
  list.Add(beam);
  list.Add(nullptr);
  list.Add(Named("P"));
  list.Add(column);
  list.Add(new CBMJoint);

  EXPECT_EQ(list.ItemAs<CBMBeam>(1), beam);
  EXPECT_EQ(list.ItemAs<CBMLineElement>(1), beam);  // derived class
  EXPECT_EQ(list.ItemAs<CBMColumn>(1), nullptr);    // wrong class
  EXPECT_EQ(list.ItemAs<CBMBeam>(2), nullptr);      // empty slot
  EXPECT_EQ(list.ItemAs<CBMLineElement>(3), nullptr);
  EXPECT_NE(list.ItemAs<CBMComponent>(3), nullptr);
  for (int i : {0, -1, 6}) EXPECT_EQ(list.ItemAs<CBMComponent>(i), nullptr) << i;
  EXPECT_EQ(list.ItemAs<CBMColumn>(CString("C1")), column);
  EXPECT_EQ(list.ItemAs<CBMBeam>(CString("C1")), nullptr);
  EXPECT_EQ(list.ItemAs<CBMBeam>(CString("none")), nullptr);

  std::vector<const CBMLineElement*> seen;
  for (const CBMLineElement& e : list.Members<CBMLineElement>()) seen.push_back(&e);
  EXPECT_EQ(seen, (std::vector<const CBMLineElement*>{beam, column}));
  int components = 0;
  for (CBMComponent& c : list.Members<CBMComponent>()) components += c.get_Id() > 0;
  EXPECT_EQ(components, 4);
  seen.clear();
  for (const CBMLineElement& e : list.Members<CBMLineElement>(2)) seen.push_back(&e);
  EXPECT_EQ(seen, (std::vector<const CBMLineElement*>{column}));
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

TEST(ComponentList, AddHeadShowsTheMessageAndChangesNothing) {
  bm::test::MessageCapture capture;
  OwningList list;
  CBMComponent c;
  list.AddHead(&c);
  list.AddHead(&c);
  EXPECT_EQ(list.GetCount(), 0);
  ASSERT_EQ(capture.count(), 2u);
  EXPECT_EQ(capture.messages()[0], "Not usefull!  ADDHEAD method!");
}

TEST(ComponentList, RemoveAllKeepsMembersAlive) {
  CBMComponent a;
  CBMComponentList list;
  list.Add(&a);
  list.RemoveAll();
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(a.get_Id(), 1);
}

TEST(ComponentList, ArchiveBlockIsCountClassAndMembers) {
  OwningList list;
  EXPECT_EQ(bm::test::StoreObject(list), ByteBuilder().I32(0).bytes());
  list.Add(Named("P"));
  list.Add(Named("Q"));
  list.GetItem(2)->set_Id(9);  // stored as it stands, renumbered on loading
  const auto bytes = bm::test::StoreObject(list);
  EXPECT_EQ(bytes, ByteBuilder().I32(2).Class("CBMComponent").I32(1).Str("P").I32(9).Str("Q").bytes());

  OwningList loaded;
  loaded.Add(Named("EXISTING"));
  ASSERT_TRUE(bm::test::LoadObject(loaded, bytes));
  ASSERT_EQ(loaded.GetCount(), 3);  // loading appends
  EXPECT_EQ(loaded.GetItem(3)->name(), "Q");
  EXPECT_EQ(loaded.GetItem(3)->get_Id(), 3);
  EXPECT_EQ(loaded.GetItem(2)->GetRuntimeClass(), RUNTIME_CLASS(CBMComponent));
}

TEST(ComponentList, EmptyBlockLoadsNothing) {
  OwningList list;
  EXPECT_TRUE(bm::test::LoadObject(list, ByteBuilder().I32(0).bytes()));
  EXPECT_TRUE(bm::test::LoadObject(list, ByteBuilder().I32(-3).bytes()));
  EXPECT_EQ(list.GetCount(), 0);
}

TEST(ComponentList, MalformedBlocksThrowWithTheirCause) {
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    int cause;
  };
  const Case cases[] = {
      {"unknown class", ByteBuilder().I32(1).Class("CBMMystery").I32(1).Str("A").bytes(),
       CArchiveException::badClass},
      {"wrong schema", ByteBuilder().I32(1).Class("CBMComponent", 3).I32(1).Str("A").bytes(),
       CArchiveException::badSchema},
      {"short member", ByteBuilder().I32(2).Class("CBMComponent").I32(1).Str("A").I32(2).bytes(),
       CArchiveException::endOfFile},
      {"absurd count", ByteBuilder().I32(0x7FFFFFFF).Class("CBMComponent").I32(1).Str("A").bytes(),
       CArchiveException::endOfFile},
      {"short count", ByteBuilder().U16(1).bytes(), CArchiveException::endOfFile},
  };
  for (const Case& c : cases) {
    OwningList list;
    try {
      bm::test::LoadObject(list, c.bytes);
      ADD_FAILURE() << c.what;
    } catch (const CArchiveException& e) {
      EXPECT_EQ(e.m_cause, c.cause) << c.what;
    }
    if (std::string(c.what) == "short member") {
      EXPECT_EQ(list.GetCount(), 1);  // kept what was read
    }
  }
}

TEST(ComponentList, ElementFactoryRebuildsMembersRecordedAsComponents) {
  struct Result : CBMComponent {
    void Serialize(CArchive& ar) override {
      CBMComponent::Serialize(ar);
      if (ar.IsStoring()) {
        ar.WriteDouble(value);
      } else {
        value = ar.ReadDouble();
      }
    }
    double value = 0;
  };
  OwningList list;
  auto* r = new Result;
  r->value = 2.5;
  list.Add(r);
  const auto bytes = bm::test::StoreObject(list);
  OwningList loaded;
  loaded.SetElementFactory([]() -> CBMComponent* { return new Result; });
  ASSERT_TRUE(bm::test::LoadObject(loaded, bytes));
  ASSERT_EQ(loaded.GetCount(), 1);
  EXPECT_EQ(static_cast<Result*>(loaded.GetItem(1))->value, 2.5);
}

TEST(ClassRegistry, EveryRegisteredClassCreatesItself) {
  for (const CRuntimeClass* cls : bm::RegisteredClasses()) {
    EXPECT_EQ(CRuntimeClass::FromName(cls->m_lpszClassName), cls) << cls->m_lpszClassName;
    CObject* object = cls->CreateObject();
    if (!object) continue;
    EXPECT_STREQ(object->GetRuntimeClass()->m_lpszClassName, cls->m_lpszClassName);
    delete object;
  }
  EXPECT_EQ(CRuntimeClass::FromName("CObject"), nullptr);
}

}  // namespace
