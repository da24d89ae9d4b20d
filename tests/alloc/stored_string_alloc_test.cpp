// The stored string comparison and hash run for every index key: whole,
// cut and 16-bit records are compared without touching the heap.
#include <gtest/gtest.h>

#include <vector>

#include "counting_malloc.h"
#include "ksstoredstring.h"
#include "ksstrcmp.h"
#include "ksstring.h"
#include "kstypemgr.h"

namespace {

std::vector<unsigned char> Stored(const KsString& s, unsigned char format) {
  std::vector<unsigned char> out(StringSizeGet(&s, 8, format, 1));
  StringStore(out.data(), &s, format, 1);
  return out;
}

TEST(NoAllocation, StoredStringCompareAndHash) {
  const unsigned short wide[] = {'a', 0xE9, 'z', 0};
  const std::vector<std::vector<unsigned char>> records = {
      Stored(KsString("Stra\xDF"
                      "e"),
             1),
      Stored(KsString("Strasse"), 1), Stored(KsString(wide), 1), Stored(KsString("ab*"), 1)};
  KsTypeMgr mgr;
  // Read the wildcard orders once, outside the counted scope.
  KsStrCmp(1, 0, "a", 1, 0, "*", 0, -1, 1, nullptr);
  ks::testing::AllocationCounter counter;
  int sink = 0;
  for (const auto& a : records) {
    for (const auto& b : records) {
      for (unsigned len : {0u, 6u}) {
        for (unsigned short cmpOp : {0, 0x10, 0x90, 0x100}) {
          int status = 0;
          sink += mgr.Cmp(KsSTRING_T, len, const_cast<unsigned char*>(a.data()), 0,
                          const_cast<unsigned char*>(b.data()), cmpOp, 1, 1, status);
        }
      }
    }
    int status = 0;
    sink += static_cast<int>(mgr.Hash(KsSTRING_T, 0, const_cast<unsigned char*>(a.data()), 1, 1, status));
  }
  EXPECT_EQ(counter.Allocations(), 0u);
  EXPECT_NE(sink, 0);
}

}  // namespace
