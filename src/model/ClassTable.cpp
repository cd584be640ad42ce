// The registered run-time classes, built once on first use. Registration is
// explicit so that no class is lost when a static library is linked.
#include "model/ClassTable.h"

#include "model/BMComponentList.h"
#include "model/BMContainer.h"
#include "model/BMMgrSys.h"
#include "model/BuildingModule.h"
#include "platform/RuntimeClass.h"

namespace bm {

void AddModelClasses(ClassTable& table) {
  table.insert(table.end(), {
                                RUNTIME_CLASS(CBMComponent),
                                RUNTIME_CLASS(CBMComponentList),
                                RUNTIME_CLASS(CBMContainer),
                                RUNTIME_CLASS(CBMMgrSys),
                                RUNTIME_CLASS(CBuildingModule),
                            });
}

const std::vector<const CRuntimeClass*>& RegisteredClasses() {
  static const ClassTable table = [] {
    ClassTable t;
    AddModelClasses(t);
    AddGeometryClasses(t);
    AddPropertyClasses(t);
    AddLoadClasses(t);
    AddReaderClasses(t);
    return t;
  }();
  return table;
}

}  // namespace bm
