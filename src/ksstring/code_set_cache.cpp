#include "ksstring/code_set_cache.h"

#include <mutex>

#include "ksstring/collation_key.h"
#include "ksstring/units.h"
#include "ksstring/wildcard_orders.h"

namespace ksstring {

LanguageSlot gLanguageSlots[256][256];

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
constexpr unsigned kSimpleOrderTables = 32;
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
  for (unsigned unit = 0; table != nullptr && unit < kCachedUnits; ++unit) {
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
  slot.eightBitTable = codeSet.hasTable && codeSet.object->Width() == 1;
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
    if (entry == nullptr) continue;
    const KsCollationEntry* variant = VariantEntry(entry, slot.languageObject);
    hasVariants = hasVariants || variant != entry;
    if (switchOn != 0) entry = variant;
    const unsigned special =
        entry->flags & (KsCollationEntry::HasContractions | KsCollationEntry::HasExpansion);
    fresh.simple[unit] = special == 0 && unit != 0;
    fresh.order[unit] = entry->order;
    if (entry->classByte != nullptr) fresh.orderClass[unit] = *entry->classByte;
  }
  fresh.codeSet = codeSetId;
  fresh.language = language;
  fresh.wildcardPair = WildcardPair(star, question);
  for (unsigned unit = 0; unit < kCachedUnits; ++unit) {
    fresh.key[unit] = unit != 0 ? CollationKey(fresh.order[unit], fresh.orderClass[unit]) : 0;
    fresh.quick[0][unit] = QuickKindOf(fresh, unit, false, star, question);
    fresh.quick[1][unit] = QuickKindOf(fresh, unit, true, star, question);
  }
  slot.simple[switchOn].store(&fresh, std::memory_order_release);
  if (!hasVariants && language < kNullLanguage) {
    slot.simple[1 - switchOn].store(&fresh, std::memory_order_release);
    slot.switchFree.store(&fresh, std::memory_order_release);
  }
  return &fresh;
}

const SimpleOrders* SimpleOrdersFor(const CodeSetSlot& codeSet, LanguageSlot& slot, unsigned char codeSetId,
                                    unsigned char language) {
  if (!slot.eightBitTable) return nullptr;
  const int switchOn = slot.languageObject != nullptr && slot.languageObject->VariantSwitch() ? 1 : 0;
  const SimpleOrders* orders = slot.simple[switchOn].load(std::memory_order_acquire);
  return orders != nullptr ? orders : BuildSimpleOrders(codeSet, slot, codeSetId, language, switchOn);
}

}  // namespace

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
  return SimpleOrdersFor(codeSetSlot, FilledLanguage(codeSetSlot, codeSet, language), codeSet, language);
}

unsigned char SetupWalk(unsigned char codeSet, unsigned char language, const KsCodeSet*& object,
                        const KsCollationEntry* const*& byteEntries, const SimpleOrders*& simpleOrders) {
  codeSet = NativeIfZero(codeSet);
  const CodeSetSlot& codeSetSlot = FilledCodeSet(codeSet);
  object = codeSetSlot.object;
  byteEntries = codeSetSlot.hasTable ? codeSetSlot.entries : nullptr;
  LanguageSlot& slot = FilledLanguage(codeSetSlot, codeSet, language);
  simpleOrders = SimpleOrdersFor(codeSetSlot, slot, codeSet, language);
  return slot.languageClass;
}

}  // namespace ksstring
