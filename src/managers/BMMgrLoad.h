// CBMMgrLoad: adds load cases and member loads and converts wall loads.
#pragma once

#include "model/BMMgrSys.h"

class CBMMgrLoad : public CBMMgrSys {
 public:
  CBMMgrLoad() = default;
  ~CBMMgrLoad() override = default;
};
