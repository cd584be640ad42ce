// Hash indexes behind the geometric look-ups of the point, line and area
// lists (point by position, line by its two points, area by its corners).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "../BMComponentList.h"

namespace bm {

// The kinds of geometry whose look-up keys an index holds.
enum class GeometryKind { kPoint = 0, kLine = 1, kArea = 2 };

// Counts changes of a key (a point's coordinates, a line's points or type,
// an area's corners, count or type) made to an object that some index
// already holds. Every index of that kind rebuilds itself when the count has
// moved since it was built; objects that no index holds yet change freely.
uint64_t GeometryEdits(GeometryKind kind);
void NoteGeometryEdit(GeometryKind kind);

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
};

// An index of one list that follows the list lazily: before each look-up
// Refresh files the slots appended since the last one, or rebuilds the
// whole index when a slot was removed or an indexed object's key changed.
// Appending, the managers' pattern, thus costs constant time per slot.
class GeometryIndex {
 public:
  // `keyOf(member, &key)` gives the member's key, or false for a member
  // that no look-up can ever find. It is called once per filed slot.
  template <typename KeyFn>
  void Refresh(const CBMComponentList& list, GeometryKind kind, KeyFn keyOf);

  const PositionChains& chains() const { return chains_; }

 private:
  PositionChains chains_;
  bool built_ = false;
  int indexed_ = 0;  // slots filed so far: positions 0 to indexed_ - 1
  uint64_t removals_ = 0;
  uint64_t edits_ = 0;
};

// Lists shorter than this are scanned: a scan of a few slots is cheaper
// than keeping an index.
inline constexpr int kGeometryIndexThreshold = 16;

template <typename KeyFn>
void GeometryIndex::Refresh(const CBMComponentList& list, GeometryKind kind, KeyFn keyOf) {
  const int count = list.GetCount();
  const uint64_t removals = list.removalGeneration();
  const uint64_t edits = GeometryEdits(kind);
  if (!built_ || removals != removals_ || edits != edits_ || count < indexed_) {
    chains_.Clear();
    indexed_ = 0;
    removals_ = removals;
    edits_ = edits;
    built_ = true;
  }
  if (indexed_ == count) return;
  chains_.Reserve(static_cast<size_t>(count));
  for (int i = indexed_; i < count; ++i) {
    CBMComponent* member = list.GetItem(i + 1);
    uint64_t key = 0;
    if (member && keyOf(member, &key)) {
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
template <typename KeyFn>
const PositionChains* ChainsFor(std::unique_ptr<GeometryIndex>& index, const CBMComponentList& list,
                                GeometryKind kind, KeyFn keyOf) {
  if (list.GetCount() < kGeometryIndexThreshold) return nullptr;
  if (!index) index = std::make_unique<GeometryIndex>();
  index->Refresh(list, kind, keyOf);
  return &index->chains();
}

// The first member of `list`, as a T, that `match` accepts: by a scan.
template <typename T, typename Match>
T* ScanFirst(const CBMComponentList& list, Match match) {
  for (int i = 1; i <= list.GetCount(); ++i) {
    T* member = static_cast<T*>(list.GetItem(i));
    if (member && match(*member)) return member;
  }
  return nullptr;
}

// The first member filed under `key` in `chains`, as a T, that `match`
// accepts (positions under a key come in list order).
template <typename T, typename Match>
T* ChainFirst(const CBMComponentList& list, const PositionChains& chains, uint64_t key, Match match) {
  for (int32_t pos = chains.Head(key); pos >= 0; pos = chains.Next(pos)) {
    T* member = static_cast<T*>(list.GetItem(pos + 1));
    if (member && match(*member)) return member;
  }
  return nullptr;
}

}  // namespace bm
