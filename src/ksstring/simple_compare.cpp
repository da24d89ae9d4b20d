#include "ksstring/simple_compare.h"

#include <climits>
#include <cstring>

#include "ksstring/equal_prefix.h"
#include "ksstring/units.h"

namespace ksstring {

namespace {

// An order of the walk and what the flags make of it.
struct Item {
  enum Kind : uint8_t { Element, Ignorable, Walk };
  uint32_t key;
  uint16_t order;
  Kind kind;
};

// One text of the unit-wise walk, of units `Width` bytes wide, with the
// orders of an expansion it is delivering.
template <unsigned Width>
class UnitSide {
 public:
  UnitSide(const SimpleOrders& orders, const QuickCompareRules& rules, const unsigned char* at,
           unsigned char format, int fetched)
      : orders_(orders), rules_(rules), at_(at), format_(format), fetched_(fetched) {}

  // Between characters: no expansion is pending.
  bool InStep() const { return pendingLeft_ == 0; }
  int Fetched() const { return fetched_; }
  // Whether the limit lets a unit of `orders` orders pass whole.
  bool CanPass(unsigned orders) const { return fetched_ + static_cast<int>(orders) <= rules_.limit; }
  void Pass(unsigned orders) {
    fetched_ += static_cast<int>(orders);
    Next();
  }
  unsigned Unit() const { return Width == 1 ? *at_ : ReadUnit(at_, 2, format_); }
  void Next() { at_ += Width; }

  // The next order that the flags do not skip silently, consumed (the end
  // stays). Walk when the unit needs the collation walk.
  Item Fetch() {
    for (;;) {
      // Past the limit every order reads as the end; the end counts too.
      if (fetched_ >= rules_.limit) return Item{0, 0, Item::Element};
      Item item;
      if (pendingLeft_ != 0) {
        ++fetched_;
        --pendingLeft_;
        item = Classified(*pending_++, pendingClass_);
      } else {
        const unsigned unit = Unit();
        const uint8_t kind = QuickKindOf(rules_.kinds, unit);
        if (kind == kQuickWalk) {
          if (unit >= kCachedUnits || orders_.expansionCount[unit] == 0 || rules_.prefixStop[unit] != 0) {
            return Item{0, 0, Item::Walk};
          }
          // The expansion's orders, all of the unit's class.
          pending_ = orders_.expansion[unit];
          pendingLeft_ = orders_.expansionCount[unit];
          pendingClass_ = orders_.orderClass[unit];
          Next();
          continue;
        }
        ++fetched_;
        if (unit == 0) return Item{0, 0, Item::Element};
        Next();
        item = Item{orders_.key[unit], orders_.order[unit],
                    kind == kQuickElement ? Item::Element : Item::Ignorable};
      }
      if (item.kind != Item::Ignorable) return item;
      if (!SkipsIgnorable(item.order, rules_.skipSpaces, rules_.skipSymbols)) return item;
    }
  }

 private:
  static Item Classified(uint16_t order, uint8_t orderClass) {
    const bool element = order >= kFirstDigitOrder || orderClass >= kUndefinedClass;
    return Item{CollationKey(order, orderClass), order, element ? Item::Element : Item::Ignorable};
  }

  const SimpleOrders& orders_;
  const QuickCompareRules& rules_;
  const unsigned char* at_;
  unsigned char format_;
  const uint16_t* pending_ = nullptr;
  unsigned pendingLeft_ = 0;
  uint8_t pendingClass_ = 0;
  int fetched_;
};

// The orders an equal unit gives, or 0 when unknown here.
inline unsigned OrdersOf(const SimpleOrders& orders, unsigned unit) {
  return orders.simple[unit] ? 1 : orders.expansionCount[unit];
}

// Level differences gathered so far.
struct LevelState {
  uint32_t caseDiff = 0;  // the first non-zero case difference
  uint32_t accent = 0;    // the last non-zero accent difference
  int ignorable = 0;      // the last differing pair of ignorables
};

// The result of a walk whose elements all had equal primary weights.
inline int LevelledResult(const LevelState& levels, const QuickCompareRules& rules) {
  return LowerLevelsResult(levels.accent, levels.caseDiff, levels.ignorable, rules.accentInsensitive,
                           rules.caseInsensitive);
}

// What the unit-wise walk needs of a unit: its quick kind, key and order.
struct UnitFacts {
  uint8_t kind;
  uint32_t key;
  uint16_t order;
};

// A unit from kCachedUnits on, from the code set's table: a plain entry (no
// contraction, expansion or language variant) is one element or ignorable
// as a byte with a simple order is; everything else needs the walk.
UnitFacts WideUnitFacts(const SimpleOrders& orders, const QuickCompareRules& rules, unsigned unit) {
  const KsCollationEntry* entry =
      orders.charTable != nullptr ? orders.charTable->GetEntry(static_cast<unsigned short>(unit)) : nullptr;
  constexpr unsigned kSpecial = KsCollationEntry::HasContractions | KsCollationEntry::HasLanguageVariants |
                                KsCollationEntry::HasExpansion;
  if (entry == nullptr || (entry->flags & kSpecial) != 0) return UnitFacts{kQuickWalk, 0, 0};
  const uint16_t order = entry->order;
  const bool wildcard = rules.stopSet == 1 && (order == orders.star || order == orders.question);
  if (order == 0 || wildcard) return UnitFacts{kQuickWalk, 0, 0};
  const uint8_t orderClass = entry->classByte != nullptr ? *entry->classByte : orders.languageClass;
  const bool element = order >= kFirstDigitOrder || orderClass >= kUndefinedClass;
  return UnitFacts{element ? kQuickElement : kQuickIgnorable, CollationKey(order, orderClass), order};
}

template <unsigned Width>
inline UnitFacts FactsOf(const SimpleOrders& orders, const QuickCompareRules& rules, unsigned unit) {
  if (Width == 1 || unit < kCachedUnits)
    return UnitFacts{rules.kinds[unit], orders.key[unit], orders.order[unit]};
  return WideUnitFacts(orders, rules, unit);
}

// The facts of the first order a unit gives: its own for a single order,
// the first of its expansion for one the tables describe (see
// UnitSide::Fetch); walk for everything else.
template <unsigned Width>
inline UnitFacts FirstOrderFacts(const SimpleOrders& orders, const QuickCompareRules& rules, unsigned unit,
                                 const UnitFacts& facts) {
  if (facts.kind != kQuickWalk) return facts;
  if ((Width == 2 && unit >= kCachedUnits) || orders.expansionCount[unit] == 0 ||
      rules.prefixStop[unit] != 0) {
    return facts;
  }
  const uint16_t order = orders.expansion[unit][0];
  const uint8_t orderClass = orders.orderClass[unit];
  const bool element = order >= kFirstDigitOrder || orderClass >= kUndefinedClass;
  return UnitFacts{element ? kQuickElement : kQuickIgnorable, CollationKey(order, orderClass), order};
}

// Equal units in a row after which the walk hands the rest of the equal
// run to the vector scan: words differ within a few units, where the scan
// would cost more than it saves.
constexpr unsigned kRunBeforeScan = 16;

// The walk while each step is one unit on each side: equal units that
// pass, pairs of single elements, ignorables the flags skip and those
// they keep, which pair in lockstep. This is the walk of CompareUnits
// with nothing pending and no report, one table lookup per unit;
// long equal runs go to the vector scan. Under a limit it counts the
// orders each side fetches (`fetched`) and leaves the limit's end to the
// general steps.
// Returns 1 (result set) or -1 (the walk needs the collation tables) when
// decided, 0 when a unit needs the general steps; the positions are then
// at that unit, between characters. Sets equalUnits to the equal prefix
// of the texts when the walk passes its end.
template <unsigned Width, bool Swap, bool Limited>
int WalkSingleUnits(const SimpleOrders& orders, const QuickCompareRules& rules, unsigned char format,
                    const unsigned char*& text, const unsigned char*& pattern, LevelState& levelsOut,
                    int& result, size_t& equalUnitsOut, int (&fetched)[2]) {
  const unsigned char* t = text;
  const unsigned char* p = pattern;
  // Kept in registers while the loop runs.
  LevelState levels = levelsOut;
  size_t equalUnits = equalUnitsOut;
  int tf = 0;
  int pf = 0;
  unsigned run = 0;
  int decided = 0;
  for (;;) {
    if (Limited && (tf >= rules.limit || pf >= rules.limit)) break;
    const unsigned a = UnitAt<Width, Swap>(t);
    const unsigned b = UnitAt<Width, Swap>(p);
    if (a == b && a != 0) {
      const bool passes = Width == 1 || a < kCachedUnits
                              ? rules.prefixStop[a] == 0
                              : WideUnitPassesEqualPrefix(orders, rules.stopSet, a);
      if (!passes) {
        if (equalUnits == kUnknownPrefix) equalUnits = static_cast<size_t>(t - text) / Width;
        decided = -1;
        break;
      }
      // The prefix the collation walk may skip holds units the tables
      // describe only (see equal_prefix.h), whose class they know.
      if (Width == 2 && a >= kCachedUnits && equalUnits == kUnknownPrefix) {
        equalUnits = static_cast<size_t>(t - text) / Width;
      }
      // Without a limit any unit that passes the prefix scan passes here,
      // expansions of every length included; under one, a unit whose
      // orders the limit lets pass whole on both sides.
      if constexpr (Limited) {
        const unsigned count = Width == 1 || a < kCachedUnits ? OrdersOf(orders, a) : 0;
        if (count == 0 || tf + static_cast<int>(count) > rules.limit ||
            pf + static_cast<int>(count) > rules.limit) {
          break;
        }
        tf += static_cast<int>(count);
        pf += static_cast<int>(count);
      }
      t += Width;
      p += Width;
      if (++run == kRunBeforeScan) [[unlikely]] {
        run = 0;
        size_t units = EqualPrefixUnits(orders, rules.stopSet, t, p, format);
        if constexpr (Limited) {
          // Under a limit the run passes as far as its orders fit on both
          // sides; the scan passes units below 256 only.
          const int room = rules.limit - (tf > pf ? tf : pf);
          int count = 0;
          size_t passed = 0;
          for (; passed < units; ++passed) {
            const int orderCount =
                static_cast<int>(OrdersOf(orders, UnitAt<Width, Swap>(t + passed * Width)));
            if (orderCount == 0 || count + orderCount > room) break;
            count += orderCount;
          }
          units = passed;
          tf += count;
          pf += count;
        }
        t += units * Width;
        p += units * Width;
      }
      continue;
    }
    // The equal prefix ends at the first unit that does not pass.
    if (equalUnits == kUnknownPrefix) {
      equalUnits = static_cast<size_t>(t - text) / Width;
    }
    run = 0;
    const UnitFacts fa = FactsOf<Width>(orders, rules, a);
    const UnitFacts fb = FactsOf<Width>(orders, rules, b);
    const uint8_t ka = fa.kind;
    const uint8_t kb = fb.kind;
    if ((ka | kb) == kQuickElement) {
      const uint32_t x = fa.key;
      const uint32_t y = fb.key;
      const uint32_t primary = PrimaryDifference(x, y);
      if (primary != 0) {
        result = static_cast<int>(primary);
        equalUnitsOut = equalUnits;
        return 1;
      }
      if (levels.caseDiff == 0) levels.caseDiff = CaseDifference(x, y);
      const uint32_t accentDiff = AccentDifference(x, y);
      if (accentDiff != 0) levels.accent = accentDiff;
      // The end counts as fetched too.
      if constexpr (Limited) {
        ++tf;
        ++pf;
      }
      if (a == 0 || b == 0) {
        decided = 1;
        break;
      }
      t += Width;
      p += Width;
      continue;
    }
    // An ignorable the flags skip goes without a step.
    if (ka == kQuickIgnorable && SkipsIgnorable(fa.order, rules.skipSpaces, rules.skipSymbols)) {
      t += Width;
      if constexpr (Limited) ++tf;
      continue;
    }
    if (kb == kQuickIgnorable && SkipsIgnorable(fb.order, rules.skipSpaces, rules.skipSymbols)) {
      p += Width;
      if constexpr (Limited) ++pf;
      continue;
    }
    if (ka == kQuickWalk || kb == kQuickWalk) {
      // An expansion against an element or another expansion: a primary
      // difference at their first orders decides; anything else is for
      // the general steps, which deliver the expansion order by order.
      const UnitFacts xa = FirstOrderFacts<Width>(orders, rules, a, fa);
      const UnitFacts xb = FirstOrderFacts<Width>(orders, rules, b, fb);
      if ((xa.kind | xb.kind) == kQuickElement) {
        const uint32_t primary = PrimaryDifference(xa.key, xb.key);
        if (primary != 0) {
          result = static_cast<int>(primary);
          equalUnitsOut = equalUnits;
          return 1;
        }
      }
      break;
    }
    // Ignorables the flags keep pair with each other in lockstep, an
    // element or the end with nothing; the last differing pair breaks ties.
    const int mine = ka == kQuickIgnorable ? fa.order : 0;
    const int theirs = kb == kQuickIgnorable ? fb.order : 0;
    if (mine != theirs) levels.ignorable = mine - theirs;
    if (ka == kQuickIgnorable) {
      t += Width;
      if constexpr (Limited) ++tf;
    }
    if (kb == kQuickIgnorable) {
      p += Width;
      if constexpr (Limited) ++pf;
    }
  }
  text = t;
  pattern = p;
  fetched[0] = tf;
  fetched[1] = pf;
  levelsOut = levels;
  equalUnitsOut = equalUnits;
  if (decided == 1) result = LevelledResult(levels, rules);
  return decided;
}

template <unsigned Width>
bool CompareUnits(const SimpleOrders& orders, const unsigned char* text, const unsigned char* pattern,
                  const QuickCompareRules& rules, unsigned char format, int& result, size_t& equalUnits) {
  LevelState levels;
  int fetched[2] = {0, 0};
  if (rules.report == nullptr) {
    const bool swap = Width == 2 && ksbase::FormatNeedsByteSwap(format);
    const bool limited = rules.limit != INT_MAX;
    int decided = 0;
    if (swap) {
      decided = limited ? WalkSingleUnits<Width, true, true>(orders, rules, format, text, pattern, levels,
                                                             result, equalUnits, fetched)
                        : WalkSingleUnits<Width, true, false>(orders, rules, format, text, pattern, levels,
                                                              result, equalUnits, fetched);
    } else {
      decided = limited ? WalkSingleUnits<Width, false, true>(orders, rules, format, text, pattern, levels,
                                                              result, equalUnits, fetched)
                        : WalkSingleUnits<Width, false, false>(orders, rules, format, text, pattern, levels,
                                                               result, equalUnits, fetched);
    }
    if (decided != 0) return decided > 0;
  }
  uint32_t& caseDiff = levels.caseDiff;
  uint32_t& accent = levels.accent;
  int& ignorable = levels.ignorable;
  UnitSide<Width> t(orders, rules, text, format, fetched[0]);
  UnitSide<Width> p(orders, rules, pattern, format, fetched[1]);
  for (;;) {
    // Between characters equal units give equal orders on both sides (an
    // expansion on both sides included), which change no level.
    // Steps that report their result are taken one by one.
    if (rules.report == nullptr && t.InStep() && p.InStep()) {
      const unsigned a = t.Unit();
      if (a == p.Unit() && a != 0) {
        if (a >= kCachedUnits || rules.prefixStop[a] != 0) return false;
        const unsigned count = OrdersOf(orders, a);
        if (count != 0 && t.CanPass(count) && p.CanPass(count)) {
          t.Pass(count);
          p.Pass(count);
          continue;
        }
      }
    }
    Item x = t.Fetch();
    Item y = p.Fetch();
    // Ignorables on either side pair with each other in lockstep; the last
    // differing pair breaks ties.
    for (;;) {
      if (x.kind == Item::Walk || y.kind == Item::Walk) return false;
      if (x.kind != Item::Ignorable && y.kind != Item::Ignorable) break;
      const int mine = x.kind == Item::Ignorable ? x.order : 0;
      const int theirs = y.kind == Item::Ignorable ? y.order : 0;
      if (mine != theirs) ignorable = mine - theirs;
      if (x.kind == Item::Ignorable) x = t.Fetch();
      if (y.kind == Item::Ignorable) y = p.Fetch();
    }
    const uint32_t primary = PrimaryDifference(x.key, y.key);
    if (rules.report != nullptr && t.Fetched() <= rules.limit && p.Fetched() <= rules.limit) {
      *rules.report = static_cast<int>(primary);
    }
    if (primary != 0) {
      result = static_cast<int>(primary);
      return true;
    }
    // Lower case sorts first: the case difference runs the other way.
    if (caseDiff == 0) caseDiff = CaseDifference(x.key, y.key);
    const uint32_t accentDiff = AccentDifference(x.key, y.key);
    if (accentDiff != 0) accent = accentDiff;
    // Elements of equal primary weight: both ended, or both go on.
    if (x.order == 0 || y.order == 0) break;
  }
  result = LevelledResult(levels, rules);
  return true;
}

}  // namespace

bool WideUnitPassesEqualPrefix(const SimpleOrders& orders, int stopSet, unsigned unit) {
  if (orders.charTable == nullptr) return false;
  const KsCollationEntry* entry = orders.charTable->GetEntry(static_cast<unsigned short>(unit));
  if (entry == nullptr || (entry->flags & KsCollationEntry::HasLanguageVariants) != 0) return false;
  return PassesEqualPrefix(entry, stopSet == 1, orders.star, orders.question);
}

// Aligned to a cache line: the speed of its loops over expansions varied by
// a quarter with where the linker happened to place the function.
__attribute__((aligned(64))) bool CompareSimpleUnits(const SimpleOrders& orders, const unsigned char* text,
                                                     const unsigned char* pattern,
                                                     const QuickCompareRules& rules, unsigned char format,
                                                     int& result, size_t& equalUnits) {
  if (orders.width == 1) return CompareUnits<1>(orders, text, pattern, rules, format, result, equalUnits);
  return CompareUnits<2>(orders, text, pattern, rules, format, result, equalUnits);
}

}  // namespace ksstring
