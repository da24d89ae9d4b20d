// The collation iterator asks the internationalisation services for every
// character it reads: lookups must not touch the heap, not even the first
// ones, which build the tables.
#include <gtest/gtest.h>

#include "counting_malloc.h"
#include "i18nsvc.h"

namespace {

TEST(I18nNoAllocation, LookupsConversionsAndCaseProperties) {
  ks::testing::AllocationCounter counter;
  unsigned sink = 0;
  for (unsigned char id : {0, 1, 2, 253, 254}) {
    const KsCodeSet* set = KsLanguageContext::QueryCodeSet(id);
    ASSERT_NE(set, nullptr);
    sink += set->GetClass(KS_LANGUAGE_SWEDISH);
    // Units spread over every table: rows, ideographs, Hangul, unknowns.
    for (unsigned unit = 0; unit < 0x10000; unit += 7) {
      const unsigned short u = static_cast<unsigned short>(unit);
      if (set->CharTable() != nullptr) {
        const KsCollationEntry* entry = set->CharTable()->GetEntry(u);
        if (entry != nullptr) sink += entry->order;
      }
      sink += set->Convert(u, 1) + set->Convert(u, 253);
      if (const KsUnicodeProps* props = set->GetUnicodeProps(u, KS_LANGUAGE_ENGLISH)) sink += props->upper;
    }
  }
  EXPECT_EQ(counter.Allocations(), 0u);
  EXPECT_NE(sink, 0u);
}

}  // namespace
