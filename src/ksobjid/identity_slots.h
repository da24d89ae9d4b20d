// Type slots of the identity values: KsObjId (15), KsClassId (16) and
// KsRef (17). What the identity types share with the other classes comes
// from the class row skeleton (class_rows.h).
//
// Stored forms, all fields little-endian unless format & 15 is 2 (then each
// field most significant byte first, in the same order):
//   KsClassId  4 bytes: C (2), V (2)
//   KsObjId   10 bytes: B (4), L (4), H (2)
//   KsRef     14 bytes: B (4), L (4), H (2), D (2), C (2); V is not stored
//                       and loads as 0
#pragma once

#include "ksobjid.h"
#include "ksslots.h"
#include "kstypes/class_rows.h"
#include "kstypes/primitive_getvalue.h"
#include "kstypes/typedesc.h"

namespace ks {

constexpr unsigned kObjIdStoredSize = 10;
constexpr unsigned kClassIdStoredSize = 4;
constexpr unsigned kRefStoredSize = 14;

// Stored form of count values; returns count times the stored size.
template <class T>
unsigned IdentityStore(void* dst, const void* src, unsigned char format, unsigned count);
template <class T>
unsigned IdentityLoad(void* dst, const void* src, unsigned char format, unsigned count);

// The functions of each identity type that are its own: order, hash and
// text.
template <class T>
struct IdentityFunctions;

#define KS_DECLARE_IDENTITY_SLOTS(T, Prefix, kSize)                                                     \
  int Prefix##Compare(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2, \
                      unsigned short cmpOp, unsigned count, int& status);                               \
  unsigned Prefix##Hash(unsigned char format, unsigned len, void* values, unsigned count, int& status); \
  KsString& Prefix##PrintToString(KsString& out, void* values, const char* format, unsigned count);     \
  void* Prefix##ScanFromString(void* values, KsString& in, const char* format, unsigned count);         \
  template <>                                                                                           \
  struct IdentityFunctions<T> {                                                                         \
    static constexpr unsigned kStoredSize = kSize;                                                      \
    static constexpr KsTypeCmpFunc compare = Prefix##Compare;                                           \
    static constexpr KsHashFunc hash = Prefix##Hash;                                                    \
    static constexpr KsPrintToKsStringFunc print = Prefix##PrintToString;                               \
    static constexpr KsScanFromKsStringFunc scan = Prefix##ScanFromString;                              \
  };

KS_DECLARE_IDENTITY_SLOTS(KsObjId, ObjId, kObjIdStoredSize)
KS_DECLARE_IDENTITY_SLOTS(KsClassId, ClassId, kClassIdStoredSize)
KS_DECLARE_IDENTITY_SLOTS(KsRef, Ref, kRefStoredSize)
#undef KS_DECLARE_IDENTITY_SLOTS

// One value's text record under the type's default format; a null value is
// the null string, and a missing text the null value.
template <class T>
void IdentityRecordText(const T& value, KsString& text);
template <class T>
void IdentityRecordValue(T& value, const KsString* text);

// The next object number; none after the highest.
template <class T>
bool NextObjectNumber(T& value);

// The type-table rows: the slots of each type set on the table's row.
// Object ids and references generate values from identity 0 by the next
// object number; class ids generate none.
template <class T>
constexpr KsTypeDescriptor IdentityRow(KsTypeDescriptor d, KsGetValueFunc getValue) {
  using F = IdentityFunctions<T>;
  SetFixedClassStorage<T, F::kStoredSize, IdentityStore<T>, IdentityLoad<T>>(d);
  SetClassNullSlots<T>(d);
  SetClassTextRecords<T, IdentityRecordText<T>, IdentityRecordValue<T>, true>(d);
  d.compare = F::compare;
  d.hash = F::hash;
  d.printToString = F::print;
  d.scanFromString = F::scan;
  d.getValue = getValue;
  return d;
}

template <class T>
constexpr KsGetValueFunc kObjectNumberGenerator = ClassGetValue<T, StartAtZero<T>, NextObjectNumber<T>>;

constexpr KsTypeDescriptor ObjIdRow(KsTypeDescriptor d) {
  return IdentityRow<KsObjId>(d, kObjectNumberGenerator<KsObjId>);
}
constexpr KsTypeDescriptor ClassIdRow(KsTypeDescriptor d) {
  return IdentityRow<KsClassId>(d, NoGetValue);
}
constexpr KsTypeDescriptor RefRow(KsTypeDescriptor d) {
  return IdentityRow<KsRef>(d, kObjectNumberGenerator<KsRef>);
}

}  // namespace ks
