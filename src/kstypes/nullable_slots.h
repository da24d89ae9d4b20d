// Type slots of the nullable primitive types (ids 28 to 38, 44 and 45).
//
// One family written over the base type: each slot delegates the number to
// the base type's stored form, order, hash, text and generator, and handles
// the flag byte itself. The bases are described in nullable_bases.h.
//
// Stored form of one element: the base type's stored value and a flag byte
// (1 null, 0 not null), packed, base stored size + 1 bytes. The flag byte
// comes first unless the format has bit 8; then it follows the value. Only
// comparison and hashing with format & 15 of 8 read the padded memory
// elements; Store with format 8 writes the packed form like any other.
#pragma once

#include "ksslots.h"
#include "kstypes/class_rows.h"
#include "kstypes/typedesc.h"
#include "kstypevl/nullable_evaluators.h"

namespace ks {

template <class Base>
struct NullableSlots {
  // Every element null (value 0, flag 1).
  static void* Create(unsigned count);
  static void* Delete(void* values, unsigned count);
  static void Constructor(void* memory, unsigned count, unsigned);
  static void Destructor(void*, unsigned, unsigned) {}
  // Whole elements, value and flag; with broadcast the element at src into
  // each of the count elements.
  static void Assign(void* dst, void* src, unsigned count, int broadcast);

  static unsigned Store(void* dst, const void* src, unsigned char format, unsigned count);
  // A flag byte of exactly 1 is null (value 0 whatever the stored value
  // says); any other flag byte keeps the value read, not null.
  // REQUIRES: src holds count stored elements.
  static unsigned Load(void* dst, const void* src, unsigned char format, unsigned count);
  static unsigned Translate(void* dst, unsigned char dstFormat, unsigned dstLen, void* src,
                            unsigned char srcFormat, unsigned srcLen, unsigned count);

  static int Compare(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2,
                     unsigned short cmpOp, unsigned count, int& status);
  static unsigned Hash(unsigned char format, unsigned len, void* values, unsigned count, int& status);

  // The flag byte; SetNull makes value 0 and flag 1.
  static int IsNull(void* value);
  static int SetNull(void* value);

  // A null element is the null string, and a null or missing string a null
  // element; every other text travels through the base type's conversion.
  static KsTypeConvertData* ToTexts(void* values, unsigned count);
  static void* FromTexts(KsTypeConvertData* record, unsigned count);
  // A null element prints the null print string; an empty text or one that
  // begins with the null print string scans as null.
  static KsString& Print(KsString& out, void* values, const char* format, unsigned count);
  static void* Scan(void* values, KsString& in, const char* format, unsigned count);
  static void* DefaultValue(unsigned count, int asNull);
  // Memory form and 'M' or 'N' only: a null element becomes the base
  // type's starting value, a number its successor.
  static int GetValue(void* value, unsigned count, unsigned char format, unsigned char op);
};

// The type-table row of the nullable type over Base, with its index range
// evaluator (kstypevl/nullable_evaluators.h). Stored sizes are the base
// type's stored size of count values + count, for any format.
template <class Base>
constexpr KsTypeDescriptor NullableRow(KsTypeDescriptor d) {
  using Slots = NullableSlots<Base>;
  d.create = Slots::Create;
  d.destroy = Slots::Delete;
  d.store = Slots::Store;
  d.load = Slots::Load;
  SetFixedStoredSizes<Base::kStoredElementSize>(d);
  d.compare = Slots::Compare;
  d.evalAndBound = NullableEvalAndBound<Base>;
  d.hash = Slots::Hash;
  d.convertToKsString = Slots::ToTexts;
  d.convertFromKsString = Slots::FromTexts;
  d.constructor = Slots::Constructor;
  d.destructor = Slots::Destructor;
  d.assignment = Slots::Assign;
  d.copy = Slots::Assign;
  d.translate = Slots::Translate;
  d.isNull = Slots::IsNull;
  d.setNull = Slots::SetNull;
  d.printToString = Slots::Print;
  d.scanFromString = Slots::Scan;
  d.defaultValue = Slots::DefaultValue;
  d.getValue = Slots::GetValue;
  return d;
}

}  // namespace ks
