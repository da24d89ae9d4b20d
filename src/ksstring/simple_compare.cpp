#include "ksstring/simple_compare.h"

namespace ksstring {

namespace {

// One text of the byte-wise walk: fetches the next byte that the flags do
// not skip silently.
struct ByteSide {
  const unsigned char* at;
  unsigned Fetch(const SimpleOrders& orders, const QuickCompareRules& rules) {
    for (;; ++at) {
      const unsigned unit = *at;
      if (rules.kinds[unit] != kQuickIgnorable) return unit;
      const bool space = orders.order[unit] < kFirstSymbolOrder;
      if (!(space ? rules.skipSpaces : rules.skipSymbols)) return unit;
    }
  }
};

}  // namespace

bool CompareSimpleBytes(const SimpleOrders& orders, const unsigned char* text, const unsigned char* pattern,
                        const QuickCompareRules& rules, int& result) {
  const uint8_t* kinds = rules.kinds;
  uint32_t caseDiff = 0;
  uint32_t accent = 0;
  int ignorable = 0;
  ByteSide t{text};
  ByteSide p{pattern};
  for (;;) {
    // At the start of a step equal units give equal orders on both sides
    // (an expansion on both sides included), which change no level.
    if (*t.at == *p.at) {
      if (*t.at == 0) break;
      if (rules.prefixStop[*t.at] != 0) return false;
      ++t.at;
      ++p.at;
      continue;
    }
    unsigned a = t.Fetch(orders, rules);
    unsigned b = p.Fetch(orders, rules);
    // Ignorables on either side pair with each other in lockstep; the last
    // differing pair breaks ties.
    while (kinds[a] == kQuickIgnorable || kinds[b] == kQuickIgnorable) {
      if (kinds[a] == kQuickWalk || kinds[b] == kQuickWalk) return false;
      const int mine = kinds[a] == kQuickIgnorable ? orders.order[a] : 0;
      const int theirs = kinds[b] == kQuickIgnorable ? orders.order[b] : 0;
      if (mine != theirs) ignorable = mine - theirs;
      if (kinds[a] == kQuickIgnorable) {
        ++t.at;
        a = t.Fetch(orders, rules);
      }
      if (kinds[b] == kQuickIgnorable) {
        ++p.at;
        b = p.Fetch(orders, rules);
      }
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
    // Elements of equal primary weight: both ended, or both go on.
    if (a == 0) break;
    ++t.at;
    ++p.at;
  }
  if (accent != 0 && !rules.accentInsensitive) {
    result = static_cast<int>(accent);
  } else if (caseDiff != 0 && !rules.caseInsensitive) {
    result = static_cast<int>(caseDiff);
  } else {
    result = ignorable;
  }
  return true;
}

}  // namespace ksstring
