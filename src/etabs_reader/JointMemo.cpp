#include "etabs_reader/JointMemo.h"

#include "model/BMComponentList.h"

namespace bm::reader {

bool JointMemo::StillValid(const CBMComponentList& joints) {
  // Members meet joints storey after storey: the list of the last call is
  // nearly always the one asked for again.
  if (lastWatched_ >= watched_.size() || watched_[lastWatched_].list != &joints) {
    lastWatched_ = 0;
    while (lastWatched_ < watched_.size() && watched_[lastWatched_].list != &joints) ++lastWatched_;
    if (lastWatched_ == watched_.size()) watched_.push_back({&joints, joints.removalGeneration()});
  }
  if (watched_[lastWatched_].removals == joints.removalGeneration()) return true;
  Clear();
  return false;
}

size_t JointMemo::Home(const CBMLevel* level, const CBMPoint* point) const {
  const auto l = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(level));
  const auto p = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(point));
  // The top bits of a multiply are the ones every input bit reaches.
  const uint64_t h = (p ^ (l * 0x9E3779B97F4A7C15ull)) * 0xD6E8FEB86659FD93ull;
  return static_cast<size_t>(h >> shift_);
}

CBMJoint* JointMemo::Find(const CBMLevel* level, const CBMPoint* point, const CBMComponentList& joints) {
  if (!StillValid(joints) || slots_.empty()) return nullptr;
  const size_t mask = slots_.size() - 1;
  for (size_t i = Home(level, point);; i = (i + 1) & mask) {
    const Entry& e = slots_[i];
    if (!e.joint) return nullptr;
    if (e.level == level && e.point == point) return e.joint;
  }
}

void JointMemo::Note(const CBMLevel* level, const CBMPoint* point, CBMJoint* joint) {
  if (!joint) return;
  // At most three quarters full, so that a probe ends soon at a free slot.
  if (4 * (used_ + 1) > 3 * slots_.size()) Grow();
  const size_t mask = slots_.size() - 1;
  for (size_t i = Home(level, point);; i = (i + 1) & mask) {
    Entry& e = slots_[i];
    if (!e.joint) {
      e = {level, point, joint};
      ++used_;
      return;
    }
    if (e.level == level && e.point == point) {
      e.joint = joint;
      return;
    }
  }
}

void JointMemo::Grow() {
  std::vector<Entry> old(slots_.empty() ? 256 : 2 * slots_.size(), Entry{nullptr, nullptr, nullptr});
  old.swap(slots_);
  used_ = 0;
  shift_ = 64;
  for (size_t n = slots_.size(); n > 1; n >>= 1) --shift_;
  for (const Entry& e : old) {
    if (e.joint) Note(e.level, e.point, e.joint);
  }
}

void JointMemo::Clear() {
  std::vector<Entry>().swap(slots_);
  std::vector<Watched>().swap(watched_);
  used_ = 0;
  shift_ = 64;
  lastWatched_ = 0;
}

}  // namespace bm::reader
