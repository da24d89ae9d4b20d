// Type slots of KsInt64 (type id 26). Memory slots, sizes, translation and
// conversion records come from the class row skeleton (class_rows.h);
// comparison and hash from the fixed-size layouts (Int64Compare, Int64Hash).
#pragma once

#include "ksint64.h"
#include "ksslots.h"
#include "kstypcmp.h"
#include "kstypcmp/primitive_hash.h"
#include "kstypes/class_rows.h"
#include "kstypes/primitive_storage.h"
#include "kstypes/typedesc.h"

namespace ks {

constexpr unsigned kInt64StoredSize = 8;

// Stored form: per value the low word, then the high word, each converted
// on its own in the byte order of format & 15. Its own inverse, so it
// serves as Load too. Returns count * 8.
unsigned Int64Store(void* dst, const void* src, unsigned char format, unsigned count);

// Text: appends under the format (null: "%S"); scans one value, -1 when the
// text does not fit the format.
KsString& Int64PrintToString(KsString& out, void* values, const char* format, unsigned count);
void* Int64ScanFromString(void* values, KsString& in, const char* format, unsigned count);
// One value's text record: decimal; a missing text leaves the value.
void Int64Text(const KsInt64& value, KsString& text);
void Int64FromText(KsInt64& value, const KsString* text);
// The successor, +1; none after the maximum.
bool Int64Next(KsInt64& value);

// Starting value 0, successor +1 (2091 at the maximum).
constexpr KsGetValueFunc Int64GetValue = ClassGetValue<KsInt64, StartAtZero<KsInt64>, Int64Next>;

// The type-table row: the slots of the type set on the table's row (names,
// format and size word come with it).
constexpr KsTypeDescriptor Int64Row(KsTypeDescriptor d) {
  SetFixedClassStorage<KsInt64, kInt64StoredSize, Int64Store, Int64Store>(d);
  SetClassTextRecords<KsInt64, Int64Text, Int64FromText, false>(d);
  d.compare = Int64Compare;
  d.hash = Int64Hash;
  d.isNull = NeverNull;
  d.printToString = Int64PrintToString;
  d.scanFromString = Int64ScanFromString;
  d.getValue = Int64GetValue;
  return d;
}

}  // namespace ks
