// Registered run-time classes of the properties.
#include "model/ClassTable.h"
#include "properties/BMAutoSection.h"
#include "properties/BMFrameSection.h"
#include "properties/BMLink.h"
#include "properties/BMMaterial.h"
#include "properties/BMPierSpandrel.h"
#include "properties/BMUnitSystem.h"
#include "properties/BMWallSlabDeckSection.h"

void bm::AddPropertyClasses(ClassTable& table) {
  table.insert(table.end(), {
                                RUNTIME_CLASS(CBMMaterial),
                                RUNTIME_CLASS(CBMFrameSection),
                                RUNTIME_CLASS(CBMFrameSectionList),
                                RUNTIME_CLASS(CBMAutoSection),
                                RUNTIME_CLASS(CBMWallSlabDeckSection),
                                RUNTIME_CLASS(CBMWallSlabDeckSectionList),
                                RUNTIME_CLASS(CBMLink),
                                RUNTIME_CLASS(CBMLinkList),
                                RUNTIME_CLASS(CBMPierSpandrel),
                                RUNTIME_CLASS(CBMPierSpandrelList),
                                RUNTIME_CLASS(CBMUnitSystem),
                            });
}
