// CBMComponent: names and the component record.
#include "model/BMComponent.h"

BM_IMPLEMENT_SERIAL(CBMComponent, CObject, 1)

#include <algorithm>

#include "model/BMComponentList.h"
#include "platform/Transfer.h"

namespace {
const CString& EmptyString() {
  static const CString empty;
  return empty;
}
}  // namespace

CBMComponent::~CBMComponent() {
  // The lists drop the component from their indexes; their slots keep the
  // (now dangling) pointer, as an unindexed list would.
  ForEachLink([this](const bm::IndexLink& link) { link.list->OnMemberDestroyed(this, link.seq); });
}

CBMComponent::Extras& CBMComponent::extras() {
  if (!extras_) extras_ = std::make_unique<Extras>();
  return *extras_;
}

void CBMComponent::NoteKeyEditToLists() const {
  ForEachLink([](const bm::IndexLink& link) { link.list->OnMemberKeyEdited(); });
}

void CBMComponent::AddLink(bm::IndexLink link) {
  if (!firstLink_.list) {
    firstLink_ = link;
  } else {
    extras().moreLinks.push_back(link);
  }
}

void CBMComponent::RemoveLink(const CBMComponentList* list, uint64_t seq) {
  if (firstLink_.list == list && firstLink_.seq == seq) {
    // The last further link, if any, takes the first one's place.
    if (extras_ && !extras_->moreLinks.empty()) {
      firstLink_ = extras_->moreLinks.back();
      extras_->moreLinks.pop_back();
    } else {
      firstLink_ = {nullptr, 0};
    }
    return;
  }
  if (!extras_) return;
  auto& more = extras_->moreLinks;
  for (size_t l = 0; l < more.size(); ++l) {
    if (more[l].list == list && more[l].seq == seq) {
      more[l] = more.back();
      more.pop_back();
      return;
    }
  }
}

void CBMComponent::RemoveLinks(const CBMComponentList* list) {
  if (extras_) {
    auto& more = extras_->moreLinks;
    more.erase(
        std::remove_if(more.begin(), more.end(), [list](const bm::IndexLink& l) { return l.list == list; }),
        more.end());
  }
  if (firstLink_.list == list) RemoveLink(list, firstLink_.seq);
}

uint64_t CBMComponent::FirstSeqIn(const CBMComponentList* list) const {
  uint64_t first = UINT64_MAX;
  ForEachLink([&](const bm::IndexLink& link) {
    if (link.list == list) first = std::min(first, link.seq);
  });
  return first;
}

void CBMComponent::ChangeKey(bm::IndexKey key, CString& field, CString value) {
  ForEachLink([&](const bm::IndexLink& link) {
    link.list->OnKeyChanging(this, link.seq, key, field.view(), value.view());
  });
  field = std::move(value);
}

const CString& CBMComponent::mapHandle() const { return extras_ ? extras_->mapHandle : EmptyString(); }

const CString& CBMComponent::outHandle() const { return extras_ ? extras_->outHandle : EmptyString(); }

CString& CBMComponent::get_OutHandle() { return extras().outHandle; }

void CBMComponent::set_Name(CString& name) {
  name.MakeUpper();
  ChangeKey(bm::IndexKey::kName, Name, name);
}

void CBMComponent::set_Name(const char* name) {
  CString upper(name);
  upper.MakeUpper();
  ChangeKey(bm::IndexKey::kName, Name, std::move(upper));
}

void CBMComponent::set_MapHandle(CString handle) {
  if (handle.IsEmpty() && !extras_) return;  // already empty
  ChangeKey(bm::IndexKey::kMapHandle, extras().mapHandle, std::move(handle));
}

void CBMComponent::set_OutHandle(const CString& handle) {
  if (handle.IsEmpty() && !extras_) return;  // already empty
  ChangeKey(bm::IndexKey::kOutHandle, extras().outHandle, handle);
}

void CBMComponent::Serialize(CArchive& ar) {
  CString loadedName;
  bm::Transfer(ar, Id, bm::Split<CString>{Name, loadedName});
  // A loaded name goes through ChangeKey so that the lists indexing this
  // component by name learn of it.
  if (ar.IsLoading()) ChangeKey(bm::IndexKey::kName, Name, std::move(loadedName));
}
