// LazyList: an owned member list that most objects never fill.
#pragma once

#include <memory>

#include "BMComponentList.h"

namespace bm {

template <typename Lazy, typename Make>
void TransferLazy(CArchive& ar, const Lazy* existing, Make make);

// An owned member list that most objects never fill: the analysis results
// of a member (forces, displacements), which a model stays without until
// results are loaded, and the loads of a joint or a column, which most of
// them never get. A million empty embedded lists cost a hundred megabytes.
// This holder creates the list on first use (and `Setup` prepares it);
// until then it costs one pointer. It owns the members: they are deleted
// with it. In the archive it is exactly an embedded list: an absent list
// writes the empty list block, and loading an empty block makes none.
template <void (*Setup)(CBMComponentList&)>
class LazyList {
 public:
  LazyList() = default;
  LazyList(const LazyList&) = delete;
  LazyList& operator=(const LazyList&) = delete;
  ~LazyList() { DeleteAll(); }

  // The list, created when first asked for.
  CBMComponentList* get() {
    if (!list_) {
      list_ = std::make_unique<CBMComponentList>();
      Setup(*list_);
    }
    return list_.get();
  }
  // The list for reading: an empty one, shared, while there is none, so
  // that readers (writers of the model, counts) create nothing.
  const CBMComponentList& view() const {
    static const CBMComponentList kEmpty;
    return list_ ? *list_ : kEmpty;
  }
  int GetCount() const { return list_ ? list_->GetCount() : 0; }
  void Add(CBMComponent* p) { get()->Add(p); }
  // As CBMComponentList::Adopt: `member` is freed if memory runs out.
  template <typename T>
  T* Adopt(std::unique_ptr<T> member) {
    return get()->Adopt(std::move(member));
  }
  void DeleteAll() {
    if (list_) list_->DeleteAll();
  }

  void Serialize(CArchive& ar) {
    TransferLazy(ar, this, [this]() -> LazyList& { return *this; });
  }
  // The list if it was made, else null.
  CBMComponentList* existing() const { return list_.get(); }

 private:
  std::unique_ptr<CBMComponentList> list_;
};

// Stores or loads a lazy list, also one kept in storage made on demand:
// `existing` is the lazy list while it exists (null: never made, and the
// empty block is stored); `make()` gives the lazy list, making its storage,
// and is called only to load a block that is not empty (most are empty, and
// make nothing).
template <typename Lazy, typename Make>
void TransferLazy(CArchive& ar, const Lazy* existing, Make make) {
  if (ar.IsStoring()) {
    if (CBMComponentList* list = existing ? existing->existing() : nullptr) {
      list->Serialize(ar);
    } else {
      ar.WriteInt32(0);
    }
    return;
  }
  const ListBlockHead head = ReadListBlockHead(ar);
  if (head.cls) make().get()->LoadMembers(ar, head);
}

// Readies a new list to take only members of class T (a load list).
// Defined for the load classes with them, so that a class holding such a
// list needs only their names.
template <typename T>
void Holds(CBMComponentList& list);

// Members whose class record names plain CBMComponent are made by `Factory`.
template <CBMComponent* (*Factory)()>
void MadeBy(CBMComponentList& list) {
  list.SetElementFactory(Factory);
}

template <CBMComponent* (*Factory)()>
using LazyResultList = LazyList<&MadeBy<Factory>>;

}  // namespace bm
