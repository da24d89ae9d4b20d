// Operators of the identity values: equality and three-way orders, steps
// through the 48-bit object number, conversions between the reference
// kinds and the validity tests.
#include "_ksnulty.h"
#include "ksobjid.h"

namespace {

constexpr uint64_t kObjectNumberMask = (uint64_t{1} << 48) - 1;

uint64_t ObjectNumber(uint32_t low, uint16_t high) {
  return uint64_t{high} << 32 | low;
}

void SetObjectNumber(uint64_t number, uint32_t& low, uint16_t& high) {
  low = static_cast<uint32_t>(number);
  high = static_cast<uint16_t>(number >> 32);
}

// H difference, then L by its unsigned order.
int CompareObjectNumbers(uint32_t low1, uint16_t high1, uint32_t low2, uint16_t high2) {
  if (high1 != high2) return int{high1} - int{high2};
  if (low1 != low2) return low1 > low2 ? 1 : -1;
  return 0;
}

int CompareUnsigned(unsigned a, unsigned b) {
  return a == b ? 0 : (a > b ? 1 : -1);
}

// The object number (B, L, H) and the class (C, V) travel between the
// identity classes field by field; these two copies say which fields.
template <class To, class From>
void CopyObjectNumber(To& to, const From& from) {
  to.blockNumber = from.blockNumber;
  to.objectLow = from.objectLow;
  to.objectHigh = from.objectHigh;
}

template <class To, class From>
void CopyClass(To& to, const From& from) {
  to.classNumber = from.classNumber;
  to.classVersion = from.classVersion;
}

}  // namespace

// ---------------------------------------------------------------------------
// KsObjId

int KsObjId::operator!=(const KsObjId& other) const {
  return CompareObjectNumbers(objectLow, objectHigh, other.objectLow, other.objectHigh);
}

KsObjId& KsObjId::operator++() {
  return *this += 1;
}

KsObjId& KsObjId::operator--() {
  return *this += -1;
}

KsObjId& KsObjId::operator+=(short amount) {
  const uint64_t number = ObjectNumber(objectLow, objectHigh) + static_cast<uint64_t>(int64_t{amount});
  SetObjectNumber(number & kObjectNumberMask, objectLow, objectHigh);
  return *this;
}

void KsObjId::SetHighestValue() {
  blockNumber = 0;
  objectLow = 0xFFFFFFFFu;
  objectHigh = 0xFFFF;
}

int KsObjId::SetNullValue() {
  blockNumber = objectLow = 0;
  objectHigh = 0;
  return 0;
}

// ---------------------------------------------------------------------------
// KsClassId

int KsClassId::operator!=(const KsClassId& other) const {
  const KsNullTy nr = KsNullRelation(IsNullValue(), other.IsNullValue());
  if (nr != KsNullTy::unknown) return KsNullOrder(nr);
  if (classNumber != other.classNumber) return CompareUnsigned(classNumber, other.classNumber);
  return CompareUnsigned(classVersion, other.classVersion);
}

int KsClassId::SetNullValue() {
  classNumber = classVersion = 0xFFFF;
  return 0;
}

// ---------------------------------------------------------------------------
// KsRef

KsRef& KsRef::operator=(const KsObjId& id) {
  CopyObjectNumber(*this, id);
  return *this;
}

KsRef& KsRef::operator=(const KsLocalRef& local) {
  CopyObjectNumber(*this, local);
  databaseNumber = 0;
  CopyClass(*this, local);
  return *this;
}

KsRef& KsRef::operator=(const KsClassId& classId) {
  CopyClass(*this, classId);
  return *this;
}

KsRef& KsRef::operator=(unsigned short database) {
  databaseNumber = database;
  return *this;
}

int KsRef::operator==(const KsRef& other) const {
  return objectLow == other.objectLow && objectHigh == other.objectHigh &&
         databaseNumber == other.databaseNumber;
}

int KsRef::operator!=(const KsRef& other) const {
  const int byObject = CompareObjectNumbers(objectLow, objectHigh, other.objectLow, other.objectHigh);
  if (byObject != 0) return byObject;
  return CompareUnsigned(databaseNumber, other.databaseNumber);
}

unsigned short KsRef::IsValid() const {
  return !IsNullValue() && classNumber != 0 && databaseNumber < 0xFFFF;
}

unsigned short KsRef::IsValidOriginId() const {
  return !IsNullValue() && (databaseNumber == 0xFFFF || classNumber != 0);
}

unsigned short KsRef::IsInvalidOriginId() const {
  return IsNullValue() || (databaseNumber < 0xFFFF && classNumber == 0);
}

int KsRef::SetNullValue() {
  blockNumber = objectLow = 0;
  objectHigh = 0;
  return 0;
}

// ---------------------------------------------------------------------------
// KsLocalRef

KsLocalRef& KsLocalRef::operator=(const KsLocalRef& other) {
  CopyObjectNumber(*this, other);
  CopyClass(*this, other);
  return *this;
}

KsLocalRef& KsLocalRef::operator=(const KsObjId& id) {
  CopyObjectNumber(*this, id);
  return *this;
}

KsLocalRef& KsLocalRef::operator=(const KsClassId& classId) {
  CopyClass(*this, classId);
  return *this;
}

KsLocalRef& KsLocalRef::operator=(const KsRef& ref) {
  CopyObjectNumber(*this, ref);
  CopyClass(*this, ref);
  return *this;
}

int KsLocalRef::operator==(const KsLocalRef& other) const {
  return objectLow == other.objectLow && objectHigh == other.objectHigh;
}

int KsLocalRef::operator==(const KsRef& ref) const {
  return objectLow == ref.objectLow && objectHigh == ref.objectHigh && ref.databaseNumber == 0;
}

int KsLocalRef::operator!=(const KsLocalRef& other) const {
  return CompareObjectNumbers(objectLow, objectHigh, other.objectLow, other.objectHigh);
}

int KsLocalRef::operator!=(const KsRef& ref) const {
  const int byObject = CompareObjectNumbers(objectLow, objectHigh, ref.objectLow, ref.objectHigh);
  if (byObject != 0) return byObject;
  return ref.databaseNumber != 0 ? -1 : 0;
}

KsRef KsLocalRef::Ref() const {
  KsRef ref;
  ref = *this;
  return ref;
}
