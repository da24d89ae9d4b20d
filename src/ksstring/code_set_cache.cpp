#include "ksstring/code_set_cache.h"

#include <atomic>
#include <mutex>

#include "ksstring/collation_key.h"

namespace ksstring {
namespace {

// Per language: the class and the simple orders with the switch off and on,
// side by side so that one cache line answers a comparison's setup.
struct LanguageSlot {
  std::atomic<bool> classKnown{false};
  std::atomic<unsigned char> languageClass{0};
  std::atomic<const SimpleOrders*> simple[2] = {nullptr, nullptr};
};

struct CodeSetSlot {
  std::atomic<bool> ready{false};
  const KsCodeSet* object = nullptr;
  const KsCollationEntry* entries[kCachedUnits] = {};
  bool hasTable = false;
  LanguageSlot languages[256];
};

CodeSetSlot gCodeSets[256];
std::mutex gFillMutex;

// Tables of simple orders come from a fixed pool, so that no comparison
// ever allocates; when it is used up, further languages take the full path.
constexpr unsigned kSimpleOrderTables = 32;
SimpleOrders gSimplePool[kSimpleOrderTables];
unsigned gSimpleUsed = 0;  // guarded by gFillMutex

// Language objects live as long as the process; only their switch changes.
const KsLanguage* LanguageObject(unsigned char language) {
  static std::atomic<const KsLanguage*> objects[256];
  static std::atomic<bool> looked[256];
  if (looked[language].load(std::memory_order_acquire))
    return objects[language].load(std::memory_order_relaxed);
  const KsLanguage* object = KsLanguageContext::QueryLanguage(language);
  objects[language].store(object, std::memory_order_relaxed);
  looked[language].store(true, std::memory_order_release);
  return object;
}

const KsCollationEntry* VariantEntry(const KsCollationEntry* entry, const KsLanguage* language) {
  if (language == nullptr || !language->VariantSwitch()) return entry;
  if ((entry->flags & KsCollationEntry::HasLanguageVariants) == 0) return entry;
  for (unsigned i = 0; i < entry->variantCount; ++i) {
    if (entry->variantLanguages[i] == language) {
      return entry->variantEntries[i] != nullptr ? entry->variantEntries[i] : entry;
    }
  }
  return entry;
}

CodeSetSlot& FilledSlot(unsigned char codeSet) {
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

unsigned char ClassOf(const CodeSetSlot& slot, LanguageSlot& language, unsigned char languageId) {
  if (language.classKnown.load(std::memory_order_acquire)) {
    return language.languageClass.load(std::memory_order_relaxed);
  }
  const unsigned char cls = slot.object->GetClass(languageId);
  language.languageClass.store(cls, std::memory_order_relaxed);
  language.classKnown.store(true, std::memory_order_release);
  return cls;
}

const SimpleOrders* BuildSimpleOrders(const CodeSetSlot& slot, std::atomic<const SimpleOrders*>& target,
                                      const KsLanguage* languageObject, unsigned char languageClass) {
  const std::lock_guard<std::mutex> lock(gFillMutex);
  const SimpleOrders* orders = target.load(std::memory_order_relaxed);
  if (orders != nullptr || gSimpleUsed == kSimpleOrderTables) return orders;
  SimpleOrders& fresh = gSimplePool[gSimpleUsed++];
  for (unsigned unit = 0; unit < kCachedUnits; ++unit) {
    const KsCollationEntry* entry = slot.entries[unit];
    fresh.simple[unit] = false;
    fresh.order[unit] = 0;
    fresh.orderClass[unit] = languageClass;
    if (entry == nullptr) continue;
    entry = VariantEntry(entry, languageObject);
    const unsigned special =
        entry->flags & (KsCollationEntry::HasContractions | KsCollationEntry::HasExpansion);
    fresh.simple[unit] = special == 0 && unit != 0;
    fresh.order[unit] = entry->order;
    if (entry->classByte != nullptr) fresh.orderClass[unit] = *entry->classByte;
  }
  for (unsigned unit = 0; unit < kCachedUnits; ++unit) {
    const uint16_t order = fresh.order[unit];
    const uint8_t cls = fresh.orderClass[unit];
    fresh.key[unit] = CollationKey(order, cls);
    if (order >= kFirstDigitOrder || cls >= kUndefinedClass) {
      fresh.kind[unit] = SimpleOrders::Significant;
    } else {
      fresh.kind[unit] = order < kFirstSymbolOrder ? SimpleOrders::Space : SimpleOrders::Symbol;
    }
  }
  target.store(&fresh, std::memory_order_release);
  return &fresh;
}

}  // namespace

const SimpleOrders* SimpleOrdersOf(unsigned char codeSet, unsigned char language) {
  if (codeSet == 0) codeSet = KsLanguageContext::GetNativeCodeSet();
  CodeSetSlot& slot = FilledSlot(codeSet);
  if (!slot.hasTable || slot.object->Width() != 1) return nullptr;
  LanguageSlot& languageSlot = slot.languages[language];
  const KsLanguage* languageObject = LanguageObject(language);
  const int switchOn = languageObject != nullptr && languageObject->VariantSwitch() ? 1 : 0;
  const SimpleOrders* orders = languageSlot.simple[switchOn].load(std::memory_order_acquire);
  if (orders != nullptr) return orders;
  return BuildSimpleOrders(slot, languageSlot.simple[switchOn], languageObject,
                           ClassOf(slot, languageSlot, language));
}

unsigned char SetupWalk(unsigned char codeSet, unsigned char language, const KsCodeSet*& object,
                        const KsCollationEntry* const*& byteEntries, const SimpleOrders*& simpleOrders) {
  if (codeSet == 0) codeSet = KsLanguageContext::GetNativeCodeSet();
  const CodeSetSlot& slot = FilledSlot(codeSet);
  object = slot.object;
  byteEntries = slot.hasTable ? slot.entries : nullptr;
  simpleOrders = nullptr;
  if (slot.object == nullptr) return KS_CLASS_UNDEFINED;
  LanguageSlot& languageSlot = gCodeSets[codeSet].languages[language];
  const unsigned char languageClass = ClassOf(slot, languageSlot, language);
  if (!slot.hasTable || slot.object->Width() != 1) return languageClass;
  const KsLanguage* languageObject = LanguageObject(language);
  const int switchOn = languageObject != nullptr && languageObject->VariantSwitch() ? 1 : 0;
  const SimpleOrders* orders = languageSlot.simple[switchOn].load(std::memory_order_acquire);
  if (orders == nullptr)
    orders = BuildSimpleOrders(slot, languageSlot.simple[switchOn], languageObject, languageClass);
  simpleOrders = orders;
  return languageClass;
}

}  // namespace ksstring
