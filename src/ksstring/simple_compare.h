// The quick levelled comparison of two texts of one code set and language
// whose units have simple orders: the collation walk over units and
// per-unit tables instead of iterators. It answers only when it is sure
// to agree with the walk; otherwise the caller runs that.
//
// Why the byte-wise view agrees with the walk: a byte with a simple order is
// one order, so fetching, skipping and the lockstep pairing of ignorables
// follow the units one to one. Equal units at the start of a step give
// equal orders on both sides whatever they are (expansions included) and
// change no level. Contractions, wildcards, orders 0 and expansions that are
// not paired with an equal one need the walk.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ksstring/code_set_cache.h"
#include "ksstring/collation_key.h"
#include "ksstring/units.h"

namespace ksstring {

struct QuickCompareRules {
  const uint8_t* kinds;       // SimpleOrders::quick[0] or [1]
  const uint8_t* prefixStop;  // SimpleOrders::prefixStop[0] or [1], the same wildcards
  int stopSet;                // its index
  bool caseInsensitive;
  bool accentInsensitive;
  bool skipSpaces;
  bool skipSymbols;
  int limit;    // orders fetched per side at most (INT_MAX: no limit)
  int* report;  // receives the primary difference of every step within the limit; may be null
};

// The quick kind of a unit; units from kCachedUnits on need the walk.
inline uint8_t QuickKindOf(const uint8_t* kinds, unsigned unit) {
  return unit < kCachedUnits ? kinds[unit] : static_cast<uint8_t>(kQuickWalk);
}

// An equal prefix not looked for.
constexpr size_t kUnknownPrefix = SIZE_MAX;

// Sets result and returns true when the units decide the comparison alone.
// 16-bit units are read in `format`. Without limit and report, the walk
// finds the texts' equal prefix (see equal_prefix.h) on its way and sets
// equalUnits to its length in units when it passes its end, so that the
// collation walk need not look for it again; else equalUnits stays.
// REQUIRES: both texts are zero-terminated.
bool CompareSimpleUnits(const SimpleOrders& orders, const unsigned char* text, const unsigned char* pattern,
                        const QuickCompareRules& rules, unsigned char format, int& result,
                        size_t& equalUnits);

// What the first units after the equal prefix tell (see ComparePrimaryAt).
enum class FirstDifference {
  Decided,    // result set
  Ignorable,  // one of them is an ignorable: see PrimaryPastIgnorables
  Other,      // the levels or the walk decide
};

// The common case of CompareSimpleUnits, inline for the comparison's entry,
// at the first units after the equal prefix: the texts are equal, or
// differ there at two first orders that differ at the primary level (see
// SimpleOrders::leadPrimary).
[[gnu::always_inline]] inline FirstDifference ComparePrimaryAt(const SimpleOrders& orders, int stopSet,
                                                               unsigned a, unsigned b, int& result) {
  if (a == b) {
    result = 0;
    return a == 0 ? FirstDifference::Decided : FirstDifference::Other;
  }
  // Beyond the tables the walk decides.
  if ((a | b) >= kCachedUnits) return FirstDifference::Other;
  const uint32_t* lead = orders.leadPrimary[stopSet];
  const uint32_t x = lead[a];
  const uint32_t y = lead[b];
  if (((x | y) & kNoLeadPrimary) == 0) {
    if (x == y) return FirstDifference::Other;
    result = static_cast<int>(x - y);
    return FirstDifference::Decided;
  }
  return x == kIgnorableLead || y == kIgnorableLead ? FirstDifference::Ignorable : FirstDifference::Other;
}

// Where the first units after the equal prefix differ and one of them is
// an ignorable: ignorables never take part in the primary level, so the
// first orders after the ignorables on each side decide when they differ
// there (see ComparePrimaryAt). Sets result and returns true then.
// REQUIRES: both texts zero-terminated, at the first units after their
// equal prefix; stopSet as for ComparePrimaryAt; units `Width` bytes wide,
// swapped when `Swap`.
template <unsigned Width, bool Swap>
[[gnu::always_inline]] inline bool PrimaryPastIgnorables(const SimpleOrders& orders, int stopSet,
                                                         const unsigned char* text,
                                                         const unsigned char* pattern, int& result) {
  const uint8_t* kinds = orders.quick[stopSet];
  unsigned a = UnitAt<Width, Swap>(text);
  unsigned b = UnitAt<Width, Swap>(pattern);
  while (QuickKindOf(kinds, a) == kQuickIgnorable) a = UnitAt<Width, Swap>(text += Width);
  while (QuickKindOf(kinds, b) == kQuickIgnorable) b = UnitAt<Width, Swap>(pattern += Width);
  if ((a | b) >= kCachedUnits) return false;
  const uint32_t x = orders.leadPrimary[stopSet][a];
  const uint32_t y = orders.leadPrimary[stopSet][b];
  if (((x | y) & kNoLeadPrimary) != 0 || x == y) return false;
  result = static_cast<int>(x - y);
  return true;
}

// Whether an equal pair of a unit from kCachedUnits on, which the tables
// do not describe, may be passed over as the equal-prefix scan passes the
// units they describe (see SimpleOrders::prefixStop).
bool WideUnitPassesEqualPrefix(const SimpleOrders& orders, int stopSet, unsigned unit);

}  // namespace ksstring
