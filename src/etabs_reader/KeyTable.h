// KeyTable: tables of the keys of a line, each with how its value goes into
// a model object, and the walks that apply them to a line's KEY value pairs.
#pragma once

#include <cstddef>
#include <string_view>
#include <type_traits>
#include <utility>

#include "../platform/String.h"
#include "KeyedLine.h"
#include "ZComItem.h"

namespace bm::reader {

// One key of a table and how its value, token `value` of `line`, goes into
// a T.
template <typename T>
struct KeyField {
  const char* key;  // upper case
  void (*take)(T& object, const ZComItem& line, int value);
};

namespace detail {
template <typename M>
struct MemberOf;
template <typename F, typename C>
struct MemberOf<F C::*> {
  using Class = C;
};
template <auto Member>
using ClassOf = typename MemberOf<decltype(Member)>::Class;

// Calls setter `Member` with `value`, or stores `value` in field `Member`.
template <auto Member, typename V>
void Put(ClassOf<Member>& object, V&& value) {
  if constexpr (std::is_member_function_pointer_v<decltype(Member)>) {
    (object.*Member)(std::forward<V>(value));
  } else {
    object.*Member = std::forward<V>(value);
  }
}
}  // namespace detail

// Takers for a KeyField: the value as a number (GetDouble), or as a word
// (GetString: upper-cased, leading blanks removed), into the setter or field
// `Member`; or as the object's name.
template <auto Member>
void TakeNumber(detail::ClassOf<Member>& object, const ZComItem& line, int value) {
  detail::Put<Member>(object, line.GetDouble(value, 0));
}
template <auto Member>
void TakeWord(detail::ClassOf<Member>& object, const ZComItem& line, int value) {
  detail::Put<Member>(object, line.GetString(value, 0));
}
template <typename T>
void TakeName(T& object, const ZComItem& line, int value) {
  CString name = line.GetString(value, 0);
  object.set_Name(name);
}

// Version 8 lines give their pairs by position: token `first` is a key, the
// token after it its value, and so on up to the last whole pair. Calls
// fn(key, value) with the token numbers of each pair, in line order.
template <typename Fn>
void ForEachPair(const ZComItem& line, int first, Fn fn) {
  const int count = line.GetItemCount();
  for (int key = first; key < count; key += 2) fn(key, key + 1);
}

// ForEachPair over each line of `group` in turn, calling fn(line, key, value).
template <typename Fn>
void ForEachGroupPair(const ZComItemList& group, int first, Fn fn) {
  for (int l = 1; l <= group.GetCount(); ++l) {
    const ZComItem* line = group.GetComItem(l);
    if (!line) continue;
    ForEachPair(*line, first, [&](int key, int value) { fn(*line, key, value); });
  }
}

// Index in `keys` of token `key` of `line` (as ZComItem::TokenIs compares:
// case and leading blanks ignored); -1 when it is none of them. The token
// is taken from the line once, not once per key tried.
template <size_t N>
int KeyIndex(const char* const (&keys)[N], const ZComItem& line, int key) {
  const std::string_view token = line.ComparedToken(key);
  for (size_t k = 0; k < N; ++k) {
    if (TokenStore::UpperedIs(token, keys[k])) return static_cast<int>(k);
  }
  return -1;
}

// Takes the pair at tokens `key` and `value` of `line` into `object` by the
// first entry of `table` whose key the token is (as ZComItem::TokenIs
// compares: case and leading blanks ignored). False, nothing taken, for a
// key the table does not hold.
template <typename T, size_t N>
bool TakeKey(const KeyField<T> (&table)[N], T& object, const ZComItem& line, int key, int value) {
  const std::string_view token = line.ComparedToken(key);
  for (const KeyField<T>& field : table) {
    if (!TokenStore::UpperedIs(token, field.key)) continue;
    field.take(object, line, value);
    return true;
  }
  return false;
}

// Takes into `object` every pair of `line`, by position from token `first`,
// whose key `table` holds; other pairs are passed over without a count.
template <typename T, size_t N>
void TakeKeys(const KeyField<T> (&table)[N], T& object, const ZComItem& line, int first) {
  ForEachPair(line, first, [&](int key, int value) { TakeKey(table, object, line, key, value); });
}

// TakeKeys over each line of `group` in turn.
template <typename T, size_t N>
void TakeKeys(const KeyField<T> (&table)[N], T& object, const ZComItemList& group, int first) {
  for (int l = 1; l <= group.GetCount(); ++l) {
    if (const ZComItem* line = group.GetComItem(l)) TakeKeys(table, object, *line, first);
  }
}

// Takes into `object`, in table order, the value of each key of `table` that
// `kl` holds (the first pair of a key written twice), marking it used.
template <typename T, size_t N>
void TakeKeys(const KeyField<T> (&table)[N], T& object, KeyedLine& kl) {
  for (const KeyField<T>& field : table) {
    if (const int t = kl.Find(field.key)) field.take(object, kl.line(), t);
  }
}

}  // namespace bm::reader
