// Load cases, their wind items and the load-case list.
#include "loads/BMLoadCase.h"

BM_IMPLEMENT_SERIAL(CBMLoadCase, CBMComponent, 1)

CBMLoadCase::CBMLoadCase() = default;
CBMLoadCase::~CBMLoadCase() = default;

BM_IMPLEMENT_SERIAL(CBMLoadCaseList, CBMComponentList, 1)
