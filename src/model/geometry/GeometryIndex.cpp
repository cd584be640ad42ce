// Hash indexes behind the geometric look-ups of the point, line and area
// lists.
#include "model/geometry/GeometryIndex.h"

#include <algorithm>
#include <atomic>

namespace bm {

namespace {
// Atomic so that separate models used from separate threads stay free of
// data races.
std::atomic<uint64_t> g_builds{0};
}  // namespace

uint64_t GeometryIndexBuilds() { return g_builds.load(std::memory_order_relaxed); }

bool GeometryIndex::Stale(const CBMComponentList& list) const {
  return !built_ || list.removalGeneration() != removals_ || list.memberKeyEdits() != listEdits_ ||
         list.GetCount() < indexed_;
}

void GeometryIndex::Restart(const CBMComponentList& list) {
  // The members learn that they sit in the list, so that their key edits
  // reach it (and so this index) from now on.
  list.TrackMembers();
  chains_.Clear();
  indexed_ = 0;
  removals_ = list.removalGeneration();
  listEdits_ = list.memberKeyEdits();
  built_ = true;
  g_builds.fetch_add(1, std::memory_order_relaxed);
}

uint64_t HashMix(uint64_t hash, uint64_t value) {
  // splitmix64 finaliser over the running hash and the value.
  uint64_t z = hash ^ (value + 0x9E3779B97F4A7C15ULL + (hash << 6) + (hash >> 2));
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

void PositionChains::Clear() {
  table_.clear();
  keys_ = 0;
  next_.clear();
  heads_.clear();
  recent_.Clear();
}

void PositionChains::Reserve(size_t n) {
  if (n > next_.capacity()) next_.reserve(std::max(n, 2 * next_.capacity()));
  if (n > heads_.capacity()) heads_.reserve(std::max(n, 2 * heads_.capacity()));
}

void PositionChains::Grow() {
  const size_t capacity = table_.empty() ? 64 : 2 * table_.size();
  std::vector<Ends> old(capacity, Ends{0, -1, -1});
  old.swap(table_);
  const size_t mask = capacity - 1;
  for (const Ends& e : old) {
    if (e.head < 0) continue;
    size_t i = e.key & mask;
    while (table_[i].head >= 0) i = (i + 1) & mask;
    table_[i] = e;
  }
}

void PositionChains::Append(uint64_t key, int32_t pos) {
  if ((keys_ + 1) * 2 > table_.size()) Grow();
  next_.push_back(-1);
  heads_.push_back(0);
  const size_t mask = table_.size() - 1;
  size_t i = key & mask;
  while (table_[i].head >= 0 && table_[i].key != key) i = (i + 1) & mask;
  Ends& e = table_[i];
  if (e.head < 0) {
    e = Ends{key, pos, pos};
    ++keys_;
    heads_.back() = 1;
    return;
  }
  next_[static_cast<size_t>(e.tail)] = pos;
  e.tail = pos;
}

void PositionChains::Skip(int32_t /*pos*/) {
  next_.push_back(-1);
  heads_.push_back(0);
}

int32_t PositionChains::Head(uint64_t key) const {
  if (table_.empty()) return -1;
  const size_t mask = table_.size() - 1;
  for (size_t i = key & mask; table_[i].head >= 0; i = (i + 1) & mask) {
    if (table_[i].key == key) return table_[i].head;
  }
  return -1;
}

}  // namespace bm
