// Conversion between code sets, shared by all of them.
#include "code_sets.h"

KsCharTable::~KsCharTable() = default;
KsCodeSet::~KsCodeSet() = default;

namespace ksi18n {

unsigned short I18nCodeSet::Convert(unsigned short unit, unsigned char sourceCodeSet) const {
  const I18nCodeSet* source = FindCodeSet(sourceCodeSet);
  uint16_t unicode = 0;
  uint16_t converted = 0;
  if (source == nullptr || !source->ToUnicode(unit, unicode) || !FromUnicode(unicode, converted)) {
    return Substitution();
  }
  return converted;
}

}  // namespace ksi18n
