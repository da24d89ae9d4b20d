// Memory slots of the class types: arrays made on the process heap and
// elements constructed, destroyed, copied and assigned in place through the
// class's own constructors and operators.
#pragma once

#include <cstdlib>
#include <cstring>
#include <new>

#include "basesvc.h"

namespace ks {

template <class T>
struct ClassSlots {
  // The element count is kept in front of the array, so that Delete destroys
  // exactly what Create made whatever count its caller passes.
  static constexpr size_t kHeader = alignof(T) > sizeof(size_t) ? alignof(T) : 2 * sizeof(size_t);

  static void* Create(unsigned count) {
    const size_t n = count ? count : 1;
    const size_t bytes = kHeader + n * sizeof(T);
    auto* block = static_cast<unsigned char*>(std::malloc(bytes));
    if (block == nullptr) {
      KsCallMemoryHandler(static_cast<unsigned>(bytes));
      return nullptr;
    }
    std::memcpy(block, &n, sizeof n);
    T* values = reinterpret_cast<T*>(block + kHeader);
    for (size_t i = 0; i < n; ++i) new (values + i) T();
    return values;
  }

  static void* Delete(void* values, unsigned) {
    if (values == nullptr) return nullptr;
    unsigned char* block = static_cast<unsigned char*>(values) - kHeader;
    size_t n;
    std::memcpy(&n, block, sizeof n);
    T* typed = static_cast<T*>(values);
    for (size_t i = 0; i < n; ++i) typed[i].~T();
    std::free(block);
    return nullptr;
  }

  static void Constructor(void* memory, unsigned count, unsigned) {
    T* values = static_cast<T*>(memory);
    for (unsigned i = 0; i < count; ++i) new (values + i) T();
  }

  static void Destructor(void* memory, unsigned count, unsigned) {
    T* values = static_cast<T*>(memory);
    for (unsigned i = 0; i < count; ++i) values[i].~T();
  }

  static void Assignment(void* dst, void* src, unsigned count, int broadcast) {
    T* to = static_cast<T*>(dst);
    const T* from = static_cast<const T*>(src);
    for (unsigned i = 0; i < count; ++i) to[i] = broadcast ? from[0] : from[i];
  }

  // Copy construction into raw memory.
  static void Copy(void* dst, void* src, unsigned count, int broadcast) {
    T* to = static_cast<T*>(dst);
    const T* from = static_cast<const T*>(src);
    for (unsigned i = 0; i < count; ++i) new (to + i) T(broadcast ? from[0] : from[i]);
  }

  static int IsNull(void* value) { return static_cast<T*>(value)->IsNullValue(); }
  static int SetNull(void* value) { return static_cast<T*>(value)->SetNullValue(); }
};

// Points a type-table row's memory slots (Create, Delete, Constructor,
// Destructor, Assignment, Copy) at ClassSlots<T>.
template <class T, class Descriptor>
constexpr void SetClassMemorySlots(Descriptor& d) {
  using Slots = ClassSlots<T>;
  d.create = Slots::Create;
  d.destroy = Slots::Delete;
  d.constructor = Slots::Constructor;
  d.destructor = Slots::Destructor;
  d.assignment = Slots::Assignment;
  d.copy = Slots::Copy;
}

}  // namespace ks
