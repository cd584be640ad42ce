// CBMMgrLoad: load cases, member loads, wall-load conversion, virtual loads.
#include "managers/BMMgrLoad.h"

#include <cmath>
#include <utility>

#include "loads/BMLoadCase.h"
#include "loads/BMMemberLoad.h"
#include "model/geometry/BMDiaphragm.h"
#include "model/geometry/BMJoint.h"
#include "model/geometry/BMLevel.h"
#include "model/geometry/BMLineElement.h"
#include "model/geometry/BMPoint.h"
#include "model/geometry/BMShellElement.h"

namespace bm {

EndReactions UniformReactions(double w, double a, double b, double L) {
  EndReactions r;
  if (L == 0.0) return r;  // a span without length carries nothing
  r.f2 = w * (b * b - a * a) / (2.0 * L);
  r.f1 = w * (b - a) - r.f2;
  return r;
}

EndReactions RisingTriangleReactions(double w, double a, double b, double L) {
  EndReactions r;
  const double s = b - a;
  // Decision: a stretch or span without length carries nothing (the
  // formula would divide by zero).
  if (L == 0.0 || s == 0.0) return r;
  r.f2 = w / (L * s) * ((b * b * b - a * a * a) / 3.0 - a * b * b / 2.0 + a * a * a / 2.0);
  r.f1 = s * w / 2.0 - r.f2;
  return r;
}

EndReactions FallingTriangleReactions(double w, double a, double b, double L) {
  const EndReactions uniform = UniformReactions(w, a, b, L);
  const EndReactions rising = RisingTriangleReactions(w, a, b, L);
  EndReactions r;
  if (b - a == 0.0) return r;
  r.f1 = uniform.f1 - rising.f1;
  r.f2 = uniform.f2 - rising.f2;
  return r;
}

EndReactions TrapezoidReactions(double w1, double w2, double a, double b, double L) {
  // Decision: a stretch given end first (a > b) is the same load as the one
  // given start first; the formulas below integrate from a to b and would
  // negate it, so swap the distances together with their intensities.
  if (a > b) {
    std::swap(a, b);
    std::swap(w1, w2);
  }
  EndReactions base;
  EndReactions triangle;
  if (std::fabs(w2) >= std::fabs(w1)) {
    base = UniformReactions(w1, a, b, L);
    triangle = RisingTriangleReactions(w2 - w1, a, b, L);
  } else {
    base = UniformReactions(w2, a, b, L);
    triangle = FallingTriangleReactions(w1 - w2, a, b, L);
  }
  EndReactions r;
  if (b - a == 0.0) return r;
  r.f1 = base.f1 + triangle.f1;
  r.f2 = base.f2 + triangle.f2;
  return r;
}

}  // namespace bm

namespace {

CBMLevel* FindLevel(CBMLevelList* levels, const CString& name) {
  if (!levels) return nullptr;
  return levels->ItemAs<CBMLevel>(name);
}

// Names arrive in any case; the model holds them upper-cased.
template <typename... Names>
void UpperCase(Names&... names) {
  (names.MakeUpper(), ...);
}

}  // namespace

CBMLoadCase* CBMMgrLoad::AddLoadCase(CString name, CString type, double selfWeight) {
  if (!pContainer) return nullptr;  // not attached to a model
  return pLoadCaseList->AddLoadCase(name, type, selfWeight);
}

void CBMMgrLoad::AssignJointLoad(CString level, double x, double y, CString loadCase, double FX, double FY,
                                 double FZ, double MX, double MY, double MZ) {
  if (!pContainer) return;  // not attached to a model
  loadCase.MakeUpper();
  level.MakeUpper();
  CBMPoint* point = pPointList->FindPointByCoors(x, y);
  CBMLevel* pLevel = FindLevel(pLevelList, level);
  // Decision: a missing point, level or joint makes no load.
  if (!point || !pLevel) return;
  CBMJoint* joint = pLevel->get_theCBMJointList()->ItemAs<CBMJoint>(point->name());
  if (!joint) return;
  // Loads of one case are not merged: every call adds one.
  joint->AddJointLoad(loadCase, "FORCE", FX, FY, FZ, MX, MY, MZ);
}

void CBMMgrLoad::AssignLineLoad(bool toWall, CString& level, CString& handle, CString& loadType,
                                CString& direction, CString& loadCase, double startDistance,
                                double startForce, double endDistance, double endForce) {
  if (!pContainer) return;  // not attached to a model
  UpperCase(level, handle, loadType, direction, loadCase);
  CBMLevel* pLevel = FindLevel(pLevelList, level);
  if (!pLevel) return;
  if (toWall) {
    auto* wall = CBMComponentList::As<CBMWall>(pLevel->get_theCBMWallList()->GetItemByMapHandle(handle));
    if (wall)
      wall->AddLineLoad(loadCase, loadType, direction, startDistance, startForce, endDistance, endForce);
  } else {
    auto* beam = CBMComponentList::As<CBMBeam>(pLevel->get_theCBMBeamList()->GetItemByMapHandle(handle));
    if (beam)
      beam->AddLineLoad(loadCase, loadType, direction, startDistance, startForce, endDistance, endForce);
  }
}

void CBMMgrLoad::AssignBeamLoad(CString level, CString handle, CString loadType, CString direction,
                                CString loadCase, double startDistance, double startForce, double endDistance,
                                double endForce) {
  AssignLineLoad(false, level, handle, loadType, direction, loadCase, startDistance, startForce, endDistance,
                 endForce);
}

void CBMMgrLoad::AssignWallLoad(CString level, CString handle, CString loadType, CString direction,
                                CString loadCase, double startDistance, double startForce, double endDistance,
                                double endForce) {
  AssignLineLoad(true, level, handle, loadType, direction, loadCase, startDistance, startForce, endDistance,
                 endForce);
}

void CBMMgrLoad::AssignSlabLoad(CString level, CString handle, CString loadType, CString direction,
                                CString loadCase, double value) {
  if (!pContainer) return;  // not attached to a model
  UpperCase(level, handle, loadType, direction, loadCase);
  CBMLevel* pLevel = FindLevel(pLevelList, level);
  if (!pLevel) return;
  auto* slab = CBMComponentList::As<CBMSlab>(pLevel->get_theCBMSlabList()->GetItemByMapHandle(handle));
  if (slab) slab->AddAreaLoad(loadCase, loadType, direction, value);
}

void CBMMgrLoad::ProcessLoading() {
  loadingReport = bm::LoadingReport();  // each run reports on itself only
  if (!pContainer) return;              // not attached to a model
  if (!pLevelList) return;
  for (CBMLevel& level : pLevelList->Members<CBMLevel>()) {
    CBMJointList* joints = level.get_theCBMJointList();
    for (CBMWall& wall : level.get_theCBMWallList()->Members<CBMWall>()) {
      CBMPoint* p1 = wall.GetP1();
      CBMPoint* p2 = wall.GetP2();
      // Decision: a wall without its area's points has no ends to load; its
      // loads are counted as having no joint at either end.
      const bool hasEnds = p1 && p2;
      CBMJoint* joint1 = hasEnds ? joints->ItemAs<CBMJoint>(p1->name()) : nullptr;
      CBMJoint* joint2 = hasEnds ? joints->ItemAs<CBMJoint>(p2->name()) : nullptr;
      const double L = hasEnds ? wall.get_Distance() : 0.0;

      for (int m = 1; m <= wall.GetLineLoadCount(); ++m) {
        CBMLineLoad* load = wall.GetLineLoadItem(m);
        if (!load) continue;
        const CString& type = load->get_sType();
        bm::EndReactions r;
        if (type == "POINTF") {
          r.f1 = (1.0 - load->get_RStart()) * load->get_VStart();
          r.f2 = load->get_RStart() * load->get_VStart();
        } else if (type == "UNIFF") {
          // Legacy: the load covers the whole span, whatever its distances,
          // and its intensity is VStart (UniformV is not read).
          r = bm::UniformReactions(load->get_VStart(), 0.0, L, L);
        } else if (type == "TRAPF") {
          r = bm::TrapezoidReactions(load->get_VStart(), load->get_VEnd(), load->get_RStart() * L,
                                     load->get_REnd() * L, L);
        } else {
          continue;
        }
        // Decision: an end without its joint receives nothing; the load is
        // counted in the report so that the host can tell the user.
        if (!joint1 && !joint2) {
          ++loadingReport.wallLoadsWithoutJoints;
          continue;
        }
        if (!joint1 || !joint2) ++loadingReport.wallLoadsWithOneJoint;
        CString lc = load->get_Lc();
        // Legacy: the force goes into FY whatever the load's direction says.
        if (joint1) joint1->TranferJointLoadFromWall(lc, "FORCE", 0.0, r.f1, 0.0, 0.0, 0.0, 0.0);
        if (joint2) joint2->TranferJointLoadFromWall(lc, "FORCE", 0.0, r.f2, 0.0, 0.0, 0.0, 0.0);
      }
    }
  }
}

void CBMMgrLoad::AddVirtualLoadForOptimization(CString loadCase, CString virtualName, CString level, double x,
                                               double y, double Fx, double Fy) {
  if (!pContainer) return;  // not attached to a model
  CBMLoadCase* lc = pLoadCaseList->AddLoadCase(loadCase, "WIND", 0.0);
  lc->SetVirtualLoadCaseName(virtualName);
  // Legacy: the level name is used as given, not upper-cased.
  CBMLevelDiaphragm* diaphragm = GetNearLevelDiaphragm(level, x, y);
  // Decision: without a diaphragm on the level the case has no wind item.
  if (!diaphragm) return;
  lc->AddWindItem(level, diaphragm->get_Name(), Fx, Fy, x, y);
}

void CBMMgrLoad::DeleteAllVirtualLoad() {
  if (!pContainer) return;  // not attached to a model
  if (!pLoadCaseList) return;
  int i = 1;
  while (i <= pLoadCaseList->GetCount()) {
    CBMLoadCase* lc = pLoadCaseList->ItemAs<CBMLoadCase>(i);
    if (lc && lc->IsVirtualLoad()) {
      pLoadCaseList->RemoveAt(i);  // deletes it; the next case moves into i
    } else {
      ++i;
    }
  }
}
