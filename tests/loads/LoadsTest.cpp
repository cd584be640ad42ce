// Loads and results: archive records (exact bytes, and a load of those bytes
// that stores them again unchanged), look-ups, ownership and defaults.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <tuple>

#include "support/ArchiveHelpers.h"
#include "support/ByteBuilder.h"

namespace bm::test {
namespace {

using Bytes = std::vector<uint8_t>;

// The record of a default-made T built over junk memory, so that unset fields show.
template <typename T>
Bytes FreshRecord() {
  alignas(T) unsigned char raw[sizeof(T)];
  std::memset(raw, 0xAB, sizeof raw);
  T* object = new (raw) T;
  Bytes bytes = StoreObject(*object);
  object->~T();
  return bytes;
}

TEST(LoadDefaults, FieldsTheLegacyLeftUnsetStartAtZero) {
  ByteBuilder vector;
  vector.F64(0).F64(0).F64(0).F64(0).F64(0).F64(0).Str("").Str("");
  EXPECT_EQ(FreshRecord<CBMPointLoad>(), vector.bytes());
  EXPECT_EQ(FreshRecord<CBMJointLoad>(), vector.bytes());
  EXPECT_EQ(FreshRecord<CBMAreaLoad>(), ByteBuilder().I32(0).Str("").Str("").Str("").Str("").F64(0).bytes());
  EXPECT_EQ(FreshRecord<CBMLoadComItem>(), ByteBuilder().Str("").F64(0).bytes());
  ByteBuilder loadCase;
  loadCase.I32(0).Str("").F64(0).Str("").I32(0).Str("").I32(0);
  EXPECT_EQ(FreshRecord<CBMLoadCase>(), loadCase.bytes());
}

TEST(LoadCaseRecord, CaseThenWindItemsWithDiaphragmBeforeLevel) {
  CBMLoadCase plain("dead", "Dead", 1.5);
  plain.set_Id(2);
  ExpectRecord(plain, ByteBuilder().I32(2).Str("DEAD").F64(1.5).Str("Dead").I32(0).Str("").I32(0));
  EXPECT_EQ(plain.IsVirtualLoad(), 0);

  CBMLoadCase wind("W1", "WIND", -0.0);
  wind.set_Id(1);
  wind.SetVirtualLoadCaseName("host v");  // kept as given
  EXPECT_NE(wind.IsVirtualLoad(), 0);
  wind.AddWindItem("Story1", "D1", 10.0, 20.0, 5.0, 2.0);
  wind.AddWindItem("S2", "D2", 1.0, 2.0, 3.0, 4.0, 6.0);
  ByteBuilder b;
  b.I32(1).Str("W1").F64(-0.0).Str("WIND").I32(1).Str("host v").I32(2).Class("CBMLoadWind");
  b.I32(1).Str("").F64(10).F64(20).F64(0).Str("D1").Str("Story1").F64(5).F64(2);
  b.I32(2).Str("").F64(1).F64(2).F64(3).Str("D2").Str("S2").F64(4).F64(6);
  ExpectRecord(wind, b);
}

TEST(LoadComRecord, TermsHaveNoComponentPartAndNullTermsAreIgnored) {
  CBMLoadComItem item("DEAD", 1.2);
  item.set_Id(9);
  ExpectRecord(item, ByteBuilder().Str("DEAD").F64(1.2));

  CBMLoadCom com;
  com.set_Id(2);
  com.set_Name("combo1");
  com.set_sType("Add");
  ExpectRecord(com, ByteBuilder().I32(2).Str("COMBO1").Str("Add").I32(0));
  com.AddLoadCaseItem("DEAD", 1.2);
  com.AddLoadCaseItem(new CBMLoadComItem("LIVE", 1.4));
  com.AddLoadCaseItem(nullptr);
  ByteBuilder b;
  b.I32(2).Str("COMBO1").Str("Add").I32(2).Class("CBMLoadComItem").Str("DEAD").F64(1.2).Str("LIVE").F64(1.4);
  ExpectRecord(com, b);
  CBMLoadCom back;
  ASSERT_TRUE(LoadObject(back, b.bytes()));
  EXPECT_EQ(back.get_CombineList()->GetItem(2)->get_Id(), 2);  // ids after loading are positions
}

TEST(LoadComRecord, EveryTruncationThrows) {
  CBMLoadCom com;
  com.set_sType("ADD");
  com.AddLoadCaseItem("DEAD", 1.0);
  com.AddLoadCaseItem("LIVE", 1.0);
  const Bytes bytes = StoreObject(com);
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    CBMLoadCom back;
    const Bytes prefix(bytes.begin(), bytes.begin() + static_cast<long>(cut));
    EXPECT_THROW(LoadObject(back, prefix), CArchiveException) << "cut at " << cut;
  }
}

TEST(MemberLoadRecords, FieldOrderOfEachKind) {
  CBMJoint joint;
  joint.AddJointLoad("DEAD", "FORCE", 1.5, -2.0, 0.1, 3.0, -0.0, 1e10);
  ByteBuilder vector;
  vector.F64(1.5).F64(-2).F64(0.1).F64(3).F64(-0.0).F64(1e10).Str("DEAD").Str("FORCE");
  ExpectRecord(*static_cast<CBMJointLoad*>(joint.get_JointLoadList()->GetItem(1)), vector);
  // Point and joint loads share their parts but neither is a kind of the other.
  EXPECT_EQ(RUNTIME_CLASS(CBMPointLoad)->m_pBaseClass, RUNTIME_CLASS(CBMComponent));
  EXPECT_FALSE(CBMPointLoad().IsKindOf(RUNTIME_CLASS(CBMJointLoad)));
  EXPECT_FALSE(CBMJointLoad().IsKindOf(RUNTIME_CLASS(CBMPointLoad)));

  CBMBeam beam;
  CBMLineLoad* line = beam.AddLineLoad("LIVE", "TRAPF", "GRAV", 0.25, 2.0, 0.75, 4.5);
  line->set_UniformV(-1.0);
  ByteBuilder lineBytes;
  lineBytes.Str("LIVE").F64(0.75).F64(0.25).Str("GRAV").Str("TRAPF").F64(-1).F64(4.5).F64(2);
  ExpectRecord(*line, lineBytes);

  CBMSlab slab;
  CBMAreaLoad* area = slab.AddAreaLoad("DEAD", "UNIFF", "GRAV", 3.25);
  area->set_Id(2);
  area->set_Name("a1");
  ExpectRecord(*area, ByteBuilder().I32(2).Str("A1").Str("DEAD").Str("GRAV").Str("UNIFF").F64(3.25));
}

template <typename T>
void ExpectComponentOnlyRecord() {
  T object;
  object.set_Id(7);
  object.set_Name("r");
  ExpectRecord(object, ByteBuilder().I32(7).Str("R"));
}

TEST(ResultRecords, ComponentOnlyAndEmptyRecords) {
  ExpectComponentOnlyRecord<CBMAnalysisOption>();
  ExpectComponentOnlyRecord<CBMJointDisplacement>();
  ExpectComponentOnlyRecord<CBMLevelDrift>();
  ExpectComponentOnlyRecord<CBMLevelShear>();
  ExpectComponentOnlyRecord<CBMDisplacement>();
  CBMForce force;
  force.set_Id(9);
  ExpectRecord(force, ByteBuilder());

  CBMLineEleIntForces f;
  f.set_Id(4);
  f.set_Name("b1");
  f.SetForces("DEAD", 2.5, 1, -2, 3.25, 0.1, 5, -6);
  ByteBuilder b;
  b.I32(4).Str("B1").F64(2.5).Str("DEAD").F64(1).F64(-2).F64(3.25).F64(0.1).F64(5).F64(-6);
  ExpectRecord(f, b);
}

// Records reporting CBMComponent load back as their own class through the list's factory.
TEST(ResultRecords, ListFactoryRecreatesComponentReportingRecords) {
  CBMComponentList walls, back;
  back.SetElementFactory(&CBMShellEleIntForces::CreateInstance);
  auto* w = new CBMShellEleIntForces;
  w->SetForces("W", 1.0, 1, 2, 3, 4, 5, 6);
  walls.Add(w);
  ByteBuilder b;
  b.I32(1).Class("CBMComponent").I32(1).Str("").F64(1).Str("W").F64(1).F64(2).F64(3).F64(4).F64(5).F64(6);
  EXPECT_EQ(StoreObject(walls), b.bytes());
  ASSERT_TRUE(LoadObject(back, b.bytes()));
  auto* loaded = dynamic_cast<CBMShellEleIntForces*>(back.GetItem(1));
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->ReturnForce()[5], 6.0);
  walls.DeleteAll();
  back.DeleteAll();
}

TEST(LoadCaseList, AddAppendsEvenForAnExistingNameAndGetLoadCaseFindsByExactName) {
  CBMLoadCaseList list;
  CString name("live");
  CBMLoadCase* first = list.AddLoadCase(name, "LIVE", 0.0);
  CBMLoadCase* second = list.AddLoadCase(name, "LIVE", 0.0);
  EXPECT_EQ(second->get_Id(), 2);
  EXPECT_EQ(name, CString("live"));  // the caller's string is not changed
  EXPECT_EQ(list.GetLoadCase("LIVE"), first);
  for (const char* absent : {"live", "DEAD"}) EXPECT_EQ(list.GetLoadCase(absent), nullptr) << absent;
  EXPECT_EQ(CBMLoadCaseList().GetLoadCase("LIVE"), nullptr);
}

// UniformV (which the writer reads) is filled from the start force for "UNIFF" only.
TEST(MemberLoads, UniformLoadFillsUniformVOnBeamsAndWalls) {
  CBMBeam beam;
  CBMWall wall;
  auto check = [](auto& owner) {
    CBMLineLoad* uniform = owner.AddLineLoad("DEAD", "UNIFF", "GRAV", 0.0, 5.0, 1.0, 5.0);
    ASSERT_NE(uniform, nullptr);
    EXPECT_EQ(uniform->get_UniformV(), 5.0);
    EXPECT_EQ(uniform->get_VStart(), 5.0);
    EXPECT_EQ(owner.AddLineLoad("DEAD", "TRAPF", "GRAV", 0.0, 5.0, 1.0, 5.0)->get_UniformV(), 0.0);
    EXPECT_EQ(owner.AddLineLoad("DEAD", "uniff", "GRAV", 0.0, 5.0, 1.0, 5.0)->get_UniformV(), 0.0);
  };
  check(beam);
  check(wall);
}

TEST(AnalysisOption, Defaults) {
  CBMAnalysisOption o;
  EXPECT_EQ(std::make_tuple(o.get_pDelta(), o.get_dJointStiffnessReduction(), o.get_iStationNumber()),
            std::make_tuple(0.0, 0.0, 5));
  EXPECT_EQ(o.get_iDMode(), 10);
  EXPECT_TRUE(o.get_bUx() && o.get_bUy() && o.get_bUz() && o.get_bRx() && o.get_bRy() && o.get_bRz());
  EXPECT_EQ(o.get_sDAnaType(), CString("RITZ"));
  const auto eigen = std::make_tuple(o.get_dEigenFS(), o.get_dEigenCF(), o.get_dEigenTOL());
  EXPECT_EQ(eigen, std::make_tuple(0.0, 0.01, 0.0001));
}

TEST(DynamicCases, FunctionPairsArePositionedFromOne) {
  CBMDynFunction f;
  f.SetDynFunctionName("func1");
  EXPECT_EQ(f.GetDynFunctionName(), CString("FUNC1"));
  f.AddFunCoordinates(0.0, 0.1);
  f.AddFunCoordinates(1.0, 0.3);
  EXPECT_EQ(f.GetPairItemAccount(), 2);
  ASSERT_NE(f.GetPairItem(1), nullptr);
  EXPECT_EQ(f.GetPairItem(1)->y(), 0.1);
  EXPECT_EQ(f.GetPairItem(2)->get_Id(), 2);
  EXPECT_EQ(f.GetPairItem(3), nullptr);
  EXPECT_EQ(f.GetSourceType(), 0);
  EXPECT_EQ(CBMDynFunChina().GetSourceType(), 2);
}

struct CountedFunction : CBMDynFunction {
  explicit CountedFunction(int& deleted) : deleted_(deleted) {}
  ~CountedFunction() override { ++deleted_; }
  int& deleted_;
};

// The slots own their functions: a replaced one is deleted, the same one set
// twice is kept, and the owner deletes what it holds.
TEST(DynamicCases, ReplacedFunctionsAreDeleted) {
  int deleted = 0;
  auto* spectrum = new CBMDynSpentrumCase;
  spectrum->SetSpectrumName("resp");
  EXPECT_EQ(spectrum->GetSpectrumName(), CString("RESP"));
  auto* f1 = new CountedFunction(deleted);
  spectrum->SetDynFunction1(f1);
  spectrum->SetDynFunction1(f1);
  EXPECT_EQ(deleted, 0);
  spectrum->SetDynFunction1(new CountedFunction(deleted));
  spectrum->SetDynFunction2(new CountedFunction(deleted));
  spectrum->SetDynFunctionZ(new CountedFunction(deleted));
  spectrum->SetDynFunctionZ(nullptr);
  EXPECT_EQ(spectrum->GetDynFunctionZ(), nullptr);
  EXPECT_EQ(deleted, 2);
  delete spectrum;
  EXPECT_EQ(deleted, 4);
  {
    CBMDynTHistCase history;
    auto* item = new CBMDynTHLoadItem;
    item->SetLoadItemName("acc");
    EXPECT_EQ(item->GetLoadItemName(), CString("ACC"));
    item->SetDynFunction(new CountedFunction(deleted));
    item->SetDynFunction(new CountedFunction(deleted));
    EXPECT_EQ(deleted, 5);
    history.AddLoadAssignmentItem(item);
    history.AddLoadAssignmentItem(nullptr);
    EXPECT_EQ(history.GetLoadAssignmentNum(), 1);
    EXPECT_EQ(history.GetLoadAssignmentItem(1), item);
    EXPECT_EQ(history.GetLoadAssignmentItem(2), nullptr);
  }
  EXPECT_EQ(deleted, 6);
}

TEST(Results, DisplacementSettersAndDriftBuild) {
  CBMJointDisplacement d;
  const double six[6] = {1, 2, 3, 4, 5, 6};
  d.SetDisplacement("DEAD", six);
  EXPECT_EQ(d.ReturnLoadCase(), CString("DEAD"));
  double a = 0.5, b = 1, c = 2, e = 3, g = 4, h = -5;
  d.SetDisplacement("LIVE", a, b, c, e, g, h);
  d.SetDisplacement("X", nullptr);  // a null array keeps the values
  EXPECT_EQ(d.ReturnDisplacement()[0], 0.5);
  EXPECT_EQ(d.ReturnDisplacement()[5], -5.0);
  CBMJoint joint;
  joint.AddDisplacement("DEAD", 1, 2, 3, 4, 5, 6);
  EXPECT_EQ(joint.get_pJointDisplacementList()->ItemAs<CBMJointDisplacement>(1)->ReturnDisplacement()[5],
            6.0);

  CBMLevelDrift drift;
  const double coord[3] = {1, 2, 3}, disp[3] = {0.1, 0.2, 0.3}, rot[3] = {7, 8, 9};
  drift.set_sDir("X");
  drift.SetDriftValue(0.004);
  drift.Build("EQX", "D1", "P5", coord, disp, rot);
  const auto names =
      std::make_tuple(drift.get_sLoadCase().str(), drift.ReturnDiaphragm().str(), drift.get_sPoint().str());
  EXPECT_EQ(names, std::make_tuple("EQX", "D1", "P5"));
  EXPECT_EQ(drift.get_sDir(), CString("X"));  // Build leaves the direction
  EXPECT_EQ(drift.GetDriftValue(), 0.004);    // and the drift value
  EXPECT_EQ(std::make_tuple(drift.ReturnCoord()[1], drift.ReturnDisp()[2], drift.ReturnRotation()[0]),
            std::make_tuple(2.0, 0.3, 7.0));
}

TEST(MgrForce, ReachesTheModuleLists) {
  CBMMgrForce fresh;
  EXPECT_EQ(fresh.GetLoadCaseList(), nullptr);
  EXPECT_EQ(fresh.GetRuntimeClass(), RUNTIME_CLASS(CBMMgrSys));
  CBuildingModule module;
  CBMMgrForce* mgr = module.get_pMgrForce();
  ASSERT_NE(mgr->GetLoadCaseList(), nullptr);
  ASSERT_NE(mgr->get_pCBMAnalysisOption(), nullptr);
  ASSERT_NE(mgr->Get_pLoadCombination(), nullptr);
  CString name("dead");
  CBMLoadCase* lc = mgr->GetLoadCaseList()->AddLoadCase(name, "DEAD", 1.0);
  EXPECT_EQ(module.get_pMgrLoad()->GetLoadCaseList()->GetLoadCase("DEAD"), lc);
}

}  // namespace
}  // namespace bm::test
