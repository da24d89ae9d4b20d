#include "ksstring/units.h"

#include "i18nsvc.h"

namespace ksstring {

size_t CountUnits(const unsigned char* p, unsigned width, size_t limit) {
  if (p == nullptr) return 0;
  size_t count = 0;
  if (width == 1) {
    while (count < limit && p[count] != 0) ++count;
  } else {
    while (count < limit && (p[2 * count] | p[2 * count + 1]) != 0) ++count;
  }
  return count;
}

unsigned char ResolveCodeSet(unsigned char codeSet) {
  return codeSet == 0 ? KsLanguageContext::GetNativeCodeSet() : codeSet;
}

uint16_t ConvertUnit(uint16_t unit, unsigned char from, unsigned char to) {
  from = ResolveCodeSet(from);
  to = ResolveCodeSet(to);
  if (from == to) return unit;
  const KsCodeSet* target = KsLanguageContext::QueryCodeSet(to);
  if (target == nullptr) return WidthOf(to) == 1 ? static_cast<uint8_t>(unit) : unit;
  return target->Convert(unit, from);
}

}  // namespace ksstring
