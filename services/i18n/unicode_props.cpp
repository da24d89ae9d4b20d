// Case properties of code set characters: the Unicode tables answer for the
// 16-bit code sets directly and, through conversion, for the 8-bit ones.
#include "unicode_case.h"

namespace ksi18n {

const KsUnicodeProps* LookupUnicodeCase(uint16_t unit) {
  // Two-level table: page 0 is all zero, so a unit without properties costs
  // the same two reads as one with them.
  const uint16_t slot = kCasePages[kCasePageOf[unit >> 8]][unit & 0xFF];
  return slot == 0 ? nullptr : &kCaseRecords[slot - 1];
}

}  // namespace ksi18n

namespace {

// True when a Unicode unit survives the trip into `codeSet` and back, so that
// a case mapping to it can be written into text of that code set.
bool Representable(const KsCodeSet& codeSet, const KsCodeSet& unicode, uint16_t unit) {
  if (unit == 0) return true;
  return unicode.Convert(codeSet.Convert(unit, 253), codeSet.Id()) == unit;
}

}  // namespace

const KsUnicodeProps* KsCodeSet::GetUnicodeProps(unsigned short unit, unsigned char /*language*/) const {
  // Raw units are read as Unicode too: they have no table of their own, and
  // treating them as anything else would make case mapping lose text.
  if (Width() == 2) return ksi18n::LookupUnicodeCase(unit);

  const KsCodeSet* unicode = KsLanguageContext::QueryCodeSet(253);
  if (unicode == nullptr) return nullptr;
  const KsUnicodeProps* props = ksi18n::LookupUnicodeCase(unicode->Convert(unit, Id()));
  if (props == nullptr) return nullptr;

  // An 8-bit code set cannot hold every case partner (micro sign upper-cases
  // to Greek capital mu, which Windows-1252 lacks). Such a character keeps
  // its case rather than turning into the substitution character.
  if (!Representable(*this, *unicode, props->upper) || !Representable(*this, *unicode, props->lower)) {
    return nullptr;
  }
  unsigned short fullUnit = 0;
  for (unsigned short i = 0; props->fullUpper.Get(i, fullUnit); ++i) {
    if (!Representable(*this, *unicode, fullUnit)) return nullptr;
  }
  return props;
}
