// Member loads: joint and point loads, line loads and area loads.
#include "loads/BMMemberLoad.h"

namespace {

// The six numbers and two strings of a joint or point load, in archive order.
void SerializeVectorLoad(CArchive& ar, double (&v)[6], CString& lc, CString& type) {
  if (ar.IsStoring()) {
    for (double d : v) ar << d;
    ar << lc << type;
  } else {
    for (double& d : v) ar >> d;
    ar >> lc >> type;
  }
}

}  // namespace

BM_IMPLEMENT_SERIAL(CBMJointLoad, CBMComponent, 1)

void CBMJointLoad::Serialize(CArchive& ar) {
  // Legacy: no component part is archived.
  double v[6] = {FX, FY, FZ, MX, MY, MZ};
  SerializeVectorLoad(ar, v, Lc, sType);
  FX = v[0], FY = v[1], FZ = v[2], MX = v[3], MY = v[4], MZ = v[5];
}

BM_IMPLEMENT_SERIAL(CBMPointLoad, CBMComponent, 1)

void CBMPointLoad::Serialize(CArchive& ar) {
  // Legacy: no component part is archived.
  double v[6] = {FX, FY, FZ, MX, MY, MZ};
  SerializeVectorLoad(ar, v, Lc, sType);
  FX = v[0], FY = v[1], FZ = v[2], MX = v[3], MY = v[4], MZ = v[5];
}

BM_IMPLEMENT_SERIAL(CBMLineLoad, CBMComponent, 1)

void CBMLineLoad::Serialize(CArchive& ar) {
  // Legacy: no component part, and the fields in the archive's own order.
  if (ar.IsStoring()) {
    ar << Lc << REnd << RStart << sDir << sType << UniformV << VEnd << VStart;
  } else {
    ar >> Lc >> REnd >> RStart >> sDir >> sType >> UniformV >> VEnd >> VStart;
  }
}

BM_IMPLEMENT_SERIAL(CBMAreaLoad, CBMComponent, 1)

void CBMAreaLoad::Serialize(CArchive& ar) {
  CBMComponent::Serialize(ar);
  if (ar.IsStoring()) {
    ar << Lc << sDir << sType << Value;
  } else {
    ar >> Lc >> sDir >> sType >> Value;
  }
}
