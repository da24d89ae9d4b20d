#include "ksstring/code_set_cache.h"

#include <mutex>

namespace ksstring {
namespace {

CodeSetView gViews[256];
std::atomic<bool> gReady[256];
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
  if (looked[language].load(std::memory_order_acquire)) return objects[language].load(std::memory_order_relaxed);
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

}  // namespace

unsigned char CodeSetView::ClassFor(unsigned char language) const {
  unsigned char cls = classes_[language].load(std::memory_order_relaxed);
  if (cls == kClassUnknown) {
    cls = object_->GetClass(language);
    classes_[language].store(cls, std::memory_order_relaxed);
  }
  return cls;
}

const SimpleOrders* CodeSetView::SimpleOrdersFor(unsigned char language) const {
  if (!hasTable_ || object_->Width() != 1) return nullptr;
  const KsLanguage* languageObject = LanguageObject(language);
  const int switchOn = languageObject != nullptr && languageObject->VariantSwitch() ? 1 : 0;
  std::atomic<const SimpleOrders*>& slot = simple_[language][switchOn];
  const SimpleOrders* orders = slot.load(std::memory_order_acquire);
  if (orders != nullptr) return orders;
  const std::lock_guard<std::mutex> lock(gFillMutex);
  orders = slot.load(std::memory_order_relaxed);
  if (orders != nullptr || gSimpleUsed == kSimpleOrderTables) return orders;
  SimpleOrders& fresh = gSimplePool[gSimpleUsed++];
  const unsigned char languageClass = object_->GetClass(language);
  for (unsigned unit = 0; unit < kCachedUnits; ++unit) {
    const KsCollationEntry* entry = entries_[unit];
    fresh.simple[unit] = false;
    if (entry == nullptr) continue;
    entry = VariantEntry(entry, languageObject);
    const unsigned flags = entry->flags & (KsCollationEntry::HasContractions | KsCollationEntry::HasExpansion);
    fresh.simple[unit] = flags == 0;
    fresh.order[unit] = entry->order;
    fresh.orderClass[unit] = entry->classByte != nullptr ? *entry->classByte : languageClass;
  }
  slot.store(&fresh, std::memory_order_release);
  return &fresh;
}

const CodeSetView* ViewOfCodeSet(unsigned char codeSet) {
  if (codeSet == 0) codeSet = KsLanguageContext::GetNativeCodeSet();
  if (gReady[codeSet].load(std::memory_order_acquire)) return gViews[codeSet].object_ != nullptr ? &gViews[codeSet] : nullptr;
  const std::lock_guard<std::mutex> lock(gFillMutex);
  CodeSetView& view = gViews[codeSet];
  if (!gReady[codeSet].load(std::memory_order_relaxed)) {
    view.object_ = KsLanguageContext::QueryCodeSet(codeSet);
    const KsCharTable* table = view.object_ != nullptr ? view.object_->CharTable() : nullptr;
    view.hasTable_ = table != nullptr;
    for (unsigned unit = 0; table != nullptr && unit < kCachedUnits; ++unit) {
      view.entries_[unit] = table->GetEntry(static_cast<unsigned short>(unit));
    }
    for (auto& cls : view.classes_) cls.store(CodeSetView::kClassUnknown, std::memory_order_relaxed);
    for (auto& perLanguage : view.simple_) {
      for (auto& orders : perLanguage) orders.store(nullptr, std::memory_order_relaxed);
    }
    gReady[codeSet].store(true, std::memory_order_release);
  }
  return view.object_ != nullptr ? &view : nullptr;
}

}  // namespace ksstring
