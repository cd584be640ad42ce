// Constructors, list operations and run-time classes of the properties.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "support/ArchiveHelpers.h"
#include "support/ByteBuilder.h"

namespace {

using bm::test::ByteBuilder;
using bm::test::LoadBytes;
using bm::test::StoreBytes;

TEST(Material, SevenArgumentConstructorTakesMassBeforeWeightAndZeroesTheRest) {
  CString name("c30");
  CBMMaterial m(name, 2.5, 25.0, CString("Isotropic"), 3e7, 0.2, 1e-5);
  EXPECT_EQ(m.name(), CString("C30"));
  EXPECT_EQ(name, CString("c30"));  // the argument is a copy
  EXPECT_EQ(m.get_M(), 2.5);
  EXPECT_EQ(m.get_W(), 25.0);
  EXPECT_EQ(m.get_Type(), CString("Isotropic"));  // words keep their case
  EXPECT_EQ(m.get_E(), 3e7);
  EXPECT_EQ(m.get_U(), 0.2);
  EXPECT_EQ(m.get_A(), 1e-5);
  for (double v : {m.get_FY(), m.get_FU(), m.get_FC(), m.get_FYS(), m.get_Price()}) {
    EXPECT_EQ(v, 0.0);
  }
  EXPECT_TRUE(m.get_DesignType().IsEmpty());
  EXPECT_EQ(m.get_Id(), 0);
  EXPECT_EQ(m.get_ObjectType(), BM_NONE);
}

TEST(MaterialList, AddMaterialAppendsDuplicatesAndGetMaterialIsExact) {
  CBMMaterialList list;
  CString name("STEEL");
  CBMMaterial* first = list.AddMaterial(name, 1, 2, CString("ISOTROPIC"), 3, 4, 5);
  CBMMaterial* second = list.AddMaterial(name, 6, 7, CString("ISOTROPIC"), 8, 9, 10);
  ASSERT_NE(first, second);
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(first->get_Id(), 1);
  EXPECT_EQ(second->get_Id(), 2);
  EXPECT_EQ(list.GetMaterial(CString("STEEL")), first);
  EXPECT_EQ(list.GetMaterial(CString("Steel")), nullptr);
  EXPECT_EQ(list.GetMaterial(CString("CONC")), nullptr);
}

TEST(PropertyClasses, ListsWithoutOwnClassReportComponentList) {
  CBMMaterialList materials;
  CBMAutoSectionList autos;
  EXPECT_EQ(materials.GetRuntimeClass(), RUNTIME_CLASS(CBMComponentList));
  EXPECT_EQ(autos.GetRuntimeClass(), RUNTIME_CLASS(CBMComponentList));
}

TEST(PropertyClasses, EveryOwnClassIsRegisteredCreatableAndSchemaOne) {
  const char* names[] = {"CBMMaterial",
                         "CBMFrameSection",
                         "CBMFrameSectionList",
                         "CBMAutoSection",
                         "CBMWallSlabDeckSection",
                         "CBMWallSlabDeckSectionList",
                         "CBMLink",
                         "CBMLinkList",
                         "CBMPierSpandrel",
                         "CBMPierSpandrelList",
                         "CBMUnitSystem"};
  for (const char* n : names) {
    SCOPED_TRACE(n);
    const CRuntimeClass* cls = CRuntimeClass::FromName(n);
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls->m_wSchema, 1u);
    CObject* obj = cls->CreateObject();
    ASSERT_NE(obj, nullptr);
    EXPECT_STREQ(obj->GetRuntimeClass()->m_lpszClassName, n);
    delete obj;
  }
  EXPECT_EQ(CRuntimeClass::FromName("CBMMaterialList"), nullptr);
  EXPECT_EQ(CRuntimeClass::FromName("CBMAutoSectionList"), nullptr);
}

TEST(FrameSection, DefaultsAndMaterialNameFollowsOnlySetCalls) {
  CBMFrameSection s;
  EXPECT_EQ(s.get_pMaterial(), nullptr);
  EXPECT_TRUE(s.get_Shape().IsEmpty());
  EXPECT_TRUE(s.get_MaterialName().IsEmpty());
  for (int i = 0; i < CBMFrameSection::kParamCount; ++i) EXPECT_EQ(s.get_ParamItems(i), 0.0);

  CBMMaterial m(CString("A36"), 0, 0, CString(""), 0, 0, 0);
  s.set_pMaterial(&m);
  EXPECT_EQ(s.get_pMaterial(), &m);
  EXPECT_EQ(s.get_MaterialName(), CString("A36"));
  m.set_Name("A572");  // a rename is not seen until the next set_pMaterial
  EXPECT_EQ(s.get_MaterialName(), CString("A36"));
  s.set_pMaterial(nullptr);  // clears the pointer, keeps the name
  EXPECT_EQ(s.get_pMaterial(), nullptr);
  EXPECT_EQ(s.get_MaterialName(), CString("A36"));
  s.set_pMaterial(&m);
  EXPECT_EQ(s.get_MaterialName(), CString("A572"));
}

TEST(FrameSection, NamedSlotAccessorsAndOutOfRangeSlotsAreHarmless) {
  CBMFrameSection s;
  s.SetD(1);
  s.SetB(2);
  s.SetTf(3);
  s.SetT(4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(s.get_ParamItems(i), i + 1.0);
  EXPECT_EQ(s.GetD() + s.GetB() + s.GetTf() + s.GetT(), 10.0);
  // Slots outside 0..19 are ignored on write and read as 0 (ASan/UBSan
  // would flag a write past the array).
  for (int i : {-1, 20, 21, 1000}) {
    s.set_ParamItems(i, 99);
    EXPECT_EQ(s.get_ParamItems(i), 0.0);
  }
  for (int i = 4; i < CBMFrameSection::kParamCount; ++i) EXPECT_EQ(s.get_ParamItems(i), 0.0);
}

TEST(FrameSectionList, AddFrameSectionUpperCasesAndAppendsWithoutDuplicateCheck) {
  CBMFrameSectionList list;
  CString name("c1");
  CBMFrameSection* a = list.AddFrameSection(name, CString("Rectangular"));
  EXPECT_EQ(name, CString("C1"));  // set_Name upper-cases the caller's string
  CBMFrameSection* b = list.AddFrameSection(name, CString("CIRCLE"));
  EXPECT_NE(a, b);
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(a->get_Shape(), CString("Rectangular"));  // shape word kept as given
  EXPECT_EQ(list.GetFrameSection(CString("C1")), a);
  EXPECT_EQ(list.GetFrameSection(CString("c1")), nullptr);
  EXPECT_EQ(a->get_pMaterial(), nullptr);
}

TEST(AutoSection, DestroyingItDeletesNoCandidate) {
  CBMFrameSectionList sections;
  CString n("S1");
  CBMFrameSection* s1 = sections.AddFrameSection(n, CString("CIRCLE"));
  {
    CBMAutoSectionList autos;
    auto* a = new CBMAutoSection;
    a->get_SectionList().Add(s1);
    autos.Add(a);
  }  // the auto-select section goes; s1 stays owned by `sections`
  EXPECT_EQ(sections.GetCount(), 1);
  EXPECT_EQ(s1->name(), CString("S1"));
}

TEST(WallSlabDeckSection, DefaultsThicknessAndMaterial) {
  CBMWallSlabDeckSectionList list;
  CBMWallSlabDeckSection* s = list.AddSection();
  ASSERT_EQ(list.GetCount(), 1);
  EXPECT_EQ(s->get_Id(), 1);
  EXPECT_TRUE(s->name().IsEmpty());
  EXPECT_EQ(s->get_pMaterial(), nullptr);
  for (const CString* w :
       std::initializer_list<const CString*>{&s->get_MaterialName(), &s->get_PropType(), &s->get_ShellType(),
                                             &s->get_PlateType(), &s->get_DeckType()}) {
    EXPECT_TRUE(w->IsEmpty());
  }
  for (double v :
       {s->get_TM(), s->get_TB(), s->get_SlabDepth(), s->get_RibWidth(), s->get_RibDepth(),
        s->get_RibSpacing(), s->get_Weight(), s->get_StuDia(), s->get_StudHeight(), s->get_StudStrength()}) {
    EXPECT_EQ(v, 0.0);
  }
  s->set_TM(0.2);
  s->set_TB(0.3);
  EXPECT_EQ(s->GetThickness(), 0.2);

  CBMMaterial m(CString("C30"), 0, 0, CString(""), 0, 0, 0);
  s->set_pMaterial(&m);
  s->set_pMaterial(nullptr);
  EXPECT_EQ(s->get_pMaterial(), nullptr);
  EXPECT_EQ(s->get_MaterialName(), CString("C30"));
  s->set_Name("SLAB1");
  EXPECT_EQ(list.GetItem(CString("SLAB1")), s);
}

TEST(LinkList, AddLinkAppendsEvenForTheSameName) {
  CBMLinkList list;
  CString name("gap1");
  CBMLink* a = list.AddLink(name);
  CBMLink* b = list.AddLink(name);
  EXPECT_NE(a, b);
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(a->name(), CString("GAP1"));
  EXPECT_TRUE(a->LinkType.IsEmpty());
}

TEST(LinkList, ListBlockRoundTripRestoresLinksWithTheirSlots) {
  CBMLinkList list;
  CString n1("L1"), n2("L2");
  CBMLink* a = list.AddLink(n1);
  CBMLink* b = list.AddLink(n2);
  a->LinkType = "DAMPER";
  a->DofU1 = a->DofR2 = 1;
  b->ParamA[7] = 8.5;
  b->ParamB[12] = -13.25;
  b->ParamB[4] = 5.5;
  const auto bytes = StoreBytes([&](CArchive& ar) { list.Serialize(ar); });
  // Count, then one class record for the whole list.
  const auto head = ByteBuilder().I32(2).Class("CBMLink").bytes();
  ASSERT_GE(bytes.size(), head.size());
  EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes.begin()));

  CBMLinkList back;
  EXPECT_EQ(LoadBytes(bytes, [&](CArchive& ar) { back.Serialize(ar); }), 0u);
  ASSERT_EQ(back.GetCount(), 2);
  auto* la = dynamic_cast<CBMLink*>(back.GetItem(1));
  auto* lb = dynamic_cast<CBMLink*>(back.GetItem(2));
  ASSERT_NE(la, nullptr);
  ASSERT_NE(lb, nullptr);
  EXPECT_EQ(la->name(), CString("L1"));
  EXPECT_EQ(la->LinkType, CString("DAMPER"));
  EXPECT_EQ(la->DofU1, 1);
  EXPECT_EQ(la->DofR2, 1);
  EXPECT_EQ(la->DofU2 + la->DofU3 + la->DofR1 + la->DofR3, 0);
  EXPECT_EQ(lb->get_Id(), 2);
  EXPECT_EQ(lb->ParamA[7], 8.5);
  EXPECT_EQ(lb->ParamB[12], -13.25);
  EXPECT_EQ(lb->ParamB[4], 5.5);
  EXPECT_EQ(lb->ParamA[0], 0.0);
}

TEST(PierSpandrelList, AddPierSpandrelReusesAnExistingLabelUnchanged) {
  CBMPierSpandrelList list;
  CString p1("P1");
  CBMPierSpandrel* pier = list.AddPierSpandrel(false, p1);
  EXPECT_EQ(pier->IsSpandrel(), 0);
  CBMPierSpandrel* again = list.AddPierSpandrel(true, p1);
  EXPECT_EQ(again, pier);
  EXPECT_EQ(pier->IsSpandrel(), 0);  // stays a pier
  EXPECT_EQ(list.GetCount(), 1);

  CString s1("s1");
  CBMPierSpandrel* spandrel = list.AddPierSpandrel(true, s1);
  EXPECT_EQ(s1, CString("S1"));
  EXPECT_EQ(spandrel->IsSpandrel(), 1);
  EXPECT_EQ(spandrel->get_Id(), 2);
  // The look-up is exact: a lower-case name is a different label.
  CString lower("p1");
  EXPECT_NE(list.AddPierSpandrel(false, lower), pier);
  EXPECT_EQ(list.GetCount(), 3);
}

TEST(PierSpandrel, SetIsSpanStoresZeroOrOne) {
  CBMPierSpandrel p;
  EXPECT_EQ(p.IsSpandrel(), 0);
  p.set_IsSpan(true);
  EXPECT_EQ(p.IsSpandrel(), 1);
  p.set_IsSpan(false);
  EXPECT_EQ(p.IsSpandrel(), 0);
}

TEST(UnitSystem, WordsAreStoredUnchanged) {
  CBMUnitSystem u;
  EXPECT_TRUE(u.get_csForceUnit().IsEmpty());
  EXPECT_TRUE(u.get_csLengthUnit().IsEmpty());
  u.set_csForceUnit("Kip");
  u.set_csLengthUnit("in");
  EXPECT_EQ(u.get_csForceUnit(), CString("Kip"));
  EXPECT_EQ(u.get_csLengthUnit(), CString("in"));
}

}  // namespace
