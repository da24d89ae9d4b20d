// The nullable primitive types (type ids 28 to 38, 44 and 45): a number of
// a primitive type with an explicit null state.
//
// One element in memory is the base value followed by a flag byte (1 null,
// 0 not null), padded to the base type's alignment; a null element holds
// the value 0. Arrays of these elements are what KsTypeMgr handles under the
// nullable type ids in memory form (format 8).
#pragma once

#include <cstddef>
#include <cstdint>

#include "ksint64.h"

template <class T>
struct KsNullable {
  T value;
  unsigned char isNull;
};

using KsNull_char = KsNullable<int8_t>;        // 28, o_char
using KsNull_uchar = KsNullable<uint8_t>;      // 29, o_u1b
using KsNull_short = KsNullable<int16_t>;      // 30, o_2b
using KsNull_ushort = KsNullable<uint16_t>;    // 31, o_u2b
using KsNull_int = KsNullable<int>;            // 32, int
using KsNull_unsigned = KsNullable<unsigned>;  // 33, unsigned
using KsNull_long = KsNullable<int32_t>;       // 34, o_4b
using KsNull_ulong = KsNullable<uint32_t>;     // 35, o_u4b
using KsNull_float = KsNullable<float>;        // 36, o_float
using KsNull_double = KsNullable<double>;      // 37, o_double
using KsNull_KsInt64 = KsNullable<KsInt64>;    // 38, KsInt64
using KsNull_8b = KsNullable<int64_t>;         // 44, o_8b
using KsNull_u8b = KsNullable<uint64_t>;       // 45, o_u8b

// Memory sizes and flag offsets of the published layout.
static_assert(sizeof(KsNull_char) == 2 && offsetof(KsNull_char, isNull) == 1);
static_assert(sizeof(KsNull_short) == 4 && offsetof(KsNull_short, isNull) == 2);
static_assert(sizeof(KsNull_int) == 8 && offsetof(KsNull_int, isNull) == 4);
static_assert(sizeof(KsNull_float) == 8 && offsetof(KsNull_float, isNull) == 4);
static_assert(sizeof(KsNull_double) == 16 && offsetof(KsNull_double, isNull) == 8);
static_assert(sizeof(KsNull_KsInt64) == 12 && offsetof(KsNull_KsInt64, isNull) == 8);
static_assert(sizeof(KsNull_8b) == 16 && offsetof(KsNull_8b, isNull) == 8);
