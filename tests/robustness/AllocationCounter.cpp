// Counting replacements of the global operator new and delete.
#include "AllocationCounter.h"

#include <malloc.h>
#if defined(__has_include)
#if __has_include(<execinfo.h>)
#include <execinfo.h>
#define BM_HAVE_BACKTRACE 1
#endif
#endif

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<int64_t> g_live{0};
std::atomic<int64_t> g_peak{0};
std::atomic<size_t> g_largest{0};
// Failure injection: calls since the AllocationFailure began, and the call
// that fails (0: none).
std::atomic<uint64_t> g_calls{0};
std::atomic<uint64_t> g_failAt{0};

#if BM_HAVE_BACKTRACE
// Where the failing call was made, for PrintFailedCallStack.
void* g_failStack[32];
int g_failDepth = 0;
#endif

// True when this call is the one to fail.
bool FailsNow() {
  const uint64_t failAt = g_failAt.load(std::memory_order_relaxed);
  if (failAt == 0) return false;
  if (g_calls.fetch_add(1, std::memory_order_relaxed) + 1 != failAt) return false;
#if BM_HAVE_BACKTRACE
  g_failDepth = backtrace(g_failStack, 32);
#endif
  return true;
}

#ifdef _WIN32
// Windows has no posix_memalign, and its C runtime cannot tell the size of
// an aligned block: the block from malloc and the size are kept in front of
// the aligned address.
struct AlignedHeader {
  void* block;
  size_t size;
};
size_t UsableSize(void* p) { return _msize(p); }
size_t AlignedUsableSize(void* p, size_t) { return (static_cast<AlignedHeader*>(p) - 1)->size; }
void* AlignedMalloc(size_t size, size_t align) {
  void* block = std::malloc(size + align + sizeof(AlignedHeader));
  if (!block) return nullptr;
  const uintptr_t start =
      (reinterpret_cast<uintptr_t>(block) + sizeof(AlignedHeader) + align - 1) / align * align;
  AlignedHeader* header = reinterpret_cast<AlignedHeader*>(start) - 1;
  *header = AlignedHeader{block, size};
  return reinterpret_cast<void*>(start);
}
void AlignedFree(void* p) { std::free((static_cast<AlignedHeader*>(p) - 1)->block); }
#else
size_t UsableSize(void* p) { return malloc_usable_size(p); }
size_t AlignedUsableSize(void* p, size_t) { return malloc_usable_size(p); }
void* AlignedMalloc(size_t size, size_t align) {
  void* p = nullptr;
  return posix_memalign(&p, align, size) == 0 ? p : nullptr;
}
void AlignedFree(void* p) { std::free(p); }
#endif

size_t Alignment(std::align_val_t align) { return std::max(static_cast<size_t>(align), sizeof(void*)); }

void* Count(void* p, size_t request, size_t usable) {
  if (!p) return nullptr;
  const int64_t live = g_live.fetch_add(static_cast<int64_t>(usable)) + static_cast<int64_t>(usable);
  int64_t peak = g_peak.load();
  while (live > peak && !g_peak.compare_exchange_weak(peak, live)) {
  }
  size_t largest = g_largest.load();
  while (request > largest && !g_largest.compare_exchange_weak(largest, request)) {
  }
  return p;
}

void* Count(void* p, size_t request) { return p ? Count(p, request, UsableSize(p)) : nullptr; }

void* Allocate(size_t size) {
  if (FailsNow()) throw std::bad_alloc();
  void* p = Count(std::malloc(size ? size : 1), size);
  if (!p) throw std::bad_alloc();
  return p;
}

void* AllocateAligned(size_t size, std::align_val_t align) {
  if (FailsNow()) throw std::bad_alloc();
  void* p = AlignedMalloc(size ? size : 1, Alignment(align));
  if (!p) throw std::bad_alloc();
  return Count(p, size, AlignedUsableSize(p, Alignment(align)));
}

void Release(void* p) {
  if (!p) return;
  g_live.fetch_sub(static_cast<int64_t>(UsableSize(p)));
  std::free(p);
}

void ReleaseAligned(void* p, std::align_val_t align) {
  if (!p) return;
  g_live.fetch_sub(static_cast<int64_t>(AlignedUsableSize(p, Alignment(align))));
  AlignedFree(p);
}

}  // namespace

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  return FailsNow() ? nullptr : Count(std::malloc(size ? size : 1), size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
  return FailsNow() ? nullptr : Count(std::malloc(size ? size : 1), size);
}
void* operator new(size_t size, std::align_val_t align) { return AllocateAligned(size, align); }
void* operator new[](size_t size, std::align_val_t align) { return AllocateAligned(size, align); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, size_t) noexcept { Release(p); }
void operator delete[](void* p, size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete(void* p, std::align_val_t a) noexcept { ReleaseAligned(p, a); }
void operator delete[](void* p, std::align_val_t a) noexcept { ReleaseAligned(p, a); }
void operator delete(void* p, size_t, std::align_val_t a) noexcept { ReleaseAligned(p, a); }
void operator delete[](void* p, size_t, std::align_val_t a) noexcept { ReleaseAligned(p, a); }

namespace bm::test {

AllocationScope::AllocationScope() : start_(g_live.load()) {
  g_peak.store(start_);
  g_largest.store(0);
}

int64_t AllocationScope::PeakBytes() const { return g_peak.load() - start_; }

size_t AllocationScope::LargestRequest() const { return g_largest.load(); }

int64_t LiveBytes() { return g_live.load(); }

AllocationFailure::AllocationFailure(uint64_t failAt) {
  g_calls.store(0);
  g_failAt.store(failAt);
}

AllocationFailure::~AllocationFailure() { g_failAt.store(0); }

bool AllocationFailure::Fired() const { return g_failAt.load() != 0 && g_calls.load() >= g_failAt.load(); }

uint64_t AllocationFailure::Calls() const { return g_calls.load(); }

void PrintFailedCallStack() {
#if BM_HAVE_BACKTRACE
  backtrace_symbols_fd(g_failStack, g_failDepth, 2);
#endif
}

}  // namespace bm::test
