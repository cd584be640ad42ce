// Registered run-time classes of the loads, analysis options and results.
// The analysis options, the dynamic-case classes, joint displacements and
// element internal forces have no run-time class of their own.
#include "loads/BMLoadCase.h"
#include "loads/BMLoadCom.h"
#include "loads/BMMemberLoad.h"
#include "loads/BMResult.h"
#include "model/ClassTable.h"

void bm::AddLoadClasses(ClassTable& table) {
  table.insert(table.end(), {
                                RUNTIME_CLASS(CBMLoadCase),
                                RUNTIME_CLASS(CBMLoadCaseList),
                                RUNTIME_CLASS(CBMLoadWind),
                                RUNTIME_CLASS(CBMLoadCom),
                                RUNTIME_CLASS(CBMLoadComItem),
                                RUNTIME_CLASS(CBMJointLoad),
                                RUNTIME_CLASS(CBMPointLoad),
                                RUNTIME_CLASS(CBMLineLoad),
                                RUNTIME_CLASS(CBMAreaLoad),
                                RUNTIME_CLASS(CBMLevelDrift),
                                RUNTIME_CLASS(CBMLevelShear),
                                RUNTIME_CLASS(CBMDisplacement),
                                RUNTIME_CLASS(CBMForce),
                            });
}
