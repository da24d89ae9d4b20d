// GetValue slot of the class types that generate values: a starting value
// (op 2), the current date or time for op 'O' (other values are left as they
// are), and the successor ('M', 'N'), which is refused with 2091 when it
// would not be greater.
#pragma once

#include "ksslots.h"

namespace ks {

// The starting value of the classes that start from their default value.
template <class T>
void StartAtZero(T& value) {
  value = T();
}

// `start` sets the starting value; `next` replaces the value by its
// successor and returns false, leaving the value, when there is none; `now`,
// when given, sets the current date or time.
template <class T, void (*start)(T& value), bool (*next)(T& value), void (*now)(T& value) = nullptr>
int ClassGetValue(void* value, unsigned, unsigned char format, unsigned char op) {
  if (format != 8) return KS_NOT_SUPPORTED;
  T& typed = *static_cast<T*>(value);
  switch (op) {
    case 2:
      start(typed);
      return 0;
    case 'O':
      if constexpr (now != nullptr) now(typed);
      return 0;
    case 'M':
    case 'N':
      return next(typed) ? 0 : KS_NO_GREATER_VALUE;
    default:
      return KS_NOT_SUPPORTED;
  }
}

}  // namespace ks
