// The hash words of the date and time types.
#pragma once

#include <cstdint>

#include "kstypcmp/layouts.h"

namespace ks::dateslots {

// ((a * 256 + b) * 256) + c, with signed fields and arithmetic modulo 2^32.
inline uint32_t FieldWord(int a, int b, int c) {
  return static_cast<uint32_t>(a) * 65536u + static_cast<uint32_t>(b) * 256u + static_cast<uint32_t>(c);
}

// The word of a stored date (KsDate's and d_Date's forms are alike): the
// year in the format's byte order, month and day as signed bytes.
inline uint32_t StoredDateWord(const unsigned char* p, unsigned char format) {
  return FieldWord(layout::Short::FromStored(p, format), static_cast<int8_t>(p[2]),
                   static_cast<int8_t>(p[3]));
}

}  // namespace ks::dateslots
