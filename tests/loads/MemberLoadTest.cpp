// Member loads: archive records and round trips of joint, point, line and
// area loads.
#include <gtest/gtest.h>

#include <functional>

#include "LoadTestSupport.h"

namespace bm::test::loads {
namespace {

template <typename T>
void FillVectorLoad(T& load) {
  load.set_FX(1.5);
  load.set_FY(-2.0);
  load.set_FZ(0.1);
  load.set_MX(3.0);
  load.set_MY(-0.0);
  load.set_MZ(1e10);
  load.set_Lc(CString("DEAD"));
  load.set_sType(CString("FORCE"));
}

template <typename T>
void CheckVectorLoad() {
  T load;
  EXPECT_EQ(load.get_FX(), 0.0);
  EXPECT_EQ(load.get_MZ(), 0.0);
  FillVectorLoad(load);
  Decorate(load, 5, "load");
  const auto expected =
      Bytes().f64(1.5).f64(-2.0).f64(0.1).f64(3.0).f64(-0.0).f64(1e10).str("DEAD").str("FORCE").get();
  const auto bytes = Store(load);
  EXPECT_EQ(bytes, expected) << "no component part, numbers then Lc then sType";

  T back;
  ASSERT_TRUE(Load(back, bytes));
  EXPECT_TRUE(SameBits(back.get_FX(), 1.5));
  EXPECT_TRUE(SameBits(back.get_FY(), -2.0));
  EXPECT_TRUE(SameBits(back.get_FZ(), 0.1));
  EXPECT_TRUE(SameBits(back.get_MX(), 3.0));
  EXPECT_TRUE(SameBits(back.get_MY(), -0.0));
  EXPECT_TRUE(SameBits(back.get_MZ(), 1e10));
  EXPECT_EQ(back.get_Lc(), CString("DEAD"));
  EXPECT_EQ(back.get_sType(), CString("FORCE"));
  EXPECT_EQ(back.get_Id(), 0) << "id is not archived";
  EXPECT_EQ(back.get_Name(), CString()) << "name is not archived";
  ExpectUnarchivedDefaults(back);
  EXPECT_EQ(Store(back), bytes);
}

TEST(JointLoad, RecordLayoutAndRoundTrip) { CheckVectorLoad<CBMJointLoad>(); }
TEST(PointLoad, RecordLayoutAndRoundTrip) { CheckVectorLoad<CBMPointLoad>(); }

TEST(PointLoad, SharesTheJointLoadPartsButKeepsItsOwnRuntimeClass) {
  // The shared part has no run-time class: both report CBMComponent as their
  // base, and neither is a kind of the other.
  EXPECT_EQ(RUNTIME_CLASS(CBMJointLoad)->m_pBaseClass, RUNTIME_CLASS(CBMComponent));
  EXPECT_EQ(RUNTIME_CLASS(CBMPointLoad)->m_pBaseClass, RUNTIME_CLASS(CBMComponent));
  CBMJointLoad joint;
  CBMPointLoad point;
  EXPECT_FALSE(point.IsKindOf(RUNTIME_CLASS(CBMJointLoad)));
  EXPECT_FALSE(joint.IsKindOf(RUNTIME_CLASS(CBMPointLoad)));
  FillVectorLoad(joint);
  FillVectorLoad(point);
  EXPECT_EQ(Store(point), Store(joint));
  EXPECT_EQ(point.GetEtabs8String(), joint.GetEtabs8String());
}

TEST(LineLoad, RecordLayoutAndRoundTrip) {
  CBMLineLoad load;
  EXPECT_EQ(load.get_UniformV(), 0.0);
  EXPECT_EQ(load.get_sDir(), CString());
  Decorate(load, 3, "line");
  load.set_Lc("LIVE");
  load.set_sType("TRAPF");
  load.set_sDir("GRAV");
  load.set_RStart(0.25);
  load.set_REnd(0.75);
  load.set_VStart(2.0);
  load.set_VEnd(4.5);
  load.set_UniformV(-1.0);
  const auto expected =
      Bytes().str("LIVE").f64(0.75).f64(0.25).str("GRAV").str("TRAPF").f64(-1.0).f64(4.5).f64(2.0).get();
  const auto bytes = Store(load);
  EXPECT_EQ(bytes, expected);

  CBMLineLoad back;
  ASSERT_TRUE(Load(back, bytes));
  EXPECT_EQ(back.get_Lc(), CString("LIVE"));
  EXPECT_EQ(back.get_sType(), CString("TRAPF"));
  EXPECT_EQ(back.get_sDir(), CString("GRAV"));
  EXPECT_TRUE(SameBits(back.get_RStart(), 0.25));
  EXPECT_TRUE(SameBits(back.get_REnd(), 0.75));
  EXPECT_TRUE(SameBits(back.get_VStart(), 2.0));
  EXPECT_TRUE(SameBits(back.get_VEnd(), 4.5));
  EXPECT_TRUE(SameBits(back.get_UniformV(), -1.0));
  EXPECT_EQ(back.get_Id(), 0);
  EXPECT_EQ(back.get_Name(), CString());
  ExpectUnarchivedDefaults(back);
  EXPECT_EQ(Store(back), bytes);
}

TEST(AreaLoad, RecordLayoutAndRoundTrip) {
  CBMAreaLoad load;
  EXPECT_EQ(load.get_Value(), 0.0);
  Decorate(load, 2, "a1");
  load.set_Lc("DEAD");
  load.set_sDir("GRAV");
  load.set_sType("UNIFF");
  load.set_Value(3.25);
  const auto bytes = Store(load);
  EXPECT_EQ(bytes, Bytes().component(2, "A1").str("DEAD").str("GRAV").str("UNIFF").f64(3.25).get());

  CBMAreaLoad back;
  ASSERT_TRUE(Load(back, bytes));
  EXPECT_EQ(back.get_Id(), 2);
  EXPECT_EQ(back.get_Name(), CString("A1"));
  EXPECT_EQ(back.get_Lc(), CString("DEAD"));
  EXPECT_EQ(back.get_sDir(), CString("GRAV"));
  EXPECT_EQ(back.get_sType(), CString("UNIFF"));
  EXPECT_TRUE(SameBits(back.get_Value(), 3.25));
  ExpectUnarchivedDefaults(back);
  EXPECT_EQ(Store(back), bytes);
}

// A list block of member loads recreates each as the recorded class, and
// ids are positions even though the records hold none.
TEST(MemberLoads, ListBlocksLoadAsTheirOwnClass) {
  CBMComponentList joints;
  for (int i = 0; i < 3; ++i) {
    auto* load = new CBMJointLoad;
    load->set_FX(i);
    joints.Add(load);
  }
  const auto bytes = Store(joints);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 20),
            Bytes().i32(3).cls("CBMJointLoad").get());

  CBMComponentList back;
  ASSERT_TRUE(Load(back, bytes));
  ASSERT_EQ(back.GetCount(), 3);
  for (int i = 1; i <= 3; ++i) {
    auto* load = dynamic_cast<CBMJointLoad*>(back.GetItem(i));
    ASSERT_NE(load, nullptr);
    EXPECT_EQ(load->get_Id(), i);
    EXPECT_EQ(load->get_FX(), i - 1);
  }
  EXPECT_EQ(Store(back), bytes);
  joints.DeleteAll();
  back.DeleteAll();
}

// The owners fill UniformV from the start force for a "UNIFF" load only
// (the writer reads UniformV, the wall-load conversion reads VStart).
TEST(MemberLoads, UniformLoadFillsUniformVOnBeamsAndWalls) {
  CBMBeam beam;
  CBMWall wall;
  using AddFn = std::function<CBMLineLoad*(CString, double)>;
  const AddFn adders[] = {
      [&](CString type, double v) { return beam.AddLineLoad("DEAD", type, "GRAV", 0.0, v, 1.0, v); },
      [&](CString type, double v) { return wall.AddLineLoad("DEAD", type, "GRAV", 0.0, v, 1.0, v); }};
  for (const AddFn& add : adders) {
    CBMLineLoad* uniform = add("UNIFF", 5.0);
    ASSERT_NE(uniform, nullptr);
    EXPECT_EQ(uniform->get_UniformV(), 5.0);
    EXPECT_EQ(uniform->get_VStart(), 5.0);
    EXPECT_EQ(add("TRAPF", 5.0)->get_UniformV(), 0.0);
    EXPECT_EQ(add("uniff", 5.0)->get_UniformV(), 0.0) << "the type word is compared exactly";
  }
}

TEST(MemberLoads, RegisteredClassesCreateTheirOwnKind) {
  const CRuntimeClass* classes[] = {
      RUNTIME_CLASS(CBMJointLoad),  RUNTIME_CLASS(CBMPointLoad),  RUNTIME_CLASS(CBMLineLoad),
      RUNTIME_CLASS(CBMAreaLoad),   RUNTIME_CLASS(CBMLoadCase),   RUNTIME_CLASS(CBMLoadCaseList),
      RUNTIME_CLASS(CBMLoadWind),   RUNTIME_CLASS(CBMLoadCom),    RUNTIME_CLASS(CBMLoadComItem),
      RUNTIME_CLASS(CBMLevelDrift), RUNTIME_CLASS(CBMLevelShear), RUNTIME_CLASS(CBMDisplacement),
      RUNTIME_CLASS(CBMForce)};
  for (const CRuntimeClass* cls : classes) {
    EXPECT_EQ(CRuntimeClass::FromName(cls->m_lpszClassName), cls) << cls->m_lpszClassName;
    EXPECT_EQ(cls->m_wSchema, 1u);
    CObject* object = cls->CreateObject();
    ASSERT_NE(object, nullptr) << cls->m_lpszClassName;
    EXPECT_EQ(object->GetRuntimeClass(), cls);
    delete object;
  }
}

}  // namespace
}  // namespace bm::test::loads
