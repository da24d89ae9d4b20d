// KsTypeMgr: conversion of values through text records, and the older packed
// form that joins all texts into one string.
#include <cstring>

#include "ksstring.h"
#include "kstypeconvert.h"
#include "kstypemgr.h"
#include "kstypes/typedesc.h"

KsTypeConvertData* KsTypeMgr::ConvertTo(char type, void* values, unsigned count) const {
  const KsTypeDescriptor& d = Descriptor(type);
  if (d.convertToKsString == nullptr) return nullptr;
  KsTypeConvertData* record = d.convertToKsString(values, count);
  if (record != nullptr) record->mgr = const_cast<KsTypeMgr*>(this);
  return record;
}

void* KsTypeMgr::ConvertFrom(char type, KsTypeConvertData* record, unsigned count) const {
  if (record != nullptr) record->mgr = const_cast<KsTypeMgr*>(this);
  const KsTypeDescriptor& d = Descriptor(type);
  return d.convertFromKsString != nullptr ? d.convertFromKsString(record, count) : nullptr;
}

namespace {

// The first character code from 1 to 254 that none of the texts contains,
// or ',' when every code occurs.
char ChooseSeparator(const KsTypeConvertData& record, unsigned count) {
  bool used[256] = {};
  for (unsigned i = 0; i < count; ++i) {
    const KsString* text = record.GetString(static_cast<int>(i));
    if (text == nullptr) continue;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text->StrGet()); *p; ++p) used[*p] = true;
  }
  for (int code = 1; code <= 254; ++code) {
    if (!used[code]) return static_cast<char>(code);
  }
  return ',';
}

}  // namespace

KsString* KsTypeMgr::ConvertToKsStringOld(void* values, char type, unsigned count) const {
  KsTypeConvertData* record = ConvertTo(type, values, count);
  if (record == nullptr) return nullptr;
  const char separator[2] = {ChooseSeparator(*record, count), 0};
  auto* joined = static_cast<KsString*>(Descriptor(KsSTRING_T).create(1));
  if (joined != nullptr) {
    for (unsigned i = 0; i < count; ++i) {
      if (const KsString* text = record->GetString(static_cast<int>(i))) *joined += *text;
      *joined << separator;
    }
  }
  delete record;
  return joined;
}

namespace {

// Raw unit i of a string (byte or 16-bit unit, as the code set's width).
unsigned short UnitAt(const KsString& text, unsigned short i) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.StrGet());
  if (text.CharWidth() == 1) return bytes[i];
  unsigned short unit;
  std::memcpy(&unit, bytes + 2 * i, 2);
  return unit;
}

}  // namespace

void* KsTypeMgr::ConvertFromKsStringOld(KsString* text, char type, unsigned count) const {
  // The separator is the text's last character; units are matched as they
  // are, since a separator is chosen precisely as a code no text contains.
  const unsigned short length = text->Len();
  const unsigned short separator = length == 0 ? ',' : UnitAt(*text, length - 1);
  unsigned n = 1;
  for (unsigned short i = 0; i < length; ++i) n += UnitAt(*text, i) == separator;

  const KsTypeDescriptor& strings = Descriptor(KsSTRING_T);
  auto* parts = static_cast<KsString*>(strings.create(n));
  if (parts == nullptr) return nullptr;
  unsigned short start = 0;
  for (unsigned i = 0; i < n; ++i) {
    unsigned short end = start;
    while (end < length && UnitAt(*text, end) != separator) ++end;
    if (end == length) break;
    parts[i] = text->Copy(start, static_cast<unsigned short>(end - start));
    start = static_cast<unsigned short>(end + 1);
  }
  // The caller's text is consumed.
  text->Cut(0, start);

  KsTypeConvertData* record = KsTypeConvertData::Make(KsSTRING_T, n, parts, const_cast<KsTypeMgr*>(this));
  if (record == nullptr) {
    strings.destroy(parts, n);
    return nullptr;
  }
  const KsTypeDescriptor& d = Descriptor(type);
  void* values = d.convertFromKsString != nullptr ? d.convertFromKsString(record, count) : nullptr;
  delete record;
  return values;
}
