// JointMemo: the joint a storey has at a plan point, as the reader found or
// made it, so that the members met later at a shared joint find it without
// a look-up by name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
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
  // storeys differ in size), with the list's removal count when it was made.
  struct Storey {
    uint64_t removals = 0;
    std::vector<Entry> slots;  // open addressing, a power of two in size
    size_t used = 0;
  };
  // The table of `joints`, made when first asked for and made anew when the
  // list has lost a member since.
  Storey& StoreyOf(const CBMComponentList& joints);
  static size_t Home(const Storey& s, const CBMPoint* point);
  static void Grow(Storey& s);
  static void Put(Storey& s, const CBMPoint* point, CBMJoint* joint);

  // By joint list; the nodes stay where they are as storeys are added.
  std::unordered_map<const CBMComponentList*, Storey> storeys_;
  // The last list asked for and its table: members come storey by storey.
  const CBMComponentList* lastList_ = nullptr;
  Storey* last_ = nullptr;
};

}  // namespace bm::reader
