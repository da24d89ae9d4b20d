#include "counting_malloc.h"

#include <atomic>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* p, size_t size);
void __libc_free(void* p);
}

namespace {
std::atomic<size_t> gAllocations{0};
std::atomic<bool> gFailing{false};
}

extern "C" {
void* malloc(size_t size) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (gFailing.load(std::memory_order_relaxed)) return nullptr;
  return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (gFailing.load(std::memory_order_relaxed)) return nullptr;
  return __libc_calloc(count, size);
}
void* realloc(void* p, size_t size) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (gFailing.load(std::memory_order_relaxed)) return nullptr;
  return __libc_realloc(p, size);
}
void free(void* p) { __libc_free(p); }
}

size_t ks::testing::AllocationCount() { return gAllocations.load(std::memory_order_relaxed); }

ks::testing::FailingAllocations::FailingAllocations() { gFailing.store(true); }
ks::testing::FailingAllocations::~FailingAllocations() { gFailing.store(false); }
