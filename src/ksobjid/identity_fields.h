// Reading and writing the fields of a stored identity: each field in the
// byte order of the format (big-endian for 2, little-endian otherwise),
// through the base services' single-value conversions.
#pragma once

#include <cstdint>

#include "basesvc.h"

namespace ks {

inline unsigned char IdentityByteOrder(unsigned char format) {
  return (format & 15) == 2 ? 2 : 1;
}

inline void PutField(unsigned char* p, uint32_t value, unsigned char order) {
  LongStoreOne(p, &value, order);
}
inline void PutField(unsigned char* p, uint16_t value, unsigned char order) {
  ShortStoreOne(p, &value, order);
}

inline uint32_t Field32(const unsigned char* p, unsigned char order) {
  uint32_t value;
  LongStoreOne(&value, p, order);
  return value;
}
inline uint16_t Field16(const unsigned char* p, unsigned char order) {
  uint16_t value;
  ShortStoreOne(&value, p, order);
  return value;
}

}  // namespace ks
