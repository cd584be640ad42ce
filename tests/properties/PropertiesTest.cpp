// Properties: archive records (exact bytes, and a load of those bytes that
// stores them again unchanged), find-or-create, names and case rules.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <vector>

#include "support/ArchiveHelpers.h"
#include "support/ByteBuilder.h"

namespace bm::test {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(PropertyRecords, MaterialIsComponentThenFieldsInAlphabeticalOrder) {
  // The constructor takes mass before weight and zeroes the design values.
  CBMMaterial m(CString("c30"), 1, 2, CString("Iso"), 3, 4, -0.0);
  ByteBuilder fresh;
  fresh.I32(0).Str("C30").F64(-0.0).Str("").F64(3).F64(0).F64(0).F64(0).F64(0).F64(1).F64(0);
  ExpectRecord(m, fresh.Str("Iso").F64(4).F64(2));
  m.set_Id(2);
  m.set_DesignType("STEEL");
  m.set_FC(6);
  m.set_FU(7);
  m.set_FY(8);
  m.set_FYS(9);
  m.set_Price(10);
  ByteBuilder b;
  b.I32(2).Str("C30").F64(-0.0).Str("STEEL").F64(3).F64(6).F64(7).F64(8).F64(9).F64(1).F64(10);
  ExpectRecord(m, b.Str("Iso").F64(4).F64(2));
}

TEST(PropertyRecords, FrameSectionSlotsOutsideZeroToNineteenAreIgnoredAndTheRecordHoldsTwenty) {
  CBMMaterial conc(CString("CONC"), 0, 0, CString(""), 0, 0, 0);
  CBMFrameSection s;
  s.set_Id(1);
  s.set_Name("c1");
  s.set_Shape(CString("Rectangular"));
  s.SetD(0.5);
  s.SetB(0.25);
  s.SetTf(1e-300);
  s.SetT(4);
  s.set_ParamItems(19, -1);
  // Slots outside 0 to 19 ignore writes and read as 0.
  for (int i : {-1, 20, 21, 1000}) {
    s.set_ParamItems(i, 99);
    EXPECT_EQ(s.get_ParamItems(i), 0.0) << i;
  }
  s.set_pMaterial(&conc);
  ByteBuilder b;
  b.I32(1).Str("C1").F64(0.5).F64(0.25).F64(1e-300).F64(4);
  for (int i = 4; i < 19; ++i) b.F64(0);
  ExpectRecord(s, b.F64(-1).Str("Rectangular").Str("CONC"));
}

// The list deletes its members; they delete no candidate (freeing one on the stack aborts).
TEST(PropertyRecords, AutoSectionListDeletesItsMembersWhichOwnNoCandidate) {
  struct Probe : CBMAutoSection {
    explicit Probe(bool& gone) : gone_(gone) {}
    ~Probe() override { gone_ = true; }
    bool& gone_;
  };
  bool gone = false;
  CBMFrameSection candidate;
  {
    CBMAutoSectionList autos;
    auto* a = new Probe(gone);
    autos.Add(a);
    a->set_Id(3);
    a->set_Name("AUTO1");
    a->get_SectionList().Add(&candidate);
    ExpectRecord<CBMAutoSection>(*a, ByteBuilder().I32(3).Str("AUTO1"));
  }
  EXPECT_TRUE(gone);
}

TEST(PropertyRecords, WallSlabDeckSectionFollowsTheRecordOrder) {
  CBMMaterial conc(CString("M"), 0, 0, CString(""), 0, 0, 0);
  CBMWallSlabDeckSection s;
  s.set_Id(1);
  s.set_Name("w1");
  s.set_pMaterial(&conc);
  s.set_DeckType(CString("D"));
  s.set_PlateType(CString("THIN"));
  s.set_PropType(CString("WALL"));
  s.set_ShellType(CString("Shell"));
  s.set_RibDepth(1);
  s.set_RibSpacing(2);
  s.set_RibWidth(3);
  s.set_SlabDepth(4);
  s.set_StudHeight(5);
  s.set_StuDia(6);
  s.set_StudStrength(7);
  s.set_TB(8);
  s.set_TM(-0.0);
  s.set_Weight(10);
  ByteBuilder b;
  b.I32(1).Str("W1").Str("D").Str("THIN").Str("M").Str("WALL").F64(1).F64(2).F64(3).Str("Shell");
  ExpectRecord(s, b.F64(4).F64(5).F64(6).F64(7).F64(8).F64(-0.0).F64(10));
}

TEST(PropertyRecords, LinkFollowsTheLegacySlotOrder) {
  CBMLink l;
  l.set_Id(1);
  l.set_Name("l");
  l.LinkType = "Gap";
  // ParamA k holds 100 + k, ParamB k holds 200 + k, so each double names its slot.
  for (int k = 1; k <= 8; ++k) l.ParamA[k - 1] = 100 + k;
  for (int k = 1; k <= 13; ++k) l.ParamB[k - 1] = 200 + k;
  l.DofU1 = 1;
  l.DofU2 = 2;
  l.DofU3 = 3;
  l.DofR1 = 4;
  l.DofR2 = 5;
  l.DofR3 = 6;
  ByteBuilder b;
  b.I32(1).Str("L").I32(4).I32(5).I32(6).I32(1).I32(2).I32(3);
  for (int slot : {209, 202, 210, 203, 212, 204, 201, 101, 208, 106, 107, 108, 213, 206, 103, 104, 105, 211})
    b.F64(slot);
  ExpectRecord(l, b.Str("Gap").F64(102).F64(205).F64(207));
}

TEST(PropertyRecords, EveryTruncationOfALinkThrows) {
  CBMLink l;
  l.set_Name("L1");
  l.LinkType = "GAP";
  const Bytes bytes = StoreObject(l);
  for (size_t n = 0; n < bytes.size(); ++n) {
    CBMLink back;
    const Bytes prefix(bytes.begin(), bytes.begin() + static_cast<long>(n));
    EXPECT_THROW(LoadObject(back, prefix), CArchiveException) << n;
  }
}

TEST(PropertyRecords, PierSpandrelAndUnitSystem) {
  CBMPierSpandrel p;
  p.set_Id(1);
  p.set_Name("p1");
  p.set_IsSpan(true);
  ExpectRecord(p, ByteBuilder().I32(1).Str("P1").I32(1));

  // Two strings kept as given, no component part: loading leaves it as it was.
  CBMUnitSystem u;
  EXPECT_EQ(StoreObject(u), ByteBuilder().Str("").Str("").bytes());
  u.set_Id(5);
  u.set_csForceUnit("Kip");
  u.set_csLengthUnit("in");
  ExpectRecord(u, ByteBuilder().Str("Kip").Str("in"));
  CBMUnitSystem back;
  back.set_Id(8);
  ASSERT_TRUE(LoadObject(back, StoreObject(u)));
  EXPECT_EQ(back.get_Id(), 8);
}

TEST(PropertyLists, AddAppendsDuplicateNamesAndLookUpsAreExact) {
  CBMMaterialList materials;
  CString steel("STEEL");
  CBMMaterial* first = materials.AddMaterial(steel, 1, 2, CString("ISOTROPIC"), 3, 4, 5);
  CBMMaterial* second = materials.AddMaterial(steel, 6, 7, CString("ISOTROPIC"), 8, 9, 10);
  EXPECT_EQ(second->get_Id(), 2);
  EXPECT_EQ(materials.GetMaterial(CString("STEEL")), first);
  EXPECT_EQ(materials.GetMaterial(CString("Steel")), nullptr);

  CBMFrameSectionList sections;
  CString c1("c1");
  CBMFrameSection* a = sections.AddFrameSection(c1, CString("Rectangular"));
  EXPECT_EQ(c1, CString("C1"));  // set_Name upper-cases the caller's string
  CBMFrameSection* b = sections.AddFrameSection(c1, CString("CIRCLE"));
  EXPECT_EQ(b->get_Id(), 2);
  EXPECT_EQ(a->get_Shape(), CString("Rectangular"));
  EXPECT_EQ(sections.GetFrameSection(CString("C1")), a);
  EXPECT_EQ(sections.GetFrameSection(CString("c1")), nullptr);

  CBMLinkList links;
  CString gap("gap1");
  CBMLink* link = links.AddLink(gap);
  EXPECT_NE(links.AddLink(gap), link);
  EXPECT_EQ(link->name(), CString("GAP1"));

  CBMWallSlabDeckSectionList shells;
  CBMWallSlabDeckSection* shell = shells.AddSection();
  EXPECT_EQ(shells.GetItem(1), shell);
}

TEST(PierSpandrelList, AddPierSpandrelFindsOrCreatesByExactName) {
  CBMPierSpandrelList list;
  CString p1("P1");
  CBMPierSpandrel* pier = list.AddPierSpandrel(false, p1);
  EXPECT_EQ(list.AddPierSpandrel(true, p1), pier);
  EXPECT_EQ(pier->IsSpandrel(), 0);  // stays a pier
  CString s1("s1");
  CBMPierSpandrel* spandrel = list.AddPierSpandrel(true, s1);
  EXPECT_EQ(s1, CString("S1"));
  EXPECT_EQ(spandrel->IsSpandrel(), 1);
  EXPECT_EQ(spandrel->get_Id(), 2);
  CString lower("p1");
  EXPECT_NE(list.AddPierSpandrel(false, lower), pier);
  EXPECT_EQ(list.GetCount(), 3);
}

TEST(SectionMaterial, NameFollowsOnlySetCallsAndNullKeepsIt) {
  CBMMaterial m(CString("A36"), 0, 0, CString(""), 0, 0, 0);
  CBMFrameSection s;
  s.set_pMaterial(&m);
  m.set_Name("A572");  // a rename is not seen until the next set_pMaterial
  EXPECT_EQ(s.get_MaterialName(), CString("A36"));
  s.set_pMaterial(nullptr);
  EXPECT_EQ(s.get_pMaterial(), nullptr);
  EXPECT_EQ(s.get_MaterialName(), CString("A36"));
  s.set_pMaterial(&m);
  EXPECT_EQ(s.get_MaterialName(), CString("A572"));

  CBMWallSlabDeckSection shell;
  shell.set_pMaterial(&m);
  shell.set_pMaterial(nullptr);
  EXPECT_EQ(shell.get_MaterialName(), CString("A572"));
  shell.set_TM(0.2);
  shell.set_TB(0.3);
  EXPECT_EQ(shell.GetThickness(), 0.2);
}

}  // namespace
}  // namespace bm::test
