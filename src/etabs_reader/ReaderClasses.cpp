// Registered run-time classes of the text-file reader.
#include "model/ClassTable.h"

void bm::AddReaderClasses(ClassTable& /*table*/) {}
