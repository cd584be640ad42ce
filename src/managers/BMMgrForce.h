// CBMMgrForce: the force manager through which a host reaches the model's
// lists when it attaches analysis results.
#pragma once

#include "../model/BMMgrSys.h"

// Adds nothing to CBMMgrSys: no data and no operations of its own, and no
// run-time class of its own (it reports CBMMgrSys). The results themselves
// are attached through the entities (joints, line elements, walls, levels).
class CBMMgrForce : public CBMMgrSys {
 public:
  CBMMgrForce();
  ~CBMMgrForce() override;
};
