// Counting replacements of the global operator new and delete.
#include "AllocationCounter.h"

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<int64_t> g_live{0};
std::atomic<int64_t> g_peak{0};
std::atomic<size_t> g_largest{0};

void* Count(void* p, size_t request) {
  if (!p) return nullptr;
  const int64_t live = g_live.fetch_add(static_cast<int64_t>(malloc_usable_size(p))) +
                       static_cast<int64_t>(malloc_usable_size(p));
  int64_t peak = g_peak.load();
  while (live > peak && !g_peak.compare_exchange_weak(peak, live)) {
  }
  size_t largest = g_largest.load();
  while (request > largest && !g_largest.compare_exchange_weak(largest, request)) {
  }
  return p;
}

void* Allocate(size_t size) {
  void* p = Count(std::malloc(size ? size : 1), size);
  if (!p) throw std::bad_alloc();
  return p;
}

void* AllocateAligned(size_t size, std::align_val_t align) {
  void* p = nullptr;
  const size_t a = std::max(static_cast<size_t>(align), sizeof(void*));
  if (posix_memalign(&p, a, size ? size : 1) != 0) throw std::bad_alloc();
  return Count(p, size);
}

void Release(void* p) {
  if (!p) return;
  g_live.fetch_sub(static_cast<int64_t>(malloc_usable_size(p)));
  std::free(p);
}

}  // namespace

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  return Count(std::malloc(size ? size : 1), size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
  return Count(std::malloc(size ? size : 1), size);
}
void* operator new(size_t size, std::align_val_t align) { return AllocateAligned(size, align); }
void* operator new[](size_t size, std::align_val_t align) { return AllocateAligned(size, align); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, size_t) noexcept { Release(p); }
void operator delete[](void* p, size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete(void* p, std::align_val_t) noexcept { Release(p); }
void operator delete[](void* p, std::align_val_t) noexcept { Release(p); }
void operator delete(void* p, size_t, std::align_val_t) noexcept { Release(p); }
void operator delete[](void* p, size_t, std::align_val_t) noexcept { Release(p); }

namespace bm::test {

AllocationScope::AllocationScope() : start_(g_live.load()) {
  g_peak.store(start_);
  g_largest.store(0);
}

int64_t AllocationScope::PeakBytes() const { return g_peak.load() - start_; }

size_t AllocationScope::LargestRequest() const { return g_largest.load(); }

}  // namespace bm::test
