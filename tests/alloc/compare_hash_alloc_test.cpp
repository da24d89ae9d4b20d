// Comparison and hashing run in index scans: they must not touch the heap.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "counting_malloc.h"
#include "kstypemgr.h"

namespace {

TEST(NoAllocation, CounterSeesAllocations) {
  ks::testing::AllocationCounter counter;
  KsTypeMgr mgr;
  void* values = mgr.Create(Ks4B_T, 4);
  EXPECT_GE(counter.Allocations(), 1u);
  mgr.Delete(Ks4B_T, values, 4);
}

TEST(NoAllocation, CompareAndHashOfEveryFixedLayout) {
  KsTypeMgr mgr;
  std::vector<unsigned char> a(64 * 8, 0x11), b(64 * 8, 0x11);
  b.back() = 0x12;
  const int types[] = {Ks1B_T, Ks2B_T, Ks4B_T, KsDOUBLE_T, KsFLOAT_T, KsU2B_T, KsU4B_T, KsINT_T, KsUNSIGNED_T,
                       KsENUM_T, KsU1B_T, KsBLOCKID_T, D_INTERVAL_T, KsINT64_T, KsBOOLEAN_T, Ks8B_T, KsU8B_T};
  ks::testing::AllocationCounter counter;
  unsigned sink = 0;
  for (int type : types) {
    const unsigned size = mgr.MemLenGet(static_cast<char>(type));
    for (unsigned char format : {8, 1, 2}) {
      int status = 0;
      sink += mgr.Cmp(static_cast<char>(type), 0, a.data(), 0, b.data(), 0, 64, format, status);
      sink += mgr.Cmp(static_cast<char>(type), size * 3 + 1, a.data(), 0, b.data(), 0, 64, format, status);
      sink += mgr.Hash(static_cast<char>(type), 0, a.data(), 64, format, status);
    }
  }
  EXPECT_EQ(counter.Allocations(), 0u);
  EXPECT_NE(sink, 0u);
}

TEST(NoAllocation, TranslateOfPrimitiveArrays) {
  KsTypeMgr mgr;
  std::vector<int32_t> values(1000, 0x01020304);
  std::vector<unsigned char> stored(4000), back(4000);
  ks::testing::AllocationCounter counter;
  mgr.Translate(Ks4B_T, stored.data(), 2, 4000, values.data(), 8, 4000, 1000);
  mgr.Translate(Ks4B_T, back.data(), 8, 4000, stored.data(), 2, 4000, 1000);
  mgr.Translate(Ks4B_T, back.data(), 1, 4000, stored.data(), 2, 3000, 1000);
  EXPECT_EQ(counter.Allocations(), 0u);
}

}  // namespace
