// Type slots of the identity values: KsObjId (15), KsClassId (16) and
// KsRef (17). The memory slots come from the classes (ClassSlots).
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
#include "kstypes/class_slots.h"
#include "kstypes/primitive_getvalue.h"
#include "kstypes/typedesc.h"

namespace ks {

constexpr unsigned kObjIdStoredSize = 10;
constexpr unsigned kClassIdStoredSize = 4;
constexpr unsigned kRefStoredSize = 14;

#define KS_DECLARE_IDENTITY_SLOTS(Prefix)                                                               \
  unsigned Prefix##Store(void* dst, const void* src, unsigned char format, unsigned count);             \
  unsigned Prefix##Load(void* dst, const void* src, unsigned char format, unsigned count);              \
  unsigned Prefix##NullSizeGet(unsigned count);                                                         \
  unsigned Prefix##SizeGet(const void* value, unsigned char srcFormat, unsigned char format,            \
                           unsigned count);                                                             \
  unsigned Prefix##SizeGetFromMemFile(MemFile* file, unsigned char format, unsigned count);             \
  unsigned Prefix##Translate(void* dst, unsigned char dstFormat, unsigned dstLen, void* src,            \
                             unsigned char srcFormat, unsigned srcLen, unsigned count);                 \
  int Prefix##Compare(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2, \
                      unsigned short cmpOp, unsigned count, int& status);                               \
  unsigned Prefix##Hash(unsigned char format, unsigned len, void* values, unsigned count, int& status); \
  KsString& Prefix##PrintToString(KsString& out, void* values, const char* format, unsigned count);     \
  void* Prefix##ScanFromString(void* values, KsString& in, const char* format, unsigned count);         \
  KsTypeConvertData* Prefix##ConvertToKsString(void* values, unsigned count);                           \
  void* Prefix##ConvertFromKsString(KsTypeConvertData* record, unsigned count);                         \
  void* Prefix##DefaultValue(unsigned count, int asNull);

KS_DECLARE_IDENTITY_SLOTS(ObjId)
KS_DECLARE_IDENTITY_SLOTS(ClassId)
KS_DECLARE_IDENTITY_SLOTS(Ref)
#undef KS_DECLARE_IDENTITY_SLOTS

// Value generators: identity 0 to start, the object number + 1 as successor.
int ObjIdGetValue(void* value, unsigned count, unsigned char format, unsigned char op);
int RefGetValue(void* value, unsigned count, unsigned char format, unsigned char op);

// The type-table rows: the slots of each type set on the table's row.
template <class T>
constexpr void SetIdentityMemorySlots(KsTypeDescriptor& d) {
  using Slots = ClassSlots<T>;
  SetClassMemorySlots<T>(d);
  d.isNull = Slots::IsNull;
  d.setNull = Slots::SetNull;
}

#define KS_SET_IDENTITY_SLOTS(d, Prefix)               \
  d.store = Prefix##Store;                             \
  d.load = Prefix##Load;                               \
  d.nullSizeGet = Prefix##NullSizeGet;                 \
  d.sizeGet = Prefix##SizeGet;                         \
  d.sizeGetFromMemFile = Prefix##SizeGetFromMemFile;   \
  d.compare = Prefix##Compare;                         \
  d.hash = Prefix##Hash;                               \
  d.convertToKsString = Prefix##ConvertToKsString;     \
  d.convertFromKsString = Prefix##ConvertFromKsString; \
  d.translate = Prefix##Translate;                     \
  d.printToString = Prefix##PrintToString;             \
  d.scanFromString = Prefix##ScanFromString;           \
  d.defaultValue = Prefix##DefaultValue

constexpr KsTypeDescriptor ObjIdRow(KsTypeDescriptor d) {
  SetIdentityMemorySlots<KsObjId>(d);
  KS_SET_IDENTITY_SLOTS(d, ObjId);
  d.getValue = ObjIdGetValue;
  return d;
}

constexpr KsTypeDescriptor ClassIdRow(KsTypeDescriptor d) {
  SetIdentityMemorySlots<KsClassId>(d);
  KS_SET_IDENTITY_SLOTS(d, ClassId);
  d.getValue = NoGetValue;
  return d;
}

constexpr KsTypeDescriptor RefRow(KsTypeDescriptor d) {
  SetIdentityMemorySlots<KsRef>(d);
  KS_SET_IDENTITY_SLOTS(d, Ref);
  d.getValue = RefGetValue;
  return d;
}

#undef KS_SET_IDENTITY_SLOTS

}  // namespace ks
