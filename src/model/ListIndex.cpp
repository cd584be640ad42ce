// Hash indexes behind the name and handle look-ups of CBMComponentList.
#include "model/ListIndex.h"

#include <algorithm>

#include "model/BMComponent.h"

namespace bm {

const std::string& KeyOf(const CBMComponent& c, IndexKey key) {
  switch (key) {
    case IndexKey::kName: return c.name().str();
    case IndexKey::kMapHandle: return c.mapHandle().str();
    case IndexKey::kOutHandle: break;
  }
  return c.outHandle().str();
}

void KeyIndex::Insert(const std::string& key, IndexEntry entry) {
  if (key.empty()) return;
  buckets_[key].push_back(entry);
}

void KeyIndex::Erase(const std::string& key, uint64_t seq) {
  if (key.empty()) return;
  auto it = buckets_.find(key);
  if (it == buckets_.end()) return;
  auto& entries = it->second;
  entries.erase(std::remove_if(entries.begin(), entries.end(), [seq](const IndexEntry& e) { return e.seq == seq; }),
                entries.end());
  if (entries.empty()) buckets_.erase(it);
}

CBMComponent* KeyIndex::First(const std::string& key) const {
  auto it = buckets_.find(key);
  if (it == buckets_.end()) return nullptr;
  const IndexEntry* best = nullptr;
  for (const IndexEntry& e : it->second) {
    if (!best || e.seq < best->seq) best = &e;
  }
  return best ? best->member : nullptr;
}

bool ListIndexState::IsDead(uint64_t seq) const {
  return !dead.empty() && std::find(dead.begin(), dead.end(), seq) != dead.end();
}

}  // namespace bm
