// Load cases, wind items, the load-case list and combinations: operations
// and archive records.
#include <gtest/gtest.h>

#include "LoadTestSupport.h"

namespace bm::test::loads {
namespace {

CBMLoadWind* WindAt(CBMLoadCase& lc, int i) {
  return static_cast<CBMLoadWind*>(lc.GetWindList()->GetItem(i));
}
CBMLoadComItem* TermAt(CBMLoadCom& com, int i) {
  return static_cast<CBMLoadComItem*>(com.get_CombineList()->GetItem(i));
}

TEST(LoadWind, RecordHoldsDiaphragmBeforeLevel) {
  CBMLoadWind w;
  w.set_Id(3);
  w.set_Name("w");
  w.set_sLevel(CString("STORY1"));
  w.set_sDiaph(CString("D1"));
  w.set_Fx(1.5);
  w.set_Fy(-2.0);
  w.set_Mz(0.25);
  w.set_XLoc(5.0);
  w.set_YLoc(2.0);
  const auto expected =
      Bytes().component(3, "W").f64(1.5).f64(-2.0).f64(0.25).str("D1").str("STORY1").f64(5.0).f64(2.0).get();
  EXPECT_EQ(Store(w), expected);
}

TEST(LoadWind, RoundTripKeepsLevelAndDiaphragmInTheirFields) {
  CBMLoadWind w;
  Decorate(w, 7, "item");
  w.set_sLevel(CString("STORY2"));
  w.set_sDiaph(CString("D9"));
  w.set_Fx(0.1);
  w.set_Fy(-0.0);
  w.set_Mz(1e-300);
  w.set_XLoc(12.75);
  w.set_YLoc(-3.5);
  const auto bytes = Store(w);

  CBMLoadWind back;
  ASSERT_TRUE(Load(back, bytes));
  EXPECT_EQ(back.get_Id(), 7);
  EXPECT_EQ(back.get_Name(), CString("ITEM"));
  EXPECT_EQ(back.get_sLevel(), CString("STORY2"));
  EXPECT_EQ(back.get_sDiaph(), CString("D9"));
  EXPECT_TRUE(SameBits(back.get_Fx(), 0.1));
  EXPECT_TRUE(SameBits(back.get_Fy(), -0.0));
  EXPECT_TRUE(SameBits(back.get_Mz(), 1e-300));
  EXPECT_TRUE(SameBits(back.get_XLoc(), 12.75));
  EXPECT_TRUE(SameBits(back.get_YLoc(), -3.5));
  ExpectUnarchivedDefaults(back);
  EXPECT_EQ(Store(back), bytes);
}

TEST(LoadCase, ConstructorsAndWindItems) {
  CBMLoadCase fresh;
  EXPECT_EQ(fresh.get_fSelfW(), 0.0);
  EXPECT_EQ(fresh.IsVirtualLoad(), 0);
  EXPECT_EQ(fresh.GetWindList()->GetCount(), 0);

  CString name("wind x");
  CBMLoadCase lc(name, "Wind", 0.5);
  EXPECT_EQ(lc.get_Name(), CString("WIND X"));
  EXPECT_EQ(lc.get_sType(), CString("Wind")) << "type is stored unchanged";
  EXPECT_EQ(lc.get_fSelfW(), 0.5);

  CBMLoadWind* six = lc.AddWindItem("Story1", "D1", 10.0, 20.0, 5.0, 2.0);
  CBMLoadWind* seven = lc.AddWindItem("Story2", "D2", 1.0, 2.0, 3.0, 4.0, 6.0);
  ASSERT_EQ(lc.GetWindList()->GetCount(), 2);
  EXPECT_EQ(WindAt(lc, 1), six);
  EXPECT_EQ(WindAt(lc, 2), seven);
  EXPECT_EQ(six->get_Id(), 1);
  EXPECT_EQ(seven->get_Id(), 2);
  EXPECT_EQ(six->get_sLevel(), CString("Story1")) << "level is not upper-cased";
  EXPECT_EQ(six->get_sDiaph(), CString("D1"));
  EXPECT_EQ(six->get_Fx(), 10.0);
  EXPECT_EQ(six->get_Fy(), 20.0);
  EXPECT_EQ(six->get_Mz(), 0.0);
  EXPECT_EQ(six->get_XLoc(), 5.0);
  EXPECT_EQ(six->get_YLoc(), 2.0);
  EXPECT_EQ(seven->get_Mz(), 3.0);
  EXPECT_EQ(seven->get_XLoc(), 4.0);
  EXPECT_EQ(seven->get_YLoc(), 6.0);
}

TEST(LoadCase, VirtualNameMarksTheCaseVirtual) {
  CBMLoadCase lc("opt1", "WIND", 0.0);
  EXPECT_EQ(lc.IsVirtualLoad(), 0);
  EXPECT_EQ(lc.GetVirtualLoadCaseName(), CString());
  lc.SetVirtualLoadCaseName("host name");
  EXPECT_NE(lc.IsVirtualLoad(), 0);
  EXPECT_EQ(lc.GetVirtualLoadCaseName(), CString("host name")) << "virtual name is not upper-cased";
  EXPECT_EQ(lc.get_Name(), CString("OPT1"));
}

TEST(LoadCase, RecordLayoutWithAndWithoutWindItems) {
  CBMLoadCase plain("DEAD", "DEAD", 1.0);
  plain.set_Id(2);
  EXPECT_EQ(Store(plain), Bytes().component(2, "DEAD").f64(1.0).str("DEAD").i32(0).str("").i32(0).get());

  CBMLoadCase wind("W1", "WIND", 0.0);
  wind.set_Id(1);
  wind.SetVirtualLoadCaseName("V");
  wind.AddWindItem("S1", "D1", 10.0, 0.0, 5.0, 2.0);
  const auto expected = Bytes()
                            .component(1, "W1")
                            .f64(0.0)
                            .str("WIND")
                            .i32(1)
                            .str("V")
                            .i32(1)
                            .cls("CBMLoadWind")
                            .component(1, "")
                            .f64(10.0)
                            .f64(0.0)
                            .f64(0.0)
                            .str("D1")
                            .str("S1")
                            .f64(5.0)
                            .f64(2.0)
                            .get();
  EXPECT_EQ(Store(wind), expected);
}

TEST(LoadCase, RoundTripKeepsEveryArchivedField) {
  CBMLoadCase lc("wl", "WIND", 0.3);
  Decorate(lc, 4, "wl");
  lc.SetVirtualLoadCaseName("virtual-1");
  lc.AddWindItem("S1", "D1", 1.25, -2.5, 0.5, 3.0, 4.0);
  lc.AddWindItem("S2", "D2", 7.0, 8.0, 9.0, 10.0);
  const auto bytes = Store(lc);

  CBMLoadCase back;
  ASSERT_TRUE(Load(back, bytes));
  EXPECT_EQ(back.get_Id(), 4);
  EXPECT_EQ(back.get_Name(), CString("WL"));
  EXPECT_TRUE(SameBits(back.get_fSelfW(), 0.3));
  EXPECT_EQ(back.get_sType(), CString("WIND"));
  EXPECT_EQ(back.IsVirtualLoad(), 1);
  EXPECT_EQ(back.GetVirtualLoadCaseName(), CString("virtual-1"));
  ExpectUnarchivedDefaults(back);
  ASSERT_EQ(back.GetWindList()->GetCount(), 2);
  for (int i = 1; i <= 2; ++i) {
    CBMLoadWind* a = WindAt(lc, i);
    CBMLoadWind* b = WindAt(back, i);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GetRuntimeClass(), RUNTIME_CLASS(CBMLoadWind));
    EXPECT_EQ(b->get_Id(), i);
    EXPECT_EQ(b->get_sLevel(), a->get_sLevel());
    EXPECT_EQ(b->get_sDiaph(), a->get_sDiaph());
    EXPECT_TRUE(SameBits(b->get_Fx(), a->get_Fx()));
    EXPECT_TRUE(SameBits(b->get_Fy(), a->get_Fy()));
    EXPECT_TRUE(SameBits(b->get_Mz(), a->get_Mz()));
    EXPECT_TRUE(SameBits(b->get_XLoc(), a->get_XLoc()));
    EXPECT_TRUE(SameBits(b->get_YLoc(), a->get_YLoc()));
  }
  EXPECT_EQ(Store(back), bytes);
}

TEST(LoadCaseList, AddLoadCaseAppendsEvenForAnExistingName) {
  CBMLoadCaseList list;
  CString name("live");
  CBMLoadCase* first = list.AddLoadCase(name, "LIVE", 0.0);
  CBMLoadCase* second = list.AddLoadCase(name, "LIVE", 0.0);
  EXPECT_NE(first, second);
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(first->get_Id(), 1);
  EXPECT_EQ(second->get_Id(), 2);
  EXPECT_EQ(first->get_Name(), CString("LIVE"));
  EXPECT_EQ(name, CString("live")) << "the caller's string is not changed";

  // Decision: GetLoadCase looks up by exact name; the first match wins.
  EXPECT_EQ(list.GetLoadCase("LIVE"), first);
  EXPECT_EQ(list.GetLoadCase("live"), nullptr);
  EXPECT_EQ(list.GetLoadCase("DEAD"), nullptr);
  EXPECT_EQ(CBMLoadCaseList().GetLoadCase("LIVE"), nullptr);
}

TEST(LoadCaseList, ListBlockLoadsCasesBack) {
  CBMLoadCaseList list;
  CString dead("DEAD"), wind("W");
  list.AddLoadCase(dead, "DEAD", 1.0);
  list.AddLoadCase(wind, "WIND", 0.0)->AddWindItem("S1", "D1", 1.0, 2.0, 3.0, 4.0);
  const auto bytes = Store(list);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 19), Bytes().i32(2).cls("CBMLoadCase").get());

  CBMLoadCaseList back;
  ASSERT_TRUE(Load(back, bytes));
  ASSERT_EQ(back.GetCount(), 2);
  EXPECT_EQ(back.GetItem(1)->GetRuntimeClass(), RUNTIME_CLASS(CBMLoadCase));
  EXPECT_EQ(back.GetLoadCase("W")->GetWindList()->GetCount(), 1);
  EXPECT_EQ(Store(back), bytes);
}

TEST(LoadComItem, RecordHasNoComponentPart) {
  CBMLoadComItem item("DEAD", 1.2);
  Decorate(item, 9, "term");
  EXPECT_EQ(Store(item), Bytes().str("DEAD").f64(1.2).get());

  CBMLoadComItem back;
  EXPECT_EQ(back.get_Factor(), 0.0);
  ASSERT_TRUE(Load(back, Store(item)));
  EXPECT_EQ(back.get_CaseName(), CString("DEAD"));
  EXPECT_TRUE(SameBits(back.get_Factor(), 1.2));
  EXPECT_EQ(back.get_Id(), 0);
  EXPECT_EQ(back.get_Name(), CString());
  ExpectUnarchivedDefaults(back);
}

TEST(LoadCom, RecordLayoutAndRoundTrip) {
  CBMLoadCom empty;
  empty.set_Id(1);
  empty.set_Name("c0");
  empty.set_sType("ADD");
  EXPECT_EQ(Store(empty), Bytes().component(1, "C0").str("ADD").i32(0).get());

  CBMLoadCom com;
  Decorate(com, 2, "combo1");
  com.set_sType("ADD");
  com.AddLoadCaseItem("DEAD", 1.2);
  com.AddLoadCaseItem(new CBMLoadComItem("LIVE", 1.4));
  com.AddLoadCaseItem(nullptr);  // ignored
  ASSERT_EQ(com.get_CombineList()->GetCount(), 2);
  EXPECT_EQ(TermAt(com, 2)->get_Id(), 2);
  const auto expected = Bytes()
                            .component(2, "COMBO1")
                            .str("ADD")
                            .i32(2)
                            .cls("CBMLoadComItem")
                            .str("DEAD")
                            .f64(1.2)
                            .str("LIVE")
                            .f64(1.4)
                            .get();
  const auto bytes = Store(com);
  EXPECT_EQ(bytes, expected);

  CBMLoadCom back;
  ASSERT_TRUE(Load(back, bytes));
  EXPECT_EQ(back.get_Id(), 2);
  EXPECT_EQ(back.get_Name(), CString("COMBO1"));
  EXPECT_EQ(back.get_sType(), CString("ADD"));
  ExpectUnarchivedDefaults(back);
  ASSERT_EQ(back.get_CombineList()->GetCount(), 2);
  EXPECT_EQ(TermAt(back, 1)->get_CaseName(), CString("DEAD"));
  EXPECT_TRUE(SameBits(TermAt(back, 2)->get_Factor(), 1.4));
  EXPECT_EQ(TermAt(back, 2)->get_Id(), 2) << "ids after loading are positions";
  EXPECT_EQ(TermAt(back, 2)->get_Name(), CString());
  EXPECT_EQ(Store(back), bytes);
}

TEST(LoadCom, TruncatedRecordThrowsAndLeaksNothing) {
  CBMLoadCom com;
  com.set_sType("ADD");
  com.AddLoadCaseItem("DEAD", 1.0);
  com.AddLoadCaseItem("LIVE", 1.0);
  const auto bytes = Store(com);
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    CBMLoadCom back;
    std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + static_cast<long>(cut));
    EXPECT_THROW(Load(back, prefix), CArchiveException) << "cut at " << cut;
  }
}

}  // namespace
}  // namespace bm::test::loads
