// Index range evaluation: numeric evaluations that record nothing stay off
// the heap, and a bound that cannot be allocated calls the memory handler
// and leaves the scan open on that side.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "basesvc.h"
#include "counting_malloc.h"
#include "ksidxbounds.h"
#include "kstypemgr.h"

namespace {

std::vector<unsigned> gRequested;

int RecordRequest(unsigned size) {
  gRequested.push_back(size);
  return 0;
}

TEST(IndexBoundsAllocation, FailedBoundCopiesCallTheMemoryHandler) {
  KsTypeMgr mgr;
  int64_t key = 42;
  KsIdxBounds out{nullptr, nullptr, 0, 0, 0};
  unsigned short flags = 1;
  gRequested.clear();
  gRequested.reserve(4);  // the handler runs while every allocation fails
  KsSetMemoryHandler(RecordRequest);
  float estimate;
  {
    ks::testing::FailingAllocations failing;
    estimate = mgr.EvalAndBound(Ks8B_T, nullptr, flags, &key, 8, 2, &out, nullptr);
  }
  KsSetMemoryHandler(nullptr);
  EXPECT_EQ(estimate, 0.0f);
  EXPECT_EQ(out.low, nullptr);
  EXPECT_EQ(out.high, nullptr);
  EXPECT_EQ(gRequested, (std::vector<unsigned>{16, 16}));
}

TEST(IndexBoundsAllocation, EvaluationWithRecordedBoundsDoesNotAllocate) {
  KsTypeMgr mgr;
  int32_t low = 1, high = 100, key = 50;
  KsIdxBounds bounds{&low, &high, 4, 4, 0};
  KsIdxBounds out{&low, &high, 4, 4, 0};
  ks::testing::AllocationCounter counter;
  float sum = 0;
  for (unsigned short flags : {1, 2, 4, 5, 6})
    sum += mgr.EvalAndBound(Ks4B_T, &bounds, flags, &key, 8, 1, &out, nullptr);
  EXPECT_EQ(counter.Allocations(), 0u);
  EXPECT_FLOAT_EQ(sum, 0.01f + 0.49f + 0.5f + 0.51f + 0.99f);
}

}  // namespace
