// Hash indexes behind the geometric look-ups of the point, line and area
// lists.
#include "model/geometry/GeometryIndex.h"

#include <atomic>

namespace bm {

namespace {
// One counter per kind. Atomic so that separate models used from separate
// threads stay free of data races; a count moved by another model only
// costs a rebuild.
std::atomic<uint64_t> g_edits[3];
}  // namespace

uint64_t GeometryEdits(GeometryKind kind) {
  return g_edits[static_cast<int>(kind)].load(std::memory_order_relaxed);
}

void NoteGeometryEdit(GeometryKind kind) { g_edits[static_cast<int>(kind)].fetch_add(1, std::memory_order_relaxed); }

uint64_t HashMix(uint64_t hash, uint64_t value) {
  // splitmix64 finaliser over the running hash and the value.
  uint64_t z = hash ^ (value + 0x9E3779B97F4A7C15ULL + (hash << 6) + (hash >> 2));
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

void PositionChains::Clear() {
  ends_.clear();
  next_.clear();
}

void PositionChains::Append(uint64_t key, int32_t pos) {
  next_.push_back(-1);
  auto [it, inserted] = ends_.try_emplace(key, Ends{pos, pos});
  if (inserted) return;
  next_[static_cast<size_t>(it->second.tail)] = pos;
  it->second.tail = pos;
}

void PositionChains::Skip(int32_t /*pos*/) { next_.push_back(-1); }

int32_t PositionChains::Head(uint64_t key) const {
  auto it = ends_.find(key);
  return it == ends_.end() ? -1 : it->second.head;
}

}  // namespace bm
