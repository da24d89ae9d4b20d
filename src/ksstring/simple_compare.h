// The quick levelled comparison of two 8-bit texts of one code set and
// language, for the common case where every byte is one element with a
// plain entry. It answers only when it is sure to agree with the full
// comparison; otherwise the caller runs that.
#pragma once

#include <cstdint>

namespace ksstring {

struct SimpleOrders;

struct SimpleCompareRules {
  bool wildcards;
  bool caseInsensitive;
  bool accentInsensitive;
  uint16_t starOrder;
  uint16_t questionOrder;
};

// Sets result and returns true when the bytes decide the comparison alone.
// REQUIRES: both texts are zero-terminated.
bool CompareSimpleBytes(const SimpleOrders& orders, const unsigned char* text, const unsigned char* pattern,
                        const SimpleCompareRules& rules, int& result);

}  // namespace ksstring
