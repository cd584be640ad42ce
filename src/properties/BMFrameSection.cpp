// Frame sections and the frame-section list.
#include "properties/BMFrameSection.h"

BM_IMPLEMENT_SERIAL(CBMFrameSection, CBMComponent, 1)

CBMFrameSection::CBMFrameSection() = default;
CBMFrameSection::~CBMFrameSection() = default;

BM_IMPLEMENT_SERIAL(CBMFrameSectionList, CBMComponentList, 1)
