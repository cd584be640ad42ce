// Hash indexes behind the name and handle look-ups of CBMComponentList.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

class CBMComponent;
class CBMComponentList;

namespace bm {

// Which text key of a component an index is built on.
enum class IndexKey { kName = 0, kMapHandle = 1, kOutHandle = 2 };
inline constexpr int kIndexKeyCount = 3;

// Look-ups mostly come in list order (files name members in the order they
// were defined, a storey repeats the plan of the one below), often as a few
// interleaved runs (a plan's members take their joints along the row and
// from the next row): the member asked for next sits at a recent answer's
// position or the one after it, next to a member just read, where a table
// slot of a large list is a cache miss. Look-ups down a plan's columns (the
// points filed row by row) come a row apart: the member asked for next sits
// as far past the last answer as that one was past the answer before.
// RecentAnswers keeps the positions of the last `Count` answers, the most
// recently used first.
template <int Count>
class RecentAnswers {
 public:
  RecentAnswers() {
    for (size_t& pos : positions_) pos = SIZE_MAX;
  }
  // Calls take(pos) for the positions where the answer most likely sits,
  // below `count`, until it returns true: each remembered position and the
  // one after it, then the position one stride past the last answer. The
  // position taken becomes the most recent answer. Whether one was.
  template <typename Take>
  bool Try(size_t count, Take take) {
    return TryNear(count, take) || TryStride(count, take);
  }
  // A new answer, found elsewhere: it becomes the most recent, the least
  // recent is forgotten.
  void Note(size_t pos) { Use(Count - 1, pos); }
  void Clear() { *this = RecentAnswers(); }

 private:
  // Calls take(pos) for each remembered position and the one after it,
  // below `count`, until it returns true; that position becomes the most
  // recent answer. Whether one did.
  template <typename Take>
  bool TryNear(size_t count, Take take) {
    for (int r = 0; r < Count; ++r) {
      const size_t last = positions_[r];
      for (size_t pos = last; pos < count && pos - last <= 1; ++pos) {
        if (!take(pos)) continue;
        Use(r, pos);
        return true;
      }
    }
    return false;
  }
  // Calls take(pos) for the position as far past the most recent answer as
  // that one was past the answer before it, below `count`; when it returns
  // true, that position becomes the most recent answer. Whether it did.
  template <typename Take>
  bool TryStride(size_t count, Take take) {
    static_assert(Count >= 2, "a stride needs two answers");
    const size_t last = positions_[0], before = positions_[1];
    if (last == SIZE_MAX || before == SIZE_MAX || last <= before) return false;
    const size_t pos = last + (last - before);
    if (pos >= count || !take(pos)) return false;
    Use(Count - 1, pos);
    return true;
  }
  void Use(int r, size_t pos) {
    for (; r > 0; --r) positions_[r] = positions_[r - 1];
    positions_[0] = pos;
  }
  size_t positions_[Count];  // SIZE_MAX: none
};

// One list slot: its insertion sequence number (list order) and its member.
struct IndexEntry {
  uint64_t seq;
  CBMComponent* member;
};

// Maps a key to the slots whose member bears it: an open-addressing table of
// (tag, member) entries, so that an entry costs no allocation of its own and
// a probe reads 16 bytes (four entries to a cache line). A name or map
// handle of up to seven bytes is its own tag (its bytes and its length), so
// equal tags mean equal keys and a look-up does not touch the member (a
// cache miss apiece in a large model); those keys change only through the
// member, which tells the list. Other keys are tagged by their hash and the
// member's current key is compared (an out handle may be written through
// its reference, unseen by the list). Entries of equal keys share a probe
// chain; a look-up takes the one whose member sits first in the list, by
// the sequence numbers of the member's links to the list (read only when
// two entries match). A member that sits in two slots has two equal
// entries, and erasing either is the same. Slots with an empty key are not
// indexed (look-ups of the empty key scan the list instead, where the first
// slot usually answers).
class KeyIndex {
 public:
  explicit KeyIndex(IndexKey key = IndexKey::kName) : key_(key) {}
  void SetKey(IndexKey key) { key_ = key; }
  // `key` is the member's current value of this index's key.
  void Insert(std::string_view key, IndexEntry entry);
  // Removes an entry of `member` filed under `key`.
  void Erase(std::string_view key, const CBMComponent* member);
  // The member bearing `key` that sits first in `list`, the list this index
  // belongs to; null if none.
  CBMComponent* First(std::string_view key, const CBMComponentList* list) const;
  // Makes room for `count` live entries in all, so that inserting up to
  // that many rehashes nothing.
  void Reserve(size_t count);
  void Clear();
  // Whether no two entries have borne one key since the index was filled
  // (an erase does not make it so again): then a member of the list that
  // bears a key is the one First gives.
  bool Unique() const { return !shared_; }
  // Slots of the table (entries, erased ones and free ones).
  size_t TableSlots() const { return slots_.size(); }

 private:
  struct Slot {
    uint64_t tag;
    CBMComponent* member;  // null: never used; kTombstone: erased
  };
  uint64_t Tag(std::string_view key) const;
  static bool IsWholeKey(uint64_t tag) { return (tag >> 63) != 0; }
  static size_t Home(uint64_t tag, size_t mask);
  // Whether `entries` (tombstones included) keep a table of `slots` at most
  // three quarters full.
  static bool WithinLoad(size_t entries, size_t slots) { return entries * 4 <= slots * 3; }
  // Whether the entry of tag `tag` and member `member` bears `key` (of tag `tag`).
  bool Bears(uint64_t tag, const CBMComponent& member, std::string_view key) const;
  // Rehashes into a table that holds `live` entries at most three quarters
  // full.
  void Grow(size_t live);
  IndexKey key_;
  // The last answer found: the first member bearing a key of tag `tag`.
  // Model files and hosts look the same name up several times in a row (a
  // joint shared by consecutive members, several loads on one member), and
  // a large table costs a cache miss per look-up. Appending cannot make an
  // earlier match; an erase, or an insert of a slot not after every slot
  // inserted so far (a renamed member's), drops it.
  struct Memo {
    uint64_t tag = 0;
    CBMComponent* member = nullptr;
  };
  mutable Memo memo_;
  uint64_t seqEnd_ = 0;  // one past the greatest sequence number inserted
  std::vector<Slot> slots_;
  size_t used_ = 0;  // live entries and tombstones
  size_t live_ = 0;
  bool shared_ = false;
};

// A slot of an indexed list that holds a component: renaming or destroying
// the component tells the list, so its indexes stay right.
struct IndexLink {
  CBMComponentList* list;
  uint64_t seq;
};

// The index state of one list, built on its first look-up once the list is
// long enough for a scan to cost more than a hash.
struct ListIndexState {
  KeyIndex keys[kIndexKeyCount] = {KeyIndex(IndexKey::kName), KeyIndex(IndexKey::kMapHandle),
                                   KeyIndex(IndexKey::kOutHandle)};
  bool built[kIndexKeyCount] = {false, false, false};
  uint64_t nextSeq = 0;
  // Until a slot is removed, a slot's sequence number is its 0-based
  // position and `seqs` stays empty; from the first removal on, `seqs`
  // holds the number of each slot, in list order.
  bool compact = true;
  std::vector<uint64_t> seqs;
  // The 0-based slots of each key's last look-up answers, tried first by
  // the next look-up (see CBMComponentList::Lookup).
  RecentAnswers<3> recent[kIndexKeyCount];
  // Slots whose member was destroyed elsewhere. A hash set: an owner that
  // deletes all its members may leave every slot of a long list dead.
  std::unordered_set<uint64_t> dead;
  bool IsDead(uint64_t seq) const;
  // How many slots, from the first, the index has numbered.
  size_t Numbered() const { return compact ? static_cast<size_t>(nextSeq) : seqs.size(); }
  // The sequence number of 0-based slot `slot` (below Numbered()).
  uint64_t SeqOf(size_t slot) const { return compact ? slot : seqs[slot]; }
  // Whether the member of 0-based slot `slot` was destroyed elsewhere; false
  // for a slot the index has not numbered.
  bool SlotIsDead(size_t slot) const { return slot < Numbered() && IsDead(SeqOf(slot)); }
  // Writes out the numbers of the first `slots` slots, before one is removed.
  void Uncompact(size_t slots);
};

}  // namespace bm
