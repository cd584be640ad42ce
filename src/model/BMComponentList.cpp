// CBMComponentList operations and the list block of the archive.
#include "model/BMComponentList.h"

#include "platform/Exceptions.h"
#include "platform/MessageBox.h"

BM_IMPLEMENT_SERIAL(CBMComponentList, CBMComponent, 1)

void CBMComponentList::Add(CBMComponent* p) {
  if (p) p->set_Id(GetCount() + 1);
  items_.Add(p);
}

void CBMComponentList::AddHead(CBMComponent* /*p*/) { AfxMessageBox("Not usefull!  ADDHEAD method!"); }

CBMComponent* CBMComponentList::GetItem(int i) const {
  // Decision: positions outside 1 to GetCount() give null.
  if (i < 1 || i > GetCount()) return nullptr;
  return items_[i - 1];
}

CBMComponent* CBMComponentList::GetItem(const CString& name) const {
  for (CBMComponent* p : items_) {
    if (p && p->name() == name) return p;
  }
  return nullptr;
}

int CBMComponentList::GetItemId(const CString& name) const {
  const CBMComponent* p = GetItem(name);
  return p ? p->get_Id() : 0;
}

CBMComponent* CBMComponentList::GetItemByMapHandle(const CString& handle) const {
  for (CBMComponent* p : items_) {
    if (p && p->get_MapHandle() == handle) return p;
  }
  return nullptr;
}

CBMComponent* CBMComponentList::GetItemByOutHandle(const CString& handle) const {
  for (CBMComponent* p : items_) {
    if (p && p->get_OutHandle() == handle) return p;
  }
  return nullptr;
}

void CBMComponentList::RemoveAt(int i) {
  // Decision: positions below 1 do nothing, like those beyond the count.
  if (i < 1 || i > GetCount()) return;
  CBMComponent* p = items_[i - 1];
  items_.RemoveAt(i - 1);
  delete p;
  ReSetComponentId();
}

void CBMComponentList::DeleteItem(const CString& name) {
  for (int i = 0; i < items_.GetSize(); ++i) {
    CBMComponent* p = items_[i];
    if (p && p->name() == name) {
      items_.RemoveAt(i);
      delete p;
      ReSetComponentId();
      return;
    }
  }
}

void CBMComponentList::RemoveAll() { items_.RemoveAll(); }

void CBMComponentList::DeleteAll() {
  // Members are deleted in list order; the array is emptied afterwards so a
  // member's destructor never sees a half-emptied list of its owner.
  for (CBMComponent* p : items_) delete p;
  items_.RemoveAll();
}

void CBMComponentList::ReSetComponentId() {
  for (int i = 0; i < items_.GetSize(); ++i) {
    if (items_[i]) items_[i]->set_Id(i + 1);
  }
}

void CBMComponentList::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    // Null slots cannot be archived; they are left out of the block.
    int n = 0;
    const CBMComponent* first = nullptr;
    for (const CBMComponent* p : items_) {
      if (!p) continue;
      if (!first) first = p;
      ++n;
    }
    ar.WriteInt32(n);
    if (n < 1) return;
    ar.WriteClass(first->GetRuntimeClass());
    for (CBMComponent* p : items_) {
      if (p) p->Serialize(ar);
    }
    return;
  }
  const int n = ar.ReadInt32();
  if (n < 1) return;
  const CRuntimeClass* cls = ar.ReadClass();
  // Every member record takes at least one byte, so a count beyond the bytes
  // left is corrupt: refuse it before creating anything.
  if (static_cast<uint64_t>(n) > ar.BytesLeft()) throw CArchiveException(CArchiveException::endOfFile);
  const bool useFactory = elementFactory_ && cls == RUNTIME_CLASS(CBMComponent);
  for (int i = 0; i < n; ++i) {
    CObject* object = useFactory ? elementFactory_() : cls->CreateObject();
    CBMComponent* member = dynamic_cast<CBMComponent*>(object);
    if (!member) {
      delete object;
      throw CArchiveException(CArchiveException::badClass);
    }
    try {
      member->Serialize(ar);
    } catch (...) {
      delete member;
      throw;
    }
    Add(member);
  }
}
