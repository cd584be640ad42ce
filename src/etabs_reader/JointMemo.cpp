#include "etabs_reader/JointMemo.h"

#include "model/BMComponentList.h"

namespace bm::reader {

JointMemo::Storey& JointMemo::StoreyOf(const CBMComponentList& joints) {
  // Members meet joints storey after storey: the list of the last call is
  // nearly always the one asked for again.
  if (last_ >= storeys_.size() || storeys_[last_].list != &joints) {
    last_ = 0;
    while (last_ < storeys_.size() && storeys_[last_].list != &joints) ++last_;
    if (last_ == storeys_.size()) storeys_.push_back(Storey{&joints, joints.removalGeneration(), {}, 0, 64});
  }
  Storey& s = storeys_[last_];
  if (s.removals != joints.removalGeneration()) s = Storey{&joints, joints.removalGeneration(), {}, 0, 64};
  return s;
}

size_t JointMemo::Home(const Storey& s, const CBMPoint* point) {
  // The top bits of a multiply are the ones every bit of the address reaches.
  const auto p = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(point));
  return static_cast<size_t>((p * 0x9E3779B97F4A7C15ull) >> s.shift);
}

CBMJoint* JointMemo::Find(const CBMComponentList& joints, const CBMPoint* point) {
  const Storey& s = StoreyOf(joints);
  if (s.slots.empty()) return nullptr;
  const size_t mask = s.slots.size() - 1;
  for (size_t i = Home(s, point);; i = (i + 1) & mask) {
    const Entry& e = s.slots[i];
    if (!e.joint || e.point == point) return e.joint;
  }
}

void JointMemo::Note(const CBMComponentList& joints, const CBMPoint* point, CBMJoint* joint) {
  if (!joint) return;
  Storey& s = StoreyOf(joints);
  // At most three quarters full, so that a probe ends soon at a free slot.
  if (4 * (s.used + 1) > 3 * s.slots.size()) Grow(s);
  Put(s, point, joint);
}

void JointMemo::Put(Storey& s, const CBMPoint* point, CBMJoint* joint) {
  const size_t mask = s.slots.size() - 1;
  for (size_t i = Home(s, point);; i = (i + 1) & mask) {
    Entry& e = s.slots[i];
    if (!e.joint) {
      e = {point, joint};
      ++s.used;
      return;
    }
    if (e.point == point) {
      e.joint = joint;
      return;
    }
  }
}

void JointMemo::Grow(Storey& s) {
  std::vector<Entry> old(s.slots.empty() ? 16 : 2 * s.slots.size(), Entry{nullptr, nullptr});
  old.swap(s.slots);
  s.used = 0;
  s.shift = 64;
  for (size_t n = s.slots.size(); n > 1; n >>= 1) --s.shift;
  for (const Entry& e : old) {
    if (e.joint) Put(s, e.point, e.joint);
  }
}

void JointMemo::Clear() {
  std::vector<Storey>().swap(storeys_);
  last_ = 0;
}

}  // namespace bm::reader
