// Link properties and the link list.
#include "properties/BMLink.h"

BM_IMPLEMENT_SERIAL(CBMLink, CBMComponent, 1)

CBMLink::CBMLink() = default;
CBMLink::~CBMLink() = default;

BM_IMPLEMENT_SERIAL(CBMLinkList, CBMComponentList, 1)
