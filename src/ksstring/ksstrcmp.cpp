// KsStrCmp: the levelled, collation-aware string comparison and wildcard
// match. It reads both texts as collation orders through iterators on the
// stack and allocates nothing, except when a wildcard match has walked long
// enough to be worth finishing by whole segments.
#include "ksstrcmp.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstddef>
#include <new>
#include <vector>

#include "base/byteorder.h"
#include "basesvc.h"
#include "i18nsvc.h"
#include "ksstring/byte_compare.h"
#include "ksstring/collation_key.h"
#include "ksstring/equal_prefix.h"
#include "ksstring/iterator_steps.h"
#include "ksstring/prefix_block.h"
#include "ksstring/quick_gate.h"
#include "ksstring/simple_compare.h"
#include "ksstring/units.h"
#include "ksstring/wildcard_match.h"
#include "ksstring/wildcard_orders.h"
#include "ksstringiterator.h"

namespace {

using ksstring::CollationKey;
using ksstring::kPrimaryMask;
using ksstring::kWithAccentMask;
using ksstring::kWithCaseMask;

using ksstring::kFirstDigitOrder;

enum class Kind : uint16_t { End, Significant, Ignorable, Skipped, Star, Question };

// Eight bytes, so that a fetched element travels in one register.
struct Element {
  uint32_t key = 0;
  uint16_t order = 0;
  Kind kind = Kind::End;
};

int Difference(uint32_t a, uint32_t b) {
  return static_cast<int>(a - b);
}

// The flags of one comparison and the wildcard orders in force.
struct Rules {
  bool wildcards;
  bool skipSpaces;
  bool skipSymbols;
  bool caseInsensitive;
  bool accentInsensitive;
  uint16_t starOrder;
  uint16_t questionOrder;

  // Key bits that decide whether two elements match around wildcards.
  uint32_t MatchMask() const {
    if (accentInsensitive && caseInsensitive) return kPrimaryMask;
    if (accentInsensitive) return kWithCaseMask;
    if (caseInsensitive) return kWithAccentMask;
    return 0xFFFFFFFF;
  }
};

// One side of the comparison: its iterator and the number of orders fetched.
// Units below kCachedUnits of a code set with a table take their order,
// class, key and kind from the simple orders the iterator starts with,
// expansions of up to kMaxExpansionOrders included; everything else is the
// iterator's walk through the collation tables, with the same outcome.
class Side {
 public:
  Side(const char* text, unsigned char codeSet, unsigned char language, unsigned char format, short length,
       bool isPattern)
      : it_(text, codeSet, language, format), limit_(length < 0 ? INT_MAX : length), isPattern_(isPattern) {
    const ksstring::SimpleOrders* simple = ksstring::OrderReader::Simple(it_);
    if (simple != nullptr) {
      width_ = simple->width;
      swap_ = ksbase::FormatNeedsByteSwap(it_.Format());
    }
  }

  // Selects the kinds of simple units for the rules: those made for the
  // wildcards in force on a pattern with wildcards, else those without.
  void Prepare(const Rules& rules) {
    const ksstring::SimpleOrders* simple = ksstring::OrderReader::Simple(it_);
    kinds_ = nullptr;
    if (simple == nullptr) return;
    if (!isPattern_ || !rules.wildcards) {
      kinds_ = simple->quick[0];
    } else if (ksstring::QuickGateFor(ksstring::WildcardPair(rules.starOrder, rules.questionOrder)) ==
               simple->quickGate) {
      kinds_ = simple->quick[1];
    }
  }

  // The kinds and keys of simple units assume that each sets the class.
  void StopClassUpdates() {
    setClass_ = 0;
    kinds_ = nullptr;
  }
  KsStringIterator& Iterator() { return it_; }
  // Moves this side to where `other` stands, when one of the two is a copy
  // of the other made after the last StopClassUpdates: only the place
  // differs between them, and assigning whole iterators costs a call.
  void Restore(const Side& other) {
    ksstring::OrderReader::CopyPlace(it_, other.it_);
    fetched_ = other.fetched_;
    pending_ = other.pending_;
    pendingLeft_ = other.pendingLeft_;
  }
  // Counts `count` orders as fetched without reading them.
  void SkipFetched(size_t count) { fetched_ += static_cast<int>(count); }
  uint8_t OrderClass() const { return it_.OrderClass(); }
  int Fetched() const { return fetched_; }

  // Passes the longest run of unit pairs at the two sides' places that
  // change no level: simple units of one kind, significant or ignorable,
  // with equal keys (so equal orders and classes), within both limits.
  // Returns whether the run holds a significant pair.
  static bool PassEqualRun(Side& text, Side& pattern);

  uint16_t NextOrder() {
    if (fetched_ >= limit_) return 0;
    ++fetched_;
    return ReadOrder();
  }

  // The next order that the flags do not skip silently. Inline only for
  // the common case, a simple significant unit; the rest out of line.
  Element Fetch(const Rules& rules) {
    if (fetched_ < limit_ && pendingLeft_ == 0 && kinds_ != nullptr) {
      const ksstring::SimpleOrders* simple = ksstring::OrderReader::Simple(it_);
      if (simple != nullptr) {
        const unsigned unit = UnitHere();
        if (unit != 0 && unit < ksstring::kCachedUnits && kinds_[unit] == ksstring::kQuickElement) {
          ++fetched_;
          ksstring::OrderReader::PassUnits(it_, width_, 1, simple->orderClass[unit]);
          return Element{simple->key[unit], simple->order[unit], Kind::Significant};
        }
      }
    }
    return FetchAny(rules);
  }

 private:
  [[gnu::noinline]] Element FetchAny(const Rules& rules) {
    for (;;) {
      if (fetched_ >= limit_) return Element{};
      ++fetched_;
      if (pendingLeft_ == 0 && kinds_ != nullptr) {
        const ksstring::SimpleOrders* simple = ksstring::OrderReader::Simple(it_);
        if (simple != nullptr) {
          const unsigned unit = UnitHere();
          if (unit < ksstring::kCachedUnits && kinds_[unit] != ksstring::kQuickWalk) {
            if (unit == 0) return Element{};
            ksstring::OrderReader::PassUnits(it_, width_, 1, simple->orderClass[unit]);
            const uint16_t order = simple->order[unit];
            if (kinds_[unit] == ksstring::kQuickElement) {
              return Element{simple->key[unit], order, Kind::Significant};
            }
            if (ksstring::SkipsIgnorable(order, rules.skipSpaces, rules.skipSymbols)) continue;
            return Element{simple->key[unit], order, Kind::Ignorable};
          }
        }
      }
      const uint16_t order = ReadOrder();
      const Kind kind = Classify(order, rules);
      if (kind != Kind::Skipped) return Element{CollationKey(order, it_.OrderClass()), order, kind};
    }
  }

  unsigned UnitHere() const { return UnitAt(ksstring::OrderReader::Position(it_)); }
  unsigned UnitAt(const unsigned char* p) const {
    if (width_ == 1) return *p;
    return swap_ ? ksstring::UnitAt<2, true>(p) : ksstring::UnitAt<2, false>(p);
  }

  // The next order, as the iterator gives it.
  uint16_t ReadOrder() {
    if (pendingLeft_ != 0) {
      --pendingLeft_;
      return *pending_++;
    }
    const ksstring::SimpleOrders* simple = ksstring::OrderReader::Simple(it_);
    if (simple != nullptr) {
      const unsigned unit = UnitHere();
      if (unit < ksstring::kCachedUnits) {
        if (simple->simple[unit]) {
          ksstring::OrderReader::PassUnits(it_, width_, setClass_, simple->orderClass[unit]);
          return simple->order[unit];
        }
        if (unit == 0) return 0;
        // An expansion: the unit's own order now, the rest on the next
        // steps, all of its class; the iterator moves on at once.
        const unsigned count = simple->expansionCount[unit];
        if (count != 0) {
          ksstring::OrderReader::PassUnits(it_, width_, setClass_, simple->orderClass[unit]);
          pending_ = &simple->expansion[unit][1];
          pendingLeft_ = static_cast<uint8_t>(count - 1);
          return simple->expansion[unit][0];
        }
      }
    }
    return ksstring::OrderReader::FromTables(it_, setClass_);
  }

  Kind Classify(uint16_t order, const Rules& rules) const {
    if (isPattern_ && rules.wildcards && order != 0) {
      if (order == rules.starOrder) return Kind::Star;
      if (order == rules.questionOrder) return Kind::Question;
    }
    if (order == 0) return Kind::End;
    if (order >= kFirstDigitOrder || it_.OrderClass() >= ksstring::kUndefinedClass) return Kind::Significant;
    return ksstring::SkipsIgnorable(order, rules.skipSpaces, rules.skipSymbols) ? Kind::Skipped
                                                                                : Kind::Ignorable;
  }

  KsStringIterator it_;
  int fetched_ = 0;
  int limit_;
  // Orders of an expansion still to deliver.
  const uint16_t* pending_ = nullptr;
  uint8_t pendingLeft_ = 0;
  uint8_t width_ = 1;
  bool swap_ = false;
  unsigned short setClass_ = 1;
  bool isPattern_;
  // Quick kinds of the simple units under the rules, or null.
  const uint8_t* kinds_ = nullptr;
};

// Readers of one unit of a simple walk: bytes, 16-bit units in memory
// order, 16-bit units swapped.
template <unsigned Width, bool Swap>
struct UnitReader {
  static constexpr unsigned kWidth = Width;
  static unsigned At(const unsigned char* p) { return ksstring::UnitAt<Width, Swap>(p); }
};
using ByteUnits = UnitReader<1, false>;
using WideUnits = UnitReader<2, false>;
using SwappedUnits = UnitReader<2, true>;

// One side of an equal run, in registers.
struct RunSide {
  const unsigned char* position;
  const ksstring::SimpleOrders* simple;
  const uint8_t* kinds;
};

// How far an equal run reaches: units passed on each side, orders fetched
// on each side, and whether a significant pair was among them.
struct RunLength {
  size_t units = 0;
  size_t fetched = 0;
  bool significant = false;
};

// Whether units a and b (both needing the walk) are expansions that give the
// same orders of the same class, none of them an end or, on a pattern side
// (`stop`: its prefix stop table), a wildcard. Sets `significant` when one
// of the orders is.
inline bool EqualExpansions(const ksstring::SimpleOrders& a, unsigned ua, const ksstring::SimpleOrders& b,
                            unsigned ub, const uint8_t* stop, bool& significant) {
  const unsigned count = a.expansionCount[ua];
  if (count == 0 || count != b.expansionCount[ub] || stop[ub] != 0 || a.orderClass[ua] != b.orderClass[ub]) {
    return false;
  }
  bool any = false;
  for (unsigned i = 0; i < count; ++i) {
    const uint16_t order = a.expansion[ua][i];
    if (order != b.expansion[ub][i]) return false;
    any = any || order >= kFirstDigitOrder;
  }
  significant = any || a.orderClass[ua] >= ksstring::kUndefinedClass;
  return true;
}

// The equal run that PassEqualRun may pass from a and b, within `room`
// orders on each side. `stopB` is the prefix stop table of b's rules.
template <class A, class B>
RunLength EqualRun(const RunSide& a, const RunSide& b, const uint8_t* stopB, size_t room) {
  RunLength run;
  size_t n = 0;
  size_t fetched = 0;
  bool significant = false;
  while (fetched < room) {
    const unsigned ua = A::At(a.position + n * A::kWidth);
    const unsigned ub = B::At(b.position + n * B::kWidth);
    if ((A::kWidth == 2 && ua >= ksstring::kCachedUnits) ||
        (B::kWidth == 2 && ub >= ksstring::kCachedUnits)) {
      break;
    }
    const uint8_t kind = a.kinds[ua];
    const uint32_t key = a.simple->key[ua];
    if (kind == b.kinds[ub] && kind != ksstring::kQuickWalk && key == b.simple->key[ub] && key != 0) {
      significant = significant || kind == ksstring::kQuickElement;
      ++fetched;
      ++n;
      continue;
    }
    bool expansionSignificant = false;
    if (kind != ksstring::kQuickWalk || b.kinds[ub] != ksstring::kQuickWalk ||
        !EqualExpansions(*a.simple, ua, *b.simple, ub, stopB, expansionSignificant) ||
        fetched + a.simple->expansionCount[ua] > room) {
      break;
    }
    significant = significant || expansionSignificant;
    fetched += a.simple->expansionCount[ua];
    ++n;
  }
  run.units = n;
  run.fetched = fetched;
  run.significant = significant;
  return run;
}

template <class A>
RunLength EqualRunFrom(int readerB, const RunSide& a, const RunSide& b, const uint8_t* stopB, size_t room) {
  switch (readerB) {
    case 0:
      return EqualRun<A, ByteUnits>(a, b, stopB, room);
    case 1:
      return EqualRun<A, WideUnits>(a, b, stopB, room);
    default:
      return EqualRun<A, SwappedUnits>(a, b, stopB, room);
  }
}

bool Side::PassEqualRun(Side& text, Side& pattern) {
  if (text.pendingLeft_ != 0 || pattern.pendingLeft_ != 0 || text.kinds_ == nullptr ||
      pattern.kinds_ == nullptr) {
    return false;
  }
  const ksstring::SimpleOrders* simpleA = ksstring::OrderReader::Simple(text.it_);
  const ksstring::SimpleOrders* simpleB = ksstring::OrderReader::Simple(pattern.it_);
  if (simpleA == nullptr || simpleB == nullptr) return false;
  const RunSide a{ksstring::OrderReader::Position(text.it_), simpleA, text.kinds_};
  const RunSide b{ksstring::OrderReader::Position(pattern.it_), simpleB, pattern.kinds_};
  // The pattern's kinds tell which wildcards it has (see Prepare).
  const uint8_t* stopB = simpleB->prefixStop[pattern.kinds_ == simpleB->quick[1] ? 1 : 0];
  const size_t room =
      static_cast<size_t>(std::min(text.limit_ - text.fetched_, pattern.limit_ - pattern.fetched_));
  const int readerA = text.width_ == 1 ? 0 : text.swap_ ? 2 : 1;
  const int readerB = pattern.width_ == 1 ? 0 : pattern.swap_ ? 2 : 1;
  RunLength run;
  switch (readerA) {
    case 0:
      run = EqualRunFrom<ByteUnits>(readerB, a, b, stopB, room);
      break;
    case 1:
      run = EqualRunFrom<WideUnits>(readerB, a, b, stopB, room);
      break;
    default:
      run = EqualRunFrom<SwappedUnits>(readerB, a, b, stopB, room);
      break;
  }
  const size_t n = run.units;
  if (n == 0) return false;
  // Both sides take the class of their last unit, as their walks would.
  const unsigned lastA = text.UnitAt(a.position + (n - 1) * text.width_);
  const unsigned lastB = pattern.UnitAt(b.position + (n - 1) * pattern.width_);
  ksstring::OrderReader::PassUnits(text.it_, n * text.width_, text.setClass_, simpleA->orderClass[lastA]);
  ksstring::OrderReader::PassUnits(pattern.it_, n * pattern.width_, pattern.setClass_,
                                   simpleB->orderClass[lastB]);
  text.fetched_ += static_cast<int>(run.fetched);
  pattern.fetched_ += static_cast<int>(run.fetched);
  return run.significant;
}

// Level differences gathered over the steps of a levelled comparison.
struct Levels {
  int primary = 0;
  int accent = 0;     // the last non-zero accent difference
  int caseDiff = 0;   // the first non-zero case difference
  int ignorable = 0;  // the last differing pair of ignorable orders

  int Result(const Rules& rules) const {
    if (primary != 0) return primary;
    return ksstring::LowerLevelsResult(static_cast<uint32_t>(accent), static_cast<uint32_t>(caseDiff),
                                       ignorable, rules.accentInsensitive, rules.caseInsensitive);
  }
};

class LevelledComparison {
 public:
  LevelledComparison(Side& text, Side& pattern, const Rules& rules, bool rawCodeSet, short length,
                     int* matchOut)
      : text_(text),
        pattern_(pattern),
        rules_(rules),
        rawCodeSet_(rawCodeSet),
        length_(length),
        matchOut_(matchOut) {}

  int Run() {
    for (bool first = true;; first = false) {
      if (!first && rawCodeSet_) {
        text_.StopClassUpdates();
        pattern_.StopClassUpdates();
      }
      // Pairs that change no level only report their step.
      if (Side::PassEqualRun(text_, pattern_)) ReportStep(0);
      Element t;
      Element p;
      FetchStep(t, p);
      if (p.kind == Kind::Star) return MatchAfterStar(t);
      levels_.primary = 0;
      if (p.kind == Kind::Question) {
        levels_.primary = t.kind == Kind::End ? -1 : 0;
      } else {
        levels_.primary = static_cast<int>(ksstring::PrimaryDifference(t.key, p.key));
        const int caseDiff = static_cast<int>(ksstring::CaseDifference(t.key, p.key));
        const int accent = static_cast<int>(ksstring::AccentDifference(t.key, p.key));
        if (levels_.caseDiff == 0) levels_.caseDiff = caseDiff;
        if (accent != 0) levels_.accent = accent;
      }
      ReportStep(levels_.primary);
      if (levels_.primary != 0 || t.kind == Kind::End || p.kind == Kind::End) break;
    }
    return levels_.Result(rules_);
  }

 private:
  // Fetches the next significant element of each side, comparing the
  // ignorable orders met on the way in lockstep.
  void FetchStep(Element& t, Element& p) {
    const int ignorableBefore = levels_.ignorable;
    t = text_.Fetch(rules_);
    p = pattern_.Fetch(rules_);
    while (!IsWildcard(p) && (t.kind == Kind::Ignorable || p.kind == Kind::Ignorable)) {
      const uint16_t mine = t.kind == Kind::Ignorable ? t.order : 0;
      const uint16_t theirs = p.kind == Kind::Ignorable ? p.order : 0;
      if (mine != theirs) levels_.ignorable = static_cast<int>(mine) - static_cast<int>(theirs);
      if (t.kind == Kind::Ignorable) t = text_.Fetch(rules_);
      if (p.kind == Kind::Ignorable) p = pattern_.Fetch(rules_);
    }
    // Against a wildcard the text's element is what it has fetched, and the
    // step leaves no tie-break.
    if (IsWildcard(p)) levels_.ignorable = ignorableBefore;
  }

  static bool IsWildcard(const Element& e) { return e.kind == Kind::Star || e.kind == Kind::Question; }

  void ReportStep(int primary) {
    if (matchOut_ == nullptr || length_ < 0) return;
    if (text_.Fetched() <= length_ && pattern_.Fetched() <= length_) *matchOut_ = primary;
  }

  // The rest of the text against the pattern after a star: the classic
  // greedy match with one restart point, moved to every later star. Every
  // restart walks the segment after the star again, which makes adversarial
  // patterns quadratic, so a walk that has taken many steps is finished by
  // whole segments (FinishBySegments) with the same outcome. `t` is the text element
  // fetched in the star's step, which the star may take or the pattern after
  // it may match. Differences of case and accent before the star stand;
  // after it, elements must match on every level the flags make significant.
  int MatchAfterStar(Element t) {
    const uint32_t mask = rules_.MatchMask();
    Side textRestart = text_;
    Element tRestart = t;
    Side patternRestart = pattern_;
    Element p;
    int lastDiff = -1;
    bool atStar = true;
    const int firstFetched = text_.Fetched();
    long long steps = 0;
    bool outOfMemory = false;
    for (;;) {
      if (atStar) {
        // After a star every order fetched is an element, ignorable or not.
        do {
          p = pattern_.Fetch(rules_);
        } while (p.kind == Kind::Star);
        if (p.kind == Kind::End) return levels_.Result(rules_);
        patternRestart.Restore(pattern_);
        pStar_ = p;
        textRestart.Restore(text_);
        tRestart = t;
        atStar = false;
      }
      if (p.kind == Kind::Star) {
        atStar = true;
        continue;
      }
      bool match = false;
      if (p.kind == Kind::End) {
        match = t.kind == Kind::End;
        if (match) return levels_.Result(rules_);
        lastDiff = Difference(t.key & mask, 0);
      } else if (t.kind != Kind::End) {
        match = p.kind == Kind::Question || (t.key & mask) == (p.key & mask);
        if (!match) lastDiff = Difference(t.key & mask, p.key & mask);
      } else {
        lastDiff = p.kind == Kind::Question ? -1 : Difference(0, p.key & mask);
      }
      ReportStep(match ? 0 : lastDiff);
      ++steps;
      if (match) {
        t = text_.Fetch(rules_);
        p = pattern_.Fetch(rules_);
        continue;
      }
      // Let the star take one more text element and try again from there.
      if (tRestart.kind == Kind::End) return lastDiff != 0 ? lastDiff : -1;
      if (!outOfMemory && ksstring::WildcardWalkTooLong(steps, textRestart.Fetched() - firstFetched)) {
        int result = 0;
        if (FinishBySegments(textRestart, tRestart, patternRestart, mask, result)) return result;
        outOfMemory = true;
      }
      text_.Restore(textRestart);
      t = text_.Fetch(rules_);
      textRestart.Restore(text_);
      tRestart = t;
      pattern_.Restore(patternRestart);
      p = pStar_;
    }
  }

  // The walk above from its restart point on, by whole segments in linear
  // time: the outcome and the match position output of the walk, without
  // retrying the pattern at every text element. False (the walk goes on)
  // when there is no memory for the elements.
  bool FinishBySegments(Side text, Element t, Side pattern, uint32_t mask, int& result) {
    using ksstring::WildcardToken;
    try {
      std::vector<uint32_t> textKeys;
      for (; t.kind != Kind::End; t = text.Fetch(rules_)) textKeys.push_back(t.key & mask);
      std::vector<WildcardToken> tokens;
      for (Element p = pStar_; p.kind != Kind::End; p = pattern.Fetch(rules_)) {
        const auto kind = p.kind == Kind::Star       ? WildcardToken::Star
                          : p.kind == Kind::Question ? WildcardToken::Any
                                                     : WildcardToken::Literal;
        tokens.push_back(WildcardToken{p.key & mask, kind});
      }
      const ksstring::WildcardOutcome outcome = ksstring::MatchWildcardSegments(textKeys, tokens);
      if (outcome.matched) {
        ReportStep(0);
        result = levels_.Result(rules_);
        return true;
      }
      // The walk ends on its last restart: the end of the text against the
      // first element of the segment it could not find.
      const WildcardToken& first = tokens[outcome.failedToken];
      const int lastDiff = first.kind == WildcardToken::Any ? -1 : Difference(0, first.key);
      ReportStep(lastDiff);
      result = lastDiff != 0 ? lastDiff : -1;
      return true;
    } catch (const std::bad_alloc&) {
      KsCallMemoryHandler(0);
      return false;
    }
  }

  Side& text_;
  Side& pattern_;
  const Rules& rules_;
  bool rawCodeSet_;
  short length_;
  int* matchOut_;
  Levels levels_;
  Element pStar_;
};

// Passes the equal prefix of two texts of one code set and language (see
// equal_prefix.h); `known` units of it were found by an earlier stage, or
// kUnknownPrefix when none looked. Both sides pass the same units, whose orders change no
// level, and take the class of the last one.
void SkipEqualPrefix(Side& text, Side& pattern, const Rules& rules, unsigned char format, size_t known) {
  const ksstring::SimpleOrders* simple = ksstring::OrderReader::Simple(text.Iterator());
  if (simple == nullptr || simple != ksstring::OrderReader::Simple(pattern.Iterator())) return;
  const int stopSet = ksstring::PrefixStopSet(*simple, rules.wildcards);
  if (stopSet < 0) return;
  const unsigned char* a = ksstring::OrderReader::Position(text.Iterator());
  const unsigned char* b = ksstring::OrderReader::Position(pattern.Iterator());
  const size_t count =
      known != ksstring::kUnknownPrefix ? known : ksstring::EqualPrefixUnits(*simple, stopSet, a, b, format);
  if (count == 0) return;
  const uint16_t last = ksstring::ReadUnit(a + (count - 1) * simple->width, simple->width, format);
  ksstring::OrderReader::SkipUnits(text.Iterator(), count, simple->orderClass[last]);
  ksstring::OrderReader::SkipUnits(pattern.Iterator(), count, simple->orderClass[last]);
}

int PlainOrderComparison(Side& a, Side& b, short length) {
  const int steps = length < 0 ? 65535 : length;
  uint32_t ka = 0;
  uint32_t kb = 0;
  for (int i = 0; i < steps; ++i) {
    const uint16_t oa = a.NextOrder();
    const uint16_t ob = b.NextOrder();
    ka = CollationKey(oa, a.OrderClass());
    kb = CollationKey(ob, b.OrderClass());
    if (ka != kb || oa == 0 || ob == 0) break;
  }
  return Difference(ka, kb);
}

// The comparison through collation iterators, for everything the quick
// byte comparison leaves open; `equalUnits` leading units are known to be
// an equal prefix (kUnknownPrefix: not looked for). Kept out of line so
// that the quick path does not pay for this frame.
[[gnu::noinline]] int CompareByOrders(unsigned char codeSet1, unsigned char language1, const char* s1,
                                      unsigned char codeSet2, unsigned char language2, const char* s2,
                                      unsigned short cmpOp, short length, unsigned char format, int* matchOut,
                                      size_t equalUnits) {
  const bool plain = (cmpOp & KS_CMP_PLAIN_ORDER) != 0;
  const bool noWildcards = (cmpOp & KS_CMP_NO_WILDCARDS) != 0;
  const ksstring::WildcardOrders& wildcards = ksstring::CurrentWildcardOrders();
  Side text(s1, codeSet1, language1, format, length, false);
  Side pattern(s2, codeSet2, language2, format, length, !plain && !noWildcards);
  if (plain) return PlainOrderComparison(text, pattern, length);

  const Rules rules{!noWildcards,
                    (cmpOp & KS_CMP_SKIP_SPACES) != 0,
                    (cmpOp & KS_CMP_SKIP_SYMBOLS) != 0,
                    (cmpOp & KS_CMP_CASE_INSENSITIVE) != 0,
                    (cmpOp & KS_CMP_ACCENT_INSENSITIVE) != 0,
                    wildcards.star,
                    wildcards.question};
  text.Prepare(rules);
  pattern.Prepare(rules);
  const bool rawCodeSet = codeSet1 == ksstring::kRawCodeSet || codeSet2 == ksstring::kRawCodeSet;
  // Without a limit no step writes the match position, and the prefix
  // changes nothing the result depends on.
  if (length < 0 && codeSet1 == codeSet2 && language1 == language2) {
    SkipEqualPrefix(text, pattern, rules, format, equalUnits);
  }
  LevelledComparison comparison(text, pattern, rules, rawCodeSet, length,
                                (cmpOp & KS_CMP_SKIP_SPACES) != 0 ? matchOut : nullptr);
  return comparison.Run();
}

// The prefix scan's stop set for the operator: without or with wildcards.
inline int StopSetOf(unsigned short cmpOp) {
  return (cmpOp & KS_CMP_NO_WILDCARDS) != 0 ? 0 : 1;
}

// The quick kinds of the table's bytes under cmpOp, or null when the
// wildcards in force are not those the table was made for.
inline const uint8_t* QuickKinds(const ksstring::SimpleOrders& simple, unsigned short cmpOp) {
  if ((cmpOp & KS_CMP_NO_WILDCARDS) != 0) return simple.quick[0];
  if (!ksstring::WildcardsInForce(simple.quickGate)) return nullptr;
  return simple.quick[1];
}

// Two texts of one code set and language under a levelled operator:
// most comparisons are decided by the units' plain orders alone, through a
// table lookup per unit and no iterator. Sets result and returns true when
// that decides. `equalUnits` is the texts' equal prefix when known, else
// kUnknownPrefix; on return it is known when the unit-wise walk found it
// (see CompareSimpleUnits).
bool QuickCompare(const ksstring::SimpleOrders& simple, const char* s1, const char* s2, unsigned short cmpOp,
                  unsigned char format, short length, int* matchOut, size_t& equalUnits, int& result) {
  const uint8_t* kinds = QuickKinds(simple, cmpOp);
  if (kinds == nullptr) return false;
  const int stopSet = StopSetOf(cmpOp);
  const auto* text = reinterpret_cast<const unsigned char*>(s1);
  const auto* pattern = reinterpret_cast<const unsigned char*>(s2);
  const bool report = matchOut != nullptr && length >= 0 && (cmpOp & KS_CMP_SKIP_SPACES) != 0;
  const ksstring::QuickCompareRules rules{kinds,
                                          simple.prefixStop[stopSet],
                                          stopSet,
                                          (cmpOp & KS_CMP_CASE_INSENSITIVE) != 0,
                                          (cmpOp & KS_CMP_ACCENT_INSENSITIVE) != 0,
                                          (cmpOp & KS_CMP_SKIP_SPACES) != 0,
                                          (cmpOp & KS_CMP_SKIP_SYMBOLS) != 0,
                                          length < 0 ? INT_MAX : length,
                                          report ? matchOut : nullptr};
  // The walk starts after a known prefix; under a limit it must count
  // every order, and there is none then.
  const size_t skipped = equalUnits != ksstring::kUnknownPrefix ? equalUnits * simple.width : 0;
  return ksstring::CompareSimpleUnits(simple, text + skipped, pattern + skipped, rules, format, result,
                                      equalUnits);
}

// Whether the quick comparison may answer: both operands of one code set
// and language, whole texts, levels, and no match position to report.
inline bool QuickCompareApplies(unsigned char codeSet1, unsigned char language1, const char* s1,
                                unsigned char codeSet2, unsigned char language2, const char* s2,
                                unsigned short cmpOp) {
  return codeSet1 == codeSet2 && language1 == language2 && (cmpOp & KS_CMP_PLAIN_ORDER) == 0 &&
         s1 != nullptr && s2 != nullptr;
}

// A stage of the common case: out of line, with its parameters as written,
// so that the stages pass everything in registers and hand on by jumps (GCC
// would otherwise trim a local function's parameters and pass some of them
// on the stack).
#if defined(__clang__)
#define KS_STAGE [[gnu::noinline]]
#else
#define KS_STAGE [[gnu::noipa]]
#endif

// What the common case is asked, apart from the table and the texts: one
// register's worth, so that its stages pass everything in registers and
// hand on by jumps. No match position: without a limit no step of a
// comparison writes it.
struct CommonRequest {
  unsigned short cmpOp;
  // As given: the steps that read units need only its byte order, and the
  // default's is that of format 1; the walk gets 1 for the default.
  unsigned char format;
};

// The common case once its table is known and the texts differ past their
// equal prefix in a way the primary level alone does not settle: the
// unit-wise walk with that table, else the walk through iterators. What
// CompareInGeneral checks first (null operands, code set 0, limits) the
// common case has ruled out already. The table's code set and language are
// the texts'.
KS_STAGE int CompareAfterEqualPrefix(const ksstring::SimpleOrders& simple, const char* s1, const char* s2,
                                     CommonRequest request, size_t equalUnits) {
  const unsigned char format = request.format == ksstring::kDefaultId ? 1 : request.format;
  int result = 0;
  if (QuickCompare(simple, s1, s2, request.cmpOp, format, -1, nullptr, equalUnits, result)) {
    return result;
  }
  return CompareByOrders(simple.codeSet, simple.language, s1, simple.codeSet, simple.language, s2,
                         request.cmpOp, -1, format, nullptr, equalUnits);
}

// The common case where the first units after the equal prefix differ and
// one of them is an ignorable.
template <unsigned Width, bool Swap>
KS_STAGE int CompareFromIgnorable(const ksstring::SimpleOrders& simple, const char* s1, const char* s2,
                                  CommonRequest request, size_t equalUnits) {
  const size_t at = equalUnits * Width;
  int result = 0;
  if (ksstring::PrimaryPastIgnorables<Width, Swap>(simple, StopSetOf(request.cmpOp),
                                                   reinterpret_cast<const unsigned char*>(s1) + at,
                                                   reinterpret_cast<const unsigned char*>(s2) + at, result)) {
    return result;
  }
  return CompareAfterEqualPrefix(simple, s1, s2, request, equalUnits);
}

// What the first units after an equal prefix of `equalUnits` units tell
// (see ComparePrimaryAt), units `Width` bytes wide and swapped when `Swap`.
template <unsigned Width, bool Swap>
[[gnu::always_inline]] inline ksstring::FirstDifference FirstDifferenceAt(
    const ksstring::SimpleOrders& simple, const char* s1, const char* s2, int stopSet, size_t equalUnits,
    int& result) {
  const size_t at = equalUnits * Width;
  return ksstring::ComparePrimaryAt(
      simple, stopSet, ksstring::UnitAt<Width, Swap>(reinterpret_cast<const unsigned char*>(s1) + at),
      ksstring::UnitAt<Width, Swap>(reinterpret_cast<const unsigned char*>(s2) + at), result);
}

// The common case where the first difference does not decide alone.
template <unsigned Width, bool Swap>
inline int CompareFromFirstDifference(ksstring::FirstDifference first, const ksstring::SimpleOrders& simple,
                                      const char* s1, const char* s2, CommonRequest request,
                                      size_t equalUnits) {
  if (first == ksstring::FirstDifference::Ignorable) {
    return CompareFromIgnorable<Width, Swap>(simple, s1, s2, request, equalUnits);
  }
  return CompareAfterEqualPrefix(simple, s1, s2, request, equalUnits);
}

// The common case past an equal prefix of `equalUnits` units.
template <unsigned Width, bool Swap>
[[gnu::always_inline]] inline int CompareAtPrefixEnd(const ksstring::SimpleOrders& simple, const char* s1,
                                                     const char* s2, CommonRequest request,
                                                     size_t equalUnits) {
  int result = 0;
  const ksstring::FirstDifference first =
      FirstDifferenceAt<Width, Swap>(simple, s1, s2, StopSetOf(request.cmpOp), equalUnits, result);
  if (first == ksstring::FirstDifference::Decided) [[likely]] {
    return result;
  }
  return CompareFromFirstDifference<Width, Swap>(first, simple, s1, s2, request, equalUnits);
}

// The common case from `scanned` units on, which are an equal prefix:
// the scan of the rest a unit or a block at a time.
template <unsigned Width, bool Swap>
KS_STAGE int CompareCommonCaseFrom(const ksstring::SimpleOrders& simple, const char* s1, const char* s2,
                                   CommonRequest request, size_t scanned) {
  const size_t skipped = scanned * Width;
  const size_t equalUnits =
      scanned + ksstring::EqualPrefixUnits(
                    simple, StopSetOf(request.cmpOp), reinterpret_cast<const unsigned char*>(s1) + skipped,
                    reinterpret_cast<const unsigned char*>(s2) + skipped, request.format);
  return CompareAtPrefixEnd<Width, Swap>(simple, s1, s2, request, equalUnits);
}

// The bits of a block's byte mask from byte `first` (at most the block's
// length) on.
inline uint32_t BitsFrom(unsigned first) {
  return static_cast<uint32_t>(~uint64_t{0} << first);
}

// Where the first difference in the blocks at text and pattern (whose
// bytes that pass the prefix scan are `passing`) is not decided by the
// first units alone: most words differ there in case, accent or a hyphen or
// space, and go on to a primary difference soon, or end with every primary
// weight equal. Vector steps pass ASCII letters that differ at most in case
// (see SimpleOrders::foldsAsciiCase) and equal units a block at a time; the
// units between them that differ are taken one by one as the unit-wise walk
// takes them (see CompareSimpleUnits): single elements gather their accent
// and case differences, ignorables pair in lockstep or are skipped under
// the flags, and the blocks go on from wherever each side stands then.
// Equal units and ASCII letters have no accent difference. Sets result and
// returns true when a primary difference or the end of both texts decides;
// false when a unit needs the walk.
template <unsigned Width, bool Swap>
[[gnu::target("avx2"), gnu::always_inline]] inline bool DecideByBlocks(const ksstring::SimpleOrders& simple,
                                                                       unsigned short cmpOp,
                                                                       const unsigned char* text,
                                                                       const unsigned char* pattern,
                                                                       uint32_t passing, int& result) {
  const int stopSet = StopSetOf(cmpOp);
  const uint8_t* kinds = simple.quick[stopSet];
  const uint32_t* key = simple.key;
  uint32_t accent = 0;    // the last accent difference
  uint32_t caseDiff = 0;  // the first case difference
  int ignorable = 0;      // the last differing pair of ignorables
  for (;;) {
    const uint32_t folded = ksstring::FoldedDifferences<Width, Swap>(simple.notAsciiLetters, text, pattern);
    uint32_t stops = folded & ~passing;
    uint32_t caseOnly = ~folded & ~passing;
    // How far each side moves before the next blocks: a whole block when
    // they stay in step, else to the units after an ignorable.
    unsigned textStep = ksstring::kPrefixBlock;
    unsigned patternStep = ksstring::kPrefixBlock;
    for (;;) {
      const uint32_t before = stops != 0 ? (1u << __builtin_ctz(stops)) - 1 : ~0u;
      if (caseDiff == 0 && (caseOnly & before) != 0) {
        const size_t at = static_cast<unsigned>(__builtin_ctz(caseOnly & before)) / Width * Width;
        caseDiff = ksstring::CaseDifference(key[ksstring::UnitAt<Width, Swap>(text + at)],
                                            key[ksstring::UnitAt<Width, Swap>(pattern + at)]);
      }
      if (stops == 0) break;
      const unsigned byte = static_cast<unsigned>(__builtin_ctz(stops)) / Width * Width;
      const unsigned x = ksstring::UnitAt<Width, Swap>(text + byte);
      const unsigned y = ksstring::UnitAt<Width, Swap>(pattern + byte);
      const uint32_t past = BitsFrom(byte + Width);
      if (x == y) {
        if (x == 0) {
          result = ksstring::LowerLevelsResult(accent, caseDiff, ignorable,
                                               (cmpOp & KS_CMP_ACCENT_INSENSITIVE) != 0,
                                               (cmpOp & KS_CMP_CASE_INSENSITIVE) != 0);
          return true;
        }
        // Equal units from 256 up, which the block scan stops at, give
        // equal orders on both sides when the tables say they pass; other
        // equal units that stop the scan need the walk (no call here, so
        // that the loop keeps its registers).
        if (Width == 1 || x >= ksstring::kCachedUnits || simple.prefixStop[stopSet][x] != 0) return false;
        stops &= past;
        caseOnly &= past;
        continue;
      }
      const uint8_t kindX = ksstring::QuickKindOf(kinds, x);
      const uint8_t kindY = ksstring::QuickKindOf(kinds, y);
      if ((kindX | kindY) == ksstring::kQuickElement) {
        const uint32_t primary = ksstring::PrimaryDifference(key[x], key[y]);
        if (primary != 0) {
          result = static_cast<int>(primary);
          return true;
        }
        const uint32_t accentDiff = ksstring::AccentDifference(key[x], key[y]);
        if (accentDiff != 0) accent = accentDiff;
        if (caseDiff == 0) caseDiff = ksstring::CaseDifference(key[x], key[y]);
        stops &= past;
        caseOnly &= past;
        continue;
      }
      // An ignorable the flags skip goes alone; one they keep pairs with
      // the other side's ignorable, or with nothing: the rule of the unit
      // walk (WalkSingleUnits), written out here because a shared step
      // returning its moves cost sorted neighbours a fifth of their speed.
      textStep = byte;
      patternStep = byte;
      if (kindX == ksstring::kQuickIgnorable &&
          ksstring::SkipsIgnorable(simple.order[x], (cmpOp & KS_CMP_SKIP_SPACES) != 0,
                                   (cmpOp & KS_CMP_SKIP_SYMBOLS) != 0)) {
        textStep += Width;
      } else if (kindY == ksstring::kQuickIgnorable &&
                 ksstring::SkipsIgnorable(simple.order[y], (cmpOp & KS_CMP_SKIP_SPACES) != 0,
                                          (cmpOp & KS_CMP_SKIP_SYMBOLS) != 0)) {
        patternStep += Width;
      } else if (kindX == ksstring::kQuickWalk || kindY == ksstring::kQuickWalk) {
        // An expansion decides at its first order when that differs at
        // the primary level; anything else is for the walk.
        return ksstring::ComparePrimaryAt(simple, stopSet, x, y, result) ==
               ksstring::FirstDifference::Decided;
      } else {
        const int mine = kindX == ksstring::kQuickIgnorable ? simple.order[x] : 0;
        const int theirs = kindY == ksstring::kQuickIgnorable ? simple.order[y] : 0;
        if (mine != theirs) ignorable = mine - theirs;
        if (kindX == ksstring::kQuickIgnorable) textStep += Width;
        if (kindY == ksstring::kQuickIgnorable) patternStep += Width;
      }
      break;
    }
    text += textStep;
    pattern += patternStep;
    if (!ksstring::BlocksFitInPages(text, pattern)) return false;
    passing = ksstring::PassingBytes<Width, Swap>(simple.prefixStopSet[stopSet], text, pattern);
  }
}

// The common case on processors with AVX2 where the first difference, in
// the block at `offset` whose bytes that pass the prefix scan are
// `passing`, is one of case, accent or an ignorable. Out of line, so that
// the common case keeps few registers.
template <unsigned Width, bool Swap>
__attribute__((target("avx2"), no_sanitize("address", "thread"), noinline)) int
CompareAfterLowerLevelDifference(const ksstring::SimpleOrders& simple, const char* s1, const char* s2,
                                 CommonRequest request, size_t offset, uint32_t passing) {
  int result = 0;
  if (DecideByBlocks<Width, Swap>(simple, request.cmpOp, reinterpret_cast<const unsigned char*>(s1) + offset,
                                  reinterpret_cast<const unsigned char*>(s2) + offset, passing, result)) {
    return result;
  }
  const size_t equalUnits = (offset + static_cast<unsigned>(__builtin_ctz(~passing))) / Width;
  return CompareAfterEqualPrefix(simple, s1, s2, request, equalUnits);
}

// The common case on processors with AVX2 where one of the first units
// that differ is an ignorable: most often the first orders past the
// ignorables decide (a hyphen or space against the next word's letter),
// else the blocks go on as after a lower-level difference.
template <unsigned Width, bool Swap>
__attribute__((target("avx2"), no_sanitize("address", "thread"), noinline)) int CompareFromIgnorableByBlocks(
    const ksstring::SimpleOrders& simple, const char* s1, const char* s2, CommonRequest request,
    size_t offset, uint32_t passing) {
  const size_t at = offset + static_cast<unsigned>(__builtin_ctz(~passing)) / Width * Width;
  int result = 0;
  if (ksstring::PrimaryPastIgnorables<Width, Swap>(simple, StopSetOf(request.cmpOp),
                                                   reinterpret_cast<const unsigned char*>(s1) + at,
                                                   reinterpret_cast<const unsigned char*>(s2) + at, result)) {
    return result;
  }
  return CompareAfterLowerLevelDifference<Width, Swap>(simple, s1, s2, request, offset, passing);
}

// Blocks the common case scans inline: longer prefixes go on in the
// out-of-line scan, whose steps of two blocks run them faster.
constexpr size_t kInlineBlocks = 4;

// The first block, at `offset` up to `lastBlock`, whose bytes do not all
// pass: true with `passing` set, or false with `offset` past the last.
template <unsigned Width, bool Swap>
__attribute__((target("avx2"), always_inline, no_sanitize("address", "thread"))) inline bool
BlockWithDifference(const ksstring::NibbleSet& set, const unsigned char* text, const unsigned char* pattern,
                    ptrdiff_t lastBlock, size_t& offset, uint32_t& passing) {
  for (; static_cast<ptrdiff_t>(offset) <= lastBlock; offset += ksstring::kPrefixBlock) {
    passing = ksstring::PassingBytes<Width, Swap>(set, text + offset, pattern + offset);
    if (passing != 0xFFFFFFFFu) return true;
  }
  return false;
}

// The common case on processors with AVX2: the prefix scan a block at a
// time, inline and without a call, for kInlineBlocks blocks while they stay
// inside the pages of both texts; then the scan goes on out of line. The
// blocks may read past the terminators, never past the page (see
// prefix_block.h).
template <unsigned Width, bool Swap>
__attribute__((target("avx2"), no_sanitize("address", "thread"))) int CompareCommonCaseByBlocks(
    const ksstring::SimpleOrders& simple, const char* s1, const char* s2, CommonRequest request) {
  const auto* text = reinterpret_cast<const unsigned char*>(s1);
  const auto* pattern = reinterpret_cast<const unsigned char*>(s2);
  const int stopSet = StopSetOf(request.cmpOp);
  // A set the nibble form cannot hold stops at every byte: the blocks hand
  // the first unit on to the steps after them, which start from any equal
  // prefix.
  const ksstring::NibbleSet& set = simple.prefixStopSet[stopSet];
  size_t offset = 0;  // in bytes
  uint32_t passing = 0;
  // Most pairs lie far enough from their page ends for every inline block:
  // then the loop's bound is a constant. Else it stops at the last block
  // that stays inside both pages (none when the first would leave one).
  const bool found =
      ksstring::BothWithinPage(text, pattern, ksstring::kPrefixPage - kInlineBlocks * ksstring::kPrefixBlock)
          ? BlockWithDifference<Width, Swap>(set, text, pattern, (kInlineBlocks - 1) * ksstring::kPrefixBlock,
                                             offset, passing)
          : BlockWithDifference<Width, Swap>(set, text, pattern,
                                             static_cast<ptrdiff_t>(ksstring::RoomInPages(text, pattern)) -
                                                 static_cast<ptrdiff_t>(ksstring::kPrefixBlock),
                                             offset, passing);
  if (!found) [[unlikely]] {
    return CompareCommonCaseFrom<Width, Swap>(simple, s1, s2, request, offset / Width);
  }
  const unsigned differing = static_cast<unsigned>(__builtin_ctz(~passing));
  const size_t equalUnits = (offset + differing) / Width;
  int result = 0;
  const ksstring::FirstDifference first =
      FirstDifferenceAt<Width, Swap>(simple, s1, s2, stopSet, equalUnits, result);
  if (first == ksstring::FirstDifference::Decided) [[likely]] {
    return result;
  }
  if (simple.foldsAsciiCase) {
    if (first == ksstring::FirstDifference::Ignorable) {
      return CompareFromIgnorableByBlocks<Width, Swap>(simple, s1, s2, request, offset, passing);
    }
    return CompareAfterLowerLevelDifference<Width, Swap>(simple, s1, s2, request, offset, passing);
  }
  return CompareFromFirstDifference<Width, Swap>(first, simple, s1, s2, request, equalUnits);
}

// The common case once its table is known, for the texts' unit layout: by
// blocks where vector scans are on, else a unit at a time.
[[gnu::always_inline]] inline int CompareCommonCase(const ksstring::SimpleOrders& simple, const char* s1,
                                                    const char* s2, CommonRequest request) {
  return ksstring::WithUnitLayout(simple.width, request.format, [&]<unsigned Width, bool Swap>() {
    if (ksstring::VectorScans()) return CompareCommonCaseByBlocks<Width, Swap>(simple, s1, s2, request);
    return CompareCommonCaseFrom<Width, Swap>(simple, s1, s2, request, 0);
  });
}

// Everything but the common case of KsStrCmp, out of line so that the
// common case stays small.
[[gnu::noinline]] int CompareInGeneral(unsigned char codeSet1, unsigned char language1, const char* s1,
                                       unsigned char codeSet2, unsigned char language2, const char* s2,
                                       unsigned short cmpOp, short length, unsigned char format,
                                       int* matchOut) {
  // The common case whose table the entry's gate turned away: it still
  // serves comparisons without wildcards, and those with its wildcards while
  // they are in force; and scans go a unit at a time where no vector scans
  // are.
  if (length < 0 && QuickCompareApplies(codeSet1, language1, s1, codeSet2, language2, s2, cmpOp)) {
    const ksstring::SimpleOrders* simple = ksstring::SwitchFreeSimpleOrders(codeSet1, language1);
    if (simple != nullptr && QuickKinds(*simple, cmpOp) != nullptr) {
      return CompareCommonCase(*simple, s1, s2, CommonRequest{cmpOp, format});
    }
  }
  const bool plain = (cmpOp & KS_CMP_PLAIN_ORDER) != 0;
  const bool noWildcards = (cmpOp & KS_CMP_NO_WILDCARDS) != 0;
  const bool null1 = ksstring::IsNullPair(codeSet1, language1);
  const bool null2 = ksstring::IsNullPair(codeSet2, language2);
  if (null1 && null2) return 0;
  if (null2) return 1;
  if (null1 && (plain || noWildcards)) return -1;
  if (length == 0) return 0;

  if (codeSet1 == 0 && codeSet2 == 0) {
    if (plain || noWildcards) return ksstring::CompareBytes(s1, s2, length == -1 ? -1 : length);
    return ksstring::MatchBytes(s1, s2, length);
  }
  if (codeSet1 == 0) codeSet1 = KsLanguageContext::GetNativeCodeSet();
  if (codeSet2 == 0) codeSet2 = KsLanguageContext::GetNativeCodeSet();
  if (format == ksstring::kDefaultId) format = 1;

  size_t equalUnits = ksstring::kUnknownPrefix;
  if (QuickCompareApplies(codeSet1, language1, s1, codeSet2, language2, s2, cmpOp)) {
    // Iterators read language 255 as the default language; so does this.
    const unsigned char language =
        language1 == ksstring::kDefaultId ? KsLanguageContext::GetDefaultLanguage() : language1;
    const ksstring::SimpleOrders* simple = ksstring::SimpleOrdersOf(codeSet1, language);
    int result = 0;
    if (simple != nullptr &&
        QuickCompare(*simple, s1, s2, cmpOp, format, length, matchOut, equalUnits, result)) {
      return result;
    }
  }
  return CompareByOrders(codeSet1, language1, s1, codeSet2, language2, s2, cmpOp, length, format, matchOut,
                         equalUnits);
}

}  // namespace

// The entry decides in a few instructions whether the common case applies:
// operands of one code set and language, whole texts, levels, a table found
// in one load (no null operand, code set 0 or default language has one
// there) whose gate is the process's. Then the block scan answers; everything
// else is in general. Most comparisons an index makes are over in a few
// dozen instructions, so the entry's cost is a large share of them.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define KS_SANITIZED_BUILD 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define KS_SANITIZED_BUILD 1
#endif
#endif
#if defined(__x86_64__) && !defined(KS_SANITIZED_BUILD)
// On x86-64 the entry is written in assembly: for ten arguments, four of
// them on the stack, the compiler loads every argument and saves three
// registers before the first test, to keep them for the general path. Here
// the tests read the stack arguments where they lie and touch no argument
// register, so the general path is a bare jump, and the common case passes
// on the table, the texts and the request (cmpOp in the low half, format in
// the third byte) in registers. Sanitizer builds take the C++ entry below,
// which the sanitizers can see into. The operands are constants only, so
// the naked function gets no code of the compiler's.
namespace {
constexpr unsigned kLanguageSlotShift = std::countr_zero(sizeof(ksstring::LanguageSlot));
static_assert(sizeof(ksstring::LanguageSlot) == size_t{1} << kLanguageSlotShift);
static_assert(sizeof(ksstring::gLanguageSlots[0]) == 256 * sizeof(ksstring::LanguageSlot));
static_assert(sizeof(CommonRequest) == 4 && offsetof(CommonRequest, format) == 2);

// 16-bit units are swapped for the formats whose low four bits are 2.
constexpr bool SwapsForFormatsOfLowBitsTwo() {
  for (unsigned format = 0; format < 256; ++format) {
    if (ksbase::FormatNeedsByteSwap(static_cast<unsigned char>(format)) != ((format & 15) == 2)) return false;
  }
  return true;
}
static_assert(SwapsForFormatsOfLowBitsTwo());
}  // namespace

[[gnu::naked]] int KsStrCmp(unsigned char, unsigned char, const char*, unsigned char, unsigned char,
                            const char*, unsigned short, short, unsigned char, int*) {
  // Arguments: codeSet1 %dil, language1 %sil, s1 %rdx, codeSet2 %cl,
  // language2 %r8b, s2 %r9; on the stack above the return address cmpOp at
  // 8, length at 16, format at 24, matchOut at 32.
  asm("  cmpw $0, 16(%%rsp)\n"  // a length of 0 or more: in general
      "  jge 1f\n"
      "  cmp %%dil, %%cl\n"
      "  jne 1f\n"
      "  cmp %%sil, %%r8b\n"
      "  jne 1f\n"
      "  test %%rdx, %%rdx\n"
      "  jz 1f\n"
      "  test %%r9, %%r9\n"
      "  jz 1f\n"
      "  movzwl 8(%%rsp), %%r11d\n"
      "  test %[plain], %%r11d\n"
      "  jnz 1f\n"
      // The table: gLanguageSlots[codeSet1][language1].switchFree.
      "  movzbl %%dil, %%eax\n"
      "  shl $8, %%eax\n"
      "  movzbl %%sil, %%r10d\n"
      "  or %%r10d, %%eax\n"
      "  shl %[slotShift], %%rax\n"
      "  lea %P[switchFree](%%rip), %%r10\n"
      "  mov (%%r10, %%rax), %%rax\n"
      "  test %%rax, %%rax\n"
      "  jz 1f\n"
      "  mov %P[gate](%%rip), %%r10\n"
      "  cmp %%r10, %c[tableGate](%%rax)\n"
      "  jne 1f\n"
      // The request, then (table, s1, s2, request) into place, and the
      // scan for the units' width and byte order.
      "  movzbl 24(%%rsp), %%r10d\n"
      "  mov %%r10d, %%ecx\n"
      "  shl $16, %%ecx\n"
      "  or %%r11d, %%ecx\n"
      "  mov %%rax, %%rdi\n"
      "  mov %%rdx, %%rsi\n"
      "  mov %%r9, %%rdx\n"
      "  cmpb $1, %c[width](%%rdi)\n"
      "  je %P[bytes]\n"
      "  and $15, %%r10d\n"
      "  cmp $2, %%r10d\n"
      "  je %P[swappedUnits]\n"
      "  jmp %P[units]\n"
      "1:\n"
      "  jmp %P[general]\n" ::[plain] "i"(KS_CMP_PLAIN_ORDER),
      [slotShift] "i"(kLanguageSlotShift), [switchFree] "i"(&ksstring::gLanguageSlots[0][0].switchFree),
      [gate] "i"(&ksstring::gQuickGate), [tableGate] "i"(offsetof(ksstring::SimpleOrders, quickGate)),
      [width] "i"(offsetof(ksstring::SimpleOrders, width)), [bytes] "i"(&CompareCommonCaseByBlocks<1, false>),
      [units] "i"(&CompareCommonCaseByBlocks<2, false>),
      [swappedUnits] "i"(&CompareCommonCaseByBlocks<2, true>), [general] "i"(&CompareInGeneral));
}
#else
int KsStrCmp(unsigned char codeSet1, unsigned char language1, const char* s1, unsigned char codeSet2,
             unsigned char language2, const char* s2, unsigned short cmpOp, short length,
             unsigned char format, int* matchOut) {
  if (length < 0 && QuickCompareApplies(codeSet1, language1, s1, codeSet2, language2, s2, cmpOp)) {
    const ksstring::SimpleOrders* simple = ksstring::SwitchFreeSimpleOrders(codeSet1, language1);
    // One compare tells that the table serves the wildcards in force and
    // that scans go by blocks.
    if (simple != nullptr && simple->quickGate == ksstring::QuickGate()) [[likely]] {
      return CompareCommonCase(*simple, s1, s2, CommonRequest{cmpOp, format});
    }
  }
  return CompareInGeneral(codeSet1, language1, s1, codeSet2, language2, s2, cmpOp, length, format, matchOut);
}
#endif
