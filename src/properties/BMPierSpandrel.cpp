// Pier and spandrel labels and their list.
#include "properties/BMPierSpandrel.h"

BM_IMPLEMENT_SERIAL(CBMPierSpandrel, CBMComponent, 1)

CBMPierSpandrel::CBMPierSpandrel() = default;
CBMPierSpandrel::~CBMPierSpandrel() = default;

BM_IMPLEMENT_SERIAL(CBMPierSpandrelList, CBMComponentList, 1)
