// Materials and the material list.
#include "properties/BMMaterial.h"

BM_IMPLEMENT_SERIAL(CBMMaterial, CBMComponent, 1)

CBMMaterial::CBMMaterial() = default;
CBMMaterial::~CBMMaterial() = default;
