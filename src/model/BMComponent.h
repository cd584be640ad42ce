// CBMComponent: the base of every object of the building model.
#pragma once

#include <memory>

#include "model/ListIndex.h"
#include "platform/Archive.h"
#include "platform/RuntimeClass.h"
#include "platform/String.h"

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

  CString get_MapHandle() const { return MapHandle; }
  const CString& mapHandle() const { return MapHandle; }
  void set_MapHandle(CString handle);
  // The stored out handle. Legacy: the reference allows writing; look-ups by
  // out handle only see changes made through set_OutHandle.
  CString& get_OutHandle() { return OutHandle; }
  const CString& outHandle() const { return OutHandle; }
  void set_OutHandle(const CString& handle);

  // Stores / loads Id (4-byte int) then Name (archive string). A loaded name
  // is taken as stored, not upper-cased again.
  void Serialize(CArchive& ar) override;

 protected:
  // Replaces a key field, keeping the indexes of the lists that hold the
  // component right.
  void ChangeKey(bm::IndexKey key, CString& field, CString value);

  CString OutHandle;
  int Id = 0;
  CString MapHandle;
  BMComponentType ObjectType = BM_NONE;
  CString Name;

 private:
  friend class CBMComponentList;
  std::unique_ptr<bm::IndexLinks> indexLinks_;
};
