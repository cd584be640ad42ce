// JointMemo: the joint a storey has at a plan point, as the reader found or
// made it, so that the members met later at a shared joint find it without
// a look-up by name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CBMComponentList;
class CBMJoint;
class CBMLevel;
class CBMPoint;

namespace bm::reader {

class JointMemo {
 public:
  // The joint noted for the storey and point, or null. `joints` is the
  // storey's joint list: once a member has left it (its removal count
  // moved), everything noted is forgotten, since a noted joint may be gone.
  CBMJoint* Find(const CBMLevel* level, const CBMPoint* point, const CBMComponentList& joints);
  void Note(const CBMLevel* level, const CBMPoint* point, CBMJoint* joint);
  // Forgets everything and gives the memory back.
  void Clear();

 private:
  struct Entry {
    const CBMLevel* level;
    const CBMPoint* point;
    CBMJoint* joint;  // null: a free slot
  };
  // A joint list seen, with its removal count then.
  struct Watched {
    const CBMComponentList* list;
    uint64_t removals;
  };
  bool StillValid(const CBMComponentList& joints);
  size_t Home(const CBMLevel* level, const CBMPoint* point) const;
  void Grow();

  std::vector<Entry> slots_;  // open addressing, a power of two in size
  size_t used_ = 0;
  unsigned shift_ = 64;  // 64 less the bits of a slot's number
  std::vector<Watched> watched_;
  size_t lastWatched_ = 0;  // where the last list was found in watched_
};

}  // namespace bm::reader
