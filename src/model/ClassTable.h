// The one explicit table of registered run-time classes, assembled from one
// part per subsystem so each folder lists the classes it defines.
#pragma once

#include <vector>

struct CRuntimeClass;

namespace bm {
using ClassTable = std::vector<const CRuntimeClass*>;
void AddModelClasses(ClassTable& table);
void AddGeometryClasses(ClassTable& table);
void AddPropertyClasses(ClassTable& table);
void AddLoadClasses(ClassTable& table);
void AddReaderClasses(ClassTable& table);
}  // namespace bm
