// Counting replacements of operator new and delete (nothing is over-aligned: the aligned forms stay).
#include "AllocationCounter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<int64_t> g_live{0}, g_peak{0};
std::atomic<size_t> g_largest{0};
std::atomic<uint64_t> g_calls{0}, g_failAt{0};  // calls since the AllocationFailure began; the one to fail

bool FailsNow() {
  const uint64_t failAt = g_failAt.load(std::memory_order_relaxed);
  return failAt != 0 && g_calls.fetch_add(1, std::memory_order_relaxed) + 1 == failAt;
}

#ifdef _WIN32
size_t UsableSize(void* p) { return _msize(p); }
#else
size_t UsableSize(void* p) { return malloc_usable_size(p); }
#endif

template <typename T>
void Raise(std::atomic<T>& to, T value) {
  for (T now = to.load(); value > now && !to.compare_exchange_weak(now, value);) {
  }
}

void* Count(void* p, size_t request) {
  if (!p) return nullptr;
  const auto usable = static_cast<int64_t>(UsableSize(p));
  Raise(g_peak, g_live.fetch_add(usable) + usable);
  Raise(g_largest, request);
  return p;
}

void* AllocateNoThrow(size_t n) { return FailsNow() ? nullptr : Count(std::malloc(n ? n : 1), n); }

void* Allocate(size_t size) {
  void* p = AllocateNoThrow(size);
  if (!p) throw std::bad_alloc();
  return p;
}

void Release(void* p) {
  if (!p) return;
  g_live.fetch_sub(static_cast<int64_t>(UsableSize(p)));
  std::free(p);
}

}  // namespace

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return AllocateNoThrow(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return AllocateNoThrow(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, size_t) noexcept { Release(p); }
void operator delete[](void* p, size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }

namespace bm::test {

AllocationScope::AllocationScope() : start_(g_live.load()) { g_peak.store(start_), g_largest.store(0); }
int64_t AllocationScope::PeakBytes() const { return g_peak.load() - start_; }
size_t AllocationScope::LargestRequest() const { return g_largest.load(); }
int64_t LiveBytes() { return g_live.load(); }

AllocationFailure::AllocationFailure(uint64_t failAt) { g_calls.store(0), g_failAt.store(failAt); }
AllocationFailure::~AllocationFailure() { g_failAt.store(0); }
bool AllocationFailure::Fired() const { return g_failAt.load() != 0 && g_calls.load() >= g_failAt.load(); }

}  // namespace bm::test
