// Type slots of KsInt64 (type id 26). The memory slots come from the class
// itself (ClassSlots<KsInt64>); comparison and hash from the fixed-size
// layouts (Int64Compare, Int64Hash).
#pragma once

#include "ksint64.h"
#include "ksslots.h"
#include "kstypcmp.h"
#include "kstypcmp/primitive_hash.h"
#include "kstypes/class_slots.h"
#include "kstypes/primitive_storage.h"
#include "kstypes/typedesc.h"

namespace ks {

// Stored form: per value the low word, then the high word, each converted
// on its own in the byte order of format & 15. Its own inverse, so it
// serves as Load too. Returns count * 8.
unsigned Int64Store(void* dst, const void* src, unsigned char format, unsigned count);
unsigned Int64NullSizeGet(unsigned count);
unsigned Int64SizeGet(const void* value, unsigned char srcFormat, unsigned char format, unsigned count);
unsigned Int64SizeGetFromMemFile(MemFile* file, unsigned char format, unsigned count);
unsigned Int64Translate(void* dst, unsigned char dstFormat, unsigned dstLen, void* src,
                        unsigned char srcFormat, unsigned srcLen, unsigned count);

// Text: appends under the format (null: "%S"); scans one value, -1 when the
// text does not fit the format.
KsString& Int64PrintToString(KsString& out, void* values, const char* format, unsigned count);
void* Int64ScanFromString(void* values, KsString& in, const char* format, unsigned count);
KsTypeConvertData* Int64ConvertToKsString(void* values, unsigned count);
void* Int64ConvertFromKsString(KsTypeConvertData* record, unsigned count);
void* Int64DefaultValue(unsigned count, int asNull);

// Starting value 0, successor +1 (2091 at the maximum).
int Int64GetValue(void* value, unsigned count, unsigned char format, unsigned char op);

}  // namespace ks

namespace ks {

// The type-table row: the slots of the type set on the table's row (names,
// format and size word come with it).
constexpr KsTypeDescriptor Int64Row(KsTypeDescriptor d) {
  SetClassMemorySlots<KsInt64>(d);
  d.store = Int64Store;
  d.load = Int64Store;
  d.nullSizeGet = Int64NullSizeGet;
  d.sizeGet = Int64SizeGet;
  d.sizeGetFromMemFile = Int64SizeGetFromMemFile;
  d.compare = Int64Compare;
  d.hash = Int64Hash;
  d.convertToKsString = Int64ConvertToKsString;
  d.convertFromKsString = Int64ConvertFromKsString;
  d.translate = Int64Translate;
  d.isNull = NeverNull;
  d.printToString = Int64PrintToString;
  d.scanFromString = Int64ScanFromString;
  d.defaultValue = Int64DefaultValue;
  d.getValue = Int64GetValue;
  return d;
}

}  // namespace ks
