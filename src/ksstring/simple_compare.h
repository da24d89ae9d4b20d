// The quick levelled comparison of two 8-bit texts of one code set and
// language, for the common case where the texts differ first at bytes that
// are one significant element each. It answers only when it is sure to agree
// with the collation walk; otherwise the caller runs that.
//
// Why the byte-wise view agrees with the walk: equal bytes at equal places
// with plain entries are equal elements, or equal ignorables that the walk's
// lockstep pairs with each other, so they change no level; the first pair of
// different bytes is then a pair of elements in step, provided neither is
// ignorable (which would shift the pairing), nor the start of a contraction
// or expansion, nor a wildcard.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ksstring/code_set_cache.h"
#include "ksstring/collation_key.h"

namespace ksstring {

struct QuickCompareRules {
  const uint8_t* kinds;       // SimpleOrders::quick[0] or [1]
  const uint8_t* prefixStop;  // SimpleOrders::prefixStop[0] or [1], the same wildcards
  bool caseInsensitive;
  bool accentInsensitive;
};

// Sets result and returns true when the bytes decide the comparison alone.
// REQUIRES: both texts are zero-terminated.
bool CompareSimpleBytes(const SimpleOrders& orders, const unsigned char* text, const unsigned char* pattern,
                        const QuickCompareRules& rules, int& result);

// The common case of CompareSimpleBytes, inline for the comparison's entry,
// at the first units after the equal prefix: the texts are equal, or
// differ there at two elements that differ at the primary level. Sets
// result and returns true then; false leaves the answer to
// CompareSimpleBytes (or the walk).
inline bool ComparePrimaryAt(const SimpleOrders& orders, const uint8_t* kinds, unsigned a, unsigned b,
                             int& result) {
  if (a == b) {
    result = 0;
    return a == 0;
  }
  if ((kinds[a] | kinds[b]) != kQuickElement) return false;
  result = static_cast<int>((orders.key[a] & kPrimaryMask) - (orders.key[b] & kPrimaryMask));
  return result != 0;
}

}  // namespace ksstring
