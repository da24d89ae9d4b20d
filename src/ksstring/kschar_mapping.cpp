// KsChar code-set mapping and case mapping.
#include <cctype>

#include "i18nsvc.h"
#include "kschar.h"
#include "ksstring/units.h"
#include "ksstringiterator.h"

KsChar KsChar::MapTo(unsigned char targetCodeSet) const {
  if (targetCodeSet == 0 || targetCodeSet == codeSet) return KsChar(*this);
  return KsChar(ksstring::ConvertUnit(Unit(), codeSet, targetCodeSet), targetCodeSet, language, 1, 0);
}

namespace {

const KsUnicodeProps* PropsOf(unsigned short unit, unsigned char codeSet, unsigned char language) {
  const KsCodeSet* object = KsLanguageContext::QueryCodeSet(codeSet);
  return object == nullptr ? nullptr : object->GetUnicodeProps(unit, language);
}

}  // namespace

KsChar KsChar::ToUpper(KsStringIterator* it) const {
  if (codeSet == 0) {
    return KsChar(static_cast<unsigned short>(std::toupper(static_cast<unsigned char>(Unit()))), 0,
                  language >= ksstring::kDefaultId ? KsLanguageContext::GetDefaultLanguage() : language, 1,
                  0);
  }
  const KsUnicodeProps* props = PropsOf(Unit(), codeSet, language);
  if (props == nullptr) return KsChar(*this);
  const KsWCharList& full = props->fullUpper;
  unsigned short upper = props->upper;
  // A character whose upper-case form is several characters (sharp s) may
  // have no single upper-case unit: its first one stands in.
  if (upper == 0 && full.Count() > 1) full.Get(0, upper);
  if (upper == 0) return KsChar(*this);
  if (full.Count() > 1 && it != nullptr) {
    // The returned character is the list's first unit; the iterator
    // delivers the rest before moving on.
    it->SetOverflow(&full, ksstring::kUnicodeCodeSet);
    it->overflowIndex = 1;
  }
  return KsChar(upper, ksstring::kUnicodeCodeSet, language, 1, 0).MapTo(codeSet);
}

KsChar KsChar::ToLower(KsStringIterator*) const {
  if (codeSet == 0) {
    return KsChar(static_cast<unsigned short>(std::tolower(static_cast<unsigned char>(Unit()))), 0,
                  language >= ksstring::kDefaultId ? KsLanguageContext::GetDefaultLanguage() : language, 1,
                  0);
  }
  const KsUnicodeProps* props = PropsOf(Unit(), codeSet, language);
  if (props == nullptr || props->lower == 0) return KsChar(*this);
  return KsChar(props->lower, ksstring::kUnicodeCodeSet, language, 1, 0).MapTo(codeSet);
}
