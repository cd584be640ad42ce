// CBMComponentList: the ordered list of component pointers that every model
// collection derives from.
#pragma once

#include "../platform/Array.h"
#include "BMComponent.h"

// An ordered array of component pointers with 1-based positions. Look-ups by
// name or handle are exact and case-sensitive; the first match in list order
// wins. This base class never deletes its members in its destructor: the
// typed lists that own their members call DeleteAll in theirs.
class CBMComponentList : public CBMComponent {
  BM_DECLARE_SERIAL(CBMComponentList)

 public:
  CBMComponentList() = default;
  // Deletes no member (see the typed lists).
  ~CBMComponentList() override;

  int GetCount() const { return items_.GetSize(); }
  // Sets p's Id to GetCount() + 1 and appends it. Does not take ownership by
  // itself: whether the list deletes its members is the list class's rule.
  void Add(CBMComponent* p);
  void AddTail(CBMComponent* p) { Add(p); }
  // Not supported: shows "Not usefull!  ADDHEAD method!" and changes nothing.
  void AddHead(CBMComponent* p);

  // Member at 1-based position i; null outside 1 to GetCount().
  CBMComponent* GetItem(int i) const;
  // First member whose name equals `name` exactly; null if none.
  CBMComponent* GetItem(const CString& name) const;
  // Id of the first member named `name`; 0 if none.
  int GetItemId(const CString& name) const;
  CBMComponent* GetItemByMapHandle(const CString& handle) const;
  CBMComponent* GetItemByOutHandle(const CString& handle) const;

  // Deletes the member at 1-based position i (when not null), closes the gap
  // and renumbers the members 1 to n. Does nothing for i outside 1 to n.
  void RemoveAt(int i);
  // Deletes the first member named `name` and renumbers; nothing if none.
  void DeleteItem(const CString& name);
  // Empties the list without deleting any member.
  void RemoveAll();
  // Deletes every non-null member in list order, then empties the list.
  void DeleteAll();

  // A list block: count, the first member's class record, each member's
  // record. Loading appends; members are created as the recorded class.
  // Throws CArchiveException (badClass, badSchema, endOfFile) on a
  // malformed block; the members read so far stay in the list.
  void Serialize(CArchive& ar) override;

  // Members whose class record names plain CBMComponent are created by
  // `factory` when loading. Lists whose member class is fixed by their owner
  // set it, since those member classes report CBMComponent as their class.
  void SetElementFactory(CBMComponent* (*factory)()) { elementFactory_ = factory; }
  // Loading accepts only class records of `cls` or of a class derived from
  // it and throws CArchiveException(badClass) for any other, so a list never
  // holds objects of a class its users do not expect. Null (the default)
  // accepts every class, except that a list with an element factory then
  // accepts only the plain CBMComponent record. Owners set it for every
  // list they archive.
  void SetMemberClass(const CRuntimeClass* cls) { memberClass_ = cls; }

  // Changes whenever a slot is removed (RemoveAt, DeleteItem, RemoveAll,
  // DeleteAll); Add leaves it. Indexes kept by the typed lists compare it to
  // know whether appends alone changed the list since they were built.
  uint64_t removalGeneration() const { return removals_; }

  // Called by a member when one of its keys changes or it is destroyed while
  // it sits in this list; keeps the look-up indexes right.
  void OnKeyChanging(CBMComponent* member, uint64_t seq, bm::IndexKey key, const std::string& from,
                     const std::string& to);
  void OnMemberDestroyed(CBMComponent* member, uint64_t seq);

 protected:
  // Find-or-create by name, shared by the typed lists' Add operations: the
  // first member named `name`, or a new T named with set_Name (which
  // upper-cases the caller's string) and appended.
  template <typename T>
  T* FindOrCreate(CString& name) {
    if (CBMComponent* found = GetItem(name)) return static_cast<T*>(found);
    T* created = new T;
    created->set_Name(name);
    Add(created);
    return created;
  }

  // True when some member, taken as a T, is the same as `e` by T::IsSameOf;
  // false for a null `e`. Shared by the typed lists' IsExist operations.
  template <typename T>
  bool HasSameOf(T* e) const {
    if (!e) return false;
    for (int i = 1; i <= GetCount(); ++i) {
      T* member = static_cast<T*>(GetItem(i));
      if (member && member->IsSameOf(e)) return true;
    }
    return false;
  }

 private:
  void ReSetComponentId();
  // First member whose `key` equals `value`, by index or by scan.
  CBMComponent* Lookup(bm::IndexKey key, const CString& value) const;
  CBMComponent* Scan(bm::IndexKey key, const CString& value) const;
  // Builds the index of `key` (and the slot links on first use).
  void BuildIndex(bm::IndexKey key) const;
  // Removes slot i (0-based) from the indexes and its member's links.
  void UnindexSlot(int i);
  // Drops the whole index and every member's link to this list.
  void DropIndex();

  CArrayT<CBMComponent*> items_;
  CBMComponent* (*elementFactory_)() = nullptr;
  const CRuntimeClass* memberClass_ = nullptr;
  uint64_t removals_ = 0;
  // Look-ups on lists at least this long are answered from hash indexes.
  static constexpr int kIndexThreshold = 24;
  mutable std::unique_ptr<bm::ListIndexState> index_;
};
