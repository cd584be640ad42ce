// Registered run-time classes of the loads, analysis options and results.
#include "loads/BMAnalysisOption.h"
#include "loads/BMLoadCase.h"
#include "model/ClassTable.h"

void bm::AddLoadClasses(ClassTable& table) {
  table.insert(table.end(), {
                                RUNTIME_CLASS(CBMLoadCase),
                                RUNTIME_CLASS(CBMLoadCaseList),
                                RUNTIME_CLASS(CBMAnalysisOption),
                            });
}
