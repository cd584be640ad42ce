// CBMComponent: names and the component record.
#include "model/BMComponent.h"

BM_IMPLEMENT_SERIAL(CBMComponent, CObject, 1)

#include "model/BMComponentList.h"

CBMComponent::~CBMComponent() {
  if (!indexLinks_) return;
  // The lists drop the component from their indexes; their slots keep the
  // (now dangling) pointer, as an unindexed list would.
  const bm::IndexLinks links = *indexLinks_;
  for (const bm::IndexLink& link : links) link.list->OnMemberDestroyed(this, link.seq);
}

void CBMComponent::ChangeKey(bm::IndexKey key, CString& field, CString value) {
  if (indexLinks_) {
    for (const bm::IndexLink& link : *indexLinks_) {
      link.list->OnKeyChanging(this, link.seq, key, field.str(), value.str());
    }
  }
  field = std::move(value);
}

void CBMComponent::set_Name(CString& name) {
  name.MakeUpper();
  ChangeKey(bm::IndexKey::kName, Name, name);
}

void CBMComponent::set_Name(const char* name) {
  CString upper(name);
  upper.MakeUpper();
  ChangeKey(bm::IndexKey::kName, Name, std::move(upper));
}

void CBMComponent::set_MapHandle(CString handle) { ChangeKey(bm::IndexKey::kMapHandle, MapHandle, std::move(handle)); }

void CBMComponent::set_OutHandle(const CString& handle) { ChangeKey(bm::IndexKey::kOutHandle, OutHandle, handle); }

void CBMComponent::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteInt32(Id);
    ar.WriteString(Name);
  } else {
    Id = ar.ReadInt32();
    CString name;
    ar.ReadString(name);
    ChangeKey(bm::IndexKey::kName, Name, std::move(name));
  }
}
