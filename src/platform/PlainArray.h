// PlainArray: the growable storage of an array of plain values, in 16 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <type_traits>
#include <utility>

#include "ObjectPool.h"

namespace bm {

// The elements of an array of plain values (pointers, numbers): a block from
// the object pool, a 32-bit count and a 32-bit room. It takes 16 bytes where
// std::vector takes 24, in every list object of a model (a million and more
// in a large one). Grows as std::vector does (to twice its room, or to what
// is needed); elements are copied as bytes, which plain values allow. More
// than 2^32 - 1 elements (or bytes than a size_t counts) are refused with
// std::length_error before anything changes.
template <typename T>
class PlainArray {
  static_assert(std::is_trivially_copyable_v<T>, "PlainArray holds plain values only");

 public:
  using value_type = T;
  using iterator = T*;
  using const_iterator = const T*;

  PlainArray() = default;
  PlainArray(const PlainArray& other) {
    reserve(other.size_);
    Copy(data_, other.data_, other.size_);
    size_ = other.size_;
  }
  PlainArray(PlainArray&& other) noexcept : data_(other.data_), size_(other.size_), room_(other.room_) {
    other.data_ = nullptr;
    other.size_ = other.room_ = 0;
  }
  PlainArray& operator=(PlainArray other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    std::swap(room_, other.room_);
    return *this;
  }
  ~PlainArray() { PoolFree(data_, Bytes(room_)); }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  T& operator[](std::size_t i) { return data_[i]; }
  const T& operator[](std::size_t i) const { return data_[i]; }
  T* begin() { return data_; }
  T* end() { return data_ + size_; }
  const T* begin() const { return data_; }
  const T* end() const { return data_ + size_; }

  void reserve(std::size_t n) {
    if (n > room_) Regrow(n);
  }
  void push_back(const T& v) {
    const T value = v;  // `v` may lie in the block that growing frees
    if (size_ == room_) Regrow(Grown(size_ + std::size_t{1}));
    data_[size_++] = value;
  }
  // Inserts `count` copies of `v` before `at`.
  void insert(const T* at, std::size_t count, const T& v) {
    const T value = v;
    const auto i = static_cast<std::size_t>(at - data_);
    if (size_ + count > room_) Regrow(Grown(size_ + count));
    Copy(data_ + i + count, data_ + i, size_ - i);
    for (std::size_t k = 0; k < count; ++k) data_[i + k] = value;
    size_ += static_cast<std::uint32_t>(count);
  }
  // Removes the elements from `first` up to `last` and closes the gap.
  void erase(const T* first, const T* last) {
    const auto i = static_cast<std::size_t>(first - data_);
    const auto count = static_cast<std::size_t>(last - first);
    Copy(data_ + i, data_ + i + count, size_ - i - count);
    size_ -= static_cast<std::uint32_t>(count);
  }
  // New elements are value-initialised (zero), as std::vector makes them.
  void resize(std::size_t n) {
    reserve(n);
    for (std::size_t k = size_; k < n; ++k) data_[k] = T();
    size_ = static_cast<std::uint32_t>(n);
  }

 private:
  // The size of an element (often a pointer: the elements are the values).
  static constexpr std::size_t kElementBytes = sizeof(T);  // NOLINT(bugprone-sizeof-expression)
  static std::size_t Bytes(std::size_t count) { return count * kElementBytes; }
  static void Copy(T* to, const T* from, std::size_t count) {
    if (count) std::memmove(static_cast<void*>(to), static_cast<const void*>(from), Bytes(count));
  }
  // The most elements a block can hold: the count is 32 bits, and the
  // block's bytes must fit a size_t (on 32-bit targets).
  static constexpr std::size_t kMostElements =
      UINT32_MAX < SIZE_MAX / kElementBytes ? std::size_t{UINT32_MAX} : SIZE_MAX / kElementBytes;
  // The room to grow to for `needed` elements: twice the room, at least
  // `needed`, at most kMostElements.
  std::size_t Grown(std::size_t needed) const {
    const std::size_t doubled = room_ < kMostElements / 2 ? std::size_t{2} * room_ : kMostElements;
    return doubled > needed ? doubled : needed;
  }
  void Regrow(std::size_t room) {
    if (room > kMostElements) throw std::length_error("an array of more than 2^32 - 1 elements");
    T* block = static_cast<T*>(PoolAllocate(Bytes(room)));
    Copy(block, data_, size_);
    PoolFree(data_, Bytes(room_));
    data_ = block;
    room_ = static_cast<std::uint32_t>(room);
  }

  T* data_ = nullptr;
  std::uint32_t size_ = 0;
  std::uint32_t room_ = 0;
};

}  // namespace bm
