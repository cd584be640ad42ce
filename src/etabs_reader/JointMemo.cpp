#include "etabs_reader/JointMemo.h"

#include "model/BMComponentList.h"

namespace bm::reader {

JointMemo::Storey& JointMemo::StoreyOf(const CBMComponentList& joints) {
  if (lastList_ != &joints) {
    auto [at, made] = storeys_.try_emplace(&joints);
    if (made) at->second.removals = joints.removalGeneration();
    lastList_ = &joints;
    last_ = &at->second;
  }
  if (last_->removals != joints.removalGeneration()) *last_ = Storey{joints.removalGeneration(), {}, 0};
  return *last_;
}

size_t JointMemo::Home(const Storey& s, const CBMPoint* point) {
  // The middle bits of a multiply are ones every bit of the address reaches
  // (the lowest bits of an address are the same for every object).
  const auto p = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(point));
  return static_cast<size_t>((p * 0x9E3779B97F4A7C15ull) >> 32) & (s.slots.size() - 1);
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
  for (const Entry& e : old) {
    if (e.joint) Put(s, e.point, e.joint);
  }
}

void JointMemo::Clear() {
  std::unordered_map<const CBMComponentList*, Storey>().swap(storeys_);
  lastList_ = nullptr;
  last_ = nullptr;
}

}  // namespace bm::reader
