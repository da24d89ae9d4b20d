// Printing into a string that already holds a text of the printed length
// reuses its buffer: a print loop over a column of values does not touch
// the heap once its output string has room.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "counting_malloc.h"
#include "ksistring.h"
#include "ksstring.h"
#include "kstypeids.h"
#include "kstypemgr.h"

namespace {

// Prints `values` twice into one string; returns the allocations of the
// second print and checks that it printed the same text.
template <class T>
size_t AllocationsOfAPrintWithRoom(char type, T& values, const char* format) {
  KsTypeMgr mgr;
  KsString out;
  mgr.PrintToKsString(type, out, &values, format, 1);
  const std::string first(out.StrGet(), out.Len());
  ks::testing::AllocationCounter counter;
  mgr.PrintToKsString(type, out, &values, format, 1);
  const size_t allocations = counter.Allocations();
  EXPECT_EQ(std::string(out.StrGet(), out.Len()), first);
  return allocations;
}

TEST(NoAllocation, PrintIntoAStringWithRoom) {
  KsString german(
      "Stra\xDF"
      "enbahnhaltestelle am Marktplatz");
  KsString shortText("Haus");
  EXPECT_EQ(AllocationsOfAPrintWithRoom(KsSTRING_T, german, nullptr), 0u);
  EXPECT_EQ(AllocationsOfAPrintWithRoom(KsSTRING_T, shortText, nullptr), 0u);
  EXPECT_EQ(AllocationsOfAPrintWithRoom(KsSTRING_T, german, "[%s]"), 0u);
  KsIString folded(
      "M\xFC"
      "ller-L\xFC"
      "denscheidt und S\xF6"
      "hne");
  EXPECT_EQ(AllocationsOfAPrintWithRoom(KsISTRING_T, folded, nullptr), 0u);
  int64_t wide = -1234567890123LL;
  EXPECT_EQ(AllocationsOfAPrintWithRoom(Ks8B_T, wide, nullptr), 0u);
  int32_t number = -1234567;
  EXPECT_EQ(AllocationsOfAPrintWithRoom(Ks4B_T, number, nullptr), 0u);
  int16_t small = 321;
  EXPECT_EQ(AllocationsOfAPrintWithRoom(Ks2B_T, small, nullptr), 0u);
}

}  // namespace
