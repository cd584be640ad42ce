// ZBMComponent and ZBMComponentList: the named object and the 1-based list
// that the text-file reader's own token objects rest on.
#pragma once

#include <memory>

#include "../platform/Archive.h"
#include "../platform/Array.h"
#include "../platform/RuntimeClass.h"
#include "../platform/String.h"

class ZBMComponentList;
class ZComItem;
class ZComItemList;

// A minimal named object of the reading side: a 1-based id, a free map id, a
// type word ("ZBMComponent" by default) and a name kept exactly as given (no
// case change). Only the id and the name are archived.
class ZBMComponent : public CObject {
  BM_DECLARE_SERIAL(ZBMComponent)

 public:
  ZBMComponent() = default;
  ~ZBMComponent() override = default;

  int get_Id() const { return Id; }
  void set_Id(int id) { Id = id; }
  void set_MapId(int id) { MapId = id; }

  CString get_ObjectType() const;
  void set_ObjectType(CString type);

  CString get_Name() const { return Name; }
  // The name without a copy.
  const CString& name() const { return Name; }
  // Stores a copy of `name`; letter case is kept.
  void set_Name(CString name) { Name = std::move(name); }

  // Stores / loads Id (4-byte int) then Name (archive string).
  void Serialize(CArchive& ar) override;

  // Does nothing and returns 0; kept for hosts that override it.
  virtual int CreateTopo(ZBMComponentList* a, ZBMComponentList* b, ZBMComponentList* c);

  // This object as a line or as a keyword block; null when it is not one.
  // The reader asks once per line, so a virtual call stands in for a cast.
  virtual ZComItem* AsComItem() { return nullptr; }
  virtual ZComItemList* AsComList() { return nullptr; }

 protected:
  int Id = 0;
  // Decision: the map id starts at 0 rather than unset, so reading it is defined.
  int MapId = 0;
  // The type word; null stands for the default "ZBMComponent", so the many
  // token lines of a file carry no string of their own for it.
  std::unique_ptr<CString> ObjectType;
  CString Name;
};

// An ordered array of ZBMComponent pointers with 1-based positions. This base
// list never deletes its members when destroyed (ZComItemList does).
class ZBMComponentList : public ZBMComponent {
  BM_DECLARE_SERIAL(ZBMComponentList)

 public:
  ZBMComponentList() = default;
  ~ZBMComponentList() override = default;

  // Sets p's Id to GetCount() + 1 and appends it. Ownership follows the list
  // class: this base list does not delete, ZComItemList does.
  void Add(ZBMComponent* p);
  void AddTail(ZBMComponent* p) { Add(p); }
  // Appends a member newly made for a list that owns its members (a
  // ZComItemList), and returns it; when memory runs out on the way, `member`
  // is freed and the list is unchanged.
  template <typename T>
  T* Adopt(std::unique_ptr<T> member) {
    Add(member.get());
    return member.release();
  }
  // Not supported: shows "Not usefull!  ADDHEAD method!" and adds nothing.
  void AddHead(ZBMComponent* p);

  int GetCount() const { return Items.GetSize(); }
  // Member at 1-based position i; null outside 1 to GetCount().
  ZBMComponent* GetItem(int i) const;
  // First member whose name equals `name` byte for byte; null if none.
  ZBMComponent* GetItem(const CString& name) const;
  // Id of that member; 0 if none.
  int GetItemId(const CString& name) const;

  // Deletes member i (when not null), closes the gap and renumbers 1 to n.
  // Positions outside 1 to GetCount() do nothing.
  void RemoveAt(int i);
  // Empties the list without deleting any member.
  void RemoveAll();
  // Deletes every non-null member in order, then empties the list.
  void DeleteAll();
  // Reserves room for n members (no change of content).
  void Reserve(int n) { Items.Reserve(n > 0 ? static_cast<size_t>(n) : 0); }

  // Count, the first member's class record, then each member's record.
  // Loading appends members created as the recorded class and throws
  // CArchiveException (badClass, badSchema, endOfFile) on a malformed
  // block; the members read so far stay in the list.
  void Serialize(CArchive& ar) override;

 private:
  void ReSetComponentId();
  CArrayT<ZBMComponent*> Items;
};
