// Value layouts of the fixed-size primitive types, as the comparison and hash
// functions see them: how one element is read from memory or from a stored
// form, how two elements order, and which 32-bit image an element hashes to.
//
// Every layout provides
//   Value                       the in-memory element type
//   StoredSize(format)          bytes of one element in a stored form
//   FromStored(bytes, format)   one element converted from a stored form
//   Order(a, b)                 -1, 0 or 1
//   Image(v)                    the 32-bit hash image
// and may say
//   kImageIsLowWord             the image is the low 32 bits of the value's
//                               memory bytes
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "base/byteorder.h"
#include "kstypes/raw_value.h"

namespace ks::layout {

// One word of a stored form, converted as the base services' store
// functions convert it (LongStoreOne, O_8BStoreOne, IntLoad, FloatStore,
// DoubleStore); inlined here because comparisons of stored keys convert
// every element.
template <class T>
inline T LoadStoredWord(const unsigned char* bytes, unsigned char format) {
  using Word =
      std::conditional_t<sizeof(T) == 2, uint16_t, std::conditional_t<sizeof(T) == 4, uint32_t, uint64_t>>;
  Word word = ReadRaw<Word>(bytes);
  if (ksbase::FormatNeedsByteSwap(format)) word = ksbase::ByteSwap(word);
  T value;
  std::memcpy(&value, &word, sizeof value);
  return value;
}

template <class T>
constexpr int ThreeWay(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

// Plain integers of one, two, four or eight bytes.
template <class T>
struct IntegerOrder {
  using Value = T;
  static int Order(T a, T b) { return ThreeWay(a, b); }
  static bool Equal(T a, T b) { return a == b; }
  // Equal values have equal bytes in memory and the other way round.
  static constexpr bool kBitwiseEqual = true;
};

struct Char : IntegerOrder<int8_t> {
  static unsigned StoredSize(unsigned char) { return 1; }
  static Value FromStored(const unsigned char* p, unsigned char) { return static_cast<int8_t>(p[0]); }
  static uint32_t Image(Value v) { return static_cast<uint32_t>(static_cast<int32_t>(v)); }
};

struct Byte : IntegerOrder<uint8_t> {
  static unsigned StoredSize(unsigned char) { return 1; }
  static Value FromStored(const unsigned char* p, unsigned char) { return p[0]; }
  static uint32_t Image(Value v) { return v; }
};

// Two-byte values read their stored bytes directly: big-endian for format 2,
// little-endian otherwise.
template <class T>
struct TwoByte : IntegerOrder<T> {
  static unsigned StoredSize(unsigned char) { return 2; }
  static T FromStored(const unsigned char* p, unsigned char format) {
    const uint16_t bits = ksbase::FormatIsBigEndian(format) ? static_cast<uint16_t>(p[0] << 8 | p[1])
                                                            : static_cast<uint16_t>(p[1] << 8 | p[0]);
    return static_cast<T>(bits);
  }
  static uint32_t Image(T v) { return static_cast<uint32_t>(static_cast<int32_t>(v)); }
};
using Short = TwoByte<int16_t>;
using Word = TwoByte<uint16_t>;

template <class T>
struct FourByte : IntegerOrder<T> {
  static unsigned StoredSize(unsigned char) { return 4; }
  static T FromStored(const unsigned char* p, unsigned char format) { return LoadStoredWord<T>(p, format); }
  static uint32_t Image(T v) { return static_cast<uint32_t>(v); }
  static constexpr bool kImageIsLowWord = true;
};
using Long = FourByte<int32_t>;
using Dword = FourByte<uint32_t>;

// int and unsigned have a stored form of their own (IntStore/IntLoad).
template <class T>
struct NativeInt : IntegerOrder<T> {
  static unsigned StoredSize(unsigned char) { return 4; }
  static T FromStored(const unsigned char* p, unsigned char format) { return LoadStoredWord<T>(p, format); }
  static uint32_t Image(T v) { return static_cast<uint32_t>(v); }
  static constexpr bool kImageIsLowWord = true;
};
using Int = NativeInt<int>;
using Unsigned = NativeInt<unsigned>;

// Eight-byte integers hash by their low 32 bits only.
template <class T>
struct EightByte : IntegerOrder<T> {
  static unsigned StoredSize(unsigned char) { return 8; }
  static T FromStored(const unsigned char* p, unsigned char format) { return LoadStoredWord<T>(p, format); }
  static uint32_t Image(T v) { return static_cast<uint32_t>(static_cast<uint64_t>(v)); }
  static constexpr bool kImageIsLowWord = true;
};
using O_8B = EightByte<int64_t>;
using O_U8B = EightByte<uint64_t>;

// Floating point: NaN sorts first, then -infinity, the finite numbers (with
// -0.0 equal to 0.0), and +infinity; two NaNs are equal.
template <class T>
struct FloatingOrder {
  using Value = T;
  static int Class(T v) {
    if (std::isnan(v)) return -2;
    if (std::isinf(v)) return v < 0 ? -1 : 1;
    return 0;
  }
  static int Order(T a, T b) {
    const int ca = Class(a), cb = Class(b);
    if (ca != 0 || cb != 0) return ThreeWay(ca, cb);
    return ThreeWay(a, b);
  }
};

struct Float : FloatingOrder<float> {
  static unsigned StoredSize(unsigned char) { return 4; }
  static float FromStored(const unsigned char* p, unsigned char format) {
    return LoadStoredWord<float>(p, format);
  }
  static uint32_t Image(float v) { return ReadRaw<uint32_t>(&v); }
  static constexpr bool kImageIsLowWord = true;
};

struct Double : FloatingOrder<double> {
  static unsigned StoredSize(unsigned char) { return 8; }
  static double FromStored(const unsigned char* p, unsigned char format) {
    return LoadStoredWord<double>(p, format);
  }
  static uint32_t Image(double v) {
    const uint64_t bits = ReadRaw<uint64_t>(&v);
    return static_cast<uint32_t>(bits) ^ static_cast<uint32_t>(bits >> 32);
  }
};

// KsInt64: a low word (unsigned) then a high word (signed), in memory as in
// the stored form, where each word is converted on its own.
struct Int64 {
  struct Value {
    uint32_t low;
    int32_t high;
  };
  static unsigned StoredSize(unsigned char) { return 8; }
  static Value FromStored(const unsigned char* p, unsigned char format) {
    return {LoadStoredWord<uint32_t>(p, format), LoadStoredWord<int32_t>(p + 4, format)};
  }
  static int Order(Value a, Value b) {
    if (a.high != b.high) return ThreeWay(a.high, b.high);
    return ThreeWay(a.low, b.low);
  }
  static uint32_t Image(Value v) { return v.low ^ static_cast<uint32_t>(v.high); }
};

// KsBoolean: one byte, 0 false, non-zero true, 255 null; null sorts first.
struct Boolean {
  using Value = uint8_t;
  static constexpr uint8_t kNull = 255;
  static unsigned StoredSize(unsigned char) { return 1; }
  static Value FromStored(const unsigned char* p, unsigned char) { return p[0]; }
  static int Order(Value a, Value b) {
    const bool aNull = a == kNull, bNull = b == kNull;
    if (aNull || bNull) return ThreeWay(!aNull, !bNull);
    return ThreeWay(a != 0, b != 0);
  }
  static uint32_t Image(Value v) {
    return static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(v)));
  }
};

// Whether two elements order equal; integers say it with one comparison.
template <class Layout>
inline bool Equal(typename Layout::Value a, typename Layout::Value b) {
  if constexpr (requires { Layout::Equal(a, b); }) {
    return Layout::Equal(a, b);
  } else {
    return Layout::Order(a, b) == 0;
  }
}

// Whether memory-form elements are equal exactly when their bytes are.
template <class Layout>
constexpr bool BitwiseEqual() {
  if constexpr (requires { Layout::kBitwiseEqual; }) {
    return Layout::kBitwiseEqual;
  } else {
    return false;
  }
}

}  // namespace ks::layout
