// Stored forms of the identity values: store and load.
#include "basesvc.h"
#include "ksobjid/identity_fields.h"
#include "ksobjid/identity_slots.h"

namespace ks {
namespace {

// Each type's stored fields, in stored order.
template <class T>
struct StoredForm;

template <>
struct StoredForm<KsObjId> {
  using Value = KsObjId;
  static constexpr unsigned kSize = kObjIdStoredSize;
  static void Write(unsigned char* p, const KsObjId& v, unsigned char order) {
    PutField(p, v.blockNumber, order);
    PutField(p + 4, v.objectLow, order);
    PutField(p + 8, v.objectHigh, order);
  }
  static void Read(KsObjId& v, const unsigned char* p, unsigned char order) {
    v.blockNumber = Field32(p, order);
    v.objectLow = Field32(p + 4, order);
    v.objectHigh = Field16(p + 8, order);
  }
};

template <>
struct StoredForm<KsClassId> {
  using Value = KsClassId;
  static constexpr unsigned kSize = kClassIdStoredSize;
  static void Write(unsigned char* p, const KsClassId& v, unsigned char order) {
    PutField(p, v.classNumber, order);
    PutField(p + 2, v.classVersion, order);
  }
  static void Read(KsClassId& v, const unsigned char* p, unsigned char order) {
    v.classNumber = Field16(p, order);
    v.classVersion = Field16(p + 2, order);
  }
};

template <>
struct StoredForm<KsRef> {
  using Value = KsRef;
  static constexpr unsigned kSize = kRefStoredSize;
  static void Write(unsigned char* p, const KsRef& v, unsigned char order) {
    PutField(p, v.blockNumber, order);
    PutField(p + 4, v.objectLow, order);
    PutField(p + 8, v.objectHigh, order);
    PutField(p + 10, v.databaseNumber, order);
    PutField(p + 12, v.classNumber, order);
  }
  static void Read(KsRef& v, const unsigned char* p, unsigned char order) {
    v.blockNumber = Field32(p, order);
    v.objectLow = Field32(p + 4, order);
    v.objectHigh = Field16(p + 8, order);
    v.databaseNumber = Field16(p + 10, order);
    v.classNumber = Field16(p + 12, order);
    v.classVersion = 0;
  }
};

}  // namespace

template <class T>
unsigned IdentityStore(void* dst, const void* src, unsigned char format, unsigned count) {
  using Form = StoredForm<T>;
  const unsigned char order = IdentityByteOrder(format);
  auto* out = static_cast<unsigned char*>(dst);
  const auto* values = static_cast<const T*>(src);
  for (unsigned i = 0; i < count; ++i) Form::Write(out + size_t{i} * Form::kSize, values[i], order);
  return count * Form::kSize;
}

template <class T>
unsigned IdentityLoad(void* dst, const void* src, unsigned char format, unsigned count) {
  using Form = StoredForm<T>;
  const unsigned char order = IdentityByteOrder(format);
  const auto* in = static_cast<const unsigned char*>(src);
  auto* values = static_cast<T*>(dst);
  for (unsigned i = 0; i < count; ++i) Form::Read(values[i], in + size_t{i} * Form::kSize, order);
  return count * Form::kSize;
}

template unsigned IdentityStore<KsObjId>(void*, const void*, unsigned char, unsigned);
template unsigned IdentityStore<KsClassId>(void*, const void*, unsigned char, unsigned);
template unsigned IdentityStore<KsRef>(void*, const void*, unsigned char, unsigned);
template unsigned IdentityLoad<KsObjId>(void*, const void*, unsigned char, unsigned);
template unsigned IdentityLoad<KsClassId>(void*, const void*, unsigned char, unsigned);
template unsigned IdentityLoad<KsRef>(void*, const void*, unsigned char, unsigned);

}  // namespace ks
