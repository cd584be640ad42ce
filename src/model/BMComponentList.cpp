// CBMComponentList operations and the list block of the archive.
#include "model/BMComponentList.h"

#include <algorithm>
#include <new>

#include "platform/Exceptions.h"
#include "platform/ListBlock.h"
#include "platform/MessageBox.h"

BM_IMPLEMENT_SERIAL(CBMComponentList, CBMComponent, 1)

CBMComponentList::~CBMComponentList() { DropIndex(); }

void CBMComponentList::Add(CBMComponent* p) {
  // When memory runs out before `p` is stored, the list is as it was (and
  // `p` still the caller's); when it runs out while the look-up index takes
  // `p` in, the index (a cache) is dropped, to be built again by the next
  // look-up.
  if (p) p->set_Id(GetCount() + 1);
  // Most lists of a model are short (a member's loads, a joint's members):
  // the first block holds three pointers, which spares the reallocations
  // from one to two to four.
  if (items_.IsEmpty()) items_.Reserve(3);
  const bool numbering = index_ && !index_->compact;
  if (numbering) index_->seqs.push_back(index_->nextSeq);
  try {
    items_.Add(p);
  } catch (...) {
    if (numbering) index_->seqs.pop_back();
    throw;
  }
  if (!index_) return;
  const uint64_t seq = index_->nextSeq++;
  if (!p) return;
  try {
    for (int k = 0; k < bm::kIndexKeyCount; ++k) {
      if (index_->built[k]) index_->keys[k].Insert(bm::KeyOf(*p, static_cast<bm::IndexKey>(k)), {seq, p});
    }
    p->AddLink({this, seq});
  } catch (const std::bad_alloc&) {
    DropIndex();
  }
}

void CBMComponentList::AddHead(CBMComponent* /*p*/) { AfxMessageBox("Not usefull!  ADDHEAD method!"); }

CBMComponent* CBMComponentList::GetItem(int i) const {
  // Decision: positions outside 1 to GetCount() give null.
  if (i < 1 || i > GetCount()) return nullptr;
  return items_[i - 1];
}

CBMComponent* CBMComponentList::GetItem(const CString& name) const {
  return Lookup(bm::IndexKey::kName, name);
}

int CBMComponentList::GetItemId(const CString& name) const {
  const CBMComponent* p = GetItem(name);
  return p ? p->get_Id() : 0;
}

CBMComponent* CBMComponentList::GetItemByMapHandle(const CString& handle) const {
  return Lookup(bm::IndexKey::kMapHandle, handle);
}

CBMComponent* CBMComponentList::GetItemByOutHandle(const CString& handle) const {
  return Lookup(bm::IndexKey::kOutHandle, handle);
}

CBMComponent* CBMComponentList::Scan(bm::IndexKey key, const CString& value) const {
  const CString::Matcher matcher(value);
  if (key == bm::IndexKey::kName) {
    // The common case, without a branch on the key per member (one loop
    // for all keys costs ReadText 5% more instructions on a small model).
    for (CBMComponent* p : items_) {
      if (p && matcher.Matches(p->Name)) return p;
    }
    return nullptr;
  }
  for (CBMComponent* p : items_) {
    if (p && matcher.Matches(bm::KeyText(*p, key))) return p;
  }
  return nullptr;
}

CBMComponent* CBMComponentList::Lookup(bm::IndexKey key, const CString& value) const {
  const int k = static_cast<int>(key);
  // Empty keys are not indexed; the first slot usually answers a scan.
  if (value.IsEmpty() || (!(index_ && index_->built[k]) && GetCount() < kIndexThreshold))
    return Scan(key, value);
  if (!index_ || !index_->built[k]) BuildIndex(key);
  bm::ListIndexState& state = *index_;
  const bm::KeyIndex& keys = state.keys[k];
  // A member where the recent answers place the next (bm::RecentAnswers:
  // next to one of them, or a stride past the last) is the answer when it
  // bears the key and no two members do. Not for out handles, which may
  // change unseen by the list, nor while a slot holds a member destroyed
  // elsewhere.
  const size_t count = static_cast<size_t>(GetCount());
  auto& recent = state.recent[k];
  CBMComponent* near = nullptr;
  const auto bears = [&](size_t slot) {
    near = items_[static_cast<int>(slot)];
    return near && bm::SameBytes(bm::KeyOf(*near, key), value.view());
  };
  if (key != bm::IndexKey::kOutHandle && keys.Unique() && state.dead.empty() && recent.Try(count, bears)) {
    return near;
  }
  CBMComponent* found = keys.First(value.view(), this);
  // While no slot has been removed, a slot's sequence number is its
  // position.
  const uint64_t seq = found && state.compact ? found->FirstSeqIn(this) : UINT64_MAX;
  if (seq < count) recent.Note(static_cast<size_t>(seq));
  return found;
}

void CBMComponentList::BuildIndex(bm::IndexKey key) const {
  auto* self = const_cast<CBMComponentList*>(this);
  try {
    BuildIndexOrThrow(key);
  } catch (...) {
    // Memory ran out: no half-built index stays behind.
    self->DropIndex();
    throw;
  }
}

void CBMComponentList::TrackMembers() const {
  if (index_) return;
  auto* self = const_cast<CBMComponentList*>(this);
  auto state = std::make_unique<bm::ListIndexState>();
  int linked = 0;
  try {
    for (; linked < GetCount(); ++linked) {
      const uint64_t seq = state->nextSeq++;
      if (CBMComponent* p = items_[linked]) p->AddLink({self, seq});
    }
  } catch (...) {
    // Memory ran out: the members linked so far forget the list again.
    for (int i = 0; i < linked; ++i) {
      if (items_[i]) items_[i]->RemoveLinks(this);
    }
    throw;
  }
  index_ = std::move(state);
}

void CBMComponentList::BuildIndexOrThrow(bm::IndexKey key) const {
  TrackMembers();
  const int k = static_cast<int>(key);
  index_->keys[k].Reserve(static_cast<size_t>(GetCount()));
  for (int i = 0; i < GetCount(); ++i) {
    CBMComponent* p = items_[i];
    if (p && !index_->SlotIsDead(static_cast<size_t>(i))) {
      index_->keys[k].Insert(bm::KeyOf(*p, key), {index_->SeqOf(static_cast<size_t>(i)), p});
    }
  }
  index_->built[k] = true;
}

void CBMComponentList::UnindexSlot(int i) {
  if (!index_) return;
  try {
    index_->Uncompact(index_->Numbered());
  } catch (const std::bad_alloc&) {
    DropIndex();  // a cache: built again by the next look-up
    return;
  }
  const uint64_t seq = index_->seqs[static_cast<size_t>(i)];
  index_->seqs.erase(index_->seqs.begin() + i);
  CBMComponent* p = items_[i];
  if (!p) return;
  if (index_->IsDead(seq)) {
    index_->dead.erase(seq);
    return;
  }
  for (int k = 0; k < bm::kIndexKeyCount; ++k) {
    if (index_->built[k]) index_->keys[k].Erase(bm::KeyOf(*p, static_cast<bm::IndexKey>(k)), p);
  }
  p->RemoveLink(this, seq);
}

void CBMComponentList::DropIndex() {
  if (!index_) return;
  // The slots the index numbered: all of them, but fewer when building the
  // index ran out of memory.
  const int numbered = static_cast<int>(std::min(static_cast<size_t>(GetCount()), index_->Numbered()));
  for (int i = 0; i < numbered; ++i) {
    CBMComponent* p = items_[i];
    if (!p || index_->SlotIsDead(static_cast<size_t>(i))) continue;  // a dead member is not read
    p->RemoveLinks(this);
  }
  index_.reset();
  // The members' edits no longer reach the list: indexes kept on its
  // members' keys (the geometry indexes) must start again.
  ++keyEdits_;
}

void CBMComponentList::OnKeyChanging(CBMComponent* member, uint64_t seq, bm::IndexKey key,
                                     std::string_view from, std::string_view to) {
  const int k = static_cast<int>(key);
  if (!index_ || !index_->built[k]) return;
  index_->keys[k].Erase(from, member);
  index_->keys[k].Insert(to, {seq, member});
}

void CBMComponentList::OnMemberDestroyed(CBMComponent* member, uint64_t seq) {
  if (!index_) return;
  for (int k = 0; k < bm::kIndexKeyCount; ++k) {
    if (index_->built[k]) index_->keys[k].Erase(bm::KeyOf(*member, static_cast<bm::IndexKey>(k)), member);
  }
  index_->dead.insert(seq);
}

void CBMComponentList::RemoveAt(int i) {
  // Decision: positions below 1 do nothing, like those beyond the count.
  if (i < 1 || i > GetCount()) return;
  CBMComponent* p = items_[i - 1];
  ++removals_;
  UnindexSlot(i - 1);
  items_.RemoveAt(i - 1);
  delete p;
  ReSetComponentId();
}

void CBMComponentList::DeleteItem(const CString& name) {
  CBMComponent* found = GetItem(name);
  if (!found) return;
  for (int i = 0; i < items_.GetSize(); ++i) {
    if (items_[i] != found) continue;
    ++removals_;
    UnindexSlot(i);
    items_.RemoveAt(i);
    delete found;
    ReSetComponentId();
    return;
  }
}

void CBMComponentList::RemoveAll() {
  ++removals_;
  DropIndex();
  items_.RemoveAll();
}

void CBMComponentList::DeleteAll() {
  ++removals_;
  DropIndex();
  // Members are deleted in list order; the array is emptied afterwards so a
  // member's destructor never sees a half-emptied list of its owner.
  for (CBMComponent* p : items_) delete p;
  items_.RemoveAll();
}

void CBMComponentList::ReSetComponentId() {
  for (int i = 0; i < items_.GetSize(); ++i) {
    // A slot whose member was destroyed elsewhere, which the index knows
    // of, is not written to.
    if (items_[i] && !(index_ && index_->SlotIsDead(static_cast<size_t>(i)))) items_[i]->set_Id(i + 1);
  }
}

void CBMComponentList::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    bm::StoreListBlock(ar, items_);
    return;
  }
  LoadMembers(ar, bm::ReadListBlockHead(ar));
}

void CBMComponentList::LoadMembers(CArchive& ar, const bm::ListBlockHead& head) {
  if (!head.cls) return;
  const CRuntimeClass* cls = head.cls;
  const bool useFactory = elementFactory_ && cls == RUNTIME_CLASS(CBMComponent);
  // A record of another class than the owner's member class would put a
  // foreign object into a typed list, which every user of the list casts to
  // its member class: refuse it before creating anything.
  if (!useFactory && (memberClass_ ? !cls->IsDerivedFrom(memberClass_) : elementFactory_ != nullptr)) {
    throw CArchiveException(CArchiveException::badClass);
  }
  // Room for the members up front, up to one per four bytes left (a member
  // record holds at least its id), so that a malformed count asks for no
  // more than twice the archive's size; the list grows as usual beyond.
  if (head.count > 3) {
    const uint64_t room = std::min<uint64_t>(static_cast<uint64_t>(head.count), ar.BytesLeft() / 4);
    items_.Reserve(static_cast<size_t>(GetCount()) + static_cast<size_t>(room));
  }
  bm::LoadListMembers<CBMComponent>(
      ar, head.count, [&]() -> CObject* { return useFactory ? elementFactory_() : cls->CreateObject(); },
      [this](CBMComponent* member) { Add(member); });
}
