// CBMComponent: names and the component record.
#include "model/BMComponent.h"

BM_IMPLEMENT_SERIAL(CBMComponent, CObject, 1)

void CBMComponent::set_Name(CString& name) {
  name.MakeUpper();
  Name = name;
}

void CBMComponent::set_Name(const char* name) {
  Name = name;
  Name.MakeUpper();
}

void CBMComponent::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteInt32(Id);
    ar.WriteString(Name);
  } else {
    Id = ar.ReadInt32();
    ar.ReadString(Name);
  }
}
