// Hash indexes behind the name and handle look-ups of CBMComponentList.
#include "model/ListIndex.h"

#include "model/BMComponent.h"

namespace bm {

const std::string& KeyOf(const CBMComponent& c, IndexKey key) {
  switch (key) {
    case IndexKey::kName:
      return c.name().str();
    case IndexKey::kMapHandle:
      return c.mapHandle().str();
    case IndexKey::kOutHandle:
      break;
  }
  return c.outHandle().str();
}

namespace {
// The mark of an erased slot: an address no member can have (compared,
// never followed).
char g_tombstone;
CBMComponent* const kTombstone = reinterpret_cast<CBMComponent*>(&g_tombstone);
}  // namespace

uint64_t KeyIndex::Hash(const std::string& key) {
  // FNV-1a, then a final mix so that the low bits used for the slot spread.
  uint64_t h = 1469598103934665603ULL;
  for (unsigned char c : key) h = (h ^ c) * 1099511628211ULL;
  h ^= h >> 29;
  h *= 0xBF58476D1CE4E5B9ULL;
  return h ^ (h >> 32);
}

void KeyIndex::Clear() {
  slots_.clear();
  used_ = live_ = 0;
  memo_ = Memo();
}

void KeyIndex::Grow() {
  // Keeps the table at most half full (tombstones included).
  size_t capacity = slots_.empty() ? 64 : slots_.size();
  while ((live_ + 1) * 2 > capacity) capacity *= 2;
  std::vector<Slot> old;
  old.swap(slots_);
  slots_.assign(capacity, Slot{0, 0, nullptr});
  used_ = live_ = 0;
  const size_t mask = capacity - 1;
  for (const Slot& s : old) {
    if (!s.member || s.member == kTombstone) continue;
    size_t i = s.hash & mask;
    while (slots_[i].member) i = (i + 1) & mask;
    slots_[i] = s;
    ++used_;
    ++live_;
  }
}

void KeyIndex::Insert(const std::string& key, IndexEntry entry) {
  if (key.empty() || !entry.member) return;
  if (memo_.member && entry.seq < memo_.seq) memo_ = Memo();
  if ((used_ + 1) * 2 > slots_.size()) Grow();
  const uint64_t h = Hash(key);
  const size_t mask = slots_.size() - 1;
  size_t i = h & mask;
  while (slots_[i].member && slots_[i].member != kTombstone) i = (i + 1) & mask;
  if (!slots_[i].member) ++used_;
  slots_[i] = Slot{h, entry.seq, entry.member};
  ++live_;
}

void KeyIndex::Erase(const std::string& key, uint64_t seq) {
  if (key.empty() || slots_.empty()) return;
  memo_ = Memo();
  const uint64_t h = Hash(key);
  const size_t mask = slots_.size() - 1;
  for (size_t i = h & mask; slots_[i].member; i = (i + 1) & mask) {
    Slot& s = slots_[i];
    if (s.member != kTombstone && s.seq == seq && s.hash == h) {
      s.member = kTombstone;
      --live_;
      return;
    }
  }
}

CBMComponent* KeyIndex::First(const std::string& key) const {
  if (slots_.empty()) return nullptr;
  const uint64_t h = Hash(key);
  if (memo_.member && memo_.hash == h && KeyOf(*memo_.member, key_) == key) return memo_.member;
  const size_t mask = slots_.size() - 1;
  const Slot* best = nullptr;
  for (size_t i = h & mask; slots_[i].member; i = (i + 1) & mask) {
    const Slot& s = slots_[i];
    if (s.member == kTombstone || s.hash != h || (best && s.seq > best->seq)) continue;
    if (KeyOf(*s.member, key_) == key) best = &s;
  }
  if (!best) return nullptr;
  memo_ = Memo{h, best->seq, best->member};
  return best->member;
}

bool ListIndexState::IsDead(uint64_t seq) const { return !dead.empty() && dead.count(seq) != 0; }

}  // namespace bm
