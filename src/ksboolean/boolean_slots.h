// Type slots of KsBoolean (type id 27). What it shares with the other
// classes comes from the class row skeleton (class_rows.h); a boolean is the
// same byte in memory and stored, and compare and hash are the fixed-size
// layout functions.
#pragma once

#include "basesvc.h"
#include "ksboolean.h"
#include "kstypcmp.h"
#include "kstypcmp/primitive_hash.h"
#include "kstypes/class_rows.h"
#include "kstypes/primitive_storage.h"
#include "kstypes/typedesc.h"

namespace ks {

// "TRUE" for 1, "FALSE" for any other byte, the null print string for null;
// replaces out. The format is not read.
KsString& BooleanPrintToString(KsString& out, void* values, const char* format, unsigned count);
// Null for a text beginning with the null print string; true for exactly
// "T", "t", "TRUE", "true" or "1"; false for everything else.
void* BooleanScanFromString(void* values, KsString& in, const char* format, unsigned count);
// One value read from a text record (printed, the record carries the
// printed value or the null string); no text reads as null.
void BooleanFromText(KsBoolean& value, const KsString* text);
// The successor of false is true; none after true.
bool BooleanNext(KsBoolean& value);

// The type-table row: the slots of the type set on the table's row.
// Stored as the byte it is in memory. Starts at false.
constexpr KsTypeDescriptor BooleanRow(KsTypeDescriptor d) {
  SetFixedClassStorage<KsBoolean, 1, CharStore, CharStore>(d);
  SetClassNullSlots<KsBoolean>(d);
  SetClassTextRecords<KsBoolean, PrintedOrNullText<KsBoolean, BooleanPrintToString>, BooleanFromText, true>(
      d);
  d.compare = BooleanCompare;
  d.hash = BooleanHash;
  d.printToString = BooleanPrintToString;
  d.scanFromString = BooleanScanFromString;
  d.getValue = ClassGetValue<KsBoolean, StartAtZero<KsBoolean>, BooleanNext>;
  return d;
}

}  // namespace ks
