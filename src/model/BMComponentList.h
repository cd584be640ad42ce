// CBMComponentList: the ordered list of component pointers that every model
// collection derives from.
#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <type_traits>

#include "../platform/Array.h"
#include "../platform/ListBlock.h"
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
  // Appends a member newly made for a list that owns its members, and
  // returns it. When memory runs out on the way, `member` is freed and the
  // list is unchanged: whoever makes a member holds it in a unique_ptr until
  // this call, so that nothing leaks whichever allocation fails.
  template <typename T>
  T* Adopt(std::unique_ptr<T> member) {
    Add(member.get());
    return member.release();
  }
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

  // Typed access. The one safety rule: a member is handed out as a T only
  // when IsKindOf(T::StaticClass()) holds, so ItemAs gives null (and Members
  // skips the slot) for an empty slot, a position outside 1 to GetCount(),
  // and a member of another class. A class without a run-time class of its
  // own (a joint mass, an area spring) inherits its base's StaticClass, so
  // for it the test is its base's: its list's element factory and member
  // class are what keep other classes out.
  template <typename T>
  T* ItemAs(int i) const {
    return As<T>(GetItem(i));
  }
  // The first member named `name` exactly (as GetItem), when it is a T.
  template <typename T>
  T* ItemAs(const CString& name) const {
    return As<T>(GetItem(name));
  }
  // `member` as a T under the same rule, for a member found another way
  // (GetItemByMapHandle); null for null.
  template <typename T>
  static T* As(CBMComponent* member) {
    // Every member is a CBMComponent: asking for that class touches no
    // member (walks over a joint's connected elements stay in the list).
    if constexpr (std::is_same_v<T, CBMComponent>) {
      return member;
    } else {
      return member && member->IsKindOf(T::StaticClass()) ? static_cast<T*>(member) : nullptr;
    }
  }

  // Every member that is a T, in list order, as a range for range-for:
  // `for (CBMJoint& j : list->Members<CBMJoint>())`; with `from`, only those
  // at 1-based positions from `from` on (the storeys above the base are
  // `Members<CBMLevel>(2)`). Allocates and copies nothing. The count is
  // read at each step, as a 1 to GetCount() loop does, so members appended
  // during the loop are visited too; a removal during the loop may make it
  // skip a member (it never reads past the end).
  template <typename T>
  class MemberRange {
   public:
    class iterator {
     public:
      using iterator_category = std::forward_iterator_tag;
      using value_type = T;
      using difference_type = std::ptrdiff_t;
      using pointer = T*;
      using reference = T&;

      iterator(const CBMComponentList* list, int i) : list_(list), i_(i) { Settle(); }
      T& operator*() const { return *static_cast<T*>(list_->items_[i_]); }
      T* operator->() const { return static_cast<T*>(list_->items_[i_]); }
      iterator& operator++() {
        ++i_;
        Settle();
        return *this;
      }
      bool operator==(const iterator& o) const {
        return (AtEnd() && o.AtEnd()) || (i_ == o.i_ && list_ == o.list_);
      }
      bool operator!=(const iterator& o) const { return !(*this == o); }

     private:
      bool AtEnd() const { return !list_ || i_ >= list_->GetCount(); }
      // Moves forward to the next slot that holds a T (or to the end).
      void Settle() {
        while (!AtEnd() && !As<T>(list_->items_[i_])) ++i_;
      }
      const CBMComponentList* list_;
      int i_;  // 0-based slot
    };

    MemberRange(const CBMComponentList* list, int from) : list_(list), first_(from < 1 ? 0 : from - 1) {}
    iterator begin() const { return iterator(list_, first_); }
    iterator end() const { return iterator(nullptr, 0); }
    bool empty() const { return begin() == end(); }

   private:
    const CBMComponentList* list_;
    int first_;  // 0-based slot
  };
  template <typename T>
  MemberRange<T> Members(int from = 1) const {
    return MemberRange<T>(this, from);
  }

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
  // Loads the members of a block whose head has been read (see Serialize).
  void LoadMembers(CArchive& ar, const bm::ListBlockHead& head);

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

  // Counts the edits of a geometric key (a line's points or type, an area's
  // corners or type) that members made while this list tracked them. The
  // geometry indexes of the point, line and area lists compare it to know
  // whether a member they filed has moved, so an edit in one model leaves
  // the indexes of another model alone.
  uint64_t memberKeyEdits() const { return keyEdits_; }
  // Makes every member know that it sits in this list (as the first name
  // look-up on a long list does), so that its key edits reach the list.
  // Members added later are tracked as they come; RemoveAll and DeleteAll
  // stop the tracking until the next call.
  void TrackMembers() const;
  // Asks the cache for the list's array of members (a hint the processor
  // may drop; nothing changes), for passes that will read the members of
  // many short lists the cache no longer holds.
  void FetchMemberArray() const {
#if defined(__GNUC__)
    if (!items_.IsEmpty()) __builtin_prefetch(&items_[0]);
#endif
  }

  // Called by a member when one of its keys changes or it is destroyed while
  // it sits in this list; keeps the look-up indexes right.
  void OnKeyChanging(CBMComponent* member, uint64_t seq, bm::IndexKey key, std::string_view from,
                     std::string_view to);
  void OnMemberDestroyed(CBMComponent* member, uint64_t seq);
  void OnMemberKeyEdited() { ++keyEdits_; }

 protected:
  // Find-or-create by name, shared by the typed lists' Add operations: the
  // first member named `name` when it is a T (ItemAs), or else a new T named
  // with set_Name (which upper-cases the caller's string) and appended.
  template <typename T>
  T* FindOrCreate(CString& name) {
    if (T* found = ItemAs<T>(name)) return found;
    return CreateNamed<T>(name);
  }
  // The creating half of FindOrCreate, for a caller that has just found no
  // T named `name`.
  template <typename T>
  T* CreateNamed(CString& name) {
    auto created = std::make_unique<T>();
    created->set_Name(name);
    return Adopt(std::move(created));
  }

  // True when some member that is a T is the same as `e` by T::IsSameOf;
  // false for a null `e`. Shared by the typed lists' IsExist operations.
  template <typename T>
  bool HasSameOf(T* e) const {
    if (!e) return false;
    for (T& member : Members<T>()) {
      if (member.IsSameOf(e)) return true;
    }
    return false;
  }

 private:
  void ReSetComponentId();
  // First member whose `key` equals `value`, by index or by scan.
  CBMComponent* Lookup(bm::IndexKey key, const CString& value) const;
  CBMComponent* Scan(bm::IndexKey key, const CString& value) const;
  // Builds the index of `key` (and the slot links on first use); when memory
  // runs out, drops the whole index and throws.
  void BuildIndex(bm::IndexKey key) const;
  void BuildIndexOrThrow(bm::IndexKey key) const;
  // Removes slot i (0-based) from the indexes and its member's links.
  void UnindexSlot(int i);
  // Drops the whole index and every member's link to this list.
  void DropIndex();

  // The array and the index side by side: adding a member reads both, and
  // a list held by each of many members (a joint's elements) is reached
  // once per cache line.
  CArrayT<CBMComponent*> items_;
  mutable std::unique_ptr<bm::ListIndexState> index_;
  CBMComponent* (*elementFactory_)() = nullptr;
  const CRuntimeClass* memberClass_ = nullptr;
  uint64_t removals_ = 0;
  uint64_t keyEdits_ = 0;
  // Look-ups on lists at least this long are answered from hash indexes;
  // shorter lists are scanned, a few instructions a member (see
  // CString::Matcher), which costs no more than hashing and keeps a small
  // model free of index memory (a storey's plan of a few dozen members).
  static constexpr int kIndexThreshold = 64;
};
