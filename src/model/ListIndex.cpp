// Hash indexes behind the name and handle look-ups of CBMComponentList.
#include "model/ListIndex.h"

#include <algorithm>
#include <numeric>

#include "model/BMComponent.h"
#include "platform/String.h"

namespace bm {

namespace {
// The mark of an erased slot: an address no member can have (compared,
// never followed).
char g_tombstone;
CBMComponent* const kTombstone = reinterpret_cast<CBMComponent*>(&g_tombstone);
}  // namespace

uint64_t KeyIndex::Tag(std::string_view key) const {
  const size_t n = key.size();
  if (n <= 7 && key_ != IndexKey::kOutHandle) {
    // The key itself: its bytes (the first in the lowest), its length and
    // the top bit set.
    return ((0x80ULL | n) << 56) | bm::LoadPrefix8(key.data(), n);
  }
  // FNV-1a, then a final mix; the top bit clear.
  uint64_t h = 1469598103934665603ULL;
  for (unsigned char c : key) h = (h ^ c) * 1099511628211ULL;
  h ^= h >> 29;
  h *= 0xBF58476D1CE4E5B9ULL;
  return (h ^ (h >> 32)) >> 1;
}

inline size_t KeyIndex::Home(uint64_t tag, size_t mask) {
  // Spreads every bit of the tag (a short key's last bytes and length are
  // its high bits) over the low bits used for the slot.
  uint64_t h = (tag ^ (tag >> 30)) * 0xBF58476D1CE4E5B9ULL;
  h = (h ^ (h >> 27)) * 0x94D049BB133111EBULL;
  return static_cast<size_t>(h ^ (h >> 31)) & mask;
}

bool KeyIndex::Bears(uint64_t tag, const CBMComponent& member, std::string_view key) const {
  return IsWholeKey(tag) || SameBytes(KeyOf(member, key_), key);
}

void KeyIndex::Clear() {
  slots_.clear();
  used_ = live_ = 0;
  seqEnd_ = 0;
  memo_ = Memo();
  shared_ = false;
}

void KeyIndex::Reserve(size_t count) {
  if (!WithinLoad(count, slots_.size())) Grow(count);
}

void KeyIndex::Grow(size_t live) {
  // Room for `live` entries at most three quarters full. The new table
  // is filled beside the old, so running out of memory leaves the old whole.
  size_t capacity = slots_.empty() ? 64 : slots_.size();
  while (!WithinLoad(live, capacity)) capacity *= 2;
  std::vector<Slot> slots(capacity, Slot{0, nullptr});
  const size_t mask = capacity - 1;
  for (size_t j = 0; j < slots_.size(); ++j) {
    const Slot& s = slots_[j];
    if (!s.member || s.member == kTombstone) continue;
    size_t i = Home(s.tag, mask);
    while (slots[i].member) i = (i + 1) & mask;
    slots[i] = s;
  }
  slots_.swap(slots);
  used_ = live_;
}

void KeyIndex::Insert(std::string_view key, IndexEntry entry) {
  if (key.empty() || !entry.member) return;
  // At three quarters full (tombstones included), rehashed with room for
  // twice the live entries: a full table doubles and is then three eighths
  // full, and a probe chain stays within a cache line or two. (Room for
  // twice the live entries and the new one would quadruple it.)
  if (!WithinLoad(used_ + 1, slots_.size())) Grow(2 * live_);
  if (entry.seq < seqEnd_) memo_ = Memo();
  seqEnd_ = std::max(seqEnd_, entry.seq + 1);
  const uint64_t tag = Tag(key);
  const size_t mask = slots_.size() - 1;
  // The entry takes the first erased or free slot of its chain; the rest of
  // the chain is read for an entry of the same key.
  size_t place = slots_.size();
  size_t i = Home(tag, mask);
  for (; slots_[i].member; i = (i + 1) & mask) {
    const Slot& s = slots_[i];
    if (s.member == kTombstone) {
      if (place == slots_.size()) place = i;
    } else if (!shared_ && s.tag == tag && Bears(tag, *s.member, key)) {
      shared_ = true;
    }
  }
  if (place == slots_.size()) {
    place = i;
    ++used_;
  }
  slots_[place] = Slot{tag, entry.member};
  ++live_;
}

void KeyIndex::Erase(std::string_view key, const CBMComponent* member) {
  if (key.empty() || slots_.empty()) return;
  memo_ = Memo();
  const uint64_t tag = Tag(key);
  const size_t mask = slots_.size() - 1;
  for (size_t i = Home(tag, mask); slots_[i].member; i = (i + 1) & mask) {
    Slot& s = slots_[i];
    if (s.member == member && s.tag == tag) {
      s.member = kTombstone;
      --live_;
      return;
    }
  }
}

CBMComponent* KeyIndex::First(std::string_view key, const CBMComponentList* list) const {
  if (slots_.empty()) return nullptr;
  const uint64_t tag = Tag(key);
  if (memo_.member && memo_.tag == tag && Bears(tag, *memo_.member, key)) return memo_.member;
  const Slot* const slots = slots_.data();
  const size_t none = slots_.size();
  const size_t mask = none - 1;
  size_t best = none;
  for (size_t i = Home(tag, mask); slots[i].member; i = (i + 1) & mask) {
    const Slot& s = slots[i];
    if (s.member == kTombstone || s.tag != tag || !Bears(tag, *s.member, key)) continue;
    // A second match is ordered by the members' links to the list.
    if (best != none && s.member->FirstSeqIn(list) >= slots[best].member->FirstSeqIn(list)) continue;
    best = i;
  }
  if (best == none) return nullptr;
  memo_ = Memo{tag, slots[best].member};
  return memo_.member;
}

void ListIndexState::Uncompact(size_t slots) {
  if (!compact) return;
  seqs.resize(slots);
  std::iota(seqs.begin(), seqs.end(), uint64_t{0});
  compact = false;
}

bool ListIndexState::IsDead(uint64_t seq) const { return !dead.empty() && dead.count(seq) != 0; }

}  // namespace bm
