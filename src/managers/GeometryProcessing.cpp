// CBMMgrGeometry: the processing passes run once a model is complete (storey
// elevations, piers, base supports, station spacing) and the on-demand pier
// and diaphragm operations.
#include <cmath>

#include "loads/BMAnalysisOption.h"
#include "managers/BMMgrGeometry.h"
#include "model/geometry/BMDiaphragm.h"
#include "model/geometry/BMJoint.h"
#include "model/geometry/BMLevel.h"
#include "model/geometry/BMLine.h"
#include "model/geometry/BMLineElement.h"
#include "model/geometry/BMPoint.h"
#include "model/geometry/BMShellElement.h"
#include "properties/BMPierSpandrel.h"
#include "properties/BMWallSlabDeckSection.h"

void CBMMgrGeometry::ProcessGeometry() {
  ProcessStoryHeightElevation();
  ReassignPierInWall();
  AssignJointConstainInBaseLevel();
  ProcessLineElementSegement();
}

int CBMMgrGeometry::ProcessStoryHeightElevation() {
  if (!pContainer) return 1;  // not attached to a model
  // Decision: an empty level list has nothing to do.
  if (!pLevelList || pLevelList->GetCount() == 0) return 1;
  const CBMLevel* base = pLevelList->ItemAs<CBMLevel>(1);
  if (!base) return 1;
  double elevation = base->get_EleHeight();
  for (CBMLevel& level : pLevelList->Members<CBMLevel>(2)) {
    elevation += level.get_Height();
    level.set_EleHeight(elevation);
  }
  return 1;
}

void CBMMgrGeometry::ReassignPierInWall() {
  if (!pContainer) return;  // not attached to a model
  if (!pLevelList) return;
  for (CBMLevel& level : pLevelList->Members<CBMLevel>()) {
    for (CBMWall& wall : level.get_theCBMWallList()->Members<CBMWall>()) {
      wall.SaveOldPier();
      CString pierName;
      pierName.Format("P%s", wall.name().c_str());
      wall.set_pPierSpandrel(pPierSpandrelList->AddPierSpandrel(false, pierName));
    }
  }
}

int CBMMgrGeometry::AssignJointConstainInBaseLevel() {
  if (!pContainer) return 1;  // not attached to a model
  // Decision: without a first storey or a level named "BASE" the pass is
  // skipped.
  if (!pLevelList || pLevelList->GetCount() < 2) return 1;
  CString base = "BASE";
  if (!FindLevel(base)) return 1;
  CBMLevel* storey = pLevelList->ItemAs<CBMLevel>(2);
  if (!storey) return 1;

  auto fix = [this, &base](CBMPoint* point) {
    if (!point) return;
    CString pointName = point->get_Name();
    AddJointRestrain(base, pointName, 1, 1, 1, 1, 1, 1);
  };

  for (CBMColumn& column : storey->get_theCBMColumnList()->Members<CBMColumn>()) fix(column.GetP1());

  for (CBMWall& wall : storey->get_theCBMWallList()->Members<CBMWall>()) {
    fix(wall.GetP1());
    fix(wall.GetP2());
  }

  // Only braces that rise from below (span > 0) stand on the base.
  for (CBMBrace& brace : storey->get_theCBMBraceList()->Members<CBMBrace>()) {
    if (brace.GetPassStoryNum() > 0) fix(brace.GetP1());
  }
  return 1;
}

int CBMMgrGeometry::ProcessLineElementSegement() {
  if (!pContainer) return 1;  // not attached to a model
  if (!pLevelList || !pCBMAnalysisOption) return 1;
  const int stations = pCBMAnalysisOption->get_iStationNumber();
  const double reduction = pCBMAnalysisOption->get_dJointStiffnessReduction();
  // A NaN reduction fails this test too, so it is never applied.
  const bool applyReduction = std::fabs(reduction) > 0.001;
  // Decision: a station number of 0 or less leaves the spacings unchanged
  // (the division would give infinite or negative spacings).
  const bool setSpacing = stations > 0;
  const double n = static_cast<double>(stations);

  for (CBMLevel& level : pLevelList->Members<CBMLevel>(2)) {
    const double h = level.get_Height();

    for (CBMBeam& beam : level.get_theCBMBeamList()->Members<CBMBeam>()) {
      // A beam without a line has no length to divide.
      if (setSpacing && beam.get_pLine()) beam.set_MaxSpc(beam.get_Distance() / n);
      if (applyReduction) beam.set_dZoneReductionFactor(reduction);
    }

    for (CBMColumn& column : level.get_theCBMColumnList()->Members<CBMColumn>()) {
      // Legacy: half the storey height, whatever the station number.
      if (setSpacing) column.set_MaxSpc(0.5 * h);
      if (applyReduction) column.set_dZoneReductionFactor(reduction);
    }

    for (CBMBrace& brace : level.get_theCBMBraceList()->Members<CBMBrace>()) {
      // Legacy: the storey height, not the brace's length, is divided.
      if (setSpacing) brace.set_MaxSpc(h / n);
      if (applyReduction) brace.set_dZoneReductionFactor(reduction);
    }
  }
  return 1;
}

int CBMMgrGeometry::ReassignPierBySectionName() {
  if (!pContainer) return 1;  // not attached to a model
  if (!pLevelList) return 1;
  for (CBMLevel& level : pLevelList->Members<CBMLevel>()) {
    for (CBMWall& wall : level.get_theCBMWallList()->Members<CBMWall>()) {
      wall.SaveOldPier();
      CBMWallSlabDeckSection* section = wall.get_pShellSection();
      // Decision: a wall without a section keeps its pier.
      if (!section) continue;
      CString pierName = section->get_Name();
      wall.set_pPierSpandrel(pPierSpandrelList->AddPierSpandrel(false, pierName));
    }
  }
  return 1;
}

int CBMMgrGeometry::ReassignPierRestoreOldName() {
  if (!pContainer) return 1;  // not attached to a model
  if (!pLevelList) return 1;
  for (CBMLevel& level : pLevelList->Members<CBMLevel>()) {
    for (CBMWall& wall : level.get_theCBMWallList()->Members<CBMWall>()) {
      // Legacy: an empty old name gives the pier of the empty name.
      CString pierName = wall.GetOldPierName();
      wall.set_pPierSpandrel(pPierSpandrelList->AddPierSpandrel(false, pierName));
    }
  }
  return 1;
}

void CBMMgrGeometry::AssignJointDiaphragm(CString level, double x, double y, CString diaphragm) {
  if (!pContainer) return;  // not attached to a model
  level.MakeUpper();
  diaphragm.MakeUpper();
  CBMLevel* pLevel = FindLevel(level);
  // Decision: an unknown level changes nothing.
  if (!pLevel) return;
  CBMPoint* point = pPointList->FindPointByCoors(x, y);
  if (!point) return;
  CBMJoint* joint = pLevel->get_theCBMJointList()->ItemAs<CBMJoint>(point->name());
  if (!joint) return;
  // Decision: a joint without its point (possible in a model read from a
  // file) gets the point it is named after, which the centre needs.
  if (!joint->get_pPoint()) joint->set_pPoint(point);

  CBMDiaphragm* modelDiaphragm = pDiaphragmList->AddDiaphragm(diaphragm);
  CBMLevelDiaphragm* levelDiaphragm = pLevel->get_theCBMLevelDiaphragmList()->AddDiaphragm(diaphragm);
  // Legacy: no check whether the joint already belongs to a diaphragm.
  levelDiaphragm->AddJoint(joint);
  joint->set_pDiaphragm(levelDiaphragm);
  modelDiaphragm->AddPointForDiaCenter(point->get_X(), point->get_Y());
}
