// Hash indexes behind the geometric look-ups of the point, line and area
// lists (point by position, line by its two points, area by its corners).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "../BMComponentList.h"

namespace bm {

// Changes of a key (a point's coordinates, a line's points or type, an
// area's corners, count or type) made to an object that some index already
// holds reach that index through the lists that hold the object: the object
// tells them (CBMComponent::NoteKeyEditToLists) and each index compares its
// list's CBMComponentList::memberKeyEdits, so an edit in one model leaves the
// indexes of another model valid. Objects that no index holds yet change
// freely.

// Counts the full builds of geometry indexes in this process (first builds
// and rebuilds), so that tests can tell which edits make an index rebuild.
uint64_t GeometryIndexBuilds();

// Mixes a 64-bit value into a running hash.
uint64_t HashMix(uint64_t hash, uint64_t value);

// List positions (0-based) grouped under 64-bit keys, each group in list
// order. Keys are hashes: a group may hold positions of other keys too, so
// every candidate is checked against the look-up's own test.
class PositionChains {
 public:
  void Clear();
  // Makes room for positions up to n, growing geometrically so that a
  // refresh after every append costs constant time.
  void Reserve(size_t n);
  // Files position `pos` under `key`; positions must come in rising order
  // and each exactly once (Skip for a slot that is not filed).
  void Append(uint64_t key, int32_t pos);
  void Skip(int32_t pos);
  // First position filed under `key`, or -1.
  int32_t Head(uint64_t key) const;
  // The next position under the same key as `pos`, or -1.
  int32_t Next(int32_t pos) const { return next_[static_cast<size_t>(pos)]; }
  // Whether `pos` (below Positions()) is the first position filed under its
  // key; false for a skipped one.
  bool FirstUnderKey(int32_t pos) const { return heads_[static_cast<size_t>(pos)] != 0; }
  int32_t Positions() const { return static_cast<int32_t>(next_.size()); }
  // The positions of the last three look-ups' answers, which the next
  // look-up tries first (see ChainFirst). Three, for the corners of a row
  // of slabs: each slab asks for two points on each of two rows of points,
  // each next to a point the slab before asked for on that row, and one
  // remembered answer covers one row only. Each answer found so spares a
  // read of a table that outgrows the cache with the plan (building the
  // demo at 10/158: 0.9 of the time with three than with one, for 2.4% more
  // instructions at every size).
  RecentAnswers<3>& Recent() const { return recent_; }

 private:
  // An open-addressing table of keys with the ends of their chains (head -1:
  // a free entry), at most half full, probed linearly. Keys are hashes
  // already, so their low bits pick the entry.
  struct Ends {
    uint64_t key;
    int32_t head;
    int32_t tail;
  };
  void Grow();
  std::vector<Ends> table_;
  size_t keys_ = 0;
  std::vector<int32_t> next_;
  std::vector<uint8_t> heads_;  // per position: 1 when first under its key
  mutable RecentAnswers<3> recent_;
};

// An index of one list that follows the list lazily: before each look-up
// Refresh files the slots appended since the last one, or rebuilds the
// whole index when a slot was removed or an indexed object's key changed.
// Appending, the managers' pattern, thus costs constant time per slot.
class GeometryIndex {
 public:
  // `keyOf(member, &key)` gives the key of a member that is a T, or false
  // for a member that no look-up can ever find. It is called once per filed
  // slot; slots that hold no T are not filed.
  template <typename T, typename KeyFn>
  void Refresh(const CBMComponentList& list, KeyFn keyOf);

  const PositionChains& chains() const { return chains_; }

 private:
  // Whether the filed slots no longer tell the truth: a slot was removed,
  // a filed member's key changed, or the list is shorter than filed.
  bool Stale(const CBMComponentList& list) const;
  // Empties the index before filing the whole list again.
  void Restart(const CBMComponentList& list);

  PositionChains chains_;
  bool built_ = false;
  int indexed_ = 0;  // slots filed so far: positions 0 to indexed_ - 1
  uint64_t removals_ = 0;
  uint64_t listEdits_ = 0;
};

// Lists shorter than this are scanned: a scan of a few slots is cheaper
// than keeping an index.
inline constexpr int kGeometryIndexThreshold = 16;

template <typename T, typename KeyFn>
void GeometryIndex::Refresh(const CBMComponentList& list, KeyFn keyOf) {
  if (Stale(list)) Restart(list);
  const int count = list.GetCount();
  if (indexed_ == count) return;
  chains_.Reserve(static_cast<size_t>(count));
  for (int i = indexed_; i < count; ++i) {
    const T* member = list.ItemAs<T>(i + 1);
    uint64_t key = 0;
    if (member && keyOf(*member, &key)) {
      chains_.Append(key, i);
    } else {
      chains_.Skip(i);
    }
  }
  indexed_ = count;
}

// The look-up steps that the point, line and area lists share.

// The chains of `list`'s index, created on first use and brought up to date
// (see GeometryIndex::Refresh); null for a list short enough to scan.
template <typename T, typename KeyFn>
const PositionChains* ChainsFor(std::unique_ptr<GeometryIndex>& index, const CBMComponentList& list,
                                KeyFn keyOf) {
  if (list.GetCount() < kGeometryIndexThreshold) return nullptr;
  if (!index) index = std::make_unique<GeometryIndex>();
  index->Refresh<T>(list, keyOf);
  return &index->chains();
}

// The first member of `list`, as a T, that `match` accepts: by a scan.
template <typename T, typename Match>
T* ScanFirst(const CBMComponentList& list, Match match) {
  for (T& member : list.Members<T>()) {
    if (match(member)) return &member;
  }
  return nullptr;
}

// The first member filed under `key` in `chains`, as a T, that `match`
// accepts (positions under a key come in list order). Every member that
// `match` accepts must be filed under `key`: then a member near a recent
// answer (bm::RecentAnswers) that `match` accepts and that is the first
// filed under its key is the answer, without a read of the table.
template <typename T, typename Match>
T* ChainFirst(const CBMComponentList& list, const PositionChains& chains, uint64_t key, Match match) {
  T* found = nullptr;
  const auto take = [&](int32_t pos) {
    found = list.ItemAs<T>(pos + 1);
    return found && match(*found);
  };
  const auto takeFirst = [&](size_t pos) {
    return chains.FirstUnderKey(static_cast<int32_t>(pos)) && take(static_cast<int32_t>(pos));
  };
  if (chains.Recent().Try(static_cast<size_t>(chains.Positions()), takeFirst)) return found;
  for (int32_t pos = chains.Head(key); pos >= 0; pos = chains.Next(pos)) {
    if (!take(pos)) continue;
    chains.Recent().Note(static_cast<size_t>(pos));
    return found;
  }
  return nullptr;
}

}  // namespace bm
