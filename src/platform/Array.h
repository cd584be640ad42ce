// Growable 0-based arrays of the legacy framework.
#pragma once

#include <cstddef>
#include <type_traits>
#include <vector>

#include "ObjectPool.h"
#include "PlainArray.h"
#include "String.h"

class CObject;

// A growable array: 0-based, grows on append, RemoveAt closes the gap. Its
// elements lie in the object pool while they are few; plain values (the
// pointers of every model list) in a PlainArray of 16 bytes.
template <typename T>
class CArrayT {
  using Items = std::conditional_t<std::is_trivially_copyable_v<T>, bm::PlainArray<T>,
                                   std::vector<T, bm::PoolAllocator<T>>>;

 public:
  int GetSize() const { return static_cast<int>(items_.size()); }
  int GetCount() const { return GetSize(); }
  int GetUpperBound() const { return GetSize() - 1; }
  bool IsEmpty() const { return items_.empty(); }
  // Element at 0-based position i; the caller keeps i within 0 to GetSize()-1.
  const T& GetAt(int i) const { return items_[static_cast<size_t>(i)]; }
  T& ElementAt(int i) { return items_[static_cast<size_t>(i)]; }
  void SetAt(int i, const T& v) { items_[static_cast<size_t>(i)] = v; }
  T& operator[](int i) { return items_[static_cast<size_t>(i)]; }
  const T& operator[](int i) const { return items_[static_cast<size_t>(i)]; }
  // Appends v; returns its 0-based position.
  int Add(const T& v) {
    items_.push_back(v);
    return GetSize() - 1;
  }
  void InsertAt(int i, const T& v, int count = 1) {
    items_.insert(items_.begin() + i, static_cast<size_t>(count), v);
  }
  // Removes `count` elements from 0-based position i and closes the gap.
  void RemoveAt(int i, int count = 1) { items_.erase(items_.begin() + i, items_.begin() + i + count); }
  // Empties the array and gives its storage back, as the legacy class does
  // (an emptied list is often kept: the reader's handled blocks, for one).
  void RemoveAll() { items_ = Items(); }
  void SetSize(int n) { items_.resize(n > 0 ? static_cast<size_t>(n) : 0); }
  void Reserve(size_t n) { items_.reserve(n); }

  typename Items::iterator begin() { return items_.begin(); }
  typename Items::iterator end() { return items_.end(); }
  typename Items::const_iterator begin() const { return items_.begin(); }
  typename Items::const_iterator end() const { return items_.end(); }

 private:
  Items items_;
};

using CObArray = CArrayT<CObject*>;
using CStringArray = CArrayT<CString>;
using CDWordArray = CArrayT<unsigned int>;
using CIntArray = CArrayT<int>;
