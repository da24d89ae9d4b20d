// The member definitions of the date and time slot templates, included by
// the files that instantiate them for their traits.
#pragma once

#include <array>
#include <bit>
#include <cstring>

#include "base/stored_total.h"
#include "ksdate/format/date_format.h"
#include "ksdate/format/odmg_field_access.h"
#include "ksdate/slots/date_slots.h"
#include "ksobjid/element_walk.h"
#include "kstypes/class_generator.h"
#include "kstypes/class_text_records.h"
#include "kstypes/class_translate.h"

namespace ks {

// A value read from untyped memory without running its constructor (which
// for some of these classes reads the clock).
template <class T>
T ValueAt(const unsigned char* bytes) {
  std::array<unsigned char, sizeof(T)> raw;
  std::memcpy(raw.data(), bytes, sizeof(T));
  return std::bit_cast<T>(raw);
}

template <class Traits>
unsigned DateStorageSlots<Traits>::Store(void* dst, const void* src, unsigned char format, unsigned count) {
  auto* out = static_cast<unsigned char*>(dst);
  const auto* in = static_cast<const unsigned char*>(src);
  for (unsigned i = 0; i < count; ++i) {
    dateslots::ConvertFields(Traits::kFields, out + size_t{i} * Traits::kStoredSize,
                             in + size_t{i} * sizeof(typename Traits::Value), format, true);
  }
  return count * Traits::kStoredSize;
}

template <class Traits>
unsigned DateStorageSlots<Traits>::Load(void* dst, const void* src, unsigned char format, unsigned count) {
  auto* out = static_cast<unsigned char*>(dst);
  const auto* in = static_cast<const unsigned char*>(src);
  for (unsigned i = 0; i < count; ++i) {
    dateslots::ConvertFields(Traits::kFields, out + size_t{i} * sizeof(typename Traits::Value),
                             in + size_t{i} * Traits::kStoredSize, format, false);
  }
  return count * Traits::kStoredSize;
}

template <class Traits>
unsigned DateStorageSlots<Traits>::NullSizeGet(unsigned count) {
  return ksbase::FixedStoredTotal(count, Traits::kStoredSize);
}

template <class Traits>
unsigned DateStorageSlots<Traits>::SizeGet(const void*, unsigned char, unsigned char, unsigned count) {
  return ksbase::FixedStoredTotal(count, Traits::kStoredSize);
}

template <class Traits>
unsigned DateStorageSlots<Traits>::SizeGetFromMemFile(MemFile*, unsigned char, unsigned count) {
  return ksbase::FixedStoredTotal(count, Traits::kStoredSize);
}

template <class Traits>
unsigned DateStorageSlots<Traits>::Translate(void* dst, unsigned char dstFormat, unsigned dstLen, void* src,
                                             unsigned char srcFormat, unsigned srcLen, unsigned count) {
  return ClassTranslate<typename Traits::Value, Store, Load>(dst, dstFormat, dstLen, src, srcFormat, srcLen,
                                                             count);
}

namespace dateslots {

// The element walk of Compare, after the leading elements that are the same
// byte for byte in both arrays (all of them but the last at most, so that
// the remaining walk reports its result and status as the whole walk would).
template <class Order>
int CompareElements(size_t size, unsigned len1, void* values1, unsigned len2, void* values2, unsigned count,
                    int& status, Order order) {
  status = 0;
  if (count == 0) return 0;
  const size_t whole1 = (len1 != 0 ? len1 : size_t{count} * size) / size;
  const size_t whole2 = (len2 != 0 ? len2 : size_t{count} * size) / size;
  size_t limit = count;
  if (whole1 < limit) limit = whole1;
  if (whole2 < limit) limit = whole2;
  auto* a = static_cast<unsigned char*>(values1);
  auto* b = static_cast<unsigned char*>(values2);
  const size_t skip = limit > 1 ? EqualPrefix(a, b, size, limit - 1) : 0;
  // A length that is given exceeds the skipped bytes, so it stays a length.
  const size_t skipBytes = skip * size;
  return CompareFixedElements(size, len1 != 0 ? len1 - static_cast<unsigned>(skipBytes) : 0, a + skipBytes,
                              len2 != 0 ? len2 - static_cast<unsigned>(skipBytes) : 0, b + skipBytes,
                              count - static_cast<unsigned>(skip), status, order);
}

}  // namespace dateslots

template <class Traits>
int DateStorageSlots<Traits>::Compare(unsigned char format, unsigned len1, void* values1, unsigned len2,
                                      void* values2, unsigned short cmpOp, unsigned count, int& status) {
  using T = typename Traits::Value;
  if ((format & 15) == 8) {
    return dateslots::CompareElements(sizeof(T), len1, values1, len2, values2, count, status,
                                      [cmpOp](const unsigned char* a, const unsigned char* b) {
                                        return Traits::CompareMemory(ValueAt<T>(a), ValueAt<T>(b), cmpOp);
                                      });
  }
  const bool wildcards = (cmpOp & 0x10) == 0;
  return dateslots::CompareElements(Traits::kStoredSize, len1, values1, len2, values2, count, status,
                                    [format, wildcards](const unsigned char* a, const unsigned char* b) {
                                      return dateslots::CompareStoredFields<Traits::kFields>(a, b, format,
                                                                                             wildcards);
                                    });
}

template <class Traits>
unsigned DateStorageSlots<Traits>::Hash(unsigned char format, unsigned len, void* values, unsigned count,
                                        int& status) {
  using T = typename Traits::Value;
  if ((format & 15) == 8) {
    return HashFixedElements(sizeof(T), len, values, count, status,
                             [](const unsigned char* p) { return Traits::HashMemory(ValueAt<T>(p)); });
  }
  return HashFixedElements(Traits::kStoredSize, len, values, count, status,
                           [format](const unsigned char* p) { return Traits::HashStored(p, format); });
}

template <class Traits>
KsString& DateTextSlots<Traits>::PrintToString(KsString& out, void* values, const char* format, unsigned) {
  return datefmt::PrintValue(out, *static_cast<const typename Traits::Value*>(values),
                             format != nullptr ? format : Traits::kFormat);
}

template <class Traits>
void* DateTextSlots<Traits>::ScanFromString(void* values, KsString& in, const char* format, unsigned) {
  return datefmt::ScanValue(static_cast<typename Traits::Value*>(values), in,
                            format != nullptr ? format : Traits::kFormat);
}

template <class Traits>
KsTypeConvertData* DateTextSlots<Traits>::ConvertToKsString(void* values, unsigned count) {
  return ClassToTexts<typename Traits::Value, Traits::WriteText>(values, count);
}

template <class Traits>
void* DateTextSlots<Traits>::ConvertFromKsString(KsTypeConvertData* record, unsigned count) {
  return ClassFromTexts<typename Traits::Value, Traits::ReadText>(record, count);
}

template <class Traits>
void* DateTextSlots<Traits>::DefaultValue(unsigned count, int asNull) {
  using T = typename Traits::Value;
  if constexpr (Traits::kDefault == DateDefault::Created) {
    return ClassSlots<T>::Create(count);
  } else {
    return ClassDefaultValue<T, ConvertFromKsString, Traits::kDefault == DateDefault::EmptyTextOrNull>(
        count, asNull);
  }
}

template <class Traits>
int DateTextSlots<Traits>::GetValue(void* value, unsigned count, unsigned char format, unsigned char op) {
  return ClassGetValue<typename Traits::Value, Traits::Start, Traits::Next, Traits::Now>(value, count, format,
                                                                                         op);
}

}  // namespace ks
