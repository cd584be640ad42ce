// Memory for the model's objects: a pool by size class, behind the class
// operator new and delete of CObject.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

namespace bm {

// A model holds a million small objects of a dozen sizes, each made with
// `new` and deleted by its owner. The general heap adds a header of 8 bytes
// to each and rounds it up to 16, and spends a quarter of an archive's
// loading in finding room. The pool serves each size (in steps of 8 bytes,
// up to kLargestPooled) from chunks of 64 KiB that hold objects of that
// size only, side by side without headers: an object is found its chunk by
// its address, and its size is the one `delete` passes. A chunk whose last
// object is freed goes back to its block, and a block of 4 MiB whose chunks
// are all back goes back to the heap, so memory is returned when models are
// deleted. Safe to use from several threads at once.
//
// Sizes that are multiples of 16 are served 16-byte aligned, others 8-byte
// aligned: a type's size is a multiple of its alignment, so each type gets
// what it needs up to 16 (the alignment of plain `new`). Builds with
// AddressSanitizer (and with BM_OBJECT_POOL off) serve every object from the
// heap, so that the sanitizer sees each one.
inline constexpr std::size_t kLargestPooled = 512;

// Memory for an object of `size` bytes: from the pool up to kLargestPooled,
// else from ::operator new. Throws std::bad_alloc when memory runs out.
void* PoolAllocate(std::size_t size);
// Frees what PoolAllocate(size) gave, with the same `size`; null is ignored.
void PoolFree(void* p, std::size_t size) noexcept;

// What the pool holds: for tests and measurements.
struct PoolUsage {
  std::uint64_t blocks = 0;   // blocks taken from the heap
  std::uint64_t chunks = 0;   // chunks given to a size class
  std::uint64_t objects = 0;  // objects live in the pool
  // Heap bytes of the one block kept while none of its chunks is in use.
  std::uint64_t spareBytes = 0;
};
PoolUsage PoolUsageNow();
// Whether objects come from the pool in this build.
bool PoolEnabled();

// A standard allocator over the pool, for the small arrays that model
// objects own (a member's loads, a joint's elements): most hold a few
// pointers, which the heap would serve in blocks of 32 bytes and more.
template <typename T>
struct PoolAllocator {
  using value_type = T;
  PoolAllocator() = default;
  template <typename U>
  PoolAllocator(const PoolAllocator<U>&) noexcept {}  // NOLINT(google-explicit-constructor)
  T* allocate(std::size_t n) {
    if (n > std::size_t(-1) / sizeof(T)) throw std::bad_array_new_length();
    return static_cast<T*>(PoolAllocate(n * sizeof(T)));
  }
  void deallocate(T* p, std::size_t n) noexcept { PoolFree(p, n * sizeof(T)); }
  template <typename U>
  bool operator==(const PoolAllocator<U>&) const noexcept {
    return true;
  }
  template <typename U>
  bool operator!=(const PoolAllocator<U>&) const noexcept {
    return false;
  }
};

}  // namespace bm
