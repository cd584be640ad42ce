// Registered run-time classes of the text-file reader.
#include "etabs_reader/ZBMComponent.h"
#include "etabs_reader/ZComItem.h"
#include "model/ClassTable.h"

void bm::AddReaderClasses(ClassTable& table) {
  table.insert(table.end(), {
                                RUNTIME_CLASS(ZBMComponent),
                                RUNTIME_CLASS(ZBMComponentList),
                                RUNTIME_CLASS(ZComItem),
                                RUNTIME_CLASS(ZComItemList),
                            });
}
