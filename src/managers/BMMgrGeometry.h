// CBMMgrGeometry: adds levels, members, materials and sections to a model and
// runs the geometry processing passes.
#pragma once

#include "model/BMMgrSys.h"

class CBMMgrGeometry : public CBMMgrSys {
 public:
  CBMMgrGeometry() = default;
  ~CBMMgrGeometry() override = default;
};
