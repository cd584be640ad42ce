// The analysis options.
#include "loads/BMAnalysisOption.h"

BM_IMPLEMENT_SERIAL(CBMAnalysisOption, CBMComponent, 1)

CBMAnalysisOption::CBMAnalysisOption() = default;
CBMAnalysisOption::~CBMAnalysisOption() = default;
