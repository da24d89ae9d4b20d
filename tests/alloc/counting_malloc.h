// Counts heap allocations of the whole process: this program defines malloc
// and its relatives, which the library's calls resolve to as well.
#pragma once

#include <cstddef>

namespace ks::testing {

// Number of malloc, calloc and realloc calls made since the program started.
size_t AllocationCount();

// Allocations made while the scope is alive.
class AllocationCounter {
 public:
  AllocationCounter() : start_(AllocationCount()) {}
  size_t Allocations() const { return AllocationCount() - start_; }

 private:
  size_t start_;
};

// While alive, every malloc, calloc and realloc of the process fails, so
// that the handling of exhausted memory can be tested. Keep the scope to the
// call under test.
class FailingAllocations {
 public:
  FailingAllocations();
  ~FailingAllocations();
  FailingAllocations(const FailingAllocations&) = delete;
  FailingAllocations& operator=(const FailingAllocations&) = delete;
};

}  // namespace ks::testing
