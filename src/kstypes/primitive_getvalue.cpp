#include "primitive_getvalue.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "ksslots.h"
#include "kstypes/raw_value.h"

namespace ks {
namespace {

constexpr unsigned char kMemoryForm = 8;
constexpr unsigned char kOpStart = 2;
constexpr unsigned char kOpNow = 'O';
constexpr unsigned char kOpNext = 'M';
constexpr unsigned char kOpNextOther = 'N';


template <class T>
T StartValue() {
  if constexpr (std::is_floating_point_v<T>) {
    return -std::numeric_limits<T>::quiet_NaN();
  } else {
    return std::numeric_limits<T>::min();
  }
}

template <class T>
T Successor(T x) {
  if constexpr (std::is_floating_point_v<T>) {
    using Limits = std::numeric_limits<T>;
    if (std::isnan(x) || std::isinf(x)) return Limits::lowest();
    if (x >= 0 && x < Limits::min()) return Limits::min();
    if (x < 0 && x >= -Limits::min()) return 0;
    if (x == Limits::max()) return x;
    return std::nextafter(x, Limits::infinity());
  } else {
    // Wraps at the maximum; the caller sees that the result is not greater.
    using Unsigned = std::make_unsigned_t<T>;
    return static_cast<T>(static_cast<Unsigned>(static_cast<Unsigned>(x) + 1u));
  }
}

template <class T>
int GenerateValue(void* value, unsigned char format, unsigned char op) {
  if (format != kMemoryForm) return KS_NOT_SUPPORTED;
  switch (op) {
    case kOpStart:
      WriteRaw(value, StartValue<T>());
      return 0;
    case kOpNow:
      return std::is_floating_point_v<T> ? KS_NOT_SUPPORTED : 0;
    case kOpNext:
    case kOpNextOther: {
      const T old = ReadRaw<T>(value);
      const T next = Successor(old);
      if (!(next > old)) return KS_NO_GREATER_VALUE;
      WriteRaw(value, next);
      return 0;
    }
    default:
      return KS_NOT_SUPPORTED;
  }
}

}  // namespace

float FloatSuccessor(float x) { return Successor(x); }
double DoubleSuccessor(double x) { return Successor(x); }

#define KS_DEFINE_GETVALUE(name, type)                                   \
  int name(void* value, unsigned, unsigned char format, unsigned char op) { \
    return GenerateValue<type>(value, format, op);                        \
  }

KS_DEFINE_GETVALUE(CharGetValue, int8_t)
KS_DEFINE_GETVALUE(ByteGetValue, uint8_t)
KS_DEFINE_GETVALUE(ShortGetValue, int16_t)
KS_DEFINE_GETVALUE(WordGetValue, uint16_t)
KS_DEFINE_GETVALUE(LongGetValue, int32_t)
KS_DEFINE_GETVALUE(DwordGetValue, uint32_t)
KS_DEFINE_GETVALUE(O_8BGetValue, int64_t)
KS_DEFINE_GETVALUE(O_U8BGetValue, uint64_t)
KS_DEFINE_GETVALUE(FloatGetValue, float)
KS_DEFINE_GETVALUE(DoubleGetValue, double)

int NoGetValue(void*, unsigned, unsigned char, unsigned char) { return KS_NOT_SUPPORTED; }

}  // namespace ks
