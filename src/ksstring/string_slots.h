// Type slots of KsString (type id 11): the current descriptor and the
// legacy one, which writes the old block layout (a 16-bit total, then
// zero-terminated 8-bit texts) and accepts it wherever it reads records.
#pragma once

#include <cstddef>

#include "basesvc.h"
#include "ksslots.h"
#include "ksstoredstring.h"
#include "ksstring.h"
#include "kstypes/class_slots.h"
#include "kstypes/primitive_getvalue.h"
#include "kstypes/primitive_storage.h"
#include "kstypes/typedesc.h"

namespace ksstring {

// Loaders within `available` bytes (SIZE_MAX: trust the records). Strings
// without bytes left are set empty with the default code set and language.
unsigned LoadRecords(KsString* strings, const unsigned char* src, size_t available, unsigned char format,
                     unsigned count);
unsigned LoadLegacyBlock(KsString* strings, const unsigned char* block, size_t available,
                         unsigned char format, unsigned count);
// The stored sizes that StringSizeGet answers; records that run past
// `available` count 65,535 bytes each.
size_t StoredSizeOfStrings(const KsString* strings, unsigned char dstFormat, unsigned count);
size_t StoredSizeOfRecords(const unsigned char* records, size_t available, unsigned char dstFormat,
                           unsigned count);

unsigned StringNullSizeGet(unsigned count);
// The stored extents that KsTypeMgr::LoadChecked measures before loading
// (kstypes/stored_extent.h). StringLoad reads either layout, but each
// descriptor accepts what its own Compare and Hash read: the current one
// its records only, the legacy one its block or current records.
bool StringStoredExtent(const void* src, size_t srcLen, unsigned char format, unsigned count, size_t& extent);
bool LegacyStringStoredExtent(const void* src, size_t srcLen, unsigned char format, unsigned count,
                              size_t& extent);
unsigned StringSizeGetFromMemFile(MemFile* file, unsigned char format, unsigned count);
unsigned StringHash(unsigned char format, unsigned len, void* values, unsigned count, int& status);
unsigned StringTranslate(void* dst, unsigned char dstFormat, unsigned dstLen, void* src,
                         unsigned char srcFormat, unsigned srcLen, unsigned count);
KsString& StringPrintToString(KsString& out, void* values, const char* format, unsigned count);
void* StringScanFromString(void* values, KsString& in, const char* format, unsigned count);
KsTypeConvertData* StringConvertToKsString(void* values, unsigned count);
void* StringConvertFromKsString(KsTypeConvertData* record, unsigned count);
void* StringDefaultValue(unsigned count, int asNull);
int StringGetValue(void* value, unsigned count, unsigned char format, unsigned char op);

// The legacy descriptor's own functions.
unsigned LegacyStringStore(void* dst, const void* src, unsigned char format, unsigned count);
unsigned LegacyStringSizeGet(const void* value, unsigned char srcFormat, unsigned char dstFormat,
                             unsigned count);
unsigned LegacyStringSizeGetFromMemFile(MemFile* file, unsigned char format, unsigned count);
int LegacyStringCompare(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2,
                        unsigned short cmpOp, unsigned count, int& status);
unsigned LegacyStringHash(unsigned char format, unsigned len, void* values, unsigned count, int& status);
unsigned LegacyStringTranslate(void* dst, unsigned char dstFormat, unsigned dstLen, void* src,
                               unsigned char srcFormat, unsigned srcLen, unsigned count);

// The element position of the first '*' order (or '?' order, unless
// excluded) among the first `limit` collation orders of text, or -1;
// byteOffset receives its byte offset within text (65,535 when none). Code
// set 0 looks for the bytes themselves. Format 255 reads as 1.
int WildcardPosition(unsigned char codeSet, unsigned char language, const char* text, bool excludeQuestion,
                     int limit, unsigned char format, unsigned short& byteOffset);

// The type-table rows of type 11: the current descriptor, and the legacy
// one with its own block layout, no null value and no generator.
constexpr KsTypeDescriptor StringRow(KsTypeDescriptor d, bool legacy) {
  using Slots = ks::ClassSlots<KsString>;
  ks::SetClassMemorySlots<KsString>(d);
  d.store = legacy ? LegacyStringStore : StringStore;
  d.load = StringLoad;
  d.nullSizeGet = StringNullSizeGet;
  d.sizeGet = legacy ? LegacyStringSizeGet : StringSizeGet;
  d.sizeGetFromMemFile = legacy ? LegacyStringSizeGetFromMemFile : StringSizeGetFromMemFile;
  d.compare = legacy ? LegacyStringCompare : StringCompare;
  d.hash = legacy ? LegacyStringHash : StringHash;
  d.convertToKsString = StringConvertToKsString;
  d.convertFromKsString = StringConvertFromKsString;
  d.translate = legacy ? LegacyStringTranslate : StringTranslate;
  d.isNull = legacy ? ks::NeverNull : Slots::IsNull;
  d.setNull = legacy ? nullptr : Slots::SetNull;
  d.printToString = StringPrintToString;
  d.scanFromString = StringScanFromString;
  d.defaultValue = StringDefaultValue;
  d.getValue = legacy ? ks::NoGetValue : StringGetValue;
  return d;
}

}  // namespace ksstring
