// Type slots of KsBoolean (type id 27). Arrays are made and elements
// handled by the class (ClassSlots); since a boolean is the same byte in
// memory and stored, storage and translation are those of the one-byte
// primitives, and compare and hash are the fixed-size layout functions.
#pragma once

#include "basesvc.h"
#include "ksboolean.h"
#include "kstypcmp.h"
#include "kstypcmp/primitive_hash.h"
#include "kstypes/class_slots.h"
#include "kstypes/primitive_storage.h"
#include "kstypes/typedesc.h"

namespace ks {

// "TRUE" for 1, "FALSE" for any other byte, the null print string for null;
// replaces out. The format is not read.
KsString& BooleanPrintToString(KsString& out, void* values, const char* format, unsigned count);
// Null for a text beginning with the null print string; true for exactly
// "T", "t", "TRUE", "true" or "1"; false for everything else.
void* BooleanScanFromString(void* values, KsString& in, const char* format, unsigned count);
KsTypeConvertData* BooleanConvertToKsString(void* values, unsigned count);
void* BooleanConvertFromKsString(KsTypeConvertData* record, unsigned count);
void* BooleanDefaultValue(unsigned count, int asNull);
// Starts at false; the successor is true (2091 when already true).
int BooleanGetValue(void* value, unsigned count, unsigned char format, unsigned char op);

// The type-table row: the slots of the type set on the table's row.
constexpr KsTypeDescriptor BooleanRow(KsTypeDescriptor d) {
  using Slots = ClassSlots<KsBoolean>;
  SetClassMemorySlots<KsBoolean>(d);
  d.store = CharStore;
  d.load = CharStore;
  d.nullSizeGet = CharNullSizeGet;
  d.sizeGet = CharSizeGet;
  d.sizeGetFromMemFile = CharSlots::SizeGetFromMemFile;
  d.compare = BooleanCompare;
  d.hash = BooleanHash;
  d.convertToKsString = BooleanConvertToKsString;
  d.convertFromKsString = BooleanConvertFromKsString;
  d.translate = CharSlots::Translate;
  d.isNull = Slots::IsNull;
  d.setNull = Slots::SetNull;
  d.printToString = BooleanPrintToString;
  d.scanFromString = BooleanScanFromString;
  d.defaultValue = BooleanDefaultValue;
  d.getValue = BooleanGetValue;
  return d;
}

}  // namespace ks
