// Measures the heap the library uses: this test program replaces the global
// operator new and delete with counting versions over malloc and free.
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

}  // namespace bm::test
