#include "ksstring/code_set_cache.h"

#include <cstring>
#include <mutex>

#include "ksstring/collation_key.h"
#include "ksstring/quick_gate.h"
#include "ksstring/units.h"
#include "ksstring/wildcard_orders.h"

namespace ksstring {

LanguageSlot gLanguageSlots[256][256];
std::atomic<bool> gTablesOnlyWalks{false};

namespace {

struct CodeSetSlot {
  std::atomic<bool> ready{false};
  const KsCodeSet* object = nullptr;
  const KsCollationEntry* entries[kCachedUnits] = {};
  bool hasTable = false;
};

CodeSetSlot gCodeSets[256];
std::mutex gFillMutex;

// Tables of simple orders come from a fixed pool, so that no comparison
// ever allocates; when it is used up, further languages take the full path.
constexpr unsigned kSimpleOrderTables = 64;
SimpleOrders gSimplePool[kSimpleOrderTables];
unsigned gSimpleUsed = 0;  // guarded by gFillMutex

unsigned char NativeIfZero(unsigned char codeSet) {
  return codeSet == 0 ? KsLanguageContext::GetNativeCodeSet() : codeSet;
}

CodeSetSlot& FilledCodeSet(unsigned char codeSet) {
  CodeSetSlot& slot = gCodeSets[codeSet];
  if (slot.ready.load(std::memory_order_acquire)) return slot;
  const std::lock_guard<std::mutex> lock(gFillMutex);
  if (slot.ready.load(std::memory_order_relaxed)) return slot;
  slot.object = KsLanguageContext::QueryCodeSet(codeSet);
  const KsCharTable* table = slot.object != nullptr ? slot.object->CharTable() : nullptr;
  slot.hasTable = table != nullptr;
  // An 8-bit code set has no units past its bytes.
  const unsigned units = slot.object != nullptr && slot.object->Width() == 2 ? kCachedUnits : kByteUnits;
  for (unsigned unit = 0; table != nullptr && unit < units; ++unit) {
    slot.entries[unit] = table->GetEntry(static_cast<unsigned short>(unit));
  }
  slot.ready.store(true, std::memory_order_release);
  return slot;
}

LanguageSlot& FilledLanguage(const CodeSetSlot& codeSet, unsigned char codeSetId, unsigned char language) {
  LanguageSlot& slot = gLanguageSlots[codeSetId][language];
  if (slot.ready.load(std::memory_order_acquire)) return slot;
  const std::lock_guard<std::mutex> lock(gFillMutex);
  if (slot.ready.load(std::memory_order_relaxed)) return slot;
  // Language objects live as long as the process; only their switch changes.
  slot.languageObject = KsLanguageContext::QueryLanguage(language);
  slot.languageClass = codeSet.object != nullptr ? codeSet.object->GetClass(language) : KS_CLASS_UNDEFINED;
  // Raw units are their own orders, whatever a table might say.
  slot.hasTable = codeSet.hasTable && codeSetId != kRawCodeSet;
  slot.codeSetObject = codeSet.object;
  slot.byteEntries = codeSet.hasTable ? codeSet.entries : nullptr;
  slot.ready.store(true, std::memory_order_release);
  return slot;
}

// With wildcards, star and question are the wildcard orders.
uint8_t QuickKindOf(const SimpleOrders& orders, unsigned unit, bool wildcards, uint16_t star,
                    uint16_t question) {
  if (unit == 0) return kQuickElement;
  const uint16_t order = orders.order[unit];
  // An order 0 inside the text ends the walk there; leave that to the walk.
  if (!orders.simple[unit] || order == 0) return kQuickWalk;
  if (wildcards && (order == star || order == question)) return kQuickWalk;
  if (order >= kFirstDigitOrder || orders.orderClass[unit] >= kUndefinedClass) return kQuickElement;
  return kQuickIgnorable;
}

}  // namespace

// Equal units give the same orders on both sides and, without a
// contraction, do not depend on what follows. An order 0 would end the walk
// there, and a wildcard would start a match.
bool PassesEqualPrefix(const KsCollationEntry* entry, bool wildcards, uint16_t star, uint16_t question) {
  if (entry == nullptr || (entry->flags & KsCollationEntry::HasContractions) != 0) return false;
  auto plain = [&](uint16_t order) {
    return order != 0 && !(wildcards && (order == star || order == question));
  };
  if (!plain(entry->order)) return false;
  if ((entry->flags & KsCollationEntry::HasExpansion) == 0 || entry->expansion == nullptr) return true;
  const unsigned short count = entry->expansion->Count();
  for (unsigned short i = 0; i < count; ++i) {
    unsigned short unit = 0;
    if (!entry->expansion->Get(i, unit) || !plain(unit)) return false;
  }
  return true;
}

namespace {

// The orders of an expansion without contraction, when they fit.
void RecordExpansion(SimpleOrders& orders, unsigned unit, const KsCollationEntry* entry) {
  if ((entry->flags & KsCollationEntry::HasContractions) != 0 ||
      (entry->flags & KsCollationEntry::HasExpansion) == 0 || entry->expansion == nullptr) {
    return;
  }
  const unsigned short count = entry->expansion->Count();
  if (count + 1u > kMaxExpansionOrders) return;
  orders.expansion[unit][0] = entry->order;
  for (unsigned short i = 0; i < count; ++i) {
    unsigned short order = 0;
    if (!entry->expansion->Get(i, order)) return;
    orders.expansion[unit][i + 1] = order;
  }
  orders.expansionCount[unit] = static_cast<uint8_t>(count + 1);
}

// The primary weight of the first order of `unit` (see
// SimpleOrders::leadPrimary), from its quick kind and expansion.
uint32_t LeadPrimaryOf(const SimpleOrders& orders, int stopSet, unsigned unit) {
  const uint8_t kind = orders.quick[stopSet][unit];
  if (kind == kQuickElement) return orders.key[unit] & kPrimaryMask;
  if (kind == kQuickIgnorable) return kIgnorableLead;
  if (kind != kQuickWalk || orders.expansionCount[unit] == 0 || orders.prefixStop[stopSet][unit] != 0) {
    return kNoLeadPrimary;
  }
  const uint16_t order = orders.expansion[unit][0];
  const uint8_t orderClass = orders.orderClass[unit];
  if (order < kFirstDigitOrder && orderClass < kUndefinedClass) return kNoLeadPrimary;
  return CollationKey(order, orderClass) & kPrimaryMask;
}

bool IsAsciiLetter(unsigned unit) {
  return (unit >= 'A' && unit <= 'Z') || (unit >= 'a' && unit <= 'z');
}

bool IsAsciiLetterOrDigit(unsigned unit) {
  return (unit >= '0' && unit <= '9') || IsAsciiLetter(unit);
}

// Sets SimpleOrders::foldsAsciiCase and notAsciiLetters from the quick
// kinds and keys.
void CheckAsciiCaseFolding(SimpleOrders& orders) {
  uint8_t stop[kByteUnits];
  bool folds = true;
  for (unsigned unit = 0; unit < kByteUnits; ++unit) {
    stop[unit] = IsAsciiLetter(unit) ? 0 : 1;
    if (!IsAsciiLetterOrDigit(unit)) continue;
    folds = folds && orders.quick[0][unit] == kQuickElement && orders.quick[1][unit] == kQuickElement;
    for (unsigned other = '0'; other <= 'z'; ++other) {
      if (!IsAsciiLetterOrDigit(other)) continue;
      const bool samePrimary = (orders.key[unit] & kPrimaryMask) == (orders.key[other] & kPrimaryMask);
      const bool sameLetter = (unit | 0x20) == (other | 0x20);
      // Letters that fold together differ at most in case: no accent.
      const bool sameAccent = (orders.key[unit] & kWithAccentMask) == (orders.key[other] & kWithAccentMask);
      folds = folds && samePrimary == sameLetter && (!sameLetter || sameAccent);
    }
  }
  orders.notAsciiLetters = NibblesOf(stop);
  orders.foldsAsciiCase = folds && orders.notAsciiLetters.exact;
}

// The order of an ASCII character in code set 1, as the wildcard orders
// start out, read from the table: building orders must not start iterators.
uint16_t DefaultWildcardOrder(char ch) {
  const KsCollationEntry* entry = FilledCodeSet(1).entries[static_cast<unsigned char>(ch)];
  return entry != nullptr ? entry->order : 0;
}

const SimpleOrders* BuildSimpleOrders(const CodeSetSlot& codeSet, LanguageSlot& slot, unsigned char codeSetId,
                                      unsigned char language, int switchOn) {
  const uint16_t star = DefaultWildcardOrder('*');
  const uint16_t question = DefaultWildcardOrder('?');
  const std::lock_guard<std::mutex> lock(gFillMutex);
  const SimpleOrders* orders = slot.simple[switchOn].load(std::memory_order_relaxed);
  if (orders != nullptr || gSimpleUsed == kSimpleOrderTables) return orders;
  SimpleOrders& fresh = gSimplePool[gSimpleUsed++];
  bool hasVariants = false;
  for (unsigned unit = 0; unit < kCachedUnits; ++unit) {
    const KsCollationEntry* entry = codeSet.entries[unit];
    fresh.simple[unit] = false;
    fresh.order[unit] = 0;
    fresh.orderClass[unit] = slot.languageClass;
    fresh.prefixStop[0][unit] = 1;
    fresh.prefixStop[1][unit] = 1;
    fresh.expansionCount[unit] = 0;
    if (entry == nullptr) continue;
    const KsCollationEntry* variant = VariantEntry(entry, slot.languageObject);
    hasVariants = hasVariants || variant != entry;
    if (switchOn != 0) entry = variant;
    if (unit != 0) {
      fresh.prefixStop[0][unit] = PassesEqualPrefix(entry, false, star, question) ? 0 : 1;
      fresh.prefixStop[1][unit] = PassesEqualPrefix(entry, true, star, question) ? 0 : 1;
      RecordExpansion(fresh, unit, entry);
    }
    const unsigned special =
        entry->flags & (KsCollationEntry::HasContractions | KsCollationEntry::HasExpansion);
    fresh.simple[unit] = special == 0 && unit != 0;
    fresh.order[unit] = entry->order;
    if (entry->classByte != nullptr) fresh.orderClass[unit] = *entry->classByte;
  }
  fresh.codeSet = codeSetId;
  fresh.language = language;
  fresh.width = static_cast<unsigned char>(codeSet.object->Width());
  fresh.charTable = fresh.width == 2 ? codeSet.object->CharTable() : nullptr;
  fresh.languageClass = slot.languageClass;
  fresh.star = star;
  fresh.question = question;
  fresh.prefixStopSet[0] = NibblesOf(fresh.prefixStop[0]);
  fresh.prefixStopSet[1] = NibblesOf(fresh.prefixStop[1]);
  fresh.quickGate = QuickGateFor(WildcardPair(star, question));
  for (unsigned unit = 0; unit < kCachedUnits; ++unit) {
    fresh.key[unit] = unit != 0 ? CollationKey(fresh.order[unit], fresh.orderClass[unit]) : 0;
    fresh.quick[0][unit] = QuickKindOf(fresh, unit, false, star, question);
    fresh.quick[1][unit] = QuickKindOf(fresh, unit, true, star, question);
  }
  for (int stopSet = 0; stopSet < 2; ++stopSet) {
    for (unsigned unit = 0; unit < kCachedUnits; ++unit) {
      fresh.leadPrimary[stopSet][unit] = LeadPrimaryOf(fresh, stopSet, unit);
    }
  }
  CheckAsciiCaseFolding(fresh);
  slot.simple[switchOn].store(&fresh, std::memory_order_release);
  if (!hasVariants && language < kNullLanguage) {
    slot.simple[1 - switchOn].store(&fresh, std::memory_order_release);
    slot.switchFree.store(&fresh, std::memory_order_release);
  }
  return &fresh;
}

const SimpleOrders* SimpleOrdersFor(const CodeSetSlot& codeSet, LanguageSlot& slot, unsigned char codeSetId,
                                    unsigned char language) {
  if (!slot.hasTable) return nullptr;
  const int switchOn = SwitchOf(slot);
  const SimpleOrders* orders = slot.simple[switchOn].load(std::memory_order_acquire);
  return orders != nullptr ? orders : BuildSimpleOrders(codeSet, slot, codeSetId, language, switchOn);
}

}  // namespace

NibbleSet NibblesOf(const uint8_t* stop) {
  NibbleSet set{};
  uint16_t rows[16] = {};
  for (unsigned unit = 0; unit < kByteUnits; ++unit) {
    if (stop[unit] != 0) rows[unit >> 4] = static_cast<uint16_t>(rows[unit >> 4] | (1u << (unit & 15)));
  }
  uint16_t patterns[8] = {};
  unsigned distinct = 0;
  set.exact = true;
  for (unsigned high = 0; high < 16; ++high) {
    if (rows[high] == 0) continue;
    unsigned bit = 0;
    while (bit < distinct && patterns[bit] != rows[high]) ++bit;
    if (bit == distinct) {
      if (distinct == 8) {
        std::memset(set.low, 0xFF, sizeof set.low);
        std::memset(set.high, 0xFF, sizeof set.high);
        set.exact = false;
        return set;
      }
      patterns[distinct++] = rows[high];
    }
    set.high[high] = static_cast<uint8_t>(set.high[high] | (1u << bit));
    for (unsigned low = 0; low < 16; ++low) {
      if ((rows[high] >> low) & 1u) set.low[low] = static_cast<uint8_t>(set.low[low] | (1u << bit));
    }
  }
  return set;
}

const KsCollationEntry* VariantEntry(const KsCollationEntry* entry, const KsLanguage* language) {
  if (language == nullptr || (entry->flags & KsCollationEntry::HasLanguageVariants) == 0) return entry;
  for (unsigned i = 0; i < entry->variantCount; ++i) {
    if (entry->variantLanguages[i] == language) {
      return entry->variantEntries[i] != nullptr ? entry->variantEntries[i] : entry;
    }
  }
  return entry;
}

const SimpleOrders* FillSimpleOrders(unsigned char codeSet, unsigned char language) {
  codeSet = NativeIfZero(codeSet);
  const CodeSetSlot& codeSetSlot = FilledCodeSet(codeSet);
  LanguageSlot& slot = FilledLanguage(codeSetSlot, codeSet, language);
  return SimpleOrdersFor(codeSetSlot, slot, codeSet, language);
}

void SetTablesOnlyWalks(bool on) {
  gTablesOnlyWalks.store(on, std::memory_order_relaxed);
}

unsigned char SetupWalk(unsigned char codeSet, unsigned char language, const KsCodeSet*& object,
                        const KsCollationEntry* const*& byteEntries, const SimpleOrders*& simpleOrders) {
  codeSet = NativeIfZero(codeSet);
  const CodeSetSlot& codeSetSlot = FilledCodeSet(codeSet);
  object = codeSetSlot.object;
  byteEntries = codeSetSlot.hasTable ? codeSetSlot.entries : nullptr;
  LanguageSlot& slot = FilledLanguage(codeSetSlot, codeSet, language);
  simpleOrders = gTablesOnlyWalks.load(std::memory_order_relaxed)
                     ? nullptr
                     : SimpleOrdersFor(codeSetSlot, slot, codeSet, language);
  return slot.languageClass;
}

}  // namespace ksstring
