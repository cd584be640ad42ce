// The analysis options.
#pragma once

#include "model/BMComponentList.h"

class CBMAnalysisOption : public CBMComponent {
  BM_DECLARE_SERIAL(CBMAnalysisOption)

 public:
  CBMAnalysisOption();
  ~CBMAnalysisOption() override;
};
