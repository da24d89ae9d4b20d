// The process-wide defaults, the registry queries and the context switch.
//
// The defaults are read on every string construction and comparison without
// a lock; relaxed atomics make those reads well defined while a host changes
// a default, at no cost over a plain load.
#include <atomic>

#include "code_sets.h"
#include "languages.h"

namespace {

constexpr unsigned char kInitialCodeSet = KS_CODESET_WINDOWS_1252;
constexpr unsigned char kInitial16CodeSet = KS_CODESET_UNICODE;
constexpr unsigned char kInitialLanguage = KS_LANGUAGE_ENGLISH;
// Levelled comparison with wildcards, case and accents significant, and
// space-class characters and symbols as tie-breaks: what a user expects of
// "equal" and of a pattern.
constexpr unsigned short kInitialCmpOp = 0;
// Callers pass this for "the default operator"; it is never a default itself.
constexpr unsigned short kDefaultCmpOpMarker = 0xFFFF;
// The language id that marks a null string; it and 255 are no languages.
constexpr unsigned char kNullLanguage = 254;

std::atomic<unsigned char> gDefaultCodeSet{kInitialCodeSet};
std::atomic<unsigned char> gDefault8CodeSet{kInitialCodeSet};
std::atomic<unsigned char> gDefault16CodeSet{kInitial16CodeSet};
std::atomic<unsigned char> gDefaultLanguage{kInitialLanguage};
std::atomic<unsigned short> gDefaultCmpOp{kInitialCmpOp};
std::atomic<int> gOpenCount{0};

void ResetDefaults() {
  gDefaultCodeSet.store(kInitialCodeSet, std::memory_order_relaxed);
  gDefault8CodeSet.store(kInitialCodeSet, std::memory_order_relaxed);
  gDefault16CodeSet.store(kInitial16CodeSet, std::memory_order_relaxed);
  gDefaultLanguage.store(kInitialLanguage, std::memory_order_relaxed);
  gDefaultCmpOp.store(kInitialCmpOp, std::memory_order_relaxed);
  ksi18n::ResetLanguageSwitches();
}

}  // namespace

unsigned char KsLanguageContext::GetDefaultCodeSet() {
  return gDefaultCodeSet.load(std::memory_order_relaxed);
}
unsigned char KsLanguageContext::GetDefault8CodeSet() {
  return gDefault8CodeSet.load(std::memory_order_relaxed);
}
unsigned char KsLanguageContext::GetDefault16CodeSet() {
  return gDefault16CodeSet.load(std::memory_order_relaxed);
}
unsigned char KsLanguageContext::GetDefaultLanguage() {
  return gDefaultLanguage.load(std::memory_order_relaxed);
}
unsigned short KsLanguageContext::GetDefaultCmpOp() {
  return gDefaultCmpOp.load(std::memory_order_relaxed);
}
unsigned char KsLanguageContext::GetNativeCodeSet() {
  return KS_CODESET_WINDOWS_1252;
}

// The new default also becomes the default of its width, since that is what
// strings of that width are made with. Code set 0 names the native code set;
// 255 ("the default") and unknown ids leave the defaults as they are.
void KsLanguageContext::SetDefaultCodeSet(unsigned char codeSet) {
  if (codeSet == KS_CODESET_BYTES) codeSet = GetNativeCodeSet();
  const KsCodeSet* set = QueryCodeSet(codeSet);
  if (set == nullptr) return;
  gDefaultCodeSet.store(codeSet, std::memory_order_relaxed);
  (set->Width() == 1 ? gDefault8CodeSet : gDefault16CodeSet).store(codeSet, std::memory_order_relaxed);
}

// Every language id (0..253) can be the default; one without a tailoring of
// its own collates in the root order, as collation libraries fall back to
// their root. 254 (the null marker) and 255 ("the default") are ignored.
void KsLanguageContext::SetDefaultLanguage(unsigned char language) {
  if (language >= kNullLanguage) return;
  gDefaultLanguage.store(language, std::memory_order_relaxed);
}

void KsLanguageContext::SetDefaultCmpOp(unsigned short cmpOp) {
  if (cmpOp == kDefaultCmpOpMarker) return;
  gDefaultCmpOp.store(cmpOp, std::memory_order_relaxed);
}

const KsCodeSet* KsLanguageContext::QueryCodeSet(unsigned char id) {
  return ksi18n::FindCodeSet(id);
}

KsLanguage* KsLanguageContext::QueryLanguage(unsigned char id) {
  return ksi18n::FindLanguage(id);
}

// Opens nest: the first open builds the collation entries (the tables work
// without it, built on first use); the close that matches the first open
// puts the defaults and the languages' variant switches back to their
// initial values, so the next host starts from the same state. A close
// without an open does nothing.
void ___KsI18NContext(int start) {
  if (start != 0) {
    if (gOpenCount.fetch_add(1) == 0) ksi18n::PrepareCodeSets();
    return;
  }
  int open = gOpenCount.load();
  while (open > 0 && !gOpenCount.compare_exchange_weak(open, open - 1)) {
  }
  if (open == 1) ResetDefaults();
}
