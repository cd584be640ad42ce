// LazyResultList: an owned member list that most objects never fill.
#pragma once

#include <memory>

#include "BMComponentList.h"

namespace bm {

// The analysis results of a member (forces, displacements) are a list that a
// model stays without until results are loaded, and a million empty embedded
// lists cost a hundred megabytes. This holder creates the list on first use;
// until then it costs one pointer. It owns the members: they are deleted with
// it. In the archive it is exactly an embedded list: an absent list writes
// the empty list block, and a loaded empty block leaves it absent.
// `Factory` creates the members whose class record names plain CBMComponent.
template <CBMComponent* (*Factory)()>
class LazyResultList {
 public:
  LazyResultList() = default;
  LazyResultList(const LazyResultList&) = delete;
  LazyResultList& operator=(const LazyResultList&) = delete;
  ~LazyResultList() { DeleteAll(); }

  // The list, created when first asked for.
  CBMComponentList* get() {
    if (!list_) {
      list_ = std::make_unique<CBMComponentList>();
      list_->SetElementFactory(Factory);
    }
    return list_.get();
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
    if (ar.IsStoring()) {
      if (list_) {
        list_->Serialize(ar);
      } else {
        ar.WriteInt32(0);
      }
      return;
    }
    get()->Serialize(ar);
    if (list_->GetCount() == 0) list_.reset();
  }

 private:
  std::unique_ptr<CBMComponentList> list_;
};

}  // namespace bm
