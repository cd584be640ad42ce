// The analysis options.
#include "loads/BMAnalysisOption.h"

CBMAnalysisOption::CBMAnalysisOption() : sDAnaType("RITZ") {}
CBMAnalysisOption::~CBMAnalysisOption() = default;
