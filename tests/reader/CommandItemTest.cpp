// Command items: token getters, number expressions, the owning and plain
// reader lists, copies, and the archive record of a reader list.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/MessageCapture.h"

namespace {

ZComItem* Line(std::initializer_list<const char*> tokens) {
  CStringArray items;
  for (const char* t : tokens) items.Add(t);
  auto* item = new ZComItem;
  item->AddLineItem(items);
  return item;
}

TEST(ComItem, GettersOfAMaterialLine) {
  std::unique_ptr<ZComItem> item(Line({"MATERIAL", "\"Conc\"", "M", "2.5"}));
  ASSERT_EQ(item->GetItemCount(), 4);
  EXPECT_EQ(item->GetString(1, 0), "MATERIAL");
  EXPECT_EQ(item->GetString(2, 0), "CONC");
  EXPECT_EQ(item->GetClearString(2), "Conc");
  EXPECT_DOUBLE_EQ(item->GetDouble(4, 0), 2.5);
  EXPECT_EQ(item->GetInt(4, 0), 2);
  // Out of range, in either direction, and bad selectors.
  EXPECT_EQ(item->GetString(9, 0), "");
  EXPECT_EQ(item->GetDouble(9, 0), 0.0);
  EXPECT_EQ(item->GetInt(9, 0), 0);
  EXPECT_EQ(item->GetClearString(9), "");
  EXPECT_EQ(item->GetString(0, 0), "");
  EXPECT_EQ(item->GetString(-3, 0), "");
  EXPECT_EQ(item->GetString(1, 5), "");
  EXPECT_EQ(item->GetString(1, -1), "");
  EXPECT_EQ(item->GetInt(1, 7), 0);
  EXPECT_EQ(item->GetDouble(4, 1), 0.0);  // array 1 is empty
  EXPECT_TRUE(item->TokenIs(1, "MATERIAL"));
  EXPECT_TRUE(item->TokenIs(2, "CONC"));
  EXPECT_FALSE(item->TokenIs(2, "CON"));
  EXPECT_TRUE(item->TokenIs(9, ""));
}

TEST(ComItem, AddLineItemRemovesQuotesInTheCallersArrayAndAppends) {
  CStringArray items;
  items.Add("\"A\"B\"");
  items.Add("\"\"");
  ZComItem item;
  item.AddLineItem(items);
  EXPECT_EQ(items[0], "AB");  // the caller's array changed too
  ASSERT_EQ(item.GetItemCount(), 2);
  EXPECT_EQ(item.Token(1), "AB");
  EXPECT_EQ(item.Token(2), "");  // a token emptied by quote removal stays a token
  CStringArray more;
  more.Add("x\"y");
  item.AddLineItem(more);
  ASSERT_EQ(item.GetItemCount(), 3);
  EXPECT_EQ(item.Token(1), "AB");
  EXPECT_EQ(item.Token(3), "xy");
}

TEST(ComItem, StringGettersTrimAndFoldAsciiOnly) {
  ZComItem item;
  CStringArray items;
  items.Add("  live load\xE9  ");
  item.AddLineItem(items);
  EXPECT_EQ(item.GetString(1, 0), "LIVE LOAD\xE9  ");  // leading only, ASCII only
  EXPECT_EQ(item.GetClearString(1), "live load\xE9");
  item.SetString(1, "\"q\"");
  EXPECT_EQ(item.GetClearString(1), "q");
  item.SetString(2, "ignored");  // beyond the count: nothing
  item.SetString(0, "ignored");
  EXPECT_EQ(item.GetItemCount(), 1);
}

TEST(ComItem, GetDoubleReadsNumbersAndLeftToRightExpressions) {
  const struct {
    const char* token;
    double value;
  } cases[] = {
      {"2.5", 2.5},
      {"-3", -3},
      {"1.5E+2", 150},
      {"1.5e+002", 150},
      {"3e+007", 3e7},
      {"1+2*3", 9},
      {"2*3+1", 7},
      {"10/4", 2.5},
      {"2P3", 8},
      {"2p3", 8},
      {"3-2", 1},
      {"3*-2", -6},
      {"12KN", 12},
      {"NONE", 0},
      {"", 0},
      {"  4  ", 4},
      {"1 + 2", 3},
      {"1E", 1},
      {"8.887E-06", 8.887e-6},
      {"-2.84E-14", -2.84e-14},
      {"2P0.5", std::sqrt(2.0)},
      {"1e 5", 1},
      {"+7", 7},
      {".5", 0.5},
  };
  for (const auto& c : cases) {
    ZComItem item;
    CStringArray items;
    items.Add(c.token);
    item.AddLineItem(items);
    EXPECT_DOUBLE_EQ(item.GetDouble(1, 0), c.value) << "token '" << c.token << "'";
    EXPECT_FALSE(item.HadNumberFault()) << c.token;
    EXPECT_EQ(item.GetSystemDouble(1, 0), 0);
  }
}

TEST(ComItem, NumbersThatAreNotDecimalReadAsZeroAndMarkTheLine) {
  for (const char* token : {"INF", "-inf", "NAN", "nan(1)", "Infinity", "0x10", "-0X1p3", "1+0x10", "2*inf",
                            "1e999", "5/0", "-1e400"}) {
    ZComItem item;
    CStringArray items;
    items.Add(token);
    item.AddLineItem(items);
    EXPECT_EQ(item.GetDouble(1, 0), 0.0) << token;
    EXPECT_TRUE(item.HadNumberFault()) << token;
  }
}

TEST(ComItem, GetIntReadsTheLeadingInteger) {
  const struct {
    const char* token;
    int value;
  } cases[] = {{"12", 12},
               {"3.5", 3},
               {"12abc", 12},
               {"-4", -4},
               {"+8", 8},
               {"abc", 0},
               {"", 0},
               {" 9", 9},
               {"-", 0},
               {"1e3", 1},
               {"99999999999", 2147483647}};
  for (const auto& c : cases) {
    ZComItem item;
    CStringArray items;
    items.Add(c.token);
    item.AddLineItem(items);
    EXPECT_EQ(item.GetInt(1, 0), c.value) << "token '" << c.token << "'";
  }
}

TEST(ComItem, HostArraysUseTheirOwnSelectors) {
  ZComItem item;
  for (int which = 1; which <= 4; ++which) {
    CStringArray items;
    items.Add("\"w\"");
    items.Add(CString(std::to_string(which * 10).c_str()));
    switch (which) {
      case 1:
        item.AddLineItem2(items);
        break;
      case 2:
        item.AddLineItem3(items);
        break;
      case 3:
        item.AddLineItem4(items);
        break;
      default:
        item.AddLineItem5(items);
        break;
    }
  }
  EXPECT_EQ(item.GetItemCount(), 0);
  for (int which = 1; which <= 4; ++which) {
    EXPECT_EQ(item.GetString(1, which), "W");
    EXPECT_EQ(item.GetInt(2, which), which * 10);
    EXPECT_DOUBLE_EQ(item.GetDouble(2, which), which * 10.0);
    EXPECT_EQ(item.GetString(3, which), "");
  }
}

TEST(ComItem, CopyConstructorCopiesTokensOnly) {
  ZComItemList list;
  ZComItem* original = Line({"STORY", "S1", "HEIGHT", "3"});
  original->set_Name("named");
  list.Add(original);
  ZComItem copy(original);
  EXPECT_EQ(copy.get_Name(), "");
  EXPECT_EQ(copy.get_Id(), 0);
  ASSERT_EQ(copy.GetItemCount(), 4);
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(copy.Token(i), original->Token(i));
  ZComItem fromNull(nullptr);
  EXPECT_EQ(fromNull.GetItemCount(), 0);
}

TEST(ComItem, RefillMakesTheLineAsNewWhateverItHeld) {
  std::unique_ptr<ZComItem> item(Line({"POINT", "P1", "INF", "2"}));
  item->set_Name("named");
  CStringArray extra;
  extra.Add("x");
  item->AddLineItem2(extra);
  (void)item->GetDouble(3, 0);
  ASSERT_TRUE(item->HadNumberFault());
  // Shorter, empty and longer contents than the store held before.
  const std::string contents[] = {"AB", "", "LONGERTOKEN" + std::string(100, 'z')};
  for (const std::string& bytes : contents) {
    const uint32_t ends[] = {static_cast<uint32_t>(bytes.size() / 2), static_cast<uint32_t>(bytes.size())};
    const size_t count = bytes.empty() ? 0 : 2;
    item->Refill(bytes, ends, count);
    ASSERT_EQ(item->GetItemCount(), static_cast<int>(count));
    EXPECT_EQ(std::string(item->Token(1)) + std::string(item->Token(2)), bytes);
    EXPECT_FALSE(item->HadNumberFault());
    EXPECT_EQ(item->GetString(1, 1), "");
    EXPECT_EQ(item->get_Name(), "");
    EXPECT_EQ(item->get_ObjectType(), "ZBMComponent");
  }
}

TEST(ComponentListZ, AddNumbersRemoveAtRenumbersAndLookupsAreExact) {
  ZComItemList list;
  const char* names[] = {"Story", "B", "C"};
  for (const char* n : names) {
    auto* item = new ZComItem;
    item->set_Name(n);
    list.Add(item);
  }
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(list.GetItem(i)->get_Id(), i);
  EXPECT_EQ(list.GetItem("STORY"), nullptr);
  EXPECT_EQ(list.GetItemId("Story"), 1);
  EXPECT_EQ(list.GetItemId("nothing"), 0);
  list.RemoveAt(2);
  ASSERT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetItem(2)->get_Name(), "C");
  EXPECT_EQ(list.GetItem(2)->get_Id(), 2);
  list.RemoveAt(5);
  list.RemoveAt(0);
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetItem(0), nullptr);
  EXPECT_EQ(list.GetItem(3), nullptr);
  EXPECT_EQ(list.GetComItem(3), nullptr);
  EXPECT_NE(list.GetComItem(1), nullptr);
  EXPECT_EQ(list.GetComList(1), nullptr);  // a line is not a group
}

// Counts its live instances to tell which lists delete their members.
class Counted : public ZComItem {
 public:
  explicit Counted(int* live) : live_(live) { ++*live_; }
  ~Counted() override { --*live_; }

 private:
  int* live_;
};

TEST(ComponentListZ, OnlyTheComItemListDeletesItsMembers) {
  int live = 0;
  {
    ZComItemList owning;
    owning.Add(new Counted(&live));
    owning.Add(new Counted(&live));
    EXPECT_EQ(live, 2);
  }
  EXPECT_EQ(live, 0);
  Counted kept(&live);
  {
    ZBMComponentList plain;
    plain.Add(&kept);
  }
  EXPECT_EQ(live, 1);
}

TEST(ComponentListZ, AddHeadShowsTheMessageAndAddsNothing) {
  bm::test::MessageCapture capture;
  ZComItemList list;
  ZComItem item;
  list.AddHead(&item);
  EXPECT_EQ(list.GetCount(), 0);
  ASSERT_EQ(capture.count(), 1u);
  EXPECT_EQ(capture.messages()[0], "Not usefull!  ADDHEAD method!");
}

TEST(ComponentListZ, RuntimeClassesAndDefaults) {
  ZComItemList list;
  EXPECT_STREQ(list.GetRuntimeClass()->m_lpszClassName, "ZComItemList");
  EXPECT_FALSE(list.IsKindOf(RUNTIME_CLASS(ZBMComponentList)));
  ZComItem item;
  EXPECT_TRUE(item.IsKindOf(RUNTIME_CLASS(ZBMComponent)));
  EXPECT_EQ(item.get_ObjectType(), "ZBMComponent");
  item.set_ObjectType("Other");
  EXPECT_EQ(item.get_ObjectType(), "Other");
  item.set_MapId(4);
  EXPECT_EQ(item.CreateTopo(nullptr, nullptr, nullptr), 0);
  for (const char* name : {"ZBMComponent", "ZBMComponentList", "ZComItem", "ZComItemList"}) {
    const CRuntimeClass* cls = CRuntimeClass::FromName(name);
    ASSERT_NE(cls, nullptr) << name;
    std::unique_ptr<CObject> object(cls->CreateObject());
    ASSERT_NE(object, nullptr);
    EXPECT_STREQ(object->GetRuntimeClass()->m_lpszClassName, name);
  }
}

TEST(ComponentListZ, ArchiveStoresIdsAndNamesAndLoadsAsTheFirstClass) {
  CMemFile file;
  {
    ZComItemList list;
    ZComItem* a = Line({"A", "1"});
    a->set_Name("first");
    list.Add(a);
    ZComItem* b = Line({"B"});
    b->set_Name("Second");
    list.Add(b);
    CArchive ar(&file, CArchive::store);
    list.Serialize(ar);
    ar.Close();
  }
  file.SeekToBegin();
  ZComItemList loaded;
  CArchive ar(&file, CArchive::load);
  loaded.Serialize(ar);
  ASSERT_EQ(loaded.GetCount(), 2);
  EXPECT_EQ(loaded.GetItem(1)->get_Name(), "first");
  EXPECT_EQ(loaded.GetItem(2)->get_Name(), "Second");
  EXPECT_EQ(loaded.GetItem(2)->get_Id(), 2);
  ASSERT_NE(loaded.GetComItem(1), nullptr);
  EXPECT_EQ(loaded.GetComItem(1)->GetItemCount(), 0);  // tokens are not archived
}

TEST(ComponentListZ, LoadingAnUnknownClassThrowsBadClass) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar.WriteInt32(1);
    ar.WriteWord(1);
    ar.WriteWord(7);
    ar.WriteBytes("Nothing", 7);
    ar.Close();
  }
  file.SeekToBegin();
  ZBMComponentList list;
  CArchive ar(&file, CArchive::load);
  try {
    list.Serialize(ar);
    FAIL() << "no exception";
  } catch (const CArchiveException& e) {
    EXPECT_EQ(e.m_cause, CArchiveException::badClass);
  }
  EXPECT_EQ(list.GetCount(), 0);
}

}  // namespace
