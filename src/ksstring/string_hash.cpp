// String hashes. Callers keep hash values, so every formula here is fixed,
// including the width of each step: all arithmetic is unsigned 32-bit.
#include <cstdint>

#include "i18nsvc.h"
#include "ksstrcmp.h"
#include "ksstring.h"
#include "ksstring/collation_key.h"
#include "ksstring/iterator_steps.h"
#include "ksstring/units.h"
#include "ksstringiterator.h"

namespace {

constexpr uint32_t kNullHash = 0xFEFE7575;

// h = 9h + u over the units of s: 16-bit for code set 253 only, otherwise
// bytes taken as signed values, as the first implementation read them.
template <typename UnitFold>
unsigned HashUnits(const KsString& s, UnitFold fold) {
  uint32_t h = 0;
  const auto* p = reinterpret_cast<const unsigned char*>(s.StrGet());
  if (s.CodeSet() == ksstring::kUnicodeCodeSet) {
    const size_t count = s.ByteSize() / 2;
    for (size_t i = 0; i < count; ++i) {
      const uint16_t unit = ksstring::ReadUnit(p + 2 * i, 2, ksstring::kMemoryFormat);
      if (unit == 0) break;
      h = 9 * h + fold(static_cast<uint32_t>(unit));
    }
    return h;
  }
  for (; *p != 0; ++p) h = 9 * h + fold(static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(*p))));
  return h;
}

// HashString over a whole text (no limit) of code set other than 0: units
// with simple orders add their keys straight from the table, in runs; every
// other unit, and the expansion orders it leaves pending, goes through the
// iterator, which starts each run with the class of the unit before it.
uint32_t HashWholeText(KsStringIterator& it) {
  uint32_t h = 0;
  for (;;) {
    const ksstring::SimpleOrders* simple = ksstring::OrderReader::Simple(it);
    if (simple != nullptr) {
      const unsigned char* start = ksstring::OrderReader::Position(it);
      const unsigned width = simple->width;
      const unsigned char format = it.Format();
      const unsigned char* p = start;
      uint16_t unit = ksstring::ReadUnit(p, width, format);
      uint16_t last = 0;
      for (; unit < ksstring::kCachedUnits && simple->simple[unit];
           unit = ksstring::ReadUnit(p, width, format)) {
        h = 9 * h + simple->key[unit];
        last = unit;
        p += width;
      }
      if (p != start)
        ksstring::OrderReader::SkipUnits(it, static_cast<size_t>(p - start) / width,
                                         simple->orderClass[last]);
      if (unit == 0) return h;
    }
    if (it.IsEOS()) return h;
    const uint16_t order = ksstring::OrderReader::Next(it, 1);
    h = 9 * h + ksstring::CollationKey(order, it.OrderClass());
  }
}

}  // namespace

unsigned HashKsString(const KsString& s) {
  return HashUnits(s, [](uint32_t unit) { return unit; });
}

unsigned HashKsString7(const KsString& s) {
  return HashUnits(s, [](uint32_t unit) { return unit & 0x7F; });
}

unsigned HashString(unsigned char codeSet, unsigned char language, const char* chars, short length,
                    unsigned char format) {
  if (ksstring::IsNullPair(codeSet, language)) return kNullHash;
  if (length == 0) return 0;
  if (codeSet == ksstring::kDefaultId) codeSet = KsLanguageContext::GetDefault8CodeSet();
  KsStringIterator it(chars, codeSet, language, format);
  if (length == -1 && codeSet != 0) return HashWholeText(it);
  uint32_t h = 0;
  for (int steps = 0; (length > 0 && steps < length) || (length == -1 && !it.IsEOS()); ++steps) {
    if (codeSet == 0) {
      // Plain bytes; past the end every step adds 0.
      const unsigned short byte = it.IsEOS() ? 0 : static_cast<unsigned char>((*it).Unit());
      h = 9 * h + byte;
      if (!it.IsEOS()) ++it;
      continue;
    }
    const uint16_t order = ksstring::OrderReader::Next(it, 1);
    h = 9 * h + ksstring::CollationKey(order, it.OrderClass());
  }
  return h;
}
