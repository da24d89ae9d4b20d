// String comparison, collation orders and the collation hash run for every
// index key: none of them may touch the heap, wildcards included.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// The quick paths: long equal prefixes through the vector scan, equal
// expansions in them, the unit-wise walk over 8- and 16-bit text with
// ignorables, the key-table hash, with and without a match position output.
TEST(NoAllocation, QuickPathsOfComparisonAndHash) {
  std::string prefix;
  for (int i = 0; i < 40; ++i)
    prefix +=
        "Stra\xDF"
        "e der M\xFC"
        "nchner ";
  const std::string texts[] = {prefix + "a",  prefix + "A", prefix + " a",
                               prefix + "-b", prefix,       prefix + "ch*"};
  std::vector<std::u16string> wide;
  for (const std::string& text : texts) {
    std::u16string units;
    for (unsigned char c : text) units += static_cast<char16_t>(c);
    wide.push_back(units);
  }
  const unsigned short operators[] = {0, 0x10, 0x60, 0x90, 0x210};
  // Build the tables of every language and code set used, outside the count.
  for (unsigned char language : {0, 1, 3}) {
    for (unsigned char codeSet : {1, 253}) {
      const char* a = codeSet == 1 ? texts[0].c_str() : reinterpret_cast<const char*>(wide[0].c_str());
      KsStrCmp(codeSet, language, a, codeSet, language, a, 0, -1, 1, nullptr);
      HashString(codeSet, language, a, -1, 1);
    }
  }

  ks::testing::AllocationCounter counter;
  unsigned sink = 0;
  for (size_t i = 0; i < std::size(texts); ++i) {
    for (size_t j = 0; j < std::size(texts); ++j) {
      for (unsigned char language : {0, 1, 3}) {
        for (unsigned short cmpOp : operators) {
          int match = 0;
          sink += static_cast<unsigned>(
              KsStrCmp(1, language, texts[i].c_str(), 1, language, texts[j].c_str(), cmpOp, -1, 1, &match));
          sink += static_cast<unsigned>(
              KsStrCmp(1, language, texts[i].c_str(), 1, language, texts[j].c_str(), cmpOp, -1, 1, nullptr));
          const char* a = reinterpret_cast<const char*>(wide[i].c_str());
          const char* b = reinterpret_cast<const char*>(wide[j].c_str());
          sink += static_cast<unsigned>(KsStrCmp(253, language, a, 253, language, b, cmpOp, -1, 1, nullptr));
          sink += static_cast<unsigned>(KsStrCmp(253, language, a, 253, language, b, cmpOp, -1, 2, &match));
        }
        sink += HashString(1, language, texts[i].c_str(), -1, 1);
        sink += HashString(253, language, reinterpret_cast<const char*>(wide[i].c_str()), -1, 1);
      }
    }
  }
  EXPECT_EQ(counter.Allocations(), 0u);
  EXPECT_NE(sink, 0u);
}

}  // namespace
