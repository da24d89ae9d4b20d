// The stored forms of the date and time types as lists of fields: one list
// per type says where each field stands in memory and in the stored record,
// how wide it is and how it orders. Storing, loading and the stored
// comparison all walk that list, so the nine types share one routine each.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

#include "basesvc.h"
#include "kstypcmp/layouts.h"

namespace ks::dateslots {

enum class FieldKind : uint8_t {
  Int8,    // one signed byte
  Int16,   // 16 bits in the format's byte order, signed order
  Word16,  // 16 bits in the format's byte order, unsigned order
  Int32,   // 32 bits in the format's byte order, signed order
};

struct StoredField {
  uint8_t memoryOffset;
  uint8_t storedOffset;
  FieldKind kind;
  // Whether all bits set in the second operand's field match anything.
  bool wildcard;
};

// count one-byte fields from the given offsets on.
template <size_t N>
constexpr std::array<StoredField, N> ByteFields(uint8_t memoryOffset, uint8_t storedOffset, bool wildcard) {
  std::array<StoredField, N> fields{};
  for (size_t i = 0; i < N; ++i) {
    fields[i] = {static_cast<uint8_t>(memoryOffset + i), static_cast<uint8_t>(storedOffset + i),
                 FieldKind::Int8, wildcard};
  }
  return fields;
}

// a's fields followed by b's.
template <size_t A, size_t B>
constexpr std::array<StoredField, A + B> Join(const std::array<StoredField, A>& a,
                                              const std::array<StoredField, B>& b) {
  std::array<StoredField, A + B> fields{};
  for (size_t i = 0; i < A; ++i) fields[i] = a[i];
  for (size_t i = 0; i < B; ++i) fields[A + i] = b[i];
  return fields;
}

// Memory form to stored form (and back: each conversion is its own inverse).
template <size_t N>
inline void ConvertFields(const std::array<StoredField, N>& fields, unsigned char* to,
                          const unsigned char* from, unsigned char format, bool toStored) {
  for (const StoredField& f : fields) {
    unsigned char* out = to + (toStored ? f.storedOffset : f.memoryOffset);
    const unsigned char* in = from + (toStored ? f.memoryOffset : f.storedOffset);
    switch (f.kind) {
      case FieldKind::Int8:
        *out = *in;
        break;
      case FieldKind::Int16:
      case FieldKind::Word16:
        ShortStoreOne(out, in, format);
        break;
      case FieldKind::Int32:
        LongStoreOne(out, in, format);
        break;
    }
  }
}

// A field of a stored record as a number in its order, and whether all its
// bits are set.
struct FieldValue {
  long long number;
  bool allBitsSet;
};

inline FieldValue ReadField(const StoredField& f, const unsigned char* record, unsigned char format) {
  const unsigned char* p = record + f.storedOffset;
  switch (f.kind) {
    case FieldKind::Int8: {
      const int8_t v = static_cast<int8_t>(*p);
      return {v, v == -1};
    }
    case FieldKind::Int16: {
      const int16_t v = layout::Short::FromStored(p, format);
      return {v, v == -1};
    }
    case FieldKind::Word16: {
      const uint16_t v = layout::Word::FromStored(p, format);
      return {v, v == 0xFFFF};
    }
    case FieldKind::Int32: {
      const int32_t v = layout::Long::FromStored(p, format);
      return {v, v == -1};
    }
  }
  return {0, false};
}

// -1, 0 or 1 for one field. With wildcards on, a wildcard field of b that
// has all bits set matches anything: the wildcard sits in the second operand
// only.
template <StoredField kField>
inline int CompareStoredField(const unsigned char* a, const unsigned char* b, unsigned char format,
                              bool wildcards) {
  const FieldValue y = ReadField(kField, b, format);
  if (kField.wildcard && wildcards && y.allBitsSet) return 0;
  const FieldValue x = ReadField(kField, a, format);
  return x.number == y.number ? 0 : (x.number < y.number ? -1 : 1);
}

template <auto kFields, size_t... kIndex>
inline int CompareStoredFieldsIn(const unsigned char* a, const unsigned char* b, unsigned char format,
                                 bool wildcards, std::index_sequence<kIndex...>) {
  int result = 0;
  static_cast<void>((((result = CompareStoredField<kFields[kIndex]>(a, b, format, wildcards)) != 0) || ...));
  return result;
}

// -1 or 1 at the first field that differs, 0 when none does. The field list
// is a template argument, so that each type's order compiles to straight
// code without a walk over the list.
template <auto kFields>
inline int CompareStoredFields(const unsigned char* a, const unsigned char* b, unsigned char format,
                               bool wildcards) {
  return CompareStoredFieldsIn<kFields>(a, b, format, wildcards, std::make_index_sequence<kFields.size()>());
}

// The number of leading elements that are byte for byte the same in both
// arrays, at most `limit`. Such elements compare equal under every order of
// these types, so the walk can start after them.
inline size_t EqualPrefix(const unsigned char* a, const unsigned char* b, size_t size, size_t limit) {
  constexpr size_t kBlock = 512;  // elements per memcmp
  size_t done = 0;
  while (done < limit) {
    const size_t n = limit - done < kBlock ? limit - done : kBlock;
    if (std::memcmp(a + done * size, b + done * size, n * size) != 0) {
      while (std::memcmp(a + done * size, b + done * size, size) == 0) ++done;
      return done;
    }
    done += n;
  }
  return done;
}

}  // namespace ks::dateslots
