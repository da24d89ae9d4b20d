// Conversion records, default values and value generators of the identity
// types. Texts use the descriptors' default formats; a null value travels
// as the null string and a null or missing string gives the null value.
#include "ksobjid/identity_slots.h"

#include <cstddef>

#include "ksstring.h"
#include "kstypes/class_generator.h"
#include "kstypes/class_text_records.h"

namespace ks {
namespace {

static_assert(offsetof(KsObjId, objectLow) == 4 && offsetof(KsObjId, objectHigh) == 8);
static_assert(offsetof(KsRef, objectHigh) == 8 && offsetof(KsRef, databaseNumber) == 10);
static_assert(offsetof(KsRef, classNumber) == 12 && offsetof(KsRef, classVersion) == 14);
static_assert(offsetof(KsLocalRef, classNumber) == offsetof(KsRef, classNumber));

template <class T, const char* kFormat>
void TextOf(const T& value, KsString& text) {
  if (value.IsNullValue()) {
    text.SetNullValue();
  } else {
    value.PrintToKsString(text, kFormat);
  }
}

template <class T, const char* kFormat>
void ValueOf(T& value, const KsString* text) {
  if (text == nullptr) {
    value.SetNullValue();
  } else {
    value.ScanFromKsString(*text, kFormat);
  }
}

constexpr char kObjIdFormat[] = "(%H-%L#%B)";
constexpr char kClassIdFormat[] = "(%Cv%V)";
constexpr char kRefFormat[] = "(%D:%H-%L#%B, %C)";

template <class T>
void StartAtZero(T& value) {
  value = T();
}

// The next object number; none after the highest.
template <class T>
bool NextObjectNumber(T& value) {
  KsObjId id(value.blockNumber, value.objectLow, value.objectHigh);
  const KsObjId old = id;
  ++id;
  if ((id != old) <= 0) return false;
  value.objectLow = id.objectLow;
  value.objectHigh = id.objectHigh;
  return true;
}

}  // namespace

#define KS_DEFINE_IDENTITY_TEXT_RECORDS(Prefix, T, kFormat)                        \
  KsTypeConvertData* Prefix##ConvertToKsString(void* values, unsigned count) {     \
    return ClassToTexts<T, TextOf<T, kFormat>>(values, count);                     \
  }                                                                                \
  void* Prefix##ConvertFromKsString(KsTypeConvertData* record, unsigned count) {   \
    return ClassFromTexts<T, ValueOf<T, kFormat>>(record, count);                  \
  }                                                                                \
  void* Prefix##DefaultValue(unsigned count, int asNull) {                         \
    return ClassDefaultValue<T, Prefix##ConvertFromKsString, true>(count, asNull); \
  }

KS_DEFINE_IDENTITY_TEXT_RECORDS(ObjId, KsObjId, kObjIdFormat)
KS_DEFINE_IDENTITY_TEXT_RECORDS(ClassId, KsClassId, kClassIdFormat)
KS_DEFINE_IDENTITY_TEXT_RECORDS(Ref, KsRef, kRefFormat)

int ObjIdGetValue(void* value, unsigned count, unsigned char format, unsigned char op) {
  return ClassGetValue<KsObjId, StartAtZero<KsObjId>, NextObjectNumber<KsObjId>>(value, count, format, op);
}

int RefGetValue(void* value, unsigned count, unsigned char format, unsigned char op) {
  return ClassGetValue<KsRef, StartAtZero<KsRef>, NextObjectNumber<KsRef>>(value, count, format, op);
}

}  // namespace ks
