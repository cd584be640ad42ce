// CBMMgrForce: attaches analysis results to the model.
#pragma once

#include "model/BMMgrSys.h"

class CBMMgrForce : public CBMMgrSys {
 public:
  CBMMgrForce() = default;
  ~CBMMgrForce() override = default;
};
