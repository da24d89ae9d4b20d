// String comparison, collation orders and the collation hash run for every
// index key: none of them may touch the heap, wildcards included.
#include <gtest/gtest.h>

#include "counting_malloc.h"
#include "ksstrcmp.h"
#include "ksstringiterator.h"

namespace {

TEST(NoAllocation, StringComparisonOrdersAndHash) {
  // Expansions (sharp s), contractions (traditional Spanish ch), variants
  // (Swedish a-umlaut), spaces, symbols and 16-bit text.
  const char* texts[] = {
      "Stra\xDF"
      "e",
      "chico",
      "\xE4pple z",
      "a-b c",
      "ABC",
      ""};
  const unsigned short wide[] = {0x3B1, 0xE000, 'a', 0};
  const unsigned char languages[] = {0, 2, 4};
  const unsigned short operators[] = {0x10, 0x30, 0x70, 0x90, 0x100, 0x210, 0};
  // Read the wildcard orders once, outside the counted scope.
  KsStrCmp(1, 0, "a", 1, 0, "*", 0, -1, 1, nullptr);

  ks::testing::AllocationCounter counter;
  unsigned sink = 0;
  for (const char* a : texts) {
    for (const char* b : texts) {
      for (unsigned char language : languages) {
        for (unsigned short cmpOp : operators) {
          int match = 0;
          sink += static_cast<unsigned>(KsStrCmp(1, language, a, 1, language, b, cmpOp, -1, 1, &match));
        }
        sink += HashString(1, language, a, -1, 1);
      }
    }
    sink += static_cast<unsigned>(
        KsStrCmp(253, 0, reinterpret_cast<const char*>(wide), 1, 0, a, 0x10, -1, 1, nullptr));
  }
  sink += static_cast<unsigned>(KsStrCmp(1, 0, "mississippi", 1, 0, "m*iss*ppi", 0, -1, 1, nullptr));
  KsStringIterator it(
      "Stra\xDF"
      "e",
      1, 1, 1);
  while (it.GetNextOrder(1) != 0) ++sink;
  EXPECT_EQ(counter.Allocations(), 0u);
  EXPECT_NE(sink, 0u);
}

}  // namespace
