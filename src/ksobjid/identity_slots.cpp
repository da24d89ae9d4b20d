// Text records and the object-number generator of the identity types.
// Texts use the classes' default formats (those of the descriptors); a null
// value travels as the null string and a null or missing string gives the
// null value.
#include "ksobjid/identity_slots.h"

#include <cstddef>

#include "ksstring.h"

namespace ks {
namespace {

static_assert(offsetof(KsObjId, objectLow) == 4 && offsetof(KsObjId, objectHigh) == 8);
static_assert(offsetof(KsRef, objectHigh) == 8 && offsetof(KsRef, databaseNumber) == 10);
static_assert(offsetof(KsRef, classNumber) == 12 && offsetof(KsRef, classVersion) == 14);
static_assert(offsetof(KsLocalRef, classNumber) == offsetof(KsRef, classNumber));

}  // namespace

template <class T>
void IdentityRecordText(const T& value, KsString& text) {
  if (value.IsNullValue()) {
    text.SetNullValue();
  } else {
    value.PrintToKsString(text, nullptr);
  }
}

template <class T>
void IdentityRecordValue(T& value, const KsString* text) {
  if (text == nullptr) {
    value.SetNullValue();
  } else {
    value.ScanFromKsString(*text, nullptr);
  }
}

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

template void IdentityRecordText(const KsObjId&, KsString&);
template void IdentityRecordText(const KsClassId&, KsString&);
template void IdentityRecordText(const KsRef&, KsString&);
template void IdentityRecordValue(KsObjId&, const KsString*);
template void IdentityRecordValue(KsClassId&, const KsString*);
template void IdentityRecordValue(KsRef&, const KsString*);
template bool NextObjectNumber(KsObjId&);
template bool NextObjectNumber(KsRef&);

}  // namespace ks
