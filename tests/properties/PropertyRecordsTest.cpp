// Archive records of the property classes: round trips and exact bytes.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "support/ArchiveHelpers.h"
#include "support/ByteBuilder.h"

namespace {

using bm::test::ByteBuilder;
using bm::test::LoadObject;
using bm::test::StoreObject;

uint64_t Bits(double v) {
  uint64_t b;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

#define EXPECT_SAME_BITS(a, b) EXPECT_EQ(Bits(a), Bits(b))

// Doubles that expose a lossy or reordered transfer: signed zero, a
// subnormal, extremes, values that differ only in their last bits.
const double kOdd[] = {-0.0,
                       std::numeric_limits<double>::denorm_min(),
                       std::numeric_limits<double>::max(),
                       0.1,
                       0.1 + 1e-17 * 2,
                       -3.5e-300,
                       2.0e5,
                       1.0 / 3.0,
                       -7.25,
                       6.02214076e23,
                       std::numeric_limits<double>::epsilon(),
                       -1e-5,
                       12345.678,
                       9.0,
                       -2.0,
                       1e100,
                       0.3,
                       4.5,
                       -0.125,
                       77.0,
                       3.14159265358979};

// Fields the archive leaves out come back at their defaults.
void ExpectUnarchivedDefaults(CBMComponent& c) {
  EXPECT_TRUE(c.get_MapHandle().IsEmpty());
  EXPECT_TRUE(c.get_OutHandle().IsEmpty());
  EXPECT_EQ(c.get_ObjectType(), BM_NONE);
}

void SetHostFields(CBMComponent& c) {
  c.set_MapHandle("MAP-7");
  c.set_OutHandle(CString("OUT-7"));
  c.set_ObjectType(BM_BEAM);
}

TEST(MaterialRecord, RoundTripRestoresEveryFieldBitForBit) {
  CBMMaterial m(CString("c30"), kOdd[0], kOdd[1], CString("Isotropic"), kOdd[2], kOdd[3], kOdd[4]);
  m.set_Id(4);
  m.set_DesignType("CONCRETE");
  m.set_FY(kOdd[5]);
  m.set_FU(kOdd[6]);
  m.set_FC(kOdd[7]);
  m.set_FYS(kOdd[8]);
  m.set_Price(kOdd[9]);
  SetHostFields(m);

  CBMMaterial back;
  ASSERT_TRUE(LoadObject(back, StoreObject(m)));
  EXPECT_EQ(back.get_Id(), 4);
  EXPECT_EQ(back.name(), CString("C30"));
  EXPECT_EQ(back.get_DesignType(), CString("CONCRETE"));
  EXPECT_EQ(back.get_Type(), CString("Isotropic"));
  EXPECT_SAME_BITS(back.get_M(), kOdd[0]);
  EXPECT_SAME_BITS(back.get_W(), kOdd[1]);
  EXPECT_SAME_BITS(back.get_E(), kOdd[2]);
  EXPECT_SAME_BITS(back.get_U(), kOdd[3]);
  EXPECT_SAME_BITS(back.get_A(), kOdd[4]);
  EXPECT_SAME_BITS(back.get_FY(), kOdd[5]);
  EXPECT_SAME_BITS(back.get_FU(), kOdd[6]);
  EXPECT_SAME_BITS(back.get_FC(), kOdd[7]);
  EXPECT_SAME_BITS(back.get_FYS(), kOdd[8]);
  EXPECT_SAME_BITS(back.get_Price(), kOdd[9]);
  ExpectUnarchivedDefaults(back);
}

TEST(MaterialRecord, BytesAreComponentThenFieldsInAlphabeticalOrder) {
  CBMMaterial m;
  m.set_Id(2);
  m.set_Name("S");
  m.set_A(1);
  m.set_DesignType("STEEL");
  m.set_E(3);
  m.set_FC(4);
  m.set_FU(5);
  m.set_FY(6);
  m.set_FYS(7);
  m.set_M(8);
  m.set_Price(9);
  m.set_Type(CString("ISO"));
  m.set_U(11);
  m.set_W(12);
  const auto expected = ByteBuilder()
                            .I32(2)
                            .Str("S")
                            .F64(1)
                            .Str("STEEL")
                            .F64(3)
                            .F64(4)
                            .F64(5)
                            .F64(6)
                            .F64(7)
                            .F64(8)
                            .F64(9)
                            .Str("ISO")
                            .F64(11)
                            .F64(12)
                            .bytes();
  EXPECT_EQ(StoreObject(m), expected);
}

TEST(FrameSectionRecord, RoundTripRestoresAllTwentySlotsAndBothStrings) {
  CBMMaterial steel(CString("A36"), 1, 2, CString("ISOTROPIC"), 3, 4, 5);
  CBMFrameSection s;
  s.set_Id(9);
  s.set_Name("w12");
  s.set_Shape(CString("I/WIDE FLANGE"));
  s.set_pMaterial(&steel);
  for (int i = 0; i < CBMFrameSection::kParamCount; ++i) s.set_ParamItems(i, kOdd[i]);
  SetHostFields(s);

  CBMFrameSection back;
  ASSERT_TRUE(LoadObject(back, StoreObject(s)));
  EXPECT_EQ(back.get_Id(), 9);
  EXPECT_EQ(back.name(), CString("W12"));
  EXPECT_EQ(back.get_Shape(), CString("I/WIDE FLANGE"));
  EXPECT_EQ(back.get_MaterialName(), CString("A36"));
  // The pointer is not archived; the topology rebuild restores it by name.
  EXPECT_EQ(back.get_pMaterial(), nullptr);
  for (int i = 0; i < CBMFrameSection::kParamCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_SAME_BITS(back.get_ParamItems(i), kOdd[i]);
  }
  ExpectUnarchivedDefaults(back);
}

TEST(FrameSectionRecord, BytesAreComponentSlotsShapeMaterialName) {
  CBMMaterial conc(CString("CONC"), 0, 0, CString(""), 0, 0, 0);
  CBMFrameSection s;
  s.set_Id(1);
  s.set_Name("C1");
  s.set_Shape(CString("RECTANGULAR"));
  s.SetD(0.5);
  s.SetB(0.25);
  s.set_ParamItems(19, -1);
  s.set_pMaterial(&conc);
  ByteBuilder expected;
  expected.I32(1).Str("C1").F64(0.5).F64(0.25);
  for (int i = 2; i < 19; ++i) expected.F64(0);
  expected.F64(-1).Str("RECTANGULAR").Str("CONC");
  EXPECT_EQ(StoreObject(s), expected.bytes());
}

TEST(AutoSectionRecord, StoresTheComponentPartOnly) {
  CBMFrameSection candidate;
  CBMAutoSection a;
  a.set_Id(3);
  a.set_Name("AUTO1");
  a.get_SectionList().Add(&candidate);
  const auto bytes = StoreObject(a);
  EXPECT_EQ(bytes, ByteBuilder().I32(3).Str("AUTO1").bytes());

  CBMAutoSection back;
  ASSERT_TRUE(LoadObject(back, bytes));
  EXPECT_EQ(back.get_Id(), 3);
  EXPECT_EQ(back.name(), CString("AUTO1"));
  EXPECT_EQ(back.get_SectionList().GetCount(), 0);
  // `a` refers to `candidate` and must not delete it (ASan checks).
}

TEST(WallSlabDeckSectionRecord, RoundTripRestoresFourStringsAndElevenNumbers) {
  CBMMaterial conc(CString("C25"), 1, 2, CString("ISOTROPIC"), 3, 4, 5);
  CBMWallSlabDeckSection s;
  s.set_Id(6);
  s.set_Name("deck1");
  s.set_pMaterial(&conc);
  s.set_PropType(CString("DECK"));
  s.set_ShellType(CString("MEMBRANE"));
  s.set_PlateType(CString("THICK"));
  s.set_DeckType(CString("FILLED"));
  s.set_TM(kOdd[0]);
  s.set_TB(kOdd[1]);
  s.set_SlabDepth(kOdd[2]);
  s.set_RibWidth(kOdd[3]);
  s.set_RibDepth(kOdd[4]);
  s.set_RibSpacing(kOdd[5]);
  s.set_Weight(kOdd[6]);
  s.set_StuDia(kOdd[7]);
  s.set_StudHeight(kOdd[8]);
  s.set_StudStrength(kOdd[9]);
  SetHostFields(s);

  CBMWallSlabDeckSection back;
  ASSERT_TRUE(LoadObject(back, StoreObject(s)));
  EXPECT_EQ(back.get_Id(), 6);
  EXPECT_EQ(back.name(), CString("DECK1"));
  EXPECT_EQ(back.get_pMaterial(), nullptr);
  EXPECT_EQ(back.get_MaterialName(), CString("C25"));
  EXPECT_EQ(back.get_PropType(), CString("DECK"));
  EXPECT_EQ(back.get_ShellType(), CString("MEMBRANE"));
  EXPECT_EQ(back.get_PlateType(), CString("THICK"));
  EXPECT_EQ(back.get_DeckType(), CString("FILLED"));
  EXPECT_SAME_BITS(back.get_TM(), kOdd[0]);
  EXPECT_SAME_BITS(back.get_TB(), kOdd[1]);
  EXPECT_SAME_BITS(back.get_SlabDepth(), kOdd[2]);
  EXPECT_SAME_BITS(back.get_RibWidth(), kOdd[3]);
  EXPECT_SAME_BITS(back.get_RibDepth(), kOdd[4]);
  EXPECT_SAME_BITS(back.get_RibSpacing(), kOdd[5]);
  EXPECT_SAME_BITS(back.get_Weight(), kOdd[6]);
  EXPECT_SAME_BITS(back.get_StuDia(), kOdd[7]);
  EXPECT_SAME_BITS(back.get_StudHeight(), kOdd[8]);
  EXPECT_SAME_BITS(back.get_StudStrength(), kOdd[9]);
  ExpectUnarchivedDefaults(back);
}

TEST(WallSlabDeckSectionRecord, BytesFollowTheRecordOrder) {
  CBMMaterial conc(CString("M"), 0, 0, CString(""), 0, 0, 0);
  CBMWallSlabDeckSection s;
  s.set_Id(1);
  s.set_Name("W1");
  s.set_pMaterial(&conc);
  s.set_DeckType(CString("D"));
  s.set_PlateType(CString("THIN"));
  s.set_PropType(CString("WALL"));
  s.set_ShellType(CString("SHELL"));
  s.set_RibDepth(1);
  s.set_RibSpacing(2);
  s.set_RibWidth(3);
  s.set_SlabDepth(4);
  s.set_StudHeight(5);
  s.set_StuDia(6);
  s.set_StudStrength(7);
  s.set_TB(8);
  s.set_TM(9);
  s.set_Weight(10);
  const auto expected = ByteBuilder()
                            .I32(1)
                            .Str("W1")
                            .Str("D")
                            .Str("THIN")
                            .Str("M")
                            .Str("WALL")
                            .F64(1)
                            .F64(2)
                            .F64(3)
                            .Str("SHELL")
                            .F64(4)
                            .F64(5)
                            .F64(6)
                            .F64(7)
                            .F64(8)
                            .F64(9)
                            .F64(10)
                            .bytes();
  EXPECT_EQ(StoreObject(s), expected);
}

TEST(LinkRecord, RoundTripKeepsEveryNumberInItsOwnSlot) {
  CBMLink l;
  l.set_Id(2);
  l.set_Name("lnk");
  l.LinkType = "GAP";
  for (int k = 0; k < 8; ++k) l.ParamA[k] = kOdd[k];
  for (int k = 0; k < 13; ++k) l.ParamB[k] = kOdd[8 + k];
  l.DofU2 = 1;
  l.DofR3 = 1;
  SetHostFields(l);

  CBMLink back;
  ASSERT_TRUE(LoadObject(back, StoreObject(l)));
  EXPECT_EQ(back.get_Id(), 2);
  EXPECT_EQ(back.name(), CString("LNK"));
  EXPECT_EQ(back.LinkType, CString("GAP"));
  for (int k = 0; k < 8; ++k) {
    SCOPED_TRACE(k);
    EXPECT_SAME_BITS(back.ParamA[k], kOdd[k]);
  }
  for (int k = 0; k < 13; ++k) {
    SCOPED_TRACE(k);
    EXPECT_SAME_BITS(back.ParamB[k], kOdd[8 + k]);
  }
  EXPECT_EQ(back.DofU1, 0);
  EXPECT_EQ(back.DofU2, 1);
  EXPECT_EQ(back.DofU3, 0);
  EXPECT_EQ(back.DofR1, 0);
  EXPECT_EQ(back.DofR2, 0);
  EXPECT_EQ(back.DofR3, 1);
  ExpectUnarchivedDefaults(back);
}

TEST(LinkRecord, FlagsAllZeroStayZero) {
  CBMLink l;
  CBMLink back;
  back.DofU1 = back.DofU2 = back.DofU3 = back.DofR1 = back.DofR2 = back.DofR3 = 1;
  ASSERT_TRUE(LoadObject(back, StoreObject(l)));
  for (int flag : {back.DofU1, back.DofU2, back.DofU3, back.DofR1, back.DofR2, back.DofR3}) {
    EXPECT_EQ(flag, 0);
  }
}

TEST(LinkRecord, BytesFollowTheLegacySlotOrder) {
  CBMLink l;
  l.set_Id(1);
  l.set_Name("L");
  l.LinkType = "T";
  // ParamA k holds 100 + k, ParamB k holds 200 + k, so each double names
  // its slot.
  for (int k = 1; k <= 8; ++k) l.ParamA[k - 1] = 100 + k;
  for (int k = 1; k <= 13; ++k) l.ParamB[k - 1] = 200 + k;
  l.DofU1 = 1;
  l.DofU2 = 2;
  l.DofU3 = 3;
  l.DofR1 = 4;
  l.DofR2 = 5;
  l.DofR3 = 6;
  ByteBuilder expected;
  expected.I32(1).Str("L");
  expected.I32(4).I32(5).I32(6).I32(1).I32(2).I32(3);
  for (double v :
       {209, 202, 210, 203, 212, 204, 201, 101, 208, 106, 107, 108, 213, 206, 103, 104, 105, 211}) {
    expected.F64(v);
  }
  expected.Str("T").F64(102).F64(205).F64(207);
  EXPECT_EQ(StoreObject(l), expected.bytes());
}

TEST(PierSpandrelRecord, RoundTripAndLiteralBytes) {
  CBMPierSpandrel p;
  p.set_Id(1);
  p.set_Name("p1");
  p.set_IsSpan(true);
  const auto bytes = StoreObject(p);
  // Id 1, name "P1", IsSpan 1, written out by hand.
  const std::vector<uint8_t> expected = {0x01, 0x00, 0x00, 0x00, 0x02, 'P', '1', 0x01, 0x00, 0x00, 0x00};
  EXPECT_EQ(bytes, expected);

  CBMPierSpandrel back;
  ASSERT_TRUE(LoadObject(back, bytes));
  EXPECT_EQ(back.get_Id(), 1);
  EXPECT_EQ(back.name(), CString("P1"));
  EXPECT_EQ(back.IsSpandrel(), 1);
  ExpectUnarchivedDefaults(back);
}

TEST(UnitSystemRecord, WritesTwoStringsAndNoComponentPart) {
  CBMUnitSystem u;
  u.set_Id(5);
  u.set_Name("UNITS");
  u.set_csForceUnit("KN");
  u.set_csLengthUnit("M");
  const auto bytes = StoreObject(u);
  const std::vector<uint8_t> expected = {0x02, 'K', 'N', 0x01, 'M'};
  EXPECT_EQ(bytes, expected);

  // Loading reads exactly the two strings and leaves the component part
  // as it was.
  CBMUnitSystem back;
  back.set_Id(8);
  back.set_Name("KEEP");
  ASSERT_TRUE(LoadObject(back, bytes));
  EXPECT_EQ(back.get_csForceUnit(), CString("KN"));
  EXPECT_EQ(back.get_csLengthUnit(), CString("M"));
  EXPECT_EQ(back.get_Id(), 8);
  EXPECT_EQ(back.name(), CString("KEEP"));
}

TEST(UnitSystemRecord, EmptyWordsAreTwoZeroBytes) {
  CBMUnitSystem u;
  EXPECT_EQ(StoreObject(u), (std::vector<uint8_t>{0x00, 0x00}));
}

TEST(PropertyRecords, EveryTruncationOfARecordFailsWithAnArchiveException) {
  CBMLink l;
  l.set_Name("L1");
  l.LinkType = "GAP";
  const auto bytes = StoreObject(l);
  for (size_t n = 0; n < bytes.size(); ++n) {
    SCOPED_TRACE(n);
    CBMLink back;
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_THROW(LoadObject(back, cut), CArchiveException);
  }
}

}  // namespace
