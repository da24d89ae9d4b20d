// What a collation walk needs of a code set, looked up once per process:
// the code set object, the collation entries of its first units (see
// kCachedUnits), and per language the class the code set reports and the
// orders of its simple units. Every comparison starts two iterators, so
// these answers are kept rather than asked each time. The objects and
// tables of the i18n services are immutable for the life of the process,
// which makes them safe to keep; only a language's variant switch changes,
// and it selects the table.
#pragma once

#include <atomic>
#include <cstdint>

#include "i18nsvc.h"

namespace ksstring {

// Units the equal-prefix scan looks at in nibble form: bytes, and 16-bit
// units whose high byte is 0.
constexpr unsigned kByteUnits = 256;
// Units below this one are described by tables here: every unit of an
// 8-bit code set, and for 16-bit code sets Latin-1 and Latin Extended-A
// and -B, where the ligature oe of French words lies. A power of two, so
// that one test tells whether two units both lie below it.
constexpr unsigned kCachedUnits = 0x200;
constexpr unsigned kMaxExpansionOrders = 4;

// What the quick byte comparison may do with a byte (see simple_compare.h).
enum QuickKind : uint8_t {
  kQuickElement = 0,    // one significant element on its own (or the end)
  kQuickIgnorable = 1,  // one space or symbol, decided only by an equal partner
  kQuickWalk = 2,       // needs the collation walk: contraction, expansion, wildcard
};

// SimpleOrders::leadPrimary of a unit whose first order decides nothing
// alone (no primary weight has its low bit set), and of an ignorable, which
// takes no part in the primary level.
constexpr uint32_t kNoLeadPrimary = 1;
constexpr uint32_t kIgnorableLead = 3;

// Units that pass an equal-prefix scan, as a set of bytes in nibble form:
// byte b stops the scan when (low[b & 15] & high[b >> 4]) != 0. The form
// holds any set whose high-nibble rows have at most eight distinct patterns;
// `exact` says whether this one does. A set it cannot hold stops at every
// byte, so that a block scan that does not ask hands on at once. Aligned, so
// that the comparison's entry indexes a pair of them with a shift.
struct alignas(32) NibbleSet {
  uint8_t low[16];
  uint8_t high[16];
  bool exact;
};

// The nibble form of a stop table's first kByteUnits.
NibbleSet NibblesOf(const uint8_t* stop);

// Orders of the units below kCachedUnits of a code set with a table, for
// one language (with its variant switch in one position): the units whose
// entry has neither a contraction nor an expansion, after language
// variants, are "simple" and take their order and class straight from
// here.
struct SimpleOrders {
  uint16_t order[kCachedUnits];
  uint8_t orderClass[kCachedUnits];
  bool simple[kCachedUnits];
  // The comparison key of each simple byte's order; 0 for the end.
  uint32_t key[kCachedUnits];
  // The quick kind of each byte, without wildcards ([0]) and with the
  // table's '*' and '?' orders as wildcards ([1]). Those are the orders the
  // wildcards start with; [1] serves only while they are in force.
  uint8_t quick[2][kCachedUnits];
  uint64_t quickGate;  // QuickGateFor the table's wildcards
  // Units that an equal-prefix scan may pass when both texts have them at
  // the same place (0) and those that stop it (1), without wildcards ([0])
  // and with the table's ([1]). A unit passes when it always gives the same
  // orders whatever follows: no contraction, no order 0 and no wildcard, in
  // its own order or its expansion. The end stops.
  uint8_t prefixStop[2][kCachedUnits];
  NibbleSet prefixStopSet[2];
  // Whether the ASCII letters and digits are single elements (with or
  // without wildcards) whose primary weights are equal exactly where the
  // letters are equal once folded to lower case, and which then differ at
  // most in case: a vector step can look past case differences for the
  // first primary difference. The bytes that are no ASCII letter, as a
  // stop set, in nibble form.
  bool foldsAsciiCase;
  NibbleSet notAsciiLetters;
  // The orders of a unit whose entry has an expansion and no contraction:
  // its own order, then the expansion's, all of its own class; the count
  // is 0 for other units and for longer expansions.
  uint16_t expansion[kCachedUnits][kMaxExpansionOrders];
  uint8_t expansionCount[kCachedUnits];
  // The primary weight of the first order each unit gives, without
  // wildcards ([0]) and with the table's ([1]), where that order
  // is an element the comparison can decide on when the units differ: a
  // single element's, the end's (0), or the first of an expansion the
  // tables describe; kIgnorableLead for an ignorable, kNoLeadPrimary for
  // every other unit.
  uint32_t leadPrimary[2][kCachedUnits];
  // For units from kCachedUnits on (16-bit code sets), read from the code
  // set's table: the table, the class of entries without their own, and
  // the orders of the table's wildcards.
  const KsCharTable* charTable;
  unsigned char languageClass;
  uint16_t star;
  uint16_t question;
  unsigned char width;  // bytes per unit of the code set
  // The code set and language the orders are for.
  unsigned char codeSet;
  unsigned char language;
};

// Whether equal units with `entry` at the same place in two texts may be
// passed over (see SimpleOrders::prefixStop), with the wildcard orders
// star and question in force or without wildcards.
bool PassesEqualPrefix(const KsCollationEntry* entry, bool wildcards, uint16_t star, uint16_t question);

// The entry that replaces `entry` for `language` while the language's
// variant switch is on (the caller checks the switch); null: no language.
const KsCollationEntry* VariantEntry(const KsCollationEntry* entry, const KsLanguage* language);

// Per code set and language, filled on first use: the class the code set
// reports and, for code sets with a table, the simple orders with the
// language's variant switch off ([0]) and on ([1]).
struct LanguageSlot {
  std::atomic<bool> ready{false};  // publishes the five fields below
  const KsLanguage* languageObject = nullptr;
  unsigned char languageClass = 0;
  bool hasTable = false;
  // The code set's object and entries of units below kCachedUnits, as
  // SetupWalk gives them.
  const KsCodeSet* codeSetObject = nullptr;
  const KsCollationEntry* const* byteEntries = nullptr;
  std::atomic<const SimpleOrders*> simple[2] = {nullptr, nullptr};
  // Set when no byte of the code set has a variant for the language, so
  // that the switch cannot matter: the one table, without asking it.
  std::atomic<const SimpleOrders*> switchFree{nullptr};
};

// Which of a filled slot's simple orders serve now: 1 while its language's
// variant switch is on.
inline int SwitchOf(const LanguageSlot& slot) {
  return slot.languageObject != nullptr && slot.languageObject->VariantSwitch() ? 1 : 0;
}

// Hidden: read straight, not through the symbol table.
extern LanguageSlot gLanguageSlots[256][256] __attribute__((visibility("hidden")));
// Set by SetTablesOnlyWalks.
extern std::atomic<bool> gTablesOnlyWalks __attribute__((visibility("hidden")));

// Fills the slot (and its simple orders for the current switch) and
// returns those orders, or null for a code set without a table.
const SimpleOrders* FillSimpleOrders(unsigned char codeSet, unsigned char language);

// The simple orders of a code set with a table for `language` and its
// current variant switch, or null. Code set 0 reads as the native code
// set. Thread-safe; allocation-free. Inline: every comparison asks.
inline const SimpleOrders* SimpleOrdersOf(unsigned char codeSet, unsigned char language) {
  const LanguageSlot& slot = gLanguageSlots[codeSet][language];
  if (codeSet != 0 && slot.ready.load(std::memory_order_acquire)) {
    if (!slot.hasTable) return nullptr;
    const int switchOn = SwitchOf(slot);
    const SimpleOrders* orders = slot.simple[switchOn].load(std::memory_order_acquire);
    if (orders != nullptr) return orders;
  }
  return FillSimpleOrders(codeSet, language);
}

// The simple orders of a language whose switch does not matter, once they
// are built; else null (also for code set 0 and languages 254 and 255).
// This is the first thing a comparison asks: one load.
inline const SimpleOrders* SwitchFreeSimpleOrders(unsigned char codeSet, unsigned char language) {
  return gLanguageSlots[codeSet][language].switchFree.load(std::memory_order_acquire);
}

// Everything an iterator over one code set and language starts with: the
// code set object (null for an unknown code set), the entries of its units
// below kCachedUnits (null without a table), the simple orders (null
// without a table); returns the class the code set reports for the language
// (KS_CLASS_UNDEFINED without object). The outputs are written one by one,
// straight into the iterator. Code set 0 reads as the native code set.
// Thread-safe; allocation-free.
// For tests of the quick paths: while on, iterators start without simple
// orders, so that every order they give comes from the collation tables.
void SetTablesOnlyWalks(bool on);

unsigned char SetupWalk(unsigned char codeSet, unsigned char language, const KsCodeSet*& object,
                        const KsCollationEntry* const*& byteEntries, const SimpleOrders*& simpleOrders);

// SetupWalk without a call once the slot and its simple orders are filled:
// every comparison starts two iterators, most of them over short texts.
inline unsigned char SetupWalkInline(unsigned char codeSet, unsigned char language, const KsCodeSet*& object,
                                     const KsCollationEntry* const*& byteEntries,
                                     const SimpleOrders*& simpleOrders) {
  const LanguageSlot& slot = gLanguageSlots[codeSet][language];
  if (codeSet != 0 && slot.ready.load(std::memory_order_acquire) &&
      !gTablesOnlyWalks.load(std::memory_order_relaxed)) {
    const SimpleOrders* orders = nullptr;
    if (slot.hasTable) {
      const int switchOn = SwitchOf(slot);
      orders = slot.simple[switchOn].load(std::memory_order_acquire);
    }
    if (orders != nullptr || !slot.hasTable) {
      object = slot.codeSetObject;
      byteEntries = slot.byteEntries;
      simpleOrders = orders;
      return slot.languageClass;
    }
  }
  return SetupWalk(codeSet, language, object, byteEntries, simpleOrders);
}

}  // namespace ksstring
