// Text entry points of the identity classes: each type's fields as the
// shared text walk sees them, its default formats, and its null text.
#include <cstring>

#include "ksobjid.h"
#include "ksobjid/identity_slots.h"
#include "ksobjid/identity_text.h"
#include "ksstring.h"
#include "kstypemgr.h"

namespace ks {
namespace {

constexpr IdentityField kObjIdFields[] = {{'B', true}, {'L', true}, {'H', false}};
constexpr IdentityField kClassIdFields[] = {{'C', false}, {'V', false}};
constexpr IdentityField kRefFields[] = {{'B', true},  {'L', true},  {'H', false},
                                        {'D', false}, {'C', false}, {'V', false}};

constexpr IdentityText kObjIdText{kObjIdFields, 3, "hll", "HLB", OrdinaryMatch::ObjectNumber};
constexpr IdentityText kClassIdText{kClassIdFields, 2, "hh", "CV", OrdinaryMatch::AnyCharacter};
constexpr IdentityText kRefText{kRefFields, 6, "hhllh", "DHLBC", OrdinaryMatch::SkipOpenings};

constexpr char kObjIdFormat[] = "(%H-%L#%B)";
constexpr char kClassIdFormat[] = "(%Cv%V)";
constexpr char kRefFormat[] = "(%D:%H-%L#%B, %C)";
constexpr char kRefStaticFormat[] = "(%D:%H-%L#%B,%Cv%V)";
constexpr char kLocalRefFormat[] = "(%H-%L#%B,%C)";

KsString& Replace(KsString& out, const std::string& text) {
  out = text.c_str();
  return out;
}

KsString& PrintNull(KsString& out) {
  out = KsTypeMgr::GetNullPrintString();
  return out;
}

}  // namespace

KsString& ObjIdPrintToString(KsString& out, void* values, const char* format, unsigned) {
  return KsObjId::PrintToString(out, *static_cast<const KsObjId*>(values), format);
}
void* ObjIdScanFromString(void* values, KsString& in, const char* format, unsigned) {
  return KsObjId::ScanFromString(static_cast<KsObjId*>(values), in, format);
}
KsString& ClassIdPrintToString(KsString& out, void* values, const char* format, unsigned) {
  return KsClassId::PrintToString(out, *static_cast<const KsClassId*>(values), format);
}
void* ClassIdScanFromString(void* values, KsString& in, const char* format, unsigned) {
  return KsClassId::ScanFromString(static_cast<KsClassId*>(values), in, format);
}
KsString& RefPrintToString(KsString& out, void* values, const char* format, unsigned) {
  return KsRef::PrintToString(out, *static_cast<const KsRef*>(values), format);
}
void* RefScanFromString(void* values, KsString& in, const char* format, unsigned) {
  return KsRef::ScanFromString(static_cast<KsRef*>(values), in, format);
}

}  // namespace ks

// ---------------------------------------------------------------------------
// KsObjId

KsString& KsObjId::PrintToString(KsString& out, const KsObjId& value, const char* format) {
  if (value.IsNullValue()) return ks::PrintNull(out);
  const uint32_t fields[] = {value.blockNumber, value.objectLow, value.objectHigh};
  return ks::Replace(out,
                     ks::PrintIdentityFields(ks::kObjIdText, fields, format ? format : ks::kObjIdFormat));
}

KsObjId* KsObjId::ScanFromString(KsObjId* value, const KsString& in, const char* format) {
  if (value == nullptr) return nullptr;
  uint32_t fields[3];
  if (!ks::ScanIdentityFields(ks::kObjIdText, fields, in, format ? format : ks::kObjIdFormat)) {
    value->SetNullValue();
    return value;
  }
  *value = KsObjId(fields[0], fields[1], static_cast<uint16_t>(fields[2]));
  return value;
}

KsString& KsObjId::PrintToKsString(KsString& out, const char* format) const {
  return PrintToString(out, *this, format);
}

void KsObjId::ScanFromKsString(const KsString& in, const char* format) {
  ScanFromString(this, in, format);
}

// ---------------------------------------------------------------------------
// KsClassId

KsString& KsClassId::PrintToString(KsString& out, const KsClassId& value, const char* format) {
  if (value.IsNullValue()) return ks::PrintNull(out);
  const uint32_t fields[] = {value.classNumber, value.classVersion};
  return ks::Replace(out,
                     ks::PrintIdentityFields(ks::kClassIdText, fields, format ? format : ks::kClassIdFormat));
}

KsClassId* KsClassId::ScanFromString(KsClassId* value, const KsString& in, const char* format) {
  if (value == nullptr) return nullptr;
  uint32_t fields[2];
  if (!ks::ScanIdentityFields(ks::kClassIdText, fields, in, format ? format : ks::kClassIdFormat)) {
    value->SetNullValue();
    return value;
  }
  *value = KsClassId(static_cast<uint16_t>(fields[0]), static_cast<uint16_t>(fields[1]));
  return value;
}

KsString& KsClassId::PrintToKsString(KsString& out, const char* format) const {
  return PrintToString(out, *this, format);
}

void KsClassId::ScanFromKsString(const KsString& in, const char* format) {
  ScanFromString(this, in, format);
}

// ---------------------------------------------------------------------------
// KsRef

KsString& KsRef::PrintToString(KsString& out, const KsRef& value, const char* format) {
  if (value.IsNullValue()) return ks::PrintNull(out);
  const uint32_t fields[] = {value.blockNumber,    value.objectLow,   value.objectHigh,
                             value.databaseNumber, value.classNumber, value.classVersion};
  return ks::Replace(out,
                     ks::PrintIdentityFields(ks::kRefText, fields, format ? format : ks::kRefStaticFormat));
}

KsRef* KsRef::ScanFromString(KsRef* value, const KsString& in, const char* format) {
  if (value == nullptr) return nullptr;
  uint32_t fields[6];
  if (!ks::ScanIdentityFields(ks::kRefText, fields, in, format ? format : ks::kRefStaticFormat)) {
    value->SetNullValue();
    return value;
  }
  value->blockNumber = fields[0];
  value->objectLow = fields[1];
  value->objectHigh = static_cast<uint16_t>(fields[2]);
  value->databaseNumber = static_cast<uint16_t>(fields[3]);
  value->classNumber = static_cast<uint16_t>(fields[4]);
  value->classVersion = static_cast<uint16_t>(fields[5]);
  return value;
}

KsString& KsRef::PrintToKsString(KsString& out, const char* format) const {
  return PrintToString(out, *this, format ? format : ks::kRefFormat);
}

void KsRef::ScanFromKsString(const KsString& in, const char* format) {
  ScanFromString(this, in, format ? format : ks::kRefFormat);
}

// ---------------------------------------------------------------------------
// KsLocalRef: through the reference text with database 0.

KsString& KsLocalRef::PrintToKsString(KsString& out, const char* format) const {
  return KsRef::PrintToString(out, Ref(), format ? format : ks::kLocalRefFormat);
}

void KsLocalRef::ScanFromKsString(const KsString& in, const char* format) {
  KsRef ref = Ref();
  KsRef::ScanFromString(&ref, in, format ? format : ks::kLocalRefFormat);
  *this = ref;
}
