#include "ksstring/simple_compare.h"

#include "ksstring/code_set_cache.h"
#include "ksstring/collation_key.h"

namespace ksstring {
namespace {

int Difference(uint32_t a, uint32_t b) {
  return static_cast<int>(a - b);
}

}  // namespace

bool CompareSimpleBytes(const SimpleOrders& orders, const unsigned char* text, const unsigned char* pattern,
                        const SimpleCompareRules& rules, int& result) {
  auto isWildcard = [&](unsigned byte) {
    return rules.wildcards &&
           (orders.order[byte] == rules.starOrder || orders.order[byte] == rules.questionOrder);
  };
  // A byte that is one significant element on its own, or the end.
  auto isPlainElement = [&](unsigned byte) {
    return byte == 0 ||
           (orders.simple[byte] && orders.kind[byte] == SimpleOrders::Significant && !isWildcard(byte));
  };
  int caseDiff = 0;
  int accent = 0;
  for (;; ++text, ++pattern) {
    const unsigned a = *text;
    const unsigned b = *pattern;
    if (a == b) {
      if (a == 0) break;
      // Equal bytes at equal places: equal elements, or equal ignorables
      // that the lockstep pairs with each other.
      if (!orders.simple[a] || isWildcard(a)) return false;
      continue;
    }
    if (!isPlainElement(a) || !isPlainElement(b)) return false;
    const uint32_t ka = a != 0 ? orders.key[a] : 0;
    const uint32_t kb = b != 0 ? orders.key[b] : 0;
    const int primary = Difference(ka & kPrimaryMask, kb & kPrimaryMask);
    if (primary != 0) {
      result = primary;
      return true;
    }
    if (caseDiff == 0) caseDiff = Difference(kb & kWithCaseMask, ka & kWithCaseMask);
    const int accentDiff = Difference(ka & kWithAccentMask, kb & kWithAccentMask);
    if (accentDiff != 0) accent = accentDiff;
  }
  if (accent != 0 && !rules.accentInsensitive) {
    result = accent;
  } else if (caseDiff != 0 && !rules.caseInsensitive) {
    result = caseDiff;
  } else {
    result = 0;
  }
  return true;
}

}  // namespace ksstring
