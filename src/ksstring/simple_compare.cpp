#include "ksstring/simple_compare.h"

namespace ksstring {

bool CompareSimpleBytes(const SimpleOrders& orders, const unsigned char* text, const unsigned char* pattern,
                        const QuickCompareRules& rules, int& result) {
  const uint8_t* kinds = rules.kinds;
  uint32_t caseDiff = 0;
  uint32_t accent = 0;
  for (;; ++text, ++pattern) {
    const unsigned a = *text;
    const unsigned b = *pattern;
    if (a == b) {
      if (a == 0) break;
      // Equal units that give the same orders whatever follows leave the
      // two sides in step (an expansion on both sides included).
      if (rules.prefixStop[a] != 0) return false;
      continue;
    }
    if ((kinds[a] | kinds[b]) != kQuickElement) return false;
    const uint32_t ka = orders.key[a];
    const uint32_t kb = orders.key[b];
    const uint32_t primary = (ka & kPrimaryMask) - (kb & kPrimaryMask);
    if (primary != 0) {
      result = static_cast<int>(primary);
      return true;
    }
    // Lower case sorts first: the case difference runs the other way.
    if (caseDiff == 0) caseDiff = (kb & kWithCaseMask) - (ka & kWithCaseMask);
    const uint32_t accentDiff = (ka & kWithAccentMask) - (kb & kWithAccentMask);
    if (accentDiff != 0) accent = accentDiff;
  }
  if (accent != 0 && !rules.accentInsensitive) {
    result = static_cast<int>(accent);
  } else if (caseDiff != 0 && !rules.caseInsensitive) {
    result = static_cast<int>(caseDiff);
  } else {
    result = 0;
  }
  return true;
}

}  // namespace ksstring
