// Registered run-time classes of the structural geometry.
#include "model/ClassTable.h"
#include "model/geometry/BMArea.h"
#include "model/geometry/BMDiaphragm.h"
#include "model/geometry/BMGrid.h"
#include "model/geometry/BMJoint.h"
#include "model/geometry/BMLevel.h"
#include "model/geometry/BMLine.h"
#include "model/geometry/BMLineElement.h"
#include "model/geometry/BMPoint.h"
#include "model/geometry/BMShellElement.h"

void bm::AddGeometryClasses(ClassTable& table) {
  table.insert(table.end(), {
                                RUNTIME_CLASS(CBMLevel),
                                RUNTIME_CLASS(CBMLevelList),
                                RUNTIME_CLASS(CBMGrid),
                                RUNTIME_CLASS(CBMGridList),
                                RUNTIME_CLASS(CBMPoint),
                                RUNTIME_CLASS(CBMPointList),
                                RUNTIME_CLASS(CBMJoint),
                                RUNTIME_CLASS(CBMJointList),
                                RUNTIME_CLASS(CBMJointRestraint),
                                RUNTIME_CLASS(CBMJointSpring),
                                RUNTIME_CLASS(CBMLine),
                                RUNTIME_CLASS(CBMLineList),
                                RUNTIME_CLASS(CBMLineElement),
                                RUNTIME_CLASS(CBMBeam),
                                RUNTIME_CLASS(CBMColumn),
                                RUNTIME_CLASS(CBMBrace),
                                RUNTIME_CLASS(CBMLineRelease),
                                RUNTIME_CLASS(CBMBeamList),
                                RUNTIME_CLASS(CBMColumnList),
                                RUNTIME_CLASS(CBMBraceList),
                                RUNTIME_CLASS(CBMArea),
                                RUNTIME_CLASS(CBMAreaList),
                                RUNTIME_CLASS(CBMShellElement),
                                RUNTIME_CLASS(CBMSlab),
                                RUNTIME_CLASS(CBMWall),
                                RUNTIME_CLASS(CBMSlabList),
                                RUNTIME_CLASS(CBMWallList),
                                RUNTIME_CLASS(CBMDiaphragm),
                                RUNTIME_CLASS(CBMLevelDiaphragm),
                                RUNTIME_CLASS(CBMDiaphragmList),
                                RUNTIME_CLASS(CBMLevelDiaphragmList),
                            });
}
