// Measures the heap the library uses, and makes it fail on demand: this test
// program replaces the global operator new and delete with counting versions
// over malloc and free.
#pragma once

#include <cstddef>
#include <cstdint>

namespace bm::test {

// While it lives, records the peak of the bytes held through operator new
// above what was held when it was made, and the largest single request.
class AllocationScope {
 public:
  AllocationScope();
  AllocationScope(const AllocationScope&) = delete;
  AllocationScope& operator=(const AllocationScope&) = delete;

  // Peak live bytes above the start.
  int64_t PeakBytes() const;
  // Largest single operator new request since the start.
  size_t LargestRequest() const;

 private:
  int64_t start_;
};

// Bytes held through operator new right now (for leak checks: the same
// before and after an operation that ends with everything it made freed).
int64_t LiveBytes();

// While it lives, the `failAt`-th call of operator new (counted from 1 at
// its start, every form) fails as memory running out does: the throwing
// forms throw std::bad_alloc, the nothrow forms return null. Only that one
// call fails; the calls after it succeed, so that the code's recovery runs
// with memory to spare.
class AllocationFailure {
 public:
  explicit AllocationFailure(uint64_t failAt);
  ~AllocationFailure();
  AllocationFailure(const AllocationFailure&) = delete;
  AllocationFailure& operator=(const AllocationFailure&) = delete;

  // Whether the failing call was made.
  bool Fired() const;
  // Calls of operator new since the start.
  uint64_t Calls() const;
};

// Prints to standard error where the last failing call was made (where
// the platform can tell), to find the code that mishandled it.
void PrintFailedCallStack();

}  // namespace bm::test
