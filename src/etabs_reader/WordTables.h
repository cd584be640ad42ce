// WordTables: look-ups in the reader's tables of file words (keyword or
// value word -> what the model makes of it).
#pragma once

#include <cstddef>
#include <string_view>

namespace bm::reader {

// The first entry of `table` whose word `field` equals `word` (exact, so
// upper case for an upper-cased word); null when there is none.
template <typename Entry, size_t N>
const Entry* FindEntry(const Entry (&table)[N], std::string_view word, const char* const Entry::*field) {
  for (const Entry& e : table) {
    if (word == e.*field) return &e;
  }
  return nullptr;
}

// FindEntry by the entry's `file` word.
template <typename Entry, size_t N>
const Entry* FindEntry(const Entry (&table)[N], std::string_view word) {
  return FindEntry(table, word, &Entry::file);
}

// Index of `word` in `words`, or -1.
template <size_t N>
int WordIndex(const char* const (&words)[N], std::string_view word) {
  for (size_t i = 0; i < N; ++i) {
    if (word == words[i]) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace bm::reader
