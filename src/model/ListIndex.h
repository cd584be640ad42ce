// Hash indexes behind the name and handle look-ups of CBMComponentList.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class CBMComponent;
class CBMComponentList;

namespace bm {

// Which text key of a component an index is built on.
enum class IndexKey { kName = 0, kMapHandle = 1, kOutHandle = 2 };
inline constexpr int kIndexKeyCount = 3;

// The current value of `key` of `c`.
const std::string& KeyOf(const CBMComponent& c, IndexKey key);

// One list slot: its insertion sequence number (list order) and its member.
struct IndexEntry {
  uint64_t seq;
  CBMComponent* member;
};

// Maps a key to the slots whose member bears it. Slots with an empty key are
// not indexed (look-ups of the empty key scan the list instead, where the
// first slot usually answers). The first match in list order is the entry
// with the smallest sequence number.
class KeyIndex {
 public:
  void Insert(const std::string& key, IndexEntry entry);
  // Removes the entry of slot `seq` under `key`.
  void Erase(const std::string& key, uint64_t seq);
  CBMComponent* First(const std::string& key) const;
  void Clear() { buckets_.clear(); }

 private:
  std::unordered_map<std::string, std::vector<IndexEntry>> buckets_;
};

// A slot of an indexed list that holds a component: renaming or destroying
// the component tells the list, so its indexes stay right.
struct IndexLink {
  CBMComponentList* list;
  uint64_t seq;
};
using IndexLinks = std::vector<IndexLink>;

// The index state of one list, built on its first look-up once the list is
// long enough for a scan to cost more than a hash.
struct ListIndexState {
  KeyIndex keys[kIndexKeyCount];
  bool built[kIndexKeyCount] = {false, false, false};
  std::vector<uint64_t> seqs;  // sequence number of each slot, in list order
  uint64_t nextSeq = 0;
  std::vector<uint64_t> dead;  // slots whose member was destroyed elsewhere
  bool IsDead(uint64_t seq) const;
};

}  // namespace bm
