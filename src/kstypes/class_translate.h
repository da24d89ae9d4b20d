// Translate slot of the class types: the common pattern of the fixed-size
// types, with the class's own store and load functions and element
// assignment between two memory forms.
#pragma once

#include <cstring>

#include "class_slots.h"
#include "ksslots.h"

namespace ks {

// Between two stored forms the bytes travel as they are: cut to dstLen, or
// copied and zero-padded to dstLen. Returns the bytes copied.
inline unsigned CopyStoredBytes(void* dst, unsigned dstLen, const void* src, unsigned srcLen) {
  if (srcLen > dstLen) {
    std::memmove(dst, src, dstLen);
    return dstLen;
  }
  std::memmove(dst, src, srcLen);
  std::memset(static_cast<unsigned char*>(dst) + srcLen, 0, dstLen - srcLen);
  return srcLen;
}

template <class T, KsStoreFunc store, KsLoadFunc load>
unsigned ClassTranslate(void* dst, unsigned char dstFormat, unsigned dstLen, void* src,
                        unsigned char srcFormat, unsigned srcLen, unsigned count) {
  const bool dstInMemory = (dstFormat & 8) != 0;
  const bool srcInMemory = (srcFormat & 8) != 0;
  if (dstInMemory && srcInMemory) {
    ClassSlots<T>::Assignment(dst, src, count, 0);
    return static_cast<unsigned>(count * sizeof(T));
  }
  if (dstInMemory) return load(dst, src, srcFormat, count);
  if (srcInMemory) return store(dst, src, dstFormat & 15, count);
  return CopyStoredBytes(dst, dstLen, src, srcLen);
}

}  // namespace ks
