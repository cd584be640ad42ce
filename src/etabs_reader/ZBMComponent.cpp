// ZBMComponent and ZBMComponentList operations and their archive records.
#include "etabs_reader/ZBMComponent.h"

#include "platform/Exceptions.h"
#include "platform/ListBlock.h"
#include "platform/MessageBox.h"

BM_IMPLEMENT_SERIAL(ZBMComponent, CObject, 1)
BM_IMPLEMENT_SERIAL(ZBMComponentList, ZBMComponent, 1)

namespace {
const char kDefaultObjectType[] = "ZBMComponent";
}  // namespace

CString ZBMComponent::get_ObjectType() const {
  return ObjectType ? *ObjectType : CString(kDefaultObjectType);
}

void ZBMComponent::set_ObjectType(CString type) {
  if (type == kDefaultObjectType) {
    ObjectType.reset();
  } else {
    ObjectType = std::make_unique<CString>(std::move(type));
  }
}

void ZBMComponent::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteInt32(Id);
    ar.WriteString(Name);
  } else {
    Id = ar.ReadInt32();
    ar.ReadString(Name);
  }
}

int ZBMComponent::CreateTopo(ZBMComponentList*, ZBMComponentList*, ZBMComponentList*) { return 0; }

void ZBMComponentList::Add(ZBMComponent* p) {
  if (p) p->set_Id(GetCount() + 1);
  Items.Add(p);
}

void ZBMComponentList::AddHead(ZBMComponent* /*p*/) { AfxMessageBox("Not usefull!  ADDHEAD method!"); }

ZBMComponent* ZBMComponentList::GetItem(int i) const {
  // Decision: positions outside 1 to GetCount() give null instead of reading
  // outside the array.
  if (i < 1 || i > GetCount()) return nullptr;
  return Items[i - 1];
}

ZBMComponent* ZBMComponentList::GetItem(const CString& name) const {
  for (ZBMComponent* p : Items) {
    if (p && p->name() == name) return p;
  }
  return nullptr;
}

int ZBMComponentList::GetItemId(const CString& name) const {
  const ZBMComponent* p = GetItem(name);
  return p ? p->get_Id() : 0;
}

void ZBMComponentList::RemoveAt(int i) {
  // Decision: positions below 1 do nothing, like those beyond the count.
  if (i < 1 || i > GetCount()) return;
  ZBMComponent* p = Items[i - 1];
  Items.RemoveAt(i - 1);
  delete p;
  ReSetComponentId();
}

void ZBMComponentList::RemoveAll() { Items.RemoveAll(); }

void ZBMComponentList::DeleteAll() {
  for (ZBMComponent* p : Items) delete p;
  Items.RemoveAll();
}

void ZBMComponentList::ReSetComponentId() {
  for (int i = 0; i < Items.GetSize(); ++i) {
    if (Items[i]) Items[i]->set_Id(i + 1);
  }
}

void ZBMComponentList::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    bm::StoreListBlock(ar, Items);
    return;
  }
  const bm::ListBlockHead head = bm::ReadListBlockHead(ar);
  if (!head.cls) return;
  const CRuntimeClass* cls = head.cls;
  bm::LoadListMembers<ZBMComponent>(
      ar, head.count, [cls] { return cls->CreateObject(); }, [this](ZBMComponent* member) { Add(member); });
}
