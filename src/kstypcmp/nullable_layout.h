// The layout of a nullable primitive as the comparison and hash walk sees
// it: a base layout's value followed by a flag byte.
//
// In memory (format & 15 of 8) an element is the padded pair; every other
// format is a stored form of base-size + 1 bytes, with the flag byte first
// unless the format has bit 8, in which case it follows the value. The
// little-endian stored form (1) is not read in place: its flag byte comes
// first, so its elements are packed pairs, not memory elements.
//
// Elements are taken as the family's Load takes them: a flag byte of
// exactly 1 is null, anything else is a number. Nulls sort first and hash
// to 0xFEFE7575; numbers order as the base layout orders them (the float
// order for the floating members) and hash to the base hash of one value,
// and the folded hash is not multiplied again.
#pragma once

#include <cstdint>

#include "kstypcmp/layouts.h"

namespace ks::layout {

inline constexpr uint8_t kNullFlag = 1;
inline constexpr uint32_t kNullHashImage = 0xFEFE7575u;

template <class Base>
struct Nullable {
  struct Value {
    typename Base::Value value;
    uint8_t flag;
  };

  static bool InPlace(unsigned char format) { return (format & 15) == 8; }
  static unsigned StoredSize(unsigned char format) { return Base::StoredSize(format) + 1; }

  static Value FromStored(const unsigned char* p, unsigned char format) {
    const bool valueFirst = (format & 8) != 0;
    const unsigned char flag = valueFirst ? p[Base::StoredSize(format)] : p[0];
    if (flag == kNullFlag) return Value{typename Base::Value{}, kNullFlag};
    return Value{Base::FromStored(valueFirst ? p : p + 1, format & 15), 0};
  }

  static bool IsNull(const Value& v) { return v.flag == kNullFlag; }

  static int Order(const Value& a, const Value& b) {
    const bool aNull = IsNull(a), bNull = IsNull(b);
    if (aNull || bNull) return ThreeWay(!aNull, !bNull);
    return Base::Order(a.value, b.value);
  }
  static bool Equal(const Value& a, const Value& b) {
    const bool aNull = IsNull(a), bNull = IsNull(b);
    return aNull == bNull && (aNull || layout::Equal<Base>(a.value, b.value));
  }

  // The base hash of one value is its image times 1103515245.
  static uint32_t Image(const Value& v) {
    return IsNull(v) ? kNullHashImage : Base::Image(v.value) * 1103515245u;
  }
  static uint32_t FinishHash(uint32_t folded) { return folded; }
};

}  // namespace ks::layout
