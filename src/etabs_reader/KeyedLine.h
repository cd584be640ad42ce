// KeyedLine: the KEY value pairs of a data line of a later-version file.
#pragma once

#include <cstdint>
#include <new>
#include <string_view>
#include <vector>

#include "../platform/String.h"
#include "ReadReport.h"

class ZComItem;

namespace bm::reader {

// Files of version 9 and later write each line as a keyword, its names,
// then KEY value pairs in any order, any of them optional. KeyedLine reads
// the pairs from token `first` on: an unquoted, non-numeric token is a key
// and the token after it its value. A quoted or numeric token where a key
// should stand is a value without a key (counted, then skipped). Every
// look-up marks its key used; ReportUnused names the keys no one asked for.
class KeyedLine {
 public:
  KeyedLine(const ZComItem& line, int first);

  // Token number of the value of the first pair with `key` (upper case);
  // 0 when the line has none. Marks every pair with that key used.
  int Find(std::string_view key);
  bool Has(std::string_view key) { return Find(key) != 0; }
  // The value of `key` upper-cased, leading white space removed; empty when
  // absent.
  CString Word(std::string_view key);
  // The value of `key` with case kept, trimmed; empty when absent.
  CString Text(std::string_view key);
  // The value of `key` as a number; `fallback` when absent.
  double Number(std::string_view key, double fallback = 0.0);
  // Token numbers of the values of every pair with `key`, in line order.
  std::vector<int> FindAll(std::string_view key);
  // Marks `key` used without reading it and without a count (a key that
  // says nothing about the model, such as a display setting).
  void Ignore(std::string_view key) { (void)Find(key); }
  // Marks `key` as one the model has no place for: ReportUnused counts it
  // as not model data ("key NAME (not model data)") instead of unused.
  void NotModelData(std::string_view key);
  // The key of the pair whose value is token `valueToken`, marked used; empty
  // when no pair not yet used (nor marked NotModelData) has that value.
  std::string_view Take(int valueToken);
  // Marks every pair not yet used (nor marked NotModelData) used and returns
  // how many there were.
  int TakeRest();

  // The line itself.
  const ZComItem& line() const { return line_; }
  // Values found where a key should stand.
  int StrayValues() const { return stray_; }

  // Counts, under `keyword`, each key of the line that no look-up asked for
  // (once per key name per line), the keys marked NotModelData, and stray
  // values.
  void ReportUnused(ReadReport& report, std::string_view keyword) const;

 private:
  struct Pair {
    std::string_view key;
    uint64_t head;  // the key's first eight bytes, upper-cased
    int value;      // token number; 0 when the key ends the line
    bool used;
    bool noPlace;
  };
  // Handlers ask for a dozen keys or more per line: a pair whose head or
  // length differs from the key's is passed over without a byte compare.
  // The first eight bytes of a handler's `key` in one word (a line's keys
  // are upper-cased; a handler's are compared as given).
  static uint64_t KeyHead(std::string_view key) { return bm::LoadPrefix8(key.data(), key.size()); }
  // One bit of 64 for a key of that head and length: the line's keys' bits
  // tell, without a look at its pairs, that most keys a handler asks for
  // are not on it.
  static uint64_t KeyBit(uint64_t head, size_t size) {
    return uint64_t{1} << (((head ^ size) * 0x9E3779B97F4A7C15ULL) >> 58);
  }
  // False when no key of the line is `key` (its head worked out); true when
  // one may be.
  bool MayHold(std::string_view key, uint64_t head) const {
    return (keyBits_ & KeyBit(head, key.size())) != 0;
  }
  bool Matches(const Pair& p, std::string_view key, uint64_t head) const;
  // Finds the pairs of `key` (head and bit worked out), marking them used.
  int FindKey(std::string_view key, uint64_t head);
  // Marks a pair used; counts it the first time.
  void Use(Pair& p) {
    used_ += p.used ? 0 : 1;
    p.used = true;
  }
  // The pairs of a line: in place up to kInline of them (nearly every line),
  // on the heap beyond, so that reading a line allocates nothing. The
  // places are left unwritten until a pair takes one (a line is read in a
  // few hundred instructions; clearing sixteen pairs would add a tenth).
  class PairList {
   public:
    PairList() : data_(inline_.pairs) {}
    PairList(const PairList&) = delete;
    PairList& operator=(const PairList&) = delete;
    // Makes the pair in its place: a pair made apart and copied in is read
    // whole right after its fields are written one by one, which stalls.
    void Add(std::string_view key, uint64_t head, int value) {
      if (size_ < kInline) {
        new (&inline_.pairs[size_++]) Pair{key, head, value, false, false};
        return;
      }
      if (heap_.empty()) heap_.assign(inline_.pairs, inline_.pairs + size_);
      heap_.push_back(Pair{key, head, value, false, false});
      data_ = heap_.data();
      ++size_;
    }
    Pair* begin() { return data_; }
    Pair* end() { return data_ + size_; }
    size_t size() const { return size_; }
    const Pair* begin() const { return data_; }
    const Pair* end() const { return data_ + size_; }

   private:
    static constexpr size_t kInline = 16;
    union Places {
      Places() {}
      Pair pairs[kInline];
    } inline_;
    std::vector<Pair> heap_;
    Pair* data_;
    size_t size_ = 0;
  };
  const ZComItem& line_;
  PairList pairs_;
  uint64_t keyBits_ = 0;   // KeyBit of every pair's key
  bool twoAlike_ = false;  // two keys share a bit: a key may stand twice
  size_t used_ = 0;        // pairs marked used
  size_t noPlace_ = 0;     // pairs marked NotModelData
  int stray_ = 0;
};

// Calls fn(word) for each white-space separated word of the tokens from
// `first` to `last` (inclusive) of `line`, upper-cased. A quoted list such
// as "UX UY UZ" gives its words one by one.
template <typename Fn>
void ForEachWord(const ZComItem& line, int first, int last, Fn fn);

// True when `token` reads as a number (digits, sign or point first).
inline bool LooksNumeric(std::string_view token) {
  while (!token.empty() && (token.front() == ' ' || token.front() == '\t')) token.remove_prefix(1);
  if (token.empty()) return false;
  const char c = token.front();
  return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.';
}

}  // namespace bm::reader

#include "ZComItem.h"

namespace bm::reader {

inline bool KeyedLine::Matches(const Pair& p, std::string_view key, uint64_t head) const {
  if (p.head != head || p.key.size() != key.size()) return false;
  return key.size() <= 8 || bm::UpperedIs(p.key.substr(8), key.substr(8));
}

// In the header: a handler asks a dozen keys of every line, and a key
// known where it is asked has its head worked out there.
inline int KeyedLine::Find(std::string_view key) {
  const uint64_t head = KeyHead(key);
  return MayHold(key, head) ? FindKey(key, head) : 0;
}

inline CString KeyedLine::Word(std::string_view key) {
  const int t = Find(key);
  return t ? line_.GetString(t, 0) : CString();
}

inline double KeyedLine::Number(std::string_view key, double fallback) {
  const int t = Find(key);
  return t ? line_.GetDouble(t, 0) : fallback;
}

template <typename Fn>
void ForEachWord(const ZComItem& line, int first, int last, Fn fn) {
  for (int t = first; t <= last; ++t) {
    const CString token = line.GetString(t, 0);
    std::string_view rest = token.view();
    while (!rest.empty()) {
      size_t start = rest.find_first_not_of(" \t");
      if (start == std::string_view::npos) break;
      rest.remove_prefix(start);
      const size_t stop = rest.find_first_of(" \t");
      fn(rest.substr(0, stop));
      if (stop == std::string_view::npos) break;
      rest.remove_prefix(stop);
    }
  }
}

}  // namespace bm::reader
