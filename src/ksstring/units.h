// Reading, writing and converting single units of string buffers: the rules
// that KsString, KsChar, KsStringIterator and KsStrCmp share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "base/byteorder.h"

namespace ksstring {

// Code set ids above this one hold 16-bit units.
constexpr unsigned char kLast8BitCodeSet = 224;
constexpr unsigned char kUnicodeCodeSet = 253;
constexpr unsigned char kRawCodeSet = 254;
constexpr unsigned char kDefaultId = 255;
constexpr unsigned char kNullLanguage = 254;
// Storage format of units in this process's memory order.
constexpr unsigned char kMemoryFormat = 8;

inline unsigned WidthOf(unsigned char codeSet) {
  return codeSet > kLast8BitCodeSet ? 2u : 1u;
}

// A value is null when its language is 254, or its code set 254 with
// language 0.
inline bool IsNullPair(unsigned char codeSet, unsigned char language) {
  return language == kNullLanguage || (codeSet == kRawCodeSet && language == 0);
}

// One unit at p: a byte, or two bytes in `format` (1 or 255 little-endian
// stored order, 2 big-endian, 8 memory order).
// Inline: every collation order reads one.
inline uint16_t ReadUnit(const unsigned char* p, unsigned width, unsigned char format) {
  if (width == 1) return *p;
  uint16_t unit;
  std::memcpy(&unit, p, sizeof unit);
  return ksbase::FormatNeedsByteSwap(format) ? ksbase::ByteSwap(unit) : unit;
}

// One unit of `Width` bytes, 16-bit ones swapped when `Swap`.
template <unsigned Width, bool Swap>
inline unsigned UnitAt(const unsigned char* at) {
  if constexpr (Width == 1) {
    return *at;
  } else {
    uint16_t unit;
    std::memcpy(&unit, at, sizeof unit);
    return Swap ? ksbase::ByteSwap(unit) : unit;
  }
}

// Calls visit.template operator()<Width, Swap>() for units `width` bytes
// wide, 16-bit ones in `format`: code that reads units in a loop is
// compiled once per layout and chosen here.
template <class Visit>
[[gnu::always_inline]] inline decltype(auto) WithUnitLayout(unsigned width, unsigned char format,
                                                            Visit&& visit) {
  if (width == 1) return visit.template operator()<1, false>();
  if (ksbase::FormatNeedsByteSwap(format)) return visit.template operator()<2, true>();
  return visit.template operator()<2, false>();
}

inline void WriteUnit(unsigned char* p, unsigned width, uint16_t unit, unsigned char format) {
  if (width == 1) {
    *p = static_cast<unsigned char>(unit);
    return;
  }
  if (ksbase::FormatNeedsByteSwap(format)) unit = ksbase::ByteSwap(unit);
  std::memcpy(p, &unit, sizeof unit);
}

// Number of units before the first zero unit, at most `limit`.
size_t CountUnits(const unsigned char* p, unsigned width, size_t limit);

// Code set 0 stands for the native code set wherever characters are mapped.
unsigned char ResolveCodeSet(unsigned char codeSet);
// A unit of code set `from` converted into code set `to` (0 on either side:
// the native code set). Unknown code sets keep the unit.
uint16_t ConvertUnit(uint16_t unit, unsigned char from, unsigned char to);

}  // namespace ksstring
