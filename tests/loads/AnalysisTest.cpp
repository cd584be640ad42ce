// Analysis options, dynamic cases, result records and the force manager.
#include <gtest/gtest.h>

#include "LoadTestSupport.h"

namespace bm::test::loads {
namespace {

TEST(AnalysisOption, DefaultsAndComponentOnlyRecord) {
  CBMAnalysisOption opt;
  EXPECT_EQ(opt.get_pDelta(), 0.0);
  EXPECT_EQ(opt.get_dJointStiffnessReduction(), 0.0);
  EXPECT_EQ(opt.get_iStationNumber(), 5);
  EXPECT_TRUE(opt.get_bUx() && opt.get_bUy() && opt.get_bUz());
  EXPECT_TRUE(opt.get_bRx() && opt.get_bRy() && opt.get_bRz());
  EXPECT_EQ(opt.get_iDMode(), 10);
  EXPECT_EQ(opt.get_sDAnaType(), CString("RITZ"));
  EXPECT_EQ(opt.get_dEigenFS(), 0.0);
  EXPECT_EQ(opt.get_dEigenCF(), 0.01);
  EXPECT_EQ(opt.get_dEigenTOL(), 0.0001);

  // No run-time class of its own: it reports the component's and is not
  // registered under its own name.
  EXPECT_EQ(opt.GetRuntimeClass(), RUNTIME_CLASS(CBMComponent));
  EXPECT_EQ(CRuntimeClass::FromName("CBMAnalysisOption"), nullptr);

  // Only the component part is archived; option values are not restored.
  opt.set_Id(1);
  opt.set_Name("opt");
  opt.set_iStationNumber(8);
  opt.set_bUz(false);
  const auto bytes = Store(opt);
  EXPECT_EQ(bytes, Bytes().component(1, "OPT").get());
  CBMAnalysisOption back;
  ASSERT_TRUE(Load(back, bytes));
  EXPECT_EQ(back.get_Name(), CString("OPT"));
  EXPECT_EQ(back.get_iStationNumber(), 5);
  EXPECT_TRUE(back.get_bUz());
}

TEST(DynamicCases, FunctionsAndPairs) {
  CBMDynFunction f;
  EXPECT_EQ(f.GetSourceType(), 0);
  EXPECT_EQ(f.GetPairItemAccount(), 0);
  EXPECT_EQ(f.GetPairItem(1), nullptr);
  f.SetDynFunctionName("func1");
  EXPECT_EQ(f.GetDynFunctionName(), CString("FUNC1"));
  f.AddFunCoordinates(0.0, 0.1);
  f.AddFunCoordinates(1.0, 0.3);
  EXPECT_EQ(f.GetPairItemAccount(), 2);
  ASSERT_NE(f.GetPairItem(1), nullptr);
  EXPECT_EQ(f.GetPairItem(1)->x(), 0.0);
  EXPECT_EQ(f.GetPairItem(1)->y(), 0.1);
  EXPECT_EQ(f.GetPairItem(2)->get_Id(), 2);
  EXPECT_EQ(f.GetPairItem(3), nullptr);

  CBMDynFunChina china;
  EXPECT_EQ(china.GetSourceType(), 2);
  EXPECT_EQ(china.Get_mFunctionType(), 0);

  for (const CBMComponent* c : std::initializer_list<const CBMComponent*>{&f, &china}) {
    EXPECT_EQ(c->GetRuntimeClass(), RUNTIME_CLASS(CBMComponent));
  }
}

// The slots own their functions: replacing one deletes the old function
// (LeakSanitizer reports a leak otherwise), setting the same one twice keeps
// it, and destroying the owner deletes what it holds.
TEST(DynamicCases, SlotsOwnTheirFunctions) {
  auto* spectrum = new CBMDynSpentrumCase;
  spectrum->SetSpectrumName("resp");
  EXPECT_EQ(spectrum->GetSpectrumName(), CString("RESP"));
  EXPECT_EQ(spectrum->GetDynFunction1(), nullptr);
  auto* f1 = new CBMDynFunChina;
  spectrum->SetDynFunction1(f1);
  spectrum->SetDynFunction1(f1);  // same object: kept
  EXPECT_EQ(spectrum->GetDynFunction1(), f1);
  f1->AddFunCoordinates(1.0, 2.0);
  auto* f1b = new CBMDynFunction;
  spectrum->SetDynFunction1(f1b);  // the previous one is deleted
  EXPECT_EQ(spectrum->GetDynFunction1(), f1b);
  spectrum->SetDynFunction2(new CBMDynFunction);
  spectrum->SetDynFunctionZ(new CBMDynFunction);
  spectrum->SetDynFunctionZ(nullptr);
  EXPECT_EQ(spectrum->GetDynFunctionZ(), nullptr);
  delete spectrum;

  CBMDynTHistCase history;
  EXPECT_EQ(history.GetLoadAssignmentNum(), 0);
  auto* item = new CBMDynTHLoadItem;
  item->SetLoadItemName("acc");
  EXPECT_EQ(item->GetLoadItemName(), CString("ACC"));
  item->SetDynFunction(new CBMDynFunction);
  item->SetDynFunction(new CBMDynFunction);
  history.AddLoadAssignmentItem(item);
  history.AddLoadAssignmentItem(nullptr);
  EXPECT_EQ(history.GetLoadAssignmentNum(), 1);
  EXPECT_EQ(history.GetLoadAssignmentItem(1), item);
  EXPECT_EQ(history.GetLoadAssignmentItem(2), nullptr);
}

TEST(JointDisplacement, ValuesAndComponentOnlyRecord) {
  CBMJointDisplacement d;
  double* values = d.ReturnDisplacement();
  for (int i = 0; i < 6; ++i) EXPECT_EQ(values[i], 0.0);
  values[4] = 7.5;
  EXPECT_EQ(d.ReturnDisplacement()[4], 7.5);

  const double six[6] = {1, 2, 3, 4, 5, 6};
  d.SetDisplacement("DEAD", six);
  EXPECT_EQ(d.ReturnLoadCase(), CString("DEAD"));
  EXPECT_EQ(d.ReturnDisplacement()[5], 6.0);
  double a = 0.5, b = 1, c = 2, e = 3, g = 4, h = -5;
  d.SetDisplacement("LIVE", a, b, c, e, g, h);
  EXPECT_EQ(d.ReturnDisplacement()[0], 0.5);
  EXPECT_EQ(d.ReturnDisplacement()[5], -5.0);
  d.SetDisplacement("X", nullptr);  // a null array keeps the values
  EXPECT_EQ(d.ReturnDisplacement()[0], 0.5);

  EXPECT_EQ(d.GetRuntimeClass(), RUNTIME_CLASS(CBMComponent));
  Decorate(d, 2, "j1");
  const auto bytes = Store(d);
  EXPECT_EQ(bytes, Bytes().component(2, "J1").get());
  CBMJointDisplacement back;
  ASSERT_TRUE(Load(back, bytes));
  EXPECT_EQ(back.get_Id(), 2);
  EXPECT_EQ(back.get_Name(), CString("J1"));
  EXPECT_EQ(back.ReturnLoadCase(), CString());
  EXPECT_EQ(back.ReturnDisplacement()[0], 0.0);
  ExpectUnarchivedDefaults(back);
}

TEST(LineEleIntForces, RecordLayoutAndRoundTrip) {
  CBMLineEleIntForces f;
  Decorate(f, 4, "b1");
  f.SetForces("DEAD", 2.5, 1, -2, 3.25, 0.1, 5, -6);
  EXPECT_EQ(f.ReturnLocation(), 2.5);
  EXPECT_EQ(f.ReturnForce()[2], 3.25);
  const auto expected =
      Bytes().component(4, "B1").f64(2.5).str("DEAD").f64(1).f64(-2).f64(3.25).f64(0.1).f64(5).f64(-6).get();
  const auto bytes = Store(f);
  EXPECT_EQ(bytes, expected);

  CBMLineEleIntForces back;
  ASSERT_TRUE(Load(back, bytes));
  EXPECT_EQ(back.get_Id(), 4);
  EXPECT_EQ(back.get_Name(), CString("B1"));
  EXPECT_EQ(back.ReturnLoadCase(), CString("DEAD"));
  EXPECT_TRUE(SameBits(back.ReturnLocation(), 2.5));
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(SameBits(back.ReturnForce()[i], f.ReturnForce()[i])) << i;
  ExpectUnarchivedDefaults(back);
  EXPECT_EQ(Store(back), bytes);
}

// Records that report CBMComponent are written under its class record and
// load back as their own class through the list's element factory.
TEST(ResultLists, FactoryRecreatesComponentReportingRecords) {
  CBMComponentList walls;
  walls.SetElementFactory(&CBMShellEleIntForces::CreateInstance);
  auto* w = new CBMShellEleIntForces;
  w->SetForces("W", 1.0, 1, 2, 3, 4, 5, 6);
  walls.Add(w);
  const auto bytes = Store(walls);
  EXPECT_EQ(bytes, Bytes()
                       .i32(1)
                       .cls("CBMComponent")
                       .component(1, "")
                       .f64(1.0)
                       .str("W")
                       .f64(1)
                       .f64(2)
                       .f64(3)
                       .f64(4)
                       .f64(5)
                       .f64(6)
                       .get());

  CBMComponentList back;
  back.SetElementFactory(&CBMShellEleIntForces::CreateInstance);
  ASSERT_TRUE(Load(back, bytes));
  auto* loaded = dynamic_cast<CBMShellEleIntForces*>(back.GetItem(1));
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->ReturnLoadCase(), CString("W"));
  EXPECT_EQ(loaded->ReturnForce()[5], 6.0);

  CBMComponentList joints;
  joints.SetElementFactory(&CBMJointDisplacement::CreateInstance);
  joints.Add(new CBMJointDisplacement);
  CBMComponentList jointsBack;
  jointsBack.SetElementFactory(&CBMJointDisplacement::CreateInstance);
  ASSERT_TRUE(Load(jointsBack, Store(joints)));
  EXPECT_NE(dynamic_cast<CBMJointDisplacement*>(jointsBack.GetItem(1)), nullptr);

  CBMComponentList lines;
  lines.Add(new CBMLineEleIntForces);
  CBMComponentList linesBack;
  linesBack.SetElementFactory(&CBMLineEleIntForces::CreateInstance);
  ASSERT_TRUE(Load(linesBack, Store(lines)));
  EXPECT_NE(dynamic_cast<CBMLineEleIntForces*>(linesBack.GetItem(1)), nullptr);

  for (CBMComponentList* list : {&walls, &back, &joints, &jointsBack, &lines, &linesBack}) list->DeleteAll();
}

TEST(LevelDrift, OperationsAndComponentOnlyRecord) {
  CBMLevelDrift d;
  const double coord[3] = {1, 2, 3}, disp[3] = {0.1, 0.2, 0.3}, rot[3] = {7, 8, 9};
  d.set_sDir("X");
  d.SetDriftValue(0.004);
  d.Build("EQX", "D1", "P5", coord, disp, rot);
  EXPECT_EQ(d.get_sLoadCase(), CString("EQX"));
  EXPECT_EQ(d.ReturnLoadCase(), CString("EQX"));
  EXPECT_EQ(d.ReturnDiaphragm(), CString("D1"));
  EXPECT_EQ(d.get_sPoint(), CString("P5"));
  EXPECT_EQ(d.get_sDir(), CString("X")) << "Build leaves the direction";
  EXPECT_EQ(d.GetDriftValue(), 0.004) << "Build leaves the drift value";
  EXPECT_EQ(d.ReturnDisp()[2], 0.3);
  EXPECT_EQ(d.ReturnRotation()[0], 7.0);
  d.set_dCor(2.5, 1);
  EXPECT_EQ(d.ReturnCoord()[1], 2.5);
  EXPECT_EQ(d.get_dCor(1), 2.5);
  EXPECT_EQ(d.ReturnCoord()[0], 1.0);

  Decorate(d, 3, "drift");
  const auto bytes = Store(d);
  EXPECT_EQ(bytes, Bytes().component(3, "DRIFT").get());
  CBMLevelDrift back;
  ASSERT_TRUE(Load(back, bytes));
  EXPECT_EQ(back.get_Id(), 3);
  EXPECT_EQ(back.get_Name(), CString("DRIFT"));
  EXPECT_EQ(back.get_sLoadCase(), CString());
  EXPECT_EQ(back.get_sPoint(), CString());
  EXPECT_EQ(back.ReturnDiaphragm(), CString());
  EXPECT_EQ(back.GetDriftValue(), 0.0);
  EXPECT_EQ(back.get_dCor(1), 0.0);
  ExpectUnarchivedDefaults(back);
}

TEST(OtherResults, ComponentOnlyOrEmptyRecords) {
  CBMLevelShear shear;
  shear.set_F(2, 5.0);
  shear.set_M(0, -1.0);
  shear.set_sLoadCase("EQ");
  shear.set_sLoc("Top");
  EXPECT_EQ(shear.get_F(2), 5.0);
  EXPECT_EQ(shear.get_M(0), -1.0);
  EXPECT_EQ(shear.get_sLoc(), CString("Top"));
  Decorate(shear, 1, "s");
  EXPECT_EQ(Store(shear), Bytes().component(1, "S").get());
  CBMLevelShear shearBack;
  ASSERT_TRUE(Load(shearBack, Store(shear)));
  EXPECT_EQ(shearBack.get_Name(), CString("S"));
  EXPECT_EQ(shearBack.get_F(2), 0.0);
  EXPECT_EQ(shearBack.get_sLoadCase(), CString());

  CBMDisplacement disp;
  disp.set_U(1, 3.0);
  disp.set_R(2, 4.0);
  disp.set_sLoadCase(CString("L"));
  EXPECT_EQ(disp.get_U(1), 3.0);
  EXPECT_EQ(disp.get_R(2), 4.0);
  Decorate(disp, 6, "d");
  EXPECT_EQ(Store(disp), Bytes().component(6, "D").get());
  CBMDisplacement dispBack;
  ASSERT_TRUE(Load(dispBack, Store(disp)));
  EXPECT_EQ(dispBack.get_Id(), 6);
  EXPECT_EQ(dispBack.get_U(1), 0.0);
  EXPECT_EQ(dispBack.get_sLoadCase(), CString());

  CBMForce force;
  EXPECT_EQ(force.get_dLoc(), 0.0);
  force.set_dLoc(1.5);
  force.set_F(0, 2.0);
  force.set_M(1, 3.0);
  force.set_sLoadCase("F");
  EXPECT_EQ(force.get_M(1), 3.0);
  Decorate(force, 9, "f");
  EXPECT_TRUE(Store(force).empty()) << "a force record is empty";
  CBMForce forceBack;
  ASSERT_TRUE(Load(forceBack, {}));
  EXPECT_EQ(forceBack.get_Id(), 0);
  EXPECT_EQ(forceBack.get_Name(), CString());
  EXPECT_EQ(forceBack.get_dLoc(), 0.0);
  ExpectUnarchivedDefaults(forceBack);
}

TEST(MgrForce, ReachesTheModuleLists) {
  CBMMgrForce fresh;
  EXPECT_EQ(fresh.GetLoadCaseList(), nullptr);
  EXPECT_EQ(fresh.GetRuntimeClass(), RUNTIME_CLASS(CBMMgrSys));

  CBuildingModule module;
  CBMMgrForce* mgr = module.get_pMgrForce();
  ASSERT_NE(mgr, nullptr);
  ASSERT_NE(mgr->GetLoadCaseList(), nullptr);
  ASSERT_NE(mgr->get_pCBMAnalysisOption(), nullptr);
  EXPECT_EQ(mgr->get_pCBMAnalysisOption()->get_iStationNumber(), 5);
  ASSERT_NE(mgr->Get_pLoadCombination(), nullptr);
  CString name("dead");
  CBMLoadCase* lc = mgr->GetLoadCaseList()->AddLoadCase(name, "DEAD", 1.0);
  EXPECT_EQ(module.get_pMgrLoad()->GetLoadCaseList()->GetLoadCase("DEAD"), lc)
      << "every manager sees the same container";
}

}  // namespace
}  // namespace bm::test::loads
