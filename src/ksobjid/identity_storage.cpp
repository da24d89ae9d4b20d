// Stored forms of the identity values: sizes, store, load and translate.
#include "basesvc.h"
#include "ksobjid/identity_fields.h"
#include "ksobjid/identity_slots.h"
#include "kstypes/class_translate.h"

namespace ks {
namespace {

// Each type's stored fields, in stored order.
struct ObjIdForm {
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

struct ClassIdForm {
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

struct RefForm {
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

template <class Form>
unsigned StoreAll(void* dst, const void* src, unsigned char format, unsigned count) {
  const unsigned char order = IdentityByteOrder(format);
  auto* out = static_cast<unsigned char*>(dst);
  const auto* values = static_cast<const typename Form::Value*>(src);
  for (unsigned i = 0; i < count; ++i) Form::Write(out + size_t{i} * Form::kSize, values[i], order);
  return count * Form::kSize;
}

template <class Form>
unsigned LoadAll(void* dst, const void* src, unsigned char format, unsigned count) {
  const unsigned char order = IdentityByteOrder(format);
  const auto* in = static_cast<const unsigned char*>(src);
  auto* values = static_cast<typename Form::Value*>(dst);
  for (unsigned i = 0; i < count; ++i) Form::Read(values[i], in + size_t{i} * Form::kSize, order);
  return count * Form::kSize;
}

}  // namespace

#define KS_DEFINE_IDENTITY_STORAGE(Prefix, Form)                                                            \
  unsigned Prefix##Store(void* dst, const void* src, unsigned char format, unsigned count) {                \
    return StoreAll<Form>(dst, src, format, count);                                                         \
  }                                                                                                         \
  unsigned Prefix##Load(void* dst, const void* src, unsigned char format, unsigned count) {                 \
    return LoadAll<Form>(dst, src, format, count);                                                          \
  }                                                                                                         \
  unsigned Prefix##NullSizeGet(unsigned count) {                                                            \
    return count * Form::kSize;                                                                             \
  }                                                                                                         \
  unsigned Prefix##SizeGet(const void*, unsigned char, unsigned char, unsigned count) {                     \
    return count * Form::kSize;                                                                             \
  }                                                                                                         \
  unsigned Prefix##SizeGetFromMemFile(MemFile*, unsigned char, unsigned count) {                            \
    return count * Form::kSize;                                                                             \
  }                                                                                                         \
  unsigned Prefix##Translate(void* dst, unsigned char dstFormat, unsigned dstLen, void* src,                \
                             unsigned char srcFormat, unsigned srcLen, unsigned count) {                    \
    return ClassTranslate<Form::Value, Prefix##Store, Prefix##Load>(dst, dstFormat, dstLen, src, srcFormat, \
                                                                    srcLen, count);                         \
  }

KS_DEFINE_IDENTITY_STORAGE(ObjId, ObjIdForm)
KS_DEFINE_IDENTITY_STORAGE(ClassId, ClassIdForm)
KS_DEFINE_IDENTITY_STORAGE(Ref, RefForm)

}  // namespace ks
