#include "ksstring/code_set_cache.h"

#include <mutex>

namespace ksstring {
namespace {

CodeSetView gViews[256];
std::atomic<bool> gReady[256];
std::mutex gFillMutex;

}  // namespace

unsigned char CodeSetView::ClassFor(unsigned char language) const {
  unsigned char cls = classes_[language].load(std::memory_order_relaxed);
  if (cls == kClassUnknown) {
    cls = object_->GetClass(language);
    classes_[language].store(cls, std::memory_order_relaxed);
  }
  return cls;
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
    gReady[codeSet].store(true, std::memory_order_release);
  }
  return view.object_ != nullptr ? &view : nullptr;
}

}  // namespace ksstring
