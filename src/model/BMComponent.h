// CBMComponent: the base of every object of the building model.
#pragma once

#include <memory>
#include <vector>

#include "../platform/Archive.h"
#include "../platform/RuntimeClass.h"
#include "../platform/String.h"
#include "ListIndex.h"

// Kind of structural member, set by the constructors of the member classes
// and read only by the host.
enum BMComponentType {
  BM_NONE = 0,
  BM_WALL = 1,
  BM_BEAM = 2,
  BM_COLUMN = 3,
  BM_BRACE = 4,
  BM_SLAB = 5,
  BM_JOINT = 6
};

// Every model object: a 1-based id (its position in the list that last
// numbered it), an upper-case name, an object type and two free text handles
// of the host. Only the id and the name are archived.
class CBMComponent : public CObject {
  BM_DECLARE_SERIAL(CBMComponent)

 public:
  CBMComponent() = default;
  // Tells the indexed lists that still hold the component that it is gone.
  ~CBMComponent() override;

  int get_Id() const { return Id; }
  void set_Id(int id) { Id = id; }
  BMComponentType get_ObjectType() const { return ObjectType; }
  void set_ObjectType(BMComponentType type) { ObjectType = type; }

  // A copy of the name.
  CString get_Name() const { return Name; }
  // The name without a copy.
  const CString& name() const { return Name; }
  // Upper-cases `name` in place (the caller's string changes too) and stores
  // a copy of it.
  void set_Name(CString& name);
  // Stores the upper-case form of `name`.
  void set_Name(const char* name);

  CString get_MapHandle() const { return mapHandle(); }
  const CString& mapHandle() const;
  void set_MapHandle(CString handle);
  // The stored out handle. Legacy: the reference allows writing; look-ups by
  // out handle only see changes made through set_OutHandle.
  CString& get_OutHandle();
  const CString& outHandle() const;
  void set_OutHandle(const CString& handle);

  // Stores / loads Id (4-byte int) then Name (archive string). A loaded name
  // is taken as stored, not upper-cased again.
  void Serialize(CArchive& ar) override;

 protected:
  // Replaces a key field, keeping the indexes of the lists that hold the
  // component right.
  void ChangeKey(bm::IndexKey key, CString& field, CString value);
  // Tells the tracking lists that hold the component that one of its
  // geometric keys changed (see CBMComponentList::memberKeyEdits).
  void NoteKeyEditToLists() const;

  int Id = 0;
  BMComponentType ObjectType = BM_NONE;
  CString Name;

 private:
  friend class CBMComponentList;
  friend class bm::KeyIndex;

  // What most components never have, kept out of line so that a model of a
  // million components does not carry two empty strings and a vector each:
  // the host's two handles, and the links to the second and further indexed
  // lists that hold the component.
  struct Extras {
    CString mapHandle;
    CString outHandle;
    std::vector<bm::IndexLink> moreLinks;
  };
  Extras& extras();

  // The indexed list slots that hold the component (see CBMComponentList).
  // The first link sits in the component itself: a component usually sits
  // in at most one indexed list.
  void AddLink(bm::IndexLink link);
  // Removes the link to slot `seq` of `list`.
  void RemoveLink(const CBMComponentList* list, uint64_t seq);
  // Removes every link to `list`.
  void RemoveLinks(const CBMComponentList* list);
  // The smallest sequence number of the component's slots in `list` (the
  // first of them in list order); the greatest number when it has none.
  uint64_t FirstSeqIn(const CBMComponentList* list) const;
  template <typename F>
  void ForEachLink(F f) const {
    if (!firstLink_.list) return;
    f(firstLink_);
    if (extras_) {
      for (const bm::IndexLink& link : extras_->moreLinks) f(link);
    }
  }

  bm::IndexLink firstLink_{nullptr, 0};
  std::unique_ptr<Extras> extras_;
};

namespace bm {

// The current value of `key` of `c`.
inline const CString& KeyText(const CBMComponent& c, IndexKey key) {
  switch (key) {
    case IndexKey::kName:
      return c.name();
    case IndexKey::kMapHandle:
      return c.mapHandle();
    case IndexKey::kOutHandle:
      break;
  }
  return c.outHandle();
}
inline std::string_view KeyOf(const CBMComponent& c, IndexKey key) { return KeyText(c, key).view(); }

}  // namespace bm
