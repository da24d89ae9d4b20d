// Values read from and written to untyped memory. Arrays of values and
// stored records place values at any byte offset, so every access goes
// through memcpy, never through a pointer cast.
#pragma once

#include <cstring>

namespace ks {

template <class T>
inline T ReadRaw(const void* bytes) {
  T value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

template <class T>
inline void WriteRaw(void* bytes, T value) {
  std::memcpy(bytes, &value, sizeof value);
}

}  // namespace ks
