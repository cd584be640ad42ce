// JointMemo: the joint a storey has at a plan point, as the reader found or
// made it, so that the members met later at a shared joint find it without
// a look-up by name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CBMComponentList;
class CBMJoint;
class CBMPoint;

namespace bm::reader {

class JointMemo {
 public:
  // The joint noted for the point in the storey's joint list `joints`, or
  // null. Once that list has lost a member (its removal count moved), what
  // was noted for it is forgotten, since a noted joint may be gone.
  CBMJoint* Find(const CBMComponentList& joints, const CBMPoint* point);
  void Note(const CBMComponentList& joints, const CBMPoint* point, CBMJoint* joint);
  // Forgets everything and gives the memory back.
  void Clear();

 private:
  struct Entry {
    const CBMPoint* point;
    CBMJoint* joint;  // null: a free slot
  };
  // The table of one joint list, sized to the joints noted in it (a model's
  // storeys differ in size), with the list's removal count when first seen.
  struct Storey {
    const CBMComponentList* list;
    uint64_t removals;
    std::vector<Entry> slots;  // open addressing, a power of two in size
    size_t used = 0;
    unsigned shift = 64;  // 64 less the bits of a slot's number
  };
  // The table of `joints`, made when first asked for and emptied when the
  // list has lost a member since.
  Storey& StoreyOf(const CBMComponentList& joints);
  static size_t Home(const Storey& s, const CBMPoint* point);
  static void Grow(Storey& s);
  static void Put(Storey& s, const CBMPoint* point, CBMJoint* joint);

  std::vector<Storey> storeys_;
  size_t last_ = 0;  // where the last list asked for sits in storeys_
};

}  // namespace bm::reader
