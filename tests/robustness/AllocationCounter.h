// Heap measurement and failure on demand: this program's operator new and delete count over malloc.
#pragma once

#include <cstddef>
#include <cstdint>

namespace bm::test {

// While it lives: the peak of the bytes held above those at its start, and the largest request.
class AllocationScope {
 public:
  AllocationScope();
  int64_t PeakBytes() const;
  size_t LargestRequest() const;

 private:
  int64_t start_;
};

int64_t LiveBytes();  // held through operator new now

// While it lives, only the `failAt`-th call of operator new (from 1) fails: bad_alloc, or null (nothrow).
class AllocationFailure {
 public:
  explicit AllocationFailure(uint64_t failAt);
  ~AllocationFailure();
  AllocationFailure(const AllocationFailure&) = delete;
  AllocationFailure& operator=(const AllocationFailure&) = delete;
  bool Fired() const;  // whether the failing call was made
};

}  // namespace bm::test
