// The unit system: the model's force and length unit words.
#pragma once

#include "model/BMComponentList.h"

class CBMUnitSystem : public CBMComponent {
  BM_DECLARE_SERIAL(CBMUnitSystem)

 public:
  CBMUnitSystem();
  ~CBMUnitSystem() override;
};
