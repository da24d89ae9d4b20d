#include "ksstring/simple_compare.h"

#include "ksstring/units.h"

namespace ksstring {

namespace {

// One text of the unit-wise walk, of units `Width` bytes wide.
template <unsigned Width>
struct UnitSide {
  const unsigned char* at;
  unsigned char format;

  unsigned Unit() const { return Width == 1 ? *at : ReadUnit(at, 2, format); }
  void Next() { at += Width; }
  // The next unit that the flags do not skip silently.
  unsigned Fetch(const SimpleOrders& orders, const QuickCompareRules& rules) {
    for (;; Next()) {
      const unsigned unit = Unit();
      if (QuickKindOf(rules.kinds, unit) != kQuickIgnorable) return unit;
      const bool space = orders.order[unit] < kFirstSymbolOrder;
      if (!(space ? rules.skipSpaces : rules.skipSymbols)) return unit;
    }
  }
};

template <unsigned Width>
bool CompareUnits(const SimpleOrders& orders, const unsigned char* text, const unsigned char* pattern,
                  const QuickCompareRules& rules, unsigned char format, int& result) {
  const uint8_t* kinds = rules.kinds;
  uint32_t caseDiff = 0;
  uint32_t accent = 0;
  int ignorable = 0;
  UnitSide<Width> t{text, format};
  UnitSide<Width> p{pattern, format};
  for (;;) {
    // At the start of a step equal units give equal orders on both sides
    // (an expansion on both sides included), which change no level.
    unsigned a = t.Unit();
    unsigned b = p.Unit();
    if (a == b) {
      if (a == 0) break;
      if (a >= kCachedUnits || rules.prefixStop[a] != 0) return false;
      t.Next();
      p.Next();
      continue;
    }
    a = t.Fetch(orders, rules);
    b = p.Fetch(orders, rules);
    // Ignorables on either side pair with each other in lockstep; the last
    // differing pair breaks ties.
    for (;;) {
      const uint8_t kindA = QuickKindOf(kinds, a);
      const uint8_t kindB = QuickKindOf(kinds, b);
      if (kindA == kQuickWalk || kindB == kQuickWalk) return false;
      if (kindA != kQuickIgnorable && kindB != kQuickIgnorable) break;
      const int mine = kindA == kQuickIgnorable ? orders.order[a] : 0;
      const int theirs = kindB == kQuickIgnorable ? orders.order[b] : 0;
      if (mine != theirs) ignorable = mine - theirs;
      if (kindA == kQuickIgnorable) {
        t.Next();
        a = t.Fetch(orders, rules);
      }
      if (kindB == kQuickIgnorable) {
        p.Next();
        b = p.Fetch(orders, rules);
      }
    }
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
    t.Next();
    p.Next();
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

}  // namespace

bool CompareSimpleUnits(const SimpleOrders& orders, const unsigned char* text, const unsigned char* pattern,
                        const QuickCompareRules& rules, unsigned char format, int& result) {
  if (orders.width == 1) return CompareUnits<1>(orders, text, pattern, rules, format, result);
  return CompareUnits<2>(orders, text, pattern, rules, format, result);
}

}  // namespace ksstring
